// The load of a JSON export into a table model beside Python's json.load
// of the same file in the same run. The file is the JSON extractor's own
// export of a 1,000,000 x 8 query result (read from the in-process TDS
// test server). Each load runs in a fresh process of its own, ours and
// Python's by turns, so every figure is a first run in a fresh process;
// the peak resident memory is that process's whole peak (VmHWM), shown
// beside its resident size before the load.
//
//   bench-json-load [ROWS [RUNS]]
//   bench-json-load --export FILE [ROWS]   only writes the export to FILE
//   bench-json-load --load FILE            one load of FILE, for a profiler
#include <glib/gstdio.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench-big-table.h"
#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"
#include "providers/contracts/table-cells-private.h"
#include "providers/fenrow.h"
#include "tests/support/tds-server.h"

namespace tds = tarvex::test::tds;
using namespace tarvex::bench;

namespace {

// One load: seconds, rows, peak and resident size before it (MB).
struct Load {
  double seconds = 0;
  long rows = 0, peak = 0, before = 0;
};

const char* kPython = R"(
import json, sys, time
def mb(field):
    with open('/proc/self/status') as f:
        for line in f:
            if line.startswith(field):
                return int(line.split()[1]) // 1024
    return -1
before = mb('VmRSS:')
t = time.perf_counter()
with open(sys.argv[1], encoding='utf-8') as f:
    doc = json.load(f)
seconds = time.perf_counter() - t
print(f"{seconds:.3f} {len(doc['RECORDS'])} {mb('VmHWM:')} {before}")
)";

// Loads `path` through the JSON extractor in this process.
int load_here(const char* path) {
  auto json = tarvex::adoptGRef(tarvex_brevane_supports_data_extractors_json_extractor_new("json"));
  auto* exporter = reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(json.get());
  auto* importer = reinterpret_cast<TarvexBrevaneContractsDataIImporter*>(json.get());
  gee_abstract_map_set(
      GEE_ABSTRACT_MAP(tarvex_brevane_contracts_data_iexporter_get_options(exporter)), "FILENAME",
      path);
  long before = status_mb("VmRSS:");
  GError* error = nullptr;
  auto start = Clock::now();
  auto model = tarvex::adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
      importer, 0, nullptr, nullptr, &error));
  double seconds = seconds_since(start);
  long peak = status_mb("VmHWM:");
  check(error, "load");
  // Counted without making the row objects.
  const auto* cells = tarvex::models::table_cells_of(model.get());
  long rows = cells ? long(cells->n_rows(G_OBJECT(model.get()))) : -1;
  std::printf("%.3f %ld %ld %ld\n", seconds, rows, peak, before);
  return 0;
}

// Runs `argv` and reads the one line of figures it prints.
Load run(const std::vector<std::string>& args) {
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  gchar* out = nullptr;
  gint status = 0;
  GError* error = nullptr;
  if (!g_spawn_sync(nullptr, const_cast<gchar**>(argv.data()), nullptr, G_SPAWN_SEARCH_PATH,
                    nullptr, nullptr, &out, nullptr, &status, &error) ||
      status != 0) {
    std::fprintf(stderr, "%s failed\n", args[0].c_str());
    std::exit(1);
  }
  Load l;
  std::istringstream in(out);
  in >> l.seconds >> l.rows >> l.peak >> l.before;
  g_free(out);
  return l;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--load") return load_here(argv[2]);
  bool export_only = argc >= 3 && std::string(argv[1]) == "--export";
  long rows = export_only ? (argc > 3 ? std::atol(argv[3]) : 1000000)
                          : (argc > 1 ? std::atol(argv[1]) : 1000000);
  int runs = !export_only && argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

  tds::use_private_freetds_conf();
  auto provider = tarvex::adoptGRef(tarvex_providers_supports_sql_server_provider_new());
  auto* iprovider = reinterpret_cast<TarvexProvidersContractsIProvider*>(provider.get());
  tds::Server server;
  const char* query = "SELECT * FROM dbo.BigTable";
  script_big_table(server, query, uint64_t(rows));
  server.start();
  open_on_test_server(iprovider, server.port());
  GError* error = nullptr;

  tarvex::GUniqueStr dir(g_dir_make_tmp("bench-json-load-XXXXXX", nullptr));
  std::string path = export_only ? argv[2] : std::string(dir.get()) + "/export.json";
  gint written = 0;
  long size = 0;
  {
    auto model = tarvex::adoptGRef(
        tarvex_providers_contracts_iprovider_execute_model(iprovider, query, 0, &error));
    check(error, "execute_model");
    auto json =
        tarvex::adoptGRef(tarvex_brevane_supports_data_extractors_json_extractor_new("json"));
    written = tarvex_brevane_contracts_data_iexporter_export_to_file(
        reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(json.get()), model.get(),
        path.c_str(), nullptr, nullptr, &error);
    check(error, "export");
    GStatBuf st;
    if (g_stat(path.c_str(), &st) == 0) size = long(st.st_size);
  }
  tarvex_providers_contracts_iprovider_close(iprovider, nullptr);
  if (export_only) {
    g_rmdir(dir.get());
    return 0;
  }

  std::string self = g_file_test("/proc/self/exe", G_FILE_TEST_EXISTS)
                         ? tarvex::GUniqueStr(g_file_read_link("/proc/self/exe", nullptr)).get()
                         : argv[0];
  std::string python =
      g_file_test("/usr/bin/python3", G_FILE_TEST_IS_EXECUTABLE) ? "/usr/bin/python3" : "python3";
  std::printf(
      "\nJSON load of the extractor's own export: %ld rows x 8 columns (int, bigint, float, "
      "decimal(18,4), nvarchar(40), datetime2(7), bit, uniqueidentifier), %d rows written, "
      "%ld MB\n\n",
      rows, written, size >> 20);
  std::printf("%-4s | %-27s | %-15s | %-15s\n", "run", "seconds (fresh process)", "peak RSS (MB)",
              "RSS before (MB)");
  std::printf("%-4s | %8s %8s %9s | %7s %7s | %7s %7s\n", "", "tarvex", "python", "ratio", "tarvex",
              "python", "tarvex", "python");
  std::vector<double> ours_s, python_s;
  std::vector<Load> ours_l, python_l;
  for (int i = 0; i < runs; ++i) {
    // By turns, each side first in every other run.
    Load ours, py;
    if (i % 2 == 0) {
      ours = run({self, "--load", path});
      py = run({python, "-c", kPython, path});
    } else {
      py = run({python, "-c", kPython, path});
      ours = run({self, "--load", path});
    }
    if (ours.rows != rows || py.rows != rows) {
      std::fprintf(stderr, "rows loaded: ours %ld, python %ld\n", ours.rows, py.rows);
      return 1;
    }
    ours_s.push_back(ours.seconds);
    python_s.push_back(py.seconds);
    ours_l.push_back(ours);
    python_l.push_back(py);
    std::printf("%-4d | %7.3fs %7.3fs %8.2fx | %7ld %7ld | %7ld %7ld\n", i + 1, ours.seconds,
                py.seconds, ours.seconds / py.seconds, ours.peak, py.peak, ours.before, py.before);
  }
  double ours_m = median(ours_s), python_m = median(python_s);
  std::printf("%-4s | %7.3fs %7.3fs %8.2fx |\n", "med", ours_m, python_m, ours_m / python_m);
  std::printf(
      "\nratio: tarvex's time over Python's (goal: at most 1.00x). Python keeps the records as "
      "dicts of typed values; tarvex loads them into a table model of texts.\n");
  g_remove(path.c_str());
  g_rmdir(dir.get());
  return 0;
}
