#pragma once

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
// "単純梁" or "片持ち梁".
QString BeamTypeName(const TData& Data);
// "梁の種類: 単純梁    スパン L = 10.000(m)".
QString BeamLine(const TData& Data);
// The reactions, S and M at both ends of the beam, then the largest and
// smallest S and M with their positions; one line saying there is nothing
// to show for a span that is not positive.
QStringList ResultLines(const TData& Data);
// The load table: a header row, then per load its number, kind, X, value
// with its unit, width, reaction shares and remark.
std::vector<QStringList> LoadTableRows(const TData& Data);
// Rows laid out in columns padded with spaces for a fixed-width font, where
// a full-width character takes two columns.
QStringList AlignColumns(const std::vector<QStringList>& Rows);
// Beam line, results and load table as one text.
QString ResultsText(const TData& Data);
