#include <glib-object.h>

#include "brevane/database/statement-private.h"

namespace tarvex::database {

namespace {

GQuark select_list_quark() {
  static GQuark quark = g_quark_from_static_string("tarvex-select-list-content");
  return quark;
}

}  // namespace

void set_select_list_content(GType type, SelectListContent content) {
  g_type_set_qdata(type, select_list_quark(), reinterpret_cast<gpointer>(content));
}

gchar* show_content_with_select_list(TarvexBrevaneContractsDatabaseIStatement* statement,
                                     const gchar* database, const gchar* user_schema,
                                     const gchar* table, const gchar* select_list,
                                     const gchar* where, const gchar* order, gint64 offset,
                                     gint limit) {
  g_return_val_if_fail(G_IS_OBJECT(statement), nullptr);
  if (TARVEX_BREVANE_SUPPORTS_DATABASE_IS_STATEMENT(statement)) {
    for (GType type = G_OBJECT_TYPE(statement); type; type = g_type_parent(type)) {
      auto content =
          reinterpret_cast<SelectListContent>(g_type_get_qdata(type, select_list_quark()));
      if (content)
        return content(TARVEX_BREVANE_SUPPORTS_DATABASE_STATEMENT(statement), database, user_schema,
                       table, select_list, where, order, offset, limit);
    }
  }
  return tarvex_brevane_contracts_database_istatement_show_content(
      statement, database, user_schema, table, select_list, where, order, offset, limit);
}

}  // namespace tarvex::database
