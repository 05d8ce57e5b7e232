// StructureSynchronizer: brings one target schema in line with one source
// schema. Both are filled from their connections, compared with the diff
// engine, and the selected differing tables, views, routines and events
// become DDL texts for the target, run batch by batch (split on lines
// holding only GO).
#pragma once

#include <gee.h>
#include <glib-object.h>

#include "brevane/model/meta_table.h"
#include "brevane/transform/itransform.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_TRANSFORM_TYPE_STRUCTURE_SYNCHRONIZER \
  (tarvex_brevane_transform_structure_synchronizer_get_type())
TARVEX_EXPORT G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneTransformStructureSynchronizer,
                                       tarvex_brevane_transform_structure_synchronizer,
                                       TARVEX_BREVANE_TRANSFORM, STRUCTURE_SYNCHRONIZER, GObject)

struct _TarvexBrevaneTransformStructureSynchronizerClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneTransformStructureSynchronizer*
tarvex_brevane_transform_structure_synchronizer_new(GeeMap* _options);
TARVEX_EXPORT TarvexBrevaneTransformStructureSynchronizer*
tarvex_brevane_transform_structure_synchronizer_construct(GType object_type, GeeMap* _options);
// The schemas as read last (borrowed).
TARVEX_EXPORT TarvexBrevaneMetaModelMetaSchema*
tarvex_brevane_transform_structure_synchronizer_get_schema_source(
    TarvexBrevaneTransformStructureSynchronizer* self);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaSchema*
tarvex_brevane_transform_structure_synchronizer_get_schema_target(
    TarvexBrevaneTransformStructureSynchronizer* self);

G_END_DECLS
