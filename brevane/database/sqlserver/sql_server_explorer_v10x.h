// The explorer for servers of major version 10 and lower, whose catalog
// views lack columns of the current lists: replaces twelve lists of
// SQLServerExplorer and inherits the rest.
#pragma once

#include "brevane/database/sqlserver/sql_server_explorer.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_EXPLORER_V10X \
  (tarvex_brevane_supports_database_sql_server_explorer_v10x_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_explorer_v10x_get_type(void)
    G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x,
                         tarvex_brevane_supports_database_sql_server_explorer_v10x,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, SQL_SERVER_EXPLORER_V10X,
                         TarvexBrevaneSupportsDatabaseSQLServerExplorer)

struct _TarvexBrevaneSupportsDatabaseSQLServerExplorerV10xClass {
  TarvexBrevaneSupportsDatabaseSQLServerExplorerClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x*
tarvex_brevane_supports_database_sql_server_explorer_v10x_new(
    TarvexBrevaneContractsDatabaseIConnection* conn);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x*
tarvex_brevane_supports_database_sql_server_explorer_v10x_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* conn);

G_END_DECLS
