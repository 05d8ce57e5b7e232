// Raw db-lib client helpers for the tests of the TDS test server.
#pragma once

#include <sybdb.h>
#include <sybfront.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/log-capture.h"
#include "tests/support/tds-server.h"

namespace tarvex::test::tdsclient {

// GoogleTest's FAIL() and SUCCEED() macros replace db-lib's constants.
constexpr RETCODE kFail = 0;
constexpr RETCODE kSucceed = 1;
constexpr int kSybUnique = 36;
constexpr int kSybVariant = 98;
constexpr int kSybXml = 241;

// What the db-lib handlers saw: server messages ("msg") and library errors ("err").
struct Event {
  std::string kind;
  int number = 0;
  int severity = 0;
  std::string text;
};

std::vector<Event> events();
void clear_events();
bool saw(const std::string& kind, int number);
// The answer the error handler gives to a timeout (20003).
void set_timeout_answer(int answer);

struct LoginOptions {
  std::string user = "sa";
  std::string password = "secret";
  std::string database;
  std::string app = "tds-tests";
  int version = DBVERSION_74;
};

// A db-lib process, closed at the end of its scope.
class Db {
 public:
  Db() = default;
  explicit Db(DBPROCESS* p) : p_(p) {}
  ~Db() { reset(); }
  Db(Db&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
  Db& operator=(Db&& o) noexcept {
    if (this != &o) {
      reset();
      p_ = o.p_;
      o.p_ = nullptr;
    }
    return *this;
  }
  void reset() {
    if (p_) dbclose(p_);
    p_ = nullptr;
  }
  DBPROCESS* get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  DBPROCESS* p_ = nullptr;
};

// dbinit, handlers and the private freetds.conf, once per process.
void init_dblib();
Db connect(const tds::Server& server, const LoginOptions& options = {});

// Sends a batch; true when dbsqlexec succeeded.
bool exec(DBPROCESS* p, const std::string& sql);

// A cell as text: "NULL", the raw characters of character data, "0x..." for
// binary and sql_variant data, "YYYY-MM-DD hh:mm:ss.nnnnnnnnn" for date and
// time types (cracked), db-lib's conversion to char for the rest.
std::string cell_text(DBPROCESS* p, int column);

struct ResultSet {
  std::vector<std::string> names;
  std::vector<int> types;
  std::vector<std::vector<std::string>> rows;
  DBINT count = -1;
};

// Reads every result of the current batch (after exec).
std::vector<ResultSet> read_all(DBPROCESS* p);

}  // namespace tarvex::test::tdsclient
