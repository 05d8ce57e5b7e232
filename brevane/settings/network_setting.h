// NetworkSetting: the proxy preferences.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_NETWORK_SETTING \
  (tarvex_brevane_contracts_setting_network_setting_get_type())
TARVEX_EXPORT GType tarvex_brevane_contracts_setting_network_setting_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneContractsSettingNetworkSetting,
                         tarvex_brevane_contracts_setting_network_setting,
                         TARVEX_BREVANE_CONTRACTS_SETTING, NETWORK_SETTING, GObject)

struct _TarvexBrevaneContractsSettingNetworkSettingClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneContractsSettingNetworkSetting*
tarvex_brevane_contracts_setting_network_setting_new(void);
TARVEX_EXPORT TarvexBrevaneContractsSettingNetworkSetting*
tarvex_brevane_contracts_setting_network_setting_construct(GType object_type);

TARVEX_EXPORT gboolean tarvex_brevane_contracts_setting_network_setting_get_proxy_using(
    TarvexBrevaneContractsSettingNetworkSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_network_setting_set_proxy_using(
    TarvexBrevaneContractsSettingNetworkSetting* self, gboolean value);
TARVEX_EXPORT guint tarvex_brevane_contracts_setting_network_setting_get_proxy_type(
    TarvexBrevaneContractsSettingNetworkSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_network_setting_set_proxy_type(
    TarvexBrevaneContractsSettingNetworkSetting* self, guint value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_network_setting_get_proxy_host(
    TarvexBrevaneContractsSettingNetworkSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_network_setting_set_proxy_host(
    TarvexBrevaneContractsSettingNetworkSetting* self, const gchar* value);
TARVEX_EXPORT guint16 tarvex_brevane_contracts_setting_network_setting_get_proxy_port(
    TarvexBrevaneContractsSettingNetworkSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_network_setting_set_proxy_port(
    TarvexBrevaneContractsSettingNetworkSetting* self, guint16 value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_network_setting_get_proxy_username(
    TarvexBrevaneContractsSettingNetworkSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_network_setting_set_proxy_username(
    TarvexBrevaneContractsSettingNetworkSetting* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_contracts_setting_network_setting_get_proxy_password(
    TarvexBrevaneContractsSettingNetworkSetting* self);
TARVEX_EXPORT void tarvex_brevane_contracts_setting_network_setting_set_proxy_password(
    TarvexBrevaneContractsSettingNetworkSetting* self, const gchar* value);

G_END_DECLS
