// One synonym; "target" is the object it stands for, as written after FOR in
// its CREATE SYNONYM statement.
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_SYNONYM \
  (tarvex_brevane_meta_model_meta_synonym_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_synonym_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaSynonym, tarvex_brevane_meta_model_meta_synonym,
                         TARVEX_BREVANE_META_MODEL, META_SYNONYM, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaSynonymClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaSynonym* tarvex_brevane_meta_model_meta_synonym_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaSynonym* tarvex_brevane_meta_model_meta_synonym_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaSynonym*
tarvex_brevane_meta_model_meta_synonym_new_with_names(const gchar* database, const gchar* schema,
                                                      const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaSynonym*
tarvex_brevane_meta_model_meta_synonym_construct_with_names(GType object_type,
                                                            const gchar* database,
                                                            const gchar* schema, const gchar* name);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_synonym_get_target(
    TarvexBrevaneMetaModelMetaSynonym* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_synonym_set_target(
    TarvexBrevaneMetaModelMetaSynonym* self, const gchar* value);

G_END_DECLS
