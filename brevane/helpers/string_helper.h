// Stateless string and string-array operations.
//
// Arrays are passed with their length; a negative length means the array is
// NULL-terminated. Returned texts and arrays are owned by the caller.
#pragma once

#include <gee.h>
#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneHelpersStringHelper TarvexBrevaneHelpersStringHelper;
typedef struct _TarvexBrevaneHelpersStringHelperClass TarvexBrevaneHelpersStringHelperClass;

struct _TarvexBrevaneHelpersStringHelper {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexBrevaneHelpersStringHelperPrivate* priv;
};

struct _TarvexBrevaneHelpersStringHelperClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexBrevaneHelpersStringHelper* self);
};

#define TARVEX_BREVANE_HELPERS_TYPE_STRING_HELPER (tarvex_brevane_helpers_string_helper_get_type())

TARVEX_EXPORT GType tarvex_brevane_helpers_string_helper_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_brevane_helpers_string_helper_ref(gpointer instance);
TARVEX_EXPORT void tarvex_brevane_helpers_string_helper_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneHelpersStringHelper,
                              tarvex_brevane_helpers_string_helper_unref)
TARVEX_EXPORT GParamSpec* tarvex_brevane_helpers_param_spec_string_helper(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_brevane_helpers_value_get_string_helper(const GValue* value);
TARVEX_EXPORT void tarvex_brevane_helpers_value_set_string_helper(GValue* value, gpointer v_object);
TARVEX_EXPORT void tarvex_brevane_helpers_value_take_string_helper(GValue* value,
                                                                   gpointer v_object);
TARVEX_EXPORT TarvexBrevaneHelpersStringHelper* tarvex_brevane_helpers_string_helper_new(void);
TARVEX_EXPORT TarvexBrevaneHelpersStringHelper* tarvex_brevane_helpers_string_helper_construct(
    GType object_type);

// "key=value" + delimiter for every entry of a text-to-text map, the last
// byte removed.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_string_helper_stringify_data(GeeMap* data,
                                                                         const gchar* delimiter);
// Splits "k=v<delimiter>k=v..." into a new text-to-text map (a piece without
// "=" maps to NULL).
TARVEX_EXPORT GeeHashMap* tarvex_brevane_helpers_string_helper_arraify_data(const gchar* connection,
                                                                            const gchar* delimiter);
TARVEX_EXPORT gboolean tarvex_brevane_helpers_string_helper_contains_array(const gchar* text,
                                                                           gchar** needles,
                                                                           gint needles_length1,
                                                                           gboolean case_sensitive);
// Byte offset into `text` of the first needle (in array order) that occurs;
// -1 when none does.
TARVEX_EXPORT gint tarvex_brevane_helpers_string_helper_index_with_array(const gchar* text,
                                                                         gchar** needles,
                                                                         gint needles_length1,
                                                                         gboolean case_sensitive);
TARVEX_EXPORT gint tarvex_brevane_helpers_string_helper_search_array(gchar** haystack,
                                                                     gint haystack_length1,
                                                                     const gchar* needle,
                                                                     gboolean case_sensitive);
TARVEX_EXPORT gint tarvex_brevane_helpers_string_helper_search_array_prefix(
    gchar** haystack, gint haystack_length1, const gchar* needle, gboolean case_sensitive);
TARVEX_EXPORT gint tarvex_brevane_helpers_string_helper_search_array_prefix_count(
    gchar** haystack, gint haystack_length1, const gchar* needle, gboolean case_sensitive);
TARVEX_EXPORT gint tarvex_brevane_helpers_string_helper_search_array_suffix(
    gchar** haystack, gint haystack_length1, const gchar* needle, gboolean case_sensitive);
TARVEX_EXPORT gint tarvex_brevane_helpers_string_helper_search_array_suffix_count(
    gchar** haystack, gint haystack_length1, const gchar* needle, gboolean case_sensitive);
TARVEX_EXPORT gboolean tarvex_brevane_helpers_string_helper_prefix_with_array(
    const gchar* content, gchar** prefixes, gint prefixes_length1, gboolean case_sensitive);
TARVEX_EXPORT gboolean tarvex_brevane_helpers_string_helper_suffix_with_array(
    const gchar* content, gchar** suffixes, gint suffixes_length1, gboolean case_sensitive);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_string_helper_replace_array(const gchar* plain,
                                                                        gchar** old_texts,
                                                                        gint old_texts_length1,
                                                                        gchar** new_texts,
                                                                        gint new_texts_length1);
// Entries in both arrays, only in the first, only in the second; each output
// is NULL-terminated and may be omitted by passing NULL.
TARVEX_EXPORT void tarvex_brevane_helpers_string_helper_diff_array(
    gchar** first, gint first_length1, gchar** second, gint second_length1, gchar*** both,
    gint* both_length1, gchar*** only_first, gint* only_first_length1, gchar*** only_second,
    gint* only_second_length1);
// `chars` is the inside of a regular-expression character class.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_string_helper_trim_chars(const gchar* text,
                                                                     const gchar* chars);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_string_helper_replace_chars(const gchar* text,
                                                                        const gchar* chars,
                                                                        const gchar* replacement);
TARVEX_EXPORT gchar* tarvex_brevane_helpers_string_helper_proper_case(const gchar* str);

G_END_DECLS
