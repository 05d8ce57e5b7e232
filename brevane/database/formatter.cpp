#include "brevane/database/formatter.h"

#include <array>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/tarvex-gobject-private.h"

using tarvex::GUniqueError;

typedef struct _TarvexBrevaneSupportsDatabaseFormatterPrivate TarvexBrevaneSupportsDatabaseFormatterPrivate;
struct _TarvexBrevaneSupportsDatabaseFormatterPrivate {
  std::string step = "    ";
  // Entry k: a line feed and k steps.
  std::vector<std::string> shift;
  std::mutex options_lock;
  std::map<std::string, std::string> options;

  _TarvexBrevaneSupportsDatabaseFormatterPrivate() {
    shift.reserve(101);
    std::string entry = "\n";
    for (int k = 0; k <= 100; ++k) {
      shift.push_back(entry);
      entry += step;
    }
  }
};

static void tarvex_brevane_supports_database_formatter_iformattable_init(
    TarvexBrevaneContractsDatabaseIFormattableIface* iface);

TARVEX_DEFINE_TYPE_WITH_CODE(
    TarvexBrevaneSupportsDatabaseFormatter, tarvex_brevane_supports_database_formatter,
    G_TYPE_OBJECT,
    G_IMPLEMENT_INTERFACE(TARVEX_BREVANE_CONTRACTS_DATABASE_TYPE_IFORMATTABLE,
                          tarvex_brevane_supports_database_formatter_iformattable_init))

namespace {

using Formattable = TarvexBrevaneContractsDatabaseIFormattable;
using Private = TarvexBrevaneSupportsDatabaseFormatterPrivate;

constexpr const char* kBreak = "~::~";
constexpr size_t kMaxDepth = 100;

GRegex* compile(const char* pattern, bool caseless) {
  auto flags = GRegexCompileFlags(G_REGEX_OPTIMIZE | (caseless ? G_REGEX_CASELESS : 0));
  return g_regex_new(pattern, flags, GRegexMatchFlags(0), nullptr);
}

// Compiled once per process and shared read-only.
struct Expressions {
  GRegex* spaces = compile("\\s{1,}", false);
  GRegex* spaces_open = compile("\\s{1,}\\(", false);
  GRegex* spaces_close = compile("\\s{1,}\\)", false);
  GRegex* quote = compile("\\'", false);
  GRegex* comma = compile("\\,", false);
  GRegex* select = compile("\\s{0,}\\s{0,}SELECT\\s{0,}", false);
  GRegex* subquery = compile("\\s{0,}\\(\\s{0,}SELECT\\s{0,}", false);
  GRegex* leading_breaks = compile("^\\n{1,}", false);
  GRegex* breaks = compile("\\n{1,}", false);
  // Clause splitting: pattern and replacement, in order. "\t" in a
  // replacement stands for the step.
  std::vector<std::pair<GRegex*, std::string>> clauses;

  Expressions() {
    struct Rule {
      const char* pattern;
      const char* replacement;
      bool caseless;
    };
    static constexpr Rule rules[] = {
        {"\\s{1,}", " ", false},
        {" AND ", "~::~\t\tAND ", true},
        {" BETWEEN ", "~::~\tBETWEEN ", true},
        {" CASE ", "~::~\tCASE ", true},
        {" ELSE ", "~::~\tELSE ", true},
        {" END ", "~::~\tEND ", true},
        {" FROM ", "~::~FROM ", true},
        {" GROUP\\s{1,}BY", "~::~GROUP BY ", true},
        {" HAVING ", "~::~HAVING ", true},
        {" IN ", " IN ", true},
        {" JOIN ", "~::~JOIN ", true},
        {" CROSS~::~{1,}JOIN ", "~::~CROSS JOIN ", true},
        {" INNER~::~{1,}JOIN ", "~::~INNER JOIN ", true},
        {" LEFT~::~{1,}JOIN ", "~::~LEFT JOIN ", true},
        {" RIGHT~::~{1,}JOIN ", "~::~RIGHT JOIN ", true},
        {" ON ", "~::~\tON ", true},
        {" OR ", "~::~\t\tOR ", true},
        {" ORDER\\s{1,}BY", "~::~ORDER BY ", true},
        {" OVER ", "~::~\tOVER ", true},
        {"\\(\\s{0,}SELECT ", "~::~(SELECT ", true},
        {"\\)\\s{0,}SELECT ", ")~::~SELECT ", true},
        {" THEN ", " THEN~::~\t", true},
        {" UNION ", "~::~UNION~::~", true},
        {" USING ", "~::~USING ", true},
        {" WHEN ", "~::~\tWHEN ", true},
        {" WHERE ", "~::~WHERE ", true},
        {" WITH ", "~::~WITH ", true},
        {" ALL ", " ALL ", true},
        {" AS ", " AS ", true},
        {" ASC ", " ASC ", true},
        {" DESC ", " DESC ", true},
        {" DISTINCT ", " DISTINCT ", true},
        {" EXISTS ", " EXISTS ", true},
        {" NOT ", " NOT ", true},
        {" NULL ", " NULL ", true},
        {" LIKE ", " LIKE ", true},
        {"\\s{0,}SELECT ", "SELECT ", true},
        {"~::~{1,}", "~::~", false},
    };
    for (const Rule& rule : rules)
      clauses.emplace_back(compile(rule.pattern, rule.caseless), rule.replacement);
  }
};

const Expressions& expressions() {
  static const Expressions* shared = new Expressions();
  return *shared;
}

// Replaces every match of `regex` in `text`; false (and the error) when the
// regular-expression library fails.
bool replace_all(GRegex* regex, std::string& text, const std::string& replacement, GError** error) {
  if (!regex) {
    g_set_error_literal(error, G_REGEX_ERROR, G_REGEX_ERROR_COMPILE, "expression not compiled");
    return false;
  }
  gchar* result = g_regex_replace_literal(regex, text.c_str(), -1, 0, replacement.c_str(),
                                          GRegexMatchFlags(0), error);
  if (!result) return false;
  text.assign(result);
  g_free(result);
  return true;
}

bool matches(GRegex* regex, const std::string& text) {
  return regex && g_regex_match(regex, text.c_str(), GRegexMatchFlags(0), nullptr);
}

std::vector<std::string> split(const std::string& text, std::string_view marker) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t at; (at = text.find(marker, start)) != std::string::npos; start = at + marker.size())
    pieces.push_back(text.substr(start, at - start));
  pieces.push_back(text.substr(start));
  return pieces;
}

std::string expand_tabs(const std::string& replacement, const std::string& tab) {
  std::string out;
  for (char c : replacement) {
    if (c == '\t')
      out += tab;
    else
      out += c;
  }
  return out;
}

// ---------------------------------------------------------------------------
// Literals, quoted and bracketed identifiers and comments are set aside
// behind placeholders while the layout rules run, so that no rule folds,
// breaks or upper-cases text inside them.
struct Shielded {
  std::string text;
  std::vector<std::string> pieces;
  std::vector<bool> line_comment;
  char mark = 0;
};

size_t end_of_quoted(std::string_view sql, size_t at, char close) {
  for (size_t j = at + 1; j < sql.size(); ++j) {
    if (sql[j] != close) continue;
    if (j + 1 < sql.size() && sql[j + 1] == close) {
      ++j;  // a doubled closing character stands for itself
      continue;
    }
    return j + 1;
  }
  return sql.size();
}

size_t end_of_block_comment(std::string_view sql, size_t at) {
  int depth = 0;
  size_t j = at;
  while (j < sql.size()) {
    if (sql.compare(j, 2, "/*") == 0) {
      ++depth;
      j += 2;
    } else if (sql.compare(j, 2, "*/") == 0) {
      j += 2;
      if (--depth == 0) return j;
    } else {
      ++j;
    }
  }
  return sql.size();
}

// A control character the text does not hold, or 0.
char free_mark(std::string_view sql) {
  for (char c = 1; c < 0x1C; ++c) {
    if (c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') continue;
    if (sql.find(c) == std::string_view::npos) return c;
  }
  return 0;
}

Shielded shield(std::string_view sql) {
  Shielded out;
  out.mark = free_mark(sql);
  if (!out.mark) {
    out.text.assign(sql);
    return out;
  }
  size_t i = 0;
  while (i < sql.size()) {
    char c = sql[i];
    size_t end = 0;
    bool line = false;
    if (c == '\'' || c == '"') {
      end = end_of_quoted(sql, i, c);
    } else if (c == '[') {
      end = end_of_quoted(sql, i, ']');
    } else if (sql.compare(i, 2, "--") == 0) {
      end = sql.find('\n', i);
      if (end == std::string_view::npos) end = sql.size();
      line = true;
    } else if (sql.compare(i, 2, "/*") == 0) {
      end = end_of_block_comment(sql, i);
    } else {
      out.text += c;
      ++i;
      continue;
    }
    out.text += out.mark;
    out.text += std::to_string(out.pieces.size());
    out.text += out.mark;
    out.pieces.emplace_back(sql.substr(i, end - i));
    out.line_comment.push_back(line);
    i = end;
  }
  return out;
}

// Puts the set-aside texts back. A line comment ends its line: the blank
// that the layout left after it becomes a line feed again.
std::string unshield(const Shielded& shielded, const std::string& text) {
  if (shielded.pieces.empty()) return text;
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != shielded.mark) {
      out += text[i++];
      continue;
    }
    size_t close = text.find(shielded.mark, i + 1);
    if (close == std::string::npos) {
      out.append(text, i, std::string::npos);
      break;
    }
    size_t index = std::stoul(text.substr(i + 1, close - i - 1));
    out += shielded.pieces[index];
    i = close + 1;
    if (shielded.line_comment[index] && i < text.size()) {
      if (text[i] == ' ') ++i;
      if (i >= text.size() || text[i] != '\n') out += '\n';
    }
  }
  return out;
}

// ---------------------------------------------------------------------------

bool split_clauses(const std::string& str, const std::string& tab, std::vector<std::string>& out,
                   GError** error) {
  std::string text = str;
  for (const auto& [regex, replacement] : expressions().clauses) {
    if (!replace_all(regex, text, expand_tabs(replacement, tab), error)) return false;
  }
  for (auto& piece : split(text, kBreak)) out.push_back(std::move(piece));
  return true;
}

gchar* beautify_text(Private* priv, const gchar* statements) {
  const Expressions& ex = expressions();
  Shielded shielded = shield(statements);
  std::string text = shielded.text;
  GUniqueError error;

  if (!replace_all(ex.spaces, text, " ", error.out())) return g_strdup(statements);
  if (!replace_all(ex.quote, text, "~::~'", error.out())) return g_strdup(statements);

  // Even positions lie outside quotes, odd ones begin at a quote.
  std::vector<std::string> parts = split(text, kBreak);
  std::vector<std::string> pieces;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i % 2 == 1)
      pieces.push_back(parts[i]);
    else if (!split_clauses(parts[i], priv->step, pieces, error.out()))
      return g_strdup(statements);
  }

  const std::string tab2 = priv->step + priv->step;
  std::string buffer;
  size_t depth = 0;
  long level = 0;
  for (std::string& piece : pieces) {
    for (char c : piece) level += (c == '(') - (c == ')');
    if (matches(ex.select, piece) && !replace_all(ex.comma, piece, ",\n" + tab2, error.out()))
      return g_strdup(statements);
    if (matches(ex.subquery, piece)) {
      if (depth < kMaxDepth) ++depth;
      buffer += priv->shift[depth];
      buffer += piece;
      continue;
    }
    if (piece.find('\'') == std::string::npos) buffer += priv->shift[depth];
    buffer += piece;
    if (depth > 0 && level < 1) --depth;
  }

  if (!replace_all(ex.leading_breaks, buffer, "", error.out()) ||
      !replace_all(ex.breaks, buffer, "\n", error.out()))
    return g_strdup(statements);
  return tarvex::dup(unshield(shielded, buffer));
}

gchar* minify_text(const gchar* statements) {
  const Expressions& ex = expressions();
  Shielded shielded = shield(statements);
  std::string text = shielded.text;
  GUniqueError error;
  if (replace_all(ex.spaces, text, " ", error.out()) &&
      replace_all(ex.spaces_open, text, "(", error.out()) &&
      replace_all(ex.spaces_close, text, ")", error.out()))
    return tarvex::dup(unshield(shielded, text));
  g_warning("formatter:104: Failed to minify statements: %s", error->message);
  return tarvex::dup(unshield(shielded, text));
}

void formatter_option(Formattable* self, const gchar* name, const gchar* value) {
  g_return_if_fail(name != NULL);
  g_return_if_fail(value != NULL);
  auto* priv = tarvex_brevane_supports_database_formatter_get_private(self);
  std::lock_guard<std::mutex> guard(priv->options_lock);
  priv->options[name] = value;
}

gchar* formatter_beautify(Formattable* self, const gchar* statements) {
  g_return_val_if_fail(statements != NULL, nullptr);
  return beautify_text(tarvex_brevane_supports_database_formatter_get_private(self), statements);
}

gchar* formatter_minify(Formattable* self, const gchar* statements) {
  g_return_val_if_fail(statements != NULL, nullptr);
  return minify_text(statements);
}

}  // namespace

static void tarvex_brevane_supports_database_formatter_iformattable_init(
    TarvexBrevaneContractsDatabaseIFormattableIface* iface) {
  iface->option = formatter_option;
  iface->beautify = formatter_beautify;
  iface->minify = formatter_minify;
}

static void tarvex_brevane_supports_database_formatter_class_setup(
    TarvexBrevaneSupportsDatabaseFormatterClass*) {}

TarvexBrevaneSupportsDatabaseFormatter* tarvex_brevane_supports_database_formatter_construct(
    GType object_type) {
  return static_cast<TarvexBrevaneSupportsDatabaseFormatter*>(g_object_new(object_type, nullptr));
}

TarvexBrevaneSupportsDatabaseFormatter* tarvex_brevane_supports_database_formatter_new(void) {
  return tarvex_brevane_supports_database_formatter_construct(
      TARVEX_BREVANE_SUPPORTS_DATABASE_TYPE_FORMATTER);
}
