// FileTypeHelper: names the MIME type of a byte buffer from hexadecimal
// signatures. The table is the resource "/app/settings/extensions.json" that
// the host registers: {"png": {"mime": "image/png", "signs": ["0,89504E47"]}};
// a signature is a decimal byte offset, a comma and upper-case hexadecimal.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneHelpersFileTypeHelper TarvexBrevaneHelpersFileTypeHelper;
typedef struct _TarvexBrevaneHelpersFileTypeHelperClass TarvexBrevaneHelpersFileTypeHelperClass;

struct _TarvexBrevaneHelpersFileTypeHelper {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexBrevaneHelpersFileTypeHelperPrivate* priv;
};

struct _TarvexBrevaneHelpersFileTypeHelperClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexBrevaneHelpersFileTypeHelper* self);
};

#define TARVEX_BREVANE_HELPERS_TYPE_FILE_TYPE_HELPER \
  (tarvex_brevane_helpers_file_type_helper_get_type())

TARVEX_EXPORT GType tarvex_brevane_helpers_file_type_helper_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_brevane_helpers_file_type_helper_ref(gpointer instance);
TARVEX_EXPORT void tarvex_brevane_helpers_file_type_helper_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneHelpersFileTypeHelper,
                              tarvex_brevane_helpers_file_type_helper_unref)
TARVEX_EXPORT GParamSpec* tarvex_brevane_helpers_param_spec_file_type_helper(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_brevane_helpers_value_get_file_type_helper(const GValue* value);
TARVEX_EXPORT void tarvex_brevane_helpers_value_set_file_type_helper(GValue* value,
                                                                     gpointer v_object);
TARVEX_EXPORT void tarvex_brevane_helpers_value_take_file_type_helper(GValue* value,
                                                                      gpointer v_object);

// The process-wide helper (borrowed), its table loaded on the first call.
TARVEX_EXPORT TarvexBrevaneHelpersFileTypeHelper*
tarvex_brevane_helpers_file_type_helper_get_singleton(void);
// The MIME type of the first entry with a matching signature, or
// "unknown/unknown". Newly allocated.
TARVEX_EXPORT gchar* tarvex_brevane_helpers_file_type_helper_guess_file_type(
    TarvexBrevaneHelpersFileTypeHelper* self, const guint8* buffer, gint buffer_length1);

G_END_DECLS
