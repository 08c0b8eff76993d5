#pragma once

#include "platform/Events.h"

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

struct TAviClip;

// Plays an uncompressed AVI clip from a file, frame by frame on a timer at
// the clip's frame rate, centred in the control. Without a clip it draws
// nothing, so whatever lies beneath shows through.
class TAnimate : public QWidget, public TObject {
public:
  explicit TAnimate(QWidget* Parent = nullptr);
  ~TAnimate() override;

  QString FileName() const { return FFileName; }
  // Stops a playing clip and opens the clip in Value; an empty name only
  // closes the clip. A file that is not a playable clip leaves none open.
  void SetFileName(const QString& Value);
  bool Open() const { return FClip != nullptr; }
  int FrameCount() const;
  // Milliseconds between two frames; 0 without a clip.
  int FrameInterval() const;
  // 1-based; 0 without a clip.
  int CurrentFrame() const { return FCurrent; }

  // Plays frames FromFrame to ToFrame (1-based, within the clip) Count
  // times, or until Stop when Count is 0. Fires OnStart. Nothing happens
  // without a clip or with frames outside it.
  void Play(int FromFrame, int ToFrame, int Count);
  // Stops playing and fires OnStop; nothing happens when not playing.
  void Stop();
  bool Active() const { return FTimer.isActive(); }

  TNotifyEvent OnStart;
  TNotifyEvent OnStop;

protected:
  void paintEvent(QPaintEvent* Event) override;

private:
  void ShowFrame(int Frame);
  void Step();

  QString FFileName;
  std::unique_ptr<TAviClip> FClip;
  QImage FImage;
  QTimer FTimer;
  int FCurrent = 0;
  int FFrom = 0;
  int FTo = 0;
  int FRepetitions = 0;
  int FPlayed = 0;
};
