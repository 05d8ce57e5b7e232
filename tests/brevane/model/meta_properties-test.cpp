// Every meta class: registered name, kind, properties in installation order
// with their types, declared defaults and the values a new object holds;
// setters notify only on a change.
#include <cstring>

#include "tests/brevane/model/model-test.h"

using namespace tarvex;
using namespace tarvex::test;

namespace {

class MetaPropertiesTest : public LogCaptureTest {};

// A property row: name, value type, declared default, value of a new
// object (as text: "" for an empty text, "(null)" for absent, numbers in
// decimal, "object" for a container made at construction).
struct Prop {
  const char* name;
  GType type;
  const char* declared;
  const char* initial;
};

struct ClassRow {
  GType (*get_type)();
  const char* type_name;
  int kind;
  std::vector<Prop> own;  // properties the class itself installs, in order
};

const char* kText = "(null)";

Prop T(const char* name) {
  return {name, G_TYPE_STRING, kText, ""};
}
Prop B(const char* name, bool def = false) {
  return {name, G_TYPE_BOOLEAN, def ? "1" : "0", def ? "1" : "0"};
}
Prop U8(const char* name) {
  return {name, G_TYPE_UCHAR, "0", "0"};
}
Prop U64(const char* name) {
  return {name, G_TYPE_UINT64, "0", "0"};
}
Prop List(const char* name) {
  return {name, GEE_TYPE_ARRAY_LIST, kText, "object"};
}
Prop Map(const char* name) {
  return {name, GEE_TYPE_HASH_MAP, kText, "object"};
}

std::vector<ClassRow> classes() {
  GType data_type = tarvex_providers_contracts_data_type_get_type();
  return {
      {tarvex_brevane_meta_model_meta_object_get_type,
       "TarvexBrevaneMetaModelMetaObject",
       0,
       {T("database"),
        T("schema"),
        T("name"),
        T("comment"),
        Map("attributes"),
        T("original"),
        {"version", tarvex_providers_contracts_data_version_get_type(), "0", "0"}}},
      {tarvex_brevane_meta_model_meta_column_get_type,
       "TarvexBrevaneMetaModelMetaColumn",
       8,
       {{"ordinal", G_TYPE_UINT, "0", "0"},
        T("alias"),
        T("after"),
        T("raw-type"),
        {"data-type", data_type, "0", "0"},
        {"length", G_TYPE_INT64, "0", "0"},
        U8("scale"),
        U8("dimension"),
        B("is-unsigned"),
        B("auto-increment"),
        U64("auto-increment-seed"),
        T("identity"),
        T("default-value"),
        T("virtual-type"),
        T("expression"),
        B("not-null"),
        B("is-selected"),
        B("is-virtual"),
        B("is-user-defined"),
        B("is-primary-key"),
        U8("primary-ordinal"),
        U64("primary-length"),
        U8("primary-order"),
        T("conflict"),
        T("charset"),
        T("collation"),
        T("enum-values"),
        B("is-binary"),
        B("is-fill-zero"),
        B("update-timestamp"),
        B("is-generated-always")}},
      {tarvex_brevane_meta_model_meta_constraint_get_type,
       "TarvexBrevaneMetaModelMetaConstraint",
       9,
       {}},
      {tarvex_brevane_meta_model_meta_check_get_type,
       "TarvexBrevaneMetaModelMetaCheck",
       4,
       {B("enforced"), B("no-inherit", true), T("check"), T("deferrable")}},
      {tarvex_brevane_meta_model_meta_exclude_get_type,
       "TarvexBrevaneMetaModelMetaExclude",
       16,
       {T("index-method"), T("table-space"), T("with"), T("include"), T("where"), T("deferrable"),
        T("elements")}},
      {tarvex_brevane_meta_model_meta_foreign_key_get_type,
       "TarvexBrevaneMetaModelMetaForeignKey",
       18,
       {T("refer-database"), T("refer-schema"), T("refer-table"), T("local-columns"),
        T("refer-columns"), T("match-method"), T("delete-action"), T("update-action"),
        T("deferrable")}},
      {tarvex_brevane_meta_model_meta_primary_key_get_type,
       "TarvexBrevaneMetaModelMetaPrimaryKey",
       28,
       {List("columns")}},
      {tarvex_brevane_meta_model_meta_unique_get_type,
       "TarvexBrevaneMetaModelMetaUnique",
       44,
       {T("columns"), T("conflict"), B("is-primary-key"), T("table-space"), T("with"), T("include"),
        T("deferrable")}},
      {tarvex_brevane_meta_model_meta_index_get_type,
       "TarvexBrevaneMetaModelMetaIndex",
       20,
       {T("entity"), T("class"), T("method"), T("parser"), T("algorithm"), T("lock"), T("where"),
        T("table-space"), T("with"), T("include"), T("kind"), B("is-concurrent"), B("is-only"),
        B("is-visible"), B("is-clustered"), U64("key-block-size"), List("columns")}},
      {tarvex_brevane_meta_model_meta_trigger_get_type,
       "TarvexBrevaneMetaModelMetaTrigger",
       42,
       {T("kind"), T("target"), T("body"), T("definer"), T("timing"), T("event"), T("when"),
        T("order"), T("trigger"), T("columns"), T("deferrable"), T("deferred"), T("function"),
        T("arguments"), T("for-each"), T("refer-table"), B("constraint"), T("apply"), B("enable")}},
      {tarvex_brevane_meta_model_meta_event_get_type,
       "TarvexBrevaneMetaModelMetaEvent",
       15,
       {T("kind"), T("body"), T("definer"), T("state"), T("schedule"), T("completion")}},
      {tarvex_brevane_meta_model_meta_rule_get_type,
       "TarvexBrevaneMetaModelMetaRule",
       34,
       {T("commands"), T("action"), T("event"), T("where"), T("apply"), B("enable")}},
      {tarvex_brevane_meta_model_meta_synonym_get_type,
       "TarvexBrevaneMetaModelMetaSynonym",
       39,
       {T("target")}},
      {tarvex_brevane_meta_model_meta_table_get_type,
       "TarvexBrevaneMetaModelMetaTable",
       40,
       {List("constraints"), List("columns"), List("indexes"), List("rules"), List("triggers"),
        Map("options")}},
      {tarvex_brevane_meta_model_meta_view_get_type,
       "TarvexBrevaneMetaModelMetaView",
       46,
       {T("definition"), List("columns")}},
      {tarvex_brevane_meta_model_materialized_get_type,
       "TarvexBrevaneMetaModelMaterialized",
       46,
       {T("table-space"), T("definer"), T("fill-factor"), B("with-data", true)}},
      {tarvex_brevane_meta_model_meta_routine_get_type,
       "TarvexBrevaneMetaModelMetaRoutine",
       33,
       {T("return-type"), T("body"), List("parameters")}},
      {tarvex_brevane_meta_model_meta_function_get_type,
       "TarvexBrevaneMetaModelMetaFunction",
       19,
       {}},
      {tarvex_brevane_meta_model_meta_procedure_get_type,
       "TarvexBrevaneMetaModelMetaProcedure",
       29,
       {}},
      {tarvex_brevane_meta_model_meta_external_get_type,
       "TarvexBrevaneMetaModelMetaExternal",
       17,
       {}},
      {tarvex_brevane_meta_model_meta_schema_get_type,
       "TarvexBrevaneMetaModelMetaSchema",
       35,
       {List("events"), List("routines"), List("tables"), List("miews"), List("views")}},
      {tarvex_brevane_meta_model_meta_database_get_type,
       "TarvexBrevaneMetaModelMetaDatabase",
       11,
       {List("schemas")}},
      {tarvex_brevane_meta_model_meta_relation_get_type,
       "TarvexBrevaneMetaModelMetaRelation",
       0,
       {Map("relations"), Map("privileges"), T("scope"), T("password")}},
      {tarvex_brevane_meta_model_meta_user_get_type,
       "TarvexBrevaneMetaModelMetaUser",
       45,
       {T("default-schema")}},
      {tarvex_brevane_meta_model_meta_role_get_type, "TarvexBrevaneMetaModelMetaRole", 32, {}},
  };
}

std::string declared_default(GParamSpec* p) {
  GValueHolder v(G_PARAM_SPEC_VALUE_TYPE(p));
  g_param_value_set_default(p, v.get());
  if (G_VALUE_HOLDS_STRING(v.get()))
    return g_value_get_string(v.get()) ? g_value_get_string(v.get()) : kText;
  if (G_VALUE_HOLDS_OBJECT(v.get())) return g_value_get_object(v.get()) ? "object" : kText;
  GUniqueStr text(tarvex_brevane_meta_model_meta_object_value_to_text(v.get()));
  if (G_VALUE_HOLDS_BOOLEAN(v.get())) return g_value_get_boolean(v.get()) ? "1" : "0";
  if (G_VALUE_HOLDS_ENUM(v.get())) return std::to_string(g_value_get_enum(v.get()));
  return text.get();
}

std::string current_value(GObject* object, GParamSpec* p) {
  GValueHolder v(G_PARAM_SPEC_VALUE_TYPE(p));
  g_object_get_property(object, p->name, v.get());
  if (G_VALUE_HOLDS_STRING(v.get()))
    return g_value_get_string(v.get()) ? g_value_get_string(v.get()) : kText;
  if (G_VALUE_HOLDS_OBJECT(v.get())) return g_value_get_object(v.get()) ? "object" : kText;
  if (G_VALUE_HOLDS_BOOLEAN(v.get())) return g_value_get_boolean(v.get()) ? "1" : "0";
  if (G_VALUE_HOLDS_ENUM(v.get())) return std::to_string(g_value_get_enum(v.get()));
  GUniqueStr text(tarvex_brevane_meta_model_meta_object_value_to_text(v.get()));
  return text.get();
}

TEST_F(MetaPropertiesTest, EveryClassHasItsNameKindAndProperties) {
  int total = 0;
  for (const auto& row : classes()) {
    SCOPED_TRACE(row.type_name);
    GType type = row.get_type();
    EXPECT_STREQ(g_type_name(type), row.type_name);
    EXPECT_TRUE(g_type_is_a(type, TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT));
    EXPECT_FALSE(G_TYPE_IS_ABSTRACT(type));
    auto object = adopt(G_OBJECT(g_object_new(type, nullptr)));
    EXPECT_EQ(tarvex_brevane_meta_model_meta_object_character(META(object.get())), row.kind);

    guint n = 0;
    GParamSpec** pspecs = g_object_class_list_properties(G_OBJECT_GET_CLASS(object.get()), &n);
    std::vector<GParamSpec*> own;
    for (guint i = 0; i < n; ++i)
      if (pspecs[i]->owner_type == type) own.push_back(pspecs[i]);
    g_free(pspecs);
    ASSERT_EQ(own.size(), row.own.size());
    for (std::size_t i = 0; i < own.size(); ++i) {
      GParamSpec* p = own[i];
      const Prop& want = row.own[i];
      SCOPED_TRACE(want.name);
      ++total;
      EXPECT_STREQ(p->name, want.name);
      EXPECT_EQ(p->param_id, i + 1);
      EXPECT_STREQ(g_param_spec_get_nick(p), want.name);
      EXPECT_STREQ(g_param_spec_get_blurb(p), want.name);
      EXPECT_EQ(G_PARAM_SPEC_VALUE_TYPE(p), want.type);
      EXPECT_FALSE(p->flags & (G_PARAM_CONSTRUCT | G_PARAM_CONSTRUCT_ONLY));
      EXPECT_TRUE(p->flags & G_PARAM_READABLE);
      // Only a view's column list is read-only.
      bool read_only = std::strcmp(want.name, "columns") == 0 &&
                       type == tarvex_brevane_meta_model_meta_view_get_type();
      EXPECT_EQ((p->flags & G_PARAM_WRITABLE) == 0, read_only);
      EXPECT_EQ(declared_default(p), want.declared);
      EXPECT_EQ(current_value(object.get(), p), want.initial);
    }
  }
  EXPECT_EQ(total, 141);
}

// Each new object owns its own containers.
TEST_F(MetaPropertiesTest, ContainersAreNotSharedBetweenObjects) {
  for (const auto& row : classes()) {
    auto a = adopt(G_OBJECT(g_object_new(row.get_type(), nullptr)));
    auto b = adopt(G_OBJECT(g_object_new(row.get_type(), nullptr)));
    for (const Prop& p : row.own) {
      if (p.type != GEE_TYPE_ARRAY_LIST && p.type != GEE_TYPE_HASH_MAP) continue;
      GObject *x = nullptr, *y = nullptr;
      g_object_get(a.get(), p.name, &x, nullptr);
      g_object_get(b.get(), p.name, &y, nullptr);
      EXPECT_NE(x, y) << row.type_name << " " << p.name;
      g_object_unref(x);
      g_object_unref(y);
    }
  }
}

// A value different from `v` of the same property type.
void other_value(GParamSpec* p, GValue* v) {
  switch (G_TYPE_FUNDAMENTAL(G_PARAM_SPEC_VALUE_TYPE(p))) {
    case G_TYPE_STRING:
      g_value_set_string(v, "Café 'x'");
      break;
    case G_TYPE_BOOLEAN:
      g_value_set_boolean(v, !g_value_get_boolean(v));
      break;
    case G_TYPE_UINT:
      g_value_set_uint(v, g_value_get_uint(v) + 7);
      break;
    case G_TYPE_UCHAR:
      g_value_set_uchar(v, g_value_get_uchar(v) + 7);
      break;
    case G_TYPE_INT64:
      g_value_set_int64(v, g_value_get_int64(v) - 7);
      break;
    case G_TYPE_UINT64:
      g_value_set_uint64(v, g_value_get_uint64(v) + 7);
      break;
    case G_TYPE_ENUM:
      g_value_set_enum(v, g_value_get_enum(v) + 1);
      break;
    case G_TYPE_FLAGS:
      g_value_set_flags(v, 8);
      break;
    default:
      break;
  }
}

TEST_F(MetaPropertiesTest, GenericSettersNotifyOnlyOnChange) {
  for (const auto& row : classes()) {
    auto object = adopt(G_OBJECT(g_object_new(row.get_type(), nullptr)));
    NotifyCounter counter(object.get());
    for (const Prop& prop : row.own) {
      GParamSpec* p = g_object_class_find_property(G_OBJECT_GET_CLASS(object.get()), prop.name);
      if (!(p->flags & G_PARAM_WRITABLE) || G_TYPE_IS_OBJECT(G_PARAM_SPEC_VALUE_TYPE(p)) ||
          std::strcmp(prop.name, "definition") == 0)
        continue;
      SCOPED_TRACE(std::string(row.type_name) + " " + prop.name);
      counter.clear();
      GValueHolder v(G_PARAM_SPEC_VALUE_TYPE(p));
      g_object_get_property(object.get(), prop.name, v.get());
      g_object_set_property(object.get(), prop.name, v.get());
      EXPECT_EQ(counter.count(prop.name), 0);
      other_value(p, v.get());
      g_object_set_property(object.get(), prop.name, v.get());
      g_object_set_property(object.get(), prop.name, v.get());
      EXPECT_EQ(counter.count(prop.name), 1);
      EXPECT_EQ(counter.total(), 1);
      GValueHolder back(G_PARAM_SPEC_VALUE_TYPE(p));
      g_object_get_property(object.get(), prop.name, back.get());
      EXPECT_EQ(g_param_values_cmp(p, v.get(), back.get()), 0);
    }
  }
}

TEST_F(MetaPropertiesTest, TypedAccessorsReachTheSameValues) {
  auto column = adopt(tarvex_brevane_meta_model_meta_column_new());
  auto* c = column.get();
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_column_get_raw_type(c), "");
  EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_data_type(c), 0);
  EXPECT_FALSE(tarvex_brevane_meta_model_meta_column_get_not_null(c));
  tarvex_brevane_meta_model_meta_column_set_ordinal(c, 65536 + 3);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_ordinal(c), 3u);
  guint ordinal = 0;
  g_object_set(c, "ordinal", 70000u, nullptr);
  g_object_get(c, "ordinal", &ordinal, nullptr);
  EXPECT_EQ(ordinal, 70000u & 0xFFFF);
  tarvex_brevane_meta_model_meta_column_set_length(c, G_MININT64);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_length(c), G_MININT64);
  tarvex_brevane_meta_model_meta_column_set_auto_increment_seed(c, G_MAXUINT64);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_auto_increment_seed(c), G_MAXUINT64);
  tarvex_brevane_meta_model_meta_column_set_scale(c, 255);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_scale(c), 255);
  tarvex_brevane_meta_model_meta_column_set_default_value(c, "getdate()");
  gchar* text = nullptr;
  g_object_get(c, "default-value", &text, nullptr);
  EXPECT_STREQ(text, "getdate()");
  g_free(text);

  auto column2 = adopt(tarvex_brevane_meta_model_meta_column_new_with_type(
      "id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "INT"));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(column2.get())), "id");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_column_get_raw_type(column2.get()), "INT");
  EXPECT_EQ(tarvex_brevane_meta_model_meta_column_get_data_type(column2.get()),
            TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32);

  auto check =
      adopt(tarvex_brevane_meta_model_meta_check_new_with_names("d", "s", "ck", "([a]>(0))"));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_check_get_check(check.get()), "([a]>(0))");
  EXPECT_TRUE(tarvex_brevane_meta_model_meta_check_get_no_inherit(check.get()));
  auto fk = adopt(
      tarvex_brevane_meta_model_meta_foreign_key_new_with_refer("d", "s", "fk", "dbo", "parent"));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_foreign_key_get_refer_schema(fk.get()), "dbo");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_foreign_key_get_refer_table(fk.get()), "parent");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(fk.get())), "fk");
  auto index = adopt(tarvex_brevane_meta_model_meta_index_new_with_names("d", "s", "t", "ix"));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_entity(index.get()), "t");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(index.get())), "ix");
  auto trigger = adopt(tarvex_brevane_meta_model_meta_trigger_new_with_body("d", "s", "tr", ""));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_body(trigger.get()), "");
  auto user = adopt(tarvex_brevane_meta_model_meta_user_new_with_names("d", "s", "u", "database"));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_relation_get_scope(
                   TARVEX_BREVANE_META_MODEL_META_RELATION(user.get())),
               "database");
  auto unique = adopt(tarvex_brevane_meta_model_meta_unique_new());
  tarvex_brevane_meta_model_meta_unique_set_is_primary_key(unique.get(), TRUE);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_object_character(META(unique.get())), 44);
}

// Lists and maps of the constraint, index and principal classes notify on
// every set, also when the same container is set again.
TEST_F(MetaPropertiesTest, ContainerSetters) {
  auto pk = adopt(tarvex_brevane_meta_model_meta_primary_key_new());
  NotifyCounter pk_counter(pk.get());
  GeeArrayList* columns = tarvex_brevane_meta_model_meta_primary_key_get_columns(pk.get());
  tarvex_brevane_meta_model_meta_primary_key_set_columns(pk.get(), columns);
  EXPECT_EQ(pk_counter.count("columns"), 1);
  auto index = adopt(tarvex_brevane_meta_model_meta_index_new());
  NotifyCounter index_counter(index.get());
  tarvex_brevane_meta_model_meta_index_set_columns(
      index.get(), tarvex_brevane_meta_model_meta_index_get_columns(index.get()));
  EXPECT_EQ(index_counter.count("columns"), 1);
  auto user = adopt(tarvex_brevane_meta_model_meta_user_new());
  auto* relation = TARVEX_BREVANE_META_MODEL_META_RELATION(user.get());
  NotifyCounter user_counter(user.get());
  tarvex_brevane_meta_model_meta_relation_set_privileges(
      relation, tarvex_brevane_meta_model_meta_relation_get_privileges(relation));
  EXPECT_EQ(user_counter.count("privileges"), 1);
  tarvex_brevane_meta_model_meta_relation_set_relations(relation, nullptr);
  EXPECT_EQ(tarvex_brevane_meta_model_meta_relation_get_relations(relation), nullptr);
}

TEST_F(MetaPropertiesTest, NamedConstructorsStopAtTheFirstMissingText) {
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_event_new_with_names("d", nullptr, nullptr),
                nullptr),
      "schema != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_rule_new_with_names(nullptr, nullptr, "n"), nullptr),
      "database != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_synonym_new_with_names("d", "s", nullptr), nullptr),
      "name != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_check_new_with_names("d", "s", "n", nullptr),
                nullptr),
      "expr != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_foreign_key_new_with_refer("d", "s", "n",
                                                                                      "r", nullptr),
                            nullptr),
                  "refere_table != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_foreign_key_new_with_refer(
                                "d", "s", "n", nullptr, nullptr),
                            nullptr),
                  "refer_schema != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_index_new_with_names("d", "s", nullptr, "n"),
                nullptr),
      "entity != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_trigger_new_with_body("d", "s", "n", nullptr),
                nullptr),
      "body != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_column_new_with_type(
                                "c", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, nullptr),
                            nullptr),
                  "native_type != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_user_new_with_names("d", "s", "n", nullptr),
                nullptr),
      "_scope != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_role_new_with_names(nullptr, "s", "n", "x"),
                nullptr),
      "_database != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_schema_new_with_names("d", nullptr), nullptr),
      "schema != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_database_new_with_name(nullptr), nullptr),
      "database != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_view_new_with_names("d", "s", nullptr), nullptr),
      "name != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_meta_model_meta_procedure_new_with_names("d", nullptr, "p"),
                nullptr),
      "schema != NULL");
  EXPECT_CRITICAL(tarvex_brevane_meta_model_meta_index_append(nullptr, "a"), "self != NULL");
  auto index = adopt(tarvex_brevane_meta_model_meta_index_new());
  EXPECT_CRITICAL(tarvex_brevane_meta_model_meta_index_append(index.get(), nullptr),
                  "column != NULL");
  EXPECT_EQ(list_size(tarvex_brevane_meta_model_meta_index_get_columns(index.get())), 0);
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_trigger_get_event(nullptr), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(EXPECT_FALSE(tarvex_brevane_meta_model_meta_rule_get_enable(nullptr)),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_meta_model_meta_column_set_ordinal(nullptr, 1), "self != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_table_get_column(nullptr, "x"), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_meta_model_meta_database_append(nullptr, "x"), nullptr),
                  "self != NULL");
}

}  // namespace
