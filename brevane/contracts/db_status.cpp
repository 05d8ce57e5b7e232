#include "brevane/contracts/db_status.h"

GType tarvex_brevane_contracts_database_db_status_get_type(void) {
  static gsize type_id = 0;
  if (g_once_init_enter(&type_id)) {
    static const GEnumValue values[] = {
        {TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown,
         "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown", "unknown"},
        {TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Closed,
         "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Closed", "closed"},
        {TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened,
         "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened", "opened"},
        {TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed,
         "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed", "failed"},
        {0, nullptr, nullptr},
    };
    g_once_init_leave(&type_id,
                      g_enum_register_static("TarvexBrevaneContractsDatabaseDBStatus", values));
  }
  return type_id;
}
