// The JSON form of values and result models (see model-json-private.h).
#include <string>

#include "providers/contracts/data_set_model.h"
#include "providers/contracts/gee-list-private.h"
#include "providers/contracts/model-json-private.h"
#include "providers/contracts/table_model-private.h"

using namespace tarvex;

namespace {

JsonNode* string_node(const char* text) {
  if (!text) return json_node_new(JSON_NODE_NULL);
  JsonNode* node = json_node_new(JSON_NODE_VALUE);
  json_node_set_string(node, text);
  return node;
}

JsonNode* array_node(JsonArray* array) {
  JsonNode* node = json_node_new(JSON_NODE_ARRAY);
  json_node_take_array(node, array);
  return node;
}

JsonNode* object_node(JsonObject* object) {
  JsonNode* node = json_node_new(JSON_NODE_OBJECT);
  json_node_take_object(node, object);
  return node;
}

std::string data_type_nick(gint kind) {
  auto* klass =
      static_cast<GEnumClass*>(g_type_class_ref(tarvex_providers_contracts_data_type_get_type()));
  GEnumValue* value = g_enum_get_value(klass, kind);
  std::string nick = value ? value->value_nick : std::to_string(kind);
  g_type_class_unref(klass);
  return nick;
}

// The text of a value: its own text, or for byte data every byte in
// hexadecimal (its own text stops at the first zero byte).
GUniqueStr value_text(TarvexProvidersContractsValueObject* value) {
  if (tarvex_providers_contracts_value_object_get_is_null(value)) return nullptr;
  GValueHolder generic;
  tarvex_providers_contracts_value_object_to_value(value, generic.get());
  if (G_VALUE_HOLDS(generic.get(), G_TYPE_BYTES)) {
    auto* bytes = static_cast<GBytes*>(g_value_get_boxed(generic.get()));
    gsize size = 0;
    auto* data = bytes ? static_cast<const guint8*>(g_bytes_get_data(bytes, &size)) : nullptr;
    GString* hex = g_string_sized_new(size * 2);
    for (gsize i = 0; i < size; i++) g_string_append_printf(hex, "%02X", data[i]);
    return GUniqueStr(g_string_free(hex, FALSE));
  }
  GUniqueStr text(tarvex_providers_contracts_value_object_to_string(value));
  if (!text) text.reset(g_strdup(""));
  return text;
}

JsonNode* row_values_node(TarvexProvidersContractsRowModel* row) {
  JsonArray* array = json_array_new();
  guint n = models::row_size(row);
  for (guint i = 0; i < n; i++)
    json_array_add_element(array, models::value_to_json(models::row_peek(row, i)));
  return array_node(array);
}

JsonNode* row_node(TarvexProvidersContractsRowModel* row) {
  if (!row) return json_node_new(JSON_NODE_NULL);
  JsonObject* object = json_object_new();
  json_object_set_member(object, "values", row_values_node(row));
  return object_node(object);
}

JsonNode* columns_node(GeeArrayList* columns) {
  JsonArray* array = json_array_new();
  gint n = gee::size(columns);
  for (gint i = 0; i < n; i++) {
    auto column = gee::at<TarvexProvidersContractsColumnModel>(columns, i);
    if (!column) {
      json_array_add_null_element(array);
      continue;
    }
    JsonObject* object = json_object_new();
    json_object_set_member(
        object, "name",
        string_node(tarvex_providers_contracts_column_model_get_name(column.get())));
    json_object_set_string_member(
        object, "data-type",
        data_type_nick(tarvex_providers_contracts_column_model_get_data_type(column.get()))
            .c_str());
    json_object_set_int_member(
        object, "data-size",
        gint64(tarvex_providers_contracts_column_model_get_data_size(column.get())));
    json_array_add_object_element(array, object);
  }
  return array_node(array);
}

JsonNode* rows_node(GeeArrayList* rows) {
  JsonArray* array = json_array_new();
  gint n = gee::size(rows);
  for (gint i = 0; i < n; i++) {
    auto row = gee::at<TarvexProvidersContractsRowModel>(rows, i);
    json_array_add_element(array, row_node(row.get()));
  }
  return array_node(array);
}

JsonNode* table_node(TarvexProvidersContractsTableModel* table) {
  if (!table) return json_node_new(JSON_NODE_NULL);
  JsonObject* object = json_object_new();
  json_object_set_member(object, "columns",
                         columns_node(tarvex_providers_contracts_table_model_get_columns(table)));
  json_object_set_member(object, "rows",
                         rows_node(tarvex_providers_contracts_table_model_get_rows(table)));
  return object_node(object);
}

JsonNode* tables_node(GeeArrayList* tables) {
  JsonArray* array = json_array_new();
  gint n = gee::size(tables);
  for (gint i = 0; i < n; i++) {
    auto table = gee::at<TarvexProvidersContractsTableModel>(tables, i);
    json_array_add_element(array, table_node(table.get()));
  }
  return array_node(array);
}

// json-glib serialises the properties a serializable lists, reading each
// through its get_property hook and writing it through serialize_property.
// The models list their content members; the hooks build those members from
// the content itself (never from the list objects' own properties).
GParamSpec** list_pspecs(GObject* object, std::initializer_list<const char*> names,
                         guint* n_pspecs) {
  auto** pspecs = g_new0(GParamSpec*, names.size() + 1);
  guint n = 0;
  for (const char* name : names)
    if (GParamSpec* pspec = g_object_class_find_property(G_OBJECT_GET_CLASS(object), name))
      pspecs[n++] = pspec;
  *n_pspecs = n;
  return pspecs;
}

// A value's members are built in serialize_property; nothing to read.
void value_get_property(JsonSerializable*, GParamSpec*, GValue*) {}

// Reading "values" would make a row's list only to be ignored.
void row_get_property(JsonSerializable* serializable, GParamSpec* pspec, GValue* value) {
  if (!g_str_equal(pspec->name, "values"))
    g_object_get_property(G_OBJECT(serializable), pspec->name, value);
}

// --------------------------------------------------------------- values

GParamSpec* value_pspec(int which) {
  static GParamSpec* pspecs[2];
  if (g_once_init_enter(&pspecs[which])) {
    const char* name = which == 0 ? "data-type" : "text";
    GParamSpec* pspec = g_param_spec_string(name, name, name, nullptr,
                                            GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS));
    g_param_spec_ref_sink(pspec);
    g_once_init_leave(&pspecs[which], pspec);
  }
  return pspecs[which];
}

GParamSpec** value_list_properties(JsonSerializable*, guint* n_pspecs) {
  auto** pspecs = g_new0(GParamSpec*, 3);
  pspecs[0] = value_pspec(0);
  pspecs[1] = value_pspec(1);
  *n_pspecs = 2;
  return pspecs;
}

JsonNode* value_serialize_property(JsonSerializable* serializable, const gchar* property_name,
                                   const GValue*, GParamSpec*) {
  auto* value = reinterpret_cast<TarvexProvidersContractsValueObject*>(serializable);
  if (g_str_equal(property_name, "data-type"))
    return string_node(
        data_type_nick(tarvex_providers_contracts_value_object_get_data_type(value)).c_str());
  if (g_str_equal(property_name, "text")) return string_node(value_text(value).get());
  return nullptr;
}

// ----------------------------------------------------------------- rows

GParamSpec** row_list_properties(JsonSerializable* serializable, guint* n_pspecs) {
  return list_pspecs(G_OBJECT(serializable), {"values"}, n_pspecs);
}

JsonNode* row_serialize_property(JsonSerializable* serializable, const gchar* property_name,
                                 const GValue*, GParamSpec*) {
  if (!g_str_equal(property_name, "values")) return nullptr;
  return row_values_node(reinterpret_cast<TarvexProvidersContractsRowModel*>(serializable));
}

// --------------------------------------------------------------- tables

GParamSpec** table_list_properties(JsonSerializable* serializable, guint* n_pspecs) {
  return list_pspecs(G_OBJECT(serializable), {"columns", "rows"}, n_pspecs);
}

JsonNode* table_serialize_property(JsonSerializable* serializable, const gchar* property_name,
                                   const GValue*, GParamSpec*) {
  auto* table = reinterpret_cast<TarvexProvidersContractsTableModel*>(serializable);
  if (g_str_equal(property_name, "columns"))
    return columns_node(tarvex_providers_contracts_table_model_get_columns(table));
  if (g_str_equal(property_name, "rows"))
    return rows_node(tarvex_providers_contracts_table_model_get_rows(table));
  return nullptr;
}

// ------------------------------------------------------------ data sets

GParamSpec** data_set_list_properties(JsonSerializable* serializable, guint* n_pspecs) {
  return list_pspecs(G_OBJECT(serializable), {"tables"}, n_pspecs);
}

JsonNode* data_set_serialize_property(JsonSerializable* serializable, const gchar* property_name,
                                      const GValue*, GParamSpec*) {
  if (!g_str_equal(property_name, "tables")) return nullptr;
  return tables_node(tarvex_providers_contracts_data_set_model_get_tables(
      reinterpret_cast<TarvexProvidersContractsDataSetModel*>(serializable)));
}

}  // namespace

namespace tarvex::models {

JsonNode* value_to_json(TarvexProvidersContractsValueObject* value) {
  if (!value) return json_node_new(JSON_NODE_NULL);
  JsonObject* object = json_object_new();
  json_object_set_member(
      object, "data-type",
      string_node(
          data_type_nick(tarvex_providers_contracts_value_object_get_data_type(value)).c_str()));
  json_object_set_member(object, "text", string_node(value_text(value).get()));
  return object_node(object);
}

void value_serializable_init(JsonSerializableIface* iface) {
  iface->list_properties = value_list_properties;
  iface->get_property = value_get_property;
  iface->serialize_property = value_serialize_property;
}

void row_serializable_init(JsonSerializableIface* iface) {
  iface->list_properties = row_list_properties;
  iface->get_property = row_get_property;
  iface->serialize_property = row_serialize_property;
}

void table_serializable_init(JsonSerializableIface* iface) {
  iface->list_properties = table_list_properties;
  iface->serialize_property = table_serialize_property;
}

void data_set_serializable_init(JsonSerializableIface* iface) {
  iface->list_properties = data_set_list_properties;
  iface->serialize_property = data_set_serialize_property;
}

}  // namespace tarvex::models
