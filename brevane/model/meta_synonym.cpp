#include "brevane/model/meta_synonym.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaSynonym

struct _TarvexBrevaneMetaModelMetaSynonymPrivate {};

namespace synonym_props {
enum { PROP_0, PROP_TARGET, N_PROPERTIES };

static const PropDecl decls[] = {
    text("target"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace synonym_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaSynonym, tarvex_brevane_meta_model_meta_synonym,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject synonym_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SYNONYM;
}

static void tarvex_brevane_meta_model_meta_synonym_class_setup(
    TarvexBrevaneMetaModelMetaSynonymClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = synonym_character;
  synonym_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaSynonym, tarvex_brevane_meta_model_meta_synonym,
                TARVEX_BREVANE_META_MODEL_TYPE_META_SYNONYM)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaSynonym,
                           tarvex_brevane_meta_model_meta_synonym,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_SYNONYM)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaSynonym, tarvex_brevane_meta_model_meta_synonym,
                      target, synonym_props::PROP_TARGET, synonym_props::properties, const gchar*,
                      NULL)
