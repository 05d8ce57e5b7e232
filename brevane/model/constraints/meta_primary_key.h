// A primary key with its key columns as a list of texts, in key order.
#pragma once

#include "brevane/model/constraints/meta_constraint.h"
#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_PRIMARY_KEY \
  (tarvex_brevane_meta_model_meta_primary_key_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_primary_key_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaPrimaryKey,
                         tarvex_brevane_meta_model_meta_primary_key, TARVEX_BREVANE_META_MODEL,
                         META_PRIMARY_KEY, TarvexBrevaneMetaModelMetaConstraint)

struct _TarvexBrevaneMetaModelMetaPrimaryKeyClass {
  TarvexBrevaneMetaModelMetaConstraintClass parent_class;
};

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
