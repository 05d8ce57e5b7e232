#include "brevane/settings/user_setting.h"

#include <glib/gi18n-lib.h>
#include <json-glib/json-glib.h>

#include <string>

#include "common/tarvex-gobject-private.h"
#include "common/tarvex-json-file-private.h"

using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

enum {
  PROP_0,
  PROP_GENERAL,
  PROP_STORAGE,
  PROP_EDITOR,
  PROP_DATAGRID,
  PROP_NETWORK,
  PROP_LOGGING,
  PROP_DATATOOL,
  PROP_EXTENSION,
  N_PROPERTIES,
};

GParamSpec* properties[N_PROPERTIES];

// The groups' types in property order.
GType group_type(guint id) {
  switch (id) {
    case PROP_GENERAL:
      return TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_GENERAL_SETTING;
    case PROP_STORAGE:
      return TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_STORAGE_SETTING;
    case PROP_EDITOR:
      return TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_EDITOR_SETTING;
    case PROP_DATAGRID:
      return TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_DATA_GRID_SETTING;
    case PROP_NETWORK:
      return TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_NETWORK_SETTING;
    case PROP_LOGGING:
      return TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_LOGGING_SETTING;
    case PROP_DATATOOL:
      return TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_DATA_TOOL_SETTING;
    case PROP_EXTENSION:
      return TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_EXTENSION_SETTING;
    default:
      return G_TYPE_INVALID;
  }
}

const char* const kNames[N_PROPERTIES] = {nullptr,   "general", "storage",  "editor",   "datagrid",
                                          "network", "logging", "datatool", "extension"};

struct JsonNodeFree {
  void operator()(JsonNode* node) const { json_node_unref(node); }
};
using NodePtr = tarvex::GUnique<JsonNode, JsonNodeFree>;

}  // namespace

struct _TarvexBrevaneContractsSettingUserSettingPrivate {
  GRef<GObject> groups[N_PROPERTIES];
  std::string filename;
  // The file at `filename` was there but could not be loaded: it is kept
  // aside before the next save.
  bool keep_aside = false;
  bool has_filename = false;

  _TarvexBrevaneContractsSettingUserSettingPrivate() {
    for (guint id = PROP_GENERAL; id < N_PROPERTIES; id++)
      groups[id] = tarvex::adoptGRef(G_OBJECT(g_object_new(group_type(id), nullptr)));
  }
};

TARVEX_DEFINE_TYPE(TarvexBrevaneContractsSettingUserSetting,
                   tarvex_brevane_contracts_setting_user_setting, G_TYPE_OBJECT)

G_DEFINE_QUARK(UserSetting, tarvex_brevane_contracts_setting_user_setting_error)

static TarvexBrevaneContractsSettingUserSettingPrivate* priv_of(gconstpointer self) {
  return tarvex_brevane_contracts_setting_user_setting_get_private(self);
}

// Identity comparison: handing the held group back changes nothing.
static void set_group(TarvexBrevaneContractsSettingUserSetting* self, guint id, gpointer group) {
  auto& slot = priv_of(self)->groups[id];
  if (slot.get() == group) return;
  slot = tarvex::retainGRef(static_cast<GObject*>(group));
  g_object_notify_by_pspec(G_OBJECT(self), properties[id]);
}

static void tarvex_brevane_contracts_setting_user_setting_get_property(GObject* object, guint id,
                                                                       GValue* value,
                                                                       GParamSpec* spec) {
  if (id == 0 || id >= N_PROPERTIES) {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);
    return;
  }
  g_value_set_object(value, priv_of(object)->groups[id].get());
}

static void tarvex_brevane_contracts_setting_user_setting_set_property(GObject* object, guint id,
                                                                       const GValue* value,
                                                                       GParamSpec* spec) {
  if (id == 0 || id >= N_PROPERTIES) {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);
    return;
  }
  set_group(reinterpret_cast<TarvexBrevaneContractsSettingUserSetting*>(object), id,
            g_value_get_object(value));
}

static void tarvex_brevane_contracts_setting_user_setting_class_setup(
    TarvexBrevaneContractsSettingUserSettingClass* klass) {
  GObjectClass* object_class = G_OBJECT_CLASS(klass);
  object_class->get_property = tarvex_brevane_contracts_setting_user_setting_get_property;
  object_class->set_property = tarvex_brevane_contracts_setting_user_setting_set_property;
  const auto flags =
      GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS | G_PARAM_EXPLICIT_NOTIFY);
  for (guint id = PROP_GENERAL; id < N_PROPERTIES; id++)
    properties[id] = g_param_spec_object(kNames[id], kNames[id], kNames[id], group_type(id), flags);
  g_object_class_install_properties(object_class, N_PROPERTIES, properties);
  // The host emits "changed" by name once it has applied new settings.
  g_signal_new("changed", G_TYPE_FROM_CLASS(klass), G_SIGNAL_RUN_LAST, 0, nullptr, nullptr,
               g_cclosure_marshal_VOID__VOID, G_TYPE_NONE, 0);
}

TarvexBrevaneContractsSettingUserSetting* tarvex_brevane_contracts_setting_user_setting_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneContractsSettingUserSetting*>(g_object_new(object_type, nullptr));
}

TarvexBrevaneContractsSettingUserSetting* tarvex_brevane_contracts_setting_user_setting_new(void) {
  return tarvex_brevane_contracts_setting_user_setting_construct(
      TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_USER_SETTING);
}

void tarvex_brevane_contracts_setting_user_setting_load(
    TarvexBrevaneContractsSettingUserSetting* self, const gchar* filename, GError** error) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(filename != NULL);
  auto* priv = priv_of(self);
  // Stored first: a later save goes to this name even when loading fails.
  priv->filename = filename;
  priv->has_filename = true;
  priv->keep_aside = false;

  auto fail = [&](GError* local) {
    priv->keep_aside = tarvex::json_file::must_keep_aside(local);
    g_propagate_error(error, local);
  };
  auto parser = tarvex::adoptGRef(json_parser_new());
  GError* local = nullptr;
  if (!tarvex::json_file::load(parser.get(), filename, &local)) return fail(local);

  JsonNode* root = json_parser_get_root(parser.get());
  GRef<GObject> loaded;
  if (root && JSON_NODE_HOLDS_OBJECT(root)) {
    // A group written as null would leave the settings without that group:
    // such members are dropped so the group keeps its defaults.
    NodePtr copy(json_node_copy(root));
    JsonObject* members = json_node_get_object(copy.get());
    for (guint id = PROP_GENERAL; id < N_PROPERTIES; id++) {
      JsonNode* member = json_object_get_member(members, kNames[id]);
      if (member && JSON_NODE_HOLDS_NULL(member)) json_object_remove_member(members, kNames[id]);
    }
    loaded = tarvex::adoptGRef(
        json_gobject_deserialize(TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_USER_SETTING, copy.get()));
  }
  if (!loaded)
    return fail(g_error_new_literal(TARVEX_BREVANE_CONTRACTS_SETTING_USER_SETTING_ERROR, -2,
                                    _("Load user setting file failure")));
  auto* read = priv_of(loaded.get());
  for (guint id = PROP_GENERAL; id < N_PROPERTIES; id++)
    set_group(self, id, read->groups[id].get());
}

void tarvex_brevane_contracts_setting_user_setting_save(
    TarvexBrevaneContractsSettingUserSetting* self, GError** error) {
  g_return_if_fail(self != NULL);
  auto* priv = priv_of(self);
  if (!priv->has_filename) {
    g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_FAILED, _("The settings have no file name"));
    return;
  }
  auto generator = tarvex::adoptGRef(json_generator_new());
  json_generator_set_pretty(generator.get(), TRUE);
  json_generator_set_indent(generator.get(), 2);
  json_generator_set_indent_char(generator.get(), ' ');
  NodePtr root(json_gobject_serialize(G_OBJECT(self)));
  json_generator_set_root(generator.get(), root.get());
  gsize length = 0;
  GUniqueStr text(json_generator_to_data(generator.get(), &length));

  // The file holds the proxy password in clear: owner-only, and written
  // through a temporary file renamed into place so a failed save leaves the
  // previous file whole.
  // A file that could not be loaded still holds the user's settings: it is
  // moved aside rather than replaced by the defaults.
  if (priv->keep_aside) {
    if (!tarvex::json_file::keep_aside(priv->filename, error)) return;
    priv->keep_aside = false;
  }
  GError* local = nullptr;
  if (!g_file_set_contents_full(priv->filename.c_str(), text.get(), gssize(length),
                                G_FILE_SET_CONTENTS_CONSISTENT, 0600, &local)) {
    if (!local) local = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_FAILED, priv->filename.c_str());
    g_propagate_error(error, local);
  }
}

#define USER_SETTING_GROUP(prop, ID, Group)                                                       \
  TarvexBrevaneContractsSetting##Group* tarvex_brevane_contracts_setting_user_setting_get_##prop( \
      TarvexBrevaneContractsSettingUserSetting* self) {                                           \
    g_return_val_if_fail(self != NULL, NULL);                                                     \
    return reinterpret_cast<TarvexBrevaneContractsSetting##Group*>(                               \
        priv_of(self)->groups[ID].get());                                                         \
  }                                                                                               \
  void tarvex_brevane_contracts_setting_user_setting_set_##prop(                                  \
      TarvexBrevaneContractsSettingUserSetting* self,                                             \
      TarvexBrevaneContractsSetting##Group* value) {                                              \
    g_return_if_fail(self != NULL);                                                               \
    set_group(self, ID, value);                                                                   \
  }

USER_SETTING_GROUP(general, PROP_GENERAL, GeneralSetting)
USER_SETTING_GROUP(storage, PROP_STORAGE, StorageSetting)
USER_SETTING_GROUP(editor, PROP_EDITOR, EditorSetting)
USER_SETTING_GROUP(datagrid, PROP_DATAGRID, DataGridSetting)
USER_SETTING_GROUP(network, PROP_NETWORK, NetworkSetting)
USER_SETTING_GROUP(logging, PROP_LOGGING, LoggingSetting)
USER_SETTING_GROUP(datatool, PROP_DATATOOL, DataToolSetting)
USER_SETTING_GROUP(extension, PROP_EXTENSION, ExtensionSetting)
