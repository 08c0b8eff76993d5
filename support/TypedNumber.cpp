#include "support/TypedNumber.h"

#include "support/QvxTools.h"

namespace {

// The full-width forms block mirrors printable ASCII at this distance.
constexpr char16_t FullWidthFirst = u'\uFF01';
constexpr char16_t FullWidthLast = u'\uFF5E';
constexpr char16_t FullWidthOffset = FullWidthFirst - u'!';

QChar HalfWidth(QChar C) {
  const char16_t U = C.unicode();
  if (U >= FullWidthFirst && U <= FullWidthLast)
    return QChar(static_cast<char16_t>(U - FullWidthOffset));
  switch (U) {
  case u'\u3000': // ideographic space
    return QChar(u' ');
  case u'\u2212': // minus sign
  case u'\u30FC': // long vowel mark
    return QChar(u'-');
  case u'\u3002': // ideographic full stop
    return QChar(u'.');
  default:
    return C;
  }
}

} // namespace

QString HalfWidthNumber(const QString& Text) {
  QString Result = Text;
  for (QChar& C : Result)
    C = HalfWidth(C);
  return Result;
}

double TypedNumber(const QString& Text, double Default) {
  return TextToRealDef(HalfWidthNumber(Text), Default);
}

bool UnreadableNumber(const QString& Text) {
  // Only a text that is no number gives each default back.
  return !Text.trimmed().isEmpty() && TypedNumber(Text, 0) == 0 && TypedNumber(Text, 1) == 1;
}
