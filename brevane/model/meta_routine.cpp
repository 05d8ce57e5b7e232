#include "brevane/model/meta_routine.h"

#include "brevane/model/meta-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ------------------------------------------------------------ MetaRoutine

struct _TarvexBrevaneMetaModelMetaRoutinePrivate {};

namespace routine_props {
enum { PROP_0, PROP_RETURN_TYPE, PROP_BODY, PROP_PARAMETERS, N_PROPERTIES };

static const PropDecl decls[] = {
    text("return-type"),
    text("body"),
    str_list("parameters", kOwned),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace routine_props

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaRoutine, tarvex_brevane_meta_model_meta_routine,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

static TarvexProvidersContractsDBObject routine_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROUTINE;
}

static void tarvex_brevane_meta_model_meta_routine_class_setup(
    TarvexBrevaneMetaModelMetaRoutineClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = routine_character;
  routine_props::properties.install(G_OBJECT_CLASS(klass));
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaRoutine, tarvex_brevane_meta_model_meta_routine,
                TARVEX_BREVANE_META_MODEL_TYPE_META_ROUTINE)

TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRoutine, tarvex_brevane_meta_model_meta_routine,
                      return_type, routine_props::PROP_RETURN_TYPE, routine_props::properties,
                      const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRoutine, tarvex_brevane_meta_model_meta_routine,
                      body, routine_props::PROP_BODY, routine_props::properties, const gchar*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaRoutine, tarvex_brevane_meta_model_meta_routine,
                      parameters, routine_props::PROP_PARAMETERS, routine_props::properties,
                      GeeArrayList*, NULL)

// ------------------------------------------------------------ MetaFunction

struct _TarvexBrevaneMetaModelMetaFunctionPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaFunction, tarvex_brevane_meta_model_meta_function,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_ROUTINE)

static TarvexProvidersContractsDBObject function_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FUNCTION;
}

static void tarvex_brevane_meta_model_meta_function_class_setup(
    TarvexBrevaneMetaModelMetaFunctionClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = function_character;
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaFunction, tarvex_brevane_meta_model_meta_function,
                TARVEX_BREVANE_META_MODEL_TYPE_META_FUNCTION)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaFunction,
                           tarvex_brevane_meta_model_meta_function,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_FUNCTION)

// ------------------------------------------------------------ MetaProcedure

struct _TarvexBrevaneMetaModelMetaProcedurePrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaProcedure, tarvex_brevane_meta_model_meta_procedure,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_ROUTINE)

static TarvexProvidersContractsDBObject procedure_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PROCEDURE;
}

static void tarvex_brevane_meta_model_meta_procedure_class_setup(
    TarvexBrevaneMetaModelMetaProcedureClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = procedure_character;
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaProcedure, tarvex_brevane_meta_model_meta_procedure,
                TARVEX_BREVANE_META_MODEL_TYPE_META_PROCEDURE)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaProcedure,
                           tarvex_brevane_meta_model_meta_procedure,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_PROCEDURE)

// ------------------------------------------------------------ MetaExternal

struct _TarvexBrevaneMetaModelMetaExternalPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneMetaModelMetaExternal, tarvex_brevane_meta_model_meta_external,
                   TARVEX_BREVANE_META_MODEL_TYPE_META_ROUTINE)

static TarvexProvidersContractsDBObject external_character(TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EXTERNAL;
}

static void tarvex_brevane_meta_model_meta_external_class_setup(
    TarvexBrevaneMetaModelMetaExternalClass* klass) {
  [[maybe_unused]] auto* meta = TARVEX_BREVANE_META_MODEL_META_OBJECT_CLASS(klass);
  meta->character = external_character;
}

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaExternal, tarvex_brevane_meta_model_meta_external,
                TARVEX_BREVANE_META_MODEL_TYPE_META_EXTERNAL)
TARVEX_META_NEW_WITH_NAMES(TarvexBrevaneMetaModelMetaExternal,
                           tarvex_brevane_meta_model_meta_external,
                           TARVEX_BREVANE_META_MODEL_TYPE_META_EXTERNAL)
