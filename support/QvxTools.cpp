#include "support/QvxTools.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <string>

namespace {

QChar DecimalSeparator() {
  const QString Point = QLocale().decimalPoint();
  return Point.isEmpty() ? QChar('.') : Point.front();
}

bool IsDigit(QChar C) {
  return C >= QChar('0') && C <= QChar('9');
}

} // namespace

double TextToRealDef(const QString& Text, double Default) {
  const QChar Separator = DecimalSeparator();
  qsizetype I = 0;
  const qsizetype N = Text.size();
  while (I < N && Text[I] == QChar(' '))
    ++I;
  bool Negative = false;
  if (I < N && (Text[I] == QChar('+') || Text[I] == QChar('-'))) Negative = Text[I++] == QChar('-');

  // The digits without the separator, and how many of them are decimals.
  std::string Digits;
  int Decimals = 0;
  bool Consumed = false;
  while (I < N && IsDigit(Text[I])) {
    Digits += static_cast<char>(Text[I++].unicode());
    Consumed = true;
  }
  if (I < N && Text[I] == Separator) {
    ++I;
    Consumed = true;
    while (I < N && IsDigit(Text[I])) {
      Digits += static_cast<char>(Text[I++].unicode());
      ++Decimals;
    }
  }
  if (!Consumed) return Default;

  int Exponent = 0;
  if (I < N && (Text[I] == QChar('E') || Text[I] == QChar('e'))) {
    ++I;
    bool NegativeExponent = false;
    if (I < N && (Text[I] == QChar('+') || Text[I] == QChar('-')))
      NegativeExponent = Text[I++] == QChar('-');
    while (I < N && IsDigit(Text[I]) && Exponent < 500)
      Exponent = Exponent * 10 + (Text[I++].unicode() - '0');
    if (NegativeExponent) Exponent = -Exponent;
  }
  while (I < N && Text[I] == QChar(' '))
    ++I;
  if (I != N) return Default;

  Digits.erase(0, Digits.find_first_not_of('0'));
  if (Digits.empty()) return Negative ? -0.0 : 0.0;
  const std::string Normal = Digits + "e" + std::to_string(static_cast<long>(Exponent) - Decimals);
  double Value = 0;
  const auto Result = std::from_chars(Normal.data(), Normal.data() + Normal.size(), Value);
  if (Result.ec == std::errc::result_out_of_range) {
    // Too small for a double reads as zero; too large is no number here.
    if (static_cast<long>(Exponent) - Decimals + static_cast<long>(Digits.size()) > 0)
      return Default;
    Value = 0;
  } else if (Result.ec != std::errc() || !std::isfinite(Value)) {
    return Default;
  }
  return Negative ? -Value : Value;
}

QString FormatReal3(double Value) {
  return FormatReal(Value, 3);
}

QString FormatSignificant(double Value) {
  QString Text = QString::asprintf("%.6g", Value);
  const QChar Separator = DecimalSeparator();
  if (Separator != QChar('.')) Text.replace(QChar('.'), Separator);
  return Text;
}

QString FormatReal(double Value, int Decimals) {
  QString Text = QString::asprintf("%.*f", Decimals, Value);
  if (Text.size() > MaxNumberWidth) Text = QString::asprintf("%.*e", Decimals, Value);
  const QChar Separator = DecimalSeparator();
  if (Separator != QChar('.')) Text.replace(QChar('.'), Separator);
  return Text;
}
