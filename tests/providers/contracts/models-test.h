// Helpers of the result model tests: values, lists, rows, JSON texts and a
// recorder of list-model changes.
#pragma once

#include <gee.h>
#include <json-glib/json-glib.h>

#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/texts.h"

namespace modeltest {

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

using Column = TarvexProvidersContractsColumnModel;
using Row = TarvexProvidersContractsRowModel;
using Table = TarvexProvidersContractsTableModel;
using Value = TarvexProvidersContractsValueObject;
using DT = TarvexProvidersContractsDataType;

inline constexpr auto INITIAL = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL;
inline constexpr auto IDENTICAL = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_IDENTICAL;
inline constexpr auto DELETE = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE;
inline constexpr auto INSERT = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT;
inline constexpr auto UPDATE = TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE;

inline Value* int32(gint v) {
  return reinterpret_cast<Value*>(tarvex_providers_contracts_value_int32_new(v));
}
inline Value* text(const char* v) {
  return reinterpret_cast<Value*>(tarvex_providers_contracts_value_string_new(v));
}
inline Value* null_value() {
  return reinterpret_cast<Value*>(tarvex_providers_contracts_value_null_new());
}

inline gint size(GeeArrayList* list) {
  return gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
}
inline void add(GeeArrayList* list, gpointer item) {
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), item);
}
template <typename T>
inline GRef<T> at(GeeArrayList* list, gint i) {
  return adoptGRef(static_cast<T*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i)));
}

using tarvex::test::value_text;

// A row of the given values (taking the references).
inline GRef<Row> row_of(std::initializer_list<Value*> values) {
  auto row = adoptGRef(tarvex_providers_contracts_row_model_new());
  GeeArrayList* list = tarvex_providers_contracts_row_model_get_values(row.get());
  for (Value* v : values) {
    add(list, v);
    g_object_unref(v);
  }
  return row;
}

// The object's JSON form, compact (json_gobject_to_data gives the same
// content pretty-printed).
inline std::string json_of(gpointer object) {
  JsonNode* root = json_gobject_serialize(G_OBJECT(object));
  GUniqueStr data(json_to_string(root, FALSE));
  json_node_unref(root);
  return data.get();
}

// Records every items-changed of a list model.
struct ItemsSpy {
  std::vector<std::tuple<guint, guint, guint>> calls;
  gulong id;
  GObject* model;
  explicit ItemsSpy(gpointer target) : model(G_OBJECT(target)) {
    id = g_signal_connect(
        model, "items-changed",
        G_CALLBACK(+[](GListModel*, guint position, guint removed, guint added, gpointer data) {
          static_cast<ItemsSpy*>(data)->calls.emplace_back(position, removed, added);
        }),
        this);
  }
  ~ItemsSpy() { g_signal_handler_disconnect(model, id); }
  using Call = std::tuple<guint, guint, guint>;
};

}  // namespace modeltest
