// The saved server tree: organizations hold groups, groups hold servers;
// groups and servers may also stand at the top level. ServerSetting reads
// and writes it as the server setting file (JSON). ServerVendors publishes
// the vendor names a description's "provider" takes.
#pragma once

#include <gee.h>
#include <glib-object.h>

#include "common/tarvex-export.h"
#include "providers/contracts/server.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER_GROUP \
  (tarvex_providers_contracts_server_group_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_server_group_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsServerGroup,
                         tarvex_providers_contracts_server_group, TARVEX_PROVIDERS_CONTRACTS,
                         SERVER_GROUP, GObject)
struct _TarvexProvidersContractsServerGroupClass {
  GObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_ORGANIZATION \
  (tarvex_providers_contracts_organization_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_organization_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsOrganization,
                         tarvex_providers_contracts_organization, TARVEX_PROVIDERS_CONTRACTS,
                         ORGANIZATION, GObject)
struct _TarvexProvidersContractsOrganizationClass {
  GObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER_SETTING \
  (tarvex_providers_contracts_server_setting_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_server_setting_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsServerSetting,
                         tarvex_providers_contracts_server_setting, TARVEX_PROVIDERS_CONTRACTS,
                         SERVER_SETTING, GObject)
struct _TarvexProvidersContractsServerSettingClass {
  GObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER_VENDORS \
  (tarvex_providers_contracts_server_vendors_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_server_vendors_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsServerVendors,
                         tarvex_providers_contracts_server_vendors, TARVEX_PROVIDERS_CONTRACTS,
                         SERVER_VENDORS, GObject)
struct _TarvexProvidersContractsServerVendorsClass {
  GObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_SERVER_SETTING_ERROR \
  (tarvex_providers_contracts_server_setting_error_quark())

/* The vendor names, of fixed length and without a terminating entry. */
#define TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_SUPPORT_LENGTH 1
#define TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_STRUCTURE_LENGTH 5
#define TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_DATABASE_LENGTH 8
#define TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_LOCAL_LENGTH 3
TARVEX_EXPORT extern const gchar* const TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_SUPPORT[1];
TARVEX_EXPORT extern const gchar* const
    TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_STRUCTURE[5];
TARVEX_EXPORT extern const gchar* const TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_DATABASE[8];
TARVEX_EXPORT extern const gchar* const TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_LOCAL[3];

TARVEX_EXPORT TarvexProvidersContractsServerVendors* tarvex_providers_contracts_server_vendors_new(
    void);
TARVEX_EXPORT TarvexProvidersContractsServerVendors*
tarvex_providers_contracts_server_vendors_construct(GType object_type);

TARVEX_EXPORT TarvexProvidersContractsServerGroup* tarvex_providers_contracts_server_group_new(
    void);
TARVEX_EXPORT TarvexProvidersContractsServerGroup*
tarvex_providers_contracts_server_group_construct(GType object_type);
TARVEX_EXPORT TarvexProvidersContractsServerGroup*
tarvex_providers_contracts_server_group_new_with_name(const gchar* _name);
TARVEX_EXPORT TarvexProvidersContractsServerGroup*
tarvex_providers_contracts_server_group_construct_with_name(GType object_type, const gchar* _name);
TARVEX_EXPORT gchar* tarvex_providers_contracts_server_group_to_string(
    TarvexProvidersContractsServerGroup* self);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_group_get_name(
    TarvexProvidersContractsServerGroup* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_group_set_name(
    TarvexProvidersContractsServerGroup* self, const gchar* value);
TARVEX_EXPORT GeeArrayList* tarvex_providers_contracts_server_group_get_servers(
    TarvexProvidersContractsServerGroup* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_group_set_servers(
    TarvexProvidersContractsServerGroup* self, GeeArrayList* value);

TARVEX_EXPORT TarvexProvidersContractsOrganization* tarvex_providers_contracts_organization_new(
    void);
TARVEX_EXPORT TarvexProvidersContractsOrganization*
tarvex_providers_contracts_organization_construct(GType object_type);
TARVEX_EXPORT TarvexProvidersContractsOrganization*
tarvex_providers_contracts_organization_new_with_name(const gchar* _name);
TARVEX_EXPORT TarvexProvidersContractsOrganization*
tarvex_providers_contracts_organization_construct_with_name(GType object_type, const gchar* _name);
TARVEX_EXPORT gchar* tarvex_providers_contracts_organization_to_string(
    TarvexProvidersContractsOrganization* self);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_organization_get_name(
    TarvexProvidersContractsOrganization* self);
TARVEX_EXPORT void tarvex_providers_contracts_organization_set_name(
    TarvexProvidersContractsOrganization* self, const gchar* value);
TARVEX_EXPORT GeeArrayList* tarvex_providers_contracts_organization_get_groups(
    TarvexProvidersContractsOrganization* self);
TARVEX_EXPORT void tarvex_providers_contracts_organization_set_groups(
    TarvexProvidersContractsOrganization* self, GeeArrayList* value);

TARVEX_EXPORT GQuark tarvex_providers_contracts_server_setting_error_quark(void);
TARVEX_EXPORT TarvexProvidersContractsServerSetting* tarvex_providers_contracts_server_setting_new(
    void);
TARVEX_EXPORT TarvexProvidersContractsServerSetting*
tarvex_providers_contracts_server_setting_construct(GType object_type);
TARVEX_EXPORT GeeArrayList* tarvex_providers_contracts_server_setting_get_organizations(
    TarvexProvidersContractsServerSetting* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_setting_set_organizations(
    TarvexProvidersContractsServerSetting* self, GeeArrayList* value);
TARVEX_EXPORT GeeArrayList* tarvex_providers_contracts_server_setting_get_groups(
    TarvexProvidersContractsServerSetting* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_setting_set_groups(
    TarvexProvidersContractsServerSetting* self, GeeArrayList* value);
TARVEX_EXPORT GeeArrayList* tarvex_providers_contracts_server_setting_get_servers(
    TarvexProvidersContractsServerSetting* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_setting_set_servers(
    TarvexProvidersContractsServerSetting* self, GeeArrayList* value);
TARVEX_EXPORT void tarvex_providers_contracts_server_setting_append(
    TarvexProvidersContractsServerSetting* self, TarvexProvidersContractsServer* server,
    const gchar* group_name, const gchar* org_name);
TARVEX_EXPORT void tarvex_providers_contracts_server_setting_remove(
    TarvexProvidersContractsServerSetting* self, TarvexProvidersContractsServer* server,
    const gchar* group_name, const gchar* org_name);
TARVEX_EXPORT TarvexProvidersContractsServer**
tarvex_providers_contracts_server_setting_unite_servers(TarvexProvidersContractsServerSetting* self,
                                                        gint* result_length1);
TARVEX_EXPORT void tarvex_providers_contracts_server_setting_load(
    TarvexProvidersContractsServerSetting* self, const gchar* filename, GError** error);
TARVEX_EXPORT void tarvex_providers_contracts_server_setting_save(
    TarvexProvidersContractsServerSetting* self, GError** error);

G_END_DECLS
