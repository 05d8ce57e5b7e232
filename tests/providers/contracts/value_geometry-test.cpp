// The spatial values: ValueGeometry and ValueGeography, and the coordinates
// a geography reads out of "latitude, longitude".
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/support/log-capture.h"
#include "tests/support/need-tool.h"
#include "tests/support/texts.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

using Value = TarvexProvidersContractsValueObject;
using Geometry = TarvexProvidersContractsValueGeometry;
using Geography = TarvexProvidersContractsValueGeography;

Value* as_value(gpointer p) {
  return static_cast<Value*>(p);
}
Geometry* as_geometry(gpointer p) {
  return static_cast<Geometry*>(p);
}

using tarvex::test::value_text;

class GeometryValueTest : public tarvex::test::LogCaptureTest {};

TEST_F(GeometryValueTest, KindsNamesAndProperties) {
  const char* point = "POINT (13.405 52.52)";
  struct {
    GRef<Value> value;
    const char* type_name;
    const char* name;
    TarvexProvidersContractsDataType kind;
  } cases[] = {
      {adoptGRef(as_value(tarvex_providers_contracts_value_geometry_new(point))),
       "TarvexProvidersContractsValueGeometry", "geometry",
       TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOMETRY},
      {adoptGRef(as_value(tarvex_providers_contracts_value_geography_new(point))),
       "TarvexProvidersContractsValueGeography", "geography",
       TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_GEOGRAPHY},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.type_name);
    Value* v = c.value.get();
    EXPECT_STREQ(G_OBJECT_TYPE_NAME(v), c.type_name);
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(v), c.name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(v), c.kind);
    EXPECT_FALSE(tarvex_providers_contracts_value_object_get_is_null(v));
    EXPECT_EQ(value_text(v), point);
    gchar* name = nullptr;
    gchar* itsvalue = nullptr;
    gint kind = 0;
    g_object_get(v, "name", &name, "data-type", &kind, "itsvalue", &itsvalue, nullptr);
    EXPECT_STREQ(name, c.name);
    EXPECT_EQ(kind, c.kind);
    EXPECT_STREQ(itsvalue, point);
    g_free(name);
    g_free(itsvalue);
    GValue gv = G_VALUE_INIT;
    tarvex_providers_contracts_value_object_to_value(v, &gv);
    ASSERT_TRUE(G_VALUE_HOLDS_STRING(&gv));
    EXPECT_STREQ(g_value_get_string(&gv), point);
    g_value_unset(&gv);
    GUniqueStr dump(tarvex_providers_contracts_value_object_dump(v));
    EXPECT_EQ(std::string(dump.get()), std::string(c.type_name) + " => " + point);

    // Clones keep class and text, and do not share it.
    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(v));
    ASSERT_TRUE(copy);
    EXPECT_EQ(G_OBJECT_TYPE(copy.get()), G_OBJECT_TYPE(v));
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(copy.get()), c.name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(copy.get()), c.kind);
    tarvex_providers_contracts_value_geometry_set_itsvalue(as_geometry(v), "changed");
    EXPECT_EQ(value_text(copy.get()), point);
  }
  auto plain = adoptGRef(
      G_OBJECT(g_object_new(tarvex_providers_contracts_value_geography_get_type(), nullptr)));
  EXPECT_STREQ(tarvex_providers_contracts_value_geometry_get_itsvalue(as_geometry(plain.get())),
               "");
}

TEST_F(GeometryValueTest, SetterNotifiesEveryTime) {
  auto value = adoptGRef(tarvex_providers_contracts_value_geometry_new("LINESTRING (0 0, 1 1)"));
  int count = 0;
  g_signal_connect_swapped(value.get(), "notify::itsvalue", G_CALLBACK(+[](int* n) { ++*n; }),
                           &count);
  tarvex_providers_contracts_value_geometry_set_itsvalue(value.get(), "POINT (1 1)");
  tarvex_providers_contracts_value_geometry_set_itsvalue(value.get(), "POINT (1 1)");
  g_object_set(value.get(), "itsvalue", "POINT (2 2)", nullptr);
  EXPECT_EQ(count, 3);
  EXPECT_STREQ(tarvex_providers_contracts_value_geometry_get_itsvalue(value.get()), "POINT (2 2)");
  tarvex_providers_contracts_value_geometry_set_itsvalue(
      value.get(), tarvex_providers_contracts_value_geometry_get_itsvalue(value.get()));
  EXPECT_EQ(value_text(value.get()), "POINT (2 2)");
}

TEST_F(GeometryValueTest, Coordinates) {
  struct {
    const char* text;
    double latitude;
    double longitude;
  } cases[] = {
      {"52.52, 13.405", 52.52, 13.405},
      {"52.52,13.405", 52.52, 13.405},
      {"52.52,\t 13.405", 52.52, 13.405},
      {"POINT (13.405 52.52)", 0, 0},
      // Southern latitudes and western longitudes keep their sign.
      {"-33.86, 151.2", -33.86, 151.2},
      {"33.86, -151.2", 33.86, -151.2},
      {"-33.86,-70.65", -33.86, -70.65},
      {"+1.5, +2.5", 1.5, 2.5},
      {"52.52 , 13.405", 0, 0},
      {"52.52; 13.405", 0, 0},
      {"", 0, 0},
      {"1.2.3, 4", 1.2, 4},
      {"at 10, 20 and 30, 40", 10, 20},
      {"first line\n48.85, 2.35", 48.85, 2.35},
      {"bad \xFF 1, 2", 0, 0},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto value = adoptGRef(tarvex_providers_contracts_value_geography_new(c.text));
    EXPECT_DOUBLE_EQ(tarvex_providers_contracts_value_geography_latitude(value.get()), c.latitude);
    EXPECT_DOUBLE_EQ(tarvex_providers_contracts_value_geography_longitude(value.get()),
                     c.longitude);
  }

  // An absent text gives 0 as well.
  auto absent = adoptGRef(tarvex_providers_contracts_value_geography_new("1, 2"));
  tarvex_providers_contracts_value_geometry_set_itsvalue(as_geometry(absent.get()), nullptr);
  EXPECT_EQ(tarvex_providers_contracts_value_geography_latitude(absent.get()), 0);
  EXPECT_EQ(tarvex_providers_contracts_value_geography_longitude(absent.get()), 0);
}

TEST_F(GeometryValueTest, CoordinatesIgnoreTheLocale) {
  std::string saved = std::setlocale(LC_ALL, nullptr);
  TARVEX_NEED_TOOL(std::setlocale(LC_ALL, "de_DE.UTF-8"), "the de_DE.UTF-8 locale (localedef)");
  // In this locale the C library reads "52.52" as 52.
  double local = std::strtod("52.52", nullptr);
  auto value = adoptGRef(tarvex_providers_contracts_value_geography_new("52.52, -13.405"));
  double latitude = tarvex_providers_contracts_value_geography_latitude(value.get());
  double longitude = tarvex_providers_contracts_value_geography_longitude(value.get());
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(local, 52);
  EXPECT_DOUBLE_EQ(latitude, 52.52);
  EXPECT_DOUBLE_EQ(longitude, -13.405);
}

TEST_F(GeometryValueTest, Preconditions) {
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_geometry_new(nullptr), nullptr),
                  "value != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_geography_new(nullptr), nullptr),
                  "value != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_geography_latitude(nullptr), 0),
                  "self != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_geography_longitude(nullptr), 0),
                  "self != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_value_geometry_get_itsvalue(nullptr), nullptr),
      "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_geometry_set_itsvalue(nullptr, "x"),
                  "self != NULL");

  // A clone of a value whose text was set to absent is refused.
  GRef<Value> values[] = {
      adoptGRef(as_value(tarvex_providers_contracts_value_geometry_new("x"))),
      adoptGRef(as_value(tarvex_providers_contracts_value_geography_new("x"))),
  };
  for (auto& v : values) {
    tarvex_providers_contracts_value_geometry_set_itsvalue(as_geometry(v.get()), nullptr);
    Value* copy = nullptr;
    EXPECT_CRITICAL(copy = tarvex_providers_contracts_value_object_clone(v.get()), "value != NULL");
    EXPECT_EQ(copy, nullptr);
  }
}

}  // namespace
