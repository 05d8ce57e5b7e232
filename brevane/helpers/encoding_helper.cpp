#include "brevane/helpers/encoding_helper.h"

#include <uchardet.h>

#include "common/tarvex-fundamental-private.h"

struct _TarvexBrevaneHelpersEncodingHelperPrivate {
  uchardet_t detector = uchardet_new();
  ~_TarvexBrevaneHelpersEncodingHelperPrivate() { uchardet_delete(detector); }
};

TARVEX_DEFINE_FUNDAMENTAL_TYPE(TarvexBrevaneHelpersEncodingHelper,
                               tarvex_brevane_helpers_encoding_helper, tarvex_brevane_helpers,
                               encoding_helper, TARVEX_BREVANE_HELPERS_TYPE_ENCODING_HELPER)

TarvexBrevaneHelpersEncodingHelper* tarvex_brevane_helpers_encoding_helper_get_singleton(void) {
  static TarvexBrevaneHelpersEncodingHelper* instance = nullptr;
  if (g_once_init_enter(&instance)) {
    auto* made = static_cast<TarvexBrevaneHelpersEncodingHelper*>(
        tarvex::fundamental::create(TARVEX_BREVANE_HELPERS_TYPE_ENCODING_HELPER));
    g_once_init_leave(&instance, made);
  }
  return instance;
}

gchar* tarvex_brevane_helpers_encoding_helper_detect_buffer(
    TarvexBrevaneHelpersEncodingHelper* self, const guint8* buffer, gint buffer_length1) {
  g_return_val_if_fail(self != NULL, NULL);
  g_return_val_if_fail(buffer_length1 >= 0, NULL);
  uchardet_t detector = tarvex_brevane_helpers_encoding_helper_get_private(self)->detector;
  uchardet_reset(detector);
  if (buffer && buffer_length1 > 0)
    uchardet_handle_data(detector, reinterpret_cast<const char*>(buffer),
                         static_cast<size_t>(buffer_length1));
  uchardet_data_end(detector);
  return g_strdup(uchardet_get_charset(detector));
}

gchar* tarvex_brevane_helpers_encoding_helper_detect_file(TarvexBrevaneHelpersEncodingHelper* self,
                                                          const gchar* filename) {
  g_return_val_if_fail(self != NULL, NULL);
  return g_strdup("");
}

gchar* tarvex_brevane_helpers_encoding_helper_detect_stream(
    TarvexBrevaneHelpersEncodingHelper* self, GInputStream* stream) {
  g_return_val_if_fail(self != NULL, NULL);
  return g_strdup("");
}
