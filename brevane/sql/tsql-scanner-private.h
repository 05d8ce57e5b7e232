// Reading T-SQL text: a small scanner that knows where string literals,
// comments and bracketed or quoted names begin and end, and the one
// splitter of a script into its batches at GO lines.
//
// Not installed, not part of the API.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::sql {

struct Token {
  enum Kind {
    Word,      // a keyword or a bare name (UTF-8 letters included)
    Variable,  // @name, @@name
    Open,      // (
    Close,     // )
    Literal,   // '...' or N'...', unclosed ones to the end of the text
    Name,      // [...] or "..."
    Comment,   // -- to the end of the line (its line break included), /* */ nested
    Other,     // one character of anything else
    End
  };
  Kind kind = End;
  size_t start = 0;
  size_t end = 0;
};

// Yields the tokens of a T-SQL text. A doubled closing delimiter stands for
// itself inside a literal or a name; block comments nest.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  // The next token that means something: blanks and comments are passed
  // over.
  Token next();
  // The next token, comments included (blanks are still passed over).
  Token next_any();

  std::string_view text_of(const Token& t) const { return text_.substr(t.start, t.end - t.start); }

 private:
  void skip_blanks();
  bool at_comment() const;
  void skip_comment();
  void skip_delimited(char close);

  std::string_view text_;
  size_t pos_ = 0;
};

// Whether `line` (its line break may be included) is a batch separator as
// tools that run scripts read it: blanks around, GO in any case, then
// optionally a count and a "--" comment ("go", " GO ", "GO 2", "GO -- c").
// `count` receives the count, 1 when none is written.
bool is_go_line(std::string_view line, unsigned long* count = nullptr);

// Whether any line of `text` is a GO line, wherever it stands (inside a
// literal or a comment too), taking CR, LF and CRLF as line breaks: a tool
// that splits scripts by their lines alone would cut the text there.
bool holds_go_line(std::string_view text);

// One batch of a script, and how many times the GO line after it asks to
// run it.
struct Batch {
  std::string text;
  unsigned long repeat = 1;
};

// The batches of a script: it is cut at each GO line that stands outside
// string literals, comments and bracketed or quoted names; the GO lines
// themselves go. Batches keep their text exactly (line breaks included),
// blank ones too: a script without GO lines is one batch, and a text ending
// with a GO line ends with an empty batch. A literal or comment that is
// never closed runs to the end, so nothing after it is cut off.
std::vector<Batch> split_batches(std::string_view script);

}  // namespace tarvex::sql
