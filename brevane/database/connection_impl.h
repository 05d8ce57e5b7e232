// The dialect-neutral connection over a provider: one recursive lock around
// every provider call, status and server version, the "opened" and "closed"
// signals, and the dialect objects created on first request. A dialect
// subclass installs its provider at construction and overrides the
// dialect-object getters and update_version.
#pragma once

#include <gio/gio.h>

#include "brevane/contracts/iconnection.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_CONNECTION_IMPL \
  (tarvex_brevane_supports_database_connection_impl_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_connection_impl_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseConnectionImpl,
                         tarvex_brevane_supports_database_connection_impl,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, CONNECTION_IMPL, GObject)

struct _TarvexBrevaneSupportsDatabaseConnectionImplClass {
  GObjectClass parent_class;
  TarvexBrevaneContractsDatabaseIAdaptable* (*adapter)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self);
  TarvexBrevaneContractsDatabaseIBuildable* (*builder)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self);
  TarvexBrevaneContractsDatabaseIExplorable* (*explorer)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self);
  TarvexBrevaneContractsDatabaseICachable* (*cache)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self);
  TarvexBrevaneContractsDatabaseIInspectable* (*inspector)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self);
  TarvexBrevaneContractsDatabaseIStatement* (*statement)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self);
  TarvexBrevaneContractsDatabaseIFormattable* (*formatter)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self);
  void (*open)(TarvexBrevaneSupportsDatabaseConnectionImpl* self,
               TarvexProvidersContractsServer* server, GObject* context, GError** error);
  void (*open_async)(TarvexBrevaneSupportsDatabaseConnectionImpl* self,
                     TarvexProvidersContractsServer* server, GObject* context,
                     GAsyncReadyCallback callback, gpointer user_data);
  void (*open_finish)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result,
                      GError** error);
  void (*reopen)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
  void (*reopen_async)(TarvexBrevaneSupportsDatabaseConnectionImpl* self,
                       GAsyncReadyCallback callback, gpointer user_data);
  void (*reopen_finish)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result,
                        GError** error);
  void (*close)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
  void (*execute_async)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
                        GAsyncReadyCallback callback, gpointer user_data);
  GObject** (*execute_finish)(TarvexBrevaneSupportsDatabaseConnectionImpl* self,
                              GAsyncResult* result, gint* result_length1, GError** error);
  GObject** (*execute)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
                       guint32 flags, gint* result_length1, GError** error);
  void (*execute_no_query_async)(TarvexBrevaneSupportsDatabaseConnectionImpl* self,
                                 const gchar* sql, GAsyncReadyCallback callback,
                                 gpointer user_data);
  gint (*execute_no_query_finish)(TarvexBrevaneSupportsDatabaseConnectionImpl* self,
                                  GAsyncResult* result, GError** error);
  gint (*execute_no_query)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
                           guint32 flags, GError** error);
  void (*execute_as_model_async)(TarvexBrevaneSupportsDatabaseConnectionImpl* self,
                                 const gchar* sql, GAsyncReadyCallback callback,
                                 gpointer user_data);
  TarvexProvidersContractsTableModel* (*execute_as_model_finish)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error);
  TarvexProvidersContractsTableModel* (*execute_as_model)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, guint32 flags,
      GError** error);
  void (*execute_as_scalar_async)(TarvexBrevaneSupportsDatabaseConnectionImpl* self,
                                  const gchar* sql, GAsyncReadyCallback callback,
                                  gpointer user_data);
  TarvexProvidersContractsValueObject* (*execute_as_scalar_finish)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error);
  TarvexProvidersContractsValueObject* (*execute_as_scalar)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, guint32 flags,
      GError** error);
  TarvexProvidersContractsIDataReader* (*execute_reader)(
      TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, GError** error);
  gboolean (*transaction)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
  void (*rollback)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
  void (*commit)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
  void (*update_version)(TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
  TarvexProvidersContractsServer* (*get_server)(TarvexBrevaneSupportsDatabaseConnectionImpl* self);
  const gchar* (*get_version)(TarvexBrevaneSupportsDatabaseConnectionImpl* self);
  guint32 (*get_major_version)(TarvexBrevaneSupportsDatabaseConnectionImpl* self);
  guint32 (*get_minor_version)(TarvexBrevaneSupportsDatabaseConnectionImpl* self);
};

// A connection without a provider; a dialect constructor installs one.
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseConnectionImpl*
tarvex_brevane_supports_database_connection_impl_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseConnectionImpl*
tarvex_brevane_supports_database_connection_impl_construct(GType object_type);
// For dialect constructors: installs the provider the connection owns (a new
// reference), releasing any provider already there.
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_set_provider(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, TarvexProvidersContractsIProvider* provider);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIAdaptable*
tarvex_brevane_supports_database_connection_impl_adapter(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIBuildable*
tarvex_brevane_supports_database_connection_impl_builder(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIExplorable*
tarvex_brevane_supports_database_connection_impl_explorer(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseICachable*
tarvex_brevane_supports_database_connection_impl_cache(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIInspectable*
tarvex_brevane_supports_database_connection_impl_inspector(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIStatement*
tarvex_brevane_supports_database_connection_impl_statement(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIFormattable*
tarvex_brevane_supports_database_connection_impl_formatter(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_open(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, TarvexProvidersContractsServer* server,
    GObject* context, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_open_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, TarvexProvidersContractsServer* server,
    GObject* context, GAsyncReadyCallback callback, gpointer user_data);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_open_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_reopen(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_reopen_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncReadyCallback callback,
    gpointer user_data);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_reopen_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_close(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_execute_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
    GAsyncReadyCallback callback, gpointer user_data);
TARVEX_EXPORT GObject** tarvex_brevane_supports_database_connection_impl_execute_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, gint* result_length1,
    GError** error);
TARVEX_EXPORT GObject** tarvex_brevane_supports_database_connection_impl_execute(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, guint32 flags,
    gint* result_length1, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_execute_no_query_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
    GAsyncReadyCallback callback, gpointer user_data);
TARVEX_EXPORT gint tarvex_brevane_supports_database_connection_impl_execute_no_query_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT gint tarvex_brevane_supports_database_connection_impl_execute_no_query(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, guint32 flags,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_execute_as_model_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
    GAsyncReadyCallback callback, gpointer user_data);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_connection_impl_execute_as_model_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT TarvexProvidersContractsTableModel*
tarvex_brevane_supports_database_connection_impl_execute_as_model(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, guint32 flags,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_execute_as_scalar_async(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql,
    GAsyncReadyCallback callback, gpointer user_data);
TARVEX_EXPORT TarvexProvidersContractsValueObject*
tarvex_brevane_supports_database_connection_impl_execute_as_scalar_finish(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GAsyncResult* result, GError** error);
TARVEX_EXPORT TarvexProvidersContractsValueObject*
tarvex_brevane_supports_database_connection_impl_execute_as_scalar(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, guint32 flags,
    GError** error);
TARVEX_EXPORT TarvexProvidersContractsIDataReader*
tarvex_brevane_supports_database_connection_impl_execute_reader(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, const gchar* sql, GError** error);
TARVEX_EXPORT gboolean tarvex_brevane_supports_database_connection_impl_transaction(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_rollback(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_commit(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_connection_impl_update_version(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self, GError** error);
TARVEX_EXPORT TarvexProvidersContractsServer*
tarvex_brevane_supports_database_connection_impl_get_server(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);
TARVEX_EXPORT const gchar* tarvex_brevane_supports_database_connection_impl_get_version(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);
TARVEX_EXPORT guint32 tarvex_brevane_supports_database_connection_impl_get_major_version(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);
TARVEX_EXPORT guint32 tarvex_brevane_supports_database_connection_impl_get_minor_version(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self);

G_END_DECLS
