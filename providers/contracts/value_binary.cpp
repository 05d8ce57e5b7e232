#include "providers/contracts/value_binary.h"

#include <cstring>

#include "providers/contracts/value-file-private.h"
#include "providers/contracts/value-private.h"

using namespace tarvex;

// ------------------------------------------------------------- ValueBinary

struct _TarvexProvidersContractsValueBinaryPrivate {
  // Absent until a constructor or setter stores a buffer; never changed in
  // place, only replaced.
  GRef<GBytes> bytes;
};

namespace binary_props {
enum { PROP_0, PROP_NAME, PROP_ITSVALUE, PROP_DATA_TYPE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace binary_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueBinary, tarvex_providers_contracts_value_binary,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT)

static GBytes* binary_bytes(gconstpointer self) {
  return tarvex_providers_contracts_value_binary_get_private(self)->bytes.get();
}

static std::string_view bytes_view(GBytes* bytes) {
  if (!bytes) return {};
  gsize size = 0;
  auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
  return {data, size};
}

// Reports a value that holds no buffer.
static bool has_bytes(GBytes* bytes) {
  g_return_val_if_fail(bytes != NULL, false);
  return true;
}

static gchar* hexadecimal(std::string_view data) {
  static constexpr char digits[] = "0123456789ABCDEF";
  auto* text = static_cast<gchar*>(g_malloc(data.size() * 2 + 1));
  gchar* out = text;
  for (unsigned char byte : data) {
    *out++ = digits[byte >> 4];
    *out++ = digits[byte & 0x0F];
  }
  *out = '\0';
  return text;
}

static TarvexProvidersContractsValueBinary* binary_construct(GType type, GRef<GBytes> bytes) {
  auto* self = values::make<TarvexProvidersContractsValueBinary>(type);
  tarvex_providers_contracts_value_binary_get_private(self)->bytes = std::move(bytes);
  return self;
}

// A new buffer with a copy of the held bytes; absent stays absent.
static GRef<GBytes> copy_bytes(GBytes* bytes) {
  if (!bytes) return nullptr;
  auto data = bytes_view(bytes);
  return adoptGRef(g_bytes_new(data.data(), data.size()));
}

static void value_binary_to_value(TarvexProvidersContractsValueObject* self, GValue* result) {
  g_value_init(result, G_TYPE_BYTES);
  g_value_set_boxed(result, binary_bytes(self));
}

// Text up to the first zero byte when that is valid UTF-8, otherwise the
// whole buffer in hexadecimal.
static gchar* value_binary_to_string(TarvexProvidersContractsValueObject* self) {
  GBytes* bytes = binary_bytes(self);
  if (!has_bytes(bytes)) return g_strdup("");
  auto data = bytes_view(bytes);
  if (data.empty()) return g_strdup("");
  auto text = data.substr(0, strnlen(data.data(), data.size()));
  if (g_utf8_validate_len(text.data(), text.size(), nullptr)) return dup(text);
  return hexadecimal(data);
}

static TarvexProvidersContractsValueObject* value_binary_clone(
    TarvexProvidersContractsValueObject* self) {
  return values::as_value(binary_construct(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_BINARY,
                                           copy_bytes(binary_bytes(self))));
}
static const gchar* value_binary_get_name(TarvexProvidersContractsValueObject*) {
  return "binary";
}
static TarvexProvidersContractsDataType value_binary_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY;
}

static void value_binary_get_property(GObject* object, guint prop_id, GValue* value,
                                      GParamSpec* pspec) {
  using namespace binary_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      g_value_set_boxed(value, binary_bytes(object));
      break;
    case PROP_NAME:
    case PROP_DATA_TYPE:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void value_binary_set_property(GObject* object, guint prop_id, const GValue* value,
                                      GParamSpec* pspec) {
  using namespace binary_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      tarvex_providers_contracts_value_binary_set_itsvalue(
          reinterpret_cast<TarvexProvidersContractsValueBinary*>(object),
          static_cast<GBytes*>(g_value_get_boxed(value)));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_binary_class_setup(
    TarvexProvidersContractsValueBinaryClass* klass) {
  using namespace binary_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_binary_to_value;
  vc->to_string = value_binary_to_string;
  vc->clone = value_binary_clone;
  vc->get_name = value_binary_get_name;
  vc->get_data_type = value_binary_get_data_type;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_binary_get_property;
  oc->set_property = value_binary_set_property;
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_ITSVALUE] =
      g_param_spec_boxed("itsvalue", "itsvalue", "itsvalue", G_TYPE_BYTES, values::kReadWrite);
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsValueBinary* tarvex_providers_contracts_value_binary_construct(
    GType object_type, const guint8* bytes, gint length) {
  g_return_val_if_fail(length >= 0, NULL);
  g_return_val_if_fail(bytes != NULL || length == 0, NULL);
  return binary_construct(object_type, adoptGRef(g_bytes_new(bytes, gsize(length))));
}

TarvexProvidersContractsValueBinary* tarvex_providers_contracts_value_binary_new(
    const guint8* bytes, gint length) {
  return tarvex_providers_contracts_value_binary_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_BINARY, bytes, length);
}

GBytes* tarvex_providers_contracts_value_binary_get_itsvalue(
    TarvexProvidersContractsValueBinary* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return binary_bytes(self);
}

void tarvex_providers_contracts_value_binary_set_itsvalue(TarvexProvidersContractsValueBinary* self,
                                                          GBytes* value) {
  using namespace binary_props;
  g_return_if_fail(self != NULL);
  tarvex_providers_contracts_value_binary_get_private(self)->bytes = retainGRef(value);
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_ITSVALUE]);
}

guint8* tarvex_providers_contracts_value_binary_to_bytes(TarvexProvidersContractsValueBinary* self,
                                                         gint* result_length1) {
  if (result_length1) *result_length1 = 0;
  g_return_val_if_fail(self != NULL, NULL);
  auto data = bytes_view(binary_bytes(self));
  if (data.empty()) return nullptr;
  if (result_length1) *result_length1 = gint(data.size());
  return static_cast<guint8*>(g_memdup2(data.data(), data.size()));
}

gchar* tarvex_providers_contracts_value_binary_to_hexadecimal(
    TarvexProvidersContractsValueBinary* self) {
  g_return_val_if_fail(self != NULL, NULL);
  GBytes* bytes = binary_bytes(self);
  if (!has_bytes(bytes)) return g_strdup("");
  return hexadecimal(bytes_view(bytes));
}

void tarvex_providers_contracts_value_binary_write(TarvexProvidersContractsValueBinary* self,
                                                   GOutputStream* stream, GError** error) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(stream != NULL);
  auto data = bytes_view(binary_bytes(self));
  if (data.empty()) return;
  // One request; a stream that takes fewer bytes is not asked again.
  g_output_stream_write(stream, data.data(), data.size(), nullptr, error);
}

static void value_binary_store_loaded(GObject* source, GRef<GBytes>&& bytes) {
  tarvex_providers_contracts_value_binary_get_private(source)->bytes = std::move(bytes);
}

void tarvex_providers_contracts_value_binary_load(TarvexProvidersContractsValueBinary* self,
                                                  const gchar* filename,
                                                  GAsyncReadyCallback _callback_,
                                                  gpointer _user_data_) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(filename != NULL);
  values::load_bytes_async(G_OBJECT(self), filename, value_binary_store_loaded,
                           reinterpret_cast<gpointer>(tarvex_providers_contracts_value_binary_load),
                           _callback_, _user_data_);
}

void tarvex_providers_contracts_value_binary_load_finish(TarvexProvidersContractsValueBinary* self,
                                                         GAsyncResult* _res_, GError** error) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(g_task_is_valid(_res_, self));
  values::file_finish(_res_, error);
}

void tarvex_providers_contracts_value_binary_save(TarvexProvidersContractsValueBinary* self,
                                                  const gchar* filename,
                                                  GAsyncReadyCallback _callback_,
                                                  gpointer _user_data_) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(filename != NULL);
  // The buffer never changes, so holding it is as good as a copy.
  GRef<GBytes> data = retainGRef(binary_bytes(self));
  if (!data) data = adoptGRef(g_bytes_new(nullptr, 0));
  values::save_bytes_async(G_OBJECT(self), filename, std::move(data),
                           reinterpret_cast<gpointer>(tarvex_providers_contracts_value_binary_save),
                           _callback_, _user_data_);
}

void tarvex_providers_contracts_value_binary_save_finish(TarvexProvidersContractsValueBinary* self,
                                                         GAsyncResult* _res_, GError** error) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(g_task_is_valid(_res_, self));
  values::file_finish(_res_, error);
}

// --------------------------------------------------------------- ValueBlob

struct _TarvexProvidersContractsValueBlobPrivate {};

namespace blob_props {
enum { PROP_0, PROP_NAME, PROP_DATA_TYPE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace blob_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueBlob, tarvex_providers_contracts_value_blob,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_BINARY)

static TarvexProvidersContractsValueObject* value_blob_clone(
    TarvexProvidersContractsValueObject* self) {
  return values::as_value(
      binary_construct(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_BLOB, copy_bytes(binary_bytes(self))));
}
static const gchar* value_blob_get_name(TarvexProvidersContractsValueObject*) {
  return "blob";
}
static TarvexProvidersContractsDataType value_blob_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB;
}

static void value_blob_get_property(GObject* object, guint prop_id, GValue* value,
                                    GParamSpec* pspec) {
  using namespace blob_props;
  switch (prop_id) {
    case PROP_NAME:
    case PROP_DATA_TYPE:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_blob_class_setup(
    TarvexProvidersContractsValueBlobClass* klass) {
  using namespace blob_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->clone = value_blob_clone;
  vc->get_name = value_blob_get_name;
  vc->get_data_type = value_blob_get_data_type;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_blob_get_property;
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsValueBlob* tarvex_providers_contracts_value_blob_construct(
    GType object_type, const guint8* bytes, gint length) {
  g_return_val_if_fail(length >= 0, NULL);
  g_return_val_if_fail(bytes != NULL || length == 0, NULL);
  return reinterpret_cast<TarvexProvidersContractsValueBlob*>(
      binary_construct(object_type, adoptGRef(g_bytes_new(bytes, gsize(length)))));
}

TarvexProvidersContractsValueBlob* tarvex_providers_contracts_value_blob_new(const guint8* bytes,
                                                                             gint length) {
  return tarvex_providers_contracts_value_blob_construct(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_BLOB,
                                                         bytes, length);
}
