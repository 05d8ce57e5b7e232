// The SQL Server adapter's table fill: columns, primary key, indexes,
// triggers, constraints and options. Each part is one catalog query and the
// reading of one table's rows of it, so that a table filled alone and the
// tables of a schema filled together (each view read once for the whole
// schema) come out the same.
#include <gee.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "brevane/database/sqlserver/sql_server_adapter-private.h"
#include "brevane/database/sqlserver/sql_server_definition-private.h"
#include "brevane/model/constraints/meta_check.h"
#include "brevane/model/constraints/meta_foreign_key.h"
#include "brevane/model/constraints/meta_unique.h"
#include "common/tarvex-dispatch-private.h"

using namespace tarvex;
using namespace tarvex::dialect::adapter;
using dialect::Result;

using MetaTable = TarvexBrevaneMetaModelMetaTable;
using MetaSchema = TarvexBrevaneMetaModelMetaSchema;

namespace {

void set_option(MetaTable* table, const char* key, const std::string& value) {
  GeeHashMap* map = tarvex_brevane_meta_model_meta_table_get_options(table);
  gee_abstract_map_set(GEE_ABSTRACT_MAP(map), key, value.c_str());
}

// The condition on a scope's schema and, for one object, its name.
// `eq` is the equal sign as each query spells it.
std::string where_scope(const Scope& scope, const char* schema_expression,
                        const char* name_expression, const char* eq = "=") {
  std::string where =
      dialect::format("%s%sN'%s'", schema_expression, eq, sql::literal_body(scope.schema).c_str());
  if (!scope.whole())
    where += dialect::format(" AND %s%sN'%s'", name_expression, eq,
                             sql::literal_body(*scope.object).c_str());
  return where;
}

// The select-list item naming a row's table in a whole schema's answer.
std::string owner_item(const Scope& scope, const char* name_expression) {
  return scope.whole() ? dialect::format(", %s AS table_name", name_expression) : std::string();
}

// The head of an index and one of its columns, as index_head_from_row and
// index_column_from_row read them.
constexpr const char* kIndexColumnHead =
    "ix.index_id, ix.name index_name, ix.type_desc, ix.is_unique, ix.is_disabled, ic.column_id, "
    "COL_NAME(ic.object_id, ic.column_id) as column_name, ic.key_ordinal, "
    "ic.is_descending_key,CAST(ep.value AS NVARCHAR(MAX)) AS comment";

// The columns of the indexes of a scope's tables, each joined with its
// index and the index's comment (its extended property of class 7):
// `select` of the rows `filter` keeps, in `order`.
std::string index_columns_query(const Scope& scope, const std::string& select, const char* filter,
                                const char* order) {
  return dialect::format(
      "SELECT %s%s FROM sys.index_columns ic LEFT JOIN sys.indexes ix ON ic.object_id = "
      "ix.object_id AND ic.index_id = ix.index_id LEFT JOIN sys.extended_properties ep ON "
      "(ep.class=7 AND ep.major_id=ix.object_id AND ep.minor_id=ix.index_id AND "
      "ep.name='MS_Description') WHERE %s AND %s ORDER BY %s;",
      select.c_str(), owner_item(scope, "OBJECT_NAME(ic.object_id)").c_str(),
      where_scope(scope, "OBJECT_SCHEMA_NAME(ic.object_id)", "OBJECT_NAME(ic.object_id)", " = ")
          .c_str(),
      filter, order);
}

// ------------------------------------------------------------------ reading

void read_columns(Self* self, MetaTable* table, const Result& columns, const Rows& rows) {
  auto inspector = GRef<TarvexBrevaneContractsDatabaseIInspectable>::adopt(
      tarvex_brevane_contracts_database_iconnection_inspector(connection_of(self)));
  auto data_type_for = [&](const std::string& type) {
    if (!inspector) return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN;
    return tarvex_brevane_contracts_database_iinspectable_get_data_type(inspector.get(),
                                                                        type.c_str(), 0);
  };
  std::string previous;
  bool first = true;
  for (int j : rows) {
    const std::string type = utf8_upper(columns.text(2, j));
    const std::string column_name = columns.text(1, j);
    auto column = GRef<TarvexBrevaneMetaModelMetaColumn>::adopt(
        tarvex_brevane_meta_model_meta_table_new_column(table, column_name.c_str(),
                                                        data_type_for(type)));
    auto* c = column.get();
    tarvex_brevane_meta_model_meta_column_set_ordinal(c, static_cast<guint>(columns.integer(0, j)));
    tarvex_brevane_meta_model_meta_column_set_raw_type(c, type.c_str());
    // max_length counts bytes; NCHAR and NVARCHAR declare characters.
    gint64 length = columns.integer(3, j);
    if ((type == "NCHAR" || type == "NVARCHAR") && length != -1) length /= 2;
    if (in_list(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_NUMERIC, type)) {
      length = columns.integer(4, j);
      tarvex_brevane_meta_model_meta_column_set_scale(c,
                                                      static_cast<guint8>(columns.integer(5, j)));
    } else if (in_list(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_DATETIME,
                       type) ||
               type == "DATETIME2" || type == "DATETIMEOFFSET") {
      // The fractional-second precision: datetime2(3) is no datetime2(7).
      tarvex_brevane_meta_model_meta_column_set_scale(c,
                                                      static_cast<guint8>(columns.integer(5, j)));
    }
    tarvex_brevane_meta_model_meta_column_set_length(c, length);
    tarvex_brevane_meta_model_meta_column_set_not_null(c, !columns.flag(6, j));
    if (!columns.is_null(7, j))
      tarvex_brevane_meta_model_meta_column_set_default_value(c, columns.text(7, j).c_str());
    tarvex_brevane_meta_model_meta_column_set_collation(c, columns.text(8, j).c_str());
    set_comment(c, columns.text(9, j));
    if (!first) tarvex_brevane_meta_model_meta_column_set_after(c, previous.c_str());
    previous = column_name;
    first = false;
  }
}

void read_primary_key(MetaTable* table, const Result& keys, const Rows& rows) {
  // Key columns are found by name: column ids keep the gaps of dropped
  // columns, so they are no positions in the list.
  for (int i : rows) {
    auto column = GRef<TarvexBrevaneMetaModelMetaColumn>::adopt(
        tarvex_brevane_meta_model_meta_table_get_column(table, keys.text(2, i).c_str()));
    if (!column) continue;
    tarvex_brevane_meta_model_meta_column_set_is_primary_key(column.get(), TRUE);
    tarvex_brevane_meta_model_meta_column_set_primary_ordinal(
        column.get(), static_cast<guint8>(keys.integer(3, i)));
  }
  if (!rows.empty()) set_attribute(table, "PRIMARY_KEY_NAME", keys.text(0, rows.front()));
}

void read_indexes(MetaTable* table, const Result& result, const Rows& rows) {
  GeeArrayList* indexes = tarvex_brevane_meta_model_meta_table_get_indexes(table);
  GRef<TarvexBrevaneMetaModelMetaIndex> index;
  std::string current, include;
  auto finish = [&] {
    if (!index) return;
    tarvex_brevane_meta_model_meta_index_set_include(index.get(), include.c_str());
    append_to(indexes, index.get());
    index = nullptr;
    include.clear();
  };
  for (int i : rows) {
    const std::string index_name = result.text(1, i);
    if (!index || index_name != current) {
      finish();
      current = index_name;
      index = GRef<TarvexBrevaneMetaModelMetaIndex>::adopt(
          tarvex_brevane_meta_model_meta_index_new_with_names(
              database_of(table).c_str(), schema_of(table).c_str(), name_of(table).c_str(),
              index_name.c_str()));
      index_head_from_row(index.get(), result, i);
    }
    index_column_from_row(index.get(), result, i, include);
  }
  finish();
}

void read_triggers(MetaTable* table, const Result& result, const Rows& rows) {
  GeeArrayList* triggers = tarvex_brevane_meta_model_meta_table_get_triggers(table);
  for (int i : rows) {
    auto trigger =
        trigger_from_row(result, i, database_of(table), schema_of(table), name_of(table));
    append_to(triggers, trigger.get());
  }
}

void read_checks(MetaTable* table, const Result& result, const Rows& rows) {
  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(table);
  for (int i : rows) {
    const std::string expression = dialect::strip_outer_parentheses(result.text(5, i));
    auto check = GRef<TarvexBrevaneMetaModelMetaCheck>::adopt(
        tarvex_brevane_meta_model_meta_check_new_with_names(
            database_of(table).c_str(), schema_of(table).c_str(), result.text(1, i).c_str(),
            expression.c_str()));
    set_attribute(check.get(), "STATE", result.text(3, i));
    // "true" for a check created NOT FOR REPLICATION, as the builder reads it.
    set_attribute(check.get(), "REPLICATION", result.flag(4, i) ? "true" : "false");
    set_comment(check.get(), result.text(6, i));
    append_to(constraints, check.get());
  }
}

void read_foreigns(MetaTable* table, const Result& result, const Rows& rows) {
  // Grouped by name in order of first appearance, whatever the row order.
  struct Key {
    GRef<TarvexBrevaneMetaModelMetaForeignKey> key;
    std::string local, refer;
  };
  std::vector<Key> keys;
  std::map<std::string, size_t> by_name;
  for (int i : rows) {
    const std::string key_name = result.text(0, i);
    auto found = by_name.find(key_name);
    if (found == by_name.end()) {
      auto fk = GRef<TarvexBrevaneMetaModelMetaForeignKey>::adopt(
          tarvex_brevane_meta_model_meta_foreign_key_new_with_names(
              database_of(table).c_str(), schema_of(table).c_str(), key_name.c_str()));
      auto* k = fk.get();
      tarvex_brevane_meta_model_meta_foreign_key_set_delete_action(k, result.text(2, i).c_str());
      tarvex_brevane_meta_model_meta_foreign_key_set_update_action(k, result.text(3, i).c_str());
      set_attribute(k, "STATE", result.text(4, i));
      set_comment(k, result.text(5, i));
      tarvex_brevane_meta_model_meta_foreign_key_set_refer_schema(k, result.text(7, i).c_str());
      tarvex_brevane_meta_model_meta_foreign_key_set_refer_table(k, result.text(8, i).c_str());
      found = by_name.emplace(key_name, keys.size()).first;
      keys.push_back({std::move(fk), {}, {}});
    }
    Key& key = keys[found->second];
    key.local += result.text(6, i) + ",";
    key.refer += result.text(9, i) + ",";
  }
  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(table);
  for (Key& key : keys) {
    tarvex_brevane_meta_model_meta_foreign_key_set_local_columns(key.key.get(),
                                                                 finished(key.local).c_str());
    tarvex_brevane_meta_model_meta_foreign_key_set_refer_columns(key.key.get(),
                                                                 finished(key.refer).c_str());
    append_to(constraints, key.key.get());
  }
}

void read_uniques(MetaTable* table, const Result& result, const Rows& rows) {
  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(table);
  GRef<TarvexBrevaneMetaModelMetaUnique> unique;
  std::string current, columns;
  auto finish = [&] {
    if (!unique) return;
    tarvex_brevane_meta_model_meta_unique_set_columns(unique.get(), finished(columns).c_str());
    append_to(constraints, unique.get());
    unique = nullptr;
    columns.clear();
  };
  for (int i : rows) {
    const std::string unique_name = result.text(1, i);
    if (!unique || unique_name != current) {
      finish();
      current = unique_name;
      unique = GRef<TarvexBrevaneMetaModelMetaUnique>::adopt(
          tarvex_brevane_meta_model_meta_unique_new_with_names(
              database_of(table).c_str(), schema_of(table).c_str(), unique_name.c_str()));
      struct Kind {
        const char* type;
        const char* kind;       // null: not set
        const char* clustered;  // null: not set
      };
      static const Kind kinds[] = {{"HEAP", "HEAP", nullptr},
                                   {"CLUSTERED", nullptr, "true"},
                                   {"NONCLUSTERED", nullptr, "false"},
                                   {"XML", "XML", nullptr},
                                   {"SPATIAL", "SPATIAL", nullptr},
                                   {"CLUSTERED COLUMNSTORE", "COLUMNSTORE", "true"},
                                   {"NONCLUSTERED COLUMNSTORE", "COLUMNSTORE", "false"},
                                   {"NONCLUSTERED HASH", "HASH", "false"}};
      const std::string type = result.text(2, i);
      for (const Kind& k : kinds) {
        if (type != k.type) continue;
        if (k.kind) set_attribute(unique.get(), "KIND", k.kind);
        if (k.clustered) set_attribute(unique.get(), "CLUSTERED", k.clustered);
      }
      set_attribute(unique.get(), "STATE", result.text(4, i));
      set_comment(unique.get(), result.text(9, i));
    }
    columns += result.text(6, i) + (result.flag(8, i) ? " DESC," : " ASC,");
  }
  finish();
}

void read_general(MetaTable* table, const Result& general, const Rows& rows) {
  if (rows.size() != 1) return;
  const int row = rows.front();
  const std::string lock = general.text(0, row);
  if (lock == "0")
    set_option(table, "LOCK_ESCALATION", "TABLE");
  else if (lock == "1")
    set_option(table, "LOCK_ESCALATION", "DISABLE");
  else if (lock == "2")
    set_option(table, "LOCK_ESCALATION", "AUTO");
  const std::string tracking = general.text(1, row);
  if (tracking == "false" || tracking == "true") {
    set_option(table, "CHANGE_TRACKING", "true");
    set_option(table, "TRACK_COLUMNS_UPDATED", tracking);
  }
  const std::string identity = general.text(2, row);
  if (!identity.empty()) set_option(table, "IDENT_CURRENT", identity);
  set_comment(table, general.text(3, row));
}

void read_spaces(MetaTable* table, const Result& spaces, const Rows& rows) {
  if (rows.size() != 1) return;
  const int row = rows.front();
  // Data space types are char(2) codes.
  const std::string type = text::trim(spaces.text(2, row));
  if (type == "FG" || type == "FD") {
    set_option(table, "FILEGROUP_ON", spaces.text(1, row));
    set_option(table, "TEXTIMAGE_ON", spaces.text(4, row));
  } else if (type == "PS") {
    set_option(table, "PARTITION_SCHEMA", spaces.text(1, row));
    set_option(table, "PARTITION_COLUMN", spaces.text(3, row));
  }
  const std::string stream = text::trim(spaces.text(6, row));
  if (stream == "FD")
    set_option(table, "FILESTREAM_ON", spaces.text(5, row));
  else if (stream == "PS")
    set_option(table, "PARTITION_STREAM", spaces.text(5, row));
}

// XML compression came with version 16.
bool has_xml_compression(Self* self) {
  return major_of(self) > 15;
}

void read_partitions(Self* self, MetaTable* table, const Result& partitions, const Rows& rows) {
  const bool xml = has_xml_compression(self);
  std::string data, xml_list;
  for (int i : rows) {
    const std::string number = partitions.text(0, i);
    const std::string code = partitions.text(1, i);
    if (code != "0")
      data += number + "=" + code + ",";
    else if (xml && partitions.flag(2, i))
      xml_list += number + "=" + partitions.text(2, i) + ",";
  }
  if (!data.empty()) set_option(table, "DATA_COMPRESSION_PARTITIONS", finished(data));
  if (!xml_list.empty()) set_option(table, "XML_COMPRESSION_PARTITIONS", finished(xml_list));
}

// Runs one part's query for one table and reads its rows into the table.
bool fill_part(Self* self, TablePart part, MetaTable* table, GError** error) {
  const std::string schema = schema_of(table), name = name_of(table);
  auto rows = dialect::run_query(connection_of(self),
                                 table_part_query(self, part, Scope{schema, &name}), error);
  if (!rows) return false;
  read_table_part(self, part, table, *rows, all_rows(*rows));
  return true;
}

}  // namespace

namespace tarvex::dialect::adapter {

Rows all_rows(const Result& result) {
  Rows rows(size_t(std::max(result.rows(), 0)));
  for (size_t i = 0; i < rows.size(); i++) rows[i] = int(i);
  return rows;
}

std::unordered_map<std::string, Rows> rows_by(const Result& result, int column) {
  std::unordered_map<std::string, Rows> groups;
  const int count = result.rows();
  for (int i = 0; i < count; i++) groups[result.text(column, i)].push_back(i);
  return groups;
}

std::string table_part_query(Self* self, TablePart part, const Scope& scope) {
  switch (part) {
    case TablePart::Columns:
      return dialect::format(
          "SELECT ac.column_id, ac.name, TYPE_NAME(ac.user_type_id) type, ac.max_length, "
          "ac.precision, ac.scale, ac.is_nullable, dc.definition, ac.collation_name, "
          "CAST(ep.value AS NVARCHAR(MAX)) AS comment%s FROM sys.all_columns ac LEFT JOIN "
          "sys.default_constraints dc ON ac.default_object_id = dc.object_id LEFT JOIN "
          "sys.extended_properties ep ON (ep.class=1 AND ac.object_id=ep.major_id AND "
          "ep.minor_id=ac.column_id AND ep.name='MS_Description') WHERE %s ORDER BY ac.column_id "
          "ASC;",
          owner_item(scope, "OBJECT_NAME(ac.object_id)").c_str(),
          where_scope(scope, "OBJECT_SCHEMA_NAME(ac.object_id)", "OBJECT_NAME(ac.object_id)", " = ")
              .c_str());
    case TablePart::PrimaryKey:
      return index_columns_query(scope,
                                 "ix.name, ic.column_id, COL_NAME(ic.object_id, ic.column_id) as "
                                 "column_name, ic.key_ordinal",
                                 "ix.index_id > 0 AND ix.is_primary_key = 1", "ic.key_ordinal ASC");
    case TablePart::Indexes:
      return index_columns_query(
          scope,
          std::string(kIndexColumnHead) + ", ic.is_included_column, " +
              column_since(major_of(self), 10, "ix.filter_definition", "filter_definition"),
          "ix.is_primary_key = 0 AND ix.is_unique_constraint = 0",
          "ix.index_id ASC, ic.key_ordinal ASC, ic.index_column_id ASC");
    case TablePart::Triggers:
      return trigger_query(scope);
    case TablePart::Checks:
      return dialect::format(
          "SELECT cc.object_id,cc.name,cc.type_desc,cc.is_disabled,cc.is_not_for_replication,"
          "cc.definition,CAST(ep.value AS NVARCHAR(MAX)) AS comment%s FROM sys.check_constraints "
          "cc LEFT JOIN sys.extended_properties ep ON (cc.object_id=ep.major_id AND ep.class=1 AND "
          "ep.minor_id=0 AND ep.name='MS_Description') WHERE %s ORDER BY cc.name ASC;",
          owner_item(scope, "OBJECT_NAME(cc.parent_object_id)").c_str(),
          where_scope(scope, "OBJECT_SCHEMA_NAME(cc.parent_object_id)",
                      "OBJECT_NAME(cc.parent_object_id)")
              .c_str());
    case TablePart::Foreigns:
      // Ordered by key, then position: the columns of one key stay together.
      return dialect::format(
          "SELECT fk.name,fk.type_desc,fk.delete_referential_action_desc,"
          "fk.update_referential_action_desc,fk.is_disabled, CAST(ep.value AS NVARCHAR(MAX)) AS "
          "comment, COL_NAME(fc.parent_object_id,fc.parent_column_id) local_column,"
          "OBJECT_SCHEMA_NAME(fc.referenced_object_id) refer_schema,ob.name refer_table,"
          "COL_NAME(fc.referenced_object_id,fc.referenced_column_id) refer_column%s FROM "
          "sys.foreign_key_columns fc LEFT JOIN sys.foreign_keys fk ON "
          "fc.constraint_object_id=fk.object_id AND fc.parent_object_id=fk.parent_object_id LEFT "
          "JOIN sys.objects ob ON fk.referenced_object_id=ob.object_id LEFT JOIN "
          "sys.extended_properties ep ON (fc.constraint_object_id = ep.major_id AND ep.class = 1 "
          "AND ep.minor_id = 0 AND ep.name = 'MS_Description') WHERE %s ORDER BY fk.name ASC, "
          "fc.constraint_column_id ASC;",
          owner_item(scope, "OBJECT_NAME(fc.parent_object_id)").c_str(),
          where_scope(scope, "OBJECT_SCHEMA_NAME(fc.parent_object_id)",
                      "OBJECT_NAME(fc.parent_object_id)")
              .c_str());
    case TablePart::Uniques:
      return index_columns_query(scope, kIndexColumnHead, "ix.is_unique_constraint = 1",
                                 "ix.index_id ASC, ic.key_ordinal ASC");
    case TablePart::General:
      return dialect::format(
          "SELECT t.lock_escalation,ct.is_track_columns_updated_on,"
          "IDENT_CURRENT(QUOTENAME(s.name)+'.'+QUOTENAME(ao.name)) AS current_value,CAST "
          "(ep.value AS NVARCHAR (MAX)) AS comment%s FROM sys.all_objects ao LEFT JOIN "
          "sys.schemas s ON ao.schema_id=s.schema_id LEFT JOIN sys.tables t ON "
          "ao.object_id=t.object_id LEFT JOIN sys.change_tracking_tables ct ON "
          "ct.object_id=ao.object_id LEFT JOIN sys.extended_properties ep ON (ep.class=1 "
          "AND ao.object_id=ep.major_id AND ep.minor_id=0 AND ep.name='MS_Description') "
          "WHERE %s",
          owner_item(scope, "ao.name").c_str(), where_scope(scope, "s.name", "ao.name").c_str());
    case TablePart::Spaces:
      // The table's name is the first column of every row.
      return dialect::format(
          "SELECT o.name,ds.data_space_name,ds.data_space_type,ds.data_space_column,"
          "t.lob_data_space_name,t.filestream_data_space_name,t.filestream_data_space_type FROM "
          "sys.objects o LEFT JOIN (SELECT i.object_id,d.name AS data_space_name,d.type AS "
          "data_space_type,dc.name AS data_space_column FROM sys.indexes i LEFT JOIN "
          "sys.data_spaces d ON d.data_space_id=i.data_space_id LEFT JOIN (SELECT "
          "ic.object_id,ic.index_id,tc.name FROM sys.index_columns ic LEFT JOIN sys.columns tc ON "
          "tc.object_id=ic.object_id AND tc.column_id=ic.column_id WHERE ic.partition_ordinal > "
          "0) dc ON dc.object_id=i.object_id AND dc.index_id=i.index_id WHERE i.index_id < 2) ds "
          "ON o.object_id=ds.object_id LEFT JOIN (SELECT tbl.object_id,tbl.lock_escalation,"
          "lds.name AS lob_data_space_name,fds.name AS filestream_data_space_name,fds.type AS "
          "filestream_data_space_type FROM sys.tables tbl LEFT JOIN sys.data_spaces lds ON "
          "lds.data_space_id=tbl.lob_data_space_id LEFT JOIN sys.data_spaces fds ON "
          "fds.data_space_id=tbl.filestream_data_space_id) t ON t.object_id=o.object_id WHERE "
          "%s AND o.type='U'",
          where_scope(scope, "SCHEMA_NAME(o.schema_id)", "o.name").c_str());
    case TablePart::Partitions:
      return dialect::format(
          "SELECT p.partition_number,p.data_compression%s%s FROM sys.partitions p INNER "
          "JOIN sys.tables t ON p.object_id=t.object_id WHERE %s AND p.index_id < 2 "
          "ORDER BY p.partition_number ASC",
          has_xml_compression(self) ? ",p.xml_compression" : "",
          owner_item(scope, "t.name").c_str(),
          where_scope(scope, "OBJECT_SCHEMA_NAME(t.object_id)", "t.name").c_str());
  }
  return {};
}

int table_part_owner(TablePart part, const Result& rows) {
  switch (part) {
    case TablePart::Spaces:
      return 0;
    case TablePart::Triggers:
      return 3;
    default:
      return rows.columns() - 1;
  }
}

void read_table_part(Self* self, TablePart part, MetaTable* table, const Result& result,
                     const Rows& rows) {
  switch (part) {
    case TablePart::Columns:
      read_columns(self, table, result, rows);
      break;
    case TablePart::PrimaryKey:
      read_primary_key(table, result, rows);
      break;
    case TablePart::Indexes:
      read_indexes(table, result, rows);
      break;
    case TablePart::Triggers:
      read_triggers(table, result, rows);
      break;
    case TablePart::Checks:
      read_checks(table, result, rows);
      break;
    case TablePart::Foreigns:
      read_foreigns(table, result, rows);
      break;
    case TablePart::Uniques:
      read_uniques(table, result, rows);
      break;
    case TablePart::General:
      read_general(table, result, rows);
      break;
    case TablePart::Spaces:
      read_spaces(table, result, rows);
      break;
    case TablePart::Partitions:
      read_partitions(self, table, result, rows);
      break;
  }
}

TarvexBrevaneMetaModelMetaTable* fill_table_triggers(Self* self, MetaTable* table, GError** error) {
  g_return_val_if_fail(table != NULL, nullptr);
  if (!fill_part(self, TablePart::Triggers, table, error)) return nullptr;
  return static_cast<MetaTable*>(g_object_ref(table));
}

}  // namespace tarvex::dialect::adapter

// ---------------------------------------------------------------------------
// One table.

static MetaTable* sql_server_adapter_fill_schema_table_check(Self* self, MetaTable* table,
                                                             GError** error) {
  g_return_val_if_fail(table != NULL, nullptr);
  if (!fill_part(self, TablePart::Checks, table, error)) return nullptr;
  return static_cast<MetaTable*>(g_object_ref(table));
}

static MetaTable* sql_server_adapter_fill_schema_table_unique(Self* self, MetaTable* table,
                                                              GError** error) {
  g_return_val_if_fail(table != NULL, nullptr);
  if (!fill_part(self, TablePart::Uniques, table, error)) return nullptr;
  return static_cast<MetaTable*>(g_object_ref(table));
}

MetaTable* tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_options(
    Self* self, MetaTable* table, GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  g_return_val_if_fail(table != NULL, nullptr);
  for (TablePart part : {TablePart::General, TablePart::Spaces, TablePart::Partitions})
    if (!fill_part(self, part, table, error)) return nullptr;
  return static_cast<MetaTable*>(g_object_ref(table));
}

static void sql_server_adapter_fill_meta_table(Base* base, MetaTable* table, gboolean full,
                                               GError** error) {
  g_return_if_fail(table != NULL);
  Self* self = reinterpret_cast<Self*>(base);
  if (is_filled(table)) return;
  const std::string schema = schema_of(table), name = name_of(table);
  auto columns = dialect::run_query(
      connection_of(self), table_part_query(self, TablePart::Columns, Scope{schema, &name}), error);
  if (!columns) return;
  // Every table has a column: none means the catalog does not know it.
  if (columns->rows() == 0) {
    g_set_error(error, TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR,
                TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_NOT_FOUND, "Table %s.%s not found.",
                sql::bracketed(schema).c_str(), sql::bracketed(name).c_str());
    return;
  }
  read_table_part(self, TablePart::Columns, table, *columns, all_rows(*columns));
  if (!fill_part(self, TablePart::PrimaryKey, table, error)) return;
  g_debug("adapter:401: fill_schema_table_columns...[done]");
  if (!full) {
    mark_filled(table);
    return;
  }
  if (!fill_part(self, TablePart::Indexes, table, error)) return;

  using Part = MetaTable* (*)(Self*, MetaTable*, GError**);
  auto run_part = [&](Part part) {
    GError* failure = nullptr;
    MetaTable* result = part(self, table, &failure);
    if (result) g_object_unref(result);
    if (failure) {
      g_propagate_error(error, failure);
      return false;
    }
    return true;
  };
  if (!run_part(tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_trigger))
    return;
  if (!run_part(tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_check))
    return;
  if (!fill_part(self, TablePart::Foreigns, table, error)) return;
  if (!run_part(tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_unique))
    return;
  if (!run_part(tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_options))
    return;
  g_debug("adapter:415: fill_schema_table_options...[done]");
  mark_filled(table);
}

// ---------------------------------------------------------------------------
// The tables of a schema together.

namespace {

// True when the class fills tables with this file's parts, so that reading
// them for the whole schema at once gives what its table fill gives.
bool fills_tables_by_parts(Self* self) {
  auto* klass = TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_GET_CLASS(self);
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapterClass*>(klass);
  return base->fill_meta_table == sql_server_adapter_fill_meta_table &&
         (klass->fill_schema_table_trigger == fill_table_triggers ||
          klass->fill_schema_table_trigger == fill_table_triggers_v10x) &&
         klass->fill_schema_table_check == sql_server_adapter_fill_schema_table_check &&
         klass->fill_schema_table_unique == sql_server_adapter_fill_schema_table_unique;
}

bool fill_one_table(Self* self, MetaTable* table, gboolean full, GError** error) {
  GError* failure = nullptr;
  tarvex_brevane_supports_database_adapter_fill_meta_table(reinterpret_cast<Base*>(self), table,
                                                           full, &failure);
  if (!failure) return true;
  g_propagate_error(error, failure);
  return false;
}

}  // namespace

namespace tarvex::dialect::adapter {

bool fill_schema_tables(Self* self, MetaSchema* schema, gboolean full, GError** error) {
  std::vector<GRef<MetaTable>> tables;
  for (auto& item : items_of<MetaTable>(tarvex_brevane_meta_model_meta_schema_get_tables(schema)))
    if (!is_filled(item.get())) tables.push_back(item);
  if (tables.empty()) return true;
  if (!fills_tables_by_parts(self)) {
    for (auto& table : tables)
      if (!fill_one_table(self, table.get(), full, error)) return false;
    return true;
  }

  const Scope whole{name_of(schema)};
  std::vector<TablePart> parts = {TablePart::Columns, TablePart::PrimaryKey};
  if (full)
    parts.insert(parts.end(), {TablePart::Indexes, TablePart::Triggers, TablePart::Checks,
                               TablePart::Foreigns, TablePart::Uniques, TablePart::General,
                               TablePart::Spaces, TablePart::Partitions});
  struct Read {
    TablePart part;
    Result result;
    std::unordered_map<std::string, Rows> rows;
  };
  static const Rows none;
  auto rows_of = [](const Read& read, const std::string& name) -> const Rows& {
    auto found = read.rows.find(name);
    return found == read.rows.end() ? none : found->second;
  };
  // A table the column read does not show is filled on its own (the
  // catalog then says whether it exists).
  std::vector<Read> reads;
  auto shown = [&](MetaTable* table) {
    return schema_of(table) == whole.schema && !rows_of(reads.front(), name_of(table)).empty();
  };
  for (TablePart part : parts) {
    auto result =
        dialect::run_query(connection_of(self), table_part_query(self, part, whole), error);
    if (!result) return false;
    auto rows = rows_by(*result, table_part_owner(part, *result));
    reads.push_back({part, std::move(*result), std::move(rows)});
    if (part == TablePart::Columns &&
        std::none_of(tables.begin(), tables.end(), [&](auto& t) { return shown(t.get()); }))
      break;
  }

  for (auto& item : tables) {
    MetaTable* table = item.get();
    // The same table listed twice is filled once.
    if (is_filled(table)) continue;
    const std::string name = name_of(table);
    if (!shown(table)) {
      if (!fill_one_table(self, table, full, error)) return false;
      continue;
    }
    for (const Read& read : reads) {
      read_table_part(self, read.part, table, read.result, rows_of(read, name));
      if (read.part == TablePart::PrimaryKey)
        g_debug("adapter:401: fill_schema_table_columns...[done]");
    }
    if (full) g_debug("adapter:415: fill_schema_table_options...[done]");
    mark_filled(table);
  }
  return true;
}

void setup_table_fillers(TarvexBrevaneSupportsDatabaseSQLServerAdapterClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapterClass*>(klass);
  base->fill_meta_table = sql_server_adapter_fill_meta_table;
  klass->fill_schema_table_trigger = fill_table_triggers;
  klass->fill_schema_table_check = sql_server_adapter_fill_schema_table_check;
  klass->fill_schema_table_unique = sql_server_adapter_fill_schema_table_unique;
}

}  // namespace tarvex::dialect::adapter
