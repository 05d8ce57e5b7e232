// A public-key cipher: key pairs made, loaded and saved, data enciphered and deciphered.
// Byte results are new buffers with their declared length (result_length1)
// and, separately, the number of meaningful bytes in them (len).
#pragma once

#include <glib-object.h>
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsCryptoIAsymmetricCipher
    TarvexBrevaneContractsCryptoIAsymmetricCipher;
typedef struct _TarvexBrevaneContractsCryptoIAsymmetricCipherIface
    TarvexBrevaneContractsCryptoIAsymmetricCipherIface;

struct _TarvexBrevaneContractsCryptoIAsymmetricCipherIface {
  GTypeInterface parent_iface;
  void (*initialize)(TarvexBrevaneContractsCryptoIAsymmetricCipher* self, GError** error);
  void (*load_public_key)(TarvexBrevaneContractsCryptoIAsymmetricCipher* self,
                          const gchar* public_key_file, GError** error);
  void (*load_private_key)(TarvexBrevaneContractsCryptoIAsymmetricCipher* self,
                           const gchar* private_key_file, GError** error);
  void (*save_key)(TarvexBrevaneContractsCryptoIAsymmetricCipher* self, guint8** public_key,
                   gint* public_key_length1, guint8** private_key, gint* private_key_length1,
                   GError** error);
  void (*save_key_file)(TarvexBrevaneContractsCryptoIAsymmetricCipher* self,
                        const gchar* public_key, const gchar* private_key, GError** error);
  guint8* (*encrypt)(TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const guint8* data,
                     gint data_length1, gint* len, gint* result_length1, GError** error);
  guint8* (*decrypt)(TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const guint8* data,
                     gint data_length1, gint* len, gint* result_length1, GError** error);
};

#define TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_IASYMMETRIC_CIPHER \
  (tarvex_brevane_contracts_crypto_iasymmetric_cipher_get_type())
#define TARVEX_BREVANE_CONTRACTS_CRYPTO_IASYMMETRIC_CIPHER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_IASYMMETRIC_CIPHER, \
                              TarvexBrevaneContractsCryptoIAsymmetricCipher))
#define TARVEX_BREVANE_CONTRACTS_CRYPTO_IS_IASYMMETRIC_CIPHER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_IASYMMETRIC_CIPHER))
#define TARVEX_BREVANE_CONTRACTS_CRYPTO_IASYMMETRIC_CIPHER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_IASYMMETRIC_CIPHER, \
                                 TarvexBrevaneContractsCryptoIAsymmetricCipherIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_crypto_iasymmetric_cipher_get_type(void) G_GNUC_CONST;
// Generates a new key pair.
TARVEX_EXPORT void tarvex_brevane_contracts_crypto_iasymmetric_cipher_initialize(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_crypto_iasymmetric_cipher_load_public_key(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const gchar* public_key_file,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_crypto_iasymmetric_cipher_load_private_key(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const gchar* private_key_file,
    GError** error);
// Both keys as new byte arrays.
TARVEX_EXPORT void tarvex_brevane_contracts_crypto_iasymmetric_cipher_save_key(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, guint8** public_key,
    gint* public_key_length1, guint8** private_key, gint* private_key_length1, GError** error);
// Writes both keys to the given paths.
TARVEX_EXPORT void tarvex_brevane_contracts_crypto_iasymmetric_cipher_save_key_file(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const gchar* public_key,
    const gchar* private_key, GError** error);
TARVEX_EXPORT guint8* tarvex_brevane_contracts_crypto_iasymmetric_cipher_encrypt(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const guint8* data, gint data_length1,
    gint* len, gint* result_length1, GError** error);
TARVEX_EXPORT guint8* tarvex_brevane_contracts_crypto_iasymmetric_cipher_decrypt(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const guint8* data, gint data_length1,
    gint* len, gint* result_length1, GError** error);

G_END_DECLS
