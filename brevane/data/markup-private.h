// Escaping shared by the HTML and Markdown writers of table exports and data
// dictionaries.
#pragma once

#include <glib.h>

#include <string>

#include "common/tarvex-gobject-private.h"

namespace tarvex::data {

// Text or attribute value of an HTML page.
inline std::string html_escaped(const std::string& text) {
  GUniqueStr out(g_markup_escape_text(text.c_str(), gssize(text.size())));
  return out.get();
}

// Characters that change a table cell's meaning: the cell delimiter, the
// escape itself, and what opens inline markup, HTML or an entity. Other
// punctuation (dots, dashes, colons, at signs) reads as it is.
inline bool markdown_special(char c) {
  switch (c) {
    case '|':
    case '\\':
    case '`':
    case '*':
    case '_':
    case '<':
    case '[':
    case '&':
    case '~':
      return true;
    default:
      return false;
  }
}

// A cell a Markdown reader gives back as its text.
inline std::string markdown_cell(const std::string& text) {
  std::string out;
  size_t start = 0, end = text.size();
  while (start < end && text[start] == ' ') {
    out += "&#32;";
    ++start;
  }
  size_t trailing = 0;
  while (end > start && text[end - 1] == ' ') {
    --end;
    ++trailing;
  }
  for (size_t i = start; i < end; ++i) {
    char c = text[i];
    if (c == '\r') {
      out += "<br>";
      if (i + 1 < end && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "<br>";
    } else if (markdown_special(c)) {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  for (size_t i = 0; i < trailing; ++i) out += "&#32;";
  return out;
}

}  // namespace tarvex::data
