#include "brevane/model/constraints/meta_check.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaCheck

struct _TarvexBrevaneMetaModelMetaCheckPrivate {};

namespace check_props {
enum { PROP_0, PROP_ENFORCED, PROP_NO_INHERIT, PROP_CHECK, PROP_DEFERRABLE, N_PROPERTIES };

static const PropDecl decls[] = {
    boolean("enforced"),
    boolean("no-inherit", true),
    text("check"),
    text("deferrable"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace check_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)

static TarvexProvidersContractsDBObject check_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_CHECK;
}

static void tarvex_brevane_meta_model_meta_check_class_setup(
    TarvexBrevaneMetaModelMetaCheckClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = check_character;
  check_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                TARVEX_BREVANE_META_MODEL_TYPE_META_CHECK)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                      enforced, check_props::PROP_ENFORCED, check_props::properties, gboolean,
                      FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                      no_inherit, check_props::PROP_NO_INHERIT, check_props::properties, gboolean,
                      FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check, check,
                      check_props::PROP_CHECK, check_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                      deferrable, check_props::PROP_DEFERRABLE, check_props::properties,
                      const gchar*, NULL)

TarvexBrevaneMetaModelMetaCheck* tarvex_brevane_meta_model_meta_check_construct_with_names(
    GType object_type, const gchar* database, const gchar* schema, const gchar* name,
    const gchar* expr) {
  g_return_val_if_fail(database != NULL, NULL);
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(name != NULL, NULL);
  g_return_val_if_fail(expr != NULL, NULL);
  auto* self = tarvex_brevane_meta_model_meta_check_construct(object_type);
  tarvex_brevane_meta_model_meta_check_set_check(self, expr);
  set_names(self, database, schema, name);
  return self;
}

TarvexBrevaneMetaModelMetaCheck* tarvex_brevane_meta_model_meta_check_new_with_names(
    const gchar* database, const gchar* schema, const gchar* name, const gchar* expr) {
  g_return_val_if_fail(database != NULL, NULL);
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(name != NULL, NULL);
  g_return_val_if_fail(expr != NULL, NULL);
  return tarvex_brevane_meta_model_meta_check_construct_with_names(
      TARVEX_BREVANE_META_MODEL_TYPE_META_CHECK, database, schema, name, expr);
}
