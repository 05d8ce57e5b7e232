// Error domain "SQLServer": the SQL Server provider's own failures (a login
// record it cannot make, a connection it cannot open), all with code -1.
//
// No exported function stands behind the domain: the quark comes from its
// name, so hosts and tests need not spell the name themselves.
#pragma once

#include <glib.h>

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_SUPPORTS_SQL_SERVER_ERROR (g_quark_from_static_string("SQLServer"))

G_END_DECLS
