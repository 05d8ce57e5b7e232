// The operating-system account that keys the password cipher: user name and
// host name, read at every call. Tests pin them to get fixed ciphertexts.
//
// Not installed, not part of the API; the seam is reached only by programs
// that link the library's internal archive (the tests).
#pragma once

#include <glib.h>

namespace tarvex::testing {
// Replaces the user and host names; nullptr restores the system's.
void set_account(const gchar* user_name, const gchar* host_name);
}  // namespace tarvex::testing
