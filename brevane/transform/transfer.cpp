#include "brevane/transform/transfer.h"

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "brevane/contracts/iadaptable.h"
#include "brevane/contracts/ibuildable.h"
#include "brevane/contracts/istatement.h"
#include "brevane/contracts/statement-dialect-private.h"
#include "brevane/model/constraints/meta_check.h"
#include "brevane/model/constraints/meta_foreign_key.h"
#include "brevane/model/meta_column.h"
#include "brevane/model/meta_database.h"
#include "brevane/model/meta_index.h"
#include "brevane/model/meta_table.h"
#include "brevane/model/meta_trigger.h"
#include "brevane/model/meta_view.h"
#include "brevane/sql/sql-text-private.h"
#include "brevane/transform/transform-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-text-private.h"
#include "providers/contracts/row_model.h"
#include "providers/contracts/server.h"
#include "providers/contracts/table_model.h"

using tarvex::GRef;
using tarvex::GUniqueStr;
using namespace tarvex::transform;
namespace sql = tarvex::sql;

using MetaObject = TarvexBrevaneMetaModelMetaObject;
using MetaDatabase = TarvexBrevaneMetaModelMetaDatabase;
using MetaSchema = TarvexBrevaneMetaModelMetaSchema;
using MetaTable = TarvexBrevaneMetaModelMetaTable;
using MetaColumn = TarvexBrevaneMetaModelMetaColumn;
using MetaView = TarvexBrevaneMetaModelMetaView;
using Self = TarvexBrevaneTransformTransfer;

namespace {

// What the data phase needs of one selected table, taken before the
// structure is renamed: every key is formed from the source's names.
struct Column {
  std::string source;
  std::string target;
  std::string raw_type;
};

struct TablePlan {
  std::string database, schema, table;  // source
  std::string target_schema, target_table;
  std::vector<Column> columns;
  std::vector<std::string> keys;  // source key columns, in key order
  bool identity = false;
  bool triggers = false;  // has triggers, held off during the load
  gint64 page = 1000;
  std::vector<std::string> filters;
  std::vector<std::string> references;  // source tables it refers to (same schema)
};

// Up to this many selected tables and views are filled one by one; more
// cost fewer round trips as the deep fill of their schema.
constexpr size_t kFilledOneByOne = 2;

std::string str(const char* text) {
  return text ? text : "";
}
MetaObject* meta(gpointer p) {
  return reinterpret_cast<MetaObject*>(p);
}
// The answers of the connection's dialect (static: they outlive the
// statement asked).
const tarvex::contracts::StatementDialect& dialect_of(
    TarvexBrevaneContractsDatabaseIConnection* connection) {
  auto statement = GRef<TarvexBrevaneContractsDatabaseIStatement>::adopt(
      tarvex_brevane_contracts_database_iconnection_statement(connection));
  return tarvex::contracts::statement_dialect(statement.get());
}

void remove_at(GeeArrayList* list, gint i) {
  gpointer item = gee_abstract_list_remove_at(GEE_ABSTRACT_LIST(list), i);
  if (item) g_object_unref(item);
}

// A BATCH value: decimal, 0x hexadecimal or 0 octal.
gint64 parse_count(const std::string& text) {
  std::string t = trim(text);
  if (t.empty()) return 0;
  bool negative = t[0] == '-';
  if (negative || t[0] == '+') t.erase(0, 1);
  int base = 10;
  if (t.size() > 1 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    base = 16;
    t.erase(0, 2);
  } else if (t.size() > 1 && t[0] == '0') {
    base = 8;
  }
  gchar* end = nullptr;
  gint64 value = g_ascii_strtoll(t.c_str(), &end, base);
  if (!end || *end || t.empty()) return 0;
  return negative ? -value : value;
}

// FIELDS pairs "source=target" separated by ";", compared exactly.
std::vector<std::pair<std::string, std::string>> field_pairs(const std::string& fields) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& piece : tarvex::text::split(fields, ";")) {
    std::string p = trim(piece);
    if (p.empty()) continue;
    size_t eq = p.find('=');
    std::string left = trim(p.substr(0, eq));
    std::string right = eq == std::string::npos ? left : trim(p.substr(eq + 1));
    if (right.empty()) right = left;
    out.emplace_back(left, right);
  }
  return out;
}

// Columns the server fills itself.
bool server_filled(MetaColumn* column) {
  const std::string type =
      ascii_upper(str(tarvex_brevane_meta_model_meta_column_get_raw_type(column)));
  if (type == "TIMESTAMP" || type == "ROWVERSION") return true;
  if (tarvex_brevane_meta_model_meta_column_get_is_virtual(column)) return true;
  return !str(tarvex_brevane_meta_model_meta_column_get_expression(column)).empty();
}

bool has_identity(MetaColumn* column) {
  return !str(tarvex_brevane_meta_model_meta_column_get_identity(column)).empty() ||
         tarvex_brevane_meta_model_meta_column_get_auto_increment(column);
}

// Gives a table and everything in it another schema name.
void move_to_schema(MetaTable* table, const std::string& schema) {
  tarvex_brevane_meta_model_meta_object_set_schema(meta(table), schema.c_str());
  for (GeeArrayList* list : {tarvex_brevane_meta_model_meta_table_get_columns(table),
                             tarvex_brevane_meta_model_meta_table_get_indexes(table),
                             tarvex_brevane_meta_model_meta_table_get_constraints(table),
                             tarvex_brevane_meta_model_meta_table_get_triggers(table)})
    for (auto& item : items_of<MetaObject>(list))
      tarvex_brevane_meta_model_meta_object_set_schema(item.get(), schema.c_str());
}

// Keeps the FIELDS columns, renamed; true when every left side was found.
void apply_fields(MetaTable* table, const std::vector<std::pair<std::string, std::string>>& pairs) {
  GeeArrayList* columns = tarvex_brevane_meta_model_meta_table_get_columns(table);
  for (gint i = size_of(columns) - 1; i >= 0; --i) {
    auto column = GRef<MetaObject>::adopt(
        static_cast<MetaObject*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(columns), i)));
    const std::string name = name_of(column.get());
    auto it =
        std::find_if(pairs.begin(), pairs.end(), [&](const auto& p) { return p.first == name; });
    if (it == pairs.end()) {
      remove_at(columns, i);
    } else if (it->second != name) {
      tarvex_brevane_meta_model_meta_object_set_name(column.get(), it->second.c_str());
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------

typedef struct _TarvexBrevaneTransformTransferPrivate TarvexBrevaneTransformTransferPrivate;
struct _TarvexBrevaneTransformTransferPrivate {
  Core core;
};

static void transfer_itransform_init(TarvexBrevaneTransformITransformIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexBrevaneTransformTransfer, tarvex_brevane_transform_transfer,
                             G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_TRANSFORM_TYPE_ITRANSFORM,
                                                   transfer_itransform_init))

// A transfer has only the shared properties, the overrides of the interface ones.
enum { N_PROPERTIES = N_CORE_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];

static Core& core_of(gpointer self) {
  return tarvex_brevane_transform_transfer_get_private(self)->core;
}

static void transfer_set_property(GObject* object, guint id, const GValue* value,
                                  GParamSpec* pspec) {
  if (!core_of(object).set_property(object, id, value, properties))
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
}

static void transfer_get_property(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
  if (!core_of(object).get_property(id, value))
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
}

static void tarvex_brevane_transform_transfer_class_setup(
    TarvexBrevaneTransformTransferClass* klass) {
  GObjectClass* object_class = G_OBJECT_CLASS(klass);
  object_class->set_property = transfer_set_property;
  object_class->get_property = transfer_get_property;
  Core::install_properties(object_class, properties);
}

namespace {

class Run {
 public:
  Run(Self* self) : self_(self), core_(core_of(self)) {}

  void handle();

 private:
  GRef<MetaDatabase> load_meta_data(bool cont, GError** error);
  std::vector<std::string> selected_schemas() const;
  bool fill_selected(TarvexBrevaneContractsDatabaseIAdaptable* adapter, MetaSchema* schema,
                     GError** error);
  std::vector<TablePlan> do_restructure(MetaDatabase* database);
  void trim_table(MetaSchema* schema, const std::string& target_schema,
                  std::vector<TablePlan>& plans);
  void trim_view(MetaSchema* schema, const std::string& target_schema);
  bool transfer_structure(MetaDatabase* database, const std::vector<TablePlan>& plans, bool cont,
                          GError** error);
  bool transfer_user_data(std::vector<TablePlan>& plans, bool cont, GError** error);
  // Copies one table; `failed_rows` counts the rows the target refused.
  bool transfer_table(const TablePlan& plan, gint64* failed_rows, GError** error);
  // Copies one page; returns the number of rows the target refused.
  gint copy_page(const TablePlan& plan, TarvexProvidersContractsTableModel* page);

  // Runs one text on the target; counted as a step when `line` is given.
  bool run_target(const std::string& text, GError** error);

  Self* self_;
  Core& core_;
  bool cont_ = false;
};

bool Run::run_target(const std::string& text, GError** error) {
  tarvex_brevane_contracts_database_iconnection_execute_no_query(core_.target.get(), text.c_str(),
                                                                 0, error);
  return !(error && *error);
}

// The names of the schemas the options select.
std::vector<std::string> Run::selected_schemas() const {
  std::vector<std::string> names;
  if (!core_.options) return names;
  auto keys = GRef<GeeSet>::adopt(gee_map_get_keys(core_.options.get()));
  auto it = GRef<GeeIterator>::adopt(gee_iterable_iterator(GEE_ITERABLE(keys.get())));
  const std::string head = "schema|", tail = "|MODE";
  while (gee_iterator_next(it.get())) {
    GUniqueStr key(static_cast<char*>(gee_iterator_get(it.get())));
    std::string k = key ? key.get() : "";
    if (k.size() <= head.size() + tail.size() || k.compare(0, head.size(), head) != 0 ||
        k.compare(k.size() - tail.size(), tail.size(), tail) != 0)
      continue;
    names.push_back(k.substr(head.size(), k.size() - head.size() - tail.size()));
  }
  return names;
}

// Fills what the run moves out of one selected schema. Table and view
// selections name no schema, so their count bounds what any one schema
// holds of them: a few are filled one by one, after the schema's listing;
// more, and the schema is filled deep, its catalog read once for all its
// objects, whatever they number.
bool Run::fill_selected(TarvexBrevaneContractsDatabaseIAdaptable* adapter, MetaSchema* schema,
                        GError** error) {
  size_t selections = 0;
  if (core_.options) {
    auto keys = GRef<GeeSet>::adopt(gee_map_get_keys(core_.options.get()));
    auto it = GRef<GeeIterator>::adopt(gee_iterable_iterator(GEE_ITERABLE(keys.get())));
    const std::string head = "table|", tail = "|MODE";
    while (gee_iterator_next(it.get())) {
      GUniqueStr key(static_cast<char*>(gee_iterator_get(it.get())));
      std::string k = key ? key.get() : "";
      if (k.size() > head.size() + tail.size() && k.compare(0, head.size(), head) == 0 &&
          k.compare(k.size() - tail.size(), tail.size(), tail) == 0)
        ++selections;
    }
  }
  GError* failure = nullptr;
  const bool deep = selections > kFilledOneByOne;
  tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(adapter, schema, deep, deep,
                                                                &failure);
  if (!failure && !deep) {
    for (auto& table :
         items_of<MetaTable>(tarvex_brevane_meta_model_meta_schema_get_tables(schema))) {
      if (failure) break;
      if (core_.has_option(key3("table", name_of(table.get()), "MODE")))
        tarvex_brevane_contracts_database_iadaptable_fill_meta_table(adapter, table.get(), TRUE,
                                                                     &failure);
    }
    // A view turned into a table is read as a table when it is trimmed.
    for (auto& view : items_of<MetaView>(tarvex_brevane_meta_model_meta_schema_get_views(schema))) {
      if (failure) break;
      const std::string name = name_of(view.get());
      if (core_.has_option(key3("table", name, "MODE")) &&
          !core_.option_true(key3("table", name, "VIEW2TABLE")))
        tarvex_brevane_contracts_database_iadaptable_fill_meta_view(adapter, view.get(), &failure);
    }
  }
  if (!failure) return true;
  g_propagate_error(error, failure);
  return false;
}

GRef<MetaDatabase> Run::load_meta_data(bool cont, GError** error) {
  auto database = GRef<MetaDatabase>::adopt(tarvex_brevane_meta_model_meta_database_new_with_name(
      core_.option_or(key3("OPTION", "SOURCE", "DATABASE"), "").c_str()));
  auto adapter = GRef<TarvexBrevaneContractsDatabaseIAdaptable>::adopt(
      tarvex_brevane_contracts_database_iconnection_adapter(core_.source.get()));
  GError* failure = nullptr;
  if (adapter) {
    // The database itself, not its schemas: only the selected schemas are
    // filled, also where the database filler lists none of them.
    tarvex_brevane_contracts_database_iadaptable_fill_meta_database(adapter.get(), database.get(),
                                                                    FALSE, FALSE, &failure);
    for (const auto& name : failure ? std::vector<std::string>() : selected_schemas()) {
      auto schema = GRef<MetaSchema>::adopt(
          tarvex_brevane_meta_model_meta_database_append(database.get(), name.c_str()));
      if (!fill_selected(adapter.get(), schema.get(), &failure)) break;
    }
  }
  if (!failure) {
    std::string line = "Load meta data......[done]";
    core_.succeeded(&line);
    return database;
  }
  std::string line = std::string("Load meta data......\n") + failure->message;
  core_.failed(&line);
  if (!cont) {
    g_propagate_error(error, failure);
    return nullptr;
  }
  g_error_free(failure);
  return database;
}

void Run::trim_table(MetaSchema* schema, const std::string& target_schema,
                     std::vector<TablePlan>& plans) {
  GeeArrayList* tables = tarvex_brevane_meta_model_meta_schema_get_tables(schema);
  std::vector<TablePlan> found;
  for (gint i = size_of(tables) - 1; i >= 0; --i) {
    auto table = GRef<MetaTable>::adopt(
        static_cast<MetaTable*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(tables), i)));
    const std::string name = name_of(table.get());
    const std::string mode_key = key3("table", name, "MODE");
    if (!core_.has_option(mode_key)) {
      remove_at(tables, i);
      continue;
    }
    g_warning("transfer:366: Handle table: %s.%s.%s......", database_of(schema).c_str(),
              name_of(schema).c_str(), name.c_str());
    TablePlan plan;
    plan.database = database_of(schema);
    plan.schema = name_of(schema);
    plan.table = name;
    plan.target_schema = target_schema;
    plan.target_table = name;
    std::vector<std::pair<std::string, std::string>> pairs;
    bool all = true;
    if (core_.option_true(mode_key)) {
      plan.target_table = core_.option_or(key3("table", name, "NAME"), name);
      if (plan.target_table.empty()) plan.target_table = name;
      std::string fields = core_.option_or(key3("table", name, "FIELDS"), "ALL");
      all = fields == "ALL";
      if (!all) pairs = field_pairs(fields);
      plan.page = parse_count(core_.option_or(key3("table", name, "BATCH"), "1000"));
      std::string records = core_.option_or(key3("table", name, "RECORDS"), "");
      if (records.find(';') != std::string::npos)
        plan.filters = tarvex::text::split(records, ";");
      else
        plan.filters = {records};
    } else {
      plan.filters = {""};
    }
    for (auto& column :
         items_of<MetaColumn>(tarvex_brevane_meta_model_meta_table_get_columns(table.get()))) {
      const std::string column_name = name_of(column.get());
      if (tarvex_brevane_meta_model_meta_column_get_is_primary_key(column.get()))
        plan.keys.push_back(column_name);
      std::string target_name = column_name;
      if (!all) {
        auto it = std::find_if(pairs.begin(), pairs.end(),
                               [&](const auto& p) { return p.first == column_name; });
        if (it == pairs.end()) continue;
        target_name = it->second;
      }
      if (server_filled(column.get())) continue;
      if (has_identity(column.get())) plan.identity = true;
      const std::string raw = str(tarvex_brevane_meta_model_meta_column_get_raw_type(column.get()));
      plan.columns.push_back({column_name, target_name, raw});
    }
    for (auto& constraint :
         items_of<GObject>(tarvex_brevane_meta_model_meta_table_get_constraints(table.get()))) {
      if (TARVEX_BREVANE_META_MODEL_IS_META_FOREIGN_KEY(constraint.get())) {
        auto* fk = reinterpret_cast<TarvexBrevaneMetaModelMetaForeignKey*>(constraint.get());
        std::string refer_schema =
            str(tarvex_brevane_meta_model_meta_foreign_key_get_refer_schema(fk));
        if (refer_schema.empty() || refer_schema == plan.schema)
          plan.references.push_back(
              str(tarvex_brevane_meta_model_meta_foreign_key_get_refer_table(fk)));
      }
    }
    if (size_of(tarvex_brevane_meta_model_meta_table_get_triggers(table.get())) > 0)
      plan.triggers = true;
    // The catalog gives a current identity value only to a table with an
    // identity column; with every column copied, that column is written.
    if (all) {
      GeeMap* table_options =
          GEE_MAP(tarvex_brevane_meta_model_meta_table_get_options(table.get()));
      if (table_options && gee_map_has_key(table_options, "IDENT_CURRENT")) plan.identity = true;
    }

    // The structure follows the plan: columns, names, schema.
    if (!all) apply_fields(table.get(), pairs);
    if (plan.target_table != name)
      tarvex_brevane_meta_model_meta_object_set_name(meta(table.get()), plan.target_table.c_str());
    move_to_schema(table.get(), target_schema);
    std::string line =
        "tidy table: " + plan.database + "." + plan.schema + "." + name + "......[done]";
    core_.succeeded(&line);
    found.push_back(std::move(plan));
  }
  std::reverse(found.begin(), found.end());
  for (auto& plan : found) plans.push_back(std::move(plan));
}

void Run::trim_view(MetaSchema* schema, const std::string& target_schema) {
  GeeArrayList* views = tarvex_brevane_meta_model_meta_schema_get_views(schema);
  GeeArrayList* tables = tarvex_brevane_meta_model_meta_schema_get_tables(schema);
  for (gint i = size_of(views) - 1; i >= 0; --i) {
    auto view = GRef<MetaView>::adopt(
        static_cast<MetaView*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(views), i)));
    const std::string name = name_of(view.get());
    const std::string mode_key = key3("table", name, "MODE");
    if (!core_.has_option(mode_key)) {
      remove_at(views, i);
      continue;
    }
    g_warning("transfer:426: Handle view: %s.%s.%s......", database_of(schema).c_str(),
              name_of(schema).c_str(), name.c_str());
    std::string target_name = name;
    if (core_.option_true(mode_key)) {
      target_name = core_.option_or(key3("table", name, "NAME"), name);
      if (target_name.empty()) target_name = name;
    }
    if (core_.option_true(key3("table", name, "VIEW2TABLE"))) {
      // The view's columns with their types, as the catalog describes them.
      auto table = GRef<MetaTable>::adopt(tarvex_brevane_meta_model_meta_table_new_with_names(
          database_of(view.get()).c_str(), schema_of(view.get()).c_str(), name.c_str()));
      auto adapter = GRef<TarvexBrevaneContractsDatabaseIAdaptable>::adopt(
          tarvex_brevane_contracts_database_iconnection_adapter(core_.source.get()));
      GError* failure = nullptr;
      if (adapter)
        tarvex_brevane_contracts_database_iadaptable_fill_meta_table(adapter.get(), table.get(),
                                                                     FALSE, &failure);
      if (failure) {
        std::string line = "tidy view: " + database_of(schema) + "." + name_of(schema) + "." +
                           name + "......\n" + failure->message;
        core_.failed(&line);
        g_error_free(failure);
        remove_at(views, i);
        continue;
      }
      std::string fields = core_.option_or(key3("view", name, "FIELDS"), "ALL");
      if (fields != "ALL") apply_fields(table.get(), field_pairs(fields));
      // A table from a view has no key or identity of the view's.
      for (auto& column :
           items_of<MetaColumn>(tarvex_brevane_meta_model_meta_table_get_columns(table.get())))
        tarvex_brevane_meta_model_meta_column_set_is_primary_key(column.get(), FALSE);
      tarvex_brevane_meta_model_meta_object_set_name(meta(table.get()), target_name.c_str());
      move_to_schema(table.get(), target_schema);
      append(tables, table.get());
      remove_at(views, i);
    } else {
      if (target_name != name)
        tarvex_brevane_meta_model_meta_object_set_name(meta(view.get()), target_name.c_str());
      tarvex_brevane_meta_model_meta_object_set_schema(meta(view.get()), target_schema.c_str());
    }
    std::string line =
        "tidy view: " + database_of(schema) + "." + name_of(schema) + "." + name + "......[done]";
    core_.succeeded(&line);
  }
}

std::vector<TablePlan> Run::do_restructure(MetaDatabase* database) {
  std::vector<TablePlan> plans;
  GeeArrayList* schemas = tarvex_brevane_meta_model_meta_database_get_schemas(database);
  std::vector<std::vector<TablePlan>> per_schema;
  for (gint i = size_of(schemas) - 1; i >= 0; --i) {
    auto schema = GRef<MetaSchema>::adopt(
        static_cast<MetaSchema*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(schemas), i)));
    const std::string name = name_of(schema.get());
    const std::string mode_key = key3("schema", name, "MODE");
    auto mode = core_.option(mode_key);
    g_warning("transfer:127: Handle schema: %s ==> %s", mode_key.c_str(),
              mode ? mode->c_str() : "NULL");
    if (!mode) {
      remove_at(schemas, i);
      continue;
    }
    g_warning("transfer:133: Handle schema: %s.%s......", database_of(schema.get()).c_str(),
              name.c_str());
    std::string target = name;
    if (*mode == "true") {
      target = core_.option_or(key3("schema", name, "NAME"), name);
      if (target.empty()) target = name;
    }
    std::vector<TablePlan> found;
    trim_table(schema.get(), target, found);
    trim_view(schema.get(), target);
    if (target != name)
      tarvex_brevane_meta_model_meta_object_set_name(meta(schema.get()), target.c_str());
    for (auto& view :
         items_of<MetaObject>(tarvex_brevane_meta_model_meta_schema_get_views(schema.get())))
      tarvex_brevane_meta_model_meta_object_set_schema(view.get(), target.c_str());
    g_warning("transfer:150: Handle schema: %s.%s......[done]", database_of(schema.get()).c_str(),
              name.c_str());
    per_schema.push_back(std::move(found));
  }
  std::reverse(per_schema.begin(), per_schema.end());
  for (auto& list : per_schema)
    for (auto& plan : list) plans.push_back(std::move(plan));

  // Referenced tables first; a cycle keeps the catalog order of its members.
  std::vector<TablePlan> ordered;
  std::vector<bool> placed(plans.size(), false);
  for (size_t round = 0; round < plans.size(); ++round) {
    bool progress = false;
    for (size_t i = 0; i < plans.size(); ++i) {
      if (placed[i]) continue;
      bool ready = true;
      for (const auto& ref : plans[i].references)
        for (size_t j = 0; j < plans.size(); ++j)
          if (j != i && !placed[j] && plans[j].schema == plans[i].schema && plans[j].table == ref)
            ready = false;
      if (!ready) continue;
      placed[i] = true;
      progress = true;
      ordered.push_back(plans[i]);
    }
    if (!progress) break;
  }
  for (size_t i = 0; i < plans.size(); ++i)
    if (!placed[i]) ordered.push_back(plans[i]);
  return ordered;
}

bool Run::transfer_structure(MetaDatabase* database, const std::vector<TablePlan>& plans, bool cont,
                             GError** error) {
  auto builder = GRef<TarvexBrevaneContractsDatabaseIBuildable>::adopt(
      tarvex_brevane_contracts_database_iconnection_builder(core_.target.get()));
  const auto& dialect = dialect_of(core_.target.get());
  auto run_piece = [&](const std::string& piece, const char* what, const char* warning) {
    g_warning(warning, piece.c_str());
    GError* failure = nullptr;
    if (run_target(piece, &failure)) {
      std::string line = std::string(what) + "......[done]\n" + piece;
      core_.succeeded(&line);
      return true;
    }
    std::string line = std::string(what) + "......" + failure->message + "\n" + piece;
    core_.failed(&line);
    if (!cont) {
      g_propagate_error(error, failure);
      return false;
    }
    g_error_free(failure);
    return true;
  };

  auto schemas =
      items_of<MetaSchema>(tarvex_brevane_meta_model_meta_database_get_schemas(database));
  if (core_.option_true("OPTION|RESULT|DROP_OBJECT")) {
    // The schema's selected objects go, dependents first; the schema itself
    // stays (it may hold other objects).
    auto drop = [&](const std::optional<std::string>& text) {
      return !text || run_piece(*text, "drop object", "transfer:170: transfer_structure: %s");
    };
    for (auto& schema : schemas) {
      for (auto& view :
           items_of<MetaObject>(tarvex_brevane_meta_model_meta_schema_get_views(schema.get())))
        if (!drop(dialect.drop_view_if_exists(schema_of(view.get()), name_of(view.get()))))
          return false;
    }
    for (auto it = plans.rbegin(); it != plans.rend(); ++it)
      if (!drop(dialect.drop_table_if_exists(it->target_schema, it->target_table))) return false;
    for (auto& schema : schemas)
      for (auto& table :
           items_of<MetaObject>(tarvex_brevane_meta_model_meta_schema_get_tables(schema.get()))) {
        bool planned = std::any_of(plans.begin(), plans.end(), [&](const TablePlan& p) {
          return p.target_schema == schema_of(table.get()) &&
                 p.target_table == name_of(table.get());
        });
        if (!planned &&
            !drop(dialect.drop_table_if_exists(schema_of(table.get()), name_of(table.get()))))
          return false;
      }
  }
  for (auto& schema : schemas) {
    GUniqueStr text(builder ? tarvex_brevane_contracts_database_ibuildable_build_schema(
                                  builder.get(), schema.get(), FALSE)
                            : nullptr);
    const std::string script = text ? text.get() : "";
    g_warning("transfer:201: Transfer schema: %s.%s......\n%s", database_of(schema.get()).c_str(),
              name_of(schema.get()).c_str(), script.c_str());
    for (const auto& piece : non_blank_batches(script)) {
      // An existing schema is kept: only a missing one is created.
      const std::string batch = dialect.keep_existing_schema(name_of(schema.get()), piece.text);
      for (unsigned long run = 0; run < piece.repeat; ++run)
        if (!run_piece(batch, "create table", "transfer:209: transfer_structure: %s")) return false;
    }
    g_warning("transfer:236: Transfer schema: %s.%s......[done]", database_of(schema.get()).c_str(),
              name_of(schema.get()).c_str());
  }
  g_warning("transfer:239: Call transfer_structure...[done]");
  return true;
}

// The page's rows are written once: a statement that fails is sent again
// by halves from the same texts.
struct PageRows {
  std::vector<std::string> keys;  // "[id] = 7" (or the whole row "(v1, v2)" without a key)
};

// The rows of `page` into `insert`, and what names each of them.
PageRows page_rows(const TablePlan& plan, TarvexProvidersContractsTableModel* page, gint width,
                   sql::InsertWriter& insert) {
  PageRows out;
  std::vector<std::pair<gint, std::string>> key_at;
  for (const auto& key : plan.keys)
    for (gint c = 0; c < width; ++c)
      if (plan.columns[c].source == key) key_at.emplace_back(c, sql::bracketed(key));
  // A key column that is not copied cannot name the row.
  if (key_at.size() != plan.keys.size()) key_at.clear();
  const guint rows = g_list_model_get_n_items(G_LIST_MODEL(page));
  out.keys.reserve(rows);
  for (guint r = 0; r < rows; ++r) {
    auto row = GRef<TarvexProvidersContractsRowModel>::adopt(
        static_cast<TarvexProvidersContractsRowModel*>(
            g_list_model_get_item(G_LIST_MODEL(page), r)));
    std::vector<std::string> literals;
    std::string item = "(";
    for (gint c = 0; c < width; ++c) {
      auto value = GRef<TarvexProvidersContractsValueObject>::adopt(
          tarvex_providers_contracts_row_model_get_value_at(row.get(), c));
      literals.push_back(sql::value_literal(value.get()));
      item += (c ? ", " : "") + literals.back();
    }
    item += ")";
    std::string key;
    for (const auto& [c, name] : key_at)
      key += (key.empty() ? "" : ", ") + name + " = " + literals[c];
    out.keys.push_back(key.empty() ? item : key);
    insert.add_row(literals);
  }
  return out;
}

gint Run::copy_page(const TablePlan& plan, TarvexProvidersContractsTableModel* page) {
  const guint rows = g_list_model_get_n_items(G_LIST_MODEL(page));
  if (rows == 0) return 0;
  const gint width = std::min<gint>(
      gint(plan.columns.size()), size_of(tarvex_providers_contracts_table_model_get_columns(page)));
  const auto& dialect = dialect_of(core_.target.get());
  const auto identity_on =
      plan.identity ? dialect.identity_insert(plan.target_schema, plan.target_table, true)
                    : std::nullopt;
  const auto identity_off =
      plan.identity ? dialect.identity_insert(plan.target_schema, plan.target_table, false)
                    : std::nullopt;
  std::vector<std::string> names;
  for (gint c = 0; c < width; ++c) names.push_back(plan.columns[c].target);
  sql::InsertWriter insert(plan.target_schema, plan.target_table, names);
  const PageRows values = page_rows(plan, page, width, insert);
  const std::string where = plan.database + "." + plan.schema + "." + plan.table;

  // Each statement is a batch of its own, so that a failure belongs to its
  // rows alone; the identity switch is set in the same batch.
  auto statement = [&](size_t begin, size_t end) {
    std::string batch;
    if (identity_on) batch += *identity_on + "\n";
    batch += insert.statement(begin, end - begin) + "\n";
    if (identity_off) batch += *identity_off + "\n";
    return batch;
  };
  gint failed = 0;
  // A failed statement's rows go again by halves, down to the single rows
  // that the server refuses: only those fail.
  std::function<void(size_t, size_t)> send = [&](size_t begin, size_t end) {
    GError* failure = nullptr;
    if (run_target(statement(begin, end), &failure)) {
      std::string line =
          "transfer data " + where + "......" + std::to_string(end - begin) + " rows";
      core_.succeeded(&line);
      return;
    }
    if (end - begin > 1) {
      g_error_free(failure);
      const size_t middle = begin + (end - begin) / 2;
      send(begin, middle);
      send(middle, end);
      return;
    }
    std::string line = "transfer data " + where + "......row " + values.keys[begin] + " failed\n" +
                       failure->message;
    core_.failed(&line);
    g_error_free(failure);
    ++failed;
  };
  for (size_t begin = 0; begin < rows; begin += sql::kInsertRowsMax)
    send(begin, std::min<size_t>(rows, begin + sql::kInsertRowsMax));
  // A failure may leave the switch on for the session.
  if (failed && identity_off) {
    GError* ignored = nullptr;
    run_target(*identity_off, &ignored);
    g_clear_error(&ignored);
  }
  return failed;
}

bool Run::transfer_table(const TablePlan& plan, gint64* failed_rows, GError** error) {
  auto statement_of = [](IConnection* connection) {
    return GRef<TarvexBrevaneContractsDatabaseIStatement>::adopt(
        tarvex_brevane_contracts_database_iconnection_statement(connection));
  };
  auto source_statement = statement_of(core_.source.get());
  auto target_statement = statement_of(core_.target.get());
  if (!source_statement || !target_statement) {
    g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED,
                        "The connection has no statement texts");
    return false;
  }
  if (plan.page <= 0) {
    g_set_error(error, G_IO_ERROR, G_IO_ERROR_INVALID_ARGUMENT,
                "The page size of %s.%s must be a positive number", plan.schema.c_str(),
                plan.table.c_str());
    return false;
  }
  if (plan.columns.empty()) {
    g_set_error(error, G_IO_ERROR, G_IO_ERROR_INVALID_ARGUMENT, "No column of %s.%s is selected",
                plan.schema.c_str(), plan.table.c_str());
    return false;
  }
  // Emptying the target must never reach the source's own rows.
  bool same_server = core_.source == core_.target;
  if (!same_server) {
    auto* a = tarvex_brevane_contracts_database_iconnection_get_server(core_.source.get());
    auto* b = tarvex_brevane_contracts_database_iconnection_get_server(core_.target.get());
    same_server =
        a && b &&
        (a == b || (tarvex::str_equal0(tarvex_providers_contracts_server_get_host(a),
                                       tarvex_providers_contracts_server_get_host(b)) &&
                    tarvex_providers_contracts_server_get_port(a) ==
                        tarvex_providers_contracts_server_get_port(b) &&
                    tarvex::str_equal0(tarvex_providers_contracts_server_get_initial(a),
                                       tarvex_providers_contracts_server_get_initial(b))));
  }
  if (same_server && g_ascii_strcasecmp(plan.schema.c_str(), plan.target_schema.c_str()) == 0 &&
      g_ascii_strcasecmp(plan.table.c_str(), plan.target_table.c_str()) == 0) {
    g_set_error(error, G_IO_ERROR, G_IO_ERROR_EXISTS,
                "The target table %s.%s is the source table itself", plan.target_schema.c_str(),
                plan.target_table.c_str());
    return false;
  }

  GUniqueStr empty(tarvex_brevane_contracts_database_istatement_empty_table(
      target_statement.get(), plan.database.c_str(), plan.target_schema.c_str(),
      plan.target_table.c_str()));
  if (!run_target(empty ? empty.get() : "", error)) return false;
  core_.note("truncate table: " + plan.database + "." + plan.target_schema + "." +
             plan.target_table + "......[done]");

  // The target's own catalog tells which columns the server fills and
  // whether explicit identity values need the switch.
  TablePlan effective = plan;
  const auto facts = column_facts(core_.target.get(), target_statement.get(), plan.target_schema,
                                  plan.target_table);
  // What the target says wins; the source's flag stands only when the
  // target told nothing.
  if (!facts.empty()) effective.identity = false;
  for (const auto& fact : facts) {
    auto it = std::find_if(effective.columns.begin(), effective.columns.end(),
                           [&](const Column& c) { return c.target == fact.name; });
    if (it == effective.columns.end()) continue;
    if (fact.server_written)
      effective.columns.erase(it);
    else if (fact.identity)
      effective.identity = true;
  }
  if (effective.columns.empty()) {
    g_set_error(error, G_IO_ERROR, G_IO_ERROR_INVALID_ARGUMENT, "No column of %s.%s is writable",
                plan.schema.c_str(), plan.table.c_str());
    return false;
  }

  // Rows are read in key order, else by every column that can order them;
  // a read that nothing orders takes the order the content text gives.
  const auto& source_dialect = tarvex::contracts::statement_dialect(source_statement.get());
  std::string columns;
  std::vector<std::string> order_names = plan.keys;
  for (const auto& c : effective.columns)
    columns += (columns.empty() ? "" : ", ") +
               source_dialect.lossless_select_item(source_statement.get(), c.source, c.raw_type);
  if (order_names.empty())
    for (const auto& c : effective.columns)
      if (source_dialect.is_orderable(c.raw_type)) order_names.push_back(c.source);
  const std::string order = source_dialect.order_by(source_statement.get(), order_names);

  std::string joined;
  for (const auto& f : plan.filters) joined += (joined.empty() ? "" : ";") + f;
  g_warning("transfer:546: Recordsets: %d -> %s", int(plan.filters.size()), joined.c_str());
  const gint page_size = gint(std::min<gint64>(plan.page, G_MAXINT));
  for (const auto& filter : plan.filters) {
    const std::string where = trim(filter);
    GUniqueStr count_text(tarvex_brevane_contracts_database_istatement_show_effected(
        source_statement.get(), plan.database.c_str(), plan.schema.c_str(), plan.table.c_str(),
        where.c_str()));
    auto scalar = GRef<TarvexProvidersContractsValueObject>::adopt(
        tarvex_brevane_contracts_database_iconnection_execute_as_scalar(
            core_.source.get(), count_text ? count_text.get() : "", 0, error));
    if (error && *error) return false;
    GUniqueStr total_text(scalar ? tarvex_providers_contracts_value_object_to_string(scalar.get())
                                 : nullptr);
    gchar* end = nullptr;
    gint64 total = total_text ? g_ascii_strtoll(total_text.get(), &end, 10) : 0;
    if (!total_text || !end || *end || total < 0) {
      g_set_error(error, G_IO_ERROR, G_IO_ERROR_INVALID_DATA, "The row count of %s.%s is no number",
                  plan.schema.c_str(), plan.table.c_str());
      return false;
    }
    g_warning("transfer:551: Handle recordset: %s -> %lld", where.c_str(), (long long)total);
    for (gint64 offset = 0; offset < total; offset += page_size) {
      GUniqueStr query(source_dialect.content_with_select_list(
          source_statement.get(), plan.database.c_str(), plan.schema.c_str(), plan.table.c_str(),
          columns.c_str(), where.c_str(), order.c_str(), offset, page_size));
      auto page = GRef<TarvexProvidersContractsTableModel>::adopt(
          tarvex_brevane_contracts_database_iconnection_execute_as_model(
              core_.source.get(), query ? query.get() : "", 0, error));
      if (error && *error) return false;
      if (!page) break;
      g_debug("transfer:569: Transfer recordset: %lld ==> %u", (long long)offset,
              g_list_model_get_n_items(G_LIST_MODEL(page.get())));
      *failed_rows += copy_page(effective, page.get());
      // A short page means the rows ran out before the count.
      if (g_list_model_get_n_items(G_LIST_MODEL(page.get())) < guint(page_size)) break;
    }
  }
  // A refused row is counted on its own and never stops the run.
  return true;
}

bool Run::transfer_user_data(std::vector<TablePlan>& plans, bool cont, GError** error) {
  g_warning("transfer:244: Call transfer_user_data...");
  // Tables are loaded referenced ones first (the plans' order); triggers
  // wait until every table is loaded, so that a copy fires none of them.
  const auto& dialect = dialect_of(core_.target.get());
  auto guard = [&](bool hold) {
    for (const auto& plan : plans) {
      if (!plan.triggers) continue;
      const auto text = dialect.switch_triggers(plan.target_schema, plan.target_table, !hold);
      if (!text) continue;
      const std::string table = sql::bracketed_two_part(plan.target_schema, plan.target_table);
      GError* failure = nullptr;
      if (run_target(*text, &failure)) continue;
      std::string line = std::string(hold ? "disable triggers: " : "enable triggers: ") + table +
                         "......\n" + failure->message;
      core_.failed(&line);
      g_error_free(failure);
    }
  };
  guard(true);
  bool ok = true;
  for (const auto& plan : plans) {
    g_warning("transfer:499: Transfer table: %s.%s.%s", plan.database.c_str(), plan.schema.c_str(),
              plan.table.c_str());
    GError* failure = nullptr;
    gint64 failed_rows = 0;
    if (transfer_table(plan, &failed_rows, &failure)) {
      // Rows the target refused were counted one by one; the table's line
      // says how many instead of claiming it done.
      const std::string outcome = failed_rows == 0 ? std::string("[done]")
                                  : failed_rows == 1
                                      ? std::string("[1 row failed]")
                                      : "[" + std::to_string(failed_rows) + " rows failed]";
      std::string line = "transfer table data " + plan.database + "." + plan.schema + "." +
                         plan.table + "......" + outcome + "\n";
      core_.succeeded(&line);
      g_warning("transfer:590: Transfer table: %s.%s.%s......%s", plan.database.c_str(),
                plan.schema.c_str(), plan.table.c_str(), outcome.c_str());
      continue;
    }
    std::string line = "transfer table data " + plan.database + "." + plan.schema + "." +
                       plan.table + "......\n" + failure->message;
    core_.failed(&line);
    g_warning("transfer:600: Transfer table: %s.%s.%s......[failed]", plan.database.c_str(),
              plan.schema.c_str(), plan.table.c_str());
    if (!cont) {
      g_propagate_error(error, failure);
      ok = false;
      break;
    }
    g_error_free(failure);
  }
  guard(false);
  if (ok) g_warning("transfer:268: Call transfer_user_data...[done]");
  return ok;
}

void Run::handle() {
  core_.begin();
  core_.reset_counters();
  cont_ = core_.continue_on_error();
  g_warning("transfer:67: Process continue: %s", cont_ ? "true" : "false");
  GError* error = nullptr;
  auto database = load_meta_data(cont_, &error);
  if (database) {
    auto plans = do_restructure(database.get());
    if (transfer_structure(database.get(), plans, cont_, &error))
      transfer_user_data(plans, cont_, &error);
  }
  if (error) {
    g_warning("transfer:76: Process is broken: %s", error->message);
    g_clear_error(&error);
  }
  g_warning("transfer:78: Handle finished.");
  core_.finish();
}

}  // namespace

// ---------------------------------------------------------------------------

static void transfer_initialize(TarvexBrevaneTransformITransform*, GError**) {}

static void transfer_handle(TarvexBrevaneTransformITransform* iface_self) {
  auto* self = TARVEX_BREVANE_TRANSFORM_TRANSFER(iface_self);
  Core& core = core_of(self);
  TARVEX_RETURN_IF_FAIL_TEXT(core.source, "server_source != NULL");
  TARVEX_RETURN_IF_FAIL_TEXT(core.target, "server_target != NULL");
  Run(self).handle();
}

static void transfer_itransform_init(TarvexBrevaneTransformITransformIface* iface) {
  iface->initialize = transfer_initialize;
  iface->handle = transfer_handle;
  iface->get_server_source = [](TarvexBrevaneTransformITransform* self) {
    return core_of(self).source.get();
  };
  iface->set_server_source = [](TarvexBrevaneTransformITransform* self, IConnection* value) {
    g_object_set(self, "server-source", value, nullptr);
  };
  iface->get_server_target = [](TarvexBrevaneTransformITransform* self) {
    return core_of(self).target.get();
  };
  iface->set_server_target = [](TarvexBrevaneTransformITransform* self, IConnection* value) {
    g_object_set(self, "server-target", value, nullptr);
  };
  iface->get_progress = [](TarvexBrevaneTransformITransform* self) {
    return core_of(self).progress.get();
  };
  iface->set_progress = [](TarvexBrevaneTransformITransform* self, Progress* value) {
    g_object_set(self, "progress", value, nullptr);
  };
}

TarvexBrevaneTransformTransfer* tarvex_brevane_transform_transfer_construct(GType object_type,
                                                                            GeeMap* _options) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(GEE_IS_MAP(_options), "_options != NULL", nullptr);
  auto* self = static_cast<Self*>(g_object_new(object_type, nullptr));
  Core& core = core_of(self);
  core.options = GRef<GeeMap>::retain(_options);
  core.attach(self);
  return self;
}

TarvexBrevaneTransformTransfer* tarvex_brevane_transform_transfer_new(GeeMap* _options) {
  return tarvex_brevane_transform_transfer_construct(TARVEX_BREVANE_TRANSFORM_TYPE_TRANSFER,
                                                     _options);
}
