// OpenSSLAsymmetricCipher: RSA 2048 with OAEP padding and PEM key files.
// Implements IAsymmetricCipher; one object serves one call at a time.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/iasymmetric_cipher.h"
#include "brevane/crypto/crypto_error.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_CRYPTO_TYPE_OPEN_SSL_ASYMMETRIC_CIPHER \
  (tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_get_type(void)
    G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher,
                         tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher,
                         TARVEX_BREVANE_SUPPORTS_CRYPTO, OPEN_SSL_ASYMMETRIC_CIPHER, GObject)

struct _TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipherClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher*
tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher*
tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_construct(GType object_type);

// Signs nothing: always an empty array (NULL, length 0).
TARVEX_EXPORT guint8* tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_sign(
    TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher* self, gint* result_length1);
// Private key material is never printed: this writes nothing.
TARVEX_EXPORT void tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_print_private(
    TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher* self);
// Writes the public key as PEM to standard output, when a key is held.
TARVEX_EXPORT void tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_print_public(
    TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher* self);

G_END_DECLS
