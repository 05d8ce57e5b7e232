#include "tests/support/tds-catalog.h"

#include <glib.h>

#include <optional>

namespace tarvex::test::catalog {

using std::nullopt;

const std::vector<tds::Column> kColumnColumns = {{"column_id", "int"},
                                                 {"name", "sysname"},
                                                 {"type", "sysname", true},
                                                 {"max_length", "smallint"},
                                                 {"precision", "tinyint"},
                                                 {"scale", "tinyint"},
                                                 {"is_nullable", "bit", true},
                                                 {"definition", "nvarchar(max)", true},
                                                 {"collation_name", "sysname", true},
                                                 {"comment", "nvarchar(max)", true}};

const std::vector<tds::Column> kPrimaryKeyColumns = {{"name", "sysname", true},
                                                     {"column_id", "int"},
                                                     {"column_name", "sysname", true},
                                                     {"key_ordinal", "tinyint"}};

const std::vector<tds::Column> kIndexColumns = {{"index_id", "int"},
                                                {"index_name", "sysname", true},
                                                {"type_desc", "nvarchar(60)", true},
                                                {"is_unique", "bit", true},
                                                {"is_disabled", "bit", true},
                                                {"column_id", "int"},
                                                {"column_name", "sysname", true},
                                                {"key_ordinal", "tinyint"},
                                                {"is_descending_key", "bit", true},
                                                {"comment", "nvarchar(max)", true},
                                                {"is_included_column", "bit", true},
                                                {"filter_definition", "nvarchar(max)", true}};

const std::vector<tds::Column> kTriggerColumns = {{"name", "sysname"},
                                                  {"type", "char(2)"},
                                                  {"object_type", "char(2)", true},
                                                  {"object_name", "sysname", true},
                                                  {"is_insert_trigger", "int", true},
                                                  {"is_update_trigger", "int", true},
                                                  {"is_delete_trigger", "int", true},
                                                  {"is_encrypted", "int", true},
                                                  {"is_instead_of_trigger", "bit"},
                                                  {"is_disabled", "bit"},
                                                  {"definition", "nvarchar(max)", true},
                                                  {"sql_principal_id", "int", true},
                                                  {"sql_principal_name", "sysname", true},
                                                  {"assembly_name", "sysname", true},
                                                  {"assembly_class", "nvarchar(128)", true},
                                                  {"assembly_method", "nvarchar(128)", true},
                                                  {"clr_principal_id", "int", true},
                                                  {"clr_principal_name", "sysname", true},
                                                  {"comment", "nvarchar(max)", true}};

const std::vector<tds::Column> kCheckColumns = {{"object_id", "int"},
                                                {"name", "sysname"},
                                                {"type_desc", "nvarchar(60)", true},
                                                {"is_disabled", "bit"},
                                                {"is_not_for_replication", "bit"},
                                                {"definition", "nvarchar(max)", true},
                                                {"comment", "nvarchar(max)", true}};

const std::vector<tds::Column> kForeignColumns = {
    {"name", "sysname", true},
    {"type_desc", "nvarchar(60)", true},
    {"delete_referential_action_desc", "nvarchar(60)", true},
    {"update_referential_action_desc", "nvarchar(60)", true},
    {"is_disabled", "bit", true},
    {"comment", "nvarchar(max)", true},
    {"local_column", "sysname", true},
    {"refer_schema", "sysname", true},
    {"refer_table", "sysname", true},
    {"refer_column", "sysname", true}};

const std::vector<tds::Column> kUniqueColumns(kIndexColumns.begin(), kIndexColumns.begin() + 10);

const std::vector<tds::Column> kGeneralColumns = {{"lock_escalation", "tinyint", true},
                                                  {"is_track_columns_updated_on", "bit", true},
                                                  {"current_value", "numeric(38,0)", true},
                                                  {"comment", "nvarchar(max)", true}};

const std::vector<tds::Column> kSpaceColumns = {{"name", "sysname"},
                                                {"data_space_name", "sysname", true},
                                                {"data_space_type", "char(2)", true},
                                                {"data_space_column", "sysname", true},
                                                {"lob_data_space_name", "sysname", true},
                                                {"filestream_data_space_name", "sysname", true},
                                                {"filestream_data_space_type", "char(2)", true}};

const std::vector<tds::Column> kPartitionColumns = {
    {"partition_number", "int"}, {"data_compression", "tinyint"}, {"xml_compression", "bit"}};

const std::vector<tds::Column> kViewColumns = {{"definition", "nvarchar(max)", true},
                                               {"uses_ansi_nulls", "bit", true},
                                               {"uses_quoted_identifier", "bit", true},
                                               {"is_replicated", "bit", true},
                                               {"is_schema_bound", "bit", true},
                                               {"has_opaque_metadata", "bit"},
                                               {"with_check_option", "bit"},
                                               {"comment", "nvarchar(max)", true}};

const std::vector<tds::Column> kRoutineColumns = {{"type", "char(2)"},
                                                  {"definition", "nvarchar(max)", true},
                                                  {"is_encrypted", "int", true},
                                                  {"is_replication", "int", true},
                                                  {"is_schema_bound", "bit", true},
                                                  {"is_recompiled", "bit", true},
                                                  {"null_on_null_input", "bit", true},
                                                  {"uses_native_compilation", "bit", true},
                                                  {"executor", "sysname", true},
                                                  {"assembly", "sysname", true},
                                                  {"assembly_class", "nvarchar(max)", true},
                                                  {"assembly_method", "nvarchar(max)", true},
                                                  {"create_date", "datetime"},
                                                  {"modify_date", "datetime"},
                                                  {"comment", "nvarchar(max)", true},
                                                  {"execute_as_principal_id", "int", true}};

const std::vector<tds::Column> kParameterColumns = {{"name", "sysname", true},
                                                    {"type", "sysname", true},
                                                    {"max_length", "smallint"},
                                                    {"precision", "tinyint"},
                                                    {"scale", "tinyint"},
                                                    {"is_nullable", "bit", true},
                                                    {"default_value", "sql_variant", true},
                                                    {"is_output", "bit"},
                                                    {"is_readonly", "bit"},
                                                    {"parameter_id", "int"}};

namespace {

std::string escaped(const std::string& text) {
  gchar* out = g_regex_escape_string(text.c_str(), -1);
  std::string result = out;
  g_free(out);
  return result;
}

// A name as the adapter writes it inside N'...', as a pattern.
std::string literal(const std::string& name) {
  std::string doubled;
  for (char c : name) {
    doubled += c;
    if (c == '\'') doubled += '\'';
  }
  return "N'" + escaped(doubled) + "'";
}

// How one catalog query names its schema and its object: `schema_test` is
// followed by " AND " and `name_expression` in one object's query, and by
// anything else in the query of the whole schema.
struct Query {
  const char* marker;             // a piece only this query has (a pattern)
  const char* schema_test;        // e.g. "OBJECT_SCHEMA_NAME\\(ac\\.object_id\\) = "
  const char* name_expression;    // e.g. "OBJECT_NAME\\(ac\\.object_id\\) = "
  const char* owner_column;       // the whole schema's extra column; null: none
  const char* schema_close = "";  // what follows the schema's name in the test
};

std::string whole_pattern(const Query& q, const std::string& schema) {
  return std::string("(?s)^(?=.*") + q.marker + ")(?=.*" + q.schema_test + literal(schema) +
         q.schema_close + "(?! AND " + q.name_expression + "))";
}

// One object's query; an empty name stands for any object.
std::string own_pattern(const Query& q, const std::string& schema, const std::string& name) {
  return std::string("(?s)^(?=.*") + q.marker + ")(?=.*" + q.schema_test + literal(schema) +
         q.schema_close + " AND " + q.name_expression +
         (name.empty() ? std::string("N'") : literal(name)) + ")";
}

std::vector<tds::Column> with_owner(const std::vector<tds::Column>& columns, const Query& q) {
  std::vector<tds::Column> out = columns;
  if (q.owner_column) out.push_back({q.owner_column, "sysname", true});
  return out;
}

tds::Row owned(tds::Row row, const Query& q, const std::string& name) {
  if (q.owner_column) row.push_back(name);
  return row;
}

const Query kColumns = {"FROM sys\\.all_columns ac", "OBJECT_SCHEMA_NAME\\(ac\\.object_id\\) = ",
                        "OBJECT_NAME\\(ac\\.object_id\\) = ", "table_name"};
const Query kPrimaryKey = {"ix\\.is_primary_key = 1", "OBJECT_SCHEMA_NAME\\(ic\\.object_id\\) = ",
                           "OBJECT_NAME\\(ic\\.object_id\\) = ", "table_name"};
const Query kIndexes = {"ix\\.is_primary_key = 0 AND ix\\.is_unique_constraint = 0",
                        "OBJECT_SCHEMA_NAME\\(ic\\.object_id\\) = ",
                        "OBJECT_NAME\\(ic\\.object_id\\) = ", "table_name"};
const Query kTriggers = {"FROM sys\\.triggers tr", "OBJECT_SCHEMA_NAME\\(tr\\.parent_id\\)=",
                         "(OBJECT_NAME\\(tr\\.parent_id\\)|tr\\.name)=", nullptr};
const Query kChecks = {"FROM sys\\.check_constraints cc",
                       "OBJECT_SCHEMA_NAME\\(cc\\.parent_object_id\\)=",
                       "OBJECT_NAME\\(cc\\.parent_object_id\\)=", "table_name"};
const Query kForeigns = {"FROM sys\\.foreign_key_columns fc",
                         "OBJECT_SCHEMA_NAME\\(fc\\.parent_object_id\\)=",
                         "OBJECT_NAME\\(fc\\.parent_object_id\\)=", "table_name"};
const Query kUniques = {"ix\\.is_unique_constraint = 1",
                        "OBJECT_SCHEMA_NAME\\(ic\\.object_id\\) = ",
                        "OBJECT_NAME\\(ic\\.object_id\\) = ", "table_name"};
const Query kGeneral = {"sys\\.change_tracking_tables",
                        "WHERE s\\.name=", "ao\\.name=", "table_name"};
const Query kSpaces = {"lob_data_space_name",
                       "SCHEMA_NAME\\(o\\.schema_id\\)=", "o\\.name=", nullptr};
const Query kPartitions = {"FROM sys\\.partitions p INNER JOIN",
                           "OBJECT_SCHEMA_NAME\\(t\\.object_id\\)=", "t\\.name=", "table_name"};
const Query kViews = {"FROM sys\\.all_views av", "av\\.schema_id=SCHEMA_ID\\(",
                      "av\\.name=", "view_name", "\\)"};
const Query kRoutines = {"'IsReplProc'",
                         "SCHEMA_NAME\\(ao\\.schema_id\\)=", "ao\\.name=", "routine_name"};
const Query kParameters = {"FROM sys\\.all_parameters ap",
                           "OBJECT_SCHEMA_NAME\\(ao\\.object_id\\)=", "ao\\.name=", "routine_name"};

void script_query(tds::Server& server, const Query& q, const std::vector<tds::Column>& columns,
                  const std::string& schema, const std::vector<std::string>& names,
                  const std::vector<const std::vector<tds::Row>*>& rows, Reads reads) {
  auto& whole = server.on_pattern(whole_pattern(q, schema)).result(with_owner(columns, q));
  for (size_t i = 0; i < names.size(); i++)
    for (const auto& row : *rows[i]) whole.row(owned(row, q, names[i]));
  if (reads == Reads::WholeSchemaAndAnyObject) {
    auto& any = server.on_pattern(own_pattern(q, schema, "")).result(columns);
    if (!names.empty())
      for (const auto& row : *rows[0]) any.row(row);
    return;
  }
  if (reads != Reads::Both) return;
  for (size_t i = 0; i < names.size(); i++) {
    auto& own = server.on_pattern(own_pattern(q, schema, names[i])).result(columns);
    for (const auto& row : *rows[i]) own.row(row);
  }
}

}  // namespace

void script(tds::Server& server, const Schema& schema, Reads reads) {
  const std::string lit = literal(schema.name);
  server.on_pattern("INFORMATION_SCHEMA\\.SCHEMATA WHERE SCHEMA_NAME = " + lit)
      .result({{"SCHEMA_OWNER", "nvarchar(128)", true},
               {"DEFAULT_CHARACTER_SET_NAME", "nvarchar(128)", true}})
      .row({"dbo", nullopt});
  server.on_pattern("class_desc='SCHEMA' AND major_id=SCHEMA_ID\\(" + lit + "\\)")
      .result({{"value", "nvarchar(max)", true}});
  auto& listing = server.on_pattern("type in \\('U', 'V', 'IT', 'S'\\).*" + lit)
                      .result({{"name", "sysname"}, {"type", "char(2)"}});
  for (const auto& table : schema.tables) listing.row({table.name, table.type});
  for (const auto& view : schema.views) listing.row({view.name, "V "});
  auto& routines = server.on_pattern("type in \\('AF'.*" + lit)
                       .result({{"name", "sysname"}, {"type", "char(2)"}});
  for (const auto& routine : schema.routines) routines.row({routine.name, routine.type});
  server.on_pattern("FROM sys\\.events WHERE .*" + lit)
      .result({{"object_id", "int"},
               {"event_name", "sysname", true},
               {"type_desc", "nvarchar(60)"},
               {"event_group_type_desc", "nvarchar(60)", true}});

  std::vector<std::string> names;
  for (const auto& table : schema.tables) names.push_back(table.name);
  auto part = [&](const Query& q, const std::vector<tds::Column>& columns,
                  std::vector<tds::Row> Table::*member) {
    std::vector<const std::vector<tds::Row>*> rows;
    for (const auto& table : schema.tables) rows.push_back(&(table.*member));
    script_query(server, q, columns, schema.name, names, rows, reads);
  };
  part(kColumns, kColumnColumns, &Table::columns);
  part(kPrimaryKey, kPrimaryKeyColumns, &Table::primary_key);
  part(kIndexes, kIndexColumns, &Table::indexes);
  part(kTriggers, kTriggerColumns, &Table::triggers);
  part(kChecks, kCheckColumns, &Table::checks);
  part(kForeigns, kForeignColumns, &Table::foreigns);
  part(kUniques, kUniqueColumns, &Table::uniques);
  part(kGeneral, kGeneralColumns, &Table::general);
  part(kSpaces, kSpaceColumns, &Table::spaces);
  if (schema.xml_compression) {
    part(kPartitions, kPartitionColumns, &Table::partitions);
  } else {
    // Older servers have no XML compression column.
    std::vector<tds::Column> columns(kPartitionColumns.begin(), kPartitionColumns.end() - 1);
    std::vector<std::vector<tds::Row>> cut;
    for (const auto& table : schema.tables) {
      cut.emplace_back();
      for (const auto& row : table.partitions)
        cut.back().emplace_back(row.begin(), row.begin() + 2);
    }
    std::vector<const std::vector<tds::Row>*> rows;
    for (const auto& r : cut) rows.push_back(&r);
    script_query(server, kPartitions, columns, schema.name, names, rows, reads);
  }

  std::vector<std::string> view_names;
  std::vector<std::vector<tds::Row>> view_rows;
  for (const auto& view : schema.views) {
    view_names.push_back(view.name);
    view_rows.push_back({view.row});
  }
  std::vector<const std::vector<tds::Row>*> view_pointers;
  for (const auto& rows : view_rows) view_pointers.push_back(&rows);
  script_query(server, kViews, kViewColumns, schema.name, view_names, view_pointers, reads);

  std::vector<std::string> routine_names;
  std::vector<std::vector<tds::Row>> routine_rows;
  std::vector<const std::vector<tds::Row>*> routine_pointers, parameter_pointers;
  for (const auto& routine : schema.routines) {
    routine_names.push_back(routine.name);
    routine_rows.push_back({routine.row});
    parameter_pointers.push_back(&routine.parameters);
  }
  for (const auto& rows : routine_rows) routine_pointers.push_back(&rows);
  script_query(server, kRoutines, kRoutineColumns, schema.name, routine_names, routine_pointers,
               reads);
  script_query(server, kParameters, kParameterColumns, schema.name, routine_names,
               parameter_pointers, reads);
}

Table plain_table(const std::string& name, int width, const std::string& refers_to) {
  Table table;
  table.name = name;
  for (int i = 1; i <= width; i++) {
    const std::string column = "c" + std::to_string(i);
    table.columns.push_back({std::to_string(i), column, i == 1 ? "int" : "nvarchar",
                             i == 1 ? "4" : "80", i == 1 ? "10" : "0", "0", i == 1 ? "0" : "1",
                             nullopt, i == 1 ? nullopt : tds::Cell("Latin1_General_CI_AS"),
                             nullopt});
  }
  table.primary_key = {{"PK_" + name, "1", "c1", "1"}};
  if (width > 1)
    table.indexes = {
        {"2", "IX_" + name, "NONCLUSTERED", "0", "0", "2", "c2", "1", "0", nullopt, "0", nullopt}};
  table.checks = {{"7", "CK_" + name, "CHECK_CONSTRAINT", "0", "0", "([c1]>(0))", nullopt}};
  if (!refers_to.empty())
    table.foreigns = {{"FK_" + name, "FOREIGN_KEY_CONSTRAINT", "NO_ACTION", "NO_ACTION", "0",
                       nullopt, "c1", "dbo", refers_to, "c1"}};
  table.general = {{"0", nullopt, nullopt, nullopt}};
  table.spaces = {{name, "PRIMARY", "FG", nullopt, "PRIMARY", nullopt, nullopt}};
  table.partitions = {{"1", "0", "0"}};
  return table;
}

}  // namespace tarvex::test::catalog
