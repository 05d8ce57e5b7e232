// Lays SQL texts out for an editor: `beautify` puts one clause on a line and
// indents subqueries, `minify` folds a text onto one line. Both work on the
// text alone; string literals, quoted and bracketed identifiers and comments
// are kept as they are.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/iformattable.h"
#include "common/tarvex-export.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_FORMATTER \
  (tarvex_brevane_supports_database_formatter_get_type())
TARVEX_EXPORT GType tarvex_brevane_supports_database_formatter_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneSupportsDatabaseFormatter,
                         tarvex_brevane_supports_database_formatter,
                         TARVEX_BREVANE_SUPPORTS_DATABASE, FORMATTER, GObject)

struct _TarvexBrevaneSupportsDatabaseFormatterClass {
  GObjectClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneSupportsDatabaseFormatter*
tarvex_brevane_supports_database_formatter_new(void);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseFormatter*
tarvex_brevane_supports_database_formatter_construct(GType object_type);

G_END_DECLS
