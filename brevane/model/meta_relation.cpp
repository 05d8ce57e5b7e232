#include "brevane/model/meta_relation.h"

#include "brevane/model/meta-private.h"
#include "brevane/sql/sql-text-private.h"

using namespace tarvex;
using namespace tarvex::meta;

struct _TarvexBrevaneMetaModelMetaRelationPrivate {};

enum {
  RELATION_PROP_0,
  RELATION_PROP_RELATIONS,
  RELATION_PROP_PRIVILEGES,
  RELATION_PROP_SCOPE,
  RELATION_PROP_PASSWORD,
};

static const PropDecl relation_decls[] = {
    str_map("relations", kOwned | kAlwaysNotify),
    str_map("privileges", kOwned | kAlwaysNotify),
    text("scope"),
    text("password"),
};
static PropClass relation_props(relation_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static void tarvex_brevane_meta_model_meta_relation_class_setup(
    TarvexBrevaneMetaModelMetaRelationClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  relation_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                TARVEX_BREVANE_META_MODEL_TYPE_META_RELATION)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      relations, RELATION_PROP_RELATIONS, relation_props, GeeHashMap*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      privileges, RELATION_PROP_PRIVILEGES, relation_props, GeeHashMap*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      scope, RELATION_PROP_SCOPE, relation_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      password, RELATION_PROP_PASSWORD, relation_props, const gchar*, NULL)

gchar* tarvex_brevane_meta_model_meta_relation_escape_password(
    TarvexBrevaneMetaModelMetaRelation* self) {
  g_return_val_if_fail(self != NULL, NULL);
  const char* password = tarvex_brevane_meta_model_meta_relation_get_password(self);
  return dup(tarvex::sql::literal_body(password ? password : ""));
}
