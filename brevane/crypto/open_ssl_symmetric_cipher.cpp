#include "brevane/crypto/open_ssl_symmetric_cipher.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "brevane/crypto/crypto-private.h"
#include "common/tarvex-gobject-private.h"

using tarvex::crypto::Bytes;
using tarvex::crypto::fail;
using tarvex::crypto::Owned;

typedef struct _TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipherPrivate
    TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipherPrivate;
struct _TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipherPrivate {
  std::string key;
  std::string salt;
  guint8 derived_key[32] = {};
  // AES uses the first 16 bytes.
  guint8 derived_iv[32] = {};
  const EVP_CIPHER* cipher = EVP_aes_256_cbc();
  Owned<EVP_CIPHER_CTX> context{EVP_CIPHER_CTX_new()};

  ~_TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipherPrivate() {
    OPENSSL_cleanse(derived_key, sizeof derived_key);
    OPENSSL_cleanse(derived_iv, sizeof derived_iv);
  }
};

static void symmetric_iface_init(TarvexBrevaneContractsCryptoISymmetricCipherIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipher,
    tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_ISYMMETRIC_CIPHER,
                          symmetric_iface_init))

static void tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_class_setup(
    TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipherClass*) {}

static TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipherPrivate* priv_of(gconstpointer self) {
  return tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_get_private(self);
}

static void symmetric_initialize(TarvexBrevaneContractsCryptoISymmetricCipher* self,
                                 const gchar* key, const gchar* salt, GError** error) {
  g_return_if_fail(key != NULL);
  g_return_if_fail(salt != NULL);
  auto* priv = priv_of(self);
  priv->key = key;
  priv->salt = salt;
  // The derivation takes exactly 8 bytes of salt; a shorter text is padded
  // with zero bytes so the same text always gives the same key.
  unsigned char salt8[PKCS5_SALT_LEN] = {};
  std::memcpy(salt8, salt, std::min<size_t>(priv->salt.size(), sizeof salt8));
  int size =
      EVP_BytesToKey(priv->cipher, EVP_sha1(), salt8, reinterpret_cast<const unsigned char*>(key),
                     static_cast<int>(priv->key.size()), 2, priv->derived_key, priv->derived_iv);
  if (size != EVP_CIPHER_get_key_length(priv->cipher))
    fail(error, -1, "Failed to generate Cipher key and iv");
}

static guint8* symmetric_encrypt(TarvexBrevaneContractsCryptoISymmetricCipher* self,
                                 const guint8* data, gint data_length1, gint* len,
                                 gint* result_length1, GError** error) {
  g_return_val_if_fail(data_length1 >= 0, nullptr);
  auto* priv = priv_of(self);
  EVP_CIPHER_CTX* ctx = priv->context.get();
  EVP_CIPHER_CTX_reset(ctx);
  if (EVP_EncryptInit_ex(ctx, priv->cipher, nullptr, priv->derived_key, priv->derived_iv) != 1) {
    fail(error, -1, "Failed to initialize encrypt function");
    return nullptr;
  }
  const gint capacity = data_length1 + 16;
  Bytes out(g_new0(guint8, capacity));
  int written = 0;
  if (EVP_EncryptUpdate(ctx, out.get(), &written, data, data_length1) != 1) {
    fail(error, -1, "Failed to encrypt data");
    return nullptr;
  }
  int tail = 0;
  if (EVP_EncryptFinal_ex(ctx, out.get() + written, &tail) != 1) {
    fail(error, -1, "Failed to encrypt data finally");
    return nullptr;
  }
  if (len) *len = written + tail;
  if (result_length1) *result_length1 = capacity;
  return out.release();
}

static guint8* symmetric_decrypt(TarvexBrevaneContractsCryptoISymmetricCipher* self,
                                 const guint8* data, gint data_length1, gint* len,
                                 gint* result_length1, GError** error) {
  g_return_val_if_fail(data_length1 >= 0, nullptr);
  auto* priv = priv_of(self);
  EVP_CIPHER_CTX* ctx = priv->context.get();
  EVP_CIPHER_CTX_reset(ctx);
  if (EVP_DecryptInit_ex(ctx, priv->cipher, nullptr, priv->derived_key, priv->derived_iv) != 1) {
    fail(error, -1, "Failed to initialize decrypt function");
    return nullptr;
  }
  // The plaintext is never longer than the ciphertext; one spare block keeps
  // OpenSSL's documented output bound whatever the input.
  const gint capacity = data_length1 + 1;
  Bytes out(g_new0(guint8, capacity + EVP_MAX_BLOCK_LENGTH));
  int written = 0;
  if (EVP_DecryptUpdate(ctx, out.get(), &written, data, data_length1) != 1) {
    fail(error, -1, "Failed to decrypt data");
    return nullptr;
  }
  int tail = 0;
  if (EVP_DecryptFinal_ex(ctx, out.get() + written, &tail) != 1) {
    OPENSSL_cleanse(out.get(), capacity);
    fail(error, -1, "Failed to decrypt data finally");
    return nullptr;
  }
  out[written + tail] = 0;
  if (len) *len = written + tail;
  if (result_length1) *result_length1 = capacity;
  return out.release();
}

static void symmetric_iface_init(TarvexBrevaneContractsCryptoISymmetricCipherIface* iface) {
  iface->initialize = symmetric_initialize;
  iface->encrypt = symmetric_encrypt;
  iface->decrypt = symmetric_decrypt;
}

TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipher*
tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_construct(GType object_type) {
  return static_cast<TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipher*>(
      g_object_new(object_type, nullptr));
}

TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipher*
tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_new(void) {
  return tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_construct(
      TARVEX_BREVANE_SUPPORTS_CRYPTO_TYPE_OPEN_SSL_SYMMETRIC_CIPHER);
}
