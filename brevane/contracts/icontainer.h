// The service container contract: maps a requested type to one shared
// instance, registered by the host or built on first request.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsContainerIContainer TarvexBrevaneContractsContainerIContainer;
typedef struct _TarvexBrevaneContractsContainerIContainerIface
    TarvexBrevaneContractsContainerIContainerIface;

// Makes the service of a key; the container takes the returned reference.
typedef GObject* (*TarvexBrevaneContractsContainerServiceFactory)(
    TarvexBrevaneContractsContainerIContainer* container);

struct _TarvexBrevaneContractsContainerIContainerIface {
  GTypeInterface parent_iface;
  gboolean (*has)(TarvexBrevaneContractsContainerIContainer* self, GType type);
  void (*register_instance)(TarvexBrevaneContractsContainerIContainer* self, GType key_type,
                            GObject* instance);
  void (*register_type)(TarvexBrevaneContractsContainerIContainer* self, GType key_type,
                        GType value_type);
  void (*register_factory)(TarvexBrevaneContractsContainerIContainer* self, GType key_type,
                           TarvexBrevaneContractsContainerServiceFactory factory);
  GObject* (*resolve)(TarvexBrevaneContractsContainerIContainer* self, GType type);
};

#define TARVEX_BREVANE_CONTRACTS_CONTAINER_TYPE_ICONTAINER \
  (tarvex_brevane_contracts_container_icontainer_get_type())
#define TARVEX_BREVANE_CONTRACTS_CONTAINER_ICONTAINER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_CONTAINER_TYPE_ICONTAINER, \
                              TarvexBrevaneContractsContainerIContainer))
#define TARVEX_BREVANE_CONTRACTS_CONTAINER_IS_ICONTAINER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_CONTAINER_TYPE_ICONTAINER))
#define TARVEX_BREVANE_CONTRACTS_CONTAINER_ICONTAINER_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_CONTAINER_TYPE_ICONTAINER, \
                                 TarvexBrevaneContractsContainerIContainerIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_container_icontainer_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gboolean tarvex_brevane_contracts_container_icontainer_has(
    TarvexBrevaneContractsContainerIContainer* self, GType type);
TARVEX_EXPORT void tarvex_brevane_contracts_container_icontainer_register_instance(
    TarvexBrevaneContractsContainerIContainer* self, GType key_type, GObject* instance);
TARVEX_EXPORT void tarvex_brevane_contracts_container_icontainer_register_type(
    TarvexBrevaneContractsContainerIContainer* self, GType key_type, GType value_type);
TARVEX_EXPORT void tarvex_brevane_contracts_container_icontainer_register_factory(
    TarvexBrevaneContractsContainerIContainer* self, GType key_type,
    TarvexBrevaneContractsContainerServiceFactory factory);
// Returns a new reference, or NULL.
TARVEX_EXPORT GObject* tarvex_brevane_contracts_container_icontainer_resolve(
    TarvexBrevaneContractsContainerIContainer* self, GType type);

G_END_DECLS
