// The SQL Server adapter's fillers of single schema objects: views, indexes
// and triggers standing alone, routines, and events. Indexes, triggers and
// executors come out in the form the table fill gives them, so that any
// filled object can go to the builder as it is.
#include <glib/gi18n-lib.h>

#include <string>
#include <vector>

#include "brevane/database/sqlserver/sql_server_adapter-private.h"
#include "brevane/database/sqlserver/sql_server_definition-private.h"

using namespace tarvex;
using namespace tarvex::dialect::adapter;

using MetaTable = TarvexBrevaneMetaModelMetaTable;
using MetaView = TarvexBrevaneMetaModelMetaView;
using MetaIndex = TarvexBrevaneMetaModelMetaIndex;
using MetaTrigger = TarvexBrevaneMetaModelMetaTrigger;
using MetaRoutine = TarvexBrevaneMetaModelMetaRoutine;
using MetaEvent = TarvexBrevaneMetaModelMetaEvent;

namespace tarvex::dialect::adapter {

void set_executor(gpointer object, const std::string& executor) {
  if (executor.empty()) return;
  set_attribute(object, "EXECUTOR", executor);
  if (!in_list(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_USER_LIST_INTERNAL, executor)) {
    set_attribute(object, "EXECUTOR", "USER");
    set_attribute(object, "EXECUTOR_USER", executor);
  }
}

// ---------------------------------------------------------------------------
// Triggers: the table fill and the trigger standing alone share the query
// and the reading of its rows.

static std::string trigger_query_where(const std::string& where) {
  return "SELECT tr.name,tr.type,po.type AS object_type,po.name AS object_name,"
         "OBJECTPROPERTY(tr.object_id,'ExecIsInsertTrigger') AS is_insert_trigger,"
         "OBJECTPROPERTY(tr.object_id,'ExecIsUpdateTrigger') AS is_update_trigger,"
         "OBJECTPROPERTY(tr.object_id,'ExecIsDeleteTrigger') AS is_delete_trigger,"
         "OBJECTPROPERTY(tr.object_id,'IsEncrypted') is_encrypted,tr.is_instead_of_trigger,"
         "tr.is_disabled,asm.definition,asm.execute_as_principal_id AS sql_principal_id,dp.name "
         "AS sql_principal_name,ao.name AS assembly_name,am.assembly_class,am.assembly_method,"
         "am.execute_as_principal_id AS clr_principal_id,dp2.name AS clr_principal_name,CAST "
         "(ep.value AS NVARCHAR (MAX)) AS comment FROM sys.triggers tr LEFT JOIN sys.all_objects "
         "po ON po.object_id=tr.parent_id LEFT JOIN sys.all_sql_modules asm ON "
         "tr.object_id=asm.object_id LEFT JOIN sys.database_principals dp ON "
         "dp.principal_id=asm.execute_as_principal_id LEFT JOIN sys.assembly_modules am ON "
         "am.object_id=tr.object_id LEFT JOIN sys.all_objects ao ON am.assembly_id=ao.object_id "
         "LEFT JOIN sys.database_principals dp2 ON dp2.principal_id=am.execute_as_principal_id "
         "LEFT JOIN sys.extended_properties ep ON (ep.class=1 AND ep.major_id=tr.object_id AND "
         "ep.minor_id=0 AND ep.name='MS_Description') WHERE " +
         where + " ORDER BY tr.name ASC;";
}

std::string trigger_query(const Scope& scope) {
  std::string where = dialect::format("OBJECT_SCHEMA_NAME(tr.parent_id)=N'%s'",
                                      sql::literal_body(scope.schema).c_str());
  if (!scope.whole())
    where += dialect::format(" AND OBJECT_NAME(tr.parent_id)=N'%s'",
                             sql::literal_body(*scope.object).c_str());
  return trigger_query_where(where);
}

std::string trigger_query(const std::string& schema, const std::string& trigger) {
  return trigger_query_where(
      dialect::format("OBJECT_SCHEMA_NAME(tr.parent_id)=N'%s' AND tr.name=N'%s'",
                      sql::literal_body(schema).c_str(), sql::literal_body(trigger).c_str()));
}

// The executor of a module: -2 stands for OWNER, another id for a principal.
static std::string executor_of(const Result& rows, int row, int id_column, int name_column) {
  if (rows.is_null(id_column, row)) return {};
  if (rows.integer(id_column, row) == -2) return "OWNER";
  return rows.text(name_column, row);
}

GRef<MetaTrigger> trigger_from_row(const Result& rows, int i, const std::string& database,
                                   const std::string& schema, const std::string& target) {
  const std::string body = dialect::definition_body(rows.text(10, i));
  auto trigger = GRef<MetaTrigger>::adopt(tarvex_brevane_meta_model_meta_trigger_new_with_body(
      database.c_str(), schema.c_str(), rows.text(0, i).c_str(), body.c_str()));
  auto* t = trigger.get();
  tarvex_brevane_meta_model_meta_trigger_set_target(t, target.c_str());
  // Type codes are char(2): "U " for a user table.
  set_attribute(t, "TARGET_TYPE", text::trim(rows.text(2, i)) == "U" ? "TABLE" : "VIEW");
  // OBJECTPROPERTY answers an integer; a NULL counts as set.
  auto set = [&](int column) { return rows.is_null(column, i) || rows.integer(column, i) != 0; };
  std::string events;
  if (set(4)) events += "INSERT,";
  if (set(5)) events += "UPDATE,";
  if (set(6)) events += "DELETE,";
  if (!events.empty())
    tarvex_brevane_meta_model_meta_trigger_set_event(t, finished(events).c_str());
  if (set(7)) set_attribute(t, "ENCRYPTION", "true");
  tarvex_brevane_meta_model_meta_trigger_set_timing(t, rows.flag(8, i) ? "INSTEAD OF" : "AFTER");
  set_attribute(t, "STATE", rows.text(9, i));
  std::string executor;
  if (text::trim(rows.text(1, i)) != "TR") {
    set_attribute(t, "DEFINITION_TYPE", "EXTERNAL");
    const std::string assembly = rows.text(13, i);
    if (!assembly.empty()) {
      const std::string function = assembly + "." + rows.text(14, i) + "." + rows.text(15, i);
      tarvex_brevane_meta_model_meta_trigger_set_function(t, function.c_str());
    }
    executor = executor_of(rows, i, 16, 17);
  } else {
    set_attribute(t, "DEFINITION_TYPE", "SQL");
    executor = executor_of(rows, i, 11, 12);
  }
  set_executor(t, executor);
  set_comment(t, rows.text(18, i));
  return trigger;
}

// ---------------------------------------------------------------------------
// Indexes: the rows of one index as the table fill reads them.

void index_head_from_row(MetaIndex* index, const Result& rows, int i) {
  const std::string method = rows.text(2, i);
  tarvex_brevane_meta_model_meta_index_set_method(index, method.c_str());
  struct Kind {
    const char* method;
    const char* kind;
    int clustered;  // -1: unchanged
  };
  static const Kind kinds[] = {{"HEAP", "", 0},
                               {"CLUSTERED", "", 1},
                               {"NONCLUSTERED", "", 0},
                               {"XML", "XML", -1},
                               {"SPATIAL", "SPATIAL", -1},
                               {"CLUSTERED COLUMNSTORE", "COLUMNSTORE", 1},
                               {"NONCLUSTERED COLUMNSTORE", "COLUMNSTORE", 0},
                               {"NONCLUSTERED HASH", "HASH", 0}};
  for (const Kind& k : kinds) {
    if (method != k.method) continue;
    tarvex_brevane_meta_model_meta_index_set_kind(index, k.kind);
    if (k.clustered >= 0) tarvex_brevane_meta_model_meta_index_set_is_clustered(index, k.clustered);
  }
  set_attribute(index, "UNIQUE", rows.text(3, i));
  set_attribute(index, "STATE", rows.text(4, i));
  set_comment(index, rows.text(9, i));
  if (!rows.is_null(11, i))
    tarvex_brevane_meta_model_meta_index_set_where(index, rows.text(11, i).c_str());
}

void index_column_from_row(MetaIndex* index, const Result& rows, int i, std::string& include) {
  const std::string column = rows.text(6, i);
  if (column.empty()) return;
  const std::string method = rows.text(2, i);
  if (method.find("COLUMNSTORE") != std::string::npos) {
    // A columnstore index lists its columns as included ones; only the
    // nonclustered form names them.
    if (method == "NONCLUSTERED COLUMNSTORE")
      tarvex_brevane_meta_model_meta_index_append(index, (column + " ASC").c_str());
  } else if (rows.flag(10, i)) {
    // Included columns carry key_ordinal 0: they are no key columns.
    if (!include.empty()) include += ", ";
    include += sql::bracketed(column);
  } else {
    const std::string entry = column + (rows.flag(8, i) ? " DESC" : " ASC");
    tarvex_brevane_meta_model_meta_index_append(index, entry.c_str());
  }
}

}  // namespace tarvex::dialect::adapter

// ---------------------------------------------------------------------------
// Views.

namespace tarvex::dialect::adapter {

std::string view_query(const Scope& scope) {
  std::string where =
      dialect::format("av.schema_id=SCHEMA_ID(N'%s')", sql::literal_body(scope.schema).c_str());
  if (!scope.whole())
    where += dialect::format(" AND av.name=N'%s'", sql::literal_body(*scope.object).c_str());
  return dialect::format(
      "SELECT asm.definition,asm.uses_ansi_nulls,asm.uses_quoted_identifier,"
      "av.is_replicated,asm.is_schema_bound,av.has_opaque_metadata,"
      "av.with_check_option,CAST(ep.value AS NVARCHAR(MAX)) AS comment%s FROM "
      "sys.all_views av LEFT JOIN sys.all_sql_modules asm ON "
      "av.object_id=asm.object_id LEFT JOIN sys.extended_properties ep ON "
      "(ep.class=1 AND ep.major_id=av.object_id AND ep.minor_id=0 AND "
      "ep.name='MS_Description') WHERE %s",
      scope.whole() ? ",av.name AS view_name" : "", where.c_str());
}

void read_view(MetaView* view, const Result& rows, int row) {
  if (rows.is_null(0, row)) {
    set_attribute(view, "ENCRYPTION", "true");
    tarvex_brevane_meta_model_meta_view_set_definition(view, _("/* Definition is encrypted. */"));
  } else {
    // The SELECT after the header's AS (the first AS outside comments,
    // literals and the column list), without a closing WITH CHECK OPTION.
    std::string definition = dialect::definition_body(rows.text(0, row));
    static GRegex* check_option = g_regex_new("\\s+WITH\\s+CHECK\\s+OPTION\\s*;?\\s*$",
                                              G_REGEX_CASELESS, GRegexMatchFlags(0), nullptr);
    GUniqueStr cut(g_regex_replace_literal(check_option, definition.c_str(), -1, 0, "",
                                           GRegexMatchFlags(0), nullptr));
    if (cut) definition = cut.get();
    set_attribute(view, "ENCRYPTION", "false");
    tarvex_brevane_meta_model_meta_view_set_definition(view, definition.c_str());
  }
  set_attribute(view, "SCHEMABINDING", rows.text(4, row));
  set_attribute(view, "VIEW_METADATA", rows.text(5, row));
  set_attribute(view, "WITH CHECK OPTION", rows.text(6, row));
  set_comment(view, rows.text(7, row));
}

}  // namespace tarvex::dialect::adapter

static void sql_server_adapter_fill_meta_view(Base* base, MetaView* view, GError** error) {
  g_return_if_fail(view != NULL);
  Self* self = reinterpret_cast<Self*>(base);
  if (is_filled(view)) return;
  const std::string schema = schema_of(view), name = name_of(view);
  auto rows = dialect::run_query(connection_of(self), view_query(Scope{schema, &name}), error);
  if (!rows) return;
  if (rows->rows() != 1) {
    not_found(error, "View %s not found.", qualified(view).c_str());
    return;
  }
  read_view(view, *rows, 0);
  mark_filled(view);
}

// ---------------------------------------------------------------------------
// An index standing alone.

static void sql_server_adapter_fill_meta_index(Base* base, MetaIndex* index, GError** error) {
  g_return_if_fail(index != NULL);
  Self* self = reinterpret_cast<Self*>(base);
  if (is_filled(index)) return;
  const gchar* entity = tarvex_brevane_meta_model_meta_index_get_entity(index);
  const std::string table = entity ? entity : "";
  const int major = major_of(self);
  // The comment of an index is its extended property of class 7.
  auto rows = dialect::run_query(
      connection_of(self),
      dialect::format(
          "SELECT ix.index_id, ix.name index_name, ix.type_desc, ix.is_unique, "
          "ix.is_disabled, ic.column_id, COL_NAME(ic.object_id, ic.column_id) as "
          "column_name, ic.key_ordinal, ic.is_descending_key,CAST(ep.value AS "
          "NVARCHAR(MAX)) AS comment, ic.is_included_column, %s, ix.fill_factor FROM "
          "sys.indexes ix LEFT JOIN sys.index_columns ic ON ic.object_id = ix.object_id "
          "AND ic.index_id = ix.index_id LEFT JOIN sys.extended_properties ep ON "
          "(ep.class=7 AND ep.major_id=ix.object_id AND ep.minor_id=ix.index_id AND "
          "ep.name='MS_Description') WHERE OBJECT_SCHEMA_NAME(ix.object_id) = N'%s' AND "
          "OBJECT_NAME(ix.object_id) = N'%s' AND ix.name = N'%s' ORDER BY "
          "ic.key_ordinal ASC, ic.index_column_id ASC;",
          column_since(major, 10, "ix.filter_definition", "filter_definition").c_str(),
          sql::literal_body(schema_of(index)).c_str(), sql::literal_body(table).c_str(),
          sql::literal_body(name_of(index)).c_str()),
      error);
  if (!rows) return;
  if (rows->rows() == 0) {
    not_found(error, "Index %s on %s.%s not found.", sql::bracketed(name_of(index)).c_str(),
              sql::bracketed(schema_of(index)).c_str(), sql::bracketed(table).c_str());
    return;
  }
  // A list filled before (the object was reset) starts again.
  gee_abstract_collection_clear(
      GEE_ABSTRACT_COLLECTION(tarvex_brevane_meta_model_meta_index_get_columns(index)));
  index_head_from_row(index, *rows, 0);
  std::string include;
  for (int i = 0; i < rows->rows(); i++) index_column_from_row(index, *rows, i, include);
  tarvex_brevane_meta_model_meta_index_set_include(index, include.c_str());
  const gint64 fill_factor = rows->integer(12, 0);
  if (fill_factor > 0) {
    set_attribute(index, "FILL FACTOR", std::to_string(fill_factor));
    tarvex_brevane_meta_model_meta_index_set_with(
        index, dialect::format("FILLFACTOR = %" G_GINT64_FORMAT, fill_factor).c_str());
  }
  mark_filled(index);
}

// ---------------------------------------------------------------------------
// A trigger standing alone.

static void sql_server_adapter_fill_meta_trigger(Base* base, MetaTrigger* trigger, GError** error) {
  g_return_if_fail(trigger != NULL);
  Self* self = reinterpret_cast<Self*>(base);
  if (is_filled(trigger)) return;
  const std::string schema = schema_of(trigger), name = name_of(trigger);
  auto rows = dialect::run_query(connection_of(self), trigger_query(schema, name), error);
  if (!rows) return;
  if (rows->rows() != 1) {
    not_found(error, "Trigger %s not found.", qualified(trigger).c_str());
    return;
  }
  auto filled = trigger_from_row(*rows, 0, database_of(trigger), schema, rows->text(3, 0));
  // The reading goes to a fresh trigger; its members move to the one given.
  auto* from = filled.get();
  tarvex_brevane_meta_model_meta_trigger_set_body(
      trigger, tarvex_brevane_meta_model_meta_trigger_get_body(from));
  tarvex_brevane_meta_model_meta_trigger_set_target(
      trigger, tarvex_brevane_meta_model_meta_trigger_get_target(from));
  tarvex_brevane_meta_model_meta_trigger_set_timing(
      trigger, tarvex_brevane_meta_model_meta_trigger_get_timing(from));
  const gchar* event = tarvex_brevane_meta_model_meta_trigger_get_event(from);
  if (event && *event) tarvex_brevane_meta_model_meta_trigger_set_event(trigger, event);
  const gchar* function = tarvex_brevane_meta_model_meta_trigger_get_function(from);
  if (function && *function) tarvex_brevane_meta_model_meta_trigger_set_function(trigger, function);
  GeeMapIterator* it = gee_abstract_map_map_iterator(GEE_ABSTRACT_MAP(
      tarvex_brevane_meta_model_meta_object_get_attributes(dialect::adapter::meta(from))));
  while (gee_map_iterator_next(it)) {
    GUniqueStr key(static_cast<gchar*>(gee_map_iterator_get_key(it)));
    GUniqueStr value(static_cast<gchar*>(gee_map_iterator_get_value(it)));
    set_attribute(trigger, key.get(), value.get());
  }
  g_object_unref(it);
  const gchar* comment =
      tarvex_brevane_meta_model_meta_object_get_comment(dialect::adapter::meta(from));
  set_comment(trigger, comment ? comment : "");
  mark_filled(trigger);
}

// ---------------------------------------------------------------------------
// Routines.

namespace {

// A parameter's or return value's type as it is declared.
std::string declared_type(const dialect::Result& rows, int i) {
  const std::string type = rows.text(1, i);
  const std::string up = utf8_upper(type);
  const gint64 length = rows.integer(2, i);
  if (up == "NCHAR" || up == "NVARCHAR")
    return length == -1 ? type + "(MAX)"
                        : dialect::format("%s(%" G_GINT64_FORMAT ")", type.c_str(), length / 2);
  if (up == "CHAR" || up == "VARCHAR" || up == "BINARY" || up == "VARBINARY")
    return length == -1 ? type + "(MAX)"
                        : dialect::format("%s(%" G_GINT64_FORMAT ")", type.c_str(), length);
  if (up == "DECIMAL" || up == "NUMERIC")
    return dialect::format("%s(%s,%s)", type.c_str(), rows.text(3, i).c_str(),
                           rows.text(4, i).c_str());
  if (up == "TIME" || up == "DATETIME2" || up == "DATETIMEOFFSET")
    return dialect::format("%s(%s)", type.c_str(), rows.text(4, i).c_str());
  return type;
}

}  // namespace

namespace tarvex::dialect::adapter {

std::string routine_query(Self* self, const Scope& scope) {
  std::string where =
      dialect::format("SCHEMA_NAME(ao.schema_id)=N'%s'", sql::literal_body(scope.schema).c_str());
  if (!scope.whole())
    where += dialect::format(" AND ao.name=N'%s'", sql::literal_body(*scope.object).c_str());
  return dialect::format(
      "SELECT ao.type,asm.definition,OBJECTPROPERTY(ao.object_id, 'IsEncrypted') as "
      "is_encrypted,OBJECTPROPERTY(ao.object_id, 'IsReplProc') as "
      "is_replication,asm.is_schema_bound,asm.is_recompiled,asm.null_on_null_input,%s,"
      "dp.name AS executor,a.name AS assembly,am.assembly_class,am.assembly_method,"
      "ao.create_date,ao.modify_date,CAST(ep.value AS NVARCHAR(MAX)) AS comment,"
      "asm.execute_as_principal_id%s FROM sys.all_objects ao LEFT JOIN "
      "sys.all_sql_modules asm ON asm.object_id=ao.object_id LEFT JOIN "
      "sys.database_principals dp ON dp.principal_id=asm.execute_as_principal_id LEFT "
      "JOIN sys.assembly_modules am ON am.object_id=ao.object_id LEFT JOIN "
      "sys.assemblies a ON a.assembly_id=am.assembly_id LEFT JOIN "
      "sys.extended_properties ep ON (ep.class=1 AND ep.major_id=ao.object_id AND "
      "ep.minor_id=0 AND ep.name='MS_Description') WHERE %s AND ao.type IN "
      "('AF','FN','FS','FT','IF','TF','P','PC','X','RF')",
      column_since(major_of(self), 12, "asm.uses_native_compilation", "uses_native_compilation")
          .c_str(),
      scope.whole() ? ",ao.name AS routine_name" : "", where.c_str());
}

std::string parameters_query(Self* self, const Scope& scope) {
  std::string where = dialect::format("OBJECT_SCHEMA_NAME(ao.object_id)=N'%s'",
                                      sql::literal_body(scope.schema).c_str());
  if (!scope.whole())
    where += dialect::format(" AND ao.name=N'%s'", sql::literal_body(*scope.object).c_str());
  return dialect::format(
      "SELECT ap.name, TYPE_NAME(ap.user_type_id) type, ap.max_length, ap.precision, "
      "ap.scale, ap.is_nullable, ap.default_value, ap.is_output, %s, ap.parameter_id%s "
      "FROM sys.all_parameters ap LEFT JOIN sys.all_objects ao ON "
      "ao.object_id=ap.object_id WHERE %s ORDER BY ap.parameter_id ASC",
      column_since(major_of(self), 10, "ap.is_readonly", "is_readonly").c_str(),
      scope.whole() ? ", ao.name AS routine_name" : "", where.c_str());
}

// The row of the routine query, up to the parameters.
static void read_routine_head(MetaRoutine* routine, const Result& rows, int row) {
  const std::string type = utf8_upper(text::trim(rows.text(0, row)));
  const std::string definition = rows.text(1, row);
  const bool table_valued =
      in_list(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_TABLE_FUNCTION, type);
  if (table_valued) tarvex_brevane_meta_model_meta_routine_set_return_type(routine, "TABLE");
  auto truth = [&](int column) {
    return !rows.is_null(column, row) && rows.integer(column, row) != 0 ? "true" : "false";
  };
  set_attribute(routine, "ENCRYPTION", truth(2));
  set_attribute(routine, "REPLICATION", truth(3));
  set_attribute(routine, "SCHEMABINDING", rows.text(4, row));
  set_attribute(routine, "RECOMPILE", rows.text(5, row));
  set_attribute(routine, "NULL_INPUT", rows.text(6, row));
  if (!rows.is_null(7, row)) set_attribute(routine, "NATIVE_COMPILATION", rows.text(7, row));

  // The executor: the catalog's principal, OWNER for -2, or the EXECUTE AS
  // of the definition's header.
  std::string executor = executor_of(rows, row, 15, 8);
  const size_t body_start = dialect::find_body_start(definition);
  const std::string header =
      definition.substr(0, body_start == std::string::npos ? definition.size() : body_start);
  if (executor.empty()) {
    static GRegex* execute_as = g_regex_new("EXECUTE\\s+AS\\s+(?<user>[\\w\\.\\[\\]'\"`]+)",
                                            G_REGEX_CASELESS, GRegexMatchFlags(0), nullptr);
    GMatchInfo* match = nullptr;
    if (g_regex_match(execute_as, header.c_str(), GRegexMatchFlags(0), &match)) {
      GUniqueStr user(g_match_info_fetch_named(match, "user"));
      for (char c : std::string(user.get()))
        if (c != '[' && c != ']' && c != '\'' && c != '"' && c != '`') executor += c;
    }
    g_match_info_free(match);
  }
  set_attribute(routine, "EXECUTE_AS", executor.empty() ? "false" : "true");
  set_executor(routine, executor);

  const std::string assembly = rows.text(9, row);
  if (!rows.is_null(9, row)) set_attribute(routine, "ASSEMBLY", assembly);
  if (!rows.is_null(10, row)) set_attribute(routine, "ASSEMBLY_CLASS", rows.text(10, row));
  if (!rows.is_null(11, row)) set_attribute(routine, "ASSEMBLY_METHOD", rows.text(11, row));
  set_comment(routine, rows.text(14, row));

  // The body: what follows the header's AS; a CLR routine names its method.
  std::string body;
  if (!rows.is_null(1, row))
    body = dialect::definition_body(definition);
  else if (!assembly.empty())
    body = "EXTERNAL NAME " + sql::bracketed(assembly) + "." + sql::bracketed(rows.text(10, row)) +
           "." + sql::bracketed(rows.text(11, row));
  tarvex_brevane_meta_model_meta_routine_set_body(routine, body.c_str());

  const dialect::RoutineHeader declared = dialect::read_routine_header(definition);
  if (table_valued) {
    if (!declared.return_variable.empty())
      tarvex_brevane_meta_model_meta_routine_set_return_type(
          routine, (declared.return_variable + " TABLE").c_str());
    set_attribute(routine, "RETURN_TABLE", declared.return_table);
  }
}

// The routine's parameters (and the return type of a scalar function), with
// the defaults its definition declares.
static void read_parameters(MetaRoutine* routine, const std::string& definition,
                            const Result& parameters, const Rows& rows) {
  const dialect::RoutineHeader declared = dialect::read_routine_header(definition);
  GeeArrayList* list = tarvex_brevane_meta_model_meta_routine_get_parameters(routine);
  // A list filled before (the object was reset) starts again.
  gee_abstract_collection_clear(GEE_ABSTRACT_COLLECTION(list));
  for (int i : rows) {
    const std::string parameter = parameters.text(0, i);
    const std::string type_text = declared_type(parameters, i);
    if (parameter.empty()) {
      tarvex_brevane_meta_model_meta_routine_set_return_type(routine, type_text.c_str());
      continue;
    }
    std::string text = parameter + " " + type_text + " ";
    // Parameters are nullable unless declared NOT NULL (natively compiled
    // procedures only); the NULL of the default case is left out, as
    // servers before version 12 do not take it.
    if (!parameters.is_null(5, i) && !parameters.flag(5, i)) text += "NOT NULL ";
    GUniqueStr key(g_utf8_strdown(parameter.c_str(), -1));
    auto found = declared.defaults.find(key.get());
    if (found != declared.defaults.end()) text += "= " + found->second + " ";
    if (parameters.flag(7, i)) text += "OUTPUT ";
    if (parameters.flag(8, i)) text += "READONLY ";
    text.pop_back();
    gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), text.c_str());
  }
}

void read_routine(MetaRoutine* routine, const Result& rows, int row, const Result& parameters,
                  const Rows& parameter_rows) {
  read_routine_head(routine, rows, row);
  read_parameters(routine, rows.text(1, row), parameters, parameter_rows);
}

void fill_routine(Self* self, MetaRoutine* routine, GError** error) {
  g_return_if_fail(routine != NULL);
  if (is_filled(routine)) return;
  const std::string schema = schema_of(routine), name = name_of(routine);
  const Scope scope{schema, &name};
  auto rows = dialect::run_query(connection_of(self), routine_query(self, scope), error);
  if (!rows) return;
  if (rows->rows() != 1) {
    not_found(error, "Routine %s not found.", qualified(routine).c_str());
    return;
  }
  read_routine_head(routine, *rows, 0);
  auto parameters = dialect::run_query(connection_of(self), parameters_query(self, scope), error);
  if (!parameters) return;
  read_parameters(routine, rows->text(1, 0), *parameters, all_rows(*parameters));
  mark_filled(routine);
}

}  // namespace tarvex::dialect::adapter

// ---------------------------------------------------------------------------
// Events: SQL Server has no scheduled events, so there is nothing to read.

static void sql_server_adapter_fill_meta_event(Base*, MetaEvent* event, GError**) {
  g_return_if_fail(event != NULL);
}

// ---------------------------------------------------------------------------
// The views and routines of a schema together.

namespace tarvex::dialect::adapter {

bool fill_schema_views(Self* self, TarvexBrevaneMetaModelMetaSchema* schema, GError** error) {
  std::vector<GRef<MetaView>> views;
  for (auto& view : items_of<MetaView>(tarvex_brevane_meta_model_meta_schema_get_views(schema)))
    if (!is_filled(view.get())) views.push_back(view);
  if (views.empty()) return true;
  auto* base = reinterpret_cast<Base*>(self);
  auto fill_one = [&](MetaView* view) {
    GError* failure = nullptr;
    tarvex_brevane_supports_database_adapter_fill_meta_view(base, view, &failure);
    if (!failure) return true;
    g_propagate_error(error, failure);
    return false;
  };
  // A class with a view filler of its own fills each view with it.
  if (TARVEX_BREVANE_SUPPORTS_DATABASE_ADAPTER_GET_CLASS(self)->fill_meta_view !=
      sql_server_adapter_fill_meta_view) {
    for (auto& view : views)
      if (!fill_one(view.get())) return false;
    return true;
  }
  const std::string name = name_of(schema);
  auto rows = dialect::run_query(connection_of(self), view_query(Scope{name}), error);
  if (!rows) return false;
  auto by_view = rows_by(*rows, rows->columns() - 1);
  for (auto& item : views) {
    MetaView* view = item.get();
    if (is_filled(view)) continue;
    auto found = by_view.find(name_of(view));
    // A view the read does not show once is asked for on its own.
    if (schema_of(view) != name || found == by_view.end() || found->second.size() != 1) {
      if (!fill_one(view)) return false;
      continue;
    }
    read_view(view, *rows, found->second.front());
    mark_filled(view);
  }
  return true;
}

bool fill_schema_routines(Self* self, TarvexBrevaneMetaModelMetaSchema* schema, GError** error) {
  std::vector<GRef<MetaRoutine>> routines;
  for (auto& routine :
       items_of<MetaRoutine>(tarvex_brevane_meta_model_meta_schema_get_routines(schema)))
    if (!is_filled(routine.get())) routines.push_back(routine);
  if (routines.empty()) return true;
  const std::string name = name_of(schema);
  const Scope whole{name};
  auto rows = dialect::run_query(connection_of(self), routine_query(self, whole), error);
  if (!rows) return false;
  auto parameters = dialect::run_query(connection_of(self), parameters_query(self, whole), error);
  if (!parameters) return false;
  auto by_routine = rows_by(*rows, rows->columns() - 1);
  auto parameters_by_routine = rows_by(*parameters, parameters->columns() - 1);
  static const Rows none;
  for (auto& item : routines) {
    MetaRoutine* routine = item.get();
    if (is_filled(routine)) continue;
    auto found = by_routine.find(name_of(routine));
    // A routine the read does not show once is asked for on its own.
    if (schema_of(routine) != name || found == by_routine.end() || found->second.size() != 1) {
      GError* failure = nullptr;
      fill_routine(self, routine, &failure);
      if (!failure) continue;
      g_propagate_error(error, failure);
      return false;
    }
    auto own = parameters_by_routine.find(name_of(routine));
    read_routine(routine, *rows, found->second.front(), *parameters,
                 own == parameters_by_routine.end() ? none : own->second);
    mark_filled(routine);
  }
  return true;
}

void setup_object_fillers(TarvexBrevaneSupportsDatabaseSQLServerAdapterClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapterClass*>(klass);
  base->fill_meta_view = sql_server_adapter_fill_meta_view;
  base->fill_meta_index = sql_server_adapter_fill_meta_index;
  base->fill_meta_trigger = sql_server_adapter_fill_meta_trigger;
  base->fill_meta_event = sql_server_adapter_fill_meta_event;
}

}  // namespace tarvex::dialect::adapter
