// OpenSSLSymmetricCipher: AES-256-CBC with the key and initialisation vector
// derived from a key text and a salt text (EVP_BytesToKey, SHA-1, two
// rounds). Implements ISymmetricCipher; one object serves one call at a time.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/isymmetric_cipher.h"
#include "brevane/crypto/crypto_error.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_CRYPTO_TYPE_OPEN_SSL_SYMMETRIC_CIPHER \
  (tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_get_type(void)
    G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipher,
                         tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher,
                         TARVEX_BREVANE_SUPPORTS_CRYPTO, OPEN_SSL_SYMMETRIC_CIPHER, GObject)

struct _TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipherClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipher*
tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipher*
tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_construct(GType object_type);

G_END_DECLS
