// The kind of change a SQL text makes.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef enum {
  TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_NOTHING = 0,
  TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_INSERT = 1,
  TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_UPDATE = 2,
  TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_DELETE = 3,
  TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_SCHEMA = 4,
  TARVEX_BREVANE_CONTRACTS_DATABASE_SQL_ACTION_FEATURE = 5,
} TarvexBrevaneContractsDatabaseSqlAction;

#define TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_SQL_ACTION \
  (tarvex_brevane_contracts_database_sql_action_get_type())

TARVEX_EXPORT GType tarvex_brevane_contracts_database_sql_action_get_type(void) G_GNUC_CONST;
// A new copy of the value's nick; NULL for a number outside the enumeration.
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_sql_action_to_string(
    TarvexBrevaneContractsDatabaseSqlAction self);

G_END_DECLS
