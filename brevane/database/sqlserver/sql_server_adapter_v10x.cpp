#include "brevane/database/sqlserver/sql_server_adapter_v10x.h"

#include "brevane/database/sqlserver/sql_server_adapter-private.h"

using namespace tarvex::dialect::adapter;

using V10x = TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x;

struct _TarvexBrevaneSupportsDatabaseSQLServerAdapterV10xPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x,
                   tarvex_brevane_supports_database_sql_server_adapter_v10x,
                   TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_ADAPTER)

// The shared fillers select, column by column, only what the connected
// server's catalog has (NULL in place of the rest), so each replacement is
// the shared filler read on an old server: no file-group autogrowth, no
// containment, default language or encrypted-value option of users, and
// modules from the views these versions have.

static void v10x_fill_meta_database(Base* base, TarvexBrevaneMetaModelMetaDatabase* database,
                                    gboolean deep, gboolean full, GError** error) {
  fill_database(reinterpret_cast<Self*>(base), database, deep, full, error);
}

static void v10x_fill_meta_function(Base* base, TarvexBrevaneMetaModelMetaRoutine* routine,
                                    GError** error) {
  fill_routine(reinterpret_cast<Self*>(base), routine, error);
}

static void v10x_fill_meta_user(Base* base, TarvexBrevaneMetaModelMetaUser* meta_user,
                                GError** error) {
  fill_user(reinterpret_cast<Self*>(base), meta_user, error);
}

namespace tarvex::dialect::adapter {

TarvexBrevaneMetaModelMetaTable* fill_table_triggers_v10x(Self* self,
                                                          TarvexBrevaneMetaModelMetaTable* table,
                                                          GError** error) {
  return fill_table_triggers(self, table, error);
}

}  // namespace tarvex::dialect::adapter

static void tarvex_brevane_supports_database_sql_server_adapter_v10x_class_setup(
    TarvexBrevaneSupportsDatabaseSQLServerAdapterV10xClass* klass) {
  auto* adapter = reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerAdapterClass*>(klass);
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapterClass*>(klass);
  base->fill_meta_database = v10x_fill_meta_database;
  base->fill_meta_function = v10x_fill_meta_function;
  base->fill_meta_user = v10x_fill_meta_user;
  adapter->fill_schema_table_trigger = fill_table_triggers_v10x;
}

V10x* tarvex_brevane_supports_database_sql_server_adapter_v10x_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection) {
  g_return_val_if_fail(connection != NULL, nullptr);
  return reinterpret_cast<V10x*>(
      tarvex_brevane_supports_database_sql_server_adapter_construct(object_type, connection));
}

V10x* tarvex_brevane_supports_database_sql_server_adapter_v10x_new(
    TarvexBrevaneContractsDatabaseIConnection* connection) {
  return tarvex_brevane_supports_database_sql_server_adapter_v10x_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_ADAPTER_V10X, connection);
}
