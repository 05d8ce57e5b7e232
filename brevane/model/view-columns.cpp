#include "brevane/model/view-columns-private.h"

#include <glib.h>

#include <algorithm>
#include <initializer_list>

namespace tarvex::meta {

namespace {

bool is_word_byte(char c) {
  auto u = static_cast<unsigned char>(c);
  return g_ascii_isalnum(c) || c == '_' || c == '@' || c == '#' || c == '$' || u >= 0x80;
}

bool word_is(std::string_view word, std::initializer_list<const char*> any) {
  for (const char* candidate : any)
    if (word.size() == std::string_view(candidate).size() &&
        g_ascii_strncasecmp(word.data(), candidate, word.size()) == 0)
      return true;
  return false;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && g_ascii_isspace(s.front())) s.remove_prefix(1);
  while (!s.empty() && g_ascii_isspace(s.back())) s.remove_suffix(1);
  return s;
}

// A quoted name, string literal or comment starting at i: the index after
// it, or i when none starts there. Doubled closing quotes stay inside.
std::size_t skip_span(std::string_view s, std::size_t i, bool* comment = nullptr) {
  auto closing = [&](char close) {
    for (std::size_t j = i + 1; j < s.size(); ++j) {
      if (s[j] != close) continue;
      if (j + 1 < s.size() && s[j + 1] == close) {
        ++j;
        continue;
      }
      return j + 1;
    }
    return s.size();
  };
  if (comment) *comment = false;
  switch (s[i]) {
    case '\'':
      return closing('\'');
    case '"':
      return closing('"');
    case '`':
      return closing('`');
    case '[':
      return closing(']');
    case '-':
      if (i + 1 < s.size() && s[i + 1] == '-') {
        if (comment) *comment = true;
        std::size_t end = s.find('\n', i);
        return end == std::string_view::npos ? s.size() : end;
      }
      break;
    case '/':
      if (i + 1 < s.size() && s[i + 1] == '*') {
        if (comment) *comment = true;
        int level = 0;
        for (std::size_t j = i; j + 1 < s.size(); ++j) {
          if (s[j] == '/' && s[j + 1] == '*') {
            ++level;
            ++j;
          } else if (s[j] == '*' && s[j + 1] == '/') {
            ++j;
            if (--level == 0) return j + 1;
          }
        }
        return s.size();
      }
      break;
    default:
      break;
  }
  return i;
}

std::size_t word_end(std::string_view s, std::size_t i) {
  while (i < s.size() && is_word_byte(s[i])) ++i;
  return i;
}

bool word_starts(std::string_view s, std::size_t i) {
  return is_word_byte(s[i]) && (i == 0 || !is_word_byte(s[i - 1]));
}

// One top-level token of a select item.
struct Token {
  enum Kind { Word, Quoted, Group, Punct } kind;
  std::size_t start, end;
  bool space_before;
};

std::vector<Token> tokenize(std::string_view s) {
  std::vector<Token> tokens;
  bool space = false;
  std::size_t i = 0;
  while (i < s.size()) {
    bool comment = false;
    std::size_t j = skip_span(s, i, &comment);
    if (comment || g_ascii_isspace(s[i])) {
      space = true;
      i = j > i ? j : i + 1;
      continue;
    }
    if (j > i) {
      tokens.push_back({Token::Quoted, i, j, space});
    } else if (is_word_byte(s[i])) {
      j = word_end(s, i);
      tokens.push_back({Token::Word, i, j, space});
    } else if (s[i] == '(') {
      int depth = 0;
      for (j = i; j < s.size(); ++j) {
        std::size_t k = skip_span(s, j);
        if (k > j) {
          j = k - 1;
          continue;
        }
        if (s[j] == '(') ++depth;
        if (s[j] == ')' && --depth == 0) break;
      }
      j = std::min(j + 1, s.size());
      tokens.push_back({Token::Group, i, j, space});
    } else {
      j = i + 1;
      tokens.push_back({Token::Punct, i, j, space});
    }
    space = false;
    i = j;
  }
  return tokens;
}

// Words that cannot be an alias, or cannot precede one.
bool operand_keyword(std::string_view w) {
  return word_is(w, {"and", "or", "not", "is", "in", "like", "between", "then", "else", "when",
                     "case", "collate", "escape", "exists", "distinct", "all", "top", "as"});
}
bool never_alias(std::string_view w) {
  return operand_keyword(w) || word_is(w, {"end", "null", "asc", "desc", "over"});
}

std::string strip_quotes(std::string_view name) {
  std::string out;
  for (char c : name)
    if (c != '`' && c != '\'' && c != '"' && c != '[' && c != ']') out += c;
  return std::string(trim(out));
}

bool resolve(std::string_view item, ViewColumn* column) {
  item = trim(item);
  if (item.empty()) return false;
  auto tokens = tokenize(item);
  auto text = [&](const Token& t) { return item.substr(t.start, t.end - t.start); };
  auto set = [&](std::string_view raw, std::string_view name) {
    column->raw = std::string(trim(raw));
    column->name = strip_quotes(name);
    return !column->name.empty();
  };

  // expression AS alias
  for (std::size_t k = tokens.size(); k-- > 1;) {
    if (tokens[k].kind == Token::Word && word_is(text(tokens[k]), {"as"}) && k + 1 < tokens.size())
      return set(item.substr(0, tokens[k].start), item.substr(tokens[k].end));
  }
  // alias = expression
  if (tokens.size() > 2 && tokens[1].kind == Token::Punct && item[tokens[1].start] == '=' &&
      (tokens[0].kind == Token::Quoted ||
       (tokens[0].kind == Token::Word && !never_alias(text(tokens[0]))))) {
    return set(item.substr(tokens[1].end), text(tokens[0]));
  }
  // expression alias
  if (tokens.size() >= 2) {
    const Token& last = tokens.back();
    const Token& before = tokens[tokens.size() - 2];
    bool alias = last.space_before && ((last.kind == Token::Word && !never_alias(text(last)) &&
                                        !g_ascii_isdigit(item[last.start])) ||
                                       (last.kind == Token::Quoted && item[last.start] != '`'));
    bool ends_operand = before.kind == Token::Quoted || before.kind == Token::Group ||
                        (before.kind == Token::Word && !operand_keyword(text(before)));
    if (alias && ends_operand) return set(item.substr(0, last.start), text(last));
  }
  return set(item, item);
}

}  // namespace

std::vector<ViewColumn> read_view_columns(std::string_view s) {
  // The first SELECT outside quotes and comments.
  std::size_t i = 0;
  bool found = false;
  while (i < s.size() && !found) {
    std::size_t j = skip_span(s, i);
    if (j > i) {
      i = j;
    } else if (word_starts(s, i)) {
      j = word_end(s, i);
      found = word_is(s.substr(i, j - i), {"select"});
      i = j;
    } else {
      ++i;
    }
  }
  if (!found) return {};

  // ALL, DISTINCT and TOP (n) [PERCENT] [WITH TIES] come before the items.
  auto next_word = [&](std::size_t from, std::size_t* start) {
    while (from < s.size()) {
      bool comment = false;
      std::size_t j = skip_span(s, from, &comment);
      if (comment) {
        from = j;
      } else if (g_ascii_isspace(s[from])) {
        ++from;
      } else {
        break;
      }
    }
    *start = from;
    return from < s.size() && is_word_byte(s[from]) ? s.substr(from, word_end(s, from) - from)
                                                    : std::string_view();
  };
  for (;;) {
    std::size_t start = 0;
    std::string_view word = next_word(i, &start);
    if (word_is(word, {"all", "distinct", "percent"})) {
      i = start + word.size();
    } else if (word_is(word, {"with"})) {
      std::size_t ties_start = 0;
      std::string_view ties = next_word(start + word.size(), &ties_start);
      if (!word_is(ties, {"ties"})) break;
      i = ties_start + ties.size();
    } else if (word_is(word, {"top"})) {
      std::size_t at = start + word.size();
      while (at < s.size() && g_ascii_isspace(s[at])) ++at;
      if (at < s.size() && s[at] == '(') {
        int depth = 0;
        for (; at < s.size(); ++at) {
          if (s[at] == '(') ++depth;
          if (s[at] == ')' && --depth == 0) break;
        }
        i = std::min(at + 1, s.size());
      } else {
        i = word_end(s, at);
      }
    } else {
      break;
    }
  }

  // Items split at top-level commas, up to the top-level end of the list.
  std::vector<std::string> items(1);
  int depth = 0;
  while (i < s.size()) {
    bool comment = false;
    std::size_t j = skip_span(s, i, &comment);
    if (j > i) {
      items.back() += comment ? std::string(" ") : std::string(s.substr(i, j - i));
      i = j;
      continue;
    }
    char c = s[i];
    if (c == '(') ++depth;
    if (c == ')' && --depth < 0) break;
    if (depth == 0 && c == ',') {
      items.emplace_back();
      ++i;
      continue;
    }
    if (word_starts(s, i)) {
      j = word_end(s, i);
      std::string_view word = s.substr(i, j - i);
      if (depth == 0 && word_is(word, {"from", "where", "group", "having", "order", "union",
                                       "except", "intersect", "into", "option", "for"}))
        break;
      items.back() += word;
      i = j;
      continue;
    }
    items.back() += c;
    ++i;
  }

  std::vector<ViewColumn> columns;
  for (const auto& item : items) {
    ViewColumn column;
    if (resolve(item, &column)) columns.push_back(std::move(column));
  }
  return columns;
}

}  // namespace tarvex::meta
