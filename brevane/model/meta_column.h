// One column of a table or view: a flat record of the column's catalog facts.
// Dialect-only settings ("SPARSE", "ROWGUIDCOL", ...) live in the attributes.
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_COLUMN \
  (tarvex_brevane_meta_model_meta_column_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_column_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaColumn, tarvex_brevane_meta_model_meta_column,
                         TARVEX_BREVANE_META_MODEL, META_COLUMN, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaColumnClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaColumn* tarvex_brevane_meta_model_meta_column_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaColumn* tarvex_brevane_meta_model_meta_column_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaColumn* tarvex_brevane_meta_model_meta_column_new_with_type(
    const gchar* name, TarvexProvidersContractsDataType data_type, const gchar* native_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaColumn*
tarvex_brevane_meta_model_meta_column_construct_with_type(
    GType object_type, const gchar* name, TarvexProvidersContractsDataType data_type,
    const gchar* native_type);
TARVEX_EXPORT guint
tarvex_brevane_meta_model_meta_column_get_ordinal(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_ordinal(
    TarvexBrevaneMetaModelMetaColumn* self, guint value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_alias(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_alias(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_after(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_after(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_raw_type(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_raw_type(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT TarvexProvidersContractsDataType
tarvex_brevane_meta_model_meta_column_get_data_type(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_data_type(
    TarvexBrevaneMetaModelMetaColumn* self, TarvexProvidersContractsDataType value);
TARVEX_EXPORT gint64
tarvex_brevane_meta_model_meta_column_get_length(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_length(
    TarvexBrevaneMetaModelMetaColumn* self, gint64 value);
TARVEX_EXPORT guint8
tarvex_brevane_meta_model_meta_column_get_scale(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_scale(
    TarvexBrevaneMetaModelMetaColumn* self, guint8 value);
TARVEX_EXPORT guint8
tarvex_brevane_meta_model_meta_column_get_dimension(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_dimension(
    TarvexBrevaneMetaModelMetaColumn* self, guint8 value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_column_get_is_unsigned(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_is_unsigned(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_column_get_auto_increment(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_auto_increment(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);
TARVEX_EXPORT guint64 tarvex_brevane_meta_model_meta_column_get_auto_increment_seed(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_auto_increment_seed(
    TarvexBrevaneMetaModelMetaColumn* self, guint64 value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_identity(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_identity(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_default_value(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_default_value(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_virtual_type(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_virtual_type(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_expression(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_expression(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_column_get_not_null(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_not_null(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_column_get_is_selected(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_is_selected(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_column_get_is_virtual(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_is_virtual(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_column_get_is_user_defined(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_is_user_defined(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_column_get_is_primary_key(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_is_primary_key(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);
TARVEX_EXPORT guint8
tarvex_brevane_meta_model_meta_column_get_primary_ordinal(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_primary_ordinal(
    TarvexBrevaneMetaModelMetaColumn* self, guint8 value);
TARVEX_EXPORT guint64
tarvex_brevane_meta_model_meta_column_get_primary_length(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_primary_length(
    TarvexBrevaneMetaModelMetaColumn* self, guint64 value);
TARVEX_EXPORT guint8
tarvex_brevane_meta_model_meta_column_get_primary_order(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_primary_order(
    TarvexBrevaneMetaModelMetaColumn* self, guint8 value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_conflict(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_conflict(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_charset(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_charset(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_collation(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_collation(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_column_get_enum_values(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_enum_values(
    TarvexBrevaneMetaModelMetaColumn* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_column_get_is_binary(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_is_binary(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_column_get_is_fill_zero(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_is_fill_zero(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_column_get_update_timestamp(TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_update_timestamp(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);
TARVEX_EXPORT gboolean tarvex_brevane_meta_model_meta_column_get_is_generated_always(
    TarvexBrevaneMetaModelMetaColumn* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_column_set_is_generated_always(
    TarvexBrevaneMetaModelMetaColumn* self, gboolean value);

G_END_DECLS
