#pragma once

#include <string>

// Marks a message of the model for the translation catalogues. The model
// has no Qt: the text stays its Japanese source. (The definition is Qt's
// own, token for token, so the two may meet in one file.)
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// The refusal of a calculation, for Reason (a cause ending in "ため").
inline std::string CannotCalculate(const std::string& Reason) {
  static const std::string Template = QT_TRANSLATE_NOOP("TData", "%1、計算できません。");
  std::string Text = Template;
  return Text.replace(Text.find("%1"), 2, Reason);
}
