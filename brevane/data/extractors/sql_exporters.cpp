// The SQL INSERT and UPDATE exporters.
#include <glib/gi18n-lib.h>

#include <set>
#include <string>
#include <vector>

#include "brevane/data/extractors/extractor-private.h"
#include "brevane/data/extractors/sql_insert_extractor.h"
#include "brevane/data/extractors/sql_update_extractor.h"
#include "brevane/database/sql-text-private.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"

using namespace tarvex;
using namespace tarvex::data;

typedef struct _TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorPrivate;
typedef struct _TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorPrivate TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorPrivate {};
typedef struct _TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorPrivate;
typedef struct _TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorPrivate TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorPrivate;
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
  out = schema.empty() ? database::bracketed(table)
                       : database::bracketed(schema) + "." + database::bracketed(table);
  return true;
}

gint finish(gchar** buffer, const std::string& text, gint count) {
  g_free(*buffer);
  *buffer = dup(text);
  return count;
}

gint insert_export_to_text(Base* self, Model* model, gchar** buffer, Progress progress,
                           gpointer target, GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(buffer != nullptr && *buffer != nullptr, "*buffer != NULL", 0);
  std::string table;
  if (!target_table(self, table, error)) return -1;
  std::vector<ColumnInfo> columns = columns_of(model);
  if (columns.empty()) return finish(buffer, "", 0);
  std::vector<std::string> names;
  for (const ColumnInfo& column : columns) names.push_back(column.name);
  sql::InsertWriter insert(option(self, "SCHEMANAME"), option(self, "TABLENAME"), names);
  std::string text;
  guint total = row_count(model);
  gint count = 0;
  std::vector<std::string> literals;
  for_each_row(model, [&](guint position, const std::vector<Value*>& values) {
    literals.clear();
    for (size_t i = 0; i < columns.size(); ++i)
      literals.push_back(cell_literal(columns[i].type, values[i]));
    // One statement a row.
    insert.clear();
    insert.add_row(literals);
    std::string statement = insert.statement(0, 1, sql::InsertWriter::Layout::one_line);
    text += statement + "\n";
    ++count;
    if (progress) progress(total, position, statement.c_str(), target);
    return true;
  });
  return finish(buffer, text, count);
}

gint update_export_to_text(Base* self, Model* model, gchar** buffer, Progress progress,
                           gpointer target, GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(buffer != nullptr && *buffer != nullptr, "*buffer != NULL", 0);
  std::string table;
  if (!target_table(self, table, error)) return -1;
  std::vector<ColumnInfo> columns = columns_of(model);
  if (columns.empty()) return finish(buffer, "", 0);
  std::vector<bool> key(columns.size(), false);
  if (has_option(self, "PRIMARY_KEYS")) {
    bool any = false;
    for (const std::string& name : database::split(option(self, "PRIMARY_KEYS"), ","))
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
  std::string text;
  guint total = row_count(model);
  gint count = 0;
  std::string statement;
  for_each_row(model, [&](guint position, const std::vector<Value*>& values) {
    std::string set, where;
    for (size_t i = 0; i < columns.size(); ++i) {
      std::string name = database::bracketed(columns[i].name);
      std::string literal = cell_literal(columns[i].type, values[i]);
      // A row of keys only sets them to themselves.
      if (!key[i] || all_keys) set += (set.empty() ? "" : ", ") + name + " = " + literal;
      if (key[i])
        where += (where.empty() ? "" : " AND ") + name +
                 (literal == "NULL" ? " IS NULL" : " = " + literal);
    }
    statement = "UPDATE " + table + " SET " + set + " WHERE " + where + ";";
    text += statement + "\n";
    ++count;
    if (progress) progress(total, position, statement.c_str(), target);
    return true;
  });
  return finish(buffer, text, count);
}

}  // namespace

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDataExtractorsSqlInsertExtractor,
                   tarvex_brevane_supports_data_extractors_sql_insert_extractor,
                   TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR)

static void tarvex_brevane_supports_data_extractors_sql_insert_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsSqlInsertExtractorClass* klass) {
  reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass)->export_to_text =
      insert_export_to_text;
}

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractor,
                   tarvex_brevane_supports_data_extractors_sql_update_extractor,
                   TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR)

static void tarvex_brevane_supports_data_extractors_sql_update_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsSqlUpdateExtractorClass* klass) {
  reinterpret_cast<TarvexBrevaneSupportsDataExtractorsBaseExtractorClass*>(klass)->export_to_text =
      update_export_to_text;
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
