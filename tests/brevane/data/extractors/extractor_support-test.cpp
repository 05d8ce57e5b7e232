// Exports of tables a provider filled over real TDS: a table whose rows are
// still the provider's cells exports the same bytes as the same table with
// its rows and values made (or some of them edited), and exporting or
// loading makes no row or value object.
#include <json-glib/json-glib.h>

#include <functional>

#include "providers/contracts/table-cells-private.h"
#include "tests/brevane/data/data-test.h"
#include "tests/support/need-tool.h"
#include "tests/support/tds-server.h"
#include "tests/support/texts.h"

namespace tarvex::test::data {
namespace {

namespace tds = tarvex::test::tds;
using Row = TarvexProvidersContractsRowModel;
using Value = TarvexProvidersContractsValueObject;

const char* kQuery = "SELECT * FROM dbo.EveryKind";
// Kinds the provider keeps as cells in every row.
const char* kGenerated = "SELECT * FROM dbo.Generated";
constexpr guint kGeneratedRows = 5000;

// Every kind the provider reads, at its limits, NULL and empty side by
// side, with emoji, 38-digit decimals, money limits, negative offsets and
// 100 ns fractions.
const std::vector<tds::Column> kColumns = {
    {"bit", "bit", true},
    {"tiny", "tinyint", true},
    {"small", "smallint", true},
    {"int", "int", true},
    {"big", "bigint", true},
    {"real", "real", true},
    {"float", "float", true},
    {"dec38", "decimal(38,10)", true},
    {"dec38_0", "decimal(38,0)", true},
    {"num", "numeric(18,4)", true},
    {"smallmoney", "smallmoney", true},
    {"money", "money", true},
    {"varchar", "varchar(20)", true},
    {"nvarchar", "nvarchar(40)", true},
    {"varbinary", "varbinary(20)", true},
    {"guid", "uniqueidentifier", true},
    {"date", "date", true},
    {"time", "time(7)", true},
    {"datetime", "datetime", true},
    {"datetime2", "datetime2(7)", true},
    {"offset", "datetimeoffset(7)", true},
    {"xml", "xml", true},
};

const std::vector<tds::Row> kRows = {
    {"1", "255", "32767", "2147483647", "9223372036854775807", "3.4028235e38",
     "1.7976931348623157e308", "999999999999999999999999999.9999999999",
     "99999999999999999999999999999999999999", "99999999999999.9999", "214748.3647",
     "922337203685477.5807", "a,b\"c", "\xF0\x9F\x98\x80 \xC3\xBC \"q\"\nz", "0x00FF10",
     "6F9619FF-8B86-D011-B42D-00C04FC964FF", "9999-12-31", "23:59:59.9999999",
     "9999-12-31 23:59:59.997", "9999-12-31 23:59:59.9999999",
     "2024-02-29 13:14:15.1234567 -03:30", "<a>x</a>"},
    {"0", "0", "-32768", "-2147483648", "-9223372036854775808", "-1.5e-7", "5e-324",
     "-0.0000000001", "-99999999999999999999999999999999999999", "-0.0001", "-214748.3648",
     "-922337203685477.5808", "", "", "", "00000000-0000-0000-0000-000000000000", "0001-01-01",
     "00:00:00", "1900-01-01 00:00:00", "0001-01-01 00:00:00", "0001-01-01 00:00:00 +14:00",
     ""},
    {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
     std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
     std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
     std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    {"1", "7", "-1", "0", "1", "0.1", "0.1", "0", "0", "12.5", "0", "0.0001", "NULL",
     "x\x1f\x7fy\\", "0xDEADBEEF", "{6f9619ff-8b86-d011-b42d-00c04fc964ff}", "2024-02-29",
     "13:14:15.1", "2024-02-29 13:14:15.003", "2024-02-29 13:14:15.1000000",
     "2024-02-29 13:14:15 +00:00", "<r a='1'/>"},
    {"0", "1", "2", "3", "4", "1e20", "-1e20", "1", "1", "1", "1", "1", "x", "y", "0x01",
     "6F9619FF-8B86-D011-B42D-00C04FC964FF", "2024-01-01", "00:00:00.0000001",
     "2024-01-01 00:00:00.5", "2024-01-01 00:00:00.0000001", "2024-01-01 00:00:00 -00:30",
     "<b/>"},
};

class ExtractorSupportTest : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    tds::use_private_freetds_conf();
    server_.on_batch(kQuery).result(kColumns).rows(kRows);
    server_.on_batch(kGenerated).generate(kGeneratedRows, {{"Id", "int"},
                                                           {"Counter", "bigint"},
                                                           {"Ratio", "float"},
                                                           {"Amount", "decimal(18,4)"},
                                                           {"Label", "nvarchar(40)"},
                                                           {"Stamp", "datetime2(7)"},
                                                           {"Flag", "bit"},
                                                           {"Tag", "uniqueidentifier"}});
    server_.start();
    provider_ = adoptGRef(G_OBJECT(tarvex_providers_supports_sql_server_provider_new()));
    auto description = adoptGRef(tarvex_providers_contracts_server_new());
    tarvex_providers_contracts_server_set_host(description.get(), "127.0.0.1");
    tarvex_providers_contracts_server_set_port(description.get(), server_.port());
    tarvex_providers_contracts_server_set_username(description.get(), "sa");
    tarvex_providers_contracts_server_set_password(description.get(), "secret");
    GError* error = nullptr;
    tarvex_providers_contracts_iprovider_open(iprovider(), description.get(), "", &error);
    ASSERT_EQ(error, nullptr) << error->message;
    drop_provider_logs();
  }
  void TearDown() override {
    provider_ = nullptr;
    server_.stop();
    drop_provider_logs();
    drop_quiet_logs();
    LogCaptureTest::TearDown();
  }
  TarvexProvidersContractsIProvider* iprovider() {
    return reinterpret_cast<TarvexProvidersContractsIProvider*>(provider_.get());
  }
  void drop_provider_logs() {
    for (const auto& record : captured_logs())
      if (record.level == G_LOG_LEVEL_WARNING &&
          (record.message.find("provider:") != std::string::npos ||
           record.message.find("reader:") != std::string::npos))
        take_log(G_LOG_LEVEL_WARNING, record.message);
  }
  // A new table of the query, its rows still the provider's cells.
  GRef<Model> fill(const char* query = kQuery) {
    GError* error = nullptr;
    auto model = adoptGRef(
        tarvex_providers_contracts_iprovider_execute_model(iprovider(), query, 0, &error));
    EXPECT_EQ(error, nullptr) << error->message;
    drop_provider_logs();
    return model;
  }

  tds::Server server_;
  GRef<GObject> provider_;
};

GRef<GObject> extractor_of(const std::string& kind) {
  GRef<GObject> extractor;
  if (kind == "json")
    extractor = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_json_extractor_new("json")));
  else if (kind == "csv")
    extractor = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv")));
  else if (kind == "xml")
    extractor = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_xml_extractor_new("xml")));
  else if (kind == "html")
    extractor = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_html_extractor_new("html")));
  else if (kind == "md")
    extractor = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_markdown_extractor_new("md")));
  else if (kind == "insert")
    extractor = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_sql_insert_extractor_new()));
  else
    extractor = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_sql_update_extractor_new()));
  set_option(extractor.get(), "TABLENAME", "[dbo].[T]");
  return extractor;
}

// Every format: the ones that write cells themselves and the ones that
// write values.
const char* const kKinds[] = {"csv", "json", "xml", "html", "md", "insert", "update"};

std::string export_text(const char* kind, Model* model) {
  GRef<GObject> extractor = extractor_of(kind);
  GUniqueError error;
  gint count = 0;
  std::string text = export_with(extractor.get(), model, &count, error.out());
  // A refusal (XML takes no control characters) is the same on every path.
  if (error) {
    EXPECT_EQ(count, -1);
    return std::string("error: ") + error->message;
  }
  EXPECT_EQ(count, gint(g_list_model_get_n_items(G_LIST_MODEL(model))));
  return text;
}

GRef<Row> row_at(Model* model, guint index) {
  return adoptGRef(static_cast<Row*>(g_list_model_get_item(G_LIST_MODEL(model), index)));
}

// Every row object and value made and kept.
void make_every_value(Model* model) {
  GeeArrayList* rows = tarvex_providers_contracts_table_model_get_rows(model);
  gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(rows));
  for (gint i = 0; i < n; ++i) {
    auto row = adoptGRef(static_cast<Row*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(rows), i)));
    tarvex_providers_contracts_row_model_get_values(row.get());
  }
}

TEST_F(ExtractorSupportTest, FilledTableExportsAsItsValuesWould) {
  guint columns = guint(kColumns.size());
  for (const char* kind : kKinds) {
    SCOPED_TRACE(kind);
    // The reference: every cell through its value object.
    auto reference = fill();
    make_every_value(reference.get());
    std::string expected = export_text(kind, reference.get());
    if (std::string(kind) != "xml") {
      EXPECT_EQ(expected.rfind("error: ", 0), std::string::npos);
    }

    auto lazy = fill();
    EXPECT_EQ(export_text(kind, lazy.get()), expected);
    // Row objects made, their cells still the provider's.
    auto listed = fill();
    tarvex_providers_contracts_table_model_get_rows(listed.get());
    EXPECT_EQ(export_text(kind, listed.get()), expected);
    // Some cells made into values (kept by their rows), the others not.
    auto mixed = fill();
    for (guint r = 0; r < kRows.size(); ++r)
      for (guint c = r % 3; c < columns; c += 3) {
        auto row = row_at(mixed.get(), r);
        g_object_unref(tarvex_providers_contracts_row_model_get_value_at(row.get(), gint(c)));
      }
    EXPECT_EQ(export_text(kind, mixed.get()), expected);
    // The lazy table again, after the others: unchanged.
    EXPECT_EQ(export_text(kind, lazy.get()), expected);
  }
}

TEST_F(ExtractorSupportTest, EditedCellsExportTheirNewValues) {
  auto edited = fill();
  auto reference = fill();
  make_every_value(reference.get());
  for (Model* model : {edited.get(), reference.get()}) {
    auto text = adoptGRef(reinterpret_cast<Value*>(tarvex_providers_contracts_value_string_new("new, \"text\"")));
    tarvex_providers_contracts_table_model_set_value_at(model, 13, 1, text.get());
    auto null = adoptGRef(reinterpret_cast<Value*>(tarvex_providers_contracts_value_null_new()));
    tarvex_providers_contracts_table_model_set_value_at(model, 3, 0, null.get());
  }
  for (const char* kind : {"csv", "json"}) {
    SCOPED_TRACE(kind);
    std::string text = export_text(kind, edited.get());
    EXPECT_EQ(text, export_text(kind, reference.get()));
    EXPECT_NE(text.find("new, "), std::string::npos) << text;
  }
}

// The texts of the cells, as a reader of the CSV sees them.
TEST_F(ExtractorSupportTest, CsvOfAFilledTableReadsAsTheCells) {
  TARVEX_NEED_TOOL(have_program(python().c_str()), "python3");
  auto model = fill();
  std::string dir = temp_dir();
  write_file(dir + "/t.csv", export_text("csv", model.get()));
  int status = 0;
  std::string out = run({python(), "-c",
                         "import csv,json,sys\n"
                         "rows=list(csv.reader(open(sys.argv[1],newline='',encoding='utf-8')))\n"
                         "print(json.dumps(rows))",
                         dir + "/t.csv"},
                        &status);
  ASSERT_EQ(status, 0);
  auto parsed = adoptGRef(json_parser_new());
  ASSERT_TRUE(json_parser_load_from_data(parsed.get(), out.c_str(), -1, nullptr));
  JsonArray* rows = json_node_get_array(json_parser_get_root(parsed.get()));
  ASSERT_EQ(json_array_get_length(rows), kRows.size() + 1);
  auto cell = [&](guint r, guint c) {
    return std::string(json_array_get_string_element(json_array_get_array_element(rows, r + 1), c));
  };
  struct Expect {
    guint row, column;
    const char* text;
  };
  const Expect expected[] = {
      {0, 0, "1"},
      {0, 4, "9223372036854775807"},
      {0, 7, "999999999999999999999999999.9999999999"},
      {0, 8, "99999999999999999999999999999999999999"},
      {0, 11, "922337203685477.5807"},
      {0, 12, "a,b\"c"},
      {0, 13, "\xF0\x9F\x98\x80 \xC3\xBC \"q\"\nz"},
      {0, 14, "0x00FF10"},
      {0, 20, "2024-02-29 13:14:15.123456-03:30"},
      {1, 4, "-9223372036854775808"},
      {1, 7, "-0.0000000001"},
      {1, 11, "-922337203685477.5808"},
      {1, 12, ""},
      {1, 14, "0x"},
      {2, 12, ""},
      {3, 5, "0.1"},
      {3, 12, "NULL"},
      {3, 19, "2024-02-29 13:14:15.1"},
      {4, 20, "2024-01-01 00:00:00-00:30"},
  };
  for (const Expect& e : expected)
    EXPECT_EQ(cell(e.row, e.column), e.text) << "row " << e.row << ", column " << e.column;
}

// json-glib's own layout of a row, as the export wrote before it wrote
// rows itself (with U+001F escaped after it).
std::string json_glib_row(Model* model, guint index) {
  auto builder = adoptGRef(json_builder_new());
  json_builder_begin_object(builder.get());
  auto names = names_of(model);
  for (guint c = 0; c < names.size(); ++c) {
    json_builder_set_member_name(builder.get(), names[c].c_str());
    auto value = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(model, gint(c), gint(index)));
    std::string text = value_text(value.get());
    if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_NULL(value.get()))
      json_builder_add_null_value(builder.get());
    else if (c == 0)
      json_builder_add_int_value(builder.get(), g_ascii_strtoll(text.c_str(), nullptr, 10));
    else if (c == 1)
      json_builder_add_double_value(builder.get(), g_ascii_strtod(text.c_str(), nullptr));
    else
      json_builder_add_string_value(builder.get(), text.c_str());
  }
  json_builder_end_object(builder.get());
  auto generator = adoptGRef(json_generator_new());
  json_generator_set_pretty(generator.get(), TRUE);
  json_generator_set_indent(generator.get(), 4);
  JsonNode* root = json_builder_get_root(builder.get());
  json_generator_set_root(generator.get(), root);
  json_node_unref(root);
  std::string text = take(json_generator_to_data(generator.get(), nullptr));
  std::string out = "        ";
  for (char ch : text) {
    if (ch == '\n')
      out += "\n        ";
    else if (ch == '\x1f')
      out += "\\u001f";
    else
      out += ch;
  }
  return out;
}

TEST(ExtractorSupportJson, RowsAreLaidOutAsJsonGlibLaysThemOut) {
  std::string every_byte;
  for (int b = 1; b < 256; ++b) every_byte += char(b);
  const std::vector<std::vector<Cell>> cells = {
      {"1", "0.1", "plain", every_byte},
      {"-9223372036854775808", "-0", "\xF0\x9F\x98\x80", "a\"b\\c/\x1f\x7f"},
      {"9223372036854775807", "123.456", "", std::nullopt},
      {std::nullopt, "1e300", "\xff\xfe not UTF-8", "x"},
  };
  TarvexProvidersContractsDataType kinds[] = {
      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE,
      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING};
  auto model = adoptGRef(tarvex_providers_contracts_table_model_new_with_types(kinds, 4));
  const char* names[] = {"id", "ratio", "na\"me\x1f", "\xC3\xBC"};
  for (int c = 0; c < 4; ++c) {
    auto column = adoptGRef(static_cast<TarvexProvidersContractsColumnModel*>(gee_abstract_list_get(
        GEE_ABSTRACT_LIST(tarvex_providers_contracts_table_model_get_columns(model.get())), c)));
    tarvex_providers_contracts_column_model_set_name(column.get(), names[c]);
  }
  for (const auto& row : cells) {
    auto r = adoptGRef(tarvex_providers_contracts_table_model_new_row(model.get()));
    for (int c = 0; c < 4; ++c) {
      Value* v;
      if (!row[c])
        v = reinterpret_cast<Value*>(tarvex_providers_contracts_value_null_new());
      else if (c == 0)
        v = reinterpret_cast<Value*>(tarvex_providers_contracts_value_int64_new(g_ascii_strtoll(row[c]->c_str(), nullptr, 10)));
      else if (c == 1)
        v = reinterpret_cast<Value*>(tarvex_providers_contracts_value_double_new(g_ascii_strtod(row[c]->c_str(), nullptr)));
      else
        v = reinterpret_cast<Value*>(tarvex_providers_contracts_value_string_new(row[c]->c_str()));
      tarvex_providers_contracts_row_model_set_value_at(r.get(), c, v);
      g_object_unref(v);
    }
    tarvex_providers_contracts_table_model_append(model.get(), r.get());
  }
  std::string expected = "{\n    \"RECORDS\": [\n";
  for (guint i = 0; i < cells.size(); ++i)
    expected += json_glib_row(model.get(), i) + (i + 1 < cells.size() ? ",\n" : "\n");
  expected += "    ]\n}";
  EXPECT_EQ(export_text("json", model.get()), expected);
}

// json-glib writes a double without a point as "1e+20.0", which is not
// JSON; the export writes "1e+20".
TEST_F(ExtractorSupportTest, JsonOfLargeDoublesIsJson) {
  TARVEX_NEED_TOOL(have_program(python().c_str()), "python3");
  auto model = fill();
  std::string dir = temp_dir();
  write_file(dir + "/t.json", export_text("json", model.get()));
  int status = 0;
  std::string out = run({python(), "-c",
                         "import json,sys\n"
                         "r=json.load(open(sys.argv[1],encoding='utf-8'))['RECORDS']\n"
                         "print(repr(r[4]['real']), repr(r[4]['float']), repr(r[0]['float']),"
                         " r[2]['int'], r[0]['bit'])",
                         dir + "/t.json"},
                        &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(out, "1e+20 -1e+20 1.7976931348623157e+308 None True\n");
}

// Rows the table still keeps as cells: no row object, so no value object
// either, was made for them.
guint cell_rows(Model* model) {
  GType type = g_type_from_name("TarvexProvidersContractsTableCells");
  auto* reader = static_cast<const tarvex::models::TableCellsIface*>(
      type ? g_type_interface_peek(G_OBJECT_GET_CLASS(model), type) : nullptr);
  return reader ? reader->n_cell_rows(G_OBJECT(model)) : 0;
}

// In every format.
TEST_F(ExtractorSupportTest, ExportingAFilledTableMakesNoRowOrValue) {
  auto model = fill(kGenerated);
  guint rows = kGeneratedRows;
  EXPECT_EQ(cell_rows(model.get()), rows);
  std::vector<std::string> texts;
  for (const char* kind : kKinds) {
    texts.push_back(export_text(kind, model.get()));
    EXPECT_EQ(texts.back().rfind("error: ", 0), std::string::npos) << texts.back();
  }
  EXPECT_EQ(cell_rows(model.get()), rows);
  const std::string& csv = texts[0];
  // Reaching a row makes it then.
  auto row = row_at(model.get(), 0);
  EXPECT_EQ(cell_rows(model.get()), rows - 1);
  EXPECT_EQ(export_text("csv", model.get()), csv);
  // And the same bytes as through the values.
  make_every_value(model.get());
  EXPECT_EQ(cell_rows(model.get()), 0u);
  for (size_t k = 0; k < std::size(kKinds); ++k)
    EXPECT_EQ(export_text(kKinds[k], model.get()), texts[k]) << kKinds[k];
}

TEST_F(ExtractorSupportTest, LoadingCsvMakesNoRowOrValueUntilReached) {
  std::string text = "a,b\n";
  for (int i = 0; i < 1000; ++i) text += std::to_string(i) + ",x " + std::to_string(i) + "\n";
  auto dsv = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv")));
  GError* error = nullptr;
  auto loaded = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_text(
      IM(dsv.get()), text.c_str(), nullptr, nullptr, &error));
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(loaded.get())), 1000u);
  EXPECT_EQ(cell_rows(loaded.get()), 1000u);
  // A loaded row is a new row, as the table's new_row makes it.
  auto row = row_at(loaded.get(), 999);
  EXPECT_EQ(tarvex_providers_contracts_row_model_get_version(row.get()),
            TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT);
  auto value = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row.get(), 1));
  ASSERT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_STRING(value.get()));
  EXPECT_EQ(value_text(value.get()), "x 999");
  // The export of the loaded table gives the text back.
  EXPECT_EQ(export_text("csv", loaded.get()), text);
}

}  // namespace
}  // namespace tarvex::test::data
