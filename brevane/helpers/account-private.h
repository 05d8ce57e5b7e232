// The operating-system account that keys the password cipher: user name and
// host name, read at every call. Tests pin them to get fixed ciphertexts.
//
// Not installed, not part of the API.
#pragma once

#include <glib.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS
// Replaces the user and host names; NULL restores the system's.
TARVEX_EXPORT void tarvex_brevane_testing_set_account(const gchar* user_name,
                                                      const gchar* host_name);
G_END_DECLS
