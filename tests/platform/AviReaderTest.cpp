// The clip reader on the about box's own clip, on every truncation of it
// and on clips whose headers lie about sizes, counts and formats.
#include "platform/AviReader.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

// The AVI bytes of the about box's clip, which the program's resources
// hold after a 4-byte little-endian length.
std::vector<std::uint8_t> AboutClip() {
  std::ifstream In(VANTREL_ABOUT_CLIP, std::ios::binary);
  std::vector<std::uint8_t> Bytes{std::istreambuf_iterator<char>(In),
                                  std::istreambuf_iterator<char>()};
  EXPECT_GT(Bytes.size(), 4u);
  const std::uint32_t Length =
      Bytes[0] | (Bytes[1] << 8) | (Bytes[2] << 16) | (static_cast<std::uint32_t>(Bytes[3]) << 24);
  EXPECT_EQ(Length, Bytes.size() - 4);
  Bytes.erase(Bytes.begin(), Bytes.begin() + 4);
  return Bytes;
}

std::size_t Find(const std::vector<std::uint8_t>& Bytes, const char* FourCC) {
  for (std::size_t I = 0; I + 4 <= Bytes.size(); ++I)
    if (std::memcmp(&Bytes[I], FourCC, 4) == 0) return I;
  ADD_FAILURE() << FourCC << " not found";
  return 0;
}

void Put32(std::vector<std::uint8_t>& Bytes, std::size_t At, std::uint32_t Value) {
  for (int I = 0; I < 4; ++I)
    Bytes[At + I] = static_cast<std::uint8_t>(Value >> (8 * I));
}

std::uint32_t Get32(const std::vector<std::uint8_t>& Bytes, std::size_t At) {
  return Bytes[At] | (Bytes[At + 1] << 8) | (Bytes[At + 2] << 16) |
         (static_cast<std::uint32_t>(Bytes[At + 3]) << 24);
}

bool Reads(const std::vector<std::uint8_t>& Bytes) {
  return ReadAvi(Bytes.data(), Bytes.size()).has_value();
}

} // namespace

TEST(AviReaderTest, TheAboutClipIsSeventyFiveFramesAtFifteenPerSecond) {
  const std::vector<std::uint8_t> Bytes = AboutClip();
  const std::optional<TAviClip> Clip = ReadAvi(Bytes.data(), Bytes.size());
  ASSERT_TRUE(Clip);
  EXPECT_EQ(Clip->Width, 75);
  EXPECT_EQ(Clip->Height, 67);
  EXPECT_EQ(Clip->FrameCount(), 75);
  EXPECT_EQ(Clip->MicroSecondsPerFrame, 66666u);
  EXPECT_FALSE(Clip->TopDown);
  // Rows are stored bottom-up: the picture's top row is white sky, its
  // bottom-left corner white too, and the red load moves to the right.
  const std::vector<std::uint32_t> First = Clip->Frame(0), Last = Clip->Frame(74);
  ASSERT_EQ(First.size(), 75u * 67u);
  EXPECT_EQ(First[0], 0xFFFFFFFFu);
  auto RedColumn = [](const std::vector<std::uint32_t>& Frame) {
    for (int Y = 0; Y < 67; ++Y)
      for (int X = 0; X < 75; ++X)
        if (Frame[static_cast<std::size_t>(Y * 75 + X)] == 0xFFFF0000u) return X;
    return -1;
  };
  EXPECT_GE(RedColumn(First), 0);
  EXPECT_LT(RedColumn(First), 20);
  EXPECT_GT(RedColumn(Last), 55);
  EXPECT_EQ(RedColumn(Clip->Frame(75)), -1) << "frames past the end are blank";
}

TEST(AviReaderTest, EveryTruncationIsRefused) {
  const std::vector<std::uint8_t> Bytes = AboutClip();
  for (std::size_t Size = 0; Size < Bytes.size(); ++Size)
    ASSERT_FALSE(ReadAvi(Bytes.data(), Size)) << Size;
}

TEST(AviReaderTest, LyingHeadersAreRefused) {
  const std::vector<std::uint8_t> Good = AboutClip();
  const std::size_t Avih = Find(Good, "avih") + 8, Strf = Find(Good, "strf") + 8;
  const std::size_t Frame = Find(Good, "00db");
  struct TLie {
    const char* What;
    std::size_t At;
    std::uint32_t Value;
  };
  const TLie Lies[] = {
      {"RIFF size beyond the data", 4, static_cast<std::uint32_t>(Good.size())},
      {"more frames than stored", Avih + 16, 76},
      {"no frames", Avih + 16, 0},
      {"width of the stream differs", Avih + 32, 76},
      {"huge bitmap width", Strf + 4, 0x7FFFFFFF},
      {"zero bitmap height", Strf + 8, 0},
      {"most negative height", Strf + 8, 0x80000000u},
      {"16 bits per pixel", Strf + 14, 16 | (0u << 16)},
      {"compressed", Strf + 16, 1},
      {"frame chunk too small", Frame + 4, 100},
      {"chunk size past its list", Frame + 4, 0xFFFFFFF0u},
      {"strf too small", Strf - 4, 8},
      {"avih too small", Avih - 4, 16},
  };
  for (const TLie& Lie : Lies) {
    std::vector<std::uint8_t> Bytes = Good;
    if (Lie.At == Strf + 14)
      Bytes[Lie.At] = 16;
    else
      Put32(Bytes, Lie.At, Lie.Value);
    EXPECT_FALSE(Reads(Bytes)) << Lie.What;
  }
  EXPECT_TRUE(Reads(Good));
}

TEST(AviReaderTest, ChunksReachingPastTheirListAreRefused) {
  // The about clip without its index, so that the movie list ends the file.
  std::vector<std::uint8_t> Good = AboutClip();
  Good.resize(Find(Good, "idx1"));
  Put32(Good, 4, static_cast<std::uint32_t>(Good.size() - 8));
  ASSERT_TRUE(Reads(Good));
  const std::size_t StreamList = Find(Good, "strl") - 8, Strf = Find(Good, "strf");
  const std::size_t MovieList = Find(Good, "movi") - 8;
  for (std::uint32_t Over = 1; Over <= 8; ++Over) {
    SCOPED_TRACE(Over);
    // The last chunk of the header list, and of the stream list, made longer.
    for (const std::size_t Chunk : {StreamList, Strf}) {
      std::vector<std::uint8_t> Bytes = Good;
      Put32(Bytes, Chunk + 4, Get32(Bytes, Chunk + 4) + Over);
      EXPECT_FALSE(Reads(Bytes)) << Chunk;
    }
    // The last frame cut short with its list and the file: from 4 bytes
    // on (its last 3 are row padding), decoding it would read past the
    // end of the bytes.
    std::vector<std::uint8_t> Bytes(Good.begin(), Good.end() - Over);
    Put32(Bytes, 4, Get32(Bytes, 4) - Over);
    Put32(Bytes, MovieList + 4, Get32(Bytes, MovieList + 4) - Over);
    const std::optional<TAviClip> Clip = ReadAvi(Bytes.data(), Bytes.size());
    EXPECT_FALSE(Clip);
    if (Clip) Clip->Frame(Clip->FrameCount() - 1);
  }
}

TEST(AviReaderTest, FewerFramesAnnouncedThanStoredPlaysTheAnnounced) {
  std::vector<std::uint8_t> Bytes = AboutClip();
  Put32(Bytes, Find(Bytes, "avih") + 8 + 16, 10);
  const std::optional<TAviClip> Clip = ReadAvi(Bytes.data(), Bytes.size());
  ASSERT_TRUE(Clip);
  EXPECT_EQ(Clip->FrameCount(), 10);
}

TEST(AviReaderTest, OtherFormatsAreRefused) {
  const std::uint8_t Wave[] = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
  EXPECT_FALSE(ReadAvi(Wave, sizeof Wave));
  const std::uint8_t Empty[] = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '};
  EXPECT_FALSE(ReadAvi(Empty, sizeof Empty)) << "no header, no movie";
  EXPECT_FALSE(ReadAvi(nullptr, 0));
}
