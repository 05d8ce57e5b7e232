// An object that loads itself from and saves itself to a location; offered to
// the host.
#pragma once

#include <glib-object.h>
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsStorageIStorable TarvexBrevaneContractsStorageIStorable;
typedef struct _TarvexBrevaneContractsStorageIStorableIface
    TarvexBrevaneContractsStorageIStorableIface;

struct _TarvexBrevaneContractsStorageIStorableIface {
  GTypeInterface parent_iface;
  gboolean (*load)(TarvexBrevaneContractsStorageIStorable* self, const gchar* location,
                   GError** error);
  gboolean (*save)(TarvexBrevaneContractsStorageIStorable* self, const gchar* location,
                   GError** error);
};

#define TARVEX_BREVANE_CONTRACTS_STORAGE_TYPE_ISTORABLE \
  (tarvex_brevane_contracts_storage_istorable_get_type())
#define TARVEX_BREVANE_CONTRACTS_STORAGE_ISTORABLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_STORAGE_TYPE_ISTORABLE, \
                              TarvexBrevaneContractsStorageIStorable))
#define TARVEX_BREVANE_CONTRACTS_STORAGE_IS_ISTORABLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_STORAGE_TYPE_ISTORABLE))
#define TARVEX_BREVANE_CONTRACTS_STORAGE_ISTORABLE_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_STORAGE_TYPE_ISTORABLE, \
                                 TarvexBrevaneContractsStorageIStorableIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_storage_istorable_get_type(void) G_GNUC_CONST;
// TRUE on success; a failure is reported through error.
TARVEX_EXPORT gboolean tarvex_brevane_contracts_storage_istorable_load(
    TarvexBrevaneContractsStorageIStorable* self, const gchar* location, GError** error);
TARVEX_EXPORT gboolean tarvex_brevane_contracts_storage_istorable_save(
    TarvexBrevaneContractsStorageIStorable* self, const gchar* location, GError** error);

G_END_DECLS
