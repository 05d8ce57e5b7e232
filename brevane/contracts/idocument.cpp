#include "brevane/contracts/idocument.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDataIDocument,
                        tarvex_brevane_contracts_data_idocument, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_data_idocument_default_init(
    TarvexBrevaneContractsDataIDocumentIface* iface) {}

void tarvex_brevane_contracts_data_idocument_produce(
    TarvexBrevaneContractsDataIDocument* self, TarvexBrevaneMetaModelMetaDatabase* meta_database,
    const gchar* filename, TarvexBrevaneContractsDataConfiguration* cfg,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error) {
  g_return_if_fail(self != NULL);
  auto* iface = TARVEX_BREVANE_CONTRACTS_DATA_IDOCUMENT_GET_INTERFACE(self);
  if (iface->produce)
    iface->produce(self, meta_database, filename, cfg, progress, progress_target, error);
}
