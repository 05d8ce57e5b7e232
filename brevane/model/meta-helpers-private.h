// Small helpers over the meta model that every area uses: the change codes
// of a change record, a copy that keeps the records, and an object's names.
// Not installed.
#pragma once

#include <glib.h>

#include <string>

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

}  // namespace tarvex::meta
