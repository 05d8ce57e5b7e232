#include "providers/contracts/value_object.h"

#include "common/tarvex-dispatch-private.h"
#include "providers/contracts/model-json-private.h"
#include "providers/contracts/value-private.h"

using namespace tarvex;

// ------------------------------------------------------------------ IValue

TARVEX_DEFINE_INTERFACE(TarvexProvidersContractsIValue, tarvex_providers_contracts_ivalue,
                        G_TYPE_OBJECT)

static void tarvex_providers_contracts_ivalue_default_init(
    TarvexProvidersContractsIValueIface* iface) {
  // Interface properties live in GObject's property pool, which exists only
  // once the object base class has been initialised.
  g_type_class_unref(g_type_class_ref(G_TYPE_OBJECT));
  g_object_interface_install_property(iface, values::name_pspec());
  g_object_interface_install_property(iface, values::data_type_pspec());
  g_object_interface_install_property(iface, values::is_null_pspec());
}

void tarvex_providers_contracts_ivalue_to_value(TarvexProvidersContractsIValue* self,
                                                GValue* result) {
  tarvex::call_slot<&TarvexProvidersContractsIValueIface::to_value>(self, result);
}

gchar* tarvex_providers_contracts_ivalue_to_string(TarvexProvidersContractsIValue* self) {
  return tarvex::call_slot<&TarvexProvidersContractsIValueIface::to_string>(self);
}

TarvexProvidersContractsValueObject* tarvex_providers_contracts_ivalue_clone(
    TarvexProvidersContractsIValue* self) {
  return tarvex::call_slot<&TarvexProvidersContractsIValueIface::clone>(self);
}

gchar* tarvex_providers_contracts_ivalue_dump(TarvexProvidersContractsIValue* self) {
  return tarvex::call_slot<&TarvexProvidersContractsIValueIface::dump>(self);
}

const gchar* tarvex_providers_contracts_ivalue_get_name(TarvexProvidersContractsIValue* self) {
  return tarvex::call_slot<&TarvexProvidersContractsIValueIface::get_name>(self);
}

TarvexProvidersContractsDataType tarvex_providers_contracts_ivalue_get_data_type(
    TarvexProvidersContractsIValue* self) {
  return tarvex::call_slot<&TarvexProvidersContractsIValueIface::get_data_type,
                           TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN>(self);
}

gboolean tarvex_providers_contracts_ivalue_get_is_null(TarvexProvidersContractsIValue* self) {
  return tarvex::call_slot<&TarvexProvidersContractsIValueIface::get_is_null>(self);
}

// -------------------------------------------------------------- ValueObject

struct _TarvexProvidersContractsValueObjectPrivate {};

enum { PROP_0, PROP_NAME, PROP_DATA_TYPE, PROP_IS_NULL, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];

static void value_object_ivalue_init(TarvexProvidersContractsIValueIface* iface);

// Every value has a JSON form (its kind and text), which the diff engine
// compares.
TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexProvidersContractsValueObject, tarvex_providers_contracts_value_object, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(tarvex_providers_contracts_ivalue_get_type(), value_object_ivalue_init)
        G_IMPLEMENT_INTERFACE(JSON_TYPE_SERIALIZABLE, models::value_serializable_init))

static void value_object_real_to_value(TarvexProvidersContractsValueObject*, GValue* result) {
  g_value_init(result, G_TYPE_STRING);
  g_value_set_string(result, "");
}
static gchar* value_object_real_to_string(TarvexProvidersContractsValueObject*) {
  return g_strdup("");
}
static TarvexProvidersContractsValueObject* value_object_real_clone(
    TarvexProvidersContractsValueObject*) {
  return tarvex_providers_contracts_value_object_new();
}
static gchar* value_object_real_dump(TarvexProvidersContractsValueObject* self) {
  GUniqueStr text(tarvex_providers_contracts_value_object_to_string(self));
  return g_strdup_printf("%s => %s", G_OBJECT_TYPE_NAME(self), text.get() ? text.get() : "");
}
static const gchar* value_object_real_get_name(TarvexProvidersContractsValueObject*) {
  return "UNKNOWN";
}
static TarvexProvidersContractsDataType value_object_real_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN;
}
static gboolean value_object_real_get_is_null(TarvexProvidersContractsValueObject*) {
  return FALSE;
}

static void value_object_get_property(GObject* object, guint prop_id, GValue* value,
                                      GParamSpec* pspec) {
  auto* self = TARVEX_PROVIDERS_CONTRACTS_VALUE_OBJECT(object);
  switch (prop_id) {
    case PROP_NAME:
      g_value_set_string(value, tarvex_providers_contracts_value_object_get_name(self));
      break;
    case PROP_DATA_TYPE:
      g_value_set_enum(value, tarvex_providers_contracts_value_object_get_data_type(self));
      break;
    case PROP_IS_NULL:
      g_value_set_boolean(value, tarvex_providers_contracts_value_object_get_is_null(self));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_object_class_setup(
    TarvexProvidersContractsValueObjectClass* klass) {
  klass->to_value = value_object_real_to_value;
  klass->to_string = value_object_real_to_string;
  klass->clone = value_object_real_clone;
  klass->dump = value_object_real_dump;
  klass->get_name = value_object_real_get_name;
  klass->get_data_type = value_object_real_get_data_type;
  klass->get_is_null = value_object_real_get_is_null;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_object_get_property;
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  properties[PROP_IS_NULL] = values::is_null_pspec();
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

// The interface answers through the class virtuals, so subclasses override
// the class slots only.
static void value_object_ivalue_init(TarvexProvidersContractsIValueIface* iface) {
  iface->to_value = tarvex::forward<&tarvex_providers_contracts_value_object_to_value>;
  iface->to_string = tarvex::forward<&tarvex_providers_contracts_value_object_to_string>;
  iface->clone = tarvex::forward<&tarvex_providers_contracts_value_object_clone>;
  iface->dump = tarvex::forward<&tarvex_providers_contracts_value_object_dump>;
  iface->get_name = tarvex::forward<&tarvex_providers_contracts_value_object_get_name>;
  iface->get_data_type = tarvex::forward<&tarvex_providers_contracts_value_object_get_data_type>;
  iface->get_is_null = tarvex::forward<&tarvex_providers_contracts_value_object_get_is_null>;
}

TarvexProvidersContractsValueObject* tarvex_providers_contracts_value_object_construct(
    GType object_type) {
  return values::make<TarvexProvidersContractsValueObject>(object_type);
}

TarvexProvidersContractsValueObject* tarvex_providers_contracts_value_object_new(void) {
  return tarvex_providers_contracts_value_object_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT);
}

void tarvex_providers_contracts_value_object_to_value(TarvexProvidersContractsValueObject* self,
                                                      GValue* result) {
  tarvex::call_slot<&TarvexProvidersContractsValueObjectClass::to_value>(self, result);
}

gchar* tarvex_providers_contracts_value_object_to_string(
    TarvexProvidersContractsValueObject* self) {
  return tarvex::call_slot<&TarvexProvidersContractsValueObjectClass::to_string>(self);
}

TarvexProvidersContractsValueObject* tarvex_providers_contracts_value_object_clone(
    TarvexProvidersContractsValueObject* self) {
  return tarvex::call_slot<&TarvexProvidersContractsValueObjectClass::clone>(self);
}

gchar* tarvex_providers_contracts_value_object_dump(TarvexProvidersContractsValueObject* self) {
  return tarvex::call_slot<&TarvexProvidersContractsValueObjectClass::dump>(self);
}

const gchar* tarvex_providers_contracts_value_object_get_name(
    TarvexProvidersContractsValueObject* self) {
  return tarvex::call_slot<&TarvexProvidersContractsValueObjectClass::get_name>(self);
}

TarvexProvidersContractsDataType tarvex_providers_contracts_value_object_get_data_type(
    TarvexProvidersContractsValueObject* self) {
  return tarvex::call_slot<&TarvexProvidersContractsValueObjectClass::get_data_type,
                           TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN>(self);
}

gboolean tarvex_providers_contracts_value_object_get_is_null(
    TarvexProvidersContractsValueObject* self) {
  return tarvex::call_slot<&TarvexProvidersContractsValueObjectClass::get_is_null>(self);
}
