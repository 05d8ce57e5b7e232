// Data interchange at scale: a 1,000,000 x 8 query result (read from the
// in-process TDS test server) written and read as CSV and JSON by the
// extractors, beside Python's csv and json modules over the same rows in
// the same run. Every step runs once, in this fresh process; peak resident
// memory is reported after each.
//
//   bench-data [ROWS]
#include <glib/gstdio.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "brevane/brevane.h"
#include "common/tarvex-gobject.h"
#include "providers/fenrow.h"
#include "tests/support/tds-server.h"

namespace tds = tarvex::test::tds;
using Clock = std::chrono::steady_clock;

namespace {

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long peak_mb() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

void check(GError* error, const char* what) {
  if (!error) return;
  std::fprintf(stderr, "%s: %s\n", what, error->message);
  std::exit(1);
}

guint progress_calls = 0;
void count_progress(guint, guint, const gchar*, gpointer) {
  ++progress_calls;
}

const char* kPython = R"(
import csv, json, resource, sys, time
src, out_csv, out_json = sys.argv[1], sys.argv[2], sys.argv[3]
with open(src, newline='', encoding='utf-8') as f:
    reader = csv.reader(f)
    header = next(reader)
    rows = list(reader)
t = time.perf_counter()
with open(out_csv, 'w', newline='', encoding='utf-8') as f:
    w = csv.writer(f, lineterminator='\n')
    w.writerow(header)
    w.writerows(rows)
csv_write = time.perf_counter() - t
t = time.perf_counter()
with open(out_csv, newline='', encoding='utf-8') as f:
    n = sum(1 for _ in csv.reader(f)) - 1
csv_read = time.perf_counter() - t
records = {'RECORDS': [dict(zip(header, r)) for r in rows]}
t = time.perf_counter()
with open(out_json, 'w', encoding='utf-8') as f:
    json.dump(records, f, indent=4)
json_write = time.perf_counter() - t
del records
t = time.perf_counter()
with open(out_json, encoding='utf-8') as f:
    m = len(json.load(f)['RECORDS'])
json_read = time.perf_counter() - t
peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss // 1024
print(f"{csv_write:.3f} {csv_read:.3f} {json_write:.3f} {json_read:.3f} {peak} {n} {m}")
)";

}  // namespace

int main(int argc, char** argv) {
  long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
  tds::use_private_freetds_conf();
  auto provider = tarvex::adoptGRef(tarvex_providers_supports_sql_server_provider_new());
  auto* iprovider = reinterpret_cast<TarvexProvidersContractsIProvider*>(provider.get());
  tds::Server server;
  const char* query = "SELECT * FROM dbo.BigTable";
  server.on_batch(query).generate(uint64_t(rows), {{"Id", "int"},
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
  check(error, "open");
  auto model = tarvex::adoptGRef(
      tarvex_providers_contracts_iprovider_execute_model(iprovider, query, 0, &error));
  check(error, "execute_model");
  std::printf("rows: %ld x 8 columns; model read, peak RSS %ld MB\n", rows, peak_mb());

  tarvex::GUniqueStr dir(g_dir_make_tmp("bench-data-XXXXXX", nullptr));
  std::string csv_path = std::string(dir.get()) + "/ours.csv";
  std::string json_path = std::string(dir.get()) + "/ours.json";

  auto dsv = tarvex::adoptGRef(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv"));
  auto* dsv_ex = reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(dsv.get());
  auto* dsv_im = reinterpret_cast<TarvexBrevaneContractsDataIImporter*>(dsv.get());
  auto json = tarvex::adoptGRef(tarvex_brevane_supports_data_extractors_json_extractor_new("json"));
  auto* json_ex = reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(json.get());
  auto* json_im = reinterpret_cast<TarvexBrevaneContractsDataIImporter*>(json.get());

  auto start = Clock::now();
  gint written = tarvex_brevane_contracts_data_iexporter_export_to_file(
      dsv_ex, model.get(), csv_path.c_str(), count_progress, nullptr, &error);
  double csv_export = seconds_since(start);
  check(error, "csv export");
  long peak_csv_export = peak_mb();

  GeeHashMap* options = tarvex_brevane_contracts_data_iexporter_get_options(dsv_ex);
  gee_abstract_map_set(GEE_ABSTRACT_MAP(options), "FILENAME", csv_path.c_str());
  start = Clock::now();
  auto csv_loaded = tarvex::adoptGRef(
      tarvex_brevane_contracts_data_iimporter_load_from_file(dsv_im, 0, nullptr, nullptr, &error));
  double csv_load = seconds_since(start);
  check(error, "csv load");
  long peak_csv_load = peak_mb();
  csv_loaded = nullptr;

  start = Clock::now();
  gint json_written = tarvex_brevane_contracts_data_iexporter_export_to_file(
      json_ex, model.get(), json_path.c_str(), count_progress, nullptr, &error);
  double json_export = seconds_since(start);
  check(error, "json export");
  long peak_json_export = peak_mb();
  options = tarvex_brevane_contracts_data_iexporter_get_options(json_ex);
  gee_abstract_map_set(GEE_ABSTRACT_MAP(options), "FILENAME", json_path.c_str());
  start = Clock::now();
  auto json_loaded = tarvex::adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
      json_im, 0, nullptr, nullptr, &error));
  double json_load = seconds_since(start);
  check(error, "json load");
  long peak_json_load = peak_mb();
  json_loaded = nullptr;

  std::string python = g_file_test("/usr/bin/python3", G_FILE_TEST_IS_EXECUTABLE)
                           ? "/usr/bin/python3"
                           : "python3";
  std::string py_csv = std::string(dir.get()) + "/python.csv";
  std::string py_json = std::string(dir.get()) + "/python.json";
  const char* py_argv[] = {python.c_str(), "-c", kPython, csv_path.c_str(), py_csv.c_str(),
                           py_json.c_str(), nullptr};
  gchar* out = nullptr;
  gint status = 0;
  if (!g_spawn_sync(nullptr, const_cast<gchar**>(py_argv), nullptr, G_SPAWN_SEARCH_PATH, nullptr,
                    nullptr, &out, nullptr, &status, &error) ||
      status != 0) {
    std::fprintf(stderr, "python failed\n");
    return 1;
  }
  double p_csv_write = 0, p_csv_read = 0, p_json_write = 0, p_json_read = 0;
  long p_peak = 0, p_n = 0, p_m = 0;
  std::sscanf(out, "%lf %lf %lf %lf %ld %ld %ld", &p_csv_write, &p_csv_read, &p_json_write,
              &p_json_read, &p_peak, &p_n, &p_m);
  g_free(out);

  std::printf("rows written: csv %d, json %d; progress calls %u\n", written, json_written,
              progress_calls);
  std::printf("%-22s %10s %10s %8s\n", "first run (fresh)", "tarvex", "python", "ratio");
  std::printf("%-22s %9.3fs %9.3fs %7.2fx (goal: >= 3x)\n", "CSV export (write)", csv_export,
              p_csv_write, p_csv_write / csv_export);
  std::printf("%-22s %9.3fs %9.3fs %7.2fx\n", "CSV load (read)", csv_load, p_csv_read,
              p_csv_read / csv_load);
  std::printf("%-22s %9.3fs %9.3fs %7.2fx\n", "JSON export (write)", json_export, p_json_write,
              p_json_write / json_export);
  std::printf("%-22s %9.3fs %9.3fs %7.2fx\n", "JSON load (read)", json_load, p_json_read,
              p_json_read / json_load);
  std::printf("peak RSS (MB): tarvex after CSV export %ld, CSV load %ld, JSON export %ld, JSON "
              "load %ld; python %ld\n",
              peak_csv_export, peak_csv_load, peak_json_export, peak_json_load, p_peak);
  std::printf("(python's csv.writer writes lists of strings already in memory; tarvex writes "
              "from the typed table model)\n");
  g_remove(csv_path.c_str());
  g_remove(json_path.c_str());
  g_remove(py_csv.c_str());
  g_remove(py_json.c_str());
  g_rmdir(dir.get());
  return 0;
}
