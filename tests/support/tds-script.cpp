// The line-based script format of the TDS test server (README.md).
#include <glib.h>

#include <fstream>
#include <sstream>

#include "tests/support/tds-server.h"

namespace tarvex::test::tds {

namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

// Splits a line into words and double-quoted strings (C escapes); a # outside
// quotes starts a comment.
std::vector<Token> tokenize(std::string_view line) {
  std::vector<Token> out;
  size_t k = 0;
  while (k < line.size()) {
    char c = line[k];
    if (g_ascii_isspace(c)) {
      k++;
      continue;
    }
    if (c == '#') break;
    Token t;
    if (c == '"') {
      t.quoted = true;
      k++;
      bool closed = false;
      while (k < line.size()) {
        char d = line[k++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d == '\\' && k < line.size()) {
          char e = line[k++];
          switch (e) {
            case 'n':
              t.text += '\n';
              break;
            case 't':
              t.text += '\t';
              break;
            case 'r':
              t.text += '\r';
              break;
            case '0':
              t.text += '\0';
              break;
            default:
              t.text += e;
              break;
          }
          continue;
        }
        t.text += d;
      }
      if (!closed) throw std::invalid_argument("unterminated string");
    } else {
      while (k < line.size() && !g_ascii_isspace(line[k])) t.text += line[k++];
    }
    out.push_back(std::move(t));
  }
  return out;
}

std::string lower(std::string s) {
  for (auto& c : s) c = char(g_ascii_tolower(c));
  return s;
}

int64_t number(const Token& t, const char* what) {
  char* end = nullptr;
  errno = 0;
  long long v = g_ascii_strtoll(t.text.c_str(), &end, 10);
  if (t.text.empty() || *end != '\0' || errno != 0)
    throw std::invalid_argument(std::string("expected a number for ") + what + ", not \"" + t.text +
                                "\"");
  return v;
}

// "0A1bFF" as its bytes.
std::string hex_bytes(const std::string& text) {
  if (text.size() % 2 != 0) throw std::invalid_argument("an odd number of hexadecimal digits");
  std::string bytes;
  for (size_t k = 0; k < text.size(); k += 2) {
    int hi = g_ascii_xdigit_value(text[k]), lo = g_ascii_xdigit_value(text[k + 1]);
    if (hi < 0 || lo < 0) throw std::invalid_argument("not hexadecimal: \"" + text + "\"");
    bytes += char(hi << 4 | lo);
  }
  return bytes;
}

std::string_view strip(std::string_view s) {
  while (!s.empty() && g_ascii_isspace(s.front())) s.remove_prefix(1);
  while (!s.empty() && g_ascii_isspace(s.back())) s.remove_suffix(1);
  return s;
}

class Loader {
 public:
  explicit Loader(Server& server) : server_(server) {}

  void load(std::string_view text) {
    std::vector<std::string> lines;
    size_t b = 0;
    for (size_t k = 0; k <= text.size(); k++)
      if (k == text.size() || text[k] == '\n') {
        std::string line(text.substr(b, k - b));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        b = k + 1;
      }
    for (line_ = 0; line_ < lines.size(); line_++) {
      try {
        handle(lines);
      } catch (const std::exception& e) {
        throw ScriptError("line " + std::to_string(line_ + 1) + ": " + e.what());
      }
    }
    try {
      commit_columns();
    } catch (const std::exception& e) {
      throw ScriptError("line " + std::to_string(lines.size()) + ": " + e.what());
    }
  }

 private:
  // The text after a batch/pattern keyword, or the lines of its "<<END" block.
  std::string batch_text(const std::vector<std::string>& lines, std::string_view rest) {
    rest = strip(rest);
    if (rest.substr(0, 2) != "<<") return std::string(rest);
    std::string end(strip(rest.substr(2)));
    if (end.empty()) throw std::invalid_argument("<< needs an end marker");
    std::string text;
    size_t start = line_;
    for (line_++; line_ < lines.size(); line_++) {
      if (strip(lines[line_]) == end) return text;
      if (!text.empty()) text += '\n';
      text += lines[line_];
    }
    line_ = start;
    throw std::invalid_argument("no line \"" + end + "\" ends the batch text");
  }

  Rule& rule() {
    if (!rule_) throw std::invalid_argument("a reply line before any batch or pattern");
    return *rule_;
  }

  void commit_columns() {
    if (pending_ == Pending::None) return;
    if (pending_ == Pending::Result)
      rule().result(columns_);
    else
      rule().generate(generate_rows_, columns_);
    pending_ = Pending::None;
    columns_.clear();
  }

  // `any_severity`: an ERROR token of any severity (error-token).
  ServerMessage parse_message(const std::vector<Token>& t, bool is_error,
                              bool any_severity = false) {
    // info NUMBER "text" [severity S] [state S] [proc NAME] [line N]
    // error NUMBER SEVERITY "text" [state S] [proc NAME] [line N]
    ServerMessage m;
    size_t k = 1;
    if (t.size() < (is_error ? 4u : 3u)) throw std::invalid_argument("too few words for a message");
    m.number = int32_t(number(t[k++], "the message number"));
    m.severity = is_error ? uint8_t(number(t[k++], "the severity")) : 0;
    m.text = t[k++].text;
    for (; k + 1 < t.size(); k += 2) {
      std::string key = lower(t[k].text);
      if (key == "severity")
        m.severity = uint8_t(number(t[k + 1], "severity"));
      else if (key == "state")
        m.state = uint8_t(number(t[k + 1], "state"));
      else if (key == "proc")
        m.procedure = t[k + 1].text;
      else if (key == "line")
        m.line = int32_t(number(t[k + 1], "line"));
      else
        throw std::invalid_argument("unknown message attribute \"" + t[k].text + "\"");
    }
    if (k != t.size()) throw std::invalid_argument("a message attribute without a value");
    if (is_error && m.severity <= 10 && !any_severity)
      throw std::invalid_argument("an error needs a severity above 10");
    if (!is_error && m.severity > 10)
      throw std::invalid_argument("an info has a severity of 10 or less");
    return m;
  }

  void handle(const std::vector<std::string>& lines) {
    const std::string& line = lines[line_];
    std::string_view s = strip(line);
    if (s.empty() || s.front() == '#') return;
    size_t sp = 0;
    while (sp < s.size() && !g_ascii_isspace(s[sp])) sp++;
    std::string word = lower(std::string(s.substr(0, sp)));
    std::string_view rest = s.substr(sp);

    if (word == "batch" || word == "pattern") {
      commit_columns();
      std::string text = batch_text(lines, rest);
      if (text.empty()) throw std::invalid_argument(word + " needs a text");
      rule_ = word == "batch" ? &server_.on_batch(text) : &server_.on_pattern(text);
      return;
    }

    std::vector<Token> t = tokenize(s);
    if (word == "column") {
      if (pending_ == Pending::None)
        throw std::invalid_argument("column outside result or generate");
      if (t.size() < 3 || t.size() > 4) throw std::invalid_argument("column NAME TYPE [null]");
      Column c{t[1].text, t[2].text, false};
      if (t.size() == 4) {
        if (lower(t[3].text) != "null") throw std::invalid_argument("column NAME TYPE [null]");
        c.nullable = true;
      }
      parse_type(c.type);
      columns_.push_back(c);
      return;
    }
    commit_columns();

    if (word == "option") {
      if (t.size() != 3) throw std::invalid_argument("option NAME VALUE");
      std::string name = lower(t[1].text);
      ServerOptions o = server_.options();
      if (name == "tds-version") {
        o.max_tds_version = tds_version_from_text(t[2].text);
        if (!o.max_tds_version)
          throw std::invalid_argument("tds-version is one of 7.1, 7.2, 7.3, 7.4");
      } else if (name == "split-packets") {
        o.split_packets = size_t(number(t[2], "split-packets"));
      } else if (name == "packet-size") {
        o.packet_size = uint32_t(number(t[2], "packet-size"));
      } else if (name == "server-name") {
        o.server_name = t[2].text;
      } else if (name == "database") {
        o.default_database = t[2].text;
      } else if (name == "language") {
        o.language = t[2].text;
      } else {
        throw std::invalid_argument("unknown option \"" + t[1].text + "\"");
      }
      server_.set_options(o);
      return;
    }
    if (word == "login") {
      if (t.size() != 3) throw std::invalid_argument("login USER PASSWORD");
      server_.add_login(t[1].text, t[2].text);
      return;
    }
    if (word == "login-failure") {
      server_.set_login_failure(true);
      return;
    }
    if (word == "database") {
      if (t.size() != 2) throw std::invalid_argument("database NAME");
      server_.add_database(t[1].text);
      return;
    }

    // Reply lines.
    if (word == "result") {
      if (t.size() != 1)
        throw std::invalid_argument("result takes no words; columns follow on column lines");
      rule();
      pending_ = Pending::Result;
    } else if (word == "generate") {
      if (t.size() != 2) throw std::invalid_argument("generate ROWS");
      rule();
      generate_rows_ = uint64_t(number(t[1], "generate"));
      pending_ = Pending::Generate;
    } else if (word == "row") {
      Row row;
      for (size_t k = 1; k < t.size(); k++) {
        if (!t[k].quoted && lower(t[k].text) == "null")
          row.emplace_back();
        else
          row.emplace_back(t[k].text);
      }
      rule().row(row);
    } else if (word == "nocount") {
      rule().without_count();
    } else if (word == "end") {
      rule().end_result();
    } else if (word == "rowcount") {
      if (t.size() != 2) throw std::invalid_argument("rowcount N");
      rule().row_count(uint64_t(number(t[1], "rowcount")));
    } else if (word == "done") {
      rule().done();
    } else if (word == "info" || word == "error") {
      rule().message(parse_message(t, word == "error"));
    } else if (word == "delay") {
      if (t.size() != 2) throw std::invalid_argument("delay MILLISECONDS");
      rule().delay(std::chrono::milliseconds(number(t[1], "delay")));
    } else if (word == "drop") {
      rule().drop();
    } else if (word == "use") {
      if (t.size() != 2) throw std::invalid_argument("use DATABASE");
      rule().use_database(t[1].text);
    } else if (word == "reset") {
      rule().reset();
    } else if (word == "done-error") {
      rule().done_error();
    } else if (word == "error-token") {
      ServerMessage m = parse_message(t, true, true);
      m.error_token = true;
      rule().message(m);
    } else if (word == "raw") {
      if (t.size() != 2) throw std::invalid_argument("raw HEXADECIMAL");
      rule().raw(hex_bytes(t[1].text));
    } else if (word == "bad-packet") {
      rule().bad_packet();
    } else if (word == "times") {
      if (t.size() != 2) throw std::invalid_argument("times N");
      rule().times(int(number(t[1], "times")));
    } else {
      throw std::invalid_argument("unknown keyword \"" + word + "\"");
    }
  }

  enum class Pending { None, Result, Generate };
  Server& server_;
  Rule* rule_ = nullptr;
  size_t line_ = 0;
  Pending pending_ = Pending::None;
  std::vector<Column> columns_;
  uint64_t generate_rows_ = 0;
};

}  // namespace

void Server::load_script(std::string_view text) {
  Loader(*this).load(text);
}

void Server::load_script_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ScriptError("cannot read " + path);
  std::stringstream ss;
  ss << in.rdbuf();
  try {
    load_script(ss.str());
  } catch (const ScriptError& e) {
    throw ScriptError(path + ": " + e.what());
  }
}

}  // namespace tarvex::test::tds
