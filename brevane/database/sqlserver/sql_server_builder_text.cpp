// Text, model and batch helpers shared by the SQL Server builder's files.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "brevane/database/sqlserver/sql_server_builder-private.h"
#include "brevane/sql/sql-text-private.h"
#include "brevane/sql/tsql-scanner-private.h"

namespace tarvex::dialect {

// ------------------------------------------------------------ texts

bool iequals(std::string_view a, std::string_view b) {
  return ascii_upper(a) == ascii_upper(b);
}

// One entry of a column list: the name bracketed, its direction kept or
// dropped.
static std::string bracket_entry(std::string_view raw, bool keep_direction) {
  std::string entry = trim(raw);
  std::string direction;
  for (const char* word : {" ASC", " DESC"}) {
    const size_t n = std::strlen(word);
    if (entry.size() > n && iequals(std::string_view(entry).substr(entry.size() - n), word)) {
      direction = word;
      entry = trim(std::string_view(entry).substr(0, entry.size() - n));
      break;
    }
  }
  std::string out = sql::is_one_bracketed(entry) ? entry : sql::bracketed(entry);
  if (keep_direction) out += direction;
  return out;
}

std::string bracket_entries(const std::vector<std::string>& entries, bool keep_direction) {
  std::string out;
  for (const auto& e : entries) {
    if (trim(e).empty()) continue;
    if (!out.empty()) out += ", ";
    out += bracket_entry(e, keep_direction);
  }
  return out;
}

std::string bracket_list(std::string_view list, bool keep_direction) {
  std::vector<std::string> entries;
  size_t start = 0;
  for (;;) {
    size_t at = list.find(',', start);
    entries.emplace_back(list.substr(start, at == std::string_view::npos ? list.npos : at - start));
    if (at == std::string_view::npos) break;
    start = at + 1;
  }
  return bracket_entries(entries, keep_direction);
}

// ------------------------------------------------------------ model access

static std::optional<std::string> map_text(GeeHashMap* map, const char* key) {
  if (!map || !gee_abstract_map_has_key(GEE_ABSTRACT_MAP(map), key)) return std::nullopt;
  GUniqueStr value(static_cast<char*>(gee_abstract_map_get(GEE_ABSTRACT_MAP(map), key)));
  return str(value.get());
}

std::optional<std::string> attr(gpointer obj, const char* key) {
  return map_text(tarvex_brevane_meta_model_meta_object_get_attributes(meta(obj)), key);
}
bool attr_true(gpointer obj, const char* key) {
  return attr(obj, key).value_or("") == "true";
}

std::optional<std::string> option(MetaTable* table, const char* key) {
  return map_text(tarvex_brevane_meta_model_meta_table_get_options(table), key);
}

int diff_code(gpointer obj, const std::string& path) {
  GRef<GeeHashMap> map = adoptGRef(tarvex_brevane_meta_model_meta_object_diff(meta(obj)));
  if (!map || !gee_abstract_map_has_key(GEE_ABSTRACT_MAP(map.get()), path.c_str())) return kAbsent;
  return GPOINTER_TO_INT(gee_abstract_map_get(GEE_ABSTRACT_MAP(map.get()), path.c_str()));
}
bool diff_has(gpointer obj, const std::string& path) {
  return diff_code(obj, path) != kAbsent;
}
void diff_remove(gpointer obj, const std::string& path) {
  GRef<GeeHashMap> map = adoptGRef(tarvex_brevane_meta_model_meta_object_diff(meta(obj)));
  if (map) gee_abstract_map_unset(GEE_ABSTRACT_MAP(map.get()), path.c_str(), nullptr);
}
int diff_size(gpointer obj) {
  GRef<GeeHashMap> map = adoptGRef(tarvex_brevane_meta_model_meta_object_diff(meta(obj)));
  return map ? gee_abstract_map_get_size(GEE_ABSTRACT_MAP(map.get())) : 0;
}

std::vector<std::pair<std::string, int>> diff_entries(gpointer obj) {
  std::vector<std::pair<std::string, int>> out;
  GRef<GeeHashMap> map = adoptGRef(tarvex_brevane_meta_model_meta_object_diff(meta(obj)));
  if (!map) return out;
  GRef<GeeMapIterator> it = adoptGRef(gee_map_map_iterator(GEE_MAP(map.get())));
  while (gee_map_iterator_next(it.get())) {
    GUniqueStr key(static_cast<char*>(gee_map_iterator_get_key(it.get())));
    out.emplace_back(str(key.get()), GPOINTER_TO_INT(gee_map_iterator_get_value(it.get())));
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::optional<std::string> slice_of(gpointer obj, const std::string& path) {
  GRef<GeeHashMap> map = adoptGRef(tarvex_brevane_meta_model_meta_object_slice(meta(obj)));
  return map_text(map.get(), path.c_str());
}

std::vector<std::string> string_items(GeeArrayList* list) {
  std::vector<std::string> out;
  if (!list) return out;
  const gint n = gee_abstract_collection_get_size(GEE_ABSTRACT_COLLECTION(list));
  for (gint i = 0; i < n; ++i) {
    GUniqueStr s(static_cast<char*>(gee_abstract_list_get(GEE_ABSTRACT_LIST(list), i)));
    out.push_back(str(s.get()));
  }
  return out;
}

// EXECUTE AS takes CALLER, SELF and OWNER as keywords and a user name as a
// string.
std::string execute_as_clause(gpointer object) {
  std::optional<std::string> who = attr(object, "EXECUTOR_USER");
  if (!who || trim(*who).empty()) who = attr(object, "EXECUTOR");
  if (!who || trim(*who).empty()) return {};
  const std::string word = trim(*who);
  for (const char* keyword : {"CALLER", "SELF", "OWNER"})
    if (iequals(word, keyword)) return std::string("EXECUTE AS ") + keyword;
  // "USER" alone marks a user executor whose name is missing.
  if (iequals(word, "USER")) return {};
  return "EXECUTE AS " + sql::nliteral(word);
}

// ------------------------------------------------------------ batches

bool starts_batch(std::string_view batch) {
  size_t i = 0;
  auto skip = [&] {
    for (;;) {
      while (i < batch.size() && std::isspace(static_cast<unsigned char>(batch[i]))) ++i;
      if (batch.substr(i, 2) == "--") {
        while (i < batch.size() && batch[i] != '\n') ++i;
      } else if (batch.substr(i, 2) == "/*") {
        size_t end = batch.find("*/", i + 2);
        i = end == batch.npos ? batch.size() : end + 2;
      } else {
        return;
      }
    }
  };
  auto word = [&] {
    skip();
    size_t b = i;
    while (i < batch.size() &&
           (std::isalnum(static_cast<unsigned char>(batch[i])) || batch[i] == '_'))
      ++i;
    return ascii_upper(batch.substr(b, i - b));
  };
  std::string first = word();
  // A variable is declared once per batch: a DECLARE begins its own.
  if (first == "DECLARE") return true;
  std::string second = word();
  if (first == "CREATE" && second == "OR") {
    if (word() != "ALTER") return false;
    second = word();
  } else if (first == "CREATE") {
    if (second == "SCHEMA" || second == "DEFAULT" || second == "RULE") return true;
  } else if (first != "ALTER") {
    return false;
  }
  return second == "VIEW" || second == "PROCEDURE" || second == "PROC" || second == "FUNCTION" ||
         second == "TRIGGER";
}

std::string executed(std::string_view statement) {
  if (!sql::holds_go_line(statement)) return std::string(statement);
  std::string body = trim(statement);
  return "DECLARE @statement NVARCHAR(MAX) = " + sql::nliteral(body) +
         ";\nEXEC sp_executesql @statement;\n";
}

bool one_constant(std::string_view text) {
  return sql::nliteral(text) == inner_constant(text);
}

std::string inner_constant(std::string_view text) {
  return "N'" + sql::literal_body(text) + "'";
}

std::string dynamic_batch(std::string_view statement, std::string_view procedure) {
  std::string body = trim(statement);
  return "GO\nDECLARE @statement NVARCHAR(MAX) = " + sql::nliteral(body) + ";\nEXEC " +
         std::string(procedure) + " @statement;\nGO\n";
}

std::string with_constants(
    const std::vector<std::string>& values,
    const std::function<std::string(const std::vector<std::string>&)>& make) {
  std::vector<std::string> args;
  std::string declarations;
  for (const auto& value : values) {
    if (one_constant(value)) {
      args.push_back(sql::nliteral(value));
      continue;
    }
    args.push_back("@value" + std::to_string(args.size() + 1));
    declarations += std::string(declarations.empty() ? "DECLARE " : ",\n\t") + args.back() +
                    " NVARCHAR(4000) = " + sql::nliteral(value);
  }
  if (declarations.empty()) return make(args);
  return "GO\n" + declarations + ";\n" + make(args) + "GO\n";
}

void Script::add(std::string_view text) {
  // Only GO lines outside literals, comments and names part batches; a
  // piece that still holds one inside them is run through sp_executesql.
  std::vector<std::string> pieces;
  for (auto& batch : sql::split_batches(text)) pieces.push_back(executed(batch.text));
  for (size_t k = 0; k < pieces.size(); ++k) {
    std::string& last = batches_.back();
    if (k > 0) {
      batches_.push_back(std::move(pieces[k]));
    } else if (!trim(last).empty() && !trim(pieces[k]).empty() &&
               (starts_batch(last) || starts_batch(pieces[k]))) {
      batches_.push_back(std::move(pieces[k]));
    } else {
      last += pieces[k];
    }
  }
}

std::string Script::str() const {
  std::string out;
  for (size_t k = 0; k < batches_.size(); ++k) {
    const bool blank = trim(batches_[k]).empty();
    const bool last = k + 1 == batches_.size();
    if (blank && !last) continue;
    if (!out.empty()) {
      if (out.back() != '\n') out += '\n';
      out += "GO\n";
    }
    if (!blank) out += batches_[k];
  }
  return out;
}

bool Script::empty() const {
  return std::all_of(batches_.begin(), batches_.end(),
                     [](const std::string& b) { return trim(b).empty(); });
}

}  // namespace tarvex::dialect
