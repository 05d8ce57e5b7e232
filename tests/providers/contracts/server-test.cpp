// Server descriptions, the server tree and its file.
#include <gee.h>
#include <glib/gstdio.h>
#include <gtest/gtest.h>
#include <json-glib/json-glib.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/log-capture.h"
#include "tests/support/settings-files.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

using Server = TarvexProvidersContractsServer;
using Setting = TarvexProvidersContractsServerSetting;

const char* const kPropertyOrder[] = {
    "uuid",          "provider",
    "driver",        "title",
    "host",          "port",
    "username",      "password",
    "initial",       "filename",
    "location",      "extensions",
    "databases",     "options",
    "ssh-using",     "ssh-process",
    "ssh-host",      "ssh-port",
    "ssh-auth-type", "ssh-username",
    "ssh-password",  "ssh-key-private-file",
    "http-using",    "http-process",
    "http-protocol", "http-host",
    "http-port",     "http-auth",
    "http-username", "http-password",
    "http-ca-file",  "http-cert-file",
    "http-key-file", "ssl-using",
    "ssl-ca-file",   "ssl-cert-file",
    "ssl-key-file",  "ssl-mode",
    "ssl-password",
};

std::vector<std::string> property_names(gpointer object) {
  guint n = 0;
  GParamSpec** pspecs = g_object_class_list_properties(G_OBJECT_GET_CLASS(object), &n);
  std::vector<std::string> names;
  for (guint i = 0; i < n; i++) names.push_back(pspecs[i]->name);
  g_free(pspecs);
  return names;
}

// A text form of one property, for comparing descriptions.
std::string property_text(gpointer object, const char* name) {
  GParamSpec* pspec = g_object_class_find_property(G_OBJECT_GET_CLASS(object), name);
  tarvex::GValueHolder value(pspec->value_type);
  g_object_get_property(G_OBJECT(object), name, value.get());
  if (pspec->value_type == G_TYPE_STRV) {
    auto** list = static_cast<char**>(g_value_get_boxed(value.get()));
    if (!list) return "<none>";
    std::string text = "[";
    for (char** p = list; *p; p++) text += std::string(*p) + ";";
    return text + "]";
  }
  if (pspec->value_type == G_TYPE_STRING) {
    const char* s = g_value_get_string(value.get());
    return s ? "'" + std::string(s) + "'" : "<none>";
  }
  GUniqueStr contents(g_strdup_value_contents(value.get()));
  return contents.get();
}

struct NotifyCounter {
  int count = 0;
  std::string last;
  gulong id = 0;
  GObject* object = nullptr;
  NotifyCounter(gpointer target) : object(G_OBJECT(target)) {
    id = g_signal_connect(object, "notify",
                          G_CALLBACK(+[](GObject*, GParamSpec* pspec, gpointer data) {
                            auto* self = static_cast<NotifyCounter*>(data);
                            self->count++;
                            self->last = pspec->name;
                          }),
                          this);
  }
  ~NotifyCounter() { g_signal_handler_disconnect(object, id); }
};

class ServerTest : public tarvex::test::LogCaptureTest {};

TEST_F(ServerTest, PropertiesInOrderWithNamesAsNickAndBlurb) {
  auto server = adoptGRef(tarvex_providers_contracts_server_new());
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(server.get()), "TarvexProvidersContractsServer");
  auto names = property_names(server.get());
  ASSERT_EQ(names.size(), 39u);
  for (size_t i = 0; i < 39; i++) {
    EXPECT_EQ(names[i], kPropertyOrder[i]) << i;
    GParamSpec* pspec =
        g_object_class_find_property(G_OBJECT_GET_CLASS(server.get()), kPropertyOrder[i]);
    EXPECT_STREQ(g_param_spec_get_nick(pspec), kPropertyOrder[i]);
    EXPECT_STREQ(g_param_spec_get_blurb(pspec), kPropertyOrder[i]);
    EXPECT_EQ(pspec->flags & G_PARAM_READWRITE, G_PARAM_READWRITE);
    EXPECT_FALSE(pspec->flags & (G_PARAM_CONSTRUCT | G_PARAM_CONSTRUCT_ONLY));
  }
}

TEST_F(ServerTest, InstanceAndDeclaredDefaults) {
  auto server = adoptGRef(tarvex_providers_contracts_server_new());
  struct {
    const char* name;
    const char* instance;  // property_text form
    const char* declared;  // g_strdup_value_contents of the pspec default
  } cases[] = {
      {"uuid", "''", "NULL"},
      {"provider", "'UNKNOWN'", "NULL"},
      {"port", "0", "0"},
      {"databases", "[]", "NULL"},
      {"ssh-using", "FALSE", "FALSE"},
      {"ssh-process", "'ssh'", "NULL"},
      {"ssh-port", "22", "22"},
      {"ssh-auth-type", "'password'", "NULL"},
      {"http-process", "'wstunnel'", "NULL"},
      {"http-protocol", "'http'", "NULL"},
      {"http-port", "8080", "8080"},
      {"http-auth", "FALSE", "FALSE"},
      {"ssl-using", "FALSE", "FALSE"},
      {"ssl-mode", "'require'", "NULL"},
      {"host", "''", "NULL"},
      {"ssl-password", "''", "NULL"},
  };
  for (auto& c : cases) {
    EXPECT_EQ(property_text(server.get(), c.name), c.instance) << c.name;
    GParamSpec* pspec = g_object_class_find_property(G_OBJECT_GET_CLASS(server.get()), c.name);
    GUniqueStr declared(g_strdup_value_contents(g_param_spec_get_default_value(pspec)));
    EXPECT_STREQ(declared.get(), c.declared) << c.name;
  }
  // Every other text is empty.
  for (const char* name : kPropertyOrder) {
    GParamSpec* pspec = g_object_class_find_property(G_OBJECT_GET_CLASS(server.get()), name);
    if (pspec->value_type != G_TYPE_STRING) continue;
    std::string text = property_text(server.get(), name);
    EXPECT_NE(text, "<none>") << name;
  }
  gint length = -1;
  gchar** databases = tarvex_providers_contracts_server_get_databases(server.get(), &length);
  ASSERT_NE(databases, nullptr);
  EXPECT_EQ(length, 0);
  // Integers take the whole signed range.
  tarvex_providers_contracts_server_set_port(server.get(), G_MININT);
  EXPECT_EQ(tarvex_providers_contracts_server_get_port(server.get()), G_MININT);
  g_object_set(server.get(), "ssh-port", G_MAXINT, nullptr);
  EXPECT_EQ(tarvex_providers_contracts_server_get_ssh_port(server.get()), G_MAXINT);
}

TEST_F(ServerTest, NewWithProviderMakesAnUpperCaseV4Identity) {
  auto a = adoptGRef(tarvex_providers_contracts_server_new_with_provider("SQLServer"));
  auto b = adoptGRef(tarvex_providers_contracts_server_new_with_provider("SQLServer"));
  EXPECT_STREQ(tarvex_providers_contracts_server_get_provider(a.get()), "SQLServer");
  const char* uuid = tarvex_providers_contracts_server_get_uuid(a.get());
  EXPECT_TRUE(
      g_regex_match_simple("^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[0-9A-F]{4}-[0-9A-F]{12}$", uuid,
                           GRegexCompileFlags(0), GRegexMatchFlags(0)))
      << uuid;
  EXPECT_STRNE(uuid, tarvex_providers_contracts_server_get_uuid(b.get()));

  Server* none = nullptr;
  EXPECT_CRITICAL(none = tarvex_providers_contracts_server_new_with_provider(nullptr),
                  "_provider != NULL");
  EXPECT_EQ(none, nullptr);
  auto plain = adoptGRef(tarvex_providers_contracts_server_new());
  EXPECT_STREQ(tarvex_providers_contracts_server_get_uuid(plain.get()), "");
}

TEST_F(ServerTest, SettersNotifyOnlyOnChange) {
  auto server = adoptGRef(tarvex_providers_contracts_server_new());
  NotifyCounter notes(server.get());
  tarvex_providers_contracts_server_set_host(server.get(), "");
  EXPECT_EQ(notes.count, 0);
  tarvex_providers_contracts_server_set_host(server.get(), "db1");
  EXPECT_EQ(notes.count, 1);
  EXPECT_EQ(notes.last, "host");
  tarvex_providers_contracts_server_set_host(server.get(), "db1");
  g_object_set(server.get(), "host", "db1", nullptr);
  EXPECT_EQ(notes.count, 1);
  // An absent text differs from the empty one.
  tarvex_providers_contracts_server_set_host(server.get(), nullptr);
  EXPECT_EQ(notes.count, 2);
  EXPECT_EQ(tarvex_providers_contracts_server_get_host(server.get()), nullptr);
  tarvex_providers_contracts_server_set_host(server.get(), nullptr);
  EXPECT_EQ(notes.count, 2);

  tarvex_providers_contracts_server_set_ssh_port(server.get(), 22);
  tarvex_providers_contracts_server_set_ssl_using(server.get(), FALSE);
  EXPECT_EQ(notes.count, 2);
  g_object_set(server.get(), "ssl-using", TRUE, nullptr);
  EXPECT_EQ(notes.count, 3);
  EXPECT_EQ(notes.last, "ssl-using");

  // The list compares by identity and is stored as a deep copy.
  gint length = 0;
  gchar** held = tarvex_providers_contracts_server_get_databases(server.get(), &length);
  tarvex_providers_contracts_server_set_databases(server.get(), held, length);
  EXPECT_EQ(notes.count, 3);
  gchar* list[] = {g_strdup("master"), g_strdup("tempdb"), nullptr};
  tarvex_providers_contracts_server_set_databases(server.get(), list, 2);
  EXPECT_EQ(notes.count, 4);
  g_free(list[0]);
  list[0] = g_strdup("changed");
  held = tarvex_providers_contracts_server_get_databases(server.get(), &length);
  ASSERT_EQ(length, 2);
  EXPECT_STREQ(held[0], "master");
  EXPECT_STREQ(held[1], "tempdb");
  g_free(list[0]);
  g_free(list[1]);
}

TEST_F(ServerTest, CloneCopiesEveryPropertyAndOptionallyANewIdentity) {
  auto server = adoptGRef(tarvex_providers_contracts_server_new_with_provider("SQLServer"));
  g_object_set(server.get(), "title", "Main", "host", "db1", "port", 1433, "ssh-using", TRUE,
               "http-port", 1, "ssl-mode", nullptr, "password", "secret", nullptr);
  const gchar* dbs[] = {"a", "b", nullptr};
  tarvex_providers_contracts_server_set_databases(server.get(), const_cast<gchar**>(dbs), 2);

  auto same = adoptGRef(tarvex_providers_contracts_server_clone(server.get(), FALSE));
  auto fresh = adoptGRef(tarvex_providers_contracts_server_clone(server.get(), TRUE));
  for (const char* name : kPropertyOrder) {
    EXPECT_EQ(property_text(same.get(), name), property_text(server.get(), name)) << name;
    if (g_str_equal(name, "uuid"))
      EXPECT_NE(property_text(fresh.get(), name), property_text(server.get(), name));
    else
      EXPECT_EQ(property_text(fresh.get(), name), property_text(server.get(), name)) << name;
  }
  EXPECT_EQ(strlen(tarvex_providers_contracts_server_get_uuid(fresh.get())), 36u);

  // The copy owns its own list.
  const gchar* other[] = {"z", nullptr};
  tarvex_providers_contracts_server_set_databases(same.get(), const_cast<gchar**>(other), 1);
  gint length = 0;
  gchar** source = tarvex_providers_contracts_server_get_databases(server.get(), &length);
  ASSERT_EQ(length, 2);
  EXPECT_STREQ(source[0], "a");
  EXPECT_NE(source, tarvex_providers_contracts_server_get_databases(fresh.get(), nullptr));
}

TEST_F(ServerTest, ToStringTexts) {
  struct {
    const char* driver;
    gboolean ssl, ssh, http;
    const char* protocol;
    gboolean show_uuid;
    const char* expected;
  } cases[] = {
      {"", FALSE, FALSE, FALSE, "http", FALSE,
       "Server Main => Provider:SQLServer, Initial:master, Host:db1, port:1433, User:sa, SSL:No, "
       "Tunnel:"},
      {"X", TRUE, FALSE, FALSE, "http", FALSE,
       "Server Main => Provider:SQLServer, Driver:X, Initial:master, Host:db1, port:1433, User:sa, "
       "SSL:Yes, "
       "Tunnel:"},
      {"", FALSE, TRUE, TRUE, "wss", FALSE,
       "Server Main => Provider:SQLServer, Initial:master, Host:db1, port:1433, User:sa, SSL:No, "
       "Tunnel:SSH"},
      {"", FALSE, FALSE, TRUE, "wss", FALSE,
       "Server Main => Provider:SQLServer, Initial:master, Host:db1, port:1433, User:sa, SSL:No, "
       "Tunnel:WSS"},
      {"", FALSE, FALSE, FALSE, "http", TRUE,
       "Server Main => Provider:SQLServer, Initial:master, Host:db1, port:1433, User:sa, SSL:No, "
       "Tunnel:, "
       "ID:ABC"},
  };
  for (auto& c : cases) {
    auto server = adoptGRef(tarvex_providers_contracts_server_new());
    g_object_set(server.get(), "title", "Main", "provider", "SQLServer", "driver", c.driver,
                 "initial", "master", "host", "db1", "port", 1433, "username", "sa", "password",
                 "never shown", "ssl-using", c.ssl, "ssh-using", c.ssh, "http-using", c.http,
                 "http-protocol", c.protocol, "uuid", "ABC", nullptr);
    GUniqueStr text(tarvex_providers_contracts_server_to_string(server.get(), c.show_uuid));
    EXPECT_STREQ(text.get(), c.expected);
  }
}

TEST_F(ServerTest, NullSelfIsAPreconditionFailure) {
  gchar* text = reinterpret_cast<gchar*>(1);
  EXPECT_CRITICAL(text = tarvex_providers_contracts_server_to_string(nullptr, FALSE),
                  "self != NULL");
  EXPECT_EQ(text, nullptr);
  Server* copy = reinterpret_cast<Server*>(1);
  EXPECT_CRITICAL(copy = tarvex_providers_contracts_server_clone(nullptr, TRUE), "self != NULL");
  EXPECT_EQ(copy, nullptr);
  gint port = -1;
  EXPECT_CRITICAL(port = tarvex_providers_contracts_server_get_port(nullptr), "self != NULL");
  EXPECT_EQ(port, 0);
  EXPECT_CRITICAL(tarvex_providers_contracts_server_set_host(nullptr, "x"), "self != NULL");
  gint length = 5;
  EXPECT_CRITICAL(tarvex_providers_contracts_server_get_databases(nullptr, &length),
                  "self != NULL");
  EXPECT_EQ(length, 0);
}

// ----------------------------------------------------------- server tree

class ServerTreeTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    GError* error = nullptr;
    folder_ = g_dir_make_tmp("server-setting-XXXXXX", &error);
    ASSERT_EQ(error, nullptr);
    setting_ = adoptGRef(tarvex_providers_contracts_server_setting_new());
    changed_id_ = g_signal_connect(
        setting_.get(), "changed",
        G_CALLBACK(+[](Setting*, gpointer data) { ++*static_cast<int*>(data); }), &changed_);
  }
  void TearDown() override {
    g_signal_handler_disconnect(setting_.get(), changed_id_);
    for (auto& name : list_folder()) g_remove((folder_ + "/" + name).c_str());
    g_rmdir(folder_.c_str());
    LogCaptureTest::TearDown();
  }

  std::string path(const char* name) const { return folder_ + "/" + name; }
  std::vector<std::string> list_folder() const {
    std::vector<std::string> names;
    if (GDir* dir = g_dir_open(folder_.c_str(), 0, nullptr)) {
      while (const char* name = g_dir_read_name(dir)) names.push_back(name);
      g_dir_close(dir);
    }
    return names;
  }
  static std::string read(const std::string& file) {
    gchar* contents = nullptr;
    if (!g_file_get_contents(file.c_str(), &contents, nullptr, nullptr)) return "<missing>";
    std::string text(contents);
    g_free(contents);
    return text;
  }
  static void write(const std::string& file, const std::string& text) {
    ASSERT_TRUE(g_file_set_contents(file.c_str(), text.c_str(), -1, nullptr));
  }

  GRef<Server> server(const char* title) {
    auto s = adoptGRef(tarvex_providers_contracts_server_new());
    tarvex_providers_contracts_server_set_title(s.get(), title);
    return s;
  }
  static std::vector<std::string> titles(GeeArrayList* list) {
    std::vector<std::string> out;
    gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
    for (gint i = 0; i < n; i++) {
      auto s = adoptGRef(static_cast<Server*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i)));
      out.push_back(tarvex_providers_contracts_server_get_title(s.get()));
    }
    return out;
  }
  static void add(GeeArrayList* list, gpointer item) {
    gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), item);
  }
  // A tree: organization O with group G (servers a, b); top-level group T
  // (server c); top-level group G (no servers); organization P without groups.
  void build_tree() {
    auto org = adoptGRef(tarvex_providers_contracts_organization_new_with_name("O"));
    auto group = adoptGRef(tarvex_providers_contracts_server_group_new_with_name("G"));
    add(tarvex_providers_contracts_organization_get_groups(org.get()), group.get());
    add(tarvex_providers_contracts_server_setting_get_organizations(setting_.get()), org.get());
    auto empty_org = adoptGRef(tarvex_providers_contracts_organization_new_with_name("P"));
    add(tarvex_providers_contracts_server_setting_get_organizations(setting_.get()),
        empty_org.get());
    auto top = adoptGRef(tarvex_providers_contracts_server_group_new_with_name("T"));
    add(tarvex_providers_contracts_server_setting_get_groups(setting_.get()), top.get());
    auto top_g = adoptGRef(tarvex_providers_contracts_server_group_new_with_name("G"));
    add(tarvex_providers_contracts_server_setting_get_groups(setting_.get()), top_g.get());
    org_group_ = tarvex_providers_contracts_server_group_get_servers(group.get());
    top_group_ = tarvex_providers_contracts_server_group_get_servers(top.get());
    top_g_group_ = tarvex_providers_contracts_server_group_get_servers(top_g.get());
    top_servers_ = tarvex_providers_contracts_server_setting_get_servers(setting_.get());
  }

  std::string folder_;
  GRef<Setting> setting_;
  int changed_ = 0;
  gulong changed_id_ = 0;
  GeeArrayList* org_group_ = nullptr;
  GeeArrayList* top_group_ = nullptr;
  GeeArrayList* top_g_group_ = nullptr;
  GeeArrayList* top_servers_ = nullptr;
};

TEST_F(ServerTreeTest, AppendFindsTheTargetList) {
  build_tree();
  struct {
    const char* group;
    const char* org;
    GeeArrayList** expected;
  } cases[] = {
      {"G", "O", &org_group_},    // group of the organization
      {"T", "", &top_group_},     // top-level group
      {"G", "", &top_g_group_},   // no organization: top-level groups
      {"", "O", &top_servers_},   // empty group name: top level
      {"T", "O", &top_servers_},  // not sought among the top-level groups
      {"G", "P", &top_servers_},  // organization without groups
      {"G", "o", &top_g_group_},  // names are case-sensitive: no organization
      {"X", "", &top_servers_},   // no such group
  };
  int expected_changes = 0;
  for (auto& c : cases) {
    auto s = server("x");
    tarvex_providers_contracts_server_setting_append(setting_.get(), s.get(), c.group, c.org);
    EXPECT_EQ(changed_, ++expected_changes);
    gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(*c.expected));
    ASSERT_GT(n, 0) << c.group << "/" << c.org;
    auto last = adoptGRef(
        static_cast<Server*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(*c.expected), n - 1)));
    EXPECT_EQ(last.get(), (gpointer)s.get()) << c.group << "/" << c.org;
  }
  EXPECT_EQ(gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(top_servers_)), 4);
}

TEST_F(ServerTreeTest, RemoveTakesTheFirstIdenticalEntryOfTheTargetOnly) {
  build_tree();
  auto a = server("a");
  auto twin = server("a");
  tarvex_providers_contracts_server_setting_append(setting_.get(), a.get(), "G", "O");
  tarvex_providers_contracts_server_setting_append(setting_.get(), a.get(), "", "");
  tarvex_providers_contracts_server_setting_append(setting_.get(), a.get(), "G", "O");
  changed_ = 0;
  // An equal description that is not the same object is not removed.
  tarvex_providers_contracts_server_setting_remove(setting_.get(), twin.get(), "G", "O");
  EXPECT_EQ(changed_, 1);
  EXPECT_EQ(gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(org_group_)), 2);
  tarvex_providers_contracts_server_setting_remove(setting_.get(), a.get(), "G", "O");
  EXPECT_EQ(changed_, 2);
  EXPECT_EQ(gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(org_group_)), 1);
  EXPECT_EQ(gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(top_servers_)), 1);

  EXPECT_CRITICAL(tarvex_providers_contracts_server_setting_remove(setting_.get(), nullptr, "", ""),
                  "server != NULL");
  EXPECT_CRITICAL(
      tarvex_providers_contracts_server_setting_append(setting_.get(), a.get(), nullptr, ""),
      "group_name != NULL");
  EXPECT_CRITICAL(
      tarvex_providers_contracts_server_setting_append(setting_.get(), a.get(), "", nullptr),
      "org_name != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_server_setting_append(nullptr, a.get(), "", ""),
                  "self != NULL");
  EXPECT_EQ(changed_, 2);
}

TEST_F(ServerTreeTest, UniteServersWalksOrganizationsGroupsThenTopLevel) {
  build_tree();
  auto a = server("a"), b = server("b"), c = server("c"), d = server("d");
  add(org_group_, a.get());
  add(org_group_, b.get());
  add(top_group_, c.get());
  add(top_servers_, d.get());
  add(top_servers_, a.get());
  gint length = 0;
  Server** all = tarvex_providers_contracts_server_setting_unite_servers(setting_.get(), &length);
  ASSERT_EQ(length, 5);
  std::vector<std::string> got;
  for (gint i = 0; i < length; i++)
    got.push_back(tarvex_providers_contracts_server_get_title(all[i]));
  EXPECT_EQ(got, (std::vector<std::string>{"a", "b", "c", "d", "a"}));
  EXPECT_EQ(all[length], nullptr);
  for (gint i = 0; i < length; i++) g_object_unref(all[i]);
  g_free(all);
}

TEST_F(ServerTreeTest, GroupAndOrganizationTexts) {
  auto group = adoptGRef(tarvex_providers_contracts_server_group_new_with_name("Dev"));
  GUniqueStr empty(tarvex_providers_contracts_server_group_to_string(group.get()));
  EXPECT_STREQ(empty.get(), "ServerGroup Dev => ");
  auto a = server("A"), b = server("B");
  add(tarvex_providers_contracts_server_group_get_servers(group.get()), a.get());
  add(tarvex_providers_contracts_server_group_get_servers(group.get()), b.get());
  GUniqueStr two(tarvex_providers_contracts_server_group_to_string(group.get()));
  EXPECT_STREQ(two.get(), "ServerGroup Dev => A, B");

  auto org = adoptGRef(tarvex_providers_contracts_organization_new_with_name("Acme"));
  add(tarvex_providers_contracts_organization_get_groups(org.get()), group.get());
  auto other = adoptGRef(tarvex_providers_contracts_server_group_new());
  add(tarvex_providers_contracts_organization_get_groups(org.get()), other.get());
  GUniqueStr org_text(tarvex_providers_contracts_organization_to_string(org.get()));
  EXPECT_STREQ(org_text.get(), "Organization Acme => Dev, ");

  TarvexProvidersContractsServerGroup* none = nullptr;
  EXPECT_CRITICAL(none = tarvex_providers_contracts_server_group_new_with_name(nullptr),
                  "_name != NULL");
  EXPECT_EQ(none, nullptr);
  TarvexProvidersContractsOrganization* no_org = nullptr;
  EXPECT_CRITICAL(no_org = tarvex_providers_contracts_organization_new_with_name(nullptr),
                  "_name != NULL");
  EXPECT_EQ(no_org, nullptr);
  EXPECT_STREQ(tarvex_providers_contracts_server_group_get_name(other.get()), "");
}

TEST_F(ServerTreeTest, ListSettersNotifyOnANewListOnly) {
  NotifyCounter notes(setting_.get());
  GeeArrayList* held = tarvex_providers_contracts_server_setting_get_servers(setting_.get());
  tarvex_providers_contracts_server_setting_set_servers(setting_.get(), held);
  EXPECT_EQ(notes.count, 0);
  auto list = adoptGRef(gee_array_list_new(tarvex_providers_contracts_server_get_type(),
                                           (GBoxedCopyFunc)g_object_ref, g_object_unref, nullptr,
                                           nullptr, nullptr));
  tarvex_providers_contracts_server_setting_set_servers(setting_.get(), list.get());
  EXPECT_EQ(notes.count, 1);
  EXPECT_EQ(tarvex_providers_contracts_server_setting_get_servers(setting_.get()), list.get());
  EXPECT_EQ(changed_, 0);
}

TEST_F(ServerTreeTest, VendorArrays) {
  EXPECT_STREQ(TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_SUPPORT[0], "SQLServer");
  const char* structure[] = {"MariaDB", "MySQL", "Oracle", "PostgreSQL", "SQLServer"};
  for (int i = 0; i < 5; i++)
    EXPECT_STREQ(TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_STRUCTURE[i], structure[i]);
  const char* database[] = {"Access", "Excel",  "SQLite",     "MariaDB",
                            "MySQL",  "Oracle", "PostgreSQL", "SQLServer"};
  for (int i = 0; i < 8; i++)
    EXPECT_STREQ(TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_DATABASE[i], database[i]);
  const char* local[] = {"Access", "Excel", "SQLite"};
  for (int i = 0; i < 3; i++)
    EXPECT_STREQ(TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_LOCAL[i], local[i]);
  auto vendors = adoptGRef(tarvex_providers_contracts_server_vendors_new());
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(vendors.get()), "TarvexProvidersContractsServerVendors");
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_server_setting_get_type()),
               "TarvexProvidersContractsServerSetting");
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_server_group_get_type()),
               "TarvexProvidersContractsServerGroup");
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_organization_get_type()),
               "TarvexProvidersContractsOrganization");
}

// ------------------------------------------------------------- the file

TEST_F(ServerTreeTest, SaveWritesTheDocumentOwnerOnly) {
  std::string file = path("servers.json");
  write(file, "{}");
  GError* error = nullptr;
  tarvex_providers_contracts_server_setting_load(setting_.get(), file.c_str(), &error);
  ASSERT_EQ(error, nullptr);
  chmod(file.c_str(), 0644);
  auto s = adoptGRef(tarvex_providers_contracts_server_new());
  add(tarvex_providers_contracts_server_setting_get_servers(setting_.get()), s.get());
  tarvex_providers_contracts_server_setting_save(setting_.get(), &error);
  ASSERT_EQ(error, nullptr);

  struct stat st;
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  std::string text = read(file);
  EXPECT_EQ(text.rfind("{\n  \"organizations\" : [],\n  \"groups\" : [],\n  \"servers\" : [\n    "
                       "{\n      \"uuid\" : \"\",\n"
                       "      \"provider\" : \"UNKNOWN\",\n",
                       0),
            0u)
      << text;
  // Members at their declared default are left out; every set text is kept.
  auto parser = adoptGRef(json_parser_new());
  ASSERT_TRUE(json_parser_load_from_data(parser.get(), text.c_str(), -1, nullptr));
  JsonObject* root = json_node_get_object(json_parser_get_root(parser.get()));
  JsonObject* written =
      json_array_get_object_element(json_object_get_array_member(root, "servers"), 0);
  EXPECT_EQ(json_object_get_size(written), 32u);
  for (const char* absent :
       {"port", "ssh-using", "ssh-port", "http-using", "http-port", "http-auth", "ssl-using"})
    EXPECT_FALSE(json_object_has_member(written, absent)) << absent;
  GList* members = json_object_get_members(written);
  std::vector<std::string> order;
  for (GList* m = members; m; m = m->next) order.push_back(static_cast<const char*>(m->data));
  g_list_free(members);
  std::vector<std::string> expected;
  for (const char* name : kPropertyOrder)
    if (json_object_has_member(written, name)) expected.push_back(name);
  EXPECT_EQ(order, expected);
  EXPECT_EQ(json_array_get_length(json_object_get_array_member(written, "databases")), 0u);
  for (auto& name : list_folder()) EXPECT_EQ(name, "servers.json");
}

TEST_F(ServerTreeTest, SaveAndLoadRoundTrip) {
  auto org = adoptGRef(tarvex_providers_contracts_organization_new_with_name("O"));
  auto group = adoptGRef(tarvex_providers_contracts_server_group_new_with_name("G"));
  add(tarvex_providers_contracts_organization_get_groups(org.get()), group.get());
  add(tarvex_providers_contracts_server_setting_get_organizations(setting_.get()), org.get());
  auto a = adoptGRef(tarvex_providers_contracts_server_new_with_provider("SQLServer"));
  g_object_set(a.get(), "title", "a", "port", 1433, "ssh-using", TRUE, "http-port", 443, "password",
               "c2VjcmV0", "http-password", "clear", nullptr);
  const gchar* dbs[] = {"master", "model", nullptr};
  tarvex_providers_contracts_server_set_databases(a.get(), const_cast<gchar**>(dbs), 2);
  add(tarvex_providers_contracts_server_group_get_servers(group.get()), a.get());
  auto top = adoptGRef(tarvex_providers_contracts_server_group_new());
  tarvex_providers_contracts_server_group_set_name(top.get(), nullptr);
  add(tarvex_providers_contracts_server_setting_get_groups(setting_.get()), top.get());
  auto d = server("d");
  add(tarvex_providers_contracts_server_setting_get_servers(setting_.get()), d.get());

  std::string file = path("tree.json");
  GError* error = nullptr;
  tarvex_providers_contracts_server_setting_load(setting_.get(), file.c_str(),
                                                 &error);  // remembers the name
  ASSERT_NE(error, nullptr);
  EXPECT_GERROR(error, G_FILE_ERROR, G_FILE_ERROR_NOENT);
  g_clear_error(&error);
  tarvex_providers_contracts_server_setting_save(setting_.get(), &error);
  ASSERT_EQ(error, nullptr);
  std::string first = read(file);
  EXPECT_EQ(first.find("\"name\" : null"), std::string::npos);

  auto loaded = adoptGRef(tarvex_providers_contracts_server_setting_new());
  NotifyCounter notes(loaded.get());
  int loaded_changed = 0;
  g_signal_connect(loaded.get(), "changed",
                   G_CALLBACK(+[](Setting*, gpointer data) { ++*static_cast<int*>(data); }),
                   &loaded_changed);
  tarvex_providers_contracts_server_setting_load(loaded.get(), file.c_str(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(notes.count, 3);
  EXPECT_EQ(notes.last, "organizations");
  EXPECT_EQ(loaded_changed, 0);

  gint length = 0;
  Server** all = tarvex_providers_contracts_server_setting_unite_servers(loaded.get(), &length);
  ASSERT_EQ(length, 2);
  for (const char* name : kPropertyOrder)
    EXPECT_EQ(property_text(all[0], name), property_text(a.get(), name)) << name;
  for (const char* name : kPropertyOrder)
    EXPECT_EQ(property_text(all[1], name), property_text(d.get(), name)) << name;
  for (gint i = 0; i < length; i++) g_object_unref(all[i]);
  g_free(all);
  GeeArrayList* groups = tarvex_providers_contracts_server_setting_get_groups(loaded.get());
  ASSERT_EQ(gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(groups)), 1);
  auto read_top = adoptGRef(static_cast<TarvexProvidersContractsServerGroup*>(
      gee_abstract_list_get(GEE_ABSTRACT_LIST(groups), 0)));
  // An absent name is left out and reads back as the instance default.
  EXPECT_STREQ(tarvex_providers_contracts_server_group_get_name(read_top.get()), "");

  // Saving what was loaded gives the same document, but for that name.
  tarvex_providers_contracts_server_setting_save(loaded.get(), &error);
  ASSERT_EQ(error, nullptr);
  std::string second = read(file);
  tarvex_providers_contracts_server_group_set_name(read_top.get(), nullptr);
  tarvex_providers_contracts_server_setting_save(loaded.get(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(read(file), first);
  EXPECT_NE(second.find("\"name\" : \"\""), std::string::npos);
}

TEST_F(ServerTreeTest, BadDocumentsFailAndKeepTreeAndFile) {
  auto kept = server("kept");
  add(tarvex_providers_contracts_server_setting_get_servers(setting_.get()), kept.get());
  GeeArrayList* before = tarvex_providers_contracts_server_setting_get_servers(setting_.get());
  struct {
    const char* name;
    const char* text;
    const char* domain;
    gint code;
  } cases[] = {
      {"array.json", "[{\"servers\": []}]", "ServerSetting", -2},
      {"string.json", "\"servers\"", "ServerSetting", -2},
      {"garbage.json", "servers = { nope", nullptr, 0},
  };
  for (auto& c : cases) {
    std::string file = path(c.name);
    write(file, c.text);
    GError* error = nullptr;
    tarvex_providers_contracts_server_setting_load(setting_.get(), file.c_str(), &error);
    ASSERT_NE(error, nullptr) << c.name;
    if (c.domain) {
      EXPECT_GERROR(error, c.domain, c.code);
      EXPECT_STREQ(error->message, "Failed to load database setting file.");
    } else {
      EXPECT_EQ(error->domain, JSON_PARSER_ERROR) << error->message;
    }
    g_clear_error(&error);
    EXPECT_EQ(tarvex_providers_contracts_server_setting_get_servers(setting_.get()), before);
    EXPECT_EQ(titles(before), std::vector<std::string>{"kept"});
    EXPECT_EQ(read(file), c.text);
    // The name is remembered all the same: the next save writes there.
    tarvex_providers_contracts_server_setting_save(setting_.get(), &error);
    ASSERT_EQ(error, nullptr);
    EXPECT_NE(read(file).find("\"kept\""), std::string::npos);
  }
}

TEST_F(ServerTreeTest, AFileThatFailedToLoadIsKeptAsideBeforeASave) {
  // The user's servers, with one trailing comma too many.
  const std::string broken =
      "{\"servers\": [{\"title\": \"production\", \"host\": \"db1\"},\n"
      "             {\"title\": \"staging\", \"host\": \"db2\"},]}";
  std::string file = path("servers.json");
  write(file, broken);
  GError* error = nullptr;
  tarvex_providers_contracts_server_setting_load(setting_.get(), file.c_str(), &error);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->domain, JSON_PARSER_ERROR);
  g_clear_error(&error);

  auto added = server("added");
  tarvex_providers_contracts_server_setting_append(setting_.get(), added.get(), "", "");
  tarvex_providers_contracts_server_setting_save(setting_.get(), &error);
  ASSERT_EQ(error, nullptr) << error->message;
  auto aside = tarvex::test::names_starting(folder_, "servers.json.broken-");
  ASSERT_EQ(aside.size(), 1u);
  // The broken file is whole under its new name, in the owner-only mode it
  // had; the tree went to the file's own name.
  EXPECT_EQ(read(path(aside[0].c_str())), broken);
  EXPECT_TRUE(g_regex_match_simple("^servers\\.json\\.broken-\\d{8}T\\d{6}Z$", aside[0].c_str(),
                                   GRegexCompileFlags(0), GRegexMatchFlags(0)))
      << aside[0];
  auto reread = adoptGRef(tarvex_providers_contracts_server_setting_new());
  tarvex_providers_contracts_server_setting_load(reread.get(), file.c_str(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(titles(tarvex_providers_contracts_server_setting_get_servers(reread.get())),
            std::vector<std::string>{"added"});

  // Kept once: later saves replace the file this tree wrote.
  tarvex_providers_contracts_server_setting_save(setting_.get(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(tarvex::test::names_starting(folder_, "servers.json.broken-").size(), 1u);

  // A missing file is no loss: the first save just writes.
  std::string fresh = path("fresh.json");
  tarvex_providers_contracts_server_setting_load(setting_.get(), fresh.c_str(), &error);
  ASSERT_NE(error, nullptr);
  g_clear_error(&error);
  tarvex_providers_contracts_server_setting_save(setting_.get(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_TRUE(tarvex::test::names_starting(folder_, "fresh.json.broken-").empty());
}

TEST_F(ServerTreeTest, DeepAndHugeDocumentsAreRefusedBeforeParsing) {
  struct {
    std::string text;
    bool loads;
  } rows[] = {
      {tarvex::test::nested_document(512), true},
      {tarvex::test::nested_document(513), false},
      {tarvex::test::nested_document(100000), false},
      {tarvex::test::brackets_in_strings(1000), true},
  };
  std::string file = path("deep.json");
  for (const auto& row : rows) {
    write(file, row.text);
    GError* error = nullptr;
    tarvex_providers_contracts_server_setting_load(setting_.get(), file.c_str(), &error);
    if (row.loads) {
      EXPECT_EQ(error, nullptr) << row.text.size();
    } else {
      ASSERT_NE(error, nullptr) << row.text.size();
      EXPECT_GERROR(error, JSON_PARSER_ERROR, JSON_PARSER_ERROR_PARSE);
      EXPECT_NE(strstr(error->message, "nested deeper than 512 levels"), nullptr) << error->message;
    }
    g_clear_error(&error);
  }

  // 64 MB is read; one byte more is refused without being read.
  const size_t limit = size_t(64) << 20;
  for (size_t size : {limit, limit + 1}) {
    ASSERT_TRUE(tarvex::test::write_padded_object(file, size));
    GError* error = nullptr;
    tarvex_providers_contracts_server_setting_load(setting_.get(), file.c_str(), &error);
    if (size == limit) {
      EXPECT_EQ(error, nullptr);
    } else {
      ASSERT_NE(error, nullptr);
      EXPECT_EQ(error->domain, G_FILE_ERROR);
      EXPECT_NE(strstr(error->message, "larger than 64 MB"), nullptr) << error->message;
    }
    g_clear_error(&error);
  }
}

TEST_F(ServerTreeTest, UnknownMembersAndOddShapesAreTolerated) {
  std::string file = path("odd.json");
  write(file,
        "{\"servers\": [{\"title\": \"only\", \"colour\": \"blue\"}, 7, null],"
        " \"groups\": {\"name\": \"not a list\"},"
        " \"organizations\": [{\"name\": \"O\", \"groups\": [{\"name\": \"G\", \"servers\": "
        "\"x\"}]}],"
        " \"extra\": true}");
  GError* error = nullptr;
  tarvex_providers_contracts_server_setting_load(setting_.get(), file.c_str(), &error);
  ASSERT_EQ(error, nullptr);
  GeeArrayList* servers = tarvex_providers_contracts_server_setting_get_servers(setting_.get());
  ASSERT_EQ(titles(servers), std::vector<std::string>{"only"});
  auto only = adoptGRef(static_cast<Server*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(servers), 0)));
  EXPECT_STREQ(tarvex_providers_contracts_server_get_uuid(only.get()), "");
  EXPECT_STREQ(tarvex_providers_contracts_server_get_provider(only.get()), "UNKNOWN");
  EXPECT_EQ(tarvex_providers_contracts_server_get_http_port(only.get()), 8080);
  EXPECT_EQ(g_object_get_data(G_OBJECT(only.get()), "colour"), nullptr);
  EXPECT_EQ(gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(
                tarvex_providers_contracts_server_setting_get_groups(setting_.get()))),
            0);
  gint length = -1;
  Server** all = tarvex_providers_contracts_server_setting_unite_servers(setting_.get(), &length);
  EXPECT_EQ(length, 1);
  for (gint i = 0; i < length; i++) g_object_unref(all[i]);
  g_free(all);

  // A member of the wrong type is skipped with a warning.
  write(file, "{\"servers\": [{\"title\": \"t\", \"port\": \"1433\"}]}");
  EXPECT_WARNING(
      tarvex_providers_contracts_server_setting_load(setting_.get(), file.c_str(), &error), "port");
  ASSERT_EQ(error, nullptr);
  servers = tarvex_providers_contracts_server_setting_get_servers(setting_.get());
  ASSERT_EQ(titles(servers), std::vector<std::string>{"t"});

  // Odd list elements and nulls never crash the reader.
  write(file,
        "{\"servers\": [{\"title\": \"n\", \"databases\": [1, \"a\", null, {\"x\": 1}], "
        "\"host\": null}], \"organizations\": [{\"name\": null, \"groups\": null}]}");
  tarvex_providers_contracts_server_setting_load(setting_.get(), file.c_str(), &error);
  tarvex::test::drop_quiet_logs();
  while (tarvex::test::take_log(G_LOG_LEVEL_WARNING, "")) {
  }
  g_clear_error(&error);
  all = tarvex_providers_contracts_server_setting_unite_servers(setting_.get(), &length);
  EXPECT_EQ(length, 1);
  for (gint i = 0; i < length; i++) {
    gint n = 0;
    tarvex_providers_contracts_server_get_databases(all[i], &n);
    GUniqueStr text(tarvex_providers_contracts_server_to_string(all[i], TRUE));
    g_object_unref(all[i]);
  }
  g_free(all);
}

TEST_F(ServerTreeTest, AFailedSaveKeepsThePreviousFile) {
  std::string file = path("keep.json");
  GError* error = nullptr;
  tarvex_providers_contracts_server_setting_load(setting_.get(), file.c_str(), &error);
  g_clear_error(&error);
  tarvex_providers_contracts_server_setting_save(setting_.get(), &error);
  ASSERT_EQ(error, nullptr);
  std::string previous = read(file);
  for (int i = 0; i < 20; i++) {
    auto s = server("a long enough title to outgrow the limit");
    add(tarvex_providers_contracts_server_setting_get_servers(setting_.get()), s.get());
  }
  // Writing stops at the file-size limit (which holds for root as well).
  struct rlimit old_limit;
  getrlimit(RLIMIT_FSIZE, &old_limit);
  auto old_handler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old_limit;
  small.rlim_cur = 256;
  setrlimit(RLIMIT_FSIZE, &small);
  tarvex_providers_contracts_server_setting_save(setting_.get(), &error);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->domain, G_FILE_ERROR);
  g_error_free(error);
  EXPECT_EQ(read(file), previous);
  EXPECT_EQ(list_folder(), std::vector<std::string>{"keep.json"});

  // A tree never loaded has no file name to write to.
  auto fresh = adoptGRef(tarvex_providers_contracts_server_setting_new());
  error = nullptr;
  tarvex_providers_contracts_server_setting_save(fresh.get(), &error);
  ASSERT_NE(error, nullptr);
  g_error_free(error);
}

}  // namespace
