#include "providers/contracts/server_setting.h"

#include <glib/gi18n-lib.h>
#include <json-glib/json-glib.h>

#include <string>
#include <vector>

#include "common/tarvex-json-file-private.h"
#include "providers/contracts/gee-list-private.h"

using namespace tarvex;

namespace {

constexpr auto kFlags =
    GParamFlags(G_PARAM_READWRITE | G_PARAM_EXPLICIT_NOTIFY | G_PARAM_STATIC_STRINGS);

GParamSpec* list_pspec(const char* name) {
  return g_param_spec_object(name, name, name, GEE_TYPE_ARRAY_LIST, kFlags);
}

// Replaces a held list; lists compare by identity. True when it changed.
bool replace_list(GRef<GeeArrayList>& slot, GeeArrayList* value) {
  if (slot.get() == value) return false;
  slot = retainGRef(value);
  return true;
}

// ------------------------------------------------------ JSON of the tree

// The element type of each list member of the tree classes.
GType element_type_of(const char* property_name) {
  if (g_str_equal(property_name, "servers")) return tarvex_providers_contracts_server_get_type();
  if (g_str_equal(property_name, "groups"))
    return tarvex_providers_contracts_server_group_get_type();
  if (g_str_equal(property_name, "organizations"))
    return tarvex_providers_contracts_organization_get_type();
  return G_TYPE_INVALID;
}

JsonNode* serialize_property(JsonSerializable* serializable, const gchar* property_name,
                             const GValue* value, GParamSpec* pspec) {
  if (element_type_of(property_name) == G_TYPE_INVALID)
    return json_serializable_default_serialize_property(serializable, property_name, value, pspec);
  // A list is always written as an array of its elements, never through
  // the list object's own properties.
  JsonArray* array = json_array_new();
  gee::for_each<GObject>(
      static_cast<GeeArrayList*>(g_value_get_object(value)),
      [&](GObject* element) { json_array_add_element(array, json_gobject_serialize(element)); });
  JsonNode* node = json_node_new(JSON_NODE_ARRAY);
  json_node_take_array(node, array);
  return node;
}

gboolean deserialize_property(JsonSerializable* serializable, const gchar* property_name,
                              GValue* value, GParamSpec* pspec, JsonNode* property_node) {
  GType element_type = element_type_of(property_name);
  if (element_type == G_TYPE_INVALID)
    return json_serializable_default_deserialize_property(serializable, property_name, value, pspec,
                                                          property_node);
  auto list = adoptGRef(gee::new_object_list(element_type));
  // Anything but an array reads as an empty list; elements that are not
  // objects are skipped.
  if (JSON_NODE_HOLDS_ARRAY(property_node)) {
    JsonArray* array = json_node_get_array(property_node);
    guint n = json_array_get_length(array);
    for (guint i = 0; i < n; i++) {
      JsonNode* element = json_array_get_element(array, i);
      if (!JSON_NODE_HOLDS_OBJECT(element)) continue;
      auto object = adoptGRef(json_gobject_deserialize(element_type, element));
      if (object) gee::add(list.get(), object.get());
    }
  }
  g_value_set_object(value, list.get());
  return TRUE;
}

void tree_serializable_init(JsonSerializableIface* iface) {
  iface->serialize_property = serialize_property;
  iface->deserialize_property = deserialize_property;
}

// "%s => a, b" from the names of a list's elements.
char* join_names(const char* format, const char* name, GeeArrayList* list,
                 const char* (*name_of)(GObject* element)) {
  GString* names = g_string_new(nullptr);
  gee::for_each<GObject>(list, [&](GObject* element) {
    const char* text = name_of(element);
    g_string_append_printf(names, "%s, ", text ? text : "");
  });
  if (names->len > 0) g_string_truncate(names, names->len - 2);
  GUnique<GString> owned(names);
  return g_strdup_printf(format, name ? name : "", names->str);
}

}  // namespace

// ----------------------------------------------------------- ServerVendors

const gchar* const TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_SUPPORT[1] = {"SQLServer"};
const gchar* const TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_STRUCTURE[5] = {
    "MariaDB", "MySQL", "Oracle", "PostgreSQL", "SQLServer"};
const gchar* const TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_DATABASE[8] = {
    "Access", "Excel", "SQLite", "MariaDB", "MySQL", "Oracle", "PostgreSQL", "SQLServer"};
const gchar* const TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_LOCAL[3] = {"Access", "Excel",
                                                                               "SQLite"};

struct _TarvexProvidersContractsServerVendorsPrivate {};

TARVEX_DEFINE_TYPE(TarvexProvidersContractsServerVendors, tarvex_providers_contracts_server_vendors,
                   G_TYPE_OBJECT)

static void tarvex_providers_contracts_server_vendors_class_setup(
    TarvexProvidersContractsServerVendorsClass*) {}

TarvexProvidersContractsServerVendors* tarvex_providers_contracts_server_vendors_construct(
    GType object_type) {
  return static_cast<TarvexProvidersContractsServerVendors*>(g_object_new(object_type, nullptr));
}

TarvexProvidersContractsServerVendors* tarvex_providers_contracts_server_vendors_new(void) {
  return tarvex_providers_contracts_server_vendors_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER_VENDORS);
}

// ----------------------------------------- a name and a list of members

namespace {

// ServerGroup (a name and its servers) and Organization (a name and its
// groups) are the same shape; only the member type and names differ.
struct NamedList {
  OptString name{""};
  GRef<GeeArrayList> members;

  explicit NamedList(GType member_type) : members(adoptGRef(gee::new_object_list(member_type))) {}
};

// The properties, accessors and text of one such class; `priv_of` finds
// its private struct, a NamedList.
template <auto priv_of>
struct NamedListClass {
  enum { PROP_0, PROP_NAME, PROP_MEMBERS, N_PROPERTIES };
  static inline GParamSpec* properties[N_PROPERTIES];

  static void set_name(gpointer self, const gchar* value) {
    if (priv_of(self)->name.set(value))
      g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_NAME]);
  }

  static void set_members(gpointer self, GeeArrayList* value) {
    if (replace_list(priv_of(self)->members, value))
      g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_MEMBERS]);
  }

  static void get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
    auto* priv = priv_of(object);
    switch (prop_id) {
      case PROP_NAME:
        g_value_set_string(value, priv->name.c_str());
        break;
      case PROP_MEMBERS:
        g_value_set_object(value, priv->members.get());
        break;
      default:
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
    }
  }

  static void set_property(GObject* object, guint prop_id, const GValue* value, GParamSpec* pspec) {
    switch (prop_id) {
      case PROP_NAME:
        set_name(object, g_value_get_string(value));
        break;
      case PROP_MEMBERS:
        set_members(object, static_cast<GeeArrayList*>(g_value_get_object(value)));
        break;
      default:
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
    }
  }

  // Installs "name" and the list property called `members_name`.
  static void setup(GObjectClass* oc, const char* members_name) {
    oc->get_property = get_property;
    oc->set_property = set_property;
    properties[PROP_NAME] = g_param_spec_string("name", "name", "name", nullptr, kFlags);
    properties[PROP_MEMBERS] = list_pspec(members_name);
    g_object_class_install_properties(oc, N_PROPERTIES, properties);
  }

  template <typename Self>
  static Self* construct_with_name(Self* self, const gchar* name) {
    priv_of(self)->name.assign(name);
    return self;
  }

  static gchar* to_string(gpointer self, const char* format,
                          const char* (*name_of)(GObject* member)) {
    auto* priv = priv_of(self);
    return join_names(format, priv->name.c_str(), priv->members.get(), name_of);
  }
};

}  // namespace

// ------------------------------------------------------------- ServerGroup

struct _TarvexProvidersContractsServerGroupPrivate : NamedList {
  _TarvexProvidersContractsServerGroupPrivate()
      : NamedList(tarvex_providers_contracts_server_get_type()) {}
};

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexProvidersContractsServerGroup,
                             tarvex_providers_contracts_server_group, G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(JSON_TYPE_SERIALIZABLE, tree_serializable_init))

namespace {
TarvexProvidersContractsServerGroupPrivate* group_priv(gpointer self) {
  return tarvex_providers_contracts_server_group_get_private(self);
}
using Group = NamedListClass<group_priv>;
}  // namespace

static void tarvex_providers_contracts_server_group_class_setup(
    TarvexProvidersContractsServerGroupClass* klass) {
  Group::setup(G_OBJECT_CLASS(klass), "servers");
}

TarvexProvidersContractsServerGroup* tarvex_providers_contracts_server_group_construct(
    GType object_type) {
  return static_cast<TarvexProvidersContractsServerGroup*>(g_object_new(object_type, nullptr));
}

TarvexProvidersContractsServerGroup* tarvex_providers_contracts_server_group_new(void) {
  return tarvex_providers_contracts_server_group_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER_GROUP);
}

TarvexProvidersContractsServerGroup* tarvex_providers_contracts_server_group_construct_with_name(
    GType object_type, const gchar* _name) {
  g_return_val_if_fail(_name != NULL, NULL);
  return Group::construct_with_name(tarvex_providers_contracts_server_group_construct(object_type),
                                    _name);
}

TarvexProvidersContractsServerGroup* tarvex_providers_contracts_server_group_new_with_name(
    const gchar* _name) {
  return tarvex_providers_contracts_server_group_construct_with_name(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER_GROUP, _name);
}

gchar* tarvex_providers_contracts_server_group_to_string(
    TarvexProvidersContractsServerGroup* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return Group::to_string(self, "ServerGroup %s => %s", [](GObject* server) {
    return tarvex_providers_contracts_server_get_title(
        reinterpret_cast<TarvexProvidersContractsServer*>(server));
  });
}

const gchar* tarvex_providers_contracts_server_group_get_name(
    TarvexProvidersContractsServerGroup* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return group_priv(self)->name.c_str();
}

void tarvex_providers_contracts_server_group_set_name(TarvexProvidersContractsServerGroup* self,
                                                      const gchar* value) {
  g_return_if_fail(self != NULL);
  Group::set_name(self, value);
}

GeeArrayList* tarvex_providers_contracts_server_group_get_servers(
    TarvexProvidersContractsServerGroup* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return group_priv(self)->members.get();
}

void tarvex_providers_contracts_server_group_set_servers(TarvexProvidersContractsServerGroup* self,
                                                         GeeArrayList* value) {
  g_return_if_fail(self != NULL);
  Group::set_members(self, value);
}

// ------------------------------------------------------------ Organization

struct _TarvexProvidersContractsOrganizationPrivate : NamedList {
  _TarvexProvidersContractsOrganizationPrivate()
      : NamedList(tarvex_providers_contracts_server_group_get_type()) {}
};

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexProvidersContractsOrganization,
                             tarvex_providers_contracts_organization, G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(JSON_TYPE_SERIALIZABLE, tree_serializable_init))

namespace {
TarvexProvidersContractsOrganizationPrivate* org_priv(gpointer self) {
  return tarvex_providers_contracts_organization_get_private(self);
}
using Org = NamedListClass<org_priv>;
}  // namespace

static void tarvex_providers_contracts_organization_class_setup(
    TarvexProvidersContractsOrganizationClass* klass) {
  Org::setup(G_OBJECT_CLASS(klass), "groups");
}

TarvexProvidersContractsOrganization* tarvex_providers_contracts_organization_construct(
    GType object_type) {
  return static_cast<TarvexProvidersContractsOrganization*>(g_object_new(object_type, nullptr));
}

TarvexProvidersContractsOrganization* tarvex_providers_contracts_organization_new(void) {
  return tarvex_providers_contracts_organization_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_ORGANIZATION);
}

TarvexProvidersContractsOrganization* tarvex_providers_contracts_organization_construct_with_name(
    GType object_type, const gchar* _name) {
  g_return_val_if_fail(_name != NULL, NULL);
  return Org::construct_with_name(tarvex_providers_contracts_organization_construct(object_type),
                                  _name);
}

TarvexProvidersContractsOrganization* tarvex_providers_contracts_organization_new_with_name(
    const gchar* _name) {
  return tarvex_providers_contracts_organization_construct_with_name(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_ORGANIZATION, _name);
}

gchar* tarvex_providers_contracts_organization_to_string(
    TarvexProvidersContractsOrganization* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return Org::to_string(self, "Organization %s => %s", [](GObject* group) {
    return tarvex_providers_contracts_server_group_get_name(
        reinterpret_cast<TarvexProvidersContractsServerGroup*>(group));
  });
}

const gchar* tarvex_providers_contracts_organization_get_name(
    TarvexProvidersContractsOrganization* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return org_priv(self)->name.c_str();
}

void tarvex_providers_contracts_organization_set_name(TarvexProvidersContractsOrganization* self,
                                                      const gchar* value) {
  g_return_if_fail(self != NULL);
  Org::set_name(self, value);
}

GeeArrayList* tarvex_providers_contracts_organization_get_groups(
    TarvexProvidersContractsOrganization* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return org_priv(self)->members.get();
}

void tarvex_providers_contracts_organization_set_groups(TarvexProvidersContractsOrganization* self,
                                                        GeeArrayList* value) {
  g_return_if_fail(self != NULL);
  Org::set_members(self, value);
}

// ----------------------------------------------------------- ServerSetting

struct _TarvexProvidersContractsServerSettingPrivate {
  GRef<GeeArrayList> organizations =
      adoptGRef(gee::new_object_list(tarvex_providers_contracts_organization_get_type()));
  GRef<GeeArrayList> groups =
      adoptGRef(gee::new_object_list(tarvex_providers_contracts_server_group_get_type()));
  GRef<GeeArrayList> servers =
      adoptGRef(gee::new_object_list(tarvex_providers_contracts_server_get_type()));
  std::string filename;
  // The file at `filename` was there but could not be loaded: it is kept
  // aside before the next save.
  bool keep_aside = false;
};

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexProvidersContractsServerSetting,
                             tarvex_providers_contracts_server_setting, G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(JSON_TYPE_SERIALIZABLE, tree_serializable_init))

namespace {
enum { PROP_0, PROP_ORGANIZATIONS, PROP_GROUPS, PROP_SERVERS, N_PROPERTIES };
GParamSpec* properties[N_PROPERTIES];
enum { SIGNAL_CHANGED, N_SIGNALS };
guint setting_signals[N_SIGNALS];

inline TarvexProvidersContractsServerSettingPrivate* setting_priv(gconstpointer self) {
  return tarvex_providers_contracts_server_setting_get_private(self);
}

void setting_get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  auto* priv = setting_priv(object);
  switch (prop_id) {
    case PROP_ORGANIZATIONS:
      g_value_set_object(value, priv->organizations.get());
      break;
    case PROP_GROUPS:
      g_value_set_object(value, priv->groups.get());
      break;
    case PROP_SERVERS:
      g_value_set_object(value, priv->servers.get());
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

void setting_set_property(GObject* object, guint prop_id, const GValue* value, GParamSpec* pspec) {
  auto* self = reinterpret_cast<TarvexProvidersContractsServerSetting*>(object);
  auto* list = static_cast<GeeArrayList*>(g_value_get_object(value));
  switch (prop_id) {
    case PROP_ORGANIZATIONS:
      tarvex_providers_contracts_server_setting_set_organizations(self, list);
      break;
    case PROP_GROUPS:
      tarvex_providers_contracts_server_setting_set_groups(self, list);
      break;
    case PROP_SERVERS:
      tarvex_providers_contracts_server_setting_set_servers(self, list);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

void set_setting_list(TarvexProvidersContractsServerSetting* self, GRef<GeeArrayList>& slot,
                      GeeArrayList* value, guint prop_id) {
  if (replace_list(slot, value)) g_object_notify_by_pspec(G_OBJECT(self), properties[prop_id]);
}

// The list a description is filed in or taken from: the servers of the named
// group (inside the named organization when there is one, else among the
// top-level groups), or the top-level servers when no such group exists.
GeeArrayList* target_list(TarvexProvidersContractsServerSetting* self, const char* group_name,
                          const char* org_name) {
  auto* priv = setting_priv(self);
  GRef<TarvexProvidersContractsOrganization> organization;
  if (*org_name) {
    gee::for_each<TarvexProvidersContractsOrganization>(
        priv->organizations.get(), [&](TarvexProvidersContractsOrganization* org) {
          if (!organization &&
              str_equal0(tarvex_providers_contracts_organization_get_name(org), org_name))
            organization = retainGRef(org);
        });
  }
  if (!*group_name) return priv->servers.get();
  GeeArrayList* groups =
      organization ? tarvex_providers_contracts_organization_get_groups(organization.get())
                   : priv->groups.get();
  GeeArrayList* target = nullptr;
  gee::for_each<TarvexProvidersContractsServerGroup>(
      groups, [&](TarvexProvidersContractsServerGroup* group) {
        if (!target &&
            str_equal0(tarvex_providers_contracts_server_group_get_name(group), group_name))
          target = tarvex_providers_contracts_server_group_get_servers(group);
      });
  return target ? target : priv->servers.get();
}

void add_servers(std::vector<GRef<TarvexProvidersContractsServer>>& out, GeeArrayList* servers) {
  gee::for_each<TarvexProvidersContractsServer>(
      servers, [&](TarvexProvidersContractsServer* server) { out.push_back(retainGRef(server)); });
}

void add_group_servers(std::vector<GRef<TarvexProvidersContractsServer>>& out,
                       GeeArrayList* groups) {
  gee::for_each<TarvexProvidersContractsServerGroup>(
      groups, [&](TarvexProvidersContractsServerGroup* group) {
        add_servers(out, tarvex_providers_contracts_server_group_get_servers(group));
      });
}

}  // namespace

static void tarvex_providers_contracts_server_setting_class_setup(
    TarvexProvidersContractsServerSettingClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = setting_get_property;
  oc->set_property = setting_set_property;
  properties[PROP_ORGANIZATIONS] = list_pspec("organizations");
  properties[PROP_GROUPS] = list_pspec("groups");
  properties[PROP_SERVERS] = list_pspec("servers");
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
  setting_signals[SIGNAL_CHANGED] =
      g_signal_new("changed", G_TYPE_FROM_CLASS(klass), G_SIGNAL_RUN_LAST, 0, nullptr, nullptr,
                   nullptr, G_TYPE_NONE, 0);
}

GQuark tarvex_providers_contracts_server_setting_error_quark(void) {
  return g_quark_from_static_string("ServerSetting");
}

TarvexProvidersContractsServerSetting* tarvex_providers_contracts_server_setting_construct(
    GType object_type) {
  return static_cast<TarvexProvidersContractsServerSetting*>(g_object_new(object_type, nullptr));
}

TarvexProvidersContractsServerSetting* tarvex_providers_contracts_server_setting_new(void) {
  return tarvex_providers_contracts_server_setting_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER_SETTING);
}

GeeArrayList* tarvex_providers_contracts_server_setting_get_organizations(
    TarvexProvidersContractsServerSetting* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return setting_priv(self)->organizations.get();
}

void tarvex_providers_contracts_server_setting_set_organizations(
    TarvexProvidersContractsServerSetting* self, GeeArrayList* value) {
  g_return_if_fail(self != NULL);
  set_setting_list(self, setting_priv(self)->organizations, value, PROP_ORGANIZATIONS);
}

GeeArrayList* tarvex_providers_contracts_server_setting_get_groups(
    TarvexProvidersContractsServerSetting* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return setting_priv(self)->groups.get();
}

void tarvex_providers_contracts_server_setting_set_groups(
    TarvexProvidersContractsServerSetting* self, GeeArrayList* value) {
  g_return_if_fail(self != NULL);
  set_setting_list(self, setting_priv(self)->groups, value, PROP_GROUPS);
}

GeeArrayList* tarvex_providers_contracts_server_setting_get_servers(
    TarvexProvidersContractsServerSetting* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return setting_priv(self)->servers.get();
}

void tarvex_providers_contracts_server_setting_set_servers(
    TarvexProvidersContractsServerSetting* self, GeeArrayList* value) {
  g_return_if_fail(self != NULL);
  set_setting_list(self, setting_priv(self)->servers, value, PROP_SERVERS);
}

void tarvex_providers_contracts_server_setting_append(TarvexProvidersContractsServerSetting* self,
                                                      TarvexProvidersContractsServer* server,
                                                      const gchar* group_name,
                                                      const gchar* org_name) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(server != NULL);
  g_return_if_fail(group_name != NULL);
  g_return_if_fail(org_name != NULL);
  if (GeeArrayList* target = target_list(self, group_name, org_name)) gee::add(target, server);
  g_signal_emit(self, setting_signals[SIGNAL_CHANGED], 0);
}

void tarvex_providers_contracts_server_setting_remove(TarvexProvidersContractsServerSetting* self,
                                                      TarvexProvidersContractsServer* server,
                                                      const gchar* group_name,
                                                      const gchar* org_name) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(server != NULL);
  g_return_if_fail(group_name != NULL);
  g_return_if_fail(org_name != NULL);
  if (GeeArrayList* target = target_list(self, group_name, org_name)) {
    gint index = gee::index_of_identity(target, server);
    if (index >= 0) {
      auto removed = adoptGRef(
          static_cast<GObject*>(gee_abstract_list_remove_at(GEE_ABSTRACT_LIST(target), index)));
    }
  }
  g_signal_emit(self, setting_signals[SIGNAL_CHANGED], 0);
}

TarvexProvidersContractsServer** tarvex_providers_contracts_server_setting_unite_servers(
    TarvexProvidersContractsServerSetting* self, gint* result_length1) {
  if (result_length1) *result_length1 = 0;
  g_return_val_if_fail(self != NULL, NULL);
  auto* priv = setting_priv(self);
  std::vector<GRef<TarvexProvidersContractsServer>> all;
  gee::for_each<TarvexProvidersContractsOrganization>(
      priv->organizations.get(), [&](TarvexProvidersContractsOrganization* org) {
        add_group_servers(all, tarvex_providers_contracts_organization_get_groups(org));
      });
  add_group_servers(all, priv->groups.get());
  add_servers(all, priv->servers.get());
  auto** result = g_new0(TarvexProvidersContractsServer*, all.size() + 1);
  for (size_t i = 0; i < all.size(); i++) result[i] = all[i].leak();
  if (result_length1) *result_length1 = gint(all.size());
  return result;
}

void tarvex_providers_contracts_server_setting_load(TarvexProvidersContractsServerSetting* self,
                                                    const gchar* filename, GError** error) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(filename != NULL);
  auto* priv = setting_priv(self);
  // Remembered first: a later save writes here even when this load fails.
  priv->filename = filename;
  priv->keep_aside = false;

  auto fail = [&](GError* local) {
    priv->keep_aside = json_file::must_keep_aside(local);
    g_propagate_error(error, local);
  };
  auto parser = adoptGRef(json_parser_new());
  GError* local = nullptr;
  if (!json_file::load(parser.get(), filename, &local)) return fail(local);
  JsonNode* root = json_parser_get_root(parser.get());
  GRef<TarvexProvidersContractsServerSetting> loaded;
  if (root && JSON_NODE_HOLDS_OBJECT(root))
    loaded = adoptGRef(reinterpret_cast<TarvexProvidersContractsServerSetting*>(
        json_gobject_deserialize(TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER_SETTING, root)));
  if (!loaded)
    return fail(g_error_new_literal(TARVEX_PROVIDERS_CONTRACTS_SERVER_SETTING_ERROR, -2,
                                    _("Failed to load database setting file.")));
  auto* read = setting_priv(loaded.get());
  tarvex_providers_contracts_server_setting_set_groups(self, read->groups.get());
  tarvex_providers_contracts_server_setting_set_servers(self, read->servers.get());
  tarvex_providers_contracts_server_setting_set_organizations(self, read->organizations.get());
}

void tarvex_providers_contracts_server_setting_save(TarvexProvidersContractsServerSetting* self,
                                                    GError** error) {
  g_return_if_fail(self != NULL);
  auto* priv = setting_priv(self);
  auto generator = adoptGRef(json_generator_new());
  json_generator_set_pretty(generator.get(), TRUE);
  json_generator_set_indent(generator.get(), 2);
  json_generator_set_indent_char(generator.get(), ' ');
  JsonNode* root = json_gobject_serialize(G_OBJECT(self));
  json_generator_set_root(generator.get(), root);
  json_node_unref(root);
  gsize length = 0;
  GUniqueStr text(json_generator_to_data(generator.get(), &length));

  // The file holds enciphered passwords and the clear tunnel password: it is
  // written owner-only, and through a temporary file renamed into place so a
  // failed write leaves the previous file whole.
  // A file that could not be loaded still holds the user's servers: it is
  // moved aside rather than replaced by this (then empty) tree.
  if (priv->keep_aside) {
    if (!json_file::keep_aside(priv->filename, error)) return;
    priv->keep_aside = false;
  }
  GError* local = nullptr;
  if (!g_file_set_contents_full(priv->filename.c_str(), text.get(), gssize(length),
                                G_FILE_SET_CONTENTS_CONSISTENT, 0600, &local)) {
    if (!local) local = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_FAILED, priv->filename.c_str());
    g_propagate_error(error, local);
  }
}
