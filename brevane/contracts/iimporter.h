// The import contract: reads a file or a text into a new table model, or
// imports it into a database table through a connection (asynchronously).
#pragma once

#include <gio/gio.h>
#include <glib-object.h>
#include "brevane/contracts/iexporter.h"
#include "common/tarvex-export.h"
#include "providers/contracts/table_model.h"

G_BEGIN_DECLS

// Types of the meta model and the database contracts, declared here so the
// contracts do not depend on those subsystems' headers.
typedef struct _TarvexBrevaneMetaModelMetaTable TarvexBrevaneMetaModelMetaTable;
typedef struct _TarvexBrevaneContractsDatabaseIConnection TarvexBrevaneContractsDatabaseIConnection;

typedef struct _TarvexBrevaneContractsDataIImporter TarvexBrevaneContractsDataIImporter;
typedef struct _TarvexBrevaneContractsDataIImporterIface TarvexBrevaneContractsDataIImporterIface;

struct _TarvexBrevaneContractsDataIImporterIface {
  GTypeInterface parent_iface;
  void (*import_from_file)(TarvexBrevaneContractsDataIImporter* self,
                           TarvexBrevaneContractsDatabaseIConnection* connection,
                           TarvexBrevaneMetaModelMetaTable* table,
                           TarvexBrevaneContractsDataExportProgressFunc progress,
                           gpointer progress_target, GAsyncReadyCallback callback,
                           gpointer user_data);
  gint64 (*import_from_file_finish)(TarvexBrevaneContractsDataIImporter* self, GAsyncResult* result,
                                    GError** error);
  void (*import_from_text)(TarvexBrevaneContractsDataIImporter* self, const gchar* textbuffer,
                           TarvexBrevaneContractsDatabaseIConnection* connection,
                           TarvexBrevaneMetaModelMetaTable* table,
                           TarvexBrevaneContractsDataExportProgressFunc progress,
                           gpointer progress_target, GAsyncReadyCallback callback,
                           gpointer user_data);
  gint64 (*import_from_text_finish)(TarvexBrevaneContractsDataIImporter* self, GAsyncResult* result,
                                    GError** error);
  TarvexProvidersContractsTableModel* (*load_from_file)(
      TarvexBrevaneContractsDataIImporter* self, gint count,
      TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
      GError** error);
  TarvexProvidersContractsTableModel* (*load_from_text)(
      TarvexBrevaneContractsDataIImporter* self, const gchar* textbuffer,
      TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
      GError** error);
};

#define TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IIMPORTER \
  (tarvex_brevane_contracts_data_iimporter_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATA_IIMPORTER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IIMPORTER, \
                              TarvexBrevaneContractsDataIImporter))
#define TARVEX_BREVANE_CONTRACTS_DATA_IS_IIMPORTER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IIMPORTER))
#define TARVEX_BREVANE_CONTRACTS_DATA_IIMPORTER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IIMPORTER, \
                                 TarvexBrevaneContractsDataIImporterIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_data_iimporter_get_type(void) G_GNUC_CONST;
// Imports the file named by the importer's options.
TARVEX_EXPORT void tarvex_brevane_contracts_data_iimporter_import_from_file(
    TarvexBrevaneContractsDataIImporter* self,
    TarvexBrevaneContractsDatabaseIConnection* connection, TarvexBrevaneMetaModelMetaTable* table,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GAsyncReadyCallback callback, gpointer user_data);
// Records imported, or -1.
TARVEX_EXPORT gint64 tarvex_brevane_contracts_data_iimporter_import_from_file_finish(
    TarvexBrevaneContractsDataIImporter* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_data_iimporter_import_from_text(
    TarvexBrevaneContractsDataIImporter* self, const gchar* textbuffer,
    TarvexBrevaneContractsDatabaseIConnection* connection, TarvexBrevaneMetaModelMetaTable* table,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GAsyncReadyCallback callback, gpointer user_data);
TARVEX_EXPORT gint64 tarvex_brevane_contracts_data_iimporter_import_from_text_finish(
    TarvexBrevaneContractsDataIImporter* self, GAsyncResult* result, GError** error);
// Reads at most `count` rows (0 or less: all) of the file named by the options.
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_contracts_data_iimporter_load_from_file(
    TarvexBrevaneContractsDataIImporter* self, gint count,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_contracts_data_iimporter_load_from_text(
    TarvexBrevaneContractsDataIImporter* self, const gchar* textbuffer,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error);

G_END_DECLS
