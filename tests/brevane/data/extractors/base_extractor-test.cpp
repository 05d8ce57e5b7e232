// Imports into a table over real TDS: hostile files reach the server only as
// the intended statements, every field checked against its column's kind;
// actions, keys and failures; the statement builders of the base.
#include <gee.h>

#include <chrono>
#include <cstring>

#include "tests/brevane/data/data-test.h"
#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/brevane/database/sqlserver/dialect-test.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/tsql-literal.h"

namespace tarvex::test::data {
namespace {

using MetaTable = TarvexBrevaneMetaModelMetaTable;
using Base = TarvexBrevaneSupportsDataExtractorsBaseExtractor;

struct Outcome {
  bool done = false;
  gint64 count = 0;
  GUniqueError error;
};

class ImportTest : public dialect::DialectTest {
 protected:
  void SetUp() override {
    DialectTest::SetUp();
    open();
    table_ =
        adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("master", "dbo", "we]ird"));
    column("Id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "id", true);
    column("Name", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, "name", false);
    column("Amount", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "amount", false);
    column("Done", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, "done", false);
    dsv_ = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv")));
    server_.on_pattern("^(INSERT|UPDATE|DELETE)").row_count(1);
  }

  void column(const char* name, TarvexProvidersContractsDataType type, const char* source,
              bool key) {
    auto c = adoptGRef(tarvex_brevane_meta_model_meta_table_new_column(table_.get(), name, type));
    tarvex_brevane_meta_model_meta_column_set_is_primary_key(c.get(), key);
    if (source) g_object_set_data_full(G_OBJECT(c.get()), "SOURCE", g_strdup(source), g_free);
  }

  struct Progress {
    std::vector<std::pair<guint, guint>> calls;
  };

  Outcome import_text(GObject* extractor, const std::string& text, Progress* progress = nullptr) {
    Outcome outcome;
    tarvex_brevane_contracts_data_iimporter_import_from_text(
        IM(extractor), text.c_str(), iconn(), table_.get(),
        progress
            ? +[](guint total, guint position, const gchar*,
                  gpointer
                      target) { static_cast<Progress*>(target)->calls.push_back({total, position}); }
            : nullptr,
        progress,
        +[](GObject* source, GAsyncResult* result, gpointer data) {
          auto* o = static_cast<Outcome*>(data);
          o->count = tarvex_brevane_contracts_data_iimporter_import_from_text_finish(
              IM(source), result, o->error.out());
          o->done = true;
        },
        &outcome);
    while (!outcome.done) g_main_context_iteration(nullptr, TRUE);
    return outcome;
  }

  Outcome import_file(GObject* extractor, const std::string& path) {
    set_option(extractor, "FILENAME", path.c_str());
    Outcome outcome;
    tarvex_brevane_contracts_data_iimporter_import_from_file(
        IM(extractor), iconn(), table_.get(), nullptr, nullptr,
        +[](GObject* source, GAsyncResult* result, gpointer data) {
          auto* o = static_cast<Outcome*>(data);
          o->count = tarvex_brevane_contracts_data_iimporter_import_from_file_finish(
              IM(source), result, o->error.out());
          o->done = true;
        },
        &outcome);
    while (!outcome.done) g_main_context_iteration(nullptr, TRUE);
    return outcome;
  }

  // Whether the outcome's error says every one of `parts`.
  static ::testing::AssertionResult has(const Outcome& o,
                                        std::initializer_list<const char*> parts) {
    if (!o.error) return ::testing::AssertionFailure() << "no error";
    for (const char* part : parts)
      if (!std::strstr(o.error->message, part))
        return ::testing::AssertionFailure() << "\"" << part << "\" not in: " << o.error->message;
    return ::testing::AssertionSuccess();
  }

  GRef<MetaTable> table_;
  GRef<GObject> dsv_;
};

GRef<GObject> importer(const char* kind) {
  if (std::string(kind) == "json")
    return adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_json_extractor_new("json")));
  if (std::string(kind) == "xml")
    return adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_xml_extractor_new("xml")));
  return adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv")));
}

// The same records (id 1 to `n`, name "n<id>") in each importing format.
std::string records_in(const char* kind, int n) {
  std::string out;
  std::string format = kind;
  if (format == "csv") out = "id,name\n";
  if (format == "json") out = "{\"RECORDS\": [";
  if (format == "xml") out = "<?xml version=\"1.0\"?>\n<RECORDS>\n";
  for (int i = 1; i <= n; ++i) {
    std::string id = std::to_string(i);
    if (format == "csv") out += id + ",n" + id + "\n";
    if (format == "json")
      out += std::string(i > 1 ? ", " : "") + "{\"id\": " + id + ", \"name\": \"n" + id + "\"}";
    if (format == "xml")
      out += "  <RECORD>\n    <id>" + id + "</id>\n    <name>n" + id + "</name>\n  </RECORD>\n";
  }
  if (format == "json") out += "]}";
  if (format == "xml") out += "</RECORDS>\n";
  return out;
}

const char* const kImporters[] = {"csv", "json", "xml"};

TEST_F(ImportTest, HostileFileSendsOnlyTheIntendedInserts) {
  set_option(dsv_.get(), "ACTION", "append");
  const std::string file =
      "id,name,amount,done\n"
      "1,\"x'); DROP TABLE t;--\",12345678901234567890123456.789012345678,true\n"
      "2,\"a ]; [b\",-3,0\n"
      "3,\"O'Brien /* c */ -- d\nGO\nSELECT 1\",,FALSE\n"
      "4,Grüße ∑ 😀,0.5,\n";
  Outcome o = import_text(dsv_.get(), file);
  ASSERT_FALSE(o.error) << o.error->message;
  EXPECT_EQ(o.count, 4);
  const std::string together =
      "INSERT INTO [dbo].[we]]ird] ([Id], [Name], [Amount], [Done]) VALUES (1, N'x''); DROP TABLE "
      "t;--', 12345678901234567890123456.789012345678, 1), (2, N'a ]; [b', -3, 0), (3, "
      "N'O''Brien /* c */ -- d\nG' + N'O\nSELECT 1', NULL, 0), (4, N'Grüße ∑ 😀', 0.5, NULL);";
  EXPECT_EQ(sent(), std::vector<std::string>{together});
  // When the statement of them all fails, each goes again alone.
  server_.on_pattern("(?s)^INSERT.*\\), \\(")
      .error(8152, 16, "String or binary data would be truncated.");
  mark();
  o = import_text(dsv_.get(), file);
  ASSERT_FALSE(o.error) << o.error->message;
  EXPECT_EQ(o.count, 4);
  const std::vector<std::string> expected = {
      together,
      "INSERT INTO [dbo].[we]]ird]([Id], [Name], [Amount], [Done]) VALUES(1, N'x''); DROP TABLE "
      "t;--', 12345678901234567890123456.789012345678, 1);",
      "INSERT INTO [dbo].[we]]ird]([Id], [Name], [Amount], [Done]) VALUES(2, N'a ]; [b', -3, 0);",
      "INSERT INTO [dbo].[we]]ird]([Id], [Name], [Amount], [Done]) VALUES(3, N'O''Brien /* c */ -- "
      "d\nG' + N'O\nSELECT 1', NULL, 0);",
      "INSERT INTO [dbo].[we]]ird]([Id], [Name], [Amount], [Done]) VALUES(4, N'Grüße ∑ 😀', 0.5, "
      "NULL);",
  };
  EXPECT_EQ(sent(), expected);
  drop_provider_logs();
  // No batch holds a line a script tool would split at.
  std::vector<TsqlText> texts;
  for (const auto& batch : sent()) texts.push_back({"import", batch});
  expect_valid_tsql(texts);
}

TEST_F(ImportTest, FieldsAreCheckedAgainstTheirKinds) {
  set_option(dsv_.get(), "ACTION", "append");
  tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
      reinterpret_cast<Exporter*>(dsv_.get()), FALSE);
  struct Case {
    const char* what;
    const char* record;
  };
  const std::vector<Case> cases = {
      {"statement in an integer", "1); DROP TABLE t;--,a,1,1"},
      {"text in a decimal", "1,a,12 OR 1=1,1"},
      {"word in a bit", "1,a,1,yes"},
      {"hexadecimal number in an integer", "0x10,a,1,1"},
  };
  for (const auto& c : cases) {
    mark();
    Outcome o = import_text(dsv_.get(), std::string("id,name,amount,done\n") + c.record + "\n");
    EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_VALUE)
        << c.what;
    EXPECT_TRUE(sent().empty()) << c.what;
  }
}

TEST_F(ImportTest, FailedRecordsAreSkippedWhenContinuing) {
  set_option(dsv_.get(), "ACTION", "append");
  Progress progress;
  Outcome o =
      import_text(dsv_.get(), "id,name,amount,done\n1,a,1,1\nx,b,2,0\n3,c,3,1\n", &progress);
  // The others went in; the import still says that one did not.
  EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_RECORDS_FAILED);
  EXPECT_EQ(o.count, -1);
  EXPECT_TRUE(has(o, {"2 records imported", "1 failed", "record 2:", "\xE2\x80\x9Cx\xE2\x80\x9D"}));
  // Records 1 and 3 went in together; the bad one was never sent.
  ASSERT_EQ(sent().size(), 1u);
  EXPECT_NE(sent()[0].find("(1, N'a'"), std::string::npos);
  EXPECT_NE(sent()[0].find("(3, N'c'"), std::string::npos);
  EXPECT_EQ(sent()[0].find("N'b'"), std::string::npos);
  ASSERT_FALSE(progress.calls.empty());
  EXPECT_EQ(progress.calls.back().second, 3u);
}

TEST_F(ImportTest, MissingOrUnknownActionIsAnError) {
  for (const char* action : {static_cast<const char*>(nullptr), "", "upsert", "APPEND"}) {
    dsv_ = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv")));
    if (action) set_option(dsv_.get(), "ACTION", action);
    Outcome o = import_text(dsv_.get(), "id,name,amount,done\n1,a,1,1\n");
    EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_ACTION)
        << (action ? action : "(none)");
    EXPECT_EQ(o.count, -1);
    EXPECT_TRUE(sent().empty());
  }
}

TEST_F(ImportTest, ReplaceAppends) {
  set_option(dsv_.get(), "ACTION", "replace");
  Outcome o = import_text(dsv_.get(), "id,name,amount,done\n1,a,1,1\n");
  ASSERT_FALSE(o.error);
  ASSERT_EQ(sent().size(), 1u);
  EXPECT_EQ(sent()[0].rfind("INSERT INTO", 0), 0u);
}

TEST_F(ImportTest, UpdateAndDeleteAreKeyedAndLeaveKeysOutOfSet) {
  set_option(dsv_.get(), "ACTION", "update");
  Outcome o = import_text(dsv_.get(), "id,name,amount,done\n5,n,1.5,1\n");
  ASSERT_FALSE(o.error) << o.error->message;
  set_option(dsv_.get(), "ACTION", "delete");
  o = import_text(dsv_.get(), "id,name,amount,done\n5,n,1.5,1\n");
  ASSERT_FALSE(o.error) << o.error->message;
  EXPECT_EQ(sent(), (std::vector<std::string>{
                        "UPDATE [dbo].[we]]ird] SET [Name]=N'n', [Amount]=1.5, [Done]=1 WHERE "
                        "[Id]=5;",
                        "DELETE FROM [dbo].[we]]ird] WHERE [Id]=5;"}));
  expect_valid_tsql({{"update", sent()[0]}, {"delete", sent()[1]}});
}

TEST_F(ImportTest, WithoutMappedKeyUpdateMergeAndDeleteAreRefused) {
  g_object_set_data(G_OBJECT(tarvex_brevane_meta_model_meta_table_get_column(table_.get(), "Id")),
                    "SOURCE", nullptr);
  for (const char* action : {"update", "merge", "delete"}) {
    set_option(dsv_.get(), "ACTION", action);
    tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
        reinterpret_cast<Exporter*>(dsv_.get()), FALSE);
    Outcome o = import_text(dsv_.get(), "id,name,amount,done\n5,n,1.5,1\n");
    EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_KEY)
        << action;
  }
  EXPECT_TRUE(sent().empty());
}

TEST_F(ImportTest, MergeInsertsOnlyWhenTheUpdateChangedNothing) {
  server_.clear_rules();
  // Rules added later win.
  server_.on_pattern("^INSERT").row_count(1);
  server_.on_pattern("^UPDATE").row_count(0);
  server_.on_pattern("^UPDATE .*\\[Id\\]=1;").row_count(1);
  set_option(dsv_.get(), "ACTION", "merge");
  Outcome o = import_text(dsv_.get(), "id,name,amount,done\n1,a,1,1\n2,b,2,0\n");
  ASSERT_FALSE(o.error) << o.error->message;
  auto batches = sent();
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(batches[0].rfind("UPDATE", 0), 0u);
  EXPECT_EQ(batches[1].rfind("UPDATE", 0), 0u);
  EXPECT_EQ(batches[2].rfind("INSERT", 0), 0u);
}

TEST_F(ImportTest, ServerErrorStopsOrIsSkipped) {
  server_.clear_rules();
  server_.on_pattern("^INSERT").row_count(1);
  server_.on_pattern("\\(2, N'b'").error(2627, 14, "Violation of PRIMARY KEY constraint");
  set_option(dsv_.get(), "ACTION", "append");
  Outcome o = import_text(dsv_.get(), "id,name,amount,done\n1,a,1,1\n2,b,2,0\n3,c,3,1\n");
  EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_RECORDS_FAILED);
  EXPECT_TRUE(has(o, {"2 records imported", "1 failed", "record 2:", "PRIMARY KEY"}));
  // The three together, then one by one.
  EXPECT_EQ(sent().size(), 4u);
  drop_provider_logs();
  tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
      reinterpret_cast<Exporter*>(dsv_.get()), FALSE);
  mark();
  o = import_text(dsv_.get(), "id,name,amount,done\n1,a,1,1\n2,b,2,0\n3,c,3,1\n");
  ASSERT_TRUE(o.error);
  // The server's own error, told what went in before it.
  EXPECT_EQ(o.error->code, 2627);
  EXPECT_TRUE(has(o, {"record 2:", "PRIMARY KEY", "1 record imported before it"}));
  // The three together, then one by one up to the bad one.
  EXPECT_EQ(sent().size(), 3u);
  drop_provider_logs();
}

// A JSON document is read record by record; one that is not JSON imports
// nothing, even when the fault comes after the records; progress counts
// every record of the document.
TEST_F(ImportTest, JsonImportChecksTheWholeDocumentFirst) {
  auto json =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_json_extractor_new("json")));
  set_option(json.get(), "ACTION", "append");
  Outcome o = import_text(
      json.get(), "{\"RECORDS\": [{\"id\": 1, \"name\": \"a\"}, {\"id\": 2, \"name\": \"b\"}] x");
  EXPECT_TRUE(o.error);
  EXPECT_TRUE(sent().empty());
  o = import_text(json.get(), "{\"RECORDS\": [{\"id\": 1, \"name\": \"a\"}, {\"id\": 2 3}]}");
  EXPECT_TRUE(o.error);
  EXPECT_TRUE(sent().empty());
  std::string dir = temp_dir();
  write_file(dir + "/in.json",
             "{\n    \"RECORDS\": [\n        {\n            \"id\" : 1,\n            \"name\" : "
             "\"x'); DROP TABLE t;--\"\n        },\n        {\n            \"id\" : 2,\n"
             "            \"name\" : null\n        }\n    ]\n}");
  set_option(json.get(), "FILENAME", (dir + "/in.json").c_str());
  Progress progress;
  Outcome done;
  tarvex_brevane_contracts_data_iimporter_import_from_file(
      IM(json.get()), iconn(), table_.get(),
      +[](guint total, guint position, const gchar*, gpointer target) {
        static_cast<Progress*>(target)->calls.push_back({total, position});
      },
      &progress,
      +[](GObject* source, GAsyncResult* result, gpointer data) {
        auto* out = static_cast<Outcome*>(data);
        out->count = tarvex_brevane_contracts_data_iimporter_import_from_file_finish(
            IM(source), result, out->error.out());
        out->done = true;
      },
      &done);
  while (!done.done) g_main_context_iteration(nullptr, TRUE);
  ASSERT_FALSE(done.error) << done.error->message;
  EXPECT_EQ(done.count, 2);
  EXPECT_EQ(sent(), (std::vector<std::string>{"INSERT INTO [dbo].[we]]ird] ([Id], [Name]) VALUES "
                                              "(1, N'x''); DROP TABLE t;--'), (2, NULL);"}));
  ASSERT_FALSE(progress.calls.empty());
  EXPECT_EQ(progress.calls.back(), (std::pair<guint, guint>{2, 2}));
}

// A field that is not UTF-8 fails its record before any statement is
// written, named by record, field and where its byte stands in the file.
TEST_F(ImportTest, InvalidUtf8IsNamedWhereItStandsInTheFile) {
  set_option(dsv_.get(), "ACTION", "append");
  tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
      reinterpret_cast<Exporter*>(dsv_.get()), FALSE);
  // The header is 20 bytes, the first record 9; the quoted field starts
  // at byte 32 and its third byte is the bad one.
  std::string dir = temp_dir();
  write_file(dir + "/in.csv", "id,name,amount,done\n1,ok,1,1\n2,\"ab\xff\",2,0\n3,c,3,1\n");
  set_option(dsv_.get(), "FILENAME", (dir + "/in.csv").c_str());
  Outcome done;
  tarvex_brevane_contracts_data_iimporter_import_from_file(
      IM(dsv_.get()), iconn(), table_.get(), nullptr, nullptr,
      +[](GObject* source, GAsyncResult* result, gpointer data) {
        auto* out = static_cast<Outcome*>(data);
        out->count = tarvex_brevane_contracts_data_iimporter_import_from_file_finish(
            IM(source), result, out->error.out());
        out->done = true;
      },
      &done);
  while (!done.done) g_main_context_iteration(nullptr, TRUE);
  ASSERT_TRUE(done.error);
  std::string message = done.error->message;
  for (const char* part : {"record 2", "name", "0xFF", "offset 34"})
    EXPECT_NE(message.find(part), std::string::npos) << part << ": " << message;
  EXPECT_EQ(sent().size(), 1u);
}

// A JSON number reaches its column with every digit (json-glib's value
// would wrap or round it); what the column cannot hold is refused before
// any statement, with an error naming the record and the field.
TEST_F(ImportTest, JsonNumbersReachTheirColumnsWhole) {
  table_ = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("master", "dbo", "N"));
  auto typed = [&](const char* name, TarvexProvidersContractsDataType type, const char* raw,
                   gint64 precision, guint8 scale) {
    column(name, type, name, false);
    auto* columns = GEE_LIST(tarvex_brevane_meta_model_meta_table_get_columns(table_.get()));
    auto c = adoptGRef(static_cast<TarvexBrevaneMetaModelMetaColumn*>(
        gee_list_get(columns, gee_collection_get_size(GEE_COLLECTION(columns)) - 1)));
    tarvex_brevane_meta_model_meta_column_set_raw_type(c.get(), raw);
    tarvex_brevane_meta_model_meta_column_set_length(c.get(), precision);
    tarvex_brevane_meta_model_meta_column_set_scale(c.get(), scale);
  };
  typed("big", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64, "BIGINT", 8, 0);
  typed("dec", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "DECIMAL", 38, 9);
  typed("whole", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "NUMERIC", 38, 0);
  typed("cash", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY, "MONEY", 19, 4);
  typed("petty", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY, "SMALLMONEY", 10, 4);
  typed("ratio", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE, "FLOAT", 53, 0);
  typed("tiny", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8, "TINYINT", 1, 0);
  auto json =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_json_extractor_new("json")));
  set_option(json.get(), "ACTION", "append");
  tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
      reinterpret_cast<Exporter*>(json.get()), FALSE);
  struct Case {
    const char* field;
    std::string number;
    const char* literal;  // nullptr: refused
  };
  const std::vector<Case> cases = {
      {"big", "9223372036854775807", "9223372036854775807"},
      {"big", "-9223372036854775808", "-9223372036854775808"},
      {"big", "9223372036854775808", nullptr},
      {"big", "-9223372036854775809", nullptr},
      {"big", "99999999999999999999", nullptr},
      {"big", "1e400", nullptr},
      {"big", "1.5", nullptr},
      {"big", "2e3", "2000"},
      {"whole", "99999999999999999999", "99999999999999999999"},
      {"whole", "12345678901234567890123456789012345678", "12345678901234567890123456789012345678"},
      {"whole", "123456789012345678901234567890123456789", nullptr},
      {"dec", "12345678901234567890.123456789", "12345678901234567890.123456789"},
      {"dec", "12345678901234567890.1234567891", nullptr},
      {"dec", "12345678901234567890123456789012345678", nullptr},
      {"dec", "1E-400", nullptr},
      {"dec", "1e400", nullptr},
      {"cash", "922337203685477.5807", "922337203685477.5807"},
      {"cash", "-922337203685477.5808", "-922337203685477.5808"},
      {"cash", "922337203685477.5808", nullptr},
      {"cash", "-922337203685477.5809", nullptr},
      {"cash", "0.12345", nullptr},
      {"petty", "214748.3647", "214748.3647"},
      {"petty", "-214748.3648", "-214748.3648"},
      {"petty", "214748.3648", nullptr},
      {"ratio", "0.1", "0.1"},
      {"ratio", "1.7976931348623157e308", "1.7976931348623157e+308"},
      {"ratio", "1e400", nullptr},
      {"ratio", "-1e400", nullptr},
      {"ratio", "1E-400", nullptr},
      {"tiny", "255", "255"},
      {"tiny", "256", nullptr},
      {"tiny", "-1", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.number);
    mark();
    Outcome o = import_text(
        json.get(), "{\"RECORDS\": [{\"" + std::string(c.field) + "\": " + c.number + "}]}");
    if (c.literal) {
      ASSERT_FALSE(o.error) << o.error->message;
      EXPECT_EQ(sent(), (std::vector<std::string>{"INSERT INTO [dbo].[N]([" + std::string(c.field) +
                                                  "]) VALUES(" + c.literal + ");"}));
      continue;
    }
    EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_VALUE);
    if (o.error) {
      std::string message = o.error->message;
      EXPECT_NE(message.find("record 1"), std::string::npos) << message;
      EXPECT_NE(message.find(c.field), std::string::npos) << message;
      EXPECT_NE(message.find(c.number), std::string::npos) << message;
    }
    EXPECT_TRUE(sent().empty());
  }
}

// A server that goes away ends the import at once, whatever
// continue-on-error says, with how much went in before.
TEST_F(ImportTest, LostConnectionEndsTheImportAtOnce) {
  // The records together fail; one by one, the third loses the server.
  server_.on_pattern("(?s)^INSERT.*\\), \\(")
      .error(2627, 14, "Violation of PRIMARY KEY constraint");
  server_.on_pattern("VALUES\\(3,").drop();
  for (const char* kind : kImporters) {
    for (gboolean keep_going : {gboolean(TRUE), gboolean(FALSE)}) {
      SCOPED_TRACE(std::string(kind) + (keep_going ? ", continuing" : ", stopping"));
      GError* error = nullptr;
      tarvex_brevane_contracts_database_iconnection_reopen(iconn(), &error);
      ASSERT_EQ(error, nullptr) << error->message;
      drop_provider_logs();
      mark();
      auto extractor = importer(kind);
      set_option(extractor.get(), "ACTION", "append");
      tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
          reinterpret_cast<Exporter*>(extractor.get()), keep_going);
      Outcome o = import_text(extractor.get(), records_in(kind, 5));
      EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                    TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_CONNECTION_LOST);
      EXPECT_EQ(o.count, -1);
      EXPECT_TRUE(has(o, {"record 3:", "2 records imported before it"}));
      // Records 4 and 5 were not tried.
      EXPECT_EQ(sent().size(), 4u);
      drop_provider_logs();
    }
  }
}

// A host that closes the connection while records are being imported.
TEST_F(ImportTest, ClosedConnectionEndsTheImportAtOnce) {
  server_.clear_rules();
  server_.on_pattern("^INSERT").delay(std::chrono::milliseconds(20)).row_count(1);
  set_option(dsv_.get(), "ACTION", "append");
  struct Closer {
    dialect::IConnection* connection;
    bool closed = false;
  } closer{iconn()};
  Outcome o;
  tarvex_brevane_contracts_data_iimporter_import_from_text(
      IM(dsv_.get()), records_in("csv", 5000).c_str(), iconn(), table_.get(),
      +[](guint, guint, const gchar*, gpointer target) {
        auto* c = static_cast<Closer*>(target);
        if (c->closed) return;
        c->closed = true;
        tarvex_brevane_contracts_database_iconnection_close(c->connection, nullptr);
      },
      &closer,
      +[](GObject* source, GAsyncResult* result, gpointer data) {
        auto* out = static_cast<Outcome*>(data);
        out->count = tarvex_brevane_contracts_data_iimporter_import_from_text_finish(
            IM(source), result, out->error.out());
        out->done = true;
      },
      &o);
  while (!o.done) g_main_context_iteration(nullptr, TRUE);
  EXPECT_TRUE(closer.closed);
  EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_CONNECTION_LOST);
  // Every statement the server took went in (1,000 records each); the
  // next one found the connection closed and nothing after it was tried.
  size_t took = sent().size();
  ASSERT_GE(took, 1u);
  EXPECT_LT(took, 5u);
  std::string in = std::to_string(took * 1000) + " records imported before it";
  std::string at = "record " + std::to_string(took * 1000 + 1) + ":";
  EXPECT_TRUE(has(o, {at.c_str(), in.c_str()}));
  drop_provider_logs();
}

// Every record failing is an error in every format; the count is the
// records that went in (XML counted the failed ones too).
TEST_F(ImportTest, FailedRecordsMakeTheImportFailInEveryFormat) {
  server_.clear_rules();
  server_.on_pattern("^INSERT").error(
      547, 16, "The INSERT statement conflicted with the FOREIGN KEY constraint");
  for (const char* kind : kImporters) {
    SCOPED_TRACE(kind);
    mark();
    auto extractor = importer(kind);
    set_option(extractor.get(), "ACTION", "append");
    Outcome o = import_text(extractor.get(), records_in(kind, 3));
    EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_RECORDS_FAILED);
    EXPECT_TRUE(has(o, {"0 records imported", "3 failed",
                        "record 1:", "record 2:", "record 3:", "FOREIGN KEY"}));
    // The three together, then each alone.
    EXPECT_EQ(sent().size(), 4u);
    drop_provider_logs();
  }
  // One bad record among good ones: the others go in, exactly that one is
  // reported.
  server_.clear_rules();
  server_.on_pattern("^INSERT").row_count(1);
  server_.on_pattern("\\(4, N'").error(2627, 14, "Violation of PRIMARY KEY constraint");
  for (const char* kind : kImporters) {
    SCOPED_TRACE(kind);
    mark();
    auto extractor = importer(kind);
    set_option(extractor.get(), "ACTION", "append");
    Outcome o = import_text(extractor.get(), records_in(kind, 6));
    EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_RECORDS_FAILED);
    EXPECT_TRUE(has(o, {"5 records imported", "1 failed", "record 4:", "PRIMARY KEY"}));
    EXPECT_FALSE(has(o, {"record 3:"}));
    EXPECT_FALSE(has(o, {"record 5:"}));
    EXPECT_EQ(sent().size(), 7u);
    drop_provider_logs();
    // Without failures every format counts the records that went in.
    server_.clear_rules();
    server_.on_pattern("^INSERT").row_count(1);
    o = import_text(extractor.get(), records_in(kind, 3));
    ASSERT_FALSE(o.error) << o.error->message;
    EXPECT_EQ(o.count, 3);
    server_.on_pattern("\\(4, N'").error(2627, 14, "Violation of PRIMARY KEY constraint");
  }
}

// A stopping failure of the document itself says what went in before it;
// records are numbered from the first data record, as in the log.
TEST_F(ImportTest, StoppingFailuresSayHowMuchWentIn) {
  set_option(dsv_.get(), "ACTION", "append");
  Outcome o = import_text(dsv_.get(), "id,name,amount,done\n1,a,1,1\n2,b,2,0\n3,\"open,3,1\n");
  EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_MALFORMED);
  EXPECT_TRUE(has(o, {"record 3:", "2 records imported before it"}));
  EXPECT_FALSE(has(o, {"record 4"}));
  EXPECT_EQ(sent().size(), 1u);
  // A record shorter than the header fails (an empty line is no record).
  mark();
  o = import_text(dsv_.get(), "id,name,amount,done\n1,a,1,1\n2,b\n\n3,c,3,1\n");
  EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_RECORDS_FAILED);
  EXPECT_TRUE(has(o, {"2 records imported", "1 failed", "record 2:"}));
  EXPECT_EQ(sent().size(), 1u);
}

// A JSON import checks every record before the first goes in: an element
// that is not an object, a second "RECORDS" and a member given twice
// import nothing.
TEST_F(ImportTest, JsonDocumentIsCheckedWholeBeforeImporting) {
  auto json = importer("json");
  set_option(json.get(), "ACTION", "append");
  struct Case {
    const char* what;
    const char* text;
    const char* names;  // what the message must say
  };
  const std::vector<Case> cases = {
      {"a number among records", "{\"RECORDS\": [{\"id\": 1}, 5, {\"id\": 3}]}", "record 2"},
      {"null among records", "{\"RECORDS\": [{\"id\": 1}, {\"id\": 2}, null]}", "record 3"},
      {"two RECORDS members", "{\"RECORDS\": [{\"id\": 1}], \"RECORDS\": [{\"id\": 2}]}",
       "RECORDS"},
      {"a key twice, usual shape",
       "{\"RECORDS\": [{\"id\": 1}, {\"id\": 2, \"name\": \"a\", \"id\": 3}]}", "record 2"},
      {"a key twice, other shape",
       "{\"x\": 0, \"RECORDS\": [{\"id\": 1}, {\"id\": 2, \"name\": \"a\", \"id\": 3}]}",
       "record 2"},
      {"a key twice, written differently", "{\"RECORDS\": [{\"id\": 1, \"\\u0069d\": 2}]}",
       "record 1"},
      {"a key twice, pretty",
       "{\n  \"RECORDS\" : [\n    {\n      \"name\" : \"a\",\n      \"name\" : \"b\"\n    }\n  "
       "]\n}",
       "record 1"},
  };
  for (const auto& c : cases) {
    mark();
    Outcome o = import_text(json.get(), c.text);
    EXPECT_GERROR(o.error.get(), "JSON", -1) << c.what;
    EXPECT_TRUE(has(o, {c.names})) << c.what;
    EXPECT_TRUE(sent().empty()) << c.what;
  }
  // The same name in different records, or nested, is no repetition.
  mark();
  Outcome o = import_text(
      json.get(),
      "{\"RECORDS\": [{\"id\": 1, \"name\": {\"a\": 1}}, {\"id\": 2, \"name\": \"x\"}]}");
  ASSERT_FALSE(o.error) << o.error->message;
  EXPECT_EQ(sent().size(), 1u);
}

// A text of a JSON record that cannot be a text value (U+0000, half of a
// surrogate pair, an escape JSON does not have, bytes that are not UTF-8)
// fails the import before any record goes in, naming record and field.
TEST_F(ImportTest, JsonTextFaultsImportNothing) {
  auto json = importer("json");
  set_option(json.get(), "ACTION", "append");
  for (const std::string fault :
       {R"(\u0000)", R"(\uD83D)", R"(\uDE00\uD83D)", R"(\q)", "\xC0\x80"}) {
    SCOPED_TRACE(fault);
    mark();
    std::string records;
    for (int i = 1; i <= 3; ++i)
      records += std::string(i > 1 ? ", " : "") + "{\"id\": " + std::to_string(i) +
                 ", \"name\": \"" + (i == 3 ? "x" + fault : "ok") + "\"}";
    Outcome o = import_text(json.get(), "{\"RECORDS\": [" + records + "]}");
    EXPECT_GERROR(o.error.get(), "JSON", -1);
    EXPECT_TRUE(has(o, {"record 3", "name"}));
    EXPECT_TRUE(sent().empty());
  }
  // A member named twice among many (and written another way) is named.
  for (int members : {16, 17, 40}) {
    SCOPED_TRACE(members);
    mark();
    std::string record = "{\"id\": 1";
    for (int i = 1; i < members - 1; ++i)
      record += ", \"m" + std::to_string(i) + "\": " + std::to_string(i);
    record += ", \"\\u006d7\": 0}";
    Outcome o = import_text(json.get(), "{\"RECORDS\": [{\"id\": 0}, " + record + "]}");
    EXPECT_GERROR(o.error.get(), "JSON", -1);
    EXPECT_TRUE(has(o, {"record 2", "m7"}));
    EXPECT_TRUE(sent().empty());
  }
  // The pair whole is a character.
  mark();
  Outcome o = import_text(json.get(), R"({"RECORDS": [{"id": 1, "name": "\uD83D\uDE00"}]})");
  ASSERT_FALSE(o.error) << o.error->message;
  EXPECT_EQ(sent(), (std::vector<std::string>{"INSERT INTO [dbo].[we]]ird]([Id], [Name]) VALUES(1, "
                                              "N'\xF0\x9F\x98\x80');"}));
}

// A UTF-16 file with its mark imports under the default ENCODING; CR alone
// ends its lines.
TEST_F(ImportTest, MarkedUtf16FileImports) {
  const std::string text =
      "id,name,amount,done\r1,Gr\xC3\xBC\xC3\x9F"
      "e \xF0\x9F\x98\x80,1,1\r2,\"a\rb\",2,0\r";
  gsize size = 0;
  GUniqueStr bytes(
      g_convert(text.data(), gssize(text.size()), "UTF-16LE", "UTF-8", nullptr, &size, nullptr));
  std::string path = temp_dir() + "/in.csv";
  write_file(path, "\xFF\xFE" + std::string(bytes.get(), size));
  set_option(dsv_.get(), "ACTION", "append");
  Outcome o = import_file(dsv_.get(), path);
  ASSERT_FALSE(o.error) << o.error->message;
  EXPECT_EQ(o.count, 2);
  EXPECT_EQ(sent(), (std::vector<std::string>{
                        "INSERT INTO [dbo].[we]]ird] ([Id], [Name], [Amount], [Done]) VALUES (1, "
                        "N'Gr\xC3\xBC\xC3\x9F"
                        "e \xF0\x9F\x98\x80', 1, 1), (2, N'a\rb', 2, 0);"}));
}

// Appended records go in statements of up to 1,000 rows; counts and
// progress stay per record.
TEST_F(ImportTest, AppendSendsUpTo1000RecordsAStatement) {
  set_option(dsv_.get(), "ACTION", "append");
  struct Case {
    int records;
    std::vector<size_t> rows;  // of each statement sent
  };
  const std::vector<Case> cases = {
      {1, {1}},       {2, {2}},          {999, {999}},
      {1000, {1000}}, {1001, {1000, 1}}, {2500, {1000, 1000, 500}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.records);
    mark();
    Progress progress;
    Outcome o = import_text(dsv_.get(), records_in("csv", c.records), &progress);
    ASSERT_FALSE(o.error) << o.error->message;
    EXPECT_EQ(o.count, c.records);
    auto batches = sent();
    ASSERT_EQ(batches.size(), c.rows.size());
    for (size_t b = 0; b < batches.size(); ++b) {
      size_t rows = 1, at = 0;
      while ((at = batches[b].find("), (", at)) != std::string::npos) ++rows, at += 4;
      EXPECT_EQ(rows, c.rows[b]) << b;
    }
    ASSERT_FALSE(progress.calls.empty());
    EXPECT_EQ(progress.calls.back().second, guint(c.records));
  }
  // 100,000 records in at most 110 statements.
  mark();
  Outcome o = import_text(dsv_.get(), records_in("csv", 100000));
  ASSERT_FALSE(o.error) << o.error->message;
  EXPECT_EQ(o.count, 100000);
  EXPECT_EQ(sent().size(), 100u);
}

// One bad record among many: its statement's records go again one by one,
// every other record goes in, and exactly that one is reported.
TEST_F(ImportTest, OneBadRecordAmongManyFailsAlone) {
  server_.on_pattern("\\(1500, N'").error(2627, 14, "Violation of PRIMARY KEY constraint");
  for (const char* kind : kImporters) {
    SCOPED_TRACE(kind);
    mark();
    auto extractor = importer(kind);
    set_option(extractor.get(), "ACTION", "append");
    Outcome o = import_text(extractor.get(), records_in(kind, 2500));
    EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_RECORDS_FAILED);
    EXPECT_TRUE(has(o, {"2499 records imported", " 1 failed", "record 1500:", "PRIMARY KEY"}));
    EXPECT_FALSE(has(o, {"record 1499:"}));
    EXPECT_FALSE(has(o, {"record 1501:"}));
    auto batches = sent();
    // Three statements, then the second's 1,000 records alone.
    ASSERT_EQ(batches.size(), 1003u);
    for (int i = 1001; i <= 2000; ++i) {
      const std::string& alone = batches[size_t(i - 1001 + 2)];
      std::string id = std::to_string(i);
      EXPECT_NE(alone.find("VALUES(" + id + ", N'n" + id + "');"), std::string::npos) << alone;
    }
    EXPECT_NE(batches[1002].find("(2001, N'n2001'), "), std::string::npos);
    drop_provider_logs();
  }
}

// Records that feed different columns go in different statements.
TEST_F(ImportTest, RecordsOfOtherColumnsStartAnotherStatement) {
  auto json = importer("json");
  set_option(json.get(), "ACTION", "append");
  Outcome o =
      import_text(json.get(),
                  "{\"RECORDS\": [{\"id\": 1, \"name\": \"a\"}, {\"id\": 2, \"name\": \"b\"}, "
                  "{\"id\": 3}, {\"id\": 4}, {\"name\": \"e\", \"id\": 5}]}");
  ASSERT_FALSE(o.error) << o.error->message;
  EXPECT_EQ(o.count, 5);
  auto batches = sent();
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_NE(batches[0].find("(1, N'a'), (2, N'b')"), std::string::npos) << batches[0];
  EXPECT_NE(batches[1].find("([Id]) VALUES (3), (4);"), std::string::npos) << batches[1];
  EXPECT_NE(batches[2].find("VALUES(5, N'e');"), std::string::npos) << batches[2];
}

TEST_F(ImportTest, FewerValuesThanNamesLeaveColumnsOut) {
  auto* base = reinterpret_cast<Base*>(dsv_.get());
  const gchar* names[] = {"id", "name", "amount", "done"};
  const gchar* values[] = {"9", "only two"};
  GUniqueError error;
  std::string sql =
      take(tarvex_brevane_supports_data_extractors_base_extractor_build_insert_data_sql(
          base, iconn(), table_.get(), const_cast<gchar**>(names), 4, const_cast<gchar**>(values),
          2, error.out()));
  ASSERT_FALSE(error);
  EXPECT_EQ(sql, "INSERT INTO [dbo].[we]]ird]([Id], [Name]) VALUES(9, N'only two');");
}

struct LiteralCase {
  TarvexProvidersContractsDataType type;
  const char* text;
  const char* literal;  // nullptr: refused
};

TEST_F(ImportTest, FormatColumnText) {
  auto* base = reinterpret_cast<Base*>(dsv_.get());
  const std::vector<LiteralCase> cases = {
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, "   ", "NULL"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, "  O'Brien  ", "N'  O''Brien  '"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "  42 ", "42"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "4 2", nullptr},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "-12345678901234567890123456.789012345678",
       "-12345678901234567890123456.789012345678"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, "1;", nullptr},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, "true", "1"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, "False", "0"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, "2", nullptr},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY, "0x00ff", "0x00ff"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY, "AB", "0x4142"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, "2024-02-29 23:59:59.1234567-08:00",
       "N'2024-02-29 23:59:59.1234567-08:00'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_CHAR, "it's", "N'it''s'"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT, "1e-5", "1e-5"},
      {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY, "-922337203685477.5808",
       "-922337203685477.5808"},
  };
  for (const auto& c : cases) {
    gchar* literal = tarvex_brevane_supports_data_extractors_base_extractor_format_column_text(
        base, c.type, c.text);
    if (c.literal)
      EXPECT_EQ(take(literal), c.literal) << c.text;
    else
      EXPECT_EQ(literal, nullptr) << c.text;
  }
}

// Every hostile text of a file reaches the server whole, in each action:
// every literal reading back as the field, no line a script tool splits at,
// no backslash before a line break. An append sends the records in one
// statement, and one statement a record when that one fails; the other
// actions send one statement a record. Both columns are keys, so every
// statement carries the text.
TEST_F(ImportTest, HostileTextsArriveExactlyInEveryAction) {
  table_ = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("master", "dbo", "t"));
  column("Id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, "id", true);
  column("Name", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, "name", true);
  // A field of a file holding U+0000 is refused, not imported.
  auto hostile = tsql::hostile_texts();
  std::erase_if(hostile, [](const auto& h) { return h.text.find('\0') != std::string::npos; });
  std::string file = "id,name\n";
  for (size_t i = 0; i < hostile.size(); ++i)
    file += std::to_string(i + 1) + ",\"" + hostile[i].text + "\"\n";
  const std::string path = temp_dir() + "/hostile.csv";
  write_file(path, file);
  struct Case {
    const char* action;
    bool together;     // an append whose statement of all records goes through
    const char* head;  // of each statement of one record
    size_t literals;   // the text's literals in each statement of one record
  };
  const Case cases[] = {
      {"append", true, nullptr, 0},
      {"append", false, "INSERT INTO [dbo].[t]([Id], [Name]) VALUES(", 1},
      {"update", false, "UPDATE [dbo].[t] SET [Id]=", 2},
      {"merge", false, "UPDATE [dbo].[t] SET [Id]=", 2},
      {"delete", false, "DELETE FROM [dbo].[t] WHERE [Id]=", 1},
  };
  std::vector<TsqlText> texts;
  for (const Case& c : cases) {
    mark();
    set_option(dsv_.get(), "ACTION", c.action);
    tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
        reinterpret_cast<Exporter*>(dsv_.get()), FALSE);
    bool appending = std::string(c.action) == "append";
    if (appending && !c.together)
      server_.on_pattern("^INSERT INTO \\[dbo\\]\\.\\[t\\] \\(")
          .times(1)
          .error(8152, 16, "String or binary data would be truncated.");
    Outcome o = import_file(dsv_.get(), path);
    ASSERT_FALSE(o.error) << c.action << ": " << o.error->message;
    std::vector<std::string> batches = sent();
    drop_provider_logs();
    if (appending) {
      ASSERT_FALSE(batches.empty());
      const std::string& all = batches.front();
      const std::string what = std::string("append, together");
      EXPECT_EQ(all.rfind("INSERT INTO [dbo].[t] ([Id], [Name]) VALUES (1, ", 0), 0u) << all;
      std::vector<std::string> every;
      for (const auto& h : hostile) every.push_back(h.text);
      EXPECT_EQ(tsql::literals_in(all), every) << all;
      EXPECT_TRUE(tsql::separator_lines(all).empty()) << all;
      EXPECT_FALSE(tsql::has_backslash_before_break(all)) << all;
      texts.push_back({what, all});
      batches.erase(batches.begin());
      if (c.together) {
        EXPECT_TRUE(batches.empty());
        continue;
      }
    }
    ASSERT_EQ(batches.size(), hostile.size()) << c.action;
    for (size_t i = 0; i < hostile.size(); ++i) {
      const std::string& batch = batches[i];
      const std::string what = std::string(c.action) + ", " + hostile[i].what;
      EXPECT_EQ(batch.rfind(c.head + std::to_string(i + 1), 0), 0u) << what << ": " << batch;
      EXPECT_EQ(tsql::literals_in(batch), std::vector<std::string>(c.literals, hostile[i].text))
          << what << ": " << batch;
      EXPECT_TRUE(tsql::separator_lines(batch).empty()) << what << ": " << batch;
      EXPECT_FALSE(tsql::has_backslash_before_break(batch)) << what << ": " << batch;
      texts.push_back({what, batch});
    }
  }
  expect_valid_tsql(texts);
}

// An empty key field is NULL: UPDATE and DELETE match it with IS NULL, and
// a merge whose UPDATE matched nothing inserts no row without its key but
// names the record and the key.
TEST_F(ImportTest, EmptyKeyMatchesWithIsNull) {
  server_.clear_rules();
  server_.on_pattern("^(INSERT|DELETE)").row_count(1);
  server_.on_pattern("^UPDATE").row_count(0);
  tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
      reinterpret_cast<Exporter*>(dsv_.get()), FALSE);
  for (const char* action : {"update", "delete"}) {
    set_option(dsv_.get(), "ACTION", action);
    Outcome o = import_text(dsv_.get(), "id,name,amount,done\n ,x,1,1\n");
    ASSERT_FALSE(o.error) << action << ": " << o.error->message;
  }
  EXPECT_EQ(sent(), (std::vector<std::string>{
                        "UPDATE [dbo].[we]]ird] SET [Name]=N'x', [Amount]=1, [Done]=1 WHERE "
                        "[Id] IS NULL;",
                        "DELETE FROM [dbo].[we]]ird] WHERE [Id] IS NULL;"}));
  expect_valid_tsql({{"update", sent()[0]}, {"delete", sent()[1]}});

  mark();
  set_option(dsv_.get(), "ACTION", "merge");
  Outcome o = import_text(dsv_.get(), "id,name,amount,done\n,x,1,1\n");
  EXPECT_GERROR(o.error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_KEY);
  EXPECT_TRUE(has(o, {"1", "Id"}));
  EXPECT_EQ(sent(), (std::vector<std::string>{
                        "UPDATE [dbo].[we]]ird] SET [Name]=N'x', [Amount]=1, [Done]=1 WHERE "
                        "[Id] IS NULL;"}));

  // A merge whose UPDATE found the row is done; a key given merges as ever.
  server_.on_pattern("^UPDATE .*IS NULL;").row_count(1);
  mark();
  o = import_text(dsv_.get(), "id,name,amount,done\n,x,1,1\n7,y,1,1\n");
  ASSERT_FALSE(o.error) << o.error->message;
  EXPECT_EQ(sent(), (std::vector<std::string>{
                        "UPDATE [dbo].[we]]ird] SET [Name]=N'x', [Amount]=1, [Done]=1 WHERE "
                        "[Id] IS NULL;",
                        "UPDATE [dbo].[we]]ird] SET [Name]=N'y', [Amount]=1, [Done]=1 WHERE "
                        "[Id]=7;",
                        "INSERT INTO [dbo].[we]]ird]([Id], [Name], [Amount], [Done]) VALUES(7, "
                        "N'y', 1, 1);"}));
}

// The exported builders take C texts; their literals and keys are the
// same writer's.
TEST_F(ImportTest, ExportedBuildersMatchEmptyKeysWithIsNull) {
  auto* base = reinterpret_cast<Base*>(dsv_.get());
  const gchar* names[] = {"id", "name"};
  const gchar* values[] = {"", "a\\\nb"};
  GUniqueError error;
  std::string update =
      take(tarvex_brevane_supports_data_extractors_base_extractor_build_update_data_sql(
          base, iconn(), table_.get(), const_cast<gchar**>(names), 2, const_cast<gchar**>(values),
          2, error.out()));
  ASSERT_FALSE(error);
  EXPECT_EQ(update, "UPDATE [dbo].[we]]ird] SET [Name]=N'a\\' + N'\nb' WHERE [Id] IS NULL;");
  std::string del =
      take(tarvex_brevane_supports_data_extractors_base_extractor_build_delete_data_sql(
          base, iconn(), table_.get(), const_cast<gchar**>(names), 2, const_cast<gchar**>(values),
          2, error.out()));
  EXPECT_EQ(del, "DELETE FROM [dbo].[we]]ird] WHERE [Id] IS NULL;");
}

}  // namespace
}  // namespace tarvex::test::data
