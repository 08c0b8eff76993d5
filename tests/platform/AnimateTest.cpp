// The clip player: it opens only clips it can play, plays a range of
// frames a number of times on its timer, and tells when it starts and
// stops.
#include "platform/Animate.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void Add32(std::string& Out, std::uint32_t Value) {
  for (int I = 0; I < 4; ++I)
    Out += static_cast<char>(Value >> (8 * I));
}

std::string Chunk(const std::string& FourCC, const std::string& Body) {
  std::string Out = FourCC;
  Add32(Out, static_cast<std::uint32_t>(Body.size()));
  return Out + Body + (Body.size() % 2 ? std::string(1, '\0') : std::string());
}

// A 2 × 2 clip of Frames frames at 100 per second; frame I is grey level
// 10 * I.
std::string TinyClip(int Frames) {
  std::string Avih, Strh = "vidsDIB ", Strf, Movie = "movi";
  for (std::uint32_t V : {10000u, 0u, 0u, 0u, static_cast<std::uint32_t>(Frames), 0u, 1u, 16u, 2u,
                          2u, 0u, 0u, 0u, 0u})
    Add32(Avih, V);
  for (std::uint32_t V :
       {0u, 0u, 0u, 1u, 100u, 0u, static_cast<std::uint32_t>(Frames), 16u, 0u, 0u, 0u, 0u})
    Add32(Strh, V);
  for (std::uint32_t V : {40u, 2u, 2u, 1u | (24u << 16), 0u, 16u, 0u, 0u, 0u, 0u})
    Add32(Strf, V);
  for (int I = 0; I < Frames; ++I)
    Movie += Chunk("00db", std::string(16, static_cast<char>(10 * I)));
  const std::string Body =
      "AVI " +
      Chunk("LIST", "hdrl" + Chunk("avih", Avih) +
                        Chunk("LIST", "strl" + Chunk("strh", Strh) + Chunk("strf", Strf))) +
      Chunk("LIST", Movie);
  return Chunk("RIFF", Body);
}

class AnimateTest : public ::testing::Test {
protected:
  QString Write(const std::string& Bytes) {
    const QString Name = Folder.filePath(QString::number(++Files));
    QFile File(Name);
    EXPECT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes.data(), static_cast<qint64>(Bytes.size()));
    return Name;
  }
  void SetUp() override {
    Animate.OnStart = [this](TObject* Sender) {
      EXPECT_EQ(Sender, static_cast<TObject*>(&Animate));
      Events += "start ";
    };
    Animate.OnStop = [this](TObject*) {
      Events += "stop@" + std::to_string(Animate.CurrentFrame()) + " ";
    };
  }
  bool WaitForStop() {
    return QTest::qWaitFor([this] { return !Animate.Active(); }, 2000);
  }

  QTemporaryDir Folder;
  int Files = 0;
  TAnimate Animate;
  std::string Events;
};

} // namespace

TEST_F(AnimateTest, PlaysTheRangeOnceAndStopsAtItsLastFrame) {
  Animate.SetFileName(Write(TinyClip(8)));
  ASSERT_TRUE(Animate.Open());
  EXPECT_EQ(Animate.FrameCount(), 8);
  EXPECT_EQ(Animate.FrameInterval(), 10);
  Animate.Play(2, 6, 1);
  EXPECT_TRUE(Animate.Active());
  EXPECT_EQ(Animate.CurrentFrame(), 2);
  ASSERT_TRUE(WaitForStop());
  EXPECT_EQ(Events, "start stop@6 ");
}

TEST_F(AnimateTest, RepeatsAndShowsTheFrames) {
  Animate.resize(2, 2);
  Animate.SetFileName(Write(TinyClip(3)));
  QElapsedTimer Clock;
  Clock.start();
  Animate.Play(1, 3, 2);
  EXPECT_EQ(qRed(Animate.grab().toImage().pixel(0, 0)), 0);
  ASSERT_TRUE(WaitForStop());
  // Six frames shown, five intervals at least (timers may be 5 % early).
  EXPECT_GE(Clock.elapsed(), 45);
  EXPECT_EQ(Events, "start stop@3 ");
  EXPECT_EQ(qRed(Animate.grab().toImage().pixel(1, 1)), 20) << "the last frame stays";
}

TEST_F(AnimateTest, ZeroRepetitionsPlayUntilStopped) {
  Animate.SetFileName(Write(TinyClip(2)));
  Animate.Play(1, 2, 0);
  QTest::qWait(100);
  EXPECT_TRUE(Animate.Active());
  Animate.Stop();
  EXPECT_FALSE(Animate.Active());
  Animate.Stop();
  EXPECT_EQ(Events.substr(0, 6), "start ");
  EXPECT_EQ(Events.find("stop"), Events.rfind("stop")) << "one stop only: " << Events;
}

TEST_F(AnimateTest, ClosingTheClipStopsIt) {
  Animate.SetFileName(Write(TinyClip(4)));
  Animate.Play(1, 4, 0);
  Animate.SetFileName(QString());
  EXPECT_FALSE(Animate.Open());
  EXPECT_FALSE(Animate.Active());
  EXPECT_EQ(Events, "start stop@1 ");
}

TEST_F(AnimateTest, NoClipNoPlaying) {
  const std::string Good = TinyClip(4);
  for (const QString& Name : {Write(Good.substr(0, Good.size() - 3)), Write("not a clip"),
                              Folder.filePath(QStringLiteral("missing"))}) {
    Animate.SetFileName(Name);
    EXPECT_FALSE(Animate.Open());
    Animate.Play(1, 1, 1);
    EXPECT_FALSE(Animate.Active());
  }
  Animate.SetFileName(Write(Good));
  for (auto [From, To] : {std::pair{0, 2}, {3, 2}, {1, 5}})
    Animate.Play(From, To, 1);
  EXPECT_FALSE(Animate.Active());
  EXPECT_EQ(Events, "");
}
