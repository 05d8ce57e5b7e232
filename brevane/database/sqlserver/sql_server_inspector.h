// The SQL Server inspector: maps native type names to DataType and back,
// gives the default literal of a type, and answers the option lists of the
// host's editors (keywords, translated labels, catalog queries for the caller
// to run, code templates). It never queries the server.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/db_meta_type.h"
#include "brevane/contracts/iconnection.h"
#include "brevane/contracts/iinspectable.h"
#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_INSPECTOR \
  (tarvex_brevane_supports_database_sql_server_inspector_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_server_inspector_get_type(void)
    G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerInspector,
                         tarvex_brevane_supports_database_sql_server_inspector,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, SQL_SERVER_INSPECTOR, GObject)

struct _TarvexBrevaneSupportsDatabaseSQLServerInspectorClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerInspector*
tarvex_brevane_supports_database_sql_server_inspector_new(
    TarvexBrevaneContractsDatabaseIConnection* conn);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSQLServerInspector*
tarvex_brevane_supports_database_sql_server_inspector_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* conn);

G_END_DECLS
