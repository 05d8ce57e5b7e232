// The text values: ValueString (UTF-8 text) with its subclasses ValueXml,
// ValueJson and ValueUuid, which hold the same text but report another kind,
// and ValueUtf16, which holds a zero-terminated UTF-16 buffer.
#pragma once

#include <gio/gio.h>

#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING \
  (tarvex_providers_contracts_value_string_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_string_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueString,
                         tarvex_providers_contracts_value_string, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_STRING, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueStringClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_XML (tarvex_providers_contracts_value_xml_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_xml_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueXml, tarvex_providers_contracts_value_xml,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_XML, TarvexProvidersContractsValueString)
struct _TarvexProvidersContractsValueXmlClass {
  TarvexProvidersContractsValueStringClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_JSON \
  (tarvex_providers_contracts_value_json_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_json_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueJson, tarvex_providers_contracts_value_json,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_JSON,
                         TarvexProvidersContractsValueString)
struct _TarvexProvidersContractsValueJsonClass {
  TarvexProvidersContractsValueStringClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UUID \
  (tarvex_providers_contracts_value_uuid_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_uuid_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueUuid, tarvex_providers_contracts_value_uuid,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_UUID,
                         TarvexProvidersContractsValueString)
struct _TarvexProvidersContractsValueUuidClass {
  TarvexProvidersContractsValueStringClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UTF16 \
  (tarvex_providers_contracts_value_utf16_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_utf16_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueUtf16, tarvex_providers_contracts_value_utf16,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_UTF16,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueUtf16Class {
  TarvexProvidersContractsValueObjectClass parent_class;
};

TARVEX_EXPORT TarvexProvidersContractsValueString* tarvex_providers_contracts_value_string_new(
    const gchar* text);
TARVEX_EXPORT TarvexProvidersContractsValueString*
tarvex_providers_contracts_value_string_construct(GType object_type, const gchar* text);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_value_string_get_itsvalue(
    TarvexProvidersContractsValueString* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_string_set_itsvalue(
    TarvexProvidersContractsValueString* self, const gchar* value);
TARVEX_EXPORT void tarvex_providers_contracts_value_string_load(
    TarvexProvidersContractsValueString* self, const gchar* filename,
    GAsyncReadyCallback _callback_, gpointer _user_data_);
TARVEX_EXPORT void tarvex_providers_contracts_value_string_load_finish(
    TarvexProvidersContractsValueString* self, GAsyncResult* _res_, GError** error);
TARVEX_EXPORT void tarvex_providers_contracts_value_string_save(
    TarvexProvidersContractsValueString* self, const gchar* filename,
    GAsyncReadyCallback _callback_, gpointer _user_data_);
TARVEX_EXPORT void tarvex_providers_contracts_value_string_save_finish(
    TarvexProvidersContractsValueString* self, GAsyncResult* _res_, GError** error);

TARVEX_EXPORT TarvexProvidersContractsValueXml* tarvex_providers_contracts_value_xml_new(
    const gchar* text);
TARVEX_EXPORT TarvexProvidersContractsValueXml* tarvex_providers_contracts_value_xml_construct(
    GType object_type, const gchar* text);

TARVEX_EXPORT TarvexProvidersContractsValueJson* tarvex_providers_contracts_value_json_new(
    const gchar* text);
TARVEX_EXPORT TarvexProvidersContractsValueJson* tarvex_providers_contracts_value_json_construct(
    GType object_type, const gchar* text);

TARVEX_EXPORT TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_new(void);
TARVEX_EXPORT TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_construct(
    GType object_type);
TARVEX_EXPORT TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_new_uuid(
    const gchar* uuid);
TARVEX_EXPORT TarvexProvidersContractsValueUuid*
tarvex_providers_contracts_value_uuid_construct_uuid(GType object_type, const gchar* uuid);

// Takes ownership of `text` (g_malloc'd, ended by a zero unit).
TARVEX_EXPORT TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_new(
    gunichar2* text);
TARVEX_EXPORT TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_construct(
    GType object_type, gunichar2* text);
TARVEX_EXPORT TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_new_string(
    const gchar* text);
TARVEX_EXPORT TarvexProvidersContractsValueUtf16*
tarvex_providers_contracts_value_utf16_construct_string(GType object_type, const gchar* text);
TARVEX_EXPORT gunichar2* tarvex_providers_contracts_value_utf16_get_itsvalue(
    TarvexProvidersContractsValueUtf16* self);
// Takes ownership of `value`.
TARVEX_EXPORT void tarvex_providers_contracts_value_utf16_set_itsvalue(
    TarvexProvidersContractsValueUtf16* self, gunichar2* value);

G_END_DECLS
