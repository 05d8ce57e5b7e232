// A database role: a principal that users and other roles are members of.
#pragma once

#include "brevane/model/meta_relation.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneMetaModelMetaRole TarvexBrevaneMetaModelMetaRole;
typedef struct _TarvexBrevaneMetaModelMetaRoleClass TarvexBrevaneMetaModelMetaRoleClass;
typedef struct _TarvexBrevaneMetaModelMetaRolePrivate TarvexBrevaneMetaModelMetaRolePrivate;

struct _TarvexBrevaneMetaModelMetaRole {
  TarvexBrevaneMetaModelMetaRelation parent_instance;
};

struct _TarvexBrevaneMetaModelMetaRoleClass {
  TarvexBrevaneMetaModelMetaRelationClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_ROLE (tarvex_brevane_meta_model_meta_role_get_type())
#define TARVEX_BREVANE_META_MODEL_META_ROLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_ROLE, \
                              TarvexBrevaneMetaModelMetaRole))
#define TARVEX_BREVANE_META_MODEL_IS_META_ROLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_ROLE))

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_role_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneMetaModelMetaRole* tarvex_brevane_meta_model_meta_role_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaRole* tarvex_brevane_meta_model_meta_role_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaRole* tarvex_brevane_meta_model_meta_role_new_with_names(
    const gchar* _database, const gchar* _schema, const gchar* _name, const gchar* _scope);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaRole*
tarvex_brevane_meta_model_meta_role_construct_with_names(GType object_type, const gchar* _database,
                                                         const gchar* _schema, const gchar* _name,
                                                         const gchar* _scope);

G_END_DECLS
