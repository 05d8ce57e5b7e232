// ISQLServerType: the maps from db-lib column type codes to the system's
// data types, to T-SQL type names and to db-lib bind types.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersSupportsISQLServerType TarvexProvidersSupportsISQLServerType;
typedef struct _TarvexProvidersSupportsISQLServerTypeIface
    TarvexProvidersSupportsISQLServerTypeIface;

struct _TarvexProvidersSupportsISQLServerTypeIface {
  GTypeInterface parent_iface;
};

#define TARVEX_PROVIDERS_SUPPORTS_TYPE_ISQL_SERVER_TYPE \
  (tarvex_providers_supports_isql_server_type_get_type())
#define TARVEX_PROVIDERS_SUPPORTS_IS_ISQL_SERVER_TYPE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_SUPPORTS_TYPE_ISQL_SERVER_TYPE))

TARVEX_EXPORT GType tarvex_providers_supports_isql_server_type_get_type(void) G_GNUC_CONST;
// `length` is the column's defined length (dbcollen); some codes read by it.
TARVEX_EXPORT TarvexProvidersContractsDataType
tarvex_providers_supports_isql_server_type_map_data_type(
    TarvexProvidersSupportsISQLServerType* self, gint type, gint length);
TARVEX_EXPORT gchar* tarvex_providers_supports_isql_server_type_map_dbms_type(
    TarvexProvidersSupportsISQLServerType* self, gint type, gint length);
TARVEX_EXPORT gint tarvex_providers_supports_isql_server_type_map_bind_type(
    TarvexProvidersSupportsISQLServerType* self, gint type);

G_END_DECLS
