// Internal helpers over libgee array lists of objects (not installed).
#pragma once

#include <gee.h>

#include "common/tarvex-gobject-private.h"

namespace tarvex::gee {

// An array list holding references to objects of `type`; elements compare
// by identity.
inline GeeArrayList* new_object_list(GType type) {
  return gee_array_list_new(type, reinterpret_cast<GBoxedCopyFunc>(g_object_ref), g_object_unref,
                            nullptr, nullptr, nullptr);
}

inline gint size(GeeArrayList* list) {
  return list ? gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list)) : 0;
}

// A new reference to the element at `index` (which must be in range).
template <typename T = GObject>
inline GRef<T> at(GeeArrayList* list, gint index) {
  return adoptGRef(static_cast<T*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), index)));
}

inline void add(GeeArrayList* list, gpointer item) {
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), item);
}

// Position of the first element that is `item` itself, or -1.
inline gint index_of_identity(GeeArrayList* list, gconstpointer item) {
  gint n = size(list);
  for (gint i = 0; i < n; i++) {
    auto element = at(list, i);
    if (element.get() == item) return i;
  }
  return -1;
}

// Calls fn(T*) for every non-null element, in order.
template <typename T, typename Fn>
inline void for_each(GeeArrayList* list, Fn&& fn) {
  gint n = size(list);
  for (gint i = 0; i < n; i++) {
    auto element = at<T>(list, i);
    if (element) fn(element.get());
  }
}

}  // namespace tarvex::gee
