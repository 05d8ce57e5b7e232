#include "brevane/contracts/iasymmetric_cipher.h"

#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneContractsCryptoIAsymmetricCipher,
                        tarvex_brevane_contracts_crypto_iasymmetric_cipher, G_TYPE_OBJECT)

static void tarvex_brevane_contracts_crypto_iasymmetric_cipher_default_init(
    TarvexBrevaneContractsCryptoIAsymmetricCipherIface* iface) {}

void tarvex_brevane_contracts_crypto_iasymmetric_cipher_initialize(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsCryptoIAsymmetricCipherIface::initialize>(self, error);
}

void tarvex_brevane_contracts_crypto_iasymmetric_cipher_load_public_key(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const gchar* public_key_file,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsCryptoIAsymmetricCipherIface::load_public_key>(
      self, public_key_file, error);
}

void tarvex_brevane_contracts_crypto_iasymmetric_cipher_load_private_key(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const gchar* private_key_file,
    GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsCryptoIAsymmetricCipherIface::load_private_key>(
      self, private_key_file, error);
}

void tarvex_brevane_contracts_crypto_iasymmetric_cipher_save_key(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, guint8** public_key,
    gint* public_key_length1, guint8** private_key, gint* private_key_length1, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsCryptoIAsymmetricCipherIface::save_key>(
      self, public_key, public_key_length1, private_key, private_key_length1, error);
}

void tarvex_brevane_contracts_crypto_iasymmetric_cipher_save_key_file(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const gchar* public_key,
    const gchar* private_key, GError** error) {
  tarvex::call_slot<&TarvexBrevaneContractsCryptoIAsymmetricCipherIface::save_key_file>(
      self, public_key, private_key, error);
}

guint8* tarvex_brevane_contracts_crypto_iasymmetric_cipher_encrypt(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const guint8* data, gint data_length1,
    gint* len, gint* result_length1, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsCryptoIAsymmetricCipherIface::encrypt>(
      self, data, data_length1, len, result_length1, error);
}

guint8* tarvex_brevane_contracts_crypto_iasymmetric_cipher_decrypt(
    TarvexBrevaneContractsCryptoIAsymmetricCipher* self, const guint8* data, gint data_length1,
    gint* len, gint* result_length1, GError** error) {
  return tarvex::call_slot<&TarvexBrevaneContractsCryptoIAsymmetricCipherIface::decrypt>(
      self, data, data_length1, len, result_length1, error);
}
