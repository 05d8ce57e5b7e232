// The asynchronous connection operations on a running main loop, over real
// TDS to the scripted test server: each form completes on the caller's main
// context with its result or with an error of the "default" domain, the
// loop keeps turning while the server works, and calls on one connection
// run one provider call at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "brevane/database/sqlserver/sql_server_connection.h"
#include "providers/contracts/table_model.h"
#include "tests/brevane/database/connection-loop.h"
#include "tests/brevane/database/database-test.h"
#include "tests/brevane/database/fakes.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/tds-server.h"
#include "tests/support/texts.h"

using dbtest::Completion;
using dbtest::take;
using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueError;
namespace tds = tarvex::test::tds;

namespace {

const bool private_conf = (tds::use_private_freetds_conf(), true);

using IConnection = TarvexBrevaneContractsDatabaseIConnection;
using Status = TarvexBrevaneContractsDatabaseDBStatus;
using dbtest::kVersionQuery;
constexpr const char* kUuid = "tds-async-1";

using tarvex::test::value_text;

std::vector<std::string> texts(const std::vector<dbtest::LogLine>& lines) {
  std::vector<std::string> out;
  for (const auto& line : lines) out.push_back(line.text);
  return out;
}

class ConnectionAsyncTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    dbtest::install_log_recorder();
    dbtest::clear_log_lines();
    server_.start();
    server_.on_batch(kVersionQuery)
        .result({{"version", "sql_variant", true}})
        .row({"nvarchar(128):16.0.1000.6"});
    connection_ = adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
    description_ = dbtest::test_server(kUuid, "127.0.0.1", server_.port());
    tarvex_providers_contracts_server_set_initial(description_.get(), "master");
    g_signal_connect(connection_.get(), "opened",
                     G_CALLBACK(+[](IConnection*, IConnection*, gpointer data) {
                       auto* self = static_cast<ConnectionAsyncTest*>(data);
                       ++self->opened_;
                       self->opened_thread_ = g_thread_self();
                     }),
                     this);
  }

  void TearDown() override {
    connection_ = nullptr;
    server_.stop();
    for (const auto& record : tarvex::test::captured_logs())
      if (record.level == G_LOG_LEVEL_WARNING && record.message.rfind("provider:", 0) == 0)
        tarvex::test::take_log(G_LOG_LEVEL_WARNING, record.message);
    // db-lib reports a refused login before the provider has its record.
    while (tarvex::test::take_log(G_LOG_LEVEL_CRITICAL, "userdata != NULL")) {
    }
    tarvex::test::drop_quiet_logs();
    dbtest::clear_log_lines();
    LogCaptureTest::TearDown();
  }

  IConnection* ic() { return TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(connection_.get()); }
  Status status() { return tarvex_brevane_contracts_database_iconnection_get_status(ic()); }

  // Opens asynchronously; the error, if any.
  GUniqueError open_async() {
    Completion done;
    tarvex_brevane_contracts_database_iconnection_open_async(ic(), description_.get(), nullptr,
                                                             Completion::callback, &done);
    EXPECT_TRUE(dbtest::run_until_done(done));
    GUniqueError error;
    if (done.result)
      tarvex_brevane_contracts_database_iconnection_open_finish(ic(), done.result.get(),
                                                                error.out());
    return error;
  }

  GRef<TarvexProvidersContractsTableModel> model_async(const char* sql, GUniqueError& error) {
    Completion done;
    tarvex_brevane_contracts_database_iconnection_execute_as_model_async(
        ic(), sql, Completion::callback, &done);
    EXPECT_TRUE(dbtest::run_until_done(done));
    if (!done.result) return nullptr;
    return adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_model_finish(
        ic(), done.result.get(), error.out()));
  }

  tds::Server server_;
  GRef<TarvexBrevaneSupportsDatabaseSQLServerConnection> connection_;
  GRef<TarvexProvidersContractsServer> description_;
  int opened_ = 0;
  GThread* opened_thread_ = nullptr;
};

TEST_F(ConnectionAsyncTest, OpenCompletesOnTheCallersContext) {
  Completion done;
  tarvex_brevane_contracts_database_iconnection_open_async(ic(), description_.get(), nullptr,
                                                           Completion::callback, &done);
  // Nothing completes before the loop turns.
  EXPECT_FALSE(done.done());
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_get_server(ic()), description_.get());
  ASSERT_TRUE(dbtest::run_until_done(done));
  EXPECT_EQ(done.calls, 1);
  EXPECT_EQ(done.thread, g_thread_self());
  EXPECT_EQ(done.source, G_OBJECT(connection_.get()));
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_open_finish(ic(), done.result.get(), error.out());
  ASSERT_FALSE(error) << error->message;
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened);
  EXPECT_STREQ(tarvex_brevane_contracts_database_iconnection_get_version(ic()), "16.0.1000.6");
  // "opened" on the main loop, once.
  EXPECT_EQ(opened_, 1);
  EXPECT_EQ(opened_thread_, g_thread_self());

  // Reopen opens the stored server again.
  Completion again;
  tarvex_brevane_contracts_database_iconnection_reopen_async(ic(), Completion::callback, &again);
  ASSERT_TRUE(dbtest::run_until_done(again));
  tarvex_brevane_contracts_database_iconnection_reopen_finish(ic(), again.result.get(),
                                                              error.out());
  ASSERT_FALSE(error) << error->message;
  EXPECT_EQ(opened_, 2);
  EXPECT_EQ(server_.logins().size(), 2u);
}

TEST_F(ConnectionAsyncTest, EachExecuteFormCompletesWithItsResult) {
  ASSERT_FALSE(open_async());
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

  GUniqueError error;
  Completion affect;
  tarvex_brevane_contracts_database_iconnection_execute_no_query_async(
      ic(), "UPDATE dbo.T SET a = 1", Completion::callback, &affect);
  ASSERT_TRUE(dbtest::run_until_done(affect));
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_no_query_finish(
                ic(), affect.result.get(), error.out()),
            3);
  ASSERT_FALSE(error);

  auto model = model_async("SELECT id, name FROM dbo.T", error);
  ASSERT_TRUE(model) << error->message;
  EXPECT_EQ(g_list_model_get_n_items(G_LIST_MODEL(model.get())), 2u);
  auto cell = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(model.get(), 1, 0));
  EXPECT_EQ(value_text(cell.get()), "Zürich");

  Completion scalar;
  tarvex_brevane_contracts_database_iconnection_execute_as_scalar_async(
      ic(), "SELECT COUNT(*) FROM dbo.T", Completion::callback, &scalar);
  ASSERT_TRUE(dbtest::run_until_done(scalar));
  auto value = adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_scalar_finish(
      ic(), scalar.result.get(), error.out()));
  EXPECT_EQ(value_text(value.get()), "2");

  Completion batch;
  tarvex_brevane_contracts_database_iconnection_execute_async(
      ic(), "SELECT id FROM dbo.T; DELETE FROM dbo.T WHERE id = 2", Completion::callback, &batch);
  ASSERT_TRUE(dbtest::run_until_done(batch));
  gint count = -1;
  GObject** results = tarvex_brevane_contracts_database_iconnection_execute_finish(
      ic(), batch.result.get(), &count, error.out());
  ASSERT_TRUE(results) << error->message;
  ASSERT_EQ(count, 2);
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_TABLE_MODEL(results[0]));
  EXPECT_EQ(results[2], nullptr);
  for (gint i = 0; i < count; ++i) g_object_unref(results[i]);
  g_free(results);

  EXPECT_EQ(texts(dbtest::take_log_lines(kUuid)),
            (std::vector<std::string>{
                "SQL: UPDATE dbo.T SET a = 1",
                "affected rows: 3",
                "SQL: SELECT id, name FROM dbo.T",
                "affected rows: 2",
                "SQL: SELECT COUNT(*) FROM dbo.T",
                "affected rows: 1",
                "SQL: SELECT id FROM dbo.T; DELETE FROM dbo.T WHERE id = 2",
                "affected rows: 1",
                "affected rows: true",
            }));
}

TEST_F(ConnectionAsyncTest, AFailedLoginCompletesWithAnError) {
  server_.set_login_failure(true);
  // The synchronous open says what the provider reports.
  GUniqueError sync_error;
  tarvex_brevane_contracts_database_iconnection_open(ic(), description_.get(), nullptr,
                                                     sync_error.out());
  ASSERT_TRUE(sync_error);
  tarvex_brevane_contracts_database_iconnection_set_status(
      ic(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown);
  dbtest::clear_log_lines();

  GUniqueError error = open_async();
  ASSERT_TRUE(error);
  EXPECT_GERROR(error, "default", sync_error->code);
  EXPECT_STREQ(error->message, sync_error->message);
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed);
  EXPECT_EQ(opened_, 0);
  auto lines = dbtest::take_log_lines(kUuid);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, std::string("SQL: Failed to open connection: ") + sync_error->message);
  EXPECT_EQ(lines[1].text, "Failed to open connection: " + std::to_string(sync_error->code) +
                               " -> " + sync_error->message);
  EXPECT_EQ(lines[1].level, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY);
}

TEST_F(ConnectionAsyncTest, AFailedVersionReadIsAFailedOpen) {
  server_.on_batch(kVersionQuery).error(208, 16, "Invalid object name 'SERVERPROPERTY'.");
  GUniqueError error = open_async();
  ASSERT_TRUE(error);
  EXPECT_GERROR(error, "default", 208);
  // Failed, and no "opened".
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed);
  EXPECT_EQ(opened_, 0);
}

TEST_F(ConnectionAsyncTest, AServerErrorCompletesWithItsCodeAndText) {
  ASSERT_FALSE(open_async());
  server_.on_batch("SELECT * FROM dbo.Missing")
      .error(208, 16, "Invalid object name 'dbo.Missing'.");
  GUniqueError sync_error;
  auto sync_model = adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_model(
      ic(), "SELECT * FROM dbo.Missing", 0, sync_error.out()));
  ASSERT_TRUE(sync_error);

  GUniqueError error;
  auto model = model_async("SELECT * FROM dbo.Missing", error);
  EXPECT_FALSE(model);
  ASSERT_TRUE(error);
  EXPECT_GERROR(error, "default", sync_error->code);
  EXPECT_STREQ(error->message, sync_error->message);

  // The count form yields 0 on failure, not -1.
  Completion affect;
  tarvex_brevane_contracts_database_iconnection_execute_no_query_async(
      ic(), "SELECT * FROM dbo.Missing", Completion::callback, &affect);
  ASSERT_TRUE(dbtest::run_until_done(affect));
  error.reset();
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_no_query_finish(
                ic(), affect.result.get(), error.out()),
            0);
  EXPECT_TRUE(error);

  // The batch form writes no length on failure.
  Completion batch;
  tarvex_brevane_contracts_database_iconnection_execute_async(ic(), "SELECT * FROM dbo.Missing",
                                                              Completion::callback, &batch);
  ASSERT_TRUE(dbtest::run_until_done(batch));
  gint count = 77;
  error.reset();
  EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_finish(ic(), batch.result.get(),
                                                                         &count, error.out()),
            nullptr);
  EXPECT_TRUE(error);
  EXPECT_EQ(count, 77);
  auto failed = texts(dbtest::take_log_lines(kUuid));
  EXPECT_NE(std::find(failed.begin(), failed.end(),
                      "failed: " + std::to_string(sync_error->code) + " -> " + sync_error->message),
            failed.end());
}

TEST_F(ConnectionAsyncTest, ADroppedConnectionFailsThisAndEveryLaterCall) {
  ASSERT_FALSE(open_async());
  server_.on_batch("SELECT 1").result({{"a", "int"}}).row({"1"}).drop();
  server_.on_batch("SELECT 2").result({{"a", "int"}}).row({"2"});
  for (const char* sql : {"SELECT 1", "SELECT 2", "SELECT 2"}) {
    GUniqueError error;
    auto model = model_async(sql, error);
    EXPECT_FALSE(model) << sql;
    ASSERT_TRUE(error) << sql;
    EXPECT_STREQ(g_quark_to_string(error->domain), "default");
    EXPECT_STRNE(error->message, "");
  }
}

TEST_F(ConnectionAsyncTest, ANullTextCompletesWithAnError) {
  Completion done;
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iconnection_execute_as_model_async(
                      ic(), nullptr, Completion::callback, &done),
                  "sql != NULL");
  ASSERT_TRUE(dbtest::run_until_done(done));
  GUniqueError error;
  EXPECT_FALSE(tarvex_brevane_contracts_database_iconnection_execute_as_model_finish(
      ic(), done.result.get(), error.out()));
  ASSERT_TRUE(error);
  EXPECT_STREQ(g_quark_to_string(error->domain), "default");

  Completion batch;
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iconnection_execute_async(
                      ic(), nullptr, Completion::callback, &batch),
                  "statements != NULL");
  Completion open;
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iconnection_open_async(
                      ic(), nullptr, nullptr, Completion::callback, &open),
                  "server != NULL");
  ASSERT_TRUE(dbtest::run_until([&] { return batch.done() && open.done(); }));
  tarvex_brevane_contracts_database_iconnection_open_finish(ic(), open.result.get(), error.out());
  EXPECT_TRUE(error);
  EXPECT_EQ(opened_, 0);
  EXPECT_TRUE(server_.batch_texts().empty());
}

TEST_F(ConnectionAsyncTest, TheLoopKeepsTurningWhileTheServerWorks) {
  ASSERT_FALSE(open_async());
  server_.on_batch("WAITFOR DELAY '00:00:00.6'").delay(std::chrono::milliseconds(600)).done();
  int ticks = 0;
  guint timeout = g_timeout_add(
      10,
      [](gpointer data) -> gboolean {
        ++*static_cast<int*>(data);
        return G_SOURCE_CONTINUE;
      },
      &ticks);
  Completion done;
  gint64 before = g_get_monotonic_time();
  tarvex_brevane_contracts_database_iconnection_execute_no_query_async(
      ic(), "WAITFOR DELAY '00:00:00.6'", Completion::callback, &done);
  gint64 call_us = g_get_monotonic_time() - before;
  // Measured, asserted only loosely: the call returns long before the server answers.
  RecordProperty("async_call_us", std::to_string(call_us));
  EXPECT_LT(call_us, 300 * 1000);
  ASSERT_TRUE(dbtest::run_until_done(done));
  g_source_remove(timeout);
  EXPECT_GT(ticks, 5) << "the loop stalled while the query ran";
  GUniqueError error;
  tarvex_brevane_contracts_database_iconnection_execute_no_query_finish(ic(), done.result.get(),
                                                                        error.out());
  EXPECT_FALSE(error);
}

TEST_F(ConnectionAsyncTest, CallsOnOneConnectionTakeTurns) {
  ASSERT_FALSE(open_async());
  for (int i = 0; i < 4; ++i)
    server_.on_batch("SELECT " + std::to_string(i))
        .delay(std::chrono::milliseconds(50))
        .result({{"a", "int"}})
        .row({std::to_string(i)});
  std::vector<Completion> done(4);
  for (int i = 0; i < 4; ++i)
    tarvex_brevane_contracts_database_iconnection_execute_as_model_async(
        ic(), ("SELECT " + std::to_string(i)).c_str(), Completion::callback, &done[size_t(i)]);
  ASSERT_TRUE(dbtest::run_until([&] {
    for (const auto& d : done)
      if (!d.done()) return false;
    return true;
  }));
  // One db-lib process carried all four: had two overlapped, db-lib would
  // have refused one with "results pending".
  for (int i = 0; i < 4; ++i) {
    GUniqueError error;
    auto model = adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_model_finish(
        ic(), done[size_t(i)].result.get(), error.out()));
    ASSERT_TRUE(model) << error->message;
    auto cell = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(model.get(), 0, 0));
    EXPECT_EQ(value_text(cell.get()), std::to_string(i));
  }
}

// The same calls over a recording provider: never two provider calls at
// once, and a provider error whose code is 0 is still a failure.
class ConnectionAsyncFakeTest : public ConnectionAsyncTest {
 protected:
  void SetUp() override {
    ConnectionAsyncTest::SetUp();
    provider_ = adoptGRef(dbtest::fake_provider_new());
    tarvex_brevane_supports_database_connection_impl_set_provider(
        TARVEX_BREVANE_SUPPORTS_DATABASE_CONNECTION_IMPL(connection_.get()), provider_.get());
  }
  dbtest::FakeProviderState& state() { return dbtest::fake_state(provider_.get()); }
  GRef<TarvexProvidersContractsIProvider> provider_;
};

TEST_F(ConnectionAsyncFakeTest, ConcurrentCallsAreSerialisedByTheLock) {
  ASSERT_FALSE(open_async());
  state().take_calls();
  state().during_execute = [](const std::string&) { g_usleep(5000); };
  std::vector<Completion> done(8);
  for (size_t i = 0; i < done.size(); ++i)
    tarvex_brevane_contracts_database_iconnection_execute_no_query_async(
        ic(), "UPDATE t SET a = 1", Completion::callback, &done[i]);
  ASSERT_TRUE(dbtest::run_until([&] {
    for (const auto& d : done)
      if (!d.done()) return false;
    return true;
  }));
  EXPECT_EQ(state().most_inside.load(), 1);
  // The workers tell the provider they are asynchronous.
  auto calls = state().take_calls();
  ASSERT_EQ(calls.size(), 8u);
  for (const auto& call : calls) EXPECT_EQ(call, "affect:UPDATE t SET a = 1:1");
  for (auto& d : done) {
    GUniqueError error;
    EXPECT_EQ(tarvex_brevane_contracts_database_iconnection_execute_no_query_finish(
                  ic(), d.result.get(), error.out()),
              3);
  }
}

TEST_F(ConnectionAsyncFakeTest, AnErrorWithCodeZeroIsStillAFailure) {
  ASSERT_FALSE(open_async());
  state().fail_execute = true;
  state().fail_code = 0;
  state().fail_message = "";
  GUniqueError error;
  auto model = model_async("SELECT a FROM t", error);
  EXPECT_FALSE(model);
  ASSERT_TRUE(error);
  EXPECT_GERROR(error, "default", 0);
  EXPECT_STRNE(error->message, "");
}

TEST_F(ConnectionAsyncFakeTest, AFailedOpenEmitsNoOpened) {
  state().fail_open = true;
  GUniqueError error = open_async();
  ASSERT_TRUE(error);
  EXPECT_EQ(status(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed);
  EXPECT_EQ(opened_, 0);
}

}  // namespace
