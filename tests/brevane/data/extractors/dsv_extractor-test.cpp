// The delimiter-separated extractor: RFC 4180 writing and reading, round
// trips of every value kind, Python's csv module as independent reader,
// the options, files, and the base's shared behaviour.
#include <gee.h>

#include "tests/brevane/data/data-test.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/need-tool.h"

namespace tarvex::test::data {
namespace {

using Dsv = TarvexBrevaneSupportsDataExtractorsDsvExtractor;
class DsvExtractorTest : public ExtractorTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    dsv_ = adoptGRef(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv"));
  }

  gpointer extractor() override { return dsv_.get(); }

  GRef<Dsv> dsv_;
};

TEST_F(DsvExtractorTest, TypeAndProperties) {
  EXPECT_TRUE(g_type_from_name("TarvexBrevaneSupportsDataExtractorsDsvExtractor"));
  EXPECT_STREQ(tarvex_brevane_contracts_data_iexporter_get_file_extention(EX(dsv_.get())), "csv");
  EXPECT_TRUE(tarvex_brevane_contracts_data_iexporter_get_continue_on_error(EX(dsv_.get())));
  int notified = 0;
  g_signal_connect_swapped(dsv_.get(), "notify::continue-on-error",
                           G_CALLBACK(+[](int* n) { ++*n; }), &notified);
  tarvex_brevane_contracts_data_iexporter_set_continue_on_error(EX(dsv_.get()), TRUE);
  EXPECT_EQ(notified, 0);
  tarvex_brevane_contracts_data_iexporter_set_continue_on_error(EX(dsv_.get()), FALSE);
  EXPECT_EQ(notified, 1);
  EXPECT_FALSE(tarvex_brevane_contracts_data_iexporter_get_continue_on_error(EX(dsv_.get())));
  EXPECT_TRUE(GEE_IS_HASH_MAP(tarvex_brevane_contracts_data_iexporter_get_options(EX(dsv_.get()))));
  // Hosts match errors by the domain's registered name.
  EXPECT_STREQ(g_quark_to_string(tarvex_brevane_supports_data_extractors_extractor_error_quark()),
               "tarvex-brevane-supports-data-extractors-extractor-error-quark");
}

TEST_F(DsvExtractorTest, PreconditionsAreCriticals) {
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_data_extractors_dsv_extractor_new(nullptr), nullptr),
      "file_extension != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_supports_data_extractors_base_extractor_new(nullptr), nullptr),
      "file_ext != NULL");
  gchar* buffer = g_strdup("");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_text(
                                EX(dsv_.get()), nullptr, &buffer, nullptr, nullptr, nullptr),
                            0),
                  "model != NULL");
  g_free(buffer);
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_contracts_data_iimporter_load_from_text(
                                IM(dsv_.get()), nullptr, nullptr, nullptr, nullptr),
                            nullptr),
                  "textbuffer != NULL");
}

// RFC 4180: quotes around values holding the delimiter, a quote, CR or LF;
// quotes inside doubled; header names escaped like values; empty texts
// quoted so they stay apart from NULL.
TEST_F(DsvExtractorTest, WritesRfc4180) {
  auto model = string_model({"a,b", "q\"", "plain"}, {{"x,y", "say \"hi\"", "line\nbreak"},
                                                      {"", std::nullopt, "cr\rhere"},
                                                      {"\"lead", "trail\"", "ok"}});
  gint count = 0;
  EXPECT_EQ(export_text(model.get(), &count),
            "\"a,b\",\"q\"\"\",plain\n"
            "\"x,y\",\"say \"\"hi\"\"\",\"line\nbreak\"\n"
            "\"\",,\"cr\rhere\"\n"
            "\"\"\"lead\",\"trail\"\"\",ok\n");
  EXPECT_EQ(count, 3);
}

struct ReadCase {
  const char* what;
  std::string input;
  Cells expected;
};

TEST_F(DsvExtractorTest, ReadsRfc4180) {
  set_option(dsv_.get(), "HAS_HEADER", "false");
  const std::vector<ReadCase> cases = {
      {"last record without a final newline", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
      {"CR LF row ends", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
      {"CR row ends", "a,b\rc,d\r", {{"a", "b"}, {"c", "d"}}},
      {"CR row end without a final one", "a,b\rc,d", {{"a", "b"}, {"c", "d"}}},
      {"CR, LF and CR LF mixed",
       "a\rb\nc\r\nd\n\re\r",
       {{"a"}, {"b"}, {"c"}, {"d"}, {std::nullopt}, {"e"}}},
      {"CR inside quotes stays", "\"1\r2\"\r3\r", {{"1\r2"}, {"3"}}},
      {"empty quoted fields", "\"\",\"\"\n", {{"", ""}}},
      {"unquoted empty fields are NULL", ",x,\n", {{std::nullopt, "x", std::nullopt}}},
      {"escaped quote at the end of a field", "\"a\"\"\",b\n", {{"a\"", "b"}}},
      {"only an escaped quote", "\"\"\"\"\n", {{"\""}}},
      {"line breaks inside quotes", "\"1\r\n2\",\"3\n4\"\n", {{"1\r\n2", "3\n4"}}},
      {"delimiter inside quotes", "\"a,b\",c\n", {{"a,b", "c"}}},
      {"UTF-8 byte order mark", "\xEF\xBB\xBFx,y\n", {{"x", "y"}}},
      {"non-ASCII", "Grüße,😀\n", {{"Grüße", "😀"}}},
      {"quote inside an unquoted field", "ab\"c,d\n", {{"ab\"c", "d"}}},
  };
  for (const auto& c : cases) {
    GUniqueError error;
    auto model = load_text(c.input, error.out());
    ASSERT_FALSE(error) << c.what << ": " << error->message;
    ASSERT_TRUE(model) << c.what;
    EXPECT_EQ(cells_of(model.get()), c.expected) << c.what;
  }
}

TEST_F(DsvExtractorTest, UnclosedQuoteIsAnError) {
  set_option(dsv_.get(), "HAS_HEADER", "false");
  GUniqueError error;
  auto model = load_text("a,\"open\nstill open", error.out());
  EXPECT_FALSE(model);
  ASSERT_TRUE(error);
  EXPECT_GERROR(error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_MALFORMED);
}

// Records are numbered from the first data record, the header apart.
TEST_F(DsvExtractorTest, UnclosedQuoteNamesItsDataRecord) {
  struct Case {
    const char* header;
    const char* text;
    const char* names;
  };
  const std::vector<Case> cases = {
      {"true", "a,b\n1,2\n3,\"open\n", "record 2:"},
      {"false", "1,2\n3,\"open\n", "record 2:"},
      {"true", "a,\"b\n1,2\n", "header"},
  };
  for (const auto& c : cases) {
    set_option(dsv_.get(), "HAS_HEADER", c.header);
    GUniqueError error;
    EXPECT_FALSE(load_text(c.text, error.out()));
    ASSERT_TRUE(error) << c.text;
    EXPECT_NE(std::string(error->message).find(c.names), std::string::npos) << error->message;
  }
}

// A byte-order mark of UTF-8 or UTF-16 names the file's encoding, whatever
// ENCODING says; without one ENCODING holds.
TEST_F(DsvExtractorTest, ByteOrderMarkDecidesTheEncoding) {
  const std::string text =
      "name,n\nGr\xC3\xBC\xC3\x9F"
      "e \xF0\x9F\x98\x80,1\r\"'],x\",2\r";
  auto encoded = [&](const char* set) {
    gsize size = 0;
    GUniqueStr bytes(
        g_convert(text.data(), gssize(text.size()), set, "UTF-8", nullptr, &size, nullptr));
    return std::string(bytes.get(), size);
  };
  struct Case {
    const char* what;
    std::string bytes;
    const char* encoding;  // nullptr: not set
  };
  const std::vector<Case> cases = {
      {"UTF-16LE mark, no ENCODING", "\xFF\xFE" + encoded("UTF-16LE"), nullptr},
      {"UTF-16LE mark, ENCODING UTF-8", "\xFF\xFE" + encoded("UTF-16LE"), "UTF-8"},
      {"UTF-16BE mark, ENCODING ISO-8859-1", "\xFE\xFF" + encoded("UTF-16BE"), "ISO-8859-1"},
      {"UTF-8 mark, ENCODING ISO-8859-1", "\xEF\xBB\xBF" + text, "ISO-8859-1"},
      {"UTF-8 mark, no ENCODING", "\xEF\xBB\xBF" + text, nullptr},
      {"no mark, ENCODING UTF-16LE", encoded("UTF-16LE"), "UTF-16LE"},
      {"no mark, ENCODING utf8", text, "utf8"},
  };
  std::string path = temp_dir() + "/marked.csv";
  for (const auto& c : cases) {
    write_file(path, c.bytes);
    auto extractor = adoptGRef(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv"));
    set_option(extractor.get(), "FILENAME", path.c_str());
    if (c.encoding) set_option(extractor.get(), "ENCODING", c.encoding);
    GUniqueError error;
    auto model = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
        IM(extractor.get()), 0, nullptr, nullptr, error.out()));
    ASSERT_FALSE(error) << c.what << ": " << error->message;
    ASSERT_TRUE(model) << c.what;
    EXPECT_EQ(names_of(model.get()), (std::vector<std::string>{"name", "n"})) << c.what;
    EXPECT_EQ(cells_of(model.get()), (Cells{{"Gr\xC3\xBC\xC3\x9F"
                                             "e \xF0\x9F\x98\x80",
                                             "1"},
                                            {"'],x", "2"}}))
        << c.what;
  }
}

TEST_F(DsvExtractorTest, EmptyTextLoadsNoModel) {
  GUniqueError error;
  EXPECT_FALSE(load_text("", error.out()));
  EXPECT_FALSE(error);
}

TEST_F(DsvExtractorTest, RoundTripOfEveryKind) {
  expect_round_trip_of_every_kind();
}

struct OptionCase {
  const char* what;
  std::vector<std::pair<const char*, const char*>> options;
};

// Every option set keeps the round trip whole.
TEST_F(DsvExtractorTest, RoundTripUnderOptions) {
  const std::vector<OptionCase> cases = {
      {"semicolons and CR LF", {{"DELIMITER_COLUMN", ";"}, {"DELIMITER_ROWNEW", "\r\n"}}},
      {"two-character delimiter", {{"DELIMITER_COLUMN", "||"}}},
      {"always quoted", {{"QUOTATION_TIME", "always"}}},
      {"brackets", {{"QUOTATION_LIST", "[-]-[[-]]"}}},
      {"prefix and suffix", {{"ROW_PREFIX", "<"}, {"ROW_SUFFIX", ">"}}},
      {"NULL text", {{"NULL_VALUE", "NULL"}}},
      {"tab separated", {{"DELIMITER_COLUMN", "\t"}}},
  };
  Sample s = every_kind_sample();
  for (const auto& c : cases) {
    dsv_ = adoptGRef(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv"));
    for (auto& [k, v] : c.options) set_option(dsv_.get(), k, v);
    std::string text = export_text(s.model.get());
    GUniqueError error;
    auto loaded = load_text(text, error.out());
    ASSERT_FALSE(error) << c.what << ": " << error->message;
    ASSERT_TRUE(loaded) << c.what;
    EXPECT_EQ(names_of(loaded.get()), s.names) << c.what;
    EXPECT_EQ(cells_of(loaded.get()), s.texts) << c.what << "\n" << text;
  }
}

TEST_F(DsvExtractorTest, NullTextValueIsQuoted) {
  set_option(dsv_.get(), "NULL_VALUE", "NULL");
  set_option(dsv_.get(), "HAS_HEADER", "false");
  auto model = string_model({"a", "b"}, {{"NULL", std::nullopt}});
  EXPECT_EQ(export_text(model.get()), "\"NULL\",NULL\n");
}

TEST_F(DsvExtractorTest, PythonCsvReadsTheExport) {
  TARVEX_NEED_TOOL(python_has("csv"), "python3");
  Sample s = every_kind_sample();
  std::string dir = temp_dir();
  std::string path = dir + "/every.csv";
  GUniqueError error;
  gint n = tarvex_brevane_contracts_data_iexporter_export_to_file(
      EX(dsv_.get()), s.model.get(), path.c_str(), nullptr, nullptr, error.out());
  ASSERT_FALSE(error) << error->message;
  EXPECT_EQ(n, gint(s.texts.size()));
  // csv has no NULL: an empty field stands for it.
  Cells expected = s.texts;
  expected.insert(expected.begin(), std::vector<Cell>(s.names.begin(), s.names.end()));
  for (auto& row : expected)
    for (auto& cell : row)
      if (!cell) cell = "";
  int status = 0;
  std::string out = run({python(), "-c",
                         "import csv, json, sys\n"
                         "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                         "    rows = list(csv.reader(f))\n"
                         "expected = json.load(sys.stdin)\n"
                         "print('equal' if rows == expected else json.dumps([rows, expected]))\n",
                         path},
                        &status, cells_json(expected));
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out, "equal\n");
}

TEST_F(DsvExtractorTest, PythonCsvWrittenFileLoads) {
  TARVEX_NEED_TOOL(python_has("csv"), "python3");
  std::string dir = temp_dir();
  std::string path = dir + "/python.csv";
  int status = 0;
  run({python(), "-c",
       "import csv, sys\n"
       "with open(sys.argv[1], 'w', newline='', encoding='utf-8') as f:\n"
       "    w = csv.writer(f)\n"
       "    w.writerow(['name', 'note'])\n"
       "    w.writerow(['a,b', 'say \"x\"'])\n"
       "    w.writerow(['multi\\nline', ''])\n",
       path},
      &status);
  ASSERT_EQ(status, 0);
  set_option(dsv_.get(), "FILENAME", path.c_str());
  GUniqueError error;
  auto model = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
      IM(dsv_.get()), 0, nullptr, nullptr, error.out()));
  ASSERT_FALSE(error) << error->message;
  EXPECT_EQ(names_of(model.get()), (std::vector<std::string>{"name", "note"}));
  // Python writes CR LF row ends and an empty field for ''.
  EXPECT_EQ(cells_of(model.get()), (Cells{{"a,b", "say \"x\""}, {"multi\nline", std::nullopt}}));
}

TEST_F(DsvExtractorTest, FileExportStreamsWithProgressAndReplacesTheFile) {
  std::string dir = temp_dir();
  std::string path = dir + "/out.csv";
  write_file(path, "old content that must go\n");
  auto empty = string_model({"id", "name"}, {});
  GUniqueError error;
  EXPECT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_file(
                EX(dsv_.get()), empty.get(), path.c_str(), nullptr, nullptr, error.out()),
            0);
  EXPECT_EQ(read_file(path), "id,name\n");

  auto model = string_model({"id"}, {{"1"}, {"2"}, {"3"}});
  std::vector<std::string> seen;
  auto record = +[](guint total, guint position, const gchar* text, gpointer target) {
    static_cast<std::vector<std::string>*>(target)->push_back(
        std::to_string(total) + "/" + std::to_string(position) + ":" + text);
  };
  EXPECT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_file(
                EX(dsv_.get()), model.get(), path.c_str(), record, &seen, error.out()),
            3);
  EXPECT_EQ(seen, (std::vector<std::string>{"3/1:1", "3/2:2", "3/3:3"}));
  EXPECT_EQ(read_file(path), "id\n1\n2\n3\n");
}

TEST_F(DsvExtractorTest, ExportToMissingFolderIsAnError) {
  auto model = string_model({"id"}, {{"1"}});
  GUniqueError error;
  EXPECT_EQ(
      tarvex_brevane_contracts_data_iexporter_export_to_file(
          EX(dsv_.get()), model.get(), "/nonexistent/folder/x.csv", nullptr, nullptr, error.out()),
      -1);
  EXPECT_TRUE(error);
}

TEST_F(DsvExtractorTest, LoadFromFileWithLimitAndEncoding) {
  std::string dir = temp_dir();
  std::string path = dir + "/latin1.csv";
  // "Größe" in ISO-8859-1.
  write_file(path,
             "name\nGr\xF6\xDF"
             "e\nb\nc\n");
  set_option(dsv_.get(), "FILENAME", path.c_str());
  set_option(dsv_.get(), "ENCODING", "ISO-8859-1");
  GUniqueError error;
  auto model = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
      IM(dsv_.get()), 2, nullptr, nullptr, error.out()));
  ASSERT_FALSE(error) << error->message;
  EXPECT_EQ(cells_of(model.get()), (Cells{{"Größe"}, {"b"}}));

  set_option(dsv_.get(), "ENCODING", "NO-SUCH-SET");
  auto none = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
      IM(dsv_.get()), 0, nullptr, nullptr, error.out()));
  EXPECT_FALSE(none);
  EXPECT_TRUE(error);
}

TEST_F(DsvExtractorTest, BadQuotationListIsAnError) {
  set_option(dsv_.get(), "QUOTATION_LIST", "[-]");
  GUniqueError error;
  EXPECT_FALSE(load_text("a\n", error.out()));
  EXPECT_GERROR(error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_OPTION);
}

TEST_F(DsvExtractorTest, ShortRecordsAreNotRows) {
  auto model = load_text("a,b\n1,2\n3\n4,5,6\n");
  ASSERT_TRUE(model);
  EXPECT_EQ(cells_of(model.get()), (Cells{{"1", "2"}, {"4", "5"}}));
}

}  // namespace
}  // namespace tarvex::test::data

namespace tarvex::test::data {
namespace {

// A byte that needs quotes is found wherever it stands in a long value,
// with the usual marks and with many marks of other options.
TEST_F(DsvExtractorTest, QuotesWhereverTheMarkStands) {
  struct Marks {
    const char* delimiter;
    const char* row_delimiter;
    const char* quotes;  // QUOTATION_LIST, or none
    std::vector<char> marks;
    char plain;  // a byte that needs no quotes
  };
  const std::vector<Marks> cases = {
      {",", "\n", nullptr, {',', '"', '\r', '\n'}, ';'},
      {";", "\r\n", "'-'-''-''", {';', '\'', '\r', '\n'}, ','},
      {"|", "#~", "<->-<<->>", {'|', '<', '>', '\r', '\n', '#', '~'}, '"'},
  };
  for (const Marks& m : cases) {
    set_option(dsv_.get(), "DELIMITER_COLUMN", m.delimiter);
    set_option(dsv_.get(), "DELIMITER_ROWNEW", m.row_delimiter);
    if (m.quotes) set_option(dsv_.get(), "QUOTATION_LIST", m.quotes);
    set_option(dsv_.get(), "HAS_HEADER", "false");
    for (char mark : m.marks)
      for (size_t at = 0; at < 19; ++at) {
        std::string value(19, 'a');
        value[at] = mark;
        auto model = string_model({"c"}, {{value}});
        std::string text = export_text(model.get());
        SCOPED_TRACE(std::string(m.delimiter) + " mark " + std::to_string(int(mark)) + " at " +
                     std::to_string(at));
        std::string open = m.quotes ? std::string(1, m.quotes[0]) : "\"";
        EXPECT_EQ(text.substr(0, open.size()), open) << text;
      }
    std::string value(19, m.plain);
    auto model = string_model({"c"}, {{value}});
    EXPECT_EQ(export_text(model.get()), value + m.row_delimiter);
  }
}

// A value that holds a delimiter of several characters, or starts or ends
// with a part of it, is quoted, so "a|" next to "||" never reads as a
// delimiter one character early; every edge text comes back in every
// position of a row.
TEST_F(DsvExtractorTest, MultiCharacterDelimiterKeepsEveryValue) {
  for (const char* delimiter : {"||", "|~|", "ab"}) {
    SCOPED_TRACE(delimiter);
    dsv_ = adoptGRef(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv"));
    set_option(dsv_.get(), "DELIMITER_COLUMN", delimiter);
    std::vector<std::string> texts = kEdgeTexts;
    texts.insert(texts.end(), {"b", "a", "xa", "bx", "|~", "~|", "~"});
    Cells rows;
    for (size_t i = 0; i < texts.size(); ++i)
      for (size_t k = 0; k < texts.size(); k += 5)
        rows.push_back({texts[i], texts[(i + k) % texts.size()], texts[(i + 1) % texts.size()]});
    auto model = string_model({"a|", "|b", "c"}, rows);
    std::string text = export_text(model.get());
    GUniqueError error;
    auto loaded = load_text(text, error.out());
    ASSERT_TRUE(loaded) << error->message;
    EXPECT_EQ(names_of(loaded.get()), (std::vector<std::string>{"a|", "|b", "c"}));
    EXPECT_EQ(cells_of(loaded.get()), rows) << text;
  }
  // The row of the report: both values quoted.
  set_option(dsv_.get(), "DELIMITER_COLUMN", "||");
  set_option(dsv_.get(), "HAS_HEADER", "false");
  auto model = string_model({"x", "y"}, {{"a|", "b"}, {"a", "|b"}});
  EXPECT_EQ(export_text(model.get()), "\"a|\"||b\na||\"|b\"\n");
}

}  // namespace
}  // namespace tarvex::test::data
