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
#include "brevane/data/extractors/json-reader-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-json-file-private.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_null.h"

using namespace tarvex;
using namespace tarvex::data;
using namespace tarvex::data::json;

typedef struct _TarvexBrevaneSupportsDataExtractorsJsonExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsJsonExtractorPrivate;
typedef struct _TarvexBrevaneSupportsDataExtractorsJsonExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsJsonExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsJsonExtractorPrivate {};

namespace {

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

Field member_text(JsonNode* node);

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

// The cell text of a member (none for null), or false with the error.
bool member_field(const Member& m, std::string& scratch, const char** text, gsize* length,
                  guint record, GError** error) {
  switch (m.kind) {
    case Member::Kind::null_value:
      *text = nullptr;
      *length = 0;
      return true;
    case Member::Kind::number:
      number_text(m.text, scratch);
      *text = scratch.c_str();
      *length = scratch.size();
      return true;
    case Member::Kind::text:
      if (m.fault != Fault::none) {
        fault_error(m.fault, record, m.name.c_str(), error);
        return false;
      }
      break;
    case Member::Kind::boolean:
    case Member::Kind::nested:
      break;
  }
  *text = m.text.c_str();
  *length = m.text.size();
  return true;
}

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
      std::vector<std::string> names;
      json_object_iter_init_ordered(&iter, object);
      while (json_object_iter_next_ordered(&iter, &name, &member)) names.emplace_back(name);
      make_model(std::move(names));
    }
    std::fill(texts_.begin(), texts_.end(), nullptr);
    json_object_iter_init_ordered(&iter, object);
    for (size_t k = 0; json_object_iter_next_ordered(&iter, &name, &member); ++k) {
      size_t c = column_of(name, k);
      if (c == names_.size()) continue;
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
    for (size_t c = 0; c < texts_.size(); ++c) lengths_[c] = texts_[c] ? std::strlen(texts_[c]) : 0;
    append();
    return !full();
  }

  // The same for the members the record reader gives: of a name given
  // twice, the first names the column and the last gives the value, as
  // json-glib keeps them.
  bool add(const Member* members, size_t n, GError** error) {
    if (full()) return false;
    if (!model_) {
      std::vector<std::string> names;
      for (size_t k = 0; k < n; ++k)
        if (std::find(names.begin(), names.end(), members[k].name) == names.end())
          names.push_back(members[k].name);
      make_model(std::move(names));
    }
    if (columns_.size() < n) columns_.resize(n);
    for (size_t k = 0; k < n; ++k) {
      size_t c = column_of(members[k].name, k);
      columns_[k] = c;
      if (c < names_.size()) chosen_[c] = &members[k];
    }
    std::fill(texts_.begin(), texts_.end(), nullptr);
    std::fill(lengths_.begin(), lengths_.end(), 0);
    // In the order of the members, as json-glib's object gives them.
    for (size_t k = 0; k < n; ++k) {
      size_t c = columns_[k];
      if (c >= names_.size() || !chosen_[c]) continue;
      const Member* m = chosen_[c];
      chosen_[c] = nullptr;
      if (!member_field(*m, scratch_[c], &texts_[c], &lengths_[c], rows_ + 1, error)) {
        failed_ = true;
        return false;
      }
    }
    append();
    return !full();
  }

  bool failed() const { return failed_; }
  bool full() const { return limit_ > 0 && rows_ >= guint(limit_); }
  Model* take() { return model_.leak(); }

 private:
  void make_model(std::vector<std::string> names) {
    names_ = std::move(names);
    model_ = adoptGRef(string_model_new(names_));
    cells_ = models::table_cells_of(model_.get());
    texts_.resize(names_.size());
    lengths_.resize(names_.size());
    scratch_.resize(names_.size());
    chosen_.resize(names_.size());
  }

  // The column of member `k` named `name` (names_.size(): none).
  template <typename Name>
  size_t column_of(const Name& name, size_t k) const {
    if (k < names_.size() && names_[k] == name) return k;
    size_t c = 0;
    while (c < names_.size() && names_[c] != name) ++c;
    return c;
  }

  void append() {
    if (cells_)
      cells_->append_texts(G_OBJECT(model_.get()), texts_.data(), lengths_.data(),
                           guint(texts_.size()));
    else
      append_text_row(model_.get(), texts_);
    ++rows_;
  }

  gint limit_;
  guint rows_ = 0;
  bool failed_ = false;
  GRef<Model> model_;
  const models::TableCellsIface* cells_ = nullptr;
  std::vector<std::string> names_;
  std::vector<const char*> texts_;
  std::vector<gsize> lengths_;
  std::vector<std::string> scratch_;
  std::vector<const Member*> chosen_;  // of each column, the member giving its value
  std::vector<size_t> columns_;        // of each member
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

// Walks every element of a document of the usual shape: `visit(reader)`
// with the element's members (false stops early, still reading the rest).
// Status::other when the document is not of that shape or not valid.
RecordReader::Status stream_records(GInputStream* input,
                                    const std::function<bool(const RecordReader&)>& visit,
                                    GError** error, bool strict = false) {
  RecordReader reader(input, strict);
  RecordReader::Status status = reader.start(error);
  bool visiting = true;
  while (status == RecordReader::Status::element) {
    status = reader.next(error);
    if (status == RecordReader::Status::element && visiting) visiting = visit(reader);
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
      [&](const RecordReader& reader) {
        return builder.add(reader.members(), reader.size(), &failure);
      },
      &local);
  g_input_stream_close(input.get(), nullptr, nullptr);
  if (status == RecordReader::Status::failed) {
    g_clear_error(&failure);
    g_propagate_error(error, local);
    return nullptr;
  }
  if (status == RecordReader::Status::end) {
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

// The record of the members the reader gives (`index` from 1).
bool record_of(const RecordReader& reader, Record& record, guint index, GError** error) {
  record.names.clear();
  record.values.clear();
  const Member* members = reader.members();
  std::string scratch;
  for (size_t k = 0; k < reader.size(); ++k) {
    const char* text = nullptr;
    gsize length = 0;
    if (!member_field(members[k], scratch, &text, &length, index, error)) return false;
    record.names.push_back(members[k].name);
    record.values.push_back(text ? Field(std::string(text, length)) : std::nullopt);
  }
  return true;
}

// The records of a document of the usual shape, read from a second stream
// after a first pass checked the whole document and counted them (so an
// invalid document imports nothing, as when it is parsed as a whole).
class StreamSource : public RecordSource {
 public:
  StreamSource(GInputStream* input, guint total)
      : input_(adoptGRef(input)), reader_(input), total_(total) {}
  ~StreamSource() override { g_input_stream_close(input_.get(), nullptr, nullptr); }

  bool next(Record& record, GError** error) override {
    if (!started_) {
      started_ = true;
      if (reader_.start(error) != RecordReader::Status::element) return false;
    }
    if (reader_.next(error) != RecordReader::Status::element) return false;
    return record_of(reader_, record, ++index_, error);
  }
  guint total() override { return total_; }

 private:
  GRef<GInputStream> input_;
  RecordReader reader_;
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
  // A text that cannot be a text value fails the import before anything
  // goes in; a later fault of the document's syntax is the whole parse's.
  GError* failure = nullptr;
  auto status = stream_records(
      input.get(),
      [&](const RecordReader& reader) {
        ++total;
        const Member* members = reader.members();
        for (size_t k = 0; k < reader.size(); ++k)
          if (members[k].kind == Member::Kind::text && members[k].fault != Fault::none) {
            fault_error(members[k].fault, total, members[k].name.c_str(), &failure);
            return false;
          }
        return true;
      },
      &local, true);
  g_input_stream_close(input.get(), nullptr, nullptr);
  if (status == RecordReader::Status::failed) {
    g_clear_error(&failure);
    g_propagate_error(error, local);
    return nullptr;
  }
  if (status == RecordReader::Status::end && failure) {
    g_propagate_error(error, failure);
    return nullptr;
  }
  g_clear_error(&failure);
  if (status == RecordReader::Status::end) {
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
