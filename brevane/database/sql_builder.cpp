#include "brevane/database/sql_builder.h"

#include <gee.h>

#include <string>
#include <vector>

#include "brevane/model/constraints/meta_foreign_key.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

using namespace tarvex;

struct _TarvexBrevaneSupportsDatabaseSqlBuilderPrivate {};

static void sql_builder_ibuildable_init(TarvexBrevaneContractsDatabaseIBuildableIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsDatabaseSqlBuilder, tarvex_brevane_supports_database_sql_builder,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(tarvex_brevane_contracts_database_ibuildable_get_type(),
                          sql_builder_ibuildable_init))

using SqlBuilderClass = TarvexBrevaneSupportsDatabaseSqlBuilderClass;

// ------------------------------------------------------------ defaults

namespace {

using Builder = TarvexBrevaneSupportsDatabaseSqlBuilder;

gchar* empty() {
  return g_strdup("");
}

gchar* base_build_create(Builder*, TarvexBrevaneMetaModelMetaObject* meta_object, gboolean) {
  g_return_val_if_fail(meta_object != NULL, nullptr);
  return empty();
}
gchar* base_build_delete(Builder*, TarvexBrevaneMetaModelMetaObject* meta_object) {
  g_return_val_if_fail(meta_object != NULL, nullptr);
  return empty();
}
gchar* base_build_patch(Builder*, TarvexBrevaneMetaModelMetaObject* meta_object, gboolean) {
  g_return_val_if_fail(meta_object != NULL, nullptr);
  return empty();
}
gchar* base_build_normal(Builder*, TarvexBrevaneMetaModelMetaTable* table, const gchar* action) {
  g_return_val_if_fail(table != NULL, nullptr);
  g_return_val_if_fail(action != NULL, nullptr);
  return empty();
}
gchar* base_build_caller(Builder*, TarvexBrevaneMetaModelMetaRoutine* function) {
  g_return_val_if_fail(function != NULL, nullptr);
  return empty();
}

gchar* base_quote_identifier(Builder*, const gchar* identifier, const gchar* separator,
                             const gchar* replacement) {
  g_return_val_if_fail(identifier != NULL, nullptr);
  g_return_val_if_fail(separator != NULL, nullptr);
  g_return_val_if_fail(replacement != NULL, nullptr);
  std::string id(identifier), sep(separator);
  if (sep.empty() || id.find(sep) == std::string::npos) return dup("`" + id + "`");
  std::string out;
  size_t start = 0;
  for (;;) {
    size_t at = id.find(sep, start);
    std::string part = id.substr(start, at == std::string::npos ? std::string::npos : at - start);
    if (!part.empty() && part != replacement)
      out += "`" + part + "`" + sep;
    else
      out += std::string(replacement) + sep;
    if (at == std::string::npos) break;
    start = at + sep.size();
  }
  out.resize(out.size() - sep.size());
  return dup(out);
}

gchar* base_quote_value(Builder*, TarvexProvidersContractsDataType type, const gchar* raw_value) {
  g_return_val_if_fail(raw_value != NULL, nullptr);
  switch (sql::value_form(type)) {
    case sql::ValueForm::bare:
      return g_strdup(raw_value);
    case sql::ValueForm::hexadecimal:
      return g_strdup_printf("X'%s'", raw_value);
    case sql::ValueForm::quoted:
      break;
  }
  return dup(sql::literal(raw_value));
}

#define EMPTY_OP(name, Type, arg)               \
  gchar* base_##name(Builder*, Type* arg) {     \
    g_return_val_if_fail(arg != NULL, nullptr); \
    return empty();                             \
  }

gchar* base_alter_database(Builder*, TarvexBrevaneMetaModelMetaDatabase* database_old,
                           TarvexBrevaneMetaModelMetaDatabase* database_new) {
  g_return_val_if_fail(database_old != NULL, nullptr);
  g_return_val_if_fail(database_new != NULL, nullptr);
  return empty();
}
gchar* base_create_database(Builder*, TarvexBrevaneMetaModelMetaDatabase* database, gboolean) {
  g_return_val_if_fail(database != NULL, nullptr);
  return empty();
}
gchar* base_alter_schema(Builder*, TarvexBrevaneMetaModelMetaSchema* schema_old,
                         TarvexBrevaneMetaModelMetaSchema* schema_new) {
  g_return_val_if_fail(schema_old != NULL, nullptr);
  g_return_val_if_fail(schema_new != NULL, nullptr);
  return empty();
}
gchar* base_build_schema(Builder*, TarvexBrevaneMetaModelMetaSchema* schema, gboolean) {
  g_return_val_if_fail(schema != NULL, nullptr);
  return empty();
}
gchar* base_build_table(Builder*, TarvexBrevaneMetaModelMetaTable* table, gboolean) {
  g_return_val_if_fail(table != NULL, nullptr);
  return empty();
}
EMPTY_OP(build_view, TarvexBrevaneMetaModelMetaView, view)
EMPTY_OP(build_index, TarvexBrevaneMetaModelMetaIndex, index)
EMPTY_OP(build_trigger, TarvexBrevaneMetaModelMetaTrigger, trigger)
EMPTY_OP(build_function, TarvexBrevaneMetaModelMetaRoutine, routine)
EMPTY_OP(build_user, TarvexBrevaneMetaModelMetaUser, user)
EMPTY_OP(build_role, TarvexBrevaneMetaModelMetaRole, role)
EMPTY_OP(build_script, TarvexProvidersContractsDataSetModel, dataset)
EMPTY_OP(build_event, TarvexBrevaneMetaModelMetaEvent, event)
EMPTY_OP(patch_event, TarvexBrevaneMetaModelMetaEvent, event)
EMPTY_OP(patch_function, TarvexBrevaneMetaModelMetaRoutine, routine)
EMPTY_OP(patch_script, TarvexBrevaneMetaModelMetaDatabase, database)
EMPTY_OP(patch_table, TarvexBrevaneMetaModelMetaTable, table)
EMPTY_OP(patch_view, TarvexBrevaneMetaModelMetaView, view)
EMPTY_OP(patch_data_table, TarvexProvidersContractsTableModel, model)

// Orders the tables from `position` on so that a table referenced by a
// foreign key comes before the tables that refer to it. A depth-first walk
// in list order keeps independent tables where they were; a reference back
// into the chain being walked (a cycle, or a table referring to itself) is
// not followed, so the walk always ends and leaves a cycle in list order.
void base_order_with_dependence(Builder*, TarvexBrevaneMetaModelMetaSchema* schema, gint position) {
  g_return_if_fail(schema != NULL);
  GeeArrayList* list = tarvex_brevane_meta_model_meta_schema_get_tables(schema);
  if (!list || position < 0) return;
  auto* abstract = GEE_ABSTRACT_LIST(list);
  const gint size = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
  if (position + 1 >= size) return;

  std::vector<GRef<TarvexBrevaneMetaModelMetaTable>> tables;
  for (gint i = position; i < size; ++i)
    tables.push_back(adoptGRef(
        static_cast<TarvexBrevaneMetaModelMetaTable*>(gee_abstract_list_get(abstract, i))));
  const size_t n = tables.size();

  auto name_of = [](TarvexBrevaneMetaModelMetaTable* t) {
    const char* s =
        tarvex_brevane_meta_model_meta_object_get_name(TARVEX_BREVANE_META_MODEL_META_OBJECT(t));
    return std::string(s ? s : "");
  };
  auto schema_of = [](TarvexBrevaneMetaModelMetaTable* t) {
    const char* s =
        tarvex_brevane_meta_model_meta_object_get_schema(TARVEX_BREVANE_META_MODEL_META_OBJECT(t));
    return std::string(s ? s : "");
  };

  // References of each table to the others, in constraint order.
  std::vector<std::vector<size_t>> refers(n);
  for (size_t i = 0; i < n; ++i) {
    GeeArrayList* constraints =
        tarvex_brevane_meta_model_meta_table_get_constraints(tables[i].get());
    if (!constraints) continue;
    const gint count = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(constraints));
    for (gint c = 0; c < count; ++c) {
      GRef<GObject> item = adoptGRef(
          static_cast<GObject*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(constraints), c)));
      if (!TARVEX_BREVANE_META_MODEL_IS_META_FOREIGN_KEY(item.get())) continue;
      auto* key = TARVEX_BREVANE_META_MODEL_META_FOREIGN_KEY(item.get());
      const char* refer = tarvex_brevane_meta_model_meta_foreign_key_get_refer_table(key);
      const char* refer_schema = tarvex_brevane_meta_model_meta_foreign_key_get_refer_schema(key);
      if (!refer) continue;
      for (size_t j = 0; j < n; ++j) {
        if (name_of(tables[j].get()) != refer) continue;
        // A key into another schema does not name a table of this list.
        if (refer_schema && *refer_schema && schema_of(tables[j].get()) != refer_schema) continue;
        refers[i].push_back(j);
        break;
      }
    }
  }

  enum class Mark { None, Walking, Done };
  std::vector<Mark> marks(n, Mark::None);
  std::vector<size_t> order;
  order.reserve(n);
  // An explicit stack keeps long chains from deepening the C stack.
  struct Frame {
    size_t table;
    size_t next;
  };
  for (size_t start = 0; start < n; ++start) {
    if (marks[start] != Mark::None) continue;
    std::vector<Frame> stack{{start, 0}};
    marks[start] = Mark::Walking;
    while (!stack.empty()) {
      Frame& top = stack.back();
      if (top.next < refers[top.table].size()) {
        size_t j = refers[top.table][top.next++];
        if (marks[j] == Mark::None) {
          marks[j] = Mark::Walking;
          stack.push_back({j, 0});
        }
        continue;
      }
      marks[top.table] = Mark::Done;
      order.push_back(top.table);
      stack.pop_back();
    }
  }

  for (size_t k = 0; k < n; ++k) {
    if (order[k] == k) continue;
    gee_abstract_list_set(abstract, position + gint(k), tables[order[k]].get());
  }
}

}  // namespace

static void tarvex_brevane_supports_database_sql_builder_class_setup(
    TarvexBrevaneSupportsDatabaseSqlBuilderClass* klass) {
  klass->build_create = base_build_create;
  klass->build_delete = base_build_delete;
  klass->build_patch = base_build_patch;
  klass->build_normal = base_build_normal;
  klass->build_caller = base_build_caller;
  klass->quote_identifier = base_quote_identifier;
  klass->quote_value = base_quote_value;
  klass->alter_database = base_alter_database;
  klass->create_database = base_create_database;
  klass->alter_schema = base_alter_schema;
  klass->build_schema = base_build_schema;
  klass->build_table = base_build_table;
  klass->build_view = base_build_view;
  klass->build_index = base_build_index;
  klass->build_trigger = base_build_trigger;
  klass->build_function = base_build_function;
  klass->build_user = base_build_user;
  klass->build_role = base_build_role;
  klass->build_script = base_build_script;
  klass->build_event = base_build_event;
  klass->patch_event = base_patch_event;
  klass->patch_function = base_patch_function;
  klass->patch_script = base_patch_script;
  klass->patch_table = base_patch_table;
  klass->patch_view = base_patch_view;
  klass->patch_data_table = base_patch_data_table;
  klass->order_with_dependence = base_order_with_dependence;
}

// ------------------------------------------------------------ interface

static void sql_builder_ibuildable_init(TarvexBrevaneContractsDatabaseIBuildableIface* iface) {
  iface->build_create = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_create>;
  iface->build_delete = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_delete>;
  iface->build_patch = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_patch>;
  iface->build_normal = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_normal>;
  iface->build_caller = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_caller>;
  iface->build_script = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_script>;
  iface->patch_data_table =
      tarvex::forward<&tarvex_brevane_supports_database_sql_builder_patch_data_table>;
  iface->quote_identifier =
      tarvex::forward<&tarvex_brevane_supports_database_sql_builder_quote_identifier>;
  iface->quote_value = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_quote_value>;
  iface->alter_database =
      tarvex::forward<&tarvex_brevane_supports_database_sql_builder_alter_database>;
  iface->create_database =
      tarvex::forward<&tarvex_brevane_supports_database_sql_builder_create_database>;
  iface->alter_schema = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_alter_schema>;
  iface->build_schema = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_schema>;
  iface->build_table = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_table>;
  iface->build_view = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_view>;
  iface->build_index = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_index>;
  iface->build_trigger =
      tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_trigger>;
  iface->build_function =
      tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_function>;
  iface->build_user = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_user>;
  iface->build_role = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_role>;
  iface->build_event = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_build_event>;
  iface->patch_event = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_patch_event>;
  iface->patch_function =
      tarvex::forward<&tarvex_brevane_supports_database_sql_builder_patch_function>;
  iface->patch_script = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_patch_script>;
  iface->patch_table = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_patch_table>;
  iface->patch_view = tarvex::forward<&tarvex_brevane_supports_database_sql_builder_patch_view>;
}

// ------------------------------------------------------------ exported

TarvexBrevaneSupportsDatabaseSqlBuilder* tarvex_brevane_supports_database_sql_builder_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* conn) {
  g_return_val_if_fail(conn != NULL, nullptr);
  auto* self =
      static_cast<TarvexBrevaneSupportsDatabaseSqlBuilder*>(g_object_new(object_type, nullptr));
  self->conn = conn;
  return self;
}

TarvexBrevaneSupportsDatabaseSqlBuilder* tarvex_brevane_supports_database_sql_builder_new(
    TarvexBrevaneContractsDatabaseIConnection* conn) {
  return tarvex_brevane_supports_database_sql_builder_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_BUILDER, conn);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_create(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean raw) {
  return tarvex::call_slot<&SqlBuilderClass::build_create>(self, meta_object, raw);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_delete(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaObject* meta_object) {
  return tarvex::call_slot<&SqlBuilderClass::build_delete>(self, meta_object);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_patch(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaObject* meta_object,
    gboolean raw) {
  return tarvex::call_slot<&SqlBuilderClass::build_patch>(self, meta_object, raw);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_normal(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaTable* table,
    const gchar* action) {
  return tarvex::call_slot<&SqlBuilderClass::build_normal>(self, table, action);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_caller(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaRoutine* function) {
  return tarvex::call_slot<&SqlBuilderClass::build_caller>(self, function);
}

gchar* tarvex_brevane_supports_database_sql_builder_quote_identifier(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, const gchar* identifier, const gchar* separator,
    const gchar* replacement) {
  return tarvex::call_slot<&SqlBuilderClass::quote_identifier>(self, identifier, separator,
                                                               replacement);
}

gchar* tarvex_brevane_supports_database_sql_builder_quote_value(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexProvidersContractsDataType type,
    const gchar* raw_value) {
  return tarvex::call_slot<&SqlBuilderClass::quote_value>(self, type, raw_value);
}

gchar* tarvex_brevane_supports_database_sql_builder_alter_database(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaDatabase* database_old,
    TarvexBrevaneMetaModelMetaDatabase* database_new) {
  return tarvex::call_slot<&SqlBuilderClass::alter_database>(self, database_old, database_new);
}

gchar* tarvex_brevane_supports_database_sql_builder_create_database(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaDatabase* database,
    gboolean raw) {
  return tarvex::call_slot<&SqlBuilderClass::create_database>(self, database, raw);
}

gchar* tarvex_brevane_supports_database_sql_builder_alter_schema(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaSchema* schema_old,
    TarvexBrevaneMetaModelMetaSchema* schema_new) {
  return tarvex::call_slot<&SqlBuilderClass::alter_schema>(self, schema_old, schema_new);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_schema(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gboolean raw) {
  return tarvex::call_slot<&SqlBuilderClass::build_schema>(self, schema, raw);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_table(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaTable* table,
    gboolean raw) {
  return tarvex::call_slot<&SqlBuilderClass::build_table>(self, table, raw);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_view(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaView* view) {
  return tarvex::call_slot<&SqlBuilderClass::build_view>(self, view);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_index(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaIndex* index) {
  return tarvex::call_slot<&SqlBuilderClass::build_index>(self, index);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_trigger(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaTrigger* trigger) {
  return tarvex::call_slot<&SqlBuilderClass::build_trigger>(self, trigger);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_function(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaRoutine* routine) {
  return tarvex::call_slot<&SqlBuilderClass::build_function>(self, routine);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_user(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaUser* user) {
  return tarvex::call_slot<&SqlBuilderClass::build_user>(self, user);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_role(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaRole* role) {
  return tarvex::call_slot<&SqlBuilderClass::build_role>(self, role);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_script(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexProvidersContractsDataSetModel* dataset) {
  return tarvex::call_slot<&SqlBuilderClass::build_script>(self, dataset);
}

gchar* tarvex_brevane_supports_database_sql_builder_build_event(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaEvent* event) {
  return tarvex::call_slot<&SqlBuilderClass::build_event>(self, event);
}

gchar* tarvex_brevane_supports_database_sql_builder_patch_event(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaEvent* event) {
  return tarvex::call_slot<&SqlBuilderClass::patch_event>(self, event);
}

gchar* tarvex_brevane_supports_database_sql_builder_patch_function(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaRoutine* routine) {
  return tarvex::call_slot<&SqlBuilderClass::patch_function>(self, routine);
}

gchar* tarvex_brevane_supports_database_sql_builder_patch_script(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaDatabase* database) {
  return tarvex::call_slot<&SqlBuilderClass::patch_script>(self, database);
}

gchar* tarvex_brevane_supports_database_sql_builder_patch_table(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaTable* table) {
  return tarvex::call_slot<&SqlBuilderClass::patch_table>(self, table);
}

gchar* tarvex_brevane_supports_database_sql_builder_patch_view(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaView* view) {
  return tarvex::call_slot<&SqlBuilderClass::patch_view>(self, view);
}

gchar* tarvex_brevane_supports_database_sql_builder_patch_data_table(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexProvidersContractsTableModel* model) {
  return tarvex::call_slot<&SqlBuilderClass::patch_data_table>(self, model);
}

void tarvex_brevane_supports_database_sql_builder_order_with_dependence(
    TarvexBrevaneSupportsDatabaseSqlBuilder* self, TarvexBrevaneMetaModelMetaSchema* schema,
    gint position) {
  tarvex::call_slot<&SqlBuilderClass::order_with_dependence>(self, schema, position);
}
