// SQLServerReader: the forward-only reader over the current result set of a
// db-lib process that an open SQLServerProvider lends it.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/provider.h"
#include "providers/sqlserver/isql_server_error.h"
#include "providers/sqlserver/isql_server_type.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersSupportsSQLServerReader TarvexProvidersSupportsSQLServerReader;
typedef struct _TarvexProvidersSupportsSQLServerReaderClass
    TarvexProvidersSupportsSQLServerReaderClass;
typedef struct _TarvexProvidersSupportsSQLServerReaderPrivate
    TarvexProvidersSupportsSQLServerReaderPrivate;

struct _TarvexProvidersSupportsSQLServerReader {
  GObject parent_instance;
};

struct _TarvexProvidersSupportsSQLServerReaderClass {
  GObjectClass parent_class;
};

#define TARVEX_PROVIDERS_SUPPORTS_TYPE_SQL_SERVER_READER \
  (tarvex_providers_supports_sql_server_reader_get_type())
#define TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_READER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_PROVIDERS_SUPPORTS_TYPE_SQL_SERVER_READER, \
                              TarvexProvidersSupportsSQLServerReader))
#define TARVEX_PROVIDERS_SUPPORTS_IS_SQL_SERVER_READER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_SUPPORTS_TYPE_SQL_SERVER_READER))

TARVEX_EXPORT GType tarvex_providers_supports_sql_server_reader_get_type(void) G_GNUC_CONST;
// `connection` is the db-lib process (DBPROCESS*); the reader borrows it and
// never closes it.
TARVEX_EXPORT TarvexProvidersSupportsSQLServerReader*
tarvex_providers_supports_sql_server_reader_new(gpointer connection);
TARVEX_EXPORT TarvexProvidersSupportsSQLServerReader*
tarvex_providers_supports_sql_server_reader_construct(GType object_type, gpointer connection);

G_END_DECLS
