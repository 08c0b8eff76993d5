#include "mainwindow/ResultsText.h"

#include "analysis/BeamData.h"
#include "support/Cp932.h"
#include "support/QvxTools.h"

#include <QCoreApplication>
#include <cmath>

namespace {

QString Value(double V, const char* Unit) {
  return std::isfinite(V) ? FormatReal3(V) + QString::fromUtf8(Unit) : OutOfRangeText();
}

// "左端 X = 0.000(m)    S = 6.000(kN)    M = 0.000(kN･m)".
QString EndLine(const QString& End, const TCalcPoint& P) {
  return QCoreApplication::translate("ResultsText", "%1 X = %2    S = %3    M = %4")
      .arg(End, Value(P.X, "(m)"), Value(P.S, "(kN)"), Value(P.M, "(kN･m)"));
}

QString ExtremeLine(const char* Name, const TExtreme& E, const char* Unit) {
  return QStringLiteral("%1 = %2    X = %3")
      .arg(QString::fromUtf8(Name), Value(E.Value, Unit), Value(E.X, "(m)"));
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

QString BeamTypeName(const TData& Data) {
  return Data.BeamType() != btSimple ? QStringLiteral("片持ち梁") : QStringLiteral("単純梁");
}

QString BeamLine(const TData& Data) {
  return QStringLiteral("梁の種類: %1    スパン L = %2")
      .arg(BeamTypeName(Data), Value(Data.Length(), "(m)"));
}

QStringList ResultLines(const TData& Data) {
  const TBeamResults& R = Data.Results();
  if (!R.Valid) return {QStringLiteral("スパンが正でないため、計算結果はありません。")};
  QStringList Lines;
  if (Data.BeamType() != btSimple) {
    Lines << QStringLiteral("固定端の反力 R = %1").arg(Value(R.RB, "(kN)"))
          << QStringLiteral("固定端の曲げモーメント M = %1").arg(Value(R.MFixed, "(kN･m)"));
  } else {
    Lines << QStringLiteral("左支点の反力 RA = %1").arg(Value(R.RA, "(kN)"))
          << QStringLiteral("右支点の反力 RB = %1").arg(Value(R.RB, "(kN)"));
  }
  Lines << EndLine(QCoreApplication::translate("ResultsText", "左端"), Data.Points().front())
        << EndLine(QCoreApplication::translate("ResultsText", "右端"), Data.Points().back());
  Lines << ExtremeLine("せん断力の最大 S", R.SMax, "(kN)")
        << ExtremeLine("せん断力の最小 S", R.SMin, "(kN)")
        << ExtremeLine("曲げモーメントの最大 M", R.MMax, "(kN･m)")
        << ExtremeLine("曲げモーメントの最小 M", R.MMin, "(kN･m)");
  return Lines;
}

std::vector<QStringList> LoadTableRows(const TData& Data) {
  const bool Simple = Data.BeamType() == btSimple;
  std::vector<QStringList> Rows;
  QStringList Header{QStringLiteral("No."),    QStringLiteral("種類"),  QStringLiteral("X(m)"),
                     QStringLiteral("荷重"),   QStringLiteral("幅(m)"), QStringLiteral("RA(kN)"),
                     QStringLiteral("RB(kN)"), QStringLiteral("備考")};
  if (!Simple) {
    Header.removeAt(5);
    Header[5] = QStringLiteral("固定端(kN)");
  }
  Rows.push_back(Header);
  for (int I = 0; I < Data.LoadCount(); ++I) {
    const TKajyuData& K = Data.Load(I);
    QStringList Row{QString::number(I + 1), KindName(K.FKind), ResultNumber(K.FX),
                    Value(K.FW, K.FKind == lkMoment ? "(kN･m)" : "(kN)"),
                    IsDistributedKind(K.FKind) ? ResultNumber(K.FWidth) : QString()};
    if (Simple) Row << ResultNumber(K.FRA);
    Row << ResultNumber(K.FRB) << QString::fromStdString(Cp932ToDisplay(K.FRemark));
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
  QStringList Lines{BeamLine(Data), QString()};
  Lines << ResultLines(Data) << QString() << QStringLiteral("荷重と反力の分担")
        << AlignColumns(LoadTableRows(Data));
  return Lines.join(QChar('\n'));
}
