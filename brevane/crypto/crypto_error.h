// Error domain "Crypto" of the OpenSSL ciphers: code -1 for the ciphers' own
// failures, otherwise the failing OpenSSL call's return value.
#pragma once

#include <glib.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_CRYPTO_ERROR (tarvex_brevane_supports_crypto_error_quark())
TARVEX_EXPORT GQuark tarvex_brevane_supports_crypto_error_quark(void);

G_END_DECLS
