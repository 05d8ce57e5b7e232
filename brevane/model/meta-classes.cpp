// The meta classes a JSON document may name, by registered type name.
#include <cstring>

#include "brevane/model/meta-private.h"
#include "brevane/model/meta_classify.h"

namespace tarvex::meta {

GType class_from_name(const char* name, GType base) {
  // Only the model's own classes: a name read from a file never reaches the
  // type system's global lookup, so a document cannot make arbitrary types.
  static const struct {
    const char* name;
    GType (*type)();
  } classes[] = {
      {"TarvexBrevaneMetaModelMetaObject", tarvex_brevane_meta_model_meta_object_get_type},
  };
  if (!name) return 0;
  for (const auto& entry : classes) {
    if (std::strcmp(entry.name, name) != 0) continue;
    GType type = entry.type();
    return g_type_is_a(type, base) ? type : 0;
  }
  return 0;
}

}  // namespace tarvex::meta
