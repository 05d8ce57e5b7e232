// The SQL formatter: minify and beautify, with literals, identifiers and
// comments left as they are.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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

// An independent reading of T-SQL into tokens, for checking that a layout
// changed nothing but white space. Words that are keywords compare in upper
// case; every other token compares exactly. A line whose trimmed text is GO
// or GO n (optionally followed by a line comment) is one token of its own.
std::vector<std::string> sql_tokens(const std::string& sql) {
  static const std::set<std::string> keywords = {
      "ALL",      "AND",    "AS",   "ASC",    "BETWEEN", "BY",    "CASE",   "CROSS", "DESC",
      "DISTINCT", "ELSE",   "END",  "EXISTS", "FROM",    "GROUP", "HAVING", "IN",    "INNER",
      "JOIN",     "LEFT",   "LIKE", "NOT",    "NULL",    "ON",    "OR",     "ORDER", "OVER",
      "RIGHT",    "SELECT", "THEN", "UNION",  "USING",   "WHEN",  "WHERE",  "WITH"};
  static const char* const operators[] = {
      "<>", "!=", "<=", ">=", "!<", "!>", "::", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^="};
  auto word_char = [](unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '@' || c == '#' || c == '$' || c >= 0x80;
  };
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
  std::vector<std::string> out;
  size_t i = 0, n = sql.size();
  bool line_start = true;
  while (i < n) {
    char c = sql[i];
    if (blank(c) || c == '\r' || c == '\n') {
      if (c == '\n') line_start = true;
      ++i;
      continue;
    }
    if (line_start) {
      size_t eol = sql.find('\n', i);
      std::string line = sql.substr(i, eol == std::string::npos ? std::string::npos : eol - i);
      while (!line.empty() && (blank(line.back()) || line.back() == '\r')) line.pop_back();
      size_t k = 2;
      bool go = line.size() >= 2 && (line[0] == 'g' || line[0] == 'G') &&
                (line[1] == 'o' || line[1] == 'O');
      if (go && k < line.size() && blank(line[k])) {
        size_t d = k;
        while (d < line.size() && blank(line[d])) ++d;
        size_t digits = d;
        while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
        if (digits > d) k = digits;
      }
      while (go && k < line.size() && blank(line[k])) ++k;
      if (go && (k == line.size() || line.compare(k, 2, "--") == 0)) {
        out.push_back("<GO>" + line.substr(2));
        i += line.size();
        line_start = false;
        continue;
      }
    }
    line_start = false;
    size_t j = i + 1;
    if (c == '\'' || c == '"' || c == '[' ||
        ((c == 'N' || c == 'n') && i + 1 < n && sql[i + 1] == '\'')) {
      size_t open = c == 'N' || c == 'n' ? i + 1 : i;
      char close = sql[open] == '[' ? ']' : sql[open];
      j = open + 1;
      while (j < n) {
        if (sql[j] == close && j + 1 < n && sql[j + 1] == close) {
          j += 2;
        } else if (sql[j] == close) {
          ++j;
          break;
        } else {
          ++j;
        }
      }
    } else if (sql.compare(i, 2, "--") == 0) {
      j = sql.find('\n', i);
      if (j == std::string::npos) j = n;
      out.push_back(sql.substr(i, j - i));
      if (!out.back().empty() && out.back().back() == '\r') out.back().pop_back();
      i = j;
      continue;
    } else if (sql.compare(i, 2, "/*") == 0) {
      int depth = 0;
      j = i;
      while (j < n) {
        if (sql.compare(j, 2, "/*") == 0) {
          ++depth;
          j += 2;
        } else if (sql.compare(j, 2, "*/") == 0) {
          j += 2;
          if (--depth == 0) break;
        } else {
          ++j;
        }
      }
    } else if (c >= '0' && c <= '9') {
      while (j < n && (word_char(sql[j]) || sql[j] == '.')) ++j;
    } else if (word_char(c)) {
      while (j < n && word_char(sql[j])) ++j;
      std::string word = sql.substr(i, j - i), upper;
      for (char ch : word) upper += char(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
      out.push_back(keywords.count(upper) ? upper : word);
      i = j;
      continue;
    } else {
      for (const char* op : operators)
        if (sql.compare(i, 2, op) == 0) j = i + 2;
    }
    out.push_back(sql.substr(i, j - i));
    i = j;
  }
  return out;
}

std::string shown(const std::vector<std::string>& tokens) {
  std::string out;
  for (const auto& t : tokens) out += "\u00AB" + t + "\u00BB";
  return out;
}

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

// Queries a user writes every day and the ones that trip a text-based
// layout: both layouts keep every token, every GO line and nothing more.
TEST_F(FormatterTest, LayoutsKeepEveryToken) {
  std::string controls;
  for (char c = 1; c < 0x20; ++c) controls += c;
  const std::string cases[] = {
      "CREATE VIEW v AS SELECT a FROM t",
      "create view dbo.v as select a, b from t where a > 1",
      "INSERT INTO t SELECT a, b FROM u",
      "insert into t (a, b) select a, b from u union all select c, d from w",
      "SELECT a FROM t UNION ALL SELECT b FROM u",
      "SELECT a FROM t UNION SELECT b FROM u",
      "IF 1=1 SELECT 1 ELSE SELECT 2",
      "if exists (select 1 from t) select 1 else select 2",
      "BEGIN SELECT 1 END",
      "BEGIN TRAN; UPDATE t SET a = 1 WHERE b = 2; COMMIT",
      "WHILE @i < 10 BEGIN SET @i += 1 END",
      "select col_select, selected, [select], \"select\" from t",
      "SELECT a, go FROM t",
      "SELECT go FROM t",
      "SELECT a\n, go\nFROM t",
      "SELECT CASE WHEN x = 1 THEN go END FROM t",
      "SELECT CASE WHEN x = 1 THEN go ELSE go END AS go FROM t",
      "SELECT go, go FROM go",
      "SELECT a, -- note\n  go FROM t",
      "SELECT a, /* c */ go /* d */ FROM t",
      "SELECT 1\nGO\nSELECT 2",
      "SELECT 1\ngo\nSELECT 2",
      "SELECT 1\n GO \nSELECT 2",
      "SELECT 1\nGO 5\nSELECT 2",
      "SELECT 1\nGO -- c\nSELECT 2",
      "SELECT 1\r\nGO\r\nSELECT 2\r\n",
      "SELECT 1\r\n  go 12  \r\nSELECT 2",
      "GO\nSELECT 1\nGO",
      "SELECT 1 -- end\nGO\n\nGO\n",
      "SELECT (SELECT 1\nGO\n)",
      "SELECT a FROM t WHERE a IN (SELECT b FROM u WHERE c = 1 AND d = 2) OR e LIKE N'%x%'",
      "select a from t inner join u on t.id = u.id left join w on w.id = u.id cross join z",
      "select a, count(*) from t group by a having count(*) > 1 order by a desc",
      "SELECT x FROM t ORDER BY[x]",
      "SELECT a FROM t GROUP BYTES",
      "SELECT N'a   b', 'it''s  ,', [col  ]]x], \"q  \"\"\" FROM t",
      "SELECT 'b   c' /*" + controls + "*/ FROM t -- " + controls + "\nWHERE x = 'b   c'",
      "SELECT 'a" + controls + "b', 0x1F FROM t WHERE c = 1",
      "SELECT\u00A0a FROM t WHERE b =\u00A0'x'",
      "SELECT a FROM\u00A0t",
      "WITH c AS (SELECT a FROM t) SELECT a FROM c",
      "MERGE t USING u ON t.id = u.id WHEN MATCHED THEN UPDATE SET a = u.a;",
      "SELECT a >= 1, b <> 2, c != 3, x::y, -1.5e+3, .5 FROM t",
      "SELECT a FROM t -- trailing",
      "SELECT a FROM t /* unterminated   comment",
      "SELECT 'unterminated   literal",
      "select 😀 as [😀], é from t where x = N'Grüße'",
      "   \n\t ",
      "",
  };
  for (const std::string& sql : cases) {
    for (bool pretty : {false, true}) {
      std::string out = pretty ? beautify(sql) : minify(sql);
      EXPECT_EQ(shown(sql_tokens(out)), shown(sql_tokens(sql)))
          << (pretty ? "beautify" : "minify") << " of [" << sql << "] gave [" << out << "]";
    }
  }
}

TEST_F(FormatterTest, KeywordsKeepABlankAndOnlyWholeWordsChange) {
  const Case cases[] = {
      {"create view v as select a from t", "create view v AS SELECT a\nFROM t"},
      {"insert into t select a from u", "insert into t SELECT a\nFROM u"},
      {"select a from t union all select b from u",
       "SELECT a\nFROM t\nUNION\nALL SELECT b\nFROM u"},
      {"if 1=1 select 1 else select 2", "if 1=1 SELECT 1\n    ELSE SELECT 2"},
      {"begin select 1 end", "begin SELECT 1 end"},
      {"select col_select from t", "SELECT col_select\nFROM t"},
      {"select a from t group bytes", "SELECT a\nFROM t group bytes"},
  };
  for (const auto& c : cases) EXPECT_EQ(beautify(c.input), c.expected) << c.input;
}

TEST_F(FormatterTest, GoLinesStayLinesAndNoWordGoGetsALineOfItsOwn) {
  const Case minified[] = {
      {"SELECT 1\nGO\nSELECT 2", "SELECT 1\nGO\nSELECT 2"},
      {"SELECT 1\r\n  go 5 -- twice  \r\nSELECT 2", "SELECT 1\ngo 5 -- twice  \nSELECT 2"},
      {"SELECT 1\nGO", "SELECT 1\nGO"},
      {"SELECT a,\n go\n FROM t", "SELECT a,\ngo\nFROM t"},
      {"SELECT a, go\n FROM t", "SELECT a, go FROM t"},
  };
  for (const auto& c : minified) EXPECT_EQ(minify(c.input), c.expected) << c.input;
  const Case beautified[] = {
      {"select 1\ngo\nselect 2", "SELECT 1\ngo\nSELECT 2"},
      {"select a from t\nGO 5\nselect b from u", "SELECT a\nFROM t\nGO 5\nSELECT b\nFROM u"},
      // The comma rule would leave "go" alone on a line: it stays after the comma.
      {"select a, go from t", "SELECT a, go\nFROM t"},
      {"select a, go, b from t where b = 1",
       "SELECT a,\n         go,\n         b\nFROM t\nWHERE b = 1"},
      {"select case when x = 1 then go end from t",
       "SELECT\n    CASE\n    WHEN x = 1 THEN go\n    END\nFROM t"},
      {"select a, -- note\n go from t", "SELECT a,\n         -- note\ngo FROM t"},
  };
  for (const auto& c : beautified) EXPECT_EQ(beautify(c.input), c.expected) << c.input;
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
