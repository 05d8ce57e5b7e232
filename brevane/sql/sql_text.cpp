#include "brevane/sql/sql-text-private.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <vector>

#include "common/tarvex-bytes-private.h"
#include "providers/contracts/value-text-private.h"
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

namespace {

bool is_line_break(char c) {
  return c == '\n' || c == '\r';
}

bool is_line_blank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// Where a line of `text` starting at `at` would read as a batch separator
// to a tool that splits scripts: blanks, then GO in any case, then the end
// of the line or anything but a letter or "_" (a count, a comment, ";").
// Answers the position of the O, or npos. Erring towards more lines costs
// only one more join.
size_t separator_o(std::string_view text, size_t at) {
  while (at < text.size() && is_line_blank(text[at])) ++at;
  if (at + 1 >= text.size() || (text[at] != 'G' && text[at] != 'g') ||
      (text[at + 1] != 'O' && text[at + 1] != 'o'))
    return std::string_view::npos;
  if (at + 2 < text.size()) {
    const char next = text[at + 2];
    if (g_ascii_isalpha(next) || next == '_' || static_cast<unsigned char>(next) >= 0x80)
      return std::string_view::npos;
  }
  return at + 1;
}

// A literal as pieces joined by " + ": quoted runs of the text and, for
// each zero character, `zero`. The text of a piece never holds a line that
// reads as GO (the run closes after its G), never ends a line with a
// backslash (a line continuation inside a string constant, which the
// server drops with its line break: the run closes after the backslash)
// and never holds a zero byte (which would end the C text the batch
// travels as). So the server reads back exactly `text`.
std::vector<std::string> literal_pieces(std::string_view text, std::string_view open,
                                        std::string_view zero) {
  std::vector<std::string> pieces;
  std::string run;
  bool in_run = false;
  auto close_run = [&] {
    if (in_run) pieces.push_back(std::string(open) + run + "'");
    run.clear();
    in_run = false;
  };
  size_t cut_before = std::string_view::npos;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (i == cut_before) close_run();
    if (c == '\0') {
      close_run();
      pieces.emplace_back(zero);
      continue;
    }
    in_run = true;
    run += c;
    if (c == '\'') run += c;
    if (c == '\\' && i + 1 < text.size() && is_line_break(text[i + 1])) close_run();
    // A line starts after every line break: CR alone ends a line for some
    // tools.
    if (is_line_break(c)) {
      size_t o = separator_o(text, i + 1);
      if (o != std::string_view::npos) cut_before = o;
    }
  }
  close_run();
  if (pieces.empty()) pieces.push_back(std::string(open) + "'");
  return pieces;
}

std::string written_literal(std::string_view text, std::string_view open, std::string_view zero,
                            std::string_view long_type) {
  std::vector<std::string> pieces = literal_pieces(text, open, zero);
  // Joined short pieces make a short type: past 4,000 characters the join
  // would cut the text, so the first piece is of the long type. Bytes
  // count at least as many as UTF-16 units.
  const bool cast = pieces.size() > 1 && text.size() > 4000;
  std::string out;
  for (size_t k = 0; k < pieces.size(); ++k) {
    if (k) out += " + ";
    if (k == 0 && cast)
      out += "CAST(" + pieces[k] + " AS " + std::string(long_type) + ")";
    else
      out += pieces[k];
  }
  return out;
}

}  // namespace

std::string literal(std::string_view text) {
  return written_literal(text, "'", "CHAR(0)", "varchar(max)");
}
std::string nliteral(std::string_view text) {
  std::string out;
  append_nliteral(out, text);
  return out;
}
void append_nliteral(std::string& out, std::string_view text) {
  // A text without a zero character or a line break is one piece: N'...'
  // with its quotes doubled, written here in one pass without the pieces.
  static constexpr auto kMark = [] {
    std::array<guint8, 256> mark{};
    mark[guchar('\'')] = 1;
    mark[0] = mark[guchar('\n')] = mark[guchar('\r')] = 2;
    return mark;
  }();
  // Most texts hold none of the four: written in one piece.
  static const bytes::FewBytes kMarked("'\0\n\r", 4);
  if (!kMarked.any(text.data(), text.size())) {
    char* at = bytes::grow(out, text.size() + 3);
    at[0] = 'N';
    at[1] = '\'';
    bytes::copy(at + 2, text.data(), text.size());
    at[2 + text.size()] = '\'';
    return;
  }
  size_t start = out.size();
  out.append("N'", 2);
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    guint8 mark = kMark[guchar(text[i])];
    if (!mark) continue;
    if (mark == 2) {
      out.resize(start);
      out += written_literal(text, "N'", "NCHAR(0)", "nvarchar(max)");
      return;
    }
    out.append(text.data() + run, i + 1 - run);
    out += '\'';
    run = i + 1;
  }
  out.append(text.data() + run, text.size() - run);
  out += '\'';
}

bool is_one_constant(std::string_view text) {
  std::vector<std::string> pieces = literal_pieces(text, "N'", "NCHAR(0)");
  return pieces.size() == 1 && pieces[0] != "NCHAR(0)";
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
std::string bracketed_two_part(std::string_view schema, std::string_view name) {
  return bracketed(schema) + "." + bracketed(name);
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
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
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
  std::string out;
  if (!append_typed_literal(out, type, text)) return std::nullopt;
  return out;
}

bool append_typed_literal(std::string& out, TarvexProvidersContractsDataType type,
                          std::string_view text) {
  if (is_text_kind(type)) {
    append_nliteral(out, text);
    return true;
  }
  std::string_view value = stripped(text);
  if (value.empty()) {
    out += "NULL";
    return true;
  }
  if (is_integer_kind(type)) {
    if (!is_integer(value)) return false;
    out += value;
    return true;
  }
  if (is_fraction_kind(type)) {
    if (!is_number(value)) return false;
    out += value;
    return true;
  }
  switch (type) {
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DBNULL:
      out += "NULL";
      return true;
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN:
      if (value.size() == 4 && g_ascii_strncasecmp(value.data(), "true", 4) == 0)
        out += '1';
      else if (value.size() == 5 && g_ascii_strncasecmp(value.data(), "false", 5) == 0)
        out += '0';
      else if (value == "1" || value == "0")
        out += value;
      else
        return false;
      return true;
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB:
    case TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_OBJECT:
      out += "0x";
      if (is_hex_literal(value))
        out += value.substr(2);
      else
        out += hexadecimal(text);
      return true;
    default:
      // Dates, times, identifiers and the rest: the server reads the text.
      append_nliteral(out, value);
      return true;
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
  // The whole text: a text value may hold U+0000, which nliteral writes.
  std::string text;
  values::value_text(value, text);
  const TarvexProvidersContractsDataType type =
      tarvex_providers_contracts_value_object_get_data_type(value);
  // Only a plain number stays bare; anything else cannot end the statement
  // it stands in.
  if ((is_integer_kind(type) || is_fraction_kind(type)) && is_number(text)) return text;
  return nliteral(text);
}

// ---- INSERT ... VALUES

InsertWriter::InsertWriter(std::string_view schema, std::string_view table,
                           const std::vector<std::string>& columns)
    : head_("INSERT INTO " + bracketed_qualified(schema, table) + " (") {
  for (size_t i = 0; i < columns.size(); ++i) head_ += (i ? ", " : "") + bracketed(columns[i]);
  head_ += ") VALUES";
}

void InsertWriter::add_row(const std::vector<std::string>& literals) {
  std::string row = "(";
  for (size_t i = 0; i < literals.size(); ++i) {
    if (i) row += ", ";
    row += literals[i];
  }
  row += ")";
  rows_.push_back(std::move(row));
}

std::string InsertWriter::statement(size_t first, size_t count, Layout layout) const {
  const bool lines = layout == Layout::lines;
  std::string out = head_;
  const size_t end = std::min(rows_.size(), first + std::min(count, kInsertRowsMax));
  for (size_t r = first; r < end; ++r) {
    out += r == first ? (lines ? "\n" : " ") : (lines ? ",\n" : ", ");
    out += rows_[r];
  }
  out += ";";
  return out;
}

std::vector<std::string> InsertWriter::statements(size_t per_statement, Layout layout) const {
  per_statement = std::clamp<size_t>(per_statement, 1, kInsertRowsMax);
  std::vector<std::string> out;
  for (size_t first = 0; first < rows_.size(); first += per_statement)
    out.push_back(statement(first, per_statement, layout));
  return out;
}

std::string InsertWriter::text(size_t per_statement, Layout layout) const {
  std::string out;
  for (std::string& one : statements(per_statement, layout)) {
    out += one;
    out += "\n";
  }
  return out;
}

}  // namespace tarvex::sql
