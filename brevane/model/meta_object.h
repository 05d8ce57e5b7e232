// The base of every object of the database meta model, and the IMetaData
// interface that every meta object implements.
//
// Change records: the diff map holds member path -> DataVersion code (the
// code is stored as GINT_TO_POINTER), the slice map member path -> the
// plain text that member had on the other side of a comparison.
#pragma once

#include <gee.h>
#include <glib-object.h>
#include <json-glib/json-glib.h>

#include "common/tarvex-export.h"
#include "providers/contracts/data_type.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneMetaModelIMetaData TarvexBrevaneMetaModelIMetaData;
typedef struct _TarvexBrevaneMetaModelIMetaDataIface TarvexBrevaneMetaModelIMetaDataIface;

#define TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT \
  (tarvex_brevane_meta_model_meta_object_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_object_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaObject, tarvex_brevane_meta_model_meta_object,
                         TARVEX_BREVANE_META_MODEL, META_OBJECT, GObject)

struct _TarvexBrevaneMetaModelIMetaDataIface {
  GTypeInterface parent_iface;
  TarvexBrevaneMetaModelMetaObject* (*clone)(TarvexBrevaneMetaModelIMetaData* self);
  void (*reset)(TarvexBrevaneMetaModelIMetaData* self);
};

struct _TarvexBrevaneMetaModelMetaObjectClass {
  GObjectClass parent_class;
  gchar* (*fullname)(TarvexBrevaneMetaModelMetaObject* self, gboolean with_database,
                     gboolean with_kind);
  TarvexProvidersContractsDBObject (*character)(TarvexBrevaneMetaModelMetaObject* self);
  void (*reset)(TarvexBrevaneMetaModelMetaObject* self);
  TarvexBrevaneMetaModelMetaObject* (*clone)(TarvexBrevaneMetaModelMetaObject* self);
  JsonNode* (*serialize_property)(TarvexBrevaneMetaModelMetaObject* self,
                                  const gchar* property_name, const GValue* value,
                                  GParamSpec* pspec);
  gboolean (*deserialize_property)(TarvexBrevaneMetaModelMetaObject* self,
                                   const gchar* property_name, GValue* value, GParamSpec* pspec,
                                   JsonNode* property_node);
};

#define TARVEX_BREVANE_META_MODEL_TYPE_IMETA_DATA (tarvex_brevane_meta_model_imeta_data_get_type())
#define TARVEX_BREVANE_META_MODEL_IMETA_DATA(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_IMETA_DATA, \
                              TarvexBrevaneMetaModelIMetaData))
#define TARVEX_BREVANE_META_MODEL_IMETA_DATA_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_META_MODEL_TYPE_IMETA_DATA, \
                                 TarvexBrevaneMetaModelIMetaDataIface))

TARVEX_EXPORT GType tarvex_brevane_meta_model_imeta_data_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneMetaModelMetaObject* tarvex_brevane_meta_model_imeta_data_clone(
    TarvexBrevaneMetaModelIMetaData* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_imeta_data_reset(
    TarvexBrevaneMetaModelIMetaData* self);

TARVEX_EXPORT TarvexBrevaneMetaModelMetaObject* tarvex_brevane_meta_model_meta_object_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaObject* tarvex_brevane_meta_model_meta_object_construct(
    GType object_type);

TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_object_get_database(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_set_database(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_object_get_schema(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_set_schema(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_object_get_name(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_set_name(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_object_get_comment(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_set_comment(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* value);
TARVEX_EXPORT GeeHashMap* tarvex_brevane_meta_model_meta_object_get_attributes(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_set_attributes(
    TarvexBrevaneMetaModelMetaObject* self, GeeHashMap* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_object_get_original(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_set_original(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* value);
TARVEX_EXPORT TarvexProvidersContractsDataVersion
tarvex_brevane_meta_model_meta_object_get_version(TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_set_version(
    TarvexBrevaneMetaModelMetaObject* self, TarvexProvidersContractsDataVersion value);

TARVEX_EXPORT gchar* tarvex_brevane_meta_model_meta_object_fullname(
    TarvexBrevaneMetaModelMetaObject* self, gboolean with_database, gboolean with_kind);
TARVEX_EXPORT TarvexProvidersContractsDBObject
tarvex_brevane_meta_model_meta_object_character(TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_reset(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaObject* tarvex_brevane_meta_model_meta_object_clone(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT JsonNode* tarvex_brevane_meta_model_meta_object_serialize_property(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* property_name, const GValue* value,
    GParamSpec* pspec);
TARVEX_EXPORT gboolean tarvex_brevane_meta_model_meta_object_deserialize_property(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* property_name, GValue* value,
    GParamSpec* pspec, JsonNode* property_node);

TARVEX_EXPORT GeeHashMap* tarvex_brevane_meta_model_meta_object_diff(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT GeeHashMap* tarvex_brevane_meta_model_meta_object_slice(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_append_diff(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* key,
    TarvexProvidersContractsDataVersion code);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_append_slice(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* key, const gchar* value);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_clear_diff(
    TarvexBrevaneMetaModelMetaObject* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_clear_slice(
    TarvexBrevaneMetaModelMetaObject* self);

// The plain text of a property value as the slice map keeps it: a text as
// it is (an absent one as the empty text), booleans "true"/"false",
// numbers in decimal, an enumeration by its nick. Never escaped or quoted,
// so an old name read back from the slice map matches the object's name.
TARVEX_EXPORT gchar* tarvex_brevane_meta_model_meta_object_value_to_text(const GValue* value);
// Sets slice[key] to the plain text of `value` (see value_to_text).
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_object_append_slice_value(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* key, const GValue* value);

G_END_DECLS
