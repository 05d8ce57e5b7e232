// Catalog reads at scale, against the in-process TDS test server: the deep
// fill of a schema of N tables, beside the baseline of the same run (the
// schema listed, then each table filled on its own, as deep fills did
// before); a structure compare (initialize and preview) of two such
// schemas; and the transfer of one table beside N tables nobody selected.
//
// Each figure is the first run of its step in a fresh process (this
// program runs itself once per step and size): batches the server
// received, time, and peak resident memory (reset before the step, read
// after it). The time a link would add is batches times its round trip.
//
//   bench-catalog [SIZES...]          every step at each size (10 200 1000)
//   bench-catalog STEP N              one step: fill, fill-one-by-one,
//                                     compare or transfer
#include <glib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/tds-catalog.h"
#include "tests/support/tds-server.h"

namespace tds = tarvex::test::tds;
namespace catalog = tarvex::test::catalog;
using Clock = std::chrono::steady_clock;
using tarvex::GRef;
using IConnection = TarvexBrevaneContractsDatabaseIConnection;

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

void reset_peak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

void quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// A schema of `tables` tables of 8 columns, each but the first referring
// to the first; `wider` gives the first table one column more.
catalog::Schema schema_of(const std::string& name, int tables, bool wider = false) {
  catalog::Schema schema;
  schema.name = name;
  for (int i = 0; i < tables; i++)
    schema.tables.push_back(
        catalog::plain_table("t" + std::to_string(i), i == 0 && wider ? 9 : 8, i ? "t0" : ""));
  return schema;
}

void script_server(tds::Server& server) {
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
      reinterpret_cast<IConnection*>(connection.get()), description.get(), nullptr, &error);
  if (error) {
    std::fprintf(stderr, "open: %s\n", error->message);
    std::exit(1);
  }
  return connection;
}

IConnection* iconn(const GRef<TarvexBrevaneSupportsDatabaseSQLServerConnection>& c) {
  return reinterpret_cast<IConnection*>(c.get());
}

GRef<GeeMap> options(const std::vector<std::pair<std::string, std::string>>& entries) {
  auto map = GRef<GeeMap>::adopt(GEE_MAP(gee_hash_map_new(
      G_TYPE_STRING, (GBoxedCopyFunc)g_strdup, g_free, G_TYPE_STRING, (GBoxedCopyFunc)g_strdup,
      g_free, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)));
  for (const auto& [k, v] : entries) gee_map_set(map.get(), k.c_str(), v.c_str());
  return map;
}

void fail_on(GError* error, const char* what) {
  if (!error) return;
  std::fprintf(stderr, "%s: %s\n", what, error->message);
  std::exit(1);
}

struct Figures {
  size_t batches = 0, other_batches = 0;
  double seconds = 0;
  long peak_kb = 0;
};

void print(const char* step, int n, const Figures& f, const char* note) {
  std::printf(
      "%-16s %5d tables: %6zu batches%s, %8.3f s, peak %7ld kB; at 20 ms a batch: %7.1f s%s\n",
      step, n, f.batches,
      f.other_batches ? (" (+" + std::to_string(f.other_batches) + " on the target)").c_str() : "",
      f.seconds, f.peak_kb, 0.02 * double(f.batches + f.other_batches), note);
}

int run_step(const std::string& step, int n) {
  tds::use_private_freetds_conf();
  g_log_set_default_handler(quiet, nullptr);
  tarvex_brevane_foundation_services_initialize();
  tds::Server source, target;
  script_server(source);
  script_server(target);
  Figures f;

  if (step == "fill" || step == "fill-one-by-one") {
    catalog::script(
        source, schema_of("dbo", n),
        step == "fill" ? catalog::Reads::WholeSchema : catalog::Reads::WholeSchemaAndAnyObject);
    source.start();
    auto connection = open_on(source);
    auto adapter = GRef<TarvexBrevaneContractsDatabaseIAdaptable>::adopt(
        tarvex_brevane_contracts_database_iconnection_adapter(iconn(connection)));
    auto schema = GRef<TarvexBrevaneMetaModelMetaSchema>::adopt(
        tarvex_brevane_meta_model_meta_schema_new_with_names("bench", "dbo"));
    const size_t before = source.batch_texts().size();
    reset_peak();
    auto start = Clock::now();
    GError* error = nullptr;
    if (step == "fill") {
      tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(adapter.get(), schema.get(),
                                                                    TRUE, TRUE, &error);
    } else {
      tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(adapter.get(), schema.get(),
                                                                    FALSE, TRUE, &error);
      GeeArrayList* tables = tarvex_brevane_meta_model_meta_schema_get_tables(schema.get());
      const int count = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(tables));
      for (int i = 0; i < count && !error; i++) {
        auto table = GRef<TarvexBrevaneMetaModelMetaTable>::adopt(
            static_cast<TarvexBrevaneMetaModelMetaTable*>(
                gee_abstract_list_get(GEE_ABSTRACT_LIST(tables), i)));
        tarvex_brevane_contracts_database_iadaptable_fill_meta_table(adapter.get(), table.get(),
                                                                     TRUE, &error);
      }
    }
    f.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.peak_kb = status_kb("VmHWM");
    fail_on(error, step.c_str());
    f.batches = source.batch_texts().size() - before;
    print(step.c_str(), n, f, step == "fill" ? "" : "  (baseline: the former deep fill)");
    return 0;
  }

  if (step == "compare") {
    catalog::script(source, schema_of("dbo", n), catalog::Reads::WholeSchema);
    catalog::script(target, schema_of("dbo", n, true), catalog::Reads::WholeSchema);
    source.start();
    target.start();
    auto source_connection = open_on(source);
    auto target_connection = open_on(target);
    auto map = options({{"OPTION|SOURCE|DATABASE", "bench"},
                        {"OPTION|SOURCE|SCHEMA", "dbo"},
                        {"OPTION|TARGET|DATABASE", "bench"},
                        {"OPTION|TARGET|SCHEMA", "dbo"}});
    auto sync = GRef<TarvexBrevaneTransformStructureSynchronizer>::adopt(
        tarvex_brevane_transform_structure_synchronizer_new(map.get()));
    auto* it = TARVEX_BREVANE_TRANSFORM_ITRANSFORM(sync.get());
    tarvex_brevane_transform_itransform_set_server_source(it, iconn(source_connection));
    tarvex_brevane_transform_itransform_set_server_target(it, iconn(target_connection));
    const size_t source_before = source.batch_texts().size();
    const size_t target_before = target.batch_texts().size();
    reset_peak();
    auto start = Clock::now();
    GError* error = nullptr;
    tarvex_brevane_transform_itransform_initialize(it, &error);
    fail_on(error, "initialize");
    auto patched = GRef<GObject>::adopt(tarvex_brevane_transform_isynchronize_preview(
        TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(sync.get()), &error));
    f.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.peak_kb = status_kb("VmHWM");
    fail_on(error, "preview");
    if (!patched) {
      std::fprintf(stderr, "compare: the schemas compared equal\n");
      return 1;
    }
    f.batches = source.batch_texts().size() - source_before;
    f.other_batches = target.batch_texts().size() - target_before;
    print("compare", n, f, "");
    return 0;
  }

  if (step == "transfer") {
    // One table of 1,000 rows moved, n tables beside it. Its own queries
    // are scripted once for any table (it comes first), so that the
    // server's rules do not grow with the tables.
    catalog::Schema schema = schema_of("dbo", n);
    schema.tables.insert(schema.tables.begin(), catalog::plain_table("moved", 2));
    catalog::script(source, schema, catalog::Reads::WholeSchemaAndAnyObject);
    source.on_pattern("SELECT count\\(\\*\\) FROM \\[dbo\\]\\.\\[moved\\]")
        .result({{"n", "int"}})
        .row({"1000"});
    source.on_pattern("FROM \\[dbo\\]\\.\\[moved\\].*FETCH")
        .generate(1000, {{"c1", "int"}, {"c2", "nvarchar(40)"}});
    source.start();
    target.start();
    auto source_connection = open_on(source);
    auto target_connection = open_on(target);
    auto map = options({{"OPTION|SOURCE|DATABASE", "bench"},
                        {"schema|dbo|MODE", "true"},
                        {"table|moved|MODE", "true"}});
    auto transfer = GRef<TarvexBrevaneTransformTransfer>::adopt(
        tarvex_brevane_transform_transfer_new(map.get()));
    auto* it = TARVEX_BREVANE_TRANSFORM_ITRANSFORM(transfer.get());
    tarvex_brevane_transform_itransform_set_server_source(it, iconn(source_connection));
    tarvex_brevane_transform_itransform_set_server_target(it, iconn(target_connection));
    auto* progress = tarvex_brevane_contracts_thread_progress_new();
    tarvex_brevane_transform_itransform_set_progress(it, progress);
    const size_t source_before = source.batch_texts().size();
    const size_t target_before = target.batch_texts().size();
    reset_peak();
    auto start = Clock::now();
    tarvex_brevane_transform_itransform_handle(it);
    f.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.peak_kb = status_kb("VmHWM");
    f.batches = source.batch_texts().size() - source_before;
    f.other_batches = target.batch_texts().size() - target_before;
    const bool ok = progress->failed == 0;
    tarvex_brevane_contracts_thread_progress_unref(progress);
    if (!ok) {
      std::fprintf(stderr, "transfer: a step failed\n");
      return 1;
    }
    print("transfer 1 of", n + 1, f, "  (source batches: catalog, count, page)");
    return 0;
  }
  std::fprintf(stderr, "unknown step %s\n", step.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && !g_ascii_isdigit(argv[1][0])) return run_step(argv[1], std::atoi(argv[2]));
  std::vector<std::string> sizes;
  for (int i = 1; i < argc; i++) sizes.push_back(argv[i]);
  if (sizes.empty()) sizes = {"10", "200", "1000"};
  std::printf("catalog reads, each the first run in a fresh process\n");
  int status = 0;
  for (const char* step : {"fill", "fill-one-by-one", "compare", "transfer"}) {
    for (const auto& size : sizes) {
      gchar* child_argv[] = {argv[0], const_cast<gchar*>(step), const_cast<gchar*>(size.c_str()),
                             nullptr};
      gint exit_status = 0;
      GError* error = nullptr;
      std::fflush(stdout);
      if (!g_spawn_sync(nullptr, child_argv, nullptr, G_SPAWN_CHILD_INHERITS_STDIN, nullptr,
                        nullptr, nullptr, nullptr, &exit_status, &error)) {
        std::fprintf(stderr, "%s\n", error->message);
        g_error_free(error);
        return 1;
      }
      if (!g_spawn_check_wait_status(exit_status, nullptr)) status = 1;
    }
  }
  // The transfer also alone: no table beside the moved one.
  gchar* child_argv[] = {argv[0], const_cast<gchar*>("transfer"), const_cast<gchar*>("0"), nullptr};
  gint exit_status = 0;
  std::fflush(stdout);
  if (g_spawn_sync(nullptr, child_argv, nullptr, G_SPAWN_CHILD_INHERITS_STDIN, nullptr, nullptr,
                   nullptr, nullptr, &exit_status, nullptr) &&
      !g_spawn_check_wait_status(exit_status, nullptr))
    status = 1;
  return status;
}
