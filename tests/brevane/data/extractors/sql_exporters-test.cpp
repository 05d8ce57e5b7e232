// SQL exporters: the T-SQL parser reads every statement.
#include <gee.h>

#include "tests/brevane/data/data-test.h"
#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/tsql-literal.h"

namespace tarvex::test::data {
namespace {

class SqlExportersTest : public LogCaptureTest {};

TEST_F(SqlExportersTest, SqlStatementsParseAndQuote) {
  Sample s = every_kind_sample(true);
  auto insert =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_sql_insert_extractor_new()));
  auto update =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_sql_update_extractor_new()));
  for (auto* e : {insert.get(), update.get()}) {
    EXPECT_STREQ(tarvex_brevane_contracts_data_iexporter_get_file_extention(EX(e)), "sql");
    set_option(e, "TABLENAME", "Order ]details[");
    set_option(e, "SCHEMANAME", "sales's");
  }
  set_option(update.get(), "PRIMARY_KEYS", "id,big");
  GUniqueError error;
  gint count = 0;
  std::string inserts = export_with(insert.get(), s.model.get(), &count, error.out());
  ASSERT_FALSE(error);
  EXPECT_EQ(count, gint(s.texts.size()));
  std::string updates = export_with(update.get(), s.model.get(), &count, error.out());
  ASSERT_FALSE(error);
  EXPECT_EQ(count, gint(s.texts.size()));
  auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t at; (at = text.find(";\n", start)) != std::string::npos; start = at + 2)
      out.push_back(text.substr(start, at + 1 - start));
    return out;
  };
  auto insert_lines = lines(inserts);
  auto update_lines = lines(updates);
  ASSERT_EQ(insert_lines.size(), s.texts.size());
  ASSERT_EQ(update_lines.size(), s.texts.size());
  EXPECT_EQ(insert_lines[0],
            "INSERT INTO [sales's].[Order ]]details[] ([id], [big], [tiny], [flag], [amount], "
            "[price], [ratio], [real], [day], [at], [stamp], [label, \"quoted\"], [Größe ]]x[], "
            "[data], [tag]) VALUES (2147483647, -9223372036854775808, 255, 1, "
            "-12345678901234567890123456.789012345678, -922337203685477.6, 0.1, 1.5, "
            "N'2024-02-29', N'23:59:59.5', N'2024-02-29 23:59:59.123456-08:00', N'He said \"hi\", "
            "then left', N'Grüße 😀 ∑', 0x00FF41, N'6f9619ff-8b86-d011-b42d-00c04fc964ff');");
  EXPECT_EQ(update_lines[1].rfind("UPDATE [sales's].[Order ]]details[] SET [tiny] = NULL,", 0), 0u)
      << update_lines[1];
  EXPECT_NE(update_lines[1].find(" WHERE [id] = -1 AND [big] IS NULL;"), std::string::npos)
      << update_lines[1];
  std::vector<TsqlText> texts;
  for (const auto& l : insert_lines) texts.push_back({"insert", l});
  for (const auto& l : update_lines) texts.push_back({"update", l});
  expect_valid_tsql(texts);
}

TEST_F(SqlExportersTest, SqlWithoutTableNameIsAnError) {
  auto insert =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_sql_insert_extractor_new()));
  auto model = string_model({"a"}, {{"1"}});
  GUniqueError error;
  gint count = 0;
  export_with(insert.get(), model.get(), &count, error.out());
  EXPECT_EQ(count, -1);
  EXPECT_GERROR(error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_OPTION);
}

TEST_F(SqlExportersTest, UpdateKeyedOnTheFirstColumnByDefault) {
  auto update =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_sql_update_extractor_new()));
  set_option(update.get(), "TABLENAME", "t");
  auto model = string_model({"a", "b"}, {{"1", "x'y"}, {std::nullopt, "z"}});
  EXPECT_EQ(export_with(update.get(), model.get()),
            "UPDATE [t] SET [b] = N'x''y' WHERE [a] = N'1';\n"
            "UPDATE [t] SET [b] = N'z' WHERE [a] IS NULL;\n");
}

// Every hostile text reads back exactly from both exports (a value holds a
// C text: it ends at a zero character), on no line a script tool splits
// at and with no backslash before a line break.
TEST_F(SqlExportersTest, HostileTextsReadBackExactly) {
  const auto hostile = tsql::hostile_texts();
  Cells rows;
  for (size_t i = 0; i < hostile.size(); ++i)
    rows.push_back({std::to_string(i + 1), hostile[i].text});
  auto model = string_model({"id", "name"}, rows);
  auto insert =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_sql_insert_extractor_new()));
  auto update =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_sql_update_extractor_new()));
  for (auto* e : {insert.get(), update.get()}) {
    set_option(e, "TABLENAME", "t");
    set_option(e, "SCHEMANAME", "dbo");
  }
  GUniqueError error;
  gint count = 0;
  const std::string inserts = export_with(insert.get(), model.get(), &count, error.out());
  ASSERT_FALSE(error);
  EXPECT_EQ(count, gint(hostile.size()));
  const std::string updates = export_with(update.get(), model.get(), &count, error.out());
  ASSERT_FALSE(error);
  std::vector<std::string> inserted, updated;
  for (size_t i = 0; i < hostile.size(); ++i) {
    const std::string id = std::to_string(i + 1), text = hostile[i].text.c_str();
    inserted.insert(inserted.end(), {id, text});
    updated.insert(updated.end(), {text, id});  // SET name, WHERE id
  }
  EXPECT_EQ(tsql::literals_in(inserts), inserted);
  EXPECT_EQ(tsql::literals_in(updates), updated);
  for (const std::string* text : {&inserts, &updates}) {
    EXPECT_TRUE(tsql::separator_lines(*text).empty()) << *text;
    EXPECT_FALSE(tsql::has_backslash_before_break(*text)) << *text;
  }
  // One statement a row, each on a line of its own start.
  size_t statements = 0;
  for (size_t at = 0; (at = inserts.find("INSERT INTO [dbo].[t] ([id], [name]) VALUES (", at)) !=
                      std::string::npos;
       ++at)
    ++statements;
  EXPECT_EQ(statements, hostile.size());
  expect_valid_tsql({{"insert export", inserts}, {"update export", updates}});
}

}  // namespace
}  // namespace tarvex::test::data
