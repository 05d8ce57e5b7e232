// An object that clones itself. The default clone builds a new object of the
// same type from the source's construct properties, then copies its writable
// properties and fills the copy's read-only libgee array lists and hash maps
// with the source's elements (a shallow copy: held objects are shared).
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsIClonable TarvexBrevaneContractsIClonable;
typedef struct _TarvexBrevaneContractsIClonableIface TarvexBrevaneContractsIClonableIface;

struct _TarvexBrevaneContractsIClonableIface {
  GTypeInterface parent_iface;
  GObject* (*clone)(TarvexBrevaneContractsIClonable* self);
};

#define TARVEX_BREVANE_CONTRACTS_TYPE_ICLONABLE (tarvex_brevane_contracts_iclonable_get_type())
#define TARVEX_BREVANE_CONTRACTS_ICLONABLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_TYPE_ICLONABLE, \
                              TarvexBrevaneContractsIClonable))
#define TARVEX_BREVANE_CONTRACTS_IS_ICLONABLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_TYPE_ICLONABLE))
#define TARVEX_BREVANE_CONTRACTS_ICLONABLE_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_TYPE_ICLONABLE, \
                                 TarvexBrevaneContractsIClonableIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_iclonable_get_type(void) G_GNUC_CONST;
// A new object of the same type, owned by the caller.
TARVEX_EXPORT GObject* tarvex_brevane_contracts_iclonable_clone(
    TarvexBrevaneContractsIClonable* self);

G_END_DECLS
