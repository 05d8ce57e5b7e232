// A labelled group of meta objects of one kind, made by the host.
#pragma once

#include <gio/gio.h>

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_CLASSIFY \
  (tarvex_brevane_meta_model_meta_classify_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_classify_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaClassify,
                         tarvex_brevane_meta_model_meta_classify, TARVEX_BREVANE_META_MODEL,
                         META_CLASSIFY, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaClassifyClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaClassify* tarvex_brevane_meta_model_meta_classify_new(
    TarvexProvidersContractsDBObject kind, const gchar* database, const gchar* schema,
    const gchar* label);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaClassify* tarvex_brevane_meta_model_meta_classify_construct(
    GType object_type, TarvexProvidersContractsDBObject kind, const gchar* database,
    const gchar* schema, const gchar* label);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaClassify*
tarvex_brevane_meta_model_meta_classify_new_with_model(TarvexProvidersContractsDBObject kind,
                                                       const gchar* database, const gchar* schema,
                                                       const gchar* label, GListModel* list_model);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaClassify*
tarvex_brevane_meta_model_meta_classify_construct_with_model(
    GType object_type, TarvexProvidersContractsDBObject kind, const gchar* database,
    const gchar* schema, const gchar* label, GListModel* list_model);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaClassify*
tarvex_brevane_meta_model_meta_classify_new_with_array(TarvexProvidersContractsDBObject kind,
                                                       const gchar* database, const gchar* schema,
                                                       const gchar* label,
                                                       TarvexBrevaneMetaModelMetaObject** objects,
                                                       gint count);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaClassify*
tarvex_brevane_meta_model_meta_classify_construct_with_array(
    GType object_type, TarvexProvidersContractsDBObject kind, const gchar* database,
    const gchar* schema, const gchar* label, TarvexBrevaneMetaModelMetaObject** objects,
    gint count);
TARVEX_EXPORT GListModel* tarvex_brevane_meta_model_meta_classify_get_children(
    TarvexBrevaneMetaModelMetaClassify* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_classify_set_children(
    TarvexBrevaneMetaModelMetaClassify* self, GListModel* value);

G_END_DECLS
