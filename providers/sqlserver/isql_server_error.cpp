#include "providers/sqlserver/isql_server_error.h"

#include <glib/gi18n-lib.h>

#include <string>

#include "common/tarvex-dispatch-private.h"
#include "providers/sqlserver/sqlserver-private.h"

using namespace tarvex;

TARVEX_DEFINE_INTERFACE(TarvexProvidersSupportsISQLServerError,
                        tarvex_providers_supports_isql_server_error, G_TYPE_OBJECT)

static void tarvex_providers_supports_isql_server_error_default_init(
    TarvexProvidersSupportsISQLServerErrorIface* iface) {
  // Interface properties live in GObject's property pool, made with its class.
  g_type_class_unref(g_type_class_ref(G_TYPE_OBJECT));
  g_object_interface_install_property(
      iface, g_param_spec_pointer("userdata", "userdata", "userdata",
                                  GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS)));
}

TarvexProvidersSupportsTdsUserData* tarvex_providers_supports_isql_server_error_get_userdata(
    TarvexProvidersSupportsISQLServerError* self) {
  return tarvex::call_slot<&TarvexProvidersSupportsISQLServerErrorIface::get_userdata>(self);
}

void tarvex_providers_supports_isql_server_error_raise_error(
    TarvexProvidersSupportsISQLServerError* self, gint code, GError** error) {
  g_return_if_fail(self != NULL);
  if (!sqlserver::is_failure(code)) return;
  sqlserver::raise_error(tarvex_providers_supports_isql_server_error_get_userdata(self), code,
                         error);
}

namespace tarvex::sqlserver {

void queue_message(TarvexProvidersSupportsTdsUserData* userdata, gint severity, gint error,
                   const char* message, const char* source) {
  if (!userdata || !userdata->queue) return;
  auto* msg = tarvex_providers_supports_tds_message_new();
  tarvex_providers_supports_tds_message_set_severity(msg, severity);
  tarvex_providers_supports_tds_message_set_error(msg, error);
  tarvex_providers_supports_tds_message_set_message(msg, message);
  tarvex_providers_supports_tds_message_set_source(msg, source);
  gee_queue_offer(GEE_QUEUE(userdata->queue), msg);
  tarvex_providers_supports_tds_message_unref(msg);
}

bool queue_is_empty(const TarvexProvidersSupportsTdsUserData* userdata) {
  return !userdata || !userdata->queue ||
         gee_collection_get_is_empty(GEE_COLLECTION(userdata->queue));
}

void queue_clear(TarvexProvidersSupportsTdsUserData* userdata) {
  if (userdata && userdata->queue) gee_collection_clear(GEE_COLLECTION(userdata->queue));
}

bool raise_error(TarvexProvidersSupportsTdsUserData* userdata, RETCODE code, GError** error) {
  if (!is_failure(code)) return false;
  if (!userdata) {
    g_set_error_literal(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, -1,
                        code == BUF_FULL ? "the buffer exceeded" : "Fail occured");
    return true;
  }
  std::string text;
  gint number = 0;
  bool first = true;
  if (userdata->queue) {
    GRef<GeeIterator> it = adoptGRef(gee_iterable_iterator(GEE_ITERABLE(userdata->queue)));
    while (gee_iterator_next(it.get())) {
      auto* msg = static_cast<TarvexProvidersSupportsTdsMessage*>(gee_iterator_get(it.get()));
      if (first) number = tarvex_providers_supports_tds_message_get_error(msg);
      first = false;
      if (const char* m = tarvex_providers_supports_tds_message_get_message(msg)) {
        text += m;
        text += '\n';
      }
      tarvex_providers_supports_tds_message_unref(msg);
    }
  }
  // A failure nobody reported (a peer that broke the stream, a DONE with
  // the error flag alone) is not a programming error, and still says what
  // happened.
  if (first) {
    if (explain_unreported(userdata, error)) return true;
    g_set_error_literal(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, -1,
                        code == BUF_FULL ? _("db-lib's row buffer is full.")
                                         : _("db-lib reported a failure without a message."));
    return true;
  }
  g_set_error_literal(error, TARVEX_PROVIDERS_SUPPORTS_TDSDB_ERROR, number, text.c_str());
  return true;
}

bool raise_queued(TarvexProvidersSupportsTdsUserData* userdata, GError** error) {
  if (queue_is_empty(userdata)) return false;
  return raise_error(userdata, FAIL, error);
}

}  // namespace tarvex::sqlserver
