// HTML and Markdown exporters: html5lib reads the HTML, cmark-gfm the
// Markdown table (same cells).
#include <gee.h>

#include "tests/brevane/data/data-test.h"
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

}  // namespace
}  // namespace tarvex::test::data
