// Shared machinery of the setting groups: each group is a table of
// properties (name, kind, declared default, instance default) over one store
// of slots, with the compare-then-notify setters every group shares.
//
// Not installed, not part of the API.
#pragma once

#include <glib-object.h>

#include <cfloat>
#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"

namespace tarvex::settings {

enum class Kind { Boolean, Int, UInt, UInt16, Double, String, DateTime };

struct PropDef {
  const char* name;
  Kind kind;
  gint64 declared;   // integers and booleans
  gint64 initial;    // integers and booleans
  double number;     // the double's declared and instance default
  const char* text;  // a string's instance default (declared: none)
};

struct Slot {
  gint64 integer = 0;
  double number = 0;
  OptString text;
  GRef<GDateTime> moment;
};

// Property ids run from 1; defs[0] is id 1.
class Store {
 public:
  Store(const PropDef* defs, size_t count) : defs_(defs), slots_(count + 1) {
    for (size_t i = 0; i < count; i++) {
      Slot& slot = slots_[i + 1];
      switch (defs[i].kind) {
        case Kind::Double:
          slot.number = defs[i].number;
          break;
        case Kind::String:
          slot.text.assign(defs[i].text);
          break;
        case Kind::DateTime:
          slot.moment = adoptGRef(g_date_time_new_now_utc());
          break;
        default:
          slot.integer = defs[i].initial;
          break;
      }
    }
  }

  gint64 integer(guint id) const { return slots_[id].integer; }
  double number(guint id) const { return slots_[id].number; }
  const char* text(guint id) const { return slots_[id].text.c_str(); }
  GDateTime* moment(guint id) const { return slots_[id].moment.get(); }

  void set_integer(GObject* owner, GParamSpec* spec, guint id, gint64 value) {
    if (slots_[id].integer == value) return;
    slots_[id].integer = value;
    g_object_notify_by_pspec(owner, spec);
  }
  void set_number(GObject* owner, GParamSpec* spec, guint id, double value) {
    // Ordered equality: a NaN always counts as a change.
    if (slots_[id].number == value) return;
    slots_[id].number = value;
    g_object_notify_by_pspec(owner, spec);
  }
  void set_text(GObject* owner, GParamSpec* spec, guint id, const char* value) {
    if (slots_[id].text.set(value)) g_object_notify_by_pspec(owner, spec);
  }
  void set_moment(GObject* owner, GParamSpec* spec, guint id, GDateTime* value) {
    // By identity: an equal but distinct date-time is a change.
    if (slots_[id].moment.get() == value) return;
    slots_[id].moment = retainGRef(value);
    g_object_notify_by_pspec(owner, spec);
  }

  void get_property(guint id, GValue* value) const {
    const Slot& slot = slots_[id];
    switch (defs_[id - 1].kind) {
      case Kind::Boolean:
        g_value_set_boolean(value, slot.integer != 0);
        break;
      case Kind::Int:
        g_value_set_int(value, static_cast<gint>(slot.integer));
        break;
      case Kind::UInt:
      case Kind::UInt16:
        g_value_set_uint(value, static_cast<guint>(slot.integer));
        break;
      case Kind::Double:
        g_value_set_double(value, slot.number);
        break;
      case Kind::String:
        g_value_set_string(value, slot.text.c_str());
        break;
      case Kind::DateTime:
        g_value_set_boxed(value, slot.moment.get());
        break;
    }
  }

  void set_property(GObject* owner, GParamSpec* spec, guint id, const GValue* value) {
    switch (defs_[id - 1].kind) {
      case Kind::Boolean:
        set_integer(owner, spec, id, g_value_get_boolean(value) ? 1 : 0);
        break;
      case Kind::Int:
        set_integer(owner, spec, id, g_value_get_int(value));
        break;
      case Kind::UInt:
        set_integer(owner, spec, id, g_value_get_uint(value));
        break;
      case Kind::UInt16:
        // Held in 16 bits: only the low bits are kept.
        set_integer(owner, spec, id, static_cast<guint16>(g_value_get_uint(value)));
        break;
      case Kind::Double:
        set_number(owner, spec, id, g_value_get_double(value));
        break;
      case Kind::String:
        set_text(owner, spec, id, g_value_get_string(value));
        break;
      case Kind::DateTime:
        set_moment(owner, spec, id, static_cast<GDateTime*>(g_value_get_boxed(value)));
        break;
    }
  }

 private:
  const PropDef* defs_;
  std::vector<Slot> slots_;
};

// ISO 8601 text of a date-time: microseconds only when not zero, "Z" for a
// zero offset, else the offset's hours and, when not zero, its minutes.
inline std::string iso8601_text(GDateTime* moment) {
  GUniqueStr text(g_date_time_format_iso8601(moment));
  return text ? text.get() : "";
}

// A text without a zone is taken as UTC; NULL when it does not parse.
inline GDateTime* iso8601_parse(const char* text) {
  if (!text) return nullptr;
  GRef<GTimeZone> utc = adoptGRef(g_time_zone_new_utc());
  return g_date_time_new_from_iso8601(text, utc.get());
}

// Property descriptions of a table; specs[0] stays NULL.
inline void install(GObjectClass* klass, const PropDef* defs, size_t count, GParamSpec** specs) {
  const auto flags =
      GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS | G_PARAM_EXPLICIT_NOTIFY);
  for (size_t i = 0; i < count; i++) {
    const PropDef& d = defs[i];
    GParamSpec* spec = nullptr;
    switch (d.kind) {
      case Kind::Boolean:
        spec = g_param_spec_boolean(d.name, d.name, d.name, d.declared != 0, flags);
        break;
      case Kind::Int:
        spec = g_param_spec_int(d.name, d.name, d.name, G_MININT, G_MAXINT,
                                static_cast<gint>(d.declared), flags);
        break;
      case Kind::UInt:
      case Kind::UInt16:
        spec = g_param_spec_uint(d.name, d.name, d.name, 0, G_MAXUINT,
                                 static_cast<guint>(d.declared), flags);
        break;
      case Kind::Double:
        spec = g_param_spec_double(d.name, d.name, d.name, -DBL_MAX, DBL_MAX, d.number, flags);
        break;
      case Kind::String:
        spec = g_param_spec_string(d.name, d.name, d.name, nullptr, flags);
        break;
      case Kind::DateTime:
        spec = g_param_spec_boxed(d.name, d.name, d.name, G_TYPE_DATE_TIME, flags);
        break;
    }
    specs[i + 1] = spec;
  }
  g_object_class_install_properties(klass, static_cast<guint>(count + 1), specs);
}

}  // namespace tarvex::settings

// Defines the type, its private store, its property plumbing and its `new`
// and `construct`. `extra_setup(klass)` adds what a group has beyond its
// properties (signals, interfaces' hooks).
#define TARVEX_SETTING_GROUP_IMPL(TypeName, type_name, DEFS, extra_setup, ...)               \
  struct _##TypeName##Private {                                                              \
    ::tarvex::settings::Store store{DEFS, G_N_ELEMENTS(DEFS)};                               \
  };                                                                                         \
  TARVEX_DEFINE_TYPE_WITH_CODE(TypeName, type_name, G_TYPE_OBJECT, __VA_ARGS__)              \
  static GParamSpec* type_name##_specs[G_N_ELEMENTS(DEFS) + 1];                              \
  [[maybe_unused]] static ::tarvex::settings::Store& type_name##_store(gconstpointer self) { \
    return type_name##_get_private(self)->store;                                             \
  }                                                                                          \
  static void type_name##_get_property(GObject* object, guint id, GValue* value,             \
                                       GParamSpec* spec) {                                   \
    if (id == 0 || id > G_N_ELEMENTS(DEFS)) {                                                \
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);                                   \
      return;                                                                                \
    }                                                                                        \
    type_name##_store(object).get_property(id, value);                                       \
  }                                                                                          \
  static void type_name##_set_property(GObject* object, guint id, const GValue* value,       \
                                       GParamSpec* spec) {                                   \
    if (id == 0 || id > G_N_ELEMENTS(DEFS)) {                                                \
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);                                   \
      return;                                                                                \
    }                                                                                        \
    type_name##_store(object).set_property(object, type_name##_specs[id], id, value);        \
  }                                                                                          \
  static void type_name##_class_setup(TypeName##Class* klass) {                              \
    GObjectClass* object_class = G_OBJECT_CLASS(klass);                                      \
    object_class->get_property = type_name##_get_property;                                   \
    object_class->set_property = type_name##_set_property;                                   \
    ::tarvex::settings::install(object_class, DEFS, G_N_ELEMENTS(DEFS), type_name##_specs);  \
    extra_setup(klass);                                                                      \
  }                                                                                          \
  TypeName* type_name##_construct(GType object_type) {                                       \
    return static_cast<TypeName*>(g_object_new(object_type, nullptr));                       \
  }                                                                                          \
  TypeName* type_name##_new(void) {                                                          \
    return type_name##_construct(type_name##_get_type());                                    \
  }

#define TARVEX_SETTING_NO_EXTRA_(klass) ((void)(klass))
#define TARVEX_SETTING_GROUP(TypeName, type_name, DEFS) \
  TARVEX_SETTING_GROUP_IMPL(TypeName, type_name, DEFS, TARVEX_SETTING_NO_EXTRA_, )

// Accessor pairs. `ID` is the property id (1-based).
#define TARVEX_SETTING_BOOLEAN(TypeName, type_name, prop, ID)                                      \
  gboolean type_name##_get_##prop(TypeName* self) {                                                \
    g_return_val_if_fail(self != NULL, FALSE);                                                     \
    return type_name##_store(self).integer(ID) != 0;                                               \
  }                                                                                                \
  void type_name##_set_##prop(TypeName* self, gboolean value) {                                    \
    g_return_if_fail(self != NULL);                                                                \
    type_name##_store(self).set_integer(G_OBJECT(self), type_name##_specs[ID], ID, value ? 1 : 0); \
  }

#define TARVEX_SETTING_INT(TypeName, type_name, prop, ID)                                  \
  gint type_name##_get_##prop(TypeName* self) {                                            \
    g_return_val_if_fail(self != NULL, 0);                                                 \
    return static_cast<gint>(type_name##_store(self).integer(ID));                         \
  }                                                                                        \
  void type_name##_set_##prop(TypeName* self, gint value) {                                \
    g_return_if_fail(self != NULL);                                                        \
    type_name##_store(self).set_integer(G_OBJECT(self), type_name##_specs[ID], ID, value); \
  }

#define TARVEX_SETTING_UINT(TypeName, type_name, prop, ID)                                 \
  guint type_name##_get_##prop(TypeName* self) {                                           \
    g_return_val_if_fail(self != NULL, 0U);                                                \
    return static_cast<guint>(type_name##_store(self).integer(ID));                        \
  }                                                                                        \
  void type_name##_set_##prop(TypeName* self, guint value) {                               \
    g_return_if_fail(self != NULL);                                                        \
    type_name##_store(self).set_integer(G_OBJECT(self), type_name##_specs[ID], ID, value); \
  }

#define TARVEX_SETTING_UINT16(TypeName, type_name, prop, ID)                               \
  guint16 type_name##_get_##prop(TypeName* self) {                                         \
    g_return_val_if_fail(self != NULL, 0U);                                                \
    return static_cast<guint16>(type_name##_store(self).integer(ID));                      \
  }                                                                                        \
  void type_name##_set_##prop(TypeName* self, guint16 value) {                             \
    g_return_if_fail(self != NULL);                                                        \
    type_name##_store(self).set_integer(G_OBJECT(self), type_name##_specs[ID], ID, value); \
  }

#define TARVEX_SETTING_DOUBLE(TypeName, type_name, prop, ID)                              \
  gdouble type_name##_get_##prop(TypeName* self) {                                        \
    g_return_val_if_fail(self != NULL, 0.0);                                              \
    return type_name##_store(self).number(ID);                                            \
  }                                                                                       \
  void type_name##_set_##prop(TypeName* self, gdouble value) {                            \
    g_return_if_fail(self != NULL);                                                       \
    type_name##_store(self).set_number(G_OBJECT(self), type_name##_specs[ID], ID, value); \
  }

#define TARVEX_SETTING_STRING(TypeName, type_name, prop, ID)                            \
  const gchar* type_name##_get_##prop(TypeName* self) {                                 \
    g_return_val_if_fail(self != NULL, NULL);                                           \
    return type_name##_store(self).text(ID);                                            \
  }                                                                                     \
  void type_name##_set_##prop(TypeName* self, const gchar* value) {                     \
    g_return_if_fail(self != NULL);                                                     \
    type_name##_store(self).set_text(G_OBJECT(self), type_name##_specs[ID], ID, value); \
  }

#define TARVEX_SETTING_DATE_TIME(TypeName, type_name, prop, ID)                           \
  GDateTime* type_name##_get_##prop(TypeName* self) {                                     \
    g_return_val_if_fail(self != NULL, NULL);                                             \
    return type_name##_store(self).moment(ID);                                            \
  }                                                                                       \
  void type_name##_set_##prop(TypeName* self, GDateTime* value) {                         \
    g_return_if_fail(self != NULL);                                                       \
    type_name##_store(self).set_moment(G_OBJECT(self), type_name##_specs[ID], ID, value); \
  }
