#include "brevane/model/meta_index.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaIndex

struct _TarvexBrevaneMetaModelMetaIndexPrivate {};

namespace index_props {
enum {
  PROP_0,
  PROP_ENTITY,
  PROP_CLASS,
  PROP_METHOD,
  PROP_PARSER,
  PROP_ALGORITHM,
  PROP_LOCK,
  PROP_WHERE,
  PROP_TABLE_SPACE,
  PROP_WITH,
  PROP_INCLUDE,
  PROP_KIND,
  PROP_IS_CONCURRENT,
  PROP_IS_ONLY,
  PROP_IS_VISIBLE,
  PROP_IS_CLUSTERED,
  PROP_KEY_BLOCK_SIZE,
  PROP_COLUMNS,
  N_PROPERTIES
};

static const PropDecl decls[] = {
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
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace index_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject index_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_INDEX;
}

static void tarvex_brevane_meta_model_meta_index_class_setup(
    TarvexBrevaneMetaModelMetaIndexClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = index_character;
  index_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                TARVEX_BREVANE_META_MODEL_TYPE_META_INDEX)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, entity,
                      index_props::PROP_ENTITY, index_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, class,
                      index_props::PROP_CLASS, index_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, method,
                      index_props::PROP_METHOD, index_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, parser,
                      index_props::PROP_PARSER, index_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      algorithm, index_props::PROP_ALGORITHM, index_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, lock,
                      index_props::PROP_LOCK, index_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, where,
                      index_props::PROP_WHERE, index_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      table_space, index_props::PROP_TABLE_SPACE, index_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, with,
                      index_props::PROP_WITH, index_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      include, index_props::PROP_INCLUDE, index_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index, kind,
                      index_props::PROP_KIND, index_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      is_concurrent, index_props::PROP_IS_CONCURRENT, index_props::properties,
                      gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      is_only, index_props::PROP_IS_ONLY, index_props::properties, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      is_visible, index_props::PROP_IS_VISIBLE, index_props::properties, gboolean,
                      FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      is_clustered, index_props::PROP_IS_CLUSTERED, index_props::properties,
                      gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      key_block_size, index_props::PROP_KEY_BLOCK_SIZE, index_props::properties,
                      guint64, 0)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaIndex, tarvex_brevane_meta_model_meta_index,
                      columns, index_props::PROP_COLUMNS, index_props::properties, GeeArrayList*,
                      NULL)

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
