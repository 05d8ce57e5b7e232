// ISQLServerError: reaches the TdsUserData record of a login and turns a
// failing db-lib return code and the queued messages into one "TDSDB" error.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/sqlserver/tds_user_data.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersSupportsISQLServerError TarvexProvidersSupportsISQLServerError;
typedef struct _TarvexProvidersSupportsISQLServerErrorIface
    TarvexProvidersSupportsISQLServerErrorIface;

struct _TarvexProvidersSupportsISQLServerErrorIface {
  GTypeInterface parent_iface;
  TarvexProvidersSupportsTdsUserData* (*get_userdata)(TarvexProvidersSupportsISQLServerError* self);
};

#define TARVEX_PROVIDERS_SUPPORTS_TYPE_ISQL_SERVER_ERROR \
  (tarvex_providers_supports_isql_server_error_get_type())
#define TARVEX_PROVIDERS_SUPPORTS_ISQL_SERVER_ERROR(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_PROVIDERS_SUPPORTS_TYPE_ISQL_SERVER_ERROR, \
                              TarvexProvidersSupportsISQLServerError))
#define TARVEX_PROVIDERS_SUPPORTS_IS_ISQL_SERVER_ERROR(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_SUPPORTS_TYPE_ISQL_SERVER_ERROR))
#define TARVEX_PROVIDERS_SUPPORTS_ISQL_SERVER_ERROR_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_PROVIDERS_SUPPORTS_TYPE_ISQL_SERVER_ERROR, \
                                 TarvexProvidersSupportsISQLServerErrorIface))

TARVEX_EXPORT GType tarvex_providers_supports_isql_server_error_get_type(void) G_GNUC_CONST;
// The record of the login the object belongs to; NULL when it has none.
TARVEX_EXPORT TarvexProvidersSupportsTdsUserData*
tarvex_providers_supports_isql_server_error_get_userdata(
    TarvexProvidersSupportsISQLServerError* self);
// Sets a "TDSDB" error when `code` is FAIL (0) or BUF_FULL (-3): the queued
// message texts, one a line, oldest first, and the number of the oldest.
// The queue is only read.
TARVEX_EXPORT void tarvex_providers_supports_isql_server_error_raise_error(
    TarvexProvidersSupportsISQLServerError* self, gint code, GError** error);

G_END_DECLS
