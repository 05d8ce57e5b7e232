// Principals of the SQL Server builder (logins, users, roles, permissions of
// every securable class) and the patch dispatch of every object kind.
#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "common/tarvex-log-mask-private.h"
#include "tests/brevane/database/sqlserver/builder-test.h"

namespace tarvex::test {
namespace {

using enum tarvex::meta::ChangeCode;

class PrincipalBuilderTest : public OfflineBuilderTest {
 protected:
  std::string create(gpointer object) {
    return take(
        tarvex_brevane_contracts_database_ibuildable_build_create(ib(), META(object), FALSE));
  }
  std::string patch(gpointer object) {
    return take(
        tarvex_brevane_contracts_database_ibuildable_build_patch(ib(), META(object), FALSE));
  }
};

GRef<TarvexBrevaneMetaModelMetaUser> user(const char* name, const char* scope) {
  return adoptGRef(tarvex_brevane_meta_model_meta_user_new_with_names("db", "", name, scope));
}
GRef<TarvexBrevaneMetaModelMetaRole> role(const char* name, const char* scope) {
  return adoptGRef(tarvex_brevane_meta_model_meta_role_new_with_names("db", "", name, scope));
}
void set_privilege(gpointer p, const char* key, const char* value) {
  gee_abstract_map_set(GEE_ABSTRACT_MAP(tarvex_brevane_meta_model_meta_relation_get_privileges(
                           TARVEX_BREVANE_META_MODEL_META_RELATION(p))),
                       key, value);
}
void set_password(gpointer p, const char* password) {
  tarvex_brevane_meta_model_meta_relation_set_password(TARVEX_BREVANE_META_MODEL_META_RELATION(p),
                                                       password);
}
void old_value(gpointer p, const char* path, const char* value) {
  tarvex_brevane_meta_model_meta_object_append_slice(META(p), path, value);
}

// ------------------------------------------------------------ logins

TEST_F(PrincipalBuilderTest, Logins) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> attributes;
    const char* password;
    std::string expected;
  } cases[] = {
      {"password",
       {{"AUTHENTICATION", "PASSWORD"}, {"MUST_CHANGE", "true"}, {"CHECK_POLICY", "true"}},
       "p'w",
       "CREATE LOGIN [l] WITH PASSWORD = N'p''w' MUST_CHANGE, CHECK_POLICY = ON;\n"},
      {"must change as 1",
       {{"AUTHENTICATION", "PASSWORD"},
        {"MUST_CHANGE", "1"},
        {"CHECK_EXPIRATION", "1"},
        {"DEFAULT_DATABASE", "d]b"},
        {"SID", "0x1A2B"}},
       "x",
       "CREATE LOGIN [l] WITH PASSWORD = N'x' MUST_CHANGE, SID = 0x1A2B, DEFAULT_DATABASE = "
       "[d]]b], CHECK_EXPIRATION = ON;\n"},
      {"must change 0",
       {{"AUTHENTICATION", "PASSWORD"}, {"MUST_CHANGE", "0"}, {"SID", "1; x"}},
       "x",
       "CREATE LOGIN [l] WITH PASSWORD = N'x';\n"},
      {"windows", {{"AUTHENTICATION", "WINDOWS"}}, "", "CREATE LOGIN [l] FROM WINDOWS;\n"},
      {"windows with database",
       {{"AUTHENTICATION", "WINDOWS"}, {"DEFAULT_DATABASE", "d"}},
       "",
       "CREATE LOGIN [l] FROM WINDOWS WITH DEFAULT_DATABASE = [d];\n"},
      {"key",
       {{"AUTHENTICATION", "ASYMMETRIC KEY"}, {"ASYMMETRIC_KEY", "k]1"}},
       "",
       "CREATE LOGIN [l] FROM ASYMMETRIC KEY [k]]1];\n"},
      {"certificate",
       {{"AUTHENTICATION", "CERTIFICATE"}, {"CERTIFICATE", "c"}},
       "",
       "CREATE LOGIN [l] FROM CERTIFICATE [c];\n"},
      {"external",
       {{"AUTHENTICATION", "EXTERNAL"}},
       "",
       "CREATE LOGIN [l] FROM EXTERNAL PROVIDER;\n"},
      {"members and mapping",
       {{"AUTHENTICATION", "WINDOWS"},
        {"CREDENTIAL", "cr"},
        {"ROLES", "public,sysadmin"},
        {"MAPPING", "sales=bob=dbo"}},
       "",
       "CREATE LOGIN [l] FROM WINDOWS;\n"
       "ALTER LOGIN [l] ADD CREDENTIAL [cr];\n"
       "EXEC sp_addsrvrolemember @loginame = N'l', @rolename = N'sysadmin';\n"
       "EXEC [sales].sys.sp_executesql N'CREATE USER [bob] FOR LOGIN [l] WITH DEFAULT_SCHEMA = "
       "[dbo];';\n"},
  };
  std::vector<TsqlText> all;
  for (const auto& c : cases) {
    auto login = user("l", "server");
    for (const auto& [k, v] : c.attributes) set_attr(login.get(), k, v);
    set_password(login.get(), c.password);
    const std::string text = create(login.get());
    EXPECT_EQ(text, c.expected) << c.what;
    all.push_back({c.what, text});
  }
  // Server permissions are granted in master, without switching to it.
  auto login = user("o'l]", "server");
  set_attr(login.get(), "AUTHENTICATION", "WINDOWS");
  set_privilege(login.get(), "SERVER", "VIEW SERVER STATE=G,ALTER ANY LOGIN=W,SHUTDOWN=D,X; Y=G");
  set_privilege(login.get(), "ENDPOINT", "TSQL Default TCP");
  set_privilege(login.get(), "TSQL Default TCP", "CONNECT=G");
  const std::string text = create(login.get());
  EXPECT_EQ(
      text,
      "CREATE LOGIN [o'l]]] FROM WINDOWS;\n"
      "EXEC [master].sys.sp_executesql N'GRANT ALTER ANY LOGIN TO [o''l]]] WITH GRANT OPTION;\n"
      "GRANT VIEW SERVER STATE TO [o''l]]];\n"
      "DENY SHUTDOWN TO [o''l]]] CASCADE;\n"
      "GRANT CONNECT ON ENDPOINT::[TSQL Default TCP] TO [o''l]]];';\n");
  EXPECT_EQ(text.find("USE "), std::string::npos);
  all.push_back({"permissions", text});
  expect_valid_tsql(all);

  // The connection's log line shows no password.
  auto secret = user("l", "server");
  set_attr(secret.get(), "AUTHENTICATION", "PASSWORD");
  set_password(secret.get(), "s3cr'et");
  const std::string logged = tarvex::masked_for_log(create(secret.get()));
  EXPECT_EQ(logged.find("s3cr"), std::string::npos) << logged;
}

// ------------------------------------------------------------ users and roles

TEST_F(PrincipalBuilderTest, UsersAndRolesWithPermissions) {
  struct Names {
    const char* name;
    const char* b;
    const char* lit;
  } names[] = {{"bob", "[bob]", "N'bob'"}, {"o'b]\xC3\xA9", "[o'b]]\xC3\xA9]", "N'o''b]\xC3\xA9'"}};
  std::vector<TsqlText> all;
  for (const auto& n : names) {
    const std::string b = n.b, lit = n.lit;
    auto u = user(n.name, "");
    set_attr(u.get(), "AUTHENTICATION", "LOGIN");
    set_attr(u.get(), "LOGIN", "lg");
    set_attr(u.get(), "DEFAULT_SCHEMA", "dbo");
    set_attr(u.get(), "ROLES", "public,db_owner");
    set_attr(u.get(), "SCHEMATA", "s1");
    tarvex_brevane_meta_model_meta_object_set_comment(META(u.get()), "it's");
    set_privilege(u.get(), "DATABASE", "CONNECT=G");
    set_privilege(u.get(), "OBJECT",
                  "USER_TABLE:dbo.orders,USER_TABLE:dbo.orders.total,SCHEMA:sales.");
    set_privilege(u.get(), "USER_TABLE:dbo.orders", "SELECT=G,INSERT=G,DELETE=W,UPDATE=D");
    set_privilege(u.get(), "USER_TABLE:dbo.orders.total", "UPDATE=G");
    set_privilege(u.get(), "SCHEMA:sales.", "CONTROL=G");
    const std::string text = create(u.get());
    EXPECT_EQ(text, "CREATE USER " + b + " FOR LOGIN [lg] WITH DEFAULT_SCHEMA = [dbo];\n" +
                        "EXEC sp_addextendedproperty 'MS_Description', N'it''s', 'USER', " + lit +
                        ", NULL, NULL, NULL, NULL;\n" +
                        "EXEC sp_addrolemember @rolename = N'db_owner', @membername = " + lit +
                        ";\n" + "ALTER AUTHORIZATION ON SCHEMA::[s1] TO " + b + ";\n" +
                        "GRANT CONNECT TO " + b + ";\n" +
                        "GRANT DELETE ON OBJECT::[dbo].[orders] TO " + b + " WITH GRANT OPTION;\n" +
                        "GRANT SELECT, INSERT ON OBJECT::[dbo].[orders] TO " + b + ";\n" +
                        "DENY UPDATE ON OBJECT::[dbo].[orders] TO " + b + " CASCADE;\n" +
                        "GRANT UPDATE ON OBJECT::[dbo].[orders] ([total]) TO " + b + ";\n" +
                        "GRANT CONTROL ON SCHEMA::[sales] TO " + b + ";\n");
    all.push_back({b + " user", text});

    auto r = role(n.name, "database");
    set_attr(r.get(), "ROLES", "db_datareader");
    set_attr(r.get(), "MEMBERS", "u1");
    const std::string role_text = create(r.get());
    EXPECT_EQ(role_text,
              "CREATE ROLE " + b + ";\n" +
                  "EXEC sp_addrolemember @rolename = N'db_datareader', @membername = " + lit +
                  ";\n" + "EXEC sp_addrolemember @rolename = " + lit + ", @membername = N'u1';\n");
    all.push_back({b + " role", role_text});

    auto app = role(n.name, "application");
    set_password(app.get(), "pw'");
    set_attr(app.get(), "DEFAULT_SCHEMA", "s");
    const std::string app_text = create(app.get());
    EXPECT_EQ(app_text,
              "CREATE APPLICATION ROLE " + b + " WITH PASSWORD = N'pw''', DEFAULT_SCHEMA = [s];\n");
    all.push_back({b + " application role", app_text});

    auto server = role(n.name, "server");
    set_attr(server.get(), "OWNER", "sa");
    set_attr(server.get(), "MEMBERS", "l1");
    const std::string server_text = create(server.get());
    EXPECT_EQ(server_text, "CREATE SERVER ROLE " + b + " AUTHORIZATION [sa];\n" +
                               "EXEC sp_addsrvrolemember @loginame = N'l1', @rolename = " + lit +
                               ";\n");
    all.push_back({b + " server role", server_text});
  }
  auto plain = role("r", "");
  EXPECT_EQ(create(plain.get()), "CREATE ROLE [r];\n");
  auto contained = user("c", "");
  set_attr(contained.get(), "AUTHENTICATION", "PASSWORD");
  set_password(contained.get(), "pw");
  set_attr(contained.get(), "DEFAULT_SCHEMA", "s");
  set_attr(contained.get(), "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS", "false");
  EXPECT_EQ(create(contained.get()),
            "CREATE USER [c] WITH PASSWORD = N'pw', DEFAULT_SCHEMA = [s], "
            "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS = OFF;\n");
  auto loose = user("w", "");
  set_attr(loose.get(), "AUTHENTICATION", "WITHOUT LOGIN");
  EXPECT_EQ(create(loose.get()), "CREATE USER [w] WITHOUT LOGIN;\n");
  all.push_back({"contained", create(contained.get())});
  all.push_back({"without login", create(loose.get())});
  expect_valid_tsql(all);
}

// Every securable class the adapter keys, written in its own form: the
// text must name the securable, not only parse.
TEST_F(PrincipalBuilderTest, EachSecurableClassInItsOwnForm) {
  const struct {
    const char* key;
    const char* items;
    std::string expected;
  } cases[] = {
      {"USER:.alice", "IMPERSONATE=G", "GRANT IMPERSONATE ON USER::[alice] TO [bob];\n"},
      {"ROLE:.r]1", "ALTER=G", "GRANT ALTER ON ROLE::[r]]1] TO [bob];\n"},
      {"APPLICATION ROLE:.app", "ALTER=W",
       "GRANT ALTER ON APPLICATION ROLE::[app] TO [bob] WITH GRANT OPTION;\n"},
      {"ASSEMBLY:.asm1", "REFERENCES=G", "GRANT REFERENCES ON ASSEMBLY::[asm1] TO [bob];\n"},
      {"CERTIFICATE:.cert1", "CONTROL=D",
       "DENY CONTROL ON CERTIFICATE::[cert1] TO [bob] CASCADE;\n"},
      {"ASYMMETRIC KEY:.ak", "CONTROL=G", "GRANT CONTROL ON ASYMMETRIC KEY::[ak] TO [bob];\n"},
      {"SYMMETRIC KEY:.sk", "VIEW DEFINITION=G",
       "GRANT VIEW DEFINITION ON SYMMETRIC KEY::[sk] TO [bob];\n"},
      {"XML SCHEMA COLLECTION:dbo.xs", "REFERENCES=G",
       "GRANT REFERENCES ON XML SCHEMA COLLECTION::[dbo].[xs] TO [bob];\n"},
      {"FULLTEXT CATALOG:.ftc", "ALTER=G", "GRANT ALTER ON FULLTEXT CATALOG::[ftc] TO [bob];\n"},
      {"MESSAGE TYPE:.//shop/order", "REFERENCES=G",
       "GRANT REFERENCES ON MESSAGE TYPE::[//shop/order] TO [bob];\n"},
      {"CONTRACT:.//shop/c", "REFERENCES=G",
       "GRANT REFERENCES ON CONTRACT::[//shop/c] TO [bob];\n"},
      {"SERVICE:.//shop/s", "SEND=G", "GRANT SEND ON SERVICE::[//shop/s] TO [bob];\n"},
      {"REMOTE SERVICE BINDING:.rsb", "CONTROL=G",
       "GRANT CONTROL ON REMOTE SERVICE BINDING::[rsb] TO [bob];\n"},
      {"ROUTE:.rt", "CONTROL=G", "GRANT CONTROL ON ROUTE::[rt] TO [bob];\n"},
      {"TYPE:dbo.Money2", "REFERENCES=G", "GRANT REFERENCES ON TYPE::[dbo].[Money2] TO [bob];\n"},
      {"SCHEMA:sales.", "CONTROL=G", "GRANT CONTROL ON SCHEMA::[sales] TO [bob];\n"},
      {"TABLE:dbo.T", "SELECT=G", "GRANT SELECT ON OBJECT::[dbo].[T] TO [bob];\n"},
      {"TABLE:dbo.T.c", "UPDATE=D", "DENY UPDATE ON OBJECT::[dbo].[T] ([c]) TO [bob] CASCADE;\n"},
      {"PROCEDURE:dbo.usp", "EXECUTE=G", "GRANT EXECUTE ON OBJECT::[dbo].[usp] TO [bob];\n"},
      // An object type the adapter has no name for.
      {":dbo.seq", "UPDATE=G", "GRANT UPDATE ON OBJECT::[dbo].[seq] TO [bob];\n"},
      // A name holding dots, a quote and a bracket stays one name.
      {"CERTIFICATE:.c.e'r]t", "CONTROL=G", "GRANT CONTROL ON CERTIFICATE::[c.e'r]]t] TO [bob];\n"},
      {"USER:.Ann Lee", "IMPERSONATE=G", "GRANT IMPERSONATE ON USER::[Ann Lee] TO [bob];\n"},
  };
  std::vector<TsqlText> all;
  std::string list, expected_all;
  auto together = user("bob", "");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    auto u = user("bob", "");
    set_privilege(u.get(), "OBJECT", c.key);
    set_privilege(u.get(), c.key, c.items);
    const std::string text = create(u.get());
    EXPECT_EQ(text, "CREATE USER [bob];\n" + c.expected);
    all.push_back({c.key, text});
    list += std::string(list.empty() ? "" : ",") + c.key;
    set_privilege(together.get(), c.key, c.items);
    expected_all += c.expected;

    // Revoking the securable names it the same way.
    auto gone = user("bob", "");
    set_privilege(gone.get(), "OBJECT", "");
    set_diff(gone.get(), "privileges.OBJECT", kChanged);
    old_value(gone.get(), "privileges.OBJECT", c.key);
    old_value(gone.get(), (std::string("privileges.") + c.key).c_str(), c.items);
    const std::string revoke = patch(gone.get());
    const std::string on = c.expected.substr(c.expected.find(" ON "),
                                             c.expected.find(" TO ") - c.expected.find(" ON "));
    const std::string permission = c.expected.substr(
        c.expected.find(' ') + 1, c.expected.find(" ON ") - c.expected.find(' ') - 1);
    EXPECT_EQ(revoke, "REVOKE " + permission + on + " FROM [bob] CASCADE;\n");
    all.push_back({std::string("revoke ") + c.key, revoke});
  }
  set_privilege(together.get(), "OBJECT", list.c_str());
  EXPECT_EQ(create(together.get()), "CREATE USER [bob];\n" + expected_all);
  expect_valid_tsql(all);
}

// ------------------------------------------------------------ patches

TEST_F(PrincipalBuilderTest, PermissionPatches) {
  auto u = user("bob", "");
  // DATABASE: CONNECT stays, CREATE TABLE goes, ALTER from W to G, BACKUP new.
  set_privilege(u.get(), "DATABASE", "CONNECT=G,ALTER=G,BACKUP DATABASE=D");
  set_diff(u.get(), "privileges.DATABASE", kChanged);
  old_value(u.get(), "privileges.DATABASE", "CONNECT=G,CREATE TABLE=G,ALTER=W");
  // OBJECT: one securable removed with its items, one without, one added,
  // one changed.
  set_privilege(u.get(), "OBJECT", "USER_TABLE:dbo.kept,USER_TABLE:dbo.new");
  set_diff(u.get(), "privileges.OBJECT", kChanged);
  old_value(u.get(), "privileges.OBJECT",
            "USER_TABLE:dbo.kept,USER_TABLE:dbo.gone,USER_TABLE:dbo.bare");
  old_value(u.get(), "privileges.USER_TABLE:dbo.gone", "SELECT=G,INSERT=W");
  set_privilege(u.get(), "USER_TABLE:dbo.new", "SELECT=G");
  set_privilege(u.get(), "USER_TABLE:dbo.kept", "SELECT=G,UPDATE=D");
  set_diff(u.get(), "privileges.USER_TABLE:dbo.kept", kChanged);
  old_value(u.get(), "privileges.USER_TABLE:dbo.kept", "SELECT=W,DELETE=G");
  // Whole items: "owner" is not "db_owner".
  set_attr(u.get(), "ROLES", "db_owner");
  set_diff(u.get(), "attributes.ROLES", kChanged);
  old_value(u.get(), "attributes.ROLES", "owner");
  const std::string text = patch(u.get());
  EXPECT_EQ(text,
            "EXEC sp_droprolemember @rolename = N'owner', @membername = N'bob';\n"
            "EXEC sp_addrolemember @rolename = N'db_owner', @membername = N'bob';\n"
            "REVOKE CREATE TABLE FROM [bob] CASCADE;\n"
            "REVOKE GRANT OPTION FOR ALTER FROM [bob] CASCADE;\n"
            "DENY BACKUP DATABASE TO [bob] CASCADE;\n"
            "REVOKE SELECT, INSERT ON OBJECT::[dbo].[gone] FROM [bob] CASCADE;\n"
            "REVOKE ALL ON OBJECT::[dbo].[bare] FROM [bob] CASCADE;\n"
            "GRANT SELECT ON OBJECT::[dbo].[new] TO [bob];\n"
            "REVOKE DELETE ON OBJECT::[dbo].[kept] FROM [bob] CASCADE;\n"
            "REVOKE GRANT OPTION FOR SELECT ON OBJECT::[dbo].[kept] FROM [bob] CASCADE;\n"
            "DENY UPDATE ON OBJECT::[dbo].[kept] TO [bob] CASCADE;\n");
  expect_valid_tsql(text, "permission patch");
}

TEST_F(PrincipalBuilderTest, PrincipalPatches) {
  std::vector<TsqlText> all;
  auto u = user("new]", "");
  set_diff(u.get(), "name", kChanged);
  old_value(u.get(), "name", "old'");
  set_password(u.get(), "p'");
  set_diff(u.get(), "password", kChanged);
  set_attr(u.get(), "DEFAULT_SCHEMA", "s");
  set_diff(u.get(), "attributes.DEFAULT_SCHEMA", kChanged);
  set_attr(u.get(), "SCHEMATA", "a,c");
  set_diff(u.get(), "attributes.SCHEMATA", kChanged);
  old_value(u.get(), "attributes.SCHEMATA", "a,b");
  tarvex_brevane_meta_model_meta_object_set_comment(META(u.get()), "");
  set_diff(u.get(), "comment", kChanged);
  const std::string user_text = patch(u.get());
  EXPECT_EQ(user_text,
            "ALTER USER [old'] WITH NAME = [new]]], PASSWORD = N'p''', DEFAULT_SCHEMA = [s];\n"
            "EXEC sp_dropextendedproperty 'MS_Description', 'USER', N'new]', NULL, NULL, NULL, "
            "NULL;\n"
            "ALTER AUTHORIZATION ON SCHEMA::[b] TO [dbo];\n"
            "ALTER AUTHORIZATION ON SCHEMA::[c] TO [new]]];\n");
  all.push_back({"user", user_text});

  auto login = user("l", "server");
  set_password(login.get(), "x");
  set_diff(login.get(), "password", kChanged);
  set_attr(login.get(), "MUST_CHANGE", "1");
  set_diff(login.get(), "attributes.MUST_CHANGE", kChanged);
  set_attr(login.get(), "CHECK_POLICY", "false");
  set_diff(login.get(), "attributes.CHECK_POLICY", kChanged);
  set_attr(login.get(), "CREDENTIAL", "");
  set_diff(login.get(), "attributes.CREDENTIAL", kChanged);
  old_value(login.get(), "attributes.CREDENTIAL", "c1");
  set_attr(login.get(), "ROLES", "public,dbcreator");
  set_diff(login.get(), "attributes.ROLES", kChanged);
  old_value(login.get(), "attributes.ROLES", "public,sysadmin");
  set_privilege(login.get(), "SERVER", "VIEW SERVER STATE=G");
  set_diff(login.get(), "privileges.SERVER", kChanged);
  old_value(login.get(), "privileges.SERVER", "");
  const std::string login_text = patch(login.get());
  EXPECT_EQ(login_text,
            "ALTER LOGIN [l] WITH PASSWORD = N'x' MUST_CHANGE, CHECK_POLICY = OFF, NO CREDENTIAL;\n"
            "EXEC sp_dropsrvrolemember @loginame = N'l', @rolename = N'sysadmin';\n"
            "EXEC sp_addsrvrolemember @loginame = N'l', @rolename = N'dbcreator';\n"
            "EXEC [master].sys.sp_executesql N'GRANT VIEW SERVER STATE TO [l];';\n");
  all.push_back({"login", login_text});

  auto r = role("r2", "database");
  set_diff(r.get(), "name", kChanged);
  old_value(r.get(), "name", "r1");
  set_attr(r.get(), "OWNER", "dbo");
  set_diff(r.get(), "attributes.OWNER", kChanged);
  set_attr(r.get(), "MEMBERS", "u2");
  set_diff(r.get(), "attributes.MEMBERS", kChanged);
  old_value(r.get(), "attributes.MEMBERS", "u1");
  const std::string role_text = patch(r.get());
  EXPECT_EQ(role_text,
            "ALTER ROLE [r1] WITH NAME = [r2];\n"
            "ALTER AUTHORIZATION ON ROLE::[r2] TO [dbo];\n"
            "EXEC sp_droprolemember @rolename = N'r2', @membername = N'u1';\n"
            "EXEC sp_addrolemember @rolename = N'r2', @membername = N'u2';\n");
  all.push_back({"role", role_text});

  auto server = role("sr2", "server");
  set_diff(server.get(), "name", kChanged);
  old_value(server.get(), "name", "sr1");
  set_attr(server.get(), "MEMBERS", "");
  set_diff(server.get(), "attributes.MEMBERS", kChanged);
  old_value(server.get(), "attributes.MEMBERS", "l1");
  const std::string server_text = patch(server.get());
  EXPECT_EQ(server_text,
            "ALTER SERVER ROLE [sr1] WITH NAME = [sr2];\n"
            "EXEC sp_dropsrvrolemember @loginame = N'l1', @rolename = N'sr2';\n");
  all.push_back({"server role", server_text});

  auto app = role("a", "application");
  set_password(app.get(), "n");
  set_diff(app.get(), "password", kChanged);
  const std::string app_text = patch(app.get());
  EXPECT_EQ(app_text, "ALTER APPLICATION ROLE [a] WITH PASSWORD = N'n';\n");
  all.push_back({"application role", app_text});
  expect_valid_tsql(all);

  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_supports_database_sql_server_builder_patch_user(
                                builder.get(), nullptr),
                            nullptr),
                  "user != NULL");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_brevane_supports_database_sql_server_builder_patch_role(
                                builder.get(), nullptr),
                            nullptr),
                  "role != NULL");
}

// ------------------------------------------------------------ dispatch

TEST_F(PrincipalBuilderTest, PatchDispatch) {
  auto schema = adoptGRef(tarvex_brevane_meta_model_meta_schema_new_with_names("db", "s"));
  EXPECT_EQ(patch(schema.get()), "");
  auto column = adoptGRef(tarvex_brevane_meta_model_meta_column_new());
  EXPECT_EQ(patch(column.get()), "");
  auto event = adoptGRef(tarvex_brevane_meta_model_meta_event_new_with_names("db", "s", "e"));
  EXPECT_EQ(patch(event.get()), "");

  auto index = adoptGRef(tarvex_brevane_meta_model_meta_index_new_with_names("db", "s", "t", "ix"));
  tarvex_brevane_meta_model_meta_index_append(index.get(), "a ASC");
  set_attr(index.get(), "UNIQUE", "true");
  tarvex_brevane_meta_model_meta_index_set_is_clustered(index.get(), TRUE);
  const std::string index_text = patch(index.get());
  EXPECT_EQ(index_text,
            "DROP INDEX [ix] ON [s].[t];\n"
            "CREATE UNIQUE CLUSTERED INDEX [ix] ON [s].[t]( \n    [a] ASC\n);");

  auto trigger = adoptGRef(
      tarvex_brevane_meta_model_meta_trigger_new_with_body("db", "s", "tr", "SET NOCOUNT ON"));
  tarvex_brevane_meta_model_meta_trigger_set_target(trigger.get(), "t");
  tarvex_brevane_meta_model_meta_trigger_set_timing(trigger.get(), "AFTER");
  tarvex_brevane_meta_model_meta_trigger_set_event(trigger.get(), "INSERT");
  const std::string trigger_text = patch(trigger.get());
  EXPECT_EQ(trigger_text,
            "DROP TRIGGER IF EXISTS [s].[tr];\n"
            "GO\n"
            "CREATE TRIGGER [s].[tr] ON [s].[t] AFTER INSERT AS\nSET NOCOUNT ON;\n");

  auto synonym = adoptGRef(tarvex_brevane_meta_model_meta_synonym_new_with_names("db", "s", "sy"));
  tarvex_brevane_meta_model_meta_synonym_set_target(synonym.get(), "dbo.t");
  EXPECT_EQ(patch(synonym.get()),
            "DROP SYNONYM IF EXISTS [s].[sy];\nCREATE SYNONYM [s].[sy] FOR dbo.t;\n");

  auto procedure =
      adoptGRef(tarvex_brevane_meta_model_meta_procedure_new_with_names("db", "s", "p"));
  tarvex_brevane_meta_model_meta_routine_set_body(
      reinterpret_cast<TarvexBrevaneMetaModelMetaRoutine*>(procedure.get()), "SELECT 1");
  set_diff(procedure.get(), "body", kChanged);
  EXPECT_EQ(patch(procedure.get()), "ALTER PROCEDURE [s].[p]\nAS\nSELECT 1;\n");

  auto database = adoptGRef(tarvex_brevane_meta_model_meta_database_new_with_name("d"));
  set_attr(database.get(), "RECOVERY", "FULL");
  set_diff(database.get(), "attributes.RECOVERY", kChanged);
  EXPECT_EQ(patch(database.get()), "ALTER DATABASE [d] SET RECOVERY FULL;\n");

  auto table = adoptGRef(tarvex_brevane_meta_model_meta_table_new_with_names("db", "s", "t"));
  set_diff(table.get(), "columns.x", kDropped);
  EXPECT_NE(patch(table.get()).find("ALTER TABLE [s].[t] DROP COLUMN [x];"), std::string::npos);

  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_brevane_contracts_database_ibuildable_build_patch(ib(), nullptr, FALSE),
                nullptr),
      "meta_object != NULL");
  expect_valid_tsql({{"index", index_text}, {"trigger", trigger_text}});
}

// The patch of a routine reads its record and leaves it as it was: the same
// record gives the same text again (comment only, and comment with body).
TEST_F(PrincipalBuilderTest, RoutinePatchLeavesTheRecord) {
  auto procedure =
      adoptGRef(tarvex_brevane_meta_model_meta_procedure_new_with_names("db", "o'k", "p]q"));
  tarvex_brevane_meta_model_meta_routine_set_body(
      reinterpret_cast<TarvexBrevaneMetaModelMetaRoutine*>(procedure.get()), "SELECT 1");
  tarvex_brevane_meta_model_meta_object_set_comment(META(procedure.get()), "");
  set_diff(procedure.get(), "comment", kChanged);
  auto function = adoptGRef(tarvex_brevane_meta_model_meta_function_new_with_names("db", "s", "f"));
  tarvex_brevane_meta_model_meta_routine_set_body(
      reinterpret_cast<TarvexBrevaneMetaModelMetaRoutine*>(function.get()), "BEGIN RETURN 1; END");
  tarvex_brevane_meta_model_meta_object_set_comment(META(function.get()), "\xF0\x9F\x98\x80");
  set_diff(function.get(), "comment", kChanged);
  set_diff(function.get(), "body", kChanged);
  for (gpointer routine : {gpointer(procedure.get()), gpointer(function.get())}) {
    const int entries = diff_count(routine);
    const std::string first = patch(routine);
    EXPECT_NE(first, "");
    EXPECT_EQ(diff_count(routine), entries);
    EXPECT_TRUE(diff_contains(routine, "comment"));
    EXPECT_EQ(patch(routine), first);
  }
}

}  // namespace
}  // namespace tarvex::test
