// The binary values: ValueBinary holds an immutable byte buffer (GBytes);
// ValueBlob is the same for large objects and reports another kind.
#pragma once

#include <gio/gio.h>

#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_BINARY \
  (tarvex_providers_contracts_value_binary_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_binary_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueBinary,
                         tarvex_providers_contracts_value_binary, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_BINARY, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueBinaryClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_BLOB \
  (tarvex_providers_contracts_value_blob_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_blob_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueBlob, tarvex_providers_contracts_value_blob,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_BLOB,
                         TarvexProvidersContractsValueBinary)
struct _TarvexProvidersContractsValueBlobClass {
  TarvexProvidersContractsValueBinaryClass parent_class;
};

// Copies `length` bytes into a new buffer (the one copy made). Absent bytes
// with length 0 make an empty buffer.
TARVEX_EXPORT TarvexProvidersContractsValueBinary* tarvex_providers_contracts_value_binary_new(
    const guint8* bytes, gint length);
TARVEX_EXPORT TarvexProvidersContractsValueBinary*
tarvex_providers_contracts_value_binary_construct(GType object_type, const guint8* bytes,
                                                  gint length);
TARVEX_EXPORT GBytes* tarvex_providers_contracts_value_binary_get_itsvalue(
    TarvexProvidersContractsValueBinary* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_binary_set_itsvalue(
    TarvexProvidersContractsValueBinary* self, GBytes* value);
TARVEX_EXPORT guint8* tarvex_providers_contracts_value_binary_to_bytes(
    TarvexProvidersContractsValueBinary* self, gint* result_length1);
TARVEX_EXPORT gchar* tarvex_providers_contracts_value_binary_to_hexadecimal(
    TarvexProvidersContractsValueBinary* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_binary_write(
    TarvexProvidersContractsValueBinary* self, GOutputStream* stream, GError** error);
TARVEX_EXPORT void tarvex_providers_contracts_value_binary_load(
    TarvexProvidersContractsValueBinary* self, const gchar* filename,
    GAsyncReadyCallback _callback_, gpointer _user_data_);
TARVEX_EXPORT void tarvex_providers_contracts_value_binary_load_finish(
    TarvexProvidersContractsValueBinary* self, GAsyncResult* _res_, GError** error);
TARVEX_EXPORT void tarvex_providers_contracts_value_binary_save(
    TarvexProvidersContractsValueBinary* self, const gchar* filename,
    GAsyncReadyCallback _callback_, gpointer _user_data_);
TARVEX_EXPORT void tarvex_providers_contracts_value_binary_save_finish(
    TarvexProvidersContractsValueBinary* self, GAsyncResult* _res_, GError** error);

TARVEX_EXPORT TarvexProvidersContractsValueBlob* tarvex_providers_contracts_value_blob_new(
    const guint8* bytes, gint length);
TARVEX_EXPORT TarvexProvidersContractsValueBlob* tarvex_providers_contracts_value_blob_construct(
    GType object_type, const guint8* bytes, gint length);

G_END_DECLS
