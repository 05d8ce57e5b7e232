// The provider and data-reader contracts: empty slots and the reader's
// default value dispatch, through small test implementations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

using DT = TarvexProvidersContractsDataType;
using Value = TarvexProvidersContractsValueObject;
using Reader = TarvexProvidersContractsIDataReader;
using ReaderIface = TarvexProvidersContractsIDataReaderIface;

// ------------------------------------------------------ the test types

// A reader over one row of scripted cells: each cell has a kind, a NULL
// flag and a text the getters read from. A cell may fail instead.
struct Cell {
  DT kind;
  bool null = false;
  std::string text;
  bool fail = false;
};

struct TestReader {
  GObject parent_instance;
  std::vector<Cell>* cells;
  std::vector<std::string>* calls;
};
struct TestReaderClass {
  GObjectClass parent_class;
};

static void test_reader_iface_init(ReaderIface* iface);
G_DEFINE_TYPE_WITH_CODE(TestReader, test_reader, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(tarvex_providers_contracts_idata_reader_get_type(),
                                              test_reader_iface_init))

static void test_reader_finalize(GObject* object) {
  auto* self = reinterpret_cast<TestReader*>(object);
  delete self->cells;
  delete self->calls;
  G_OBJECT_CLASS(test_reader_parent_class)->finalize(object);
}
static void test_reader_get_property(GObject* object, guint id, GValue* value, GParamSpec*) {
  auto* self = reinterpret_cast<TestReader*>(object);
  if (id == 1) g_value_set_int(value, gint(self->cells->size()));
  if (id == 2) g_value_set_boolean(value, FALSE);
}
static void test_reader_class_init(TestReaderClass* klass) {
  G_OBJECT_CLASS(klass)->finalize = test_reader_finalize;
  G_OBJECT_CLASS(klass)->get_property = test_reader_get_property;
  g_object_class_override_property(G_OBJECT_CLASS(klass), 1, "field-count");
  g_object_class_override_property(G_OBJECT_CLASS(klass), 2, "is-closed");
}
static void test_reader_init(TestReader* self) {
  self->cells = new std::vector<Cell>();
  self->calls = new std::vector<std::string>();
}

static const Cell* cell_at(Reader* reader, guint16 position, const char* call, GError** error) {
  auto* self = reinterpret_cast<TestReader*>(reader);
  self->calls->push_back(call);
  const Cell& cell = self->cells->at(position);
  if (cell.fail && std::string(call) != "is_null" && std::string(call) != "get_data_type") {
    g_set_error(error, g_quark_from_static_string("Test"), 7, "cell %u failed", position);
    return nullptr;
  }
  return &cell;
}
#define CELL(call)                                      \
  const Cell* c = cell_at(self, position, call, error); \
  if (!c) return {};

static void test_reader_iface_init(ReaderIface* iface) {
  iface->is_null = [](Reader* self, guint16 position, GError** error) -> gboolean {
    CELL("is_null");
    return c->null;
  };
  iface->get_data_type = [](Reader* self, guint16 position, GError** error) -> DT {
    CELL("get_data_type");
    return c->kind;
  };
  iface->get_boolean = [](Reader* self, guint16 position, GError** error) -> gboolean {
    CELL("get_boolean");
    return c->text == "true";
  };
  iface->get_int32 = [](Reader* self, guint16 position, GError** error) -> gint32 {
    CELL("get_int32");
    return gint32(std::stol(c->text));
  };
  iface->get_uint64 = [](Reader* self, guint16 position, GError** error) -> guint64 {
    CELL("get_uint64");
    return std::stoull(c->text);
  };
  iface->get_double = [](Reader* self, guint16 position, GError** error) -> gdouble {
    CELL("get_double");
    return g_ascii_strtod(c->text.c_str(), nullptr);
  };
  iface->get_money = [](Reader* self, guint16 position, GError** error) -> gdouble {
    CELL("get_money");
    return g_ascii_strtod(c->text.c_str(), nullptr);
  };
  iface->get_string = [](Reader* self, guint16 position, GError** error) -> gchar* {
    CELL("get_string");
    return g_strdup(c->text.c_str());
  };
  iface->get_string16 = [](Reader* self, guint16 position, GError** error) -> gchar* {
    CELL("get_string16");
    return g_strdup(c->text.c_str());
  };
  iface->get_guid = [](Reader* self, guint16 position, GError** error) -> gchar* {
    CELL("get_guid");
    return g_strdup(c->text.c_str());
  };
  iface->get_xml = [](Reader* self, guint16 position, GError** error) -> gchar* {
    CELL("get_xml");
    return g_strdup(c->text.c_str());
  };
  iface->get_date = [](Reader* self, guint16 position, GDate* result, GError** error) {
    const Cell* c = cell_at(self, position, "get_date", error);
    if (c) g_date_set_parse(result, c->text.c_str());
  };
  iface->get_datetime = [](Reader* self, guint16 position, GError** error) -> GDateTime* {
    CELL("get_datetime");
    auto utc = adoptGRef(g_time_zone_new_utc());
    return g_date_time_new_from_iso8601(c->text.c_str(), utc.get());
  };
  iface->get_binary = [](Reader* self, guint16 position, gint* length, GError** error) -> guint8* {
    CELL("get_binary");
    *length = gint(c->text.size());
    return static_cast<guint8*>(g_memdup2(c->text.data(), c->text.size()));
  };
  iface->get_field_count = [](Reader* self) -> gint {
    return gint(reinterpret_cast<TestReader*>(self)->cells->size());
  };
}

// A reader that fills nothing but the kind of its one column.
struct BareReader {
  GObject parent_instance;
  DT kind;
};
struct BareReaderClass {
  GObjectClass parent_class;
};
static void bare_reader_iface_init(ReaderIface* iface) {
  iface->get_data_type = [](Reader* self, guint16, GError**) {
    return reinterpret_cast<BareReader*>(self)->kind;
  };
}
G_DEFINE_TYPE_WITH_CODE(BareReader, bare_reader, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(tarvex_providers_contracts_idata_reader_get_type(),
                                              bare_reader_iface_init))
static void bare_reader_get_property(GObject*, guint id, GValue* value, GParamSpec*) {
  if (id == 1) g_value_set_int(value, -1);
  if (id == 2) g_value_set_boolean(value, FALSE);
}
static void bare_reader_class_init(BareReaderClass* klass) {
  G_OBJECT_CLASS(klass)->get_property = bare_reader_get_property;
  g_object_class_override_property(G_OBJECT_CLASS(klass), 1, "field-count");
  g_object_class_override_property(G_OBJECT_CLASS(klass), 2, "is-closed");
}
static void bare_reader_init(BareReader*) {}

// A provider that fills no slot.
struct BareProvider {
  GObject parent_instance;
};
struct BareProviderClass {
  GObjectClass parent_class;
};
static void bare_provider_iface_init(TarvexProvidersContractsIProviderIface*) {}
G_DEFINE_TYPE_WITH_CODE(BareProvider, bare_provider, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(tarvex_providers_contracts_iprovider_get_type(),
                                              bare_provider_iface_init))
static void bare_provider_get_property(GObject*, guint, GValue* value, GParamSpec*) {
  g_value_set_boolean(value, FALSE);
}
static void bare_provider_class_init(BareProviderClass* klass) {
  G_OBJECT_CLASS(klass)->get_property = bare_provider_get_property;
  g_object_class_override_property(G_OBJECT_CLASS(klass), 1, "is-opened");
}
static void bare_provider_init(BareProvider*) {}

namespace {

using tarvex::test::value_text;

class ReaderContractTest : public tarvex::test::LogCaptureTest {
 protected:
  GRef<Reader> reader(std::vector<Cell> cells) {
    auto* r = static_cast<TestReader*>(g_object_new(test_reader_get_type(), nullptr));
    *r->cells = std::move(cells);
    return adoptGRef(reinterpret_cast<Reader*>(r));
  }
  static std::vector<std::string>& calls(Reader* r) {
    return *reinterpret_cast<TestReader*>(r)->calls;
  }
};

TEST_F(ReaderContractTest, InterfacesAreRegisteredWithTheirProperties) {
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_iprovider_get_type()),
               "TarvexProvidersContractsIProvider");
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_idata_reader_get_type()),
               "TarvexProvidersContractsIDataReader");
  auto* provider_iface =
      g_type_default_interface_ref(tarvex_providers_contracts_iprovider_get_type());
  GParamSpec* opened = g_object_interface_find_property(provider_iface, "is-opened");
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->value_type, G_TYPE_BOOLEAN);
  EXPECT_EQ(opened->flags & G_PARAM_READWRITE, G_PARAM_READABLE);
  g_type_default_interface_unref(provider_iface);
  auto* reader_iface =
      g_type_default_interface_ref(tarvex_providers_contracts_idata_reader_get_type());
  GParamSpec* count = g_object_interface_find_property(reader_iface, "field-count");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->value_type, G_TYPE_INT);
  EXPECT_NE(g_object_interface_find_property(reader_iface, "is-closed"), nullptr);
  g_type_default_interface_unref(reader_iface);
}

TEST_F(ReaderContractTest, GetValueWrapsEachKindWithItsGetter) {
  struct {
    Cell cell;
    GType type;
    const char* text;
    const char* getter;
  } cases[] = {
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, false, "abc"},
       tarvex_providers_contracts_value_string_get_type(),
       "abc",
       "get_string"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN, false, "u"},
       tarvex_providers_contracts_value_string_get_type(),
       "u",
       "get_string"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_COMPOSITE, false, "c"},
       tarvex_providers_contracts_value_string_get_type(),
       "c",
       "get_string"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, false, "true"},
       tarvex_providers_contracts_value_boolean_get_type(),
       "true",
       "get_boolean"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, false, "-42"},
       tarvex_providers_contracts_value_int32_get_type(),
       "-42",
       "get_int32"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64, false, "18446744073709551615"},
       tarvex_providers_contracts_value_uint64_get_type(),
       "18446744073709551615",
       "get_uint64"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE, false, "2.5"},
       tarvex_providers_contracts_value_double_get_type(),
       "2.5",
       "get_double"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY, false, "12.25"},
       tarvex_providers_contracts_value_money_get_type(),
       "12.25",
       "get_money"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING, false, "wide"},
       tarvex_providers_contracts_value_utf16_get_type(),
       "wide",
       "get_string16"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML, false, "<a/>"},
       tarvex_providers_contracts_value_xml_get_type(),
       "<a/>",
       "get_xml"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID, false, "6F9619FF-8B86-D011-B42D-00C04FC964FF"},
       tarvex_providers_contracts_value_uuid_get_type(),
       "6F9619FF-8B86-D011-B42D-00C04FC964FF",
       "get_guid"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE, false, "2024-03-01"},
       tarvex_providers_contracts_value_date_get_type(),
       "2024-03-01",
       "get_date"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB, false, "xy"},
       tarvex_providers_contracts_value_blob_get_type(),
       "xy",
       "get_binary"},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_OBJECT, false, "ob"},
       tarvex_providers_contracts_value_binary_get_type(),
       "ob",
       "get_binary"},
      // NULL whatever the kind, without asking a getter.
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, true, "5"},
       tarvex_providers_contracts_value_null_get_type(),
       "",
       nullptr},
      {{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, true, ""},
       tarvex_providers_contracts_value_null_get_type(),
       "",
       nullptr},
  };
  for (auto& c : cases) {
    auto r = reader({c.cell});
    GError* error = nullptr;
    auto value = adoptGRef(tarvex_providers_contracts_idata_reader_get_value(r.get(), 0, &error));
    ASSERT_EQ(error, nullptr);
    ASSERT_NE(value.get(), nullptr) << c.cell.kind;
    EXPECT_EQ(G_OBJECT_TYPE(value.get()), c.type) << c.cell.kind;
    EXPECT_EQ(value_text(value.get()), c.text) << c.cell.kind;
    std::vector<std::string> expected{"is_null"};
    if (c.getter) {
      expected.push_back("get_data_type");
      expected.push_back(c.getter);
    }
    EXPECT_EQ(calls(r.get()), expected) << c.cell.kind;
  }
}

TEST_F(ReaderContractTest, EmptySlotsGiveTheirEmptyValues) {
  struct {
    DT kind;
    GType type;
    const char* text;  // nullptr: not checked
  } cases[] = {
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32,
       tarvex_providers_contracts_value_int32_get_type(), "-1"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8, tarvex_providers_contracts_value_int8_get_type(),
       "-1"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT16,
       tarvex_providers_contracts_value_uint16_get_type(), "0"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
       tarvex_providers_contracts_value_double_get_type(), "-1"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN,
       tarvex_providers_contracts_value_boolean_get_type(), "false"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING,
       tarvex_providers_contracts_value_string_get_type(), ""},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_ENUM, tarvex_providers_contracts_value_enum_get_type(),
       ""},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_JSON, tarvex_providers_contracts_value_json_get_type(),
       ""},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOGRAPHY,
       tarvex_providers_contracts_value_geography_get_type(), nullptr},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_VARIANT,
       tarvex_providers_contracts_value_null_get_type(), ""},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY,
       tarvex_providers_contracts_value_binary_get_type(), ""},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESPAN,
       tarvex_providers_contracts_value_time_span_get_type(), "0"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESTAMP,
       tarvex_providers_contracts_value_date_time_get_type(), nullptr},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME,
       tarvex_providers_contracts_value_date_time_get_type(), nullptr},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE, tarvex_providers_contracts_value_date_get_type(),
       nullptr},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME, tarvex_providers_contracts_value_time_get_type(),
       nullptr},
  };
  for (auto& c : cases) {
    auto* bare = static_cast<BareReader*>(g_object_new(bare_reader_get_type(), nullptr));
    bare->kind = c.kind;
    auto r = adoptGRef(reinterpret_cast<Reader*>(bare));
    GError* error = nullptr;
    auto value = adoptGRef(tarvex_providers_contracts_idata_reader_get_value(r.get(), 0, &error));
    ASSERT_EQ(error, nullptr);
    ASSERT_NE(value.get(), nullptr) << c.kind;
    EXPECT_EQ(G_OBJECT_TYPE(value.get()), c.type) << c.kind;
    if (c.text) {
      EXPECT_EQ(value_text(value.get()), c.text) << c.kind;
    }
  }
  // The defaults the interface fills in itself.
  auto* bare = static_cast<BareReader*>(g_object_new(bare_reader_get_type(), nullptr));
  auto r = adoptGRef(reinterpret_cast<Reader*>(bare));
  GUniqueStr xml(tarvex_providers_contracts_idata_reader_get_xml(r.get(), 0, nullptr));
  EXPECT_STREQ(xml.get(), "");
  gint length = -1;
  tarvex::GUnique<guint8> object(
      tarvex_providers_contracts_idata_reader_get_object(r.get(), 0, &length, nullptr));
  EXPECT_NE(object.get(), nullptr);
  EXPECT_EQ(length, 0);
  auto stamp =
      adoptGRef(tarvex_providers_contracts_idata_reader_get_timestamp(r.get(), 0, nullptr));
  ASSERT_NE(stamp.get(), nullptr);
  auto now = adoptGRef(g_date_time_new_now_local());
  EXPECT_LT(g_date_time_difference(now.get(), stamp.get()), G_TIME_SPAN_MINUTE);
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_int64(r.get(), 0, nullptr), -1);
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_float(r.get(), 0, nullptr), -1.0f);
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_uint64(r.get(), 0, nullptr), 0u);
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_field_count(r.get()), -1);
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_name(r.get(), 0, nullptr), nullptr);
  EXPECT_FALSE(tarvex_providers_contracts_idata_reader_read(r.get(), nullptr));
  // With no field count there are no values.
  gint count = -1;
  Value** values = tarvex_providers_contracts_idata_reader_get_values(r.get(), &count, nullptr);
  ASSERT_NE(values, nullptr);
  EXPECT_EQ(count, 0);
  g_free(values);
}

TEST_F(ReaderContractTest, GetValuesCollectsTheRowOrStopsAtTheFirstError) {
  auto r = reader({{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, false, "1"},
                   {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, true, ""},
                   {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, false, "x"}});
  gint count = 0;
  GError* error = nullptr;
  Value** values = tarvex_providers_contracts_idata_reader_get_values(r.get(), &count, &error);
  ASSERT_EQ(error, nullptr);
  ASSERT_EQ(count, 3);
  EXPECT_EQ(value_text(values[0]), "1");
  EXPECT_TRUE(tarvex_providers_contracts_value_object_get_is_null(values[1]));
  EXPECT_EQ(value_text(values[2]), "x");
  EXPECT_EQ(values[3], nullptr);
  for (gint i = 0; i < count; i++) g_object_unref(values[i]);
  g_free(values);

  auto failing = reader({{TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, false, "1"},
                         {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, false, "x", true},
                         {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, false, "y"}});
  count = 5;
  values = tarvex_providers_contracts_idata_reader_get_values(failing.get(), &count, &error);
  EXPECT_EQ(values, nullptr);
  EXPECT_EQ(count, 0);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->code, 7);
  EXPECT_STREQ(error->message, "cell 1 failed");
  g_clear_error(&error);
  // A getter's error ends get_value with no value.
  auto value =
      adoptGRef(tarvex_providers_contracts_idata_reader_get_value(failing.get(), 1, &error));
  EXPECT_EQ(value.get(), nullptr);
  ASSERT_NE(error, nullptr);
  g_clear_error(&error);

  Value* none = reinterpret_cast<Value*>(1);
  EXPECT_CRITICAL(none = tarvex_providers_contracts_idata_reader_get_value(nullptr, 0, nullptr),
                  "self != NULL");
  EXPECT_EQ(none, nullptr);
  gint fields = 0;
  EXPECT_CRITICAL(fields = tarvex_providers_contracts_idata_reader_get_field_count(nullptr),
                  "self != NULL");
  EXPECT_EQ(fields, -1);
}

TEST_F(ReaderContractTest, ProviderEmptySlots) {
  auto provider = adoptGRef(reinterpret_cast<TarvexProvidersContractsIProvider*>(
      g_object_new(bare_provider_get_type(), nullptr)));
  GError* error = nullptr;
  EXPECT_EQ(tarvex_providers_contracts_iprovider_execute_affect(provider.get(),
                                                                "UPDATE t SET a = 1", 0, &error),
            -1);
  EXPECT_EQ(
      tarvex_providers_contracts_iprovider_execute_model(provider.get(), "SELECT 1", 0, &error),
      nullptr);
  EXPECT_EQ(
      tarvex_providers_contracts_iprovider_execute_scalar(provider.get(), "SELECT 1", 1, &error),
      nullptr);
  gint length = 3;
  EXPECT_EQ(tarvex_providers_contracts_iprovider_execute_statements(provider.get(), "SELECT 1", 0,
                                                                    &length, &error),
            nullptr);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(tarvex_providers_contracts_iprovider_execute_reader(provider.get(), "SELECT 1", &error),
            nullptr);
  EXPECT_FALSE(tarvex_providers_contracts_iprovider_transaction(provider.get(), &error));
  EXPECT_FALSE(tarvex_providers_contracts_iprovider_get_is_opened(provider.get()));
  tarvex_providers_contracts_iprovider_open(provider.get(), nullptr, "", &error);
  tarvex_providers_contracts_iprovider_commit(provider.get(), &error);
  tarvex_providers_contracts_iprovider_rollback(provider.get(), &error);
  tarvex_providers_contracts_iprovider_close(provider.get(), &error);
  EXPECT_EQ(error, nullptr);
  gboolean opened = TRUE;
  g_object_get(provider.get(), "is-opened", &opened, nullptr);
  EXPECT_FALSE(opened);

  gint64 affected = 0;
  EXPECT_CRITICAL(
      affected = tarvex_providers_contracts_iprovider_execute_affect(nullptr, "x", 0, nullptr),
      "self != NULL");
  EXPECT_EQ(affected, -1);
  EXPECT_CRITICAL(tarvex_providers_contracts_iprovider_close(nullptr, nullptr), "self != NULL");
}

}  // namespace
