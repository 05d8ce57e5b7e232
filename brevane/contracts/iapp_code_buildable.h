// Generation of application code from a source object; offered to the host.
#pragma once

#include <glib-object.h>
#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsCodeGenIAppCodeBuildable
    TarvexBrevaneContractsCodeGenIAppCodeBuildable;
typedef struct _TarvexBrevaneContractsCodeGenIAppCodeBuildableIface
    TarvexBrevaneContractsCodeGenIAppCodeBuildableIface;

struct _TarvexBrevaneContractsCodeGenIAppCodeBuildableIface {
  GTypeInterface parent_iface;
  gchar* (*build_app_code)(TarvexBrevaneContractsCodeGenIAppCodeBuildable* self, GObject* source);
};

#define TARVEX_BREVANE_CONTRACTS_CODE_GEN_TYPE_IAPP_CODE_BUILDABLE \
  (tarvex_brevane_contracts_code_gen_iapp_code_buildable_get_type())
#define TARVEX_BREVANE_CONTRACTS_CODE_GEN_IAPP_CODE_BUILDABLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_CODE_GEN_TYPE_IAPP_CODE_BUILDABLE, \
                              TarvexBrevaneContractsCodeGenIAppCodeBuildable))
#define TARVEX_BREVANE_CONTRACTS_CODE_GEN_IS_IAPP_CODE_BUILDABLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_CODE_GEN_TYPE_IAPP_CODE_BUILDABLE))
#define TARVEX_BREVANE_CONTRACTS_CODE_GEN_IAPP_CODE_BUILDABLE_GET_INTERFACE(obj)             \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj),                                                      \
                                 TARVEX_BREVANE_CONTRACTS_CODE_GEN_TYPE_IAPP_CODE_BUILDABLE, \
                                 TarvexBrevaneContractsCodeGenIAppCodeBuildableIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_code_gen_iapp_code_buildable_get_type(void)
    G_GNUC_CONST;
// A new text of the generated code.
TARVEX_EXPORT gchar* tarvex_brevane_contracts_code_gen_iapp_code_buildable_build_app_code(
    TarvexBrevaneContractsCodeGenIAppCodeBuildable* self, GObject* source);

G_END_DECLS
