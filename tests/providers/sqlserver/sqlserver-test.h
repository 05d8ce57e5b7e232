// Shared fixture of the SQL Server provider tests: a scripted TDS server and
// a provider logged in to it, through db-lib.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/log-capture.h"
#include "tests/support/tds-server.h"
#include "tests/support/texts.h"

namespace tarvex::test::sqlserver {

namespace tds = tarvex::test::tds;

using Provider = TarvexProvidersSupportsSQLServerProvider;
using IProvider = TarvexProvidersContractsIProvider;
using Reader = TarvexProvidersContractsIDataReader;
using Value = TarvexProvidersContractsValueObject;
using Table = TarvexProvidersContractsTableModel;
using UserData = TarvexProvidersSupportsTdsUserData;

// db-lib's return codes (GoogleTest takes the names FAIL and SUCCEED).
constexpr int kFail = 0;
constexpr int kSucceed = 1;
constexpr int kNoMoreResults = 2;
constexpr int kBufFull = -3;
constexpr int kNoMoreRows = -2;
constexpr int kRegRow = -1;
constexpr int kIntCancel = 2;
constexpr int kIntTimeout = 3;

inline IProvider* as_provider(Provider* p) {
  return reinterpret_cast<IProvider*>(p);
}
inline Value* as_value(gpointer v) {
  return static_cast<Value*>(v);
}

// Removes the handlers' log lines (db-lib errors and server messages are
// logged as warnings) and returns them.
std::vector<std::string> take_handler_logs();
bool took_handler_log(const std::vector<std::string>& logs, const std::string& needle);

std::string text_at(Table* table, int col, int row);
int rows_of(Table* table);
int columns_of(Table* table);
TarvexProvidersContractsColumnModel* column_at(Table* table, int col);  // borrowed

GRef<TarvexProvidersContractsServer> server_description(const tds::Server& server,
                                                        const char* user = "sa",
                                                        const char* password = "secret",
                                                        const char* database = "master");

class ProviderTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Logs in to the test server; expects success.
  void open();
  UserData* userdata();

  // Convenience wrappers: the error goes to `error_` (cleared first).
  GRef<Table> model(const char* sql);
  gint64 affect(const char* sql);
  GRef<Value> scalar(const char* sql);
  std::vector<GRef<GObject>> statements(const char* sql);

  tds::Server server_;
  GRef<Provider> provider_;
  GUniqueError error_;
};

}  // namespace tarvex::test::sqlserver
