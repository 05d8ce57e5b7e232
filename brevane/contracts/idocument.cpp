#include "brevane/contracts/idocument.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDataIDocument,
                        tarvex_brevane_contracts_data_idocument, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_data_idocument_default_init(
    TarvexBrevaneContractsDataIDocumentIface* iface) {}

void tarvex_brevane_contracts_data_idocument_produce(
    TarvexBrevaneContractsDataIDocument* self, TarvexBrevaneMetaModelMetaDatabase* meta_database,
    const gchar* filename, TarvexBrevaneContractsDataConfiguration* cfg,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDataIDocumentIface::produce>(
      self, meta_database, filename, cfg, progress, progress_target, error);
}
