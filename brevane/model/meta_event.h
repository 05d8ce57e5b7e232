// One scheduled event of a schema.
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_EVENT (tarvex_brevane_meta_model_meta_event_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_event_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                         TARVEX_BREVANE_META_MODEL, META_EVENT, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaEventClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaEvent* tarvex_brevane_meta_model_meta_event_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaEvent* tarvex_brevane_meta_model_meta_event_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaEvent* tarvex_brevane_meta_model_meta_event_new_with_names(
    const gchar* database, const gchar* schema, const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaEvent*
tarvex_brevane_meta_model_meta_event_construct_with_names(GType object_type, const gchar* database,
                                                          const gchar* schema, const gchar* name);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_event_get_kind(
    TarvexBrevaneMetaModelMetaEvent* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_event_set_kind(
    TarvexBrevaneMetaModelMetaEvent* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_event_get_body(
    TarvexBrevaneMetaModelMetaEvent* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_event_set_body(
    TarvexBrevaneMetaModelMetaEvent* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_event_get_definer(
    TarvexBrevaneMetaModelMetaEvent* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_event_set_definer(
    TarvexBrevaneMetaModelMetaEvent* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_event_get_state(
    TarvexBrevaneMetaModelMetaEvent* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_event_set_state(
    TarvexBrevaneMetaModelMetaEvent* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_event_get_schedule(
    TarvexBrevaneMetaModelMetaEvent* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_event_set_schedule(
    TarvexBrevaneMetaModelMetaEvent* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_event_get_completion(
    TarvexBrevaneMetaModelMetaEvent* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_event_set_completion(
    TarvexBrevaneMetaModelMetaEvent* self, const gchar* value);

G_END_DECLS
