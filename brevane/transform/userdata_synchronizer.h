// UserdataSynchronizer: compares the rows of the tables the options select
// ("OPTION|table|<name>") in one source and one target schema, matched by
// primary key, and patches the target's rows with INSERT, UPDATE and DELETE
// statements from the target dialect's builder. A table without a key gets
// inserts only; its updates and deletes are refused.
#pragma once

#include <gee.h>
#include <glib-object.h>

#include "brevane/transform/itransform.h"
#include "common/tarvex-export.h"
#include "providers/contracts/data_set_model.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_TRANSFORM_TYPE_USERDATA_SYNCHRONIZER \
  (tarvex_brevane_transform_userdata_synchronizer_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneTransformUserdataSynchronizer,
                                       tarvex_brevane_transform_userdata_synchronizer,
                                       TARVEX_BREVANE_TRANSFORM, USERDATA_SYNCHRONIZER, GObject)

struct _TarvexBrevaneTransformUserdataSynchronizerClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneTransformUserdataSynchronizer*
tarvex_brevane_transform_userdata_synchronizer_new(GeeMap* _options);
TARVEX_EXPORT TarvexBrevaneTransformUserdataSynchronizer*
tarvex_brevane_transform_userdata_synchronizer_construct(GType object_type, GeeMap* _options);
TARVEX_EXPORT TarvexProvidersContractsDataSetModel*
tarvex_brevane_transform_userdata_synchronizer_get_dataset_source(
    TarvexBrevaneTransformUserdataSynchronizer* self);
TARVEX_EXPORT TarvexProvidersContractsDataSetModel*
tarvex_brevane_transform_userdata_synchronizer_get_dataset_target(
    TarvexBrevaneTransformUserdataSynchronizer* self);

G_END_DECLS
