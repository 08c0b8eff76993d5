#pragma once

#include <QString>

// Numbers typed with the input method on. Its full-width forms of digits,
// signs, the decimal point, the exponent letter and the blank become the
// plain characters TextToRealDef reads; so do the minus sign (U+2212), the
// long vowel mark "ー" a minus key gives in kana mode, and the ideographic
// full stop "。" a point key gives there. Everything else is left as it
// is, so a text that is no number stays no number.
QString HalfWidthNumber(const QString& Text);

// TextToRealDef of HalfWidthNumber(Text): where the window reads a number
// the user typed.
double TypedNumber(const QString& Text, double Default);

// True for a typed text that is not blank and still no number, so that
// TypedNumber gives its default ("1,5" where the point is the separator).
bool UnreadableNumber(const QString& Text);
