#include "brevane/model/constraints/meta_foreign_key.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaForeignKey

struct _TarvexBrevaneMetaModelMetaForeignKeyPrivate {};

namespace foreign_key_props {
enum {
  PROP_0,
  PROP_REFER_DATABASE,
  PROP_REFER_SCHEMA,
  PROP_REFER_TABLE,
  PROP_LOCAL_COLUMNS,
  PROP_REFER_COLUMNS,
  PROP_MATCH_METHOD,
  PROP_DELETE_ACTION,
  PROP_UPDATE_ACTION,
  PROP_DEFERRABLE,
  N_PROPERTIES
};

static const PropDecl decls[] = {
    text("refer-database"), text("refer-schema"),  text("refer-table"),
    text("local-columns"),  text("refer-columns"), text("match-method"),
    text("delete-action"),  text("update-action"), text("deferrable"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace foreign_key_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaForeignKey, tarvex_brevane_meta_model_meta_foreign_key,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_CONSTRAINT)

static TarvexProvidersContractsDBObject foreign_key_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FOREIGN;
}

static void tarvex_brevane_meta_model_meta_foreign_key_class_setup(
    TarvexBrevaneMetaModelMetaForeignKeyClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = foreign_key_character;
  foreign_key_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaForeignKey, tarvex_brevane_meta_model_meta_foreign_key,
                TARVEX_BREVANE_META_MODEL_TYPE_META_FOREIGN_KEY)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaForeignKey,
                           tarvex_brevane_meta_model_meta_foreign_key,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_FOREIGN_KEY)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, refer_database,
                      foreign_key_props::PROP_REFER_DATABASE, foreign_key_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, refer_schema,
                      foreign_key_props::PROP_REFER_SCHEMA, foreign_key_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, refer_table,
                      foreign_key_props::PROP_REFER_TABLE, foreign_key_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, local_columns,
                      foreign_key_props::PROP_LOCAL_COLUMNS, foreign_key_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, refer_columns,
                      foreign_key_props::PROP_REFER_COLUMNS, foreign_key_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, match_method,
                      foreign_key_props::PROP_MATCH_METHOD, foreign_key_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, delete_action,
                      foreign_key_props::PROP_DELETE_ACTION, foreign_key_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, update_action,
                      foreign_key_props::PROP_UPDATE_ACTION, foreign_key_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaForeignKey,
                      tarvex_brevane_meta_model_meta_foreign_key, deferrable,
                      foreign_key_props::PROP_DEFERRABLE, foreign_key_props::properties,
                      const gchar*, NULL)

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
