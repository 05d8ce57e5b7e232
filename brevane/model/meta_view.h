// Views, described by their defining query; the output columns are read from
// that query whenever it is set. Materialized views add their storage
// settings.
#pragma once

#include "brevane/model/meta_column.h"
#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_VIEW (tarvex_brevane_meta_model_meta_view_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_view_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaView, tarvex_brevane_meta_model_meta_view,
                         TARVEX_BREVANE_META_MODEL, META_VIEW, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaViewClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_MATERIALIZED \
  (tarvex_brevane_meta_model_materialized_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_materialized_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMaterialized, tarvex_brevane_meta_model_materialized,
                         TARVEX_BREVANE_META_MODEL, MATERIALIZED, TarvexBrevaneMetaModelMetaView)

struct _TarvexBrevaneMetaModelMaterializedClass {
  TarvexBrevaneMetaModelMetaViewClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaView* tarvex_brevane_meta_model_meta_view_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaView* tarvex_brevane_meta_model_meta_view_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaView* tarvex_brevane_meta_model_meta_view_new_with_names(
    const gchar* database, const gchar* schema, const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaView*
tarvex_brevane_meta_model_meta_view_construct_with_names(GType object_type, const gchar* database,
                                                         const gchar* schema, const gchar* name);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_view_get_definition(
    TarvexBrevaneMetaModelMetaView* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_view_set_definition(
    TarvexBrevaneMetaModelMetaView* self, const gchar* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_view_get_columns(
    TarvexBrevaneMetaModelMetaView* self);

TARVEX_EXPORT TarvexBrevaneMetaModelMaterialized* tarvex_brevane_meta_model_materialized_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMaterialized* tarvex_brevane_meta_model_materialized_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMaterialized*
tarvex_brevane_meta_model_materialized_new_with_names(const gchar* database, const gchar* schema,
                                                      const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMaterialized*
tarvex_brevane_meta_model_materialized_construct_with_names(GType object_type,
                                                            const gchar* database,
                                                            const gchar* schema, const gchar* name);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_materialized_get_table_space(
    TarvexBrevaneMetaModelMaterialized* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_materialized_set_table_space(
    TarvexBrevaneMetaModelMaterialized* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_materialized_get_definer(
    TarvexBrevaneMetaModelMaterialized* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_materialized_set_definer(
    TarvexBrevaneMetaModelMaterialized* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_materialized_get_fill_factor(
    TarvexBrevaneMetaModelMaterialized* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_materialized_set_fill_factor(
    TarvexBrevaneMetaModelMaterialized* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_materialized_get_with_data(TarvexBrevaneMetaModelMaterialized* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_materialized_set_with_data(
    TarvexBrevaneMetaModelMaterialized* self, gboolean value);

G_END_DECLS
