// EncodingHelper: names the character set of a byte buffer (uchardet).
// One process-wide instance, from get_singleton; it serves one call at a time.
#pragma once

#include <gio/gio.h>
#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneHelpersEncodingHelper TarvexBrevaneHelpersEncodingHelper;
typedef struct _TarvexBrevaneHelpersEncodingHelperClass TarvexBrevaneHelpersEncodingHelperClass;

struct _TarvexBrevaneHelpersEncodingHelper {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexBrevaneHelpersEncodingHelperPrivate* priv;
};

struct _TarvexBrevaneHelpersEncodingHelperClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexBrevaneHelpersEncodingHelper* self);
};

#define TARVEX_BREVANE_HELPERS_TYPE_ENCODING_HELPER \
  (tarvex_brevane_helpers_encoding_helper_get_type())

TARVEX_EXPORT GType tarvex_brevane_helpers_encoding_helper_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_brevane_helpers_encoding_helper_ref(gpointer instance);
TARVEX_EXPORT void tarvex_brevane_helpers_encoding_helper_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneHelpersEncodingHelper,
                              tarvex_brevane_helpers_encoding_helper_unref)
TARVEX_EXPORT GParamSpec* tarvex_brevane_helpers_param_spec_encoding_helper(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_brevane_helpers_value_get_encoding_helper(const GValue* value);
TARVEX_EXPORT void tarvex_brevane_helpers_value_set_encoding_helper(GValue* value,
                                                                    gpointer v_object);
TARVEX_EXPORT void tarvex_brevane_helpers_value_take_encoding_helper(GValue* value,
                                                                     gpointer v_object);

// The process-wide helper (borrowed: the helper keeps it).
TARVEX_EXPORT TarvexBrevaneHelpersEncodingHelper*
tarvex_brevane_helpers_encoding_helper_get_singleton(void);
// The charset name uchardet reports ("UTF-8", "UTF-16", "WINDOWS-1252", ...),
// or an empty text when nothing was detected. Newly allocated.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_encoding_helper_detect_buffer(
    TarvexBrevaneHelpersEncodingHelper* self, const guint8* buffer, gint buffer_length1);
// Not read: always an empty text.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_encoding_helper_detect_file(
    TarvexBrevaneHelpersEncodingHelper* self, const gchar* filename);
// Not read: always an empty text.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_encoding_helper_detect_stream(
    TarvexBrevaneHelpersEncodingHelper* self, GInputStream* stream);

G_END_DECLS
