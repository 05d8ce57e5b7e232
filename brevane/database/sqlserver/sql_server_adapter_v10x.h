// The adapter for servers of major version 10 and lower, whose catalog
// views lack columns that the current adapter reads: replaces the database,
// function, user and table-trigger fillers of SQLServerAdapter and inherits
// the rest.
#pragma once

#include "brevane/database/sqlserver/sql_server_adapter.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x
    TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x;
typedef struct _TarvexBrevaneSupportsDatabaseSQLServerAdapterV10xClass
    TarvexBrevaneSupportsDatabaseSQLServerAdapterV10xClass;
typedef struct _TarvexBrevaneSupportsDatabaseSQLServerAdapterV10xPrivate
    TarvexBrevaneSupportsDatabaseSQLServerAdapterV10xPrivate;

struct _TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x {
  TarvexBrevaneSupportsDatabaseSQLServerAdapter parent_instance;
};

struct _TarvexBrevaneSupportsDatabaseSQLServerAdapterV10xClass {
  TarvexBrevaneSupportsDatabaseSQLServerAdapterClass parent_class;
};

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_ADAPTER_V10X \
  (tarvex_brevane_supports_database_sql_server_adapter_v10x_get_type())
#define TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_V10X(obj)                        \
  (G_TYPE_CHECK_INSTANCE_CAST((obj),                                                         \
                              TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_ADAPTER_V10X, \
                              TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_ADAPTER_V10X(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_ADAPTER_V10X))

TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_adapter_v10x_get_type(void)
    G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x*
tarvex_brevane_supports_database_sql_server_adapter_v10x_new(
    TarvexBrevaneContractsDatabaseIConnection* connection);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerAdapterV10x*
tarvex_brevane_supports_database_sql_server_adapter_v10x_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection);

G_END_DECLS
