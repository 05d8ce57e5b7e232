#include "providers/contracts/value_geometry.h"

#include "providers/contracts/value-private.h"

using namespace tarvex;

// ----------------------------------------------------------- ValueGeometry

struct _TarvexProvidersContractsValueGeometryPrivate {
  // Present and empty until a constructor or setter stores a text.
  OptString text{""};
};

namespace geometry_props {
enum { PROP_0, PROP_NAME, PROP_ITSVALUE, PROP_DATA_TYPE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace geometry_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueGeometry, tarvex_providers_contracts_value_geometry,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_OBJECT)

static const char* geometry_text(gconstpointer self) {
  return tarvex_providers_contracts_value_geometry_get_private(self)->text.c_str();
}

static void value_geometry_to_value(TarvexProvidersContractsValueObject* self, GValue* result) {
  g_value_init(result, G_TYPE_STRING);
  g_value_set_string(result, geometry_text(self));
}
static gchar* value_geometry_to_string(TarvexProvidersContractsValueObject* self) {
  return g_strdup(geometry_text(self));
}
static TarvexProvidersContractsValueObject* value_geometry_clone(
    TarvexProvidersContractsValueObject* self) {
  return values::as_value(tarvex_providers_contracts_value_geometry_new(geometry_text(self)));
}
static const gchar* value_geometry_get_name(TarvexProvidersContractsValueObject*) {
  return "geometry";
}
static TarvexProvidersContractsDataType value_geometry_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOMETRY;
}

static void value_geometry_get_property(GObject* object, guint prop_id, GValue* value,
                                        GParamSpec* pspec) {
  using namespace geometry_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      g_value_set_string(value, geometry_text(object));
      break;
    case PROP_NAME:
    case PROP_DATA_TYPE:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void value_geometry_set_property(GObject* object, guint prop_id, const GValue* value,
                                        GParamSpec* pspec) {
  using namespace geometry_props;
  switch (prop_id) {
    case PROP_ITSVALUE:
      tarvex_providers_contracts_value_geometry_set_itsvalue(
          reinterpret_cast<TarvexProvidersContractsValueGeometry*>(object),
          g_value_get_string(value));
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_geometry_class_setup(
    TarvexProvidersContractsValueGeometryClass* klass) {
  using namespace geometry_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_geometry_to_value;
  vc->to_string = value_geometry_to_string;
  vc->clone = value_geometry_clone;
  vc->get_name = value_geometry_get_name;
  vc->get_data_type = value_geometry_get_data_type;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_geometry_get_property;
  oc->set_property = value_geometry_set_property;
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_ITSVALUE] =
      g_param_spec_string("itsvalue", "itsvalue", "itsvalue", nullptr, values::kReadWrite);
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsValueGeometry* tarvex_providers_contracts_value_geometry_construct(
    GType object_type, const gchar* value) {
  g_return_val_if_fail(value != NULL, NULL);
  auto* self = values::make<TarvexProvidersContractsValueGeometry>(object_type);
  tarvex_providers_contracts_value_geometry_get_private(self)->text.assign(value);
  return self;
}

TarvexProvidersContractsValueGeometry* tarvex_providers_contracts_value_geometry_new(
    const gchar* value) {
  return tarvex_providers_contracts_value_geometry_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_GEOMETRY, value);
}

const gchar* tarvex_providers_contracts_value_geometry_get_itsvalue(
    TarvexProvidersContractsValueGeometry* self) {
  g_return_val_if_fail(self != NULL, NULL);
  return geometry_text(self);
}

void tarvex_providers_contracts_value_geometry_set_itsvalue(
    TarvexProvidersContractsValueGeometry* self, const gchar* value) {
  using namespace geometry_props;
  g_return_if_fail(self != NULL);
  tarvex_providers_contracts_value_geometry_get_private(self)->text.assign(value);
  g_object_notify_by_pspec(G_OBJECT(self), properties[PROP_ITSVALUE]);
}

// ---------------------------------------------------------- ValueGeography

struct _TarvexProvidersContractsValueGeographyPrivate {};

namespace geography_props {
enum { PROP_0, PROP_NAME, PROP_DATA_TYPE, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];
}  // namespace geography_props

TARVEX_DEFINE_TYPE(TarvexProvidersContractsValueGeography,
                   tarvex_providers_contracts_value_geography,
                   TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_GEOMETRY)

static TarvexProvidersContractsValueObject* value_geography_clone(
    TarvexProvidersContractsValueObject* self) {
  return values::as_value(tarvex_providers_contracts_value_geography_new(geometry_text(self)));
}
static const gchar* value_geography_get_name(TarvexProvidersContractsValueObject*) {
  return "geography";
}
static TarvexProvidersContractsDataType value_geography_get_data_type(
    TarvexProvidersContractsValueObject*) {
  return TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOGRAPHY;
}

static void value_geography_get_property(GObject* object, guint prop_id, GValue* value,
                                         GParamSpec* pspec) {
  using namespace geography_props;
  switch (prop_id) {
    case PROP_NAME:
    case PROP_DATA_TYPE:
      values::set_kind_property(object, value, pspec);
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

static void tarvex_providers_contracts_value_geography_class_setup(
    TarvexProvidersContractsValueGeographyClass* klass) {
  using namespace geography_props;
  auto* vc = reinterpret_cast<TarvexProvidersContractsValueObjectClass*>(klass);
  vc->to_value = value_geometry_to_value;
  vc->to_string = value_geometry_to_string;
  vc->clone = value_geography_clone;
  vc->get_name = value_geography_get_name;
  vc->get_data_type = value_geography_get_data_type;
  auto* oc = G_OBJECT_CLASS(klass);
  oc->get_property = value_geography_get_property;
  properties[PROP_NAME] = values::name_pspec();
  properties[PROP_DATA_TYPE] = values::data_type_pspec();
  g_object_class_install_properties(oc, N_PROPERTIES, properties);
}

TarvexProvidersContractsValueGeography* tarvex_providers_contracts_value_geography_construct(
    GType object_type, const gchar* value) {
  g_return_val_if_fail(value != NULL, NULL);
  return reinterpret_cast<TarvexProvidersContractsValueGeography*>(
      tarvex_providers_contracts_value_geometry_construct(object_type, value));
}

TarvexProvidersContractsValueGeography* tarvex_providers_contracts_value_geography_new(
    const gchar* value) {
  return tarvex_providers_contracts_value_geography_construct(
      TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_GEOGRAPHY, value);
}

// Reads one side of "latitude, longitude"; 0 when the text has no such pair.
// Each number may carry a sign (southern latitudes, western longitudes), and
// is read without regard to the process locale.
static gdouble geography_coordinate(TarvexProvidersContractsValueGeography* self,
                                    const char* group) {
  const char* text = geometry_text(self);
  if (!text || !*text || !g_utf8_validate(text, -1, nullptr)) return 0;
  static const GRef<GRegex> pair =
      adoptGRef(g_regex_new("(?<left>[-+]?[\\d\\.]+),\\s*(?<right>[-+]?[\\d\\.]+)",
                            G_REGEX_MULTILINE, GRegexMatchFlags(0), nullptr));
  GMatchInfo* raw_match = nullptr;
  bool found = g_regex_match(pair.get(), text, GRegexMatchFlags(0), &raw_match);
  auto match = adoptGRef(raw_match);
  if (!found) return 0;
  GUniqueStr number(g_match_info_fetch_named(match.get(), group));
  return number ? g_ascii_strtod(number.get(), nullptr) : 0;
}

gdouble tarvex_providers_contracts_value_geography_latitude(
    TarvexProvidersContractsValueGeography* self) {
  g_return_val_if_fail(self != NULL, 0);
  return geography_coordinate(self, "left");
}

gdouble tarvex_providers_contracts_value_geography_longitude(
    TarvexProvidersContractsValueGeography* self) {
  g_return_val_if_fail(self != NULL, 0);
  return geography_coordinate(self, "right");
}
