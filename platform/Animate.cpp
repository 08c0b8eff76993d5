#include "platform/Animate.h"

#include "platform/AviReader.h"

#include <QFile>
#include <QPainter>
#include <cmath>

namespace {

// Larger files are no clip this control is meant for.
constexpr qint64 MaxClipBytes = 64 << 20;

std::unique_ptr<TAviClip> LoadClip(const QString& FileName) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly) || File.size() > MaxClipBytes) return nullptr;
  const QByteArray Data = File.readAll();
  std::optional<TAviClip> Clip = ReadAvi(reinterpret_cast<const std::uint8_t*>(Data.constData()),
                                         static_cast<std::size_t>(Data.size()));
  return Clip ? std::make_unique<TAviClip>(std::move(*Clip)) : nullptr;
}

} // namespace

TAnimate::TAnimate(QWidget* Parent) : QWidget(Parent) {
  QObject::connect(&FTimer, &QTimer::timeout, this, [this] { Step(); });
}

TAnimate::~TAnimate() = default;

void TAnimate::SetFileName(const QString& Value) {
  Stop();
  FFileName = Value;
  FClip = Value.isEmpty() ? nullptr : LoadClip(Value);
  FImage = QImage();
  FCurrent = 0;
  if (FClip) ShowFrame(1);
  update();
}

int TAnimate::FrameCount() const {
  return FClip ? FClip->FrameCount() : 0;
}

int TAnimate::FrameInterval() const {
  if (!FClip) return 0;
  return std::max(1, static_cast<int>(std::lround(FClip->MicroSecondsPerFrame / 1000.0)));
}

void TAnimate::Play(int FromFrame, int ToFrame, int Count) {
  if (!FClip || FromFrame < 1 || ToFrame < FromFrame || ToFrame > FrameCount() || Count < 0) return;
  Stop();
  FFrom = FromFrame;
  FTo = ToFrame;
  FRepetitions = Count;
  FPlayed = 0;
  ShowFrame(FromFrame);
  FTimer.start(FrameInterval());
  if (OnStart) OnStart(this);
}

void TAnimate::Stop() {
  if (!FTimer.isActive()) return;
  FTimer.stop();
  if (OnStop) OnStop(this);
}

// One timer tick: the next frame, or the next repetition, or the end.
void TAnimate::Step() {
  if (FCurrent < FTo) {
    ShowFrame(FCurrent + 1);
    return;
  }
  ++FPlayed;
  if (FRepetitions > 0 && FPlayed >= FRepetitions) {
    Stop();
    return;
  }
  ShowFrame(FFrom);
}

void TAnimate::ShowFrame(int Frame) {
  FCurrent = Frame;
  const std::vector<std::uint32_t> Pixels = FClip->Frame(Frame - 1);
  FImage = QImage(FClip->Width, FClip->Height, QImage::Format_RGB32);
  for (int Y = 0; Y < FClip->Height; ++Y)
    std::copy_n(&Pixels[static_cast<std::size_t>(Y) * static_cast<std::size_t>(FClip->Width)],
                FClip->Width, reinterpret_cast<std::uint32_t*>(FImage.scanLine(Y)));
  update();
}

void TAnimate::paintEvent(QPaintEvent*) {
  if (FImage.isNull()) return;
  QPainter Painter(this);
  Painter.drawImage((width() - FImage.width()) / 2, (height() - FImage.height()) / 2, FImage);
}
