// Internal helpers shared by the value classes (not installed).
#pragma once

#include "common/tarvex-gobject-private.h"
#include "providers/contracts/value_object.h"

namespace tarvex::values {

constexpr GParamFlags kReadOnly = GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS);
constexpr GParamFlags kReadWrite = GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS);

// The read-only kind properties every value class declares.
inline GParamSpec* name_pspec() {
  return g_param_spec_string("name", "name", "name", nullptr, kReadOnly);
}
inline GParamSpec* data_type_pspec() {
  return g_param_spec_enum("data-type", "data-type", "data-type",
                           tarvex_providers_contracts_data_type_get_type(),
                           TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN, kReadOnly);
}
inline GParamSpec* is_null_pspec() {
  return g_param_spec_boolean("is-null", "is-null", "is-null", FALSE, kReadOnly);
}

inline TarvexProvidersContractsValueObject* as_value(gpointer self) {
  return reinterpret_cast<TarvexProvidersContractsValueObject*>(self);
}

// Fills the kind properties from the class virtuals; true when `id` was one
// of them. Used by get_property of classes whose ids for "name",
// "data-type" and "is-null" are given.
inline void set_kind_property(gpointer self, GValue* value, GParamSpec* pspec) {
  auto* v = as_value(self);
  if (g_str_equal(pspec->name, "name"))
    g_value_set_string(value, tarvex_providers_contracts_value_object_get_name(v));
  else if (g_str_equal(pspec->name, "data-type"))
    g_value_set_enum(value, tarvex_providers_contracts_value_object_get_data_type(v));
  else if (g_str_equal(pspec->name, "is-null"))
    g_value_set_boolean(value, tarvex_providers_contracts_value_object_get_is_null(v));
}

// Subclasses that only report another kind (xml, json and uuid of the
// string value, date and time, flags and set) declare their own read-only
// "name" and "data-type" and nothing else.
namespace kind_props {
enum { PROP_0, PROP_NAME, PROP_DATA_TYPE, N_PROPERTIES };
}  // namespace kind_props

inline void kind_get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  switch (prop_id) {
    case kind_props::PROP_NAME:
    case kind_props::PROP_DATA_TYPE:
      set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

inline void install_kind_properties(GObjectClass* oc) {
  using namespace kind_props;
  GParamSpec* properties[N_PROPERTIES] = {};
  properties[PROP_NAME] = name_pspec();
  properties[PROP_DATA_TYPE] = data_type_pspec();
  oc->get_property = kind_get_property;
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

// A value of a subclass with no properties set (the fast path used on every
// result cell: no property parsing).
template <typename T>
inline T* make(GType type) {
  return static_cast<T*>(g_object_new(type, nullptr));
}

}  // namespace tarvex::values
