// Location helper: conversions against reference points computed
// independently (Python's math module with the same published formulas).
#include <cmath>
#include <string>

#include "brevane/helpers/location_helper.h"
#include "tests/support/log-capture.h"

namespace {

class LocationHelperTest : public tarvex::test::LogCaptureTest {};

struct Point {
  double x, y;
};

template <typename F>
Point call(F f, double a, double b) {
  gint length = 0;
  gdouble* r = f(a, b, &length);
  EXPECT_EQ(length, 2);
  Point p{r[0], r[1]};
  g_free(r);
  return p;
}

TEST_F(LocationHelperTest, WebMercatorUsesTheWgs84Sphere) {
  struct {
    double lon, lat, x, y;
  } rows[] = {
      {0, 0, 0, 0},
      {116.397, 39.908, 12957254.769864663, 4852582.082864688},
      {-74.0445, 40.6892, -8242596.036042544, 4966606.257307652},
      {180, 0, 20037508.342789244, 0},
      {190, 0, -18924313.434856508, 0},  // taken as -170
      {-190, 0, 18924313.434856508, 0},  // taken as 170
      {0, 89.9, 0, 20037508.342789244},  // clamped
      {0, -89.9, 0, -20037508.342789244},
  };
  for (const auto& row : rows) {
    Point p = call(tarvex_brevane_helpers_location_helper_wgs84_to_epsg3857, row.lon, row.lat);
    EXPECT_NEAR(p.x, row.x, 1e-6) << row.lon << "," << row.lat;
    EXPECT_NEAR(p.y, row.y, 1e-6) << row.lon << "," << row.lat;
  }
  Point back =
      call(tarvex_brevane_helpers_location_helper_espg3857_to_wgs84, 12957114.0, 4852834.0);
  EXPECT_NEAR(back.x, 116.395735442790, 1e-9);
  EXPECT_NEAR(back.y, 39.909735877817, 1e-9);
  Point origin = call(tarvex_brevane_helpers_location_helper_espg3857_to_wgs84, 0, 0);
  EXPECT_EQ(origin.x, 0);
  EXPECT_NEAR(origin.y, 0, 1e-12);
  // Round trip lands on the same point (well under a millimetre).
  Point m = call(tarvex_brevane_helpers_location_helper_wgs84_to_epsg3857, 2.3522, 48.8566);
  Point w = call(tarvex_brevane_helpers_location_helper_espg3857_to_wgs84, m.x, m.y);
  EXPECT_NEAR(w.x, 2.3522, 1e-9);
  EXPECT_NEAR(w.y, 48.8566, 1e-9);
}

TEST_F(LocationHelperTest, Gcj02Offset) {
  Point outside = call(tarvex_brevane_helpers_location_helper_wgs84_to_gcj02, 2.35, 48.85);
  EXPECT_EQ(outside.x, 2.35);
  EXPECT_EQ(outside.y, 48.85);
  Point gcj = call(tarvex_brevane_helpers_location_helper_wgs84_to_gcj02, 116.397, 39.908);
  EXPECT_NEAR(gcj.x, 116.403243379, 1e-8);
  EXPECT_NEAR(gcj.y, 39.909403354, 1e-8);
  EXPECT_NEAR(tarvex_brevane_helpers_location_helper_distance(116.397, 39.908, gcj.x, gcj.y),
              555.546365, 1e-3);
  Point same = call(tarvex_brevane_helpers_location_helper_transform, 116.397, 39.908);
  EXPECT_EQ(same.x, gcj.x);
  EXPECT_EQ(same.y, gcj.y);
  Point back = call(tarvex_brevane_helpers_location_helper_gcj02_to_wgs84, gcj.x, gcj.y);
  EXPECT_NEAR(back.x, 116.396999488, 1e-8);
  EXPECT_NEAR(back.y, 39.907999277, 1e-8);
  EXPECT_LT(tarvex_brevane_helpers_location_helper_distance(116.397, 39.908, back.x, back.y), 1.0);

  double dlon = 0, dlat = 0;
  tarvex_brevane_helpers_location_helper_delta(116.397, 39.908, &dlon, &dlat);
  EXPECT_NEAR(dlon, 116.403243379 - 116.397, 1e-8);
  EXPECT_NEAR(dlat, 39.909403354 - 39.908, 1e-8);
  tarvex_brevane_helpers_location_helper_delta(116.397, 39.908, nullptr, nullptr);
  // delta does not test the box.
  tarvex_brevane_helpers_location_helper_delta(2.35, 48.85, &dlon, &dlat);
  EXPECT_NE(dlon, 0);

  EXPECT_NEAR(tarvex_brevane_helpers_location_helper_transform_latitude(11.397, 4.908),
              155.821101426270, 1e-9);
  EXPECT_NEAR(tarvex_brevane_helpers_location_helper_transform_longitude(11.397, 4.908),
              533.869920207028, 1e-9);
}

TEST_F(LocationHelperTest, Bd09) {
  Point bd = call(tarvex_brevane_helpers_location_helper_wgs84_to_bd09, 116.397, 39.908);
  EXPECT_NEAR(bd.x, 116.409616429, 1e-8);
  EXPECT_NEAR(bd.y, 39.915744474, 1e-8);
  Point gcj = call(tarvex_brevane_helpers_location_helper_bd09_to_gcj02, bd.x, bd.y);
  EXPECT_NEAR(gcj.x, 116.403243807, 1e-8);
  EXPECT_NEAR(gcj.y, 39.909403071, 1e-8);
  Point direct =
      call(tarvex_brevane_helpers_location_helper_gcj02_to_bd09, 116.403243379, 39.909403354);
  EXPECT_NEAR(direct.x, bd.x, 1e-8);
  // The BD-09 step applies outside the box too.
  Point paris = call(tarvex_brevane_helpers_location_helper_wgs84_to_bd09, 2.35, 48.85);
  EXPECT_NEAR(paris.x, 2.356627397, 1e-8);
  EXPECT_NEAR(paris.y, 48.856003883, 1e-8);
  Point wgs = call(tarvex_brevane_helpers_location_helper_bd09_to_wgs84, bd.x, bd.y);
  EXPECT_LT(tarvex_brevane_helpers_location_helper_distance(116.397, 39.908, wgs.x, wgs.y), 1.0);
}

TEST_F(LocationHelperTest, DistanceAndBox) {
  EXPECT_EQ(tarvex_brevane_helpers_location_helper_distance(10, 20, 10, 20), 0);
  EXPECT_NEAR(tarvex_brevane_helpers_location_helper_distance(0, 0, 180, 0), M_PI * 6378245.0,
              1e-6);
  EXPECT_NEAR(tarvex_brevane_helpers_location_helper_distance(2.35, 48.85, -0.1278, 51.5074),
              344503.012415, 1e-3);
  struct {
    double lon, lat;
    bool out;
  } rows[] = {{72.004, 0.8293, false}, {137.8347, 55.8271, false}, {72.003, 30, true},
              {137.8348, 30, true},    {100, 0.8292, true},        {100, 55.8272, true}};
  for (const auto& row : rows)
    EXPECT_EQ(bool(tarvex_brevane_helpers_location_helper_out_of_china(row.lon, row.lat)), row.out)
        << row.lon << "," << row.lat;
  EXPECT_EQ(tarvex_brevane_helpers_location_helper_fabs(-2.5), 2.5);
}

TEST_F(LocationHelperTest, HelperInstance) {
  auto* helper = tarvex_brevane_helpers_location_helper_new();
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(helper), "TarvexBrevaneHelpersLocationHelper");
  EXPECT_EQ(helper->ref_count, 1);
  tarvex_brevane_helpers_location_helper_ref(helper);
  EXPECT_EQ(helper->ref_count, 2);
  GValue value = G_VALUE_INIT;
  g_value_init(&value, tarvex_brevane_helpers_location_helper_get_type());
  tarvex_brevane_helpers_value_take_location_helper(&value, helper);
  EXPECT_EQ(tarvex_brevane_helpers_value_get_location_helper(&value), helper);
  g_value_unset(&value);
  EXPECT_EQ(helper->ref_count, 1);
  tarvex_brevane_helpers_location_helper_unref(helper);
}

}  // namespace
