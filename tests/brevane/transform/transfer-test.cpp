// Transfer: a source database copied to a target over real TDS, checked
// from the batches each scripted server received.
#include <algorithm>
#include <map>
#include <regex>
#include <set>

#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/brevane/transform/transform-test.h"
#include "tests/support/tds-catalog.h"
#include "tests/support/tsql-literal.h"

namespace tarvex::test::transform {
namespace {

using Transfer = TarvexBrevaneTransformTransfer;
using std::nullopt;

const std::vector<CatalogColumn> kOrderColumns = {
    {"id", "int"},
    {"name", "nvarchar", 80, 0, 0, true},
    {"amount", "decimal", 17, 38, 4, true},
};

// The ids of the rows a batch inserts: each row of a VALUES list stands on
// its own line and starts with its id.
std::vector<int> inserted_ids(const std::string& batch) {
  std::vector<int> ids;
  static const std::regex row("(?:^|\n)\\((\\d+),");
  for (auto it = std::sregex_iterator(batch.begin(), batch.end(), row);
       it != std::sregex_iterator(); ++it)
    ids.push_back(std::stoi((*it)[1]));
  return ids;
}

class TransferTest : public TransformTest {
 protected:
  // `total` rows of dbo.orders, answered a page of `page` rows at a time.
  void script_orders(int total, int page, const std::string& table = "orders") {
    script_table(source_server_, "dbo", table, kOrderColumns, {"id"});
    source_server_.on_pattern("SELECT count\\(\\*\\) FROM \\[dbo\\]\\.\\[" + table + "\\]")
        .result({{"n", "int"}})
        .row({std::to_string(total)});
    for (int offset = 0; offset < total; offset += page) {
      auto& rows =
          source_server_
              .on_pattern("FROM \\[dbo\\]\\.\\[" + table + "\\].*OFFSET " + std::to_string(offset) +
                          " ROWS FETCH NEXT " + std::to_string(page) + " ROWS ONLY")
              .result({{"id", "int"},
                       {"name", "nvarchar(80)", true},
                       {"amount", "nvarchar(64)", true}});
      for (int id = offset + 1; id <= std::min(total, offset + page); ++id) {
        std::optional<std::string> name = "n" + std::to_string(id);
        std::optional<std::string> amount = std::to_string(id) + ".5";
        if (id == 1) name = "O'Brien [x] 😀", amount = "1234567890123456789012345678901234.5678";
        if (id == 2) name = nullopt, amount = nullopt;
        if (id == 3) name = "";
        rows.row({std::to_string(id), name, amount});
      }
    }
    // The target's catalog: the key is an identity column.
    target_server_.on_pattern("FROM sys\\.columns c WHERE c\\.object_id = OBJECT_ID")
        .result({{"name", "sysname"},
                 {"is_identity", "bit"},
                 {"is_computed", "bit"},
                 {"system_type_id", "tinyint"}})
        .row({"id", "1", "0", "56"})
        .row({"title", "0", "0", "231"})
        .row({"amount", "0", "0", "106"});
  }

  GRef<Transfer> make(const std::vector<std::pair<std::string, std::string>>& entries) {
    auto all = entries;
    all.push_back({"OPTION|SOURCE|DATABASE", "shop"});
    auto map = options(all);
    auto transfer = adoptGRef(tarvex_brevane_transform_transfer_new(map.get()));
    auto* it = TARVEX_BREVANE_TRANSFORM_ITRANSFORM(transfer.get());
    tarvex_brevane_transform_itransform_set_server_source(it, source());
    tarvex_brevane_transform_itransform_set_server_target(it, target());
    return transfer;
  }

  static TarvexBrevaneContractsThreadProgress* progress_of(GObject* holder) {
    return static_cast<TarvexBrevaneContractsThreadProgress*>(
        g_object_get_data(holder, "progress"));
  }
};

// 250 rows in pages of 100: three ordered page queries, each row inserted
// exactly once into the renamed target, identity values kept.
TEST_F(TransferTest, PagesInKeyOrderInsertEachRowOnce) {
  script_schema(source_server_, "dbo", {{"orders", "U "}});
  script_orders(250, 100);
  auto transfer = make({{"schema|dbo|MODE", "true"},
                        {"schema|dbo|NAME", "sales2"},
                        {"table|orders|MODE", "true"},
                        {"table|orders|NAME", "orders_copy"},
                        {"table|orders|FIELDS", "id=id;name=title;amount=amount"},
                        {"table|orders|BATCH", "100"}});
  std::vector<gint64> seen;
  auto holder = run_handle(transfer.get(), &seen);
  auto* progress = progress_of(holder.get());
  EXPECT_EQ(progress->finished, 1);
  EXPECT_EQ(progress->failed, 0) << ::testing::PrintToString(messages_of(progress));
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_LE(seen[i - 1], seen[i]);

  std::vector<std::string> pages;
  for (const auto& batch : received(source_server_, source_mark_))
    if (batch.find("FETCH NEXT") != std::string::npos) pages.push_back(batch);
  ASSERT_EQ(pages.size(), 3u);
  for (size_t i = 0; i < pages.size(); ++i) {
    EXPECT_NE(pages[i].find("ORDER BY [id] OFFSET " + std::to_string(i * 100) + " ROWS"),
              std::string::npos)
        << pages[i];
    // The decimal travels as the server's exact text.
    EXPECT_NE(pages[i].find("CONVERT(NVARCHAR(64), [amount]) AS [amount]"), std::string::npos);
  }

  std::map<int, int> times;
  std::vector<TsqlText> texts;
  int insert_batches = 0;
  bool emptied_target = false;
  for (const auto& batch : received(target_server_, target_mark_)) {
    texts.push_back({"target batch", batch});
    if (batch.find("DELETE FROM [sales2].[orders_copy];") != std::string::npos)
      emptied_target = true;
    EXPECT_EQ(batch.find("[dbo].[orders]"), std::string::npos) << batch;
    if (batch.find("INSERT INTO") == std::string::npos) continue;
    ++insert_batches;
    EXPECT_NE(batch.find("INSERT INTO [sales2].[orders_copy] ([id], [title], [amount]) VALUES"),
              std::string::npos)
        << batch;
    EXPECT_EQ(batch.rfind("SET IDENTITY_INSERT [sales2].[orders_copy] ON;", 0), 0u) << batch;
    EXPECT_NE(batch.find("SET IDENTITY_INSERT [sales2].[orders_copy] OFF;"), std::string::npos);
    for (int id : inserted_ids(batch)) times[id]++;
  }
  EXPECT_TRUE(emptied_target);
  EXPECT_EQ(insert_batches, 3);
  ASSERT_EQ(times.size(), 250u);
  for (const auto& [id, count] : times) EXPECT_EQ(count, 1) << id;

  // Lossless literals, NULL and empty side by side.
  std::string all;
  for (const auto& t : texts) all += t.text;
  EXPECT_NE(all.find("(1, N'O''Brien [x] 😀', N'1234567890123456789012345678901234.5678')"),
            std::string::npos);
  EXPECT_NE(all.find("(2, NULL, NULL)"), std::string::npos);
  EXPECT_NE(all.find("(3, N'', N'3.5')"), std::string::npos);
  expect_valid_tsql(texts);
}

// Exactly at, one below and one above the 1,000 rows of a VALUES list;
// each list is a batch of its own.
TEST_F(TransferTest, ValuesListsHoldAtMostAThousandRows) {
  struct Case {
    int rows;
    int lists;
  };
  for (const Case c : {Case{999, 1}, Case{1000, 1}, Case{1001, 2}}) {
    SCOPED_TRACE(c.rows);
    const std::string table = "t" + std::to_string(c.rows);
    script_schema(source_server_, "dbo", {{table, "U "}});
    script_orders(c.rows, 2000, table);
    size_t mark = target_server_.batch_texts().size();
    auto transfer = make({{"schema|dbo|MODE", "x"},
                          {"table|" + table + "|MODE", "true"},
                          {"table|" + table + "|BATCH", "2000"}});
    // The source and target are two servers: a renamed-less copy is fine.
    run_handle(transfer.get());
    int lists = 0, batches = 0;
    std::set<int> ids;
    for (const auto& batch : received(target_server_, mark)) {
      if (batch.find("INSERT INTO") == std::string::npos) continue;
      ++batches;
      for (size_t p = batch.find("INSERT INTO"); p != std::string::npos;
           p = batch.find("INSERT INTO", p + 1))
        ++lists;
      for (int id : inserted_ids(batch)) ids.insert(id);
    }
    EXPECT_EQ(batches, c.lists);
    EXPECT_EQ(lists, c.lists);
    EXPECT_EQ(int(ids.size()), c.rows);
  }
}

// The target refuses every statement holding row 7 or row 20 (the last):
// the rows of a refused statement go again by halves, so that exactly those
// two rows fail, each named by its key with the server's message, and every
// other row is inserted once.
TEST_F(TransferTest, RefusedRowsFailAloneAndTheirNeighboursAreCopied) {
  script_schema(source_server_, "dbo", {{"orders", "U "}});
  script_orders(20, 1000);
  target_server_.on_pattern("(?s)INSERT INTO \\[dbo\\]\\.\\[orders\\].*\n\\((7|20), ")
      .error(547, 16, "The INSERT statement conflicted with the CHECK constraint \"CK_orders\".");
  auto transfer = make({{"schema|dbo|MODE", "true"}, {"table|orders|MODE", "true"}});
  auto holder = run_handle(transfer.get());
  auto* progress = progress_of(holder.get());
  EXPECT_EQ(progress->failed, 2) << ::testing::PrintToString(messages_of(progress));

  std::map<int, int> copied;
  std::set<int> refused_alone;
  for (const auto& batch : received(target_server_, target_mark_)) {
    if (batch.find("INSERT INTO") == std::string::npos) continue;
    const auto ids = inserted_ids(batch);
    const bool refused =
        std::count(ids.begin(), ids.end(), 7) || std::count(ids.begin(), ids.end(), 20);
    if (refused && ids.size() == 1) refused_alone.insert(ids[0]);
    if (!refused)
      for (int id : ids) copied[id]++;
  }
  EXPECT_EQ(refused_alone, (std::set<int>{7, 20}));
  ASSERT_EQ(copied.size(), 18u);
  for (const auto& [id, count] : copied) EXPECT_EQ(count, 1) << id;

  std::vector<std::string> failures;
  std::string table_line;
  for (const auto& line : messages_of(progress)) {
    if (line.find("CK_orders") != std::string::npos) failures.push_back(line);
    if (line.find("transfer table data shop.dbo.orders") != std::string::npos) table_line = line;
  }
  ASSERT_EQ(failures.size(), 2u) << ::testing::PrintToString(messages_of(progress));
  EXPECT_NE(failures[0].find("[id] = 7"), std::string::npos) << failures[0];
  EXPECT_NE(failures[1].find("[id] = 20"), std::string::npos) << failures[1];
  EXPECT_EQ(table_line.find("[done]"), std::string::npos) << table_line;
  EXPECT_NE(table_line.find("2 rows failed"), std::string::npos) << table_line;
}

// The identity switch: the target's catalog decides; the source's flag (a
// current identity value in its catalog) stands only when the target's
// column read fails or returns nothing.
TEST_F(TransferTest, IdentitySwitchFromTheTargetElseFromTheSource) {
  enum Target { kFails, kNothing, kPlain, kIdentity };
  struct Case {
    const char* table;
    bool source_identity;
    Target target;
    bool expected;
  };
  const Case cases[] = {
      {"src_fails", true, kFails, true},        {"src_nothing", true, kNothing, true},
      {"src_plain", true, kPlain, false},       {"none_fails", false, kFails, false},
      {"none_nothing", false, kNothing, false}, {"tgt_identity", false, kIdentity, true},
  };
  const std::vector<tds::Column> described = {{"name", "sysname"},
                                              {"is_identity", "bit"},
                                              {"is_computed", "bit"},
                                              {"system_type_id", "tinyint"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.table);
    script_schema(source_server_, "dbo", {{c.table, "U "}});
    script_orders(3, 1000, c.table);
    source_server_
        .on_pattern(std::string("IDENT_CURRENT\\(QUOTENAME.*ao\\.name=N'") + c.table + "'")
        .result({{"lock_escalation", "tinyint", true},
                 {"is_track_columns_updated_on", "bit", true},
                 {"current_value", "numeric(38,0)", true},
                 {"comment", "nvarchar(max)", true}})
        .row({nullopt, nullopt, c.source_identity ? std::optional<std::string>("42") : nullopt,
              nullopt});
    auto& read = target_server_.on_pattern(
        std::string("FROM sys\\.columns c WHERE c\\.object_id = OBJECT_ID\\(N'\\[dbo\\]\\.\\[") +
        c.table + "\\]'\\)");
    if (c.target == kFails)
      read.error(229, 14, "The SELECT permission was denied on the object 'columns'.");
    else if (c.target == kNothing)
      read.result(described);
    else
      read.result(described)
          .row({"id", c.target == kIdentity ? "1" : "0", "0", "56"})
          .row({"name", "0", "0", "231"});
    size_t mark = target_server_.batch_texts().size();
    auto transfer =
        make({{"schema|dbo|MODE", "true"}, {"table|" + std::string(c.table) + "|MODE", "true"}});
    auto holder = run_handle(transfer.get());
    EXPECT_EQ(progress_of(holder.get())->failed, 0)
        << ::testing::PrintToString(messages_of(progress_of(holder.get())));
    int inserts = 0;
    for (const auto& batch : received(target_server_, mark)) {
      if (batch.find("INSERT INTO") == std::string::npos) continue;
      ++inserts;
      EXPECT_EQ(batch.find("SET IDENTITY_INSERT [dbo].[" + std::string(c.table) + "] ON;") !=
                    std::string::npos,
                c.expected)
          << batch;
    }
    EXPECT_EQ(inserts, 1);
  }
}

TEST_F(TransferTest, RefusesThePageSizeZeroAndTheSourceAsTarget) {
  script_schema(source_server_, "dbo", {{"orders", "U "}});
  script_orders(10, 10);
  {
    auto transfer = make({{"schema|dbo|MODE", "true"},
                          {"table|orders|MODE", "true"},
                          {"table|orders|BATCH", "0"},
                          {"OPTION|RESULT|CONTINUE", "true"}});
    auto holder = run_handle(transfer.get());
    EXPECT_EQ(progress_of(holder.get())->failed, 1);
    for (const auto& batch : received(source_server_, source_mark_))
      EXPECT_EQ(batch.find("FETCH NEXT"), std::string::npos);
  }
  {
    // One connection on both sides, the same names: emptying the target
    // would empty the source.
    size_t mark = source_server_.batch_texts().size();
    auto map = options({{"schema|dbo|MODE", "true"},
                        {"table|orders|MODE", "true"},
                        {"OPTION|SOURCE|DATABASE", "shop"}});
    auto transfer = adoptGRef(tarvex_brevane_transform_transfer_new(map.get()));
    auto* it = TARVEX_BREVANE_TRANSFORM_ITRANSFORM(transfer.get());
    tarvex_brevane_transform_itransform_set_server_source(it, source());
    tarvex_brevane_transform_itransform_set_server_target(it, source());
    auto holder = run_handle(transfer.get());
    EXPECT_GE(progress_of(holder.get())->failed, 1);
    for (const auto& batch : received(source_server_, mark)) {
      EXPECT_EQ(batch.find("DELETE FROM"), std::string::npos) << batch;
      EXPECT_EQ(batch.find("INSERT INTO"), std::string::npos) << batch;
    }
  }
}

// Foreign keys: the referenced table is loaded first; a view becomes a table with the
// catalog's column types and is no longer created as a view.
TEST_F(TransferTest, ForeignKeysViewToTableAndDropPhase) {
  script_schema(source_server_, "dbo", {{"child", "U "}, {"parent", "U "}, {"v_sum", "V "}});
  script_table(source_server_, "dbo", "child", {{"id", "int"}, {"parent_id", "int"}}, {"id"},
               {{"FK_child_parent", "parent_id", "parent", "id"}});
  script_table(source_server_, "dbo", "parent", {{"id", "int"}}, {"id"});
  script_table(source_server_, "dbo", "v_sum",
               {{"total", "bigint", 8, 19}, {"label", "nvarchar", 40, 0, 0, true}}, {});
  source_server_.on_pattern("sys\\.all_views av.*av\\.name=N'v_sum'")
      .result({{"definition", "nvarchar(max)", true}})
      .row({"CREATE VIEW [dbo].[v_sum] AS SELECT 1 AS total, N'x' AS label"});
  for (const char* t : {"child", "parent"}) {
    source_server_.on_pattern(std::string("SELECT count\\(\\*\\) FROM \\[dbo\\]\\.\\[") + t + "\\]")
        .result({{"n", "int"}})
        .row({"1"});
  }
  source_server_.on_pattern("FROM \\[dbo\\]\\.\\[child\\].*FETCH")
      .result({{"id", "int"}, {"parent_id", "int"}})
      .row({"7", "1"});
  source_server_.on_pattern("FROM \\[dbo\\]\\.\\[parent\\].*FETCH")
      .result({{"id", "int"}})
      .row({"1"});
  auto transfer = make({{"schema|dbo|MODE", "true"},
                        {"table|child|MODE", "false"},
                        {"table|parent|MODE", "true"},
                        {"table|v_sum|MODE", "true"},
                        {"table|v_sum|VIEW2TABLE", "true"},
                        {"OPTION|RESULT|DROP_OBJECT", "true"}});
  auto holder = run_handle(transfer.get());
  auto* progress = progress_of(holder.get());
  EXPECT_EQ(progress->failed, 0) << ::testing::PrintToString(messages_of(progress));

  auto batches = received(target_server_, target_mark_);
  auto index_of = [&](const std::string& needle) {
    for (size_t i = 0; i < batches.size(); ++i)
      if (batches[i].find(needle) != std::string::npos) return int(i);
    return -1;
  };
  std::vector<TsqlText> texts;
  for (const auto& b : batches) {
    texts.push_back({"target batch", b});
    EXPECT_EQ(b.find("DROP SCHEMA"), std::string::npos) << b;
    EXPECT_EQ(b.find("CREATE VIEW"), std::string::npos) << b;
  }
  // Dependents are dropped first, referenced tables created and loaded first.
  EXPECT_LT(index_of("DROP TABLE IF EXISTS [dbo].[child]"),
            index_of("DROP TABLE IF EXISTS [dbo].[parent]"));
  EXPECT_GE(index_of("IF SCHEMA_ID(N'dbo') IS NULL"), 0);
  EXPECT_GE(index_of("CREATE TABLE [dbo].[v_sum]"), 0);
  EXPECT_NE(batches[index_of("CREATE TABLE [dbo].[v_sum]")].find("BIGINT"), std::string::npos);
  EXPECT_LT(index_of("INSERT INTO [dbo].[parent]"), index_of("INSERT INTO [dbo].[child]"));
  EXPECT_EQ(index_of("INSERT INTO [dbo].[v_sum]"), -1);
  expect_valid_tsql(texts);
}

// A failed count stops the run without the continue option and is only
// counted with it; a failed INSERT never stops it.
TEST_F(TransferTest, ContinueOnError) {
  script_schema(source_server_, "dbo", {{"orders", "U "}, {"bad", "U "}});
  script_orders(5, 1000);
  script_table(source_server_, "dbo", "bad", {{"id", "int"}}, {"id"});
  source_server_.on_pattern("SELECT count\\(\\*\\) FROM \\[dbo\\]\\.\\[bad\\]")
      .error(229, 14, "The SELECT permission was denied.");
  target_server_.on_pattern("INSERT INTO \\[dbo\\]\\.\\[orders\\]")
      .error(2627, 14, "Violation of PRIMARY KEY constraint.");
  for (const bool cont : {false, true}) {
    SCOPED_TRACE(cont);
    size_t mark = source_server_.batch_texts().size();
    std::vector<std::pair<std::string, std::string>> entries = {
        {"schema|dbo|MODE", "true"}, {"table|orders|MODE", "true"}, {"table|bad|MODE", "true"}};
    if (cont) entries.push_back({"OPTION|RESULT|CONTINUE", "true"});
    // Only the exact text "true" continues.
    else
      entries.push_back({"OPTION|RESULT|CONTINUE", "TRUE"});
    auto transfer = make(entries);
    auto holder = run_handle(transfer.get());
    auto* progress = progress_of(holder.get());
    EXPECT_EQ(progress->finished, 1);
    EXPECT_GE(progress->failed, 1);
    bool orders_read = false;
    for (const auto& batch : received(source_server_, mark))
      if (batch.find("FROM [dbo].[orders]") != std::string::npos &&
          batch.find("FETCH") != std::string::npos)
        orders_read = true;
    // Catalog order is orders, bad: the orders page is read either way;
    // its failed INSERT is counted and the run goes on to the next table.
    EXPECT_TRUE(orders_read);
  }
}

// Columns the server fills (computed, rowversion) are neither read nor
// written; date-times travel as the server's ISO text with all fractions.
TEST_F(TransferTest, ServerFilledColumnsSkippedAndDateTimesExact) {
  script_schema(source_server_, "dbo", {{"stamped", "U "}});
  script_table(source_server_, "dbo", "stamped",
               {{"id", "int"},
                {"total", "int"},
                {"ver", "timestamp", 8, 0},
                {"at", "datetime2", 8, 27, 7},
                {"zone", "datetimeoffset", 10, 34, 7}},
               {"id"});
  source_server_.on_pattern("SELECT count\\(\\*\\) FROM \\[dbo\\]\\.\\[stamped\\]")
      .result({{"n", "int"}})
      .row({"1"});
  source_server_.on_pattern("FROM \\[dbo\\]\\.\\[stamped\\].*FETCH")
      .result({{"id", "int"}, {"at", "nvarchar(64)"}, {"zone", "nvarchar(64)"}})
      .row({"1", "2024-02-29T13:14:15.1234567", "2024-02-29 13:14:15.1234567 -05:30"});
  script_column_facts(target_server_, "stamped")
      .row({"id", "0", "0", "56"})
      .row({"total", "0", "1", "56"})
      .row({"ver", "0", "0", "189"})
      .row({"at", "0", "0", "42"})
      .row({"zone", "0", "0", "43"});
  auto transfer = make({{"schema|dbo|MODE", "true"}, {"table|stamped|MODE", "true"}});
  auto holder = run_handle(transfer.get());
  EXPECT_EQ(progress_of(holder.get())->failed, 0);
  std::string page, insert;
  for (const auto& batch : received(source_server_, source_mark_))
    if (batch.find("FETCH") != std::string::npos) page = batch;
  for (const auto& batch : received(target_server_, target_mark_))
    if (batch.find("INSERT INTO") != std::string::npos) insert = batch;
  EXPECT_NE(page.find("CONVERT(NVARCHAR(64), [at], 126) AS [at]"), std::string::npos) << page;
  EXPECT_NE(page.find("CONVERT(NVARCHAR(64), [zone]) AS [zone]"), std::string::npos) << page;
  EXPECT_EQ(page.find("[total]"), std::string::npos) << page;
  EXPECT_EQ(page.find("[ver]"), std::string::npos) << page;
  EXPECT_NE(insert.find("INSERT INTO [dbo].[stamped] ([id], [at], [zone]) VALUES\n(1, "
                        "N'2024-02-29T13:14:15.1234567', N'2024-02-29 13:14:15.1234567 -05:30')"),
            std::string::npos)
      << insert;
  EXPECT_EQ(insert.find("IDENTITY_INSERT"), std::string::npos);
  expect_valid_tsql(insert, "insert");
}

// Hostile texts of a source row reach the target as literals that read
// back as the row's values, in an INSERT with no line a script tool splits
// at and no backslash before a line break. A U+0000 anywhere in a text
// travels with the rest of it.
TEST_F(TransferTest, HostileTextsArriveExactly) {
  const auto hostile = tsql::hostile_texts();
  script_schema(source_server_, "dbo", {{"notes", "U "}});
  script_table(source_server_, "dbo", "notes",
               {{"id", "int"}, {"body", "nvarchar", -1, 0, 0, true}}, {"id"});
  source_server_.on_pattern("SELECT count\\(\\*\\) FROM \\[dbo\\]\\.\\[notes\\]")
      .result({{"n", "int"}})
      .row({std::to_string(hostile.size())});
  auto& rows = source_server_.on_pattern("FROM \\[dbo\\]\\.\\[notes\\].*FETCH")
                   .result({{"id", "int"}, {"body", "nvarchar(max)", true}});
  for (size_t i = 0; i < hostile.size(); ++i) rows.row({std::to_string(i + 1), hostile[i].text});
  target_server_.on_pattern("FROM sys\\.columns c WHERE c\\.object_id = OBJECT_ID")
      .result({{"name", "sysname"},
               {"is_identity", "bit"},
               {"is_computed", "bit"},
               {"system_type_id", "tinyint"}})
      .row({"id", "0", "0", "56"})
      .row({"body", "0", "0", "231"});
  auto transfer = make({{"schema|dbo|MODE", "true"}, {"table|notes|MODE", "true"}});
  auto holder = run_handle(transfer.get());
  EXPECT_EQ(progress_of(holder.get())->failed, 0);
  std::string insert;
  for (const auto& batch : received(target_server_, target_mark_))
    if (batch.find("INSERT INTO") != std::string::npos) insert = batch;
  ASSERT_EQ(insert.rfind("INSERT INTO [dbo].[notes] ([id], [body]) VALUES\n(1, ", 0), 0u) << insert;
  std::vector<std::string> expected;
  for (const auto& h : hostile) expected.push_back(h.text);
  EXPECT_EQ(tsql::literals_in(insert), expected);
  for (size_t i = 0; i < hostile.size(); ++i)
    EXPECT_NE(insert.find((i ? ",\n(" : "VALUES\n(") + std::to_string(i + 1) + ", "),
              std::string::npos)
        << hostile[i].what;
  EXPECT_TRUE(tsql::separator_lines(insert).empty()) << insert;
  EXPECT_FALSE(tsql::has_backslash_before_break(insert)) << insert;
  expect_valid_tsql(insert, "insert");
}

TEST_F(TransferTest, PreconditionsAndNullOptions) {
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_transform_transfer_new(nullptr), nullptr),
                  "_options != NULL");
  auto map = options({});
  auto transfer = adoptGRef(tarvex_brevane_transform_transfer_new(map.get()));
  EXPECT_CRITICAL(tarvex_brevane_transform_itransform_handle(
                      TARVEX_BREVANE_TRANSFORM_ITRANSFORM(transfer.get())),
                  "server_source != NULL");
  EXPECT_CRITICAL(tarvex_brevane_transform_itransform_handle(nullptr), "self != NULL");
}

// The source's batches of a run that moves `moved` beside `others` tables
// nobody selected, each table empty.
class TransferReadsTest : public TransferTest {
 protected:
  std::vector<std::string> run_beside(const std::vector<std::string>& moved, int others) {
    namespace catalog = tarvex::test::catalog;
    catalog::Schema schema;
    schema.name = "dbo";
    for (const auto& name : moved) schema.tables.push_back(catalog::plain_table(name, 4));
    for (int i = 0; i < others; ++i)
      schema.tables.push_back(catalog::plain_table("other" + std::to_string(i), 6, "other0"));
    catalog::script(source_server_, schema);
    for (const auto& name : moved)
      source_server_.on_pattern("SELECT count\\(\\*\\) FROM \\[dbo\\]\\.\\[" + name + "\\]")
          .result({{"n", "int"}})
          .row({"0"});
    std::vector<std::pair<std::string, std::string>> entries = {{"schema|dbo|MODE", "true"}};
    for (const auto& name : moved) entries.push_back({"table|" + name + "|MODE", "true"});
    const size_t mark = source_server_.batch_texts().size();
    auto transfer = make(entries);
    auto holder = run_handle(transfer.get());
    auto* progress = progress_of(holder.get());
    EXPECT_EQ(progress->failed, 0) << ::testing::PrintToString(messages_of(progress));
    for (const auto& name : moved) {
      bool created = false;
      for (const auto& batch : received(target_server_, target_mark_))
        created = created || batch.find("CREATE TABLE [dbo].[" + name + "]") != std::string::npos;
      EXPECT_TRUE(created) << name;
    }
    return received(source_server_, mark);
  }
};

// Moving one table reads only that table: the same batches whether 0 or
// 200 other tables stand beside it, none of them naming another table.
TEST_F(TransferReadsTest, OneTableCostsTheSameBesideOtherTables) {
  const auto alone = run_beside({"moved"}, 0);
  const auto beside = run_beside({"moved"}, 200);
  EXPECT_EQ(alone.size(), beside.size());
  EXPECT_EQ(alone, beside);
  for (const auto& batch : beside) EXPECT_EQ(batch.find("other"), std::string::npos) << batch;
  // The table's own catalog queries, not the whole schema's.
  int own = 0;
  for (const auto& batch : beside)
    own += batch.find("OBJECT_NAME(ac.object_id) = N'moved'") != std::string::npos;
  EXPECT_EQ(own, 1);
}

// Moving several tables reads their schema's catalog once: the batches do
// not grow with the tables beside them, nor with the tables moved.
TEST_F(TransferReadsTest, SeveralTablesReadTheirSchemaOnce) {
  const auto three = run_beside({"a1", "a2", "a3"}, 0);
  const auto three_beside = run_beside({"b1", "b2", "b3"}, 200);
  const auto six = run_beside({"c1", "c2", "c3", "c4", "c5", "c6"}, 200);
  auto catalog_reads = [](const std::vector<std::string>& batches) {
    size_t n = 0;
    for (const auto& batch : batches)
      n += batch.find("count(*)") == std::string::npos && batch.find("FETCH") == std::string::npos;
    return n;
  };
  EXPECT_EQ(catalog_reads(three), catalog_reads(three_beside));
  EXPECT_EQ(catalog_reads(three), catalog_reads(six));
  for (const auto& batch : six)
    EXPECT_EQ(batch.find("AND OBJECT_NAME(ac.object_id)"), std::string::npos) << batch;
}

}  // namespace
}  // namespace tarvex::test::transform
