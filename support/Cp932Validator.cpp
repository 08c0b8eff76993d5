#include "support/Cp932Validator.h"

#include "platform/Exceptions.h"
#include "support/Cp932.h"

namespace {

bool Holds(const QString& Text) {
  if (Text == QChar(QChar::ReplacementCharacter)) return true;
  try {
    Utf8ToCp932(Text.toStdString());
    return true;
  } catch (const Exception&) {
    return false;
  }
}

} // namespace

QValidator::State TCp932Validator::validate(QString& Input, int& Position) const {
  if (!Input.contains(QChar(QChar::ReplacementCharacter)) && Holds(Input)) return Acceptable;
  // Character by character, a surrogate pair being one character; the
  // cursor keeps its place among the characters kept.
  QString Kept;
  int KeptPosition = 0;
  for (qsizetype I = 0; I < Input.size();) {
    const qsizetype Length = Input[I].isHighSurrogate() && I + 1 < Input.size() ? 2 : 1;
    const QString Character = Input.mid(I, Length);
    if (Holds(Character)) {
      Kept += Character;
      if (I < Position) KeptPosition += static_cast<int>(Length);
    }
    I += Length;
  }
  // Nothing to drop but U+FFFD: as invalid as it was shown.
  if (Kept.size() == Input.size()) return Invalid;
  Input = Kept;
  Position = KeptPosition;
  if (OnRejected) OnRejected();
  return Kept.contains(QChar(QChar::ReplacementCharacter)) ? Invalid : Acceptable;
}
