#include "providers/contracts/column_model.h"

#include "common/tarvex-gobject-private.h"

using namespace tarvex;

struct _TarvexProvidersContractsColumnModelPrivate {
  OptString name;
  OptString title;
  TarvexProvidersContractsDataType data_type = TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN;
  gulong data_size = 0;
};

TARVEX_DEFINE_TYPE(TarvexProvidersContractsColumnModel, tarvex_providers_contracts_column_model,
                   G_TYPE_OBJECT)

namespace {

enum { PROP_0, PROP_NAME, PROP_TITLE, PROP_DATA_TYPE, PROP_DATA_SIZE, N_PROPERTIES };
GParamSpec* properties[N_PROPERTIES];

inline TarvexProvidersContractsColumnModelPrivate* priv_of(gconstpointer self) {
  return tarvex_providers_contracts_column_model_get_private(self);
}

void get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  auto* priv = priv_of(object);
  switch (prop_id) {
    case PROP_NAME:
      g_value_set_string(value, priv->name.c_str());
      break;
    case PROP_TITLE:
      g_value_set_string(value, priv->title.c_str());
      break;
    case PROP_DATA_TYPE:
      g_value_set_enum(value, priv->data_type);
      break;
    case PROP_DATA_SIZE:
      g_value_set_ulong(value, priv->data_size);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

void set_property(GObject* object, guint prop_id, const GValue* value, GParamSpec* pspec) {
  auto* self = TARVEX_PROVIDERS_CONTRACTS_COLUMN_MODEL(object);
  switch (prop_id) {
    case PROP_NAME:
      tarvex_providers_contracts_column_model_set_name(self, g_value_get_string(value));
      break;
    case PROP_TITLE:
      tarvex_providers_contracts_column_model_set_title(self, g_value_get_string(value));
      break;
    case PROP_DATA_TYPE:
      tarvex_providers_contracts_column_model_set_data_type(
          self, TarvexProvidersContractsDataType(g_value_get_enum(value)));
      break;
    case PROP_DATA_SIZE:
      tarvex_providers_contracts_column_model_set_data_size(self, g_value_get_ulong(value));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

// Constructors store without notification.
TarvexProvidersContractsColumnModel* make(GType type, const char* name,
                                          TarvexProvidersContractsDataType data_type,
                                          gulong data_size) {
  auto* self = static_cast<TarvexProvidersContractsColumnModel*>(g_object_new(type, nullptr));
  auto* priv = priv_of(self);
  priv->name.assign(name);
  priv->data_type = data_type;
  priv->data_size = data_size;
  return self;
}

}  // namespace

static void tarvex_providers_contracts_column_model_class_setup(
    TarvexProvidersContractsColumnModelClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = get_property;
  oc->set_property = set_property;
  constexpr auto flags = GParamFlags(G_PARAM_READWRITE | G_PARAM_CONSTRUCT |
                                     G_PARAM_EXPLICIT_NOTIFY | G_PARAM_STATIC_STRINGS);
  properties[PROP_NAME] = g_param_spec_string("name", "name", "name", nullptr, flags);
  properties[PROP_TITLE] = g_param_spec_string("title", "title", "title", nullptr, flags);
  properties[PROP_DATA_TYPE] = g_param_spec_enum(
      "data-type", "data-type", "data-type", tarvex_providers_contracts_data_type_get_type(),
      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN, flags);
  properties[PROP_DATA_SIZE] =
      g_param_spec_ulong("data-size", "data-size", "data-size", 0, G_MAXULONG, 0, flags);
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsColumnModel* tarvex_providers_contracts_column_model_construct(
    GType object_type) {
  return make(object_type, "", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN, 0);
}

TarvexProvidersContractsColumnModel* tarvex_providers_contracts_column_model_new(void) {
  return tarvex_providers_contracts_column_model_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_COLUMN_MODEL);
}

TarvexProvidersContractsColumnModel* tarvex_providers_contracts_column_model_construct_with_type(
    GType object_type, TarvexProvidersContractsDataType data_type) {
  return make(object_type, "", data_type, 0);
}

TarvexProvidersContractsColumnModel* tarvex_providers_contracts_column_model_new_with_type(
    TarvexProvidersContractsDataType data_type) {
  return tarvex_providers_contracts_column_model_construct_with_type(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_COLUMN_MODEL, data_type);
}

TarvexProvidersContractsColumnModel* tarvex_providers_contracts_column_model_construct_full(
    GType object_type, const gchar* column_name, TarvexProvidersContractsDataType data_type) {
  g_return_val_if_fail(column_name != NULL, NULL);
  return make(object_type, column_name, data_type, 0);
}

TarvexProvidersContractsColumnModel* tarvex_providers_contracts_column_model_new_full(
    const gchar* column_name, TarvexProvidersContractsDataType data_type) {
  return tarvex_providers_contracts_column_model_construct_full(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_COLUMN_MODEL, column_name, data_type);
}

TarvexProvidersContractsColumnModel* tarvex_providers_contracts_column_model_construct_full_size(
    GType object_type, const gchar* column_name, TarvexProvidersContractsDataType data_type,
    gulong data_size) {
  g_return_val_if_fail(column_name != NULL, NULL);
  return make(object_type, column_name, data_type, data_size);
}

TarvexProvidersContractsColumnModel* tarvex_providers_contracts_column_model_new_full_size(
    const gchar* column_name, TarvexProvidersContractsDataType data_type, gulong data_size) {
  return tarvex_providers_contracts_column_model_construct_full_size(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_COLUMN_MODEL, column_name, data_type, data_size);
}

const gchar* tarvex_providers_contracts_column_model_get_name(
    TarvexProvidersContractsColumnModel* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return priv_of(self)->name.c_str();
}

void tarvex_providers_contracts_column_model_set_name(TarvexProvidersContractsColumnModel* self,
                                                      const gchar* value) {
  g_return_if_fail(self != NULL);
  if (priv_of(self)->name.set(value))
    g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_NAME]);
}

const gchar* tarvex_providers_contracts_column_model_get_title(
    TarvexProvidersContractsColumnModel* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return priv_of(self)->title.c_str();
}

void tarvex_providers_contracts_column_model_set_title(TarvexProvidersContractsColumnModel* self,
                                                       const gchar* value) {
  g_return_if_fail(self != NULL);
  if (priv_of(self)->title.set(value))
    g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_TITLE]);
}

TarvexProvidersContractsDataType tarvex_providers_contracts_column_model_get_data_type(
    TarvexProvidersContractsColumnModel* self) {
  g_return_val_if_fail(self != NULL, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN);
  return priv_of(self)->data_type;
}

void tarvex_providers_contracts_column_model_set_data_type(
    TarvexProvidersContractsColumnModel* self, TarvexProvidersContractsDataType value) {
  g_return_if_fail(self != NULL);
  auto* priv = priv_of(self);
  if (priv->data_type == value) return;
  priv->data_type = value;
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_DATA_TYPE]);
}

gulong tarvex_providers_contracts_column_model_get_data_size(
    TarvexProvidersContractsColumnModel* self) {
  g_return_val_if_fail(self != NULL, 0);
  return priv_of(self)->data_size;
}

void tarvex_providers_contracts_column_model_set_data_size(
    TarvexProvidersContractsColumnModel* self, gulong value) {
  g_return_if_fail(self != NULL);
  auto* priv = priv_of(self);
  if (priv->data_size == value) return;
  priv->data_size = value;
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_DATA_SIZE]);
}
