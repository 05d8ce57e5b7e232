// The HTML and Markdown data dictionaries.
#include <glib/gi18n-lib.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "brevane/data/documents/html_document.h"
#include "brevane/data/documents/markdown_document.h"
#include "brevane/model/meta-helpers-private.h"
#include "brevane/model/meta_database.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"

using namespace tarvex;

typedef struct _TarvexBrevaneSupportsDataDocumentsHtmlDocumentPrivate
    TarvexBrevaneSupportsDataDocumentsHtmlDocumentPrivate;
typedef struct _TarvexBrevaneSupportsDataDocumentsHtmlDocumentPrivate
    TarvexBrevaneSupportsDataDocumentsHtmlDocumentPrivate;
struct _TarvexBrevaneSupportsDataDocumentsHtmlDocumentPrivate {};
typedef struct _TarvexBrevaneSupportsDataDocumentsMarkdownDocumentPrivate
    TarvexBrevaneSupportsDataDocumentsMarkdownDocumentPrivate;
typedef struct _TarvexBrevaneSupportsDataDocumentsMarkdownDocumentPrivate
    TarvexBrevaneSupportsDataDocumentsMarkdownDocumentPrivate;
struct _TarvexBrevaneSupportsDataDocumentsMarkdownDocumentPrivate {};

namespace {

using Database = TarvexBrevaneMetaModelMetaDatabase;
using Schema = TarvexBrevaneMetaModelMetaSchema;
using Object = TarvexBrevaneMetaModelMetaObject;
using Column = TarvexBrevaneMetaModelMetaColumn;
using Config = TarvexBrevaneContractsDataConfiguration;

std::string text_of(const gchar* text) {
  return text ? text : "";
}

template <typename T>
std::vector<GRef<T>> items(GeeArrayList* list) {
  std::vector<GRef<T>> out;
  if (!list) return out;
  gint size = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
  for (gint i = 0; i < size; ++i)
    out.emplace_back(
        GRef<T>::adopt(static_cast<T*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i))));
  return out;
}

using tarvex::meta::comment_of;
using tarvex::meta::database_of;
using tarvex::meta::name_of;
using tarvex::meta::schema_of;

std::string format(const char* fmt, ...) G_GNUC_PRINTF(1, 2);
std::string format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  GUniqueStr out(g_strdup_vprintf(fmt, args));
  va_end(args);
  return out.get();
}

// Text or attribute value of a dictionary page that an HTML5 reader gives
// back unchanged: a carriage return is a reference (a raw one would be read
// as a line feed), and U+0080 to U+009F stand as themselves, since a
// reference to them is read as a Windows-1252 character.
std::string html_text(const std::string& text) {
  std::string out;
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        if ((u < 0x20 && c != '\t' && c != '\n') || u == 0x7F)
          out += format("&#%u;", unsigned(u));
        else
          out += c;
    }
  }
  return out;
}

// Markdown text a GFM reader (tables, autolinks, strikethrough, tag filter)
// gives back as the same text: punctuation is escaped, line breaks are <br>
// and the other white space at either edge, which readers trim, is written as
// references. An empty comment before each "@" keeps the autolinker from
// reading an e-mail address into the text.
std::string markdown_text(const std::string& text) {
  auto edge = [](char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
  };
  size_t start = 0, end = text.size();
  while (start < end && edge(text[start])) ++start;
  while (end > start && edge(text[end - 1])) --end;
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    bool inner = i >= start && i < end;
    if (c == '\r' || c == '\n') {
      // HTML reads a carriage return as a line feed: CR LF is one break.
      out += "<br>";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (!inner && edge(c)) {
      out += format("&#%d;", int(c));
    } else if (c == '@') {
      out += "<!---->@";
    } else if (g_ascii_ispunct(c)) {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out;
}

// The anchor of an object: schema and name percent-encoded apart (a dot in
// a name is encoded too, so [a.b].[c] and [a].[b.c] differ) and joined by a
// dot. Only letters, digits, "-", "_", "." and "%" remain, which URL parsing
// leaves as they are, so the link's fragment names the anchor exactly.
std::string anchor_part(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (g_ascii_isalnum(c) || c == '-' || c == '_')
      out += c;
    else
      out += format("%%%02X", unsigned(static_cast<unsigned char>(c)));
  }
  return out;
}

std::string anchor_of(gpointer object) {
  return anchor_part(schema_of(object)) + "." + anchor_part(name_of(object));
}

// Writes one piece; false with the error set when the stream refuses it.
bool put(GDataOutputStream* stream, const std::string& text, GError** error) {
  return g_output_stream_write_all(G_OUTPUT_STREAM(stream), text.data(), text.size(), nullptr,
                                   nullptr, error);
}

// The cells of one column row, before escaping.
struct ColumnCells {
  std::string ordinal, name, type, length, scale, null, primary, defaults, comment;
};

ColumnCells cells_of(Column* column) {
  ColumnCells c;
  c.ordinal = format("%u", tarvex_brevane_meta_model_meta_column_get_ordinal(column));
  c.name = name_of(column);
  c.type = text_of(tarvex_brevane_meta_model_meta_column_get_raw_type(column));
  c.length = format("%lli", (long long)tarvex_brevane_meta_model_meta_column_get_length(column));
  c.scale = format("%hhu", tarvex_brevane_meta_model_meta_column_get_scale(column));
  c.null = tarvex_brevane_meta_model_meta_column_get_not_null(column) ? _("No") : _("Yes");
  c.primary = tarvex_brevane_meta_model_meta_column_get_is_primary_key(column) ? _("Yes") : "";
  c.defaults = text_of(tarvex_brevane_meta_model_meta_column_get_default_value(column));
  c.comment = comment_of(column);
  return c;
}

// An I/O failure goes to the caller; any other is logged and ends the section.
void section_failed(GError* failure, GError** error, int line) {
  if (failure->domain == G_IO_ERROR) {
    g_propagate_error(error, failure);
    return;
  }
  g_critical("file %s: line %d: uncaught error: %s (%s, %d)", __FILE__, line, failure->message,
             g_quark_to_string(failure->domain), failure->code);
  g_error_free(failure);
}

// ---- HTML ----

void html_section(GDataOutputStream* stream, gpointer object, GeeArrayList* columns,
                  const std::string& anchor, GError** error) {
  std::string schema = html_text(schema_of(object)), name = html_text(name_of(object));
  std::string text = "<div style='margin-top:30px;'><a id='" + anchor + "'></a>";
  text += _("<a href='#index' style='float:right; margin-top:6px;'>Content</a>");
  text += format(_("<h3>Table: %s.%s</h3></div>"), schema.c_str(), name.c_str());
  text += format(_("<div>Description: %s</div>"), html_text(comment_of(object)).c_str());
  text += _("<div>Columns:</div>");
  text += "<table cellspacing='1'><thead><tr><td style='width:40px;'>";
  text +=
      _("No</td><td>Name</td><td>Type</td><td> Length </td><td>Scale</td><td>Null</td>"
        "<td>Primary key</td><td>Default</td><td>Description</td>");
  text += "</tr></thead>";
  for (const auto& column : items<Column>(columns)) {
    ColumnCells c = cells_of(column.get());
    text += "<tr><td style='text-align:center;'>" + html_text(c.ordinal) + "</td>";
    for (const std::string* cell :
         {&c.name, &c.type, &c.length, &c.scale, &c.null, &c.primary, &c.defaults, &c.comment})
      text += "<td>" + html_text(*cell) + "</td>";
    text += "</tr>";
  }
  text += "</table>";
  GError* failure = nullptr;
  if (!put(stream, text, &failure)) section_failed(failure, error, __LINE__);
}

// ---- Markdown ----

void markdown_section(GDataOutputStream* stream, gpointer object, GeeArrayList* columns,
                      const std::string& anchor, GError** error) {
  std::string schema = markdown_text(schema_of(object)), name = markdown_text(name_of(object));
  std::string text = format(_("## **Table:** <a id='%s'>%s.%s</a>\n"), anchor.c_str(),
                            schema.c_str(), name.c_str());
  text += format(_("**Description:** %s<br/>\n"), markdown_text(comment_of(object)).c_str());
  text += _("**Columns:**<br/>\n");
  // A table needs a blank line before it to stand apart from a paragraph.
  text += "\n";
  text +=
      _("| No | Name | Type |  Length  | Scale | Null | Primary key | Default | Description |\n");
  text += "| :--: | :--- | :------: | :----: | :----: | :------: | :--: | :----: | :--: |\n";
  for (const auto& column : items<Column>(columns)) {
    ColumnCells c = cells_of(column.get());
    text += "|";
    for (const std::string* cell : {&c.ordinal, &c.name, &c.type, &c.length, &c.scale, &c.null,
                                    &c.primary, &c.defaults, &c.comment})
      text += " " + markdown_text(*cell) + " |";
    text += "\n";
  }
  GError* failure = nullptr;
  if (!put(stream, text, &failure)) section_failed(failure, error, __LINE__);
}

// ---- shared document frame ----

struct Writer {
  std::string (*header)(Database*, const Config*);
  std::string (*index_header)();
  std::string (*index_row)(int, gpointer, bool, const std::string&);
  std::string index_end;
  std::string section_prefix;
  void (*section)(GDataOutputStream*, gpointer, GeeArrayList*, const std::string&, GError**);
  std::string (*footer)(const Config*);
};

void produce(const Writer& w, Database* database, const gchar* filename, Config* cfg,
             GError** error) {
  GRef<GFile> file = GRef<GFile>::adopt(g_file_new_for_path(filename));
  GError* failure = nullptr;
  GRef<GFileOutputStream> out = GRef<GFileOutputStream>::adopt(
      g_file_replace(file.get(), nullptr, FALSE, G_FILE_CREATE_NONE, nullptr, &failure));
  if (!out) {
    g_propagate_error(error, failure);
    return;
  }
  GRef<GDataOutputStream> stream =
      GRef<GDataOutputStream>::adopt(g_data_output_stream_new(G_OUTPUT_STREAM(out.get())));
  auto schemas = items<Schema>(tarvex_brevane_meta_model_meta_database_get_schemas(database));
  std::string text = w.header(database, cfg) + w.index_header();
  // Every object gets an anchor of its own: a second object of the same
  // schema and name is numbered (the suffix holds a second dot, which no
  // anchor of a schema and a name holds).
  std::map<gpointer, std::string> anchors;
  std::set<std::string> taken;
  auto anchor = [&](gpointer object) {
    std::string base = anchor_of(object), id = base;
    for (int k = 2; !taken.insert(id).second; ++k) id = base + "." + std::to_string(k);
    return anchors[object] = id;
  };
  int number = 0;
  for (const auto& schema : schemas) {
    for (const auto& t :
         items<GObject>(tarvex_brevane_meta_model_meta_schema_get_tables(schema.get())))
      text += w.index_row(++number, t.get(), true, anchor(t.get()));
    for (const auto& v :
         items<GObject>(tarvex_brevane_meta_model_meta_schema_get_views(schema.get())))
      text += w.index_row(++number, v.get(), false, anchor(v.get()));
  }
  text += w.index_end;
  auto fail = [&](GError* f) {
    if (f->domain == G_IO_ERROR) {
      g_propagate_error(error, f);
    } else {
      g_critical("file %s: line %d: unexpected error: %s (%s, %d)", __FILE__, __LINE__, f->message,
                 g_quark_to_string(f->domain), f->code);
      g_error_free(f);
    }
  };
  if (!put(stream.get(), text, &failure)) return fail(failure);
  auto one = [&](gpointer object, GeeArrayList* columns) {
    if (!put(stream.get(), w.section_prefix, &failure)) return fail(failure), false;
    w.section(stream.get(), object, columns, anchors[object], &failure);
    if (failure) return fail(failure), false;
    return true;
  };
  for (const auto& schema : schemas) {
    for (const auto& t : items<TarvexBrevaneMetaModelMetaTable>(
             tarvex_brevane_meta_model_meta_schema_get_tables(schema.get())))
      if (!one(t.get(), tarvex_brevane_meta_model_meta_table_get_columns(t.get()))) return;
    for (const auto& v : items<TarvexBrevaneMetaModelMetaView>(
             tarvex_brevane_meta_model_meta_schema_get_views(schema.get())))
      if (!one(v.get(), tarvex_brevane_meta_model_meta_view_get_columns(v.get()))) return;
  }
  if (!put(stream.get(), w.footer(cfg), &failure)) return fail(failure);
  if (!g_output_stream_close(G_OUTPUT_STREAM(stream.get()), nullptr, &failure)) fail(failure);
}

std::string html_header(Database* database, const Config* cfg) {
  std::string title = html_text(text_of(cfg->title));
  std::string text = "<!DOCTYPE html><html lang=\"en\"><head>";
  text += "<meta charset=\"utf-8\">\n<meta content=\"IE=edge\" http-equiv=\"X-UA-Compatible\">\n";
  text += "<title>" + title + "</title>";
  const char* style =
      "<style type='text/css'>\r\n"
      "        body { padding-bottom: 50px; }\r\n"
      "        body, td { font-family: verdana, fantasy; font-size: 12px; line-height: 150%; }\r\n"
      "        table { width: 100%; background-color: #ccc; margin: 5px 0; }\r\n"
      "        td { background-color: #fff; padding: 3px 3px 3px 10px; }\r\n"
      "        thead td { text-align: center; font-weight: bold; background-color: #eee; }\r\n"
      "        a:link, a:visited, a:active { color: #015fb6; text-decoration: none; }\r\n"
      "        a:hover { color: #e33e06; }\r\n"
      "        </style>";
  text += style;
  text += "</head><body style='text-align:center;'>\n";
  text += "<div style='width:800px; margin:20px auto; text-align:left;'><a name='index'></a>\n";
  text += "<h2 style='text-align:center; line-height:50px;'>" + title + "</h2>";
  text += format(_("<div><b>Database: </b>%s<br>"), html_text(database_of(database)).c_str());
  text += format(_("<b>Data version: </b>%s<br/>"), html_text(text_of(cfg->data_version)).c_str());
  text += format(_("<b>Description: </b>%s</div>\n"), html_text(text_of(cfg->description)).c_str());
  return text;
}

std::string html_index_header() {
  return std::string("<table cellspacing='1'><thead><tr><td style='width:40px;'>") +
         _("No</td><td>Name</td><td>Type</td><td>Description</td>") + "</tr></thead>";
}

std::string html_index_row(int number, gpointer object, bool table, const std::string& anchor) {
  std::string full = html_text(schema_of(object) + "." + name_of(object));
  return format(
      "<tr><td style='text-align:center;'>%d</td><td><a href='#%s'>%s</a></td>"
      "<td>%s</td><td>%s</td></tr>",
      number, anchor.c_str(), full.c_str(),
      html_text(table ? _("Data table") : _("Data view")).c_str(),
      html_text(comment_of(object)).c_str());
}

// A shared document links only to the web, to mail or within its own site:
// a target with any other scheme (javascript:, data:, file: ...) is not a
// link. The scheme is read as a browser reads it, after dropping the tabs
// and line breaks and the edge blanks and controls that URL parsing drops.
bool safe_link(const std::string& link) {
  std::string bare;
  for (char c : link)
    if (c != '\t' && c != '\n' && c != '\r') bare += c;
  size_t start = 0;
  while (start < bare.size() && static_cast<unsigned char>(bare[start]) <= 0x20) ++start;
  size_t end = start;
  if (end < bare.size() && g_ascii_isalpha(bare[end])) {
    while (end < bare.size() &&
           (g_ascii_isalnum(bare[end]) || bare[end] == '+' || bare[end] == '-' || bare[end] == '.'))
      ++end;
    if (end < bare.size() && bare[end] == ':') {
      GUniqueStr scheme(g_ascii_strdown(bare.c_str() + start, gssize(end - start)));
      return g_str_equal(scheme.get(), "http") || g_str_equal(scheme.get(), "https") ||
             g_str_equal(scheme.get(), "mailto");
    }
  }
  return true;  // no scheme: a relative target
}

std::string html_footer(const Config* cfg) {
  std::string text = "</div>";
  if (cfg->footer_text && *cfg->footer_text) {
    std::string link = text_of(cfg->footer_link), label = html_text(cfg->footer_text);
    if (safe_link(link)) label = "<a href=\"" + html_text(link) + "\">" + label + "</a>";
    text += "<footer><div>" + label + "</div></footer>";
  }
  return text + "</body></html>";
}

std::string markdown_header(Database* database, const Config* cfg) {
  std::string text = "# " + markdown_text(text_of(cfg->title)) + "\n\n";
  text += format(_("**Database name:** %s<br/>\n"), markdown_text(database_of(database)).c_str());
  text +=
      format(_("**Data version:** %s<br/>\n"), markdown_text(text_of(cfg->data_version)).c_str());
  text += format(_("**Description:** %s\n"), markdown_text(text_of(cfg->description)).c_str());
  return text;
}

std::string markdown_index_header() {
  // A table needs a blank line before it to stand apart from a paragraph.
  return std::string("\n") +
         _("| No        | Table        | Type        | Description        |\n") +
         "| :-----------: | :----------- | :----------- | :----------- |\n";
}

std::string markdown_index_row(int number, gpointer object, bool table, const std::string& anchor) {
  return format("| %d | [%s.%s](#%s) | %s | %s |\n", number,
                markdown_text(schema_of(object)).c_str(), markdown_text(name_of(object)).c_str(),
                anchor.c_str(), markdown_text(table ? _("Data table") : _("Data view")).c_str(),
                markdown_text(comment_of(object)).c_str());
}

std::string markdown_footer(const Config*) {
  return "";
}

}  // namespace

namespace {

const Writer html_writer{html_header,  html_index_header, html_index_row, "</table>",
                         "<br/><br/>", html_section,      html_footer};
const Writer markdown_writer{markdown_header, markdown_index_header, markdown_index_row, "",
                             "\n\n",          markdown_section,      markdown_footer};

}  // namespace

#define DOCUMENT_TYPE(Type, prefix, TYPE_MACRO, IS_MACRO, writer, section_fn)                      \
  static void prefix##_idocument_init(TarvexBrevaneContractsDataIDocumentIface* iface);            \
  TARVEX_DEFINE_TYPE_WITH_CODE(Type, prefix, G_TYPE_OBJECT,                                        \
                               G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IDOCUMENT, \
                                                     prefix##_idocument_init))                     \
  static void prefix##_class_setup(Type##Class*) {}                                                \
  static void prefix##_produce(                                                                    \
      TarvexBrevaneContractsDataIDocument* self, Database* database, const gchar* filename,        \
      Config* cfg, TarvexBrevaneContractsDataExportProgressFunc, gpointer, GError** error) {       \
    TARVEX_RETURN_IF_FAIL_TEXT(IS_MACRO(self), "self != NULL");                                    \
    TARVEX_RETURN_IF_FAIL_TEXT(database != nullptr, "meta_database != NULL");                      \
    TARVEX_RETURN_IF_FAIL_TEXT(filename != nullptr, "filename != NULL");                           \
    TARVEX_RETURN_IF_FAIL_TEXT(cfg != nullptr, "cfg != NULL");                                     \
    try {                                                                                          \
      produce(writer, database, filename, cfg, error);                                             \
    } catch (const std::exception& e) {                                                            \
      g_critical("%s", e.what());                                                                  \
    }                                                                                              \
  }                                                                                                \
  static void prefix##_idocument_init(TarvexBrevaneContractsDataIDocumentIface* iface) {           \
    iface->produce = prefix##_produce;                                                             \
  }                                                                                                \
  Type* prefix##_construct(GType object_type) {                                                    \
    return static_cast<Type*>(g_object_new(object_type, nullptr));                                 \
  }                                                                                                \
  Type* prefix##_new(void) {                                                                       \
    return prefix##_construct(TYPE_MACRO);                                                         \
  }                                                                                                \
  void prefix##_make_table_section(GDataOutputStream* data_stream,                                 \
                                   TarvexBrevaneMetaModelMetaTable* table, GError** error) {       \
    TARVEX_RETURN_IF_FAIL_TEXT(data_stream != nullptr, "data_stream != NULL");                     \
    TARVEX_RETURN_IF_FAIL_TEXT(table != nullptr, "table != NULL");                                 \
    try {                                                                                          \
      section_fn(data_stream, table, tarvex_brevane_meta_model_meta_table_get_columns(table),      \
                 anchor_of(table), error);                                                         \
    } catch (const std::exception& e) {                                                            \
      g_critical("%s", e.what());                                                                  \
    }                                                                                              \
  }                                                                                                \
  void prefix##_make_view_section(GDataOutputStream* data_stream,                                  \
                                  TarvexBrevaneMetaModelMetaView* view, GError** error) {          \
    TARVEX_RETURN_IF_FAIL_TEXT(data_stream != nullptr, "data_stream != NULL");                     \
    TARVEX_RETURN_IF_FAIL_TEXT(view != nullptr, "view != NULL");                                   \
    try {                                                                                          \
      section_fn(data_stream, view, tarvex_brevane_meta_model_meta_view_get_columns(view),         \
                 anchor_of(view), error);                                                          \
    } catch (const std::exception& e) {                                                            \
      g_critical("%s", e.what());                                                                  \
    }                                                                                              \
  }

DOCUMENT_TYPE(TarvexBrevaneSupportsDataDocumentsHtmlDocument,
              tarvex_brevane_supports_data_documents_html_document,
              TARVEX_BREVANE_SUPPORTS_DATA_DOCUMENTS_TYPE_HTML_DOCUMENT,
              TARVEX_BREVANE_SUPPORTS_DATA_DOCUMENTS_IS_HTML_DOCUMENT, html_writer, html_section)
DOCUMENT_TYPE(TarvexBrevaneSupportsDataDocumentsMarkdownDocument,
              tarvex_brevane_supports_data_documents_markdown_document,
              TARVEX_BREVANE_SUPPORTS_DATA_DOCUMENTS_TYPE_MARKDOWN_DOCUMENT,
              TARVEX_BREVANE_SUPPORTS_DATA_DOCUMENTS_IS_MARKDOWN_DOCUMENT, markdown_writer,
              markdown_section)
