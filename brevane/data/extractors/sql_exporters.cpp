// The SQL INSERT and UPDATE exporters.
#include <glib/gi18n-lib.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "brevane/data/extractors/extractor-private.h"
#include "brevane/data/extractors/sql_insert_extractor.h"
#include "brevane/data/extractors/sql_update_extractor.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-text-private.h"

using namespace tarvex;
using namespace tarvex::data;

typedef struct _TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorPrivate;
typedef struct _TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorPrivate {};
typedef struct _TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorPrivate;
typedef struct _TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorPrivate {};

namespace {

// [schema].[table] from the options, or the error.
bool target_table(Base* self, std::string& out, GError** error) {
  std::string table = option(self, "TABLENAME");
  if (table.empty()) {
    set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_OPTION, "%s",
              _("no table to write into: the TABLENAME option is missing"));
    return false;
  }
  std::string schema = option(self, "SCHEMANAME");
  out = sql::bracketed_qualified(schema, table);
  return true;
}

// The literal of a cell of the row read, for a column of `type`: NULL, the
// literal of its text by the column's kind, or, when the text is not of
// that kind, the text as N'...' (as format_column_value writes it).
void append_literal(std::string& out, DataType type, RowCells& cells, guint column) {
  std::optional<std::string_view> text = cells.text(column);
  if (!text) {
    out += "NULL";
    return;
  }
  if (!sql::append_typed_literal(out, type, *text)) sql::append_nliteral(out, *text);
}

gint write_insert(Base* self, Model* model, ExportSink& sink, Progress progress, gpointer target,
                  GError** error) {
  std::string table;
  if (!target_table(self, table, error)) return -1;
  std::vector<ColumnInfo> columns = columns_of(model);
  if (columns.empty()) return 0;
  // One statement a row, written by the shared INSERT writer.
  std::vector<std::string> names;
  for (const ColumnInfo& column : columns) names.push_back(column.name);
  sql::InsertWriter insert(option(self, "SCHEMANAME"), option(self, "TABLENAME"), names);
  std::string& out = sink.out();
  RowCells cells(model);
  guint total = cells.rows();
  for (guint r = 0; r < total; ++r) {
    cells.read(r);
    size_t start = out.size();
    insert.open_row(out);
    for (guint i = 0; i < columns.size(); ++i) {
      if (i) sql::InsertWriter::next_literal(out);
      append_literal(out, columns[i].type, cells, i);
    }
    sql::InsertWriter::close_row(out);
    if (progress) sink.progress(progress, total, r + 1, start, target);
    out += '\n';
    if (!sink.written()) return -1;
  }
  return gint(total);
}

gint write_update(Base* self, Model* model, ExportSink& sink, Progress progress, gpointer target,
                  GError** error) {
  std::string table;
  if (!target_table(self, table, error)) return -1;
  std::vector<ColumnInfo> columns = columns_of(model);
  if (columns.empty()) return 0;
  std::vector<bool> key(columns.size(), false);
  if (has_option(self, "PRIMARY_KEYS")) {
    bool any = false;
    for (const std::string& name : tarvex::text::split(option(self, "PRIMARY_KEYS"), ","))
      for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == name) any = key[i] = true;
    if (!any) {
      set_error(error, TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_KEY,
                _("PRIMARY_KEYS names no column of the model"));
      return -1;
    }
  } else {
    key[0] = true;
  }
  bool all_keys = true;
  for (bool k : key) all_keys = all_keys && k;
  std::vector<std::string> names;
  for (const ColumnInfo& column : columns) names.push_back(sql::bracketed(column.name));
  std::string& out = sink.out();
  RowCells cells(model);
  guint total = cells.rows();
  std::string literal, where;
  for (guint r = 0; r < total; ++r) {
    cells.read(r);
    size_t start = out.size();
    out += "UPDATE ";
    out += table;
    out += " SET ";
    where.clear();
    bool first_set = true;
    for (guint i = 0; i < columns.size(); ++i) {
      literal.clear();
      append_literal(literal, columns[i].type, cells, i);
      // A row of keys only sets them to themselves.
      if (!key[i] || all_keys) {
        if (!first_set) out += ", ";
        first_set = false;
        out += names[i];
        out += " = ";
        out += literal;
      }
      if (key[i]) {
        if (!where.empty()) where += " AND ";
        where += names[i];
        if (literal == "NULL") {
          where += " IS NULL";
        } else {
          where += " = ";
          where += literal;
        }
      }
    }
    out += " WHERE ";
    out += where;
    out += ';';
    if (progress) sink.progress(progress, total, r + 1, start, target);
    out += '\n';
    if (!sink.written()) return -1;
  }
  return gint(total);
}

}  // namespace

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDataExtractorsSqlInsertExtractor,
                   tarvex_brevane_supports_data_extractors_sql_insert_extractor,
                   TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR)

static void tarvex_brevane_supports_data_extractors_sql_insert_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass);
  base->export_to_text = export_to_text_with<write_insert>;
  base->export_to_file = export_to_file_with<write_insert>;
}

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractor,
                   tarvex_brevane_supports_data_extractors_sql_update_extractor,
                   TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR)

static void tarvex_brevane_supports_data_extractors_sql_update_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass);
  base->export_to_text = export_to_text_with<write_update>;
  base->export_to_file = export_to_file_with<write_update>;
}

TarvexBrevaneSupportsDataExtractorsSqlInsertExtractor*
tarvex_brevane_supports_data_extractors_sql_insert_extractor_construct(GType object_type) {
  return reinterpret_cast<TarvexBrevaneSupportsDataExtractorsSqlInsertExtractor*>(
      tarvex_brevane_supports_data_extractors_base_extractor_construct(object_type, "sql"));
}
TarvexBrevaneSupportsDataExtractorsSqlInsertExtractor*
tarvex_brevane_supports_data_extractors_sql_insert_extractor_new(void) {
  return tarvex_brevane_supports_data_extractors_sql_insert_extractor_construct(
      TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_SQL_INSERT_EXTRACTOR);
}
TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractor*
tarvex_brevane_supports_data_extractors_sql_update_extractor_construct(GType object_type) {
  return reinterpret_cast<TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractor*>(
      tarvex_brevane_supports_data_extractors_base_extractor_construct(object_type, "sql"));
}
TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractor*
tarvex_brevane_supports_data_extractors_sql_update_extractor_new(void) {
  return tarvex_brevane_supports_data_extractors_sql_update_extractor_construct(
      TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_SQL_UPDATE_EXTRACTOR);
}
