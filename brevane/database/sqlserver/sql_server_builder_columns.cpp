// Columns and constraints of the SQL Server builder: the server's collation
// list, column definitions, the primary key and the CHECK, FOREIGN KEY and
// UNIQUE constraints, inline (inside CREATE TABLE) or as ALTER TABLE
// statements of a patch.
#include <glib.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <set>

#include "brevane/contracts/db_meta_type.h"
#include "brevane/contracts/iinspectable.h"
#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "providers/contracts/value_object.h"

namespace tarvex::dialect {

// Types that take a length: CHAR, VARCHAR, NCHAR, NVARCHAR, BINARY,
// VARBINARY. -1 is the catalog's length of the MAX variants, which only the
// variable-length ones have.
static bool takes_length(const std::string& type) {
  static const char* const kTypes[] = {"CHAR",     "VARCHAR", "NCHAR",
                                       "NVARCHAR", "BINARY",  "VARBINARY"};
  return std::any_of(std::begin(kTypes), std::end(kTypes),
                     [&](const char* t) { return type == t; });
}
static bool takes_max(const std::string& type) {
  return type == "VARCHAR" || type == "NVARCHAR" || type == "VARBINARY";
}

// TIME, DATETIME2 and DATETIMEOFFSET take a fractional-second precision,
// held as the scale; without one T-SQL reads 7, so a held precision is
// always written. Scale 0 is also the unset value: it is a real precision
// only when the length is the catalog's storage size of precision 0.
static std::optional<guint> time_precision(const std::string& type, gint64 length, guint scale) {
  gint64 size_of_zero = 0;
  if (type == "TIME")
    size_of_zero = 3;
  else if (type == "DATETIME2")
    size_of_zero = 6;
  else if (type == "DATETIMEOFFSET")
    size_of_zero = 8;
  else
    return std::nullopt;
  if (scale >= 1 && scale <= 7) return scale;
  if (scale == 0 && length == size_of_zero) return 0u;
  return std::nullopt;
}

// System type names of SQL Server; a column whose type is one of these keeps
// it, whatever the system's data type would map back to.
static bool is_server_type(const std::string& type) {
  static const std::set<std::string> kTypes = {"BIGINT",      "BINARY",     "BIT",
                                               "CHAR",        "CURSOR",     "DATE",
                                               "DATETIME",    "DATETIME2",  "DATETIMEOFFSET",
                                               "DEC",         "DECIMAL",    "DOUBLE PRECISION",
                                               "FLOAT",       "GEOGRAPHY",  "GEOMETRY",
                                               "HIERARCHYID", "IMAGE",      "INT",
                                               "INTEGER",     "MONEY",      "NCHAR",
                                               "NTEXT",       "NUMERIC",    "NVARCHAR",
                                               "REAL",        "ROWVERSION", "SMALLDATETIME",
                                               "SMALLINT",    "SMALLMONEY", "SQL_VARIANT",
                                               "SYSNAME",     "TEXT",       "TIME",
                                               "TIMESTAMP",   "TINYINT",    "UNIQUEIDENTIFIER",
                                               "VARBINARY",   "VARCHAR",    "XML"};
  return kTypes.count(type) > 0;
}

// The type name without a length or precision suffix, in upper case.
static std::string base_type(std::string_view type) {
  std::string_view head = type.substr(0, type.find('('));
  return ascii_upper(trim(head));
}

std::optional<std::vector<std::string>> load_collations(Builder* self) {
  auto* conn = TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_BUILDER(self)->conn;
  if (!conn) return std::nullopt;
  GRef<TarvexBrevaneContractsDatabaseIInspectable> inspector =
      adoptGRef(tarvex_brevane_contracts_database_iconnection_inspector(conn));
  if (!inspector) return std::nullopt;
  gint length = 0;
  GUnique<char*> queries(tarvex_brevane_contracts_database_iinspectable_support(
      inspector.get(), TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_COLLATION, &length));
  if (!queries || length < 1 || !queries.get()[0]) return std::nullopt;

  GUniqueError error;
  GRef<TarvexProvidersContractsTableModel> model =
      adoptGRef(tarvex_brevane_contracts_database_iconnection_execute_as_model(
          conn, queries.get()[0], 0, error.out()));
  if (!model) {
    if (error)
      g_critical("file %s: line %d: uncaught error: %s (%s, %d)", __FILE__, __LINE__,
                 error->message, g_quark_to_string(error->domain), error->code);
    return std::nullopt;
  }
  std::vector<std::string> names;
  GeeArrayList* rows = tarvex_providers_contracts_table_model_get_rows(model.get());
  const gint count = rows ? gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(rows)) : 0;
  for (gint r = 0; r < count; ++r) {
    GRef<TarvexProvidersContractsValueObject> value =
        adoptGRef(tarvex_providers_contracts_table_model_get_value_at(model.get(), 0, r));
    GUniqueStr text(value ? tarvex_providers_contracts_value_object_to_string(value.get())
                          : nullptr);
    names.push_back(str(text.get()));
  }
  return names;
}

std::string column_type(Builder*, MetaColumn* column, bool raw,
                        TarvexBrevaneContractsDatabaseIInspectable* inspector) {
  const std::string own = str(tarvex_brevane_meta_model_meta_column_get_raw_type(column));
  if (raw) return own;
  if (!trim(own).empty() && (is_server_type(base_type(own)) ||
                             tarvex_brevane_meta_model_meta_column_get_is_user_defined(column)))
    return own;
  if (!inspector) return own;
  GUniqueStr mapped(tarvex_brevane_contracts_database_iinspectable_get_sql_type(
      inspector, tarvex_brevane_meta_model_meta_column_get_data_type(column)));
  return mapped ? str(mapped.get()) : own;
}

std::string size_suffix(std::string_view type, gint64 length, guint scale) {
  const std::string kind = ascii_upper(trim(type));
  // A scale of 0 still needs the precision (DECIMAL(38,0) is not
  // DECIMAL(18,0)), and a MAX type needs (MAX): without a length T-SQL
  // reads 1.
  if (takes_length(kind) && length >= 1) return "(" + std::to_string(length) + ")";
  if (takes_max(kind) && length == -1) return "(MAX)";
  if ((kind == "NUMERIC" || kind == "DECIMAL") && length >= 1)
    return "(" + std::to_string(length) + ", " + std::to_string(scale) + ")";
  if (auto precision = time_precision(kind, length, scale))
    return "(" + std::to_string(*precision) + ")";
  return {};
}

std::string build_column_body(MetaColumn* column, std::string_view type,
                              const std::vector<std::string>& collations) {
  const std::string kind = ascii_upper(trim(type));
  const gint64 length = tarvex_brevane_meta_model_meta_column_get_length(column);
  const guint scale = tarvex_brevane_meta_model_meta_column_get_scale(column);
  std::string text = size_suffix(kind, length, scale) + " ";
  if (attr_true(column, "FILESTREAM")) text += "FILESTREAM ";
  const std::string collation = str(tarvex_brevane_meta_model_meta_column_get_collation(column));
  if (!collation.empty() &&
      std::find(collations.begin(), collations.end(), collation) != collations.end())
    text += "COLLATE " + collation + " ";
  if (attr_true(column, "SPARSE")) text += "SPARSE ";
  if (auto masked = attr(column, "MASKED"))
    text += "MASKED WITH (FUNCTION = " + sql::literal(*masked) + ") ";
  const std::string def = str(tarvex_brevane_meta_model_meta_column_get_default_value(column));
  if (!def.empty())
    text += def == "EMPYT STRING" ? std::string("DEFAULT '' ") : "DEFAULT " + def + " ";
  const std::string identity = str(tarvex_brevane_meta_model_meta_column_get_identity(column));
  if (!identity.empty()) text += "IDENTITY " + identity + " ";
  if (attr_true(column, "REPLICATION")) text += "NOT FOR REPLICATION ";
  if (auto method = attr(column, "VERSION_METHOD")) {
    text += "GENERATED ALWAYS AS " + *method + " ";
    if (auto position = attr(column, "VERSION_POSITION")) text += *position + " ";
  }
  text += tarvex_brevane_meta_model_meta_column_get_not_null(column) ? "NOT NULL " : "NULL ";
  if (attr_true(column, "ROWGUIDCOL")) text += "ROWGUIDCOL ";
  text.pop_back();
  return text + ",\n";
}

// ------------------------------------------------------------ primary key

std::string primary_key_name(MetaTable* table) {
  if (auto recorded = attr(table, "PRIMARY_KEY_NAME"); recorded && !recorded->empty())
    return *recorded;
  // SQL Server allows 128 characters in a name. A long table name is cut and
  // marked with a digest of the whole, so two long names sharing a prefix
  // still get different key names.
  const std::string table_name = name_of(table);
  std::string name = "PK_" + table_name;
  if (g_utf8_strlen(name.c_str(), -1) <= 128) return name;
  GUniqueStr digest(g_compute_checksum_for_string(G_CHECKSUM_SHA1, table_name.c_str(), -1));
  const std::string suffix = "_" + ascii_upper(std::string(digest.get()).substr(0, 16));
  const glong keep = 128 - glong(suffix.size());
  const char* end = g_utf8_offset_to_pointer(name.c_str(), keep);
  return name.substr(0, size_t(end - name.c_str())) + suffix;
}

static bool table_has_clustered_index(MetaTable* table) {
  for (auto& index : items<MetaIndex>(tarvex_brevane_meta_model_meta_table_get_indexes(table)))
    if (tarvex_brevane_meta_model_meta_index_get_is_clustered(index.get())) return true;
  for (auto& c : items<GObject>(tarvex_brevane_meta_model_meta_table_get_constraints(table)))
    if (TARVEX_BREVANE_META_MODEL_IS_META_UNIQUE(c.get()) && attr_true(c.get(), "CLUSTERED"))
      return true;
  return false;
}

std::string build_primary_key(MetaTable* table, bool alter) {
  std::vector<std::pair<guint, GRef<MetaColumn>>> keys;
  for (auto& column : items<MetaColumn>(tarvex_brevane_meta_model_meta_table_get_columns(table)))
    if (tarvex_brevane_meta_model_meta_column_get_is_primary_key(column.get()))
      keys.emplace_back(tarvex_brevane_meta_model_meta_column_get_primary_ordinal(column.get()),
                        column);
  if (keys.empty()) return {};
  // Key order, not column order; equal ordinals keep column order.
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  std::string text =
      alter ? "ALTER TABLE " + sql::bracketed_two_part(schema_of(table), name_of(table)) + " ADD "
            : std::string("    ");
  text += "CONSTRAINT " + sql::bracketed(primary_key_name(table)) + " PRIMARY KEY ";
  // A key is clustered by default; a table that has its clustered index
  // elsewhere needs a nonclustered key.
  if (table_has_clustered_index(table)) text += "NONCLUSTERED ";
  text += "(";
  for (size_t k = 0; k < keys.size(); ++k) {
    if (k) text += ", ";
    text += sql::bracketed(name_of(keys[k].second.get()));
  }
  return text + (alter ? ");\n" : "),\n");
}

// ------------------------------------------------------------ constraints

// Frames one constraint clause: inline (",\n") or, in patch mode and only
// for a constraint created or changed by the patch, an ALTER TABLE statement.
static std::string frame(MetaTable* table, gpointer constraint, const std::string& clause,
                         bool patch) {
  if (!patch) return "    " + clause + ",\n";
  const int code = diff_code(table, "constraints." + name_of(constraint));
  if (code == kAbsent || code == kIdentical || code == kDropped) return {};
  return "ALTER TABLE " + sql::bracketed_two_part(schema_of(table), name_of(table)) + " ADD " +
         clause + ";\n";
}

std::string build_table_checks(MetaTable* table, bool patch) {
  std::string text;
  for (auto& c : items<GObject>(tarvex_brevane_meta_model_meta_table_get_constraints(table))) {
    if (!TARVEX_BREVANE_META_MODEL_IS_META_CHECK(c.get())) continue;
    std::string clause = "CONSTRAINT " + sql::bracketed(name_of(c.get())) + " CHECK ";
    if (attr_true(c.get(), "REPLICATION")) clause += "NOT FOR REPLICATION ";
    clause += "(" +
              str(tarvex_brevane_meta_model_meta_check_get_check(
                  TARVEX_BREVANE_META_MODEL_META_CHECK(c.get()))) +
              ")";
    text += frame(table, c.get(), clause, patch);
  }
  return text;
}

std::string referential_action(std::string_view action) {
  std::string words = ascii_upper(trim(action));
  std::replace(words.begin(), words.end(), '_', ' ');
  return words;
}

std::string build_table_foreigns(MetaTable* table, bool patch) {
  std::string text;
  for (auto& c : items<GObject>(tarvex_brevane_meta_model_meta_table_get_constraints(table))) {
    if (!TARVEX_BREVANE_META_MODEL_IS_META_FOREIGN_KEY(c.get())) continue;
    auto* key = TARVEX_BREVANE_META_MODEL_META_FOREIGN_KEY(c.get());
    std::string clause =
        "CONSTRAINT " + sql::bracketed(name_of(key)) + " FOREIGN KEY(" +
        bracket_list(str(tarvex_brevane_meta_model_meta_foreign_key_get_local_columns(key)),
                     false) +
        ") REFERENCES " +
        sql::bracketed_two_part(
            str(tarvex_brevane_meta_model_meta_foreign_key_get_refer_schema(key)),
            str(tarvex_brevane_meta_model_meta_foreign_key_get_refer_table(key))) +
        "(" +
        bracket_list(str(tarvex_brevane_meta_model_meta_foreign_key_get_refer_columns(key)),
                     false) +
        ")";
    const std::string on_delete =
        str(tarvex_brevane_meta_model_meta_foreign_key_get_delete_action(key));
    const std::string on_update =
        str(tarvex_brevane_meta_model_meta_foreign_key_get_update_action(key));
    if (!trim(on_delete).empty()) clause += " ON DELETE " + referential_action(on_delete);
    if (!trim(on_update).empty()) clause += " ON UPDATE " + referential_action(on_update);
    if (attr_true(key, "REPLICATION")) clause += " NOT FOR REPLICATION";
    text += frame(table, key, clause, patch);
  }
  return text;
}

std::string build_table_uniques(MetaTable* table, bool patch) {
  std::string text;
  for (auto& c : items<GObject>(tarvex_brevane_meta_model_meta_table_get_constraints(table))) {
    if (!TARVEX_BREVANE_META_MODEL_IS_META_UNIQUE(c.get())) continue;
    auto* unique = TARVEX_BREVANE_META_MODEL_META_UNIQUE(c.get());
    std::string clause = "CONSTRAINT " + sql::bracketed(name_of(unique)) + " UNIQUE ";
    clause += attr_true(unique, "CLUSTERED") ? "CLUSTERED " : "NONCLUSTERED ";
    clause += "(" +
              bracket_list(str(tarvex_brevane_meta_model_meta_unique_get_columns(unique)), true) +
              ")";
    // One WITH clause: T-SQL takes the fill factor among the index options.
    std::vector<std::string> options;
    if (auto fill = attr(unique, "WITH_FILLFACTOR"); fill && !trim(*fill).empty())
      options.push_back("FILLFACTOR = " + trim(*fill));
    if (auto more = attr(unique, "WITH_INDEX_OPTIONS"); more && !trim(*more).empty())
      options.push_back(trim(*more));
    if (!options.empty()) {
      clause += " WITH (";
      for (size_t k = 0; k < options.size(); ++k) clause += (k ? ", " : "") + options[k];
      clause += ")";
    }
    const std::string space = str(tarvex_brevane_meta_model_meta_unique_get_table_space(unique));
    if (!space.empty()) clause += " ON " + space;
    text += frame(table, unique, clause, patch);
  }
  return text;
}

}  // namespace tarvex::dialect
