#include "brevane/model/constraints/meta_foreign_key.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaForeignKey

struct _TarvexBrevaneMetaModelMetaForeignKeyPrivate {};

enum {
  FOREIGN_KEY_PROP_0,
  FOREIGN_KEY_PROP_REFER_DATABASE,
  FOREIGN_KEY_PROP_REFER_SCHEMA,
  FOREIGN_KEY_PROP_REFER_TABLE,
  FOREIGN_KEY_PROP_LOCAL_COLUMNS,
  FOREIGN_KEY_PROP_REFER_COLUMNS,
  FOREIGN_KEY_PROP_MATCH_METHOD,
  FOREIGN_KEY_PROP_DELETE_ACTION,
  FOREIGN_KEY_PROP_UPDATE_ACTION,
  FOREIGN_KEY_PROP_DEFERRABLE,
};

static const PropDecl foreign_key_decls[] = {
    text("refer-database"), text("refer-schema"),  text("refer-table"),
    text("local-columns"),  text("refer-columns"), text("match-method"),
    text("delete-action"),  text("update-action"), text("deferrable"),
};
static PropClass foreign_key_props(foreign_key_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaForeignKey, tarvex_brevane_meta_model_meta_foreign_key,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)

static TarvexProvidersContractsDBObject foreign_key_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FOREIGN;
}

static void tarvex_brevane_meta_model_meta_foreign_key_class_setup(
    TarvexBrevaneMetaModelMetaForeignKeyClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = foreign_key_character;
  foreign_key_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaForeignKey, tarvex_brevane_meta_model_meta_foreign_key,
                TARVEX_BREVANE_META_MODEL_TYPE_META_FOREIGN_KEY)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaForeignKey,
                           tarvex_brevane_meta_model_meta_foreign_key,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_FOREIGN_KEY)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, refer_database,
                      FOREIGN_KEY_PROP_REFER_DATABASE, foreign_key_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, refer_schema,
                      FOREIGN_KEY_PROP_REFER_SCHEMA, foreign_key_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, refer_table,
                      FOREIGN_KEY_PROP_REFER_TABLE, foreign_key_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, local_columns,
                      FOREIGN_KEY_PROP_LOCAL_COLUMNS, foreign_key_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, refer_columns,
                      FOREIGN_KEY_PROP_REFER_COLUMNS, foreign_key_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, match_method,
                      FOREIGN_KEY_PROP_MATCH_METHOD, foreign_key_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, delete_action,
                      FOREIGN_KEY_PROP_DELETE_ACTION, foreign_key_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, update_action,
                      FOREIGN_KEY_PROP_UPDATE_ACTION, foreign_key_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, deferrable,
                      FOREIGN_KEY_PROP_DEFERRABLE, foreign_key_props, const gchar*, NULL)

TarvexBrevaneMetaModelMetaForeignKey*
tarvex_brevane_meta_model_meta_foreign_key_construct_with_refer(
    GType object_type, const gchar* database, const gchar* schema, const gchar* name,
    const gchar* refer_schema, const gchar* refere_table) {
  g_return_val_if_fail(database != NULL, NULL);
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(name != NULL, NULL);
  g_return_val_if_fail(refer_schema != NULL, NULL);
  g_return_val_if_fail(refere_table != NULL, NULL);
  auto* self = tarvex_brevane_meta_model_meta_foreign_key_construct(object_type);
  set_names(self, database, schema, name);
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_schema(self, refer_schema);
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_table(self, refere_table);
  return self;
}

TarvexBrevaneMetaModelMetaForeignKey* tarvex_brevane_meta_model_meta_foreign_key_new_with_refer(
    const gchar* database, const gchar* schema, const gchar* name, const gchar* refer_schema,
    const gchar* refere_table) {
  g_return_val_if_fail(database != NULL, NULL);
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(name != NULL, NULL);
  g_return_val_if_fail(refer_schema != NULL, NULL);
  g_return_val_if_fail(refere_table != NULL, NULL);
  return tarvex_brevane_meta_model_meta_foreign_key_construct_with_refer(
      TARVEX_BREVANE_META_MODEL_TYPE_META_FOREIGN_KEY, database, schema, name, refer_schema,
      refere_table);
}
