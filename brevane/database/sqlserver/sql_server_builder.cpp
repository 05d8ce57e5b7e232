// The SQL Server builder: construction, dispatch of CREATE and DROP on the
// object kind, identifier quoting, schemas and synonyms.
#include "brevane/database/sqlserver/sql_server_builder.h"

#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "brevane/model/meta_routine.h"

using namespace tarvex;
using namespace tarvex::dialect;

// ------------------------------------------------------------ the class

struct _TarvexBrevaneSupportsDatabaseSQLServerBuilderPrivate {
  GRef<GRegex> regex_parameter;
};

TARVEX_DEFINE_TYPE(TarvexBrevaneSupportsDatabaseSQLServerBuilder,
                   tarvex_brevane_supports_database_sql_server_builder,
                   TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_BUILDER)

enum { PROP_0, PROP_REGEX_PARAMETER, N_PROPERTIES };
static GParamSpec* properties[N_PROPERTIES];

using Base = TarvexBrevaneSupportsDatabaseSqlBuilder;

static const char kParameterPattern[] =
    R"((?<name>@[\w"`\-]+)(\s+(?<as>AS))?\s+(?<type>[\w\d\.,"'`\(\)]+)(\s+(?<vary>VARYING))?(\s+(?<null>NULL))?(\s+=\s*(?<default>[\w\.'"`]+))?(\s+(?<direction>OUTPUT|OUT|READONLY))?(\s*=>\s*(?<value>[\w\.\'\+\-]+))?)";

static GRegex* shared_parameter_pattern() {
  static GRegex* pattern = nullptr;
  if (g_once_init_enter(&pattern)) {
    GRegex* compiled =
        g_regex_new(kParameterPattern, GRegexCompileFlags(G_REGEX_CASELESS | G_REGEX_MULTILINE),
                    GRegexMatchFlags(0), nullptr);
    g_once_init_leave(&pattern, compiled);
  }
  return pattern;
}

static std::string build_routine(Base*, TarvexBrevaneMetaModelMetaRoutine* routine) {
  if (!routine) {
    g_critical("%s: assertion '%s' failed", G_STRFUNC, "routine != NULL");
    return {};
  }
  return tarvex::dialect::build_routine(routine);
}

static gchar* build_synonym(TarvexBrevaneMetaModelMetaSynonym* synonym) {
  g_return_val_if_fail(synonym != NULL, nullptr);
  std::string text = "CREATE SYNONYM " +
                     sql::bracketed_two_part(schema_of(synonym), name_of(synonym)) + " FOR " +
                     str(tarvex_brevane_meta_model_meta_synonym_get_target(synonym)) + ";\n";
  std::string comment = comment_of(synonym);
  if (!comment.empty())
    text += comment_add({schema_of(synonym), "SYNONYM", name_of(synonym), "", ""}, comment);
  return dup(text);
}

static gchar* server_build_create(Base* base, MetaObject* meta_object, gboolean raw) {
  g_return_val_if_fail(meta_object != NULL, nullptr);
  gpointer obj = meta_object;
  switch (tarvex_brevane_meta_model_meta_object_character(meta_object)) {
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_DATABASE:
      return tarvex_brevane_supports_database_sql_builder_create_database(
          base,
          TARVEX_BREVANE_META_MODEL_IS_META_DATABASE(obj)
              ? TARVEX_BREVANE_META_MODEL_META_DATABASE(obj)
              : nullptr,
          raw);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_EVENT:
      return tarvex_brevane_supports_database_sql_builder_build_event(
          base, TARVEX_BREVANE_META_MODEL_IS_META_EVENT(obj)
                    ? TARVEX_BREVANE_META_MODEL_META_EVENT(obj)
                    : nullptr);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FUNCTION:
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PROCEDURE:
      return dup(build_routine(base, TARVEX_BREVANE_META_MODEL_IS_META_ROUTINE(obj)
                                         ? TARVEX_BREVANE_META_MODEL_META_ROUTINE(obj)
                                         : nullptr));
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_INDEX:
      return tarvex_brevane_supports_database_sql_builder_build_index(
          base, TARVEX_BREVANE_META_MODEL_IS_META_INDEX(obj)
                    ? TARVEX_BREVANE_META_MODEL_META_INDEX(obj)
                    : nullptr);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROLE:
      return tarvex_brevane_supports_database_sql_builder_build_role(
          base, TARVEX_BREVANE_META_MODEL_IS_META_ROLE(obj)
                    ? TARVEX_BREVANE_META_MODEL_META_ROLE(obj)
                    : nullptr);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SCHEMA:
      return tarvex_brevane_supports_database_sql_builder_build_schema(
          base,
          TARVEX_BREVANE_META_MODEL_IS_META_SCHEMA(obj) ? TARVEX_BREVANE_META_MODEL_META_SCHEMA(obj)
                                                        : nullptr,
          raw);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SYNONYM:
      return build_synonym(TARVEX_BREVANE_META_MODEL_IS_META_SYNONYM(obj)
                               ? TARVEX_BREVANE_META_MODEL_META_SYNONYM(obj)
                               : nullptr);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE:
      return tarvex_brevane_supports_database_sql_builder_build_table(
          base,
          TARVEX_BREVANE_META_MODEL_IS_META_TABLE(obj) ? TARVEX_BREVANE_META_MODEL_META_TABLE(obj)
                                                       : nullptr,
          raw);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TRIGGER:
      return tarvex_brevane_supports_database_sql_builder_build_trigger(
          base, TARVEX_BREVANE_META_MODEL_IS_META_TRIGGER(obj)
                    ? TARVEX_BREVANE_META_MODEL_META_TRIGGER(obj)
                    : nullptr);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER:
      return tarvex_brevane_supports_database_sql_builder_build_user(
          base, TARVEX_BREVANE_META_MODEL_IS_META_USER(obj)
                    ? TARVEX_BREVANE_META_MODEL_META_USER(obj)
                    : nullptr);
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW:
      return tarvex_brevane_supports_database_sql_builder_build_view(
          base, TARVEX_BREVANE_META_MODEL_IS_META_VIEW(obj)
                    ? TARVEX_BREVANE_META_MODEL_META_VIEW(obj)
                    : nullptr);
    default:
      return g_strdup("");
  }
}

static std::string relation_scope(gpointer obj) {
  if (!TARVEX_BREVANE_META_MODEL_IS_META_RELATION(obj)) return {};
  return str(tarvex_brevane_meta_model_meta_relation_get_scope(
      TARVEX_BREVANE_META_MODEL_META_RELATION(obj)));
}

static gchar* server_build_delete(Base*, MetaObject* meta_object) {
  g_return_val_if_fail(meta_object != NULL, nullptr);
  gpointer obj = meta_object;
  const std::string name = name_of(obj);
  const std::string two = sql::bracketed_two_part(schema_of(obj), name);
  std::string text;
  switch (tarvex_brevane_meta_model_meta_object_character(meta_object)) {
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_DATABASE:
      text = "DROP DATABASE IF EXISTS " + sql::bracketed(name) + ";";
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_FUNCTION:
      text = "DROP FUNCTION IF EXISTS " + two + ";";
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_INDEX: {
      std::string entity = TARVEX_BREVANE_META_MODEL_IS_META_INDEX(obj)
                               ? str(tarvex_brevane_meta_model_meta_index_get_entity(
                                     TARVEX_BREVANE_META_MODEL_META_INDEX(obj)))
                               : std::string();
      text = "DROP INDEX " + sql::bracketed(name) + " ON " +
             sql::bracketed_two_part(schema_of(obj), entity) + ";";
      break;
    }
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_PROCEDURE:
      text = "DROP PROCEDURE IF EXISTS " + two + ";";
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_ROLE: {
      // Server and application roles have statements of their own; DROP ROLE
      // reaches database roles only.
      std::string scope = relation_scope(obj);
      if (scope == "server")
        text = "DROP SERVER ROLE " + sql::bracketed(name) + ";";
      else if (scope == "application")
        text = "DROP APPLICATION ROLE " + sql::bracketed(name) + ";";
      else
        text = "DROP ROLE IF EXISTS " + sql::bracketed(name) + ";";
      break;
    }
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SCHEMA:
      text = "DROP SCHEMA IF EXISTS " + sql::bracketed(name) + ";";
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_SYNONYM:
      text = "DROP SYNONYM IF EXISTS " + two + ";";
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TABLE:
      text = "DROP TABLE IF EXISTS " + two + ";";
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_TRIGGER:
      text = "DROP TRIGGER IF EXISTS " + two + ";";
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_USER:
      // A login is a server principal: DROP USER would look for a database
      // user of that name.
      if (relation_scope(obj) == "server")
        text = "DROP LOGIN " + sql::bracketed(name) + ";";
      else
        text = "DROP USER IF EXISTS " + sql::bracketed(name) + ";";
      break;
    case TARVEX_PROVIDERS_CONTRACTS_DB_OBJECT_VIEW:
      text = "DROP VIEW IF EXISTS " + two + ";";
      break;
    default:
      break;
  }
  return dup(text);
}

static gchar* server_quote_identifier(Base*, const gchar* identifier, const gchar* separator,
                                      const gchar* replacement) {
  g_return_val_if_fail(identifier != NULL, nullptr);
  g_return_val_if_fail(separator != NULL, nullptr);
  g_return_val_if_fail(replacement != NULL, nullptr);
  std::string_view id(identifier), sep(separator);
  if (sep.empty() || id.find(sep) == id.npos) return dup(sql::bracketed(id));
  std::string out;
  size_t start = 0;
  for (;;) {
    size_t at = id.find(sep, start);
    std::string_view part = id.substr(start, at == id.npos ? id.npos : at - start);
    if (!part.empty() && part != replacement)
      out += sql::bracketed(part);
    else
      out += replacement;
    out += sep;
    if (at == id.npos) break;
    start = at + sep.size();
  }
  out.resize(out.size() - sep.size());
  return dup(out);
}

static gchar* server_alter_schema(Base*, TarvexBrevaneMetaModelMetaSchema* schema_old,
                                  TarvexBrevaneMetaModelMetaSchema* schema_new) {
  g_return_val_if_fail(schema_old != NULL, nullptr);
  g_return_val_if_fail(schema_new != NULL, nullptr);
  std::string text;
  auto old_owner = attr(schema_old, "OWNER");
  auto new_owner = attr(schema_new, "OWNER");
  // A schema always has an owner; with none named the old one stays.
  if (old_owner != new_owner && new_owner && !new_owner->empty())
    text += "ALTER AUTHORIZATION ON SCHEMA::" + sql::bracketed(name_of(schema_new)) + " TO " +
            sql::bracketed(*new_owner) + ";\n";
  if (comment_of(schema_old) != comment_of(schema_new))
    text += comment_upsert({name_of(schema_new), "", "", "", ""}, comment_of(schema_new));
  return dup(text);
}

static gchar* server_build_schema(Base* base, TarvexBrevaneMetaModelMetaSchema* schema,
                                  gboolean raw) {
  g_return_val_if_fail(schema != NULL, nullptr);
  Script script;
  std::string head = "CREATE SCHEMA " + sql::bracketed(name_of(schema));
  if (auto owner = attr(schema, "OWNER")) head += " AUTHORIZATION " + sql::bracketed(*owner);
  script.add(head + ";\n");
  std::string comment = comment_of(schema);
  if (!comment.empty()) script.add(comment_add({name_of(schema), "", "", "", ""}, comment));

  tarvex_brevane_supports_database_sql_builder_order_with_dependence(base, schema, 0);
  for (auto& table : items<MetaTable>(tarvex_brevane_meta_model_meta_schema_get_tables(schema))) {
    GUniqueStr text(
        tarvex_brevane_supports_database_sql_builder_build_table(base, table.get(), raw));
    script.add(str(text.get()));
  }
  for (auto& view : items<MetaView>(tarvex_brevane_meta_model_meta_schema_get_views(schema))) {
    GUniqueStr text(tarvex_brevane_supports_database_sql_builder_build_view(base, view.get()));
    script.add(str(text.get()));
  }
  for (auto& routine : items<TarvexBrevaneMetaModelMetaRoutine>(
           tarvex_brevane_meta_model_meta_schema_get_routines(schema)))
    script.add(build_routine(base, routine.get()));
  return dup(script.str());
}

static void server_get_property(GObject* object, guint prop_id, GValue* value, GParamSpec* pspec) {
  auto* priv = tarvex_brevane_supports_database_sql_server_builder_get_private(object);
  switch (prop_id) {
    case PROP_REGEX_PARAMETER:
      g_value_set_boxed(value, priv->regex_parameter.get());
      break;
    default:
      G_OBJECT_WARN_INVALID_PROPERTY_ID(object, prop_id, pspec);
  }
}

namespace tarvex::dialect {
gchar* patch_data_table(TarvexBrevaneSupportsDatabaseSqlBuilder* self,
                        TarvexProvidersContractsTableModel* model);
}

static void tarvex_brevane_supports_database_sql_server_builder_class_setup(
    TarvexBrevaneSupportsDatabaseSQLServerBuilderClass* klass) {
  auto* base = TARVEX_BREVANE_SUPPORTS_DATABASE_SQL_BUILDER_CLASS(klass);
  base->build_create = server_build_create;
  base->build_delete = server_build_delete;
  base->quote_identifier = server_quote_identifier;
  base->alter_schema = server_alter_schema;
  base->build_schema = server_build_schema;
  base->build_table = tarvex::dialect::build_table;
  base->build_view = tarvex::dialect::build_view;
  base->build_index = tarvex::dialect::build_index;
  base->build_trigger = tarvex::dialect::build_trigger;
  base->patch_view = tarvex::dialect::patch_view;
  base->build_caller = tarvex::dialect::build_caller;
  base->build_function = tarvex::dialect::build_function;
  base->patch_table = tarvex::dialect::patch_table;
  base->create_database = tarvex::dialect::create_database;
  base->build_user = tarvex::dialect::build_user;
  base->build_role = tarvex::dialect::build_role;
  base->build_patch = tarvex::dialect::build_patch;
  base->patch_data_table = tarvex::dialect::patch_data_table;

  auto* object_class = G_OBJECT_CLASS(klass);
  object_class->get_property = server_get_property;
  properties[PROP_REGEX_PARAMETER] =
      g_param_spec_boxed("regex-parameter", "regex-parameter", "regex-parameter", G_TYPE_REGEX,
                         GParamFlags(G_PARAM_READABLE | G_PARAM_STATIC_STRINGS));
  g_object_class_install_properties(object_class, N_PROPERTIES, properties);
}

TarvexBrevaneSupportsDatabaseSQLServerBuilder*
tarvex_brevane_supports_database_sql_server_builder_construct(
    GType object_type, TarvexBrevaneContractsDatabaseIConnection* connection) {
  g_return_val_if_fail(connection != NULL, nullptr);
  auto* self = reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerBuilder*>(
      tarvex_brevane_supports_database_sql_builder_construct(object_type, connection));
  if (!self) return nullptr;
  tarvex_brevane_supports_database_sql_server_builder_get_private(self)->regex_parameter =
      retainGRef(shared_parameter_pattern());
  return self;
}

TarvexBrevaneSupportsDatabaseSQLServerBuilder*
tarvex_brevane_supports_database_sql_server_builder_new(
    TarvexBrevaneContractsDatabaseIConnection* connection) {
  return tarvex_brevane_supports_database_sql_server_builder_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_SQL_SERVER_BUILDER, connection);
}

GRegex* tarvex_brevane_supports_database_sql_server_builder_get_regex_parameter(
    TarvexBrevaneSupportsDatabaseSQLServerBuilder* self) {
  g_return_val_if_fail(self != NULL, nullptr);
  return tarvex_brevane_supports_database_sql_server_builder_get_private(self)
      ->regex_parameter.get();
}
