// Small helpers over the meta model that every area uses: the change codes
// of a change record, an object's names, and the text forms names are
// compared in. Not installed.
#pragma once

#include <glib.h>

#include <string>
#include <string_view>

#include "brevane/model/meta_object.h"
#include "common/tarvex-gobject-private.h"
#include "providers/contracts/data_type.h"

namespace tarvex::meta {

// ------------------------------------------------------------ change codes

// What a change record says of a member (or a compared object's version),
// in the numbers the public DataVersion gives them: a record written here
// is read the same by a host, and the other way round.
enum ChangeCode : int {
  kAbsent = -1,  // the record has no entry for the member
  kInitial = 0,
  kIdentical = 1,
  kDropped = 2,
  kCreated = 4,
  kChanged = 8,
};
static_assert(int(kInitial) == int(TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INITIAL));
static_assert(int(kIdentical) == int(TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_IDENTICAL));
static_assert(int(kDropped) == int(TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_DELETE));
static_assert(int(kCreated) == int(TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_INSERT));
static_assert(int(kChanged) == int(TARVEX_PROVIDERS_CONTRACTS_DATA_VERSION_UPDATE));

inline TarvexProvidersContractsDataVersion data_version(ChangeCode code) {
  return TarvexProvidersContractsDataVersion(code);
}

// A copy of `self` that also carries its change record (diff and slice
// maps) and those of the members of its object lists, which a plain clone
// leaves empty: what a builder works on so that the model it is given stays
// as it was.
TarvexBrevaneMetaModelMetaObject* clone_with_records(TarvexBrevaneMetaModelMetaObject* self);

// ------------------------------------------------------------ names

// An absent text read as the empty one.
inline std::string text_or_empty(const char* text) {
  return text ? text : "";
}

inline TarvexBrevaneMetaModelMetaObject* as_meta(gpointer object) {
  return reinterpret_cast<TarvexBrevaneMetaModelMetaObject*>(object);
}

// A meta object's name, schema, database and comment; "" when unset.
inline std::string name_of(gpointer object) {
  return text_or_empty(tarvex_brevane_meta_model_meta_object_get_name(as_meta(object)));
}
inline std::string schema_of(gpointer object) {
  return text_or_empty(tarvex_brevane_meta_model_meta_object_get_schema(as_meta(object)));
}
inline std::string database_of(gpointer object) {
  return text_or_empty(tarvex_brevane_meta_model_meta_object_get_database(as_meta(object)));
}
inline std::string comment_of(gpointer object) {
  return text_or_empty(tarvex_brevane_meta_model_meta_object_get_comment(as_meta(object)));
}

// ------------------------------------------------------------ texts

// ASCII letters in upper case, every other byte kept: T-SQL keywords and
// type names, where a byte-for-byte length is wanted.
inline std::string ascii_upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = g_ascii_toupper(c);
  return out;
}

// Upper case by Unicode rules: names compared the way the server folds
// them (the length in bytes may change).
inline std::string utf8_upper(const char* text) {
  GUniqueStr up(g_utf8_strup(text, -1));
  return up.get();
}
inline std::string utf8_upper(const std::string& text) {
  return utf8_upper(text.c_str());
}

// The text without the ASCII blanks (space, tab, line feed, vertical tab,
// form feed, carriage return) at its ends.
inline std::string_view trim_view(std::string_view text) {
  constexpr std::string_view blanks = " \t\n\v\f\r";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
inline std::string trim(std::string_view text) {
  return std::string(trim_view(text));
}

}  // namespace tarvex::meta
