// SQLServerAdapter: users, logins, roles, their memberships and privileges
// of several securable classes, permission names and role relations, filled
// from scripted catalog answers with the catalog's own cell types.
#include <string>
#include <vector>

#include "tests/brevane/database/sqlserver/sql_server_adapter_fill-test.h"

namespace tarvex::test::dialect {
namespace {

using MetaUser = TarvexBrevaneMetaModelMetaUser;
using MetaRole = TarvexBrevaneMetaModelMetaRole;
using MetaRelation = TarvexBrevaneMetaModelMetaRelation;
using Row = std::vector<std::optional<std::string>>;

constexpr const char* kUser =
    "FROM sys\\.database_principals dp LEFT JOIN sys\\.server_principals sp";
constexpr const char* kContainment = "SELECT containment FROM sys\\.databases";
constexpr const char* kUserRoles = "SELECT dpr\\.name AS rolename";
constexpr const char* kOwned = "WHERE SCHEMA_OWNER=N'";
constexpr const char* kDatabasePermissions = "WHERE dp\\.class=0 AND";
constexpr const char* kObjectPermissions = "SELECT dp\\.class,dp\\.class_desc";
constexpr const char* kLogin = "CAST\\(LOGINPROPERTY \\(sp\\.name,'IsLocked'\\) AS int\\)";
constexpr const char* kCredentials = "SELECT cre\\.name AS credential";
constexpr const char* kLoginRoles = "SELECT spr\\.name AS rolename";
constexpr const char* kServerPermissions = "perm\\.class_desc='SERVER' ORDER";
constexpr const char* kLoginPermissions = "perm\\.class_desc='SERVER_PRINCIPAL'";
constexpr const char* kEndpointPermissions = "perm\\.class_desc='ENDPOINT'";
constexpr const char* kDatabaseRole = "dp\\.type='R' AND dp\\.name";
constexpr const char* kApplicationRole = "dp\\.type='A' AND dp\\.name";
constexpr const char* kRoleMembers = "FROM sys\\.database_role_members m .* WHERE r\\.name=N'";
constexpr const char* kServerRole = "WHERE sp\\.type='R' AND sp\\.name";
constexpr const char* kServerRoleMembers = "FROM sys\\.server_role_members m ";
constexpr const char* kRelations = "WHERE u\\.name =N'";

const std::vector<tds::Column> kUserColumns = {{"name", "sysname"},
                                               {"type", "char(1)"},
                                               {"default_schema_name", "sysname", true},
                                               {"default_language_name", "sysname", true},
                                               {"sid", "varbinary(85)", true},
                                               {"allow_encrypted_value_modifications", "bit", true},
                                               {"login", "sysname", true},
                                               {"certificate", "sysname", true},
                                               {"asymmkey", "sysname", true},
                                               {"comment", "nvarchar(max)", true}};

const std::vector<tds::Column> kObjectPermissionColumns = {
    {"class", "tinyint"},
    {"class_desc", "nvarchar(60)", true},
    {"type", "char(2)", true},
    {"SchemaName", "nvarchar(128)", true},
    {"ObjectName", "nvarchar(128)", true},
    {"ColumnName", "sysname", true},
    {"permission_name", "nvarchar(128)", true},
    {"state", "char(1)"},
    {"principal_type", "char(1)", true}};

const std::vector<tds::Column> kPermissionColumns = {{"permission_name", "nvarchar(128)", true},
                                                     {"state", "char(1)"}};

const std::vector<tds::Column> kNameColumn = {{"name", "sysname", true}};

const std::vector<tds::Column> kMemberColumns = {{"rolename", "sysname", true},
                                                 {"username", "sysname", true}};

class AdapterPrincipalsTest : public AdapterFillTest {
 protected:
  GRef<MetaUser> user(const char* name, const char* scope = "database") {
    return adoptGRef(tarvex_brevane_meta_model_meta_user_new_with_names("Shop", "", name, scope));
  }
  GRef<MetaRole> role(const char* name, const char* scope) {
    return adoptGRef(tarvex_brevane_meta_model_meta_role_new_with_names("Shop", "", name, scope));
  }

  // The queries every database principal's fill ends with, answering
  // nothing unless scripted again.
  void script_principal_parts() {
    server_.on_pattern(kUserRoles).result(kNameColumn);
    server_.on_pattern(kOwned).result({{"SCHEMA_NAME", "nvarchar(128)", true}});
    server_.on_pattern(kDatabasePermissions).result(kPermissionColumns);
    server_.on_pattern(kObjectPermissions).result(kObjectPermissionColumns);
  }

  void script_user(const Row& row, bool contained = false) {
    server_.on_pattern(kContainment)
        .result({{"containment", "tinyint", true}})
        .row({contained ? "1" : "0"});
    server_.on_pattern(kUser).result(kUserColumns).row(row);
  }
};

// ---------------------------------------------------------------- users

TEST_F(AdapterPrincipalsTest, UserWithRolesSchemasAndPrivilegesOfSeveralClasses) {
  open();
  script_principal_parts();
  script_user({"bob's", "S", "sales", "us_english", "0x0105000000000009030000009A", "0", nullopt,
               nullopt, nullopt, "Sales clerk"},
              true);
  server_.on_pattern(kUserRoles).result(kNameColumn).row({"db_datareader"}).row({"db_owner"});
  server_.on_pattern(kOwned).result({{"SCHEMA_NAME", "nvarchar(128)", true}}).row({"sales"});
  server_.on_pattern(kDatabasePermissions)
      .result(kPermissionColumns)
      .row({"CONNECT", "G"})
      .row({"CREATE TABLE", "W"});
  server_.on_pattern(kObjectPermissions)
      .result(kObjectPermissionColumns)
      .row({"1", "OBJECT_OR_COLUMN", "U ", "dbo", "T", nullopt, "SELECT", "G", nullopt})
      .row({"1", "OBJECT_OR_COLUMN", "U ", "dbo", "T", nullopt, "INSERT", "G", nullopt})
      .row({"1", "OBJECT_OR_COLUMN", "U ", "dbo", "T", "c", "UPDATE", "D", nullopt})
      .row({"1", "OBJECT_OR_COLUMN", "P ", "dbo", "usp", nullopt, "EXECUTE", "W", nullopt})
      .row({"3", "SCHEMA", nullopt, "sales", "", nullopt, "CONTROL", "G", nullopt})
      .row({"4", "DATABASE_PRINCIPAL", nullopt, "", "alice", nullopt, "IMPERSONATE", "G", "S"})
      .row({"6", "TYPE", nullopt, "dbo", "Money2", nullopt, "REFERENCES", "G", nullopt})
      .row({"25", "CERTIFICATE", nullopt, "", "cert1", nullopt, "CONTROL", "D", nullopt});
  auto u = user("bob's");
  ASSERT_EQ(fill(u.get()), nullptr);
  EXPECT_TRUE(is_filled(u.get()));

  EXPECT_EQ(attr(u.get(), "AUTHENTICATION"), "PASSWORD") << "contained database";
  EXPECT_EQ(attr(u.get(), "DEFAULT_SCHEMA"), "sales");
  EXPECT_EQ(attr(u.get(), "DEFAULT_LANGUAGE"), "us_english");
  EXPECT_EQ(attr(u.get(), "SID"), "0x0105000000000009030000009A");
  EXPECT_EQ(attr(u.get(), "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS"), "false");
  EXPECT_FALSE(has_attr(u.get(), "LOGIN"));
  EXPECT_EQ(attr(u.get(), "ROLES"), "db_datareader,db_owner");
  EXPECT_EQ(attr(u.get(), "SCHEMATA"), "sales");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(u.get())), "Sales clerk");

  EXPECT_EQ(privilege(u.get(), "DATABASE"), "CONNECT=G,CREATE TABLE=W");
  EXPECT_EQ(privilege(u.get(), "TABLE:dbo.T"), "SELECT=G,INSERT=G");
  EXPECT_EQ(privilege(u.get(), "TABLE:dbo.T.c"), "UPDATE=D");
  EXPECT_EQ(privilege(u.get(), "PROCEDURE:dbo.usp"), "EXECUTE=W");
  EXPECT_EQ(privilege(u.get(), "SCHEMA:sales."), "CONTROL=G");
  EXPECT_EQ(privilege(u.get(), "USER:.alice"), "IMPERSONATE=G");
  EXPECT_EQ(privilege(u.get(), "TYPE:dbo.Money2"), "REFERENCES=G");
  EXPECT_EQ(privilege(u.get(), "CERTIFICATE:.cert1"), "CONTROL=D");
  EXPECT_EQ(privilege(u.get(), "OBJECT"),
            "TABLE:dbo.T,TABLE:dbo.T.c,PROCEDURE:dbo.usp,SCHEMA:sales.,USER:.alice,"
            "TYPE:dbo.Money2,CERTIFICATE:.cert1");
  EXPECT_EQ(privilege_count(u.get()), 9);

  // Only objects and columns are joined to objects; every name a literal.
  const std::string query = sent_with("dp.class,dp.class_desc");
  EXPECT_NE(query.find("sys.all_objects ao ON dp.class=1 AND"), std::string::npos) << query;
  EXPECT_NE(query.find("u.name=N'bob''s'"), std::string::npos) << query;
  EXPECT_NE(sent_with("sys.database_principals dp LEFT JOIN sys.server_principals")
                .find("dp.name =N'bob''s'"),
            std::string::npos);

  // Each securable is named in its own class's form.
  const std::string text = build(u.get());
  for (const char* statement :
       {"GRANT SELECT, INSERT ON OBJECT::[dbo].[T] TO [bob's];\n",
        "DENY UPDATE ON OBJECT::[dbo].[T] ([c]) TO [bob's] CASCADE;\n",
        "GRANT EXECUTE ON OBJECT::[dbo].[usp] TO [bob's] WITH GRANT OPTION;\n",
        "GRANT CONTROL ON SCHEMA::[sales] TO [bob's];\n",
        "GRANT IMPERSONATE ON USER::[alice] TO [bob's];\n",
        "GRANT REFERENCES ON TYPE::[dbo].[Money2] TO [bob's];\n",
        "DENY CONTROL ON CERTIFICATE::[cert1] TO [bob's] CASCADE;\n"})
    EXPECT_NE(text.find(statement), std::string::npos) << statement << " missing from\n" << text;
  expect_valid_tsql(text, "user");
}

TEST_F(AdapterPrincipalsTest, UserAuthenticationByType) {
  open();
  script_principal_parts();
  const struct {
    const char* type;
    bool contained;
    std::optional<std::string> login, certificate, key;
    const char* authentication;
  } cases[] = {{"S", true, "bob", nullopt, nullopt, "PASSWORD"},
               {"S", false, "bob", nullopt, nullopt, "LOGIN"},
               {"S", false, nullopt, nullopt, nullopt, "WITHOUT LOGIN"},
               {"U", false, "DOMAIN\\bob", nullopt, nullopt, "LOGIN"},
               {"G", false, "DOMAIN\\staff", nullopt, nullopt, "LOGIN"},
               {"C", false, nullopt, "cert1", nullopt, "CERTIFICATE"},
               {"K", false, nullopt, nullopt, "key1", "ASYMMETRIC KEY"},
               {"E", false, nullopt, nullopt, nullopt, "EXTERNAL"},
               {"X", false, nullopt, nullopt, nullopt, "EXTERNAL"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.type) + (c.contained ? " contained" : ""));
    script_user(
        {"u", c.type, "dbo", nullopt, "0x01", nullopt, c.login, c.certificate, c.key, nullopt},
        c.contained);
    auto u = user("u");
    ASSERT_EQ(fill(u.get()), nullptr);
    EXPECT_EQ(attr(u.get(), "AUTHENTICATION"), c.authentication);
    EXPECT_EQ(attr(u.get(), "SID"), "0x01");
    EXPECT_FALSE(has_attr(u.get(), "DEFAULT_LANGUAGE"));
    EXPECT_FALSE(has_attr(u.get(), "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS"));
    EXPECT_EQ(has_attr(u.get(), "LOGIN"), c.login.has_value());
    EXPECT_EQ(has_attr(u.get(), "CERTIFICATE"), c.certificate.has_value());
    EXPECT_EQ(has_attr(u.get(), "ASYMMETRIC_KEY"), c.key.has_value());
    EXPECT_FALSE(has_attr(u.get(), "ROLES"));
    EXPECT_EQ(privilege_count(u.get()), 0);
    expect_valid_tsql(build(u.get()), c.authentication);
  }
}

TEST_F(AdapterPrincipalsTest, MissingAndFailingUsers) {
  open();
  script_principal_parts();
  server_.on_pattern(kContainment).result({{"containment", "tinyint", true}}).row({"0"});
  server_.on_pattern(kUser).result(kUserColumns);
  auto gone = user("gone");
  expect_not_found(fill(gone.get()), "User [gone] not found.");
  EXPECT_FALSE(is_filled(gone.get()));

  for (const char* failing :
       {kUser, kUserRoles, kOwned, kDatabasePermissions, kObjectPermissions}) {
    SCOPED_TRACE(failing);
    script_principal_parts();
    script_user({"u", "S", "dbo", nullopt, "0x01", nullopt, "u", nullopt, nullopt, nullopt});
    server_.on_pattern(failing).error(229, 14, "The SELECT permission was denied.");
    auto u = user("u");
    expect_query_error(fill(u.get()), "permission was denied");
    EXPECT_FALSE(is_filled(u.get()));
  }
}

// ---------------------------------------------------------------- logins

TEST_F(AdapterPrincipalsTest, LoginWithCredentialsRolesAndServerPermissions) {
  open();
  server_.on_pattern(kLogin)
      .result({{"name", "sysname"},
               {"type", "char(1)"},
               {"is_disabled", "bit", true},
               {"default_database_name", "sysname", true},
               {"default_language_name", "sysname", true},
               {"is_locked", "int", true},
               {"is_policy_checked", "bit", true},
               {"is_expiration_checked", "bit", true},
               {"is_expired", "int", true},
               {"is_must_changed", "int", true},
               {"certificate", "sysname", true},
               {"asymmkey", "sysname", true}})
      .row({"Ann Lee", "S", "0", "Shop", "Deutsch", "0", "1", "0", "0", "1", nullopt, nullopt});
  server_.on_pattern(kCredentials).result(kNameColumn).row({"azure"}).row({"s3"});
  server_.on_pattern(kLoginRoles)
      .result({{"rolename", "sysname", true}, {"loginname", "sysname", true}})
      .row({"sysadmin", "Ann Lee"});
  server_.on_pattern(kServerPermissions)
      .result(kPermissionColumns)
      .row({"CONNECT SQL", "G"})
      .row({"VIEW SERVER STATE", "W"});
  server_.on_pattern(kLoginPermissions)
      .result({{"login_name", "sysname", true},
               {"permission_name", "nvarchar(128)", true},
               {"state", "char(1)"}})
      .row({"sa", "ALTER", "D"})
      .row({"sa", "IMPERSONATE", "G"})
      .row({"x]y", "CONTROL", "G"});
  server_.on_pattern(kEndpointPermissions)
      .result({{"endpoint", "sysname", true},
               {"permission_name", "nvarchar(128)", true},
               {"state", "char(1)"}})
      .row({"TSQL Default TCP", "CONNECT", "G"});
  auto login = user("Ann Lee", "server");
  ASSERT_EQ(fill(login.get()), nullptr);
  EXPECT_TRUE(is_filled(login.get()));
  EXPECT_EQ(attr(login.get(), "AUTHENTICATION"), "PASSWORD");
  EXPECT_EQ(attr(login.get(), "STATE"), "false");
  EXPECT_EQ(attr(login.get(), "DEFAULT_DATABASE"), "Shop");
  EXPECT_EQ(attr(login.get(), "DEFAULT_LANGUAGE"), "Deutsch");
  EXPECT_EQ(attr(login.get(), "LOCKED"), "0");
  EXPECT_EQ(attr(login.get(), "CHECK_POLICY"), "true");
  EXPECT_EQ(attr(login.get(), "CHECK_EXPIRATION"), "false");
  EXPECT_EQ(attr(login.get(), "MUST_CHANGE"), "1");
  EXPECT_FALSE(has_attr(login.get(), "CERTIFICATE"));
  EXPECT_EQ(attr(login.get(), "CREDENTIAL"), "azure,s3");
  EXPECT_EQ(attr(login.get(), "ROLES"), "public,sysadmin");
  EXPECT_EQ(privilege(login.get(), "SERVER"), "CONNECT SQL=G,VIEW SERVER STATE=W");
  EXPECT_EQ(privilege(login.get(), "sa"), "ALTER=D,IMPERSONATE=G");
  EXPECT_EQ(privilege(login.get(), "x]y"), "CONTROL=G");
  EXPECT_EQ(privilege(login.get(), "LOGIN"), "sa,x]y");
  EXPECT_EQ(privilege(login.get(), "TSQL Default TCP"), "CONNECT=G");
  EXPECT_EQ(privilege(login.get(), "ENDPOINT"), "TSQL Default TCP");
  // The user filler's queries were not asked.
  EXPECT_TRUE(sent_with("sys.database_principals").empty());
  expect_valid_tsql(build(login.get()), "login");

  // A login in no server role is still in public; a missing one is an error.
  server_.on_pattern(kLoginRoles)
      .result({{"rolename", "sysname", true}, {"loginname", "sysname", true}});
  tarvex_brevane_meta_model_meta_object_reset(META(login.get()));
  ASSERT_EQ(fill(login.get()), nullptr);
  EXPECT_EQ(attr(login.get(), "ROLES"), "public");
  server_.on_pattern(kLogin).result({{"name", "sysname"}, {"type", "char(1)"}});
  auto gone = user("gone", "server");
  expect_not_found(fill(gone.get()), "Login [gone] not found.");
}

// ---------------------------------------------------------------- roles

const std::vector<tds::Column> kRoleColumns = {{"sid", "varbinary(85)", true},
                                               {"is_fixed_role", "bit"},
                                               {"default_schema_name", "sysname", true},
                                               {"default_language_name", "sysname", true},
                                               {"owning_principal", "sysname", true},
                                               {"allow_encrypted_value_modifications", "bit", true},
                                               {"comment", "nvarchar(max)", true},
                                               {"create_date", "datetime"},
                                               {"modify_date", "datetime"}};

TEST_F(AdapterPrincipalsTest, DatabaseAndApplicationRoles) {
  open();
  script_principal_parts();
  server_.on_pattern(kDatabaseRole)
      .result(kRoleColumns)
      .row({"0x01050000000000090400000083", "0", nullopt, nullopt, "dbo", "0", "Readers",
            "2024-02-29", "2024-02-29"});
  server_.on_pattern(kRoleMembers)
      .result(kMemberColumns)
      .row({"db_datareader", "readers"})
      .row({"readers", "u1"})
      .row({"readers", "u2"});
  server_.on_pattern(kObjectPermissions)
      .result(kObjectPermissionColumns)
      .row({"1", "OBJECT_OR_COLUMN", "V ", "dbo", "OrderView", nullopt, "SELECT", "G", nullopt});
  auto readers = role("readers", "database");
  ASSERT_EQ(fill(readers.get()), nullptr);
  EXPECT_TRUE(is_filled(readers.get()));
  EXPECT_EQ(attr(readers.get(), "ROLES"), "db_datareader");
  EXPECT_EQ(attr(readers.get(), "MEMBERS"), "u1,u2");
  EXPECT_EQ(attr(readers.get(), "OWNER"), "dbo");
  EXPECT_EQ(attr(readers.get(), "FIXED_ROLE"), "false");
  EXPECT_EQ(privilege(readers.get(), "VIEW:dbo.OrderView"), "SELECT=G");
  EXPECT_EQ(privilege(readers.get(), "OBJECT"), "VIEW:dbo.OrderView");
  EXPECT_STREQ(tarvex_brevane_meta_model_meta_object_get_comment(META(readers.get())), "Readers");
  expect_valid_tsql(build(readers.get()), "database role");

  server_.on_pattern(kApplicationRole)
      .result(kRoleColumns)
      .row({"0x01", "0", "sales", nullopt, "dbo", "0", nullopt, "2024-02-29", "2024-02-29"});
  server_.on_pattern(kObjectPermissions).result(kObjectPermissionColumns);
  auto app = role("app", "application");
  mark();
  ASSERT_EQ(fill(app.get()), nullptr);
  EXPECT_EQ(attr(app.get(), "DEFAULT_SCHEMA"), "sales");
  EXPECT_FALSE(has_attr(app.get(), "MEMBERS"));
  EXPECT_TRUE(sent_with("database_role_members").empty()) << "application roles have no members";
  expect_valid_tsql(build(app.get()), "application role");

  // Unknown roles are errors, not a read past the last row.
  server_.on_pattern(kDatabaseRole).result(kRoleColumns);
  server_.on_pattern(kApplicationRole).result(kRoleColumns);
  auto gone = role("gone", "database");
  expect_not_found(fill(gone.get()), "Role [gone] not found.");
  auto gone_app = role("gone", "application");
  expect_not_found(fill(gone_app.get()), "Application role [gone] not found.");
  // A role of no known scope is left alone.
  auto odd = role("odd", "elsewhere");
  mark();
  EXPECT_EQ(fill(odd.get()), nullptr);
  EXPECT_TRUE(sent().empty());
}

TEST_F(AdapterPrincipalsTest, ServerRoles) {
  open();
  server_.on_pattern(kServerRole)
      .result({{"sid", "varbinary(85)", true},
               {"is_fixed_role", "bit", true},
               {"is_disabled", "bit", true},
               {"default_database_name", "sysname", true},
               {"default_language_name", "sysname", true},
               {"owning_principal", "sysname", true},
               {"credential", "sysname", true},
               {"create_date", "datetime"},
               {"modify_date", "datetime"}})
      .row({"0x02", "0", "0", nullopt, nullopt, "sa", nullopt, "2024-02-29", "2024-02-29"});
  server_.on_pattern(kServerRoleMembers)
      .result(kMemberColumns)
      .row({"ops", "Ann Lee"})
      .row({"sysadmin", "ops"});
  auto ops = role("ops", "server");
  ASSERT_EQ(fill(ops.get()), nullptr);
  EXPECT_EQ(attr(ops.get(), "MEMBERS"), "Ann Lee");
  EXPECT_EQ(attr(ops.get(), "ROLES"), "sysadmin");
  EXPECT_EQ(attr(ops.get(), "OWNER"), "sa");
  EXPECT_EQ(attr(ops.get(), "SID"), "0x02");
  expect_valid_tsql(build(ops.get()), "server role");

  server_.on_pattern(kServerRole).result({{"sid", "varbinary(85)", true}});
  auto gone = role("gone", "server");
  expect_not_found(fill(gone.get()), "Server role [gone] not found.");
}

// ---------------------------------------------------------------- matrix and relations

TEST_F(AdapterPrincipalsTest, PermissionNamesPerClass) {
  open();
  server_.on_pattern("fn_builtin_permissions\\(N'DATABASE'\\)")
      .result({{"permission_name", "nvarchar(60)", true}})
      .row({"ALTER"})
      .row({"CONNECT"});
  server_.on_pattern("fn_builtin_permissions\\(N'schema'\\)")
      .result({{"permission_name", "nvarchar(60)", true}})
      .row({"CONTROL"});
  server_.on_pattern("fn_builtin_permissions\\(N'NONE'\\)")
      .result({{"permission_name", "nvarchar(60)", true}});
  auto matrix = adoptGRef(gee_hash_map_new(
      G_TYPE_STRING, (GBoxedCopyFunc)g_strdup, g_free, G_TYPE_STRING, (GBoxedCopyFunc)g_strdup,
      g_free, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
  const gchar* classes[] = {"DATABASE", "schema", "NONE"};
  GError* error = nullptr;
  tarvex_brevane_contracts_database_iadaptable_load_privileges(
      adapter().get(), GEE_MAP(matrix.get()), const_cast<gchar**>(classes), 3, &error);
  ASSERT_EQ(error, nullptr) << error->message;
  auto get = [&](const char* key) {
    return take(static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(matrix.get()), key)));
  };
  EXPECT_EQ(get("DATABASE"), "ALTER,CONNECT");
  EXPECT_EQ(get("SCHEMA"), "CONTROL");
  EXPECT_EQ(get("NONE"), "");

  server_.on_pattern("fn_builtin_permissions").error(4121, 16, "Cannot find the function.");
  tarvex_brevane_contracts_database_iadaptable_load_privileges(
      adapter().get(), GEE_MAP(matrix.get()), const_cast<gchar**>(classes), 3, &error);
  expect_query_error(error, "Cannot find");
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_iadaptable_load_privileges(
                      adapter().get(), nullptr, const_cast<gchar**>(classes), 3, nullptr),
                  "matrix != NULL");
}

TEST_F(AdapterPrincipalsTest, RoleRelationsOfAUser) {
  open();
  server_.on_pattern(kRelations)
      .result(kMemberColumns)
      .row({"db_datareader", "bob"})
      .row({"db_owner", "bob"});
  auto* adapt = reinterpret_cast<TarvexBrevaneSupportsDatabaseSQLServerAdapter*>(adapter().get());
  auto bob = user("bob");
  GError* error = nullptr;
  tarvex_brevane_supports_database_sql_server_adapter_load_relation(adapt, bob.get(), &error);
  ASSERT_EQ(error, nullptr) << error->message;
  GeeHashMap* relations = tarvex_brevane_meta_model_meta_relation_get_relations(
      reinterpret_cast<MetaRelation*>(bob.get()));
  EXPECT_EQ(gee_abstract_map_get_size(GEE_ABSTRACT_MAP(relations)), 2);
  EXPECT_EQ(
      take(static_cast<gchar*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(relations), "db_owner=bob"))),
      "false");
  EXPECT_FALSE(is_filled(bob.get()));

  // A user in no role: nothing written, nothing reported.
  server_.on_pattern(kRelations).result(kMemberColumns);
  auto alone = user("alone");
  tarvex_brevane_supports_database_sql_server_adapter_load_relation(adapt, alone.get(), &error);
  ASSERT_EQ(error, nullptr);
  EXPECT_EQ(gee_abstract_map_get_size(
                GEE_ABSTRACT_MAP(tarvex_brevane_meta_model_meta_relation_get_relations(
                    reinterpret_cast<MetaRelation*>(alone.get())))),
            0);
  EXPECT_CRITICAL(
      tarvex_brevane_supports_database_sql_server_adapter_load_relation(adapt, nullptr, nullptr),
      "user != NULL");
}

// ---------------------------------------------------------------- version 10

TEST_F(AdapterPrincipalsTest, Version10UserWritesItsObjectList) {
  open("10.50.6000.34");
  script_principal_parts();
  server_.on_pattern(kUser)
      .result(kUserColumns)
      .row({"u", "S", "dbo", nullopt, "0x01", nullopt, "u", nullopt, nullopt, nullopt});
  server_.on_pattern(kObjectPermissions)
      .result(kObjectPermissionColumns)
      .row({"1", "OBJECT_OR_COLUMN", "U ", "dbo", "T", "a", "SELECT", "G", nullopt})
      .row({"1", "OBJECT_OR_COLUMN", "U ", "dbo", "T", "b", "SELECT", "G", nullopt})
      .row({"1", "OBJECT_OR_COLUMN", "U ", "dbo", "T", "b", "UPDATE", "G", nullopt});
  auto u = user("u");
  ASSERT_EQ(fill(u.get()), nullptr);
  EXPECT_EQ(attr(u.get(), "AUTHENTICATION"), "LOGIN");
  EXPECT_EQ(privilege(u.get(), "TABLE:dbo.T.a"), "SELECT=G");
  EXPECT_EQ(privilege(u.get(), "TABLE:dbo.T.b"), "SELECT=G,UPDATE=G");
  EXPECT_EQ(privilege(u.get(), "OBJECT"), "TABLE:dbo.T.a,TABLE:dbo.T.b");
  EXPECT_TRUE(sent_with("containment").empty());
  const std::string query = sent_with("sys.server_principals sp ON dp.sid");
  EXPECT_NE(query.find("NULL AS default_language_name"), std::string::npos) << query;
  EXPECT_NE(query.find("NULL AS allow_encrypted_value_modifications"), std::string::npos);
  EXPECT_FALSE(has_attr(u.get(), "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS"));
}

}  // namespace
}  // namespace tarvex::test::dialect
