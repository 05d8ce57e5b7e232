// The SQL Server provider reading a generated 1,000,000 x 8 result into a
// table model, beside a plain db-lib loop (dbnextrow + dbdata, no values)
// over the same result from the same in-process test server.
//
//   bench-provider [ROWS] [ROUNDS]
#include <sybdb.h>
#include <sybfront.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/tarvex-gobject.h"
#include "providers/fenrow.h"
#include "tests/support/tds-server.h"

namespace tds = tarvex::test::tds;
using Clock = std::chrono::steady_clock;

namespace {

const char* const kQuery = "SELECT * FROM dbo.BigTable";

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The plain loop: what db-lib itself costs for the same rows.
double plain_loop(const tds::Server& server, long expected_rows) {
  LOGINREC* login = dblogin();
  dbsetlname(login, "sa", DBSETUSER);
  dbsetlname(login, "secret", DBSETPWD);
  dbsetlname(login, "UTF-8", DBSETCHARSET);
  DBPROCESS* p = tdsdbopen(login, server.address().c_str(), TRUE);
  dbloginfree(login);
  if (!p) {
    std::fprintf(stderr, "plain loop: login failed\n");
    std::exit(1);
  }
  auto start = Clock::now();
  dbcmd(p, kQuery);
  dbsqlexec(p);
  long rows = 0;
  size_t bytes = 0;
  while (dbresults(p) != NO_MORE_RESULTS) {
    int columns = dbnumcols(p);
    while (dbnextrow(p) != NO_MORE_ROWS) {
      for (int c = 1; c <= columns; c++) {
        if (dbdata(p, c)) bytes += size_t(dbdatlen(p, c));
      }
      rows++;
    }
  }
  double elapsed = seconds_since(start);
  dbclose(p);
  if (rows != expected_rows || bytes == 0) {
    std::fprintf(stderr, "plain loop read %ld rows\n", rows);
    std::exit(1);
  }
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
  int rounds = argc > 2 ? std::atoi(argv[2]) : 3;

  tds::use_private_freetds_conf();
  // The provider type sets up db-lib and installs its handlers.
  auto provider = tarvex::adoptGRef(tarvex_providers_supports_sql_server_provider_new());
  auto* iprovider = reinterpret_cast<TarvexProvidersContractsIProvider*>(provider.get());

  tds::Server server;
  server.on_batch(kQuery).generate(uint64_t(rows), {{"Id", "int"},
                                                    {"Counter", "bigint"},
                                                    {"Ratio", "float"},
                                                    {"Amount", "decimal(18,4)"},
                                                    {"Label", "nvarchar(40)"},
                                                    {"Stamp", "datetime2(7)"},
                                                    {"Flag", "bit"},
                                                    {"Tag", "uniqueidentifier"}});
  server.start();

  auto description = tarvex::adoptGRef(tarvex_providers_contracts_server_new());
  tarvex_providers_contracts_server_set_host(description.get(), "127.0.0.1");
  tarvex_providers_contracts_server_set_port(description.get(), server.port());
  tarvex_providers_contracts_server_set_username(description.get(), "sa");
  tarvex_providers_contracts_server_set_password(description.get(), "secret");
  GError* error = nullptr;
  tarvex_providers_contracts_iprovider_open(iprovider, description.get(), "", &error);
  if (error) {
    std::fprintf(stderr, "open: %s\n", error->message);
    return 1;
  }

  double best_plain = 1e9, best_model = 1e9, best_release = 1e9, first_plain = 0, first_model = 0;
  for (int round = 0; round < rounds; round++) {
    best_plain = std::min(best_plain, plain_loop(server, rows));

    auto start = Clock::now();
    auto* table = tarvex_providers_contracts_iprovider_execute_model(iprovider, kQuery, 0, &error);
    double model = seconds_since(start);
    if (!table) {
      std::fprintf(stderr, "execute_model: %s\n", error ? error->message : "?");
      return 1;
    }
    gint count = gee_collection_get_size(
        GEE_COLLECTION(tarvex_providers_contracts_table_model_get_rows(table)));
    if (count != rows) {
      std::fprintf(stderr, "execute_model read %d rows\n", count);
      return 1;
    }
    start = Clock::now();
    g_object_unref(table);
    double release = seconds_since(start);
    if (round == 0) {
      first_plain = best_plain;
      first_model = model;
    }
    best_model = std::min(best_model, model);
    best_release = std::min(best_release, release);
    std::printf("round %d: plain loop %.3f s, execute_model %.3f s, release %.3f s\n", round + 1,
                best_plain, model, release);
  }
  std::printf("rows: %ld x 8 columns (best of %d)\n", rows, rounds);
  std::printf("plain db-lib loop: %.3f s\n", best_plain);
  std::printf("execute_model:     %.3f s\n", best_model);
  std::printf("ratio:             %.2fx (goal: at most 2x)\n", best_model / best_plain);
  std::printf("release of the table model: %.3f s\n", best_release);
  // The first table is built on memory the process has never touched: on a
  // machine with costly page faults that round is much slower.
  std::printf("first round (fresh heap): plain %.3f s, execute_model %.3f s, ratio %.2fx\n", first_plain,
              first_model, first_model / first_plain);
  return 0;
}
