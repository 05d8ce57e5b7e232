// The document contract: writes a document (a data dictionary) of a meta
// database to a file.
#pragma once

#include <glib-object.h>
#include "brevane/contracts/configuration.h"
#include "brevane/contracts/iexporter.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

// Declared here so the contract does not depend on the meta model's headers.
typedef struct _TarvexBrevaneMetaModelMetaDatabase TarvexBrevaneMetaModelMetaDatabase;

typedef struct _TarvexBrevaneContractsDataIDocument TarvexBrevaneContractsDataIDocument;
typedef struct _TarvexBrevaneContractsDataIDocumentIface TarvexBrevaneContractsDataIDocumentIface;

struct _TarvexBrevaneContractsDataIDocumentIface {
  GTypeInterface parent_iface;
  void (*produce)(TarvexBrevaneContractsDataIDocument* self,
                  TarvexBrevaneMetaModelMetaDatabase* meta_database, const gchar* filename,
                  TarvexBrevaneContractsDataConfiguration* cfg,
                  TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
                  GError** error);
};

#define TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IDOCUMENT \
  (tarvex_brevane_contracts_data_idocument_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATA_IDOCUMENT(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IDOCUMENT, \
                              TarvexBrevaneContractsDataIDocument))
#define TARVEX_BREVANE_CONTRACTS_DATA_IS_IDOCUMENT(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IDOCUMENT))
#define TARVEX_BREVANE_CONTRACTS_DATA_IDOCUMENT_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IDOCUMENT, \
                                 TarvexBrevaneContractsDataIDocumentIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_data_idocument_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_brevane_contracts_data_idocument_produce(
    TarvexBrevaneContractsDataIDocument* self, TarvexBrevaneMetaModelMetaDatabase* meta_database,
    const gchar* filename, TarvexBrevaneContractsDataConfiguration* cfg,
    TarvexBrevaneContractsDataExportProgressFunc progress, gpointer progress_target,
    GError** error);

G_END_DECLS
