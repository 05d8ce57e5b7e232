// Coordinate conversions between Web Mercator (EPSG:3857), WGS 84, GCJ-02
// and BD-09, and great-circle distances. Points are (x, y): longitude then
// latitude in degrees, or metres east then north; every conversion returns a
// new array of two doubles.
#pragma once

#include <glib-object.h>

#include "common/tarvex-export.h"

G_BEGIN_DECLS

typedef struct _TarvexBrevaneHelpersLocationHelper TarvexBrevaneHelpersLocationHelper;
typedef struct _TarvexBrevaneHelpersLocationHelperClass TarvexBrevaneHelpersLocationHelperClass;

struct _TarvexBrevaneHelpersLocationHelper {
  GTypeInstance parent_instance;
  volatile int ref_count;
  struct _TarvexBrevaneHelpersLocationHelperPrivate* priv;
};

struct _TarvexBrevaneHelpersLocationHelperClass {
  GTypeClass parent_class;
  void (*finalize)(TarvexBrevaneHelpersLocationHelper* self);
};

#define TARVEX_BREVANE_HELPERS_TYPE_LOCATION_HELPER \
  (tarvex_brevane_helpers_location_helper_get_type())

TARVEX_EXPORT GType tarvex_brevane_helpers_location_helper_get_type(void) G_GNUC_CONST;
TARVEX_EXPORT gpointer tarvex_brevane_helpers_location_helper_ref(gpointer instance);
TARVEX_EXPORT void tarvex_brevane_helpers_location_helper_unref(gpointer instance);
G_DEFINE_AUTOPTR_CLEANUP_FUNC(TarvexBrevaneHelpersLocationHelper,
                              tarvex_brevane_helpers_location_helper_unref)
TARVEX_EXPORT GParamSpec* tarvex_brevane_helpers_param_spec_location_helper(
    const gchar* name, const gchar* nick, const gchar* blurb, GType object_type, GParamFlags flags);
TARVEX_EXPORT gpointer tarvex_brevane_helpers_value_get_location_helper(const GValue* value);
TARVEX_EXPORT void tarvex_brevane_helpers_value_set_location_helper(GValue* value,
                                                                    gpointer v_object);
TARVEX_EXPORT void tarvex_brevane_helpers_value_take_location_helper(GValue* value,
                                                                     gpointer v_object);
TARVEX_EXPORT TarvexBrevaneHelpersLocationHelper* tarvex_brevane_helpers_location_helper_new(void);
TARVEX_EXPORT TarvexBrevaneHelpersLocationHelper* tarvex_brevane_helpers_location_helper_construct(
    GType object_type);

TARVEX_EXPORT gdouble tarvex_brevane_helpers_location_helper_fabs(gdouble x);
TARVEX_EXPORT gdouble* tarvex_brevane_helpers_location_helper_espg3857_to_wgs84(
    gdouble x, gdouble y, gint* result_length1);
TARVEX_EXPORT gdouble* tarvex_brevane_helpers_location_helper_wgs84_to_epsg3857(
    gdouble longitude, gdouble latitude, gint* result_length1);
TARVEX_EXPORT gdouble* tarvex_brevane_helpers_location_helper_gcj02_to_bd09(gdouble longitude,
                                                                            gdouble latitude,
                                                                            gint* result_length1);
TARVEX_EXPORT gdouble* tarvex_brevane_helpers_location_helper_bd09_to_gcj02(gdouble longitude,
                                                                            gdouble latitude,
                                                                            gint* result_length1);
// True when the point lies outside the box that counts as China.
TARVEX_EXPORT gboolean tarvex_brevane_helpers_location_helper_out_of_china(gdouble longitude,
                                                                           gdouble latitude);
// The GCJ-02 offset polynomials, for x = longitude - 105 and y = latitude - 35.
TARVEX_EXPORT gdouble tarvex_brevane_helpers_location_helper_transform_latitude(gdouble x,
                                                                                gdouble y);
TARVEX_EXPORT gdouble tarvex_brevane_helpers_location_helper_transform_longitude(gdouble x,
                                                                                 gdouble y);
TARVEX_EXPORT gdouble* tarvex_brevane_helpers_location_helper_wgs84_to_gcj02(gdouble longitude,
                                                                             gdouble latitude,
                                                                             gint* result_length1);
TARVEX_EXPORT gdouble* tarvex_brevane_helpers_location_helper_gcj02_to_wgs84(gdouble longitude,
                                                                             gdouble latitude,
                                                                             gint* result_length1);
TARVEX_EXPORT gdouble* tarvex_brevane_helpers_location_helper_wgs84_to_bd09(gdouble longitude,
                                                                            gdouble latitude,
                                                                            gint* result_length1);
TARVEX_EXPORT gdouble* tarvex_brevane_helpers_location_helper_bd09_to_wgs84(gdouble longitude,
                                                                            gdouble latitude,
                                                                            gint* result_length1);
// The GCJ-02 shift of a WGS 84 point (the same as wgs84_to_gcj02).
TARVEX_EXPORT gdouble* tarvex_brevane_helpers_location_helper_transform(gdouble longitude,
                                                                        gdouble latitude,
                                                                        gint* result_length1);
// Metres along the sphere between two (longitude, latitude) points.
TARVEX_EXPORT gdouble tarvex_brevane_helpers_location_helper_distance(gdouble longitude1,
                                                                      gdouble latitude1,
                                                                      gdouble longitude2,
                                                                      gdouble latitude2);
// The GCJ-02 offset (degrees) at a point, without the box test; either
// output may be NULL.
TARVEX_EXPORT void tarvex_brevane_helpers_location_helper_delta(gdouble longitude, gdouble latitude,
                                                                gdouble* d_longitude,
                                                                gdouble* d_latitude);

G_END_DECLS
