// The floating and decimal values (float, double, money, decimal) and the
// interface INumeric through which other code reads any of them as a double.
// They print the fewest digits that read back to the same number, with "."
// as the decimal separator whatever the locale: money and decimal always in
// plain notation, float and double in the exponent form below 1e-4 and from
// 1e16 on.
#pragma once

#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersContractsINumeric TarvexProvidersContractsINumeric;
typedef struct _TarvexProvidersContractsINumericIface TarvexProvidersContractsINumericIface;
struct _TarvexProvidersContractsINumericIface {
  GTypeInterface parent_iface;
  gdouble (*to_double)(TarvexProvidersContractsINumeric* self);
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_INUMERIC (tarvex_providers_contracts_inumeric_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IS_INUMERIC(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_INUMERIC))

TARVEX_EXPORT GType tarvex_providers_contracts_inumeric_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gdouble
tarvex_providers_contracts_inumeric_to_double(TarvexProvidersContractsINumeric* self);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_FLOAT \
  (tarvex_providers_contracts_value_float_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_float_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueFloat, tarvex_providers_contracts_value_float,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_FLOAT,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueFloatClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueFloat* tarvex_providers_contracts_value_float_new(
    gfloat value);
TARVEX_EXPORT TarvexProvidersContractsValueFloat* tarvex_providers_contracts_value_float_construct(
    GType object_type, gfloat value);
TARVEX_EXPORT gfloat
tarvex_providers_contracts_value_float_get_itsvalue(TarvexProvidersContractsValueFloat* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_float_set_itsvalue(
    TarvexProvidersContractsValueFloat* self, gfloat value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DOUBLE \
  (tarvex_providers_contracts_value_double_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_double_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueDouble,
                         tarvex_providers_contracts_value_double, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_DOUBLE, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueDoubleClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueDouble* tarvex_providers_contracts_value_double_new(
    gdouble value);
TARVEX_EXPORT TarvexProvidersContractsValueDouble*
tarvex_providers_contracts_value_double_construct(GType object_type, gdouble value);
TARVEX_EXPORT gdouble
tarvex_providers_contracts_value_double_get_itsvalue(TarvexProvidersContractsValueDouble* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_double_set_itsvalue(
    TarvexProvidersContractsValueDouble* self, gdouble value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_MONEY \
  (tarvex_providers_contracts_value_money_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_money_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueMoney, tarvex_providers_contracts_value_money,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_MONEY,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueMoneyClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueMoney* tarvex_providers_contracts_value_money_new(
    gdouble value);
TARVEX_EXPORT TarvexProvidersContractsValueMoney* tarvex_providers_contracts_value_money_construct(
    GType object_type, gdouble value);
TARVEX_EXPORT gdouble
tarvex_providers_contracts_value_money_get_itsvalue(TarvexProvidersContractsValueMoney* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_money_set_itsvalue(
    TarvexProvidersContractsValueMoney* self, gdouble value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DECIMAL \
  (tarvex_providers_contracts_value_decimal_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_decimal_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueDecimal,
                         tarvex_providers_contracts_value_decimal, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_DECIMAL, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueDecimalClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueDecimal* tarvex_providers_contracts_value_decimal_new(
    gdouble value);
TARVEX_EXPORT TarvexProvidersContractsValueDecimal*
tarvex_providers_contracts_value_decimal_construct(GType object_type, gdouble value);
TARVEX_EXPORT gdouble
tarvex_providers_contracts_value_decimal_get_itsvalue(TarvexProvidersContractsValueDecimal* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_decimal_set_itsvalue(
    TarvexProvidersContractsValueDecimal* self, gdouble value);
// A decimal read from its text (as a server sends it): the value prints
// that text, never a rounded double. Text that is no decimal number fails
// with G_NUMBER_PARSER_ERROR.
TARVEX_EXPORT TarvexProvidersContractsValueDecimal*
tarvex_providers_contracts_value_decimal_new_string(const gchar* text, GError** error);
TARVEX_EXPORT TarvexProvidersContractsValueDecimal*
tarvex_providers_contracts_value_decimal_construct_string(GType object_type, const gchar* text,
                                                          GError** error);

G_END_DECLS
