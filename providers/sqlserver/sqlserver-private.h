// Internals shared by the SQL Server provider and reader (not installed).
#pragma once

#include <sybdb.h>
#include <sybfront.h>

#include "common/tarvex-gobject-private.h"
#include "providers/contracts/table_model.h"
#include "providers/sqlserver/sql_server_error.h"
#include "providers/sqlserver/tds_message.h"
#include "providers/sqlserver/tds_user_data.h"
#include "providers/sqlserver/tdsdb_error.h"

namespace tarvex {
TARVEX_DEFINE_GDELETER(LOGINREC, dbloginfree(ptr))
}

namespace tarvex::sqlserver {

// db-lib's answers that raise_error turns into an error.
inline bool is_failure(RETCODE code) {
  return code == FAIL || code == BUF_FULL;
}

// The record behind a process's user data; nullptr for a null process.
inline TarvexProvidersSupportsTdsUserData* userdata_of(DBPROCESS* process) {
  return process ? reinterpret_cast<TarvexProvidersSupportsTdsUserData*>(dbgetuserdata(process))
                 : nullptr;
}

void queue_message(TarvexProvidersSupportsTdsUserData* userdata, gint severity, gint error,
                   const char* message, const char* source);
bool queue_is_empty(const TarvexProvidersSupportsTdsUserData* userdata);
void queue_clear(TarvexProvidersSupportsTdsUserData* userdata);

// The error of a failure no message reported, from what the command running
// on this thread knows (its informational messages, a dead process); false
// when no command of that record runs here. raise_error's last resort.
bool explain_unreported(TarvexProvidersSupportsTdsUserData* userdata, GError** error);

// raise_error over a record (which may be null); true when an error was set.
bool raise_error(TarvexProvidersSupportsTdsUserData* userdata, RETCODE code, GError** error);

// The "TDSDB" error of the messages queued since the command began, when
// there are any: a command that met a server error or a db-lib error has
// failed even when db-lib let it end like a success. True when set.
bool raise_queued(TarvexProvidersSupportsTdsUserData* userdata, GError** error);

// The reader's step: dbnextrow through raise_error; at the end of the rows,
// raise_queued. True when a row was read.
bool read_row(DBPROCESS* process, GError** error);

// A new table model of the current result set, its rows read to the end;
// nullptr with the error set.
TarvexProvidersContractsTableModel* fill_model(DBPROCESS* process, GError** error);

}  // namespace tarvex::sqlserver
