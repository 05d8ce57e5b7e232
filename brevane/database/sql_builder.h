// The base of every DDL builder: empty texts for every operation, backtick
// identifier quoting, value quoting by data type, and the ordering of a
// schema's tables by their foreign keys.
#pragma once

#include <glib-object.h>

#include "brevane/contracts/ibuildable.h"
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
#include "providers/contracts/data_type.h"
#include "providers/contracts/table_model.h"

G_BEGIN_DECLS

#define TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_BUILDER \
  (tarvex_brevane_supports_database_sql_builder_get_type())
#define TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_BUILDER(obj)                               \
  (G_TYPE_CHECK_INSTANCE_CAST((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_BUILDER, \
                              TarvexBrevaneSupportsDatabaseSqlBuilder))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_BUILDER_CLASS(klass)                      \
  (G_TYPE_CHECK_CLASS_CAST((klass), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_BUILDER, \
                           TarvexBrevaneSupportsDatabaseSqlBuilderClass))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_BUILDER(obj) \
  (G_TYPE_CHECK_INSTANCE_TYPE((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_BUILDER))
#define TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_BUILDER_GET_CLASS(obj)                    \
  (G_TYPE_INSTANCE_GET_CLASS((obj), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_BUILDER, \
                             TarvexBrevaneSupportsDatabaseSqlBuilderClass))

typedef struct _TarvexBrevaneSupportsDatabaseSqlBuilder TarvexBrevaneSupportsDatabaseSqlBuilder;
typedef struct _TarvexBrevaneSupportsDatabaseSqlBuilderClass
    TarvexBrevaneSupportsDatabaseSqlBuilderClass;

struct _TarvexBrevaneSupportsDatabaseSqlBuilder {
  GObject parent_instance;
  // The owning connection; held without a reference of its own.
  TarvexBrevaneContractsDatabaseIConnection* conn;
};

struct _TarvexBrevaneSupportsDatabaseSqlBuilderClass {
  GObjectClass parent_class;
  gchar* (*build_create)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                         TarvexBrevaneMetaModelMetaObject* meta_object, gboolean raw);
  gchar* (*build_delete)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                         TarvexBrevaneMetaModelMetaObject* meta_object);
  gchar* (*build_patch)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                        TarvexBrevaneMetaModelMetaObject* meta_object, gboolean raw);
  gchar* (*build_normal)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                         TarvexBrevaneMetaModelMetaTable* table, const gchar* action);
  gchar* (*build_caller)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                         TarvexBrevaneMetaModelMetaRoutine* function);
  gchar* (*quote_identifier)(TarvexBrevaneSupportsDatabaseSqlBuilder* self, const gchar* identifier,
                             const gchar* separator, const gchar* replacement);
  gchar* (*quote_value)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                        TarvexProvidersContractsDataType type, const gchar* raw_value);
  gchar* (*alter_database)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                           TarvexBrevaneMetaModelMetaDatabase* database_old,
                           TarvexBrevaneMetaModelMetaDatabase* database_new);
  gchar* (*create_database)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                            TarvexBrevaneMetaModelMetaDatabase* database, gboolean raw);
  gchar* (*alter_schema)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                         TarvexBrevaneMetaModelMetaSchema* schema_old,
                         TarvexBrevaneMetaModelMetaSchema* schema_new);
  gchar* (*build_schema)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                         TarvexBrevaneMetaModelMetaSchema* schema, gboolean raw);
  gchar* (*build_table)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                        TarvexBrevaneMetaModelMetaTable* table, gboolean raw);
  gchar* (*build_view)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                       TarvexBrevaneMetaModelMetaView* view);
  gchar* (*build_index)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                        TarvexBrevaneMetaModelMetaIndex* index);
  gchar* (*build_trigger)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                          TarvexBrevaneMetaModelMetaTrigger* trigger);
  gchar* (*build_function)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                           TarvexBrevaneMetaModelMetaRoutine* routine);
  gchar* (*build_user)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                       TarvexBrevaneMetaModelMetaUser* user);
  gchar* (*build_role)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                       TarvexBrevaneMetaModelMetaRole* role);
  gchar* (*build_script)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                         TarvexProvidersContractsDataSetModel* dataset);
  gchar* (*build_event)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                        TarvexBrevaneMetaModelMetaEvent* event);
  gchar* (*patch_event)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                        TarvexBrevaneMetaModelMetaEvent* event);
  gchar* (*patch_function)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                           TarvexBrevaneMetaModelMetaRoutine* routine);
  gchar* (*patch_script)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                         TarvexBrevaneMetaModelMetaDatabase* database);
  gchar* (*patch_table)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                        TarvexBrevaneMetaModelMetaTable* table);
  gchar* (*patch_view)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                       TarvexBrevaneMetaModelMetaView* view);
  gchar* (*patch_data_table)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                             TarvexProvidersContractsTableModel* model);
  void (*order_with_dependence)(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                                TarvexBrevaneMetaModelMetaSchema* schema, gint position);
};

#define TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_BUILDER_CLASS(klass) \
  (G_TYPE_CHECK_CLASS_TYPE((klass), TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_BUILDER))
TARVEX_EXPORT GType tarvex_brevane_supports_database_sql_builder_get_type(void) G_GNUC_CONST;
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneSupportsDatabaseSqlBuilder, g_object_unref)
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSqlBuilder*
tarvex_brevane_supports_database_sql_builder_new(TarvexBrevaneContractsDatabaseIConnection* conn);
TARVEX_EXPORT TarvexBrevaneSupportsDatabaseSqlBuilder*
tarvex_brevane_supports_database_sql_builder_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* conn);

TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_create(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean raw);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_delete(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaObject* meta_object);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_patch(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean raw);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_normal(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaTable* table,
    const gchar* action);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_caller(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaRoutine* function);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_quote_identifier(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, const gchar* identifier, const gchar* separator,
    const gchar* replacement);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_quote_value(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexProvidersContractsDataType type,
    const gchar* raw_value);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_alter_database(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaDatabase* database_old,
    TarvexBrevaneMetaModelMetaDatabase* database_new);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_create_database(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaDatabase* database,
    gboolean raw);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_alter_schema(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaSchema* schema_old,
    TarvexBrevaneMetaModelMetaSchema* schema_new);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_schema(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gboolean raw);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_table(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaTable* table,
    gboolean raw);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_view(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaView* view);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_index(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaIndex* index);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_trigger(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaTrigger* trigger);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_function(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaRoutine* routine);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_user(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaUser* user);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_role(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaRole* role);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_script(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexProvidersContractsDataSetModel* dataset);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_build_event(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaEvent* event);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_patch_event(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaEvent* event);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_patch_function(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaRoutine* routine);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_patch_script(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaDatabase* database);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_patch_table(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaTable* table);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_patch_view(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaView* view);
TARVEX_EXPORT gchar* tarvex_brevane_supports_database_sql_builder_patch_data_table(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexProvidersContractsTableModel* model);
TARVEX_EXPORT void tarvex_brevane_supports_database_sql_builder_order_with_dependence(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gint position);

G_END_DECLS
