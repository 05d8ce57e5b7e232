#include "brevane/contracts/iexporter.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

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
  return tarvex::call_slot<&TarvexBrevaneContractsDataIExporterIface::export_to_file, -1>(
      self, model, filename, progress, progress_target, error);
}

gint tarvex_brevane_contracts_data_iexporter_export_to_text(
    TarvexBrevaneContractsDataIExporter* self, TarvexProvidersContractsTableModel* model,
    gchar** buffer, TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDataIExporterIface::export_to_text, -1>(
      self, model, buffer, progress, progress_target, error);
}

GeeHashMap* tarvex_brevane_contracts_data_iexporter_get_options(
    TarvexBrevaneContractsDataIExporter* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDataIExporterIface::get_options>(self);
}

const gchar* tarvex_brevane_contracts_data_iexporter_get_file_extention(
    TarvexBrevaneContractsDataIExporter* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDataIExporterIface::get_file_extention>(self);
}

gboolean tarvex_brevane_contracts_data_iexporter_get_continue_on_error(
    TarvexBrevaneContractsDataIExporter* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDataIExporterIface::get_continue_on_error>(self);
}

void tarvex_brevane_contracts_data_iexporter_set_continue_on_error(
    TarvexBrevaneContractsDataIExporter* self, gboolean value) {
  tarvex::call_slot<&TarvexBrevaneContractsDataIExporterIface::set_continue_on_error>(self, value);
}
