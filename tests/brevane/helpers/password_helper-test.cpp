// Password helper and service shortcuts: secrets enciphered with a pinned
// user and host name give the ciphertexts computed with the openssl command
// line; every secret changes or none does; nothing runs without a cipher.
#include <glib/gstdio.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <set>
#include <string>

#include "brevane/crypto/open_ssl_symmetric_cipher.h"
#include "brevane/foundation/logging_service.h"
#include "brevane/foundation/services.h"
#include "brevane/helpers/account-private.h"
#include "brevane/helpers/password_helper.h"
#include "brevane/helpers/service_helper.h"
#include "brevane/log/log_manager.h"
#include "common/tarvex-gobject-private.h"
#include "tests/support/log-capture.h"

using tarvex::adoptGRef;
using tarvex::GRef;

namespace {

using Server = TarvexProvidersContractsServer;

// A cipher that refuses the text "FAIL" and otherwise keeps the bytes as
// they are: enough to stop a run part-way.
struct Refusing {
  GObject parent_instance;
};
struct RefusingClass {
  GObjectClass parent_class;
};

void refusing_initialize(TarvexBrevaneContractsCryptoISymmetricCipher*, const gchar*, const gchar*,
                         GError**) {}

guint8* refusing_pass(TarvexBrevaneContractsCryptoISymmetricCipher*, const guint8* data,
                      gint length, gint* len, gint* size, GError** error) {
  if (length == 4 && memcmp(data, "FAIL", 4) == 0) {
    g_set_error_literal(error, g_quark_from_static_string("Crypto"), -1, "refused");
    return nullptr;
  }
  auto* out = static_cast<guint8*>(g_malloc0(length + 1));
  memcpy(out, data, length);
  *len = length;
  *size = length + 1;
  return out;
}

void refusing_iface_init(TarvexBrevaneContractsCryptoISymmetricCipherIface* iface) {
  iface->initialize = refusing_initialize;
  iface->encrypt = refusing_pass;
  iface->decrypt = refusing_pass;
}

G_DEFINE_TYPE_WITH_CODE(
    Refusing, refusing, G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_ISYMMETRIC_CIPHER,
                          refusing_iface_init))
void refusing_init(Refusing*) {}
void refusing_class_init(RefusingClass*) {}

GType cipher_key() {
  return TARVEX_BREVANE_CONTRACTS_CRYPTO_TYPE_ISYMMETRIC_CIPHER;
}

void register_openssl() {
  auto cipher = adoptGRef(G_OBJECT(tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_new()));
  tarvex_brevane_foundation_services_register_instance(cipher_key(), cipher.get());
}

class PasswordHelperTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    tarvex_brevane_foundation_services_initialize();
    register_openssl();
    tarvex::testing::set_account("tarvex-user", "db-host1");
    log_dir_ = tarvex::GUniqueStr(g_dir_make_tmp("fw2-password-XXXXXX", nullptr)).get();
    tarvex_brevane_foundation_services_register_type(TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER,
                                                     TARVEX_BREVANE_SUPPORTS_LOG_TYPE_LOG_MANAGER);
    tarvex_brevane_foundation_logging_service_initialize(
        "app", TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN, log_dir_.c_str(), 0);
  }
  void TearDown() override {
    tarvex_brevane_foundation_logging_service_shutdown();
    GDir* dir = g_dir_open(log_dir_.c_str(), 0, nullptr);
    while (const char* name = dir ? g_dir_read_name(dir) : nullptr)
      g_remove((log_dir_ + "/" + name).c_str());
    if (dir) g_dir_close(dir);
    g_rmdir(log_dir_.c_str());
    tarvex::testing::set_account(nullptr, nullptr);
    LogCaptureTest::TearDown();
  }
  // Everything the main log holds.
  std::string main_log() {
    std::string all;
    GDir* dir = g_dir_open(log_dir_.c_str(), 0, nullptr);
    while (const char* name = dir ? g_dir_read_name(dir) : nullptr) {
      gchar* text = nullptr;
      if (g_file_get_contents((log_dir_ + "/" + name).c_str(), &text, nullptr, nullptr))
        all += text;
      g_free(text);
    }
    if (dir) g_dir_close(dir);
    return all;
  }
  std::string log_dir_;

  static GRef<Server> server(const char* password, bool ssh, const char* ssh_password, bool ssl,
                             const char* ssl_password) {
    auto s = adoptGRef(tarvex_providers_contracts_server_new());
    tarvex_providers_contracts_server_set_password(s.get(), password);
    tarvex_providers_contracts_server_set_ssh_using(s.get(), ssh);
    tarvex_providers_contracts_server_set_ssh_password(s.get(), ssh_password);
    tarvex_providers_contracts_server_set_ssl_using(s.get(), ssl);
    tarvex_providers_contracts_server_set_ssl_password(s.get(), ssl_password);
    return s;
  }
  static std::string secrets(Server* s) {
    return std::string(tarvex_providers_contracts_server_get_password(s)) + "|" +
           tarvex_providers_contracts_server_get_ssh_password(s) + "|" +
           tarvex_providers_contracts_server_get_ssl_password(s);
  }
};

TEST_F(PasswordHelperTest, EveryNamedSecretIsEncipheredWithTheAccountKey) {
  auto s = server("Hello, SQL Server!", true, "0123456789abcdef", true, "ssl-secret");
  GError* error = nullptr;
  ASSERT_TRUE(tarvex_brevane_helpers_password_helper_encrypt_password(s.get(), &error));
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(
      secrets(s.get()),
      "c/SWApAJhW0BYJK//yhOhvot22ItsfNKUiEXsT1arv4=|D9N1OujUDlauOMIOAzE5XSrhgLfzumw3BB5hx35WimE=|"
      "w8mIg8xh7Xpz2aktB78RGA==");
  ASSERT_TRUE(tarvex_brevane_helpers_password_helper_decrypt_password(s.get(), &error));
  EXPECT_EQ(secrets(s.get()), "Hello, SQL Server!|0123456789abcdef|ssl-secret");
}

TEST_F(PasswordHelperTest, ShortHostNamesArePaddedTheSameWayEveryTime) {
  tarvex::testing::set_account("bob", "ws");
  auto s = server("pa$$word", false, "", false, "");
  ASSERT_TRUE(tarvex_brevane_helpers_password_helper_encrypt_password(s.get(), nullptr));
  EXPECT_STREQ(tarvex_providers_contracts_server_get_password(s.get()), "x3CxAEkM+D7uCzDiWf8SXA==");
}

TEST_F(PasswordHelperTest, Base64Lengths) {
  auto s16 = server("0123456789abcdef", false, "", false, "");
  auto s15 = server("123456789012345", false, "", false, "");
  ASSERT_TRUE(tarvex_brevane_helpers_password_helper_encrypt_password(s16.get(), nullptr));
  ASSERT_TRUE(tarvex_brevane_helpers_password_helper_encrypt_password(s15.get(), nullptr));
  EXPECT_EQ(strlen(tarvex_providers_contracts_server_get_password(s16.get())), 44u);
  EXPECT_STREQ(tarvex_providers_contracts_server_get_password(s15.get()),
               "vJKh21GvgPz1B7/oVaIGeg==");
}

TEST_F(PasswordHelperTest, OnlyUsedAndNonEmptySecretsAreTouched) {
  struct {
    const char* password;
    bool ssh;
    const char* ssh_password;
    bool ssl;
    const char* ssl_password;
    const char* enciphered;
  } rows[] = {
      {"", false, "ssh", false, "ssl", "|ssh|ssl"},
      {"", true, "", true, "", "||"},
      {"", true, "0123456789abcdef", false, "ssl-secret",
       "|D9N1OujUDlauOMIOAzE5XSrhgLfzumw3BB5hx35WimE=|ssl-secret"},
      {"", false, "0123456789abcdef", true, "ssl-secret",
       "|0123456789abcdef|w8mIg8xh7Xpz2aktB78RGA=="},
  };
  for (const auto& row : rows) {
    auto s = server(row.password, row.ssh, row.ssh_password, row.ssl, row.ssl_password);
    std::string before = secrets(s.get());
    GError* error = nullptr;
    ASSERT_TRUE(tarvex_brevane_helpers_password_helper_encrypt_password(s.get(), &error));
    EXPECT_EQ(secrets(s.get()), row.enciphered);
    ASSERT_TRUE(tarvex_brevane_helpers_password_helper_decrypt_password(s.get(), &error));
    EXPECT_EQ(secrets(s.get()), before);
  }
}

TEST_F(PasswordHelperTest, AnotherAccountCannotDecipherAndChangesNothing) {
  auto s = server("Hello, SQL Server!", true, "0123456789abcdef", true, "ssl-secret");
  ASSERT_TRUE(tarvex_brevane_helpers_password_helper_encrypt_password(s.get(), nullptr));
  std::string sealed = secrets(s.get());
  tarvex::testing::set_account("mallory", "db-host1");
  GError* error = nullptr;
  EXPECT_FALSE(tarvex_brevane_helpers_password_helper_decrypt_password(s.get(), &error));
  ASSERT_NE(error, nullptr);
  EXPECT_STREQ(g_quark_to_string(error->domain), "Crypto");
  EXPECT_NE(main_log().find(std::string("decrypt password failed: ") + error->message),
            std::string::npos)
      << main_log();
  g_error_free(error);
  EXPECT_EQ(secrets(s.get()), sealed);
}

TEST_F(PasswordHelperTest, FailurePartWayLeavesEverySecret) {
  // Deciphering: the first secret is fine, the second is damaged.
  auto s = server("Hello, SQL Server!", true, "0123456789abcdef", true, "ssl-secret");
  ASSERT_TRUE(tarvex_brevane_helpers_password_helper_encrypt_password(s.get(), nullptr));
  tarvex_providers_contracts_server_set_ssh_password(s.get(), "AAAAAAAAAAAAAAAAAAAAAA==");
  std::string sealed = secrets(s.get());
  GError* error = nullptr;
  EXPECT_FALSE(tarvex_brevane_helpers_password_helper_decrypt_password(s.get(), &error));
  ASSERT_NE(error, nullptr);
  g_clear_error(&error);
  EXPECT_EQ(secrets(s.get()), sealed);

  // Enciphering: the cipher refuses the second secret.
  auto refusing = adoptGRef(G_OBJECT(g_object_new(refusing_get_type(), nullptr)));
  tarvex_brevane_foundation_services_register_instance(cipher_key(), refusing.get());
  auto t = server("one", true, "FAIL", true, "three");
  EXPECT_FALSE(tarvex_brevane_helpers_password_helper_encrypt_password(t.get(), &error));
  ASSERT_NE(error, nullptr);
  EXPECT_STREQ(error->message, "refused");
  g_clear_error(&error);
  EXPECT_NE(main_log().find("encrypt password failed: refused"), std::string::npos) << main_log();
  EXPECT_EQ(secrets(t.get()), "one|FAIL|three");
}

TEST_F(PasswordHelperTest, GeneratedPasswords) {
  const std::string all =
      "1234567890~!@#$%^&*<>;:,?aeiouAEIOUbcdfghjklmnpqrstvwxyzBCDFGHJKLMNPQRSTVWXYZ";
  gchar* p = tarvex_brevane_helpers_password_helper_generate_password(12);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(strlen(p), 12u);
  for (const char* c = p; *c; c++) EXPECT_NE(all.find(*c), std::string::npos) << *c;
  g_free(p);
  for (gint length : {0, -5}) {
    p = tarvex_brevane_helpers_password_helper_generate_password(length);
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p, "");
    g_free(p);
  }
  // Every class and, over many draws, every character turns up.
  gchar* many = tarvex_brevane_helpers_password_helper_generate_password(20000);
  std::set<char> seen(many, many + 20000);
  g_free(many);
  EXPECT_EQ(seen.size(), all.size());
  gchar* a = tarvex_brevane_helpers_password_helper_generate_password(32);
  gchar* b = tarvex_brevane_helpers_password_helper_generate_password(32);
  EXPECT_STRNE(a, b);
  g_free(a);
  g_free(b);
}

TEST_F(PasswordHelperTest, Preconditions) {
  EXPECT_CRITICAL(
      EXPECT_FALSE(tarvex_brevane_helpers_password_helper_encrypt_password(nullptr, nullptr)),
      "server != NULL");
  EXPECT_CRITICAL(
      EXPECT_FALSE(tarvex_brevane_helpers_password_helper_decrypt_password(nullptr, nullptr)),
      "server != NULL");
}

// These need a process in which nothing has been registered yet.
void expect_isolated(void (*body)()) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        tarvex::test::clear_captured_logs();
        body();
        _exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ServicesDeathTest, WithoutCipherNothingIsStored) {
  expect_isolated([] {
    tarvex_brevane_foundation_services_initialize();
    if (tarvex_brevane_helpers_service_helper_cipher() != nullptr) _exit(2);
    auto s = adoptGRef(tarvex_providers_contracts_server_new());
    tarvex_providers_contracts_server_set_password(s.get(), "plain");
    GError* error = nullptr;
    if (tarvex_brevane_helpers_password_helper_encrypt_password(s.get(), &error)) _exit(3);
    if (!error || g_strcmp0(g_quark_to_string(error->domain), "Crypto") != 0) _exit(4);
    g_clear_error(&error);
    if (g_strcmp0(tarvex_providers_contracts_server_get_password(s.get()), "plain") != 0) _exit(5);
    if (tarvex_brevane_helpers_password_helper_decrypt_password(s.get(), &error)) _exit(6);
    g_clear_error(&error);
    if (g_strcmp0(tarvex_providers_contracts_server_get_password(s.get()), "plain") != 0) _exit(7);
  });
}

TEST(ServicesDeathTest, ShortcutsResolveSharedInstances) {
  expect_isolated([] {
    tarvex_brevane_foundation_services_initialize();
    auto a = adoptGRef(tarvex_brevane_helpers_service_helper_setting());
    auto b = adoptGRef(tarvex_brevane_helpers_service_helper_setting());
    if (!a || a.get() != b.get()) _exit(2);
    auto t1 = adoptGRef(tarvex_brevane_helpers_service_helper_servers());
    auto t2 = adoptGRef(tarvex_brevane_helpers_service_helper_servers());
    if (!t1 || t1.get() != t2.get()) _exit(3);
    if (tarvex_brevane_helpers_service_helper_cipher() ||
        tarvex_brevane_helpers_service_helper_pubkey())
      _exit(4);

    auto mine = adoptGRef(tarvex_brevane_contracts_setting_user_setting_new());
    tarvex_brevane_foundation_services_register_instance(
        TARVEX_BREVANE_CONTRACTS_SETTING_TYPE_USER_SETTING, G_OBJECT(mine.get()));
    for (int i = 0; i < 2; i++) {
      auto got = adoptGRef(tarvex_brevane_helpers_service_helper_setting());
      if (got.get() != mine.get()) _exit(5);
    }
    register_openssl();
    auto cipher = adoptGRef(tarvex_brevane_helpers_service_helper_cipher());
    if (!cipher ||
        !G_TYPE_CHECK_INSTANCE_TYPE(
            cipher.get(), tarvex_brevane_supports_crypto_open_ssl_symmetric_cipher_get_type()))
      _exit(6);
  });
}

}  // namespace
