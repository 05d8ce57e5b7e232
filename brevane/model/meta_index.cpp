#include "brevane/model/meta_index.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaIndex

struct _TarvexBrevaneMetaModelMetaIndexPrivate {};

enum {
  INDEX_PROP_0,
  INDEX_PROP_ENTITY,
  INDEX_PROP_CLASS,
  INDEX_PROP_METHOD,
  INDEX_PROP_PARSER,
  INDEX_PROP_ALGORITHM,
  INDEX_PROP_LOCK,
  INDEX_PROP_WHERE,
  INDEX_PROP_TABLE_SPACE,
  INDEX_PROP_WITH,
  INDEX_PROP_INCLUDE,
  INDEX_PROP_KIND,
  INDEX_PROP_IS_CONCURRENT,
  INDEX_PROP_IS_ONLY,
  INDEX_PROP_IS_VISIBLE,
  INDEX_PROP_IS_CLUSTERED,
  INDEX_PROP_KEY_BLOCK_SIZE,
  INDEX_PROP_COLUMNS,
};

static const PropDecl index_decls[] = {
    text("entity"),
    text("class"),
    text("method"),
    text("parser"),
    text("algorithm"),
    text("lock"),
    text("where"),
    text("table-space"),
    text("with"),
    text("include"),
    text("kind"),
    boolean("is-concurrent"),
    boolean("is-only"),
    boolean("is-visible"),
    boolean("is-clustered"),
    uint64("key-block-size"),
    str_list("columns", kOwned | kAlwaysNotify),
};
static PropClass index_props(index_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject index_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_INDEX;
}

static void tarvex_brevane_meta_model_meta_index_class_setup(
    TarvexBrevaneMetaModelMetaIndexClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = index_character;
  index_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                TARVEX_BREVANE_META_MODEL_TYPE_META_INDEX)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, entity,
                      INDEX_PROP_ENTITY, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, class,
                      INDEX_PROP_CLASS, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, method,
                      INDEX_PROP_METHOD, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, parser,
                      INDEX_PROP_PARSER, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      algorithm, INDEX_PROP_ALGORITHM, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, lock,
                      INDEX_PROP_LOCK, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, where,
                      INDEX_PROP_WHERE, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      table_space, INDEX_PROP_TABLE_SPACE, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, with,
                      INDEX_PROP_WITH, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      include, INDEX_PROP_INCLUDE, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, kind,
                      INDEX_PROP_KIND, index_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      is_concurrent, INDEX_PROP_IS_CONCURRENT, index_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      is_only, INDEX_PROP_IS_ONLY, index_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      is_visible, INDEX_PROP_IS_VISIBLE, index_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      is_clustered, INDEX_PROP_IS_CLUSTERED, index_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      key_block_size, INDEX_PROP_KEY_BLOCK_SIZE, index_props, guint64, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      columns, INDEX_PROP_COLUMNS, index_props, GeeArrayList*, NULL)

TarvexBrevaneMetaModelMetaIndex* tarvex_brevane_meta_model_meta_index_construct_with_names(
    GType object_type, const gchar* database, const gchar* schema, const gchar* entity,
    const gchar* name) {
  g_return_val_if_fail(database != NULL, NULL);
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(entity != NULL, NULL);
  g_return_val_if_fail(name != NULL, NULL);
  auto* self = tarvex_brevane_meta_model_meta_index_construct(object_type);
  auto* object = TARVEX_BREVANE_META_MODEL_META_OBJECT(self);
  tarvex_brevane_meta_model_meta_object_set_name(object, name);
  tarvex_brevane_meta_model_meta_index_set_entity(self, entity);
  tarvex_brevane_meta_model_meta_object_set_schema(object, schema);
  tarvex_brevane_meta_model_meta_object_set_database(object, database);
  return self;
}

TarvexBrevaneMetaModelMetaIndex* tarvex_brevane_meta_model_meta_index_new_with_names(
    const gchar* database, const gchar* schema, const gchar* entity, const gchar* name) {
  g_return_val_if_fail(database != NULL, NULL);
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(entity != NULL, NULL);
  g_return_val_if_fail(name != NULL, NULL);
  return tarvex_brevane_meta_model_meta_index_construct_with_names(
      TARVEX_BREVANE_META_MODEL_TYPE_META_INDEX, database, schema, entity, name);
}

void tarvex_brevane_meta_model_meta_index_append(TarvexBrevaneMetaModelMetaIndex* self,
                                                 const gchar* column) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(column != NULL);
  GeeArrayList* columns = tarvex_brevane_meta_model_meta_index_get_columns(self);
  if (columns) gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(columns), column);
}
