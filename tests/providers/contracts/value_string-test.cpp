// The text values: ValueString and its kinds, ValueUtf16, and the
// asynchronous loading and saving of a ValueString.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "providers/contracts/table-cells-private.h"
#include "providers/contracts/value-text-private.h"
#include "providers/fenrow.h"
#include "tests/providers/contracts/value-file-test.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

using Value = TarvexProvidersContractsValueObject;
using String = TarvexProvidersContractsValueString;
using Utf16 = TarvexProvidersContractsValueUtf16;

Value* as_value(gpointer p) {
  return static_cast<Value*>(p);
}
String* as_string(gpointer p) {
  return static_cast<String*>(p);
}

using tarvex::test::value_text;

int count_notifies(gpointer object, const char* property, const std::function<void()>& action) {
  int count = 0;
  GUniqueStr signal(g_strdup_printf("notify::%s", property));
  gulong id =
      g_signal_connect_swapped(object, signal.get(), G_CALLBACK(+[](int* n) { ++*n; }), &count);
  action();
  g_signal_handler_disconnect(object, id);
  return count;
}

class TextValueTest : public tarvex::test::LogCaptureTest {};

TEST_F(TextValueTest, KindsNamesAndProperties) {
  struct {
    GRef<Value> value;
    const char* type_name;
    const char* name;
    TarvexProvidersContractsDataType kind;
  } cases[] = {
      {adoptGRef(as_value(tarvex_providers_contracts_value_string_new("abc"))),
       "TarvexProvidersContractsValueString", "string",
       TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING},
      {adoptGRef(as_value(tarvex_providers_contracts_value_xml_new("abc"))),
       "TarvexProvidersContractsValueXml", "xml", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML},
      {adoptGRef(as_value(tarvex_providers_contracts_value_json_new("abc"))),
       "TarvexProvidersContractsValueJson", "json", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_JSON},
      {adoptGRef(as_value(tarvex_providers_contracts_value_uuid_new_uuid("abc"))),
       "TarvexProvidersContractsValueUuid", "uuid", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID},
      {adoptGRef(as_value(tarvex_providers_contracts_value_utf16_new_string("abc"))),
       "TarvexProvidersContractsValueUtf16", "wstring",
       TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.type_name);
    Value* v = c.value.get();
    EXPECT_STREQ(G_OBJECT_TYPE_NAME(v), c.type_name);
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(v), c.name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(v), c.kind);
    EXPECT_FALSE(tarvex_providers_contracts_value_object_get_is_null(v));
    auto* iv = reinterpret_cast<TarvexProvidersContractsIValue*>(v);
    EXPECT_STREQ(tarvex_providers_contracts_ivalue_get_name(iv), c.name);
    EXPECT_EQ(value_text(v), "abc");

    gchar* name = nullptr;
    gint kind = 0;
    g_object_get(v, "name", &name, "data-type", &kind, nullptr);
    EXPECT_STREQ(name, c.name);
    EXPECT_EQ(kind, c.kind);
    g_free(name);

    GValue gv = G_VALUE_INIT;
    tarvex_providers_contracts_value_object_to_value(v, &gv);
    ASSERT_TRUE(G_VALUE_HOLDS_STRING(&gv));
    EXPECT_STREQ(g_value_get_string(&gv), "abc");
    g_value_unset(&gv);

    GUniqueStr dump(tarvex_providers_contracts_value_object_dump(v));
    EXPECT_EQ(std::string(dump.get()), std::string(c.type_name) + " => abc");
  }

  // The kinds are ValueStrings; ValueUtf16 is not.
  EXPECT_TRUE(g_type_is_a(tarvex_providers_contracts_value_uuid_get_type(),
                          tarvex_providers_contracts_value_string_get_type()));
  EXPECT_FALSE(g_type_is_a(tarvex_providers_contracts_value_utf16_get_type(),
                           tarvex_providers_contracts_value_string_get_type()));
  auto* pspec = g_object_class_find_property(
      G_OBJECT_CLASS(g_type_class_peek(tarvex_providers_contracts_value_xml_get_type())),
      "itsvalue");
  ASSERT_NE(pspec, nullptr);
  EXPECT_EQ(pspec->owner_type, tarvex_providers_contracts_value_string_get_type());
  EXPECT_EQ(pspec->flags & G_PARAM_READWRITE, G_PARAM_READWRITE);
  EXPECT_EQ(G_PARAM_SPEC_STRING(pspec)->default_value, nullptr);
}

TEST_F(TextValueTest, StringHoldsACopyAndNotifiesEverySet) {
  char source[] = "hello";
  auto value = adoptGRef(tarvex_providers_contracts_value_string_new(source));
  source[0] = 'j';
  EXPECT_STREQ(tarvex_providers_contracts_value_string_get_itsvalue(value.get()), "hello");
  // The getter lends the held text.
  EXPECT_EQ(tarvex_providers_contracts_value_string_get_itsvalue(value.get()),
            tarvex_providers_contracts_value_string_get_itsvalue(value.get()));

  EXPECT_EQ(
      count_notifies(
          value.get(), "itsvalue",
          [&] { tarvex_providers_contracts_value_string_set_itsvalue(value.get(), "world"); }),
      1);
  EXPECT_EQ(
      count_notifies(
          value.get(), "itsvalue",
          [&] { tarvex_providers_contracts_value_string_set_itsvalue(value.get(), "world"); }),
      1);
  EXPECT_EQ(count_notifies(value.get(), "itsvalue",
                           [&] { g_object_set(value.get(), "itsvalue", "prop", nullptr); }),
            1);
  gchar* held = nullptr;
  g_object_get(value.get(), "itsvalue", &held, nullptr);
  EXPECT_STREQ(held, "prop");
  g_free(held);

  // Storing the held text itself keeps it.
  tarvex_providers_contracts_value_string_set_itsvalue(
      value.get(), tarvex_providers_contracts_value_string_get_itsvalue(value.get()));
  EXPECT_EQ(value_text(value.get()), "prop");

  // The kinds inherit the accessor and its notification.
  auto xml = adoptGRef(tarvex_providers_contracts_value_xml_new("<a/>"));
  EXPECT_EQ(count_notifies(xml.get(), "itsvalue",
                           [&] { g_object_set(xml.get(), "itsvalue", "<b/>", nullptr); }),
            1);
  EXPECT_EQ(value_text(xml.get()), "<b/>");

  // A plain construct holds the empty text; no text is validated.
  auto plain =
      adoptGRef(G_OBJECT(g_object_new(tarvex_providers_contracts_value_json_get_type(), nullptr)));
  EXPECT_STREQ(tarvex_providers_contracts_value_string_get_itsvalue(as_string(plain.get())), "");
  auto json = adoptGRef(tarvex_providers_contracts_value_json_new("{not json"));
  EXPECT_EQ(value_text(json.get()), "{not json");
}

TEST_F(TextValueTest, ClonesAreIndependentAndKeepTheirClass) {
  GRef<Value> originals[] = {
      adoptGRef(as_value(tarvex_providers_contracts_value_string_new("one"))),
      adoptGRef(as_value(tarvex_providers_contracts_value_xml_new("<one/>"))),
      adoptGRef(as_value(tarvex_providers_contracts_value_json_new("[1]"))),
      adoptGRef(as_value(tarvex_providers_contracts_value_uuid_new())),
  };
  for (auto& original : originals) {
    SCOPED_TRACE(G_OBJECT_TYPE_NAME(original.get()));
    std::string before = value_text(original.get());
    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(original.get()));
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), original.get());
    EXPECT_EQ(G_OBJECT_TYPE(copy.get()), G_OBJECT_TYPE(original.get()));
    EXPECT_EQ(value_text(copy.get()), before);
    tarvex_providers_contracts_value_string_set_itsvalue(as_string(original.get()), "changed");
    EXPECT_EQ(value_text(copy.get()), before);
  }
}

TEST_F(TextValueTest, CloneOfAnAbsentTextIsRefused) {
  struct {
    GRef<Value> value;
    const char* needle;
  } cases[] = {
      {adoptGRef(as_value(tarvex_providers_contracts_value_string_new("x"))), "text != NULL"},
      {adoptGRef(as_value(tarvex_providers_contracts_value_xml_new("x"))), "text != NULL"},
      {adoptGRef(as_value(tarvex_providers_contracts_value_json_new("x"))), "text != NULL"},
      {adoptGRef(as_value(tarvex_providers_contracts_value_uuid_new())), "uuid != NULL"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(G_OBJECT_TYPE_NAME(c.value.get()));
    tarvex_providers_contracts_value_string_set_itsvalue(as_string(c.value.get()), nullptr);
    EXPECT_EQ(tarvex_providers_contracts_value_string_get_itsvalue(as_string(c.value.get())),
              nullptr);
    Value* copy = nullptr;
    EXPECT_CRITICAL(copy = tarvex_providers_contracts_value_object_clone(c.value.get()), c.needle);
    EXPECT_EQ(copy, nullptr);
  }
}

// A text that holds U+0000 (a table's appended text makes such a value)
// stays whole in its value and every copy of it, while the C API's view of
// it ends at its first zero byte.
TEST_F(TextValueTest, TextsHoldingU0000StayWhole) {
  using namespace std::string_literals;
  const std::string emoji = "\xF0\x9F\x98\x80";
  const std::vector<std::string> texts = {
      "\0ab"s, "a\0b"s, "ab\0"s, "\0"s, "\0\0"s, emoji + "\0"s + emoji, ""s, "plain"s};
  std::vector<TarvexProvidersContractsDataType> kinds(texts.size(),
                                                      TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING);
  auto table = adoptGRef(
      tarvex_providers_contracts_table_model_new_with_types(kinds.data(), gint(kinds.size())));
  const auto* cells = tarvex::models::table_cells_of(table.get());
  ASSERT_NE(cells, nullptr);
  std::vector<const char*> data;
  std::vector<gsize> lengths;
  for (const auto& t : texts) {
    data.push_back(t.data());
    lengths.push_back(t.size());
  }
  cells->append_texts(G_OBJECT(table.get()), data.data(), lengths.data(), guint(texts.size()));
  for (size_t i = 0; i < texts.size(); ++i) {
    const std::string& text = texts[i];
    SCOPED_TRACE(testing::PrintToString(text));
    auto value =
        adoptGRef(tarvex_providers_contracts_table_model_get_value_at(table.get(), gint(i), 0));
    ASSERT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_STRING(value.get()));
    std::string whole;
    EXPECT_TRUE(tarvex::values::value_text(value.get(), whole));
    EXPECT_EQ(whole, text);
    // What a C caller sees: up to the first U+0000.
    EXPECT_EQ(value_text(value.get()), std::string(text.c_str()));
    EXPECT_STREQ(tarvex_providers_contracts_value_string_get_itsvalue(as_string(value.get())),
                 text.c_str());
    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(value.get()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(G_OBJECT_TYPE(copy.get()), G_OBJECT_TYPE(value.get()));
    std::string copied;
    EXPECT_TRUE(tarvex::values::value_text(copy.get(), copied));
    EXPECT_EQ(copied, text);
    const auto* iface = tarvex::values::value_text_of(value.get());
    ASSERT_NE(iface, nullptr);
    gsize length = 99;
    const char* peeked = iface->peek(value.get(), &length);
    ASSERT_NE(peeked, nullptr);
    EXPECT_EQ(std::string(peeked, length), text);
    // A text set through the C API is a C string again.
    tarvex_providers_contracts_value_string_set_itsvalue(as_string(value.get()), "x");
    EXPECT_TRUE(tarvex::values::value_text(value.get(), whole));
    EXPECT_EQ(whole, "x");
  }
}

// An absent text has no whole text either; values of other kinds give
// their printed text.
TEST_F(TextValueTest, WholeTextOfAbsentTextsAndOtherKinds) {
  auto absent = adoptGRef(as_value(tarvex_providers_contracts_value_string_new("x")));
  tarvex_providers_contracts_value_string_set_itsvalue(as_string(absent.get()), nullptr);
  std::string whole = "left over";
  EXPECT_FALSE(tarvex::values::value_text(absent.get(), whole));
  EXPECT_EQ(whole, "");
  gsize length = 99;
  EXPECT_EQ(tarvex::values::value_text_of(absent.get())->peek(absent.get(), &length), nullptr);
  auto number = adoptGRef(as_value(tarvex_providers_contracts_value_int32_new(-7)));
  EXPECT_EQ(tarvex::values::value_text_of(number.get()), nullptr);
  EXPECT_TRUE(tarvex::values::value_text(number.get(), whole));
  EXPECT_EQ(whole, "-7");
  EXPECT_FALSE(tarvex::values::value_text(nullptr, whole));
}

// A buffer given through the C API ends at its first zero unit.
TEST_F(TextValueTest, Utf16BufferOfTheCApiEndsAtItsFirstZero) {
  gunichar2 units[] = {'a', 0, 'b', 0};
  auto value = adoptGRef(tarvex_providers_contracts_value_utf16_new(
      static_cast<gunichar2*>(g_memdup2(units, sizeof units))));
  std::string whole;
  EXPECT_TRUE(tarvex::values::value_text(as_value(value.get()), whole));
  EXPECT_EQ(whole, "a");
  auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(value.get())));
  EXPECT_TRUE(tarvex::values::value_text(copy.get(), whole));
  EXPECT_EQ(whole, "a");
}

TEST_F(TextValueTest, RandomUuidText) {
  auto first = adoptGRef(tarvex_providers_contracts_value_uuid_new());
  auto second = adoptGRef(tarvex_providers_contracts_value_uuid_new());
  std::string text = tarvex_providers_contracts_value_string_get_itsvalue(as_string(first.get()));
  ASSERT_EQ(text.size(), 36u);
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == 8 || i == 13 || i == 18 || i == 23)
      EXPECT_EQ(text[i], '-') << i;
    else
      EXPECT_TRUE(g_ascii_isxdigit(text[i]) && !g_ascii_isupper(text[i])) << text;
  }
  EXPECT_EQ(text[14], '4') << "version 4";
  EXPECT_TRUE(g_uuid_string_is_valid(text.c_str()));
  EXPECT_NE(text, tarvex_providers_contracts_value_string_get_itsvalue(as_string(second.get())));

  // A given text is kept as it is, valid or not.
  auto given = adoptGRef(tarvex_providers_contracts_value_uuid_new_uuid("NOT-A-UUID"));
  EXPECT_EQ(value_text(given.get()), "NOT-A-UUID");
}

TEST_F(TextValueTest, Preconditions) {
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_string_new(nullptr), nullptr),
                  "text != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_xml_new(nullptr), nullptr),
                  "text != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_json_new(nullptr), nullptr),
                  "text != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_uuid_new_uuid(nullptr), nullptr),
                  "uuid != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_utf16_new(nullptr), nullptr),
                  "text != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_utf16_new_string(nullptr), nullptr),
                  "text != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_string_get_itsvalue(nullptr), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_string_set_itsvalue(nullptr, "x"),
                  "self != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_utf16_get_itsvalue(nullptr), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_utf16_set_itsvalue(nullptr, nullptr),
                  "self != NULL");
}

// ---------------------------------------------------------------- ValueUtf16

TEST_F(TextValueTest, Utf16RoundTripsEveryPlane) {
  const char* texts[] = {"", "plain", "Grüße, Ελλάδα", "clef \U0001D11E and smile \U0001F600"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    auto value = adoptGRef(tarvex_providers_contracts_value_utf16_new_string(text));
    ASSERT_NE(tarvex_providers_contracts_value_utf16_get_itsvalue(value.get()), nullptr);
    EXPECT_EQ(value_text(value.get()), text);
    GValue gv = G_VALUE_INIT;
    tarvex_providers_contracts_value_object_to_value(as_value(value.get()), &gv);
    EXPECT_STREQ(g_value_get_string(&gv), text);
    g_value_unset(&gv);
    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(value.get())));
    EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_UTF16(copy.get()));
    EXPECT_NE(
        tarvex_providers_contracts_value_utf16_get_itsvalue(reinterpret_cast<Utf16*>(copy.get())),
        tarvex_providers_contracts_value_utf16_get_itsvalue(value.get()));
    EXPECT_EQ(value_text(copy.get()), text);
  }
  // Surrogate pairs: the G clef is two code units.
  auto clef = adoptGRef(tarvex_providers_contracts_value_utf16_new_string("\U0001D11E"));
  const gunichar2* units = tarvex_providers_contracts_value_utf16_get_itsvalue(clef.get());
  EXPECT_EQ(units[0], 0xD834);
  EXPECT_EQ(units[1], 0xDD1E);
  EXPECT_EQ(units[2], 0);
}

TEST_F(TextValueTest, Utf16TakesTheBufferItIsGiven) {
  auto* buffer = g_utf8_to_utf16("owned", -1, nullptr, nullptr, nullptr);
  auto value = adoptGRef(tarvex_providers_contracts_value_utf16_new(buffer));
  EXPECT_EQ(tarvex_providers_contracts_value_utf16_get_itsvalue(value.get()), buffer);
  EXPECT_EQ(value_text(value.get()), "owned");

  auto* next = g_utf8_to_utf16("next", -1, nullptr, nullptr, nullptr);
  EXPECT_EQ(count_notifies(
                value.get(), "itsvalue",
                [&] { tarvex_providers_contracts_value_utf16_set_itsvalue(value.get(), next); }),
            1);
  EXPECT_EQ(value_text(value.get()), "next");
  // The held buffer stored again stays alive.
  tarvex_providers_contracts_value_utf16_set_itsvalue(value.get(), next);
  EXPECT_EQ(value_text(value.get()), "next");

  auto* by_property = g_utf8_to_utf16("prop", -1, nullptr, nullptr, nullptr);
  g_object_set(value.get(), "itsvalue", by_property, nullptr);
  gpointer held = nullptr;
  g_object_get(value.get(), "itsvalue", &held, nullptr);
  EXPECT_EQ(held, by_property);
  EXPECT_EQ(value_text(value.get()), "prop");
}

TEST_F(TextValueTest, Utf16WithoutValidText) {
  // An unpaired high surrogate converts to no text, but a clone keeps the units.
  auto* broken = static_cast<gunichar2*>(g_malloc(3 * sizeof(gunichar2)));
  broken[0] = 'a';
  broken[1] = 0xD800;
  broken[2] = 0;
  auto value = adoptGRef(tarvex_providers_contracts_value_utf16_new(broken));
  EXPECT_EQ(value_text(value.get()), "(null)");
  auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(value.get())));
  ASSERT_TRUE(copy);
  const gunichar2* units =
      tarvex_providers_contracts_value_utf16_get_itsvalue(reinterpret_cast<Utf16*>(copy.get()));
  ASSERT_NE(units, nullptr);
  EXPECT_EQ(units[0], 'a');
  EXPECT_EQ(units[1], 0xD800);
  EXPECT_EQ(units[2], 0);

  // Text that is not UTF-8 makes a value without a buffer, silently.
  auto no_buffer = adoptGRef(tarvex_providers_contracts_value_utf16_new_string("bad \xFF byte"));
  EXPECT_EQ(tarvex_providers_contracts_value_utf16_get_itsvalue(no_buffer.get()), nullptr);
  std::string text;
  EXPECT_CRITICAL(text = value_text(no_buffer.get()), "text != NULL");
  EXPECT_EQ(text, "(null)");
  auto empty_copy =
      adoptGRef(tarvex_providers_contracts_value_object_clone(as_value(no_buffer.get())));
  ASSERT_TRUE(empty_copy);
  EXPECT_EQ(tarvex_providers_contracts_value_utf16_get_itsvalue(
                reinterpret_cast<Utf16*>(empty_copy.get())),
            nullptr);
}

// ------------------------------------------------------------ load and save

class TextFileTest : public tarvex::test::FileValueTest {
 protected:
  GRef<GAsyncResult> load(String* value, const std::string& file) {
    return run([&](GAsyncReadyCallback cb, gpointer data) {
      tarvex_providers_contracts_value_string_load(value, file.c_str(), cb, data);
    });
  }
  GRef<GAsyncResult> save(String* value, const std::string& file) {
    return run([&](GAsyncReadyCallback cb, gpointer data) {
      tarvex_providers_contracts_value_string_save(value, file.c_str(), cb, data);
    });
  }
};

TEST_F(TextFileTest, LoadEndsEveryLineWithALineFeed) {
  std::string long_line(3000, 'x');
  struct {
    std::string content;
    std::string text;
  } cases[] = {
      {"a\nb", "a\nb\n"},
      {"\n", "\n"},
      {"", ""},
      {"a\nb\n", "a\nb\n"},
      {"\n\n", "\n\n"},
      {"dos\r\nline", "dos\r\nline\n"},
      {"Grüße\n", "Grüße\n"},
      {long_line + "\n" + long_line, long_line + "\n" + long_line + "\n"},
  };
  int n = 0;
  for (auto& c : cases) {
    SCOPED_TRACE(n);
    std::string file = path(("in" + std::to_string(n++)).c_str());
    tarvex::test::write_file(file, c.content);
    auto value = adoptGRef(tarvex_providers_contracts_value_string_new("old"));
    auto result = load(value.get(), file);
    GError* error = nullptr;
    tarvex_providers_contracts_value_string_load_finish(value.get(), result.get(), &error);
    EXPECT_EQ(error, nullptr);
    g_clear_error(&error);
    EXPECT_EQ(std::string(tarvex_providers_contracts_value_string_get_itsvalue(value.get())),
              c.text);
  }
}

TEST_F(TextFileTest, LoadStoresWithoutNotification) {
  std::string file = path("quiet.txt");
  tarvex::test::write_file(file, "quiet");
  auto value = adoptGRef(tarvex_providers_contracts_value_string_new("old"));
  EXPECT_EQ(count_notifies(value.get(), "itsvalue",
                           [&] {
                             auto result = load(value.get(), file);
                             tarvex_providers_contracts_value_string_load_finish(
                                 value.get(), result.get(), nullptr);
                           }),
            0);
  EXPECT_EQ(value_text(value.get()), "quiet\n");
}

TEST_F(TextFileTest, LoadFailuresKeepTheText) {
  auto value = adoptGRef(tarvex_providers_contracts_value_xml_new("<kept/>"));
  auto* as_str = as_string(value.get());

  // A missing file is no error.
  auto result = load(as_str, path("missing.txt"));
  GError* error = nullptr;
  tarvex_providers_contracts_value_string_load_finish(as_str, result.get(), &error);
  EXPECT_EQ(error, nullptr);
  EXPECT_EQ(value_text(value.get()), "<kept/>");

  // A folder cannot be read as a file.
  result = load(as_str, folder_);
  tarvex_providers_contracts_value_string_load_finish(as_str, result.get(), &error);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->domain, G_IO_ERROR);
  g_clear_error(&error);
  EXPECT_EQ(value_text(value.get()), "<kept/>");
}

TEST_F(TextFileTest, SaveWritesPiecesOfAtMost1024Bytes) {
  struct {
    size_t size;
    std::vector<gsize> writes;
  } cases[] = {
      {2500, {1024, 1024, 452}},
      {1024, {1024}},
      {1025, {1024, 1}},
      {0, {}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.size);
    std::string text(c.size, 'a');
    for (size_t i = 0; i < text.size(); ++i) text[i] = char('a' + i % 26);
    auto value = adoptGRef(tarvex_providers_contracts_value_string_new(text.c_str()));
    std::string file = path(("out" + std::to_string(c.size)).c_str());
    tarvex::test::WriteRecorder recorder;
    auto result = save(value.get(), file);
    GError* error = nullptr;
    tarvex_providers_contracts_value_string_save_finish(value.get(), result.get(), &error);
    EXPECT_EQ(error, nullptr);
    g_clear_error(&error);
    EXPECT_EQ(recorder.counts(), c.writes);
    EXPECT_EQ(tarvex::test::read_file(file), text);
  }
}

TEST_F(TextFileTest, SaveReplacesTheWholeFileAndLoadReadsItBack) {
  std::string file = path("round.txt");
  tarvex::test::write_file(file, std::string(5000, 'z'));
  auto value = adoptGRef(tarvex_providers_contracts_value_string_new("first\nGrüße \U0001F600"));
  auto result = save(value.get(), file);
  tarvex_providers_contracts_value_string_save_finish(value.get(), result.get(), nullptr);
  EXPECT_EQ(tarvex::test::read_file(file), "first\nGrüße \U0001F600");
  EXPECT_EQ(tarvex::test::list_folder(folder_), std::vector<std::string>{"round.txt"});

  auto back = adoptGRef(tarvex_providers_contracts_value_string_new(""));
  result = load(back.get(), file);
  tarvex_providers_contracts_value_string_load_finish(back.get(), result.get(), nullptr);
  EXPECT_EQ(value_text(back.get()), "first\nGrüße \U0001F600\n");
}

TEST_F(TextFileTest, SaveFailuresReachTheFinish) {
  auto value = adoptGRef(tarvex_providers_contracts_value_string_new("text"));
  auto result = save(value.get(), path("no-such-folder/out.txt"));
  GError* error = nullptr;
  tarvex_providers_contracts_value_string_save_finish(value.get(), result.get(), &error);
  ASSERT_NE(error, nullptr);
  EXPECT_GERROR(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND);
  g_clear_error(&error);

  // A write that fails leaves the existing file as it was, with no
  // temporary file behind.
  std::string file = path("kept.txt");
  tarvex::test::write_file(file, "original");
  tarvex_providers_contracts_value_string_set_itsvalue(value.get(), std::string(3000, 'n').c_str());
  {
    tarvex::test::WriteRecorder recorder(1);
    result = save(value.get(), file);
    EXPECT_EQ(recorder.counts(), (std::vector<gsize>{1024, 1024}));
  }
  tarvex_providers_contracts_value_string_save_finish(value.get(), result.get(), &error);
  ASSERT_NE(error, nullptr);
  EXPECT_GERROR(error, G_IO_ERROR, G_IO_ERROR_NO_SPACE);
  g_clear_error(&error);
  EXPECT_EQ(tarvex::test::read_file(file), "original");
  EXPECT_EQ(tarvex::test::list_folder(folder_), std::vector<std::string>{"kept.txt"});
}

TEST_F(TextFileTest, OperationsHoldTheValueUntilTheyFinish) {
  std::string file = path("held.txt");
  tarvex::test::write_file(file, "held");
  auto* value = tarvex_providers_contracts_value_string_new("");
  gpointer watch = value;
  g_object_add_weak_pointer(G_OBJECT(value), &watch);
  struct Seen {
    std::string text;
    GMainLoop* loop;
  } seen{"", g_main_loop_new(context_, FALSE)};
  tarvex_providers_contracts_value_string_load(
      value, file.c_str(),
      [](GObject* source, GAsyncResult* res, gpointer data) {
        auto* s = static_cast<Seen*>(data);
        tarvex_providers_contracts_value_string_load_finish(as_string(source), res, nullptr);
        s->text = tarvex_providers_contracts_value_string_get_itsvalue(as_string(source));
        g_main_loop_quit(s->loop);
      },
      &seen);
  g_object_unref(value);
  EXPECT_NE(watch, nullptr);
  g_main_loop_run(seen.loop);
  g_main_loop_unref(seen.loop);
  drain();
  EXPECT_EQ(seen.text, "held\n");
  EXPECT_EQ(watch, nullptr);
}

TEST_F(TextFileTest, MissingArgumentsStartNothing) {
  auto value = adoptGRef(tarvex_providers_contracts_value_string_new("x"));
  bool called = false;
  auto callback = [](GObject*, GAsyncResult*, gpointer data) { *static_cast<bool*>(data) = true; };
  EXPECT_CRITICAL(tarvex_providers_contracts_value_string_load(nullptr, "f", callback, &called),
                  "self != NULL");
  EXPECT_CRITICAL(
      tarvex_providers_contracts_value_string_load(value.get(), nullptr, callback, &called),
      "filename != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_string_save(nullptr, "f", callback, &called),
                  "self != NULL");
  EXPECT_CRITICAL(
      tarvex_providers_contracts_value_string_save(value.get(), nullptr, callback, &called),
      "filename != NULL");
  drain();
  EXPECT_FALSE(called);
}

}  // namespace
