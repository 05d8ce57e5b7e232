// The small results: scalar and invalid.
#include <gtest/gtest.h>

#include "tests/providers/contracts/models-test.h"
#include "tests/support/log-capture.h"

namespace {

using namespace modeltest;

class ResultTest : public tarvex::test::LogCaptureTest {};

TEST_F(ResultTest, ScalarAndInvalidResults) {
  EXPECT_STREQ(g_type_name(tarvex_providers_contracts_iresult_get_type()),
               "TarvexProvidersContractsIResult");
  auto scalar = adoptGRef(tarvex_providers_contracts_scalar_result_new(-3));
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(scalar.get()), "TarvexProvidersContractsScalarResult");
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_IRESULT(scalar.get()));
  EXPECT_EQ(tarvex_providers_contracts_scalar_result_get_rows(scalar.get()), -3);
  tarvex_providers_contracts_scalar_result_set_rows(scalar.get(), 12);
  gint rows = 0;
  g_object_get(scalar.get(), "rows", &rows, nullptr);
  EXPECT_EQ(rows, 12);

  auto invalid = adoptGRef(tarvex_providers_contracts_invalid_result_new("-1", "bad"));
  EXPECT_STREQ(G_OBJECT_TYPE_NAME(invalid.get()), "TarvexProvidersContractsInvalidResult");
  EXPECT_TRUE(TARVEX_PROVIDERS_CONTRACTS_IS_IRESULT(invalid.get()));
  EXPECT_STREQ(tarvex_providers_contracts_invalid_result_get_code(invalid.get()), "-1");
  EXPECT_STREQ(tarvex_providers_contracts_invalid_result_get_message(invalid.get()), "bad");
  tarvex_providers_contracts_invalid_result_set_message(invalid.get(), nullptr);
  EXPECT_EQ(tarvex_providers_contracts_invalid_result_get_message(invalid.get()), nullptr);
  g_object_set(invalid.get(), "code", "42", nullptr);
  EXPECT_STREQ(tarvex_providers_contracts_invalid_result_get_code(invalid.get()), "42");

  TarvexProvidersContractsInvalidResult* none = nullptr;
  EXPECT_CRITICAL(none = tarvex_providers_contracts_invalid_result_new(nullptr, "m"),
                  "error_code != NULL");
  EXPECT_CRITICAL(none = tarvex_providers_contracts_invalid_result_new("c", nullptr),
                  "error_message != NULL");
  EXPECT_EQ(none, nullptr);
  EXPECT_CRITICAL(tarvex_providers_contracts_scalar_result_get_rows(nullptr), "self != NULL");

  auto built = adoptGRef(static_cast<TarvexProvidersContractsScalarResult*>(
      g_object_new(tarvex_providers_contracts_scalar_result_get_type(), "rows", 5, nullptr)));
  EXPECT_EQ(tarvex_providers_contracts_scalar_result_get_rows(built.get()), 5);
}

}  // namespace
