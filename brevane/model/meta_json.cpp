// The JSON form of the meta model: containers go out as JSON objects and
// arrays and come back from them; every other property takes json-glib's
// default.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

#define SELF(o) reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(o)

static JsonNode* serialize_str_map(GeeMap* map) {
  std::vector<std::pair<std::string, std::string>> entries;
  for_each_entry(map, [&](const char* k, const char* v) { entries.emplace_back(nz(k), nz(v)); });
  // Sorted, so that equal maps always give equal texts.
  std::sort(entries.begin(), entries.end());
  JsonObject* object = json_object_new();
  for (const auto& [k, v] : entries) json_object_set_string_member(object, k.c_str(), v.c_str());
  JsonNode* node = json_node_new(JSON_NODE_OBJECT);
  json_node_take_object(node, object);
  return node;
}

static JsonNode* serialize_element(GObject* element, bool tagged) {
  JsonNode* node = json_gobject_serialize(element);
  if (tagged && JSON_NODE_HOLDS_OBJECT(node))
    json_object_set_string_member(json_node_get_object(node), "class", G_OBJECT_TYPE_NAME(element));
  return node;
}

static JsonNode* serialize_container(const PropDecl& d, const GValue* value) {
  GObject* container = G_VALUE_HOLDS_OBJECT(value) ? G_OBJECT(g_value_get_object(value)) : nullptr;
  if (d.holds == Holds::StrMap)
    return serialize_str_map(container && GEE_IS_MAP(container) ? GEE_MAP(container) : nullptr);
  if (d.holds == Holds::ListModel && !container) return nullptr;

  JsonArray* array = json_array_new();
  bool tagged = d.opts & kTagged;
  if (d.holds == Holds::ListModel && G_IS_LIST_MODEL(container)) {
    guint n = g_list_model_get_n_items(G_LIST_MODEL(container));
    for (guint i = 0; i < n; ++i) {
      auto element =
          adoptGRef(static_cast<GObject*>(g_list_model_get_item(G_LIST_MODEL(container), i)));
      if (element) json_array_add_element(array, serialize_element(element.get(), tagged));
    }
  } else if (container && GEE_IS_LIST(container)) {
    gint n = gee_collection_get_size(GEE_COLLECTION(container));
    for (gint i = 0; i < n; ++i) {
      gpointer item = gee_list_get(GEE_LIST(container), i);
      if (d.holds == Holds::StrList) {
        json_array_add_string_element(array, nz(static_cast<char*>(item)));
        g_free(item);
      } else {
        auto element = adoptGRef(static_cast<GObject*>(item));
        if (element)
          json_array_add_element(array, serialize_element(element.get(), tagged));
        else
          json_array_add_null_element(array);
      }
    }
  }
  JsonNode* node = json_node_new(JSON_NODE_ARRAY);
  json_node_take_array(node, array);
  return node;
}

static const char* string_or_empty(JsonNode* node) {
  if (node && JSON_NODE_HOLDS_VALUE(node) && json_node_get_value_type(node) == G_TYPE_STRING)
    return nz(json_node_get_string(node));
  return "";
}

// A meta object made from one element of a JSON array, or null (reported).
static GObject* deserialize_element(const PropDecl& d, const char* property_name, guint index,
                                    JsonNode* node) {
  if (!node || !JSON_NODE_HOLDS_OBJECT(node)) {
    g_warning("Element %u of \"%s\" is not a JSON object; it is skipped", index, property_name);
    return nullptr;
  }
  GType type = d.elem();
  if (d.opts & kTagged) {
    JsonObject* object = json_node_get_object(node);
    JsonNode* klass = json_object_get_member(object, "class");
    const char* class_name =
        klass && JSON_NODE_HOLDS_VALUE(klass) && json_node_get_value_type(klass) == G_TYPE_STRING
            ? json_node_get_string(klass)
            : nullptr;
    type = class_name ? class_from_name(class_name, d.elem()) : 0;
    if (!type) {
      if (class_name)
        g_warning("Element %u of \"%s\" names the class \"%s\", which is not a %s; it is skipped",
                  index, property_name, class_name, g_type_name(d.elem()));
      else
        g_warning("Element %u of \"%s\" has no \"class\" member; it is skipped", index,
                  property_name);
      return nullptr;
    }
  }
  return json_gobject_deserialize(type, node);
}

static gboolean deserialize_container(const PropDecl& d, const char* property_name, GValue* value,
                                      JsonNode* node) {
  switch (d.holds) {
    case Holds::StrMap: {
      GeeHashMap* map = new_str_map();
      if (JSON_NODE_HOLDS_OBJECT(node)) {
        JsonObject* object = json_node_get_object(node);
        GUnique<GList> members(json_object_get_members(object));
        for (GList* l = members.get(); l; l = l->next) {
          auto* key = static_cast<const char*>(l->data);
          gee_abstract_map_set(GEE_ABSTRACT_MAP(map), key,
                               string_or_empty(json_object_get_member(object, key)));
        }
      }
      g_value_take_object(value, map);
      return TRUE;
    }
    case Holds::StrList: {
      GeeArrayList* list = new_str_list();
      if (JSON_NODE_HOLDS_ARRAY(node)) {
        JsonArray* array = json_node_get_array(node);
        for (guint i = 0; i < json_array_get_length(array); ++i)
          gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list),
                                      string_or_empty(json_array_get_element(array, i)));
      }
      g_value_take_object(value, list);
      return TRUE;
    }
    case Holds::ObjList:
    case Holds::ListModel: {
      if (d.holds == Holds::ListModel && JSON_NODE_HOLDS_NULL(node)) {
        g_value_set_object(value, nullptr);
        return TRUE;
      }
      GRef<GObject> container = adoptGRef(new_container(d));
      if (JSON_NODE_HOLDS_ARRAY(node)) {
        JsonArray* array = json_node_get_array(node);
        for (guint i = 0; i < json_array_get_length(array); ++i) {
          auto element =
              adoptGRef(deserialize_element(d, property_name, i, json_array_get_element(array, i)));
          if (!element) continue;
          if (d.holds == Holds::ListModel)
            g_list_store_append(G_LIST_STORE(container.get()), element.get());
          else
            gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(container.get()), element.get());
        }
      }
      g_value_take_object(value, container.leak());
      return TRUE;
    }
    case Holds::Nothing:
      break;
  }
  return FALSE;
}

namespace tarvex::meta {

JsonNode* meta_object_real_serialize_property(TarvexBrevaneMetaModelMetaObject* self,
                                              const gchar* property_name, const GValue* value,
                                              GParamSpec* pspec) {
  const PropDecl* d = decl_of(pspec);
  if (d && d->holds != Holds::Nothing) return serialize_container(*d, value);
  return json_serializable_default_serialize_property(JSON_SERIALIZABLE(self), property_name, value,
                                                      pspec);
}

gboolean meta_object_real_deserialize_property(TarvexBrevaneMetaModelMetaObject* self,
                                               const gchar* property_name, GValue* value,
                                               GParamSpec* pspec, JsonNode* property_node) {
  const PropDecl* d = decl_of(pspec);
  if (d && d->holds != Holds::Nothing)
    return deserialize_container(*d, property_name, value, property_node);
  return json_serializable_default_deserialize_property(JSON_SERIALIZABLE(self), property_name,
                                                        value, pspec, property_node);
}

void meta_object_serializable_init(JsonSerializableIface* iface) {
  iface->serialize_property = [](JsonSerializable* self, const gchar* property_name,
                                 const GValue* value, GParamSpec* pspec) {
    return tarvex_brevane_meta_model_meta_object_serialize_property(SELF(self), property_name,
                                                                    value, pspec);
  };
  iface->deserialize_property = [](JsonSerializable* self, const gchar* property_name,
                                   GValue* value, GParamSpec* pspec, JsonNode* property_node) {
    return tarvex_brevane_meta_model_meta_object_deserialize_property(SELF(self), property_name,
                                                                      value, pspec, property_node);
  };
}

}  // namespace tarvex::meta
