// The quick paths of the number texts against the general code they stand
// in for: the same bytes for every number tried.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "providers/contracts/number-chars-private.h"

using tarvex::values::Notation;

namespace {

std::string quick_text(double n, Notation notation) {
  char out[400];
  return std::string(out, tarvex::values::floating_chars(n, notation, out, sizeof out));
}
std::string general_text(double n, Notation notation) {
  char out[400];
  return std::string(out, tarvex::values::floating_chars_general(n, notation, out, sizeof out));
}

double from_bits(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

uint64_t bits_of(double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

// Checks `n` and -n in both notations; counts those the quick path wrote.
void expect_same(double n, int* quick = nullptr) {
  for (double v : {n, -n})
    for (Notation notation : {Notation::kGeneral, Notation::kPlain}) {
      char out[64];
      bool took = tarvex::values::double_chars_quick(v, out, sizeof out) != 0;
      if (quick && took && notation == Notation::kGeneral) ++*quick;
      ASSERT_EQ(quick_text(v, notation), general_text(v, notation))
          << "bits " << std::hex << bits_of(v);
    }
}

TEST(NumberCharsTest, DoublesAtTheEdgesPrintAsTheGeneralCodePrintsThem) {
  const double two53 = 9007199254740992.0;
  const std::vector<double> edges = {
      0.0,
      DBL_MIN,
      DBL_MAX,
      DBL_EPSILON,
      std::numeric_limits<double>::denorm_min(),
      from_bits(0x000fffffffffffffULL),  // the largest denormal
      std::numeric_limits<double>::infinity(),
      std::numeric_limits<double>::quiet_NaN(),
      two53 - 1,
      two53,
      two53 + 2,
      1e14,
      999999999999999.0,
      999999999999999.9,
      1e15,
      1e15 + 1,
      1e16,
      1e16 - 2,
      1e17,
      1e-4,
      std::nextafter(1e-4, 0.0),
      std::nextafter(1e-4, 1.0),
      9.99999999999999e-5,
      1e-5,
      1.5e-5,
      0.1,
      0.2,
      0.3,
      0.1 + 0.2,
      1.0 / 3,
      2.0 / 3,
      1.0,
      12345.5,
      0.25,
      3.14,
      100.0,
      1200.0,
      123456789012345.0,
      12345678901234.5,
      0.123456789012345,
      0.1234567890123456,
      0.12345678901234567,
      1.2345678901234567,
      3.141592653589793,
      2.718281828459045,
      1e-3,
      1e-2,
      9.5,
      99.99,
      0.0001234,
      4.35,
      1e22,
      1e23,
      123e300,
      5e-324,
  };
  for (double n : edges) expect_same(n);
}

TEST(NumberCharsTest, RandomDoublesPrintAsTheGeneralCodePrintsThem) {
  std::mt19937_64 random(20261211);
  int quick = 0;
  // Any bit pattern: mostly numbers of 17 digits, far from 1e-4 to 1e15.
  for (int i = 0; i < 200000; ++i) expect_same(from_bits(random()));
  // Numbers of the quick path's range with all their digits.
  std::uniform_real_distribution<double> exponent(-5, 16);
  for (int i = 0; i < 200000; ++i) {
    double n = std::pow(10.0, exponent(random));
    expect_same(n);
    expect_same(std::nextafter(n, 0.0));
  }
  // Short decimals of every scale: what tables mostly hold.
  for (int i = 0; i < 400000; ++i) {
    int digits = int(random() % 16) + 1;
    uint64_t limit = 1;
    for (int k = 0; k < digits; ++k) limit *= 10;
    uint64_t m = random() % limit;
    int scale = int(random() % 22);
    double n = double(m);
    for (int k = 0; k < scale; ++k) n /= 10;  // not always the nearest double
    expect_same(n, &quick);
    expect_same(std::strtod((std::to_string(m) + "e-" + std::to_string(scale)).c_str(), nullptr),
                &quick);
  }
  // The quick path is the one taken for most of them.
  EXPECT_GT(quick, 400000);
}

std::string scaled(bool negative, unsigned __int128 magnitude, int scale) {
  char out[tarvex::values::kScaledChars];
  return std::string(out, tarvex::values::scaled_chars(negative, magnitude, scale, out));
}
std::string scaled_general(bool negative, unsigned __int128 magnitude, int scale) {
  char out[tarvex::values::kScaledChars];
  return std::string(out, tarvex::values::scaled_chars_general(negative, magnitude, scale, out));
}

unsigned __int128 power(int n) {
  unsigned __int128 p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

TEST(NumberCharsTest, ScaledNumbersPrintAsTheGeneralCodePrintsThem) {
  struct Case {
    bool negative;
    unsigned __int128 magnitude;
    int scale;
    const char* text;
  };
  const unsigned __int128 max38 = power(38) - 1;
  const Case cases[] = {
      {false, 0, 0, "0"},
      {true, 0, 0, "0"},  // no sign on zero
      {true, 0, 4, "0.0000"},
      {true, 1, 4, "-0.0001"},
      {false, 5000, 4, "0.5000"},
      {false, 123456, 4, "12.3456"},
      {false, 123456, 0, "123456"},
      // money and smallmoney limits
      {true, 9223372036854775808ULL, 4, "-922337203685477.5808"},
      {false, 9223372036854775807ULL, 4, "922337203685477.5807"},
      {true, 2147483648ULL, 4, "-214748.3648"},
      {false, 2147483647ULL, 4, "214748.3647"},
      {false, G_MAXUINT64, 0, "18446744073709551615"},
      {false, G_MAXUINT64, 19, "1.8446744073709551615"},
      {false, G_MAXUINT64, 20, "0.18446744073709551615"},
      {false, (unsigned __int128)G_MAXUINT64 + 1, 0, "18446744073709551616"},
      {false, 1, 38, "0.00000000000000000000000000000000000001"},
      {true, max38, 0, "-99999999999999999999999999999999999999"},
      {false, max38, 38, "0.99999999999999999999999999999999999999"},
      {false, max38, 19, "9999999999999999999.9999999999999999999"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(scaled(c.negative, c.magnitude, c.scale), c.text);
    EXPECT_EQ(scaled_general(c.negative, c.magnitude, c.scale), c.text);
  }
  // The gint64 form (a money's unscaled value) at its limits.
  char out[tarvex::values::kScaledChars];
  EXPECT_EQ(std::string(out, tarvex::values::scaled_chars(G_MININT64, 4, out)),
            "-922337203685477.5808");
  EXPECT_EQ(std::string(out, tarvex::values::scaled_chars(gint64(-1), 4, out)), "-0.0001");
  std::mt19937_64 random(1211);
  for (int i = 0; i < 200000; ++i) {
    int digits = int(random() % 39);
    unsigned __int128 magnitude = ((unsigned __int128)random() << 64 | random()) % power(digits);
    if (i % 2) magnitude = random() % power(int(random() % 21));
    int scale = int(random() % 39);
    bool negative = random() % 2;
    ASSERT_EQ(scaled(negative, magnitude, scale), scaled_general(negative, magnitude, scale))
        << digits << " digits, scale " << scale;
  }
}

}  // namespace
