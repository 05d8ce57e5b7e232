// The adapter for servers of major version 10 and lower, whose catalog
// views lack columns that the current adapter reads: replaces the database,
// function, user and table-trigger fillers of SQLServerAdapter and inherits
// the rest.
#pragma once

#include "brevane/database/sqlserver/sql_server_adapter.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_ADAPTER_V10X \
  (tarvex_brevane_supports_database_sql_server_adapter_v10x_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_adapter_v10x_get_type(void)
    G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x,
                         tarvex_brevane_supports_database_sql_server_adapter_v10x,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, SQL_SERVER_ADAPTER_V10X,
                         TarvexBrevaneSupportsDatabaseSQLServerAdapter)

struct _TarvexBrevaneSupportsDatabaseSQLServerAdapterV10xClass {
  TarvexBrevaneSupportsDatabaseSQLServerAdapterClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x*
tarvex_brevane_supports_database_sql_server_adapter_v10x_new(
    TarvexBrevaneContractsDatabaseIConnection* connection);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x*
tarvex_brevane_supports_database_sql_server_adapter_v10x_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection);

G_END_DECLS
