#include "brevane/crypto/crypto_error.h"

G_DEFINE_QUARK(Crypto, tarvex_brevane_supports_crypto_error)
