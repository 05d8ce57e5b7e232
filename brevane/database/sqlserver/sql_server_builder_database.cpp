// Databases of the SQL Server builder: CREATE DATABASE with its files and
// file groups and the options that differ from the server's defaults, and
// the ALTER DATABASE statements of a changed database.
//
// Files and groups are attributes "FILE.<id>" and "GROUP.<id>" whose values
// are items "KEY=value" joined by commas; sizes are in 8-KB pages.
#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "common/tarvex-check-private.h"

namespace tarvex::dialect {

using Base = TarvexBrevaneSupportsDatabaseSqlBuilder;
using Database = TarvexBrevaneMetaModelMetaDatabase;

namespace {

using Spec = std::vector<std::pair<std::string, std::string>>;

Spec parse_spec(std::string_view text) {
  Spec items;
  size_t start = 0;
  while (start < text.size()) {
    size_t at = text.find(',', start);
    if (at == text.npos) at = text.size();
    const std::string_view item = text.substr(start, at - start);
    const size_t eq = item.find('=');
    if (eq != item.npos)
      items.emplace_back(std::string(item.substr(0, eq)), std::string(item.substr(eq + 1)));
    start = at + 1;
  }
  return items;
}

// A missing key reads as the empty text.
std::string item(const Spec& spec, std::string_view key) {
  for (const auto& [k, v] : spec)
    if (k == key) return v;
  return {};
}

bool has_item(const Spec& spec, std::string_view key, std::string_view value) {
  return std::any_of(spec.begin(), spec.end(),
                     [&](const auto& kv) { return kv.first == key && kv.second == value; });
}

guint64 number(const std::string& text) {
  const std::string t = trim(text);
  if (t.empty() || !std::all_of(t.begin(), t.end(),
                                [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
    return 0;
  return g_ascii_strtoull(t.c_str(), nullptr, 10);
}

// Pages as a size: the largest unit that holds the size exactly.
std::string pages_size(const std::string& pages) {
  guint64 kb = number(pages) * 8;
  const char* unit = "KB";
  for (const char* next : {"MB", "GB", "TB"}) {
    if (kb == 0 || kb % 1024 != 0) break;
    kb /= 1024;
    unit = next;
  }
  return std::to_string(kb) + unit;
}

std::string growth_size(const std::string& value) {
  const std::string v = trim(value);
  if (!v.empty() && v.back() == '%') return std::to_string(number(v.substr(0, v.size() - 1))) + "%";
  return pages_size(v);
}

std::string max_size(const std::string& value) {
  return trim(value) == "-1" ? std::string("UNLIMITED") : pages_size(value);
}

// Keywords and names that go into the text unquoted are written only when
// they are what T-SQL expects there.
bool is_word(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
}
bool is_digits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c));
  });
}
bool one_of(const std::string& value, std::initializer_list<const char*> words) {
  return std::any_of(words.begin(), words.end(), [&](const char* w) { return value == w; });
}

// The attributes whose key begins with `prefix`, in key order.
std::vector<std::pair<std::string, std::string>> attributes_with(gpointer obj,
                                                                 std::string_view prefix) {
  std::vector<std::pair<std::string, std::string>> out;
  GeeHashMap* map = tarvex_brevane_meta_model_meta_object_get_attributes(meta(obj));
  if (!map) return out;
  GRef<GeeMapIterator> it = adoptGRef(gee_map_map_iterator(GEE_MAP(map)));
  while (gee_map_iterator_next(it.get())) {
    GUniqueStr key(static_cast<char*>(gee_map_iterator_get_key(it.get())));
    GUniqueStr value(static_cast<char*>(gee_map_iterator_get_value(it.get())));
    const std::string k = str(key.get());
    if (k.compare(0, prefix.size(), prefix) == 0) out.emplace_back(k, str(value.get()));
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::string on_off(gpointer db, const char* key) {
  return attr_true(db, key) ? "ON" : "OFF";
}

}  // namespace

// One file specification in parentheses; with `current` the file is renamed
// from that name.
std::string build_file_sql(std::string_view spec_text, std::string_view current) {
  std::string text = "(\n";
  for (const auto& [key, value] : parse_spec(spec_text)) {
    if (key == "NAME") {
      if (current.empty()) {
        text += "  NAME = " + sql::nliteral(value) + ",\n";
      } else {
        text += "  NAME = " + sql::nliteral(current) + ",\n";
        text += "  NEWNAME = " + sql::nliteral(value) + ",\n";
      }
    } else if (key == "FILENAME") {
      text += "  FILENAME = " + sql::nliteral(value) + ",\n";
    } else if (key == "SIZE") {
      text += "  SIZE = " + pages_size(value) + ",\n";
    } else if (key == "MAXSIZE") {
      text += "  MAXSIZE = " + max_size(value) + ",\n";
    } else if (key == "FILEGROWTH") {
      text += "  FILEGROWTH = " + growth_size(value) + ",\n";
    }
  }
  if (text.size() > 2) text.resize(text.size() - 2);
  return text + "\n)";
}

// The statements of one file group: its creation, and (with `modify`) its
// options, which T-SQL accepts only for a group that holds files.
std::string build_group_sql(std::string_view spec_text, std::string_view database, bool add,
                            bool modify) {
  const Spec spec = parse_spec(spec_text);
  const std::string head = "ALTER DATABASE " + sql::bracketed(database) + " ";
  const std::string group = sql::bracketed(item(spec, "NAME"));
  std::string text;
  if (add)
    text += head + "ADD FILEGROUP " + group +
            (has_item(spec, "TYPE", "FD") ? " CONTAINS FILESTREAM" : "") + ";\n";
  if (modify) {
    if (has_item(spec, "DEFAULT", "true"))
      text += head + "MODIFY FILEGROUP " + group + " DEFAULT;\n";
    if (has_item(spec, "READONLY", "true"))
      text += head + "MODIFY FILEGROUP " + group + " READ_ONLY;\n";
    if (has_item(spec, "AUTOGROW", "false"))
      text += head + "MODIFY FILEGROUP " + group + " AUTOGROW_SINGLE_FILE;\n";
  }
  return text;
}

namespace {

// The change-tracking clause: retention in the unit T-SQL names (the
// catalog keeps 1, 2, 3 for minutes, hours, days).
std::string change_tracking_on(gpointer db) {
  std::string retention = trim(attr(db, "CHANGE_RETENTION").value_or(""));
  if (!is_digits(retention)) retention = "2";
  std::string unit = ascii_upper(trim(attr(db, "CHANGE_RETENTION_UNIT").value_or("")));
  if (unit == "1" || unit == "MINUTE" || unit == "MINUTES")
    unit = "MINUTES";
  else if (unit == "2" || unit == "HOUR" || unit == "HOURS")
    unit = "HOURS";
  else
    unit = "DAYS";
  return "SET CHANGE_TRACKING = ON (CHANGE_RETENTION = " + retention + " " + unit +
         ", AUTO_CLEANUP = " + on_off(db, "AUTO_CLEANUP") + ")";
}

std::string comment_upsert_database(const std::string& db, const std::string& comment) {
  const std::string args = sql::nliteral(comment) + ", NULL, NULL, NULL, NULL, NULL, NULL";
  return "IF ((SELECT COUNT(*) FROM " + sql::bracketed(db) +
         ".sys.fn_listextendedproperty('MS_Description', NULL, NULL, NULL, NULL, NULL, NULL)) > "
         "0)\n" +
         "\tEXEC " + sql::bracketed(db) + ".sys.sp_updateextendedproperty 'MS_Description', " +
         args + "\n" + "ELSE\n" + "\tEXEC " + sql::bracketed(db) +
         ".sys.sp_addextendedproperty 'MS_Description', " + args + ";\n";
}

// The options that take the database away from its users or its writers go
// last: the statements before them need it online and writable.
std::string access_options(gpointer db, const std::string& head, bool patch) {
  std::string text;
  auto wanted = [&](const char* key) {
    return !patch || diff_has(db, std::string("attributes.") + key);
  };
  if (wanted("USER_ACCESS")) {
    const std::string v = ascii_upper(trim(attr(db, "USER_ACCESS").value_or("MULTI_USER")));
    if (one_of(v, {"SINGLE_USER", "RESTRICTED_USER", "MULTI_USER"}) && (patch || v != "MULTI_USER"))
      text += head + "SET " + v + " WITH NO_WAIT;\n";
  }
  if (wanted("READ_ONLY")) {
    const bool read_only = attr_true(db, "READ_ONLY");
    if (patch || read_only)
      text += head + "SET " + (read_only ? "READ_ONLY" : "READ_WRITE") + " WITH NO_WAIT;\n";
  }
  if (wanted("STATE")) {
    const std::string v = ascii_upper(trim(attr(db, "STATE").value_or("ONLINE")));
    if (one_of(v, {"ONLINE", "OFFLINE", "EMERGENCY"}) && (patch || v != "ONLINE"))
      text += head + "SET " + v + " WITH NO_WAIT;\n";
  }
  return text;
}

// Boolean options written "SET <KEY> ON|OFF", in their order.
const char* const kOnOffOptions[] = {"AUTO_CLOSE",
                                     "AUTO_CREATE_STATISTICS",
                                     "AUTO_SHRINK",
                                     "AUTO_UPDATE_STATISTICS",
                                     "AUTO_UPDATE_STATISTICS_ASYNC",
                                     "CURSOR_CLOSE_ON_COMMIT",
                                     "ANSI_NULL_DEFAULT",
                                     "ANSI_NULLS",
                                     "ANSI_PADDING",
                                     "ANSI_WARNINGS",
                                     "ARITHABORT",
                                     "CONCAT_NULL_YIELDS_NULL",
                                     "NUMERIC_ROUNDABORT",
                                     "QUOTED_IDENTIFIER",
                                     "RECURSIVE_TRIGGERS",
                                     "HONOR_BROKER_PRIORITY",
                                     "DB_CHAINING",
                                     "TRUSTWORTHY",
                                     "ENCRYPTION"};

// Server defaults of the boolean options: a new database is told only what
// differs.
bool default_of(const std::string& key) {
  return key == "AUTO_CREATE_STATISTICS" || key == "AUTO_UPDATE_STATISTICS";
}

// The options after the files: all that differ from the defaults (create),
// or those in the record (patch).
std::string options_sql(gpointer db, const std::string& name, bool patch) {
  const std::string head = "ALTER DATABASE " + sql::bracketed(name) + " ";
  auto wanted = [&](const char* key) {
    return !patch || diff_has(db, std::string("attributes.") + key);
  };
  std::string text;
  if (patch && wanted("COLLATE")) {
    const std::string collation = trim(attr(db, "COLLATE").value_or(""));
    if (is_word(collation)) text += head + "COLLATE " + collation + ";\n";
  }
  if (wanted("RECOVERY")) {
    const std::string v = ascii_upper(trim(attr(db, "RECOVERY").value_or("")));
    if (one_of(v, {"FULL", "BULK_LOGGED", "SIMPLE"})) text += head + "SET RECOVERY " + v + ";\n";
  }
  if (wanted("COMPATIBILITY_LEVEL")) {
    const std::string v = trim(attr(db, "COMPATIBILITY_LEVEL").value_or(""));
    if (is_digits(v)) text += head + "SET COMPATIBILITY_LEVEL = " + v + ";\n";
  }
  for (const char* key : kOnOffOptions) {
    if (!wanted(key)) continue;
    const bool on = attr_true(db, key);
    // A new database is told only what it would not have by default.
    if (!patch && (!attr(db, key) || on == default_of(key))) continue;
    text += head + "SET " + key + " " + (on ? "ON" : "OFF") + ";\n";
  }
  if (wanted("CURSOR_DEFAULT") && (patch || attr_true(db, "CURSOR_DEFAULT")))
    text += head + "SET CURSOR_DEFAULT " + (attr_true(db, "CURSOR_DEFAULT") ? "LOCAL" : "GLOBAL") +
            ";\n";
  if (wanted("PAGE_VERIFY")) {
    const std::string v = ascii_upper(trim(attr(db, "PAGE_VERIFY").value_or("CHECKSUM")));
    if (one_of(v, {"CHECKSUM", "TORN_PAGE_DETECTION", "NONE"}) && (patch || v != "CHECKSUM"))
      text += head + "SET PAGE_VERIFY " + v + ";\n";
  }
  if (wanted("ENABLE_BROKER") && (patch || attr_true(db, "ENABLE_BROKER")))
    text += head + "SET " + (attr_true(db, "ENABLE_BROKER") ? "ENABLE_BROKER" : "DISABLE_BROKER") +
            ";\n";
  if (wanted("DATE_CORRELATION_OPTIMIZATION") &&
      (patch || attr_true(db, "DATE_CORRELATION_OPTIMIZATION")))
    text += head + "SET DATE_CORRELATION_OPTIMIZATION " +
            on_off(db, "DATE_CORRELATION_OPTIMIZATION") + " WITH NO_WAIT;\n";
  if (wanted("PARAMETERIZATION") && (patch || attr_true(db, "PARAMETERIZATION")))
    text += head + "SET PARAMETERIZATION " +
            (attr_true(db, "PARAMETERIZATION") ? "FORCED" : "SIMPLE") + " WITH NO_WAIT;\n";
  const bool tracking_changed = !patch || diff_has(db, "attributes.CHANGE_TRACKING") ||
                                diff_has(db, "attributes.CHANGE_RETENTION") ||
                                diff_has(db, "attributes.CHANGE_RETENTION_UNIT") ||
                                diff_has(db, "attributes.AUTO_CLEANUP");
  if (tracking_changed) {
    if (attr_true(db, "CHANGE_TRACKING"))
      text += head + change_tracking_on(db) + ";\n";
    else if (patch)
      text += head + "SET CHANGE_TRACKING = OFF;\n";
  }
  if (wanted("OWNER")) {
    const std::string owner = attr(db, "OWNER").value_or("");
    if (!owner.empty())
      text +=
          "EXEC " + sql::bracketed(name) + ".dbo.sp_changedbowner " + sql::nliteral(owner) + ";\n";
  }
  return text;
}

}  // namespace

gchar* create_database(Base*, Database* database, gboolean) {
  g_return_val_if_fail(database != NULL, nullptr);
  const std::string name = name_of(database);
  const auto groups = attributes_with(database, "GROUP.");
  const auto files = attributes_with(database, "FILE.");

  std::set<std::string> filestream;
  for (const auto& [key, value] : groups) {
    const Spec spec = parse_spec(value);
    if (has_item(spec, "TYPE", "FD")) filestream.insert(item(spec, "NAME"));
  }

  // Data files of the primary group (the primary file, .mdf, first), files
  // of the other groups under one line per group, and log files.
  std::vector<std::string> primary, logs;
  std::map<std::string, std::vector<std::string>> in_group;
  std::vector<std::string> group_order;
  std::vector<std::pair<std::string, std::string>> data_files;
  for (const auto& [key, value] : files) data_files.emplace_back(key, value);
  std::stable_sort(data_files.begin(), data_files.end(), [](const auto& a, const auto& b) {
    auto is_mdf = [](const std::string& v) {
      const std::string f = ascii_upper(item(parse_spec(v), "FILENAME"));
      return f.size() >= 4 && f.compare(f.size() - 4, 4, ".MDF") == 0;
    };
    return is_mdf(a.second) && !is_mdf(b.second);
  });
  for (const auto& [key, value] : data_files) {
    const Spec spec = parse_spec(value);
    const std::string group = item(spec, "GROUP");
    if (item(spec, "TYPE") == "LOG") {
      logs.push_back(build_file_sql(value, ""));
    } else if (group.empty() || group == "PRIMARY") {
      primary.push_back(build_file_sql(value, ""));
    } else {
      if (!in_group.count(group)) group_order.push_back(group);
      in_group[group].push_back(build_file_sql(value, ""));
    }
  }
  auto join = [](const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& p : parts) out += (out.empty() ? "" : ",\n") + p;
    return out;
  };

  std::string text = "CREATE DATABASE " + sql::bracketed(name);
  std::vector<std::string> sections;
  if (!primary.empty()) sections.push_back("PRIMARY\n" + join(primary));
  for (const auto& group : group_order)
    sections.push_back("FILEGROUP " + sql::bracketed(group) +
                       (filestream.count(group) ? " CONTAINS FILESTREAM" : "") + "\n" +
                       join(in_group[group]));
  // The log goes with the data files: T-SQL has no LOG ON without ON.
  if (!sections.empty()) {
    text += " ON\n" + join(sections);
    if (!logs.empty()) text += "\nLOG ON\n" + join(logs);
  }
  const std::string collation = trim(attr(database, "COLLATE").value_or(""));
  if (is_word(collation)) text += "\nCOLLATE " + collation;
  text += ";\n";

  // Groups the CREATE statement did not declare are added; options only for
  // groups that hold files.
  for (const auto& [key, value] : groups) {
    const Spec spec = parse_spec(value);
    const std::string group = item(spec, "NAME");
    if (group == "PRIMARY" || has_item(spec, "PRIMARY", "true")) continue;
    const bool declared = in_group.count(group) > 0;
    text += build_group_sql(value, name, !declared, declared);
  }

  text += options_sql(database, name, false);
  const std::string comment = comment_of(database);
  if (!comment.empty())
    text += "EXEC " + sql::bracketed(name) + ".sys.sp_addextendedproperty 'MS_Description', " +
            sql::nliteral(comment) + ", NULL, NULL, NULL, NULL, NULL, NULL;\n";
  text += access_options(database, "ALTER DATABASE " + sql::bracketed(name) + " ", false);
  return dup(text);
}

std::string patch_database_text(Database* database) {
  const std::string name = name_of(database);
  const std::string head = "ALTER DATABASE " + sql::bracketed(name) + " ";
  std::string text;
  if (diff_has(database, "name")) {
    const std::string old = slice_of(database, "name").value_or("");
    if (!old.empty() && old != name)
      text += "ALTER DATABASE " + sql::bracketed(old) + " MODIFY NAME = " + sql::bracketed(name) +
              ";\n";
  }

  // Groups that hold data files now.
  std::set<std::string> with_files;
  for (const auto& [key, value] : attributes_with(database, "FILE.")) {
    const Spec spec = parse_spec(value);
    if (item(spec, "TYPE") != "LOG") with_files.insert(item(spec, "GROUP"));
  }

  // Groups are added before the files that go into them, and removed after
  // the files that were in them.
  std::string add_groups, files_added, files_removed, remove_groups, group_options;
  const auto record = diff_entries(database);
  for (const auto& [path, code] : record) {
    if (path.rfind("attributes.GROUP.", 0) != 0) continue;
    const std::string key = path.substr(std::string("attributes.").size());
    const std::string now = attr(database, key.c_str()).value_or("");
    const std::string before = slice_of(database, path).value_or("");
    const Spec new_spec = parse_spec(now), old_spec = parse_spec(before);
    if (code == kCreated) {
      add_groups += build_group_sql(now, name, true, false);
      if (with_files.count(item(new_spec, "NAME")))
        group_options += build_group_sql(now, name, false, true);
    } else if (code == kChanged) {
      const std::string old_name = item(old_spec, "NAME"), new_name = item(new_spec, "NAME");
      if (!old_name.empty() && old_name != new_name)
        add_groups += head + "MODIFY FILEGROUP " + sql::bracketed(old_name) +
                      " NAME = " + sql::bracketed(new_name) + ";\n";
      if (with_files.count(new_name) || with_files.count(old_name)) {
        const std::string group = head + "MODIFY FILEGROUP " + sql::bracketed(new_name);
        if (has_item(old_spec, "DEFAULT", "false") && has_item(new_spec, "DEFAULT", "true"))
          group_options += group + " DEFAULT;\n";
        if (has_item(old_spec, "READONLY", "false") && has_item(new_spec, "READONLY", "true"))
          group_options += group + " READ_ONLY;\n";
        if (has_item(old_spec, "READONLY", "true") && has_item(new_spec, "READONLY", "false"))
          group_options += group + " READ_WRITE;\n";
        if (item(old_spec, "AUTOGROW") != item(new_spec, "AUTOGROW") &&
            !item(new_spec, "AUTOGROW").empty())
          group_options +=
              group + (item(new_spec, "AUTOGROW") == "false" ? " AUTOGROW_SINGLE_FILE;\n"
                                                             : " AUTOGROW_ALL_FILES;\n");
      }
    } else if (code == kDropped) {
      remove_groups += head + "REMOVE FILEGROUP " + sql::bracketed(item(old_spec, "NAME")) + ";\n";
    }
  }
  for (const auto& [path, code] : record) {
    if (path.rfind("attributes.FILE.", 0) != 0) continue;
    const std::string key = path.substr(std::string("attributes.").size());
    const std::string now = attr(database, key.c_str()).value_or("");
    const auto before = slice_of(database, path);
    const Spec new_spec = parse_spec(now), old_spec = parse_spec(before.value_or(""));
    if (code == kCreated) {
      if (item(new_spec, "TYPE") == "LOG") {
        files_added += head + "ADD LOG FILE " + build_file_sql(now, "") + ";\n";
      } else {
        std::string group = item(new_spec, "GROUP");
        if (group.empty()) group = "PRIMARY";
        files_added += head + "ADD FILE " + build_file_sql(now, "") + " TO FILEGROUP " +
                       sql::bracketed(group) + ";\n";
      }
    } else if (code == kChanged) {
      // MODIFY FILE changes one property at a time.
      std::string current = item(old_spec, "NAME");
      if (current.empty()) current = item(new_spec, "NAME");
      const std::string new_name = item(new_spec, "NAME");
      if (!new_name.empty() && new_name != current) {
        files_added += head + "MODIFY FILE (NAME = " + sql::nliteral(current) +
                       ", NEWNAME = " + sql::nliteral(new_name) + ");\n";
        current = new_name;
      }
      for (const char* property : {"FILENAME", "SIZE", "MAXSIZE", "FILEGROWTH"}) {
        const std::string value = item(new_spec, property);
        if (value.empty() || (before && item(old_spec, property) == value)) continue;
        std::string written;
        if (std::string_view(property) == "FILENAME")
          written = sql::nliteral(value);
        else if (std::string_view(property) == "SIZE")
          written = pages_size(value);
        else if (std::string_view(property) == "MAXSIZE")
          written = max_size(value);
        else
          written = growth_size(value);
        files_added += head + "MODIFY FILE (NAME = " + sql::nliteral(current) + ", " + property +
                       " = " + written + ");\n";
      }
    } else if (code == kDropped) {
      files_removed += head + "REMOVE FILE " + sql::bracketed(item(old_spec, "NAME")) + ";\n";
    }
  }
  text += add_groups + files_added + files_removed + remove_groups + group_options;

  text += options_sql(database, name, true);
  if (diff_has(database, "comment")) {
    const std::string comment = comment_of(database);
    text += comment.empty()
                ? "EXEC " + sql::bracketed(name) +
                      ".sys.sp_dropextendedproperty 'MS_Description', NULL, NULL, NULL, NULL, "
                      "NULL, NULL;\n"
                : comment_upsert_database(name, comment);
  }
  text += access_options(database, head, true);
  return text;
}

}  // namespace tarvex::dialect

using namespace tarvex::dialect;

gchar* tarvex_brevane_supports_database_sql_server_builder_patch_database(
    TarvexBrevaneSupportsDatabaseSQLServerBuilder* self,
    TarvexBrevaneMetaModelMetaDatabase* database) {
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_SUPPORTS_DATABASE_IS_SQL_SERVER_BUILDER(self),
                                 "self != NULL", nullptr);
  TARVEX_RETURN_VAL_IF_FAIL_TEXT(TARVEX_BREVANE_META_MODEL_IS_META_DATABASE(database),
                                 "database != NULL", nullptr);
  return tarvex::dup(patch_database_text(database));
}
