// Table patch of the SQL Server builder: the statements that bring the
// server's table to the desired table from the desired table's change
// record (4 = only the desired table has the member, 2 = only the server,
// 8 = both, differing).
//
// Statements run in dependency order: whatever depends on a column that
// changes (its key, indexes, constraints and default) is dropped first, the
// columns are dropped, added and altered, and then the dependents are
// created again.
#include <algorithm>
#include <cctype>
#include <set>

#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "brevane/sql/sql-text-private.h"

namespace tarvex::dialect {

using Base = TarvexBrevaneSupportsDatabaseSqlBuilder;

namespace {

constexpr std::string_view kColumns = "columns.";
constexpr std::string_view kConstraints = "constraints.";
constexpr std::string_view kIndexes = "indexes.";
constexpr std::string_view kTriggers = "triggers.";
constexpr std::string_view kOptions = "options.";

bool starts_with(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// A name as a list entry holds it: brackets taken off (with "]]" read as
// "]"), a direction word dropped.
std::string entry_name(std::string_view raw) {
  std::string entry = trim(raw);
  for (const char* word : {" ASC", " DESC"}) {
    const std::string_view w(word);
    if (entry.size() > w.size() &&
        iequals(std::string_view(entry).substr(entry.size() - w.size()), w)) {
      entry = trim(std::string_view(entry).substr(0, entry.size() - w.size()));
      break;
    }
  }
  if (sql::is_one_bracketed(entry)) {
    std::string out;
    for (size_t i = 1; i + 1 < entry.size(); ++i) {
      out += entry[i];
      if (entry[i] == ']' && entry[i + 1] == ']') ++i;
    }
    return out;
  }
  return entry;
}

bool list_names(std::string_view list, const std::string& name) {
  size_t start = 0;
  for (;;) {
    const size_t at = list.find(',', start);
    if (entry_name(list.substr(start, at == list.npos ? list.npos : at - start)) == name)
      return true;
    if (at == list.npos) return false;
    start = at + 1;
  }
}

bool uses_column(gpointer member, const std::string& column) {
  if (TARVEX_BREVANE_META_MODEL_IS_META_INDEX(member)) {
    auto* index = TARVEX_BREVANE_META_MODEL_META_INDEX(member);
    for (const auto& entry : string_items(tarvex_brevane_meta_model_meta_index_get_columns(index)))
      if (entry_name(entry) == column) return true;
    return list_names(str(tarvex_brevane_meta_model_meta_index_get_include(index)), column) ||
           contains_name(str(tarvex_brevane_meta_model_meta_index_get_where(index)), column);
  }
  if (TARVEX_BREVANE_META_MODEL_IS_META_UNIQUE(member))
    return list_names(str(tarvex_brevane_meta_model_meta_unique_get_columns(
                          TARVEX_BREVANE_META_MODEL_META_UNIQUE(member))),
                      column);
  if (TARVEX_BREVANE_META_MODEL_IS_META_FOREIGN_KEY(member))
    return list_names(str(tarvex_brevane_meta_model_meta_foreign_key_get_local_columns(
                          TARVEX_BREVANE_META_MODEL_META_FOREIGN_KEY(member))),
                      column);
  if (TARVEX_BREVANE_META_MODEL_IS_META_CHECK(member))
    return contains_name(str(tarvex_brevane_meta_model_meta_check_get_check(
                             TARVEX_BREVANE_META_MODEL_META_CHECK(member))),
                         column);
  return false;
}

// The name of the key the server has now: the record's old value when the
// name changed, none when only the desired table has one.
std::string server_key_name(MetaTable* table) {
  const std::string path = "attributes.PRIMARY_KEY_NAME";
  const int code = diff_code(table, path);
  if (code == kCreated) return {};
  if (code == kDropped || code == kChanged) {
    if (auto old = slice_of(table, path)) return *old;
    if (code == kDropped) return {};
  }
  return attr(table, "PRIMARY_KEY_NAME").value_or("");
}

// Drops the default constraint of a column whatever the server named it:
// the name is looked up when the statement runs, in a batch of its own so
// that its variable cannot meet another.
std::string drop_default(MetaTable* table, const std::string& column) {
  const std::string two = sql::bracketed_two_part(schema_of(table), name_of(table));
  const std::string lookup =
      "DECLARE @sql nvarchar(max) = (SELECT " +
      sql::nliteral("ALTER TABLE " + two + " DROP CONSTRAINT ") +
      " + QUOTENAME(dc.name) FROM sys.default_constraints dc WHERE dc.parent_object_id = "
      "OBJECT_ID(" +
      sql::nliteral(two) + ") AND dc.parent_column_id = COLUMNPROPERTY(OBJECT_ID(" +
      sql::nliteral(two) + "), " + sql::nliteral(column) +
      ", 'ColumnId')); IF @sql IS NOT NULL EXEC sp_executesql @sql;";
  return "EXEC sp_executesql " + sql::nliteral(lookup) + ";\n";
}

std::string default_expression(MetaColumn* column) {
  const std::string def = str(tarvex_brevane_meta_model_meta_column_get_default_value(column));
  return def == "EMPYT STRING" ? std::string("''") : def;
}

bool default_changed(MetaColumn* column) {
  return diff_has(column, "default-value") || diff_has(column, "default_value");
}

// Record entries that ALTER COLUMN ... {ADD | DROP} and the default
// statements carry; any other entry changes the column's definition.
bool changes_definition(MetaColumn* column) {
  static const std::set<std::string> kElsewhere = {
      "default-value",         "default_value",          "comment",
      "attributes.ROWGUIDCOL", "attributes.REPLICATION", "attributes.SPARSE",
      "attributes.MASKED",     "attributes.WITH_VALUES", "attributes.STATE"};
  const auto entries = diff_entries(column);
  // A changed column without a record of its own: its whole definition.
  if (entries.empty()) return true;
  return std::any_of(entries.begin(), entries.end(),
                     [](const auto& e) { return kElsewhere.count(e.first) == 0; });
}

GRef<MetaColumn> find_column(MetaTable* table, const std::string& name) {
  for (auto& column : items<MetaColumn>(tarvex_brevane_meta_model_meta_table_get_columns(table)))
    if (name_of(column.get()) == name) return column;
  return {};
}

template <typename T>
bool in_list(GeeArrayList* list, const std::string& name) {
  for (auto& item : items<T>(list))
    if (name_of(item.get()) == name) return true;
  return false;
}

// One ALTER COLUMN statement per change of the column.
std::string alter_column(MetaTable* table, MetaColumn* column, bool definition) {
  const std::string head = "ALTER TABLE " +
                           sql::bracketed_two_part(schema_of(table), name_of(table)) +
                           " ALTER COLUMN " + sql::bracketed(name_of(column)) + " ";
  std::string text;
  if (definition) {
    const std::string type = str(tarvex_brevane_meta_model_meta_column_get_raw_type(column));
    std::string def =
        type + size_suffix(type, tarvex_brevane_meta_model_meta_column_get_length(column),
                           tarvex_brevane_meta_model_meta_column_get_scale(column));
    // Without COLLATE the column takes the database's collation.
    const std::string collation =
        trim(str(tarvex_brevane_meta_model_meta_column_get_collation(column)));
    if (!collation.empty()) def += " COLLATE " + collation;
    // Without NULL or NOT NULL the column becomes nullable.
    def += tarvex_brevane_meta_model_meta_column_get_not_null(column) ? " NOT NULL" : " NULL";
    text += head + def + ";\n";
  }
  auto toggle = [&](const char* key, const std::string& words) {
    const std::string path = std::string("attributes.") + key;
    const int code = diff_code(column, path);
    if (code == kAbsent) return;
    const bool on = code != kDropped && attr_true(column, key);
    text += head + (on ? "ADD " : "DROP ") + words + ";\n";
  };
  toggle("ROWGUIDCOL", "ROWGUIDCOL");
  toggle("REPLICATION", "NOT FOR REPLICATION");
  toggle("SPARSE", "SPARSE");
  if (const int code = diff_code(column, "attributes.MASKED"); code != kAbsent) {
    auto mask = attr(column, "MASKED");
    if (code != kDropped && mask && !mask->empty())
      text += head + "ADD MASKED WITH (FUNCTION = " + sql::literal(*mask) + ");\n";
    else
      text += head + "DROP MASKED;\n";
  }
  return text;
}

std::string add_default(MetaTable* table, MetaColumn* column) {
  const std::string def = default_expression(column);
  if (trim(def).empty()) return {};
  return "ALTER TABLE " + sql::bracketed_two_part(schema_of(table), name_of(table)) +
         " ADD DEFAULT " + def + " FOR " + sql::bracketed(name_of(column)) + ";\n";
}

std::string add_column(MetaTable* table, MetaColumn* column) {
  std::string definition;
  if (is_computed(column)) {
    definition = trim(computed_column(column));
    if (!definition.empty() && definition.back() == ',') definition.pop_back();
  } else {
    const std::string type = str(tarvex_brevane_meta_model_meta_column_get_raw_type(column));
    std::string body = build_column_body(column, type, {});
    body.resize(body.size() - 2);
    definition = sql::bracketed(name_of(column)) + " " + type + body;
  }
  return "ALTER TABLE " + sql::bracketed_two_part(schema_of(table), name_of(table)) + " ADD " +
         definition + ";\n";
}

std::string table_options_patch(MetaTable* table) {
  const std::string head =
      "ALTER TABLE " + sql::bracketed_two_part(schema_of(table), name_of(table)) + " ";
  std::string text;
  if (diff_has(table, "options.CHANGE_TRACKING")) {
    if (option(table, "CHANGE_TRACKING").value_or("") == "true") {
      text += head + "ENABLE CHANGE_TRACKING";
      if (auto columns = option(table, "TRACK_COLUMNS_UPDATED"))
        text += std::string(" WITH (TRACK_COLUMNS_UPDATED = ") +
                (*columns == "true" ? "ON" : "OFF") + ")";
      text += ";\n";
    } else {
      text += head + "DISABLE CHANGE_TRACKING;\n";
    }
  }
  if (diff_has(table, "options.LOCK_ESCALATION")) {
    // The option is a keyword: anything else is not written.
    const std::string value = ascii_upper(trim(option(table, "LOCK_ESCALATION").value_or("AUTO")));
    if (value == "AUTO" || value == "TABLE" || value == "DISABLE")
      text += head + "SET (LOCK_ESCALATION = " + value + ");\n";
  }
  return text;
}

}  // namespace

bool contains_name(std::string_view expression, const std::string& column) {
  // Stored definitions bracket their names; a bare name counts as a whole
  // word.
  if (expression.find(sql::bracketed(column)) != std::string_view::npos) return true;
  auto word = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '@' || c == '#' ||
           c == '$';
  };
  for (size_t at = expression.find(column); at != std::string_view::npos;
       at = expression.find(column, at + 1)) {
    const bool before = at > 0 && (word(expression[at - 1]) || expression[at - 1] == '[');
    const size_t end = at + column.size();
    const bool after = end < expression.size() && word(expression[end]);
    if (!before && !after) return true;
  }
  return false;
}

gchar* patch_table(Base*, MetaTable* table) {
  g_return_val_if_fail(table != NULL, nullptr);
  // Writing the script consumes entries of the change records: it works on
  // a copy, so that the model it is given stays as it was.
  auto copy =
      adoptGRef(TARVEX_BREVANE_META_MODEL_META_TABLE(meta::clone_with_records(meta(table))));
  table = copy.get();
  const std::string two = sql::bracketed_two_part(schema_of(table), name_of(table));
  const auto columns = items<MetaColumn>(tarvex_brevane_meta_model_meta_table_get_columns(table));
  const auto constraints =
      items<GObject>(tarvex_brevane_meta_model_meta_table_get_constraints(table));
  const auto indexes = items<MetaIndex>(tarvex_brevane_meta_model_meta_table_get_indexes(table));

  // Comments of the columns and the table, before anything consumes the
  // records.
  const std::string column_comments = build_comment_for_columns(table, true);

  // Key membership: taken out of the column records.
  bool key_changed = false;
  for (auto& column : columns) {
    const std::string path = std::string(kColumns) + name_of(column.get());
    if (diff_code(table, path) == kCreated &&
        tarvex_brevane_meta_model_meta_column_get_is_primary_key(column.get()))
      key_changed = true;
    if (diff_size(column.get()) == 0) continue;
    for (const char* key : {"is-primary-key", "primary-ordinal"}) {
      if (!diff_has(column.get(), key)) continue;
      diff_remove(column.get(), key);
      key_changed = true;
    }
    if (diff_size(column.get()) == 0 && diff_code(table, path) == kChanged)
      diff_remove(table, path);
  }

  // Comment-only and state-only changes of constraints and indexes are
  // consumed here, so that such members are not created again.
  std::set<std::string> commented;
  for (auto& c : constraints)
    if (diff_has(c.get(), "comment")) commented.insert(name_of(c.get()));
  const std::string member_comments = build_comment_for_constraints(table, true);
  const std::string states = build_state_statements(table, true);

  // The columns: dropped, added, altered. A column path holds the whole
  // name after "columns.", dots included.
  std::vector<std::string> dropped;
  std::vector<GRef<MetaColumn>> added, altered;
  for (const auto& [path, code] : diff_entries(table)) {
    if (!starts_with(path, kColumns)) continue;
    const std::string name = path.substr(kColumns.size());
    if (code == kDropped) {
      dropped.push_back(name);
    } else if (code == kCreated || code == kChanged) {
      if (auto column = find_column(table, name))
        (code == kCreated ? added : altered).push_back(column);
    }
  }

  // Members that depend on a column whose definition changes are dropped
  // and created again around it.
  std::string default_drops, default_adds;
  std::string alters;
  for (auto& column : altered) {
    const std::string name = name_of(column.get());
    const bool definition = changes_definition(column.get());
    if (definition) {
      if (tarvex_brevane_meta_model_meta_column_get_is_primary_key(column.get()))
        key_changed = true;
      for (auto& c : constraints) {
        const std::string path = std::string(kConstraints) + name_of(c.get());
        if (diff_code(table, path) != kCreated && uses_column(c.get(), name))
          tarvex_brevane_meta_model_meta_object_append_diff(meta(table), path.c_str(),
                                                            meta::data_version(kChanged));
      }
      for (auto& index : indexes) {
        const std::string path = std::string(kIndexes) + name_of(index.get());
        if (diff_code(table, path) != kCreated && uses_column(index.get(), name))
          tarvex_brevane_meta_model_meta_object_append_diff(meta(table), path.c_str(),
                                                            meta::data_version(kChanged));
      }
    }
    const bool has_default = !trim(default_expression(column.get())).empty();
    if (default_changed(column.get()) || (definition && has_default)) {
      default_drops += drop_default(table, name);
      default_adds += add_default(table, column.get());
    }
    alters += alter_column(table, column.get(), definition);
  }
  for (const auto& name : dropped) default_drops += drop_default(table, name);

  const std::string server_key = key_changed ? server_key_name(table) : std::string();
  const auto record = diff_entries(table);

  // 1. Dependents dropped.
  std::string drops;
  if (!server_key.empty())
    drops += "ALTER TABLE " + two + " DROP CONSTRAINT " + sql::bracketed(server_key) + ";\n";
  for (const auto& [path, code] : record) {
    if (code != kDropped && code != kChanged) continue;
    if (starts_with(path, kConstraints)) {
      const std::string name = path.substr(kConstraints.size());
      if (!server_key.empty() && name == server_key) continue;
      drops += "ALTER TABLE " + two + " DROP CONSTRAINT " + sql::bracketed(name) + ";\n";
    } else if (starts_with(path, kIndexes)) {
      drops += "DROP INDEX IF EXISTS " + sql::bracketed(path.substr(kIndexes.size())) + " ON " +
               two + ";\n";
    } else if (starts_with(path, kTriggers) && code == kDropped) {
      const std::string name = path.substr(kTriggers.size());
      if (!in_list<MetaTrigger>(tarvex_brevane_meta_model_meta_table_get_triggers(table), name))
        drops +=
            "DROP TRIGGER IF EXISTS " + sql::bracketed_two_part(schema_of(table), name) + ";\n";
    }
  }
  drops += default_drops;

  // 2. Columns.
  std::string column_text;
  if (!dropped.empty()) {
    std::string list;
    for (const auto& name : dropped) list += (list.empty() ? "" : ", ") + sql::bracketed(name);
    column_text += "ALTER TABLE " + two + " DROP COLUMN " + list + ";\n";
  }
  for (auto& column : added) column_text += add_column(table, column.get());
  column_text += alters + default_adds;

  // 3. Dependents created again, options, indexes and triggers.
  std::string readds;
  if (key_changed) readds += build_primary_key(table, true);
  bool any_constraint = false, any_option = false, any_index = false, any_trigger = false;
  for (const auto& [path, code] : record) {
    any_constraint |= starts_with(path, kConstraints);
    any_option |= starts_with(path, kOptions);
    any_index |= starts_with(path, kIndexes);
    any_trigger |= starts_with(path, kTriggers);
  }
  std::string after;
  if (any_constraint) {
    readds += build_table_checks(table, true) + build_table_uniques(table, true) +
              build_table_foreigns(table, true);
    // A constraint created again has lost its comment and its state.
    for (auto& c : constraints) {
      const int code = diff_code(table, std::string(kConstraints) + name_of(c.get()));
      if (code != kChanged) continue;
      const std::string comment = comment_of(c.get());
      if (!comment.empty() && !commented.count(name_of(c.get())))
        after += comment_add(
            {schema_of(table), "TABLE", name_of(table), "CONSTRAINT", name_of(c.get())}, comment);
      if ((TARVEX_BREVANE_META_MODEL_IS_META_CHECK(c.get()) ||
           TARVEX_BREVANE_META_MODEL_IS_META_FOREIGN_KEY(c.get())) &&
          attr_true(c.get(), "STATE") && !diff_has(c.get(), "attributes.STATE"))
        after += "ALTER TABLE " + two + " NOCHECK CONSTRAINT " + sql::bracketed(name_of(c.get())) +
                 ";\n";
    }
  }
  if (any_option) readds += table_options_patch(table);
  if (any_index) {
    for (auto& index : indexes) {
      const int code = diff_code(table, std::string(kIndexes) + name_of(index.get()));
      if (code == kCreated || code == kChanged) readds += build_index_patch(table, index.get());
    }
  }

  Script script;
  script.add(drops);
  script.add(column_text);
  script.add(readds);
  if (any_trigger) build_table_triggers(script, table, true);
  script.add(after);
  script.add(column_comments);
  script.add(member_comments);
  script.add(states);
  return dup(script.str());
}

}  // namespace tarvex::dialect
