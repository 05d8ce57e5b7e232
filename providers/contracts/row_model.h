// RowModel: one result row, its values in column order and its change
// state; a GListModel of its values.
#pragma once

#include <gee.h>
#include <gio/gio.h>

#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"
#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_ROW_MODEL (tarvex_providers_contracts_row_model_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_row_model_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsRowModel, tarvex_providers_contracts_row_model,
                         TARVEX_PROVIDERS_CONTRACTS, ROW_MODEL, GObject)

struct _TarvexProvidersContractsRowModelClass {
  GObjectClass parent_class;
  TarvexProvidersContractsRowModel* (*clone)(TarvexProvidersContractsRowModel* self);
};

TARVEX_EXPORT TarvexProvidersContractsRowModel* tarvex_providers_contracts_row_model_new(void);
TARVEX_EXPORT TarvexProvidersContractsRowModel* tarvex_providers_contracts_row_model_construct(
    GType object_type);
TARVEX_EXPORT TarvexProvidersContractsRowModel* tarvex_providers_contracts_row_model_clone(
    TarvexProvidersContractsRowModel* self);
TARVEX_EXPORT GeeArrayList* tarvex_providers_contracts_row_model_get_values(
    TarvexProvidersContractsRowModel* self);
TARVEX_EXPORT TarvexProvidersContractsDataVersion
tarvex_providers_contracts_row_model_get_version(TarvexProvidersContractsRowModel* self);
TARVEX_EXPORT void tarvex_providers_contracts_row_model_set_version(
    TarvexProvidersContractsRowModel* self, TarvexProvidersContractsDataVersion value);
TARVEX_EXPORT TarvexProvidersContractsValueObject*
tarvex_providers_contracts_row_model_get_value_at(TarvexProvidersContractsRowModel* self,
                                                  gint position);
TARVEX_EXPORT void tarvex_providers_contracts_row_model_set_value_at(
    TarvexProvidersContractsRowModel* self, gint position,
    TarvexProvidersContractsValueObject* value);

G_END_DECLS
