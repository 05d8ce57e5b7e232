#include "brevane/transform/userdata_synchronizer.h"

#include <algorithm>
#include <string>
#include <vector>

#include "brevane/contracts/iadaptable.h"
#include "brevane/contracts/ibuildable.h"
#include "brevane/contracts/istatement.h"
#include "brevane/contracts/statement-dialect-private.h"
#include "brevane/model/meta_column.h"
#include "brevane/model/meta_table.h"
#include "brevane/transform/patcher.h"
#include "brevane/transform/transform-private.h"
#include "common/tarvex-check-private.h"
#include "providers/contracts/row_model.h"
#include "providers/contracts/table_model.h"

using tarvex::GRef;
using tarvex::GUniqueStr;
using namespace tarvex::transform;

using Self = TarvexBrevaneTransformUserdataSynchronizer;
using DataSet = TarvexProvidersContractsDataSetModel;
using TableModel = TarvexProvidersContractsTableModel;

typedef struct _TarvexBrevaneTransformUserdataSynchronizerPrivate
    TarvexBrevaneTransformUserdataSynchronizerPrivate;
typedef struct _TarvexBrevaneTransformUserdataSynchronizerPrivate
    TarvexBrevaneTransformUserdataSynchronizerPrivate;
struct _TarvexBrevaneTransformUserdataSynchronizerPrivate {
  Core core;
  GRef<TarvexBrevaneTransformPatcher> patcher =
      GRef<TarvexBrevaneTransformPatcher>::adopt(tarvex_brevane_transform_patcher_new());
  GRef<DataSet> source;
  GRef<DataSet> target;
};

static void userdata_itransform_init(TarvexBrevaneTransformITransformIface* iface);
static void userdata_isynchronize_init(TarvexBrevaneTransformISynchronizeIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexBrevaneTransformUserdataSynchronizer,
                             tarvex_brevane_transform_userdata_synchronizer, G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_TRANSFORM_TYPE_ITRANSFORM,
                                                   userdata_itransform_init)
                                 G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_TRANSFORM_TYPE_ISYNCHRONIZE,
                                                       userdata_isynchronize_init))

enum { PROP_DATASET_SOURCE = N_CORE_PROPERTIES, PROP_DATASET_TARGET, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];

static TarvexBrevaneTransformUserdataSynchronizerPrivate* priv_of(gpointer self) {
  return tarvex_brevane_transform_userdata_synchronizer_get_private(self);
}

static Core* core_of(gpointer self) {
  return &priv_of(self)->core;
}

static void userdata_set_property(GObject* object, guint id, const GValue* value,
                                  GParamSpec* pspec) {
  if (!priv_of(object)->core.set_property(object, id, value, properties))
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
}

static void userdata_get_property(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
  get_model_property(priv_of(object), object, id, value, pspec, PROP_DATASET_SOURCE);
}

static void tarvex_brevane_transform_userdata_synchronizer_class_setup(
    TarvexBrevaneTransformUserdataSynchronizerClass* klass) {
  GObjectClass* object_class = G_OBJECT_CLASS(klass);
  object_class->set_property = userdata_set_property;
  object_class->get_property = userdata_get_property;
  Core::install_properties(object_class, properties);
  install_model_properties(object_class, properties, PROP_DATASET_SOURCE, "dataset-source",
                           "dataset-target", TARVEX_PROVIDERS_CONTRACTS_TYPE_DATA_SET_MODEL);
}

namespace {

std::string str(const char* text) {
  return text ? text : "";
}

// The names of the selected tables, in name order.
std::vector<std::string> selected_tables(const Core& core) {
  std::vector<std::string> names;
  if (!core.options) return names;
  auto keys = GRef<GeeSet>::adopt(gee_map_get_keys(core.options.get()));
  auto it = GRef<GeeIterator>::adopt(gee_iterable_iterator(GEE_ITERABLE(keys.get())));
  const std::string head = "OPTION|table|";
  while (gee_iterator_next(it.get())) {
    GUniqueStr key(static_cast<char*>(gee_iterator_get(it.get())));
    std::string k = key ? key.get() : "";
    if (k.size() > head.size() && k.compare(0, head.size(), head) == 0)
      names.push_back(k.substr(head.size()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

void set_text(gpointer object, const char* key, const std::string& text) {
  g_object_set_data_full(G_OBJECT(object), key, g_strdup(text.c_str()), g_free);
}

bool fill(Self* self, GError** error) {
  auto* priv = priv_of(self);
  Core& core = priv->core;
  auto source = GRef<DataSet>::adopt(tarvex_providers_contracts_data_set_model_new());
  auto target = GRef<DataSet>::adopt(tarvex_providers_contracts_data_set_model_new());
  const std::string source_db = core.option_or(key3("OPTION", "SOURCE", "DATABASE"), "");
  const std::string source_schema = core.option_or(key3("OPTION", "SOURCE", "SCHEMA"), "");
  const std::string target_db = core.option_or(key3("OPTION", "TARGET", "DATABASE"), "");
  const std::string target_schema = core.option_or(key3("OPTION", "TARGET", "SCHEMA"), "");
  auto adapter = GRef<TarvexBrevaneContractsDatabaseIAdaptable>::adopt(
      tarvex_brevane_contracts_database_iconnection_adapter(core.source.get()));
  auto source_statement = GRef<TarvexBrevaneContractsDatabaseIStatement>::adopt(
      tarvex_brevane_contracts_database_iconnection_statement(core.source.get()));
  auto target_statement = GRef<TarvexBrevaneContractsDatabaseIStatement>::adopt(
      tarvex_brevane_contracts_database_iconnection_statement(core.target.get()));
  if (!adapter || !source_statement || !target_statement) {
    g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED,
                        "The connection has no adapter or statement texts");
    return false;
  }
  const auto& source_dialect = tarvex::contracts::statement_dialect(source_statement.get());
  for (const auto& name : selected_tables(core)) {
    // The source's columns and key, as its catalog describes them.
    auto table = GRef<TarvexBrevaneMetaModelMetaTable>::adopt(
        tarvex_brevane_meta_model_meta_table_new_with_names(source_db.c_str(),
                                                            source_schema.c_str(), name.c_str()));
    tarvex_brevane_contracts_database_iadaptable_fill_meta_table(adapter.get(), table.get(), FALSE,
                                                                 error);
    if (error && *error) return false;
    // The target's own catalog: the columns only its server writes
    // (computed ones, row versions) are neither read nor compared, as no
    // statement may write them; and whether explicit identity values
    // need the switch.
    const auto facts = column_facts(core.target.get(), target_statement.get(), target_schema, name);
    auto server_written = [&](const std::string& column) {
      return std::any_of(facts.begin(), facts.end(), [&](const auto& fact) {
        return fact.server_written && fact.name == column;
      });
    };
    std::string columns;
    std::vector<std::string> keys;
    for (auto& column : items_of<TarvexBrevaneMetaModelMetaColumn>(
             tarvex_brevane_meta_model_meta_table_get_columns(table.get()))) {
      const std::string column_name = str(tarvex_brevane_meta_model_meta_object_get_name(
          reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(column.get())));
      const bool key = tarvex_brevane_meta_model_meta_column_get_is_primary_key(column.get());
      // A key column is kept whatever writes it: rows are matched by it.
      if (!key && server_written(column_name)) continue;
      const std::string raw = str(tarvex_brevane_meta_model_meta_column_get_raw_type(column.get()));
      columns += (columns.empty() ? "" : ", ") +
                 source_dialect.lossless_select_item(source_statement.get(), column_name, raw);
      if (key) keys.push_back(column_name);
    }
    const std::string order = source_dialect.order_by(source_statement.get(), keys);
    std::vector<char*> key_names;
    for (const auto& k : keys) key_names.push_back(g_strdup(k.c_str()));
    key_names.push_back(nullptr);

    for (auto [connection, statement, db, schema, set] :
         {std::tuple{core.source.get(), source_statement.get(), source_db, source_schema,
                     source.get()},
          std::tuple{core.target.get(), target_statement.get(), target_db, target_schema,
                     target.get()}}) {
      GUniqueStr query(tarvex::contracts::statement_dialect(statement).content_with_select_list(
          statement, db.c_str(), schema.c_str(), name.c_str(), columns.c_str(), "", order.c_str(),
          0, 0));
      auto model =
          GRef<TableModel>::adopt(tarvex_brevane_contracts_database_iconnection_execute_as_model(
              connection, query ? query.get() : "", 0, error));
      if (error && *error) {
        for (char* k : key_names) g_free(k);
        return false;
      }
      if (!model) model = GRef<TableModel>::adopt(tarvex_providers_contracts_table_model_new());
      set_text(model.get(), "SCHEMA", target_schema);
      set_text(model.get(), "TABLE", name);
      if (!keys.empty())
        g_object_set_data_full(G_OBJECT(model.get()), "KEYS", g_strdupv(key_names.data()),
                               (GDestroyNotify)g_strfreev);
      gee_abstract_collection_add(
          GEE_ABSTRACT_COLLECTION(tarvex_providers_contracts_data_set_model_get_tables(set)),
          model.get());
    }
    for (char* k : key_names) g_free(k);

    // Explicit identity values on the target need the switch.
    if (std::any_of(facts.begin(), facts.end(), [](const auto& fact) { return fact.identity; })) {
      auto tables =
          items_of<TableModel>(tarvex_providers_contracts_data_set_model_get_tables(source.get()));
      set_text(tables.back().get(), "IDENTITY", "true");
    }
  }
  priv->source = source;
  priv->target = target;
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_DATASET_SOURCE]);
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_DATASET_TARGET]);
  return true;
}

GRef<DataSet> compare(Self* self) {
  auto* priv = priv_of(self);
  if (!priv->source || !priv->target) return nullptr;
  DataSet* patched = nullptr;
  tarvex_brevane_transform_patcher_diff_data_set(priv->patcher.get(), priv->source.get(),
                                                 priv->target.get(), &patched);
  return GRef<DataSet>::adopt(patched);
}

bool has_key(TableModel* table) {
  return g_object_get_data(G_OBJECT(table), "KEYS") != nullptr;
}

// The rows of a patched table by what they ask for.
struct RowCounts {
  int inserted = 0, updated = 0, deleted = 0;
};

RowCounts count_rows(TableModel* table) {
  RowCounts counts;
  guint rows = g_list_model_get_n_items(G_LIST_MODEL(table));
  for (guint r = 0; r < rows; ++r) {
    auto row = GRef<TarvexProvidersContractsRowModel>::adopt(
        static_cast<TarvexProvidersContractsRowModel*>(
            g_list_model_get_item(G_LIST_MODEL(table), r)));
    switch (tarvex_providers_contracts_row_model_get_version(row.get())) {
      case TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT:
        ++counts.inserted;
        break;
      case TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE:
        ++counts.updated;
        break;
      case TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE:
        ++counts.deleted;
        break;
      default:
        break;
    }
  }
  return counts;
}

std::string table_name(TableModel* table) {
  const std::string schema =
      str(static_cast<const char*>(g_object_get_data(G_OBJECT(table), "SCHEMA")));
  const std::string name =
      str(static_cast<const char*>(g_object_get_data(G_OBJECT(table), "TABLE")));
  return schema.empty() ? name : schema + "." + name;
}

std::string patch_text(Self* self, TableModel* table) {
  auto builder = GRef<TarvexBrevaneContractsDatabaseIBuildable>::adopt(
      tarvex_brevane_contracts_database_iconnection_builder(priv_of(self)->core.target.get()));
  if (!builder) return {};
  GUniqueStr text(
      tarvex_brevane_contracts_database_ibuildable_patch_data_table(builder.get(), table));
  return text ? text.get() : "";
}

}  // namespace

static void userdata_initialize(TarvexBrevaneTransformITransform* iface_self, GError** error) {
  auto* self = TARVEX_BREVANE_TRANSFORM_USERDATA_SYNCHRONIZER(iface_self);
  Core& core = priv_of(self)->core;
  TARVEX_RETURN_IF_FAIL_TEXT(core.source, "server_source != NULL");
  TARVEX_RETURN_IF_FAIL_TEXT(core.target, "server_target != NULL");
  fill(self, error);
}

static GObject* userdata_preview(TarvexBrevaneTransformISynchronize* iface_self, GError**) {
  return G_OBJECT(compare(TARVEX_BREVANE_TRANSFORM_USERDATA_SYNCHRONIZER(iface_self)).leak());
}

static GeeList* userdata_generate(TarvexBrevaneTransformISynchronize* iface_self, GError**) {
  auto* self = TARVEX_BREVANE_TRANSFORM_USERDATA_SYNCHRONIZER(iface_self);
  GeeArrayList* out = new_string_list();
  auto patched = compare(self);
  if (!patched) return GEE_LIST(out);
  for (auto& table :
       items_of<TableModel>(tarvex_providers_contracts_data_set_model_get_tables(patched.get()))) {
    std::string text = patch_text(self, table.get());
    if (!trim(text).empty()) list_add(out, text);
  }
  return GEE_LIST(out);
}

static void userdata_handle(TarvexBrevaneTransformITransform* iface_self) {
  auto* self = TARVEX_BREVANE_TRANSFORM_USERDATA_SYNCHRONIZER(iface_self);
  Core& core = priv_of(self)->core;
  TARVEX_RETURN_IF_FAIL_TEXT(core.source, "server_source != NULL");
  TARVEX_RETURN_IF_FAIL_TEXT(core.target, "server_target != NULL");
  core.begin();
  const bool cont = core.continue_on_error();
  auto patched = compare(self);
  bool stop = false;
  if (patched)
    for (auto& table : items_of<TableModel>(
             tarvex_providers_contracts_data_set_model_get_tables(patched.get()))) {
      if (stop) break;
      RowCounts counts = count_rows(table.get());
      // Without a key only inserts are written.
      if (!has_key(table.get())) {
        if (int refused = counts.updated + counts.deleted) {
          std::string line = "The table " + table_name(table.get()) +
                             " has no key: " + std::to_string(refused) +
                             " changed or deleted rows are not patched.";
          core.failed(&line);
          if (!cont) break;
        }
        counts.updated = counts.deleted = 0;
      }
      bool table_failed = false;
      // Empty texts are not run.
      for (const auto& batch : non_blank_batches(patch_text(self, table.get()))) {
        for (unsigned long run = 0; run < batch.repeat && !stop; ++run) {
          GError* failure = nullptr;
          tarvex_brevane_contracts_database_iconnection_execute_no_query(
              core.target.get(), batch.text.c_str(), 0, &failure);
          if (!failure) {
            core.succeeded();
            continue;
          }
          std::string line = failure->message;
          core.failed(&line);
          g_error_free(failure);
          table_failed = true;
          if (!cont) stop = true;
        }
        if (stop) break;
      }
      if (!table_failed)
        core.note(table_name(table.get()) + ": rows inserted " + std::to_string(counts.inserted) +
                  ", updated " + std::to_string(counts.updated) + ", deleted " +
                  std::to_string(counts.deleted) + ".");
    }
  core.finish();
}

static void userdata_itransform_init(TarvexBrevaneTransformITransformIface* iface) {
  iface->initialize = userdata_initialize;
  iface->handle = userdata_handle;
  install_core_accessors<core_of>(iface);
}

static void userdata_isynchronize_init(TarvexBrevaneTransformISynchronizeIface* iface) {
  iface->preview = userdata_preview;
  iface->generate = userdata_generate;
}

TarvexBrevaneTransformUserdataSynchronizer*
tarvex_brevane_transform_userdata_synchronizer_construct(GType object_type, GeeMap* _options) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(GEE_IS_MAP(_options), "_options != NULL", nullptr);
  auto* self = static_cast<Self*>(g_object_new(object_type, nullptr));
  auto* priv = priv_of(self);
  priv->core.options = GRef<GeeMap>::retain(_options);
  priv->core.attach(self);
  return self;
}

TarvexBrevaneTransformUserdataSynchronizer* tarvex_brevane_transform_userdata_synchronizer_new(
    GeeMap* _options) {
  return tarvex_brevane_transform_userdata_synchronizer_construct(
      TARVEX_BREVANE_TRANSFORM_TYPE_USERDATA_SYNCHRONIZER, _options);
}

DataSet* tarvex_brevane_transform_userdata_synchronizer_get_dataset_source(Self* self) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_TRANSFORM_IS_USERDATA_SYNCHRONIZER(self),
                                 "self != NULL", nullptr);
  return priv_of(self)->source.get();
}

DataSet* tarvex_brevane_transform_userdata_synchronizer_get_dataset_target(Self* self) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_TRANSFORM_IS_USERDATA_SYNCHRONIZER(self),
                                 "self != NULL", nullptr);
  return priv_of(self)->target.get();
}
