// Fills meta-model objects and result tables of a dialect from its server.
// `deep` also fills the members, `full` every detail.
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
#include "providers/contracts/table_model.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneContractsDatabaseIAdaptable TarvexBrevaneContractsDatabaseIAdaptable;
typedef struct _TarvexBrevaneContractsDatabaseIAdaptableIface
    TarvexBrevaneContractsDatabaseIAdaptableIface;

struct _TarvexBrevaneContractsDatabaseIAdaptableIface {
  GTypeInterface parent_iface;
  void (*fill_meta_object)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                           TarvexBrevaneMetaModelMetaObject* meta_object, gboolean deep,
                           gboolean full, GError** error);
  void (*fill_data_table)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                          TarvexProvidersContractsTableModel* table, GError** error);
  void (*load_privileges)(TarvexBrevaneContractsDatabaseIAdaptable* self, GeeMap* matrix,
                          gchar** classes, gint classes_length1, GError** error);
  void (*fill_data_set)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                        TarvexProvidersContractsDataSetModel* dataset, GError** error);
  void (*fill_meta_database)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                             TarvexBrevaneMetaModelMetaDatabase* database, gboolean deep,
                             gboolean full, GError** error);
  void (*fill_meta_schema)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                           TarvexBrevaneMetaModelMetaSchema* schema, gboolean deep, gboolean full,
                           GError** error);
  void (*fill_meta_table)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                          TarvexBrevaneMetaModelMetaTable* table, gboolean full, GError** error);
  void (*fill_meta_view)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                         TarvexBrevaneMetaModelMetaView* view, GError** error);
  void (*fill_meta_index)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                          TarvexBrevaneMetaModelMetaIndex* index, GError** error);
  void (*fill_meta_trigger)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                            TarvexBrevaneMetaModelMetaTrigger* trigger, GError** error);
  void (*fill_meta_function)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                             TarvexBrevaneMetaModelMetaRoutine* routine, GError** error);
  void (*fill_meta_user)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                         TarvexBrevaneMetaModelMetaUser* user, GError** error);
  void (*fill_meta_role)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                         TarvexBrevaneMetaModelMetaRole* role, GError** error);
  void (*fill_meta_event)(TarvexBrevaneContractsDatabaseIAdaptable* self,
                          TarvexBrevaneMetaModelMetaEvent* event, GError** error);
};

#define TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IADAPTABLE \
  (tarvex_brevane_contracts_database_iadaptable_get_type())
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IADAPTABLE(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IADAPTABLE, \
                              TarvexBrevaneContractsDatabaseIAdaptable))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IS_IADAPTABLE(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IADAPTABLE))
#define TARVEX_BREVANE_CONTRACTS_DATABASE_IADAPTABLE_GET_INTERFACE(obj)                    \
  (G_TYPE_INSTANCE_GET_INTERFACE((obj), TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IADAPTABLE, \
                                 TarvexBrevaneContractsDatabaseIAdaptableIface))

TARVEX_EXPORT GType tarvex_brevane_contracts_database_iadaptable_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_object(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean deep, gboolean full, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_data_table(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexProvidersContractsTableModel* table,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_load_privileges(
    TarvexBrevaneContractsDatabaseIAdaptable* self, GeeMap* matrix, gchar** classes,
    gint classes_length1, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_data_set(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexProvidersContractsDataSetModel* dataset,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_database(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaDatabase* database,
    gboolean deep, gboolean full, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gboolean deep, gboolean full, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_table(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaTable* table,
    gboolean full, GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_view(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaView* view,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_index(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaIndex* index,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_trigger(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaTrigger* trigger,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_function(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaRoutine* routine,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_user(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaUser* user,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_role(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaRole* role,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_contracts_database_iadaptable_fill_meta_event(
    TarvexBrevaneContractsDatabaseIAdaptable* self, TarvexBrevaneMetaModelMetaEvent* event,
    GError** error);

G_END_DECLS
