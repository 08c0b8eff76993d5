#pragma once

#include <QString>

// The value of a typed number, or Default when the text is no number:
// blanks around it, an optional sign, digits with the locale's decimal
// separator, an optional exponent ("E" alone means 0; reading stops once
// the exponent reaches 500). Full-width digits, thousands separators and
// units make it fail, as does a value beyond the range of a double.
double TextToRealDef(const QString& Text, double Default);

// A number with three decimals in the locale's decimal separator and no
// thousands separator ("%.3f").
QString FormatReal3(double Value);
