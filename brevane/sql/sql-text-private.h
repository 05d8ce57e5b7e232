// SQL text: bracketed names, N'...' literals, texts with their quote doubled
// and the literal of a value by its kind. The one place that doubles a quote
// for SQL; every folder of the library that writes SQL text uses it, so it
// sits below them all and includes nothing but common/ and the value types.
//
// Not installed, not part of the API.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "providers/contracts/data_type.h"
#include "providers/contracts/value_object.h"

namespace tarvex::sql {

// `text` with every `quote` doubled.
std::string doubled(std::string_view text, char quote);
// The text between the quotes of a '...' or N'...' literal: every quote
// doubled, no quotes around it (for catalog queries written with N'%s').
std::string literal_body(std::string_view text);

// The one writer of T-SQL text literals: N'text' ('text' for literal()),
// every quote doubled, the text and its case kept. A text the server or a
// script tool would not read back as written is a concatenation that
// denotes it exactly:
//  - each U+0000 is NCHAR(0) (CHAR(0)): N'x' + NCHAR(0) + N'y';
//  - a backslash directly before CR or LF closes its piece, which would
//    otherwise be a line continuation the server drops: N'a\' + N'<LF>b';
//  - a line that reads as a batch separator (GO in any case, with blanks,
//    a count or a comment after it) is cut after its G: N'<LF>G' + N'O';
//  - a join of more than 4,000 characters starts with CAST(... AS
//    nvarchar(max)), so that it is not cut to the short type.
// The result is then an expression: where only a constant stands (EXEC
// arguments, passwords) check is_one_constant first.
std::string nliteral(std::string_view text);
// nliteral(text) appended to `out` (no copy of the text on the way).
void append_nliteral(std::string& out, std::string_view text);
std::string literal(std::string_view text);
// Whether nliteral(text) is one N'...' constant.
bool is_one_constant(std::string_view text);

// [name], "name" and `name`, each with its closing quote doubled.
std::string bracketed(std::string_view name);
std::string double_quoted(std::string_view name);
std::string backquoted(std::string_view name);
// [name], or [schema].[name] when the schema is not empty.
std::string bracketed_qualified(std::string_view schema, std::string_view name);
// [schema].[name], both parts bracketed even when one is empty.
std::string bracketed_two_part(std::string_view schema, std::string_view name);
// Whether `item` is one whole bracketed identifier: "[", at least one
// character with every "]" doubled, "]". Anything else that only looks
// bracketed ("[]", "[a]b]", "[abc]]") is a name to bracket again.
bool is_one_bracketed(std::string_view item);
// A select list of column names separated by commas, each name bracketed
// and the list joined by ", ". Blanks around a name go; "*" and a name
// already written as one bracketed identifier ("[a]]b]", which may hold
// commas) stay as they are.
std::string bracketed_select_list(std::string_view columns);

// Two upper-case hexadecimal digits per byte.
std::string hexadecimal(std::string_view bytes);
// A plain decimal number: sign, digits, optional fraction and exponent.
bool is_number(std::string_view text);

// Booleans, integers, money and floating numbers: kinds whose text stands
// bare in SQL.
bool is_bare_number_kind(TarvexProvidersContractsDataType type);
// Whether `type` keeps its text as it is (strings, XML, JSON and the
// like): a blank text of such a kind is a text, not NULL.
bool is_text_kind(TarvexProvidersContractsDataType type);

// How a value of a data type stands in SQL text: numbers, booleans, enums,
// sets and objects as they are, binaries as X'...' literals, the rest
// quoted.
enum class ValueForm { bare, hexadecimal, quoted };
ValueForm value_form(TarvexProvidersContractsDataType type);

// The T-SQL literal that gives the value back without loss: NULL, 1 or 0
// for booleans, all digits of numbers (floating values in their shortest
// exact form), 0x hexadecimal bytes, ISO 8601 date-times with their
// microseconds and (when not UTC) their offset, everything else N'...'.
std::string value_literal(TarvexProvidersContractsValueObject* value);

// A T-SQL literal of `text` for a column of `type`: integers, and decimal,
// money and floating numbers bare after their text is checked; bits as 1 or
// 0 (from true/false/1/0); binaries as 0x... (a text that is not already a
// 0x literal gives its bytes); every other kind as N'...' with its quotes
// doubled. A blank text of a number, bit, binary or temporal kind is NULL.
// Nothing when the text is not a value of the kind, so no text of a file or
// a cell can end the statement it stands in.
std::optional<std::string> typed_literal(TarvexProvidersContractsDataType type,
                                         std::string_view text);
// typed_literal appended to `out`; false, with `out` as it was, when the
// text is not a value of the kind.
bool append_typed_literal(std::string& out, TarvexProvidersContractsDataType type,
                          std::string_view text);

// ---- INSERT ... VALUES

// The most rows one VALUES list takes.
inline constexpr size_t kInsertRowsMax = 1000;

// The one writer of multi-row INSERT statements (the transfer, the data
// patch, the SQL INSERT export, the imports): rows of literals into one
// table, written as
//   INSERT INTO [schema].[table] ([a], [b]) VALUES
//   (1, N'x'),
//   (2, NULL);
// (Layout::one_line: "... VALUES (1, N'x'), (2, NULL);"), at most
// kInsertRowsMax rows a statement. The caller batches and runs the texts;
// the writer only keeps rows until clear().
class InsertWriter {
 public:
  enum class Layout { lines, one_line };

  // Rows of `columns` (names: bracketed here, in this order) into
  // [schema].[table], or [table] when the schema is empty.
  InsertWriter(std::string_view schema, std::string_view table,
               const std::vector<std::string>& columns);

  // One row: a literal per column in column order, each written by
  // value_literal, typed_literal or nliteral (or NULL, DEFAULT).
  void add_row(const std::vector<std::string>& literals);
  size_t rows() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  void clear() { rows_.clear(); }

  // One statement of the rows [first, first + count) (count between 1 and
  // kInsertRowsMax), ending with ";" and no line break.
  std::string statement(size_t first, size_t count, Layout layout = Layout::lines) const;
  // Every row, in statements of at most `per_statement` rows (1 to
  // kInsertRowsMax), each followed by a line break; empty without rows.
  std::string text(size_t per_statement = kInsertRowsMax, Layout layout = Layout::lines) const;
  std::vector<std::string> statements(size_t per_statement = kInsertRowsMax,
                                      Layout layout = Layout::lines) const;

  // The statement of one row in Layout::one_line, written straight into
  // `out` (a long export makes no row or statement text): open_row, then
  // the literals with next_literal between them, then close_row.
  void open_row(std::string& out) const {
    out += head_;
    out += " (";
  }
  static void next_literal(std::string& out) { out += ", "; }
  static void close_row(std::string& out) { out += ");"; }

 private:
  std::string head_;               // INSERT INTO [s].[t] ([a], [b]) VALUES
  std::vector<std::string> rows_;  // (1, N'x')
};

}  // namespace tarvex::sql
