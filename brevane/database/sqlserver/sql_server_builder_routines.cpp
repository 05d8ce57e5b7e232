// Routines of the SQL Server builder: CREATE and ALTER texts of stored
// procedures and functions, and ready-to-edit calls of them for a query
// editor.
#include <glib/gi18n-lib.h>

#include "brevane/database/sqlserver/sql_server_builder-private.h"

namespace tarvex::dialect {

using Routine = TarvexBrevaneMetaModelMetaRoutine;

static std::string routine_name(Routine* routine) {
  return sql::bracketed_two_part(schema_of(routine), name_of(routine));
}

// The comment part of an ALTER: the routine's "comment" entry is consumed.
static std::string comment_patch(Routine* routine, const char* kind) {
  if (!diff_has(routine, "comment")) return {};
  const CommentPath path{schema_of(routine), kind, name_of(routine), "", ""};
  const std::string comment = comment_of(routine);
  diff_remove(routine, "comment");
  return comment.empty() ? comment_drop(path) : comment_upsert(path, comment);
}

// "AS\n" and the body, ending ";\n" (or "\n" when the body has its own
// semicolon).
static std::string body_part(Routine* routine) {
  std::string text = "AS\n" + str(tarvex_brevane_meta_model_meta_routine_get_body(routine));
  return text + (!text.empty() && text.back() == ';' ? "\n" : ";\n");
}

// An encrypted routine has no readable definition: nothing can recreate it.
static bool is_encrypted(Routine* routine) {
  return trim(str(tarvex_brevane_meta_model_meta_routine_get_body(routine))).empty();
}

static std::string encrypted_note(Routine* routine, const char* kind) {
  GUniqueStr note(
      g_strdup_printf(_("-- %s %s: the definition is encrypted and cannot be scripted."), kind,
                      routine_name(routine).c_str()));
  // A line break in a name must not end the comment early.
  std::string text = str(note.get());
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text + "\n";
}

std::string build_procedure_script(Routine* routine, bool alter) {
  std::string comment_part;
  if (alter) {
    comment_part = comment_patch(routine, "PROCEDURE");
    if (diff_size(routine) == 0) return comment_part;
  }
  if (is_encrypted(routine)) return encrypted_note(routine, "PROCEDURE") + comment_part;

  std::string text =
      std::string(alter ? "ALTER" : "CREATE") + " PROCEDURE " + routine_name(routine) + "\n";
  const auto parameters =
      string_items(tarvex_brevane_meta_model_meta_routine_get_parameters(routine));
  if (!parameters.empty()) {
    std::string list;
    for (const auto& p : parameters) list += "\t" + p + ",\n";
    list.resize(list.size() - 2);
    text += list + "\n";
  }
  std::string options;
  if (attr_true(routine, "ENCRYPTION")) options += "ENCRYPTION,";
  if (attr_true(routine, "NATIVE_COMPILATION")) options += "NATIVE_COMPILATION,";
  if (attr_true(routine, "SCHEMABINDING")) options += "SCHEMABINDING,";
  if (attr_true(routine, "RECOMPILE")) options += "RECOMPILE,";
  if (std::string as = execute_as_clause(routine); !as.empty()) options += as + ",";
  if (!options.empty()) {
    options.pop_back();
    text += "\tWITH " + options + "\n";
  }
  text += body_part(routine);

  // A body runs to the end of its batch: what follows starts a new one.
  Script script;
  script.add(executed(text));
  if (alter) {
    script.add(comment_part);
  } else if (const std::string comment = comment_of(routine); !comment.empty()) {
    script.add(comment_add({schema_of(routine), "PROCEDURE", name_of(routine), "", ""}, comment));
  }
  return script.str();
}

std::string build_function_script(Routine* routine, bool alter) {
  std::string comment_part;
  if (alter) {
    comment_part = comment_patch(routine, "FUNCTION");
    if (diff_size(routine) == 0) return comment_part;
  }
  if (is_encrypted(routine)) return encrypted_note(routine, "FUNCTION") + comment_part;

  std::string text = std::string(alter ? "ALTER" : "CREATE") + " FUNCTION " + routine_name(routine);
  const auto parameters =
      string_items(tarvex_brevane_meta_model_meta_routine_get_parameters(routine));
  if (!parameters.empty()) {
    std::string list;
    for (const auto& p : parameters) list += p + ", ";
    list.resize(list.size() - 2);
    text += "(" + list + ") ";
  } else {
    text += "() ";
  }
  const std::string returns = str(tarvex_brevane_meta_model_meta_routine_get_return_type(routine));
  if (ascii_upper(returns).find("TABLE") != std::string::npos) {
    text += "\nRETURNS " + returns + "\n";
    if (auto table = attr(routine, "RETURN_TABLE"); table && !table->empty()) text += *table + "\n";
  } else {
    text += "RETURNS " + returns + "\n";
  }
  std::string options;
  if (attr_true(routine, "ENCRYPTION")) options += "ENCRYPTION,";
  if (attr_true(routine, "SCHEMABINDING")) options += "SCHEMABINDING,";
  if (attr_true(routine, "NULL_INPUT")) options += "RETURNS NULL ON NULL INPUT,";
  if (std::string as = execute_as_clause(routine); !as.empty()) options += as + ",";
  if (attr(routine, "INLINE"))
    options += std::string("INLINE = ") + (attr_true(routine, "INLINE") ? "ON" : "OFF") + ",";
  if (!options.empty()) {
    options.pop_back();
    text += "  WITH " + options + "\n";
  }
  text += body_part(routine);

  Script script;
  script.add(executed(text));
  if (alter) {
    script.add(comment_part);
  } else if (const std::string comment = comment_of(routine); !comment.empty()) {
    script.add(comment_add({schema_of(routine), "FUNCTION", name_of(routine), "", ""}, comment));
  }
  return script.str();
}

std::string build_routine(Routine* routine) {
  return TARVEX_BREVANE_META_MODEL_IS_META_PROCEDURE(routine)
             ? build_procedure_script(routine, false)
             : build_function_script(routine, false);
}

gchar* build_function(TarvexBrevaneSupportsDatabaseSqlBuilder*, Routine* routine) {
  g_return_val_if_fail(routine != NULL, nullptr);
  // The note a script gets instead would run as an empty batch and hide
  // that nothing was created.
  if (is_encrypted(routine)) return g_strdup("");
  return dup(build_routine(routine));
}

// ------------------------------------------------------------ calls

static std::string group(GMatchInfo* info, const char* name) {
  GUniqueStr text(g_match_info_fetch_named(info, name));
  return str(text.get());
}

static std::string build_caller_procedure(Builder* self, Routine* routine) {
  const auto parameters =
      string_items(tarvex_brevane_meta_model_meta_routine_get_parameters(routine));
  if (parameters.empty()) return "EXECUTE " + routine_name(routine) + ";";

  GRegex* pattern = tarvex_brevane_supports_database_sql_server_builder_get_regex_parameter(self);
  std::string call = "EXECUTE " + routine_name(routine) + " ";
  std::string declarations, prints;
  for (const auto& parameter : parameters) {
    GMatchInfo* raw_info = nullptr;
    const bool matched =
        pattern && g_regex_match(pattern, parameter.c_str(), GRegexMatchFlags(0), &raw_info);
    GRef<GMatchInfo> info = adoptGRef(raw_info);
    if (!matched) {
      call += "_, ";
      g_warning("builder:2048: Failed to match: %s", parameter.c_str());
      continue;
    }
    const std::string name = group(info.get(), "name");
    const std::string type = group(info.get(), "type");
    const std::string direction = ascii_upper(group(info.get(), "direction"));
    std::string value = group(info.get(), "value");
    const bool output = direction == "OUT" || direction == "OUTPUT";
    // An output parameter receives into the variable declared for it, which
    // the PRINT lines then show.
    if (value.empty()) value = output ? name : "_";
    if (output) {
      // OUT and OUTPUT are one keyword; OUTPUT is the form every tool reads.
      call += name + " = " + value + " OUTPUT, ";
      declarations += name + " " + type + ", ";
      // PRINT takes one expression.
      prints += "PRINT " + name + ";\n";
    } else {
      call += name + " = " + value + ", ";
    }
  }
  call.resize(call.size() - 2);
  if (!declarations.empty()) {
    declarations.resize(declarations.size() - 2);
    call = "DECLARE " + declarations + ";\n" + call;
  }
  if (!prints.empty()) {
    prints.pop_back();
    call += ";\n" + prints;
  }
  return call;
}

static GRegex* function_value_pattern() {
  static GRegex* pattern = nullptr;
  if (g_once_init_enter(&pattern)) {
    GRegex* compiled = g_regex_new(R"((=>\s*(?<value>[\w\.\'\+\-]+)))",
                                   GRegexCompileFlags(G_REGEX_CASELESS | G_REGEX_MULTILINE),
                                   GRegexMatchFlags(0), nullptr);
    g_once_init_leave(&pattern, compiled);
  }
  return pattern;
}

static std::string build_caller_function(Routine* routine) {
  const bool table =
      str(tarvex_brevane_meta_model_meta_routine_get_return_type(routine)) == "TABLE";
  std::string text = (table ? "SELECT * FROM " : "SELECT ") + routine_name(routine) + "(";
  const auto parameters =
      string_items(tarvex_brevane_meta_model_meta_routine_get_parameters(routine));
  if (parameters.empty()) return text + ");";
  for (const auto& parameter : parameters) {
    GMatchInfo* raw_info = nullptr;
    const bool matched =
        g_regex_match(function_value_pattern(), parameter.c_str(), GRegexMatchFlags(0), &raw_info);
    GRef<GMatchInfo> info = adoptGRef(raw_info);
    if (matched) {
      text += group(info.get(), "value") + ", ";
    } else {
      text += "_, ";
      g_warning("builder:2004: Failed to match: %s", parameter.c_str());
    }
  }
  text.resize(text.size() - 2);
  return text + ");";
}

gchar* build_caller(TarvexBrevaneSupportsDatabaseSqlBuilder* base, Routine* routine) {
  g_return_val_if_fail(routine != NULL, nullptr);
  if (TARVEX_BREVANE_META_MODEL_IS_META_PROCEDURE(routine))
    return dup(build_caller_procedure(reinterpret_cast<Builder*>(base), routine));
  if (TARVEX_BREVANE_META_MODEL_IS_META_FUNCTION(routine))
    return dup(build_caller_function(routine));
  g_critical("%s: assertion '%s' failed", G_STRFUNC, "function != NULL");
  return nullptr;
}

}  // namespace tarvex::dialect
