// The scripted TDS test server driven by raw db-lib: login, batches,
// replies, messages, failures and the script format.
#include <glib.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <thread>

#include "tests/support-tests/tds-client.h"

using namespace tarvex::test;
using namespace tarvex::test::tdsclient;
using namespace std::chrono_literals;

namespace {

class TdsServer : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    init_dblib();
    clear_events();
    set_timeout_answer(INT_CANCEL);
  }
  void start() { server_.start(); }
  tds::Server server_;
};

std::vector<std::string> messages() {
  std::vector<std::string> out;
  for (const auto& e : events())
    if (e.kind == "msg" && e.number != 5701 && e.number != 5703) out.push_back(e.text);
  return out;
}

const Event* find_event(const std::string& kind, int number) {
  static thread_local Event found;
  for (const auto& e : events())
    if (e.kind == kind && e.number == number) {
      found = e;
      return &found;
    }
  return nullptr;
}

// ------------------------------------------------------------------- login

TEST_F(TdsServer, login_records_what_the_client_sent) {
  server_.add_login("sa", "p\xC3\xA4$$w\xC3\xB6rd!");
  start();
  Db db = connect(
      server_,
      {.user = "sa", .password = "p\xC3\xA4$$w\xC3\xB6rd!", .database = "Sample", .app = "probe"});
  ASSERT_TRUE(db);
  EXPECT_STREQ(dbname(db.get()), "Sample");
  EXPECT_EQ(dbtds(db.get()), DBTDS_7_4);
  EXPECT_GT(dbspid(db.get()), 0);
  EXPECT_TRUE(saw("msg", 5701));
  EXPECT_TRUE(saw("msg", 5703));
  auto logins = server_.logins();
  ASSERT_EQ(logins.size(), 1u);
  EXPECT_EQ(logins[0].user, "sa");
  EXPECT_EQ(logins[0].password, "p\xC3\xA4$$w\xC3\xB6rd!");
  EXPECT_EQ(logins[0].database, "Sample");
  EXPECT_EQ(logins[0].app_name, "probe");
  EXPECT_EQ(logins[0].version_text(), "7.4");
  EXPECT_EQ(logins[0].negotiated_version, tds::kTds74);
  EXPECT_TRUE(logins[0].accepted);
}

TEST_F(TdsServer, login_without_database_gets_the_default) {
  start();
  Db db = connect(server_);
  ASSERT_TRUE(db);
  EXPECT_STREQ(dbname(db.get()), "master");
}

TEST_F(TdsServer, login_failures_answer_error_18456_severity_14) {
  struct Case {
    const char* name;
    std::function<void(tds::Server&)> setup;
    LoginOptions login;
    int extra_message;
  };
  const Case cases[] = {
      {"wrong password",
       [](tds::Server& s) { s.add_login("sa", "right"); },
       {.password = "wrong"},
       0},
      {"unknown user", [](tds::Server& s) { s.add_login("sa", "secret"); }, {.user = "bob"}, 0},
      {"every login fails", [](tds::Server& s) { s.set_login_failure(true); }, {}, 0},
      {"unknown database",
       [](tds::Server& s) { s.add_database("Sample"); },
       {.database = "Other"},
       4060},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tds::Server server;
    c.setup(server);
    server.start();
    clear_events();
    Db db = connect(server, c.login);
    EXPECT_FALSE(db);
    const Event* e = find_event("msg", 18456);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->severity, 14);
    EXPECT_EQ(e->text, "Login failed for user '" + c.login.user + "'.");
    if (c.extra_message) {
      EXPECT_TRUE(saw("msg", c.extra_message));
    }
    auto logins = server.logins();
    ASSERT_EQ(logins.size(), 1u);
    EXPECT_FALSE(logins[0].accepted);
  }
}

TEST_F(TdsServer, login_negotiates_each_protocol_version) {
  struct Case {
    int client;
    uint32_t server_max;
    int dbtds_expected;
    uint32_t asked;
    uint32_t negotiated;
  };
  const Case cases[] = {
      {DBVERSION_71, tds::kTds74, DBTDS_7_1, tds::kTds71, tds::kTds71},
      {DBVERSION_72, tds::kTds74, DBTDS_7_2, tds::kTds72, tds::kTds72},
      {DBVERSION_73, tds::kTds74, DBTDS_7_3, tds::kTds73, tds::kTds73},
      {DBVERSION_74, tds::kTds74, DBTDS_7_4, tds::kTds74, tds::kTds74},
      {DBVERSION_74, tds::kTds72, DBTDS_7_2, tds::kTds74, tds::kTds72},
      {DBVERSION_73, tds::kTds71, DBTDS_7_1, tds::kTds73, tds::kTds71},
  };
  start();
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  for (const auto& c : cases) {
    SCOPED_TRACE(tds::tds_version_text(c.asked) + " against " +
                 tds::tds_version_text(c.server_max));
    server_.set_max_tds_version(c.server_max);
    Db db = connect(server_, {.version = c.client});
    ASSERT_TRUE(db);
    EXPECT_EQ(dbtds(db.get()), c.dbtds_expected);
    auto login = server_.logins().back();
    EXPECT_EQ(login.tds_version, c.asked);
    EXPECT_EQ(login.negotiated_version, c.negotiated);
    ASSERT_TRUE(exec(db.get(), "SELECT 1"));
    auto rs = read_all(db.get());
    ASSERT_EQ(rs.size(), 1u);
    EXPECT_EQ(rs[0].rows, (std::vector<std::vector<std::string>>{{"1"}}));
  }
}

// ----------------------------------------------------------------- batches

TEST_F(TdsServer, batches_are_recorded_as_sent) {
  start();
  const std::string text = "SELECT N'gr\xC3\xBC\xC3\x9F' AS a;\r\n-- \xE2\x82\xAC\n\tSELECT 2";
  server_.on_batch(text)
      .result({{"a", "nvarchar(10)"}})
      .row({"gr\xC3\xBC\xC3\x9F"})
      .result({{"", "int"}})
      .row({"2"});
  Db db = connect(server_);
  ASSERT_TRUE(db);
  ASSERT_TRUE(exec(db.get(), text));
  auto rs = read_all(db.get());
  ASSERT_EQ(rs.size(), 2u);
  EXPECT_EQ(rs[0].names[0], "a");
  EXPECT_EQ(rs[0].rows[0][0], "gr\xC3\xBC\xC3\x9F");
  EXPECT_EQ(rs[1].rows[0][0], "2");
  auto batches = server_.batches();
  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].text, text);
  EXPECT_TRUE(batches[0].scripted);
  EXPECT_EQ(server_.batch_texts(), std::vector<std::string>{text});
}

TEST_F(TdsServer, a_batch_longer_than_a_packet_arrives_whole) {
  start();
  std::string text = "SELECT '";
  for (int k = 0; k < 3000; k++)
    text +=
        "\xC3\xA9"
        "abc";
  text += "'";
  server_.on_pattern("^SELECT '").row_count(0);
  Db db = connect(server_);
  ASSERT_TRUE(db);
  ASSERT_TRUE(exec(db.get(), text));
  read_all(db.get());
  ASSERT_EQ(server_.batch_texts().size(), 1u);
  EXPECT_EQ(server_.batch_texts()[0], text);
}

TEST_F(TdsServer, later_rules_win_and_used_up_rules_are_skipped) {
  start();
  server_.on_pattern("(?i)^select .* from dbo\\.t$")
      .result({{"src", "varchar(10)"}})
      .row({"pattern"});
  server_.on_batch("  SELECT a FROM dbo.T  ")
      .times(1)
      .result({{"src", "varchar(10)"}})
      .row({"exact"});
  Db db = connect(server_);
  ASSERT_TRUE(db);
  std::vector<std::string> got;
  for (const char* sql : {"SELECT a FROM dbo.T", "SELECT a FROM dbo.T", "select b from dbo.t"}) {
    ASSERT_TRUE(exec(db.get(), sql));
    auto rs = read_all(db.get());
    ASSERT_EQ(rs.size(), 1u);
    got.push_back(rs[0].rows.at(0).at(0));
  }
  EXPECT_EQ(got, (std::vector<std::string>{"exact", "pattern", "pattern"}));
}

TEST_F(TdsServer, an_unscripted_batch_answers_an_error_naming_it) {
  start();
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  Db db = connect(server_);
  ASSERT_TRUE(db);
  EXPECT_FALSE(exec(db.get(), "SELECT * FROM nowhere"));
  const Event* e = find_event("msg", 50000);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->severity, 16);
  EXPECT_EQ(e->text, "tarvex-tds-server: no scripted reply for batch: SELECT * FROM nowhere");
  auto batches = server_.batches();
  ASSERT_EQ(batches.size(), 1u);
  EXPECT_FALSE(batches[0].scripted);
  // The connection stays usable.
  read_all(db.get());
  ASSERT_TRUE(exec(db.get(), "SELECT 1"));
  EXPECT_EQ(read_all(db.get()).size(), 1u);
}

TEST_F(TdsServer, connections_are_served_at_the_same_time) {
  start();
  server_.on_batch("SELECT * FROM big").generate(100000, {{"a", "int"}});
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  Db first = connect(server_);
  Db second = connect(server_);
  ASSERT_TRUE(first && second);
  ASSERT_TRUE(exec(first.get(), "SELECT * FROM big"));
  ASSERT_EQ(dbresults(first.get()), kSucceed);
  ASSERT_EQ(dbnextrow(first.get()), REG_ROW);
  ASSERT_TRUE(exec(second.get(), "SELECT 1"));
  EXPECT_EQ(read_all(second.get()).at(0).rows.at(0).at(0), "1");
  int rows = 1;
  while (dbnextrow(first.get()) == REG_ROW) rows++;
  EXPECT_EQ(rows, 100000);
  auto batches = server_.batches();
  ASSERT_EQ(batches.size(), 2u);
  EXPECT_NE(batches[0].connection, batches[1].connection);
  EXPECT_EQ(server_.connection_count(), 2u);
}

// ----------------------------------------------------------------- replies

TEST_F(TdsServer, a_batch_of_several_statements_gives_each_result) {
  start();
  server_.on_batch("multi")
      .result({{"a", "int"}})
      .rows({{"1"}, {"2"}})
      .row_count(3)
      .done()
      .result({{"b", "varchar(5)"}})
      .row({"x"})
      .without_count();
  Db db = connect(server_);
  ASSERT_TRUE(db);
  ASSERT_TRUE(exec(db.get(), "multi"));
  auto rs = read_all(db.get());
  ASSERT_EQ(rs.size(), 4u);
  EXPECT_EQ(rs[0].rows.size(), 2u);
  EXPECT_EQ(rs[0].count, 2);
  EXPECT_TRUE(rs[1].names.empty());
  EXPECT_EQ(rs[1].count, 3);
  EXPECT_TRUE(rs[2].names.empty());
  EXPECT_EQ(rs[2].count, -1);
  EXPECT_EQ(rs[3].rows, (std::vector<std::vector<std::string>>{{"x"}}));
  EXPECT_EQ(rs[3].count, -1);
}

// Rows and messages in the order db-lib delivers them.
std::vector<std::string> trace_batch(DBPROCESS* p, const std::string& sql) {
  std::vector<std::string> trace;
  size_t seen = 0;
  auto take = [&] {
    auto ev = events();
    for (; seen < ev.size(); seen++)
      if (ev[seen].kind == "msg") trace.push_back("msg " + std::to_string(ev[seen].number));
  };
  clear_events();
  bool ok = exec(p, sql);
  take();
  if (!ok) trace.push_back("exec failed");
  RETCODE rc;
  while ((rc = dbresults(p)) != NO_MORE_RESULTS) {
    take();
    if (rc == kFail) {
      trace.push_back("results failed");
      break;
    }
    trace.push_back("result " + std::to_string(dbnumcols(p)));
    while ((rc = dbnextrow(p)) != NO_MORE_ROWS) {
      take();
      if (rc == kFail) {
        trace.push_back("row failed");
        break;
      }
      trace.push_back("row " + cell_text(p, 1));
    }
    take();
  }
  take();
  return trace;
}

TEST_F(TdsServer, messages_arrive_where_they_are_scripted) {
  start();
  server_.on_batch("SELECT a FROM t; UPDATE t SET a = 1")
      .info(50001, "before the rows")
      .result({{"a", "int"}})
      .row({"1"})
      .error(50002, 16, "between the rows")
      .row({"2"})
      .info(50003, "after the rows", 10)
      .end_result()
      .error(50004, 16, "in the second statement");
  Db db = connect(server_);
  ASSERT_TRUE(db);
  auto trace = trace_batch(db.get(), "SELECT a FROM t; UPDATE t SET a = 1");
  std::vector<std::string> expected = {"msg 50001", "result 1",  "row 1",     "msg 50002",
                                       "row 2",     "msg 50003", "msg 50004", "results failed"};
  EXPECT_EQ(trace, expected);
  const Event* e = find_event("msg", 50004);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->severity, 16);
  EXPECT_EQ(e->text, "in the second statement");
}

TEST_F(TdsServer, a_message_has_its_number_state_severity_and_text) {
  start();
  tds::ServerMessage m;
  m.number = 208;
  m.state = 1;
  m.severity = 16;
  m.text = "Invalid object name 'dbo.Nope'.";
  m.procedure = "p";
  m.line = 7;
  server_.on_batch("SELECT * FROM dbo.Nope").message(m);
  Db db = connect(server_);
  ASSERT_TRUE(db);
  EXPECT_FALSE(exec(db.get(), "SELECT * FROM dbo.Nope"));
  EXPECT_EQ(messages(), std::vector<std::string>{"Invalid object name 'dbo.Nope'."});
  const Event* e = find_event("msg", 208);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->severity, 16);
}

TEST_F(TdsServer, replies_split_into_tiny_packets_read_the_same) {
  server_.set_split_packets(5);
  start();
  std::string big(20000, 'x');
  big += "\xE2\x82\xAC";
  server_.on_batch("SELECT big")
      .result({{"id", "int"},
               {"s", "nvarchar(max)", true},
               {"d", "decimal(38,6)"},
               {"g", "uniqueidentifier"}})
      .row({"1", big, "-1234567890.123456", "6F9619FF-8B86-D011-B42D-00C04FC964FF"})
      .row({"2", std::nullopt, "0", "00000000-0000-0000-0000-000000000000"})
      .info(50000, "split");
  Db db = connect(server_);
  ASSERT_TRUE(db);
  ASSERT_TRUE(exec(db.get(), "SELECT big"));
  auto rs = read_all(db.get());
  ASSERT_EQ(rs.size(), 1u);
  ASSERT_EQ(rs[0].rows.size(), 2u);
  EXPECT_EQ(rs[0].rows[0], (std::vector<std::string>{"1", big, "-1234567890.123456",
                                                     "6F9619FF-8B86-D011-B42D-00C04FC964FF"}));
  EXPECT_EQ(rs[0].rows[1][1], "NULL");
  EXPECT_TRUE(saw("msg", 50000));
}

TEST_F(TdsServer, use_database_changes_the_current_database) {
  start();
  server_.on_batch("USE Other").use_database("Other");
  Db db = connect(server_);
  ASSERT_TRUE(db);
  EXPECT_STREQ(dbname(db.get()), "master");
  ASSERT_TRUE(exec(db.get(), "USE Other"));
  read_all(db.get());
  EXPECT_STREQ(dbname(db.get()), "Other");
}

// ---------------------------------------------------------------- failures

TEST_F(TdsServer, a_dropped_connection_ends_the_result_and_kills_the_process) {
  start();
  server_.on_batch("SELECT a FROM t").result({{"a", "int"}}).row({"1"}).row({"2"}).drop();
  Db db = connect(server_);
  ASSERT_TRUE(db);
  ASSERT_TRUE(exec(db.get(), "SELECT a FROM t"));
  ASSERT_EQ(dbresults(db.get()), kSucceed);
  std::vector<std::string> rows;
  RETCODE rc;
  while ((rc = dbnextrow(db.get())) == REG_ROW) rows.push_back(cell_text(db.get(), 1));
  EXPECT_EQ(rc, kFail);
  EXPECT_EQ(rows, (std::vector<std::string>{"1", "2"}));
  EXPECT_TRUE(dbdead(db.get()));
  bool library_error = false;
  for (const auto& e : events()) library_error |= e.kind == "err";
  EXPECT_TRUE(library_error);
  EXPECT_FALSE(exec(db.get(), "SELECT a FROM t"));
}

TEST_F(TdsServer, a_timeout_sends_an_attention_that_is_acknowledged) {
  start();
  server_.on_batch("WAITFOR DELAY '00:00:30'").delay(30s).row_count(0);
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  Db db = connect(server_);
  ASSERT_TRUE(db);
  set_timeout_answer(INT_TIMEOUT);
  dbsettime(1);
  EXPECT_FALSE(exec(db.get(), "WAITFOR DELAY '00:00:30'"));
  dbsettime(0);
  EXPECT_TRUE(saw("err", SYBETIME));
  EXPECT_EQ(server_.attention_count(), 1u);
  EXPECT_FALSE(dbdead(db.get()));
  ASSERT_TRUE(exec(db.get(), "SELECT 1"));
  auto rs = read_all(db.get());
  ASSERT_EQ(rs.size(), 1u);
  EXPECT_EQ(rs[0].rows.at(0).at(0), "1");
}

TEST_F(TdsServer, a_cancel_stops_a_big_result) {
  start();
  server_.on_batch("SELECT * FROM big").generate(2000000, {{"a", "int"}, {"b", "nvarchar(40)"}});
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  Db db = connect(server_);
  ASSERT_TRUE(db);
  ASSERT_TRUE(exec(db.get(), "SELECT * FROM big"));
  ASSERT_EQ(dbresults(db.get()), kSucceed);
  for (int k = 0; k < 10; k++) ASSERT_EQ(dbnextrow(db.get()), REG_ROW);
  EXPECT_EQ(cell_text(db.get(), 2), "row 9");
  EXPECT_EQ(dbcancel(db.get()), kSucceed);
  EXPECT_EQ(server_.attention_count(), 1u);
  ASSERT_TRUE(exec(db.get(), "SELECT 1"));
  auto rs = read_all(db.get());
  ASSERT_EQ(rs.size(), 1u);
  EXPECT_EQ(rs[0].rows.at(0).at(0), "1");
}

TEST_F(TdsServer, stopping_the_server_closes_open_connections) {
  start();
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  Db db = connect(server_);
  ASSERT_TRUE(db);
  server_.stop();
  EXPECT_FALSE(server_.running());
  EXPECT_FALSE(exec(db.get(), "SELECT 1"));
  clear_events();
}

// --------------------------------------------------------------- generated

TEST_F(TdsServer, a_generated_result_is_read_completely_and_correctly) {
  start();
  const uint64_t n = 2500;
  server_.on_batch("SELECT * FROM gen")
      .generate(n, {{"i", "int"},
                    {"b", "bigint"},
                    {"f", "float"},
                    {"d", "decimal(18,4)"},
                    {"s", "nvarchar(40)"},
                    {"t", "datetime2(7)"},
                    {"x", "bit"},
                    {"g", "uniqueidentifier"},
                    {"ni", "int", true}});
  Db db = connect(server_);
  ASSERT_TRUE(db);
  DBPROCESS* p = db.get();
  ASSERT_TRUE(exec(p, "SELECT * FROM gen"));
  ASSERT_EQ(dbresults(p), kSucceed);
  ASSERT_EQ(dbnumcols(p), 9);
  uint64_t r = 0;
  int bad = 0;
  while (dbnextrow(p) == REG_ROW) {
    int32_t i;
    int64_t b;
    double f;
    std::memcpy(&i, dbdata(p, 1), 4);
    std::memcpy(&b, dbdata(p, 2), 8);
    std::memcpy(&f, dbdata(p, 3), 8);
    char dec[32], guid[40], stamp[40];
    g_snprintf(dec, sizeof dec, "%llu.%04llu", (unsigned long long)r,
               (unsigned long long)(r % 10000));
    g_snprintf(guid, sizeof guid, "%08llX-0007-4000-8000-%012llX", (unsigned long long)r,
               (unsigned long long)r);
    int64_t ms = int64_t(r) * 1000 + int64_t(r % 1000);
    GDateTime* base = g_date_time_new_utc(2020, 1, 1, 0, 0, 0);
    GDateTime* t = g_date_time_add(base, ms * 1000);
    g_snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%09lld", g_date_time_get_year(t),
               g_date_time_get_month(t), g_date_time_get_day_of_month(t), g_date_time_get_hour(t),
               g_date_time_get_minute(t), g_date_time_get_second(t),
               (long long)(ms % 1000) * 1000000);
    g_date_time_unref(t);
    g_date_time_unref(base);
    bool ok = i == int32_t(r) && b == int64_t(r) * 1000003 && f == double(r) * 0.5 &&
              cell_text(p, 4) == dec && cell_text(p, 5) == "row " + std::to_string(r) &&
              cell_text(p, 6) == stamp && cell_text(p, 7) == std::to_string(r % 2) &&
              cell_text(p, 8) == guid &&
              cell_text(p, 9) == ((r + 8) % 10 == 9 ? std::string("NULL") : std::to_string(r));
    if (!ok && bad++ < 3) ADD_FAILURE() << "row " << r << " differs";
    r++;
  }
  EXPECT_EQ(r, n);
  EXPECT_EQ(bad, 0);
  EXPECT_EQ(dbcount(p), DBINT(n));
  EXPECT_EQ(dbresults(p), NO_MORE_RESULTS);
}

// ----------------------------------------------------------------- builder

TEST_F(TdsServer, scripting_mistakes_are_reported_at_once) {
  struct Case {
    const char* name;
    std::function<void(tds::Server&)> script;
    bool logic_error;
  };
  const Case cases[] = {
      {"row without result", [](tds::Server& s) { s.on_batch("x").row({"1"}); }, true},
      {"unknown type",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "integr"}});
       },
       false},
      {"bad length",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "varchar(9000)"}});
       },
       false},
      {"bad scale",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "decimal(5,6)"}});
       },
       false},
      {"NULL in a not-null column",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "int"}}).row({std::nullopt});
       },
       false},
      {"not an int",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "int"}}).row({"abc"});
       },
       false},
      {"int out of range",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "smallint"}}).row({"40000"});
       },
       false},
      {"too many decimals",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "decimal(5,2)"}}).row({"1.234"});
       },
       false},
      {"too long",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "nchar(2)"}}).row({"abc"});
       },
       false},
      {"bad date",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "date"}}).row({"2023-02-29"});
       },
       false},
      {"bad guid",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "uniqueidentifier"}}).row({"xyz"});
       },
       false},
      {"row too short",
       [](tds::Server& s) {
         s.on_batch("x").result({{"a", "int"}, {"b", "int"}}).row({"1"});
       },
       false},
      {"bad pattern", [](tds::Server& s) { s.on_pattern("(unclosed"); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tds::Server server;
    if (c.logic_error) {
      EXPECT_THROW(c.script(server), std::logic_error);
    } else {
      EXPECT_THROW(c.script(server), std::invalid_argument);
    }
  }
}

// ------------------------------------------------------------------ script

TEST_F(TdsServer, a_script_sets_up_logins_and_replies) {
  server_.load_script(R"SCRIPT(# a test script
option server-name SCRIPTED
option database Sample
login sa "top secret"
database Sample

batch <<END
SELECT id, name
FROM dbo.People
END
result
column id int
column name nvarchar(20) null
column "" "decimal(9,2)"
row 1 "Ann \"A\" Lee" 1.50
row 2 NULL -3
row 3 "NULL" 0
info 50010 "after the rows" state 3

pattern (?i)^update\b
times 1
error 547 16 "The UPDATE statement conflicted." proc trg line 4
rowcount 0

batch SELECT COUNT(*) FROM big
generate 3
column n bigint
end
)SCRIPT");
  start();
  EXPECT_FALSE(connect(server_, {.user = "sa", .password = "secret"}));
  Db db = connect(server_, {.user = "sa", .password = "top secret"});
  ASSERT_TRUE(db);
  EXPECT_STREQ(dbname(db.get()), "Sample");
  ASSERT_TRUE(exec(db.get(), "SELECT id, name\nFROM dbo.People"));
  auto rs = read_all(db.get());
  ASSERT_EQ(rs.size(), 1u);
  EXPECT_EQ(rs[0].names, (std::vector<std::string>{"id", "name", ""}));
  EXPECT_EQ(rs[0].rows,
            (std::vector<std::vector<std::string>>{
                {"1", "Ann \"A\" Lee", "1.50"}, {"2", "NULL", "-3.00"}, {"3", "NULL", "0.00"}}));
  EXPECT_TRUE(saw("msg", 50010));

  clear_events();
  EXPECT_FALSE(exec(db.get(), "UPDATE t SET a = 1"));
  EXPECT_TRUE(saw("msg", 547));
  read_all(db.get());
  clear_events();
  EXPECT_FALSE(exec(db.get(), "update t set a = 1"));
  EXPECT_TRUE(saw("msg", 50000));  // the rule was used up

  ASSERT_TRUE(exec(db.get(), "SELECT COUNT(*) FROM big"));
  rs = read_all(db.get());
  ASSERT_EQ(rs.size(), 1u);
  EXPECT_EQ(rs[0].rows, (std::vector<std::vector<std::string>>{{"0"}, {"1000003"}, {"2000006"}}));
}

TEST_F(TdsServer, script_errors_name_the_line) {
  struct Case {
    const char* script;
    const char* message;
  };
  const Case cases[] = {
      {"row 1", "line 1: a reply line before any batch or pattern"},
      {"batch x\nresult\ncolumn a int\nrow abc", "line 4: not an integer \"abc\" for int"},
      {"batch x\n\nresult\ncolumn a intt", "line 4: unknown type \"intt\""},
      {"batch <<END\nSELECT 1\n", "line 1: no line \"END\" ends the batch text"},
      {"option tds-version 8.0", "line 1: tds-version is one of 7.1, 7.2, 7.3, 7.4"},
      {"batch x\nfrobnicate", "line 2: unknown keyword \"frobnicate\""},
      {"batch x\nerror 1 5 \"low\"", "line 2: an error needs a severity above 10"},
      {"batch x\nresult\ncolumn a varchar(3)\nrow \"abc", "line 4: unterminated string"},
      {"batch x\ncolumn a int", "line 2: column outside result or generate"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    tds::Server server;
    try {
      server.load_script(c.script);
      ADD_FAILURE() << "no error";
    } catch (const tds::ScriptError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

// -------------------------------------------------------------- standalone

TEST_F(TdsServer, the_standalone_program_serves_a_script_until_stdin_closes) {
  const char* exe = g_getenv("TARVEX_TDS_SERVER");
  const char* sample = g_getenv("TARVEX_TDS_SAMPLE");
  if (!exe || !sample)
    GTEST_SKIP() << "TARVEX_TDS_SERVER and TARVEX_TDS_SAMPLE are set by meson test";
  const char* argv[] = {exe, sample, nullptr};
  GPid pid;
  int in_fd, out_fd;
  GError* error = nullptr;
  ASSERT_TRUE(g_spawn_async_with_pipes(nullptr, const_cast<char**>(argv), nullptr,
                                       G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr, &pid, &in_fd,
                                       &out_fd, nullptr, &error))
      << (error ? error->message : "");
  FILE* out = fdopen(out_fd, "r");
  char line[64] = {0};
  ASSERT_NE(fgets(line, sizeof line, out), nullptr);
  unsigned port = 0;
  ASSERT_EQ(sscanf(line, "PORT %u", &port), 1) << line;

  {
    init_dblib();
    LOGINREC* login = dblogin();
    DBSETLUSER(login, "anyone");
    DBSETLPWD(login, "anything");
    std::string address = "127.0.0.1:" + std::to_string(port);
    Db db(dbopen(login, address.c_str()));
    dbloginfree(login);
    ASSERT_TRUE(db);
    EXPECT_STREQ(dbname(db.get()), "Sample");
    ASSERT_TRUE(exec(db.get(), "SELECT SERVERPROPERTY('ProductVersion')"));
    ASSERT_EQ(dbresults(db.get()), kSucceed);
    EXPECT_EQ(dbcoltype(db.get(), 1), kSybVariant);
    ASSERT_EQ(dbnextrow(db.get()), REG_ROW);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dbdata(db.get(), 1)),
                          size_t(dbdatlen(db.get(), 1))),
              "16.0.1000.6");
    read_all(db.get());
    ASSERT_TRUE(exec(db.get(), "SELECT * FROM dbo.Customers"));
    auto rs = read_all(db.get());
    ASSERT_EQ(rs.size(), 1u);
    EXPECT_EQ(rs[0].rows.size(), 5u);
  }
  close(in_fd);
  int status = -1;
  for (int k = 0; k < 500 && waitpid(pid, &status, WNOHANG) == 0; k++) g_usleep(10000);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  fclose(out);
  g_spawn_close_pid(pid);
}

}  // namespace
