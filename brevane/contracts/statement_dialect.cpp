#include <glib-object.h>

#include "brevane/contracts/statement-dialect-private.h"

namespace tarvex::contracts {

namespace {

GQuark dialect_quark() {
  static GQuark quark = g_quark_from_static_string("tarvex-statement-dialect");
  return quark;
}

// NULL-terminated C texts of `texts`, or nothing when one holds a zero
// byte (it would end early).
struct CTexts {
  std::vector<gchar*> items;
  bool whole = true;
  explicit CTexts(const std::vector<std::string>& texts) {
    for (const std::string& t : texts) {
      whole = whole && t.find('\0') == std::string::npos;
      items.push_back(const_cast<gchar*>(t.c_str()));
    }
    items.push_back(nullptr);
  }
  gchar** get() { return items.data(); }
  gint size() const { return gint(items.size() - 1); }
};

std::optional<std::string> taken(gchar* text) {
  if (!text) return std::nullopt;
  std::string out = text;
  g_free(text);
  return out;
}

std::nullopt_t refuse_cut(const std::string& table) {
  g_critical("statement: refusing a text of table %s: a value holds a zero byte", table.c_str());
  return std::nullopt;
}

std::string quoted(IStatement* statement, const std::string& name) {
  return taken(tarvex_brevane_contracts_database_istatement_quote_identifier(statement,
                                                                             name.c_str(), ""))
      .value_or(std::string());
}

}  // namespace

gchar* StatementDialect::content_with_select_list(IStatement* statement, const gchar* database,
                                                  const gchar* user_schema, const gchar* table,
                                                  const gchar* select_list, const gchar* where,
                                                  const gchar* order, gint64 offset,
                                                  gint limit) const {
  return tarvex_brevane_contracts_database_istatement_show_content(
      statement, database, user_schema, table, select_list, where, order, offset, limit);
}

std::optional<std::string> StatementDialect::record_insert(
    IStatement* statement, const std::string& schema, const std::string& table,
    const std::vector<std::string>& columns, const std::vector<std::string>& values) const {
  CTexts c(columns), v(values);
  if (!c.whole || !v.whole) return refuse_cut(table);
  return taken(tarvex_brevane_contracts_database_istatement_build_sql_insert(
      statement, schema.c_str(), table.c_str(), c.get(), c.size(), v.get(), v.size()));
}

std::optional<std::string> StatementDialect::record_update(
    IStatement* statement, const std::string& schema, const std::string& table,
    const std::vector<std::string>& columns, const std::vector<std::string>& values,
    const std::vector<std::string>& keys, const std::vector<std::string>& key_values) const {
  CTexts c(columns), v(values), k(keys), kv(key_values);
  if (!c.whole || !v.whole || !k.whole || !kv.whole) return refuse_cut(table);
  return taken(tarvex_brevane_contracts_database_istatement_build_sql_update(
      statement, schema.c_str(), table.c_str(), c.get(), c.size(), v.get(), v.size(), k.get(),
      k.size(), kv.get(), kv.size()));
}

std::optional<std::string> StatementDialect::record_delete(
    IStatement* statement, const std::string& schema, const std::string& table,
    const std::vector<std::string>& keys, const std::vector<std::string>& key_values) const {
  CTexts k(keys), kv(key_values);
  if (!k.whole || !kv.whole) return refuse_cut(table);
  return taken(tarvex_brevane_contracts_database_istatement_build_sql_delete(
      statement, schema.c_str(), table.c_str(), k.get(), k.size(), kv.get(), kv.size()));
}

std::string StatementDialect::lossless_select_item(IStatement* statement, const std::string& name,
                                                   const std::string&) const {
  return quoted(statement, name);
}

bool StatementDialect::is_orderable(const std::string&) const {
  return true;
}

std::string StatementDialect::order_by(IStatement* statement,
                                       const std::vector<std::string>& names) const {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : ", ") + quoted(statement, name);
  return out;
}

std::optional<std::string> StatementDialect::drop_view_if_exists(const std::string&,
                                                                 const std::string&) const {
  return std::nullopt;
}

std::optional<std::string> StatementDialect::drop_table_if_exists(const std::string&,
                                                                  const std::string&) const {
  return std::nullopt;
}

std::string StatementDialect::keep_existing_schema(const std::string&,
                                                   const std::string& batch) const {
  return batch;
}

std::optional<std::string> StatementDialect::switch_triggers(const std::string&, const std::string&,
                                                             bool) const {
  return std::nullopt;
}

std::optional<std::string> StatementDialect::identity_insert(const std::string&, const std::string&,
                                                             bool) const {
  return std::nullopt;
}

std::optional<std::string> StatementDialect::columns_query(const std::string&,
                                                           const std::string&) const {
  return std::nullopt;
}

std::vector<ColumnFacts> StatementDialect::read_columns(TarvexProvidersContractsTableModel*) const {
  return {};
}

void register_statement_dialect(GType type, const StatementDialect* dialect) {
  g_type_set_qdata(type, dialect_quark(), const_cast<StatementDialect*>(dialect));
}

const StatementDialect& statement_dialect(IStatement* statement) {
  static const StatementDialect plain;
  if (!G_IS_OBJECT(statement)) return plain;
  for (GType type = G_OBJECT_TYPE(statement); type; type = g_type_parent(type))
    if (auto* dialect =
            static_cast<const StatementDialect*>(g_type_get_qdata(type, dialect_quark())))
      return *dialect;
  return plain;
}

}  // namespace tarvex::contracts
