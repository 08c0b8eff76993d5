#include "platform/Application.h"

#include "platform/Dialogs.h"
#include "platform/Exceptions.h"

#include <QtGlobal>

namespace {

// An error box may itself meet an exception (one of its events fails), whose
// box may meet another: boxes nest this deep, later messages go to the log.
constexpr int MaxErrorBoxDepth = 2;
int ErrorBoxDepth = 0;

class TErrorBoxScope {
public:
  TErrorBoxScope() { ++ErrorBoxDepth; }
  ~TErrorBoxScope() { --ErrorBoxDepth; }
  TErrorBoxScope(const TErrorBoxScope&) = delete;
  TErrorBoxScope& operator=(const TErrorBoxScope&) = delete;
};

QString ApplicationTitle() {
  if (TApplication* App = TApplication::Instance()) return App->Title();
  return QGuiApplication::applicationDisplayName();
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

TApplication* TApplication::Instance() {
  return dynamic_cast<TApplication*>(QCoreApplication::instance());
}

bool TApplication::notify(QObject* Receiver, QEvent* Event) {
  return NotifyGuarded([&] { return QApplication::notify(Receiver, Event); }, FTitle);
}

void ShowException(const std::exception& E) {
  ShowException(E, ApplicationTitle());
}

void ShowException(const std::exception& E, const QString& Caption) {
  const QString Message = QString::fromUtf8(E.what());
  if (ErrorBoxDepth >= MaxErrorBoxDepth) {
    qCritical("%s", qUtf8Printable(Message));
    return;
  }
  TErrorBoxScope Scope;
  try {
    Dialogs().MessageBox(QApplication::activeWindow(), Message, Caption, mtError, mbOK);
  } catch (const std::exception& Failure) {
    qCritical("%s (%s)", qUtf8Printable(Message), Failure.what());
  }
}

bool NotifyGuarded(const std::function<bool()>& Dispatch, const QString& Title) {
  try {
    return Dispatch();
  } catch (const std::exception& E) {
    ShowException(E, Title);
  } catch (...) {
    ShowException(Exception("不明な例外が発生しました。"), Title);
  }
  return true;
}
