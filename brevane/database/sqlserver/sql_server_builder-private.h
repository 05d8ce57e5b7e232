// Internal pieces of the SQL Server builder, shared by its source files.
// Not installed.
#pragma once

#include <gee.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "brevane/database/sqlserver/sql_server_builder.h"
#include "brevane/model/constraints/meta_check.h"
#include "brevane/model/constraints/meta_foreign_key.h"
#include "brevane/model/constraints/meta_unique.h"
#include "brevane/model/meta-helpers-private.h"
#include "brevane/model/meta_column.h"
#include "brevane/model/meta_routine.h"
#include "brevane/model/meta_synonym.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-text-private.h"

namespace tarvex::dialect {

using Builder = TarvexBrevaneSupportsDatabaseSQLServerBuilder;
using MetaObject = TarvexBrevaneMetaModelMetaObject;
using MetaTable = TarvexBrevaneMetaModelMetaTable;
using MetaColumn = TarvexBrevaneMetaModelMetaColumn;
using MetaIndex = TarvexBrevaneMetaModelMetaIndex;
using MetaTrigger = TarvexBrevaneMetaModelMetaTrigger;
using MetaView = TarvexBrevaneMetaModelMetaView;

// Change codes of a record and names of meta objects (the meta model's
// helpers), and the shared text forms.
using enum meta::ChangeCode;
using meta::comment_of;
using meta::name_of;
using meta::schema_of;
using text::ascii_upper;
using text::trim;

// ------------------------------------------------------------ texts

inline std::string str(const char* s) {
  return s ? s : "";
}
bool iequals(std::string_view a, std::string_view b);

// A comma-separated list of column names as the model keeps it ("a,b" or
// "a ASC,b DESC"), each name bracketed: "[a], [b]" or "[a] ASC, [b] DESC".
// An entry already in brackets stays as it is. Without `keep_direction` the
// ASC/DESC words are left out (column lists that take no direction).
std::string bracket_list(std::string_view list, bool keep_direction);
// The same for a list of entries.
std::string bracket_entries(const std::vector<std::string>& entries, bool keep_direction);

// ------------------------------------------------------------ model access

inline MetaObject* meta(gpointer obj) {
  return TARVEX_BREVANE_META_MODEL_META_OBJECT(obj);
}
std::optional<std::string> attr(gpointer obj, const char* key);
// A boolean attribute: true only for the text "true".
bool attr_true(gpointer obj, const char* key);
std::optional<std::string> option(MetaTable* table, const char* key);

// The object's own change record.
int diff_code(gpointer obj, const std::string& path);
bool diff_has(gpointer obj, const std::string& path);
void diff_remove(gpointer obj, const std::string& path);
int diff_size(gpointer obj);
// The record's paths with their codes, in path order.
std::vector<std::pair<std::string, int>> diff_entries(gpointer obj);
// The old value of a path (the slice map), when the record holds one.
std::optional<std::string> slice_of(gpointer obj, const std::string& path);

template <typename T>
std::vector<GRef<T>> items(GeeArrayList* list) {
  std::vector<GRef<T>> out;
  if (!list) return out;
  const gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
  for (gint i = 0; i < n; ++i)
    out.push_back(adoptGRef(static_cast<T*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i))));
  return out;
}
std::vector<std::string> string_items(GeeArrayList* list);

// "EXECUTE AS ..." of a module from its "EXECUTOR_USER" or "EXECUTOR"
// attribute, or "" when it names none.
std::string execute_as_clause(gpointer object);

// ------------------------------------------------------------ batches

// True when the batch starts with a statement that T-SQL requires to begin
// its batch (CREATE or ALTER of a view, procedure, function or trigger, and
// CREATE SCHEMA), or with a DECLARE. Leading blanks and comments are
// skipped.
bool starts_batch(std::string_view batch);

// The statement as it is when none of its lines is a GO line; otherwise the
// statement as the value of a variable run by sp_executesql, written by the
// literal writer so that no line of the script is a GO line and the server
// still receives the statement exactly (a definition with a GO line inside
// a literal or a comment is created as it stands).
std::string executed(std::string_view statement);

// Whether sql::nliteral(text) is one N'...' constant: only a constant stands where
// T-SQL takes no expression (procedure arguments, passwords).
bool one_constant(std::string_view text);
// N'text' with its quotes doubled and nothing else changed, for a literal
// inside a statement that is itself run from a variable.
std::string inner_constant(std::string_view text);
// A statement run by `procedure` (sp_executesql, or [db].sys.sp_executesql)
// from a variable written by sql::nliteral, as a batch of its own ("GO" lines around
// it, since a variable is declared once per batch).
std::string dynamic_batch(std::string_view statement, std::string_view procedure = "sp_executesql");
// A statement whose arguments must be constants, made by `make` from the
// texts that stand for `values`: their literals when each is one constant,
// else NVARCHAR(4000) variables (what a sql_variant argument takes)
// declared before the statement, as a batch of its own, for those that are
// not.
std::string with_constants(const std::vector<std::string>& values,
                           const std::function<std::string(const std::vector<std::string>&)>& make);

// Collects statements into batches, cut where sql::split_batches cuts. A
// statement that must begin its batch gets a "GO" line before it when the
// batch already holds something, and whatever follows such a statement (a
// body runs to the end of its batch) starts a new batch. A piece holding a
// GO line inside a literal, comment or name is run through `executed`.
class Script {
 public:
  void add(std::string_view text);
  std::string str() const;
  bool empty() const;

 private:
  std::vector<std::string> batches_{std::string()};
};

// ------------------------------------------------------------ comments

// The level path of an object: ("SCHEMA", s), then up to two (kind, name)
// pairs below it.
struct CommentPath {
  std::string schema;
  std::string kind1, name1;
  std::string kind2, name2;
};
std::string comment_add(const CommentPath& path, std::string_view comment);
std::string comment_upsert(const CommentPath& path, std::string_view comment);
std::string comment_drop(const CommentPath& path);

std::string build_comment_for_columns(MetaTable* table, bool patch);
std::string build_comment_for_constraints(MetaTable* table, bool patch);

// ------------------------------------------------------------ columns and constraints

std::optional<std::vector<std::string>> load_collations(Builder* self);
// The type written for a column: its own type when it names a SQL Server
// type (or a user-defined one), else the inspector's name for its data type.
std::string column_type(Builder* self, MetaColumn* column, bool raw,
                        TarvexBrevaneContractsDatabaseIInspectable* inspector);
// The size of a type: "(n)", "(MAX)", "(p, s)", a time precision, or "".
std::string size_suffix(std::string_view type, gint64 length, guint scale);
// The text after "[name] TYPE" of a column definition, ending ",\n".
std::string build_column_body(MetaColumn* column, std::string_view type,
                              const std::vector<std::string>& collations);
std::string build_primary_key(MetaTable* table, bool alter);
std::string build_table_checks(MetaTable* table, bool patch);
std::string build_table_foreigns(MetaTable* table, bool patch);
std::string build_table_uniques(MetaTable* table, bool patch);
// The T-SQL spelling of a referential action, whichever form the model holds.
std::string referential_action(std::string_view action);
// The name of a table's primary key: its recorded name, else one made from
// the table's name that fits the 128 characters of a name.
std::string primary_key_name(MetaTable* table);

// ------------------------------------------------------------ views, indexes, triggers

std::string build_view_script(MetaView* view, bool alter);
// Indexes that T-SQL cannot declare inside CREATE TABLE (XML and spatial).
bool index_is_standalone(MetaIndex* index);
std::string build_index_body(MetaIndex* index);
// A CREATE INDEX statement for an index of `table`, with its disable and
// comment statements.
std::string build_index_patch(MetaTable* table, MetaIndex* index);
std::string build_index_statement(std::string_view schema, std::string_view table,
                                  MetaIndex* index);
std::string build_table_indexes(MetaTable* table, bool patch);
void build_table_triggers(Script& script, MetaTable* table, bool patch);
std::string build_table_trigger_body(MetaTable* table, MetaTrigger* trigger, bool alter);

// ------------------------------------------------------------ routines

std::string build_routine(TarvexBrevaneMetaModelMetaRoutine* routine);
std::string build_procedure_script(TarvexBrevaneMetaModelMetaRoutine* routine, bool alter);
std::string build_function_script(TarvexBrevaneMetaModelMetaRoutine* routine, bool alter);
gchar* build_caller(TarvexBrevaneSupportsDatabaseSqlBuilder* base,
                    TarvexBrevaneMetaModelMetaRoutine* routine);
// The create text of a procedure or function; empty for an encrypted one,
// which nothing can create again.
gchar* build_function(TarvexBrevaneSupportsDatabaseSqlBuilder* base,
                      TarvexBrevaneMetaModelMetaRoutine* routine);

// ------------------------------------------------------------ databases

std::string build_file_sql(std::string_view spec, std::string_view current);
std::string build_group_sql(std::string_view spec, std::string_view database, bool add,
                            bool modify);
gchar* create_database(TarvexBrevaneSupportsDatabaseSqlBuilder* base,
                       TarvexBrevaneMetaModelMetaDatabase* database, gboolean raw);
std::string patch_database_text(TarvexBrevaneMetaModelMetaDatabase* database);

// ------------------------------------------------------------ principals

std::vector<std::string> split_at(std::string_view text, char separator);
gchar* build_user(TarvexBrevaneSupportsDatabaseSqlBuilder* base,
                  TarvexBrevaneMetaModelMetaUser* user);
gchar* build_role(TarvexBrevaneSupportsDatabaseSqlBuilder* base,
                  TarvexBrevaneMetaModelMetaRole* role);
std::string patch_user_text(TarvexBrevaneMetaModelMetaUser* user);
std::string patch_role_text(TarvexBrevaneMetaModelMetaRole* role);

// ------------------------------------------------------------ patch dispatch

gchar* build_patch(TarvexBrevaneSupportsDatabaseSqlBuilder* base, MetaObject* meta_object,
                   gboolean raw);

// ------------------------------------------------------------ tables

std::string build_state_statements(MetaTable* table, bool patch);
// A computed column: "    [c] AS (expression) ...,\n".
bool is_computed(MetaColumn* column);
std::string computed_column(MetaColumn* column);
gchar* patch_table(TarvexBrevaneSupportsDatabaseSqlBuilder* base, MetaTable* table);
// True when an expression names the column (bracketed, or as a whole word).
bool contains_name(std::string_view expression, const std::string& column);
std::string make_compression_sql(std::string_view option, std::string_view values);

// Class operations written in the topic files.
gchar* build_table(TarvexBrevaneSupportsDatabaseSqlBuilder* base, MetaTable* table, gboolean raw);
gchar* build_view(TarvexBrevaneSupportsDatabaseSqlBuilder* base, MetaView* view);
gchar* patch_view(TarvexBrevaneSupportsDatabaseSqlBuilder* base, MetaView* view);
gchar* build_index(TarvexBrevaneSupportsDatabaseSqlBuilder* base, MetaIndex* index);
gchar* build_trigger(TarvexBrevaneSupportsDatabaseSqlBuilder* base, MetaTrigger* trigger);

}  // namespace tarvex::dialect
