#include "brevane/model/meta_rule.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaRule

struct _TarvexBrevaneMetaModelMetaRulePrivate {};

enum {
  RULE_PROP_0,
  RULE_PROP_COMMANDS,
  RULE_PROP_ACTION,
  RULE_PROP_EVENT,
  RULE_PROP_WHERE,
  RULE_PROP_APPLY,
  RULE_PROP_ENABLE,
};

static const PropDecl rule_decls[] = {
    text("commands"), text("action"), text("event"),
    text("where"),    text("apply"),  boolean("enable"),
};
static PropClass rule_props(rule_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject rule_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_RULE;
}

static void tarvex_brevane_meta_model_meta_rule_class_setup(
    TarvexBrevaneMetaModelMetaRuleClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = rule_character;
  rule_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule,
                TARVEX_BREVANE_META_MODEL_TYPE_META_RULE)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_RULE)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, commands,
                      RULE_PROP_COMMANDS, rule_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, action,
                      RULE_PROP_ACTION, rule_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, event,
                      RULE_PROP_EVENT, rule_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, where,
                      RULE_PROP_WHERE, rule_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, apply,
                      RULE_PROP_APPLY, rule_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, enable,
                      RULE_PROP_ENABLE, rule_props, gboolean, FALSE)
