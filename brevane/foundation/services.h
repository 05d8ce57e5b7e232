// The static services facade: owns the one service container of the process.
#pragma once

#include <glib-object.h>

#include "brevane/foundation/container.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_FOUNDATION_TYPE_SERVICES (tarvex_brevane_foundation_services_get_type())
TARVEX_EXPORT GType tarvex_brevane_foundation_services_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneFoundationServices, tarvex_brevane_foundation_services,
                         TARVEX_BREVANE_FOUNDATION, SERVICES, GObject)

struct _TarvexBrevaneFoundationServicesClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneFoundationServices* tarvex_brevane_foundation_services_new(void);
// Creates the process-wide container once; registers nothing.
TARVEX_EXPORT void tarvex_brevane_foundation_services_initialize(void);
TARVEX_EXPORT void tarvex_brevane_foundation_services_register_instance(GType key_type,
                                                                        GObject* instance);
TARVEX_EXPORT void tarvex_brevane_foundation_services_register_type(GType key_type,
                                                                    GType value_type);
// Resolves through the container; the caller owns the result (or NULL).
TARVEX_EXPORT gpointer tarvex_brevane_foundation_services_get(GType t_type);

G_END_DECLS
