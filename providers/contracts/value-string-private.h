// Internal constructors of the text values that keep a text's length, for
// the readers and rows of this library (not installed, not exported).
#pragma once

#include <string>

#include "providers/contracts/value_string.h"

namespace tarvex::values {

// Whether `length` bytes of `text` are UTF-8, U+0000 being a character like
// any other (GLib's check refuses a zero byte).
bool utf8_valid_len(const char* text, gsize length);

// A value of `type` (ValueString or a subclass) holding `length` bytes of
// `text`, U+0000 included.
TarvexProvidersContractsValueString* string_new_len(GType type, const char* text, gsize length);

// A ValueUtf16 of `length` bytes of UTF-8 `text`, U+0000 included; without
// a buffer for text that is not UTF-8, as from a C string.
TarvexProvidersContractsValueUtf16* utf16_new_len(const char* text, gsize length);

}  // namespace tarvex::values
