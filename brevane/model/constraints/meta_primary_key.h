// A primary key with its key columns as a list of texts, in key order.
#pragma once

#include "brevane/model/constraints/meta_constraint.h"
#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneMetaModelMetaPrimaryKey TarvexBrevaneMetaModelMetaPrimaryKey;
typedef struct _TarvexBrevaneMetaModelMetaPrimaryKeyClass TarvexBrevaneMetaModelMetaPrimaryKeyClass;
typedef struct _TarvexBrevaneMetaModelMetaPrimaryKeyPrivate
    TarvexBrevaneMetaModelMetaPrimaryKeyPrivate;

struct _TarvexBrevaneMetaModelMetaPrimaryKey {
  TarvexBrevaneMetaModelMetaConstraint parent_instance;
};

struct _TarvexBrevaneMetaModelMetaPrimaryKeyClass {
  TarvexBrevaneMetaModelMetaConstraintClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_PRIMARY_KEY \
  (tarvex_brevane_meta_model_meta_primary_key_get_type())
#define TARVEX_BREVANE_META_MODEL_META_PRIMARY_KEY(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_PRIMARY_KEY, \
                              TarvexBrevaneMetaModelMetaPrimaryKey))
#define TARVEX_BREVANE_META_MODEL_IS_META_PRIMARY_KEY(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_PRIMARY_KEY))

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_primary_key_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneMetaModelMetaPrimaryKey* tarvex_brevane_meta_model_meta_primary_key_new(
    void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaPrimaryKey*
tarvex_brevane_meta_model_meta_primary_key_construct(GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaPrimaryKey*
tarvex_brevane_meta_model_meta_primary_key_new_with_names(const gchar* database,
                                                          const gchar* schema, const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaPrimaryKey*
tarvex_brevane_meta_model_meta_primary_key_construct_with_names(GType object_type,
                                                                const gchar* database,
                                                                const gchar* schema,
                                                                const gchar* name);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_primary_key_get_columns(
    TarvexBrevaneMetaModelMetaPrimaryKey* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_primary_key_set_columns(
    TarvexBrevaneMetaModelMetaPrimaryKey* self, GeeArrayList* value);

G_END_DECLS
