// The shared libraries export exactly their C API: the functions named
// tarvex_... and the constant arrays named TARVEX_... that the public
// headers declare. A C++ symbol (a template instance, typeinfo) or an
// internal C function leaking out would let a host bind to our copy; a test
// seam leaking out would let any code in the host process take over what
// the seam replaces (the tunnel launch, the clock).
#include <glib.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/log-capture.h"

namespace tarvex::test {
namespace {

std::string env(const char* name) {
  const char* value = g_getenv(name);
  return value ? value : "";
}

struct Declarations {
  std::set<std::string> functions;  // tarvex_... called or declared
  std::set<std::string> inlines;    // static inline tarvex_... defined in a header
  std::set<std::string> data;       // extern TARVEX_... objects
};

std::set<std::string> matches(const std::string& text, const char* pattern, int group = 1) {
  std::set<std::string> found;
  GRegex* regex = g_regex_new(pattern, G_REGEX_MULTILINE, GRegexMatchFlags(0), nullptr);
  EXPECT_NE(regex, nullptr) << pattern;
  if (!regex) return found;
  GMatchInfo* info = nullptr;
  g_regex_match(regex, text.c_str(), GRegexMatchFlags(0), &info);
  while (g_match_info_matches(info)) {
    gchar* word = g_match_info_fetch(info, group);
    found.insert(word);
    g_free(word);
    g_match_info_next(info, nullptr);
  }
  g_match_info_free(info);
  g_regex_unref(regex);
  return found;
}

// Public headers outside the umbrella are read as text: a TARVEX_EXPORT
// declaration of a tarvex_ function. A private header declares no API.
void read_marked_exports(const std::string& folder, std::set<std::string>& functions) {
  GDir* dir = g_dir_open(folder.c_str(), 0, nullptr);
  if (!dir) return;
  while (const gchar* name = g_dir_read_name(dir)) {
    std::string path = folder + G_DIR_SEPARATOR_S + name;
    if (g_file_test(path.c_str(), G_FILE_TEST_IS_DIR)) {
      read_marked_exports(path, functions);
      continue;
    }
    if (!g_str_has_suffix(name, ".h") || g_str_has_suffix(name, "-private.h")) continue;
    gchar* contents = nullptr;
    if (!g_file_get_contents(path.c_str(), &contents, nullptr, nullptr)) continue;
    for (const auto& f :
         matches(contents, "\\bTARVEX_EXPORT\\b[^;{]*?\\b(tarvex_[A-Za-z0-9_]+)\\s*\\("))
      functions.insert(f);
    for (const auto& prefix :
         matches(contents,
                 "\\bG_DECLARE_(?:FINAL|DERIVABLE|INTERFACE)_TYPE\\s*\\(\\s*\\w+\\s*,"
                 "\\s*(tarvex_[A-Za-z0-9_]+)"))
      functions.insert(prefix + "_get_type");
    g_free(contents);
  }
  g_dir_close(dir);
}

Declarations read_declarations(const std::string& path) {
  Declarations d;
  gchar* contents = nullptr;
  gsize length = 0;
  GError* error = nullptr;
  if (!g_file_get_contents(path.c_str(), &contents, &length, &error)) {
    ADD_FAILURE() << error->message;
    g_error_free(error);
    return d;
  }
  std::string text(contents, length);
  g_free(contents);
  d.functions = matches(text, "\\b(tarvex_[A-Za-z0-9_]+)\\s*\\(");
  d.inlines = matches(text, "\\bstatic\\s+inline\\b[^;{]*?\\b(tarvex_[A-Za-z0-9_]+)\\s*\\(");
  d.data = matches(text, "\\bextern\\b[^;(]*?\\b(TARVEX_[A-Z0-9_]+)\\s*(\\[[^\\]]*\\])?\\s*;");
  return d;
}

struct Symbol {
  std::string name;
  char type;
};

// nm -D --defined-only: the dynamic symbols a library defines.
std::vector<Symbol> dynamic_symbols(const std::string& library) {
  std::vector<Symbol> symbols;
  const std::string nm = env("TARVEX_NM");
  const char* argv[] = {nm.c_str(),      "-D",   "--defined-only", "--format=posix",
                        library.c_str(), nullptr};
  gchar* out = nullptr;
  gchar* err = nullptr;
  gint status = 0;
  GError* error = nullptr;
  if (!g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr,
                    &out, &err, &status, &error)) {
    ADD_FAILURE() << error->message;
    g_error_free(error);
    return symbols;
  }
  EXPECT_TRUE(g_spawn_check_wait_status(status, nullptr)) << err;
  gchar** lines = g_strsplit(out, "\n", -1);
  for (gchar** line = lines; *line; line++) {
    gchar** fields = g_strsplit(*line, " ", -1);
    if (fields[0] && fields[1] && *fields[0]) symbols.push_back({fields[0], fields[1][0]});
    g_strfreev(fields);
  }
  g_strfreev(lines);
  g_free(out);
  g_free(err);
  return symbols;
}

class ExportedSymbols : public LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    if (env("TARVEX_EXPORTED_DECLS").empty() || env("TARVEX_NM").empty() ||
        env("TARVEX_SOURCE_ROOT").empty())
      GTEST_SKIP() << "the paths are set by meson test";
    declarations_ = read_declarations(env("TARVEX_EXPORTED_DECLS"));
    for (const char* area : {"providers", "brevane", "common"})
      read_marked_exports(env("TARVEX_SOURCE_ROOT") + G_DIR_SEPARATOR_S + area,
                          declarations_.functions);
  }

  // What is exported beyond the declared API, one line each.
  std::string unexpected(const std::vector<Symbol>& symbols) {
    std::string out;
    for (const auto& s : symbols) {
      bool function = s.type == 'T' || s.type == 'W' || s.type == 'i';
      bool object = s.type == 'D' || s.type == 'R' || s.type == 'B' || s.type == 'V';
      if (function && declarations_.functions.count(s.name) && !declarations_.inlines.count(s.name))
        continue;
      if (object && declarations_.data.count(s.name)) continue;
      out += "  " + s.name + " (" + s.type + ")\n";
    }
    return out;
  }

  Declarations declarations_;
};

TEST_F(ExportedSymbols, HeadersDeclareTheApi) {
  // Sanity of the reading: the headers were found and read.
  EXPECT_GT(declarations_.functions.size(), 1000u);
  EXPECT_TRUE(declarations_.functions.count("tarvex_providers_contracts_table_model_get_value_at"));
  EXPECT_TRUE(
      declarations_.functions.count("tarvex_providers_supports_sql_server_provider_get_type"));
  EXPECT_TRUE(declarations_.data.count("TARVEX_PROVIDERS_CONTRACTS_SERVER_VENDORS_ARRAY_LOCAL"));
}

TEST_F(ExportedSymbols, EachLibraryExportsOnlyTheDeclaredApi) {
  for (const char* library : {"TARVEX_LIBFENROW", "TARVEX_LIBBREVANE"}) {
    SCOPED_TRACE(env(library));
    auto symbols = dynamic_symbols(env(library));
    EXPECT_GT(symbols.size(), 100u);
    EXPECT_EQ(unexpected(symbols), "") << "exported but not declared as the C API";
  }
}

// Whatever the headers say: a seam the tests use never leaves a library.
TEST_F(ExportedSymbols, NoTestSeamIsExported) {
  for (const char* library : {"TARVEX_LIBFENROW", "TARVEX_LIBBREVANE"}) {
    SCOPED_TRACE(env(library));
    std::string seams;
    for (const auto& s : dynamic_symbols(env(library))) {
      std::string lower = s.name;
      for (char& c : lower) c = g_ascii_tolower(c);
      if (lower.find("testing") != std::string::npos) seams += "  " + s.name + "\n";
    }
    EXPECT_EQ(seams, "") << "test seams exported";
  }
}

TEST_F(ExportedSymbols, EveryDeclaredFunctionIsExported) {
  std::set<std::string> exported;
  for (const char* library : {"TARVEX_LIBFENROW", "TARVEX_LIBBREVANE"})
    for (const auto& s : dynamic_symbols(env(library))) exported.insert(s.name);
  std::string missing;
  for (const auto& name : declarations_.functions)
    if (!declarations_.inlines.count(name) && !exported.count(name)) missing += "  " + name + "\n";
  for (const auto& name : declarations_.data)
    if (!exported.count(name)) missing += "  " + name + "\n";
  EXPECT_EQ(missing, "") << "declared in the headers but exported by neither library";
}

}  // namespace
}  // namespace tarvex::test
