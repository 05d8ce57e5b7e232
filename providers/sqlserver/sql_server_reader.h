// SQLServerReader: the forward-only reader over the current result set of a
// db-lib process that an open SQLServerProvider lends it.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/provider.h"
#include "providers/sqlserver/isql_server_error.h"
#include "providers/sqlserver/isql_server_type.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_SUPPORTS_TYPE_SQL_SERVER_READER \
  (tarvex_providers_supports_sql_server_reader_get_type())
TARVEX_EXPORT GType tarvex_providers_supports_sql_server_reader_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersSupportsSQLServerReader,
                         tarvex_providers_supports_sql_server_reader, TARVEX_PROVIDERS_SUPPORTS,
                         SQL_SERVER_READER, GObject)

struct _TarvexProvidersSupportsSQLServerReaderClass {
  GObjectClass parent_class;
};

// `connection` is the db-lib process (DBPROCESS*); the reader borrows it and
// never closes it.
TARVEX_EXPORT TarvexProvidersSupportsSQLServerReader*
tarvex_providers_supports_sql_server_reader_new(gpointer connection);
TARVEX_EXPORT TarvexProvidersSupportsSQLServerReader*
tarvex_providers_supports_sql_server_reader_construct(GType object_type, gpointer connection);

G_END_DECLS
