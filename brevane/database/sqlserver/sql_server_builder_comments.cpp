// Comments of the SQL Server builder: the extended property 'MS_Description'
// of an object, added, updated or dropped.
#include "brevane/database/sqlserver/sql_server_builder-private.h"

namespace tarvex::dialect {

// The values of a path's literals in argument order: schema, then the
// names below it.
static std::vector<std::string> path_values(const CommentPath& path) {
  std::vector<std::string> values{path.schema};
  if (!path.kind1.empty()) values.push_back(path.name1);
  if (!path.kind2.empty()) values.push_back(path.name2);
  return values;
}

// The arguments of the property procedures: 'SCHEMA', N'schema' and the
// (kind, name) pairs below it, from the texts standing for the path's
// values (from `first` on).
static std::string level_arguments(const CommentPath& path, const std::vector<std::string>& args,
                                   size_t first) {
  std::string out = "'SCHEMA', " + args[first];
  if (!path.kind1.empty()) out += ", '" + path.kind1 + "', " + args[first + 1];
  if (!path.kind2.empty()) out += ", '" + path.kind2 + "', " + args[first + 2];
  return out;
}

// The path's values after the comment.
static std::vector<std::string> with_comment(std::string_view comment, const CommentPath& path) {
  std::vector<std::string> values{std::string(comment)};
  for (auto& v : path_values(path)) values.push_back(std::move(v));
  return values;
}

std::string comment_add(const CommentPath& path, std::string_view comment) {
  return with_constants(with_comment(comment, path), [&](const std::vector<std::string>& a) {
    return "EXEC sp_addextendedproperty 'MS_Description', " + a[0] + ", " +
           level_arguments(path, a, 1) + ";\n";
  });
}

std::string comment_upsert(const CommentPath& path, std::string_view comment) {
  return with_constants(with_comment(comment, path), [&](const std::vector<std::string>& a) {
    std::string query =
        "IF ((SELECT COUNT(*) FROM ::fn_listextendedproperty('MS_Description','SCHEMA', " + a[1];
    if (path.kind1.empty())
      query += ", NULL, NULL, NULL, NULL";
    else if (path.kind2.empty())
      query += ", '" + path.kind1 + "', " + a[2] + ", NULL, NULL";
    else
      query += ", '" + path.kind1 + "', " + a[2] + ", '" + path.kind2 + "', " + a[3];
    query += ")) > 0)\n";
    const std::string args = a[0] + ", " + level_arguments(path, a, 1);
    return query + "\tEXEC sp_updateextendedproperty 'MS_Description', " + args + "\n" + "ELSE\n" +
           "\tEXEC sp_addextendedproperty 'MS_Description', " + args + ";\n";
  });
}

std::string comment_drop(const CommentPath& path) {
  return with_constants(path_values(path), [&](const std::vector<std::string>& a) {
    return "EXEC sp_dropextendedproperty 'MS_Description', " + level_arguments(path, a, 0) + ";\n";
  });
}

// The comment statement of one child of a table (column, constraint, index)
// in create or patch mode; in patch mode a handled "comment" entry is removed
// from the child's record, and the child's path from the table's record once
// that is empty.
static std::string child_comment(MetaTable* table, gpointer child, const char* kind,
                                 const std::string& member, bool patch) {
  const CommentPath path{schema_of(table), "TABLE", name_of(table), kind, name_of(child)};
  const std::string comment = comment_of(child);
  if (!patch) return comment.empty() ? std::string() : comment_add(path, comment);

  const std::string key = member + name_of(child);
  const int code = diff_code(table, key);
  if (code == kCreated) return comment.empty() ? std::string() : comment_add(path, comment);
  if (code != kChanged || !diff_has(child, "comment")) return {};
  std::string text = comment.empty() ? comment_drop(path) : comment_upsert(path, comment);
  diff_remove(child, "comment");
  if (diff_size(child) == 0) diff_remove(table, key);
  return text;
}

std::string build_comment_for_columns(MetaTable* table, bool patch) {
  std::string text;
  for (auto& column : items<MetaColumn>(tarvex_brevane_meta_model_meta_table_get_columns(table)))
    text += child_comment(table, column.get(), "COLUMN", "columns.", patch);

  const CommentPath path{schema_of(table), "TABLE", name_of(table), "", ""};
  const std::string comment = comment_of(table);
  if (!patch) {
    if (!comment.empty()) text += comment_add(path, comment);
  } else if (diff_has(table, "comment")) {
    text += comment.empty() ? comment_drop(path) : comment_upsert(path, comment);
  }
  return text;
}

std::string build_comment_for_constraints(MetaTable* table, bool patch) {
  std::string text;
  for (auto& constraint :
       items<GObject>(tarvex_brevane_meta_model_meta_table_get_constraints(table)))
    text += child_comment(table, constraint.get(), "CONSTRAINT", "constraints.", patch);
  for (auto& index : items<MetaIndex>(tarvex_brevane_meta_model_meta_table_get_indexes(table))) {
    // A new index's comment is written with its CREATE INDEX statement.
    if (patch && diff_code(table, "indexes." + name_of(index.get())) == kCreated) continue;
    text += child_comment(table, index.get(), "INDEX", "indexes.", patch);
  }
  return text;
}

}  // namespace tarvex::dialect
