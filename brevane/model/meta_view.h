// Views, described by their defining query; the output columns are read from
// that query whenever it is set. Materialized views add their storage
// settings.
#pragma once

#include "brevane/model/meta_column.h"
#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneMetaModelMetaView TarvexBrevaneMetaModelMetaView;
typedef struct _TarvexBrevaneMetaModelMetaViewClass TarvexBrevaneMetaModelMetaViewClass;
typedef struct _TarvexBrevaneMetaModelMetaViewPrivate TarvexBrevaneMetaModelMetaViewPrivate;

struct _TarvexBrevaneMetaModelMetaView {
  TarvexBrevaneMetaModelMetaObject parent_instance;
};

struct _TarvexBrevaneMetaModelMetaViewClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_VIEW (tarvex_brevane_meta_model_meta_view_get_type())
#define TARVEX_BREVANE_META_MODEL_META_VIEW(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_VIEW, \
                              TarvexBrevaneMetaModelMetaView))
#define TARVEX_BREVANE_META_MODEL_IS_META_VIEW(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_VIEW))

typedef struct _TarvexBrevaneMetaModelMaterialized TarvexBrevaneMetaModelMaterialized;
typedef struct _TarvexBrevaneMetaModelMaterializedClass TarvexBrevaneMetaModelMaterializedClass;
typedef struct _TarvexBrevaneMetaModelMaterializedPrivate TarvexBrevaneMetaModelMaterializedPrivate;

struct _TarvexBrevaneMetaModelMaterialized {
  TarvexBrevaneMetaModelMetaView parent_instance;
};

struct _TarvexBrevaneMetaModelMaterializedClass {
  TarvexBrevaneMetaModelMetaViewClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_MATERIALIZED \
  (tarvex_brevane_meta_model_materialized_get_type())
#define TARVEX_BREVANE_META_MODEL_MATERIALIZED(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_MATERIALIZED, \
                              TarvexBrevaneMetaModelMaterialized))
#define TARVEX_BREVANE_META_MODEL_IS_MATERIALIZED(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_MATERIALIZED))

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_view_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneMetaModelMetaView* tarvex_brevane_meta_model_meta_view_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaView* tarvex_brevane_meta_model_meta_view_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaView* tarvex_brevane_meta_model_meta_view_new_with_names(
    const gchar* database, const gchar* schema, const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaView*
tarvex_brevane_meta_model_meta_view_construct_with_names(GType object_type, const gchar* database,
                                                         const gchar* schema, const gchar* name);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_view_get_definition(
    TarvexBrevaneMetaModelMetaView* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_view_set_definition(
    TarvexBrevaneMetaModelMetaView* self, const gchar* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_view_get_columns(
    TarvexBrevaneMetaModelMetaView* self);

TARVEX_EXPORT GType tarvex_brevane_meta_model_materialized_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneMetaModelMaterialized* tarvex_brevane_meta_model_materialized_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMaterialized* tarvex_brevane_meta_model_materialized_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMaterialized*
tarvex_brevane_meta_model_materialized_new_with_names(const gchar* database, const gchar* schema,
                                                      const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMaterialized*
tarvex_brevane_meta_model_materialized_construct_with_names(GType object_type,
                                                            const gchar* database,
                                                            const gchar* schema, const gchar* name);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_materialized_get_table_space(
    TarvexBrevaneMetaModelMaterialized* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_materialized_set_table_space(
    TarvexBrevaneMetaModelMaterialized* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_materialized_get_definer(
    TarvexBrevaneMetaModelMaterialized* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_materialized_set_definer(
    TarvexBrevaneMetaModelMaterialized* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_materialized_get_fill_factor(
    TarvexBrevaneMetaModelMaterialized* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_materialized_set_fill_factor(
    TarvexBrevaneMetaModelMaterialized* self, const gchar* value);
TARVEX_EXPORT gboolean
tarvex_brevane_meta_model_materialized_get_with_data(TarvexBrevaneMetaModelMaterialized* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_materialized_set_with_data(
    TarvexBrevaneMetaModelMaterialized* self, gboolean value);

G_END_DECLS
