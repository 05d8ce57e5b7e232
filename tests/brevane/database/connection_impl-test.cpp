// The connection base over a recording provider: status and signals, the
// open paths, close, transactions, the execute forms with their log lines,
// and the lock around every provider call.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "brevane/contracts/iconnection.h"
#include "brevane/database/connection_impl.h"
#include "brevane/database/statement.h"
#include "providers/contracts/table_model.h"
#include "providers/contracts/value_int.h"
#include "providers/sqlserver/sql_server_error.h"
#include "providers/sqlserver/tdsdb_error.h"
#include "tests/brevane/database/database-test.h"
#include "tests/brevane/database/fakes.h"
#include "tests/support/expect-gerror.h"

using dbtest::take;
using tarvex::GRef;
using tarvex::GUniqueError;

// ---------------------------------------------------------------------------
// A dialect of the test: the base statement for the connection string, and an
// update_version that fails on demand.
typedef struct {
  TarvexBrevaneSupportsDatabaseConnectionImpl parent_instance;
  TarvexBrevaneSupportsDatabaseStatement* statement;
  gboolean fail_version;
  int version_reads;
} DbTestConnection;
typedef struct {
  TarvexBrevaneSupportsDatabaseConnectionImplClass parent_class;
} DbTestConnectionClass;

G_DEFINE_TYPE(DbTestConnection, db_test_connection,
              TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_CONNECTION_IMPL)

static TarvexBrevaneContractsDatabaseIStatement* db_test_connection_statement(
    TarvexBrevaneSupportsDatabaseConnectionImpl* self) {
  auto* test = reinterpret_cast<DbTestConnection*>(self);
  if (!test->statement)
    test->statement = tarvex_brevane_supports_database_statement_new(
        TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(self));
  return TARVEX_BREVANE_CONTRACTS_DATABASE_ISTATEMENT(g_object_ref(test->statement));
}

static void db_test_connection_update_version(TarvexBrevaneSupportsDatabaseConnectionImpl* self,
                                              GError** error) {
  auto* test = reinterpret_cast<DbTestConnection*>(self);
  ++test->version_reads;
  if (test->fail_version)
    g_set_error_literal(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 208, "Invalid object name.");
}

static void db_test_connection_dispose(GObject* object) {
  g_clear_object(&reinterpret_cast<DbTestConnection*>(object)->statement);
  G_OBJECT_CLASS(db_test_connection_parent_class)->dispose(object);
}

static void db_test_connection_class_init(DbTestConnectionClass* klass) {
  G_OBJECT_CLASS(klass)->dispose = db_test_connection_dispose;
  auto* connection = TARVEX_BREVANE_SUPPORTS_DATABASE_CONNECTION_IMPL_CLASS(klass);
  connection->statement = db_test_connection_statement;
  connection->update_version = db_test_connection_update_version;
}
static void db_test_connection_init(DbTestConnection*) {}

namespace {

using Connection = TarvexBrevaneSupportsDatabaseConnectionImpl;
using IConnection = TarvexBrevaneContractsDatabaseIConnection;
using Status = TarvexBrevaneContractsDatabaseDBStatus;
constexpr Status kUnknown = TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown;
constexpr Status kClosed = TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Closed;
constexpr Status kOpened = TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened;
constexpr Status kFailed = TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed;
constexpr const char* kUuid = "server-uuid-1";

std::vector<std::string> texts(const std::vector<dbtest::LogLine>& lines) {
  std::vector<std::string> out;
  for (const auto& line : lines) out.push_back(line.text);
  return out;
}

class ConnectionTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    dbtest::install_log_recorder();
    dbtest::clear_log_lines();
    make_connection();
  }
  // A new connection over a new provider, nothing heard from it yet.
  void make_connection() {
    opened = closed = 0;
    statuses.clear();
    connection = GRef<Connection>::adopt(TARVEX_BREVANE_SUPPORTS_DATABASE_CONNECTION_IMPL(
        g_object_new(db_test_connection_get_type(), nullptr)));
    provider = GRef<TarvexProvidersContractsIProvider>::adopt(dbtest::fake_provider_new());
    tarvex_brevane_supports_database_connection_impl_set_provider(connection.get(), provider.get());
    server = GRef<TarvexProvidersContractsServer>::adopt(tarvex_providers_contracts_server_new());
    tarvex_providers_contracts_server_set_uuid(server.get(), kUuid);
    tarvex_providers_contracts_server_set_driver(server.get(), "SQL Server");
    tarvex_providers_contracts_server_set_host(server.get(), "db.example");
    tarvex_providers_contracts_server_set_port(server.get(), 1433);
    g_signal_connect(connection.get(), "opened",
                     G_CALLBACK(+[](IConnection* c, IConnection* arg, gpointer data) {
                       EXPECT_EQ(c, arg);
                       ++static_cast<ConnectionTest*>(data)->opened;
                     }),
                     this);
    g_signal_connect(connection.get(), "closed",
                     G_CALLBACK(+[](IConnection* c, IConnection* arg, gpointer data) {
                       EXPECT_EQ(c, arg);
                       ++static_cast<ConnectionTest*>(data)->closed;
                     }),
                     this);
    g_signal_connect(connection.get(), "notify::status",
                     G_CALLBACK(+[](GObject* o, GParamSpec*, gpointer data) {
                       static_cast<ConnectionTest*>(data)->statuses.push_back(
                           tarvex_brevane_contracts_database_iconnection_get_status(
                               TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(o)));
                     }),
                     this);
  }
  void TearDown() override {
    connection = nullptr;
    tarvex::test::drop_quiet_logs();
    LogCaptureTest::TearDown();
  }

  IConnection* ic() { return TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(connection.get()); }
  DbTestConnection* test_connection() {
    return reinterpret_cast<DbTestConnection*>(connection.get());
  }
  dbtest::FakeProviderState& state() { return dbtest::fake_state(provider.get()); }
  Status status() { return tarvex_brevane_contracts_database_iconnection_get_status(ic()); }

  void open() {
    GUniqueError error;
    tarvex_brevane_contracts_database_iconnection_open(ic(), server.get(), nullptr, error.out());
    ASSERT_FALSE(error) << error->message;
    state().take_calls();
    statuses.clear();
    opened = 0;
    dbtest::clear_log_lines();
  }

  GRef<Connection> connection;
  GRef<TarvexProvidersContractsIProvider> provider;
  GRef<TarvexProvidersContractsServer> server;
  int opened = 0;
  int closed = 0;
  std::vector<Status> statuses;
};

TEST_F(ConnectionTest, NewConnection) {
  auto bare = GRef<Connection>::adopt(tarvex_brevane_supports_database_connection_impl_new());
  auto* c = TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(bare.get());
  EXPECT_STREQ(g_type_name(G_OBJECT_TYPE(bare.get())),
               "TarvexBrevaneSupportsDatabaseConnectionImpl");
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_status(c), kUnknown);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_provider(c), nullptr);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_server(c), nullptr);
  EXPECT_STREQ(tarvex_brevane_contracts_database_iconnection_get_version(c), "");
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_major_version(c), 0u);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_minor_version(c), 0u);
  Status status = kFailed;
  guint major = 9;
  g_object_get(bare.get(), "status", &status, "major-version", &major, nullptr);
  EXPECT_EQ(status, kUnknown);
  EXPECT_EQ(major, 0u);
  // The base creates no dialect objects but the cache and the formatter.
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_adapter(c), nullptr);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_builder(c), nullptr);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_explorer(c), nullptr);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_inspector(c), nullptr);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_statement(c), nullptr);
  auto cache = GRef<TarvexBrevaneContractsDatabaseICachable>::adopt(
      tarvex_brevane_contracts_database_iconnection_cache(c));
  auto cache2 = GRef<TarvexBrevaneContractsDatabaseICachable>::adopt(
      tarvex_brevane_contracts_database_iconnection_cache(c));
  ASSERT_TRUE(cache);
  EXPECT_EQ(cache.get(), cache2.get());
  auto formatter = GRef<TarvexBrevaneContractsDatabaseIFormattable>::adopt(
      tarvex_brevane_contracts_database_iconnection_formatter(c));
  auto formatter2 = GRef<TarvexBrevaneContractsDatabaseIFormattable>::adopt(
      tarvex_brevane_contracts_database_iconnection_formatter(c));
  ASSERT_TRUE(formatter);
  EXPECT_EQ(formatter.get(), formatter2.get());
}

TEST_F(ConnectionTest, StatusPropertyNotifiesOnlyChanges) {
  g_object_set(connection.get(), "status", kClosed, nullptr);
  g_object_set(connection.get(), "status", kClosed, nullptr);
  tarvex_brevane_contracts_database_iconnection_set_status(ic(), kOpened);
  EXPECT_EQ(statuses, (std::vector<Status>{kClosed, kOpened}));
  TarvexProvidersContractsIProvider* held = nullptr;
  g_object_get(connection.get(), "provider", &held, nullptr);
  EXPECT_EQ(held, provider.get());
  g_object_unref(held);
}

TEST_F(ConnectionTest, OpenDirectly) {
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(ic(), server.get(), nullptr, error.out());
  ASSERT_FALSE(error);
  EXPECT_EQ(state().take_calls(), (std::vector<std::string>{"open"}));
  // The provider receives the connection string of the dialect statement.
  EXPECT_EQ(state().connection_string,
            "DRIVER={SQL Server};SERVER=db.example;DATABASE=;PORT=1433;UID=;PWD=;");
  EXPECT_EQ(status(), kOpened);
  EXPECT_EQ(statuses, (std::vector<Status>{kOpened}));
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(test_connection()->version_reads, 1);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_server(ic()), server.get());
  auto lines = dbtest::take_log_lines(kUuid);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "SQL: connection opened");
  EXPECT_EQ(lines[0].level, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG);
}

TEST_F(ConnectionTest, FailedLoginLeavesTheStatusFailed) {
  state().fail_open = true;
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(ic(), server.get(), nullptr, error.out());
  ASSERT_TRUE(error);
  EXPECT_GERROR(error, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1);
  EXPECT_STREQ(error->message, "open_tds failed.");
  EXPECT_EQ(status(), kFailed);
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(test_connection()->version_reads, 0);
  auto lines = dbtest::take_log_lines(kUuid);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "SQL: Failed to open connection: open_tds failed.");
  EXPECT_EQ(lines[0].level, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY);
}

TEST_F(ConnectionTest, FailedVersionReadFailsTheOpen) {
  test_connection()->fail_version = TRUE;
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(ic(), server.get(), nullptr, error.out());
  ASSERT_TRUE(error);
  EXPECT_EQ(error->code, 208);
  // The status passed through Opened, and the provider stays open.
  EXPECT_EQ(statuses, (std::vector<Status>{kOpened, kFailed}));
  EXPECT_TRUE(tarvex_providers_contracts_iprovider_get_is_opened(provider.get()));
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(texts(dbtest::take_log_lines(kUuid)),
            (std::vector<std::string>{"SQL: Failed to open connection: Invalid object name."}));
}

TEST_F(ConnectionTest, OpeningWithoutProviderStatementOrServerFails) {
  // No provider.
  auto bare = GRef<Connection>::adopt(tarvex_brevane_supports_database_connection_impl_new());
  auto* c = TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(bare.get());
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(c, server.get(), nullptr, error.out());
  ASSERT_TRUE(error);
  EXPECT_STREQ(g_quark_to_string(error->domain), "default");
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_status(c), kFailed);
  // A provider but no statement to build the connection string.
  tarvex_brevane_supports_database_connection_impl_set_provider(bare.get(), provider.get());
  tarvex_brevane_contracts_database_iconnection_set_status(c, kUnknown);
  tarvex_brevane_contracts_database_iconnection_open(c, server.get(), nullptr, error.out());
  ASSERT_TRUE(error);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_status(c), kFailed);
  EXPECT_TRUE(state().take_calls().empty());
  // Reopen of a connection that was never opened.
  tarvex_brevane_contracts_database_iconnection_reopen(ic(), error.out());
  ASSERT_TRUE(error);
  EXPECT_EQ(status(), kFailed);
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(dbtest::take_log_lines("main").size(), 3u);
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_database_iconnection_open(ic(), nullptr, nullptr, nullptr),
      "server != NULL");
}

TEST_F(ConnectionTest, ReopenOpensTheStoredServerAgain) {
  open();
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_reopen(ic(), error.out());
  ASSERT_FALSE(error);
  // The provider replaces its connection itself: no close first.
  EXPECT_EQ(state().take_calls(), (std::vector<std::string>{"open"}));
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(status(), kOpened);
}

TEST_F(ConnectionTest, TunnelThatCannotStartFailsBeforeTheProvider) {
  tarvex_providers_contracts_server_set_ssh_using(server.get(), TRUE);
  tarvex_providers_contracts_server_set_ssh_process(server.get(),
                                                    "/nonexistent/tarvex-no-such-tunnel");
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open(ic(), server.get(), nullptr, error.out());
  ASSERT_TRUE(error);
  EXPECT_TRUE(state().take_calls().empty());
  EXPECT_EQ(status(), kUnknown);
  EXPECT_EQ(opened, 0);
  // The stored description is the caller's.
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_server(ic()), server.get());
}

TEST_F(ConnectionTest, CloseEmptiesTheCacheAndSignals) {
  open();
  auto cache = GRef<TarvexBrevaneContractsDatabaseICachable>::adopt(
      tarvex_brevane_contracts_database_iconnection_cache(ic()));
  tarvex_brevane_contracts_database_icachable_append(cache.get(), "k", "v");
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_close(ic(), error.out());
  ASSERT_FALSE(error);
  EXPECT_EQ(state().take_calls(), (std::vector<std::string>{"close"}));
  EXPECT_EQ(status(), kClosed);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(cache.get(), "k")), "(null)");
}

// A close that did not happen says so: an error, and neither the status nor
// "closed" moves, so a host that reacts to "closed" hears only real closes.
TEST_F(ConnectionTest, CloseThatDidNotHappenIsAnErrorWithoutSignal) {
  struct Case {
    const char* name;
    bool open_first;
    bool provider_went_away;  // the server dropped the connection
    bool fail_close;          // the provider's close reports an error
    bool close_first;         // a successful close came before
    Status status;            // what the connection says before and after
    std::vector<std::string> calls;
    int code;  // of the error
  };
  const Case cases[] = {
      {"never opened", false, false, false, false, kUnknown, {}, -1},
      {"server went away", true, true, false, false, kOpened, {}, -1},
      {"provider close fails", true, false, true, false, kOpened, {"close"}, 20047},
      {"second close", true, false, false, true, kClosed, {}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    make_connection();
    if (c.open_first) open();
    GUniqueError error;
    if (c.close_first) {
      tarvex_brevane_contracts_database_iconnection_close(ic(), error.out());
      ASSERT_FALSE(error);
      state().take_calls();
      closed = 0;
      statuses.clear();
    }
    auto cache = GRef<TarvexBrevaneContractsDatabaseICachable>::adopt(
        tarvex_brevane_contracts_database_iconnection_cache(ic()));
    tarvex_brevane_contracts_database_icachable_append(cache.get(), "k", "v");
    if (c.provider_went_away) state().opened = false;
    state().fail_close = c.fail_close;

    tarvex_brevane_contracts_database_iconnection_close(ic(), error.out());
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, c.code);
    EXPECT_EQ(state().take_calls(), c.calls);
    EXPECT_EQ(status(), c.status);
    EXPECT_TRUE(statuses.empty());
    EXPECT_EQ(closed, 0);
    // Only a close that happened empties the cache.
    EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(cache.get(), "k")), "v");
  }
}

TEST_F(ConnectionTest, Transactions) {
  open();
  GUniqueError error;
  EXPECT_TRUE(tarvex_brevane_contracts_database_iconnection_transaction(ic(), error.out()));
  tarvex_brevane_contracts_database_iconnection_commit(ic(), error.out());
  tarvex_brevane_contracts_database_iconnection_rollback(ic(), error.out());
  EXPECT_FALSE(error);
  EXPECT_EQ(state().take_calls(), (std::vector<std::string>{"transaction", "commit", "rollback"}));
  // Provider errors come back unchanged.
  state().fail_execute = true;
  EXPECT_FALSE(tarvex_brevane_contracts_database_iconnection_transaction(ic(), error.out()));
  ASSERT_TRUE(error);
  EXPECT_EQ(error->code, 102);
  // Transactions write no log lines.
  EXPECT_TRUE(dbtest::take_log_lines(kUuid).empty());
}

TEST_F(ConnectionTest, TransactionsOnAClosedConnectionAreErrors) {
  GUniqueError error;
  EXPECT_FALSE(tarvex_brevane_contracts_database_iconnection_transaction(ic(), error.out()));
  ASSERT_TRUE(error);
  EXPECT_STREQ(g_quark_to_string(error->domain), "default");
  error.reset();
  tarvex_brevane_contracts_database_iconnection_commit(ic(), error.out());
  EXPECT_TRUE(error);
  error.reset();
  tarvex_brevane_contracts_database_iconnection_rollback(ic(), error.out());
  EXPECT_TRUE(error);
  EXPECT_TRUE(state().take_calls().empty());
}

TEST_F(ConnectionTest, ExecuteFormsAndTheirLogLines) {
  open();
  GUniqueError error;
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_no_query(
                ic(), "UPDATE t SET a = 1", 0, error.out()),
            3);
  auto model = GRef<TarvexProvidersContractsTableModel>::adopt(
      tarvex_brevane_contracts_database_iconnection_execute_as_model(ic(), "SELECT a FROM t", 7,
                                                                     error.out()));
  ASSERT_TRUE(model);
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(model.get())), 2u);
  auto value = GRef<TarvexProvidersContractsValueObject>::adopt(
      tarvex_brevane_contracts_database_iconnection_execute_as_scalar(ic(), "SELECT 1", 0,
                                                                      error.out()));
  ASSERT_TRUE(value);
  auto reader = GRef<TarvexProvidersContractsIDataReader>::adopt(
      tarvex_brevane_contracts_database_iconnection_execute_reader(ic(), "SELECT b FROM t",
                                                                   error.out()));
  ASSERT_TRUE(reader);
  gint count = -1;
  GObject** results = tarvex_brevane_contracts_database_iconnection_execute(
      ic(), "SELECT a FROM t; DELETE t", 0, &count, error.out());
  ASSERT_FALSE(error);
  ASSERT_EQ(count, 2);
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_TABLE_MODEL(results[0]));
  EXPECT_TRUE(
      G_TYPE_CHECK_INSTANCE_TYPE(results[1], tarvex_providers_contracts_value_uint64_get_type()));
  for (gint i = 0; i < count; ++i) g_object_unref(results[i]);
  g_free(results);

  // flags travel to the provider unchanged.
  EXPECT_EQ(state().take_calls(),
            (std::vector<std::string>{"affect:UPDATE t SET a = 1:0", "model:SELECT a FROM t:7",
                                      "scalar:SELECT 1:0", "reader:SELECT b FROM t",
                                      "statements:SELECT a FROM t; DELETE t:0"}));
  auto lines = dbtest::take_log_lines(kUuid);
  EXPECT_EQ(texts(lines), (std::vector<std::string>{
                              "SQL: UPDATE t SET a = 1",
                              "affected rows: 3",
                              "SQL: SELECT a FROM t",
                              "affected rows: 2",
                              "SQL: SELECT 1",
                              "affected rows: 1",
                              "SQL: SELECT b FROM t",
                              "affected rows: 0",
                              "SQL: SELECT a FROM t; DELETE t",
                              "affected rows: 2",
                              "affected rows: true",
                          }));
  for (const auto& line : lines)
    EXPECT_EQ(line.level, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN);
  // Every line also reaches the main log.
  EXPECT_EQ(dbtest::take_log_lines("main").size(), lines.size());
}

TEST_F(ConnectionTest, FailedExecutionsReturnTheProviderError) {
  open();
  state().fail_execute = true;
  GUniqueError error;
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_no_query(ic(), "UPDATE x", 0,
                                                                           error.out()),
            -1);
  ASSERT_TRUE(error);
  EXPECT_GERROR(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 102);
  error.reset();
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_as_model(ic(), "SELECT x", 0,
                                                                           error.out()),
            nullptr);
  EXPECT_TRUE(error);
  error.reset();
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_as_scalar(ic(), "SELECT x", 0,
                                                                            error.out()),
            nullptr);
  EXPECT_TRUE(error);
  error.reset();
  gint count = 42;
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute(ic(), "SELECT x", 0, &count,
                                                                  error.out()),
            nullptr);
  EXPECT_TRUE(error);
  error.reset();
  EXPECT_EQ(
      tarvex_brevane_contracts_database_iconnection_execute_reader(ic(), "SELECT x", error.out()),
      nullptr);
  EXPECT_TRUE(error);
  // Only the "SQL: " line, no second one.
  EXPECT_EQ(texts(dbtest::take_log_lines(kUuid)),
            (std::vector<std::string>{"SQL: UPDATE x", "SQL: SELECT x", "SQL: SELECT x",
                                      "SQL: SELECT x", "SQL: SELECT x"}));
}

TEST_F(ConnectionTest, NullTextsArePreconditions) {
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_no_query(
                                ic(), nullptr, 0, nullptr),
                            0),
                  "sql != NULL");
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_database_iconnection_execute_as_model(ic(), nullptr, 0, nullptr),
      "sql != NULL");
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_database_iconnection_execute(ic(), nullptr, 0, nullptr, nullptr),
      "statements != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_no_query(
                                nullptr, "x", 0, nullptr),
                            -1),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_connection_impl_close(nullptr, nullptr),
                  "self != NULL");
  EXPECT_TRUE(state().take_calls().empty());
}

TEST_F(ConnectionTest, PasswordsStayOutOfTheLog) {
  open();
  const char* texts_in[] = {
      "CREATE LOGIN [ann] WITH PASSWORD = 'S3cr''et!', CHECK_POLICY = OFF",
      "ALTER LOGIN [ann] WITH PASSWORD=N'n3w' OLD_PASSWORD = 'old1'",
      "CREATE USER [bob] WITH PASSWORD = 'pw2', DEFAULT_SCHEMA = dbo",
      "CREATE APPLICATION ROLE app WITH PASSWORD = 'pw3'",
      "CREATE LOGIN [h] WITH PASSWORD = 0x0200ABCDEF HASHED",
  };
  GUniqueError error;
  for (const char* sql : texts_in)
    tarvex_brevane_contracts_database_iconnection_execute_no_query(ic(), sql, 0, error.out());
  auto lines = texts(dbtest::take_log_lines(kUuid));
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], "SQL: CREATE LOGIN [ann] WITH PASSWORD = '******', CHECK_POLICY = OFF");
  EXPECT_EQ(lines[2], "SQL: ALTER LOGIN [ann] WITH PASSWORD='******' OLD_PASSWORD = '******'");
  EXPECT_EQ(lines[4], "SQL: CREATE USER [bob] WITH PASSWORD = '******', DEFAULT_SCHEMA = dbo");
  EXPECT_EQ(lines[6], "SQL: CREATE APPLICATION ROLE app WITH PASSWORD = '******'");
  EXPECT_EQ(lines[8], "SQL: CREATE LOGIN [h] WITH PASSWORD = '******' HASHED");
  // The provider still receives the text itself.
  EXPECT_EQ(state().take_calls()[0], std::string("affect:") + texts_in[0] + ":0");
}

TEST_F(ConnectionTest, OneProviderCallAtATime) {
  open();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([this] {
      for (int i = 0; i < 25; ++i) {
        GUniqueError error;
        tarvex_brevane_contracts_database_iconnection_execute_no_query(ic(), "UPDATE t SET a = 1",
                                                                       0, error.out());
        auto model = GRef<TarvexProvidersContractsTableModel>::adopt(
            tarvex_brevane_contracts_database_iconnection_execute_as_model(ic(), "SELECT a FROM t",
                                                                           0, error.out()));
      }
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(state().most_inside.load(), 1);
  EXPECT_EQ(state().take_calls().size(), 200u);
  dbtest::clear_log_lines();
}

TEST_F(ConnectionTest, TheLockIsRecursive) {
  open();
  // A provider call that runs another statement on the same connection, on
  // the same thread, does not wait for itself.
  bool nested = false;
  state().during_execute = [this, &nested](const std::string& sql) {
    if (sql != "outer") return;
    GUniqueError error;
    auto value = GRef<TarvexProvidersContractsValueObject>::adopt(
        tarvex_brevane_contracts_database_iconnection_execute_as_scalar(ic(), "inner", 0,
                                                                        error.out()));
    nested = value != nullptr;
  };
  GUniqueError error;
  EXPECT_EQ(
      tarvex_brevane_contracts_database_iconnection_execute_no_query(ic(), "outer", 0, error.out()),
      3);
  EXPECT_TRUE(nested);
  dbtest::clear_log_lines();
}

TEST_F(ConnectionTest, EmptySlotsOfTheContract) {
  auto bare = GRef<IConnection>::adopt(dbtest::bare_connection_new());
  EXPECT_EQ(
      tarvex_brevane_contracts_database_iconnection_execute_no_query(bare.get(), "x", 0, nullptr),
      -1);
  EXPECT_EQ(
      tarvex_brevane_contracts_database_iconnection_execute_as_model(bare.get(), "x", 0, nullptr),
      nullptr);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_status(bare.get()), kUnknown);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_transaction(bare.get(), nullptr), FALSE);
}

}  // namespace
