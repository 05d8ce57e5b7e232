// The value contract IValue and its base class ValueObject, with the two
// values that stand for something other than a datum: ValueNull (SQL NULL)
// and ValueError (an error in place of a value).
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersContractsIValue TarvexProvidersContractsIValue;
typedef struct _TarvexProvidersContractsIValueIface TarvexProvidersContractsIValueIface;

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT \
  (tarvex_providers_contracts_value_object_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_object_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueObject,
                         tarvex_providers_contracts_value_object, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_OBJECT, GObject)

struct _TarvexProvidersContractsIValueIface {
  GTypeInterface parent_iface;
  void (*to_value)(TarvexProvidersContractsIValue* self, GValue* result);
  gchar* (*to_string)(TarvexProvidersContractsIValue* self);
  TarvexProvidersContractsValueObject* (*clone)(TarvexProvidersContractsIValue* self);
  gchar* (*dump)(TarvexProvidersContractsIValue* self);
  const gchar* (*get_name)(TarvexProvidersContractsIValue* self);
  TarvexProvidersContractsDataType (*get_data_type)(TarvexProvidersContractsIValue* self);
  gboolean (*get_is_null)(TarvexProvidersContractsIValue* self);
};

struct _TarvexProvidersContractsValueObjectClass {
  GObjectClass parent_class;
  void (*to_value)(TarvexProvidersContractsValueObject* self, GValue* result);
  gchar* (*to_string)(TarvexProvidersContractsValueObject* self);
  TarvexProvidersContractsValueObject* (*clone)(TarvexProvidersContractsValueObject* self);
  gchar* (*dump)(TarvexProvidersContractsValueObject* self);
  const gchar* (*get_name)(TarvexProvidersContractsValueObject* self);
  TarvexProvidersContractsDataType (*get_data_type)(TarvexProvidersContractsValueObject* self);
  gboolean (*get_is_null)(TarvexProvidersContractsValueObject* self);
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_IVALUE (tarvex_providers_contracts_ivalue_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IVALUE_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_IVALUE, \
                                 TarvexProvidersContractsIValueIface))

TARVEX_EXPORT GType tarvex_providers_contracts_ivalue_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_providers_contracts_ivalue_to_value(TarvexProvidersContractsIValue* self,
                                                              GValue* result);
TARVEX_EXPORT gchar* tarvex_providers_contracts_ivalue_to_string(
    TarvexProvidersContractsIValue* self);
TARVEX_EXPORT TarvexProvidersContractsValueObject* tarvex_providers_contracts_ivalue_clone(
    TarvexProvidersContractsIValue* self);
TARVEX_EXPORT gchar* tarvex_providers_contracts_ivalue_dump(TarvexProvidersContractsIValue* self);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_ivalue_get_name(
    TarvexProvidersContractsIValue* self);
TARVEX_EXPORT TarvexProvidersContractsDataType
tarvex_providers_contracts_ivalue_get_data_type(TarvexProvidersContractsIValue* self);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_ivalue_get_is_null(TarvexProvidersContractsIValue* self);

TARVEX_EXPORT TarvexProvidersContractsValueObject* tarvex_providers_contracts_value_object_new(
    void);
TARVEX_EXPORT TarvexProvidersContractsValueObject*
tarvex_providers_contracts_value_object_construct(GType object_type);
TARVEX_EXPORT void tarvex_providers_contracts_value_object_to_value(
    TarvexProvidersContractsValueObject* self, GValue* result);
TARVEX_EXPORT gchar* tarvex_providers_contracts_value_object_to_string(
    TarvexProvidersContractsValueObject* self);
TARVEX_EXPORT TarvexProvidersContractsValueObject* tarvex_providers_contracts_value_object_clone(
    TarvexProvidersContractsValueObject* self);
TARVEX_EXPORT gchar* tarvex_providers_contracts_value_object_dump(
    TarvexProvidersContractsValueObject* self);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_value_object_get_name(
    TarvexProvidersContractsValueObject* self);
TARVEX_EXPORT TarvexProvidersContractsDataType
tarvex_providers_contracts_value_object_get_data_type(TarvexProvidersContractsValueObject* self);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_value_object_get_is_null(TarvexProvidersContractsValueObject* self);

G_END_DECLS
