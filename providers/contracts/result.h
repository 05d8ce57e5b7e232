// IResult, the marker of what a provider's batch yields, and its two small
// results: a row count and an error code with its message.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersContractsIResult TarvexProvidersContractsIResult;
typedef struct _TarvexProvidersContractsIResultIface TarvexProvidersContractsIResultIface;
struct _TarvexProvidersContractsIResultIface {
  GTypeInterface parent_iface;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_SCALAR_RESULT \
  (tarvex_providers_contracts_scalar_result_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_scalar_result_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsScalarResult,
                         tarvex_providers_contracts_scalar_result, TARVEX_PROVIDERS_CONTRACTS,
                         SCALAR_RESULT, GObject)
struct _TarvexProvidersContractsScalarResultClass {
  GObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_INVALID_RESULT \
  (tarvex_providers_contracts_invalid_result_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_invalid_result_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsInvalidResult,
                         tarvex_providers_contracts_invalid_result, TARVEX_PROVIDERS_CONTRACTS,
                         INVALID_RESULT, GObject)
struct _TarvexProvidersContractsInvalidResultClass {
  GObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_IRESULT (tarvex_providers_contracts_iresult_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IS_IRESULT(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_IRESULT))

TARVEX_EXPORT GType tarvex_providers_contracts_iresult_get_type(void) G_GNUC_CONST;

TARVEX_EXPORT TarvexProvidersContractsScalarResult* tarvex_providers_contracts_scalar_result_new(
    gint rows);
TARVEX_EXPORT TarvexProvidersContractsScalarResult*
tarvex_providers_contracts_scalar_result_construct(GType object_type, gint rows);
TARVEX_EXPORT gint
tarvex_providers_contracts_scalar_result_get_rows(TarvexProvidersContractsScalarResult* self);
TARVEX_EXPORT void tarvex_providers_contracts_scalar_result_set_rows(
    TarvexProvidersContractsScalarResult* self, gint value);

TARVEX_EXPORT TarvexProvidersContractsInvalidResult* tarvex_providers_contracts_invalid_result_new(
    const gchar* error_code, const gchar* error_message);
TARVEX_EXPORT TarvexProvidersContractsInvalidResult*
tarvex_providers_contracts_invalid_result_construct(GType object_type, const gchar* error_code,
                                                    const gchar* error_message);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_invalid_result_get_code(
    TarvexProvidersContractsInvalidResult* self);
TARVEX_EXPORT void tarvex_providers_contracts_invalid_result_set_code(
    TarvexProvidersContractsInvalidResult* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_invalid_result_get_message(
    TarvexProvidersContractsInvalidResult* self);
TARVEX_EXPORT void tarvex_providers_contracts_invalid_result_set_message(
    TarvexProvidersContractsInvalidResult* self, const gchar* value);

G_END_DECLS
