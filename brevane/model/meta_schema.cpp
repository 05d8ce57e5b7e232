#include "brevane/model/meta_schema.h"

#include "brevane/model/meta-private.h"
#include "brevane/model/meta_event.h"
#include "brevane/model/meta_routine.h"
#include "brevane/model/meta_table.h"
#include "brevane/model/meta_view.h"

using namespace tarvex;
using namespace tarvex::meta;

static gchar* schema_fullname(TarvexBrevaneMetaModelMetaObject* self, gboolean with_database,
                              gboolean with_kind) {
  const char* database = nz(tarvex_brevane_meta_model_meta_object_get_database(self));
  if (!with_kind)
    return with_database ? g_strdup_printf("%s.%s", database, object_name(self))
                         : g_strdup(object_name(self));
  GUniqueStr kind(kind_text(self));
  return with_database ? g_strdup_printf("%s:%s.%s", kind.get(), database, object_name(self))
                       : g_strdup_printf("%s:%s", kind.get(), object_name(self));
}

struct _TarvexBrevaneMetaModelMetaSchemaPrivate {};

namespace schema_props {
enum { PROP_0, PROP_EVENTS, PROP_ROUTINES, PROP_TABLES, PROP_MIEWS, PROP_VIEWS, N_PROPERTIES };

static const PropDecl decls[] = {
    obj_list("events", tarvex_brevane_meta_model_meta_event_get_type, 0),
    obj_list("routines", tarvex_brevane_meta_model_meta_routine_get_type, kTagged),
    obj_list("tables", tarvex_brevane_meta_model_meta_table_get_type, kOwned),
    obj_list("miews", tarvex_brevane_meta_model_materialized_get_type, kKeepOnReset),
    obj_list("views", tarvex_brevane_meta_model_meta_view_get_type, kOwned),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace schema_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaSchema, tarvex_brevane_meta_model_meta_schema,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject schema_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SCHEMA;
}

static void tarvex_brevane_meta_model_meta_schema_class_setup(
    TarvexBrevaneMetaModelMetaSchemaClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = schema_character;
  meta->fullname = schema_fullname;
  schema_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaSchema, tarvex_brevane_meta_model_meta_schema,
                TARVEX_BREVANE_META_MODEL_TYPE_META_SCHEMA)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaSchema, tarvex_brevane_meta_model_meta_schema,
                      events, schema_props::PROP_EVENTS, schema_props::properties, GeeArrayList*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaSchema, tarvex_brevane_meta_model_meta_schema,
                      routines, schema_props::PROP_ROUTINES, schema_props::properties,
                      GeeArrayList*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaSchema, tarvex_brevane_meta_model_meta_schema,
                      tables, schema_props::PROP_TABLES, schema_props::properties, GeeArrayList*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaSchema, tarvex_brevane_meta_model_meta_schema,
                      miews, schema_props::PROP_MIEWS, schema_props::properties, GeeArrayList*,
                      NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaSchema, tarvex_brevane_meta_model_meta_schema,
                      views, schema_props::PROP_VIEWS, schema_props::properties, GeeArrayList*,
                      NULL)

TarvexBrevaneMetaModelMetaSchema* tarvex_brevane_meta_model_meta_schema_construct_with_names(
    GType object_type, const gchar* database, const gchar* schema) {
  g_return_val_if_fail(database != NULL, NULL);
  g_return_val_if_fail(schema != NULL, NULL);
  auto* self = tarvex_brevane_meta_model_meta_schema_construct(object_type);
  set_names(self, database, schema, schema);
  return self;
}

TarvexBrevaneMetaModelMetaSchema* tarvex_brevane_meta_model_meta_schema_new_with_names(
    const gchar* database, const gchar* schema) {
  g_return_val_if_fail(database != NULL, NULL);
  g_return_val_if_fail(schema != NULL, NULL);
  return tarvex_brevane_meta_model_meta_schema_construct_with_names(
      TARVEX_BREVANE_META_MODEL_TYPE_META_SCHEMA, database, schema);
}
