// String helper through tables of cases.
#include <gee.h>
#include <glib.h>

#include <string>
#include <vector>

#include "brevane/helpers/string_helper.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

namespace {

using Strings = std::vector<const char*>;

using tarvex::test::take;

gchar** arr(Strings& v) {
  return const_cast<gchar**>(v.data());
}
gint len(const Strings& v) {
  return static_cast<gint>(v.size());
}

std::vector<std::string> take_strv(gchar** v, gint n) {
  std::vector<std::string> out;
  for (gint i = 0; i < n; i++) out.emplace_back(v[i]);
  EXPECT_EQ(v[n], nullptr);
  g_strfreev(v);
  return out;
}

class StringHelperTest : public tarvex::test::LogCaptureTest {};

TEST_F(StringHelperTest, SearchArray) {
  struct Case {
    Strings haystack;
    const char* needle;
    bool cs;
    gint index;
  };
  const std::vector<Case> cases = {
      {{}, "abc", true, -1},
      {{"ABC"}, "abc", false, 0},
      {{"ABC"}, "abc", true, -1},
      {{"x", "abc", "abc"}, "abc", true, 1},
      {{"x", " abc"}, "abc", true, -1},
      // ASCII folding only: non-ASCII letters differ in case.
      {{"\xC3\x89T\xC3\x89"}, "\xC3\xA9t\xC3\xA9", false, -1},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.needle);
    EXPECT_EQ(tarvex_brevane_helpers_string_helper_search_array(arr(c.haystack), len(c.haystack),
                                                                c.needle, c.cs),
              c.index);
  }
  gint r = 7;
  Strings h = {"a"};
  EXPECT_CRITICAL(r = tarvex_brevane_helpers_string_helper_search_array(arr(h), 1, nullptr, TRUE),
                  "needle != NULL");
  EXPECT_EQ(r, 0);
}

TEST_F(StringHelperTest, PrefixAndSuffixSearches) {
  Strings types = {"nvarchar", "NCHAR", "varchar", "char", "Nvarchar(max)"};
  struct Case {
    const char* needle;
    bool cs;
    gint prefix, prefix_count, suffix, suffix_count;
  };
  const Case cases[] = {
      {"nvar", true, 0, 1, -1, 0}, {"nvar", false, 0, 2, -1, 0},  {"char", true, 3, 1, 0, 3},
      {"char", false, 3, 1, 0, 4}, {"(max)", false, -1, 0, 4, 1}, {"zzz", false, -1, 0, -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.needle) + (c.cs ? " cs" : " ci"));
    EXPECT_EQ(tarvex_brevane_helpers_string_helper_search_array_prefix(arr(types), len(types),
                                                                       c.needle, c.cs),
              c.prefix);
    EXPECT_EQ(tarvex_brevane_helpers_string_helper_search_array_prefix_count(arr(types), len(types),
                                                                             c.needle, c.cs),
              c.prefix_count);
    EXPECT_EQ(tarvex_brevane_helpers_string_helper_search_array_suffix(arr(types), len(types),
                                                                       c.needle, c.cs),
              c.suffix);
    EXPECT_EQ(tarvex_brevane_helpers_string_helper_search_array_suffix_count(arr(types), len(types),
                                                                             c.needle, c.cs),
              c.suffix_count);
  }
  Strings empty;
  EXPECT_EQ(
      tarvex_brevane_helpers_string_helper_search_array_prefix_count(arr(empty), 0, "a", TRUE), 0);
  EXPECT_EQ(
      tarvex_brevane_helpers_string_helper_search_array_suffix_count(arr(empty), 0, "a", TRUE), 0);
  // A negative length reads a NULL-terminated array.
  Strings terminated = {"alpha", "beta", nullptr};
  EXPECT_EQ(tarvex_brevane_helpers_string_helper_search_array(arr(terminated), -1, "beta", TRUE),
            1);
}

TEST_F(StringHelperTest, ContainsPrefixSuffixWithArray) {
  Strings needles = {"FROM", "where"};
  EXPECT_TRUE(tarvex_brevane_helpers_string_helper_contains_array("select a from b", arr(needles),
                                                                  2, FALSE));
  EXPECT_FALSE(tarvex_brevane_helpers_string_helper_contains_array("select a from b", arr(needles),
                                                                   2, TRUE));
  Strings none;
  EXPECT_FALSE(tarvex_brevane_helpers_string_helper_contains_array("abc", arr(none), 0, TRUE));
  EXPECT_FALSE(tarvex_brevane_helpers_string_helper_prefix_with_array("abc", arr(none), 0, TRUE));
  EXPECT_FALSE(tarvex_brevane_helpers_string_helper_suffix_with_array("abc", arr(none), 0, TRUE));

  Strings affixes = {"xx", "CREATE", "VIEW"};
  EXPECT_TRUE(tarvex_brevane_helpers_string_helper_prefix_with_array("create view v", arr(affixes),
                                                                     3, FALSE));
  EXPECT_FALSE(tarvex_brevane_helpers_string_helper_prefix_with_array("create view v", arr(affixes),
                                                                      3, TRUE));
  EXPECT_TRUE(
      tarvex_brevane_helpers_string_helper_suffix_with_array("my view", arr(affixes), 3, FALSE));
  EXPECT_FALSE(
      tarvex_brevane_helpers_string_helper_suffix_with_array("my view", arr(affixes), 3, TRUE));
  gboolean r = TRUE;
  EXPECT_CRITICAL(
      r = tarvex_brevane_helpers_string_helper_contains_array(nullptr, arr(affixes), 3, TRUE),
      "text != NULL");
  EXPECT_FALSE(r);
}

TEST_F(StringHelperTest, IndexWithArray) {
  struct Case {
    const char* text;
    Strings needles;
    bool cs;
    gint index;
  };
  const std::vector<Case> cases = {
      // The first needle in array order decides, not the earliest hit.
      {"select a from b", {"from", "select"}, true, 9},
      {"select a from b", {"FROM", "select"}, true, 0},
      {"select a from b", {"FROM", "select"}, false, 9},
      {"select a from b", {"where"}, false, -1},
      // Offsets are into the original text even when upper-casing changes
      // byte lengths ("ß" becomes "SS", "ŉ" becomes "ʼN").
      {"stra\xC3\x9F"
       "e from t",
       {"FROM"},
       false,
       8},
      {"\xC5\x89 x from t", {"from"}, false, 5},
      {"stra\xC3\x9F"
       "e from t",
       {"from"},
       true,
       8},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.text);
    gint index = tarvex_brevane_helpers_string_helper_index_with_array(c.text, arr(c.needles),
                                                                       len(c.needles), c.cs);
    EXPECT_EQ(index, c.index);
    if (index > 0) {
      EXPECT_EQ(g_ascii_strncasecmp(c.text + index, "from", 4), 0);
    }
  }
}

TEST_F(StringHelperTest, ReplaceArray) {
  struct Case {
    const char* plain;
    Strings olds, news;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"abc", {"a", "b"}, {"b", "c"}, "ccc"}, {"a.b.c", {"."}, {"\\1"}, "a\\1b\\1c"},
      {"aaa", {"aa"}, {"b"}, "ba"},           {"abc", {""}, {"x"}, "abc"},
      {"abc", {"b"}, {"b"}, "abc"},           {"", {"a"}, {"b"}, ""},
      {"[x]", {"[", "]"}, {"", ""}, "x"},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.plain);
    EXPECT_EQ(take(tarvex_brevane_helpers_string_helper_replace_array(
                  c.plain, arr(c.olds), len(c.olds), arr(c.news), len(c.news))),
              c.expected);
  }
  Strings olds = {"a", "b"}, news = {"x"};
  gchar* r = nullptr;
  EXPECT_CRITICAL(
      r = tarvex_brevane_helpers_string_helper_replace_array("abc", arr(olds), 2, arr(news), 1),
      "old_texts.length == new_texts.length");
  EXPECT_EQ(r, nullptr);
}

TEST_F(StringHelperTest, DiffArray) {
  Strings first = {" a", "b"};
  Strings second = {"a", "c", ""};
  gchar **both = nullptr, **only_first = nullptr, **only_second = nullptr;
  gint nb = -1, nf = -1, ns = -1;
  tarvex_brevane_helpers_string_helper_diff_array(arr(first), len(first), arr(second), len(second),
                                                  &both, &nb, &only_first, &nf, &only_second, &ns);
  EXPECT_EQ(take_strv(both, nb), std::vector<std::string>{});
  EXPECT_EQ(take_strv(only_first, nf), std::vector<std::string>{"b"});
  EXPECT_EQ(take_strv(only_second, ns), (std::vector<std::string>{"a", "c"}));

  // Duplicates stay; outputs not asked for are not handed out.
  Strings x = {"id", "name", "name"};
  Strings y = {" name\t", "id", "id", "extra"};
  tarvex_brevane_helpers_string_helper_diff_array(arr(x), len(x), arr(y), len(y), &both, &nb,
                                                  nullptr, nullptr, &only_second, &ns);
  EXPECT_EQ(take_strv(both, nb), (std::vector<std::string>{"name", "id", "id"}));
  EXPECT_EQ(take_strv(only_second, ns), std::vector<std::string>{"extra"});
}

TEST_F(StringHelperTest, TrimAndReplaceChars) {
  struct Case {
    const char* text;
    const char* chars;
    const char* replacement;  // nullptr: trim_chars
    const char* expected;
  };
  const Case cases[] = {
      {"--ab--", "-", nullptr, "ab"},        {"xx", "x", nullptr, ""},
      {"  a b  ", " ", nullptr, "a b"},      {"ab", "", nullptr, "ab"},  // no class: unchanged copy
      {"a\\b", "\\", nullptr, "a\\b"},  // unterminated class: unchanged copy
      {"a  \t b\t\tc", " \t", " ", "a b c"}, {"[dbo].\"name\"", "\\[\\]'\"`", "", "dbo.name"},
      {"a-b", "-", "\\\\", "a\\b"},          {"a-b", "", "x", "a-b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string got =
        take(c.replacement ? tarvex_brevane_helpers_string_helper_replace_chars(c.text, c.chars,
                                                                                c.replacement)
                           : tarvex_brevane_helpers_string_helper_trim_chars(c.text, c.chars));
    EXPECT_EQ(got, c.expected);
  }
  gchar* r = nullptr;
  EXPECT_CRITICAL(r = tarvex_brevane_helpers_string_helper_trim_chars("a", nullptr),
                  "chars != NULL");
  EXPECT_EQ(r, nullptr);
}

TEST_F(StringHelperTest, ProperCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"hELLO wORLD", "Hello World"},
      {"don't o'neil", "Don't O'neil"},
      {"first\nsecond line", "First\nSecond Line"},
      {"\xC3\xA9lan VITAL", "\xC3\x89lan Vital"},
      {"  -- x", "  -- X"},
      {"", ""},
  };
  for (const auto& [in, out] : cases) {
    SCOPED_TRACE(in);
    EXPECT_EQ(take(tarvex_brevane_helpers_string_helper_proper_case(in)), out);
  }
  tarvex::test::drop_quiet_logs();
}

TEST_F(StringHelperTest, StringifyAndArraifyData) {
  GeeHashMap* map = tarvex_brevane_helpers_string_helper_arraify_data("a=1;b;;c=x=y", ";");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(gee_abstract_map_get_size(GEE_ABSTRACT_MAP(map)), 3);
  EXPECT_EQ(take(static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(map), "a"))), "1");
  EXPECT_TRUE(gee_abstract_map_has_key(GEE_ABSTRACT_MAP(map), "b"));
  EXPECT_EQ(gee_abstract_map_get(GEE_ABSTRACT_MAP(map), "b"), nullptr);
  EXPECT_EQ(take(static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(map), "c"))), "x=y");
  g_object_unref(map);

  map = tarvex_brevane_helpers_string_helper_arraify_data("k=1;k=2", ";");
  EXPECT_EQ(take(static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(map), "k"))), "2");
  g_object_unref(map);

  map = gee_hash_map_new(G_TYPE_STRING, GBoxedCopyFunc(g_strdup), g_free, G_TYPE_STRING,
                         GBoxedCopyFunc(g_strdup), g_free, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(take(tarvex_brevane_helpers_string_helper_stringify_data(GEE_MAP(map), ";")), "");
  gee_abstract_map_set(GEE_ABSTRACT_MAP(map), "a", "1");
  EXPECT_EQ(take(tarvex_brevane_helpers_string_helper_stringify_data(GEE_MAP(map), ";")), "a=1");
  EXPECT_EQ(take(tarvex_brevane_helpers_string_helper_stringify_data(GEE_MAP(map), "; ")), "a=1;");
  g_object_unref(map);

  gchar* r = nullptr;
  EXPECT_CRITICAL(r = tarvex_brevane_helpers_string_helper_stringify_data(nullptr, ";"),
                  "data != NULL");
  EXPECT_EQ(r, nullptr);
}

TEST_F(StringHelperTest, HelperTypeSupport) {
  GType type = TARVEX_BREVANE_HELPERS_TYPE_STRING_HELPER;
  EXPECT_STREQ(g_type_name(type), "TarvexBrevaneHelpersStringHelper");
  EXPECT_TRUE(G_TYPE_IS_FUNDAMENTAL(type));
  GParamSpec* spec = tarvex_brevane_helpers_param_spec_string_helper("helper", "helper", "helper",
                                                                     type, G_PARAM_READWRITE);
  ASSERT_NE(spec, nullptr);
  EXPECT_EQ(G_PARAM_SPEC_VALUE_TYPE(spec), type);
  g_param_spec_unref(g_param_spec_ref_sink(spec));
  EXPECT_CRITICAL(spec = tarvex_brevane_helpers_param_spec_string_helper(
                      "x", "x", "x", G_TYPE_OBJECT, G_PARAM_READWRITE),
                  "g_type_is_a (object_type, TARVEX_BREVANE_HELPERS_TYPE_STRING_HELPER)");
  EXPECT_EQ(spec, nullptr);

  // take keeps the caller's reference; unset drops it and frees the helper.
  TarvexBrevaneHelpersStringHelper* helper = tarvex_brevane_helpers_string_helper_new();
  GValue value = G_VALUE_INIT;
  g_value_init(&value, type);
  tarvex_brevane_helpers_value_take_string_helper(&value, helper);
  EXPECT_EQ(helper->ref_count, 1);
  GValue copy = G_VALUE_INIT;
  g_value_init(&copy, type);
  g_value_copy(&value, &copy);
  EXPECT_EQ(helper->ref_count, 2);
  g_value_unset(&copy);
  g_value_unset(&value);

  GValue wrong = G_VALUE_INIT;
  g_value_init(&wrong, G_TYPE_INT);
  EXPECT_CRITICAL(tarvex_brevane_helpers_value_get_string_helper(&wrong),
                  "G_TYPE_CHECK_VALUE_TYPE (value, TARVEX_BREVANE_HELPERS_TYPE_STRING_HELPER)");
}

}  // namespace
