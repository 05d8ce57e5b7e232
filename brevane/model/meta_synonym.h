// One synonym; "target" is the object it stands for, as written after FOR in
// its CREATE SYNONYM statement.
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneMetaModelMetaSynonym TarvexBrevaneMetaModelMetaSynonym;
typedef struct _TarvexBrevaneMetaModelMetaSynonymClass TarvexBrevaneMetaModelMetaSynonymClass;
typedef struct _TarvexBrevaneMetaModelMetaSynonymPrivate TarvexBrevaneMetaModelMetaSynonymPrivate;

struct _TarvexBrevaneMetaModelMetaSynonym {
  TarvexBrevaneMetaModelMetaObject parent_instance;
};

struct _TarvexBrevaneMetaModelMetaSynonymClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_SYNONYM \
  (tarvex_brevane_meta_model_meta_synonym_get_type())
#define TARVEX_BREVANE_META_MODEL_META_SYNONYM(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_SYNONYM, \
                              TarvexBrevaneMetaModelMetaSynonym))
#define TARVEX_BREVANE_META_MODEL_IS_META_SYNONYM(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_SYNONYM))

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_synonym_get_type(void) G_GNUC_CONST;
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
