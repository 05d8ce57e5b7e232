// The HTML and Markdown table exporters.
#include <glib/gi18n-lib.h>

#include <string>
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
typedef struct _TarvexBrevaneSupportsDataExtractorsHtmlExtractorPrivate TarvexBrevaneSupportsDataExtractorsHtmlExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsHtmlExtractorPrivate {};
typedef struct _TarvexBrevaneSupportsDataExtractorsMarkdownExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsMarkdownExtractorPrivate;
typedef struct _TarvexBrevaneSupportsDataExtractorsMarkdownExtractorPrivate TarvexBrevaneSupportsDataExtractorsMarkdownExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsMarkdownExtractorPrivate {};

namespace {

gint html_export_to_text(Base* self, Model* model, gchar** buffer, Progress progress,
                         gpointer target, GError**) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(buffer != nullptr && *buffer != nullptr, "*buffer != NULL", 0);
  std::string title = option(self, "TITLE", _("Table data"));
  std::string text =
      "<!DOCTYPE html>\n<html>\n\t<head>\n\t\t<meta charset=\"UTF-8\">\n\t\t<title>" +
      html_escaped(title) +
      "</title>\n\t\t<style>table { border-collapse: collapse; width: 100%; } th, td { "
      "text-align: left; padding: 8px; } tr:nth-child(even) { background-color: rgba(0, 0, 0, "
      "0.05); } th { background-color: #7799AA; color: white; }</style>\n\t</head>\n\t<body>\n"
      "\t\t<table>\n\t\t\t<tr>";
  for (const auto& column : columns_of(model)) text += "<th>" + html_escaped(column.name) + "</th>";
  text += "</tr>\n";
  guint total = row_count(model);
  gint count = 0;
  std::string row;
  for_each_row(model, [&](guint position, const std::vector<Value*>& values) {
    row = "<tr>";
    for (Value* v : values) row += "<td>" + html_escaped(export_text(v).value_or("")) + "</td>";
    row += "</tr>";
    text += "\t\t\t" + row + "\n";
    ++count;
    if (progress) progress(total, position, row.c_str(), target);
    return true;
  });
  text += "\t\t</table>\n\t</body>\n</html>";
  g_free(*buffer);
  *buffer = dup(text);
  return count;
}

gint markdown_export_to_text(Base*, Model* model, gchar** buffer, Progress progress,
                             gpointer target, GError**) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(buffer != nullptr && *buffer != nullptr, "*buffer != NULL", 0);
  std::vector<ColumnInfo> columns = columns_of(model);
  // A table needs a blank line before it to stand apart from a paragraph.
  std::string text = "\n";
  std::string separator;
  for (const auto& column : columns) {
    text += "| " + markdown_cell(column.name) + " ";
    separator += "|" + std::string(std::max<size_t>(3, column.name.size() + 2), '-');
  }
  text += "|\n" + separator + "|\n";
  guint total = row_count(model);
  gint count = 0;
  std::string row;
  for_each_row(model, [&](guint position, const std::vector<Value*>& values) {
    row.clear();
    for (Value* v : values) {
      std::optional<std::string> cell = export_text(v);
      row += cell ? "| " + markdown_cell(*cell) + " " : "| ";
    }
    row += "|";
    text += row + "\n";
    ++count;
    if (progress) progress(total, position, row.c_str(), target);
    return true;
  });
  g_free(*buffer);
  *buffer = dup(text);
  return count;
}

}  // namespace

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDataExtractorsHtmlExtractor,
                   tarvex_brevane_supports_data_extractors_html_extractor,
                   TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR)

static void tarvex_brevane_supports_data_extractors_html_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsHtmlExtractorClass* klass) {
  reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass)->export_to_text =
      html_export_to_text;
}

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDataExtractorsMarkdownExtractor,
                   tarvex_brevane_supports_data_extractors_markdown_extractor,
                   TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR)

static void tarvex_brevane_supports_data_extractors_markdown_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsMarkdownExtractorClass* klass) {
  reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass)->export_to_text =
      markdown_export_to_text;
}

#define EXTRACTOR_CONSTRUCTORS(Type, prefix, TYPE_MACRO)                                        \
  Type* prefix##_construct(GType object_type, const gchar* file_extension) {                   \
    TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_extension != nullptr, "file_extension != NULL", nullptr); \
    return reinterpret_cast<Type*>(                                                             \
        tarvex_brevane_supports_data_extractors_base_extractor_construct(object_type,           \
                                                                         file_extension));      \
  }                                                                                             \
  Type* prefix##_new(const gchar* file_extension) {                                            \
    TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_extension != nullptr, "file_extension != NULL", nullptr); \
    return prefix##_construct(TYPE_MACRO, file_extension);                                      \
  }

EXTRACTOR_CONSTRUCTORS(TarvexBrevaneSupportsDataExtractorsHtmlExtractor,
                       tarvex_brevane_supports_data_extractors_html_extractor,
                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_HTML_EXTRACTOR)
EXTRACTOR_CONSTRUCTORS(TarvexBrevaneSupportsDataExtractorsMarkdownExtractor,
                       tarvex_brevane_supports_data_extractors_markdown_extractor,
                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_MARKDOWN_EXTRACTOR)
