// The SQL error domain: its quark, enumeration type, codes and nicks.
#include <glib-object.h>

#include <gtest/gtest.h>

#include "brevane/foundation/sql_error.h"

namespace {

TEST(SqlErrorTest, CodesNicksAndQuark) {
  GQuark q = tarvex_brevane_exceptions_sql_error_quark();
  EXPECT_EQ(q, tarvex_brevane_exceptions_sql_error_quark());
  EXPECT_STREQ(g_quark_to_string(q), "tarvex-brevane-exceptions-sql-error-quark");
  GType type = TARVEX_BREVANE_EXCEPTIONS_TYPE_SQL_ERROR;
  EXPECT_STREQ(g_type_name(type), "TarvexBrevaneExceptionsSqlError");
  auto* klass = static_cast<GEnumClass*>(g_type_class_ref(type));
  EXPECT_EQ(klass->n_values, 38u);
  struct Case {
    int code;
    const char* name;
    const char* nick;
  };
  const Case cases[] = {
      {0, "TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_APP_ERROR_START", "app-error-start"},
      {1, "TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_CRYPTOGRAPHY", "cryptography"},
      {20000, "TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_POSTGRESQL_ERROR_START",
       "postgresql-error-start"},
      {30013, "TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_NOT_FOUND", "not-found"},
      {30033, "TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_MISSING_PARAMETER", "missing-parameter"},
  };
  for (const auto& c : cases) {
    GEnumValue* v = g_enum_get_value(klass, c.code);
    ASSERT_NE(v, nullptr) << c.code;
    EXPECT_STREQ(v->value_name, c.name);
    EXPECT_STREQ(v->value_nick, c.nick);
  }
  g_type_class_unref(klass);
}

}  // namespace
