// CREATE TABLE scripts of the SQL Server builder as whole texts: every type
// family, defaults, identity, computed and period columns, every constraint
// kind, indexes of every kind, triggers, storage options and comments; for
// ordinary names and for names holding "'", "]" and non-ASCII letters. Every
// batch of every text must parse with the independent T-SQL grammar.
#include <functional>
#include <map>

#include "tests/brevane/database/sqlserver/builder-test.h"
#include "tests/support/need-tool.h"

namespace tarvex::test {
namespace {

// Names of the test tables; the odd variant makes each name hold a quote, a
// closing bracket and non-ASCII letters.
struct Names {
  std::function<std::string(const std::string&)> name;
  std::string n(const std::string& s) const { return name(s); }
  // The name as an expression in the model references it.
  std::string q(const std::string& s) const {
    std::string out = "[";
    for (char c : n(s)) {
      out += c;
      if (c == ']') out += ']';
    }
    return out + "]";
  }
};

const Names kOrdinary{[](const std::string& s) { return s; }};
const Names kOdd{[](const std::string& s) { return s + "]'Größe"; }};

// Every name the scripts use, so the odd variant's expected text can be made
// from the ordinary one.
const char* const kAllNames[] = {"sales",       "orders",
                                 "id",          "customer_id",
                                 "code",        "note",
                                 "amount",      "price",
                                 "ratio",       "small",
                                 "flag",        "created",
                                 "day",         "at",
                                 "offs",        "guid",
                                 "doc",         "geo",
                                 "fixed",       "bin",
                                 "sparse_col",  "masked",
                                 "total",       "valid_from",
                                 "valid_to",    "customers",
                                 "ck_amount",   "fk_customer",
                                 "uq_code",     "ix_created",
                                 "ix_code_day", "ix_cs",
                                 "ix_doc",      "ix_geo",
                                 "tr_audit",    "tr_block",
                                 "tr_clr",      "orders_history",
                                 "PK_orders",   "PRIMARY",
                                 "parts",       "part_id",
                                 "ps_day",      "legacy",
                                 "body",        "picture",
                                 "words"};

using Table = TarvexBrevaneMetaModelMetaTable;

GRef<TarvexBrevaneMetaModelMetaColumn> col(Table* t, const Names& nm, const char* name,
                                           const char* type, gint64 length = 0, guint8 scale = 0,
                                           bool not_null = false) {
  return add_column(t, nm.n(name).c_str(), type, length, scale, not_null);
}

void comment(gpointer object, const char* text) {
  tarvex_brevane_meta_model_meta_object_set_comment(META(object), text);
}

// The full table: one column of every type family and every column
// feature, every constraint kind, every index kind, three triggers, storage
// options, system versioning and comments.
GRef<Table> make_orders(const Names& nm) {
  auto t = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names(
      "db", nm.n("sales").c_str(), nm.n("orders").c_str()));
  comment(t.get(), "the customer's orders");

  auto id = col(t.get(), nm, "id", "INT", 4, 0, true);
  tarvex_brevane_meta_model_meta_column_set_identity(id.get(), "(1,1)");
  tarvex_brevane_meta_model_meta_column_set_is_primary_key(id.get(), TRUE);
  tarvex_brevane_meta_model_meta_column_set_primary_ordinal(id.get(), 1);
  comment(id.get(), "row number");
  col(t.get(), nm, "customer_id", "INT", 4, 0, true);
  auto code = col(t.get(), nm, "code", "NVARCHAR", 20, 0, true);
  tarvex_brevane_meta_model_meta_column_set_collation(code.get(), "Latin1_General_CI_AS");
  auto note = col(t.get(), nm, "note", "NVARCHAR", -1);
  comment(note.get(), "free text, 'quoted'");
  auto amount = col(t.get(), nm, "amount", "DECIMAL", 38, 0, true);
  tarvex_brevane_meta_model_meta_column_set_default_value(amount.get(), "((0))");
  col(t.get(), nm, "price", "NUMERIC", 10, 2);
  col(t.get(), nm, "ratio", "FLOAT", 8);
  col(t.get(), nm, "small", "REAL", 4);
  auto flag = col(t.get(), nm, "flag", "BIT", 1, 0, true);
  tarvex_brevane_meta_model_meta_column_set_default_value(flag.get(), "((1))");
  auto created = col(t.get(), nm, "created", "DATETIME2", 8, 0, true);
  tarvex_brevane_meta_model_meta_column_set_default_value(created.get(), "(sysdatetime())");
  col(t.get(), nm, "day", "DATE", 3);
  col(t.get(), nm, "at", "TIME", 5, 3);
  auto offs = col(t.get(), nm, "offs", "DATETIMEOFFSET", 10);
  tarvex_brevane_meta_model_meta_column_set_default_value(offs.get(), "EMPYT STRING");
  auto guid = col(t.get(), nm, "guid", "UNIQUEIDENTIFIER", 16, 0, true);
  tarvex_brevane_meta_model_meta_column_set_default_value(guid.get(), "(newsequentialid())");
  set_attr(guid.get(), "ROWGUIDCOL", "true");
  col(t.get(), nm, "doc", "XML", -1);
  col(t.get(), nm, "geo", "GEOGRAPHY", -1);
  col(t.get(), nm, "fixed", "CHAR", 10);
  col(t.get(), nm, "bin", "VARBINARY", -1);
  auto sparse = col(t.get(), nm, "sparse_col", "INT", 4);
  set_attr(sparse.get(), "SPARSE", "true");
  auto masked = col(t.get(), nm, "masked", "VARCHAR", 100);
  set_attr(masked.get(), "MASKED", "partial(1,\"x'x\",0)");
  auto total = col(t.get(), nm, "total", "(COMPUTED)");
  tarvex_brevane_meta_model_meta_column_set_is_virtual(total.get(), TRUE);
  tarvex_brevane_meta_model_meta_column_set_expression(total.get(),
                                                       (nm.q("amount") + "*(2)").c_str());
  tarvex_brevane_meta_model_meta_column_set_virtual_type(total.get(), "PERSISTED");
  auto from = col(t.get(), nm, "valid_from", "DATETIME2", 8, 0, true);
  set_attr(from.get(), "VERSION_METHOD", "ROW");
  set_attr(from.get(), "VERSION_POSITION", "START");
  auto to = col(t.get(), nm, "valid_to", "DATETIME2", 8, 0, true);
  set_attr(to.get(), "VERSION_METHOD", "ROW");
  set_attr(to.get(), "VERSION_POSITION", "END");

  auto* constraints = tarvex_brevane_meta_model_meta_table_get_constraints(t.get());
  auto check = adoptGRef(tarvex_brevane_meta_model_meta_check_new_with_names(
      "db", nm.n("sales").c_str(), nm.n("ck_amount").c_str(), (nm.q("amount") + ">=(0)").c_str()));
  set_attr(check.get(), "REPLICATION", "true");
  comment(check.get(), "no negative amounts");
  add(constraints, check.get());
  auto fk = adoptGRef(tarvex_brevane_meta_model_meta_foreign_key_new_with_names(
      "db", nm.n("sales").c_str(), nm.n("fk_customer").c_str()));
  tarvex_brevane_meta_model_meta_foreign_key_set_local_columns(fk.get(),
                                                               nm.n("customer_id").c_str());
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_schema(fk.get(), nm.n("sales").c_str());
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_table(fk.get(), nm.n("customers").c_str());
  tarvex_brevane_meta_model_meta_foreign_key_set_refer_columns(fk.get(), nm.n("id").c_str());
  tarvex_brevane_meta_model_meta_foreign_key_set_delete_action(fk.get(), "CASCADE");
  tarvex_brevane_meta_model_meta_foreign_key_set_update_action(fk.get(), "NO_ACTION");
  set_attr(fk.get(), "STATE", "true");
  add(constraints, fk.get());
  auto uq = adoptGRef(tarvex_brevane_meta_model_meta_unique_new_with_names(
      "db", nm.n("sales").c_str(), nm.n("uq_code").c_str()));
  tarvex_brevane_meta_model_meta_unique_set_columns(uq.get(), (nm.n("code") + " ASC").c_str());
  set_attr(uq.get(), "CLUSTERED", "false");
  set_attr(uq.get(), "WITH_FILLFACTOR", "80");
  set_attr(uq.get(), "WITH_INDEX_OPTIONS", "PAD_INDEX = ON");
  add(constraints, uq.get());

  auto* indexes = tarvex_brevane_meta_model_meta_table_get_indexes(t.get());
  auto index = [&](const char* name, const char* kind, bool clustered,
                   std::vector<std::string> columns) {
    auto ix = adoptGRef(tarvex_brevane_meta_model_meta_index_new_with_names(
        "db", nm.n("sales").c_str(), nm.n("orders").c_str(), nm.n(name).c_str()));
    tarvex_brevane_meta_model_meta_index_set_kind(ix.get(), kind);
    tarvex_brevane_meta_model_meta_index_set_is_clustered(ix.get(), clustered);
    for (auto& c : columns) tarvex_brevane_meta_model_meta_index_append(ix.get(), c.c_str());
    add(indexes, ix.get());
    return ix;
  };
  auto created_ix = index("ix_created", "", false, {nm.n("created") + " DESC"});
  tarvex_brevane_meta_model_meta_index_set_include(created_ix.get(), nm.n("note").c_str());
  tarvex_brevane_meta_model_meta_index_set_where(created_ix.get(), (nm.q("flag") + "=(1)").c_str());
  tarvex_brevane_meta_model_meta_index_set_with(created_ix.get(), "FILLFACTOR = 90");
  comment(created_ix.get(), "recent orders");
  auto unique_ix = index("ix_code_day", "", false, {nm.n("code") + " ASC", nm.n("day") + " DESC"});
  set_attr(unique_ix.get(), "UNIQUE", "true");
  set_attr(unique_ix.get(), "STATE", "true");
  index("ix_cs", "COLUMNSTORE", false, {nm.n("amount") + " ASC", nm.n("price") + " ASC"});
  index("ix_doc", "XML", false, {nm.n("doc") + " ASC"});
  index("ix_geo", "SPATIAL", false, {nm.n("geo") + " ASC"});

  auto* triggers = tarvex_brevane_meta_model_meta_table_get_triggers(t.get());
  auto audit = adoptGRef(tarvex_brevane_meta_model_meta_trigger_new_with_body(
      "db", nm.n("sales").c_str(), nm.n("tr_audit").c_str(), "BEGIN\n  SET NOCOUNT ON;\nEND"));
  tarvex_brevane_meta_model_meta_trigger_set_target(audit.get(), nm.n("orders").c_str());
  tarvex_brevane_meta_model_meta_trigger_set_timing(audit.get(), "AFTER");
  tarvex_brevane_meta_model_meta_trigger_set_event(audit.get(), "INSERT,UPDATE");
  set_attr(audit.get(), "ENCRYPTION", "true");
  set_attr(audit.get(), "EXECUTOR", "USER");
  set_attr(audit.get(), "EXECUTOR_USER", "O'Brien");
  comment(audit.get(), "audit trail");
  add(triggers, audit.get());
  auto block = adoptGRef(tarvex_brevane_meta_model_meta_trigger_new_with_body(
      "db", nm.n("sales").c_str(), nm.n("tr_block").c_str(), "ROLLBACK TRANSACTION;"));
  tarvex_brevane_meta_model_meta_trigger_set_timing(block.get(), "INSTEAD OF");
  tarvex_brevane_meta_model_meta_trigger_set_event(block.get(), "DELETE");
  set_attr(block.get(), "EXECUTOR", "OWNER");
  set_attr(block.get(), "STATE", "true");
  add(triggers, block.get());
  auto clr = adoptGRef(tarvex_brevane_meta_model_meta_trigger_new_with_body(
      "db", nm.n("sales").c_str(), nm.n("tr_clr").c_str(), ""));
  tarvex_brevane_meta_model_meta_trigger_set_timing(clr.get(), "AFTER");
  tarvex_brevane_meta_model_meta_trigger_set_event(clr.get(), "INSERT");
  tarvex_brevane_meta_model_meta_trigger_set_function(clr.get(), "Audit.Company.Triggers.OnInsert");
  set_attr(clr.get(), "DEFINITION_TYPE", "EXTERNAL");
  set_attr(clr.get(), "REPLICATION", "true");
  add(triggers, clr.get());

  set_option(t.get(), "FILEGROUP_ON", nm.n("PRIMARY").c_str());
  set_option(t.get(), "TEXTIMAGE_ON", nm.n("PRIMARY").c_str());
  set_option(t.get(), "DATA_COMPRESSION_PARTITIONS", "1=2");
  set_option(t.get(), "SYSTEM_VERSIONING", "true");
  set_option(t.get(), "HISTORY_TABLE_SCHEMA", nm.n("sales").c_str());
  set_option(t.get(), "HISTORY_TABLE_NAME", nm.n("orders_history").c_str());
  set_option(t.get(), "DATA_CONSISTENCY_CHECK", "true");
  set_option(t.get(), "LOCK_ESCALATION", "AUTO");
  return t;
}

// A partitioned table with per-partition compression.
GRef<Table> make_parts(const Names& nm) {
  auto t = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names(
      "db", nm.n("sales").c_str(), nm.n("parts").c_str()));
  auto id = col(t.get(), nm, "part_id", "BIGINT", 8, 0, true);
  tarvex_brevane_meta_model_meta_column_set_is_primary_key(id.get(), TRUE);
  tarvex_brevane_meta_model_meta_column_set_primary_ordinal(id.get(), 2);
  auto day = col(t.get(), nm, "day", "DATE", 3, 0, true);
  tarvex_brevane_meta_model_meta_column_set_is_primary_key(day.get(), TRUE);
  tarvex_brevane_meta_model_meta_column_set_primary_ordinal(day.get(), 1);
  col(t.get(), nm, "note", "VARCHAR", -1);
  set_attr(t.get(), "PRIMARY_KEY_NAME", nm.n("PK_orders").c_str());
  set_option(t.get(), "PARTITION_SCHEMA", nm.n("ps_day").c_str());
  set_option(t.get(), "PARTITION_COLUMN", nm.n("day").c_str());
  set_option(t.get(), "TEXTIMAGE_ON", "");
  set_option(t.get(), "DATA_COMPRESSION_PARTITIONS", "1=2,2=2,3=1");
  return t;
}

// Large-object types of old, without storage options.
GRef<Table> make_legacy(const Names& nm) {
  auto t = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names(
      "db", nm.n("sales").c_str(), nm.n("legacy").c_str()));
  col(t.get(), nm, "body", "TEXT", 16);
  col(t.get(), nm, "words", "NTEXT", 16);
  col(t.get(), nm, "picture", "IMAGE", 16);
  return t;
}

std::string build(TarvexBrevaneSupportsDatabaseSQLServerBuilder* builder, Table* table) {
  return take(tarvex_brevane_contracts_database_ibuildable_build_table(
      TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE(builder), table, TRUE));
}

class TableScriptTest : public OfflineBuilderTest {};

// The expected scripts for ordinary names.
const char kOrdersScript[] = R"SQL(CREATE TABLE [sales].[orders] (
    [id] INT IDENTITY (1,1) NOT NULL,
    [customer_id] INT NOT NULL,
    [code] NVARCHAR(20) NOT NULL,
    [note] NVARCHAR(MAX) NULL,
    [amount] DECIMAL(38, 0) DEFAULT ((0)) NOT NULL,
    [price] NUMERIC(10, 2) NULL,
    [ratio] FLOAT NULL,
    [small] REAL NULL,
    [flag] BIT DEFAULT ((1)) NOT NULL,
    [created] DATETIME2 DEFAULT (sysdatetime()) NOT NULL,
    [day] DATE NULL,
    [at] TIME(3) NULL,
    [offs] DATETIMEOFFSET DEFAULT '' NULL,
    [guid] UNIQUEIDENTIFIER DEFAULT (newsequentialid()) NOT NULL ROWGUIDCOL,
    [doc] XML NULL,
    [geo] GEOGRAPHY NULL,
    [fixed] CHAR(10) NULL,
    [bin] VARBINARY(MAX) NULL,
    [sparse_col] INT SPARSE NULL,
    [masked] VARCHAR(100) MASKED WITH (FUNCTION = 'partial(1,"x''x",0)') NULL,
    [total] AS ([amount]*(2)) PERSISTED,
    [valid_from] DATETIME2 GENERATED ALWAYS AS ROW START NOT NULL,
    [valid_to] DATETIME2 GENERATED ALWAYS AS ROW END NOT NULL,
    PERIOD FOR SYSTEM_TIME ([valid_from], [valid_to]),
    CONSTRAINT [PK_orders] PRIMARY KEY ([id]),
    CONSTRAINT [ck_amount] CHECK NOT FOR REPLICATION ([amount]>=(0)),
    CONSTRAINT [uq_code] UNIQUE NONCLUSTERED ([code] ASC) WITH (FILLFACTOR = 80, PAD_INDEX = ON),
    CONSTRAINT [fk_customer] FOREIGN KEY([customer_id]) REFERENCES [sales].[customers]([id]) ON DELETE CASCADE ON UPDATE NO ACTION,
    INDEX [ix_created] NONCLUSTERED ([created] DESC) INCLUDE ([note]) WHERE [flag]=(1) WITH (FILLFACTOR = 90),
    INDEX [ix_code_day] UNIQUE NONCLUSTERED ([code] ASC, [day] DESC),
    INDEX [ix_cs] NONCLUSTERED COLUMNSTORE ([amount], [price])
  ) 
  ON [PRIMARY] 
  TEXTIMAGE_ON [PRIMARY] 
  WITH (
    DATA_COMPRESSION = PAGE,
    SYSTEM_VERSIONING = ON ( HISTORY_TABLE = [sales].[orders_history], DATA_CONSISTENCY_CHECK = ON )
  );
CREATE PRIMARY XML INDEX [ix_doc] ON [sales].[orders] ([doc]);
CREATE SPATIAL INDEX [ix_geo] ON [sales].[orders] ([geo]);
GO
CREATE TRIGGER [tr_audit] ON [sales].[orders]
  WITH ENCRYPTION,EXECUTE AS N'O''Brien'
  AFTER INSERT,UPDATE
  AS BEGIN
  SET NOCOUNT ON;
END
GO
EXEC sp_addextendedproperty 'MS_Description', N'audit trail', 'SCHEMA', N'sales', 'TABLE', N'orders', 'TRIGGER', N'tr_audit';
GO
CREATE TRIGGER [tr_block] ON [sales].[orders]
  WITH EXECUTE AS OWNER
  INSTEAD OF DELETE
  AS ROLLBACK TRANSACTION;
GO
CREATE TRIGGER [tr_clr] ON [sales].[orders]
  AFTER INSERT
  NOT FOR REPLICATION
  AS EXTERNAL NAME [Audit].[Company.Triggers].[OnInsert]
GO
EXEC sp_addextendedproperty 'MS_Description', N'row number', 'SCHEMA', N'sales', 'TABLE', N'orders', 'COLUMN', N'id';
EXEC sp_addextendedproperty 'MS_Description', N'free text, ''quoted''', 'SCHEMA', N'sales', 'TABLE', N'orders', 'COLUMN', N'note';
EXEC sp_addextendedproperty 'MS_Description', N'the customer''s orders', 'SCHEMA', N'sales', 'TABLE', N'orders';
EXEC sp_addextendedproperty 'MS_Description', N'no negative amounts', 'SCHEMA', N'sales', 'TABLE', N'orders', 'CONSTRAINT', N'ck_amount';
EXEC sp_addextendedproperty 'MS_Description', N'recent orders', 'SCHEMA', N'sales', 'TABLE', N'orders', 'INDEX', N'ix_created';
ALTER INDEX [ix_code_day] ON [sales].[orders] DISABLE;
ALTER TABLE [sales].[orders] NOCHECK CONSTRAINT [fk_customer];
DISABLE TRIGGER [sales].[tr_block] ON [sales].[orders];
)SQL";

const char kPartsScript[] = R"SQL(CREATE TABLE [sales].[parts] (
    [part_id] BIGINT NOT NULL,
    [day] DATE NOT NULL,
    [note] VARCHAR(MAX) NULL,
    CONSTRAINT [PK_orders] PRIMARY KEY ([day], [part_id])
  ) 
  ON [ps_day]([day]) 
  WITH (
    DATA_COMPRESSION = PAGE ON PARTITIONS (1,2),
    DATA_COMPRESSION = ROW ON PARTITIONS (3)
  );
)SQL";

const char kLegacyScript[] = R"SQL(CREATE TABLE [sales].[legacy] (
    [body] TEXT NULL,
    [words] NTEXT NULL,
    [picture] IMAGE NULL
  );
)SQL";

// The expected text for odd names: every name of the ordinary text replaced
// by its odd form, "]" doubled inside brackets and "'" inside N'...'.
std::string with_odd_names(std::string text) {
  auto replace_all = [&](const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
      text.replace(at, from.size(), to);
  };
  for (const char* name : kAllNames) {
    const std::string odd = kOdd.n(name);
    std::string quoted;
    for (char c : odd) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    replace_all("[" + std::string(name) + "]", kOdd.q(name));
    replace_all("N'" + std::string(name) + "'", "N'" + quoted + "'");
  }
  return text;
}

TEST_F(TableScriptTest, OrdinaryNames) {
  EXPECT_EQ(build(builder.get(), make_orders(kOrdinary).get()), kOrdersScript);
  EXPECT_EQ(build(builder.get(), make_parts(kOrdinary).get()), kPartsScript);
  EXPECT_EQ(build(builder.get(), make_legacy(kOrdinary).get()), kLegacyScript);
}

TEST_F(TableScriptTest, NamesWithQuotesBracketsAndAccents) {
  EXPECT_EQ(build(builder.get(), make_orders(kOdd).get()), with_odd_names(kOrdersScript));
  EXPECT_EQ(build(builder.get(), make_parts(kOdd).get()), with_odd_names(kPartsScript));
  EXPECT_EQ(build(builder.get(), make_legacy(kOdd).get()), with_odd_names(kLegacyScript));
}

TEST_F(TableScriptTest, BatchesStartCorrectly) {
  // Split on GO: the CREATE TABLE with its stand-alone indexes, then each
  // trigger alone, then what follows the triggers.
  auto batches = batches_split_by_lines(build(builder.get(), make_orders(kOrdinary).get()));
  ASSERT_EQ(batches.size(), 6u);
  EXPECT_EQ(batches[0].rfind("CREATE TABLE [sales].[orders] (", 0), 0u);
  EXPECT_EQ(batches[1].rfind("CREATE TRIGGER [tr_audit]", 0), 0u);
  EXPECT_EQ(batches[2].rfind("EXEC sp_addextendedproperty 'MS_Description', N'audit trail'", 0),
            0u);
  EXPECT_EQ(batches[3].rfind("CREATE TRIGGER [tr_block]", 0), 0u);
  EXPECT_EQ(batches[4].rfind("CREATE TRIGGER [tr_clr]", 0), 0u);
  EXPECT_EQ(batches[5].rfind("EXEC sp_addextendedproperty 'MS_Description', N'row number'", 0), 0u);
}

TEST_F(TableScriptTest, ScriptsParse) {
  TARVEX_NEED_TOOL(tsql_parser_available(),
                   "the T-SQL parser (node and npm ci in " TSQL_PARSE_DIR ")");
  std::vector<TsqlText> texts;
  for (const Names* nm : {&kOrdinary, &kOdd}) {
    texts.push_back({"orders", build(builder.get(), make_orders(*nm).get())});
    texts.push_back({"parts", build(builder.get(), make_parts(*nm).get())});
    texts.push_back({"legacy", build(builder.get(), make_legacy(*nm).get())});
  }
  expect_valid_tsql(texts);
}

}  // namespace
}  // namespace tarvex::test
