// ColumnModel: one column of a result set.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_COLUMN_MODEL \
  (tarvex_providers_contracts_column_model_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_column_model_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsColumnModel,
                         tarvex_providers_contracts_column_model, TARVEX_PROVIDERS_CONTRACTS,
                         COLUMN_MODEL, GObject)

struct _TarvexProvidersContractsColumnModelClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexProvidersContractsColumnModel* tarvex_providers_contracts_column_model_new(
    void);
TARVEX_EXPORT TarvexProvidersContractsColumnModel*
tarvex_providers_contracts_column_model_construct(GType object_type);
TARVEX_EXPORT TarvexProvidersContractsColumnModel*
tarvex_providers_contracts_column_model_new_with_type(TarvexProvidersContractsDataType data_type);
TARVEX_EXPORT TarvexProvidersContractsColumnModel*
tarvex_providers_contracts_column_model_construct_with_type(
    GType object_type, TarvexProvidersContractsDataType data_type);
TARVEX_EXPORT TarvexProvidersContractsColumnModel* tarvex_providers_contracts_column_model_new_full(
    const gchar* column_name, TarvexProvidersContractsDataType data_type);
TARVEX_EXPORT TarvexProvidersContractsColumnModel*
tarvex_providers_contracts_column_model_construct_full(GType object_type, const gchar* column_name,
                                                       TarvexProvidersContractsDataType data_type);
TARVEX_EXPORT TarvexProvidersContractsColumnModel*
tarvex_providers_contracts_column_model_new_full_size(const gchar* column_name,
                                                      TarvexProvidersContractsDataType data_type,
                                                      gulong data_size);
TARVEX_EXPORT TarvexProvidersContractsColumnModel*
tarvex_providers_contracts_column_model_construct_full_size(
    GType object_type, const gchar* column_name, TarvexProvidersContractsDataType data_type,
    gulong data_size);

TARVEX_EXPORT const gchar* tarvex_providers_contracts_column_model_get_name(
    TarvexProvidersContractsColumnModel* self);
TARVEX_EXPORT void tarvex_providers_contracts_column_model_set_name(
    TarvexProvidersContractsColumnModel* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_column_model_get_title(
    TarvexProvidersContractsColumnModel* self);
TARVEX_EXPORT void tarvex_providers_contracts_column_model_set_title(
    TarvexProvidersContractsColumnModel* self, const gchar* value);
TARVEX_EXPORT TarvexProvidersContractsDataType
tarvex_providers_contracts_column_model_get_data_type(TarvexProvidersContractsColumnModel* self);
TARVEX_EXPORT void tarvex_providers_contracts_column_model_set_data_type(
    TarvexProvidersContractsColumnModel* self, TarvexProvidersContractsDataType value);
TARVEX_EXPORT gulong
tarvex_providers_contracts_column_model_get_data_size(TarvexProvidersContractsColumnModel* self);
TARVEX_EXPORT void tarvex_providers_contracts_column_model_set_data_size(
    TarvexProvidersContractsColumnModel* self, gulong value);

G_END_DECLS
