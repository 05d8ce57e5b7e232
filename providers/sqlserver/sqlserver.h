// The SQL Server provider of libfenrow.
#pragma once

#include "providers/sqlserver/isql_server_error.h"
#include "providers/sqlserver/isql_server_type.h"
#include "providers/sqlserver/sql_server_error.h"
#include "providers/sqlserver/sql_server_provider.h"
#include "providers/sqlserver/sql_server_reader.h"
#include "providers/sqlserver/tds_message.h"
#include "providers/sqlserver/tds_user_data.h"
#include "providers/sqlserver/tdsdb_error.h"
