#include "brevane/contracts/iimporter.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDataIImporter,
                        tarvex_brevane_contracts_data_iimporter, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_data_iimporter_default_init(
    TarvexBrevaneContractsDataIImporterIface* iface) {}

void tarvex_brevane_contracts_data_iimporter_import_from_file(
    TarvexBrevaneContractsDataIImporter* self,
    TarvexBrevaneContractsDatabaseIConnection* connection, TarvexBrevaneMetaModelMetaTable* table,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GAsyncReadyCallback callback, gpointer user_data) {
  g_return_if_fail(self != NULL);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IIMPORTER_GET_INTERFACE(self);
  if (iface->import_from_file)
    iface->import_from_file(self, connection, table, progress, progress_target, callback,
                            user_data);
}

gint64 tarvex_brevane_contracts_data_iimporter_import_from_file_finish(
    TarvexBrevaneContractsDataIImporter* self, GAsyncResult* result, GError** error) {
  g_return_val_if_fail(self != NULL, -1);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IIMPORTER_GET_INTERFACE(self);
  return iface->import_from_file_finish ? iface->import_from_file_finish(self, result, error) : -1;
}

void tarvex_brevane_contracts_data_iimporter_import_from_text(
    TarvexBrevaneContractsDataIImporter* self, const gchar* textbuffer,
    TarvexBrevaneContractsDatabaseIConnection* connection, TarvexBrevaneMetaModelMetaTable* table,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GAsyncReadyCallback callback, gpointer user_data) {
  g_return_if_fail(self != NULL);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IIMPORTER_GET_INTERFACE(self);
  if (iface->import_from_text)
    iface->import_from_text(self, textbuffer, connection, table, progress, progress_target,
                            callback, user_data);
}

gint64 tarvex_brevane_contracts_data_iimporter_import_from_text_finish(
    TarvexBrevaneContractsDataIImporter* self, GAsyncResult* result, GError** error) {
  g_return_val_if_fail(self != NULL, -1);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IIMPORTER_GET_INTERFACE(self);
  return iface->import_from_text_finish ? iface->import_from_text_finish(self, result, error) : -1;
}

TarvexProvidersContractsTableModel* tarvex_brevane_contracts_data_iimporter_load_from_file(
    TarvexBrevaneContractsDataIImporter* self, gint count,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IIMPORTER_GET_INTERFACE(self);
  return iface->load_from_file
             ? iface->load_from_file(self, count, progress, progress_target, error)
             : nullptr;
}

TarvexProvidersContractsTableModel* tarvex_brevane_contracts_data_iimporter_load_from_text(
    TarvexBrevaneContractsDataIImporter* self, const gchar* textbuffer,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IIMPORTER_GET_INTERFACE(self);
  return iface->load_from_text
             ? iface->load_from_text(self, textbuffer, progress, progress_target, error)
             : nullptr;
}
