// The SQL Server provider reading a generated 1,000,000 x 8 result into a
// table model, beside a plain db-lib loop (dbnextrow + dbdata, no values)
// over the same result from the same in-process test server.
//
// The headline is the first execute_model of the process, on a heap that
// has never held a table (what a host that opens a table sees), with the
// resident memory the filled table takes beside its value bytes (the sum
// of dbdatlen). Later rounds run on a grown heap; their best is shown too.
//
//   bench-provider [ROWS] [ROUNDS]
#include <sybdb.h>
#include <sybfront.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "bench/bench-big-table.h"
#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/tds-server.h"

namespace tds = tarvex::test::tds;
using Clock = std::chrono::steady_clock;

namespace {

const char* const kQuery = "SELECT * FROM dbo.BigTable";

volatile unsigned checksum;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A line of /proc/self/status in kB ("VmRSS", "VmHWM"), or -1.
long status_kb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  size_t n = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':')
      return std::atol(line.c_str() + n + 1);
  return -1;
}

// Starts a new peak of the resident size (Linux 4.0 and later); false
// where the kernel does not allow it.
bool reset_peak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return bool(clear);
}

// The plain loop: what db-lib itself costs for the same rows, reading every
// byte of every cell as a reader that keeps them must; `value_bytes` gets the
// sum of dbdatlen over every cell.
double plain_loop(const tds::Server& server, long expected_rows, size_t* value_bytes = nullptr) {
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
  unsigned sum = 0;
  while (dbresults(p) != NO_MORE_RESULTS) {
    int columns = dbnumcols(p);
    while (dbnextrow(p) != NO_MORE_ROWS) {
      for (int c = 1; c <= columns; c++) {
        const BYTE* data = dbdata(p, c);
        if (!data) continue;
        DBINT length = std::max<DBINT>(dbdatlen(p, c), 0);
        for (DBINT k = 0; k < length; k++) sum += data[k];
        bytes += size_t(length);
      }
      rows++;
    }
  }
  double elapsed = seconds_since(start);
  // The bytes read count, so that no compiler drops the reading.
  checksum = sum;
  dbclose(p);
  if (rows != expected_rows || bytes == 0) {
    std::fprintf(stderr, "plain loop read %ld rows\n", rows);
    std::exit(1);
  }
  if (value_bytes) *value_bytes = bytes;
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
  tarvex::bench::script_big_table(server, kQuery, uint64_t(rows));
  server.start();

  tarvex::bench::open_on_test_server(iprovider, server.port());
  GError* error = nullptr;

  auto read_table = [&](double* seconds) {
    auto start = Clock::now();
    auto* table = tarvex_providers_contracts_iprovider_execute_model(iprovider, kQuery, 0, &error);
    *seconds = seconds_since(start);
    if (!table) {
      std::fprintf(stderr, "execute_model: %s\n", error ? error->message : "?");
      std::exit(1);
    }
    // Counted as a list model: what a view bound to the table asks first.
    guint count = g_list_model_get_n_items(G_LIST_MODEL(table));
    if (count != guint(rows)) {
      std::fprintf(stderr, "execute_model read %u rows\n", count);
      std::exit(1);
    }
    return table;
  };

  // First: the plain loop, then the first table of the process.
  size_t value_bytes = 0;
  double first_plain = plain_loop(server, rows, &value_bytes);
  long rss_before = status_kb("VmRSS");
  bool peak_reset = reset_peak();
  double first_model = 0;
  auto* first_table = read_table(&first_model);
  long rss_after = status_kb("VmRSS");
  long peak = status_kb("VmHWM");
  // The table makes its row objects when a caller first asks for its
  // "rows" list: what that costs the host that does.
  auto start = Clock::now();
  gint listed = gee_collection_get_size(
      GEE_COLLECTION(tarvex_providers_contracts_table_model_get_rows(first_table)));
  double first_listing = seconds_since(start);
  long rss_listed = status_kb("VmRSS");
  if (listed != rows) {
    std::fprintf(stderr, "the rows list holds %d rows\n", listed);
    return 1;
  }
  start = Clock::now();
  g_object_unref(first_table);
  double first_release = seconds_since(start);

  double mb = 1024.0 * 1024.0;
  double table_peak = peak_reset ? (peak - rss_before) * 1024.0 : -1;
  double table_held = (rss_after - rss_before) * 1024.0;
  std::printf("rows: %ld x 8 columns; value bytes (sum of dbdatlen): %.1f MB\n", rows,
              value_bytes / mb);
  std::printf(
      "FIRST execute_model of the process (fresh heap): %.3f s beside the plain db-lib "
      "loop %.3f s: %.2fx (goal: at most 1.3x)\n",
      first_model, first_plain, first_model / first_plain);
  if (table_peak >= 0)
    std::printf(
        "peak resident size while filling: %.1f MB = %.2fx value bytes (goal: at most "
        "2x); held by the filled table: %.1f MB\n",
        table_peak / mb, table_peak / value_bytes, table_held / mb);
  else
    std::printf("held by the filled table: %.1f MB = %.2fx value bytes (peak not measurable)\n",
                table_held / mb, table_held / value_bytes);
  std::printf("then its \"rows\" list, first asked for: %.3f s, resident size +%.1f MB\n",
              first_listing, (rss_listed - rss_after) / 1024.0);
  std::printf("process peak resident size: %.1f MB; release of the first table: %.3f s\n",
              status_kb("VmHWM") / 1024.0, first_release);

  double best_plain = first_plain, best_model = first_model, best_release = first_release;
  for (int round = 1; round < rounds; round++) {
    double plain = plain_loop(server, rows);
    double model = 0;
    auto* table = read_table(&model);
    start = Clock::now();
    g_object_unref(table);
    double release = seconds_since(start);
    best_plain = std::min(best_plain, plain);
    best_model = std::min(best_model, model);
    best_release = std::min(best_release, release);
    std::printf("round %d (grown heap): plain loop %.3f s, execute_model %.3f s, release %.3f s\n",
                round + 1, plain, model, release);
  }
  if (rounds > 1)
    std::printf(
        "best of %d rounds: plain loop %.3f s, execute_model %.3f s (%.2fx), release "
        "%.3f s\n",
        rounds, best_plain, best_model, best_model / best_plain, best_release);
  return 0;
}
