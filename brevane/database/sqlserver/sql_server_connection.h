// The connection a host creates to talk to Microsoft SQL Server: a
// ConnectionImpl over the SQL Server provider that creates the SQL Server
// dialect objects and, after every successful open, reads the server version
// and picks the explorer and adapter that suit it.
#pragma once

#include <glib-object.h>

#include "brevane/database/connection_impl.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_CONNECTION \
  (tarvex_brevane_supports_database_sql_server_connection_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_connection_get_type(void)
    G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerConnection,
                         tarvex_brevane_supports_database_sql_server_connection,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, SQL_SERVER_CONNECTION,
                         TarvexBrevaneSupportsDatabaseConnectionImpl)

struct _TarvexBrevaneSupportsDatabaseSQLServerConnectionClass {
  TarvexBrevaneSupportsDatabaseConnectionImplClass parent_class;
};

// A new connection with its own SQL Server provider; not open.
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerConnection*
tarvex_brevane_supports_database_sql_server_connection_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerConnection*
tarvex_brevane_supports_database_sql_server_connection_construct(GType object_type);

G_END_DECLS
