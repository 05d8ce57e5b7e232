// The provider failing safely: SQL texts db-lib cannot send, peers that
// break the stream or never answer, logins that fail, dead processes, two
// threads on one provider, and passwords kept out of the log.
#include <arpa/inet.h>
#include <gee.h>
#include <netinet/in.h>
#include <sybdb.h>
#include <sybfront.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/providers/sqlserver/sqlserver-test.h"
#include "tests/support/expect-gerror.h"

namespace tarvex::test::sqlserver {
namespace {

using namespace std::chrono_literals;

bool queue_is_empty(UserData* userdata) {
  return gee_collection_get_is_empty(GEE_COLLECTION(userdata->queue));
}

// ------------------------------------------------------------ raw tokens

// Little-endian pieces of a token stream, for the malformed columns the
// scripted replies cannot express.
std::string u16le(uint16_t v) {
  return {char(v & 0xFF), char(v >> 8)};
}
std::string u32le(uint32_t v) {
  return u16le(uint16_t(v)) + u16le(uint16_t(v >> 16));
}
std::string b_varchar(const std::string& ascii) {
  std::string out(1, char(ascii.size()));
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

// COLMETADATA of one nullable column of the given TYPE_INFO, then a ROW
// whose cell is `cell`, then a final DONE.
std::string one_cell_result(const std::string& type_info, const std::string& cell) {
  std::string s;
  s += char(0x81);
  s += u16le(1);
  s += u32le(0);       // user type
  s += u16le(0x0001);  // nullable
  s += type_info;
  s += b_varchar("c");
  s += char(0xD1);
  s += cell;
  s += char(0xFD);
  s += u16le(0x0010);  // DONE_COUNT
  s += u16le(0xC1);
  s += u32le(1) + u32le(0);
  return s;
}

// ------------------------------------------------------------ operations

// The four execute forms that hand back results, each giving whether it
// succeeded; the error goes to `error`.
struct Operation {
  const char* name;
  std::function<bool(IProvider*, const char*, GError**)> run;
};

const std::vector<Operation>& operations() {
  static const std::vector<Operation> all = {
      {"execute_model",
       [](IProvider* p, const char* sql, GError** error) {
         auto table =
             adoptGRef(tarvex_providers_contracts_iprovider_execute_model(p, sql, 0, error));
         return table != nullptr;
       }},
      {"execute_affect",
       [](IProvider* p, const char* sql, GError** error) {
         return tarvex_providers_contracts_iprovider_execute_affect(p, sql, 0, error) >= 0;
       }},
      {"execute_scalar",
       [](IProvider* p, const char* sql, GError** error) {
         auto value =
             adoptGRef(tarvex_providers_contracts_iprovider_execute_scalar(p, sql, 0, error));
         return value != nullptr;
       }},
      {"execute_statements",
       [](IProvider* p, const char* sql, GError** error) {
         gint length = 0;
         GObject** array =
             tarvex_providers_contracts_iprovider_execute_statements(p, sql, 0, &length, error);
         if (!array) return false;
         for (gint i = 0; i < length; i++) g_object_unref(array[i]);
         g_free(array);
         return true;
       }},
      {"execute_reader",
       [](IProvider* p, const char* sql, GError** error) {
         auto reader =
             adoptGRef(tarvex_providers_contracts_iprovider_execute_reader(p, sql, error));
         return reader != nullptr;
       }},
  };
  return all;
}

class FailureTest : public ProviderTest {
 protected:
  IProvider* provider() { return as_provider(provider_.get()); }

  // A fresh login for each case: most broken streams leave the process dead.
  void reopen() {
    tarvex_providers_contracts_iprovider_close(provider(), nullptr);
    take_handler_logs();
    drop_quiet_logs();
    open();
  }
};

// ------------------------------------------------------------ SQL texts

TEST_F(FailureTest, InvalidUtf8IsRefusedBeforeItReachesDbLib) {
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  open();
  struct Case {
    const char* what;
    std::string sql;
    gssize offset;
  } cases[] = {
      {"a lone 0xFF", "update t set s = '\xff'", 18},
      {"a lead byte at the end", "SELECT '\xc3", 8},
      {"a cut sequence", "SELECT '\xe2\x82' + 'x'", 8},
      {"an overlong slash", "SELECT '\xc0\xaf'", 8},
      {"a surrogate half", "SELECT N'\xed\xa0\x80'", 9},
      {"at the very start", "\x80SELECT 1", 0},
  };
  for (const auto& c : cases) {
    for (const auto& op : operations()) {
      SCOPED_TRACE(std::string(c.what) + " / " + op.name);
      GUniqueError error;
      EXPECT_FALSE(op.run(provider(), c.sql.c_str(), error.out()));
      ASSERT_NE(error.get(), nullptr);
      EXPECT_GERROR(error, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1);
      // The error names where the text breaks, and is itself valid text.
      EXPECT_NE(std::string(error->message).find(" " + std::to_string(c.offset) + " "),
                std::string::npos)
          << error->message;
      EXPECT_TRUE(g_utf8_validate(error->message, -1, nullptr));
    }
  }
  EXPECT_TRUE(server_.batch_texts().empty());
  // The provider goes on as before.
  auto table = model("SELECT 1");
  ASSERT_NE(table.get(), nullptr) << error_->message;
  EXPECT_EQ(text_at(table.get(), 0, 0), "1");
}

// Characters outside the Basic Multilingual Plane are valid UTF-8: they are
// not refused, and reach the server whole.
TEST_F(FailureTest, CharactersBeyondTheBasicPlaneAreNotRefused) {
  server_.on_pattern("^SELECT N'").result({{"", "nvarchar(10)"}}).row({"x"});
  open();
  for (const char* sql : {"SELECT N'\xf0\x9f\x98\x80'", "SELECT N'x' -- \xf0\x9f\x98\x80",
                          "SELECT N'\xf0\x9d\x84\x9e \xe6\x9d\xb1'"}) {
    SCOPED_TRACE(sql);
    auto table = model(sql);
    ASSERT_NE(table.get(), nullptr) << error_->message;
    EXPECT_EQ(text_at(table.get(), 0, 0), "x");
    EXPECT_EQ(server_.batch_texts().back(), sql);
  }
}

// ------------------------------------------------------------ dead processes

// A deadlock and then a dropped connection: a caller retrying deadlocks
// must not see the deadlock again on every later command.
TEST_F(FailureTest, AfterTheProcessDiedEveryOperationIsNotConnected) {
  server_.on_batch("SELECT a FROM t")
      .result({{"a", "int"}})
      .row({"1"})
      .error(1205, 13, "Transaction was deadlocked.")
      .drop();
  open();
  EXPECT_EQ(model("SELECT a FROM t").get(), nullptr);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_EQ(error_->code, 1205);
  take_handler_logs();

  auto expect_not_connected = [&](GError* error, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_NE(error, nullptr);
    EXPECT_GERROR(error, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1);
    EXPECT_STREQ(error->message, "Not connected.");
    EXPECT_TRUE(queue_is_empty(userdata()));
  };
  for (int round = 0; round < 2; round++) {
    for (const auto& op : operations()) {
      GUniqueError error;
      EXPECT_FALSE(op.run(provider(), "SELECT a FROM t", error.out()));
      expect_not_connected(error.get(), op.name);
    }
    GUniqueError error;
    EXPECT_FALSE(tarvex_providers_contracts_iprovider_transaction(provider(), error.out()));
    expect_not_connected(error.get(), "transaction");
    error.reset();
    tarvex_providers_contracts_iprovider_commit(provider(), error.out());
    expect_not_connected(error.get(), "commit");
    error.reset();
    tarvex_providers_contracts_iprovider_rollback(provider(), error.out());
    expect_not_connected(error.get(), "rollback");
  }
  EXPECT_EQ(server_.batch_texts().size(), 1u);
}

TEST_F(FailureTest, EveryOperationStartsWithAnEmptyQueue) {
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  open();
  // Left over from something that is not this operation's.
  auto* stale = tarvex_providers_supports_tds_message_new();
  tarvex_providers_supports_tds_message_set_error(stale, 1205);
  tarvex_providers_supports_tds_message_set_message(stale, "stale");
  gee_queue_offer(GEE_QUEUE(userdata()->queue), stale);
  tarvex_providers_supports_tds_message_unref(stale);
  for (const auto& op : operations()) {
    SCOPED_TRACE(op.name);
    GUniqueError error;
    EXPECT_TRUE(op.run(provider(), "SELECT 1", error.out()));
    EXPECT_EQ(error.get(), nullptr) << error->message;
  }
}

// ------------------------------------------------------------ broken peers

struct BrokenReply {
  const char* what;
  std::function<void(tds::Rule&)> script;
  bool kills_the_process;
};

const std::vector<BrokenReply>& broken_replies() {
  static const std::vector<BrokenReply> all = {
      {"a TCP reset before the reply", [](tds::Rule& r) { r.reset(); }, true},
      {"a DONE with the error flag alone", [](tds::Rule& r) { r.done_error(); }, false},
      {"a result, then a DONE with the error flag alone",
       [](tds::Rule& r) {
         r.result({{"a", "int"}}).row({"1"}).end_result().done_error();
       },
       false},
      {"an ERROR of severity 10, then a DONE with the error flag",
       [](tds::Rule& r) { r.error_token(50010, 10, "soft error").done_error(); }, false},
      {"an ERROR of severity 0, then a DONE with the error flag",
       [](tds::Rule& r) { r.error_token(50000, 0, "zero error").done_error(); }, false},
      {"a DECIMALN cell longer than any decimal",
       [](tds::Rule& r) {
         r.raw(one_cell_result(std::string("\x6A\x11\x26\x04", 4),
                               std::string(1, char(0x30)) + std::string(0x30, '\x01')))
             .drop();
       },
       true},
      {"a DATETIMEOFFSETN cell of the wrong length",
       [](tds::Rule& r) {
         r.raw(one_cell_result(std::string("\x2B\x07", 2),
                               std::string(1, char(0x14)) + std::string(0x14, '\x02')))
             .drop();
       },
       true},
      {"a sql_variant whose properties overrun its length",
       [](tds::Rule& r) {
         r.raw(one_cell_result("\x62" + u32le(8016), u32le(3) + std::string("\x38\x7F\x00", 3)))
             .drop();
       },
       true},
      {"a row cut short by the end of the connection",
       [](tds::Rule& r) {
         std::string cut = one_cell_result(std::string("\x26\x04", 2), "\x04\x01\x02");
         r.raw(cut.substr(0, cut.find('\xD1') + 3)).drop();
       },
       true},
      {"a packet shorter than its header", [](tds::Rule& r) { r.bad_packet(); }, true},
  };
  return all;
}

// Whatever a peer sends, every operation fails alike, with a message, and
// no critical is logged (the fixture fails a test that leaves one).
TEST_F(FailureTest, BrokenRepliesFailEveryOperationWithAMessage) {
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  open();
  for (const auto& broken : broken_replies()) {
    for (const auto& op : operations()) {
      SCOPED_TRACE(std::string(broken.what) + " / " + op.name);
      std::string sql = std::string("SELECT broken /* ") + broken.what + " */";
      broken.script(server_.on_batch(sql));
      GUniqueError error;
      bool ok = op.run(provider(), sql.c_str(), error.out());
      take_handler_logs();
      if (ok && std::string(op.name) == "execute_reader") {
        // A reader over the first result meets the trouble when it reads.
        reopen();
        continue;
      }
      EXPECT_FALSE(ok);
      ASSERT_NE(error.get(), nullptr);
      EXPECT_NE(error->message[0], '\0');
      EXPECT_TRUE(g_utf8_validate(error->message, -1, nullptr));
      if (broken.kills_the_process) {
        reopen();
      } else {
        // The connection stays usable.
        auto table = model("SELECT 1");
        ASSERT_NE(table.get(), nullptr) << error_->message;
        EXPECT_EQ(text_at(table.get(), 0, 0), "1");
      }
    }
  }
}

// ------------------------------------------------------------ logins

TEST_F(FailureTest, FailedOpenSaysWhy) {
  server_.add_login("sa", "secret");
  server_.add_database("Sample");
  server_.add_database("master");
  tds::Server closed;
  closed.start();
  uint16_t closed_port = closed.port();
  closed.stop();

  struct Case {
    const char* what;
    const char* host;
    int port;
    const char* password;
    const char* database;
    std::vector<const char*> reasons;
  } cases[] = {
      {"a wrong password",
       "127.0.0.1",
       server_.port(),
       "wrong",
       "Sample",
       {"Login failed for user 'sa'."}},
      {"an unknown database",
       "127.0.0.1",
       server_.port(),
       "secret",
       "Nowhere",
       {"Cannot open database \"Nowhere\"", "Login failed for user 'sa'."}},
      {"a closed port", "127.0.0.1", closed_port, "secret", "Sample", {"refused"}},
      {"an unknown host", "no-such-host.invalid", 1433, "secret", "Sample", {"no-such-host"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto description = server_description(server_, "sa", c.password, c.database);
    tarvex_providers_contracts_server_set_host(description.get(), c.host);
    tarvex_providers_contracts_server_set_port(description.get(), c.port);
    GUniqueError error;
    tarvex_providers_contracts_iprovider_open(provider(), description.get(), "", error.out());
    ASSERT_NE(error.get(), nullptr);
    EXPECT_GERROR(error, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1);
    EXPECT_TRUE(g_str_has_prefix(error->message, "open_tds failed. ")) << error->message;
    for (const char* reason : c.reasons)
      EXPECT_NE(std::string(error->message).find(reason), std::string::npos) << error->message;
    EXPECT_FALSE(tarvex_providers_contracts_iprovider_get_is_opened(provider()));
    EXPECT_TRUE(queue_is_empty(userdata()));
    take_handler_logs();
  }
  // The reasons belong to their attempt: a good login after them is clean.
  open();
  EXPECT_TRUE(queue_is_empty(userdata()));
}

// A listener that takes the connection and never says a word.
class SilentListener {
 public:
  SilentListener() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(fd_, 8);  // the kernel completes the handshake; nobody reads
    socklen_t len = sizeof addr;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
  }
  ~SilentListener() { close(fd_); }
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

TEST_F(FailureTest, LoginToASilentServerTimesOut) {
  SilentListener silent;
  auto description = server_description(server_);
  tarvex_providers_contracts_server_set_port(description.get(), silent.port());
  auto start = std::chrono::steady_clock::now();
  GUniqueError error;
  tarvex_providers_contracts_iprovider_open(provider(), description.get(), "", error.out());
  auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_NE(error.get(), nullptr);
  EXPECT_TRUE(g_str_has_prefix(error->message, "open_tds failed. ")) << error->message;
  EXPECT_NE(std::string(error->message).find("timed out"), std::string::npos) << error->message;
  // The login's limit, once: no second attempt with an older protocol.
  EXPECT_GE(seconds, 14.0);
  EXPECT_LT(seconds, 40.0);
  EXPECT_FALSE(tarvex_providers_contracts_iprovider_get_is_opened(provider()));
  take_handler_logs();
}

// ------------------------------------------------------------ logs

TEST_F(FailureTest, PasswordsStayOutOfTheHandlersLog) {
  server_.on_pattern("(?i)^ALTER LOGIN")
      .error(15118, 16, "Password validation failed. The password does not meet policy.");
  open();
  const char* sql = "ALTER LOGIN app WITH PASSWORD = 'N3w-Secret!' OLD_PASSWORD = N'0ld''pw'";
  EXPECT_EQ(affect(sql), -1);
  ASSERT_NE(error_.get(), nullptr);
  EXPECT_EQ(error_->code, 15118);
  auto logs = take_handler_logs();
  ASSERT_TRUE(took_handler_log(logs, "sql=ALTER LOGIN app WITH PASSWORD = '******'"));
  for (const auto& line : logs) {
    EXPECT_EQ(line.find("N3w-Secret!"), std::string::npos) << line;
    EXPECT_EQ(line.find("0ld"), std::string::npos) << line;
  }
}

// ------------------------------------------------------------ threads

// One provider shared by threads: each call runs whole, its batch and its
// results its own.
TEST_F(FailureTest, ThreadsSharingOneProviderGetTheirOwnResults) {
  constexpr int kThreads = 3;
  constexpr int kRounds = 60;
  for (int t = 0; t < kThreads; t++) {
    std::string name = "t" + std::to_string(t);
    server_.on_batch("SELECT '" + name + "'").result({{"", "varchar(8)"}}).row({name});
    server_.on_batch("SELECT n FROM " + name)
        .result({{"n", "int"}})
        .rows({{std::to_string(t)}, {std::to_string(t + 10)}});
    server_.on_batch("UPDATE " + name + " SET n = 1").row_count(uint64_t(t + 1));
    server_.on_batch("FAIL " + name).error(50000 + t, 16, "failure of " + name);
  }
  open();
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; t++) {
    threads.emplace_back([&, t] {
      std::string name = "t" + std::to_string(t);
      IProvider* p = provider();
      for (int round = 0; round < kRounds; round++) {
        GError* error = nullptr;
        auto value = adoptGRef(tarvex_providers_contracts_iprovider_execute_scalar(
            p, ("SELECT '" + name + "'").c_str(), 0, &error));
        if (error || value_text(value.get()) != name) wrong++;
        g_clear_error(&error);

        auto table = adoptGRef(tarvex_providers_contracts_iprovider_execute_model(
            p, ("SELECT n FROM " + name).c_str(), 0, &error));
        if (error || !table || rows_of(table.get()) != 2 ||
            text_at(table.get(), 0, 1) != std::to_string(t + 10))
          wrong++;
        g_clear_error(&error);

        if (tarvex_providers_contracts_iprovider_execute_affect(
                p, ("UPDATE " + name + " SET n = 1").c_str(), 0, &error) != t + 1)
          wrong++;
        g_clear_error(&error);

        tarvex_providers_contracts_iprovider_execute_affect(p, ("FAIL " + name).c_str(), 0, &error);
        if (!error || error->code != 50000 + t) wrong++;
        g_clear_error(&error);

        if (!tarvex_providers_contracts_iprovider_get_is_opened(p)) wrong++;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
  // Every batch arrived whole, none merged with another.
  auto batches = server_.batches();
  EXPECT_EQ(batches.size(), size_t(kThreads * kRounds * 4));
  for (const auto& batch : batches) EXPECT_TRUE(batch.scripted) << batch.text;
  take_handler_logs();
}

// Opening and closing from one thread while another runs commands: each
// command finds a process, or none, never one being torn down.
TEST_F(FailureTest, OpenAndCloseWhileAnotherThreadRunsCommands) {
  server_.on_batch("SELECT 1").result({{"", "int"}}).row({"1"});
  open();
  std::atomic<bool> stop{false};
  std::atomic<int> wrong{0};
  std::thread worker([&] {
    while (!stop.load()) {
      GError* error = nullptr;
      auto value = adoptGRef(
          tarvex_providers_contracts_iprovider_execute_scalar(provider(), "SELECT 1", 0, &error));
      if (value ? value_text(value.get()) != "1"
                : !error || error->domain != TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR ||
                      error->code != -1)
        wrong++;
      g_clear_error(&error);
    }
  });
  auto description = server_description(server_);
  for (int round = 0; round < 15; round++) {
    tarvex_providers_contracts_iprovider_close(provider(), nullptr);
    GError* error = nullptr;
    tarvex_providers_contracts_iprovider_open(provider(), description.get(), "", &error);
    if (error) wrong++;
    g_clear_error(&error);
  }
  stop = true;
  worker.join();
  EXPECT_EQ(wrong.load(), 0);
  take_handler_logs();
}

}  // namespace
}  // namespace tarvex::test::sqlserver
