// The common base of a table's constraints (check, exclude, foreign key,
// primary key, unique).
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT \
  (tarvex_brevane_meta_model_meta_constraint_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_constraint_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaConstraint,
                         tarvex_brevane_meta_model_meta_constraint, TARVEX_BREVANE_META_MODEL,
                         META_CONSTRAINT, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaConstraintClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaConstraint* tarvex_brevane_meta_model_meta_constraint_new(
    void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaConstraint*
tarvex_brevane_meta_model_meta_constraint_construct(GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaConstraint*
tarvex_brevane_meta_model_meta_constraint_new_with_names(const gchar* database, const gchar* schema,
                                                         const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaConstraint*
tarvex_brevane_meta_model_meta_constraint_construct_with_names(GType object_type,
                                                               const gchar* database,
                                                               const gchar* schema,
                                                               const gchar* name);

G_END_DECLS
