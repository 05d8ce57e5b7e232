// The provider over db-lib against the scripted TDS server: login, the five
// execute forms, messages and errors, transactions, timeouts, dropped
// connections.
#include <gee.h>
#include <sybdb.h>
#include <sybfront.h>

#include <chrono>

#include "tests/providers/sqlserver/sqlserver-test.h"
#include "tests/support/expect-gerror.h"

namespace tarvex::test::sqlserver {
namespace {

using namespace std::chrono_literals;

template <typename T>
bool is_a(gpointer object, GType type) {
  return object && G_TYPE_CHECK_INSTANCE_TYPE(object, type);
}

// ------------------------------------------------------------ login

TEST_F(ProviderTest, OpensWithTheDescriptionsCredentials) {
  server_.add_login("sa", "secret");
  auto description = server_description(server_, "sa", "secret", "Sample");
  GUniqueError error;
  tarvex_providers_contracts_iprovider_open(as_provider(provider_.get()), description.get(),
                                            "ignored", error.out());
  ASSERT_EQ(error.get(), nullptr) << error->message;
  EXPECT_TRUE(tarvex_providers_contracts_iprovider_get_is_opened(as_provider(provider_.get())));
  gboolean opened = FALSE;
  g_object_get(provider_.get(), "is-opened", &opened, nullptr);
  EXPECT_TRUE(opened);
  EXPECT_TRUE(take_log(G_LOG_LEVEL_DEBUG, "provider:71: Connected to server: 127.0.0.1:" +
                                              std::to_string(server_.port()) + " => true"));

  // One login, straight to the described port, with the SQL credentials
  // (integrated authentication would drop them).
  auto logins = server_.logins();
  ASSERT_EQ(logins.size(), 1u);
  EXPECT_TRUE(logins[0].accepted);
  EXPECT_EQ(logins[0].user, "sa");
  EXPECT_EQ(logins[0].password, "secret");
  EXPECT_EQ(logins[0].database, "Sample");
  EXPECT_EQ(logins[0].app_name, "Tarvex");
  EXPECT_EQ(logins[0].host_name, "127.0.0.1");

  server_.on_batch("SELECT DB_NAME()").result({{"", "nvarchar(128)"}}).row({"Sample"});
  auto value = scalar("SELECT DB_NAME()");
  EXPECT_EQ(value_text(value.get()), "Sample");

  tarvex_providers_contracts_iprovider_close(as_provider(provider_.get()), error.out());
  EXPECT_EQ(error.get(), nullptr);
  EXPECT_FALSE(tarvex_providers_contracts_iprovider_get_is_opened(as_provider(provider_.get())));
  EXPECT_TRUE(take_log(G_LOG_LEVEL_DEBUG, "provider:77: Connection closed."));
}

TEST_F(ProviderTest, FailedLoginGivesOpenTdsFailed) {
  server_.add_login("sa", "secret");
  auto description = server_description(server_, "sa", "wrong");
  GUniqueError error;
  tarvex_providers_contracts_iprovider_open(as_provider(provider_.get()), description.get(), "",
                                            error.out());
  ASSERT_NE(error.get(), nullptr);
  EXPECT_GERROR(error, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1);
  EXPECT_TRUE(g_str_has_prefix(error->message, "open_tds failed.")) << error->message;
  EXPECT_FALSE(tarvex_providers_contracts_iprovider_get_is_opened(as_provider(provider_.get())));
  // The login's messages come before the process has a record: logged and
  // kept for the open's error, not queued.
  auto logs = take_handler_logs();
  EXPECT_TRUE(took_handler_log(logs, "msgno=18456"));
  EXPECT_TRUE(gee_collection_get_is_empty(GEE_COLLECTION(userdata()->queue)));
}

TEST_F(ProviderTest, ClosedPortFails) {
  auto description = server_description(server_);
  tds::Server other;
  other.start();
  tarvex_providers_contracts_server_set_port(description.get(), other.port());
  other.stop();
  GUniqueError error;
  tarvex_providers_contracts_iprovider_open(as_provider(provider_.get()), description.get(), "",
                                            error.out());
  ASSERT_NE(error.get(), nullptr);
  EXPECT_TRUE(g_str_has_prefix(error->message, "open_tds failed.")) << error->message;
  EXPECT_TRUE(server_.logins().empty());
  take_handler_logs();
}

// db-lib refuses a login name over 128 characters with a report that has
// no process: the handler must answer it without calling db-lib again.
TEST_F(ProviderTest, OverlongLoginNameIsAnsweredWithoutRecursion) {
  std::string name(200, 'n');
  auto description = server_description(server_, name.c_str(), "secret");
  GUniqueError error;
  tarvex_providers_contracts_iprovider_open(as_provider(provider_.get()), description.get(), "",
                                            error.out());
  auto logs = take_handler_logs();
  EXPECT_TRUE(took_handler_log(logs, "conn=(nil)"));
  if (error) {
    EXPECT_TRUE(g_str_has_prefix(error->message, "open_tds failed.")) << error->message;
  } else {
    EXPECT_TRUE(tarvex_providers_contracts_iprovider_get_is_opened(as_provider(provider_.get())));
  }
}

TEST_F(ProviderTest, OpenPreconditions) {
  auto description = server_description(server_);
  EXPECT_CRITICAL(
      tarvex_providers_contracts_iprovider_open(as_provider(provider_.get()), nullptr, "", nullptr),
      "server != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_iprovider_open(as_provider(provider_.get()),
                                                            description.get(), nullptr, nullptr),
                  "connection_string != NULL");
  EXPECT_TRUE(server_.logins().empty());
}

TEST_F(ProviderTest, NullStatementsAreReported) {
  open();
  GUniqueError error;
  auto* p = as_provider(provider_.get());
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_iprovider_execute_model(p, nullptr, 0, error.out()),
                nullptr),
      "statement != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_iprovider_execute_affect(p, nullptr, 0, error.out()), 0),
      "statement != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_iprovider_execute_scalar(p, nullptr, 0, error.out()),
                nullptr),
      "statement != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_iprovider_execute_reader(p, nullptr, error.out()),
                nullptr),
      "statement != NULL");
  gint length = -1;
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_iprovider_execute_statements(
                                p, nullptr, 0, &length, error.out()),
                            nullptr),
                  "statements != NULL");
  EXPECT_EQ(error.get(), nullptr);
  EXPECT_TRUE(server_.batch_texts().empty());
}

TEST_F(ProviderTest, OperationsWithoutLoginFail) {
  EXPECT_EQ(model("SELECT 1").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_EQ(error_->domain, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR);
  EXPECT_EQ(affect("UPDATE t SET a = 1"), -1);
  EXPECT_NE(error_.get(), nullptr);
  EXPECT_FALSE(
      tarvex_providers_contracts_iprovider_transaction(as_provider(provider_.get()), error_.out()));
  EXPECT_NE(error_.get(), nullptr);
}

// ------------------------------------------------------------ execute forms

TEST_F(ProviderTest, ModelOfAnUnnamedConstant) {
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  open();
  auto table = model("SELECT 1");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  ASSERT_EQ(columns_of(table.get()), 1);
  EXPECT_STREQ(tarvex_providers_contracts_column_model_get_name(column_at(table.get(), 0)),
               "Result");
  EXPECT_EQ(tarvex_providers_contracts_column_model_get_data_type(column_at(table.get(), 0)),
            TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32);
  EXPECT_EQ(tarvex_providers_contracts_column_model_get_data_size(column_at(table.get(), 0)), 4u);
  ASSERT_EQ(rows_of(table.get()), 1);
  auto value = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), 0, 0));
  EXPECT_TRUE(is_a<Value>(value.get(), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_INT32));
  EXPECT_EQ(value_text(value.get()), "1");
  EXPECT_EQ(server_.batch_texts().back(), "SELECT 1");
}

TEST_F(ProviderTest, ModelKeepsColumnsAndRowsInOrder) {
  server_.on_batch("SELECT id, name FROM dbo.T")
      .result({{"id", "int"}, {"name", "nvarchar(40)", true}})
      .rows({{"1", "one"}, {"2", std::nullopt}, {"3", "trois"}});
  open();
  auto table = model("SELECT id, name FROM dbo.T");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  ASSERT_EQ(columns_of(table.get()), 2);
  EXPECT_STREQ(tarvex_providers_contracts_column_model_get_name(column_at(table.get(), 1)), "name");
  ASSERT_EQ(rows_of(table.get()), 3);
  EXPECT_EQ(text_at(table.get(), 0, 2), "3");
  EXPECT_EQ(text_at(table.get(), 1, 0), "one");
  auto null_value =
      adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), 1, 1));
  EXPECT_TRUE(tarvex_providers_contracts_value_object_get_is_null(null_value.get()));
  // Rows come as loaded: INITIAL, with their value lists.
  auto row = adoptGRef(static_cast<TarvexProvidersContractsRowModel*>(
      gee_list_get(GEE_LIST(tarvex_providers_contracts_table_model_get_rows(table.get())), 0)));
  EXPECT_EQ(tarvex_providers_contracts_row_model_get_version(row.get()),
            TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL);
  EXPECT_EQ(gee_collection_get_size(
                GEE_COLLECTION(tarvex_providers_contracts_row_model_get_values(row.get()))),
            2);
}

TEST_F(ProviderTest, BatchWithoutResultSet) {
  server_.on_pattern("^UPDATE").row_count(3);
  open();
  EXPECT_EQ(model("UPDATE t SET a = 1").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_GERROR(error_, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1);
  EXPECT_STREQ(error_->message, "No data returned.");

  auto value = scalar("UPDATE t SET a = 2");
  ASSERT_NE(value.get(), nullptr) << error_->message;
  EXPECT_TRUE(is_a<Value>(value.get(), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_INT32));
  EXPECT_EQ(value_text(value.get()), "3");

  EXPECT_EQ(affect("UPDATE t SET a = 3"), 3);
  EXPECT_EQ(error_.get(), nullptr);

  auto reader = adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(
      as_provider(provider_.get()), "UPDATE t SET a = 4", error_.out()));
  EXPECT_EQ(reader.get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_STREQ(error_->message, "No data return");
}

TEST_F(ProviderTest, ScalarIsFirstCellOrNull) {
  server_.on_batch("SELECT a FROM empty").result({{"a", "int"}});
  server_.on_batch("SELECT a, b FROM t")
      .result({{"a", "int"}, {"b", "varchar(5)"}})
      .rows({{"7", "x"}, {"8", "y"}});
  server_.on_batch("SELECT x").done();
  open();
  auto none = scalar("SELECT a FROM empty");
  ASSERT_NE(none.get(), nullptr) << error_->message;
  EXPECT_TRUE(is_a<Value>(none.get(), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_NULL));
  auto first = scalar("SELECT a, b FROM t");
  ASSERT_NE(first.get(), nullptr) << error_->message;
  EXPECT_EQ(value_text(first.get()), "7");
  // A statement without a count (SET NOCOUNT ON, DDL) counts 0 rows.
  auto count = scalar("SELECT x");
  ASSERT_NE(count.get(), nullptr) << error_->message;
  EXPECT_EQ(value_text(count.get()), "0");
  EXPECT_EQ(affect("SELECT x"), 0);
  // The next command runs clean after the rows left unread.
  EXPECT_EQ(value_text(scalar("SELECT a, b FROM t").get()), "7");
}

TEST_F(ProviderTest, StatementsGiveOneResultEach) {
  server_.on_batch("SELECT a FROM t; UPDATE t SET a = 1; SELECT b FROM u; CREATE TABLE x (a int)")
      .result({{"a", "int"}})
      .row({"1"})
      .end_result()
      .row_count(5)
      .result({{"b", "varchar(3)"}})
      .rows({{"x"}, {"y"}})
      .end_result()
      .done();
  open();
  auto results =
      statements("SELECT a FROM t; UPDATE t SET a = 1; SELECT b FROM u; CREATE TABLE x (a int)");
  ASSERT_EQ(error_.get(), nullptr) << error_->message;
  ASSERT_EQ(results.size(), 4u);
  ASSERT_TRUE(is_a<Table>(results[0].get(), TARVEX_PROVIDERS_CONTRACTS_TYPE_TABLE_MODEL));
  EXPECT_EQ(rows_of(reinterpret_cast<Table*>(results[0].get())), 1);
  ASSERT_TRUE(is_a<Value>(results[1].get(), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UINT64));
  EXPECT_EQ(value_text(as_value(results[1].get())), "5");
  ASSERT_TRUE(is_a<Table>(results[2].get(), TARVEX_PROVIDERS_CONTRACTS_TYPE_TABLE_MODEL));
  EXPECT_EQ(text_at(reinterpret_cast<Table*>(results[2].get()), 0, 1), "y");
  // Without a row count: 0, not db-lib's -1 read as unsigned.
  ASSERT_TRUE(is_a<Value>(results[3].get(), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UINT64));
  EXPECT_EQ(value_text(as_value(results[3].get())), "0");
}

// ------------------------------------------------------------ messages and errors

TEST_F(ProviderTest, ServerErrorBecomesTdsdbError) {
  server_.on_batch("SELECT * FROM missing").error(208, 16, "Invalid object name 'missing'.");
  server_.on_batch("SELECT 2").result({{"", "int"}}).row({"2"});
  open();
  EXPECT_EQ(model("SELECT * FROM missing").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_GERROR(error_, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 208);
  EXPECT_TRUE(g_str_has_prefix(error_->message, "Invalid object name 'missing'.\n"))
      << error_->message;
  auto logs = take_handler_logs();
  EXPECT_TRUE(took_handler_log(logs,
                               "provider:359: server=TARVEXTEST,severity=16,msgno=208,"
                               "msgtext=Invalid object name 'missing'.,proc=,line=1"));
  EXPECT_TRUE(took_handler_log(logs, "sql=SELECT * FROM missing"));

  // The next command starts with an empty queue.
  auto table = model("SELECT 2");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  EXPECT_EQ(text_at(table.get(), 0, 0), "2");
}

TEST_F(ProviderTest, InformationalMessagesAreOnlyLogged) {
  server_.on_batch("PRINT 'hello'; SELECT 1")
      .info(0, "hello", 0)
      .result({{"", "int"}})
      .row({"1"})
      .info(50010, "between", 10);
  server_.on_batch("USE Other").use_database("Other").done();
  open();
  auto table = model("PRINT 'hello'; SELECT 1");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  EXPECT_TRUE(gee_collection_get_is_empty(GEE_COLLECTION(userdata()->queue)));
  auto logs = take_handler_logs();
  EXPECT_TRUE(took_handler_log(logs, "msgtext=hello"));
  EXPECT_TRUE(took_handler_log(logs, "msgno=50010"));

  EXPECT_EQ(affect("USE Other"), 0);
  EXPECT_EQ(error_.get(), nullptr);
  EXPECT_TRUE(took_handler_log(take_handler_logs(), "msgno=5701"));
  EXPECT_FALSE(userdata()->failed);
}

TEST_F(ProviderTest, TwoErrorsJoinOldestFirst) {
  server_.on_batch("EXEC p").error(50001, 16, "first problem").error(50002, 11, "second problem");
  open();
  EXPECT_EQ(affect("EXEC p"), -1);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_GERROR(error_, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 50001);
  // db-lib adds its own "check messages" error after each server error.
  std::string text = error_->message;
  EXPECT_EQ(text.rfind("first problem\n", 0), 0u) << text;
  EXPECT_NE(text.find("\nsecond problem\n"), std::string::npos) << text;
  EXPECT_LT(text.find("first problem"), text.find("second problem"));
}

// A failed statement after the first one used to be drained and dropped by
// the next command, so a failing script reported success.
TEST_F(ProviderTest, ErrorInALaterStatementFailsTheCommand) {
  server_.on_batch("ALTER TABLE a ADD b int; ALTER TABLE c ADD d int")
      .done()
      .error(4902, 16, "Cannot find the object \"c\".")
      .done();
  server_.on_batch("SELECT a FROM t; DROP TABLE nope")
      .result({{"a", "int"}})
      .row({"1"})
      .end_result()
      .error(3701, 11, "Cannot drop the table 'nope'.");
  server_.on_batch("SELECT 3").result({{"", "int"}}).row({"3"});
  open();

  EXPECT_EQ(affect("ALTER TABLE a ADD b int; ALTER TABLE c ADD d int"), -1);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_GERROR(error_, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 4902);

  EXPECT_EQ(model("SELECT a FROM t; DROP TABLE nope").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_EQ(error_->code, 3701);
  EXPECT_EQ(scalar("SELECT a FROM t; DROP TABLE nope").get(), nullptr);
  EXPECT_NE(error_.get(), nullptr);
  EXPECT_TRUE(statements("SELECT a FROM t; DROP TABLE nope").empty());
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_EQ(error_->code, 3701);

  // Nothing of it reaches the next command.
  EXPECT_EQ(value_text(scalar("SELECT 3").get()), "3");
  EXPECT_EQ(error_.get(), nullptr);
}

// A runtime error inside a SELECT ends its rows like their end.
TEST_F(ProviderTest, ErrorInsideASelectFailsTheRead) {
  server_.on_batch("SELECT 1 / x FROM t")
      .result({{"", "int"}})
      .rows({{"1"}, {"2"}})
      .error(8134, 16, "Divide by zero error encountered.");
  server_.on_batch("SELECT CAST(s AS int) FROM t")
      .result({{"", "int"}})
      .error(245, 16, "Conversion failed when converting the varchar value 'x' to data type int.");
  open();
  EXPECT_EQ(model("SELECT 1 / x FROM t").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_GERROR(error_, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 8134);
  EXPECT_EQ(scalar("SELECT 1 / x FROM t").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_EQ(error_->code, 8134);
  EXPECT_EQ(scalar("SELECT CAST(s AS int) FROM t").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_EQ(error_->code, 245);

  auto reader = adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(
      as_provider(provider_.get()), "SELECT 1 / x FROM t", error_.out()));
  ASSERT_NE(reader.get(), nullptr);
  GUniqueError error;
  EXPECT_TRUE(tarvex_providers_contracts_idata_reader_read(reader.get(), error.out()));
  EXPECT_TRUE(tarvex_providers_contracts_idata_reader_read(reader.get(), error.out()));
  EXPECT_FALSE(tarvex_providers_contracts_idata_reader_read(reader.get(), error.out()));
  ASSERT_NE(error.get(), nullptr);
  EXPECT_EQ(error->code, 8134);
}

// One server error and then a dropped connection: db-lib reports the dead
// process to the handler from inside the handler's own cancel.
TEST_F(ProviderTest, DroppedConnectionAfterServerError) {
  server_.on_batch("SELECT a FROM t")
      .result({{"a", "int"}})
      .row({"1"})
      .error(1205, 13, "Transaction was deadlocked.")
      .drop();
  server_.on_batch("SELECT 4").result({{"", "int"}}).row({"4"});
  open();
  EXPECT_EQ(model("SELECT a FROM t").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_GERROR(error_, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 1205);
  EXPECT_FALSE(tarvex_providers_contracts_iprovider_get_is_opened(as_provider(provider_.get())));

  // Further commands fail clearly on the dead process, not with the
  // deadlock again.
  EXPECT_EQ(model("SELECT 4").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_GERROR(error_, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1);
  EXPECT_STREQ(error_->message, "Not connected.");
  take_handler_logs();

  // A new login works, with a clean record.
  open();
  EXPECT_FALSE(userdata()->failed || userdata()->dead || userdata()->cancelled ||
               userdata()->timed_out);
  EXPECT_TRUE(gee_collection_get_is_empty(GEE_COLLECTION(userdata()->queue)));
  auto table = model("SELECT 4");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  EXPECT_EQ(text_at(table.get(), 0, 0), "4");
}

TEST_F(ProviderTest, DroppedConnectionMidResult) {
  server_.on_batch("SELECT a FROM t").result({{"a", "int"}}).rows({{"1"}, {"2"}}).drop();
  open();
  EXPECT_EQ(model("SELECT a FROM t").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_EQ(error_->domain, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR);
  EXPECT_FALSE(tarvex_providers_contracts_iprovider_get_is_opened(as_provider(provider_.get())));
}

// db-lib raises a timeout only where one is set; the provider sets none.
class TimeoutTest : public ProviderTest {
 protected:
  void TearDown() override {
    dbsettime(0);
    ProviderTest::TearDown();
  }
};

TEST_F(TimeoutTest, EachCommandsFirstTimeoutCancelsOnlyThatCommand) {
  server_.on_batch("WAITFOR DELAY '00:00:05'").delay(5000ms).done();
  server_.on_batch("SELECT 5").result({{"", "int"}}).row({"5"});
  open();
  dbsettime(1);
  for (int round = 0; round < 2; round++) {
    SCOPED_TRACE(round);
    EXPECT_EQ(affect("WAITFOR DELAY '00:00:05'"), -1);
    ASSERT_NE(error_.get(), nullptr);
    EXPECT_GERROR(error_, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 20003);
    EXPECT_TRUE(took_handler_log(take_handler_logs(), "dberr=20003"));
    // The first timeout answers INT_TIMEOUT: the connection stays.
    EXPECT_TRUE(tarvex_providers_contracts_iprovider_get_is_opened(as_provider(provider_.get())));
    EXPECT_TRUE(userdata()->timed_out);
    auto table = model("SELECT 5");
    ASSERT_NE(table.get(), nullptr) << error_->message;
    EXPECT_EQ(text_at(table.get(), 0, 0), "5");
  }
  EXPECT_GE(server_.attention_count(), 2u);
}

// The error handler's answers, on a process of the test's own whose user
// data is a provider's record.
TEST_F(ProviderTest, ErrorHandlerAnswersByErrorNumber) {
  LOGINREC* login = dblogin();
  dbsetlname(login, "sa", DBSETUSER);
  dbsetlname(login, "secret", DBSETPWD);
  DBPROCESS* process = tdsdbopen(login, server_.address().c_str(), TRUE);
  dbloginfree(login);
  ASSERT_NE(process, nullptr);
  take_handler_logs();
  UserData* record = userdata();
  dbsetuserdata(process, reinterpret_cast<BYTE*>(record));

  auto last_message = [&]() {
    auto* msg = static_cast<TarvexProvidersSupportsTdsMessage*>(
        gee_deque_peek_tail(GEE_DEQUE(record->queue)));
    std::string text = std::string(tarvex_providers_supports_tds_message_get_source(msg)) + ":" +
                       std::to_string(tarvex_providers_supports_tds_message_get_error(msg));
    tarvex_providers_supports_tds_message_unref(msg);
    return text;
  };
  auto size = [&]() { return gee_collection_get_size(GEE_COLLECTION(record->queue)); };

  EXPECT_EQ(tarvex_providers_supports_sql_server_provider_tds_error_handler(process, 6, 20003, 0,
                                                                            "timeout", nullptr),
            kIntTimeout);
  EXPECT_TRUE(record->timed_out && record->failed);
  EXPECT_EQ(last_message(), "SQL:20003");
  EXPECT_EQ(tarvex_providers_supports_sql_server_provider_tds_error_handler(process, 6, 20003, 0,
                                                                            "timeout", nullptr),
            kIntCancel);
  EXPECT_EQ(size(), 2);
  EXPECT_EQ(last_message(), "SQL:20003");

  // An operating-system error: queued as "Library" with its own number.
  EXPECT_EQ(tarvex_providers_supports_sql_server_provider_tds_error_handler(
                process, 9, 0, 104, nullptr, "Connection reset by peer"),
            kIntCancel);
  EXPECT_EQ(last_message(), "Library:104");

  // A failed write after the process was found dead is not queued.
  record->dead = TRUE;
  EXPECT_EQ(tarvex_providers_supports_sql_server_provider_tds_error_handler(
                process, 9, 20006, 0, "Write failed", nullptr),
            kIntCancel);
  EXPECT_EQ(size(), 3);
  EXPECT_EQ(take_handler_logs().size(), 4u);

  dbclose(process);
}

// ------------------------------------------------------------ transactions

TEST_F(ProviderTest, TransactionsSendTheirStatements) {
  server_.on_batch("BEGIN TRANSACTION").done();
  server_.on_batch("COMMIT TRANSACTION").done();
  server_.on_batch("ROLLBACK TRANSACTION")
      .error(3903, 16, "The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION.");
  open();
  auto* p = as_provider(provider_.get());
  EXPECT_TRUE(tarvex_providers_contracts_iprovider_transaction(p, error_.out()));
  EXPECT_EQ(error_.get(), nullptr);
  tarvex_providers_contracts_iprovider_commit(p, error_.out());
  EXPECT_EQ(error_.get(), nullptr);
  tarvex_providers_contracts_iprovider_rollback(p, error_.out());
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_GERROR(error_, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 3903);
  auto texts = server_.batch_texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], "BEGIN TRANSACTION");
  EXPECT_EQ(texts[1], "COMMIT TRANSACTION");
  EXPECT_EQ(texts[2], "ROLLBACK TRANSACTION");
}

// ------------------------------------------------------------ reader

TEST_F(ProviderTest, ReaderOverAResult) {
  open();
  server_.on_batch("SELECT id, name, amount FROM t")
      .result({{"id", "int"}, {"name", "varchar(10)", true}, {"amount", "money"}})
      .rows({{"1", "a", "12.3456"}, {"2", std::nullopt, "-1"}, {"3", "", "0"}});
  auto reader = adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(
      as_provider(provider_.get()), "SELECT id, name, amount FROM t", error_.out()));
  ASSERT_NE(reader.get(), nullptr) << error_->message;
  auto* r = reader.get();
  EXPECT_TRUE(TARVEX_PROVIDERS_SUPPORTS_IS_SQL_SERVER_READER(r));
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_field_count(r), 3);
  gint field_count = 0;
  gboolean closed = TRUE;
  g_object_get(r, "field-count", &field_count, "is-closed", &closed, nullptr);
  EXPECT_EQ(field_count, 3);
  EXPECT_FALSE(closed);

  GUniqueError error;
  GUniqueStr name(tarvex_providers_contracts_idata_reader_get_name(r, 1, error.out()));
  EXPECT_STREQ(name.get(), "name");
  GUniqueStr dbms(tarvex_providers_contracts_idata_reader_get_dbms_type(r, 2, error.out()));
  EXPECT_STREQ(dbms.get(), "money");
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_data_type(r, 0, error.out()),
            TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32);
  EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_size(r, 0, error.out()), 4);
  EXPECT_FALSE(tarvex_providers_contracts_idata_reader_bulk(r, error.out()));

  std::vector<std::string> seen;
  while (tarvex_providers_contracts_idata_reader_read(r, error.out())) {
    gint n = 0;
    Value** values = tarvex_providers_contracts_idata_reader_get_values(r, &n, error.out());
    ASSERT_EQ(n, 3);
    std::string line;
    for (gint i = 0; i < n; i++) {
      line += (i ? "|" : "") + value_text(values[i]);
      g_object_unref(values[i]);
    }
    g_free(values);
    seen.push_back(line);
    EXPECT_EQ(tarvex_providers_contracts_idata_reader_get_int32(r, 0, error.out()),
              gint32(seen.size()));
  }
  EXPECT_EQ(error.get(), nullptr);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], "1|a|12.3456");
  // Money as db-lib writes it: four decimals.
  EXPECT_EQ(seen[1], "2||-1.0000");
  EXPECT_EQ(seen[2], "3||0.0000");
  tarvex_providers_contracts_idata_reader_close(r, error.out());
}

TEST_F(ProviderTest, ReaderLeftUnreadIsDiscardedByTheNextCommand) {
  open();
  server_.on_batch("SELECT a FROM t")
      .result({{"a", "int"}})
      .rows({{"1"}, {"2"}, {"3"}})
      .end_result()
      .row_count(2);
  server_.on_batch("SELECT 9").result({{"", "int"}}).row({"9"});
  auto reader = adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(
      as_provider(provider_.get()), "SELECT a FROM t", error_.out()));
  ASSERT_NE(reader.get(), nullptr);
  EXPECT_TRUE(tarvex_providers_contracts_idata_reader_read(reader.get(), error_.out()));
  reader = nullptr;
  auto table = model("SELECT 9");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  EXPECT_EQ(text_at(table.get(), 0, 0), "9");
}

}  // namespace
}  // namespace tarvex::test::sqlserver
