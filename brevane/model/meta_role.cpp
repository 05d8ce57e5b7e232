#include "brevane/model/meta_role.h"

#include "brevane/model/meta-private.h"
#include "brevane/model/meta-relation-private.h"

using namespace tarvex;
using namespace tarvex::meta;

struct _TarvexBrevaneMetaModelMetaRolePrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaRole, tarvex_brevane_meta_model_meta_role,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_RELATION)

static TarvexProvidersContractsDBObject role_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROLE;
}

static void tarvex_brevane_meta_model_meta_role_class_setup(
    TarvexBrevaneMetaModelMetaRoleClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = role_character;
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaRole, tarvex_brevane_meta_model_meta_role,
                TARVEX_BREVANE_META_MODEL_TYPE_META_ROLE)

TARVEX_META_PRINCIPAL_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaRole,
                                     tarvex_brevane_meta_model_meta_role,
                                     TARVEX_BREVANE_META_MODEL_TYPE_META_ROLE)
