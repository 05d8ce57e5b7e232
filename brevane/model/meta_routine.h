// Stored routines of a schema: their return type, body and parameter texts.
// Functions, procedures and external routines differ only in their kind.
#pragma once

#include "brevane/model/meta_object.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneMetaModelMetaRoutine TarvexBrevaneMetaModelMetaRoutine;
typedef struct _TarvexBrevaneMetaModelMetaRoutineClass TarvexBrevaneMetaModelMetaRoutineClass;
typedef struct _TarvexBrevaneMetaModelMetaRoutinePrivate TarvexBrevaneMetaModelMetaRoutinePrivate;

struct _TarvexBrevaneMetaModelMetaRoutine {
  TarvexBrevaneMetaModelMetaObject parent_instance;
};

struct _TarvexBrevaneMetaModelMetaRoutineClass {
  TarvexBrevaneMetaModelMetaObjectClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_ROUTINE \
  (tarvex_brevane_meta_model_meta_routine_get_type())
#define TARVEX_BREVANE_META_MODEL_META_ROUTINE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_ROUTINE, \
                              TarvexBrevaneMetaModelMetaRoutine))
#define TARVEX_BREVANE_META_MODEL_IS_META_ROUTINE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_ROUTINE))

typedef struct _TarvexBrevaneMetaModelMetaFunction TarvexBrevaneMetaModelMetaFunction;
typedef struct _TarvexBrevaneMetaModelMetaFunctionClass TarvexBrevaneMetaModelMetaFunctionClass;
typedef struct _TarvexBrevaneMetaModelMetaFunctionPrivate TarvexBrevaneMetaModelMetaFunctionPrivate;

struct _TarvexBrevaneMetaModelMetaFunction {
  TarvexBrevaneMetaModelMetaRoutine parent_instance;
};

struct _TarvexBrevaneMetaModelMetaFunctionClass {
  TarvexBrevaneMetaModelMetaRoutineClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_FUNCTION \
  (tarvex_brevane_meta_model_meta_function_get_type())
#define TARVEX_BREVANE_META_MODEL_META_FUNCTION(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_FUNCTION, \
                              TarvexBrevaneMetaModelMetaFunction))
#define TARVEX_BREVANE_META_MODEL_IS_META_FUNCTION(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_FUNCTION))

typedef struct _TarvexBrevaneMetaModelMetaProcedure TarvexBrevaneMetaModelMetaProcedure;
typedef struct _TarvexBrevaneMetaModelMetaProcedureClass TarvexBrevaneMetaModelMetaProcedureClass;
typedef struct _TarvexBrevaneMetaModelMetaProcedurePrivate
    TarvexBrevaneMetaModelMetaProcedurePrivate;

struct _TarvexBrevaneMetaModelMetaProcedure {
  TarvexBrevaneMetaModelMetaRoutine parent_instance;
};

struct _TarvexBrevaneMetaModelMetaProcedureClass {
  TarvexBrevaneMetaModelMetaRoutineClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_PROCEDURE \
  (tarvex_brevane_meta_model_meta_procedure_get_type())
#define TARVEX_BREVANE_META_MODEL_META_PROCEDURE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_PROCEDURE, \
                              TarvexBrevaneMetaModelMetaProcedure))
#define TARVEX_BREVANE_META_MODEL_IS_META_PROCEDURE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_PROCEDURE))

typedef struct _TarvexBrevaneMetaModelMetaExternal TarvexBrevaneMetaModelMetaExternal;
typedef struct _TarvexBrevaneMetaModelMetaExternalClass TarvexBrevaneMetaModelMetaExternalClass;
typedef struct _TarvexBrevaneMetaModelMetaExternalPrivate TarvexBrevaneMetaModelMetaExternalPrivate;

struct _TarvexBrevaneMetaModelMetaExternal {
  TarvexBrevaneMetaModelMetaRoutine parent_instance;
};

struct _TarvexBrevaneMetaModelMetaExternalClass {
  TarvexBrevaneMetaModelMetaRoutineClass parent_class;
};

#define TARVEX_BREVANE_META_MODEL_TYPE_META_EXTERNAL \
  (tarvex_brevane_meta_model_meta_external_get_type())
#define TARVEX_BREVANE_META_MODEL_META_EXTERNAL(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_EXTERNAL, \
                              TarvexBrevaneMetaModelMetaExternal))
#define TARVEX_BREVANE_META_MODEL_IS_META_EXTERNAL(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_META_MODEL_TYPE_META_EXTERNAL))

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_routine_get_type(void) G_GNUC_CONST;
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

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_function_get_type(void) G_GNUC_CONST;
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

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_procedure_get_type(void) G_GNUC_CONST;
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

TARVEX_EXPORT GType tarvex_brevane_meta_model_meta_external_get_type(void) G_GNUC_CONST;
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
