#include "providers/contracts/value_null.h"

#include <string>

#include "providers/contracts/value-private.h"

using namespace tarvex;

// ---------------------------------------------------------------- ValueNull

struct _TarvexProvidersContractsValueNullPrivate {};

// ValueNull and ValueError answer the same four read-only properties; each
// class holds its own table of them.
namespace stand_in_props {
enum { PROP_0, PROP_NAME, PROP_ITSVALUE, PROP_DATA_TYPE, PROP_IS_NULL, N_PROPERTIES };

static void install(GObjectClass* oc, GParamSpec** properties) {
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_ITSVALUE] =
      g_param_spec_string("itsvalue", "itsvalue", "itsvalue", nullptr, values::kReadOnly);
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  properties[PROP_IS_NULL] = values::is_null_pspec();
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}
}  // namespace stand_in_props

namespace null_props {
using namespace stand_in_props;
static GParamSpec* properties[N_PROPERTIES];
}  // namespace null_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueNull, tarvex_providers_contracts_value_null,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT)

static void value_null_to_value(TarvexProvidersContractsValueObject*, GValue* result) {
  g_value_init(result, G_TYPE_STRING);
  g_value_set_static_string(result, "NULL");
}
static gchar* value_null_to_string(TarvexProvidersContractsValueObject*) {
  return g_strdup("");
}
static TarvexProvidersContractsValueObject* value_null_clone(TarvexProvidersContractsValueObject*) {
  return values::as_value(tarvex_providers_contracts_value_null_new());
}
static const gchar* value_null_get_name(TarvexProvidersContractsValueObject*) {
  return "NULL";
}
static TarvexProvidersContractsDataType value_null_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DBNULL;
}
static gboolean value_null_get_is_null(TarvexProvidersContractsValueObject*) {
  return TRUE;
}

static void value_null_get_property(GObject* object, guint prop_id, GValue* value,
                                    GParamSpec* pspec) {
  using namespace null_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      g_value_set_static_string(value, "NULL");
      break;
    case PROP_NAME:
    case PROP_DATA_TYPE:
    case PROP_IS_NULL:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_null_class_setup(
    TarvexProvidersContractsValueNullClass* klass) {
  using namespace null_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_null_to_value;
  vc->to_string = value_null_to_string;
  vc->clone = value_null_clone;
  vc->get_name = value_null_get_name;
  vc->get_data_type = value_null_get_data_type;
  vc->get_is_null = value_null_get_is_null;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_null_get_property;
  install(oc, properties);
}

TarvexProvidersContractsValueNull* tarvex_providers_contracts_value_null_construct(
    GType object_type) {
  return values::make<TarvexProvidersContractsValueNull>(object_type);
}

TarvexProvidersContractsValueNull* tarvex_providers_contracts_value_null_new(void) {
  return tarvex_providers_contracts_value_null_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_NULL);
}

const gchar* tarvex_providers_contracts_value_null_get_itsvalue(
    TarvexProvidersContractsValueNull* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return "NULL";
}

// --------------------------------------------------------------- ValueError

struct _TarvexProvidersContractsValueErrorPrivate {
  gint code = 0;
  std::string message;
};

namespace error_props {
using namespace stand_in_props;
static GParamSpec* properties[N_PROPERTIES];
}  // namespace error_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueError, tarvex_providers_contracts_value_error,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT)

static gchar* value_error_to_string(TarvexProvidersContractsValueObject* self) {
  auto* priv = tarvex_providers_contracts_value_error_get_private(self);
  return g_strdup_printf("%d:%s", priv->code, priv->message.c_str());
}

static void value_error_to_value(TarvexProvidersContractsValueObject* self, GValue* result) {
  auto* priv = tarvex_providers_contracts_value_error_get_private(self);
  g_value_init(result, G_TYPE_ERROR);
  g_value_take_boxed(
      result, g_error_new_literal(g_quark_from_string("SQL"), priv->code, priv->message.c_str()));
}

static TarvexProvidersContractsValueObject* value_error_clone(
    TarvexProvidersContractsValueObject* self) {
  auto* priv = tarvex_providers_contracts_value_error_get_private(self);
  return values::as_value(
      tarvex_providers_contracts_value_error_new(priv->code, priv->message.c_str()));
}
static const gchar* value_error_get_name(TarvexProvidersContractsValueObject*) {
  return "error";
}
static TarvexProvidersContractsDataType value_error_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_ERROR;
}
static gboolean value_error_get_is_null(TarvexProvidersContractsValueObject*) {
  return FALSE;
}

static void value_error_get_property(GObject* object, guint prop_id, GValue* value,
                                     GParamSpec* pspec) {
  using namespace error_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      g_value_take_string(value, value_error_to_string(values::as_value(object)));
      break;
    case PROP_NAME:
    case PROP_DATA_TYPE:
    case PROP_IS_NULL:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_error_class_setup(
    TarvexProvidersContractsValueErrorClass* klass) {
  using namespace error_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_error_to_value;
  vc->to_string = value_error_to_string;
  vc->clone = value_error_clone;
  vc->get_name = value_error_get_name;
  vc->get_data_type = value_error_get_data_type;
  vc->get_is_null = value_error_get_is_null;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_error_get_property;
  install(oc, properties);
}

TarvexProvidersContractsValueError* tarvex_providers_contracts_value_error_construct(
    GType object_type, gint code, const gchar* message) {
  g_return_val_if_fail(message != NULL, NULL);
  auto* self = values::make<TarvexProvidersContractsValueError>(object_type);
  auto* priv = tarvex_providers_contracts_value_error_get_private(self);
  priv->code = code;
  priv->message = message;
  return self;
}

TarvexProvidersContractsValueError* tarvex_providers_contracts_value_error_new(
    gint code, const gchar* message) {
  return tarvex_providers_contracts_value_error_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_ERROR, code, message);
}

gchar* tarvex_providers_contracts_value_error_get_itsvalue(
    TarvexProvidersContractsValueError* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return value_error_to_string(values::as_value(self));
}
