// A database user: a principal with a default schema.
#pragma once

#include "brevane/model/meta_relation.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneMetaModelMetaUser TarvexBrevaneMetaModelMetaUser;
typedef struct _TarvexBrevaneMetaModelMetaUserClass TarvexBrevaneMetaModelMetaUserClass;
typedef struct _TarvexBrevaneMetaModelMetaUserPrivate TarvexBrevaneMetaModelMetaUserPrivate;

struct _TarvexBrevaneMetaModelMetaUser {
  TarvexBrevaneMetaModelMetaRelation parent_instance;
};

struct _TarvexBrevaneMetaModelMetaUserClass {
  TarvexBrevaneMetaModelMetaRelationClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_USER (tarvex_brevane_meta_model_meta_user_get_type())
#define TARVEX_BREVANE_META_MODEL_META_USER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_USER, \
                              TarvexBrevaneMetaModelMetaUser))
#define TARVEX_BREVANE_META_MODEL_IS_META_USER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_USER))

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_user_get_type(void) G_GNUC_CONST;
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
