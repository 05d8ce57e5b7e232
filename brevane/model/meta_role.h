// A database role: a principal that users and other roles are members of.
#pragma once

#include "brevane/model/meta_relation.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_ROLE (tarvex_brevane_meta_model_meta_role_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_role_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaRole, tarvex_brevane_meta_model_meta_role,
                         TARVEX_BREVANE_META_MODEL, META_ROLE, TarvexBrevaneMetaModelMetaRelation)

struct _TarvexBrevaneMetaModelMetaRoleClass {
  TarvexBrevaneMetaModelMetaRelationClass parent_class;
};

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
