// Data interchange at scale: a 1,000,000 x 8 query result (read from the
// in-process TDS test server) written and read as CSV and JSON by the
// extractors, beside Python's csv and json modules over the same rows in
// the same run; and written as XML, HTML, Markdown and SQL INSERT
// statements, beside Python writing the same documents with its escaping
// functions and f-strings.
//
// Each export is measured in a fresh process of its own (this program run
// again with that STEP, after its query): the figure is that first export,
// with REPEATS > 1 the best of that many runs beside it (for both sides).
// Python runs every writer in one process, each step's first run its
// figure. Beside wall time, the CPU time (user + system) of the step is
// shown: on a shared, loaded machine it is the steadier figure. Peak
// resident memory is measured per step: the peak is reset before the step
// (/proc/self/clear_refs) and read after it (VmHWM), for this process and
// for Python's alike.
//
//   bench-data [ROWS [REPEATS [STEP [IMPORT_ROWS]]]]
//
// The imports (INSERT per record into the test server, which answers each
// with a row count) read the first IMPORT_ROWS rows (default 100,000) of
// the exports, as CSV and as JSON; they have no Python counterpart.
//
// With STEP (csv-export, csv-load, json-export, json-load, xml-export,
// html-export, markdown-export or sql-export) only that step (and the
// export a load reads) runs, without Python: for a profiler, and for the
// fresh process of each export (a line "@ STEP first best peak cpu" per
// step run tells the figures).
#include <glib/gstdio.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "bench/bench-big-table.h"
#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/tds-server.h"

namespace tds = tarvex::test::tds;
using namespace tarvex::bench;

namespace {

guint progress_calls = 0;
guint progress_last = 0;
void count_progress(guint, guint position, const gchar*, gpointer) {
  ++progress_calls;
  progress_last = position;
}

struct Figure {
  double first = 0, best = 0;
  long rss_before = 0, peak = 0;
  double cpu = 0;  // user + system seconds of the first run
};

double cpu_seconds() {
  struct rusage use;
  getrusage(RUSAGE_SELF, &use);
  return double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
         double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

// Runs `step` `repeats` times: the first run's time and peak, and the best time.
template <typename Step>
Figure measure(int repeats, Step step) {
  Figure f;
  for (int i = 0; i < repeats; ++i) {
    if (i == 0) {
      f.rss_before = status_mb("VmRSS:");
      reset_peak();
    }
    double cpu = cpu_seconds();
    auto start = Clock::now();
    step();
    double t = seconds_since(start);
    if (i == 0) {
      f.cpu = cpu_seconds() - cpu;
      f.first = f.best = t;
      f.peak = status_mb("VmHWM:");
    } else if (t < f.best) {
      f.best = t;
    }
  }
  return f;
}

// The same steps in Python over the rows of our CSV file (read into lists
// of strings first, as a Python program holding a result would have them).
const char* kPython = R"(
import csv, html, json, resource, sys, time
from xml.sax.saxutils import escape, quoteattr
src, out_csv, out_json, repeats = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
out_dir = sys.argv[5]
def mb(field):
    with open('/proc/self/status') as f:
        for line in f:
            if line.startswith(field):
                return int(line.split()[1]) // 1024
    return -1
def reset():
    try:
        with open('/proc/self/clear_refs', 'w') as f:
            f.write('5')
    except OSError:
        pass
def cpu():
    u = resource.getrusage(resource.RUSAGE_SELF)
    return u.ru_utime + u.ru_stime
def measure(step):
    before = mb('VmRSS:'); reset()
    c = cpu(); t = time.perf_counter(); r = step(); first = time.perf_counter() - t
    used = cpu() - c
    peak = mb('VmHWM:'); best = first
    for _ in range(repeats - 1):
        t = time.perf_counter(); step(); best = min(best, time.perf_counter() - t)
    return first, best, before, peak, used, r
with open(src, newline='', encoding='utf-8') as f:
    reader = csv.reader(f)
    header = next(reader)
    rows = list(reader)
def csv_write():
    with open(out_csv, 'w', newline='', encoding='utf-8') as f:
        w = csv.writer(f, lineterminator='\n')
        w.writerow(header)
        w.writerows(rows)
def csv_read():
    with open(out_csv, newline='', encoding='utf-8') as f:
        return len(list(csv.reader(f))) - 1
def csv_count():
    with open(out_csv, newline='', encoding='utf-8') as f:
        return sum(1 for _ in csv.reader(f)) - 1
records = {'RECORDS': [dict(zip(header, r)) for r in rows]}
def json_write():
    with open(out_json, 'w', encoding='utf-8') as f:
        json.dump(records, f, indent=4)
def json_read():
    with open(out_json, encoding='utf-8') as f:
        return len(json.load(f)['RECORDS'])
# The other documents of the same rows, as a Python program would write
# them: each value escaped, each line an f-string, written as it goes.
XSI = 'http://www.w3.org/2001/XMLSchema-instance'
def xml_write():
    with open(out_dir + '/python.xml', 'w', encoding='utf-8') as f:
        f.write(f'<?xml version="1.0" encoding="utf-8"?>\n<RECORDS xmlns:xsi={quoteattr(XSI)}>\n')
        for r in rows:
            f.write('    <RECORD>\n')
            f.write(''.join(f'        <{n}>{escape(v)}</{n}>\n' for n, v in zip(header, r)))
            f.write('    </RECORD>\n')
        f.write('</RECORDS>\n')
def html_write():
    with open(out_dir + '/python.html', 'w', encoding='utf-8') as f:
        f.write('<!DOCTYPE html>\n<html>\n\t<head>\n\t\t<meta charset="UTF-8">\n'
                '\t\t<title>Table data</title>\n\t</head>\n\t<body>\n\t\t<table>\n\t\t\t<tr>')
        f.write(''.join(f'<th>{html.escape(n)}</th>' for n in header) + '</tr>\n')
        for r in rows:
            f.write('\t\t\t<tr>' + ''.join(f'<td>{html.escape(v)}</td>' for v in r) + '</tr>\n')
        f.write('\t\t</table>\n\t</body>\n</html>')
MD = str.maketrans({c: '\\' + c for c in '|\\`*_<[&~'})
def md_write():
    with open(out_dir + '/python.md', 'w', encoding='utf-8') as f:
        f.write('\n' + ''.join(f'| {n} ' for n in header) + '|\n')
        f.write(''.join('|' + '-' * max(3, len(n) + 2) for n in header) + '|\n')
        for r in rows:
            f.write(''.join(f'| {v.translate(MD)} ' for v in r) + '|\n')
def sql_write():
    head = 'INSERT INTO [dbo].[BigTable] (' + ', '.join(f'[{n}]' for n in header) + ') VALUES ('
    with open(out_dir + '/python.sql', 'w', encoding='utf-8') as f:
        for r in rows:
            f.write(head + ', '.join("N'" + v.replace("'", "''") + "'" for v in r) + ');\n')
out = []
for step in (csv_write, csv_read, json_write, json_read, csv_count, xml_write, html_write,
             md_write, sql_write):
    first, best, before, peak, used, _ = measure(step)
    out.append(f"{first:.3f} {best:.3f} {before} {peak} {used:.3f}")
print(" ".join(out))
)";

// Removes a directory of files (the exports, the logs) made for the run.
void remove_files(const char* dir) {
  if (GDir* files = g_dir_open(dir, 0, nullptr)) {
    while (const char* name = g_dir_read_name(files)) {
      tarvex::GUniqueStr path(g_build_filename(dir, name, nullptr));
      g_remove(path.get());
    }
    g_dir_close(files);
  }
  g_rmdir(dir);
}

}  // namespace

int main(int argc, char** argv) {
  long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
  int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
  std::string only = argc > 3 ? argv[3] : "";
  if (only == "all") only.clear();
  long import_rows = argc > 4 ? std::atol(argv[4]) : std::min(rows, 100000L);
  // A load reads the file its export writes.
  auto runs = [&](const std::string& step) {
    return only.empty() || only == step ||
           (only == "import" && step != "json-load" && step != "csv-load") ||
           (step.find("-export") != std::string::npos &&
            only == step.substr(0, step.find('-')) + "-load");
  };
  tds::use_private_freetds_conf();
  // The services a host sets up: connections log their statements.
  tarvex_brevane_foundation_services_initialize();
  auto log_manager = tarvex::adoptGRef(G_OBJECT(tarvex_brevane_supports_log_log_manager_new()));
  tarvex_brevane_foundation_services_register_instance(
      TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER, log_manager.get());
  tarvex::GUniqueStr log_dir(g_dir_make_tmp("bench-data-log-XXXXXX", nullptr));
  tarvex_brevane_foundation_logging_service_initialize(
      "main", TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN, log_dir.get(), 1 << 20);
  auto provider = tarvex::adoptGRef(tarvex_providers_supports_sql_server_provider_new());
  auto* iprovider = reinterpret_cast<TarvexProvidersContractsIProvider*>(provider.get());
  tds::Server server;
  const char* query = "SELECT * FROM dbo.BigTable";
  script_big_table(server, query, uint64_t(rows));
  server.on_pattern("^INSERT").row_count(1);
  server.on_pattern("SERVERPROPERTY\\('ProductVersion'\\)")
      .result({{"version", "sql_variant", true}})
      .row({"nvarchar(128):16.0.1000.6"});
  server.start();
  auto description = open_on_test_server(iprovider, server.port());
  GError* error = nullptr;
  tarvex::GRef<TarvexProvidersContractsTableModel> model;
  Figure read = measure(1, [&] {
    model = tarvex::adoptGRef(
        tarvex_providers_contracts_iprovider_execute_model(iprovider, query, 0, &error));
  });
  check(error, "execute_model");

  tarvex::GUniqueStr dir(g_dir_make_tmp("bench-data-XXXXXX", nullptr));
  std::string csv_path = std::string(dir.get()) + "/ours.csv";
  std::string json_path = std::string(dir.get()) + "/ours.json";

  auto dsv = tarvex::adoptGRef(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv"));
  auto* dsv_ex = reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(dsv.get());
  auto* dsv_im = reinterpret_cast<TarvexBrevaneContractsDataIImporter*>(dsv.get());
  auto json = tarvex::adoptGRef(tarvex_brevane_supports_data_extractors_json_extractor_new("json"));
  auto* json_ex = reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(json.get());
  auto* json_im = reinterpret_cast<TarvexBrevaneContractsDataIImporter*>(json.get());
  gee_abstract_map_set(
      GEE_ABSTRACT_MAP(tarvex_brevane_contracts_data_iexporter_get_options(dsv_ex)), "FILENAME",
      csv_path.c_str());
  gee_abstract_map_set(
      GEE_ABSTRACT_MAP(tarvex_brevane_contracts_data_iexporter_get_options(json_ex)), "FILENAME",
      json_path.c_str());

  gint written = 0, json_written = 0;
  guint csv_loaded_rows = 0, json_loaded_rows = 0;
  auto loaded_rows = [](TarvexProvidersContractsTableModel* m) {
    return m ? guint(g_list_model_get_n_items(G_LIST_MODEL(m))) : 0u;
  };
  Figure csv_export = measure(runs("csv-export") ? repeats : 0, [&] {
    written = tarvex_brevane_contracts_data_iexporter_export_to_file(
        dsv_ex, model.get(), csv_path.c_str(), count_progress, nullptr, &error);
    check(error, "csv export");
  });
  guint csv_progress = progress_calls, csv_progress_last = progress_last;
  Figure csv_load = measure(runs("csv-load") ? repeats : 0, [&] {
    auto loaded = tarvex::adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
        dsv_im, 0, nullptr, nullptr, &error));
    check(error, "csv load");
    csv_loaded_rows = loaded_rows(loaded.get());
  });
  progress_calls = 0;
  Figure json_export = measure(runs("json-export") ? repeats : 0, [&] {
    json_written = tarvex_brevane_contracts_data_iexporter_export_to_file(
        json_ex, model.get(), json_path.c_str(), count_progress, nullptr, &error);
    check(error, "json export");
  });
  guint json_progress = progress_calls, json_progress_last = progress_last;
  Figure json_load = measure(runs("json-load") ? repeats : 0, [&] {
    auto loaded = tarvex::adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
        json_im, 0, nullptr, nullptr, &error));
    check(error, "json load");
    json_loaded_rows = loaded_rows(loaded.get());
  });

  // The other documents, each written from the same model to its own file.
  struct Document {
    const char* name;
    const char* step;
    tarvex::GRef<TarvexBrevaneSupportsDataExtractorsBaseExtractor> exporter;
    std::string path;
    Figure figure;
    gint written = 0;
    guint progress = 0;
    goffset size = 0;
  };
  Document documents[] = {
      {"XML export", "xml-export",
       tarvex::adoptGRef(TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_BASE_EXTRACTOR(
           tarvex_brevane_supports_data_extractors_xml_extractor_new("xml"))),
       std::string(dir.get()) + "/ours.xml"},
      {"HTML export", "html-export",
       tarvex::adoptGRef(TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_BASE_EXTRACTOR(
           tarvex_brevane_supports_data_extractors_html_extractor_new("html"))),
       std::string(dir.get()) + "/ours.html"},
      {"MD export", "markdown-export",
       tarvex::adoptGRef(TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_BASE_EXTRACTOR(
           tarvex_brevane_supports_data_extractors_markdown_extractor_new("md"))),
       std::string(dir.get()) + "/ours.md"},
      {"SQL export", "sql-export",
       tarvex::adoptGRef(TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_BASE_EXTRACTOR(
           tarvex_brevane_supports_data_extractors_sql_insert_extractor_new())),
       std::string(dir.get()) + "/ours.sql"},
  };
  for (Document& d : documents) {
    auto* exporter = reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(d.exporter.get());
    auto* options = GEE_ABSTRACT_MAP(tarvex_brevane_contracts_data_iexporter_get_options(exporter));
    gee_abstract_map_set(options, "SCHEMANAME", "dbo");
    gee_abstract_map_set(options, "TABLENAME", "BigTable");
    progress_calls = 0;
    d.figure = measure(runs(d.step) ? repeats : 0, [&] {
      d.written = tarvex_brevane_contracts_data_iexporter_export_to_file(
          exporter, model.get(), d.path.c_str(), count_progress, nullptr, &error);
      check(error, d.name);
    });
    d.progress = progress_calls;
    GStatBuf st;
    if (g_stat(d.path.c_str(), &st) == 0) d.size = st.st_size;
  }

  // Imports of the first rows of the exports.
  Figure csv_import, json_import;
  gint64 csv_imported = 0, json_imported = 0;
  guint csv_import_progress = 0, json_import_progress = 0;
  if (runs("import") && import_rows > 0) {
    auto connection =
        tarvex::adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
    auto* iconnection =
        reinterpret_cast<TarvexBrevaneContractsDatabaseIConnection*>(connection.get());
    tarvex_providers_contracts_server_set_initial(description.get(), "master");
    tarvex_brevane_contracts_database_iconnection_open(iconnection, description.get(), nullptr,
                                                       &error);
    check(error, "connection");
    auto table = tarvex::adoptGRef(
        tarvex_brevane_meta_model_meta_table_new_with_names("master", "dbo", "BigTable"));
    const std::pair<const char*, TarvexProvidersContractsDataType> kinds[] = {
        {"Id", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32},
        {"Counter", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64},
        {"Ratio", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE},
        {"Amount", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL},
        {"Label", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING},
        {"Stamp", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME},
        {"Flag", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN},
        {"Tag", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID}};
    for (auto [name, kind] : kinds) {
      auto column = tarvex::adoptGRef(
          tarvex_brevane_meta_model_meta_table_new_column(table.get(), name, kind));
      g_object_set_data_full(G_OBJECT(column.get()), "SOURCE", g_strdup(name), g_free);
    }
    // The first rows of the CSV export, and the same rows as JSON.
    std::string import_csv = std::string(dir.get()) + "/import.csv";
    std::string import_json = std::string(dir.get()) + "/import.json";
    {
      FILE* in = std::fopen(csv_path.c_str(), "r");
      FILE* out = std::fopen(import_csv.c_str(), "w");
      char* line = nullptr;
      size_t size = 0;
      for (long n = 0; in && out && n <= import_rows && getline(&line, &size, in) > 0; ++n)
        std::fputs(line, out);
      free(line);
      if (in) std::fclose(in);
      if (out) std::fclose(out);
    }
    gee_abstract_map_set(
        GEE_ABSTRACT_MAP(tarvex_brevane_contracts_data_iexporter_get_options(dsv_ex)), "FILENAME",
        import_csv.c_str());
    {
      auto first = tarvex::adoptGRef(tarvex_brevane_contracts_data_iimporter_load_from_file(
          dsv_im, 0, nullptr, nullptr, &error));
      check(error, "import file");
      tarvex_brevane_contracts_data_iexporter_export_to_file(
          json_ex, first.get(), import_json.c_str(), nullptr, nullptr, &error);
      check(error, "import file");
    }
    gee_abstract_map_set(
        GEE_ABSTRACT_MAP(tarvex_brevane_contracts_data_iexporter_get_options(json_ex)), "FILENAME",
        import_json.c_str());
    struct Run {
      bool done = false;
      gint64 count = 0;
      guint progress = 0;
      GError* error = nullptr;
    };
    auto import = [&](TarvexBrevaneContractsDataIImporter* importer, gint64* count, guint* calls) {
      gee_abstract_map_set(GEE_ABSTRACT_MAP(tarvex_brevane_contracts_data_iexporter_get_options(
                               reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(importer))),
                           "ACTION", "append");
      Run run;
      tarvex_brevane_contracts_data_iimporter_import_from_file(
          importer, iconnection, table.get(),
          [](guint, guint, const gchar*, gpointer target) {
            ++static_cast<Run*>(target)->progress;
          },
          &run,
          [](GObject* source, GAsyncResult* result, gpointer data) {
            auto* r = static_cast<Run*>(data);
            r->count = tarvex_brevane_contracts_data_iimporter_import_from_file_finish(
                reinterpret_cast<TarvexBrevaneContractsDataIImporter*>(source), result, &r->error);
            r->done = true;
          },
          &run);
      while (!run.done) g_main_context_iteration(nullptr, TRUE);
      check(run.error, "import");
      *count = run.count;
      *calls = run.progress;
    };
    csv_import = measure(1, [&] { import(dsv_im, &csv_imported, &csv_import_progress); });
    json_import = measure(1, [&] { import(json_im, &json_imported, &json_import_progress); });
    g_remove(import_csv.c_str());
    g_remove(import_json.c_str());
  }

  if (!only.empty()) {
    const std::pair<const char*, const Figure*> steps[] = {
        {"csv-export", &csv_export},
        {"csv-load", &csv_load},
        {"json-export", &json_export},
        {"json-load", &json_load},
        {documents[0].step, &documents[0].figure},
        {documents[1].step, &documents[1].figure},
        {documents[2].step, &documents[2].figure},
        {documents[3].step, &documents[3].figure}};
    for (auto [step, x] : steps)
      if (x->first > 0)
        std::printf("@ %s %.3f %.3f %ld %.3f\n", step, x->first, x->best, x->peak, x->cpu);
    const Figure* f[4] = {&csv_export, &csv_load, &json_export, &json_load};
    for (const Figure* x : f)
      if (x->first > 0)
        std::printf("%.3f s (best %.3f s), peak RSS %ld MB\n", x->first, x->best, x->peak);
    for (const Document& d : documents)
      if (d.figure.first > 0)
        std::printf("%s: %d rows, %ld MB, %.3f s (best %.3f s), peak RSS %ld MB\n", d.name,
                    d.written, long(d.size >> 20), d.figure.first, d.figure.best, d.figure.peak);
    if (csv_imported || json_imported)
      std::printf(
          "imports: CSV %ld in %.3f s, peak RSS %ld MB; JSON %ld in %.3f s, peak RSS %ld MB\n",
          long(csv_imported), csv_import.first, csv_import.peak, long(json_imported),
          json_import.first, json_import.peak);
    remove_files(dir.get());
    remove_files(log_dir.get());
    return 0;
  }
  // Every export again in a fresh process of its own: the figures shown.
  struct Fresh {
    const char* name;
    const char* step;
    Figure figure;
    goffset size;
  };
  Fresh fresh[] = {{"CSV", "csv-export", {}, 0},           {"JSON", "json-export", {}, 0},
                   {"XML", "xml-export", {}, 0},           {"HTML", "html-export", {}, 0},
                   {"Markdown", "markdown-export", {}, 0}, {"SQL INSERT", "sql-export", {}, 0}};
  {
    GStatBuf st;
    if (g_stat(csv_path.c_str(), &st) == 0) fresh[0].size = st.st_size;
    if (g_stat(json_path.c_str(), &st) == 0) fresh[1].size = st.st_size;
    for (int i = 0; i < 4; ++i) fresh[2 + i].size = documents[i].size;
  }
  std::string rows_text = std::to_string(rows), repeats_text = std::to_string(repeats);
  for (Fresh& f : fresh) {
    const char* child_argv[] = {argv[0], rows_text.c_str(), repeats_text.c_str(), f.step, "0",
                                nullptr};
    gchar* child_out = nullptr;
    gint child_status = 0;
    if (!g_spawn_sync(nullptr, const_cast<gchar**>(child_argv), nullptr, G_SPAWN_STDERR_TO_DEV_NULL,
                      nullptr, nullptr, &child_out, nullptr, &child_status, &error) ||
        child_status != 0) {
      std::fprintf(stderr, "%s in a fresh process failed\n", f.step);
      return 1;
    }
    std::istringstream lines(child_out);
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream in(line);
      std::string at, step;
      Figure x;
      if (in >> at >> step >> x.first >> x.best >> x.peak >> x.cpu && at == "@" && step == f.step)
        f.figure = x;
    }
    g_free(child_out);
  }

  std::string python =
      g_file_test("/usr/bin/python3", G_FILE_TEST_IS_EXECUTABLE) ? "/usr/bin/python3" : "python3";
  std::string py_csv = std::string(dir.get()) + "/python.csv";
  std::string py_json = std::string(dir.get()) + "/python.json";
  std::string repeat_text = std::to_string(repeats);
  const char* py_argv[] = {python.c_str(),      "-c",           kPython,
                           csv_path.c_str(),    py_csv.c_str(), py_json.c_str(),
                           repeat_text.c_str(), dir.get(),      nullptr};
  gchar* out = nullptr;
  gint status = 0;
  if (!g_spawn_sync(nullptr, const_cast<gchar**>(py_argv), nullptr, G_SPAWN_SEARCH_PATH, nullptr,
                    nullptr, &out, nullptr, &status, &error) ||
      status != 0) {
    std::fprintf(stderr, "python failed\n");
    return 1;
  }
  Figure py[9];
  {
    std::istringstream in(out);
    for (Figure& f : py) in >> f.first >> f.best >> f.rss_before >> f.peak >> f.cpu;
  }
  g_free(out);

  std::printf(
      "\n%ld rows x 8 columns (int, bigint, float, decimal(18,4), nvarchar(40), "
      "datetime2(7), bit, uniqueidentifier)\n",
      rows);
  std::printf("query into the table model: %.3f s, peak RSS %ld MB\n", read.first, read.peak);
  std::printf("rows: CSV written %d, loaded %u; JSON written %d, loaded %u\n", written,
              csv_loaded_rows, json_written, json_loaded_rows);
  std::printf("progress: CSV export %u calls (last row %u), JSON export %u calls (last row %u)\n\n",
              csv_progress / guint(repeats), csv_progress_last, json_progress / guint(repeats),
              json_progress_last);
  // Python's figures of each export, in the order of `fresh`.
  const Figure* py_export[6] = {&py[0], &py[2], &py[5], &py[6], &py[7], &py[8]};
  std::printf(
      "exports, each the first in a fresh process (tarvex) and the first run of Python's "
      "writer:\n");
  std::printf("%-10s | %-26s | %-26s | %-26s | %-13s | %s\n", "", "wall time, first run",
              "CPU time (user+sys), first",
              repeats > 1 ? "wall time, best of N" : "(best of N: N > 1)", "peak RSS (MB)", "file");
  std::printf("%-10s | %7s %7s %9s | %7s %7s %9s | %7s %7s %9s | %6s %6s | %s\n", "format",
              "tarvex", "python", "speed-up", "tarvex", "python", "speed-up", "tarvex", "python",
              "speed-up", "tarvex", "python", "(MB)");
  for (int i = 0; i < 6; ++i) {
    const Figure& a = fresh[i].figure;
    const Figure& b = *py_export[i];
    std::printf(
        "%-10s | %6.3fs %6.3fs %8.2fx | %6.3fs %6.3fs %8.2fx | %6.3fs %6.3fs %8.2fx | %6ld %6ld | "
        "%ld\n",
        fresh[i].name, a.first, b.first, b.first / a.first, a.cpu, b.cpu, b.cpu / a.cpu, a.best,
        b.best, b.best / a.best, a.peak, b.peak, long(fresh[i].size >> 20));
  }
  std::printf("\nloads, in this process after its exports:\n");
  std::printf("%-12s | %-27s | %-27s | %-13s | %s\n", "", "first run",
              repeats > 1 ? "best of N (N below)" : "(best of N: REPEATS > 1)", "peak RSS (MB)",
              "RSS before (MB)");
  std::printf("%-12s | %8s %8s %9s | %8s %8s %9s | %6s %6s | %6s %6s\n", "step", "tarvex", "python",
              "speed-up", "tarvex", "python", "speed-up", "tarvex", "python", "tarvex", "python");
  const char* names[2] = {"CSV load", "JSON load"};
  const Figure* ours[2] = {&csv_load, &json_load};
  const Figure* theirs[2] = {&py[1], &py[3]};
  for (int i = 0; i < 2; ++i) {
    const Figure& a = *ours[i];
    const Figure& b = *theirs[i];
    std::printf("%-12s | %7.3fs %7.3fs %8.2fx | %7.3fs %7.3fs %8.2fx | %6ld %6ld | %6ld %6ld\n",
                names[i], a.first, b.first, b.first / a.first, a.best, b.best, b.best / a.best,
                a.peak, b.peak, a.rss_before, b.rss_before);
  }
  std::printf("%-12s | %8s %7.3fs %9s | %8s %7.3fs %9s | %6s %6ld |\n", "(CSV count)", "",
              py[4].first, "", "", py[4].best, "", "", py[4].peak);
  std::printf("documents written:");
  for (const Document& d : documents)
    std::printf(" %s %d rows, %ld MB, %u progress calls;", d.name, d.written, long(d.size >> 20),
                d.progress / guint(repeats));
  std::printf("\n");
  if (import_rows > 0)
    std::printf(
        "\nimport (INSERT per record into the test server), first run:\n"
        "CSV import   | %ld records in %.3fs (%.0f records/s), %u progress calls, "
        "peak RSS %ld MB (RSS before %ld MB)\n"
        "JSON import  | %ld records in %.3fs (%.0f records/s), %u progress calls, "
        "peak RSS %ld MB (RSS before %ld MB)\n",
        long(csv_imported), csv_import.first, double(csv_imported) / csv_import.first,
        csv_import_progress, csv_import.peak, csv_import.rss_before, long(json_imported),
        json_import.first, double(json_imported) / json_import.first, json_import_progress,
        json_import.peak, json_import.rss_before);
  std::printf(
      "\nN = %d. Goal: every export at least 3x faster than Python's writer (first run, "
      "wall time):",
      repeats);
  for (int i = 0; i < 6; ++i)
    std::printf("%s %s %s", i ? "," : "", fresh[i].name,
                py_export[i]->first / fresh[i].figure.first >= 3 ? "met" : "NOT met");
  std::printf(".\n");
  std::printf(
      "Peak RSS is the step's own peak (reset before it); the model of the query "
      "(%ld MB) is held throughout.\n"
      "Python writes lists of strings it already holds; tarvex writes from the typed "
      "table model and loads into a table model.\nPython's CSV load keeps the rows in a "
      "list, as a load into a model does; \"(CSV count)\" only counts them.\n",
      read.peak);
  remove_files(dir.get());
  remove_files(log_dir.get());
  return 0;
}
