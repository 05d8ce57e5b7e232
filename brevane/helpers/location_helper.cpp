#include "brevane/helpers/location_helper.h"

#include <algorithm>
#include <cmath>

#include "common/tarvex-fundamental-private.h"

struct _TarvexBrevaneHelpersLocationHelperPrivate {};

TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexBrevaneHelpersLocationHelper,
                               tarvex_brevane_helpers_location_helper, tarvex_brevane_helpers,
                               location_helper, TARVEX_BREVANE_HELPERS_TYPE_LOCATION_HELPER)

TarvexBrevaneHelpersLocationHelper* tarvex_brevane_helpers_location_helper_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneHelpersLocationHelper*>(tarvex::fundamental::create(object_type));
}

TarvexBrevaneHelpersLocationHelper* tarvex_brevane_helpers_location_helper_new(void) {
  return tarvex_brevane_helpers_location_helper_construct(
      TARVEX_BREVANE_HELPERS_TYPE_LOCATION_HELPER);
}

namespace {

constexpr double kPi = M_PI;
// Web Mercator is defined on the WGS 84 sphere.
constexpr double kMercatorRadius = 6378137.0;
constexpr double kMercatorLimit = 20037508.342789244;  // pi x 6378137
// The GCJ-02 offset is defined on the Krasovsky 1940 ellipsoid; the distance
// keeps the same sphere.
constexpr double kKrasovskyA = 6378245.0;
constexpr double kKrasovskyEE = 0.006693421622965943;
constexpr double kBdFactor = 52.35987755982988;  // pi x 3000 / 180

gdouble* pair(double x, double y, gint* result_length1) {
  auto* out = g_new(gdouble, 2);
  out[0] = x;
  out[1] = y;
  if (result_length1) *result_length1 = 2;
  return out;
}

void gcj_offset(double lon, double lat, double* d_lon, double* d_lat) {
  double dlat = tarvex_brevane_helpers_location_helper_transform_latitude(lon - 105.0, lat - 35.0);
  double dlon = tarvex_brevane_helpers_location_helper_transform_longitude(lon - 105.0, lat - 35.0);
  double r = lat * kPi / 180.0;
  double magic = 1 - kKrasovskyEE * std::sin(r) * std::sin(r);
  double s = std::sqrt(magic);
  *d_lat = dlat * 180.0 / ((kKrasovskyA * (1 - kKrasovskyEE)) / (magic * s) * kPi);
  *d_lon = dlon * 180.0 / (kKrasovskyA / s * std::cos(r) * kPi);
}

void to_gcj02(double lon, double lat, double* out_lon, double* out_lat) {
  *out_lon = lon;
  *out_lat = lat;
  if (tarvex_brevane_helpers_location_helper_out_of_china(lon, lat)) return;
  double dlon, dlat;
  gcj_offset(lon, lat, &dlon, &dlat);
  *out_lon = lon + dlon;
  *out_lat = lat + dlat;
}

void from_gcj02(double lon, double lat, double* out_lon, double* out_lat) {
  *out_lon = lon;
  *out_lat = lat;
  if (tarvex_brevane_helpers_location_helper_out_of_china(lon, lat)) return;
  double dlon, dlat;
  gcj_offset(lon, lat, &dlon, &dlat);
  *out_lon = lon - dlon;
  *out_lat = lat - dlat;
}

void gcj_to_bd(double lon, double lat, double* out_lon, double* out_lat) {
  double z = std::sqrt(lon * lon + lat * lat) + 0.00002 * std::sin(lat * kBdFactor);
  double theta = std::atan2(lat, lon) + 0.000003 * std::cos(lon * kBdFactor);
  *out_lon = z * std::cos(theta) + 0.0065;
  *out_lat = z * std::sin(theta) + 0.006;
}

void bd_to_gcj(double lon, double lat, double* out_lon, double* out_lat) {
  double x = lon - 0.0065;
  double y = lat - 0.006;
  double z = std::sqrt(x * x + y * y) - 0.00002 * std::sin(y * kBdFactor);
  double theta = std::atan2(y, x) - 0.000003 * std::cos(x * kBdFactor);
  *out_lon = z * std::cos(theta);
  *out_lat = z * std::sin(theta);
}

}  // namespace

gdouble tarvex_brevane_helpers_location_helper_fabs(gdouble x) {
  return std::fabs(x);
}

gdouble* tarvex_brevane_helpers_location_helper_espg3857_to_wgs84(gdouble x, gdouble y,
                                                                  gint* result_length1) {
  double lon = x / kMercatorRadius * 180.0 / kPi;
  double lat = (kPi / 2 - 2 * std::atan(std::exp(-y / kMercatorRadius))) * 180.0 / kPi;
  return pair(lon, lat, result_length1);
}

gdouble* tarvex_brevane_helpers_location_helper_wgs84_to_epsg3857(gdouble longitude,
                                                                  gdouble latitude,
                                                                  gint* result_length1) {
  if (longitude > 180.0)
    longitude -= 360.0;
  else if (longitude < -180.0)
    longitude += 360.0;
  double x = longitude * kMercatorRadius * kPi / 180.0;
  double y = kMercatorRadius * std::log(std::tan(kPi / 4 + latitude * kPi / 360.0));
  x = std::clamp(x, -kMercatorLimit, kMercatorLimit);
  y = std::clamp(y, -kMercatorLimit, kMercatorLimit);
  return pair(x, y, result_length1);
}

gdouble* tarvex_brevane_helpers_location_helper_gcj02_to_bd09(gdouble longitude, gdouble latitude,
                                                              gint* result_length1) {
  double lon, lat;
  gcj_to_bd(longitude, latitude, &lon, &lat);
  return pair(lon, lat, result_length1);
}

gdouble* tarvex_brevane_helpers_location_helper_bd09_to_gcj02(gdouble longitude, gdouble latitude,
                                                              gint* result_length1) {
  double lon, lat;
  bd_to_gcj(longitude, latitude, &lon, &lat);
  return pair(lon, lat, result_length1);
}

gboolean tarvex_brevane_helpers_location_helper_out_of_china(gdouble longitude, gdouble latitude) {
  return longitude < 72.004 || longitude > 137.8347 || latitude < 0.8293 || latitude > 55.8271;
}

gdouble tarvex_brevane_helpers_location_helper_transform_latitude(gdouble x, gdouble y) {
  double r = -100.0 + 2.0 * x + 3.0 * y + 0.2 * y * y + 0.1 * x * y + 0.2 * std::sqrt(std::fabs(x));
  r += (20.0 * std::sin(6.0 * x * kPi) + 20.0 * std::sin(2.0 * x * kPi)) * 2.0 / 3.0;
  r += (20.0 * std::sin(y * kPi) + 40.0 * std::sin(y / 3.0 * kPi)) * 2.0 / 3.0;
  r += (160.0 * std::sin(y / 12.0 * kPi) + 320.0 * std::sin(y * kPi / 30.0)) * 2.0 / 3.0;
  return r;
}

gdouble tarvex_brevane_helpers_location_helper_transform_longitude(gdouble x, gdouble y) {
  double r = 300.0 + x + 2.0 * y + 0.1 * x * x + 0.1 * x * y + 0.1 * std::sqrt(std::fabs(x));
  r += (20.0 * std::sin(6.0 * x * kPi) + 20.0 * std::sin(2.0 * x * kPi)) * 2.0 / 3.0;
  r += (20.0 * std::sin(x * kPi) + 40.0 * std::sin(x / 3.0 * kPi)) * 2.0 / 3.0;
  r += (150.0 * std::sin(x / 12.0 * kPi) + 300.0 * std::sin(x / 30.0 * kPi)) * 2.0 / 3.0;
  return r;
}

gdouble* tarvex_brevane_helpers_location_helper_wgs84_to_gcj02(gdouble longitude, gdouble latitude,
                                                               gint* result_length1) {
  double lon, lat;
  to_gcj02(longitude, latitude, &lon, &lat);
  return pair(lon, lat, result_length1);
}

gdouble* tarvex_brevane_helpers_location_helper_gcj02_to_wgs84(gdouble longitude, gdouble latitude,
                                                               gint* result_length1) {
  double lon, lat;
  from_gcj02(longitude, latitude, &lon, &lat);
  return pair(lon, lat, result_length1);
}

gdouble* tarvex_brevane_helpers_location_helper_wgs84_to_bd09(gdouble longitude, gdouble latitude,
                                                              gint* result_length1) {
  double lon, lat;
  to_gcj02(longitude, latitude, &lon, &lat);
  gcj_to_bd(lon, lat, &lon, &lat);
  return pair(lon, lat, result_length1);
}

gdouble* tarvex_brevane_helpers_location_helper_bd09_to_wgs84(gdouble longitude, gdouble latitude,
                                                              gint* result_length1) {
  double lon, lat;
  bd_to_gcj(longitude, latitude, &lon, &lat);
  from_gcj02(lon, lat, &lon, &lat);
  return pair(lon, lat, result_length1);
}

gdouble* tarvex_brevane_helpers_location_helper_transform(gdouble longitude, gdouble latitude,
                                                          gint* result_length1) {
  return tarvex_brevane_helpers_location_helper_wgs84_to_gcj02(longitude, latitude, result_length1);
}

gdouble tarvex_brevane_helpers_location_helper_distance(gdouble longitude1, gdouble latitude1,
                                                        gdouble longitude2, gdouble latitude2) {
  double p1 = latitude1 * kPi / 180.0;
  double p2 = latitude2 * kPi / 180.0;
  double c = std::cos(p1) * std::cos(p2) * std::cos((longitude1 - longitude2) * kPi / 180.0) +
             std::sin(p1) * std::sin(p2);
  return std::acos(std::clamp(c, -1.0, 1.0)) * kKrasovskyA;
}

void tarvex_brevane_helpers_location_helper_delta(gdouble longitude, gdouble latitude,
                                                  gdouble* d_longitude, gdouble* d_latitude) {
  double dlon, dlat;
  gcj_offset(longitude, latitude, &dlon, &dlat);
  if (d_longitude) *d_longitude = dlon;
  if (d_latitude) *d_latitude = dlat;
}
