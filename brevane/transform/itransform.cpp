#include "brevane/transform/itransform.h"

#include "brevane/transform/transform-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-dispatch-private.h"
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
      iface,
      tarvex_brevane_contracts_param_spec_thread_progress(
          "progress", nullptr, nullptr, TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS, flags));
}

using ITransformIface = TarvexBrevaneTransformITransformIface;
using ISynchronizeIface = TarvexBrevaneTransformISynchronizeIface;

void tarvex_brevane_transform_itransform_initialize(TarvexBrevaneTransformITransform* self,
                                                    GError** error) {
  tarvex::call_slot<&ITransformIface::initialize>(self, error);
}

void tarvex_brevane_transform_itransform_handle(TarvexBrevaneTransformITransform* self) {
  tarvex::call_slot<&ITransformIface::handle>(self);
}

TarvexBrevaneContractsDatabaseIConnection* tarvex_brevane_transform_itransform_get_server_source(
    TarvexBrevaneTransformITransform* self) {
  return tarvex::call_slot<&ITransformIface::get_server_source>(self);
}

void tarvex_brevane_transform_itransform_set_server_source(
    TarvexBrevaneTransformITransform* self, TarvexBrevaneContractsDatabaseIConnection* value) {
  tarvex::call_slot<&ITransformIface::set_server_source>(self, value);
}

TarvexBrevaneContractsDatabaseIConnection* tarvex_brevane_transform_itransform_get_server_target(
    TarvexBrevaneTransformITransform* self) {
  return tarvex::call_slot<&ITransformIface::get_server_target>(self);
}

void tarvex_brevane_transform_itransform_set_server_target(
    TarvexBrevaneTransformITransform* self, TarvexBrevaneContractsDatabaseIConnection* value) {
  tarvex::call_slot<&ITransformIface::set_server_target>(self, value);
}

TarvexBrevaneContractsThreadProgress* tarvex_brevane_transform_itransform_get_progress(
    TarvexBrevaneTransformITransform* self) {
  return tarvex::call_slot<&ITransformIface::get_progress>(self);
}

void tarvex_brevane_transform_itransform_set_progress(TarvexBrevaneTransformITransform* self,
                                                      TarvexBrevaneContractsThreadProgress* value) {
  tarvex::call_slot<&ITransformIface::set_progress>(self, value);
}

TarvexBrevaneContractsThreadProgress* tarvex_brevane_transform_itransform_snapshot_progress(
    TarvexBrevaneTransformITransform* self, gboolean take_messages) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_TRANSFORM_IS_ITRANSFORM(self), "self != NULL",
                                 nullptr);
  auto* core = tarvex::transform::Core::of(self);
  return core ? core->snapshot(take_messages) : nullptr;
}

// ---------------------------------------------------------------------------

TARVEX_DEFINE_INTERFACE_WITH_CODE(
    TarvexBrevaneTransformISynchronize, tarvex_brevane_transform_isynchronize, G_TYPE_OBJECT,
    g_type_interface_add_prerequisite(g_define_type_id, TARVEX_BREVANE_TRANSFORM_TYPE_ITRANSFORM))

static void tarvex_brevane_transform_isynchronize_default_init(
    TarvexBrevaneTransformISynchronizeIface*) {}

GObject* tarvex_brevane_transform_isynchronize_preview(TarvexBrevaneTransformISynchronize* self,
                                                       GError** error) {
  return tarvex::call_slot<&ISynchronizeIface::preview>(self, error);
}

GeeList* tarvex_brevane_transform_isynchronize_generate(TarvexBrevaneTransformISynchronize* self,
                                                        GError** error) {
  return tarvex::call_slot<&ISynchronizeIface::generate>(self, error);
}
