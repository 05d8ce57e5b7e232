// The SQL Server explorer: lists a server's objects of one kind as table
// models with translated column titles (one catalog query each, run in the
// connection's current database), and enables or disables logins.
//
// One class operation per list; a subclass replaces lists whose catalog
// columns its servers lack (see sql_server_explorer_v10x.h).
#pragma once

#include <glib-object.h>

#include "brevane/contracts/iconnection.h"
#include "brevane/contracts/iexplorable.h"
#include "common/tarvex-export.h"
#include "providers/contracts/table_model.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_EXPLORER \
  (tarvex_brevane_supports_database_sql_server_explorer_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_explorer_get_type(void)
    G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerExplorer,
                         tarvex_brevane_supports_database_sql_server_explorer,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, SQL_SERVER_EXPLORER, GObject)

struct _TarvexBrevaneSupportsDatabaseSQLServerExplorerClass {
  GObjectClass parent_class;
  TarvexProvidersContractsTableModel* (*load_tables)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_views)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_routines)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_functions)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_procedures)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_indexes)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_roles_server)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_roles_database)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_roles_application)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_logins)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_users)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_tablespaces)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_events)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_triggers)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_databases)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_schemas)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_assemblys)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_devices)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_endpoints)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_servers)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_statisticses)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_synonyms)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_sequences)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_types)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_partition_function)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
  TarvexProvidersContractsTableModel* (*load_partition_scheme)(
      TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
};

TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerExplorer*
tarvex_brevane_supports_database_sql_server_explorer_new(
    TarvexBrevaneContractsDatabaseIConnection* conn);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerExplorer*
tarvex_brevane_supports_database_sql_server_explorer_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* conn);

TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_tables(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_views(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_routines(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_functions(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_procedures(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_indexes(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_roles_server(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_roles_database(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_roles_application(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_logins(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_users(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_tablespaces(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_events(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_triggers(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_databases(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_schemas(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_assemblys(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_devices(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_endpoints(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_servers(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_statisticses(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_synonyms(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_sequences(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_types(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_partition_function(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_sql_server_explorer_load_partition_scheme(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const gchar* schema, GError** error);

G_END_DECLS
