#include "brevane/contracts/iconnection.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsDatabaseIConnection,
                        tarvex_brevane_contracts_database_iconnection, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_database_iconnection_default_init(
    TarvexBrevaneContractsDatabaseIConnectionIface* iface) {
  auto flags = GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS);
  g_object_interface_install_property(
      iface, g_param_spec_object("server", "server", "server",
                                 TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER, flags));
  g_object_interface_install_property(
      iface, g_param_spec_object("provider", "provider", "provider",
                                 TARVEX_PROVIDERS_CONTRACTS_TYPE_IPROVIDER, flags));
  g_object_interface_install_property(
      iface,
      g_param_spec_enum(
          "status", "status", "status", TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_DB_STATUS,
          TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown,
          GParamFlags(G_PARAM_READWRITE | G_PARAM_EXPLICIT_NOTIFY | G_PARAM_STATIC_STRINGS)));
  g_object_interface_install_property(
      iface, g_param_spec_string("version", "version", "version", nullptr, flags));
  g_object_interface_install_property(
      iface, g_param_spec_uint("major-version", "major-version", "major-version", 0, G_MAXUINT32, 0,
                               flags));
  g_object_interface_install_property(
      iface, g_param_spec_uint("minor-version", "minor-version", "minor-version", 0, G_MAXUINT32, 0,
                               flags));

  // Nothing inside the libraries connects to these; the host does.
  auto type = TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICONNECTION;
  g_signal_new("closed", type, G_SIGNAL_RUN_LAST, 0, nullptr, nullptr, nullptr, G_TYPE_NONE, 1,
               type);
  g_signal_new("opened", type, G_SIGNAL_RUN_LAST, 0, nullptr, nullptr, nullptr, G_TYPE_NONE, 1,
               type);
}

#define ICONNECTION_IFACE(self) TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION_GET_INTERFACE(self)

TarvexBrevaneContractsDatabaseIAdaptable* tarvex_brevane_contracts_database_iconnection_adapter(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->adapter ? iface->adapter(self) : nullptr;
}

TarvexBrevaneContractsDatabaseIBuildable* tarvex_brevane_contracts_database_iconnection_builder(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->builder ? iface->builder(self) : nullptr;
}

TarvexBrevaneContractsDatabaseIExplorable* tarvex_brevane_contracts_database_iconnection_explorer(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->explorer ? iface->explorer(self) : nullptr;
}

TarvexBrevaneContractsDatabaseIInspectable* tarvex_brevane_contracts_database_iconnection_inspector(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->inspector ? iface->inspector(self) : nullptr;
}

TarvexBrevaneContractsDatabaseIStatement* tarvex_brevane_contracts_database_iconnection_statement(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->statement ? iface->statement(self) : nullptr;
}

TarvexBrevaneContractsDatabaseIFormattable* tarvex_brevane_contracts_database_iconnection_formatter(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->formatter ? iface->formatter(self) : nullptr;
}

TarvexBrevaneContractsDatabaseICachable* tarvex_brevane_contracts_database_iconnection_cache(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->cache ? iface->cache(self) : nullptr;
}

void tarvex_brevane_contracts_database_iconnection_open(
    TarvexBrevaneContractsDatabaseIConnection* self, TarvexProvidersContractsServer* server,
    GObject* context, GError** error) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->open) iface->open(self, server, context, error);
}

void tarvex_brevane_contracts_database_iconnection_reopen(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->reopen) iface->reopen(self, error);
}

void tarvex_brevane_contracts_database_iconnection_open_async(
    TarvexBrevaneContractsDatabaseIConnection* self, TarvexProvidersContractsServer* server,
    GObject* context, GAsyncReadyCallback callback, gpointer user_data) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->open_async) iface->open_async(self, server, context, callback, user_data);
}

void tarvex_brevane_contracts_database_iconnection_open_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->open_finish) iface->open_finish(self, result, error);
}

void tarvex_brevane_contracts_database_iconnection_reopen_async(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncReadyCallback callback,
    gpointer user_data) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->reopen_async) iface->reopen_async(self, callback, user_data);
}

void tarvex_brevane_contracts_database_iconnection_reopen_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->reopen_finish) iface->reopen_finish(self, result, error);
}

void tarvex_brevane_contracts_database_iconnection_close(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->close) iface->close(self, error);
}

void tarvex_brevane_contracts_database_iconnection_execute_no_query_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->execute_no_query_async) iface->execute_no_query_async(self, sql, callback, user_data);
}

gint tarvex_brevane_contracts_database_iconnection_execute_no_query_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error) {
  g_return_val_if_fail(self != NULL, -1);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->execute_no_query_finish ? iface->execute_no_query_finish(self, result, error) : -1;
}

gint tarvex_brevane_contracts_database_iconnection_execute_no_query(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    GError** error) {
  g_return_val_if_fail(self != NULL, -1);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->execute_no_query ? iface->execute_no_query(self, sql, flags, error) : -1;
}

void tarvex_brevane_contracts_database_iconnection_execute_as_model_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->execute_as_model_async) iface->execute_as_model_async(self, sql, callback, user_data);
}

TarvexProvidersContractsTableModel*
tarvex_brevane_contracts_database_iconnection_execute_as_model_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->execute_as_model_finish ? iface->execute_as_model_finish(self, result, error)
                                        : nullptr;
}

TarvexProvidersContractsTableModel* tarvex_brevane_contracts_database_iconnection_execute_as_model(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->execute_as_model ? iface->execute_as_model(self, sql, flags, error) : nullptr;
}

void tarvex_brevane_contracts_database_iconnection_execute_as_scalar_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->execute_as_scalar_async)
    iface->execute_as_scalar_async(self, sql, callback, user_data);
}

TarvexProvidersContractsValueObject*
tarvex_brevane_contracts_database_iconnection_execute_as_scalar_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->execute_as_scalar_finish ? iface->execute_as_scalar_finish(self, result, error)
                                         : nullptr;
}

TarvexProvidersContractsValueObject*
tarvex_brevane_contracts_database_iconnection_execute_as_scalar(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->execute_as_scalar ? iface->execute_as_scalar(self, sql, flags, error) : nullptr;
}

void tarvex_brevane_contracts_database_iconnection_execute_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->execute_async) iface->execute_async(self, sql, callback, user_data);
}

GObject** tarvex_brevane_contracts_database_iconnection_execute_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, gint* result_length1,
    GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->execute_finish ? iface->execute_finish(self, result, result_length1, error)
                               : nullptr;
}

GObject** tarvex_brevane_contracts_database_iconnection_execute(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    gint* result_length1, GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->execute ? iface->execute(self, sql, flags, result_length1, error) : nullptr;
}

TarvexProvidersContractsIDataReader* tarvex_brevane_contracts_database_iconnection_execute_reader(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->execute_reader ? iface->execute_reader(self, sql, error) : nullptr;
}

gboolean tarvex_brevane_contracts_database_iconnection_transaction(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error) {
  g_return_val_if_fail(self != NULL, 0);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->transaction ? iface->transaction(self, error) : 0;
}

void tarvex_brevane_contracts_database_iconnection_rollback(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->rollback) iface->rollback(self, error);
}

void tarvex_brevane_contracts_database_iconnection_commit(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->commit) iface->commit(self, error);
}

TarvexProvidersContractsServer* tarvex_brevane_contracts_database_iconnection_get_server(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->get_server ? iface->get_server(self) : nullptr;
}

TarvexProvidersContractsIProvider* tarvex_brevane_contracts_database_iconnection_get_provider(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->get_provider ? iface->get_provider(self) : nullptr;
}

TarvexBrevaneContractsDatabaseDBStatus tarvex_brevane_contracts_database_iconnection_get_status(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->get_status ? iface->get_status(self)
                           : TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown;
}

void tarvex_brevane_contracts_database_iconnection_set_status(
    TarvexBrevaneContractsDatabaseIConnection* self, TarvexBrevaneContractsDatabaseDBStatus value) {
  g_return_if_fail(self != NULL);
  auto* iface = ICONNECTION_IFACE(self);
  if (iface->set_status) iface->set_status(self, value);
}

const gchar* tarvex_brevane_contracts_database_iconnection_get_version(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->get_version ? iface->get_version(self) : nullptr;
}

guint32 tarvex_brevane_contracts_database_iconnection_get_major_version(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, 0);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->get_major_version ? iface->get_major_version(self) : 0;
}

guint32 tarvex_brevane_contracts_database_iconnection_get_minor_version(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  g_return_val_if_fail(self != NULL, 0);
  auto* iface = ICONNECTION_IFACE(self);
  return iface->get_minor_version ? iface->get_minor_version(self) : 0;
}
