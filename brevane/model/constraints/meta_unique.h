// A unique constraint: "columns" holds the key columns with their sort
// direction as one comma-separated text.
#pragma once

#include "brevane/model/constraints/meta_constraint.h"
#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_UNIQUE \
  (tarvex_brevane_meta_model_meta_unique_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_unique_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                         TARVEX_BREVANE_META_MODEL, META_UNIQUE,
                         TarvexBrevaneMetaModelMetaConstraint)

struct _TarvexBrevaneMetaModelMetaUniqueClass {
  TarvexBrevaneMetaModelMetaConstraintClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaUnique* tarvex_brevane_meta_model_meta_unique_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaUnique* tarvex_brevane_meta_model_meta_unique_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaUnique*
tarvex_brevane_meta_model_meta_unique_new_with_names(const gchar* database, const gchar* schema,
                                                     const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaUnique*
tarvex_brevane_meta_model_meta_unique_construct_with_names(GType object_type, const gchar* database,
                                                           const gchar* schema, const gchar* name);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_unique_get_columns(
    TarvexBrevaneMetaModelMetaUnique* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_unique_set_columns(
    TarvexBrevaneMetaModelMetaUnique* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_unique_get_conflict(
    TarvexBrevaneMetaModelMetaUnique* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_unique_set_conflict(
    TarvexBrevaneMetaModelMetaUnique* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_unique_get_is_primary_key(TarvexBrevaneMetaModelMetaUnique* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_unique_set_is_primary_key(
    TarvexBrevaneMetaModelMetaUnique* self, gboolean value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_unique_get_table_space(
    TarvexBrevaneMetaModelMetaUnique* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_unique_set_table_space(
    TarvexBrevaneMetaModelMetaUnique* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_unique_get_with(
    TarvexBrevaneMetaModelMetaUnique* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_unique_set_with(
    TarvexBrevaneMetaModelMetaUnique* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_unique_get_include(
    TarvexBrevaneMetaModelMetaUnique* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_unique_set_include(
    TarvexBrevaneMetaModelMetaUnique* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_unique_get_deferrable(
    TarvexBrevaneMetaModelMetaUnique* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_unique_set_deferrable(
    TarvexBrevaneMetaModelMetaUnique* self, const gchar* value);

G_END_DECLS
