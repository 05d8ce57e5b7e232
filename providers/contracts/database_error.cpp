#include "providers/contracts/database_error.h"

// The quark's name holds dashes, which clang-format would space out.
// clang-format off
G_DEFINE_QUARK(tarvex-providers-exceptions-database-error-quark,
               tarvex_providers_exceptions_database_error)
// clang-format on

GType tarvex_providers_exceptions_database_error_get_type(void) {
  static gsize type_id = 0;
  if (g_once_init_enter(&type_id)) {
    static const GEnumValue values[] = {
        {TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_FOUND,
         "TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_FOUND", "database-not-found"},
        {TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_CONNECTED,
         "TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_CONNECTED",
         "database-not-connected"},
        {TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_INITIALIZED,
         "TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_INITIALIZED",
         "database-not-initialized"},
        {TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED,
         "TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED",
         "database-not-supported"},
        {TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED_BY_PROVIDER,
         "TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED_BY_PROVIDER",
         "database-not-supported-by-provider"},
        {TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED_BY_DRIVER,
         "TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED_BY_DRIVER",
         "database-not-supported-by-driver"},
        {TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED_BY_SERVER,
         "TARVEX_PROVIDERS_EXCEPTIONS_DATABASE_ERROR_DATABASE_NOT_SUPPORTED_BY_SERVER",
         "database-not-supported-by-server"},
        {0, nullptr, nullptr},
    };
    g_once_init_leave(&type_id,
                      g_enum_register_static("TarvexProvidersExceptionsDatabaseError", values));
  }
  return type_id;
}
