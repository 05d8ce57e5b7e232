// Text pieces of the statements that are not quoting: filter conditions and
// connection-string values. Names and literals come from brevane/sql
// (tarvex::sql), the one writer of SQL text.
//
// Not installed, not part of the API.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tarvex::database {

// Connection-string values: inside braces a closing brace is doubled; a
// bare value that holds a separator or a brace is braced.
std::string odbc_braced(std::string_view text);
std::string odbc_value(std::string_view text);

// One filter condition from "column<;>operator<;>value". The dialect quotes
// the column parts and writes the two pattern operators; values are written
// as literals with their quotes doubled, except the free CUSTOMIZE condition.
struct FilterDialect {
  std::function<std::string(std::string_view part)> quote_column_part;
  std::function<std::string(const std::string& column, const std::string& value)> regexp;
  std::function<std::string(const std::string& column, const std::string& value)> not_regexp;
};
std::string filter_condition(std::string_view expression, const FilterDialect& dialect);

}  // namespace tarvex::database
