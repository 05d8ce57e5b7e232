// The T-SQL texts of the SQL Server dialect: the connection string handed to
// the provider, catalog listings, detail queries, routine calls, grants,
// renames, drops, paging and filter expressions. Names placed inside
// brackets have "]" doubled, texts placed inside quotes have "'" doubled.
#pragma once

#include <glib-object.h>

#include "brevane/database/statement.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneSupportsDatabaseSQLServerStatement
    TarvexBrevaneSupportsDatabaseSQLServerStatement;
typedef struct _TarvexBrevaneSupportsDatabaseSQLServerStatementClass
    TarvexBrevaneSupportsDatabaseSQLServerStatementClass;

struct _TarvexBrevaneSupportsDatabaseSQLServerStatement {
  TarvexBrevaneSupportsDatabaseStatement parent_instance;
};

struct _TarvexBrevaneSupportsDatabaseSQLServerStatementClass {
  TarvexBrevaneSupportsDatabaseStatementClass parent_class;
};

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_STATEMENT \
  (tarvex_brevane_supports_database_sql_server_statement_get_type())
#define TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_STATEMENT(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_STATEMENT, \
                              TarvexBrevaneSupportsDatabaseSQLServerStatement))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_STATEMENT(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_STATEMENT))

TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_statement_get_type(void)
    G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerStatement*
tarvex_brevane_supports_database_sql_server_statement_new(
    TarvexBrevaneContractsDatabaseIConnection* connection);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerStatement*
tarvex_brevane_supports_database_sql_server_statement_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection);

G_END_DECLS
