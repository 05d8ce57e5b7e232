// UserdataSynchronizer: keyed tables of two scripted servers compared and
// the target's rows patched by key.
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
    const std::vector<CatalogColumn> columns = {{"id", "int"}, {"name", "nvarchar", 80, 0, 0, true}};
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
    target_server_.on_pattern("sys\\.identity_columns.*\\[items\\]")
        .result({{"n", "int"}})
        .row({"1"});
    source_server_.on_pattern("FROM \\[dbo\\]\\.\\[nokey\\]").result(result).row({"1", "x"}).row({"5", "new"});
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
};

TEST_F(UserdataSynchronizerTest, KeyedRowsAreInsertedUpdatedAndDeletedByKey) {
  auto sync = make({{"OPTION|table|items", ""}});
  GError* error = nullptr;
  tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()), &error);
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
  EXPECT_NE(text.find("INSERT INTO [dbo].[items] ([id], [name]) VALUES\n(4, NULL)"), std::string::npos)
      << text;
  EXPECT_NE(text.find("SET IDENTITY_INSERT [dbo].[items] ON;"), std::string::npos) << text;
  EXPECT_EQ(text.find("[id] = 1"), std::string::npos) << text;

  auto holder = run_handle(sync.get());
  auto* progress =
      static_cast<TarvexBrevaneContractsThreadProgress*>(g_object_get_data(holder.get(), "progress"));
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
// differ in the target (UPDATE), even ids are new (INSERT). A server cell
// and a value object hold no zero character (a value is a C text): each
// text is sent up to its first one.
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
    source_rows.row({id, std::string(hostile[i].text.c_str())});
    if ((i + 1) % 2) {
      target_rows.row({id, "old"});
      updated.push_back(hostile[i].text.c_str());
    } else {
      inserted.push_back(hostile[i].text.c_str());
    }
  }
  target_server_.on_pattern("sys\\.identity_columns.*\\[notes\\]")
      .result({{"n", "int"}})
      .row({"0"});
  auto sync = make({{"OPTION|table|notes", ""}});
  GError* error = nullptr;
  tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()),
                                                 &error);
  ASSERT_EQ(error, nullptr) << error->message;
  auto list = adoptGRef(tarvex_brevane_transform_isynchronize_generate(
      TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
  ASSERT_EQ(error, nullptr) << error->message;
  ASSERT_EQ(gee_collection_get_size(GEE_COLLECTION(list.get())), 1);
  const std::string text = take(static_cast<gchar*>(gee_list_get(list.get(), 0)));
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

TEST_F(UserdataSynchronizerTest, TableWithoutKeyGetsInsertsOnly) {
  auto sync = make({{"OPTION|table|nokey", ""}, {"OPTION|RESULT|CONTINUE", "true"}});
  GError* error = nullptr;
  tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()), &error);
  ASSERT_EQ(error, nullptr) << error->message;
  auto holder = run_handle(sync.get());
  auto* progress =
      static_cast<TarvexBrevaneContractsThreadProgress*>(g_object_get_data(holder.get(), "progress"));
  EXPECT_EQ(progress->failed, 1);
  for (const auto& batch : received(target_server_, target_mark_)) {
    EXPECT_EQ(batch.find("UPDATE"), std::string::npos) << batch;
    EXPECT_EQ(batch.find("DELETE"), std::string::npos) << batch;
  }
}

TEST_F(UserdataSynchronizerTest, EqualSetsGiveNothingToRun) {
  auto sync = make({});
  GError* error = nullptr;
  tarvex_brevane_transform_itransform_initialize(TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get()), &error);
  ASSERT_EQ(error, nullptr);
  auto list = adoptGRef(tarvex_brevane_transform_isynchronize_generate(
      TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
  EXPECT_EQ(gee_collection_get_size(GEE_COLLECTION(list.get())), 0);
  EXPECT_EQ(tarvex_brevane_transform_isynchronize_preview(TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error),
            nullptr);
  auto holder = run_handle(sync.get());
  auto* progress =
      static_cast<TarvexBrevaneContractsThreadProgress*>(g_object_get_data(holder.get(), "progress"));
  EXPECT_EQ(progress->finished, 1);
  EXPECT_EQ(progress->processed, 0);
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_transform_userdata_synchronizer_new(nullptr), nullptr),
                  "_options != NULL");
}

}  // namespace
}  // namespace tarvex::test::transform
