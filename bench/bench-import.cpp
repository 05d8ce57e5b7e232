// The import of ROWS delimiter-separated records of 8 columns (ACTION
// append) into the in-process TDS test server, whose every answer waits
// DELAY milliseconds to model a network: the time, the batches the server
// received and the peak resident memory of the first run in a fresh
// process, beside the baseline of the same process: the same batches sent
// again through a bare db-lib loop (what the wire alone costs).
//
//   bench-import [ROWS [DELAYS]]     ROWS 100000, DELAYS 0,1,20 (milliseconds)
//
// Each delay runs in a fresh process of its own (this program started
// again as "bench-import --one ROWS DELAY").
#include <sybdb.h>
#include <sybfront.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench-support.h"
#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/tds-server.h"

namespace tds = tarvex::test::tds;
using namespace tarvex::bench;

namespace {

// The records: every column kind an import checks, texts with quotes and
// non-ASCII among them.
std::string write_records(const std::string& path, long rows) {
  FILE* out = std::fopen(path.c_str(), "w");
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
  std::fputs("id,big,ratio,amount,label,flag,day,tag\n", out);
  for (long r = 0; r < rows; ++r)
    std::fprintf(out,
                 "%ld,%ld,%.2f,%ld.%04ld,\"row %ld, O'Brien "
                 "\xC3\xBC\",%ld,2024-%02ld-%02ld,%08lX-0000-4000-8000-%012lX\n",
                 r, r * 1000003, r * 0.25, r, r % 10000, r, r % 2, r % 12 + 1, r % 28 + 1, r, r);
  std::fclose(out);
  return path;
}

struct Run {
  bool done = false;
  gint64 count = 0;
  GError* error = nullptr;
};

int one(long rows, long delay_ms) {
  tds::use_private_freetds_conf();
  tarvex_brevane_foundation_services_initialize();
  auto log_manager = tarvex::adoptGRef(G_OBJECT(tarvex_brevane_supports_log_log_manager_new()));
  tarvex_brevane_foundation_services_register_instance(
      TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER, log_manager.get());
  tarvex::GUniqueStr dir(g_dir_make_tmp("bench-import-XXXXXX", nullptr));
  tarvex_brevane_foundation_logging_service_initialize(
      "main", TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN, dir.get(), 1 << 20);

  tds::Server server;
  server.on_pattern("^INSERT").row_count(1);
  server.on_pattern("SERVERPROPERTY\\('ProductVersion'\\)")
      .result({{"version", "sql_variant", true}})
      .row({"nvarchar(128):16.0.1000.6"});
  // Every answer waits, as over a network link.
  auto delay = std::chrono::milliseconds(delay_ms);
  server.set_batch_observer([delay](const tds::ReceivedBatch&) {
    if (delay.count() > 0) std::this_thread::sleep_for(delay);
  });
  server.start();

  auto description = tarvex::adoptGRef(tarvex_providers_contracts_server_new());
  tarvex_providers_contracts_server_set_host(description.get(), "127.0.0.1");
  tarvex_providers_contracts_server_set_port(description.get(), server.port());
  tarvex_providers_contracts_server_set_username(description.get(), "sa");
  tarvex_providers_contracts_server_set_initial(description.get(), "master");
  auto connection = tarvex::adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
  auto* iconnection =
      reinterpret_cast<TarvexBrevaneContractsDatabaseIConnection*>(connection.get());
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iconnection_open(iconnection, description.get(), nullptr,
                                                     &error);
  check(error, "open");

  auto table = tarvex::adoptGRef(
      tarvex_brevane_meta_model_meta_table_new_with_names("master", "dbo", "Imported"));
  const std::pair<const char*, TarvexProvidersContractsDataType> kinds[] = {
      {"id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32},
      {"big", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64},
      {"ratio", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE},
      {"amount", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL},
      {"label", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING},
      {"flag", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN},
      {"day", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE},
      {"tag", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID}};
  for (auto [name, kind] : kinds) {
    auto column =
        tarvex::adoptGRef(tarvex_brevane_meta_model_meta_table_new_column(table.get(), name, kind));
    g_object_set_data_full(G_OBJECT(column.get()), "SOURCE", g_strdup(name), g_free);
  }
  std::string path = write_records(std::string(dir.get()) + "/import.csv", rows);

  auto dsv = tarvex::adoptGRef(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv"));
  auto* options = GEE_ABSTRACT_MAP(tarvex_brevane_contracts_data_iexporter_get_options(
      reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(dsv.get())));
  gee_abstract_map_set(options, "FILENAME", path.c_str());
  gee_abstract_map_set(options, "ACTION", "append");

  size_t before = server.batch_texts().size();
  long rss_before = status_mb("VmRSS:");
  reset_peak();
  Run run;
  auto start = Clock::now();
  tarvex_brevane_contracts_data_iimporter_import_from_file(
      reinterpret_cast<TarvexBrevaneContractsDataIImporter*>(dsv.get()), iconnection, table.get(),
      nullptr, nullptr,
      [](GObject* source, GAsyncResult* result, gpointer data) {
        auto* r = static_cast<Run*>(data);
        r->count = tarvex_brevane_contracts_data_iimporter_import_from_file_finish(
            reinterpret_cast<TarvexBrevaneContractsDataIImporter*>(source), result, &r->error);
        r->done = true;
      },
      &run);
  while (!run.done) g_main_context_iteration(nullptr, TRUE);
  double import_seconds = seconds_since(start);
  long peak = status_mb("VmHWM:");
  check(run.error, "import");
  if (run.count != rows) {
    std::fprintf(stderr, "imported %lld of %ld records\n", static_cast<long long>(run.count), rows);
    return 1;
  }
  std::vector<std::string> batches = server.batch_texts();
  batches.erase(batches.begin(), batches.begin() + long(before));

  // The baseline: the same batches through a bare db-lib loop.
  LOGINREC* login = dblogin();
  dbsetlname(login, "sa", DBSETUSER);
  dbsetlname(login, "UTF-8", DBSETCHARSET);
  DBPROCESS* p = tdsdbopen(login, server.address().c_str(), TRUE);
  dbloginfree(login);
  if (!p) {
    std::fprintf(stderr, "baseline: login failed\n");
    return 1;
  }
  start = Clock::now();
  for (const std::string& batch : batches) {
    dbcmd(p, batch.c_str());
    dbsqlexec(p);
    while (dbresults(p) != NO_MORE_RESULTS)
      while (dbnextrow(p) != NO_MORE_ROWS) {
      }
  }
  double baseline_seconds = seconds_since(start);
  dbclose(p);

  std::printf("%9ld ms | %8ld | %8zu | %9.2f s | %9.2f s | %7ld MB | %6ld MB\n", delay_ms, rows,
              batches.size(), import_seconds, baseline_seconds, rss_before, peak);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--one") == 0)
    return one(std::atol(argv[2]), std::atol(argv[3]));
  std::string rows = argc > 1 ? argv[1] : "100000";
  std::string delays = argc > 2 ? argv[2] : "0,1,20";
  std::printf(
      "import of %s records x 8 columns from a CSV file, ACTION append (first run in a fresh "
      "process each)\n",
      rows.c_str());
  std::printf("%12s | %8s | %8s | %11s | %11s | %10s | %9s\n", "answer delay", "records", "batches",
              "import", "db-lib loop", "RSS before", "peak RSS");
  std::fflush(stdout);
  tarvex::GUnique<char*> list(g_strsplit(delays.c_str(), ",", -1));
  for (gchar** delay = list.get(); *delay; ++delay) {
    const char* child[] = {argv[0], "--one", rows.c_str(), *delay, nullptr};
    gint status = 0;
    GError* error = nullptr;
    if (!g_spawn_sync(nullptr, const_cast<gchar**>(child), nullptr, G_SPAWN_CHILD_INHERITS_STDIN,
                      nullptr, nullptr, nullptr, nullptr, &status, &error)) {
      check(error, "spawn");
    }
    if (!g_spawn_check_wait_status(status, nullptr)) return 1;
  }
  return 0;
}
