#include "mainwindow/ResultsText.h"

#include "analysis/BeamData.h"
#include "analysis/LoadSpan.h"
#include "analysis/SectionChecks.h"
#include "support/Cp932.h"
#include "support/QvxTools.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

// A value that rounds to zero reads without a sign: the rounding left in
// the sums (M at a free end, at a pin) would otherwise read "-0.000".
QString Unsigned(QString Text) {
  if (Text.startsWith(QChar('-')) &&
      std::none_of(Text.cbegin() + 1, Text.cend(), [](QChar C) { return C.isDigit() && C != '0'; }))
    Text.remove(0, 1);
  return Text;
}

QString Value(double V, const char* Unit) {
  return std::isfinite(V) ? Unsigned(FormatReal3(V)) + QString::fromUtf8(Unit) : OutOfRangeText();
}

QString Symbol(TQuantity Q) {
  return QString::fromUtf8(QuantityInfo(Q).Symbol);
}

// "左端 X = 0.000(m)    S = 6.000(kN)    M = 0.000(kN･m)", and θ and δ when
// they were computed.
QString EndLine(const QString& End, const TCalcPoint& P, const TBeamResults& R) {
  QString Line =
      QCoreApplication::translate("ResultsText", "%1 X = %2").arg(End, Value(P.X, "(m)"));
  for (const TQuantityInfo& Q : Quantities())
    if (R.Has(Q.Id))
      Line += QStringLiteral("    %1 = %2").arg(Symbol(Q.Id), QuantityValue(Q.Id, P.Value(Q.Id)));
  return Line;
}

// "せん断力の最大 S = 6.000(kN)    X = 0.000(m)".
QString ExtremeLine(TQuantity Q, bool Largest, const TExtreme& E) {
  const QString Name = QCoreApplication::translate("ResultsText", QuantityInfo(Q).Name);
  const QString Which = Largest ? QCoreApplication::translate("ResultsText", "%1の最大 %2")
                                : QCoreApplication::translate("ResultsText", "%1の最小 %2");
  return QStringLiteral("%1 = %2    X = %3")
      .arg(Which.arg(Name, Symbol(Q)), QuantityValue(Q, E.Value), Value(E.X, "(m)"));
}

QString Verdict(const TCheck& C) {
  if (!C.HasCapacity) return {};
  return QCoreApplication::translate("ResultsText", "    比 %1  %2")
      .arg(ResultNumber(C.Ratio), C.Ok() ? QStringLiteral("OK") : QStringLiteral("NG"));
}

// Line, with %1 the demand, %2 the allowed value and %3 the verdict, of
// a check in Unit.
QString CheckLine(const QString& Line, const TCheck& C, const char* Unit) {
  return Line.arg(Value(C.Demand, Unit), C.HasCapacity ? Value(C.Capacity, Unit) : QString("-"),
                  Verdict(C));
}

// "L/300 (梁全体)", "2L/300 (片持ち梁は長さの 2 倍で判定、梁全体)", or on a
// beam with a support list the stretch checked: "ℓ/300 (ℓ = 4.800(m): 支点間 x = 0.000〜4.800(m))".
QString DeflectionLimit(const TData& Data, const TSectionChecks& C) {
  const QString N = QLocale::c().toString(Data.Section().N, 'g', 6);
  if (Data.Supports().empty())
    return (Data.IsCantilever() ? QCoreApplication::translate(
                                      "ResultsText", "2L/%1 (片持ち梁は長さの 2 倍で判定、梁全体)")
                                : QCoreApplication::translate("ResultsText", "L/%1 (梁全体)"))
        .arg(N);
  const TDeflectionSpan& Span =
      Data.Results().DeflectionSpans[static_cast<std::size_t>(C.DeflectionSpan)];
  const QString Where =
      QStringLiteral("x = %1〜%2").arg(ResultNumber(Span.From), Value(Span.To, "(m)"));
  return (Span.Overhang ? QCoreApplication::translate("ResultsText", "2ℓ/%1 (ℓ = %2: はね出し %3)")
                        : QCoreApplication::translate("ResultsText", "ℓ/%1 (ℓ = %2: 支点間 %3)"))
      .arg(N, Value(Span.To - Span.From, "(m)"), Where);
}

// "全体のたわみ |δ|max = 12.345(mm)    X = 5.000(m)": the largest deflection
// of the whole beam, which the check's stretch need not hold.
QString LargestDeflectionLine(const TBeamResults& R) {
  const TExtreme& E =
      std::abs(R.DeltaMin.Value) > std::abs(R.DeltaMax.Value) ? R.DeltaMin : R.DeltaMax;
  return QCoreApplication::translate("ResultsText", "全体のたわみ |δ|max = %1    X = %2")
      .arg(Value(std::abs(E.Value), "(mm)"), Value(E.X, "(m)"));
}

// The checks the section gives what they need for.
QStringList CheckLines(const TData& Data) {
  const TSectionChecks C = CheckSection(Data.Section(), Data.Results());
  QStringList Lines;
  if (C.Bending.HasDemand)
    Lines << CheckLine(
        QCoreApplication::translate("ResultsText", "曲げ応力度 σb = M/Z = %1    許容 fb = %2%3"),
        C.Bending, "(N/mm²)");
  if (C.Shear.HasDemand)
    Lines << CheckLine(
        QCoreApplication::translate("ResultsText", "せん断応力度 τ = S/Aw = %1    許容 fs = %2%3"),
        C.Shear, "(N/mm²)");
  if (C.Deflection.HasDemand)
    Lines << LargestDeflectionLine(Data.Results())
          << CheckLine(QCoreApplication::translate("ResultsText",
                                                   "たわみの判定 |δ| = %1    制限 %4 = %2%3")
                           .replace(QStringLiteral("%4"), DeflectionLimit(Data, C)),
                       C.Deflection, "(mm)");
  return Lines;
}

// "R2: x = 4.800(m) ローラー" for support Index of the list.
QString SupportName(const TSupport& S, std::size_t Index, double L) {
  return QStringLiteral("R%1: x = %2 %3")
      .arg(Index + 1)
      .arg(Value(S.At(L), "(m)"),
           QCoreApplication::translate("ResultsText",
                                       SupportKindNames[static_cast<std::size_t>(S.Kind)]));
}

// The bending moment of the beam at a fixed end (sagging positive) from
// the moment the support exerts there (clockwise positive): the same at
// the left end, opposite at the right.
double EndBendingMoment(const TSupport& S, double ReactionMoment) {
  return S.AtEnd ? -ReactionMoment : ReactionMoment;
}

// "    R2 の反力モーメント 6.000(kN･m) 時計回り": the moment the support
// exerts on the beam, its size and its direction in words.
QString ReactionMomentLine(const QString& Name, double M) {
  QString Direction;
  if (std::isfinite(M) && Value(M, "") != Value(0, ""))
    Direction = M > 0 ? QCoreApplication::translate("ResultsText", " 時計回り")
                      : QCoreApplication::translate("ResultsText", " 反時計回り");
  return QCoreApplication::translate("ResultsText", "    %1の反力モーメント %2%3")
      .arg(Name, Value(std::abs(M), "(kN･m)"), Direction);
}

// A line per support: where it stands and what it exerts on the beam; at a
// fixed end the beam's bending moment there, and the support's moment on a
// line of its own.
QStringList ReactionLines(const TData& Data) {
  QStringList Lines;
  const TSupports& Supports = Data.Supports();
  const std::vector<TReaction>& Reactions = Data.Results().Reactions;
  for (std::size_t I = 0; I < Supports.size() && I < Reactions.size(); ++I) {
    QString Line =
        QCoreApplication::translate("ResultsText", "%1 の反力 R = %2")
            .arg(SupportName(Supports[I], I, Data.Length()), Value(Reactions[I].R, "(kN)"));
    if (!Reactions[I].Fixed) {
      Lines << Line;
      continue;
    }
    Lines << Line + QCoreApplication::translate("ResultsText", "    曲げモーメント M = %1")
                        .arg(Value(EndBendingMoment(Supports[I], Reactions[I].M), "(kN･m)"))
          << ReactionMomentLine(QStringLiteral("R%1 ").arg(I + 1), Reactions[I].M);
  }
  return Lines;
}

QString KindName(std::int32_t Kind) {
  if (IsKnownKind(Kind)) return QString::fromUtf8(LoadKindNames[static_cast<std::size_t>(Kind)]);
  return QStringLiteral("(%1)").arg(Kind);
}

// Columns a character takes in a fixed-width font.
int DisplayWidth(const QString& Text) {
  int Width = 0;
  for (const QChar C : Text) {
    const char16_t U = C.unicode();
    const bool Half = U < 0x1100 || (U >= 0xFF61 && U <= 0xFF9F);
    Width += Half ? 1 : 2;
  }
  return Width;
}

} // namespace

QString OutOfRangeText() {
  return QCoreApplication::translate("ResultsText", "範囲外");
}

QString ResultNumber(double Value) {
  return std::isfinite(Value) ? FormatReal3(Value) : OutOfRangeText();
}

QString QuantityNumber(TQuantity Q, double Value) {
  return std::isfinite(Value) ? FormatReal(Value, QuantityInfo(Q).Decimals) : OutOfRangeText();
}

QString QuantityValue(TQuantity Q, double Value) {
  return std::isfinite(Value)
             ? Unsigned(QuantityNumber(Q, Value)) +
                   QStringLiteral("(%1)").arg(QString::fromUtf8(QuantityInfo(Q).Unit))
             : OutOfRangeText();
}

QString BeamTypeName(const TData& Data) {
  return QCoreApplication::translate("TForm1",
                                     PresetNames[static_cast<std::size_t>(Data.Preset())]);
}

QString BeamLine(const TData& Data) {
  return QStringLiteral("梁の種類: %1    スパン L = %2")
      .arg(BeamTypeName(Data), Value(Data.Length(), "(m)"));
}

QString SupportsLine(const TData& Data) {
  QStringList Names;
  const TSupports& Supports = Data.Supports();
  for (std::size_t I = 0; I < Supports.size(); ++I)
    Names << SupportName(Supports[I], I, Data.Length());
  if (Names.isEmpty()) return {};
  return QCoreApplication::translate("ResultsText", "支点: %1")
      .arg(Names.join(QStringLiteral("    ")));
}

QStringList SectionLines(const TData& Data) {
  const TSection& S = Data.Section();
  if (S.Empty()) return {};
  QStringList Values;
  // As given, to six significant digits: "E = 205000(N/mm²)"; the allowed
  // stresses as the checks print them, "fb = 156.000(N/mm²)".
  const auto Add = [&Values](const char* Name, double V, const char* Unit, bool AsChecked = false) {
    if (V == 0) return;
    Values << QStringLiteral("%1 = %2").arg(QString::fromUtf8(Name),
                                            AsChecked || !std::isfinite(V)
                                                ? Value(V, Unit)
                                                : FormatSignificant(V) + QString::fromUtf8(Unit));
  };
  Add("E", S.E, "(N/mm²)");
  Add("I", S.I, "(cm⁴)");
  Add("Z", S.Z, "(cm³)");
  Add("Aw", S.Aw, "(cm²)");
  Add("fb", S.Fb, "(N/mm²)", true);
  Add("fs", S.Fs, "(N/mm²)", true);
  const QString Name = S.Name.empty() ? QCoreApplication::translate("ResultsText", "(名前なし)")
                                      : QString::fromStdString(Cp932ToDisplay(S.Name));
  return {QCoreApplication::translate("ResultsText", "断面: %1").arg(Name),
          Values.join(QStringLiteral("    "))};
}

namespace {

// "荷重 1, 3 はスパンの外にあります。" when loads reach outside the beam.
QStringList OffSpanLines(const TData& Data) {
  QStringList Numbers;
  for (const int I : LoadsOutsideSpan(Data))
    Numbers << QString::number(I + 1);
  if (Numbers.isEmpty()) return {};
  return {QCoreApplication::translate("ResultsText", "荷重 %1 はスパンの外にあります。")
              .arg(Numbers.join(QStringLiteral(", ")))};
}

} // namespace

QStringList ResultLines(const TData& Data) {
  const TBeamResults& R = Data.Results();
  if (!R.Valid && !R.Refusal.empty()) return {QString::fromStdString(R.Refusal)};
  if (!R.Valid) return {QStringLiteral("スパンが正でないため、計算結果はありません。")};
  QStringList Lines = OffSpanLines(Data);
  if (!Data.Supports().empty()) {
    Lines << ReactionLines(Data);
  } else if (Data.IsCantilever()) {
    // The wall at the right end holds the beam against its bending moment.
    Lines << QStringLiteral("固定端の反力 R = %1").arg(Value(R.RB, "(kN)"))
          << QStringLiteral("固定端の曲げモーメント M = %1").arg(Value(R.MFixed, "(kN･m)"))
          << ReactionMomentLine(QCoreApplication::translate("ResultsText", "固定端"), -R.MFixed);
  } else {
    Lines << QStringLiteral("左支点の反力 RA = %1").arg(Value(R.RA, "(kN)"))
          << QStringLiteral("右支点の反力 RB = %1").arg(Value(R.RB, "(kN)"));
  }
  Lines << EndLine(QCoreApplication::translate("ResultsText", "左端"), Data.Points().front(), R)
        << EndLine(QCoreApplication::translate("ResultsText", "右端"), Data.Points().back(), R);
  for (const TQuantityInfo& Q : Quantities())
    if (R.Has(Q.Id))
      Lines << ExtremeLine(Q.Id, true, R.Largest(Q.Id))
            << ExtremeLine(Q.Id, false, R.Smallest(Q.Id));
  return Lines << CheckLines(Data);
}

namespace {

// The share columns of the load table: RA and RB, the fixed end's force,
// or per support its force and at a fixed end its moment.
QStringList ShareHeaders(const TData& Data) {
  if (Data.Supports().empty())
    return Data.IsCantilever() ? QStringList{QStringLiteral("固定端(kN)")}
                               : QStringList{QStringLiteral("RA(kN)"), QStringLiteral("RB(kN)")};
  QStringList Headers;
  const TSupports& Supports = Data.Supports();
  for (std::size_t I = 0; I < Supports.size(); ++I) {
    Headers << QStringLiteral("R%1(kN)").arg(I + 1);
    if (Supports[I].Kind == skFixed) Headers << QStringLiteral("M%1(kN･m)").arg(I + 1);
  }
  return Headers;
}

QStringList ShareCells(const TData& Data, int Index) {
  const TKajyuData& K = Data.Load(Index);
  if (Data.Supports().empty())
    return Data.IsCantilever() ? QStringList{ResultNumber(K.FRB)}
                               : QStringList{ResultNumber(K.FRA), ResultNumber(K.FRB)};
  QStringList Cells;
  const std::vector<TReaction> Shares = Data.LoadReactions(Index);
  for (std::size_t I = 0; I < Shares.size() && I < Data.Supports().size(); ++I) {
    Cells << Unsigned(ResultNumber(Shares[I].R));
    if (Shares[I].Fixed)
      Cells << Unsigned(ResultNumber(EndBendingMoment(Data.Supports()[I], Shares[I].M)));
  }
  return Cells;
}

} // namespace

std::vector<QStringList> LoadTableRows(const TData& Data) {
  std::vector<QStringList> Rows;
  const QStringList Headers = ShareHeaders(Data);
  Rows.push_back(QStringList{QStringLiteral("No."), QStringLiteral("種類"), QStringLiteral("X(m)"),
                             QStringLiteral("荷重"), QStringLiteral("幅(m)")}
                 << Headers << QStringLiteral("備考"));
  for (int I = 0; I < Data.LoadCount(); ++I) {
    const TKajyuData& K = Data.Load(I);
    QStringList Row{QString::number(I + 1), KindName(K.FKind), ResultNumber(K.FX),
                    Value(K.FW, IsMomentKind(K.FKind) ? "(kN･m)" : "(kN)"),
                    IsDistributedKind(K.FKind) ? ResultNumber(K.FWidth) : QString()};
    // Nothing calculated: the columns stay empty.
    QStringList Shares = ShareCells(Data, I);
    while (Shares.size() < Headers.size())
      Shares << QString();
    Row << Shares << QString::fromStdString(Cp932ToDisplay(K.FRemark));
    Rows.push_back(Row);
  }
  return Rows;
}

QStringList AlignColumns(const std::vector<QStringList>& Rows) {
  std::vector<int> Widths;
  for (const QStringList& Row : Rows)
    for (qsizetype C = 0; C < Row.size(); ++C) {
      if (static_cast<std::size_t>(C) >= Widths.size()) Widths.resize(C + 1, 0);
      Widths[C] = std::max(Widths[C], DisplayWidth(Row[C]));
    }
  QStringList Lines;
  for (const QStringList& Row : Rows) {
    QString Line;
    for (qsizetype C = 0; C < Row.size(); ++C) {
      const int Pad = Widths[C] - DisplayWidth(Row[C]);
      // The kind and the remark to the left, the numbers to the right; the
      // last column is not padded.
      const bool Last = C + 1 == Row.size(), Right = C != 1 && !Last;
      if (C > 0) Line += QStringLiteral("  ");
      if (Right) Line += QString(Pad, QChar(' '));
      Line += Row[C];
      if (!Right && !Last) Line += QString(Pad, QChar(' '));
    }
    Lines << Line;
  }
  return Lines;
}

QString ResultsText(const TData& Data) {
  QStringList Lines{BeamLine(Data)};
  if (const QString Supports = SupportsLine(Data); !Supports.isEmpty()) Lines << Supports;
  Lines << SectionLines(Data) << QString();
  Lines << ResultLines(Data) << QString() << QStringLiteral("荷重と反力の分担")
        << AlignColumns(LoadTableRows(Data));
  return Lines.join(QChar('\n'));
}
