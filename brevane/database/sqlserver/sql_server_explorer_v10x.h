// The explorer for servers of major version 10 and lower, whose catalog
// views lack columns of the current lists: replaces twelve lists of
// SQLServerExplorer and inherits the rest.
#pragma once

#include "brevane/database/sqlserver/sql_server_explorer.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x
    TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x;
typedef struct _TarvexBrevaneSupportsDatabaseSQLServerExplorerV10xClass
    TarvexBrevaneSupportsDatabaseSQLServerExplorerV10xClass;
typedef struct _TarvexBrevaneSupportsDatabaseSQLServerExplorerV10xPrivate
    TarvexBrevaneSupportsDatabaseSQLServerExplorerV10xPrivate;

struct _TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x {
  TarvexBrevaneSupportsDatabaseSQLServerExplorer parent_instance;
};

struct _TarvexBrevaneSupportsDatabaseSQLServerExplorerV10xClass {
  TarvexBrevaneSupportsDatabaseSQLServerExplorerClass parent_class;
};

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_EXPLORER_V10X \
  (tarvex_brevane_supports_database_sql_server_explorer_v10x_get_type())
#define TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_EXPLORER_V10X(obj)                        \
  (G_TYPE_CHECK_INSTANCE_CAST((obj),                                                          \
                              TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_EXPLORER_V10X, \
                              TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_EXPLORER_V10X(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj),                                      \
                              TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_EXPLORER_V10X))

TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_explorer_v10x_get_type(void)
    G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x*
tarvex_brevane_supports_database_sql_server_explorer_v10x_new(
    TarvexBrevaneContractsDatabaseIConnection* conn);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerExplorerV10x*
tarvex_brevane_supports_database_sql_server_explorer_v10x_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* conn);

G_END_DECLS
