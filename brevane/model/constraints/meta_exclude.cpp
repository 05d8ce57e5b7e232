#include "brevane/model/constraints/meta_exclude.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaExclude

struct _TarvexBrevaneMetaModelMetaExcludePrivate {};

enum {
  EXCLUDE_PROP_0,
  EXCLUDE_PROP_INDEX_METHOD,
  EXCLUDE_PROP_TABLE_SPACE,
  EXCLUDE_PROP_WITH,
  EXCLUDE_PROP_INCLUDE,
  EXCLUDE_PROP_WHERE,
  EXCLUDE_PROP_DEFERRABLE,
  EXCLUDE_PROP_ELEMENTS,
};

static const PropDecl exclude_decls[] = {
    text("index-method"), text("table-space"), text("with"),     text("include"),
    text("where"),        text("deferrable"),  text("elements"),
};
static PropClass exclude_props(exclude_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)

static TarvexProvidersContractsDBObject exclude_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EXCLUDE;
}

static void tarvex_brevane_meta_model_meta_exclude_class_setup(
    TarvexBrevaneMetaModelMetaExcludeClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = exclude_character;
  exclude_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                TARVEX_BREVANE_META_MODEL_TYPE_META_EXCLUDE)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaExclude,
                           tarvex_brevane_meta_model_meta_exclude,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_EXCLUDE)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      index_method, EXCLUDE_PROP_INDEX_METHOD, exclude_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      table_space, EXCLUDE_PROP_TABLE_SPACE, exclude_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      with, EXCLUDE_PROP_WITH, exclude_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      include, EXCLUDE_PROP_INCLUDE, exclude_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      where, EXCLUDE_PROP_WHERE, exclude_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      deferrable, EXCLUDE_PROP_DEFERRABLE, exclude_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaExclude, tarvex_brevane_meta_model_meta_exclude,
                      elements, EXCLUDE_PROP_ELEMENTS, exclude_props, const gchar*, NULL)
