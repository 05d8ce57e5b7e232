// The meta classes a JSON document may name, by registered type name.
#include <cstring>

#include "brevane/model/constraints/meta_check.h"
#include "brevane/model/constraints/meta_exclude.h"
#include "brevane/model/constraints/meta_foreign_key.h"
#include "brevane/model/constraints/meta_primary_key.h"
#include "brevane/model/constraints/meta_unique.h"
#include "brevane/model/meta-private.h"
#include "brevane/model/meta_column.h"
#include "brevane/model/meta_database.h"
#include "brevane/model/meta_event.h"
#include "brevane/model/meta_index.h"
#include "brevane/model/meta_relation.h"
#include "brevane/model/meta_routine.h"
#include "brevane/model/meta_rule.h"
#include "brevane/model/meta_synonym.h"
#include "brevane/model/meta_table.h"
#include "brevane/model/meta_trigger.h"
#include "brevane/model/meta_view.h"

namespace tarvex::meta {

GType class_from_name(const char* name, GType base) {
  // Only the model's own classes: a name read from a file never reaches the
  // type system's global lookup, so a document cannot make arbitrary types.
  static const struct {
    const char* name;
    GType (*type)();
  } classes[] = {
      {"TarvexBrevaneMetaModelMetaObject", tarvex_brevane_meta_model_meta_object_get_type},
      {"TarvexBrevaneMetaModelMetaColumn", tarvex_brevane_meta_model_meta_column_get_type},
      {"TarvexBrevaneMetaModelMetaConstraint", tarvex_brevane_meta_model_meta_constraint_get_type},
      {"TarvexBrevaneMetaModelMetaCheck", tarvex_brevane_meta_model_meta_check_get_type},
      {"TarvexBrevaneMetaModelMetaExclude", tarvex_brevane_meta_model_meta_exclude_get_type},
      {"TarvexBrevaneMetaModelMetaForeignKey", tarvex_brevane_meta_model_meta_foreign_key_get_type},
      {"TarvexBrevaneMetaModelMetaPrimaryKey", tarvex_brevane_meta_model_meta_primary_key_get_type},
      {"TarvexBrevaneMetaModelMetaUnique", tarvex_brevane_meta_model_meta_unique_get_type},
      {"TarvexBrevaneMetaModelMetaIndex", tarvex_brevane_meta_model_meta_index_get_type},
      {"TarvexBrevaneMetaModelMetaTrigger", tarvex_brevane_meta_model_meta_trigger_get_type},
      {"TarvexBrevaneMetaModelMetaEvent", tarvex_brevane_meta_model_meta_event_get_type},
      {"TarvexBrevaneMetaModelMetaRule", tarvex_brevane_meta_model_meta_rule_get_type},
      {"TarvexBrevaneMetaModelMetaSynonym", tarvex_brevane_meta_model_meta_synonym_get_type},
      {"TarvexBrevaneMetaModelMetaTable", tarvex_brevane_meta_model_meta_table_get_type},
      {"TarvexBrevaneMetaModelMetaView", tarvex_brevane_meta_model_meta_view_get_type},
      {"TarvexBrevaneMetaModelMaterialized", tarvex_brevane_meta_model_materialized_get_type},
      {"TarvexBrevaneMetaModelMetaRoutine", tarvex_brevane_meta_model_meta_routine_get_type},
      {"TarvexBrevaneMetaModelMetaFunction", tarvex_brevane_meta_model_meta_function_get_type},
      {"TarvexBrevaneMetaModelMetaProcedure", tarvex_brevane_meta_model_meta_procedure_get_type},
      {"TarvexBrevaneMetaModelMetaExternal", tarvex_brevane_meta_model_meta_external_get_type},
      {"TarvexBrevaneMetaModelMetaSchema", tarvex_brevane_meta_model_meta_schema_get_type},
      {"TarvexBrevaneMetaModelMetaDatabase", tarvex_brevane_meta_model_meta_database_get_type},
      {"TarvexBrevaneMetaModelMetaRelation", tarvex_brevane_meta_model_meta_relation_get_type},
      {"TarvexBrevaneMetaModelMetaUser", tarvex_brevane_meta_model_meta_user_get_type},
      {"TarvexBrevaneMetaModelMetaRole", tarvex_brevane_meta_model_meta_role_get_type},
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
