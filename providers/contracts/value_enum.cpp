#include "providers/contracts/value_enum.h"

#include <vector>

#include "common/tarvex-dispatch-private.h"
#include "providers/contracts/value-private.h"

using namespace tarvex;

namespace {

// Owned member names, kept terminated by a null slot so they can be handed
// out as a string vector.
class MemberList {
 public:
  MemberList() = default;
  MemberList(const MemberList&) = delete;
  MemberList& operator=(const MemberList&) = delete;
  ~MemberList() {
    for (char* s : slots_) g_free(s);
  }

  void append(const char* name) {
    if (slots_.empty()) slots_.push_back(nullptr);
    slots_.back() = g_strdup(name);
    slots_.push_back(nullptr);
  }
  gint size() const { return slots_.empty() ? 0 : gint(slots_.size() - 1); }
  const char* const* strv() const {
    static const char* const empty[] = {nullptr};
    return slots_.empty() ? empty : slots_.data();
  }

 private:
  std::vector<char*> slots_;
};

}  // namespace

// ---------------------------------------------------------------- ValueEnum

struct _TarvexProvidersContractsValueEnumPrivate {
  OptString itsvalue;
  MemberList members;
};

namespace enum_props {
enum { PROP_0, PROP_NAME, PROP_ITSVALUE, PROP_DATA_TYPE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace enum_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueEnum, tarvex_providers_contracts_value_enum,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT)

static TarvexProvidersContractsValueEnumPrivate* enum_private(gconstpointer self) {
  return tarvex_providers_contracts_value_enum_get_private(self);
}

// Constructors store without notification.
template <typename T>
static T* make_enum(GType type, const char* text) {
  auto* self = values::make<T>(type);
  enum_private(self)->itsvalue.assign(text);
  return self;
}

// A copy of the same class with the same text and members. A value whose
// text was cleared copies as one without text rather than as no value, so a
// cloned row never holds a hole.
static TarvexProvidersContractsValueObject* clone_as(GType type,
                                                     TarvexProvidersContractsValueObject* self) {
  auto* source = enum_private(self);
  auto* copy = make_enum<TarvexProvidersContractsValueEnum>(type, source->itsvalue.c_str());
  auto& members = enum_private(copy)->members;
  for (const char* const* m = source->members.strv(); *m; ++m) members.append(*m);
  return values::as_value(copy);
}

static void value_enum_to_value(TarvexProvidersContractsValueObject* self, GValue* result) {
  g_value_init(result, G_TYPE_STRING);
  g_value_set_string(result, enum_private(self)->itsvalue.c_str());
}
// A cleared text prints as the empty text: callers expect text from every
// value.
static gchar* value_enum_to_string(TarvexProvidersContractsValueObject* self) {
  const char* text = enum_private(self)->itsvalue.c_str();
  return g_strdup(text ? text : "");
}
static TarvexProvidersContractsValueObject* value_enum_clone(
    TarvexProvidersContractsValueObject* self) {
  return clone_as(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_ENUM, self);
}
static const gchar* value_enum_get_name(TarvexProvidersContractsValueObject*) {
  return "enum";
}
static TarvexProvidersContractsDataType value_enum_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_ENUM;
}

static void value_enum_real_initialize(TarvexProvidersContractsValueEnum* self, gchar** members,
                                       gint members_length) {
  if (!members) return;
  auto& list = enum_private(self)->members;
  for (gint i = 0; i < members_length; ++i) {
    if (members[i]) list.append(members[i]);
  }
}

static void value_enum_get_property(GObject* object, guint prop_id, GValue* value,
                                    GParamSpec* pspec) {
  using namespace enum_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      g_value_set_string(value, enum_private(object)->itsvalue.c_str());
      break;
    case PROP_NAME:
    case PROP_DATA_TYPE:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void value_enum_set_property(GObject* object, guint prop_id, const GValue* value,
                                    GParamSpec* pspec) {
  using namespace enum_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      tarvex_providers_contracts_value_enum_set_itsvalue(
          reinterpret_cast<TarvexProvidersContractsValueEnum*>(object), g_value_get_string(value));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_enum_class_setup(
    TarvexProvidersContractsValueEnumClass* klass) {
  using namespace enum_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_enum_to_value;
  vc->to_string = value_enum_to_string;
  vc->clone = value_enum_clone;
  vc->get_name = value_enum_get_name;
  vc->get_data_type = value_enum_get_data_type;
  klass->initialize = value_enum_real_initialize;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_enum_get_property;
  oc->set_property = value_enum_set_property;
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_ITSVALUE] =
      g_param_spec_string("itsvalue", "itsvalue", "itsvalue", nullptr, values::kReadWrite);
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsValueEnum* tarvex_providers_contracts_value_enum_construct(
    GType object_type, const gchar* enum_value) {
  g_return_val_if_fail(enum_value != NULL, NULL);
  return make_enum<TarvexProvidersContractsValueEnum>(object_type, enum_value);
}

TarvexProvidersContractsValueEnum* tarvex_providers_contracts_value_enum_new(
    const gchar* enum_value) {
  return tarvex_providers_contracts_value_enum_construct(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_ENUM,
                                                         enum_value);
}

void tarvex_providers_contracts_value_enum_initialize(TarvexProvidersContractsValueEnum* self,
                                                      gchar** members, gint members_length) {
  g_return_if_fail(members != NULL || members_length < 1);
  tarvex::call_slot<&TarvexProvidersContractsValueEnumClass::initialize>(self, members,
                                                                         members_length);
}

const gchar* const* tarvex_providers_contracts_value_enum_get_members(
    TarvexProvidersContractsValueEnum* self, gint* length) {
  if (length) *length = 0;
  g_return_val_if_fail(self != NULL, NULL);
  auto& members = enum_private(self)->members;
  if (length) *length = members.size();
  return members.strv();
}

const gchar* tarvex_providers_contracts_value_enum_get_itsvalue(
    TarvexProvidersContractsValueEnum* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return enum_private(self)->itsvalue.c_str();
}

void tarvex_providers_contracts_value_enum_set_itsvalue(TarvexProvidersContractsValueEnum* self,
                                                        const gchar* value) {
  using namespace enum_props;
  g_return_if_fail(self != NULL);
  enum_private(self)->itsvalue.assign(value);
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_ITSVALUE]);
}

// ------------------------------------------------------ ValueFlags, ValueSet

struct _TarvexProvidersContractsValueFlagsPrivate {};

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueFlags, tarvex_providers_contracts_value_flags,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_ENUM)

static TarvexProvidersContractsValueObject* value_flags_clone(
    TarvexProvidersContractsValueObject* self) {
  return clone_as(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_FLAGS, self);
}
static const gchar* value_flags_get_name(TarvexProvidersContractsValueObject*) {
  return "flags";
}
static TarvexProvidersContractsDataType value_flags_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_FLAGS;
}

static void tarvex_providers_contracts_value_flags_class_setup(
    TarvexProvidersContractsValueFlagsClass* klass) {
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->clone = value_flags_clone;
  vc->get_name = value_flags_get_name;
  vc->get_data_type = value_flags_get_data_type;
  values::install_kind_properties(G_OBJECT_CLASS(klass));
}

TarvexProvidersContractsValueFlags* tarvex_providers_contracts_value_flags_construct(
    GType object_type, const gchar* flag_value) {
  g_return_val_if_fail(flag_value != NULL, NULL);
  return make_enum<TarvexProvidersContractsValueFlags>(object_type, flag_value);
}

TarvexProvidersContractsValueFlags* tarvex_providers_contracts_value_flags_new(
    const gchar* flag_value) {
  return tarvex_providers_contracts_value_flags_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_FLAGS, flag_value);
}

const gchar* tarvex_providers_contracts_value_flags_get_itsvalue(
    TarvexProvidersContractsValueFlags* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return enum_private(self)->itsvalue.c_str();
}

void tarvex_providers_contracts_value_flags_set_itsvalue(TarvexProvidersContractsValueFlags* self,
                                                         const gchar* value) {
  g_return_if_fail(self != NULL);
  tarvex_providers_contracts_value_enum_set_itsvalue(
      reinterpret_cast<TarvexProvidersContractsValueEnum*>(self), value);
}

struct _TarvexProvidersContractsValueSetPrivate {};

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueSet, tarvex_providers_contracts_value_set,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_ENUM)

static TarvexProvidersContractsValueObject* value_set_clone(
    TarvexProvidersContractsValueObject* self) {
  return clone_as(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_SET, self);
}
static const gchar* value_set_get_name(TarvexProvidersContractsValueObject*) {
  return "set";
}
static TarvexProvidersContractsDataType value_set_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_SET;
}

static void tarvex_providers_contracts_value_set_class_setup(
    TarvexProvidersContractsValueSetClass* klass) {
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->clone = value_set_clone;
  vc->get_name = value_set_get_name;
  vc->get_data_type = value_set_get_data_type;
  values::install_kind_properties(G_OBJECT_CLASS(klass));
}

TarvexProvidersContractsValueSet* tarvex_providers_contracts_value_set_construct(
    GType object_type, const gchar* set_value) {
  g_return_val_if_fail(set_value != NULL, NULL);
  return make_enum<TarvexProvidersContractsValueSet>(object_type, set_value);
}

TarvexProvidersContractsValueSet* tarvex_providers_contracts_value_set_new(const gchar* set_value) {
  return tarvex_providers_contracts_value_set_construct(TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_SET,
                                                        set_value);
}

const gchar* tarvex_providers_contracts_value_set_get_itsvalue(
    TarvexProvidersContractsValueSet* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return enum_private(self)->itsvalue.c_str();
}

void tarvex_providers_contracts_value_set_set_itsvalue(TarvexProvidersContractsValueSet* self,
                                                       const gchar* value) {
  g_return_if_fail(self != NULL);
  tarvex_providers_contracts_value_enum_set_itsvalue(
      reinterpret_cast<TarvexProvidersContractsValueEnum*>(self), value);
}
