// Views, indexes and triggers of the SQL Server builder, as objects of their
// own and as members of a table.
#include "brevane/database/sqlserver/builder/sql_server_builder-private.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvex::dialect {

using Base = TarvexBrevaneSupportsDatabaseSqlBuilder;

// ------------------------------------------------------------ views

std::string build_view_script(MetaView* view, bool alter) {
  std::string text = std::string(alter ? "ALTER" : "CREATE") + " VIEW " +
                     sql::bracketed_two_part(schema_of(view), name_of(view)) + " ";
  std::string options;
  if (attr_true(view, "ENCRYPTION")) options += "ENCRYPTION, ";
  if (attr_true(view, "SCHEMABINDING")) options += "SCHEMABINDING, ";
  if (attr_true(view, "VIEW_METADATA")) options += "VIEW_METADATA, ";
  if (!options.empty()) {
    options.resize(options.size() - 2);
    text += "WITH " + options + " AS\n\t";
  } else {
    text += "AS\n\t";
  }
  std::string definition = trim(str(tarvex_brevane_meta_model_meta_view_get_definition(view)));
  if (!definition.empty() && definition.back() == ';') definition.pop_back();
  text += definition;
  if (attr_true(view, "WITH CHECK OPTION")) text += "\n\tWITH CHECK OPTION";
  return executed(text + ";\n\n");
}

gchar* build_view(Base*, MetaView* view) {
  g_return_val_if_fail(view != NULL, nullptr);
  Script script;
  script.add(build_view_script(view, false));
  const std::string comment = comment_of(view);
  if (!comment.empty())
    script.add(comment_add({schema_of(view), "VIEW", name_of(view), "", ""}, comment));
  return dup(script.str());
}

gchar* patch_view(Base*, MetaView* view) {
  g_return_val_if_fail(view != NULL, nullptr);
  Script script;
  const bool comment_changed = diff_has(view, "comment");
  if (!comment_changed || diff_size(view) > 1) script.add(build_view_script(view, true));
  if (comment_changed) {
    const CommentPath path{schema_of(view), "VIEW", name_of(view), "", ""};
    const std::string comment = comment_of(view);
    script.add(comment.empty() ? comment_drop(path) : comment_upsert(path, comment));
  }
  return dup(script.str());
}

// ------------------------------------------------------------ indexes

namespace {

struct IndexShape {
  std::string kind;  // "", "XML", "SPATIAL", "COLUMNSTORE" or "HASH"
  bool clustered = false;
  bool unique = false;
};

IndexShape shape_of(MetaIndex* index) {
  IndexShape s;
  s.kind = ascii_upper(trim(str(tarvex_brevane_meta_model_meta_index_get_kind(index))));
  s.clustered = tarvex_brevane_meta_model_meta_index_get_is_clustered(index);
  // Only row-store indexes can be unique.
  s.unique = attr_true(index, "UNIQUE") && (s.kind.empty());
  return s;
}

// The key columns; columnstore, hash, XML and spatial indexes take no
// direction. A clustered columnstore index takes no column list at all.
std::vector<std::string> index_entries(MetaIndex* index) {
  return string_items(tarvex_brevane_meta_model_meta_index_get_columns(index));
}

// The clauses after the column list, each followed by a blank.
std::string index_tail(MetaIndex* index, const IndexShape& s) {
  std::string text;
  const std::string include = trim(str(tarvex_brevane_meta_model_meta_index_get_include(index)));
  const std::string where = trim(str(tarvex_brevane_meta_model_meta_index_get_where(index)));
  const std::string with = trim(str(tarvex_brevane_meta_model_meta_index_get_with(index)));
  const std::string space = trim(str(tarvex_brevane_meta_model_meta_index_get_table_space(index)));
  if (!include.empty() && s.kind.empty()) text += "INCLUDE (" + bracket_list(include, false) + ") ";
  if (!where.empty()) text += "WHERE " + where + " ";
  if (!with.empty()) {
    // The model may hold the options with or without their parentheses.
    text +=
        with.front() == '(' && with.back() == ')' ? "WITH " + with + " " : "WITH (" + with + ") ";
  }
  if (!space.empty()) text += "ON " + space + " ";
  if (auto stream = attr(index, "FILESTREAM"); stream && !trim(*stream).empty())
    text += "FILESTREAM_ON " + trim(*stream) + " ";
  return text;
}

std::string column_part(MetaIndex* index, const IndexShape& s) {
  if (s.kind == "COLUMNSTORE" && s.clustered) return {};
  return "(" + bracket_entries(index_entries(index), s.kind.empty()) + ") ";
}

}  // namespace

bool index_is_standalone(MetaIndex* index) {
  const std::string kind = shape_of(index).kind;
  return kind == "XML" || kind == "SPATIAL";
}

std::string build_index_body(MetaIndex* index) {
  const IndexShape s = shape_of(index);
  std::string text = "    INDEX " + sql::bracketed(name_of(index)) + " ";
  if (s.unique) text += "UNIQUE ";
  text += s.clustered ? "CLUSTERED " : "NONCLUSTERED ";
  if (!s.kind.empty()) text += s.kind + " ";
  text += column_part(index, s);
  text += index_tail(index, s);
  text.pop_back();
  return text + ",\n";
}

// One statement that creates the index on schema.table, without its ending.
// `layout` lays the key columns out one a line, as the stand-alone index
// text does.
static std::string index_statement(std::string_view schema, std::string_view table,
                                   MetaIndex* index, bool layout) {
  const IndexShape s = shape_of(index);
  const std::string on = sql::bracketed_two_part(schema, table);
  std::string text;
  if (s.kind == "HASH") {
    // Hash indexes exist on memory-optimized tables only, which add them
    // with ALTER TABLE.
    text = "ALTER TABLE " + on + " ADD INDEX " + sql::bracketed(name_of(index)) +
           " NONCLUSTERED HASH " + column_part(index, s) + index_tail(index, s);
  } else if (s.kind == "XML") {
    // The model does not tell a secondary XML index (which names its primary
    // one) from a primary one; the primary form is the one every XML column
    // needs first.
    text = "CREATE PRIMARY XML INDEX " + sql::bracketed(name_of(index)) + " ON " + on + " " +
           column_part(index, s) + index_tail(index, s);
  } else if (s.kind == "SPATIAL") {
    text = "CREATE SPATIAL INDEX " + sql::bracketed(name_of(index)) + " ON " + on + " " +
           column_part(index, s) + index_tail(index, s);
  } else {
    text = "CREATE ";
    if (s.unique) text += "UNIQUE ";
    text += s.clustered ? "CLUSTERED " : "NONCLUSTERED ";
    if (!s.kind.empty()) text += s.kind + " ";
    text += "INDEX " + sql::bracketed(name_of(index)) + " ON " + on;
    const bool keyless = s.kind == "COLUMNSTORE" && s.clustered;
    if (keyless) {
      text += " ";
    } else if (layout) {
      text += "( \n";
      for (const auto& entry : index_entries(index))
        text += "    " + bracket_entries({entry}, s.kind.empty()) + ",\n";
      if (text.back() == '\n' && text[text.size() - 2] == ',') text.resize(text.size() - 2);
      text += "\n) ";
    } else {
      text += " " + column_part(index, s);
    }
    text += index_tail(index, s);
  }
  text.pop_back();
  return text;
}

std::string build_index_statement(std::string_view schema, std::string_view table,
                                  MetaIndex* index) {
  return index_statement(schema, table, index, false) + ";\n";
}

gchar* build_index(Base*, MetaIndex* index) {
  g_return_val_if_fail(index != NULL, nullptr);
  return dup(index_statement(schema_of(index),
                             str(tarvex_brevane_meta_model_meta_index_get_entity(index)), index,
                             true) +
             ";");
}

std::string build_index_patch(MetaTable* table, MetaIndex* index) {
  std::string text = build_index_statement(schema_of(table), name_of(table), index);
  if (attr_true(index, "STATE"))
    text += "ALTER INDEX " + sql::bracketed(name_of(index)) + " ON " +
            sql::bracketed_two_part(schema_of(table), name_of(table)) + " DISABLE;\n";
  const std::string comment = comment_of(index);
  if (!comment.empty())
    text +=
        comment_add({schema_of(table), "TABLE", name_of(table), "INDEX", name_of(index)}, comment);
  return text;
}

std::string build_table_indexes(MetaTable* table, bool patch) {
  std::string text;
  const std::string two = sql::bracketed_two_part(schema_of(table), name_of(table));
  for (auto& index : items<MetaIndex>(tarvex_brevane_meta_model_meta_table_get_indexes(table))) {
    if (!patch) {
      if (!index_is_standalone(index.get())) text += build_index_body(index.get());
      continue;
    }
    const std::string drop =
        "DROP INDEX IF EXISTS " + sql::bracketed(name_of(index.get())) + " ON " + two + ";\n";
    switch (diff_code(table, "indexes." + name_of(index.get()))) {
      case kCreated:
        text += build_index_patch(table, index.get());
        break;
      case kChanged:
        if (diff_has(index.get(), "comment") && diff_size(index.get()) == 1) {
          const CommentPath path{schema_of(table), "TABLE", name_of(table), "INDEX",
                                 name_of(index.get())};
          const std::string comment = comment_of(index.get());
          text += comment.empty() ? comment_drop(path) : comment_upsert(path, comment);
        } else {
          text += drop + build_index_patch(table, index.get());
        }
        break;
      case kDropped:
        text += drop;
        break;
      default:
        break;
    }
  }
  return text;
}

// ------------------------------------------------------------ triggers

// The parts of a name written as bracketed identifiers joined by dots
// ("[a].[b.c].[d]", "]]" inside a part), or nothing when the text is not
// exactly that.
static std::optional<std::vector<std::string>> bracketed_parts(std::string_view text) {
  std::vector<std::string> parts;
  size_t at = 0;
  while (true) {
    if (at >= text.size() || text[at] != '[') return std::nullopt;
    std::string part;
    for (++at;; ++at) {
      if (at >= text.size()) return std::nullopt;
      if (text[at] != ']') {
        part += text[at];
      } else if (at + 1 < text.size() && text[at + 1] == ']') {
        part += ']';
        ++at;
      } else {
        break;
      }
    }
    parts.push_back(std::move(part));
    if (++at == text.size()) return parts;
    if (text[at++] != '.') return std::nullopt;
  }
}

// assembly.class.method with each part bracketed; the class may itself hold
// dots (a namespace). A name given bracketed keeps its parts, each written
// again; a text that only looks bracketed is a plain name like any other,
// so nothing after a closing bracket reaches the script.
static std::string external_name(std::string_view function) {
  const std::string text = trim(function);
  if (auto parts = bracketed_parts(text)) {
    std::string out;
    for (const std::string& part : *parts) out += (out.empty() ? "" : ".") + sql::bracketed(part);
    return out;
  }
  const size_t first = text.find('.');
  const size_t last = text.rfind('.');
  if (first == std::string::npos || first == last) return sql::bracketed(text);
  return sql::bracketed(text.substr(0, first)) + "." +
         sql::bracketed(text.substr(first + 1, last - first - 1)) + "." +
         sql::bracketed(text.substr(last + 1));
}

std::string build_table_trigger_body(MetaTable* table, MetaTrigger* trigger, bool alter) {
  std::string text = std::string(alter ? "ALTER" : "CREATE") + " TRIGGER " +
                     sql::bracketed(name_of(trigger)) + " ON " +
                     sql::bracketed_two_part(schema_of(table), name_of(table)) + "\n";
  std::string options;
  if (attr_true(trigger, "ENCRYPTION")) options += "ENCRYPTION,";
  if (std::string as = execute_as_clause(trigger); !as.empty()) options += as + ",";
  if (!options.empty()) {
    options.pop_back();
    text += "  WITH " + options + "\n";
  }
  text += "  " + str(tarvex_brevane_meta_model_meta_trigger_get_timing(trigger)) + " " +
          str(tarvex_brevane_meta_model_meta_trigger_get_event(trigger)) + "\n";
  if (attr_true(trigger, "WITH_APPEND")) text += "  WITH APPEND\n";
  if (attr_true(trigger, "REPLICATION")) text += "  NOT FOR REPLICATION\n";
  if (attr(trigger, "DEFINITION_TYPE").value_or("SQL") == "EXTERNAL")
    text += "  AS EXTERNAL NAME " +
            external_name(str(tarvex_brevane_meta_model_meta_trigger_get_function(trigger))) + "\n";
  else
    text += "  AS " + str(tarvex_brevane_meta_model_meta_trigger_get_body(trigger)) + "\n";
  return executed(text) + "GO\n";
}

void build_table_triggers(Script& script, MetaTable* table, bool patch) {
  for (auto& trigger :
       items<MetaTrigger>(tarvex_brevane_meta_model_meta_table_get_triggers(table))) {
    MetaTrigger* t = trigger.get();
    const CommentPath path{schema_of(table), "TABLE", name_of(table), "TRIGGER", name_of(t)};
    const std::string comment = comment_of(t);
    const int code = patch ? diff_code(table, "triggers." + name_of(t)) : kCreated;
    switch (code) {
      case kCreated:
        script.add(build_table_trigger_body(table, t, false));
        if (!comment.empty()) script.add(comment_add(path, comment));
        break;
      case kChanged:
        if (diff_has(t, "comment") && diff_size(t) == 1)
          script.add(comment.empty() ? comment_drop(path) : comment_upsert(path, comment));
        else
          script.add(build_table_trigger_body(table, t, true));
        break;
      case kDropped: {
        std::string schema = schema_of(t);
        if (schema.empty()) schema = schema_of(table);
        script.add("DROP TRIGGER IF EXISTS " + sql::bracketed_two_part(schema, name_of(t)) + ";\n");
        break;
      }
      default:
        break;
    }
  }
}

gchar* build_trigger(Base*, MetaTrigger* trigger) {
  g_return_val_if_fail(trigger != NULL, nullptr);
  std::string text =
      "CREATE TRIGGER " + sql::bracketed_two_part(schema_of(trigger), name_of(trigger)) + " ON " +
      sql::bracketed_two_part(schema_of(trigger),
                              str(tarvex_brevane_meta_model_meta_trigger_get_target(trigger))) +
      " " + str(tarvex_brevane_meta_model_meta_trigger_get_timing(trigger)) + " " +
      str(tarvex_brevane_meta_model_meta_trigger_get_event(trigger)) + " AS\n";
  const std::string body = trim(str(tarvex_brevane_meta_model_meta_trigger_get_body(trigger)));
  text += body;
  if (body.empty() || body.back() != ';') text += ";";
  return dup(executed(text + "\n"));
}

}  // namespace tarvex::dialect
