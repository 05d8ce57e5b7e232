#include "providers/contracts/data_set_model.h"

#include "providers/contracts/gee-list-private.h"
#include "providers/contracts/model-json-private.h"

using namespace tarvex;

struct _TarvexProvidersContractsDataSetModelPrivate {
  GRef<GeeArrayList> tables =
      adoptGRef(gee::new_object_list(tarvex_providers_contracts_table_model_get_type()));
};

static void data_set_model_list_model_init(GListModelInterface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexProvidersContractsDataSetModel, tarvex_providers_contracts_data_set_model, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(G_TYPE_LIST_MODEL, data_set_model_list_model_init)
        G_IMPLEMENT_INTERFACE(JSON_TYPE_SERIALIZABLE, models::data_set_serializable_init))

namespace {

enum { PROP_0, PROP_TABLES, N_PROPERTIES };
GParamSpec* properties[N_PROPERTIES];

inline GeeArrayList* tables_of(gconstpointer self) {
  return tarvex_providers_contracts_data_set_model_get_private(self)->tables.get();
}

void get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  switch (prop_id) {
    case PROP_TABLES:
      g_value_set_object(value, tables_of(object));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

GType list_get_item_type(GListModel*) {
  return tarvex_providers_contracts_table_model_get_type();
}

guint list_get_n_items(GListModel* model) {
  return guint(gee::size(tables_of(model)));
}

gpointer list_get_item(GListModel* model, guint position) {
  GeeArrayList* tables = tables_of(model);
  if (position >= guint(gee::size(tables))) return nullptr;
  return gee::at(tables, gint(position)).leak();
}

}  // namespace

static void data_set_model_list_model_init(GListModelInterface* iface) {
  iface->get_item_type = list_get_item_type;
  iface->get_n_items = list_get_n_items;
  iface->get_item = list_get_item;
}

static void tarvex_providers_contracts_data_set_model_class_setup(
    TarvexProvidersContractsDataSetModelClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = get_property;
  properties[PROP_TABLES] =
      g_param_spec_object("tables", "tables", "tables", GEE_TYPE_ARRAY_LIST,
                          GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS));
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsDataSetModel* tarvex_providers_contracts_data_set_model_construct(
    GType object_type) {
  return static_cast<TarvexProvidersContractsDataSetModel*>(g_object_new(object_type, nullptr));
}

TarvexProvidersContractsDataSetModel* tarvex_providers_contracts_data_set_model_new(void) {
  return tarvex_providers_contracts_data_set_model_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_DATA_SET_MODEL);
}

GeeArrayList* tarvex_providers_contracts_data_set_model_get_tables(
    TarvexProvidersContractsDataSetModel* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return tables_of(self);
}
