// Content texts with a select list written whole by the caller, for the
// transfer and the synchronizers of this library (not installed, not part
// of the API).
//
// The exported show_content takes column names and brackets them. The
// transfer reads columns through expressions (CONVERT(...) AS [c]) that no
// name list can carry, so a dialect registers here the builder of the same
// text from a ready select list.
#pragma once

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

}  // namespace tarvex::database
