#include "providers/contracts/result.h"

#include "common/tarvex-gobject-private.h"

using namespace tarvex;

// ----------------------------------------------------------------- IResult

TARVEX_DEFINE_INTERFACE(TarvexProvidersContractsIResult, tarvex_providers_contracts_iresult,
                        G_TYPE_OBJECT)

static void tarvex_providers_contracts_iresult_default_init(TarvexProvidersContractsIResultIface*) {
}

static void result_iface_init(TarvexProvidersContractsIResultIface*) {}

namespace {
constexpr auto kFlags = GParamFlags(G_PARAM_READWRITE | G_PARAM_CONSTRUCT |
                                    G_PARAM_EXPLICIT_NOTIFY | G_PARAM_STATIC_STRINGS);
}

// ------------------------------------------------------------ ScalarResult

struct _TarvexProvidersContractsScalarResultPrivate {
  gint rows = 0;
};

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexProvidersContractsScalarResult,
                             tarvex_providers_contracts_scalar_result, G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(tarvex_providers_contracts_iresult_get_type(),
                                                   result_iface_init))

namespace {
namespace scalar_props {
enum { PROP_0, PROP_ROWS, N_PROPERTIES };
GParamSpec* properties[N_PROPERTIES];
}  // namespace scalar_props

void scalar_get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  using namespace scalar_props;
  switch (prop_id) {
    case PROP_ROWS:
      g_value_set_int(value, tarvex_providers_contracts_scalar_result_get_private(object)->rows);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

void scalar_set_property(GObject* object, guint prop_id, const GValue* value, GParamSpec* pspec) {
  using namespace scalar_props;
  switch (prop_id) {
    case PROP_ROWS:
      tarvex_providers_contracts_scalar_result_set_rows(
          reinterpret_cast<TarvexProvidersContractsScalarResult*>(object), g_value_get_int(value));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}
}  // namespace

static void tarvex_providers_contracts_scalar_result_class_setup(
    TarvexProvidersContractsScalarResultClass* klass) {
  using namespace scalar_props;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = scalar_get_property;
  oc->set_property = scalar_set_property;
  properties[PROP_ROWS] = g_param_spec_int("rows", "rows", "rows", G_MININT, G_MAXINT, 0, kFlags);
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsScalarResult* tarvex_providers_contracts_scalar_result_construct(
    GType object_type, gint rows) {
  auto* self =
      static_cast<TarvexProvidersContractsScalarResult*>(g_object_new(object_type, nullptr));
  tarvex_providers_contracts_scalar_result_get_private(self)->rows = rows;
  return self;
}

TarvexProvidersContractsScalarResult* tarvex_providers_contracts_scalar_result_new(gint rows) {
  return tarvex_providers_contracts_scalar_result_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_SCALAR_RESULT, rows);
}

gint tarvex_providers_contracts_scalar_result_get_rows(TarvexProvidersContractsScalarResult* self) {
  g_return_val_if_fail(self != NULL, 0);
  return tarvex_providers_contracts_scalar_result_get_private(self)->rows;
}

void tarvex_providers_contracts_scalar_result_set_rows(TarvexProvidersContractsScalarResult* self,
                                                       gint value) {
  using namespace scalar_props;
  g_return_if_fail(self != NULL);
  auto* priv = tarvex_providers_contracts_scalar_result_get_private(self);
  if (priv->rows == value) return;
  priv->rows = value;
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_ROWS]);
}

// ----------------------------------------------------------- InvalidResult

struct _TarvexProvidersContractsInvalidResultPrivate {
  OptString code;
  OptString message;
};

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexProvidersContractsInvalidResult,
                             tarvex_providers_contracts_invalid_result, G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(tarvex_providers_contracts_iresult_get_type(),
                                                   result_iface_init))

namespace {
namespace invalid_props {
enum { PROP_0, PROP_CODE, PROP_MESSAGE, N_PROPERTIES };
GParamSpec* properties[N_PROPERTIES];
}  // namespace invalid_props

void invalid_get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  using namespace invalid_props;
  auto* priv = tarvex_providers_contracts_invalid_result_get_private(object);
  switch (prop_id) {
    case PROP_CODE:
      g_value_set_string(value, priv->code.c_str());
      break;
    case PROP_MESSAGE:
      g_value_set_string(value, priv->message.c_str());
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

void invalid_set_property(GObject* object, guint prop_id, const GValue* value, GParamSpec* pspec) {
  using namespace invalid_props;
  auto* self = reinterpret_cast<TarvexProvidersContractsInvalidResult*>(object);
  switch (prop_id) {
    case PROP_CODE:
      tarvex_providers_contracts_invalid_result_set_code(self, g_value_get_string(value));
      break;
    case PROP_MESSAGE:
      tarvex_providers_contracts_invalid_result_set_message(self, g_value_get_string(value));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}
}  // namespace

static void tarvex_providers_contracts_invalid_result_class_setup(
    TarvexProvidersContractsInvalidResultClass* klass) {
  using namespace invalid_props;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = invalid_get_property;
  oc->set_property = invalid_set_property;
  properties[PROP_CODE] = g_param_spec_string("code", "code", "code", nullptr, kFlags);
  properties[PROP_MESSAGE] = g_param_spec_string("message", "message", "message", nullptr, kFlags);
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsInvalidResult* tarvex_providers_contracts_invalid_result_construct(
    GType object_type, const gchar* error_code, const gchar* error_message) {
  g_return_val_if_fail(error_code != NULL, NULL);
  g_return_val_if_fail(error_message != NULL, NULL);
  auto* self =
      static_cast<TarvexProvidersContractsInvalidResult*>(g_object_new(object_type, nullptr));
  auto* priv = tarvex_providers_contracts_invalid_result_get_private(self);
  priv->code.assign(error_code);
  priv->message.assign(error_message);
  return self;
}

TarvexProvidersContractsInvalidResult* tarvex_providers_contracts_invalid_result_new(
    const gchar* error_code, const gchar* error_message) {
  return tarvex_providers_contracts_invalid_result_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_INVALID_RESULT, error_code, error_message);
}

const gchar* tarvex_providers_contracts_invalid_result_get_code(
    TarvexProvidersContractsInvalidResult* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return tarvex_providers_contracts_invalid_result_get_private(self)->code.c_str();
}

void tarvex_providers_contracts_invalid_result_set_code(TarvexProvidersContractsInvalidResult* self,
                                                        const gchar* value) {
  using namespace invalid_props;
  g_return_if_fail(self != NULL);
  if (tarvex_providers_contracts_invalid_result_get_private(self)->code.set(value))
    g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_CODE]);
}

const gchar* tarvex_providers_contracts_invalid_result_get_message(
    TarvexProvidersContractsInvalidResult* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return tarvex_providers_contracts_invalid_result_get_private(self)->message.c_str();
}

void tarvex_providers_contracts_invalid_result_set_message(
    TarvexProvidersContractsInvalidResult* self, const gchar* value) {
  using namespace invalid_props;
  g_return_if_fail(self != NULL);
  if (tarvex_providers_contracts_invalid_result_get_private(self)->message.set(value))
    g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_MESSAGE]);
}
