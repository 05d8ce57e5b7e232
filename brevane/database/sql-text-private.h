// Text helpers of the statements and the connection: filter expressions,
// connection-string values and the masking of passwords in log lines. The
// quoting itself (brackets, N'...' literals, literals of values) lives in
// brevane/sql, below every folder that writes SQL; its names are usable here
// too.
//
// Not installed, not part of the API.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-log-mask-private.h"

namespace tarvex::database {

using tarvex::sql::bracketed;
using tarvex::sql::bracketed_qualified;
using tarvex::sql::bracketed_select_list;
using tarvex::sql::double_quoted;
using tarvex::sql::doubled;
using tarvex::sql::hexadecimal;
using tarvex::sql::is_number;
using tarvex::sql::is_text_kind;
using tarvex::sql::literal;
using tarvex::sql::literal_body;
using tarvex::sql::nliteral;
using tarvex::sql::typed_literal;
using tarvex::sql::value_form;
using tarvex::sql::value_literal;
using tarvex::sql::ValueForm;

// Connection-string values: inside braces a closing brace is doubled; a
// bare value that holds a separator or a brace is braced.
std::string odbc_braced(std::string_view text);
std::string odbc_value(std::string_view text);

bool contains(std::string_view text, std::string_view needle);
// Splits at every occurrence of `separator`, keeping empty pieces.
std::vector<std::string> split(std::string_view text, std::string_view separator);

// One filter condition from "column<;>operator<;>value". The dialect quotes
// the column parts and writes the two pattern operators; values are written
// as literals with their quotes doubled, except the free CUSTOMIZE condition.
struct FilterDialect {
  std::function<std::string(std::string_view part)> quote_column_part;
  std::function<std::string(const std::string& column, const std::string& value)> regexp;
  std::function<std::string(const std::string& column, const std::string& value)> not_regexp;
};
std::string filter_condition(std::string_view expression, const FilterDialect& dialect);

// The masking of passwords in logged SQL text lives in common/, shared with
// the provider library.
using tarvex::masked_for_log;

}  // namespace tarvex::database
