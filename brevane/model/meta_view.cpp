#include "brevane/model/meta_view.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

#include "brevane/model/view-columns-private.h"

// ------------------------------------------------------------ MetaView

struct _TarvexBrevaneMetaModelMetaViewPrivate {};

static void view_definition_changed(GObject* self, guint id);

namespace view_props {
enum { PROP_0, PROP_DEFINITION, PROP_COLUMNS, N_PROPERTIES };

static const PropDecl decls[] = {
    text("definition", kAlwaysNotify),
    obj_list("columns", tarvex_brevane_meta_model_meta_column_get_type, kReadOnly | kKeepOnReset),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls, view_definition_changed);
}  // namespace view_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaView, tarvex_brevane_meta_model_meta_view,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject view_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW;
}

static void tarvex_brevane_meta_model_meta_view_class_setup(
    TarvexBrevaneMetaModelMetaViewClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = view_character;
  view_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaView, tarvex_brevane_meta_model_meta_view,
                TARVEX_BREVANE_META_MODEL_TYPE_META_VIEW)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaView, tarvex_brevane_meta_model_meta_view,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_VIEW)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaView, tarvex_brevane_meta_model_meta_view,
                      definition, view_props::PROP_DEFINITION, view_props::properties, const gchar*,
                      NULL)
GeeArrayList* tarvex_brevane_meta_model_meta_view_get_columns(
    TarvexBrevaneMetaModelMetaView* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return get<GeeArrayList*>(self, view_props::properties, view_props::PROP_COLUMNS);
}

// ------------------------------------------------------------ Materialized

struct _TarvexBrevaneMetaModelMaterializedPrivate {};

namespace materialized_props {
enum { PROP_0, PROP_TABLE_SPACE, PROP_DEFINER, PROP_FILL_FACTOR, PROP_WITH_DATA, N_PROPERTIES };

static const PropDecl decls[] = {
    text("table-space"),
    text("definer"),
    text("fill-factor"),
    boolean("with-data", true),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace materialized_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMaterialized, tarvex_brevane_meta_model_materialized,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_VIEW)

static void tarvex_brevane_meta_model_materialized_class_setup(
    TarvexBrevaneMetaModelMaterializedClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  materialized_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMaterialized, tarvex_brevane_meta_model_materialized,
                TARVEX_BREVANE_META_MODEL_TYPE_MATERIALIZED)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMaterialized,
                           tarvex_brevane_meta_model_materialized,
                           TARVEX_BREVANE_META_MODEL_TYPE_MATERIALIZED)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMaterialized, tarvex_brevane_meta_model_materialized,
                      table_space, materialized_props::PROP_TABLE_SPACE,
                      materialized_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMaterialized, tarvex_brevane_meta_model_materialized,
                      definer, materialized_props::PROP_DEFINER, materialized_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMaterialized, tarvex_brevane_meta_model_materialized,
                      fill_factor, materialized_props::PROP_FILL_FACTOR,
                      materialized_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMaterialized, tarvex_brevane_meta_model_materialized,
                      with_data, materialized_props::PROP_WITH_DATA, materialized_props::properties,
                      gboolean, FALSE)

// Rebuilds the column list from the definition just stored. A text without
// a select list leaves the list as it was.
static void view_definition_changed(GObject* self, guint id) {
  if (id != view_props::PROP_DEFINITION) return;
  const char* definition =
      get<const gchar*>(self, view_props::properties, view_props::PROP_DEFINITION);
  auto items = read_view_columns(definition ? definition : "");
  GeeArrayList* columns =
      get<GeeArrayList*>(self, view_props::properties, view_props::PROP_COLUMNS);
  if (items.empty() || !columns) return;
  gee_abstract_collection_clear(GEE_ABSTRACT_COLLECTION(columns));
  for (const auto& item : items) {
    auto column = adoptGRef(tarvex_brevane_meta_model_meta_column_new());
    tarvex_brevane_meta_model_meta_object_set_name(
        TARVEX_BREVANE_META_MODEL_META_OBJECT(column.get()), item.name.c_str());
    tarvex_brevane_meta_model_meta_column_set_raw_type(column.get(), item.raw.c_str());
    gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(columns), column.get());
  }
}
