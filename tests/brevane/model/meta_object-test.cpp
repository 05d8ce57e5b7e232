// The meta object base: identity, full names, notifications, reset, clone,
// change records, object data and the JSON form of attributes.
#include "tests/brevane/model/model-test.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

class MetaObjectTest : public LogCaptureTest {};

GRef<TarvexBrevaneMetaModelMetaObject> named(const char* db, const char* schema, const char* name) {
  auto object = adopt(tarvex_brevane_meta_model_meta_object_new());
  tarvex_brevane_meta_model_meta_object_set_database(object.get(), db);
  tarvex_brevane_meta_model_meta_object_set_schema(object.get(), schema);
  tarvex_brevane_meta_model_meta_object_set_name(object.get(), name);
  return object;
}

TEST_F(MetaObjectTest, NewObjectHasEmptyTextsAndContainers) {
  auto object = adopt(tarvex_brevane_meta_model_meta_object_new());
  auto* o = object.get();
  for (auto* getter : {tarvex_brevane_meta_model_meta_object_get_database,
                       tarvex_brevane_meta_model_meta_object_get_schema,
                       tarvex_brevane_meta_model_meta_object_get_name,
                       tarvex_brevane_meta_model_meta_object_get_comment,
                       tarvex_brevane_meta_model_meta_object_get_original}) {
    ASSERT_NE(getter(o), nullptr);
    EXPECT_STREQ(getter(o), "");
  }
  ASSERT_NE(tarvex_brevane_meta_model_meta_object_get_attributes(o), nullptr);
  EXPECT_EQ(gee_map_get_size(GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(o))), 0);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_get_version(o), 0);
  EXPECT_TRUE(diff_entries(o).empty());
  EXPECT_TRUE(slice_entries(o).empty());
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_character(o), 0);
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(o), "TarvexBrevaneMetaModelMetaObject");
  EXPECT_TRUE(G_TYPE_CHECK_INSTANCE_TYPE(o, tarvex_brevane_meta_model_imeta_data_get_type()));
  EXPECT_TRUE(JSON_IS_SERIALIZABLE(o));
}

TEST_F(MetaObjectTest, PropertiesAreInstalledInOrderWithNameAsNickAndBlurb) {
  auto klass =
      static_cast<GObjectClass*>(g_type_class_ref(TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT));
  guint n = 0;
  GParamSpec** pspecs = g_object_class_list_properties(klass, &n);
  std::vector<std::string> names;
  for (guint i = 0; i < n; ++i) {
    names.emplace_back(pspecs[i]->name);
    EXPECT_STREQ(g_param_spec_get_nick(pspecs[i]), pspecs[i]->name);
    EXPECT_STREQ(g_param_spec_get_blurb(pspecs[i]), pspecs[i]->name);
    EXPECT_EQ(pspecs[i]->flags & G_PARAM_READWRITE, G_PARAM_READWRITE);
    EXPECT_EQ(pspecs[i]->param_id, i + 1);
  }
  g_free(pspecs);
  EXPECT_EQ(names, (std::vector<std::string>{"database", "schema", "name", "comment", "attributes",
                                             "original", "version"}));
  GParamSpec* version = g_object_class_find_property(klass, "version");
  EXPECT_EQ(G_PARAM_SPEC_VALUE_TYPE(version), tarvex_providers_contracts_data_version_get_type());
  EXPECT_EQ(G_PARAM_SPEC_VALUE_TYPE(g_object_class_find_property(klass, "attributes")),
            GEE_TYPE_HASH_MAP);
  EXPECT_EQ(G_PARAM_SPEC_STRING(g_object_class_find_property(klass, "name"))->default_value,
            nullptr);
  g_type_class_unref(klass);
}

TEST_F(MetaObjectTest, FullnameFollowsTheFlags) {
  struct Case {
    const char *db, *schema, *name;
    gboolean with_db, with_kind;
    const char* expected;
  } cases[] = {
      {"", "", "", FALSE, FALSE, "."},
      {"", "", "", TRUE, TRUE, "unknown:.."},
      {"d", "s", "n", FALSE, FALSE, "s.n"},
      {"d", "s", "n", TRUE, FALSE, "d.s.n"},
      {"d", "s", "n", FALSE, TRUE, "unknown:s.n"},
      {"d", "s", "n", TRUE, TRUE, "unknown:d.s.n"},
  };
  for (const auto& c : cases) {
    auto object = named(c.db, c.schema, c.name);
    GUniqueStr full(
        tarvex_brevane_meta_model_meta_object_fullname(object.get(), c.with_db, c.with_kind));
    EXPECT_STREQ(full.get(), c.expected);
  }
}

TEST_F(MetaObjectTest, SettersNotifyOnlyOnChange) {
  auto object = adopt(tarvex_brevane_meta_model_meta_object_new());
  NotifyCounter counter(object.get());
  tarvex_brevane_meta_model_meta_object_set_name(object.get(), "a");
  tarvex_brevane_meta_model_meta_object_set_name(object.get(), "a");
  g_object_set(object.get(), "name", "a", nullptr);
  EXPECT_EQ(counter.count("name"), 1);
  // An absent text differs from the empty one; two absent ones are equal.
  tarvex_brevane_meta_model_meta_object_set_comment(object.get(), nullptr);
  tarvex_brevane_meta_model_meta_object_set_comment(object.get(), nullptr);
  EXPECT_EQ(counter.count("comment"), 1);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_get_comment(object.get()), nullptr);
  tarvex_brevane_meta_model_meta_object_set_version(object.get(),
                                                    TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
  tarvex_brevane_meta_model_meta_object_set_version(object.get(),
                                                    TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
  EXPECT_EQ(counter.count("version"), 1);
  GeeHashMap* map = tarvex_brevane_meta_model_meta_object_get_attributes(object.get());
  tarvex_brevane_meta_model_meta_object_set_attributes(object.get(), map);
  EXPECT_EQ(counter.count("attributes"), 0);
  auto other = adopt(gee_hash_map_new(
      G_TYPE_STRING, (GBoxedCopyFunc)g_strdup, g_free, G_TYPE_STRING, (GBoxedCopyFunc)g_strdup,
      g_free, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
  tarvex_brevane_meta_model_meta_object_set_attributes(object.get(), other.get());
  EXPECT_EQ(counter.count("attributes"), 1);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_get_attributes(object.get()), other.get());
  // The generic interface reads the same values.
  gchar* name = nullptr;
  g_object_get(object.get(), "name", &name, nullptr);
  EXPECT_STREQ(name, "a");
  g_free(name);
}

TEST_F(MetaObjectTest, ResetClearsStateButKeepsIdentity) {
  auto object = named("d", "s", "n");
  auto* o = object.get();
  tarvex_brevane_meta_model_meta_object_set_comment(o, "c");
  tarvex_brevane_meta_model_meta_object_set_original(o, "orig");
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(o)), "OWNER", "dbo");
  tarvex_brevane_meta_model_meta_object_set_version(o,
                                                    TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT);
  tarvex_brevane_meta_model_meta_object_append_diff(o, "comment",
                                                    TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
  tarvex_brevane_meta_model_meta_object_append_slice(o, "comment", "old");
  g_object_set_data(G_OBJECT(o), "FILLED", GINT_TO_POINTER(1));

  tarvex_brevane_meta_model_meta_object_reset(o);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_database(o), "d");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_schema(o), "s");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(o), "n");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(o), "");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_original(o), "");
  EXPECT_TRUE(map_entries(tarvex_brevane_meta_model_meta_object_get_attributes(o)).empty());
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_get_version(o), 0);
  EXPECT_TRUE(diff_entries(o).empty());
  EXPECT_TRUE(slice_entries(o).empty());
  EXPECT_EQ(g_object_get_data(G_OBJECT(o), "FILLED"), nullptr);

  NotifyCounter counter(o);
  tarvex_brevane_meta_model_imeta_data_reset(TARVEX_BREVANE_META_MODEL_IMETA_DATA(o));
  EXPECT_EQ(counter.total(), 0);
}

TEST_F(MetaObjectTest, ChangeRecords) {
  auto object = adopt(tarvex_brevane_meta_model_meta_object_new());
  auto* o = object.get();
  tarvex_brevane_meta_model_meta_object_append_diff(o, "comment",
                                                    TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE);
  tarvex_brevane_meta_model_meta_object_append_diff(o, "comment",
                                                    TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
  tarvex_brevane_meta_model_meta_object_append_diff(o, "options.LOCK_ESCALATION",
                                                    TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT);
  EXPECT_EQ(diff_entries(o),
            (std::map<std::string, int>{{"comment", 8}, {"options.LOCK_ESCALATION", 4}}));

  // Removing through the returned map changes the object's own record.
  auto diff = adopt(tarvex_brevane_meta_model_meta_object_diff(o));
  gee_map_unset(GEE_MAP(diff.get()), "comment", nullptr);
  EXPECT_EQ(diff_entries(o).count("comment"), 0u);

  tarvex_brevane_meta_model_meta_object_append_slice(o, "name", "old");
  tarvex_brevane_meta_model_meta_object_clear_diff(o);
  EXPECT_TRUE(diff_entries(o).empty());
  EXPECT_EQ(slice_entries(o).at("name"), "old");
  tarvex_brevane_meta_model_meta_object_clear_slice(o);
  EXPECT_TRUE(slice_entries(o).empty());
}

// Old values are kept as their plain text: a non-ASCII or quoted name read
// back from the slice map must equal the name itself, or a rename would turn
// into a drop and a create.
TEST_F(MetaObjectTest, SliceKeepsPlainTextOfOldValues) {
  auto object = adopt(tarvex_brevane_meta_model_meta_object_new());
  auto* o = object.get();
  for (const char* name : {"Café", "O'Brien", "\"quoted\"", "tab\there", "名前", ""}) {
    GValueHolder v(G_TYPE_STRING);
    g_value_set_string(v.get(), name);
    tarvex_brevane_meta_model_meta_object_append_slice_value(o, "name", v.get());
    EXPECT_EQ(slice_entries(o).at("name"), name);
  }

  struct Case {
    GType type;
    void (*fill)(GValue*);
    const char* text;
  } cases[] = {
      {G_TYPE_BOOLEAN, [](GValue* v) { g_value_set_boolean(v, TRUE); }, "true"},
      {G_TYPE_BOOLEAN, [](GValue* v) { g_value_set_boolean(v, FALSE); }, "false"},
      {G_TYPE_UINT, [](GValue* v) { g_value_set_uint(v, 42); }, "42"},
      {G_TYPE_UCHAR, [](GValue* v) { g_value_set_uchar(v, 200); }, "200"},
      {G_TYPE_INT64, [](GValue* v) { g_value_set_int64(v, -1); }, "-1"},
      {G_TYPE_UINT64, [](GValue* v) { g_value_set_uint64(v, G_MAXUINT64); },
       "18446744073709551615"},
      {tarvex_providers_contracts_data_type_get_type(),
       [](GValue* v) { g_value_set_enum(v, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32); }, "int32"},
      {G_TYPE_STRING, [](GValue* v) { g_value_set_string(v, nullptr); }, ""},
  };
  for (const auto& c : cases) {
    GValueHolder v(c.type);
    c.fill(v.get());
    GUniqueStr text(tarvex_brevane_meta_model_meta_object_value_to_text(v.get()));
    EXPECT_STREQ(text.get(), c.text);
  }
}

TEST_F(MetaObjectTest, CloneCopiesPropertiesAndOwnsItsAttributes) {
  auto object = named("d", "s", "Café");
  auto* o = object.get();
  tarvex_brevane_meta_model_meta_object_set_comment(o, "c");
  tarvex_brevane_meta_model_meta_object_set_version(o,
                                                    TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(o)), "OWNER", "dbo");
  tarvex_brevane_meta_model_meta_object_append_diff(o, "comment",
                                                    TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
  g_object_set_data(G_OBJECT(o), "FILLED", GINT_TO_POINTER(1));

  auto copy =
      adopt(tarvex_brevane_meta_model_imeta_data_clone(TARVEX_BREVANE_META_MODEL_IMETA_DATA(o)));
  auto* c = copy.get();
  ASSERT_NE(c, nullptr);
  EXPECT_NE(c, o);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(c), "Café");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(c), "c");
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_get_version(c), 8);
  EXPECT_NE(tarvex_brevane_meta_model_meta_object_get_attributes(c),
            tarvex_brevane_meta_model_meta_object_get_attributes(o));
  EXPECT_EQ(map_entries(tarvex_brevane_meta_model_meta_object_get_attributes(c)),
            (std::map<std::string, std::string>{{"OWNER", "dbo"}}));
  EXPECT_EQ(to_json(c), to_json(o));
  gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(c)), "X", "1");
  EXPECT_EQ(map_entries(tarvex_brevane_meta_model_meta_object_get_attributes(o)).size(), 1u);
  EXPECT_TRUE(diff_entries(c).empty());
  EXPECT_EQ(g_object_get_data(G_OBJECT(c), "FILLED"), nullptr);
}

TEST_F(MetaObjectTest, JsonAttributesAreSortedAndReadBackAsTexts) {
  auto a = named("d", "s", "n");
  auto b = named("d", "s", "n");
  for (const char* key : {"OWNER", "A", "Z", "M"})
    gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(a.get())), key, key);
  for (const char* key : {"M", "Z", "A", "OWNER"})
    gee_map_set(GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(b.get())), key, key);
  std::string text = to_json(a.get());
  EXPECT_EQ(text, to_json(b.get()));
  EXPECT_NE(text.find("{\n    \"A\" : \"A\",\n    \"M\" : \"M\",\n    \"OWNER\" : \"OWNER\",\n"
                      "    \"Z\" : \"Z\"\n  }"),
            std::string::npos)
      << text;
  // Empty texts are written, an initial version is not.
  auto empty = adopt(tarvex_brevane_meta_model_meta_object_new());
  EXPECT_EQ(to_json(empty.get()),
            "{\n  \"database\" : \"\",\n  \"schema\" : \"\",\n  \"name\" : \"\",\n"
            "  \"comment\" : \"\",\n  \"attributes\" : {  },\n  \"original\" : \"\"\n}");

  auto read = from_json<TarvexBrevaneMetaModelMetaObject>(
      TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT,
      "{\"name\":\"n\",\"attributes\":{\"OWNER\":\"dbo\",\"X\":1,\"Y\":null},\"version\":8}");
  ASSERT_TRUE(read);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(read.get()), "n");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_schema(read.get()), "");
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_get_version(read.get()), 8);
  EXPECT_EQ(map_entries(tarvex_brevane_meta_model_meta_object_get_attributes(read.get())),
            (std::map<std::string, std::string>{{"OWNER", "dbo"}, {"X", ""}, {"Y", ""}}));
  EXPECT_EQ(
      from_json(TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT, to_json(a.get())).get() != nullptr,
      true);
  EXPECT_EQ(to_json(from_json(TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT, text).get()), text);
}

TEST_F(MetaObjectTest, ClassifyKeepsObjectsOfItsKind) {
  auto a = named("d", "s", "a");
  auto b = named("d", "s", "b");
  TarvexBrevaneMetaModelMetaObject* objects[] = {a.get(), b.get()};
  auto group = adopt(tarvex_brevane_meta_model_meta_classify_new_with_array(
      TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_UNKNOWN, "d", "s", "all", objects, 2));
  GListModel* children = tarvex_brevane_meta_model_meta_classify_get_children(group.get());
  ASSERT_NE(children, nullptr);
  EXPECT_EQ(g_list_model_get_n_items(children), 2u);
  auto none = adopt(tarvex_brevane_meta_model_meta_classify_new_with_array(
      TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE, "d", "s", "tables", objects, 2));
  EXPECT_EQ(
      g_list_model_get_n_items(tarvex_brevane_meta_model_meta_classify_get_children(none.get())),
      0u);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_character(META(none.get())), 40);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(none.get())), "tables");

  auto plain = adopt(tarvex_brevane_meta_model_meta_classify_new(
      TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW, "d", "s", "views"));
  EXPECT_EQ(tarvex_brevane_meta_model_meta_classify_get_children(plain.get()), nullptr);
  auto copy = adopt(tarvex_brevane_meta_model_meta_object_clone(META(plain.get())));
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_character(copy.get()), 46);
  GUniqueStr full(tarvex_brevane_meta_model_meta_object_fullname(copy.get(), TRUE, TRUE));
  EXPECT_STREQ(full.get(), "view:d.s.views");
}

TEST_F(MetaObjectTest, BrokenPreconditionsAreReported) {
  auto object = adopt(tarvex_brevane_meta_model_meta_object_new());
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_object_get_name(nullptr), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_meta_model_meta_object_set_name(nullptr, "x"), "self != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_object_fullname(nullptr, TRUE, TRUE), nullptr),
      "self != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_object_clone(nullptr), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_object_diff(nullptr), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_meta_model_meta_object_append_diff(
                      object.get(), nullptr, TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE),
                  "key != NULL");
  EXPECT_CRITICAL(tarvex_brevane_meta_model_meta_object_append_slice(object.get(), "k", nullptr),
                  "value != NULL");
  EXPECT_TRUE(slice_entries(object.get()).empty());
  EXPECT_CRITICAL(tarvex_brevane_meta_model_meta_object_serialize_property(object.get(), nullptr,
                                                                           nullptr, nullptr),
                  "property_name != NULL");
  GValueHolder v(G_TYPE_STRING);
  auto klass = G_OBJECT_GET_CLASS(object.get());
  GParamSpec* pspec = g_object_class_find_property(klass, "name");
  EXPECT_CRITICAL(tarvex_brevane_meta_model_meta_object_deserialize_property(
                      object.get(), "name", v.get(), pspec, nullptr),
                  "property_node != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_classify_new(
                                TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE, "d", nullptr, nullptr),
                            nullptr),
                  "schema != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_classify_new(
                                TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE, "d", "s", nullptr),
                            nullptr),
                  "label != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_classify_new_with_model(
                                TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE, "d", "s", "l", nullptr),
                            nullptr),
                  "list_model != NULL");
}

}  // namespace
