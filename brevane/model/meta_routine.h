// Stored routines of a schema: their return type, body and parameter texts.
// Functions, procedures and external routines differ only in their kind.
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_META_MODEL_TYPE_META_ROUTINE \
  (tarvex_brevane_meta_model_meta_routine_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_routine_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaRoutine, tarvex_brevane_meta_model_meta_routine,
                         TARVEX_BREVANE_META_MODEL, META_ROUTINE, TarvexBrevaneMetaModelMetaObject)

struct _TarvexBrevaneMetaModelMetaRoutineClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_FUNCTION \
  (tarvex_brevane_meta_model_meta_function_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_function_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaFunction,
                         tarvex_brevane_meta_model_meta_function, TARVEX_BREVANE_META_MODEL,
                         META_FUNCTION, TarvexBrevaneMetaModelMetaRoutine)

struct _TarvexBrevaneMetaModelMetaFunctionClass {
  TarvexBrevaneMetaModelMetaRoutineClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_PROCEDURE \
  (tarvex_brevane_meta_model_meta_procedure_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_procedure_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaProcedure,
                         tarvex_brevane_meta_model_meta_procedure, TARVEX_BREVANE_META_MODEL,
                         META_PROCEDURE, TarvexBrevaneMetaModelMetaRoutine)

struct _TarvexBrevaneMetaModelMetaProcedureClass {
  TarvexBrevaneMetaModelMetaRoutineClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_EXTERNAL \
  (tarvex_brevane_meta_model_meta_external_get_type())
TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_external_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexBrevaneMetaModelMetaExternal,
                         tarvex_brevane_meta_model_meta_external, TARVEX_BREVANE_META_MODEL,
                         META_EXTERNAL, TarvexBrevaneMetaModelMetaRoutine)

struct _TarvexBrevaneMetaModelMetaExternalClass {
  TarvexBrevaneMetaModelMetaRoutineClass parent_class;
};

TARVEX_EXPORT TarvexBrevaneMetaModelMetaRoutine* tarvex_brevane_meta_model_meta_routine_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaRoutine* tarvex_brevane_meta_model_meta_routine_construct(
    GType object_type);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_routine_get_return_type(
    TarvexBrevaneMetaModelMetaRoutine* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_routine_set_return_type(
    TarvexBrevaneMetaModelMetaRoutine* self, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_brevane_meta_model_meta_routine_get_body(
    TarvexBrevaneMetaModelMetaRoutine* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_routine_set_body(
    TarvexBrevaneMetaModelMetaRoutine* self, const gchar* value);
TARVEX_EXPORT GeeArrayList* tarvex_brevane_meta_model_meta_routine_get_parameters(
    TarvexBrevaneMetaModelMetaRoutine* self);
TARVEX_EXPORT void tarvex_brevane_meta_model_meta_routine_set_parameters(
    TarvexBrevaneMetaModelMetaRoutine* self, GeeArrayList* value);

TARVEX_EXPORT TarvexBrevaneMetaModelMetaFunction* tarvex_brevane_meta_model_meta_function_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaFunction* tarvex_brevane_meta_model_meta_function_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaFunction*
tarvex_brevane_meta_model_meta_function_new_with_names(const gchar* database, const gchar* schema,
                                                       const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaFunction*
tarvex_brevane_meta_model_meta_function_construct_with_names(GType object_type,
                                                             const gchar* database,
                                                             const gchar* schema,
                                                             const gchar* name);

TARVEX_EXPORT TarvexBrevaneMetaModelMetaProcedure* tarvex_brevane_meta_model_meta_procedure_new(
    void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaProcedure*
tarvex_brevane_meta_model_meta_procedure_construct(GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaProcedure*
tarvex_brevane_meta_model_meta_procedure_new_with_names(const gchar* database, const gchar* schema,
                                                        const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaProcedure*
tarvex_brevane_meta_model_meta_procedure_construct_with_names(GType object_type,
                                                              const gchar* database,
                                                              const gchar* schema,
                                                              const gchar* name);

TARVEX_EXPORT TarvexBrevaneMetaModelMetaExternal* tarvex_brevane_meta_model_meta_external_new(void);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaExternal* tarvex_brevane_meta_model_meta_external_construct(
    GType object_type);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaExternal*
tarvex_brevane_meta_model_meta_external_new_with_names(const gchar* database, const gchar* schema,
                                                       const gchar* name);
TARVEX_EXPORT TarvexBrevaneMetaModelMetaExternal*
tarvex_brevane_meta_model_meta_external_construct_with_names(GType object_type,
                                                             const gchar* database,
                                                             const gchar* schema,
                                                             const gchar* name);

G_END_DECLS
