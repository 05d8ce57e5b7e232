#include "brevane/model/constraints/meta_constraint.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaConstraint

struct _TarvexBrevaneMetaModelMetaConstraintPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaConstraint, tarvex_brevane_meta_model_meta_constraint,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject constraint_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_CONTRAINT;
}

static void tarvex_brevane_meta_model_meta_constraint_class_setup(
    TarvexBrevaneMetaModelMetaConstraintClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = constraint_character;
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaConstraint, tarvex_brevane_meta_model_meta_constraint,
                TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaConstraint,
                           tarvex_brevane_meta_model_meta_constraint,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)
