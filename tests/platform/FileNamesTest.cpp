// File names that are no UTF-8 survive the way through a QString.
#include "platform/FileNames.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace {

TEST(FileNamesTest, AnyBytesComeBackAndValidNamesReadAsUtf8) {
  std::mt19937 Random(7);
  // Bytes near the edges of UTF-8: ASCII, continuations (0xBB for a byte
  // order mark), leads of every length, and the leads of overlong,
  // surrogate and too large forms.
  const unsigned char Pool[] = {'a',  '/',  '.',  0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBB, 0xBF, 0xC0,
                                0xC2, 0xDF, 0xE0, 0xE3, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFE, 0xFF};
  std::uniform_int_distribution<std::size_t> Pick(0, std::size(Pool) - 1), Length(0, 12);
  for (int Case = 0; Case < 20000; ++Case) {
    std::string Native;
    for (std::size_t N = Length(Random); N > 0; --N)
      Native += static_cast<char>(Pool[Pick(Random)]);
    const QString Name = FileNameFromNative(Native);
    ASSERT_EQ(NativeFileName(Name), Native) << Case;
    const QString Utf8 = QString::fromUtf8(Native);
    const bool Valid = !Utf8.contains(QChar::ReplacementCharacter);
    if (Valid) {
      EXPECT_EQ(Name, Utf8) << Case;
    }
    // Shown, every stray byte is one U+FFFD and nothing is unpaired.
    const QString Shown = ShownFileName(Name);
    EXPECT_TRUE(Shown.isValidUtf16()) << Case;
    EXPECT_EQ(Shown.size(), Name.size()) << Case;
    EXPECT_EQ(Valid, Shown == Name) << Case;
  }
  EXPECT_EQ(ShownFileName(FileNameFromNative("beam\xFF\xFE.vbd")), u"beam\uFFFD\uFFFD.vbd");
  // A relative name is taken in the current folder, whatever its bytes.
  EXPECT_EQ(NativeFileName(AbsoluteFileName(FileNameFromNative("sub/b\xFF"))),
            (std::filesystem::current_path() / "sub/b\xFF").native());
}

} // namespace
