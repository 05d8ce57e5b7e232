// Encoding and file-type helpers: charset detection on UTF-8, UTF-16 and
// legacy 8-bit samples; file types told by the signatures of a table
// registered as the resource the host would supply.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "brevane/helpers/encoding_helper.h"
#include "brevane/helpers/file_type_helper.h"
#include "tests/brevane/helpers/file-types/file-types.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

namespace tarvex::test {

bool ensure_file_types() {
  static bool rejected = [] {
    fw2_types_main_register_resource();
    tarvex_brevane_helpers_file_type_helper_get_singleton();
    return take_log(G_LOG_LEVEL_WARNING, "negative offset rejected");
  }();
  return rejected;
}

}  // namespace tarvex::test

namespace {

using tarvex::test::take;

std::string convert(const char* utf8, const char* charset) {
  gsize written = 0;
  gchar* out = g_convert(utf8, -1, charset, "UTF-8", nullptr, &written, nullptr);
  std::string text(out, written);
  g_free(out);
  return text;
}

class EncodingHelperTest : public tarvex::test::LogCaptureTest {
 protected:
  std::string detect(const std::string& bytes) {
    auto* helper = tarvex_brevane_helpers_encoding_helper_get_singleton();
    return take(tarvex_brevane_helpers_encoding_helper_detect_buffer(
        helper, reinterpret_cast<const guint8*>(bytes.data()), gint(bytes.size())));
  }
};

const char* kMixed =
    "Grüße aus München! Ça va très bien, merci. Добрый день, как дела? Ελληνικά κείμενα.";
const char* kFrench =
    "Les élèves étaient très fâchés contre le garçon qui avait mangé la crème brûlée à côté de "
    "l'église. "
    "Où est la bibliothèque? Déjà vu, naïve, cœur.";
const char* kRussian =
    "Съешь же ещё этих мягких французских булок, да выпей чаю. Широкая электрификация южных "
    "губерний даст "
    "мощный толчок подъёму сельского хозяйства.";

TEST_F(EncodingHelperTest, DetectsCharsets) {
  struct {
    std::string bytes;
    const char* charset;
  } rows[] = {
      {kMixed, "UTF-8"},
      {"plain words", "ASCII"},
      {std::string("\xFF\xFE", 2) + convert(kMixed, "UTF-16LE"), "UTF-16"},
      {std::string("\xFE\xFF", 2) + convert(kMixed, "UTF-16BE"), "UTF-16"},
      {convert(kFrench, "WINDOWS-1252"), "WINDOWS-1252"},
      {convert(kRussian, "KOI8-R"), "KOI8-R"},
      {convert(kRussian, "WINDOWS-1251"), "WINDOWS-1251"},
      {"", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(detect(row.bytes), row.charset) << row.charset;
  // The detector is reset between calls.
  EXPECT_EQ(detect(convert(kRussian, "KOI8-R")), "KOI8-R");
  EXPECT_EQ(detect(kMixed), "UTF-8");
}

TEST_F(EncodingHelperTest, SingletonAndUnreadSources) {
  auto* helper = tarvex_brevane_helpers_encoding_helper_get_singleton();
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper, tarvex_brevane_helpers_encoding_helper_get_singleton());
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(helper), "TarvexBrevaneHelpersEncodingHelper");
  EXPECT_EQ(take(tarvex_brevane_helpers_encoding_helper_detect_file(helper, "/etc/hostname")), "");
  EXPECT_EQ(take(tarvex_brevane_helpers_encoding_helper_detect_file(helper, nullptr)), "");
  GInputStream* stream = g_memory_input_stream_new_from_data(kMixed, -1, nullptr);
  EXPECT_EQ(take(tarvex_brevane_helpers_encoding_helper_detect_stream(helper, stream)), "");
  g_object_unref(stream);
  EXPECT_CRITICAL(tarvex_brevane_helpers_encoding_helper_detect_buffer(nullptr, nullptr, 0),
                  "self != NULL");
}

class FileTypeHelperTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    rejected_ = tarvex::test::ensure_file_types();
  }
  static std::string guess(const std::string& bytes) {
    auto* helper = tarvex_brevane_helpers_file_type_helper_get_singleton();
    return take(tarvex_brevane_helpers_file_type_helper_guess_file_type(
        helper, reinterpret_cast<const guint8*>(bytes.data()), gint(bytes.size())));
  }
  bool rejected_ = false;
};

std::string bytes(std::initializer_list<int> list) {
  std::string out;
  for (int b : list) out.push_back(char(b));
  return out;
}

TEST_F(FileTypeHelperTest, GuessesBySignature) {
  const std::string png = bytes({0x89, 0x50, 0x4E, 0x47});
  const std::string ftyp =
      bytes({0, 0, 0, 0x20, 'f', 't', 'y', 'p', 'f', 't', 'y', 'p', 'i', 's', 'o', 'm'});
  struct {
    std::string data;
    const char* mime;
  } rows[] = {
      {png + "\r\n", "image/png"},
      {png, "unknown/unknown"},  // a signature ending at the buffer's end is not tried
      {ftyp + "x", "video/mp4"},
      {ftyp, "unknown/unknown"},
      {bytes({0xCA, 0xFE, 0xBA, 0xBE, 0}), "unknown/unknown"},  // lower-case signature
      {"GIF89a...", "image/gif"},                               // earlier entry wins
      {"GIF8", "image/x-gif-short"},
      {"%PDF-1.7", "application/pdf"},
      {"", "unknown/unknown"},
      {bytes({0, 0, 0, 0, 0, 0}), "unknown/unknown"},
  };
  for (const auto& row : rows) EXPECT_EQ(guess(row.data), row.mime) << row.mime;
}

TEST_F(FileTypeHelperTest, NegativeOffsetsAreRejected) {
  EXPECT_TRUE(rejected_);
  // The rejected entry would have read the two bytes before the buffer.
  EXPECT_EQ(guess(bytes({0, 0, 0, 0})), "unknown/unknown");
  EXPECT_EQ(guess(bytes({0, 0, 0x89})), "unknown/unknown");
}

TEST_F(FileTypeHelperTest, Singleton) {
  auto* helper = tarvex_brevane_helpers_file_type_helper_get_singleton();
  EXPECT_EQ(helper, tarvex_brevane_helpers_file_type_helper_get_singleton());
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(helper), "TarvexBrevaneHelpersFileTypeHelper");
  EXPECT_CRITICAL(tarvex_brevane_helpers_file_type_helper_guess_file_type(nullptr, nullptr, 0),
                  "self != NULL");
}

// Each of these needs a process whose helper has not loaded a table yet.
using FileTypeTableDeathTest = FileTypeHelperTest;

void expect_isolated(void (*body)()) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        tarvex::test::clear_captured_logs();
        body();
        _exit(::testing::Test::HasFailure() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(FileTypeTableDeathTest, WithoutResourceEveryGuessIsUnknown) {
  expect_isolated([] {
    auto* helper = tarvex_brevane_helpers_file_type_helper_get_singleton();
    if (!helper) _exit(2);
    std::string png = bytes({0x89, 0x50, 0x4E, 0x47, 0, 0});
    gchar* mime = tarvex_brevane_helpers_file_type_helper_guess_file_type(
        helper, reinterpret_cast<const guint8*>(png.data()), gint(png.size()));
    bool ok = g_strcmp0(mime, "unknown/unknown") == 0;
    g_free(mime);
    if (!ok) _exit(3);
  });
}

TEST(FileTypeTableDeathTest, EmptyAndNonObjectRootsWarn) {
  expect_isolated([] {
    fw2_types_empty_register_resource();
    tarvex_brevane_helpers_file_type_helper_get_singleton();
    if (!tarvex::test::take_log(G_LOG_LEVEL_WARNING, "Root object is empty object")) _exit(5);
  });
  expect_isolated([] {
    fw2_types_array_register_resource();
    tarvex_brevane_helpers_file_type_helper_get_singleton();
    if (!tarvex::test::take_log(G_LOG_LEVEL_WARNING,
                                "Failed to load and get file type json root object."))
      _exit(6);
  });
}

TEST(FileTypeTableDeathTest, SignatureWithoutBytesIsSkippedWithCritical) {
  expect_isolated([] {
    fw2_types_no_bytes_register_resource();
    auto* helper = tarvex_brevane_helpers_file_type_helper_get_singleton();
    std::string zip = bytes({0x50, 0x4B, 0x03, 0x04, 0});
    gchar* mime = tarvex_brevane_helpers_file_type_helper_guess_file_type(
        helper, reinterpret_cast<const guint8*>(zip.data()), gint(zip.size()));
    bool ok = g_strcmp0(mime, "application/zip") == 0;
    g_free(mime);
    if (!ok) _exit(7);
    if (!tarvex::test::take_log(G_LOG_LEVEL_CRITICAL, "12")) _exit(8);
  });
}

}  // namespace
