#include "brevane/model/meta_relation.h"

#include "brevane/model/meta-private.h"
#include "brevane/sql/sql-text-private.h"

using namespace tarvex;
using namespace tarvex::meta;

struct _TarvexBrevaneMetaModelMetaRelationPrivate {};

namespace relation_props {
enum { PROP_0, PROP_RELATIONS, PROP_PRIVILEGES, PROP_SCOPE, PROP_PASSWORD, N_PROPERTIES };

static const PropDecl decls[] = {
    str_map("relations", kOwned | kAlwaysNotify),
    str_map("privileges", kOwned | kAlwaysNotify),
    text("scope"),
    text("password"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace relation_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static void tarvex_brevane_meta_model_meta_relation_class_setup(
    TarvexBrevaneMetaModelMetaRelationClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  relation_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                TARVEX_BREVANE_META_MODEL_TYPE_META_RELATION)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      relations, relation_props::PROP_RELATIONS, relation_props::properties,
                      GeeHashMap*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      privileges, relation_props::PROP_PRIVILEGES, relation_props::properties,
                      GeeHashMap*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      scope, relation_props::PROP_SCOPE, relation_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRelation, tarvex_brevane_meta_model_meta_relation,
                      password, relation_props::PROP_PASSWORD, relation_props::properties,
                      const gchar*, NULL)

gchar* tarvex_brevane_meta_model_meta_relation_escape_password(
    TarvexBrevaneMetaModelMetaRelation* self) {
  g_return_val_if_fail(self != NULL, NULL);
  const char* password = tarvex_brevane_meta_model_meta_relation_get_password(self);
  return dup(tarvex::sql::literal_body(password ? password : ""));
}
