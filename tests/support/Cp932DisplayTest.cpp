// Showing stored remark bytes that need not be valid code page 932.
#include "support/Cp932.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(Cp932Display, EachByteThatStartsNoCharacterShowsAsOneReplacement) {
  const std::string R = "\xEF\xBF\xBD";
  EXPECT_EQ(Cp932ToDisplay("\x82\xa0"
                           "A\x80"
                           "B"),
            "あA" + R + "B");
  // A lead byte whose trail is no trail: the lead alone is replaced.
  EXPECT_EQ(Cp932ToDisplay("\x82 x"), R + " x");
  EXPECT_EQ(Cp932ToDisplay("x\x82"), "x" + R);
  EXPECT_EQ(Cp932ToDisplay("\x80\xa0\xb1"), R + R + "\xEF\xBD\xB1"); // ｱ
  EXPECT_EQ(Cp932ToDisplay(""), "");
}

TEST(Cp932Display, AMegabyteOfBrokenTextIsShownAtOnce) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "not timed under the sanitizers";
#endif
  std::string Broken;
  for (int I = 0; I < (1 << 20) / 4; ++I)
    Broken += "\x80"
              "a\x82\xa0";
  const auto Start = std::chrono::steady_clock::now();
  const std::string Text = Cp932ToDisplay(Broken);
  const std::chrono::duration<double> Took = std::chrono::steady_clock::now() - Start;
  EXPECT_EQ(Text.size(), (1u << 20) / 4 * (3 + 1 + 3));
  // One pass takes some 10 ms here; a byte at a time took 2 to 5 s.
  EXPECT_LT(Took.count(), 0.5);
}

} // namespace
