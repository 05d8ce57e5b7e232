// Internal support of the meta model (not installed).
//
// Every meta class declares its properties in one table of PropDecl rows
// (name, type, declared default, options). A PropClass installs them with
// ids from 1 in table order; their values live in slots of the MetaObject
// private, made when the object is constructed. Getters, setters (which
// notify only on a change), get_property/set_property, the clone and the
// JSON form all work from the table.
#pragma once

#include <gee.h>
#include <json-glib/json-glib.h>

#include <cstddef>
#include <span>
#include <type_traits>
#include <vector>

#include "brevane/model/meta_object.h"
#include "common/tarvex-gobject-private.h"

namespace tarvex::meta {

enum class PType : guint8 { String, Boolean, UInt, UChar, Int64, UInt64, Enum, Flags, Object };

// What an object-valued property holds; decides its clone and JSON form.
enum class Holds : guint8 {
  Nothing,
  StrMap,     // GeeHashMap text -> text
  StrList,    // GeeArrayList of texts
  ObjList,    // GeeArrayList of meta objects of the element type
  ListModel,  // GListModel of meta objects, absent until set
};

enum : guint {
  kReadOnly = 1u << 0,
  kAlwaysNotify = 1u << 1,  // the setter notifies even when the value is unchanged
  kLow16 = 1u << 2,         // an unsigned number kept in 16 bits
  kOwned = 1u << 3,         // a container a clone fills itself; never shared with a clone
  kTagged = 1u << 4,        // list elements carry their class name ("class") in JSON
  kKeepOnReset = 1u << 5,   // a reset leaves the container's entries alone
};

struct PropDecl {
  const char* name;
  PType type;
  gint64 def = 0;              // declared default of booleans, numbers and enumerations
  GType (*gtype)() = nullptr;  // enumeration, flags or object type
  Holds holds = Holds::Nothing;
  GType (*elem)() = nullptr;  // element type of an object list
  guint opts = 0;
};

inline PropDecl text(const char* name, guint opts = 0) {
  return {name, PType::String, 0, nullptr, Holds::Nothing, nullptr, opts};
}
inline PropDecl boolean(const char* name, bool def = false) {
  return {name, PType::Boolean, def ? 1 : 0};
}
inline PropDecl uint32(const char* name, guint opts = 0) {
  return {name, PType::UInt, 0, nullptr, Holds::Nothing, nullptr, opts};
}
inline PropDecl uint8(const char* name) {
  return {name, PType::UChar};
}
inline PropDecl int64(const char* name) {
  return {name, PType::Int64};
}
inline PropDecl uint64(const char* name) {
  return {name, PType::UInt64};
}
inline PropDecl enumeration(const char* name, GType (*type)(), gint64 def = 0) {
  return {name, PType::Enum, def, type};
}
inline PropDecl flags(const char* name, GType (*type)(), gint64 def = 0) {
  return {name, PType::Flags, def, type};
}
inline PropDecl str_map(const char* name, guint opts = kOwned) {
  return {name, PType::Object, 0, gee_hash_map_get_type, Holds::StrMap, nullptr, opts};
}
inline PropDecl str_list(const char* name, guint opts = kOwned) {
  return {name, PType::Object, 0, gee_array_list_get_type, Holds::StrList, nullptr, opts};
}
inline PropDecl obj_list(const char* name, GType (*elem)(), guint opts = kOwned) {
  return {name, PType::Object, 0, gee_array_list_get_type, Holds::ObjList, elem, opts};
}
inline PropDecl list_model(const char* name) {
  return {name,
          PType::Object,
          0,
          g_list_model_get_type,
          Holds::ListModel,
          tarvex_brevane_meta_model_meta_object_get_type,
          kTagged};
}

// The installed properties of one class.
class PropClass {
 public:
  using Changed = void (*)(GObject* self, guint id);

  template <std::size_t N>
  explicit PropClass(const PropDecl (&decls)[N], Changed changed = nullptr)
      : decls_(decls, N), changed_(changed) {}

  // Creates and installs the descriptions; call from class_init.
  void install(GObjectClass* klass);

  std::size_t size() const { return decls_.size(); }
  guint base() const { return base_; }
  const PropDecl& decl(guint id) const { return decls_[id - 1]; }
  GParamSpec* pspec(guint id) const { return pspecs_[id]; }
  Changed changed() const { return changed_; }

  // The table that installed `type`'s own properties, or null.
  static const PropClass* of(GType type);
  // Slots an instance of `type` needs (its own and its ancestors' properties).
  static guint slot_count(GType type);

 private:
  std::span<const PropDecl> decls_;
  Changed changed_;
  std::vector<GParamSpec*> pspecs_;
  guint base_ = 0;
};

// The row of a description installed through a PropClass, or null.
const PropDecl* decl_of(const GParamSpec* pspec);

// Slot of property `id` of `pc` in `self` (a MetaObject).
GValue* slot(gconstpointer self, const PropClass& pc, guint id);
// Stores `value`, notifying when it changed (or always, with kAlwaysNotify).
void assign(gpointer self, const PropClass& pc, guint id, const GValue* value);

template <typename T>
T get(gconstpointer self, const PropClass& pc, guint id) {
  const GValue* v = slot(self, pc, id);
  if constexpr (std::is_same_v<T, const gchar*>) {
    return g_value_get_string(v);
  } else if constexpr (std::is_pointer_v<T>) {
    return static_cast<T>(g_value_get_object(v));
  } else {
    switch (G_TYPE_FUNDAMENTAL(G_VALUE_TYPE(v))) {
      case G_TYPE_BOOLEAN:
        return T(g_value_get_boolean(v));
      case G_TYPE_UINT:
        return T(g_value_get_uint(v));
      case G_TYPE_UCHAR:
        return T(g_value_get_uchar(v));
      case G_TYPE_INT64:
        return T(g_value_get_int64(v));
      case G_TYPE_UINT64:
        return T(g_value_get_uint64(v));
      case G_TYPE_ENUM:
        return T(g_value_get_enum(v));
      case G_TYPE_FLAGS:
        return T(g_value_get_flags(v));
      default:
        return T(0);
    }
  }
}

template <typename T>
void set(gpointer self, const PropClass& pc, guint id, T value) {
  GValueHolder holder(G_PARAM_SPEC_VALUE_TYPE(pc.pspec(id)));
  GValue* v = holder.get();
  if constexpr (std::is_same_v<T, const gchar*>) {
    g_value_set_static_string(v, value);
  } else if constexpr (std::is_pointer_v<T>) {
    g_value_set_object(v, value);
  } else {
    switch (G_TYPE_FUNDAMENTAL(G_VALUE_TYPE(v))) {
      case G_TYPE_BOOLEAN:
        g_value_set_boolean(v, value ? TRUE : FALSE);
        break;
      case G_TYPE_UINT:
        g_value_set_uint(v, guint(value));
        break;
      case G_TYPE_UCHAR:
        g_value_set_uchar(v, guchar(value));
        break;
      case G_TYPE_INT64:
        g_value_set_int64(v, gint64(value));
        break;
      case G_TYPE_UINT64:
        g_value_set_uint64(v, guint64(value));
        break;
      case G_TYPE_ENUM:
        g_value_set_enum(v, gint(value));
        break;
      case G_TYPE_FLAGS:
        g_value_set_flags(v, guint(value));
        break;
      default:
        break;
    }
  }
  assign(self, pc, id, v);
}

// ------------------------------------------------------------- containers
GeeHashMap* new_str_map();
GeeArrayList* new_str_list();
GeeArrayList* new_obj_list(GType element_type);
// A new empty container of the kind the row declares.
GObject* new_container(const PropDecl& decl);
// Empties a Gee collection or map (null does nothing).
void clear_container(gpointer container);
// Fills `to`'s container of property `id` from `from`'s: clones of the
// meta objects, copies of texts and map entries, in source order.
void copy_container(GObject* from, GObject* to, const PropClass& pc, guint id);

// Calls f(key, value) for every entry of a text map.
template <typename F>
void for_each_entry(GeeMap* map, F&& f) {
  if (!map) return;
  auto it = adoptGRef(gee_map_map_iterator(map));
  while (gee_map_iterator_next(it.get())) {
    GUniqueStr key(static_cast<char*>(gee_map_iterator_get_key(it.get())));
    GUniqueStr value(static_cast<char*>(gee_map_iterator_get_value(it.get())));
    f(key.get(), value.get());
  }
}

// ---------------------------------------------------------------- classes
// The meta class registered under `name`, looked up in the model's own
// table (never the whole type system); 0 when unknown or not a `base`.
GType class_from_name(const char* name, GType base);

// Sets name, schema and database, in that order.
void set_names(gpointer self, const char* database, const char* schema, const char* name);

// --------------------------------------------------------------- JSON form
// The meta object's defaults of the serialize_property and
// deserialize_property slots, and its JsonSerializable implementation
// (meta_json.cpp).
JsonNode* meta_object_real_serialize_property(TarvexBrevaneMetaModelMetaObject* self,
                                              const gchar* property_name, const GValue* value,
                                              GParamSpec* pspec);
gboolean meta_object_real_deserialize_property(TarvexBrevaneMetaModelMetaObject* self,
                                               const gchar* property_name, GValue* value,
                                               GParamSpec* pspec, JsonNode* property_node);
void meta_object_serializable_init(JsonSerializableIface* iface);

// ------------------------------------------------------------------ names
// An absent text read as the empty one.
inline const char* nz(const char* s) {
  return s ? s : "";
}

// The object's name, "" when it has none.
inline const char* object_name(TarvexBrevaneMetaModelMetaObject* self) {
  return nz(tarvex_brevane_meta_model_meta_object_get_name(self));
}

// The object's kind as text (a new text).
inline gchar* kind_text(TarvexBrevaneMetaModelMetaObject* self) {
  return tarvex_providers_contracts_db_object_to_string(
      tarvex_brevane_meta_model_meta_object_character(self));
}

}  // namespace tarvex::meta

// ------------------------------------------------------ exported accessors
// One getter and one setter per property, both checking their object.
#define TARVEX_META_ACCESSORS(Type, prefix, prop, ID, PC, CType, empty) \
  CType prefix##_get_##prop(Type* self) {                               \
    g_return_val_if_fail(self != NULL, empty);                          \
    return ::tarvex::meta::get<CType>(self, PC, ID);                    \
  }                                                                     \
  void prefix##_set_##prop(Type* self, CType value) {                   \
    g_return_if_fail(self != NULL);                                     \
    ::tarvex::meta::set<CType>(self, PC, ID, value);                    \
  }

#define TARVEX_META_TEXT(Type, prefix, prop, ID, PC) \
  TARVEX_META_ACCESSORS(Type, prefix, prop, ID, PC, const gchar*, NULL)
#define TARVEX_META_BOOL(Type, prefix, prop, ID, PC) \
  TARVEX_META_ACCESSORS(Type, prefix, prop, ID, PC, gboolean, FALSE)

// `new` and `construct`.
#define TARVEX_META_NEW(Type, prefix, TYPE)                        \
  Type* prefix##_construct(GType object_type) {                    \
    return static_cast<Type*>(g_object_new(object_type, nullptr)); \
  }                                                                \
  Type* prefix##_new(void) {                                       \
    return prefix##_construct(TYPE);                               \
  }

// `new_with_names` and `construct_with_names` (database, schema, name).
#define TARVEX_META_NEW_WITH_NAMES(Type, prefix, TYPE)                                           \
  Type* prefix##_construct_with_names(GType object_type, const gchar* database,                  \
                                      const gchar* schema, const gchar* name) {                  \
    g_return_val_if_fail(database != NULL, NULL);                                                \
    g_return_val_if_fail(schema != NULL, NULL);                                                  \
    g_return_val_if_fail(name != NULL, NULL);                                                    \
    Type* self = prefix##_construct(object_type);                                                \
    ::tarvex::meta::set_names(self, database, schema, name);                                     \
    return self;                                                                                 \
  }                                                                                              \
  Type* prefix##_new_with_names(const gchar* database, const gchar* schema, const gchar* name) { \
    g_return_val_if_fail(database != NULL, NULL);                                                \
    g_return_val_if_fail(schema != NULL, NULL);                                                  \
    g_return_val_if_fail(name != NULL, NULL);                                                    \
    return prefix##_construct_with_names(TYPE, database, schema, name);                          \
  }
