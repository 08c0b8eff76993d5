#include "platform/FontMemory.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <memory>

namespace {

std::unordered_map<QString, std::unique_ptr<TFontMemory>>& Fonts() {
  static std::unordered_map<QString, std::unique_ptr<TFontMemory>> Known;
  static const bool Watching = [] {
    if (auto* App = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
      QObject::connect(App, &QGuiApplication::fontDatabaseChanged, ForgetFonts);
    return true;
  }();
  (void)Watching;
  return Known;
}

} // namespace

void ForgetFonts() {
  Fonts().clear();
}

TFontMemory& FontMemoryOf(const QFont& Font) {
  std::unique_ptr<TFontMemory>& Memory = Fonts()[Font.key() + QChar(0) + QFontInfo(Font).family()];
  if (!Memory) Memory = std::make_unique<TFontMemory>(Font);
  return *Memory;
}
