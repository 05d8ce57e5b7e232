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

typedef struct _TarvexProvidersContractsValueFloat TarvexProvidersContractsValueFloat;
typedef struct _TarvexProvidersContractsValueFloatClass TarvexProvidersContractsValueFloatClass;
typedef struct _TarvexProvidersContractsValueFloatPrivate TarvexProvidersContractsValueFloatPrivate;
struct _TarvexProvidersContractsValueFloat {
  TarvexProvidersContractsValueObject parent_instance;
};
struct _TarvexProvidersContractsValueFloatClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};
#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_FLOAT \
  (tarvex_providers_contracts_value_float_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_FLOAT(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_FLOAT))
TARVEX_EXPORT GType tarvex_providers_contracts_value_float_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexProvidersContractsValueFloat* tarvex_providers_contracts_value_float_new(
    gfloat value);
TARVEX_EXPORT TarvexProvidersContractsValueFloat* tarvex_providers_contracts_value_float_construct(
    GType object_type, gfloat value);
TARVEX_EXPORT gfloat
tarvex_providers_contracts_value_float_get_itsvalue(TarvexProvidersContractsValueFloat* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_float_set_itsvalue(
    TarvexProvidersContractsValueFloat* self, gfloat value);

typedef struct _TarvexProvidersContractsValueDouble TarvexProvidersContractsValueDouble;
typedef struct _TarvexProvidersContractsValueDoubleClass TarvexProvidersContractsValueDoubleClass;
typedef struct _TarvexProvidersContractsValueDoublePrivate
    TarvexProvidersContractsValueDoublePrivate;
struct _TarvexProvidersContractsValueDouble {
  TarvexProvidersContractsValueObject parent_instance;
};
struct _TarvexProvidersContractsValueDoubleClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};
#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DOUBLE \
  (tarvex_providers_contracts_value_double_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_DOUBLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DOUBLE))
TARVEX_EXPORT GType tarvex_providers_contracts_value_double_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexProvidersContractsValueDouble* tarvex_providers_contracts_value_double_new(
    gdouble value);
TARVEX_EXPORT TarvexProvidersContractsValueDouble*
tarvex_providers_contracts_value_double_construct(GType object_type, gdouble value);
TARVEX_EXPORT gdouble
tarvex_providers_contracts_value_double_get_itsvalue(TarvexProvidersContractsValueDouble* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_double_set_itsvalue(
    TarvexProvidersContractsValueDouble* self, gdouble value);

typedef struct _TarvexProvidersContractsValueMoney TarvexProvidersContractsValueMoney;
typedef struct _TarvexProvidersContractsValueMoneyClass TarvexProvidersContractsValueMoneyClass;
typedef struct _TarvexProvidersContractsValueMoneyPrivate TarvexProvidersContractsValueMoneyPrivate;
struct _TarvexProvidersContractsValueMoney {
  TarvexProvidersContractsValueObject parent_instance;
};
struct _TarvexProvidersContractsValueMoneyClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};
#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_MONEY \
  (tarvex_providers_contracts_value_money_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_MONEY(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_MONEY))
TARVEX_EXPORT GType tarvex_providers_contracts_value_money_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexProvidersContractsValueMoney* tarvex_providers_contracts_value_money_new(
    gdouble value);
TARVEX_EXPORT TarvexProvidersContractsValueMoney* tarvex_providers_contracts_value_money_construct(
    GType object_type, gdouble value);
TARVEX_EXPORT gdouble
tarvex_providers_contracts_value_money_get_itsvalue(TarvexProvidersContractsValueMoney* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_money_set_itsvalue(
    TarvexProvidersContractsValueMoney* self, gdouble value);

typedef struct _TarvexProvidersContractsValueDecimal TarvexProvidersContractsValueDecimal;
typedef struct _TarvexProvidersContractsValueDecimalClass TarvexProvidersContractsValueDecimalClass;
typedef struct _TarvexProvidersContractsValueDecimalPrivate
    TarvexProvidersContractsValueDecimalPrivate;
struct _TarvexProvidersContractsValueDecimal {
  TarvexProvidersContractsValueObject parent_instance;
};
struct _TarvexProvidersContractsValueDecimalClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};
#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DECIMAL \
  (tarvex_providers_contracts_value_decimal_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_DECIMAL(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_DECIMAL))
TARVEX_EXPORT GType tarvex_providers_contracts_value_decimal_get_type(void) G_GNUC_CONST;
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
