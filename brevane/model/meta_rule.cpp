#include "brevane/model/meta_rule.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaRule

struct _TarvexBrevaneMetaModelMetaRulePrivate {};

namespace rule_props {
enum {
  PROP_0,
  PROP_COMMANDS,
  PROP_ACTION,
  PROP_EVENT,
  PROP_WHERE,
  PROP_APPLY,
  PROP_ENABLE,
  N_PROPERTIES
};

static const PropDecl decls[] = {
    text("commands"), text("action"), text("event"),
    text("where"),    text("apply"),  boolean("enable"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace rule_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject rule_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_RULE;
}

static void tarvex_brevane_meta_model_meta_rule_class_setup(
    TarvexBrevaneMetaModelMetaRuleClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = rule_character;
  rule_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule,
                TARVEX_BREVANE_META_MODEL_TYPE_META_RULE)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_RULE)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, commands,
                      rule_props::PROP_COMMANDS, rule_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, action,
                      rule_props::PROP_ACTION, rule_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, event,
                      rule_props::PROP_EVENT, rule_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, where,
                      rule_props::PROP_WHERE, rule_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, apply,
                      rule_props::PROP_APPLY, rule_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRule, tarvex_brevane_meta_model_meta_rule, enable,
                      rule_props::PROP_ENABLE, rule_props::properties, gboolean, FALSE)
