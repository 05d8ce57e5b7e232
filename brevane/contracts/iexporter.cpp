#include "brevane/contracts/iexporter.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDataIExporter,
                        tarvex_brevane_contracts_data_iexporter, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_data_iexporter_default_init(
    TarvexBrevaneContractsDataIExporterIface* iface) {
  g_object_interface_install_property(
      iface, g_param_spec_object("options", "options", "options", GEE_TYPE_HASH_MAP,
                                 GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS)));
  g_object_interface_install_property(
      iface, g_param_spec_string("file-extention", "file-extention", "file-extention", nullptr,
                                 GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS)));
  g_object_interface_install_property(
      iface, g_param_spec_boolean("continue-on-error", "continue-on-error", "continue-on-error",
                                  TRUE, GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS)));
}

gint tarvex_brevane_contracts_data_iexporter_export_to_file(
    TarvexBrevaneContractsDataIExporter* self, TarvexProvidersContractsTableModel* model,
    const gchar* filename, TarvexBrevaneContractsDataExportProgressFunc progress,
    gpointer progress_target, GError** error) {
  g_return_val_if_fail(self != NULL, -1);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IEXPORTER_GET_INTERFACE(self);
  return iface->export_to_file
             ? iface->export_to_file(self, model, filename, progress, progress_target, error)
             : -1;
}

gint tarvex_brevane_contracts_data_iexporter_export_to_text(
    TarvexBrevaneContractsDataIExporter* self, TarvexProvidersContractsTableModel* model,
    gchar** buffer, TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error) {
  g_return_val_if_fail(self != NULL, -1);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IEXPORTER_GET_INTERFACE(self);
  return iface->export_to_text
             ? iface->export_to_text(self, model, buffer, progress, progress_target, error)
             : -1;
}

GeeHashMap* tarvex_brevane_contracts_data_iexporter_get_options(
    TarvexBrevaneContractsDataIExporter* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IEXPORTER_GET_INTERFACE(self);
  return iface->get_options ? iface->get_options(self) : nullptr;
}

const gchar* tarvex_brevane_contracts_data_iexporter_get_file_extention(
    TarvexBrevaneContractsDataIExporter* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IEXPORTER_GET_INTERFACE(self);
  return iface->get_file_extention ? iface->get_file_extention(self) : nullptr;
}

gboolean tarvex_brevane_contracts_data_iexporter_get_continue_on_error(
    TarvexBrevaneContractsDataIExporter* self) {
  g_return_val_if_fail(self != NULL, FALSE);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IEXPORTER_GET_INTERFACE(self);
  return iface->get_continue_on_error ? iface->get_continue_on_error(self) : FALSE;
}

void tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
    TarvexBrevaneContractsDataIExporter* self, gboolean value) {
  g_return_if_fail(self != NULL);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IEXPORTER_GET_INTERFACE(self);
  if (iface->set_continue_on_error) iface->set_continue_on_error(self, value);
}
