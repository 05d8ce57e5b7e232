// SQLServerProvider: the SQL Server driver over FreeTDS db-lib. One provider
// holds at most one login; every failing db-lib call becomes a "TDSDB" error
// carrying the messages its handlers queued since the command began.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/provider.h"
#include "providers/sqlserver/isql_server_error.h"
#include "providers/sqlserver/tds_user_data.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_SUPPORTS_TYPE_SQL_SERVER_PROVIDER \
  (tarvex_providers_supports_sql_server_provider_get_type())
TARVEX_EXPORT GType tarvex_providers_supports_sql_server_provider_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersSupportsSQLServerProvider,
                         tarvex_providers_supports_sql_server_provider, TARVEX_PROVIDERS_SUPPORTS,
                         SQL_SERVER_PROVIDER, GObject)

struct _TarvexProvidersSupportsSQLServerProviderClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexProvidersSupportsSQLServerProvider*
tarvex_providers_supports_sql_server_provider_new(void);
TARVEX_EXPORT TarvexProvidersSupportsSQLServerProvider*
tarvex_providers_supports_sql_server_provider_construct(GType object_type);

// The process-wide db-lib handlers every provider installs (dberrhandle,
// dbmsghandle). `dbproc` is the DBPROCESS* the report belongs to, or NULL.
TARVEX_EXPORT gint tarvex_providers_supports_sql_server_provider_tds_error_handler(
    gpointer dbproc, gint severity, gint dberr, gint oserr, const gchar* dberrstr,
    const gchar* oserrstr);
TARVEX_EXPORT gint tarvex_providers_supports_sql_server_provider_tds_message_handler(
    gpointer dbproc, gint msgno, gint msgstate, gint severity, const gchar* msgtext,
    const gchar* srvname, const gchar* procname, gint line);

G_END_DECLS
