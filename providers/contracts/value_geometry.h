// The spatial values: ValueGeometry and ValueGeography keep the spatial
// datum as the text the server renders; ValueGeography also reads a
// latitude and a longitude out of a text "latitude, longitude".
#pragma once

#include "providers/contracts/value_object.h"

G_BEGIN_DECLS

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_GEOMETRY \
  (tarvex_providers_contracts_value_geometry_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_geometry_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueGeometry,
                         tarvex_providers_contracts_value_geometry, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_GEOMETRY, TarvexProvidersContractsValueObject)
struct _TarvexProvidersContractsValueGeometryClass {
  TarvexProvidersContractsValueObjectClass parent_class;
};

#define TARVEX_PROVIDERS_CONTRACTS_TYPE_VALUE_GEOGRAPHY \
  (tarvex_providers_contracts_value_geography_get_type())
TARVEX_EXPORT GType tarvex_providers_contracts_value_geography_get_type(void) G_GNUC_CONST;
G_DECLARE_DERIVABLE_TYPE(TarvexProvidersContractsValueGeography,
                         tarvex_providers_contracts_value_geography, TARVEX_PROVIDERS_CONTRACTS,
                         VALUE_GEOGRAPHY, TarvexProvidersContractsValueGeometry)
struct _TarvexProvidersContractsValueGeographyClass {
  TarvexProvidersContractsValueGeometryClass parent_class;
};

TARVEX_EXPORT TarvexProvidersContractsValueGeometry* tarvex_providers_contracts_value_geometry_new(
    const gchar* value);
TARVEX_EXPORT TarvexProvidersContractsValueGeometry*
tarvex_providers_contracts_value_geometry_construct(GType object_type, const gchar* value);
TARVEX_EXPORT const gchar* tarvex_providers_contracts_value_geometry_get_itsvalue(
    TarvexProvidersContractsValueGeometry* self);
TARVEX_EXPORT void tarvex_providers_contracts_value_geometry_set_itsvalue(
    TarvexProvidersContractsValueGeometry* self, const gchar* value);

TARVEX_EXPORT TarvexProvidersContractsValueGeography*
tarvex_providers_contracts_value_geography_new(const gchar* value);
TARVEX_EXPORT TarvexProvidersContractsValueGeography*
tarvex_providers_contracts_value_geography_construct(GType object_type, const gchar* value);
TARVEX_EXPORT gdouble
tarvex_providers_contracts_value_geography_latitude(TarvexProvidersContractsValueGeography* self);
TARVEX_EXPORT gdouble
tarvex_providers_contracts_value_geography_longitude(TarvexProvidersContractsValueGeography* self);

G_END_DECLS
