// The service container: one shared instance per requested type, made from a
// registered instance, a registered factory or a class it constructs itself
// (construct properties of resolvable types are injected).
#pragma once

#include <glib-object.h>

#include "brevane/contracts/icontainer.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneFoundationContainer TarvexBrevaneFoundationContainer;
typedef struct _TarvexBrevaneFoundationContainerClass TarvexBrevaneFoundationContainerClass;
typedef struct _TarvexBrevaneFoundationContainerPrivate TarvexBrevaneFoundationContainerPrivate;

struct _TarvexBrevaneFoundationContainer {
  GObject parent_instance;
};

struct _TarvexBrevaneFoundationContainerClass {
  GObjectClass parent_class;
};

#define TARVEX_BREVANE_FOUNDATION_TYPE_CONTAINER (tarvex_brevane_foundation_container_get_type())
#define TARVEX_BREVANE_FOUNDATION_CONTAINER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_FOUNDATION_TYPE_CONTAINER, \
                              TarvexBrevaneFoundationContainer))
#define TARVEX_BREVANE_FOUNDATION_IS_CONTAINER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_FOUNDATION_TYPE_CONTAINER))

TARVEX_EXPORT GType tarvex_brevane_foundation_container_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT TarvexBrevaneFoundationContainer* tarvex_brevane_foundation_container_new(void);
TARVEX_EXPORT TarvexBrevaneFoundationContainer* tarvex_brevane_foundation_container_construct(
    GType object_type);

G_END_DECLS
