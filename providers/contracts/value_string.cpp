#include "providers/contracts/value_string.h"

#include <cstring>

#include "providers/contracts/value-file-private.h"
#include "providers/contracts/value-private.h"
#include "providers/contracts/value-string-private.h"
#include "providers/contracts/value-text-private.h"

using namespace tarvex;

namespace {

// The interface of value-text-private.h, found by its name from the other
// library of the project.
GType value_text_get_type() {
  static gsize type = 0;
  if (g_once_init_enter(&type)) {
    GType registered = g_type_register_static_simple(
        G_TYPE_INTERFACE, g_intern_static_string(values::kValueTextType),
        sizeof(values::ValueTextIface), nullptr, 0, nullptr, GTypeFlags(0));
    g_type_interface_add_prerequisite(registered, G_TYPE_OBJECT);
    g_once_init_leave(&type, registered);
  }
  return GType(type);
}

}  // namespace

bool tarvex::values::utf8_valid_len(const char* text, gsize length) {
  // Each run between zero bytes is checked on its own.
  const char* end = text + length;
  for (const char* at = text; at <= end;) {
    const void* zero = std::memchr(at, 0, gsize(end - at));
    const char* stop = zero ? static_cast<const char*>(zero) : end;
    if (!g_utf8_validate_len(at, gsize(stop - at), nullptr)) return false;
    at = stop + 1;
  }
  return true;
}

// ------------------------------------------------------------- ValueString

struct _TarvexProvidersContractsValueStringPrivate {
  // Present and empty until a constructor or setter stores a text.
  OptString text{""};
};

namespace string_props {
enum { PROP_0, PROP_NAME, PROP_ITSVALUE, PROP_DATA_TYPE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace string_props

static void value_string_text_init(values::ValueTextIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexProvidersContractsValueString,
                             tarvex_providers_contracts_value_string,
                             TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT,
                             G_IMPLEMENT_INTERFACE(value_text_get_type(), value_string_text_init))

// As a C string: up to the first U+0000 of the text.
static const char* string_text(gconstpointer self) {
  return tarvex_providers_contracts_value_string_get_private(self)->text.c_str();
}

// The whole text, U+0000 included.
static const std::string& string_whole(gconstpointer self) {
  return tarvex_providers_contracts_value_string_get_private(self)->text.text;
}

static bool string_present(gconstpointer self) {
  return tarvex_providers_contracts_value_string_get_private(self)->text.present;
}

static void value_string_text_init(values::ValueTextIface* iface) {
  iface->peek = [](TarvexProvidersContractsValueObject* self, gsize* length) -> const char* {
    const std::string& text = string_whole(self);
    *length = string_present(self) ? text.size() : 0;
    return string_present(self) ? text.c_str() : nullptr;
  };
  iface->text = [](TarvexProvidersContractsValueObject* self, std::string* out) -> gboolean {
    out->assign(string_present(self) ? string_whole(self) : std::string());
    return string_present(self);
  };
}

// A copy of `self` as a value of `type`, the whole text kept. A value
// whose text was set absent is refused as its constructor refuses it.
static TarvexProvidersContractsValueObject* string_clone_as(
    GType type, TarvexProvidersContractsValueObject* self) {
  if (!string_present(self)) {
    if (g_type_is_a(type, TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UUID))
      return values::as_value(tarvex_providers_contracts_value_uuid_construct_uuid(type, nullptr));
    return values::as_value(tarvex_providers_contracts_value_string_construct(type, nullptr));
  }
  const std::string& text = string_whole(self);
  return values::as_value(values::string_new_len(type, text.data(), text.size()));
}

static void value_string_to_value(TarvexProvidersContractsValueObject* self, GValue* result) {
  g_value_init(result, G_TYPE_STRING);
  g_value_set_string(result, string_text(self));
}
static gchar* value_string_to_string(TarvexProvidersContractsValueObject* self) {
  return g_strdup(string_text(self));
}
static TarvexProvidersContractsValueObject* value_string_clone(
    TarvexProvidersContractsValueObject* self) {
  return string_clone_as(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING, self);
}
static const gchar* value_string_get_name(TarvexProvidersContractsValueObject*) {
  return "string";
}
static TarvexProvidersContractsDataType value_string_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_STRING;
}

static void value_string_get_property(GObject* object, guint prop_id, GValue* value,
                                      GParamSpec* pspec) {
  using namespace string_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      g_value_set_string(value, string_text(object));
      break;
    case PROP_NAME:
    case PROP_DATA_TYPE:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void value_string_set_property(GObject* object, guint prop_id, const GValue* value,
                                      GParamSpec* pspec) {
  using namespace string_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      tarvex_providers_contracts_value_string_set_itsvalue(
          reinterpret_cast<TarvexProvidersContractsValueString*>(object),
          g_value_get_string(value));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_string_class_setup(
    TarvexProvidersContractsValueStringClass* klass) {
  using namespace string_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_string_to_value;
  vc->to_string = value_string_to_string;
  vc->clone = value_string_clone;
  vc->get_name = value_string_get_name;
  vc->get_data_type = value_string_get_data_type;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_string_get_property;
  oc->set_property = value_string_set_property;
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_ITSVALUE] =
      g_param_spec_string("itsvalue", "itsvalue", "itsvalue", nullptr, values::kReadWrite);
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsValueString* tarvex_providers_contracts_value_string_construct(
    GType object_type, const gchar* text) {
  g_return_val_if_fail(text != NULL, NULL);
  auto* self = values::make<TarvexProvidersContractsValueString>(object_type);
  tarvex_providers_contracts_value_string_get_private(self)->text.assign(text);
  return self;
}

TarvexProvidersContractsValueString* tarvex::values::string_new_len(GType type, const char* text,
                                                                    gsize length) {
  auto* self = values::make<TarvexProvidersContractsValueString>(type);
  auto& slot = tarvex_providers_contracts_value_string_get_private(self)->text;
  if (length)
    slot.text.assign(text, length);
  else
    slot.text.clear();
  slot.present = true;
  return self;
}

TarvexProvidersContractsValueString* tarvex_providers_contracts_value_string_new(
    const gchar* text) {
  return tarvex_providers_contracts_value_string_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING, text);
}

const gchar* tarvex_providers_contracts_value_string_get_itsvalue(
    TarvexProvidersContractsValueString* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return string_text(self);
}

void tarvex_providers_contracts_value_string_set_itsvalue(TarvexProvidersContractsValueString* self,
                                                          const gchar* value) {
  using namespace string_props;
  g_return_if_fail(self != NULL);
  tarvex_providers_contracts_value_string_get_private(self)->text.assign(value);
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_ITSVALUE]);
}

static void value_string_store_loaded(GObject* source, std::string&& text) {
  auto& slot = tarvex_providers_contracts_value_string_get_private(source)->text;
  slot.text = std::move(text);
  slot.present = true;
}

void tarvex_providers_contracts_value_string_load(TarvexProvidersContractsValueString* self,
                                                  const gchar* filename,
                                                  GAsyncReadyCallback _callback_,
                                                  gpointer _user_data_) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(filename != NULL);
  values::load_text_async(G_OBJECT(self), filename, value_string_store_loaded,
                          reinterpret_cast<gpointer>(tarvex_providers_contracts_value_string_load),
                          _callback_, _user_data_);
}

void tarvex_providers_contracts_value_string_load_finish(TarvexProvidersContractsValueString* self,
                                                         GAsyncResult* _res_, GError** error) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(g_task_is_valid(_res_, self));
  values::file_finish(_res_, error);
}

void tarvex_providers_contracts_value_string_save(TarvexProvidersContractsValueString* self,
                                                  const gchar* filename,
                                                  GAsyncReadyCallback _callback_,
                                                  gpointer _user_data_) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(filename != NULL);
  // The text as it is now: later changes to the value do not reach the file.
  const auto& text = tarvex_providers_contracts_value_string_get_private(self)->text.text;
  auto data = adoptGRef(g_bytes_new(text.data(), text.size()));
  values::save_bytes_async(G_OBJECT(self), filename, std::move(data),
                           reinterpret_cast<gpointer>(tarvex_providers_contracts_value_string_save),
                           _callback_, _user_data_);
}

void tarvex_providers_contracts_value_string_save_finish(TarvexProvidersContractsValueString* self,
                                                         GAsyncResult* _res_, GError** error) {
  g_return_if_fail(self != NULL);
  g_return_if_fail(g_task_is_valid(_res_, self));
  values::file_finish(_res_, error);
}

// ------------------------------------------- ValueXml, ValueJson, ValueUuid
// Same text as ValueString; they report another kind and clone to their own
// class. Each declares its own read-only "name" and "data-type".

static void string_kind_class_setup(
    gpointer klass, decltype(TarvexProvidersContractsValueObjectClass::clone) clone,
    decltype(TarvexProvidersContractsValueObjectClass::get_name) get_name,
    decltype(TarvexProvidersContractsValueObjectClass::get_data_type) get_data_type) {
  auto* vc = static_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->clone = clone;
  vc->get_name = get_name;
  vc->get_data_type = get_data_type;
  values::install_kind_properties(G_OBJECT_CLASS(klass));
}

struct _TarvexProvidersContractsValueXmlPrivate {};
TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueXml, tarvex_providers_contracts_value_xml,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING)

static void tarvex_providers_contracts_value_xml_class_setup(
    TarvexProvidersContractsValueXmlClass* klass) {
  string_kind_class_setup(
      klass,
      [](TarvexProvidersContractsValueObject* self) {
        return string_clone_as(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_XML, self);
      },
      [](TarvexProvidersContractsValueObject*) -> const gchar* { return "xml"; },
      [](TarvexProvidersContractsValueObject*) {
        return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_XML;
      });
}

TarvexProvidersContractsValueXml* tarvex_providers_contracts_value_xml_construct(
    GType object_type, const gchar* text) {
  g_return_val_if_fail(text != NULL, NULL);
  return reinterpret_cast<TarvexProvidersContractsValueXml*>(
      tarvex_providers_contracts_value_string_construct(object_type, text));
}

TarvexProvidersContractsValueXml* tarvex_providers_contracts_value_xml_new(const gchar* text) {
  return tarvex_providers_contracts_value_xml_construct(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_XML,
                                                        text);
}

struct _TarvexProvidersContractsValueJsonPrivate {};
TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueJson, tarvex_providers_contracts_value_json,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING)

static void tarvex_providers_contracts_value_json_class_setup(
    TarvexProvidersContractsValueJsonClass* klass) {
  string_kind_class_setup(
      klass,
      [](TarvexProvidersContractsValueObject* self) {
        return string_clone_as(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_JSON, self);
      },
      [](TarvexProvidersContractsValueObject*) -> const gchar* { return "json"; },
      [](TarvexProvidersContractsValueObject*) {
        return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_JSON;
      });
}

TarvexProvidersContractsValueJson* tarvex_providers_contracts_value_json_construct(
    GType object_type, const gchar* text) {
  g_return_val_if_fail(text != NULL, NULL);
  return reinterpret_cast<TarvexProvidersContractsValueJson*>(
      tarvex_providers_contracts_value_string_construct(object_type, text));
}

TarvexProvidersContractsValueJson* tarvex_providers_contracts_value_json_new(const gchar* text) {
  return tarvex_providers_contracts_value_json_construct(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_JSON,
                                                         text);
}

struct _TarvexProvidersContractsValueUuidPrivate {};
TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueUuid, tarvex_providers_contracts_value_uuid,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_STRING)

static void tarvex_providers_contracts_value_uuid_class_setup(
    TarvexProvidersContractsValueUuidClass* klass) {
  string_kind_class_setup(
      klass,
      [](TarvexProvidersContractsValueObject* self) {
        return string_clone_as(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UUID, self);
      },
      [](TarvexProvidersContractsValueObject*) -> const gchar* { return "uuid"; },
      [](TarvexProvidersContractsValueObject*) {
        return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_UUID;
      });
}

TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_construct_uuid(
    GType object_type, const gchar* uuid) {
  g_return_val_if_fail(uuid != NULL, NULL);
  auto* self = values::make<TarvexProvidersContractsValueUuid>(object_type);
  tarvex_providers_contracts_value_string_get_private(self)->text.assign(uuid);
  return self;
}

TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_new_uuid(
    const gchar* uuid) {
  return tarvex_providers_contracts_value_uuid_construct_uuid(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UUID, uuid);
}

TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_construct(
    GType object_type) {
  // A random (version 4) UUID in lower case.
  GUniqueStr uuid(g_uuid_string_random());
  return tarvex_providers_contracts_value_uuid_construct_uuid(object_type, uuid.get());
}

TarvexProvidersContractsValueUuid* tarvex_providers_contracts_value_uuid_new(void) {
  return tarvex_providers_contracts_value_uuid_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UUID);
}

// --------------------------------------------------------------- ValueUtf16

struct _TarvexProvidersContractsValueUtf16Private {
  GUnique<gunichar2> buffer;
  // Code units of the text, U+0000 included; the buffer holds one more,
  // the zero that ends it.
  gsize units = 0;
};

namespace utf16_props {
enum { PROP_0, PROP_NAME, PROP_ITSVALUE, PROP_DATA_TYPE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace utf16_props

static void value_utf16_text_init(values::ValueTextIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(TarvexProvidersContractsValueUtf16,
                             tarvex_providers_contracts_value_utf16,
                             TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT,
                             G_IMPLEMENT_INTERFACE(value_text_get_type(), value_utf16_text_init))

static gunichar2* utf16_buffer(gconstpointer self) {
  return tarvex_providers_contracts_value_utf16_get_private(self)->buffer.get();
}

// Stores `buffer` (ended by a zero unit after `units` units, or null).
static void utf16_store(gconstpointer self, gunichar2* buffer, gsize units) {
  auto* priv = tarvex_providers_contracts_value_utf16_get_private(self);
  priv->buffer.reset(buffer);
  priv->units = buffer ? units : 0;
}

// Units up to the first zero: a buffer given through the C API.
static gsize utf16_units(const gunichar2* buffer) {
  gsize units = 0;
  if (buffer)
    while (buffer[units]) ++units;
  return units;
}

// GLib's conversions stop at a zero: the runs between zeros are converted
// one by one, each zero kept as it is.
static bool utf16_to_utf8_whole(const gunichar2* text, gsize units, std::string& out) {
  out.clear();
  for (gsize at = 0; at <= units;) {
    gsize stop = at;
    while (stop < units && text[stop]) ++stop;
    if (stop > at) {
      glong written = 0;
      GUniqueStr piece(g_utf16_to_utf8(text + at, glong(stop - at), nullptr, &written, nullptr));
      if (!piece) {
        out.clear();
        return false;
      }
      out.append(piece.get(), gsize(written));
    }
    if (stop < units) out += '\0';
    at = stop + 1;
  }
  return true;
}

// Null for text that is not UTF-8.
static gunichar2* utf8_to_utf16_whole(const char* text, gsize length, gsize* units) {
  std::basic_string<gunichar2> out;
  const char* end = text + length;
  for (const char* at = text; at <= end;) {
    const void* zero = std::memchr(at, 0, gsize(end - at));
    const char* stop = zero ? static_cast<const char*>(zero) : end;
    if (stop > at) {
      glong written = 0;
      GUnique<gunichar2> piece(g_utf8_to_utf16(at, glong(stop - at), nullptr, &written, nullptr));
      if (!piece) return nullptr;
      out.append(piece.get(), gsize(written));
    }
    if (stop < end) out += gunichar2(0);
    at = stop + 1;
  }
  *units = out.size();
  return static_cast<gunichar2*>(g_memdup2(out.c_str(), (out.size() + 1) * sizeof(gunichar2)));
}

static void value_utf16_text_init(values::ValueTextIface* iface) {
  iface->peek = [](TarvexProvidersContractsValueObject*, gsize* length) -> const char* {
    *length = 0;
    return nullptr;
  };
  iface->text = [](TarvexProvidersContractsValueObject* self, std::string* out) -> gboolean {
    auto* priv = tarvex_providers_contracts_value_utf16_get_private(self);
    if (!priv->buffer) {
      out->clear();
      return FALSE;
    }
    return utf16_to_utf8_whole(priv->buffer.get(), priv->units, *out);
  };
}

TarvexProvidersContractsValueUtf16* tarvex::values::utf16_new_len(const char* text, gsize length) {
  auto* self =
      values::make<TarvexProvidersContractsValueUtf16>(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UTF16);
  gsize units = 0;
  gunichar2* buffer = utf8_to_utf16_whole(text, length, &units);
  utf16_store(self, buffer, units);
  return self;
}

// Absent for a buffer that is not valid UTF-16 (an unpaired surrogate).
static gchar* utf16_to_utf8(const gunichar2* text) {
  g_return_val_if_fail(text != NULL, NULL);
  return g_utf16_to_utf8(text, -1, nullptr, nullptr, nullptr);
}

static void value_utf16_to_value(TarvexProvidersContractsValueObject* self, GValue* result) {
  g_value_init(result, G_TYPE_STRING);
  g_value_take_string(result, utf16_to_utf8(utf16_buffer(self)));
}
static gchar* value_utf16_to_string(TarvexProvidersContractsValueObject* self) {
  return utf16_to_utf8(utf16_buffer(self));
}
// Copies the code units themselves: a round trip through UTF-8 would lose a
// buffer that does not convert.
static TarvexProvidersContractsValueObject* value_utf16_clone(
    TarvexProvidersContractsValueObject* self) {
  const gunichar2* buffer = utf16_buffer(self);
  const gsize units = tarvex_providers_contracts_value_utf16_get_private(self)->units;
  gunichar2* copy = nullptr;
  if (buffer) copy = static_cast<gunichar2*>(g_memdup2(buffer, (units + 1) * sizeof(gunichar2)));
  auto* clone =
      values::make<TarvexProvidersContractsValueUtf16>(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UTF16);
  utf16_store(clone, copy, units);
  return values::as_value(clone);
}
static const gchar* value_utf16_get_name(TarvexProvidersContractsValueObject*) {
  return "wstring";
}
static TarvexProvidersContractsDataType value_utf16_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_WSTRING;
}

static void value_utf16_get_property(GObject* object, guint prop_id, GValue* value,
                                     GParamSpec* pspec) {
  using namespace utf16_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      g_value_set_pointer(value, utf16_buffer(object));
      break;
    case PROP_NAME:
    case PROP_DATA_TYPE:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void value_utf16_set_property(GObject* object, guint prop_id, const GValue* value,
                                     GParamSpec* pspec) {
  using namespace utf16_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      tarvex_providers_contracts_value_utf16_set_itsvalue(
          reinterpret_cast<TarvexProvidersContractsValueUtf16*>(object),
          static_cast<gunichar2*>(g_value_get_pointer(value)));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_utf16_class_setup(
    TarvexProvidersContractsValueUtf16Class* klass) {
  using namespace utf16_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_utf16_to_value;
  vc->to_string = value_utf16_to_string;
  vc->clone = value_utf16_clone;
  vc->get_name = value_utf16_get_name;
  vc->get_data_type = value_utf16_get_data_type;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_utf16_get_property;
  oc->set_property = value_utf16_set_property;
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_ITSVALUE] =
      g_param_spec_pointer("itsvalue", "itsvalue", "itsvalue", values::kReadWrite);
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_construct(
    GType object_type, gunichar2* text) {
  g_return_val_if_fail(text != NULL, NULL);
  auto* self = values::make<TarvexProvidersContractsValueUtf16>(object_type);
  utf16_store(self, text, utf16_units(text));
  return self;
}

TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_new(gunichar2* text) {
  return tarvex_providers_contracts_value_utf16_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UTF16, text);
}

TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_construct_string(
    GType object_type, const gchar* text) {
  g_return_val_if_fail(text != NULL, NULL);
  auto* self = values::make<TarvexProvidersContractsValueUtf16>(object_type);
  // Text that is not valid UTF-8 leaves the value without a buffer.
  glong units = 0;
  gunichar2* buffer = g_utf8_to_utf16(text, -1, nullptr, &units, nullptr);
  utf16_store(self, buffer, gsize(units));
  return self;
}

TarvexProvidersContractsValueUtf16* tarvex_providers_contracts_value_utf16_new_string(
    const gchar* text) {
  return tarvex_providers_contracts_value_utf16_construct_string(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UTF16, text);
}

gunichar2* tarvex_providers_contracts_value_utf16_get_itsvalue(
    TarvexProvidersContractsValueUtf16* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return utf16_buffer(self);
}

void tarvex_providers_contracts_value_utf16_set_itsvalue(TarvexProvidersContractsValueUtf16* self,
                                                         gunichar2* value) {
  using namespace utf16_props;
  g_return_if_fail(self != NULL);
  auto* priv = tarvex_providers_contracts_value_utf16_get_private(self);
  // Storing the held buffer again must not free it (nor forget its length).
  if (priv->buffer.get() != value) utf16_store(self, value, utf16_units(value));
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_ITSVALUE]);
}
