// Enumerated values: ValueEnum (one member of a list), ValueFlags and
// ValueSet. Each holds the column's text as the server sent it and may carry
// the names of the type's members.
#pragma once

#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_ENUM \
  (tarvex_providers_contracts_value_enum_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_enum_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueEnum, tarvex_providers_contracts_value_enum,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_ENUM,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueEnumClass {
  TarvexProvidersContractsValueObjectClass parent_class;
  void (*initialize)(TarvexProvidersContractsValueEnum* self, gchar** members, gint members_length);
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_FLAGS \
  (tarvex_providers_contracts_value_flags_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_flags_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueFlags, tarvex_providers_contracts_value_flags,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_FLAGS, TarvexProvidersContractsValueEnum)
struct _TarvexProvidersContractsValueFlagsClass {
  TarvexProvidersContractsValueEnumClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_SET (tarvex_providers_contracts_value_set_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_set_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueSet, tarvex_providers_contracts_value_set,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_SET, TarvexProvidersContractsValueEnum)
struct _TarvexProvidersContractsValueSetClass {
  TarvexProvidersContractsValueEnumClass parent_class;
};

// ValueEnum
TARVEX_EXPORT TarvexProvidersContractsValueEnum* tarvex_providers_contracts_value_enum_new(
    const gchar* enum_value);
TARVEX_EXPORT TarvexProvidersContractsValueEnum* tarvex_providers_contracts_value_enum_construct(
    GType object_type, const gchar* enum_value);
// Appends copies of the member names, in order, after those already held.
TARVEX_EXPORT void tarvex_providers_contracts_value_enum_initialize(
    TarvexProvidersContractsValueEnum* self, gchar** members, gint members_length);
// The member names held (not copies), terminated by NULL; their number goes
// to `length` when given.
TARVEX_EXPORT const gchar* const* tarvex_providers_contracts_value_enum_get_members(
    TarvexProvidersContractsValueEnum* self, gint* length);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_value_enum_get_itsvalue(
    TarvexProvidersContractsValueEnum* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_enum_set_itsvalue(
    TarvexProvidersContractsValueEnum* self, const gchar* value);

// ValueFlags
TARVEX_EXPORT TarvexProvidersContractsValueFlags* tarvex_providers_contracts_value_flags_new(
    const gchar* flag_value);
TARVEX_EXPORT TarvexProvidersContractsValueFlags* tarvex_providers_contracts_value_flags_construct(
    GType object_type, const gchar* flag_value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_value_flags_get_itsvalue(
    TarvexProvidersContractsValueFlags* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_flags_set_itsvalue(
    TarvexProvidersContractsValueFlags* self, const gchar* value);

// ValueSet
TARVEX_EXPORT TarvexProvidersContractsValueSet* tarvex_providers_contracts_value_set_new(
    const gchar* set_value);
TARVEX_EXPORT TarvexProvidersContractsValueSet* tarvex_providers_contracts_value_set_construct(
    GType object_type, const gchar* set_value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_value_set_get_itsvalue(
    TarvexProvidersContractsValueSet* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_set_set_itsvalue(
    TarvexProvidersContractsValueSet* self, const gchar* value);

G_END_DECLS
