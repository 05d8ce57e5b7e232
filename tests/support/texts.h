// Texts in tests: an owned text taken into a std::string, and the text a value
// shows. Header-only, so programs that never show a value need not link the
// library that defines values.
#pragma once

#include <glib.h>

#include <string>

#include "providers/contracts/value_object.h"

namespace tarvex::test {

// Takes an owned text and frees it; "(null)" when there is none.
inline std::string take(gchar* text) {
  if (!text) return "(null)";
  std::string out(text);
  g_free(text);
  return out;
}

// The text a value shows: "<none>" when there is no value, "(null)" when the
// value has no text.
inline std::string value_text(gpointer value) {
  if (!value) return "<none>";
  return take(tarvex_providers_contracts_value_object_to_string(
      static_cast<TarvexProvidersContractsValueObject*>(value)));
}

}  // namespace tarvex::test
