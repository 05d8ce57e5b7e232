#include "brevane/data/extractors/json_extractor.h"

#include <glib/gi18n-lib.h>
#include <json-glib/json-glib.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "brevane/data/extractors/extractor-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-json-file-private.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_null.h"

using namespace tarvex;
using namespace tarvex::data;

typedef struct _TarvexBrevaneSupportsDataExtractorsJsonExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsJsonExtractorPrivate;
typedef struct _TarvexBrevaneSupportsDataExtractorsJsonExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsJsonExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsJsonExtractorPrivate {};

namespace {

GQuark json_quark() {
  return g_quark_from_static_string("JSON");
}

bool is_integer_kind(DataType t) {
  return t >= TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8 &&
         t <= TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64;
}

// A JSON string as json-glib writes one, byte by byte: quote, backslash
// and the control characters escaped (U+001F too, which json-glib leaves
// raw although raw it is not JSON), everything else as it is.
void append_string(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    guchar c = guchar(text[i]);
    if (c >= 0x20 && c != '"' && c != '\\' && c != 0x7f) continue;
    out.append(text, start, i - start);
    start = i + 1;
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\r':
        out += "\\r";
        break;
      default: {
        const char escape[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
        out.append(escape, 6);
      }
    }
  }
  out.append(text, start, std::string_view::npos);
  out += '"';
}

// A C string of a cell's text, for the number parsers.
struct CText {
  char small[96];
  std::string large;
  const char* of(std::string_view text) {
    if (text.size() < sizeof small) {
      std::memcpy(small, text.data(), text.size());
      small[text.size()] = '\0';
      return small;
    }
    large.assign(text);
    return large.c_str();
  }
};

// A double as json-glib writes one ("%.17g", ".0" added when there is no
// point), except that an exponent form stays as it is: "1e+20.0" is not
// JSON. to_chars writes what "%.17g" does, without printf's cost.
void append_double(std::string& out, gdouble d) {
  char buffer[G_ASCII_DTOSTR_BUF_SIZE];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::general, 17);
  std::string_view digits(buffer, size_t(result.ptr - buffer));
  out += digits;
  if (digits.find_first_of(".e") == std::string_view::npos) out += ".0";
}

// A cell as a JSON value: NULL as null, a bit as true or false, integer
// and floating columns as numbers where the text reads as one (numbers
// beyond the signed 64-bit range stay exact as strings), else a string.
// Money is an exact decimal of four places, more digits than a double
// holds at its limits: a string of its text, as a decimal is.
void append_value(std::string& out, DataType kind, RowCells& cells, guint column, CText& ctext) {
  std::optional<std::string_view> text = cells.text(column);
  if (!text) {
    out += "null";
    return;
  }
  if (kind == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN && cells.is_boolean(column)) {
    out += *text == "1" ? "true" : "false";
    return;
  }
  const char* first = text->data();
  const char* last = first + text->size();
  if (is_integer_kind(kind)) {
    // Plain digits (most cells) are read without a C string; the rest as
    // g_ascii_strtoll reads them.
    gint64 n = 0;
    auto read = std::from_chars(first, last, n);
    if (read.ec == std::errc() && read.ptr == last && !text->empty()) {
      char digits[24];
      auto result = std::to_chars(digits, digits + sizeof digits, n);
      out.append(digits, size_t(result.ptr - digits));
      return;
    }
    const char* c = ctext.of(*text);
    char* end = nullptr;
    errno = 0;
    n = g_ascii_strtoll(c, &end, 10);
    if (errno == 0 && end && *end == '\0' && !text->empty()) {
      char digits[24];
      auto result = std::to_chars(digits, digits + sizeof digits, n);
      out.append(digits, size_t(result.ptr - digits));
      return;
    }
  } else if (kind == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT ||
             kind == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE) {
    gdouble d = 0;
    auto read = std::from_chars(first, last, d);
    if (read.ec == std::errc() && read.ptr == last && !text->empty() && std::isfinite(d)) {
      append_double(out, d);
      return;
    }
    const char* c = ctext.of(*text);
    char* end = nullptr;
    d = g_ascii_strtod(c, &end);
    if (end && *end == '\0' && !text->empty() && std::isfinite(d)) {
      append_double(out, d);
      return;
    }
  }
  append_string(out, *text);
}

// Writes the document piece by piece through `sink` (false stops): pretty,
// an indent of 4, as json-glib lays it out.
gint write_document(Model* model, Progress progress, gpointer target,
                    const std::function<bool(std::string&, bool last)>& sink) {
  std::vector<ColumnInfo> columns = columns_of(model);
  std::vector<std::string> names = unique_names(columns);
  // Each member's lead, escaped once: "            \"name\" : ".
  std::vector<std::string> leads;
  for (size_t i = 0; i < names.size(); ++i) {
    std::string lead = "            ";
    append_string(lead, names[i]);
    lead += " : ";
    leads.push_back(std::move(lead));
  }
  RowCells cells(model);
  guint total = cells.rows();
  std::string chunk = total ? "{\n    \"RECORDS\": [\n" : "{\n    \"RECORDS\": [";
  constexpr size_t kChunk = 1 << 20;
  chunk.reserve(kChunk + (kChunk >> 2));
  CText ctext;
  gint count = 0;
  for (guint r = 0; r < total; ++r) {
    cells.read(r);
    if (columns.empty()) {
      chunk += "        {}";
    } else {
      chunk += "        {\n";
      for (guint c = 0; c < columns.size(); ++c) {
        chunk += leads[c];
        append_value(chunk, columns[c].type, cells, c, ctext);
        chunk += c + 1 < columns.size() ? ",\n" : "\n";
      }
      chunk += "        }";
    }
    chunk += r + 1 < total ? ",\n" : "\n";
    ++count;
    if (progress) progress(total, r + 1, "", target);
    if (chunk.size() >= kChunk && !sink(chunk, false)) return -1;
  }
  chunk += total ? "    ]\n}" : "]\n}";
  if (!sink(chunk, true)) return -1;
  return count;
}

gint json_export_to_text(Base*, Model* model, gchar** buffer, Progress progress, gpointer target,
                         GError**) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(buffer != nullptr && *buffer != nullptr, "*buffer != NULL", 0);
  std::string text;
  gint count = write_document(model, progress, target, [&](std::string& chunk, bool) {
    text += chunk;
    chunk.clear();
    return true;
  });
  g_free(*buffer);
  *buffer = dup(text);
  return count;
}

gint json_export_to_file(Base*, Model* model, const gchar* filename, Progress progress,
                         gpointer target, GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(filename != nullptr, "filename != NULL", 0);
  auto file = adoptGRef(g_file_new_for_path(filename));
  auto stream = adoptGRef(G_OUTPUT_STREAM(
      g_file_replace(file.get(), nullptr, FALSE, G_FILE_CREATE_NONE, nullptr, error)));
  if (!stream) return -1;
  GError* failure = nullptr;
  gint count = write_document(model, progress, target, [&](std::string& chunk, bool) {
    bool ok = g_output_stream_write_all(stream.get(), chunk.data(), chunk.size(), nullptr, nullptr,
                                        &failure);
    chunk.clear();
    return ok;
  });
  GError* close_error = nullptr;
  g_output_stream_close(stream.get(), nullptr, &close_error);
  if (close_error && !failure)
    failure = close_error;
  else if (close_error)
    g_error_free(close_error);
  if (failure) {
    g_propagate_error(error, failure);
    return -1;
  }
  return count;
}

// ------------------------------------------------------------------ reading

// The shortest text that reads back to the same double, in "%g" form: the
// fewest significant digits come from the shortest exponent form.
std::string double_text(gdouble d) {
  char shortest[64];
  auto result =
      std::to_chars(shortest, shortest + sizeof shortest, d, std::chars_format::scientific);
  int digits = 0;
  for (const char* p = shortest; p < result.ptr && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') ++digits;
  char format[8];
  g_snprintf(format, sizeof format, "%%.%dg", std::clamp(digits, 1, 17));
  char buffer[G_ASCII_DTOSTR_BUF_SIZE];
  g_ascii_formatd(buffer, sizeof buffer, format, d);
  return buffer;
}

Field member_text(JsonNode* node);

// A json-glib parser that keeps what json-glib's values lose: the text of
// every number that no 64-bit integer or double holds exactly (json-glib
// wraps 99999999999999999999 and rounds 0.1234567890123456789), and which
// texts held U+0000 (json-glib's strings end at it). It refuses a document
// nested deeper than the settings files may be before json-glib sees it:
// json-glib's parser recurses once per level, and a deep enough document
// overflows the stack.
//
// The document is scanned first: its numbers and its value strings in
// order. json-glib then reports each value as it completes, in the same
// order, through its member and element signals.
class Parser {
 public:
  Parser() : parser_(adoptGRef(json_parser_new_immutable())) {
    g_signal_connect(parser_.get(), "object-member", G_CALLBACK(on_member), this);
    g_signal_connect(parser_.get(), "array-element", G_CALLBACK(on_element), this);
  }
  ~Parser() { g_signal_handlers_disconnect_by_data(parser_.get(), this); }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;

  JsonParser* get() const { return parser_.get(); }

  // Parses `text`, which stands `depth` levels deep in its document.
  bool load(std::string_view text, int depth, GError** error) {
    numbers_.clear();
    texts_.clear();
    cut_strings_.clear();
    cut_.clear();
    number_ = string_ = 0;
    if (!scan(text, depth)) {
      g_set_error(error, json_quark(), -1,
                  _("invalid json format: the document is nested deeper than %d levels."),
                  json_file::kMaxDepth);
      return false;
    }
    return json_parser_load_from_data(parser_.get(), text.data(), gssize(text.size()), error);
  }

  // The document's own text of a number json-glib's value does not give
  // exactly, or null.
  const std::string* number_text(JsonNode* node) const {
    auto at = texts_.find(node);
    return at == texts_.end() ? nullptr : &at->second;
  }
  // Whether the text of a string value ends early at U+0000.
  bool is_cut(JsonNode* node) const { return cut_.count(node) != 0; }

 private:
  static void on_member(JsonParser*, JsonObject* object, const char* name, gpointer self) {
    static_cast<Parser*>(self)->note(json_object_get_member(object, name));
  }
  static void on_element(JsonParser*, JsonArray* array, gint index, gpointer self) {
    static_cast<Parser*>(self)->note(json_array_get_element(array, guint(index)));
  }

  void note(JsonNode* node) {
    if (!node || !JSON_NODE_HOLDS_VALUE(node)) return;
    GType type = json_node_get_value_type(node);
    if (type == G_TYPE_INT64 || type == G_TYPE_DOUBLE) {
      size_t n = number_++;
      auto at = numbers_.find(n);
      if (at != numbers_.end()) texts_[node] = at->second;
    } else if (type == G_TYPE_STRING) {
      if (cut_strings_.count(string_++)) cut_.insert(node);
    }
  }

  // Whether json-glib gives the number of this text back exactly.
  static bool exact(std::string_view token) {
    bool integer = token.find_first_of(".eE") == std::string_view::npos;
    if (integer) {
      gint64 n = 0;
      auto result = std::from_chars(token.data(), token.data() + token.size(), n);
      return result.ec == std::errc() && result.ptr == token.data() + token.size();
    }
    // A double holds a number when its digits, as many as the number
    // has, give the number back: "0.10000000000000001" is the double of
    // "0.1"; "922337203685477.5807" has more digits than a double keeps.
    std::string copy(token);
    gdouble d = g_ascii_strtod(copy.c_str(), nullptr);
    if (!std::isfinite(d)) return false;
    int digits = significant_digits(token);
    if (digits > 17) return false;
    char format[8], buffer[G_ASCII_DTOSTR_BUF_SIZE];
    g_snprintf(format, sizeof format, "%%.%dg", std::max(digits, 1));
    g_ascii_formatd(buffer, sizeof buffer, format, d);
    return same_number(buffer, token);
  }

  // Digits of a number from its first to its last that is not zero.
  static int significant_digits(std::string_view token) {
    size_t end = token.find_first_of("eE");
    std::string_view mantissa = token.substr(0, end);
    size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    size_t last = mantissa.find_last_of("123456789");
    int digits = 0;
    for (size_t i = first; i <= last; ++i)
      if (mantissa[i] >= '0' && mantissa[i] <= '9') ++digits;
    return digits;
  }

  // Notes the numbers and value strings of `text`; false when it nests
  // deeper than the limit.
  bool scan(std::string_view text, int depth) {
    const int limit = json_file::kMaxDepth;
    size_t numbers = 0, strings = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      char c = text[i];
      if (c == '"') {
        bool nul = false;
        size_t k = i + 1;
        for (; k < text.size() && text[k] != '"'; ++k) {
          if (text[k] != '\\') continue;
          if (text.compare(k, 6, "\\u0000") == 0) nul = true;
          ++k;
        }
        // A string followed by a colon is a member's name.
        size_t next = k + 1;
        while (next < text.size() && (text[next] == ' ' || text[next] == '\t' ||
                                      text[next] == '\n' || text[next] == '\r'))
          ++next;
        if (next >= text.size() || text[next] != ':') {
          if (nul) cut_strings_.insert(strings);
          ++strings;
        }
        i = k;
      } else if (c == '[' || c == '{') {
        if (++depth > limit) return false;
      } else if (c == ']' || c == '}') {
        --depth;
      } else if (c == '-' || (c >= '0' && c <= '9')) {
        size_t k = i;
        while (k < text.size() &&
               (g_ascii_isalnum(text[k]) || text[k] == '.' || text[k] == '+' || text[k] == '-'))
          ++k;
        std::string_view token = text.substr(i, k - i);
        if (!exact(token)) numbers_.emplace(numbers, std::string(token));
        ++numbers;
        i = k - 1;
      }
    }
    return true;
  }

  GRef<JsonParser> parser_;
  std::unordered_map<size_t, std::string> numbers_;  // by position among the numbers
  std::unordered_set<size_t> cut_strings_;           // by position among the value strings
  std::unordered_map<const JsonNode*, std::string> texts_;
  std::unordered_set<const JsonNode*> cut_;
  size_t number_ = 0, string_ = 0;
};

// The text of a member's value: a number in the document's own digits
// where json-glib's value would change it. None for null; an error for a
// text json-glib cut at U+0000.
bool member_text(JsonNode* node, const Parser& parser, Field& out, guint record, const char* name,
                 GError** error) {
  if (parser.is_cut(node)) {
    g_set_error(error, json_quark(), -1,
                _("invalid json format: record %u, field %s: the text holds U+0000, which a text "
                  "value cannot carry."),
                record, name);
    return false;
  }
  if (const std::string* text = parser.number_text(node)) {
    out = *text;
    return true;
  }
  out = member_text(node);
  return true;
}

Field member_text(JsonNode* node) {
  switch (json_node_get_node_type(node)) {
    case JSON_NODE_NULL:
      return std::nullopt;
    case JSON_NODE_VALUE: {
      GType type = json_node_get_value_type(node);
      if (type == G_TYPE_INT64) return std::to_string(json_node_get_int(node));
      if (type == G_TYPE_DOUBLE) return double_text(json_node_get_double(node));
      if (type == G_TYPE_BOOLEAN) return std::string(json_node_get_boolean(node) ? "1" : "0");
      const char* s = json_node_get_string(node);
      return std::string(s ? s : "");
    }
    default: {
      // Arrays and objects keep their JSON text.
      GUniqueStr text(json_to_string(node, FALSE));
      return std::string(text.get());
    }
  }
}

// The records array of a parsed document, or the structure error.
JsonArray* records_of(JsonParser* parser, GError** error) {
  JsonNode* root = json_parser_get_root(parser);
  if (!root || !JSON_NODE_HOLDS_OBJECT(root)) {
    g_set_error_literal(error, json_quark(), -1, _("invalid json format: root object not exist."));
    return nullptr;
  }
  JsonObject* object = json_node_get_object(root);
  if (!json_object_has_member(object, "RECORDS")) {
    g_set_error_literal(error, json_quark(), -1,
                        _("invalid json format: RECORDS member not exist."));
    return nullptr;
  }
  JsonNode* records = json_object_get_member(object, "RECORDS");
  if (!JSON_NODE_HOLDS_ARRAY(records)) {
    g_set_error_literal(error, json_quark(), -1, _("invalid json format: object array not exist."));
    return nullptr;
  }
  return json_node_get_array(records);
}

bool record_of(JsonNode* element, const Parser& parser, Record& record, guint index,
               GError** error) {
  if (!JSON_NODE_HOLDS_OBJECT(element)) {
    g_set_error(error, json_quark(), -1, _("invalid json format: record %u is not an object."),
                index + 1);
    return false;
  }
  record.names.clear();
  record.values.clear();
  JsonObjectIter iter;
  json_object_iter_init_ordered(&iter, json_node_get_object(element));
  const char* name = nullptr;
  JsonNode* member = nullptr;
  while (json_object_iter_next_ordered(&iter, &name, &member)) {
    record.names.emplace_back(name);
    Field text;
    if (!member_text(member, parser, text, index + 1, name, error)) return false;
    record.values.push_back(std::move(text));
  }
  return true;
}

// The elements of the "RECORDS" array of a document read one after the
// other from a stream, each parsed by json-glib from its own text, so a
// large document is never in memory as a whole. The text of an element
// leaves out the blanks between tokens: json-glib's scanner spends most of
// its time on the indentation of a pretty document.
//
// Only the usual shape is read this way: an object whose one member is
// "RECORDS", an array of objects. Anything else, or a syntax error, makes
// the reader give up (Status::other), and the caller parses the whole
// document as json-glib does, for its exact result or error.
class RecordStream {
 public:
  enum class Status { element, end, other, failed };

  // `strict`: an element that names a member twice fails the reading.
  explicit RecordStream(GInputStream* input, bool strict = false)
      : input_(retainGRef(input)), strict_(strict) {}

  // Up to the first element.
  Status start(GError** error) {
    if (!skip_blanks(error)) return Status::failed;
    if (!take('{', error) || !skip_blanks(error)) return give_up(error);
    static constexpr std::string_view kName = "\"RECORDS\"";
    for (char c : kName)
      if (!take(c, error)) return give_up(error);
    if (!skip_blanks(error) || !take(':', error) || !skip_blanks(error) || !take('[', error))
      return give_up(error);
    first_ = true;
    return Status::element;
  }

  // The next element (owned by the stream until the next call).
  Status next(JsonNode** element, GError** error) {
    if (!skip_blanks(error)) return Status::failed;
    int c = peek(error);
    if (c < 0) return give_up(error);
    if (c == ']') {
      // Only blanks may follow the array and the root object.
      ++pos_;
      if (!skip_blanks(error) || !take('}', error) || !skip_blanks(error)) return give_up(error);
      if (peek(error) != kEnd) return give_up(error);
      return Status::end;
    }
    if (!first_) {
      if (!take(',', error) || !skip_blanks(error)) return give_up(error);
      c = peek(error);
    }
    first_ = false;
    if (c != '{' || !element_text(error)) return give_up(error);
    // The element stands inside the root object and the array.
    GError* local = nullptr;
    if (!parser_.load(text_, 2, &local)) {
      // Too deep is this reader's own refusal; a syntax error is the whole
      // parse's to report.
      bool deep = local && local->domain == json_quark();
      if (deep)
        g_propagate_error(error, local);
      else
        g_clear_error(&local);
      return deep ? Status::failed : Status::other;
    }
    *element = json_parser_get_root(parser_.get());
    ++index_;
    // json-glib keeps the last of two members of one name and says nothing.
    if (strict_ && json_object_get_size(json_node_get_object(*element)) != keys_.size()) {
      twice_error(error);
      return Status::failed;
    }
    return Status::element;
  }

  const Parser& parser() const { return parser_; }

 private:
  static constexpr int kEnd = -2;

  // The error of the element just read, naming a member written twice the
  // same way when there is one.
  void twice_error(GError** error) const {
    std::vector<std::string> names;
    for (const auto& [start, size] : keys_) names.push_back(text_.substr(start, size));
    std::sort(names.begin(), names.end());
    auto twice = std::adjacent_find(names.begin(), names.end());
    if (twice != names.end())
      g_set_error(
          error, json_quark(), -1,
          _("invalid json format: record %u has the member \xe2\x80\x9c%s\xe2\x80\x9d twice."),
          index_, twice->c_str());
    else
      g_set_error(error, json_quark(), -1, _("invalid json format: record %u has a member twice."),
                  index_);
  }

  Status give_up(GError** error) { return error && *error ? Status::failed : Status::other; }

  // The next byte, kEnd at the end of the input, -1 on a read error.
  int peek(GError** error) {
    if (pos_ == buffer_.size() && !refill(error)) return -1;
    if (pos_ == buffer_.size()) return kEnd;
    return guchar(buffer_[pos_]);
  }

  bool refill(GError** error) {
    buffer_.resize(kRead);
    pos_ = 0;
    gssize got = g_input_stream_read(input_.get(), buffer_.data(), kRead, nullptr, error);
    buffer_.resize(got > 0 ? size_t(got) : 0);
    return got >= 0;
  }

  static bool blank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
  static bool word(char c) {
    switch (c) {
      case '{':
      case '}':
      case '[':
      case ']':
      case ',':
      case ':':
      case '"':
        return false;
      default:
        return true;
    }
  }

  bool skip_blanks(GError** error) {
    for (;;) {
      int c = peek(error);
      if (c == -1) return false;
      if (!blank(c)) return true;
      ++pos_;
    }
  }

  bool take(char wanted, GError** error) {
    if (peek(error) != guchar(wanted)) return false;
    ++pos_;
    return true;
  }

  // The text of the object that starts here, to its closing brace, and
  // where its own member names are in it.
  bool element_text(GError** error) {
    text_.clear();
    keys_.clear();
    int depth = 0;
    bool in_string = false, escaped = false, blanks = false;
    for (;;) {
      if (pos_ == buffer_.size() && !refill(error)) return false;
      if (pos_ == buffer_.size()) return false;  // the document ends inside
      const char* data = buffer_.data();
      size_t end = buffer_.size();
      size_t i = pos_;
      if (in_string) {
        // A run of string bytes at once.
        size_t start = i;
        while (i < end) {
          char c = data[i++];
          if (escaped) {
            escaped = false;
          } else if (c == '\\') {
            escaped = true;
          } else if (c == '"') {
            in_string = false;
            break;
          }
        }
        text_.append(data + start, i - start);
        pos_ = i;
        if (!in_string && key_start_) {
          keys_.emplace_back(key_start_, text_.size() - 1 - key_start_);
          key_start_ = 0;
        }
        continue;
      }
      char c = data[i];
      pos_ = i + 1;
      if (blank(guchar(c))) {
        blanks = true;
        continue;
      }
      // A blank between two words (numbers, literals) keeps them apart.
      if (blanks && !text_.empty() && word(text_.back()) && word(c)) text_ += ' ';
      blanks = false;
      text_ += c;
      if (c == '"') {
        in_string = true;
        // A name of the element's own members follows its brace or a comma.
        if (depth == 1 && text_.size() >= 2 &&
            (text_[text_.size() - 2] == '{' || text_[text_.size() - 2] == ','))
          key_start_ = text_.size();
      } else if (c == '{' || c == '[') {
        ++depth;
      } else if (c == '}' || c == ']') {
        if (--depth == 0) return true;
      }
    }
  }

  static constexpr size_t kRead = 1 << 16;
  GRef<GInputStream> input_;
  Parser parser_;
  std::string buffer_;
  size_t pos_ = 0;
  std::string text_;
  bool first_ = true;
  bool strict_ = false;
  guint index_ = 0;                              // elements read
  std::vector<std::pair<size_t, size_t>> keys_;  // start and size in text_
  size_t key_start_ = 0;                         // of the name being read, 0: none
};

// A load of the records into a new model: the first record's members name
// the columns; later records give their members by name.
class ModelBuilder {
 public:
  explicit ModelBuilder(gint limit) : limit_(limit) {}

  // Adds the record (its texts not copied); false once the limit is
  // reached. Members are matched by name; a member the first record lacks
  // is dropped.
  bool add(JsonObject* object, const Parser& parser, GError** error) {
    if (full()) return false;
    JsonObjectIter iter;
    const char* name = nullptr;
    JsonNode* member = nullptr;
    if (!model_) {
      json_object_iter_init_ordered(&iter, object);
      while (json_object_iter_next_ordered(&iter, &name, &member)) names_.emplace_back(name);
      model_ = adoptGRef(string_model_new(names_));
      texts_.resize(names_.size());
      scratch_.resize(names_.size());
    }
    std::fill(texts_.begin(), texts_.end(), nullptr);
    json_object_iter_init_ordered(&iter, object);
    for (size_t k = 0; json_object_iter_next_ordered(&iter, &name, &member); ++k) {
      size_t c = k;
      if (c >= names_.size() || names_[c] != name) {
        c = 0;
        while (c < names_.size() && names_[c] != name) ++c;
        if (c == names_.size()) continue;
      }
      if (JSON_NODE_HOLDS_VALUE(member) && json_node_get_value_type(member) == G_TYPE_STRING &&
          !parser.is_cut(member)) {
        const char* text = json_node_get_string(member);
        texts_[c] = text ? text : "";
        continue;
      }
      Field text;
      if (!member_text(member, parser, text, rows_ + 1, name, error)) {
        failed_ = true;
        return false;
      }
      if (text) {
        scratch_[c] = std::move(*text);
        texts_[c] = scratch_[c].c_str();
      }
    }
    append_text_row(model_.get(), texts_);
    ++rows_;
    return !full();
  }
  bool failed() const { return failed_; }
  bool full() const { return limit_ > 0 && rows_ >= guint(limit_); }
  Model* take() { return model_.leak(); }

 private:
  gint limit_;
  guint rows_ = 0;
  bool failed_ = false;
  GRef<Model> model_;
  std::vector<std::string> names_;
  std::vector<const char*> texts_;
  std::vector<std::string> scratch_;
};

Model* load_parsed(const Parser& parser, gint limit, GError** error) {
  JsonArray* records = records_of(parser.get(), error);
  if (!records) return nullptr;
  guint n = json_array_get_length(records);
  ModelBuilder builder(limit);
  for (guint i = 0; i < n && !builder.full(); ++i) {
    JsonNode* element = json_array_get_element(records, i);
    if (!JSON_NODE_HOLDS_OBJECT(element)) {
      Record record;
      record_of(element, parser, record, i, error);
      return nullptr;
    }
    builder.add(json_node_get_object(element), parser, error);
    if (builder.failed()) return nullptr;
  }
  return builder.take();
}

// Walks every element of a document of the usual shape: `visit(element,
// index)` (false stops early, still reading the rest). Status::other when
// the document is not of that shape or not valid.
RecordStream::Status stream_records(
    GInputStream* input, const std::function<bool(JsonNode*, const Parser&, guint)>& visit,
    GError** error, bool strict = false) {
  RecordStream stream(input, strict);
  RecordStream::Status status = stream.start(error);
  bool visiting = true;
  for (guint index = 0; status == RecordStream::Status::element; ++index) {
    JsonNode* element = nullptr;
    status = stream.next(&element, error);
    if (status == RecordStream::Status::element && visiting)
      visiting = visit(element, stream.parser(), index);
  }
  return status;
}

// Loads a document from the streams `open` gives (it may be asked twice):
// streamed when the document has the usual shape, else parsed as a whole
// from the text `read` gives.
using ReadAll = std::function<bool(std::string&, GError**)>;

Model* load_streams(const std::function<GInputStream*(GError**)>& open, const ReadAll& read,
                    gint limit, GError** error) {
  auto input = adoptGRef(open(error));
  if (!input) return nullptr;
  ModelBuilder builder(limit);
  GError* local = nullptr;
  // A limited load still reads the rest: an invalid document is an error.
  GError* failure = nullptr;
  auto status = stream_records(
      input.get(),
      [&](JsonNode* element, const Parser& parser, guint) {
        return builder.add(json_node_get_object(element), parser, &failure);
      },
      &local);
  g_input_stream_close(input.get(), nullptr, nullptr);
  if (status == RecordStream::Status::failed) {
    g_clear_error(&failure);
    g_propagate_error(error, local);
    return nullptr;
  }
  if (status == RecordStream::Status::end) {
    if (failure) {
      g_propagate_error(error, failure);
      return nullptr;
    }
    return builder.take();
  }
  g_clear_error(&failure);
  // Not the usual shape: as json-glib reads the whole of it.
  std::string text;
  if (!read(text, error)) return nullptr;
  Parser parser;
  if (!parser.load(text, 0, error)) return nullptr;
  return load_parsed(parser, limit, error);
}

class JsonSource : public RecordSource {
 public:
  explicit JsonSource(std::unique_ptr<Parser> parser, JsonArray* records)
      : parser_(std::move(parser)), records_(records) {}
  bool next(Record& record, GError** error) override {
    if (index_ >= json_array_get_length(records_)) return false;
    guint i = index_++;
    return record_of(json_array_get_element(records_, i), *parser_, record, i, error);
  }
  guint total() override { return json_array_get_length(records_); }

 private:
  std::unique_ptr<Parser> parser_;
  JsonArray* records_;
  guint index_ = 0;
};

// The records of a document of the usual shape, read from a second stream
// after a first pass checked the whole document and counted them (so an
// invalid document imports nothing, as when it is parsed as a whole).
class StreamSource : public RecordSource {
 public:
  StreamSource(GInputStream* input, guint total)
      : input_(adoptGRef(input)), stream_(input), total_(total) {}
  ~StreamSource() override { g_input_stream_close(input_.get(), nullptr, nullptr); }

  bool next(Record& record, GError** error) override {
    if (!started_) {
      started_ = true;
      if (stream_.start(error) != RecordStream::Status::element) return false;
    }
    JsonNode* element = nullptr;
    if (stream_.next(&element, error) != RecordStream::Status::element) return false;
    return record_of(element, stream_.parser(), record, index_++, error);
  }
  guint total() override { return total_; }

 private:
  GRef<GInputStream> input_;
  RecordStream stream_;
  guint total_;
  guint index_ = 0;
  bool started_ = false;
};

// Watches a parse for a member named twice in the root object or in an
// object of the root's arrays (a record): json-glib keeps the last of them
// and says nothing.
class TwiceWatch {
 public:
  explicit TwiceWatch(JsonParser* parser) : parser_(retainGRef(parser)) {
    ids_[0] = g_signal_connect(parser, "object-start", G_CALLBACK(+[](JsonParser*, gpointer self) {
                                 static_cast<TwiceWatch*>(self)->names_.emplace_back();
                               }),
                               this);
    ids_[1] = g_signal_connect(
        parser, "object-member",
        G_CALLBACK(+[](JsonParser*, JsonObject* object, const gchar* name, gpointer data) {
          auto* self = static_cast<TwiceWatch*>(data);
          if (self->names_.empty() || self->names_.size() > 2 || self->object_) return;
          if (!self->names_.back().insert(name).second) {
            self->object_ = object;
            self->name_ = name;
            self->root_ = self->names_.size() == 1;
          }
        }),
        this);
    ids_[2] = g_signal_connect(parser, "object-end",
                               G_CALLBACK(+[](JsonParser*, JsonObject*, gpointer self) {
                                 auto& names = static_cast<TwiceWatch*>(self)->names_;
                                 if (!names.empty()) names.pop_back();
                               }),
                               this);
  }
  ~TwiceWatch() {
    for (gulong id : ids_) g_signal_handler_disconnect(parser_.get(), id);
  }
  TwiceWatch(const TwiceWatch&) = delete;
  TwiceWatch& operator=(const TwiceWatch&) = delete;

  // The error of the first name given twice, if any, after the parse.
  bool check(JsonArray* records, GError** error) const {
    if (!object_) return true;
    if (root_) {
      g_set_error(
          error, json_quark(), -1,
          _("invalid json format: the document has the member \xe2\x80\x9c%s\xe2\x80\x9d twice."),
          name_.c_str());
      return false;
    }
    guint n = records ? json_array_get_length(records) : 0;
    for (guint i = 0; i < n; ++i) {
      JsonNode* element = json_array_get_element(records, i);
      if (JSON_NODE_HOLDS_OBJECT(element) && json_node_get_object(element) == object_) {
        g_set_error(
            error, json_quark(), -1,
            _("invalid json format: record %u has the member \xe2\x80\x9c%s\xe2\x80\x9d twice."),
            i + 1, name_.c_str());
        return false;
      }
    }
    g_set_error(
        error, json_quark(), -1,
        _("invalid json format: an object has the member \xe2\x80\x9c%s\xe2\x80\x9d twice."),
        name_.c_str());
    return false;
  }

 private:
  GRef<JsonParser> parser_;
  gulong ids_[3] = {};
  std::vector<std::set<std::string>> names_;  // of the objects being read
  JsonObject* object_ = nullptr;              // where a name came twice
  std::string name_;
  bool root_ = false;
};

// The records of a document parsed whole, every one checked before the
// first is imported.
std::unique_ptr<RecordSource> source_of(std::unique_ptr<Parser> parser, const TwiceWatch& watch,
                                        GError** error) {
  JsonArray* records = records_of(parser->get(), error);
  if (!records) return nullptr;
  if (!watch.check(records, error)) return nullptr;
  guint n = json_array_get_length(records);
  Record record;
  for (guint i = 0; i < n; ++i) {
    JsonNode* element = json_array_get_element(records, i);
    if (!JSON_NODE_HOLDS_OBJECT(element)) {
      record_of(element, *parser, record, i, error);
      return nullptr;
    }
  }
  return std::make_unique<JsonSource>(std::move(parser), records);
}

// The records of the documents `open` gives: streamed when the document has
// the usual shape, else from the whole document parsed at once.
std::unique_ptr<RecordSource> open_source(const std::function<GInputStream*(GError**)>& open,
                                          const ReadAll& read, GError** error) {
  auto input = adoptGRef(open(error));
  if (!input) return nullptr;
  guint total = 0;
  GError* local = nullptr;
  auto status = stream_records(
      input.get(),
      [&](JsonNode* element, const Parser&, guint) {
        ++total;
        // An element that is not an object is the whole parse's error.
        return JSON_NODE_HOLDS_OBJECT(element);
      },
      &local, true);
  g_input_stream_close(input.get(), nullptr, nullptr);
  if (status == RecordStream::Status::failed) {
    g_propagate_error(error, local);
    return nullptr;
  }
  if (status == RecordStream::Status::end) {
    input = adoptGRef(open(error));
    if (!input) return nullptr;
    return std::make_unique<StreamSource>(input.leak(), total);
  }
  std::string text;
  if (!read(text, error)) return nullptr;
  auto parser = std::make_unique<Parser>();
  TwiceWatch watch(parser->get());
  if (!parser->load(text, 0, error)) return nullptr;
  return source_of(std::move(parser), watch, error);
}

GInputStream* memory_stream(const std::shared_ptr<std::string>& text) {
  // The bytes keep the text alive.
  auto* keep = new std::shared_ptr<std::string>(text);
  GBytes* bytes = g_bytes_new_with_free_func(
      text->data(), text->size(),
      [](gpointer p) { delete static_cast<std::shared_ptr<std::string>*>(p); }, keep);
  GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
  g_bytes_unref(bytes);
  return stream;
}

// The whole file of "FILENAME", to be parsed at once.
bool read_file(Base* self, std::string& text, GError** error) {
  auto input = adoptGRef(open_option_file(self, error));
  if (!input) return false;
  text.clear();
  char chunk[1 << 16];
  for (;;) {
    gssize got = g_input_stream_read(input.get(), chunk, sizeof chunk, nullptr, error);
    if (got < 0) return false;
    if (got == 0) break;
    text.append(chunk, size_t(got));
  }
  g_input_stream_close(input.get(), nullptr, nullptr);
  return true;
}

struct JsonFormat {
  static constexpr ImportCount count = ImportCount::affected;
  static constexpr bool numbered_failure = false;

  static SourceOpener file_source(Base* self) {
    GRef<GObject> keep = retainGRef(G_OBJECT(self));
    return [keep](GError** error) -> std::unique_ptr<RecordSource> {
      Base* base = base_of(keep.get());
      return open_source([&](GError** e) { return open_option_file(base, e); },
                         [&](std::string& text, GError** e) { return read_file(base, text, e); },
                         error);
    };
  }

  static SourceOpener text_source(Base*, const char* text) {
    auto copy = std::make_shared<std::string>(text);
    return [copy](GError** error) -> std::unique_ptr<RecordSource> {
      return open_source([&](GError**) { return memory_stream(copy); },
                         [&](std::string& text, GError**) {
                           text = *copy;
                           return true;
                         },
                         error);
    };
  }

  static Model* load_file(Base* self, gint limit, GError** error) {
    return load_streams([&](GError** e) { return open_option_file(self, e); },
                        [&](std::string& text, GError** e) { return read_file(self, text, e); },
                        limit, error);
  }

  static Model* load_text(Base*, const char* text, GError** error) {
    auto copy = std::make_shared<std::string>(text);
    return load_streams([&](GError**) { return memory_stream(copy); },
                        [&](std::string& whole, GError**) {
                          whole = *copy;
                          return true;
                        },
                        0, error);
  }
};

}  // namespace

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexBrevaneSupportsDataExtractorsJsonExtractor,
                             tarvex_brevane_supports_data_extractors_json_extractor,
                             TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR,
                             G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IIMPORTER,
                                                   Importer<JsonFormat>::init))

static void tarvex_brevane_supports_data_extractors_json_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsJsonExtractorClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass);
  base->export_to_text = json_export_to_text;
  base->export_to_file = json_export_to_file;
}

TarvexBrevaneSupportsDataExtractorsJsonExtractor*
tarvex_brevane_supports_data_extractors_json_extractor_construct(GType object_type,
                                                                 const gchar* file_extension) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_extension != nullptr, "file_extension != NULL", nullptr);
  return reinterpret_cast<TarvexBrevaneSupportsDataExtractorsJsonExtractor*>(
      tarvex_brevane_supports_data_extractors_base_extractor_construct(object_type,
                                                                       file_extension));
}

TarvexBrevaneSupportsDataExtractorsJsonExtractor*
tarvex_brevane_supports_data_extractors_json_extractor_new(const gchar* file_extension) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_extension != nullptr, "file_extension != NULL", nullptr);
  return tarvex_brevane_supports_data_extractors_json_extractor_construct(
      TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_JSON_EXTRACTOR, file_extension);
}
