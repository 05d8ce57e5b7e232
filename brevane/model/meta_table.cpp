#include "brevane/model/meta_table.h"

#include "brevane/model/constraints/meta_check.h"
#include "brevane/model/constraints/meta_exclude.h"
#include "brevane/model/constraints/meta_foreign_key.h"
#include "brevane/model/constraints/meta_unique.h"
#include "brevane/model/meta-private.h"
#include "brevane/model/meta_index.h"
#include "brevane/model/meta_rule.h"
#include "brevane/model/meta_trigger.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaTable

struct _TarvexBrevaneMetaModelMetaTablePrivate {};

namespace table_props {
enum {
  PROP_0,
  PROP_CONSTRAINTS,
  PROP_COLUMNS,
  PROP_INDEXES,
  PROP_RULES,
  PROP_TRIGGERS,
  PROP_OPTIONS,
  N_PROPERTIES
};

static const PropDecl decls[] = {
    obj_list("constraints", tarvex_brevane_meta_model_meta_constraint_get_type, kOwned | kTagged),
    obj_list("columns", tarvex_brevane_meta_model_meta_column_get_type, kOwned),
    obj_list("indexes", tarvex_brevane_meta_model_meta_index_get_type, kOwned),
    obj_list("rules", tarvex_brevane_meta_model_meta_rule_get_type, kOwned),
    obj_list("triggers", tarvex_brevane_meta_model_meta_trigger_get_type, kOwned),
    str_map("options", kOwned),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace table_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaTable, tarvex_brevane_meta_model_meta_table,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject table_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE;
}

static void tarvex_brevane_meta_model_meta_table_class_setup(
    TarvexBrevaneMetaModelMetaTableClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = table_character;
  table_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaTable, tarvex_brevane_meta_model_meta_table,
                TARVEX_BREVANE_META_MODEL_TYPE_META_TABLE)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaTable, tarvex_brevane_meta_model_meta_table,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_TABLE)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTable, tarvex_brevane_meta_model_meta_table,
                      constraints, table_props::PROP_CONSTRAINTS, table_props::properties,
                      GeeArrayList*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTable, tarvex_brevane_meta_model_meta_table,
                      columns, table_props::PROP_COLUMNS, table_props::properties, GeeArrayList*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTable, tarvex_brevane_meta_model_meta_table,
                      indexes, table_props::PROP_INDEXES, table_props::properties, GeeArrayList*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTable, tarvex_brevane_meta_model_meta_table, rules,
                      table_props::PROP_RULES, table_props::properties, GeeArrayList*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTable, tarvex_brevane_meta_model_meta_table,
                      triggers, table_props::PROP_TRIGGERS, table_props::properties, GeeArrayList*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTable, tarvex_brevane_meta_model_meta_table,
                      options, table_props::PROP_OPTIONS, table_props::properties, GeeHashMap*,
                      NULL)

TarvexBrevaneMetaModelMetaColumn* tarvex_brevane_meta_model_meta_table_get_column(
    TarvexBrevaneMetaModelMetaTable* self, const gchar* name) {
  g_return_val_if_fail(self != NULL, NULL);
  g_return_val_if_fail(name != NULL, NULL);
  GeeArrayList* columns = tarvex_brevane_meta_model_meta_table_get_columns(self);
  if (!columns) return nullptr;
  gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(columns));
  for (gint i = 0; i < n; ++i) {
    auto* column = static_cast<TarvexBrevaneMetaModelMetaColumn*>(
        gee_abstract_list_get(GEE_ABSTRACT_LIST(columns), i));
    const char* column_name = tarvex_brevane_meta_model_meta_object_get_name(
        TARVEX_BREVANE_META_MODEL_META_OBJECT(column));
    if (str_equal0(column_name, name)) return column;
    g_object_unref(column);
  }
  return nullptr;
}

TarvexBrevaneMetaModelMetaColumn* tarvex_brevane_meta_model_meta_table_new_column(
    TarvexBrevaneMetaModelMetaTable* self, const gchar* name,
    TarvexProvidersContractsDataType data_type) {
  g_return_val_if_fail(self != NULL, NULL);
  g_return_val_if_fail(name != NULL, NULL);
  auto* column = tarvex_brevane_meta_model_meta_column_new_with_type(name, data_type, "");
  if (GeeArrayList* columns = tarvex_brevane_meta_model_meta_table_get_columns(self))
    gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(columns), column);
  return column;
}

void tarvex_brevane_meta_model_meta_table_reset_partial(TarvexBrevaneMetaModelMetaTable* self,
                                                        TarvexProvidersContractsDBObject kind) {
  g_return_if_fail(self != NULL);
  if (kind == TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_COLUMN) {
    clear_container(tarvex_brevane_meta_model_meta_table_get_columns(self));
    return;
  }
  GType type = 0;
  switch (kind) {
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_CHECK:
      type = TARVEX_BREVANE_META_MODEL_TYPE_META_CHECK;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EXCLUDE:
      type = TARVEX_BREVANE_META_MODEL_TYPE_META_EXCLUDE;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FOREIGN:
      type = TARVEX_BREVANE_META_MODEL_TYPE_META_FOREIGN_KEY;
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_UNIQUE:
      type = TARVEX_BREVANE_META_MODEL_TYPE_META_UNIQUE;
      break;
    default:
      return;
  }
  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(self);
  if (!constraints) return;
  auto* list = GEE_ABSTRACT_LIST(constraints);
  for (gint i = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(constraints)) - 1; i >= 0;
       --i) {
    auto element = adoptGRef(static_cast<GObject*>(gee_abstract_list_get(list, i)));
    if (element && G_TYPE_CHECK_INSTANCE_TYPE(element.get(), type))
      adoptGRef(static_cast<GObject*>(gee_abstract_list_remove_at(list, i)));
  }
}
