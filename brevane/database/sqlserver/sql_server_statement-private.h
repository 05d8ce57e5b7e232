// The SQL Server statement's answers to what the transform and data areas
// ask of a dialect (brevane/contracts/statement-dialect-private.h). Not
// installed, not part of the API.
#pragma once

#include "brevane/database/statement-private.h"

namespace tarvex::dialect {

// The content text with `select_list` as it is: expressions and aliases of
// the library's own callers.
gchar* content_of_select_list(TarvexBrevaneSupportsDatabaseStatement* self, const gchar* database,
                              const gchar* user_schema, const gchar* table,
                              const gchar* select_list, const gchar* where, const gchar* order,
                              gint64 offset, gint limit);

// The answers, registered by the statement's class for its type.
const contracts::StatementDialect& statement_dialect();

}  // namespace tarvex::dialect
