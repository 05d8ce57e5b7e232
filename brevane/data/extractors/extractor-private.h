// Internal support of the extractors: options, the lossless text of a cell,
// walking a model, and the asynchronous import of records into a table.
//
// Not installed, not part of the API.
#pragma once

#include <gio/gio.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "brevane/contracts/iimporter.h"
#include "brevane/data/extractors/base_extractor.h"
#include "brevane/foundation/logging_service.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"
#include "providers/contracts/column_model.h"
#include "providers/contracts/row_model.h"
#include "providers/contracts/table-cells-private.h"

namespace tarvex::data {

using Base = TarvexBrevaneSupportsDataExtractorsBaseExtractor;
using Model = TarvexProvidersContractsTableModel;
using Value = TarvexProvidersContractsValueObject;
using DataType = TarvexProvidersContractsDataType;
using Progress = TarvexBrevaneContractsDataExportProgressFunc;
using IConnection = TarvexBrevaneContractsDatabaseIConnection;
using MetaTable = TarvexBrevaneMetaModelMetaTable;

inline Base* base_of(gpointer self) {
  return reinterpret_cast<Base*>(self);
}

// An option's text, or `fallback` when the key is absent.
std::string option(Base* self, const char* key, const char* fallback = "");
bool has_option(Base* self, const char* key);
bool continue_on_error(Base* self);

void set_error(GError** error, int code, const char* format, ...) G_GNUC_PRINTF(3, 4);

// Lines of the logging service, written only once the host has set it up.
#define TARVEX_DATA_LOG(level, ...)                                            \
  do {                                                                         \
    if (tarvex_brevane_foundation_logging_service_get_manager())               \
      tarvex_brevane_foundation_logging_service_##level(nullptr, __VA_ARGS__); \
  } while (0)

// The text of a cell that reads back to the same value: exact decimals,
// the shortest floating digits that read back, 1 or 0 for a bit, 0x and
// hexadecimal digits for bytes, date-times as "YYYY-MM-DD HH:MM:SS" with
// their fraction of a second and, unless they are UTC, their offset. None
// for a NULL cell.
std::optional<std::string> export_text(Value* value);
// The T-SQL literal of a cell for a column of `type` (NULL for none or a
// NULL cell): the literal of its export text by the column's kind, or, when
// the text is not of that kind, the text as N'...'.
std::string cell_literal(DataType type, Value* value);

struct ColumnInfo {
  std::string name;
  DataType type;
};
std::vector<ColumnInfo> columns_of(Model* model);
// The column names as a document writes them: a repeated name (two
// columns of one name, two unnamed results) gets "_2", "_3", ... (never
// another column's name), so every column reads back as its own.
std::vector<std::string> unique_names(const std::vector<ColumnInfo>& columns);
guint row_count(Model* model);

// The cells of a model's rows, one row at a time, as export texts: through
// the table's cell reader where it has one (so no row or value object is
// made or kept, and a texts's bytes are not copied), else through its row
// and value objects.
class RowCells {
 public:
  explicit RowCells(Model* model);
  ~RowCells();
  RowCells(const RowCells&) = delete;
  RowCells& operator=(const RowCells&) = delete;

  guint rows() const { return rows_; }
  guint width() const { return width_; }
  // Reads the row at `index` (< rows()).
  void read(guint index);
  // The export text of a column of the row read (as export_text gives it;
  // none for NULL), valid until the next read.
  std::optional<std::string_view> text(guint column) {
    const models::Cell& cell = cells_[column];
    if (cell.kind == models::Cell::TEXT) return std::string_view(cell.data, cell.length);
    return made_text(column);
  }
  // Whether the cell is a bit (a boolean value).
  bool is_boolean(guint column) const;

 private:
  void release();
  // The text of a cell other than a TEXT.
  std::optional<std::string_view> made_text(guint column);

  Model* model_;
  const models::TableCellsIface* reader_;
  GeeList* list_ = nullptr;  // without a reader: the "rows" list
  guint rows_ = 0;
  guint width_ = 0;
  std::vector<models::Cell> cells_;
  std::vector<models::CellSlot> slots_;
  std::vector<std::string> scratch_;  // texts made from bytes and values
};

// Calls `visit(position, values)` for every row in order (position from 1;
// the values borrowed for the call, one per column, null past a short row).
// Stops when `visit` returns false. A filled table's rows are not made:
// values its rows do not hold are made for the call and dropped after it.
void for_each_row(Model* model,
                  const std::function<bool(guint, const std::vector<Value*>&)>& visit);

// A new all-string model with these column names.
Model* string_model_new(const std::vector<std::string>& names);
// Appends a row of string values of these texts (null: NULL), one per column.
void append_text_row(Model* model, const std::vector<const char*>& texts);
// Appends a row of string values (a missing or absent field a NULL value).
void append_string_row(Model* model, const std::vector<std::optional<std::string>>& fields);

// Writes a whole text to a file, replacing it.
bool write_file(const char* filename, std::string_view text, GError** error);

// Where an export's text goes as it is made: kept whole (for an export to
// text), or written to a file in large pieces as it grows, so an export to
// a file holds about one piece whatever the file's size.
class ExportSink {
 public:
  static constexpr size_t kChunk = 1 << 20;

  ExportSink();  // keeps the whole text
  // Replaces the file, which opens at the first write: an export that
  // fails before it leaves no file, and one that fails after it leaves
  // the older file as it was.
  explicit ExportSink(const char* filename);
  ~ExportSink();
  ExportSink(const ExportSink&) = delete;
  ExportSink& operator=(const ExportSink&) = delete;

  // The text not yet written; append to it.
  std::string& out() { return out_; }
  // Writes the text held once it fills a piece; false once a write failed.
  bool written() { return !file_ || out_.size() < kChunk || write(); }
  // Hands progress the text appended since `start` (a row), ended in place
  // for the call.
  void progress(Progress report, guint total, guint position, size_t start, gpointer target) {
    out_.push_back('\0');
    report(total, position, out_.c_str() + start, target);
    out_.pop_back();
  }
  // Ends an export that succeeded: the rest written and the file closed.
  bool finish(GError** error);
  // The error of a failed write, taken (null when none failed).
  GError* take_failure();

 private:
  bool write();

  std::string out_;
  GFile* file_ = nullptr;
  GOutputStream* stream_ = nullptr;
  GError* failure_ = nullptr;
};

// An export written through an ExportSink, given either to a text or to a
// file. It returns the rows written, or -1 (with the error set, or after a
// write failed).
using ExportWriter = gint (*)(Base* self, Model* model, ExportSink& sink, Progress progress,
                              gpointer target, GError** error);

template <ExportWriter Write>
gint export_to_text_with(Base* self, Model* model, gchar** buffer, Progress progress,
                         gpointer target, GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(buffer != nullptr && *buffer != nullptr, "*buffer != NULL", 0);
  ExportSink sink;
  gint count = Write(self, model, sink, progress, target, error);
  if (count < 0) return -1;
  g_free(*buffer);
  *buffer = g_strndup(sink.out().data(), sink.out().size());
  return count;
}

template <ExportWriter Write>
gint export_to_file_with(Base* self, Model* model, const gchar* filename, Progress progress,
                         gpointer target, GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(filename != nullptr, "filename != NULL", 0);
  TARVEX_DATA_LOG(info, "export to file: %s", filename);
  ExportSink sink(filename);
  GError* local = nullptr;
  gint count = Write(self, model, sink, progress, target, &local);
  if (count < 0) {
    if (GError* failure = sink.take_failure()) {
      g_clear_error(&local);
      local = failure;
    }
    if (local) g_propagate_error(error, local);
    return -1;
  }
  if (!sink.finish(error)) return -1;
  return count;
}

// ---- imports

using Field = std::optional<std::string>;  // none: NULL
struct Record {
  std::vector<std::string> names;
  std::vector<Field> values;
  // The record's place among the document's data records, from 1 (0: the
  // import numbers it as the next one).
  long number = 0;
  // Why the document's record cannot be imported (a record shorter than
  // the header, ...); it fails without a statement.
  std::string fault;
};

// Records of a document, read one after the other on the import's thread.
class RecordSource {
 public:
  virtual ~RecordSource() = default;
  // The next record; false at the end, or with the error.
  virtual bool next(Record& record, GError** error) = 0;
  // Records in the document when known ahead, else 0.
  virtual guint total() { return 0; }
};
using SourceOpener = std::function<std::unique_ptr<RecordSource>(GError** error)>;

// What the import's result counts.
enum class ImportCount {
  imported,  // records whose statements succeeded
  affected,  // rows the statements affected
};

struct ImportRequest {
  Base* self;
  IConnection* connection;
  MetaTable* table;
  Progress progress;
  gpointer progress_target;
  GAsyncReadyCallback callback;
  gpointer user_data;
  gpointer source_tag;
  ImportCount count;
  // Log line of a failed record: "%d" the record's number, "%s" the message.
  bool numbered_failure;
};

// Runs the import on a worker thread: `open` makes the source there, each
// record's statements run through the connection in order, and the task
// completes on the caller's main context. Progress reaches the caller's
// context too, at most once per main-loop turn (the latest position).
//
// The import succeeds only when every record went in. A failed record is
// logged; with continue-on-error the others are still tried and the import
// ends with RECORDS_FAILED (how many went in, how many failed and why),
// without it the first failure ends the import with its own error, told how
// many records went in before it. A lost or closed connection ends the
// import at once (CONNECTION_LOST). Records are numbered from the first
// data record, 1, in every message.
void start_import(const ImportRequest& request, SourceOpener open);
gint64 finish_import(gpointer self, GAsyncResult* result, GError** error);

// What a column holds, as far as the numbers going into it go: its kind,
// its server type ("SMALLMONEY"), and a decimal's precision and scale
// (none known: 0).
struct ColumnShape {
  DataType type;
  std::string raw_type;
  gint64 precision = 0;
  guint scale = 0;
};

// The text of an imported number as it goes into the column: plain digits
// (no exponent) for integer, decimal and money columns, the text itself
// for the rest and for texts that are no number. None, with the reason in
// `why`, when the column cannot hold it: out of the kind's range, more
// decimals than the column keeps, beyond a floating column or so small it
// would be stored as 0.
std::optional<std::string> fit_number(const ColumnShape& column, std::string_view text,
                                      std::string* why);

// Whether two number texts ("1.50", "15e-1") stand for the same decimal
// value; false when either is no number.
bool same_number(std::string_view a, std::string_view b);

// The statement texts of one record (exported through the base's builders).
enum class Verb { insert, update, del };
gchar* build_record_sql(Base* self, IConnection* connection, MetaTable* table, Verb verb,
                        gchar** names, gint names_length, gchar** values, gint values_length,
                        GError** error);

// The input stream of the "FILENAME" file (error when the option is
// missing or the file does not open).
GInputStream* open_option_file(Base* self, GError** error);

// The importer contract of an extractor whose Format supplies:
//   static SourceOpener file_source(Base*);            reads "FILENAME"
//   static SourceOpener text_source(Base*, const char*);
//   static Model* load_file(Base*, gint limit, GError**);
//   static Model* load_text(Base*, const char*, GError**);
//   static constexpr ImportCount count; static constexpr bool numbered_failure;
template <typename Format>
struct Importer {
  using IImporter = TarvexBrevaneContractsDataIImporter;
  static void tag() {}

  static bool start(IImporter* self, IConnection* connection, MetaTable* table, Progress progress,
                    gpointer target, GAsyncReadyCallback callback, gpointer user_data,
                    SourceOpener open) {
    start_import({base_of(self), connection, table, progress, target, callback, user_data,
                  reinterpret_cast<gpointer>(&tag), Format::count, Format::numbered_failure},
                 std::move(open));
    return true;
  }

  static void init(TarvexBrevaneContractsDataIImporterIface* iface) {
    iface->import_from_file = [](IImporter* self, IConnection* connection, MetaTable* table,
                                 Progress progress, gpointer target, GAsyncReadyCallback callback,
                                 gpointer user_data) {
      TARVEX_RETURN_IF_FAIL_TEXT(TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_IS_BASE_EXTRACTOR(self),
                                 "self != NULL");
      TARVEX_RETURN_IF_FAIL_TEXT(TARVEX_BREVANE_CONTRACTS_DATABASE_IS_ICONNECTION(connection),
                                 "connection != NULL");
      TARVEX_RETURN_IF_FAIL_TEXT(TARVEX_BREVANE_META_MODEL_IS_META_TABLE(table), "table != NULL");
      start(self, connection, table, progress, target, callback, user_data,
            Format::file_source(base_of(self)));
    };
    iface->import_from_text = [](IImporter* self, const gchar* text, IConnection* connection,
                                 MetaTable* table, Progress progress, gpointer target,
                                 GAsyncReadyCallback callback, gpointer user_data) {
      TARVEX_RETURN_IF_FAIL_TEXT(TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_IS_BASE_EXTRACTOR(self),
                                 "self != NULL");
      TARVEX_RETURN_IF_FAIL_TEXT(text != nullptr, "textbuffer != NULL");
      TARVEX_RETURN_IF_FAIL_TEXT(TARVEX_BREVANE_CONTRACTS_DATABASE_IS_ICONNECTION(connection),
                                 "connection != NULL");
      TARVEX_RETURN_IF_FAIL_TEXT(TARVEX_BREVANE_META_MODEL_IS_META_TABLE(table), "table != NULL");
      start(self, connection, table, progress, target, callback, user_data,
            Format::text_source(base_of(self), text));
    };
    iface->import_from_file_finish = [](IImporter* self, GAsyncResult* result, GError** error) {
      return finish_import(self, result, error);
    };
    iface->import_from_text_finish = [](IImporter* self, GAsyncResult* result, GError** error) {
      return finish_import(self, result, error);
    };
    iface->load_from_file = [](IImporter* self, gint count, Progress, gpointer,
                               GError** error) -> Model* {
      TARVEX_RETURN_VAL_IF_FAIL_TEXT(
          TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_IS_BASE_EXTRACTOR(self), "self != NULL", nullptr);
      return Format::load_file(base_of(self), count, error);
    };
    iface->load_from_text = [](IImporter* self, const gchar* text, Progress, gpointer,
                               GError** error) -> Model* {
      TARVEX_RETURN_VAL_IF_FAIL_TEXT(
          TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_IS_BASE_EXTRACTOR(self), "self != NULL", nullptr);
      TARVEX_RETURN_VAL_IF_FAIL_TEXT(text != nullptr, "textbuffer != NULL", nullptr);
      return Format::load_text(base_of(self), text, error);
    };
  }
};

}  // namespace tarvex::data
