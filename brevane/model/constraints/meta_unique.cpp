#include "brevane/model/constraints/meta_unique.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaUnique

struct _TarvexBrevaneMetaModelMetaUniquePrivate {};

enum {
  UNIQUE_PROP_0,
  UNIQUE_PROP_COLUMNS,
  UNIQUE_PROP_CONFLICT,
  UNIQUE_PROP_IS_PRIMARY_KEY,
  UNIQUE_PROP_TABLE_SPACE,
  UNIQUE_PROP_WITH,
  UNIQUE_PROP_INCLUDE,
  UNIQUE_PROP_DEFERRABLE,
};

static const PropDecl unique_decls[] = {
    text("columns"), text("conflict"), boolean("is-primary-key"), text("table-space"),
    text("with"),    text("include"),  text("deferrable"),
};
static PropClass unique_props(unique_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)

static TarvexProvidersContractsDBObject unique_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_UNIQUE;
}

static void tarvex_brevane_meta_model_meta_unique_class_setup(
    TarvexBrevaneMetaModelMetaUniqueClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = unique_character;
  unique_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                TARVEX_BREVANE_META_MODEL_TYPE_META_UNIQUE)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_UNIQUE)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      columns, UNIQUE_PROP_COLUMNS, unique_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      conflict, UNIQUE_PROP_CONFLICT, unique_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      is_primary_key, UNIQUE_PROP_IS_PRIMARY_KEY, unique_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      table_space, UNIQUE_PROP_TABLE_SPACE, unique_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique, with,
                      UNIQUE_PROP_WITH, unique_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      include, UNIQUE_PROP_INCLUDE, unique_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      deferrable, UNIQUE_PROP_DEFERRABLE, unique_props, const gchar*, NULL)
