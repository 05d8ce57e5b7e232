#include "brevane/helpers/password_helper.h"

#include <glib/gi18n-lib.h>
#include <openssl/crypto.h>
#include <openssl/rand.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "brevane/crypto/crypto_error.h"
#include "brevane/foundation/logging_service.h"
#include "brevane/helpers/account-private.h"
#include "brevane/helpers/service_helper.h"
#include "common/tarvex-fundamental-private.h"

using tarvex::GRef;

struct _TarvexBrevaneHelpersPasswordHelperPrivate {};

TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexBrevaneHelpersPasswordHelper,
                               tarvex_brevane_helpers_password_helper, tarvex_brevane_helpers,
                               password_helper, TARVEX_BREVANE_HELPERS_TYPE_PASSWORD_HELPER)

TarvexBrevaneHelpersPasswordHelper* tarvex_brevane_helpers_password_helper_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneHelpersPasswordHelper*>(tarvex::fundamental::create(object_type));
}

TarvexBrevaneHelpersPasswordHelper* tarvex_brevane_helpers_password_helper_new(void) {
  return tarvex_brevane_helpers_password_helper_construct(
      TARVEX_BREVANE_HELPERS_TYPE_PASSWORD_HELPER);
}

namespace {

using Server = TarvexProvidersContractsServer;
using Cipher = TarvexBrevaneContractsCryptoISymmetricCipher;

std::mutex account_lock;
std::optional<std::string> pinned_user;
std::optional<std::string> pinned_host;

std::string user_name() {
  std::lock_guard<std::mutex> guard(account_lock);
  return pinned_user ? *pinned_user : g_get_user_name();
}

std::string host_name() {
  std::lock_guard<std::mutex> guard(account_lock);
  return pinned_host ? *pinned_host : g_get_host_name();
}

// One secret of a description: its accessors.
struct Secret {
  const gchar* (*get)(Server*);
  void (*set)(Server*, const gchar*);
};

// The secrets in the order they are handled; empty ones are left alone.
std::vector<Secret> secrets_of(Server* server) {
  std::vector<Secret> out;
  out.push_back({tarvex_providers_contracts_server_get_password,
                 tarvex_providers_contracts_server_set_password});
  if (tarvex_providers_contracts_server_get_ssh_using(server))
    out.push_back({tarvex_providers_contracts_server_get_ssh_password,
                   tarvex_providers_contracts_server_set_ssh_password});
  if (tarvex_providers_contracts_server_get_ssl_using(server))
    out.push_back({tarvex_providers_contracts_server_get_ssl_password,
                   tarvex_providers_contracts_server_set_ssl_password});
  std::erase_if(out, [server](const Secret& s) {
    const char* text = s.get(server);
    return !text || !*text;
  });
  return out;
}

// The registered cipher keyed to this user on this machine.
GRef<Cipher> keyed_cipher(GError** error) {
  auto cipher = tarvex::adoptGRef(tarvex_brevane_helpers_service_helper_cipher());
  if (!cipher) {
    g_set_error_literal(error, TARVEX_BREVANE_SUPPORTS_CRYPTO_ERROR, -1,
                        _("No symmetric cipher is registered"));
    return nullptr;
  }
  std::string user = user_name();
  std::string host = host_name();
  GError* local = nullptr;
  tarvex_brevane_contracts_crypto_isymmetric_cipher_initialize(cipher.get(), user.c_str(),
                                                               host.c_str(), &local);
  if (local) {
    g_propagate_error(error, local);
    return nullptr;
  }
  return cipher;
}

struct GFreeBytes {
  void operator()(guint8* p) const { g_free(p); }
};
using Bytes = std::unique_ptr<guint8[], GFreeBytes>;

bool encipher(Cipher* cipher, const char* plain, std::string& out, GError** error) {
  gint used = 0;
  gint size = 0;
  Bytes sealed(tarvex_brevane_contracts_crypto_isymmetric_cipher_encrypt(
      cipher, reinterpret_cast<const guint8*>(plain), static_cast<gint>(strlen(plain)), &used,
      &size, error));
  if (!sealed) {
    if (error && !*error)
      g_set_error_literal(error, TARVEX_BREVANE_SUPPORTS_CRYPTO_ERROR, -1,
                          _("The cipher returned no data"));
    return false;
  }
  tarvex::GUniqueStr text(g_base64_encode(sealed.get(), used));
  out = text.get();
  return true;
}

bool decipher(Cipher* cipher, const char* encoded, std::string& out, GError** error) {
  gsize length = 0;
  Bytes raw(g_base64_decode(encoded, &length));
  gint used = 0;
  gint size = 0;
  Bytes plain(tarvex_brevane_contracts_crypto_isymmetric_cipher_decrypt(
      cipher, raw.get(), static_cast<gint>(length), &used, &size, error));
  if (!plain) {
    if (error && !*error)
      g_set_error_literal(error, TARVEX_BREVANE_SUPPORTS_CRYPTO_ERROR, -1,
                          _("The cipher returned no data"));
    return false;
  }
  // Read up to the zero byte the cipher puts after the text.
  std::string text(reinterpret_cast<const char*>(plain.get()),
                   strnlen(reinterpret_cast<const char*>(plain.get()), static_cast<size_t>(used)));
  OPENSSL_cleanse(plain.get(), static_cast<size_t>(size));
  // A wrong key passes the padding check now and then; its bytes are
  // rarely text.
  if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    g_set_error_literal(error, TARVEX_BREVANE_SUPPORTS_CRYPTO_ERROR, -1,
                        _("The deciphered password is not text"));
    return false;
  }
  out = std::move(text);
  return true;
}

using Step = bool (*)(Cipher*, const char*, std::string&, GError**);

// Computes every new text first and stores them only when all succeeded.
gboolean convert_all(Server* server, Step step, const char* log_format, GError** error) {
  GError* local = nullptr;
  std::vector<std::pair<Secret, std::string>> results;
  auto cipher = keyed_cipher(&local);
  if (cipher) {
    for (const Secret& secret : secrets_of(server)) {
      std::string out;
      if (!step(cipher.get(), secret.get(server), out, &local)) break;
      results.emplace_back(secret, std::move(out));
    }
  }
  if (local) {
    tarvex_brevane_foundation_logging_service_error(nullptr, log_format, local->message);
    g_propagate_error(error, local);
    return FALSE;
  }
  for (auto& [secret, text] : results) secret.set(server, text.c_str());
  return TRUE;
}

}  // namespace

void tarvex::testing::set_account(const gchar* user_name, const gchar* host_name) {
  std::lock_guard<std::mutex> guard(account_lock);
  pinned_user = user_name ? std::optional<std::string>(user_name) : std::nullopt;
  pinned_host = host_name ? std::optional<std::string>(host_name) : std::nullopt;
}

gboolean tarvex_brevane_helpers_password_helper_encrypt_password(
    TarvexProvidersContractsServer* server, GError** error) {
  g_return_val_if_fail(server != NULL, FALSE);
  return convert_all(server, encipher, "encrypt password failed: %s", error);
}

gboolean tarvex_brevane_helpers_password_helper_decrypt_password(
    TarvexProvidersContractsServer* server, GError** error) {
  g_return_val_if_fail(server != NULL, FALSE);
  return convert_all(server, decipher, "decrypt password failed: %s", error);
}

namespace {

constexpr const char* kClasses[] = {
    "1234567890",
    "~!@#$%^&*<>;:,?",
    "aeiouAEIOU",
    "bcdfghjklmnpqrstvwxyzBCDFGHJKLMNPQRSTVWXYZ",
};

// Unbiased draws below `n` from a cryptographic source.
class RandomSource {
 public:
  bool draw(unsigned n, unsigned& out) {
    const unsigned limit = 256 - 256 % n;
    for (;;) {
      if (next_ == sizeof pool_) {
        if (RAND_bytes(pool_, sizeof pool_) != 1) return false;
        next_ = 0;
      }
      unsigned b = pool_[next_++];
      if (b < limit) {
        out = b % n;
        return true;
      }
    }
  }
  ~RandomSource() { OPENSSL_cleanse(pool_, sizeof pool_); }

 private:
  unsigned char pool_[64] = {};
  size_t next_ = sizeof pool_;
};

}  // namespace

gchar* tarvex_brevane_helpers_password_helper_generate_password(gint length) {
  std::string out;
  if (length > 0) out.reserve(static_cast<size_t>(length));
  RandomSource random;
  for (gint i = 0; i < length; i++) {
    unsigned klass = 0, index = 0;
    if (!random.draw(G_N_ELEMENTS(kClasses), klass) ||
        !random.draw(strlen(kClasses[klass]), index)) {
      tarvex_brevane_foundation_logging_service_error(nullptr, "generate password failed: %s",
                                                      "no random bytes available");
      return nullptr;
    }
    out.push_back(kClasses[klass][index]);
  }
  return tarvex::dup(out);
}
