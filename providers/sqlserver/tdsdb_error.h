// Error domain "TDSDB": the messages and failures of db-lib and of the server
// behind it. The code is the server's or db-lib's message number, or -1 when
// no number came with the failure.
//
// No exported function stands behind the domain: the quark comes from its
// name, so hosts and tests need not spell the name themselves.
#pragma once

#include <glib.h>

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR (g_quark_from_static_string("TDSDB"))

G_END_DECLS
