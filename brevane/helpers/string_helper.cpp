#include "brevane/helpers/string_helper.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/tarvex-check-private.h"
#include "common/tarvex-fundamental-private.h"
#include "common/tarvex-text-private.h"

using tarvex::GUniqueStr;

struct _TarvexBrevaneHelpersStringHelperPrivate {};

TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexBrevaneHelpersStringHelper,
                               tarvex_brevane_helpers_string_helper, tarvex_brevane_helpers,
                               string_helper, TARVEX_BREVANE_HELPERS_TYPE_STRING_HELPER)

TarvexBrevaneHelpersStringHelper* tarvex_brevane_helpers_string_helper_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneHelpersStringHelper*>(tarvex::fundamental::create(object_type));
}

TarvexBrevaneHelpersStringHelper* tarvex_brevane_helpers_string_helper_new(void) {
  return tarvex_brevane_helpers_string_helper_construct(TARVEX_BREVANE_HELPERS_TYPE_STRING_HELPER);
}

namespace {

// The entries of an array argument; NULL entries are left out.
std::vector<const char*> entries(gchar** array, gint length) {
  std::vector<const char*> out;
  if (!array) return out;
  gint n = length < 0 ? static_cast<gint>(g_strv_length(array)) : length;
  for (gint i = 0; i < n; i++) out.push_back(array[i]);
  return out;
}

using tarvex::text::utf8_upper;

// The upper-cased text with, for each of its bytes, the offset of the
// original character it came from: upper-casing may change byte lengths.
struct UpperMap {
  std::string text;
  std::vector<size_t> origin;
};

UpperMap upper_map(const char* text) {
  UpperMap map;
  for (const char* p = text; *p; p = g_utf8_next_char(p)) {
    const char* next = g_utf8_next_char(p);
    GUniqueStr up(g_utf8_strup(p, next - p));
    size_t n = std::strlen(up.get());
    map.text.append(up.get(), n);
    map.origin.insert(map.origin.end(), n, static_cast<size_t>(p - text));
  }
  return map;
}

bool has_prefix(const char* entry, const char* needle, bool case_sensitive) {
  if (case_sensitive) return g_str_has_prefix(entry, needle);
  return g_str_has_prefix(utf8_upper(entry).c_str(), utf8_upper(needle).c_str());
}

bool has_suffix(const char* entry, const char* needle, bool case_sensitive) {
  if (case_sensitive) return g_str_has_suffix(entry, needle);
  return g_str_has_suffix(utf8_upper(entry).c_str(), utf8_upper(needle).c_str());
}

template <typename Match>
gint first_index(gchar** haystack, gint length, Match match) {
  auto list = entries(haystack, length);
  for (size_t i = 0; i < list.size(); i++)
    if (list[i] && match(list[i])) return static_cast<gint>(i);
  return -1;
}

template <typename Match>
gint count(gchar** haystack, gint length, Match match) {
  gint n = 0;
  for (const char* entry : entries(haystack, length))
    if (entry && match(entry)) n++;
  return n;
}

gchar** to_strv(const std::vector<std::string>& list) {
  gchar** out = g_new0(gchar*, list.size() + 1);
  for (size_t i = 0; i < list.size(); i++) out[i] = tarvex::dup(list[i]);
  return out;
}

std::string strip(const char* text) {
  std::string_view v(text);
  while (!v.empty() && g_ascii_isspace(v.front())) v.remove_prefix(1);
  while (!v.empty() && g_ascii_isspace(v.back())) v.remove_suffix(1);
  return std::string(v);
}

bool equals_any(const std::string& text, const std::vector<const char*>& list) {
  for (const char* entry : list)
    if (entry && text == entry) return true;
  return false;
}

void hand_out(const std::vector<std::string>& list, gchar*** out, gint* out_length) {
  if (out) *out = to_strv(list);
  if (out_length) *out_length = static_cast<gint>(list.size());
}

// Replaces every match of the pattern; an unchanged copy on any failure.
gchar* regex_replace(const char* text, const std::string& pattern, const char* replacement,
                     bool literal) {
  GError* error = nullptr;
  tarvex::GRef<GRegex> regex = tarvex::adoptGRef(
      g_regex_new(pattern.c_str(), GRegexCompileFlags(0), GRegexMatchFlags(0), &error));
  if (!regex) {
    g_error_free(error);
    return g_strdup(text);
  }
  gchar* result =
      literal ? g_regex_replace_literal(regex.get(), text, -1, 0, replacement, GRegexMatchFlags(0),
                                        &error)
              : g_regex_replace(regex.get(), text, -1, 0, replacement, GRegexMatchFlags(0), &error);
  if (!result) {
    if (error) g_error_free(error);
    return g_strdup(text);
  }
  return result;
}

gboolean proper_case_word(const GMatchInfo* info, GString* result, gpointer) {
  GUniqueStr word(g_match_info_fetch(info, 0));
  GUniqueStr lower(g_utf8_strdown(word.get(), -1));
  const char* rest = g_utf8_next_char(lower.get());
  if (*lower.get()) {
    g_string_append_unichar(result, g_unichar_toupper(g_utf8_get_char(lower.get())));
    g_string_append(result, rest);
  }
  return FALSE;
}

}  // namespace

gchar* tarvex_brevane_helpers_string_helper_stringify_data(GeeMap* data, const gchar* delimiter) {
  g_return_val_if_fail(data != NULL, nullptr);
  g_return_val_if_fail(delimiter != NULL, nullptr);
  std::string text;
  tarvex::GRef<GeeMapIterator> it = tarvex::adoptGRef(gee_map_map_iterator(data));
  while (gee_map_iterator_next(it.get())) {
    auto* key = static_cast<gchar*>(gee_map_iterator_get_key(it.get()));
    auto* value = static_cast<gchar*>(gee_map_iterator_get_value(it.get()));
    text += key ? key : "";
    text += "=";
    // An absent value is written as an empty one.
    text += value ? value : "";
    text += delimiter;
    g_free(key);
    g_free(value);
  }
  if (!text.empty()) text.pop_back();
  return tarvex::dup(text);
}

GeeHashMap* tarvex_brevane_helpers_string_helper_arraify_data(const gchar* connection,
                                                              const gchar* delimiter) {
  g_return_val_if_fail(connection != NULL, nullptr);
  g_return_val_if_fail(delimiter != NULL, nullptr);
  GeeHashMap* map = gee_hash_map_new(G_TYPE_STRING, GBoxedCopyFunc(g_strdup), g_free, G_TYPE_STRING,
                                     GBoxedCopyFunc(g_strdup), g_free, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  std::vector<std::string> pieces;
  if (*delimiter) {
    tarvex::GUnique<char*> split(g_strsplit(connection, delimiter, -1));
    for (gchar** p = split.get(); *p; p++) pieces.emplace_back(*p);
  } else {
    pieces.emplace_back(connection);
  }
  for (const std::string& piece : pieces) {
    if (piece.empty()) continue;
    size_t eq = piece.find('=');
    std::string key = piece.substr(0, eq);
    if (eq == std::string::npos) {
      gee_abstract_map_set(GEE_ABSTRACT_MAP(map), key.c_str(), nullptr);
    } else {
      std::string value = piece.substr(eq + 1);
      gee_abstract_map_set(GEE_ABSTRACT_MAP(map), key.c_str(), value.c_str());
    }
  }
  return map;
}

gboolean tarvex_brevane_helpers_string_helper_contains_array(const gchar* text, gchar** needles,
                                                             gint needles_length1,
                                                             gboolean case_sensitive) {
  g_return_val_if_fail(text != NULL, FALSE);
  std::string up = case_sensitive ? std::string() : utf8_upper(text);
  for (const char* needle : entries(needles, needles_length1)) {
    if (!needle) continue;
    if (case_sensitive ? std::strstr(text, needle) != nullptr
                       : up.find(utf8_upper(needle)) != std::string::npos)
      return TRUE;
  }
  return FALSE;
}

gint tarvex_brevane_helpers_string_helper_index_with_array(const gchar* text, gchar** needles,
                                                           gint needles_length1,
                                                           gboolean case_sensitive) {
  g_return_val_if_fail(text != NULL, 0);
  if (case_sensitive) {
    std::string_view view(text);
    for (const char* needle : entries(needles, needles_length1)) {
      if (!needle) continue;
      size_t pos = view.find(needle);
      if (pos != std::string_view::npos) return static_cast<gint>(pos);
    }
    return -1;
  }
  // Searched in the upper-cased text, reported as an offset into the
  // original, which callers use to cut it.
  UpperMap map = upper_map(text);
  for (const char* needle : entries(needles, needles_length1)) {
    if (!needle) continue;
    size_t pos = map.text.find(utf8_upper(needle));
    if (pos == std::string::npos) continue;
    return static_cast<gint>(pos < map.origin.size() ? map.origin[pos] : std::strlen(text));
  }
  return -1;
}

gint tarvex_brevane_helpers_string_helper_search_array(gchar** haystack, gint haystack_length1,
                                                       const gchar* needle,
                                                       gboolean case_sensitive) {
  g_return_val_if_fail(needle != NULL, 0);
  return first_index(haystack, haystack_length1, [&](const char* entry) {
    return case_sensitive ? std::strcmp(entry, needle) == 0
                          : g_ascii_strcasecmp(entry, needle) == 0;
  });
}

gint tarvex_brevane_helpers_string_helper_search_array_prefix(gchar** haystack,
                                                              gint haystack_length1,
                                                              const gchar* needle,
                                                              gboolean case_sensitive) {
  g_return_val_if_fail(needle != NULL, 0);
  return first_index(haystack, haystack_length1,
                     [&](const char* entry) { return has_prefix(entry, needle, case_sensitive); });
}

gint tarvex_brevane_helpers_string_helper_search_array_prefix_count(gchar** haystack,
                                                                    gint haystack_length1,
                                                                    const gchar* needle,
                                                                    gboolean case_sensitive) {
  g_return_val_if_fail(needle != NULL, 0);
  return count(haystack, haystack_length1,
               [&](const char* entry) { return has_prefix(entry, needle, case_sensitive); });
}

gint tarvex_brevane_helpers_string_helper_search_array_suffix(gchar** haystack,
                                                              gint haystack_length1,
                                                              const gchar* needle,
                                                              gboolean case_sensitive) {
  g_return_val_if_fail(needle != NULL, 0);
  return first_index(haystack, haystack_length1,
                     [&](const char* entry) { return has_suffix(entry, needle, case_sensitive); });
}

gint tarvex_brevane_helpers_string_helper_search_array_suffix_count(gchar** haystack,
                                                                    gint haystack_length1,
                                                                    const gchar* needle,
                                                                    gboolean case_sensitive) {
  g_return_val_if_fail(needle != NULL, 0);
  return count(haystack, haystack_length1,
               [&](const char* entry) { return has_suffix(entry, needle, case_sensitive); });
}

gboolean tarvex_brevane_helpers_string_helper_prefix_with_array(const gchar* content,
                                                                gchar** prefixes,
                                                                gint prefixes_length1,
                                                                gboolean case_sensitive) {
  g_return_val_if_fail(content != NULL, FALSE);
  for (const char* prefix : entries(prefixes, prefixes_length1))
    if (prefix && has_prefix(content, prefix, case_sensitive)) return TRUE;
  return FALSE;
}

gboolean tarvex_brevane_helpers_string_helper_suffix_with_array(const gchar* content,
                                                                gchar** suffixes,
                                                                gint suffixes_length1,
                                                                gboolean case_sensitive) {
  g_return_val_if_fail(content != NULL, FALSE);
  for (const char* suffix : entries(suffixes, suffixes_length1))
    if (suffix && has_suffix(content, suffix, case_sensitive)) return TRUE;
  return FALSE;
}

gchar* tarvex_brevane_helpers_string_helper_replace_array(const gchar* plain, gchar** old_texts,
                                                          gint old_texts_length1, gchar** new_texts,
                                                          gint new_texts_length1) {
  g_return_val_if_fail(plain != NULL, nullptr);
  auto olds = entries(old_texts, old_texts_length1);
  auto news = entries(new_texts, new_texts_length1);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(olds.size() == news.size(), "old_texts.length == new_texts.length",
                                 nullptr);
  std::string text(plain);
  for (size_t i = 0; i < olds.size(); i++) {
    const char* from = olds[i];
    const char* to = news[i] ? news[i] : "";
    if (text.empty() || !from || !*from || std::strcmp(from, to) == 0) continue;
    std::string out;
    size_t start = 0, from_len = std::strlen(from);
    for (size_t pos; (pos = text.find(from, start)) != std::string::npos; start = pos + from_len) {
      out.append(text, start, pos - start);
      out.append(to);
    }
    out.append(text, start, std::string::npos);
    text = std::move(out);
  }
  return tarvex::dup(text);
}

void tarvex_brevane_helpers_string_helper_diff_array(gchar** first, gint first_length1,
                                                     gchar** second, gint second_length1,
                                                     gchar*** both, gint* both_length1,
                                                     gchar*** only_first, gint* only_first_length1,
                                                     gchar*** only_second,
                                                     gint* only_second_length1) {
  auto a = entries(first, first_length1);
  auto b = entries(second, second_length1);
  std::vector<std::string> in_both, in_first, in_second;
  for (const char* entry : b) {
    if (!entry) continue;
    std::string s = strip(entry);
    if (s.empty()) continue;
    (equals_any(s, a) ? in_both : in_second).push_back(std::move(s));
  }
  for (const char* entry : a) {
    if (!entry) continue;
    std::string s = strip(entry);
    if (s.empty()) continue;
    if (!equals_any(s, b)) in_first.push_back(std::move(s));
  }
  hand_out(in_both, both, both_length1);
  hand_out(in_first, only_first, only_first_length1);
  hand_out(in_second, only_second, only_second_length1);
}

gchar* tarvex_brevane_helpers_string_helper_trim_chars(const gchar* text, const gchar* chars) {
  g_return_val_if_fail(text != NULL, nullptr);
  g_return_val_if_fail(chars != NULL, nullptr);
  std::string pattern = std::string("^[") + chars + "]+|[" + chars + "]+$";
  return regex_replace(text, pattern, "", true);
}

gchar* tarvex_brevane_helpers_string_helper_replace_chars(const gchar* text, const gchar* chars,
                                                          const gchar* replacement) {
  g_return_val_if_fail(text != NULL, nullptr);
  g_return_val_if_fail(chars != NULL, nullptr);
  g_return_val_if_fail(replacement != NULL, nullptr);
  return regex_replace(text, std::string("[") + chars + "]+", replacement, false);
}

gchar* tarvex_brevane_helpers_string_helper_proper_case(const gchar* str) {
  g_return_val_if_fail(str != NULL, nullptr);
  // Nothing to capitalise in an empty text.
  if (!*str) return g_strdup("");
  static GRegex* word = nullptr;
  if (g_once_init_enter(&word)) {
    GRegex* regex = g_regex_new("[\\w']+", GRegexCompileFlags(G_REGEX_CASELESS | G_REGEX_MULTILINE),
                                GRegexMatchFlags(0), nullptr);
    g_once_init_leave(&word, regex);
  }
  tarvex::GRef<GRegex> regex = tarvex::retainGRef(word);
  GError* error = nullptr;
  gchar* result = regex ? g_regex_replace_eval(regex.get(), str, -1, 0, GRegexMatchFlags(0),
                                               proper_case_word, nullptr, &error)
                        : nullptr;
  if (!result) {
    g_log(G_LOG_DOMAIN, G_LOG_LEVEL_DEBUG, "helper_string:307: %s",
          error ? error->message : "no word pattern");
    if (error) g_error_free(error);
    return g_strdup(str);
  }
  return result;
}
