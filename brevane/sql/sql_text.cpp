#include "brevane/sql/sql-text-private.h"

#include <glib.h>

#include <cctype>

#include "providers/contracts/value_binary.h"
#include "providers/contracts/value_date_time.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_null.h"

namespace tarvex::sql {

std::string doubled(std::string_view text, char quote) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    out += c;
    if (c == quote) out += c;
  }
  return out;
}

std::string literal_body(std::string_view text) {
  return doubled(text, '\'');
}
std::string literal(std::string_view text) {
  return "'" + literal_body(text) + "'";
}
std::string nliteral(std::string_view text) {
  return "N'" + literal_body(text) + "'";
}
std::string bracketed(std::string_view name) {
  return "[" + doubled(name, ']') + "]";
}
std::string double_quoted(std::string_view name) {
  return "\"" + doubled(name, '"') + "\"";
}
std::string backquoted(std::string_view name) {
  return "`" + doubled(name, '`') + "`";
}

std::string bracketed_qualified(std::string_view schema, std::string_view name) {
  return schema.empty() ? bracketed(name) : bracketed(schema) + "." + bracketed(name);
}

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

bool is_one_bracketed(std::string_view item) {
  if (item.size() < 3 || item.front() != '[' || item.back() != ']') return false;
  for (size_t i = 1; i + 1 < item.size(); i++) {
    if (item[i] != ']') continue;
    if (i + 2 >= item.size() || item[i + 1] != ']') return false;
    i++;
  }
  return true;
}

std::string bracketed_select_list(std::string_view columns) {
  std::string out;
  size_t at = 0;
  bool first = true;
  while (true) {
    while (at < columns.size() && is_blank(columns[at])) at++;
    // The item ends at the first comma, past a bracketed identifier's
    // closing bracket when it starts with one; a "[" never closed is an
    // ordinary character of a name that ends at the first comma.
    size_t end = at;
    if (end < columns.size() && columns[end] == '[') {
      bool closed = false;
      for (end++; end < columns.size() && !closed; end++) {
        if (columns[end] != ']') continue;
        if (end + 1 < columns.size() && columns[end + 1] == ']') {
          end++;
          continue;
        }
        closed = true;
      }
      if (!closed) end = at;
    }
    size_t comma = columns.find(',', end);
    std::string_view item =
        columns.substr(at, comma == std::string_view::npos ? comma : comma - at);
    while (!item.empty() && is_blank(item.back())) item.remove_suffix(1);
    // An empty or blank list stays empty.
    if (!first || comma != std::string_view::npos || !item.empty()) {
      if (!first) out += ", ";
      first = false;
      out += item == "*" || is_one_bracketed(item) ? std::string(item) : bracketed(item);
    }
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
  return out;
}

std::string hexadecimal(std::string_view bytes) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char byte : bytes) {
    out += digits[byte >> 4];
    out += digits[byte & 0x0F];
  }
  return out;
}

bool is_number(std::string_view text) {
  size_t i = 0;
  auto digits = [&] {
    size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t whole = digits();
  size_t fraction = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    fraction = digits();
  }
  if (whole + fraction == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == text.size();
}

namespace {

bool is_integer_kind(TarvexProvidersContractsDataType type) {
  switch (type) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT16:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT8:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT16:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT32:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64:
      return true;
    default:
      return false;
  }
}

// Money, decimal and floating numbers.
bool is_fraction_kind(TarvexProvidersContractsDataType type) {
  return type == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY ||
         type == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL ||
         type == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT ||
         type == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE;
}

}  // namespace

bool is_bare_number_kind(TarvexProvidersContractsDataType type) {
  return type == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN || is_integer_kind(type) ||
         (is_fraction_kind(type) && type != TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL);
}

bool is_text_kind(TarvexProvidersContractsDataType type) {
  switch (type) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_CHAR:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_JSON:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_ENUM:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLAGS:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_SET:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOMETRY:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOGRAPHY:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_VARIANT:
      return true;
    default:
      return false;
  }
}

ValueForm value_form(TarvexProvidersContractsDataType type) {
  if (is_bare_number_kind(type)) return ValueForm::bare;
  switch (type) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_ENUM:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_SET:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_OBJECT:
      return ValueForm::bare;
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB:
      return ValueForm::hexadecimal;
    default:
      return ValueForm::quoted;
  }
}

namespace {

std::string_view stripped(std::string_view text) {
  auto blank = [](char c) { return g_ascii_isspace(c); };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool is_integer(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool is_hex_literal(std::string_view text) {
  return text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
         text.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string_view::npos;
}

}  // namespace

std::optional<std::string> typed_literal(TarvexProvidersContractsDataType type,
                                         std::string_view text) {
  if (is_text_kind(type)) return nliteral(text);
  std::string_view value = stripped(text);
  if (value.empty()) return std::string("NULL");
  if (is_integer_kind(type)) {
    if (!is_integer(value)) return std::nullopt;
    return std::string(value);
  }
  if (is_fraction_kind(type)) {
    if (!is_number(value)) return std::nullopt;
    return std::string(value);
  }
  switch (type) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DBNULL:
      return std::string("NULL");
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN:
      if (value.size() == 4 && g_ascii_strncasecmp(value.data(), "true", 4) == 0)
        return std::string("1");
      if (value.size() == 5 && g_ascii_strncasecmp(value.data(), "false", 5) == 0)
        return std::string("0");
      if (value == "1" || value == "0") return std::string(value);
      return std::nullopt;
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_OBJECT:
      if (is_hex_literal(value)) return "0x" + std::string(value.substr(2));
      return "0x" + hexadecimal(text);
    default:
      // Dates, times, identifiers and the rest: the server reads the text.
      return nliteral(value);
  }
}

namespace {

std::string date_time_literal(TarvexProvidersContractsValueObject* value) {
  GDateTime* moment = tarvex_providers_contracts_value_date_time_get_itsvalue(
      reinterpret_cast<TarvexProvidersContractsValueDateTime*>(value));
  if (!moment) return "NULL";
  char buffer[80];
  if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_DATE(value)) {
    g_snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", g_date_time_get_year(moment),
               g_date_time_get_month(moment), g_date_time_get_day_of_month(moment));
    return nliteral(buffer);
  }
  int micro = g_date_time_get_microsecond(moment);
  if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_TIME(value)) {
    g_snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%06d", g_date_time_get_hour(moment),
               g_date_time_get_minute(moment), g_date_time_get_second(moment), micro);
    return nliteral(buffer);
  }
  g_snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d.%06d",
             g_date_time_get_year(moment), g_date_time_get_month(moment),
             g_date_time_get_day_of_month(moment), g_date_time_get_hour(moment),
             g_date_time_get_minute(moment), g_date_time_get_second(moment), micro);
  std::string text = buffer;
  GTimeSpan offset = g_date_time_get_utc_offset(moment) / G_TIME_SPAN_MINUTE;
  if (offset != 0) {
    long minutes = offset < 0 ? -offset : offset;
    g_snprintf(buffer, sizeof buffer, "%c%02ld:%02ld", offset < 0 ? '-' : '+', minutes / 60,
               minutes % 60);
    text += buffer;
  }
  return nliteral(text);
}

}  // namespace

std::string value_literal(TarvexProvidersContractsValueObject* value) {
  if (!value || TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_NULL(value) ||
      tarvex_providers_contracts_value_object_get_is_null(value))
    return "NULL";
  if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_BOOLEAN(value))
    return tarvex_providers_contracts_value_boolean_get_itsvalue(
               reinterpret_cast<TarvexProvidersContractsValueBoolean*>(value))
               ? "1"
               : "0";
  if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_BINARY(value)) {
    GBytes* bytes = tarvex_providers_contracts_value_binary_get_itsvalue(
        reinterpret_cast<TarvexProvidersContractsValueBinary*>(value));
    gsize size = 0;
    const char* data = bytes ? static_cast<const char*>(g_bytes_get_data(bytes, &size)) : nullptr;
    return "0x" + hexadecimal(std::string_view(data ? data : "", size));
  }
  if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_DATE_TIME(value)) return date_time_literal(value);
  char* printed = tarvex_providers_contracts_value_object_to_string(value);
  std::string text = printed ? printed : "";
  g_free(printed);
  const TarvexProvidersContractsDataType type =
      tarvex_providers_contracts_value_object_get_data_type(value);
  // Only a plain number stays bare; anything else cannot end the statement
  // it stands in.
  if ((is_integer_kind(type) || is_fraction_kind(type)) && is_number(text)) return text;
  return nliteral(text);
}

}  // namespace tarvex::sql
