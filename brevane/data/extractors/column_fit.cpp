// Whether an imported number fits the column it goes into, checked before
// the statement is written: a server would round a decimal's extra digits
// away, and a number read from a document keeps digits no double or 64-bit
// integer holds.
#include <glib/gi18n-lib.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

#include "brevane/data/extractors/extractor-private.h"

namespace tarvex::data {

namespace {

// A plain decimal number as sign, significant digits and the power of ten
// of the last digit: "-012.50" is (true, "125", -1); zero has no digits.
struct Decimal {
  bool negative = false;
  std::string digits;
  long exponent = 0;
};

std::optional<Decimal> parse_decimal(std::string_view text) {
  Decimal d;
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) d.negative = text[i++] == '-';
  bool any = false, point = false;
  long fraction = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      any = true;
      if (!(c == '0' && d.digits.empty())) d.digits += c;
      if (point) ++fraction;
      // Zeros before the first significant digit still move the point.
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!any) return std::nullopt;
  long power = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
    if (i >= text.size()) return std::nullopt;
    for (; i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      // Beyond any column either way: kept from overflowing.
      if (power < 100000000) power = power * 10 + (text[i] - '0');
    }
    if (minus) power = -power;
  }
  if (i != text.size()) return std::nullopt;
  d.exponent = power - fraction;
  while (!d.digits.empty() && d.digits.back() == '0') {
    d.digits.pop_back();
    ++d.exponent;
  }
  if (d.digits.empty()) d.exponent = 0;
  return d;
}

// Digits before the point.
long integer_digits(const Decimal& d) {
  return d.digits.empty() ? 0 : long(d.digits.size()) + d.exponent;
}

// Decimals after the point that are not zero.
long fraction_digits(const Decimal& d) {
  return d.exponent < 0 ? -d.exponent : 0;
}

// The number as plain digits ("-12.5"), no exponent: a server reads an
// exponent as a floating number and would round through it.
std::string plain(const Decimal& d) {
  if (d.digits.empty()) return "0";
  std::string out = d.negative ? "-" : "";
  long whole = integer_digits(d);
  if (whole <= 0) {
    out += "0.";
    out.append(size_t(-whole), '0');
    out += d.digits;
  } else if (d.exponent >= 0) {
    out += d.digits;
    out.append(size_t(d.exponent), '0');
  } else {
    out.append(d.digits, 0, size_t(whole));
    out += '.';
    out.append(d.digits, size_t(whole), std::string::npos);
  }
  return out;
}

// -1, 0 or 1 as a is below, equal to or above the limit given as plain
// digits ("9223372036854775807"), comparing magnitudes of whole numbers.
int compare_whole(const Decimal& a, std::string_view limit) {
  std::string whole = a.digits;
  whole.append(size_t(std::max(a.exponent, 0L)), '0');
  if (whole.empty()) whole.push_back('0');
  if (whole.size() != limit.size()) return whole.size() < limit.size() ? -1 : 1;
  int c = whole.compare(limit);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// The magnitude limits of the integer kinds: most below zero, most above.
struct Range {
  std::string_view below, above;
};

std::optional<Range> integer_range(DataType type) {
  switch (type) {
    // SQL Server's tinyint holds 0 to 255, whichever kind a reader gives it.
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT8:
      return Range{"0", "255"};
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT16:
      return Range{"32768", "32767"};
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT16:
      return Range{"0", "65535"};
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32:
      return Range{"2147483648", "2147483647"};
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT32:
      return Range{"0", "4294967295"};
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64:
      return Range{"9223372036854775808", "9223372036854775807"};
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64:
      return Range{"0", "18446744073709551615"};
    default:
      return std::nullopt;
  }
}

bool within(const Decimal& d, const Range& r) {
  return compare_whole(d, d.negative ? r.below : r.above) <= 0;
}

}  // namespace

bool same_number(std::string_view a, std::string_view b) {
  std::optional<Decimal> x = parse_decimal(a), y = parse_decimal(b);
  if (!x || !y) return false;
  if (x->digits.empty() || y->digits.empty()) return x->digits.empty() && y->digits.empty();
  return x->negative == y->negative && x->digits == y->digits && x->exponent == y->exponent;
}

std::optional<std::string> fit_number(const ColumnShape& column, std::string_view text,
                                      std::string* why) {
  std::string_view value = text;
  while (!value.empty() && g_ascii_isspace(value.front())) value.remove_prefix(1);
  while (!value.empty() && g_ascii_isspace(value.back())) value.remove_suffix(1);
  auto refuse = [&](std::string reason) -> std::optional<std::string> {
    if (why) *why = std::move(reason);
    return std::nullopt;
  };
  // Not a number at all: the literal writer refuses it for the kind.
  std::optional<Decimal> d = parse_decimal(value);
  if (value.empty() || !d) return std::string(text);
  // A number that fits keeps its own text unless an exponent (or, for an
  // integer, a point) would make the server read it another way.
  bool exponent = value.find_first_of("eE") != std::string_view::npos;
  auto kept = [&](bool point_allowed) {
    bool point = value.find('.') != std::string_view::npos;
    return exponent || (point && !point_allowed) ? plain(*d) : std::string(value);
  };
  if (std::optional<Range> range = integer_range(column.type)) {
    if (fraction_digits(*d) > 0) return refuse(_("it is not a whole number"));
    if (!within(*d, *range)) return refuse(_("it is out of the column's range"));
    return kept(false);
  }
  switch (column.type) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY: {
      bool small = g_ascii_strcasecmp(column.raw_type.c_str(), "SMALLMONEY") == 0;
      if (fraction_digits(*d) > 4) return refuse(_("money keeps four decimals"));
      // The limits in ten-thousandths.
      Decimal scaled = *d;
      scaled.exponent += 4;
      Range range = small ? Range{"2147483648", "2147483647"}
                          : Range{"9223372036854775808", "9223372036854775807"};
      if (!within(scaled, range)) return refuse(_("it is out of the column's range"));
      return kept(true);
    }
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL: {
      long whole = std::max(integer_digits(*d), 0L);
      // A column of unknown precision takes the 38 digits of the server's
      // largest decimal.
      if (column.precision <= 0) {
        if (whole + fraction_digits(*d) > 38) return refuse(_("it has more than 38 digits"));
        return kept(true);
      }
      long scale = long(column.scale);
      if (fraction_digits(*d) > scale) {
        GUniqueStr reason(g_strdup_printf(_("the column keeps %ld decimals"), scale));
        return refuse(reason.get());
      }
      if (whole > long(column.precision) - scale)
        return refuse(_("it is out of the column's range"));
      return kept(true);
    }
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE: {
      std::string copy(value);
      gdouble n = g_ascii_strtod(copy.c_str(), nullptr);
      bool single = column.type == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT;
      gdouble largest = single ? gdouble(FLT_MAX) : DBL_MAX;
      if (!std::isfinite(n) || std::fabs(n) > largest)
        return refuse(_("it is out of the column's range"));
      if (!d->digits.empty() && (n == 0 || (single && gfloat(n) == 0)))
        return refuse(_("it is too small for the column: it would be stored as 0"));
      return std::string(text);
    }
    default:
      return std::string(text);
  }
}

}  // namespace tarvex::data
