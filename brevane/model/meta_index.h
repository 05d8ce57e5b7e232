// One index of a table or view, with its key columns as a list of texts
// (each a column name, a blank and ASC or DESC).
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_INDEX (tarvex_brevane_meta_model_meta_index_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_index_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                         TARVEX_BREVANE_META_MODEL, META_INDEX, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaIndexClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaIndex* tarvex_brevane_meta_model_meta_index_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaIndex* tarvex_brevane_meta_model_meta_index_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaIndex* tarvex_brevane_meta_model_meta_index_new_with_names(
    const gchar* database, const gchar* schema, const gchar* entity, const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaIndex*
tarvex_brevane_meta_model_meta_index_construct_with_names(GType object_type, const gchar* database,
                                                          const gchar* schema, const gchar* entity,
                                                          const gchar* name);
// Adds one key column text ("name ASC") at the end of "columns".
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_append(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* column);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_entity(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_entity(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_class(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_class(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_method(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_method(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_parser(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_parser(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_algorithm(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_algorithm(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_lock(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_lock(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_where(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_where(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_table_space(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_table_space(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_with(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_with(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_include(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_include(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_index_get_kind(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_kind(
    TarvexBrevaneMetaModelMetaIndex* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_index_get_is_concurrent(TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_is_concurrent(
    TarvexBrevaneMetaModelMetaIndex* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_index_get_is_only(TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_is_only(
    TarvexBrevaneMetaModelMetaIndex* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_index_get_is_visible(TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_is_visible(
    TarvexBrevaneMetaModelMetaIndex* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_index_get_is_clustered(TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_is_clustered(
    TarvexBrevaneMetaModelMetaIndex* self, gboolean value);
TARVEX_EXPORT guint64
tarvex_brevane_meta_model_meta_index_get_key_block_size(TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_key_block_size(
    TarvexBrevaneMetaModelMetaIndex* self, guint64 value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_index_get_columns(
    TarvexBrevaneMetaModelMetaIndex* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_index_set_columns(
    TarvexBrevaneMetaModelMetaIndex* self, GeeArrayList* value);

G_END_DECLS
