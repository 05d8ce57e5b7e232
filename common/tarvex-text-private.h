// Plain text helpers shared by the folders of both libraries (not
// installed, not part of the API).
#pragma once

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

}  // namespace tarvex::text
