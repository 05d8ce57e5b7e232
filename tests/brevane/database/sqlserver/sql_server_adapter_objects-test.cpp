// SQLServerAdapter: views, indexes and triggers standing alone, routines
// and events, filled from scripted catalog answers with the catalog's own
// cell types, and handed to the builder.
#include <string>
#include <vector>

#include "tests/brevane/database/sqlserver/sql_server_adapter_fill-test.h"

namespace tarvex::test::dialect {
namespace {

using MetaView = TarvexBrevaneMetaModelMetaView;
using MetaIndex = TarvexBrevaneMetaModelMetaIndex;
using MetaTrigger = TarvexBrevaneMetaModelMetaTrigger;
using MetaRoutine = TarvexBrevaneMetaModelMetaRoutine;

constexpr const char* kViews = "FROM sys\\.all_views av";
constexpr const char* kIndex = "AND ix\\.name = N'";
constexpr const char* kTrigger = "AND tr\\.name=N'";
constexpr const char* kRoutine = "FROM sys\\.all_objects ao LEFT JOIN sys\\.all_sql_modules asm";
constexpr const char* kParameters = "FROM sys\\.all_parameters ap";

const std::vector<tds::Column> kViewColumns = {{"definition", "nvarchar(max)", true},
                                               {"uses_ansi_nulls", "bit", true},
                                               {"uses_quoted_identifier", "bit", true},
                                               {"is_replicated", "bit", true},
                                               {"is_schema_bound", "bit", true},
                                               {"has_opaque_metadata", "bit"},
                                               {"with_check_option", "bit"},
                                               {"comment", "nvarchar(max)", true}};

const std::vector<tds::Column> kIndexColumns = {{"index_id", "int"},
                                                {"index_name", "sysname", true},
                                                {"type_desc", "nvarchar(60)", true},
                                                {"is_unique", "bit", true},
                                                {"is_disabled", "bit", true},
                                                {"column_id", "int", true},
                                                {"column_name", "sysname", true},
                                                {"key_ordinal", "tinyint", true},
                                                {"is_descending_key", "bit", true},
                                                {"comment", "nvarchar(max)", true},
                                                {"is_included_column", "bit", true},
                                                {"filter_definition", "nvarchar(max)", true},
                                                {"fill_factor", "tinyint"}};

const std::vector<tds::Column> kRoutineColumns = {{"type", "char(2)"},
                                                  {"definition", "nvarchar(max)", true},
                                                  {"is_encrypted", "int", true},
                                                  {"is_replication", "int", true},
                                                  {"is_schema_bound", "bit", true},
                                                  {"is_recompiled", "bit", true},
                                                  {"null_on_null_input", "bit", true},
                                                  {"uses_native_compilation", "bit", true},
                                                  {"executor", "sysname", true},
                                                  {"assembly", "sysname", true},
                                                  {"assembly_class", "nvarchar(max)", true},
                                                  {"assembly_method", "nvarchar(max)", true},
                                                  {"create_date", "datetime"},
                                                  {"modify_date", "datetime"},
                                                  {"comment", "nvarchar(max)", true},
                                                  {"execute_as_principal_id", "int", true}};

const std::vector<tds::Column> kParameterColumns = {{"name", "sysname", true},
                                                    {"type", "sysname", true},
                                                    {"max_length", "smallint"},
                                                    {"precision", "tinyint"},
                                                    {"scale", "tinyint"},
                                                    {"is_nullable", "bit", true},
                                                    {"default_value", "sql_variant", true},
                                                    {"is_output", "bit"},
                                                    {"is_readonly", "bit"},
                                                    {"parameter_id", "int"}};

class AdapterObjectsTest : public AdapterFillTest {
 protected:
  GRef<MetaView> view(const char* name = "v") {
    return adoptGRef(tarvex_brevane_meta_model_meta_view_new_with_names("Shop", "dbo", name));
  }
  std::string definition(MetaView* v) {
    return tarvex_brevane_meta_model_meta_view_get_definition(v);
  }
};

// ---------------------------------------------------------------- views

TEST_F(AdapterObjectsTest, ViewDefinitionStartsAfterTheHeadersAs) {
  open();
  struct Case {
    const char* stored;
    const char* definition;
    const char* schemabinding;
    const char* check_option;
  } cases[] = {
      // AS inside the select list: the first AS after the name is the header's.
      {"CREATE VIEW dbo.v AS SELECT a.name AS [Name] FROM dbo.t AS a",
       "SELECT a.name AS [Name] FROM dbo.t AS a", "0", "0"},
      // AS in comments, literals, a bracketed name and the column list; the
      // header's options; a closing WITH CHECK OPTION and its semicolon.
      {"/* AS noted */\nCREATE VIEW [dbo].[v AS x] (c1, c2)\nWITH SCHEMABINDING, VIEW_METADATA\n"
       "AS\n-- AS in a comment\nSELECT 1 AS c1, 'AS' AS c2 FROM dbo.t\nWITH CHECK OPTION;",
       "-- AS in a comment\nSELECT 1 AS c1, 'AS' AS c2 FROM dbo.t", "1", "1"},
      // Lower case keywords, a body on the header's line.
      {"create view s.v as select x as y from t", "select x as y from t", "0", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    server_.on_pattern(kViews)
        .result(kViewColumns)
        .row({c.stored, "1", "1", "0", c.schemabinding, c.schemabinding, c.check_option,
              "Views it"});
    auto v = view();
    ASSERT_EQ(fill(v.get()), nullptr);
    EXPECT_TRUE(is_filled(v.get()));
    EXPECT_EQ(definition(v.get()), c.definition);
    EXPECT_EQ(attr(v.get(), "ENCRYPTION"), "false");
    const std::string truth = std::string(c.schemabinding) == "1" ? "true" : "false";
    EXPECT_EQ(attr(v.get(), "SCHEMABINDING"), truth);
    EXPECT_EQ(attr(v.get(), "VIEW_METADATA"), truth);
    EXPECT_EQ(attr(v.get(), "WITH CHECK OPTION"),
              std::string(c.check_option) == "1" ? "true" : "false");
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(v.get())), "Views it");
    const std::string text = build(v.get());
    EXPECT_NE(text.find(c.definition), std::string::npos) << text;
    expect_valid_tsql(text, c.stored);
  }
}

TEST_F(AdapterObjectsTest, EncryptedMissingAndFailingViews) {
  open();
  server_.on_pattern(kViews)
      .result(kViewColumns)
      .row({nullopt, "1", "1", "0", "0", "0", "0", nullopt});
  auto v = view("it's");
  ASSERT_EQ(fill(v.get()), nullptr);
  EXPECT_EQ(attr(v.get(), "ENCRYPTION"), "true");
  EXPECT_EQ(definition(v.get()), "/* Definition is encrypted. */");
  EXPECT_NE(sent_with("sys.all_views").find("SCHEMA_ID(N'dbo') AND av.name=N'it''s'"),
            std::string::npos)
      << sent_with("sys.all_views");

  server_.on_pattern(kViews).result(kViewColumns);
  auto gone = view("gone]");
  expect_not_found(fill(gone.get()), "View [dbo].[gone]]] not found.");
  EXPECT_FALSE(is_filled(gone.get()));

  server_.on_pattern(kViews).error(229, 14, "The SELECT permission was denied on sys.all_views.");
  expect_query_error(fill(gone.get()), "permission was denied");
  EXPECT_FALSE(is_filled(gone.get()));
}

// ---------------------------------------------------------------- indexes

TEST_F(AdapterObjectsTest, IndexStandingAloneHasTheTableFillsForm) {
  open();
  server_.on_pattern(kIndex)
      .result(kIndexColumns)
      .row({"2", "IX_title", "NONCLUSTERED", "1", "0", "5", "notes", "0", "0", "Titles", "1",
            "([code] IS NOT NULL)", "80"})
      .row({"2", "IX_title", "NONCLUSTERED", "1", "0", "2", "title", "1", "1", "Titles", "0",
            "([code] IS NOT NULL)", "80"})
      .row({"2", "IX_title", "NONCLUSTERED", "1", "0", "8", "code", "2", "0", "Titles", "0",
            "([code] IS NOT NULL)", "80"});
  auto ix = adoptGRef(
      tarvex_brevane_meta_model_meta_index_new_with_names("Shop", "dbo", "CASES", "IX_title"));
  ASSERT_EQ(fill(ix.get()), nullptr);
  EXPECT_TRUE(is_filled(ix.get()));
  EXPECT_EQ(strings_of(tarvex_brevane_meta_model_meta_index_get_columns(ix.get())),
            (std::vector<std::string>{"title DESC", "code ASC"}));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_include(ix.get()), "[notes]");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_where(ix.get()), "([code] IS NOT NULL)");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_method(ix.get()), "NONCLUSTERED");
  EXPECT_FALSE(tarvex_brevane_meta_model_meta_index_get_is_clustered(ix.get()));
  EXPECT_EQ(attr(ix.get(), "UNIQUE"), "true");
  EXPECT_EQ(attr(ix.get(), "STATE"), "false");
  EXPECT_EQ(attr(ix.get(), "FILL FACTOR"), "80");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_index_get_with(ix.get()), "FILLFACTOR = 80");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(ix.get())), "Titles");
  // An index's comment is its extended property of class 7.
  const std::string query = sent_with("ix.name = N'IX_title'");
  EXPECT_NE(query.find("ep.class=7"), std::string::npos) << query;
  EXPECT_NE(query.find("OBJECT_NAME(ix.object_id) = N'CASES'"), std::string::npos) << query;
  expect_valid_tsql(build(ix.get()), "index");

  // Refilled after a reset: the same columns, not twice.
  tarvex_brevane_meta_model_meta_object_reset(META(ix.get()));
  ASSERT_EQ(fill(ix.get()), nullptr);
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_index_get_columns(ix.get())), 2);

  server_.on_pattern(kIndex).result(kIndexColumns);
  auto gone = adoptGRef(
      tarvex_brevane_meta_model_meta_index_new_with_names("Shop", "dbo", "CASES", "IX_gone"));
  expect_not_found(fill(gone.get()), "Index [IX_gone] on [dbo].[CASES] not found.");
}

// ---------------------------------------------------------------- triggers

TEST_F(AdapterObjectsTest, TriggersStandingAloneOnTablesAndViews) {
  open();
  struct Case {
    const char* name;
    std::vector<std::optional<std::string>> row;
    const char* target;
    const char* target_type;
    const char* body;
    const char* timing;
    const char* event;
    const char* executor;
    const char* executor_user;  // null: none
  } cases[] = {
      {"trg_ASSET",
       {"trg_ASSET", "TR", "U ", "CASES", "1", "1", "0", "0", "0", "0",
        "CREATE TRIGGER [dbo].[trg_ASSET] ON [dbo].[CASES]\nWITH EXECUTE AS 'bob'\n"
        "AFTER INSERT, UPDATE AS\nBEGIN\n  SET NOCOUNT ON; -- AS noted\nEND\n",
        "5", "bob", nullopt, nullopt, nullopt, nullopt, nullopt, "Audit"},
       "CASES",
       "TABLE",
       "BEGIN\n  SET NOCOUNT ON; -- AS noted\nEND",
       "AFTER",
       "INSERT,UPDATE",
       "USER",
       "bob"},
      {"trg_view",
       {"trg_view", "TR", "V ", "OrderView", "1", "0", "0", "0", "1", "1",
        "create trigger dbo.trg_view on dbo.OrderView with execute as owner instead of insert "
        "as\nINSERT INTO dbo.Orders SELECT * FROM inserted",
        "-2", nullopt, nullopt, nullopt, nullopt, nullopt, nullopt, nullopt},
       "OrderView",
       "VIEW",
       "INSERT INTO dbo.Orders SELECT * FROM inserted",
       "INSTEAD OF",
       "INSERT",
       "OWNER",
       nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    server_.on_pattern(kTrigger).result(kTriggerColumns).row(c.row);
    auto tr =
        adoptGRef(tarvex_brevane_meta_model_meta_trigger_new_with_names("Shop", "dbo", c.name));
    ASSERT_EQ(fill(tr.get()), nullptr);
    EXPECT_TRUE(is_filled(tr.get()));
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_target(tr.get()), c.target);
    EXPECT_EQ(attr(tr.get(), "TARGET_TYPE"), c.target_type);
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_body(tr.get()), c.body);
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_timing(tr.get()), c.timing);
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_event(tr.get()), c.event);
    EXPECT_EQ(attr(tr.get(), "DEFINITION_TYPE"), "SQL");
    EXPECT_EQ(attr(tr.get(), "EXECUTOR"), c.executor);
    EXPECT_EQ(has_attr(tr.get(), "EXECUTOR_USER"), c.executor_user != nullptr);
    if (c.executor_user) {
      EXPECT_EQ(attr(tr.get(), "EXECUTOR_USER"), c.executor_user);
    }
    expect_valid_tsql(build(tr.get()), c.name);
  }
  EXPECT_NE(sent_with("tr.name=N'trg_view'").find("OBJECT_SCHEMA_NAME(tr.parent_id)=N'dbo'"),
            std::string::npos);

  server_.on_pattern(kTrigger).result(kTriggerColumns);
  auto gone = adoptGRef(tarvex_brevane_meta_model_meta_trigger_new_with_names("Shop", "dbo", "x"));
  expect_not_found(fill(gone.get()), "Trigger [dbo].[x] not found.");
}

// ---------------------------------------------------------------- routines

GRef<MetaRoutine> procedure(const char* name) {
  return GRef<MetaRoutine>::adopt(reinterpret_cast<MetaRoutine*>(
      tarvex_brevane_meta_model_meta_procedure_new_with_names("Shop", "dbo", name)));
}
GRef<MetaRoutine> function(const char* name) {
  return GRef<MetaRoutine>::adopt(reinterpret_cast<MetaRoutine*>(
      tarvex_brevane_meta_model_meta_function_new_with_names("Shop", "dbo", name)));
}

std::vector<std::optional<std::string>> routine_row(
    const char* type, std::optional<std::string> definition,
    std::optional<std::string> executor = nullopt,
    std::optional<std::string> executor_id = nullopt) {
  return {type,
          definition,
          "0",
          "0",
          "0",
          "1",
          "0",
          "0",
          executor,
          nullopt,
          nullopt,
          nullopt,
          "2024-02-29 13:14:15",
          "2024-02-29 13:14:15",
          "Runs",
          executor_id};
}

TEST_F(AdapterObjectsTest, ProcedureParametersWithDefaultsOfEveryForm) {
  open();
  server_.on_pattern(kRoutine)
      .result(kRoutineColumns)
      .row(routine_row(
          "P ",
          "CREATE PROCEDURE [dbo].[usp_run] @p$1 decimal(5,2) = 1.5, @neg int = -1,\n"
          "  @day date = '2020-01-01', @name nvarchar(50) = N'O''Neil, AS' OUTPUT,\n"
          "  @none varchar(10) = NULL, @out int OUTPUT, @blob varbinary(max) = 0x1F,\n"
          "  @at datetime2(3) = '2020-01-01T10:00:00.123'\n"
          "WITH EXECUTE AS 'bob', RECOMPILE\nAS\nBEGIN\n  SELECT @out = 1 -- AS here\nEND"));
  server_.on_pattern(kParameters)
      .result(kParameterColumns)
      .row({"@p$1", "decimal", "5", "5", "2", "1", nullopt, "0", "0", "1"})
      .row({"@neg", "int", "4", "10", "0", "1", nullopt, "0", "0", "2"})
      .row({"@day", "date", "3", "10", "0", "1", nullopt, "0", "0", "3"})
      .row({"@name", "nvarchar", "100", "0", "0", "1", nullopt, "1", "0", "4"})
      .row({"@none", "varchar", "10", "0", "0", "1", nullopt, "0", "0", "5"})
      .row({"@out", "int", "4", "10", "0", "1", nullopt, "1", "0", "6"})
      .row({"@blob", "varbinary", "-1", "0", "0", "1", nullopt, "0", "0", "7"})
      .row({"@at", "datetime2", "7", "23", "3", "1", nullopt, "0", "0", "8"});
  auto p = procedure("usp_run");
  ASSERT_EQ(fill(p.get()), nullptr);
  EXPECT_TRUE(is_filled(p.get()));
  EXPECT_EQ(strings_of(tarvex_brevane_meta_model_meta_routine_get_parameters(p.get())),
            (std::vector<std::string>{
                "@p$1 decimal(5,2) = 1.5", "@neg int = -1", "@day date = '2020-01-01'",
                "@name nvarchar(50) = N'O''Neil, AS' OUTPUT", "@none varchar(10) = NULL",
                "@out int OUTPUT", "@blob varbinary(MAX) = 0x1F",
                "@at datetime2(3) = '2020-01-01T10:00:00.123'"}));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_routine_get_body(p.get()),
               "BEGIN\n  SELECT @out = 1 -- AS here\nEND");
  EXPECT_EQ(attr(p.get(), "EXECUTE_AS"), "true");
  EXPECT_EQ(attr(p.get(), "EXECUTOR"), "USER");
  EXPECT_EQ(attr(p.get(), "EXECUTOR_USER"), "bob");
  EXPECT_EQ(attr(p.get(), "RECOMPILE"), "true");
  EXPECT_EQ(attr(p.get(), "ENCRYPTION"), "false");
  EXPECT_EQ(attr(p.get(), "NATIVE_COMPILATION"), "false");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(p.get())), "Runs");
  // Parameters in their declared order, names as Unicode literals.
  const std::string query = sent_with("sys.all_parameters");
  EXPECT_NE(query.find("ORDER BY ap.parameter_id"), std::string::npos) << query;
  EXPECT_NE(query.find("ao.name=N'usp_run'"), std::string::npos) << query;
  // The builder's script declares what the catalog held.
  const std::string text = build(p.get());
  expect_valid_tsql(text, "procedure");
  if (!text.empty()) {
    EXPECT_NE(text.find("CREATE PROCEDURE [dbo].[usp_run]"), std::string::npos) << text;
    for (const auto& parameter :
         strings_of(tarvex_brevane_meta_model_meta_routine_get_parameters(p.get())))
      EXPECT_NE(text.find(parameter), std::string::npos) << parameter << "\n" << text;
    EXPECT_NE(text.find("SELECT @out = 1 -- AS here\nEND"), std::string::npos) << text;
    EXPECT_NE(text.find("RECOMPILE"), std::string::npos) << text;
  }
}

TEST_F(AdapterObjectsTest, FunctionsOfEachKind) {
  open();
  struct Case {
    const char* name;
    const char* type;
    const char* definition;
    std::optional<std::string> executor_id;
    std::vector<std::vector<std::optional<std::string>>> parameters;
    const char* return_type;
    const char* body;
    const char* return_table;  // null: no attribute
    std::vector<std::string> texts;
    const char* executor;  // null: none
  } cases[] = {
      {"fn_total",
       "FN",
       "CREATE FUNCTION dbo.fn_total(@a int = 2, @b numeric(10,4) = -0.5)\nRETURNS "
       "nvarchar(50)\nWITH SCHEMABINDING, EXECUTE AS OWNER\nAS\nBEGIN\n  RETURN N'AS'\nEND",
       "-2",
       {{"", "nvarchar", "100", "0", "0", "1", nullopt, "1", "0", "0"},
        {"@a", "int", "4", "10", "0", "1", nullopt, "0", "0", "1"},
        {"@b", "numeric", "9", "10", "4", "1", nullopt, "0", "0", "2"}},
       "nvarchar(50)",
       "BEGIN\n  RETURN N'AS'\nEND",
       nullptr,
       {"@a int = 2", "@b numeric(10,4) = -0.5"},
       "OWNER"},
      {"tvf_rows",
       "IF",
       "CREATE FUNCTION dbo.tvf_rows (@x int) RETURNS TABLE AS RETURN (SELECT @x AS x)",
       nullopt,
       {{"@x", "int", "4", "10", "0", "1", nullopt, "0", "0", "1"}},
       "TABLE",
       "RETURN (SELECT @x AS x)",
       "",
       {"@x int"},
       nullptr},
      {"mtvf",
       "TF",
       "CREATE FUNCTION dbo.mtvf ()\nRETURNS @t TABLE (a int DEFAULT 1, b nvarchar(10) CHECK (b "
       "<> N'AS'))\nAS\nBEGIN\n  INSERT @t VALUES (1, N'x');\n  RETURN;\nEND",
       nullopt,
       {},
       "@t TABLE",
       "BEGIN\n  INSERT @t VALUES (1, N'x');\n  RETURN;\nEND",
       "(a int DEFAULT 1, b nvarchar(10) CHECK (b <> N'AS'))",
       {},
       nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    server_.on_pattern(kRoutine)
        .result(kRoutineColumns)
        .row(routine_row(c.type, c.definition, nullopt, c.executor_id));
    auto& parameters = server_.on_pattern(kParameters).result(kParameterColumns);
    for (const auto& row : c.parameters) parameters.row(row);
    auto f = function(c.name);
    ASSERT_EQ(fill(f.get()), nullptr);
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_routine_get_return_type(f.get()), c.return_type);
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_routine_get_body(f.get()), c.body);
    EXPECT_EQ(has_attr(f.get(), "RETURN_TABLE"), c.return_table != nullptr);
    if (c.return_table) {
      EXPECT_EQ(attr(f.get(), "RETURN_TABLE"), c.return_table);
    }
    EXPECT_EQ(strings_of(tarvex_brevane_meta_model_meta_routine_get_parameters(f.get())), c.texts);
    EXPECT_EQ(has_attr(f.get(), "EXECUTOR"), c.executor != nullptr);
    if (c.executor) {
      EXPECT_EQ(attr(f.get(), "EXECUTOR"), c.executor);
      EXPECT_FALSE(has_attr(f.get(), "EXECUTOR_USER"));
    }
    const std::string text = build(f.get());
    expect_valid_tsql(text, c.name);
    if (!text.empty()) {
      EXPECT_NE(text.find(c.body), std::string::npos) << text;
      for (const auto& parameter : c.texts)
        EXPECT_NE(text.find(parameter), std::string::npos) << parameter << "\n" << text;
    }
  }
}

TEST_F(AdapterObjectsTest, ClrEncryptedAndMissingRoutines) {
  open();
  auto row = routine_row("PC", nullopt);
  row[9] = "Lib";
  row[10] = "Ns.Jobs";
  row[11] = "Run";
  server_.on_pattern(kRoutine).result(kRoutineColumns).row(row);
  server_.on_pattern(kParameters).result(kParameterColumns);
  auto clr = procedure("usp_clr");
  ASSERT_EQ(fill(clr.get()), nullptr);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_routine_get_body(clr.get()),
               "EXTERNAL NAME [Lib].[Ns.Jobs].[Run]");
  EXPECT_EQ(attr(clr.get(), "ASSEMBLY"), "Lib");
  EXPECT_EQ(attr(clr.get(), "EXECUTE_AS"), "false");

  auto encrypted = routine_row("P ", nullopt);
  encrypted[2] = "1";
  server_.on_pattern(kRoutine).result(kRoutineColumns).row(encrypted);
  auto hidden = procedure("usp_hidden");
  ASSERT_EQ(fill(hidden.get()), nullptr);
  EXPECT_EQ(attr(hidden.get(), "ENCRYPTION"), "true");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_routine_get_body(hidden.get()), "");

  server_.on_pattern(kRoutine).result(kRoutineColumns);
  auto gone = procedure("gone");
  expect_not_found(fill(gone.get()), "Routine [dbo].[gone] not found.");

  server_.on_pattern(kRoutine)
      .result(kRoutineColumns)
      .row(routine_row("P ", "CREATE PROCEDURE p AS SELECT 1"));
  server_.on_pattern(kParameters).error(208, 16, "Invalid object name 'sys.all_parameters'.");
  auto failing = procedure("p");
  expect_query_error(fill(failing.get()), "sys.all_parameters");
  EXPECT_FALSE(is_filled(failing.get()));
}

// A natively compiled procedure's parameter may be NOT NULL; others are
// nullable, which their declarations leave unsaid.
TEST_F(AdapterObjectsTest, NotNullParametersOfNativeProcedures) {
  open();
  auto row = routine_row(
      "P ",
      "CREATE PROCEDURE dbo.usp_native @id int NOT NULL, @note nvarchar(10) = NULL\n"
      "WITH NATIVE_COMPILATION, SCHEMABINDING\nAS BEGIN ATOMIC WITH (TRANSACTION ISOLATION "
      "LEVEL = SNAPSHOT, LANGUAGE = N'us_english')\n  SELECT @id AS id\nEND");
  row[7] = "1";
  server_.on_pattern(kRoutine).result(kRoutineColumns).row(row);
  server_.on_pattern(kParameters)
      .result(kParameterColumns)
      .row({"@id", "int", "4", "10", "0", "0", nullopt, "0", "0", "1"})
      .row({"@note", "nvarchar", "20", "0", "0", "1", nullopt, "0", "0", "2"});
  auto p = procedure("usp_native");
  ASSERT_EQ(fill(p.get()), nullptr);
  EXPECT_EQ(strings_of(tarvex_brevane_meta_model_meta_routine_get_parameters(p.get())),
            (std::vector<std::string>{"@id int NOT NULL", "@note nvarchar(10) = NULL"}));
  EXPECT_EQ(attr(p.get(), "NATIVE_COMPILATION"), "true");
}

// A deep schema fill fills its routines too.
TEST_F(AdapterObjectsTest, DeepSchemaFillFillsItsRoutines) {
  open();
  server_.on_pattern("INFORMATION_SCHEMA\\.SCHEMATA")
      .result({{"SCHEMA_OWNER", "nvarchar(128)", true},
               {"DEFAULT_CHARACTER_SET_NAME", "nvarchar(128)", true}});
  server_.on_pattern("class_desc='SCHEMA'").result({{"value", "nvarchar(max)", true}});
  server_.on_pattern("type in \\('U', 'V', 'IT', 'S'\\)")
      .result({{"name", "sysname"}, {"type", "char(2)"}});
  server_.on_pattern("type in \\('AF'")
      .result({{"name", "sysname"}, {"type", "char(2)"}})
      .row({"usp_run", "P "});
  server_.on_pattern("FROM sys\\.events")
      .result({{"object_id", "int"},
               {"event_name", "sysname", true},
               {"type_desc", "nvarchar(60)"},
               {"event_group_type_desc", "nvarchar(60)", true}});
  server_.on_pattern(kRoutine)
      .result(kRoutineColumns)
      .row(routine_row("P ", "CREATE PROCEDURE usp_run AS SELECT 1"));
  server_.on_pattern(kParameters).result(kParameterColumns);
  auto schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("Shop", "dbo"));
  ASSERT_EQ(fill(schema.get(), true, true), nullptr);
  auto routine =
      item<MetaRoutine>(tarvex_brevane_meta_model_meta_schema_get_routines(schema.get()), 0);
  EXPECT_TRUE(is_filled(routine.get()));
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_routine_get_body(routine.get()), "SELECT 1");
}

// ---------------------------------------------------------------- events

TEST_F(AdapterObjectsTest, EventsNeedNoQuery) {
  open();
  auto event =
      adoptGRef(tarvex_brevane_meta_model_meta_event_new_with_names("Shop", "dbo", "nightly"));
  EXPECT_EQ(fill(event.get()), nullptr);
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iadaptable_fill_meta_event(adapter().get(), event.get(),
                                                               &error);
  EXPECT_EQ(error, nullptr);
  EXPECT_TRUE(sent().empty());
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_event_get_body(event.get()), "");
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iadaptable_fill_meta_event(adapter().get(),
                                                                               nullptr, nullptr),
                  "event != NULL");
}

// ---------------------------------------------------------------- version 10

TEST_F(AdapterObjectsTest, Version10ReadsWhatItsCatalogHas) {
  open("10.50.6000.34");
  auto adapt = adapter();
  ASSERT_TRUE(TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_ADAPTER_V10X(adapt.get()));

  // Routines through fill_meta_function, as through fill_meta_object.
  auto old_row = routine_row("P ", "CREATE PROC p @a int = 5 AS SELECT @a AS a -- AS", "bob", "5");
  old_row[7] = nullopt;  // the catalog has no such column
  server_.on_pattern(kRoutine).result(kRoutineColumns).row(old_row);
  server_.on_pattern(kParameters)
      .result(kParameterColumns)
      .row({"@a", "int", "4", "10", "0", "1", nullopt, "0", "0", "1"});
  for (bool through_object : {false, true}) {
    SCOPED_TRACE(through_object ? "fill_meta_object" : "fill_meta_function");
    auto p = procedure("p");
    GError* error = nullptr;
    if (through_object)
      error = fill(p.get());
    else
      tarvex_brevane_contracts_database_iadaptable_fill_meta_function(adapt.get(), p.get(), &error);
    ASSERT_EQ(error, nullptr) << error->message;
    EXPECT_TRUE(is_filled(p.get()));
    EXPECT_STREQ(tarvex_brevane_meta_model_meta_routine_get_body(p.get()), "SELECT @a AS a -- AS");
    EXPECT_EQ(strings_of(tarvex_brevane_meta_model_meta_routine_get_parameters(p.get())),
              (std::vector<std::string>{"@a int = 5"}));
    EXPECT_EQ(attr(p.get(), "EXECUTOR_USER"), "bob");
    EXPECT_FALSE(has_attr(p.get(), "NATIVE_COMPILATION"));
  }
  EXPECT_NE(sent_with("sys.all_sql_modules").find("NULL AS uses_native_compilation"),
            std::string::npos);

  // Table triggers: one row per trigger, bodies cut like the current one's.
  server_.on_pattern("FROM sys\\.triggers tr")
      .result(kTriggerColumns)
      .row({"trg_a", "TR", "U ", "CASES", "1", "1", "1", "0", "0", "0",
            "CREATE TRIGGER trg_a ON CASES AFTER INSERT, UPDATE, DELETE AS SELECT 1", nullopt,
            nullopt, nullopt, nullopt, nullopt, nullopt, nullopt, nullopt})
      .row({"trg_b", "TR", "U ", "CASES", "0", "0", "1", "0", "0", "0",
            "CREATE TRIGGER trg_b ON CASES AFTER DELETE AS SELECT 2", nullopt, nullopt, nullopt,
            nullopt, nullopt, nullopt, nullopt, nullopt});
  auto table =
      adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("Shop", "dbo", "CASES"));
  GError* error = nullptr;
  auto filled =
      adoptGRef(tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_trigger(
          reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerAdapter*>(adapt.get()),
          table.get(), &error));
  ASSERT_EQ(error, nullptr) << error->message;
  GeeArrayList* triggers = tarvex_brevane_meta_model_meta_table_get_triggers(table.get());
  ASSERT_EQ(size_of(triggers), 2);
  auto a = item<MetaTrigger>(triggers, 0);
  auto b = item<MetaTrigger>(triggers, 1);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_body(a.get()), "SELECT 1");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_event(a.get()), "INSERT,UPDATE,DELETE");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_trigger_get_event(b.get()), "DELETE");
  EXPECT_EQ(sent_with("FROM sys.triggers tr").find("trigger_events"), std::string::npos);

  // Version 9 has no filtered indexes.
  server_.clear_rules();
  open("9.00.5000.00");
  server_.on_pattern(kIndex)
      .result(kIndexColumns)
      .row({"2", "IX_a", "CLUSTERED", "0", "0", "1", "a", "1", "0", nullopt, "0", nullopt, "0"});
  auto ix =
      adoptGRef(tarvex_brevane_meta_model_meta_index_new_with_names("Shop", "dbo", "t", "IX_a"));
  ASSERT_EQ(fill(ix.get()), nullptr);
  EXPECT_TRUE(tarvex_brevane_meta_model_meta_index_get_is_clustered(ix.get()));
  EXPECT_NE(sent_with("ix.name = N'IX_a'").find("NULL AS filter_definition"), std::string::npos);
  EXPECT_FALSE(has_attr(ix.get(), "FILL FACTOR"));
}

TEST_F(AdapterObjectsTest, BrokenPreconditions) {
  open();
  auto adapt = adapter();
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_database_iadaptable_fill_meta_view(adapt.get(), nullptr, nullptr),
      "view != NULL");
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_database_iadaptable_fill_meta_index(adapt.get(), nullptr, nullptr),
      "index != NULL");
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_database_iadaptable_fill_meta_trigger(adapt.get(), nullptr, nullptr),
      "trigger != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_sql_server_adapter_v10x_new(nullptr),
                  "connection != NULL");
}

}  // namespace
}  // namespace tarvex::test::dialect
