// The transform contracts: ITransform moves structure or data from a source
// connection to a target connection, reporting through a ThreadProgress
// record; ISynchronize adds the preview of the differences and the list of
// SQL texts a run would execute.
#pragma once

#include <gee.h>
#include <glib-object.h>

#include "brevane/contracts/iconnection.h"
#include "brevane/contracts/thread_progress.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneTransformITransform TarvexBrevaneTransformITransform;
typedef struct _TarvexBrevaneTransformITransformIface TarvexBrevaneTransformITransformIface;

struct _TarvexBrevaneTransformITransformIface {
  GTypeInterface parent_iface;
  void (*initialize)(TarvexBrevaneTransformITransform* self, GError** error);
  void (*handle)(TarvexBrevaneTransformITransform* self);
  TarvexBrevaneContractsDatabaseIConnection* (*get_server_source)(
      TarvexBrevaneTransformITransform* self);
  void (*set_server_source)(TarvexBrevaneTransformITransform* self,
                            TarvexBrevaneContractsDatabaseIConnection* value);
  TarvexBrevaneContractsDatabaseIConnection* (*get_server_target)(
      TarvexBrevaneTransformITransform* self);
  void (*set_server_target)(TarvexBrevaneTransformITransform* self,
                            TarvexBrevaneContractsDatabaseIConnection* value);
  TarvexBrevaneContractsThreadProgress* (*get_progress)(TarvexBrevaneTransformITransform* self);
  void (*set_progress)(TarvexBrevaneTransformITransform* self,
                       TarvexBrevaneContractsThreadProgress* value);
};

#define TARVEX_BREVANE_TRANSFORM_TYPE_ITRANSFORM (tarvex_brevane_transform_itransform_get_type())
#define TARVEX_BREVANE_TRANSFORM_ITRANSFORM(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_TRANSFORM_TYPE_ITRANSFORM, \
                              TarvexBrevaneTransformITransform))
#define TARVEX_BREVANE_TRANSFORM_IS_ITRANSFORM(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_TRANSFORM_TYPE_ITRANSFORM))
#define TARVEX_BREVANE_TRANSFORM_ITRANSFORM_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_TRANSFORM_TYPE_ITRANSFORM, \
                                 TarvexBrevaneTransformITransformIface))

TARVEX_EXPORT GType tarvex_brevane_transform_itransform_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_brevane_transform_itransform_initialize(
    TarvexBrevaneTransformITransform* self, GError** error);
TARVEX_EXPORT void tarvex_brevane_transform_itransform_handle(
    TarvexBrevaneTransformITransform* self);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIConnection*
tarvex_brevane_transform_itransform_get_server_source(TarvexBrevaneTransformITransform* self);
TARVEX_EXPORT void tarvex_brevane_transform_itransform_set_server_source(
    TarvexBrevaneTransformITransform* self, TarvexBrevaneContractsDatabaseIConnection* value);
TARVEX_EXPORT TarvexBrevaneContractsDatabaseIConnection*
tarvex_brevane_transform_itransform_get_server_target(TarvexBrevaneTransformITransform* self);
TARVEX_EXPORT void tarvex_brevane_transform_itransform_set_server_target(
    TarvexBrevaneTransformITransform* self, TarvexBrevaneContractsDatabaseIConnection* value);
TARVEX_EXPORT TarvexBrevaneContractsThreadProgress*
tarvex_brevane_transform_itransform_get_progress(TarvexBrevaneTransformITransform* self);
TARVEX_EXPORT void tarvex_brevane_transform_itransform_set_progress(
    TarvexBrevaneTransformITransform* self, TarvexBrevaneContractsThreadProgress* value);

// A consistent copy of the transform's progress record, taken under the
// lock that guards its updates, so another thread may read it while
// `handle` runs. The copy's messages are the lines not yet taken (they are
// moved out of the record when `take_messages` is true). The caller owns the
// copy; null when the transform has no record.
TARVEX_EXPORT TarvexBrevaneContractsThreadProgress*
tarvex_brevane_transform_itransform_snapshot_progress(TarvexBrevaneTransformITransform* self,
                                                      gboolean take_messages);

typedef struct _TarvexBrevaneTransformISynchronize TarvexBrevaneTransformISynchronize;
typedef struct _TarvexBrevaneTransformISynchronizeIface TarvexBrevaneTransformISynchronizeIface;

struct _TarvexBrevaneTransformISynchronizeIface {
  GTypeInterface parent_iface;
  GObject* (*preview)(TarvexBrevaneTransformISynchronize* self, GError** error);
  GeeList* (*generate)(TarvexBrevaneTransformISynchronize* self, GError** error);
};

#define TARVEX_BREVANE_TRANSFORM_TYPE_ISYNCHRONIZE \
  (tarvex_brevane_transform_isynchronize_get_type())
#define TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_TRANSFORM_TYPE_ISYNCHRONIZE, \
                              TarvexBrevaneTransformISynchronize))
#define TARVEX_BREVANE_TRANSFORM_IS_ISYNCHRONIZE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_TRANSFORM_TYPE_ISYNCHRONIZE))
#define TARVEX_BREVANE_TRANSFORM_ISYNCHRONIZE_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_TRANSFORM_TYPE_ISYNCHRONIZE, \
                                 TarvexBrevaneTransformISynchronizeIface))

TARVEX_EXPORT GType tarvex_brevane_transform_isynchronize_get_type(void) G_GNUC_CONST;
// The patched model (owned by the caller), null when both sides are equal
// or on failure.
TARVEX_EXPORT GObject* tarvex_brevane_transform_isynchronize_preview(
    TarvexBrevaneTransformISynchronize* self, GError** error);
// A new list of SQL texts in execution order, null on failure.
TARVEX_EXPORT GeeList* tarvex_brevane_transform_isynchronize_generate(
    TarvexBrevaneTransformISynchronize* self, GError** error);

G_END_DECLS
