#include "brevane/contracts/iconnection.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

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

TarvexBrevaneContractsDatabaseIAdaptable* tarvex_brevane_contracts_database_iconnection_adapter(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::adapter>(self);
}

TarvexBrevaneContractsDatabaseIBuildable* tarvex_brevane_contracts_database_iconnection_builder(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::builder>(self);
}

TarvexBrevaneContractsDatabaseIExplorable* tarvex_brevane_contracts_database_iconnection_explorer(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::explorer>(self);
}

TarvexBrevaneContractsDatabaseIInspectable* tarvex_brevane_contracts_database_iconnection_inspector(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::inspector>(self);
}

TarvexBrevaneContractsDatabaseIStatement* tarvex_brevane_contracts_database_iconnection_statement(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::statement>(self);
}

TarvexBrevaneContractsDatabaseIFormattable* tarvex_brevane_contracts_database_iconnection_formatter(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::formatter>(self);
}

TarvexBrevaneContractsDatabaseICachable* tarvex_brevane_contracts_database_iconnection_cache(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::cache>(self);
}

void tarvex_brevane_contracts_database_iconnection_open(
    TarvexBrevaneContractsDatabaseIConnection* self, TarvexProvidersContractsServer* server,
    GObject* context, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::open>(self, server, context,
                                                                           error);
}

void tarvex_brevane_contracts_database_iconnection_reopen(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::reopen>(self, error);
}

void tarvex_brevane_contracts_database_iconnection_open_async(
    TarvexBrevaneContractsDatabaseIConnection* self, TarvexProvidersContractsServer* server,
    GObject* context, GAsyncReadyCallback callback, gpointer user_data) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::open_async>(
      self, server, context, callback, user_data);
}

void tarvex_brevane_contracts_database_iconnection_open_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::open_finish>(self, result,
                                                                                  error);
}

void tarvex_brevane_contracts_database_iconnection_reopen_async(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncReadyCallback callback,
    gpointer user_data) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::reopen_async>(self, callback,
                                                                                   user_data);
}

void tarvex_brevane_contracts_database_iconnection_reopen_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::reopen_finish>(self, result,
                                                                                    error);
}

void tarvex_brevane_contracts_database_iconnection_close(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::close>(self, error);
}

void tarvex_brevane_contracts_database_iconnection_execute_no_query_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute_no_query_async>(
      self, sql, callback, user_data);
}

gint tarvex_brevane_contracts_database_iconnection_execute_no_query_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute_no_query_finish,
                           -1>(self, result, error);
}

gint tarvex_brevane_contracts_database_iconnection_execute_no_query(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute_no_query, -1>(
      self, sql, flags, error);
}

void tarvex_brevane_contracts_database_iconnection_execute_as_model_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute_as_model_async>(
      self, sql, callback, user_data);
}

TarvexProvidersContractsTableModel*
tarvex_brevane_contracts_database_iconnection_execute_as_model_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error) {
  return tarvex::call_slot<
      &TarvexBrevaneContractsDatabaseIConnectionIface::execute_as_model_finish>(self, result,
                                                                                error);
}

TarvexProvidersContractsTableModel* tarvex_brevane_contracts_database_iconnection_execute_as_model(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute_as_model>(
      self, sql, flags, error);
}

void tarvex_brevane_contracts_database_iconnection_execute_as_scalar_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute_as_scalar_async>(
      self, sql, callback, user_data);
}

TarvexProvidersContractsValueObject*
tarvex_brevane_contracts_database_iconnection_execute_as_scalar_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, GError** error) {
  return tarvex::call_slot<
      &TarvexBrevaneContractsDatabaseIConnectionIface::execute_as_scalar_finish>(self, result,
                                                                                 error);
}

TarvexProvidersContractsValueObject*
tarvex_brevane_contracts_database_iconnection_execute_as_scalar(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute_as_scalar>(
      self, sql, flags, error);
}

void tarvex_brevane_contracts_database_iconnection_execute_async(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GAsyncReadyCallback callback,
    gpointer user_data) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute_async>(
      self, sql, callback, user_data);
}

GObject** tarvex_brevane_contracts_database_iconnection_execute_finish(
    TarvexBrevaneContractsDatabaseIConnection* self, GAsyncResult* result, gint* result_length1,
    GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute_finish>(
      self, result, result_length1, error);
}

GObject** tarvex_brevane_contracts_database_iconnection_execute(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, guint32 flags,
    gint* result_length1, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute>(
      self, sql, flags, result_length1, error);
}

TarvexProvidersContractsIDataReader* tarvex_brevane_contracts_database_iconnection_execute_reader(
    TarvexBrevaneContractsDatabaseIConnection* self, const gchar* sql, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::execute_reader>(
      self, sql, error);
}

gboolean tarvex_brevane_contracts_database_iconnection_transaction(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::transaction>(self,
                                                                                         error);
}

void tarvex_brevane_contracts_database_iconnection_rollback(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::rollback>(self, error);
}

void tarvex_brevane_contracts_database_iconnection_commit(
    TarvexBrevaneContractsDatabaseIConnection* self, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::commit>(self, error);
}

TarvexProvidersContractsServer* tarvex_brevane_contracts_database_iconnection_get_server(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::get_server>(self);
}

TarvexProvidersContractsIProvider* tarvex_brevane_contracts_database_iconnection_get_provider(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::get_provider>(self);
}

TarvexBrevaneContractsDatabaseDBStatus tarvex_brevane_contracts_database_iconnection_get_status(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::get_status,
                           TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown>(self);
}

void tarvex_brevane_contracts_database_iconnection_set_status(
    TarvexBrevaneContractsDatabaseIConnection* self, TarvexBrevaneContractsDatabaseDBStatus value) {
  tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::set_status>(self, value);
}

const gchar* tarvex_brevane_contracts_database_iconnection_get_version(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::get_version>(self);
}

guint32 tarvex_brevane_contracts_database_iconnection_get_major_version(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::get_major_version>(
      self);
}

guint32 tarvex_brevane_contracts_database_iconnection_get_minor_version(
    TarvexBrevaneContractsDatabaseIConnection* self) {
  return tarvex::call_slot<&TarvexBrevaneContractsDatabaseIConnectionIface::get_minor_version>(
      self);
}
