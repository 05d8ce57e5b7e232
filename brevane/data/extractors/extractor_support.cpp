// Options, cell texts, model walks and the asynchronous record import
// shared by the extractors.
#include <glib/gi18n-lib.h>

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstring>
#include <set>

#include "brevane/contracts/istatement.h"
#include "brevane/contracts/statement-dialect-private.h"
#include "brevane/data/extractors/extractor-private.h"
#include "brevane/foundation/logging_service.h"
#include "brevane/model/meta_column.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-worker-private.h"
#include "providers/contracts/provider.h"
#include "providers/contracts/value-text-private.h"
#include "providers/contracts/value_binary.h"
#include "providers/contracts/value_date_time.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_null.h"
#include "providers/contracts/value_string.h"

namespace tarvex::data {

void set_error(GError** error, int code, const char* format, ...) {
  if (!error) return;
  va_list args;
  va_start(args, format);
  GUniqueStr message(g_strdup_vprintf(format, args));
  va_end(args);
  g_set_error_literal(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR, code,
                      message.get());
}

namespace {

void append_fraction(std::string& out, GDateTime* dt) {
  gint usec = g_date_time_get_microsecond(dt);
  if (usec == 0) return;
  char digits[8];
  g_snprintf(digits, sizeof digits, "%06d", usec);
  size_t n = 6;
  while (n > 0 && digits[n - 1] == '0') --n;
  out += '.';
  out.append(digits, n);
}

std::string time_text(GDateTime* dt) {
  char buffer[16];
  g_snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", g_date_time_get_hour(dt),
             g_date_time_get_minute(dt), g_date_time_get_second(dt));
  std::string out = buffer;
  append_fraction(out, dt);
  return out;
}

std::string date_text(GDateTime* dt) {
  char buffer[24];
  g_snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", g_date_time_get_year(dt),
             g_date_time_get_month(dt), g_date_time_get_day_of_month(dt));
  return buffer;
}

// Server date-times without a zone arrive as UTC wall-clock times; any
// other zone (a datetimeoffset, even at +00:00) keeps its offset.
std::string date_time_text(GDateTime* dt) {
  std::string out = date_text(dt) + " " + time_text(dt);
  GTimeZone* zone = g_date_time_get_timezone(dt);
  const char* id = zone ? g_time_zone_get_identifier(zone) : "UTC";
  if (std::strcmp(id, "UTC") != 0) {
    gint64 offset = g_date_time_get_utc_offset(dt) / G_TIME_SPAN_MINUTE;
    char buffer[16];
    gint64 magnitude = offset < 0 ? -offset : offset;
    g_snprintf(buffer, sizeof buffer, "%c%02d:%02d", offset < 0 ? '-' : '+', int(magnitude / 60),
               int(magnitude % 60));
    out += buffer;
  }
  return out;
}

}  // namespace

std::optional<std::string> export_text(Value* value) {
  if (!value || TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_NULL(value)) return std::nullopt;
  if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_BOOLEAN(value))
    return std::string(tarvex_providers_contracts_value_boolean_get_boolean(
                           reinterpret_cast<TarvexProvidersContractsValueBoolean*>(value))
                           ? "1"
                           : "0");
  if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_BINARY(value)) {
    GBytes* bytes = tarvex_providers_contracts_value_binary_get_itsvalue(
        reinterpret_cast<TarvexProvidersContractsValueBinary*>(value));
    gsize size = 0;
    const char* data = bytes ? static_cast<const char*>(g_bytes_get_data(bytes, &size)) : nullptr;
    return "0x" + sql::hexadecimal(std::string_view(data ? data : "", size));
  }
  if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_DATE_TIME(value)) {
    GDateTime* dt = tarvex_providers_contracts_value_date_time_get_itsvalue(
        reinterpret_cast<TarvexProvidersContractsValueDateTime*>(value));
    if (dt) {
      if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_DATE(value)) return date_text(dt);
      if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_TIME(value)) return time_text(dt);
      return date_time_text(dt);
    }
  }
  // The whole text: a text value may hold U+0000.
  std::string text;
  values::value_text(value, text);
  return text;
}

std::string cell_literal(DataType type, Value* value) {
  std::optional<std::string> text = value ? export_text(value) : std::nullopt;
  if (!text) return "NULL";
  // A cell whose text is not of its column's kind is still a safe literal.
  std::optional<std::string> literal = sql::typed_literal(type, *text);
  return literal ? *literal : sql::nliteral(*text);
}

std::vector<ColumnInfo> columns_of(Model* model) {
  std::vector<ColumnInfo> out;
  auto* columns = GEE_LIST(tarvex_providers_contracts_table_model_get_columns(model));
  gint n = gee_collection_get_size(GEE_COLLECTION(columns));
  out.reserve(size_t(n));
  for (gint i = 0; i < n; ++i) {
    auto column =
        adoptGRef(static_cast<TarvexProvidersContractsColumnModel*>(gee_list_get(columns, i)));
    const char* name = tarvex_providers_contracts_column_model_get_name(column.get());
    out.push_back(
        {name ? name : "", tarvex_providers_contracts_column_model_get_data_type(column.get())});
  }
  return out;
}

std::vector<std::string> unique_names(const std::vector<ColumnInfo>& columns) {
  std::set<std::string> originals, taken;
  for (const auto& c : columns) originals.insert(c.name);
  std::vector<std::string> out;
  for (const auto& c : columns) {
    std::string name = c.name;
    for (int n = 2; taken.count(name); ++n) {
      name = c.name + "_" + std::to_string(n);
      if (originals.count(name)) name = c.name;
    }
    taken.insert(name);
    out.push_back(name);
  }
  return out;
}

guint row_count(Model* model) {
  // Asking the reader leaves a filled table's rows unmade.
  if (auto* reader = models::table_cells_of(model)) return reader->n_rows(G_OBJECT(model));
  return guint(gee_collection_get_size(
      GEE_COLLECTION(tarvex_providers_contracts_table_model_get_rows(model))));
}

RowCells::RowCells(Model* model) : model_(model), reader_(models::table_cells_of(model)) {
  width_ = guint(gee_collection_get_size(
      GEE_COLLECTION(tarvex_providers_contracts_table_model_get_columns(model))));
  if (reader_) {
    rows_ = reader_->n_rows(G_OBJECT(model));
  } else {
    list_ = GEE_LIST(tarvex_providers_contracts_table_model_get_rows(model));
    rows_ = guint(gee_collection_get_size(GEE_COLLECTION(list_)));
  }
  cells_.resize(width_);
  slots_.resize(width_);
  scratch_.resize(width_);
}

RowCells::~RowCells() {
  release();
}

void RowCells::release() {
  for (models::Cell& cell : cells_)
    if (cell.owned && cell.value) {
      g_object_unref(cell.value);
      cell.value = nullptr;
      cell.owned = false;
    }
}

void RowCells::read(guint index) {
  release();
  if (reader_) {
    reader_->read_row(G_OBJECT(model_), index, width_, cells_.data(), slots_.data());
    return;
  }
  auto row =
      adoptGRef(static_cast<TarvexProvidersContractsRowModel*>(gee_list_get(list_, gint(index))));
  guint have = row ? guint(gee_collection_get_size(GEE_COLLECTION(
                         tarvex_providers_contracts_row_model_get_values(row.get()))))
                   : 0;
  for (guint c = 0; c < width_; ++c) {
    models::Cell& cell = cells_[c];
    cell = models::Cell();
    if (c >= have) continue;
    cell.value = tarvex_providers_contracts_row_model_get_value_at(row.get(), gint(c));
    cell.owned = cell.value != nullptr;
    cell.kind = cell.value ? models::Cell::VALUE : models::Cell::ABSENT;
  }
}

std::optional<std::string_view> RowCells::made_text(guint column) {
  const models::Cell& cell = cells_[column];
  switch (cell.kind) {
    case models::Cell::TEXT:
      return std::string_view(cell.data, cell.length);
    case models::Cell::BYTES: {
      std::string& out = scratch_[column];
      out.assign("0x");
      out += sql::hexadecimal(std::string_view(cell.data, cell.length));
      return std::string_view(out);
    }
    case models::Cell::VALUE: {
      std::optional<std::string> text = export_text(cell.value);
      if (!text) return std::nullopt;
      scratch_[column] = std::move(*text);
      return std::string_view(scratch_[column]);
    }
    default:
      return std::nullopt;
  }
}

bool RowCells::is_boolean(guint column) const {
  const models::Cell& cell = cells_[column];
  if (cell.kind == models::Cell::TEXT) return cell.boolean;
  return cell.kind == models::Cell::VALUE &&
         TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_BOOLEAN(cell.value);
}

void for_each_row(Model* model,
                  const std::function<bool(guint, const std::vector<Value*>&)>& visit) {
  guint width = guint(gee_collection_get_size(
      GEE_COLLECTION(tarvex_providers_contracts_table_model_get_columns(model))));
  std::vector<Value*> values(width, nullptr);
  auto drop = [&] {
    for (Value*& v : values)
      if (v) {
        g_object_unref(v);
        v = nullptr;
      }
  };
  if (auto* reader = models::table_cells_of(model)) {
    // Values made for the row and dropped after it: a filled table's rows
    // stay unmade.
    guint n = reader->n_rows(G_OBJECT(model));
    for (guint i = 0; i < n; ++i) {
      reader->row_values(G_OBJECT(model), i, width, values.data());
      bool go_on = visit(i + 1, values);
      drop();
      if (!go_on) break;
    }
    return;
  }
  auto* rows = GEE_LIST(tarvex_providers_contracts_table_model_get_rows(model));
  gint n = gee_collection_get_size(GEE_COLLECTION(rows));
  for (gint i = 0; i < n; ++i) {
    auto row = adoptGRef(static_cast<TarvexProvidersContractsRowModel*>(gee_list_get(rows, i)));
    guint have = guint(gee_collection_get_size(
        GEE_COLLECTION(tarvex_providers_contracts_row_model_get_values(row.get()))));
    for (guint c = 0; c < width; ++c)
      values[c] = c < have ? tarvex_providers_contracts_row_model_get_value_at(row.get(), gint(c))
                           : nullptr;
    bool go_on = visit(guint(i) + 1, values);
    drop();
    if (!go_on) break;
  }
}

Model* string_model_new(const std::vector<std::string>& names) {
  std::vector<TarvexProvidersContractsDataType> kinds(names.size(),
                                                      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING);
  Model* model =
      tarvex_providers_contracts_table_model_new_with_types(kinds.data(), gint(kinds.size()));
  auto* columns = GEE_LIST(tarvex_providers_contracts_table_model_get_columns(model));
  for (size_t i = 0; i < names.size(); ++i) {
    auto column = adoptGRef(
        static_cast<TarvexProvidersContractsColumnModel*>(gee_list_get(columns, gint(i))));
    tarvex_providers_contracts_column_model_set_name(column.get(), names[i].c_str());
  }
  return model;
}

void append_text_row(Model* model, const std::vector<const char*>& texts) {
  if (auto* reader = models::table_cells_of(model)) {
    std::vector<gsize> lengths(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) lengths[i] = texts[i] ? std::strlen(texts[i]) : 0;
    guint width = guint(gee_collection_get_size(
        GEE_COLLECTION(tarvex_providers_contracts_table_model_get_columns(model))));
    if (width == texts.size()) {
      reader->append_texts(G_OBJECT(model), texts.data(), lengths.data(), width);
      return;
    }
  }
  std::vector<std::optional<std::string>> fields;
  for (const char* t : texts) fields.push_back(t ? std::optional<std::string>(t) : std::nullopt);
  append_string_row(model, fields);
}

void append_string_row(Model* model, const std::vector<std::optional<std::string>>& fields) {
  guint width = guint(gee_collection_get_size(
      GEE_COLLECTION(tarvex_providers_contracts_table_model_get_columns(model))));
  if (auto* reader = models::table_cells_of(model)) {
    // Cells the table keeps as texts, its rows made when first reached.
    const char* texts[64];
    gsize lengths[64];
    std::vector<const char*> more_texts;
    std::vector<gsize> more_lengths;
    const char** t = texts;
    gsize* l = lengths;
    if (width > G_N_ELEMENTS(texts)) {
      more_texts.resize(width);
      more_lengths.resize(width);
      t = more_texts.data();
      l = more_lengths.data();
    }
    for (guint i = 0; i < width; ++i) {
      bool present = i < fields.size() && fields[i];
      t[i] = present ? fields[i]->c_str() : nullptr;
      l[i] = present ? fields[i]->size() : 0;
    }
    reader->append_texts(G_OBJECT(model), t, l, width);
    return;
  }
  auto row = adoptGRef(tarvex_providers_contracts_table_model_new_row(model));
  for (guint i = 0; i < width; ++i) {
    Value* value;
    if (i < fields.size() && fields[i])
      value =
          reinterpret_cast<Value*>(tarvex_providers_contracts_value_string_new(fields[i]->c_str()));
    else
      value = reinterpret_cast<Value*>(tarvex_providers_contracts_value_null_new());
    tarvex_providers_contracts_row_model_set_value_at(row.get(), gint(i), value);
    g_object_unref(value);
  }
  tarvex_providers_contracts_table_model_append(model, row.get());
}

bool write_file(const char* filename, std::string_view text, GError** error) {
  auto file = adoptGRef(g_file_new_for_path(filename));
  auto stream =
      adoptGRef(g_file_replace(file.get(), nullptr, FALSE, G_FILE_CREATE_NONE, nullptr, error));
  if (!stream) return false;
  gsize written = 0;
  bool ok = g_output_stream_write_all(G_OUTPUT_STREAM(stream.get()), text.data(), text.size(),
                                      &written, nullptr, error);
  GError* close_error = nullptr;
  bool closed =
      g_output_stream_close(G_OUTPUT_STREAM(stream.get()), nullptr, ok ? &close_error : nullptr);
  if (ok && !closed) {
    g_propagate_error(error, close_error);
    return false;
  }
  return ok;
}

ExportSink::ExportSink() = default;

ExportSink::ExportSink(const char* filename) : file_(g_file_new_for_path(filename)) {
  out_.reserve(kChunk + (kChunk >> 2));
}

ExportSink::~ExportSink() {
  if (stream_) {
    // Not finished: a cancelled close leaves the older file as it was.
    auto cancel = adoptGRef(g_cancellable_new());
    g_cancellable_cancel(cancel.get());
    g_output_stream_close(stream_, cancel.get(), nullptr);
    g_object_unref(stream_);
  }
  if (file_) g_object_unref(file_);
  if (failure_) g_error_free(failure_);
}

bool ExportSink::write() {
  if (failure_) return false;
  if (!stream_) {
    stream_ = G_OUTPUT_STREAM(
        g_file_replace(file_, nullptr, FALSE, G_FILE_CREATE_NONE, nullptr, &failure_));
    if (!stream_) return false;
  }
  bool ok = out_.empty() || g_output_stream_write_all(stream_, out_.data(), out_.size(), nullptr,
                                                      nullptr, &failure_);
  out_.clear();
  return ok;
}

bool ExportSink::finish(GError** error) {
  if (!file_) return true;
  if (!write()) {
    g_propagate_error(error, take_failure());
    return false;
  }
  GOutputStream* stream = stream_;
  stream_ = nullptr;
  bool closed = g_output_stream_close(stream, nullptr, error);
  g_object_unref(stream);
  return closed;
}

GError* ExportSink::take_failure() {
  GError* failure = failure_;
  failure_ = nullptr;
  return failure;
}

GInputStream* open_option_file(Base* self, GError** error) {
  if (!has_option(self, "FILENAME")) {
    set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_OPTION, "%s",
              _("no file to read: the FILENAME option is missing"));
    return nullptr;
  }
  std::string name = option(self, "FILENAME");
  auto file = adoptGRef(g_file_new_for_path(name.c_str()));
  return G_INPUT_STREAM(g_file_read(file.get(), nullptr, error));
}

// ---------------------------------------------------------------- statements

namespace {

struct ColumnPlan {
  std::string name;
  DataType type;
  std::string source;
  bool key;
  ColumnShape shape;
};

struct TablePlan {
  std::string schema;
  std::string table;
  std::vector<ColumnPlan> columns;
  GRef<GObject> statement;
};

TablePlan plan_of(IConnection* connection, MetaTable* table) {
  TablePlan plan;
  auto* meta = reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(table);
  const char* schema = tarvex_brevane_meta_model_meta_object_get_schema(meta);
  const char* name = tarvex_brevane_meta_model_meta_object_get_name(meta);
  plan.schema = schema ? schema : "";
  plan.table = name ? name : "";
  auto* columns = GEE_LIST(tarvex_brevane_meta_model_meta_table_get_columns(table));
  gint n = gee_collection_get_size(GEE_COLLECTION(columns));
  for (gint i = 0; i < n; ++i) {
    auto column =
        adoptGRef(static_cast<TarvexBrevaneMetaModelMetaColumn*>(gee_list_get(columns, i)));
    const char* column_name = tarvex_brevane_meta_model_meta_object_get_name(
        reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(column.get()));
    const char* source =
        static_cast<const char*>(g_object_get_data(G_OBJECT(column.get()), "SOURCE"));
    DataType type = tarvex_brevane_meta_model_meta_column_get_data_type(column.get());
    const char* raw_type = tarvex_brevane_meta_model_meta_column_get_raw_type(column.get());
    ColumnShape shape{type, raw_type ? raw_type : ""};
    if (type == TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL) {
      // A decimal's length is its precision.
      shape.precision = tarvex_brevane_meta_model_meta_column_get_length(column.get());
      shape.scale = tarvex_brevane_meta_model_meta_column_get_scale(column.get());
    }
    plan.columns.push_back(
        {column_name ? column_name : "", type, source ? source : "",
         bool(tarvex_brevane_meta_model_meta_column_get_is_primary_key(column.get())),
         std::move(shape)});
  }
  plan.statement = adoptGRef(reinterpret_cast<GObject*>(
      tarvex_brevane_contracts_database_iconnection_statement(connection)));
  return plan;
}

struct Prepared {
  std::vector<std::string> columns, values, keys, key_values;
};

const char* kind_name(DataType type) {
  GEnumClass* klass =
      G_ENUM_CLASS(g_type_class_ref(tarvex_providers_contracts_data_type_get_type()));
  GEnumValue* v = g_enum_get_value(klass, type);
  const char* nick = v ? v->value_nick : "unknown";
  g_type_class_unref(klass);
  return nick;
}

// The record's columns and literals. Errors say why, not which record: the
// import names it.
bool prepare(const TablePlan& plan, const Record& record, Prepared& out, GError** error) {
  for (const ColumnPlan& column : plan.columns) {
    if (column.source.empty()) continue;
    size_t at = 0;
    while (at < record.names.size() && record.names[at] != column.source) ++at;
    // A name without a value is an absent field.
    if (at >= record.names.size() || at >= record.values.size()) continue;
    const Field& field = record.values[at];
    std::string literal;
    if (!field) {
      literal = "NULL";
    } else {
      std::string why;
      std::optional<std::string> fitted = fit_number(column.shape, *field, &why);
      if (!fitted) {
        std::string shown = field->size() > 64 ? field->substr(0, 64) + "..." : *field;
        set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_VALUE,
                  _("field %s: \xe2\x80\x9c%s\xe2\x80\x9d does not fit column %s: %s"),
                  record.names[at].c_str(), shown.c_str(), column.name.c_str(), why.c_str());
        return false;
      }
      std::optional<std::string> typed = sql::typed_literal(column.type, *fitted);
      if (!typed) {
        std::string shown = field->size() > 64 ? field->substr(0, 64) + "..." : *field;
        set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_VALUE,
                  _("column %s: \xe2\x80\x9c%s\xe2\x80\x9d is not a %s value"), column.name.c_str(),
                  shown.c_str(), kind_name(column.type));
        return false;
      }
      literal = std::move(*typed);
    }
    // The statement quotes the names itself.
    std::string name = column.name;
    if (column.key) {
      out.keys.push_back(name);
      out.key_values.push_back(literal);
    }
    out.columns.push_back(std::move(name));
    out.values.push_back(std::move(literal));
  }
  if (out.columns.empty()) {
    set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_COLUMN,
              _("the record feeds no column of table %s.%s"), plan.schema.c_str(),
              plan.table.c_str());
    return false;
  }
  return true;
}

std::optional<std::string> statement_text(const TablePlan& plan, Verb verb, Prepared& p,
                                          GError** error) {
  auto* statement =
      reinterpret_cast<TarvexBrevaneContractsDatabaseIStatement*>(plan.statement.get());
  if (verb != Verb::insert && p.keys.empty()) {
    set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_KEY,
              _("table %s.%s has no mapped primary-key column: an %s would change every row"),
              plan.schema.c_str(), plan.table.c_str(), verb == Verb::update ? "UPDATE" : "DELETE");
    return std::nullopt;
  }
  // The literals go to the statement with their length: a text holding a
  // zero character must arrive whole.
  const auto& dialect = tarvex::contracts::statement_dialect(statement);
  std::optional<std::string> text;
  if (verb == Verb::insert) {
    text = dialect.record_insert(statement, plan.schema, plan.table, p.columns, p.values);
  } else if (verb == Verb::update) {
    // Keys identify the row; they are not set. A record of keys only sets
    // them to themselves, so its count still tells whether the row exists.
    std::vector<std::string> set_columns, set_values;
    for (size_t i = 0; i < p.columns.size(); ++i) {
      bool is_key = false;
      for (const auto& k : p.keys) is_key = is_key || k == p.columns[i];
      if (is_key) continue;
      set_columns.push_back(p.columns[i]);
      set_values.push_back(p.values[i]);
    }
    if (set_columns.empty()) {
      set_columns = p.keys;
      set_values = p.key_values;
    }
    text = dialect.record_update(statement, plan.schema, plan.table, set_columns, set_values,
                                 p.keys, p.key_values);
  } else {
    text = dialect.record_delete(statement, plan.schema, plan.table, p.keys, p.key_values);
  }
  if (!text) {
    set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_COLUMN,
              _("no statement for table %s.%s"), plan.schema.c_str(), plan.table.c_str());
    return std::nullopt;
  }
  return text;
}

// The first key column whose value is NULL, or none.
const std::string* null_key(const Prepared& p) {
  for (size_t i = 0; i < p.keys.size(); ++i)
    if (p.key_values[i] == "NULL") return &p.keys[i];
  return nullptr;
}

Record record_of(gchar** names, gint names_length, gchar** values, gint values_length) {
  Record record;
  for (gint i = 0; names && i < names_length; ++i)
    record.names.emplace_back(names[i] ? names[i] : "");
  for (gint i = 0; values && i < values_length; ++i) {
    if (values[i])
      record.values.emplace_back(std::string(values[i]));
    else
      record.values.emplace_back(std::nullopt);
  }
  return record;
}

}  // namespace

gchar* build_record_sql(Base*, IConnection* connection, MetaTable* table, Verb verb, gchar** names,
                        gint names_length, gchar** values, gint values_length, GError** error) {
  TablePlan plan = plan_of(connection, table);
  if (!plan.statement) {
    set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_COLUMN,
              _("the connection has no statement texts"));
    return nullptr;
  }
  Record record = record_of(names, names_length, values, values_length);
  Prepared prepared;
  if (!prepare(plan, record, prepared, error)) return nullptr;
  std::optional<std::string> text = statement_text(plan, verb, prepared, error);
  return text ? dup(*text) : nullptr;
}

// ------------------------------------------------------------------ imports

namespace {

enum class Action { append, update, merge, del };

struct ProgressRelay {
  Progress func = nullptr;
  gpointer target = nullptr;
  GRef<GMainContext> context;
  std::atomic<guint> total{0};
  std::atomic<guint> position{0};
  std::atomic<guint> reported{0};
  std::atomic<bool> pending{false};
  std::atomic<bool> finished{false};
};

void post_progress(const std::shared_ptr<ProgressRelay>& relay) {
  if (!relay->func || relay->pending.exchange(true)) return;
  auto* held = new std::shared_ptr<ProgressRelay>(relay);
  g_main_context_invoke_full(
      relay->context.get(), G_PRIORITY_DEFAULT,
      [](gpointer data) -> gboolean {
        auto& r = *static_cast<std::shared_ptr<ProgressRelay>*>(data);
        r->pending = false;
        if (!r->finished && r->reported != r->position) {
          r->reported = guint(r->position);
          r->func(r->total, r->position, "", r->target);
        }
        return G_SOURCE_REMOVE;
      },
      held, [](gpointer data) { delete static_cast<std::shared_ptr<ProgressRelay>*>(data); });
}

struct ImportJob {
  GRef<GObject> self;
  GRef<GObject> connection;
  TablePlan plan;
  Action action;
  ImportCount count;
  bool numbered_failure;
  bool keep_going;
  SourceOpener open;
  std::shared_ptr<ProgressRelay> relay;
  // What came of it, written by the worker before it schedules the resume
  // and read on the caller's main context afterwards.
  GUniqueError error;
  gint64 result = 0;
};

// "1 record", "2 records".
std::string records_text(long n) {
  GUniqueStr text(g_strdup_printf(g_dngettext(GETTEXT_PACKAGE, "%ld record", "%ld records", n), n));
  return text.get();
}

// A message without its closing blanks and full stop, to stand inside a
// longer one.
std::string clause(const char* message) {
  std::string text = message ? message : "";
  while (!text.empty() && (g_ascii_isspace(text.back()) || text.back() == '.')) text.pop_back();
  return text;
}

// Whether the connection can still run statements: a server that went away
// or a host that closed the connection ends the import, as every later
// record would fail the same way.
bool connection_alive(ImportJob& job) {
  auto* provider = tarvex_brevane_contracts_database_iconnection_get_provider(
      reinterpret_cast<IConnection*>(job.connection.get()));
  return provider && tarvex_providers_contracts_iprovider_get_is_opened(provider);
}

// What the import has done so far.
class Tally {
 public:
  long imported = 0;  // records whose statements succeeded
  long failed = 0;
  gint64 result = 0;  // the count the import returns

  void success(ImportCount count, gint64 affected) {
    ++imported;
    result += count == ImportCount::imported ? 1 : std::max<gint64>(affected, 0);
  }

  void failure(const std::string& message) {
    ++failed;
    if (reasons_.size() < kReasons) reasons_.push_back(clause(message.c_str()));
  }

  // "; 2 records imported before it" and, when some failed, "(1 failed)".
  std::string before_it() const {
    GUniqueStr text(
        failed ? g_strdup_printf(_("%s imported before it, %ld failed"),
                                 records_text(imported).c_str(), failed)
               : g_strdup_printf(_("%s imported before it"), records_text(imported).c_str()));
    return text.get();
  }

  // The error of an import that ended early: the cause's domain and code,
  // its message followed by what went in before it.
  GError* stopped(GError* cause) const {
    GError* error = g_error_new(cause->domain, cause->code, _("%s. The import stopped there; %s."),
                                clause(cause->message).c_str(), before_it().c_str());
    g_error_free(cause);
    return error;
  }

  // The error of an import in which records failed: how many went in, how
  // many failed, and the first reasons.
  GError* failures() const {
    std::string reasons;
    for (const std::string& reason : reasons_) {
      if (!reasons.empty()) reasons += "; ";
      reasons += reason;
    }
    if (failed > long(reasons_.size())) {
      GUniqueStr more(g_strdup_printf(_("; %ld more in the log"), failed - long(reasons_.size())));
      reasons += more.get();
    }
    return g_error_new(TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_RECORDS_FAILED,
                       _("%s imported, %ld failed: %s."), records_text(imported).c_str(), failed,
                       reasons.c_str());
  }

 private:
  static constexpr size_t kReasons = 3;
  std::vector<std::string> reasons_;
};

// Runs one statement; its affected-row count, or -1 with the error.
gint execute(ImportJob& job, const std::string& sql, GError** error) {
  return tarvex_brevane_contracts_database_iconnection_execute_no_query(
      reinterpret_cast<IConnection*>(job.connection.get()), sql.c_str(), 1, error);
}

// The statements of one prepared record by the action; its count, or -1
// with the error (`sent`: a statement reached the connection and failed
// there).
gint64 import_prepared(ImportJob& job, Prepared& prepared, bool* sent, GError** error) {
  *sent = false;
  auto once = [&](Verb verb) -> gint64 {
    std::optional<std::string> sql = statement_text(job.plan, verb, prepared, error);
    if (!sql) return -1;
    gint count = execute(job, *sql, error);
    *sent = count < 0;
    return count;
  };
  switch (job.action) {
    case Action::append:
      return once(Verb::insert);
    case Action::update:
      return once(Verb::update);
    case Action::del:
      return once(Verb::del);
    case Action::merge: {
      gint64 updated = once(Verb::update);
      if (updated != 0) return updated;
      // A record whose key is empty matched no row: inserting it would
      // add a row without its key.
      if (const std::string* key = null_key(prepared)) {
        set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_KEY,
                  _("key column %s is empty and matches no row of table %s.%s; "
                    "a row without its key is not inserted"),
                  key->c_str(), job.plan.schema.c_str(), job.plan.table.c_str());
        return -1;
      }
      return once(Verb::insert);
    }
  }
  return -1;
}

// Appended records go in together: one INSERT of up to kInsertRowsMax rows
// that feed the same columns, and not much more text than kBatchBytes
// (a record alone may hold more).
constexpr size_t kBatchBytes = 4 << 20;

struct Waiting {
  long number;
  Prepared prepared;
};

// One import on its worker thread.
class ImportRun {
 public:
  explicit ImportRun(ImportJob& job) : job_(job) {}

  void run() {
    GError* error = nullptr;
    std::unique_ptr<RecordSource> source = job_.open(&error);
    if (!source) {
      job_.error.reset(error);
      return;
    }
    job_.relay->total = source->total();
    Record record;
    for (;;) {
      record.names.clear();
      record.values.clear();
      record.fault.clear();
      record.number = 0;
      if (!source->next(record, &error)) break;
      number_ = record.number ? record.number : number_ + 1;
      if (!take(record)) return;
    }
    // The records before the end, or before a fault of the document, go in
    // first.
    if (!flush()) {
      if (error) g_error_free(error);
      return;
    }
    if (error) {
      // The document itself failed: what went in before is said.
      job_.error.reset(number_ ? tally_.stopped(error) : error);
      return;
    }
    if (tally_.failed) {
      job_.error.reset(tally_.failures());
      return;
    }
    job_.result = tally_.result;
  }

 private:
  // Handles the record just read; false when the import ended.
  bool take(const Record& record) {
    GError* failure = nullptr;
    Prepared prepared;
    if (!record.fault.empty()) {
      set_error(&failure, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_MALFORMED, "%s",
                record.fault.c_str());
    } else {
      prepare(job_.plan, record, prepared, &failure);
    }
    if (failure) {
      // Records before a stopping failure go in before it stops.
      if (!job_.keep_going && !flush()) {
        g_error_free(failure);
        return false;
      }
      bool going = failed(number_, failure, false);
      advance(number_);
      return going;
    }
    if (job_.action == Action::append) {
      size_t bytes = 0;
      for (const std::string& value : prepared.values) bytes += value.size() + 2;
      if (!waiting_.empty() &&
          (prepared.columns != waiting_.front().prepared.columns ||
           waiting_bytes_ + bytes > kBatchBytes) &&
          !flush())
        return false;
      waiting_.push_back({number_, std::move(prepared)});
      waiting_bytes_ += bytes;
      if (waiting_.size() >= sql::kInsertRowsMax) return flush();
      return true;
    }
    bool ok = one(number_, prepared);
    advance(number_);
    return ok;
  }

  // Sends the waiting records: together in one statement, and when that
  // fails one by one, so that exactly the bad ones fail with their own
  // messages. False when the import ended.
  bool flush() {
    if (waiting_.empty()) return true;
    std::vector<Waiting> batch = std::move(waiting_);
    waiting_.clear();
    waiting_bytes_ = 0;
    long last = batch.back().number;
    if (batch.size() > 1) {
      sql::InsertWriter insert(job_.plan.schema, job_.plan.table, batch.front().prepared.columns);
      for (const Waiting& w : batch) insert.add_row(w.prepared.values);
      std::string text = insert.statement(0, batch.size(), sql::InsertWriter::Layout::one_line);
      GError* error = nullptr;
      if (execute(job_, text, &error) >= 0) {
        // Every row of a statement that succeeded went in.
        for (size_t i = 0; i < batch.size(); ++i) tally_.success(job_.count, 1);
        advance(last);
        return true;
      }
      if (!connection_alive(job_)) return lost(batch.front().number, error);
      g_error_free(error);
    }
    for (Waiting& w : batch) {
      if (!one(w.number, w.prepared)) return false;
      advance(w.number);
    }
    return true;
  }

  // One record's statements; false when the import ended.
  bool one(long number, Prepared& prepared) {
    GError* failure = nullptr;
    bool sent = false;
    gint64 affected = import_prepared(job_, prepared, &sent, &failure);
    if (failure) return failed(number, failure, sent);
    tally_.success(job_.count, affected);
    return true;
  }

  // A record that failed (taking the error): logged, then the import goes
  // on, stops, or ends at once when the connection is gone. False when the
  // import ended.
  bool failed(long number, GError* failure, bool sent) {
    if (job_.numbered_failure)
      TARVEX_DATA_LOG(error, "create row failed:%ld -> %s", number, failure->message);
    else
      TARVEX_DATA_LOG(error, "import row failed: record %ld: %s", number, failure->message);
    if (sent && !connection_alive(job_)) return lost(number, failure);
    g_prefix_error(&failure, _("record %ld: "), number);
    if (!job_.keep_going) {
      job_.error.reset(tally_.stopped(failure));
      return false;
    }
    tally_.failure(failure->message);
    g_error_free(failure);
    return true;
  }

  // Ends the import: the connection is gone (taking its error).
  bool lost(long number, GError* failure) {
    GError* error =
        g_error_new(TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                    TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_CONNECTION_LOST,
                    _("record %ld: the connection was lost or closed (%s)"), number,
                    clause(failure->message).c_str());
    g_error_free(failure);
    job_.error.reset(tally_.stopped(error));
    return false;
  }

  // Progress names the furthest record handled (a record that failed
  // before the records waiting for their statement may be further on).
  void advance(long number) {
    if (number <= furthest_) return;
    furthest_ = number;
    job_.relay->position = guint(number);
    post_progress(job_.relay);
  }

  ImportJob& job_;
  Tally tally_;
  long number_ = 0;
  long furthest_ = 0;
  std::vector<Waiting> waiting_;
  size_t waiting_bytes_ = 0;
};

void import_on_worker(GTask* task) {
  ImportRun(*static_cast<ImportJob*>(g_task_get_task_data(task))).run();
}

void import_done(GTask* task) {
  auto* job = static_cast<ImportJob*>(g_task_get_task_data(task));
  if (job->error)
    g_task_return_error(task, job->error.release());
  else
    g_task_return_int(task, job->result);
}

}  // namespace

void start_import(const ImportRequest& request, SourceOpener open) {
  GRef<GTask> task =
      adoptGRef(g_task_new(request.self, nullptr, request.callback, request.user_data));
  g_task_set_source_tag(task.get(), request.source_tag);
  std::string action = option(request.self, "ACTION", "");
  Action chosen;
  if (action == "append" || action == "replace") {
    // "replace" removes nothing first: it appends.
    chosen = Action::append;
  } else if (action == "update") {
    chosen = Action::update;
  } else if (action == "merge") {
    chosen = Action::merge;
  } else if (action == "delete") {
    chosen = Action::del;
  } else {
    g_task_return_new_error(
        task.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
        TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_ACTION,
        action.empty()
            ? _("no import action: set ACTION to append, update, merge, delete or replace")
            : _("unknown import action \xe2\x80\x9c%s\xe2\x80\x9d"),
        action.c_str());
    return;
  }
  auto* job = new ImportJob;
  job->self = retainGRef(G_OBJECT(request.self));
  job->connection = retainGRef(G_OBJECT(request.connection));
  job->plan = plan_of(request.connection, request.table);
  job->action = chosen;
  job->count = request.count;
  job->numbered_failure = request.numbered_failure;
  job->keep_going = continue_on_error(request.self);
  job->open = std::move(open);
  job->relay = std::make_shared<ProgressRelay>();
  job->relay->func = request.progress;
  job->relay->target = request.progress_target;
  job->relay->context = adoptGRef(g_main_context_ref_thread_default());
  if (!job->plan.statement) {
    delete job;
    g_task_return_new_error(task.get(), TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR,
                            TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_COLUMN, "%s",
                            _("the connection has no statement texts"));
    return;
  }
  g_task_set_task_data(task.get(), job, [](gpointer data) {
    auto* j = static_cast<ImportJob*>(data);
    j->relay->finished = true;
    delete j;
  });
  GUniqueError error;
  if (!run_on_worker(task.get(), import_on_worker, import_done, "[tarvex] import resume",
                     error.out()))
    g_task_return_error(task.get(), error.release());
}

gint64 finish_import(gpointer self, GAsyncResult* result, GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(g_task_is_valid(result, self), "g_task_is_valid (result, self)",
                                 -1);
  GTask* task = G_TASK(result);
  // The final position reaches the caller before the completion returns.
  if (auto* job = static_cast<ImportJob*>(g_task_get_task_data(task))) {
    if (job->relay->func && !job->relay->finished && job->relay->reported != job->relay->position) {
      job->relay->finished = true;
      job->relay->func(job->relay->total, job->relay->position, "", job->relay->target);
    }
  }
  GError* local = nullptr;
  gssize value = g_task_propagate_int(task, &local);
  if (local) {
    g_propagate_error(error, local);
    return -1;
  }
  return gint64(value);
}

}  // namespace tarvex::data
