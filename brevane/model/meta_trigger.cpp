#include "brevane/model/meta_trigger.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaTrigger

struct _TarvexBrevaneMetaModelMetaTriggerPrivate {};

enum {
  TRIGGER_PROP_0,
  TRIGGER_PROP_KIND,
  TRIGGER_PROP_TARGET,
  TRIGGER_PROP_BODY,
  TRIGGER_PROP_DEFINER,
  TRIGGER_PROP_TIMING,
  TRIGGER_PROP_EVENT,
  TRIGGER_PROP_WHEN,
  TRIGGER_PROP_ORDER,
  TRIGGER_PROP_TRIGGER,
  TRIGGER_PROP_COLUMNS,
  TRIGGER_PROP_DEFERRABLE,
  TRIGGER_PROP_DEFERRED,
  TRIGGER_PROP_FUNCTION,
  TRIGGER_PROP_ARGUMENTS,
  TRIGGER_PROP_FOR_EACH,
  TRIGGER_PROP_REFER_TABLE,
  TRIGGER_PROP_CONSTRAINT,
  TRIGGER_PROP_APPLY,
  TRIGGER_PROP_ENABLE,
};

static const PropDecl trigger_decls[] = {
    text("kind"),          text("target"),    text("body"),       text("definer"),
    text("timing"),        text("event"),     text("when"),       text("order"),
    text("trigger"),       text("columns"),   text("deferrable"), text("deferred"),
    text("function"),      text("arguments"), text("for-each"),   text("refer-table"),
    boolean("constraint"), text("apply"),     boolean("enable"),
};
static PropClass trigger_props(trigger_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject trigger_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TRIGGER;
}

static void tarvex_brevane_meta_model_meta_trigger_class_setup(
    TarvexBrevaneMetaModelMetaTriggerClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = trigger_character;
  trigger_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                TARVEX_BREVANE_META_MODEL_TYPE_META_TRIGGER)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaTrigger,
                           tarvex_brevane_meta_model_meta_trigger,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_TRIGGER)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      kind, TRIGGER_PROP_KIND, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      target, TRIGGER_PROP_TARGET, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      body, TRIGGER_PROP_BODY, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      definer, TRIGGER_PROP_DEFINER, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      timing, TRIGGER_PROP_TIMING, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      event, TRIGGER_PROP_EVENT, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      when, TRIGGER_PROP_WHEN, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      order, TRIGGER_PROP_ORDER, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      trigger, TRIGGER_PROP_TRIGGER, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      columns, TRIGGER_PROP_COLUMNS, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      deferrable, TRIGGER_PROP_DEFERRABLE, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      deferred, TRIGGER_PROP_DEFERRED, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      function, TRIGGER_PROP_FUNCTION, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      arguments, TRIGGER_PROP_ARGUMENTS, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      for_each, TRIGGER_PROP_FOR_EACH, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      refer_table, TRIGGER_PROP_REFER_TABLE, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      constraint, TRIGGER_PROP_CONSTRAINT, trigger_props, gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      apply, TRIGGER_PROP_APPLY, trigger_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      enable, TRIGGER_PROP_ENABLE, trigger_props, gboolean, FALSE)

TarvexBrevaneMetaModelMetaTrigger* tarvex_brevane_meta_model_meta_trigger_construct_with_body(
    GType object_type, const gchar* database, const gchar* schema, const gchar* name,
    const gchar* body) {
  g_return_val_if_fail(database != NULL, NULL);
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(name != NULL, NULL);
  g_return_val_if_fail(body != NULL, NULL);
  auto* self = tarvex_brevane_meta_model_meta_trigger_construct(object_type);
  set_names(self, database, schema, name);
  tarvex_brevane_meta_model_meta_trigger_set_body(self, body);
  return self;
}

TarvexBrevaneMetaModelMetaTrigger* tarvex_brevane_meta_model_meta_trigger_new_with_body(
    const gchar* database, const gchar* schema, const gchar* name, const gchar* body) {
  g_return_val_if_fail(database != NULL, NULL);
  g_return_val_if_fail(schema != NULL, NULL);
  g_return_val_if_fail(name != NULL, NULL);
  g_return_val_if_fail(body != NULL, NULL);
  return tarvex_brevane_meta_model_meta_trigger_construct_with_body(
      TARVEX_BREVANE_META_MODEL_TYPE_META_TRIGGER, database, schema, name, body);
}
