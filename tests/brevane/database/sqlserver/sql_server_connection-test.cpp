// The SQL Server connection over real TDS: FreeTDS db-lib logs in to the
// scripted test server. Version detection, status and signals, every
// execute form, transactions, and closing after the server went away.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "brevane/database/sqlserver/sql_server_connection.h"
#include "brevane/database/sqlserver/sql_server_explorer_v10x.h"
#include "brevane/database/sqlserver/sql_server_statement.h"
#include "providers/contracts/table_model.h"
#include "providers/contracts/value_int.h"
#include "providers/sqlserver/sql_server_error.h"
#include "tests/brevane/database/database-test.h"
#include "tests/brevane/database/fakes.h"
#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/tds-server.h"
#include "tests/support/texts.h"

using dbtest::take;
using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueError;
namespace tds = tarvex::test::tds;

namespace {

// db-lib reads its configuration when the provider first calls dbinit.
const bool private_conf = (tds::use_private_freetds_conf(), true);

using IConnection = TarvexBrevaneContractsDatabaseIConnection;
using Status = TarvexBrevaneContractsDatabaseDBStatus;
using dbtest::kVersionQuery;
constexpr const char* kUuid = "tds-server-1";

using tarvex::test::value_text;

std::string text_at(TarvexProvidersContractsTableModel* model, int column, int row) {
  auto value = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(model, column, row));
  return value_text(value.get());
}

class SqlServerConnectionTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    dbtest::install_log_recorder();
    dbtest::clear_log_lines();
    server_.start();
    script_version("nvarchar(128):16.0.1000.6");
    connection_ = adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
    description_ = dbtest::test_server(kUuid, "127.0.0.1", server_.port());
    tarvex_providers_contracts_server_set_initial(description_.get(), "master");
    g_signal_connect(connection_.get(), "opened",
                     G_CALLBACK(+[](IConnection*, IConnection*, gpointer data) {
                       ++static_cast<SqlServerConnectionTest*>(data)->opened_;
                     }),
                     this);
    g_signal_connect(connection_.get(), "closed",
                     G_CALLBACK(+[](IConnection*, IConnection*, gpointer data) {
                       ++static_cast<SqlServerConnectionTest*>(data)->closed_;
                     }),
                     this);
  }

  void TearDown() override {
    connection_ = nullptr;
    server_.stop();
    take_provider_warnings();
    tarvex::test::drop_quiet_logs();
    dbtest::clear_log_lines();
    LogCaptureTest::TearDown();
  }

  // The provider's handlers log db-lib errors and server messages as warnings.
  std::vector<std::string> take_provider_warnings() {
    std::vector<std::string> taken;
    for (const auto& record : tarvex::test::captured_logs()) {
      if (record.level != G_LOG_LEVEL_WARNING || record.message.rfind("provider:", 0) != 0)
        continue;
      if (tarvex::test::take_log(G_LOG_LEVEL_WARNING, record.message))
        taken.push_back(record.message);
    }
    return taken;
  }

  void script_version(const char* cell) {
    server_.on_batch(kVersionQuery).result({{"version", "sql_variant", true}}).row({cell});
  }

  IConnection* ic() { return TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(connection_.get()); }
  Status status() { return tarvex_brevane_contracts_database_iconnection_get_status(ic()); }

  void open(GError** error) {
    tarvex_brevane_contracts_database_iconnection_open(ic(), description_.get(), nullptr, error);
  }
  void open_ok() {
    GUniqueError error;
    open(error.out());
    ASSERT_FALSE(error) << error->message;
  }

  GType explorer_type() {
    auto explorer = adoptGRef(
        reinterpret_cast<GObject*>(tarvex_brevane_contracts_database_iconnection_explorer(ic())));
    return explorer ? G_OBJECT_TYPE(explorer.get()) : G_TYPE_INVALID;
  }

  tds::Server server_;
  GRef<TarvexBrevaneSupportsDatabaseSQLServerConnection> connection_;
  GRef<TarvexProvidersContractsServer> description_;
  int opened_ = 0;
  int closed_ = 0;
};

TEST_F(SqlServerConnectionTest, NewConnection) {
  EXPECT_STREQ(g_type_name(G_OBJECT_TYPE(connection_.get())),
               "TarvexBrevaneSupportsDatabaseSQLServerConnection");
  EXPECT_TRUE(TARVEX_BREVANE_SUPPORTS_DATABASE_IS_CONNECTION_IMPL(connection_.get()));
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown);
  auto* provider = tarvex_brevane_contracts_database_iconnection_get_provider(ic());
  ASSERT_NE(provider, nullptr);
  EXPECT_STREQ(g_type_name(G_OBJECT_TYPE(provider)), "TarvexProvidersSupportsSQLServerProvider");
  EXPECT_FALSE(tarvex_providers_contracts_iprovider_get_is_opened(provider));
  // The statement is created once and kept.
  auto statement = adoptGRef(tarvex_brevane_contracts_database_iconnection_statement(ic()));
  auto again = adoptGRef(tarvex_brevane_contracts_database_iconnection_statement(ic()));
  ASSERT_TRUE(statement);
  EXPECT_EQ(statement.get(), again.get());
  EXPECT_TRUE(TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_STATEMENT(statement.get()));
  EXPECT_TRUE(server_.batch_texts().empty());
}

TEST_F(SqlServerConnectionTest, OpenReadsTheVersion) {
  open_ok();
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened);
  EXPECT_EQ(opened_, 1);
  EXPECT_STREQ(tarvex_brevane_contracts_database_iconnection_get_version(ic()), "16.0.1000.6");
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_major_version(ic()), 16u);
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_minor_version(ic()), 0u);
  EXPECT_EQ(g_type_name(explorer_type()),
            std::string("TarvexBrevaneSupportsDatabaseSQLServerExplorer"));
  EXPECT_EQ(server_.batch_texts(), (std::vector<std::string>{kVersionQuery}));
  auto logins = server_.logins();
  ASSERT_EQ(logins.size(), 1u);
  EXPECT_EQ(logins[0].user, "sa");
  EXPECT_EQ(logins[0].password, "secret");
  std::vector<std::string> lines;
  for (const auto& line : dbtest::take_log_lines(kUuid)) lines.push_back(line.text);
  EXPECT_EQ(lines, (std::vector<std::string>{std::string("SQL: ") + kVersionQuery,
                                             "affected rows: 1", "SQL: connection opened"}));
}

struct VersionCase {
  const char* cell;
  const char* version;
  guint major;
  guint minor;
  bool legacy;
};

TEST_F(SqlServerConnectionTest, VersionsPickTheExplorer) {
  // Each case reopens after an open that read 16.0: a text that does not
  // parse keeps the numbers read before.
  const VersionCase cases[] = {
      {"nvarchar(128):11.0.2100.60", "11.0.2100.60", 11, 0, false},
      {"nvarchar(128):10.50.6000.34", "10.50.6000.34", 10, 50, true},
      {"nvarchar(128):9.00.5000", "9.00.5000", 9, 0, true},
      {"nvarchar(128):Developer Edition", "Developer Edition", 16, 0, true},
      {"nvarchar(128):", "", 16, 0, true},
  };
  for (const auto& c : cases) {
    server_.clear_rules();
    script_version("nvarchar(128):16.0.1000.6");
    open_ok();
    script_version(c.cell);
    GUniqueError error;
    tarvex_brevane_contracts_database_iconnection_reopen(ic(), error.out());
    ASSERT_FALSE(error) << c.cell << ": " << error->message;
    EXPECT_STREQ(tarvex_brevane_contracts_database_iconnection_get_version(ic()), c.version)
        << c.cell;
    EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_major_version(ic()), c.major)
        << c.cell;
    EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_minor_version(ic()), c.minor)
        << c.cell;
    EXPECT_EQ(
        explorer_type() == tarvex_brevane_supports_database_sql_server_explorer_v10x_get_type(),
        c.legacy)
        << c.cell;
  }
  EXPECT_EQ(opened_, 10);
  dbtest::clear_log_lines();
}

TEST_F(SqlServerConnectionTest, AnAdapterKeptFromBeforeTheOpenIsReplaced) {
  auto before = adoptGRef(tarvex_brevane_contracts_database_iconnection_adapter(ic()));
  ASSERT_TRUE(before);
  open_ok();
  auto after = adoptGRef(tarvex_brevane_contracts_database_iconnection_adapter(ic()));
  ASSERT_TRUE(after);
  EXPECT_NE(before.get(), after.get());
  dbtest::clear_log_lines();
}

TEST_F(SqlServerConnectionTest, FailedVersionQueryFailsTheOpen) {
  server_.clear_rules();
  server_.on_batch(kVersionQuery).error(208, 16, "Invalid object name 'SERVERPROPERTY'.");
  GUniqueError error;
  open(error.out());
  ASSERT_TRUE(error);
  EXPECT_STREQ(g_quark_to_string(error->domain), "TDSDB");
  EXPECT_NE(std::string(error->message).find("Invalid object name"), std::string::npos)
      << error->message;
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed);
  EXPECT_EQ(opened_, 0);
  // The provider itself stays logged in.
  EXPECT_TRUE(tarvex_providers_contracts_iprovider_get_is_opened(
      tarvex_brevane_contracts_database_iconnection_get_provider(ic())));
  dbtest::clear_log_lines();
}

TEST_F(SqlServerConnectionTest, FailedLogin) {
  server_.set_login_failure(true);
  GUniqueError error;
  open(error.out());
  ASSERT_TRUE(error);
  EXPECT_GERROR(error, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1);
  // "open_tds failed." and the server's reason.
  EXPECT_TRUE(g_str_has_prefix(error->message, "open_tds failed. ")) << error->message;
  EXPECT_NE(std::string(error->message).find("Login failed for user 'sa'."), std::string::npos)
      << error->message;
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed);
  EXPECT_EQ(opened_, 0);
  auto lines = dbtest::take_log_lines(kUuid);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, std::string("SQL: Failed to open connection: ") + error->message);
  EXPECT_FALSE(take_provider_warnings().empty());
}

TEST_F(SqlServerConnectionTest, EveryExecuteForm) {
  open_ok();
  dbtest::clear_log_lines();
  server_.on_batch("UPDATE dbo.T SET a = 1").row_count(3);
  server_.on_batch("SELECT id, name FROM dbo.T")
      .result({{"id", "int"}, {"name", "nvarchar(40)", true}})
      .row({"1", "Zürich"})
      .row({"2", std::nullopt});
  server_.on_batch("SELECT COUNT(*) FROM dbo.T").result({{"", "int"}}).row({"2"});
  server_.on_batch("SELECT id FROM dbo.T; DELETE FROM dbo.T WHERE id = 2")
      .result({{"id", "int"}})
      .row({"1"})
      .end_result()
      .row_count(1);
  server_.on_batch("SELECT name FROM dbo.T").result({{"name", "nvarchar(40)"}}).row({"O'Brien"});

  GUniqueError error;
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_no_query(
                ic(), "UPDATE dbo.T SET a = 1", 0, error.out()),
            3);
  ASSERT_FALSE(error);

  auto model = adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_model(
      ic(), "SELECT id, name FROM dbo.T", 0, error.out()));
  ASSERT_TRUE(model) << error->message;
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(model.get())), 2u);
  EXPECT_EQ(text_at(model.get(), 1, 0), "Zürich");
  EXPECT_EQ(text_at(model.get(), 1, 1), "");

  auto scalar = adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_scalar(
      ic(), "SELECT COUNT(*) FROM dbo.T", 0, error.out()));
  EXPECT_EQ(value_text(scalar.get()), "2");

  gint count = 0;
  GObject** results = tarvex_brevane_contracts_database_iconnection_execute(
      ic(), "SELECT id FROM dbo.T; DELETE FROM dbo.T WHERE id = 2", 0, &count, error.out());
  ASSERT_TRUE(results) << error->message;
  ASSERT_EQ(count, 2);
  ASSERT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_TABLE_MODEL(results[0]));
  EXPECT_EQ(text_at(TARVEX_PROVIDERS_CONTRACTS_TABLE_MODEL(results[0]), 0, 0), "1");
  ASSERT_TRUE(
      G_TYPE_CHECK_INSTANCE_TYPE(results[1], tarvex_providers_contracts_value_uint64_get_type()));
  EXPECT_EQ(value_text(reinterpret_cast<TarvexProvidersContractsValueObject*>(results[1])), "1");
  for (gint i = 0; i < count; ++i) g_object_unref(results[i]);
  g_free(results);

  auto reader = adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_reader(
      ic(), "SELECT name FROM dbo.T", error.out()));
  ASSERT_TRUE(reader) << error->message;
  EXPECT_TRUE(tarvex_providers_contracts_idata_reader_read(reader.get(), error.out()));
  EXPECT_EQ(take(tarvex_providers_contracts_idata_reader_get_string(reader.get(), 0, error.out())),
            "O'Brien");
  tarvex_providers_contracts_idata_reader_close(reader.get(), error.out());
  EXPECT_FALSE(error);

  std::vector<std::string> lines;
  for (const auto& line : dbtest::take_log_lines(kUuid)) lines.push_back(line.text);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "SQL: UPDATE dbo.T SET a = 1",
                       "affected rows: 3",
                       "SQL: SELECT id, name FROM dbo.T",
                       "affected rows: 2",
                       "SQL: SELECT COUNT(*) FROM dbo.T",
                       "affected rows: 1",
                       "SQL: SELECT id FROM dbo.T; DELETE FROM dbo.T WHERE id = 2",
                       "affected rows: 1",
                       "affected rows: true",
                       "SQL: SELECT name FROM dbo.T",
                       "affected rows: 0",
                   }));
}

TEST_F(SqlServerConnectionTest, ABatchWhoseSecondStatementFails) {
  open_ok();
  server_.on_batch("SELECT 1 AS a; SELECT * FROM dbo.Nowhere")
      .result({{"a", "int"}})
      .row({"1"})
      .end_result()
      .error(208, 16, "Invalid object name 'dbo.Nowhere'.");
  GUniqueError error;
  gint count = -1;
  GObject** results = tarvex_brevane_contracts_database_iconnection_execute(
      ic(), "SELECT 1 AS a; SELECT * FROM dbo.Nowhere", 0, &count, error.out());
  EXPECT_EQ(results, nullptr);
  ASSERT_TRUE(error);
  EXPECT_STREQ(g_quark_to_string(error->domain), "TDSDB");
  EXPECT_NE(std::string(error->message).find("Invalid object name 'dbo.Nowhere'."),
            std::string::npos)
      << error->message;
  // The connection goes on working.
  server_.on_batch("UPDATE dbo.T SET a = 2").row_count(1);
  error.reset();
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_no_query(
                ic(), "UPDATE dbo.T SET a = 2", 0, error.out()),
            1);
  EXPECT_FALSE(error);
  take_provider_warnings();
  dbtest::clear_log_lines();
}

TEST_F(SqlServerConnectionTest, Transactions) {
  open_ok();
  server_.on_batch("BEGIN TRANSACTION").done();
  server_.on_batch("COMMIT TRANSACTION").done();
  server_.on_batch("ROLLBACK TRANSACTION").done();
  server_.clear_history();
  GUniqueError error;
  EXPECT_TRUE(tarvex_brevane_contracts_database_iconnection_transaction(ic(), error.out()));
  tarvex_brevane_contracts_database_iconnection_commit(ic(), error.out());
  EXPECT_TRUE(tarvex_brevane_contracts_database_iconnection_transaction(ic(), error.out()));
  tarvex_brevane_contracts_database_iconnection_rollback(ic(), error.out());
  EXPECT_FALSE(error);
  EXPECT_EQ(server_.batch_texts(),
            (std::vector<std::string>{"BEGIN TRANSACTION", "COMMIT TRANSACTION",
                                      "BEGIN TRANSACTION", "ROLLBACK TRANSACTION"}));
  // Closed, the transaction operations are errors and send nothing.
  tarvex_brevane_contracts_database_iconnection_close(ic(), error.out());
  EXPECT_FALSE(tarvex_brevane_contracts_database_iconnection_transaction(ic(), error.out()));
  EXPECT_TRUE(error);
  EXPECT_EQ(server_.batch_texts().size(), 4u);
  dbtest::clear_log_lines();
}

TEST_F(SqlServerConnectionTest, CloseAfterTheServerDroppedTheConnection) {
  open_ok();
  server_.on_batch("SELECT 1").drop();
  GUniqueError error;
  auto value = adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_scalar(
      ic(), "SELECT 1", 0, error.out()));
  EXPECT_FALSE(value);
  EXPECT_TRUE(error);
  error.reset();
  // Nothing is left to close: an error, and no "closed" for a host to
  // take as news.
  auto before = status();
  tarvex_brevane_contracts_database_iconnection_close(ic(), error.out());
  EXPECT_TRUE(error);
  EXPECT_EQ(status(), before);
  EXPECT_EQ(closed_, 0);
  // And it opens again.
  open_ok();
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened);
  take_provider_warnings();
  dbtest::clear_log_lines();
}

TEST_F(SqlServerConnectionTest, CloseSignalsAndEmptiesTheCache) {
  open_ok();
  auto cache = adoptGRef(tarvex_brevane_contracts_database_iconnection_cache(ic()));
  tarvex_brevane_contracts_database_icachable_append(cache.get(), "schemas", "dbo,sales");
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_close(ic(), error.out());
  EXPECT_FALSE(error);
  EXPECT_EQ(closed_, 1);
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Closed);
  EXPECT_FALSE(tarvex_providers_contracts_iprovider_get_is_opened(
      tarvex_brevane_contracts_database_iconnection_get_provider(ic())));
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(cache.get(), "schemas")),
            "(null)");
  // Reopening does not refill it.
  tarvex_brevane_contracts_database_iconnection_reopen(ic(), error.out());
  EXPECT_FALSE(error);
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(cache.get(), "schemas")),
            "(null)");
  dbtest::clear_log_lines();
}

// Version texts read through a recording provider: texts a server would not
// send as such (db-lib hands a sql_variant of 2, 4 or 8 bytes over as a
// number), and the variant choice.
class VersionTextTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    dbtest::install_log_recorder();
    connection_ = adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
    provider_ = adoptGRef(dbtest::fake_provider_new());
    tarvex_brevane_supports_database_connection_impl_set_provider(
        TARVEX_BREVANE_SUPPORTS_DATABASE_CONNECTION_IMPL(connection_.get()), provider_.get());
    description_ = adoptGRef(tarvex_providers_contracts_server_new());
  }
  void TearDown() override {
    connection_ = nullptr;
    tarvex::test::drop_quiet_logs();
    dbtest::clear_log_lines();
    LogCaptureTest::TearDown();
  }
  IConnection* ic() { return TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(connection_.get()); }

  GRef<TarvexBrevaneSupportsDatabaseSQLServerConnection> connection_;
  GRef<TarvexProvidersContractsIProvider> provider_;
  GRef<TarvexProvidersContractsServer> description_;
};

TEST_F(VersionTextTest, TextsAndNumbers) {
  const VersionCase cases[] = {
      {"16.0.1000.6", "16.0.1000.6", 16, 0, false},
      {"15", "15", 15, 0, false},
      {"11.0.2100.60", "11.0.2100.60", 11, 0, false},
      {"10.50.6000.34", "10.50.6000.34", 10, 50, true},
      {"10", "10", 10, 0, true},
      {"beta", "beta", 10, 0, true},
      {"12.x", "12.x", 12, 0, false},
  };
  for (const auto& c : cases) {
    dbtest::fake_state(provider_.get()).scalar = c.cell;
    GUniqueError error;
    tarvex_brevane_contracts_database_iconnection_open(ic(), description_.get(), nullptr,
                                                       error.out());
    ASSERT_FALSE(error) << error->message;
    EXPECT_STREQ(tarvex_brevane_contracts_database_iconnection_get_version(ic()), c.version);
    EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_major_version(ic()), c.major)
        << c.cell;
    EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_minor_version(ic()), c.minor)
        << c.cell;
    auto explorer = adoptGRef(
        reinterpret_cast<GObject*>(tarvex_brevane_contracts_database_iconnection_explorer(ic())));
    ASSERT_TRUE(explorer);
    EXPECT_EQ(G_OBJECT_TYPE(explorer.get()) ==
                  tarvex_brevane_supports_database_sql_server_explorer_v10x_get_type(),
              c.legacy)
        << c.cell;
  }
  // The version query goes through the connection's own execute_as_scalar.
  auto calls = dbtest::fake_state(provider_.get()).take_calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[1], std::string("scalar:") + kVersionQuery + ":0");
}

TEST_F(VersionTextTest, GettersAreSafeWhileTheVersionIsRead) {
  // The explorer and adapter are swapped while another thread reads them.
  std::atomic<bool> stop{false};
  std::thread reader([this, &stop] {
    while (!stop) {
      auto explorer = adoptGRef(tarvex_brevane_contracts_database_iconnection_explorer(ic()));
      auto adapter = adoptGRef(tarvex_brevane_contracts_database_iconnection_adapter(ic()));
      EXPECT_TRUE(explorer);
      EXPECT_TRUE(adapter);
    }
  });
  for (int i = 0; i < 200; ++i) {
    dbtest::fake_state(provider_.get()).scalar = i % 2 ? "10.50.1" : "16.0.1";
    GUniqueError error;
    tarvex_brevane_contracts_database_iconnection_open(ic(), description_.get(), nullptr,
                                                       error.out());
    ASSERT_FALSE(error);
  }
  stop = true;
  reader.join();
}

}  // namespace

// The column names of a content query reach the server bracketed and whole:
// keywords, blanks, brackets, quotes and letters outside ASCII each name
// their own column.
TEST_F(SqlServerConnectionTest, ContentQueriesNameTheirColumnsBracketed) {
  open_ok();
  const std::vector<std::string> names = {"Order", "Key",   "First Name", "a]b",
                                          "it's",  "Größe", "名前",       "x,y"};
  // "x,y" holds a comma: the caller brackets it so that the list keeps it
  // whole.
  std::string columns;
  for (const auto& name : names)
    columns += (columns.empty() ? "" : " , ") + (name == "x,y" ? "[x,y]" : name);
  auto statement = adoptGRef(tarvex_brevane_contracts_database_iconnection_statement(ic()));
  ASSERT_TRUE(statement);
  std::string text = take(tarvex_brevane_contracts_database_istatement_show_content(
      statement.get(), "master", "dbo", "Order Lines", columns.c_str(), "", "", 0, 0));

  std::vector<tds::Column> result;
  std::vector<std::optional<std::string>> row;
  for (const auto& name : names) {
    result.push_back({name, "nvarchar(20)"});
    row.push_back(name + " value");
  }
  server_.on_batch(text).result(result).row(row);
  GUniqueError error;
  auto model = adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_model(
      ic(), text.c_str(), 0, error.out()));
  ASSERT_TRUE(model) << error->message;

  // What the server received: one statement naming exactly these columns of
  // the table, in their order, and T-SQL the parser reads.
  ASSERT_FALSE(server_.batch_texts().empty());
  const std::string received = server_.batch_texts().back();
  EXPECT_EQ(received, text);
  auto shape = dbtest::read_sql(received);
  EXPECT_EQ(shape.statements, 1);
  EXPECT_FALSE(shape.unterminated);
  std::vector<std::string> expected = names;
  expected.push_back("dbo");
  expected.push_back("Order Lines");
  EXPECT_EQ(shape.identifiers, expected);
  tarvex::test::expect_valid_tsql(received, "content query");
  EXPECT_EQ(text_at(model.get(), 6, 0), "名前 value");
}
