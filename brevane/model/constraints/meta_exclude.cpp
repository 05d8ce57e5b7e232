#include "brevane/model/constraints/meta_exclude.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaExclude

struct _TarvexBrevaneMetaModelMetaExcludePrivate {};

namespace exclude_props {
enum {
  PROP_0,
  PROP_INDEX_METHOD,
  PROP_TABLE_SPACE,
  PROP_WITH,
  PROP_INCLUDE,
  PROP_WHERE,
  PROP_DEFERRABLE,
  PROP_ELEMENTS,
  N_PROPERTIES
};

static const PropDecl decls[] = {
    text("index-method"), text("table-space"), text("with"),     text("include"),
    text("where"),        text("deferrable"),  text("elements"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace exclude_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)

static TarvexProvidersContractsDBObject exclude_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EXCLUDE;
}

static void tarvex_brevane_meta_model_meta_exclude_class_setup(
    TarvexBrevaneMetaModelMetaExcludeClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = exclude_character;
  exclude_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                TARVEX_BREVANE_META_MODEL_TYPE_META_EXCLUDE)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaExclude,
                           tarvex_brevane_meta_model_meta_exclude,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_EXCLUDE)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      index_method, exclude_props::PROP_INDEX_METHOD, exclude_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      table_space, exclude_props::PROP_TABLE_SPACE, exclude_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      with, exclude_props::PROP_WITH, exclude_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      include, exclude_props::PROP_INCLUDE, exclude_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      where, exclude_props::PROP_WHERE, exclude_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      deferrable, exclude_props::PROP_DEFERRABLE, exclude_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      elements, exclude_props::PROP_ELEMENTS, exclude_props::properties,
                      const gchar*, NULL)
