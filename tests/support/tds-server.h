// A scripted TDS 7.1-7.4 server on the loopback interface: the real peer of
// every test that talks to SQL Server through FreeTDS db-lib.
//
//   tarvex::test::tds::Server server;
//   server.on_batch("SELECT id, name FROM dbo.T")
//       .result({{"id", "int"}, {"name", "nvarchar(40)", true}})
//       .row({"1", "one"})
//       .row({"2", std::nullopt});
//   server.start();
//   ... dbopen(login, server.address().c_str()) ...
//   EXPECT_EQ(server.batch_texts().back(), "SELECT id, name FROM dbo.T");
//
// Cells are written as text and decoded by the column type (see README.md);
// std::nullopt is NULL. A batch no rule matches is answered with an error
// naming it. Rules added later win over earlier ones.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/tds-types.h"

namespace tarvex::test::tds {

using Cell = std::optional<std::string>;
using Row = std::vector<Cell>;

// A result column: its name, its SQL type ("int", "decimal(18,4)",
// "nvarchar(max)", "datetime2(3)", ...) and whether it is nullable.
struct Column {
  std::string name;
  std::string type;
  bool nullable = false;
};

// A server message (INFO or ERROR token).
struct ServerMessage {
  int32_t number = 0;
  uint8_t state = 1;
  uint8_t severity = 0;  // above 10: sent as ERROR, else as INFO
  std::string text;
  std::string procedure;
  int32_t line = 1;
  // Sent as an ERROR token whatever the severity (SQL Server itself sends
  // severities of 10 and less as INFO).
  bool error_token = false;
};

// What a client sent in its LOGIN7 and how the server answered it.
struct LoginRecord {
  int connection = 0;
  std::string user;
  std::string password;  // de-obfuscated
  std::string database;
  std::string app_name;
  std::string host_name;
  std::string server_name;
  std::string language;
  std::string library;
  uint32_t tds_version = 0;         // as the client asked, kTds74 etc.
  uint32_t negotiated_version = 0;  // as the server acknowledged it
  uint32_t packet_size = 0;         // as the client asked
  bool accepted = false;
  std::string version_text() const { return tds_version_text(tds_version); }
};

struct ReceivedBatch {
  int connection = 0;
  std::string text;
  bool scripted = false;  // false: no rule matched, an error was sent
};

namespace detail {
struct Item {
  enum Kind {
    ResultStart,
    Row,
    ResultEnd,
    RowCount,
    Done,
    Message,
    Delay,
    Drop,
    UseDatabase,
    Generate,
    // Broken peers: a TCP reset, a DONE with only the error flag, bytes
    // written as they are, a packet header with an impossible length.
    Reset,
    DoneError,
    Raw,
    BadPacket
  };
  Kind kind = Done;
  std::vector<ColumnSpec> columns;  // ResultStart, Generate
  std::vector<Value> cells;         // Row
  uint64_t count = 0;               // RowCount; Generate: rows
  bool with_count = true;           // ResultEnd
  ServerMessage message;            // Message
  std::chrono::milliseconds delay{0};
  std::string name;   // UseDatabase; Raw: the bytes
  bool more = false;  // set when planned: a later DONE follows
};
}  // namespace detail

// The reply to one batch: statements, each ending in a DONE token. Messages
// and delays go where they are added: before a result, between its rows,
// after its rows (before its DONE) or after a statement. Throws
// std::invalid_argument for a bad type or cell and std::logic_error for a
// row without an open result.
class Reply {
 public:
  // Starts a result set (COLMETADATA); rows follow.
  Reply& result(const std::vector<Column>& columns);
  Reply& row(const Row& cells);
  Reply& rows(const std::vector<Row>& rows);
  // The open result set's DONE carries no row count (as under SET NOCOUNT ON).
  Reply& without_count();
  // Ends the open result set (its DONE); later messages belong to the next statement.
  Reply& end_result();
  // A result of `rows` generated rows (deterministic, streamed; see README.md).
  Reply& generate(uint64_t rows, const std::vector<Column>& columns);
  // A statement without a result: DONE with this row count.
  Reply& row_count(uint64_t count);
  // A statement without a result and without a count.
  Reply& done();
  Reply& info(int32_t number, std::string text, uint8_t severity = 0);
  Reply& error(int32_t number, uint8_t severity, std::string text);
  Reply& message(const ServerMessage& message);
  // Waits before sending what follows; an attention ends the wait.
  Reply& delay(std::chrono::milliseconds ms);
  // Sends what came before, then closes the connection.
  Reply& drop();
  // Changes the database (ENVCHANGE and message 5701), as USE does.
  Reply& use_database(std::string name);

  // Broken peers (what a client must survive).
  // Sends what came before, then closes the connection with a TCP reset.
  Reply& reset();
  // A statement ending in a DONE with the error flag and no ERROR token.
  Reply& done_error();
  // An ERROR token whatever the severity (also 10 and less).
  Reply& error_token(int32_t number, uint8_t severity, std::string text);
  // Bytes put into the token stream as they are (a malformed token; follow
  // it with drop() or reset() when it leaves the stream unfinished).
  Reply& raw(std::string bytes);
  // Sends what came before, then a packet header whose length is below the
  // header's own size, and closes the connection.
  Reply& bad_packet();

  const std::vector<detail::Item>& items() const { return items_; }

 protected:
  void close_result();
  std::vector<detail::Item> items_;
  std::vector<ColumnSpec> open_columns_;
  bool result_open_ = false;
};

class Rule : public Reply {
 public:
  enum class Match { Exact, Pattern };
  Rule(Match match, std::string text);
  ~Rule();
  Rule(const Rule&) = delete;
  Rule& operator=(const Rule&) = delete;

  // Answers at most `n` batches; afterwards the rule is skipped.
  Rule& times(int n);

  // The builder calls of Reply, returning the rule for chaining.
  Rule& result(const std::vector<Column>& c) {
    Reply::result(c);
    return *this;
  }
  Rule& row(const Row& r) {
    Reply::row(r);
    return *this;
  }
  Rule& rows(const std::vector<Row>& r) {
    Reply::rows(r);
    return *this;
  }
  Rule& without_count() {
    Reply::without_count();
    return *this;
  }
  Rule& end_result() {
    Reply::end_result();
    return *this;
  }
  Rule& generate(uint64_t n, const std::vector<Column>& c) {
    Reply::generate(n, c);
    return *this;
  }
  Rule& row_count(uint64_t n) {
    Reply::row_count(n);
    return *this;
  }
  Rule& done() {
    Reply::done();
    return *this;
  }
  Rule& info(int32_t n, std::string t, uint8_t s = 0) {
    Reply::info(n, std::move(t), s);
    return *this;
  }
  Rule& error(int32_t n, uint8_t s, std::string t) {
    Reply::error(n, s, std::move(t));
    return *this;
  }
  Rule& message(const ServerMessage& m) {
    Reply::message(m);
    return *this;
  }
  Rule& delay(std::chrono::milliseconds ms) {
    Reply::delay(ms);
    return *this;
  }
  Rule& drop() {
    Reply::drop();
    return *this;
  }
  Rule& use_database(std::string n) {
    Reply::use_database(std::move(n));
    return *this;
  }
  Rule& reset() {
    Reply::reset();
    return *this;
  }
  Rule& done_error() {
    Reply::done_error();
    return *this;
  }
  Rule& error_token(int32_t n, uint8_t s, std::string t) {
    Reply::error_token(n, s, std::move(t));
    return *this;
  }
  Rule& raw(std::string bytes) {
    Reply::raw(std::move(bytes));
    return *this;
  }
  Rule& bad_packet() {
    Reply::bad_packet();
    return *this;
  }

  bool matches(std::string_view batch) const;
  // Takes one use; false when the rule is used up.
  bool take();
  // The items to send: result sets closed, a final DONE added, `more` set.
  std::vector<detail::Item> plan() const;

 private:
  struct Matcher;
  Match match_;
  std::string text_;
  std::unique_ptr<Matcher> matcher_;
  int remaining_ = -1;
};

struct ServerOptions {
  uint32_t max_tds_version = kTds74;  // the highest version acknowledged
  std::string server_name = "TARVEXTEST";
  std::string default_database = "master";  // when the login names none
  std::string language = "us_english";
  uint32_t packet_size = 0;  // 0: the size the client asks for
  size_t split_packets = 0;  // > 0: reply packets carry at most this many data bytes
  uint16_t first_spid = 51;
};

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Server {
 public:
  Server();
  explicit Server(ServerOptions options);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Listens on `host` at `port` (0: an ephemeral port); throws std::runtime_error.
  void start(uint16_t port = 0, const std::string& host = "127.0.0.1");
  // Closes every connection and joins every thread; also done by the destructor.
  void stop();
  bool running() const;
  uint16_t port() const;
  // "127.0.0.1:PORT", the server name dbopen takes.
  std::string address() const;

  // Options apply to connections that log in afterwards.
  void set_options(const ServerOptions& options);
  ServerOptions options() const;
  void set_max_tds_version(uint32_t version);
  void set_split_packets(size_t bytes);
  // Accepted credentials; while none is added every login is accepted.
  void add_login(std::string user, std::string password);
  // Databases a login may name; while none is added any name is accepted.
  void add_database(std::string name);
  // Every login fails with error 18456.
  void set_login_failure(bool fail);

  Rule& on_batch(std::string exact_text);  // the batch text, compared without surrounding blanks
  Rule& on_pattern(std::string regex);     // a GRegex found anywhere in the batch
  void clear_rules();

  // Reads a script (README.md); throws ScriptError naming the line.
  void load_script(std::string_view text);
  void load_script_file(const std::string& path);

  std::vector<ReceivedBatch> batches() const;
  std::vector<std::string> batch_texts() const;
  std::vector<LoginRecord> logins() const;
  size_t attention_count() const;
  size_t connection_count() const;
  void clear_history();
  // Called on a connection's thread for every batch received.
  void set_batch_observer(std::function<void(const ReceivedBatch&)> observer);

  struct State;

 private:
  std::shared_ptr<State> state_;
};

// Points FreeTDS at a private configuration with "client charset = UTF-8"
// (without it non-ASCII text arrives in the server's code page) unless
// FREETDSCONF is already set. Call before dbinit; the file is removed at exit.
void use_private_freetds_conf();

}  // namespace tarvex::test::tds
