// RowModel: one result row, its values in column order and its change
// state; a GListModel of its values.
#pragma once

#include <gee.h>
#include <gio/gio.h>

#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"
#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersContractsRowModel TarvexProvidersContractsRowModel;
typedef struct _TarvexProvidersContractsRowModelClass TarvexProvidersContractsRowModelClass;
typedef struct _TarvexProvidersContractsRowModelPrivate TarvexProvidersContractsRowModelPrivate;

struct _TarvexProvidersContractsRowModel {
  GObject parent_instance;
};

struct _TarvexProvidersContractsRowModelClass {
  GObjectClass parent_class;
  TarvexProvidersContractsRowModel* (*clone)(TarvexProvidersContractsRowModel* self);
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_ROW_MODEL (tarvex_providers_contracts_row_model_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_ROW_MODEL(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_ROW_MODEL, \
                              TarvexProvidersContractsRowModel))
#define TARVEX_PROVIDERS_CONTRACTS_IS_ROW_MODEL(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_ROW_MODEL))
#define TARVEX_PROVIDERS_CONTRACTS_ROW_MODEL_GET_CLASS(obj)                    \
  (G_TYPE_INSTANCE_GET_CLASS((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_ROW_MODEL, \
                             TarvexProvidersContractsRowModelClass))

TARVEX_EXPORT GType tarvex_providers_contracts_row_model_get_type(void) G_GNUC_CONST;
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
