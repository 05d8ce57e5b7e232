// Generation of SQL statement texts from a source object; offered to the host.
#pragma once

#include <glib-object.h>
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsCodeGenISqlCodeBuildable
    TarvexBrevaneContractsCodeGenISqlCodeBuildable;
typedef struct _TarvexBrevaneContractsCodeGenISqlCodeBuildableIface
    TarvexBrevaneContractsCodeGenISqlCodeBuildableIface;

struct _TarvexBrevaneContractsCodeGenISqlCodeBuildableIface {
  GTypeInterface parent_iface;
  gchar* (*build_table)(TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source);
  gchar* (*build_select)(TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source);
  gchar* (*build_update)(TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source);
  gchar* (*build_delete)(TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source);
  gchar* (*build_insert)(TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source);
};

#define TARVEX_BREVANE_CONTRACTS_CODE_GEN_TYPE_ISQL_CODE_BUILDABLE \
  (tarvex_brevane_contracts_code_gen_isql_code_buildable_get_type())
#define TARVEX_BREVANE_CONTRACTS_CODE_GEN_ISQL_CODE_BUILDABLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_CODE_GEN_TYPE_ISQL_CODE_BUILDABLE, \
                              TarvexBrevaneContractsCodeGenISqlCodeBuildable))
#define TARVEX_BREVANE_CONTRACTS_CODE_GEN_IS_ISQL_CODE_BUILDABLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_CODE_GEN_TYPE_ISQL_CODE_BUILDABLE))
#define TARVEX_BREVANE_CONTRACTS_CODE_GEN_ISQL_CODE_BUILDABLE_GET_INTERFACE(obj)             \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj),                                                      \
                                 TARVEX_BREVANE_CONTRACTS_CODE_GEN_TYPE_ISQL_CODE_BUILDABLE, \
                                 TarvexBrevaneContractsCodeGenISqlCodeBuildableIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_code_gen_isql_code_buildable_get_type(void)
    G_GNUC_CONST;
// A new SQL text.
TARVEX_EXPORT gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_table(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_select(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_update(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_delete(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_code_gen_isql_code_buildable_build_insert(
    TarvexBrevaneContractsCodeGenISqlCodeBuildable* self, GObject* source);

G_END_DECLS
