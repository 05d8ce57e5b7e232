#include "brevane/database/sqlserver/sql_server_definition-private.h"

#include <glib.h>

#include <cstring>
#include <vector>

#include "brevane/sql/tsql-scanner-private.h"
#include "common/tarvex-gobject-private.h"
#include "common/tarvex-text-private.h"

namespace tarvex::dialect {
namespace {

using tarvex::sql::Scanner;
using tarvex::sql::Token;

bool word_is(std::string_view word, const char* keyword) {
  return word.size() == std::strlen(keyword) &&
         g_ascii_strncasecmp(word.data(), keyword, word.size()) == 0;
}

using tarvex::text::trim;

}  // namespace

size_t find_body_start(std::string_view definition) {
  Scanner scanner(definition);
  int depth = 0;
  Token previous;
  for (Token t = scanner.next(); t.kind != Token::End; previous = t, t = scanner.next()) {
    if (t.kind == Token::Open) {
      ++depth;
    } else if (t.kind == Token::Close) {
      if (depth > 0) --depth;
    } else if (t.kind == Token::Word && depth == 0 && word_is(scanner.text_of(t), "AS")) {
      if (previous.kind == Token::Variable) continue;
      if (previous.kind == Token::Word && (word_is(scanner.text_of(previous), "EXECUTE") ||
                                           word_is(scanner.text_of(previous), "EXEC")))
        continue;
      return t.end;
    }
  }
  return std::string_view::npos;
}

std::string definition_body(std::string_view definition) {
  size_t start = find_body_start(definition);
  if (start == std::string_view::npos) return trim(definition);
  return trim(definition.substr(start));
}

std::string strip_outer_parentheses(std::string_view expression) {
  std::string text = trim(expression);
  if (text.size() < 2 || text.front() != '(' || text.back() != ')') return text;
  Scanner scanner(text);
  int depth = 0;
  for (Token t = scanner.next(); t.kind != Token::End; t = scanner.next()) {
    if (t.kind == Token::Open) {
      ++depth;
    } else if (t.kind == Token::Close) {
      // The first parenthesis closes before the end: they do not pair.
      if (--depth == 0) return t.end == text.size() ? text.substr(1, text.size() - 2) : text;
    }
  }
  return text;
}

namespace {

bool is_punct(const Scanner& scanner, const Token& t, char c) {
  return t.kind == Token::Other && t.end == t.start + 1 && scanner.text_of(t)[0] == c;
}

bool ends_parameter(const Scanner& scanner, const Token& t) {
  if (t.kind != Token::Word) return false;
  for (const char* word : {"OUTPUT", "OUT", "READONLY", "WITH", "AS", "FOR", "RETURNS"})
    if (word_is(scanner.text_of(t), word)) return true;
  return false;
}

}  // namespace

RoutineHeader read_routine_header(std::string_view definition) {
  RoutineHeader header;
  size_t body = find_body_start(definition);
  std::string_view head =
      definition.substr(0, body == std::string_view::npos ? definition.size() : body);
  std::vector<Token> tokens;
  Scanner scanner(head);
  for (Token t = scanner.next(); t.kind != Token::End; t = scanner.next()) tokens.push_back(t);

  // Depth of each token (the depth it stands at, before it opens or closes).
  std::vector<int> depth(tokens.size());
  for (size_t i = 0, d = 0; i < tokens.size(); i++) {
    if (tokens[i].kind == Token::Close && d > 0) --d;
    depth[i] = int(d);
    if (tokens[i].kind == Token::Open) ++d;
  }

  bool returns_seen = false;
  for (size_t i = 0; i < tokens.size(); i++) {
    const Token& t = tokens[i];
    if (t.kind == Token::Word && word_is(scanner.text_of(t), "RETURNS")) {
      returns_seen = true;
      size_t k = i + 1;
      if (k < tokens.size() && tokens[k].kind == Token::Variable) {
        header.return_variable = std::string(scanner.text_of(tokens[k]));
        ++k;
      }
      if (k < tokens.size() && tokens[k].kind == Token::Word &&
          word_is(scanner.text_of(tokens[k]), "TABLE") && k + 1 < tokens.size() &&
          tokens[k + 1].kind == Token::Open) {
        size_t open = k + 1;
        for (size_t m = open + 1; m < tokens.size(); m++) {
          if (tokens[m].kind == Token::Close && depth[m] == depth[open]) {
            header.return_table =
                std::string(head.substr(tokens[open].start, tokens[m].end - tokens[open].start));
            break;
          }
        }
      }
      continue;
    }
    // Parameters come before RETURNS; the table a function returns has
    // columns, not parameters.
    if (returns_seen || t.kind != Token::Variable) continue;
    const int level = depth[i];
    size_t k = i + 1;
    size_t start = std::string_view::npos, end = 0;
    for (; k < tokens.size(); k++) {
      const Token& u = tokens[k];
      if (depth[k] < level) break;
      if (depth[k] > level) {
        if (start != std::string_view::npos) end = u.end;
        continue;
      }
      // A parenthesis at this level belongs to the type or the default
      // (one that closes the parameter list stands a level lower).
      if (u.kind == Token::Open || u.kind == Token::Close) {
        if (start != std::string_view::npos) end = u.end;
        continue;
      }
      if (is_punct(scanner, u, ',')) break;
      if (start == std::string_view::npos) {
        if (is_punct(scanner, u, '=')) start = k + 1 < tokens.size() ? tokens[k + 1].start : u.end;
        if (ends_parameter(scanner, u)) break;
        continue;
      }
      if (ends_parameter(scanner, u)) break;
      end = u.end;
    }
    if (start != std::string_view::npos && end > start) {
      GUniqueStr name(g_utf8_strdown(scanner.text_of(t).data(), gssize(t.end - t.start)));
      header.defaults[name.get()] = trim(head.substr(start, end - start));
    }
    i = k > i ? k - 1 : i;
  }
  return header;
}

}  // namespace tarvex::dialect
