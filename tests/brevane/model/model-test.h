// Shared helpers of the meta-model tests.
#pragma once

#include <gee.h>
#include <json-glib/json-glib.h>

#include <map>
#include <string>
#include <vector>

#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/log-capture.h"

namespace tarvex::test {

template <typename T>
inline GRef<T> adopt(T* p) {
  return GRef<T>::adopt(p);
}

inline TarvexBrevaneMetaModelMetaObject* META(gpointer p) {
  return reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(p);
}

// The object's JSON text, as the transform compares it.
inline std::string to_json(gpointer object) {
  gsize length = 0;
  GUniqueStr data(json_gobject_to_data(G_OBJECT(object), &length));
  return data.get() ? std::string(data.get(), length) : std::string();
}

template <typename T = GObject>
inline GRef<T> from_json(GType type, const std::string& text) {
  GUniqueError error;
  GObject* object = json_gobject_from_data(type, text.c_str(), -1, error.out());
  EXPECT_FALSE(error) << (error ? error->message : "");
  return GRef<T>::adopt(reinterpret_cast<T*>(object));
}

inline std::map<std::string, std::string> map_entries(GeeMap* map) {
  std::map<std::string, std::string> out;
  auto it = GRef<GeeMapIterator>::adopt(gee_map_map_iterator(map));
  while (gee_map_iterator_next(it.get())) {
    GUniqueStr k(static_cast<char*>(gee_map_iterator_get_key(it.get())));
    GUniqueStr v(static_cast<char*>(gee_map_iterator_get_value(it.get())));
    out[k.get()] = v.get() ? v.get() : "(null)";
  }
  return out;
}
inline std::map<std::string, std::string> map_entries(gpointer map) {
  return map_entries(GEE_MAP(map));
}

inline std::map<std::string, int> diff_entries(TarvexBrevaneMetaModelMetaObject* object) {
  auto diff = GRef<GeeHashMap>::adopt(tarvex_brevane_meta_model_meta_object_diff(object));
  std::map<std::string, int> out;
  auto it = GRef<GeeMapIterator>::adopt(gee_map_map_iterator(GEE_MAP(diff.get())));
  while (gee_map_iterator_next(it.get())) {
    GUniqueStr k(static_cast<char*>(gee_map_iterator_get_key(it.get())));
    out[k.get()] = GPOINTER_TO_INT(gee_map_iterator_get_value(it.get()));
  }
  return out;
}

inline std::map<std::string, std::string> slice_entries(TarvexBrevaneMetaModelMetaObject* object) {
  auto slice = GRef<GeeHashMap>::adopt(tarvex_brevane_meta_model_meta_object_slice(object));
  return map_entries(GEE_MAP(slice.get()));
}

inline std::vector<std::string> str_list(gpointer list) {
  std::vector<std::string> out;
  gint n = gee_collection_get_size(GEE_COLLECTION(list));
  for (gint i = 0; i < n; ++i) {
    GUniqueStr s(static_cast<char*>(gee_list_get(GEE_LIST(list), i)));
    out.emplace_back(s.get() ? s.get() : "(null)");
  }
  return out;
}

inline gint list_size(gpointer list) {
  return gee_collection_get_size(GEE_COLLECTION(list));
}

// A new reference to element i of a Gee list of objects.
template <typename T = TarvexBrevaneMetaModelMetaObject>
inline GRef<T> list_at(gpointer list, gint i) {
  return GRef<T>::adopt(static_cast<T*>(gee_list_get(GEE_LIST(list), i)));
}

inline std::vector<std::string> names_of(gpointer list) {
  std::vector<std::string> out;
  for (gint i = 0; i < list_size(list); ++i)
    out.emplace_back(tarvex_brevane_meta_model_meta_object_get_name(list_at(list, i).get()));
  return out;
}

// Counts "notify" emissions per property name.
class NotifyCounter {
 public:
  explicit NotifyCounter(gpointer object) : object_(G_OBJECT(object)) {
    id_ = g_signal_connect(object_, "notify", G_CALLBACK(on_notify), this);
  }
  ~NotifyCounter() { g_signal_handler_disconnect(object_, id_); }
  int count(const std::string& name) const {
    auto it = counts_.find(name);
    return it == counts_.end() ? 0 : it->second;
  }
  int total() const {
    int n = 0;
    for (const auto& [k, v] : counts_) n += v;
    return n;
  }
  void clear() { counts_.clear(); }

 private:
  static void on_notify(GObject*, GParamSpec* pspec, gpointer data) {
    static_cast<NotifyCounter*>(data)->counts_[pspec->name]++;
  }
  GObject* object_;
  gulong id_ = 0;
  std::map<std::string, int> counts_;
};

}  // namespace tarvex::test
