// HTML and Markdown data dictionaries: html5lib reads the HTML, cmark-gfm the
// Markdown tables; every name, type, default and comment comes back whole.
#include <gee.h>
#include <json-glib/json-glib.h>

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

// ---- hostile names: every text back as text, every link on its own object ----

struct Obj {
  std::string schema, name, comment;
  bool view = false;
};

const std::vector<Obj>& hostile_objects() {
  static const std::vector<Obj> objects = {
      {"a.b", "c", "dot in the schema"},
      {"a", "b.c", "dot in the name"},
      {"x%2Ey", "z", "a percent sign that looks like an encoded dot"},
      {"x.y", "z", ""},
      {"user@example.com", "21user@example.com",
       "write to user@example.com, see www.example.com or https://example.com/x"},
      {"dbo", "tab\there", "tab\tinside"},
      {"dbo", "line\nbreak", "line\nbreak"},
      {"dbo", "cr\r\nlf", "cr\r\nlf and a lone\rcr"},
      {"dbo", "\tleading tab", "\tleading tab"},
      {"dbo", "trailing tab\t", "trailing tab\t"},
      {"dbo", "\vleading vt", "\fleading ff"},
      {"dbo", "trailing vt\v", "trailing ff\f"},
      {"dbo", "  blanks  ", "\n\tbreak and tab at the edges\t\n"},
      {"dbo", "c1 \xc2\x80\xc2\x85\xc2\x9f end", "\xc2\x80 leading C1 and trailing \xc2\x9f"},
      {"dbo", "<script>alert(1)</script>",
       "&amp; &lt; <b>bold</b> <!-- c --> ~~strike~~ *em* `code`"},
      {"dbo", "[l](http://x.y)", "| pipe \\ back\\slash \\| ]] # hash"},
      {"dbo", "\xc2\xa0no-break\xc2\xa0",
       "emoji \xf0\x9f\x98\x80 Gr\xc3\xbc\xc3\x9f"
       "e bell\x07"},
      {"dbo", "twin", "a table", false},
      {"dbo", "twin", "a view of the same name", true},
      {"d\"q'o", "'; DROP TABLE t; --", "quotes"},
  };
  return objects;
}

const char* kHostileTitle = "Dict <&> \"q\" | me@example.com\t";

std::string produce_document(const std::string& path, bool html, const std::vector<Obj>& objects,
                             const char* footer_text = "", const char* footer_link = "") {
  auto db = adoptGRef(tarvex_brevane_meta_model_meta_database_new());
  auto obj = [](gpointer p) { return reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(p); };
  auto add = [](GeeArrayList* list, gpointer item) {
    gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), item);
  };
  tarvex_brevane_meta_model_meta_object_set_database(obj(db.get()), "db");
  GRef<TarvexBrevaneMetaModelMetaSchema> schema;
  std::string current;
  for (const Obj& o : objects) {
    if (!schema || o.schema != current) {
      schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new());
      tarvex_brevane_meta_model_meta_object_set_name(obj(schema.get()), o.schema.c_str());
      add(tarvex_brevane_meta_model_meta_database_get_schemas(db.get()), schema.get());
      current = o.schema;
    }
    GRef<GObject> item = o.view ? adoptGRef(G_OBJECT(tarvex_brevane_meta_model_meta_view_new()))
                                : adoptGRef(G_OBJECT(tarvex_brevane_meta_model_meta_table_new()));
    tarvex_brevane_meta_model_meta_object_set_schema(obj(item.get()), o.schema.c_str());
    tarvex_brevane_meta_model_meta_object_set_name(obj(item.get()), o.name.c_str());
    tarvex_brevane_meta_model_meta_object_set_comment(obj(item.get()), o.comment.c_str());
    auto column = adoptGRef(tarvex_brevane_meta_model_meta_column_new());
    tarvex_brevane_meta_model_meta_object_set_name(obj(column.get()), o.name.c_str());
    tarvex_brevane_meta_model_meta_object_set_comment(obj(column.get()), o.comment.c_str());
    tarvex_brevane_meta_model_meta_column_set_ordinal(column.get(), 1);
    tarvex_brevane_meta_model_meta_column_set_raw_type(column.get(), "nvarchar");
    tarvex_brevane_meta_model_meta_column_set_length(column.get(), -1);
    tarvex_brevane_meta_model_meta_column_set_default_value(column.get(), o.comment.c_str());
    if (o.view) {
      auto* view = reinterpret_cast<TarvexBrevaneMetaModelMetaView*>(item.get());
      add(tarvex_brevane_meta_model_meta_view_get_columns(view), column.get());
      add(tarvex_brevane_meta_model_meta_schema_get_views(schema.get()), item.get());
    } else {
      auto* table = reinterpret_cast<TarvexBrevaneMetaModelMetaTable*>(item.get());
      add(tarvex_brevane_meta_model_meta_table_get_columns(table), column.get());
      add(tarvex_brevane_meta_model_meta_schema_get_tables(schema.get()), item.get());
    }
  }
  TarvexBrevaneContractsDataConfiguration cfg{};
  cfg.title = g_strdup(kHostileTitle);
  cfg.data_version = g_strdup("1.0");
  cfg.description = g_strdup("desc");
  cfg.footer_text = g_strdup(footer_text);
  cfg.footer_link = g_strdup(footer_link);
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

// Objects in the order of the document (each schema's tables, then its
// views), as JSON for the reader program.
std::string objects_json(const std::vector<Obj>& objects) {
  std::vector<const Obj*> ordered;
  for (size_t i = 0; i < objects.size();) {
    size_t end = i;
    while (end < objects.size() && objects[end].schema == objects[i].schema) ++end;
    for (bool view : {false, true})
      for (size_t k = i; k < end; ++k)
        if (objects[k].view == view) ordered.push_back(&objects[k]);
    i = end;
  }
  auto builder = adoptGRef(json_builder_new());
  json_builder_begin_object(builder.get());
  json_builder_set_member_name(builder.get(), "title");
  json_builder_add_string_value(builder.get(), kHostileTitle);
  json_builder_set_member_name(builder.get(), "objects");
  json_builder_begin_array(builder.get());
  for (const Obj* o : ordered) {
    json_builder_begin_array(builder.get());
    for (const std::string& text :
         {o->schema + "." + o->name, std::string(o->view ? "Data view" : "Data table"), o->comment,
          o->name})
      json_builder_add_string_value(builder.get(), text.c_str());
    json_builder_end_array(builder.get());
  }
  json_builder_end_array(builder.get());
  json_builder_end_object(builder.get());
  JsonNode* root = json_builder_get_root(builder.get());
  std::string out = take(json_to_string(root, FALSE));
  json_node_unref(root);
  return out;
}

// Reads a dictionary page (ours, or cmark-gfm's rendering of the Markdown):
// the title, the index rows, the links of the index and where they lead,
// every other link, the section headings and their column rows. Prints
// "ok" or the differences found.
const char* const kDictionaryCheck = R"(import html5lib, json, sys, urllib.parse
doc = html5lib.parse(sys.stdin.read(), namespaceHTMLElements=False)
want = json.loads(sys.argv[1], strict=False)
heading_tag = sys.argv[2]
if heading_tag == 'h2':
    # A Markdown reader keeps a carriage return, but its HTML carries it as
    # the character, which an HTML reader reads as a line feed.
    want = json.loads(json.dumps(want).replace('\\r\\n', '\\n').replace('\\r', '\\n'))
def text(e):
    out = e.text or ''
    for c in e:
        if isinstance(c.tag, str):
            out += '\n' if c.tag == 'br' else text(c)
        out += c.tail or ''
    return out
problems = []
title = doc.find('.//title') if heading_tag == 'h3' else doc.find('.//h1')
if text(title) != want['title']:
    problems.append(['title', text(title)])
tables = list(doc.iter('table'))
index_rows = [[c for c in tr if c.tag in ('td', 'th')] for tr in tables[0].iter('tr')][1:]
objects = want['objects']
if len(index_rows) != len(objects):
    problems.append(['index rows', len(index_rows)])
parent = {c: p for p in doc.iter() for c in p}
anchors = [e for e in doc.iter() if isinstance(e.tag, str) and e.get('id') is not None]
ids = [a.get('id') for a in anchors]
if len(anchors) != len(objects) or len(set(ids)) != len(ids):
    problems.append(['anchors', ids])
index_links = []
for k, (row, o) in enumerate(zip(index_rows, objects)):
    cells = [text(c) for c in row]
    if cells != [str(k + 1), o[0], o[1], o[2]]:
        problems.append(['index row', k + 1, cells])
    links = [a for a in row[1].iter('a') if a.get('href') is not None]
    if len(links) != 1:
        problems.append(['links in index row', k + 1, len(links)])
        continue
    index_links.append(links[0])
    fragment = urllib.parse.urlsplit(links[0].get('href')).fragment
    if k >= len(anchors) or fragment != anchors[k].get('id'):
        problems.append(['link', k + 1, fragment, ids[k] if k < len(ids) else None])
        continue
    holder = parent[anchors[k]]
    heading = holder if holder.tag == heading_tag else holder.find(heading_tag)
    if heading is None or text(heading) != 'Table: ' + o[0]:
        problems.append(['section', k + 1, None if heading is None else text(heading)])
others = [a.get('href') for a in doc.iter('a')
          if a.get('href') is not None and a not in index_links and a.get('href') != '#index']
if others:
    problems.append(['other links', others])
sections = tables[1:]
if len(sections) != len(objects):
    problems.append(['sections', len(sections)])
for k, (table, o) in enumerate(zip(sections, objects)):
    rows = [[text(c) for c in tr if c.tag in ('td', 'th')] for tr in table.iter('tr')][1:]
    if rows != [['1', o[3], 'nvarchar', '-1', '0', 'Yes', '', o[2], o[2]]]:
        problems.append(['columns', k + 1, rows])
print('ok' if not problems else json.dumps(problems))
)";

TEST_F(DocumentsTest, HtmlDictionaryKeepsHostileNamesAndLinksEveryObject) {
  TARVEX_NEED_TOOL(python_has("html5lib"), "python3-html5lib");
  std::string html = produce_document(temp_dir() + "/hostile.html", true, hostile_objects());
  int status = 0;
  std::string out =
      run({python(), "-c", kDictionaryCheck, objects_json(hostile_objects()), "h3"}, &status, html);
  EXPECT_EQ(out, "ok\n") << html;
}

TEST_F(DocumentsTest, MarkdownDictionaryKeepsHostileNamesAndLinksEveryObject) {
  TARVEX_NEED_TOOL(have_program("cmark-gfm"), "cmark-gfm");
  TARVEX_NEED_TOOL(python_has("html5lib"), "python3-html5lib");
  std::string md = produce_document(temp_dir() + "/hostile.md", false, hostile_objects());
  int status = 0;
  std::string html = run({"cmark-gfm", "-e", "table", "-e", "autolink", "-e", "strikethrough", "-e",
                          "tagfilter", "--unsafe"},
                         &status, md);
  ASSERT_EQ(status, 0) << html;
  std::string out =
      run({python(), "-c", kDictionaryCheck, objects_json(hostile_objects()), "h2"}, &status, html);
  EXPECT_EQ(out, "ok\n") << md << "\n----\n" << html;
}

// The single-object section writers give the section the anchor its schema
// and name make, the one the index of a lone object links to.
TEST_F(DocumentsTest, SectionWritersAnchorTheObject) {
  auto table = adoptGRef(tarvex_brevane_meta_model_meta_table_new());
  auto* o = reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(table.get());
  tarvex_brevane_meta_model_meta_object_set_schema(o, "a.b");
  tarvex_brevane_meta_model_meta_object_set_name(o, "c\td");
  for (bool html : {true, false}) {
    auto memory = adoptGRef(g_memory_output_stream_new_resizable());
    auto stream = adoptGRef(g_data_output_stream_new(memory.get()));
    GError* error = nullptr;
    if (html)
      tarvex_brevane_supports_data_documents_html_document_make_table_section(stream.get(),
                                                                              table.get(), &error);
    else
      tarvex_brevane_supports_data_documents_markdown_document_make_table_section(
          stream.get(), table.get(), &error);
    ASSERT_EQ(error, nullptr);
    auto* memory_stream = G_MEMORY_OUTPUT_STREAM(memory.get());
    std::string text(static_cast<const char*>(g_memory_output_stream_get_data(memory_stream)),
                     g_memory_output_stream_get_data_size(memory_stream));
    EXPECT_NE(text.find("id='a%2Eb.c%09d'"), std::string::npos) << text;
  }
}

// The footer links only to the web, to mail or to a relative target; any
// other target (as a browser reads its scheme) leaves the footer text alone.
TEST_F(DocumentsTest, HtmlFooterLinksOnlyToSafeTargets) {
  TARVEX_NEED_TOOL(python_has("html5lib"), "python3-html5lib");
  struct Case {
    const char* link;
    bool linked;
  } cases[] = {
      {"javascript:alert(1)", false},
      {"JaVaScRiPt:alert(1)", false},
      {" \x01javascript:alert(1)", false},
      {"java\tscript:alert(1)", false},
      {"java\nscript:alert(1)", false},
      {"data:text/html,<script>alert(1)</script>", false},
      {"vbscript:msgbox(1)", false},
      {"file:///etc/passwd", false},
      {"http://example.com/a?b=1&c='2'", true},
      {"HTTPS://example.com", true},
      {"mailto:someone@example.com", true},
      {"docs/index.html", true},
      {"../up/page.html#part", true},
      {"#top", true},
      {"", true},
  };
  const std::string program = std::string(kHtmlRowsProgram) +
                              "footer = doc.find('.//footer')\n"
                              "links = [a.get('href') for a in footer.iter('a')]\n"
                              "print(json.dumps([text(footer), links]))\n";
  for (const auto& c : cases) {
    std::string html =
        produce_document(temp_dir() + "/footer.html", true, {}, "Site <&> \"x\"", c.link);
    int status = 0;
    std::string out = run({python(), "-c", program}, &status, html);
    auto parser = adoptGRef(json_parser_new());
    ASSERT_TRUE(json_parser_load_from_data(parser.get(), out.c_str(), -1, nullptr)) << out;
    JsonArray* got = json_node_get_array(json_parser_get_root(parser.get()));
    EXPECT_STREQ(json_array_get_string_element(got, 0), "Site <&> \"x\"") << c.link;
    JsonArray* links = json_array_get_array_element(got, 1);
    if (c.linked) {
      ASSERT_EQ(json_array_get_length(links), 1u) << c.link;
      EXPECT_STREQ(json_array_get_string_element(links, 0), c.link);
    } else {
      EXPECT_EQ(json_array_get_length(links), 0u) << c.link << ": " << html;
    }
  }
}

}  // namespace
}  // namespace tarvex::test::data
