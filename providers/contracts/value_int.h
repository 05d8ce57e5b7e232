// The integral values: boolean, character and the eight integers, with the
// two interfaces through which other code reads any of them as a number
// without knowing its width (IInteger as signed, IUnsigned as unsigned).
#pragma once

#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

// ------------------------------------------------------------- interfaces

typedef struct _TarvexProvidersContractsIInteger TarvexProvidersContractsIInteger;
typedef struct _TarvexProvidersContractsIIntegerIface TarvexProvidersContractsIIntegerIface;
struct _TarvexProvidersContractsIIntegerIface {
  GTypeInterface parent_iface;
  gint64 (*to_integer)(TarvexProvidersContractsIInteger* self);
};

typedef struct _TarvexProvidersContractsIUnsigned TarvexProvidersContractsIUnsigned;
typedef struct _TarvexProvidersContractsIUnsignedIface TarvexProvidersContractsIUnsignedIface;
struct _TarvexProvidersContractsIUnsignedIface {
  GTypeInterface parent_iface;
  guint64 (*to_unsigned)(TarvexProvidersContractsIUnsigned* self);
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER (tarvex_providers_contracts_iinteger_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IS_IINTEGER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER))
#define TARVEX_PROVIDERS_CONTRACTS_TYPE_IUNSIGNED (tarvex_providers_contracts_iunsigned_get_type())
#define TARVEX_PROVIDERS_CONTRACTS_IS_IUNSIGNED(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_PROVIDERS_CONTRACTS_TYPE_IUNSIGNED))

TARVEX_EXPORT GType tarvex_providers_contracts_iinteger_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gint64
tarvex_providers_contracts_iinteger_to_integer(TarvexProvidersContractsIInteger* self);
TARVEX_EXPORT GType tarvex_providers_contracts_iunsigned_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT guint64
tarvex_providers_contracts_iunsigned_to_unsigned(TarvexProvidersContractsIUnsigned* self);

// ---------------------------------------------------------------- classes
// Each holds one datum of its width; the 16-bit ones are stored in 16 bits
// whatever their 32-bit property receives.

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_BOOLEAN \
  (tarvex_providers_contracts_value_boolean_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_boolean_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueBoolean,
                         tarvex_providers_contracts_value_boolean, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_BOOLEAN, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueBooleanClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueBoolean* tarvex_providers_contracts_value_boolean_new(
    gboolean value);
TARVEX_EXPORT TarvexProvidersContractsValueBoolean*
tarvex_providers_contracts_value_boolean_construct(GType object_type, gboolean value);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_value_boolean_get_boolean(TarvexProvidersContractsValueBoolean* self);
TARVEX_EXPORT gboolean
tarvex_providers_contracts_value_boolean_get_itsvalue(TarvexProvidersContractsValueBoolean* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_boolean_set_itsvalue(
    TarvexProvidersContractsValueBoolean* self, gboolean value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_CHAR \
  (tarvex_providers_contracts_value_char_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_char_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueChar, tarvex_providers_contracts_value_char,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_CHAR,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueCharClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueChar* tarvex_providers_contracts_value_char_new(
    guchar value);
TARVEX_EXPORT TarvexProvidersContractsValueChar* tarvex_providers_contracts_value_char_construct(
    GType object_type, guchar value);
TARVEX_EXPORT guchar
tarvex_providers_contracts_value_char_get_char(TarvexProvidersContractsValueChar* self);
TARVEX_EXPORT guchar
tarvex_providers_contracts_value_char_get_itsvalue(TarvexProvidersContractsValueChar* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_char_set_itsvalue(
    TarvexProvidersContractsValueChar* self, guchar value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_INT8 \
  (tarvex_providers_contracts_value_int8_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_int8_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueInt8, tarvex_providers_contracts_value_int8,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_INT8,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueInt8Class {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueInt8* tarvex_providers_contracts_value_int8_new(
    gint8 value);
TARVEX_EXPORT TarvexProvidersContractsValueInt8* tarvex_providers_contracts_value_int8_construct(
    GType object_type, gint8 value);
TARVEX_EXPORT gint8
tarvex_providers_contracts_value_int8_get_int8(TarvexProvidersContractsValueInt8* self);
TARVEX_EXPORT gint8
tarvex_providers_contracts_value_int8_get_itsvalue(TarvexProvidersContractsValueInt8* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_int8_set_itsvalue(
    TarvexProvidersContractsValueInt8* self, gint8 value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_INT16 \
  (tarvex_providers_contracts_value_int16_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_int16_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueInt16, tarvex_providers_contracts_value_int16,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_INT16,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueInt16Class {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueInt16* tarvex_providers_contracts_value_int16_new(
    gint16 value);
TARVEX_EXPORT TarvexProvidersContractsValueInt16* tarvex_providers_contracts_value_int16_construct(
    GType object_type, gint16 value);
TARVEX_EXPORT gint16
tarvex_providers_contracts_value_int16_get_int16(TarvexProvidersContractsValueInt16* self);
TARVEX_EXPORT gint16
tarvex_providers_contracts_value_int16_get_itsvalue(TarvexProvidersContractsValueInt16* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_int16_set_itsvalue(
    TarvexProvidersContractsValueInt16* self, gint16 value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_INT32 \
  (tarvex_providers_contracts_value_int32_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_int32_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueInt32, tarvex_providers_contracts_value_int32,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_INT32,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueInt32Class {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueInt32* tarvex_providers_contracts_value_int32_new(
    gint32 value);
TARVEX_EXPORT TarvexProvidersContractsValueInt32* tarvex_providers_contracts_value_int32_construct(
    GType object_type, gint32 value);
TARVEX_EXPORT gint32
tarvex_providers_contracts_value_int32_get_int32(TarvexProvidersContractsValueInt32* self);
TARVEX_EXPORT gint32
tarvex_providers_contracts_value_int32_get_itsvalue(TarvexProvidersContractsValueInt32* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_int32_set_itsvalue(
    TarvexProvidersContractsValueInt32* self, gint32 value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_INT64 \
  (tarvex_providers_contracts_value_int64_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_int64_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueInt64, tarvex_providers_contracts_value_int64,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_INT64,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueInt64Class {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueInt64* tarvex_providers_contracts_value_int64_new(
    gint64 value);
TARVEX_EXPORT TarvexProvidersContractsValueInt64* tarvex_providers_contracts_value_int64_construct(
    GType object_type, gint64 value);
TARVEX_EXPORT gint64
tarvex_providers_contracts_value_int64_get_int64(TarvexProvidersContractsValueInt64* self);
TARVEX_EXPORT gint64
tarvex_providers_contracts_value_int64_get_itsvalue(TarvexProvidersContractsValueInt64* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_int64_set_itsvalue(
    TarvexProvidersContractsValueInt64* self, gint64 value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UINT8 \
  (tarvex_providers_contracts_value_uint8_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_uint8_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueUInt8, tarvex_providers_contracts_value_uint8,
                         TARVEX_PROVIDERS_CONTRACTS, VALUE_UINT8,
                         TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueUInt8Class {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueUInt8* tarvex_providers_contracts_value_uint8_new(
    guint8 value);
TARVEX_EXPORT TarvexProvidersContractsValueUInt8* tarvex_providers_contracts_value_uint8_construct(
    GType object_type, guint8 value);
TARVEX_EXPORT guint8
tarvex_providers_contracts_value_uint8_get_uint8(TarvexProvidersContractsValueUInt8* self);
TARVEX_EXPORT guint8
tarvex_providers_contracts_value_uint8_get_itsvalue(TarvexProvidersContractsValueUInt8* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_uint8_set_itsvalue(
    TarvexProvidersContractsValueUInt8* self, guint8 value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UINT16 \
  (tarvex_providers_contracts_value_uint16_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_uint16_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueUInt16,
                         tarvex_providers_contracts_value_uint16, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_UINT16, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueUInt16Class {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueUInt16* tarvex_providers_contracts_value_uint16_new(
    guint16 value);
TARVEX_EXPORT TarvexProvidersContractsValueUInt16*
tarvex_providers_contracts_value_uint16_construct(GType object_type, guint16 value);
TARVEX_EXPORT guint16
tarvex_providers_contracts_value_uint16_get_uint16(TarvexProvidersContractsValueUInt16* self);
TARVEX_EXPORT guint16
tarvex_providers_contracts_value_uint16_get_itsvalue(TarvexProvidersContractsValueUInt16* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_uint16_set_itsvalue(
    TarvexProvidersContractsValueUInt16* self, guint16 value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UINT32 \
  (tarvex_providers_contracts_value_uint32_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_uint32_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueUInt32,
                         tarvex_providers_contracts_value_uint32, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_UINT32, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueUInt32Class {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueUInt32* tarvex_providers_contracts_value_uint32_new(
    guint32 value);
TARVEX_EXPORT TarvexProvidersContractsValueUInt32*
tarvex_providers_contracts_value_uint32_construct(GType object_type, guint32 value);
TARVEX_EXPORT guint32
tarvex_providers_contracts_value_uint32_get_uint32(TarvexProvidersContractsValueUInt32* self);
TARVEX_EXPORT guint32
tarvex_providers_contracts_value_uint32_get_itsvalue(TarvexProvidersContractsValueUInt32* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_uint32_set_itsvalue(
    TarvexProvidersContractsValueUInt32* self, guint32 value);

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UINT64 \
  (tarvex_providers_contracts_value_uint64_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_uint64_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueUInt64,
                         tarvex_providers_contracts_value_uint64, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_UINT64, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueUInt64Class {
  TarvexProvidersContractsValueObjectClass parent_class;
};
TARVEX_EXPORT TarvexProvidersContractsValueUInt64* tarvex_providers_contracts_value_uint64_new(
    guint64 value);
TARVEX_EXPORT TarvexProvidersContractsValueUInt64*
tarvex_providers_contracts_value_uint64_construct(GType object_type, guint64 value);
TARVEX_EXPORT guint64
tarvex_providers_contracts_value_uint64_get_uint64(TarvexProvidersContractsValueUInt64* self);
TARVEX_EXPORT guint64
tarvex_providers_contracts_value_uint64_get_itsvalue(TarvexProvidersContractsValueUInt64* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_uint64_set_itsvalue(
    TarvexProvidersContractsValueUInt64* self, guint64 value);

G_END_DECLS
