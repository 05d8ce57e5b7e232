#include "brevane/model/meta_event.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaEvent

struct _TarvexBrevaneMetaModelMetaEventPrivate {};

enum {
  EVENT_PROP_0,
  EVENT_PROP_KIND,
  EVENT_PROP_BODY,
  EVENT_PROP_DEFINER,
  EVENT_PROP_STATE,
  EVENT_PROP_SCHEDULE,
  EVENT_PROP_COMPLETION,
};

static const PropDecl event_decls[] = {
    text("kind"),  text("body"),     text("definer"),
    text("state"), text("schedule"), text("completion"),
};
static PropClass event_props(event_decls);

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject event_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EVENT;
}

static void tarvex_brevane_meta_model_meta_event_class_setup(
    TarvexBrevaneMetaModelMetaEventClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = event_character;
  event_props.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                TARVEX_BREVANE_META_MODEL_TYPE_META_EVENT)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_EVENT)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event, kind,
                      EVENT_PROP_KIND, event_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event, body,
                      EVENT_PROP_BODY, event_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                      definer, EVENT_PROP_DEFINER, event_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event, state,
                      EVENT_PROP_STATE, event_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                      schedule, EVENT_PROP_SCHEDULE, event_props, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaEvent, tarvex_brevane_meta_model_meta_event,
                      completion, EVENT_PROP_COMPLETION, event_props, const gchar*, NULL)
