// The table builders' patch modes, which the table patch drives from a
// table's change record. They are internal, so their sources are compiled
// into this test.
#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "tests/brevane/database/sqlserver/builder-test.h"

namespace tarvex::test {
namespace {

using Table = TarvexBrevaneMetaModelMetaTable;

using enum tarvex::meta::ChangeCode;

class PatchModeTest : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    table = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("db", "s", "t"));
  }
  GRef<TarvexBrevaneMetaModelMetaIndex> index(const char* name, int code) {
    auto ix = adoptGRef(tarvex_brevane_meta_model_meta_index_new_with_names("db", "s", "t", name));
    tarvex_brevane_meta_model_meta_index_append(ix.get(), "a ASC");
    add(tarvex_brevane_meta_model_meta_table_get_indexes(table.get()), ix.get());
    if (code) set_diff(table.get(), (std::string("indexes.") + name).c_str(), code);
    return ix;
  }
  GRef<TarvexBrevaneMetaModelMetaTrigger> trigger(const char* name, int code) {
    auto tr = adoptGRef(
        tarvex_brevane_meta_model_meta_trigger_new_with_body("db", "s", name, "SET NOCOUNT ON;"));
    tarvex_brevane_meta_model_meta_trigger_set_timing(tr.get(), "AFTER");
    tarvex_brevane_meta_model_meta_trigger_set_event(tr.get(), "INSERT");
    add(tarvex_brevane_meta_model_meta_table_get_triggers(table.get()), tr.get());
    if (code) set_diff(table.get(), (std::string("triggers.") + name).c_str(), code);
    return tr;
  }
  GRef<TarvexBrevaneMetaModelMetaCheck> check(const char* name, int code) {
    auto c =
        adoptGRef(tarvex_brevane_meta_model_meta_check_new_with_names("db", "s", name, "[a]>(0)"));
    add(tarvex_brevane_meta_model_meta_table_get_constraints(table.get()), c.get());
    if (code) set_diff(table.get(), (std::string("constraints.") + name).c_str(), code);
    return c;
  }
  GRef<Table> table;
};

TEST_F(PatchModeTest, ColumnComments) {
  auto added = add_column(table.get(), "added", "INT", 4);
  tarvex_brevane_meta_model_meta_object_set_comment(META(added.get()), "new one");
  set_diff(table.get(), "columns.added", kCreated);
  auto cleared = add_column(table.get(), "cleared", "INT", 4);
  set_diff(table.get(), "columns.cleared", kChanged);
  set_diff(cleared.get(), "comment", kChanged);
  auto changed = add_column(table.get(), "changed", "INT", 4);
  tarvex_brevane_meta_model_meta_object_set_comment(META(changed.get()), "it's new");
  set_diff(table.get(), "columns.changed", kChanged);
  set_diff(changed.get(), "comment", kChanged);
  set_diff(changed.get(), "not-null", kChanged);
  auto same = add_column(table.get(), "same", "INT", 4);
  tarvex_brevane_meta_model_meta_object_set_comment(META(same.get()), "kept");
  set_diff(table.get(), "comment", kChanged);

  EXPECT_EQ(tarvex::dialect::build_comment_for_columns(table.get(), true),
            "EXEC sp_addextendedproperty 'MS_Description', N'new one', 'SCHEMA', N's', 'TABLE', "
            "N't', 'COLUMN', N'added';\n"
            "EXEC sp_dropextendedproperty 'MS_Description', 'SCHEMA', N's', 'TABLE', N't', "
            "'COLUMN', N'cleared';\n"
            "IF ((SELECT COUNT(*) FROM ::fn_listextendedproperty('MS_Description','SCHEMA', N's', "
            "'TABLE', N't', 'COLUMN', N'changed')) > 0)\n"
            "\tEXEC sp_updateextendedproperty 'MS_Description', N'it''s new', 'SCHEMA', N's', "
            "'TABLE', N't', 'COLUMN', N'changed'\n"
            "ELSE\n"
            "\tEXEC sp_addextendedproperty 'MS_Description', N'it''s new', 'SCHEMA', N's', "
            "'TABLE', N't', 'COLUMN', N'changed';\n"
            "EXEC sp_dropextendedproperty 'MS_Description', 'SCHEMA', N's', 'TABLE', N't';\n");
  // A column whose only change was its comment leaves the record; the other
  // keeps its path and loses only the comment entry.
  EXPECT_FALSE(diff_contains(table.get(), "columns.cleared"));
  EXPECT_TRUE(diff_contains(table.get(), "columns.changed"));
  EXPECT_FALSE(diff_contains(changed.get(), "comment"));
  EXPECT_TRUE(diff_contains(table.get(), "comment"));
  // The record serves one call: the handled comments are not written again.
  EXPECT_EQ(tarvex::dialect::build_comment_for_columns(table.get(), true),
            "EXEC sp_addextendedproperty 'MS_Description', N'new one', 'SCHEMA', N's', 'TABLE', "
            "N't', 'COLUMN', N'added';\n"
            "EXEC sp_dropextendedproperty 'MS_Description', 'SCHEMA', N's', 'TABLE', N't';\n");
}

TEST_F(PatchModeTest, ConstraintClauses) {
  add_column(table.get(), "a", "INT", 4);
  check("same", kIdentical);
  check("gone", kDropped);
  check("unlisted", 0);
  check("new", kCreated);
  check("changed", kChanged);
  EXPECT_EQ(tarvex::dialect::build_table_checks(table.get(), true),
            "ALTER TABLE [s].[t] ADD CONSTRAINT [new] CHECK ([a]>(0));\n"
            "ALTER TABLE [s].[t] ADD CONSTRAINT [changed] CHECK ([a]>(0));\n");
  auto key = adoptGRef(tarvex_brevane_meta_model_meta_foreign_key_new_with_names("db", "s", "fk"));
  tarvex_brevane_meta_model_meta_foreign_key_set_local_columns(key.get(), "a");
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_schema(key.get(), "s");
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_table(key.get(), "r");
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_columns(key.get(), "b");
  tarvex_brevane_meta_model_meta_foreign_key_set_delete_action(key.get(), "SET_NULL");
  add(tarvex_brevane_meta_model_meta_table_get_constraints(table.get()), key.get());
  set_diff(table.get(), "constraints.fk", kCreated);
  EXPECT_EQ(tarvex::dialect::build_table_foreigns(table.get(), true),
            "ALTER TABLE [s].[t] ADD CONSTRAINT [fk] FOREIGN KEY([a]) REFERENCES [s].[r]([b]) ON "
            "DELETE SET NULL;\n");

  auto a = add_column(table.get(), "k", "INT", 4, 0, true);
  tarvex_brevane_meta_model_meta_column_set_is_primary_key(a.get(), TRUE);
  EXPECT_EQ(tarvex::dialect::build_primary_key(table.get(), true),
            "ALTER TABLE [s].[t] ADD CONSTRAINT [PK_t] PRIMARY KEY ([k]);\n");
}

TEST_F(PatchModeTest, Indexes) {
  auto created = index("created", kCreated);
  set_attr(created.get(), "STATE", "true");
  tarvex_brevane_meta_model_meta_object_set_comment(META(created.get()), "c'");
  auto comment_only = index("comment_only", kChanged);
  set_diff(comment_only.get(), "comment", kChanged);
  auto rebuilt = index("rebuilt", kChanged);
  set_diff(rebuilt.get(), "columns", kChanged);
  index("gone", kDropped);
  index("same", kIdentical);
  EXPECT_EQ(tarvex::dialect::build_table_indexes(table.get(), true),
            "CREATE NONCLUSTERED INDEX [created] ON [s].[t] ([a] ASC);\n"
            "ALTER INDEX [created] ON [s].[t] DISABLE;\n"
            "EXEC sp_addextendedproperty 'MS_Description', N'c''', 'SCHEMA', N's', 'TABLE', N't', "
            "'INDEX', N'created';\n"
            "EXEC sp_dropextendedproperty 'MS_Description', 'SCHEMA', N's', 'TABLE', N't', "
            "'INDEX', N'comment_only';\n"
            "DROP INDEX IF EXISTS [rebuilt] ON [s].[t];\n"
            "CREATE NONCLUSTERED INDEX [rebuilt] ON [s].[t] ([a] ASC);\n"
            "DROP INDEX IF EXISTS [gone] ON [s].[t];\n");
  // The new index's comment is written with it, not a second time among the
  // constraint and index comments.
  EXPECT_EQ(tarvex::dialect::build_comment_for_constraints(table.get(), true).find("N'created'"),
            std::string::npos);
}

TEST_F(PatchModeTest, Triggers) {
  auto created = trigger("created", kCreated);
  tarvex_brevane_meta_model_meta_object_set_comment(META(created.get()), "new");
  auto comment_only = trigger("comment_only", kChanged);
  tarvex_brevane_meta_model_meta_object_set_comment(META(comment_only.get()), "x");
  set_diff(comment_only.get(), "comment", kChanged);
  auto altered = trigger("altered", kChanged);
  set_diff(altered.get(), "body", kChanged);
  trigger("gone", kDropped);
  tarvex::dialect::Script script;
  tarvex::dialect::build_table_triggers(script, table.get(), true);
  const std::string text = script.str();
  EXPECT_EQ(text,
            "CREATE TRIGGER [created] ON [s].[t]\n  AFTER INSERT\n  AS SET NOCOUNT ON;\n"
            "GO\n"
            "EXEC sp_addextendedproperty 'MS_Description', N'new', 'SCHEMA', N's', 'TABLE', N't', "
            "'TRIGGER', N'created';\n"
            "IF ((SELECT COUNT(*) FROM ::fn_listextendedproperty('MS_Description','SCHEMA', N's', "
            "'TABLE', N't', 'TRIGGER', N'comment_only')) > 0)\n"
            "\tEXEC sp_updateextendedproperty 'MS_Description', N'x', 'SCHEMA', N's', 'TABLE', "
            "N't', 'TRIGGER', N'comment_only'\n"
            "ELSE\n"
            "\tEXEC sp_addextendedproperty 'MS_Description', N'x', 'SCHEMA', N's', 'TABLE', N't', "
            "'TRIGGER', N'comment_only';\n"
            "GO\n"
            "ALTER TRIGGER [altered] ON [s].[t]\n  AFTER INSERT\n  AS SET NOCOUNT ON;\n"
            "GO\n"
            "DROP TRIGGER IF EXISTS [s].[gone];\n");
  expect_valid_tsql(text, "trigger patch");
}

TEST_F(PatchModeTest, States) {
  auto created = index("created", kCreated);
  set_attr(created.get(), "STATE", "true");
  auto enabled = index("enabled", kChanged);
  set_diff(enabled.get(), "attributes.STATE", kChanged);
  auto disabled = index("disabled", kChanged);
  set_attr(disabled.get(), "STATE", "true");
  set_diff(disabled.get(), "attributes.STATE", kChanged);
  set_diff(disabled.get(), "columns", kChanged);
  auto on = check("on", kChanged);
  set_diff(on.get(), "attributes.STATE", kChanged);
  auto off = trigger("off", kChanged);
  set_attr(off.get(), "STATE", "true");
  set_diff(off.get(), "attributes.STATE", kChanged);
  auto body = trigger("body", kChanged);
  set_diff(body.get(), "body", kChanged);
  EXPECT_EQ(tarvex::dialect::build_state_statements(table.get(), true),
            "ALTER INDEX [created] ON [s].[t] DISABLE;\n"
            "ALTER INDEX [enabled] ON [s].[t] REBUILD;\n"
            "ALTER INDEX [disabled] ON [s].[t] DISABLE;\n"
            "ALTER TABLE [s].[t] CHECK CONSTRAINT [on];\n"
            "DISABLE TRIGGER [s].[off] ON [s].[t];\n");
  // A member whose only change was its state leaves the record.
  EXPECT_FALSE(diff_contains(table.get(), "indexes.enabled"));
  EXPECT_TRUE(diff_contains(table.get(), "indexes.disabled"));
  EXPECT_FALSE(diff_contains(disabled.get(), "attributes.STATE"));
  EXPECT_FALSE(diff_contains(table.get(), "constraints.on"));
  EXPECT_FALSE(diff_contains(table.get(), "triggers.off"));
  EXPECT_TRUE(diff_contains(table.get(), "triggers.body"));
}

TEST_F(PatchModeTest, ScriptBatches) {
  struct Case {
    std::vector<std::string> adds;
    const char* expected;
  } cases[] = {
      {{"SELECT 1;\n", "SELECT 2;\n"}, "SELECT 1;\nSELECT 2;\n"},
      {{"SELECT 1;\n", "CREATE VIEW v AS SELECT 1;\n"},
       "SELECT 1;\nGO\nCREATE VIEW v AS SELECT 1;\n"},
      {{"CREATE VIEW v AS SELECT 1;\n", "SELECT 2;\n"},
       "CREATE VIEW v AS SELECT 1;\nGO\nSELECT 2;\n"},
      {{"-- lead\nCREATE OR ALTER PROCEDURE p AS SELECT 1;\n", "EXEC p;\n"},
       "-- lead\nCREATE OR ALTER PROCEDURE p AS SELECT 1;\nGO\nEXEC p;\n"},
      {{"CREATE TRIGGER tr ON t AFTER INSERT AS SELECT 1\nGO\n", "SELECT 2;\n"},
       "CREATE TRIGGER tr ON t AFTER INSERT AS SELECT 1\nGO\nSELECT 2;\n"},
      {{"CREATE TRIGGER tr ON t AFTER INSERT AS SELECT 1\nGO\n"},
       "CREATE TRIGGER tr ON t AFTER INSERT AS SELECT 1\nGO\n"},
      {{"", "", "SELECT 1;\n"}, "SELECT 1;\n"},
      {{"CREATE SCHEMA s;\n", "CREATE TABLE s.t (a INT);\n"},
       "CREATE SCHEMA s;\nGO\nCREATE TABLE s.t (a INT);\n"},
  };
  for (const auto& c : cases) {
    tarvex::dialect::Script script;
    for (const auto& a : c.adds) script.add(a);
    EXPECT_EQ(script.str(), c.expected);
  }
}

}  // namespace
}  // namespace tarvex::test
