#include "brevane/contracts/isymmetric_cipher.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsCryptoISymmetricCipher,
                        tarvex_brevane_contracts_crypto_isymmetric_cipher, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_crypto_isymmetric_cipher_default_init(
    TarvexBrevaneContractsCryptoISymmetricCipherIface* iface) {}

void tarvex_brevane_contracts_crypto_isymmetric_cipher_initialize(
    TarvexBrevaneContractsCryptoISymmetricCipher* self, const gchar* key, const gchar* salt,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsCryptoISymmetricCipherIface::initialize>(self, key, salt,
                                                                                    error);
}

guint8* tarvex_brevane_contracts_crypto_isymmetric_cipher_encrypt(
    TarvexBrevaneContractsCryptoISymmetricCipher* self, const guint8* data, gint data_length1,
    gint* len, gint* result_length1, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsCryptoISymmetricCipherIface::encrypt>(
      self, data, data_length1, len, result_length1, error);
}

guint8* tarvex_brevane_contracts_crypto_isymmetric_cipher_decrypt(
    TarvexBrevaneContractsCryptoISymmetricCipher* self, const guint8* data, gint data_length1,
    gint* len, gint* result_length1, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsCryptoISymmetricCipherIface::decrypt>(
      self, data, data_length1, len, result_length1, error);
}
