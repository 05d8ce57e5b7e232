// Reading JSON documents of records: a json-glib parser that keeps the
// numbers' own digits, and a one-pass reader of the usual "RECORDS" shape
// (internal to the JSON extractor).
#pragma once

#include <gio/gio.h>
#include <glib/gi18n-lib.h>
#include <json-glib/json-glib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "brevane/data/extractors/extractor-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-json-file-private.h"

namespace tarvex::data::json {

// The error domain of JSON documents.
GQuark json_quark();

// The shortest text that reads back to the same double, in "%g" form: the
// fewest significant digits come from the shortest exponent form.
std::string double_text(gdouble d);

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
 public:
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

 private:
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

// The text a load gives a number (a valid JSON token): what json-glib's
// value prints where that value holds the number exactly, else the
// document's own digits.
void number_text(std::string_view token, std::string& out);

// Why a string of the document cannot be a text value.
enum class Fault : guint8 { none, zero, utf8, escape, surrogate };

// A member of a record as the reader gives it.
struct Member {
  enum class Kind : guint8 { null_value, text, number, boolean, nested };
  std::string name;
  Kind kind = Kind::null_value;
  Fault fault = Fault::none;  // of a text
  // A text decoded, a number's own token, "1" or "0", or a nested array
  // or object as json-glib writes it.
  std::string text;
};

// The error of a text that cannot be a text value.
void fault_error(Fault fault, guint record, const char* name, GError** error);

// The length of the UTF-8 sequence at `p` when it is one, 0 when it is
// not, -1 when the bytes up to `end` begin one.
int utf8_sequence(const char* p, const char* end);
void append_utf8(std::string& out, gunichar c);
int hex_value(char c);
// The code unit of the four hexadecimal digits at `p`, or -1.
long hex4(const char* p);
// Whether the bytes at `p` up to `end` begin a "\uXXXX" escape.
bool could_be_escape(const char* p, const char* end);

// The elements of the "RECORDS" array of a document, read one after the
// other from a stream in one pass over its bytes, each record's members
// decoded as they come, so a large document is never in memory as a
// whole and no tree of values is built.
//
// Only the usual shape is read this way: an object whose one member is
// "RECORDS", an array of objects, in strict JSON. Anything else (another
// shape, a syntax error, what json-glib may read otherwise: comments,
// control characters in strings, a member name that is no text) makes the
// reader give up (Status::other), and the caller parses the whole document
// as json-glib does, for its exact result or error. A nested array or
// object in a field is parsed by json-glib, which writes its text.
class RecordReader {
 public:
  enum class Status { element, end, other, failed };

  // `strict`: an element that names a member twice fails the reading.
  explicit RecordReader(GInputStream* input, bool strict = false)
      : input_(retainGRef(input)), strict_(strict) {}

  // Up to the first element.
  Status start(GError** error) {
    return read([this](const char*& p, const char* end, GError**) { return opening(p, end); },
                error);
  }

  // The next element: its members (valid until the next call).
  Status next(GError** error) {
    return read([this](const char*& p, const char* end, GError** e) { return element(p, end, e); },
                error);
  }

  const Member* members() const { return members_.data(); }
  size_t size() const { return size_; }

 private:
  enum class Step { done, end, more, bad, failed };
  static constexpr int kRecordDepth = 3;  // the root object, the array, the record

  // Runs `step` over the buffered bytes, reading more and starting it
  // again from the same place while it needs them.
  template <typename F>
  Status read(const F& step, GError** error) {
    for (;;) {
      const char* data = buffer_.data();
      const char* p = data + pos_;
      Step s = step(p, data + buffer_.size(), error);
      switch (s) {
        case Step::done:
        case Step::end:
          pos_ = size_t(p - data);
          return s == Step::end ? Status::end : Status::element;
        case Step::bad:
          return Status::other;
        case Step::failed:
          return Status::failed;
        case Step::more:
          if (eof_) return Status::other;  // the document ends inside
          if (!refill(error)) return Status::failed;
      }
    }
  }

  // Keeps the bytes not yet taken and appends at least as many again.
  bool refill(GError** error) {
    buffer_.erase(0, pos_);
    pos_ = 0;
    size_t kept = buffer_.size();
    size_t want = std::max(kRead, kept);
    buffer_.resize(kept + want);
    gssize got = g_input_stream_read(input_.get(), buffer_.data() + kept, want, nullptr, error);
    buffer_.resize(kept + (got > 0 ? size_t(got) : 0));
    if (got == 0) eof_ = true;
    return got >= 0;
  }

  static bool blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
  static const char* skip(const char* p, const char* end) {
    while (p < end && blank(*p)) ++p;
    return p;
  }
  // What may follow a number or a literal.
  static bool delimiter(char c) { return blank(c) || c == ',' || c == '}' || c == ']'; }

  Step opening(const char*& p, const char* end) {
    static constexpr std::string_view kName = "\"RECORDS\"";
    p = skip(p, end);
    if (p == end) return Step::more;
    if (*p++ != '{') return Step::bad;
    p = skip(p, end);
    if (size_t(end - p) < kName.size()) return Step::more;
    if (std::string_view(p, kName.size()) != kName) return Step::bad;
    p = skip(p + kName.size(), end);
    if (p == end) return Step::more;
    if (*p++ != ':') return Step::bad;
    p = skip(p, end);
    if (p == end) return Step::more;
    if (*p++ != '[') return Step::bad;
    first_ = true;
    return Step::done;
  }

  Step element(const char*& p, const char* end, GError** error) {
    size_ = 0;
    p = skip(p, end);
    if (p == end) return Step::more;
    if (*p == ']') {
      // Only blanks may follow the array and the root object.
      p = skip(p + 1, end);
      if (p == end) return Step::more;
      if (*p++ != '}') return Step::bad;
      p = skip(p, end);
      if (p != end) return Step::bad;
      return eof_ ? Step::end : Step::more;
    }
    if (!first_) {
      if (*p++ != ',') return Step::bad;
      p = skip(p, end);
      if (p == end) return Step::more;
    }
    if (*p++ != '{') return Step::bad;
    p = skip(p, end);
    if (p == end) return Step::more;
    if (*p == '}') {
      ++p;
      return finish(error);
    }
    for (;;) {
      if (*p != '"') return Step::bad;
      if (size_ == members_.size()) members_.emplace_back();
      Member& m = members_[size_++];
      Fault name_fault = Fault::none;
      Step s = string(p, end, m.name, name_fault);
      if (s != Step::done) return s;
      // json-glib's names end at U+0000: its reading decides.
      if (name_fault != Fault::none) return Step::bad;
      p = skip(p, end);
      if (p == end) return Step::more;
      if (*p++ != ':') return Step::bad;
      p = skip(p, end);
      if (p == end) return Step::more;
      s = value(p, end, m, error);
      if (s != Step::done) return s;
      p = skip(p, end);
      if (p == end) return Step::more;
      char c = *p++;
      if (c == '}') return finish(error);
      if (c != ',') return Step::bad;
      p = skip(p, end);
      if (p == end) return Step::more;
    }
  }

  Step finish(GError** error) {
    first_ = false;
    ++index_;
    return strict_ && twice(error) ? Step::failed : Step::done;
  }

  // Whether a member of the element just read is named twice (its error).
  bool twice(GError** error) const {
    const std::string* name = nullptr;
    if (size_ <= 16) {
      for (size_t i = 1; i < size_ && !name; ++i)
        for (size_t k = 0; k < i && !name; ++k)
          if (members_[i].name == members_[k].name) name = &members_[i].name;
    } else {
      std::vector<const std::string*> names;
      for (size_t i = 0; i < size_; ++i) names.push_back(&members_[i].name);
      std::sort(names.begin(), names.end(), [](auto* a, auto* b) { return *a < *b; });
      auto same =
          std::adjacent_find(names.begin(), names.end(), [](auto* a, auto* b) { return *a == *b; });
      if (same != names.end()) name = *same;
    }
    if (!name) return false;
    g_set_error(
        error, json_quark(), -1,
        _("invalid json format: record %u has the member \xe2\x80\x9c%s\xe2\x80\x9d twice."),
        index_, name->c_str());
    return true;
  }

  // The string at `p` (its opening quote) into `out`; `fault` says the
  // first reason it cannot be a text.
  static Step string(const char*& p, const char* end, std::string& out, Fault& fault) {
    const char* q = p + 1;
    out.clear();
    fault = Fault::none;
    auto note = [&](Fault f) {
      if (fault == Fault::none) fault = f;
    };
    for (;;) {
      const char* run = q;
      while (q < end) {
        guchar c = guchar(*q);
        if (c == '"' || c == '\\' || c == 0 || c >= 0x80) break;
        ++q;
      }
      out.append(run, size_t(q - run));
      if (q >= end) return Step::more;
      guchar c = guchar(*q);
      if (c == '"') {
        p = q + 1;
        return Step::done;
      }
      if (c >= 0x80) {
        int n = utf8_sequence(q, end);
        if (n < 0) return Step::more;
        if (n == 0) {
          note(Fault::utf8);
          ++q;
        } else {
          out.append(q, size_t(n));
          q += n;
        }
        continue;
      }
      // A zero byte is not JSON; json-glib's reading decides. (Other
      // control characters are not JSON either, but json-glib takes them.)
      if (c == 0) return Step::bad;
      if (end - q < 2) return Step::more;
      char e = q[1];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          q += 2;
          continue;
        case 'b':
          out += '\b';
          q += 2;
          continue;
        case 'f':
          out += '\f';
          q += 2;
          continue;
        case 'n':
          out += '\n';
          q += 2;
          continue;
        case 'r':
          out += '\r';
          q += 2;
          continue;
        case 't':
          out += '\t';
          q += 2;
          continue;
        case 'u':
          break;
        default:
          // The backslash alone is taken: what follows is read as it is.
          note(Fault::escape);
          ++q;
          continue;
      }
      if (end - q < 6 && could_be_escape(q, end)) return Step::more;
      long unit = end - q < 6 ? -1 : hex4(q + 2);
      if (unit < 0) {
        note(Fault::escape);
        q += 2;
        continue;
      }
      q += 6;
      if (unit >= 0xD800 && unit <= 0xDBFF) {
        if (end - q < 6 && could_be_escape(q, end)) return Step::more;
        long low = end - q >= 6 && q[0] == '\\' && q[1] == 'u' ? hex4(q + 2) : -1;
        if (low < 0xDC00 || low > 0xDFFF) {
          note(Fault::surrogate);
          continue;
        }
        q += 6;
        append_utf8(out, gunichar(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
      } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
        note(Fault::surrogate);
      } else if (unit == 0) {
        note(Fault::zero);
      } else {
        append_utf8(out, gunichar(unit));
      }
    }
  }

  Step value(const char*& p, const char* end, Member& m, GError** error) {
    char c = *p;
    m.fault = Fault::none;
    switch (c) {
      case '"':
        m.kind = Member::Kind::text;
        return string(p, end, m.text, m.fault);
      case 't':
        m.kind = Member::Kind::boolean;
        m.text = "1";
        return literal(p, end, "true");
      case 'f':
        m.kind = Member::Kind::boolean;
        m.text = "0";
        return literal(p, end, "false");
      case 'n':
        m.kind = Member::Kind::null_value;
        m.text.clear();
        return literal(p, end, "null");
      case '[':
      case '{':
        m.kind = Member::Kind::nested;
        return nested(p, end, m.text, error);
      default:
        m.kind = Member::Kind::number;
        return number(p, end, m.text);
    }
  }

  static Step literal(const char*& p, const char* end, std::string_view word) {
    if (size_t(end - p) <= word.size()) return Step::more;
    if (std::string_view(p, word.size()) != word || !delimiter(p[word.size()])) return Step::bad;
    p += word.size();
    return Step::done;
  }

  // A number as JSON writes one, its token into `out`.
  static Step number(const char*& p, const char* end, std::string& out) {
    const char* q = p;
    auto digits = [&]() {
      const char* first = q;
      while (q < end && *q >= '0' && *q <= '9') ++q;
      return q - first;
    };
    if (q < end && *q == '-') ++q;
    if (q == end) return Step::more;
    if (*q == '0') {
      ++q;
    } else if (digits() == 0) {
      return Step::bad;
    }
    if (q == end) return Step::more;
    if (*q == '.') {
      ++q;
      if (digits() == 0) return q == end ? Step::more : Step::bad;
    }
    if (q == end) return Step::more;
    if (*q == 'e' || *q == 'E') {
      ++q;
      if (q < end && (*q == '+' || *q == '-')) ++q;
      if (digits() == 0) return q == end ? Step::more : Step::bad;
    }
    if (q == end) return Step::more;
    if (!delimiter(*q)) return Step::bad;
    out.assign(p, size_t(q - p));
    p = q;
    return Step::done;
  }

  // An array or an object in a field: its text as json-glib writes it,
  // the nesting limit kept (json-glib's parser recurses once per level).
  static Step nested(const char*& p, const char* end, std::string& out, GError** error) {
    const char* q = p;
    int depth = kRecordDepth;
    while (q < end) {
      char c = *q++;
      if (c == '"') {
        while (q < end && *q != '"') q += *q == '\\' ? 2 : 1;
        if (q >= end) return Step::more;
        ++q;
      } else if (c == '[' || c == '{') {
        if (++depth > json_file::kMaxDepth) {
          g_set_error(error, json_quark(), -1,
                      _("invalid json format: the document is nested deeper than %d levels."),
                      json_file::kMaxDepth);
          return Step::failed;
        }
      } else if (c == ']' || c == '}') {
        if (--depth == kRecordDepth) break;
      }
    }
    if (depth != kRecordDepth) return Step::more;
    Parser parser;
    if (!parser.load(std::string_view(p, size_t(q - p)), kRecordDepth, nullptr)) return Step::bad;
    GUniqueStr text(json_to_string(json_parser_get_root(parser.get()), FALSE));
    out = text.get();
    p = q;
    return Step::done;
  }

  static constexpr size_t kRead = 1 << 16;
  GRef<GInputStream> input_;
  bool strict_ = false;
  std::string buffer_;
  size_t pos_ = 0;
  bool eof_ = false;
  bool first_ = true;
  guint index_ = 0;  // elements read
  std::vector<Member> members_;
  size_t size_ = 0;  // members of the element just read
};

}  // namespace tarvex::data::json
