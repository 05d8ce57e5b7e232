#include "providers/sqlserver/sql_server_provider.h"

#include <glib/gi18n-lib.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "common/tarvex-log-mask-private.h"

#include "providers/contracts/value_int.h"
#include "providers/contracts/value_null.h"
#include "providers/sqlserver/sql_server_reader.h"
#include "providers/sqlserver/sqlserver-private.h"

using namespace tarvex;

using Provider = TarvexProvidersContractsIProvider;
using UserData = TarvexProvidersSupportsTdsUserData;
using Value = TarvexProvidersContractsValueObject;

// ------------------------------------------------------------ the handlers

namespace {

// db-lib answers a call on a dead process by reporting to the error handler
// again: a handler that cancels from inside a handler would recurse without
// end. While a handler's own db-lib calls run, reports only get logged.
thread_local bool in_handler_call = false;

// Set while db-lib writes a command to the server on this thread. A cancel
// from inside a handler then runs in the middle of db-lib's own write and
// breaks it (FreeTDS aborts the process): the handler records the failure
// and the operation returns it.
thread_local bool writing = false;

class WriteScope {
 public:
  WriteScope() { writing = true; }
  ~WriteScope() { writing = false; }
  WriteScope(const WriteScope&) = delete;
  WriteScope& operator=(const WriteScope&) = delete;
};

// What db-lib and the server said to one login attempt on this thread. The
// process has no record yet while db-lib logs in (it may not even exist), so
// the handlers report here instead.
struct LoginReport {
  std::vector<std::string> reasons;
  bool timed_out = false;

  void add(const char* text) {
    if (!text || !*text) return;
    if (std::find(reasons.begin(), reasons.end(), text) == reasons.end())
      reasons.emplace_back(text);
  }
};
thread_local LoginReport* login_report = nullptr;

// The informational messages (severity 10 and less) of the command running
// on this thread: only logged, unless the server then fails the statement
// without an error message, when they are all that explains the failure.
struct CommandNotes {
  UserData* userdata = nullptr;
  DBPROCESS* process = nullptr;
  std::vector<std::pair<gint, std::string>> notes;
};
thread_local CommandNotes* command_notes = nullptr;

// Discards what is pending on the process from inside a handler.
void cancel_from_handler(DBPROCESS* p) {
  if (in_handler_call || writing) return;
  in_handler_call = true;
  dbcanquery(p);
  dbcancel(p);
  in_handler_call = false;
}

const char* or_empty(const char* text) {
  return text ? text : "";
}

gint error_handler(DBPROCESS* p, gint severity, gint dberr, gint oserr, const char* dberrstr,
                   const char* oserrstr) {
  // A process is needed before any db-lib call: db-lib reports a null one
  // to this same handler. Passwords in the command text stay out of the log.
  const char* sql = p && !in_handler_call ? dbgetchar(p, 0) : nullptr;
  g_warning("provider:275: conn=%p,severity=%d,oserr=%d,dberr=%d,oserrstr=%s,dberrstr=%s\nsql=%s",
            (void*)p, severity, oserr, dberr, or_empty(oserrstr), or_empty(dberrstr),
            sql ? masked_for_log(sql).c_str() : "");
  if (in_handler_call) return INT_CANCEL;

  UserData* userdata = sqlserver::userdata_of(p);
  if (!userdata) {
    // A login under way (its process has no record yet), or a process that
    // is not a provider's: nothing to queue into.
    if (login_report) {
      if (dberr == SYBETIME) login_report->timed_out = true;
      // "Check messages from the server" adds nothing to the messages.
      if (dberr != SYBESMSG) login_report->add(dberrstr);
      // A timeout's system text ("Operation now in progress") says nothing.
      if (oserr != 0 && dberr != SYBETIME) login_report->add(oserrstr);
    }
    return INT_CANCEL;
  }

  if (dberr == 0) {
    sqlserver::queue_message(userdata, severity, oserr, oserrstr, "Library");
    if (!userdata->dead) cancel_from_handler(p);
    return INT_CANCEL;
  }

  gint answer = INT_CANCEL;
  switch (dberr) {
    case SYBETIME:
      answer = userdata->timed_out ? INT_CANCEL : INT_TIMEOUT;
      userdata->timed_out = TRUE;
      userdata->failed = TRUE;
      break;
    case SYBEWRIT:
      if (userdata->dead || userdata->cancelled) return INT_CANCEL;
      userdata->failed = TRUE;
      break;
    case 2402:
      // The text could not be converted while db-lib wrote it: the write
      // must end before anything is cancelled.
      userdata->failed = TRUE;
      if (!userdata->dead) cancel_from_handler(p);
      break;
    default:
      break;
  }

  sqlserver::queue_message(userdata, severity, dberr, dberrstr, "SQL");

  if (!userdata->cancelling && !userdata->dead && userdata->failed && dbdead(p) &&
      !userdata->closing) {
    userdata->dead = TRUE;
    userdata->cancelled = TRUE;
    cancel_from_handler(p);
  }
  return answer;
}

gint message_handler(DBPROCESS* p, DBINT msgno, gint msgstate, gint severity, const char* msgtext,
                     const char* srvname, const char* procname, gint line) {
  g_warning("provider:359: server=%s,severity=%d,msgno=%d,msgtext=%s,proc=%s,line=%d",
            or_empty(srvname), severity, int(msgno), or_empty(msgtext), or_empty(procname), line);
  if (msgno == 5701 || msgno == 5703) return 0;
  if (in_handler_call) return 0;

  UserData* userdata = sqlserver::userdata_of(p);
  if (!userdata) {
    // The server's answer to a login (18456, 4060) comes before the record.
    if (login_report && severity > 10) login_report->add(msgtext);
    return 0;
  }

  if (severity > 10) {
    userdata->failed = TRUE;
    sqlserver::queue_message(userdata, severity, msgno, msgtext, "message");
  } else if (command_notes && command_notes->process == p && msgtext && *msgtext) {
    command_notes->notes.emplace_back(msgno, msgtext);
  }

  if (userdata->failed && !userdata->dead && dbdead(p) && !userdata->closing) {
    if (userdata->cancelling) {
      cancel_from_handler(p);
      userdata->cancelled = TRUE;
    } else {
      userdata->dead = TRUE;
      userdata->cancelled = TRUE;
      cancel_from_handler(p);
    }
  }
  return 0;
}

int error_handler_entry(DBPROCESS* p, int severity, int dberr, int oserr, char* dberrstr,
                        char* oserrstr) {
  return error_handler(p, severity, dberr, oserr, dberrstr, oserrstr);
}

int message_handler_entry(DBPROCESS* p, DBINT msgno, int msgstate, int severity, char* msgtext,
                          char* srvname, char* procname, int line) {
  return message_handler(p, msgno, msgstate, severity, msgtext, srvname, procname, line);
}

}  // namespace

gint tarvex_providers_supports_sql_server_provider_tds_error_handler(gpointer dbproc, gint severity,
                                                                     gint dberr, gint oserr,
                                                                     const gchar* dberrstr,
                                                                     const gchar* oserrstr) {
  return error_handler(static_cast<DBPROCESS*>(dbproc), severity, dberr, oserr, dberrstr, oserrstr);
}

gint tarvex_providers_supports_sql_server_provider_tds_message_handler(
    gpointer dbproc, gint msgno, gint msgstate, gint severity, const gchar* msgtext,
    const gchar* srvname, const gchar* procname, gint line) {
  return message_handler(static_cast<DBPROCESS*>(dbproc), msgno, msgstate, severity, msgtext,
                         srvname, procname, line);
}

// ------------------------------------------------------------ the provider

typedef struct _TarvexProvidersSupportsSQLServerProviderPrivate
    TarvexProvidersSupportsSQLServerProviderPrivate;
struct _TarvexProvidersSupportsSQLServerProviderPrivate {
  // A provider is a public object that threads may share: every db-lib call
  // on its process, and the queue its handlers fill, is used under this lock.
  std::recursive_mutex lock;
  UserData userdata{};
  DBPROCESS* process = nullptr;

  _TarvexProvidersSupportsSQLServerProviderPrivate() {
    userdata.queue = gee_array_queue_new(
        tarvex_providers_supports_tds_message_get_type(),
        reinterpret_cast<GBoxedCopyFunc>(tarvex_providers_supports_tds_message_ref),
        tarvex_providers_supports_tds_message_unref, nullptr, nullptr, nullptr);
  }
  ~_TarvexProvidersSupportsSQLServerProviderPrivate() {
    if (process) dbclose(process);
    tarvex_providers_supports_tds_user_data_destroy(&userdata);
  }
};

static void sql_server_provider_provider_init(TarvexProvidersContractsIProviderIface* iface);
static void sql_server_provider_error_init(TarvexProvidersSupportsISQLServerErrorIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexProvidersSupportsSQLServerProvider, tarvex_providers_supports_sql_server_provider,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(tarvex_providers_contracts_iprovider_get_type(),
                          sql_server_provider_provider_init)
        G_IMPLEMENT_INTERFACE(tarvex_providers_supports_isql_server_error_get_type(),
                              sql_server_provider_error_init))

namespace {

enum { PROP_0, PROP_USERDATA, PROP_IS_OPENED, N_PROPERTIES };

using Private = TarvexProvidersSupportsSQLServerProviderPrivate;

inline Private* priv_of(gconstpointer self) {
  return tarvex_providers_supports_sql_server_provider_get_private(self);
}

using Lock = std::lock_guard<std::recursive_mutex>;

// How long a login may wait for the server. A listener that accepts the
// connection and never answers would otherwise hold the host forever;
// queries keep db-lib's default of no limit (long queries are normal).
constexpr int kLoginSeconds = 15;

void set_sqlserver_error(GError** error, const char* text) {
  g_set_error_literal(error, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1, text);
}

// The offset of the first byte that is not valid UTF-8, or -1. db-lib
// converts the text to the server's encoding while it writes it; a byte it
// cannot convert fails in the middle of that write.
gssize invalid_utf8_offset(const char* text) {
  const gchar* end = nullptr;
  if (g_utf8_validate(text, -1, &end)) return -1;
  return end - text;
}

// One command on the held process, from clearing what an earlier one left
// to draining what this one did not read.
class Command {
 public:
  explicit Command(Private* priv) : priv_(priv), p_(priv->process), outer_(command_notes) {
    notes_.userdata = &priv->userdata;
    notes_.process = p_;
    command_notes = &notes_;
  }
  ~Command() { command_notes = outer_; }
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  // Sends the text after clearing pending results. False with the error set.
  bool send(const char* sql, GError** error) {
    if (!begin(error)) return false;
    gssize bad = invalid_utf8_offset(sql);
    if (bad >= 0) {
      g_set_error(error, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1,
                  _("The SQL text is not valid UTF-8: byte 0x%02X at offset %" G_GSSIZE_FORMAT
                    " is not part of a character."),
                  guint(guchar(sql[bad])), bad);
      return false;
    }
    if (check(dbcmd(p_, sql), error)) return false;
    RETCODE sent;
    {
      WriteScope scope;
      sent = dbsqlsend(p_);
    }
    if (check(sent, error)) return false;
    if (check(dbsqlok(p_), error)) return false;
    // A failure recorded while the text was written (a character db-lib
    // could not convert) is this command's, whatever db-lib answered.
    if (sqlserver::raise_queued(&priv_->userdata, error)) return false;
    return true;
  }

  // Every operation starts with an empty queue, so its error carries its
  // own messages only, and a dead process fails it at once: a message left
  // from before the drop would otherwise come back on every later command.
  bool begin(GError** error) {
    sqlserver::queue_clear(&priv_->userdata);
    notes_.notes.clear();
    if (!p_ || dbdead(p_)) {
      set_sqlserver_error(error, _("Not connected."));
      return false;
    }
    // Each command's first timeout cancels only that command.
    priv_->userdata.timed_out = FALSE;
    RETCODE rc = dbsqlok(p_);
    if (check(rc, error)) return false;
    if (rc == SUCCEED) discard_results();
    if (check(dbcanquery(p_), error)) return false;
    if (check(dbcancel(p_), error)) return false;
    sqlserver::queue_clear(&priv_->userdata);
    notes_.notes.clear();
    return true;
  }

  // raise_error: true when the code failed and the error was set.
  bool check(RETCODE rc, GError** error) {
    return sqlserver::raise_error(&priv_->userdata, rc, error);
  }

  // Reads the statements after the one the operation used, inside the same
  // operation: a later statement that failed makes the command fail, rather
  // than being dropped by the next command's clearing.
  bool finish(GError** error) {
    bool failed = discard_results();
    if (sqlserver::raise_queued(&priv_->userdata, error)) return false;
    if (failed) return !check(FAIL, error);
    return true;
  }

  DBPROCESS* process() const { return p_; }

 private:
  // Reads every remaining row and result; true when a statement failed. A
  // failed statement is followed by the batch's next one, so only a dead
  // process (or db-lib refusing again and again) ends the reading early.
  bool discard_results() {
    bool failed = false;
    int failures_in_a_row = 0;
    discard_rows();
    while (true) {
      RETCODE rc = dbresults(p_);
      if (rc == NO_MORE_RESULTS) break;
      if (rc == FAIL) {
        failed = true;
        if (dbdead(p_) || ++failures_in_a_row > 64) break;
      } else {
        failures_in_a_row = 0;
      }
      discard_rows();
    }
    return failed;
  }

  void discard_rows() {
    while (true) {
      STATUS row = dbnextrow(p_);
      if (row == NO_MORE_ROWS || row == FAIL || row == BUF_FULL) break;
    }
  }

  Private* priv_;
  DBPROCESS* p_;
  CommandNotes notes_;
  CommandNotes* outer_;
};

}  // namespace

namespace tarvex::sqlserver {

bool explain_unreported(UserData* userdata, GError** error) {
  CommandNotes* current = command_notes;
  if (!current || !userdata || current->userdata != userdata || !current->process) return false;
  // A statement the server failed with only informational messages: they
  // are what explains it.
  if (!current->notes.empty()) {
    std::string text;
    for (const auto& note : current->notes) text += note.second + "\n";
    g_set_error_literal(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, current->notes.front().first,
                        text.c_str());
    return true;
  }
  const char* text = dbdead(current->process)
                         ? _("The connection to the server was lost.")
                         : _("The server reported an error without a message.");
  g_set_error_literal(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, -1, text);
  return true;
}

}  // namespace tarvex::sqlserver

namespace {

// Statements without a count (SET NOCOUNT ON, DDL) give -1.
inline DBINT affected(DBPROCESS* p) {
  return std::max<DBINT>(dbcount(p), 0);
}

// "open_tds failed." and why: what the server and db-lib said to the attempt.
std::string open_failure_text(const LoginReport& report) {
  std::string text = "open_tds failed.";
  for (const auto& reason : report.reasons) {
    text += ' ';
    text += reason;
    if (!std::strchr(".!?", reason.back())) text += '.';
  }
  if (report.timed_out && report.reasons.empty())
    text += " The login timed out: the server did not answer.";
  return text;
}

// ----- IProvider

void provider_open(Provider* self, TarvexProvidersContractsServer* server,
                   const gchar* connection_string, GError** error) {
  g_return_if_fail(server != NULL);
  g_return_if_fail(connection_string != NULL);
  auto* priv = priv_of(self);
  Lock lock(priv->lock);
  sqlserver::queue_clear(&priv->userdata);

  const char* host = or_empty(tarvex_providers_contracts_server_get_host(server));
  gint port = tarvex_providers_contracts_server_get_port(server);
  GUnique<LOGINREC> login(dblogin());
  if (!login) {
    set_sqlserver_error(error, "open_tds failed.");
    return;
  }
  dbsetlname(login.get(), "Tarvex", DBSETAPP);
  dbsetlname(login.get(), host, DBSETHOST);
  dbsetlname(login.get(), or_empty(tarvex_providers_contracts_server_get_initial(server)),
             DBSETDBNAME);
  dbsetlname(login.get(), or_empty(tarvex_providers_contracts_server_get_username(server)),
             DBSETUSER);
  dbsetlname(login.get(), or_empty(tarvex_providers_contracts_server_get_password(server)),
             DBSETPWD);
  dbsetlname(login.get(), "UTF-8", DBSETCHARSET);
  // UTF-16 rather than UCS-2 with the server, so characters beyond the
  // Basic Multilingual Plane (emoji, rarer CJK) travel in both directions.
  dbsetlbool(login.get(), TRUE, DBSETUTF16);
  // One protocol version: after a failed or timed-out attempt db-lib would
  // otherwise try again with an older one, and that attempt can block.
  dbsetlversion(login.get(), DBVERSION_74);
  dbsetlogintime(kLoginSeconds);

  // db-lib sends a bare host name to port 1433 whatever the description's
  // port says, which could log in to another server (or around a tunnel on
  // 127.0.0.1): with a port, connect there only. A named instance is found
  // by its name.
  std::string target = port <= 0 || std::strchr(host, '\\')
                           ? std::string(host)
                           : std::string(host) + ":" + std::to_string(port);
  LoginReport report;
  login_report = &report;
  DBPROCESS* attempt = tdsdbopen(login.get(), target.c_str(), TRUE);
  login_report = nullptr;
  if (priv->process) dbclose(priv->process);
  priv->process = attempt;
  if (!priv->process) {
    set_sqlserver_error(error, open_failure_text(report).c_str());
    return;
  }

  // A new login starts with a clean record: flags of an earlier one would
  // change how this one's errors are handled.
  auto& userdata = priv->userdata;
  userdata.closing = userdata.timed_out = userdata.failed = FALSE;
  userdata.dead = userdata.cancelled = userdata.cancelling = FALSE;
  sqlserver::queue_clear(&userdata);
  dbsetuserdata(priv->process, reinterpret_cast<BYTE*>(&userdata));
  g_debug("provider:71: Connected to server: %s:%d => %s", host, port,
          priv->process ? "true" : "false");
}

void provider_close(Provider* self, GError**) {
  auto* priv = priv_of(self);
  Lock lock(priv->lock);
  if (priv->process) {
    dbclose(priv->process);
    priv->process = nullptr;
  }
  g_debug("provider:77: Connection closed.");
}

TarvexProvidersContractsTableModel* provider_execute_model(Provider* self, const gchar* statement,
                                                           guint32, GError** error) {
  g_return_val_if_fail(statement != NULL, NULL);
  Lock lock(priv_of(self)->lock);
  Command command(priv_of(self));
  if (!command.send(statement, error)) return nullptr;
  DBPROCESS* p = command.process();
  RETCODE rc = dbresults(p);
  if (command.check(rc, error)) return nullptr;
  if (rc == NO_MORE_RESULTS || dbnumcols(p) <= 0) {
    if (command.finish(error)) set_sqlserver_error(error, _("No data returned."));
    return nullptr;
  }
  auto table = adoptGRef(sqlserver::fill_model(p, error));
  if (!table) return nullptr;
  if (!command.finish(error)) return nullptr;
  return table.leak();
}

gint64 provider_execute_affect(Provider* self, const gchar* statement, guint32, GError** error) {
  g_return_val_if_fail(statement != NULL, 0);
  Lock lock(priv_of(self)->lock);
  Command command(priv_of(self));
  if (!command.send(statement, error)) return -1;
  DBPROCESS* p = command.process();
  RETCODE rc = dbresults(p);
  if (command.check(rc, error)) return -1;
  gint64 count = rc == NO_MORE_RESULTS ? 0 : affected(p);
  // Rows nobody asked for are skipped, but a reply broken among them is
  // this command's failure.
  if (command.check(dbcanquery(p), error)) return -1;
  if (!command.finish(error)) return -1;
  return count;
}

Value* provider_execute_scalar(Provider* self, const gchar* statement, guint32, GError** error) {
  g_return_val_if_fail(statement != NULL, NULL);
  Lock lock(priv_of(self)->lock);
  Command command(priv_of(self));
  if (!command.send(statement, error)) return nullptr;
  DBPROCESS* p = command.process();
  RETCODE rc = dbresults(p);
  if (command.check(rc, error)) return nullptr;
  if (rc == NO_MORE_RESULTS) {
    if (command.finish(error)) set_sqlserver_error(error, _("No data return"));
    return nullptr;
  }
  GRef<Value> value;
  if (dbnumcols(p) <= 0) {
    value = adoptGRef(
        reinterpret_cast<Value*>(tarvex_providers_contracts_value_int32_new(affected(p))));
  } else if (dbrows(p) == FAIL) {
    value = adoptGRef(reinterpret_cast<Value*>(tarvex_providers_contracts_value_null_new()));
  } else {
    auto reader = adoptGRef(tarvex_providers_supports_sql_server_reader_new(p));
    auto* as_reader = reinterpret_cast<TarvexProvidersContractsIDataReader*>(reader.get());
    GError* local = nullptr;
    tarvex_providers_contracts_idata_reader_read(as_reader, &local);
    if (!local)
      value = adoptGRef(tarvex_providers_contracts_idata_reader_get_value(as_reader, 0, &local));
    if (!local) tarvex_providers_contracts_idata_reader_close(as_reader, &local);
    if (local) {
      g_propagate_error(error, local);
      return nullptr;
    }
  }
  // The rows after the first and the later statements are read here, so a
  // failure among them is this command's.
  if (!command.finish(error)) return nullptr;
  return value.leak();
}

GObject** provider_execute_statements(Provider* self, const gchar* statements, guint32,
                                      gint* result_length1, GError** error) {
  g_return_val_if_fail(statements != NULL, NULL);
  Lock lock(priv_of(self)->lock);
  Command command(priv_of(self));
  if (!command.send(statements, error)) return nullptr;
  DBPROCESS* p = command.process();
  std::vector<GRef<GObject>> results;
  while (true) {
    RETCODE rc = dbresults(p);
    if (command.check(rc, error)) return nullptr;
    if (rc != SUCCEED) break;
    if (dbnumcols(p) < 1) {
      results.push_back(
          adoptGRef(G_OBJECT(tarvex_providers_contracts_value_uint64_new(guint64(affected(p))))));
    } else {
      auto* table = sqlserver::fill_model(p, error);
      if (!table) return nullptr;
      results.push_back(adoptGRef(G_OBJECT(table)));
    }
  }
  if (!command.finish(error)) return nullptr;
  auto** array = static_cast<GObject**>(g_malloc0(sizeof(GObject*) * (results.size() + 1)));
  for (size_t i = 0; i < results.size(); i++) array[i] = results[i].leak();
  if (result_length1) *result_length1 = gint(results.size());
  return array;
}

TarvexProvidersContractsIDataReader* provider_execute_reader(Provider* self, const gchar* statement,
                                                             GError** error) {
  g_return_val_if_fail(statement != NULL, NULL);
  Lock lock(priv_of(self)->lock);
  Command command(priv_of(self));
  if (!command.send(statement, error)) return nullptr;
  DBPROCESS* p = command.process();
  RETCODE rc = dbresults(p);
  if (command.check(rc, error)) return nullptr;
  if (rc != NO_MORE_RESULTS && dbnumcols(p) > 0)
    return reinterpret_cast<TarvexProvidersContractsIDataReader*>(
        tarvex_providers_supports_sql_server_reader_new(p));
  if (command.finish(error)) set_sqlserver_error(error, _("No data return"));
  return nullptr;
}

bool run_simple(Provider* self, const char* sql, GError** error) {
  Lock lock(priv_of(self)->lock);
  Command command(priv_of(self));
  if (!command.send(sql, error)) return false;
  if (command.check(dbresults(command.process()), error)) return false;
  return command.finish(error);
}

gboolean provider_transaction(Provider* self, GError** error) {
  return run_simple(self, "BEGIN TRANSACTION", error);
}

void provider_commit(Provider* self, GError** error) {
  run_simple(self, "COMMIT TRANSACTION", error);
}

void provider_rollback(Provider* self, GError** error) {
  run_simple(self, "ROLLBACK TRANSACTION", error);
}

gboolean provider_get_is_opened(Provider* self) {
  auto* priv = priv_of(self);
  Lock lock(priv->lock);
  return priv->process && !dbdead(priv->process);
}

// ----- ISQLServerError

UserData* provider_get_userdata(TarvexProvidersSupportsISQLServerError* self) {
  return &priv_of(self)->userdata;
}

void provider_get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  switch (prop_id) {
    case PROP_USERDATA:
      g_value_set_pointer(value, &priv_of(object)->userdata);
      break;
    case PROP_IS_OPENED:
      g_value_set_boolean(value, provider_get_is_opened(reinterpret_cast<Provider*>(object)));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

// Every construction installs the handlers again (they are process-wide)
// and raises db-lib's process limit.
void provider_constructed(GObject* object) {
  G_OBJECT_CLASS(tarvex_providers_supports_sql_server_provider_parent_class)->constructed(object);
  dbsetmaxprocs(1024);
  dberrhandle(error_handler_entry);
  dbmsghandle(message_handler_entry);
}

}  // namespace

static void sql_server_provider_provider_init(TarvexProvidersContractsIProviderIface* iface) {
  iface->open = provider_open;
  iface->close = provider_close;
  iface->execute_model = provider_execute_model;
  iface->execute_affect = provider_execute_affect;
  iface->execute_scalar = provider_execute_scalar;
  iface->execute_statements = provider_execute_statements;
  iface->execute_reader = provider_execute_reader;
  iface->transaction = provider_transaction;
  iface->commit = provider_commit;
  iface->rollback = provider_rollback;
  iface->get_is_opened = provider_get_is_opened;
}

static void sql_server_provider_error_init(TarvexProvidersSupportsISQLServerErrorIface* iface) {
  iface->get_userdata = provider_get_userdata;
}

static void tarvex_providers_supports_sql_server_provider_class_setup(
    TarvexProvidersSupportsSQLServerProviderClass* klass) {
  // db-lib is set up once for the process and never shut down: other
  // providers may still hold processes.
  dbinit();
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = provider_get_property;
  oc->constructed = provider_constructed;
  g_object_class_override_property(oc, PROP_USERDATA, "userdata");
  g_object_class_override_property(oc, PROP_IS_OPENED, "is-opened");
}

TarvexProvidersSupportsSQLServerProvider* tarvex_providers_supports_sql_server_provider_construct(
    GType object_type) {
  return static_cast<TarvexProvidersSupportsSQLServerProvider*>(g_object_new(object_type, nullptr));
}

TarvexProvidersSupportsSQLServerProvider* tarvex_providers_supports_sql_server_provider_new(void) {
  return tarvex_providers_supports_sql_server_provider_construct(
      TARVEX_PROVIDERS_SUPPORTS_TYPE_SQL_SERVER_PROVIDER);
}
