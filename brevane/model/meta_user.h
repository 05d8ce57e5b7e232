// A database user: a principal with a default schema.
#pragma once

#include "brevane/model/meta_relation.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_USER (tarvex_brevane_meta_model_meta_user_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_user_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaUser, tarvex_brevane_meta_model_meta_user,
                         TARVEX_BREVANE_META_MODEL, META_USER, TarvexBrevaneMetaModelMetaRelation)

struct _TarvexBrevaneMetaModelMetaUserClass {
  TarvexBrevaneMetaModelMetaRelationClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaUser* tarvex_brevane_meta_model_meta_user_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaUser* tarvex_brevane_meta_model_meta_user_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaUser* tarvex_brevane_meta_model_meta_user_new_with_names(
    const gchar* _database, const gchar* _schema, const gchar* _name, const gchar* _scope);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaUser*
tarvex_brevane_meta_model_meta_user_construct_with_names(GType object_type, const gchar* _database,
                                                         const gchar* _schema, const gchar* _name,
                                                         const gchar* _scope);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_user_get_default_schema(
    TarvexBrevaneMetaModelMetaUser* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_user_set_default_schema(
    TarvexBrevaneMetaModelMetaUser* self, const gchar* value);

G_END_DECLS
