// The T-SQL DDL builder of a SQL Server connection: CREATE, DROP and comment
// texts from meta-model objects and their change records.
#pragma once

#include <glib-object.h>

#include "brevane/database/sql_builder.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_BUILDER \
  (tarvex_brevane_supports_database_sql_server_builder_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_builder_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerBuilder,
                         tarvex_brevane_supports_database_sql_server_builder,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, SQL_SERVER_BUILDER,
                         TarvexBrevaneSupportsDatabaseSqlBuilder)

struct _TarvexBrevaneSupportsDatabaseSQLServerBuilderClass {
  TarvexBrevaneSupportsDatabaseSqlBuilderClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerBuilder*
tarvex_brevane_supports_database_sql_server_builder_new(
    TarvexBrevaneContractsDatabaseIConnection* connection);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerBuilder*
tarvex_brevane_supports_database_sql_server_builder_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection);
// The parameter pattern shared by every builder of the process (borrowed).
TARVEX_EXPORT GRegex* tarvex_brevane_supports_database_sql_server_builder_get_regex_parameter(
    TarvexBrevaneSupportsDatabaseSQLServerBuilder* self);

// The ALTER texts of a changed database, user or login, and role, from their
// change records (new strings).
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_server_builder_patch_database(
    TarvexBrevaneSupportsDatabaseSQLServerBuilder* self,
    TarvexBrevaneMetaModelMetaDatabase* database);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_server_builder_patch_user(
    TarvexBrevaneSupportsDatabaseSQLServerBuilder* self, TarvexBrevaneMetaModelMetaUser* user);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_server_builder_patch_role(
    TarvexBrevaneSupportsDatabaseSQLServerBuilder* self, TarvexBrevaneMetaModelMetaRole* role);

G_END_DECLS
