#include "providers/contracts/value_int.h"

#include <limits>

#include "common/tarvex-dispatch-private.h"
#include "providers/contracts/value-scalar-private.h"

using namespace tarvex;

// --------------------------------------------------------------- interfaces

TARVEX_DEFINE_INTERFACE(TarvexProvidersContractsIInteger, tarvex_providers_contracts_iinteger,
                        G_TYPE_OBJECT)
static void tarvex_providers_contracts_iinteger_default_init(
    TarvexProvidersContractsIIntegerIface*) {}

TARVEX_DEFINE_INTERFACE(TarvexProvidersContractsIUnsigned, tarvex_providers_contracts_iunsigned,
                        tarvex_providers_contracts_iinteger_get_type())
static void tarvex_providers_contracts_iunsigned_default_init(
    TarvexProvidersContractsIUnsignedIface*) {}

gint64 tarvex_providers_contracts_iinteger_to_integer(TarvexProvidersContractsIInteger* self) {
  return tarvex::call_slot_if_implemented<&TarvexProvidersContractsIIntegerIface::to_integer, -1>(
      self);
}

guint64 tarvex_providers_contracts_iunsigned_to_unsigned(TarvexProvidersContractsIUnsigned* self) {
  return tarvex::call_slot_if_implemented<&TarvexProvidersContractsIUnsignedIface::to_unsigned>(
      self);
}

// ------------------------------------------------------------- descriptors

namespace {

template <typename Desc>
struct Integral {
  static gint64 to_integer(TarvexProvidersContractsIInteger* self) {
    return Desc::to_integer(values::Scalar<Desc>::get(self));
  }
  static guint64 to_unsigned(TarvexProvidersContractsIUnsigned* self) {
    return Desc::to_unsigned(values::Scalar<Desc>::get(self));
  }
  static void iinteger_init(TarvexProvidersContractsIIntegerIface* iface) {
    iface->to_integer = to_integer;
  }
  static void iunsigned_init(TarvexProvidersContractsIUnsignedIface* iface) {
    iface->to_unsigned = to_unsigned;
  }
};

// Signed kinds read back sign-extended; unsigned ones zero-extended, with
// the 64-bit one saturating where it leaves the signed range.
template <typename Private, typename Datum>
struct IntDesc : values::ScalarDesc<Private, Datum> {
  static gint64 to_integer(Datum d) {
    if constexpr (std::is_unsigned_v<Datum> && sizeof(Datum) == 8)
      return d > guint64(G_MAXINT64) ? G_MAXINT64 : gint64(d);
    else
      return gint64(d);
  }
  static guint64 to_unsigned(Datum d) { return guint64(d); }
  // Decimal digits; the 8-bit datum is printed as a number, not a character.
  static gchar* text(const Private* p) {
    if constexpr (sizeof(Datum) == 1)
      return values::number_text(int(p->value));
    else
      return values::number_text(p->value);
  }
};

#define INT_KIND(Class, kind_name, KIND)                          \
  static GType type() {                                           \
    return tarvex_providers_contracts_value_##Class##_get_type(); \
  }                                                               \
  static Private* priv(gconstpointer self);                       \
  static constexpr const char* name = kind_name;                  \
  static constexpr auto data_type = TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_##KIND;

constexpr auto kRW = values::kReadWrite;

}  // namespace

// ------------------------------------------------------------ ValueBoolean

typedef struct _TarvexProvidersContractsValueBooleanPrivate
    TarvexProvidersContractsValueBooleanPrivate;
struct _TarvexProvidersContractsValueBooleanPrivate {
  gboolean value = FALSE;
};
namespace {
struct BooleanDesc : IntDesc<TarvexProvidersContractsValueBooleanPrivate, gboolean> {
  INT_KIND(boolean, "bool", BOOLEAN)
  static void assign(Private* p, gboolean d) { p->value = d ? TRUE : FALSE; }
  static GType gtype() { return G_TYPE_BOOLEAN; }
  static void set_gvalue(GValue* v, gboolean d) { g_value_set_boolean(v, d); }
  static gboolean get_gvalue(const GValue* v) { return g_value_get_boolean(v); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_boolean("itsvalue", "itsvalue", "itsvalue", FALSE, kRW);
  }
  static gchar* text(const Private* p) { return g_strdup(p->value ? "true" : "false"); }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueBoolean,
                           tarvex_providers_contracts_value_boolean, BooleanDesc,
                           G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER,
                                                 Integral<BooleanDesc>::iinteger_init)
                               G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IUNSIGNED,
                                                     Integral<BooleanDesc>::iunsigned_init))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueBoolean,
                            tarvex_providers_contracts_value_boolean, BooleanDesc)

// --------------------------------------------------------------- ValueChar

typedef struct _TarvexProvidersContractsValueCharPrivate TarvexProvidersContractsValueCharPrivate;
struct _TarvexProvidersContractsValueCharPrivate {
  guchar value = 0;
};
namespace {
struct CharDesc : IntDesc<TarvexProvidersContractsValueCharPrivate, guchar> {
  INT_KIND(char, "char", CHAR)
  static GType gtype() { return G_TYPE_UCHAR; }
  static void set_gvalue(GValue* v, guchar d) { g_value_set_uchar(v, d); }
  static guchar get_gvalue(const GValue* v) { return g_value_get_uchar(v); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_uchar("itsvalue", "itsvalue", "itsvalue", 0, 255, 0, kRW);
  }
  // The byte itself as a one-character text; the zero byte ends the text at once.
  static gchar* text(const Private* p) {
    const char c[2] = {char(p->value), '\0'};
    return g_strdup(c);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueChar, tarvex_providers_contracts_value_char,
                           CharDesc,
                           G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER,
                                                 Integral<CharDesc>::iinteger_init)
                               G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IUNSIGNED,
                                                     Integral<CharDesc>::iunsigned_init))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueChar,
                            tarvex_providers_contracts_value_char, CharDesc)

// --------------------------------------------------------------- ValueInt8

typedef struct _TarvexProvidersContractsValueInt8Private TarvexProvidersContractsValueInt8Private;
struct _TarvexProvidersContractsValueInt8Private {
  gint8 value = 0;
};
namespace {
struct Int8Desc : IntDesc<TarvexProvidersContractsValueInt8Private, gint8> {
  INT_KIND(int8, "byte", INT8)
  static GType gtype() { return G_TYPE_CHAR; }
  static void set_gvalue(GValue* v, gint8 d) { g_value_set_schar(v, d); }
  static gint8 get_gvalue(const GValue* v) { return g_value_get_schar(v); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_char("itsvalue", "itsvalue", "itsvalue", G_MININT8, G_MAXINT8, 0, kRW);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueInt8, tarvex_providers_contracts_value_int8,
                           Int8Desc,
                           G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER,
                                                 Integral<Int8Desc>::iinteger_init))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueInt8,
                            tarvex_providers_contracts_value_int8, Int8Desc)

// -------------------------------------------------------------- ValueInt16

typedef struct _TarvexProvidersContractsValueInt16Private TarvexProvidersContractsValueInt16Private;
struct _TarvexProvidersContractsValueInt16Private {
  gint16 value = 0;
};
namespace {
// The property spans 32 bits; a number written through it keeps its low 16.
struct Int16Desc : IntDesc<TarvexProvidersContractsValueInt16Private, gint16> {
  INT_KIND(int16, "int16", INT16)
  static GType gtype() { return G_TYPE_INT; }
  static void set_gvalue(GValue* v, gint16 d) { g_value_set_int(v, d); }
  static gint16 get_gvalue(const GValue* v) { return gint16(g_value_get_int(v)); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_int("itsvalue", "itsvalue", "itsvalue", G_MININT32, G_MAXINT32, 0, kRW);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueInt16,
                           tarvex_providers_contracts_value_int16, Int16Desc,
                           G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER,
                                                 Integral<Int16Desc>::iinteger_init))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueInt16,
                            tarvex_providers_contracts_value_int16, Int16Desc)

// -------------------------------------------------------------- ValueInt32

typedef struct _TarvexProvidersContractsValueInt32Private TarvexProvidersContractsValueInt32Private;
struct _TarvexProvidersContractsValueInt32Private {
  gint32 value = 0;
};
namespace {
struct Int32Desc : IntDesc<TarvexProvidersContractsValueInt32Private, gint32> {
  INT_KIND(int32, "int32", INT32)
  static GType gtype() { return G_TYPE_INT; }
  static void set_gvalue(GValue* v, gint32 d) { g_value_set_int(v, d); }
  static gint32 get_gvalue(const GValue* v) { return g_value_get_int(v); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_int("itsvalue", "itsvalue", "itsvalue", G_MININT32, G_MAXINT32, 0, kRW);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueInt32,
                           tarvex_providers_contracts_value_int32, Int32Desc,
                           G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER,
                                                 Integral<Int32Desc>::iinteger_init))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueInt32,
                            tarvex_providers_contracts_value_int32, Int32Desc)

// -------------------------------------------------------------- ValueInt64

typedef struct _TarvexProvidersContractsValueInt64Private TarvexProvidersContractsValueInt64Private;
struct _TarvexProvidersContractsValueInt64Private {
  gint64 value = 0;
};
namespace {
struct Int64Desc : IntDesc<TarvexProvidersContractsValueInt64Private, gint64> {
  INT_KIND(int64, "int64", INT64)
  static GType gtype() { return G_TYPE_INT64; }
  static void set_gvalue(GValue* v, gint64 d) { g_value_set_int64(v, d); }
  static gint64 get_gvalue(const GValue* v) { return g_value_get_int64(v); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_int64("itsvalue", "itsvalue", "itsvalue", G_MININT64, G_MAXINT64, 0, kRW);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueInt64,
                           tarvex_providers_contracts_value_int64, Int64Desc,
                           G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER,
                                                 Integral<Int64Desc>::iinteger_init))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueInt64,
                            tarvex_providers_contracts_value_int64, Int64Desc)

// -------------------------------------------------------------- ValueUInt8

typedef struct _TarvexProvidersContractsValueUInt8Private TarvexProvidersContractsValueUInt8Private;
struct _TarvexProvidersContractsValueUInt8Private {
  guint8 value = 0;
};
namespace {
struct UInt8Desc : IntDesc<TarvexProvidersContractsValueUInt8Private, guint8> {
  INT_KIND(uint8, "uint8", UINT8)
  static GType gtype() { return G_TYPE_UCHAR; }
  static void set_gvalue(GValue* v, guint8 d) { g_value_set_uchar(v, d); }
  static guint8 get_gvalue(const GValue* v) { return g_value_get_uchar(v); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_uchar("itsvalue", "itsvalue", "itsvalue", 0, 255, 0, kRW);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueUInt8,
                           tarvex_providers_contracts_value_uint8, UInt8Desc,
                           G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER,
                                                 Integral<UInt8Desc>::iinteger_init)
                               G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IUNSIGNED,
                                                     Integral<UInt8Desc>::iunsigned_init))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueUInt8,
                            tarvex_providers_contracts_value_uint8, UInt8Desc)

// ------------------------------------------------------------- ValueUInt16

typedef struct _TarvexProvidersContractsValueUInt16Private
    TarvexProvidersContractsValueUInt16Private;
struct _TarvexProvidersContractsValueUInt16Private {
  guint16 value = 0;
};
namespace {
// As the signed one: a 32-bit property, stored in 16 bits.
struct UInt16Desc : IntDesc<TarvexProvidersContractsValueUInt16Private, guint16> {
  INT_KIND(uint16, "uint16", UINT16)
  static GType gtype() { return G_TYPE_UINT; }
  static void set_gvalue(GValue* v, guint16 d) { g_value_set_uint(v, d); }
  static guint16 get_gvalue(const GValue* v) { return guint16(g_value_get_uint(v)); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_uint("itsvalue", "itsvalue", "itsvalue", 0, G_MAXUINT32, 0, kRW);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueUInt16,
                           tarvex_providers_contracts_value_uint16, UInt16Desc,
                           G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER,
                                                 Integral<UInt16Desc>::iinteger_init)
                               G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IUNSIGNED,
                                                     Integral<UInt16Desc>::iunsigned_init))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueUInt16,
                            tarvex_providers_contracts_value_uint16, UInt16Desc)

// ------------------------------------------------------------- ValueUInt32

typedef struct _TarvexProvidersContractsValueUInt32Private
    TarvexProvidersContractsValueUInt32Private;
struct _TarvexProvidersContractsValueUInt32Private {
  guint32 value = 0;
};
namespace {
struct UInt32Desc : IntDesc<TarvexProvidersContractsValueUInt32Private, guint32> {
  INT_KIND(uint32, "uint32", UINT32)
  static GType gtype() { return G_TYPE_UINT; }
  static void set_gvalue(GValue* v, guint32 d) { g_value_set_uint(v, d); }
  static guint32 get_gvalue(const GValue* v) { return g_value_get_uint(v); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_uint("itsvalue", "itsvalue", "itsvalue", 0, G_MAXUINT32, 0, kRW);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueUInt32,
                           tarvex_providers_contracts_value_uint32, UInt32Desc,
                           G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER,
                                                 Integral<UInt32Desc>::iinteger_init)
                               G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IUNSIGNED,
                                                     Integral<UInt32Desc>::iunsigned_init))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueUInt32,
                            tarvex_providers_contracts_value_uint32, UInt32Desc)

// ------------------------------------------------------------- ValueUInt64

typedef struct _TarvexProvidersContractsValueUInt64Private
    TarvexProvidersContractsValueUInt64Private;
struct _TarvexProvidersContractsValueUInt64Private {
  guint64 value = 0;
};
namespace {
struct UInt64Desc : IntDesc<TarvexProvidersContractsValueUInt64Private, guint64> {
  INT_KIND(uint64, "uint64", UINT64)
  static GType gtype() { return G_TYPE_UINT64; }
  static void set_gvalue(GValue* v, guint64 d) { g_value_set_uint64(v, d); }
  static guint64 get_gvalue(const GValue* v) { return g_value_get_uint64(v); }
  static GParamSpec* itsvalue_pspec() {
    return g_param_spec_uint64("itsvalue", "itsvalue", "itsvalue", 0, G_MAXUINT64, 0, kRW);
  }
};
}  // namespace
TARVEX_DEFINE_SCALAR_VALUE(TarvexProvidersContractsValueUInt64,
                           tarvex_providers_contracts_value_uint64, UInt64Desc,
                           G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IINTEGER,
                                                 Integral<UInt64Desc>::iinteger_init)
                               G_IMPLEMENT_INTERFACE(TARVEX_PROVIDERS_CONTRACTS_TYPE_IUNSIGNED,
                                                     Integral<UInt64Desc>::iunsigned_init))
TARVEX_SCALAR_VALUE_EXPORTS(TarvexProvidersContractsValueUInt64,
                            tarvex_providers_contracts_value_uint64, UInt64Desc)

// ------------------------------------------------- the named datum getters

#define KIND_GETTER(TypeName, type_name, kind, Datum) \
  Datum type_name##_get_##kind(TypeName* self) {      \
    return type_name##_get_itsvalue(self);            \
  }

KIND_GETTER(TarvexProvidersContractsValueBoolean, tarvex_providers_contracts_value_boolean, boolean,
            gboolean)
KIND_GETTER(TarvexProvidersContractsValueChar, tarvex_providers_contracts_value_char, char, guchar)
KIND_GETTER(TarvexProvidersContractsValueInt8, tarvex_providers_contracts_value_int8, int8, gint8)
KIND_GETTER(TarvexProvidersContractsValueInt16, tarvex_providers_contracts_value_int16, int16,
            gint16)
KIND_GETTER(TarvexProvidersContractsValueInt32, tarvex_providers_contracts_value_int32, int32,
            gint32)
KIND_GETTER(TarvexProvidersContractsValueInt64, tarvex_providers_contracts_value_int64, int64,
            gint64)
KIND_GETTER(TarvexProvidersContractsValueUInt8, tarvex_providers_contracts_value_uint8, uint8,
            guint8)
KIND_GETTER(TarvexProvidersContractsValueUInt16, tarvex_providers_contracts_value_uint16, uint16,
            guint16)
KIND_GETTER(TarvexProvidersContractsValueUInt32, tarvex_providers_contracts_value_uint32, uint32,
            guint32)
KIND_GETTER(TarvexProvidersContractsValueUInt64, tarvex_providers_contracts_value_uint64, uint64,
            guint64)
