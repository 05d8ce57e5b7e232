// Shared fixture of the transform tests: two scripted TDS servers (source
// and target), a SQL Server connection logged in to each through db-lib,
// catalog scripting for tables and the batches each server received.
#pragma once

#include <gee.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "brevane/brevane.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/log-capture.h"
#include "tests/support/tds-server.h"
#include "tests/support/texts.h"

namespace tarvex::test::transform {

namespace tds = tarvex::test::tds;
using Connection = TarvexBrevaneSupportsDatabaseSQLServerConnection;
using IConnection = TarvexBrevaneContractsDatabaseIConnection;

// One catalog column: name, server type, max_length, precision, scale,
// nullable.
struct CatalogColumn {
  std::string name, type;
  int max_length = 4, precision = 10, scale = 0;
  bool nullable = false;
};

class TransformTest : public LogCaptureTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  IConnection* source() const { return reinterpret_cast<IConnection*>(source_connection_.get()); }
  IConnection* target() const { return reinterpret_cast<IConnection*>(target_connection_.get()); }

  // The catalog of one table on `server`: its columns, primary key, and
  // foreign keys (local column, referenced table, referenced column).
  struct ForeignKey {
    std::string name, column, refer_table, refer_column;
  };
  void script_table(tds::Server& server, const std::string& schema, const std::string& table,
                    const std::vector<CatalogColumn>& columns, const std::vector<std::string>& keys,
                    const std::vector<ForeignKey>& foreigns = {});
  // The schema listing: tables ("U") and views ("V").
  void script_schema(tds::Server& server, const std::string& schema,
                     const std::vector<std::pair<std::string, std::string>> objects);

  // The target's answer to the dialect's query of the columns of
  // dbo.`table` (name, is_identity, is_computed, system_type_id), to add
  // rows to: {"id", "1", "0", "56"} is an int identity column.
  tds::Rule& script_column_facts(tds::Server& server, const std::string& table);

  GRef<GeeMap> options(const std::vector<std::pair<std::string, std::string>>& entries);

  // Runs `handle` on a worker thread while this thread reads the progress
  // record; returns the record at the end. `seen` gets every snapshot.
  GRef<GObject> run_handle(gpointer transform, std::vector<gint64>* processed_seen = nullptr);

  std::vector<std::string> received(tds::Server& server, size_t from = 0) const;
  // Drops the step warnings the transform writes to the platform log.
  void drop_transform_logs();

  tds::Server source_server_, target_server_;
  GRef<Connection> source_connection_, target_connection_;
  size_t target_mark_ = 0, source_mark_ = 0;
};

std::vector<std::string> messages_of(TarvexBrevaneContractsThreadProgress* progress);

}  // namespace tarvex::test::transform
