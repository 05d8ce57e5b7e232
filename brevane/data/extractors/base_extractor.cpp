#include "brevane/data/extractors/base_extractor.h"

#include <glib/gi18n-lib.h>

#include <string>

#include "brevane/data/extractors/extractor-private.h"
#include "brevane/foundation/logging_service.h"
#include "brevane/sql/sql-text-private.h"
#include "common/tarvex-check-private.h"
#include "common/tarvex-dispatch-private.h"
#include "common/tarvex-gobject-private.h"

using namespace tarvex;
using namespace tarvex::data;

// The quark's name holds dashes, which clang-format would space out.
// clang-format off
G_DEFINE_QUARK(tarvex-brevane-supports-data-extractors-extractor-error-quark,
               tarvex_brevane_supports_data_extractors_extractor_error)
// clang-format on

typedef struct _TarvexBrevaneSupportsDataExtractorsBaseExtractorPrivate
    TarvexBrevaneSupportsDataExtractorsBaseExtractorPrivate;
struct _TarvexBrevaneSupportsDataExtractorsBaseExtractorPrivate {
  std::string file_ext;
  GRef<GeeHashMap> options;
  bool continue_on_error = true;
};

static void base_extractor_exporter_init(TarvexBrevaneContractsDataIExporterIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexBrevaneSupportsDataExtractorsBaseExtractor,
                             tarvex_brevane_supports_data_extractors_base_extractor, G_TYPE_OBJECT,
                             G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATA_TYPE_IEXPORTER,
                                                   base_extractor_exporter_init))

#define IS_BASE(self) TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_IS_BASE_EXTRACTOR(self)

namespace {

enum { PROP_0, PROP_OPTIONS, PROP_FILE_EXTENTION, PROP_CONTINUE_ON_ERROR, N_PROPERTIES };
GParamSpec* continue_pspec = nullptr;

auto* priv_of(gconstpointer self) {
  return tarvex_brevane_supports_data_extractors_base_extractor_get_private(self);
}

Base* base_from_iface(TarvexBrevaneContractsDataIExporter* self) {
  return reinterpret_cast<Base*>(self);
}

void set_continue(Base* self, bool value) {
  auto* priv = priv_of(self);
  if (priv->continue_on_error == value) return;
  priv->continue_on_error = value;
  g_object_notify_by_pspec(G_OBJECT(self), continue_pspec);
}

void get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  auto* priv = priv_of(object);
  switch (prop_id) {
    case PROP_OPTIONS:
      g_value_set_object(value, priv->options.get());
      break;
    case PROP_FILE_EXTENTION:
      g_value_set_string(value, priv->file_ext.c_str());
      break;
    case PROP_CONTINUE_ON_ERROR:
      g_value_set_boolean(value, priv->continue_on_error);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

void set_property(GObject* object, guint prop_id, const GValue* value, GParamSpec* pspec) {
  switch (prop_id) {
    case PROP_CONTINUE_ON_ERROR:
      set_continue(base_of(object), g_value_get_boolean(value));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

// The base writes the export to text into the file, header-only documents
// included (an older file never stays behind an empty export).
gint base_export_to_file(Base* self, Model* model, const gchar* filename, Progress progress,
                         gpointer target, GError** error) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(filename != nullptr, "filename != NULL", 0);
  TARVEX_DATA_LOG(info, "export to file: %s", filename);
  gchar* text = g_strdup("");
  GError* local = nullptr;
  gint count = tarvex_brevane_supports_data_extractors_base_extractor_export_to_text(
      self, model, &text, progress, target, &local);
  GUniqueStr buffer(text);
  if (local) {
    g_propagate_error(error, local);
    return -1;
  }
  if (!buffer) return -1;
  if (!write_file(filename, buffer.get(), error)) return -1;
  return count;
}

gint base_export_to_text(Base*, Model* model, gchar** buffer, Progress, gpointer, GError**) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(model != nullptr, "model != NULL", 0);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(buffer != nullptr && *buffer != nullptr, "*buffer != NULL", 0);
  return 0;
}

}  // namespace

static void tarvex_brevane_supports_data_extractors_base_extractor_class_setup(
    TarvexBrevaneSupportsDataExtractorsBaseExtractorClass* klass) {
  auto* object_class = G_OBJECT_CLASS(klass);
  object_class->get_property = get_property;
  object_class->set_property = set_property;
  klass->export_to_file = base_export_to_file;
  klass->export_to_text = base_export_to_text;
  g_object_class_override_property(object_class, PROP_OPTIONS, "options");
  g_object_class_override_property(object_class, PROP_FILE_EXTENTION, "file-extention");
  g_object_class_override_property(object_class, PROP_CONTINUE_ON_ERROR, "continue-on-error");
  continue_pspec = g_object_class_find_property(object_class, "continue-on-error");
}

static void base_extractor_exporter_init(TarvexBrevaneContractsDataIExporterIface* iface) {
  iface->export_to_file =
      tarvex::forward<&tarvex_brevane_supports_data_extractors_base_extractor_export_to_file>;
  iface->export_to_text =
      tarvex::forward<&tarvex_brevane_supports_data_extractors_base_extractor_export_to_text>;
  iface->get_options = [](TarvexBrevaneContractsDataIExporter* self) {
    return priv_of(self)->options.get();
  };
  iface->get_file_extention = [](TarvexBrevaneContractsDataIExporter* self) {
    return static_cast<const gchar*>(priv_of(self)->file_ext.c_str());
  };
  iface->get_continue_on_error = [](TarvexBrevaneContractsDataIExporter* self) {
    return gboolean(priv_of(self)->continue_on_error);
  };
  iface->set_continue_on_error = [](TarvexBrevaneContractsDataIExporter* self, gboolean value) {
    set_continue(base_from_iface(self), value);
  };
}

namespace tarvex::data {

std::string option(Base* self, const char* key, const char* fallback) {
  auto* map = GEE_ABSTRACT_MAP(priv_of(self)->options.get());
  if (!gee_abstract_map_has_key(map, key)) return fallback;
  GUniqueStr value(static_cast<char*>(gee_abstract_map_get(map, key)));
  return value ? value.get() : "";
}

bool has_option(Base* self, const char* key) {
  return gee_abstract_map_has_key(GEE_ABSTRACT_MAP(priv_of(self)->options.get()), key);
}

bool continue_on_error(Base* self) {
  return priv_of(self)->continue_on_error;
}

}  // namespace tarvex::data

TarvexBrevaneSupportsDataExtractorsBaseExtractor*
tarvex_brevane_supports_data_extractors_base_extractor_construct(GType object_type,
                                                                 const gchar* file_ext) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_ext != nullptr, "file_ext != NULL", nullptr);
  auto* self = static_cast<Base*>(g_object_new(object_type, nullptr));
  auto* priv = priv_of(self);
  priv->file_ext = file_ext;
  priv->options = adoptGRef(gee_hash_map_new(
      G_TYPE_STRING, GBoxedCopyFunc(g_strdup), g_free, G_TYPE_STRING, GBoxedCopyFunc(g_strdup),
      g_free, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
  return self;
}

TarvexBrevaneSupportsDataExtractorsBaseExtractor*
tarvex_brevane_supports_data_extractors_base_extractor_new(const gchar* file_ext) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(file_ext != nullptr, "file_ext != NULL", nullptr);
  return tarvex_brevane_supports_data_extractors_base_extractor_construct(
      TARVEX_BREVANE_SUPPORTS_DATA_EXTRACTORS_TYPE_BASE_EXTRACTOR, file_ext);
}

gint tarvex_brevane_supports_data_extractors_base_extractor_export_to_file(Base* self, Model* model,
                                                                           const gchar* filename,
                                                                           Progress progress,
                                                                           gpointer progress_target,
                                                                           GError** error) {
  return tarvex::call_slot<&TarvexBrevaneSupportsDataExtractorsBaseExtractorClass::export_to_file,
                           -1>(self, model, filename, progress, progress_target, error);
}

gint tarvex_brevane_supports_data_extractors_base_extractor_export_to_text(Base* self, Model* model,
                                                                           gchar** buffer,
                                                                           Progress progress,
                                                                           gpointer progress_target,
                                                                           GError** error) {
  return tarvex::call_slot<&TarvexBrevaneSupportsDataExtractorsBaseExtractorClass::export_to_text,
                           -1>(self, model, buffer, progress, progress_target, error);
}

gchar* tarvex_brevane_supports_data_extractors_base_extractor_format_column_value(
    Base* self, TarvexProvidersContractsDataType data_type, Value* value) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(IS_BASE(self), "self != NULL", nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(value != nullptr, "value != NULL", nullptr);
  return dup(cell_literal(data_type, value));
}

gchar* tarvex_brevane_supports_data_extractors_base_extractor_format_column_text(
    Base* self, TarvexProvidersContractsDataType data_type, const gchar* text) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(IS_BASE(self), "self != NULL", nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(text != nullptr, "text != NULL", nullptr);
  GUniqueStr stripped(g_strstrip(g_strdup(text)));
  if (!*stripped.get()) return g_strdup("NULL");
  std::optional<std::string> literal = sql::typed_literal(data_type, text);
  return literal ? dup(*literal) : nullptr;
}

#define BUILDER_CHECKS()                                                                          \
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(IS_BASE(self), "self != NULL", nullptr);                         \
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_CONTRACTS_DATABASE_IS_ICONNECTION(connection),    \
                                 "connection != NULL", nullptr);                                  \
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_META_MODEL_IS_META_TABLE(table), "table != NULL", \
                                 nullptr)

gchar* tarvex_brevane_supports_data_extractors_base_extractor_build_insert_data_sql(
    Base* self, IConnection* connection, MetaTable* table, gchar** names, gint names_length1,
    gchar** values, gint values_length1, GError** error) {
  BUILDER_CHECKS();
  return build_record_sql(self, connection, table, Verb::insert, names, names_length1, values,
                          values_length1, error);
}

gchar* tarvex_brevane_supports_data_extractors_base_extractor_build_update_data_sql(
    Base* self, IConnection* connection, MetaTable* table, gchar** names, gint names_length1,
    gchar** values, gint values_length1, GError** error) {
  BUILDER_CHECKS();
  return build_record_sql(self, connection, table, Verb::update, names, names_length1, values,
                          values_length1, error);
}

gchar* tarvex_brevane_supports_data_extractors_base_extractor_build_delete_data_sql(
    Base* self, IConnection* connection, MetaTable* table, gchar** names, gint names_length1,
    gchar** values, gint values_length1, GError** error) {
  BUILDER_CHECKS();
  return build_record_sql(self, connection, table, Verb::del, names, names_length1, values,
                          values_length1, error);
}
