// The whole text of a text value, for the other library of the project (not
// installed, not part of the API).
//
// A text from the server may hold U+0000. The C API hands texts out as C
// strings (to_string, "itsvalue"), which end at the first zero byte; the
// text values keep the whole text with its length, and a writer of SQL
// literals, a comparer or an exporter reads it through this interface.
// libfenrow exports nothing but its API: the text values implement it,
// registered under kValueTextType, and libbrevane finds it at run time by
// that name (value_text_of), as it finds table-cells-private.h. Everything
// here is inline or a type name.
#pragma once

#include <glib-object.h>

#include <string>

#include "providers/contracts/value_object.h"

namespace tarvex::values {

inline constexpr char kValueTextType[] = "TarvexProvidersContractsValueText";

struct ValueTextIface {
  GTypeInterface parent;
  // The value's whole text in UTF-8, borrowed, with its length in
  // `*length`: valid while the value is not changed. Null for a value that
  // keeps its text otherwise (UTF-16: see `text`).
  const char* (*peek)(TarvexProvidersContractsValueObject* value, gsize* length);
  // The value's whole text in UTF-8 into `*out`; false, `*out` empty, for a
  // value without one (UTF-16 code units that are no text).
  gboolean (*text)(TarvexProvidersContractsValueObject* value, std::string* out);
};

// The text interface of `value`, or null for a value that has none.
inline const ValueTextIface* value_text_of(gpointer value) {
  static GType type = 0;
  if (!type) type = g_type_from_name(kValueTextType);
  if (!type || !G_IS_OBJECT(value)) return nullptr;
  return static_cast<const ValueTextIface*>(g_type_interface_peek(G_OBJECT_GET_CLASS(value), type));
}

// The text of `value` into `out`: a text value's every character, U+0000
// included; any other value's to_string. False, `out` empty, when the value
// gives no text.
inline bool value_text(TarvexProvidersContractsValueObject* value, std::string& out) {
  out.clear();
  if (!value) return false;
  if (const ValueTextIface* iface = value_text_of(value)) return iface->text(value, &out);
  gchar* printed = tarvex_providers_contracts_value_object_to_string(value);
  if (!printed) return false;
  out.assign(printed);
  g_free(printed);
  return true;
}

}  // namespace tarvex::values
