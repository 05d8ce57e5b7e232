// ValueNull, the SQL NULL, and ValueError, an error in place of a value.
#pragma once

#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_NULL \
  (tarvex_providers_contracts_value_null_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_null_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueNull, tarvex_providers_contracts_value_null,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_NULL,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueNullClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_ERROR \
  (tarvex_providers_contracts_value_error_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_error_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueError, tarvex_providers_contracts_value_error,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_ERROR,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueErrorClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};

TARVEX_EXPORT TarvexProvidersContractsValueNull* tarvex_providers_contracts_value_null_new(void);
TARVEX_EXPORT TarvexProvidersContractsValueNull* tarvex_providers_contracts_value_null_construct(
    GType object_type);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_value_null_get_itsvalue(
    TarvexProvidersContractsValueNull* self);

TARVEX_EXPORT TarvexProvidersContractsValueError* tarvex_providers_contracts_value_error_new(
    gint code, const gchar* message);
TARVEX_EXPORT TarvexProvidersContractsValueError* tarvex_providers_contracts_value_error_construct(
    GType object_type, gint code, const gchar* message);
TARVEX_EXPORT gchar* tarvex_providers_contracts_value_error_get_itsvalue(
    TarvexProvidersContractsValueError* self);

G_END_DECLS
