// The progress of a long open, for the whole of it.
#pragma once

#include "analysis/BeamData.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>

class QWidget;

// A busy cursor at once, and a window-modal progress dialog with a Cancel
// button once the open has taken Delay ms, with the label of the phase
// under way. Heavy work runs on a worker thread and light work in slices,
// and between them the events run, so the window goes on painting. User
// input waits until the dialog is up and is then blocked by it, so nothing
// edits the document meanwhile. Every phase shows its label and lets the
// events run at least once, so a Cancel is seen in every phase.
class TOpenProgress {
public:
  TOpenProgress(QWidget* Window, const QString& Title, int Delay);
  ~TOpenProgress();
  TOpenProgress(const TOpenProgress&) = delete;
  TOpenProgress& operator=(const TOpenProgress&) = delete;

  // Starts a phase with its label and a bar of Total steps (0: a busy
  // bar). EAbort once the user has cancelled.
  void BeginPhase(const QString& Label, std::int64_t Total = 0);
  // Step Done of the phase's work on the window's thread is done; the
  // events run. EAbort once the user has cancelled.
  void Step(std::int64_t Done);
  // Runs Work on a worker thread while the events run, until it ends.
  // Work may tell its progress (Done of Total steps) and must stop with
  // EAbort when told not to go on. What Work throws is thrown here; EAbort
  // also when the user cancelled while it ran.
  void Run(const std::function<void(const TReadProgress& Tell)>& Work);

private:
  // Lets the pending events run (waiting for one with Wait): all of them
  // once the dialog shows, which is then when it is due, else all but the
  // user's input.
  void LetEventsRun(bool Wait);
  void ShowProgress();
  void ThrowIfCancelled() const;

  QProgressDialog FDialog;
  QElapsedTimer FClock;
  QTimer FTicks; // wakes the wait for a worker to show its progress
  int FDelay;
  std::atomic<std::int64_t> FDone{0}, FTotal{0};
};
