// One table: its columns, constraints (every kind in one list), indexes, rules,
// triggers and table options.
#pragma once

#include "brevane/model/meta_column.h"
#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_TABLE (tarvex_brevane_meta_model_meta_table_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_table_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaTable, tarvex_brevane_meta_model_meta_table,
                         TARVEX_BREVANE_META_MODEL, META_TABLE, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaTableClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaTable* tarvex_brevane_meta_model_meta_table_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTable* tarvex_brevane_meta_model_meta_table_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTable* tarvex_brevane_meta_model_meta_table_new_with_names(
    const gchar* database, const gchar* schema, const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaTable*
tarvex_brevane_meta_model_meta_table_construct_with_names(GType object_type, const gchar* database,
                                                          const gchar* schema, const gchar* name);
// The first column of that exact name (a new reference), or NULL.
TARVEX_EXPORT TarvexBrevaneMetaModelMetaColumn* tarvex_brevane_meta_model_meta_table_get_column(
    TarvexBrevaneMetaModelMetaTable* self, const gchar* name);
// Appends a new column of that name and type (empty raw type) and returns it
// (a new reference; the list keeps its own).
TARVEX_EXPORT TarvexBrevaneMetaModelMetaColumn* tarvex_brevane_meta_model_meta_table_new_column(
    TarvexBrevaneMetaModelMetaTable* self, const gchar* name,
    TarvexProvidersContractsDataType data_type);
// Removes one group of members: 4 checks, 8 columns, 16 excludes, 18 foreign
// keys, 44 uniques; other kinds do nothing.
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_table_reset_partial(
    TarvexBrevaneMetaModelMetaTable* self, TarvexProvidersContractsDBObject kind);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_table_get_constraints(
    TarvexBrevaneMetaModelMetaTable* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_table_set_constraints(
    TarvexBrevaneMetaModelMetaTable* self, GeeArrayList* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_table_get_columns(
    TarvexBrevaneMetaModelMetaTable* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_table_set_columns(
    TarvexBrevaneMetaModelMetaTable* self, GeeArrayList* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_table_get_indexes(
    TarvexBrevaneMetaModelMetaTable* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_table_set_indexes(
    TarvexBrevaneMetaModelMetaTable* self, GeeArrayList* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_table_get_rules(
    TarvexBrevaneMetaModelMetaTable* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_table_set_rules(
    TarvexBrevaneMetaModelMetaTable* self, GeeArrayList* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_table_get_triggers(
    TarvexBrevaneMetaModelMetaTable* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_table_set_triggers(
    TarvexBrevaneMetaModelMetaTable* self, GeeArrayList* value);
TARVEX_EXPORT GeeHashMap* tarvex_brevane_meta_model_meta_table_get_options(
    TarvexBrevaneMetaModelMetaTable* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_table_set_options(
    TarvexBrevaneMetaModelMetaTable* self, GeeHashMap* value);

G_END_DECLS
