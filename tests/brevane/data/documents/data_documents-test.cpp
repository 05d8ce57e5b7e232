// HTML and Markdown data dictionaries: html5lib reads the HTML, cmark-gfm the
// Markdown tables; every name, type, default and comment comes back whole.
#include <gee.h>

#include "tests/brevane/data/data-test.h"
#include "tests/support/need-tool.h"

namespace tarvex::test::data {
namespace {

// The title and every table row an HTML reader finds; <br> read as a line
// break. Prints "equal" when the title matches and every expected row is
// among the rows read.
const std::string kCheck = std::string(kHtmlRowsProgram) +
                           "title = doc.find(sys.argv[2])\n"
                           "want = json.loads(sys.argv[1])\n"
                           "missing = [r for r in want['rows'] if r not in rows]\n"
                           "got = text(title) if title is not None else None\n"
                           "print('equal' if not missing and got == want['title'] else "
                           "json.dumps([got, missing, rows]))\n";

const char* kTitle = "Dict <&> \"q\" | x";
const char* kName = "na<me>&\"|\nzé🙂";
const char* kComment = "a|b\nc <i>not italic</i> & d";

std::string meta_db(const std::string& path, bool html) {
  auto db = adoptGRef(tarvex_brevane_meta_model_meta_database_new());
  auto obj = [](gpointer p) { return reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(p); };
  tarvex_brevane_meta_model_meta_object_set_database(obj(db.get()), "db|<1>");
  auto schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new());
  tarvex_brevane_meta_model_meta_object_set_name(obj(schema.get()), "dbo");
  auto table = adoptGRef(tarvex_brevane_meta_model_meta_table_new());
  tarvex_brevane_meta_model_meta_object_set_schema(obj(table.get()), "dbo");
  tarvex_brevane_meta_model_meta_object_set_name(obj(table.get()), kName);
  tarvex_brevane_meta_model_meta_object_set_comment(obj(table.get()), kComment);
  auto column = adoptGRef(tarvex_brevane_meta_model_meta_column_new());
  tarvex_brevane_meta_model_meta_object_set_name(obj(column.get()), kName);
  tarvex_brevane_meta_model_meta_object_set_comment(obj(column.get()), kComment);
  tarvex_brevane_meta_model_meta_column_set_ordinal(column.get(), 1);
  tarvex_brevane_meta_model_meta_column_set_raw_type(column.get(), "nvarchar");
  tarvex_brevane_meta_model_meta_column_set_length(column.get(), -1);
  tarvex_brevane_meta_model_meta_column_set_default_value(column.get(), "(N'a|b<c>')");
  tarvex_brevane_meta_model_meta_column_set_not_null(column.get(), TRUE);
  gee_abstract_collection_add(
      GEE_ABSTRACT_COLLECTION(tarvex_brevane_meta_model_meta_table_get_columns(table.get())),
      column.get());
  gee_abstract_collection_add(
      GEE_ABSTRACT_COLLECTION(tarvex_brevane_meta_model_meta_schema_get_tables(schema.get())),
      table.get());
  gee_abstract_collection_add(
      GEE_ABSTRACT_COLLECTION(tarvex_brevane_meta_model_meta_database_get_schemas(db.get())),
      schema.get());
  TarvexBrevaneContractsDataConfiguration cfg{};
  cfg.title = g_strdup(kTitle);
  cfg.data_version = g_strdup("1.0");
  cfg.description = g_strdup("desc");
  cfg.footer_text = g_strdup("");
  cfg.footer_link = g_strdup("");
  GRef<GObject> document =
      html ? adoptGRef(G_OBJECT(tarvex_brevane_supports_data_documents_html_document_new()))
           : adoptGRef(G_OBJECT(tarvex_brevane_supports_data_documents_markdown_document_new()));
  GError* error = nullptr;
  tarvex_brevane_contracts_data_idocument_produce(
      reinterpret_cast<TarvexBrevaneContractsDataIDocument*>(document.get()), db.get(),
      path.c_str(), &cfg, nullptr, nullptr, &error);
  tarvex_brevane_contracts_data_configuration_destroy(&cfg);
  EXPECT_EQ(error, nullptr) << (error ? error->message : "");
  if (error) g_error_free(error);
  return read_file(path);
}

std::string expected_json() {
  // A JSON string of UTF-8 text: only quotes, backslashes and line breaks occur here.
  auto esc = [](const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
      if (c == '"' || c == '\\') out += '\\';
      if (c == '\n') {
        out += "\\n";
        continue;
      }
      out += c;
    }
    return out + "\"";
  };
  return "{\"title\": " + esc(kTitle) + ", \"rows\": [[\"1\", " + esc(kName) +
         ", \"nvarchar\", \"-1\", \"0\", \"No\", \"\", " + esc("(N'a|b<c>')") + ", " +
         esc(kComment) + "], [\"1\", " + esc(std::string("dbo.") + kName) + ", \"Data table\", " +
         esc(kComment) + "]]}";
}

class DocumentsTest : public LogCaptureTest {};

TEST_F(DocumentsTest, HtmlDictionaryReadsBackWhole) {
  TARVEX_NEED_TOOL(python_has("html5lib"), "python3-html5lib");
  std::string html = meta_db(temp_dir() + "/dict.html", true);
  int status = 0;
  std::string out = run({python(), "-c", kCheck, expected_json(), ".//title"}, &status, html);
  EXPECT_EQ(out, "equal\n") << html;
}

TEST_F(DocumentsTest, MarkdownDictionaryTablesReadBackWhole) {
  TARVEX_NEED_TOOL(have_program("cmark-gfm"), "cmark-gfm");
  TARVEX_NEED_TOOL(python_has("html5lib"), "python3-html5lib");
  std::string md = meta_db(temp_dir() + "/dict.md", false);
  int status = 0;
  std::string html = run({"cmark-gfm", "-e", "table", "--unsafe"}, &status, md);
  ASSERT_EQ(status, 0) << html;
  // The section heading keeps its anchor on one line, named as the index links it.
  EXPECT_NE(html.find("<h2><strong>Table:</strong> <a id='dbo.na%3Cme%3E%26%22%7C%0Az%C3%A9"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("href=\"#dbo.na%3Cme%3E%26%22%7C%0Az%C3%A9"), std::string::npos) << html;
  std::string out = run({python(), "-c", kCheck, expected_json(), ".//h1"}, &status, html);
  EXPECT_EQ(out, "equal\n") << md;
}

}  // namespace
}  // namespace tarvex::test::data
