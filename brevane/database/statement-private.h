// The base statement's answers to what the transform and data areas ask of
// a dialect (brevane/contracts/statement-dialect-private.h): record texts
// whose values keep their length while the class keeps the base's writers.
// A dialect derives its own answers from these and registers them for its
// statement type.
//
// Not installed, not part of the API.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "brevane/contracts/statement-dialect-private.h"
#include "brevane/database/statement.h"

namespace tarvex::database {

class BaseStatementDialect : public contracts::StatementDialect {
 public:
  // The texts as build_sql_insert, build_sql_update and build_sql_delete of
  // the base write them, values carried whole; through the exported C texts
  // when the class writes them itself.
  std::optional<std::string> record_insert(contracts::IStatement* statement,
                                           const std::string& schema, const std::string& table,
                                           const std::vector<std::string>& columns,
                                           const std::vector<std::string>& values) const override;
  std::optional<std::string> record_update(
      contracts::IStatement* statement, const std::string& schema, const std::string& table,
      const std::vector<std::string>& columns, const std::vector<std::string>& values,
      const std::vector<std::string>& keys,
      const std::vector<std::string>& key_values) const override;
  std::optional<std::string> record_delete(
      contracts::IStatement* statement, const std::string& schema, const std::string& table,
      const std::vector<std::string>& keys,
      const std::vector<std::string>& key_values) const override;
};

}  // namespace tarvex::database
