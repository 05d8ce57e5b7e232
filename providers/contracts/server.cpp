#include "providers/contracts/server.h"

#include <array>

#include "common/tarvex-gobject-private.h"

using namespace tarvex;

namespace {

// Property ids follow the member order of the server setting file.
enum {
  PROP_0,
  PROP_UUID,
  PROP_PROVIDER,
  PROP_DRIVER,
  PROP_TITLE,
  PROP_HOST,
  PROP_PORT,
  PROP_USERNAME,
  PROP_PASSWORD,
  PROP_INITIAL,
  PROP_FILENAME,
  PROP_LOCATION,
  PROP_EXTENSIONS,
  PROP_DATABASES,
  PROP_OPTIONS,
  PROP_SSH_USING,
  PROP_SSH_PROCESS,
  PROP_SSH_HOST,
  PROP_SSH_PORT,
  PROP_SSH_AUTH_TYPE,
  PROP_SSH_USERNAME,
  PROP_SSH_PASSWORD,
  PROP_SSH_KEY_PRIVATE_FILE,
  PROP_HTTP_USING,
  PROP_HTTP_PROCESS,
  PROP_HTTP_PROTOCOL,
  PROP_HTTP_HOST,
  PROP_HTTP_PORT,
  PROP_HTTP_AUTH,
  PROP_HTTP_USERNAME,
  PROP_HTTP_PASSWORD,
  PROP_HTTP_CA_FILE,
  PROP_HTTP_CERT_FILE,
  PROP_HTTP_KEY_FILE,
  PROP_SSL_USING,
  PROP_SSL_CA_FILE,
  PROP_SSL_CERT_FILE,
  PROP_SSL_KEY_FILE,
  PROP_SSL_MODE,
  PROP_SSL_PASSWORD,
  N_PROPERTIES
};

enum class Kind { None, String, Int, Bool, List };

struct PropDesc {
  const char* name;
  Kind kind;
  const char* text_default;  // instance default of a text
  gint number_default;       // instance and declared default of a number
};

constexpr PropDesc kProps[N_PROPERTIES] = {
    {nullptr, Kind::None, nullptr, 0},
    {"uuid", Kind::String, "", 0},
    {"provider", Kind::String, "UNKNOWN", 0},
    {"driver", Kind::String, "", 0},
    {"title", Kind::String, "", 0},
    {"host", Kind::String, "", 0},
    {"port", Kind::Int, nullptr, 0},
    {"username", Kind::String, "", 0},
    {"password", Kind::String, "", 0},
    {"initial", Kind::String, "", 0},
    {"filename", Kind::String, "", 0},
    {"location", Kind::String, "", 0},
    {"extensions", Kind::String, "", 0},
    {"databases", Kind::List, nullptr, 0},
    {"options", Kind::String, "", 0},
    {"ssh-using", Kind::Bool, nullptr, 0},
    {"ssh-process", Kind::String, "ssh", 0},
    {"ssh-host", Kind::String, "", 0},
    {"ssh-port", Kind::Int, nullptr, 22},
    {"ssh-auth-type", Kind::String, "password", 0},
    {"ssh-username", Kind::String, "", 0},
    {"ssh-password", Kind::String, "", 0},
    {"ssh-key-private-file", Kind::String, "", 0},
    {"http-using", Kind::Bool, nullptr, 0},
    {"http-process", Kind::String, "wstunnel", 0},
    {"http-protocol", Kind::String, "http", 0},
    {"http-host", Kind::String, "", 0},
    {"http-port", Kind::Int, nullptr, 8080},
    {"http-auth", Kind::Bool, nullptr, 0},
    {"http-username", Kind::String, "", 0},
    {"http-password", Kind::String, "", 0},
    {"http-ca-file", Kind::String, "", 0},
    {"http-cert-file", Kind::String, "", 0},
    {"http-key-file", Kind::String, "", 0},
    {"ssl-using", Kind::Bool, nullptr, 0},
    {"ssl-ca-file", Kind::String, "", 0},
    {"ssl-cert-file", Kind::String, "", 0},
    {"ssl-key-file", Kind::String, "", 0},
    {"ssl-mode", Kind::String, "require", 0},
    {"ssl-password", Kind::String, "", 0},
};

GParamSpec* properties[N_PROPERTIES];

}  // namespace

struct _TarvexProvidersContractsServerPrivate {
  std::array<OptString, N_PROPERTIES> texts;
  std::array<gint, N_PROPERTIES> numbers{};  // integers and booleans
  GUnique<char*> databases{static_cast<char**>(g_malloc0(sizeof(char*)))};

  _TarvexProvidersContractsServerPrivate() {
    for (guint id = 1; id < N_PROPERTIES; id++) {
      if (kProps[id].kind == Kind::String)
        texts[id].assign(kProps[id].text_default);
      else
        numbers[id] = kProps[id].number_default;
    }
  }
};

TARVEX_DEFINE_TYPE(TarvexProvidersContractsServer, tarvex_providers_contracts_server, G_TYPE_OBJECT)

namespace {

inline TarvexProvidersContractsServerPrivate* priv_of(gconstpointer self) {
  return tarvex_providers_contracts_server_get_private(self);
}

void set_text(TarvexProvidersContractsServer* self, guint id, const char* value) {
  if (priv_of(self)->texts[id].set(value)) g_object_notify_by_pspec(G_OBJECT(self), properties[id]);
}

void set_number(TarvexProvidersContractsServer* self, guint id, gint value) {
  auto& slot = priv_of(self)->numbers[id];
  if (slot == value) return;
  slot = value;
  g_object_notify_by_pspec(G_OBJECT(self), properties[id]);
}

// A deep copy of `length` texts (all of a NULL-terminated list when length
// is negative); an absent element becomes the empty text so the count holds.
char** copy_list(char** value, gint length) {
  if (!value) return nullptr;
  guint n = length < 0 ? g_strv_length(value) : guint(length);
  char** copy = g_new0(char*, n + 1);
  for (guint i = 0; i < n; i++) copy[i] = g_strdup(value[i] ? value[i] : "");
  return copy;
}

void get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  if (prop_id == 0 || prop_id >= N_PROPERTIES) {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
    return;
  }
  auto* priv = priv_of(object);
  switch (kProps[prop_id].kind) {
    case Kind::String:
      g_value_set_string(value, priv->texts[prop_id].c_str());
      break;
    case Kind::Int:
      g_value_set_int(value, priv->numbers[prop_id]);
      break;
    case Kind::Bool:
      g_value_set_boolean(value, priv->numbers[prop_id]);
      break;
    case Kind::List:
      g_value_set_boxed(value, priv->databases.get());
      break;
    case Kind::None:
      break;
  }
}

void set_property(GObject* object, guint prop_id, const GValue* value, GParamSpec* pspec) {
  if (prop_id == 0 || prop_id >= N_PROPERTIES) {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
    return;
  }
  auto* self = TARVEX_PROVIDERS_CONTRACTS_SERVER(object);
  switch (kProps[prop_id].kind) {
    case Kind::String:
      set_text(self, prop_id, g_value_get_string(value));
      break;
    case Kind::Int:
      set_number(self, prop_id, g_value_get_int(value));
      break;
    case Kind::Bool:
      set_number(self, prop_id, g_value_get_boolean(value) ? TRUE : FALSE);
      break;
    case Kind::List:
      tarvex_providers_contracts_server_set_databases(
          self, static_cast<char**>(g_value_get_boxed(value)), -1);
      break;
    case Kind::None:
      break;
  }
}

// A random version-4 identity in upper case.
char* new_identity() {
  GUniqueStr uuid(g_uuid_string_random());
  return g_ascii_strup(uuid.get(), -1);
}

}  // namespace

static void tarvex_providers_contracts_server_class_setup(
    TarvexProvidersContractsServerClass* klass) {
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = get_property;
  oc->set_property = set_property;
  constexpr auto flags =
      GParamFlags(G_PARAM_READWRITE | G_PARAM_EXPLICIT_NOTIFY | G_PARAM_STATIC_STRINGS);
  for (guint id = 1; id < N_PROPERTIES; id++) {
    const auto& p = kProps[id];
    switch (p.kind) {
      case Kind::String:
        properties[id] = g_param_spec_string(p.name, p.name, p.name, nullptr, flags);
        break;
      case Kind::Int:
        properties[id] =
            g_param_spec_int(p.name, p.name, p.name, G_MININT, G_MAXINT, p.number_default, flags);
        break;
      case Kind::Bool:
        properties[id] = g_param_spec_boolean(p.name, p.name, p.name, FALSE, flags);
        break;
      case Kind::List:
        properties[id] = g_param_spec_boxed(p.name, p.name, p.name, G_TYPE_STRV, flags);
        break;
      case Kind::None:
        break;
    }
  }
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsServer* tarvex_providers_contracts_server_construct(GType object_type) {
  return static_cast<TarvexProvidersContractsServer*>(g_object_new(object_type, nullptr));
}

TarvexProvidersContractsServer* tarvex_providers_contracts_server_new(void) {
  return tarvex_providers_contracts_server_construct(TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER);
}

TarvexProvidersContractsServer* tarvex_providers_contracts_server_construct_with_provider(
    GType object_type, const gchar* _provider) {
  g_return_val_if_fail(_provider != NULL, NULL);
  auto* self = tarvex_providers_contracts_server_construct(object_type);
  auto* priv = priv_of(self);
  priv->texts[PROP_PROVIDER].assign(_provider);
  GUniqueStr uuid(new_identity());
  priv->texts[PROP_UUID].assign(uuid.get());
  return self;
}

TarvexProvidersContractsServer* tarvex_providers_contracts_server_new_with_provider(
    const gchar* _provider) {
  return tarvex_providers_contracts_server_construct_with_provider(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_SERVER, _provider);
}

TarvexProvidersContractsServer* tarvex_providers_contracts_server_clone(
    TarvexProvidersContractsServer* self, gboolean new_uuid) {
  g_return_val_if_fail(self != NULL, NULL);
  auto copy = adoptGRef(tarvex_providers_contracts_server_new());
  auto* copy_class = G_OBJECT_GET_CLASS(copy.get());
  guint n = 0;
  GUnique<GParamSpec*, decltype([](GParamSpec** p) { g_free(p); })> pspecs(
      g_object_class_list_properties(G_OBJECT_GET_CLASS(self), &n));
  for (guint i = 0; i < n; i++) {
    GParamSpec* pspec = pspecs.get()[i];
    if (!(pspec->flags & G_PARAM_WRITABLE) || !(pspec->flags & G_PARAM_READABLE)) continue;
    // A subclass's own properties have no place in a plain description.
    if (g_object_class_find_property(copy_class, pspec->name) != pspec) continue;
    GValueHolder value(pspec->value_type);
    g_object_get_property(G_OBJECT(self), pspec->name, value.get());
    g_object_set_property(G_OBJECT(copy.get()), pspec->name, value.get());
  }
  if (new_uuid) {
    GUniqueStr uuid(new_identity());
    tarvex_providers_contracts_server_set_uuid(copy.get(), uuid.get());
  }
  return copy.leak();
}

gchar* tarvex_providers_contracts_server_to_string(TarvexProvidersContractsServer* self,
                                                   gboolean show_uuid) {
  g_return_val_if_fail(self != NULL, NULL);
  auto* priv = priv_of(self);
  auto text = [&](guint id) {
    const char* s = priv->texts[id].c_str();
    return s ? s : "";
  };
  GString* out = g_string_new(nullptr);
  g_string_append_printf(out, "Server %s => Provider:%s, ", text(PROP_TITLE), text(PROP_PROVIDER));
  if (*text(PROP_DRIVER)) g_string_append_printf(out, "Driver:%s, ", text(PROP_DRIVER));
  g_string_append_printf(out, "Initial:%s, ", text(PROP_INITIAL));
  g_string_append_printf(out, "Host:%s, port:%d, ", text(PROP_HOST), priv->numbers[PROP_PORT]);
  g_string_append_printf(out, "User:%s, ", text(PROP_USERNAME));
  g_string_append_printf(out, "SSL:%s, ", priv->numbers[PROP_SSL_USING] ? "Yes" : "No");
  GUniqueStr tunnel;
  if (priv->numbers[PROP_SSH_USING])
    tunnel.reset(g_strdup("SSH"));
  else if (priv->numbers[PROP_HTTP_USING])
    tunnel.reset(g_utf8_strup(text(PROP_HTTP_PROTOCOL), -1));
  else
    tunnel.reset(g_strdup(""));
  g_string_append_printf(out, "Tunnel:%s", tunnel.get());
  if (show_uuid) g_string_append_printf(out, ", ID:%s", text(PROP_UUID));
  return g_string_free(out, FALSE);
}

#define SERVER_STRING_ACCESSORS(name, id)                                                 \
  const gchar* tarvex_providers_contracts_server_get_##name(                              \
      TarvexProvidersContractsServer* self) {                                             \
    g_return_val_if_fail(self != NULL, NULL);                                             \
    return priv_of(self)->texts[id].c_str();                                              \
  }                                                                                       \
  void tarvex_providers_contracts_server_set_##name(TarvexProvidersContractsServer* self, \
                                                    const gchar* value) {                 \
    g_return_if_fail(self != NULL);                                                       \
    set_text(self, id, value);                                                            \
  }

#define SERVER_INT_ACCESSORS(name, id)                                                      \
  gint tarvex_providers_contracts_server_get_##name(TarvexProvidersContractsServer* self) { \
    g_return_val_if_fail(self != NULL, 0);                                                  \
    return priv_of(self)->numbers[id];                                                      \
  }                                                                                         \
  void tarvex_providers_contracts_server_set_##name(TarvexProvidersContractsServer* self,   \
                                                    gint value) {                           \
    g_return_if_fail(self != NULL);                                                         \
    set_number(self, id, value);                                                            \
  }

#define SERVER_BOOL_ACCESSORS(name, id)                                                         \
  gboolean tarvex_providers_contracts_server_get_##name(TarvexProvidersContractsServer* self) { \
    g_return_val_if_fail(self != NULL, FALSE);                                                  \
    return priv_of(self)->numbers[id];                                                          \
  }                                                                                             \
  void tarvex_providers_contracts_server_set_##name(TarvexProvidersContractsServer* self,       \
                                                    gboolean value) {                           \
    g_return_if_fail(self != NULL);                                                             \
    set_number(self, id, value ? TRUE : FALSE);                                                 \
  }

SERVER_STRING_ACCESSORS(uuid, PROP_UUID)
SERVER_STRING_ACCESSORS(provider, PROP_PROVIDER)
SERVER_STRING_ACCESSORS(driver, PROP_DRIVER)
SERVER_STRING_ACCESSORS(title, PROP_TITLE)
SERVER_STRING_ACCESSORS(host, PROP_HOST)
SERVER_INT_ACCESSORS(port, PROP_PORT)
SERVER_STRING_ACCESSORS(username, PROP_USERNAME)
SERVER_STRING_ACCESSORS(password, PROP_PASSWORD)
SERVER_STRING_ACCESSORS(initial, PROP_INITIAL)
SERVER_STRING_ACCESSORS(filename, PROP_FILENAME)
SERVER_STRING_ACCESSORS(location, PROP_LOCATION)
SERVER_STRING_ACCESSORS(extensions, PROP_EXTENSIONS)
SERVER_STRING_ACCESSORS(options, PROP_OPTIONS)
SERVER_BOOL_ACCESSORS(ssh_using, PROP_SSH_USING)
SERVER_STRING_ACCESSORS(ssh_process, PROP_SSH_PROCESS)
SERVER_STRING_ACCESSORS(ssh_host, PROP_SSH_HOST)
SERVER_INT_ACCESSORS(ssh_port, PROP_SSH_PORT)
SERVER_STRING_ACCESSORS(ssh_auth_type, PROP_SSH_AUTH_TYPE)
SERVER_STRING_ACCESSORS(ssh_username, PROP_SSH_USERNAME)
SERVER_STRING_ACCESSORS(ssh_password, PROP_SSH_PASSWORD)
SERVER_STRING_ACCESSORS(ssh_key_private_file, PROP_SSH_KEY_PRIVATE_FILE)
SERVER_BOOL_ACCESSORS(http_using, PROP_HTTP_USING)
SERVER_STRING_ACCESSORS(http_process, PROP_HTTP_PROCESS)
SERVER_STRING_ACCESSORS(http_protocol, PROP_HTTP_PROTOCOL)
SERVER_STRING_ACCESSORS(http_host, PROP_HTTP_HOST)
SERVER_INT_ACCESSORS(http_port, PROP_HTTP_PORT)
SERVER_BOOL_ACCESSORS(http_auth, PROP_HTTP_AUTH)
SERVER_STRING_ACCESSORS(http_username, PROP_HTTP_USERNAME)
SERVER_STRING_ACCESSORS(http_password, PROP_HTTP_PASSWORD)
SERVER_STRING_ACCESSORS(http_ca_file, PROP_HTTP_CA_FILE)
SERVER_STRING_ACCESSORS(http_cert_file, PROP_HTTP_CERT_FILE)
SERVER_STRING_ACCESSORS(http_key_file, PROP_HTTP_KEY_FILE)
SERVER_BOOL_ACCESSORS(ssl_using, PROP_SSL_USING)
SERVER_STRING_ACCESSORS(ssl_ca_file, PROP_SSL_CA_FILE)
SERVER_STRING_ACCESSORS(ssl_cert_file, PROP_SSL_CERT_FILE)
SERVER_STRING_ACCESSORS(ssl_key_file, PROP_SSL_KEY_FILE)
SERVER_STRING_ACCESSORS(ssl_mode, PROP_SSL_MODE)
SERVER_STRING_ACCESSORS(ssl_password, PROP_SSL_PASSWORD)

gchar** tarvex_providers_contracts_server_get_databases(TarvexProvidersContractsServer* self,
                                                        gint* result_length1) {
  if (result_length1) *result_length1 = 0;
  g_return_val_if_fail(self != NULL, NULL);
  char** list = priv_of(self)->databases.get();
  if (result_length1) *result_length1 = list ? gint(g_strv_length(list)) : 0;
  return list;
}

void tarvex_providers_contracts_server_set_databases(TarvexProvidersContractsServer* self,
                                                     gchar** value, gint value_length1) {
  g_return_if_fail(self != NULL);
  auto* priv = priv_of(self);
  // Lists compare by identity.
  if (priv->databases.get() == value) return;
  priv->databases.reset(copy_list(value, value_length1));
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_DATABASES]);
}
