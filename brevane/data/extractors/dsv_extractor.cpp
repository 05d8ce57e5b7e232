#include "brevane/data/extractors/dsv_extractor.h"

#include <glib/gi18n-lib.h>

#include <cstring>
#include <string>
#include <vector>

#include "brevane/data/extractors/extractor-private.h"
#include "brevane/foundation/logging_service.h"
#include "common/tarvex-bytes-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-text-private.h"

using namespace tarvex;
using namespace tarvex::data;

typedef struct _TarvexBrevaneSupportsDataExtractorsDsvExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsDsvExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsDsvExtractorPrivate {};

namespace {

struct DsvOptions {
  std::string prefix, suffix, null_text, delimiter, row_delimiter;
  bool header = true;
  bool always = false;
  std::string left_quote = "\"", right_quote = "\"", left_escape = "\"\"", right_escape = "\"\"";
  std::string encoding = "UTF-8";
  bool has_columns = false;
  std::vector<std::string> columns;

  bool read(Base* self, GError** error) {
    prefix = option(self, "ROW_PREFIX");
    suffix = option(self, "ROW_SUFFIX");
    null_text = option(self, "NULL_VALUE");
    header = !has_option(self, "HAS_HEADER") || option(self, "HAS_HEADER") == "true";
    delimiter = option(self, "DELIMITER_COLUMN", ",");
    row_delimiter = option(self, "DELIMITER_ROWNEW", "\n");
    always = option(self, "QUOTATION_TIME", "ifneed") == "always";
    encoding = option(self, "ENCODING", "UTF-8");
    has_columns = has_option(self, "COLUMNS");
    if (has_columns) columns = tarvex::text::split(option(self, "COLUMNS"), ",");
    std::string list = option(self, "QUOTATION_LIST");
    if (!list.empty()) {
      std::vector<std::string> parts = tarvex::text::split(tarvex::text::split(list, ";")[0], "-");
      bool complete = parts.size() == 4;
      for (const auto& part : parts) complete = complete && !part.empty();
      if (!complete) {
        set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_OPTION,
                  _("QUOTATION_LIST \xe2\x80\x9c%s\xe2\x80\x9d is not a left quote, right quote, "
                    "left escape and right escape joined by \xe2\x80\x9c-\xe2\x80\x9d"),
                  list.c_str());
        return false;
      }
      left_quote = parts[0];
      right_quote = parts[1];
      left_escape = parts[2];
      right_escape = parts[3];
    }
    if (delimiter.empty() || row_delimiter.empty()) {
      set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_OPTION, "%s",
                _("DELIMITER_COLUMN and DELIMITER_ROWNEW must not be empty"));
      return false;
    }
    return true;
  }
};

// ------------------------------------------------------------------ writing

// Formats the rows straight into large buffers: a text is copied once,
// from the table's cell into the buffer, and a buffer goes to the file in
// one write.
class DsvWriter {
 public:
  explicit DsvWriter(const DsvOptions& o) : o_(o) {
    // Bytes that may make a value need quotes: a text without any of them
    // is written bare (unless it is the NULL text or meets the prefix or
    // suffix).
    auto mark = [&](std::string_view text, bool all) {
      for (char c : text) {
        special_[guchar(c)] = true;
        if (!all) break;
      }
    };
    // Any byte of the delimiter: a bare "|" before the delimiter "||"
    // would be read as part of it.
    mark(o.delimiter, true);
    mark(o.left_quote, false);
    mark(o.right_quote, false);
    mark(o.row_delimiter, true);  // any of its bytes
    special_[guchar('\r')] = special_[guchar('\n')] = true;
    char few[bytes::FewBytes::kMost];
    for (int b = 0; b < 256; ++b)
      if (special_[b]) {
        if (few_ < G_N_ELEMENTS(few)) few[few_] = char(b);
        ++few_;
      }
    if (few_ <= G_N_ELEMENTS(few)) few_bytes_.emplace(few, few_);
    // The usual options (one-byte delimiter, no prefix or suffix, quotes
    // only where needed): a text without a special byte is written bare
    // unless it is the NULL text, with no other check.
    plain_ = !o.always && o.prefix.empty() && o.suffix.empty() && o.delimiter.size() == 1;
  }

  // Whether the text holds a special byte: sixteen bytes at a time when
  // there are few of them (the usual comma, quote, CR and LF).
  bool has_special(std::string_view text) const {
    if (few_bytes_) return few_bytes_->any(text.data(), text.size());
    const auto* p = reinterpret_cast<const guchar*>(text.data());
    for (size_t i = 0; i < text.size(); ++i)
      if (special_[p[i]]) return true;
    return false;
  }

  // Whether the text starts with an end of the delimiter or ends with a
  // start of it: next to the delimiter written after or before it, the
  // two would read as a delimiter one byte early ("a|" then "||" reads as
  // "a" then "||").
  bool meets_delimiter(std::string_view text) const {
    std::string_view d = o_.delimiter;
    for (size_t k = 1; k < d.size() && k <= text.size(); ++k)
      if (text.substr(text.size() - k) == d.substr(0, k) ||
          text.substr(0, k) == d.substr(d.size() - k))
        return true;
    return false;
  }

  bool needs_quotes(std::string_view text) const {
    if (o_.always || text == o_.null_text) return true;
    if (o_.delimiter.size() > 1 && meets_delimiter(text)) return true;
    if (has_special(text)) {
      if (text.find_first_of(o_.delimiter) != std::string_view::npos ||
          tarvex::text::contains(text, o_.left_quote) ||
          tarvex::text::contains(text, o_.right_quote))
        return true;
      if (text.find_first_of("\r\n") != std::string_view::npos) return true;
      if (text.find_first_of(o_.row_delimiter) != std::string_view::npos) return true;
    }
    if (!o_.prefix.empty() && text.substr(0, o_.prefix.size()) == o_.prefix) return true;
    if (!o_.suffix.empty() && text.size() >= o_.suffix.size() &&
        text.substr(text.size() - o_.suffix.size()) == o_.suffix)
      return true;
    return false;
  }

  // With the usual options: whether the text is written as it is.
  bool bare(std::string_view text) const {
    if (text.size() == o_.null_text.size() && text == o_.null_text) return false;
    return !has_special(text);
  }

  void field(std::string& out, std::optional<std::string_view> value) const {
    if (!value) {
      out += o_.null_text;
      return;
    }
    std::string_view text = *value;
    if (plain_ && bare(text)) {
      out.append(text.data(), text.size());
      return;
    }
    if (!needs_quotes(text)) {
      out += text;
      return;
    }
    out += o_.left_quote;
    // One pass, so an escape never meets the other replacement.
    const std::string& lq = o_.left_quote;
    const std::string& rq = o_.right_quote;
    bool same = lq == rq;
    size_t start = 0;
    for (size_t i = 0; i < text.size();) {
      std::string_view rest = text.substr(i);
      const std::string* escape = nullptr;
      size_t skip = 0;
      if (rest.substr(0, lq.size()) == lq) {
        escape = &o_.left_escape;
        skip = lq.size();
      } else if (!same && rest.substr(0, rq.size()) == rq) {
        escape = &o_.right_escape;
        skip = rq.size();
      }
      if (!escape) {
        ++i;
        continue;
      }
      out.append(text, start, i - start);
      out += *escape;
      i += skip;
      start = i;
    }
    out.append(text, start, std::string_view::npos);
    out += o_.right_quote;
  }

  void header(std::string& out, const std::vector<ColumnInfo>& columns) const {
    out += o_.prefix;
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i) out += o_.delimiter;
      field(out, std::string_view(columns[i].name));
    }
    out += o_.suffix;
    out += o_.row_delimiter;
  }

  // Writes every row to `out`, handing it to `flush` whenever it holds
  // `limit` bytes (false from `flush` stops). Progress gets each row's
  // text, without the row delimiter.
  gint rows(Model* model, std::string& out, size_t limit, Progress progress, gpointer target,
            const std::function<bool(std::string&)>& flush) const {
    RowCells cells(model);
    guint total = cells.rows();
    gint count = 0;
    std::vector<std::string_view> texts(cells.width());
    std::vector<char> nulls(cells.width());
    for (guint r = 0; r < total; ++r) {
      cells.read(r);
      size_t start = out.size();
      if (plain_) {
        // A row of bare texts and NULLs (the most) is laid out in one
        // piece; else field by field.
        guint width = cells.width();
        size_t length = width ? width - 1 : 0;
        bool whole = true;
        for (guint c = 0; c < width; ++c) {
          std::optional<std::string_view> text = cells.text(c);
          // A NULL as its text, marked (a plain pair: no optional made
          // and read back per cell).
          nulls[c] = !text;
          texts[c] = text ? *text : std::string_view(o_.null_text);
          whole = whole && (nulls[c] || bare(texts[c]));
          length += texts[c].size();
        }
        char delimiter = o_.delimiter[0];
        if (whole) {
          char* at = bytes::grow(out, length);
          for (guint c = 0; c < width; ++c) {
            if (c) *at++ = delimiter;
            bytes::copy(at, texts[c].data(), texts[c].size());
            at += texts[c].size();
          }
        } else {
          for (guint c = 0; c < width; ++c) {
            if (c) out += delimiter;
            field(out, nulls[c] ? std::nullopt : std::optional<std::string_view>(texts[c]));
          }
        }
      } else {
        out += o_.prefix;
        for (guint c = 0; c < cells.width(); ++c) {
          if (c) out += o_.delimiter;
          field(out, cells.text(c));
        }
        out += o_.suffix;
      }
      if (progress) {
        // The row's own text, ended in place for the call.
        out.push_back('\0');
        progress(total, r + 1, out.c_str() + start, target);
        out.pop_back();
      }
      out += o_.row_delimiter;
      ++count;
      if (out.size() >= limit && !flush(out)) return -1;
    }
    return count;
  }

 private:
  const DsvOptions& o_;
  bool special_[256] = {};
  size_t few_ = 0;                            // special bytes
  std::optional<bytes::FewBytes> few_bytes_;  // them, when they are few
  bool plain_ = false;
};

gint dsv_export_to_text(Base* self, Model* model, gchar** buffer, Progress progress,
                        gpointer target, GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(buffer != nullptr && *buffer != nullptr, "*buffer != NULL", 0);
  DsvOptions o;
  if (!o.read(self, error)) return -1;
  DsvWriter writer(o);
  std::string text;
  if (o.header) writer.header(text, columns_of(model));
  gint count = writer.rows(model, text, std::string::npos, progress, target,
                           [](std::string&) { return true; });
  g_free(*buffer);
  *buffer = dup(text);
  return count;
}

// Streams the rows to the file in large writes.
gint dsv_export_to_file(Base* self, Model* model, const gchar* filename, Progress progress,
                        gpointer target, GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(filename != nullptr, "filename != NULL", 0);
  DsvOptions o;
  if (!o.read(self, error)) return -1;
  auto file = adoptGRef(g_file_new_for_path(filename));
  auto stream = adoptGRef(G_OUTPUT_STREAM(
      g_file_replace(file.get(), nullptr, FALSE, G_FILE_CREATE_NONE, nullptr, error)));
  if (!stream) return -1;
  DsvWriter writer(o);
  constexpr size_t kChunk = 1 << 20;
  std::string chunk;
  chunk.reserve(kChunk + (kChunk >> 2));
  if (o.header) writer.header(chunk, columns_of(model));
  GError* failure = nullptr;
  auto flush = [&](std::string& out) {
    if (out.empty()) return true;
    bool ok =
        g_output_stream_write_all(stream.get(), out.data(), out.size(), nullptr, nullptr, &failure);
    out.clear();
    return ok;
  };
  gint count = writer.rows(model, chunk, kChunk, progress, target, flush);
  if (!failure) flush(chunk);
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

// An RFC 4180 reader over a stream, generalised to the delimiter, row
// delimiter, quotes and escapes of the options. The delimiters are matched
// as whole texts; with "\n" as row delimiter CR LF and CR alone also end a
// record. A
// quoted field runs to its closing quote (delimiters and line breaks
// inside are data; an escape stands for its quote); text after the closing
// quote is kept. An unquoted field equal to the NULL text reads as NULL.
class DsvReader {
 public:
  DsvReader(GInputStream* input, DsvOptions options)
      : input_(retainGRef(input)), o_(std::move(options)) {
    longest_ = std::max({o_.delimiter.size(), o_.row_delimiter.size(), o_.left_quote.size(),
                         o_.right_quote.size(), o_.left_escape.size(), o_.right_escape.size(),
                         o_.prefix.size(), size_t(3)});
  }

  // The next record; false at the end of the input (no error) or with the
  // error.
  bool next(std::vector<Field>& fields, GError** error) {
    fields.clear();
    offsets_.clear();
    if (!fill(error)) return false;
    if (first_) {
      first_ = false;
      if (at("\xEF\xBB\xBF")) pos_ += 3;
    }
    if (pos_ >= buffer_.size()) return false;
    ++records_;
    if (!o_.prefix.empty() && at(o_.prefix)) pos_ += o_.prefix.size();
    std::string field;
    for (;;) {
      field.clear();
      bool quoted = false;
      if (!fill(error)) return false;
      if (at(o_.left_quote)) {
        quoted = true;
        pos_ += o_.left_quote.size();
        offsets_.push_back(offset());
        if (!read_quoted(field, error)) return false;
      } else {
        offsets_.push_back(offset());
      }
      // Unquoted text, or what follows a closing quote, up to a delimiter.
      int end = 0;  // 1: field ends, 2: record ends
      while (end == 0) {
        if (!fill(error)) return false;
        if (pos_ >= buffer_.size()) {
          end = 2;
        } else if (at(o_.delimiter)) {
          pos_ += o_.delimiter.size();
          end = 1;
        } else if (at(o_.row_delimiter)) {
          pos_ += o_.row_delimiter.size();
          end = 2;
        } else if (o_.row_delimiter == "\n" && buffer_[pos_] == '\r') {
          pos_ += at("\r\n") ? 2 : 1;
          end = 2;
        } else {
          // A run of plain bytes at once.
          size_t start = pos_;
          while (pos_ < buffer_.size() && !stop_byte(buffer_[pos_])) ++pos_;
          if (pos_ == start) ++pos_;
          field.append(buffer_, start, pos_ - start);
        }
      }
      if (end == 2 && !o_.suffix.empty() && field.size() >= o_.suffix.size() &&
          field.compare(field.size() - o_.suffix.size(), o_.suffix.size(), o_.suffix) == 0)
        field.resize(field.size() - o_.suffix.size());
      if (!quoted && field == o_.null_text)
        fields.emplace_back(std::nullopt);
      else
        fields.emplace_back(field);
      if (end == 2) return true;
    }
  }

  goffset offset() const { return consumed_ + goffset(pos_); }

  // The number of the record read last among the data records, from 1
  // (the header is 0).
  long number() const { return o_.header ? records_ - 1 : records_; }

  // Where each field of the record read last starts in the input: the
  // byte after its opening quote, or its first byte.
  const std::vector<goffset>& offsets() const { return offsets_; }

 private:
  bool read_quoted(std::string& field, GError** error) {
    for (;;) {
      if (!fill(error)) return false;
      if (pos_ >= buffer_.size()) {
        if (number() == 0)
          set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_MALFORMED, "%s",
                    _("the header: a quoted field is not closed before the end of the input"));
        else
          set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_MALFORMED,
                    _("record %ld: a quoted field is not closed before the end of the input"),
                    number());
        return false;
      }
      if (at(o_.right_escape)) {
        field += o_.right_quote;
        pos_ += o_.right_escape.size();
      } else if (o_.left_quote != o_.right_quote && at(o_.left_escape)) {
        field += o_.left_quote;
        pos_ += o_.left_escape.size();
      } else if (at(o_.right_quote)) {
        pos_ += o_.right_quote.size();
        return true;
      } else {
        size_t start = pos_;
        char stop = o_.right_quote[0], stop2 = o_.left_escape[0];
        while (pos_ < buffer_.size() && buffer_[pos_] != stop && buffer_[pos_] != stop2 &&
               buffer_[pos_] != o_.right_escape[0])
          ++pos_;
        if (pos_ == start) ++pos_;
        field.append(buffer_, start, pos_ - start);
      }
    }
  }

  bool stop_byte(char c) const {
    return c == o_.delimiter[0] || c == o_.row_delimiter[0] || c == '\r' ||
           (!o_.suffix.empty() && false);
  }

  bool at(std::string_view token) const {
    return buffer_.size() - pos_ >= token.size() &&
           std::memcmp(buffer_.data() + pos_, token.data(), token.size()) == 0;
  }

  // Keeps at least `longest_` bytes ahead unless the input ends.
  bool fill(GError** error) {
    if (buffer_.size() - pos_ >= longest_ || eof_) return true;
    buffer_.erase(0, pos_);
    consumed_ += goffset(pos_);
    pos_ = 0;
    while (buffer_.size() < longest_ && !eof_) {
      size_t old = buffer_.size();
      buffer_.resize(old + kRead);
      gssize got = g_input_stream_read(input_.get(), buffer_.data() + old, kRead, nullptr, error);
      if (got < 0) {
        buffer_.resize(old);
        return false;
      }
      buffer_.resize(old + size_t(got));
      if (got == 0) eof_ = true;
    }
    return true;
  }

  static constexpr size_t kRead = 1 << 16;
  GRef<GInputStream> input_;
  DsvOptions o_;
  std::string buffer_;
  size_t pos_ = 0;
  size_t longest_ = 3;
  bool eof_ = false;
  bool first_ = true;
  long records_ = 0;
  goffset consumed_ = 0;  // bytes of the input before the buffer
  std::vector<goffset> offsets_;
};

GInputStream* text_stream(const char* text) {
  GBytes* bytes = g_bytes_new(text, std::strlen(text));
  GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
  g_bytes_unref(bytes);
  return stream;
}

// The file of "FILENAME" as UTF-8: a byte-order mark of UTF-8 or UTF-16
// names its encoding (and is dropped), else the text is read as "ENCODING".
GInputStream* file_stream(Base* self, const DsvOptions& o, GError** error) {
  auto is_utf8 = [](const std::string& name) {
    return g_ascii_strcasecmp(name.c_str(), "UTF-8") == 0 ||
           g_ascii_strcasecmp(name.c_str(), "UTF8") == 0;
  };
  // An unknown ENCODING fails before the file is opened.
  if (!is_utf8(o.encoding)) {
    auto check = adoptGRef(g_charset_converter_new("UTF-8", o.encoding.c_str(), error));
    if (!check) return nullptr;
  }
  GInputStream* raw = open_option_file(self, error);
  if (!raw) return nullptr;
  auto buffered = adoptGRef(g_buffered_input_stream_new(raw));
  g_object_unref(raw);
  auto* peeker = G_BUFFERED_INPUT_STREAM(buffered.get());
  gsize available = 0;
  for (;;) {
    g_buffered_input_stream_peek_buffer(peeker, &available);
    if (available >= 3) break;
    gssize got = g_buffered_input_stream_fill(peeker, 3 - gssize(available), nullptr, error);
    if (got < 0) return nullptr;
    if (got == 0) break;
  }
  const auto* head =
      static_cast<const guchar*>(g_buffered_input_stream_peek_buffer(peeker, &available));
  std::string encoding = o.encoding;
  gsize mark = 0;
  if (available >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
    encoding = "UTF-8";
    mark = 3;
  } else if (available >= 2 && head[0] == 0xFF && head[1] == 0xFE) {
    encoding = "UTF-16LE";
    mark = 2;
  } else if (available >= 2 && head[0] == 0xFE && head[1] == 0xFF) {
    encoding = "UTF-16BE";
    mark = 2;
  }
  if (mark && g_input_stream_skip(buffered.get(), mark, nullptr, error) < 0) return nullptr;
  if (is_utf8(encoding)) return G_INPUT_STREAM(buffered.leak());
  auto converter =
      adoptGRef(G_CONVERTER(g_charset_converter_new("UTF-8", encoding.c_str(), error)));
  if (!converter) return nullptr;
  return g_converter_input_stream_new(buffered.get(), converter.get());
}

Model* load_stream(GInputStream* input, const DsvOptions& o, gint limit, GError** error) {
  DsvReader reader(input, o);
  GRef<Model> model;
  size_t width = 0;
  std::vector<Field> fields;
  GError* local = nullptr;
  while (reader.next(fields, &local)) {
    if (!model) {
      std::vector<std::string> names;
      for (size_t i = 0; i < fields.size(); ++i) {
        if (o.header)
          names.push_back(fields[i] ? *fields[i] : std::string());
        else
          names.push_back("C" + std::to_string(i));
      }
      model = adoptGRef(string_model_new(names));
      width = names.size();
      if (o.header) continue;
    }
    // A record shorter than the header is not a row of the table.
    if (fields.size() < width) continue;
    append_string_row(model.get(), fields);
    if (limit > 0 && row_count(model.get()) >= guint(limit)) break;
  }
  g_input_stream_close(input, nullptr, nullptr);
  if (local) {
    g_propagate_error(error, local);
    return nullptr;
  }
  return model.leak();
}

class DsvSource : public RecordSource {
 public:
  DsvSource(GInputStream* input, DsvOptions o)
      : input_(adoptGRef(input)), reader_(input, o), o_(std::move(o)) {}
  ~DsvSource() override { g_input_stream_close(input_.get(), nullptr, nullptr); }

  bool next(Record& record, GError** error) override {
    std::vector<Field> fields;
    for (;;) {
      if (!reader_.next(fields, error)) return false;
      if (first_) {
        first_ = false;
        names_ = o_.columns;
        if (o_.header) {
          required_ = fields.size();
          if (!o_.has_columns)
            for (const Field& f : fields) names_.push_back(f ? *f : std::string());
          continue;
        }
      }
      record.number = reader_.number();
      if (fields.size() < required_) {
        // An empty line holds no data; a record cut short does, and fails.
        if (fields.size() == 1 && (!fields[0] || fields[0]->empty())) continue;
        record.fault = fault_text(fields.size());
        return true;
      }
      // A text that is not UTF-8 is named where it stands in the file
      // (an escape before the byte moves it by the escape's extra bytes).
      for (size_t i = 0; i < fields.size(); ++i) {
        const char* end = nullptr;
        if (!fields[i] || g_utf8_validate_len(fields[i]->data(), fields[i]->size(), &end)) continue;
        size_t at = size_t(end - fields[i]->data());
        const std::vector<goffset>& starts = reader_.offsets();
        goffset where = (i < starts.size() ? starts[i] : 0) + goffset(at);
        std::string name = i < names_.size() ? names_[i] : std::to_string(i + 1);
        GUniqueStr text(g_strdup_printf(
            _("field %s: the text is not valid UTF-8: byte 0x%02X at offset %" G_GOFFSET_FORMAT
              " of the file"),
            name.c_str(), guchar((*fields[i])[at]), where));
        record.fault = text.get();
        break;
      }
      record.names = names_;
      record.values = std::move(fields);
      return true;
    }
  }

 private:
  std::string fault_text(size_t fields) const {
    GUniqueStr text(
        g_strdup_printf(g_dngettext(GETTEXT_PACKAGE, "the record has %zu field, the header %zu",
                                    "the record has %zu fields, the header %zu", fields),
                        fields, required_));
    return text.get();
  }

  GRef<GInputStream> input_;
  DsvReader reader_;
  DsvOptions o_;
  bool first_ = true;
  size_t required_ = 0;
  std::vector<std::string> names_;
};

struct DsvFormat {
  static constexpr ImportCount count = ImportCount::imported;
  static constexpr bool numbered_failure = true;

  static SourceOpener failing(GError* error) {
    auto shared = std::shared_ptr<GError>(error, g_error_free);
    return [shared](GError** out) -> std::unique_ptr<RecordSource> {
      g_propagate_error(out, g_error_copy(shared.get()));
      return nullptr;
    };
  }

  static SourceOpener file_source(Base* self) {
    DsvOptions o;
    GError* error = nullptr;
    if (!o.read(self, &error)) return failing(error);
    GRef<GObject> keep = retainGRef(G_OBJECT(self));
    return [keep, o](GError** out) -> std::unique_ptr<RecordSource> {
      GInputStream* input = file_stream(base_of(keep.get()), o, out);
      if (!input) return nullptr;
      return std::make_unique<DsvSource>(input, o);
    };
  }

  static SourceOpener text_source(Base* self, const char* text) {
    DsvOptions o;
    GError* error = nullptr;
    if (!o.read(self, &error)) return failing(error);
    std::string copy = text;
    return [copy, o](GError**) -> std::unique_ptr<RecordSource> {
      return std::make_unique<DsvSource>(text_stream(copy.c_str()), o);
    };
  }

  static Model* load_file(Base* self, gint limit, GError** error) {
    DsvOptions o;
    if (!o.read(self, error)) return nullptr;
    auto input = adoptGRef(file_stream(self, o, error));
    if (!input) return nullptr;
    return load_stream(input.get(), o, limit, error);
  }

  static Model* load_text(Base* self, const char* text, GError** error) {
    DsvOptions o;
    if (!o.read(self, error)) return nullptr;
    auto input = adoptGRef(text_stream(text));
    return load_stream(input.get(), o, 0, error);
  }
};

}  // namespace

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexBrevaneSupportsDataExtractorsDsvExtractor,
                             tarvex_brevane_supports_data_extractors_dsv_extractor,
                             TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR,
                             G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IIMPORTER,
                                                   Importer<DsvFormat>::init))

static void tarvex_brevane_supports_data_extractors_dsv_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsDsvExtractorClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass);
  base->export_to_text = dsv_export_to_text;
  base->export_to_file = dsv_export_to_file;
}

TarvexBrevaneSupportsDataExtractorsDsvExtractor*
tarvex_brevane_supports_data_extractors_dsv_extractor_construct(GType object_type,
                                                                const gchar* file_extension) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_extension != nullptr, "file_extension != NULL", nullptr);
  return reinterpret_cast<TarvexBrevaneSupportsDataExtractorsDsvExtractor*>(
      tarvex_brevane_supports_data_extractors_base_extractor_construct(object_type,
                                                                       file_extension));
}

TarvexBrevaneSupportsDataExtractorsDsvExtractor*
tarvex_brevane_supports_data_extractors_dsv_extractor_new(const gchar* file_extension) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_extension != nullptr, "file_extension != NULL", nullptr);
  return tarvex_brevane_supports_data_extractors_dsv_extractor_construct(
      TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_DSV_EXTRACTOR, file_extension);
}
