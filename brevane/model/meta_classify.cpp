#include "brevane/model/meta_classify.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

struct _TarvexBrevaneMetaModelMetaClassifyPrivate {
  // Not a property: given once at construction.
  TarvexProvidersContractsDBObject kind = TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_UNKNOWN;
};

namespace classify_props {
enum { PROP_0, PROP_CHILDREN, N_PROPERTIES };

static const PropDecl decls[] = {list_model("children")};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace classify_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaClassify, tarvex_brevane_meta_model_meta_classify,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject classify_character(TarvexBrevaneMetaModelMetaObject* self) {
  return tarvex_brevane_meta_model_meta_classify_get_private(self)->kind;
}

// The kind is a plain field, so the property copy alone would lose it.
static TarvexBrevaneMetaModelMetaObject* classify_clone(TarvexBrevaneMetaModelMetaObject* self) {
  auto* parent = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(
      tarvex_brevane_meta_model_meta_classify_parent_class);
  TarvexBrevaneMetaModelMetaObject* copy = parent->clone(self);
  if (copy && TARVEX_BREVANE_META_MODEL_IS_META_CLASSIFY(copy))
    tarvex_brevane_meta_model_meta_classify_get_private(copy)->kind =
        tarvex_brevane_meta_model_meta_classify_get_private(self)->kind;
  return copy;
}

static void tarvex_brevane_meta_model_meta_classify_class_setup(
    TarvexBrevaneMetaModelMetaClassifyClass* klass) {
  auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = classify_character;
  meta->clone = classify_clone;
  classify_props::properties.install(G_OBJECT_CLASS(klass));
}

#define CLASSIFY_CHECKS(ret)                   \
  g_return_val_if_fail(database != NULL, ret); \
  g_return_val_if_fail(schema != NULL, ret);   \
  g_return_val_if_fail(label != NULL, ret)

TarvexBrevaneMetaModelMetaClassify* tarvex_brevane_meta_model_meta_classify_construct(
    GType object_type, TarvexProvidersContractsDBObject kind, const gchar* database,
    const gchar* schema, const gchar* label) {
  CLASSIFY_CHECKS(NULL);
  auto* self = static_cast<TarvexBrevaneMetaModelMetaClassify*>(g_object_new(object_type, nullptr));
  tarvex_brevane_meta_model_meta_classify_get_private(self)->kind = kind;
  set_names(self, database, schema, label);
  return self;
}

TarvexBrevaneMetaModelMetaClassify* tarvex_brevane_meta_model_meta_classify_new(
    TarvexProvidersContractsDBObject kind, const gchar* database, const gchar* schema,
    const gchar* label) {
  CLASSIFY_CHECKS(NULL);
  return tarvex_brevane_meta_model_meta_classify_construct(
      TARVEX_BREVANE_META_MODEL_TYPE_META_CLASSIFY, kind, database, schema, label);
}

TarvexBrevaneMetaModelMetaClassify* tarvex_brevane_meta_model_meta_classify_construct_with_model(
    GType object_type, TarvexProvidersContractsDBObject kind, const gchar* database,
    const gchar* schema, const gchar* label, GListModel* list_model) {
  CLASSIFY_CHECKS(NULL);
  g_return_val_if_fail(list_model != NULL, NULL);
  auto* self =
      tarvex_brevane_meta_model_meta_classify_construct(object_type, kind, database, schema, label);
  set<GListModel*>(self, classify_props::properties, classify_props::PROP_CHILDREN, list_model);
  return self;
}

TarvexBrevaneMetaModelMetaClassify* tarvex_brevane_meta_model_meta_classify_new_with_model(
    TarvexProvidersContractsDBObject kind, const gchar* database, const gchar* schema,
    const gchar* label, GListModel* list_model) {
  CLASSIFY_CHECKS(NULL);
  g_return_val_if_fail(list_model != NULL, NULL);
  return tarvex_brevane_meta_model_meta_classify_construct_with_model(
      TARVEX_BREVANE_META_MODEL_TYPE_META_CLASSIFY, kind, database, schema, label, list_model);
}

TarvexBrevaneMetaModelMetaClassify* tarvex_brevane_meta_model_meta_classify_construct_with_array(
    GType object_type, TarvexProvidersContractsDBObject kind, const gchar* database,
    const gchar* schema, const gchar* label, TarvexBrevaneMetaModelMetaObject** objects,
    gint count) {
  CLASSIFY_CHECKS(NULL);
  g_return_val_if_fail(objects != NULL || count <= 0, NULL);
  auto store = adoptGRef(g_list_store_new(TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT));
  for (gint i = 0; i < count; ++i) {
    TarvexBrevaneMetaModelMetaObject* object = objects[i];
    if (object && tarvex_brevane_meta_model_meta_object_character(object) == kind)
      g_list_store_append(store.get(), object);
  }
  auto* self =
      tarvex_brevane_meta_model_meta_classify_construct(object_type, kind, database, schema, label);
  set<GListModel*>(self, classify_props::properties, classify_props::PROP_CHILDREN,
                   G_LIST_MODEL(store.get()));
  return self;
}

TarvexBrevaneMetaModelMetaClassify* tarvex_brevane_meta_model_meta_classify_new_with_array(
    TarvexProvidersContractsDBObject kind, const gchar* database, const gchar* schema,
    const gchar* label, TarvexBrevaneMetaModelMetaObject** objects, gint count) {
  CLASSIFY_CHECKS(NULL);
  g_return_val_if_fail(objects != NULL || count <= 0, NULL);
  return tarvex_brevane_meta_model_meta_classify_construct_with_array(
      TARVEX_BREVANE_META_MODEL_TYPE_META_CLASSIFY, kind, database, schema, label, objects, count);
}

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaClassify, tarvex_brevane_meta_model_meta_classify,
                      children, classify_props::PROP_CHILDREN, classify_props::properties,
                      GListModel*, NULL)
