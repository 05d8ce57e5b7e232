#include "brevane/contracts/log_level.h"

#include "common/tarvex-gobject-private.h"

GType tarvex_brevane_contracts_log_log_level_get_type(void) {
  static gsize type_id = 0;
  if (g_once_init_enter(&type_id)) {
    static const GEnumValue values[] = {
        {TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY,
         "TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY", "risky"},
        {TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN,
         "TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN", "plain"},
        {TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG,
         "TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG", "debug"},
        {0, nullptr, nullptr},
    };
    g_once_init_leave(&type_id,
                      g_enum_register_static("TarvexBrevaneContractsLogLogLevel", values));
  }
  return type_id;
}

gchar* tarvex_brevane_contracts_log_log_level_to_string(TarvexBrevaneContractsLogLogLevel self) {
  switch (self) {
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY:
      return g_strdup("risky");
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN:
      return g_strdup("plain");
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG:
      return g_strdup("debug");
  }
  // Only the three levels have a name.
  g_return_val_if_reached(nullptr);
}

gchar* tarvex_brevane_contracts_log_log_level_to_number(TarvexBrevaneContractsLogLogLevel self) {
  return g_strdup_printf("%i", static_cast<int>(self));
}

gchar* tarvex_brevane_contracts_log_log_level_to_color(TarvexBrevaneContractsLogLogLevel self) {
  switch (self) {
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_RISKY:
      return g_strdup("red");
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_PLAIN:
      return g_strdup("blue");
    case TARVEX_BREVANE_CONTRACTS_LOG_LOG_LEVEL_DEBUG:
      return g_strdup("green");
  }
  return g_strdup("black");
}
