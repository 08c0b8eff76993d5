#pragma once

#include "analysis/Quantities.h"

#include <QString>
#include <QStringList>
#include <vector>

class TData;

// The results of a calculated document as the results window and the
// printed sheet show them; every number "%.3f" with its unit, or 範囲外
// alone for a value that is not finite.

// "範囲外": what stands for a value that overflowed or is no number.
QString OutOfRangeText();
// Value as "%.3f" (FormatReal3), or OutOfRangeText() when it is not finite.
QString ResultNumber(double Value);
// Value of Q with Q's decimals, or OutOfRangeText(); QuantityValue adds
// the unit, "12.345(mm)", and shows a value that rounds to zero unsigned.
QString QuantityNumber(TQuantity Q, double Value);
QString QuantityValue(TQuantity Q, double Value);
// "単純梁", "片持ち梁", "連続梁", …: the preset's name.
QString BeamTypeName(const TData& Data);
// "梁の種類: 単純梁    スパン L = 10.000(m)".
QString BeamLine(const TData& Data);
// "支点: R1: x = 0.000(m) ピン    R2: …" for a beam with a support list;
// empty for the plain types.
QString SupportsLine(const TData& Data);
// The section and material as given: "断面: H-200×200×8×12" and a line of
// the values (a value not given is left out); none for a document without
// a section.
QStringList SectionLines(const TData& Data);
// The reactions, the quantities at both ends of the beam, then the largest
// and smallest of each with their positions (θ and δ only for a section
// that gives E and I), then the checks of the section; one line saying
// there is nothing to show for a span that is not positive.
QStringList ResultLines(const TData& Data);
// The load table: a header row, then per load its number, kind, X, value
// with its unit, width, reaction shares and remark.
std::vector<QStringList> LoadTableRows(const TData& Data);
// Rows laid out in columns padded with spaces for a fixed-width font, where
// a full-width character takes two columns.
QStringList AlignColumns(const std::vector<QStringList>& Rows);
// Beam line, results and load table as one text.
QString ResultsText(const TData& Data);
