// The scanner that cuts module bodies out of catalog definitions (compiled
// into this test from the library's source: it is internal).
#include <gtest/gtest.h>

#include <string>

#include "brevane/database/sqlserver/sql_server_definition-private.h"

namespace {

struct BodyCase {
  const char* name;
  const char* definition;
  const char* body;
};

const BodyCase kBodies[] = {
    {"plain trigger", "CREATE TRIGGER t ON dbo.x AFTER INSERT AS\nBEGIN SELECT 1 END",
     "BEGIN SELECT 1 END"},
    {"AS inside names", "CREATE TRIGGER trg_ASSET ON dbo.CASES AFTER INSERT AS SELECT LAST_NAME",
     "SELECT LAST_NAME"},
    {"lower case keyword", "create trigger t on CASES after update as\n  print 'x'", "print 'x'"},
    {"execute as option", "CREATE TRIGGER t ON x WITH EXECUTE AS 'AS' AFTER DELETE AS RETURN",
     "RETURN"},
    {"exec as option", "CREATE TRIGGER t ON x WITH EXEC AS CALLER FOR INSERT AS RETURN", "RETURN"},
    {"bracketed AS", "CREATE TRIGGER [AS] ON [AS x] AFTER INSERT AS SELECT 2", "SELECT 2"},
    {"quoted AS", "CREATE TRIGGER \"AS\" ON x AFTER INSERT AS SELECT 3", "SELECT 3"},
    {"line comment", "CREATE TRIGGER t -- fires AS needed\nON x AFTER INSERT AS SELECT 4",
     "SELECT 4"},
    {"nested block comment", "CREATE /* a /* AS */ AS */ TRIGGER t ON x FOR INSERT AS SELECT 5",
     "SELECT 5"},
    {"literal with doubled quote", "CREATE VIEW v AS SELECT 'it''s AS' AS c",
     "SELECT 'it''s AS' AS c"},
    {"unicode literal first", "CREATE TRIGGER t ON x WITH EXECUTE AS N'bob' FOR INSERT AS X", "X"},
    {"typed procedure parameter",
     "CREATE PROCEDURE p @a AS int = 1, @b int OUTPUT WITH EXECUTE AS OWNER AS SELECT @a",
     "SELECT @a"},
    {"function parameters in parentheses",
     "CREATE FUNCTION f (@a AS int) RETURNS @t TABLE (c int) AS BEGIN RETURN END",
     "BEGIN RETURN END"},
    {"schema bound view", "CREATE VIEW v WITH SCHEMABINDING AS\r\n  SELECT a FROM dbo.t",
     "SELECT a FROM dbo.t"},
    {"non-ASCII name", "CREATE TRIGGER trÄS ON Bücher AFTER INSERT AS SELECT 6", "SELECT 6"},
    {"no AS at all", "  EXTERNAL NAME a.b.c  ", "EXTERNAL NAME a.b.c"},
    {"unclosed literal", "CREATE TRIGGER t ON x FOR INSERT AS SELECT 'open", "SELECT 'open"},
};

TEST(SqlServerDefinition, BodyFollowsTheHeadersAsKeyword) {
  for (const auto& c : kBodies) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(tarvex::dialect::definition_body(c.definition), c.body);
  }
}

TEST(SqlServerDefinition, BodyStartIsAnOffsetOrNone) {
  std::string text = "CREATE VIEW v AS SELECT 1";
  EXPECT_EQ(tarvex::dialect::find_body_start(text), text.find(" SELECT"));
  EXPECT_EQ(tarvex::dialect::find_body_start("SELECT CASES FROM ASSETS"), std::string_view::npos);
  EXPECT_EQ(tarvex::dialect::find_body_start(""), std::string_view::npos);
}

struct ParenCase {
  const char* expression;
  const char* inner;
};

const ParenCase kParens[] = {
    {"([a]>(0))", "[a]>(0)"},
    {"  ([a]>(0))\n", "[a]>(0)"},
    {"([a]>(0) OR [b]<(1))", "[a]>(0) OR [b]<(1)"},
    {"(a) OR (b)", "(a) OR (b)"},
    {"[a]>(0)", "[a]>(0)"},
    {"([x)]=')(')", "[x)]=')('"},
    {"((1))", "(1)"},
    {"()", ""},
    {"", ""},
};

TEST(SqlServerDefinition, OneOuterPairOfParenthesesIsRemoved) {
  for (const auto& c : kParens) {
    SCOPED_TRACE(c.expression);
    EXPECT_EQ(tarvex::dialect::strip_outer_parentheses(c.expression), c.inner);
  }
}

}  // namespace
