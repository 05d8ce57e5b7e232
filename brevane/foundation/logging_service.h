// The static logging facade of the library: printf-style calls per level,
// each optionally naming a server identity. A call that names a server other
// than the main identity is written to that server's own log and to the main
// log; a call without one goes to the main log only.
//
// The host registers a log manager under the ILogManager contract in the
// service container and then calls initialize.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/ilog_manager.h"
#include "brevane/contracts/log_level.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneFoundationLoggingService TarvexBrevaneFoundationLoggingService;
typedef struct _TarvexBrevaneFoundationLoggingServiceClass
    TarvexBrevaneFoundationLoggingServiceClass;

struct _TarvexBrevaneFoundationLoggingService {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexBrevaneFoundationLoggingServicePrivate* priv;
};

struct _TarvexBrevaneFoundationLoggingServiceClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexBrevaneFoundationLoggingService* self);
};

#define TARVEX_BREVANE_FOUNDATION_TYPE_LOGGING_SERVICE \
  (tarvex_brevane_foundation_logging_service_get_type())

TARVEX_EXPORT GType tarvex_brevane_foundation_logging_service_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_brevane_foundation_logging_service_ref(gpointer instance);
TARVEX_EXPORT void tarvex_brevane_foundation_logging_service_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneFoundationLoggingService,
                              tarvex_brevane_foundation_logging_service_unref)
TARVEX_EXPORT GParamSpec* tarvex_brevane_foundation_param_spec_logging_service(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_brevane_foundation_value_get_logging_service(const GValue* value);
TARVEX_EXPORT void tarvex_brevane_foundation_value_set_logging_service(GValue* value,
                                                                       gpointer v_object);
TARVEX_EXPORT void tarvex_brevane_foundation_value_take_logging_service(GValue* value,
                                                                        gpointer v_object);
TARVEX_EXPORT TarvexBrevaneFoundationLoggingService* tarvex_brevane_foundation_logging_service_new(
    void);
TARVEX_EXPORT TarvexBrevaneFoundationLoggingService*
tarvex_brevane_foundation_logging_service_construct(GType object_type);

// Finds the registered log manager (or reuses the one found before) and
// initializes it; `size` is the main log files' limit in bytes.
TARVEX_EXPORT void tarvex_brevane_foundation_logging_service_initialize(
    const gchar* uuid_default, TarvexBrevaneContractsLogLogLevel level, const gchar* log_file_dir,
    gint64 size);
TARVEX_EXPORT void tarvex_brevane_foundation_logging_service_shutdown(void);
TARVEX_EXPORT void tarvex_brevane_foundation_logging_service_error(const gchar* uuid,
                                                                   const gchar* format, ...)
    G_GNUC_PRINTF(2, 3);
TARVEX_EXPORT void tarvex_brevane_foundation_logging_service_critical(const gchar* uuid,
                                                                      const gchar* format, ...)
    G_GNUC_PRINTF(2, 3);
TARVEX_EXPORT void tarvex_brevane_foundation_logging_service_warning(const gchar* uuid,
                                                                     const gchar* format, ...)
    G_GNUC_PRINTF(2, 3);
TARVEX_EXPORT void tarvex_brevane_foundation_logging_service_message(const gchar* uuid,
                                                                     const gchar* format, ...)
    G_GNUC_PRINTF(2, 3);
TARVEX_EXPORT void tarvex_brevane_foundation_logging_service_info(const gchar* uuid,
                                                                  const gchar* format, ...)
    G_GNUC_PRINTF(2, 3);
TARVEX_EXPORT void tarvex_brevane_foundation_logging_service_debug(const gchar* uuid,
                                                                   const gchar* format, ...)
    G_GNUC_PRINTF(2, 3);
// The manager in use (borrowed), NULL before initialize.
TARVEX_EXPORT TarvexBrevaneContractsLogILogManager*
tarvex_brevane_foundation_logging_service_get_manager(void);

G_END_DECLS
