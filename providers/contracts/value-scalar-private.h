// Internal: the common body of the value classes that hold one number (the
// integral and the floating kinds). A class supplies a descriptor (its datum,
// kind, GValue type and text) and gets the five ValueObject overrides, the
// "name" / "itsvalue" / "data-type" properties and its accessors from
// Scalar<Desc>. Not installed.
#pragma once

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "providers/contracts/number-chars-private.h"
#include "providers/contracts/value-private.h"

namespace tarvex::values {

// The shortest text that reads back to the same number, "." as separator
// whatever the locale (values are data: exports and SQL literals use it).
// Integers print in decimal digits.
template <typename Number>
inline gchar* number_text(Number n) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, n);
  if (ec != std::errc()) return g_strdup("");
  return g_strndup(buffer, end - buffer);
}

template <typename Floating>
inline gchar* floating_text(Floating n, Notation notation) {
  char buffer[400];
  size_t length = floating_chars(n, notation, buffer, sizeof buffer);
  return g_strndup(buffer, length);
}

// Defaults of a descriptor whose private struct holds `Datum value`.
template <typename PrivateT, typename DatumT>
struct ScalarDesc {
  using Private = PrivateT;
  using Datum = DatumT;
  static Datum get(const Private* p) { return p->value; }
  static void assign(Private* p, Datum d) { p->value = d; }
  static void copy(Private* to, const Private* from) { *to = *from; }
  static gchar* text(const Private* p) {
    if constexpr (std::is_floating_point_v<Datum>)
      return floating_text(p->value, Notation::kGeneral);
    else
      return number_text(p->value);
  }
};

// A descriptor provides, besides the ScalarDesc members:
//   static GType type();                      the class
//   static Private* priv(gconstpointer self);
//   static constexpr const char* name;        get_name
//   static constexpr DataType data_type;      get_data_type
//   static GType gtype();                     GValue type of to_value and "itsvalue"
//   static void set_gvalue(GValue*, Datum);   static Datum get_gvalue(const GValue*);
//   static GParamSpec* itsvalue_pspec();
template <typename Desc>
struct Scalar {
  using Datum = typename Desc::Datum;
  using Object = TarvexProvidersContractsValueObject;

  enum { PROP_0, PROP_NAME, PROP_ITSVALUE, PROP_DATA_TYPE, N_PROPERTIES };
  static inline GParamSpec* properties[N_PROPERTIES] = {};

  static Object* construct(GType type, Datum d) {
    auto* self = make<Object>(type);
    Desc::assign(Desc::priv(self), d);
    return self;
  }
  static Datum get(gconstpointer self) { return Desc::get(Desc::priv(self)); }
  // Always notifies, also when the datum is unchanged.
  static void set(gpointer self, Datum d) {
    Desc::assign(Desc::priv(self), d);
    g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_ITSVALUE]);
  }

  static void to_value(Object* self, GValue* result) {
    g_value_init(result, Desc::gtype());
    Desc::set_gvalue(result, get(self));
  }
  static gchar* to_string(Object* self) { return Desc::text(Desc::priv(self)); }
  static Object* clone(Object* self) {
    auto* copy = make<Object>(Desc::type());
    Desc::copy(Desc::priv(copy), Desc::priv(self));
    return copy;
  }
  static const gchar* get_name(Object*) { return Desc::name; }
  static TarvexProvidersContractsDataType get_data_type(Object*) { return Desc::data_type; }

  static void get_property(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
    switch (id) {
      case PROP_ITSVALUE:
        Desc::set_gvalue(value, get(object));
        break;
      case PROP_NAME:
      case PROP_DATA_TYPE:
        set_kind_property(object, value, pspec);
        break;
      default:
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
    }
  }
  static void set_property(GObject* object, guint id, const GValue* value, GParamSpec* pspec) {
    if (id == PROP_ITSVALUE)
      set(object, Desc::get_gvalue(value));
    else
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
  }

  static void class_setup(gpointer klass) {
    auto* vc = static_cast<TarvexProvidersContractsValueObjectClass*>(klass);
    vc->to_value = to_value;
    vc->to_string = to_string;
    vc->clone = clone;
    vc->get_name = get_name;
    vc->get_data_type = get_data_type;
    auto* oc = G_OBJECT_CLASS(klass);
    oc->get_property = get_property;
    oc->set_property = set_property;
    properties[PROP_NAME] = name_pspec();
    properties[PROP_ITSVALUE] = Desc::itsvalue_pspec();
    properties[PROP_DATA_TYPE] = data_type_pspec();
    g_object_class_install_properties(oc, N_PROPERTIES, properties);
  }
};

}  // namespace tarvex::values

// Registers a scalar value class: the GType (with the interfaces given as
// G_IMPLEMENT_INTERFACE entries), the descriptor's priv() and class setup.
#define TARVEX_DEFINE_SCALAR_VALUE(TypeName, type_name, Desc, ...)                                \
  TARVEX_DEFINE_TYPE_WITH_CODE(TypeName, type_name, TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT, \
                               __VA_ARGS__)                                                       \
  Desc::Private* Desc::priv(gconstpointer self) {                                                 \
    return type_name##_get_private(self);                                                         \
  }                                                                                               \
  static void type_name##_class_setup(TypeName##Class* klass) {                                   \
    tarvex::values::Scalar<Desc>::class_setup(klass);                                             \
  }

// The exported constructors and accessors every scalar class has. A
// construct() type outside the class would get a private struct it lacks, so
// it is refused.
#define TARVEX_SCALAR_VALUE_EXPORTS(TypeName, type_name, Desc)               \
  TypeName* type_name##_construct(GType object_type, Desc::Datum value) {    \
    g_return_val_if_fail(g_type_is_a(object_type, Desc::type()), NULL);      \
    return reinterpret_cast<TypeName*>(                                      \
        tarvex::values::Scalar<Desc>::construct(object_type, value));        \
  }                                                                          \
  TypeName* type_name##_new(Desc::Datum value) {                             \
    return reinterpret_cast<TypeName*>(                                      \
        tarvex::values::Scalar<Desc>::construct(Desc::type(), value));       \
  }                                                                          \
  Desc::Datum type_name##_get_itsvalue(TypeName* self) {                     \
    g_return_val_if_fail(self != NULL, 0);                                   \
    g_return_val_if_fail(G_TYPE_CHECK_INSTANCE_TYPE(self, Desc::type()), 0); \
    return tarvex::values::Scalar<Desc>::get(self);                          \
  }                                                                          \
  void type_name##_set_itsvalue(TypeName* self, Desc::Datum value) {         \
    g_return_if_fail(self != NULL);                                          \
    g_return_if_fail(G_TYPE_CHECK_INSTANCE_TYPE(self, Desc::type()));        \
    tarvex::values::Scalar<Desc>::set(self, value);                          \
  }
