// The example host, run as a person runs it: against its embedded test
// server, and against a server named on its command line. It must walk the
// whole road: open, a query's grid, the schema's tables, one table filled
// from the catalog and its CREATE TABLE script, close.
#include <glib.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/log-capture.h"

namespace tarvex::test {
namespace {

struct HostRun {
  int status = -1;
  std::string out, err;
};

using Grid = std::vector<std::vector<std::string>>;

std::string env(const char* name) {
  const char* value = g_getenv(name);
  return value ? value : "";
}

HostRun run_host(const std::vector<std::string>& args) {
  std::vector<const char*> argv = {g_getenv("TARVEX_EXAMPLE")};
  for (const auto& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  HostRun run;
  gchar *out = nullptr, *err = nullptr;
  gint wait_status = 0;
  GError* error = nullptr;
  if (!g_spawn_sync(nullptr, const_cast<char**>(argv.data()), nullptr, G_SPAWN_DEFAULT, nullptr,
                    nullptr, &out, &err, &wait_status, &error)) {
    ADD_FAILURE() << "cannot run the example host: " << error->message;
    g_error_free(error);
    return run;
  }
  run.out = out ? out : "";
  run.err = err ? err : "";
  g_free(out);
  g_free(err);
  if (WIFEXITED(wait_status)) run.status = WEXITSTATUS(wait_status);
  return run;
}

std::string trimmed(const std::string& text) {
  size_t begin = text.find_first_not_of(' ');
  size_t end = text.find_last_not_of(' ');
  return begin == std::string::npos ? "" : text.substr(begin, end - begin + 1);
}

// The cells of the first grid printed after the line `heading`: the title
// row first, then the rows.
Grid grid_after(const std::string& out, const std::string& heading) {
  Grid grid;
  size_t at = out.find("\n" + heading + "\n");
  if (at == std::string::npos) return grid;
  at += heading.size() + 2;
  int rules = 0;
  while (at < out.size() && rules < 3) {
    size_t end = out.find('\n', at);
    std::string line = out.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? out.size() : end + 1;
    if (line.rfind("+", 0) == 0) {
      rules++;
      continue;
    }
    if (line.rfind("|", 0) != 0) break;
    std::vector<std::string> cells;
    size_t from = 1, bar;
    while ((bar = line.find(" |", from)) != std::string::npos) {
      cells.push_back(trimmed(line.substr(from, bar - from)));
      from = bar + 2;
    }
    grid.push_back(cells);
  }
  return grid;
}

// The text from "CREATE TABLE" up to the empty line that ends the script.
std::string script_in(const std::string& out) {
  size_t begin = out.find("CREATE TABLE ");
  if (begin == std::string::npos) return "";
  size_t end = out.find("\n\n", begin);
  return out.substr(begin, end == std::string::npos ? std::string::npos : end - begin + 1);
}

// The standalone TDS server with the sample database, for the command line
// form; it ends when its standard input closes.
class SampleServer {
 public:
  SampleServer() {
    const std::string exe = env("TARVEX_TDS_SERVER"), sample = env("TARVEX_TDS_SAMPLE");
    const char* argv[] = {exe.c_str(), sample.c_str(), nullptr};
    int out_fd = -1;
    GError* error = nullptr;
    if (!g_spawn_async_with_pipes(nullptr, const_cast<char**>(argv), nullptr,
                                  G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr, &pid_, &in_fd_,
                                  &out_fd, nullptr, &error)) {
      ADD_FAILURE() << "cannot start the TDS server: " << error->message;
      g_error_free(error);
      return;
    }
    FILE* out = fdopen(out_fd, "r");
    char line[64] = "";
    if (!out || !std::fgets(line, sizeof line, out) || std::sscanf(line, "PORT %d", &port_) != 1)
      ADD_FAILURE() << "the TDS server did not say its port: " << line;
    if (out) std::fclose(out);
  }
  ~SampleServer() {
    if (in_fd_ >= 0) close(in_fd_);
    if (pid_) {
      int status = 0;
      waitpid(pid_, &status, 0);
      g_spawn_close_pid(pid_);
    }
  }
  std::string port() const { return std::to_string(port_); }

 private:
  GPid pid_ = 0;
  int in_fd_ = -1;
  int port_ = 0;
};

class ExampleHost : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    if (env("TARVEX_EXAMPLE").empty() || env("TARVEX_TDS_SERVER").empty() ||
        env("TARVEX_TDS_SAMPLE").empty())
      GTEST_SKIP()
          << "TARVEX_EXAMPLE, TARVEX_TDS_SERVER and TARVEX_TDS_SAMPLE are set by meson test";
  }
};

// Each needle found after the one before it.
void expect_in_order(const std::string& out, const std::vector<std::string>& needles) {
  size_t at = 0;
  for (const auto& needle : needles) {
    size_t found = out.find(needle, at);
    ASSERT_NE(found, std::string::npos) << "missing, or out of order: " << needle << "\n" << out;
    at = found + needle.size();
  }
}

TEST_F(ExampleHost, WalksTheMainRoadAgainstTheEmbeddedServer) {
  HostRun run = run_host({});
  ASSERT_EQ(run.status, 0) << run.err << run.out;
  // Nothing went wrong on the way: no failure, warning or critical.
  EXPECT_EQ(run.err, "");

  expect_in_order(
      run.out, {"embedded test server on 127.0.0.1:", "\nopened\n",
                "server version 16.0.1000.6 (major 16, minor 0)\n",
                "\nSELECT * FROM dbo.Customers\n", "\n(5 rows)\n", "\ntables of Sample.dbo\n",
                "\n(3 rows)\n", "\ndbo.Customers: 7 columns, 1 index, 2 constraints, 0 triggers\n",
                "\nCREATE TABLE [dbo].[Customers] (\n", "\nclosed\n"});

  // The query's grid: the columns by name, the rows as the server sent them.
  Grid customers = grid_after(run.out, "SELECT * FROM dbo.Customers");
  ASSERT_EQ(customers.size(), 6u) << run.out;
  EXPECT_EQ(customers[0], (std::vector<std::string>{"CustomerId", "Name", "Email", "Country",
                                                    "CreatedAt", "Balance", "IsActive"}));
  EXPECT_EQ(customers[1][1], "Alfreds Futterkiste");
  EXPECT_EQ(customers[3][1], "Antonio Moreno Taquería");
  EXPECT_EQ(customers[3][2], "NULL");
  EXPECT_EQ(customers[5][3], "SE");

  // The table list: the explorer's titles, one row per table, by name.
  Grid tables = grid_after(run.out, "tables of Sample.dbo");
  ASSERT_EQ(tables.size(), 4u) << run.out;
  EXPECT_EQ(tables[0], (std::vector<std::string>{"Name", "Rows", "Lock", "Temp table", "External",
                                                 "Create time", "Update time", "Comment"}));
  EXPECT_EQ(tables[1][0], "BigTable");
  EXPECT_EQ(tables[1][1], "1000000");
  EXPECT_EQ(tables[1][7], "NULL");
  EXPECT_EQ(tables[2][0], "Customers");
  EXPECT_EQ(tables[2][1], "5");
  EXPECT_EQ(tables[2][2], "TABLE");
  EXPECT_EQ(tables[2][7], "Customers of the sample shop");
  EXPECT_EQ(tables[3][0], "Orders");

  // The script holds every part the catalog described.
  const std::string script = script_in(run.out);
  ASSERT_EQ(script.rfind("CREATE TABLE [dbo].[Customers] (\n", 0), 0u) << run.out;
  for (const char* part : {
           "    [CustomerId] INT NOT NULL,\n",
           "    [Name] NVARCHAR(100) NOT NULL,\n",
           "    [Email] VARCHAR(200) COLLATE Latin1_General_CI_AS NULL,\n",
           "    [Country] NCHAR(2) NOT NULL,\n",
           "    [CreatedAt] DATETIME2(3) DEFAULT (sysdatetime()) NOT NULL,\n",
           "    [Balance] DECIMAL(12, 2) DEFAULT ((0)) NOT NULL,\n",
           "    [IsActive] BIT DEFAULT ((1)) NOT NULL,\n",
           "CONSTRAINT [PK_Customers] PRIMARY KEY ([CustomerId])",
           "CONSTRAINT [CK_Customers_Country] CHECK (len([Country])=(2))",
           "CONSTRAINT [UQ_Customers_Email] UNIQUE NONCLUSTERED ([Email] ASC)",
           "INDEX [IX_Customers_Country] NONCLUSTERED ([Country] ASC) INCLUDE ([Name])",
           "ON [PRIMARY]",
           "N'Customers of the sample shop', 'SCHEMA', N'dbo', 'TABLE', N'Customers';\n",
           "N'ISO 3166 country code', 'SCHEMA', N'dbo', 'TABLE', N'Customers', 'COLUMN', "
           "N'Country';\n",
           "N'Two letters', 'SCHEMA', N'dbo', 'TABLE', N'Customers', 'CONSTRAINT', "
           "N'CK_Customers_Country';\n",
           "N'Customers by country', 'SCHEMA', N'dbo', 'TABLE', N'Customers', 'INDEX', "
           "N'IX_Customers_Country';\n",
       })
    EXPECT_NE(script.find(part), std::string::npos) << "missing " << part << " in\n" << script;
  // A collation the server does not list (SQL_...) is left to the default.
  EXPECT_EQ(script.find("SQL_Latin1_General_CP1_CI_AS"), std::string::npos) << script;
}

TEST_F(ExampleHost, CommandLineNamesTheServerTheQueryAndTheTable) {
  SampleServer server;
  ASSERT_NE(server.port(), "0");
  HostRun run = run_host({"127.0.0.1", server.port(), "sa", "secret", "Sample",
                          "SELECT * FROM dbo.Orders", "Customers"});
  ASSERT_EQ(run.status, 0) << run.err << run.out;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.find("embedded"), std::string::npos);
  Grid orders = grid_after(run.out, "SELECT * FROM dbo.Orders");
  ASSERT_EQ(orders.size(), 6u) << run.out;
  EXPECT_EQ(orders[0][0], "OrderId");
  EXPECT_EQ(orders[2][5], "Leave at the door");
  // A table without its schema is one of dbo.
  expect_in_order(
      run.out, {"\ntables of Sample.dbo\n", "\nCREATE TABLE [dbo].[Customers] (\n", "\nclosed\n"});
}

TEST_F(ExampleHost, ATableTheServerDoesNotKnowEndsTheRoadClosed) {
  SampleServer server;
  HostRun run = run_host({"127.0.0.1", server.port(), "sa", "secret", "Sample",
                          "SELECT * FROM dbo.Customers", "dbo.Nowhere"});
  EXPECT_EQ(run.status, 1) << run.out;
  EXPECT_NE(run.err.find("fill: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("Table [dbo].[Nowhere] not found."), std::string::npos) << run.err;
  EXPECT_EQ(run.out.find("CREATE TABLE"), std::string::npos) << run.out;
  expect_in_order(run.out, {"opened\n", "\ntables of Sample.dbo\n", "\nclosed\n"});
}

// Nothing listens on the port: the host is told why the open failed, and
// the libraries log no critical for it.
TEST_F(ExampleHost, AClosedPortPrintsTheReason) {
  std::string closed_port;
  {
    SampleServer server;
    closed_port = server.port();
  }
  HostRun run = run_host({"127.0.0.1", closed_port, "sa", "secret", "Sample"});
  EXPECT_EQ(run.status, 1) << run.out;
  EXPECT_NE(run.err.find("open: open_tds failed. "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("refused"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("CRITICAL"), std::string::npos) << run.err;
  EXPECT_EQ(run.out.find("opened"), std::string::npos) << run.out;
}

TEST_F(ExampleHost, WrongArgumentsGiveTheUsage) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"127.0.0.1"}, {"127.0.0.1", "1433", "sa", "secret", "Sample", "q", "t", "extra"}}) {
    HostRun run = run_host(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: "), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

// One view, one procedure and one user of the sample database, filled from
// the catalog and printed with their builder texts.
TEST_F(ExampleHost, FillsAViewAProcedureAndAUser) {
  HostRun run = run_host({});
  ASSERT_EQ(run.status, 0) << run.err << run.out;
  EXPECT_EQ(run.err, "");
  expect_in_order(
      run.out,
      {"\nview dbo.CustomerView: 3 columns\n", "CREATE VIEW [dbo].[CustomerView] AS\n",
       "SELECT c.CustomerId, c.Name AS CustomerName, c.Country\nFROM dbo.Customers AS c\n",
       "\nprocedure dbo.usp_CustomerOrders: 4 parameters\n", "  parameter @CustomerId int\n",
       "  parameter @Since date = '2023-01-01'\n", "  parameter @MinTotal decimal(12,2) = -1.5\n",
       "  parameter @Count int OUTPUT\n", "  body\nBEGIN\n  SET NOCOUNT ON;\n",
       "\nuser shop_reader: authentication LOGIN, login shop_reader, roles db_datareader\n",
       "  privilege DATABASE CONNECT=G\n",
       "  privilege PROCEDURE:dbo.usp_CustomerOrders EXECUTE=G\n",
       "  privilege TABLE:dbo.Customers.Email SELECT=D\n", "closed\n"});
}

}  // namespace
}  // namespace tarvex::test
