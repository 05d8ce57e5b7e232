#include "brevane/database/formatter.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "common/tarvex-gobject-private.h"

typedef struct _TarvexBrevaneSupportsDatabaseFormatterPrivate
    TarvexBrevaneSupportsDatabaseFormatterPrivate;
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

constexpr size_t kMaxDepth = 100;

// ---------------------------------------------------------------------------
// The text is read as tokens, so that no layout rule can reach inside a
// literal, a quoted or bracketed name or a comment, and no rule can join two
// tokens: the layout only ever changes the white space between tokens.

enum class Kind { Word, Quoted, LineComment, BlockComment, Punct, Go };

struct Token {
  Kind kind;
  std::string text;
  bool spaced = false;  // white space stood before it
};

struct Tokens {
  std::vector<Token> list;
  bool trailing_space = false;  // white space after the last token
};

// Only ASCII white space is layout; any other character is text.
bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool is_word(char c) {
  auto u = static_cast<unsigned char>(c);
  return g_ascii_isalnum(c) || c == '_' || c == '@' || c == '#' || c == '$' || u >= 0x80;
}

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

// A line comment ends before its line break ("\n" or "\r\n").
size_t end_of_line_comment(std::string_view sql, size_t at) {
  size_t end = sql.find('\n', at);
  if (end == std::string_view::npos) return sql.size();
  if (end > at + 2 && sql[end - 1] == '\r') --end;
  return end;
}

// The end of a batch separator starting at `at` on a line of its own: GO in
// any case, an optional count, then only comments up to the line's end.
// npos when the line is no separator.
size_t end_of_go_line(std::string_view sql, size_t at) {
  if (sql.size() - at < 2 || g_ascii_toupper(sql[at]) != 'G' || g_ascii_toupper(sql[at + 1]) != 'O')
    return std::string_view::npos;
  size_t j = at + 2, end = j;
  if (j < sql.size() && is_word(sql[j])) return std::string_view::npos;
  size_t k = j;
  while (k < sql.size() && is_blank(sql[k])) ++k;
  if (k > j && k < sql.size() && g_ascii_isdigit(sql[k])) {
    while (k < sql.size() && g_ascii_isdigit(sql[k])) ++k;
    if (k < sql.size() && is_word(sql[k])) return std::string_view::npos;
    end = j = k;
  }
  for (;;) {
    while (j < sql.size() && is_blank(sql[j])) ++j;
    if (j == sql.size() || sql[j] == '\n') return end;
    if (sql[j] == '\r' && (j + 1 == sql.size() || sql[j + 1] == '\n')) return end;
    if (sql.compare(j, 2, "--") == 0) return end_of_line_comment(sql, j);
    if (sql.compare(j, 2, "/*") != 0) return std::string_view::npos;
    size_t close = sql.find("*/", j + 2);
    size_t line_end = sql.find('\n', j);
    if (close == std::string_view::npos || close > line_end) return std::string_view::npos;
    end = j = close + 2;
  }
}

Tokens tokenize(std::string_view sql) {
  Tokens out;
  bool spaced = false, line_start = true;
  size_t i = 0;
  while (i < sql.size()) {
    char c = sql[i];
    if (is_space(c)) {
      spaced = true;
      if (c == '\n') line_start = true;
      ++i;
      continue;
    }
    Kind kind = Kind::Punct;
    size_t end = i + 1;
    size_t go = line_start ? end_of_go_line(sql, i) : std::string_view::npos;
    if (go != std::string_view::npos) {
      kind = Kind::Go;
      end = go;
    } else if (c == '\'' || c == '"') {
      kind = Kind::Quoted;
      end = end_of_quoted(sql, i, c);
    } else if (c == '[') {
      kind = Kind::Quoted;
      end = end_of_quoted(sql, i, ']');
    } else if (sql.compare(i, 2, "--") == 0) {
      kind = Kind::LineComment;
      end = end_of_line_comment(sql, i);
    } else if (sql.compare(i, 2, "/*") == 0) {
      kind = Kind::BlockComment;
      end = end_of_block_comment(sql, i);
    } else if (is_word(c)) {
      kind = Kind::Word;
      while (end < sql.size() && is_word(sql[end])) ++end;
    }
    out.list.push_back(Token{kind, std::string(sql.substr(i, end - i)), spaced});
    spaced = line_start = false;
    i = end;
  }
  out.trailing_space = spaced;
  return out;
}

bool is_word(const Token& token, const char* word) {
  return token.kind == Kind::Word && g_ascii_strcasecmp(token.text.c_str(), word) == 0;
}

bool is_punct(const Token& token, char c) {
  return token.kind == Kind::Punct && token.text[0] == c;
}

// True when the line holding tokens [first, end) would read as a batch
// separator: the word GO, an optional count, and nothing but comments.
bool reads_as_go_line(const std::vector<Token>& list, size_t first, size_t end) {
  if (!is_word(list[first], "GO")) return false;
  size_t k = first + 1;
  if (k < end && list[k].kind == Kind::Word &&
      std::all_of(list[k].text.begin(), list[k].text.end(),
                  [](char ch) { return g_ascii_isdigit(ch); }))
    ++k;
  for (; k < end; ++k) {
    if (list[k].kind != Kind::LineComment && list[k].kind != Kind::BlockComment) return false;
  }
  return true;
}

// A word GO must never stand alone on a line it did not stand on before:
// every tool that runs scripts would cut the batch there. Such a line is
// joined to the line before it, or else to the line after it. `sep[i]` is the
// text before token i, `sep[n]` the one after the last.
void keep_batches(const std::vector<Token>& list, std::vector<std::string>& sep) {
  const size_t n = list.size();
  auto breaks = [&](size_t k) { return sep[k].find('\n') != std::string::npos; };
  auto ends_line = [&](size_t k) {
    return list[k].kind == Kind::LineComment || list[k].kind == Kind::Go;
  };
  for (size_t first = 0; first < n; ++first) {
    if ((first > 0 && !breaks(first)) || list[first].kind == Kind::Go) continue;
    for (;;) {
      size_t end = first + 1;
      while (end < n && !breaks(end)) ++end;
      if (!reads_as_go_line(list, first, end)) break;
      if (first > 0 && !ends_line(first - 1)) {
        sep[first] = " ";
        break;
      }
      if (end == n || ends_line(end - 1) || list[end].kind == Kind::Go) break;
      sep[end] = " ";
    }
  }
}

std::string join(const std::vector<Token>& list, const std::vector<std::string>& sep) {
  std::string out;
  for (size_t i = 0; i < list.size(); ++i) out += sep[i] + list[i].text;
  return out + sep[list.size()];
}

// ---------------------------------------------------------------------------

std::string minify_text(std::string_view sql) {
  Tokens tokens = tokenize(sql);
  const auto& list = tokens.list;
  const size_t n = list.size();
  std::vector<std::string> sep(n + 1);
  for (size_t i = 0; i < n; ++i) {
    const Token& t = list[i];
    if (i > 0 && (list[i - 1].kind == Kind::LineComment || list[i - 1].kind == Kind::Go ||
                  t.kind == Kind::Go))
      sep[i] = "\n";
    else if (t.spaced && !is_punct(t, '(') && !is_punct(t, ')') && t.kind != Kind::Go)
      sep[i] = " ";
  }
  if (tokens.trailing_space)
    sep[n] = n > 0 && (list[n - 1].kind == Kind::LineComment || list[n - 1].kind == Kind::Go) ? "\n"
                                                                                              : " ";
  keep_batches(list, sep);
  return join(list, sep);
}

// Where the clause rules put line breaks. Each token i may start a new line
// (`brk`), leave text at the end of the line before (`lead`) and carry text
// before it on its own line (`pre`, or its separator when no line starts).
struct Clauses {
  std::vector<bool> brk;
  std::vector<std::string> lead, pre;
};

Clauses split_clauses(std::vector<Token>& list, bool trailing_space, const std::string& tab) {
  const size_t n = list.size();
  Clauses c;
  c.brk.assign(n, false);
  c.lead.assign(n, "");
  c.pre.resize(n);
  for (size_t i = 0; i < n; ++i) c.pre[i] = list[i].spaced ? " " : "";
  auto spaced_after = [&](size_t i) { return i + 1 < n ? list[i + 1].spaced : trailing_space; };
  auto around = [&](size_t i) { return list[i].spaced && spaced_after(i); };
  auto upper = [&](size_t i) {
    for (char& ch : list[i].text) ch = g_ascii_toupper(ch);
  };
  auto line = [&](size_t i, std::string indent) {
    c.brk[i] = true;
    c.lead[i].clear();
    c.pre[i] = std::move(indent);
  };
  auto any = [&](size_t i, std::initializer_list<const char*> words) {
    for (const char* w : words)
      if (is_word(list[i], w)) return true;
    return false;
  };
  const std::string tab2 = tab + tab;
  std::vector<bool> wide(n, false);  // a second blank after GROUP BY and ORDER BY

  // Breaks a keyword sets on the token after it; the token's own rule, applied
  // after, has the last word on its indentation.
  for (size_t i = 0; i + 1 < n; ++i) {
    if (any(i, {"THEN"}) && around(i)) line(i + 1, tab);
    if (any(i, {"UNION"}) && around(i)) line(i + 1, "");
    if (is_punct(list[i], ')') && is_word(list[i + 1], "SELECT") && spaced_after(i + 1))
      line(i + 1, "");
  }
  for (size_t i = 0; i < n; ++i) {
    const Token& t = list[i];
    if (t.kind == Kind::Punct && t.text == "(" && i + 1 < n && is_word(list[i + 1], "SELECT") &&
        spaced_after(i + 1)) {
      // A subquery starts its own line; the blank before it stays behind.
      line(i, "");
      c.lead[i] = t.spaced ? " " : "";
      c.pre[i + 1] = "";
      continue;
    }
    if (t.kind != Kind::Word) continue;
    if (any(i, {"SELECT"}) && spaced_after(i)) {
      upper(i);
    } else if (any(i, {"AND", "OR"}) && around(i)) {
      upper(i);
      line(i, tab2);
    } else if (any(i, {"BETWEEN", "CASE", "ELSE", "END", "ON", "OVER", "WHEN"}) && around(i)) {
      upper(i);
      line(i, tab);
    } else if (any(i, {"THEN"}) && around(i)) {
      upper(i);
    } else if (any(i, {"FROM", "HAVING", "UNION", "USING", "WHERE", "WITH"}) && around(i)) {
      upper(i);
      line(i, "");
    } else if (any(i, {"JOIN"}) && around(i)) {
      upper(i);
      if (i > 0 && any(i - 1, {"CROSS", "INNER", "LEFT", "RIGHT"}) && list[i - 1].spaced) {
        upper(i - 1);
        line(i - 1, "");
        c.pre[i] = " ";
      } else {
        line(i, "");
      }
    } else if (any(i, {"GROUP", "ORDER"}) && t.spaced && i + 1 < n && is_word(list[i + 1], "BY") &&
               list[i + 1].spaced) {
      upper(i);
      upper(i + 1);
      line(i, "");
      c.pre[i + 1] = " ";
      if (i + 2 < n) wide[i + 2] = true;
    } else if (any(i, {"IN", "ALL", "AS", "ASC", "DESC", "DISTINCT", "EXISTS", "NOT", "NULL",
                       "LIKE"}) &&
               around(i)) {
      upper(i);
    }
  }
  for (size_t i = 0; i < n; ++i) {
    if (wide[i] && !c.brk[i]) c.pre[i] = " " + c.pre[i];
    // A line comment runs to the end of its line; a batch separator stands
    // on a line of its own.
    bool own_line = list[i].kind == Kind::Go ||
                    (i > 0 && (list[i - 1].kind == Kind::Go ||
                               (list[i - 1].kind == Kind::LineComment && !c.brk[i])));
    if (own_line) line(i, "");
  }
  if (n > 0) {
    c.brk[0] = false;
    c.lead[0].clear();
    c.pre[0].clear();
  }
  return c;
}

std::string beautify_text(const Private* priv, std::string_view sql) {
  Tokens tokens = tokenize(sql);
  auto& list = tokens.list;
  const size_t n = list.size();
  Clauses c = split_clauses(list, tokens.trailing_space, priv->step);
  const std::string tab2 = priv->step + priv->step;

  // Each run of tokens up to the next break is one line: subqueries go one
  // step deeper, and a line holding SELECT breaks after each comma.
  std::vector<std::string> sep(n + 1);
  size_t depth = 0;
  long level = 0;
  for (size_t first = 0; first < n;) {
    size_t end = first + 1;
    while (end < n && !c.brk[end]) ++end;
    bool subquery = false, select = false;
    for (size_t k = first; k < end; ++k) {
      const Token& t = list[k];
      level += is_punct(t, '(') - is_punct(t, ')');
      select |= t.kind == Kind::Word && t.text == "SELECT";
      subquery |= is_punct(t, '(') && k + 1 < end && list[k + 1].kind == Kind::Word &&
                  list[k + 1].text == "SELECT";
    }
    if (list[first].kind == Kind::Go) depth = 0, level = 0;
    if (select) {
      for (size_t k = first; k + 1 < end; ++k)
        if (is_punct(list[k], ',')) c.pre[k + 1] = "\n" + tab2 + c.pre[k + 1];
    }
    if (subquery && depth < kMaxDepth) ++depth;
    sep[first] = c.lead[first] + (first > 0 ? priv->shift[depth] : priv->shift[depth].substr(1)) +
                 c.pre[first];
    for (size_t k = first + 1; k < end; ++k) sep[k] = c.pre[k];
    if (!subquery && depth > 0 && level < 1) --depth;
    first = end;
  }
  if (tokens.trailing_space)
    sep[n] = n > 0 && (list[n - 1].kind == Kind::LineComment || list[n - 1].kind == Kind::Go) ? "\n"
                                                                                              : " ";
  keep_batches(list, sep);
  return join(list, sep);
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
  try {
    return tarvex::dup(
        beautify_text(tarvex_brevane_supports_database_formatter_get_private(self), statements));
  } catch (const std::exception& e) {
    g_critical("file %s: line %d: unexpected error: %s", __FILE__, __LINE__, e.what());
    return nullptr;
  }
}

gchar* formatter_minify(Formattable* self, const gchar* statements) {
  g_return_val_if_fail(statements != NULL, nullptr);
  try {
    return tarvex::dup(minify_text(statements));
  } catch (const std::exception& e) {
    g_critical("file %s: line %d: unexpected error: %s", __FILE__, __LINE__, e.what());
    return nullptr;
  }
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
