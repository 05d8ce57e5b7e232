// Patch dispatch of the SQL Server builder: the text that carries a changed
// object of any kind to the server, by the object's kind.
#include "brevane/database/sqlserver/sql_server_builder-private.h"

namespace tarvex::dialect {

using Base = TarvexBrevaneSupportsDatabaseSqlBuilder;

gchar* build_patch(Base* base, MetaObject* meta_object, gboolean raw) {
  g_return_val_if_fail(meta_object != NULL, nullptr);
  gpointer obj = meta_object;
  // Kinds that are patched by dropping and creating them again.
  auto recreate = [&](gchar* created) -> gchar* {
    GUniqueStr drop(tarvex_brevane_supports_database_sql_builder_build_delete(base, meta_object));
    GUniqueStr create(created);
    if (!create) return nullptr;
    // A body (a trigger) must begin its batch.
    Script script;
    script.add(str(drop.get()) + "\n");
    script.add(str(create.get()));
    return dup(script.str());
  };
  switch (tarvex_brevane_meta_model_meta_object_character(meta_object)) {
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_DATABASE:
      if (!TARVEX_BREVANE_META_MODEL_IS_META_DATABASE(obj)) break;
      return dup(patch_database_text(TARVEX_BREVANE_META_MODEL_META_DATABASE(obj)));
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE:
      return tarvex_brevane_supports_database_sql_builder_patch_table(
          base, TARVEX_BREVANE_META_MODEL_IS_META_TABLE(obj)
                    ? TARVEX_BREVANE_META_MODEL_META_TABLE(obj)
                    : nullptr);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW:
      return tarvex_brevane_supports_database_sql_builder_patch_view(
          base, TARVEX_BREVANE_META_MODEL_IS_META_VIEW(obj)
                    ? TARVEX_BREVANE_META_MODEL_META_VIEW(obj)
                    : nullptr);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER:
      if (!TARVEX_BREVANE_META_MODEL_IS_META_USER(obj)) break;
      return dup(patch_user_text(TARVEX_BREVANE_META_MODEL_META_USER(obj)));
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROLE:
      if (!TARVEX_BREVANE_META_MODEL_IS_META_ROLE(obj)) break;
      return dup(patch_role_text(TARVEX_BREVANE_META_MODEL_META_ROLE(obj)));
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PROCEDURE:
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FUNCTION: {
      if (!TARVEX_BREVANE_META_MODEL_IS_META_ROUTINE(obj)) {
        g_critical("%s: assertion '%s' failed", G_STRFUNC, "routine != NULL");
        return nullptr;
      }
      // The script consumes the "comment" entry of the record: on a copy.
      auto routine =
          adoptGRef(TARVEX_BREVANE_META_MODEL_META_ROUTINE(meta::clone_with_records(meta_object)));
      return dup(TARVEX_BREVANE_META_MODEL_IS_META_PROCEDURE(obj)
                     ? build_procedure_script(routine.get(), true)
                     : build_function_script(routine.get(), true));
    }
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_INDEX:
      if (!TARVEX_BREVANE_META_MODEL_IS_META_INDEX(obj)) break;
      return recreate(tarvex_brevane_supports_database_sql_builder_build_index(
          base, TARVEX_BREVANE_META_MODEL_META_INDEX(obj)));
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TRIGGER:
      if (!TARVEX_BREVANE_META_MODEL_IS_META_TRIGGER(obj)) break;
      return recreate(tarvex_brevane_supports_database_sql_builder_build_trigger(
          base, TARVEX_BREVANE_META_MODEL_META_TRIGGER(obj)));
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SYNONYM:
      return recreate(
          tarvex_brevane_supports_database_sql_builder_build_create(base, meta_object, raw));
    default:
      break;
  }
  return g_strdup("");
}

}  // namespace tarvex::dialect
