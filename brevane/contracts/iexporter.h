// The export contract: writes a table model to a file or a text.
#pragma once

#include <gee.h>
#include <glib-object.h>
#include "common/tarvex-export.h"
#include "providers/contracts/table_model.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsDataIExporter TarvexBrevaneContractsDataIExporter;
typedef struct _TarvexBrevaneContractsDataIExporterIface TarvexBrevaneContractsDataIExporterIface;

// Progress of an export or import: the model's row count, the 1-based
// position of the row just handled, a text (format-dependent) and the target.
typedef void (*TarvexBrevaneContractsDataExportProgressFunc)(guint total, guint position,
                                                             const gchar* text, gpointer target);

struct _TarvexBrevaneContractsDataIExporterIface {
  GTypeInterface parent_iface;
  gint (*export_to_file)(TarvexBrevaneContractsDataIExporter* self,
                         TarvexProvidersContractsTableModel* model, const gchar* filename,
                         TarvexBrevaneContractsDataExportProgressFunc progress,
                         gpointer progress_target, GError** error);
  gint (*export_to_text)(TarvexBrevaneContractsDataIExporter* self,
                         TarvexProvidersContractsTableModel* model, gchar** buffer,
                         TarvexBrevaneContractsDataExportProgressFunc progress,
                         gpointer progress_target, GError** error);
  GeeHashMap* (*get_options)(TarvexBrevaneContractsDataIExporter* self);
  const gchar* (*get_file_extention)(TarvexBrevaneContractsDataIExporter* self);
  gboolean (*get_continue_on_error)(TarvexBrevaneContractsDataIExporter* self);
  void (*set_continue_on_error)(TarvexBrevaneContractsDataIExporter* self, gboolean value);
};

#define TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IEXPORTER \
  (tarvex_brevane_contracts_data_iexporter_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATA_IEXPORTER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IEXPORTER, \
                              TarvexBrevaneContractsDataIExporter))
#define TARVEX_BREVANE_CONTRACTS_DATA_IS_IEXPORTER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IEXPORTER))
#define TARVEX_BREVANE_CONTRACTS_DATA_IEXPORTER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IEXPORTER, \
                                 TarvexBrevaneContractsDataIExporterIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_data_iexporter_get_type(void) G_GNUC_CONST;
// Rows written, or -1 (also when the implementation has no such operation).
TARVEX_EXPORT gint tarvex_brevane_contracts_data_iexporter_export_to_file(
    TarvexBrevaneContractsDataIExporter* self, TarvexProvidersContractsTableModel* model,
    const gchar* filename, TarvexBrevaneContractsDataExportProgressFunc progress,
    gpointer progress_target, GError** error);
// `buffer` must hold a text; it is replaced by the exported text.
TARVEX_EXPORT gint tarvex_brevane_contracts_data_iexporter_export_to_text(
    TarvexBrevaneContractsDataIExporter* self, TarvexProvidersContractsTableModel* model,
    gchar** buffer, TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error);
// The export options, text to text (borrowed).
TARVEX_EXPORT GeeHashMap* tarvex_brevane_contracts_data_iexporter_get_options(
    TarvexBrevaneContractsDataIExporter* self);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_data_iexporter_get_file_extention(
    TarvexBrevaneContractsDataIExporter* self);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_data_iexporter_get_continue_on_error(
    TarvexBrevaneContractsDataIExporter* self);
TARVEX_EXPORT void tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
    TarvexBrevaneContractsDataIExporter* self, gboolean value);

G_END_DECLS
