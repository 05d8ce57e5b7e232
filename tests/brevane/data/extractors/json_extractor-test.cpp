// The JSON extractor: round trips of every value kind, Python's json module
// as independent reader, NULLs, duplicate names, exact decimals, structure
// errors.
#include <gee.h>
#include <json-glib/json-glib.h>

#include "tests/brevane/data/data-test.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/need-tool.h"

namespace tarvex::test::data {
namespace {

class JsonExtractorTest : public ExtractorTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    json_ = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_json_extractor_new("json")));
  }

  gpointer extractor() override { return json_.get(); }

  // Python's json module on the text: `expression` over `doc`, printed.
  std::string python_says(const std::string& text, const std::string& expression) {
    int status = 0;
    std::string out = run({python(), "-c",
                           "import json, sys\n"
                           "doc = json.loads(sys.stdin.read())\n"
                           "print(json.dumps(" +
                               expression + ", ensure_ascii=False))\n"},
                          &status, text);
    EXPECT_EQ(status, 0) << out;
    return out;
  }

  GRef<GObject> json_;
};

TEST_F(JsonExtractorTest, RoundTripOfEveryKind) {
  expect_round_trip_of_every_kind();
}

TEST_F(JsonExtractorTest, PythonJsonReadsTheExport) {
  TARVEX_NEED_TOOL(python_has("json"), "python3");
  Sample s = every_kind_sample();
  std::string text = export_text(s.model.get());
  // Every member by name, typed as its column's kind says.
  int status = 0;
  std::string out =
      run({python(), "-c",
           "import json, sys\n"
           "doc = json.loads(sys.argv[1])\n"
           "expected = json.loads(sys.stdin.read())\n"
           "names = expected[0]\n"
           "rows = [[r[n] for n in names] for r in doc['RECORDS']]\n"
           "def text(v):\n"
           "    if v is None: return None\n"
           "    if isinstance(v, bool): return '1' if v else '0'\n"
           "    if isinstance(v, float):\n"
           "        return str(int(v)) if v.is_integer() and abs(v) < 1e16 else repr(v)\n"
           "    return str(v)\n"
           "got = [[text(v) for v in r] for r in rows]\n"
           "print('equal' if got == expected[1:] else json.dumps([got, expected[1:]]))\n"
           "print(type(doc['RECORDS'][0]['flag']).__name__, "
           "type(doc['RECORDS'][0]['amount']).__name__, "
           "type(doc['RECORDS'][0]['ratio']).__name__, "
           "type(doc['RECORDS'][0]['big']).__name__, doc['RECORDS'][1]['flag'])\n",
           text},
          &status, [&] {
            Cells expected = s.texts;
            expected.insert(expected.begin(), std::vector<Cell>(s.names.begin(), s.names.end()));
            return cells_json(expected);
          }());
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out, "equal\nbool str float int None\n");
}

TEST_F(JsonExtractorTest, NullIsJsonNullInEveryColumn) {
  Sample s = every_kind_sample();
  std::string text = export_text(s.model.get());
  TARVEX_NEED_TOOL(python_has("json"), "python3");
  EXPECT_EQ(python_says(text, "[v for k, v in doc['RECORDS'][1].items() if k != 'id']"),
            "[null, null, null, null, null, null, null, null, null, null, null, null, null, "
            "null]\n");
}

TEST_F(JsonExtractorTest, DuplicateNamesKeepEveryValue) {
  auto model = string_model({"a", "a", "a_2", "a"}, {{"1", "2", "3", "4"}});
  std::string text = export_text(model.get());
  auto loaded = load_text(text);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(names_of(loaded.get()), (std::vector<std::string>{"a", "a_3", "a_2", "a_4"}));
  EXPECT_EQ(cells_of(loaded.get()), (Cells{{"1", "2", "3", "4"}}));
}

TEST_F(JsonExtractorTest, EscapedQuotesInDataStay) {
  auto loaded = load_text(R"({"RECORDS":[{"t":"say \\\"x\\\" and \"y\""}]})");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(cells_of(loaded.get()), (Cells{{"say \\\"x\\\" and \"y\""}}));
}

TEST_F(JsonExtractorTest, MembersMatchByName) {
  auto loaded = load_text(R"({"RECORDS":[{"a":"1","b":"2"},{"b":"4","a":"3"},{"b":"6"}]})");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(cells_of(loaded.get()), (Cells{{"1", "2"}, {"3", "4"}, {std::nullopt, "6"}}));
}

TEST_F(JsonExtractorTest, EmptyModelIsAnEmptyArray) {
  auto model = string_model({"id"}, {});
  gint count = -1;
  std::string text = export_text(model.get(), &count);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(text, "{\n    \"RECORDS\": []\n}");
  GUniqueError error;
  EXPECT_FALSE(load_text(text, error.out()));
  EXPECT_FALSE(error);
}

TEST_F(JsonExtractorTest, StructureErrors) {
  struct Case {
    const char* text;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"{}", "invalid json format: RECORDS member not exist."},
      {"[]", "invalid json format: root object not exist."},
      {R"({"RECORDS": {}})", "invalid json format: object array not exist."},
  };
  for (const auto& c : cases) {
    GUniqueError error;
    EXPECT_FALSE(load_text(c.text, error.out()));
    ASSERT_TRUE(error) << c.text;
    EXPECT_GERROR(error, g_quark_from_string("JSON"), -1);
    EXPECT_STREQ(error->message, c.message);
  }
  GUniqueError error;
  EXPECT_FALSE(load_text("{\"RECORDS\": [", error.out()));
  EXPECT_TRUE(error);
}

// A document is read record by record when it has the usual shape; every
// other shape is read as json-glib reads the whole document. Both give the
// same model, and the same error for a document that is not JSON.
GRef<Model> whole_document_model(const std::string& text, std::string* error_text) {
  auto parser = adoptGRef(json_parser_new_immutable());
  GError* error = nullptr;
  if (!json_parser_load_from_data(parser.get(), text.c_str(), -1, &error)) {
    *error_text = error->message;
    g_error_free(error);
    return nullptr;
  }
  JsonNode* root = json_parser_get_root(parser.get());
  JsonArray* records =
      json_node_get_array(json_object_get_member(json_node_get_object(root), "RECORDS"));
  std::vector<std::string> names;
  Cells rows;
  for (guint i = 0; i < json_array_get_length(records); ++i) {
    JsonObject* object = json_array_get_object_element(records, i);
    if (names.empty()) {
      GList* members = json_object_get_members(object);
      for (GList* m = members; m; m = m->next) names.emplace_back(static_cast<char*>(m->data));
      g_list_free(members);
    }
    std::vector<Cell> row;
    for (const auto& name : names) {
      JsonNode* node = json_object_get_member(object, name.c_str());
      if (!node || JSON_NODE_HOLDS_NULL(node))
        row.emplace_back(std::nullopt);
      else if (JSON_NODE_HOLDS_VALUE(node) && json_node_get_value_type(node) == G_TYPE_STRING)
        row.emplace_back(json_node_get_string(node));
      else if (JSON_NODE_HOLDS_VALUE(node) && json_node_get_value_type(node) == G_TYPE_INT64)
        row.emplace_back(std::to_string(json_node_get_int(node)));
      else
        row.emplace_back(take(json_to_string(node, FALSE)));
    }
    rows.push_back(std::move(row));
  }
  return string_model(names, rows);
}

TEST_F(JsonExtractorTest, EveryShapeLoadsAsTheWholeDocument) {
  const std::vector<std::string> texts = {
      "{\"RECORDS\":[{\"a\":1,\"b\":\"x y\"},{\"b\":\"2\",\"a\":null}]}",
      "\n\t{ \"RECORDS\" :\r\n [ { \"a\" : [ 1 , { \"n\" : [ ] } ] , \"b\" : \"\\\"}{][\" } ] } \n",
      // Other members around the records, and records named twice.
      "{\"before\": [1, 2], \"RECORDS\": [{\"a\": \"1\"}], \"after\": {\"x\": \"]\"}}",
      "{\"RECORDS\": [{\"a\": \"old\"}], \"RECORDS\": [{\"a\": \"new\"}]}",
      // Blanks between words keep them apart: not JSON.
      "{\"RECORDS\": [{\"a\": [1 2]}]}",
      "{\"RECORDS\": [{\"a\": tr ue}]}",
      "{\"RECORDS\": [{\"a\": \"1\"},]}",
      "{\"RECORDS\": [{\"a\": \"1\"}] extra",
      "{\"RECORDS\": [{\"a\": \"1\"}, {\"a\": \"2\"}",
      "{\"RECORDS\": [{\"a\": \"unterminated}]}",
  };
  std::string dir = temp_dir();
  for (const auto& text : texts) {
    SCOPED_TRACE(text);
    std::string expected_error;
    auto expected = whole_document_model(text, &expected_error);
    for (bool from_file : {false, true}) {
      GUniqueError error;
      GRef<Model> loaded;
      if (from_file) {
        write_file(dir + "/in.json", text);
        set_option(json_.get(), "FILENAME", (dir + "/in.json").c_str());
        loaded = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
            IM(json_.get()), 0, nullptr, nullptr, error.out()));
      } else {
        loaded = load_text(text, error.out());
      }
      if (!expected) {
        EXPECT_FALSE(loaded);
        ASSERT_TRUE(error);
        if (!from_file) {
          EXPECT_EQ(error->message, expected_error);
        }
        continue;
      }
      ASSERT_TRUE(loaded) << (error ? error->message : "");
      EXPECT_EQ(names_of(loaded.get()), names_of(expected.get()));
      EXPECT_EQ(cells_of(loaded.get()), cells_of(expected.get()));
    }
  }
}

TEST_F(JsonExtractorTest, LimitedLoadOfAnInvalidDocumentIsAnError) {
  std::string dir = temp_dir();
  write_file(dir + "/in.json", "{\"RECORDS\": [{\"a\": \"1\"}, {\"a\": \"2\"}, {\"a\": 3 4}]}");
  set_option(json_.get(), "FILENAME", (dir + "/in.json").c_str());
  GUniqueError error;
  auto loaded = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
      IM(json_.get()), 1, nullptr, nullptr, error.out()));
  EXPECT_FALSE(loaded);
  EXPECT_TRUE(error);
}

TEST_F(JsonExtractorTest, FileExportAndLoadWithLimit) {
  std::string dir = temp_dir();
  std::string path = dir + "/out.json";
  write_file(path, "older");
  auto model = string_model({"id"}, {{"1"}, {"2"}, {"3"}});
  GUniqueError error;
  EXPECT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_file(
                EX(json_.get()), model.get(), path.c_str(), nullptr, nullptr, error.out()),
            3);
  set_option(json_.get(), "FILENAME", path.c_str());
  auto loaded = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
      IM(json_.get()), 2, nullptr, nullptr, error.out()));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(cells_of(loaded.get()), (Cells{{"1"}, {"2"}}));
  auto empty = string_model({"id"}, {});
  EXPECT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_file(
                EX(json_.get()), empty.get(), path.c_str(), nullptr, nullptr, error.out()),
            0);
  EXPECT_EQ(read_file(path), "{\n    \"RECORDS\": []\n}");
}

// The two ways a document is read: streamed record by record (the usual
// shape) and parsed whole (another member beside the records).
std::vector<std::string> both_shapes(const std::string& records) {
  return {"{\"RECORDS\": [" + records + "]}", "{\"x\": 0, \"RECORDS\": [" + records + "]}"};
}

// A number keeps every digit where json-glib's value would wrap, round or
// overflow; a number a double or a 64-bit integer holds exactly reads as
// before. Numbers elsewhere in the record do not shift which text is whose.
TEST_F(JsonExtractorTest, NumbersKeepTheirDigits) {
  struct Case {
    std::string number, expected;
  };
  std::vector<Case> cases;
  for (const auto& n : kEdgeNumbers) cases.push_back({n, n});
  const std::vector<Case> exact = {
      {"9223372036854775807", "9223372036854775807"},
      {"-9223372036854775808", "-9223372036854775808"},
      {"0.1", "0.1"},
      {"1.50", "1.5"},
      {"-0", "0"},
      {"1e2", "1e+02"},
      {"0.10000000000000001", "0.1"},
      {"0.30000000000000004", "0.30000000000000004"},
  };
  cases.insert(cases.end(), exact.begin(), exact.end());
  for (const auto& c : cases)
    for (const auto& text : both_shapes("{\"a\": [1, 99999999999999999999, {\"k\": -1e999}], "
                                        "\"n\": " +
                                        c.number + ", \"s\": \"7\"}")) {
      SCOPED_TRACE(text);
      GUniqueError error;
      auto loaded = load_text(text, error.out());
      ASSERT_TRUE(loaded) << error->message;
      Cells cells = cells_of(loaded.get());
      ASSERT_EQ(cells.size(), 1u);
      EXPECT_EQ(cells[0][1], Cell(c.expected));
      EXPECT_EQ(cells[0][2], Cell("7"));
    }
}

// A document nested deeper than 512 levels is refused with an error before
// json-glib's parser (which recurses once per level) sees it; 512 levels
// still load.
TEST_F(JsonExtractorTest, DeepDocumentsAreRefused) {
  auto nested = [](size_t levels) { return std::string(levels, '[') + std::string(levels, ']'); };
  // The root object, the records array and the record are three levels.
  struct Case {
    std::string text;
    bool loads;
  };
  std::vector<Case> cases;
  for (const auto& text : both_shapes("{\"a\": " + nested(200000) + "}"))
    cases.push_back({text, false});
  cases.push_back({"{\"a\": " + nested(200000) + "}", false});
  cases.push_back({nested(200000), false});
  for (const auto& text : both_shapes("{\"a\": " + nested(509) + "}"))
    cases.push_back({text, true});
  for (const auto& text : both_shapes("{\"a\": " + nested(510) + "}"))
    cases.push_back({text, false});
  std::string dir = temp_dir();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60) + " (" + std::to_string(c.text.size()) + " bytes)");
    for (bool from_file : {false, true}) {
      GUniqueError error;
      GRef<Model> loaded;
      if (from_file) {
        write_file(dir + "/deep.json", c.text);
        set_option(json_.get(), "FILENAME", (dir + "/deep.json").c_str());
        loaded = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
            IM(json_.get()), 0, nullptr, nullptr, error.out()));
      } else {
        loaded = load_text(c.text, error.out());
      }
      EXPECT_EQ(bool(loaded), c.loads);
      EXPECT_EQ(bool(error), !c.loads);
      if (error && c.text.size() > 100000) {
        EXPECT_EQ(error->domain, g_quark_from_string("JSON"));
      }
    }
  }
}

// The record reader's own decoding, checked against the texts the
// document means, from a text and from a file alike.
class JsonReaderTest : public JsonExtractorTest {
 protected:
  // Loads `text` both ways: the model's cells, or the error's message.
  std::string loaded(const std::string& text, Cells* cells,
                     std::vector<std::string>* names = nullptr) {
    std::string from_text, from_file;
    Cells text_cells, file_cells;
    for (bool file : {false, true}) {
      GUniqueError error;
      GRef<Model> model;
      if (file) {
        std::string path = dir_ + "/in.json";
        write_file(path, text);
        set_option(json_.get(), "FILENAME", path.c_str());
        model = adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
            IM(json_.get()), 0, nullptr, nullptr, error.out()));
      } else {
        model = load_text(text, error.out());
      }
      std::string& message = file ? from_file : from_text;
      if (error) {
        EXPECT_EQ(error->domain, g_quark_from_string("JSON")) << error->message;
        message = error->message;
      } else if (model) {
        (file ? file_cells : text_cells) = cells_of(model.get());
        if (names) *names = names_of(model.get());
      }
    }
    EXPECT_EQ(from_text, from_file);
    EXPECT_EQ(text_cells, file_cells);
    *cells = text_cells;
    return from_text;
  }

  std::string dir_ = temp_dir();
};

TEST_F(JsonReaderTest, EscapesGiveTheirCharacters) {
  struct Case {
    std::string escaped, text;
  };
  const std::vector<Case> cases = {
      {R"(\uD83D\uDE00)", "\xF0\x9F\x98\x80"},
      {R"(\ud83d\ude00)", "\xF0\x9F\x98\x80"},
      {R"(a\uDBFF\uDFFFb)",
       "a\xF4\x8F\xBF\xBF"
       "b"},
      {R"(\u00e9\u00C9\u4E2D)", "\xC3\xA9\xC3\x89\xE4\xB8\xAD"},
      {R"(\u0001\u001f\u007f\uFFFF)", "\x01\x1F\x7F\xEF\xBF\xBF"},
      {R"(\"\\\/\b\f\n\r\t)", "\"\\/\b\f\n\r\t"},
      {R"(\\u0041)", "\\u0041"},
      {"Gr\xC3\xBC\xC3\x9F"
       "e \xF0\x9F\x98\x80",
       "Gr\xC3\xBC\xC3\x9F"
       "e \xF0\x9F\x98\x80"},
      // Control characters are not JSON, but json-glib has always read them.
      {"a\tb\nc\x01", "a\tb\nc\x01"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.escaped);
    Cells cells;
    std::vector<std::string> names;
    EXPECT_EQ(
        loaded("{\"RECORDS\": [{\"k" + c.escaped + "\": \"" + c.escaped + "\"}]}", &cells, &names),
        "");
    EXPECT_EQ(cells, (Cells{{c.text}}));
    EXPECT_EQ(names, (std::vector<std::string>{"k" + c.text}));
  }
}

// A text that cannot be a text value fails the load with an error naming
// its record and field: escapes JSON does not have, half of a surrogate
// pair, bytes that are not UTF-8, U+0000.
TEST_F(JsonReaderTest, BrokenTextsNameTheirRecordAndField) {
  const std::vector<std::string> texts = {
      R"(\uD83D)",        R"(\uDE00)", R"(\uD83Dx)", R"(\uD83D\u0041)",  R"(\uD83D\uD83D)",
      R"(\uDE00\uD83D)",  R"(\x41)",   R"(\')",      R"(\U0041)",        R"(\u12)",
      R"(\u12G4)",        R"(\u0000)", "\xFF",       "\xC0\x80",         "\xED\xA0\x80",
      "\xF4\x90\x80\x80", "\xE2\x82",  "\x80",       "\xF5\x80\x80\x80",
  };
  for (const auto& t : texts) {
    SCOPED_TRACE(t);
    Cells cells;
    std::string message = loaded(
        "{\"RECORDS\": [{\"id\": 1, \"note\": \"ok\"}, {\"id\": 2, \"note\": \"a" + t + "b\"}]}",
        &cells);
    EXPECT_NE(message.find("record 2"), std::string::npos) << message;
    EXPECT_NE(message.find("note"), std::string::npos) << message;
  }
}

// Blanks between every token, of every kind JSON has, change nothing.
TEST_F(JsonReaderTest, BlanksEverywhere) {
  const std::string blank = " \r\n\t ";
  std::string text;
  for (const char* token :
       {"{",     "\"RECORDS\"", ":", "[",     "{", "\"a\"",   ":", "-1.5e3", ",",
        "\"b\"", ":",           "[", "1",     ",", "true",    "]", ",",      "\"c\"",
        ":",     "null",        ",", "\"d\"", ":", "false",   "}", ",",      "{",
        "}",     ",",           "{", "\"a\"", ":", "\"x y\"", "}", "]",      "}"})
    text += blank + token;
  text += blank;
  Cells cells;
  std::vector<std::string> names;
  EXPECT_EQ(loaded(text, &cells, &names), "");
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(cells, (Cells{{"-1.5e+03", "[1,true]", std::nullopt, "0"},
                          {std::nullopt, std::nullopt, std::nullopt, std::nullopt},
                          {"x y", std::nullopt, std::nullopt, std::nullopt}}));
}

// Numbers read as json-glib's values print them where those hold them
// exactly, else as the document writes them; the same in both shapes.
TEST_F(JsonReaderTest, NumbersAsJsonGlibGivesThem) {
  struct Case {
    std::string number, text;
  };
  const std::vector<Case> cases = {
      {"-0", "0"},
      {"-0.0", "-0"},
      {"0e0", "0"},
      {"1e400", "1e400"},
      {"-1e400", "-1e400"},
      {"1E-400", "1E-400"},
      {"1e0400", "1e0400"},
      {"123456789012345678901234567890123456789", "123456789012345678901234567890123456789"},
      {"-123456789012345678901234567890123456789", "-123456789012345678901234567890123456789"},
      {"1.0", "1"},
      {"100.000", "1e+02"},
      {"12e-1", "1.2"},
      {"1e22", "1e+22"},
      {"0.000001", "1e-06"},
      {"-1.5e-7", "-1.5e-07"},
      {"5e-324", "5e-324"},
      {"2.2250738585072014e-308", "2.2250738585072014e-308"},
      {"1.7976931348623157e308", "1.7976931348623157e+308"},
      {"1.23456789012345678", "1.23456789012345678"},
      {"0.51234567890123457", "0.51234567890123457"},
      {"18446744073709551616", "18446744073709551616"},
  };
  for (const auto& c : cases)
    for (const auto& text : both_shapes("{\"n\": " + c.number + "}")) {
      SCOPED_TRACE(text);
      Cells cells;
      EXPECT_EQ(loaded(text, &cells), "");
      EXPECT_EQ(cells, (Cells{{c.text}}));
    }
}

// An array or an object in a field is kept as json-glib writes it, in
// both shapes.
TEST_F(JsonReaderTest, NestedValuesKeepTheirJsonText) {
  struct Case {
    std::string value, text;
  };
  const std::vector<Case> cases = {
      {"[1, 2.5, \"x\\u00e9\", null, true, [], {}]", "[1,2.5,\"x\xC3\xA9\",null,true,[],{}]"},
      {"{ \"k\" : [ \"]\" , \"}\\\"\" ] }", "{\"k\":[\"]\",\"}\\\"\"]}"},
      {"[]", "[]"},
      {"{}", "{}"},
  };
  for (const auto& c : cases)
    for (const auto& text : both_shapes("{\"v\": " + c.value + ", \"w\": 1}")) {
      SCOPED_TRACE(text);
      Cells cells;
      EXPECT_EQ(loaded(text, &cells), "");
      EXPECT_EQ(cells, (Cells{{c.text, "1"}}));
    }
}

// A member named twice in a record: the first names the column, the last
// gives the value, as json-glib keeps them (a load; an import refuses it).
TEST_F(JsonReaderTest, MemberNamedTwiceKeepsTheLastValue) {
  for (const auto& text :
       both_shapes("{\"a\": 1, \"b\": 2, \"a\": 3}, {\"b\": 5, \"a\": 4, \"\\u0062\": 6}")) {
    SCOPED_TRACE(text);
    Cells cells;
    std::vector<std::string> names;
    EXPECT_EQ(loaded(text, &cells, &names), "");
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(cells, (Cells{{"3", "2"}, {"4", "6"}}));
  }
}

// Records are read from the file in pieces: a text, an escape, a
// character or a number cut by a piece's end reads whole.
TEST_F(JsonReaderTest, RecordsAcrossTheReadsOfTheFile) {
  const std::vector<std::pair<std::string, std::string>> pieces = {
      {"\\uD83D\\uDE00", "\xF0\x9F\x98\x80"},
      {"\xF0\x9F\x98\x80\xC3\xA9\xE4\xB8\xAD", "\xF0\x9F\x98\x80\xC3\xA9\xE4\xB8\xAD"},
      {"\\n\\\"\\\\", "\n\"\\"},
  };
  const std::string head = "{\"RECORDS\": [{\"a\": \"";
  for (const auto& [escaped, text] : pieces)
    for (int shift = -12; shift <= 12; ++shift) {
      SCOPED_TRACE(escaped + " " + std::to_string(shift));
      std::string pad(size_t(65536 - int(head.size()) + shift), 'x');
      Cells cells;
      EXPECT_EQ(loaded(head + pad + escaped +
                           "\", \"b\": 1234567.891e-3, \"c\": true, \"d\": "
                           "[1, 2]}, {\"a\": null, \"c\": false}]}",
                       &cells),
                "");
      EXPECT_EQ(cells, (Cells{{pad + text, "1234.567891", "1", "[1,2]"},
                              {std::nullopt, std::nullopt, "0", std::nullopt}}));
    }
}

// A text holding U+0000 cannot be a text value (json-glib's strings end
// there): an error naming the record and the field, never a cut text.
TEST_F(JsonExtractorTest, TextWithZeroCharacterIsAnError) {
  for (const auto& text : both_shapes("{\"a\": \"x\", \"b\": \"1\"}, {\"b\": \"\\u0000\", \"a\": "
                                      "\"a\\u0000b\"}")) {
    SCOPED_TRACE(text);
    GUniqueError error;
    EXPECT_FALSE(load_text(text, error.out()));
    ASSERT_TRUE(error);
    EXPECT_NE(std::string(error->message).find("record 2"), std::string::npos) << error->message;
    EXPECT_NE(std::string(error->message).find(" b"), std::string::npos) << error->message;
  }
  // An escaped backslash before "u0000" is no zero character.
  auto loaded = load_text("{\"RECORDS\": [{\"a\": \"\\\\u0000\"}]}");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(cells_of(loaded.get()), (Cells{{"\\u0000"}}));
}

// Money is exact to four decimals, more than a double keeps at its limits:
// it is written as its text, as a decimal is.
TEST_F(JsonExtractorTest, MoneyIsWrittenAsItsText) {
  if (!python_has("json")) GTEST_SKIP() << "python3 not installed";
  Sample s = every_kind_sample();
  std::string text = export_text(s.model.get());
  std::vector<std::string> prices;
  for (const auto& row : s.texts) prices.push_back(row[5] ? "\"" + *row[5] + "\"" : "null");
  std::string expected = "[";
  for (size_t i = 0; i < prices.size(); ++i) expected += (i ? ", " : "") + prices[i];
  expected += "]\n";
  EXPECT_EQ(python_says(text, "[r['price'] for r in doc['RECORDS']]"), expected);
}

}  // namespace
}  // namespace tarvex::test::data
