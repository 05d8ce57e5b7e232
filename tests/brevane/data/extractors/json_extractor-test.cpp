// The JSON extractor: round trips of every value kind, Python's json module
// as independent reader, NULLs, duplicate names, exact decimals, structure
// errors.
#include <gee.h>

#include "tests/brevane/data/data-test.h"
#include "tests/support/expect-gerror.h"

namespace tarvex::test::data {
namespace {

using Exporter = TarvexBrevaneContractsDataIExporter;
using Importer = TarvexBrevaneContractsDataIImporter;

Exporter* EX(gpointer p) {
  return reinterpret_cast<Exporter*>(p);
}
Importer* IM(gpointer p) {
  return reinterpret_cast<Importer*>(p);
}

class JsonExtractorTest : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    json_ = adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_json_extractor_new("json")));
  }

  std::string export_text(Model* model, gint* count = nullptr) {
    gchar* buffer = g_strdup("");
    GUniqueError error;
    gint n = tarvex_brevane_contracts_data_iexporter_export_to_text(EX(json_.get()), model, &buffer,
                                                                    nullptr, nullptr, error.out());
    EXPECT_FALSE(error) << error->message;
    if (count) *count = n;
    return take(buffer);
  }

  GRef<Model> load_text(const std::string& text, GError** error = nullptr) {
    return adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_text(
        IM(json_.get()), text.c_str(), nullptr, nullptr, error));
  }

  // Python's json module on the text: `expression` over `doc`, printed.
  std::string python_says(const std::string& text, const std::string& expression) {
    int status = 0;
    std::string out = run({python(), "-c",
                           "import json, sys\n"
                           "doc = json.loads(sys.stdin.read())\n"
                           "print(json.dumps(" + expression + ", ensure_ascii=False))\n"},
                          &status, text);
    EXPECT_EQ(status, 0) << out;
    return out;
  }

  GRef<GObject> json_;
};

TEST_F(JsonExtractorTest, RoundTripOfEveryKind) {
  Sample s = every_kind_sample();
  gint count = 0;
  std::string text = export_text(s.model.get(), &count);
  EXPECT_EQ(count, 5);
  auto loaded = load_text(text);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(names_of(loaded.get()), s.names);
  EXPECT_EQ(cells_of(loaded.get()), s.texts);
}

TEST_F(JsonExtractorTest, PythonJsonReadsTheExport) {
  if (!python_has("json")) GTEST_SKIP() << "python3 not installed";
  Sample s = every_kind_sample();
  std::string text = export_text(s.model.get());
  // Every member by name, typed as its column's kind says.
  int status = 0;
  std::string out = run({python(), "-c",
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
                          expected.insert(expected.begin(),
                                          std::vector<Cell>(s.names.begin(), s.names.end()));
                          return cells_json(expected);
                        }());
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out, "equal\nbool str float int None\n");
}

TEST_F(JsonExtractorTest, NullIsJsonNullInEveryColumn) {
  Sample s = every_kind_sample();
  std::string text = export_text(s.model.get());
  if (!python_has("json")) GTEST_SKIP() << "python3 not installed";
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

}  // namespace
}  // namespace tarvex::test::data
