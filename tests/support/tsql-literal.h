// Reading back the text literals of generated T-SQL, as a server would:
// N'...' and '...' constants (quotes doubled, a backslash before a line
// break dropped with it), NCHAR(n) and CHAR(n), CAST(... AS nvarchar(max))
// and their joins with "+". The test server does not evaluate SQL, so the
// tests decode each literal here and compare it with the value it was
// written from. Also: the lines a script tool would take as a batch
// separator, and the hostile texts every writer of literals is run with.
#pragma once

#include <glib.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::test::tsql {

namespace detail {

inline void skip_blanks(std::string_view text, size_t& at) {
  while (at < text.size() && g_ascii_isspace(text[at])) ++at;
}

inline bool take_word(std::string_view text, size_t& at, std::string_view word) {
  skip_blanks(text, at);
  if (text.size() - at < word.size() ||
      g_ascii_strncasecmp(text.data() + at, word.data(), word.size()) != 0)
    return false;
  at += word.size();
  return true;
}

// A string constant from its opening quote: its value as the server reads
// it, a backslash directly before a line break (CR LF, LF or CR) being a
// line continuation that goes with the break.
inline std::optional<std::string> constant(std::string_view text, size_t& at) {
  if (at >= text.size() || text[at] != '\'') return std::nullopt;
  std::string out;
  for (size_t i = at + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\'') {
      if (i + 1 < text.size() && text[i + 1] == '\'') {
        out += '\'';
        ++i;
        continue;
      }
      at = i + 1;
      return out;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\n' || text[i + 1] == '\r')) {
      i += text[i + 1] == '\r' && i + 2 < text.size() && text[i + 2] == '\n' ? 2 : 1;
      continue;
    }
    out += c;
  }
  return std::nullopt;  // not closed
}

std::optional<std::string> expression(std::string_view text, size_t& at);

// One term: a constant, NCHAR(n)/CHAR(n), CAST(expression AS type) or a
// parenthesised expression.
inline std::optional<std::string> term(std::string_view text, size_t& at) {
  skip_blanks(text, at);
  size_t here = at;
  if (take_word(text, here, "N'")) {
    at = here - 1;
    return constant(text, at);
  }
  if (at < text.size() && text[at] == '\'') return constant(text, at);
  for (std::string_view function : {"NCHAR(", "CHAR("}) {
    here = at;
    if (!take_word(text, here, function)) continue;
    size_t end = text.find(')', here);
    if (end == std::string_view::npos) return std::nullopt;
    std::string digits(text.substr(here, end - here));
    gchar* rest = nullptr;
    guint64 code = g_ascii_strtoull(digits.c_str(), &rest, 10);
    if (digits.empty() || *rest) return std::nullopt;
    at = end + 1;
    char utf8[8];
    return std::string(utf8, size_t(g_unichar_to_utf8(gunichar(code), utf8)));
  }
  here = at;
  if (take_word(text, here, "CAST(")) {
    std::optional<std::string> inner = expression(text, here);
    if (!inner || !take_word(text, here, "AS")) return std::nullopt;
    if (!take_word(text, here, "nvarchar(max)") && !take_word(text, here, "varchar(max)"))
      return std::nullopt;
    if (!take_word(text, here, ")")) return std::nullopt;
    at = here;
    return inner;
  }
  return std::nullopt;
}

inline std::optional<std::string> expression(std::string_view text, size_t& at) {
  std::optional<std::string> out = term(text, at);
  while (out) {
    size_t here = at;
    skip_blanks(text, here);
    if (here >= text.size() || text[here] != '+') break;
    ++here;
    std::optional<std::string> next = term(text, here);
    if (!next) return std::nullopt;
    *out += *next;
    at = here;
  }
  return out;
}

}  // namespace detail

// The value of the text literal (a constant or a join) that starts at
// `at` (blanks before it skipped); `at` moves past it. Nothing when no
// literal starts there or it is not closed.
inline std::optional<std::string> literal_value(std::string_view text, size_t& at) {
  return detail::expression(text, at);
}
inline std::optional<std::string> literal_value(std::string_view text) {
  size_t at = 0;
  std::optional<std::string> value = literal_value(text, at);
  detail::skip_blanks(text, at);
  return at == text.size() ? value : std::nullopt;
}

// The value of the literal that follows the first `after` in `text`.
inline std::optional<std::string> literal_after(std::string_view text, std::string_view after) {
  size_t at = text.find(after);
  if (at == std::string_view::npos) return std::nullopt;
  at += after.size();
  return literal_value(text, at);
}

// The values of every text literal in `text`, in order: a literal starts
// at N', ', NCHAR(, CHAR( or CAST( outside bracketed names; a join counts
// as one literal. A literal that does not read back ends the list with
// "<unreadable at N>".
inline std::vector<std::string> literals_in(std::string_view text) {
  std::vector<std::string> out;
  auto starts = [&](size_t i, std::string_view word) {
    return text.size() - i >= word.size() &&
           g_ascii_strncasecmp(text.data() + i, word.data(), word.size()) == 0;
  };
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '[') {
      for (++i; i < text.size(); ++i)
        if (text[i] == ']') {
          if (i + 1 < text.size() && text[i + 1] == ']') {
            ++i;
            continue;
          }
          break;
        }
      ++i;
      continue;
    }
    const bool word_start = i == 0 || !(g_ascii_isalnum(text[i - 1]) || text[i - 1] == '_');
    if (c == '\'' || (word_start && (starts(i, "N'") || starts(i, "NCHAR(") || starts(i, "CHAR(") ||
                                     starts(i, "CAST(")))) {
      size_t at = i;
      std::optional<std::string> value = literal_value(text, at);
      if (!value) {
        out.push_back("<unreadable at " + std::to_string(i) + ">");
        return out;
      }
      out.push_back(*value);
      i = at;
      continue;
    }
    ++i;
  }
  return out;
}

// The lines of `text` that a tool splitting scripts takes as a batch
// separator: blanks, GO in any case, an optional count, an optional
// comment. Lines end at LF or CR.
inline std::vector<std::string> separator_lines(std::string_view text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    GRegex* separator = g_regex_new("^\\s*GO(\\s+\\d+)?\\s*(--.*)?$", G_REGEX_CASELESS,
                                    GRegexMatchFlags(0), nullptr);
    if (g_regex_match(separator, line.c_str(), GRegexMatchFlags(0), nullptr)) out.push_back(line);
    g_regex_unref(separator);
    start = end + 1;
  }
  return out;
}

// Whether a backslash stands directly before a line break anywhere in
// `text` (inside a literal the server would drop both).
inline bool has_backslash_before_break(std::string_view text) {
  for (size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '\\' && (text[i + 1] == '\n' || text[i + 1] == '\r')) return true;
  return false;
}

// Hostile texts for every writer of literals: a zero character at the
// start, in the middle and at the end; lines holding GO in every form with
// LF and CRLF; a backslash before CR, LF, CRLF and at the very end; quotes,
// brackets, emoji.
struct Hostile {
  const char* what;
  std::string text;
};
inline std::vector<Hostile> hostile_texts() {
  using namespace std::string_literals;
  return {
      {"zero first", "\0x'); DROP TABLE victim; --"s},
      {"zero inside", "x\0'); DROP TABLE victim; --"s},
      {"zero last", "x'); DROP TABLE victim; --\0"s},
      {"zeros only", "\0\0"s},
      {"GO line LF", "see below\nGO\nDELETE FROM dbo.accounts\nGO\n--"},
      {"GO line CRLF", "see below\r\nGO\r\nDELETE FROM dbo.accounts\r\nGO\r\n--"},
      {"go lower case", "a\ngo\nb"},
      {"Go mixed case", "a\r\nGo\r\nb"},
      {"GO with blanks", "a\n  GO  \nb"},
      {"GO with tab", "a\n\tGO\t\r\nb"},
      {"GO with count", "a\nGO 2\nb"},
      {"GO with comment", "a\nGO -- c\nb"},
      {"GO last line", "a\nGO"},
      {"GO first line", "GO\nb"},
      {"GO after CR alone", "a\rGO\rb"},
      {"backslash before LF", "C:\\dir\\\nfile.txt"},
      {"backslash before CR", "C:\\dir\\\rfile.txt"},
      {"backslash before CRLF", "C:\\dir\\\r\nfile.txt"},
      {"backslash last", "C:\\dir\\"},
      {"backslash before GO line", "a\\\nGO\nb"},
      {"quotes and brackets", "O'Brien ]; [x] ''"},
      {"emoji and accents", "Grüße ∑ 😀"},
  };
}

}  // namespace tarvex::test::tsql
