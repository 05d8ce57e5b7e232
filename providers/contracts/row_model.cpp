#include "providers/contracts/row_model.h"

#include <vector>

#include "providers/contracts/gee-list-private.h"
#include "providers/contracts/model-json-private.h"
#include "providers/contracts/table_model-private.h"

using namespace tarvex;

using Value = TarvexProvidersContractsValueObject;

// Until a caller asks for the "values" list, the values live in `pending`:
// a provider fills many rows, and a libgee list costs far more to make than
// the row itself. Once made, the list is the only store.
struct _TarvexProvidersContractsRowModelPrivate {
  TarvexProvidersContractsDataVersion version = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL;
  GRef<GeeArrayList> list;
  std::vector<GRef<Value>> pending;
};

static void row_model_list_model_init(GListModelInterface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexProvidersContractsRowModel, tarvex_providers_contracts_row_model,
                             G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(G_TYPE_LIST_MODEL, row_model_list_model_init)
                                 G_IMPLEMENT_INTERFACE(JSON_TYPE_SERIALIZABLE,
                                                       models::row_serializable_init))

namespace {

enum { PROP_0, PROP_VERSION, PROP_VALUES, N_PROPERTIES };
GParamSpec* properties[N_PROPERTIES];

inline TarvexProvidersContractsRowModelPrivate* priv_of(gconstpointer self) {
  return tarvex_providers_contracts_row_model_get_private(self);
}

GeeArrayList* ensure_list(TarvexProvidersContractsRowModelPrivate* priv) {
  if (priv->list) return priv->list.get();
  GType type = tarvex_providers_contracts_value_object_get_type();
  auto dup = reinterpret_cast<GBoxedCopyFunc>(g_object_ref);
  if (priv->pending.empty()) {
    priv->list =
        adoptGRef(gee_array_list_new(type, dup, g_object_unref, nullptr, nullptr, nullptr));
  } else {
    // The list takes over the array and the references in it.
    gint n = gint(priv->pending.size());
    auto** items = static_cast<gpointer*>(g_malloc(sizeof(gpointer) * n));
    for (gint i = 0; i < n; i++) items[i] = priv->pending[i].leak();
    priv->pending.clear();
    priv->pending.shrink_to_fit();
    priv->list = adoptGRef(
        gee_array_list_new_wrap(type, dup, g_object_unref, items, n, nullptr, nullptr, nullptr));
  }
  return priv->list.get();
}

guint size_of(TarvexProvidersContractsRowModelPrivate* priv) {
  return priv->list ? guint(gee::size(priv->list.get())) : guint(priv->pending.size());
}

// A new reference to the value at index (< size), or null.
GRef<Value> value_at(TarvexProvidersContractsRowModelPrivate* priv, guint index) {
  if (priv->list) return gee::at<Value>(priv->list.get(), gint(index));
  return priv->pending[index];
}

TarvexProvidersContractsRowModel* real_clone(TarvexProvidersContractsRowModel* self) {
  auto* priv = priv_of(self);
  guint n = size_of(priv);
  auto* copy = models::row_new(n);
  priv_of(copy)->version = priv->version;
  for (guint i = 0; i < n; i++) {
    auto value = value_at(priv, i);
    models::row_take_value(
        copy, value ? tarvex_providers_contracts_value_object_clone(value.get()) : nullptr);
  }
  return copy;
}

void get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  auto* priv = priv_of(object);
  switch (prop_id) {
    case PROP_VERSION:
      g_value_set_flags(value, priv->version);
      break;
    case PROP_VALUES:
      g_value_set_object(value, ensure_list(priv));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

void set_property(GObject* object, guint prop_id, const GValue* value, GParamSpec* pspec) {
  switch (prop_id) {
    case PROP_VERSION:
      tarvex_providers_contracts_row_model_set_version(
          TARVEX_PROVIDERS_CONTRACTS_ROW_MODEL(object),
          TarvexProvidersContractsDataVersion(g_value_get_flags(value)));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

GType list_get_item_type(GListModel*) {
  return tarvex_providers_contracts_value_object_get_type();
}

guint list_get_n_items(GListModel* model) {
  return size_of(priv_of(model));
}

gpointer list_get_item(GListModel* model, guint position) {
  auto* priv = priv_of(model);
  if (position >= size_of(priv)) return nullptr;
  return value_at(priv, position).leak();
}

}  // namespace

static void row_model_list_model_init(GListModelInterface* iface) {
  iface->get_item_type = list_get_item_type;
  iface->get_n_items = list_get_n_items;
  iface->get_item = list_get_item;
}

static void tarvex_providers_contracts_row_model_class_setup(
    TarvexProvidersContractsRowModelClass* klass) {
  klass->clone = real_clone;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = get_property;
  oc->set_property = set_property;
  properties[PROP_VERSION] = g_param_spec_flags(
      "version", "version", "version", tarvex_providers_contracts_data_version_get_type(),
      TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL,
      GParamFlags(G_PARAM_READWRITE | G_PARAM_EXPLICIT_NOTIFY | G_PARAM_STATIC_STRINGS));
  properties[PROP_VALUES] =
      g_param_spec_object("values", "values", "values", GEE_TYPE_ARRAY_LIST,
                          GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS));
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

// ------------------------------------------------------------ fast path

namespace tarvex::models {

TarvexProvidersContractsRowModel* row_new(guint capacity) {
  auto* row = static_cast<TarvexProvidersContractsRowModel*>(
      g_object_new(tarvex_providers_contracts_row_model_get_type(), nullptr));
  priv_of(row)->pending.reserve(capacity);
  return row;
}

void row_take_value(TarvexProvidersContractsRowModel* row,
                    TarvexProvidersContractsValueObject* value) {
  auto* priv = priv_of(row);
  auto owned = adoptGRef(value);
  if (priv->list)
    gee::add(priv->list.get(), owned.get());
  else
    priv->pending.push_back(std::move(owned));
}

guint row_size(TarvexProvidersContractsRowModel* row) {
  return size_of(priv_of(row));
}

TarvexProvidersContractsValueObject* row_peek(TarvexProvidersContractsRowModel* row, guint index) {
  auto* priv = priv_of(row);
  if (!priv->list) return priv->pending[index].get();
  // The list keeps its own reference.
  return value_at(priv, index).get();
}

}  // namespace tarvex::models

// ------------------------------------------------------------ public API

TarvexProvidersContractsRowModel* tarvex_providers_contracts_row_model_construct(
    GType object_type) {
  return static_cast<TarvexProvidersContractsRowModel*>(g_object_new(object_type, nullptr));
}

TarvexProvidersContractsRowModel* tarvex_providers_contracts_row_model_new(void) {
  return tarvex_providers_contracts_row_model_construct(TARVEX_PROVIDERS_CONTRACTS_TYPE_ROW_MODEL);
}

TarvexProvidersContractsRowModel* tarvex_providers_contracts_row_model_clone(
    TarvexProvidersContractsRowModel* self) {
  g_return_val_if_fail(self != NULL, NULL);
  auto* klass = TARVEX_PROVIDERS_CONTRACTS_ROW_MODEL_GET_CLASS(self);
  return klass->clone ? klass->clone(self) : nullptr;
}

GeeArrayList* tarvex_providers_contracts_row_model_get_values(
    TarvexProvidersContractsRowModel* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return ensure_list(priv_of(self));
}

TarvexProvidersContractsDataVersion tarvex_providers_contracts_row_model_get_version(
    TarvexProvidersContractsRowModel* self) {
  g_return_val_if_fail(self != NULL, TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL);
  return priv_of(self)->version;
}

void tarvex_providers_contracts_row_model_set_version(TarvexProvidersContractsRowModel* self,
                                                      TarvexProvidersContractsDataVersion value) {
  g_return_if_fail(self != NULL);
  auto* priv = priv_of(self);
  if (priv->version == value) return;
  priv->version = value;
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_VERSION]);
}

TarvexProvidersContractsValueObject* tarvex_providers_contracts_row_model_get_value_at(
    TarvexProvidersContractsRowModel* self, gint position) {
  g_return_val_if_fail(self != NULL, NULL);
  auto* priv = priv_of(self);
  if (position < 0 || guint(position) >= size_of(priv)) return nullptr;
  return value_at(priv, guint(position)).leak();
}

void tarvex_providers_contracts_row_model_set_value_at(TarvexProvidersContractsRowModel* self,
                                                       gint position,
                                                       TarvexProvidersContractsValueObject* value) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(value != NULL);
  auto* priv = priv_of(self);
  // Outside the row nothing is replaced (a warning, not a crash).
  g_return_if_fail(position >= 0 && guint(position) < size_of(priv));
  if (priv->list)
    gee_abstract_list_set(GEE_ABSTRACT_LIST(priv->list.get()), position, value);
  else
    priv->pending[position] = retainGRef(value);
}
