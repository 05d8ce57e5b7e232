// OpenSSL ownership and error helpers shared by the cipher classes.
//
// Not installed, not part of the API.
#pragma once

#include <glib.h>
#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/evp.h>

#include <memory>

#include "brevane/crypto/crypto_error.h"

namespace tarvex::crypto {

struct OpenSSLFree {
  void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
  void operator()(EVP_PKEY_CTX* p) const { EVP_PKEY_CTX_free(p); }
  void operator()(EVP_CIPHER_CTX* p) const { EVP_CIPHER_CTX_free(p); }
  void operator()(BIGNUM* p) const { BN_free(p); }
  void operator()(BIO* p) const { BIO_free_all(p); }
};

template <typename T>
using Owned = std::unique_ptr<T, OpenSSLFree>;

// Byte buffers handed out to C callers.
struct GFreeBytes {
  void operator()(guint8* p) const { g_free(p); }
};
using Bytes = std::unique_ptr<guint8[], GFreeBytes>;

inline void fail(GError** error, int code, const char* message) {
  g_set_error_literal(error, TARVEX_BREVANE_SUPPORTS_CRYPTO_ERROR, code, message);
}

}  // namespace tarvex::crypto
