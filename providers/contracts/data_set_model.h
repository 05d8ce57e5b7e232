// DataSetModel: several table models; a GListModel of them.
#pragma once

#include <gee.h>
#include <gio/gio.h>

#include "common/tarvex-export.h"
#include "providers/contracts/table_model.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_DATA_SET_MODEL \
  (tarvex_providers_contracts_data_set_model_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_data_set_model_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsDataSetModel,
                         tarvex_providers_contracts_data_set_model, TARVEX_PROVIDERS_CONTRACTS,
                         DATA_SET_MODEL, GObject)
struct _TarvexProvidersContractsDataSetModelClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexProvidersContractsDataSetModel* tarvex_providers_contracts_data_set_model_new(
    void);
TARVEX_EXPORT TarvexProvidersContractsDataSetModel*
tarvex_providers_contracts_data_set_model_construct(GType object_type);
TARVEX_EXPORT GeeArrayList* tarvex_providers_contracts_data_set_model_get_tables(
    TarvexProvidersContractsDataSetModel* self);

G_END_DECLS
