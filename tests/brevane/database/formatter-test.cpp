// The SQL formatter: minify and beautify, with literals, identifiers and
// comments left as they are.
#include <gtest/gtest.h>

#include <string>

#include "brevane/database/formatter.h"
#include "tests/brevane/database/database-test.h"

using dbtest::take;
using tarvex::GRef;

namespace {

class FormatterTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    formatter_ = GRef<TarvexBrevaneSupportsDatabaseFormatter>::adopt(
        tarvex_brevane_supports_database_formatter_new());
  }
  TarvexBrevaneContractsDatabaseIFormattable* f() {
    return TARVEX_BREVANE_CONTRACTS_DATABASE_IFORMATTABLE(formatter_.get());
  }
  std::string minify(const std::string& sql) {
    return take(tarvex_brevane_contracts_database_iformattable_minify(f(), sql.c_str()));
  }
  std::string beautify(const std::string& sql) {
    return take(tarvex_brevane_contracts_database_iformattable_beautify(f(), sql.c_str()));
  }
  GRef<TarvexBrevaneSupportsDatabaseFormatter> formatter_;
};

struct Case {
  const char* input;
  const char* expected;
};

TEST_F(FormatterTest, Minify) {
  const Case cases[] = {
      {"SELECT  a,\n\tb  \n FROM t  WHERE x IN  ( 1, 2 )", "SELECT a, b FROM t WHERE x IN( 1, 2)"},
      {"", ""},
      {"  \n ", " "},
      {"SELECT 'a   b' ,  [my   col] FROM t -- note  here\nWHERE x = 1 /* keep   this */",
       "SELECT 'a   b' , [my   col] FROM t -- note  here\nWHERE x = 1 /* keep   this */"},
      {"SELECT N'it''s\n  two lines' AS \"x  y\"", "SELECT N'it''s\n  two lines' AS \"x  y\""},
      {"SELECT 1 -- last", "SELECT 1 -- last"},
      {"SELECT 1 -- last\n", "SELECT 1 -- last\n"},
      {"SELECT /* a /* nested */ comment */   1", "SELECT /* a /* nested */ comment */ 1"},
      {"SELECT 'unterminated   text", "SELECT 'unterminated   text"},
  };
  for (const auto& c : cases) EXPECT_EQ(minify(c.input), c.expected) << c.input;
}

TEST_F(FormatterTest, BeautifyFiveLines) {
  EXPECT_EQ(beautify("select a, b from t where x = 1 and y = 2"),
            "SELECT a,\n         b\nFROM t\nWHERE x = 1\n        AND y = 2");
}

TEST_F(FormatterTest, Beautify) {
  const Case cases[] = {
      {"", ""},
      {"select a from t where id in (select id from u) and b = 1",
       "SELECT a\nFROM t\nWHERE id IN \n    (SELECT id\n    FROM u)\n        AND b = 1"},
      {"select a from t left join u on t.id = u.id order   by a",
       "SELECT a\nFROM t\nLEFT JOIN u\n    ON t.id = u.id\nORDER BY  a"},
      // A comma inside a literal stays, whatever the literal says.
      {"select 'a,b', c from t", "SELECT 'a,b',\n         c\nFROM t"},
      {"select 'SELECT x, y', c from t", "SELECT 'SELECT x, y',\n         c\nFROM t"},
      // Identifiers and comments keep their text and their case.
      {"select [from  x] from t -- a from b\nwhere c = 'it''s  and more'",
       "SELECT [from  x]\nFROM t -- a from b\nWHERE c = 'it''s  and more'"},
      {"select \"where\" from t /* and or */", "SELECT \"where\"\nFROM t /* and or */"},
  };
  for (const auto& c : cases) EXPECT_EQ(beautify(c.input), c.expected) << c.input;
}

TEST_F(FormatterTest, DeepSubqueriesStayInTheShiftTable) {
  std::string sql = "a";
  for (int i = 0; i < 130; ++i) sql = "select x from (" + sql + ")";
  std::string out = beautify(sql);
  EXPECT_FALSE(out.empty());
  EXPECT_EQ(out.find(std::string(401, ' ')), std::string::npos);
}

TEST_F(FormatterTest, Preconditions) {
  EXPECT_CRITICAL(
      EXPECT_EQ(take(tarvex_brevane_contracts_database_iformattable_beautify(f(), nullptr)),
                "(null)"),
      "statements != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(take(tarvex_brevane_contracts_database_iformattable_minify(f(), nullptr)),
                "(null)"),
      "statements != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iformattable_option(f(), nullptr, "v"),
                  "name != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iformattable_option(f(), "n", nullptr),
                  "value != NULL");
  // Options change nothing of the layout.
  tarvex_brevane_contracts_database_iformattable_option(f(), "LINE_START", "SELECT");
  EXPECT_EQ(minify("a  b"), "a b");
}

}  // namespace
