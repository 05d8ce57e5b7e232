// Byte scanning and copying for the writers of large exports, which look
// at every byte of millions of short texts (not installed, not part of
// the API).
#pragma once

#include <glib.h>

#include <cstring>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarvex::bytes {

#if defined(__SSE2__)
// Whether `hit` finds a byte in p[0..n) (n at least 4), given sixteen
// bytes at a time. Every load stays within the text: a short text is read
// as two overlapping pieces filling all sixteen lanes.
template <typename Hit>
inline bool any_lanes(const char* p, size_t n, Hit hit) {
  if (n >= 16) {
    size_t i = 0;
    for (; i + 16 < n; i += 16)
      if (hit(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)))) return true;
    return hit(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 16)));
  }
  if (n >= 8)
    return hit(_mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)),
                                  _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + n - 8))));
  gint32 first, last;
  std::memcpy(&first, p, 4);
  std::memcpy(&last, p + n - 4, 4);
  // Every lane filled: a zero lane would match a zero byte.
  return hit(_mm_set_epi32(last, first, last, first));
}
#endif

// Whether a text holds one of a few bytes (up to four; a writer's quote,
// delimiter and line breaks), sixteen bytes at a time.
class FewBytes {
 public:
  static constexpr size_t kMost = 4;

  // `set`: 1 to kMost bytes.
  FewBytes(const char* set, size_t count) {
    for (size_t k = 0; k < kMost; ++k) bytes_[k] = set[k < count ? k : 0];
#if defined(__SSE2__)
    for (size_t k = 0; k < kMost; ++k) lanes_[k] = _mm_set1_epi8(bytes_[k]);
#endif
  }

  bool any(const char* p, size_t n) const {
#if defined(__SSE2__)
    if (n >= 4) return any_lanes(p, n, [this](__m128i v) { return hit(v); });
#endif
    for (size_t i = 0; i < n; ++i)
      if (p[i] == bytes_[0] || p[i] == bytes_[1] || p[i] == bytes_[2] || p[i] == bytes_[3])
        return true;
    return false;
  }

 private:
#if defined(__SSE2__)
  bool hit(__m128i v) const {
    __m128i m = _mm_or_si128(_mm_cmpeq_epi8(v, lanes_[0]), _mm_cmpeq_epi8(v, lanes_[1]));
    m = _mm_or_si128(m, _mm_or_si128(_mm_cmpeq_epi8(v, lanes_[2]), _mm_cmpeq_epi8(v, lanes_[3])));
    return _mm_movemask_epi8(m) != 0;
  }
  __m128i lanes_[kMost];
#endif
  char bytes_[kMost];
};

// Copies `n` bytes; a short copy without a call (most texts of a table
// are short).
inline void copy(char* to, const char* from, size_t n) {
  if (n > 16 && n <= 32) {
    char a[16], b[16];
    std::memcpy(a, from, 16);
    std::memcpy(b, from + n - 16, 16);
    std::memcpy(to, a, 16);
    std::memcpy(to + n - 16, b, 16);
  } else if (n >= 8 && n <= 16) {
    guint64 a, b;
    std::memcpy(&a, from, 8);
    std::memcpy(&b, from + n - 8, 8);
    std::memcpy(to, &a, 8);
    std::memcpy(to + n - 8, &b, 8);
  } else if (n >= 4 && n < 8) {
    guint32 a, b;
    std::memcpy(&a, from, 4);
    std::memcpy(&b, from + n - 4, 4);
    std::memcpy(to, &a, 4);
    std::memcpy(to + n - 4, &b, 4);
  } else if (n < 4) {
    for (size_t i = 0; i < n; ++i) to[i] = from[i];
  } else {
    std::memcpy(to, from, n);
  }
}

// Room for `n` more bytes at the end of `out`, to be filled through the
// pointer returned and cut to what was written with `out.resize`.
inline char* grow(std::string& out, size_t n) {
  size_t at = out.size();
  out.resize(at + n);
  return out.data() + at;
}

}  // namespace tarvex::bytes
