// Content texts with a select list written whole by the caller, for the
// transfer and the synchronizers of this library, and record texts whose
// values keep their length, for its imports (not installed, not part of the
// API).
//
// The exported show_content takes column names and brackets them. The
// transfer reads columns through expressions (CONVERT(...) AS [c]) that no
// name list can carry, so a dialect registers here the builder of the same
// text from a ready select list.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "brevane/contracts/istatement.h"
#include "brevane/database/statement.h"

namespace tarvex::database {

using SelectListContent = gchar* (*)(TarvexBrevaneSupportsDatabaseStatement* self,
                                     const gchar* database, const gchar* user_schema,
                                     const gchar* table, const gchar* select_list,
                                     const gchar* where, const gchar* order, gint64 offset,
                                     gint limit);

// Registers `content` for statements of `type` and of the types derived
// from it (call in class_init).
void set_select_list_content(GType type, SelectListContent content);

// The content text of `statement` with `select_list` as it is: through the
// builder its type registered, else the exported show_content (which takes
// the list as names).
gchar* show_content_with_select_list(TarvexBrevaneContractsDatabaseIStatement* statement,
                                     const gchar* database, const gchar* user_schema,
                                     const gchar* table, const gchar* select_list,
                                     const gchar* where, const gchar* order, gint64 offset,
                                     gint limit);

// The INSERT, UPDATE and DELETE texts of one record, as the statement's
// build_sql_insert, build_sql_update and build_sql_delete write them, with
// the values (literals) carried as they are rather than as C texts, which
// would end at a zero byte. A statement whose class writes these texts
// itself (an override, another implementation of the contract) gets C
// texts: a value holding a zero byte is then refused. Nothing (and the
// statement's critical) when the statement refuses the text.
std::optional<std::string> record_insert(TarvexBrevaneContractsDatabaseIStatement* statement,
                                         const std::string& schema, const std::string& table,
                                         const std::vector<std::string>& columns,
                                         const std::vector<std::string>& values);
std::optional<std::string> record_update(TarvexBrevaneContractsDatabaseIStatement* statement,
                                         const std::string& schema, const std::string& table,
                                         const std::vector<std::string>& columns,
                                         const std::vector<std::string>& values,
                                         const std::vector<std::string>& keys,
                                         const std::vector<std::string>& key_values);
std::optional<std::string> record_delete(TarvexBrevaneContractsDatabaseIStatement* statement,
                                         const std::string& schema, const std::string& table,
                                         const std::vector<std::string>& keys,
                                         const std::vector<std::string>& key_values);

}  // namespace tarvex::database
