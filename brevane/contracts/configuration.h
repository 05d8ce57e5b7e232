// The document settings of a data dictionary: title, data version,
// description, footer text and footer link (a footer is written only when
// its text is not empty).
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsDataConfiguration TarvexBrevaneContractsDataConfiguration;

struct _TarvexBrevaneContractsDataConfiguration {
  gchar* title;
  gchar* data_version;
  gchar* description;
  gchar* footer_text;
  gchar* footer_link;
};

#define TARVEX_BREVANE_CONTRACTS_DATA_TYPE_CONFIGURATION \
  (tarvex_brevane_contracts_data_configuration_get_type())

TARVEX_EXPORT GType tarvex_brevane_contracts_data_configuration_get_type(void) G_GNUC_CONST;
// Copies the five texts of `self` into `dest` (whose old contents are not freed).
TARVEX_EXPORT void tarvex_brevane_contracts_data_configuration_copy(
    const TarvexBrevaneContractsDataConfiguration* self,
    TarvexBrevaneContractsDataConfiguration* dest);
// Frees the five texts and sets them to NULL.
TARVEX_EXPORT void tarvex_brevane_contracts_data_configuration_destroy(
    TarvexBrevaneContractsDataConfiguration* self);
// A new heap copy, released with _free.
TARVEX_EXPORT TarvexBrevaneContractsDataConfiguration*
tarvex_brevane_contracts_data_configuration_dup(
    const TarvexBrevaneContractsDataConfiguration* self);
TARVEX_EXPORT void tarvex_brevane_contracts_data_configuration_free(
    TarvexBrevaneContractsDataConfiguration* self);

G_END_DECLS
