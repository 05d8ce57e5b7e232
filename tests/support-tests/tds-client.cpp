#include "tests/support-tests/tds-client.h"

#include <glib.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace tarvex::test::tdsclient {

namespace {

std::mutex events_mutex;
std::vector<Event> recorded;
std::atomic<int> timeout_answer{INT_CANCEL};

int on_error(DBPROCESS*, int severity, int dberr, int oserr, char* dberrstr, char* oserrstr) {
  std::lock_guard<std::mutex> lock(events_mutex);
  recorded.push_back({"err", dberr, severity, dberrstr ? dberrstr : ""});
  (void)oserr;
  (void)oserrstr;
  if (dberr == SYBETIME) return timeout_answer.load();
  return INT_CANCEL;
}

int on_message(DBPROCESS*, DBINT number, int state, int severity, char* text, char*, char*, int) {
  std::lock_guard<std::mutex> lock(events_mutex);
  recorded.push_back({"msg", int(number), severity, text ? text : ""});
  (void)state;
  return 0;
}

bool is_date_type(int type) {
  switch (type) {
    case SYBMSDATE:
    case SYBMSTIME:
    case SYBMSDATETIME2:
    case SYBMSDATETIMEOFFSET:
    case SYBDATETIME:
    case SYBDATETIME4:
    case SYBDATETIMN:
      return true;
    default:
      return false;
  }
}

bool is_raw_type(int type) {
  switch (type) {
    case SYBBINARY:
    case SYBVARBINARY:
    case SYBIMAGE:
    case kSybVariant:
    case 240:  // UDT
      return true;
    default:
      return false;
  }
}

}  // namespace

std::vector<Event> events() {
  std::lock_guard<std::mutex> lock(events_mutex);
  return recorded;
}

void clear_events() {
  std::lock_guard<std::mutex> lock(events_mutex);
  recorded.clear();
}

bool saw(const std::string& kind, int number) {
  for (const auto& e : events())
    if (e.kind == kind && e.number == number) return true;
  return false;
}

void set_timeout_answer(int answer) {
  timeout_answer = answer;
}

void init_dblib() {
  static std::once_flag once;
  std::call_once(once, [] {
    tds::use_private_freetds_conf();
    dbinit();
    dberrhandle(on_error);
    dbmsghandle(on_message);
  });
}

Db connect(const tds::Server& server, const LoginOptions& o) {
  init_dblib();
  LOGINREC* login = dblogin();
  DBSETLUSER(login, o.user.c_str());
  DBSETLPWD(login, o.password.c_str());
  DBSETLAPP(login, o.app.c_str());
  if (!o.database.empty()) dbsetlname(login, o.database.c_str(), DBSETDBNAME);
  dbsetlversion(login, BYTE(o.version));
  DBSETLCHARSET(login, "UTF-8");
  DBPROCESS* p = dbopen(login, server.address().c_str());
  dbloginfree(login);
  return Db(p);
}

bool exec(DBPROCESS* p, const std::string& sql) {
  if (dbcmd(p, sql.c_str()) == kFail) return false;
  return dbsqlexec(p) == kSucceed;
}

std::string cell_text(DBPROCESS* p, int column) {
  BYTE* data = dbdata(p, column);
  DBINT len = dbdatlen(p, column);
  int type = dbcoltype(p, column);
  if (!data && len == 0) return "NULL";
  if (is_raw_type(type)) {
    std::string s = "0x";
    char b[4];
    for (DBINT k = 0; k < len; k++) {
      g_snprintf(b, sizeof b, "%02X", data[k]);
      s += b;
    }
    return s;
  }
  if (type == SYBCHAR || type == SYBVARCHAR || type == SYBTEXT || type == SYBNTEXT ||
      type == SYBNVARCHAR || type == kSybXml)
    return std::string(reinterpret_cast<const char*>(data), size_t(len));
  if (is_date_type(type)) {
    DBDATEREC2 d{};
    if (dbanydatecrack(p, &d, type, data) != kSucceed) return "crack failed";
    char b[64];
    g_snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d:%02d.%09d", d.dateyear, d.datemonth + 1,
               d.datedmonth, d.datehour, d.dateminute, d.datesecond, d.datensecond);
    return b;
  }
  char buf[512];
  std::memset(buf, 0, sizeof buf);
  DBINT n = dbconvert(p, type, data, len, SYBCHAR, reinterpret_cast<BYTE*>(buf), sizeof buf - 1);
  if (n < 0) return "convert failed";
  std::string s(buf, size_t(n));
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

std::vector<ResultSet> read_all(DBPROCESS* p) {
  std::vector<ResultSet> out;
  RETCODE rc;
  while ((rc = dbresults(p)) != NO_MORE_RESULTS) {
    if (rc == kFail) break;
    ResultSet rs;
    int n = dbnumcols(p);
    for (int c = 1; c <= n; c++) {
      rs.names.push_back(dbcolname(p, c));
      rs.types.push_back(dbcoltype(p, c));
    }
    while ((rc = dbnextrow(p)) != NO_MORE_ROWS) {
      if (rc == kFail) break;
      std::vector<std::string> row;
      for (int c = 1; c <= n; c++) row.push_back(cell_text(p, c));
      rs.rows.push_back(std::move(row));
    }
    rs.count = dbcount(p);
    out.push_back(std::move(rs));
    if (rc == kFail) break;
  }
  return out;
}

}  // namespace tarvex::test::tdsclient
