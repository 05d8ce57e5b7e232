// Shared helpers of the DDL builder tests: meta-model makers, a connection
// that serves no server (for texts that need none), and the independent
// T-SQL parser check of generated texts.
#pragma once

#include <gee.h>

#include <string>
#include <utility>
#include <vector>

#include "brevane/brevane.h"
#include "brevane/database/sql_builder.h"
#include "brevane/database/sqlserver/sql_server_builder.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

namespace tarvex::test {

inline TarvexBrevaneMetaModelMetaObject* META(gpointer p) {
  return reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(p);
}

// A connection without server or dialect objects: the builder base and the
// texts that need neither the inspector nor the collation list.
TarvexBrevaneContractsDatabaseIConnection* offline_connection_new();

// A test of the SQL Server builder over an offline connection.
class OfflineBuilderTest : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    conn = adoptGRef(offline_connection_new());
    builder = adoptGRef(tarvex_brevane_supports_database_sql_server_builder_new(conn.get()));
  }
  TarvexBrevaneContractsDatabaseIBuildable* ib() const {
    return TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE(builder.get());
  }
  GRef<TarvexBrevaneContractsDatabaseIConnection> conn;
  GRef<TarvexBrevaneSupportsDatabaseSQLServerBuilder> builder;
};

void set_attr(gpointer object, const char* key, const char* value);
void set_option(TarvexBrevaneMetaModelMetaTable* table, const char* key, const char* value);
void set_diff(gpointer object, const char* path, int code);
int diff_count(gpointer object);
bool diff_contains(gpointer object, const char* path);
std::vector<std::string> table_names(TarvexBrevaneMetaModelMetaSchema* schema);

// Appends a borrowed object to a meta-model list (the list takes its own
// reference).
inline void add(GeeArrayList* list, gpointer item) {
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), item);
}

GRef<TarvexBrevaneMetaModelMetaColumn> add_column(TarvexBrevaneMetaModelMetaTable* table,
                                                  const char* name, const char* raw_type,
                                                  gint64 length = 0, guint8 scale = 0,
                                                  bool not_null = false);

// The batches of a generated text as a tool that splits by lines alone
// cuts it: at every GO line (any case, blanks, count, comment); blank
// batches are left out.
std::vector<std::string> batches_split_by_lines(const std::string& text);

// Checks every batch of `text`: a statement that T-SQL requires to begin its
// batch (CREATE/ALTER VIEW, PROCEDURE, FUNCTION, TRIGGER, CREATE SCHEMA)
// stands first and alone, and nothing of the builder's own follows a body;
// then parses every batch with the independent grammar (when its Node
// packages are not installed: nothing more by hand, a failure under the
// test command).
void expect_valid_tsql(const std::string& text, const std::string& what);
struct TsqlText {
  std::string what;
  std::string text;
};
// The same for many texts at once (the parser takes seconds to start).
void expect_valid_tsql(const std::vector<TsqlText>& texts);

// True when the parser's packages are installed.
bool tsql_parser_available();

}  // namespace tarvex::test
