// Reading and replacing the JSON files that hold the user's settings and
// server tree, shared by both libraries.
//
// - load(): reads a file into a json-glib parser, but refuses a file larger
//   than kMaxFileBytes and a document nested deeper than kMaxDepth before the
//   parser sees it: json-glib's parser recurses once per level and a deep
//   enough document overflows the stack.
// - Aside: a file the loader rejected still holds the user's data. Before the
//   first save over it, it is renamed to "<name>.broken-<UTC timestamp>", so
//   a save never turns an unreadable file into an empty one.
//
// Not installed, not part of the API.
#pragma once

#include <errno.h>
#include <fcntl.h>
#include <glib.h>
#include <glib/gi18n-lib.h>
#include <json-glib/json-glib.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace tarvex::json_file {

inline constexpr gsize kMaxFileBytes = gsize(64) * 1024 * 1024;
inline constexpr int kMaxDepth = 512;

// True when no point of `text` is inside more than `limit` arrays and
// objects. Brackets inside strings do not count; malformed text is left to
// the parser.
inline bool nesting_within(std::string_view text, int limit) {
  int depth = 0;
  bool in_string = false;
  for (size_t i = 0; i < text.size(); i++) {
    char c = text[i];
    if (in_string) {
      if (c == '\\')
        i++;
      else if (c == '"')
        in_string = false;
      continue;
    }
    switch (c) {
      case '"':
        in_string = true;
        break;
      case '[':
      case '{':
        if (++depth > limit) return false;
        break;
      case ']':
      case '}':
        if (depth > 0) depth--;
        break;
      default:
        break;
    }
  }
  return true;
}

// Reads the whole of `filename`, at most kMaxFileBytes. Errors are GLib
// file errors, as g_file_get_contents() gives them.
inline bool read_limited(const char* filename, std::string& out, GError** error) {
  auto fail_errno = [&](int saved, const char* format) {
    g_autofree char* display = g_filename_display_name(filename);
    g_set_error(error, G_FILE_ERROR, g_file_error_from_errno(saved), format, display,
                g_strerror(saved));
    return false;
  };
  auto too_large = [&]() {
    g_autofree char* display = g_filename_display_name(filename);
    g_set_error(error, G_FILE_ERROR, G_FILE_ERROR_FAILED,
                _("Failed to read “%s”: the file is larger than %u MB"), display,
                unsigned(kMaxFileBytes / (1024 * 1024)));
    return false;
  };
  int fd = open(filename, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail_errno(errno, _("Failed to open file “%s”: %s"));
  struct stat st;
  if (fstat(fd, &st) != 0) {
    int saved = errno;
    close(fd);
    return fail_errno(saved, _("Failed to read file “%s”: %s"));
  }
  if (S_ISDIR(st.st_mode)) {
    close(fd);
    return fail_errno(EISDIR, _("Failed to read file “%s”: %s"));
  }
  if (S_ISREG(st.st_mode) && gsize(st.st_size) > kMaxFileBytes) {
    close(fd);
    return too_large();
  }
  out.clear();
  if (S_ISREG(st.st_mode)) out.reserve(gsize(st.st_size));
  char chunk[65536];
  for (;;) {
    ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      int saved = errno;
      close(fd);
      return fail_errno(saved, _("Failed to read file “%s”: %s"));
    }
    if (got == 0) break;
    // The file may have grown since it was measured.
    if (out.size() + gsize(got) > kMaxFileBytes) {
      close(fd);
      return too_large();
    }
    out.append(chunk, gsize(got));
  }
  close(fd);
  return true;
}

// Reads and parses `filename` into `parser` within the limits above. A read
// failure is a GLib file error, a malformed or too deeply nested document a
// json-glib parser error.
inline bool load(JsonParser* parser, const char* filename, GError** error) {
  std::string text;
  if (!read_limited(filename, text, error)) return false;
  if (!nesting_within(text, kMaxDepth)) {
    g_autofree char* display = g_filename_display_name(filename);
    g_set_error(error, JSON_PARSER_ERROR, JSON_PARSER_ERROR_PARSE,
                _("Failed to read “%s”: the document is nested deeper than %d levels"), display,
                kMaxDepth);
    return false;
  }
  return json_parser_load_from_data(parser, text.data(), gssize(text.size()), error);
}

// Whether a load failure leaves a file that must not be saved over: every
// failure but a missing file.
inline bool must_keep_aside(const GError* error) {
  return error && !g_error_matches(error, G_FILE_ERROR, G_FILE_ERROR_NOENT);
}

// Renames the regular file `filename` to "<filename>.broken-<timestamp>"
// (with "-2", "-3", ... should that name be taken). Anything that is not a
// regular file is left alone: the writer replaces a link, not its target,
// and fails on a folder by itself. False, with a file error, when the file
// could not be moved; the caller must then not write over it.
inline bool keep_aside(const std::string& filename, GError** error) {
  struct stat st;
  if (lstat(filename.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return true;
  g_autoptr(GDateTime) now = g_date_time_new_now_utc();
  g_autofree char* stamp = g_date_time_format(now, "%Y%m%dT%H%M%SZ");
  std::string base = filename + ".broken-" + stamp;
  int saved = 0;
  for (int n = 1; n < 100; n++) {
    std::string target = n == 1 ? base : base + "-" + std::to_string(n);
    int rc = renameat2(AT_FDCWD, filename.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
      // A file system without the no-replace rename: check, then rename.
      if (lstat(target.c_str(), &st) == 0) continue;
      rc = rename(filename.c_str(), target.c_str());
    }
    if (rc == 0) {
      g_message("The unreadable file “%s” was kept as “%s”", filename.c_str(), target.c_str());
      return true;
    }
    saved = errno;
    if (saved != EEXIST) break;
  }
  g_autofree char* display = g_filename_display_name(filename.c_str());
  g_set_error(error, G_FILE_ERROR, g_file_error_from_errno(saved),
              _("“%s” could not be read when it was loaded and could not be kept aside (%s); "
                "it was not overwritten"),
              display, g_strerror(saved));
  return false;
}

}  // namespace tarvex::json_file
