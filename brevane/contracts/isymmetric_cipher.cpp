#include "brevane/contracts/isymmetric_cipher.h"

#include "common/tarvex-gobject.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsCryptoISymmetricCipher,
                        tarvex_brevane_contracts_crypto_isymmetric_cipher, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_crypto_isymmetric_cipher_default_init(
    TarvexBrevaneContractsCryptoISymmetricCipherIface* iface) {}

void tarvex_brevane_contracts_crypto_isymmetric_cipher_initialize(
    TarvexBrevaneContractsCryptoISymmetricCipher* self, const gchar* key, const gchar* salt,
    GError** error) {
  g_return_if_fail(self != NULL);
  auto* iface = TARVEX_BREVANE_CONTRACTS_CRYPTO_ISYMMETRIC_CIPHER_GET_INTERFACE(self);
  if (iface->initialize) iface->initialize(self, key, salt, error);
}

guint8* tarvex_brevane_contracts_crypto_isymmetric_cipher_encrypt(
    TarvexBrevaneContractsCryptoISymmetricCipher* self, const guint8* data, gint data_length1,
    gint* len, gint* result_length1, GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_CRYPTO_ISYMMETRIC_CIPHER_GET_INTERFACE(self);
  return iface->encrypt ? iface->encrypt(self, data, data_length1, len, result_length1, error)
                        : nullptr;
}

guint8* tarvex_brevane_contracts_crypto_isymmetric_cipher_decrypt(
    TarvexBrevaneContractsCryptoISymmetricCipher* self, const guint8* data, gint data_length1,
    gint* len, gint* result_length1, GError** error) {
  g_return_val_if_fail(self != NULL, nullptr);
  auto* iface = TARVEX_BREVANE_CONTRACTS_CRYPTO_ISYMMETRIC_CIPHER_GET_INTERFACE(self);
  return iface->decrypt ? iface->decrypt(self, data, data_length1, len, result_length1, error)
                        : nullptr;
}
