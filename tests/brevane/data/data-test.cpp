#include "tests/brevane/data/data-test.h"

#include <gee.h>
#include <glib/gstdio.h>
#include <json-glib/json-glib.h>

namespace tarvex::test::data {

namespace {

using Value = TarvexProvidersContractsValueObject;
using DT = TarvexProvidersContractsDataType;

template <typename T>
Value* V(T* v) {
  return reinterpret_cast<Value*>(v);
}

Value* date_time(const char* zone, int y, int mo, int d, int h, int mi, double s) {
  auto tz = adoptGRef(zone ? g_time_zone_new_identifier(zone) : g_time_zone_new_utc());
  auto dt = adoptGRef(g_date_time_new(tz.get(), y, mo, d, h, mi, s));
  return V(tarvex_providers_contracts_value_date_time_new_datetime(dt.get()));
}

Value* bytes(const std::string& b) {
  return V(tarvex_providers_contracts_value_binary_new(reinterpret_cast<const guint8*>(b.data()),
                                                       gint(b.size())));
}

Value* decimal(const char* text) {
  return V(tarvex_providers_contracts_value_decimal_new_string(text, nullptr));
}

Value* str(const char* text) {
  return V(tarvex_providers_contracts_value_string_new(text));
}

Value* null() {
  return V(tarvex_providers_contracts_value_null_new());
}

// Cells that are markup when written unescaped: an element, an entity and
// a quote for HTML; code, a link, emphasis, a table pipe and a backslash
// before one for Markdown.
constexpr const char* kMarkup = "a <i>x</i> & \"b\" &amp; &lt;";
constexpr const char* kMarkdown = "`code` [x](y) *em* _u_ ~s~ \\| <b>";

}  // namespace

Sample every_kind_sample(bool controls) {
  Sample s;
  std::vector<std::pair<std::string, DT>> columns = {
      {"id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32},
      {"big", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64},
      {"tiny", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT8},
      {"flag", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN},
      {"amount", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL},
      {"price", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY},
      {"ratio", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE},
      {"real", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT},
      {"day", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE},
      {"at", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME},
      {"stamp", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME},
      {"label, \"quoted\"", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING},
      {"Größe ]x[", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING},
      {"data", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY},
      {"tag", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID},
  };
  std::vector<DT> kinds;
  for (auto& c : columns) {
    kinds.push_back(c.second);
    s.names.push_back(c.first);
  }
  s.model = adoptGRef(
      tarvex_providers_contracts_table_model_new_with_types(kinds.data(), gint(kinds.size())));
  auto* cols = GEE_LIST(tarvex_providers_contracts_table_model_get_columns(s.model.get()));
  for (size_t i = 0; i < columns.size(); ++i) {
    auto col =
        adoptGRef(static_cast<TarvexProvidersContractsColumnModel*>(gee_list_get(cols, gint(i))));
    tarvex_providers_contracts_column_model_set_name(col.get(), columns[i].first.c_str());
  }
  std::string control = controls ? "bell\x07 and unit\x1f end" : "tab\tbetween";
  std::vector<std::vector<Value*>> rows = {
      {V(tarvex_providers_contracts_value_int32_new(G_MAXINT32)),
       V(tarvex_providers_contracts_value_int64_new(G_MININT64)),
       V(tarvex_providers_contracts_value_uint8_new(255)),
       V(tarvex_providers_contracts_value_boolean_new(TRUE)),
       decimal("-12345678901234567890123456.789012345678"),
       V(tarvex_providers_contracts_value_money_new(-922337203685477.5808)),
       V(tarvex_providers_contracts_value_double_new(0.1)),
       V(tarvex_providers_contracts_value_float_new(1.5f)),
       V(tarvex_providers_contracts_value_date_new_dmy(2024, 2, 29)),
       V(tarvex_providers_contracts_value_time_new_hms(23, 59, 59.5)),
       date_time("-08:00", 2024, 2, 29, 23, 59, 59.123456), str("He said \"hi\", then left"),
       str("Grüße 😀 ∑"),
       bytes(std::string("\x00\xff"
                         "A",
                         3)),
       V(tarvex_providers_contracts_value_uuid_new_uuid("6f9619ff-8b86-d011-b42d-00c04fc964ff"))},
      {V(tarvex_providers_contracts_value_int32_new(-1)), null(), null(), null(), null(), null(),
       null(), null(), null(), null(), null(), null(), null(), null(), null()},
      {V(tarvex_providers_contracts_value_int32_new(0)),
       V(tarvex_providers_contracts_value_int64_new(0)),
       V(tarvex_providers_contracts_value_uint8_new(0)),
       V(tarvex_providers_contracts_value_boolean_new(FALSE)), decimal("0.0000000001"),
       V(tarvex_providers_contracts_value_money_new(922337203685477.5807)),
       V(tarvex_providers_contracts_value_double_new(-1.7976931348623157e308)),
       V(tarvex_providers_contracts_value_float_new(-0.25f)),
       V(tarvex_providers_contracts_value_date_new_dmy(1, 1, 1)),
       V(tarvex_providers_contracts_value_time_new_hms(0, 0, 0)),
       date_time(nullptr, 9999, 12, 31, 23, 59, 59.999999), str(""),
       str("line one\r\nline two\nthree,\"four\"; -- x'); DROP TABLE t;--"), bytes(""),
       V(tarvex_providers_contracts_value_uuid_new_uuid("00000000-0000-0000-0000-000000000000"))},
      {V(tarvex_providers_contracts_value_int32_new(7)),
       V(tarvex_providers_contracts_value_int64_new(G_MAXINT64)),
       V(tarvex_providers_contracts_value_uint8_new(1)),
       V(tarvex_providers_contracts_value_boolean_new(TRUE)), decimal("12.50"),
       V(tarvex_providers_contracts_value_money_new(0)),
       V(tarvex_providers_contracts_value_double_new(1e300)),
       V(tarvex_providers_contracts_value_float_new(3.25f)),
       V(tarvex_providers_contracts_value_date_new_dmy(1999, 12, 31)),
       V(tarvex_providers_contracts_value_time_new_hms(1, 2, 3.0000001)),
       date_time("+05:45", 2000, 1, 1, 0, 0, 0), str(control.c_str()), str("\"starts with a quote"),
       bytes("text bytes"), null()},
      {V(tarvex_providers_contracts_value_int32_new(8)), null(), null(), null(), null(), null(),
       null(), null(), null(), null(), null(), str("   blanks around   "),
       str("ends with a quote\""), null(), null()},
      // Markup of HTML and Markdown: a reader must get the text back, not
      // an element, an entity, a link, code or emphasis.
      {V(tarvex_providers_contracts_value_int32_new(9)), null(), null(), null(), null(), null(),
       null(), null(), null(), null(), null(), str(kMarkup), str("|"), null(), null()},
      {V(tarvex_providers_contracts_value_int32_new(10)), null(), null(), null(), null(), null(),
       null(), null(), null(), null(), null(), str("*"), str(kMarkdown), null(), null()},
  };
  std::vector<std::vector<Cell>> texts = {
      {"2147483647", "-9223372036854775808", "255", "1", "-12345678901234567890123456.789012345678",
       std::nullopt, "0.1", "1.5", "2024-02-29", "23:59:59.5", "2024-02-29 23:59:59.123456-08:00",
       "He said \"hi\", then left", "Grüße 😀 ∑", "0x00FF41",
       "6f9619ff-8b86-d011-b42d-00c04fc964ff"},
      {"-1", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
       std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
       std::nullopt, std::nullopt},
      {"0", "0", "0", "0", "0.0000000001", std::nullopt, "-1.7976931348623157e+308", "-0.25",
       "0001-01-01", "00:00:00", "9999-12-31 23:59:59.999999", "",
       "line one\r\nline two\nthree,\"four\"; -- x'); DROP TABLE t;--", "0x",
       "00000000-0000-0000-0000-000000000000"},
      {"7", "9223372036854775807", "1", "1", "12.50", std::nullopt, "1e+300", "3.25", "1999-12-31",
       "01:02:03", "2000-01-01 00:00:00+05:45", control, "\"starts with a quote",
       "0x74657874206279746573", std::nullopt},
      {"8", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
       std::nullopt, std::nullopt, std::nullopt, std::nullopt, "   blanks around   ",
       "ends with a quote\"", std::nullopt, std::nullopt},
      {"9", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
       std::nullopt, std::nullopt, std::nullopt, std::nullopt, kMarkup, "|", std::nullopt,
       std::nullopt},
      {"10", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
       std::nullopt, std::nullopt, std::nullopt, std::nullopt, "*", kMarkdown, std::nullopt,
       std::nullopt},
  };
  for (size_t r = 0; r < rows.size(); ++r) {
    auto row = adoptGRef(tarvex_providers_contracts_table_model_new_row(s.model.get()));
    for (size_t c = 0; c < rows[r].size(); ++c) {
      // Money is a double: its own shortest text is what must come back.
      if (kinds[c] == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY &&
          !TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_NULL(rows[r][c]))
        texts[r][c] = value_text(rows[r][c]);
      tarvex_providers_contracts_row_model_set_value_at(row.get(), gint(c), rows[r][c]);
      g_object_unref(rows[r][c]);
    }
    tarvex_providers_contracts_table_model_append(s.model.get(), row.get());
  }
  s.texts = texts;
  return s;
}

const std::vector<std::string> kEdgeNumbers = {
    "99999999999999999999",
    "9223372036854775808",
    "-9223372036854775809",
    "12345678901234567890123456789012345678",
    "12345678901234567890.123456789",
    "922337203685477.5807",
    "-922337203685477.5808",
    "1E-400",
    "1e400",
};

const std::vector<std::string> kEdgeTexts = {
    "a|",
    "|b",
    "||",
    "|",
    "a||b",
    "|||",
    "a|b",
    "",
    " ",
    "\"",
    "\"\"",
    "a\"b",
    "x,y",
    "line\nbreak",
    "cr\r\nlf",
    "<b>&amp;</b>",
    "*star* _under_ `tick` ~tilde~ [link](x) \\ back",
    "maria.anders@example.com",
    "2021-03-14 09:26:53.589",
    "a = b: c - d",
    "Grüße 😀",
};

Sample edge_columns_sample() {
  Sample s;
  s.names = {"n", "n", "Result", "Result", "xmlnsVersion", "xmlns", "n_2"};
  s.texts = {
      {"1", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
      {"2", "second n", "count", "max", "1.0", "urn:x", "own n_2"},
      {"3", "", "0", "", "", "", ""},
  };
  s.model = string_model(s.names, s.texts);
  return s;
}

GRef<Model> string_model(const std::vector<std::string>& names, const Cells& rows) {
  std::vector<DT> kinds(names.size(), TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING);
  auto model = adoptGRef(
      tarvex_providers_contracts_table_model_new_with_types(kinds.data(), gint(kinds.size())));
  auto* cols = GEE_LIST(tarvex_providers_contracts_table_model_get_columns(model.get()));
  for (size_t i = 0; i < names.size(); ++i) {
    auto col =
        adoptGRef(static_cast<TarvexProvidersContractsColumnModel*>(gee_list_get(cols, gint(i))));
    tarvex_providers_contracts_column_model_set_name(col.get(), names[i].c_str());
  }
  for (const auto& cells : rows) {
    auto row = adoptGRef(tarvex_providers_contracts_table_model_new_row(model.get()));
    for (size_t c = 0; c < cells.size(); ++c) {
      Value* v = cells[c] ? str(cells[c]->c_str()) : null();
      tarvex_providers_contracts_row_model_set_value_at(row.get(), gint(c), v);
      g_object_unref(v);
    }
    tarvex_providers_contracts_table_model_append(model.get(), row.get());
  }
  return model;
}

std::vector<std::string> names_of(Model* model) {
  std::vector<std::string> out;
  auto* cols = GEE_LIST(tarvex_providers_contracts_table_model_get_columns(model));
  for (gint i = 0; i < gee_collection_get_size(GEE_COLLECTION(cols)); ++i) {
    auto col = adoptGRef(static_cast<TarvexProvidersContractsColumnModel*>(gee_list_get(cols, i)));
    out.push_back(tarvex_providers_contracts_column_model_get_name(col.get()));
  }
  return out;
}

Cells cells_of(Model* model) {
  Cells out;
  size_t width = names_of(model).size();
  auto* rows = GEE_LIST(tarvex_providers_contracts_table_model_get_rows(model));
  for (gint r = 0; r < gee_collection_get_size(GEE_COLLECTION(rows)); ++r) {
    auto row = adoptGRef(static_cast<TarvexProvidersContractsRowModel*>(gee_list_get(rows, r)));
    std::vector<Cell> cells;
    for (size_t c = 0; c < width; ++c) {
      auto v = adoptGRef(tarvex_providers_contracts_row_model_get_value_at(row.get(), gint(c)));
      if (!v || TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_NULL(v.get()))
        cells.emplace_back(std::nullopt);
      else
        cells.emplace_back(value_text(v.get()));
    }
    out.push_back(cells);
  }
  return out;
}

std::string temp_dir() {
  GUniqueStr dir(g_dir_make_tmp("data-test-XXXXXX", nullptr));
  return dir.get();
}

std::string read_file(const std::string& path) {
  gchar* contents = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr)) return "<missing>";
  std::string out(contents, length);
  g_free(contents);
  return out;
}

void write_file(const std::string& path, const std::string& text) {
  g_file_set_contents(path.c_str(), text.data(), gssize(text.size()), nullptr);
}

std::string run(const std::vector<std::string>& argv, int* status, const std::string& input) {
  std::vector<const char*> args;
  for (const auto& a : argv) args.push_back(a.c_str());
  args.push_back(nullptr);
  GUniqueError error;
  auto launcher = adoptGRef(g_subprocess_launcher_new(
      GSubprocessFlags(G_SUBPROCESS_FLAGS_STDIN_PIPE | G_SUBPROCESS_FLAGS_STDOUT_PIPE |
                       G_SUBPROCESS_FLAGS_STDERR_PIPE)));
  auto process = adoptGRef(g_subprocess_launcher_spawnv(launcher.get(), args.data(), error.out()));
  if (!process) {
    if (status) *status = -1;
    return error->message;
  }
  GUniqueStr out, err;
  g_subprocess_communicate_utf8(process.get(), input.c_str(), nullptr, out.out(), err.out(),
                                error.out());
  if (status)
    *status = g_subprocess_get_if_exited(process.get())
                  ? g_subprocess_get_exit_status(process.get())
                  : -1;
  std::string text = out ? out.get() : "";
  if (status && *status != 0 && err) text += err.get();
  return text;
}

std::string python() {
  return g_file_test("/usr/bin/python3", G_FILE_TEST_IS_EXECUTABLE) ? "/usr/bin/python3"
                                                                    : "python3";
}

bool have_program(const char* name) {
  GUniqueStr path(g_find_program_in_path(name));
  return bool(path);
}

bool python_has(const char* module) {
  int status = 0;
  run({python(), "-c", std::string("import ") + module}, &status);
  return status == 0;
}

std::string cells_json(const Cells& cells) {
  auto builder = adoptGRef(json_builder_new());
  json_builder_begin_array(builder.get());
  for (const auto& row : cells) {
    json_builder_begin_array(builder.get());
    for (const auto& cell : row) {
      if (cell)
        json_builder_add_string_value(builder.get(), cell->c_str());
      else
        json_builder_add_null_value(builder.get());
    }
    json_builder_end_array(builder.get());
  }
  json_builder_end_array(builder.get());
  JsonNode* root = json_builder_get_root(builder.get());
  gchar* text = json_to_string(root, FALSE);
  json_node_unref(root);
  // json-glib leaves U+001F unescaped; strict readers refuse it.
  std::string raw = take(text), out;
  for (char c : raw) {
    if (c == '\x1f')
      out += "\\u001f";
    else
      out += c;
  }
  return out;
}

void set_option(gpointer extractor, const char* key, const char* value) {
  GeeHashMap* options = tarvex_brevane_contracts_data_iexporter_get_options(EX(extractor));
  gee_abstract_map_set(GEE_ABSTRACT_MAP(options), key, value);
}

std::string export_with(gpointer extractor, Model* model, gint* count, GError** error) {
  gchar* buffer = g_strdup("");
  gint n = tarvex_brevane_contracts_data_iexporter_export_to_text(EX(extractor), model, &buffer,
                                                                  nullptr, nullptr, error);
  if (count) *count = n;
  return take(buffer);
}

GRef<Model> load_with(gpointer extractor, const std::string& text, GError** error) {
  return adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_text(
      IM(extractor), text.c_str(), nullptr, nullptr, error));
}

std::string ExtractorTest::export_text(Model* model, gint* count) {
  GUniqueError error;
  std::string text = export_with(extractor(), model, count, error.out());
  EXPECT_FALSE(error) << error->message;
  return text;
}

GRef<Model> ExtractorTest::load_text(const std::string& text, GError** error) {
  return load_with(extractor(), text, error);
}

void ExtractorTest::expect_round_trip_of_every_kind() {
  Sample s = every_kind_sample();
  gint count = 0;
  std::string text = export_text(s.model.get(), &count);
  EXPECT_EQ(count, gint(s.texts.size()));
  auto loaded = load_text(text);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(names_of(loaded.get()), s.names);
  EXPECT_EQ(cells_of(loaded.get()), s.texts);
}

const char* const kHtmlRowsProgram =
    "import html5lib, json, sys\n"
    "doc = html5lib.parse(sys.stdin.read(), namespaceHTMLElements=False)\n"
    "def text(e):\n"
    "    out = e.text or ''\n"
    "    for c in e:\n"
    "        out += ('\\n' if c.tag == 'br' else text(c)) + (c.tail or '')\n"
    "    return out\n"
    "rows = [[text(c) for c in tr if c.tag in ('td', 'th')] for tr in doc.iter('tr')]\n";

}  // namespace tarvex::test::data
