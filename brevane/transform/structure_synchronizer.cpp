#include "brevane/transform/structure_synchronizer.h"

#include <string>
#include <vector>

#include "brevane/contracts/iadaptable.h"
#include "brevane/contracts/ibuildable.h"
#include "brevane/contracts/istatement.h"
#include "brevane/model/meta_event.h"
#include "brevane/model/meta_routine.h"
#include "brevane/model/meta_view.h"
#include "brevane/transform/patcher.h"
#include "brevane/transform/transform-private.h"
#include "common/tarvex-check-private.h"

using tarvex::GRef;
using tarvex::GUniqueStr;
using namespace tarvex::transform;

using Self = TarvexBrevaneTransformStructureSynchronizer;
using MetaObject = TarvexBrevaneMetaModelMetaObject;
using MetaSchema = TarvexBrevaneMetaModelMetaSchema;
using MetaTable = TarvexBrevaneMetaModelMetaTable;

typedef struct _TarvexBrevaneTransformStructureSynchronizerPrivate
    TarvexBrevaneTransformStructureSynchronizerPrivate;
typedef struct _TarvexBrevaneTransformStructureSynchronizerPrivate
    TarvexBrevaneTransformStructureSynchronizerPrivate;
struct _TarvexBrevaneTransformStructureSynchronizerPrivate {
  Core core;
  GRef<TarvexBrevaneTransformPatcher> patcher =
      GRef<TarvexBrevaneTransformPatcher>::adopt(tarvex_brevane_transform_patcher_new());
  GRef<MetaSchema> source;
  GRef<MetaSchema> target;
  // Objects the target's builder gives no text for, reported by `handle`
  // in their place among the texts: each before the text at `before`.
  struct Refusal {
    size_t before;
    std::string line;
  };
  std::vector<Refusal> refused;
};

static void structure_itransform_init(TarvexBrevaneTransformITransformIface* iface);
static void structure_isynchronize_init(TarvexBrevaneTransformISynchronizeIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexBrevaneTransformStructureSynchronizer,
                             tarvex_brevane_transform_structure_synchronizer, G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_TRANSFORM_TYPE_ITRANSFORM,
                                                   structure_itransform_init)
                                 G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_TRANSFORM_TYPE_ISYNCHRONIZE,
                                                       structure_isynchronize_init))

enum { PROP_SCHEMA_SOURCE = N_CORE_PROPERTIES, PROP_SCHEMA_TARGET, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];

static TarvexBrevaneTransformStructureSynchronizerPrivate* priv_of(gpointer self) {
  return tarvex_brevane_transform_structure_synchronizer_get_private(self);
}

static Core* core_of(gpointer self) {
  return &priv_of(self)->core;
}

static void structure_set_property(GObject* object, guint id, const GValue* value,
                                   GParamSpec* pspec) {
  if (!priv_of(object)->core.set_property(object, id, value, properties))
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
}

static void structure_get_property(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
  get_model_property(priv_of(object), object, id, value, pspec, PROP_SCHEMA_SOURCE);
}

static void tarvex_brevane_transform_structure_synchronizer_class_setup(
    TarvexBrevaneTransformStructureSynchronizerClass* klass) {
  GObjectClass* object_class = G_OBJECT_CLASS(klass);
  object_class->set_property = structure_set_property;
  object_class->get_property = structure_get_property;
  Core::install_properties(object_class, properties);
  install_model_properties(object_class, properties, PROP_SCHEMA_SOURCE, "schema-source",
                           "schema-target", TARVEX_BREVANE_META_MODEL_TYPE_META_SCHEMA);
}

namespace {

std::string str(const char* text) {
  return text ? text : "";
}
MetaObject* meta(gpointer p) {
  return reinterpret_cast<MetaObject*>(p);
}
using enum tarvex::meta::ChangeCode;

// Fresh schemas named from the options, filled from both connections.
bool fill(Self* self, GError** error) {
  auto* priv = priv_of(self);
  Core& core = priv->core;
  auto make = [&](const char* side) {
    return GRef<MetaSchema>::adopt(tarvex_brevane_meta_model_meta_schema_new_with_names(
        core.option_or(key3("OPTION", side, "DATABASE"), "").c_str(),
        core.option_or(key3("OPTION", side, "SCHEMA"), "").c_str()));
  };
  auto source = make("SOURCE");
  auto target = make("TARGET");
  for (auto [connection, schema] :
       {std::pair{core.source.get(), source.get()}, std::pair{core.target.get(), target.get()}}) {
    auto adapter = GRef<TarvexBrevaneContractsDatabaseIAdaptable>::adopt(
        tarvex_brevane_contracts_database_iconnection_adapter(connection));
    if (!adapter) continue;
    GError* failure = nullptr;
    tarvex_brevane_contracts_database_iadaptable_fill_meta_schema(adapter.get(), schema, TRUE, TRUE,
                                                                  &failure);
    if (failure) {
      g_propagate_error(error, failure);
      return false;
    }
  }
  priv->source = source;
  priv->target = target;
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_SCHEMA_SOURCE]);
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_SCHEMA_TARGET]);
  return true;
}

// Puts an object (and the children of a table) into the target's place.
void place(gpointer object, const std::string& database, const std::string& schema) {
  tarvex_brevane_meta_model_meta_object_set_database(meta(object), database.c_str());
  tarvex_brevane_meta_model_meta_object_set_schema(meta(object), schema.c_str());
  if (!TARVEX_BREVANE_META_MODEL_IS_META_TABLE(object)) return;
  auto* table = TARVEX_BREVANE_META_MODEL_META_TABLE(object);
  for (GeeArrayList* list : {tarvex_brevane_meta_model_meta_table_get_columns(table),
                             tarvex_brevane_meta_model_meta_table_get_indexes(table),
                             tarvex_brevane_meta_model_meta_table_get_constraints(table),
                             tarvex_brevane_meta_model_meta_table_get_triggers(table)})
    for (auto& item : items_of<MetaObject>(list)) {
      tarvex_brevane_meta_model_meta_object_set_database(item.get(), database.c_str());
      tarvex_brevane_meta_model_meta_object_set_schema(item.get(), schema.c_str());
    }
}

GeeList* generate(Self* self, GError** error) {
  auto* priv = priv_of(self);
  Core& core = priv->core;
  priv->refused.clear();
  if (!fill(self, error)) return nullptr;
  GeeArrayList* out = new_string_list();
  MetaSchema* patched = nullptr;
  gint code = tarvex_brevane_transform_patcher_diff_meta_schema(
      priv->patcher.get(), priv->source.get(), priv->target.get(), FALSE, &patched);
  auto owned = GRef<MetaSchema>::adopt(patched);
  if (code == 1 || !patched) return GEE_LIST(out);

  auto builder = GRef<TarvexBrevaneContractsDatabaseIBuildable>::adopt(
      tarvex_brevane_contracts_database_iconnection_builder(core.target.get()));
  auto statement = GRef<TarvexBrevaneContractsDatabaseIStatement>::adopt(
      tarvex_brevane_contracts_database_iconnection_statement(core.target.get()));
  if (!builder || !statement) return GEE_LIST(out);
  const std::string database =
      str(tarvex_brevane_meta_model_meta_object_get_database(meta(priv->target.get())));
  const std::string schema = name_of(priv->target.get());
  auto add = [&](gchar* text) {
    GUniqueStr owned_text(text);
    if (owned_text && *owned_text.get()) list_add(out, owned_text.get());
  };
  auto drop = [&](gpointer object, TarvexProvidersContractsDBObject kind) {
    return tarvex_brevane_contracts_database_istatement_drop_object(
        statement.get(), kind, database.c_str(), schema.c_str(), name_of(object).c_str(), "");
  };
  // An object the builder writes no text for (an encrypted routine) is a
  // step that fails, named, where its statements would have run.
  auto refuse = [&](gpointer object, bool changed) {
    const std::string name = schema + "." + name_of(object);
    priv->refused.push_back(
        {size_t(size_of(out)), "No text can be written for " + name +
                                   " (for example an encrypted routine); " +
                                   (changed ? "it is kept as it is." : "it is not created.")});
  };
  auto create = [&](gpointer object, gchar* made) {
    GUniqueStr text(made);
    if (!text || trim(text.get()).empty())
      refuse(object, false);
    else
      list_add(out, text.get());
  };
  // A changed object is dropped only when its new text exists, and then in
  // a batch of its own: T-SQL wants CREATE VIEW (and routines) first in a
  // batch.
  auto recreate = [&](gpointer object, TarvexProvidersContractsDBObject kind, gchar* create) {
    GUniqueStr text(create);
    if (!text || trim(text.get()).empty()) {
      refuse(object, true);
      return;
    }
    add(drop(object, kind));
    list_add(out, text.get());
  };
  auto selected = [&](const char* nick, gpointer object) {
    return core.has_option(key3("OPTION", nick, name_of(object)));
  };
  auto version = [](gpointer object) {
    return int(tarvex_brevane_meta_model_meta_object_get_version(meta(object)));
  };

  const NameIndex source_tables(
      tarvex_brevane_meta_model_meta_schema_get_tables(priv->source.get()));
  const NameIndex target_tables(
      tarvex_brevane_meta_model_meta_schema_get_tables(priv->target.get()));
  for (auto& table :
       items_of<MetaTable>(tarvex_brevane_meta_model_meta_schema_get_tables(patched))) {
    if (!selected("table", table.get())) continue;
    place(table.get(), database, schema);
    switch (version(table.get())) {
      case kCreated:
        add(tarvex_brevane_contracts_database_ibuildable_build_table(builder.get(), table.get(),
                                                                     TRUE));
        break;
      case kDropped:
        add(drop(table.get(), TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE));
        break;
      case kChanged: {
        // The builder patches the desired table (the source's) with the
        // change record read against the current one (the target's).
        gpointer desired_source = source_tables.find(name_of(table.get()));
        gpointer current = target_tables.find(name_of(table.get()));
        if (!desired_source || !current) break;
        auto desired = GRef<MetaTable>::adopt(TARVEX_BREVANE_META_MODEL_META_TABLE(
            tarvex_brevane_meta_model_meta_object_clone(meta(desired_source))));
        place(desired.get(), database, schema);
        place(current, database, schema);
        tarvex_brevane_transform_patcher_diff_model(priv->patcher.get(), meta(current),
                                                    meta(desired.get()));
        add(tarvex_brevane_contracts_database_ibuildable_patch_table(builder.get(), desired.get()));
        break;
      }
      default:
        break;
    }
  }
  for (auto& view : items_of<TarvexBrevaneMetaModelMetaView>(
           tarvex_brevane_meta_model_meta_schema_get_views(patched))) {
    if (!selected("view", view.get())) continue;
    place(view.get(), database, schema);
    switch (version(view.get())) {
      case kCreated:
        create(view.get(),
               tarvex_brevane_contracts_database_ibuildable_build_view(builder.get(), view.get()));
        break;
      case kChanged:
        recreate(
            view.get(), TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW,
            tarvex_brevane_contracts_database_ibuildable_build_view(builder.get(), view.get()));
        break;
      case kDropped:
        add(drop(view.get(), TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW));
        break;
      default:
        break;
    }
  }
  for (auto& routine : items_of<TarvexBrevaneMetaModelMetaRoutine>(
           tarvex_brevane_meta_model_meta_schema_get_routines(patched))) {
    if (!selected("function", routine.get())) continue;
    place(routine.get(), database, schema);
    // Procedures are dropped as procedures.
    auto kind = TARVEX_BREVANE_META_MODEL_IS_META_PROCEDURE(routine.get())
                    ? TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PROCEDURE
                    : TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FUNCTION;
    switch (version(routine.get())) {
      case kCreated:
        create(routine.get(), tarvex_brevane_contracts_database_ibuildable_build_function(
                                  builder.get(), routine.get()));
        break;
      case kChanged:
        recreate(routine.get(), kind,
                 tarvex_brevane_contracts_database_ibuildable_build_function(builder.get(),
                                                                             routine.get()));
        break;
      case kDropped:
        add(drop(routine.get(), kind));
        break;
      default:
        break;
    }
  }
  for (auto& event : items_of<TarvexBrevaneMetaModelMetaEvent>(
           tarvex_brevane_meta_model_meta_schema_get_events(patched))) {
    if (!selected("event", event.get())) continue;
    place(event.get(), database, schema);
    switch (version(event.get())) {
      case kCreated:
        create(event.get(), tarvex_brevane_contracts_database_ibuildable_build_event(builder.get(),
                                                                                     event.get()));
        break;
      case kChanged:
        recreate(
            event.get(), TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EVENT,
            tarvex_brevane_contracts_database_ibuildable_build_event(builder.get(), event.get()));
        break;
      case kDropped:
        add(drop(event.get(), TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EVENT));
        break;
      default:
        break;
    }
  }
  return GEE_LIST(out);
}

}  // namespace

static void structure_initialize(TarvexBrevaneTransformITransform* iface_self, GError** error) {
  auto* self = TARVEX_BREVANE_TRANSFORM_STRUCTURE_SYNCHRONIZER(iface_self);
  Core& core = priv_of(self)->core;
  TARVEX_RETURN_IF_FAIL_TEXT(core.source, "server_source != NULL");
  TARVEX_RETURN_IF_FAIL_TEXT(core.target, "server_target != NULL");
  fill(self, error);
}

static GObject* structure_preview(TarvexBrevaneTransformISynchronize* iface_self, GError** error) {
  auto* self = TARVEX_BREVANE_TRANSFORM_STRUCTURE_SYNCHRONIZER(iface_self);
  auto* priv = priv_of(self);
  if (!priv->source || !priv->target) return nullptr;
  MetaSchema* patched = nullptr;
  tarvex_brevane_transform_patcher_diff_meta_schema(priv->patcher.get(), priv->source.get(),
                                                    priv->target.get(), FALSE, &patched);
  auto owned = GRef<MetaSchema>::adopt(patched);
  if (!fill(self, error)) return nullptr;
  return G_OBJECT(owned.leak());
}

static GeeList* structure_generate(TarvexBrevaneTransformISynchronize* iface_self, GError** error) {
  return generate(TARVEX_BREVANE_TRANSFORM_STRUCTURE_SYNCHRONIZER(iface_self), error);
}

static void structure_handle(TarvexBrevaneTransformITransform* iface_self) {
  auto* self = TARVEX_BREVANE_TRANSFORM_STRUCTURE_SYNCHRONIZER(iface_self);
  auto* priv = priv_of(self);
  Core& core = priv->core;
  TARVEX_RETURN_IF_FAIL_TEXT(core.source, "server_source != NULL");
  TARVEX_RETURN_IF_FAIL_TEXT(core.target, "server_target != NULL");
  core.begin();
  const bool cont = core.continue_on_error();
  GError* error = nullptr;
  auto texts = GRef<GeeList>::adopt(generate(self, &error));
  if (!texts) {
    log_uncaught(&error, __FILE__, __LINE__);
    core.finish();
    return;
  }
  bool stop = false;
  size_t next_refusal = 0;
  // The refusals standing before the text at `position`.
  auto report_refusals = [&](size_t position) {
    for (; next_refusal < priv->refused.size() && priv->refused[next_refusal].before <= position &&
           !stop;
         ++next_refusal) {
      core.failed(&priv->refused[next_refusal].line);
      if (!cont) stop = true;
    }
  };
  gint n = gee_collection_get_size(GEE_COLLECTION(texts.get()));
  for (gint i = 0; i <= n && !stop; ++i) {
    report_refusals(size_t(i));
    if (stop || i == n) break;
    GUniqueStr text(static_cast<char*>(gee_list_get(texts.get(), i)));
    for (const auto& batch : non_blank_batches(text ? text.get() : "")) {
      const std::string bare = trim(batch.text);
      for (unsigned long run = 0; run < batch.repeat && !stop; ++run) {
        GError* failure = nullptr;
        tarvex_brevane_contracts_database_iconnection_execute_no_query(core.target.get(),
                                                                       bare.c_str(), 0, &failure);
        if (!failure) {
          core.succeeded();
          continue;
        }
        std::string line = failure->message;
        core.failed(&line);
        g_error_free(failure);
        if (!cont) stop = true;
      }
      if (stop) break;
    }
  }
  core.finish();
}

static void structure_itransform_init(TarvexBrevaneTransformITransformIface* iface) {
  iface->initialize = structure_initialize;
  iface->handle = structure_handle;
  install_core_accessors<core_of>(iface);
}

static void structure_isynchronize_init(TarvexBrevaneTransformISynchronizeIface* iface) {
  iface->preview = structure_preview;
  iface->generate = structure_generate;
}

TarvexBrevaneTransformStructureSynchronizer*
tarvex_brevane_transform_structure_synchronizer_construct(GType object_type, GeeMap* _options) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(GEE_IS_MAP(_options), "_options != NULL", nullptr);
  auto* self = static_cast<Self*>(g_object_new(object_type, nullptr));
  auto* priv = priv_of(self);
  priv->core.options = GRef<GeeMap>::retain(_options);
  priv->core.attach(self);
  return self;
}

TarvexBrevaneTransformStructureSynchronizer* tarvex_brevane_transform_structure_synchronizer_new(
    GeeMap* _options) {
  return tarvex_brevane_transform_structure_synchronizer_construct(
      TARVEX_BREVANE_TRANSFORM_TYPE_STRUCTURE_SYNCHRONIZER, _options);
}

TarvexBrevaneMetaModelMetaSchema* tarvex_brevane_transform_structure_synchronizer_get_schema_source(
    Self* self) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_TRANSFORM_IS_STRUCTURE_SYNCHRONIZER(self),
                                 "self != NULL", nullptr);
  return priv_of(self)->source.get();
}

TarvexBrevaneMetaModelMetaSchema* tarvex_brevane_transform_structure_synchronizer_get_schema_target(
    Self* self) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_TRANSFORM_IS_STRUCTURE_SYNCHRONIZER(self),
                                 "self != NULL", nullptr);
  return priv_of(self)->target.get();
}
