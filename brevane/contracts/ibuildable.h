// DDL texts of a dialect from meta-model objects and their change records.
// Every operation returns a new text, the empty text when there is nothing
// to write; `raw` keeps the model's type texts as they stand.
#pragma once

#include <glib-object.h>

#include "brevane/model/meta_database.h"
#include "brevane/model/meta_event.h"
#include "brevane/model/meta_index.h"
#include "brevane/model/meta_object.h"
#include "brevane/model/meta_relation.h"
#include "brevane/model/meta_routine.h"
#include "brevane/model/meta_table.h"
#include "brevane/model/meta_trigger.h"
#include "brevane/model/meta_view.h"
#include "common/tarvex-export.h"
#include "providers/contracts/data_set_model.h"
#include "providers/contracts/data_type.h"
#include "providers/contracts/table_model.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsDatabaseIBuildable TarvexBrevaneContractsDatabaseIBuildable;
typedef struct _TarvexBrevaneContractsDatabaseIBuildableIface
    TarvexBrevaneContractsDatabaseIBuildableIface;

struct _TarvexBrevaneContractsDatabaseIBuildableIface {
  GTypeInterface parent_iface;
  gchar* (*build_create)(TarvexBrevaneContractsDatabaseIBuildable* self,
                         TarvexBrevaneMetaModelMetaObject* meta_object, gboolean raw);
  gchar* (*build_delete)(TarvexBrevaneContractsDatabaseIBuildable* self,
                         TarvexBrevaneMetaModelMetaObject* meta_object);
  gchar* (*build_patch)(TarvexBrevaneContractsDatabaseIBuildable* self,
                        TarvexBrevaneMetaModelMetaObject* meta_object, gboolean raw);
  gchar* (*build_normal)(TarvexBrevaneContractsDatabaseIBuildable* self,
                         TarvexBrevaneMetaModelMetaTable* table, const gchar* action);
  gchar* (*build_caller)(TarvexBrevaneContractsDatabaseIBuildable* self,
                         TarvexBrevaneMetaModelMetaRoutine* routine);
  gchar* (*build_script)(TarvexBrevaneContractsDatabaseIBuildable* self,
                         TarvexProvidersContractsDataSetModel* dataset);
  gchar* (*patch_data_table)(TarvexBrevaneContractsDatabaseIBuildable* self,
                             TarvexProvidersContractsTableModel* model);
  gchar* (*quote_identifier)(TarvexBrevaneContractsDatabaseIBuildable* self,
                             const gchar* identifier, const gchar* separator,
                             const gchar* replacement);
  gchar* (*quote_value)(TarvexBrevaneContractsDatabaseIBuildable* self,
                        TarvexProvidersContractsDataType type, const gchar* raw_value);
  gchar* (*alter_database)(TarvexBrevaneContractsDatabaseIBuildable* self,
                           TarvexBrevaneMetaModelMetaDatabase* database_old,
                           TarvexBrevaneMetaModelMetaDatabase* database_new);
  gchar* (*create_database)(TarvexBrevaneContractsDatabaseIBuildable* self,
                            TarvexBrevaneMetaModelMetaDatabase* database, gboolean raw);
  gchar* (*alter_schema)(TarvexBrevaneContractsDatabaseIBuildable* self,
                         TarvexBrevaneMetaModelMetaSchema* schema_old,
                         TarvexBrevaneMetaModelMetaSchema* schema_new);
  gchar* (*build_schema)(TarvexBrevaneContractsDatabaseIBuildable* self,
                         TarvexBrevaneMetaModelMetaSchema* schema, gboolean raw);
  gchar* (*build_table)(TarvexBrevaneContractsDatabaseIBuildable* self,
                        TarvexBrevaneMetaModelMetaTable* table, gboolean raw);
  gchar* (*build_view)(TarvexBrevaneContractsDatabaseIBuildable* self,
                       TarvexBrevaneMetaModelMetaView* view);
  gchar* (*build_index)(TarvexBrevaneContractsDatabaseIBuildable* self,
                        TarvexBrevaneMetaModelMetaIndex* index);
  gchar* (*build_trigger)(TarvexBrevaneContractsDatabaseIBuildable* self,
                          TarvexBrevaneMetaModelMetaTrigger* trigger);
  gchar* (*build_function)(TarvexBrevaneContractsDatabaseIBuildable* self,
                           TarvexBrevaneMetaModelMetaRoutine* routine);
  gchar* (*build_user)(TarvexBrevaneContractsDatabaseIBuildable* self,
                       TarvexBrevaneMetaModelMetaUser* user);
  gchar* (*build_role)(TarvexBrevaneContractsDatabaseIBuildable* self,
                       TarvexBrevaneMetaModelMetaRole* role);
  gchar* (*build_event)(TarvexBrevaneContractsDatabaseIBuildable* self,
                        TarvexBrevaneMetaModelMetaEvent* event);
  gchar* (*patch_event)(TarvexBrevaneContractsDatabaseIBuildable* self,
                        TarvexBrevaneMetaModelMetaEvent* event);
  gchar* (*patch_function)(TarvexBrevaneContractsDatabaseIBuildable* self,
                           TarvexBrevaneMetaModelMetaRoutine* routine);
  gchar* (*patch_script)(TarvexBrevaneContractsDatabaseIBuildable* self,
                         TarvexBrevaneMetaModelMetaDatabase* database);
  gchar* (*patch_table)(TarvexBrevaneContractsDatabaseIBuildable* self,
                        TarvexBrevaneMetaModelMetaTable* table);
  gchar* (*patch_view)(TarvexBrevaneContractsDatabaseIBuildable* self,
                       TarvexBrevaneMetaModelMetaView* view);
};

#define TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IBUILDABLE \
  (tarvex_brevane_contracts_database_ibuildable_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IBUILDABLE, \
                              TarvexBrevaneContractsDatabaseIBuildable))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IS_IBUILDABLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IBUILDABLE))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IBUILDABLE_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IBUILDABLE, \
                                 TarvexBrevaneContractsDatabaseIBuildableIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_database_ibuildable_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_create(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean raw);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_delete(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaObject* meta_object);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_patch(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean raw);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_normal(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTable* table,
    const gchar* action);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_caller(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRoutine* routine);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_script(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexProvidersContractsDataSetModel* dataset);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_patch_data_table(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexProvidersContractsTableModel* model);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_quote_identifier(
    TarvexBrevaneContractsDatabaseIBuildable* self, const gchar* identifier, const gchar* separator,
    const gchar* replacement);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_quote_value(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexProvidersContractsDataType type,
    const gchar* raw_value);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_alter_database(
    TarvexBrevaneContractsDatabaseIBuildable* self,
    TarvexBrevaneMetaModelMetaDatabase* database_old,
    TarvexBrevaneMetaModelMetaDatabase* database_new);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_create_database(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaDatabase* database,
    gboolean raw);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_alter_schema(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaSchema* schema_old,
    TarvexBrevaneMetaModelMetaSchema* schema_new);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_schema(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gboolean raw);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_table(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTable* table,
    gboolean raw);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_view(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaView* view);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_index(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaIndex* index);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_trigger(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTrigger* trigger);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_function(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRoutine* routine);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_user(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaUser* user);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_role(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRole* role);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_build_event(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaEvent* event);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_patch_event(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaEvent* event);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_patch_function(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaRoutine* routine);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_patch_script(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaDatabase* database);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_patch_table(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaTable* table);
TARVEX_EXPORT gchar* tarvex_brevane_contracts_database_ibuildable_patch_view(
    TarvexBrevaneContractsDatabaseIBuildable* self, TarvexBrevaneMetaModelMetaView* view);

G_END_DECLS
