// The query result the data benchmarks read: a scripted table of eight
// columns of the common kinds, and a provider opened on its server.
#pragma once

#include <cstdint>

#include "bench/bench-support.h"
#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/tds-server.h"

namespace tarvex::bench {

// `rows` rows of int, bigint, float, decimal(18,4), nvarchar(40),
// datetime2(7), bit and uniqueidentifier, answered to `query`.
inline void script_big_table(tarvex::test::tds::Server& server, const char* query, uint64_t rows) {
  server.on_batch(query).generate(rows, {{"Id", "int"},
                                         {"Counter", "bigint"},
                                         {"Ratio", "float"},
                                         {"Amount", "decimal(18,4)"},
                                         {"Label", "nvarchar(40)"},
                                         {"Stamp", "datetime2(7)"},
                                         {"Flag", "bit"},
                                         {"Tag", "uniqueidentifier"}});
}

// Opens `provider` on the started test server at `port`, and returns the
// server description it used; exits on failure.
inline tarvex::GRef<TarvexProvidersContractsServer> open_on_test_server(
    TarvexProvidersContractsIProvider* provider, uint16_t port) {
  auto description = tarvex::adoptGRef(tarvex_providers_contracts_server_new());
  tarvex_providers_contracts_server_set_host(description.get(), "127.0.0.1");
  tarvex_providers_contracts_server_set_port(description.get(), port);
  tarvex_providers_contracts_server_set_username(description.get(), "sa");
  tarvex_providers_contracts_server_set_password(description.get(), "secret");
  GError* error = nullptr;
  tarvex_providers_contracts_iprovider_open(provider, description.get(), "", &error);
  check(error, "open");
  return description;
}

}  // namespace tarvex::bench
