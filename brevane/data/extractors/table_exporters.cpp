// The HTML and Markdown table exporters.
#include <glib/gi18n-lib.h>

#include <string>
#include <string_view>
#include <vector>

#include "brevane/data/extractors/extractor-private.h"
#include "brevane/data/extractors/html_extractor.h"
#include "brevane/data/extractors/markdown_extractor.h"
#include "brevane/data/markup-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"

using namespace tarvex;
using namespace tarvex::data;

typedef struct _TarvexBrevaneSupportsDataExtractorsHtmlExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsHtmlExtractorPrivate;
typedef struct _TarvexBrevaneSupportsDataExtractorsHtmlExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsHtmlExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsHtmlExtractorPrivate {};
typedef struct _TarvexBrevaneSupportsDataExtractorsMarkdownExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsMarkdownExtractorPrivate;
typedef struct _TarvexBrevaneSupportsDataExtractorsMarkdownExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsMarkdownExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsMarkdownExtractorPrivate {};

namespace {

// Appends a text as g_markup_escape_text writes it: a text without a byte
// it would change (most cells) is copied as it is. False for a text
// holding U+0000, which an HTML reader turns into U+FFFD.
bool append_html(std::string& out, std::string_view text) {
  for (char ch : text) {
    auto c = guchar(ch);
    // Markup characters, control characters and the lead byte of U+0080 to
    // U+00BF (among them the C1 controls it writes as references).
    if (c < 0x20 || c == '&' || c == '<' || c == '>' || c == '\'' || c == '"' || c == 0x7F ||
        c == 0xC2) {
      if (text.find('\0') != std::string_view::npos) return false;
      out += html_escaped(std::string(text));
      return true;
    }
  }
  out += text;
  return true;
}

// The error of a cell holding U+0000 in a document that cannot carry it.
gint zero_character(GError** error, const char* document, guint row, const std::string& column) {
  set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_TEXT,
            _("row %u, column %s: the text holds U+0000, which %s cannot carry; the export "
              "stopped after %u rows and wrote nothing"),
            row, column.c_str(), document, row - 1);
  return -1;
}

gint write_html(Base* self, Model* model, ExportSink& sink, Progress progress, gpointer target,
                GError** error) {
  std::string& out = sink.out();
  std::string title = option(self, "TITLE", _("Table data"));
  out += "<!DOCTYPE html>\n<html>\n\t<head>\n\t\t<meta charset=\"UTF-8\">\n\t\t<title>" +
         html_escaped(title) +
         "</title>\n\t\t<style>table { border-collapse: collapse; width: 100%; } th, td { "
         "text-align: left; padding: 8px; } tr:nth-child(even) { background-color: rgba(0, 0, 0, "
         "0.05); } th { background-color: #7799AA; color: white; }</style>\n\t</head>\n\t<body>\n"
         "\t\t<table>\n\t\t\t<tr>";
  std::vector<ColumnInfo> columns = columns_of(model);
  for (const auto& column : columns) out += "<th>" + html_escaped(column.name) + "</th>";
  out += "</tr>\n";
  RowCells cells(model);
  guint total = cells.rows();
  for (guint r = 0; r < total; ++r) {
    cells.read(r);
    out += "\t\t\t";
    size_t start = out.size();
    out += "<tr>";
    for (guint c = 0; c < cells.width(); ++c) {
      out += "<td>";
      std::optional<std::string_view> text = cells.text(c);
      if (text && !append_html(out, *text))
        return zero_character(error, "HTML", r + 1, columns[c].name);
      out += "</td>";
    }
    out += "</tr>";
    if (progress) sink.progress(progress, total, r + 1, start, target);
    out += '\n';
    if (!sink.written()) return -1;
  }
  out += "\t\t</table>\n\t</body>\n</html>";
  return gint(total);
}

// Appends a text as markdown_cell writes it. Most cells are left as they
// are: a text whose bytes markdown_cell keeps, inside a cell and at its
// edges, is copied without its help.
class MarkdownCells {
 public:
  MarkdownCells() {
    for (int b = 1; b < 256; ++b) {
      std::string alone(1, char(b));
      std::string inside = "a" + alone + "a";
      inner_[b] = markdown_cell(inside) == inside;
      edge_[b] = inner_[b] && markdown_cell(alone) == alone;
    }
  }

  // False for a text holding U+0000, which a CommonMark reader turns into
  // U+FFFD.
  bool append(std::string& out, std::string_view text) {
    bool plain = text.empty() || (edge_[guchar(text.front())] && edge_[guchar(text.back())]);
    for (size_t i = 0; plain && i < text.size(); ++i) plain = inner_[guchar(text[i])];
    if (plain) {
      out += text;
      return true;
    }
    if (text.find('\0') != std::string_view::npos) return false;
    scratch_.assign(text);
    out += markdown_cell(scratch_);
    return true;
  }

 private:
  bool inner_[256] = {};
  bool edge_[256] = {};
  std::string scratch_;
};

gint write_markdown(Base*, Model* model, ExportSink& sink, Progress progress, gpointer target,
                    GError** error) {
  std::string& out = sink.out();
  std::vector<ColumnInfo> columns = columns_of(model);
  // A table needs a blank line before it to stand apart from a paragraph.
  out += "\n";
  std::string separator;
  for (const auto& column : columns) {
    out += "| " + markdown_cell(column.name) + " ";
    separator += "|" + std::string(std::max<size_t>(3, column.name.size() + 2), '-');
  }
  out += "|\n" + separator + "|\n";
  RowCells cells(model);
  guint total = cells.rows();
  MarkdownCells cell;
  for (guint r = 0; r < total; ++r) {
    cells.read(r);
    size_t start = out.size();
    for (guint c = 0; c < cells.width(); ++c) {
      if (std::optional<std::string_view> text = cells.text(c)) {
        out += "| ";
        if (!cell.append(out, *text))
          return zero_character(error, "Markdown", r + 1, columns[c].name);
        out += ' ';
      } else {
        out += "| ";
      }
    }
    out += '|';
    if (progress) sink.progress(progress, total, r + 1, start, target);
    out += '\n';
    if (!sink.written()) return -1;
  }
  return gint(total);
}

}  // namespace

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDataExtractorsHtmlExtractor,
                   tarvex_brevane_supports_data_extractors_html_extractor,
                   TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR)

static void tarvex_brevane_supports_data_extractors_html_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsHtmlExtractorClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass);
  base->export_to_text = export_to_text_with<write_html>;
  base->export_to_file = export_to_file_with<write_html>;
}

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDataExtractorsMarkdownExtractor,
                   tarvex_brevane_supports_data_extractors_markdown_extractor,
                   TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR)

static void tarvex_brevane_supports_data_extractors_markdown_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsMarkdownExtractorClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass);
  base->export_to_text = export_to_text_with<write_markdown>;
  base->export_to_file = export_to_file_with<write_markdown>;
}

#define EXTRACTOR_CONSTRUCTORS(Type, prefix, TYPE_MACRO)                                          \
  Type* prefix##_construct(GType object_type, const gchar* file_extension) {                      \
    TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_extension != nullptr, "file_extension != NULL", nullptr); \
    return reinterpret_cast<Type*>(                                                               \
        tarvex_brevane_supports_data_extractors_base_extractor_construct(object_type,             \
                                                                         file_extension));        \
  }                                                                                               \
  Type* prefix##_new(const gchar* file_extension) {                                               \
    TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_extension != nullptr, "file_extension != NULL", nullptr); \
    return prefix##_construct(TYPE_MACRO, file_extension);                                        \
  }

EXTRACTOR_CONSTRUCTORS(TarvexBrevaneSupportsDataExtractorsHtmlExtractor,
                       tarvex_brevane_supports_data_extractors_html_extractor,
                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_HTML_EXTRACTOR)
EXTRACTOR_CONSTRUCTORS(TarvexBrevaneSupportsDataExtractorsMarkdownExtractor,
                       tarvex_brevane_supports_data_extractors_markdown_extractor,
                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_MARKDOWN_EXTRACTOR)
