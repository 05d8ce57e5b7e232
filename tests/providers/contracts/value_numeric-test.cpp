// Float, double, money and decimal values and INumeric.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/log-capture.h"
#include "tests/support/need-tool.h"
#include "tests/support/texts.h"

using tarvex::adoptGRef;
using tarvex::GUniqueError;
using tarvex::GUniqueStr;

using Value = TarvexProvidersContractsValueObject;
using DT = TarvexProvidersContractsDataType;

namespace {

class NumericValueTest : public tarvex::test::LogCaptureTest {};

Value* as_value(gpointer p) {
  return static_cast<Value*>(p);
}
auto* as_numeric(gpointer p) {
  return static_cast<TarvexProvidersContractsINumeric*>(p);
}

using tarvex::test::value_text;

// Switches LC_ALL to a locale whose decimal separator is a comma for the
// scope; empty when the machine has none.
class CommaLocale {
 public:
  CommaLocale() {
    saved_ = setlocale(LC_ALL, nullptr);
    for (const char* name :
         {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8", "de_DE"}) {
      if (setlocale(LC_ALL, name) && localeconv()->decimal_point[0] == ',') {
        active_ = true;
        return;
      }
    }
    setlocale(LC_ALL, saved_.c_str());
  }
  ~CommaLocale() { setlocale(LC_ALL, saved_.c_str()); }
  bool active() const { return active_; }

 private:
  std::string saved_;
  bool active_ = false;
};

struct Case {
  const char* label;
  std::function<gpointer()> make;
  const char* type_name;
  const char* name;
  DT data_type;
  const char* text;
  double number;
  GType gtype;
};

const Case kCases[] = {
    {"float 2.5", [] { return gpointer(tarvex_providers_contracts_value_float_new(2.5f)); },
     "TarvexProvidersContractsValueFloat", "float", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT,
     "2.5", 2.5, G_TYPE_FLOAT},
    // The single-precision 0.1 prints as 0.1 and reads as the widened float.
    {"float 0.1", [] { return gpointer(tarvex_providers_contracts_value_float_new(0.1f)); },
     "TarvexProvidersContractsValueFloat", "float", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT,
     "0.1", double(0.1f), G_TYPE_FLOAT},
    {"float max",
     [] { return gpointer(tarvex_providers_contracts_value_float_new(3.4028234663852886e+38f)); },
     "TarvexProvidersContractsValueFloat", "float", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT,
     "3.4028235e+38", 3.4028234663852886e+38, G_TYPE_FLOAT},
    {"double 3.14159",
     [] { return gpointer(tarvex_providers_contracts_value_double_new(3.14159)); },
     "TarvexProvidersContractsValueDouble", "double", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
     "3.14159", 3.14159, G_TYPE_DOUBLE},
    {"double 0.1+0.2",
     [] { return gpointer(tarvex_providers_contracts_value_double_new(0.1 + 0.2)); },
     "TarvexProvidersContractsValueDouble", "double", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
     "0.30000000000000004", 0.1 + 0.2, G_TYPE_DOUBLE},
    {"double 100", [] { return gpointer(tarvex_providers_contracts_value_double_new(100)); },
     "TarvexProvidersContractsValueDouble", "double", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
     "100", 100, G_TYPE_DOUBLE},
    {"double -1e300", [] { return gpointer(tarvex_providers_contracts_value_double_new(-1e300)); },
     "TarvexProvidersContractsValueDouble", "double", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
     "-1e+300", -1e300, G_TYPE_DOUBLE},
    {"money 12.5", [] { return gpointer(tarvex_providers_contracts_value_money_new(12.5)); },
     "TarvexProvidersContractsValueMoney", "money", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY,
     "12.5", 12.5, G_TYPE_DOUBLE},
    // Not 1.23457E+06: the text is the data that exports and SQL use.
    {"money 1234567.89",
     [] { return gpointer(tarvex_providers_contracts_value_money_new(1234567.89)); },
     "TarvexProvidersContractsValueMoney", "money", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY,
     "1234567.89", 1234567.89, G_TYPE_DOUBLE},
    {"money -0.0001", [] { return gpointer(tarvex_providers_contracts_value_money_new(-0.0001)); },
     "TarvexProvidersContractsValueMoney", "money", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY,
     "-0.0001", -0.0001, G_TYPE_DOUBLE},
    {"decimal 0.00001",
     [] { return gpointer(tarvex_providers_contracts_value_decimal_new(0.00001)); },
     "TarvexProvidersContractsValueDecimal", "decimal",
     TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "0.00001", 0.00001, G_TYPE_DOUBLE},
    // Money and decimal never print an exponent: SQL Server reads none in a decimal text.
    {"decimal 1e38", [] { return gpointer(tarvex_providers_contracts_value_decimal_new(1e38)); },
     "TarvexProvidersContractsValueDecimal", "decimal",
     TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "100000000000000000000000000000000000000", 1e38,
     G_TYPE_DOUBLE},
    {"money -922337203685477.5808",
     [] { return gpointer(tarvex_providers_contracts_value_money_new(-922337203685477.5808)); },
     "TarvexProvidersContractsValueMoney", "money", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY,
     "-922337203685477.6", -922337203685477.5808, G_TYPE_DOUBLE},
    {"double 0.0001", [] { return gpointer(tarvex_providers_contracts_value_double_new(0.0001)); },
     "TarvexProvidersContractsValueDouble", "double", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
     "0.0001", 0.0001, G_TYPE_DOUBLE},
    {"double 0.00001",
     [] { return gpointer(tarvex_providers_contracts_value_double_new(0.00001)); },
     "TarvexProvidersContractsValueDouble", "double", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
     "1e-05", 0.00001, G_TYPE_DOUBLE},
    {"double 1e15", [] { return gpointer(tarvex_providers_contracts_value_double_new(1e15)); },
     "TarvexProvidersContractsValueDouble", "double", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
     "1000000000000000", 1e15, G_TYPE_DOUBLE},
    {"double 1e16", [] { return gpointer(tarvex_providers_contracts_value_double_new(1e16)); },
     "TarvexProvidersContractsValueDouble", "double", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
     "1e+16", 1e16, G_TYPE_DOUBLE},
    {"double 0", [] { return gpointer(tarvex_providers_contracts_value_double_new(0)); },
     "TarvexProvidersContractsValueDouble", "double", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
     "0", 0, G_TYPE_DOUBLE},
    {"decimal 123456789.123",
     [] { return gpointer(tarvex_providers_contracts_value_decimal_new(123456789.123)); },
     "TarvexProvidersContractsValueDecimal", "decimal",
     TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "123456789.123", 123456789.123, G_TYPE_DOUBLE},
    {"decimal from text",
     [] {
       return gpointer(tarvex_providers_contracts_value_decimal_new_string(
           "12345678901234567890.1234567890", nullptr));
     },
     "TarvexProvidersContractsValueDecimal", "decimal",
     TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "12345678901234567890.1234567890",
     12345678901234567890.1234567890, G_TYPE_DOUBLE},
};

double gvalue_number(const GValue* gv) {
  return G_VALUE_HOLDS_FLOAT(gv) ? double(g_value_get_float(gv)) : g_value_get_double(gv);
}

TEST_F(NumericValueTest, TextNumbersAndGenericForms) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.label);
    auto v = adoptGRef(G_OBJECT(c.make()));
    ASSERT_NE(v.get(), nullptr);
    EXPECT_STREQ(G_OBJECT_TYPE_NAME(v.get()), c.type_name);
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(as_value(v.get())), c.name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(as_value(v.get())),
              c.data_type);
    EXPECT_FALSE(tarvex_providers_contracts_value_object_get_is_null(as_value(v.get())));
    EXPECT_EQ(value_text(v.get()), c.text);
    ASSERT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_INUMERIC(v.get()));
    EXPECT_EQ(tarvex_providers_contracts_inumeric_to_double(as_numeric(v.get())), c.number);

    GValue gv = G_VALUE_INIT;
    tarvex_providers_contracts_value_object_to_value(as_value(v.get()), &gv);
    EXPECT_EQ(G_VALUE_TYPE(&gv), c.gtype);
    EXPECT_EQ(gvalue_number(&gv), c.number);
    g_value_unset(&gv);

    GUniqueStr dump(tarvex_providers_contracts_value_object_dump(as_value(v.get())));
    EXPECT_EQ(std::string(dump.get()), std::string(c.type_name) + " => " + c.text);

    gchar* name = nullptr;
    gint data_type = -1;
    g_object_get(v.get(), "name", &name, "data-type", &data_type, nullptr);
    EXPECT_STREQ(name, c.name);
    EXPECT_EQ(data_type, c.data_type);
    g_free(name);
  }
}

TEST_F(NumericValueTest, FloatReadsBackAsItsWidenedNumber) {
  auto v = adoptGRef(tarvex_providers_contracts_value_float_new(0.1f));
  double d = tarvex_providers_contracts_inumeric_to_double(as_numeric(v.get()));
  GUniqueStr digits(g_strdup_printf("%.15g", d));
  EXPECT_STREQ(digits.get(), "0.100000001490116");
  EXPECT_EQ(tarvex_providers_contracts_value_float_get_itsvalue(v.get()), 0.1f);
}

// Every printed text reads back to the very same number.
TEST_F(NumericValueTest, PrintedTextsReadBackExactly) {
  std::mt19937_64 random(20240301);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 2000; i++) {
    double n = std::ldexp(mantissa(random), exponent(random));
    auto d = adoptGRef(tarvex_providers_contracts_value_double_new(n));
    auto m = adoptGRef(tarvex_providers_contracts_value_money_new(n));
    auto f = adoptGRef(tarvex_providers_contracts_value_float_new(float(n)));
    EXPECT_EQ(g_ascii_strtod(value_text(d.get()).c_str(), nullptr), n);
    EXPECT_EQ(g_ascii_strtod(value_text(m.get()).c_str(), nullptr), n);
    if (std::isfinite(float(n))) {
      EXPECT_EQ(strtof(value_text(f.get()).c_str(), nullptr), float(n));
    }
  }
}

TEST_F(NumericValueTest, PrintingIgnoresTheProcessLocale) {
  CommaLocale comma;
  TARVEX_NEED_TOOL(comma.active(), "a comma-decimal locale such as de_DE.UTF-8 (localedef)");
  auto d = adoptGRef(tarvex_providers_contracts_value_double_new(12.5));
  EXPECT_EQ(value_text(d.get()), "12.5");
  auto f = adoptGRef(tarvex_providers_contracts_value_float_new(-0.25f));
  EXPECT_EQ(value_text(f.get()), "-0.25");
  auto m = adoptGRef(tarvex_providers_contracts_value_money_new(1234567.89));
  EXPECT_EQ(value_text(m.get()), "1234567.89");
  GUniqueError error;
  auto dec = adoptGRef(tarvex_providers_contracts_value_decimal_new_string("12.5", error.out()));
  ASSERT_NE(dec.get(), nullptr);
  EXPECT_EQ(tarvex_providers_contracts_inumeric_to_double(as_numeric(dec.get())), 12.5);
}

TEST_F(NumericValueTest, DecimalKeepsTheTextItWasMadeFrom) {
  struct {
    const char* in;
    const char* text;
    double number;
  } good[] = {
      {"12.50", "12.50", 12.5},
      {"-0.0010000000", "-0.0010000000", -0.001},
      {"+7", "+7", 7},
      {"  42.0\t", "42.0", 42},
      {".5", ".5", 0.5},
      {"5.", "5.", 5},
      {"1E-3", "1E-3", 0.001},
      {"99999999999999999999999999999999999999", "99999999999999999999999999999999999999", 1e38},
      {"0.1234567890123456789012345678", "0.1234567890123456789012345678",
       0.1234567890123456789012345678},
  };
  for (const auto& c : good) {
    SCOPED_TRACE(c.in);
    GUniqueError error;
    auto v = adoptGRef(tarvex_providers_contracts_value_decimal_new_string(c.in, error.out()));
    ASSERT_NE(v.get(), nullptr);
    EXPECT_EQ(error.get(), nullptr);
    EXPECT_EQ(value_text(v.get()), c.text);
    EXPECT_DOUBLE_EQ(tarvex_providers_contracts_value_decimal_get_itsvalue(v.get()), c.number);
    // The clone keeps the exact text too.
    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(v.get())));
    EXPECT_EQ(value_text(copy.get()), c.text);
  }

  struct {
    const char* in;
    gint code;
  } bad[] = {
      {"", G_NUMBER_PARSER_ERROR_INVALID},
      {"   ", G_NUMBER_PARSER_ERROR_INVALID},
      {"abc", G_NUMBER_PARSER_ERROR_INVALID},
      {"12,5", G_NUMBER_PARSER_ERROR_INVALID},
      {"1.2.3", G_NUMBER_PARSER_ERROR_INVALID},
      {"--1", G_NUMBER_PARSER_ERROR_INVALID},
      {"0x10", G_NUMBER_PARSER_ERROR_INVALID},
      {"inf", G_NUMBER_PARSER_ERROR_INVALID},
      {"nan", G_NUMBER_PARSER_ERROR_INVALID},
      {"1e", G_NUMBER_PARSER_ERROR_INVALID},
      {".", G_NUMBER_PARSER_ERROR_INVALID},
      {"12 5", G_NUMBER_PARSER_ERROR_INVALID},
      {"1e999", G_NUMBER_PARSER_ERROR_OUT_OF_BOUNDS},
  };
  for (const auto& c : bad) {
    SCOPED_TRACE(c.in);
    GUniqueError error;
    auto* v = tarvex_providers_contracts_value_decimal_new_string(c.in, error.out());
    EXPECT_EQ(v, nullptr);
    ASSERT_NE(error.get(), nullptr);
    EXPECT_GERROR(error.get(), G_NUMBER_PARSER_ERROR, c.code);
    if (v) g_object_unref(v);
  }
  // No error out-argument: the failure is still no value, and no crash.
  EXPECT_EQ(tarvex_providers_contracts_value_decimal_new_string("abc", nullptr), nullptr);
}

TEST_F(NumericValueTest, StoringANumberDropsTheDecimalText) {
  auto v = adoptGRef(tarvex_providers_contracts_value_decimal_new_string("10.00", nullptr));
  tarvex_providers_contracts_value_decimal_set_itsvalue(v.get(), 2.25);
  EXPECT_EQ(value_text(v.get()), "2.25");
  auto w = adoptGRef(tarvex_providers_contracts_value_decimal_new_string("10.00", nullptr));
  g_object_set(w.get(), "itsvalue", 3.5, nullptr);
  EXPECT_EQ(value_text(w.get()), "3.5");
}

TEST_F(NumericValueTest, ClonesAreIndependentValuesOfTheSameClass) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.label);
    auto v = adoptGRef(G_OBJECT(c.make()));
    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(v.get())));
    ASSERT_NE(copy.get(), nullptr);
    EXPECT_NE(static_cast<gpointer>(copy.get()), static_cast<gpointer>(v.get()));
    EXPECT_EQ(G_OBJECT_TYPE(copy.get()), G_OBJECT_TYPE(v.get()));
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(copy.get()), c.name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(copy.get()), c.data_type);
    GValue zero = G_VALUE_INIT;
    g_value_init(&zero, c.gtype);
    g_object_set_property(v.get(), "itsvalue", &zero);
    g_value_unset(&zero);
    EXPECT_EQ(value_text(v.get()), "0");
    EXPECT_EQ(value_text(copy.get()), c.text);
    v = nullptr;
    EXPECT_EQ(tarvex_providers_contracts_inumeric_to_double(as_numeric(copy.get())), c.number);
  }
}

TEST_F(NumericValueTest, PropertiesAreDeclaredAsSpecified) {
  struct {
    GType type;
    GType value_type;
    double minimum;
    double maximum;
  } cases[] = {
      {tarvex_providers_contracts_value_float_get_type(), G_TYPE_FLOAT, -3.4028234663852886e+38,
       3.4028234663852886e+38},
      {tarvex_providers_contracts_value_double_get_type(), G_TYPE_DOUBLE, -1.7976931348623157e+308,
       1.7976931348623157e+308},
      {tarvex_providers_contracts_value_money_get_type(), G_TYPE_DOUBLE, -1.7976931348623157e+308,
       1.7976931348623157e+308},
      {tarvex_providers_contracts_value_decimal_get_type(), G_TYPE_DOUBLE, -1.7976931348623157e+308,
       1.7976931348623157e+308},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(g_type_name(c.type));
    EXPECT_EQ(g_type_parent(c.type), tarvex_providers_contracts_value_object_get_type());
    auto* klass = static_cast<GObjectClass*>(g_type_class_ref(c.type));
    struct {
      const char* name;
      guint id;
      bool writable;
    } props[] = {{"name", 1, false}, {"itsvalue", 2, true}, {"data-type", 3, false}};
    for (const auto& p : props) {
      GParamSpec* spec = g_object_class_find_property(klass, p.name);
      ASSERT_NE(spec, nullptr) << p.name;
      EXPECT_EQ(spec->owner_type, c.type);
      EXPECT_EQ(spec->param_id, p.id) << p.name;
      EXPECT_STREQ(g_param_spec_get_nick(spec), p.name);
      EXPECT_STREQ(g_param_spec_get_blurb(spec), p.name);
      EXPECT_EQ(bool(spec->flags & G_PARAM_WRITABLE), p.writable) << p.name;
    }
    GParamSpec* spec = g_object_class_find_property(klass, "itsvalue");
    EXPECT_EQ(spec->value_type, c.value_type);
    if (c.value_type == G_TYPE_FLOAT) {
      EXPECT_EQ(double(G_PARAM_SPEC_FLOAT(spec)->minimum), c.minimum);
      EXPECT_EQ(double(G_PARAM_SPEC_FLOAT(spec)->maximum), c.maximum);
      EXPECT_EQ(G_PARAM_SPEC_FLOAT(spec)->default_value, 0.0f);
    } else {
      EXPECT_EQ(G_PARAM_SPEC_DOUBLE(spec)->minimum, c.minimum);
      EXPECT_EQ(G_PARAM_SPEC_DOUBLE(spec)->maximum, c.maximum);
      EXPECT_EQ(G_PARAM_SPEC_DOUBLE(spec)->default_value, 0.0);
    }
    g_type_class_unref(klass);
  }
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_inumeric_get_type()),
               "TarvexProvidersContractsINumeric");
}

TEST_F(NumericValueTest, SetItsvalueAlwaysNotifies) {
  auto v = adoptGRef(tarvex_providers_contracts_value_money_new(1));
  int notified = 0;
  g_signal_connect(
      v.get(), "notify::itsvalue",
      G_CALLBACK(+[](GObject*, GParamSpec*, gpointer data) { ++*static_cast<int*>(data); }),
      &notified);
  tarvex_providers_contracts_value_money_set_itsvalue(v.get(), 1);
  tarvex_providers_contracts_value_money_set_itsvalue(v.get(), 2);
  EXPECT_EQ(notified, 2);
  EXPECT_EQ(tarvex_providers_contracts_value_money_get_itsvalue(v.get()), 2);
  auto f = adoptGRef(tarvex_providers_contracts_value_float_new(0));
  g_object_set(f.get(), "itsvalue", 1.5f, nullptr);
  EXPECT_EQ(value_text(f.get()), "1.5");
}

TEST_F(NumericValueTest, MissingImplementationsAndPreconditions) {
  auto i = adoptGRef(tarvex_providers_contracts_value_int32_new(5));
  EXPECT_EQ(tarvex_providers_contracts_inumeric_to_double(as_numeric(i.get())), 0);
  double d = 7;
  EXPECT_CRITICAL(d = tarvex_providers_contracts_inumeric_to_double(nullptr), "self != NULL");
  EXPECT_EQ(d, 0);
  EXPECT_CRITICAL(d = tarvex_providers_contracts_value_double_get_itsvalue(nullptr),
                  "self != NULL");
  EXPECT_EQ(d, 0);
  EXPECT_CRITICAL(tarvex_providers_contracts_value_float_set_itsvalue(nullptr, 1), "self != NULL");
  TarvexProvidersContractsValueDecimal* none = nullptr;
  EXPECT_CRITICAL(none = tarvex_providers_contracts_value_decimal_new_string(nullptr, nullptr),
                  "text != NULL");
  EXPECT_EQ(none, nullptr);
  EXPECT_CRITICAL(none = tarvex_providers_contracts_value_decimal_construct(G_TYPE_OBJECT, 1),
                  "g_type_is_a");
  EXPECT_EQ(none, nullptr);
}

}  // namespace
