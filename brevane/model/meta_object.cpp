#include "brevane/model/meta_object.h"

#include <algorithm>

#include "brevane/model/meta-helpers-private.h"
#include "brevane/model/meta-private.h"
#include "common/tarvex-dispatch-private.h"

using namespace tarvex;
using namespace tarvex::meta;

// ============================================================ property tables

namespace tarvex::meta {

static GQuark prop_class_quark() {
  static GQuark quark = g_quark_from_static_string("tarvex-meta-prop-class");
  return quark;
}

static GParamSpec* make_pspec(const PropDecl& d) {
  auto flags = GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS | G_PARAM_EXPLICIT_NOTIFY);
  if (!(d.opts & kReadOnly)) flags = GParamFlags(flags | G_PARAM_WRITABLE);
  const char* n = d.name;
  switch (d.type) {
    case PType::String:
      return g_param_spec_string(n, n, n, nullptr, flags);
    case PType::Boolean:
      return g_param_spec_boolean(n, n, n, d.def != 0, flags);
    case PType::UInt:
      return g_param_spec_uint(n, n, n, 0, G_MAXUINT, guint(d.def), flags);
    case PType::UChar:
      return g_param_spec_uchar(n, n, n, 0, G_MAXUINT8, guint8(d.def), flags);
    case PType::Int64:
      return g_param_spec_int64(n, n, n, G_MININT64, G_MAXINT64, d.def, flags);
    case PType::UInt64:
      return g_param_spec_uint64(n, n, n, 0, G_MAXUINT64, guint64(d.def), flags);
    case PType::Enum:
      return g_param_spec_enum(n, n, n, d.gtype(), gint(d.def), flags);
    case PType::Flags:
      return g_param_spec_flags(n, n, n, d.gtype(), guint(d.def), flags);
    case PType::Object:
      return g_param_spec_object(n, n, n, d.gtype(), flags);
  }
  g_assert_not_reached();
}

static void generic_get_property(GObject* object, guint id, GValue* value, GParamSpec* pspec) {
  const PropClass* pc = PropClass::of(pspec->owner_type);
  if (!pc || id == 0 || id > pc->size() || pc->pspec(id) != pspec) {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
    return;
  }
  g_value_copy(slot(object, *pc, id), value);
}

static void generic_set_property(GObject* object, guint id, const GValue* value,
                                 GParamSpec* pspec) {
  const PropClass* pc = PropClass::of(pspec->owner_type);
  if (!pc || id == 0 || id > pc->size() || pc->pspec(id) != pspec) {
    G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
    return;
  }
  assign(object, *pc, id, value);
}

void PropClass::install(GObjectClass* klass) {
  GType owner = G_OBJECT_CLASS_TYPE(klass);
  base_ = slot_count(g_type_parent(owner));
  pspecs_.assign(decls_.size() + 1, nullptr);
  for (std::size_t i = 0; i < decls_.size(); ++i) pspecs_[i + 1] = make_pspec(decls_[i]);
  klass->get_property = generic_get_property;
  klass->set_property = generic_set_property;
  g_object_class_install_properties(klass, guint(pspecs_.size()), pspecs_.data());
  g_type_set_qdata(owner, prop_class_quark(), this);
}

const PropClass* PropClass::of(GType type) {
  return static_cast<const PropClass*>(g_type_get_qdata(type, prop_class_quark()));
}

guint PropClass::slot_count(GType type) {
  for (GType t = type; t != 0; t = g_type_parent(t))
    if (const PropClass* pc = of(t)) return pc->base() + guint(pc->size());
  return 0;
}

const PropDecl* decl_of(const GParamSpec* pspec) {
  if (!pspec) return nullptr;
  const PropClass* pc = PropClass::of(pspec->owner_type);
  guint id = pspec->param_id;
  if (!pc || id == 0 || id > pc->size() || pc->pspec(id) != pspec) return nullptr;
  return &pc->decl(id);
}

}  // namespace tarvex::meta

// ================================================================ MetaObject

static GeeHashMap* new_diff_map() {
  return gee_hash_map_new(G_TYPE_STRING, (GBoxedCopyFunc)g_strdup, g_free,
                          tarvex_providers_contracts_data_version_get_type(), nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr);
}

struct _TarvexBrevaneMetaModelMetaObjectPrivate {
  // One value per property of the instance's class chain, made when the
  // object is constructed.
  std::vector<GValue> slots;
  GRef<GeeHashMap> diff = adoptGRef(new_diff_map());
  GRef<GeeHashMap> slice = adoptGRef(meta::new_str_map());

  ~_TarvexBrevaneMetaModelMetaObjectPrivate() {
    for (GValue& v : slots)
      if (G_IS_VALUE(&v)) g_value_unset(&v);
  }
};

namespace object_props {
enum {
  PROP_0,
  PROP_DATABASE,
  PROP_SCHEMA,
  PROP_NAME,
  PROP_COMMENT,
  PROP_ATTRIBUTES,
  PROP_ORIGINAL,
  PROP_VERSION,
  N_PROPERTIES
};

static const PropDecl decls[] = {
    text("database"),
    text("schema"),
    text("name"),
    text("comment"),
    str_map("attributes"),
    text("original"),
    flags("version", tarvex_providers_contracts_data_version_get_type),
};
static_assert(G_N_ELEMENTS(decls) == N_PROPERTIES - 1);
static PropClass properties(decls);
}  // namespace object_props

static void meta_object_imeta_data_init(TarvexBrevaneMetaModelIMetaDataIface* iface);

TARVEX_DEFINE_INTERFACE(TarvexBrevaneMetaModelIMetaData, tarvex_brevane_meta_model_imeta_data,
                        G_TYPE_OBJECT)

static void tarvex_brevane_meta_model_imeta_data_default_init(
    TarvexBrevaneMetaModelIMetaDataIface*) {}

TarvexBrevaneMetaModelMetaObject* tarvex_brevane_meta_model_imeta_data_clone(
    TarvexBrevaneMetaModelIMetaData* self) {
  return tarvex::call_slot<&TarvexBrevaneMetaModelIMetaDataIface::clone>(self);
}

void tarvex_brevane_meta_model_imeta_data_reset(TarvexBrevaneMetaModelIMetaData* self) {
  tarvex::call_slot<&TarvexBrevaneMetaModelIMetaDataIface::reset>(self);
}

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexBrevaneMetaModelMetaObject,
                             tarvex_brevane_meta_model_meta_object, G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(tarvex_brevane_meta_model_imeta_data_get_type(),
                                                   meta_object_imeta_data_init)
                                 G_IMPLEMENT_INTERFACE(JSON_TYPE_SERIALIZABLE,
                                                       meta_object_serializable_init))

#define SELF(o) reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(o)

namespace tarvex::meta {

GValue* slot(gconstpointer self, const PropClass& pc, guint id) {
  auto* priv = tarvex_brevane_meta_model_meta_object_get_private(self);
  std::size_t index = pc.base() + id - 1;
  g_assert(index < priv->slots.size());
  return &priv->slots[index];
}

void assign(gpointer self, const PropClass& pc, guint id, const GValue* value) {
  GParamSpec* pspec = pc.pspec(id);
  const PropDecl& decl = pc.decl(id);
  GValue* stored = slot(self, pc, id);
  GValueHolder low;
  if (decl.opts & kLow16) {
    g_value_init(low.get(), G_TYPE_UINT);
    g_value_set_uint(low.get(), g_value_get_uint(value) & 0xFFFFu);
    value = low.get();
  }
  if (!(decl.opts & kAlwaysNotify) && g_param_values_cmp(pspec, stored, value) == 0) return;
  g_value_copy(value, stored);
  if (pc.changed()) pc.changed()(G_OBJECT(self), id);
  g_object_notify_by_pspec(G_OBJECT(self), pspec);
}

void set_names(gpointer self, const char* database, const char* schema, const char* name) {
  set<const gchar*>(self, object_props::properties, object_props::PROP_NAME, name);
  set<const gchar*>(self, object_props::properties, object_props::PROP_SCHEMA, schema);
  set<const gchar*>(self, object_props::properties, object_props::PROP_DATABASE, database);
}

// ------------------------------------------------------------- containers

GeeHashMap* new_str_map() {
  return gee_hash_map_new(G_TYPE_STRING, (GBoxedCopyFunc)g_strdup, g_free, G_TYPE_STRING,
                          (GBoxedCopyFunc)g_strdup, g_free, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr);
}

GeeArrayList* new_str_list() {
  return gee_array_list_new(G_TYPE_STRING, (GBoxedCopyFunc)g_strdup, g_free, nullptr, nullptr,
                            nullptr);
}

GeeArrayList* new_obj_list(GType element_type) {
  return gee_array_list_new(element_type, (GBoxedCopyFunc)g_object_ref, g_object_unref, nullptr,
                            nullptr, nullptr);
}

GObject* new_container(const PropDecl& decl) {
  switch (decl.holds) {
    case Holds::StrMap:
      return G_OBJECT(new_str_map());
    case Holds::StrList:
      return G_OBJECT(new_str_list());
    case Holds::ObjList:
      return G_OBJECT(new_obj_list(decl.elem()));
    case Holds::ListModel:
      return G_OBJECT(g_list_store_new(decl.elem()));
    case Holds::Nothing:
      break;
  }
  return nullptr;
}

void clear_container(gpointer container) {
  if (!container) return;
  if (GEE_IS_MAP(container))
    gee_map_clear(GEE_MAP(container));
  else if (GEE_IS_COLLECTION(container))
    gee_collection_clear(GEE_COLLECTION(container));
  else if (G_IS_LIST_STORE(container))
    g_list_store_remove_all(G_LIST_STORE(container));
}

void copy_container(GObject* from, GObject* to, const PropClass& pc, guint id) {
  auto* src = get<GObject*>(from, pc, id);
  auto* dst = get<GObject*>(to, pc, id);
  if (!src || !dst || src == dst) return;
  switch (pc.decl(id).holds) {
    case Holds::StrMap:
      if (GEE_IS_MAP(src) && GEE_IS_MAP(dst))
        for_each_entry(GEE_MAP(src),
                       [&](const char* k, const char* v) { gee_map_set(GEE_MAP(dst), k, v); });
      break;
    case Holds::StrList:
    case Holds::ObjList: {
      if (!GEE_IS_LIST(src) || !GEE_IS_COLLECTION(dst)) break;
      gint n = gee_collection_get_size(GEE_COLLECTION(src));
      bool texts = pc.decl(id).holds == Holds::StrList;
      for (gint i = 0; i < n; ++i) {
        gpointer item = gee_list_get(GEE_LIST(src), i);
        if (texts) {
          gee_collection_add(GEE_COLLECTION(dst), item);
          g_free(item);
          continue;
        }
        auto element = adoptGRef(static_cast<GObject*>(item));
        if (element && TARVEX_BREVANE_META_MODEL_IS_META_OBJECT(element.get())) {
          auto copy =
              adoptGRef(G_OBJECT(tarvex_brevane_meta_model_meta_object_clone(SELF(element.get()))));
          gee_collection_add(GEE_COLLECTION(dst), copy.get());
        } else {
          gee_collection_add(GEE_COLLECTION(dst), element.get());
        }
      }
      break;
    }
    case Holds::ListModel:
    case Holds::Nothing:
      break;
  }
}

}  // namespace tarvex::meta

// ------------------------------------------------------------ construction

// The tables of the class chain, the base class first.
static std::vector<const PropClass*> class_chain(GType type) {
  std::vector<const PropClass*> chain;
  for (GType t = type; t != 0; t = g_type_parent(t))
    if (const PropClass* pc = PropClass::of(t)) chain.push_back(pc);
  std::reverse(chain.begin(), chain.end());
  return chain;
}

static void meta_object_constructed(GObject* object) {
  G_OBJECT_CLASS(tarvex_brevane_meta_model_meta_object_parent_class)->constructed(object);
  auto* priv = tarvex_brevane_meta_model_meta_object_get_private(object);
  priv->slots.assign(PropClass::slot_count(G_OBJECT_TYPE(object)), GValue G_VALUE_INIT);
  for (const PropClass* pc : class_chain(G_OBJECT_TYPE(object))) {
    for (guint id = 1; id <= pc->size(); ++id) {
      const PropDecl& d = pc->decl(id);
      GValue* v = &priv->slots[pc->base() + id - 1];
      g_value_init(v, G_PARAM_SPEC_VALUE_TYPE(pc->pspec(id)));
      switch (d.type) {
        case PType::String:
          g_value_set_static_string(v, "");
          break;
        case PType::Boolean:
          g_value_set_boolean(v, d.def != 0);
          break;
        case PType::UInt:
          g_value_set_uint(v, guint(d.def));
          break;
        case PType::UChar:
          g_value_set_uchar(v, guchar(d.def));
          break;
        case PType::Int64:
          g_value_set_int64(v, d.def);
          break;
        case PType::UInt64:
          g_value_set_uint64(v, guint64(d.def));
          break;
        case PType::Enum:
          g_value_set_enum(v, gint(d.def));
          break;
        case PType::Flags:
          g_value_set_flags(v, guint(d.def));
          break;
        case PType::Object:
          if (d.holds != Holds::Nothing && d.holds != Holds::ListModel)
            g_value_take_object(v, new_container(d));
          break;
      }
    }
  }
}

// ------------------------------------------------------- virtual defaults

static gchar* meta_object_real_fullname(TarvexBrevaneMetaModelMetaObject* self,
                                        gboolean with_database, gboolean with_kind) {
  const char* database =
      nz(get<const gchar*>(self, object_props::properties, object_props::PROP_DATABASE));
  const char* schema =
      nz(get<const gchar*>(self, object_props::properties, object_props::PROP_SCHEMA));
  const char* name = nz(get<const gchar*>(self, object_props::properties, object_props::PROP_NAME));
  if (!with_kind)
    return with_database ? g_strdup_printf("%s.%s.%s", database, schema, name)
                         : g_strdup_printf("%s.%s", schema, name);
  GUniqueStr kind(tarvex_providers_contracts_db_object_to_string(
      tarvex_brevane_meta_model_meta_object_character(self)));
  return with_database ? g_strdup_printf("%s:%s.%s.%s", kind.get(), database, schema, name)
                       : g_strdup_printf("%s:%s.%s", kind.get(), schema, name);
}

static TarvexProvidersContractsDBObject meta_object_real_character(
    TarvexBrevaneMetaModelMetaObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_UNKNOWN;
}

// Empties what the fillers put in again (the containers of the subclasses,
// unless a class keeps them), then the base state.
static void meta_object_real_reset(TarvexBrevaneMetaModelMetaObject* self) {
  auto chain = class_chain(G_OBJECT_TYPE(self));
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const PropClass* pc = *it;
    if (pc == &object_props::properties) continue;
    for (guint id = 1; id <= pc->size(); ++id) {
      const PropDecl& d = pc->decl(id);
      if (d.holds == Holds::Nothing || d.holds == Holds::ListModel) continue;
      if (d.opts & (kKeepOnReset | kReadOnly)) continue;
      clear_container(get<GObject*>(self, *pc, id));
    }
  }
  auto* priv = tarvex_brevane_meta_model_meta_object_get_private(self);
  gee_abstract_map_clear(GEE_ABSTRACT_MAP(priv->diff.get()));
  gee_abstract_map_clear(GEE_ABSTRACT_MAP(priv->slice.get()));
  set<const gchar*>(self, object_props::properties, object_props::PROP_COMMENT, "");
  set<const gchar*>(self, object_props::properties, object_props::PROP_ORIGINAL, "");
  clear_container(get<GObject*>(self, object_props::properties, object_props::PROP_ATTRIBUTES));
  set<guint>(self, object_props::properties, object_props::PROP_VERSION, 0);
  g_object_set_data(G_OBJECT(self), "FILLED", nullptr);
}

// A new object of the same type with every writable property of the
// source; the containers a clone fills are its own, filled with clones of
// the source's elements (or copies of its texts and entries).
static TarvexBrevaneMetaModelMetaObject* meta_object_real_clone(
    TarvexBrevaneMetaModelMetaObject* self) {
  GObject* source = G_OBJECT(self);
  guint n_pspecs = 0;
  GUnique<GParamSpec*, decltype([](GParamSpec** p) { g_free(p); })> pspecs(
      g_object_class_list_properties(G_OBJECT_GET_CLASS(source), &n_pspecs));

  std::vector<const char*> names;
  std::vector<GValue> values;
  for (guint i = 0; i < n_pspecs; ++i) {
    GParamSpec* p = pspecs.get()[i];
    if (!(p->flags & (G_PARAM_CONSTRUCT | G_PARAM_CONSTRUCT_ONLY))) continue;
    if ((p->flags & G_PARAM_READWRITE) != G_PARAM_READWRITE) continue;
    GValue v = G_VALUE_INIT;
    g_value_init(&v, G_PARAM_SPEC_VALUE_TYPE(p));
    g_object_get_property(source, p->name, &v);
    names.push_back(p->name);
    values.push_back(v);
  }
  GObject* copy = g_object_new_with_properties(G_OBJECT_TYPE(source), guint(names.size()),
                                               names.data(), values.data());
  for (GValue& v : values) g_value_unset(&v);

  for (guint i = 0; i < n_pspecs; ++i) {
    GParamSpec* p = pspecs.get()[i];
    if ((p->flags & G_PARAM_READWRITE) != G_PARAM_READWRITE) continue;
    if (p->flags & (G_PARAM_CONSTRUCT | G_PARAM_CONSTRUCT_ONLY)) continue;
    const PropDecl* d = decl_of(p);
    if (d && (d->opts & kOwned)) continue;
    GValueHolder v(G_PARAM_SPEC_VALUE_TYPE(p));
    g_object_get_property(source, p->name, v.get());
    g_object_set_property(copy, p->name, v.get());
  }

  for (const PropClass* pc : class_chain(G_OBJECT_TYPE(source)))
    for (guint id = 1; id <= pc->size(); ++id)
      if (pc->decl(id).opts & kOwned) copy_container(source, copy, *pc, id);
  return SELF(copy);
}

// The records of `from` and of the members of its owned object lists onto
// `to`, its clone (whose lists hold clones of those members, in order).
static void copy_records(GObject* from, GObject* to) {
  auto* source = tarvex_brevane_meta_model_meta_object_get_private(from);
  auto* copy = tarvex_brevane_meta_model_meta_object_get_private(to);
  gee_map_set_all(GEE_MAP(copy->diff.get()), GEE_MAP(source->diff.get()));
  gee_map_set_all(GEE_MAP(copy->slice.get()), GEE_MAP(source->slice.get()));
  for (const PropClass* pc : class_chain(G_OBJECT_TYPE(from)))
    for (guint id = 1; id <= pc->size(); ++id) {
      const PropDecl& d = pc->decl(id);
      if (d.holds != Holds::ObjList || !(d.opts & kOwned)) continue;
      auto* a = get<GObject*>(from, *pc, id);
      auto* b = get<GObject*>(to, *pc, id);
      if (!a || !b || a == b || !GEE_IS_LIST(a) || !GEE_IS_LIST(b)) continue;
      const gint n = std::min(gee_collection_get_size(GEE_COLLECTION(a)),
                              gee_collection_get_size(GEE_COLLECTION(b)));
      for (gint i = 0; i < n; ++i) {
        auto x = adoptGRef(static_cast<GObject*>(gee_list_get(GEE_LIST(a), i)));
        auto y = adoptGRef(static_cast<GObject*>(gee_list_get(GEE_LIST(b), i)));
        if (x && y && x.get() != y.get() && TARVEX_BREVANE_META_MODEL_IS_META_OBJECT(x.get()) &&
            TARVEX_BREVANE_META_MODEL_IS_META_OBJECT(y.get()))
          copy_records(x.get(), y.get());
      }
    }
}

TarvexBrevaneMetaModelMetaObject* tarvex::meta::clone_with_records(
    TarvexBrevaneMetaModelMetaObject* self) {
  TarvexBrevaneMetaModelMetaObject* copy = tarvex_brevane_meta_model_meta_object_clone(self);
  if (copy) copy_records(G_OBJECT(self), G_OBJECT(copy));
  return copy;
}

// ------------------------------------------------------------ type set-up

static void tarvex_brevane_meta_model_meta_object_class_setup(
    TarvexBrevaneMetaModelMetaObjectClass* klass) {
  klass->fullname = meta_object_real_fullname;
  klass->character = meta_object_real_character;
  klass->reset = meta_object_real_reset;
  klass->clone = meta_object_real_clone;
  klass->serialize_property = meta_object_real_serialize_property;
  klass->deserialize_property = meta_object_real_deserialize_property;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->constructed = meta_object_constructed;
  object_props::properties.install(oc);
}

static void meta_object_imeta_data_init(TarvexBrevaneMetaModelIMetaDataIface* iface) {
  iface->clone = [](TarvexBrevaneMetaModelIMetaData* self) {
    return tarvex_brevane_meta_model_meta_object_clone(SELF(self));
  };
  iface->reset = [](TarvexBrevaneMetaModelIMetaData* self) {
    tarvex_brevane_meta_model_meta_object_reset(SELF(self));
  };
}

// ================================================================ exported

TARVEX_META_NEW(TarvexBrevaneMetaModelMetaObject, tarvex_brevane_meta_model_meta_object,
                TARVEX_BREVANE_META_MODEL_TYPE_META_OBJECT)

#define OBJECT_TEXT(prop, ID)                                                                     \
  TARVEX_META_TEXT(TarvexBrevaneMetaModelMetaObject, tarvex_brevane_meta_model_meta_object, prop, \
                   ID, object_props::properties)
OBJECT_TEXT(database, object_props::PROP_DATABASE)
OBJECT_TEXT(schema, object_props::PROP_SCHEMA)
OBJECT_TEXT(name, object_props::PROP_NAME)
OBJECT_TEXT(comment, object_props::PROP_COMMENT)
OBJECT_TEXT(original, object_props::PROP_ORIGINAL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaObject, tarvex_brevane_meta_model_meta_object,
                      attributes, object_props::PROP_ATTRIBUTES, object_props::properties,
                      GeeHashMap*, NULL)
TARVEX_META_ACCESSORS(TarvexBrevaneMetaModelMetaObject, tarvex_brevane_meta_model_meta_object,
                      version, object_props::PROP_VERSION, object_props::properties,
                      TarvexProvidersContractsDataVersion,
                      TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL)

gchar* tarvex_brevane_meta_model_meta_object_fullname(TarvexBrevaneMetaModelMetaObject* self,
                                                      gboolean with_database, gboolean with_kind) {
  return tarvex::call_slot<&TarvexBrevaneMetaModelMetaObjectClass::fullname>(self, with_database,
                                                                             with_kind);
}

TarvexProvidersContractsDBObject tarvex_brevane_meta_model_meta_object_character(
    TarvexBrevaneMetaModelMetaObject* self) {
  return tarvex::call_slot<&TarvexBrevaneMetaModelMetaObjectClass::character,
                           TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_UNKNOWN>(self);
}

void tarvex_brevane_meta_model_meta_object_reset(TarvexBrevaneMetaModelMetaObject* self) {
  tarvex::call_slot<&TarvexBrevaneMetaModelMetaObjectClass::reset>(self);
}

TarvexBrevaneMetaModelMetaObject* tarvex_brevane_meta_model_meta_object_clone(
    TarvexBrevaneMetaModelMetaObject* self) {
  return tarvex::call_slot<&TarvexBrevaneMetaModelMetaObjectClass::clone>(self);
}

JsonNode* tarvex_brevane_meta_model_meta_object_serialize_property(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* property_name, const GValue* value,
    GParamSpec* pspec) {
  g_return_val_if_fail(property_name != NULL, NULL);
  g_return_val_if_fail(value != NULL, NULL);
  g_return_val_if_fail(pspec != NULL, NULL);
  return tarvex::call_slot<&TarvexBrevaneMetaModelMetaObjectClass::serialize_property>(
      self, property_name, value, pspec);
}

gboolean tarvex_brevane_meta_model_meta_object_deserialize_property(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* property_name, GValue* value,
    GParamSpec* pspec, JsonNode* property_node) {
  g_return_val_if_fail(property_name != NULL, FALSE);
  g_return_val_if_fail(value != NULL, FALSE);
  g_return_val_if_fail(pspec != NULL, FALSE);
  g_return_val_if_fail(property_node != NULL, FALSE);
  return tarvex::call_slot<&TarvexBrevaneMetaModelMetaObjectClass::deserialize_property>(
      self, property_name, value, pspec, property_node);
}

GeeHashMap* tarvex_brevane_meta_model_meta_object_diff(TarvexBrevaneMetaModelMetaObject* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return tarvex_brevane_meta_model_meta_object_get_private(self)->diff.ref();
}

GeeHashMap* tarvex_brevane_meta_model_meta_object_slice(TarvexBrevaneMetaModelMetaObject* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return tarvex_brevane_meta_model_meta_object_get_private(self)->slice.ref();
}

void tarvex_brevane_meta_model_meta_object_append_diff(TarvexBrevaneMetaModelMetaObject* self,
                                                       const gchar* key,
                                                       TarvexProvidersContractsDataVersion code) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(key != NULL);
  auto* priv = tarvex_brevane_meta_model_meta_object_get_private(self);
  gee_abstract_map_set(GEE_ABSTRACT_MAP(priv->diff.get()), key, GINT_TO_POINTER(gint(code)));
}

void tarvex_brevane_meta_model_meta_object_append_slice(TarvexBrevaneMetaModelMetaObject* self,
                                                        const gchar* key, const gchar* value) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(key != NULL);
  g_return_if_fail(value != NULL);
  auto* priv = tarvex_brevane_meta_model_meta_object_get_private(self);
  gee_abstract_map_set(GEE_ABSTRACT_MAP(priv->slice.get()), key, value);
}

void tarvex_brevane_meta_model_meta_object_clear_diff(TarvexBrevaneMetaModelMetaObject* self) {
  g_return_if_fail(self != NULL);
  gee_abstract_map_clear(
      GEE_ABSTRACT_MAP(tarvex_brevane_meta_model_meta_object_get_private(self)->diff.get()));
}

void tarvex_brevane_meta_model_meta_object_clear_slice(TarvexBrevaneMetaModelMetaObject* self) {
  g_return_if_fail(self != NULL);
  gee_abstract_map_clear(
      GEE_ABSTRACT_MAP(tarvex_brevane_meta_model_meta_object_get_private(self)->slice.get()));
}

gchar* tarvex_brevane_meta_model_meta_object_value_to_text(const GValue* value) {
  g_return_val_if_fail(value != NULL, NULL);
  g_return_val_if_fail(G_IS_VALUE(value), NULL);
  switch (G_TYPE_FUNDAMENTAL(G_VALUE_TYPE(value))) {
    case G_TYPE_STRING:
      return g_strdup(nz(g_value_get_string(value)));
    case G_TYPE_BOOLEAN:
      return g_strdup(g_value_get_boolean(value) ? "true" : "false");
    case G_TYPE_CHAR:
      return g_strdup_printf("%d", int(g_value_get_schar(value)));
    case G_TYPE_UCHAR:
      return g_strdup_printf("%u", unsigned(g_value_get_uchar(value)));
    case G_TYPE_INT:
      return g_strdup_printf("%d", g_value_get_int(value));
    case G_TYPE_UINT:
      return g_strdup_printf("%u", g_value_get_uint(value));
    case G_TYPE_LONG:
      return g_strdup_printf("%ld", g_value_get_long(value));
    case G_TYPE_ULONG:
      return g_strdup_printf("%lu", g_value_get_ulong(value));
    case G_TYPE_INT64:
      return g_strdup_printf("%" G_GINT64_FORMAT, g_value_get_int64(value));
    case G_TYPE_UINT64:
      return g_strdup_printf("%" G_GUINT64_FORMAT, g_value_get_uint64(value));
    case G_TYPE_FLAGS:
      return g_strdup_printf("%u", g_value_get_flags(value));
    case G_TYPE_FLOAT:
    case G_TYPE_DOUBLE: {
      gchar buffer[G_ASCII_DTOSTR_BUF_SIZE];
      double d = G_VALUE_HOLDS_FLOAT(value) ? g_value_get_float(value) : g_value_get_double(value);
      return g_strdup(g_ascii_dtostr(buffer, sizeof buffer, d));
    }
    case G_TYPE_ENUM: {
      auto* klass = static_cast<GEnumClass*>(g_type_class_ref(G_VALUE_TYPE(value)));
      GEnumValue* v = g_enum_get_value(klass, g_value_get_enum(value));
      gchar* text = v ? g_strdup(v->value_nick) : g_strdup_printf("%d", g_value_get_enum(value));
      g_type_class_unref(klass);
      return text;
    }
    default:
      break;
  }
  if (g_value_type_transformable(G_VALUE_TYPE(value), G_TYPE_STRING)) {
    GValueHolder text(G_TYPE_STRING);
    if (g_value_transform(value, text.get())) return g_strdup(nz(g_value_get_string(text.get())));
  }
  return g_strdup_value_contents(value);
}

void tarvex_brevane_meta_model_meta_object_append_slice_value(
    TarvexBrevaneMetaModelMetaObject* self, const gchar* key, const GValue* value) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(key != NULL);
  g_return_if_fail(value != NULL);
  GUniqueStr text(tarvex_brevane_meta_model_meta_object_value_to_text(value));
  if (text) tarvex_brevane_meta_model_meta_object_append_slice(self, key, text.get());
}
