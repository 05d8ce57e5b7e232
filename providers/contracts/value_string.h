// The text values: ValueString (UTF-8 text) with its subclasses ValueXml,
// ValueJson and ValueUuid, which hold the same text but report another kind,
// and ValueUtf16, which holds a zero-terminated UTF-16 buffer.
#pragma once

#include <gio/gio.h>

#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

typedef struct _TarvexProvidersContractsValueString TarvexProvidersContractsValueString;
typedef struct _TarvexProvidersContractsValueStringClass TarvexProvidersContractsValueStringClass;
typedef struct _TarvexProvidersContractsValueStringPrivate TarvexProvidersContractsValueStringPrivate;
struct _TarvexProvidersContractsValueString {
  TarvexProvidersContractsValueObject parent_instance;
};
struct _TarvexProvidersContractsValueStringClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};

typedef struct _TarvexProvidersContractsValueXml TarvexProvidersContractsValueXml;
typedef struct _TarvexProvidersContractsValueXmlClass TarvexProvidersContractsValueXmlClass;
typedef struct _TarvexProvidersContractsValueXmlPrivate TarvexProvidersContractsValueXmlPrivate;
struct _TarvexProvidersContractsValueXml {
  TarvexProvidersContractsValueString parent_instance;
};
struct _TarvexProvidersContractsValueXmlClass {
  TarvexProvidersContractsValueStringClass parent_class;
};

typedef struct _TarvexProvidersContractsValueJson TarvexProvidersContractsValueJson;
typedef struct _TarvexProvidersContractsValueJsonClass TarvexProvidersContractsValueJsonClass;
typedef struct _TarvexProvidersContractsValueJsonPrivate TarvexProvidersContractsValueJsonPrivate;
struct _TarvexProvidersContractsValueJson {
  TarvexProvidersContractsValueString parent_instance;
};
struct _TarvexProvidersContractsValueJsonClass {
  TarvexProvidersContractsValueStringClass parent_class;
};

typedef struct _TarvexProvidersContractsValueUuid TarvexProvidersContractsValueUuid;
typedef struct _TarvexProvidersContractsValueUuidClass TarvexProvidersContractsValueUuidClass;
typedef struct _TarvexProvidersContractsValueUuidPrivate TarvexProvidersContractsValueUuidPrivate;
struct _TarvexProvidersContractsValueUuid {
  TarvexProvidersContractsValueString parent_instance;
};
struct _TarvexProvidersContractsValueUuidClass {
  TarvexProvidersContractsValueStringClass parent_class;
};

typedef struct _TarvexProvidersContractsValueUtf16 TarvexProvidersContractsValueUtf16;
typedef struct _TarvexProvidersContractsValueUtf16Class TarvexProvidersContractsValueUtf16Class;
typedef struct _TarvexProvidersContractsValueUtf16Private TarvexProvidersContractsValueUtf16Private;
struct _TarvexProvidersContractsValueUtf16 {
  TarvexProvidersContractsValueObject parent_instance;
};
struct _TarvexProvidersContractsValueUtf16Class {
  TarvexProvidersContractsValueObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING (tarvex_providers_contracts_value_string_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_STRING(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING))
#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_XML (tarvex_providers_contracts_value_xml_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_JSON (tarvex_providers_contracts_value_json_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UUID (tarvex_providers_contracts_value_uuid_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UTF16 (tarvex_providers_contracts_value_utf16_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_UTF16(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UTF16))

TARVEX_EXPORT GType tarvex_providers_contracts_value_string_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexProvidersContractsValueString* tarvex_providers_contracts_value_string_new(const gchar* text);
TARVEX_EXPORT TarvexProvidersContractsValueString* tarvex_providers_contracts_value_string_construct(GType object_type,
                                                                                                   const gchar* text);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_value_string_get_itsvalue(TarvexProvidersContractsValueString* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_string_set_itsvalue(TarvexProvidersContractsValueString* self,
                                                                        const gchar* value);
TARVEX_EXPORT void tarvex_providers_contracts_value_string_load(TarvexProvidersContractsValueString* self,
                                                                const gchar* filename, GAsyncReadyCallback _callback_,
                                                                gpointer _user_data_);
TARVEX_EXPORT void tarvex_providers_contracts_value_string_load_finish(TarvexProvidersContractsValueString* self,
                                                                       GAsyncResult* _res_, GError** error);
TARVEX_EXPORT void tarvex_providers_contracts_value_string_save(TarvexProvidersContractsValueString* self,
                                                                const gchar* filename, GAsyncReadyCallback _callback_,
                                                                gpointer _user_data_);
TARVEX_EXPORT void tarvex_providers_contracts_value_string_save_finish(TarvexProvidersContractsValueString* self,
                                                                       GAsyncResult* _res_, GError** error);

TARVEX_EXPORT GType tarvex_providers_contracts_value_xml_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexProvidersContractsValueXml* tarvex_providers_contracts_value_xml_new(const gchar* text);
TARVEX_EXPORT TarvexProvidersContractsValueXml* tarvex_providers_contracts_value_xml_construct(GType object_type,
                                                                                             const gchar* text);

TARVEX_EXPORT GType tarvex_providers_contracts_value_json_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexProvidersContractsValueJson* tarvex_providers_contracts_value_json_new(const gchar* text);
TARVEX_EXPORT TarvexProvidersContractsValueJson* tarvex_providers_contracts_value_json_construct(GType object_type,
                                                                                               const gchar* text);

TARVEX_EXPORT GType tarvex_providers_contracts_value_uuid_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_new(void);
TARVEX_EXPORT TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_construct(GType object_type);
TARVEX_EXPORT TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_new_uuid(const gchar* uuid);
TARVEX_EXPORT TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_construct_uuid(GType object_type,
                                                                                                    const gchar* uuid);

TARVEX_EXPORT GType tarvex_providers_contracts_value_utf16_get_type(void) G_GNUC_CONST;
// Takes ownership of `text` (g_malloc'd, ended by a zero unit).
TARVEX_EXPORT TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_new(gunichar2* text);
TARVEX_EXPORT TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_construct(GType object_type,
                                                                                                 gunichar2* text);
TARVEX_EXPORT TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_new_string(const gchar* text);
TARVEX_EXPORT TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_construct_string(
    GType object_type, const gchar* text);
TARVEX_EXPORT gunichar2* tarvex_providers_contracts_value_utf16_get_itsvalue(TarvexProvidersContractsValueUtf16* self);
// Takes ownership of `value`.
TARVEX_EXPORT void tarvex_providers_contracts_value_utf16_set_itsvalue(TarvexProvidersContractsValueUtf16* self,
                                                                       gunichar2* value);

G_END_DECLS
