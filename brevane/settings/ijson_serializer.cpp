#include "brevane/settings/ijson_serializer.h"

#include <string>
#include <vector>

#include "brevane/settings/setting-private.h"
#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

using tarvex::GUniqueStr;

namespace {

void default_serialize(TarvexBrevaneContractsSerializationIJsonSerializer*, JsonBuilder* builder,
                       GObject* object);
void default_deserialize(TarvexBrevaneContractsSerializationIJsonSerializer*,
                         JsonObject* json_object, GObject* object);

}  // namespace

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsSerializationIJsonSerializer,
                        tarvex_brevane_contracts_serialization_ijson_serializer, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_serialization_ijson_serializer_default_init(
    TarvexBrevaneContractsSerializationIJsonSerializerIface* iface) {
  iface->serialize = default_serialize;
  iface->deserialize = default_deserialize;
}

void tarvex_brevane_contracts_serialization_ijson_serializer_serialize(
    TarvexBrevaneContractsSerializationIJsonSerializer* self, JsonBuilder* builder,
    GObject* object) {
  tarvex::call_slot<&TarvexBrevaneContractsSerializationIJsonSerializerIface::serialize>(
      self, builder, object);
}

void tarvex_brevane_contracts_serialization_ijson_serializer_deserialize(
    TarvexBrevaneContractsSerializationIJsonSerializer* self, JsonObject* json_object,
    GObject* object) {
  tarvex::call_slot<&TarvexBrevaneContractsSerializationIJsonSerializerIface::deserialize>(
      self, json_object, object);
}

namespace {

void write_value(JsonBuilder* builder, const GValue* value) {
  GType type = G_VALUE_TYPE(value);
  switch (G_TYPE_FUNDAMENTAL(type)) {
    case G_TYPE_CHAR:
      json_builder_add_int_value(builder, g_value_get_schar(value));
      return;
    case G_TYPE_UCHAR:
      json_builder_add_int_value(builder, g_value_get_uchar(value));
      return;
    case G_TYPE_BOOLEAN:
      json_builder_add_boolean_value(builder, g_value_get_boolean(value));
      return;
    case G_TYPE_INT:
      json_builder_add_int_value(builder, g_value_get_int(value));
      return;
    case G_TYPE_UINT:
      json_builder_add_int_value(builder, g_value_get_uint(value));
      return;
    case G_TYPE_LONG:
      json_builder_add_int_value(builder, g_value_get_long(value));
      return;
    case G_TYPE_ULONG:
      json_builder_add_int_value(builder, static_cast<gint64>(g_value_get_ulong(value)));
      return;
    case G_TYPE_INT64:
      json_builder_add_int_value(builder, g_value_get_int64(value));
      return;
    case G_TYPE_UINT64:
      // JSON integers are signed 64-bit: the bits are kept, the sign is not.
      json_builder_add_int_value(builder, static_cast<gint64>(g_value_get_uint64(value)));
      return;
    case G_TYPE_FLOAT:
      json_builder_add_double_value(builder, g_value_get_float(value));
      return;
    case G_TYPE_DOUBLE:
      json_builder_add_double_value(builder, g_value_get_double(value));
      return;
    case G_TYPE_STRING: {
      const char* text = g_value_get_string(value);
      json_builder_add_string_value(builder, text ? text : "");
      return;
    }
    case G_TYPE_ENUM:
      json_builder_add_int_value(builder, g_value_get_enum(value));
      return;
    case G_TYPE_FLAGS:
      json_builder_add_int_value(builder, static_cast<guint32>(g_value_get_flags(value)));
      return;
    default:
      break;
  }
  if (type == G_TYPE_DATE_TIME) {
    auto* moment = static_cast<GDateTime*>(g_value_get_boxed(value));
    json_builder_add_string_value(builder,
                                  moment ? tarvex::settings::iso8601_text(moment).c_str() : "");
    return;
  }
  if (type == G_TYPE_STRV) {
    json_builder_begin_array(builder);
    if (auto* strv = static_cast<gchar**>(g_value_get_boxed(value)))
      for (gchar** p = strv; *p; p++) json_builder_add_string_value(builder, *p);
    json_builder_end_array(builder);
    return;
  }
  GUniqueStr text(g_strdup_value_contents(value));
  json_builder_add_string_value(builder, text.get());
}

void default_serialize(TarvexBrevaneContractsSerializationIJsonSerializer*, JsonBuilder* builder,
                       GObject* object) {
  g_return_if_fail(builder != NULL);
  g_return_if_fail(object != NULL);
  guint count = 0;
  GParamSpec** specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(object), &count);
  for (guint i = 0; i < count; i++) {
    GParamSpec* spec = specs[i];
    if (!(spec->flags & G_PARAM_WRITABLE)) continue;
    tarvex::GValueHolder value(G_PARAM_SPEC_VALUE_TYPE(spec));
    g_object_get_property(object, spec->name, value.get());
    json_builder_set_member_name(builder, spec->name);
    write_value(builder, value.get());
  }
  g_free(specs);
}

// The member's value when it is a plain JSON value (or null); NULL for
// arrays and objects, which read as zero, false or no value.
bool holds_scalar(JsonNode* node) {
  return JSON_NODE_HOLDS_VALUE(node) || JSON_NODE_HOLDS_NULL(node);
}
gint64 int_of(JsonNode* node) {
  return JSON_NODE_HOLDS_VALUE(node) ? json_node_get_int(node) : 0;
}
double double_of(JsonNode* node) {
  return JSON_NODE_HOLDS_VALUE(node) ? json_node_get_double(node) : 0;
}
bool boolean_of(JsonNode* node) {
  return JSON_NODE_HOLDS_VALUE(node) && json_node_get_boolean(node);
}
const char* string_of(JsonNode* node) {
  return JSON_NODE_HOLDS_VALUE(node) ? json_node_get_string(node) : nullptr;
}

// Replaces `value` from `node`; false for a type this serialiser cannot read.
bool read_value(JsonNode* node, GValue* value) {
  GType type = G_VALUE_TYPE(value);
  switch (G_TYPE_FUNDAMENTAL(type)) {
    case G_TYPE_CHAR:
      g_value_set_schar(value, static_cast<gint8>(int_of(node)));
      return true;
    case G_TYPE_UCHAR:
      g_value_set_uchar(value, static_cast<guint8>(int_of(node)));
      return true;
    case G_TYPE_BOOLEAN:
      g_value_set_boolean(value, boolean_of(node));
      return true;
    case G_TYPE_INT:
      g_value_set_int(value, static_cast<gint>(int_of(node)));
      return true;
    case G_TYPE_UINT:
      g_value_set_uint(value, static_cast<guint>(int_of(node)));
      return true;
    case G_TYPE_LONG:
      g_value_set_long(value, static_cast<glong>(int_of(node)));
      return true;
    case G_TYPE_ULONG:
      g_value_set_ulong(value, static_cast<gulong>(int_of(node)));
      return true;
    case G_TYPE_INT64:
      g_value_set_int64(value, int_of(node));
      return true;
    case G_TYPE_UINT64:
      g_value_set_uint64(value, static_cast<guint64>(int_of(node)));
      return true;
    case G_TYPE_FLOAT:
      g_value_set_float(value, static_cast<float>(double_of(node)));
      return true;
    case G_TYPE_DOUBLE:
      g_value_set_double(value, double_of(node));
      return true;
    case G_TYPE_STRING:
      g_value_set_string(value, string_of(node));
      return true;
    case G_TYPE_ENUM:
      g_value_set_enum(value, static_cast<gint>(int_of(node)));
      return true;
    case G_TYPE_FLAGS:
      g_value_set_flags(value, static_cast<guint32>(int_of(node)));
      return true;
    default:
      break;
  }
  if (type == G_TYPE_DATE_TIME) {
    const char* text = holds_scalar(node) && json_node_get_value_type(node) == G_TYPE_STRING
                           ? string_of(node)
                           : nullptr;
    g_value_take_boxed(value, tarvex::settings::iso8601_parse(text));
    return true;
  }
  if (type == G_TYPE_STRV) {
    if (!JSON_NODE_HOLDS_ARRAY(node)) return true;  // keeps the current vector
    JsonArray* array = json_node_get_array(node);
    guint length = json_array_get_length(array);
    auto** strv = g_new0(gchar*, length + 1);
    for (guint i = 0; i < length; i++)
      strv[i] = g_strdup(string_of(json_array_get_element(array, i)));
    g_value_take_boxed(value, strv);
    return true;
  }
  return false;
}

void default_deserialize(TarvexBrevaneContractsSerializationIJsonSerializer*,
                         JsonObject* json_object, GObject* object) {
  g_return_if_fail(json_object != NULL);
  g_return_if_fail(object != NULL);
  GObjectClass* klass = G_OBJECT_GET_CLASS(object);
  GList* names = json_object_get_members(json_object);
  for (GList* l = names; l; l = l->next) {
    auto* member = static_cast<const char*>(l->data);
    if (g_strcmp0(member, "class") == 0) continue;
    std::string name(member);
    for (char& c : name)
      if (c == '-') c = '_';
    GParamSpec* spec = g_object_class_find_property(klass, name.c_str());
    if (!spec || !(spec->flags & G_PARAM_WRITABLE)) continue;
    tarvex::GValueHolder value(G_PARAM_SPEC_VALUE_TYPE(spec));
    g_object_get_property(object, spec->name, value.get());
    if (!read_value(json_object_get_member(json_object, member), value.get()))
      g_warning("serializer_json:201: Type: %s -> %s", spec->name,
                g_type_name(G_PARAM_SPEC_VALUE_TYPE(spec)));
    g_object_set_property(object, spec->name, value.get());
  }
  g_list_free(names);
}

}  // namespace
