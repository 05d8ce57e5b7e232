#include "brevane/database/sqlserver/sql_server_adapter.h"

#include <gee.h>

#include <map>
#include <string>
#include <vector>

#include "brevane/database/sqlserver/sql_server_adapter-private.h"
#include "brevane/database/sqlserver/sql_server_definition-private.h"
#include "brevane/model/constraints/meta_check.h"
#include "brevane/model/constraints/meta_foreign_key.h"
#include "brevane/model/constraints/meta_unique.h"
#include "brevane/model/meta_synonym.h"
#include "common/tarvex-dispatch-private.h"

using tarvex::GRef;
using tarvex::GUniqueStr;
namespace sq = tarvex::sqlserver;
using namespace tarvex::sqlserver::adapter;

using MetaObject = TarvexBrevaneMetaModelMetaObject;
using MetaTable = TarvexBrevaneMetaModelMetaTable;
using MetaSchema = TarvexBrevaneMetaModelMetaSchema;

const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_USER_LIST_INTERNAL[3] = {
    "CALLER", "SELF", "OWNER"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_TABLE_FUNCTION[3] =
    {"FT", "IF", "TF"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_FUNCTION[6] = {
    "AF", "FN", "FS", "FT", "IF", "TF"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_FLOATS[3] = {
    "DOUBLE", "FLOAT", "REAL"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_NUMERIC[2] = {
    "DECIMAL", "NUMERIC"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_DATETIME[4] = {
    "DATE", "TIME", "DATETIME", "TIMESTAMP"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_CHARACTER[4] = {
    "CHAR", "VARCHAR", "NCHAR", "NVARCHAR"};

struct _TarvexBrevaneSupportsDatabaseSQLServerAdapterPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerAdapter,
                   tarvex_brevane_supports_database_sql_server_adapter,
                   TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_ADAPTER)

namespace {

void set_option(MetaTable* table, const char* key, const std::string& value) {
  GeeHashMap* map = tarvex_brevane_meta_model_meta_table_get_options(table);
  gee_abstract_map_set(GEE_ABSTRACT_MAP(map), key, value.c_str());
}

std::vector<GRef<GObject>> items_of(GeeArrayList* list) {
  std::vector<GRef<GObject>> items;
  gint count = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
  for (gint i = 0; i < count; i++)
    items.push_back(GRef<GObject>::adopt(
        static_cast<GObject*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i))));
  return items;
}

TarvexProvidersContractsDataType data_type_for(Self* self, const std::string& type) {
  auto inspector = GRef<TarvexBrevaneContractsDatabaseIInspectable>::adopt(
      tarvex_brevane_contracts_database_iconnection_inspector(connection_of(self)));
  if (!inspector) return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN;
  return tarvex_brevane_contracts_database_iinspectable_get_data_type(inspector.get(), type.c_str(),
                                                                      0);
}

// The head of an index and one of its columns, as index_head_from_row and
// index_column_from_row read them.
constexpr const char* kIndexColumnHead =
    "ix.index_id, ix.name index_name, ix.type_desc, ix.is_unique, ix.is_disabled, ic.column_id, "
    "COL_NAME(ic.object_id, ic.column_id) as column_name, ic.key_ordinal, "
    "ic.is_descending_key,CAST(ep.value AS NVARCHAR(MAX)) AS comment";

// The columns of the indexes of one table, each joined with its index and
// the index's comment (its extended property of class 7): `select` of the
// rows `filter` keeps, in `order`.
std::string index_columns_query(MetaTable* table, const std::string& select, const char* filter,
                                const char* order) {
  return sq::format(
      "SELECT %s FROM sys.index_columns ic LEFT JOIN sys.indexes ix ON ic.object_id = "
      "ix.object_id AND ic.index_id = ix.index_id LEFT JOIN sys.extended_properties ep ON "
      "(ep.class=7 AND ep.major_id=ix.object_id AND ep.minor_id=ix.index_id AND "
      "ep.name='MS_Description') WHERE OBJECT_SCHEMA_NAME(ic.object_id) = N'%s' AND "
      "OBJECT_NAME(ic.object_id) = N'%s' AND %s ORDER BY %s;",
      select.c_str(), literal_body(schema_of(table)).c_str(), literal_body(name_of(table)).c_str(),
      filter, order);
}

}  // namespace

// ---------------------------------------------------------------------------
// Tables.

static bool fill_table_columns(Self* self, MetaTable* table, GError** error) {
  const std::string schema = literal_body(schema_of(table)), name = literal_body(name_of(table));
  auto columns = sq::run_query(
      connection_of(self),
      sq::format("SELECT ac.column_id, ac.name, TYPE_NAME(ac.user_type_id) type, ac.max_length, "
                 "ac.precision, ac.scale, ac.is_nullable, dc.definition, ac.collation_name, "
                 "CAST(ep.value AS NVARCHAR(MAX)) AS comment FROM sys.all_columns ac LEFT JOIN "
                 "sys.default_constraints dc ON ac.default_object_id = dc.object_id LEFT JOIN "
                 "sys.extended_properties ep ON (ep.class=1 AND ac.object_id=ep.major_id AND "
                 "ep.minor_id=ac.column_id AND ep.name='MS_Description') WHERE "
                 "OBJECT_SCHEMA_NAME(ac.object_id) = N'%s' AND OBJECT_NAME(ac.object_id) = N'%s' "
                 "ORDER BY ac.column_id ASC;",
                 schema.c_str(), name.c_str()),
      error);
  if (!columns) return false;
  // Every table has a column: none means the catalog does not know it.
  if (columns->rows() == 0) {
    g_set_error(error, TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR,
                TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_NOT_FOUND, "Table %s.%s not found.",
                bracketed(schema_of(table)).c_str(), bracketed(name_of(table)).c_str());
    return false;
  }

  std::string previous;
  for (int j = 0; j < columns->rows(); j++) {
    const std::string type = upper(columns->text(2, j));
    const std::string column_name = columns->text(1, j);
    auto column = GRef<TarvexBrevaneMetaModelMetaColumn>::adopt(
        tarvex_brevane_meta_model_meta_table_new_column(table, column_name.c_str(),
                                                        data_type_for(self, type)));
    auto* c = column.get();
    tarvex_brevane_meta_model_meta_column_set_ordinal(c,
                                                      static_cast<guint>(columns->integer(0, j)));
    tarvex_brevane_meta_model_meta_column_set_raw_type(c, type.c_str());
    // max_length counts bytes; NCHAR and NVARCHAR declare characters.
    gint64 length = columns->integer(3, j);
    if ((type == "NCHAR" || type == "NVARCHAR") && length != -1) length /= 2;
    if (in_list(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_NUMERIC, type)) {
      length = columns->integer(4, j);
      tarvex_brevane_meta_model_meta_column_set_scale(c,
                                                      static_cast<guint8>(columns->integer(5, j)));
    } else if (in_list(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_DATETIME,
                       type) ||
               type == "DATETIME2" || type == "DATETIMEOFFSET") {
      // The fractional-second precision: datetime2(3) is no datetime2(7).
      tarvex_brevane_meta_model_meta_column_set_scale(c,
                                                      static_cast<guint8>(columns->integer(5, j)));
    }
    tarvex_brevane_meta_model_meta_column_set_length(c, length);
    tarvex_brevane_meta_model_meta_column_set_not_null(c, !columns->flag(6, j));
    if (!columns->is_null(7, j))
      tarvex_brevane_meta_model_meta_column_set_default_value(c, columns->text(7, j).c_str());
    tarvex_brevane_meta_model_meta_column_set_collation(c, columns->text(8, j).c_str());
    set_comment(c, columns->text(9, j));
    if (j > 0) tarvex_brevane_meta_model_meta_column_set_after(c, previous.c_str());
    previous = column_name;
  }

  // Key columns are found by name: column ids keep the gaps of dropped
  // columns, so they are no positions in the list.
  auto keys = sq::run_query(
      connection_of(self),
      index_columns_query(table,
                          "ix.name, ic.column_id, COL_NAME(ic.object_id, ic.column_id) as "
                          "column_name, ic.key_ordinal",
                          "ix.index_id > 0 AND ix.is_primary_key = 1", "ic.key_ordinal ASC"),
      error);
  if (!keys) return false;
  for (int i = 0; i < keys->rows(); i++) {
    auto column = GRef<TarvexBrevaneMetaModelMetaColumn>::adopt(
        tarvex_brevane_meta_model_meta_table_get_column(table, keys->text(2, i).c_str()));
    if (!column) continue;
    tarvex_brevane_meta_model_meta_column_set_is_primary_key(column.get(), TRUE);
    tarvex_brevane_meta_model_meta_column_set_primary_ordinal(
        column.get(), static_cast<guint8>(keys->integer(3, i)));
  }
  if (keys->rows() > 0) set_attribute(table, "PRIMARY_KEY_NAME", keys->text(0, 0));
  return true;
}

static bool fill_table_indexes(Self* self, MetaTable* table, GError** error) {
  const std::string filter_definition =
      column_since(major_of(self), 10, "ix.filter_definition", "filter_definition");
  auto rows = sq::run_query(
      connection_of(self),
      index_columns_query(
          table, std::string(kIndexColumnHead) + ", ic.is_included_column, " + filter_definition,
          "ix.is_primary_key = 0 AND ix.is_unique_constraint = 0",
          "ix.index_id ASC, ic.key_ordinal ASC, ic.index_column_id ASC"),
      error);
  if (!rows) return false;

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
  for (int i = 0; i < rows->rows(); i++) {
    const std::string index_name = rows->text(1, i);
    if (!index || index_name != current) {
      finish();
      current = index_name;
      index = GRef<TarvexBrevaneMetaModelMetaIndex>::adopt(
          tarvex_brevane_meta_model_meta_index_new_with_names(
              database_of(table).c_str(), schema_of(table).c_str(), name_of(table).c_str(),
              index_name.c_str()));
      index_head_from_row(index.get(), *rows, i);
    }
    index_column_from_row(index.get(), *rows, i, include);
  }
  finish();
  return true;
}

static bool fill_table_foreigns(Self* self, MetaTable* table, GError** error) {
  const std::string schema = literal_body(schema_of(table)), name = literal_body(name_of(table));
  // Ordered by key, then position: the columns of one key stay together.
  auto rows = sq::run_query(
      connection_of(self),
      sq::format(
          "SELECT fk.name,fk.type_desc,fk.delete_referential_action_desc,"
          "fk.update_referential_action_desc,fk.is_disabled, CAST(ep.value AS NVARCHAR(MAX)) AS "
          "comment, COL_NAME(fc.parent_object_id,fc.parent_column_id) local_column,"
          "OBJECT_SCHEMA_NAME(fc.referenced_object_id) refer_schema,ob.name refer_table,"
          "COL_NAME(fc.referenced_object_id,fc.referenced_column_id) refer_column FROM "
          "sys.foreign_key_columns fc LEFT JOIN sys.foreign_keys fk ON "
          "fc.constraint_object_id=fk.object_id AND fc.parent_object_id=fk.parent_object_id LEFT "
          "JOIN sys.objects ob ON fk.referenced_object_id=ob.object_id LEFT JOIN "
          "sys.extended_properties ep ON (fc.constraint_object_id = ep.major_id AND ep.class = 1 "
          "AND ep.minor_id = 0 AND ep.name = 'MS_Description')WHERE "
          "OBJECT_SCHEMA_NAME(fc.parent_object_id)=N'%s' AND "
          "OBJECT_NAME(fc.parent_object_id)=N'%s' "
          "ORDER BY fk.name ASC, fc.constraint_column_id ASC;",
          schema.c_str(), name.c_str()),
      error);
  if (!rows) return false;

  // Grouped by name in order of first appearance, whatever the row order.
  struct Key {
    GRef<TarvexBrevaneMetaModelMetaForeignKey> key;
    std::string local, refer;
  };
  std::vector<Key> keys;
  std::map<std::string, size_t> by_name;
  for (int i = 0; i < rows->rows(); i++) {
    const std::string key_name = rows->text(0, i);
    auto found = by_name.find(key_name);
    if (found == by_name.end()) {
      auto fk = GRef<TarvexBrevaneMetaModelMetaForeignKey>::adopt(
          tarvex_brevane_meta_model_meta_foreign_key_new_with_names(
              database_of(table).c_str(), schema_of(table).c_str(), key_name.c_str()));
      auto* k = fk.get();
      tarvex_brevane_meta_model_meta_foreign_key_set_delete_action(k, rows->text(2, i).c_str());
      tarvex_brevane_meta_model_meta_foreign_key_set_update_action(k, rows->text(3, i).c_str());
      set_attribute(k, "STATE", rows->text(4, i));
      set_comment(k, rows->text(5, i));
      tarvex_brevane_meta_model_meta_foreign_key_set_refer_schema(k, rows->text(7, i).c_str());
      tarvex_brevane_meta_model_meta_foreign_key_set_refer_table(k, rows->text(8, i).c_str());
      found = by_name.emplace(key_name, keys.size()).first;
      keys.push_back({std::move(fk), {}, {}});
    }
    Key& key = keys[found->second];
    key.local += rows->text(6, i) + ",";
    key.refer += rows->text(9, i) + ",";
  }
  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(table);
  for (Key& key : keys) {
    tarvex_brevane_meta_model_meta_foreign_key_set_local_columns(key.key.get(),
                                                                 finished(key.local).c_str());
    tarvex_brevane_meta_model_meta_foreign_key_set_refer_columns(key.key.get(),
                                                                 finished(key.refer).c_str());
    append_to(constraints, key.key.get());
  }
  return true;
}

static void sql_server_adapter_fill_meta_table(Base* base, MetaTable* table, gboolean full,
                                               GError** error) {
  g_return_if_fail(table != NULL);
  Self* self = reinterpret_cast<Self*>(base);
  if (is_filled(table)) return;
  if (!fill_table_columns(self, table, error)) return;
  g_debug("adapter:401: fill_schema_table_columns...[done]");
  if (!full) {
    mark_filled(table);
    return;
  }
  if (!fill_table_indexes(self, table, error)) return;

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
  if (!fill_table_foreigns(self, table, error)) return;
  if (!run_part(tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_unique))
    return;
  if (!run_part(tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_options))
    return;
  g_debug("adapter:415: fill_schema_table_options...[done]");
  mark_filled(table);
}

static MetaTable* sql_server_adapter_fill_schema_table_trigger(Self* self, MetaTable* table,
                                                               GError** error) {
  g_return_val_if_fail(table != NULL, nullptr);
  return fill_table_triggers(self, table, error);
}

static MetaTable* sql_server_adapter_fill_schema_table_check(Self* self, MetaTable* table,
                                                             GError** error) {
  g_return_val_if_fail(table != NULL, nullptr);
  const std::string schema = literal_body(schema_of(table)), name = literal_body(name_of(table));
  auto rows = sq::run_query(
      connection_of(self),
      sq::format("SELECT cc.object_id,cc.name,cc.type_desc,cc.is_disabled,"
                 "cc.is_not_for_replication,cc.definition,CAST(ep.value AS NVARCHAR(MAX)) AS "
                 "comment FROM sys.check_constraints cc LEFT JOIN sys.extended_properties ep ON "
                 "(cc.object_id=ep.major_id AND ep.class=1 AND ep.minor_id=0 AND "
                 "ep.name='MS_Description') WHERE OBJECT_SCHEMA_NAME(cc.parent_object_id)=N'%s' "
                 "AND OBJECT_NAME(cc.parent_object_id)=N'%s' ORDER BY cc.name ASC;",
                 schema.c_str(), name.c_str()),
      error);
  if (!rows) return nullptr;
  GeeArrayList* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(table);
  for (int i = 0; i < rows->rows(); i++) {
    const std::string expression = sq::strip_outer_parentheses(rows->text(5, i));
    auto check = GRef<TarvexBrevaneMetaModelMetaCheck>::adopt(
        tarvex_brevane_meta_model_meta_check_new_with_names(
            database_of(table).c_str(), schema_of(table).c_str(), rows->text(1, i).c_str(),
            expression.c_str()));
    set_attribute(check.get(), "STATE", rows->text(3, i));
    // "true" for a check created NOT FOR REPLICATION, as the builder reads it.
    set_attribute(check.get(), "REPLICATION", rows->flag(4, i) ? "true" : "false");
    set_comment(check.get(), rows->text(6, i));
    append_to(constraints, check.get());
  }
  return static_cast<MetaTable*>(g_object_ref(table));
}

static MetaTable* sql_server_adapter_fill_schema_table_unique(Self* self, MetaTable* table,
                                                              GError** error) {
  g_return_val_if_fail(table != NULL, nullptr);
  auto rows =
      sq::run_query(connection_of(self),
                    index_columns_query(table, kIndexColumnHead, "ix.is_unique_constraint = 1",
                                        "ix.index_id ASC, ic.key_ordinal ASC"),
                    error);
  if (!rows) return nullptr;

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
  for (int i = 0; i < rows->rows(); i++) {
    const std::string unique_name = rows->text(1, i);
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
      const std::string type = rows->text(2, i);
      for (const Kind& k : kinds) {
        if (type != k.type) continue;
        if (k.kind) set_attribute(unique.get(), "KIND", k.kind);
        if (k.clustered) set_attribute(unique.get(), "CLUSTERED", k.clustered);
      }
      set_attribute(unique.get(), "STATE", rows->text(4, i));
      set_comment(unique.get(), rows->text(9, i));
    }
    columns += rows->text(6, i) + (rows->flag(8, i) ? " DESC," : " ASC,");
  }
  finish();
  return static_cast<MetaTable*>(g_object_ref(table));
}

MetaTable* tarvex_brevane_supports_database_sql_server_adapter_fill_schema_table_options(
    Self* self, MetaTable* table, GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  g_return_val_if_fail(table != NULL, nullptr);
  const std::string schema = literal_body(schema_of(table)), name = literal_body(name_of(table));

  auto general = sq::run_query(
      connection_of(self),
      sq::format("SELECT t.lock_escalation,ct.is_track_columns_updated_on,"
                 "IDENT_CURRENT(QUOTENAME(s.name)+'.'+QUOTENAME(ao.name)) AS current_value,CAST "
                 "(ep.value AS NVARCHAR (MAX)) AS comment FROM sys.all_objects ao LEFT JOIN "
                 "sys.schemas s ON ao.schema_id=s.schema_id LEFT JOIN sys.tables t ON "
                 "ao.object_id=t.object_id LEFT JOIN sys.change_tracking_tables ct ON "
                 "ct.object_id=ao.object_id LEFT JOIN sys.extended_properties ep ON (ep.class=1 "
                 "AND ao.object_id=ep.major_id AND ep.minor_id=0 AND ep.name='MS_Description') "
                 "WHERE s.name=N'%s' AND ao.name=N'%s'",
                 schema.c_str(), name.c_str()),
      error);
  if (!general) return nullptr;
  if (general->rows() == 1) {
    const std::string lock = general->text(0, 0);
    if (lock == "0")
      set_option(table, "LOCK_ESCALATION", "TABLE");
    else if (lock == "1")
      set_option(table, "LOCK_ESCALATION", "DISABLE");
    else if (lock == "2")
      set_option(table, "LOCK_ESCALATION", "AUTO");
    const std::string tracking = general->text(1, 0);
    if (tracking == "false" || tracking == "true") {
      set_option(table, "CHANGE_TRACKING", "true");
      set_option(table, "TRACK_COLUMNS_UPDATED", tracking);
    }
    const std::string identity = general->text(2, 0);
    if (!identity.empty()) set_option(table, "IDENT_CURRENT", identity);
    set_comment(table, general->text(3, 0));
  }

  auto spaces = sq::run_query(
      connection_of(self),
      sq::format(
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
          "SCHEMA_NAME(o.schema_id)=N'%s' AND o.name=N'%s' AND o.type='U'",
          schema.c_str(), name.c_str()),
      error);
  if (!spaces) return nullptr;
  if (spaces->rows() == 1) {
    // Data space types are char(2) codes.
    const std::string type = sq::trimmed(spaces->text(2, 0));
    if (type == "FG" || type == "FD") {
      set_option(table, "FILEGROUP_ON", spaces->text(1, 0));
      set_option(table, "TEXTIMAGE_ON", spaces->text(4, 0));
    } else if (type == "PS") {
      set_option(table, "PARTITION_SCHEMA", spaces->text(1, 0));
      set_option(table, "PARTITION_COLUMN", spaces->text(3, 0));
    }
    const std::string stream = sq::trimmed(spaces->text(6, 0));
    if (stream == "FD")
      set_option(table, "FILESTREAM_ON", spaces->text(5, 0));
    else if (stream == "PS")
      set_option(table, "PARTITION_STREAM", spaces->text(5, 0));
  }

  // XML compression came with version 16.
  const bool xml = sq::server_major_version(connection_of(self)) > 15;
  auto partitions = sq::run_query(
      connection_of(self),
      sq::format("SELECT p.partition_number,p.data_compression%s FROM sys.partitions p INNER "
                 "JOIN sys.tables t ON p.object_id=t.object_id WHERE "
                 "OBJECT_SCHEMA_NAME(t.object_id)=N'%s' AND t.name=N'%s' AND p.index_id < 2 "
                 "ORDER BY p.partition_number ASC",
                 xml ? ",p.xml_compression" : "", schema.c_str(), name.c_str()),
      error);
  if (!partitions) return nullptr;
  std::string data, xml_list;
  for (int i = 0; i < partitions->rows(); i++) {
    const std::string number = partitions->text(0, i);
    const std::string code = partitions->text(1, i);
    if (code != "0")
      data += number + "=" + code + ",";
    else if (xml && partitions->flag(2, i))
      xml_list += number + "=" + partitions->text(2, i) + ",";
  }
  if (!data.empty()) set_option(table, "DATA_COMPRESSION_PARTITIONS", finished(data));
  if (!xml_list.empty()) set_option(table, "XML_COMPRESSION_PARTITIONS", finished(xml_list));
  return static_cast<MetaTable*>(g_object_ref(table));
}

// ---------------------------------------------------------------------------
// Schemas and synonyms.

static void sql_server_adapter_fill_meta_schema(Base* base, MetaSchema* schema, gboolean deep,
                                                gboolean full, GError** error) {
  g_return_if_fail(schema != NULL);
  Self* self = reinterpret_cast<Self*>(base);
  if (is_filled(schema)) return;
  auto* connection = connection_of(self);
  const std::string name = name_of(schema), database = database_of(schema);

  auto owner = sq::run_query(
      connection,
      sq::format("SELECT SCHEMA_OWNER, DEFAULT_CHARACTER_SET_NAME FROM INFORMATION_SCHEMA.SCHEMATA "
                 "WHERE SCHEMA_NAME = N'%s';",
                 literal_body(name).c_str()),
      error);
  if (!owner) return;
  if (owner->rows() > 0) {
    set_attribute(schema, "OWNER", owner->text(0, 0));
    set_attribute(schema, "CHARACTER SET", owner->text(1, 0));
  }

  // The property is a sql_variant: read as text like every other comment.
  auto comment = sq::run_query(
      connection,
      sq::format("SELECT CAST(value AS NVARCHAR(MAX)) AS value FROM sys.extended_properties WHERE "
                 "name='MS_Description' AND class_desc='SCHEMA' AND major_id=SCHEMA_ID(N'%s')",
                 literal_body(name).c_str()),
      error);
  if (!comment) return;
  if (comment->rows() > 0) set_comment(schema, comment->text(0, 0));

  auto objects = sq::run_query(
      connection,
      sq::format("SELECT name, type FROM SYS.all_objects WHERE type in ('U', 'V', 'IT', 'S') AND "
                 "SCHEMA_NAME(schema_id) = N'%s';",
                 literal_body(name).c_str()),
      error);
  if (!objects) return;
  GeeArrayList* tables = tarvex_brevane_meta_model_meta_schema_get_tables(schema);
  GeeArrayList* views = tarvex_brevane_meta_model_meta_schema_get_views(schema);
  for (int i = 0; i < objects->rows(); i++) {
    const std::string object = objects->text(0, i);
    if (sq::trimmed(objects->text(1, i)) == "V") {
      auto view = GRef<TarvexBrevaneMetaModelMetaView>::adopt(
          tarvex_brevane_meta_model_meta_view_new_with_names(database.c_str(), name.c_str(),
                                                             object.c_str()));
      append_to(views, view.get());
    } else {
      auto table = GRef<MetaTable>::adopt(tarvex_brevane_meta_model_meta_table_new_with_names(
          database.c_str(), name.c_str(), object.c_str()));
      append_to(tables, table.get());
    }
  }

  if (full) {
    auto routines = sq::run_query(
        connection,
        sq::format("SELECT name, type FROM SYS.all_objects WHERE type in ('AF', 'FN', 'FS', 'FT', "
                   "'IF', 'TF', 'P', 'PC', 'X') AND SCHEMA_NAME(schema_id) = N'%s';",
                   literal_body(name).c_str()),
        error);
    if (!routines) return;
    GeeArrayList* list = tarvex_brevane_meta_model_meta_schema_get_routines(schema);
    for (int i = 0; i < routines->rows(); i++) {
      const std::string routine = routines->text(0, i);
      GRef<GObject> item;
      if (in_list(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_FUNCTION,
                  sq::trimmed(routines->text(1, i))))
        item = GRef<GObject>::adopt(G_OBJECT(tarvex_brevane_meta_model_meta_function_new_with_names(
            database.c_str(), name.c_str(), routine.c_str())));
      else
        item =
            GRef<GObject>::adopt(G_OBJECT(tarvex_brevane_meta_model_meta_procedure_new_with_names(
                database.c_str(), name.c_str(), routine.c_str())));
      append_to(list, item.get());
    }

    auto events = sq::run_query(
        connection,
        sq::format("SELECT object_id, OBJECT_NAME(object_id) as event_name, type_desc, "
                   "event_group_type_desc FROM sys.events WHERE OBJECT_SCHEMA_NAME(object_id) = "
                   "N'%s';",
                   literal_body(name).c_str()),
        error);
    if (!events) return;
    GeeArrayList* event_list = tarvex_brevane_meta_model_meta_schema_get_events(schema);
    for (int i = 0; i < events->rows(); i++) {
      auto event = GRef<TarvexBrevaneMetaModelMetaEvent>::adopt(
          tarvex_brevane_meta_model_meta_event_new_with_names(database.c_str(), name.c_str(),
                                                              events->text(1, i).c_str()));
      append_to(event_list, event.get());
    }
  }

  if (deep) {
    for (auto& table : items_of(tables)) {
      GError* failure = nullptr;
      tarvex_brevane_supports_database_adapter_fill_meta_table(
          base, reinterpret_cast<MetaTable*>(table.get()), full, &failure);
      if (failure) {
        g_propagate_error(error, failure);
        return;
      }
    }
    for (auto& view : items_of(views)) {
      GError* failure = nullptr;
      tarvex_brevane_supports_database_adapter_fill_meta_view(
          base, reinterpret_cast<TarvexBrevaneMetaModelMetaView*>(view.get()), &failure);
      if (failure) {
        g_propagate_error(error, failure);
        return;
      }
    }
    for (auto& routine : items_of(tarvex_brevane_meta_model_meta_schema_get_routines(schema))) {
      GError* failure = nullptr;
      fill_routine(self, reinterpret_cast<TarvexBrevaneMetaModelMetaRoutine*>(routine.get()),
                   &failure);
      if (failure) {
        g_propagate_error(error, failure);
        return;
      }
    }
  }
  mark_filled(schema);
}

static void fill_meta_synonym(Self* self, TarvexBrevaneMetaModelMetaSynonym* synonym,
                              GError** error) {
  g_return_if_fail(synonym != NULL);
  if (is_filled(synonym)) return;
  const std::string schema = schema_of(synonym), name = name_of(synonym);
  auto rows = sq::run_query(
      connection_of(self),
      sq::format("SELECT sy.base_object_name,CAST(ep.value AS NVARCHAR(MAX)) AS comment FROM "
                 "sys.synonyms sy LEFT JOIN sys.extended_properties ep ON "
                 "ep.major_id=sy.object_id AND ep.minor_id=0 AND ep.name='MS_Description' WHERE "
                 "SCHEMA_NAME(sy.schema_id)=N'%s' AND sy.name=N'%s'",
                 literal_body(schema).c_str(), literal_body(name).c_str()),
      error);
  if (!rows) return;
  if (rows->rows() != 1) {
    g_set_error(error, TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR,
                TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_NOT_FOUND, "Synonym %s.%s not found.",
                bracketed(schema).c_str(), bracketed(name).c_str());
    return;
  }
  tarvex_brevane_meta_model_meta_synonym_set_target(synonym, rows->text(0, 0).c_str());
  if (!rows->is_null(1, 0)) set_comment(synonym, rows->text(1, 0));
  mark_filled(synonym);
}

// ---------------------------------------------------------------------------
// Dispatch by kind.

template <typename T>
static T* as_class(MetaObject* object, GType type) {
  return G_TYPE_CHECK_INSTANCE_TYPE(object, type) ? reinterpret_cast<T*>(object) : nullptr;
}

static void sql_server_adapter_fill_meta_object(Base* base, MetaObject* meta_object, gboolean deep,
                                                gboolean full, GError** error) {
  g_return_if_fail(meta_object != NULL);
  MetaObject* object = meta_object;
  Self* self = reinterpret_cast<Self*>(base);
  switch (tarvex_brevane_meta_model_meta_object_character(object)) {
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_DATABASE:
      tarvex_brevane_supports_database_adapter_fill_meta_database(
          base,
          as_class<TarvexBrevaneMetaModelMetaDatabase>(
              object, tarvex_brevane_meta_model_meta_database_get_type()),
          deep, full, error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EVENT:
      tarvex_brevane_supports_database_adapter_fill_meta_event(
          base,
          as_class<TarvexBrevaneMetaModelMetaEvent>(
              object, tarvex_brevane_meta_model_meta_event_get_type()),
          error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EXTERNAL:
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FUNCTION:
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PROCEDURE:
      // The routine filler itself, not the fill_meta_function slot.
      fill_routine(self,
                   as_class<TarvexBrevaneMetaModelMetaRoutine>(
                       object, tarvex_brevane_meta_model_meta_routine_get_type()),
                   error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROLE:
      fill_role(self,
                as_class<TarvexBrevaneMetaModelMetaRole>(
                    object, tarvex_brevane_meta_model_meta_role_get_type()),
                error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_INDEX:
      tarvex_brevane_supports_database_adapter_fill_meta_index(
          base,
          as_class<TarvexBrevaneMetaModelMetaIndex>(
              object, tarvex_brevane_meta_model_meta_index_get_type()),
          error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SCHEMA:
      tarvex_brevane_supports_database_adapter_fill_meta_schema(
          base, as_class<MetaSchema>(object, tarvex_brevane_meta_model_meta_schema_get_type()),
          deep, full, error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SYNONYM:
      fill_meta_synonym(self,
                        as_class<TarvexBrevaneMetaModelMetaSynonym>(
                            object, tarvex_brevane_meta_model_meta_synonym_get_type()),
                        error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE:
      tarvex_brevane_supports_database_adapter_fill_meta_table(
          base, as_class<MetaTable>(object, tarvex_brevane_meta_model_meta_table_get_type()), full,
          error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TRIGGER:
      tarvex_brevane_supports_database_adapter_fill_meta_trigger(
          base,
          as_class<TarvexBrevaneMetaModelMetaTrigger>(
              object, tarvex_brevane_meta_model_meta_trigger_get_type()),
          error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER: {
      auto* user = as_class<TarvexBrevaneMetaModelMetaUser>(
          object, tarvex_brevane_meta_model_meta_user_get_type());
      const gchar* scope = user ? tarvex_brevane_meta_model_meta_relation_get_scope(
                                      reinterpret_cast<TarvexBrevaneMetaModelMetaRelation*>(user))
                                : nullptr;
      // Logins (scope "server") have a filler of their own.
      if (g_strcmp0(scope, "server") == 0)
        fill_login(self, user, error);
      else
        tarvex_brevane_supports_database_adapter_fill_meta_user(base, user, error);
      break;
    }
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW:
      tarvex_brevane_supports_database_adapter_fill_meta_view(
          base,
          as_class<TarvexBrevaneMetaModelMetaView>(object,
                                                   tarvex_brevane_meta_model_meta_view_get_type()),
          error);
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------

static void tarvex_brevane_supports_database_sql_server_adapter_class_setup(
    TarvexBrevaneSupportsDatabaseSQLServerAdapterClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapterClass*>(klass);
  base->fill_meta_schema = sql_server_adapter_fill_meta_schema;
  base->fill_meta_table = sql_server_adapter_fill_meta_table;
  base->fill_meta_object = sql_server_adapter_fill_meta_object;
  klass->fill_schema_table_trigger = sql_server_adapter_fill_schema_table_trigger;
  klass->fill_schema_table_check = sql_server_adapter_fill_schema_table_check;
  klass->fill_schema_table_unique = sql_server_adapter_fill_schema_table_unique;
  setup_database_fillers(klass);
  setup_object_fillers(klass);
  setup_principal_fillers(klass);
}

Self* tarvex_brevane_supports_database_sql_server_adapter_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection) {
  g_return_val_if_fail(connection != NULL, nullptr);
  return reinterpret_cast<Self*>(
      tarvex_brevane_supports_database_adapter_construct(object_type, connection));
}

Self* tarvex_brevane_supports_database_sql_server_adapter_new(
    TarvexBrevaneContractsDatabaseIConnection* connection) {
  return tarvex_brevane_supports_database_sql_server_adapter_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_ADAPTER, connection);
}

void tarvex_brevane_supports_database_sql_server_adapter_load_relation(
    Self* self, TarvexBrevaneMetaModelMetaUser* user, GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseSQLServerAdapterClass::load_relation>(self, user,
                                                                                        error);
}

#define DEFINE_PART_INVOKER(op)                                                                    \
  MetaTable* tarvex_brevane_supports_database_sql_server_adapter_##op(                             \
      Self* self, MetaTable* table, GError** error) {                                              \
    return tarvex::call_slot<&TarvexBrevaneSupportsDatabaseSQLServerAdapterClass::op>(self, table, \
                                                                                      error);      \
  }

DEFINE_PART_INVOKER(fill_schema_table_trigger)
DEFINE_PART_INVOKER(fill_schema_table_check)
DEFINE_PART_INVOKER(fill_schema_table_unique)

gchar* tarvex_brevane_supports_database_sql_server_adapter_get_type_name(Self* self,
                                                                         const gchar* type) {
  g_return_val_if_fail(self != NULL, nullptr);
  g_return_val_if_fail(type != NULL, nullptr);
  const std::string code = sq::trimmed(type);
  for (const char* c : {"AF", "FN", "FS", "FT", "IF", "TF"})
    if (code == c) return g_strdup("FUNCTION");
  for (const char* c : {"P", "PC", "X", "RF"})
    if (code == c) return g_strdup("PROCEDURE");
  for (const char* c : {"TT", "IT", "U"})
    if (code == c) return g_strdup("TABLE");
  if (code == "V") return g_strdup("VIEW");
  g_message("adapter:1815: %s is unknown", type);
  return g_strdup("");
}
