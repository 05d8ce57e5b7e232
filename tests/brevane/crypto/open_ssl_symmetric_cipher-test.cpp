// The OpenSSL symmetric cipher: AES-256-CBC known answers (computed with the
// openssl command line: EVP_BytesToKey over SHA-1 with two rounds done by hand
// with `openssl dgst -sha1`, then `openssl enc -aes-256-cbc -K ... -iv ...`),
// lengths, round trips, wrong keys and damaged data.
#include <fcntl.h>
#include <glib/gstdio.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "tests/brevane/crypto/crypto-test.h"

using tarvex::adoptGRef;
using tarvex::GRef;

namespace {

using namespace cryptotest;

TEST_F(CipherTest, Types) {
  GType sym = tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_get_type();
  GType asym = tarvex_brevane_supports_crypto_open_ssl_asymmetric_cipher_get_type();
  EXPECT_STREQ(g_type_name(sym), "TarvexBrevaneSupportsCryptoOpenSSLSymmetricCipher");
  EXPECT_STREQ(g_type_name(asym), "TarvexBrevaneSupportsCryptoOpenSSLAsymmetricCipher");
  EXPECT_TRUE(g_type_is_a(sym, tarvex_brevane_contracts_crypto_isymmetric_cipher_get_type()));
  EXPECT_TRUE(g_type_is_a(asym, tarvex_brevane_contracts_crypto_iasymmetric_cipher_get_type()));
  EXPECT_EQ(g_type_parent(sym), G_TYPE_OBJECT);
  EXPECT_EQ(TARVEX_BREVANE_SUPPORTS_CRYPTO_ERROR, g_quark_from_string("Crypto"));
}

TEST_F(CipherTest, SymmetricKnownAnswers) {
  struct {
    const char* key;
    const char* salt;
    const char* plain;
    const char* base64;
  } rows[] = {
      {"tarvex-user", "db-host1", "Hello, SQL Server!",
       "c/SWApAJhW0BYJK//yhOhvot22ItsfNKUiEXsT1arv4="},
      {"tarvex-user", "db-host1", "0123456789abcdef",
       "D9N1OujUDlauOMIOAzE5XSrhgLfzumw3BB5hx35WimE="},
      {"tarvex-user", "db-host1", "", "dBrsVqc/RMr/CXJxJP2Agw=="},
      // Only the first 8 bytes of the salt count.
      {"tarvex-user", "db-host1.example.org", "Hello, SQL Server!",
       "c/SWApAJhW0BYJK//yhOhvot22ItsfNKUiEXsT1arv4="},
      // A short salt is padded with zero bytes.
      {"alice", "pc", "p@ss", "VaVu9s2U3F6lrpbIHlS9ig=="},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.key) + "/" + row.salt + "/" + row.plain);
    auto cipher = symmetric(row.key, row.salt);
    Buffer out;
    GError* error = nullptr;
    encrypt(cipher.get(), row.plain, out, &error);
    ASSERT_EQ(error, nullptr);
    EXPECT_EQ(out.base64(), row.base64);

    gsize length = 0;
    guint8* raw = g_base64_decode(row.base64, &length);
    Buffer plain;
    decrypt(cipher.get(), raw, gint(length), plain, &error);
    g_free(raw);
    ASSERT_EQ(error, nullptr);
    EXPECT_EQ(plain.text(), row.plain);
  }
}

TEST_F(CipherTest, SymmetricLengths) {
  auto cipher = symmetric("k", "saltsalt");
  struct {
    size_t plain;
    gint cipher;
  } rows[] = {{0, 16}, {1, 16}, {15, 16}, {16, 32}, {17, 32}, {100, 112}};
  for (const auto& row : rows) {
    std::string data(row.plain, 'x');
    Buffer out;
    GError* error = nullptr;
    encrypt(cipher.get(), data, out, &error);
    ASSERT_EQ(error, nullptr);
    EXPECT_EQ(out.used, row.cipher) << row.plain;
    EXPECT_EQ(out.declared, gint(row.plain) + 16);
    Buffer back;
    decrypt(cipher.get(), out.data, out.used, back, &error);
    ASSERT_EQ(error, nullptr);
    EXPECT_EQ(back.used, gint(row.plain));
    EXPECT_EQ(back.declared, row.cipher + 1);
    EXPECT_EQ(back.data[back.used], 0) << "a zero byte follows the plaintext";
    EXPECT_EQ(back.text(), data);
  }
}

TEST_F(CipherTest, SymmetricSameTextsSameCiphertextAndReinitialize) {
  auto a = symmetric("user", "machine1");
  auto b = symmetric("user", "machine1");
  Buffer x, y;
  encrypt(a.get(), "secret", x, nullptr);
  encrypt(b.get(), "secret", y, nullptr);
  EXPECT_EQ(x.base64(), y.base64());
  // A new initialize replaces the derived material.
  GError* error = nullptr;
  tarvex_brevane_contracts_crypto_isymmetric_cipher_initialize(reinterpret_cast<Sym*>(b.get()),
                                                               "other", "machine1", &error);
  ASSERT_EQ(error, nullptr);
  Buffer z;
  encrypt(b.get(), "secret", z, nullptr);
  EXPECT_NE(z.base64(), x.base64());
}

TEST_F(CipherTest, SymmetricWrongKeyAndDamagedData) {
  auto right = symmetric("tarvex-user", "db-host1");
  Buffer sealed;
  encrypt(right.get(), "Hello, SQL Server!", sealed, nullptr);

  // Checked once: with this key the padding check fails.
  auto wrong = symmetric("mallory", "db-host1");
  Buffer out;
  GError* error = nullptr;
  decrypt(wrong.get(), sealed.data, sealed.used, out, &error);
  expect_crypto_error(error, "Failed to decrypt data finally");
  EXPECT_EQ(error->code, -1);
  EXPECT_EQ(out.data, nullptr);
  g_clear_error(&error);

  // Not a whole number of blocks.
  Buffer cut;
  decrypt(right.get(), sealed.data, sealed.used - 3, cut, &error);
  expect_crypto_error(error, "Failed to decrypt data finally");
  g_clear_error(&error);

  Buffer empty;
  decrypt(right.get(), nullptr, 0, empty, &error);
  expect_crypto_error(error, "Failed to decrypt data finally");
  g_clear_error(&error);
}

TEST_F(CipherTest, SymmetricPreconditions) {
  auto cipher = adoptGRef(G_OBJECT(tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_new()));
  auto* sym = reinterpret_cast<Sym*>(cipher.get());
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_crypto_isymmetric_cipher_initialize(sym, nullptr, "s", nullptr),
      "key != NULL");
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_crypto_isymmetric_cipher_initialize(sym, "k", nullptr, nullptr),
      "salt != NULL");
  EXPECT_CRITICAL(
      tarvex_brevane_contracts_crypto_isymmetric_cipher_initialize(nullptr, "k", "s", nullptr),
      "self != NULL");
}

}  // namespace
