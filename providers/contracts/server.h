// Server: one connection description (identity, vendor, address, login,
// initial database, SSH, HTTP tunnel and SSL settings).
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER (tarvex_providers_contracts_server_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_server_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsServer, tarvex_providers_contracts_server,
                         TARVEX_PROVIDERS_CONTRACTS, SERVER, GObject)

struct _TarvexProvidersContractsServerClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexProvidersContractsServer* tarvex_providers_contracts_server_new(void);
TARVEX_EXPORT TarvexProvidersContractsServer* tarvex_providers_contracts_server_construct(
    GType object_type);
TARVEX_EXPORT TarvexProvidersContractsServer* tarvex_providers_contracts_server_new_with_provider(
    const gchar* _provider);
TARVEX_EXPORT TarvexProvidersContractsServer*
tarvex_providers_contracts_server_construct_with_provider(GType object_type,
                                                          const gchar* _provider);
TARVEX_EXPORT TarvexProvidersContractsServer* tarvex_providers_contracts_server_clone(
    TarvexProvidersContractsServer* self, gboolean new_uuid);
TARVEX_EXPORT gchar* tarvex_providers_contracts_server_to_string(
    TarvexProvidersContractsServer* self, gboolean show_uuid);

TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_uuid(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_uuid(TarvexProvidersContractsServer* self,
                                                              const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_provider(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_provider(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_driver(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_driver(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_title(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_title(TarvexProvidersContractsServer* self,
                                                               const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_host(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_host(TarvexProvidersContractsServer* self,
                                                              const gchar* value);
TARVEX_EXPORT gint tarvex_providers_contracts_server_get_port(TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_port(TarvexProvidersContractsServer* self,
                                                              gint value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_username(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_username(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_password(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_password(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_initial(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_initial(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_filename(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_filename(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_location(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_location(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_extensions(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_extensions(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT gchar** tarvex_providers_contracts_server_get_databases(
    TarvexProvidersContractsServer* self, gint* result_length1);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_databases(
    TarvexProvidersContractsServer* self, gchar** value, gint value_length1);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_options(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_options(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_server_get_ssh_using(TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssh_using(
    TarvexProvidersContractsServer* self, gboolean value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssh_process(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssh_process(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssh_host(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssh_host(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT gint
tarvex_providers_contracts_server_get_ssh_port(TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssh_port(
    TarvexProvidersContractsServer* self, gint value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssh_auth_type(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssh_auth_type(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssh_username(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssh_username(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssh_password(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssh_password(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssh_key_private_file(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssh_key_private_file(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_server_get_http_using(TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_using(
    TarvexProvidersContractsServer* self, gboolean value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_http_process(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_process(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_http_protocol(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_protocol(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_http_host(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_host(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT gint
tarvex_providers_contracts_server_get_http_port(TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_port(
    TarvexProvidersContractsServer* self, gint value);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_server_get_http_auth(TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_auth(
    TarvexProvidersContractsServer* self, gboolean value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_http_username(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_username(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_http_password(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_password(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_http_ca_file(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_ca_file(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_http_cert_file(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_cert_file(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_http_key_file(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_http_key_file(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_server_get_ssl_using(TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssl_using(
    TarvexProvidersContractsServer* self, gboolean value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssl_ca_file(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssl_ca_file(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssl_cert_file(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssl_cert_file(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssl_key_file(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssl_key_file(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssl_mode(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssl_mode(
    TarvexProvidersContractsServer* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_server_get_ssl_password(
    TarvexProvidersContractsServer* self);
TARVEX_EXPORT void tarvex_providers_contracts_server_set_ssl_password(
    TarvexProvidersContractsServer* self, const gchar* value);

G_END_DECLS
