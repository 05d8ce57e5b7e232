#include "brevane/sql/tsql-scanner-private.h"

#include <glib.h>

#include <limits>

namespace tarvex::sql {

namespace {

bool is_word_char(unsigned char c) {
  // Bytes of multi-byte UTF-8 letters count as word characters.
  return g_ascii_isalnum(c) || c == '_' || c == '#' || c == '$' || c >= 0x80;
}

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

void Scanner::skip_blanks() {
  while (pos_ < text_.size() && g_ascii_isspace(text_[pos_])) ++pos_;
}

bool Scanner::at_comment() const {
  return pos_ + 1 < text_.size() && ((text_[pos_] == '-' && text_[pos_ + 1] == '-') ||
                                     (text_[pos_] == '/' && text_[pos_ + 1] == '*'));
}

void Scanner::skip_comment() {
  if (text_[pos_] == '-') {
    size_t eol = text_.find('\n', pos_);
    pos_ = eol == std::string_view::npos ? text_.size() : eol + 1;
    return;
  }
  // Block comments nest in T-SQL.
  int depth = 0;
  while (pos_ < text_.size()) {
    if (text_.compare(pos_, 2, "/*") == 0) {
      ++depth;
      pos_ += 2;
    } else if (text_.compare(pos_, 2, "*/") == 0) {
      pos_ += 2;
      if (--depth == 0) break;
    } else {
      ++pos_;
    }
  }
}

// From an opening delimiter to its closing one; a doubled closing delimiter
// stands for itself. An unclosed one runs to the end.
void Scanner::skip_delimited(char close) {
  ++pos_;
  while (pos_ < text_.size()) {
    if (text_[pos_] == close) {
      if (pos_ + 1 < text_.size() && text_[pos_ + 1] == close) {
        pos_ += 2;
        continue;
      }
      ++pos_;
      return;
    }
    ++pos_;
  }
}

Token Scanner::next() {
  for (;;) {
    Token t = next_any();
    if (t.kind != Token::Comment) return t;
  }
}

Token Scanner::next_any() {
  skip_blanks();
  Token t;
  t.start = pos_;
  t.end = pos_;
  if (pos_ >= text_.size()) return t;
  const unsigned char c = text_[pos_];
  if (at_comment()) {
    skip_comment();
    t.kind = Token::Comment;
  } else if (c == '\'') {
    skip_delimited('\'');
    t.kind = Token::Literal;
  } else if (c == '[') {
    skip_delimited(']');
    t.kind = Token::Name;
  } else if (c == '"') {
    skip_delimited('"');
    t.kind = Token::Name;
  } else if (c == '(') {
    ++pos_;
    t.kind = Token::Open;
  } else if (c == ')') {
    ++pos_;
    t.kind = Token::Close;
  } else if (c == '@') {
    ++pos_;
    while (pos_ < text_.size() && (is_word_char(text_[pos_]) || text_[pos_] == '@')) ++pos_;
    t.kind = Token::Variable;
  } else if (is_word_char(c)) {
    while (pos_ < text_.size() && is_word_char(text_[pos_])) ++pos_;
    // N'...' is one Unicode literal.
    if (pos_ - t.start == 1 && (c == 'N' || c == 'n') && pos_ < text_.size() &&
        text_[pos_] == '\'') {
      skip_delimited('\'');
      t.kind = Token::Literal;
    } else {
      t.kind = Token::Word;
    }
  } else {
    ++pos_;
    t.kind = Token::Other;
  }
  t.end = pos_;
  return t;
}

bool is_go_line(std::string_view line, unsigned long* count) {
  size_t i = 0;
  const size_t n = line.size();
  auto blanks = [&] {
    while (i < n && is_blank(line[i])) ++i;
  };
  // What may follow GO or its count: nothing, blanks, or a comment.
  auto rest_is_free = [&] {
    blanks();
    return i == n || line.substr(i, 2) == "--";
  };
  blanks();
  if (i + 2 > n || g_ascii_toupper(line[i]) != 'G' || g_ascii_toupper(line[i + 1]) != 'O')
    return false;
  i += 2;
  unsigned long repeat = 1;
  if (i < n && !is_blank(line[i]) && line.substr(i, 2) != "--") return false;
  blanks();
  if (i < n && g_ascii_isdigit(line[i])) {
    repeat = 0;
    while (i < n && g_ascii_isdigit(line[i])) {
      const unsigned long digit = static_cast<unsigned long>(line[i] - '0');
      const unsigned long top = std::numeric_limits<unsigned long>::max();
      repeat = repeat > (top - digit) / 10 ? top : repeat * 10 + digit;
      ++i;
    }
    if (i < n && !is_blank(line[i]) && line.substr(i, 2) != "--") return false;
  }
  if (!rest_is_free()) return false;
  if (count) *count = repeat;
  return true;
}

bool holds_go_line(std::string_view text) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (is_go_line(text.substr(start, end - start))) return true;
    if (end == text.size()) break;
    start = end + 1;
  }
  return false;
}

std::vector<Batch> split_batches(std::string_view script) {
  // Spans that a line cannot begin a separator inside.
  struct Span {
    size_t start, end;
  };
  std::vector<Span> spans;
  Scanner scanner(script);
  for (Token t = scanner.next_any(); t.kind != Token::End; t = scanner.next_any())
    if (t.kind == Token::Literal || t.kind == Token::Name || t.kind == Token::Comment)
      if (script.substr(t.start, t.end - t.start).find('\n') != std::string_view::npos)
        spans.push_back({t.start, t.end});

  std::vector<Batch> out(1);
  size_t span = 0;
  size_t start = 0;
  while (start < script.size()) {
    const size_t eol = script.find('\n', start);
    const size_t next = eol == std::string_view::npos ? script.size() : eol + 1;
    const std::string_view line = script.substr(start, next - start);
    while (span < spans.size() && spans[span].end <= start) ++span;
    const bool inside = span < spans.size() && spans[span].start < start;
    unsigned long count = 1;
    if (!inside && is_go_line(line, &count)) {
      out.back().repeat = count == 0 ? 1 : count;
      out.emplace_back();
    } else {
      out.back().text.append(line);
    }
    start = next;
  }
  return out;
}

}  // namespace tarvex::sql
