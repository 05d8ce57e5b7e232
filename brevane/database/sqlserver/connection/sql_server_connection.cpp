#include "brevane/database/sqlserver/sql_server_connection.h"

#include <cstdio>

#include "brevane/database/connection_impl-private.h"
#include "brevane/database/sqlserver/sql_server_adapter.h"
#include "brevane/database/sqlserver/sql_server_adapter_v10x.h"
#include "brevane/database/sqlserver/sql_server_builder.h"
#include "brevane/database/sqlserver/sql_server_explorer.h"
#include "brevane/database/sqlserver/sql_server_explorer_v10x.h"
#include "brevane/database/sqlserver/sql_server_inspector.h"
#include "brevane/database/sqlserver/sql_server_statement.h"
#include "common/tarvex-gobject-private.h"
#include "providers/sqlserver/sql_server_provider.h"

using namespace tarvex;
using namespace tarvex::database;

G_DEFINE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerConnection,
              tarvex_brevane_supports_database_sql_server_connection,
              TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_CONNECTION_IMPL)

namespace {

constexpr char kVersionQuery[] = "SELECT SERVERPROPERTY('ProductVersion') as version;";

// The dialect objects a connection creates for itself. Each keeps the
// connection without a reference of its own.
TarvexBrevaneContractsDatabaseIConnection* as_connection(ConnectionImpl* self) {
  return TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(self);
}

GObject* new_adapter(ConnectionImpl* self, bool legacy) {
  if (legacy)
    return G_OBJECT(
        tarvex_brevane_supports_database_sql_server_adapter_v10x_new(as_connection(self)));
  return G_OBJECT(tarvex_brevane_supports_database_sql_server_adapter_new(as_connection(self)));
}

GObject* new_builder(ConnectionImpl* self) {
  return G_OBJECT(tarvex_brevane_supports_database_sql_server_builder_new(as_connection(self)));
}

GObject* new_explorer(ConnectionImpl* self, bool legacy) {
  if (legacy)
    return G_OBJECT(
        tarvex_brevane_supports_database_sql_server_explorer_v10x_new(as_connection(self)));
  return G_OBJECT(tarvex_brevane_supports_database_sql_server_explorer_new(as_connection(self)));
}

GObject* new_inspector(ConnectionImpl* self) {
  return G_OBJECT(tarvex_brevane_supports_database_sql_server_inspector_new(as_connection(self)));
}

GObject* new_statement(ConnectionImpl* self) {
  return G_OBJECT(tarvex_brevane_supports_database_sql_server_statement_new(as_connection(self)));
}

template <typename T>
T* dialect_object(ConnectionImpl* self, DialectSlot slot, GObject* (*create)(ConnectionImpl*)) {
  return reinterpret_cast<T*>(connection_dialect_object(self, slot, [&] { return create(self); }));
}

// Before the first open the variants for current servers are created.
TarvexBrevaneContractsDatabaseIAdaptable* sql_server_adapter(ConnectionImpl* self) {
  return dialect_object<TarvexBrevaneContractsDatabaseIAdaptable>(
      self, DialectSlot::Adapter, [](ConnectionImpl* c) { return new_adapter(c, false); });
}

TarvexBrevaneContractsDatabaseIBuildable* sql_server_builder(ConnectionImpl* self) {
  return dialect_object<TarvexBrevaneContractsDatabaseIBuildable>(self, DialectSlot::Builder,
                                                                  new_builder);
}

TarvexBrevaneContractsDatabaseIExplorable* sql_server_explorer(ConnectionImpl* self) {
  return dialect_object<TarvexBrevaneContractsDatabaseIExplorable>(
      self, DialectSlot::Explorer, [](ConnectionImpl* c) { return new_explorer(c, false); });
}

TarvexBrevaneContractsDatabaseIInspectable* sql_server_inspector(ConnectionImpl* self) {
  return dialect_object<TarvexBrevaneContractsDatabaseIInspectable>(self, DialectSlot::Inspector,
                                                                    new_inspector);
}

TarvexBrevaneContractsDatabaseIStatement* sql_server_statement(ConnectionImpl* self) {
  return dialect_object<TarvexBrevaneContractsDatabaseIStatement>(self, DialectSlot::Statement,
                                                                  new_statement);
}

// Runs after every successful provider open, on the thread that opens.
void sql_server_update_version(ConnectionImpl* self, GError** error) {
  auto value = adoptGRef(tarvex_brevane_supports_database_connection_impl_execute_as_scalar(
      self, kVersionQuery, 0, error));
  if (!value) {
    if (error && !*error) set_connection_error(error, "The server did not tell its version.");
    return;
  }
  GUniqueStr version(tarvex_providers_contracts_value_object_to_string(value.get()));
  int major = 0, minor = 0;
  int read = std::sscanf(version.get(), "%d.%d", &major, &minor);
  bool parsed = read >= 1;
  connection_set_version(self, version.get(), parsed, guint32(major), guint32(minor));

  // Servers of major version 10 and lower (and those whose version does not
  // parse) get their own explorer and adapter. The swap is one step under
  // the dialect lock, so a getter on another thread sees the old pair or
  // the new one.
  bool legacy = (parsed ? major : 0) <= 10;
  connection_replace_dialect_objects(self, {{DialectSlot::Explorer, new_explorer(self, legacy)},
                                            {DialectSlot::Adapter, new_adapter(self, legacy)}});
}

}  // namespace

static void tarvex_brevane_supports_database_sql_server_connection_class_init(
    TarvexBrevaneSupportsDatabaseSQLServerConnectionClass* klass) {
  auto* connection = TARVEX_BREVANE_SUPPORTS_DATABASE_CONNECTION_IMPL_CLASS(klass);
  connection->adapter = sql_server_adapter;
  connection->builder = sql_server_builder;
  connection->explorer = sql_server_explorer;
  connection->inspector = sql_server_inspector;
  connection->statement = sql_server_statement;
  connection->update_version = sql_server_update_version;
}

static void tarvex_brevane_supports_database_sql_server_connection_init(
    TarvexBrevaneSupportsDatabaseSQLServerConnection*) {}

TarvexBrevaneSupportsDatabaseSQLServerConnection*
tarvex_brevane_supports_database_sql_server_connection_construct(GType object_type) {
  auto* self = tarvex_brevane_supports_database_connection_impl_construct(object_type);
  auto provider = adoptGRef(tarvex_providers_supports_sql_server_provider_new());
  connection_set_provider(self,
                          reinterpret_cast<TarvexProvidersContractsIProvider*>(provider.get()));
  return reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerConnection*>(self);
}

TarvexBrevaneSupportsDatabaseSQLServerConnection*
tarvex_brevane_supports_database_sql_server_connection_new(void) {
  return tarvex_brevane_supports_database_sql_server_connection_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_CONNECTION);
}
