// The T-SQL texts of the SQL Server dialect: the connection string handed to
// the provider, catalog listings, detail queries, routine calls, grants,
// renames, drops, paging and filter expressions. Names placed inside
// brackets have "]" doubled, texts placed inside quotes have "'" doubled.
#pragma once

#include <glib-object.h>

#include "brevane/database/statement.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_STATEMENT \
  (tarvex_brevane_supports_database_sql_server_statement_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_statement_get_type(void)
    G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerStatement,
                         tarvex_brevane_supports_database_sql_server_statement,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, SQL_SERVER_STATEMENT,
                         TarvexBrevaneSupportsDatabaseStatement)

struct _TarvexBrevaneSupportsDatabaseSQLServerStatementClass {
  TarvexBrevaneSupportsDatabaseStatementClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerStatement*
tarvex_brevane_supports_database_sql_server_statement_new(
    TarvexBrevaneContractsDatabaseIConnection* connection);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerStatement*
tarvex_brevane_supports_database_sql_server_statement_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection);

G_END_DECLS
