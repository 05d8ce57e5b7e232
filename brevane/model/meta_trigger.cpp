#include "brevane/model/meta_trigger.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaTrigger

struct _TarvexBrevaneMetaModelMetaTriggerPrivate {};

namespace trigger_props {
enum {
  PROP_0,
  PROP_KIND,
  PROP_TARGET,
  PROP_BODY,
  PROP_DEFINER,
  PROP_TIMING,
  PROP_EVENT,
  PROP_WHEN,
  PROP_ORDER,
  PROP_TRIGGER,
  PROP_COLUMNS,
  PROP_DEFERRABLE,
  PROP_DEFERRED,
  PROP_FUNCTION,
  PROP_ARGUMENTS,
  PROP_FOR_EACH,
  PROP_REFER_TABLE,
  PROP_CONSTRAINT,
  PROP_APPLY,
  PROP_ENABLE,
  N_PROPERTIES
};

static const PropDecl decls[] = {
    text("kind"),          text("target"),    text("body"),       text("definer"),
    text("timing"),        text("event"),     text("when"),       text("order"),
    text("trigger"),       text("columns"),   text("deferrable"), text("deferred"),
    text("function"),      text("arguments"), text("for-each"),   text("refer-table"),
    boolean("constraint"), text("apply"),     boolean("enable"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace trigger_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject trigger_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TRIGGER;
}

static void tarvex_brevane_meta_model_meta_trigger_class_setup(
    TarvexBrevaneMetaModelMetaTriggerClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = trigger_character;
  trigger_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                TARVEX_BREVANE_META_MODEL_TYPE_META_TRIGGER)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaTrigger,
                           tarvex_brevane_meta_model_meta_trigger,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_TRIGGER)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      kind, trigger_props::PROP_KIND, trigger_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      target, trigger_props::PROP_TARGET, trigger_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      body, trigger_props::PROP_BODY, trigger_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      definer, trigger_props::PROP_DEFINER, trigger_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      timing, trigger_props::PROP_TIMING, trigger_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      event, trigger_props::PROP_EVENT, trigger_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      when, trigger_props::PROP_WHEN, trigger_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      order, trigger_props::PROP_ORDER, trigger_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      trigger, trigger_props::PROP_TRIGGER, trigger_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      columns, trigger_props::PROP_COLUMNS, trigger_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      deferrable, trigger_props::PROP_DEFERRABLE, trigger_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      deferred, trigger_props::PROP_DEFERRED, trigger_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      function, trigger_props::PROP_FUNCTION, trigger_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      arguments, trigger_props::PROP_ARGUMENTS, trigger_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      for_each, trigger_props::PROP_FOR_EACH, trigger_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      refer_table, trigger_props::PROP_REFER_TABLE, trigger_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      constraint, trigger_props::PROP_CONSTRAINT, trigger_props::properties,
                      gboolean, FALSE)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      apply, trigger_props::PROP_APPLY, trigger_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaTrigger, tarvex_brevane_meta_model_meta_trigger,
                      enable, trigger_props::PROP_ENABLE, trigger_props::properties, gboolean,
                      FALSE)

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
