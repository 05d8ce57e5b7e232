// The one writer of text literals and the one writer of INSERT ... VALUES
// statements: every literal reads back as the exact text it was written
// from, whatever the text holds, and never ends early, splits its script
// or loses a character to a line continuation.
#include "brevane/sql/sql-text-private.h"

#include <gtest/gtest.h>

#include "providers/contracts/value_string.h"
#include "tests/support/tsql-literal.h"

namespace tarvex::test {
namespace {

using namespace std::string_literals;
namespace tsql = tarvex::test::tsql;

// What a literal must hold to: it reads back as `text`, holds no zero
// byte, no separator line and no backslash before a line break, also when
// it stands on a line of its own.
void expect_exact(const std::string& literal, const std::string& text, const std::string& what) {
  EXPECT_EQ(tsql::literal_value(literal), std::optional<std::string>(text))
      << what << ": " << literal;
  EXPECT_EQ(literal.find('\0'), std::string::npos) << what;
  EXPECT_TRUE(tsql::separator_lines("SELECT\n" + literal + "\n").empty())
      << what << ": " << literal;
  EXPECT_FALSE(tsql::has_backslash_before_break(literal)) << what << ": " << literal;
}

TEST(SqlLiteral, HostileTextsReadBackExactly) {
  for (const auto& h : tsql::hostile_texts()) {
    expect_exact(sql::nliteral(h.text), h.text, std::string("nliteral: ") + h.what);
    expect_exact(sql::literal(h.text), h.text, std::string("literal: ") + h.what);
    const std::string n = sql::nliteral(h.text);
    EXPECT_EQ(n.rfind("N'", 0) == 0 || n.rfind("NCHAR(0)", 0) == 0, true) << h.what << ": " << n;
  }
}

TEST(SqlLiteral, Forms) {
  struct Case {
    std::string text;
    std::string literal;
  };
  const std::vector<Case> cases = {
      {"", "N''"},
      {"O'Brien", "N'O''Brien'"},
      {"x\0y"s, "N'x' + NCHAR(0) + N'y'"},
      {"\0y"s, "NCHAR(0) + N'y'"},
      {"x\0"s, "N'x' + NCHAR(0)"},
      {"\0"s, "NCHAR(0)"},
      {"a\\\nb", "N'a\\' + N'\nb'"},
      {"a\\\r\nb", "N'a\\' + N'\r\nb'"},
      {"a\\\rb", "N'a\\' + N'\rb'"},
      // A backslash at the very end closes the literal safely; one before
      // other characters stays.
      {"a\\", "N'a\\'"},
      {"a\\b\\ c\\\\", "N'a\\b\\ c\\\\'"},
      // Separator lines are cut after their G; the case stays.
      {"a\nGO\nb", "N'a\nG' + N'O\nb'"},
      {"a\ngo", "N'a\ng' + N'o'"},
      {"a\r\n  Go 2\r\n", "N'a\r\n  G' + N'o 2\r\n'"},
      {"a\nGO -- c", "N'a\nG' + N'O -- c'"},
      {"a\nGO;", "N'a\nG' + N'O;'"},
      {"a\rGO", "N'a\rG' + N'O'"},
      // The first line follows N' in any script: it is no separator.
      {"GO\nb", "N'GO\nb'"},
      // Words that only start with GO are no separators.
      {"a\nGOOD\ngo_on\nGoÜ", "N'a\nGOOD\ngo_on\nGoÜ'"},
      {"a\nG\nO", "N'a\nG\nO'"},
  };
  for (const auto& c : cases) EXPECT_EQ(sql::nliteral(c.text), c.literal) << c.literal;
  EXPECT_EQ(sql::literal("x\0y'"s), "'x' + CHAR(0) + 'y'''");
}

TEST(SqlLiteral, OneConstantOnlyWhenNothingIsJoined) {
  EXPECT_TRUE(sql::is_one_constant(""));
  EXPECT_TRUE(sql::is_one_constant("O'Brien ' + N'x"));
  EXPECT_TRUE(sql::is_one_constant("a\\"));
  EXPECT_TRUE(sql::is_one_constant("GO\nb"));
  EXPECT_FALSE(sql::is_one_constant("\0"s));
  EXPECT_FALSE(sql::is_one_constant("a\0"s));
  EXPECT_FALSE(sql::is_one_constant("a\\\nb"));
  EXPECT_FALSE(sql::is_one_constant("a\ngo"));
}

// A join of short constants is cut to 4,000 characters by the server:
// past that the first piece is cast to the long type. Bytes are counted,
// which are never fewer than the characters.
TEST(SqlLiteral, LongJoinsStartWithTheLongType) {
  for (size_t size : {3999u, 4000u, 4001u, 9000u}) {
    std::string text(size - 1, 'x');
    text.insert(text.size() / 2, 1, '\0');
    const std::string literal = sql::nliteral(text);
    EXPECT_EQ(literal.rfind("CAST(N'", 0) == 0, size > 4000) << size;
    expect_exact(literal, text, "size " + std::to_string(size));
  }
  // A long text that needs no join stays one constant.
  const std::string plain(9000, 'y');
  EXPECT_EQ(sql::nliteral(plain), "N'" + plain + "'");
}

TEST(SqlLiteral, TypedAndValueLiteralsGoThroughTheWriter) {
  for (const auto& h : tsql::hostile_texts()) {
    for (auto type :
         {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING,
          TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML}) {
      std::optional<std::string> typed = sql::typed_literal(type, h.text);
      ASSERT_TRUE(typed) << h.what;
      expect_exact(*typed, h.text, std::string("typed: ") + h.what);
    }
    // A value object holds a C text: it ends at a zero character.
    auto* value = tarvex_providers_contracts_value_string_new(h.text.c_str());
    expect_exact(sql::value_literal(reinterpret_cast<TarvexProvidersContractsValueObject*>(value)),
                 h.text.c_str(), std::string("value: ") + h.what);
    g_object_unref(value);
  }
  // Kinds read by the server from a text (dates, identifiers) get the same
  // writer for what is left after the blanks around them go.
  EXPECT_EQ(sql::typed_literal(TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE, " x\0y "s),
            std::optional<std::string>("N'x' + NCHAR(0) + N'y'"));
}

// The appending forms add to what a buffer holds exactly the literal the
// returning forms give, and leave it as it was for a text of another kind.
TEST(SqlLiteral, AppendedLiteralsAreTheSame) {
  std::vector<std::string> texts = {"",      "'",    "''x'", "plain",      "a\nb",
                                    "a\0b"s, " 12 ", "1e5",  "-0.50",      "true",
                                    "FALSE", "0x0A", "zz",   "2024-02-29", "x\\\r\nGO"};
  for (const auto& h : tsql::hostile_texts()) texts.push_back(h.text);
  for (const std::string& text : texts) {
    std::string out = "head";
    sql::append_nliteral(out, text);
    EXPECT_EQ(out, "head" + sql::nliteral(text)) << text;
    for (auto type :
         {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32,
          TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
          TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY,
          TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME}) {
      std::optional<std::string> typed = sql::typed_literal(type, text);
      out = "head";
      EXPECT_EQ(sql::append_typed_literal(out, type, text), typed.has_value()) << text;
      EXPECT_EQ(out, "head" + typed.value_or("")) << text;
    }
  }
}

// The tests' reader does what a server does with a literal, so that a
// literal the server would change is caught.
// A two-part name brackets both parts, even an empty one; the qualified
// name leaves an empty schema out.
TEST(SqlNames, TwoPartAndQualifiedNames) {
  struct Case {
    const char *schema, *name, *two_part, *qualified;
  };
  const Case cases[] = {
      {"dbo", "t", "[dbo].[t]", "[dbo].[t]"},
      {"a]b", "c]]d", "[a]]b].[c]]]]d]", "[a]]b].[c]]]]d]"},
      {"it's", "select", "[it's].[select]", "[it's].[select]"},
      {"Zoë", "order lines 😀", "[Zoë].[order lines 😀]", "[Zoë].[order lines 😀]"},
      {"", "t", "[].[t]", "[t]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sql::bracketed_two_part(c.schema, c.name), c.two_part) << c.schema;
    EXPECT_EQ(sql::bracketed_qualified(c.schema, c.name), c.qualified) << c.schema;
  }
}

TEST(LiteralReader, ReadsAsTheServerDoes) {
  EXPECT_EQ(tsql::literal_value("N'a\\\nb'"), std::optional<std::string>("ab"));
  EXPECT_EQ(tsql::literal_value("N'a\\\r\nb'"), std::optional<std::string>("ab"));
  EXPECT_EQ(tsql::literal_value("N'it''s'"), std::optional<std::string>("it's"));
  EXPECT_EQ(tsql::literal_value("N'x' + NCHAR(0) + 'y'"), std::optional<std::string>("x\0y"s));
  EXPECT_EQ(tsql::literal_value("CAST(N'a' AS nvarchar(max)) + N'b'"),
            std::optional<std::string>("ab"));
  EXPECT_EQ(tsql::literal_value("N'open"), std::nullopt);
  EXPECT_EQ(tsql::literal_value("N'a' +"), std::nullopt);
  EXPECT_EQ(tsql::literals_in("INSERT INTO [N'x] VALUES(1, N'a', NULL, 'b' + NCHAR(65));"),
            (std::vector<std::string>{"a", "bA"}));
  EXPECT_EQ(tsql::separator_lines("a\n go 2 -- c\r\nGOOD\rGO\n"),
            (std::vector<std::string>{" go 2 -- c", "GO"}));
}

// ---- INSERT ... VALUES

std::vector<std::string> row(int id, const std::string& text) {
  return {std::to_string(id), sql::nliteral(text)};
}

TEST(InsertWriter, StatementsOfRowsOnLines) {
  sql::InsertWriter insert("sa]les", "or'ders", {"id", "te]xt"});
  EXPECT_TRUE(insert.empty());
  EXPECT_EQ(insert.text(), "");
  insert.add_row(row(1, "a"));
  insert.add_row(row(2, "x\0y"s));
  insert.add_row({"3", "NULL"});
  EXPECT_EQ(insert.rows(), 3u);
  EXPECT_EQ(insert.text(),
            "INSERT INTO [sa]]les].[or'ders] ([id], [te]]xt]) VALUES\n(1, N'a'),\n"
            "(2, N'x' + NCHAR(0) + N'y'),\n(3, NULL);\n");
  EXPECT_EQ(insert.statement(1, 2, sql::InsertWriter::Layout::one_line),
            "INSERT INTO [sa]]les].[or'ders] ([id], [te]]xt]) VALUES (2, N'x' + NCHAR(0) + N'y'), "
            "(3, NULL);");
  EXPECT_EQ(insert.text(2), insert.statement(0, 2) + "\n" + insert.statement(2, 2) + "\n");
  insert.clear();
  EXPECT_TRUE(insert.empty());
}

// A row written straight into a buffer is the one-line statement of that
// row alone.
TEST(InsertWriter, OneRowWrittenInPlace) {
  sql::InsertWriter insert("sa]les", "or'ders", {"id", "te]xt", "n"});
  std::vector<std::string> literals = {"1", sql::nliteral("x\0y'"s), "NULL"};
  std::string out = "before\n";
  insert.open_row(out);
  for (size_t i = 0; i < literals.size(); ++i) {
    if (i) sql::InsertWriter::next_literal(out);
    out += literals[i];
  }
  sql::InsertWriter::close_row(out);
  insert.add_row(literals);
  EXPECT_EQ(out, "before\n" + insert.statement(0, 1, sql::InsertWriter::Layout::one_line));
}

TEST(InsertWriter, WithoutSchemaTheTableStandsAlone) {
  sql::InsertWriter insert("", "t", {"a"});
  insert.add_row({"1"});
  EXPECT_EQ(insert.statement(0, 1, sql::InsertWriter::Layout::one_line),
            "INSERT INTO [t] ([a]) VALUES (1);");
}

// At, one below and one above the 1,000 rows of a VALUES list.
TEST(InsertWriter, AtMostAThousandRowsAStatement) {
  struct Case {
    size_t rows;
    std::vector<size_t> per_statement;
  };
  for (const Case& c : std::vector<Case>{
           {999, {999}}, {1000, {1000}}, {1001, {1000, 1}}, {2001, {1000, 1000, 1}}}) {
    sql::InsertWriter insert("dbo", "t", {"id"});
    for (size_t r = 0; r < c.rows; ++r) insert.add_row({std::to_string(r)});
    std::vector<std::string> statements = insert.statements();
    ASSERT_EQ(statements.size(), c.per_statement.size()) << c.rows;
    size_t next = 0;
    for (size_t k = 0; k < statements.size(); ++k) {
      const std::string& s = statements[k];
      EXPECT_EQ(s.rfind("INSERT INTO [dbo].[t] ([id]) VALUES\n(", 0), 0u);
      EXPECT_EQ(s.back(), ';');
      size_t n = 0;
      for (size_t at = s.find("\n("); at != std::string::npos; at = s.find("\n(", at + 1)) {
        EXPECT_EQ(s.compare(at + 2, std::to_string(next).size() + 1, std::to_string(next) + ")"),
                  0);
        ++n;
        ++next;
      }
      EXPECT_EQ(n, c.per_statement[k]) << c.rows;
    }
    // A larger batch asked for is still at most 1,000 rows.
    EXPECT_EQ(insert.statements(5000).size(), c.per_statement.size());
    EXPECT_EQ(insert.statement(0, 5000), statements[0]);
  }
  sql::InsertWriter small("dbo", "t", {"id"});
  for (int r = 0; r < 5; ++r) small.add_row({std::to_string(r)});
  EXPECT_EQ(small.statements(2).size(), 3u);
  EXPECT_EQ(small.statements(0).size(), 5u);
}

}  // namespace
}  // namespace tarvex::test
