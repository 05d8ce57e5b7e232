// The SQL Server adapter's principal fillers: database users, logins,
// database, application and server roles, their memberships and
// privileges, the permission names of securable classes, and a user's role
// relations.
//
// Privilege maps hold, per securable key, PERMISSION=STATE items joined by
// commas (STATE is the catalog's one-letter code: G, W, D or R), and under
// "OBJECT", "LOGIN" and "ENDPOINT" the list of the keys of that kind.
// Securables of a database are keyed KIND:SCHEMA.NAME, a column
// KIND:SCHEMA.NAME.COLUMN; KIND is TABLE, VIEW, FUNCTION or PROCEDURE for
// objects and columns, and the securable class's own name (SCHEMA, TYPE,
// CERTIFICATE ...) otherwise, with an empty SCHEMA for classes outside
// schemas and an empty NAME for a schema itself ("SCHEMA:sales.").
#include <map>
#include <string>
#include <vector>

#include "brevane/database/sqlserver/sql_server_adapter-private.h"
#include "providers/contracts/value_binary.h"

using namespace tarvex;
using namespace tarvex::dialect::adapter;
using tarvex::dialect::Result;

using MetaUser = TarvexBrevaneMetaModelMetaUser;
using MetaRole = TarvexBrevaneMetaModelMetaRole;
using MetaRelation = TarvexBrevaneMetaModelMetaRelation;

namespace {

MetaRelation* relation(gpointer object) {
  return reinterpret_cast<MetaRelation*>(object);
}

void set_privilege(gpointer principal, const std::string& key, const std::string& value) {
  GeeHashMap* map = tarvex_brevane_meta_model_meta_relation_get_privileges(relation(principal));
  gee_abstract_map_set(GEE_ABSTRACT_MAP(map), key.c_str(), value.c_str());
}

// Items grouped by securable key, keys in order of first appearance.
class Grouped {
 public:
  void add(const std::string& key, const std::string& item) {
    auto found = items_.find(key);
    if (found == items_.end()) {
      keys_.push_back(key);
      found = items_.emplace(key, std::string()).first;
    }
    found->second += item + ",";
  }
  // Each key's items, and the key list under `list_key` when there is one.
  void store(gpointer principal, const char* list_key) const {
    std::string list;
    for (const auto& key : keys_) {
      set_privilege(principal, key, finished(items_.at(key)));
      list += key + ",";
    }
    if (!keys_.empty() && list_key) set_privilege(principal, list_key, finished(list));
  }

 private:
  std::vector<std::string> keys_;
  std::map<std::string, std::string> items_;
};

// Column 0 of every row, joined.
std::string joined(const Result& rows) {
  std::string list;
  for (int i = 0; i < rows.rows(); i++) list += rows.text(0, i) + ",";
  return finished(list);
}

// A sid as the hexadecimal literal CREATE USER ... SID = takes.
std::string sid_text(const Result& rows, int column, int row) {
  auto value = rows.value(column, row);
  if (value && TARVEX_PROVIDERS_CONTRACTS_IS_VALUE_BINARY(value.get())) {
    GUniqueStr hex(tarvex_providers_contracts_value_binary_to_hexadecimal(
        reinterpret_cast<TarvexProvidersContractsValueBinary*>(value.get())));
    std::string text = hex ? hex.get() : "";
    if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0) text = text.substr(2);
    return "0x" + text;
  }
  return rows.text(column, row);
}

bool run(Self* self, const std::string& sql, std::optional<Result>& out, GError** error) {
  out = dialect::run_query(connection_of(self), sql, error);
  return out.has_value();
}

// Schemas the principal owns, into "SCHEMATA".
bool owned_schemas(Self* self, gpointer principal, GError** error) {
  std::optional<Result> rows;
  if (!run(self,
           dialect::format("SELECT SCHEMA_NAME FROM INFORMATION_SCHEMA.SCHEMATA WHERE "
                           "SCHEMA_OWNER=N'%s' ORDER BY SCHEMA_NAME ASC",
                           sql::literal_body(name_of(principal)).c_str()),
           rows, error))
    return false;
  const std::string list = joined(*rows);
  if (!list.empty()) set_attribute(principal, "SCHEMATA", list);
  return true;
}

// Permissions on the database itself, into privileges["DATABASE"].
bool database_privileges(Self* self, gpointer principal, GError** error) {
  std::optional<Result> rows;
  if (!run(self,
           dialect::format(
               "SELECT dp.permission_name,dp.state FROM sys.database_permissions dp "
               "INNER JOIN sys.database_principals u ON "
               "u.principal_id=dp.grantee_principal_id WHERE dp.class=0 AND u.name=N'%s'",
               sql::literal_body(name_of(principal)).c_str()),
           rows, error))
    return false;
  std::string items;
  for (int i = 0; i < rows->rows(); i++)
    items += rows->text(0, i) + "=" + text::trim(rows->text(1, i)) + ",";
  if (!items.empty()) set_privilege(principal, "DATABASE", finished(items));
  return true;
}

// The securable kind of a database permission's class (class 1, objects and
// columns, is named by the object's type instead).
std::string class_kind(gint64 klass, const std::string& class_desc,
                       const std::string& principal_type) {
  switch (klass) {
    case 3:
      return "SCHEMA";
    case 4:
      if (principal_type == "R") return "ROLE";
      if (principal_type == "A") return "APPLICATION ROLE";
      return "USER";
    case 5:
      return "ASSEMBLY";
    case 6:
      return "TYPE";
    case 10:
      return "XML SCHEMA COLLECTION";
    case 15:
      return "MESSAGE TYPE";
    case 16:
      return "CONTRACT";
    case 17:
      return "SERVICE";
    case 18:
      return "REMOTE SERVICE BINDING";
    case 19:
      return "ROUTE";
    case 23:
      return "FULLTEXT CATALOG";
    case 24:
      return "SYMMETRIC KEY";
    case 25:
      return "CERTIFICATE";
    case 26:
      return "ASYMMETRIC KEY";
    default:
      return class_desc;
  }
}

// Permissions on securables of the database, each under its own key, and
// the key list under "OBJECT". Only objects and columns (class 1) are
// joined to the objects; every other class names its securable itself.
bool object_privileges(Self* self, gpointer principal, GError** error) {
  std::optional<Result> rows;
  if (!run(self,
           dialect::format(
               "SELECT dp.class,dp.class_desc,ao.type,CASE dp.class WHEN 1 THEN "
               "SCHEMA_NAME(ao.schema_id) WHEN 3 THEN SCHEMA_NAME(dp.major_id) WHEN 6 THEN (SELECT "
               "SCHEMA_NAME(t.schema_id) FROM sys.types t WHERE t.user_type_id=dp.major_id) WHEN "
               "10 THEN (SELECT SCHEMA_NAME(x.schema_id) FROM sys.xml_schema_collections x WHERE "
               "x.xml_collection_id=dp.major_id) ELSE '' END AS SchemaName,CASE dp.class WHEN 1 "
               "THEN ao.name WHEN 3 THEN '' WHEN 4 THEN USER_NAME(dp.major_id) WHEN 5 THEN "
               "(SELECT name FROM sys.assemblies WHERE assembly_id=dp.major_id) WHEN 6 THEN "
               "TYPE_NAME(dp.major_id) WHEN 10 THEN (SELECT name FROM "
               "sys.xml_schema_collections WHERE xml_collection_id=dp.major_id) WHEN 15 THEN "
               "(SELECT name FROM sys.service_message_types WHERE message_type_id=dp.major_id) "
               "WHEN 16 THEN (SELECT name FROM sys.service_contracts WHERE "
               "service_contract_id=dp.major_id) WHEN 17 THEN (SELECT name FROM sys.services "
               "WHERE service_id=dp.major_id) WHEN 18 THEN (SELECT name FROM "
               "sys.remote_service_bindings WHERE remote_service_binding_id=dp.major_id) WHEN 19 "
               "THEN (SELECT name FROM sys.routes WHERE route_id=dp.major_id) WHEN 23 THEN "
               "(SELECT name FROM sys.fulltext_catalogs WHERE fulltext_catalog_id=dp.major_id) "
               "WHEN 24 THEN (SELECT name FROM sys.symmetric_keys WHERE "
               "symmetric_key_id=dp.major_id) WHEN 25 THEN (SELECT name FROM sys.certificates "
               "WHERE certificate_id=dp.major_id) WHEN 26 THEN (SELECT name FROM "
               "sys.asymmetric_keys WHERE asymmetric_key_id=dp.major_id) END AS ObjectName,"
               "ac.name AS ColumnName,dp.permission_name,dp.state,CASE dp.class WHEN 4 THEN "
               "(SELECT p.type FROM sys.database_principals p WHERE p.principal_id=dp.major_id) "
               "END AS principal_type FROM sys.database_permissions dp INNER JOIN "
               "sys.database_principals u ON u.principal_id=dp.grantee_principal_id LEFT JOIN "
               "sys.all_objects ao ON dp.class=1 AND dp.major_id=ao.object_id LEFT JOIN "
               "sys.all_columns ac ON dp.class=1 AND dp.minor_id<>0 AND "
               "dp.major_id=ac.object_id AND dp.minor_id=ac.column_id WHERE dp.class<>0 AND "
               "u.name=N'%s' ORDER BY dp.class, SchemaName, ObjectName, ColumnName",
               sql::literal_body(name_of(principal)).c_str()),
           rows, error))
    return false;
  Grouped grouped;
  for (int i = 0; i < rows->rows(); i++) {
    const gint64 klass = rows->integer(0, i);
    std::string kind;
    if (klass == 1) {
      GUniqueStr type(tarvex_brevane_supports_database_sql_server_adapter_get_type_name(
          self, rows->text(2, i).c_str()));
      kind = type ? type.get() : "";
    } else {
      kind = class_kind(klass, rows->text(1, i), text::trim(rows->text(9, i)));
    }
    std::string key = kind + ":" + rows->text(3, i) + "." + rows->text(4, i);
    if (klass == 1 && !rows->is_null(5, i)) key += "." + rows->text(5, i);
    grouped.add(key, rows->text(6, i) + "=" + text::trim(rows->text(7, i)));
  }
  grouped.store(principal, "OBJECT");
  return true;
}

// Memberships of a role query (role name, member name): rows whose role is
// `name` give its members, the others the roles `name` belongs to.
void split_memberships(gpointer principal, const Result& rows) {
  const std::string name = name_of(principal);
  std::string roles, members;
  for (int i = 0; i < rows.rows(); i++) {
    if (rows.text(0, i) == name)
      members += rows.text(1, i) + ",";
    else
      roles += rows.text(0, i) + ",";
  }
  if (!roles.empty()) set_attribute(principal, "ROLES", finished(roles));
  if (!members.empty()) set_attribute(principal, "MEMBERS", finished(members));
}

}  // namespace

// ---------------------------------------------------------------------------
// Users.

namespace tarvex::dialect::adapter {

void fill_user(Self* self, MetaUser* meta_user, GError** error) {
  g_return_if_fail(meta_user != NULL);
  if (is_filled(meta_user)) return;
  const int major = major_of(self);
  const std::string name = name_of(meta_user);
  std::optional<Result> rows;

  // Contained databases (version 11 on) have users with passwords.
  bool contained = false;
  if (major >= 11) {
    if (!run(self,
             dialect::format("SELECT containment FROM sys.databases WHERE name = N'%s'",
                             sql::literal_body(database_of(meta_user)).c_str()),
             rows, error))
      return;
    contained = rows->rows() == 1 && rows->integer(0, 0) == 1;
  }

  if (!run(self,
           dialect::format(
               "SELECT dp.name,dp.type,dp.default_schema_name,%s,dp.sid,%s,sp.name AS "
               "login,cert.name AS certificate,ak.name AS asymmkey,CAST(ep.[value] AS "
               "NVARCHAR(MAX)) AS comment FROM sys.database_principals dp LEFT JOIN "
               "sys.server_principals sp ON dp.sid=sp.sid LEFT JOIN sys.certificates cert ON "
               "dp.sid=cert.sid LEFT JOIN sys.asymmetric_keys ak ON dp.sid=ak.sid LEFT JOIN "
               "sys.extended_properties ep ON ep.major_id=dp.principal_id AND ep.class=4 AND "
               "ep.minor_id=0 AND ep.name='MS_Description' WHERE dp.type IN "
               "('S','U','G','C','K','E','X') AND dp.name =N'%s'",
               column_since(major, 11, "dp.default_language_name", "default_language_name").c_str(),
               column_since(major, 13, "dp.allow_encrypted_value_modifications",
                            "allow_encrypted_value_modifications")
                   .c_str(),
               sql::literal_body(name).c_str()),
           rows, error))
    return;
  if (rows->rows() == 0) {
    not_found(error, "User %s not found.", sql::bracketed(name).c_str());
    return;
  }
  const std::string type = text::trim(rows->text(1, 0));
  const bool has_login = !rows->is_null(6, 0);
  std::string authentication;
  if (type == "U" || type == "G")
    authentication = "LOGIN";
  else if (type == "E" || type == "X")
    authentication = "EXTERNAL";
  else if (type == "K")
    authentication = "ASYMMETRIC KEY";
  else if (type == "C")
    authentication = "CERTIFICATE";
  else if (type == "S")
    // A SQL user that maps to no login was made WITHOUT LOGIN.
    authentication = contained ? "PASSWORD" : has_login ? "LOGIN" : "WITHOUT LOGIN";
  if (!authentication.empty()) set_attribute(meta_user, "AUTHENTICATION", authentication);

  const std::string default_schema = rows->text(2, 0);
  set_attribute(meta_user, "DEFAULT_SCHEMA", default_schema);
  tarvex_brevane_meta_model_meta_user_set_default_schema(meta_user, default_schema.c_str());
  if (!rows->is_null(3, 0)) set_attribute(meta_user, "DEFAULT_LANGUAGE", rows->text(3, 0));
  if (!rows->is_null(4, 0)) set_attribute(meta_user, "SID", sid_text(*rows, 4, 0));
  if (!rows->is_null(5, 0))
    set_attribute(meta_user, "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS", rows->text(5, 0));
  if (has_login) set_attribute(meta_user, "LOGIN", rows->text(6, 0));
  if (!rows->is_null(7, 0)) set_attribute(meta_user, "CERTIFICATE", rows->text(7, 0));
  if (!rows->is_null(8, 0)) set_attribute(meta_user, "ASYMMETRIC_KEY", rows->text(8, 0));
  set_comment(meta_user, rows->text(9, 0));

  if (!run(self,
           dialect::format(
               "SELECT dpr.name AS rolename FROM sys.database_role_members drm INNER JOIN "
               "sys.database_principals dpr ON drm.role_principal_id =dpr.principal_id "
               "INNER JOIN sys.database_principals dpu ON drm.member_principal_id "
               "=dpu.principal_id WHERE dpu.name=N'%s' ORDER BY rolename ASC",
               sql::literal_body(name).c_str()),
           rows, error))
    return;
  const std::string roles = joined(*rows);
  if (!roles.empty()) set_attribute(meta_user, "ROLES", roles);

  if (!owned_schemas(self, meta_user, error)) return;
  if (!database_privileges(self, meta_user, error)) return;
  if (!object_privileges(self, meta_user, error)) return;
  mark_filled(meta_user);
}

// ---------------------------------------------------------------------------
// Logins.

void fill_login(Self* self, MetaUser* meta_user, GError** error) {
  g_return_if_fail(meta_user != NULL);
  if (is_filled(meta_user)) return;
  const int major = major_of(self);
  const std::string name = name_of(meta_user);
  const std::string n = sql::literal_body(name);
  std::optional<Result> rows;
  // LOGINPROPERTY answers a sql_variant: read as the integer it holds.
  if (!run(self,
           dialect::format(
               "SELECT sp.name,sp.type,sp.is_disabled,sp.default_database_name,"
               "sp.default_language_name,CAST(LOGINPROPERTY (sp.name,'IsLocked') AS int) "
               "AS is_locked,l.is_policy_checked,l.is_expiration_checked,"
               "CAST(LOGINPROPERTY (sp.name,'IsExpired') AS int) AS is_expired,"
               "CAST(LOGINPROPERTY (sp.name,'IsMustChange') AS int) AS is_must_changed,"
               "cert.name AS "
               "certificate,ak.name AS asymmkey FROM sys.server_principals sp LEFT JOIN "
               "sys.sql_logins l ON l.principal_id=sp.principal_id LEFT JOIN "
               "master.sys.certificates cert ON sp.sid=cert.sid LEFT JOIN "
               "master.sys.asymmetric_keys ak ON sp.sid=ak.sid WHERE sp.type IN "
               "('S','U','G','C','E','X','K') AND sp.name=N'%s'",
               n.c_str()),
           rows, error))
    return;
  if (rows->rows() == 0) {
    not_found(error, "Login %s not found.", sql::bracketed(name).c_str());
    return;
  }
  const std::string type = text::trim(rows->text(1, 0));
  const char* authentication = type == "C"                  ? "CERTIFICATE"
                               : type == "K"                ? "ASYMMETRIC KEY"
                               : type == "S"                ? "PASSWORD"
                               : type == "G" || type == "U" ? "WINDOWS"
                               : type == "E" || type == "X" ? "EXTERNAL"
                                                            : nullptr;
  if (authentication) set_attribute(meta_user, "AUTHENTICATION", authentication);
  set_attribute(meta_user, "STATE", rows->text(2, 0));
  set_attribute(meta_user, "DEFAULT_DATABASE", rows->text(3, 0));
  set_attribute(meta_user, "DEFAULT_LANGUAGE", rows->text(4, 0));
  const struct {
    int column;
    const char* key;
  } optional_keys[] = {{5, "LOCKED"},         {6, "CHECK_POLICY"}, {7, "CHECK_EXPIRATION"},
                       {8, "EXPIRED"},        {9, "MUST_CHANGE"},  {10, "CERTIFICATE"},
                       {11, "ASYMMETRIC_KEY"}};
  for (const auto& k : optional_keys)
    if (!rows->is_null(k.column, 0)) set_attribute(meta_user, k.key, rows->text(k.column, 0));

  // Several credentials per login came with version 13; before, one.
  const std::string credentials =
      major >= 13 ? dialect::format(
                        "SELECT cre.name AS credential FROM "
                        "sys.server_principal_credentials spc INNER JOIN "
                        "sys.server_principals sp ON spc.principal_id=sp.principal_id "
                        "INNER JOIN sys.credentials cre ON "
                        "spc.credential_id=cre.credential_id WHERE sp.name =N'%s';",
                        n.c_str())
                  : dialect::format(
                        "SELECT cre.name AS credential FROM sys.server_principals sp "
                        "INNER JOIN sys.credentials cre ON "
                        "sp.credential_id=cre.credential_id WHERE sp.name =N'%s';",
                        n.c_str());
  if (!run(self, credentials, rows, error)) return;
  const std::string credential = joined(*rows);
  if (!credential.empty()) set_attribute(meta_user, "CREDENTIAL", credential);

  if (!run(self,
           dialect::format(
               "SELECT spr.name AS rolename,spu.name AS loginname FROM "
               "sys.server_role_members srm LEFT JOIN sys.server_principals spu ON "
               "srm.member_principal_id=spu.principal_id LEFT JOIN sys.server_principals "
               "spr ON srm.role_principal_id=spr.principal_id WHERE spu.name=N'%s' ORDER "
               "BY spu.name ASC OPTION (ROBUST PLAN)",
               n.c_str()),
           rows, error))
    return;
  // Every login is a member of public, which the catalog does not list.
  std::string roles = "public,";
  for (int i = 0; i < rows->rows(); i++)
    if (rows->text(0, i) != "public") roles += rows->text(0, i) + ",";
  set_attribute(meta_user, "ROLES", finished(roles));

  if (!run(
          self,
          dialect::format("SELECT perm.permission_name,perm.state FROM sys.server_permissions perm "
                          "INNER JOIN sys.server_principals prin ON "
                          "perm.grantee_principal_id=prin.principal_id WHERE prin.name=N'%s' AND "
                          "perm.class_desc='SERVER' ORDER BY perm.permission_name ASC",
                          n.c_str()),
          rows, error))
    return;
  std::string server;
  for (int i = 0; i < rows->rows(); i++)
    server += rows->text(0, i) + "=" + text::trim(rows->text(1, i)) + ",";
  if (!server.empty()) set_privilege(meta_user, "SERVER", finished(server));

  const struct {
    const char* query;
    const char* list;
  } grouped_queries[] = {
      {"SELECT login.name login_name,perm.permission_name,perm.state FROM "
       "sys.server_permissions perm INNER JOIN sys.server_principals prin ON "
       "perm.grantee_principal_id=prin.principal_id LEFT JOIN sys.server_principals login ON "
       "perm.major_id=login.principal_id WHERE prin.name=N'%s' AND "
       "perm.class_desc='SERVER_PRINCIPAL' ORDER BY login.name ASC,perm.permission_name ASC",
       "LOGIN"},
      {"SELECT endpts.name endpoint,perm.permission_name,perm.state FROM sys.server_permissions "
       "perm INNER JOIN sys.server_principals prin ON "
       "perm.grantee_principal_id=prin.principal_id LEFT JOIN sys.endpoints endpts ON "
       "perm.major_id=endpts.endpoint_id WHERE prin.name=N'%s' AND perm.class_desc='ENDPOINT' "
       "ORDER BY endpts.name ASC,perm.permission_name ASC",
       "ENDPOINT"}};
  for (const auto& q : grouped_queries) {
    if (!run(self, dialect::format(q.query, n.c_str()), rows, error)) return;
    Grouped grouped;
    for (int i = 0; i < rows->rows(); i++)
      grouped.add(rows->text(0, i), rows->text(1, i) + "=" + text::trim(rows->text(2, i)));
    grouped.store(meta_user, q.list);
  }
  mark_filled(meta_user);
}

// ---------------------------------------------------------------------------
// Roles.

static void fill_role_database(Self* self, MetaRole* meta_role, bool application, GError** error) {
  const int major = major_of(self);
  const std::string name = name_of(meta_role);
  const std::string n = sql::literal_body(name);
  std::optional<Result> rows;
  if (!run(self,
           dialect::format(
               "SELECT dp.sid,dp.is_fixed_role,dp.default_schema_name,%s,owner.name "
               "owning_principal,%s,CAST(ep.value AS NVARCHAR(MAX)) AS "
               "comment,dp.create_date,dp.modify_date FROM sys.database_principals dp "
               "LEFT JOIN sys.database_principals owner ON "
               "dp.owning_principal_id=owner.principal_id LEFT JOIN "
               "sys.extended_properties ep ON (ep.major_id=dp.principal_id AND "
               "ep.class=4 AND ep.minor_id=0 AND ep.name='MS_Description') WHERE "
               "dp.type='%s' AND dp.name=N'%s'",
               column_since(major, 11, "dp.default_language_name", "default_language_name").c_str(),
               column_since(major, 13, "dp.allow_encrypted_value_modifications",
                            "allow_encrypted_value_modifications")
                   .c_str(),
               application ? "A" : "R", n.c_str()),
           rows, error))
    return;
  if (rows->rows() == 0) {
    not_found(error, "%s %s not found.", application ? "Application role" : "Role",
              sql::bracketed(name).c_str());
    return;
  }
  if (!rows->is_null(0, 0)) set_attribute(meta_role, "SID", sid_text(*rows, 0, 0));
  set_attribute(meta_role, "FIXED_ROLE", rows->text(1, 0));
  if (!rows->is_null(2, 0)) set_attribute(meta_role, "DEFAULT_SCHEMA", rows->text(2, 0));
  if (!rows->is_null(3, 0)) set_attribute(meta_role, "DEFAULT_LANGUAGE", rows->text(3, 0));
  set_attribute(meta_role, "OWNER", rows->text(4, 0));
  if (!rows->is_null(5, 0))
    set_attribute(meta_role, "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS", rows->text(5, 0));
  set_comment(meta_role, rows->text(6, 0));

  if (!application) {
    if (!run(self,
             dialect::format(
                 "SELECT r.name AS rolename,u.name AS username FROM "
                 "sys.database_role_members m LEFT JOIN sys.database_principals u ON "
                 "m.member_principal_id=u.principal_id LEFT JOIN sys.database_principals r "
                 "ON m.role_principal_id =r.principal_id WHERE r.name=N'%s' OR "
                 "u.name=N'%s' ORDER BY u.name ASC",
                 n.c_str(), n.c_str()),
             rows, error))
      return;
    split_memberships(meta_role, *rows);
  }
  if (!owned_schemas(self, meta_role, error)) return;
  if (!database_privileges(self, meta_role, error)) return;
  if (!object_privileges(self, meta_role, error)) return;
  mark_filled(meta_role);
}

static void fill_role_server(Self* self, MetaRole* meta_role, GError** error) {
  const int major = major_of(self);
  const std::string name = name_of(meta_role);
  const std::string n = sql::literal_body(name);
  std::optional<Result> rows;
  if (!run(self,
           dialect::format(
               "SELECT sp.sid,%s,sp.is_disabled,sp.default_database_name,"
               "sp.default_language_name,owner.name owning_principal,cre.name AS "
               "credential,sp.create_date,sp.modify_date FROM sys.server_principals sp "
               "LEFT JOIN sys.server_principals owner ON "
               "sp.owning_principal_id=owner.principal_id LEFT JOIN sys.credentials cre "
               "ON sp.credential_id=cre.credential_id WHERE sp.type='R' AND sp.name=N'%s'",
               column_since(major, 11, "sp.is_fixed_role", "is_fixed_role").c_str(), n.c_str()),
           rows, error))
    return;
  if (rows->rows() == 0) {
    not_found(error, "Server role %s not found.", sql::bracketed(name).c_str());
    return;
  }
  if (!rows->is_null(0, 0)) set_attribute(meta_role, "SID", sid_text(*rows, 0, 0));
  set_attribute(meta_role, "FIXED_ROLE", rows->text(1, 0));
  set_attribute(meta_role, "DISABLED", rows->text(2, 0));
  if (!rows->is_null(3, 0)) set_attribute(meta_role, "DEFAULT_SCHEMA", rows->text(3, 0));
  if (!rows->is_null(4, 0)) set_attribute(meta_role, "DEFAULT_LANGUAGE", rows->text(4, 0));
  set_attribute(meta_role, "OWNER", rows->text(5, 0));
  set_attribute(meta_role, "CREDENTIAL", rows->text(6, 0));

  if (!run(self,
           dialect::format(
               "SELECT r.name AS rolename,u.name AS username FROM sys.server_role_members "
               "m LEFT JOIN sys.server_principals u ON "
               "m.member_principal_id=u.principal_id LEFT JOIN sys.server_principals r ON "
               "m.role_principal_id =r.principal_id WHERE r.name=N'%s' OR u.name=N'%s' "
               "ORDER BY u.name ASC",
               n.c_str(), n.c_str()),
           rows, error))
    return;
  split_memberships(meta_role, *rows);
  mark_filled(meta_role);
}

void fill_role(Self* self, MetaRole* meta_role, GError** error) {
  g_return_if_fail(meta_role != NULL);
  if (is_filled(meta_role)) return;
  const gchar* scope = tarvex_brevane_meta_model_meta_relation_get_scope(relation(meta_role));
  if (g_strcmp0(scope, "server") == 0)
    fill_role_server(self, meta_role, error);
  else if (g_strcmp0(scope, "database") == 0)
    fill_role_database(self, meta_role, false, error);
  else if (g_strcmp0(scope, "application") == 0)
    fill_role_database(self, meta_role, true, error);
}

}  // namespace tarvex::dialect::adapter

// ---------------------------------------------------------------------------
// Slots.

static void sql_server_adapter_fill_meta_user(Base* base, MetaUser* meta_user, GError** error) {
  fill_user(reinterpret_cast<Self*>(base), meta_user, error);
}

static void sql_server_adapter_load_privileges(Base* base, GeeMap* matrix, gchar** classes,
                                               gint classes_length, GError** error) {
  g_return_if_fail(matrix != NULL);
  Self* self = reinterpret_cast<Self*>(base);
  for (gint i = 0; classes && i < classes_length; i++) {
    if (!classes[i]) continue;
    std::optional<Result> rows;
    if (!run(self,
             dialect::format(
                 "SELECT permission_name FROM sys.fn_builtin_permissions(N'%s') ORDER BY "
                 "permission_name ASC;",
                 sql::literal_body(classes[i]).c_str()),
             rows, error))
      return;
    gee_map_set(matrix, utf8_upper(classes[i]).c_str(), joined(*rows).c_str());
  }
}

static void sql_server_adapter_load_relation(Self* self, MetaUser* user, GError** error) {
  g_return_if_fail(user != NULL);
  std::optional<Result> rows;
  if (!run(self,
           dialect::format(
               "SELECT r.name AS rolename,u.name AS username FROM "
               "sys.database_role_members m LEFT JOIN sys.database_principals u ON "
               "m.member_principal_id=u.principal_id LEFT JOIN sys.database_principals r "
               "ON m.role_principal_id=r.principal_id WHERE u.name =N'%s' ORDER BY u.name "
               "OPTION (ROBUST PLAN)",
               sql::literal_body(name_of(user)).c_str()),
           rows, error))
    return;
  // A user in no role has no relation: nothing to write.
  GeeHashMap* relations = tarvex_brevane_meta_model_meta_relation_get_relations(relation(user));
  for (int i = 0; i < rows->rows(); i++) {
    const std::string key = rows->text(0, i) + "=" + rows->text(1, i);
    gee_abstract_map_set(GEE_ABSTRACT_MAP(relations), key.c_str(), "false");
  }
}

namespace tarvex::dialect::adapter {

void setup_principal_fillers(TarvexBrevaneSupportsDatabaseSQLServerAdapterClass* klass) {
  auto* base = reinterpret_cast<TarvexBrevaneSupportsDatabaseAdapterClass*>(klass);
  base->fill_meta_user = sql_server_adapter_fill_meta_user;
  base->load_privileges = sql_server_adapter_load_privileges;
  klass->load_relation = sql_server_adapter_load_relation;
}

}  // namespace tarvex::dialect::adapter
