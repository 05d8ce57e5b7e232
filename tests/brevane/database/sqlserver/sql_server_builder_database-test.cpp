// Databases of the SQL Server builder: CREATE DATABASE with files, file
// groups and options, and ALTER DATABASE from change records built by hand.
#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "tests/brevane/database/sqlserver/builder-test.h"

namespace tarvex::test {
namespace {

using Database = TarvexBrevaneMetaModelMetaDatabase;

using enum tarvex::meta::ChangeCode;

class DatabaseBuilderTest : public OfflineBuilderTest {
 protected:
  std::string create(Database* db) {
    return take(tarvex_brevane_contracts_database_ibuildable_build_create(
        TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE(builder.get()), META(db), FALSE));
  }
  std::string patch(Database* db) {
    return take(
        tarvex_brevane_supports_database_sql_server_builder_patch_database(builder.get(), db));
  }
};

GRef<Database> database(const char* name) {
  return adoptGRef(tarvex_brevane_meta_model_meta_database_new_with_name(name));
}

TEST_F(DatabaseBuilderTest, FileSizes) {
  struct Case {
    const char* spec;
    const char* expected;
  } cases[] = {
      {"SIZE=1024", "SIZE = 8MB"},
      {"SIZE=1", "SIZE = 8KB"},
      {"SIZE=100", "SIZE = 800KB"},
      {"SIZE=129", "SIZE = 1032KB"},
      {"SIZE=131072", "SIZE = 1GB"},
      {"SIZE=134217728", "SIZE = 1TB"},
      {"SIZE=0", "SIZE = 0KB"},
      {"SIZE=abc", "SIZE = 0KB"},
      {"MAXSIZE=-1", "MAXSIZE = UNLIMITED"},
      {"MAXSIZE=1280", "MAXSIZE = 10MB"},
      {"FILEGROWTH=10%", "FILEGROWTH = 10%"},
      {"FILEGROWTH=128", "FILEGROWTH = 1MB"},
      {"FILEGROWTH=0", "FILEGROWTH = 0KB"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tarvex::dialect::build_file_sql(c.spec, ""),
              std::string("(\n  ") + c.expected + "\n)")
        << c.spec;
  EXPECT_EQ(tarvex::dialect::build_file_sql("NAME=n'1,FILENAME=C:\\d's.mdf", "old]"),
            "(\n  NAME = N'old]',\n  NEWNAME = N'n''1',\n  FILENAME = N'C:\\d''s.mdf'\n)");
}

TEST_F(DatabaseBuilderTest, CreateWithFilesGroupsAndOptions) {
  struct Names {
    const char* db;
    const char* bracketed;
    const char* file;
    const char* file_literal;
  } names[] = {
      {"d", "[d]", "d_data", "N'd_data'"},
      {"d]b '\xC3\xBC'", "[d]]b '\xC3\xBC']", "f'1", "N'f''1'"},
  };
  std::vector<TsqlText> all;
  for (const auto& n : names) {
    auto db = database(n.db);
    const std::string b = n.bracketed;
    set_attr(db.get(), "FILE.1",
             (std::string("NAME=") + n.file +
              ",TYPE=ROWS,GROUP=PRIMARY,FILENAME=C:\\d.mdf,SIZE=1024,MAXSIZE=-1,"
              "FILEGROWTH=10%")
                 .c_str());
    set_attr(
        db.get(), "FILE.2",
        "NAME=d_log,TYPE=LOG,GROUP=,FILENAME=C:\\d.ldf,SIZE=100,MAXSIZE=262144,FILEGROWTH=128");
    set_attr(db.get(), "FILE.3", "NAME=g1,TYPE=ROWS,GROUP=g,FILENAME=C:\\g1.ndf,SIZE=128");
    set_attr(db.get(), "FILE.4", "NAME=g2,TYPE=ROWS,GROUP=g,FILENAME=C:\\g2.ndf,SIZE=128");
    set_attr(db.get(), "FILE.5", "NAME=blobs,TYPE=FILESTREAM,GROUP=fs,FILENAME=C:\\fs");
    set_attr(db.get(), "GROUP.PRIMARY",
             "NAME=PRIMARY,TYPE=FG,PRIMARY=true,DEFAULT=false,READONLY=false,AUTOGROW=true");
    set_attr(db.get(), "GROUP.a",
             "NAME=g,TYPE=FG,PRIMARY=false,DEFAULT=true,READONLY=false,AUTOGROW=false");
    set_attr(db.get(), "GROUP.b", "NAME=fs,TYPE=FD,PRIMARY=false,DEFAULT=false,READONLY=false");
    set_attr(db.get(), "GROUP.c", "NAME=empty,TYPE=FG,PRIMARY=false,DEFAULT=false,READONLY=true");
    set_attr(db.get(), "COLLATE", "Latin1_General_CI_AS");
    set_attr(db.get(), "RECOVERY", "SIMPLE");
    set_attr(db.get(), "AUTO_CLOSE", "true");
    set_attr(db.get(), "AUTO_CREATE_STATISTICS", "false");
    set_attr(db.get(), "AUTO_UPDATE_STATISTICS", "true");
    set_attr(db.get(), "ANSI_NULLS", "false");
    set_attr(db.get(), "CHANGE_TRACKING", "true");
    set_attr(db.get(), "CHANGE_RETENTION", "3");
    set_attr(db.get(), "CHANGE_RETENTION_UNIT", "3");
    set_attr(db.get(), "AUTO_CLEANUP", "true");
    set_attr(db.get(), "OWNER", "o'wner");
    set_attr(db.get(), "READ_ONLY", "true");
    set_attr(db.get(), "STATE", "OFFLINE");
    set_attr(db.get(), "USER_ACCESS", "SINGLE_USER");
    tarvex_brevane_meta_model_meta_object_set_comment(META(db.get()), "it's");
    const std::string text = create(db.get());
    EXPECT_EQ(text,
              "CREATE DATABASE " + b +
                  " ON\n"
                  "PRIMARY\n"
                  "(\n  NAME = " +
                  n.file_literal +
                  ",\n  FILENAME = N'C:\\d.mdf',\n  SIZE = 8MB,\n  MAXSIZE = UNLIMITED,\n"
                  "  FILEGROWTH = 10%\n),\n"
                  "FILEGROUP [g]\n"
                  "(\n  NAME = N'g1',\n  FILENAME = N'C:\\g1.ndf',\n  SIZE = 1MB\n),\n"
                  "(\n  NAME = N'g2',\n  FILENAME = N'C:\\g2.ndf',\n  SIZE = 1MB\n),\n"
                  "FILEGROUP [fs] CONTAINS FILESTREAM\n"
                  "(\n  NAME = N'blobs',\n  FILENAME = N'C:\\fs'\n)\n"
                  "LOG ON\n"
                  "(\n  NAME = N'd_log',\n  FILENAME = N'C:\\d.ldf',\n  SIZE = 800KB,\n"
                  "  MAXSIZE = 2GB,\n  FILEGROWTH = 1MB\n)\n"
                  "COLLATE Latin1_General_CI_AS;\n"
                  "ALTER DATABASE " +
                  b + " MODIFY FILEGROUP [g] DEFAULT;\n" + "ALTER DATABASE " + b +
                  " MODIFY FILEGROUP [g] AUTOGROW_SINGLE_FILE;\n" + "ALTER DATABASE " + b +
                  " ADD FILEGROUP [empty];\n" + "ALTER DATABASE " + b + " SET RECOVERY SIMPLE;\n" +
                  "ALTER DATABASE " + b + " SET AUTO_CLOSE ON;\n" + "ALTER DATABASE " + b +
                  " SET AUTO_CREATE_STATISTICS OFF;\n" + "ALTER DATABASE " + b +
                  " SET CHANGE_TRACKING = ON (CHANGE_RETENTION = 3 DAYS, AUTO_CLEANUP = ON);\n" +
                  "EXEC " + b + ".dbo.sp_changedbowner N'o''wner';\n" + "EXEC " + b +
                  ".sys.sp_addextendedproperty 'MS_Description', N'it''s', NULL, NULL, NULL, "
                  "NULL, NULL, NULL;\n" +
                  "ALTER DATABASE " + b + " SET SINGLE_USER WITH NO_WAIT;\n" + "ALTER DATABASE " +
                  b + " SET READ_ONLY WITH NO_WAIT;\n" + "ALTER DATABASE " + b +
                  " SET OFFLINE WITH NO_WAIT;\n");
    all.push_back({b, text});
  }
  expect_valid_tsql(all);
}

TEST_F(DatabaseBuilderTest, CreateWithDefaultsOnly) {
  auto db = database("d");
  EXPECT_EQ(create(db.get()), "CREATE DATABASE [d];\n");
  for (const char* key :
       {"AUTO_CLOSE", "ANSI_NULLS", "TRUSTWORTHY", "READ_ONLY", "CHANGE_TRACKING"})
    set_attr(db.get(), key, "false");
  for (const char* key : {"AUTO_CREATE_STATISTICS", "AUTO_UPDATE_STATISTICS"})
    set_attr(db.get(), key, "true");
  set_attr(db.get(), "STATE", "ONLINE");
  set_attr(db.get(), "USER_ACCESS", "MULTI_USER");
  set_attr(db.get(), "PAGE_VERIFY", "CHECKSUM");
  // A file specification without GROUP belongs to the primary group.
  set_attr(db.get(), "FILE.x", "NAME=only,FILENAME=C:\\o.mdf");
  // Keywords that are not keywords of the option are not written.
  set_attr(db.get(), "RECOVERY", "FULL; DROP DATABASE x");
  set_attr(db.get(), "COLLATE", "x; DROP DATABASE y");
  const std::string text = create(db.get());
  EXPECT_EQ(
      text,
      "CREATE DATABASE [d] ON\nPRIMARY\n(\n  NAME = N'only',\n  FILENAME = N'C:\\o.mdf'\n);\n");
  expect_valid_tsql(text, "defaults");
}

TEST_F(DatabaseBuilderTest, PatchOrder) {
  auto db = database("new'db");
  const std::string b = "[new'db]";
  auto change = [&](const char* path, int code, const char* old_value = nullptr) {
    set_diff(db.get(), path, code);
    if (old_value)
      tarvex_brevane_meta_model_meta_object_append_slice(META(db.get()), path, old_value);
  };
  change("name", kChanged, "old]db");
  set_attr(db.get(), "GROUP.n", "NAME=newgroup,TYPE=FG,DEFAULT=true,READONLY=false");
  change("attributes.GROUP.n", kCreated);
  change("attributes.GROUP.o", kDropped, "NAME=oldgroup,TYPE=FG");
  set_attr(db.get(), "GROUP.r", "NAME=ro,TYPE=FG,DEFAULT=false,READONLY=true");
  change("attributes.GROUP.r", kChanged, "NAME=ro,TYPE=FG,DEFAULT=false,READONLY=false");
  set_attr(db.get(), "FILE.a", "NAME=a1,TYPE=ROWS,GROUP=newgroup,FILENAME=C:\\a1.ndf,SIZE=256");
  change("attributes.FILE.a", kCreated);
  set_attr(db.get(), "FILE.l", "NAME=log2,TYPE=LOG,GROUP=,FILENAME=C:\\l2.ldf,SIZE=128");
  change("attributes.FILE.l", kCreated);
  set_attr(db.get(), "FILE.m",
           "NAME=m2,TYPE=ROWS,GROUP=ro,FILENAME=C:\\m.ndf,SIZE=2048,MAXSIZE=-1,FILEGROWTH=10%");
  change("attributes.FILE.m", kChanged,
         "NAME=m1,TYPE=ROWS,GROUP=ro,FILENAME=C:\\m.ndf,SIZE=1024,MAXSIZE=-1,FILEGROWTH=10%");
  change("attributes.FILE.x", kDropped, "NAME=gone,TYPE=ROWS,GROUP=oldgroup,FILENAME=C:\\x.ndf");
  set_attr(db.get(), "STATE", "OFFLINE");
  change("attributes.STATE", kChanged);
  set_attr(db.get(), "READ_ONLY", "false");
  change("attributes.READ_ONLY", kChanged);
  set_attr(db.get(), "ANSI_NULLS", "true");
  change("attributes.ANSI_NULLS", kChanged);
  set_attr(db.get(), "CHANGE_TRACKING", "true");
  set_attr(db.get(), "CHANGE_RETENTION", "90");
  set_attr(db.get(), "CHANGE_RETENTION_UNIT", "1");
  change("attributes.CHANGE_RETENTION_UNIT", kChanged);
  set_attr(db.get(), "COLLATE", "Latin1_General_BIN2");
  change("attributes.COLLATE", kChanged);
  tarvex_brevane_meta_model_meta_object_set_comment(META(db.get()), "");
  change("comment", kChanged);

  const std::string text = patch(db.get());
  const std::string h = "ALTER DATABASE " + b + " ";
  EXPECT_EQ(
      text,
      "ALTER DATABASE [old]]db] MODIFY NAME = " + b + ";\n" + h + "ADD FILEGROUP [newgroup];\n" +
          h +
          "ADD FILE (\n  NAME = N'a1',\n  FILENAME = N'C:\\a1.ndf',\n  SIZE = 2MB\n) TO FILEGROUP "
          "[newgroup];\n" +
          h + "ADD LOG FILE (\n  NAME = N'log2',\n  FILENAME = N'C:\\l2.ldf',\n  SIZE = 1MB\n);\n" +
          h + "MODIFY FILE (NAME = N'm1', NEWNAME = N'm2');\n" + h +
          "MODIFY FILE (NAME = N'm2', SIZE = 16MB);\n" + h + "REMOVE FILE [gone];\n" + h +
          "REMOVE FILEGROUP [oldgroup];\n" + h + "MODIFY FILEGROUP [newgroup] DEFAULT;\n" + h +
          "MODIFY FILEGROUP [ro] READ_ONLY;\n" + h + "COLLATE Latin1_General_BIN2;\n" + h +
          "SET ANSI_NULLS ON;\n" + h +
          "SET CHANGE_TRACKING = ON (CHANGE_RETENTION = 90 MINUTES, AUTO_CLEANUP = OFF);\n" +
          "EXEC " + b +
          ".sys.sp_dropextendedproperty 'MS_Description', NULL, NULL, NULL, NULL, NULL, NULL;\n" +
          h + "SET READ_WRITE WITH NO_WAIT;\n" + h + "SET OFFLINE WITH NO_WAIT;\n");
  expect_valid_tsql(text, "patch");

  auto other = database("d");
  EXPECT_EQ(patch(other.get()), "");
  tarvex_brevane_meta_model_meta_object_set_comment(META(other.get()), "new's");
  set_diff(other.get(), "comment", kChanged);
  set_attr(other.get(), "CHANGE_TRACKING", "false");
  set_diff(other.get(), "attributes.AUTO_CLEANUP", kChanged);
  const std::string second = patch(other.get());
  EXPECT_EQ(
      second,
      "ALTER DATABASE [d] SET CHANGE_TRACKING = OFF;\n"
      "IF ((SELECT COUNT(*) FROM [d].sys.fn_listextendedproperty('MS_Description', NULL, NULL, "
      "NULL, NULL, NULL, NULL)) > 0)\n"
      "\tEXEC [d].sys.sp_updateextendedproperty 'MS_Description', N'new''s', NULL, NULL, NULL, "
      "NULL, NULL, NULL\n"
      "ELSE\n"
      "\tEXEC [d].sys.sp_addextendedproperty 'MS_Description', N'new''s', NULL, NULL, NULL, "
      "NULL, NULL, NULL;\n");
  expect_valid_tsql(second, "comment");

  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_supports_database_sql_server_builder_patch_database(
                                builder.get(), nullptr),
                            nullptr),
                  "database != NULL");
}

}  // namespace
}  // namespace tarvex::test
