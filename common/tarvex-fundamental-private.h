// Reference-counted types without the object base.
//
// Helpers, static facades and small records are fundamental types of their
// own: an instance starts with a GTypeInstance, an atomic count (1 at
// creation) and a pointer to its private struct; the class has one finalize
// slot. Each type registers a generic-value table (a value holds one
// reference), a property-description constructor and value get, set and take
// accessors. All such types share one layout, so one value table serves all.
//
// Public header of a type Foo (C):
//
//   typedef struct _TarvexFoo TarvexFoo;
//   typedef struct _TarvexFooClass TarvexFooClass;
//   struct _TarvexFoo {
//     GTypeInstance parent_instance;
//     volatile int ref_count;
//     struct _TarvexFooPrivate* priv;
//     ... public fields ...
//   };
//   struct _TarvexFooClass {
//     GTypeClass parent_class;
//     void (*finalize)(TarvexFoo* self);
//   };
//
//   ... the exported tarvex_foo_ref and tarvex_foo_unref ...
//   G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexFoo, tarvex_foo_unref)
//
// In its .cpp, after the (possibly empty) C++ struct _TarvexFooPrivate
// (the macro declares the TarvexFooPrivate typedef):
//
//   TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexFoo, tarvex_foo, tarvex, foo, TARVEX_TYPE_FOO)
//
// defines tarvex_foo_get_type, tarvex_foo_ref, tarvex_foo_unref,
// tarvex_param_spec_foo, tarvex_value_get_foo, tarvex_value_set_foo,
// tarvex_value_take_foo and the static tarvex_foo_get_private(self). The
// _WITH_HOOKS form also runs init_hook(self) after the private struct is
// built and finalize_hook(self) before it is destroyed (for public fields).
// TYPE_MACRO is the name of the type macro; it appears in the texts of the
// accessors' precondition reports.
//
// Not installed, not part of the API.
#pragma once

#include <glib-object.h>
#include <gobject/gvaluecollector.h>

#include <new>

#include "common/tarvex-gobject-private.h"

namespace tarvex::fundamental {

// The layout every such instance and class starts with.
struct Instance {
  GTypeInstance parent_instance;
  volatile int ref_count;
  gpointer priv;
};
struct Class {
  GTypeClass parent_class;
  void (*finalize)(gpointer self);
};

inline gpointer ref(gpointer instance) {
  g_atomic_int_inc(&static_cast<Instance*>(instance)->ref_count);
  return instance;
}

inline void unref(gpointer instance) {
  auto* self = static_cast<Instance*>(instance);
  if (g_atomic_int_dec_and_test(&self->ref_count)) {
    auto* klass = reinterpret_cast<Class*>(self->parent_instance.g_class);
    if (klass->finalize) klass->finalize(self);
    g_type_free_instance(&self->parent_instance);
  }
}

// Value table shared by every type of this layout: a value holds one
// reference.
inline void value_init(GValue* value) {
  value->data[0].v_pointer = nullptr;
}

inline void value_free(GValue* value) {
  if (value->data[0].v_pointer) unref(value->data[0].v_pointer);
}

inline void value_copy(const GValue* src, GValue* dest) {
  dest->data[0].v_pointer = src->data[0].v_pointer ? ref(src->data[0].v_pointer) : nullptr;
}

inline gpointer value_peek_pointer(const GValue* value) {
  return value->data[0].v_pointer;
}

inline gchar* value_collect(GValue* value, guint, GTypeCValue* collect_values, guint) {
  gpointer object = collect_values[0].v_pointer;
  if (!object) {
    value->data[0].v_pointer = nullptr;
    return nullptr;
  }
  auto* instance = static_cast<GTypeInstance*>(object);
  if (instance->g_class == nullptr)
    return g_strconcat("invalid unclassed object pointer for value type `",
                       G_VALUE_TYPE_NAME(value), "'", nullptr);
  if (!g_value_type_compatible(G_TYPE_FROM_INSTANCE(instance), G_VALUE_TYPE(value)))
    return g_strconcat("invalid object type `", g_type_name(G_TYPE_FROM_INSTANCE(instance)),
                       "' for value type `", G_VALUE_TYPE_NAME(value), "'", nullptr);
  value->data[0].v_pointer = ref(object);
  return nullptr;
}

inline gchar* value_lcopy(const GValue* value, guint, GTypeCValue* collect_values,
                          guint collect_flags) {
  auto** object_p = static_cast<gpointer*>(collect_values[0].v_pointer);
  if (!object_p)
    return g_strdup_printf("value location for `%s' passed as NULL", G_VALUE_TYPE_NAME(value));
  if (!value->data[0].v_pointer)
    *object_p = nullptr;
  else if (collect_flags & G_VALUE_NOCOPY_CONTENTS)
    *object_p = value->data[0].v_pointer;
  else
    *object_p = ref(value->data[0].v_pointer);
  return nullptr;
}

inline const GTypeValueTable* value_table() {
  static const GTypeValueTable table = {
      value_init, value_free, value_copy, value_peek_pointer, "p", value_collect, "p", value_lcopy,
  };
  return &table;
}

inline GType register_type(const char* name, gsize class_size, GClassInitFunc class_init,
                           gsize instance_size, GInstanceInitFunc instance_init) {
  GTypeInfo info = {};
  info.class_size = static_cast<guint16>(class_size);
  info.class_init = class_init;
  info.instance_size = static_cast<guint16>(instance_size);
  info.instance_init = instance_init;
  info.value_table = value_table();
  static const GTypeFundamentalInfo fundamental = {
      GTypeFundamentalFlags(G_TYPE_FLAG_CLASSED | G_TYPE_FLAG_INSTANTIATABLE |
                            G_TYPE_FLAG_DERIVABLE | G_TYPE_FLAG_DEEP_DERIVABLE)};
  return g_type_register_fundamental(g_type_fundamental_next(), name, &info, &fundamental,
                                     GTypeFlags(0));
}

inline gpointer create(GType object_type) {
  return g_type_create_instance(object_type);
}

// Accessors; `type_text` is the type macro's name for the reports.
inline GParamSpec* param_spec(GType type, const char* func, const char* type_text,
                              const gchar* name, const gchar* nick, const gchar* blurb,
                              GType object_type, GParamFlags flags) {
  if (!g_type_is_a(object_type, type)) {
    GUniqueStr text(g_strdup_printf("g_type_is_a (object_type, %s)", type_text));
    g_return_if_fail_warning(G_LOG_DOMAIN, func, text.get());
    return nullptr;
  }
  GParamSpec* spec = static_cast<GParamSpec*>(
      g_param_spec_internal(G_TYPE_PARAM_OBJECT, name, nick, blurb, flags));
  spec->value_type = object_type;
  return spec;
}

inline bool check_value(GType type, const char* func, const char* type_text, const GValue* value) {
  if (G_TYPE_CHECK_VALUE_TYPE(value, type)) return true;
  GUniqueStr text(g_strdup_printf("G_TYPE_CHECK_VALUE_TYPE (value, %s)", type_text));
  g_return_if_fail_warning(G_LOG_DOMAIN, func, text.get());
  return false;
}

inline gpointer value_get(GType type, const char* func, const char* type_text,
                          const GValue* value) {
  if (!check_value(type, func, type_text, value)) return nullptr;
  return value->data[0].v_pointer;
}

inline void value_set(GType type, const char* func, const char* type_text, GValue* value,
                      gpointer v_object, bool take) {
  if (!check_value(type, func, type_text, value)) return;
  gpointer old = value->data[0].v_pointer;
  if (v_object) {
    if (!G_TYPE_CHECK_INSTANCE_TYPE(v_object, type)) {
      GUniqueStr text(g_strdup_printf("G_TYPE_CHECK_INSTANCE_TYPE (v_object, %s)", type_text));
      g_return_if_fail_warning(G_LOG_DOMAIN, func, text.get());
      return;
    }
    if (!g_value_type_compatible(G_TYPE_FROM_INSTANCE(v_object), G_VALUE_TYPE(value))) {
      g_return_if_fail_warning(
          G_LOG_DOMAIN, func,
          "g_value_type_compatible (G_TYPE_FROM_INSTANCE (v_object), G_VALUE_TYPE (value))");
      return;
    }
    value->data[0].v_pointer = take ? v_object : ref(v_object);
  } else {
    value->data[0].v_pointer = nullptr;
  }
  if (old) unref(old);
}

}  // namespace tarvex::fundamental

#define TARVEX_DEFINE_FUNDAMENTAL_TYPE_WITH_HOOKS(TypeName, type_name, ns, short_name, TYPE_MACRO, \
                                                  init_hook, finalize_hook)                        \
  TARVEX_DEFINE_FUNDAMENTAL_TYPE_IMPL_(TypeName, type_name, ns, short_name, #TYPE_MACRO,           \
                                       init_hook, finalize_hook)

#define TARVEX_DEFINE_FUNDAMENTAL_TYPE_IMPL_(TypeName, type_name, ns, short_name, type_text,      \
                                             init_hook, finalize_hook)                            \
  typedef struct _##TypeName##Private TypeName##Private;                                          \
  static gint type_name##_private_offset_;                                                        \
  [[maybe_unused]] static inline TypeName##Private* type_name##_get_private(gconstpointer self) { \
    return static_cast<TypeName##Private*>(                                                       \
        G_STRUCT_MEMBER_P(const_cast<gpointer>(self), type_name##_private_offset_));              \
  }                                                                                               \
  static void type_name##_fundamental_finalize_(TypeName* self) {                                 \
    finalize_hook(self);                                                                          \
    type_name##_get_private(self)->~TypeName##Private();                                          \
    self->priv = nullptr;                                                                         \
  }                                                                                               \
  static void type_name##_fundamental_class_init_(gpointer klass, gpointer) {                     \
    g_type_class_adjust_private_offset(klass, &type_name##_private_offset_);                      \
    static_cast<TypeName##Class*>(klass)->finalize = type_name##_fundamental_finalize_;           \
  }                                                                                               \
  static void type_name##_fundamental_instance_init_(GTypeInstance* instance, gpointer) {         \
    auto* self = reinterpret_cast<TypeName*>(instance);                                           \
    self->ref_count = 1;                                                                          \
    self->priv =                                                                                  \
        new (G_STRUCT_MEMBER_P(instance, type_name##_private_offset_)) TypeName##Private();       \
    init_hook(self);                                                                              \
  }                                                                                               \
  GType type_name##_get_type(void) {                                                              \
    static gsize type_id = 0;                                                                     \
    if (g_once_init_enter(&type_id)) {                                                            \
      GType id = ::tarvex::fundamental::register_type(                                            \
          #TypeName, sizeof(TypeName##Class), type_name##_fundamental_class_init_,                \
          sizeof(TypeName), type_name##_fundamental_instance_init_);                              \
      type_name##_private_offset_ = g_type_add_instance_private(id, sizeof(TypeName##Private));   \
      g_once_init_leave(&type_id, id);                                                            \
    }                                                                                             \
    return type_id;                                                                               \
  }                                                                                               \
  gpointer type_name##_ref(gpointer instance) {                                                   \
    g_return_val_if_fail(instance != NULL, NULL);                                                 \
    return ::tarvex::fundamental::ref(instance);                                                  \
  }                                                                                               \
  void type_name##_unref(gpointer instance) {                                                     \
    g_return_if_fail(instance != NULL);                                                           \
    ::tarvex::fundamental::unref(instance);                                                       \
  }                                                                                               \
  GParamSpec* ns##_param_spec_##short_name(const gchar* name, const gchar* nick,                  \
                                           const gchar* blurb, GType object_type,                 \
                                           GParamFlags flags) {                                   \
    return ::tarvex::fundamental::param_spec(type_name##_get_type(), G_STRFUNC, type_text, name,  \
                                             nick, blurb, object_type, flags);                    \
  }                                                                                               \
  gpointer ns##_value_get_##short_name(const GValue* value) {                                     \
    return ::tarvex::fundamental::value_get(type_name##_get_type(), G_STRFUNC, type_text, value); \
  }                                                                                               \
  void ns##_value_set_##short_name(GValue* value, gpointer v_object) {                            \
    ::tarvex::fundamental::value_set(type_name##_get_type(), G_STRFUNC, type_text, value,         \
                                     v_object, false);                                            \
  }                                                                                               \
  void ns##_value_take_##short_name(GValue* value, gpointer v_object) {                           \
    ::tarvex::fundamental::value_set(type_name##_get_type(), G_STRFUNC, type_text, value,         \
                                     v_object, true);                                             \
  }

#define TARVEX_FUNDAMENTAL_NO_HOOK_(self) ((void)(self))

#define TARVEX_DEFINE_FUNDAMENTAL_TYPE(TypeName, type_name, ns, short_name, TYPE_MACRO)  \
  TARVEX_DEFINE_FUNDAMENTAL_TYPE_IMPL_(TypeName, type_name, ns, short_name, #TYPE_MACRO, \
                                       TARVEX_FUNDAMENTAL_NO_HOOK_, TARVEX_FUNDAMENTAL_NO_HOOK_)

// GRef<TypeName> for such a type, through its own ref/unref pair.
#define TARVEX_DEFINE_FUNDAMENTAL_GREF_TRAITS(TypeName, type_name)                           \
  namespace tarvex {                                                                         \
  template <>                                                                                \
  struct GRefTraits<TypeName> {                                                              \
    static TypeName* ref(TypeName* p) { return static_cast<TypeName*>(type_name##_ref(p)); } \
    static void unref(TypeName* p) { type_name##_unref(p); }                                 \
  };                                                                                         \
  }
