// A log manager owns the main logger and one logger per server identity.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/ilogger.h"
#include "brevane/contracts/log_level.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsLogILogManager TarvexBrevaneContractsLogILogManager;
typedef struct _TarvexBrevaneContractsLogILogManagerIface TarvexBrevaneContractsLogILogManagerIface;

struct _TarvexBrevaneContractsLogILogManagerIface {
  GTypeInterface parent_iface;
  void (*initialize)(TarvexBrevaneContractsLogILogManager* self, const gchar* uuid_default,
                     TarvexBrevaneContractsLogLogLevel level, const gchar* log_file_dir,
                     gint64 size);
  TarvexBrevaneContractsLogILogger* (*open)(TarvexBrevaneContractsLogILogManager* self,
                                            const gchar* uuid);
  void (*close)(TarvexBrevaneContractsLogILogManager* self, const gchar* uuid);
  void (*shutdown)(TarvexBrevaneContractsLogILogManager* self);
  TarvexBrevaneContractsLogILogger* (*get_main)(TarvexBrevaneContractsLogILogManager* self);
};

#define TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER \
  (tarvex_brevane_contracts_log_ilog_manager_get_type())
#define TARVEX_BREVANE_CONTRACTS_LOG_ILOG_MANAGER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER, \
                              TarvexBrevaneContractsLogILogManager))
#define TARVEX_BREVANE_CONTRACTS_LOG_IS_ILOG_MANAGER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER))
#define TARVEX_BREVANE_CONTRACTS_LOG_ILOG_MANAGER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_LOG_TYPE_ILOG_MANAGER, \
                                 TarvexBrevaneContractsLogILogManagerIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_log_ilog_manager_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilog_manager_initialize(
    TarvexBrevaneContractsLogILogManager* self, const gchar* uuid_default,
    TarvexBrevaneContractsLogLogLevel level, const gchar* log_file_dir, gint64 size);
TARVEX_EXPORT TarvexBrevaneContractsLogILogger* tarvex_brevane_contracts_log_ilog_manager_open(
    TarvexBrevaneContractsLogILogManager* self, const gchar* uuid);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilog_manager_close(
    TarvexBrevaneContractsLogILogManager* self, const gchar* uuid);
TARVEX_EXPORT void tarvex_brevane_contracts_log_ilog_manager_shutdown(
    TarvexBrevaneContractsLogILogManager* self);
TARVEX_EXPORT TarvexBrevaneContractsLogILogger* tarvex_brevane_contracts_log_ilog_manager_get_main(
    TarvexBrevaneContractsLogILogManager* self);

G_END_DECLS
