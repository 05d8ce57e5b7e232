// The transfer of a 100,000 x 8 table (int key, bigint, float, decimal,
// nvarchar, bit, date, varbinary) from one in-process test server to
// another, its schema holding OTHERS tables more that are not selected:
// rows per second, round trips on each side and peak resident memory of
// the first run in a fresh process, beside the baseline of the same run:
// reading the same pages from the source without writing them.
//
// Without OTHERS the program runs itself once for 0 and once for 200
// other tables, and tells whether the source received as many batches
// both times: the transfer reads only what it moves.
//
//   bench-transfer [ROWS] [PAGE] [OTHERS]
#include <glib.h>
#include <glib/gstdio.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/tds-catalog.h"
#include "tests/support/tds-server.h"

namespace tds = tarvex::test::tds;
using Clock = std::chrono::steady_clock;
using tarvex::GRef;
using tarvex::GUniqueStr;

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

// The answers of sys.all_columns and of the primary key query, as the
// catalog fixture of the tests scripts them.
const std::vector<tds::Column>& kColumnAnswer = tarvex::test::catalog::kColumnColumns;
const std::vector<tds::Column>& kPrimaryKeyAnswer = tarvex::test::catalog::kPrimaryKeyColumns;

std::string other_table(long i) {
  return "other_" + std::to_string(i);
}

// The source: big_table, with `rows` rows read in pages of `page`, listed
// in the schema among `others` tables of two columns that nobody selects.
// Their own catalog queries are answered as big_table's are, so that a
// transfer that read them would be served; their rules come first, and
// the server tries the later rules first, so that they cost big_table's
// queries nothing.
void script_source(tds::Server& server, long rows, long page, long others) {
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
  auto& listing = server.on_pattern("type in \\('U', 'V', 'IT', 'S'\\).*N'dbo'")
                      .result({{"name", "sysname"}, {"type", "char(2)"}});
  // big_table halfway down the listing: unselected tables before and after it.
  for (long i = 0; i <= others; i++) {
    if (i == others / 2) listing.row({"big_table", "U "});
    if (i < others) listing.row({other_table(i), "U "});
  }
  for (long i = 0; i < others; i++) {
    const std::string name = other_table(i);
    server.on_pattern("FROM sys\\.all_columns ac.*N'" + name + "'")
        .result(kColumnAnswer)
        .row({"1", "id", "int", "4", "10", "0", "0", std::nullopt, std::nullopt, std::nullopt})
        .row({"2", "name", "nvarchar", "80", "0", "0", "1", std::nullopt, std::nullopt,
              std::nullopt});
    server.on_pattern("N'" + name + "'.*ix\\.is_primary_key = 1")
        .result(kPrimaryKeyAnswer)
        .row({"PK_" + name, "1", "id", "1"});
  }
  auto& columns =
      server.on_pattern("FROM sys\\.all_columns ac.*N'big_table'").result(kColumnAnswer);
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
      .result(kPrimaryKeyAnswer)
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

// Where a run started by main writes the batches its source received.
constexpr char kBatchesVariable[] = "BENCH_TRANSFER_BATCHES";
// The other tables of the second run main starts.
constexpr long kOthers = 200;

// One measurement; writes the batches the source received during the
// transfer to `batches_path`, one escaped text a line, when it is set.
int run_one(long rows, long page, long others, const char* batches_path) {
  tds::use_private_freetds_conf();
  g_log_set_default_handler(quiet, nullptr);
  tarvex_brevane_foundation_services_initialize();

  tds::Server source, target;
  script_source(source, rows, page, others);
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
  const auto source_texts = source.batch_texts();
  const size_t source_trips = source_texts.size() - source_before;
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

  std::printf(
      "transfer of %ld rows x 8 columns, pages of %ld, %ld other tables in the schema (first run "
      "in a fresh process)\n",
      rows, page, others);
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
  const bool failed = progress->failed != 0;
  tarvex_brevane_contracts_thread_progress_unref(progress);
  if (batches_path) {
    FILE* out = std::fopen(batches_path, "w");
    if (!out) {
      std::fprintf(stderr, "%s: %s\n", batches_path, std::strerror(errno));
      return 1;
    }
    for (size_t i = source_before; i < source_texts.size(); ++i) {
      GUniqueStr escaped(g_strescape(source_texts[i].c_str(), nullptr));
      std::fprintf(out, "%s\n", escaped.get());
    }
    std::fclose(out);
  }
  return failed ? 1 : 0;
}

// The batches one run wrote by run_one.
std::vector<std::string> read_batches(const std::string& path) {
  std::vector<std::string> texts;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) texts.push_back(line);
  return texts;
}

// Runs this program for `others` other tables in a fresh process; the
// source's batches come back in `batches`.
bool run_child(const char* self, long rows, long page, long others,
               std::vector<std::string>& batches) {
  gchar* path = nullptr;
  GError* error = nullptr;
  const int fd = g_file_open_tmp("bench-transfer-XXXXXX", &path, &error);
  if (fd < 0) {
    std::fprintf(stderr, "%s\n", error->message);
    g_error_free(error);
    return false;
  }
  close(fd);
  const std::string r = std::to_string(rows), p = std::to_string(page), o = std::to_string(others);
  gchar* child_argv[] = {const_cast<gchar*>(self), const_cast<gchar*>(r.c_str()),
                         const_cast<gchar*>(p.c_str()), const_cast<gchar*>(o.c_str()), nullptr};
  gchar** env = g_environ_setenv(g_get_environ(), kBatchesVariable, path, TRUE);
  gint status = 0;
  std::fflush(stdout);
  const bool spawned = g_spawn_sync(nullptr, child_argv, env, G_SPAWN_CHILD_INHERITS_STDIN, nullptr,
                                    nullptr, nullptr, nullptr, &status, &error);
  g_strfreev(env);
  bool ok = spawned && g_spawn_check_wait_status(status, nullptr);
  if (!spawned) {
    std::fprintf(stderr, "%s\n", error->message);
    g_error_free(error);
  } else if (!ok) {
    std::fprintf(stderr, "the run with %ld other tables failed\n", others);
  }
  if (ok) batches = read_batches(path);
  g_unlink(path);
  g_free(path);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const long rows = argc > 1 ? std::atol(argv[1]) : 100000;
  const long page = argc > 2 ? std::atol(argv[2]) : 1000;
  if (argc > 3) return run_one(rows, page, std::atol(argv[3]), g_getenv(kBatchesVariable));

  std::vector<std::string> alone, beside;
  if (!run_child(argv[0], rows, page, 0, alone) || !run_child(argv[0], rows, page, kOthers, beside))
    return 1;
  if (alone == beside) {
    std::printf("source batches: %zu with no other table, %zu with %ld: the same, text for text\n",
                alone.size(), beside.size(), kOthers);
    return 0;
  }
  // What one run sent that the other did not, each text as often as it is
  // in excess.
  std::map<std::string, long> excess;
  for (const auto& text : beside) ++excess[text];
  for (const auto& text : alone) --excess[text];
  std::printf("source batches: %zu with no other table, %zu with %ld: %s\n", alone.size(),
              beside.size(), kOthers,
              alone.size() == beside.size()
                  ? "as many, but not the same texts"
                  : "NOT the same number: the transfer read more than it moves");
  long shown = 0, more = 0;
  for (const auto& [text, n] : excess) {
    if (n == 0) continue;
    if (shown++ < 20)
      std::printf("  %s %ld x %s\n",
                  n > 0 ? "only beside the others:" : "only alone:", std::labs(n), text.c_str());
    else
      more += std::labs(n);
  }
  if (more) std::printf("  and %ld batches more\n", more);
  return 1;
}
