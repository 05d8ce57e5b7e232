// One scheduled event of a schema.
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneMetaModelMetaEvent TarvexBrevaneMetaModelMetaEvent;
typedef struct _TarvexBrevaneMetaModelMetaEventClass TarvexBrevaneMetaModelMetaEventClass;
typedef struct _TarvexBrevaneMetaModelMetaEventPrivate TarvexBrevaneMetaModelMetaEventPrivate;

struct _TarvexBrevaneMetaModelMetaEvent {
  TarvexBrevaneMetaModelMetaObject parent_instance;
};

struct _TarvexBrevaneMetaModelMetaEventClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_EVENT (tarvex_brevane_meta_model_meta_event_get_type())
#define TARVEX_BREVANE_META_MODEL_META_EVENT(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_EVENT, \
                              TarvexBrevaneMetaModelMetaEvent))
#define TARVEX_BREVANE_META_MODEL_IS_META_EVENT(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_EVENT))

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_event_get_type(void) G_GNUC_CONST;
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
