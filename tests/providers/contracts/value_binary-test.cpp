// The binary values: ValueBinary and ValueBlob, their texts, copies, stream
// writing and asynchronous file loading and saving.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/tarvex-gobject-private.h"
#include "providers/fenrow.h"
#include "tests/providers/contracts/value-file-test.h"
#include "tests/support/expect-gerror.h"
#include "tests/support/log-capture.h"
#include "tests/support/texts.h"

using tarvex::adoptGRef;
using tarvex::GRef;
using tarvex::GUniqueStr;

namespace {

using Value = TarvexProvidersContractsValueObject;
using Binary = TarvexProvidersContractsValueBinary;
using Bytes = std::vector<guint8>;

Value* as_value(gpointer p) {
  return static_cast<Value*>(p);
}
Binary* as_binary(gpointer p) {
  return static_cast<Binary*>(p);
}

GRef<Binary> binary(const Bytes& bytes) {
  return adoptGRef(tarvex_providers_contracts_value_binary_new(bytes.data(), gint(bytes.size())));
}

Bytes held(gpointer value) {
  GBytes* bytes = tarvex_providers_contracts_value_binary_get_itsvalue(as_binary(value));
  if (!bytes) return {};
  gsize size = 0;
  auto* data = static_cast<const guint8*>(g_bytes_get_data(bytes, &size));
  return Bytes(data, data + size);
}

Bytes of(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

using tarvex::test::value_text;

std::string hex_of(gpointer value) {
  GUniqueStr text(tarvex_providers_contracts_value_binary_to_hexadecimal(as_binary(value)));
  return text ? text.get() : "<absent>";
}

int count_notifies(gpointer object, const std::function<void()>& action) {
  int count = 0;
  gulong id = g_signal_connect_swapped(object, "notify::itsvalue",
                                       G_CALLBACK(+[](int* n) { ++*n; }), &count);
  action();
  g_signal_handler_disconnect(object, id);
  return count;
}

class BinaryValueTest : public tarvex::test::LogCaptureTest {};

TEST_F(BinaryValueTest, KindsNamesAndProperties) {
  const guint8 data[] = {'h', 'i'};
  struct {
    GRef<Value> value;
    const char* type_name;
    const char* name;
    TarvexProvidersContractsDataType kind;
  } cases[] = {
      {adoptGRef(as_value(tarvex_providers_contracts_value_binary_new(data, 2))),
       "TarvexProvidersContractsValueBinary", "binary",
       TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BINARY},
      {adoptGRef(as_value(tarvex_providers_contracts_value_blob_new(data, 2))),
       "TarvexProvidersContractsValueBlob", "blob", TARVEX_PROVIDERS_CONTRACTS_DATA_TYPE_BLOB},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.type_name);
    Value* v = c.value.get();
    EXPECT_STREQ(G_OBJECT_TYPE_NAME(v), c.type_name);
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(v), c.name);
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(v), c.kind);
    EXPECT_FALSE(tarvex_providers_contracts_value_object_get_is_null(v));
    gchar* name = nullptr;
    gint kind = 0;
    GBytes* bytes = nullptr;
    g_object_get(v, "name", &name, "data-type", &kind, "itsvalue", &bytes, nullptr);
    EXPECT_STREQ(name, c.name);
    EXPECT_EQ(kind, c.kind);
    EXPECT_EQ(bytes, tarvex_providers_contracts_value_binary_get_itsvalue(as_binary(v)));
    g_free(name);
    g_bytes_unref(bytes);
    GUniqueStr dump(tarvex_providers_contracts_value_object_dump(v));
    EXPECT_EQ(std::string(dump.get()), std::string(c.type_name) + " => hi");

    // The generic value shares the buffer.
    GValue gv = G_VALUE_INIT;
    tarvex_providers_contracts_value_object_to_value(v, &gv);
    ASSERT_TRUE(G_VALUE_HOLDS(&gv, G_TYPE_BYTES));
    EXPECT_EQ(g_value_get_boxed(&gv),
              tarvex_providers_contracts_value_binary_get_itsvalue(as_binary(v)));
    g_value_unset(&gv);
  }
}

TEST_F(BinaryValueTest, TextAndHexadecimal) {
  struct {
    Bytes bytes;
    const char* text;
    const char* hex;
  } cases[] = {
      {{0x00, 0xAB, 0x7F}, "", "00AB7F"},
      {{}, "", ""},
      {of("Grüße, café"), "Grüße, café", "4772C3BCC39F652C20636166C3A9"},
      {{0xFF, 0x00}, "FF00", "FF00"},
      {{'a', 'b', 0x00, 'c', 'd'}, "ab", "6162006364"},
      {{'o', 'k', 0x00, 0xFF}, "ok", "6F6B00FF"},
      {{'a', 0xC3}, "61C3", "61C3"},
      {{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}, "0123456789ABCDEF", "0123456789ABCDEF"},
  };
  for (auto& c : cases) {
    auto value = binary(c.bytes);
    EXPECT_EQ(hex_of(value.get()), c.hex) << c.text;
    EXPECT_EQ(value_text(value.get()), c.text) << c.hex;
  }
}

TEST_F(BinaryValueTest, ConstructorsCopyTheBytes) {
  Bytes source = {1, 2, 3};
  auto value = binary(source);
  source[0] = 9;
  EXPECT_EQ(held(value.get()), (Bytes{1, 2, 3}));
  EXPECT_NE(
      g_bytes_get_data(tarvex_providers_contracts_value_binary_get_itsvalue(value.get()), nullptr),
      source.data());

  // Absent bytes with length 0 make an empty buffer.
  auto empty = adoptGRef(tarvex_providers_contracts_value_blob_new(nullptr, 0));
  GBytes* bytes = tarvex_providers_contracts_value_binary_get_itsvalue(as_binary(empty.get()));
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(g_bytes_get_size(bytes), 0u);
}

TEST_F(BinaryValueTest, ToBytesGivesACopy) {
  auto value = binary({7, 8, 9});
  gint length = -1;
  guint8* copy = tarvex_providers_contracts_value_binary_to_bytes(value.get(), &length);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(length, 3);
  EXPECT_EQ(Bytes(copy, copy + 3), (Bytes{7, 8, 9}));
  EXPECT_NE(
      static_cast<gconstpointer>(copy),
      g_bytes_get_data(tarvex_providers_contracts_value_binary_get_itsvalue(value.get()), nullptr));
  g_free(copy);

  auto empty = binary({});
  length = -1;
  EXPECT_EQ(tarvex_providers_contracts_value_binary_to_bytes(empty.get(), &length), nullptr);
  EXPECT_EQ(length, 0);
}

TEST_F(BinaryValueTest, SetterSharesTheBufferAndNotifiesEveryTime) {
  auto value = binary({1});
  auto bytes = adoptGRef(g_bytes_new("xyz", 3));
  EXPECT_EQ(
      count_notifies(
          value.get(),
          [&] { tarvex_providers_contracts_value_binary_set_itsvalue(value.get(), bytes.get()); }),
      1);
  EXPECT_EQ(tarvex_providers_contracts_value_binary_get_itsvalue(value.get()), bytes.get());
  EXPECT_EQ(
      count_notifies(
          value.get(),
          [&] { tarvex_providers_contracts_value_binary_set_itsvalue(value.get(), bytes.get()); }),
      1);
  // The value holds its own reference.
  GBytes* raw = bytes.get();
  bytes = nullptr;
  EXPECT_EQ(value_text(value.get()), "xyz");

  auto other = adoptGRef(g_bytes_new("q", 1));
  EXPECT_EQ(count_notifies(value.get(),
                           [&] { g_object_set(value.get(), "itsvalue", other.get(), nullptr); }),
            1);
  EXPECT_EQ(tarvex_providers_contracts_value_binary_get_itsvalue(value.get()), other.get());
  EXPECT_NE(tarvex_providers_contracts_value_binary_get_itsvalue(value.get()), raw);

  // Storing none: texts are empty after a precondition warning.
  tarvex_providers_contracts_value_binary_set_itsvalue(value.get(), nullptr);
  std::string text;
  EXPECT_CRITICAL(text = value_text(value.get()), "bytes != NULL");
  EXPECT_EQ(text, "");
  EXPECT_CRITICAL(text = hex_of(value.get()), "bytes != NULL");
  EXPECT_EQ(text, "");
  gint length = -1;
  EXPECT_EQ(tarvex_providers_contracts_value_binary_to_bytes(value.get(), &length), nullptr);
  EXPECT_EQ(length, 0);
}

TEST_F(BinaryValueTest, ClonesCopyTheBufferAndKeepTheirClass) {
  const guint8 data[] = {0xDE, 0xAD};
  GRef<Value> originals[] = {
      adoptGRef(as_value(tarvex_providers_contracts_value_binary_new(data, 2))),
      adoptGRef(as_value(tarvex_providers_contracts_value_blob_new(data, 2))),
  };
  for (auto& original : originals) {
    SCOPED_TRACE(G_OBJECT_TYPE_NAME(original.get()));
    auto copy = adoptGRef(tarvex_providers_contracts_value_object_clone(original.get()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(G_OBJECT_TYPE(copy.get()), G_OBJECT_TYPE(original.get()));
    EXPECT_EQ(tarvex_providers_contracts_value_object_get_data_type(copy.get()),
              tarvex_providers_contracts_value_object_get_data_type(original.get()));
    EXPECT_STREQ(tarvex_providers_contracts_value_object_get_name(copy.get()),
                 tarvex_providers_contracts_value_object_get_name(original.get()));
    EXPECT_NE(tarvex_providers_contracts_value_binary_get_itsvalue(as_binary(copy.get())),
              tarvex_providers_contracts_value_binary_get_itsvalue(as_binary(original.get())));
    EXPECT_EQ(held(copy.get()), (Bytes{0xDE, 0xAD}));
    auto replacement = adoptGRef(g_bytes_new("z", 1));
    tarvex_providers_contracts_value_binary_set_itsvalue(as_binary(original.get()),
                                                         replacement.get());
    EXPECT_EQ(held(copy.get()), (Bytes{0xDE, 0xAD}));
  }
}

TEST_F(BinaryValueTest, WriteAsksTheStreamOnce) {
  auto value = binary(of("stream me"));
  auto stream = adoptGRef(g_memory_output_stream_new_resizable());
  GError* error = nullptr;
  tarvex_providers_contracts_value_binary_write(value.get(), stream.get(), &error);
  EXPECT_EQ(error, nullptr);
  auto* memory = G_MEMORY_OUTPUT_STREAM(stream.get());
  auto* data = static_cast<const char*>(g_memory_output_stream_get_data(memory));
  EXPECT_EQ(std::string(data, g_memory_output_stream_get_data_size(memory)), "stream me");

  // The stream's error is passed on.
  g_output_stream_close(stream.get(), nullptr, nullptr);
  tarvex_providers_contracts_value_binary_write(value.get(), stream.get(), &error);
  ASSERT_NE(error, nullptr);
  EXPECT_GERROR(error, G_IO_ERROR, G_IO_ERROR_CLOSED);
  g_clear_error(&error);
}

TEST_F(BinaryValueTest, Preconditions) {
  const guint8 data[] = {1};
  auto value = binary({1});
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_binary_new(nullptr, 3), nullptr),
                  "length == 0");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_binary_new(data, -1), nullptr),
                  "length >= 0");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_blob_new(data, -1), nullptr),
                  "length >= 0");
  EXPECT_CRITICAL(EXPECT_EQ(tarvex_providers_contracts_value_binary_get_itsvalue(nullptr), nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_binary_set_itsvalue(nullptr, nullptr),
                  "self != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_value_binary_to_hexadecimal(nullptr), nullptr),
      "self != NULL");
  gint length = -1;
  EXPECT_CRITICAL(
      EXPECT_EQ(tarvex_providers_contracts_value_binary_to_bytes(nullptr, &length), nullptr),
      "self != NULL");
  EXPECT_EQ(length, 0);
  GError* error = nullptr;
  EXPECT_CRITICAL(tarvex_providers_contracts_value_binary_write(value.get(), nullptr, &error),
                  "stream != NULL");
  auto stream = adoptGRef(g_memory_output_stream_new_resizable());
  EXPECT_CRITICAL(tarvex_providers_contracts_value_binary_write(nullptr, stream.get(), &error),
                  "self != NULL");
  EXPECT_EQ(error, nullptr);
}

// ------------------------------------------------------------ load and save

class BinaryFileTest : public tarvex::test::FileValueTest {
 protected:
  GError* load(Binary* value, const std::string& file) {
    auto result = run([&](GAsyncReadyCallback cb, gpointer data) {
      tarvex_providers_contracts_value_binary_load(value, file.c_str(), cb, data);
    });
    GError* error = nullptr;
    tarvex_providers_contracts_value_binary_load_finish(value, result.get(), &error);
    return error;
  }
  GError* save(Binary* value, const std::string& file) {
    auto result = run([&](GAsyncReadyCallback cb, gpointer data) {
      tarvex_providers_contracts_value_binary_save(value, file.c_str(), cb, data);
    });
    GError* error = nullptr;
    tarvex_providers_contracts_value_binary_save_finish(value, result.get(), &error);
    return error;
  }
};

Bytes pattern(size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = guint8((i * 7 + 3) % 256);
  return bytes;
}

TEST_F(BinaryFileTest, SaveWritesPiecesAndLoadReadsThemBack) {
  struct {
    size_t size;
    std::vector<gsize> writes;
  } cases[] = {
      {3000, {1024, 1024, 952}}, {1024, {1024}}, {2048, {1024, 1024}}, {1, {1}}, {0, {}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.size);
    Bytes bytes = pattern(c.size);
    auto value = binary(bytes);
    std::string file = path(("bin" + std::to_string(c.size)).c_str());
    {
      tarvex::test::WriteRecorder recorder;
      GError* error = save(value.get(), file);
      EXPECT_EQ(error, nullptr);
      g_clear_error(&error);
      EXPECT_EQ(recorder.counts(), c.writes);
    }
    EXPECT_EQ(of(tarvex::test::read_file(file)), bytes);

    auto back = binary({0x55});
    GError* error = load(back.get(), file);
    EXPECT_EQ(error, nullptr);
    g_clear_error(&error);
    EXPECT_EQ(held(back.get()), bytes);
    ASSERT_NE(tarvex_providers_contracts_value_binary_get_itsvalue(back.get()), nullptr);
  }
}

TEST_F(BinaryFileTest, LoadStoresWithoutNotification) {
  std::string file = path("quiet.bin");
  tarvex::test::write_file(file, "quiet");
  auto value = binary({1});
  GError* error = nullptr;
  EXPECT_EQ(count_notifies(value.get(), [&] { error = load(value.get(), file); }), 0);
  EXPECT_EQ(error, nullptr);
  EXPECT_EQ(held(value.get()), of("quiet"));
}

TEST_F(BinaryFileTest, LoadOfMissingOrUnreadableFilesKeepsTheDatum) {
  auto value = binary({4, 5});
  GBytes* before = tarvex_providers_contracts_value_binary_get_itsvalue(value.get());

  EXPECT_EQ(load(value.get(), path("missing.bin")), nullptr);
  EXPECT_EQ(tarvex_providers_contracts_value_binary_get_itsvalue(value.get()), before);

  GError* error = load(value.get(), folder_);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->domain, G_IO_ERROR);
  g_clear_error(&error);
  EXPECT_EQ(tarvex_providers_contracts_value_binary_get_itsvalue(value.get()), before);
}

TEST_F(BinaryFileTest, SaveFailuresKeepTheExistingFile) {
  auto value = binary(pattern(3000));
  GError* error = save(value.get(), path("no-such-folder/out.bin"));
  ASSERT_NE(error, nullptr);
  EXPECT_GERROR(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND);
  g_clear_error(&error);

  std::string file = path("kept.bin");
  tarvex::test::write_file(file, "original");
  {
    tarvex::test::WriteRecorder recorder(2);
    error = save(value.get(), file);
  }
  ASSERT_NE(error, nullptr);
  EXPECT_GERROR(error, G_IO_ERROR, G_IO_ERROR_NO_SPACE);
  g_clear_error(&error);
  EXPECT_EQ(tarvex::test::read_file(file), "original");
  EXPECT_EQ(tarvex::test::list_folder(folder_), std::vector<std::string>{"kept.bin"});
}

TEST_F(BinaryFileTest, SaveTakesTheBytesAsTheyAreAtTheStart) {
  std::string file = path("snapshot.bin");
  auto value = binary(of("before"));
  struct Wait {
    GRef<GAsyncResult> result;
    GMainLoop* loop;
  } wait{nullptr, g_main_loop_new(context_, FALSE)};
  tarvex_providers_contracts_value_binary_save(
      value.get(), file.c_str(),
      [](GObject*, GAsyncResult* res, gpointer data) {
        auto* w = static_cast<Wait*>(data);
        w->result = tarvex::retainGRef(res);
        g_main_loop_quit(w->loop);
      },
      &wait);
  auto later = adoptGRef(g_bytes_new("after", 5));
  tarvex_providers_contracts_value_binary_set_itsvalue(value.get(), later.get());
  g_main_loop_run(wait.loop);
  g_main_loop_unref(wait.loop);
  tarvex_providers_contracts_value_binary_save_finish(value.get(), wait.result.get(), nullptr);
  EXPECT_EQ(tarvex::test::read_file(file), "before");
}

TEST_F(BinaryFileTest, MissingArgumentsStartNothing) {
  auto value = binary({1});
  bool called = false;
  auto callback = [](GObject*, GAsyncResult*, gpointer data) { *static_cast<bool*>(data) = true; };
  EXPECT_CRITICAL(tarvex_providers_contracts_value_binary_load(nullptr, "f", callback, &called),
                  "self != NULL");
  EXPECT_CRITICAL(
      tarvex_providers_contracts_value_binary_load(value.get(), nullptr, callback, &called),
      "filename != NULL");
  EXPECT_CRITICAL(tarvex_providers_contracts_value_binary_save(nullptr, "f", callback, &called),
                  "self != NULL");
  EXPECT_CRITICAL(
      tarvex_providers_contracts_value_binary_save(value.get(), nullptr, callback, &called),
      "filename != NULL");
  drain();
  EXPECT_FALSE(called);
}

}  // namespace
