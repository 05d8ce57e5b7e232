// Error domain "tarvex-providers-exceptions-database-error-quark" of the
// providers: a database that is missing, not connected, not initialised or
// not supported.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR \
  (tarvex_providers_exceptions_database_error_quark())
#define TARVEX_PROVIDERS_EXCEPTIONS_TYPE_DATABASE_ERROR \
  (tarvex_providers_exceptions_database_error_get_type())

typedef enum {
  TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_FOUND = 0,
  TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_CONNECTED = 1,
  TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_INITIALIZED = 2,
  TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED = 3,
  TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED_BY_PROVIDER = 4,
  TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED_BY_DRIVER = 5,
  TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED_BY_SERVER = 6,
} TarvexProvidersExceptionsDatabaseError;

TARVEX_EXPORT GQuark tarvex_providers_exceptions_database_error_quark(void);
TARVEX_EXPORT GType tarvex_providers_exceptions_database_error_get_type(void) G_GNUC_CONST;

G_END_DECLS
