#include "brevane/model/meta_database.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

static gchar* database_fullname(TarvexBrevaneMetaModelMetaObject* self, gboolean with_database,
                                gboolean with_kind) {
  if (!with_kind) return with_database ? g_strdup_printf("%s..", object_name(self)) : g_strdup(".");
  GUniqueStr kind(kind_text(self));
  return with_database ? g_strdup_printf("%s:%s..", kind.get(), object_name(self))
                       : g_strdup_printf("%s:.", kind.get());
}

struct _TarvexBrevaneMetaModelMetaDatabasePrivate {};

namespace database_props {
enum { PROP_0, PROP_SCHEMAS, N_PROPERTIES };

static const PropDecl decls[] = {
    obj_list("schemas", tarvex_brevane_meta_model_meta_schema_get_type, kOwned),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace database_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaDatabase, tarvex_brevane_meta_model_meta_database,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject database_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_DATABASE;
}

static void tarvex_brevane_meta_model_meta_database_class_setup(
    TarvexBrevaneMetaModelMetaDatabaseClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = database_character;
  meta->fullname = database_fullname;
  database_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaDatabase, tarvex_brevane_meta_model_meta_database,
                TARVEX_BREVANE_META_MODEL_TYPE_META_DATABASE)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaDatabase, tarvex_brevane_meta_model_meta_database,
                      schemas, database_props::PROP_SCHEMAS, database_props::properties,
                      GeeArrayList*, NULL)

TarvexBrevaneMetaModelMetaDatabase* tarvex_brevane_meta_model_meta_database_construct_with_name(
    GType object_type, const gchar* database) {
  g_return_val_if_fail(database != NULL, NULL);
  auto* self = tarvex_brevane_meta_model_meta_database_construct(object_type);
  set_names(self, database, database, database);
  return self;
}

TarvexBrevaneMetaModelMetaDatabase* tarvex_brevane_meta_model_meta_database_new_with_name(
    const gchar* database) {
  g_return_val_if_fail(database != NULL, NULL);
  return tarvex_brevane_meta_model_meta_database_construct_with_name(
      TARVEX_BREVANE_META_MODEL_TYPE_META_DATABASE, database);
}

TarvexBrevaneMetaModelMetaSchema* tarvex_brevane_meta_model_meta_database_append(
    TarvexBrevaneMetaModelMetaDatabase* self, const gchar* schema_name) {
  g_return_val_if_fail(self != NULL, NULL);
  g_return_val_if_fail(schema_name != NULL, NULL);
  GeeArrayList* schemas = tarvex_brevane_meta_model_meta_database_get_schemas(self);
  if (schemas) {
    gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(schemas));
    for (gint i = 0; i < n; ++i) {
      auto* schema = static_cast<TarvexBrevaneMetaModelMetaSchema*>(
          gee_abstract_list_get(GEE_ABSTRACT_LIST(schemas), i));
      if (str_equal0(object_name(TARVEX_BREVANE_META_MODEL_META_OBJECT(schema)), schema_name))
        return schema;
      g_object_unref(schema);
    }
  }
  auto* schema = tarvex_brevane_meta_model_meta_schema_new_with_names(
      object_name(TARVEX_BREVANE_META_MODEL_META_OBJECT(self)), schema_name);
  if (schemas) gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(schemas), schema);
  return schema;
}
