// Helpers shared by the SQL Server explorer and adapter: names spliced into
// catalog queries, the server's major version, and reading result cells.
//
// Not installed, not part of the API.
#pragma once

#include <gee.h>
#include <glib.h>

#include <cstdarg>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "brevane/contracts/iconnection.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-text-private.h"
#include "providers/contracts/table_model.h"
#include "providers/contracts/value_int.h"
#include "providers/contracts/value_object.h"

namespace tarvex::dialect {

// printf into a std::string.
G_GNUC_PRINTF(1, 2) inline std::string format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  GUniqueStr text(g_strdup_vprintf(fmt, args));
  va_end(args);
  return text.get();
}

// The major number at the start of a version text ("16.0.1000.6" gives 16);
// 0 when the text is absent or does not start with a number.
inline int major_version_of(const char* version) {
  int major = 0, minor = 0;
  if (version) std::sscanf(version, "%d.%d", &major, &minor);
  return major;
}

inline int server_major_version(TarvexBrevaneContractsDatabaseIConnection* connection) {
  return major_version_of(tarvex_brevane_contracts_database_iconnection_get_version(connection));
}

// Read access to one catalog result.
class Result {
 public:
  explicit Result(TarvexProvidersContractsTableModel* model)
      : model_(GRef<TarvexProvidersContractsTableModel>::adopt(model)) {}

  TarvexProvidersContractsTableModel* get() const { return model_.get(); }
  int rows() const {
    return gee_abstract_collection_get_size(
        GEE_ABSTRACT_COLLECTION(tarvex_providers_contracts_table_model_get_rows(model_.get())));
  }
  int columns() const {
    return gee_abstract_collection_get_size(
        GEE_ABSTRACT_COLLECTION(tarvex_providers_contracts_table_model_get_columns(model_.get())));
  }

  // The cell's value; null past the last column or row.
  GRef<TarvexProvidersContractsValueObject> value(int column, int row) const {
    if (column < 0 || column >= columns()) return {};
    return GRef<TarvexProvidersContractsValueObject>::adopt(
        tarvex_providers_contracts_table_model_get_value_at(model_.get(), column, row));
  }
  bool is_null(int column, int row) const {
    auto v = value(column, row);
    return !v || tarvex_providers_contracts_value_object_get_is_null(v.get());
  }
  // The cell's text; a NULL reads as the empty text.
  std::string text(int column, int row) const {
    auto v = value(column, row);
    if (!v) return {};
    GUniqueStr s(tarvex_providers_contracts_value_object_to_string(v.get()));
    return s ? s.get() : "";
  }
  // A bit (or any integer) cell as a truth value; NULL is false.
  bool flag(int column, int row) const {
    auto v = value(column, row);
    if (!v || tarvex_providers_contracts_value_object_get_is_null(v.get())) return false;
    if (TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_BOOLEAN(v.get()))
      return tarvex_providers_contracts_value_boolean_get_boolean(
          reinterpret_cast<TarvexProvidersContractsValueBoolean*>(v.get()));
    if (G_TYPE_CHECK_INSTANCE_TYPE(v.get(), tarvex_providers_contracts_iinteger_get_type()))
      return tarvex_providers_contracts_iinteger_to_integer(
                 reinterpret_cast<TarvexProvidersContractsIInteger*>(v.get())) != 0;
    std::string t = text(column, row);
    return t == "true" || t == "1";
  }
  // A cell read as a signed integer; 0 for NULL or a text that is no number.
  gint64 integer(int column, int row) const {
    auto v = value(column, row);
    if (!v || tarvex_providers_contracts_value_object_get_is_null(v.get())) return 0;
    if (G_TYPE_CHECK_INSTANCE_TYPE(v.get(), tarvex_providers_contracts_iinteger_get_type()))
      return tarvex_providers_contracts_iinteger_to_integer(
          reinterpret_cast<TarvexProvidersContractsIInteger*>(v.get()));
    return g_ascii_strtoll(text(column, row).c_str(), nullptr, 10);
  }

 private:
  GRef<TarvexProvidersContractsTableModel> model_;
};

// Runs one catalog query on the connection (flags 0). The error of the
// connection goes to the caller; a connection that answers nothing without
// an error gives an empty result.
inline std::optional<Result> run_query(TarvexBrevaneContractsDatabaseIConnection* connection,
                                       const std::string& sql, GError** error) {
  GError* failure = nullptr;
  TarvexProvidersContractsTableModel* model =
      tarvex_brevane_contracts_database_iconnection_execute_as_model(connection, sql.c_str(), 0,
                                                                     &failure);
  if (failure) {
    if (model) g_object_unref(model);
    g_propagate_error(error, failure);
    return std::nullopt;
  }
  if (!model) model = tarvex_providers_contracts_table_model_new();
  return Result(model);
}

}  // namespace tarvex::dialect
