// Internal C++ support for the GObject types of both libraries.
//
// - GRef<T>: an owning pointer to a GObject (or any type with a ref/unref
//   pair). Taking ownership is always explicit: GRef<T>::adopt() takes over a
//   reference the caller already owns (a transfer-full return), retain()
//   takes a new one. leak() hands the reference to C.
// - GUnique<T>: an owning pointer for other GLib allocations, with a typed
//   deleter table (g_free for strings, GError, GBytes, GDateTime, ...).
// - TARVEX_DEFINE_TYPE*: G_DEFINE_TYPE with a C++ private struct that is
//   placement-constructed in instance init and destroyed in finalize, so
//   members can be std::string, std::vector, mutexes and smart pointers.
//
// Not installed, not part of the API.
#pragma once

#include <glib-object.h>

#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "common/tarvex-export.h"

namespace tarvex {

// ---------------------------------------------------------------------------
// Reference-counting traits. Objects use g_object_ref/unref unless a type
// specialises the traits (boxed or fundamental types with their own pair).
template <typename T>
struct GRefTraits {
  static T* ref(T* p) { return static_cast<T*>(g_object_ref(p)); }
  static void unref(T* p) { g_object_unref(p); }
};

template <>
struct GRefTraits<GBytes> {
  static GBytes* ref(GBytes* p) { return g_bytes_ref(p); }
  static void unref(GBytes* p) { g_bytes_unref(p); }
};
template <>
struct GRefTraits<GDateTime> {
  static GDateTime* ref(GDateTime* p) { return g_date_time_ref(p); }
  static void unref(GDateTime* p) { g_date_time_unref(p); }
};
template <>
struct GRefTraits<GTimeZone> {
  static GTimeZone* ref(GTimeZone* p) { return g_time_zone_ref(p); }
  static void unref(GTimeZone* p) { g_time_zone_unref(p); }
};
template <>
struct GRefTraits<GVariant> {
  static GVariant* ref(GVariant* p) { return g_variant_ref_sink(p); }
  static void unref(GVariant* p) { g_variant_unref(p); }
};
template <>
struct GRefTraits<GMainLoop> {
  static GMainLoop* ref(GMainLoop* p) { return g_main_loop_ref(p); }
  static void unref(GMainLoop* p) { g_main_loop_unref(p); }
};
template <>
struct GRefTraits<GMainContext> {
  static GMainContext* ref(GMainContext* p) { return g_main_context_ref(p); }
  static void unref(GMainContext* p) { g_main_context_unref(p); }
};
template <>
struct GRefTraits<GRegex> {
  static GRegex* ref(GRegex* p) { return g_regex_ref(p); }
  static void unref(GRegex* p) { g_regex_unref(p); }
};
template <>
struct GRefTraits<GMatchInfo> {
  static GMatchInfo* ref(GMatchInfo* p) { return g_match_info_ref(p); }
  static void unref(GMatchInfo* p) { g_match_info_unref(p); }
};
template <>
struct GRefTraits<GHashTable> {
  static GHashTable* ref(GHashTable* p) { return g_hash_table_ref(p); }
  static void unref(GHashTable* p) { g_hash_table_unref(p); }
};
template <>
struct GRefTraits<GPtrArray> {
  static GPtrArray* ref(GPtrArray* p) { return g_ptr_array_ref(p); }
  static void unref(GPtrArray* p) { g_ptr_array_unref(p); }
};
template <>
struct GRefTraits<GByteArray> {
  static GByteArray* ref(GByteArray* p) { return g_byte_array_ref(p); }
  static void unref(GByteArray* p) { g_byte_array_unref(p); }
};
template <>
struct GRefTraits<GArray> {
  static GArray* ref(GArray* p) { return g_array_ref(p); }
  static void unref(GArray* p) { g_array_unref(p); }
};

template <typename T>
class GRef {
 public:
  GRef() noexcept = default;
  GRef(std::nullptr_t) noexcept {}
  GRef(const GRef& other) : ptr_(other.ptr_ ? GRefTraits<T>::ref(other.ptr_) : nullptr) {}
  GRef(GRef&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ~GRef() { reset(); }

  // Takes over a reference the caller owns.
  static GRef adopt(T* p) noexcept {
    GRef r;
    r.ptr_ = p;
    return r;
  }
  // Takes a new reference; the caller keeps its own.
  static GRef retain(T* p) {
    GRef r;
    r.ptr_ = p ? GRefTraits<T>::ref(p) : nullptr;
    return r;
  }

  GRef& operator=(const GRef& other) {
    if (this != &other) {
      T* old = ptr_;
      ptr_ = other.ptr_ ? GRefTraits<T>::ref(other.ptr_) : nullptr;
      if (old) GRefTraits<T>::unref(old);
    }
    return *this;
  }
  GRef& operator=(GRef&& other) noexcept {
    if (this != &other) {
      T* old = std::exchange(ptr_, std::exchange(other.ptr_, nullptr));
      if (old) GRefTraits<T>::unref(old);
    }
    return *this;
  }
  GRef& operator=(std::nullptr_t) {
    reset();
    return *this;
  }

  void reset() {
    if (T* old = std::exchange(ptr_, nullptr)) GRefTraits<T>::unref(old);
  }
  // Hands the reference to the caller (transfer full).
  [[nodiscard]] T* leak() noexcept { return std::exchange(ptr_, nullptr); }
  // A new reference for the caller, keeping ours.
  [[nodiscard]] T* ref() const { return ptr_ ? GRefTraits<T>::ref(ptr_) : nullptr; }

  T* get() const noexcept { return ptr_; }
  T* operator->() const noexcept { return ptr_; }
  T& operator*() const noexcept { return *ptr_; }
  explicit operator bool() const noexcept { return ptr_ != nullptr; }
  bool operator==(const GRef& o) const noexcept { return ptr_ == o.ptr_; }
  bool operator==(const T* o) const noexcept { return ptr_ == o; }

 private:
  T* ptr_ = nullptr;
};

template <typename T>
GRef<T> adoptGRef(T* p) noexcept {
  return GRef<T>::adopt(p);
}
template <typename T>
GRef<T> retainGRef(T* p) {
  return GRef<T>::retain(p);
}

// ---------------------------------------------------------------------------
// GUnique: unique ownership of plain GLib allocations.
template <typename T>
struct GDeleter;

#define TARVEX_DEFINE_GDELETER(Type, expr)     \
  template <>                                  \
  struct GDeleter<Type> {                      \
    void operator()(Type* ptr) const { expr; } \
  };

TARVEX_DEFINE_GDELETER(char, g_free(ptr))
TARVEX_DEFINE_GDELETER(char*, g_strfreev(ptr))
TARVEX_DEFINE_GDELETER(guint8, g_free(ptr))
TARVEX_DEFINE_GDELETER(gunichar2, g_free(ptr))
TARVEX_DEFINE_GDELETER(GError, g_error_free(ptr))
TARVEX_DEFINE_GDELETER(GDate, g_date_free(ptr))
TARVEX_DEFINE_GDELETER(GList, g_list_free(ptr))
TARVEX_DEFINE_GDELETER(GSList, g_slist_free(ptr))
TARVEX_DEFINE_GDELETER(GString, g_string_free(ptr, TRUE))
TARVEX_DEFINE_GDELETER(GTimer, g_timer_destroy(ptr))
TARVEX_DEFINE_GDELETER(GValue, (g_value_unset(ptr), g_free(ptr)))
TARVEX_DEFINE_GDELETER(GSource, g_source_unref(ptr))
TARVEX_DEFINE_GDELETER(GChecksum, g_checksum_free(ptr))
TARVEX_DEFINE_GDELETER(GHmac, g_hmac_unref(ptr))

template <typename T, typename Deleter = GDeleter<T>>
class GUnique {
 public:
  GUnique() noexcept = default;
  GUnique(std::nullptr_t) noexcept {}
  explicit GUnique(T* p) noexcept : ptr_(p) {}
  GUnique(const GUnique&) = delete;
  GUnique& operator=(const GUnique&) = delete;
  GUnique(GUnique&& o) noexcept : ptr_(std::exchange(o.ptr_, nullptr)) {}
  GUnique& operator=(GUnique&& o) noexcept {
    reset(std::exchange(o.ptr_, nullptr));
    return *this;
  }
  ~GUnique() { reset(); }

  void reset(T* p = nullptr) {
    if (T* old = std::exchange(ptr_, p)) Deleter()(old);
  }
  [[nodiscard]] T* release() noexcept { return std::exchange(ptr_, nullptr); }
  T* get() const noexcept { return ptr_; }
  T* operator->() const noexcept { return ptr_; }
  explicit operator bool() const noexcept { return ptr_ != nullptr; }
  // For out-parameters: frees what is held, then lends the slot.
  T** out() {
    reset();
    return &ptr_;
  }

 private:
  T* ptr_ = nullptr;
};

using GUniqueStr = GUnique<char>;
using GUniqueError = GUnique<GError>;

// Owned GValue on the stack.
class GValueHolder {
 public:
  GValueHolder() = default;
  explicit GValueHolder(GType type) { g_value_init(&value_, type); }
  GValueHolder(const GValueHolder&) = delete;
  GValueHolder& operator=(const GValueHolder&) = delete;
  ~GValueHolder() {
    if (G_IS_VALUE(&value_)) g_value_unset(&value_);
  }
  GValue* get() { return &value_; }
  const GValue* get() const { return &value_; }

 private:
  GValue value_ = G_VALUE_INIT;
};

// ---------------------------------------------------------------------------
// Small text helpers shared by the setters of every class.

// Texts compare by content, two absent texts being equal.
inline bool str_equal0(const char* a, const char* b) {
  if (a == b) return true;
  if (!a || !b) return false;
  return std::strcmp(a, b) == 0;
}

// Replaces an owned text when it differs; true when it changed.
inline bool replace_str(char*& slot, const char* value) {
  if (str_equal0(slot, value)) return false;
  char* old = slot;
  slot = g_strdup(value);
  g_free(old);
  return true;
}

// A std::string that may stand for an absent text.
struct OptString {
  std::string text;
  bool present = false;

  OptString() = default;
  OptString(const char* s) { assign(s); }
  void assign(const char* s) {
    present = s != nullptr;
    if (s)
      text.assign(s);
    else
      text.clear();
  }
  const char* c_str() const { return present ? text.c_str() : nullptr; }
  // Stores s; true when the stored text changed.
  bool set(const char* s) {
    if (str_equal0(c_str(), s)) return false;
    assign(s);
    return true;
  }
};

inline char* dup(const std::string& s) {
  return g_strndup(s.data(), s.size());
}
inline char* dup(std::string_view s) {
  return g_strndup(s.data(), s.size());
}

// The GType of an instance type, for the forwarding templates of
// common/tarvex-dispatch-private.h. The type-definition macros below declare it.
template <typename Instance>
struct TypeOf;

}  // namespace tarvex

#define TARVEX_TYPE_OF_(TypeName, type_name, interface)   \
  template <>                                             \
  struct tarvex::TypeOf<TypeName> {                       \
    static constexpr bool is_interface = interface;       \
    static GType get() { return type_name##_get_type(); } \
  };

// ---------------------------------------------------------------------------
// Type definition with a C++ private struct.
//
// Usage, in the .cpp of the class, after the private struct is complete:
//
//   struct _TarvexFooPrivate { std::string name; GRef<GObject> child; };
//   TARVEX_DEFINE_TYPE(TarvexFoo, tarvex_foo, G_TYPE_OBJECT)
//   static void tarvex_foo_class_setup(TarvexFooClass* klass) { ... }
//
// The private struct is struct _TypeName##Private (public headers do not
// name it); the macro declares the TypeName##Private typedef and supplies
// tarvex_foo_init (placement new), a finalize that runs the destructor and
// chains up, and class_init, which calls the class's own
// tarvex_foo_class_setup and then installs that finalize. Release work that
// must happen before finalize (breaking reference cycles) goes in dispose.
// tarvex_foo_get_private(self) returns the struct.
#define TARVEX_PRIVATE_FUNCS_(TypeName, type_name)                                                \
  [[maybe_unused]] static inline TypeName##Private* type_name##_get_private(gconstpointer self) { \
    return static_cast<TypeName##Private*>(type_name##_get_instance_private(                      \
        reinterpret_cast<TypeName*>(const_cast<gpointer>(self))));                                \
  }                                                                                               \
  static void type_name##_private_finalize_(GObject* object) {                                    \
    type_name##_get_private(object)->~TypeName##Private();                                        \
    G_OBJECT_CLASS(type_name##_parent_class)->finalize(object);                                   \
  }                                                                                               \
  static void type_name##_init(TypeName* self) {                                                  \
    new (type_name##_get_instance_private(self)) TypeName##Private();                             \
  }                                                                                               \
  static void type_name##_class_init(TypeName##Class* klass) {                                    \
    type_name##_class_setup(klass);                                                               \
    G_OBJECT_CLASS(klass)->finalize = type_name##_private_finalize_;                              \
  }

#define TARVEX_DEFINE_TYPE_WITH_CODE(TypeName, type_name, PARENT_TYPE, ...)        \
  typedef struct _##TypeName##Private TypeName##Private;                           \
  static void type_name##_class_setup(TypeName##Class* klass);                     \
  static void type_name##_init(TypeName* self);                                    \
  _G_DEFINE_TYPE_EXTENDED_BEGIN(TypeName, type_name, PARENT_TYPE, GTypeFlags(0)) { \
    G_ADD_PRIVATE(TypeName) __VA_ARGS__;                                           \
  }                                                                                \
  _G_DEFINE_TYPE_EXTENDED_END()                                                    \
  TARVEX_TYPE_OF_(TypeName, type_name, false)                                      \
  TARVEX_PRIVATE_FUNCS_(TypeName, type_name)

#define TARVEX_DEFINE_TYPE(TypeName, type_name, PARENT_TYPE) \
  TARVEX_DEFINE_TYPE_WITH_CODE(TypeName, type_name, PARENT_TYPE)

// Interfaces keep the Iface struct name of the headers; G_DEFINE_INTERFACE
// wants TypeName##Interface.
// The _WITH_CODE form runs code at registration (g_define_type_id is the
// new type), e.g. to add a further prerequisite.
#define TARVEX_DEFINE_INTERFACE_WITH_CODE(TypeName, type_name, PREREQ, ...) \
  typedef TypeName##Iface TypeName##Interface;                              \
  TARVEX_TYPE_OF_(TypeName, type_name, true)                                \
  G_DEFINE_INTERFACE_WITH_CODE(TypeName, type_name, PREREQ, __VA_ARGS__)

#define TARVEX_DEFINE_INTERFACE(TypeName, type_name, PREREQ) \
  TARVEX_DEFINE_INTERFACE_WITH_CODE(TypeName, type_name, PREREQ, ;)
