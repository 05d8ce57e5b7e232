// What the SQL Server adapter's fillers share: reading and writing meta
// objects, the "FILLED" mark, the not-found error, catalog columns that only
// newer servers have, and the fillers that the version-10 adapter reuses.
//
// Not installed, not part of the API.
#pragma once

#include <gee.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "brevane/database/sqlserver/sql_server_adapter.h"
#include "brevane/database/sqlserver/sql_server_catalog-private.h"
#include "brevane/foundation/sql_error.h"
#include "brevane/model/meta-helpers-private.h"
#include "brevane/model/meta_database.h"
#include "brevane/model/meta_event.h"
#include "brevane/model/meta_index.h"
#include "brevane/model/meta_relation.h"
#include "brevane/model/meta_routine.h"
#include "brevane/model/meta_trigger.h"
#include "brevane/model/meta_view.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-gobject-private.h"

namespace tarvex::dialect::adapter {

using Self = TarvexBrevaneSupportsDatabaseSQLServerAdapter;
using Base = TarvexBrevaneSupportsDatabaseAdapter;

inline TarvexBrevaneMetaModelMetaObject* meta(gpointer object) {
  return reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(object);
}

inline TarvexBrevaneContractsDatabaseIConnection* connection_of(Self* self) {
  return reinterpret_cast<Base*>(self)->connection;
}

inline int major_of(Self* self) {
  return server_major_version(connection_of(self));
}

inline bool is_filled(gpointer object) {
  return g_object_get_data(G_OBJECT(object), "FILLED") != nullptr;
}

inline void mark_filled(gpointer object) {
  g_object_set_data(G_OBJECT(object), "FILLED", GINT_TO_POINTER(TRUE));
}

using meta::database_of;
using meta::name_of;
using meta::schema_of;

inline void set_attribute(gpointer object, const char* key, const std::string& value) {
  GeeHashMap* map = tarvex_brevane_meta_model_meta_object_get_attributes(meta(object));
  gee_abstract_map_set(GEE_ABSTRACT_MAP(map), key, value.c_str());
}

inline void set_comment(gpointer object, const std::string& comment) {
  tarvex_brevane_meta_model_meta_object_set_comment(meta(object), comment.c_str());
}

inline void append_to(GeeArrayList* list, gpointer item) {
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), item);
}

// The objects of a list, each with a reference of its own.
template <typename T>
std::vector<GRef<T>> items_of(GeeArrayList* list) {
  std::vector<GRef<T>> items;
  const gint count = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
  for (gint i = 0; i < count; i++)
    items.push_back(
        GRef<T>::adopt(static_cast<T*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i))));
  return items;
}

template <size_t N>
bool in_list(const gchar* const (&list)[N], const std::string& value) {
  for (const gchar* entry : list)
    if (value == entry) return true;
  return false;
}

using text::utf8_upper;

// A comma list without its trailing comma.
inline std::string finished(std::string list) {
  if (!list.empty() && list.back() == ',') list.pop_back();
  return list;
}

// A catalog column that servers before major version `since` lack: NULL in
// its place there, so that the row keeps its shape.
inline std::string column_since(int major, int since, const char* expression, const char* alias) {
  return std::string(major >= since ? expression : "NULL") + " AS " + alias;
}

// The catalog does not know the object: an error for the caller.
G_GNUC_PRINTF(2, 3) inline void not_found(GError** error, const char* format, ...) {
  va_list args;
  va_start(args, format);
  GUniqueStr message(g_strdup_vprintf(format, args));
  va_end(args);
  g_set_error_literal(error, TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR,
                      TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_NOT_FOUND, message.get());
}

inline std::string qualified(gpointer object) {
  return sql::bracketed(schema_of(object)) + "." + sql::bracketed(name_of(object));
}

// Which catalog rows a query reads: those of one object of a schema, or
// those of every object of the schema. A query of the whole schema names
// each row's object in one of its columns, so that its rows can be handed
// to the objects in memory.
struct Scope {
  std::string schema;
  const std::string* object = nullptr;  // null: the whole schema
  bool whole() const { return object == nullptr; }
};

// Row numbers of a result that belong to one object, in the result's order.
using Rows = std::vector<int>;
Rows all_rows(const Result& result);
// The rows of a result grouped by the text of `column`, each group in the
// result's order.
std::unordered_map<std::string, Rows> rows_by(const Result& result, int column);

// The parts of a table fill, in the order the fill reads them.
enum class TablePart {
  Columns,
  PrimaryKey,
  Indexes,
  Triggers,
  Checks,
  Foreigns,
  Uniques,
  General,
  Spaces,
  Partitions
};
// The catalog query of one part, and the column that names a row's table
// in its answer for the whole schema.
std::string table_part_query(Self* self, TablePart part, const Scope& scope);
int table_part_owner(TablePart part, const Result& rows);
// Writes one table's rows of a part into the table.
void read_table_part(Self* self, TablePart part, TarvexBrevaneMetaModelMetaTable* table,
                     const Result& result, const Rows& rows);

// The deep fill of a schema's tables, views and routines: each catalog view
// is read once for the whole schema and its rows go to the objects in
// memory. An object the reading did not show (or a class that replaced a
// filler) is filled on its own. Objects already filled are skipped; the
// first failure stops the fill.
bool fill_schema_tables(Self* self, TarvexBrevaneMetaModelMetaSchema* schema, gboolean full,
                        GError** error);
bool fill_schema_views(Self* self, TarvexBrevaneMetaModelMetaSchema* schema, GError** error);
bool fill_schema_routines(Self* self, TarvexBrevaneMetaModelMetaSchema* schema, GError** error);

// The executor of a module or trigger as the table fill writes it: CALLER,
// SELF and OWNER stay keywords; a user goes to "EXECUTOR_USER" beside
// "EXECUTOR" = USER.
void set_executor(gpointer object, const std::string& executor);

// One row of the trigger query as a trigger of `schema` on `target`.
GRef<TarvexBrevaneMetaModelMetaTrigger> trigger_from_row(const Result& rows, int row,
                                                         const std::string& database,
                                                         const std::string& schema,
                                                         const std::string& target);
// The trigger query for the triggers of the tables (and views) of a scope;
// its column 3 names the object a trigger is on.
std::string trigger_query(const Scope& scope);
// The trigger query for one trigger of a schema, by name.
std::string trigger_query(const std::string& schema, const std::string& trigger);
// The table fill's trigger part (the slot of both adapter classes).
TarvexBrevaneMetaModelMetaTable* fill_table_triggers(Self* self,
                                                     TarvexBrevaneMetaModelMetaTable* table,
                                                     GError** error);
TarvexBrevaneMetaModelMetaTable* fill_table_triggers_v10x(Self* self,
                                                          TarvexBrevaneMetaModelMetaTable* table,
                                                          GError** error);

// Rows of the index query (the table fill's columns, 0 to 11): what the
// first row of an index says of it, and the key or included column of each.
void index_head_from_row(TarvexBrevaneMetaModelMetaIndex* index, const Result& rows, int row);
void index_column_from_row(TarvexBrevaneMetaModelMetaIndex* index, const Result& rows, int row,
                           std::string& include);

// Fillers the version-10 adapter reuses; each reads the server's version
// and selects only the columns that server has.
void fill_database(Self* self, TarvexBrevaneMetaModelMetaDatabase* database, gboolean deep,
                   gboolean full, GError** error);
void fill_routine(Self* self, TarvexBrevaneMetaModelMetaRoutine* routine, GError** error);

// The view and routine fillers' queries for a scope (a whole schema's
// answers name the object in their last column) and the reading of one
// object's rows.
std::string view_query(const Scope& scope);
void read_view(TarvexBrevaneMetaModelMetaView* view, const Result& rows, int row);
std::string routine_query(Self* self, const Scope& scope);
std::string parameters_query(Self* self, const Scope& scope);
void read_routine(TarvexBrevaneMetaModelMetaRoutine* routine, const Result& rows, int row,
                  const Result& parameters, const Rows& parameter_rows);
void fill_user(Self* self, TarvexBrevaneMetaModelMetaUser* user, GError** error);

// Private fillers reached through fill_meta_object.
void fill_login(Self* self, TarvexBrevaneMetaModelMetaUser* user, GError** error);
void fill_role(Self* self, TarvexBrevaneMetaModelMetaRole* role, GError** error);

// Class setup of the fillers of each file.
void setup_database_fillers(TarvexBrevaneSupportsDatabaseSQLServerAdapterClass* klass);
void setup_object_fillers(TarvexBrevaneSupportsDatabaseSQLServerAdapterClass* klass);
void setup_table_fillers(TarvexBrevaneSupportsDatabaseSQLServerAdapterClass* klass);
void setup_principal_fillers(TarvexBrevaneSupportsDatabaseSQLServerAdapterClass* klass);

}  // namespace tarvex::dialect::adapter
