// Principals of the SQL Server builder: logins, database users, database,
// application and server roles, their memberships, owned schemas, comments
// and permissions, created or patched from their change records.
//
// Privilege maps hold, per standard kind ("DATABASE", "SERVER") and per
// securable name, items "PERMISSION=STATE" (G granted, W with grant option,
// D denied); per securable kind ("OBJECT", "ENDPOINT", "LOGIN") the list of
// securable names. Parts that must run in another database go through that
// database's sp_executesql, so the session's database never changes.
#include <algorithm>
#include <cctype>
#include <iterator>

#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "common/tarvex-check-private.h"

namespace tarvex::dialect {

using Base = TarvexBrevaneSupportsDatabaseSqlBuilder;
using Relation = TarvexBrevaneMetaModelMetaRelation;

namespace {

Relation* relation(gpointer p) {
  return TARVEX_BREVANE_META_MODEL_META_RELATION(p);
}

std::string scope_of(gpointer p) {
  return str(tarvex_brevane_meta_model_meta_relation_get_scope(relation(p)));
}

std::string password_of(gpointer p) {
  return str(tarvex_brevane_meta_model_meta_relation_get_password(relation(p)));
}

std::optional<std::string> privilege(gpointer p, const std::string& key) {
  GeeHashMap* map = tarvex_brevane_meta_model_meta_relation_get_privileges(relation(p));
  if (!map || !gee_abstract_map_has_key(GEE_ABSTRACT_MAP(map), key.c_str())) return std::nullopt;
  GUniqueStr value(static_cast<char*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(map), key.c_str())));
  return str(value.get());
}

// The items of a comma-separated list, whole, blanks trimmed, empty ones
// left out.
std::vector<std::string> list_items(std::string_view list) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= list.size()) {
    size_t at = list.find(',', start);
    if (at == list.npos) at = list.size();
    std::string entry = trim(list.substr(start, at - start));
    if (!entry.empty()) out.push_back(entry);
    start = at + 1;
  }
  return out;
}

bool has(const std::vector<std::string>& list, const std::string& entry) {
  return std::find(list.begin(), list.end(), entry) != list.end();
}

// "1" and "true" both mean set.
bool flag(gpointer p, const char* key) {
  const std::string v = trim(attr(p, key).value_or(""));
  return v == "true" || v == "1";
}

std::string on_off(gpointer p, const char* key) {
  return flag(p, key) ? "ON" : "OFF";
}

std::string attribute(gpointer p, const char* key) {
  return attr(p, key).value_or("");
}

// A binary literal as a SID is written: 0x and hexadecimal digits.
bool is_binary_literal(std::string_view text) {
  return text.size() > 2 && (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X") &&
         std::all_of(text.begin() + 2, text.end(),
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

// Permission names are words of the server's list, written bare: anything
// else is not a permission and is left out.
bool is_permission(std::string_view name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == ' ' || c == '_';
  });
}

struct Item {
  std::string permission;
  char state = 0;
};

std::vector<Item> permission_items(std::string_view list) {
  std::vector<Item> out;
  for (const auto& entry : list_items(list)) {
    const size_t eq = entry.rfind('=');
    if (eq == std::string::npos || eq + 2 != entry.size()) continue;
    const std::string name = ascii_upper(trim(entry.substr(0, eq)));
    const char state = entry[eq + 1];
    if (!is_permission(name) || (state != 'G' && state != 'W' && state != 'D')) continue;
    out.push_back({name, state});
  }
  return out;
}

const Item* find_item(const std::vector<Item>& items, const std::string& permission) {
  for (const auto& i : items)
    if (i.permission == permission) return &i;
  return nullptr;
}

std::string join(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

// Securable classes that stand outside schemas; the adapter keys them
// "CLASS:.name" (an empty schema), and T-SQL names them "CLASS::[name]".
bool is_unscoped_class(const std::string& cls) {
  static const char* const classes[] = {
      "USER",         "ROLE",           "APPLICATION ROLE", "ASSEMBLY",
      "CERTIFICATE",  "ASYMMETRIC KEY", "SYMMETRIC KEY",    "FULLTEXT CATALOG",
      "MESSAGE TYPE", "CONTRACT",       "SERVICE",          "REMOTE SERVICE BINDING",
      "ROUTE"};
  return std::any_of(std::begin(classes), std::end(classes),
                     [&](const char* c) { return cls == c; });
}

// The ON clause of a securable. A key of the "OBJECT" list is
// "class:schema.object", "class:schema.object.column" (a column),
// "SCHEMA:schema." (the schema), "TYPE:schema.type", "XML SCHEMA
// COLLECTION:schema.collection" or "class:.name" for a class outside
// schemas; a class that names no securable class of its own is an object's
// type (TABLE, VIEW, ...). Keys of the other lists ("ENDPOINT", "LOGIN")
// are the securable's name.
std::string securable(const std::string& kind, const std::string& name) {
  if (kind != "OBJECT") return kind + "::" + sql::bracketed(name);
  const size_t colon = name.find(':');
  const std::string cls =
      ascii_upper(trim(colon == std::string::npos ? std::string() : name.substr(0, colon)));
  const std::string path = colon == std::string::npos ? name : name.substr(colon + 1);
  const size_t first = path.find('.');
  if (first == std::string::npos)
    return (is_unscoped_class(cls) ? cls : std::string("OBJECT")) + "::" + sql::bracketed(path);
  const std::string schema = path.substr(0, first);
  const std::string rest = path.substr(first + 1);
  // The name of a class outside schemas is all that follows the dot.
  if (is_unscoped_class(cls)) return cls + "::" + sql::bracketed(rest);
  if (cls == "SCHEMA" || rest.empty()) return "SCHEMA::" + sql::bracketed(schema);
  if (cls == "TYPE" || cls == "XML SCHEMA COLLECTION")
    return cls + "::" + sql::bracketed_two_part(schema, rest);
  const size_t second = rest.find('.');
  const std::string object = second == std::string::npos ? rest : rest.substr(0, second);
  std::string text = "OBJECT::" + sql::bracketed_two_part(schema, object);
  if (second != std::string::npos) text += " (" + sql::bracketed(rest.substr(second + 1)) + ")";
  return text;
}

struct Lists {
  std::vector<std::string> revoke, revoke_grant_option, grant, with_grant, deny;
};

// `on` is "" for a standard kind, else " ON <securable>".
std::string statements(const Lists& l, const std::string& on, const std::string& principal,
                       bool standard) {
  const std::string to = sql::bracketed(principal);
  std::string text;
  if (!l.revoke.empty()) text += "REVOKE " + join(l.revoke) + on + " FROM " + to + " CASCADE;\n";
  if (!l.revoke_grant_option.empty())
    text += "REVOKE GRANT OPTION FOR " + join(l.revoke_grant_option) + on + " FROM " + to +
            " CASCADE;\n";
  const std::string deny =
      l.deny.empty() ? std::string() : "DENY " + join(l.deny) + on + " TO " + to + " CASCADE;\n";
  const std::string grant =
      l.grant.empty() ? std::string() : "GRANT " + join(l.grant) + on + " TO " + to + ";\n";
  const std::string with_grant = l.with_grant.empty() ? std::string()
                                                      : "GRANT " + join(l.with_grant) + on +
                                                            " TO " + to + " WITH GRANT OPTION;\n";
  text += standard ? deny + grant + with_grant : grant + with_grant + deny;
  return text;
}

Lists grants_of(const std::vector<Item>& items) {
  Lists l;
  for (const auto& i : items) {
    if (i.state == 'W') l.with_grant.push_back(i.permission);
    if (i.state == 'G') l.grant.push_back(i.permission);
    if (i.state == 'D') l.deny.push_back(i.permission);
  }
  return l;
}

// The statements that make the old items the new ones.
Lists changes_of(const std::vector<Item>& before, const std::vector<Item>& now) {
  Lists l;
  for (const auto& old : before)
    if (!find_item(now, old.permission)) l.revoke.push_back(old.permission);
  for (const auto& item : now) {
    const Item* old = find_item(before, item.permission);
    if (old && old->state == item.state) continue;
    if (item.state == 'D')
      l.deny.push_back(item.permission);
    else if (item.state == 'W')
      l.with_grant.push_back(item.permission);
    else if (old && old->state == 'W')
      l.revoke_grant_option.push_back(item.permission);
    else
      l.grant.push_back(item.permission);
  }
  return l;
}

std::string build_standard_permission_sql(gpointer p, const std::string& kind) {
  const Lists l = grants_of(permission_items(privilege(p, kind).value_or("")));
  // Granting writes W, G, D.
  std::string text;
  const std::string to = sql::bracketed(name_of(p));
  if (!l.with_grant.empty())
    text += "GRANT " + join(l.with_grant) + " TO " + to + " WITH GRANT OPTION;\n";
  if (!l.grant.empty()) text += "GRANT " + join(l.grant) + " TO " + to + ";\n";
  if (!l.deny.empty()) text += "DENY " + join(l.deny) + " TO " + to + " CASCADE;\n";
  return text;
}

std::string build_permission_sql(gpointer p, const std::string& kind, const std::string& name) {
  const Lists l = grants_of(permission_items(privilege(p, name).value_or("")));
  const std::string on = " ON " + securable(kind, name);
  const std::string to = sql::bracketed(name_of(p));
  std::string text;
  if (!l.with_grant.empty())
    text += "GRANT " + join(l.with_grant) + on + " TO " + to + " WITH GRANT OPTION;\n";
  if (!l.grant.empty()) text += "GRANT " + join(l.grant) + on + " TO " + to + ";\n";
  if (!l.deny.empty()) text += "DENY " + join(l.deny) + on + " TO " + to + " CASCADE;\n";
  return text;
}

std::string build_dynamic_permission_sql(gpointer p, const std::string& kind) {
  std::string text;
  for (const auto& name : list_items(privilege(p, kind).value_or("")))
    text += build_permission_sql(p, kind, name);
  return text;
}

std::string patch_standard_permission_sql(gpointer p, const std::string& kind) {
  const std::string path = "privileges." + kind;
  if (!diff_has(p, path)) return {};
  const auto before = permission_items(slice_of(p, path).value_or(""));
  const auto now = permission_items(privilege(p, kind).value_or(""));
  return statements(changes_of(before, now), "", name_of(p), true);
}

std::string patch_dynamic_permission_sql(gpointer p, const std::string& kind) {
  const std::string path = "privileges." + kind;
  std::string text;
  const auto now = list_items(privilege(p, kind).value_or(""));
  if (diff_has(p, path)) {
    const auto before = list_items(slice_of(p, path).value_or(""));
    for (const auto& name : before) {
      if (has(now, name)) continue;
      std::vector<std::string> names;
      for (const auto& i : permission_items(slice_of(p, "privileges." + name).value_or("")))
        names.push_back(i.permission);
      text += "REVOKE " + (names.empty() ? std::string("ALL") : join(names)) + " ON " +
              securable(kind, name) + " FROM " + sql::bracketed(name_of(p)) + " CASCADE;\n";
    }
    for (const auto& name : now)
      if (!has(before, name)) text += build_permission_sql(p, kind, name);
    for (const auto& name : now) {
      if (!has(before, name) || !diff_has(p, "privileges." + name)) continue;
      const auto old_items = permission_items(slice_of(p, "privileges." + name).value_or(""));
      const auto new_items = permission_items(privilege(p, name).value_or(""));
      text += statements(changes_of(old_items, new_items), " ON " + securable(kind, name),
                         name_of(p), false);
    }
  } else {
    for (const auto& name : now) {
      if (!diff_has(p, "privileges." + name)) continue;
      const auto old_items = permission_items(slice_of(p, "privileges." + name).value_or(""));
      const auto new_items = permission_items(privilege(p, name).value_or(""));
      text += statements(changes_of(old_items, new_items), " ON " + securable(kind, name),
                         name_of(p), false);
    }
  }
  return text;
}

// Statements run in another database without switching the session to it.
std::string in_database(const std::string& database, const std::string& text) {
  if (text.empty()) return {};
  std::string body = text;
  while (!body.empty() && body.back() == '\n') body.pop_back();
  const std::string procedure = sql::bracketed(database) + ".sys.sp_executesql";
  if (!one_constant(body)) return dynamic_batch(body, procedure);
  return "EXEC " + procedure + " " + sql::nliteral(body) + ";\n";
}

// A statement holding passwords: where a password's literal would not be
// one constant, the statement (with the password as a plain constant, which
// no tool splits inside sp_executesql) runs from a variable.
struct Passwords {
  bool dynamic = false;
  std::string operator()(const std::string& password) {
    if (one_constant(password)) return sql::nliteral(password);
    dynamic = true;
    return inner_constant(password);
  }
  std::string statement(const std::string& text) const {
    return dynamic ? dynamic_batch(text) : text;
  }
};

// The comment of a database principal.
std::string user_comment_add(gpointer p) {
  const std::string comment = comment_of(p);
  if (comment.empty()) return {};
  return with_constants({comment, name_of(p)}, [](const std::vector<std::string>& a) {
    return "EXEC sp_addextendedproperty 'MS_Description', " + a[0] + ", 'USER', " + a[1] +
           ", NULL, NULL, NULL, NULL;\n";
  });
}

std::string user_comment_patch(gpointer p) {
  if (!diff_has(p, "comment")) return {};
  const std::string comment = comment_of(p);
  if (comment.empty())
    return with_constants({name_of(p)}, [](const std::vector<std::string>& a) {
      return "EXEC sp_dropextendedproperty 'MS_Description', 'USER', " + a[0] +
             ", NULL, NULL, NULL, NULL;\n";
    });
  return with_constants({comment, name_of(p)}, [](const std::vector<std::string>& a) {
    const std::string args = a[0] + ", 'USER', " + a[1] + ", NULL, NULL, NULL, NULL";
    return "IF ((SELECT COUNT(*) FROM ::fn_listextendedproperty('MS_Description', 'USER', " + a[1] +
           ", NULL, NULL, NULL, NULL)) > 0)\n" +
           "\tEXEC sp_updateextendedproperty 'MS_Description', " + args + "\n" + "ELSE\n" +
           "\tEXEC sp_addextendedproperty 'MS_Description', " + args + ";\n";
  });
}

// Items removed from and added to a list attribute.
template <typename Drop, typename Add>
std::string list_patch(gpointer p, const char* key, Drop drop, Add add) {
  const std::string path = std::string("attributes.") + key;
  if (!diff_has(p, path)) return {};
  const auto before = list_items(slice_of(p, path).value_or(""));
  const auto now = list_items(attribute(p, key));
  std::string text;
  for (const auto& item : before)
    if (!has(now, item)) text += drop(item);
  for (const auto& item : now)
    if (!has(before, item)) text += add(item);
  return text;
}

std::string schema_owner(const std::string& schema, const std::string& owner) {
  return "ALTER AUTHORIZATION ON SCHEMA::" + sql::bracketed(schema) + " TO " +
         sql::bracketed(owner) + ";\n";
}

// "EXEC procedure @first = ..., @second = ...;" with constant arguments.
std::string member_call(const char* procedure, const char* first, const std::string& a,
                        const char* second, const std::string& b) {
  return with_constants({a, b}, [&](const std::vector<std::string>& v) {
    return std::string("EXEC ") + procedure + " " + first + " = " + v[0] + ", " + second + " = " +
           v[1] + ";\n";
  });
}

std::string add_role_member(const std::string& role, const std::string& member) {
  return member_call("sp_addrolemember", "@rolename", role, "@membername", member);
}
std::string drop_role_member(const std::string& role, const std::string& member) {
  return member_call("sp_droprolemember", "@rolename", role, "@membername", member);
}
std::string add_server_member(const std::string& login, const std::string& role) {
  return member_call("sp_addsrvrolemember", "@loginame", login, "@rolename", role);
}
std::string drop_server_member(const std::string& login, const std::string& role) {
  return member_call("sp_dropsrvrolemember", "@loginame", login, "@rolename", role);
}

std::string key_name(gpointer p) {
  auto key = attr(p, "ASYMMETRIC_KEY");
  if (!key || key->empty()) key = attr(p, "ASYMMETRIC KEY");
  return key.value_or("");
}

// ------------------------------------------------------------ creation

std::string login_permissions(gpointer p) {
  return build_standard_permission_sql(p, "SERVER") + build_dynamic_permission_sql(p, "ENDPOINT") +
         build_dynamic_permission_sql(p, "LOGIN");
}

std::string build_meta_login(gpointer p) {
  const std::string name = name_of(p);
  std::string text = "CREATE LOGIN " + sql::bracketed(name);
  Passwords passwords;
  const std::string authentication = ascii_upper(trim(attribute(p, "AUTHENTICATION")));
  if (authentication == "PASSWORD") {
    std::string with = "PASSWORD = " + passwords(password_of(p));
    with += flag(p, "MUST_CHANGE") ? " MUST_CHANGE, " : ", ";
    if (const std::string sid = trim(attribute(p, "SID")); is_binary_literal(sid))
      with += "SID = " + sid + ", ";
    if (const std::string v = attribute(p, "DEFAULT_DATABASE"); !v.empty())
      with += "DEFAULT_DATABASE = " + sql::bracketed(v) + ", ";
    if (const std::string v = attribute(p, "DEFAULT_LANGUAGE"); !v.empty())
      with += "DEFAULT_LANGUAGE = " + sql::bracketed(v) + ", ";
    if (attr(p, "CHECK_EXPIRATION"))
      with += "CHECK_EXPIRATION = " + on_off(p, "CHECK_EXPIRATION") + ", ";
    if (attr(p, "CHECK_POLICY")) with += "CHECK_POLICY = " + on_off(p, "CHECK_POLICY") + ", ";
    with.resize(with.size() - 2);
    text += " WITH " + with;
  } else if (authentication == "WINDOWS") {
    std::string with;
    if (const std::string v = attribute(p, "DEFAULT_DATABASE"); !v.empty())
      with += "DEFAULT_DATABASE = " + sql::bracketed(v) + ", ";
    if (const std::string v = attribute(p, "DEFAULT_LANGUAGE"); !v.empty())
      with += "DEFAULT_LANGUAGE = " + sql::bracketed(v) + ", ";
    text += " FROM WINDOWS";
    if (!with.empty()) {
      with.resize(with.size() - 2);
      text += " WITH " + with;
    }
  } else if (authentication == "EXTERNAL") {
    text += " FROM EXTERNAL PROVIDER";
  } else if (authentication == "ASYMMETRIC KEY" || authentication == "ASYMMETRIC_KEY") {
    text += " FROM ASYMMETRIC KEY " + sql::bracketed(key_name(p));
  } else if (authentication == "CERTIFICATE") {
    text += " FROM CERTIFICATE " + sql::bracketed(attribute(p, "CERTIFICATE"));
  }
  text = passwords.statement(text + ";\n");
  for (const auto& credential : list_items(attribute(p, "CREDENTIAL")))
    text += "ALTER LOGIN " + sql::bracketed(name) + " ADD CREDENTIAL " +
            sql::bracketed(credential) + ";\n";
  for (const auto& role : list_items(attribute(p, "ROLES")))
    if (role != "public") text += add_server_member(name, role);
  for (const auto& mapping : list_items(attribute(p, "MAPPING"))) {
    const auto parts = split_at(mapping, '=');
    if (parts.size() < 2 || parts[0].empty() || parts[1].empty()) continue;
    std::string create =
        "CREATE USER " + sql::bracketed(parts[1]) + " FOR LOGIN " + sql::bracketed(name);
    if (parts.size() > 2 && !parts[2].empty())
      create += " WITH DEFAULT_SCHEMA = " + sql::bracketed(parts[2]);
    text += in_database(parts[0], create + ";");
  }
  // Server permissions are granted in master.
  text += in_database("master", login_permissions(p));
  return text;
}

std::string build_meta_user(gpointer p) {
  const std::string name = name_of(p);
  std::string text = "CREATE USER " + sql::bracketed(name);
  Passwords passwords;
  const std::string authentication = ascii_upper(trim(attribute(p, "AUTHENTICATION")));
  std::string o1;
  if (const std::string v = attribute(p, "DEFAULT_SCHEMA"); !v.empty())
    o1 += "DEFAULT_SCHEMA = " + sql::bracketed(v) + ", ";
  const std::string encrypted = attr(p, "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS")
                                    ? "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS = " +
                                          on_off(p, "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS") + ", "
                                    : std::string();
  std::string o2 = o1;
  if (const std::string v = attribute(p, "DEFAULT_LANGUAGE"); !v.empty())
    o2 += "DEFAULT_LANGUAGE = " + sql::bracketed(v) + ", ";
  if (const std::string sid = trim(attribute(p, "SID")); is_binary_literal(sid))
    o2 += "SID = " + sid + ", ";
  o1 += encrypted;
  o2 += encrypted;
  auto less = [](std::string s) {
    if (s.size() >= 2) s.resize(s.size() - 2);
    return s;
  };
  if (authentication == "LOGIN") {
    std::string login = attribute(p, "LOGIN");
    if (login.empty()) login = name;
    text += " FOR LOGIN " + sql::bracketed(login);
    if (!o1.empty()) text += " WITH " + less(o1);
  } else if (authentication == "WITHOUT LOGIN") {
    text += " WITHOUT LOGIN";
    if (!o1.empty()) text += " WITH " + less(o1);
  } else if (authentication == "ASYMMETRIC KEY" || authentication == "ASYMMETRIC_KEY") {
    text += " FOR ASYMMETRIC KEY " + sql::bracketed(key_name(p));
  } else if (authentication == "CERTIFICATE") {
    text += " FOR CERTIFICATE " + sql::bracketed(attribute(p, "CERTIFICATE"));
  } else if (authentication == "WINDOWS") {
    if (!o2.empty()) text += " WITH " + less(o2);
  } else if (authentication == "PASSWORD") {
    text += " WITH PASSWORD = " + passwords(password_of(p));
    if (!o2.empty()) text += ", " + less(o2);
  } else if (authentication == "EXTERNAL") {
    text += " FROM EXTERNAL PROVIDER";
  }
  text = passwords.statement(text + ";\n");
  text += user_comment_add(p);
  for (const auto& role : list_items(attribute(p, "ROLES")))
    if (role != "public") text += add_role_member(role, name);
  for (const auto& schema : list_items(attribute(p, "SCHEMATA")))
    text += schema_owner(schema, name);
  text += build_standard_permission_sql(p, "DATABASE") + build_dynamic_permission_sql(p, "OBJECT");
  return text;
}

std::string build_role_database(gpointer p) {
  const std::string name = name_of(p);
  std::string text = "CREATE ROLE " + sql::bracketed(name);
  if (const std::string owner = attribute(p, "OWNER"); !owner.empty())
    text += " AUTHORIZATION " + sql::bracketed(owner);
  text += ";\n" + user_comment_add(p);
  for (const auto& role : list_items(attribute(p, "ROLES")))
    if (role != "public") text += add_role_member(role, name);
  for (const auto& member : list_items(attribute(p, "MEMBERS")))
    text += add_role_member(name, member);
  for (const auto& schema : list_items(attribute(p, "SCHEMATA")))
    text += schema_owner(schema, name);
  return text + build_standard_permission_sql(p, "DATABASE") +
         build_dynamic_permission_sql(p, "OBJECT");
}

std::string build_role_application(gpointer p) {
  const std::string name = name_of(p);
  Passwords passwords;
  std::string text = "CREATE APPLICATION ROLE " + sql::bracketed(name) +
                     " WITH PASSWORD = " + passwords(password_of(p));
  if (const std::string v = attribute(p, "DEFAULT_SCHEMA"); !v.empty())
    text += ", DEFAULT_SCHEMA = " + sql::bracketed(v);
  text = passwords.statement(text + ";\n") + user_comment_add(p);
  for (const auto& schema : list_items(attribute(p, "SCHEMATA")))
    text += schema_owner(schema, name);
  return text + build_standard_permission_sql(p, "DATABASE") +
         build_dynamic_permission_sql(p, "OBJECT");
}

std::string build_role_server(gpointer p) {
  const std::string name = name_of(p);
  std::string text = "CREATE SERVER ROLE " + sql::bracketed(name);
  if (const std::string owner = attribute(p, "OWNER"); !owner.empty())
    text += " AUTHORIZATION " + sql::bracketed(owner);
  text += ";\n";
  for (const auto& member : list_items(attribute(p, "MEMBERS")))
    text += add_server_member(member, name);
  return text;
}

// ------------------------------------------------------------ patches

// The name the server knows the principal by.
std::string current_name(gpointer p) {
  if (diff_has(p, "name")) {
    const std::string old = slice_of(p, "name").value_or("");
    if (!old.empty()) return old;
  }
  return name_of(p);
}

std::string database_permission_patch(gpointer p) {
  return patch_standard_permission_sql(p, "DATABASE") + patch_dynamic_permission_sql(p, "OBJECT");
}

std::string patch_meta_user(gpointer p) {
  const std::string name = name_of(p);
  std::string with;
  Passwords passwords;
  if (diff_has(p, "name")) with += "NAME = " + sql::bracketed(name) + ", ";
  if (diff_has(p, "password")) {
    with += "PASSWORD = " + passwords(password_of(p));
    if (diff_has(p, "attributes.OLD_PASSWORD"))
      with += " OLD_PASSWORD = " + passwords(attribute(p, "OLD_PASSWORD"));
    with += ", ";
  }
  if (diff_has(p, "attributes.LOGIN") && !attribute(p, "LOGIN").empty())
    with += "LOGIN = " + sql::bracketed(attribute(p, "LOGIN")) + ", ";
  if (diff_has(p, "attributes.DEFAULT_SCHEMA"))
    with +=
        "DEFAULT_SCHEMA = " +
        (attribute(p, "DEFAULT_SCHEMA").empty() ? std::string("NULL")
                                                : sql::bracketed(attribute(p, "DEFAULT_SCHEMA"))) +
        ", ";
  if (diff_has(p, "attributes.DEFAULT_LANGUAGE"))
    with += "DEFAULT_LANGUAGE = " +
            (attribute(p, "DEFAULT_LANGUAGE").empty()
                 ? std::string("NONE")
                 : sql::bracketed(attribute(p, "DEFAULT_LANGUAGE"))) +
            ", ";
  if (diff_has(p, "attributes.ALLOW_ENCRYPTED_VALUE_MODIFICATIONS"))
    with += "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS = " +
            on_off(p, "ALLOW_ENCRYPTED_VALUE_MODIFICATIONS") + ", ";
  std::string text;
  if (!with.empty()) {
    with.resize(with.size() - 2);
    text += passwords.statement("ALTER USER " + sql::bracketed(current_name(p)) + " WITH " + with +
                                ";\n");
  }
  text += user_comment_patch(p);
  text += list_patch(
      p, "ROLES", [&](const std::string& r) { return drop_role_member(r, name); },
      [&](const std::string& r) {
        return r == "public" ? std::string() : add_role_member(r, name);
      });
  text += list_patch(
      p, "SCHEMATA", [&](const std::string& s) { return schema_owner(s, "dbo"); },
      [&](const std::string& s) { return schema_owner(s, name); });
  return text + database_permission_patch(p);
}

std::string patch_meta_login(gpointer p) {
  const std::string name = name_of(p);
  std::string with;
  Passwords passwords;
  if (diff_has(p, "name")) with += "NAME = " + sql::bracketed(name) + ", ";
  if (diff_has(p, "password")) {
    with += "PASSWORD = " + passwords(password_of(p));
    if (diff_has(p, "attributes.MUST_CHANGE") && flag(p, "MUST_CHANGE")) with += " MUST_CHANGE";
    with += ", ";
  }
  if (diff_has(p, "attributes.DEFAULT_DATABASE") && !attribute(p, "DEFAULT_DATABASE").empty())
    with += "DEFAULT_DATABASE = " + sql::bracketed(attribute(p, "DEFAULT_DATABASE")) + ", ";
  if (diff_has(p, "attributes.DEFAULT_LANGUAGE") && !attribute(p, "DEFAULT_LANGUAGE").empty())
    with += "DEFAULT_LANGUAGE = " + sql::bracketed(attribute(p, "DEFAULT_LANGUAGE")) + ", ";
  if (diff_has(p, "attributes.CHECK_POLICY"))
    with += "CHECK_POLICY = " + on_off(p, "CHECK_POLICY") + ", ";
  if (diff_has(p, "attributes.CHECK_EXPIRATION"))
    with += "CHECK_EXPIRATION = " + on_off(p, "CHECK_EXPIRATION") + ", ";
  const auto credentials = list_items(attribute(p, "CREDENTIAL"));
  const bool several = credentials.size() > 1 ||
                       list_items(slice_of(p, "attributes.CREDENTIAL").value_or("")).size() > 1;
  if (diff_has(p, "attributes.CREDENTIAL") && !several)
    with += credentials.empty() ? std::string("NO CREDENTIAL, ")
                                : "CREDENTIAL = " + sql::bracketed(credentials[0]) + ", ";
  std::string text;
  if (!with.empty()) {
    with.resize(with.size() - 2);
    text += passwords.statement("ALTER LOGIN " + sql::bracketed(current_name(p)) + " WITH " + with +
                                ";\n");
  }
  if (several)
    text += list_patch(
        p, "CREDENTIAL",
        [&](const std::string& c) {
          return "ALTER LOGIN " + sql::bracketed(name) + " DROP CREDENTIAL " + sql::bracketed(c) +
                 ";\n";
        },
        [&](const std::string& c) {
          return "ALTER LOGIN " + sql::bracketed(name) + " ADD CREDENTIAL " + sql::bracketed(c) +
                 ";\n";
        });
  text += list_patch(
      p, "ROLES",
      [&](const std::string& r) {
        return r == "public" ? std::string() : drop_server_member(name, r);
      },
      [&](const std::string& r) {
        return r == "public" ? std::string() : add_server_member(name, r);
      });
  text += in_database("master", patch_standard_permission_sql(p, "SERVER") +
                                    patch_dynamic_permission_sql(p, "ENDPOINT") +
                                    patch_dynamic_permission_sql(p, "LOGIN"));
  return text;
}

std::string patch_role_database(gpointer p) {
  const std::string name = name_of(p);
  std::string text;
  if (diff_has(p, "name") && current_name(p) != name)
    text += "ALTER ROLE " + sql::bracketed(current_name(p)) +
            " WITH NAME = " + sql::bracketed(name) + ";\n";
  text += user_comment_patch(p);
  if (diff_has(p, "attributes.OWNER") && !attribute(p, "OWNER").empty())
    text += "ALTER AUTHORIZATION ON ROLE::" + sql::bracketed(name) + " TO " +
            sql::bracketed(attribute(p, "OWNER")) + ";\n";
  text += list_patch(
      p, "ROLES", [&](const std::string& r) { return drop_role_member(r, name); },
      [&](const std::string& r) {
        return r == "public" ? std::string() : add_role_member(r, name);
      });
  text += list_patch(
      p, "MEMBERS", [&](const std::string& m) { return drop_role_member(name, m); },
      [&](const std::string& m) { return add_role_member(name, m); });
  text += list_patch(
      p, "SCHEMATA", [&](const std::string& s) { return schema_owner(s, "dbo"); },
      [&](const std::string& s) { return schema_owner(s, name); });
  return text + database_permission_patch(p);
}

std::string patch_role_application(gpointer p) {
  const std::string name = name_of(p);
  std::string with;
  Passwords passwords;
  if (diff_has(p, "name")) with += "NAME = " + sql::bracketed(name) + ", ";
  if (diff_has(p, "password")) with += "PASSWORD = " + passwords(password_of(p)) + ", ";
  if (diff_has(p, "attributes.DEFAULT_SCHEMA") && !attribute(p, "DEFAULT_SCHEMA").empty())
    with += "DEFAULT_SCHEMA = " + sql::bracketed(attribute(p, "DEFAULT_SCHEMA")) + ", ";
  std::string text;
  if (!with.empty()) {
    with.resize(with.size() - 2);
    text += passwords.statement("ALTER APPLICATION ROLE " + sql::bracketed(current_name(p)) +
                                " WITH " + with + ";\n");
  }
  text += user_comment_patch(p);
  text += list_patch(
      p, "SCHEMATA", [&](const std::string& s) { return schema_owner(s, "dbo"); },
      [&](const std::string& s) { return schema_owner(s, name); });
  return text + database_permission_patch(p);
}

std::string patch_role_server(gpointer p) {
  const std::string name = name_of(p);
  std::string text;
  if (diff_has(p, "name") && current_name(p) != name)
    text += "ALTER SERVER ROLE " + sql::bracketed(current_name(p)) +
            " WITH NAME = " + sql::bracketed(name) + ";\n";
  if (diff_has(p, "attributes.OWNER") && !attribute(p, "OWNER").empty())
    text += "ALTER AUTHORIZATION ON SERVER ROLE::" + sql::bracketed(name) + " TO " +
            sql::bracketed(attribute(p, "OWNER")) + ";\n";
  text += list_patch(
      p, "MEMBERS", [&](const std::string& m) { return drop_server_member(m, name); },
      [&](const std::string& m) { return add_server_member(m, name); });
  return text;
}

}  // namespace

std::vector<std::string> split_at(std::string_view text, char separator) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(separator, start);
    out.push_back(trim(text.substr(start, at == text.npos ? text.npos : at - start)));
    if (at == text.npos) return out;
    start = at + 1;
  }
}

gchar* build_user(Base*, TarvexBrevaneMetaModelMetaUser* user) {
  g_return_val_if_fail(user != NULL, nullptr);
  return dup(scope_of(user) == "server" ? build_meta_login(user) : build_meta_user(user));
}

gchar* build_role(Base*, TarvexBrevaneMetaModelMetaRole* role) {
  g_return_val_if_fail(role != NULL, nullptr);
  const std::string scope = scope_of(role);
  if (scope == "server") return dup(build_role_server(role));
  if (scope == "application") return dup(build_role_application(role));
  return dup(build_role_database(role));
}

std::string patch_user_text(TarvexBrevaneMetaModelMetaUser* user) {
  return scope_of(user) == "server" ? patch_meta_login(user) : patch_meta_user(user);
}

std::string patch_role_text(TarvexBrevaneMetaModelMetaRole* role) {
  const std::string scope = scope_of(role);
  if (scope == "server") return patch_role_server(role);
  if (scope == "application") return patch_role_application(role);
  return patch_role_database(role);
}

}  // namespace tarvex::dialect

using namespace tarvex::dialect;

gchar* tarvex_brevane_supports_database_sql_server_builder_patch_user(
    TarvexBrevaneSupportsDatabaseSQLServerBuilder* self, TarvexBrevaneMetaModelMetaUser* user) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_BUILDER(self),
                                 "self != NULL", nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_META_MODEL_IS_META_USER(user), "user != NULL",
                                 nullptr);
  return tarvex::dup(patch_user_text(user));
}

gchar* tarvex_brevane_supports_database_sql_server_builder_patch_role(
    TarvexBrevaneSupportsDatabaseSQLServerBuilder* self, TarvexBrevaneMetaModelMetaRole* role) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_BUILDER(self),
                                 "self != NULL", nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_META_MODEL_IS_META_ROLE(role), "role != NULL",
                                 nullptr);
  return tarvex::dup(patch_role_text(role));
}
