// ColumnModel: one column of a result set.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersContractsColumnModel TarvexProvidersContractsColumnModel;
typedef struct _TarvexProvidersContractsColumnModelClass TarvexProvidersContractsColumnModelClass;
typedef struct _TarvexProvidersContractsColumnModelPrivate
    TarvexProvidersContractsColumnModelPrivate;

struct _TarvexProvidersContractsColumnModel {
  GObject parent_instance;
};

struct _TarvexProvidersContractsColumnModelClass {
  GObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_COLUMN_MODEL \
  (tarvex_providers_contracts_column_model_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_COLUMN_MODEL(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_COLUMN_MODEL, \
                              TarvexProvidersContractsColumnModel))
#define TARVEX_PROVIDERS_CONTRACTS_IS_COLUMN_MODEL(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_COLUMN_MODEL))

TARVEX_EXPORT GType tarvex_providers_contracts_column_model_get_type(void) G_GNUC_CONST;
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
