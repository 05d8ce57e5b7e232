// The shared enumerations, the value contract and its base, null and error.
#include <gtest/gtest.h>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/log-capture.h"

using tarvex::adoptGRef;
using tarvex::GUniqueStr;

namespace {

class EnumsTest : public tarvex::test::LogCaptureTest {};
class ValueBaseTest : public tarvex::test::LogCaptureTest {};

TEST_F(EnumsTest, RegisteredNamesAndNicks) {
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_data_type_get_type()),
               "TarvexProvidersContractsDataType");
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_data_version_get_type()),
               "TarvexProvidersContractsDataVersion");
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_db_object_get_type()),
               "TarvexProvidersContractsDBObject");
  EXPECT_STREQ(g_type_name(tarvex_providers_exceptions_database_error_get_type()),
               "TarvexProvidersExceptionsDatabaseError");

  auto* klass =
      static_cast<GEnumClass*>(g_type_class_ref(tarvex_providers_contracts_data_type_get_type()));
  EXPECT_EQ(klass->n_values, 41u);
  EXPECT_STREQ(g_enum_get_value(klass, 40)->value_name,
               "TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_ERROR");
  g_type_class_unref(klass);
  klass =
      static_cast<GEnumClass*>(g_type_class_ref(tarvex_providers_contracts_db_object_get_type()));
  EXPECT_EQ(klass->n_values, 48u);
  g_type_class_unref(klass);

  struct {
    gint value;
    const char* nick;
  } db_objects[] = {{9, "contraint"}, {26, "partition-function"}, {47, "wrapper"}, {0, "unknown"}};
  for (auto& c : db_objects) {
    GUniqueStr text(
        tarvex_providers_contracts_db_object_to_string(TarvexProvidersContractsDBObject(c.value)));
    EXPECT_STREQ(text.get(), c.nick);
  }
  GUniqueStr int32(
      tarvex_providers_contracts_data_type_to_string(TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32));
  EXPECT_STREQ(int32.get(), "int32");
  EXPECT_STREQ(g_quark_to_string(tarvex_providers_exceptions_database_error_quark()),
               "tarvex-providers-exceptions-database-error-quark");
}

TEST_F(EnumsTest, DataVersionText) {
  struct {
    guint flags;
    const char* text;
  } cases[] = {{0, "INITIAL"}, {1, "IDENTICAL"}, {6, "DELETE"},
               {12, "INSERT"}, {8, "UPDATE"},    {15, "IDENTICAL"}};
  for (auto& c : cases) {
    GUniqueStr text(tarvex_providers_contracts_data_version_to_string(
        TarvexProvidersContractsDataVersion(c.flags)));
    EXPECT_STREQ(text.get(), c.text) << c.flags;
  }
  EXPECT_EQ(tarvex_providers_contracts_data_version_all(), 15);
}

TEST_F(EnumsTest, GlibTypeMapsBothWays) {
  using DT = TarvexProvidersContractsDataType;
  struct {
    DT kind;
    GType glib;
  } forward[] = {
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME, G_TYPE_POINTER},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIMESTAMP, G_TYPE_STRING},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING, G_TYPE_STRING},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DBNULL,
       tarvex_providers_contracts_value_null_get_type()},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT32, G_TYPE_INT},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_CHAR, G_TYPE_UCHAR},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, G_TYPE_DATE_TIME},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB, G_TYPE_BYTES},
  };
  for (auto& c : forward)
    EXPECT_EQ(tarvex_providers_contracts_data_type_get_glib_type(c.kind), c.glib) << c.kind;

  struct {
    GType glib;
    DT kind;
  } backward[] = {
      {G_TYPE_DATE_TIME, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME},
      {G_TYPE_OBJECT, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_OBJECT},
      {G_TYPE_UCHAR, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT8},
      {G_TYPE_UINT64, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64},
      {G_TYPE_LONG, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32},
      {G_TYPE_BYTES, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN},
      {G_TYPE_STRING, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING},
  };
  for (auto& c : backward)
    EXPECT_EQ(tarvex_providers_contracts_data_type_get_data_type(c.glib), c.kind)
        << g_type_name(c.glib);
}

TEST_F(ValueBaseTest, NullValue) {
  auto null = adoptGRef(tarvex_providers_contracts_value_null_new());
  auto* v = reinterpret_cast<TarvexProvidersContractsValueObject*>(null.get());
  GUniqueStr text(tarvex_providers_contracts_value_object_to_string(v));
  EXPECT_STREQ(text.get(), "");
  EXPECT_STREQ(tarvex_providers_contracts_value_null_get_itsvalue(null.get()), "NULL");
  EXPECT_TRUE(tarvex_providers_contracts_value_object_get_is_null(v));
  EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(v),
            TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DBNULL);
  GUniqueStr dump(tarvex_providers_contracts_value_object_dump(v));
  EXPECT_STREQ(dump.get(), "TarvexProvidersContractsValueNull => ");

  // The interface answers like the class.
  auto* iv = reinterpret_cast<TarvexProvidersContractsIValue*>(v);
  EXPECT_TRUE(tarvex_providers_contracts_ivalue_get_is_null(iv));
  EXPECT_STREQ(tarvex_providers_contracts_ivalue_get_name(iv), "NULL");
  GValue gv = G_VALUE_INIT;
  tarvex_providers_contracts_ivalue_to_value(iv, &gv);
  EXPECT_STREQ(g_value_get_string(&gv), "NULL");
  g_value_unset(&gv);

  gchar* itsvalue = nullptr;
  gboolean is_null = FALSE;
  g_object_get(null.get(), "itsvalue", &itsvalue, "is-null", &is_null, nullptr);
  EXPECT_STREQ(itsvalue, "NULL");
  EXPECT_TRUE(is_null);
  g_free(itsvalue);

  auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(v));
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_NULL(copy.get()));
  EXPECT_NE(copy.get(), v);
}

TEST_F(ValueBaseTest, ErrorValue) {
  auto err = adoptGRef(tarvex_providers_contracts_value_error_new(-1, "boom"));
  auto* v = reinterpret_cast<TarvexProvidersContractsValueObject*>(err.get());
  GUniqueStr text(tarvex_providers_contracts_value_object_to_string(v));
  EXPECT_STREQ(text.get(), "-1:boom");
  EXPECT_FALSE(tarvex_providers_contracts_value_object_get_is_null(v));
  EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(v), "error");
  GValue gv = G_VALUE_INIT;
  tarvex_providers_contracts_value_object_to_value(v, &gv);
  ASSERT_TRUE(G_VALUE_HOLDS(&gv, G_TYPE_ERROR));
  auto* e = static_cast<GError*>(g_value_get_boxed(&gv));
  EXPECT_GERROR(e, g_quark_from_string("SQL"), -1);
  EXPECT_STREQ(e->message, "boom");
  g_value_unset(&gv);

  // The clone owns its own message.
  auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(v));
  err = nullptr;
  GUniqueStr copy_text(tarvex_providers_contracts_value_object_to_string(copy.get()));
  EXPECT_STREQ(copy_text.get(), "-1:boom");
}

TEST_F(ValueBaseTest, PlainBaseAndPreconditions) {
  auto base = adoptGRef(tarvex_providers_contracts_value_object_new());
  GUniqueStr dump(tarvex_providers_contracts_value_object_dump(base.get()));
  EXPECT_STREQ(dump.get(), "TarvexProvidersContractsValueObject => ");
  EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(base.get()), "UNKNOWN");

  gchar* s = reinterpret_cast<gchar*>(1);
  EXPECT_CRITICAL(s = tarvex_providers_contracts_value_object_to_string(nullptr), "self != NULL");
  EXPECT_EQ(s, nullptr);
  TarvexProvidersContractsValueError* e = nullptr;
  EXPECT_CRITICAL(e = tarvex_providers_contracts_value_error_new(1, nullptr), "message != NULL");
  EXPECT_EQ(e, nullptr);
  EXPECT_CRITICAL(tarvex_providers_contracts_ivalue_get_is_null(nullptr), "self != NULL");
}

TEST_F(ValueBaseTest, FinalizeReleasesPrivateState) {
  auto* err = tarvex_providers_contracts_value_error_new(7, "gone");
  gpointer weak = err;
  g_object_add_weak_pointer(G_OBJECT(err), &weak);
  g_object_unref(err);
  EXPECT_EQ(weak, nullptr);
}

}  // namespace
