// Shared helpers of the database tests: owned texts, a bare connection to
// hand to dialect objects, and a small T-SQL reader that tells how many
// statements a text holds and what its literals and identifiers say.
#pragma once

#include <glib-object.h>

#include <string>
#include <vector>

#include "brevane/contracts/iconnection.h"
#include "common/tarvex-gobject-private.h"
#include "providers/contracts/server.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

namespace dbtest {

using tarvex::test::take;
bool is_null_text(gchar* text);

// A connection object whose slots are all empty: enough for the texts, and
// for the edge cases of empty slots.
TarvexBrevaneContractsDatabaseIConnection* bare_connection_new();

// How a T-SQL parser reads a text: statements split at ";" outside
// literals, quoted and bracketed identifiers and comments.
struct SqlShape {
  int statements = 0;                    // non-blank statements
  bool unterminated = false;             // a literal, identifier or comment runs to the end
  bool comment = false;                  // a comment outside literals
  std::vector<std::string> literals;     // contents of '...' and N'...', quotes undoubled
  std::vector<std::string> identifiers;  // contents of [...] and "...", closers undoubled
};
SqlShape read_sql(const std::string& text);

// The query a SQL Server connection asks the server's version with.
inline constexpr const char* kVersionQuery = "SELECT SERVERPROPERTY('ProductVersion') as version;";

// A description of the scripted test server at host:port, logged in to as
// "sa" with the password "secret"; named `uuid` when one is given.
inline tarvex::GRef<TarvexProvidersContractsServer> test_server(const char* uuid, const char* host,
                                                                guint16 port) {
  auto server = tarvex::adoptGRef(tarvex_providers_contracts_server_new());
  if (uuid) tarvex_providers_contracts_server_set_uuid(server.get(), uuid);
  tarvex_providers_contracts_server_set_host(server.get(), host);
  tarvex_providers_contracts_server_set_port(server.get(), port);
  tarvex_providers_contracts_server_set_username(server.get(), "sa");
  tarvex_providers_contracts_server_set_password(server.get(), "secret");
  return server;
}

}  // namespace dbtest
