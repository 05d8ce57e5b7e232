// The SQL Server adapter: fills meta-model objects from the catalog views of
// the connection's current database.
//
// Every filler that honours the object data "FILLED" returns at once when
// the object carries it and sets it once it ran to the end without an
// error; MetaObject.reset removes it. A query error stops the filler and
// goes to the caller; what was written before stays on the object.
#pragma once

#include "brevane/database/adapter.h"
#include "brevane/model/meta_relation.h"
#include "brevane/model/meta_table.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_ADAPTER \
  (tarvex_brevane_supports_database_sql_server_adapter_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_adapter_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerAdapter,
                         tarvex_brevane_supports_database_sql_server_adapter,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, SQL_SERVER_ADAPTER,
                         TarvexBrevaneSupportsDatabaseAdapter)

struct _TarvexBrevaneSupportsDatabaseSQLServerAdapterClass {
  TarvexBrevaneSupportsDatabaseAdapterClass parent_class;
  // A user's role memberships into its relations map.
  void (*load_relation)(TarvexBrevaneSupportsDatabaseSQLServerAdapter* self,
                        TarvexBrevaneMetaModelMetaUser* user, GError** error);
  // Parts of a table fill: each appends to the table's lists and returns the
  // table (a new reference), or NULL with the error set.
  TarvexBrevaneMetaModelMetaTable* (*fill_schema_table_trigger)(
      TarvexBrevaneSupportsDatabaseSQLServerAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
      GError** error);
  TarvexBrevaneMetaModelMetaTable* (*fill_schema_table_check)(
      TarvexBrevaneSupportsDatabaseSQLServerAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
      GError** error);
  TarvexBrevaneMetaModelMetaTable* (*fill_schema_table_unique)(
      TarvexBrevaneSupportsDatabaseSQLServerAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
      GError** error);
};

// Executors that are keywords of EXECUTE AS, not user names.
TARVEX_EXPORT extern const gchar* const
    TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_USER_LIST_INTERNAL[3];
// sys.objects type codes of table-valued functions, and of all functions.
TARVEX_EXPORT extern const gchar* const
    TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_TABLE_FUNCTION[3];
TARVEX_EXPORT extern const gchar* const
    TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_FUNCTION[6];
TARVEX_EXPORT extern const gchar* const
    TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_FLOATS[3];
// Types whose catalog precision and scale are their length and scale.
TARVEX_EXPORT extern const gchar* const
    TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_NUMERIC[2];
// Types whose catalog scale is kept as the column's scale.
TARVEX_EXPORT extern const gchar* const
    TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_DATETIME[4];
TARVEX_EXPORT extern const gchar* const
    TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_CHARACTER[4];

TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerAdapter*
tarvex_brevane_supports_database_sql_server_adapter_new(
    TarvexBrevaneContractsDatabaseIConnection* connection);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerAdapter*
tarvex_brevane_supports_database_sql_server_adapter_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection);

TARVEX_EXPORT void tarvex_brevane_supports_database_sql_server_adapter_load_relation(
    TarvexBrevaneSupportsDatabaseSQLServerAdapter* self, TarvexBrevaneMetaModelMetaUser* user,
    GError** error);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTable*
tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_trigger(
    TarvexBrevaneSupportsDatabaseSQLServerAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
    GError** error);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTable*
tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_check(
    TarvexBrevaneSupportsDatabaseSQLServerAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
    GError** error);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTable*
tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_unique(
    TarvexBrevaneSupportsDatabaseSQLServerAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
    GError** error);
// The storage options, change tracking, identity and comment of a table.
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTable*
tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_options(
    TarvexBrevaneSupportsDatabaseSQLServerAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
    GError** error);
// The kind name ("FUNCTION", "PROCEDURE", "TABLE", "VIEW") of a sys.objects
// type code; the empty text for other codes.
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_server_adapter_get_type_name(
    TarvexBrevaneSupportsDatabaseSQLServerAdapter* self, const gchar* type);

G_END_DECLS
