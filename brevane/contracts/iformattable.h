// Lays SQL texts out for an editor.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsDatabaseIFormattable
    TarvexBrevaneContractsDatabaseIFormattable;
typedef struct _TarvexBrevaneContractsDatabaseIFormattableIface
    TarvexBrevaneContractsDatabaseIFormattableIface;

struct _TarvexBrevaneContractsDatabaseIFormattableIface {
  GTypeInterface parent_iface;
  void (*option)(TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* name,
                 const gchar* value);
  gchar* (*beautify)(TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* statements);
  gchar* (*minify)(TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* statements);
};

#define TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IFORMATTABLE \
  (tarvex_brevane_contracts_database_iformattable_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IFORMATTABLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IFORMATTABLE, \
                              TarvexBrevaneContractsDatabaseIFormattable))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IS_IFORMATTABLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IFORMATTABLE))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IFORMATTABLE_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IFORMATTABLE, \
                                 TarvexBrevaneContractsDatabaseIFormattableIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_database_iformattable_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_brevane_contracts_database_iformattable_option(
    TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* name, const gchar* value);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_iformattable_beautify(
    TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* statements);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_iformattable_minify(
    TarvexBrevaneContractsDatabaseIFormattable* self, const gchar* statements);

G_END_DECLS
