// The adapter base: empty fillers, and fill_data_set through the class slot
// of fill_data_table.
#include <vector>

#include "tests/brevane/database/sqlserver/dialect-test.h"

// An adapter whose fill_data_table records the tables it is given and
// fails on the second one.
typedef struct {
  TarvexBrevaneSupportsDatabaseAdapter parent_instance;
  std::vector<TarvexProvidersContractsTableModel*>* visited;
} RecordingAdapter;
typedef struct {
  TarvexBrevaneSupportsDatabaseAdapterClass parent_class;
} RecordingAdapterClass;

G_DEFINE_TYPE(RecordingAdapter, recording_adapter, TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_ADAPTER)

static void recording_adapter_init(RecordingAdapter*) {}

static void recording_fill_data_table(TarvexBrevaneSupportsDatabaseAdapter* self,
                                      TarvexProvidersContractsTableModel* table, GError** error) {
  auto* recorder = reinterpret_cast<RecordingAdapter*>(self);
  recorder->visited->push_back(table);
  if (recorder->visited->size() == 2)
    g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_FAILED, "second table failed");
}

static void recording_adapter_class_init(RecordingAdapterClass* klass) {
  reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapterClass*>(klass)->fill_data_table =
      recording_fill_data_table;
}

namespace tarvex::test::dialect {
namespace {

using Adapter = TarvexBrevaneSupportsDatabaseAdapter;
using Adaptable = TarvexBrevaneContractsDatabaseIAdaptable;

class AdapterBaseTest : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    connection_ = adoptGRef(tarvex_brevane_supports_database_sql_server_connection_new());
  }
  void TearDown() override {
    connection_ = nullptr;
    LogCaptureTest::TearDown();
  }
  IConnection* iconn() { return reinterpret_cast<IConnection*>(connection_.get()); }

  GRef<Connection> connection_;
};

TEST_F(AdapterBaseTest, RegisteredTypeHoldsItsConnection) {
  auto adapter = adoptGRef(tarvex_brevane_supports_database_adapter_new(iconn()));
  ASSERT_TRUE(adapter);
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(adapter.get()), "TarvexBrevaneSupportsDatabaseAdapter");
  EXPECT_TRUE(TARVEX_BREVANE_CONTRACTS_DATABASE_IS_IADAPTABLE(adapter.get()));
  EXPECT_EQ(adapter->connection, iconn());
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_supports_database_adapter_new(nullptr), nullptr),
                  "connection != NULL");
}

TEST_F(AdapterBaseTest, DefaultFillersDoNothing) {
  auto adapter = adoptGRef(tarvex_brevane_supports_database_adapter_new(iconn()));
  auto* iface = reinterpret_cast<Adaptable*>(adapter.get());
  auto table = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("d", "s", "t"));
  auto schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("d", "s"));
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iadaptable_fill_meta_table(iface, table.get(), TRUE, &error);
  tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(iface, schema.get(), TRUE, TRUE,
                                                                &error);
  tarvex_brevane_contracts_database_iadaptable_fill_meta_object(iface, META(table.get()), TRUE,
                                                                TRUE, &error);
  EXPECT_EQ(error, nullptr);
  EXPECT_EQ(size_of(tarvex_brevane_meta_model_meta_table_get_columns(table.get())), 0);
  EXPECT_FALSE(is_filled(table.get()));

  // A plain adapter's data set fill visits nothing and succeeds.
  auto data = adoptGRef(tarvex_providers_contracts_data_set_model_new());
  auto model = adoptGRef(tarvex_providers_contracts_table_model_new());
  gee_abstract_collection_add(
      GEE_ABSTRACT_COLLECTION(tarvex_providers_contracts_data_set_model_get_tables(data.get())),
      model.get());
  tarvex_brevane_contracts_database_iadaptable_fill_data_set(iface, data.get(), &error);
  EXPECT_EQ(error, nullptr);
}

TEST_F(AdapterBaseTest, DefaultsReportTheirMissingObject) {
  auto adapter = adoptGRef(tarvex_brevane_supports_database_adapter_new(iconn()));
  Adapter* a = adapter.get();
  EXPECT_CRITICAL(
      tarvex_brevane_supports_database_adapter_fill_meta_database(a, nullptr, TRUE, TRUE, nullptr),
      "database != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_adapter_fill_meta_view(a, nullptr, nullptr),
                  "view != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_adapter_fill_meta_index(a, nullptr, nullptr),
                  "index != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_adapter_fill_meta_trigger(a, nullptr, nullptr),
                  "trigger != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_adapter_fill_meta_function(a, nullptr, nullptr),
                  "routine != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_adapter_fill_meta_user(a, nullptr, nullptr),
                  "user != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_adapter_fill_meta_role(a, nullptr, nullptr),
                  "role != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_adapter_fill_meta_event(a, nullptr, nullptr),
                  "event != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_adapter_fill_data_table(a, nullptr, nullptr),
                  "table != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_adapter_fill_data_set(a, nullptr, nullptr),
                  "dataset != NULL");
  EXPECT_CRITICAL(
      tarvex_brevane_supports_database_adapter_load_privileges(a, nullptr, nullptr, 0, nullptr),
      "matrix != NULL");
  EXPECT_CRITICAL(tarvex_brevane_supports_database_adapter_fill_meta_schema(nullptr, nullptr, TRUE,
                                                                            TRUE, nullptr),
                  "self != NULL");
}

TEST_F(AdapterBaseTest, DataSetStopsAtTheFirstFailingTable) {
  auto* recorder = static_cast<RecordingAdapter*>(reinterpret_cast<gpointer>(
      tarvex_brevane_supports_database_adapter_construct(recording_adapter_get_type(), iconn())));
  auto adapter = adoptGRef(reinterpret_cast<Adapter*>(recorder));
  std::vector<TarvexProvidersContractsTableModel*> visited;
  recorder->visited = &visited;

  auto data = adoptGRef(tarvex_providers_contracts_data_set_model_new());
  GeeArrayList* tables = tarvex_providers_contracts_data_set_model_get_tables(data.get());
  std::vector<GRef<TarvexProvidersContractsTableModel>> models;
  for (int i = 0; i < 3; i++) {
    models.push_back(adoptGRef(tarvex_providers_contracts_table_model_new()));
    gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(tables), models.back().get());
  }
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iadaptable_fill_data_set(
      reinterpret_cast<Adaptable*>(adapter.get()), data.get(), &error);
  ASSERT_NE(error, nullptr);
  EXPECT_STREQ(error->message, "second table failed");
  g_clear_error(&error);
  ASSERT_EQ(visited.size(), 2u);
  EXPECT_EQ(visited[0], models[0].get());
  EXPECT_EQ(visited[1], models[1].get());

  // An empty data set calls nothing.
  visited.clear();
  auto empty = adoptGRef(tarvex_providers_contracts_data_set_model_new());
  tarvex_brevane_supports_database_adapter_fill_data_set(adapter.get(), empty.get(), &error);
  EXPECT_EQ(error, nullptr);
  EXPECT_TRUE(visited.empty());
}

}  // namespace
}  // namespace tarvex::test::dialect
