#include "brevane/transform/patcher.h"

#include <gee.h>
#include <json-glib/json-glib.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "brevane/model/constraints/meta_check.h"
#include "brevane/model/constraints/meta_exclude.h"
#include "brevane/model/constraints/meta_foreign_key.h"
#include "brevane/model/constraints/meta_unique.h"
#include "brevane/model/meta-helpers-private.h"
#include "brevane/model/meta_column.h"
#include "brevane/model/meta_index.h"
#include "brevane/model/meta_rule.h"
#include "brevane/model/meta_trigger.h"
#include "brevane/transform/transform-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-gobject-private.h"
#include "providers/contracts/column_model.h"
#include "providers/contracts/value-text-private.h"
#include "providers/contracts/value_object.h"

struct _TarvexBrevaneTransformPatcher {
  GObject parent_instance;
};

typedef struct _TarvexBrevaneTransformPatcherPrivate TarvexBrevaneTransformPatcherPrivate;
struct _TarvexBrevaneTransformPatcherPrivate {};

TARVEX_DEFINE_TYPE(TarvexBrevaneTransformPatcher, tarvex_brevane_transform_patcher, G_TYPE_OBJECT)

static void tarvex_brevane_transform_patcher_class_setup(TarvexBrevaneTransformPatcherClass*) {}

using tarvex::GRef;
using tarvex::GUniqueStr;
using tarvex::transform::append;
using tarvex::transform::items_of;
using tarvex::transform::NameIndex;
using Patcher = TarvexBrevaneTransformPatcher;
using MetaObject = TarvexBrevaneMetaModelMetaObject;
using MetaTable = TarvexBrevaneMetaModelMetaTable;
using MetaSchema = TarvexBrevaneMetaModelMetaSchema;
using MetaDatabase = TarvexBrevaneMetaModelMetaDatabase;
using TableModel = TarvexProvidersContractsTableModel;
using RowModel = TarvexProvidersContractsRowModel;
using DataSet = TarvexProvidersContractsDataSetModel;
using Value = TarvexProvidersContractsValueObject;

using tarvex::meta::database_of;
using tarvex::meta::name_of;
using tarvex::meta::schema_of;
using enum tarvex::meta::ChangeCode;

#define CHECK_PATCHER(v) \
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_TRANSFORM_IS_PATCHER(self), "self != NULL", v)

namespace {

MetaObject* meta(gpointer p) {
  return reinterpret_cast<MetaObject*>(p);
}

void set_version(gpointer object, gint code) {
  tarvex_brevane_meta_model_meta_object_set_version(
      meta(object), static_cast<TarvexProvidersContractsDataVersion>(code));
}

// Members set aside: the diff engine's own mark always; where an object
// lives when names are not compared.
void set_aside(JsonNode* node, bool normalized) {
  if (!node) return;
  if (JSON_NODE_HOLDS_OBJECT(node)) {
    JsonObject* object = json_node_get_object(node);
    json_object_remove_member(object, "version");
    if (!normalized) {
      json_object_remove_member(object, "database");
      json_object_remove_member(object, "schema");
    }
    GList* members = json_object_get_values(object);
    for (GList* l = members; l; l = l->next) set_aside(static_cast<JsonNode*>(l->data), normalized);
    g_list_free(members);
  } else if (JSON_NODE_HOLDS_ARRAY(node)) {
    JsonArray* array = json_node_get_array(node);
    guint n = json_array_get_length(array);
    for (guint i = 0; i < n; ++i) set_aside(json_array_get_element(array, i), normalized);
  }
}

std::string json_text(gpointer object, bool normalized) {
  JsonNode* node = json_gobject_serialize(G_OBJECT(object));
  set_aside(node, normalized);
  GUniqueStr text(json_to_string(node, FALSE));
  json_node_unref(node);
  return text ? text.get() : "";
}

bool same_json(gpointer a, gpointer b, bool normalized) {
  return json_text(a, normalized) == json_text(b, normalized);
}

// One child list compared at table level: 2 source only, 4 target only.
void diff_children(GeeArrayList* source, GeeArrayList* target, GeeArrayList* out, bool normalized,
                   GType type = G_TYPE_INVALID) {
  auto of_type = [type](GObject* item) {
    return type == G_TYPE_INVALID || G_TYPE_CHECK_INSTANCE_TYPE(item, type);
  };
  const NameIndex sources(source, type), targets(target, type);
  for (auto& s : items_of<GObject>(source)) {
    if (!of_type(s.get())) continue;
    gpointer t = targets.find(name_of(s.get()));
    if (!t) {
      set_version(s.get(), kDropped);
      append(out, s.get());
    } else if (same_json(s.get(), t, normalized)) {
      set_version(s.get(), kIdentical);
      append(out, s.get());
    } else {
      set_version(t, kChanged);
      append(out, t);
    }
  }
  for (auto& t : items_of<GObject>(target)) {
    if (!of_type(t.get())) continue;
    if (sources.find(name_of(t.get()))) continue;
    set_version(t.get(), kCreated);
    append(out, t.get());
  }
}

std::string map_get(GeeMap* map, const char* key) {
  GUniqueStr value(static_cast<char*>(gee_map_get(map, key)));
  return value ? value.get() : "";
}

std::vector<std::string> map_keys(GeeMap* map) {
  std::vector<std::string> keys;
  if (!map) return keys;
  GRef<GeeSet> set = GRef<GeeSet>::adopt(gee_map_get_keys(map));
  GRef<GeeIterator> it = GRef<GeeIterator>::adopt(gee_iterable_iterator(GEE_ITERABLE(set.get())));
  while (gee_iterator_next(it.get())) {
    GUniqueStr key(static_cast<char*>(gee_iterator_get(it.get())));
    keys.push_back(key ? key.get() : "");
  }
  return keys;
}

}  // namespace

TarvexBrevaneTransformPatcher* tarvex_brevane_transform_patcher_new(void) {
  return static_cast<Patcher*>(g_object_new(TARVEX_BREVANE_TRANSFORM_TYPE_PATCHER, nullptr));
}

// ---------------------------------------------------------------- generic

gint tarvex_brevane_transform_patcher_diff_object(Patcher* self, GObject* object_source,
                                                  GObject* object_target) {
  CHECK_PATCHER(kInitial);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(G_IS_OBJECT(object_source), "object_source != NULL", kInitial);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(G_IS_OBJECT(object_target), "object_target != NULL", kInitial);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(G_OBJECT_TYPE(object_source) == G_OBJECT_TYPE(object_target),
                                 "object_source.get_type() == object_target.get_type()", kInitial);
  guint n = 0;
  GParamSpec** specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(object_source), &n);
  gint code = kIdentical;
  for (guint i = 0; i < n && code == kIdentical; ++i) {
    GParamSpec* spec = specs[i];
    if (!(spec->flags & G_PARAM_READABLE)) continue;
    tarvex::GValueHolder a(spec->value_type), b(spec->value_type);
    g_object_get_property(object_source, spec->name, a.get());
    g_object_get_property(object_target, spec->name, b.get());
    if (g_param_values_cmp(spec, a.get(), b.get()) != 0) code = kChanged;
  }
  g_free(specs);
  return code;
}

static void append_code(MetaObject* target, const std::string& path,
                        tarvex::meta::ChangeCode code) {
  tarvex_brevane_meta_model_meta_object_append_diff(target, path.c_str(),
                                                    tarvex::meta::data_version(code));
}

static gint diff_model_impl(Patcher* self, MetaObject* source, MetaObject* target) {
  tarvex_brevane_meta_model_meta_object_clear_diff(target);
  guint n = 0;
  GParamSpec** specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(source), &n);
  for (guint i = 0; i < n; ++i) {
    GParamSpec* spec = specs[i];
    if (!(spec->flags & G_PARAM_READABLE)) continue;
    const std::string prop = spec->name;
    if (prop == "version") continue;
    tarvex::GValueHolder a(spec->value_type), b(spec->value_type);
    g_object_get_property(G_OBJECT(source), spec->name, a.get());
    g_object_get_property(G_OBJECT(target), spec->name, b.get());
    if (G_VALUE_HOLDS_OBJECT(a.get())) {
      auto* sa = static_cast<GObject*>(g_value_get_object(a.get()));
      auto* sb = static_cast<GObject*>(g_value_get_object(b.get()));
      if (sa && GEE_IS_MAP(sa) && (!sb || GEE_IS_MAP(sb))) {
        GeeMap* ms = GEE_MAP(sa);
        GeeMap* mt = sb ? GEE_MAP(sb) : nullptr;
        for (const auto& key : map_keys(ms)) {
          const std::string path = prop + "." + key;
          std::string value = map_get(ms, key.c_str());
          if (mt && gee_map_has_key(mt, key.c_str())) {
            if (map_get(mt, key.c_str()) == value) continue;
            append_code(target, path, kChanged);
          } else {
            append_code(target, path, kDropped);
          }
          tarvex_brevane_meta_model_meta_object_append_slice(target, path.c_str(), value.c_str());
        }
        for (const auto& key : map_keys(mt))
          if (!gee_map_has_key(ms, key.c_str())) append_code(target, prop + "." + key, kCreated);
        continue;
      }
      if (sa && GEE_IS_LIST(sa) && (!sb || GEE_IS_LIST(sb))) {
        GType element = gee_traversable_get_element_type(GEE_TRAVERSABLE(sa));
        GeeArrayList* ls = GEE_ARRAY_LIST(sa);
        GeeArrayList* lt = sb ? GEE_ARRAY_LIST(sb) : nullptr;
        if (g_type_is_a(element, TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)) {
          auto targets = items_of<MetaObject>(lt);
          for (auto& s : items_of<MetaObject>(ls)) {
            MetaObject* found = nullptr;
            for (auto& t : targets) {
              // A constraint list holds several classes: only one of the
              // same class is the same member.
              if (G_OBJECT_TYPE(t.get()) != G_OBJECT_TYPE(s.get())) continue;
              if (schema_of(t.get()) != schema_of(s.get())) continue;
              GeeMap* attributes =
                  GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(t.get()));
              bool renamed = attributes && gee_map_has_key(attributes, "__name__") &&
                             map_get(attributes, "__name__") == name_of(s.get());
              if (name_of(t.get()) == name_of(s.get()) || renamed) {
                found = t.get();
                break;
              }
            }
            if (found) {
              GeeMap* attributes =
                  GEE_MAP(tarvex_brevane_meta_model_meta_object_get_attributes(found));
              if (attributes) gee_map_unset(attributes, "__name__", nullptr);
              if (diff_model_impl(self, s.get(), found) == kChanged)
                append_code(target, prop + "." + name_of(found), kChanged);
            } else {
              append_code(target, prop + "." + name_of(s.get()), kDropped);
            }
          }
          auto sources = items_of<MetaObject>(ls);
          for (auto& t : targets) {
            GRef<GeeHashMap> slice =
                GRef<GeeHashMap>::adopt(tarvex_brevane_meta_model_meta_object_slice(t.get()));
            std::string old_name = slice && gee_map_has_key(GEE_MAP(slice.get()), "name")
                                       ? map_get(GEE_MAP(slice.get()), "name")
                                       : std::string();
            bool found = false;
            for (auto& s : sources) {
              if (G_OBJECT_TYPE(s.get()) != G_OBJECT_TYPE(t.get())) continue;
              if (schema_of(s.get()) != schema_of(t.get())) continue;
              if (name_of(s.get()) == name_of(t.get()) ||
                  (!old_name.empty() && name_of(s.get()) == old_name)) {
                found = true;
                break;
              }
            }
            if (!found) append_code(target, prop + "." + name_of(t.get()), kCreated);
          }
          continue;
        }
        if (element == G_TYPE_STRING) {
          auto contains = [](GeeArrayList* list, const char* text) {
            return list && gee_abstract_collection_contains(GEE_ABSTRACT_COLLECTION(list), text);
          };
          auto texts = [](GeeArrayList* list) {
            std::vector<std::string> out;
            gint count = tarvex::transform::size_of(list);
            for (gint k = 0; k < count; ++k) {
              GUniqueStr text(
                  static_cast<char*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), k)));
              out.push_back(text ? text.get() : "");
            }
            return out;
          };
          for (const auto& entry : texts(ls))
            if (!contains(lt, entry.c_str())) append_code(target, prop + "." + entry, kDropped);
          for (const auto& entry : texts(lt))
            if (!contains(ls, entry.c_str())) append_code(target, prop + "." + entry, kCreated);
          continue;
        }
      }
      if (sa && sb && TARVEX_BREVANE_META_MODEL_IS_META_OBJECT(sa) &&
          G_OBJECT_TYPE(sa) == G_OBJECT_TYPE(sb)) {
        if (diff_model_impl(self, meta(sa), meta(sb)) == kChanged)
          append_code(target, prop, kChanged);
        continue;
      }
      if (sa && sb && G_OBJECT_TYPE(sa) == G_OBJECT_TYPE(sb)) {
        if (tarvex_brevane_transform_patcher_diff_object(self, sa, sb) == kChanged)
          append_code(target, prop, kChanged);
        continue;
      }
      if (sa != sb) append_code(target, prop, kChanged);
      continue;
    }
    if (g_param_values_cmp(spec, a.get(), b.get()) != 0) {
      append_code(target, prop, kChanged);
      // The slice keeps the plain text of the old value, unescaped.
      tarvex_brevane_meta_model_meta_object_append_slice_value(target, prop.c_str(), a.get());
    }
  }
  g_free(specs);
  GRef<GeeHashMap> diff =
      GRef<GeeHashMap>::adopt(tarvex_brevane_meta_model_meta_object_diff(target));
  return diff && gee_map_get_size(GEE_MAP(diff.get())) > 0 ? kChanged : kIdentical;
}

gint tarvex_brevane_transform_patcher_diff_model(Patcher* self, MetaObject* source,
                                                 MetaObject* target) {
  CHECK_PATCHER(kInitial);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_META_MODEL_IS_META_OBJECT(source), "source != NULL",
                                 kInitial);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_META_MODEL_IS_META_OBJECT(target), "target != NULL",
                                 kInitial);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(G_OBJECT_TYPE(source) == G_OBJECT_TYPE(target),
                                 "source.get_type() == target.get_type()", kInitial);
  return diff_model_impl(self, source, target);
}

// ---------------------------------------------------------------- meta model

#define CHECK_PAIR(source, target, IS)                                    \
  CHECK_PATCHER(kInitial);                                                \
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(IS(source), "source != NULL", kInitial); \
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(IS(target), "target != NULL", kInitial)

gint tarvex_brevane_transform_patcher_diff_meta_table(Patcher* self, MetaTable* source,
                                                      MetaTable* target, gboolean normalized,
                                                      MetaTable** patched) {
  CHECK_PAIR(source, target, TARVEX_BREVANE_META_MODEL_IS_META_TABLE);
  if (same_json(source, target, normalized)) {
    if (patched) *patched = nullptr;
    return kIdentical;
  }
  auto out = GRef<MetaTable>::adopt(tarvex_brevane_meta_model_meta_table_new_with_names(
      database_of(target).c_str(), schema_of(target).c_str(), name_of(target).c_str()));
  set_version(out.get(), kChanged);

  // Columns: the target's own ones first, then the source's in order.
  GeeArrayList* sc = tarvex_brevane_meta_model_meta_table_get_columns(source);
  GeeArrayList* tc = tarvex_brevane_meta_model_meta_table_get_columns(target);
  GeeArrayList* oc = tarvex_brevane_meta_model_meta_table_get_columns(out.get());
  const NameIndex source_columns(sc), target_columns(tc);
  for (auto& t : items_of<GObject>(tc)) {
    if (source_columns.find(name_of(t.get()))) continue;
    set_version(t.get(), kCreated);
    append(oc, t.get());
  }
  for (auto& s : items_of<GObject>(sc)) {
    gpointer t = target_columns.find(name_of(s.get()));
    if (!t) {
      set_version(s.get(), kDropped);
      append(oc, s.get());
    } else if (same_json(s.get(), t, normalized)) {
      set_version(s.get(), kIdentical);
      append(oc, s.get());
    } else {
      set_version(t, kChanged);
      append(oc, t);
    }
  }

  diff_children(tarvex_brevane_meta_model_meta_table_get_indexes(source),
                tarvex_brevane_meta_model_meta_table_get_indexes(target),
                tarvex_brevane_meta_model_meta_table_get_indexes(out.get()), normalized);
  GeeArrayList* sk = tarvex_brevane_meta_model_meta_table_get_constraints(source);
  GeeArrayList* tk = tarvex_brevane_meta_model_meta_table_get_constraints(target);
  GeeArrayList* ok = tarvex_brevane_meta_model_meta_table_get_constraints(out.get());
  diff_children(sk, tk, ok, normalized, TARVEX_BREVANE_META_MODEL_TYPE_META_FOREIGN_KEY);
  diff_children(tarvex_brevane_meta_model_meta_table_get_triggers(source),
                tarvex_brevane_meta_model_meta_table_get_triggers(target),
                tarvex_brevane_meta_model_meta_table_get_triggers(out.get()), normalized);
  diff_children(sk, tk, ok, normalized, TARVEX_BREVANE_META_MODEL_TYPE_META_CHECK);
  diff_children(sk, tk, ok, normalized, TARVEX_BREVANE_META_MODEL_TYPE_META_UNIQUE);
  diff_children(tarvex_brevane_meta_model_meta_table_get_rules(source),
                tarvex_brevane_meta_model_meta_table_get_rules(target),
                tarvex_brevane_meta_model_meta_table_get_rules(out.get()), normalized);
  diff_children(sk, tk, ok, normalized, TARVEX_BREVANE_META_MODEL_TYPE_META_EXCLUDE);

  GeeMap* so = GEE_MAP(tarvex_brevane_meta_model_meta_table_get_options(source));
  GeeMap* to = GEE_MAP(tarvex_brevane_meta_model_meta_table_get_options(target));
  GeeMap* oo = GEE_MAP(tarvex_brevane_meta_model_meta_table_get_options(out.get()));
  for (const auto& key : map_keys(to)) {
    std::string value = map_get(to, key.c_str());
    if (so && gee_map_has_key(so, key.c_str()) && map_get(so, key.c_str()) == value) continue;
    gee_map_set(oo, key.c_str(), value.c_str());
  }
  const char* sc_comment = tarvex_brevane_meta_model_meta_object_get_comment(meta(source));
  const char* tc_comment = tarvex_brevane_meta_model_meta_object_get_comment(meta(target));
  if (!tarvex::str_equal0(sc_comment ? sc_comment : "", tc_comment ? tc_comment : ""))
    gee_map_set(oo, "COMMENT", tc_comment ? tc_comment : "");

  if (patched) *patched = out.leak();
  return kChanged;
}

static gint diff_whole(gpointer source, gpointer target, gboolean normalized, gpointer* patched) {
  if (patched) *patched = nullptr;
  return same_json(source, target, normalized) ? kIdentical : kChanged;
}

gint tarvex_brevane_transform_patcher_diff_meta_view(Patcher* self,
                                                     TarvexBrevaneMetaModelMetaView* source,
                                                     TarvexBrevaneMetaModelMetaView* target,
                                                     gboolean normalized,
                                                     TarvexBrevaneMetaModelMetaView** patched) {
  CHECK_PAIR(source, target, TARVEX_BREVANE_META_MODEL_IS_META_VIEW);
  return diff_whole(source, target, normalized, reinterpret_cast<gpointer*>(patched));
}

gint tarvex_brevane_transform_patcher_diff_meta_function(
    Patcher* self, TarvexBrevaneMetaModelMetaRoutine* source,
    TarvexBrevaneMetaModelMetaRoutine* target, gboolean normalized,
    TarvexBrevaneMetaModelMetaRoutine** patched) {
  CHECK_PAIR(source, target, TARVEX_BREVANE_META_MODEL_IS_META_ROUTINE);
  return diff_whole(source, target, normalized, reinterpret_cast<gpointer*>(patched));
}

gint tarvex_brevane_transform_patcher_diff_meta_event(Patcher* self,
                                                      TarvexBrevaneMetaModelMetaEvent* source,
                                                      TarvexBrevaneMetaModelMetaEvent* target,
                                                      gboolean normalized,
                                                      TarvexBrevaneMetaModelMetaEvent** patched) {
  CHECK_PAIR(source, target, TARVEX_BREVANE_META_MODEL_IS_META_EVENT);
  return diff_whole(source, target, normalized, reinterpret_cast<gpointer*>(patched));
}

gint tarvex_brevane_transform_patcher_diff_meta_schema(Patcher* self, MetaSchema* source,
                                                       MetaSchema* target, gboolean normalized,
                                                       MetaSchema** patched) {
  CHECK_PAIR(source, target, TARVEX_BREVANE_META_MODEL_IS_META_SCHEMA);
  if (same_json(source, target, normalized)) {
    if (patched) *patched = nullptr;
    return kIdentical;
  }
  auto out = GRef<MetaSchema>::adopt(tarvex_brevane_meta_model_meta_schema_new_with_names(
      database_of(target).c_str(), name_of(target).c_str()));
  using Lister = GeeArrayList* (*)(MetaSchema*);
  struct Kind {
    Lister list;
    int which;  // 0 event, 1 routine, 2 table, 3 view
  };
  const Kind kinds[] = {{tarvex_brevane_meta_model_meta_schema_get_events, 0},
                        {tarvex_brevane_meta_model_meta_schema_get_routines, 1},
                        {tarvex_brevane_meta_model_meta_schema_get_tables, 2},
                        {tarvex_brevane_meta_model_meta_schema_get_views, 3}};
  for (const Kind& kind : kinds) {
    GeeArrayList* sl = kind.list(source);
    GeeArrayList* tl = kind.list(target);
    GeeArrayList* ol = kind.list(out.get());
    const NameIndex sources(sl), targets(tl);
    for (auto& s : items_of<GObject>(sl)) {
      gpointer t = targets.find(name_of(s.get()));
      if (!t) {
        set_version(s.get(), kCreated);
        append(ol, s.get());
        continue;
      }
      gint code = kChanged;
      MetaTable* table_patch = nullptr;
      switch (kind.which) {
        case 0:
          code = tarvex_brevane_transform_patcher_diff_meta_event(
              self, TARVEX_BREVANE_META_MODEL_META_EVENT(s.get()),
              TARVEX_BREVANE_META_MODEL_META_EVENT(t), normalized, nullptr);
          break;
        case 1:
          code = same_json(s.get(), t, normalized) ? kIdentical : kChanged;
          break;
        case 2:
          code = tarvex_brevane_transform_patcher_diff_meta_table(
              self, TARVEX_BREVANE_META_MODEL_META_TABLE(s.get()),
              TARVEX_BREVANE_META_MODEL_META_TABLE(t), normalized, &table_patch);
          break;
        default:
          code = tarvex_brevane_transform_patcher_diff_meta_view(
              self, TARVEX_BREVANE_META_MODEL_META_VIEW(s.get()),
              TARVEX_BREVANE_META_MODEL_META_VIEW(t), normalized, nullptr);
          break;
      }
      if (table_patch) {
        append(ol, table_patch);
        g_object_unref(table_patch);
      } else {
        set_version(s.get(), code);
        append(ol, s.get());
      }
    }
    for (auto& t : items_of<GObject>(tl)) {
      if (sources.find(name_of(t.get()))) continue;
      set_version(t.get(), kDropped);
      append(ol, t.get());
    }
  }
  if (patched) *patched = out.leak();
  return kChanged;
}

gint tarvex_brevane_transform_patcher_diff_meta_database(Patcher* self, MetaDatabase* source,
                                                         MetaDatabase* target, gboolean normalized,
                                                         MetaDatabase** patched) {
  CHECK_PAIR(source, target, TARVEX_BREVANE_META_MODEL_IS_META_DATABASE);
  if (same_json(source, target, normalized)) {
    if (patched) *patched = nullptr;
    return kIdentical;
  }
  auto out = GRef<MetaDatabase>::adopt(
      tarvex_brevane_meta_model_meta_database_new_with_name(database_of(target).c_str()));
  GeeArrayList* sl = tarvex_brevane_meta_model_meta_database_get_schemas(source);
  GeeArrayList* tl = tarvex_brevane_meta_model_meta_database_get_schemas(target);
  GeeArrayList* ol = tarvex_brevane_meta_model_meta_database_get_schemas(out.get());
  const NameIndex sources(sl), targets(tl);
  for (auto& s : items_of<GObject>(sl)) {
    gpointer t = targets.find(name_of(s.get()));
    if (!t) {
      set_version(s.get(), kDropped);
      append(ol, s.get());
      continue;
    }
    MetaSchema* schema_patch = nullptr;
    gint code = tarvex_brevane_transform_patcher_diff_meta_schema(
        self, TARVEX_BREVANE_META_MODEL_META_SCHEMA(s.get()),
        TARVEX_BREVANE_META_MODEL_META_SCHEMA(t), normalized, &schema_patch);
    if (code == kChanged && schema_patch) {
      set_version(schema_patch, kChanged);
      append(ol, schema_patch);
    }
    if (schema_patch) g_object_unref(schema_patch);
  }
  for (auto& t : items_of<GObject>(tl)) {
    if (sources.find(name_of(t.get()))) continue;
    set_version(t.get(), kCreated);
    append(ol, t.get());
  }
  if (patched) *patched = out.leak();
  return kChanged;
}

// ---------------------------------------------------------------- data

namespace {

GQuark version_quark() {
  static GQuark quark = g_quark_from_static_string("VERSION");
  return quark;
}

void tag(Value* value, gint code) {
  if (value) g_object_set_qdata(G_OBJECT(value), version_quark(), GINT_TO_POINTER(code));
}

guint count_of(gpointer list_model) {
  return list_model ? g_list_model_get_n_items(G_LIST_MODEL(list_model)) : 0;
}

// The row's values, made once so that the tags stay on them.
std::vector<GRef<Value>> values_of(RowModel* row) {
  return items_of<Value>(tarvex_providers_contracts_row_model_get_values(row));
}

// The whole text, so that texts differing only after a U+0000 differ.
std::string value_text(Value* value) {
  if (!value) return {};
  if (tarvex_providers_contracts_value_object_get_is_null(value)) return {};
  std::string text;
  tarvex::values::value_text(value, text);
  return text;
}

bool same_value(Value* a, Value* b) {
  if (G_OBJECT_TYPE(a) != G_OBJECT_TYPE(b)) return false;
  bool null_a = tarvex_providers_contracts_value_object_get_is_null(a);
  bool null_b = tarvex_providers_contracts_value_object_get_is_null(b);
  if (null_a || null_b) return null_a == null_b;
  return value_text(a) == value_text(b);
}

// Compares two rows value by value; tags both sides and returns the code.
gint compare_rows(RowModel* source, RowModel* target) {
  auto sv = values_of(source);
  auto tv = values_of(target);
  gint code = sv.size() == tv.size() ? kIdentical : kChanged;
  for (size_t i = 0; i < sv.size(); ++i) {
    gint value_code = kInitial;
    if (i < tv.size() && sv[i] && tv[i])
      value_code = same_value(sv[i].get(), tv[i].get()) ? kIdentical : kChanged;
    if (value_code != kIdentical) code = kChanged;
    tag(sv[i].get(), value_code);
    if (i < tv.size()) tag(tv[i].get(), value_code);
  }
  return code;
}

GRef<RowModel> row_with(RowModel* from, TarvexProvidersContractsDataVersion version) {
  auto row = GRef<RowModel>::adopt(tarvex_providers_contracts_row_model_new());
  GeeArrayList* values = tarvex_providers_contracts_row_model_get_values(row.get());
  for (auto& v : values_of(from)) append(values, v.get());
  tarvex_providers_contracts_row_model_set_version(row.get(), version);
  return row;
}

GRef<RowModel> row_at(TableModel* table, guint i) {
  return GRef<RowModel>::adopt(
      static_cast<RowModel*>(g_list_model_get_item(G_LIST_MODEL(table), i)));
}

const char* const* keys_of(TableModel* table) {
  return static_cast<const char* const*>(g_object_get_data(G_OBJECT(table), "KEYS"));
}

std::vector<int> key_positions(TableModel* table) {
  std::vector<int> out;
  const char* const* keys = keys_of(table);
  if (!keys) return out;
  auto columns = items_of<TarvexProvidersContractsColumnModel>(
      tarvex_providers_contracts_table_model_get_columns(table));
  for (const char* const* k = keys; *k; ++k) {
    int found = -1;
    for (size_t i = 0; i < columns.size(); ++i) {
      const char* name = tarvex_providers_contracts_column_model_get_name(columns[i].get());
      if (tarvex::str_equal0(name, *k)) found = int(i);
    }
    if (found < 0) return {};
    out.push_back(found);
  }
  return out;
}

std::string key_text(RowModel* row, const std::vector<int>& positions) {
  std::string out;
  for (int p : positions) {
    auto value = GRef<Value>::adopt(tarvex_providers_contracts_row_model_get_value_at(row, p));
    bool null = !value || tarvex_providers_contracts_value_object_get_is_null(value.get());
    out += null ? "\x01" : "\x02" + value_text(value.get());
    out += '\x1f';
  }
  return out;
}

void copy_identity(TableModel* from, TableModel* to) {
  for (const char* key : {"SCHEMA", "TABLE", "IDENTITY"}) {
    const char* text = static_cast<const char*>(g_object_get_data(G_OBJECT(from), key));
    if (text) g_object_set_data_full(G_OBJECT(to), key, g_strdup(text), g_free);
  }
  if (const char* const* keys = keys_of(from))
    g_object_set_data_full(G_OBJECT(to), "KEYS", g_strdupv(const_cast<char**>(keys)),
                           (GDestroyNotify)g_strfreev);
}

}  // namespace

gint tarvex_brevane_transform_patcher_diff_data_row(Patcher* self, RowModel* source,
                                                    RowModel* target, RowModel** patched) {
  CHECK_PAIR(source, target, TARVEX_PROVIDERS_CONTRACTS_IS_ROW_MODEL);
  gint code = compare_rows(source, target);
  if (code == kIdentical) {
    if (patched) *patched = nullptr;
    return kIdentical;
  }
  auto row = row_with(source, TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
  if (patched) *patched = row.leak();
  return kChanged;
}

gint tarvex_brevane_transform_patcher_diff_data_table(Patcher* self, TableModel* source,
                                                      TableModel* target, TableModel** patched) {
  CHECK_PAIR(source, target, TARVEX_PROVIDERS_CONTRACTS_IS_TABLE_MODEL);
  auto out = GRef<TableModel>::adopt(tarvex_providers_contracts_table_model_new());
  GeeArrayList* columns = tarvex_providers_contracts_table_model_get_columns(out.get());
  for (auto& c : items_of<GObject>(tarvex_providers_contracts_table_model_get_columns(source)))
    append(columns, c.get());
  copy_identity(source, out.get());
  copy_identity(target, out.get());

  auto add = [&](RowModel* from, TarvexProvidersContractsDataVersion version) {
    auto row = row_with(from, version);
    tarvex_providers_contracts_table_model_append(out.get(), row.get());
  };
  const guint ns = count_of(source), nt = count_of(target);
  std::vector<int> positions = key_positions(source);
  if (!positions.empty() && key_positions(target) == positions) {
    std::unordered_map<std::string, guint> by_key;
    by_key.reserve(nt);
    for (guint j = 0; j < nt; ++j) by_key.emplace(key_text(row_at(target, j).get(), positions), j);
    std::vector<bool> matched(nt, false);
    for (guint i = 0; i < ns; ++i) {
      auto s = row_at(source, i);
      auto it = by_key.find(key_text(s.get(), positions));
      if (it == by_key.end() || matched[it->second]) {
        add(s.get(), TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT);
        continue;
      }
      matched[it->second] = true;
      auto t = row_at(target, it->second);
      if (compare_rows(s.get(), t.get()) != kIdentical)
        add(s.get(), TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
    }
    for (guint j = 0; j < nt; ++j)
      if (!matched[j]) add(row_at(target, j).get(), TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE);
  } else {
    for (guint i = 0; i < ns; ++i) {
      auto s = row_at(source, i);
      if (i >= nt) {
        add(s.get(), TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT);
        continue;
      }
      if (compare_rows(s.get(), row_at(target, i).get()) != kIdentical)
        add(s.get(), TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE);
    }
    for (guint j = ns; j < nt; ++j)
      add(row_at(target, j).get(), TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE);
  }
  if (count_of(out.get()) == 0) {
    if (patched) *patched = nullptr;
    return kIdentical;
  }
  if (patched) *patched = out.leak();
  return kChanged;
}

gint tarvex_brevane_transform_patcher_diff_data_set(Patcher* self, DataSet* source, DataSet* target,
                                                    DataSet** patched) {
  CHECK_PAIR(source, target, TARVEX_PROVIDERS_CONTRACTS_IS_DATA_SET_MODEL);
  auto out = GRef<DataSet>::adopt(tarvex_providers_contracts_data_set_model_new());
  GeeArrayList* tables = tarvex_providers_contracts_data_set_model_get_tables(out.get());
  auto st = items_of<TableModel>(tarvex_providers_contracts_data_set_model_get_tables(source));
  auto tt = items_of<TableModel>(tarvex_providers_contracts_data_set_model_get_tables(target));
  for (size_t i = 0; i < st.size(); ++i) {
    // A table the target lacks compares with an empty one: all its rows
    // are inserts.
    GRef<TableModel> other =
        i < tt.size() ? tt[i]
                      : GRef<TableModel>::adopt(tarvex_providers_contracts_table_model_new());
    TableModel* table_patch = nullptr;
    gint code = tarvex_brevane_transform_patcher_diff_data_table(self, st[i].get(), other.get(),
                                                                 &table_patch);
    if (code > kIdentical && table_patch) append(tables, table_patch);
    if (table_patch) g_object_unref(table_patch);
  }
  if (tarvex::transform::size_of(tables) == 0) {
    if (patched) *patched = nullptr;
    return kIdentical;
  }
  if (patched) *patched = out.leak();
  return kChanged;
}
