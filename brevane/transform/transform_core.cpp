#include <cstring>

#include "brevane/helpers/date_time_helper.h"
#include "brevane/model/meta_object.h"
#include "brevane/transform/transform-private.h"
#include "common/tarvex-text-private.h"

namespace tarvex::transform {

namespace {
GQuark core_quark() {
  static GQuark quark = g_quark_from_static_string("tarvex-transform-core");
  return quark;
}
}  // namespace

std::optional<std::string> Core::option(const std::string& key) const {
  if (!options) return std::nullopt;
  if (!gee_map_has_key(options.get(), key.c_str())) return std::nullopt;
  GUniqueStr value(static_cast<char*>(gee_map_get(options.get(), key.c_str())));
  return std::string(value ? value.get() : "");
}

std::string Core::option_or(const std::string& key, const std::string& fallback) const {
  auto value = option(key);
  return value ? *value : fallback;
}

bool Core::has_option(const std::string& key) const {
  return options && gee_map_has_key(options.get(), key.c_str());
}

bool Core::option_true(const std::string& key) const {
  auto value = option(key);
  return value && *value == "true";
}

void Core::update(int outcome, const std::string* text) {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  if (!progress) return;
  progress->elapsed = g_get_monotonic_time() - start;
  if (outcome != 0) {
    progress->processed++;
    if (outcome > 0)
      progress->succeeded++;
    else
      progress->failed++;
  }
  if (text) g_queue_push_tail(progress->messages, tarvex::dup(now_text() + " " + *text));
}

void Core::succeeded(const std::string* text) {
  update(1, text);
}
void Core::failed(const std::string* text) {
  update(-1, text);
}

void Core::reset_counters() {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  if (!progress) return;
  progress->processed = progress->succeeded = progress->failed = 0;
  progress->finished = FALSE;
}

void Core::note(const std::string& text) {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  if (!progress) return;
  g_queue_push_tail(progress->messages, tarvex::dup(now_text() + " " + text));
}

void Core::finish() {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  if (!progress) return;
  progress->elapsed = g_get_monotonic_time() - start;
  progress->finished = 1;
}

Progress* Core::snapshot(bool take_messages) {
  std::lock_guard<std::recursive_mutex> lock(mutex);
  if (!progress) return nullptr;
  Progress* copy = tarvex_brevane_contracts_thread_progress_new();
  copy->processed = progress->processed;
  copy->succeeded = progress->succeeded;
  copy->failed = progress->failed;
  copy->elapsed = progress->elapsed;
  copy->finished = progress->finished;
  if (take_messages) {
    while (char* line = static_cast<char*>(g_queue_pop_head(progress->messages)))
      g_queue_push_tail(copy->messages, line);
  } else {
    for (GList* l = progress->messages->head; l; l = l->next)
      g_queue_push_tail(copy->messages, g_strdup(static_cast<char*>(l->data)));
  }
  return copy;
}

void Core::install_properties(GObjectClass* klass, GParamSpec** specs) {
  g_object_class_override_property(klass, PROP_SERVER_SOURCE, "server-source");
  g_object_class_override_property(klass, PROP_SERVER_TARGET, "server-target");
  g_object_class_override_property(klass, PROP_PROGRESS, "progress");
  specs[PROP_SERVER_SOURCE] = g_object_class_find_property(klass, "server-source");
  specs[PROP_SERVER_TARGET] = g_object_class_find_property(klass, "server-target");
  specs[PROP_PROGRESS] = g_object_class_find_property(klass, "progress");
}

bool Core::set_property(GObject* object, guint id, const GValue* value, GParamSpec** specs) {
  switch (id) {
    case PROP_SERVER_SOURCE:
    case PROP_SERVER_TARGET: {
      auto* connection = static_cast<IConnection*>(g_value_get_object(value));
      GRef<IConnection>& slot = id == PROP_SERVER_SOURCE ? source : target;
      slot = GRef<IConnection>::retain(connection);
      g_object_notify_by_pspec(object, specs[id]);
      return true;
    }
    case PROP_PROGRESS: {
      auto* record =
          static_cast<Progress*>(tarvex_brevane_contracts_value_get_thread_progress(value));
      {
        std::lock_guard<std::recursive_mutex> lock(mutex);
        progress = GRef<Progress>::retain(record);
      }
      g_object_notify_by_pspec(object, specs[id]);
      return true;
    }
    default:
      return false;
  }
}

bool Core::get_property(guint id, GValue* value) {
  switch (id) {
    case PROP_SERVER_SOURCE:
      g_value_set_object(value, source.get());
      return true;
    case PROP_SERVER_TARGET:
      g_value_set_object(value, target.get());
      return true;
    case PROP_PROGRESS:
      tarvex_brevane_contracts_value_set_thread_progress(value, progress.get());
      return true;
    default:
      return false;
  }
}

void Core::attach(gpointer object) {
  g_object_set_qdata(G_OBJECT(object), core_quark(), this);
}

Core* Core::of(gpointer object) {
  return static_cast<Core*>(g_object_get_qdata(G_OBJECT(object), core_quark()));
}

std::string key3(std::string_view a, std::string_view b, std::string_view c) {
  std::string out;
  out.reserve(a.size() + b.size() + c.size() + 2);
  out.append(a).append("|").append(b).append("|").append(c);
  return out;
}

std::string now_text() {
  GUniqueStr text(tarvex_brevane_helpers_date_time_helper_datetime_with_ms_normal());
  return text ? text.get() : "";
}

void log_uncaught(GError** error, const char* file, int line) {
  if (!error || !*error) return;
  g_critical("file %s: line %d: uncaught error: %s (%s, %d)", file, line, (*error)->message,
             g_quark_to_string((*error)->domain), (*error)->code);
  g_clear_error(error);
}

std::vector<contracts::ColumnFacts> column_facts(
    TarvexBrevaneContractsDatabaseIConnection* target,
    TarvexBrevaneContractsDatabaseIStatement* statement, const std::string& schema,
    const std::string& table) {
  const auto& dialect = contracts::statement_dialect(statement);
  const auto query = dialect.columns_query(schema, table);
  if (!query) return {};
  GError* ignored = nullptr;
  auto described = GRef<TarvexProvidersContractsTableModel>::adopt(
      tarvex_brevane_contracts_database_iconnection_execute_as_model(target, query->c_str(), 0,
                                                                     &ignored));
  std::vector<contracts::ColumnFacts> facts;
  if (described && !ignored) facts = dialect.read_columns(described.get());
  g_clear_error(&ignored);
  return facts;
}

std::vector<sql::Batch> non_blank_batches(std::string_view script) {
  std::vector<sql::Batch> out;
  for (auto& batch : sql::split_batches(script))
    if (!text::trim_view(batch.text).empty()) out.push_back(std::move(batch));
  return out;
}

NameIndex::NameIndex(GeeArrayList* list, GType type) : items_(items_of<GObject>(list)) {
  by_name_.reserve(items_.size());
  for (auto& item : items_) {
    if (type != G_TYPE_INVALID && !G_TYPE_CHECK_INSTANCE_TYPE(item.get(), type)) continue;
    const char* name = tarvex_brevane_meta_model_meta_object_get_name(
        reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(item.get()));
    by_name_.emplace(name ? name : "", item.get());
  }
}

gpointer NameIndex::find(const std::string& name) const {
  auto it = by_name_.find(name);
  return it == by_name_.end() ? nullptr : it->second;
}

GeeArrayList* new_string_list() {
  return gee_array_list_new(G_TYPE_STRING, (GBoxedCopyFunc)g_strdup, g_free, nullptr, nullptr,
                            nullptr);
}

void list_add(GeeArrayList* list, const std::string& text) {
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), text.c_str());
}

void install_model_properties(GObjectClass* klass, GParamSpec** specs, guint first,
                              const char* source_name, const char* target_name, GType type) {
  auto flags = GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS);
  specs[first] = g_param_spec_object(source_name, nullptr, nullptr, type, flags);
  specs[first + 1] = g_param_spec_object(target_name, nullptr, nullptr, type, flags);
  g_object_class_install_property(klass, first, specs[first]);
  g_object_class_install_property(klass, first + 1, specs[first + 1]);
}

}  // namespace tarvex::transform
