#include "brevane/crypto/open_ssl_asymmetric_cipher.h"

#include <glib/gi18n-lib.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <cstdio>

#include "brevane/crypto/crypto-private.h"
#include "common/tarvex-gobject-private.h"

using tarvex::crypto::Bytes;
using tarvex::crypto::fail;
using tarvex::crypto::Owned;

typedef struct _TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipherPrivate
    TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipherPrivate;
struct _TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipherPrivate {
  Owned<EVP_PKEY_CTX> generator;
  Owned<BIGNUM> exponent;
  // The key pair, or a single public or private key after a load.
  Owned<EVP_PKEY> key;
};

static void asymmetric_iface_init(TarvexBrevaneContractsCryptoIAsymmetricCipherIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher,
    tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_IASYMMETRIC_CIPHER,
                          asymmetric_iface_init))

static void tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_class_setup(
    TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipherClass*) {}

static TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipherPrivate* priv_of(gconstpointer self) {
  return tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_get_private(self);
}

static void asymmetric_initialize(TarvexBrevaneContractsCryptoIAsymmetricCipher* self,
                                  GError** error) {
  auto* priv = priv_of(self);
  priv->exponent.reset(BN_new());
  int rc = priv->exponent ? BN_set_word(priv->exponent.get(), RSA_F4) : 0;
  if (rc != 1) {
    fail(error, rc, _("Failed to set bignum word."));
    return;
  }
  priv->generator.reset(EVP_PKEY_CTX_new_id(EVP_PKEY_RSA, nullptr));
  if (!priv->generator) {
    fail(error, 0, _("Failed to generate RSA key."));
    return;
  }
  EVP_PKEY_CTX* ctx = priv->generator.get();
  if ((rc = EVP_PKEY_keygen_init(ctx)) != 1 ||
      (rc = EVP_PKEY_CTX_set_rsa_keygen_bits(ctx, 2048)) != 1 ||
      (rc = EVP_PKEY_CTX_set1_rsa_keygen_pubexp(ctx, priv->exponent.get())) != 1) {
    fail(error, rc, _("Failed to generate RSA key."));
    return;
  }
  EVP_PKEY* made = nullptr;
  if ((rc = EVP_PKEY_keygen(ctx, &made)) != 1) {
    fail(error, rc, _("Failed to generate RSA key."));
    return;
  }
  priv->key.reset(made);
}

static void asymmetric_load_public_key(TarvexBrevaneContractsCryptoIAsymmetricCipher* self,
                                       const gchar* public_key_file, GError** error) {
  g_return_if_fail(public_key_file != NULL);
  auto* priv = priv_of(self);
  priv->key.reset();
  Owned<BIO> bio(BIO_new_file(public_key_file, "r"));
  if (bio) priv->key.reset(PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr));
  if (!priv->key) fail(error, -1, _("Failed to load public key."));
}

static void asymmetric_load_private_key(TarvexBrevaneContractsCryptoIAsymmetricCipher* self,
                                        const gchar* private_key_file, GError** error) {
  g_return_if_fail(private_key_file != NULL);
  auto* priv = priv_of(self);
  priv->key.reset();
  Owned<BIO> bio(BIO_new_file(private_key_file, "r"));
  // An empty pass phrase: a protected key fails instead of prompting on the
  // terminal.
  char empty[] = "";
  if (bio) priv->key.reset(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, empty));
  if (!priv->key) fail(error, -1, _("Failed to load private key."));
}

// The pending bytes of a memory BIO plus one zero byte.
static guint8* take_pem(BIO* bio, gint* length) {
  char* data = nullptr;
  long size = BIO_get_mem_data(bio, &data);
  auto* out = g_new0(guint8, size + 1);
  if (size > 0) memcpy(out, data, size);
  *length = static_cast<gint>(size + 1);
  return out;
}

static void asymmetric_save_key(TarvexBrevaneContractsCryptoIAsymmetricCipher* self,
                                guint8** public_key, gint* public_key_length1, guint8** private_key,
                                gint* private_key_length1, GError** error) {
  auto* priv = priv_of(self);
  Owned<BIO> bio(BIO_new(BIO_s_mem()));
  int rc = priv->key ? PEM_write_bio_PrivateKey(bio.get(), priv->key.get(), nullptr, nullptr, 0,
                                                nullptr, nullptr)
                     : 0;
  if (rc != 1) {
    fail(error, rc, _("Failed to write private key."));
    return;
  }
  gint private_length = 0;
  Bytes private_pem(take_pem(bio.get(), &private_length));
  BIO_reset(bio.get());
  if ((rc = PEM_write_bio_PUBKEY(bio.get(), priv->key.get())) != 1) {
    OPENSSL_cleanse(private_pem.get(), private_length);
    fail(error, rc, _("Failed to write public key."));
    return;
  }
  gint public_length = 0;
  Bytes public_pem(take_pem(bio.get(), &public_length));
  if (private_key_length1) *private_key_length1 = private_length;
  if (public_key_length1) *public_key_length1 = public_length;
  if (private_key) *private_key = private_pem.release();
  if (public_key) *public_key = public_pem.release();
}

// Writes one PEM file the way the settings files are written: into a new
// owner-only file beside it (created exclusively, so no link is followed),
// then renamed over the old one. A link at `path` is replaced, not written
// through, and a write that fails half-way (a full disk) leaves the old key
// whole.
static bool write_key_file(const char* path, EVP_PKEY* key, bool private_part) {
  // Secure memory: the private key's text is wiped when the buffer goes.
  Owned<BIO> bio(BIO_new(private_part ? BIO_s_secmem() : BIO_s_mem()));
  if (!bio) return false;
  int rc = private_part
               ? PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr)
               : PEM_write_bio_PUBKEY(bio.get(), key);
  if (rc != 1) return false;
  char* data = nullptr;
  long size = BIO_get_mem_data(bio.get(), &data);
  if (size <= 0) return false;
  return g_file_set_contents_full(path, data, size, G_FILE_SET_CONTENTS_CONSISTENT, 0600, nullptr);
}

static void asymmetric_save_key_file(TarvexBrevaneContractsCryptoIAsymmetricCipher* self,
                                     const gchar* public_key, const gchar* private_key,
                                     GError** error) {
  g_return_if_fail(public_key != NULL);
  g_return_if_fail(private_key != NULL);
  auto* priv = priv_of(self);
  if (!priv->key || !write_key_file(private_key, priv->key.get(), true)) {
    fail(error, -1, _("Failed to write private key."));
    return;
  }
  if (!write_key_file(public_key, priv->key.get(), false))
    fail(error, -1, _("Failed to write public key."));
}

namespace {

struct Messages {
  const char* init;
  const char* padding;
  const char* length;
  const char* run;
};

guint8* run_oaep(EVP_PKEY* key, bool encrypt, const guint8* data, gint data_length1, gint* len,
                 gint* result_length1, GError** error) {
  const Messages m =
      encrypt ? Messages{N_("Failed to call encrypt_init method."),
                         N_("Failed to set encrypt parameter: PKCS1_OAEP_PADDING."),
                         N_("Failed to get cipher data length."), N_("Failed to encrypt data.")}
              : Messages{N_("Failed to call decrypt_init method."),
                         N_("Failed to set decrypt parameter: PKCS1_OAEP_PADDING."),
                         N_("Failed to get plain data length."), N_("Failed to decrypt data.")};
  Owned<EVP_PKEY_CTX> ctx(key ? EVP_PKEY_CTX_new(key, nullptr) : nullptr);
  if (!ctx) {
    fail(error, -1, _("Failed to create public key context."));
    return nullptr;
  }
  int rc = encrypt ? EVP_PKEY_encrypt_init(ctx.get()) : EVP_PKEY_decrypt_init(ctx.get());
  if (rc != 1) {
    fail(error, rc, _(m.init));
    return nullptr;
  }
  if ((rc = EVP_PKEY_CTX_set_rsa_padding(ctx.get(), RSA_PKCS1_OAEP_PADDING)) < 1) {
    fail(error, rc, _(m.padding));
    return nullptr;
  }
  auto call = [&](unsigned char* out, size_t* out_length) {
    return encrypt ? EVP_PKEY_encrypt(ctx.get(), out, out_length, data, data_length1)
                   : EVP_PKEY_decrypt(ctx.get(), out, out_length, data, data_length1);
  };
  size_t capacity = 0;
  if ((rc = call(nullptr, &capacity)) != 1) {
    fail(error, rc, _(m.length));
    return nullptr;
  }
  Bytes out(g_new0(guint8, capacity));
  size_t used = capacity;
  if ((rc = call(out.get(), &used)) != 1) {
    fail(error, rc, _(m.run));
    return nullptr;
  }
  if (len) *len = static_cast<gint>(used);
  if (result_length1) *result_length1 = static_cast<gint>(capacity);
  return out.release();
}

}  // namespace

static guint8* asymmetric_encrypt(TarvexBrevaneContractsCryptoIAsymmetricCipher* self,
                                  const guint8* data, gint data_length1, gint* len,
                                  gint* result_length1, GError** error) {
  g_return_val_if_fail(data_length1 >= 0, nullptr);
  return run_oaep(priv_of(self)->key.get(), true, data, data_length1, len, result_length1, error);
}

static guint8* asymmetric_decrypt(TarvexBrevaneContractsCryptoIAsymmetricCipher* self,
                                  const guint8* data, gint data_length1, gint* len,
                                  gint* result_length1, GError** error) {
  g_return_val_if_fail(data_length1 >= 0, nullptr);
  return run_oaep(priv_of(self)->key.get(), false, data, data_length1, len, result_length1, error);
}

static void asymmetric_iface_init(TarvexBrevaneContractsCryptoIAsymmetricCipherIface* iface) {
  iface->initialize = asymmetric_initialize;
  iface->load_public_key = asymmetric_load_public_key;
  iface->load_private_key = asymmetric_load_private_key;
  iface->save_key = asymmetric_save_key;
  iface->save_key_file = asymmetric_save_key_file;
  iface->encrypt = asymmetric_encrypt;
  iface->decrypt = asymmetric_decrypt;
}

TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher*
tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_construct(GType object_type) {
  return static_cast<TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher*>(
      g_object_new(object_type, nullptr));
}

TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher*
tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_new(void) {
  return tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_construct(
      TARVEX_BREVANE_SUPPORTS_CRYPTO_TYPE_OPEN_SSL_ASYMMETRIC_CIPHER);
}

guint8* tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_sign(
    TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher* self, gint* result_length1) {
  g_return_val_if_fail(self != NULL, nullptr);
  if (result_length1) *result_length1 = 0;
  return nullptr;
}

void tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_print_private(
    TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher* self) {
  g_return_if_fail(self != NULL);
  // Deliberately silent: a private key must not end up in a terminal,
  // a captured log or a crash report.
}

void tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_print_public(
    TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher* self) {
  g_return_if_fail(self != NULL);
  EVP_PKEY* key = priv_of(self)->key.get();
  if (!key) return;
  Owned<BIO> out(BIO_new_fp(stdout, BIO_NOCLOSE));
  if (out) PEM_write_bio_PUBKEY(out.get(), key);
}
