// The database contracts: registered types and enumerations, and what an
// implementation that leaves slots empty answers.
#include <gtest/gtest.h>

#include <vector>

#include "brevane/contracts/db_meta_type.h"
#include "brevane/contracts/db_status.h"
#include "brevane/contracts/iconnection.h"
#include "brevane/contracts/sql_action.h"
#include "tests/brevane/database/database-test.h"

using dbtest::take;
using tarvex::GRef;

namespace {

class ContractsTest : public tarvex::test::LogCaptureTest {};

std::string nick_of(GType type, int value) {
  auto* klass = static_cast<GEnumClass*>(g_type_class_ref(type));
  GEnumValue* v = g_enum_get_value(klass, value);
  std::string out = v ? std::string(v->value_name) + "/" + v->value_nick : "(none)";
  g_type_class_unref(klass);
  return out;
}

TEST_F(ContractsTest, TypeNames) {
  const std::pair<GType, const char*> types[] = {
      {tarvex_brevane_contracts_database_iconnection_get_type(),
       "TarvexBrevaneContractsDatabaseIConnection"},
      {tarvex_brevane_contracts_database_istatement_get_type(),
       "TarvexBrevaneContractsDatabaseIStatement"},
      {tarvex_brevane_contracts_database_iadaptable_get_type(),
       "TarvexBrevaneContractsDatabaseIAdaptable"},
      {tarvex_brevane_contracts_database_ibuildable_get_type(),
       "TarvexBrevaneContractsDatabaseIBuildable"},
      {tarvex_brevane_contracts_database_iexplorable_get_type(),
       "TarvexBrevaneContractsDatabaseIExplorable"},
      {tarvex_brevane_contracts_database_iinspectable_get_type(),
       "TarvexBrevaneContractsDatabaseIInspectable"},
      {tarvex_brevane_contracts_database_iformattable_get_type(),
       "TarvexBrevaneContractsDatabaseIFormattable"},
      {tarvex_brevane_contracts_database_icachable_get_type(),
       "TarvexBrevaneContractsDatabaseICachable"},
      {tarvex_brevane_contracts_database_db_status_get_type(),
       "TarvexBrevaneContractsDatabaseDBStatus"},
      {tarvex_brevane_contracts_database_sql_action_get_type(),
       "TarvexBrevaneContractsDatabaseSqlAction"},
      {tarvex_brevane_contracts_database_db_meta_type_get_type(),
       "TarvexBrevaneContractsDatabaseDbMetaType"},
  };
  for (const auto& [type, name] : types) EXPECT_STREQ(g_type_name(type), name);
  EXPECT_TRUE(G_TYPE_IS_INTERFACE(tarvex_brevane_contracts_database_iconnection_get_type()));
}

TEST_F(ContractsTest, Enumerations) {
  GType status = tarvex_brevane_contracts_database_db_status_get_type();
  EXPECT_EQ(nick_of(status, 0), "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown/unknown");
  EXPECT_EQ(nick_of(status, 1), "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Closed/closed");
  EXPECT_EQ(nick_of(status, 2), "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened/opened");
  EXPECT_EQ(nick_of(status, 3), "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed/failed");

  EXPECT_EQ(take(tarvex_brevane_contracts_database_sql_action_to_string(
                TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_FEATURE)),
            "feature");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_sql_action_to_string(
                TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_NOTHING)),
            "nothing");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_sql_action_to_string(
                TarvexBrevaneContractsDatabaseSqlAction(1))),
            "insert");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_sql_action_to_string(
                TarvexBrevaneContractsDatabaseSqlAction(6))),
            "(null)");

  GType meta = tarvex_brevane_contracts_database_db_meta_type_get_type();
  auto* klass = static_cast<GEnumClass*>(g_type_class_ref(meta));
  EXPECT_EQ(klass->n_values, 111u);
  EXPECT_EQ(nick_of(meta, 34),
            "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_USER_LANGUAGE/user-language");
  EXPECT_EQ(nick_of(meta, 110),
            "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_YESNO_DEFAULT/yesno-default");
  EXPECT_EQ(nick_of(meta, 35),
            "TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_LOCK_ESCALATION/lock-escalation");
  EXPECT_EQ(g_enum_get_value_by_nick(klass, "user-language")->value, 34);
  EXPECT_EQ(g_enum_get_value_by_nick(klass, "access-type")->value, 1);
  g_type_class_unref(klass);
}

TEST_F(ContractsTest, ConnectionSignalsAndProperties) {
  GType type = tarvex_brevane_contracts_database_iconnection_get_type();
  // The signals exist once the interface is initialized, whichever test runs first.
  auto* iface = g_type_default_interface_ref(type);
  guint n = 0;
  guint* ids = g_signal_list_ids(type, &n);
  ASSERT_EQ(n, 2u);
  EXPECT_STREQ(g_signal_name(ids[0]), "closed");
  EXPECT_STREQ(g_signal_name(ids[1]), "opened");
  GSignalQuery query;
  g_signal_query(ids[1], &query);
  EXPECT_EQ(query.n_params, 1u);
  EXPECT_EQ(query.param_types[0], type);
  EXPECT_EQ(query.return_type, G_TYPE_NONE);
  EXPECT_TRUE(query.signal_flags & G_SIGNAL_RUN_LAST);
  g_free(ids);

  guint count = 0;
  GParamSpec** specs = g_object_interface_list_properties(iface, &count);
  std::vector<std::string> names;
  for (guint i = 0; i < count; ++i) names.push_back(specs[i]->name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"major-version", "minor-version", "provider", "server",
                                             "status", "version"}));
  GParamSpec* status = g_object_interface_find_property(iface, "status");
  EXPECT_TRUE(status->flags & G_PARAM_WRITABLE);
  EXPECT_FALSE(g_object_interface_find_property(iface, "version")->flags & G_PARAM_WRITABLE);
  g_free(specs);
  g_type_default_interface_unref(iface);
}

// An object that implements the dialect contracts without filling a slot.
typedef struct {
  GObject parent_instance;
} DbTestEmptyDialect;
typedef struct {
  GObjectClass parent_class;
} DbTestEmptyDialectClass;
static void db_test_empty_inspectable_init(TarvexBrevaneContractsDatabaseIInspectableIface*) {}
static void db_test_empty_buildable_init(TarvexBrevaneContractsDatabaseIBuildableIface*) {}
static void db_test_empty_explorable_init(TarvexBrevaneContractsDatabaseIExplorableIface*) {}
static void db_test_empty_adaptable_init(TarvexBrevaneContractsDatabaseIAdaptableIface*) {}
static void db_test_empty_formattable_init(TarvexBrevaneContractsDatabaseIFormattableIface*) {}
static void db_test_empty_cachable_init(TarvexBrevaneContractsDatabaseICachableIface*) {}
G_DEFINE_TYPE_WITH_CODE(
    DbTestEmptyDialect, db_test_empty_dialect, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IINSPECTABLE,
                          db_test_empty_inspectable_init)
        G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IBUILDABLE,
                              db_test_empty_buildable_init)
            G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IEXPLORABLE,
                                  db_test_empty_explorable_init)
                G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IADAPTABLE,
                                      db_test_empty_adaptable_init)
                    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IFORMATTABLE,
                                          db_test_empty_formattable_init)
                        G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICACHABLE,
                                              db_test_empty_cachable_init))
static void db_test_empty_dialect_class_init(DbTestEmptyDialectClass*) {}
static void db_test_empty_dialect_init(DbTestEmptyDialect*) {}

TEST_F(ContractsTest, EmptySlotsAnswerNothing) {
  auto object =
      GRef<GObject>::adopt(G_OBJECT(g_object_new(db_test_empty_dialect_get_type(), nullptr)));
  auto* inspectable = TARVEX_BREVANE_CONTRACTS_DATABASE_IINSPECTABLE(object.get());
  EXPECT_EQ(tarvex_brevane_contracts_database_iinspectable_get_data_type(inspectable, "int", 0),
            TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN);
  gint length = 42;
  EXPECT_EQ(tarvex_brevane_contracts_database_iinspectable_support(
                inspectable, TARVEX_BREVANE_CONTRACTS_DATABASE_DB_META_TYPE_COLLATION, &length),
            nullptr);
  EXPECT_EQ(length, 42);
  EXPECT_EQ(take(tarvex_brevane_contracts_database_iinspectable_get_sql_type(
                inspectable, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32)),
            "(null)");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_ibuildable_quote_identifier(
                TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE(object.get()), "a", ".", "*")),
            "(null)");
  EXPECT_EQ(tarvex_brevane_contracts_database_iexplorable_load_objects(
                TARVEX_BREVANE_CONTRACTS_DATABASE_IEXPLORABLE(object.get()),
                TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE, "db", "dbo", "", nullptr),
            nullptr);
  tarvex_brevane_contracts_database_iadaptable_fill_meta_table(
      TARVEX_BREVANE_CONTRACTS_DATABASE_IADAPTABLE(object.get()), nullptr, TRUE, nullptr);
  EXPECT_EQ(take(tarvex_brevane_contracts_database_iformattable_minify(
                TARVEX_BREVANE_CONTRACTS_DATABASE_IFORMATTABLE(object.get()), "a  b")),
            "(null)");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(
                TARVEX_BREVANE_CONTRACTS_DATABASE_ICACHABLE(object.get()), "k")),
            "(null)");
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iinspectable_get_data_type(nullptr, "int", 0),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_icachable_clear(nullptr), "self != NULL");
}

}  // namespace
