// State and helpers shared by the transform classes: the two connections,
// the progress record and the lock guarding its updates, the options map
// and the run's start time; option lookup, progress steps and the split of
// generated scripts into batches.
//
// Not installed, not part of the API.
#pragma once

#include <gee.h>

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "brevane/contracts/iconnection.h"
#include "brevane/contracts/statement-dialect-private.h"
#include "brevane/contracts/thread_progress.h"
#include "brevane/model/meta-helpers-private.h"
#include "brevane/sql/tsql-scanner-private.h"
#include "brevane/transform/itransform.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-text-private.h"

namespace tarvex {
template <>
struct GRefTraits<TarvexBrevaneContractsThreadProgress> {
  static TarvexBrevaneContractsThreadProgress* ref(TarvexBrevaneContractsThreadProgress* p) {
    return static_cast<TarvexBrevaneContractsThreadProgress*>(
        tarvex_brevane_contracts_thread_progress_ref(p));
  }
  static void unref(TarvexBrevaneContractsThreadProgress* p) {
    tarvex_brevane_contracts_thread_progress_unref(p);
  }
};
}  // namespace tarvex

namespace tarvex::transform {

using IConnection = TarvexBrevaneContractsDatabaseIConnection;
using Progress = TarvexBrevaneContractsThreadProgress;

// Property ids every transform class installs first.
enum { PROP_0, PROP_SERVER_SOURCE, PROP_SERVER_TARGET, PROP_PROGRESS, N_CORE_PROPERTIES };

struct Core {
  GRef<IConnection> source;
  GRef<IConnection> target;
  GRef<Progress> progress;
  std::recursive_mutex mutex;
  GRef<GeeMap> options;
  gint64 start = 0;  // monotonic microseconds

  // The option's value; none when the key is absent.
  std::optional<std::string> option(const std::string& key) const;
  std::string option_or(const std::string& key, const std::string& fallback) const;
  bool has_option(const std::string& key) const;
  // True only for the exact text "true".
  bool option_true(const std::string& key) const;
  bool continue_on_error() const { return option_true("OPTION|RESULT|CONTINUE"); }

  void begin() { start = g_get_monotonic_time(); }
  // One locked update: elapsed time, counters, an optional message line
  // (the current time, a blank and `text`).
  void succeeded(const std::string* text = nullptr);
  void failed(const std::string* text = nullptr);
  void reset_counters();
  // A message line without a counter change.
  void note(const std::string& text);
  void finish();

  // The copy handed to a reader on another thread.
  Progress* snapshot(bool take_messages);

  // Installs the three shared properties and answers for them.
  static void install_properties(GObjectClass* klass, GParamSpec** specs);
  bool set_property(GObject* object, guint id, const GValue* value, GParamSpec** specs);
  bool get_property(guint id, GValue* value);

  // Ties the core to its object, for the interface's progress snapshot.
  void attach(gpointer object);
  static Core* of(gpointer object);

 private:
  void update(int outcome, const std::string* text);
};

// The interface's connection and progress accessors, answered from the
// class's own core.
template <Core* (*CoreOf)(gpointer)>
void install_core_accessors(TarvexBrevaneTransformITransformIface* iface) {
  iface->get_server_source = [](TarvexBrevaneTransformITransform* self) {
    return CoreOf(self)->source.get();
  };
  iface->set_server_source = [](TarvexBrevaneTransformITransform* self, IConnection* value) {
    g_object_set(self, "server-source", value, nullptr);
  };
  iface->get_server_target = [](TarvexBrevaneTransformITransform* self) {
    return CoreOf(self)->target.get();
  };
  iface->set_server_target = [](TarvexBrevaneTransformITransform* self, IConnection* value) {
    g_object_set(self, "server-target", value, nullptr);
  };
  iface->get_progress = [](TarvexBrevaneTransformITransform* self) {
    return CoreOf(self)->progress.get();
  };
  iface->set_progress = [](TarvexBrevaneTransformITransform* self, Progress* value) {
    g_object_set(self, "progress", value, nullptr);
  };
}

// A synchronizer's two read-only model properties, with ids `first` and
// `first + 1`, installed after the core's.
void install_model_properties(GObjectClass* klass, GParamSpec** specs, guint first,
                              const char* source_name, const char* target_name, GType type);

// Answers for the core's properties and the two model properties at
// `first` and `first + 1`.
template <typename Priv>
void get_model_property(Priv* priv, GObject* object, guint id, GValue* value, GParamSpec* pspec,
                        guint first) {
  if (priv->core.get_property(id, value)) return;
  if (id == first)
    g_value_set_object(value, priv->source.get());
  else if (id == first + 1)
    g_value_set_object(value, priv->target.get());
  else
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
}

std::string key3(std::string_view a, std::string_view b, std::string_view c);
// The current local time as message lines begin with it.
std::string now_text();
// Logs an error a run does not pass on, and clears it.
void log_uncaught(GError** error, const char* file, int line);

// What the target's catalog says of the columns of schema.table, asked
// through the dialect of `statement` (a statement of `target`); empty when
// the dialect has no such query or the query fails.
std::vector<contracts::ColumnFacts> column_facts(
    TarvexBrevaneContractsDatabaseIConnection* target,
    TarvexBrevaneContractsDatabaseIStatement* statement, const std::string& schema,
    const std::string& table);

// The batches of a script that hold something to run, cut where
// sql::split_batches cuts (GO lines outside literals, comments and
// delimited names, never ";"). Blank batches are dropped.
std::vector<sql::Batch> non_blank_batches(std::string_view script);

// The meta model's name helpers and the shared text forms, under the names
// every transform file uses.
using meta::database_of;
using meta::name_of;
using meta::schema_of;
using text::ascii_upper;
using text::trim;

// Strings of a new GeeArrayList of texts.
GeeArrayList* new_string_list();
void list_add(GeeArrayList* list, const std::string& text);

// Borrowed items of a list, each with a reference of our own.
template <typename T>
std::vector<GRef<T>> items_of(GeeArrayList* list) {
  std::vector<GRef<T>> out;
  if (!list) return out;
  gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
  out.reserve(n);
  for (gint i = 0; i < n; ++i)
    out.push_back(
        GRef<T>::adopt(static_cast<T*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i))));
  return out;
}
// The meta objects of a list by name, made once for many lookups: a name
// answers with the first item of that name (and of `type`, when given), as
// a scan from the front would.
class NameIndex {
 public:
  explicit NameIndex(GeeArrayList* list, GType type = G_TYPE_INVALID);
  gpointer find(const std::string& name) const;

 private:
  std::vector<GRef<GObject>> items_;
  std::unordered_map<std::string, GObject*> by_name_;
};

inline gint size_of(GeeArrayList* list) {
  return list ? gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list)) : 0;
}
inline void append(GeeArrayList* list, gpointer item) {
  gee_abstract_collection_add(GEE_ABSTRACT_COLLECTION(list), item);
}

}  // namespace tarvex::transform
