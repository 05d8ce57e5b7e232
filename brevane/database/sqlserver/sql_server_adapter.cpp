#include "brevane/database/sqlserver/sql_server_adapter.h"

#include <gee.h>

#include <string>

#include "brevane/database/sqlserver/sql_server_adapter-private.h"
#include "brevane/model/meta_synonym.h"
#include "common/tarvex-dispatch-private.h"

using tarvex::GRef;
using tarvex::GUniqueStr;
namespace dialect = tarvex::dialect;
using namespace tarvex::dialect::adapter;

using MetaObject = TarvexBrevaneMetaModelMetaObject;
using MetaTable = TarvexBrevaneMetaModelMetaTable;
using MetaSchema = TarvexBrevaneMetaModelMetaSchema;

const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_USER_LIST_INTERNAL[3] = {
    "CALLER", "SELF", "OWNER"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_TABLE_FUNCTION[3] =
    {"FT", "IF", "TF"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_FUNCTION[6] = {
    "AF", "FN", "FS", "FT", "IF", "TF"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_FLOATS[3] = {
    "DOUBLE", "FLOAT", "REAL"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_NUMERIC[2] = {
    "DECIMAL", "NUMERIC"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_DATETIME[4] = {
    "DATE", "TIME", "DATETIME", "TIMESTAMP"};
const gchar* const TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_CHARACTER[4] = {
    "CHAR", "VARCHAR", "NCHAR", "NVARCHAR"};

struct _TarvexBrevaneSupportsDatabaseSQLServerAdapterPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerAdapter,
                   tarvex_brevane_supports_database_sql_server_adapter,
                   TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_ADAPTER)

// ---------------------------------------------------------------------------
// Schemas and synonyms.

static void sql_server_adapter_fill_meta_schema(Base* base, MetaSchema* schema, gboolean deep,
                                                gboolean full, GError** error) {
  g_return_if_fail(schema != NULL);
  Self* self = reinterpret_cast<Self*>(base);
  if (is_filled(schema)) return;
  auto* connection = connection_of(self);
  const std::string name = name_of(schema), database = database_of(schema);

  auto owner = dialect::run_query(
      connection,
      dialect::format(
          "SELECT SCHEMA_OWNER, DEFAULT_CHARACTER_SET_NAME FROM INFORMATION_SCHEMA.SCHEMATA "
          "WHERE SCHEMA_NAME = N'%s';",
          tarvex::sql::literal_body(name).c_str()),
      error);
  if (!owner) return;
  if (owner->rows() > 0) {
    set_attribute(schema, "OWNER", owner->text(0, 0));
    set_attribute(schema, "CHARACTER SET", owner->text(1, 0));
  }

  // The property is a sql_variant: read as text like every other comment.
  auto comment = dialect::run_query(
      connection,
      dialect::format(
          "SELECT CAST(value AS NVARCHAR(MAX)) AS value FROM sys.extended_properties WHERE "
          "name='MS_Description' AND class_desc='SCHEMA' AND major_id=SCHEMA_ID(N'%s')",
          tarvex::sql::literal_body(name).c_str()),
      error);
  if (!comment) return;
  if (comment->rows() > 0) set_comment(schema, comment->text(0, 0));

  auto objects = dialect::run_query(
      connection,
      dialect::format(
          "SELECT name, type FROM SYS.all_objects WHERE type in ('U', 'V', 'IT', 'S') AND "
          "SCHEMA_NAME(schema_id) = N'%s';",
          tarvex::sql::literal_body(name).c_str()),
      error);
  if (!objects) return;
  GeeArrayList* tables = tarvex_brevane_meta_model_meta_schema_get_tables(schema);
  GeeArrayList* views = tarvex_brevane_meta_model_meta_schema_get_views(schema);
  for (int i = 0; i < objects->rows(); i++) {
    const std::string object = objects->text(0, i);
    if (tarvex::text::trim(objects->text(1, i)) == "V") {
      auto view = GRef<TarvexBrevaneMetaModelMetaView>::adopt(
          tarvex_brevane_meta_model_meta_view_new_with_names(database.c_str(), name.c_str(),
                                                             object.c_str()));
      append_to(views, view.get());
    } else {
      auto table = GRef<MetaTable>::adopt(tarvex_brevane_meta_model_meta_table_new_with_names(
          database.c_str(), name.c_str(), object.c_str()));
      append_to(tables, table.get());
    }
  }

  if (full) {
    auto routines = dialect::run_query(
        connection,
        dialect::format(
            "SELECT name, type FROM SYS.all_objects WHERE type in ('AF', 'FN', 'FS', 'FT', "
            "'IF', 'TF', 'P', 'PC', 'X') AND SCHEMA_NAME(schema_id) = N'%s';",
            tarvex::sql::literal_body(name).c_str()),
        error);
    if (!routines) return;
    GeeArrayList* list = tarvex_brevane_meta_model_meta_schema_get_routines(schema);
    for (int i = 0; i < routines->rows(); i++) {
      const std::string routine = routines->text(0, i);
      GRef<GObject> item;
      if (in_list(TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_SERVER_ADAPTER_TYPE_LIST_FUNCTION,
                  tarvex::text::trim(routines->text(1, i))))
        item = GRef<GObject>::adopt(G_OBJECT(tarvex_brevane_meta_model_meta_function_new_with_names(
            database.c_str(), name.c_str(), routine.c_str())));
      else
        item =
            GRef<GObject>::adopt(G_OBJECT(tarvex_brevane_meta_model_meta_procedure_new_with_names(
                database.c_str(), name.c_str(), routine.c_str())));
      append_to(list, item.get());
    }

    auto events = dialect::run_query(
        connection,
        dialect::format(
            "SELECT object_id, OBJECT_NAME(object_id) as event_name, type_desc, "
            "event_group_type_desc FROM sys.events WHERE OBJECT_SCHEMA_NAME(object_id) = "
            "N'%s';",
            tarvex::sql::literal_body(name).c_str()),
        error);
    if (!events) return;
    GeeArrayList* event_list = tarvex_brevane_meta_model_meta_schema_get_events(schema);
    for (int i = 0; i < events->rows(); i++) {
      auto event = GRef<TarvexBrevaneMetaModelMetaEvent>::adopt(
          tarvex_brevane_meta_model_meta_event_new_with_names(database.c_str(), name.c_str(),
                                                              events->text(1, i).c_str()));
      append_to(event_list, event.get());
    }
  }

  if (deep &&
      !(fill_schema_tables(self, schema, full, error) && fill_schema_views(self, schema, error) &&
        fill_schema_routines(self, schema, error)))
    return;
  mark_filled(schema);
}

static void fill_meta_synonym(Self* self, TarvexBrevaneMetaModelMetaSynonym* synonym,
                              GError** error) {
  g_return_if_fail(synonym != NULL);
  if (is_filled(synonym)) return;
  const std::string schema = schema_of(synonym), name = name_of(synonym);
  auto rows = dialect::run_query(
      connection_of(self),
      dialect::format(
          "SELECT sy.base_object_name,CAST(ep.value AS NVARCHAR(MAX)) AS comment FROM "
          "sys.synonyms sy LEFT JOIN sys.extended_properties ep ON "
          "ep.major_id=sy.object_id AND ep.minor_id=0 AND ep.name='MS_Description' WHERE "
          "SCHEMA_NAME(sy.schema_id)=N'%s' AND sy.name=N'%s'",
          tarvex::sql::literal_body(schema).c_str(), tarvex::sql::literal_body(name).c_str()),
      error);
  if (!rows) return;
  if (rows->rows() != 1) {
    g_set_error(error, TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR,
                TARVEX_BREVANE_EXCEPTIONS_SQL_ERROR_NOT_FOUND, "Synonym %s.%s not found.",
                tarvex::sql::bracketed(schema).c_str(), tarvex::sql::bracketed(name).c_str());
    return;
  }
  tarvex_brevane_meta_model_meta_synonym_set_target(synonym, rows->text(0, 0).c_str());
  if (!rows->is_null(1, 0)) set_comment(synonym, rows->text(1, 0));
  mark_filled(synonym);
}

// ---------------------------------------------------------------------------
// Dispatch by kind.

template <typename T>
static T* as_class(MetaObject* object, GType type) {
  return G_TYPE_CHECK_INSTANCE_TYPE(object, type) ? reinterpret_cast<T*>(object) : nullptr;
}

static void sql_server_adapter_fill_meta_object(Base* base, MetaObject* meta_object, gboolean deep,
                                                gboolean full, GError** error) {
  g_return_if_fail(meta_object != NULL);
  MetaObject* object = meta_object;
  Self* self = reinterpret_cast<Self*>(base);
  switch (tarvex_brevane_meta_model_meta_object_character(object)) {
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_DATABASE:
      tarvex_brevane_supports_database_adapter_fill_meta_database(
          base,
          as_class<TarvexBrevaneMetaModelMetaDatabase>(
              object, tarvex_brevane_meta_model_meta_database_get_type()),
          deep, full, error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EVENT:
      tarvex_brevane_supports_database_adapter_fill_meta_event(
          base,
          as_class<TarvexBrevaneMetaModelMetaEvent>(
              object, tarvex_brevane_meta_model_meta_event_get_type()),
          error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EXTERNAL:
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FUNCTION:
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PROCEDURE:
      // The routine filler itself, not the fill_meta_function slot.
      fill_routine(self,
                   as_class<TarvexBrevaneMetaModelMetaRoutine>(
                       object, tarvex_brevane_meta_model_meta_routine_get_type()),
                   error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROLE:
      fill_role(self,
                as_class<TarvexBrevaneMetaModelMetaRole>(
                    object, tarvex_brevane_meta_model_meta_role_get_type()),
                error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_INDEX:
      tarvex_brevane_supports_database_adapter_fill_meta_index(
          base,
          as_class<TarvexBrevaneMetaModelMetaIndex>(
              object, tarvex_brevane_meta_model_meta_index_get_type()),
          error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SCHEMA:
      tarvex_brevane_supports_database_adapter_fill_meta_schema(
          base, as_class<MetaSchema>(object, tarvex_brevane_meta_model_meta_schema_get_type()),
          deep, full, error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SYNONYM:
      fill_meta_synonym(self,
                        as_class<TarvexBrevaneMetaModelMetaSynonym>(
                            object, tarvex_brevane_meta_model_meta_synonym_get_type()),
                        error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE:
      tarvex_brevane_supports_database_adapter_fill_meta_table(
          base, as_class<MetaTable>(object, tarvex_brevane_meta_model_meta_table_get_type()), full,
          error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TRIGGER:
      tarvex_brevane_supports_database_adapter_fill_meta_trigger(
          base,
          as_class<TarvexBrevaneMetaModelMetaTrigger>(
              object, tarvex_brevane_meta_model_meta_trigger_get_type()),
          error);
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER: {
      auto* user = as_class<TarvexBrevaneMetaModelMetaUser>(
          object, tarvex_brevane_meta_model_meta_user_get_type());
      const gchar* scope = user ? tarvex_brevane_meta_model_meta_relation_get_scope(
                                      reinterpret_cast<TarvexBrevaneMetaModelMetaRelation*>(user))
                                : nullptr;
      // Logins (scope "server") have a filler of their own.
      if (g_strcmp0(scope, "server") == 0)
        fill_login(self, user, error);
      else
        tarvex_brevane_supports_database_adapter_fill_meta_user(base, user, error);
      break;
    }
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW:
      tarvex_brevane_supports_database_adapter_fill_meta_view(
          base,
          as_class<TarvexBrevaneMetaModelMetaView>(object,
                                                   tarvex_brevane_meta_model_meta_view_get_type()),
          error);
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------

static void tarvex_brevane_supports_database_sql_server_adapter_class_setup(
    TarvexBrevaneSupportsDatabaseSQLServerAdapterClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapterClass*>(klass);
  base->fill_meta_schema = sql_server_adapter_fill_meta_schema;
  base->fill_meta_object = sql_server_adapter_fill_meta_object;
  setup_table_fillers(klass);
  setup_database_fillers(klass);
  setup_object_fillers(klass);
  setup_principal_fillers(klass);
}

Self* tarvex_brevane_supports_database_sql_server_adapter_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection) {
  g_return_val_if_fail(connection != NULL, nullptr);
  return reinterpret_cast<Self*>(
      tarvex_brevane_supports_database_adapter_construct(object_type, connection));
}

Self* tarvex_brevane_supports_database_sql_server_adapter_new(
    TarvexBrevaneContractsDatabaseIConnection* connection) {
  return tarvex_brevane_supports_database_sql_server_adapter_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_ADAPTER, connection);
}

void tarvex_brevane_supports_database_sql_server_adapter_load_relation(
    Self* self, TarvexBrevaneMetaModelMetaUser* user, GError** error) {
  tarvex::call_slot<&TarvexBrevaneSupportsDatabaseSQLServerAdapterClass::load_relation>(self, user,
                                                                                        error);
}

#define DEFINE_PART_INVOKER(op)                                                                    \
  MetaTable* tarvex_brevane_supports_database_sql_server_adapter_##op(                             \
      Self* self, MetaTable* table, GError** error) {                                              \
    return tarvex::call_slot<&TarvexBrevaneSupportsDatabaseSQLServerAdapterClass::op>(self, table, \
                                                                                      error);      \
  }

DEFINE_PART_INVOKER(fill_schema_table_trigger)
DEFINE_PART_INVOKER(fill_schema_table_check)
DEFINE_PART_INVOKER(fill_schema_table_unique)

gchar* tarvex_brevane_supports_database_sql_server_adapter_get_type_name(Self* self,
                                                                         const gchar* type) {
  g_return_val_if_fail(self != NULL, nullptr);
  g_return_val_if_fail(type != NULL, nullptr);
  const std::string code = tarvex::text::trim(type);
  for (const char* c : {"AF", "FN", "FS", "FT", "IF", "TF"})
    if (code == c) return g_strdup("FUNCTION");
  for (const char* c : {"P", "PC", "X", "RF"})
    if (code == c) return g_strdup("PROCEDURE");
  for (const char* c : {"TT", "IT", "U"})
    if (code == c) return g_strdup("TABLE");
  if (code == "V") return g_strdup("VIEW");
  g_message("adapter:1815: %s is unknown", type);
  return g_strdup("");
}
