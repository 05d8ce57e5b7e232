#include "brevane/model/constraints/meta_unique.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaUnique

struct _TarvexBrevaneMetaModelMetaUniquePrivate {};

namespace unique_props {
enum {
  PROP_0,
  PROP_COLUMNS,
  PROP_CONFLICT,
  PROP_IS_PRIMARY_KEY,
  PROP_TABLE_SPACE,
  PROP_WITH,
  PROP_INCLUDE,
  PROP_DEFERRABLE,
  N_PROPERTIES
};

static const PropDecl decls[] = {
    text("columns"), text("conflict"), boolean("is-primary-key"), text("table-space"),
    text("with"),    text("include"),  text("deferrable"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace unique_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)

static TarvexProvidersContractsDBObject unique_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_UNIQUE;
}

static void tarvex_brevane_meta_model_meta_unique_class_setup(
    TarvexBrevaneMetaModelMetaUniqueClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = unique_character;
  unique_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                TARVEX_BREVANE_META_MODEL_TYPE_META_UNIQUE)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_UNIQUE)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      columns, unique_props::PROP_COLUMNS, unique_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      conflict, unique_props::PROP_CONFLICT, unique_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      is_primary_key, unique_props::PROP_IS_PRIMARY_KEY, unique_props::properties,
                      gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      table_space, unique_props::PROP_TABLE_SPACE, unique_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique, with,
                      unique_props::PROP_WITH, unique_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      include, unique_props::PROP_INCLUDE, unique_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaUnique, tarvex_brevane_meta_model_meta_unique,
                      deferrable, unique_props::PROP_DEFERRABLE, unique_props::properties,
                      const gchar*, NULL)
