#include "tests/providers/sqlserver/sqlserver-test.h"

#include <gee.h>

namespace tarvex::test::sqlserver {

namespace {
// db-lib reads its configuration when the provider type first calls dbinit.
const bool private_conf = (tds::use_private_freetds_conf(), true);
}  // namespace

std::vector<std::string> take_handler_logs() {
  std::vector<std::string> taken;
  for (const auto& record : captured_logs()) {
    if (record.level != G_LOG_LEVEL_WARNING) continue;
    if (record.message.find("provider:275:") == std::string::npos &&
        record.message.find("provider:359:") == std::string::npos)
      continue;
    if (take_log(G_LOG_LEVEL_WARNING, record.message)) taken.push_back(record.message);
  }
  return taken;
}

bool took_handler_log(const std::vector<std::string>& logs, const std::string& needle) {
  for (const auto& line : logs)
    if (line.find(needle) != std::string::npos) return true;
  return false;
}

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

TarvexProvidersContractsColumnModel* column_at(Table* table, int col) {
  auto* list = GEE_LIST(tarvex_providers_contracts_table_model_get_columns(table));
  auto* column = static_cast<TarvexProvidersContractsColumnModel*>(gee_list_get(list, col));
  g_object_unref(column);  // the list keeps its own
  return column;
}

GRef<TarvexProvidersContractsServer> server_description(const tds::Server& server, const char* user,
                                                        const char* password,
                                                        const char* database) {
  auto description = adoptGRef(tarvex_providers_contracts_server_new());
  tarvex_providers_contracts_server_set_host(description.get(), "127.0.0.1");
  tarvex_providers_contracts_server_set_port(description.get(), server.port());
  tarvex_providers_contracts_server_set_username(description.get(), user);
  tarvex_providers_contracts_server_set_password(description.get(), password);
  tarvex_providers_contracts_server_set_initial(description.get(), database);
  return description;
}

void ProviderTest::SetUp() {
  LogCaptureTest::SetUp();
  server_.start();
  provider_ = adoptGRef(tarvex_providers_supports_sql_server_provider_new());
}

void ProviderTest::TearDown() {
  provider_ = nullptr;
  server_.stop();
  take_handler_logs();
  drop_quiet_logs();
  LogCaptureTest::TearDown();
}

void ProviderTest::open() {
  auto description = server_description(server_);
  GError* error = nullptr;
  tarvex_providers_contracts_iprovider_open(as_provider(provider_.get()), description.get(), "",
                                            &error);
  ASSERT_EQ(error, nullptr) << error->message;
  ASSERT_TRUE(tarvex_providers_contracts_iprovider_get_is_opened(as_provider(provider_.get())));
  take_handler_logs();
  drop_quiet_logs();
}

UserData* ProviderTest::userdata() {
  return tarvex_providers_supports_isql_server_error_get_userdata(
      reinterpret_cast<TarvexProvidersSupportsISQLServerError*>(provider_.get()));
}

GRef<Table> ProviderTest::model(const char* sql) {
  return adoptGRef(tarvex_providers_contracts_iprovider_execute_model(as_provider(provider_.get()),
                                                                      sql, 0, error_.out()));
}

gint64 ProviderTest::affect(const char* sql) {
  return tarvex_providers_contracts_iprovider_execute_affect(as_provider(provider_.get()), sql, 0,
                                                             error_.out());
}

GRef<Value> ProviderTest::scalar(const char* sql) {
  return adoptGRef(tarvex_providers_contracts_iprovider_execute_scalar(as_provider(provider_.get()),
                                                                       sql, 0, error_.out()));
}

std::vector<GRef<GObject>> ProviderTest::statements(const char* sql) {
  gint length = -1;
  GObject** array = tarvex_providers_contracts_iprovider_execute_statements(
      as_provider(provider_.get()), sql, 0, &length, error_.out());
  std::vector<GRef<GObject>> results;
  if (!array) return results;
  for (gint i = 0; i < length; i++) results.push_back(adoptGRef(array[i]));
  g_free(array);
  return results;
}

}  // namespace tarvex::test::sqlserver
