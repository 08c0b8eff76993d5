#pragma once

#include <QApplication>
#include <QString>
#include <exception>
#include <functional>

// The application object: its title (the caption of error boxes) and help
// file, and the last line of defence for exceptions. An exception thrown
// while an event is handled stops that command where it was thrown and is
// shown in an error box; none ever reaches Qt's event loop.
class TApplication : public QApplication {
public:
  TApplication(int& argc, char** argv);

  // The running TApplication; nullptr when the application object is a
  // plain QApplication.
  static TApplication* Instance();

  QString Title() const { return FTitle; }
  void SetTitle(const QString& Value) { FTitle = Value; }
  QString HelpFile() const { return FHelpFile; }
  void SetHelpFile(const QString& Value) { FHelpFile = Value; }

  bool notify(QObject* Receiver, QEvent* Event) override;

private:
  QString FTitle;
  QString FHelpFile;
};

// Shows the exception's message in an error box captioned with Caption
// (the application's title when omitted) through Dialogs(). Error boxes
// nest while one is showing, but only so deep; beyond that, and when the
// box itself fails, the message goes to the error log instead.
void ShowException(const std::exception& E);
void ShowException(const std::exception& E, const QString& Caption);

// Runs Dispatch and returns its result; an exception it throws is shown
// with ShowException under Title, and the event counts as handled.
bool NotifyGuarded(const std::function<bool()>& Dispatch, const QString& Title);
