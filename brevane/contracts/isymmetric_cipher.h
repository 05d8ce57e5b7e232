// A secret-key cipher keyed by a key text and a salt text.
// Byte results are new buffers with their declared length (result_length1,
// the capacity the cipher allocated) and the number of meaningful bytes (len).
#pragma once

#include <glib-object.h>
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsCryptoISymmetricCipher
    TarvexBrevaneContractsCryptoISymmetricCipher;
typedef struct _TarvexBrevaneContractsCryptoISymmetricCipherIface
    TarvexBrevaneContractsCryptoISymmetricCipherIface;

struct _TarvexBrevaneContractsCryptoISymmetricCipherIface {
  GTypeInterface parent_iface;
  void (*initialize)(TarvexBrevaneContractsCryptoISymmetricCipher* self, const gchar* key,
                     const gchar* salt, GError** error);
  guint8* (*encrypt)(TarvexBrevaneContractsCryptoISymmetricCipher* self, const guint8* data,
                     gint data_length1, gint* len, gint* result_length1, GError** error);
  guint8* (*decrypt)(TarvexBrevaneContractsCryptoISymmetricCipher* self, const guint8* data,
                     gint data_length1, gint* len, gint* result_length1, GError** error);
};

#define TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_ISYMMETRIC_CIPHER \
  (tarvex_brevane_contracts_crypto_isymmetric_cipher_get_type())
#define TARVEX_BREVANE_CONTRACTS_CRYPTO_ISYMMETRIC_CIPHER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_ISYMMETRIC_CIPHER, \
                              TarvexBrevaneContractsCryptoISymmetricCipher))
#define TARVEX_BREVANE_CONTRACTS_CRYPTO_IS_ISYMMETRIC_CIPHER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_ISYMMETRIC_CIPHER))
#define TARVEX_BREVANE_CONTRACTS_CRYPTO_ISYMMETRIC_CIPHER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_ISYMMETRIC_CIPHER, \
                                 TarvexBrevaneContractsCryptoISymmetricCipherIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_crypto_isymmetric_cipher_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_brevane_contracts_crypto_isymmetric_cipher_initialize(
    TarvexBrevaneContractsCryptoISymmetricCipher* self, const gchar* key, const gchar* salt,
    GError** error);
TARVEX_EXPORT guint8* tarvex_brevane_contracts_crypto_isymmetric_cipher_encrypt(
    TarvexBrevaneContractsCryptoISymmetricCipher* self, const guint8* data, gint data_length1,
    gint* len, gint* result_length1, GError** error);
TARVEX_EXPORT guint8* tarvex_brevane_contracts_crypto_isymmetric_cipher_decrypt(
    TarvexBrevaneContractsCryptoISymmetricCipher* self, const guint8* data, gint data_length1,
    gint* len, gint* result_length1, GError** error);

G_END_DECLS
