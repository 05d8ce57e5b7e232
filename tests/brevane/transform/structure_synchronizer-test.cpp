// StructureSynchronizer: two scripted schemas compared and the target
// brought in line, checked from the target's received batches.
#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/brevane/transform/transform-test.h"
#include "tests/support/tds-catalog.h"

#include "brevane/sql/tsql-scanner-private.h"

namespace tarvex::test::transform {
namespace {

using Sync = TarvexBrevaneTransformStructureSynchronizer;

class StructureSynchronizerTest : public TransformTest {
 protected:
  void SetUp() override {
    TransformTest::SetUp();
    script_schema(source_server_, "dbo",
                  {{"only_src", "U "}, {"changed", "U "}, {"same", "U "}, {"v1", "V "}});
    script_table(source_server_, "dbo", "only_src", {{"id", "int"}}, {"id"});
    script_table(source_server_, "dbo", "changed",
                 {{"id", "int"}, {"größe", "nvarchar", 80, 0, 0, true}}, {"id"});
    script_table(source_server_, "dbo", "same", {{"id", "int"}}, {"id"});
    script_view(source_server_, "v1", "CREATE VIEW [dbo].[v1] AS SELECT 2 AS two");
    script_schema(target_server_, "dbo",
                  {{"changed", "U "}, {"same", "U "}, {"only_tgt", "U "}, {"v1", "V "}});
    script_table(target_server_, "dbo", "changed", {{"id", "int"}}, {"id"});
    script_table(target_server_, "dbo", "same", {{"id", "int"}}, {"id"});
    script_table(target_server_, "dbo", "only_tgt", {{"id", "int"}}, {"id"});
    script_view(target_server_, "v1", "CREATE VIEW [dbo].[v1] AS SELECT 1 AS one");
  }

  void script_view(tds::Server& server, const std::string& name, const std::string& definition) {
    server.on_pattern("sys\\.all_views av.*av\\.name=N'" + name + "'")
        .result({{"definition", "nvarchar(max)", true}})
        .row({definition});
  }

  // The routine listing of dbo: names and catalog types.
  void script_routines(tds::Server& server,
                       const std::vector<std::pair<std::string, std::string>>& routines) {
    auto& listing = server.on_pattern("type in \\('AF', 'FN'.*N'dbo'")
                        .result({{"name", "sysname"}, {"type", "char(2)"}});
    for (const auto& [name, type] : routines) listing.row({name, type});
  }

  // One routine's catalog row; no definition means an encrypted one. A
  // function gets its return value as the nameless parameter.
  void script_routine(tds::Server& server, const std::string& name, const char* type,
                      std::optional<std::string> definition, const char* returns = nullptr) {
    std::string doubled;
    for (char c : name) doubled += c == '\'' ? std::string("''") : std::string(1, c);
    GUniqueStr escaped(g_regex_escape_string(doubled.c_str(), -1));
    const std::string where = std::string("ao\\.name=N'") + escaped.get() + "'";
    const bool encrypted = !definition;
    server.on_pattern("FROM sys\\.all_objects ao LEFT JOIN sys\\.all_sql_modules.*" + where)
        .result({{"type", "char(2)"},
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
                 {"execute_as_principal_id", "int", true}})
        .row({type, definition, encrypted ? "1" : "0", "0", "0", "0", "0", "0", std::nullopt,
              std::nullopt, std::nullopt, std::nullopt, "2024-02-29 13:14:15",
              "2024-02-29 13:14:15", std::nullopt, std::nullopt});
    if (returns)
      server.on_pattern("FROM sys\\.all_parameters ap.*" + where)
          .result({{"name", "sysname", true},
                   {"type", "sysname", true},
                   {"max_length", "smallint"},
                   {"precision", "tinyint"},
                   {"scale", "tinyint"},
                   {"is_nullable", "bit", true},
                   {"default_value", "sql_variant", true},
                   {"is_output", "bit"},
                   {"is_readonly", "bit"},
                   {"parameter_id", "int"}})
          .row({"", returns, "4", "10", "0", "1", std::nullopt, "1", "0", "0"});
  }

  GRef<Sync> make(std::vector<std::pair<std::string, std::string>> entries) {
    for (const char* side : {"SOURCE", "TARGET"}) {
      entries.push_back({std::string("OPTION|") + side + "|DATABASE", "shop"});
      entries.push_back({std::string("OPTION|") + side + "|SCHEMA", "dbo"});
    }
    auto map = options(entries);
    auto sync = adoptGRef(tarvex_brevane_transform_structure_synchronizer_new(map.get()));
    auto* it = TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get());
    tarvex_brevane_transform_itransform_set_server_source(it, source());
    tarvex_brevane_transform_itransform_set_server_target(it, target());
    return sync;
  }

  static std::vector<std::string> texts_of(GeeList* list) {
    std::vector<std::string> out;
    gint n = gee_collection_get_size(GEE_COLLECTION(list));
    for (gint i = 0; i < n; ++i) out.push_back(take(static_cast<gchar*>(gee_list_get(list, i))));
    return out;
  }
};

const std::vector<std::pair<std::string, std::string>> kSelection = {{"OPTION|table|only_src", ""},
                                                                     {"OPTION|table|changed", ""},
                                                                     {"OPTION|table|only_tgt", ""},
                                                                     {"OPTION|view|v1", ""}};

TEST_F(StructureSynchronizerTest, PreviewGenerateAndHandle) {
  auto sync = make(kSelection);
  GError* error = nullptr;
  tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()),
                                                 &error);
  ASSERT_EQ(error, nullptr) << error->message;

  auto patched = adoptGRef(tarvex_brevane_transform_isynchronize_preview(
      TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
  ASSERT_EQ(error, nullptr) << error->message;
  ASSERT_TRUE(patched);
  ASSERT_TRUE(TARVEX_BREVANE_META_MODEL_IS_META_SCHEMA(patched.get()));

  auto list = adoptGRef(tarvex_brevane_transform_isynchronize_generate(
      TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
  ASSERT_EQ(error, nullptr) << error->message;
  auto texts = texts_of(list.get());
  auto find = [&](const std::string& needle) {
    for (size_t i = 0; i < texts.size(); ++i)
      if (texts[i].find(needle) != std::string::npos) return int(i);
    return -1;
  };
  EXPECT_GE(find("CREATE TABLE [dbo].[only_src]"), 0) << ::testing::PrintToString(texts);
  EXPECT_GE(find("DROP TABLE [dbo].[only_tgt]"), 0);
  // The changed table is patched, not dropped: an ALTER adding the column.
  int altered = find("[größe]");
  ASSERT_GE(altered, 0) << ::testing::PrintToString(texts);
  EXPECT_NE(texts[altered].find("ALTER TABLE [dbo].[changed]"), std::string::npos)
      << texts[altered];
  EXPECT_EQ(find("DROP TABLE [dbo].[changed]"), -1);
  EXPECT_EQ(find("[same]"), -1);
  // The changed view: its drop and its new text are two texts, drop first.
  int drop_view = find("DROP VIEW [dbo].[v1]");
  int create_view = find("CREATE VIEW [dbo].[v1]");
  ASSERT_GE(drop_view, 0);
  ASSERT_GE(create_view, 0);
  EXPECT_LT(drop_view, create_view);
  EXPECT_EQ(texts[drop_view].find("CREATE VIEW"), std::string::npos);

  std::vector<gint64> seen;
  auto holder = run_handle(sync.get(), &seen);
  auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
      g_object_get_data(holder.get(), "progress"));
  EXPECT_EQ(progress->finished, 1);
  EXPECT_EQ(progress->failed, 0) << ::testing::PrintToString(messages_of(progress));
  EXPECT_GT(progress->succeeded, 3);

  std::vector<TsqlText> batches;
  for (const auto& batch : received(target_server_, target_mark_)) {
    if (batch.find("DROP") == std::string::npos && batch.find("CREATE") == std::string::npos &&
        batch.find("ALTER") == std::string::npos && batch.find("EXEC") == std::string::npos)
      continue;  // catalog queries of the fill
    EXPECT_FALSE(batch.find("DROP VIEW") != std::string::npos &&
                 batch.find("CREATE VIEW") != std::string::npos)
        << batch;
    EXPECT_EQ(batch.find("\nGO"), std::string::npos) << batch;
    batches.push_back({"structure batch", batch});
  }
  EXPECT_GE(batches.size(), 4u);
  expect_valid_tsql(batches);
}

TEST_F(StructureSynchronizerTest, UnselectedObjectsAndStopAtFirstFailure) {
  {
    auto sync = make({});
    GError* error = nullptr;
    auto list = adoptGRef(tarvex_brevane_transform_isynchronize_generate(
        TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
    ASSERT_EQ(error, nullptr);
    EXPECT_TRUE(texts_of(list.get()).empty());
  }
  target_server_.on_pattern("^\\s*CREATE TABLE")
      .error(2714, 16, "There is already an object named 'only_src'.");
  for (const bool cont : {false, true}) {
    auto entries = kSelection;
    if (cont) entries.push_back({"OPTION|RESULT|CONTINUE", "true"});
    auto sync = make(entries);
    size_t mark = target_server_.batch_texts().size();
    auto holder = run_handle(sync.get());
    auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
        g_object_get_data(holder.get(), "progress"));
    EXPECT_EQ(progress->finished, 1);
    EXPECT_EQ(progress->failed, 1);
    bool dropped = false;
    for (const auto& batch : received(target_server_, mark))
      if (batch.find("DROP TABLE [dbo].[only_tgt]") != std::string::npos) dropped = true;
    EXPECT_EQ(dropped, cont);
  }
}

// A view whose text holds GO lines inside a literal and a comment, in every
// form and with both line breaks: the target gets it as one batch, and with
// CONTINUE on a failing batch never leaves a tail of it to run on its own.
TEST_F(StructureSynchronizerTest, ViewHoldingGoLinesIsNeverCutInTwo) {
  const struct {
    const char* what;
    const char* newline;
    const char* go;
  } cases[] = {{"GO, LF", "\n", "GO"},   {"go, LF", "\n", "go"},    {"GO, CRLF", "\r\n", "GO"},
               {"blanks", "\n", " GO "}, {"count", "\r\n", "GO 2"}, {"comment", "\n", "GO -- c"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string nl = c.newline;
    const std::string body = "SELECT N'a" + nl + c.go + nl + "DROP TABLE dbo.victim --' AS x /*" +
                             nl + c.go + nl + "DELETE FROM dbo.accounts */";
    script_view(source_server_, "v1", "CREATE VIEW [dbo].[v1] AS " + body);
    // The server refuses whatever it is sent of the view; the run goes on.
    target_server_.on_pattern("CREATE VIEW").error(102, 15, "Incorrect syntax near 'a'.");
    size_t mark = target_server_.batch_texts().size();
    auto sync = make({{"OPTION|view|v1", ""}, {"OPTION|RESULT|CONTINUE", "true"}});
    auto holder = run_handle(sync.get());
    auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
        g_object_get_data(holder.get(), "progress"));
    EXPECT_EQ(progress->finished, 1);
    EXPECT_EQ(progress->failed, 1) << ::testing::PrintToString(messages_of(progress));

    int views = 0;
    for (const auto& batch : received(target_server_, mark)) {
      // Outside literals and comments no batch names the victims.
      tarvex::sql::Scanner scanner(batch);
      for (auto t = scanner.next(); t.kind != tarvex::sql::Token::End; t = scanner.next()) {
        const std::string word(scanner.text_of(t));
        EXPECT_NE(word, "victim") << batch;
        EXPECT_NE(word, "accounts") << batch;
      }
      if (batch.find("CREATE VIEW") == std::string::npos) continue;
      ++views;
      // The whole definition went in one batch.
      EXPECT_NE(batch.find("accounts"), std::string::npos) << batch;
    }
    EXPECT_EQ(views, 1);
  }
}

// Routines as views: created when only the source has one, dropped and
// created in two texts when changed, dropped when only the target has one.
TEST_F(StructureSynchronizerTest, RoutinesCreatedRecreatedAndDropped) {
  const std::string hostile = "p'n]ew";
  script_routines(source_server_, {{hostile, "P "}, {"f_new", "FN"}, {"p_changed", "P "}});
  script_routines(target_server_, {{"p_changed", "P "}, {"t_only", "P "}});
  script_routine(source_server_, hostile, "P ",
                 "CREATE PROCEDURE [dbo].[p'n]]ew] AS SELECT N'\xF0\x9F\x98\x80' AS x");
  script_routine(source_server_, "f_new", "FN",
                 "CREATE FUNCTION dbo.f_new() RETURNS int AS BEGIN RETURN 1 END", "int");
  script_routine(source_server_, "p_changed", "P ",
                 "CREATE PROCEDURE dbo.p_changed AS SELECT 2 AS two");
  script_routine(target_server_, "p_changed", "P ",
                 "CREATE PROCEDURE dbo.p_changed AS SELECT 1 AS one");
  script_routine(target_server_, "t_only", "P ", "CREATE PROCEDURE dbo.t_only AS SELECT 0");
  auto sync = make({{"OPTION|function|" + hostile, ""},
                    {"OPTION|function|f_new", ""},
                    {"OPTION|function|p_changed", ""},
                    {"OPTION|function|t_only", ""}});
  GError* error = nullptr;
  auto list = adoptGRef(tarvex_brevane_transform_isynchronize_generate(
      TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
  ASSERT_EQ(error, nullptr) << error->message;
  const auto texts = texts_of(list.get());
  ASSERT_EQ(texts.size(), 5u) << ::testing::PrintToString(texts);
  EXPECT_EQ(texts[0].rfind("CREATE PROCEDURE [dbo].[p'n]]ew]", 0), 0u) << texts[0];
  EXPECT_NE(texts[0].find("SELECT N'\xF0\x9F\x98\x80' AS x"), std::string::npos) << texts[0];
  EXPECT_EQ(texts[1].rfind("CREATE FUNCTION [dbo].[f_new]", 0), 0u) << texts[1];
  EXPECT_EQ(texts[2], "DROP PROCEDURE [dbo].[p_changed];");
  EXPECT_EQ(texts[3].rfind("CREATE PROCEDURE [dbo].[p_changed]", 0), 0u) << texts[3];
  EXPECT_NE(texts[3].find("SELECT 2 AS two"), std::string::npos) << texts[3];
  EXPECT_EQ(texts[4], "DROP PROCEDURE [dbo].[t_only];");

  auto holder = run_handle(sync.get());
  auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
      g_object_get_data(holder.get(), "progress"));
  EXPECT_EQ(progress->failed, 0) << ::testing::PrintToString(messages_of(progress));
  EXPECT_EQ(progress->succeeded, 5);
  std::vector<TsqlText> batches;
  for (const auto& batch : received(target_server_, target_mark_)) {
    const bool drops = batch.find("DROP ") != std::string::npos;
    const bool creates = batch.find("CREATE ") != std::string::npos;
    if (!drops && !creates) continue;
    EXPECT_FALSE(drops && creates) << batch;
    batches.push_back({"routine batch", batch});
  }
  EXPECT_EQ(batches.size(), 5u);
  expect_valid_tsql(batches);
}

// A routine the builder writes no text for (an encrypted one) is a failed
// step named in its place: without CONTINUE nothing after it runs, with it
// the rest runs. The target's routine is never dropped.
TEST_F(StructureSynchronizerTest, RoutineWithoutTextIsAFailedStepInItsPlace) {
  script_routines(source_server_, {{"enc", "P "}, {"later", "P "}, {"enc_new", "FN"}});
  script_routines(target_server_, {{"enc", "P "}});
  script_routine(source_server_, "enc", "P ", std::nullopt);
  script_routine(target_server_, "enc", "P ", "CREATE PROCEDURE dbo.enc AS SELECT 1");
  script_routine(source_server_, "later", "P ", "CREATE PROCEDURE dbo.later AS SELECT 1");
  script_routine(source_server_, "enc_new", "FN", std::nullopt, "int");
  for (const bool cont : {false, true}) {
    SCOPED_TRACE(cont);
    std::vector<std::pair<std::string, std::string>> entries = {{"OPTION|table|only_src", ""},
                                                                {"OPTION|function|enc", ""},
                                                                {"OPTION|function|later", ""},
                                                                {"OPTION|function|enc_new", ""}};
    if (cont) entries.push_back({"OPTION|RESULT|CONTINUE", "true"});
    auto sync = make(entries);
    size_t mark = target_server_.batch_texts().size();
    auto holder = run_handle(sync.get());
    auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
        g_object_get_data(holder.get(), "progress"));
    bool table = false, later = false, enc = false;
    for (const auto& batch : received(target_server_, mark)) {
      table |= batch.find("CREATE TABLE [dbo].[only_src]") != std::string::npos;
      later |= batch.find("CREATE PROCEDURE [dbo].[later]") != std::string::npos;
      enc |= batch.find("[dbo].[enc") != std::string::npos;
    }
    EXPECT_TRUE(table);  // before the refused step
    EXPECT_EQ(later, cont);
    EXPECT_FALSE(enc);
    EXPECT_EQ(progress->failed, cont ? 2 : 1);
    EXPECT_EQ(progress->finished, 1);
    std::vector<std::string> named_enc, named_new;
    for (const auto& line : messages_of(progress)) {
      if (line.find("dbo.enc_new") != std::string::npos)
        named_new.push_back(line);
      else if (line.find("dbo.enc") != std::string::npos)
        named_enc.push_back(line);
    }
    EXPECT_EQ(named_enc.size(), 1u) << ::testing::PrintToString(messages_of(progress));
    EXPECT_EQ(named_new.size(), cont ? 1u : 0u);
  }
}

TEST_F(StructureSynchronizerTest, MissingConnectionsAreReported) {
  auto map = options({});
  auto sync = adoptGRef(tarvex_brevane_transform_structure_synchronizer_new(map.get()));
  EXPECT_CRITICAL(tarvex_brevane_transform_itransform_initialize(
                      TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()), nullptr),
                  "server_source != NULL");
  EXPECT_CRITICAL(tarvex_brevane_transform_structure_synchronizer_get_schema_source(nullptr),
                  "self != NULL");
}

// A compare (initialize, then preview) reads each side's catalog a fixed
// number of times, whatever the number of tables: each fill reads the whole
// schema at once.
TEST_F(StructureSynchronizerTest, CompareReadsEachCatalogAFixedNumberOfTimes) {
  namespace catalog = tarvex::test::catalog;
  std::vector<std::pair<size_t, size_t>> counts;
  for (int tables : {1, 2, 120}) {
    SCOPED_TRACE(tables);
    // A schema of its own per size; the target lacks the last table and
    // has one more column in the first.
    const std::string name = "s" + std::to_string(tables);
    catalog::Schema from, to;
    from.name = to.name = name;
    for (int i = 0; i < tables; ++i) {
      from.tables.push_back(catalog::plain_table("t" + std::to_string(i), 3, i ? "t0" : ""));
      if (i + 1 < tables || tables == 1)
        to.tables.push_back(
            catalog::plain_table("t" + std::to_string(i), i ? 3 : 4, i ? "t0" : ""));
    }
    catalog::script(source_server_, from, catalog::Reads::WholeSchema);
    catalog::script(target_server_, to, catalog::Reads::WholeSchema);
    std::vector<std::pair<std::string, std::string>> entries;
    for (const char* side : {"SOURCE", "TARGET"}) {
      entries.push_back({std::string("OPTION|") + side + "|DATABASE", "shop"});
      entries.push_back({std::string("OPTION|") + side + "|SCHEMA", name});
    }
    auto map = options(entries);
    auto sync = adoptGRef(tarvex_brevane_transform_structure_synchronizer_new(map.get()));
    auto* it = TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get());
    tarvex_brevane_transform_itransform_set_server_source(it, source());
    tarvex_brevane_transform_itransform_set_server_target(it, target());
    const size_t source_mark = source_server_.batch_texts().size();
    const size_t target_mark = target_server_.batch_texts().size();
    GError* error = nullptr;
    tarvex_brevane_transform_itransform_initialize(it, &error);
    ASSERT_EQ(error, nullptr) << error->message;
    auto patched = adoptGRef(tarvex_brevane_transform_isynchronize_preview(
        TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
    ASSERT_EQ(error, nullptr) << error->message;
    // The schemas differ (one column more), and every table was read.
    EXPECT_TRUE(patched);
    auto* held = tarvex_brevane_transform_structure_synchronizer_get_schema_source(sync.get());
    GeeArrayList* held_tables = tarvex_brevane_meta_model_meta_schema_get_tables(held);
    ASSERT_EQ(gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(held_tables)), tables);
    auto last = adoptGRef(static_cast<TarvexBrevaneMetaModelMetaTable*>(
        gee_abstract_list_get(GEE_ABSTRACT_LIST(held_tables), tables - 1)));
    EXPECT_EQ(gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(
                  tarvex_brevane_meta_model_meta_table_get_columns(last.get()))),
              3);
    auto source_batches = received(source_server_, source_mark);
    auto target_batches = received(target_server_, target_mark);
    for (const auto* batches : {&source_batches, &target_batches})
      for (const auto& batch : *batches)
        EXPECT_EQ(batch.find("AND OBJECT_NAME("), std::string::npos) << batch;
    counts.push_back({source_batches.size(), target_batches.size()});
  }
  for (size_t i = 1; i < counts.size(); ++i) {
    EXPECT_EQ(counts[i].first, counts[0].first) << i;
    EXPECT_EQ(counts[i].second, counts[0].second) << i;
  }
}

}  // namespace
}  // namespace tarvex::test::transform
