// A foreign key: the referencing and referenced columns as comma-separated
// names, the referenced table and its schema, and the referential actions.
#pragma once

#include "brevane/model/constraints/meta_constraint.h"
#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_FOREIGN_KEY \
  (tarvex_brevane_meta_model_meta_foreign_key_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_foreign_key_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaForeignKey,
                         tarvex_brevane_meta_model_meta_foreign_key, TARVEX_BREVANE_META_MODEL,
                         META_FOREIGN_KEY, TarvexBrevaneMetaModelMetaConstraint)

struct _TarvexBrevaneMetaModelMetaForeignKeyClass {
  TarvexBrevaneMetaModelMetaConstraintClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaForeignKey* tarvex_brevane_meta_model_meta_foreign_key_new(
    void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaForeignKey*
tarvex_brevane_meta_model_meta_foreign_key_construct(GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaForeignKey*
tarvex_brevane_meta_model_meta_foreign_key_new_with_names(const gchar* database,
                                                          const gchar* schema, const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaForeignKey*
tarvex_brevane_meta_model_meta_foreign_key_construct_with_names(GType object_type,
                                                                const gchar* database,
                                                                const gchar* schema,
                                                                const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaForeignKey*
tarvex_brevane_meta_model_meta_foreign_key_new_with_refer(const gchar* database,
                                                          const gchar* schema, const gchar* name,
                                                          const gchar* refer_schema,
                                                          const gchar* refere_table);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaForeignKey*
tarvex_brevane_meta_model_meta_foreign_key_construct_with_refer(
    GType object_type, const gchar* database, const gchar* schema, const gchar* name,
    const gchar* refer_schema, const gchar* refere_table);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_foreign_key_get_refer_database(
    TarvexBrevaneMetaModelMetaForeignKey* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_foreign_key_set_refer_database(
    TarvexBrevaneMetaModelMetaForeignKey* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_foreign_key_get_refer_schema(
    TarvexBrevaneMetaModelMetaForeignKey* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_foreign_key_set_refer_schema(
    TarvexBrevaneMetaModelMetaForeignKey* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_foreign_key_get_refer_table(
    TarvexBrevaneMetaModelMetaForeignKey* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_foreign_key_set_refer_table(
    TarvexBrevaneMetaModelMetaForeignKey* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_foreign_key_get_local_columns(
    TarvexBrevaneMetaModelMetaForeignKey* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_foreign_key_set_local_columns(
    TarvexBrevaneMetaModelMetaForeignKey* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_foreign_key_get_refer_columns(
    TarvexBrevaneMetaModelMetaForeignKey* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_foreign_key_set_refer_columns(
    TarvexBrevaneMetaModelMetaForeignKey* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_foreign_key_get_match_method(
    TarvexBrevaneMetaModelMetaForeignKey* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_foreign_key_set_match_method(
    TarvexBrevaneMetaModelMetaForeignKey* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_foreign_key_get_delete_action(
    TarvexBrevaneMetaModelMetaForeignKey* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_foreign_key_set_delete_action(
    TarvexBrevaneMetaModelMetaForeignKey* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_foreign_key_get_update_action(
    TarvexBrevaneMetaModelMetaForeignKey* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_foreign_key_set_update_action(
    TarvexBrevaneMetaModelMetaForeignKey* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_foreign_key_get_deferrable(
    TarvexBrevaneMetaModelMetaForeignKey* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_foreign_key_set_deferrable(
    TarvexBrevaneMetaModelMetaForeignKey* self, const gchar* value);

G_END_DECLS
