#include "providers/contracts/value_string.h"

#include "providers/contracts/value-file-private.h"
#include "providers/contracts/value-private.h"

using namespace tarvex;

// ------------------------------------------------------------- ValueString

struct _TarvexProvidersContractsValueStringPrivate {
  // Present and empty until a constructor or setter stores a text.
  OptString text{""};
};

namespace string_props {
enum { PROP_0, PROP_NAME, PROP_ITSVALUE, PROP_DATA_TYPE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace string_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueString, tarvex_providers_contracts_value_string,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT)

static const char* string_text(gconstpointer self) {
  return tarvex_providers_contracts_value_string_get_private(self)->text.c_str();
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
  return values::as_value(tarvex_providers_contracts_value_string_new(string_text(self)));
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
        return values::as_value(tarvex_providers_contracts_value_xml_new(string_text(self)));
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
        return values::as_value(tarvex_providers_contracts_value_json_new(string_text(self)));
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
        return values::as_value(tarvex_providers_contracts_value_uuid_new_uuid(string_text(self)));
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
};

namespace utf16_props {
enum { PROP_0, PROP_NAME, PROP_ITSVALUE, PROP_DATA_TYPE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace utf16_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueUtf16, tarvex_providers_contracts_value_utf16,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT)

static gunichar2* utf16_buffer(gconstpointer self) {
  return tarvex_providers_contracts_value_utf16_get_private(self)->buffer.get();
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
  gunichar2* copy = nullptr;
  if (buffer) {
    gsize units = 0;
    while (buffer[units]) ++units;
    copy = static_cast<gunichar2*>(g_memdup2(buffer, (units + 1) * sizeof(gunichar2)));
  }
  auto* clone =
      values::make<TarvexProvidersContractsValueUtf16>(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_UTF16);
  tarvex_providers_contracts_value_utf16_get_private(clone)->buffer.reset(copy);
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
  tarvex_providers_contracts_value_utf16_get_private(self)->buffer.reset(text);
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
  tarvex_providers_contracts_value_utf16_get_private(self)->buffer.reset(
      g_utf8_to_utf16(text, -1, nullptr, nullptr, nullptr));
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
  auto& slot = tarvex_providers_contracts_value_utf16_get_private(self)->buffer;
  // Storing the held buffer again must not free it.
  if (slot.get() != value) slot.reset(value);
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_ITSVALUE]);
}
