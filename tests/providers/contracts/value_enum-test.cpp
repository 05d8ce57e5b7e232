// Enumerated values: enum, flags and set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

using ValueObject = TarvexProvidersContractsValueObject;
using ValueEnum = TarvexProvidersContractsValueEnum;

class EnumValueTest : public tarvex::test::LogCaptureTest {};

ValueObject* as_value(gpointer p) {
  return static_cast<ValueObject*>(p);
}
ValueEnum* as_enum(gpointer p) {
  return static_cast<ValueEnum*>(p);
}

using tarvex::test::value_text;

std::vector<std::string> members_of(gpointer value) {
  gint length = -1;
  const gchar* const* members =
      tarvex_providers_contracts_value_enum_get_members(as_enum(value), &length);
  std::vector<std::string> out;
  for (; members && *members; ++members) out.emplace_back(*members);
  EXPECT_EQ(length, gint(out.size()));
  return out;
}

// One row per class: how to make it and what it reports.
struct Kind {
  GType (*get_type)();
  ValueObject* (*make)(const char*);
  const char* type_name;
  const char* name;
  TarvexProvidersContractsDataType data_type;
};

const Kind kKinds[] = {
    {tarvex_providers_contracts_value_enum_get_type,
     [](const char* t) { return as_value(tarvex_providers_contracts_value_enum_new(t)); },
     "TarvexProvidersContractsValueEnum", "enum", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_ENUM},
    {tarvex_providers_contracts_value_flags_get_type,
     [](const char* t) { return as_value(tarvex_providers_contracts_value_flags_new(t)); },
     "TarvexProvidersContractsValueFlags", "flags", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLAGS},
    {tarvex_providers_contracts_value_set_get_type,
     [](const char* t) { return as_value(tarvex_providers_contracts_value_set_new(t)); },
     "TarvexProvidersContractsValueSet", "set", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_SET},
};

TEST_F(EnumValueTest, TypesAndProperties) {
  GType enum_type = tarvex_providers_contracts_value_enum_get_type();
  EXPECT_EQ(g_type_parent(enum_type), tarvex_providers_contracts_value_object_get_type());
  for (auto& k : kKinds) {
    EXPECT_STREQ(g_type_name(k.get_type()), k.type_name);
    EXPECT_FALSE(G_TYPE_IS_ABSTRACT(k.get_type()));
    if (k.get_type() != enum_type) {
      EXPECT_EQ(g_type_parent(k.get_type()), enum_type);
    }
  }

  struct {
    GType type;
    const char* property;
    guint id;
    GType value_type;
    GParamFlags flags;
  } props[] = {
      {enum_type, "name", 1, G_TYPE_STRING, G_PARAM_READABLE},
      {enum_type, "itsvalue", 2, G_TYPE_STRING, G_PARAM_READWRITE},
      {enum_type, "data-type", 3, tarvex_providers_contracts_data_type_get_type(),
       G_PARAM_READABLE},
      {tarvex_providers_contracts_value_flags_get_type(), "name", 1, G_TYPE_STRING,
       G_PARAM_READABLE},
      {tarvex_providers_contracts_value_flags_get_type(), "data-type", 2,
       tarvex_providers_contracts_data_type_get_type(), G_PARAM_READABLE},
      {tarvex_providers_contracts_value_set_get_type(), "name", 1, G_TYPE_STRING, G_PARAM_READABLE},
      {tarvex_providers_contracts_value_set_get_type(), "data-type", 2,
       tarvex_providers_contracts_data_type_get_type(), G_PARAM_READABLE},
  };
  for (auto& p : props) {
    auto* klass = static_cast<GObjectClass*>(g_type_class_ref(p.type));
    GParamSpec* spec = g_object_class_find_property(klass, p.property);
    ASSERT_NE(spec, nullptr) << g_type_name(p.type) << " " << p.property;
    EXPECT_EQ(spec->owner_type, p.type) << g_type_name(p.type) << " " << p.property;
    EXPECT_EQ(spec->param_id, p.id) << g_type_name(p.type) << " " << p.property;
    EXPECT_EQ(spec->value_type, p.value_type) << p.property;
    EXPECT_EQ(spec->flags & G_PARAM_READWRITE, p.flags) << p.property;
    EXPECT_STREQ(g_param_spec_get_nick(spec), p.property);
    EXPECT_STREQ(g_param_spec_get_blurb(spec), p.property);
    if (g_str_equal(p.property, "itsvalue")) {
      EXPECT_EQ(G_PARAM_SPEC_STRING(spec)->default_value, nullptr);
    }
    g_type_class_unref(klass);
  }

  // initialize is the class's own slot, after the seven value virtuals.
  EXPECT_EQ(G_STRUCT_OFFSET(TarvexProvidersContractsValueEnumClass, initialize),
            glong(sizeof(TarvexProvidersContractsValueObjectClass)));
}

TEST_F(EnumValueTest, TextKindGenericFormAndDump) {
  const char* texts[] = {"small", "a,b", "", "x y,\"z\"", "ünïcode"};
  for (auto& k : kKinds) {
    for (const char* t : texts) {
      auto v = adoptGRef(k.make(t));
      ASSERT_TRUE(v);
      EXPECT_EQ(G_OBJECT_TYPE(v.get()), k.get_type());
      EXPECT_EQ(value_text(v.get()), t);
      EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(v.get()), k.name);
      EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(v.get()), k.data_type);
      EXPECT_FALSE(tarvex_providers_contracts_value_object_get_is_null(v.get()));
      EXPECT_STREQ(tarvex_providers_contracts_value_enum_get_itsvalue(as_enum(v.get())), t);

      GValue gv = G_VALUE_INIT;
      tarvex_providers_contracts_ivalue_to_value(
          reinterpret_cast<TarvexProvidersContractsIValue*>(v.get()), &gv);
      ASSERT_TRUE(G_VALUE_HOLDS_STRING(&gv));
      EXPECT_STREQ(g_value_get_string(&gv), t);
      g_value_unset(&gv);

      GUniqueStr dump(tarvex_providers_contracts_value_object_dump(v.get()));
      EXPECT_EQ(std::string(dump.get()), std::string(k.type_name) + " => " + t);

      gchar* name = nullptr;
      gint kind = 0;
      g_object_get(v.get(), "name", &name, "data-type", &kind, nullptr);
      EXPECT_STREQ(name, k.name);
      EXPECT_EQ(kind, gint(k.data_type));
      g_free(name);
    }
  }

  // The value keeps its own copy of the text.
  gchar* text = g_strdup("red");
  auto v = adoptGRef(tarvex_providers_contracts_value_enum_new(text));
  text[0] = 'b';
  g_free(text);
  EXPECT_EQ(value_text(v.get()), "red");
}

TEST_F(EnumValueTest, InitializeAppendsMembersInOrder) {
  auto v = adoptGRef(tarvex_providers_contracts_value_set_new("a,b"));
  auto* e = as_enum(v.get());
  EXPECT_TRUE(members_of(e).empty());

  gchar* first[] = {const_cast<gchar*>("a"), const_cast<gchar*>("b"), const_cast<gchar*>("c")};
  gchar* second[] = {const_cast<gchar*>("d"), const_cast<gchar*>("e")};
  tarvex_providers_contracts_value_enum_initialize(e, first, 3);
  tarvex_providers_contracts_value_enum_initialize(e, second, 2);
  std::vector<std::string> five = {"a", "b", "c", "d", "e"};
  EXPECT_EQ(members_of(e), five);

  tarvex_providers_contracts_value_enum_initialize(e, first, 0);
  tarvex_providers_contracts_value_enum_initialize(e, first, -1);
  tarvex_providers_contracts_value_enum_initialize(e, nullptr, 0);
  EXPECT_EQ(members_of(e), five);

  // The members are copies.
  gchar* owned[] = {g_strdup("x")};
  tarvex_providers_contracts_value_enum_initialize(e, owned, 1);
  g_free(owned[0]);
  EXPECT_EQ(members_of(e).back(), "x");
}

// A subclass may replace initialize; the public call goes through the slot.
struct CountingEnum {
  TarvexProvidersContractsValueEnum parent;
};
struct CountingEnumClass {
  TarvexProvidersContractsValueEnumClass parent_class;
};
int counting_calls = 0;
void counting_initialize(TarvexProvidersContractsValueEnum*, gchar**, gint length) {
  counting_calls += length;
}
void counting_class_init(gpointer klass, gpointer) {
  static_cast<TarvexProvidersContractsValueEnumClass*>(klass)->initialize = counting_initialize;
}
GType counting_enum_get_type() {
  static GType type = g_type_register_static_simple(
      tarvex_providers_contracts_value_enum_get_type(), "TestCountingEnum",
      sizeof(CountingEnumClass), counting_class_init, sizeof(CountingEnum), nullptr, GTypeFlags(0));
  return type;
}

TEST_F(EnumValueTest, InitializeCallsTheVirtual) {
  auto v =
      adoptGRef(tarvex_providers_contracts_value_enum_construct(counting_enum_get_type(), "one"));
  ASSERT_TRUE(v);
  EXPECT_EQ(G_OBJECT_TYPE(v.get()), counting_enum_get_type());
  gchar* members[] = {const_cast<gchar*>("one"), const_cast<gchar*>("two")};
  counting_calls = 0;
  tarvex_providers_contracts_value_enum_initialize(v.get(), members, 2);
  EXPECT_EQ(counting_calls, 2);
  EXPECT_TRUE(members_of(v.get()).empty());
  EXPECT_EQ(value_text(v.get()), "one");
}

TEST_F(EnumValueTest, CloneKeepsClassTextAndMembers) {
  for (auto& k : kKinds) {
    auto v = adoptGRef(k.make("a,b"));
    gchar* members[] = {const_cast<gchar*>("a"), const_cast<gchar*>("b")};
    tarvex_providers_contracts_value_enum_initialize(as_enum(v.get()), members, 2);

    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(v.get()));
    ASSERT_TRUE(copy) << k.name;
    EXPECT_NE(copy.get(), v.get());
    EXPECT_EQ(G_OBJECT_TYPE(copy.get()), k.get_type());
    EXPECT_EQ(value_text(copy.get()), "a,b");
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(copy.get()), k.name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(copy.get()), k.data_type);
    EXPECT_EQ(members_of(copy.get()), (std::vector<std::string>{"a", "b"}));

    // Independent of its source.
    tarvex_providers_contracts_value_enum_set_itsvalue(as_enum(copy.get()), "c");
    gchar* more[] = {const_cast<gchar*>("c")};
    tarvex_providers_contracts_value_enum_initialize(as_enum(copy.get()), more, 1);
    EXPECT_EQ(value_text(v.get()), "a,b");
    EXPECT_EQ(members_of(v.get()).size(), 2u);
  }
}

// Clearing the text leaves a value that still prints (as the empty text) and
// still clones, so a cloned row never holds a hole.
TEST_F(EnumValueTest, ClearedText) {
  for (auto& k : kKinds) {
    auto v = adoptGRef(k.make("x"));
    tarvex_providers_contracts_value_enum_set_itsvalue(as_enum(v.get()), nullptr);
    EXPECT_EQ(tarvex_providers_contracts_value_enum_get_itsvalue(as_enum(v.get())), nullptr);
    EXPECT_EQ(value_text(v.get()), "");
    GValue gv = G_VALUE_INIT;
    tarvex_providers_contracts_value_object_to_value(v.get(), &gv);
    EXPECT_TRUE(G_VALUE_HOLDS_STRING(&gv));
    EXPECT_EQ(g_value_get_string(&gv), nullptr);
    g_value_unset(&gv);

    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(v.get()));
    ASSERT_TRUE(copy) << k.name;
    EXPECT_EQ(G_OBJECT_TYPE(copy.get()), k.get_type());
    EXPECT_EQ(tarvex_providers_contracts_value_enum_get_itsvalue(as_enum(copy.get())), nullptr);
  }
}

void count_notify(GObject*, GParamSpec* pspec, gpointer data) {
  if (g_str_equal(pspec->name, "itsvalue")) ++*static_cast<int*>(data);
}

TEST_F(EnumValueTest, ItsvalueAccessorsNotifyOnEveryStore) {
  auto e = adoptGRef(tarvex_providers_contracts_value_enum_new("a"));
  auto f = adoptGRef(tarvex_providers_contracts_value_flags_new("b"));
  auto s = adoptGRef(tarvex_providers_contracts_value_set_new("c"));
  int notified = 0;
  for (gpointer v : {static_cast<gpointer>(e.get()), static_cast<gpointer>(f.get()),
                     static_cast<gpointer>(s.get())})
    g_signal_connect(v, "notify", G_CALLBACK(count_notify), &notified);

  tarvex_providers_contracts_value_enum_set_itsvalue(e.get(), "a");  // unchanged, still notifies
  EXPECT_EQ(notified, 1);
  tarvex_providers_contracts_value_enum_set_itsvalue(
      e.get(), tarvex_providers_contracts_value_enum_get_itsvalue(e.get()));  // its own text
  EXPECT_EQ(value_text(e.get()), "a");
  EXPECT_EQ(notified, 2);

  tarvex_providers_contracts_value_flags_set_itsvalue(f.get(), "READ|WRITE");
  EXPECT_STREQ(tarvex_providers_contracts_value_flags_get_itsvalue(f.get()), "READ|WRITE");
  EXPECT_EQ(notified, 3);
  tarvex_providers_contracts_value_set_set_itsvalue(s.get(), "x,y");
  EXPECT_STREQ(tarvex_providers_contracts_value_set_get_itsvalue(s.get()), "x,y");
  EXPECT_EQ(notified, 4);

  g_object_set(s.get(), "itsvalue", "z", nullptr);
  EXPECT_EQ(notified, 5);
  gchar* read = nullptr;
  g_object_get(s.get(), "itsvalue", &read, nullptr);
  EXPECT_STREQ(read, "z");
  g_free(read);
  EXPECT_EQ(value_text(s.get()), "z");
}

TEST_F(EnumValueTest, RefusedArguments) {
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_enum_new(nullptr), nullptr),
                  "enum_value != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_flags_new(nullptr), nullptr),
                  "flag_value != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_set_new(nullptr), nullptr),
                  "set_value != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_enum_construct(
                                tarvex_providers_contracts_value_enum_get_type(), nullptr),
                            nullptr),
                  "enum_value != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_enum_get_itsvalue(nullptr), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_enum_set_itsvalue(nullptr, "a"), "self != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_flags_get_itsvalue(nullptr), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_set_set_itsvalue(nullptr, "a"), "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_enum_initialize(nullptr, nullptr, 0),
                  "self != NULL");
  gint length = 7;
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_value_enum_get_members(nullptr, &length), nullptr),
      "self != NULL");
  EXPECT_EQ(length, 0);

  auto v = adoptGRef(tarvex_providers_contracts_value_enum_new("a"));
  EXPECT_CRITICAL(tarvex_providers_contracts_value_enum_initialize(v.get(), nullptr, 2),
                  "members != NULL");
  EXPECT_TRUE(members_of(v.get()).empty());
}

TEST_F(EnumValueTest, FinalizeReleasesTheValue) {
  auto* v = tarvex_providers_contracts_value_set_new("a,b");
  gchar* members[] = {const_cast<gchar*>("a"), const_cast<gchar*>("b")};
  tarvex_providers_contracts_value_enum_initialize(as_enum(v), members, 2);
  gpointer watch = v;
  g_object_add_weak_pointer(G_OBJECT(v), &watch);
  g_object_unref(v);
  EXPECT_EQ(watch, nullptr);
}

}  // namespace
