#include "brevane/data/extractors/xml_extractor.h"

#include <glib/gi18n-lib.h>
#include <libxml/parser.h>
#include <libxml/xmlreader.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "brevane/data/extractors/extractor-private.h"
#include "common/tarvex-bytes-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"

using namespace tarvex;
using namespace tarvex::data;

typedef struct _TarvexBrevaneSupportsDataExtractorsXmlExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsXmlExtractorPrivate;
typedef struct _TarvexBrevaneSupportsDataExtractorsXmlExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsXmlExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsXmlExtractorPrivate {};

namespace {

constexpr const char* kXsi = "http://www.w3.org/2001/XMLSchema-instance";

const xmlChar* X(const char* s) {
  return reinterpret_cast<const xmlChar*>(s);
}
const char* C(const xmlChar* s) {
  return reinterpret_cast<const char*>(s);
}

// ------------------------------------------------------------------- names

bool name_start(gunichar c) {
  return (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c <= 0xD6) ||
         (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
         (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
         (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
         (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
         (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool name_char(gunichar c) {
  return name_start(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
         (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

void append_escape(std::string& out, gunichar c) {
  char buffer[16];
  g_snprintf(buffer, sizeof buffer, c > 0xFFFF ? "_x%08X_" : "_x%04X_", c);
  out += buffer;
}

// A column name as an XML name: characters that cannot stand in a name,
// and an underscore followed by "x", become _xHHHH_; the empty name is
// "_x_". The name "xmlns" keeps its first letter escaped: as an attribute
// it would declare a namespace.
std::string encode_name(const std::string& name) {
  if (name.empty()) return "_x_";
  if (name == "xmlns") return "_x0078_mlns";
  std::string out;
  const char* p = name.c_str();
  const char* end = p + name.size();
  bool first = true;
  while (p < end) {
    gunichar c = g_utf8_get_char_validated(p, end - p);
    if (c == gunichar(-1) || c == gunichar(-2)) {
      append_escape(out, guchar(*p));
      ++p;
      first = false;
      continue;
    }
    const char* next = g_utf8_next_char(p);
    bool ok = first ? name_start(c) : name_char(c);
    if (c == '_' && next < end && *next == 'x') ok = false;
    if (ok)
      out.append(p, next - p);
    else
      append_escape(out, c);
    p = next;
    first = false;
  }
  return out;
}

std::string decode_name(const std::string& name) {
  if (name == "_x_") return "";
  std::string out;
  for (size_t i = 0; i < name.size();) {
    if (name.compare(i, 2, "_x") == 0) {
      for (size_t digits : {size_t(4), size_t(8)}) {
        if (i + 2 + digits < name.size() + 0 && name[i + 2 + digits] == '_') {
          bool hex = true;
          for (size_t k = 0; k < digits; ++k) hex = hex && g_ascii_isxdigit(name[i + 2 + k]);
          if (hex) {
            gunichar c = gunichar(std::stoul(name.substr(i + 2, digits), nullptr, 16));
            char buffer[8];
            out.append(buffer, size_t(g_unichar_to_utf8(c, buffer)));
            i += 3 + digits;
            goto next;
          }
        }
      }
    }
    out += name[i++];
  next:;
  }
  return out;
}

// ----------------------------------------------------------------- writing

// The length of the character at `s[i]` (i < n) when XML 1.0 can carry
// it, else 0 with in `*code` the character (U+0000, another control
// character but TAB, LF and CR, U+FFFE, U+FFFF) or, for a byte that starts
// no UTF-8 character, 0x80000000 | the byte.
size_t xml_character(const guchar* s, size_t i, size_t n, gunichar* code) {
  guchar b = s[i];
  if (b < 0x80) {
    if (b >= 0x20 || b == '\t' || b == '\n' || b == '\r') return 1;
    *code = b;
    return 0;
  }
  // Neither overlong nor a surrogate nor past U+10FFFF.
  size_t len = b >= 0xC2 && b <= 0xDF   ? 2
               : b >= 0xE0 && b <= 0xEF ? 3
               : b >= 0xF0 && b <= 0xF4 ? 4
                                        : 0;
  gunichar c = len == 2 ? b & 0x1F : len == 3 ? b & 0x0F : b & 0x07;
  bool ok = len != 0 && i + len <= n;
  for (size_t k = 1; ok && k < len; ++k) {
    ok = (s[i + k] & 0xC0) == 0x80;
    c = (c << 6) | (s[i + k] & 0x3F);
  }
  ok = ok && !(len == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) &&
       !(len == 4 && (c < 0x10000 || c > 0x10FFFF));
  if (!ok) {
    *code = 0x80000000u | b;
    return 0;
  }
  if (c == 0xFFFE || c == 0xFFFF) {
    *code = c;
    return 0;
  }
  return len;
}

// Escaping as libxml2's text writer did it, so documents read as before:
// in element text & < > " and CR become references, in an attribute value
// also LF and TAB. A byte marked 1 is replaced, 2 is looked at (control
// characters and UTF-8), 0 is copied in runs.
struct XmlEscapes {
  guint8 kind[256] = {};
  const char* reference[256] = {};

  explicit XmlEscapes(bool attribute) {
    for (int b = 0; b < 0x20; ++b) kind[b] = 2;
    for (int b = 0x80; b < 0x100; ++b) kind[b] = 2;
    auto set = [&](char c, const char* ref) {
      kind[guchar(c)] = 1;
      reference[guchar(c)] = ref;
    };
    set('&', "&amp;");
    set('<', "&lt;");
    set('>', "&gt;");
    set('"', "&quot;");
    set('\r', "&#13;");
    if (attribute) {
      set('\n', "&#10;");
      set('\t', "&#9;");
    } else {
      kind[guchar('\n')] = 0;
      kind[guchar('\t')] = 0;
    }
  }
};

// Whether `text` is written as it is: no byte that `e` escapes or checks
// (those are all below 0x20 or from 0x80 on, or one of & < > ").
bool plain_xml(std::string_view text, const XmlEscapes& e) {
  const char* p = text.data();
  size_t n = text.size();
#if defined(__SSE2__)
  if (n >= 4)
    return !bytes::any_lanes(p, n, [](__m128i v) {
      // Below 0x20 or from 0x80 on: below 0x20 as signed bytes.
      __m128i m = _mm_cmplt_epi8(v, _mm_set1_epi8(0x20));
      m = _mm_or_si128(m, _mm_cmpeq_epi8(v, _mm_set1_epi8('&')));
      m = _mm_or_si128(m, _mm_cmpeq_epi8(v, _mm_set1_epi8('<')));
      m = _mm_or_si128(m, _mm_cmpeq_epi8(v, _mm_set1_epi8('>')));
      m = _mm_or_si128(m, _mm_cmpeq_epi8(v, _mm_set1_epi8('"')));
      return _mm_movemask_epi8(m) != 0;
    });
#endif
  for (size_t i = 0; i < n; ++i)
    if (e.kind[guchar(p[i])]) return false;
  return true;
}

// Appends `text` escaped by `e`; false, with the offending character in
// `*code`, when XML cannot carry it (nothing of the text is then kept).
bool append_xml(std::string& out, std::string_view text, const XmlEscapes& e, gunichar* code) {
  size_t start = out.size();
  const auto* s = reinterpret_cast<const guchar*>(text.data());
  size_t n = text.size(), run = 0, i = 0;
  while (i < n) {
    guint8 kind = e.kind[s[i]];
    if (kind == 0) {
      ++i;
      continue;
    }
    if (kind == 2) {
      // Control characters and UTF-8 sequences: checked, then copied
      // with their run.
      size_t len = xml_character(s, i, n, code);
      if (len == 0) {
        out.resize(start);
        return false;
      }
      i += len;
      continue;
    }
    out.append(text.data() + run, i - run);
    out += e.reference[s[i]];
    run = ++i;
  }
  out.append(text.data() + run, n - run);
  return true;
}

struct XmlOptions {
  bool attribute = false;
  bool null_text_set = false;
  std::string null_text;
  void read(Base* self) {
    attribute = option(self, "STORAGE") == "attribute";
    null_text_set = has_option(self, "NULL_VALUE");
    null_text = option(self, "NULL_VALUE");
  }
};

// The document libxml2's text writer wrote (indented by four blanks), now
// written straight into the sink: a record per row, a cell per element or
// attribute, a NULL marked xsi:nil or written as NULL_VALUE.
gint write_xml(Base* self, Model* model, ExportSink& sink, Progress progress, gpointer target,
               GError** error) {
  XmlOptions o;
  o.read(self);
  static const XmlEscapes kText(false), kAttribute(true);
  const XmlEscapes& escapes = o.attribute ? kAttribute : kText;
  std::string& out = sink.out();
  bool mark_nulls = !o.null_text_set && !o.attribute;
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<RECORDS";
  if (mark_nulls) {
    out += " xmlns:xsi=\"";
    out += kXsi;
    out += '"';
  }
  std::vector<ColumnInfo> columns = columns_of(model);
  std::vector<std::string> names = unique_names(columns);
  // Each column's pieces of markup, made once.
  std::vector<std::string> open(columns.size()), close(columns.size()), nil(columns.size());
  for (size_t i = 0; i < names.size(); ++i) {
    std::string name = encode_name(names[i]);
    if (o.attribute) {
      open[i] = " " + name + "=\"";
      close[i] = "\"";
    } else {
      open[i] = "        <" + name + ">";
      close[i] = "</" + name + ">\n";
      nil[i] = "        <" + name + " xsi:nil=\"true\"/>\n";
    }
  }
  RowCells cells(model);
  guint total = cells.rows();
  if (total == 0) {
    out += "/>\n";
    return 0;
  }
  out += ">\n";
  for (guint r = 0; r < total; ++r) {
    cells.read(r);
    guint position = r + 1;
    out += o.attribute ? "    <RECORD" : "    <RECORD>\n";
    for (size_t i = 0; i < columns.size(); ++i) {
      std::optional<std::string_view> cell = cells.text(guint(i));
      if (!cell && !o.null_text_set) {
        if (!o.attribute) out += nil[i];
        continue;
      }
      std::string_view text = cell ? *cell : std::string_view(o.null_text);
      if (plain_xml(text, escapes)) {
        // The element or attribute in one piece.
        char* at = bytes::grow(out, open[i].size() + text.size() + close[i].size());
        bytes::copy(at, open[i].data(), open[i].size());
        at += open[i].size();
        bytes::copy(at, text.data(), text.size());
        bytes::copy(at + text.size(), close[i].data(), close[i].size());
        continue;
      }
      out += open[i];
      gunichar code = 0;
      if (!append_xml(out, text, escapes, &code)) {
        if (code & 0x80000000u)
          set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_TEXT,
                    _("row %u, column %s: the text is not UTF-8 (byte 0x%02X); the export stopped "
                      "after %u rows and wrote nothing"),
                    position, columns[i].name.c_str(), code & 0xFF, r);
        else
          set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_TEXT,
                    _("row %u, column %s: character U+%04X cannot stand in XML; the export "
                      "stopped after %u rows and wrote nothing"),
                    position, columns[i].name.c_str(), code, r);
        return -1;
      }
      out += close[i];
    }
    out += o.attribute ? "/>\n" : "    </RECORD>\n";
    if (progress) progress(total, position, "", target);
    if (!sink.written()) return -1;
  }
  out += "</RECORDS>\n";
  return gint(total);
}

// ----------------------------------------------------------------- reading

class XmlReader {
 public:
  // Takes the reader.
  explicit XmlReader(xmlTextReaderPtr reader) : reader_(reader) {
    if (reader_)
      xmlTextReaderSetErrorHandler(
          reader_,
          [](void* arg, const char* message, xmlParserSeverities severity,
             xmlTextReaderLocatorPtr locator) {
            auto* self = static_cast<XmlReader*>(arg);
            if (!self->message_.empty()) return;
            int line = xmlTextReaderLocatorLineNumber(locator);
            self->message_ = "line " + std::to_string(line) + ": " + (message ? message : "");
            while (!self->message_.empty() && self->message_.back() == '\n')
              self->message_.pop_back();
            (void)severity;
          },
          this);
  }
  ~XmlReader() {
    if (reader_) xmlFreeTextReader(reader_);
  }
  XmlReader(const XmlReader&) = delete;
  XmlReader& operator=(const XmlReader&) = delete;

  bool valid(GError** error) {
    if (reader_) return true;
    g_set_error_literal(error, g_quark_from_static_string("default"), -1,
                        _("load xml document failed."));
    return false;
  }

  // The next record; false at the end (no error) or with the error.
  bool next(Record& record, GError** error) {
    record.names.clear();
    record.values.clear();
    for (;;) {
      int rc = read(error);
      if (rc <= 0) return false;
      int type = xmlTextReaderNodeType(reader_);
      int depth = xmlTextReaderDepth(reader_);
      if (type != XML_READER_TYPE_ELEMENT) continue;
      const char* name = C(xmlTextReaderConstName(reader_));
      if (depth == 0) {
        if (std::strcmp(name, "RECORDS") != 0) {
          g_set_error(error, g_quark_from_static_string("default"), -1,
                      _("load xml document failed: the root element is %s, not RECORDS."), name);
          return false;
        }
        continue;
      }
      if (depth != 1 || std::strcmp(name, "RECORD") != 0) continue;
      ++records_;
      return read_record(record, error);
    }
  }

 private:
  int read(GError** error) {
    int rc = xmlTextReaderRead(reader_);
    if (rc < 0 || !message_.empty()) {
      g_set_error(error, g_quark_from_static_string("default"), -1,
                  _("load xml document failed: %s"),
                  message_.empty() ? "unreadable document" : message_.c_str());
      return -1;
    }
    return rc;
  }

  bool read_record(Record& record, GError** error) {
    if (xmlTextReaderMoveToFirstAttribute(reader_) == 1) {
      do {
        // Namespace declarations ("xmlns", "xmlns:p") and the schema
        // instance's attributes are not fields; "xmlnsVersion" is.
        if (xmlTextReaderIsNamespaceDecl(reader_) == 1) continue;
        const xmlChar* uri = xmlTextReaderConstNamespaceUri(reader_);
        if (uri && std::strcmp(C(uri), kXsi) == 0) continue;
        std::string name = C(xmlTextReaderConstName(reader_));
        record.names.push_back(decode_name(name));
        record.values.emplace_back(std::string(C(xmlTextReaderConstValue(reader_))));
      } while (xmlTextReaderMoveToNextAttribute(reader_) == 1);
      xmlTextReaderMoveToElement(reader_);
    }
    if (xmlTextReaderIsEmptyElement(reader_)) return true;
    for (;;) {
      if (read(error) <= 0) return fail_end(error);
      int type = xmlTextReaderNodeType(reader_);
      int depth = xmlTextReaderDepth(reader_);
      if (type == XML_READER_TYPE_END_ELEMENT && depth == 1) return true;
      if (type != XML_READER_TYPE_ELEMENT || depth != 2) continue;
      record.names.push_back(decode_name(C(xmlTextReaderConstName(reader_))));
      xmlChar* nil = xmlTextReaderGetAttributeNs(reader_, X("nil"), X(kXsi));
      bool is_nil = nil && (std::strcmp(C(nil), "true") == 0 || std::strcmp(C(nil), "1") == 0);
      xmlFree(nil);
      std::string text;
      if (!xmlTextReaderIsEmptyElement(reader_)) {
        for (;;) {
          if (read(error) <= 0) return fail_end(error);
          int t = xmlTextReaderNodeType(reader_);
          if (t == XML_READER_TYPE_END_ELEMENT && xmlTextReaderDepth(reader_) == 2) break;
          // An entity the document declares itself is not expanded (its
          // text could come from a file or grow without bound): an error,
          // never a field that silently lacks it.
          if (t == XML_READER_TYPE_ENTITY_REFERENCE) {
            g_set_error(error, g_quark_from_static_string("default"), -1,
                        _("load xml document failed: record %ld, field %s: the entity reference "
                          "&%s; is not expanded."),
                        records_, record.names.back().c_str(), C(xmlTextReaderConstName(reader_)));
            return false;
          }
          if (t == XML_READER_TYPE_TEXT || t == XML_READER_TYPE_CDATA ||
              t == XML_READER_TYPE_WHITESPACE || t == XML_READER_TYPE_SIGNIFICANT_WHITESPACE)
            text += C(xmlTextReaderConstValue(reader_));
        }
      }
      if (is_nil)
        record.values.emplace_back(std::nullopt);
      else
        record.values.emplace_back(std::move(text));
    }
  }

  bool fail_end(GError** error) {
    if (error && !*error)
      g_set_error_literal(error, g_quark_from_static_string("default"), -1,
                          _("load xml document failed: the document ends inside a record."));
    return false;
  }

  xmlTextReaderPtr reader_;
  std::string message_;
  long records_ = 0;
};

constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

// Whether the document's head reaches its root element through nothing but
// an XML declaration, processing instructions, comments and blanks: no
// DOCTYPE, so no entity a reader would expand. Such a document is read
// without libxml2's limit on the size of one text (a cell of several
// megabytes, as the export writes it); a document with a DOCTYPE keeps the
// limits, which also bound how far its entities may grow.
bool plain_prolog(std::string_view head) {
  size_t i = 0;
  if (head.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
  auto skip_to = [&](std::string_view end) {
    size_t at = head.find(end, i);
    if (at == std::string_view::npos) return false;
    i = at + end.size();
    return true;
  };
  for (;;) {
    while (i < head.size() &&
           (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
      ++i;
    if (i + 1 >= head.size() || head[i] != '<') return false;
    std::string_view rest = head.substr(i);
    if (rest.substr(0, 2) == "<?") {
      if (!skip_to("?>")) return false;
    } else if (rest.substr(0, 4) == "<!--") {
      i += 4;
      if (!skip_to("-->")) return false;
    } else {
      guchar c = guchar(rest[1]);
      return g_ascii_isalpha(c) || c == '_' || c == ':' || c >= 0x80;
    }
  }
}

int parse_options(std::string_view head) {
  return plain_prolog(head) ? kParseOptions | XML_PARSE_HUGE : kParseOptions;
}

// How much of a stream is looked at for its prolog.
constexpr size_t kHead = 1 << 16;

// The reader keeps the bytes or the stream it reads. A stream's first
// bytes, read ahead for its prolog, are handed to the reader first.
struct XmlInput {
  std::shared_ptr<const std::string> text;
  GRef<GInputStream> stream;
  std::string head;
  size_t head_pos = 0;
  std::unique_ptr<XmlReader> reader;
};

std::unique_ptr<XmlInput> text_input(std::shared_ptr<const std::string> text) {
  auto input = std::make_unique<XmlInput>();
  input->text = std::move(text);
  const std::string& t = *input->text;
  input->reader = std::make_unique<XmlReader>(
      xmlReaderForMemory(t.data(), int(t.size()), nullptr, nullptr, parse_options(t)));
  return input;
}

std::unique_ptr<XmlInput> stream_input(GInputStream* stream) {
  auto input = std::make_unique<XmlInput>();
  input->stream = adoptGRef(stream);
  input->head.resize(kHead);
  gsize got = 0;
  if (!g_input_stream_read_all(stream, input->head.data(), kHead, &got, nullptr, nullptr)) got = 0;
  input->head.resize(got);
  input->reader = std::make_unique<XmlReader>(xmlReaderForIO(
      [](void* context, char* buffer, int length) -> int {
        auto* in = static_cast<XmlInput*>(context);
        if (in->head_pos < in->head.size()) {
          size_t n = std::min(size_t(length), in->head.size() - in->head_pos);
          std::memcpy(buffer, in->head.data() + in->head_pos, n);
          in->head_pos += n;
          return int(n);
        }
        gssize read =
            g_input_stream_read(in->stream.get(), buffer, gsize(length), nullptr, nullptr);
        return read < 0 ? -1 : int(read);
      },
      [](void*) -> int { return 0; }, input.get(), nullptr, nullptr, parse_options(input->head)));
  return input;
}

// The column names of a document: the names of every record, each name a
// record adds put after the name that comes before it in that record, so
// the columns keep the documents' order.
class ColumnNames {
 public:
  void merge(const std::vector<std::string>& record) {
    size_t after = 0;  // position after the record's previous name
    for (const std::string& name : record) {
      auto known = positions_.find(name);
      if (known != positions_.end()) {
        after = known->second + 1;
        continue;
      }
      names_.insert(names_.begin() + gssize(after), name);
      if (after + 1 == names_.size()) {
        positions_[name] = after;
      } else {
        for (size_t i = after; i < names_.size(); ++i) positions_[names_[i]] = i;
      }
      ++after;
    }
  }
  const std::vector<std::string>& names() const { return names_; }
  // The column of a name, or npos.
  size_t position(const std::string& name) const {
    auto at = positions_.find(name);
    return at == positions_.end() ? std::string::npos : at->second;
  }

 private:
  std::vector<std::string> names_;
  std::unordered_map<std::string, size_t> positions_;
};

using InputOpener = std::function<std::unique_ptr<XmlInput>(GError**)>;

// A load reads the document twice: first the names of every record (a
// record may lack a field, as an attribute record lacks its NULLs), then
// the records under those columns.
Model* load(const InputOpener& open, gint limit, GError** error) {
  ColumnNames columns;
  Record record;
  GError* local = nullptr;
  {
    std::unique_ptr<XmlInput> first = open(error);
    if (!first) return nullptr;
    if (!first->reader->valid(error)) return nullptr;
    gint seen = 0;
    while ((limit <= 0 || seen < limit) && first->reader->next(record, &local)) {
      columns.merge(record.names);
      ++seen;
    }
    if (local) {
      g_propagate_error(error, local);
      return nullptr;
    }
    if (seen == 0) return nullptr;
  }
  std::unique_ptr<XmlInput> input = open(error);
  if (!input) return nullptr;
  if (!input->reader->valid(error)) return nullptr;
  size_t width = columns.names().size();
  GRef<Model> model = adoptGRef(string_model_new(columns.names()));
  std::vector<Field> fields;
  std::vector<bool> filled;
  while (input->reader->next(record, &local)) {
    fields.assign(width, std::nullopt);
    filled.assign(width, false);
    // The first field of a name is the column's; a field the first pass
    // did not see (past a limit) has no column.
    for (size_t k = 0; k < record.names.size() && k < record.values.size(); ++k) {
      size_t c = columns.position(record.names[k]);
      if (c == std::string::npos || filled[c]) continue;
      filled[c] = true;
      fields[c] = std::move(record.values[k]);
    }
    append_string_row(model.get(), fields);
    if (limit > 0 && row_count(model.get()) >= guint(limit)) break;
  }
  if (local) {
    g_propagate_error(error, local);
    return nullptr;
  }
  return model.leak();
}

class XmlSource : public RecordSource {
 public:
  explicit XmlSource(std::unique_ptr<XmlInput> input) : input_(std::move(input)) {}
  bool next(Record& record, GError** error) override { return input_->reader->next(record, error); }

 private:
  std::unique_ptr<XmlInput> input_;
};

struct XmlFormat {
  static constexpr ImportCount count = ImportCount::imported;
  static constexpr bool numbered_failure = false;

  static SourceOpener file_source(Base* self) {
    GRef<GObject> keep = retainGRef(G_OBJECT(self));
    return [keep](GError** error) -> std::unique_ptr<RecordSource> {
      GInputStream* stream = open_option_file(base_of(keep.get()), error);
      if (!stream) return nullptr;
      auto input = stream_input(stream);
      if (!input->reader->valid(error)) return nullptr;
      return std::make_unique<XmlSource>(std::move(input));
    };
  }

  static SourceOpener text_source(Base*, const char* text) {
    auto copy = std::make_shared<const std::string>(text);
    return [copy](GError** error) -> std::unique_ptr<RecordSource> {
      auto input = text_input(copy);
      if (!input->reader->valid(error)) return nullptr;
      return std::make_unique<XmlSource>(std::move(input));
    };
  }

  static Model* load_file(Base* self, gint limit, GError** error) {
    return load(
        [self](GError** e) -> std::unique_ptr<XmlInput> {
          GInputStream* stream = open_option_file(self, e);
          if (!stream) return nullptr;
          return stream_input(stream);
        },
        limit, error);
  }

  static Model* load_text(Base*, const char* text, GError** error) {
    auto copy = std::make_shared<const std::string>(text);
    return load([copy](GError**) { return text_input(copy); }, 0, error);
  }
};

}  // namespace

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexBrevaneSupportsDataExtractorsXmlExtractor,
                             tarvex_brevane_supports_data_extractors_xml_extractor,
                             TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR,
                             G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IIMPORTER,
                                                   Importer<XmlFormat>::init))

static void tarvex_brevane_supports_data_extractors_xml_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsXmlExtractorClass* klass) {
  // libxml2 sets itself up once, before any import thread uses it.
  xmlInitParser();
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass);
  base->export_to_text = export_to_text_with<write_xml>;
  base->export_to_file = export_to_file_with<write_xml>;
}

TarvexBrevaneSupportsDataExtractorsXmlExtractor*
tarvex_brevane_supports_data_extractors_xml_extractor_construct(GType object_type,
                                                                const gchar* file_extension) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_extension != nullptr, "file_extension != NULL", nullptr);
  return reinterpret_cast<TarvexBrevaneSupportsDataExtractorsXmlExtractor*>(
      tarvex_brevane_supports_data_extractors_base_extractor_construct(object_type,
                                                                       file_extension));
}

TarvexBrevaneSupportsDataExtractorsXmlExtractor*
tarvex_brevane_supports_data_extractors_xml_extractor_new(const gchar* file_extension) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_extension != nullptr, "file_extension != NULL", nullptr);
  return tarvex_brevane_supports_data_extractors_xml_extractor_construct(
      TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_XML_EXTRACTOR, file_extension);
}
