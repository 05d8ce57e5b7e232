// One rule of a table; carried, cloned and serialised only.
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_RULE (tarvex_brevane_meta_model_meta_rule_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_rule_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule,
                         TARVEX_BREVANE_META_MODEL, META_RULE, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaRuleClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaRule* tarvex_brevane_meta_model_meta_rule_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaRule* tarvex_brevane_meta_model_meta_rule_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaRule* tarvex_brevane_meta_model_meta_rule_new_with_names(
    const gchar* database, const gchar* schema, const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaRule*
tarvex_brevane_meta_model_meta_rule_construct_with_names(GType object_type, const gchar* database,
                                                         const gchar* schema, const gchar* name);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_rule_get_commands(
    TarvexBrevaneMetaModelMetaRule* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_rule_set_commands(
    TarvexBrevaneMetaModelMetaRule* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_rule_get_action(
    TarvexBrevaneMetaModelMetaRule* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_rule_set_action(
    TarvexBrevaneMetaModelMetaRule* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_rule_get_event(
    TarvexBrevaneMetaModelMetaRule* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_rule_set_event(
    TarvexBrevaneMetaModelMetaRule* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_rule_get_where(
    TarvexBrevaneMetaModelMetaRule* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_rule_set_where(
    TarvexBrevaneMetaModelMetaRule* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_rule_get_apply(
    TarvexBrevaneMetaModelMetaRule* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_rule_set_apply(
    TarvexBrevaneMetaModelMetaRule* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_meta_rule_get_enable(TarvexBrevaneMetaModelMetaRule* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_rule_set_enable(
    TarvexBrevaneMetaModelMetaRule* self, gboolean value);

G_END_DECLS
