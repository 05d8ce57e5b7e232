// What the transform and data areas ask of a connection's dialect beyond
// the exported statement texts: content read through a ready select list,
// record texts whose values keep their length, and the texts of a copy
// (identity switch, catalog of the target's columns, drops, schemas). A
// dialect registers its answers for its statement type; the callers reach
// them through the statement the connection gives, so that they hold no
// text of one server's SQL.
//
// Not installed, not part of the API.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "brevane/contracts/istatement.h"
#include "providers/contracts/table_model.h"

namespace tarvex::contracts {

using IStatement = TarvexBrevaneContractsDatabaseIStatement;

// What a target's catalog says of one of its columns.
struct ColumnFacts {
  std::string name;
  // Explicit values need the identity switch.
  bool identity = false;
  // Computed, or a row version: only the server writes it.
  bool server_written = false;
};

// The answers of a statement that registers none: what the exported
// statement texts can give, and nothing for what they cannot.
class StatementDialect {
 public:
  virtual ~StatementDialect() = default;

  // The content text of a table with `select_list` as it is (expressions
  // such as lossless_select_item gives), not as a list of names.
  virtual gchar* content_with_select_list(IStatement* statement, const gchar* database,
                                          const gchar* user_schema, const gchar* table,
                                          const gchar* select_list, const gchar* where,
                                          const gchar* order, gint64 offset, gint limit) const;

  // The INSERT, UPDATE and DELETE texts of one record, as build_sql_insert,
  // build_sql_update and build_sql_delete write them, with the values
  // (literals) carried as they are. Here through the exported C texts: a
  // value holding a zero byte is refused (with a critical). Nothing when
  // the statement refuses the text.
  virtual std::optional<std::string> record_insert(IStatement* statement, const std::string& schema,
                                                   const std::string& table,
                                                   const std::vector<std::string>& columns,
                                                   const std::vector<std::string>& values) const;
  virtual std::optional<std::string> record_update(
      IStatement* statement, const std::string& schema, const std::string& table,
      const std::vector<std::string>& columns, const std::vector<std::string>& values,
      const std::vector<std::string>& keys, const std::vector<std::string>& key_values) const;
  virtual std::optional<std::string> record_delete(
      IStatement* statement, const std::string& schema, const std::string& table,
      const std::vector<std::string>& keys, const std::vector<std::string>& key_values) const;

  // A select-list item that reads column `name` of `raw_type` so that its
  // value converts back without loss; here the quoted name.
  virtual std::string lossless_select_item(IStatement* statement, const std::string& name,
                                           const std::string& raw_type) const;
  // Whether a column of `raw_type` may stand in ORDER BY.
  virtual bool is_orderable(const std::string& raw_type) const;
  // An ORDER BY list of the columns `names` (empty without names).
  virtual std::string order_by(IStatement* statement, const std::vector<std::string>& names) const;

  // Texts of a copy into a target; nothing here, where the exported texts
  // hold no equivalent.
  virtual std::optional<std::string> drop_view_if_exists(const std::string& schema,
                                                         const std::string& view) const;
  virtual std::optional<std::string> drop_table_if_exists(const std::string& schema,
                                                          const std::string& table) const;
  // A batch of a schema's script that keeps an existing schema: its
  // CREATE SCHEMA runs only when the schema is missing. Here, and for any
  // other batch, the batch as it is.
  virtual std::string keep_existing_schema(const std::string& schema,
                                           const std::string& batch) const;
  // The switch of every trigger of the table, so that a copy fires none.
  virtual std::optional<std::string> switch_triggers(const std::string& schema,
                                                     const std::string& table, bool enabled) const;
  // The switch that lets explicit values into the identity column.
  virtual std::optional<std::string> identity_insert(const std::string& schema,
                                                     const std::string& table, bool on) const;
  // A query of the table's columns, and the facts read from its result.
  virtual std::optional<std::string> columns_query(const std::string& schema,
                                                   const std::string& table) const;
  virtual std::vector<ColumnFacts> read_columns(TarvexProvidersContractsTableModel* result) const;
};

// Registers `dialect` (static, never freed) for statements of `type` and
// of the types derived from it (call in class_init).
void register_statement_dialect(GType type, const StatementDialect* dialect);
// The dialect registered for the statement's type or its nearest parent,
// else the plain answers above.
const StatementDialect& statement_dialect(IStatement* statement);

}  // namespace tarvex::contracts
