// The data patch of one table: the rows a comparison found different,
// written as INSERT, UPDATE and DELETE statements by key.
//
// The table model names its table through the object data "SCHEMA" and
// "TABLE", its key columns through "KEYS" (a NULL-terminated array of
// names) and asks for explicit identity values through "IDENTITY"; each
// row's version says what to do (4 insert, 8 update, 2 delete) and an
// updated value that is unchanged carries the code 1 under "VERSION".
#include <gee.h>

#include <string>
#include <vector>

#include "brevane/database/sql_builder.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-gobject-private.h"
#include "providers/contracts/column_model.h"
#include "providers/contracts/row_model.h"
#include "providers/contracts/table_model.h"

namespace tarvex::dialect {

namespace {

using Row = TarvexProvidersContractsRowModel;
using Value = TarvexProvidersContractsValueObject;

const char* data_text(gpointer object, const char* key) {
  return static_cast<const char*>(g_object_get_data(G_OBJECT(object), key));
}

}  // namespace

gchar* patch_data_table(TarvexBrevaneSupportsDatabaseSqlBuilder*,
                        TarvexProvidersContractsTableModel* model) {
  g_return_val_if_fail(model != NULL, nullptr);
  const char* schema = data_text(model, "SCHEMA");
  const char* table = data_text(model, "TABLE");
  if (!table || !*table) return g_strdup("");
  const std::string name = sql::bracketed_qualified(schema ? schema : "", table);

  std::vector<std::string> columns;
  GeeArrayList* list = tarvex_providers_contracts_table_model_get_columns(model);
  gint width = list ? gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list)) : 0;
  for (gint i = 0; i < width; ++i) {
    auto column = GRef<TarvexProvidersContractsColumnModel>::adopt(
        static_cast<TarvexProvidersContractsColumnModel*>(
            gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i)));
    const char* column_name = tarvex_providers_contracts_column_model_get_name(column.get());
    columns.push_back(column_name ? column_name : "");
  }
  std::vector<int> keys;
  if (auto* names = static_cast<const char* const*>(g_object_get_data(G_OBJECT(model), "KEYS")))
    for (const char* const* k = names; *k; ++k)
      for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i] == *k) keys.push_back(int(i));
  auto is_key = [&](int i) {
    for (int k : keys)
      if (k == i) return true;
    return false;
  };

  std::string changes;
  sql::InsertWriter inserts(schema ? schema : "", table, columns);
  std::vector<std::string> literals;

  guint rows = g_list_model_get_n_items(G_LIST_MODEL(model));
  for (guint r = 0; r < rows; ++r) {
    auto row = GRef<Row>::adopt(static_cast<Row*>(g_list_model_get_item(G_LIST_MODEL(model), r)));
    auto version = tarvex_providers_contracts_row_model_get_version(row.get());
    std::vector<GRef<Value>> values;
    for (gint i = 0; i < width; ++i)
      values.push_back(
          GRef<Value>::adopt(tarvex_providers_contracts_row_model_get_value_at(row.get(), i)));
    auto where = [&] {
      std::string out;
      for (int k : keys) {
        out += out.empty() ? " WHERE " : " AND ";
        Value* v = values[k].get();
        bool null = !v || tarvex_providers_contracts_value_object_get_is_null(v);
        out += sql::bracketed(columns[k]) + (null ? " IS NULL" : " = " + sql::value_literal(v));
      }
      return out;
    };
    switch (version) {
      case TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT: {
        literals.clear();
        for (gint i = 0; i < width; ++i) literals.push_back(sql::value_literal(values[i].get()));
        inserts.add_row(literals);
        break;
      }
      case TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE: {
        // Without a key an update would reach every row: none is written.
        if (keys.empty()) break;
        std::string set;
        for (gint i = 0; i < width; ++i) {
          if (is_key(i)) continue;
          gpointer code =
              values[i] ? g_object_get_data(G_OBJECT(values[i].get()), "VERSION") : nullptr;
          if (GPOINTER_TO_INT(code) == 1) continue;
          set += (set.empty() ? "" : ", ") + sql::bracketed(columns[i]) + " = " +
                 sql::value_literal(values[i].get());
        }
        if (!set.empty()) changes += "UPDATE " + name + " SET " + set + where() + ";\n";
        break;
      }
      case TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE:
        if (keys.empty()) break;
        changes += "DELETE FROM " + name + where() + ";\n";
        break;
      default:
        break;
    }
  }
  std::string out = changes;
  if (!inserts.empty()) {
    const bool identity = data_text(model, "IDENTITY") != nullptr;
    if (identity) out += "SET IDENTITY_INSERT " + name + " ON;\n";
    out += inserts.text();
    if (identity) out += "SET IDENTITY_INSERT " + name + " OFF;\n";
  }
  return dup(out);
}

}  // namespace tarvex::dialect
