// A check constraint: "check" holds its expression as it was stored.
#pragma once

#include "brevane/model/constraints/meta_constraint.h"
#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_CHECK (tarvex_brevane_meta_model_meta_check_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_check_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                         TARVEX_BREVANE_META_MODEL, META_CHECK,
                         TarvexBrevaneMetaModelMetaConstraint)

struct _TarvexBrevaneMetaModelMetaCheckClass {
  TarvexBrevaneMetaModelMetaConstraintClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaCheck* tarvex_brevane_meta_model_meta_check_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaCheck* tarvex_brevane_meta_model_meta_check_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaCheck* tarvex_brevane_meta_model_meta_check_new_with_names(
    const gchar* database, const gchar* schema, const gchar* name, const gchar* expr);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaCheck*
tarvex_brevane_meta_model_meta_check_construct_with_names(GType object_type, const gchar* database,
                                                          const gchar* schema, const gchar* name,
                                                          const gchar* expr);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_check_get_enforced(TarvexBrevaneMetaModelMetaCheck* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_check_set_enforced(
    TarvexBrevaneMetaModelMetaCheck* self, gboolean value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_check_get_no_inherit(TarvexBrevaneMetaModelMetaCheck* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_check_set_no_inherit(
    TarvexBrevaneMetaModelMetaCheck* self, gboolean value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_check_get_check(
    TarvexBrevaneMetaModelMetaCheck* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_check_set_check(
    TarvexBrevaneMetaModelMetaCheck* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_check_get_deferrable(
    TarvexBrevaneMetaModelMetaCheck* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_check_set_deferrable(
    TarvexBrevaneMetaModelMetaCheck* self, const gchar* value);

G_END_DECLS
