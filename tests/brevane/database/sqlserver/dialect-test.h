// Shared fixture of the SQL Server dialect tests: a scripted TDS server and
// a SQL Server connection logged in to it through db-lib, plus readers of
// result models and of the batches the server received.
#pragma once

#include <gee.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brevane/brevane.h"
#include "brevane/database/adapter.h"
#include "brevane/database/sqlserver/sql_server_adapter.h"
#include "brevane/database/sqlserver/sql_server_connection.h"
#include "brevane/database/sqlserver/sql_server_explorer.h"
#include "brevane/database/sqlserver/sql_server_explorer_v10x.h"
#include "brevane/database/sqlserver/sql_server_inspector.h"
#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/brevane/database/database-test.h"
#include "tests/support/log-capture.h"
#include "tests/support/tds-server.h"
#include "tests/support/texts.h"

namespace tarvex::test::dialect {

namespace tds = tarvex::test::tds;

using Connection = TarvexBrevaneSupportsDatabaseSQLServerConnection;
using IConnection = TarvexBrevaneContractsDatabaseIConnection;
using Table = TarvexProvidersContractsTableModel;

inline TarvexBrevaneMetaModelMetaObject* META(gpointer p) {
  return reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(p);
}

std::string text_at(Table* table, int col, int row);
int rows_of(Table* table);
int columns_of(Table* table);
std::string title_at(Table* table, int col);
std::string name_at(Table* table, int col);

// The number of items in the select list of a query's first SELECT (commas
// outside parentheses, literals and brackets, up to its FROM).
int select_items(const std::string& sql);

// Object data and maps of meta objects.
bool is_filled(gpointer object);
std::string attr(gpointer object, const char* key);
bool has_attr(gpointer object, const char* key);
std::string option(TarvexBrevaneMetaModelMetaTable* table, const char* key);
bool has_option(TarvexBrevaneMetaModelMetaTable* table, const char* key);
int size_of(GeeArrayList* list);
template <typename T>
GRef<T> item(GeeArrayList* list, int i) {
  return GRef<T>::adopt(static_cast<T*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i)));
}
std::vector<std::string> strings_of(GeeArrayList* list);

class DialectTest : public LogCaptureTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Opens the connection; the server answers the version query with
  // `version`.
  void open(const std::string& version = "16.0.1000.6");
  IConnection* iconn() const { return reinterpret_cast<IConnection*>(connection_.get()); }

  // Batches received from now on.
  void mark() { mark_ = server_.batch_texts().size(); }
  std::vector<std::string> sent() const;
  // The one batch sent since the mark holding `needle`; empty when none.
  std::string sent_with(const std::string& needle) const;
  // Drops the provider's log lines of server messages (warnings).
  void drop_provider_logs();

  tds::Server server_;
  GRef<Connection> connection_;
  size_t mark_ = 0;
};

}  // namespace tarvex::test::dialect
