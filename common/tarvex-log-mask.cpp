#include "common/tarvex-log-mask-private.h"

#include <glib.h>

namespace tarvex {

std::string masked_for_log(std::string_view sql) {
  // PASSWORD = 'secret', N'secret' or 0x... (HASHED): the literal goes.
  static GRegex* const password =
      g_regex_new("(PASSWORD\\s*=\\s*)(N?'(?:[^']|'')*'?|0x[0-9A-Fa-f]*)",
                  GRegexCompileFlags(G_REGEX_CASELESS | G_REGEX_OPTIMIZE | G_REGEX_RAW),
                  GRegexMatchFlags(0), nullptr);
  std::string text(sql);
  if (!password || text.find('=') == std::string::npos) return text;
  gchar* masked =
      g_regex_replace(password, text.c_str(), -1, 0, "\\1'******'", GRegexMatchFlags(0), nullptr);
  if (!masked) return text;
  text = masked;
  g_free(masked);
  return text;
}

}  // namespace tarvex
