// The SQL Server adapter's database filler: options, comment, file groups,
// files and schemas of one database.
#include <set>
#include <string>
#include <vector>

#include "brevane/database/sqlserver/sql_server_adapter-private.h"

using namespace tarvex;
using namespace tarvex::dialect::adapter;

using MetaDatabase = TarvexBrevaneMetaModelMetaDatabase;

namespace {

// Options of the first query, in column order from column 0.
const char* const kOptions[] = {"STATE",
                                "OWNER",
                                "USER_ACCESS",
                                "READ_ONLY",
                                "COLLATE",
                                "RECOVERY",
                                "COMPATIBILITY_LEVEL",
                                "AUTO_CLOSE",
                                "AUTO_CREATE_STATISTICS",
                                "AUTO_SHRINK",
                                "AUTO_UPDATE_STATISTICS",
                                "AUTO_UPDATE_STATISTICS_ASYNC",
                                "CURSOR_CLOSE_ON_COMMIT",
                                "CURSOR_DEFAULT",
                                "PAGE_VERIFY",
                                "ANSI_NULL_DEFAULT",
                                "ANSI_NULLS",
                                "ANSI_PADDING",
                                "ANSI_WARNINGS",
                                "ARITHABORT",
                                "CONCAT_NULL_YIELDS_NULL",
                                "NUMERIC_ROUNDABORT",
                                "QUOTED_IDENTIFIER",
                                "RECURSIVE_TRIGGERS",
                                "ENABLE_BROKER",
                                nullptr,  // service_broker_guid, not read
                                "HONOR_BROKER_PRIORITY",
                                "DB_CHAINING",
                                "TRUSTWORTHY",
                                "DATE_CORRELATION_OPTIMIZATION",
                                "PARAMETERIZATION",
                                "ENCRYPTION"};
constexpr int kRetention = 32;  // ct.retention_period, then its unit and auto cleanup

std::string options_query(int major, const std::string& name) {
  // Change tracking, broker priority and encryption came with version 10.
  const bool v10 = major >= 10;
  return dialect::format(
      "SELECT d.state_desc,sp.name db_owner,d.user_access_desc,d.is_read_only,d.collation_name,"
      "d.recovery_model_desc,d.compatibility_level,d.is_auto_close_on,d.is_auto_create_stats_on,"
      "d.is_auto_shrink_on,d.is_auto_update_stats_on,d.is_auto_update_stats_async_on,"
      "d.is_cursor_close_on_commit_on,d.is_local_cursor_default,d.page_verify_option_desc,"
      "d.is_ansi_null_default_on,d.is_ansi_nulls_on,d.is_ansi_padding_on,d.is_ansi_warnings_on,"
      "d.is_arithabort_on,d.is_concat_null_yields_null_on,d.is_numeric_roundabort_on,"
      "d.is_quoted_identifier_on,d.is_recursive_triggers_on,d.is_broker_enabled,"
      "d.service_broker_guid,%s,d.is_db_chaining_on,d.is_trustworthy_on,"
      "d.is_date_correlation_on,d.is_parameterization_forced,%s,%s FROM sys.databases d LEFT "
      "JOIN sys.server_principals sp ON d.owner_sid=sp.sid %s WHERE d.name=N'%s'",
      column_since(major, 10, "d.is_honor_broker_priority_on", "is_honor_broker_priority_on")
          .c_str(),
      column_since(major, 10, "d.is_encrypted", "is_encrypted").c_str(),
      v10 ? "ct.retention_period,ct.retention_period_units,ct.is_auto_cleanup_on"
          : "NULL AS retention_period,NULL AS retention_period_units,NULL AS is_auto_cleanup_on",
      v10 ? "LEFT JOIN sys.change_tracking_databases ct ON d.database_id=ct.database_id" : "",
      sql::literal_body(name).c_str());
}

}  // namespace

namespace tarvex::dialect::adapter {

void fill_database(Self* self, MetaDatabase* database, gboolean deep, gboolean full,
                   GError** error) {
  g_return_if_fail(database != NULL);
  if (is_filled(database)) return;
  auto* connection = connection_of(self);
  const int major = major_of(self);
  const std::string name = name_of(database);

  auto options = dialect::run_query(connection, options_query(major, name), error);
  if (!options) return;
  if (options->rows() == 0) {
    not_found(error, "Database %s not found.", sql::bracketed(name).c_str());
    return;
  }
  for (int column = 0; column < int(G_N_ELEMENTS(kOptions)); column++)
    if (kOptions[column]) set_attribute(database, kOptions[column], options->text(column, 0));
  if (options->is_null(kRetention, 0)) {
    set_attribute(database, "CHANGE_TRACKING", "false");
  } else {
    set_attribute(database, "CHANGE_TRACKING", "true");
    set_attribute(database, "CHANGE_RETENTION", options->text(kRetention, 0));
    set_attribute(database, "CHANGE_RETENTION_UNIT", options->text(kRetention + 1, 0));
    set_attribute(database, "AUTO_CLEANUP", options->text(kRetention + 2, 0));
  }

  // The catalog views below answer for the current database. The
  // connection stays on it after the fill.
  GError* failure = nullptr;
  tarvex_brevane_contracts_database_iconnection_execute_no_query(
      connection, ("use " + sql::bracketed(name)).c_str(), 0, &failure);
  if (failure) {
    g_propagate_error(error, failure);
    return;
  }

  auto comment = dialect::run_query(connection,
                                    "SELECT CAST(value AS NVARCHAR(MAX)) comment FROM "
                                    "sys.extended_properties WHERE class = 0 AND major_id = 0 AND "
                                    "name = 'MS_Description'",
                                    error);
  if (!comment) return;
  if (comment->rows() > 0) set_comment(database, comment->text(0, 0));

  // Autogrowth of all files of a group came with version 13; before it a
  // group had no such option, and none is written.
  const bool autogrow = major >= 13;
  auto groups = dialect::run_query(
      connection,
      dialect::format(
          "SELECT data_space_id,filegroup_guid, name, type, is_default, is_read_only,%s "
          "FROM sys.filegroups ORDER BY data_space_id ASC",
          column_since(major, 13, "is_autogrow_all_files", "is_autogrow_all_files").c_str()),
      error);
  if (!groups) return;
  std::set<std::string> filestream;
  for (int i = 0; i < groups->rows(); i++) {
    const std::string group = groups->text(2, i);
    const std::string type = text::trim(groups->text(3, i));
    // The primary group has no guid: its name keys it, the same on every
    // fill.
    const bool primary = groups->is_null(1, i);
    const std::string key = "GROUP." + (primary ? group : groups->text(1, i));
    std::string value = "NAME=" + group + ",TYPE=" + type +
                        ",PRIMARY=" + (primary ? "true" : "false") +
                        ",DEFAULT=" + groups->text(4, i) + ",READONLY=" + groups->text(5, i);
    if (autogrow) value += ",AUTOGROW=" + groups->text(6, i);
    set_attribute(database, key.c_str(), value);
    if (type == "FD") filestream.insert(group);
  }

  auto files = dialect::run_query(
      connection,
      "SELECT df.file_guid, df.name file_name, df.type_desc file_type, f.name filegroup_name, "
      "df.physical_name file_path, df.state file_state, df.size file_size, df.max_size "
      "file_max_size, df.growth file_growth, df.is_percent_growth FROM sys.database_files df "
      "LEFT JOIN sys.filegroups f ON df.data_space_id = f.data_space_id ORDER BY df.name, f.name",
      error);
  if (!files) return;
  for (int i = 0; i < files->rows(); i++) {
    const std::string file = files->text(1, i);
    // Files of databases made by old versions have no guid: their name keys
    // them, so that no file hides another.
    const std::string key = "FILE." + (files->is_null(0, i) ? file : files->text(0, i));
    const std::string group = files->text(3, i);
    std::string value = "NAME=" + file + ",TYPE=" + files->text(2, i) + ",GROUP=" + group +
                        ",FILENAME=" + files->text(4, i);
    // Sizes of a FILESTREAM container are no sizes of pages.
    if (!filestream.count(group)) {
      value += ",SIZE=" + files->text(6, i) + ",MAXSIZE=" + files->text(7, i) +
               ",FILEGROWTH=" + files->text(8, i) + (files->flag(9, i) ? "%" : "");
    }
    set_attribute(database, key.c_str(), value);
  }

  // The fixed database-role schemas (db_owner ... db_denydatareader) have
  // the ids 16384 to 16399; a user schema named db_x is listed.
  auto schemas =
      dialect::run_query(connection,
                         "SELECT SCHEMA_NAME, SCHEMA_OWNER, DEFAULT_CHARACTER_SET_NAME FROM "
                         "INFORMATION_SCHEMA.SCHEMATA WHERE SCHEMA_ID(SCHEMA_NAME) NOT "
                         "BETWEEN 16384 AND 16399;",
                         error);
  if (!schemas) return;
  for (int i = 0; i < schemas->rows(); i++) {
    GRef<TarvexBrevaneMetaModelMetaSchema> schema = GRef<TarvexBrevaneMetaModelMetaSchema>::adopt(
        tarvex_brevane_meta_model_meta_database_append(database, schemas->text(0, i).c_str()));
    (void)schema;
  }

  if (deep) {
    GeeArrayList* list = tarvex_brevane_meta_model_meta_database_get_schemas(database);
    const int count = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
    for (int i = 0; i < count; i++) {
      auto schema = GRef<TarvexBrevaneMetaModelMetaSchema>::adopt(
          static_cast<TarvexBrevaneMetaModelMetaSchema*>(
              gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i)));
      tarvex_brevane_supports_database_adapter_fill_meta_schema(reinterpret_cast<Base*>(self),
                                                                schema.get(), deep, full, &failure);
      if (failure) {
        g_propagate_error(error, failure);
        return;
      }
    }
  }
  mark_filled(database);
}

}  // namespace tarvex::dialect::adapter

static void sql_server_adapter_fill_meta_database(Base* base, MetaDatabase* database, gboolean deep,
                                                  gboolean full, GError** error) {
  fill_database(reinterpret_cast<Self*>(base), database, deep, full, error);
}

namespace tarvex::dialect::adapter {

void setup_database_fillers(TarvexBrevaneSupportsDatabaseSQLServerAdapterClass* klass) {
  reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapterClass*>(klass)->fill_meta_database =
      sql_server_adapter_fill_meta_database;
}

}  // namespace tarvex::dialect::adapter
