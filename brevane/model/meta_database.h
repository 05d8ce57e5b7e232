// The container at the top of the model: a database holds its schemas
// (brevane/model/meta_schema.h).
#pragma once

#include "brevane/model/meta_object.h"
#include "brevane/model/meta_schema.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_DATABASE \
  (tarvex_brevane_meta_model_meta_database_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_database_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaDatabase,
                         tarvex_brevane_meta_model_meta_database, TARVEX_BREVANE_META_MODEL,
                         META_DATABASE, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaDatabaseClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaDatabase* tarvex_brevane_meta_model_meta_database_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaDatabase* tarvex_brevane_meta_model_meta_database_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaDatabase*
tarvex_brevane_meta_model_meta_database_new_with_name(const gchar* database);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaDatabase*
tarvex_brevane_meta_model_meta_database_construct_with_name(GType object_type,
                                                            const gchar* database);
// The first schema of that exact name, created and appended when missing
// (a new reference either way).
TARVEX_EXPORT TarvexBrevaneMetaModelMetaSchema* tarvex_brevane_meta_model_meta_database_append(
    TarvexBrevaneMetaModelMetaDatabase* self, const gchar* schema_name);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_database_get_schemas(
    TarvexBrevaneMetaModelMetaDatabase* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_database_set_schemas(
    TarvexBrevaneMetaModelMetaDatabase* self, GeeArrayList* value);

G_END_DECLS
