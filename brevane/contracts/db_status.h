// The status of a database connection.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef enum {
  TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Unknown = 0,
  TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Closed = 1,
  TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Opened = 2,
  TARVEX_BREVANE_CONTRACTS_DATABASE_DB_STATUS_Failed = 3,
} TarvexBrevaneContractsDatabaseDBStatus;

#define TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_DB_STATUS \
  (tarvex_brevane_contracts_database_db_status_get_type())

TARVEX_EXPORT GType tarvex_brevane_contracts_database_db_status_get_type(void) G_GNUC_CONST;

G_END_DECLS
