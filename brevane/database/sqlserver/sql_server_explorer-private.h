// What the explorer variants share with SQL Server explorer: the one
// procedure every list follows.
//
// Not installed, not part of the API.
#pragma once

#include <initializer_list>
#include <string_view>

#include "brevane/database/sqlserver/sql_server_explorer.h"

namespace tarvex::dialect {

// Runs one list: `query` with the schema name (as a literal, quotes doubled)
// in place of its one "%s", if it has one; then titles the result's columns
// with the translated labels, position by position. A null schema is
// reported as a failed precondition of `operation`; the connection's error
// goes to the caller with a null result.
TarvexProvidersContractsTableModel* explorer_list(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self, const char* operation, const char* schema,
    std::string_view query, std::initializer_list<const char*> labels, GError** error);

// The object types of the routine lists, and the column that names a
// routine's kind.
inline constexpr const char* kRoutineTypes = "('AF','FN','FS','FT','IF','TF','P','PC','X','RF')";
inline constexpr const char* kFunctionTypes = "('AF','FN','FS','FT','IF','TF','RF')";
inline constexpr const char* kProcedureTypes = "('P','PC', 'X')";
inline constexpr const char* kRoutineKindColumn =
    "CASE WHEN ao.type IN ('AF','FN','FS','FT','IF','TF','RF') THEN 'FUNCTION' "
    "ELSE 'PROCEDURE' END AS type";

TarvexBrevaneContractsDatabaseIConnection* explorer_connection(
    TarvexBrevaneSupportsDatabaseSQLServerExplorer* self);

}  // namespace tarvex::dialect
