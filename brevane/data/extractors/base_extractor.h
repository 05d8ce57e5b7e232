// The base of every table-data extractor: the option map the host fills,
// the continue-on-error switch, the file extension, writing an export to a
// file, SQL literals of cells and imported fields, and the INSERT, UPDATE
// and DELETE texts of an imported record.
//
// Imports never run the content of a file as SQL: every field is checked
// against its column's kind and written as a literal of that kind. An
// import's "ACTION" option says what each record does: "append" (INSERT),
// "update" (UPDATE keyed on the mapped primary-key columns), "merge" (the
// UPDATE, then the INSERT when it changed no row), "delete" (DELETE keyed
// on the primary key) or "replace" (the same as "append": nothing is
// removed first). A missing or unknown action, and an UPDATE, MERGE or
// DELETE whose table has no mapped primary-key column, are errors.
#pragma once

#include <gee.h>
#include <glib-object.h>

#include "brevane/contracts/iconnection.h"
#include "brevane/contracts/iexporter.h"
#include "brevane/model/meta_table.h"
#include "common/tarvex-export.h"
#include "providers/contracts/table_model.h"
#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR \
  (tarvex_brevane_supports_data_extractors_base_extractor_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDataExtractorsBaseExtractor,
                                       tarvex_brevane_supports_data_extractors_base_extractor,
                                       TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS, BASE_EXTRACTOR,
                                       GObject)

struct _TarvexBrevaneSupportsDataExtractorsBaseExtractorClass {
  GObjectClass parent_class;
  gint (*export_to_file)(TarvexBrevaneSupportsDataExtractorsBaseExtractor* self,
                         TarvexProvidersContractsTableModel* model, const gchar* filename,
                         TarvexBrevaneContractsDataExportProgressFunc progress,
                         gpointer progress_target, GError** error);
  gint (*export_to_text)(TarvexBrevaneSupportsDataExtractorsBaseExtractor* self,
                         TarvexProvidersContractsTableModel* model, gchar** buffer,
                         TarvexBrevaneContractsDataExportProgressFunc progress,
                         gpointer progress_target, GError** error);
  gpointer padding[8];
};

// Error domain of the extractors' own checks.
#define TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR \
  (tarvex_brevane_supports_data_extractors_extractor_error_quark())
typedef enum {
  // A field is not a value of its column's kind (a number, a bit, ...).
  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_VALUE,
  // "ACTION" is missing or names no action.
  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_ACTION,
  // An UPDATE, MERGE or DELETE without a mapped primary-key column.
  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_KEY,
  // A record that feeds no column of the table.
  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_NO_COLUMN,
  // A text the format cannot hold (a control character in XML, bad UTF-8).
  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_TEXT,
  // A malformed document (an unterminated quoted field, ...).
  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_MALFORMED,
  // A required option is missing ("TABLENAME", "FILENAME") or invalid.
  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_INVALID_OPTION,
  // An import whose records were all tried but some failed; the message
  // says how many went in, how many failed and why.
  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_RECORDS_FAILED,
  // The connection was lost or closed during an import, which ended there;
  // the message says how many records went in before.
  TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_EXTRACTOR_ERROR_CONNECTION_LOST,
} TarvexBrevaneSupportsDataExtractorsExtractorError;
TARVEX_EXPORT GQuark tarvex_brevane_supports_data_extractors_extractor_error_quark(void);

TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsBaseExtractor*
tarvex_brevane_supports_data_extractors_base_extractor_new(const gchar* file_ext);
TARVEX_EXPORT TarvexBrevaneSupportsDataExtractorsBaseExtractor*
tarvex_brevane_supports_data_extractors_base_extractor_construct(GType object_type,
                                                                 const gchar* file_ext);
// Rows written, or -1 with the error. A model without rows still writes
// its (header-only) document.
TARVEX_EXPORT gint tarvex_brevane_supports_data_extractors_base_extractor_export_to_file(
    TarvexBrevaneSupportsDataExtractorsBaseExtractor* self,
    TarvexProvidersContractsTableModel* model, const gchar* filename,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error);
// `*buffer` must hold a text; it is replaced by the exported text.
TARVEX_EXPORT gint tarvex_brevane_supports_data_extractors_base_extractor_export_to_text(
    TarvexBrevaneSupportsDataExtractorsBaseExtractor* self,
    TarvexProvidersContractsTableModel* model, gchar** buffer,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error);
// The T-SQL literal of a cell for a column of `data_type`: NULL, a bare
// number, 1 or 0 for a bit, 0x... for bytes, N'...' for the rest.
TARVEX_EXPORT gchar* tarvex_brevane_supports_data_extractors_base_extractor_format_column_value(
    TarvexBrevaneSupportsDataExtractorsBaseExtractor* self,
    TarvexProvidersContractsDataType data_type, TarvexProvidersContractsValueObject* value);
// The T-SQL literal of an imported text for a column of `data_type` (a
// blank text is NULL); NULL (no text) when the text is not a value of that
// kind.
TARVEX_EXPORT gchar* tarvex_brevane_supports_data_extractors_base_extractor_format_column_text(
    TarvexBrevaneSupportsDataExtractorsBaseExtractor* self,
    TarvexProvidersContractsDataType data_type, const gchar* text);
// The statements of one record whose fields are named `names` (a column
// takes the field its "SOURCE" data names; a name without a value is an
// absent field). NULL with the error for a field that is not a value of
// its column's kind, a record that feeds no column, or (UPDATE, DELETE) a
// table without a mapped primary-key column.
TARVEX_EXPORT gchar* tarvex_brevane_supports_data_extractors_base_extractor_build_insert_data_sql(
    TarvexBrevaneSupportsDataExtractorsBaseExtractor* self,
    TarvexBrevaneContractsDatabaseIConnection* connection, TarvexBrevaneMetaModelMetaTable* table,
    gchar** names, gint names_length1, gchar** values, gint values_length1, GError** error);
TARVEX_EXPORT gchar* tarvex_brevane_supports_data_extractors_base_extractor_build_update_data_sql(
    TarvexBrevaneSupportsDataExtractorsBaseExtractor* self,
    TarvexBrevaneContractsDatabaseIConnection* connection, TarvexBrevaneMetaModelMetaTable* table,
    gchar** names, gint names_length1, gchar** values, gint values_length1, GError** error);
TARVEX_EXPORT gchar* tarvex_brevane_supports_data_extractors_base_extractor_build_delete_data_sql(
    TarvexBrevaneSupportsDataExtractorsBaseExtractor* self,
    TarvexBrevaneContractsDatabaseIConnection* connection, TarvexBrevaneMetaModelMetaTable* table,
    gchar** names, gint names_length1, gchar** values, gint values_length1, GError** error);

G_END_DECLS
