// The base of every dialect's adapter: fills meta-model objects and result
// tables from the server of its connection. Every fill operation is empty
// here except fill_data_set, which fills each table of a data set through
// fill_data_table. Dialects derive and run their catalog queries through
// `connection`, which the adapter holds without a reference of its own (the
// connection owns the adapter).
#pragma once

#include <gee.h>
#include <glib-object.h>

#include "brevane/contracts/iadaptable.h"
#include "brevane/contracts/iconnection.h"
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

typedef struct _TarvexBrevaneSupportsDatabaseAdapter TarvexBrevaneSupportsDatabaseAdapter;
typedef struct _TarvexBrevaneSupportsDatabaseAdapterClass TarvexBrevaneSupportsDatabaseAdapterClass;

struct _TarvexBrevaneSupportsDatabaseAdapter {
  GObject parent_instance;
  // The owning connection, unowned.
  TarvexBrevaneContractsDatabaseIConnection* connection;
};

struct _TarvexBrevaneSupportsDatabaseAdapterClass {
  GObjectClass parent_class;
  void (*fill_meta_database)(TarvexBrevaneSupportsDatabaseAdapter* self,
                             TarvexBrevaneMetaModelMetaDatabase* database, gboolean deep,
                             gboolean full, GError** error);
  void (*fill_meta_schema)(TarvexBrevaneSupportsDatabaseAdapter* self,
                           TarvexBrevaneMetaModelMetaSchema* schema, gboolean deep, gboolean full,
                           GError** error);
  void (*fill_meta_table)(TarvexBrevaneSupportsDatabaseAdapter* self,
                          TarvexBrevaneMetaModelMetaTable* table, gboolean full, GError** error);
  void (*fill_meta_view)(TarvexBrevaneSupportsDatabaseAdapter* self,
                         TarvexBrevaneMetaModelMetaView* view, GError** error);
  void (*fill_meta_index)(TarvexBrevaneSupportsDatabaseAdapter* self,
                          TarvexBrevaneMetaModelMetaIndex* index, GError** error);
  void (*fill_meta_trigger)(TarvexBrevaneSupportsDatabaseAdapter* self,
                            TarvexBrevaneMetaModelMetaTrigger* trigger, GError** error);
  void (*fill_meta_function)(TarvexBrevaneSupportsDatabaseAdapter* self,
                             TarvexBrevaneMetaModelMetaRoutine* routine, GError** error);
  void (*fill_meta_user)(TarvexBrevaneSupportsDatabaseAdapter* self,
                         TarvexBrevaneMetaModelMetaUser* user, GError** error);
  void (*fill_meta_role)(TarvexBrevaneSupportsDatabaseAdapter* self,
                         TarvexBrevaneMetaModelMetaRole* role, GError** error);
  void (*fill_meta_event)(TarvexBrevaneSupportsDatabaseAdapter* self,
                          TarvexBrevaneMetaModelMetaEvent* event, GError** error);
  void (*fill_meta_object)(TarvexBrevaneSupportsDatabaseAdapter* self,
                           TarvexBrevaneMetaModelMetaObject* meta_object, gboolean deep,
                           gboolean full, GError** error);
  void (*fill_data_table)(TarvexBrevaneSupportsDatabaseAdapter* self,
                          TarvexProvidersContractsTableModel* table, GError** error);
  void (*fill_data_set)(TarvexBrevaneSupportsDatabaseAdapter* self,
                        TarvexProvidersContractsDataSetModel* dataset, GError** error);
  void (*load_privileges)(TarvexBrevaneSupportsDatabaseAdapter* self, GeeMap* matrix,
                          gchar** classes, gint classes_length1, GError** error);
};

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_ADAPTER \
  (tarvex_brevane_supports_database_adapter_get_type())
#define TARVEX_BREVANE_SUPPORTS_DATABASE_ADAPTER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_ADAPTER, \
                              TarvexBrevaneSupportsDatabaseAdapter))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_IS_ADAPTER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_ADAPTER))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_ADAPTER_CLASS(klass)                      \
  (G_TYPE_CHECK_CLASS_CAST((klass), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_ADAPTER, \
                           TarvexBrevaneSupportsDatabaseAdapterClass))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_ADAPTER_GET_CLASS(obj)                    \
  (G_TYPE_INSTANCE_GET_CLASS((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_ADAPTER, \
                             TarvexBrevaneSupportsDatabaseAdapterClass))

#define TARVEX_BREVANE_SUPPORTS_DATABASE_IS_ADAPTER_CLASS(klass) \
  (G_TYPE_CHECK_CLASS_TYPE((klass), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_ADAPTER))
TARVEX_EXPORT GType tarvex_brevane_supports_database_adapter_get_type(void) G_GNUC_CONST;
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneSupportsDatabaseAdapter, g_object_unref)
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseAdapter* tarvex_brevane_supports_database_adapter_new(
    TarvexBrevaneContractsDatabaseIConnection* connection);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseAdapter*
tarvex_brevane_supports_database_adapter_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection);

TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_database(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaDatabase* database,
    gboolean deep, gboolean full, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_schema(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gboolean deep, gboolean full, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_table(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaTable* table,
    gboolean full, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_view(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaView* view,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_index(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaIndex* index,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_trigger(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaTrigger* trigger,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_function(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaRoutine* routine,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_user(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaUser* user,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_role(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaRole* role,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_event(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaEvent* event,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_meta_object(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean deep, gboolean full, GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_data_table(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexProvidersContractsTableModel* table,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_fill_data_set(
    TarvexBrevaneSupportsDatabaseAdapter* self, TarvexProvidersContractsDataSetModel* dataset,
    GError** error);
TARVEX_EXPORT void tarvex_brevane_supports_database_adapter_load_privileges(
    TarvexBrevaneSupportsDatabaseAdapter* self, GeeMap* matrix, gchar** classes,
    gint classes_length1, GError** error);

G_END_DECLS
