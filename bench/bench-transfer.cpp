// The transfer of a 100,000 x 8 table (int key, bigint, float, decimal,
// nvarchar, bit, date, varbinary) from one in-process test server to
// another: rows per second, round trips on each side and peak resident
// memory of the first run in a fresh process, beside the baseline of the
// same run: reading the same pages from the source without writing them.
//
//   bench-transfer [ROWS] [PAGE]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/tds-server.h"

namespace tds = tarvex::test::tds;
using Clock = std::chrono::steady_clock;
using tarvex::GRef;

namespace {

long status_kb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  size_t n = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':')
      return std::atol(line.c_str() + n + 1);
  return -1;
}

bool reset_peak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return bool(clear);
}

const std::vector<tds::Column> kColumns = {{"id", "int"},
                                           {"big", "bigint"},
                                           {"ratio", "float"},
                                           {"amount", "nvarchar(64)"},
                                           {"label", "nvarchar(40)"},
                                           {"flag", "bit"},
                                           {"day", "date"},
                                           {"bytes", "varbinary(8)"}};

void script_source(tds::Server& server, long rows, long page) {
  server.on_pattern("(?s).").result({{"x", "int", true}});
  server.on_pattern("SERVERPROPERTY\\('ProductVersion'\\)")
      .result({{"version", "sql_variant", true}})
      .row({"nvarchar(128):16.0.1000.6"});
  server.on_pattern("FROM sys\\.databases d LEFT JOIN.*d\\.name=N'bench'")
      .result({{"state", "nvarchar(60)", true}})
      .row({"ONLINE"});
  server.on_pattern("INFORMATION_SCHEMA\\.SCHEMATA WHERE SCHEMA_ID")
      .result(
          {{"SCHEMA_NAME", "sysname"}, {"SCHEMA_OWNER", "sysname", true}, {"x", "sysname", true}})
      .row({"dbo", "dbo", std::nullopt});
  server.on_pattern("type in \\('U', 'V', 'IT', 'S'\\).*N'dbo'")
      .result({{"name", "sysname"}, {"type", "char(2)"}})
      .row({"big_table", "U "});
  auto& columns = server.on_pattern("FROM sys\\.all_columns ac.*N'big_table'")
                      .result({{"column_id", "int"},
                               {"name", "sysname"},
                               {"type", "sysname", true},
                               {"max_length", "smallint"},
                               {"precision", "tinyint"},
                               {"scale", "tinyint"},
                               {"is_nullable", "bit", true},
                               {"definition", "nvarchar(max)", true},
                               {"collation_name", "sysname", true},
                               {"comment", "nvarchar(max)", true}});
  const char* types[][4] = {{"id", "int", "4", "10"},         {"big", "bigint", "8", "19"},
                            {"ratio", "float", "8", "53"},    {"amount", "decimal", "9", "18"},
                            {"label", "nvarchar", "80", "0"}, {"flag", "bit", "1", "1"},
                            {"day", "date", "3", "10"},       {"bytes", "varbinary", "8", "0"}};
  int id = 1;
  for (auto& t : types)
    columns.row({std::to_string(id++), t[0], t[1], t[2], t[3],
                 std::string(t[0]) == "amount" ? "4" : "0", "0", std::nullopt, std::nullopt,
                 std::nullopt});
  server.on_pattern("N'big_table'.*ix\\.is_primary_key = 1")
      .result({{"name", "sysname", true},
               {"column_id", "int"},
               {"column_name", "sysname", true},
               {"key_ordinal", "tinyint"}})
      .row({"PK_big", "1", "id", "1"});
  server.on_pattern("SELECT count\\(\\*\\) FROM \\[dbo\\]\\.\\[big_table\\]")
      .result({{"n", "int"}})
      .row({std::to_string(rows)});
  for (long offset = 0; offset < rows; offset += page)
    server.on_pattern("OFFSET " + std::to_string(offset) + " ROWS FETCH NEXT")
        .generate(uint64_t(std::min(page, rows - offset)), kColumns);
}

GRef<TarvexBrevaneSupportsDatabaseSQLServerConnection> open_on(tds::Server& server) {
  auto connection = tarvex::adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
  auto description = tarvex::adoptGRef(tarvex_providers_contracts_server_new());
  tarvex_providers_contracts_server_set_host(description.get(), "127.0.0.1");
  tarvex_providers_contracts_server_set_port(description.get(), server.port());
  tarvex_providers_contracts_server_set_username(description.get(), "sa");
  tarvex_providers_contracts_server_set_password(description.get(), "secret");
  tarvex_providers_contracts_server_set_initial(description.get(), "master");
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iconnection_open(
      reinterpret_cast<TarvexBrevaneContractsDatabaseIConnection*>(connection.get()),
      description.get(), nullptr, &error);
  if (error) {
    std::fprintf(stderr, "open: %s\n", error->message);
    std::exit(1);
  }
  return connection;
}

void quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

}  // namespace

int main(int argc, char** argv) {
  const long rows = argc > 1 ? std::atol(argv[1]) : 100000;
  const long page = argc > 2 ? std::atol(argv[2]) : 1000;
  tds::use_private_freetds_conf();
  g_log_set_default_handler(quiet, nullptr);
  tarvex_brevane_foundation_services_initialize();

  tds::Server source, target;
  script_source(source, rows, page);
  target.on_pattern("(?s).").result({{"x", "int", true}});
  target.on_pattern("SERVERPROPERTY\\('ProductVersion'\\)")
      .result({{"version", "sql_variant", true}})
      .row({"nvarchar(128):16.0.1000.6"});
  source.start();
  target.start();
  auto source_connection = open_on(source);
  auto target_connection = open_on(target);

  auto options = GRef<GeeMap>::adopt(GEE_MAP(gee_hash_map_new(
      G_TYPE_STRING, (GBoxedCopyFunc)g_strdup, g_free, G_TYPE_STRING, (GBoxedCopyFunc)g_strdup,
      g_free, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)));
  for (auto [k, v] :
       {std::pair{"OPTION|SOURCE|DATABASE", "bench"}, std::pair{"schema|dbo|MODE", "true"},
        std::pair{"table|big_table|MODE", "true"}})
    gee_map_set(options.get(), k, v);
  const std::string batch = std::to_string(page);
  gee_map_set(options.get(), "table|big_table|BATCH", batch.c_str());

  auto transfer = tarvex::adoptGRef(tarvex_brevane_transform_transfer_new(options.get()));
  auto* it = TARVEX_BREVANE_TRANSFORM_ITRANSFORM(transfer.get());
  tarvex_brevane_transform_itransform_set_server_source(
      it, reinterpret_cast<TarvexBrevaneContractsDatabaseIConnection*>(source_connection.get()));
  tarvex_brevane_transform_itransform_set_server_target(
      it, reinterpret_cast<TarvexBrevaneContractsDatabaseIConnection*>(target_connection.get()));
  auto* progress = tarvex_brevane_contracts_thread_progress_new();
  tarvex_brevane_transform_itransform_set_progress(it, progress);

  const size_t source_before = source.batch_texts().size();
  const size_t target_before = target.batch_texts().size();
  const long rss_before = status_kb("VmRSS");
  const bool peak_reset = reset_peak();
  auto start = Clock::now();
  tarvex_brevane_transform_itransform_handle(it);
  double transfer_s = std::chrono::duration<double>(Clock::now() - start).count();
  const long peak_transfer = status_kb("VmHWM");
  const size_t source_trips = source.batch_texts().size() - source_before;
  size_t target_trips = 0, insert_batches = 0, inserted_bytes = 0;
  {
    auto all = target.batch_texts();
    for (size_t i = target_before; i < all.size(); ++i) {
      ++target_trips;
      if (all[i].find("INSERT INTO") != std::string::npos) {
        ++insert_batches;
        inserted_bytes += all[i].size();
      }
    }
  }

  // Baseline: the same page queries, read and dropped.
  reset_peak();
  auto* source_iconn =
      reinterpret_cast<TarvexBrevaneContractsDatabaseIConnection*>(source_connection.get());
  start = Clock::now();
  long read_rows = 0;
  for (long offset = 0; offset < rows; offset += page) {
    const std::string sql = "SELECT * FROM [dbo].[big_table] ORDER BY [id] OFFSET " +
                            std::to_string(offset) + " ROWS FETCH NEXT " + std::to_string(page) +
                            " ROWS ONLY;";
    GError* error = nullptr;
    auto model = tarvex::adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_model(
        source_iconn, sql.c_str(), 0, &error));
    if (model) read_rows += g_list_model_get_n_items(G_LIST_MODEL(model.get()));
    g_clear_error(&error);
  }
  double read_s = std::chrono::duration<double>(Clock::now() - start).count();
  const long peak_read = status_kb("VmHWM");

  std::printf("transfer of %ld rows x 8 columns, pages of %ld (first run in a fresh process)\n",
              rows, page);
  std::printf("  steps: %lld succeeded, %lld failed\n", (long long)progress->succeeded,
              (long long)progress->failed);
  std::printf("  time %.3f s, %.0f rows/s\n", transfer_s, rows / transfer_s);
  std::printf(
      "  round trips: source %zu (catalog, count, %ld pages), target %zu (%zu INSERT batches, %.1f "
      "MB of SQL)\n",
      source_trips, (rows + page - 1) / page, target_trips, insert_batches,
      inserted_bytes / 1048576.0);
  std::printf("  resident before %ld kB, peak during transfer %ld kB%s\n", rss_before,
              peak_transfer, peak_reset ? "" : " (peak not resettable: process peak)");
  std::printf(
      "baseline, same run: reading the same pages only: %ld rows in %.3f s, %.0f rows/s, peak %ld "
      "kB\n",
      read_rows, read_s, read_rows / read_s, peak_read);
  tarvex_brevane_contracts_thread_progress_unref(progress);
  return progress ? 0 : 1;
}
