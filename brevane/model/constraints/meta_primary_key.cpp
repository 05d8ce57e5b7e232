#include "brevane/model/constraints/meta_primary_key.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaPrimaryKey

struct _TarvexBrevaneMetaModelMetaPrimaryKeyPrivate {};

namespace primary_key_props {
enum { PROP_0, PROP_COLUMNS, N_PROPERTIES };

static const PropDecl decls[] = {
    str_list("columns", kOwned | kAlwaysNotify | kKeepOnReset),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace primary_key_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaPrimaryKey, tarvex_brevane_meta_model_meta_primary_key,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)

static TarvexProvidersContractsDBObject primary_key_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PRIMARY;
}

static void tarvex_brevane_meta_model_meta_primary_key_class_setup(
    TarvexBrevaneMetaModelMetaPrimaryKeyClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = primary_key_character;
  primary_key_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaPrimaryKey, tarvex_brevane_meta_model_meta_primary_key,
                TARVEX_BREVANE_META_MODEL_TYPE_META_PRIMARY_KEY)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaPrimaryKey,
                           tarvex_brevane_meta_model_meta_primary_key,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_PRIMARY_KEY)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaPrimaryKey,
                      tarvex_brevane_meta_model_meta_primary_key, columns,
                      primary_key_props::PROP_COLUMNS, primary_key_props::properties, GeeArrayList*,
                      NULL)
