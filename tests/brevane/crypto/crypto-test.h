// The fixture of the cipher tests: a private folder, and the symmetric
// cipher's calls on owned buffers.
#pragma once

#include <glib/gstdio.h>

#include <string>

#include "brevane/crypto/open_ssl_asymmetric_cipher.h"
#include "brevane/crypto/open_ssl_symmetric_cipher.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/log-capture.h"

namespace cryptotest {

using tarvex::adoptGRef;
using tarvex::GRef;

using Sym = TarvexBrevaneContractsCryptoISymmetricCipher;
using Asym = TarvexBrevaneContractsCryptoIAsymmetricCipher;

struct Buffer {
  guint8* data = nullptr;
  gint used = 0;
  gint declared = 0;
  Buffer() = default;
  Buffer(const Buffer&) = delete;
  ~Buffer() { g_free(data); }
  std::string text() const { return std::string(reinterpret_cast<const char*>(data), used); }
  std::string base64() const {
    gchar* b = g_base64_encode(data, used);
    std::string out = b;
    g_free(b);
    return out;
  }
};

class CipherTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    dir_ = tarvex::GUniqueStr(g_dir_make_tmp("fw2-crypto-XXXXXX", nullptr)).get();
  }
  void TearDown() override {
    GDir* dir = g_dir_open(dir_.c_str(), 0, nullptr);
    if (dir) {
      while (const char* name = g_dir_read_name(dir)) g_remove(path(name).c_str());
      g_dir_close(dir);
    }
    g_rmdir(dir_.c_str());
    LogCaptureTest::TearDown();
  }
  std::string path(const char* name) const { return dir_ + "/" + name; }

  static GRef<GObject> symmetric(const char* key, const char* salt) {
    auto cipher =
        adoptGRef(G_OBJECT(tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_new()));
    GError* error = nullptr;
    tarvex_brevane_contracts_crypto_isymmetric_cipher_initialize(
        reinterpret_cast<Sym*>(cipher.get()), key, salt, &error);
    EXPECT_EQ(error, nullptr);
    g_clear_error(&error);
    return cipher;
  }
  static void encrypt(GObject* cipher, const std::string& plain, Buffer& out, GError** error) {
    out.data = tarvex_brevane_contracts_crypto_isymmetric_cipher_encrypt(
        reinterpret_cast<Sym*>(cipher), reinterpret_cast<const guint8*>(plain.data()),
        gint(plain.size()), &out.used, &out.declared, error);
  }
  static void decrypt(GObject* cipher, const guint8* data, gint length, Buffer& out,
                      GError** error) {
    out.data = tarvex_brevane_contracts_crypto_isymmetric_cipher_decrypt(
        reinterpret_cast<Sym*>(cipher), data, length, &out.used, &out.declared, error);
  }

  std::string dir_;
};

inline void expect_crypto_error(GError* error, const char* message) {
  ASSERT_NE(error, nullptr) << "expected " << message;
  EXPECT_STREQ(g_quark_to_string(error->domain), "Crypto");
  EXPECT_STREQ(error->message, message);
}

}  // namespace cryptotest
