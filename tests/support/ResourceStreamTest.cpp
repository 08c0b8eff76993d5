// The read-only memory and resource streams and the extraction of a
// length-prefixed resource.
#include "support/QvxTools.h"

#include <QBuffer>
#include <climits>
#include <gtest/gtest.h>

TEST(ResourceStreamTest, ReadStopsAtTheEnd) {
  const char Data[] = "0123456789";
  TMemoryReader Reader(Data, 10);
  char Buffer[8] = {};
  EXPECT_EQ(Reader.Read(Buffer, 4), 4u);
  EXPECT_EQ(std::string(Buffer, 4), "0123");
  EXPECT_EQ(Reader.Read(Buffer, 8), 6u);
  EXPECT_EQ(std::string(Buffer, 6), "456789");
  EXPECT_EQ(Reader.Read(Buffer, 8), 0u);
  EXPECT_EQ(Reader.Position(), 10);
}

TEST(ResourceStreamTest, WriteWritesNothingAndKeepsThePosition) {
  char Data[4] = {'a', 'b', 'c', 'd'};
  TMemoryReader Reader(Data, 4);
  Reader.Seek(2, soBeginning);
  EXPECT_EQ(Reader.Write("xy", 2), 0u);
  EXPECT_EQ(Reader.Position(), 2);
  EXPECT_EQ(Data[2], 'c');
}

TEST(ResourceStreamTest, SeekCountsFromTheEndBackwardsAndClamps) {
  const char Data[10] = {};
  TMemoryReader Reader(Data, 10);
  EXPECT_EQ(Reader.Seek(0, soEnd), 10);
  EXPECT_EQ(Reader.Seek(3, soEnd), 7) << "Size - Offset";
  EXPECT_EQ(Reader.Seek(-2, soCurrent), 5);
  EXPECT_EQ(Reader.Seek(-6, soCurrent), 0) << "before the start";
  EXPECT_EQ(Reader.Seek(11, soBeginning), 10) << "beyond the end";
  EXPECT_EQ(Reader.Seek(-1, soEnd), 10);
  Reader.Seek(4, soBeginning);
  EXPECT_EQ(Reader.Seek(99, 7), 4) << "an unknown origin only clamps";
  // No overflow on the way to the clamping.
  Reader.Seek(9, soBeginning);
  EXPECT_EQ(Reader.Seek(INT_MAX, soCurrent), 10);
  EXPECT_EQ(Reader.Seek(INT_MIN, soEnd), 10);
  EXPECT_EQ(Reader.Seek(INT_MIN, soCurrent), 0);
  EXPECT_EQ(Reader.Size(), 10);
}

TEST(ResourceStreamTest, ResourceReaderReadsTheResourceOrNothing) {
  TResourceReader Exact(QStringLiteral("test/exact"));
  EXPECT_EQ(Exact.Size(), 4 + 5 + 8);
  char Buffer[17] = {};
  EXPECT_EQ(Exact.Read(Buffer, sizeof Buffer), 17u);
  EXPECT_EQ(std::string(Buffer + 4, 5), "hello");
  TResourceReader Missing(QStringLiteral("test/missing"));
  EXPECT_EQ(Missing.Size(), 0);
  EXPECT_EQ(Missing.Read(Buffer, 4), 0u);
}

TEST(ResourceStreamTest, SaveCopiesThePayloadAndIgnoresWhatFollows) {
  QBuffer Stream;
  Stream.open(QIODevice::ReadWrite);
  Stream.write("old contents that must go");
  EXPECT_TRUE(SaveResourceToStream(QStringLiteral("test/exact"), Stream));
  EXPECT_EQ(Stream.data(), QByteArray("hello"));
  EXPECT_EQ(Stream.pos(), 0);
}

TEST(ResourceStreamTest, SaveOfAShortOrBrokenResourceReportsFailure) {
  QBuffer Stream;
  Stream.open(QIODevice::ReadWrite);
  // The prefix promises 100 bytes, the resource holds 10: all 10 copied.
  EXPECT_FALSE(SaveResourceToStream(QStringLiteral("test/short"), Stream));
  EXPECT_EQ(Stream.data(), QByteArray("\0\1\2\3\4\5\6\7\10\11", 10));
  EXPECT_EQ(Stream.pos(), 0);
  EXPECT_FALSE(SaveResourceToStream(QStringLiteral("test/negative"), Stream));
  EXPECT_TRUE(Stream.data().isEmpty()) << "a negative length copies nothing";
  EXPECT_FALSE(SaveResourceToStream(QStringLiteral("test/tiny"), Stream));
  EXPECT_FALSE(SaveResourceToStream(QStringLiteral("test/missing"), Stream));
  EXPECT_TRUE(Stream.data().isEmpty());
}

TEST(ResourceStreamTest, SaveReportsAStreamThatCannotBeWritten) {
  QBuffer Stream;
  Stream.open(QIODevice::ReadOnly);
  EXPECT_FALSE(SaveResourceToStream(QStringLiteral("test/exact"), Stream));
}
