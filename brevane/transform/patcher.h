// The diff engine: compares a source and a target meta-model object or data
// set, marks each compared object with its DiffCode (0 bad input, 1 equal,
// 2 and 4 present on one side only, 8 changed) and builds a patched model
// holding the objects to act on.
//
// Meta objects are compared by their JSON form; the diff engine's own mark
// ("version") is never part of it, and with `normalized` false the
// "database" and "schema" members are set aside at every level, so that two
// objects differing only in where they live compare equal.
//
// Data tables are matched by key when the table model carries the object
// data "KEYS" (a NULL-terminated array of key column names; the user-data
// synchroniser sets it together with "SCHEMA" and "TABLE", which the patched
// table takes over from the target, else from the source), otherwise by
// position. A patched table holds a row per difference: the source's values
// with row version 4 (insert) for a row only the source has, 8 (update) for
// a changed row, and the target's values with version 2 (delete) for a row
// only the target has. Each compared value carries its code under the
// object data "VERSION". A side with fewer tables, rows or values than the
// other is no error.
#pragma once

#include <glib-object.h>

#include "brevane/model/meta_database.h"
#include "brevane/model/meta_event.h"
#include "brevane/model/meta_object.h"
#include "brevane/model/meta_routine.h"
#include "brevane/model/meta_table.h"
#include "brevane/model/meta_view.h"
#include "common/tarvex-export.h"
#include "providers/contracts/data_set_model.h"
#include "providers/contracts/row_model.h"
#include "providers/contracts/table_model.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_TRANSFORM_TYPE_PATCHER (tarvex_brevane_transform_patcher_get_type())
TARVEX_EXPORT G_DECLARE_FINAL_TYPE(TarvexBrevaneTransformPatcher, tarvex_brevane_transform_patcher,
                                   TARVEX_BREVANE_TRANSFORM, PATCHER, GObject)

TARVEX_EXPORT TarvexBrevaneTransformPatcher* tarvex_brevane_transform_patcher_new(void);

TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_object(TarvexBrevaneTransformPatcher* self,
                                                                GObject* object_source,
                                                                GObject* object_target);
TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_model(
    TarvexBrevaneTransformPatcher* self, TarvexBrevaneMetaModelMetaObject* source,
    TarvexBrevaneMetaModelMetaObject* target);
TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_meta_table(
    TarvexBrevaneTransformPatcher* self, TarvexBrevaneMetaModelMetaTable* source,
    TarvexBrevaneMetaModelMetaTable* target, gboolean normalized,
    TarvexBrevaneMetaModelMetaTable** patched);
TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_meta_view(
    TarvexBrevaneTransformPatcher* self, TarvexBrevaneMetaModelMetaView* source,
    TarvexBrevaneMetaModelMetaView* target, gboolean normalized,
    TarvexBrevaneMetaModelMetaView** patched);
TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_meta_function(
    TarvexBrevaneTransformPatcher* self, TarvexBrevaneMetaModelMetaRoutine* source,
    TarvexBrevaneMetaModelMetaRoutine* target, gboolean normalized,
    TarvexBrevaneMetaModelMetaRoutine** patched);
TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_meta_event(
    TarvexBrevaneTransformPatcher* self, TarvexBrevaneMetaModelMetaEvent* source,
    TarvexBrevaneMetaModelMetaEvent* target, gboolean normalized,
    TarvexBrevaneMetaModelMetaEvent** patched);
TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_meta_schema(
    TarvexBrevaneTransformPatcher* self, TarvexBrevaneMetaModelMetaSchema* source,
    TarvexBrevaneMetaModelMetaSchema* target, gboolean normalized,
    TarvexBrevaneMetaModelMetaSchema** patched);
TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_meta_database(
    TarvexBrevaneTransformPatcher* self, TarvexBrevaneMetaModelMetaDatabase* source,
    TarvexBrevaneMetaModelMetaDatabase* target, gboolean normalized,
    TarvexBrevaneMetaModelMetaDatabase** patched);
TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_data_row(
    TarvexBrevaneTransformPatcher* self, TarvexProvidersContractsRowModel* source,
    TarvexProvidersContractsRowModel* target, TarvexProvidersContractsRowModel** patched);
TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_data_table(
    TarvexBrevaneTransformPatcher* self, TarvexProvidersContractsTableModel* source,
    TarvexProvidersContractsTableModel* target, TarvexProvidersContractsTableModel** patched);
TARVEX_EXPORT gint tarvex_brevane_transform_patcher_diff_data_set(
    TarvexBrevaneTransformPatcher* self, TarvexProvidersContractsDataSetModel* source,
    TarvexProvidersContractsDataSetModel* target, TarvexProvidersContractsDataSetModel** patched);

G_END_DECLS
