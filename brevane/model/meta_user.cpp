#include "brevane/model/meta_user.h"

#include "brevane/model/meta-private.h"
#include "brevane/model/meta-relation-private.h"

using namespace tarvex;
using namespace tarvex::meta;

struct _TarvexBrevaneMetaModelMetaUserPrivate {};

namespace user_props {
enum { PROP_0, PROP_DEFAULT_SCHEMA, N_PROPERTIES };

static const PropDecl decls[] = {
    text("default-schema"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace user_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaUser, tarvex_brevane_meta_model_meta_user,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_RELATION)

static TarvexProvidersContractsDBObject user_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER;
}

static void tarvex_brevane_meta_model_meta_user_class_setup(
    TarvexBrevaneMetaModelMetaUserClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = user_character;
  user_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaUser, tarvex_brevane_meta_model_meta_user,
                TARVEX_BREVANE_META_MODEL_TYPE_META_USER)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUser, tarvex_brevane_meta_model_meta_user,
                      default_schema, user_props::PROP_DEFAULT_SCHEMA, user_props::properties,
                      const gchar*, NULL)

TARVEX_META_PRINCIPAL_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaUser,
                                     tarvex_brevane_meta_model_meta_user,
                                     TARVEX_BREVANE_META_MODEL_TYPE_META_USER)
