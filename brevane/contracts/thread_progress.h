// The progress record of a long operation: counters, elapsed time and a
// queue of time-stamped message lines for the host. It has no lock of its
// own: writers update it under their own lock.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsThreadProgress TarvexBrevaneContractsThreadProgress;
typedef struct _TarvexBrevaneContractsThreadProgressClass TarvexBrevaneContractsThreadProgressClass;

struct _TarvexBrevaneContractsThreadProgress {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexBrevaneContractsThreadProgressPrivate* priv;
  // Steps attempted; always succeeded + failed.
  gint64 processed;
  gint64 succeeded;
  gint64 failed;
  // Microseconds from the start of the operation to its latest step.
  gint64 elapsed;
  // Owned strings, oldest at the head; offer copies at the tail.
  GQueue* messages;
  gboolean finished;
};

struct _TarvexBrevaneContractsThreadProgressClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexBrevaneContractsThreadProgress* self);
};

#define TARVEX_BREVANE_CONTRACTS_TYPE_THREAD_PROGRESS \
  (tarvex_brevane_contracts_thread_progress_get_type())

TARVEX_EXPORT GType tarvex_brevane_contracts_thread_progress_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_brevane_contracts_thread_progress_ref(gpointer instance);
TARVEX_EXPORT void tarvex_brevane_contracts_thread_progress_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneContractsThreadProgress,
                              tarvex_brevane_contracts_thread_progress_unref)
TARVEX_EXPORT GParamSpec* tarvex_brevane_contracts_param_spec_thread_progress(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_brevane_contracts_value_get_thread_progress(const GValue* value);
TARVEX_EXPORT void tarvex_brevane_contracts_value_set_thread_progress(GValue* value,
                                                                      gpointer v_object);
TARVEX_EXPORT void tarvex_brevane_contracts_value_take_thread_progress(GValue* value,
                                                                       gpointer v_object);
// All counters 0, an empty queue, not finished; the caller owns the record.
TARVEX_EXPORT TarvexBrevaneContractsThreadProgress* tarvex_brevane_contracts_thread_progress_new(
    void);
TARVEX_EXPORT TarvexBrevaneContractsThreadProgress*
tarvex_brevane_contracts_thread_progress_construct(GType object_type);

G_END_DECLS
