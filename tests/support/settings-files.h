// Documents at the edges of what the settings loaders read: nesting depth,
// brackets inside strings, a file of an exact size, and the files a failed
// load leaves beside the original.
#pragma once

#include <fcntl.h>
#include <glib.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tarvex::test {

// A JSON object whose member "x" holds nested arrays, so that the deepest
// point is inside `depth` arrays and objects (the root counts as one).
inline std::string nested_document(int depth) {
  return "{\"x\": " + std::string(depth - 1, '[') + std::string(depth - 1, ']') + "}";
}

// A valid object whose string members hold `count` brackets, with an
// escaped quote in front of them: none of it nests.
inline std::string brackets_in_strings(int count) {
  return "{\"x\": \"\\\"" + std::string(count, '[') + "\", \"y\": \"" + std::string(count, '{') +
         "\\\\\", \"z\": 1}";
}

// Writes `{}` padded with blanks to exactly `size` bytes.
inline bool write_padded_object(const std::string& file, size_t size) {
  int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  std::string chunk(1 << 20, ' ');
  chunk[0] = '{';
  size_t written = 0;
  bool ok = true;
  while (ok && written < size) {
    size_t n = std::min(chunk.size(), size - written);
    if (written + n == size) chunk[n - 1] = '}';
    ok = write(fd, chunk.data(), n) == ssize_t(n);
    chunk[0] = ' ';
    written += n;
  }
  return close(fd) == 0 && ok;
}

// The names in `folder` that start with `prefix`.
inline std::vector<std::string> names_starting(const std::string& folder,
                                               const std::string& prefix) {
  std::vector<std::string> names;
  if (GDir* dir = g_dir_open(folder.c_str(), 0, nullptr)) {
    while (const char* name = g_dir_read_name(dir))
      if (g_str_has_prefix(name, prefix.c_str())) names.push_back(name);
    g_dir_close(dir);
  }
  return names;
}

}  // namespace tarvex::test
