// Routines of the SQL Server builder: CREATE and ALTER texts of procedures
// and functions, and the call snippets, for ordinary and hostile names.
#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "tests/brevane/database/sqlserver/builder-test.h"

namespace tarvex::test {
namespace {

using Routine = TarvexBrevaneMetaModelMetaRoutine;

using enum tarvex::meta::ChangeCode;

class RoutineBuilderTest : public OfflineBuilderTest {
 protected:
  std::string create(gpointer object) {
    return take(
        tarvex_brevane_contracts_database_ibuildable_build_create(ib(), META(object), FALSE));
  }
  std::string caller(gpointer routine) {
    return take(tarvex_brevane_contracts_database_ibuildable_build_caller(
        ib(), TARVEX_BREVANE_META_MODEL_META_ROUTINE(routine)));
  }
};

GRef<Routine> procedure(const char* schema, const char* name, const char* body,
                        std::vector<const char*> parameters = {}) {
  auto p = adoptGRef(reinterpret_cast<Routine*>(
      tarvex_brevane_meta_model_meta_procedure_new_with_names("db", schema, name)));
  tarvex_brevane_meta_model_meta_routine_set_body(p.get(), body);
  for (const char* parameter : parameters)
    gee_abstract_collection_add(
        GEE_ABSTRACT_COLLECTION(tarvex_brevane_meta_model_meta_routine_get_parameters(p.get())),
        parameter);
  return p;
}

GRef<Routine> function(const char* schema, const char* name, const char* returns, const char* body,
                       std::vector<const char*> parameters = {}) {
  auto f = adoptGRef(reinterpret_cast<Routine*>(
      tarvex_brevane_meta_model_meta_function_new_with_names("db", schema, name)));
  tarvex_brevane_meta_model_meta_routine_set_return_type(f.get(), returns);
  tarvex_brevane_meta_model_meta_routine_set_body(f.get(), body);
  for (const char* parameter : parameters)
    gee_abstract_collection_add(
        GEE_ABSTRACT_COLLECTION(tarvex_brevane_meta_model_meta_routine_get_parameters(f.get())),
        parameter);
  return f;
}

struct Names {
  const char* schema;
  const char* name;
  const char* two;  // as the text writes [schema].[name]
  const char* schema_literal;
  const char* name_literal;
};
const Names kNames[] = {
    {"dbo", "p", "[dbo].[p]", "N'dbo'", "N'p'"},
    {"o'k", "a]b \xC3\xBC", "[o'k].[a]]b \xC3\xBC]", "N'o''k'", "N'a]b \xC3\xBC'"},
};

// ------------------------------------------------------------ procedures

TEST_F(RoutineBuilderTest, ProcedureTexts) {
  std::vector<TsqlText> all;
  for (const auto& n : kNames) {
    const std::string two = n.two;
    auto plain = procedure(n.schema, n.name, "SELECT 1");
    EXPECT_EQ(create(plain.get()), "CREATE PROCEDURE " + two + "\nAS\nSELECT 1;\n");

    auto full = procedure(n.schema, n.name, "BEGIN\n  SET @b = @a;\nEND;",
                          {"@a int = 5", "@b nvarchar(10) OUTPUT"});
    set_attr(full.get(), "ENCRYPTION", "true");
    set_attr(full.get(), "RECOMPILE", "true");
    set_attr(full.get(), "SCHEMABINDING", "false");
    set_attr(full.get(), "EXECUTOR", "dbo");
    tarvex_brevane_meta_model_meta_object_set_comment(META(full.get()), "it's \xC3\xA9t\xC3\xA9");
    const std::string text = create(full.get());
    EXPECT_EQ(text, "CREATE PROCEDURE " + two +
                        "\n"
                        "\t@a int = 5,\n"
                        "\t@b nvarchar(10) OUTPUT\n"
                        "\tWITH ENCRYPTION,RECOMPILE,EXECUTE AS N'dbo'\n"
                        "AS\n"
                        "BEGIN\n  SET @b = @a;\nEND;\n"
                        "GO\n"
                        "EXEC sp_addextendedproperty 'MS_Description', N'it''s \xC3\xA9t\xC3\xA9', "
                        "'SCHEMA', " +
                        n.schema_literal + ", 'PROCEDURE', " + n.name_literal + ";\n");
    all.push_back({two + " plain", create(plain.get())});
    all.push_back({two + " full", text});
  }
  expect_valid_tsql(all);
}

TEST_F(RoutineBuilderTest, ExecuteAsKeywordsAndUsers) {
  struct Case {
    const char* key;
    const char* value;
    const char* clause;
  } cases[] = {
      {"EXECUTOR", "OWNER", "EXECUTE AS OWNER"},
      {"EXECUTOR", "caller", "EXECUTE AS CALLER"},
      {"EXECUTOR", "SELF", "EXECUTE AS SELF"},
      {"EXECUTOR", "o'neil", "EXECUTE AS N'o''neil'"},
      {"EXECUTOR_USER", "b]ob", "EXECUTE AS N'b]ob'"},
  };
  std::vector<TsqlText> all;
  for (const auto& c : cases) {
    auto p = procedure("dbo", "p", "SELECT 1");
    set_attr(p.get(), c.key, c.value);
    const std::string text = create(p.get());
    EXPECT_EQ(text,
              std::string("CREATE PROCEDURE [dbo].[p]\n\tWITH ") + c.clause + "\nAS\nSELECT 1;\n");
    all.push_back({c.value, text});
  }
  // EXECUTOR_USER wins over EXECUTOR.
  auto p = procedure("dbo", "p", "SELECT 1");
  set_attr(p.get(), "EXECUTOR", "OWNER");
  set_attr(p.get(), "EXECUTOR_USER", "u");
  EXPECT_NE(create(p.get()).find("EXECUTE AS N'u'"), std::string::npos);
  expect_valid_tsql(all);
}

TEST_F(RoutineBuilderTest, EncryptedRoutineIsNotCreated) {
  auto p = procedure("dbo", "p", "");
  set_attr(p.get(), "ENCRYPTION", "true");
  const std::string text = create(p.get());
  EXPECT_EQ(text.rfind("-- ", 0), 0u) << text;
  EXPECT_NE(text.find("[dbo].[p]"), std::string::npos);
  EXPECT_NE(text.find("encrypted"), std::string::npos);
  EXPECT_EQ(text.find("CREATE"), std::string::npos);
  // A line break in the name cannot end the comment early.
  auto f = function("dbo", "f\nDROP TABLE x", "INT", "  ");
  const std::string note = create(f.get());
  EXPECT_EQ(note.find('\n'), note.size() - 1) << note;
  expect_valid_tsql({{"procedure", text}, {"function", note}});
}

// The synchroniser's create text is the routine's own script; an encrypted
// routine has none, so that nothing is run in its place.
TEST_F(RoutineBuilderTest, BuildFunctionGivesTheCreateTextOrNone) {
  auto build = [&](gpointer routine) {
    return take(tarvex_brevane_contracts_database_ibuildable_build_function(
        ib(), TARVEX_BREVANE_META_MODEL_META_ROUTINE(routine)));
  };
  auto p = procedure("o'k", "a]b", "SELECT 1", {"@a int = 5"});
  tarvex_brevane_meta_model_meta_object_set_comment(META(p.get()), "runs");
  auto f = function("dbo", "f", "INT", "BEGIN RETURN 1 END");
  for (gpointer routine : {gpointer(p.get()), gpointer(f.get())}) {
    const std::string text = build(routine);
    EXPECT_EQ(text, create(routine));
    EXPECT_EQ(text.rfind("CREATE ", 0), 0u) << text;
  }
  auto hidden = procedure("dbo", "hidden", "");
  set_attr(hidden.get(), "ENCRYPTION", "true");
  EXPECT_EQ(build(hidden.get()), "");
  auto hidden_function = function("dbo", "hidden_f", "INT", " \n");
  EXPECT_EQ(build(hidden_function.get()), "");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_function(ib(), nullptr),
                nullptr),
      "routine != NULL");
}

// ------------------------------------------------------------ functions

TEST_F(RoutineBuilderTest, FunctionTexts) {
  std::vector<TsqlText> all;
  for (const auto& n : kNames) {
    const std::string two = n.two;
    auto scalar =
        function(n.schema, n.name, "int", "BEGIN\n  RETURN @x + 1;\nEND", {"@x int", "@y int = 2"});
    set_attr(scalar.get(), "SCHEMABINDING", "true");
    set_attr(scalar.get(), "NULL_INPUT", "true");
    set_attr(scalar.get(), "INLINE", "false");
    EXPECT_EQ(create(scalar.get()),
              "CREATE FUNCTION " + two +
                  "(@x int, @y int = 2) RETURNS int\n"
                  "  WITH SCHEMABINDING,RETURNS NULL ON NULL INPUT,INLINE = OFF\n"
                  "AS\nBEGIN\n  RETURN @x + 1;\nEND;\n");

    auto inline_table = function(n.schema, n.name, "TABLE", "RETURN (SELECT 1 AS a)");
    tarvex_brevane_meta_model_meta_object_set_comment(META(inline_table.get()), "rows");
    EXPECT_EQ(create(inline_table.get()),
              "CREATE FUNCTION " + two +
                  "() \nRETURNS TABLE\nAS\nRETURN (SELECT 1 AS a);\n"
                  "GO\n"
                  "EXEC sp_addextendedproperty 'MS_Description', N'rows', 'SCHEMA', " +
                  n.schema_literal + ", 'FUNCTION', " + n.name_literal + ";\n");

    auto multi = function(n.schema, n.name, "@t TABLE",
                          "BEGIN\n  INSERT @t VALUES (@n);\n  RETURN;\nEND", {"@n int"});
    set_attr(multi.get(), "RETURN_TABLE", "(id int)");
    set_attr(multi.get(), "EXECUTOR", "SELF");
    EXPECT_EQ(create(multi.get()), "CREATE FUNCTION " + two +
                                       "(@n int) \nRETURNS @t TABLE\n(id int)\n"
                                       "  WITH EXECUTE AS SELF\n"
                                       "AS\nBEGIN\n  INSERT @t VALUES (@n);\n  RETURN;\nEND;\n");

    // RETURNS ... TABLE without a table definition writes the RETURNS line
    // alone.
    auto bare = function(n.schema, n.name, "TABLE", "RETURN SELECT 1 AS a;");
    EXPECT_EQ(create(bare.get()),
              "CREATE FUNCTION " + two + "() \nRETURNS TABLE\nAS\nRETURN SELECT 1 AS a;\n");

    for (auto* f : {scalar.get(), inline_table.get(), multi.get(), bare.get()})
      all.push_back({two + " function", create(f)});
  }
  expect_valid_tsql(all);
}

// ------------------------------------------------------------ the alter form

TEST_F(RoutineBuilderTest, AlterFormConsumesTheComment) {
  std::vector<TsqlText> all;
  for (const auto& n : kNames) {
    const std::string two = n.two;
    // Only the comment changed: the comment statements alone, the record
    // emptied.
    auto p = procedure(n.schema, n.name, "SELECT 2");
    tarvex_brevane_meta_model_meta_object_set_comment(META(p.get()), "");
    set_diff(p.get(), "comment", kChanged);
    const std::string only = tarvex::dialect::build_procedure_script(p.get(), true);
    EXPECT_EQ(only, std::string("EXEC sp_dropextendedproperty 'MS_Description', 'SCHEMA', ") +
                        n.schema_literal + ", 'PROCEDURE', " + n.name_literal + ";\n");
    EXPECT_EQ(diff_count(p.get()), 0);
    all.push_back({two + " comment only", only});

    // The comment and the body: ALTER, a batch break, the comment.
    auto f = function(n.schema, n.name, "int", "BEGIN RETURN 1; END");
    tarvex_brevane_meta_model_meta_object_set_comment(META(f.get()), "one's");
    set_diff(f.get(), "comment", kChanged);
    set_diff(f.get(), "body", kChanged);
    const std::string both = tarvex::dialect::build_function_script(f.get(), true);
    EXPECT_EQ(both, "ALTER FUNCTION " + two +
                        "() RETURNS int\nAS\nBEGIN RETURN 1; END;\n"
                        "GO\n"
                        "IF ((SELECT COUNT(*) FROM ::fn_listextendedproperty('MS_Description',"
                        "'SCHEMA', " +
                        n.schema_literal + ", 'FUNCTION', " + n.name_literal +
                        ", NULL, NULL)) > 0)\n"
                        "\tEXEC sp_updateextendedproperty 'MS_Description', N'one''s', 'SCHEMA', " +
                        n.schema_literal + ", 'FUNCTION', " + n.name_literal +
                        "\n"
                        "ELSE\n"
                        "\tEXEC sp_addextendedproperty 'MS_Description', N'one''s', 'SCHEMA', " +
                        n.schema_literal + ", 'FUNCTION', " + n.name_literal + ";\n");
    EXPECT_FALSE(diff_contains(f.get(), "comment"));
    EXPECT_TRUE(diff_contains(f.get(), "body"));
    all.push_back({two + " alter", both});

    // No comment change: the ALTER alone.
    auto q = procedure(n.schema, n.name, "SELECT 3;");
    set_diff(q.get(), "body", kChanged);
    EXPECT_EQ(tarvex::dialect::build_procedure_script(q.get(), true),
              "ALTER PROCEDURE " + two + "\nAS\nSELECT 3;\n");
  }
  expect_valid_tsql(all);
}

// ------------------------------------------------------------ calls

TEST_F(RoutineBuilderTest, ProcedureCalls) {
  struct Case {
    std::vector<const char*> parameters;
    const char* expected;
  } cases[] = {
      {{}, "EXECUTE [dbo].[p];"},
      {{"@a INT"}, "EXECUTE [dbo].[p] @a = _"},
      {{"@a INT => 1", "@b INT OUTPUT"},
       "DECLARE @b INT;\nEXECUTE [dbo].[p] @a = 1, @b = @b OUTPUT;\nPRINT @b;"},
      // One PRINT per output variable.
      {{"@a nvarchar(10) OUT", "@t dbo.list READONLY => @rows", "@b INT OUTPUT"},
       "DECLARE @a nvarchar(10), @b INT;\n"
       "EXECUTE [dbo].[p] @a = @a OUTPUT, @t = _, @b = @b OUTPUT;\n"
       "PRINT @a;\nPRINT @b;"},
      {{"@x DECIMAL(10,2) = 1.5 => 2.25"}, "EXECUTE [dbo].[p] @x = 2.25"},

  };
  std::vector<TsqlText> all;
  for (const auto& c : cases) {
    auto p = procedure("dbo", "p", "SELECT 1", c.parameters);
    const std::string text = caller(p.get());
    EXPECT_EQ(text, c.expected);
    all.push_back({c.expected, text});
  }
  // Hostile names are bracketed in the call.
  auto odd = procedure("o'k", "a]b \xC3\xBC", "SELECT 1");
  EXPECT_EQ(caller(odd.get()), "EXECUTE [o'k].[a]]b \xC3\xBC];");
  all.push_back({"odd", caller(odd.get())});

  // A parameter text the pattern cannot read becomes the placeholder.
  auto broken = procedure("dbo", "p", "SELECT 1", {"no parameter"});
  EXPECT_WARNING(EXPECT_EQ(caller(broken.get()), "EXECUTE [dbo].[p] _"),
                 "builder:2048: Failed to match: no parameter");
  expect_valid_tsql(all);
}

TEST_F(RoutineBuilderTest, FunctionCalls) {
  struct Case {
    const char* returns;
    std::vector<const char*> parameters;
    const char* expected;
  } cases[] = {
      {"TABLE", {"@x INT => 5"}, "SELECT * FROM [dbo].[f](5);"},
      {"TABLE", {}, "SELECT * FROM [dbo].[f]();"},
      {"int", {}, "SELECT [dbo].[f]();"},
      {"int", {"@a INT => 'x'", "@b INT => -1"}, "SELECT [dbo].[f]('x', -1);"},
      // "@t TABLE" is not exactly TABLE: a scalar-style call.
      {"@t TABLE", {"@a INT => 1"}, "SELECT [dbo].[f](1);"},
  };
  std::vector<TsqlText> all;
  for (const auto& c : cases) {
    auto f = function("dbo", "f", c.returns, "RETURN 1", c.parameters);
    const std::string text = caller(f.get());
    EXPECT_EQ(text, c.expected);
    all.push_back({c.expected, text});
  }
  auto f = function("dbo", "f", "int", "RETURN 1", {"@a INT"});
  EXPECT_WARNING(EXPECT_EQ(caller(f.get()), "SELECT [dbo].[f](_);"),
                 "builder:2004: Failed to match: @a INT");
  all.push_back({"placeholder", "SELECT [dbo].[f](_);"});
  expect_valid_tsql(all);
}

TEST_F(RoutineBuilderTest, CallerPreconditions) {
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_caller(ib(), nullptr), nullptr),
      "routine != NULL");
  auto external = adoptGRef(reinterpret_cast<Routine*>(
      tarvex_brevane_meta_model_meta_external_new_with_names("db", "dbo", "x")));
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_caller(ib(), external.get()),
                nullptr),
      "function != NULL");
}

// A schema writes its routines after its tables and views, each in its own
// batch.
TEST_F(RoutineBuilderTest, SchemaWritesItsRoutines) {
  auto schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("db", "s"));
  auto p = procedure("s", "p", "SELECT 1");
  auto f = function("s", "f", "int", "BEGIN RETURN 1; END");
  add(tarvex_brevane_meta_model_meta_schema_get_routines(schema.get()), p.get());
  add(tarvex_brevane_meta_model_meta_schema_get_routines(schema.get()), f.get());
  const std::string text = create(schema.get());
  EXPECT_EQ(text,
            "CREATE SCHEMA [s];\n"
            "GO\n"
            "CREATE PROCEDURE [s].[p]\nAS\nSELECT 1;\n"
            "GO\n"
            "CREATE FUNCTION [s].[f]() RETURNS int\nAS\nBEGIN RETURN 1; END;\n");
  expect_valid_tsql(text, "schema");
}

}  // namespace
}  // namespace tarvex::test
