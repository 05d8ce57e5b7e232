// The three db-lib type maps, one table of cases.
#include "tests/providers/sqlserver/sqlserver-test.h"

namespace tarvex::test::sqlserver {
namespace {

using DT = TarvexProvidersContractsDataType;

struct MapCase {
  int code;
  int length;
  const char* dbms;
  DT data;
  int bind;
};

#define DT_(name) TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_##name

const MapCase kCases[] = {
    {31, 0, "void", DT_(POINTER), 0},
    {34, 16, "image", DT_(BINARY), 15},
    {35, 16, "text", DT_(STRING), 2},
    {36, 16, "uniqueidentifier", DT_(UUID), 0},
    {37, 8, "varbinary", DT_(BINARY), 15},
    {38, 1, "tinyint", DT_(INT8), 0},
    {38, 2, "smallint", DT_(INT16), 0},
    {38, 4, "int", DT_(INT32), 0},
    {38, 8, "bigint", DT_(INT64), 0},
    {38, 3, "", DT_(UNKNOWN), 0},
    {39, 10, "varchar", DT_(STRING), 2},
    {40, 16, "date", DT_(DATE), 31},
    {41, 16, "time", DT_(TIME), 31},
    {42, 16, "datetime2", DT_(DATETIME), 31},
    // An instant with its offset is a date-time, not a span.
    {43, 16, "datetimeoffset", DT_(DATETIME), 31},
    {45, 8, "binary", DT_(BINARY), 15},
    {47, 40, "char", DT_(STRING), 2},
    {48, 1, "tinyint", DT_(UINT8), 6},
    {49, 4, "date", DT_(DATE), 21},
    {50, 1, "bit", DT_(BOOLEAN), 16},
    {51, 4, "time", DT_(TIME), 22},
    {52, 2, "smallint", DT_(INT16), 7},
    {56, 4, "int", DT_(INT32), 8},
    {58, 4, "smalldatetime", DT_(DATETIME), 12},
    {59, 4, "real", DT_(FLOAT), 10},
    {60, 8, "money", DT_(MONEY), 13},
    {61, 8, "datetime", DT_(DATETIME), 11},
    {62, 8, "float(53)", DT_(DOUBLE), 9},
    {98, 8009, "sql_variant", DT_(VARIANT), 0},
    {99, 16, "ntext", DT_(WSTRING), 2},
    {103, 80, "nvarchar", DT_(WSTRING), 2},
    {104, 1, "bit", DT_(BOOLEAN), 0},
    {106, 17, "decimal", DT_(DECIMAL), 18},
    {108, 17, "decimal", DT_(DECIMAL), 17},
    {109, 4, "float(24)", DT_(FLOAT), 0},
    {109, 8, "float(53)", DT_(DOUBLE), 0},
    {109, 2, "", DT_(UNKNOWN), 0},
    {110, 4, "smallmoney", DT_(MONEY), 0},
    {110, 8, "money", DT_(MONEY), 0},
    {110, 2, "", DT_(MONEY), 0},
    {111, 4, "smalldatetime", DT_(DATETIME), 0},
    {111, 8, "datetime", DT_(DATETIME), 0},
    {111, 2, "", DT_(DATETIME), 0},
    {122, 4, "smallmoney", DT_(MONEY), 14},
    {127, 8, "bigint", DT_(INT64), 30},
    {175, 10, "", DT_(STRING), 2},
    {187, 8, "datetime", DT_(DATETIME), 23},
    {188, 8, "time", DT_(TIME), 24},
    {239, 20, "nchar", DT_(WSTRING), 2},
    {241, 0, "xml", DT_(XML), 0},
    {243, 0, "table", DT_(OBJECT), 0},
    // CLR types (geometry, geography, hierarchyid) are bytes, not text.
    {240, 2147483647, "", DT_(BINARY), 0},
    // Unmapped codes.
    {0, 0, "", DT_(STRING), 0},
    {33, 0, "", DT_(STRING), 0},
    {200, 0, "", DT_(STRING), 0},
    {255, 0, "", DT_(STRING), 0},
    {-5, 0, "", DT_(STRING), 0},
};

class TypeMaps : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    // The maps depend on their arguments only; any implementation serves.
    auto* reader = tarvex_providers_supports_sql_server_reader_new(reinterpret_cast<gpointer>(0x1));
    reader_ = adoptGRef(G_OBJECT(reader));
  }
  TarvexProvidersSupportsISQLServerType* self() {
    return reinterpret_cast<TarvexProvidersSupportsISQLServerType*>(reader_.get());
  }
  GRef<GObject> reader_;
};

TEST_F(TypeMaps, TableOfCodes) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << "code " << c.code << " length " << c.length);
    GUniqueStr dbms(
        tarvex_providers_supports_isql_server_type_map_dbms_type(self(), c.code, c.length));
    EXPECT_STREQ(dbms.get(), c.dbms);
    EXPECT_EQ(tarvex_providers_supports_isql_server_type_map_data_type(self(), c.code, c.length),
              c.data);
    EXPECT_EQ(tarvex_providers_supports_isql_server_type_map_bind_type(self(), c.code), c.bind);
  }
}

TEST_F(TypeMaps, BindTableCoversCodes34To239Only) {
  int mapped = 0;
  for (int code = -300; code < 600; code++) {
    int bind = tarvex_providers_supports_isql_server_type_map_bind_type(self(), code);
    if (code < 34 || code > 239) {
      EXPECT_EQ(bind, 0) << code;
    }
    if (bind != 0) mapped++;
  }
  EXPECT_EQ(mapped, 31);
}

TEST_F(TypeMaps, InterfaceAndPreconditions) {
  EXPECT_STREQ(g_type_name(TARVEX_PROVIDERS_SUPPORTS_TYPE_ISQL_SERVER_TYPE),
               "TarvexProvidersSupportsISQLServerType");
  EXPECT_TRUE(G_TYPE_IS_INTERFACE(TARVEX_PROVIDERS_SUPPORTS_TYPE_ISQL_SERVER_TYPE));
  EXPECT_TRUE(TARVEX_PROVIDERS_SUPPORTS_IS_ISQL_SERVER_TYPE(reader_.get()));
  EXPECT_CRITICAL(tarvex_providers_supports_isql_server_type_map_bind_type(nullptr, 56),
                  "self != NULL");
  EXPECT_CRITICAL(g_free(tarvex_providers_supports_isql_server_type_map_dbms_type(nullptr, 56, 4)),
                  "self != NULL");
}

}  // namespace
}  // namespace tarvex::test::sqlserver
