// SQLServerAdapter: a database's options, comment, file groups, files and
// schemas, filled from scripted catalog answers with the catalog's own cell
// types, on current and version-10 servers.
#include <algorithm>
#include <string>
#include <vector>

#include "brevane/transform/patcher.h"
#include "tests/brevane/database/sqlserver/sql_server_adapter_fill-test.h"

namespace tarvex::test::dialect {
namespace {

using MetaDatabase = TarvexBrevaneMetaModelMetaDatabase;

constexpr const char* kOptions = "FROM sys\\.databases d LEFT JOIN sys\\.server_principals sp";
constexpr const char* kUse = "^use ";
constexpr const char* kComment = "class = 0 AND major_id = 0";
constexpr const char* kGroups = "FROM sys\\.filegroups ORDER BY data_space_id";
constexpr const char* kFiles = "FROM sys\\.database_files df";
constexpr const char* kSchemas = "SELECT SCHEMA_NAME, SCHEMA_OWNER";

const std::vector<tds::Column> kOptionColumns = {{"state_desc", "nvarchar(60)", true},
                                                 {"db_owner", "sysname", true},
                                                 {"user_access_desc", "nvarchar(60)", true},
                                                 {"is_read_only", "bit", true},
                                                 {"collation_name", "sysname", true},
                                                 {"recovery_model_desc", "nvarchar(60)", true},
                                                 {"compatibility_level", "tinyint"},
                                                 {"is_auto_close_on", "bit"},
                                                 {"is_auto_create_stats_on", "bit", true},
                                                 {"is_auto_shrink_on", "bit", true},
                                                 {"is_auto_update_stats_on", "bit", true},
                                                 {"is_auto_update_stats_async_on", "bit", true},
                                                 {"is_cursor_close_on_commit_on", "bit", true},
                                                 {"is_local_cursor_default", "bit", true},
                                                 {"page_verify_option_desc", "nvarchar(60)", true},
                                                 {"is_ansi_null_default_on", "bit", true},
                                                 {"is_ansi_nulls_on", "bit", true},
                                                 {"is_ansi_padding_on", "bit", true},
                                                 {"is_ansi_warnings_on", "bit", true},
                                                 {"is_arithabort_on", "bit", true},
                                                 {"is_concat_null_yields_null_on", "bit", true},
                                                 {"is_numeric_roundabort_on", "bit", true},
                                                 {"is_quoted_identifier_on", "bit", true},
                                                 {"is_recursive_triggers_on", "bit", true},
                                                 {"is_broker_enabled", "bit"},
                                                 {"service_broker_guid", "uniqueidentifier", true},
                                                 {"is_honor_broker_priority_on", "bit", true},
                                                 {"is_db_chaining_on", "bit", true},
                                                 {"is_trustworthy_on", "bit", true},
                                                 {"is_date_correlation_on", "bit"},
                                                 {"is_parameterization_forced", "bit", true},
                                                 {"is_encrypted", "bit", true},
                                                 {"retention_period", "int", true},
                                                 {"retention_period_units", "tinyint", true},
                                                 {"is_auto_cleanup_on", "bit", true}};

std::vector<std::optional<std::string>> option_row(bool tracking) {
  return {"ONLINE",
          "sa",
          "MULTI_USER",
          "0",
          "Latin1_General_CI_AS",
          "FULL",
          "150",
          "0",
          "1",
          "0",
          "1",
          "0",
          "0",
          "1",
          "CHECKSUM",
          "0",
          "1",
          "1",
          "1",
          "1",
          "1",
          "0",
          "1",
          "0",
          "1",
          "6F9619FF-8B86-D011-B42D-00C04FC964FF",
          "0",
          "0",
          "0",
          "0",
          "1",
          "0",
          tracking ? std::optional<std::string>("2") : nullopt,
          tracking ? std::optional<std::string>("3") : nullopt,
          tracking ? std::optional<std::string>("1") : nullopt};
}

const std::vector<tds::Column> kGroupColumns = {{"data_space_id", "int"},
                                                {"filegroup_guid", "uniqueidentifier", true},
                                                {"name", "sysname"},
                                                {"type", "char(2)"},
                                                {"is_default", "bit", true},
                                                {"is_read_only", "bit", true},
                                                {"is_autogrow_all_files", "bit", true}};

const std::vector<tds::Column> kFileColumns = {{"file_guid", "uniqueidentifier", true},
                                               {"file_name", "sysname"},
                                               {"file_type", "nvarchar(60)", true},
                                               {"filegroup_name", "sysname", true},
                                               {"file_path", "nvarchar(260)"},
                                               {"file_state", "tinyint", true},
                                               {"file_size", "int"},
                                               {"file_max_size", "int"},
                                               {"file_growth", "int"},
                                               {"is_percent_growth", "bit"}};

class AdapterDatabaseTest : public AdapterFillTest {
 protected:
  // A database with a primary group, a user group "FS" and a FILESTREAM
  // group "FSG" (whose name holds the other's), their files and a log.
  void script(bool tracking = true, bool autogrow = true) {
    server_.on_pattern(kOptions).result(kOptionColumns).row(option_row(tracking));
    server_.on_pattern(kUse).done();
    server_.on_pattern(kComment).result({{"comment", "nvarchar(max)", true}}).row({"Shop data ☕"});
    auto grow = [&](const char* v) {
      return autogrow ? std::optional<std::string>(v) : std::optional<std::string>();
    };
    auto& groups = server_.on_pattern(kGroups).result(kGroupColumns);
    groups.row({"1", nullopt, "PRIMARY", "FG", "1", "0", grow("0")})
        .row({"2", "0E984725-C51C-4BF4-9960-E1C80E27ABA0", "FS", "FG", "0", "0", grow("1")})
        .row({"3", "1E984725-C51C-4BF4-9960-E1C80E27ABA1", "FSG", "FD", "0", "0", grow("0")});
    server_.on_pattern(kFiles)
        .result(kFileColumns)
        .row({"AAAAAAAA-0000-0000-0000-000000000001", "Shop", "ROWS", "PRIMARY",
              "C:\\data\\Shop.mdf", "0", "1024", "-1", "128", "0"})
        .row({"AAAAAAAA-0000-0000-0000-000000000002", "Shop_fs", "ROWS", "FS",
              "C:\\data\\Shop_fs.ndf", "0", "512", "262144", "10", "1"})
        .row({"AAAAAAAA-0000-0000-0000-000000000003", "Shop_stream", "FILESTREAM", "FSG",
              "C:\\data\\stream", "0", "0", "-1", "0", "0"})
        .row({"AAAAAAAA-0000-0000-0000-000000000004", "Shop_log", "LOG", nullopt,
              "C:\\data\\Shop_log.ldf", "0", "256", "268435456", "10", "1"})
        // Databases made by old versions have files without a guid.
        .row({nullopt, "old_a", "ROWS", "FS", "C:\\data\\a.ndf", "0", "8", "-1", "8", "0"})
        .row({nullopt, "old_b", "ROWS", "FS", "C:\\data\\b.ndf", "0", "8", "-1", "8", "0"});
    server_.on_pattern(kSchemas)
        .result({{"SCHEMA_NAME", "nvarchar(128)", true},
                 {"SCHEMA_OWNER", "nvarchar(128)", true},
                 {"DEFAULT_CHARACTER_SET_NAME", "nvarchar(128)", true}})
        .row({"dbo", "dbo", "iso_1"})
        .row({"db_x", "dbo", "iso_1"})
        .row({"sales", "bob", "iso_1"});
  }

  GRef<MetaDatabase> database(const char* name = "Shop") {
    auto db = adoptGRef(tarvex_brevane_meta_model_meta_database_new());
    tarvex_brevane_meta_model_meta_object_set_name(META(db.get()), name);
    return db;
  }

  std::vector<std::string> keys_with(gpointer object, const std::string& prefix) {
    std::vector<std::string> keys;
    GeeHashMap* map = tarvex_brevane_meta_model_meta_object_get_attributes(META(object));
    GeeMapIterator* it = gee_abstract_map_map_iterator(GEE_ABSTRACT_MAP(map));
    while (gee_map_iterator_next(it)) {
      std::string key = take(static_cast<gchar*>(gee_map_iterator_get_key(it)));
      if (key.rfind(prefix, 0) == 0) keys.push_back(key);
    }
    g_object_unref(it);
    std::sort(keys.begin(), keys.end());
    return keys;
  }
};

TEST_F(AdapterDatabaseTest, OptionsFilesGroupsAndSchemas) {
  open();
  script();
  auto db = database();
  ASSERT_EQ(fill(db.get()), nullptr);
  EXPECT_TRUE(is_filled(db.get()));

  const struct {
    const char* key;
    const char* value;
  } options[] = {{"STATE", "ONLINE"},
                 {"OWNER", "sa"},
                 {"USER_ACCESS", "MULTI_USER"},
                 {"READ_ONLY", "false"},
                 {"COLLATE", "Latin1_General_CI_AS"},
                 {"RECOVERY", "FULL"},
                 {"COMPATIBILITY_LEVEL", "150"},
                 {"AUTO_CLOSE", "false"},
                 {"AUTO_CREATE_STATISTICS", "true"},
                 {"CURSOR_DEFAULT", "true"},
                 {"PAGE_VERIFY", "CHECKSUM"},
                 {"ANSI_NULLS", "true"},
                 {"NUMERIC_ROUNDABORT", "false"},
                 {"ENABLE_BROKER", "true"},
                 {"HONOR_BROKER_PRIORITY", "false"},
                 {"PARAMETERIZATION", "true"},
                 {"ENCRYPTION", "false"},
                 {"CHANGE_TRACKING", "true"},
                 {"CHANGE_RETENTION", "2"},
                 {"CHANGE_RETENTION_UNIT", "3"},
                 {"AUTO_CLEANUP", "true"}};
  for (const auto& o : options) EXPECT_EQ(attr(db.get(), o.key), o.value) << o.key;
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(db.get())), "Shop data ☕");

  // The primary group is keyed by its name, the others by their guid.
  EXPECT_EQ(attr(db.get(), "GROUP.PRIMARY"),
            "NAME=PRIMARY,TYPE=FG,PRIMARY=true,DEFAULT=true,READONLY=false,AUTOGROW=false");
  EXPECT_EQ(attr(db.get(), "GROUP.0E984725-C51C-4BF4-9960-E1C80E27ABA0"),
            "NAME=FS,TYPE=FG,PRIMARY=false,DEFAULT=false,READONLY=false,AUTOGROW=true");
  EXPECT_EQ(attr(db.get(), "GROUP.1E984725-C51C-4BF4-9960-E1C80E27ABA1"),
            "NAME=FSG,TYPE=FD,PRIMARY=false,DEFAULT=false,READONLY=false,AUTOGROW=false");
  // A file of group FS is no FILESTREAM file, though FS is part of FSG.
  EXPECT_EQ(attr(db.get(), "FILE.AAAAAAAA-0000-0000-0000-000000000002"),
            "NAME=Shop_fs,TYPE=ROWS,GROUP=FS,FILENAME=C:\\data\\Shop_fs.ndf,SIZE=512,"
            "MAXSIZE=262144,FILEGROWTH=10%");
  EXPECT_EQ(attr(db.get(), "FILE.AAAAAAAA-0000-0000-0000-000000000003"),
            "NAME=Shop_stream,TYPE=FILESTREAM,GROUP=FSG,FILENAME=C:\\data\\stream");
  EXPECT_EQ(attr(db.get(), "FILE.AAAAAAAA-0000-0000-0000-000000000004"),
            "NAME=Shop_log,TYPE=LOG,GROUP=,FILENAME=C:\\data\\Shop_log.ldf,SIZE=256,"
            "MAXSIZE=268435456,FILEGROWTH=10%");
  EXPECT_EQ(attr(db.get(), "FILE.AAAAAAAA-0000-0000-0000-000000000001"),
            "NAME=Shop,TYPE=ROWS,GROUP=PRIMARY,FILENAME=C:\\data\\Shop.mdf,SIZE=1024,MAXSIZE=-1,"
            "FILEGROWTH=128");
  // Files without a guid do not hide each other.
  EXPECT_EQ(keys_with(db.get(), "FILE.").size(), 6u);

  // Schemas listed, not filled; the fixed-role schemas are left out by id.
  GeeArrayList* schemas = tarvex_brevane_meta_model_meta_database_get_schemas(db.get());
  ASSERT_EQ(size_of(schemas), 3);
  auto sales = item<TarvexBrevaneMetaModelMetaSchema>(schemas, 2);
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_name(META(sales.get())), "sales");
  EXPECT_FALSE(is_filled(sales.get()));
  EXPECT_NE(sent_with("INFORMATION_SCHEMA.SCHEMATA").find("NOT BETWEEN 16384 AND 16399"),
            std::string::npos);
  EXPECT_EQ(sent_with("INFORMATION_SCHEMA.SCHEMATA").find("LIKE"), std::string::npos);
  EXPECT_EQ(sent_with("use "), "use [Shop]");

  const std::string text = build(db.get());
  expect_valid_tsql(text, "database");
}

TEST_F(AdapterDatabaseTest, TwoFillsGiveEqualObjects) {
  open();
  script();
  auto first = database();
  auto second = database();
  ASSERT_EQ(fill(first.get()), nullptr);
  ASSERT_EQ(fill(second.get()), nullptr);
  EXPECT_EQ(json_of(first.get()), json_of(second.get()));
  EXPECT_EQ(keys_with(first.get(), "GROUP."), keys_with(second.get(), "GROUP."));
  EXPECT_EQ(keys_with(first.get(), "GROUP.").size(), 3u);
  // The diff engine finds nothing to patch between them.
  auto patcher = adoptGRef(tarvex_brevane_transform_patcher_new());
  TarvexBrevaneMetaModelMetaDatabase* patched = nullptr;
  EXPECT_EQ(tarvex_brevane_transform_patcher_diff_meta_database(patcher.get(), first.get(),
                                                                second.get(), TRUE, &patched),
            1);
  EXPECT_EQ(patched, nullptr);
  if (patched) g_object_unref(patched);

  // Filled once: a second fill asks nothing until a reset.
  mark();
  ASSERT_EQ(fill(first.get()), nullptr);
  EXPECT_TRUE(sent().empty());
}

TEST_F(AdapterDatabaseTest, WithoutChangeTrackingAndDeep) {
  open();
  script(false);
  server_.on_pattern("INFORMATION_SCHEMA\\.SCHEMATA WHERE SCHEMA_NAME = ")
      .result({{"SCHEMA_OWNER", "nvarchar(128)", true},
               {"DEFAULT_CHARACTER_SET_NAME", "nvarchar(128)", true}})
      .row({"dbo", "iso_1"});
  server_.on_pattern("class_desc='SCHEMA'").result({{"value", "nvarchar(max)", true}});
  server_.on_pattern("type in \\('U', 'V', 'IT', 'S'\\)")
      .result({{"name", "sysname"}, {"type", "char(2)"}});
  auto db = database("Sh]op");
  ASSERT_EQ(fill(db.get(), true, false), nullptr);
  EXPECT_EQ(attr(db.get(), "CHANGE_TRACKING"), "false");
  for (const char* key : {"CHANGE_RETENTION", "CHANGE_RETENTION_UNIT", "AUTO_CLEANUP"})
    EXPECT_FALSE(has_attr(db.get(), key)) << key;
  // The name switched to is bracketed; the options query names it as N'...'.
  EXPECT_EQ(sent_with("use "), "use [Sh]]op]");
  EXPECT_NE(sent_with("sys.databases d").find("d.name=N'Sh]op'"), std::string::npos);
  GeeArrayList* schemas = tarvex_brevane_meta_model_meta_database_get_schemas(db.get());
  ASSERT_EQ(size_of(schemas), 3);
  for (int i = 0; i < 3; i++)
    EXPECT_TRUE(is_filled(item<TarvexBrevaneMetaModelMetaSchema>(schemas, i).get())) << i;
}

TEST_F(AdapterDatabaseTest, MissingAndFailing) {
  open();
  server_.on_pattern(kOptions).result(kOptionColumns);
  auto gone = database("Gone");
  expect_not_found(fill(gone.get()), "Database [Gone] not found.");
  EXPECT_FALSE(is_filled(gone.get()));
  EXPECT_TRUE(sent_with("use ").empty());

  for (const char* failing : {kOptions, kUse, kGroups, kFiles, kSchemas}) {
    SCOPED_TRACE(failing);
    script();
    server_.on_pattern(failing).error(916, 14, "The server principal is not able to access it.");
    auto db = database();
    expect_query_error(fill(db.get()), "not able to access");
    EXPECT_FALSE(is_filled(db.get()));
  }
}

TEST_F(AdapterDatabaseTest, Version10HasNoGroupAutogrowth) {
  for (const char* version : {"10.50.6000.34", "9.00.5000.00"}) {
    SCOPED_TRACE(version);
    server_.clear_rules();
    open(version);
    ASSERT_TRUE(TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_ADAPTER_V10X(adapter().get()));
    script(std::string(version).rfind("10", 0) == 0, false);
    auto db = database();
    ASSERT_EQ(fill(db.get()), nullptr);
    EXPECT_EQ(attr(db.get(), "GROUP.PRIMARY"),
              "NAME=PRIMARY,TYPE=FG,PRIMARY=true,DEFAULT=true,READONLY=false");
    EXPECT_NE(sent_with("sys.filegroups ORDER").find("NULL AS is_autogrow_all_files"),
              std::string::npos);
    const std::string options = sent_with("FROM sys.databases d");
    const bool v9 = std::string(version).rfind("9", 0) == 0;
    EXPECT_EQ(options.find("change_tracking_databases") == std::string::npos, v9) << options;
    EXPECT_EQ(options.find("NULL AS is_encrypted") != std::string::npos, v9) << options;
    expect_valid_tsql(build(db.get()), version);
  }
}

}  // namespace
}  // namespace tarvex::test::dialect
