#include "tests/brevane/transform/transform-test.h"

#include <atomic>
#include <thread>

namespace tarvex::test::transform {

namespace {
const bool private_conf = (tds::use_private_freetds_conf(), true);

void start_services() {
  static const bool started = [] {
    tarvex_brevane_foundation_services_initialize();
    auto manager = adoptGRef(G_OBJECT(tarvex_brevane_supports_log_log_manager_new()));
    tarvex_brevane_foundation_services_register_instance(
        TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER, manager.get());
    GUniqueStr folder(g_dir_make_tmp("transform-test-XXXXXX", nullptr));
    tarvex_brevane_foundation_logging_service_initialize(
        "main", TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN, folder.get(), 1 << 20);
    return true;
  }();
  (void)started;
}

GRef<Connection> open_on(tds::Server& server) {
  server.on_pattern("SERVERPROPERTY\\('ProductVersion'\\)")
      .result({{"version", "sql_variant", true}})
      .row({"nvarchar(128):16.0.1000.6"});
  auto connection = adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
  auto description = adoptGRef(tarvex_providers_contracts_server_new());
  tarvex_providers_contracts_server_set_host(description.get(), "127.0.0.1");
  tarvex_providers_contracts_server_set_port(description.get(), server.port());
  tarvex_providers_contracts_server_set_username(description.get(), "sa");
  tarvex_providers_contracts_server_set_password(description.get(), "secret");
  tarvex_providers_contracts_server_set_initial(description.get(), "master");
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iconnection_open(
      reinterpret_cast<IConnection*>(connection.get()), description.get(), nullptr, &error);
  EXPECT_EQ(error, nullptr) << (error ? error->message : "");
  g_clear_error(&error);
  return connection;
}

std::string escape_regex(const std::string& text) {
  GUniqueStr escaped(g_regex_escape_string(text.c_str(), -1));
  return escaped.get();
}
}  // namespace

std::vector<std::string> messages_of(TarvexBrevaneContractsThreadProgress* progress) {
  std::vector<std::string> out;
  for (GList* l = progress->messages->head; l; l = l->next)
    out.push_back(static_cast<char*>(l->data));
  return out;
}

void TransformTest::SetUp() {
  LogCaptureTest::SetUp();
  start_services();
  // Anything the catalog is asked beyond the script is empty; the target
  // accepts every statement unless a test says otherwise.
  source_server_.on_pattern("(?s).").result({{"x", "int", true}});
  target_server_.on_pattern("(?s).").result({{"x", "int", true}});
  // The source database "shop" with the one schema dbo.
  source_server_.on_pattern("FROM sys\\.databases d LEFT JOIN.*d\\.name=N'shop'")
      .result({{"state", "nvarchar(60)", true}})
      .row({"ONLINE"});
  source_server_.on_pattern("INFORMATION_SCHEMA\\.SCHEMATA WHERE SCHEMA_ID")
      .result({{"SCHEMA_NAME", "sysname"},
               {"SCHEMA_OWNER", "sysname", true},
               {"DEFAULT_CHARACTER_SET_NAME", "sysname", true}})
      .row({"dbo", "dbo", std::nullopt});
  source_server_.start();
  target_server_.start();
  source_connection_ = open_on(source_server_);
  target_connection_ = open_on(target_server_);
  drop_quiet_logs();
  source_mark_ = source_server_.batch_texts().size();
  target_mark_ = target_server_.batch_texts().size();
}

void TransformTest::TearDown() {
  source_connection_ = nullptr;
  target_connection_ = nullptr;
  source_server_.stop();
  target_server_.stop();
  drop_transform_logs();
  drop_quiet_logs();
  LogCaptureTest::TearDown();
}

void TransformTest::drop_transform_logs() {
  for (const auto& record : captured_logs()) {
    if (record.level != G_LOG_LEVEL_WARNING) continue;
    if (record.message.rfind("transfer:", 0) == 0 ||
        record.message.find("provider:") != std::string::npos ||
        record.message.find("reader:") != std::string::npos)
      take_log(G_LOG_LEVEL_WARNING, record.message);
  }
}

void TransformTest::script_schema(tds::Server& server, const std::string& schema,
                                  const std::vector<std::pair<std::string, std::string>> objects) {
  const std::string lit = "N'" + escape_regex(schema) + "'";
  server.on_pattern("INFORMATION_SCHEMA\\.SCHEMATA.*" + lit)
      .result({{"SCHEMA_OWNER", "sysname", true}, {"DEFAULT_CHARACTER_SET_NAME", "sysname", true}})
      .row({"dbo", std::nullopt});
  auto& listing = server.on_pattern("type in \\('U', 'V', 'IT', 'S'\\).*" + lit)
                      .result({{"name", "sysname"}, {"type", "char(2)"}});
  for (const auto& [name, type] : objects) listing.row({name, type});
}

tds::Rule& TransformTest::script_column_facts(tds::Server& server, const std::string& table) {
  return server
      .on_pattern("FROM sys\\.columns c WHERE c\\.object_id = OBJECT_ID\\(N'\\[dbo\\]\\.\\[" +
                  table + "\\]'\\)")
      .result({{"name", "sysname"},
               {"is_identity", "bit"},
               {"is_computed", "bit"},
               {"system_type_id", "tinyint"}});
}

void TransformTest::script_table(tds::Server& server, const std::string& schema,
                                 const std::string& table,
                                 const std::vector<CatalogColumn>& columns,
                                 const std::vector<std::string>& keys,
                                 const std::vector<ForeignKey>& foreigns) {
  const std::string where = "N'" + escape_regex(schema) +
                            "' AND OBJECT_NAME\\(\\w+\\.object_id\\) = N'" + escape_regex(table) +
                            "'";
  auto& rows = server.on_pattern("FROM sys\\.all_columns ac.*" + where)
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
  int id = 1;
  for (const auto& c : columns)
    rows.row({std::to_string(id++), c.name, c.type, std::to_string(c.max_length),
              std::to_string(c.precision), std::to_string(c.scale), c.nullable ? "1" : "0",
              std::nullopt, std::nullopt, std::nullopt});
  auto& primary = server.on_pattern(where + ".*ix\\.is_primary_key = 1")
                      .result({{"name", "sysname", true},
                               {"column_id", "int"},
                               {"column_name", "sysname", true},
                               {"key_ordinal", "tinyint"}});
  int ordinal = 1;
  for (const auto& k : keys)
    primary.row({"PK_" + table, std::to_string(ordinal), k, std::to_string(ordinal)}), ++ordinal;
  if (!foreigns.empty()) {
    auto& fks =
        server
            .on_pattern(
                "FROM sys\\.foreign_key_columns fc.*OBJECT_NAME\\(fc\\.parent_object_id\\)=N'" +
                escape_regex(table) + "'")
            .result({{"name", "sysname", true},
                     {"type_desc", "nvarchar(60)", true},
                     {"delete_referential_action_desc", "nvarchar(60)", true},
                     {"update_referential_action_desc", "nvarchar(60)", true},
                     {"is_disabled", "bit", true},
                     {"comment", "nvarchar(max)", true},
                     {"local_column", "sysname", true},
                     {"refer_schema", "sysname", true},
                     {"refer_table", "sysname", true},
                     {"refer_column", "sysname", true}});
    for (const auto& f : foreigns)
      fks.row({f.name, "FOREIGN_KEY_CONSTRAINT", "NO_ACTION", "NO_ACTION", "0", std::nullopt,
               f.column, schema, f.refer_table, f.refer_column});
  }
}

GRef<GeeMap> TransformTest::options(
    const std::vector<std::pair<std::string, std::string>>& entries) {
  auto map = GRef<GeeMap>::adopt(GEE_MAP(gee_hash_map_new(
      G_TYPE_STRING, (GBoxedCopyFunc)g_strdup, g_free, G_TYPE_STRING, (GBoxedCopyFunc)g_strdup,
      g_free, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)));
  for (const auto& [k, v] : entries) gee_map_set(map.get(), k.c_str(), v.c_str());
  return map;
}

GRef<GObject> TransformTest::run_handle(gpointer transform, std::vector<gint64>* processed_seen) {
  auto* itransform = TARVEX_BREVANE_TRANSFORM_ITRANSFORM(transform);
  auto progress = tarvex_brevane_contracts_thread_progress_new();
  tarvex_brevane_transform_itransform_set_progress(itransform, progress);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    tarvex_brevane_transform_itransform_handle(itransform);
    done = true;
  });
  // The host's side: a consistent copy under the transform's lock.
  while (!done) {
    auto* copy = tarvex_brevane_transform_itransform_snapshot_progress(itransform, FALSE);
    if (copy) {
      EXPECT_EQ(copy->processed, copy->succeeded + copy->failed);
      if (processed_seen) processed_seen->push_back(copy->processed);
      tarvex_brevane_contracts_thread_progress_unref(copy);
    }
    g_usleep(200);
  }
  worker.join();
  // The record is handed back as a plain object holder for the caller.
  auto holder = adoptGRef(G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr)));
  g_object_set_data_full(holder.get(), "progress", progress,
                         tarvex_brevane_contracts_thread_progress_unref);
  return holder;
}

std::vector<std::string> TransformTest::received(tds::Server& server, size_t from) const {
  auto all = server.batch_texts();
  return std::vector<std::string>(all.begin() + std::min(from, all.size()), all.end());
}

}  // namespace tarvex::test::transform
