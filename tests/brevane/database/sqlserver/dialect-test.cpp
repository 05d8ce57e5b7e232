#include "tests/brevane/database/sqlserver/dialect-test.h"

#include <cctype>

namespace tarvex::test::dialect {

namespace {
// db-lib reads its configuration when the provider first calls dbinit.
const bool private_conf = (tds::use_private_freetds_conf(), true);

// The start-up of a host: the services facade, the log manager and the
// logging service, which the connection writes its lines to.
void start_services() {
  static const bool started = [] {
    tarvex_brevane_foundation_services_initialize();
    auto manager = adoptGRef(G_OBJECT(tarvex_brevane_supports_log_log_manager_new()));
    tarvex_brevane_foundation_services_register_instance(
        TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER, manager.get());
    GUniqueStr folder(g_dir_make_tmp("dialect-test-XXXXXX", nullptr));
    tarvex_brevane_foundation_logging_service_initialize(
        "main", TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN, folder.get(), 1 << 20);
    return true;
  }();
  (void)started;
}
}  // namespace

std::string text_at(Table* table, int col, int row) {
  auto value = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table, col, row));
  return value_text(value.get());
}

int rows_of(Table* table) {
  return gee_collection_get_size(
      GEE_COLLECTION(tarvex_providers_contracts_table_model_get_rows(table)));
}

int columns_of(Table* table) {
  return gee_collection_get_size(
      GEE_COLLECTION(tarvex_providers_contracts_table_model_get_columns(table)));
}

static GRef<TarvexProvidersContractsColumnModel> column_at(Table* table, int col) {
  return item<TarvexProvidersContractsColumnModel>(
      tarvex_providers_contracts_table_model_get_columns(table), col);
}

std::string title_at(Table* table, int col) {
  const gchar* title =
      tarvex_providers_contracts_column_model_get_title(column_at(table, col).get());
  return title ? title : "(null)";
}

std::string name_at(Table* table, int col) {
  const gchar* name = tarvex_providers_contracts_column_model_get_name(column_at(table, col).get());
  return name ? name : "(null)";
}

int select_items(const std::string& sql) {
  size_t start = 0;
  // The first SELECT as a word.
  for (;; start++) {
    start = sql.find("SELECT", start);
    if (start == std::string::npos) return 0;
    if (start == 0 || !std::isalnum(static_cast<unsigned char>(sql[start - 1]))) break;
  }
  int items = 1, depth = 0;
  for (size_t i = start + 6; i < sql.size(); i++) {
    char c = sql[i];
    if (c == '\'' || c == '[') {
      char close = c == '\'' ? '\'' : ']';
      for (i++; i < sql.size() && sql[i] != close; i++) {
      }
    } else if (c == '(') {
      depth++;
    } else if (c == ')') {
      depth--;
    } else if (c == ',' && depth == 0) {
      items++;
    } else if (depth == 0 &&
               (sql.compare(i, 5, " FROM") == 0 || sql.compare(i, 5, "\nFROM") == 0)) {
      break;
    }
  }
  return items;
}

bool is_filled(gpointer object) {
  return g_object_get_data(G_OBJECT(object), "FILLED") != nullptr;
}

std::string attr(gpointer object, const char* key) {
  GeeHashMap* map = tarvex_brevane_meta_model_meta_object_get_attributes(META(object));
  auto* value = static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(map), key));
  return take(value);
}

bool has_attr(gpointer object, const char* key) {
  GeeHashMap* map = tarvex_brevane_meta_model_meta_object_get_attributes(META(object));
  return gee_abstract_map_has_key(GEE_ABSTRACT_MAP(map), key);
}

std::string option(TarvexBrevaneMetaModelMetaTable* table, const char* key) {
  GeeHashMap* map = tarvex_brevane_meta_model_meta_table_get_options(table);
  return take(static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(map), key)));
}

bool has_option(TarvexBrevaneMetaModelMetaTable* table, const char* key) {
  GeeHashMap* map = tarvex_brevane_meta_model_meta_table_get_options(table);
  return gee_abstract_map_has_key(GEE_ABSTRACT_MAP(map), key);
}

int size_of(GeeArrayList* list) {
  return gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
}

std::vector<std::string> strings_of(GeeArrayList* list) {
  std::vector<std::string> out;
  for (int i = 0; i < size_of(list); i++)
    out.push_back(take(static_cast<gchar*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i))));
  return out;
}

void DialectTest::SetUp() {
  LogCaptureTest::SetUp();
  start_services();
  server_.start();
  connection_ = adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
}

void DialectTest::TearDown() {
  connection_ = nullptr;
  server_.stop();
  drop_provider_logs();
  drop_quiet_logs();
  LogCaptureTest::TearDown();
}

void DialectTest::open(const std::string& version) {
  server_.on_pattern("SERVERPROPERTY\\('ProductVersion'\\)")
      .result({{"version", "sql_variant", true}})
      .row({"nvarchar(128):" + version});
  auto description = dbtest::test_server(nullptr, "127.0.0.1", server_.port());
  tarvex_providers_contracts_server_set_initial(description.get(), "master");
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iconnection_open(iconn(), description.get(), nullptr, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  drop_provider_logs();
  drop_quiet_logs();
  mark();
}

std::vector<std::string> DialectTest::sent() const {
  auto all = server_.batch_texts();
  return std::vector<std::string>(all.begin() + std::min(mark_, all.size()), all.end());
}

std::string DialectTest::sent_with(const std::string& needle) const {
  for (const auto& batch : sent())
    if (batch.find(needle) != std::string::npos) return batch;
  return {};
}

void DialectTest::drop_provider_logs() {
  for (const auto& record : captured_logs()) {
    if (record.level != G_LOG_LEVEL_WARNING) continue;
    if (record.message.find("provider:") == std::string::npos) continue;
    take_log(G_LOG_LEVEL_WARNING, record.message);
  }
}

}  // namespace tarvex::test::dialect
