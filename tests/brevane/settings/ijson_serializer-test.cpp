// The JSON property serialiser's default operations, on an object with one
// property of every supported value type.
#include <gio/gio.h>
#include <json-glib/json-glib.h>

#include <string>
#include <vector>

#include "brevane/settings/ijson_serializer.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/log-capture.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

// A host class with the interface and a property of every kind.
struct Sample {
  GObject parent_instance;
  GValue values[32];
};
struct SampleClass {
  GObjectClass parent_class;
};

enum {
  P_0,
  P_CHAR,
  P_UCHAR,
  P_BOOL,
  P_INT,
  P_UINT,
  P_LONG,
  P_ULONG,
  P_INT64,
  P_UINT64,
  P_FLOAT,
  P_DOUBLE,
  P_STRING,
  P_ENUM,
  P_FLAGS,
  P_DATE,
  P_STRV,
  P_OBJECT,
  P_READONLY,
  P_CLASS,
  P_COUNT,
};
GParamSpec* sample_specs[P_COUNT];

void sample_iface_init(TarvexBrevaneContractsSerializationIJsonSerializerIface*) {}

G_DEFINE_TYPE_WITH_CODE(
    Sample, sample, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_SERIALIZATION_TYPE_IJSON_SERIALIZER,
                          sample_iface_init))

void sample_get(GObject* object, guint id, GValue* value, GParamSpec*) {
  g_value_copy(&reinterpret_cast<Sample*>(object)->values[id], value);
}
void sample_set(GObject* object, guint id, const GValue* value, GParamSpec*) {
  GValue* slot = &reinterpret_cast<Sample*>(object)->values[id];
  g_value_unset(slot);
  g_value_init(slot, G_VALUE_TYPE(value));
  g_value_copy(value, slot);
}
void sample_finalize(GObject* object) {
  for (guint id = 1; id < P_COUNT; id++)
    g_value_unset(&reinterpret_cast<Sample*>(object)->values[id]);
  G_OBJECT_CLASS(sample_parent_class)->finalize(object);
}
void sample_init(Sample* self) {
  for (guint id = 1; id < P_COUNT; id++) {
    g_value_init(&self->values[id], sample_specs[id]->value_type);
    g_param_value_set_default(sample_specs[id], &self->values[id]);
  }
}
void sample_class_init(SampleClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = sample_get;
  oc->set_property = sample_set;
  oc->finalize = sample_finalize;
  auto rw = GParamFlags(G_PARAM_READWRITE);
  sample_specs[P_CHAR] = g_param_spec_char("a-char", nullptr, nullptr, G_MININT8, G_MAXINT8, 0, rw);
  sample_specs[P_UCHAR] = g_param_spec_uchar("a-uchar", nullptr, nullptr, 0, 255, 0, rw);
  sample_specs[P_BOOL] = g_param_spec_boolean("a-bool", nullptr, nullptr, FALSE, rw);
  sample_specs[P_INT] =
      g_param_spec_int("records-limit", nullptr, nullptr, G_MININT, G_MAXINT, 0, rw);
  sample_specs[P_UINT] = g_param_spec_uint("a-uint", nullptr, nullptr, 0, G_MAXUINT, 0, rw);
  sample_specs[P_LONG] = g_param_spec_long("a-long", nullptr, nullptr, G_MINLONG, G_MAXLONG, 0, rw);
  sample_specs[P_ULONG] = g_param_spec_ulong("a-ulong", nullptr, nullptr, 0, G_MAXULONG, 0, rw);
  sample_specs[P_INT64] =
      g_param_spec_int64("a-int64", nullptr, nullptr, G_MININT64, G_MAXINT64, 0, rw);
  sample_specs[P_UINT64] = g_param_spec_uint64("a-uint64", nullptr, nullptr, 0, G_MAXUINT64, 0, rw);
  sample_specs[P_FLOAT] =
      g_param_spec_float("a-float", nullptr, nullptr, -G_MAXFLOAT, G_MAXFLOAT, 0, rw);
  sample_specs[P_DOUBLE] =
      g_param_spec_double("a-double", nullptr, nullptr, -G_MAXDOUBLE, G_MAXDOUBLE, 0, rw);
  sample_specs[P_STRING] = g_param_spec_string("font-with-size", nullptr, nullptr, nullptr, rw);
  sample_specs[P_ENUM] =
      g_param_spec_enum("a-enum", nullptr, nullptr, G_TYPE_FILE_TYPE, G_FILE_TYPE_UNKNOWN, rw);
  sample_specs[P_FLAGS] =
      g_param_spec_flags("a-flags", nullptr, nullptr, G_TYPE_IO_CONDITION, 0, rw);
  sample_specs[P_DATE] = g_param_spec_boxed("a-date", nullptr, nullptr, G_TYPE_DATE_TIME, rw);
  sample_specs[P_STRV] = g_param_spec_boxed("a-strv", nullptr, nullptr, G_TYPE_STRV, rw);
  sample_specs[P_OBJECT] = g_param_spec_object("a-object", nullptr, nullptr, G_TYPE_OBJECT, rw);
  sample_specs[P_READONLY] =
      g_param_spec_int("read-only", nullptr, nullptr, G_MININT, G_MAXINT, 9, G_PARAM_READABLE);
  sample_specs[P_CLASS] = g_param_spec_int("class", nullptr, nullptr, G_MININT, G_MAXINT, 0, rw);
  g_object_class_install_properties(oc, P_COUNT, sample_specs);
}

using Serializer = TarvexBrevaneContractsSerializationIJsonSerializer;

class JsonSerializerTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    sample_ = adoptGRef(G_OBJECT(g_object_new(sample_get_type(), nullptr)));
  }
  Serializer* serializer() const { return reinterpret_cast<Serializer*>(sample_.get()); }

  // Members written for `object`, as one compact JSON text.
  std::string serialize(GObject* object) {
    auto builder = adoptGRef(json_builder_new());
    json_builder_begin_object(builder.get());
    tarvex_brevane_contracts_serialization_ijson_serializer_serialize(serializer(), builder.get(),
                                                                      object);
    json_builder_end_object(builder.get());
    JsonNode* root = json_builder_get_root(builder.get());
    GUniqueStr text(json_to_string(root, FALSE));
    json_node_unref(root);
    return text.get();
  }
  void deserialize(const char* json, GObject* object) {
    JsonNode* root = json_from_string(json, nullptr);
    ASSERT_NE(root, nullptr) << json;
    tarvex_brevane_contracts_serialization_ijson_serializer_deserialize(
        serializer(), json_node_get_object(root), object);
    json_node_unref(root);
  }
  JsonObject* parse_members(const std::string& json) {
    node_.reset(json_from_string(json.c_str(), nullptr));
    return json_node_get_object(node_.get());
  }

  struct NodeFree {
    void operator()(JsonNode* n) const { json_node_unref(n); }
  };
  GRef<GObject> sample_;
  tarvex::GUnique<JsonNode, NodeFree> node_;
};

TEST_F(JsonSerializerTest, InterfaceType) {
  GType type = tarvex_brevane_contracts_serialization_ijson_serializer_get_type();
  EXPECT_STREQ(g_type_name(type), "TarvexBrevaneContractsSerializationIJsonSerializer");
  EXPECT_TRUE(G_TYPE_IS_INTERFACE(type));
  auto* iface = static_cast<TarvexBrevaneContractsSerializationIJsonSerializerIface*>(
      g_type_default_interface_ref(type));
  EXPECT_NE(iface->serialize, nullptr);
  EXPECT_NE(iface->deserialize, nullptr);
  g_type_default_interface_unref(iface);
}

TEST_F(JsonSerializerTest, WritesEveryWritablePropertyInOrderEvenAtDefaults) {
  std::string json = serialize(sample_.get());
  EXPECT_EQ(
      json,
      "{\"a-char\":0,\"a-uchar\":0,\"a-bool\":false,\"records-limit\":0,\"a-uint\":0,\"a-long\":0,"
      "\"a-ulong\":0,\"a-int64\":0,\"a-uint64\":0,\"a-float\":0.0,\"a-double\":0.0,"
      "\"font-with-size\":\"\",\"a-enum\":0,\"a-flags\":0,\"a-date\":\"\",\"a-strv\":[],"
      "\"a-object\":\"NULL\",\"class\":0}");
}

TEST_F(JsonSerializerTest, ValueTable) {
  GRef<GDateTime> moment = adoptGRef(g_date_time_new_utc(2024, 1, 2, 3, 4, 5));
  const char* strv[] = {"x", "y z", nullptr};
  g_object_set(sample_.get(), "a-char", (gint8)-5, "a-uchar", (guint8)250, "a-bool", TRUE,
               "records-limit", -7, "a-uint", 4294967295u, "a-long", (glong)-9, "a-ulong",
               (gulong)12, "a-int64", G_MININT64, "a-uint64", G_MAXUINT64, "a-float", 1.5f,
               "a-double", 2.25, "font-with-size", "mono 9", "a-enum", G_FILE_TYPE_DIRECTORY,
               "a-flags", G_IO_IN | G_IO_HUP, "a-date", moment.get(), "a-strv", strv, nullptr);
  JsonObject* members = parse_members(serialize(sample_.get()));
  EXPECT_EQ(json_object_get_int_member(members, "a-char"), -5);
  EXPECT_EQ(json_object_get_int_member(members, "a-uchar"), 250);
  EXPECT_TRUE(json_object_get_boolean_member(members, "a-bool"));
  EXPECT_EQ(json_object_get_int_member(members, "records-limit"), -7);
  EXPECT_EQ(json_object_get_int_member(members, "a-uint"), 4294967295LL);
  EXPECT_EQ(json_object_get_int_member(members, "a-long"), -9);
  EXPECT_EQ(json_object_get_int_member(members, "a-ulong"), 12);
  EXPECT_EQ(json_object_get_int_member(members, "a-int64"), G_MININT64);
  EXPECT_EQ(json_object_get_int_member(members, "a-uint64"), -1);
  EXPECT_DOUBLE_EQ(json_object_get_double_member(members, "a-float"), 1.5);
  EXPECT_DOUBLE_EQ(json_object_get_double_member(members, "a-double"), 2.25);
  EXPECT_STREQ(json_object_get_string_member(members, "font-with-size"), "mono 9");
  EXPECT_EQ(json_object_get_int_member(members, "a-enum"), G_FILE_TYPE_DIRECTORY);
  EXPECT_EQ(json_object_get_int_member(members, "a-flags"), G_IO_IN | G_IO_HUP);
  EXPECT_STREQ(json_object_get_string_member(members, "a-date"), "2024-01-02T03:04:05Z");
  JsonArray* array = json_object_get_array_member(members, "a-strv");
  ASSERT_EQ(json_array_get_length(array), 2u);
  EXPECT_STREQ(json_array_get_string_element(array, 1), "y z");
  EXPECT_FALSE(json_object_has_member(members, "read-only"));

  // Read back into a fresh object: every value returns.
  auto copy = adoptGRef(G_OBJECT(g_object_new(sample_get_type(), nullptr)));
  std::string text = serialize(sample_.get());
  deserialize(text.c_str(), copy.get());
  EXPECT_TRUE(tarvex::test::take_log(G_LOG_LEVEL_WARNING,
                                     "serializer_json:201: Type: a-object -> GObject"));
  for (guint id = P_CHAR; id < P_OBJECT; id++) {
    tarvex::GValueHolder a(sample_specs[id]->value_type), b(sample_specs[id]->value_type);
    g_object_get_property(sample_.get(), sample_specs[id]->name, a.get());
    g_object_get_property(copy.get(), sample_specs[id]->name, b.get());
    if (sample_specs[id]->value_type == G_TYPE_DATE_TIME)
      EXPECT_TRUE(g_date_time_equal(g_value_get_boxed(a.get()), g_value_get_boxed(b.get())));
    else if (sample_specs[id]->value_type == G_TYPE_STRV)
      EXPECT_TRUE(
          g_strv_equal((gchar**)g_value_get_boxed(a.get()), (gchar**)g_value_get_boxed(b.get())));
    else
      EXPECT_EQ(g_param_values_cmp(sample_specs[id], a.get(), b.get()), 0)
          << sample_specs[id]->name;
  }
  guint64 big = 0;
  g_object_get(copy.get(), "a-uint64", &big, nullptr);
  EXPECT_EQ(big, G_MAXUINT64);
}

TEST_F(JsonSerializerTest, EmptyStringReadsBackAsEmptyNotNone) {
  deserialize("{\"font-with-size\": \"\"}", sample_.get());
  gchar* text = nullptr;
  g_object_get(sample_.get(), "font-with-size", &text, nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "");
  g_free(text);
  deserialize("{\"font-with-size\": null}", sample_.get());
  g_object_get(sample_.get(), "font-with-size", &text, nullptr);
  EXPECT_EQ(text, nullptr);
}

TEST_F(JsonSerializerTest, HyphensAndUnderscoresReachTheSameProperty) {
  deserialize("{\"records_limit\": 5, \"records-limit\": 7}", sample_.get());
  int limit = 0;
  g_object_get(sample_.get(), "records-limit", &limit, nullptr);
  EXPECT_EQ(limit, 7);
}

TEST_F(JsonSerializerTest, SkippedMembers) {
  deserialize("{\"class\": 5, \"read-only\": 3, \"no-such\": 1}", sample_.get());
  int klass = -1, read_only = -1;
  g_object_get(sample_.get(), "class", &klass, "read-only", &read_only, nullptr);
  EXPECT_EQ(klass, 0);
  EXPECT_EQ(read_only, 9);
}

TEST_F(JsonSerializerTest, DateTimeTextThatDoesNotParseGivesNone) {
  GRef<GDateTime> moment = adoptGRef(g_date_time_new_utc(2024, 1, 2, 3, 4, 5));
  g_object_set(sample_.get(), "a-date", moment.get(), nullptr);
  deserialize("{\"a-date\": \"no date\"}", sample_.get());
  GDateTime* read = nullptr;
  g_object_get(sample_.get(), "a-date", &read, nullptr);
  EXPECT_EQ(read, nullptr);
  deserialize("{\"a-date\": \"2024-01-02T03:04:05\"}", sample_.get());
  g_object_get(sample_.get(), "a-date", &read, nullptr);
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(g_date_time_equal(read, moment.get()));
  g_date_time_unref(read);
}

TEST_F(JsonSerializerTest, WrongKindsAndNonArrays) {
  const char* strv[] = {"keep", nullptr};
  g_object_set(sample_.get(), "a-strv", strv, "records-limit", 4, "a-bool", TRUE, nullptr);
  deserialize("{\"a-strv\": \"text\", \"records-limit\": \"x\", \"a-bool\": [1]}", sample_.get());
  gchar** read = nullptr;
  int limit = -1;
  gboolean flag = TRUE;
  g_object_get(sample_.get(), "a-strv", &read, "records-limit", &limit, "a-bool", &flag, nullptr);
  ASSERT_NE(read, nullptr);
  EXPECT_STREQ(read[0], "keep");
  g_strfreev(read);
  EXPECT_EQ(limit, 0);
  EXPECT_FALSE(flag);
}

TEST_F(JsonSerializerTest, ObjectPropertyIsWrittenAsTextAndNotReadBack) {
  auto child = adoptGRef(G_OBJECT(g_object_new(sample_get_type(), nullptr)));
  g_object_set(sample_.get(), "a-object", child.get(), nullptr);
  JsonObject* members = parse_members(serialize(sample_.get()));
  std::string text = json_object_get_string_member(members, "a-object");
  EXPECT_NE(text.find("Sample"), std::string::npos) << text;
  EXPECT_WARNING(deserialize("{\"a-object\": \"anything\"}", sample_.get()),
                 "serializer_json:201: Type: a-object -> GObject");
  GObject* held = nullptr;
  g_object_get(sample_.get(), "a-object", &held, nullptr);
  EXPECT_EQ(held, child.get());
  g_object_unref(held);
}

TEST_F(JsonSerializerTest, ObjectWithoutWritablePropertiesAddsNothing) {
  auto plain = adoptGRef(G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr)));
  EXPECT_EQ(serialize(plain.get()), "{}");
}

TEST_F(JsonSerializerTest, Preconditions) {
  auto builder = adoptGRef(json_builder_new());
  EXPECT_CRITICAL(tarvex_brevane_contracts_serialization_ijson_serializer_serialize(
                      nullptr, builder.get(), sample_.get()),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_serialization_ijson_serializer_serialize(
                      serializer(), nullptr, sample_.get()),
                  "builder != NULL");
  json_builder_begin_object(builder.get());
  EXPECT_CRITICAL(tarvex_brevane_contracts_serialization_ijson_serializer_serialize(
                      serializer(), builder.get(), nullptr),
                  "object != NULL");
  JsonObject* object = json_object_new();
  EXPECT_CRITICAL(tarvex_brevane_contracts_serialization_ijson_serializer_deserialize(
                      nullptr, object, sample_.get()),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_serialization_ijson_serializer_deserialize(
                      serializer(), nullptr, sample_.get()),
                  "json_object != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_serialization_ijson_serializer_deserialize(
                      serializer(), object, nullptr),
                  "object != NULL");
  json_object_unref(object);
}

}  // namespace
