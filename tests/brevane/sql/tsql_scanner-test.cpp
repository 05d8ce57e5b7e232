// The T-SQL scanner and the one splitter of scripts into batches: GO lines
// in every form, inside and outside literals, comments and names.
#include "brevane/sql/tsql-scanner-private.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/log-capture.h"

namespace tarvex::test {
namespace {

using sql::Batch;
using namespace std::string_literals;

class TsqlScannerTest : public LogCaptureTest {};

std::vector<std::string> texts_of(const std::vector<Batch>& batches) {
  std::vector<std::string> out;
  for (const auto& b : batches) out.push_back(b.text);
  return out;
}

TEST_F(TsqlScannerTest, GoLinesInEveryForm) {
  const struct {
    const char* line;
    bool go;
    unsigned long count;
  } cases[] = {
      {"GO", true, 1},          {"go", true, 1},
      {"Go", true, 1},          {"gO", true, 1},
      {" GO ", true, 1},        {"\tGO\t", true, 1},
      {"GO\n", true, 1},        {"GO\r\n", true, 1},
      {"GO\r", true, 1},        {"GO 2", true, 2},
      {"GO   10  ", true, 10},  {"GO 2 -- twice", true, 2},
      {"GO -- c", true, 1},     {"GO--c", true, 1},
      {"GO 0", true, 0},        {"GO 99999999999999999999999", true, ~0ul},
      {"", false, 0},           {"G", false, 0},
      {"O", false, 0},          {"GOTO", false, 0},
      {"GO2", false, 0},        {"GO;", false, 0},
      {"GO GO", false, 0},      {"GO 2 3", false, 0},
      {"GO 2x", false, 0},      {"GO -1", false, 0},
      {"GO /* c */", false, 0}, {"-- GO", false, 0},
      {"'GO'", false, 0},       {"SELECT 1 GO", false, 0},
      {"G O", false, 0},        {"\xEF\xBC\xA7O", false, 0},  // a full-width G
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("line [") + c.line + "]");
    unsigned long count = 12345;
    EXPECT_EQ(sql::is_go_line(c.line, &count), c.go);
    if (c.go) EXPECT_EQ(count, c.count);
    EXPECT_EQ(sql::is_go_line(c.line), c.go);
  }
}

TEST_F(TsqlScannerTest, HoldsGoLineWhereverItStands) {
  const struct {
    const char* text;
    bool holds;
  } cases[] = {
      {"", false},
      {"SELECT 1", false},
      {"GO", true},
      {"SELECT 'a\nGO\nb'", true},
      {"SELECT 'a\r\nGO\r\nb'", true},
      {"SELECT 'a\rGO\rb'", true},
      {"SELECT 'a\ngo 2\nb'", true},
      {"/*\n GO -- c\n*/", true},
      {"SELECT 'a\nGOTO\nb'", false},
      {"SELECT 'a\nG' + N'O\nb'", false},
      {"SELECT 1\nGO", true},
      {"GO\nSELECT 1", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(sql::holds_go_line(c.text), c.holds);
  }
}

TEST_F(TsqlScannerTest, SplitsOnlyAtGoLinesOutsideLiteralsCommentsAndNames) {
  const struct {
    const char* what;
    std::string script;
    std::vector<std::string> batches;
  } cases[] = {
      {"no separator", "SELECT 1;\n", {"SELECT 1;\n"}},
      {"empty", "", {""}},
      {"real separators",
       "SELECT 1;\nGO\nSELECT 2;\ngo\nSELECT 3;",
       {"SELECT 1;\n", "SELECT 2;\n", "SELECT 3;"}},
      {"trailing separator", "SELECT 1;\nGO\n", {"SELECT 1;\n", ""}},
      {"leading separator", "GO\nSELECT 1;", {"", "SELECT 1;"}},
      {"blanks, count and comment",
       "A\n  GO  \nB\nGO 2\nC\nGO -- done\nD",
       {"A\n", "B\n", "C\n", "D"}},
      {"CRLF", "A\r\nGO\r\nB\r\n", {"A\r\n", "B\r\n"}},
      {"in a literal",
       "PRINT 'first line\nGO\nDROP TABLE dbo.victim --'\nGO\nB",
       {"PRINT 'first line\nGO\nDROP TABLE dbo.victim --'\n", "B"}},
      {"in a literal with CRLF",
       "PRINT 'a\r\nGO\r\nb'\r\nGO\r\n",
       {"PRINT 'a\r\nGO\r\nb'\r\n", ""}},
      {"in a Unicode literal", "SELECT N'a\nGO\nb';", {"SELECT N'a\nGO\nb';"}},
      {"in a literal, lower case and counted", "SELECT 'a\n go 2 \nb'", {"SELECT 'a\n go 2 \nb'"}},
      {"in a literal with a doubled quote",
       "SELECT 'it''s\nGO\n'' still'\nGO\nB",
       {"SELECT 'it''s\nGO\n'' still'\n", "B"}},
      {"after a closed literal", "SELECT 'a'\nGO\nB", {"SELECT 'a'\n", "B"}},
      {"in brackets", "SELECT 1 AS [a\nGO\n]]b]\nGO\nB", {"SELECT 1 AS [a\nGO\n]]b]\n", "B"}},
      {"in double quotes", "SELECT 1 AS \"a\nGO\nb\"", {"SELECT 1 AS \"a\nGO\nb\""}},
      {"in a block comment", "/* x\nGO\n*/ SELECT 1\nGO\nB", {"/* x\nGO\n*/ SELECT 1\n", "B"}},
      {"in a nested block comment", "/* a /* b */\nGO\n*/\nGO\nB", {"/* a /* b */\nGO\n*/\n", "B"}},
      {"after a nested block comment", "/* a /* b */ */\nGO\nB", {"/* a /* b */ */\n", "B"}},
      {"after a line comment", "SELECT 1 -- it's\nGO\nB", {"SELECT 1 -- it's\n", "B"}},
      {"quote in a line comment", "-- don't\nGO\nB", {"-- don't\n", "B"}},
      {"bracket in a comment", "/* [ */\nGO\nB", {"/* [ */\n", "B"}},
      {"quote in brackets", "SELECT [it's]\nGO\nB", {"SELECT [it's]\n", "B"}},
      {"unclosed literal runs to the end",
       "PRINT 'a\nGO\nDROP TABLE t",
       {"PRINT 'a\nGO\nDROP TABLE t"}},
      {"unclosed comment runs to the end", "/* a\nGO\nDROP TABLE t", {"/* a\nGO\nDROP TABLE t"}},
      {"GO alone in a statement", "SELECT a\nGO\nFROM t", {"SELECT a\n", "FROM t"}},
      {"not a GO line", "SELECT 1\nGOTO x\nGO;\nB", {"SELECT 1\nGOTO x\nGO;\nB"}},
      {"emoji and NUL kept",
       "SELECT N'\xF0\x9F\x98\x80\0x\nGO\n'\nGO\nB"s,
       {"SELECT N'\xF0\x9F\x98\x80\0x\nGO\n'\n"s, "B"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(texts_of(sql::split_batches(c.script)), c.batches);
  }
}

TEST_F(TsqlScannerTest, CountsRepeatTheBatchBeforeThem) {
  const auto batches = sql::split_batches("A\nGO 3\nB\nGO\nC\nGO 0\n");
  ASSERT_EQ(batches.size(), 4u);
  EXPECT_EQ(batches[0].repeat, 3u);
  EXPECT_EQ(batches[1].repeat, 1u);
  // A count of 0 runs nothing more than a plain GO.
  EXPECT_EQ(batches[2].repeat, 1u);
  EXPECT_EQ(batches[3].repeat, 1u);
}

TEST_F(TsqlScannerTest, TokensOfLiteralsNamesAndComments) {
  const std::string text = "SELECT N'a''b', [x]]y], \"q\", @v /* c /* d */ */ (1) -- e\nz";
  sql::Scanner all(text);
  std::vector<std::pair<sql::Token::Kind, std::string>> tokens;
  for (auto t = all.next_any(); t.kind != sql::Token::End; t = all.next_any())
    tokens.emplace_back(t.kind, std::string(all.text_of(t)));
  using K = sql::Token;
  const std::vector<std::pair<sql::Token::Kind, std::string>> expected = {
      {K::Word, "SELECT"},    {K::Literal, "N'a''b'"}, {K::Other, ","},
      {K::Name, "[x]]y]"},    {K::Other, ","},         {K::Name, "\"q\""},
      {K::Other, ","},        {K::Variable, "@v"},     {K::Comment, "/* c /* d */ */"},
      {K::Open, "("},         {K::Word, "1"},          {K::Close, ")"},
      {K::Comment, "-- e\n"}, {K::Word, "z"}};
  EXPECT_EQ(tokens, expected);

  sql::Scanner significant(text);
  int comments = 0, count = 0;
  for (auto t = significant.next(); t.kind != sql::Token::End; t = significant.next()) {
    ++count;
    if (t.kind == sql::Token::Comment) ++comments;
  }
  EXPECT_EQ(comments, 0);
  EXPECT_EQ(count, 12);
}

}  // namespace
}  // namespace tarvex::test
