#include "providers/sqlserver/isql_server_type.h"

#include <array>

#include "common/tarvex-gobject-private.h"
#include "providers/sqlserver/sqlserver-types-private.h"

using namespace tarvex;

TARVEX_DEFINE_INTERFACE(TarvexProvidersSupportsISQLServerType,
                        tarvex_providers_supports_isql_server_type, G_TYPE_OBJECT)

static void tarvex_providers_supports_isql_server_type_default_init(
    TarvexProvidersSupportsISQLServerTypeIface*) {}

namespace tarvex::sqlserver {

namespace {

using DT = TarvexProvidersContractsDataType;

struct Entry {
  const char* dbms;
  DT data;
  signed char bind;
};

// Codes db-lib reports for result columns; everything else is text.
constexpr Entry entry(int type) {
  switch (type) {
    case 31:
      return {"void", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_POINTER, 0};
    case 34:
      return {"image", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY, 15};
    case 35:
      return {"text", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, 2};
    case 36:
      return {"uniqueidentifier", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID, 0};
    case 37:
      return {"varbinary", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY, 15};
    case 39:
      return {"varchar", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, 2};
    case 40:
      return {"date", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE, 31};
    case 41:
      return {"time", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME, 31};
    case 42:
      return {"datetime2", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, 31};
    // An instant with its offset: a date-time that keeps its zone, not a span.
    case 43:
      return {"datetimeoffset", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, 31};
    case 45:
      return {"binary", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY, 15};
    case 47:
      return {"char", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, 2};
    case 48:
      return {"tinyint", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT8, 6};
    case 49:
      return {"date", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATE, 21};
    case 50:
      return {"bit", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, 16};
    case 51:
      return {"time", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME, 22};
    case 52:
      return {"smallint", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT16, 7};
    case 56:
      return {"int", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32, 8};
    case 58:
      return {"smalldatetime", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, 12};
    case 59:
      return {"real", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT, 10};
    case 60:
      return {"money", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY, 13};
    case 61:
      return {"datetime", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, 11};
    case 62:
      return {"float(53)", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE, 9};
    case 98:
      return {"sql_variant", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_VARIANT, 0};
    case 99:
      return {"ntext", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING, 2};
    case 103:
      return {"nvarchar", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING, 2};
    case 104:
      return {"bit", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN, 0};
    case 106:
      return {"decimal", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, 18};
    case 108:
      return {"decimal", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DECIMAL, 17};
    case 110:
      return {"", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY, 0};
    case 111:
      return {"", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, 0};
    case 122:
      return {"smallmoney", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_MONEY, 14};
    case 127:
      return {"bigint", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64, 30};
    case 175:
      return {"", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, 2};
    case 187:
      return {"datetime", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DATETIME, 23};
    case 188:
      return {"time", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_TIME, 24};
    case 239:
      return {"nchar", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING, 2};
    case 241:
      return {"xml", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML, 0};
    case 243:
      return {"table", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_OBJECT, 0};
    // A CLR type's serialised bytes: not text.
    case kUdtType:
      return {"", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY, 0};
    default:
      return {"", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING, 0};
  }
}

constexpr int kBindFirst = 34;
constexpr int kBindLast = 239;

constexpr std::array<signed char, kBindLast - kBindFirst + 1> make_bind_table() {
  std::array<signed char, kBindLast - kBindFirst + 1> table{};
  for (int code = kBindFirst; code <= kBindLast; code++)
    table[code - kBindFirst] = entry(code).bind;
  return table;
}

constexpr auto kBindTable = make_bind_table();
static_assert(kBindTable.size() == 206);

}  // namespace

TarvexProvidersContractsDataType map_data_type(int type, int length) {
  switch (type) {
    case 38:  // INTN
      switch (length) {
        case 1:
          return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8;
        case 2:
          return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT16;
        case 4:
          return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32;
        case 8:
          return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64;
        default:
          return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN;
      }
    case 109:  // FLTN
      switch (length) {
        case 4:
          return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLOAT;
        case 8:
          return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_DOUBLE;
        default:
          return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN;
      }
    default:
      return entry(type).data;
  }
}

const char* map_dbms_type(int type, int length) {
  switch (type) {
    case 38:
      switch (length) {
        case 1:
          return "tinyint";
        case 2:
          return "smallint";
        case 4:
          return "int";
        case 8:
          return "bigint";
        default:
          return "";
      }
    case 109:
      return length == 4 ? "float(24)" : length == 8 ? "float(53)" : "";
    case 110:
      return length == 4 ? "smallmoney" : length == 8 ? "money" : "";
    case 111:
      return length == 4 ? "smalldatetime" : length == 8 ? "datetime" : "";
    default:
      return entry(type).dbms;
  }
}

int map_bind_type(int type) {
  if (type < kBindFirst || type > kBindLast) return 0;
  return kBindTable[size_t(type - kBindFirst)];
}

}  // namespace tarvex::sqlserver

TarvexProvidersContractsDataType tarvex_providers_supports_isql_server_type_map_data_type(
    TarvexProvidersSupportsISQLServerType* self, gint type, gint length) {
  g_return_val_if_fail(self != NULL, TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UNKNOWN);
  return sqlserver::map_data_type(type, length);
}

gchar* tarvex_providers_supports_isql_server_type_map_dbms_type(
    TarvexProvidersSupportsISQLServerType* self, gint type, gint length) {
  g_return_val_if_fail(self != NULL, NULL);
  return g_strdup(sqlserver::map_dbms_type(type, length));
}

gint tarvex_providers_supports_isql_server_type_map_bind_type(
    TarvexProvidersSupportsISQLServerType* self, gint type) {
  g_return_val_if_fail(self != NULL, 0);
  return sqlserver::map_bind_type(type);
}
