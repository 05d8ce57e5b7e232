// TableModel: one result set, its columns and its rows; a GListModel of
// its rows.
#pragma once

#include <gee.h>
#include <gio/gio.h>

#include "common/tarvex-export.h"
#include "providers/contracts/column_model.h"
#include "providers/contracts/data_type.h"
#include "providers/contracts/result.h"
#include "providers/contracts/row_model.h"
#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_TABLE_MODEL \
  (tarvex_providers_contracts_table_model_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_table_model_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsTableModel, tarvex_providers_contracts_table_model,
                         TARVEX_PROVIDERS_CONTRACTS, TABLE_MODEL, GObject)
struct _TarvexProvidersContractsTableModelClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexProvidersContractsTableModel* tarvex_providers_contracts_table_model_new(void);
TARVEX_EXPORT TarvexProvidersContractsTableModel* tarvex_providers_contracts_table_model_construct(
    GType object_type);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_providers_contracts_table_model_new_with_types(const TarvexProvidersContractsDataType* types,
                                                      gint types_length1);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_providers_contracts_table_model_construct_with_types(
    GType object_type, const TarvexProvidersContractsDataType* types, gint types_length1);
TARVEX_EXPORT GeeArrayList* tarvex_providers_contracts_table_model_get_rows(
    TarvexProvidersContractsTableModel* self);
TARVEX_EXPORT GeeArrayList* tarvex_providers_contracts_table_model_get_columns(
    TarvexProvidersContractsTableModel* self);
TARVEX_EXPORT TarvexProvidersContractsRowModel* tarvex_providers_contracts_table_model_new_row(
    TarvexProvidersContractsTableModel* self);
TARVEX_EXPORT guint tarvex_providers_contracts_table_model_append(
    TarvexProvidersContractsTableModel* self, TarvexProvidersContractsRowModel* row);
TARVEX_EXPORT guint tarvex_providers_contracts_table_model_insert(
    TarvexProvidersContractsTableModel* self, gint position, TarvexProvidersContractsRowModel* row);
TARVEX_EXPORT void tarvex_providers_contracts_table_model_delete(
    TarvexProvidersContractsTableModel* self, TarvexProvidersContractsRowModel* row);
TARVEX_EXPORT TarvexProvidersContractsRowModel* tarvex_providers_contracts_table_model_delete_at(
    TarvexProvidersContractsTableModel* self, gint position);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_table_model_find(TarvexProvidersContractsTableModel* self,
                                            TarvexProvidersContractsRowModel* row, gint* position);
TARVEX_EXPORT void tarvex_providers_contracts_table_model_clear(
    TarvexProvidersContractsTableModel* self, gboolean also_columns);
TARVEX_EXPORT void tarvex_providers_contracts_table_model_update_row_version(
    TarvexProvidersContractsTableModel* self, guint position,
    TarvexProvidersContractsDataVersion version);
TARVEX_EXPORT TarvexProvidersContractsValueObject*
tarvex_providers_contracts_table_model_get_value_at(TarvexProvidersContractsTableModel* self,
                                                    gint col, gint row);
TARVEX_EXPORT void tarvex_providers_contracts_table_model_set_value_at(
    TarvexProvidersContractsTableModel* self, gint col, gint row,
    TarvexProvidersContractsValueObject* value);

G_END_DECLS
