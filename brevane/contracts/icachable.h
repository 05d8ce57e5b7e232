// A store of text values under text keys.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsDatabaseICachable TarvexBrevaneContractsDatabaseICachable;
typedef struct _TarvexBrevaneContractsDatabaseICachableIface
    TarvexBrevaneContractsDatabaseICachableIface;

struct _TarvexBrevaneContractsDatabaseICachableIface {
  GTypeInterface parent_iface;
  void (*append)(TarvexBrevaneContractsDatabaseICachable* self, const gchar* key,
                 const gchar* value);
  gchar* (*lookup)(TarvexBrevaneContractsDatabaseICachable* self, const gchar* key);
  void (*clear)(TarvexBrevaneContractsDatabaseICachable* self);
};

#define TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICACHABLE \
  (tarvex_brevane_contracts_database_icachable_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATABASE_ICACHABLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICACHABLE, \
                              TarvexBrevaneContractsDatabaseICachable))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IS_ICACHABLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICACHABLE))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_ICACHABLE_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_ICACHABLE, \
                                 TarvexBrevaneContractsDatabaseICachableIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_database_icachable_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_brevane_contracts_database_icachable_append(
    TarvexBrevaneContractsDatabaseICachable* self, const gchar* key, const gchar* value);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_icachable_lookup(
    TarvexBrevaneContractsDatabaseICachable* self, const gchar* key);
TARVEX_EXPORT void tarvex_brevane_contracts_database_icachable_clear(
    TarvexBrevaneContractsDatabaseICachable* self);

G_END_DECLS
