// An exclusion constraint; carried only.
#pragma once

#include "brevane/model/constraints/meta_constraint.h"
#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_EXCLUDE \
  (tarvex_brevane_meta_model_meta_exclude_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_exclude_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                         TARVEX_BREVANE_META_MODEL, META_EXCLUDE,
                         TarvexBrevaneMetaModelMetaConstraint)

struct _TarvexBrevaneMetaModelMetaExcludeClass {
  TarvexBrevaneMetaModelMetaConstraintClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaExclude* tarvex_brevane_meta_model_meta_exclude_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaExclude* tarvex_brevane_meta_model_meta_exclude_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaExclude*
tarvex_brevane_meta_model_meta_exclude_new_with_names(const gchar* database, const gchar* schema,
                                                      const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaExclude*
tarvex_brevane_meta_model_meta_exclude_construct_with_names(GType object_type,
                                                            const gchar* database,
                                                            const gchar* schema, const gchar* name);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_exclude_get_index_method(
    TarvexBrevaneMetaModelMetaExclude* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_exclude_set_index_method(
    TarvexBrevaneMetaModelMetaExclude* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_exclude_get_table_space(
    TarvexBrevaneMetaModelMetaExclude* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_exclude_set_table_space(
    TarvexBrevaneMetaModelMetaExclude* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_exclude_get_with(
    TarvexBrevaneMetaModelMetaExclude* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_exclude_set_with(
    TarvexBrevaneMetaModelMetaExclude* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_exclude_get_include(
    TarvexBrevaneMetaModelMetaExclude* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_exclude_set_include(
    TarvexBrevaneMetaModelMetaExclude* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_exclude_get_where(
    TarvexBrevaneMetaModelMetaExclude* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_exclude_set_where(
    TarvexBrevaneMetaModelMetaExclude* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_exclude_get_deferrable(
    TarvexBrevaneMetaModelMetaExclude* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_exclude_set_deferrable(
    TarvexBrevaneMetaModelMetaExclude* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_exclude_get_elements(
    TarvexBrevaneMetaModelMetaExclude* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_exclude_set_elements(
    TarvexBrevaneMetaModelMetaExclude* self, const gchar* value);

G_END_DECLS
