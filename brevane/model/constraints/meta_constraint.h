// The common base of a table's constraints (check, exclude, foreign key,
// primary key, unique).
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneMetaModelMetaConstraint TarvexBrevaneMetaModelMetaConstraint;
typedef struct _TarvexBrevaneMetaModelMetaConstraintClass TarvexBrevaneMetaModelMetaConstraintClass;
typedef struct _TarvexBrevaneMetaModelMetaConstraintPrivate
    TarvexBrevaneMetaModelMetaConstraintPrivate;

struct _TarvexBrevaneMetaModelMetaConstraint {
  TarvexBrevaneMetaModelMetaObject parent_instance;
};

struct _TarvexBrevaneMetaModelMetaConstraintClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT \
  (tarvex_brevane_meta_model_meta_constraint_get_type())
#define TARVEX_BREVANE_META_MODEL_META_CONSTRAINT(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT, \
                              TarvexBrevaneMetaModelMetaConstraint))
#define TARVEX_BREVANE_META_MODEL_IS_META_CONSTRAINT(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT))

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_constraint_get_type(void) G_GNUC_CONST;
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
