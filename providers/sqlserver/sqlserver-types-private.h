// The db-lib type maps as plain functions, for the reader's hot path
// (not installed).
#pragma once

#include "providers/contracts/data_type.h"

namespace tarvex::sqlserver {

// Column type codes beyond db-lib's named ones.
constexpr int kUdtType = 240;  // CLR user-defined types: geometry, geography, hierarchyid

TarvexProvidersContractsDataType map_data_type(int type, int length);
// A static text; "" when the code has no name.
const char* map_dbms_type(int type, int length);
int map_bind_type(int type);

}  // namespace tarvex::sqlserver
