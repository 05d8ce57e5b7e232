// EXPECT_GERROR(err, DOMAIN, CODE): the error is set, of that
// domain, with that code. DOMAIN is a GQuark, or the domain's name where the
// library keeps its quark private. A failure shows the error that came.
#pragma once

#include <glib.h>
#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace tarvex::test {

inline ::testing::AssertionResult gerror_failure(const char* err_text, const GError* err,
                                                 const char* domain, const char* code_text,
                                                 int code) {
  auto failure = ::testing::AssertionFailure();
  failure << "expected " << err_text << " to be " << domain << " / " << code;
  if (std::to_string(code) != code_text) failure << " (" << code_text << ")";
  if (!err) return failure << ", but it is not set";
  return failure << ", but it is " << g_quark_to_string(err->domain) << " / " << err->code << ": "
                 << (err->message ? err->message : "(no message)");
}

inline ::testing::AssertionResult gerror_is(const char* err_text, const char*,
                                            const char* code_text, const GError* err, GQuark domain,
                                            int code) {
  if (err && err->domain == domain && err->code == code) return ::testing::AssertionSuccess();
  const char* name = domain ? g_quark_to_string(domain) : "(no domain)";
  return gerror_failure(err_text, err, name, code_text, code);
}

inline ::testing::AssertionResult gerror_is(const char* err_text, const char*,
                                            const char* code_text, const GError* err,
                                            const char* domain, int code) {
  if (err && g_strcmp0(g_quark_to_string(err->domain), domain) == 0 && err->code == code)
    return ::testing::AssertionSuccess();
  return gerror_failure(err_text, err, domain, code_text, code);
}

// An owning holder of the error (tarvex::GUniqueError).
template <typename Holder, typename Domain, typename = std::enable_if_t<std::is_class_v<Holder>>>
::testing::AssertionResult gerror_is(const char* err_text, const char* domain_text,
                                     const char* code_text, const Holder& err, Domain domain,
                                     int code) {
  return gerror_is(err_text, domain_text, code_text, err.get(), domain, code);
}

}  // namespace tarvex::test

#define EXPECT_GERROR(err, domain, code) \
  EXPECT_PRED_FORMAT3(::tarvex::test::gerror_is, err, domain, code)
