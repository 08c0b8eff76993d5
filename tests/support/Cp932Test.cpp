// Conversion between UTF-8 and code page 932 bytes.
#include "support/Cp932.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp932, EncodesAndDecodes) {
  EXPECT_EQ(Utf8ToCp932("あ"), "\x82\xa0");
  EXPECT_EQ(Utf8ToCp932("\xEF\xBD\xA5"), "\xa5"); // half-width middle dot
  EXPECT_EQ(Utf8ToCp932(""), "");
  EXPECT_EQ(Cp932ToUtf8(""), "");
  EXPECT_EQ(Cp932ToUtf8("\x83\x5c"), "ソ"); // trail byte is a backslash

  const std::string Mixed = "荷重 P = 12.5kN ｶﾀｶﾅ ①ソ表 ～ \\ end";
  EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(Mixed)), Mixed);
  EXPECT_EQ(Utf8ToCp932("表"), "\x95\x5c");

  // Long enough to cross any internal buffer at an odd byte.
  std::string Long = "a";
  for (int I = 0; I < 500; ++I)
    Long += "曲げモーメント";
  const std::string Bytes = Utf8ToCp932(Long);
  EXPECT_EQ(Bytes.size(), 1 + 500 * 14u);
  EXPECT_EQ(Cp932ToUtf8(Bytes), Long);
}

TEST(Cp932, WaveDashAndFullWidthTilde) {
  EXPECT_EQ(Utf8ToCp932("\xE3\x80\x9C"), "\x81\x60"); // U+301C
  EXPECT_EQ(Utf8ToCp932("\xEF\xBD\x9E"), "\x81\x60"); // U+FF5E
  EXPECT_EQ(Cp932ToUtf8("\x81\x60"), "\xEF\xBD\x9E");
}

TEST(Cp932, RefusesWhatItCannotConvert) {
  EXPECT_THROW(Utf8ToCp932("smile \xF0\x9F\x98\x80"), Exception);
  EXPECT_THROW(Utf8ToCp932("\xE2\x82\xAC"), Exception); // euro sign
  EXPECT_THROW(Utf8ToCp932("bad \xC3"), Exception);     // cut UTF-8
  EXPECT_THROW(Cp932ToUtf8("ok\x82"), Exception);       // lone lead byte
  EXPECT_THROW(Cp932ToUtf8("\x82\x20"), Exception);     // bad trail byte
}

} // namespace
