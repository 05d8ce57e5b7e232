// HTML and Markdown exporters: html5lib reads the HTML, cmark-gfm the
// Markdown table (same cells).
#include <gee.h>

#include "providers/contracts/table-cells-private.h"
#include "tests/brevane/data/data-test.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/need-tool.h"

namespace tarvex::test::data {
namespace {

// The cells an HTML parser finds: header row first; <br> read as a line
// break.
const std::string kCellsOfHtml =
    std::string(kHtmlRowsProgram) +
    "title = doc.find('.//title')\n"
    "print(json.dumps({'title': title.text if title is not None else None, 'rows': rows}))\n";

// "equal" when the two JSON texts hold the same value; both texts otherwise.
std::string json_verdict(const std::string& a, const std::string& b) {
  int same = 0;
  return run({python(), "-c",
              "import json, sys\n"
              "a, b = sys.stdin.read().split('\\n@@SEP@@\\n')\n"
              "print('equal' if json.loads(a) == json.loads(b) else a + '\\n' + b)\n"},
             &same, a + "\n@@SEP@@\n" + b);
}

// What a reader of HTML gets back: CR LF and CR become LF; NULL is empty.
Cells as_html_reads(const std::vector<std::string>& names, const Cells& texts) {
  Cells out;
  out.push_back(std::vector<Cell>(names.begin(), names.end()));
  for (auto row : texts) {
    for (auto& cell : row) {
      std::string t = cell.value_or("");
      std::string n;
      for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r') {
          n += '\n';
          if (i + 1 < t.size() && t[i + 1] == '\n') ++i;
        } else {
          n += t[i];
        }
      }
      cell = n;
    }
    out.push_back(row);
  }
  return out;
}

class TableExportersTest : public LogCaptureTest {};

using namespace std::string_literals;

// A model of string columns whose texts go in through the table's cell
// interface with their lengths, so that they may hold U+0000.
GRef<Model> model_of_texts(const std::vector<std::string>& names, const Cells& rows) {
  auto model = string_model(names, {});
  const tarvex::models::TableCellsIface* cells = tarvex::models::table_cells_of(model.get());
  EXPECT_TRUE(cells);
  for (const auto& row : rows) {
    std::vector<const char*> texts;
    std::vector<gsize> lengths;
    for (const Cell& cell : row) {
      texts.push_back(cell ? cell->data() : nullptr);
      lengths.push_back(cell ? cell->size() : 0);
    }
    if (cells)
      cells->append_texts(G_OBJECT(model.get()), texts.data(), lengths.data(), guint(row.size()));
  }
  return model;
}

TEST_F(TableExportersTest, HtmlIsEscapedAndReadsBackWithHtml5lib) {
  TARVEX_NEED_TOOL(python_has("html5lib"), "python3-html5lib");
  Sample s = every_kind_sample(false);
  auto html =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_html_extractor_new("html")));
  set_option(html.get(), "TITLE", "<Report> & \"more\"");
  gint count = 0;
  std::string text = export_with(html.get(), s.model.get(), &count);
  EXPECT_EQ(count, gint(s.texts.size()));
  EXPECT_EQ(text.substr(text.size() - 7), "</html>");
  int status = 0;
  std::string out = run({python(), "-c", kCellsOfHtml}, &status, text);
  ASSERT_EQ(status, 0) << out;
  std::string expected = "{\"title\": \"<Report> & \\\"more\\\"\", \"rows\": " +
                         cells_json(as_html_reads(s.names, s.texts)) + "}\n";
  EXPECT_EQ(json_verdict(out, expected), "equal\n");
}

TEST_F(TableExportersTest, MarkdownTableReadsBackWithCmarkGfm) {
  TARVEX_NEED_TOOL(have_program("cmark-gfm"), "cmark-gfm");
  TARVEX_NEED_TOOL(python_has("html5lib"), "python3-html5lib");
  Sample s = every_kind_sample(false);
  auto md =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_markdown_extractor_new("md")));
  gint count = 0;
  std::string text = "Some paragraph right above." + export_with(md.get(), s.model.get(), &count);
  EXPECT_EQ(count, gint(s.texts.size()));
  int status = 0;
  std::string html = run({"cmark-gfm", "-e", "table", "--unsafe"}, &status, text);
  ASSERT_EQ(status, 0) << html;
  std::string out = run({python(), "-c", kCellsOfHtml}, &status, html);
  ASSERT_EQ(status, 0) << out;
  std::string expected =
      "{\"title\": null, \"rows\": " + cells_json(as_html_reads(s.names, s.texts)) + "}\n";
  EXPECT_EQ(json_verdict(out, expected), "equal\n") << text;
}

TEST_F(TableExportersTest, MarkdownOfAnEmptyModel) {
  auto md =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_markdown_extractor_new("md")));
  auto model = string_model({"id", "name"}, {});
  gint count = -1;
  EXPECT_EQ(export_with(md.get(), model.get(), &count), "\n| id | name |\n|----|------|\n");
  EXPECT_EQ(count, 0);
}

TEST_F(TableExportersTest, BaseFileExportOfAnEmptyModelWritesTheDocument) {
  auto html =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_html_extractor_new("html")));
  std::string dir = temp_dir();
  std::string path = dir + "/page.html";
  write_file(path, "older");
  auto model = string_model({"a"}, {});
  GUniqueError error;
  EXPECT_EQ(tarvex_brevane_contracts_data_iexporter_export_to_file(
                EX(html.get()), model.get(), path.c_str(), nullptr, nullptr, error.out()),
            0);
  EXPECT_NE(read_file(path).find("<th>a</th>"), std::string::npos);
}

// Only what changes a cell's meaning is escaped: the cell delimiter, the
// backslash and what opens inline markup, HTML or an entity. Dots, dashes,
// colons, at signs and equals signs read as they are; cmark-gfm reads
// every edge text back.
TEST_F(TableExportersTest, MarkdownEscapesOnlyWhatChangesACell) {
  auto md =
      adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_markdown_extractor_new("md")));
  struct Case {
    std::string text, cell;
  };
  const std::vector<Case> cases = {
      {"maria.anders@example.com", "maria.anders@example.com"},
      {"2021-03-14 09:26:53.589", "2021-03-14 09:26:53.589"},
      {"a = b: c - d!", "a = b: c - d!"},
      {"a|b\\c", "a\\|b\\\\c"},
      {"`x` *y* _z_ ~w~", "\\`x\\` \\*y\\* \\_z\\_ \\~w\\~"},
      {"<b> [l](u) &amp;", "\\<b> \\[l](u) \\&amp;"},
  };
  for (const auto& c : cases) {
    auto model = string_model({"v"}, {{c.text}});
    std::string text = export_with(md.get(), model.get());
    EXPECT_EQ(text, "\n| v |\n|---|\n| " + c.cell + " |\n");
  }
  if (!have_program("cmark-gfm") || !python_has("html5lib")) return;
  Cells rows;
  for (const auto& t : kEdgeTexts) rows.push_back({t});
  auto model = string_model({"v"}, rows);
  std::string text = "Above." + export_with(md.get(), model.get());
  int status = 0;
  std::string html = run({"cmark-gfm", "-e", "table", "--unsafe"}, &status, text);
  ASSERT_EQ(status, 0) << html;
  std::string out = run({python(), "-c", kCellsOfHtml}, &status, html);
  ASSERT_EQ(status, 0) << out;
  std::string expected =
      "{\"title\": null, \"rows\": " + cells_json(as_html_reads({"v"}, rows)) + "}\n";
  EXPECT_EQ(json_verdict(out, expected), "equal\n") << text;
}

// A text holding U+0000 is never cut: CSV writes the byte, JSON \u0000,
// SQL the literal writer's NCHAR(0). XML, HTML and Markdown cannot carry
// it (XML 1.0 forbids it, HTML and CommonMark readers make it U+FFFD):
// their export fails naming the row and the column, and leaves an older
// file as it was.
TEST_F(TableExportersTest, U0000IsWrittenWholeOrTheExportFails) {
  auto model = model_of_texts(
      {"id", "note"},
      {{"1", "plain"}, {"2", "a\0b"s}, {"3", "\0"s}, {std::nullopt, ""}, {"5", "\0end\0"s}});
  struct Case {
    const char* what;
    GRef<GObject> extractor;
    std::vector<std::string> pieces;  // what the file holds; none: the export fails
  };
  auto sql_option = [](GObject* extractor) {
    set_option(extractor, "TABLENAME", "t");
    return retainGRef(extractor);
  };
  std::vector<Case> cases;
  cases.push_back(
      {"csv",
       adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv"))),
       {"\n2,a\0b\n3,\0\n"s, "\n5,\0end\0\n"s}});
  cases.push_back(
      {"json",
       adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_json_extractor_new("json"))),
       {"\"a\\u0000b\"", "\"\\u0000\"", "\"\\u0000end\\u0000\""}});
  {
    auto insert =
        adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_sql_insert_extractor_new()));
    cases.push_back({"sql insert",
                     sql_option(insert.get()),
                     {"(N'2', N'a' + NCHAR(0) + N'b');", "(N'3', NCHAR(0));",
                      "(N'5', NCHAR(0) + N'end' + NCHAR(0));"}});
    auto update =
        adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_sql_update_extractor_new()));
    cases.push_back({"sql update",
                     sql_option(update.get()),
                     {"SET [note] = N'a' + NCHAR(0) + N'b' WHERE [id] = N'2';"}});
  }
  cases.push_back(
      {"xml",
       adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_xml_extractor_new("xml"))),
       {}});
  cases.push_back(
      {"html",
       adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_html_extractor_new("html"))),
       {}});
  cases.push_back(
      {"markdown",
       adoptGRef(G_OBJECT(tarvex_brevane_supports_data_extractors_markdown_extractor_new("md"))),
       {}});
  std::string dir = temp_dir();
  // The cells as the table keeps them, then as row and value objects.
  for (const char* how : {"cells", "values"}) {
    if (std::string(how) == "values") {
      auto* rows = GEE_LIST(tarvex_providers_contracts_table_model_get_rows(model.get()));
      for (gint r = 0; r < gee_collection_get_size(GEE_COLLECTION(rows)); ++r)
        g_object_unref(gee_list_get(rows, r));
    }
    for (const Case& c : cases) {
      SCOPED_TRACE(how);
      std::string path = dir + "/" + c.what;
      write_file(path, "older");
      GUniqueError error;
      gint count = tarvex_brevane_contracts_data_iexporter_export_to_file(
          EX(c.extractor.get()), model.get(), path.c_str(), nullptr, nullptr, error.out());
      std::string file = read_file(path);
      if (c.pieces.empty()) {
        EXPECT_EQ(count, -1) << c.what;
        EXPECT_GERROR(error.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                      TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_TEXT)
            << c.what;
        // The cell named: its row (from 1) and its column.
        if (error) {
          EXPECT_NE(std::string(error->message).find("row 2"), std::string::npos) << error->message;
          EXPECT_NE(std::string(error->message).find("note"), std::string::npos) << error->message;
        }
        EXPECT_EQ(file, "older") << c.what;
        // The text export fails alike.
        error.reset();
        export_with(c.extractor.get(), model.get(), &count, error.out());
        EXPECT_EQ(count, -1) << c.what;
        EXPECT_TRUE(error) << c.what;
        continue;
      }
      ASSERT_FALSE(error) << c.what << ": " << error->message;
      EXPECT_EQ(count, 5) << c.what;
      for (const std::string& piece : c.pieces)
        EXPECT_NE(file.find(piece), std::string::npos) << c.what << ": " << piece << "\n" << file;
    }
  }
}

}  // namespace
}  // namespace tarvex::test::data
