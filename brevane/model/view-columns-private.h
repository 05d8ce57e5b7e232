// Reads the output columns of a view from its SELECT text (internal).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvex::meta {

struct ViewColumn {
  std::string name;  // the output name, without quotes and brackets
  std::string raw;   // the item's source expression as written
};

// The top-level select items of the first SELECT of `definition`, up to its
// FROM (or the end of the text); empty when there is no select list.
std::vector<ViewColumn> read_view_columns(std::string_view definition);

}  // namespace tarvex::meta
