#include "tests/brevane/database/fakes.h"

#include <map>

#include "brevane/contracts/ilog_manager.h"
#include "brevane/contracts/ilogger.h"
#include "brevane/foundation/logging_service.h"
#include "brevane/foundation/services.h"
#include "common/tarvex-gobject-private.h"
#include "providers/contracts/table_model.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_string.h"
#include "providers/sqlserver/sql_server_error.h"
#include "providers/sqlserver/tdsdb_error.h"

using tarvex::GRef;

namespace dbtest {

std::vector<std::string> FakeProviderState::take_calls() {
  std::lock_guard<std::mutex> guard(mutex);
  return std::exchange(calls, {});
}

}  // namespace dbtest

// ---------------------------------------------------------------------------
// Interface properties the doubles override; reading one gives its default.
static void override_properties(GObjectClass* klass, std::initializer_list<const char*> names) {
  klass->get_property = [](GObject*, guint, GValue* value, GParamSpec* pspec) {
    g_value_copy(g_param_spec_get_default_value(pspec), value);
  };
  klass->set_property = [](GObject*, guint, const GValue*, GParamSpec*) {};
  guint id = 1;
  for (const char* name : names) g_object_class_override_property(klass, id++, name);
}

// ---------------------------------------------------------------------------
// The fake provider.
typedef struct {
  GObject parent_instance;
  dbtest::FakeProviderState* state;
} DbTestFakeProvider;
typedef struct {
  GObjectClass parent_class;
} DbTestFakeProviderClass;

// A reader with no operations: execute_reader only hands it over.
typedef struct {
  GObject parent_instance;
} DbTestFakeReader;
typedef struct {
  GObjectClass parent_class;
} DbTestFakeReaderClass;
static void db_test_fake_reader_iface_init(TarvexProvidersContractsIDataReaderIface*) {}
G_DEFINE_TYPE_WITH_CODE(DbTestFakeReader, db_test_fake_reader, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IDATA_READER,
                                              db_test_fake_reader_iface_init))
static void db_test_fake_reader_class_init(DbTestFakeReaderClass* klass) {
  override_properties(G_OBJECT_CLASS(klass), {"field-count", "is-closed"});
}
static void db_test_fake_reader_init(DbTestFakeReader*) {}

namespace {

using Provider = TarvexProvidersContractsIProvider;
using dbtest::FakeProviderState;

FakeProviderState& state_of(Provider* self) {
  return *reinterpret_cast<DbTestFakeProvider*>(self)->state;
}

void record(Provider* self, const std::string& call) {
  auto& state = state_of(self);
  std::lock_guard<std::mutex> guard(state.mutex);
  state.calls.push_back(call);
}

void fail(Provider* self, GError** error) {
  auto& state = state_of(self);
  g_set_error_literal(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, state.fail_code,
                      state.fail_message.c_str());
}

// Counts how many execute operations run at once, and runs the hook.
struct Inside {
  FakeProviderState& state;
  Inside(Provider* self, const std::string& sql) : state(state_of(self)) {
    int now = ++state.inside;
    int most = state.most_inside.load();
    while (now > most && !state.most_inside.compare_exchange_weak(most, now)) {
    }
    g_thread_yield();
    if (state.during_execute) state.during_execute(sql);
  }
  ~Inside() { --state.inside; }
};

void fake_open(Provider* self, TarvexProvidersContractsServer*, const gchar* connection_string,
               GError** error) {
  record(self, "open");
  auto& state = state_of(self);
  state.connection_string = connection_string ? connection_string : "(null)";
  if (state.fail_open) {
    state.opened = false;
    g_set_error_literal(error, TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR, -1, "open_tds failed.");
    return;
  }
  state.opened = true;
}

void fake_close(Provider* self, GError** error) {
  record(self, "close");
  auto& state = state_of(self);
  state.opened = false;
  if (state.fail_close)
    g_set_error_literal(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, 20047, "dead");
}

TarvexProvidersContractsTableModel* make_model(int rows) {
  TarvexProvidersContractsDataType types[] = {TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32};
  auto* model = tarvex_providers_contracts_table_model_new_with_types(types, 1);
  for (int i = 0; i < rows; ++i) {
    auto row = GRef<TarvexProvidersContractsRowModel>::adopt(
        tarvex_providers_contracts_table_model_new_row(model));
    tarvex_providers_contracts_table_model_append(model, row.get());
  }
  return model;
}

TarvexProvidersContractsTableModel* fake_execute_model(Provider* self, const gchar* sql,
                                                       guint32 mode, GError** error) {
  record(self, "model:" + std::string(sql) + ":" + std::to_string(mode));
  Inside inside(self, sql);
  if (state_of(self).fail_execute) return fail(self, error), nullptr;
  return make_model(state_of(self).rows);
}

gint64 fake_execute_affect(Provider* self, const gchar* sql, guint32 mode, GError** error) {
  record(self, "affect:" + std::string(sql) + ":" + std::to_string(mode));
  Inside inside(self, sql);
  if (state_of(self).fail_execute) return fail(self, error), -1;
  return state_of(self).affected;
}

TarvexProvidersContractsValueObject* fake_execute_scalar(Provider* self, const gchar* sql,
                                                         guint32 mode, GError** error) {
  record(self, "scalar:" + std::string(sql) + ":" + std::to_string(mode));
  Inside inside(self, sql);
  if (state_of(self).fail_execute) return fail(self, error), nullptr;
  return reinterpret_cast<TarvexProvidersContractsValueObject*>(
      tarvex_providers_contracts_value_string_new(state_of(self).scalar.c_str()));
}

GObject** fake_execute_statements(Provider* self, const gchar* sql, guint32 mode, gint* length,
                                  GError** error) {
  record(self, "statements:" + std::string(sql) + ":" + std::to_string(mode));
  Inside inside(self, sql);
  if (state_of(self).fail_execute) return fail(self, error), nullptr;
  auto** results = static_cast<GObject**>(g_malloc0(sizeof(GObject*) * 3));
  results[0] = G_OBJECT(make_model(state_of(self).rows));
  results[1] = G_OBJECT(tarvex_providers_contracts_value_uint64_new(5));
  if (length) *length = 2;
  return results;
}

TarvexProvidersContractsIDataReader* fake_execute_reader(Provider* self, const gchar* sql,
                                                         GError** error) {
  record(self, "reader:" + std::string(sql));
  Inside inside(self, sql);
  if (state_of(self).fail_execute) return fail(self, error), nullptr;
  return reinterpret_cast<TarvexProvidersContractsIDataReader*>(
      g_object_new(db_test_fake_reader_get_type(), nullptr));
}

gboolean fake_transaction(Provider* self, GError** error) {
  record(self, "transaction");
  if (state_of(self).fail_execute) return fail(self, error), FALSE;
  return TRUE;
}

void fake_commit(Provider* self, GError** error) {
  record(self, "commit");
  if (state_of(self).fail_execute) fail(self, error);
}

void fake_rollback(Provider* self, GError** error) {
  record(self, "rollback");
  if (state_of(self).fail_execute) fail(self, error);
}

gboolean fake_get_is_opened(Provider* self) {
  return state_of(self).opened;
}

}  // namespace

static void db_test_fake_provider_iface_init(TarvexProvidersContractsIProviderIface* iface) {
  iface->open = fake_open;
  iface->close = fake_close;
  iface->execute_model = fake_execute_model;
  iface->execute_affect = fake_execute_affect;
  iface->execute_scalar = fake_execute_scalar;
  iface->execute_statements = fake_execute_statements;
  iface->execute_reader = fake_execute_reader;
  iface->transaction = fake_transaction;
  iface->commit = fake_commit;
  iface->rollback = fake_rollback;
  iface->get_is_opened = fake_get_is_opened;
}

G_DEFINE_TYPE_WITH_CODE(DbTestFakeProvider, db_test_fake_provider, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IPROVIDER,
                                              db_test_fake_provider_iface_init))

static void db_test_fake_provider_finalize(GObject* object) {
  delete reinterpret_cast<DbTestFakeProvider*>(object)->state;
  G_OBJECT_CLASS(db_test_fake_provider_parent_class)->finalize(object);
}
static void db_test_fake_provider_class_init(DbTestFakeProviderClass* klass) {
  G_OBJECT_CLASS(klass)->finalize = db_test_fake_provider_finalize;
  override_properties(G_OBJECT_CLASS(klass), {"is-opened"});
}
static void db_test_fake_provider_init(DbTestFakeProvider* self) {
  self->state = new dbtest::FakeProviderState();
}

// ---------------------------------------------------------------------------
// The recording logger and log manager.
namespace {

std::mutex s_lines_lock;
std::vector<dbtest::LogLine> s_lines;

}  // namespace

typedef struct {
  GObject parent_instance;
  std::string* uuid;
} DbTestLogger;
typedef struct {
  GObjectClass parent_class;
} DbTestLoggerClass;

static void db_test_logger_iface_init(TarvexBrevaneContractsLogILoggerIface* iface);
G_DEFINE_TYPE_WITH_CODE(DbTestLogger, db_test_logger, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOGGER,
                                              db_test_logger_iface_init))

static void db_test_logger_finalize(GObject* object) {
  delete reinterpret_cast<DbTestLogger*>(object)->uuid;
  G_OBJECT_CLASS(db_test_logger_parent_class)->finalize(object);
}
static void db_test_logger_class_init(DbTestLoggerClass* klass) {
  G_OBJECT_CLASS(klass)->finalize = db_test_logger_finalize;
  override_properties(G_OBJECT_CLASS(klass), {"uuid", "name", "server"});
}
static void db_test_logger_init(DbTestLogger* self) {
  self->uuid = new std::string();
}

namespace {

using Logger = TarvexBrevaneContractsLogILogger;

void write_line(Logger* self, TarvexBrevaneContractsLogLogLevel level, const gchar* format,
                va_list args) {
  gchar* text = g_strdup_vprintf(format, args);
  std::lock_guard<std::mutex> guard(s_lines_lock);
  s_lines.push_back({level, *reinterpret_cast<DbTestLogger*>(self)->uuid, text});
  g_free(text);
}

#define LOGGER_OP(name, level)                                                      \
  void logger_##name(Logger* self, const gchar*, const gchar*, const gchar* format, \
                     va_list args) {                                                \
    write_line(self, level, format, args);                                          \
  }
LOGGER_OP(error, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY)
LOGGER_OP(critical, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY)
LOGGER_OP(warning, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY)
LOGGER_OP(message, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN)
LOGGER_OP(info, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN)
LOGGER_OP(debug, TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG)

const gchar* logger_uuid(Logger* self) {
  return reinterpret_cast<DbTestLogger*>(self)->uuid->c_str();
}
const gchar* logger_name(Logger*) {
  return "test";
}
const gchar* logger_server(Logger*) {
  return "server";
}

Logger* logger_new(const char* uuid) {
  auto* logger = static_cast<DbTestLogger*>(g_object_new(db_test_logger_get_type(), nullptr));
  *logger->uuid = uuid ? uuid : "";
  return reinterpret_cast<Logger*>(logger);
}

}  // namespace

static void db_test_logger_iface_init(TarvexBrevaneContractsLogILoggerIface* iface) {
  iface->error = logger_error;
  iface->critical = logger_critical;
  iface->warning = logger_warning;
  iface->message = logger_message;
  iface->info = logger_info;
  iface->debug = logger_debug;
  iface->get_uuid = logger_uuid;
  iface->get_name = logger_name;
  iface->get_server = logger_server;
}

typedef struct {
  GObject parent_instance;
  Logger* main;
  std::map<std::string, Logger*>* opened;
} DbTestLogManager;
typedef struct {
  GObjectClass parent_class;
} DbTestLogManagerClass;

static void db_test_log_manager_iface_init(TarvexBrevaneContractsLogILogManagerIface* iface);
G_DEFINE_TYPE_WITH_CODE(DbTestLogManager, db_test_log_manager, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER,
                                              db_test_log_manager_iface_init))
static void db_test_log_manager_class_init(DbTestLogManagerClass* klass) {
  override_properties(G_OBJECT_CLASS(klass), {"main"});
}
static void db_test_log_manager_init(DbTestLogManager* self) {
  self->main = logger_new("main");
  self->opened = new std::map<std::string, Logger*>();
}

namespace {
using Manager = TarvexBrevaneContractsLogILogManager;
DbTestLogManager* manager_of(Manager* self) {
  return reinterpret_cast<DbTestLogManager*>(self);
}
void manager_initialize(Manager*, const gchar*, TarvexBrevaneContractsLogLogLevel, const gchar*,
                        gint64) {}
Logger* manager_open(Manager* self, const gchar* uuid) {
  auto& opened = *manager_of(self)->opened;
  auto& logger = opened[uuid ? uuid : ""];
  if (!logger) logger = logger_new(uuid);
  return static_cast<Logger*>(g_object_ref(logger));
}
void manager_close(Manager*, const gchar*) {}
void manager_shutdown(Manager*) {}
Logger* manager_get_main(Manager* self) {
  return manager_of(self)->main;
}
}  // namespace

static void db_test_log_manager_iface_init(TarvexBrevaneContractsLogILogManagerIface* iface) {
  iface->initialize = manager_initialize;
  iface->open = manager_open;
  iface->close = manager_close;
  iface->shutdown = manager_shutdown;
  iface->get_main = manager_get_main;
}

namespace dbtest {

void install_log_recorder() {
  static const bool installed = [] {
    tarvex_brevane_foundation_services_initialize();
    auto manager =
        GRef<GObject>::adopt(G_OBJECT(g_object_new(db_test_log_manager_get_type(), nullptr)));
    tarvex_brevane_foundation_services_register_instance(
        TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER, manager.get());
    tarvex_brevane_foundation_logging_service_initialize(
        "main", TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG, g_get_tmp_dir(), 1 << 20);
    return true;
  }();
  (void)installed;
}

std::vector<LogLine> take_log_lines(const std::string& uuid) {
  std::lock_guard<std::mutex> guard(s_lines_lock);
  std::vector<LogLine> taken, kept;
  for (auto& line : s_lines) (line.uuid == uuid ? taken : kept).push_back(line);
  s_lines = kept;
  return taken;
}

void clear_log_lines() {
  std::lock_guard<std::mutex> guard(s_lines_lock);
  s_lines.clear();
}

}  // namespace dbtest

namespace dbtest {

TarvexProvidersContractsIProvider* fake_provider_new() {
  return reinterpret_cast<TarvexProvidersContractsIProvider*>(
      g_object_new(db_test_fake_provider_get_type(), nullptr));
}

FakeProviderState& fake_state(TarvexProvidersContractsIProvider* provider) {
  return state_of(provider);
}

}  // namespace dbtest
