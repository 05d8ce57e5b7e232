// A schema: the container of a database's events, routines, tables, views
// and materialized views ("miews").
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_SCHEMA \
  (tarvex_brevane_meta_model_meta_schema_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_schema_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaSchema, tarvex_brevane_meta_model_meta_schema,
                         TARVEX_BREVANE_META_MODEL, META_SCHEMA, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaSchemaClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaSchema* tarvex_brevane_meta_model_meta_schema_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaSchema* tarvex_brevane_meta_model_meta_schema_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaSchema*
tarvex_brevane_meta_model_meta_schema_new_with_names(const gchar* database, const gchar* schema);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaSchema*
tarvex_brevane_meta_model_meta_schema_construct_with_names(GType object_type, const gchar* database,
                                                           const gchar* schema);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_schema_get_events(
    TarvexBrevaneMetaModelMetaSchema* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_schema_set_events(
    TarvexBrevaneMetaModelMetaSchema* self, GeeArrayList* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_schema_get_routines(
    TarvexBrevaneMetaModelMetaSchema* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_schema_set_routines(
    TarvexBrevaneMetaModelMetaSchema* self, GeeArrayList* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_schema_get_tables(
    TarvexBrevaneMetaModelMetaSchema* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_schema_set_tables(
    TarvexBrevaneMetaModelMetaSchema* self, GeeArrayList* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_schema_get_miews(
    TarvexBrevaneMetaModelMetaSchema* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_schema_set_miews(
    TarvexBrevaneMetaModelMetaSchema* self, GeeArrayList* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_schema_get_views(
    TarvexBrevaneMetaModelMetaSchema* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_schema_set_views(
    TarvexBrevaneMetaModelMetaSchema* self, GeeArrayList* value);

G_END_DECLS
