#include "brevane/model/meta_event.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaEvent

struct _TarvexBrevaneMetaModelMetaEventPrivate {};

namespace event_props {
enum {
  PROP_0,
  PROP_KIND,
  PROP_BODY,
  PROP_DEFINER,
  PROP_STATE,
  PROP_SCHEDULE,
  PROP_COMPLETION,
  N_PROPERTIES
};

static const PropDecl decls[] = {
    text("kind"),  text("body"),     text("definer"),
    text("state"), text("schedule"), text("completion"),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace event_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject event_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EVENT;
}

static void tarvex_brevane_meta_model_meta_event_class_setup(
    TarvexBrevaneMetaModelMetaEventClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = event_character;
  event_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                TARVEX_BREVANE_META_MODEL_TYPE_META_EVENT)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_EVENT)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event, kind,
                      event_props::PROP_KIND, event_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event, body,
                      event_props::PROP_BODY, event_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                      definer, event_props::PROP_DEFINER, event_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event, state,
                      event_props::PROP_STATE, event_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                      schedule, event_props::PROP_SCHEDULE, event_props::properties, const gchar*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                      completion, event_props::PROP_COMPLETION, event_props::properties,
                      const gchar*, NULL)
