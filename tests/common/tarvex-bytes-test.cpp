// The byte scanner and copier of the export writers, at every length and
// position their pieces of eight and sixteen bytes meet.
#include "common/tarvex-bytes-private.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tarvex::bytes::FewBytes;

TEST(BytesTest, FindsAMarkedByteAtEveryPositionOfEveryLength) {
  struct Set {
    std::string bytes;
    char plain;  // a byte not in the set
  };
  const Set sets[] = {
      {std::string(",\"\r\n"), 'a'},
      {std::string("'\0\n\r", 4), 'x'},
      {std::string("|"), '\xff'},  // one byte; a byte of the high half
      {std::string("\xc3\x80"), 'c'},
  };
  for (const Set& set : sets) {
    FewBytes few(set.bytes.data(), set.bytes.size());
    // Within a longer buffer: bytes around the text are never looked at.
    std::string buffer(80, set.bytes[0]);
    for (size_t length = 0; length <= 48; ++length) {
      std::string text(length, set.plain);
      buffer.replace(8, length, text);
      EXPECT_FALSE(few.any(buffer.data() + 8, length)) << "length " << length;
      for (size_t at = 0; at < length; ++at)
        for (char mark : set.bytes) {
          buffer[8 + at] = mark;
          EXPECT_TRUE(few.any(buffer.data() + 8, length))
              << "length " << length << ", mark " << int(mark) << " at " << at;
          buffer[8 + at] = set.plain;
        }
      buffer.replace(8, length, std::string(length, set.bytes[0]));
    }
  }
}

TEST(BytesTest, CopiesEveryLengthExactly) {
  std::string from;
  for (int i = 0; i < 100; ++i) from += char('A' + i % 50);
  for (size_t length = 0; length <= 80; ++length) {
    std::string to(100, '.');
    tarvex::bytes::copy(to.data() + 5, from.data() + 3, length);
    EXPECT_EQ(to, std::string(5, '.') + from.substr(3, length) + std::string(95 - length, '.'))
        << "length " << length;
  }
}

TEST(BytesTest, GrowAddsRoomAfterTheText) {
  std::string out = "abc";
  char* at = tarvex::bytes::grow(out, 4);
  tarvex::bytes::copy(at, "defg", 4);
  EXPECT_EQ(out, "abcdefg");
}

}  // namespace
