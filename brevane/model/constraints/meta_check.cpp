#include "brevane/model/constraints/meta_check.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaCheck

struct _TarvexBrevaneMetaModelMetaCheckPrivate {};

enum {
  CHECK_PROP_0,
  CHECK_PROP_ENFORCED,
  CHECK_PROP_NO_INHERIT,
  CHECK_PROP_CHECK,
  CHECK_PROP_DEFERRABLE,
};

static const PropDecl check_decls[] = {
    boolean("enforced"),
    boolean("no-inherit", true),
    text("check"),
    text("deferrable"),
};
static PropClass check_props(check_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)

static TarvexProvidersContractsDBObject check_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_CHECK;
}

static void tarvex_brevane_meta_model_meta_check_class_setup(
    TarvexBrevaneMetaModelMetaCheckClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = check_character;
  check_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                TARVEX_BREVANE_META_MODEL_TYPE_META_CHECK)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                      enforced, CHECK_PROP_ENFORCED, check_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                      no_inherit, CHECK_PROP_NO_INHERIT, check_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check, check,
                      CHECK_PROP_CHECK, check_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaCheck, tarvex_brevane_meta_model_meta_check,
                      deferrable, CHECK_PROP_DEFERRABLE, check_props, const gchar*, NULL)

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
