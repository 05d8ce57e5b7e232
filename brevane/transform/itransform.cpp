#include "brevane/transform/itransform.h"

#include "brevane/transform/transform-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"

TARVEX_DEFINE_INTERFACE(TarvexBrevaneTransformITransform, tarvex_brevane_transform_itransform,
                        G_TYPE_OBJECT)

static void tarvex_brevane_transform_itransform_default_init(
    TarvexBrevaneTransformITransformIface* iface) {
  auto flags = GParamFlags(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS);
  g_object_interface_install_property(
      iface, g_param_spec_object("server-source", nullptr, nullptr,
                                 TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICONNECTION, flags));
  g_object_interface_install_property(
      iface, g_param_spec_object("server-target", nullptr, nullptr,
                                 TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICONNECTION, flags));
  g_object_interface_install_property(
      iface, tarvex_brevane_contracts_param_spec_thread_progress(
                 "progress", nullptr, nullptr, TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS,
                 flags));
}

#define ITRANSFORM_IFACE(self) TARVEX_BREVANE_TRANSFORM_ITRANSFORM_GET_INTERFACE(self)
#define CHECK_SELF(v) \
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_TRANSFORM_IS_ITRANSFORM(self), "self != NULL", v)
#define CHECK_SELF_VOID() \
  TARVEX_RETURN_IF_FAIL_TEXT(TARVEX_BREVANE_TRANSFORM_IS_ITRANSFORM(self), "self != NULL")

void tarvex_brevane_transform_itransform_initialize(TarvexBrevaneTransformITransform* self,
                                                    GError** error) {
  CHECK_SELF_VOID();
  auto* iface = ITRANSFORM_IFACE(self);
  if (iface->initialize) iface->initialize(self, error);
}

void tarvex_brevane_transform_itransform_handle(TarvexBrevaneTransformITransform* self) {
  CHECK_SELF_VOID();
  auto* iface = ITRANSFORM_IFACE(self);
  if (iface->handle) iface->handle(self);
}

TarvexBrevaneContractsDatabaseIConnection* tarvex_brevane_transform_itransform_get_server_source(
    TarvexBrevaneTransformITransform* self) {
  CHECK_SELF(nullptr);
  auto* iface = ITRANSFORM_IFACE(self);
  return iface->get_server_source ? iface->get_server_source(self) : nullptr;
}

void tarvex_brevane_transform_itransform_set_server_source(
    TarvexBrevaneTransformITransform* self, TarvexBrevaneContractsDatabaseIConnection* value) {
  CHECK_SELF_VOID();
  auto* iface = ITRANSFORM_IFACE(self);
  if (iface->set_server_source) iface->set_server_source(self, value);
}

TarvexBrevaneContractsDatabaseIConnection* tarvex_brevane_transform_itransform_get_server_target(
    TarvexBrevaneTransformITransform* self) {
  CHECK_SELF(nullptr);
  auto* iface = ITRANSFORM_IFACE(self);
  return iface->get_server_target ? iface->get_server_target(self) : nullptr;
}

void tarvex_brevane_transform_itransform_set_server_target(
    TarvexBrevaneTransformITransform* self, TarvexBrevaneContractsDatabaseIConnection* value) {
  CHECK_SELF_VOID();
  auto* iface = ITRANSFORM_IFACE(self);
  if (iface->set_server_target) iface->set_server_target(self, value);
}

TarvexBrevaneContractsThreadProgress* tarvex_brevane_transform_itransform_get_progress(
    TarvexBrevaneTransformITransform* self) {
  CHECK_SELF(nullptr);
  auto* iface = ITRANSFORM_IFACE(self);
  return iface->get_progress ? iface->get_progress(self) : nullptr;
}

void tarvex_brevane_transform_itransform_set_progress(TarvexBrevaneTransformITransform* self,
                                                      TarvexBrevaneContractsThreadProgress* value) {
  CHECK_SELF_VOID();
  auto* iface = ITRANSFORM_IFACE(self);
  if (iface->set_progress) iface->set_progress(self, value);
}

TarvexBrevaneContractsThreadProgress* tarvex_brevane_transform_itransform_snapshot_progress(
    TarvexBrevaneTransformITransform* self, gboolean take_messages) {
  CHECK_SELF(nullptr);
  auto* core = tarvex::transform::Core::of(self);
  return core ? core->snapshot(take_messages) : nullptr;
}

// ---------------------------------------------------------------------------

typedef TarvexBrevaneTransformISynchronizeIface TarvexBrevaneTransformISynchronizeInterface;
G_DEFINE_INTERFACE_WITH_CODE(TarvexBrevaneTransformISynchronize,
                             tarvex_brevane_transform_isynchronize, G_TYPE_OBJECT,
                             g_type_interface_add_prerequisite(
                                 g_define_type_id, TARVEX_BREVANE_TRANSFORM_TYPE_ITRANSFORM))

static void tarvex_brevane_transform_isynchronize_default_init(
    TarvexBrevaneTransformISynchronizeIface*) {}

GObject* tarvex_brevane_transform_isynchronize_preview(TarvexBrevaneTransformISynchronize* self,
                                                       GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_TRANSFORM_IS_ISYNCHRONIZE(self), "self != NULL",
                                 nullptr);
  auto* iface = TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE_GET_INTERFACE(self);
  return iface->preview ? iface->preview(self, error) : nullptr;
}

GeeList* tarvex_brevane_transform_isynchronize_generate(TarvexBrevaneTransformISynchronize* self,
                                                       GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_TRANSFORM_IS_ISYNCHRONIZE(self), "self != NULL",
                                 nullptr);
  auto* iface = TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE_GET_INTERFACE(self);
  return iface->generate ? iface->generate(self, error) : nullptr;
}
