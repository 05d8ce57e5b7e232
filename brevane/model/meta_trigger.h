// One trigger of a table or view. Details without a property of their own
// ("TARGET_TYPE", "STATE", "DEFINITION_TYPE", ...) live in the attributes.
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_TRIGGER \
  (tarvex_brevane_meta_model_meta_trigger_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_trigger_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                         TARVEX_BREVANE_META_MODEL, META_TRIGGER, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaTriggerClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaTrigger* tarvex_brevane_meta_model_meta_trigger_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTrigger* tarvex_brevane_meta_model_meta_trigger_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTrigger*
tarvex_brevane_meta_model_meta_trigger_new_with_names(const gchar* database, const gchar* schema,
                                                      const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTrigger*
tarvex_brevane_meta_model_meta_trigger_construct_with_names(GType object_type,
                                                            const gchar* database,
                                                            const gchar* schema, const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTrigger*
tarvex_brevane_meta_model_meta_trigger_new_with_body(const gchar* database, const gchar* schema,
                                                     const gchar* name, const gchar* body);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTrigger*
tarvex_brevane_meta_model_meta_trigger_construct_with_body(GType object_type, const gchar* database,
                                                           const gchar* schema, const gchar* name,
                                                           const gchar* body);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_kind(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_kind(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_target(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_target(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_body(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_body(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_definer(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_definer(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_timing(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_timing(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_event(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_event(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_when(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_when(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_order(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_order(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_trigger(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_trigger(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_columns(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_columns(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_deferrable(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_deferrable(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_deferred(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_deferred(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_function(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_function(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_arguments(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_arguments(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_for_each(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_for_each(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_refer_table(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_refer_table(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_trigger_get_constraint(TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_constraint(
    TarvexBrevaneMetaModelMetaTrigger* self, gboolean value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_trigger_get_apply(
    TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_apply(
    TarvexBrevaneMetaModelMetaTrigger* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_trigger_get_enable(TarvexBrevaneMetaModelMetaTrigger* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_trigger_set_enable(
    TarvexBrevaneMetaModelMetaTrigger* self, gboolean value);

G_END_DECLS
