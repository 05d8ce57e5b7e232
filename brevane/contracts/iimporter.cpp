#include "brevane/contracts/iimporter.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDataIImporter,
                        tarvex_brevane_contracts_data_iimporter, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_data_iimporter_default_init(
    TarvexBrevaneContractsDataIImporterIface* iface) {}

void tarvex_brevane_contracts_data_iimporter_import_from_file(
    TarvexBrevaneContractsDataIImporter* self,
    TarvexBrevaneContractsDatabaseIConnection* connection, TarvexBrevaneMetaModelMetaTable* table,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GAsyncReadyCallback callback, gpointer user_data) {
  tarvex::call_slot<&TarvexBrevaneContractsDataIImporterIface::import_from_file>(
      self, connection, table, progress, progress_target, callback, user_data);
}

gint64 tarvex_brevane_contracts_data_iimporter_import_from_file_finish(
    TarvexBrevaneContractsDataIImporter* self, GAsyncResult* result, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDataIImporterIface::import_from_file_finish, -1>(
      self, result, error);
}

void tarvex_brevane_contracts_data_iimporter_import_from_text(
    TarvexBrevaneContractsDataIImporter* self, const gchar* textbuffer,
    TarvexBrevaneContractsDatabaseIConnection* connection, TarvexBrevaneMetaModelMetaTable* table,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GAsyncReadyCallback callback, gpointer user_data) {
  tarvex::call_slot<&TarvexBrevaneContractsDataIImporterIface::import_from_text>(
      self, textbuffer, connection, table, progress, progress_target, callback, user_data);
}

gint64 tarvex_brevane_contracts_data_iimporter_import_from_text_finish(
    TarvexBrevaneContractsDataIImporter* self, GAsyncResult* result, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDataIImporterIface::import_from_text_finish, -1>(
      self, result, error);
}

TarvexProvidersContractsTableModel* tarvex_brevane_contracts_data_iimporter_load_from_file(
    TarvexBrevaneContractsDataIImporter* self, gint count,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDataIImporterIface::load_from_file>(
      self, count, progress, progress_target, error);
}

TarvexProvidersContractsTableModel* tarvex_brevane_contracts_data_iimporter_load_from_text(
    TarvexBrevaneContractsDataIImporter* self, const gchar* textbuffer,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDataIImporterIface::load_from_text>(
      self, textbuffer, progress, progress_target, error);
}
