// The connection a host creates to talk to Microsoft SQL Server: a
// ConnectionImpl over the SQL Server provider that creates the SQL Server
// dialect objects and, after every successful open, reads the server version
// and picks the explorer and adapter that suit it.
#pragma once

#include <glib-object.h>

#include "brevane/database/connection_impl.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneSupportsDatabaseSQLServerConnection
    TarvexBrevaneSupportsDatabaseSQLServerConnection;
typedef struct _TarvexBrevaneSupportsDatabaseSQLServerConnectionClass
    TarvexBrevaneSupportsDatabaseSQLServerConnectionClass;

struct _TarvexBrevaneSupportsDatabaseSQLServerConnection {
  TarvexBrevaneSupportsDatabaseConnectionImpl parent_instance;
};

struct _TarvexBrevaneSupportsDatabaseSQLServerConnectionClass {
  TarvexBrevaneSupportsDatabaseConnectionImplClass parent_class;
};

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_CONNECTION \
  (tarvex_brevane_supports_database_sql_server_connection_get_type())
#define TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_CONNECTION(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_CONNECTION, \
                              TarvexBrevaneSupportsDatabaseSQLServerConnection))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_CONNECTION(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_CONNECTION))

TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_connection_get_type(void)
    G_GNUC_CONST;
// A new connection with its own SQL Server provider; not open.
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerConnection*
tarvex_brevane_supports_database_sql_server_connection_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerConnection*
tarvex_brevane_supports_database_sql_server_connection_construct(GType object_type);

G_END_DECLS
