// Plain text helpers shared by the folders of both libraries (not
// installed, not part of the API).
#pragma once

#include <glib.h>

#include <string>
#include <string_view>
#include <vector>

namespace tarvex::text {

inline bool contains(std::string_view text, std::string_view needle) {
  return text.find(needle) != std::string_view::npos;
}

// Splits at every occurrence of `separator`, keeping empty pieces.
inline std::vector<std::string> split(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string_view::npos;
       start = at + separator.size())
    pieces.emplace_back(text.substr(start, at - start));
  pieces.emplace_back(text.substr(start));
  return pieces;
}

// ASCII letters in upper case, every other byte kept: T-SQL keywords and
// type names, where a byte-for-byte length is wanted.
inline std::string ascii_upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = g_ascii_toupper(c);
  return out;
}

// Upper case by Unicode rules: names compared the way the server folds
// them (the length in bytes may change).
inline std::string utf8_upper(const char* text) {
  gchar* up = g_utf8_strup(text, -1);
  std::string out(up);
  g_free(up);
  return out;
}
inline std::string utf8_upper(const std::string& text) {
  return utf8_upper(text.c_str());
}

// The text without the ASCII blanks (space, tab, line feed, vertical tab,
// form feed, carriage return) at its ends.
inline std::string_view trim_view(std::string_view text) {
  constexpr std::string_view blanks = " \t\n\v\f\r";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
inline std::string trim(std::string_view text) {
  return std::string(trim_view(text));
}

}  // namespace tarvex::text
