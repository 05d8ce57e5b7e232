#include "brevane/database/statement-text-private.h"

#include <string>
#include <vector>

#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-text-private.h"

namespace tarvex::database {

std::string odbc_braced(std::string_view text) {
  return sql::doubled(text, '}');
}

std::string odbc_value(std::string_view text) {
  bool plain = text.find_first_of(";{}") == std::string_view::npos &&
               (text.empty() || (text.front() != ' ' && text.back() != ' '));
  return plain ? std::string(text) : "{" + odbc_braced(text) + "}";
}

std::string filter_condition(std::string_view expression, const FilterDialect& dialect) {
  std::vector<std::string> fields = text::split(expression, "<;>");
  // Missing fields read as empty texts.
  const std::string& column_field = fields[0];
  const std::string op = fields.size() > 1 ? fields[1] : std::string();
  const std::string value = fields.size() > 2 ? fields[2] : std::string();

  if (op == "CUSTOMIZE") return value;

  std::string column;
  for (const std::string& part : text::split(column_field, ".")) {
    if (!column.empty()) column += '.';
    column += dialect.quote_column_part(part);
  }

  auto escaped = [](std::string_view text) { return sql::literal_body(text); };
  auto two_parts = [&](const char* keyword) {
    std::vector<std::string> parts = text::split(value, ",");
    std::string low = parts[0];
    std::string high = parts.size() > 1 ? parts[1] : std::string();
    return column + keyword + sql::literal(low) + " AND " + sql::literal(high);
  };
  auto list = [&](const char* keyword) {
    std::string items;
    for (const std::string& part : text::split(value, ",")) {
      if (!items.empty()) items += "', '";
      items += escaped(part);
    }
    return column + keyword + "('" + items + "')";
  };

  if (op == "NULL") return column + " IS NULL";
  if (op == "!NULL") return column + " IS NOT NULL";
  if (op == "EMPTY") return column + " = ''";
  if (op == "!EMPTY") return column + " <> ''";
  if (op == "CONTAINS") return column + " LIKE '%" + escaped(value) + "%'";
  if (op == "!CONTAINS") return column + " NOT LIKE '%" + escaped(value) + "%'";
  if (op == "PREFIX") return column + " LIKE '" + escaped(value) + "%'";
  if (op == "!PREFIX") return column + " NOT LIKE '" + escaped(value) + "%'";
  if (op == "SUFFIX") return column + " LIKE '%" + escaped(value) + "'";
  if (op == "!SUFFIX") return column + " NOT LIKE '%" + escaped(value) + "'";
  if (op == "REGEXP") return dialect.regexp(column, value);
  if (op == "!REGEXP") return dialect.not_regexp(column, value);
  if (op == "BETWEEN") return two_parts(" BETWEEN ");
  if (op == "!BETWEEN") return two_parts(" NOT BETWEEN ");
  if (op == "IN") return list(" IN ");
  if (op == "!IN") return list(" NOT IN ");
  // Any other operator compares the column with the value as a literal.
  return column + " " + op + " " + sql::literal(value);
}

}  // namespace tarvex::database
