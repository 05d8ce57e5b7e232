// Table creation of the SQL Server builder: CREATE TABLE with its columns,
// inline constraints and indexes and storage options, then the indexes that
// stand alone, triggers, comments and disabled states.
#include <algorithm>
#include <utility>

#include "brevane/contracts/iinspectable.h"
#include "brevane/database/sqlserver/sql_server_builder-private.h"

namespace tarvex::dialect {

using Base = TarvexBrevaneSupportsDatabaseSqlBuilder;

bool is_computed(MetaColumn* column) {
  return tarvex_brevane_meta_model_meta_column_get_is_virtual(column) &&
         !trim(str(tarvex_brevane_meta_model_meta_column_get_expression(column))).empty();
}

// A computed column: its expression, PERSISTED when it is stored, and
// NOT NULL, which T-SQL allows only on a persisted one.
std::string computed_column(MetaColumn* column) {
  std::string text = "    " + sql::bracketed(name_of(column)) + " AS (" +
                     trim(str(tarvex_brevane_meta_model_meta_column_get_expression(column))) + ")";
  const std::string kind =
      ascii_upper(trim(str(tarvex_brevane_meta_model_meta_column_get_virtual_type(column))));
  if (kind == "PERSISTED" || kind == "STORED") {
    text += " PERSISTED";
    if (tarvex_brevane_meta_model_meta_column_get_not_null(column)) text += " NOT NULL";
  }
  return text + ",\n";
}

// Columns whose values live off-row, which TEXTIMAGE_ON places.
static bool has_large_object_column(MetaTable* table) {
  for (auto& column : items<MetaColumn>(tarvex_brevane_meta_model_meta_table_get_columns(table))) {
    const std::string raw =
        ascii_upper(trim(str(tarvex_brevane_meta_model_meta_column_get_raw_type(column.get()))));
    const std::string base = trim(raw.substr(0, raw.find('(')));
    if (base == "TEXT" || base == "NTEXT" || base == "IMAGE" || base == "XML" ||
        base == "GEOMETRY" || base == "GEOGRAPHY")
      return true;
    if ((base == "VARCHAR" || base == "NVARCHAR" || base == "VARBINARY") &&
        (tarvex_brevane_meta_model_meta_column_get_length(column.get()) == -1 ||
         raw.find("(MAX)") != std::string::npos))
      return true;
  }
  return false;
}

// The columns marked as the start and end of the system-time period.
static std::optional<std::pair<std::string, std::string>> period_columns(MetaTable* table) {
  std::string start, end;
  for (auto& column : items<MetaColumn>(tarvex_brevane_meta_model_meta_table_get_columns(table))) {
    auto method = attr(column.get(), "VERSION_METHOD");
    auto position = attr(column.get(), "VERSION_POSITION");
    if (!method || !position || !iequals(trim(*method), "ROW")) continue;
    if (iequals(trim(*position), "START")) start = name_of(column.get());
    if (iequals(trim(*position), "END")) end = name_of(column.get());
  }
  if (start.empty() || end.empty()) return std::nullopt;
  return std::make_pair(start, end);
}

static bool is_partitioned(MetaTable* table) {
  auto scheme = option(table, "PARTITION_SCHEMA");
  auto column = option(table, "PARTITION_COLUMN");
  return scheme && column && !trim(*scheme).empty() && !trim(*column).empty();
}

static std::string compression_keyword(std::string_view option_name, std::string_view value) {
  const std::string v = trim(value);
  if (option_name == "DATA_COMPRESSION") {
    static const char* const kNames[] = {"NONE", "ROW", "PAGE", "COLUMNSTORE",
                                         "COLUMNSTORE_ARCHIVE"};
    if (v.size() == 1 && v[0] >= '0' && v[0] <= '4') return kNames[v[0] - '0'];
  } else if (option_name == "XML_COMPRESSION") {
    if (v == "true") return "ON";
    if (v == "false") return "OFF";
  }
  return v;
}

// "partition=value" items, in order.
static std::vector<std::pair<std::string, std::string>> partition_items(std::string_view values) {
  std::vector<std::pair<std::string, std::string>> out;
  size_t start = 0;
  while (start <= values.size()) {
    size_t at = values.find(',', start);
    std::string item = trim(values.substr(start, at == values.npos ? values.npos : at - start));
    size_t eq = item.find('=');
    if (eq != std::string::npos)
      out.emplace_back(trim(item.substr(0, eq)), trim(item.substr(eq + 1)));
    if (at == values.npos) break;
    start = at + 1;
  }
  return out;
}

std::string make_compression_sql(std::string_view option_name, std::string_view values) {
  // Grouped by compression value, in the order the values first appear.
  std::vector<std::pair<std::string, std::string>> groups;
  for (const auto& [partition, value] : partition_items(values)) {
    auto it =
        std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == value; });
    if (it == groups.end())
      groups.emplace_back(value, partition);
    else
      it->second += "," + partition;
  }
  std::string text;
  for (const auto& [value, partitions] : groups)
    text += "    " + std::string(option_name) + " = " + compression_keyword(option_name, value) +
            " ON PARTITIONS (" + partitions + "),\n";
  return text;
}

// One compression option of the WITH list. ON PARTITIONS applies to a
// partitioned table only; a table that is not partitioned has one
// partition, whose value is the table's.
static std::string compression_item(MetaTable* table, const char* name,
                                    const char* partitions_key) {
  auto partitions = option(table, partitions_key);
  if (partitions && !trim(*partitions).empty()) {
    if (is_partitioned(table)) return make_compression_sql(name, *partitions);
    auto entries = partition_items(*partitions);
    if (!entries.empty())
      return "    " + std::string(name) + " = " +
             compression_keyword(name, entries.front().second) + ",\n";
    return {};
  }
  if (auto single = option(table, name); single && !trim(*single).empty())
    return "    " + std::string(name) + " = " + trim(*single) + ",\n";
  return {};
}

static std::string build_table_options(MetaTable* table) {
  std::string s, w;
  auto value = [&](const char* key) -> std::string {
    auto v = option(table, key);
    return v ? trim(*v) : std::string();
  };
  if (auto v = value("FILEGROUP_ON"); !v.empty()) s += "  ON " + sql::bracketed(v) + " \n";
  if (auto v = value("TEXTIMAGE_ON");
      !v.empty() && has_large_object_column(table) && !is_partitioned(table))
    s += "  TEXTIMAGE_ON " + sql::bracketed(v) + " \n";
  if (auto v = value("FILESTREAM_ON"); !v.empty())
    s += "  FILESTREAM_ON " + sql::bracketed(v) + " \n";
  if (is_partitioned(table))
    s += "  ON " + sql::bracketed(value("PARTITION_SCHEMA")) + "(" +
         sql::bracketed(value("PARTITION_COLUMN")) + ") \n";
  if (auto v = value("PARTITION_STREAM"); !v.empty())
    s += "  FILESTREAM_ON " + sql::bracketed(v) + " \n";

  w += compression_item(table, "DATA_COMPRESSION", "DATA_COMPRESSION_PARTITIONS");
  w += compression_item(table, "XML_COMPRESSION", "XML_COMPRESSION_PARTITIONS");
  // System versioning needs the table's period; without one it is left out.
  if (option(table, "SYSTEM_VERSIONING") && period_columns(table)) {
    std::string item = "    SYSTEM_VERSIONING = ON ";
    auto history_schema = option(table, "HISTORY_TABLE_SCHEMA");
    auto history_name = option(table, "HISTORY_TABLE_NAME");
    if (history_schema && history_name) {
      item += "( HISTORY_TABLE = " + sql::bracketed_two_part(*history_schema, *history_name) + ", ";
      if (auto check = option(table, "DATA_CONSISTENCY_CHECK")) {
        item +=
            std::string("DATA_CONSISTENCY_CHECK = ") + (*check == "true" ? "ON" : "OFF") + " ),\n";
      } else {
        item.resize(item.size() - 2);
        item += " ),\n";
      }
    } else {
      item += ",\n";
    }
    w += item;
  }

  if (!w.empty()) {
    w.resize(w.size() - 2);
    return s + "  WITH (\n" + w + "\n  );\n";
  }
  if (s.size() >= 2) s.resize(s.size() - 2);
  return s + ";\n";
}

std::string build_state_statements(MetaTable* table, bool patch) {
  const std::string two = sql::bracketed_two_part(schema_of(table), name_of(table));
  std::string text;
  // In patch mode only members of the record take part, a changed one only
  // when its state changed; that entry is consumed, and the member's path
  // once nothing else is left (a member without a record of its own keeps
  // its path: it is created again).
  auto consume = [&](gpointer member, const std::string& key) {
    diff_remove(member, "attributes.STATE");
    if (diff_size(member) == 0) diff_remove(table, key);
  };

  for (auto& index : items<MetaIndex>(tarvex_brevane_meta_model_meta_table_get_indexes(table))) {
    const bool disabled = attr_true(index.get(), "STATE");
    const std::string head = "ALTER INDEX " + sql::bracketed(name_of(index.get())) + " ON " + two;
    const std::string key = "indexes." + name_of(index.get());
    const int code = patch ? diff_code(table, key) : kCreated;
    if (code == kCreated) {
      if (disabled) text += head + " DISABLE;\n";
    } else if (code == kChanged && diff_has(index.get(), "attributes.STATE")) {
      text += head + (disabled ? " DISABLE;\n" : " REBUILD;\n");
      consume(index.get(), key);
    }
  }
  for (auto& c : items<GObject>(tarvex_brevane_meta_model_meta_table_get_constraints(table))) {
    if (!TARVEX_BREVANE_META_MODEL_IS_META_CHECK(c.get()) &&
        !TARVEX_BREVANE_META_MODEL_IS_META_FOREIGN_KEY(c.get()))
      continue;
    const bool disabled = attr_true(c.get(), "STATE");
    const std::string tail = " CONSTRAINT " + sql::bracketed(name_of(c.get())) + ";\n";
    const std::string key = "constraints." + name_of(c.get());
    const int code = patch ? diff_code(table, key) : kCreated;
    if (code == kCreated) {
      if (disabled) text += "ALTER TABLE " + two + " NOCHECK" + tail;
    } else if (code == kChanged && diff_has(c.get(), "attributes.STATE")) {
      text += "ALTER TABLE " + two + (disabled ? " NOCHECK" : " CHECK") + tail;
      consume(c.get(), key);
    }
  }
  for (auto& trigger :
       items<MetaTrigger>(tarvex_brevane_meta_model_meta_table_get_triggers(table))) {
    const bool disabled = attr_true(trigger.get(), "STATE");
    std::string schema = schema_of(trigger.get());
    if (schema.empty()) schema = schema_of(table);
    const std::string tail = " TRIGGER " + sql::bracketed_two_part(schema, name_of(trigger.get())) +
                             " ON " + two + ";\n";
    const std::string key = "triggers." + name_of(trigger.get());
    const int code = patch ? diff_code(table, key) : kCreated;
    if (code == kCreated) {
      if (disabled) text += "DISABLE" + tail;
    } else if (code == kChanged && diff_has(trigger.get(), "attributes.STATE")) {
      text += (disabled ? "DISABLE" : "ENABLE") + tail;
      consume(trigger.get(), key);
    }
  }
  return text;
}

static std::string build_table_columns(Builder* self, MetaTable* table, bool raw) {
  auto* conn = TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_BUILDER(self)->conn;
  GRef<TarvexBrevaneContractsDatabaseIInspectable> inspector;
  if (!raw && conn)
    inspector = adoptGRef(tarvex_brevane_contracts_database_iconnection_inspector(conn));
  const std::vector<std::string> collations =
      load_collations(self).value_or(std::vector<std::string>{});

  std::string text;
  for (auto& column : items<MetaColumn>(tarvex_brevane_meta_model_meta_table_get_columns(table))) {
    if (is_computed(column.get())) {
      text += computed_column(column.get());
      continue;
    }
    const std::string type = column_type(self, column.get(), raw, inspector.get());
    text += "    " + sql::bracketed(name_of(column.get())) + " " + type +
            build_column_body(column.get(), type, collations);
  }
  if (auto period = period_columns(table))
    text += "    PERIOD FOR SYSTEM_TIME (" + sql::bracketed(period->first) + ", " +
            sql::bracketed(period->second) + "),\n";
  text += build_primary_key(table, false);
  text += build_table_checks(table, false);
  text += build_table_uniques(table, false);
  text += build_table_foreigns(table, false);
  text += build_table_indexes(table, false);
  return text;
}

gchar* build_table(Base* base, MetaTable* table, gboolean raw) {
  g_return_val_if_fail(table != NULL, nullptr);
  auto* self = reinterpret_cast<Builder*>(base);
  std::string create =
      "CREATE TABLE " + sql::bracketed_two_part(schema_of(table), name_of(table)) + " (\n";
  create += build_table_columns(self, table, raw);
  if (create.size() >= 2) create.resize(create.size() - 2);
  create += "\n  ) \n";
  const std::string options = build_table_options(table);
  if (options.size() < 5) {
    create.resize(create.size() - 2);
    create += ";\n";
  } else {
    create += options;
  }

  Script script;
  script.add(create);
  // XML and spatial indexes cannot be declared inside CREATE TABLE.
  for (auto& index : items<MetaIndex>(tarvex_brevane_meta_model_meta_table_get_indexes(table)))
    if (index_is_standalone(index.get()))
      script.add(build_index_statement(schema_of(table), name_of(table), index.get()));
  build_table_triggers(script, table, false);
  script.add(build_comment_for_columns(table, false));
  script.add(build_comment_for_constraints(table, false));
  script.add(build_state_statements(table, false));
  std::string text = script.str();
  if (!text.empty()) {
    text.pop_back();
    text += "\n";
  }
  return dup(text);
}

}  // namespace tarvex::dialect
