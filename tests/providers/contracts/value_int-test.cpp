// Boolean, character and integer values, IInteger and IUnsigned.
#include <gtest/gtest.h>

#include <functional>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

using Value = TarvexProvidersContractsValueObject;
using DT = TarvexProvidersContractsDataType;

namespace {

class IntValueTest : public tarvex::test::LogCaptureTest {};

Value* as_value(gpointer p) {
  return static_cast<Value*>(p);
}
auto* as_integer(gpointer p) {
  return static_cast<TarvexProvidersContractsIInteger*>(p);
}
auto* as_unsigned(gpointer p) {
  return static_cast<TarvexProvidersContractsIUnsigned*>(p);
}

using tarvex::test::value_text;

std::string gvalue_contents(gpointer v, GType* type) {
  GValue gv = G_VALUE_INIT;
  tarvex_providers_contracts_ivalue_to_value(reinterpret_cast<TarvexProvidersContractsIValue*>(v),
                                             &gv);
  *type = G_VALUE_TYPE(&gv);
  GUniqueStr s(g_strdup_value_contents(&gv));
  g_value_unset(&gv);
  return s.get();
}

struct Case {
  const char* label;
  std::function<gpointer()> make;
  const char* type_name;
  const char* name;
  DT data_type;
  const char* text;
  gint64 integer;
  bool is_unsigned;
  guint64 unsigned_value;
  GType gtype;
  const char* contents;
};

const Case kCases[] = {
    {"bool true", [] { return gpointer(tarvex_providers_contracts_value_boolean_new(TRUE)); },
     "TarvexProvidersContractsValueBoolean", "bool", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN,
     "true", 1, true, 1, G_TYPE_BOOLEAN, "TRUE"},
    {"bool false", [] { return gpointer(tarvex_providers_contracts_value_boolean_new(FALSE)); },
     "TarvexProvidersContractsValueBoolean", "bool", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN,
     "false", 0, true, 0, G_TYPE_BOOLEAN, "FALSE"},
    // Any non-zero gboolean is true, and reads back as 1.
    {"bool 7", [] { return gpointer(tarvex_providers_contracts_value_boolean_new(7)); },
     "TarvexProvidersContractsValueBoolean", "bool", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BOOLEAN,
     "true", 1, true, 1, G_TYPE_BOOLEAN, "TRUE"},
    {"char A", [] { return gpointer(tarvex_providers_contracts_value_char_new(65)); },
     "TarvexProvidersContractsValueChar", "char", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_CHAR, "A",
     65, true, 65, G_TYPE_UCHAR, "65"},
    {"char zero", [] { return gpointer(tarvex_providers_contracts_value_char_new(0)); },
     "TarvexProvidersContractsValueChar", "char", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_CHAR, "", 0,
     true, 0, G_TYPE_UCHAR, "0"},
    {"char 255", [] { return gpointer(tarvex_providers_contracts_value_char_new(255)); },
     "TarvexProvidersContractsValueChar", "char", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_CHAR, "\xff",
     255, true, 255, G_TYPE_UCHAR, "255"},
    {"int8 -1", [] { return gpointer(tarvex_providers_contracts_value_int8_new(-1)); },
     "TarvexProvidersContractsValueInt8", "byte", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8, "-1",
     -1, false, 0, G_TYPE_CHAR, "-1"},
    {"int8 min", [] { return gpointer(tarvex_providers_contracts_value_int8_new(-128)); },
     "TarvexProvidersContractsValueInt8", "byte", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT8, "-128",
     -128, false, 0, G_TYPE_CHAR, "-128"},
    {"int16 min", [] { return gpointer(tarvex_providers_contracts_value_int16_new(G_MININT16)); },
     "TarvexProvidersContractsValueInt16", "int16", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT16,
     "-32768", -32768, false, 0, G_TYPE_INT, "-32768"},
    {"int32 42", [] { return gpointer(tarvex_providers_contracts_value_int32_new(42)); },
     "TarvexProvidersContractsValueInt32", "int32", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32,
     "42", 42, false, 0, G_TYPE_INT, "42"},
    {"int32 min", [] { return gpointer(tarvex_providers_contracts_value_int32_new(G_MININT32)); },
     "TarvexProvidersContractsValueInt32", "int32", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT32,
     "-2147483648", G_MININT32, false, 0, G_TYPE_INT, "-2147483648"},
    {"int64 min", [] { return gpointer(tarvex_providers_contracts_value_int64_new(G_MININT64)); },
     "TarvexProvidersContractsValueInt64", "int64", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_INT64,
     "-9223372036854775808", G_MININT64, false, 0, G_TYPE_INT64, "-9223372036854775808"},
    {"uint8 255", [] { return gpointer(tarvex_providers_contracts_value_uint8_new(255)); },
     "TarvexProvidersContractsValueUInt8", "uint8", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT8,
     "255", 255, true, 255, G_TYPE_UCHAR, "255"},
    {"uint16 max",
     [] { return gpointer(tarvex_providers_contracts_value_uint16_new(G_MAXUINT16)); },
     "TarvexProvidersContractsValueUInt16", "uint16", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT16,
     "65535", 65535, true, 65535, G_TYPE_UINT, "65535"},
    {"uint32 max",
     [] { return gpointer(tarvex_providers_contracts_value_uint32_new(G_MAXUINT32)); },
     "TarvexProvidersContractsValueUInt32", "uint32", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT32,
     "4294967295", 4294967295LL, true, 4294967295ULL, G_TYPE_UINT, "4294967295"},
    // Above the signed range to_integer saturates, never turns negative.
    {"uint64 max",
     [] { return gpointer(tarvex_providers_contracts_value_uint64_new(G_MAXUINT64)); },
     "TarvexProvidersContractsValueUInt64", "uint64", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64,
     "18446744073709551615", G_MAXINT64, true, G_MAXUINT64, G_TYPE_UINT64, "18446744073709551615"},
    {"uint64 2^63",
     [] { return gpointer(tarvex_providers_contracts_value_uint64_new(guint64(1) << 63)); },
     "TarvexProvidersContractsValueUInt64", "uint64", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64,
     "9223372036854775808", G_MAXINT64, true, guint64(1) << 63, G_TYPE_UINT64,
     "9223372036854775808"},
    {"uint64 2^63-1",
     [] { return gpointer(tarvex_providers_contracts_value_uint64_new(G_MAXINT64)); },
     "TarvexProvidersContractsValueUInt64", "uint64", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UINT64,
     "9223372036854775807", G_MAXINT64, true, G_MAXINT64, G_TYPE_UINT64, "9223372036854775807"},
};

TEST_F(IntValueTest, TextNumbersAndGenericForms) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.label);
    auto v = adoptGRef(G_OBJECT(c.make()));
    EXPECT_STREQ(G_OBJECT_TYPE_NAME(v.get()), c.type_name);
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(as_value(v.get())), c.name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(as_value(v.get())),
              c.data_type);
    EXPECT_FALSE(tarvex_providers_contracts_value_object_get_is_null(as_value(v.get())));
    EXPECT_EQ(value_text(v.get()), c.text);

    ASSERT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_IINTEGER(v.get()));
    EXPECT_EQ(tarvex_providers_contracts_iinteger_to_integer(as_integer(v.get())), c.integer);
    EXPECT_EQ(bool(TARVEX_PROVIDERS_CONTRACTS_IS_IUNSIGNED(v.get())), c.is_unsigned);
    EXPECT_EQ(tarvex_providers_contracts_iunsigned_to_unsigned(as_unsigned(v.get())),
              c.unsigned_value);

    GType gtype = G_TYPE_INVALID;
    EXPECT_EQ(gvalue_contents(v.get(), &gtype), c.contents);
    EXPECT_EQ(gtype, c.gtype);

    // dump is inherited: the type name, " => ", the text.
    GUniqueStr dump(tarvex_providers_contracts_value_object_dump(as_value(v.get())));
    EXPECT_EQ(std::string(dump.get()), std::string(c.type_name) + " => " + c.text);

    // The kind properties answer like the virtuals.
    gchar* name = nullptr;
    gint data_type = -1;
    gboolean is_null = TRUE;
    g_object_get(v.get(), "name", &name, "data-type", &data_type, "is-null", &is_null, nullptr);
    EXPECT_STREQ(name, c.name);
    EXPECT_EQ(data_type, c.data_type);
    EXPECT_FALSE(is_null);
    g_free(name);
  }
}

TEST_F(IntValueTest, NamedGettersAndItsvalue) {
  auto b = adoptGRef(tarvex_providers_contracts_value_boolean_new(TRUE));
  EXPECT_TRUE(tarvex_providers_contracts_value_boolean_get_boolean(b.get()));
  EXPECT_TRUE(tarvex_providers_contracts_value_boolean_get_itsvalue(b.get()));
  auto c = adoptGRef(tarvex_providers_contracts_value_char_new('z'));
  EXPECT_EQ(tarvex_providers_contracts_value_char_get_char(c.get()), 'z');
  auto i8 = adoptGRef(tarvex_providers_contracts_value_int8_new(-5));
  EXPECT_EQ(tarvex_providers_contracts_value_int8_get_int8(i8.get()), -5);
  auto i16 = adoptGRef(tarvex_providers_contracts_value_int16_new(-300));
  EXPECT_EQ(tarvex_providers_contracts_value_int16_get_int16(i16.get()), -300);
  auto i32 = adoptGRef(tarvex_providers_contracts_value_int32_new(-70000));
  EXPECT_EQ(tarvex_providers_contracts_value_int32_get_int32(i32.get()), -70000);
  auto i64 = adoptGRef(tarvex_providers_contracts_value_int64_new(-(gint64(1) << 40)));
  EXPECT_EQ(tarvex_providers_contracts_value_int64_get_int64(i64.get()), -(gint64(1) << 40));
  auto u8 = adoptGRef(tarvex_providers_contracts_value_uint8_new(200));
  EXPECT_EQ(tarvex_providers_contracts_value_uint8_get_uint8(u8.get()), 200);
  auto u16 = adoptGRef(tarvex_providers_contracts_value_uint16_new(60000));
  EXPECT_EQ(tarvex_providers_contracts_value_uint16_get_uint16(u16.get()), 60000);
  auto u32 = adoptGRef(tarvex_providers_contracts_value_uint32_new(3000000000u));
  EXPECT_EQ(tarvex_providers_contracts_value_uint32_get_uint32(u32.get()), 3000000000u);
  auto u64 = adoptGRef(tarvex_providers_contracts_value_uint64_new(G_MAXUINT64 - 1));
  EXPECT_EQ(tarvex_providers_contracts_value_uint64_get_uint64(u64.get()), G_MAXUINT64 - 1);

  tarvex_providers_contracts_value_int8_set_itsvalue(i8.get(), 127);
  EXPECT_EQ(value_text(i8.get()), "127");
  tarvex_providers_contracts_value_uint64_set_itsvalue(u64.get(), 0);
  EXPECT_EQ(tarvex_providers_contracts_iinteger_to_integer(as_integer(u64.get())), 0);
}

TEST_F(IntValueTest, PropertiesAreDeclaredAsSpecified) {
  struct {
    GType type;
    GType value_type;
    const char* minimum;  // as text, to cover every width in one table
    const char* maximum;
  } cases[] = {
      {tarvex_providers_contracts_value_boolean_get_type(), G_TYPE_BOOLEAN, nullptr, nullptr},
      {tarvex_providers_contracts_value_char_get_type(), G_TYPE_UCHAR, "0", "255"},
      {tarvex_providers_contracts_value_int8_get_type(), G_TYPE_CHAR, "-128", "127"},
      {tarvex_providers_contracts_value_int16_get_type(), G_TYPE_INT, "-2147483648", "2147483647"},
      {tarvex_providers_contracts_value_int32_get_type(), G_TYPE_INT, "-2147483648", "2147483647"},
      {tarvex_providers_contracts_value_int64_get_type(), G_TYPE_INT64, "-9223372036854775808",
       "9223372036854775807"},
      {tarvex_providers_contracts_value_uint8_get_type(), G_TYPE_UCHAR, "0", "255"},
      {tarvex_providers_contracts_value_uint16_get_type(), G_TYPE_UINT, "0", "4294967295"},
      {tarvex_providers_contracts_value_uint32_get_type(), G_TYPE_UINT, "0", "4294967295"},
      {tarvex_providers_contracts_value_uint64_get_type(), G_TYPE_UINT64, "0",
       "18446744073709551615"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(g_type_name(c.type));
    EXPECT_EQ(g_type_parent(c.type), tarvex_providers_contracts_value_object_get_type());
    auto* klass = static_cast<GObjectClass*>(g_type_class_ref(c.type));
    struct {
      const char* name;
      guint id;
      bool writable;
    } props[] = {{"name", 1, false}, {"itsvalue", 2, true}, {"data-type", 3, false}};
    for (const auto& p : props) {
      GParamSpec* spec = g_object_class_find_property(klass, p.name);
      ASSERT_NE(spec, nullptr) << p.name;
      EXPECT_EQ(spec->owner_type, c.type) << p.name;
      EXPECT_EQ(spec->param_id, p.id) << p.name;
      EXPECT_STREQ(g_param_spec_get_nick(spec), p.name);
      EXPECT_STREQ(g_param_spec_get_blurb(spec), p.name);
      EXPECT_TRUE(spec->flags & G_PARAM_READABLE);
      EXPECT_EQ(bool(spec->flags & G_PARAM_WRITABLE), p.writable) << p.name;
    }
    GParamSpec* spec = g_object_class_find_property(klass, "itsvalue");
    EXPECT_EQ(spec->value_type, c.value_type);
    GValue def = G_VALUE_INIT;
    g_value_init(&def, c.value_type);
    g_param_value_set_default(spec, &def);
    GValue as_text = G_VALUE_INIT;
    g_value_init(&as_text, G_TYPE_STRING);
    g_value_transform(&def, &as_text);
    EXPECT_TRUE(g_str_equal(g_value_get_string(&as_text), "0") ||
                g_str_equal(g_value_get_string(&as_text), "FALSE"));
    g_value_unset(&as_text);
    g_value_unset(&def);
    if (c.minimum) {
      auto range = [&](const GValue* bound) {
        GValue t = G_VALUE_INIT;
        g_value_init(&t, G_TYPE_STRING);
        g_value_transform(bound, &t);
        std::string s = g_value_get_string(&t);
        g_value_unset(&t);
        return s;
      };
      GValue lo = G_VALUE_INIT, hi = G_VALUE_INIT;
      g_value_init(&lo, c.value_type);
      g_value_init(&hi, c.value_type);
      if (c.value_type == G_TYPE_CHAR) {
        g_value_set_schar(&lo, G_PARAM_SPEC_CHAR(spec)->minimum);
        g_value_set_schar(&hi, G_PARAM_SPEC_CHAR(spec)->maximum);
      } else if (c.value_type == G_TYPE_UCHAR) {
        g_value_set_uchar(&lo, G_PARAM_SPEC_UCHAR(spec)->minimum);
        g_value_set_uchar(&hi, G_PARAM_SPEC_UCHAR(spec)->maximum);
      } else if (c.value_type == G_TYPE_INT) {
        g_value_set_int(&lo, G_PARAM_SPEC_INT(spec)->minimum);
        g_value_set_int(&hi, G_PARAM_SPEC_INT(spec)->maximum);
      } else if (c.value_type == G_TYPE_UINT) {
        g_value_set_uint(&lo, G_PARAM_SPEC_UINT(spec)->minimum);
        g_value_set_uint(&hi, G_PARAM_SPEC_UINT(spec)->maximum);
      } else if (c.value_type == G_TYPE_INT64) {
        g_value_set_int64(&lo, G_PARAM_SPEC_INT64(spec)->minimum);
        g_value_set_int64(&hi, G_PARAM_SPEC_INT64(spec)->maximum);
      } else {
        g_value_set_uint64(&lo, G_PARAM_SPEC_UINT64(spec)->minimum);
        g_value_set_uint64(&hi, G_PARAM_SPEC_UINT64(spec)->maximum);
      }
      EXPECT_EQ(range(&lo), c.minimum);
      EXPECT_EQ(range(&hi), c.maximum);
      g_value_unset(&lo);
      g_value_unset(&hi);
    }
    g_type_class_unref(klass);
  }
}

TEST_F(IntValueTest, InterfacesAndTheirPrerequisites) {
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_iinteger_get_type()),
               "TarvexProvidersContractsIInteger");
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_iunsigned_get_type()),
               "TarvexProvidersContractsIUnsigned");
  guint n = 0;
  GType* prereqs =
      g_type_interface_prerequisites(tarvex_providers_contracts_iunsigned_get_type(), &n);
  bool has_iinteger = false;
  for (guint i = 0; i < n; i++)
    has_iinteger |= prereqs[i] == tarvex_providers_contracts_iinteger_get_type();
  g_free(prereqs);
  EXPECT_TRUE(has_iinteger);
}

// Writing through the 32-bit property of a 16-bit value keeps the low 16 bits.
TEST_F(IntValueTest, SixteenBitPropertiesKeepTheLowBits) {
  auto i16 = adoptGRef(tarvex_providers_contracts_value_int16_new(0));
  g_object_set(i16.get(), "itsvalue", 65536 + 5, nullptr);
  EXPECT_EQ(tarvex_providers_contracts_value_int16_get_itsvalue(i16.get()), 5);
  g_object_set(i16.get(), "itsvalue", 40000, nullptr);
  EXPECT_EQ(tarvex_providers_contracts_value_int16_get_itsvalue(i16.get()), 40000 - 65536);
  gint back = 0;
  g_object_get(i16.get(), "itsvalue", &back, nullptr);
  EXPECT_EQ(back, 40000 - 65536);

  auto u16 = adoptGRef(tarvex_providers_contracts_value_uint16_new(0));
  g_object_set(u16.get(), "itsvalue", guint(65536 + 7), nullptr);
  EXPECT_EQ(value_text(u16.get()), "7");
}

TEST_F(IntValueTest, ItsvalueThroughThePropertyInterface) {
  auto i64 = adoptGRef(tarvex_providers_contracts_value_int64_new(0));
  g_object_set(i64.get(), "itsvalue", G_MININT64, nullptr);
  EXPECT_EQ(value_text(i64.get()), "-9223372036854775808");
  auto b = adoptGRef(tarvex_providers_contracts_value_boolean_new(FALSE));
  g_object_set(b.get(), "itsvalue", TRUE, nullptr);
  EXPECT_EQ(value_text(b.get()), "true");
  gboolean flag = FALSE;
  g_object_get(b.get(), "itsvalue", &flag, nullptr);
  EXPECT_TRUE(flag);
  auto i8 = adoptGRef(tarvex_providers_contracts_value_int8_new(0));
  g_object_set(i8.get(), "itsvalue", gint8(-100), nullptr);
  EXPECT_EQ(tarvex_providers_contracts_value_int8_get_int8(i8.get()), -100);
}

TEST_F(IntValueTest, SetItsvalueAlwaysNotifies) {
  auto v = adoptGRef(tarvex_providers_contracts_value_int32_new(3));
  int notified = 0;
  g_signal_connect(
      v.get(), "notify::itsvalue",
      G_CALLBACK(+[](GObject*, GParamSpec*, gpointer data) { ++*static_cast<int*>(data); }),
      &notified);
  tarvex_providers_contracts_value_int32_set_itsvalue(v.get(), 3);
  EXPECT_EQ(notified, 1);
  tarvex_providers_contracts_value_int32_set_itsvalue(v.get(), 4);
  EXPECT_EQ(notified, 2);
  g_object_set(v.get(), "itsvalue", 4, nullptr);
  EXPECT_EQ(notified, 3);
  // Cloning reads the source without touching it.
  auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(v.get())));
  EXPECT_EQ(notified, 3);
}

TEST_F(IntValueTest, ClonesAreIndependentValuesOfTheSameClass) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.label);
    auto v = adoptGRef(G_OBJECT(c.make()));
    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(v.get())));
    ASSERT_NE(copy.get(), nullptr);
    EXPECT_NE(static_cast<gpointer>(copy.get()), static_cast<gpointer>(v.get()));
    EXPECT_EQ(G_OBJECT_TYPE(copy.get()), G_OBJECT_TYPE(v.get()));
    EXPECT_EQ(value_text(copy.get()), c.text);
    // Changing the source through its property leaves the clone alone.
    GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(v.get()), "itsvalue");
    GValue zero = G_VALUE_INIT;
    g_value_init(&zero, spec->value_type);
    g_object_set_property(v.get(), "itsvalue", &zero);
    g_value_unset(&zero);
    EXPECT_EQ(value_text(copy.get()), c.text);
    // The source is gone, the clone lives on.
    v = nullptr;
    EXPECT_EQ(tarvex_providers_contracts_iinteger_to_integer(as_integer(copy.get())), c.integer);
  }
}

// A class that implements IInteger but leaves its slot empty.
struct EmptyInteger {
  GObject parent_instance;
};
struct EmptyIntegerClass {
  GObjectClass parent_class;
};
GType empty_integer_get_type() {
  static gsize type = 0;
  if (g_once_init_enter(&type)) {
    GType t = g_type_register_static_simple(G_TYPE_OBJECT, "ValnumTestEmptyInteger",
                                            sizeof(EmptyIntegerClass), nullptr,
                                            sizeof(EmptyInteger), nullptr, GTypeFlags(0));
    static const GInterfaceInfo info = {nullptr, nullptr, nullptr};
    g_type_add_interface_static(t, tarvex_providers_contracts_iinteger_get_type(), &info);
    g_once_init_leave(&type, t);
  }
  return type;
}

TEST_F(IntValueTest, MissingImplementationsGiveTheirEmptyAnswers) {
  auto empty = adoptGRef(G_OBJECT(g_object_new(empty_integer_get_type(), nullptr)));
  EXPECT_EQ(tarvex_providers_contracts_iinteger_to_integer(as_integer(empty.get())), -1);
  // Signed kinds do not implement IUnsigned: the unsigned reader gives 0.
  auto i32 = adoptGRef(tarvex_providers_contracts_value_int32_new(-9));
  EXPECT_EQ(tarvex_providers_contracts_iunsigned_to_unsigned(as_unsigned(i32.get())), 0u);
  // A value that is no integer at all.
  auto base = adoptGRef(tarvex_providers_contracts_value_object_new());
  EXPECT_EQ(tarvex_providers_contracts_iinteger_to_integer(as_integer(base.get())), -1);
}

TEST_F(IntValueTest, PreconditionsAreReported) {
  gint64 i = 7;
  EXPECT_CRITICAL(i = tarvex_providers_contracts_iinteger_to_integer(nullptr), "self != NULL");
  EXPECT_EQ(i, 0);
  guint64 u = 7;
  EXPECT_CRITICAL(u = tarvex_providers_contracts_iunsigned_to_unsigned(nullptr), "self != NULL");
  EXPECT_EQ(u, 0u);
  gint32 d = 7;
  EXPECT_CRITICAL(d = tarvex_providers_contracts_value_int32_get_itsvalue(nullptr), "self != NULL");
  EXPECT_EQ(d, 0);
  gint8 d8 = 7;
  EXPECT_CRITICAL(d8 = tarvex_providers_contracts_value_int8_get_int8(nullptr), "self != NULL");
  EXPECT_EQ(d8, 0);
  gboolean b = TRUE;
  EXPECT_CRITICAL(b = tarvex_providers_contracts_value_boolean_get_boolean(nullptr),
                  "self != NULL");
  EXPECT_FALSE(b);
  EXPECT_CRITICAL(tarvex_providers_contracts_value_uint64_set_itsvalue(nullptr, 1), "self != NULL");

  // A construct type outside the class would lack its private data.
  TarvexProvidersContractsValueInt32* none = nullptr;
  EXPECT_CRITICAL(none = tarvex_providers_contracts_value_int32_construct(G_TYPE_OBJECT, 1),
                  "g_type_is_a");
  EXPECT_EQ(none, nullptr);
  // An accessor handed a value of another class refuses it.
  auto i64 = adoptGRef(tarvex_providers_contracts_value_int64_new(5));
  EXPECT_CRITICAL(d = tarvex_providers_contracts_value_int32_get_itsvalue(
                      reinterpret_cast<TarvexProvidersContractsValueInt32*>(i64.get())),
                  "G_TYPE_CHECK_INSTANCE_TYPE");
  EXPECT_EQ(d, 0);
}

TEST_F(IntValueTest, ConstructMakesTheGivenSubclass) {
  auto v = adoptGRef(tarvex_providers_contracts_value_uint32_construct(
      tarvex_providers_contracts_value_uint32_get_type(), 12));
  EXPECT_EQ(value_text(v.get()), "12");
}

TEST_F(IntValueTest, FinalizeFreesTheValue) {
  auto* v = tarvex_providers_contracts_value_uint64_new(1);
  gpointer weak = v;
  g_object_add_weak_pointer(G_OBJECT(v), &weak);
  g_object_unref(v);
  EXPECT_EQ(weak, nullptr);
}

}  // namespace
