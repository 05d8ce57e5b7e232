// A small host program standing in for the desktop application: it starts
// the services and the logging as a host does, opens a SQL Server connection,
// prints the server version, runs a query and prints the table model it gets
// back as a grid, lists the tables of a schema through the connection's
// explorer, fills one table from the catalog through its adapter, prints the
// table's CREATE TABLE script from its builder, fills one view, one
// procedure and one user and prints them, and closes. "opened" and
// "closed" are printed as they fire.
//
//   tarvex-example                                   the embedded test server
//   tarvex-example HOST PORT USER PASSWORD DATABASE [QUERY [SCHEMA.TABLE]]
//   tarvex-example --ssh-tunnel SSH_HOST SSH_PORT SSH_USER SSH_PASSWORD [...]
//
// With --ssh-tunnel the connection goes through an SSH tunnel (ssh through
// sshpass); the output is the same as for a direct open.
//
// Without a server on the command line it starts the scripted TDS test
// server with its sample database (TARVEX_TDS_SERVER and TARVEX_TDS_SAMPLE
// name other files).
#include <glib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

const char* kDefaultQuery = "SELECT * FROM dbo.Customers";

struct Target {
  std::string host = "127.0.0.1";
  int port = 0;
  std::string user = "sa";
  std::string password;
  std::string database = "Sample";
  std::string query = kDefaultQuery;
  std::string schema = "dbo";
  std::string table = "Customers";

  // "SCHEMA.TABLE", or a table of dbo.
  void set_table(const std::string& name) {
    auto dot = name.find('.');
    schema = dot == std::string::npos ? "dbo" : name.substr(0, dot);
    table = dot == std::string::npos ? name : name.substr(dot + 1);
  }
};

// The embedded server: started with a pipe on its standard input, so it
// ends when this program does.
struct EmbeddedServer {
  GPid pid = 0;
  int stdin_fd = -1;

  bool start(int& port) {
    const char* program = g_getenv("TARVEX_TDS_SERVER");
    const char* script = g_getenv("TARVEX_TDS_SAMPLE");
    std::string program_path = program ? program : TARVEX_TDS_SERVER;
    std::string script_path = script ? script : TARVEX_TDS_SAMPLE;
    const char* argv[] = {program_path.c_str(), script_path.c_str(), nullptr};
    int stdout_fd = -1;
    GError* error = nullptr;
    if (!g_spawn_async_with_pipes(nullptr, const_cast<char**>(argv), nullptr, G_SPAWN_DEFAULT,
                                  nullptr, nullptr, &pid, &stdin_fd, &stdout_fd, nullptr, &error)) {
      std::fprintf(stderr, "cannot start %s: %s\n", program_path.c_str(), error->message);
      g_error_free(error);
      return false;
    }
    // The server prints "PORT n" once it listens.
    FILE* out = fdopen(stdout_fd, "r");
    char line[128] = "";
    bool ok = out && std::fgets(line, sizeof line, out) && std::sscanf(line, "PORT %d", &port) == 1;
    if (out) std::fclose(out);
    if (!ok) std::fprintf(stderr, "the test server did not say its port\n");
    return ok;
  }

  ~EmbeddedServer() {
    if (stdin_fd >= 0) close(stdin_fd);
    if (pid) g_spawn_close_pid(pid);
  }
};

// db-lib's messages reach the log as warnings; a host decides what to show.
void quiet_log(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
  if (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL))
    g_log_default_handler(domain, level, message, nullptr);
}

int width_of(const std::string& text) {
  return int(g_utf8_strlen(text.c_str(), -1));
}

void print_cell(const std::string& text, int width) {
  std::printf(" %s%*s |", text.c_str(), width - width_of(text), "");
}

void print_grid(TarvexProvidersContractsTableModel* table) {
  auto* columns = GEE_LIST(tarvex_providers_contracts_table_model_get_columns(table));
  auto* rows = GEE_LIST(tarvex_providers_contracts_table_model_get_rows(table));
  int ncols = gee_collection_get_size(GEE_COLLECTION(columns));
  int nrows = gee_collection_get_size(GEE_COLLECTION(rows));

  std::vector<std::vector<std::string>> cells(size_t(nrows) + 1);
  std::vector<int> widths(size_t(ncols), 0);
  for (int c = 0; c < ncols; c++) {
    auto column =
        adoptGRef(static_cast<TarvexProvidersContractsColumnModel*>(gee_list_get(columns, c)));
    // Lists title their columns for people; plain results have names only.
    const char* title = tarvex_providers_contracts_column_model_get_title(column.get());
    const char* name = tarvex_providers_contracts_column_model_get_name(column.get());
    cells[0].push_back(title && *title ? title : name ? name : "");
  }
  for (int r = 0; r < nrows; r++) {
    for (int c = 0; c < ncols; c++) {
      auto value = adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table, c, r));
      bool is_null = !value || tarvex_providers_contracts_value_object_get_is_null(value.get());
      GUniqueStr text(is_null ? g_strdup("NULL")
                              : tarvex_providers_contracts_value_object_to_string(value.get()));
      cells[size_t(r) + 1].push_back(text ? text.get() : "");
    }
  }
  for (const auto& line : cells)
    for (int c = 0; c < ncols; c++)
      widths[size_t(c)] = std::max(widths[size_t(c)], width_of(line[size_t(c)]));

  auto rule = [&]() {
    std::printf("+");
    for (int w : widths) std::printf("%s+", std::string(size_t(w) + 2, '-').c_str());
    std::printf("\n");
  };
  rule();
  for (size_t r = 0; r < cells.size(); r++) {
    std::printf("|");
    for (int c = 0; c < ncols; c++) print_cell(cells[r][size_t(c)], widths[size_t(c)]);
    std::printf("\n");
    if (r == 0) rule();
  }
  rule();
  std::printf("(%d row%s)\n", nrows, nrows == 1 ? "" : "s");
}

// Start-up as the host does it: the services facade, the log manager, and
// the logging service writing to a folder of its own.
void start_services() {
  tarvex_brevane_foundation_services_initialize();
  auto manager = adoptGRef(tarvex_brevane_supports_log_log_manager_new());
  tarvex_brevane_foundation_services_register_instance(
      TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER, G_OBJECT(manager.get()));
  GUniqueStr folder(g_build_filename(g_get_tmp_dir(), "tarvex-example-logs", nullptr));
  tarvex_brevane_foundation_logging_service_initialize(
      "tarvex-example", TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN, folder.get(), 4 << 20);
}

int size_of(GeeArrayList* list) {
  return gee_collection_get_size(GEE_COLLECTION(list));
}

// "1 index", "2 indexes".
std::string count(int n, const char* one, const char* many = nullptr) {
  return std::to_string(n) + " " + (n == 1 ? one : many ? many : std::string(one) + "s");
}

void on_opened(TarvexBrevaneContractsDatabaseIConnection*,
               TarvexBrevaneContractsDatabaseIConnection*, gpointer) {
  std::printf("opened\n");
}

void on_closed(TarvexBrevaneContractsDatabaseIConnection*,
               TarvexBrevaneContractsDatabaseIConnection*, gpointer) {
  std::printf("closed\n");
}

}  // namespace

// One view, one procedure and one user of the database, each filled from
// the catalog through the adapter and printed with what the builder makes
// of it. An object the server does not have is reported and passed over.
void print_filled_objects(TarvexBrevaneContractsDatabaseIConnection* iconnection,
                          const char* database, const char* schema) {
  auto adapter = adoptGRef(tarvex_brevane_contracts_database_iconnection_adapter(iconnection));
  auto builder = adoptGRef(tarvex_brevane_contracts_database_iconnection_builder(iconnection));
  auto show = [&](const char* kind, gpointer object, const std::string& name,
                  const std::function<std::string()>& summary) {
    auto* meta = reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(object);
    GError* error = nullptr;
    tarvex_brevane_contracts_database_iadaptable_fill_meta_object(adapter.get(), meta, FALSE, FALSE,
                                                                  &error);
    if (error) {
      std::printf("\n%s %s: not filled (%s)\n", kind, name.c_str(), error->message);
      g_error_free(error);
      return false;
    }
    GUniqueStr text(
        tarvex_brevane_contracts_database_ibuildable_build_create(builder.get(), meta, FALSE));
    std::printf("\n%s %s: %s\n%s", kind, name.c_str(), summary().c_str(), text ? text.get() : "");
    return true;
  };
  auto attribute = [](gpointer object, const char* key) {
    GeeHashMap* map = tarvex_brevane_meta_model_meta_object_get_attributes(
        reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(object));
    GUniqueStr value(static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(map), key)));
    return std::string(value ? value.get() : "");
  };

  const std::string prefix = std::string(schema) + ".";
  auto view = adoptGRef(
      tarvex_brevane_meta_model_meta_view_new_with_names(database, schema, "CustomerView"));
  show("view", view.get(), prefix + "CustomerView", [&] {
    return count(size_of(tarvex_brevane_meta_model_meta_view_get_columns(view.get())), "column");
  });

  auto procedure = adoptGRef(tarvex_brevane_meta_model_meta_procedure_new_with_names(
      database, schema, "usp_CustomerOrders"));
  auto* routine = reinterpret_cast<TarvexBrevaneMetaModelMetaRoutine*>(procedure.get());
  auto* parameters = tarvex_brevane_meta_model_meta_routine_get_parameters(routine);
  if (show("procedure", procedure.get(), prefix + "usp_CustomerOrders",
           [&] { return count(size_of(parameters), "parameter"); })) {
    for (int i = 0; i < size_of(parameters); i++) {
      GUniqueStr parameter(
          static_cast<gchar*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(parameters), i)));
      std::printf("  parameter %s\n", parameter.get());
    }
    std::printf("  body\n%s\n", tarvex_brevane_meta_model_meta_routine_get_body(routine));
  }

  auto user = adoptGRef(
      tarvex_brevane_meta_model_meta_user_new_with_names(database, "", "shop_reader", "database"));
  if (show("user", user.get(), "shop_reader", [&] {
        return "authentication " + attribute(user.get(), "AUTHENTICATION") + ", login " +
               attribute(user.get(), "LOGIN") + ", roles " + attribute(user.get(), "ROLES");
      })) {
    GeeHashMap* privileges = tarvex_brevane_meta_model_meta_relation_get_privileges(
        reinterpret_cast<TarvexBrevaneMetaModelMetaRelation*>(user.get()));
    std::vector<std::string> keys;
    GeeMapIterator* it = gee_abstract_map_map_iterator(GEE_ABSTRACT_MAP(privileges));
    while (gee_map_iterator_next(it)) {
      GUniqueStr key(static_cast<gchar*>(gee_map_iterator_get_key(it)));
      GUniqueStr value(static_cast<gchar*>(gee_map_iterator_get_value(it)));
      keys.push_back(std::string(key.get()) + " " + value.get());
    }
    g_object_unref(it);
    std::sort(keys.begin(), keys.end());
    for (const auto& line : keys) std::printf("  privilege %s\n", line.c_str());
  }
}

// The query result exported as a host offers it: a CSV file and a
// Markdown table.
void export_result(TarvexProvidersContractsTableModel* result) {
  GError* error = nullptr;
  GUniqueStr folder(g_dir_make_tmp("tarvex-example-XXXXXX", &error));
  if (!folder) {
    std::fprintf(stderr, "export: %s\n", error->message);
    g_error_free(error);
    return;
  }
  GUniqueStr path(g_build_filename(folder.get(), "result.csv", nullptr));
  auto csv = adoptGRef(tarvex_brevane_supports_data_extractors_dsv_extractor_new("csv"));
  gint rows = tarvex_brevane_contracts_data_iexporter_export_to_file(
      reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(csv.get()), result, path.get(),
      nullptr, nullptr, &error);
  if (rows < 0) {
    std::fprintf(stderr, "export: %s\n", error ? error->message : "failed");
    g_clear_error(&error);
  } else {
    std::printf("\nquery result as CSV: %d rows in %s\n", rows, path.get());
  }
  auto markdown = adoptGRef(tarvex_brevane_supports_data_extractors_markdown_extractor_new("md"));
  gchar* text = g_strdup("");
  tarvex_brevane_contracts_data_iexporter_export_to_text(
      reinterpret_cast<TarvexBrevaneContractsDataIExporter*>(markdown.get()), result, &text,
      nullptr, nullptr, nullptr);
  std::printf("\nquery result as a Markdown table:\n%s", text);
  g_free(text);
}

namespace {

// "--ssh-tunnel SSH_HOST SSH_PORT SSH_USER SSH_PASSWORD" before the other
// arguments: the SSH server the tunnel logs in to. The tunnel forwards to the
// database host as the SSH server resolves it, so the database HOST is the
// SSH server itself (SSH_HOST must name the same machine).
struct SshTunnel {
  bool used = false;
  std::string host;
  int port = 22;
  std::string user;
  std::string password;

  // Takes the option off the command line; false when it is incomplete.
  bool take(int& argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) != "--ssh-tunnel") return true;
    if (argc < 6) return false;
    used = true;
    host = argv[2];
    port = std::atoi(argv[3]);
    user = argv[4];
    password = argv[5];
    for (int i = 6; i <= argc; i++) argv[i - 5] = argv[i];
    argc -= 5;
    return true;
  }

  void apply(TarvexProvidersContractsServer* server) const {
    if (!used) return;
    tarvex_providers_contracts_server_set_ssh_using(server, TRUE);
    tarvex_providers_contracts_server_set_ssh_host(server, host.c_str());
    tarvex_providers_contracts_server_set_ssh_port(server, port);
    tarvex_providers_contracts_server_set_ssh_username(server, user.c_str());
    tarvex_providers_contracts_server_set_ssh_password(server, password.c_str());
  }
};

}  // namespace

int main(int argc, char** argv) {
  SshTunnel tunnel;
  if (!tunnel.take(argc, argv)) argc = 0;
  if (argc != 1 && (argc < 6 || argc > 8)) {
    std::fprintf(stderr,
                 "usage: %s [--ssh-tunnel SSH_HOST SSH_PORT SSH_USER SSH_PASSWORD] "
                 "[HOST PORT USER PASSWORD DATABASE [QUERY [SCHEMA.TABLE]]]\n",
                 argv[0]);
    return 2;
  }
  g_log_set_handler("fenrow", GLogLevelFlags(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL), quiet_log,
                    nullptr);

  Target target;
  EmbeddedServer embedded;
  if (argc == 1) {
    if (!embedded.start(target.port)) return 1;
    std::printf("embedded test server on 127.0.0.1:%d\n", target.port);
  } else {
    target.host = argv[1];
    target.port = std::atoi(argv[2]);
    target.user = argv[3];
    target.password = argv[4];
    target.database = argv[5];
    if (argc >= 7) target.query = argv[6];
    if (argc == 8) target.set_table(argv[7]);
  }

  auto server = adoptGRef(tarvex_providers_contracts_server_new());
  tarvex_providers_contracts_server_set_host(server.get(), target.host.c_str());
  tarvex_providers_contracts_server_set_port(server.get(), target.port);
  tarvex_providers_contracts_server_set_username(server.get(), target.user.c_str());
  tarvex_providers_contracts_server_set_password(server.get(), target.password.c_str());
  tarvex_providers_contracts_server_set_initial(server.get(), target.database.c_str());
  tunnel.apply(server.get());

  start_services();
  tarvex_providers_contracts_server_set_uuid(server.get(), "example-server");

  auto connection = adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
  auto* iconnection = TARVEX_BREVANE_CONTRACTS_DATABASE_ICONNECTION(connection.get());
  g_signal_connect(connection.get(), "opened", G_CALLBACK(on_opened), nullptr);
  g_signal_connect(connection.get(), "closed", G_CALLBACK(on_closed), nullptr);

  GError* error = nullptr;
  tarvex_brevane_contracts_database_iconnection_open(iconnection, server.get(), nullptr, &error);
  if (error) {
    std::fprintf(stderr, "open: %s\n", error->message);
    g_error_free(error);
    return 1;
  }
  std::printf("server version %s (major %u, minor %u)\n",
              tarvex_brevane_contracts_database_iconnection_get_version(iconnection),
              tarvex_brevane_contracts_database_iconnection_get_major_version(iconnection),
              tarvex_brevane_contracts_database_iconnection_get_minor_version(iconnection));

  // Every step ends here on failure, the connection closed behind it.
  auto fail = [&](const char* step, GError* failure, const char* why = "no result") {
    std::fprintf(stderr, "%s: %s\n", step, failure ? failure->message : why);
    if (failure) g_error_free(failure);
    tarvex_brevane_contracts_database_iconnection_close(iconnection, nullptr);
    return 1;
  };

  // A query, its result as a table model.
  std::printf("\n%s\n", target.query.c_str());
  auto result = adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_model(
      iconnection, target.query.c_str(), 0, &error));
  if (!result || error) return fail("query", error);
  print_grid(result.get());

  // The tables of the schema, as the object tree lists them.
  const char* database = target.database.c_str();
  const char* schema = target.schema.c_str();
  const char* name = target.table.c_str();
  std::printf("\ntables of %s.%s\n", database, schema);
  auto explorer = adoptGRef(tarvex_brevane_contracts_database_iconnection_explorer(iconnection));
  auto tables = adoptGRef(tarvex_brevane_contracts_database_iexplorable_load_objects(
      explorer.get(), TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE, database, schema, "", &error));
  if (!tables || error) return fail("tables", error);
  print_grid(tables.get());

  // One table filled from the catalog: columns, keys, indexes, triggers,
  // constraints and options.
  auto adapter = adoptGRef(tarvex_brevane_contracts_database_iconnection_adapter(iconnection));
  auto table =
      adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names(database, schema, name));
  tarvex_brevane_contracts_database_iadaptable_fill_meta_table(adapter.get(), table.get(), TRUE,
                                                               &error);
  if (error) return fail("fill", error);
  const int columns = size_of(tarvex_brevane_meta_model_meta_table_get_columns(table.get()));
  if (columns == 0) return fail("fill", nullptr, "no such table");
  auto* filled = table.get();
  const std::string summary =
      count(columns, "column") + ", " +
      count(size_of(tarvex_brevane_meta_model_meta_table_get_indexes(filled)), "index", "indexes") +
      ", " +
      count(size_of(tarvex_brevane_meta_model_meta_table_get_constraints(filled)), "constraint") +
      ", " + count(size_of(tarvex_brevane_meta_model_meta_table_get_triggers(filled)), "trigger");
  std::printf("\n%s.%s: %s\n", schema, name, summary.c_str());

  // Its CREATE TABLE script, from the connection's builder.
  auto builder = adoptGRef(tarvex_brevane_contracts_database_iconnection_builder(iconnection));
  GUniqueStr script(
      tarvex_brevane_contracts_database_ibuildable_build_table(builder.get(), table.get(), FALSE));
  std::printf("\n%s\n", script ? script.get() : "");

  print_filled_objects(iconnection, database, schema);

  export_result(result.get());

  tarvex_brevane_contracts_database_iconnection_close(iconnection, &error);
  if (error) {
    std::fprintf(stderr, "close: %s\n", error->message);
    g_clear_error(&error);
  }
  return 0;
}
