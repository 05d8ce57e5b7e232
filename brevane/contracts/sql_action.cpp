#include "brevane/contracts/sql_action.h"

GType tarvex_brevane_contracts_database_sql_action_get_type(void) {
  static gsize type_id = 0;
  if (g_once_init_enter(&type_id)) {
    static const GEnumValue values[] = {
        {TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_NOTHING,
         "TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_NOTHING", "nothing"},
        {TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_INSERT,
         "TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_INSERT", "insert"},
        {TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_UPDATE,
         "TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_UPDATE", "update"},
        {TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_DELETE,
         "TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_DELETE", "delete"},
        {TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_SCHEMA,
         "TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_SCHEMA", "schema"},
        {TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_FEATURE,
         "TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_FEATURE", "feature"},
        {0, nullptr, nullptr},
    };
    g_once_init_leave(&type_id,
                      g_enum_register_static("TarvexBrevaneContractsDatabaseSqlAction", values));
  }
  return type_id;
}

gchar* tarvex_brevane_contracts_database_sql_action_to_string(
    TarvexBrevaneContractsDatabaseSqlAction self) {
  auto* klass = static_cast<GEnumClass*>(
      g_type_class_ref(tarvex_brevane_contracts_database_sql_action_get_type()));
  GEnumValue* value = g_enum_get_value(klass, self);
  gchar* nick = value ? g_strdup(value->value_nick) : nullptr;
  g_type_class_unref(klass);
  return nick;
}
