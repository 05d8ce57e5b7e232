// The service container: one shared instance per requested type, made from a
// registered instance, a registered factory or a class it constructs itself
// (construct properties of resolvable types are injected).
#pragma once

#include <glib-object.h>

#include "brevane/contracts/icontainer.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_FOUNDATION_TYPE_CONTAINER (tarvex_brevane_foundation_container_get_type())
TARVEX_EXPORT GType tarvex_brevane_foundation_container_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneFoundationContainer, tarvex_brevane_foundation_container,
                         TARVEX_BREVANE_FOUNDATION, CONTAINER, GObject)

struct _TarvexBrevaneFoundationContainerClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneFoundationContainer* tarvex_brevane_foundation_container_new(void);
TARVEX_EXPORT TarvexBrevaneFoundationContainer* tarvex_brevane_foundation_container_construct(
    GType object_type);

G_END_DECLS
