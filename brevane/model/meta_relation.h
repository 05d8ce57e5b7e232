// Principals: users and roles with their privileges and role memberships.
//
// Privilege entries: key "DATABASE" (or "SERVER") -> "PERMISSION=S,..." with the
// state S one of G (grant), W (grant with grant option), D (deny); key "OBJECT"
// -> the securable keys joined by ","; each securable key ("%s:%s.%s" of type,
// schema and name, a column adding ".%s") -> its items. Relation entries:
// "role=member" -> "false".
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_RELATION \
  (tarvex_brevane_meta_model_meta_relation_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_relation_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaRelation,
                         tarvex_brevane_meta_model_meta_relation, TARVEX_BREVANE_META_MODEL,
                         META_RELATION, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaRelationClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaRelation* tarvex_brevane_meta_model_meta_relation_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaRelation* tarvex_brevane_meta_model_meta_relation_construct(
    GType object_type);
// The password as it goes between single quotes in T-SQL: every single
// quote doubled (a new text).
TARVEX_EXPORT gchar* tarvex_brevane_meta_model_meta_relation_escape_password(
    TarvexBrevaneMetaModelMetaRelation* self);
TARVEX_EXPORT GeeHashMap* tarvex_brevane_meta_model_meta_relation_get_relations(
    TarvexBrevaneMetaModelMetaRelation* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_relation_set_relations(
    TarvexBrevaneMetaModelMetaRelation* self, GeeHashMap* value);
TARVEX_EXPORT GeeHashMap* tarvex_brevane_meta_model_meta_relation_get_privileges(
    TarvexBrevaneMetaModelMetaRelation* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_relation_set_privileges(
    TarvexBrevaneMetaModelMetaRelation* self, GeeHashMap* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_relation_get_scope(
    TarvexBrevaneMetaModelMetaRelation* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_relation_set_scope(
    TarvexBrevaneMetaModelMetaRelation* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_relation_get_password(
    TarvexBrevaneMetaModelMetaRelation* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_relation_set_password(
    TarvexBrevaneMetaModelMetaRelation* self, const gchar* value);

G_END_DECLS

// The principals themselves, reachable through this header.
#include "brevane/model/meta_role.h"
#include "brevane/model/meta_user.h"
