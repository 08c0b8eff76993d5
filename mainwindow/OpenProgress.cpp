#include "mainwindow/OpenProgress.h"

#include "platform/Exceptions.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScopeGuard>
#include <exception>
#include <thread>

TOpenProgress::TOpenProgress(QWidget* Window, const QString& Title, int Delay)
    : FDialog(QString(), QCoreApplication::translate("TForm1", "キャンセル"), 0, 0, Window),
      FDelay(Delay) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  FDialog.setWindowTitle(Title);
  FDialog.setWindowModality(Qt::WindowModal);
  FDialog.setMinimumDuration(Delay);
  // The phases set their own ranges; a full bar closes nothing.
  FDialog.setAutoReset(false);
  FDialog.setAutoClose(false);
  FTicks.setInterval(50);
  QObject::connect(&FTicks, &QTimer::timeout, &FDialog, [this] { ShowProgress(); });
  FClock.start();
}

TOpenProgress::~TOpenProgress() {
  QApplication::restoreOverrideCursor();
}

void TOpenProgress::BeginPhase(const QString& Label, std::int64_t Total) {
  FDialog.setLabelText(Label);
  FDone = 0;
  FTotal = Total;
  ShowProgress();
  LetEventsRun(false);
  ThrowIfCancelled();
}

void TOpenProgress::Step(std::int64_t Done) {
  FDone = Done;
  ShowProgress();
  LetEventsRun(false);
  ThrowIfCancelled();
}

void TOpenProgress::Run(const std::function<void(const TReadProgress& Tell)>& Work) {
  std::atomic<bool> Stop = false, Finished = false;
  std::exception_ptr Failure;
  const TReadProgress Tell = [this, &Stop](std::int64_t Done, std::int64_t Total) {
    FDone = Done;
    FTotal = Total;
    return !Stop;
  };
  std::thread Worker([&] {
    try {
      Work(Tell);
    } catch (...) {
      Failure = std::current_exception();
    }
    Finished = true;
    // Wakes the wait below.
    QMetaObject::invokeMethod(
        &FDialog, [] {}, Qt::QueuedConnection);
  });
  // Should an event handler throw, the worker is stopped before it goes.
  const auto Join = qScopeGuard([&] {
    Stop = true;
    Worker.join();
  });
  FTicks.start();
  do {
    LetEventsRun(true);
    if (FDialog.wasCanceled()) Stop = true;
  } while (!Finished);
  FTicks.stop();
  if (Failure) std::rethrow_exception(Failure);
  ThrowIfCancelled();
}

void TOpenProgress::LetEventsRun(bool Wait) {
  if (!FDialog.isVisible() && !FDialog.wasCanceled() && FClock.elapsed() >= FDelay) FDialog.show();
  QEventLoop::ProcessEventsFlags Flags =
      FDialog.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
  if (Wait) Flags |= QEventLoop::WaitForMoreEvents;
  QCoreApplication::processEvents(Flags);
}

void TOpenProgress::ShowProgress() {
  const std::int64_t Total = FTotal;
  FDialog.setMaximum(static_cast<int>(Total));
  if (Total > 0) FDialog.setValue(static_cast<int>(FDone));
}

void TOpenProgress::ThrowIfCancelled() const {
  if (FDialog.wasCanceled()) throw EAbort();
}
