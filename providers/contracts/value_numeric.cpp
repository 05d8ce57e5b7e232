#include "providers/contracts/value_numeric.h"

#include <cfloat>
#include <cmath>
#include <string>
#include <string_view>

#include <glib/gi18n-lib.h>

#include "common/tarvex-dispatch-private.h"
#include "providers/contracts/value-exact-private.h"
#include "providers/contracts/value-scalar-private.h"

using namespace tarvex;

// ----------------------------------------------------------------- INumeric

TARVEX_DEFINE_INTERFACE(TarvexProvidersContractsINumeric, tarvex_providers_contracts_inumeric,
                        G_TYPE_OBJECT)
static void tarvex_providers_contracts_inumeric_default_init(
    TarvexProvidersContractsINumericIface*) {}

gdouble tarvex_providers_contracts_inumeric_to_double(TarvexProvidersContractsINumeric* self) {
  return tarvex::call_slot_if_implemented<&TarvexProvidersContractsINumericIface::to_double>(self);
}

// ------------------------------------------------------------- descriptors

namespace {

template <typename Desc>
struct Numeric {
  static gdouble to_double(TarvexProvidersContractsINumeric* self) {
    return gdouble(values::Scalar<Desc>::get(self));
  }
  static void iface_init(TarvexProvidersContractsINumericIface* iface) {
    iface->to_double = to_double;
  }
};

constexpr auto kRW = values::kReadWrite;

inline GParamSpec* double_pspec() {
  return g_param_spec_double("itsvalue", "itsvalue", "itsvalue", -DBL_MAX, DBL_MAX, 0, kRW);
}

#define NUMERIC_KIND(Class, kind_name, KIND)                      \
  static GType type() {                                           \
    return tarvex_providers_contracts_value_##Class##_get_type(); \
  }                                                               \
  static Private* priv(gconstpointer self);                       \
  static constexpr const char* name = kind_name;                  \
  static constexpr auto data_type = TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_##KIND;

template <typename Private>
struct DoubleDesc : values::ScalarDesc<Private, gdouble> {
  static GType gtype() { return G_TYPE_DOUBLE; }
  static void set_gvalue(GValue* v, gdouble d) { g_value_set_double(v, d); }
  static gdouble get_gvalue(const GValue* v) { return g_value_get_double(v); }
  static GParamSpec* itsvalue_pspec() { return double_pspec(); }
};

}  // namespace

#define NUMERIC_INTERFACE(Desc) \
  G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_INUMERIC, Numeric<Desc>::iface_init)

// -------------------------------------------------------------- ValueFloat

typedef struct _TarvexProvidersContractsValueFloatPrivate TarvexProvidersContractsValueFloatPrivate;
struct _TarvexProvidersContractsValueFloatPrivate {
  gfloat value = 0;
};
namespace {
// Printed as the shortest text of the single-precision number itself, so
// 0.1f reads "0.1", not the digits of its widened double.
struct FloatDesc : values::ScalarDesc<TarvexProvidersContractsValueFloatPrivate, gfloat> {
  NUMERIC_KIND(float, "float", FLOAT)
  static GType gtype() { return G_TYPE_FLOAT; }
  static void set_gvalue(GValue* v, gfloat d) { g_value_set_float(v, d); }
  static gfloat get_gvalue(const GValue* v) { return g_value_get_float(v); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_float("itsvalue", "itsvalue", "itsvalue", -FLT_MAX, FLT_MAX, 0, kRW);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueFloat,
                           tarvex_providers_contracts_value_float, FloatDesc,
                           NUMERIC_INTERFACE(FloatDesc))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueFloat,
                            tarvex_providers_contracts_value_float, FloatDesc)

// ------------------------------------------------------------- ValueDouble

typedef struct _TarvexProvidersContractsValueDoublePrivate
    TarvexProvidersContractsValueDoublePrivate;
struct _TarvexProvidersContractsValueDoublePrivate {
  gdouble value = 0;
};
namespace {
struct DoubleKindDesc : DoubleDesc<TarvexProvidersContractsValueDoublePrivate> {
  NUMERIC_KIND(double, "double", DOUBLE)
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueDouble,
                           tarvex_providers_contracts_value_double, DoubleKindDesc,
                           NUMERIC_INTERFACE(DoubleKindDesc))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueDouble,
                            tarvex_providers_contracts_value_double, DoubleKindDesc)

// -------------------------------------------------------------- ValueMoney

// Money read from a server keeps its text: its 19 digits at the limits are
// more than a double holds. Storing a number drops the text.
typedef struct _TarvexProvidersContractsValueMoneyPrivate TarvexProvidersContractsValueMoneyPrivate;
struct _TarvexProvidersContractsValueMoneyPrivate {
  gdouble value = 0;
  std::string text;
};
namespace {
struct MoneyDesc : DoubleDesc<TarvexProvidersContractsValueMoneyPrivate> {
  NUMERIC_KIND(money, "money", MONEY)
  static void assign(Private* p, gdouble d) {
    p->value = d;
    p->text.clear();
  }
  static gchar* text(const Private* p) {
    return p->text.empty() ? values::floating_text(p->value, values::Notation::kPlain)
                           : dup(p->text);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueMoney,
                           tarvex_providers_contracts_value_money, MoneyDesc,
                           NUMERIC_INTERFACE(MoneyDesc))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueMoney,
                            tarvex_providers_contracts_value_money, MoneyDesc)

// ------------------------------------------------------------ ValueDecimal

// A decimal made from its text keeps that text: a decimal(38,10) has more
// digits than a double, and its text is what exports and SQL literals use.
// Storing a number (set_itsvalue, the property) drops the text.
typedef struct _TarvexProvidersContractsValueDecimalPrivate
    TarvexProvidersContractsValueDecimalPrivate;
struct _TarvexProvidersContractsValueDecimalPrivate {
  gdouble value = 0;
  std::string text;
};
namespace {
struct DecimalDesc : DoubleDesc<TarvexProvidersContractsValueDecimalPrivate> {
  NUMERIC_KIND(decimal, "decimal", DECIMAL)
  static void assign(Private* p, gdouble d) {
    p->value = d;
    p->text.clear();
  }
  static gchar* text(const Private* p) {
    return p->text.empty() ? values::floating_text(p->value, values::Notation::kPlain)
                           : dup(p->text);
  }
};

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Sign, digits with at most one point (a digit on at least one side), and an
// optional exponent: the forms a decimal column prints in.
bool is_decimal_text(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) i++;
  size_t digits = 0;
  while (i < s.size() && is_digit(s[i])) i++, digits++;
  if (i < s.size() && s[i] == '.') {
    i++;
    while (i < s.size() && is_digit(s[i])) i++, digits++;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    i++;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) i++;
    size_t exponent = 0;
    while (i < s.size() && is_digit(s[i])) i++, exponent++;
    if (exponent == 0) return false;
  }
  return i == s.size();
}

bool is_blank(char c) {
  return g_ascii_isspace(c);
}

}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueDecimal,
                           tarvex_providers_contracts_value_decimal, DecimalDesc,
                           NUMERIC_INTERFACE(DecimalDesc))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueDecimal,
                            tarvex_providers_contracts_value_decimal, DecimalDesc)

TarvexProvidersContractsValueDecimal* tarvex_providers_contracts_value_decimal_construct_string(
    GType object_type, const gchar* text, GError** error) {
  g_return_val_if_fail(g_type_is_a(object_type, DecimalDesc::type()), NULL);
  g_return_val_if_fail(text != NULL, NULL);
  g_return_val_if_fail(error == NULL || *error == NULL, NULL);

  std::string_view s(text);
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  if (!is_decimal_text(s)) {
    g_set_error(error, G_NUMBER_PARSER_ERROR, G_NUMBER_PARSER_ERROR_INVALID,
                _("“%s” is not a decimal number"), text);
    return nullptr;
  }
  std::string kept(s);
  gdouble number = g_ascii_strtod(kept.c_str(), nullptr);
  if (!std::isfinite(number)) {
    g_set_error(error, G_NUMBER_PARSER_ERROR, G_NUMBER_PARSER_ERROR_OUT_OF_BOUNDS,
                _("“%s” is out of the range of a decimal"), text);
    return nullptr;
  }
  auto* self = values::make<TarvexProvidersContractsValueDecimal>(object_type);
  auto* priv = tarvex_providers_contracts_value_decimal_get_private(self);
  priv->value = number;
  priv->text = std::move(kept);
  return self;
}

TarvexProvidersContractsValueDecimal* tarvex_providers_contracts_value_decimal_new_string(
    const gchar* text, GError** error) {
  return tarvex_providers_contracts_value_decimal_construct_string(DecimalDesc::type(), text,
                                                                   error);
}

// ------------------------------------------------------------ exact values

namespace tarvex::values {

std::string scaled_text(bool negative, unsigned __int128 magnitude, int scale) {
  char out[kScaledChars];
  return std::string(out, scaled_chars(negative, magnitude, scale, out));
}

TarvexProvidersContractsValueDecimal* decimal_new_exact(std::string text) {
  auto* self = make<TarvexProvidersContractsValueDecimal>(DecimalDesc::type());
  auto* priv = tarvex_providers_contracts_value_decimal_get_private(self);
  priv->value = g_ascii_strtod(text.c_str(), nullptr);
  priv->text = std::move(text);
  return self;
}

TarvexProvidersContractsValueMoney* money_new_exact(std::string text) {
  auto* self = make<TarvexProvidersContractsValueMoney>(MoneyDesc::type());
  auto* priv = tarvex_providers_contracts_value_money_get_private(self);
  priv->value = g_ascii_strtod(text.c_str(), nullptr);
  priv->text = std::move(text);
  return self;
}

}  // namespace tarvex::values
