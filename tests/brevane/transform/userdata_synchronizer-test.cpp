// UserdataSynchronizer: keyed tables of two scripted servers compared and
// the target's rows patched by key.
#include <map>
#include <regex>

#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/brevane/transform/transform-test.h"
#include "tests/support/tsql-literal.h"

namespace tarvex::test::transform {
namespace {

using Sync = TarvexBrevaneTransformUserdataSynchronizer;
using std::nullopt;

class UserdataSynchronizerTest : public TransformTest {
 protected:
  void SetUp() override {
    TransformTest::SetUp();
    const std::vector<CatalogColumn> columns = {{"id", "int"},
                                                {"name", "nvarchar", 80, 0, 0, true}};
    script_table(source_server_, "dbo", "items", columns, {"id"});
    script_table(source_server_, "dbo", "nokey", columns, {});
    const std::vector<tds::Column> result = {{"id", "int"}, {"name", "nvarchar(40)", true}};
    source_server_.on_pattern("FROM \\[dbo\\]\\.\\[items\\] ORDER BY \\[id\\]")
        .result(result)
        .row({"1", "a"})
        .row({"2", "O'Brien 😀"})
        .row({"4", nullopt});
    target_server_.on_pattern("FROM \\[dbo\\]\\.\\[items\\] ORDER BY \\[id\\]")
        .result(result)
        .row({"1", "a"})
        .row({"2", "B"})
        .row({"3", "c"});
    script_column_facts(target_server_, "items")
        .row({"id", "1", "0", "56"})
        .row({"name", "0", "0", "231"});
    source_server_.on_pattern("FROM \\[dbo\\]\\.\\[nokey\\]")
        .result(result)
        .row({"1", "x"})
        .row({"5", "new"});
    target_server_.on_pattern("FROM \\[dbo\\]\\.\\[nokey\\]").result(result).row({"1", "y"});
  }

  GRef<Sync> make(std::vector<std::pair<std::string, std::string>> entries) {
    for (const char* side : {"SOURCE", "TARGET"}) {
      entries.push_back({std::string("OPTION|") + side + "|DATABASE", "shop"});
      entries.push_back({std::string("OPTION|") + side + "|SCHEMA", "dbo"});
    }
    auto map = options(entries);
    auto sync = adoptGRef(tarvex_brevane_transform_userdata_synchronizer_new(map.get()));
    auto* it = TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get());
    tarvex_brevane_transform_itransform_set_server_source(it, source());
    tarvex_brevane_transform_itransform_set_server_target(it, target());
    return sync;
  }

  // Initializes `sync` and generates its script, which must be one text.
  static void initialize_and_generate_one(Sync* sync, std::string* text) {
    GError* error = nullptr;
    tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync),
                                                   &error);
    ASSERT_EQ(error, nullptr) << error->message;
    auto list = adoptGRef(tarvex_brevane_transform_isynchronize_generate(
        TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync), &error));
    ASSERT_EQ(error, nullptr) << error->message;
    ASSERT_EQ(gee_collection_get_size(GEE_COLLECTION(list.get())), 1);
    *text = take(static_cast<gchar*>(gee_list_get(list.get(), 0)));
  }
};

TEST_F(UserdataSynchronizerTest, KeyedRowsAreInsertedUpdatedAndDeletedByKey) {
  auto sync = make({{"OPTION|table|items", ""}});
  GError* error = nullptr;
  tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()),
                                                 &error);
  ASSERT_EQ(error, nullptr) << error->message;
  auto patched = adoptGRef(tarvex_brevane_transform_isynchronize_preview(
      TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
  ASSERT_TRUE(patched);
  auto list = adoptGRef(tarvex_brevane_transform_isynchronize_generate(
      TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
  ASSERT_EQ(gee_collection_get_size(GEE_COLLECTION(list.get())), 1);
  const std::string text = take(static_cast<gchar*>(gee_list_get(list.get(), 0)));
  EXPECT_NE(text.find("UPDATE [dbo].[items] SET [name] = N'O''Brien 😀' WHERE [id] = 2;"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("DELETE FROM [dbo].[items] WHERE [id] = 3;"), std::string::npos) << text;
  EXPECT_NE(text.find("INSERT INTO [dbo].[items] ([id], [name]) VALUES\n(4, NULL)"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("SET IDENTITY_INSERT [dbo].[items] ON;"), std::string::npos) << text;
  EXPECT_EQ(text.find("[id] = 1"), std::string::npos) << text;

  auto holder = run_handle(sync.get());
  auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
      g_object_get_data(holder.get(), "progress"));
  EXPECT_EQ(progress->finished, 1);
  EXPECT_EQ(progress->failed, 0);
  std::vector<TsqlText> batches;
  bool patched_target = false;
  for (const auto& batch : received(target_server_, target_mark_))
    if (batch.find("UPDATE") != std::string::npos || batch.find("INSERT") != std::string::npos) {
      patched_target = true;
      batches.push_back({"data patch", batch});
    }
  EXPECT_TRUE(patched_target);
  // Nothing of the patch reaches the source.
  for (const auto& batch : received(source_server_, source_mark_))
    EXPECT_EQ(batch.find("UPDATE"), std::string::npos) << batch;
  expect_valid_tsql(batches);
}

// Hostile texts of source rows reach the target's UPDATE and INSERT
// statements as literals that read back as the values, with no line a
// script tool splits at and no backslash before a line break. Odd ids
// differ in the target (UPDATE), even ids are new (INSERT). A U+0000
// anywhere in a text travels with the rest of it.
TEST_F(UserdataSynchronizerTest, HostileTextsArriveExactly) {
  const auto hostile = tsql::hostile_texts();
  const std::vector<CatalogColumn> columns = {{"id", "int"}, {"name", "nvarchar", -1, 0, 0, true}};
  script_table(source_server_, "dbo", "notes", columns, {"id"});
  const std::vector<tds::Column> result = {{"id", "int"}, {"name", "nvarchar(max)", true}};
  auto& source_rows =
      source_server_.on_pattern("FROM \\[dbo\\]\\.\\[notes\\] ORDER BY \\[id\\]").result(result);
  auto& target_rows =
      target_server_.on_pattern("FROM \\[dbo\\]\\.\\[notes\\] ORDER BY \\[id\\]").result(result);
  std::vector<std::string> updated, inserted;
  for (size_t i = 0; i < hostile.size(); ++i) {
    const std::string id = std::to_string(i + 1);
    source_rows.row({id, hostile[i].text});
    if ((i + 1) % 2) {
      target_rows.row({id, "old"});
      updated.push_back(hostile[i].text);
    } else {
      inserted.push_back(hostile[i].text);
    }
  }
  script_column_facts(target_server_, "notes")
      .row({"id", "0", "0", "56"})
      .row({"name", "0", "0", "231"});
  auto sync = make({{"OPTION|table|notes", ""}});
  std::string text;
  ASSERT_NO_FATAL_FAILURE(initialize_and_generate_one(sync.get(), &text));
  std::vector<std::string> expected = updated;
  expected.insert(expected.end(), inserted.begin(), inserted.end());
  EXPECT_EQ(tsql::literals_in(text), expected) << text;
  EXPECT_TRUE(tsql::separator_lines(text).empty()) << text;
  EXPECT_FALSE(tsql::has_backslash_before_break(text)) << text;

  auto holder = run_handle(sync.get());
  auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
      g_object_get_data(holder.get(), "progress"));
  EXPECT_EQ(progress->failed, 0);
  std::vector<TsqlText> batches;
  std::string sent;
  for (const auto& batch : received(target_server_, target_mark_))
    if (batch.find("UPDATE [dbo].[notes]") != std::string::npos ||
        batch.find("INSERT INTO [dbo].[notes]") != std::string::npos) {
      batches.push_back({"data patch", batch});
      sent += batch;
    }
  EXPECT_EQ(tsql::literals_in(sent), expected) << sent;
  EXPECT_TRUE(tsql::separator_lines(sent).empty()) << sent;
  expect_valid_tsql(batches);
}

// Texts that differ only after a U+0000 differ: the compare sees the
// change and the patch writes the source's whole text; texts equal to
// their end give nothing to write.
TEST_F(UserdataSynchronizerTest, ChangeAfterAU0000IsSeenAndWritten) {
  using namespace std::string_literals;
  const std::string emoji = "\xF0\x9F\x98\x80";
  struct Case {
    std::optional<std::string> source, target;
    bool changed;
  };
  const Case cases[] = {
      {"a\0b"s, "a\0c"s, true},                               // differs after the zero
      {"a\0b"s, "a\0b"s, false},                              // the same whole
      {"a"s, "a\0"s, true},                                   // one zero more at the end
      {"\0"s, ""s, true},                                     // zero alone, empty
      {"\0"s, nullopt, true},                                 // zero alone, NULL
      {"\0\0"s, "\0"s, true},                                 // two zeros, one
      {emoji + "\0"s + emoji, emoji + "\0"s + emoji, false},  // emoji around it
      {emoji + "\0"s + emoji, emoji + "\0"s, true},
  };
  const std::vector<CatalogColumn> columns = {{"id", "int"}, {"name", "nvarchar", -1, 0, 0, true}};
  script_table(source_server_, "dbo", "zeros", columns, {"id"});
  const std::vector<tds::Column> result = {{"id", "int"}, {"name", "nvarchar(max)", true}};
  auto& source_rows =
      source_server_.on_pattern("FROM \\[dbo\\]\\.\\[zeros\\] ORDER BY \\[id\\]").result(result);
  auto& target_rows =
      target_server_.on_pattern("FROM \\[dbo\\]\\.\\[zeros\\] ORDER BY \\[id\\]").result(result);
  std::vector<std::string> expected;
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::string id = std::to_string(i + 1);
    source_rows.row({id, cases[i].source});
    target_rows.row({id, cases[i].target});
    if (cases[i].changed) expected.push_back(*cases[i].source);
  }
  script_column_facts(target_server_, "zeros")
      .row({"id", "0", "0", "56"})
      .row({"name", "0", "0", "231"});
  auto sync = make({{"OPTION|table|zeros", ""}});
  std::string text;
  ASSERT_NO_FATAL_FAILURE(initialize_and_generate_one(sync.get(), &text));
  EXPECT_EQ(tsql::literals_in(text), expected) << text;
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(text.find("WHERE [id] = " + std::to_string(i + 1) + ";") != std::string::npos,
              cases[i].changed)
        << i << "\n"
        << text;
  EXPECT_EQ(text.find("INSERT"), std::string::npos) << text;
  EXPECT_EQ(text.find("DELETE"), std::string::npos) << text;

  auto holder = run_handle(sync.get());
  auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
      g_object_get_data(holder.get(), "progress"));
  EXPECT_EQ(progress->failed, 0);
  std::string sent;
  for (const auto& batch : received(target_server_, target_mark_))
    if (batch.find("UPDATE [dbo].[zeros]") != std::string::npos) sent += batch;
  EXPECT_EQ(tsql::literals_in(sent), expected) << sent;
  expect_valid_tsql(sent, "data patch");
}

TEST_F(UserdataSynchronizerTest, TableWithoutKeyGetsInsertsOnly) {
  auto sync = make({{"OPTION|table|nokey", ""}, {"OPTION|RESULT|CONTINUE", "true"}});
  GError* error = nullptr;
  tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()),
                                                 &error);
  ASSERT_EQ(error, nullptr) << error->message;
  auto holder = run_handle(sync.get());
  auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
      g_object_get_data(holder.get(), "progress"));
  EXPECT_EQ(progress->failed, 1);
  for (const auto& batch : received(target_server_, target_mark_)) {
    EXPECT_EQ(batch.find("UPDATE"), std::string::npos) << batch;
    EXPECT_EQ(batch.find("DELETE"), std::string::npos) << batch;
  }
}

std::vector<int> ids_matching(const std::string& text, const std::string& pattern) {
  std::vector<int> ids;
  const std::regex re(pattern);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
       ++it)
    ids.push_back(std::stoi((*it)[1]));
  return ids;
}

// Every count differs from the others: a keyed table with an identity
// column gets 3 rows inserted, 2 updated and 1 deleted; a keyless table has
// 1 changed and 3 deleted rows it cannot patch; a keyed table without an
// identity column gets 5 rows inserted without the identity switch.
TEST_F(UserdataSynchronizerTest, EachCountFromItsOwnRowsAndTheIdentitySwitchPerTable) {
  const std::vector<CatalogColumn> columns = {{"id", "int"}, {"name", "nvarchar", 80, 0, 0, true}};
  const std::vector<tds::Column> result = {{"id", "int"}, {"name", "nvarchar(40)", true}};
  script_table(source_server_, "dbo", "counts", columns, {"id"});
  script_table(source_server_, "dbo", "loose", columns, {});
  script_table(source_server_, "dbo", "plain", columns, {"id"});
  auto rows = [&](tds::Server& server, const char* table, std::vector<tds::Row> cells) {
    server.on_pattern(std::string("FROM \\[dbo\\]\\.\\[") + table + "\\]")
        .result(result)
        .rows(cells);
  };
  rows(source_server_, "counts",
       {{"1", "a"}, {"2", "b2"}, {"3", ""}, {"5", "e"}, {"6", "f"}, {"7", nullopt}});
  rows(target_server_, "counts", {{"1", "a"}, {"2", "b"}, {"3", nullopt}, {"9", "i"}});
  rows(source_server_, "loose", {{"1", "p"}});
  rows(target_server_, "loose", {{"1", "P"}, {"2", "Q"}, {"3", "R"}, {"4", "S"}});
  rows(source_server_, "plain", {{"1", "v"}, {"2", "w"}, {"3", "x"}, {"4", "y"}, {"5", "z"}});
  rows(target_server_, "plain", {});
  for (auto [table, identity] :
       {std::pair{"counts", "1"}, std::pair{"loose", "0"}, std::pair{"plain", "0"}})
    script_column_facts(target_server_, table)
        .row({"id", identity, "0", "56"})
        .row({"name", "0", "0", "231"});
  auto sync = make({{"OPTION|table|counts", ""},
                    {"OPTION|table|loose", ""},
                    {"OPTION|table|plain", ""},
                    {"OPTION|RESULT|CONTINUE", "true"}});
  GError* error = nullptr;
  tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()),
                                                 &error);
  ASSERT_EQ(error, nullptr) << error->message;

  auto holder = run_handle(sync.get());
  auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
      g_object_get_data(holder.get(), "progress"));
  EXPECT_EQ(progress->failed, 1);
  std::map<std::string, std::string> sent;
  for (const auto& batch : received(target_server_, target_mark_))
    for (const char* table : {"counts", "loose", "plain"})
      if (batch.find(std::string("[dbo].[") + table + "]") != std::string::npos &&
          batch.find("SELECT") == std::string::npos)
        sent[table] += batch;
  const std::string& counts = sent["counts"];
  EXPECT_EQ(ids_matching(counts, "\\n\\((\\d+), "), (std::vector<int>{5, 6, 7})) << counts;
  EXPECT_EQ(ids_matching(counts, "UPDATE \\[dbo\\]\\.\\[counts\\] SET .* WHERE \\[id\\] = (\\d+);"),
            (std::vector<int>{2, 3}))
      << counts;
  EXPECT_EQ(ids_matching(counts, "DELETE FROM \\[dbo\\]\\.\\[counts\\] WHERE \\[id\\] = (\\d+);"),
            (std::vector<int>{9}))
      << counts;
  EXPECT_NE(counts.find("SET IDENTITY_INSERT [dbo].[counts] ON;"), std::string::npos) << counts;
  EXPECT_EQ(sent["loose"], "");
  EXPECT_EQ(ids_matching(sent["plain"], "\\n\\((\\d+), "), (std::vector<int>{1, 2, 3, 4, 5}))
      << sent["plain"];
  EXPECT_EQ(sent["plain"].find("IDENTITY_INSERT"), std::string::npos) << sent["plain"];

  std::vector<std::string> reported;
  for (const auto& line : messages_of(progress))
    reported.push_back(line.substr(line.find(' ', line.find(' ') + 1) + 1));
  EXPECT_EQ(reported,
            (std::vector<std::string>{
                "dbo.counts: rows inserted 3, updated 2, deleted 1.",
                "The table dbo.loose has no key: 4 changed or deleted rows are not patched.",
                "dbo.loose: rows inserted 0, updated 0, deleted 0.",
                "dbo.plain: rows inserted 5, updated 0, deleted 0."}));
}

// `initialize` sets both data sets and says so, once each.
TEST_F(UserdataSynchronizerTest, InitializeNotifiesBothDataSets) {
  auto sync = make({{"OPTION|table|items", ""}});
  int notified[2] = {0, 0};
  auto count = +[](GObject*, GParamSpec*, gpointer n) { ++*static_cast<int*>(n); };
  g_signal_connect(sync.get(), "notify::dataset-source", G_CALLBACK(count), &notified[0]);
  g_signal_connect(sync.get(), "notify::dataset-target", G_CALLBACK(count), &notified[1]);
  GError* error = nullptr;
  tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()),
                                                 &error);
  ASSERT_EQ(error, nullptr) << error->message;
  EXPECT_EQ(notified[0], 1);
  EXPECT_EQ(notified[1], 1);
  GObject* source = nullptr;
  g_object_get(sync.get(), "dataset-source", &source, nullptr);
  EXPECT_EQ(
      source,
      G_OBJECT(tarvex_brevane_transform_userdata_synchronizer_get_dataset_source(sync.get())));
  EXPECT_NE(source, nullptr);
  if (source) g_object_unref(source);
}

// Columns only the target's server writes (a computed column, a row
// version) are neither read nor compared, and no statement writes them:
// the server would refuse the whole batch. A computed key column is kept,
// as rows are matched by it. Without the target's answer every column is
// read, as before.
TEST_F(UserdataSynchronizerTest, ColumnsTheServerWritesAreLeftOut) {
  const std::vector<CatalogColumn> columns = {{"id", "int"},
                                              {"name", "nvarchar", 80, 0, 0, true},
                                              {"total", "int", 4, 10, 0, true},
                                              {"ver", "timestamp", 8, 0, 0, false}};
  script_table(source_server_, "dbo", "stamps", columns, {"id"});
  const std::vector<tds::Column> result = {{"id", "int"}, {"name", "nvarchar(40)", true}};
  source_server_.on_pattern("FROM \\[dbo\\]\\.\\[stamps\\] ORDER BY \\[id\\]")
      .result(result)
      .row({"1", "a"})
      .row({"2", "b"});
  target_server_.on_pattern("FROM \\[dbo\\]\\.\\[stamps\\] ORDER BY \\[id\\]")
      .result(result)
      .row({"1", "x"});
  script_column_facts(target_server_, "stamps")
      .row({"id", "0", "0", "56"})
      .row({"name", "0", "0", "231"})
      .row({"total", "0", "1", "56"})
      .row({"ver", "0", "0", "189"});
  auto sync = make({{"OPTION|table|stamps", ""}});
  std::string text;
  ASSERT_NO_FATAL_FAILURE(initialize_and_generate_one(sync.get(), &text));
  EXPECT_NE(text.find("UPDATE [dbo].[stamps] SET [name] = N'a' WHERE [id] = 1;"), std::string::npos)
      << text;
  EXPECT_NE(text.find("INSERT INTO [dbo].[stamps] ([id], [name]) VALUES\n(2, N'b')"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("IDENTITY_INSERT"), std::string::npos) << text;
  for (tds::Server* server : {&source_server_, &target_server_})
    for (const auto& batch : received(*server))
      if (batch.find("[stamps]") != std::string::npos) {
        EXPECT_EQ(batch.find("[total]"), std::string::npos) << batch;
        EXPECT_EQ(batch.find("[ver]"), std::string::npos) << batch;
      }
}

TEST_F(UserdataSynchronizerTest, EqualSetsGiveNothingToRun) {
  auto sync = make({});
  GError* error = nullptr;
  tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()),
                                                 &error);
  ASSERT_EQ(error, nullptr);
  auto list = adoptGRef(tarvex_brevane_transform_isynchronize_generate(
      TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
  EXPECT_EQ(gee_collection_get_size(GEE_COLLECTION(list.get())), 0);
  EXPECT_EQ(tarvex_brevane_transform_isynchronize_preview(
                TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error),
            nullptr);
  auto holder = run_handle(sync.get());
  auto* progress = static_cast<TarvexBrevaneContractsThreadProgress*>(
      g_object_get_data(holder.get(), "progress"));
  EXPECT_EQ(progress->finished, 1);
  EXPECT_EQ(progress->processed, 0);
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_transform_userdata_synchronizer_new(nullptr), nullptr),
                  "_options != NULL");
}

}  // namespace
}  // namespace tarvex::test::transform
