// The structure diff of two schemas of 1,000 and of 4,000 tables built in
// memory (8 columns, an index, a check and a trigger each; a tenth changed,
// a twentieth on one side only): time per table and peak resident memory of
// the first run of each size in a fresh process, beside the baseline of the
// same run: the JSON texts of both schemas, which every comparison reads.
//
//   bench-diff            runs each size in a process of its own
//   bench-diff TABLES     one size in this process
#include <json-glib/json-glib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"

using Clock = std::chrono::steady_clock;
using tarvex::GRef;
using MetaObject = TarvexBrevaneMetaModelMetaObject;
using MetaSchema = TarvexBrevaneMetaModelMetaSchema;
using MetaTable = TarvexBrevaneMetaModelMetaTable;

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

MetaObject* meta(gpointer p) {
  return reinterpret_cast<MetaObject*>(p);
}

void add(GeeArrayList* list, gpointer item) {
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), item);
}

// Table `i` of a schema; `variant` changes one column type and the check.
GRef<MetaTable> make_table(const char* database, const char* schema, long i, bool variant) {
  const std::string name = "table_" + std::to_string(i);
  auto table = tarvex::adoptGRef(
      tarvex_brevane_meta_model_meta_table_new_with_names(database, schema, name.c_str()));
  const char* types[] = {"INT",       "BIGINT", "NVARCHAR", "DECIMAL",
                         "DATETIME2", "BIT",    "FLOAT",    "VARBINARY"};
  for (int c = 0; c < 8; ++c) {
    const std::string column = "column_" + std::to_string(c);
    auto col = tarvex::adoptGRef(tarvex_brevane_meta_model_meta_table_new_column(
        table.get(), column.c_str(), TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING));
    tarvex_brevane_meta_model_meta_column_set_raw_type(col.get(),
                                                       variant && c == 2 ? "NCHAR" : types[c]);
    tarvex_brevane_meta_model_meta_column_set_length(col.get(), 40);
    tarvex_brevane_meta_model_meta_column_set_is_primary_key(col.get(), c == 0);
  }
  auto index = tarvex::adoptGRef(tarvex_brevane_meta_model_meta_index_new_with_names(
      database, schema, name.c_str(), ("IX_" + name).c_str()));
  tarvex_brevane_meta_model_meta_index_append(index.get(), "column_1 ASC");
  add(tarvex_brevane_meta_model_meta_table_get_indexes(table.get()), index.get());
  auto check = tarvex::adoptGRef(tarvex_brevane_meta_model_meta_check_new_with_names(
      database, schema, ("CK_" + name).c_str(), variant ? "column_0 > 1" : "column_0 > 0"));
  add(tarvex_brevane_meta_model_meta_table_get_constraints(table.get()), check.get());
  auto trigger = tarvex::adoptGRef(tarvex_brevane_meta_model_meta_trigger_new_with_names(
      database, schema, ("TR_" + name).c_str()));
  add(tarvex_brevane_meta_model_meta_table_get_triggers(table.get()), trigger.get());
  return table;
}

// Source tables 0..n-1; the target lacks every twentieth, changes every
// tenth and has n/20 of its own.
GRef<MetaSchema> make_schema(const char* database, long tables, bool target) {
  auto schema =
      tarvex::adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names(database, "dbo"));
  GeeArrayList* list = tarvex_brevane_meta_model_meta_schema_get_tables(schema.get());
  for (long i = 0; i < tables; ++i) {
    if (target && i % 20 == 19) continue;
    add(list, make_table(database, "dbo", i, target && i % 10 == 3).get());
  }
  if (target)
    for (long i = tables; i < tables + tables / 20; ++i)
      add(list, make_table(database, "dbo", i, false).get());
  return schema;
}

int run_one(long tables) {
  auto source = make_schema("prod", tables, false);
  auto target = make_schema("test", tables, true);
  auto patcher = tarvex::adoptGRef(tarvex_brevane_transform_patcher_new());
  const long rss_before = status_kb("VmRSS");
  const bool peak_reset = reset_peak();

  auto start = Clock::now();
  MetaSchema* patched = nullptr;
  const gint code = tarvex_brevane_transform_patcher_diff_meta_schema(
      patcher.get(), source.get(), target.get(), FALSE, &patched);
  const double diff_s = std::chrono::duration<double>(Clock::now() - start).count();
  const long peak_diff = status_kb("VmHWM");
  auto owned = tarvex::adoptGRef(patched);
  long changed = 0, listed = 0;
  if (patched) {
    GeeArrayList* list = tarvex_brevane_meta_model_meta_schema_get_tables(patched);
    listed = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
    for (long i = 0; i < listed; ++i) {
      auto table = tarvex::adoptGRef(
          static_cast<MetaTable*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), gint(i))));
      if (tarvex_brevane_meta_model_meta_object_get_version(meta(table.get())) == 8) ++changed;
    }
  }

  // Baseline: the JSON texts of both schemas, once each.
  reset_peak();
  start = Clock::now();
  size_t bytes = 0;
  for (MetaSchema* schema : {source.get(), target.get()}) {
    JsonNode* node = json_gobject_serialize(G_OBJECT(schema));
    gchar* text = json_to_string(node, FALSE);
    bytes += std::strlen(text);
    g_free(text);
    json_node_unref(node);
  }
  const double json_s = std::chrono::duration<double>(Clock::now() - start).count();
  const long peak_json = status_kb("VmHWM");

  std::printf("diff of two schemas of %ld tables (first run in a fresh process)\n", tables);
  std::printf("  code %d, %ld tables listed, %ld changed\n", code, listed, changed);
  std::printf("  time %.3f s, %.3f ms per table\n", diff_s, diff_s * 1000 / tables);
  std::printf("  resident before %ld kB, peak during the diff %ld kB%s\n", rss_before, peak_diff,
              peak_reset ? "" : " (peak not resettable: process peak)");
  std::printf(
      "baseline, same run: JSON texts of both schemas (%.1f MB) in %.3f s, %.3f ms per table, peak "
      "%ld kB\n",
      bytes / 1048576.0, json_s, json_s * 1000 / tables, peak_json);
  return code == 8 && changed > 0 ? 0 : 1;
}

void quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

}  // namespace

int main(int argc, char** argv) {
  g_log_set_default_handler(quiet, nullptr);
  if (argc > 1) return run_one(std::atol(argv[1]));
  // Each size in a fresh process, so that neither run warms the other.
  int status = 0;
  for (const char* size : {"1000", "4000"}) {
    const gchar* args[] = {"/proc/self/exe", size, nullptr};
    gint exit_status = 0;
    GError* error = nullptr;
    if (!g_spawn_sync(nullptr, const_cast<gchar**>(args), nullptr, G_SPAWN_CHILD_INHERITS_STDIN,
                      nullptr, nullptr, nullptr, nullptr, &exit_status, &error)) {
      std::fprintf(stderr, "bench-diff %s: %s\n", size, error->message);
      g_error_free(error);
      return 1;
    }
    std::fflush(stdout);
    if (!g_spawn_check_wait_status(exit_status, nullptr)) status = 1;
  }
  return status;
}
