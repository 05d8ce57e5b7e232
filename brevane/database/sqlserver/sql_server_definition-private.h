// Reading the module definitions SQL Server keeps in its catalog
// (sys.sql_modules.definition): where the body of a CREATE TRIGGER, VIEW,
// PROCEDURE or FUNCTION starts, and the outer parentheses of a check.
//
// The T-SQL scanner of brevane/sql does the work, so that a keyword is only
// found as a whole word outside comments, string literals and bracketed or
// quoted identifiers: "AS" inside CASES, trg_ASSET, [AS], 'AS' or -- AS is
// no keyword.
//
// Not installed, not part of the API.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tarvex::dialect {

// The offset just past the AS keyword that ends the header of a module
// definition, or std::string_view::npos when there is none. Skipped: AS
// inside parentheses (typed parameters and RETURNS TABLE columns), AS after
// EXECUTE or EXEC (the WITH EXECUTE AS option) and AS after a @variable (a
// procedure parameter "@p AS int").
size_t find_body_start(std::string_view definition);

// The body of a module definition: the text after its header's AS, without
// surrounding white space; the whole definition trimmed when it has no such
// AS.
std::string definition_body(std::string_view definition);

// The text inside one outer pair of parentheses that encloses the whole
// (trimmed) expression, as SQL Server stores check and default definitions;
// the trimmed text unchanged when its first and last parentheses do not
// belong together ("(a) OR (b)").
std::string strip_outer_parentheses(std::string_view expression);

// What the header of a procedure or function definition declares beyond
// the catalog: each parameter's default as written (1.5, -1, N'x',
// '2020-01-01', NULL), keyed by the parameter name in lower case, and the
// table a multi-statement function returns (RETURNS @t TABLE (...)).
struct RoutineHeader {
  std::map<std::string, std::string> defaults;
  std::string return_variable;  // "@t", or empty
  std::string return_table;     // "(a int, b int)" with its parentheses, or empty
};
RoutineHeader read_routine_header(std::string_view definition);

}  // namespace tarvex::dialect
