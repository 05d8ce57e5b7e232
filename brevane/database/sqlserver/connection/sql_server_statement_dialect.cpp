// The T-SQL texts of a copy between connections (transfer, synchronizers,
// imports), given through the dialect hook so that the callers hold none.
#include <glib.h>

#include <set>

#include "brevane/database/sqlserver/adapter/sql_server_catalog-private.h"
#include "brevane/database/sqlserver/connection/sql_server_statement-private.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-text-private.h"
#include "providers/contracts/table_model.h"
#include "providers/contracts/value_object.h"

namespace tarvex::dialect {

namespace {

using contracts::ColumnFacts;
using contracts::IStatement;

using text::ascii_upper;

// sys.columns.system_type_id of timestamp (rowversion), which only the
// server writes.
constexpr const char* kRowVersionTypeId = "189";

class SqlServerStatementDialect final : public database::BaseStatementDialect {
 public:
  gchar* content_with_select_list(IStatement* statement, const gchar* database,
                                  const gchar* user_schema, const gchar* table,
                                  const gchar* select_list, const gchar* where, const gchar* order,
                                  gint64 offset, gint limit) const override {
    return content_of_select_list(TARVEX_BREVANE_SUPPORTS_DATABASE_STATEMENT(statement), database,
                                  user_schema, table, select_list, where, order, offset, limit);
  }

  // Types whose values the reader would round are read as the server's own
  // exact text, which converts back without loss.
  std::string lossless_select_item(IStatement*, const std::string& name,
                                   const std::string& raw_type) const override {
    const std::string c = sql::bracketed(name);
    const std::string type = ascii_upper(raw_type);
    std::string expression;
    if (type == "DECIMAL" || type == "NUMERIC" || type == "TIME" || type == "DATETIMEOFFSET")
      expression = "CONVERT(NVARCHAR(64), " + c + ")";
    else if (type == "MONEY" || type == "SMALLMONEY")
      expression = "CONVERT(NVARCHAR(64), " + c + ", 2)";
    else if (type == "DATETIME" || type == "SMALLDATETIME" || type == "DATETIME2")
      expression = "CONVERT(NVARCHAR(64), " + c + ", 126)";
    else
      return c;
    return expression + " AS " + c;
  }

  bool is_orderable(const std::string& raw_type) const override {
    static const std::set<std::string> no = {"TEXT",     "NTEXT",     "IMAGE",      "XML",
                                             "GEOMETRY", "GEOGRAPHY", "SQL_VARIANT"};
    return !no.count(ascii_upper(raw_type));
  }

  // Without names the content text itself orders a paged read by
  // (SELECT NULL).
  std::string order_by(IStatement*, const std::vector<std::string>& names) const override {
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : ", ") + sql::bracketed(name);
    return out;
  }

  std::optional<std::string> drop_view_if_exists(const std::string& schema,
                                                 const std::string& view) const override {
    return "DROP VIEW IF EXISTS " + sql::bracketed_two_part(schema, view) + ";";
  }

  std::optional<std::string> drop_table_if_exists(const std::string& schema,
                                                  const std::string& table) const override {
    return "DROP TABLE IF EXISTS " + sql::bracketed_two_part(schema, table) + ";";
  }

  std::string keep_existing_schema(const std::string& schema,
                                   const std::string& batch) const override {
    const std::string bare = text::trim(batch);
    if (g_ascii_strncasecmp(bare.c_str(), "CREATE SCHEMA", 13) != 0) return batch;
    return "IF SCHEMA_ID(" + sql::nliteral(schema) + ") IS NULL EXEC(" + sql::nliteral(bare) + ");";
  }

  std::optional<std::string> switch_triggers(const std::string& schema, const std::string& table,
                                             bool enabled) const override {
    return (enabled ? "ENABLE TRIGGER ALL ON " : "DISABLE TRIGGER ALL ON ") +
           sql::bracketed_two_part(schema, table) + ";";
  }

  std::optional<std::string> identity_insert(const std::string& schema, const std::string& table,
                                             bool on) const override {
    return "SET IDENTITY_INSERT " + sql::bracketed_two_part(schema, table) +
           (on ? " ON;" : " OFF;");
  }

  std::optional<std::string> columns_query(const std::string& schema,
                                           const std::string& table) const override {
    return "SELECT c.name, c.is_identity, c.is_computed, c.system_type_id FROM sys.columns c "
           "WHERE c.object_id = OBJECT_ID(" +
           sql::nliteral(sql::bracketed_two_part(schema, table)) + ");";
  }

  std::vector<ColumnFacts> read_columns(TarvexProvidersContractsTableModel* result) const override {
    auto text_at = [&](gint col, gint row) {
      auto value = GRef<TarvexProvidersContractsValueObject>::adopt(
          tarvex_providers_contracts_table_model_get_value_at(result, col, row));
      GUniqueStr text(value ? tarvex_providers_contracts_value_object_to_string(value.get())
                            : nullptr);
      return std::string(text ? text.get() : "");
    };
    auto flag = [&](gint col, gint row) {
      std::string t = text_at(col, row);
      return t == "1" || t == "true" || t == "True";
    };
    std::vector<ColumnFacts> out;
    const gint rows = gint(g_list_model_get_n_items(G_LIST_MODEL(result)));
    for (gint r = 0; r < rows; ++r)
      out.push_back({text_at(0, r), flag(1, r), flag(2, r) || text_at(3, r) == kRowVersionTypeId});
    return out;
  }
};

}  // namespace

const contracts::StatementDialect& statement_dialect() {
  static const SqlServerStatementDialect dialect;
  return dialect;
}

}  // namespace tarvex::dialect
