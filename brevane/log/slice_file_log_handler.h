// Writes the main log as numbered files "<name>-000.log", "<name>-001.log",
// ... in a folder, continuing the newest file across runs and starting the
// next number once a file passes the size limit.
#pragma once

#include <gio/gio.h>
#include <glib-object.h>

#include "brevane/contracts/ilog_handler.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneSupportsLogSliceFileLogHandler
    TarvexBrevaneSupportsLogSliceFileLogHandler;
typedef struct _TarvexBrevaneSupportsLogSliceFileLogHandlerClass
    TarvexBrevaneSupportsLogSliceFileLogHandlerClass;

struct _TarvexBrevaneSupportsLogSliceFileLogHandler {
  GObject parent_instance;
  // The current file, or NULL before the first rotation and after close.
  GFileOutputStream* stream;
};

struct _TarvexBrevaneSupportsLogSliceFileLogHandlerClass {
  GObjectClass parent_class;
  void (*close)(TarvexBrevaneSupportsLogSliceFileLogHandler* self);
};

#define TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SLICE_FILE_LOG_HANDLER \
  (tarvex_brevane_supports_log_slice_file_log_handler_get_type())

#define TARVEX_BREVANE_SUPPORTS_LOG_SLICE_FILE_LOG_HANDLER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SLICE_FILE_LOG_HANDLER, \
                              TarvexBrevaneSupportsLogSliceFileLogHandler))
#define TARVEX_BREVANE_SUPPORTS_LOG_IS_SLICE_FILE_LOG_HANDLER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SLICE_FILE_LOG_HANDLER))
#define TARVEX_BREVANE_SUPPORTS_LOG_SLICE_FILE_LOG_HANDLER_CLASS(klass)                      \
  (G_TYPE_CHECK_CLASS_CAST((klass), TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SLICE_FILE_LOG_HANDLER, \
                           TarvexBrevaneSupportsLogSliceFileLogHandlerClass))
#define TARVEX_BREVANE_SUPPORTS_LOG_IS_SLICE_FILE_LOG_HANDLER_CLASS(klass) \
  (G_TYPE_CHECK_CLASS_TYPE((klass), TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SLICE_FILE_LOG_HANDLER))
#define TARVEX_BREVANE_SUPPORTS_LOG_SLICE_FILE_LOG_HANDLER_GET_CLASS(obj)                    \
  (G_TYPE_INSTANCE_GET_CLASS((obj), TARVEX_BREVANE_SUPPORTS_LOG_TYPE_SLICE_FILE_LOG_HANDLER, \
                             TarvexBrevaneSupportsLogSliceFileLogHandlerClass))

TARVEX_EXPORT GType tarvex_brevane_supports_log_slice_file_log_handler_get_type(void) G_GNUC_CONST;
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneSupportsLogSliceFileLogHandler, g_object_unref)
TARVEX_EXPORT TarvexBrevaneSupportsLogSliceFileLogHandler*
tarvex_brevane_supports_log_slice_file_log_handler_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsLogSliceFileLogHandler*
tarvex_brevane_supports_log_slice_file_log_handler_construct(GType object_type);
// Finds the newest numbered file of `name` in `folder` and opens it (or the
// next number) for writing; `size` is the limit in bytes, 0 or less for none.
TARVEX_EXPORT gboolean tarvex_brevane_supports_log_slice_file_log_handler_initialize(
    TarvexBrevaneSupportsLogSliceFileLogHandler* self, const gchar* name, const gchar* folder,
    gint64 size, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_log_slice_file_log_handler_close(
    TarvexBrevaneSupportsLogSliceFileLogHandler* self);

G_END_DECLS
