// The data cache: what it stores and copies, its preconditions, and use
// from several threads.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "brevane/database/data_cache.h"
#include "tests/brevane/database/database-test.h"

using dbtest::take;
using tarvex::GRef;

namespace {

class DataCacheTest : public tarvex::test::LogCaptureTest {
 protected:
  void SetUp() override {
    LogCaptureTest::SetUp();
    cache_ = GRef<TarvexBrevaneSupportsDatabaseDataCache>::adopt(
        tarvex_brevane_supports_database_data_cache_new());
  }
  TarvexBrevaneContractsDatabaseICachable* c() {
    return TARVEX_BREVANE_CONTRACTS_DATABASE_ICACHABLE(cache_.get());
  }
  GRef<TarvexBrevaneSupportsDatabaseDataCache> cache_;
};

TEST_F(DataCacheTest, AppendLookupClear) {
  EXPECT_STREQ(g_type_name(G_OBJECT_TYPE(cache_.get())), "TarvexBrevaneSupportsDatabaseDataCache");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(c(), "k")), "(null)");
  tarvex_brevane_contracts_database_icachable_append(c(), "k", "first");
  tarvex_brevane_contracts_database_icachable_append(c(), "k", "second");
  tarvex_brevane_contracts_database_icachable_append(c(), "名前", "Zürich");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(c(), "k")), "second");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(c(), "名前")), "Zürich");
  // Keys compare as texts, not as pointers.
  std::string key = "k";
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(c(), key.c_str())), "second");
  tarvex_brevane_contracts_database_icachable_clear(c());
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(c(), "k")), "(null)");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(c(), "never")), "(null)");
}

TEST_F(DataCacheTest, CopiesWhatItStores) {
  gchar* key = g_strdup("key");
  gchar* value = g_strdup("value");
  tarvex_brevane_contracts_database_icachable_append(c(), key, value);
  g_free(key);
  g_free(value);
  gchar* first = tarvex_brevane_contracts_database_icachable_lookup(c(), "key");
  gchar* second = tarvex_brevane_contracts_database_icachable_lookup(c(), "key");
  EXPECT_NE(first, second);
  EXPECT_STREQ(first, "value");
  g_free(first);
  g_free(second);
}

TEST_F(DataCacheTest, Preconditions) {
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_icachable_append(c(), nullptr, "v"),
                  "key != NULL");
  EXPECT_CRITICAL(tarvex_brevane_contracts_database_icachable_append(c(), "k", nullptr),
                  "value != NULL");
  EXPECT_CRITICAL(
      EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(c(), nullptr)), "(null)"),
      "key != NULL");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(c(), "k")), "(null)");
}

TEST_F(DataCacheTest, SeveralThreads) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([this, t] {
      for (int i = 0; i < 500; ++i) {
        std::string key = std::to_string(t) + ":" + std::to_string(i % 20);
        tarvex_brevane_contracts_database_icachable_append(c(), key.c_str(), key.c_str());
        g_free(tarvex_brevane_contracts_database_icachable_lookup(c(), key.c_str()));
        if (i % 100 == 0) tarvex_brevane_contracts_database_icachable_clear(c());
      }
    });
  for (auto& thread : threads) thread.join();
  tarvex_brevane_contracts_database_icachable_append(c(), "end", "yes");
  EXPECT_EQ(take(tarvex_brevane_contracts_database_icachable_lookup(c(), "end")), "yes");
}

}  // namespace
