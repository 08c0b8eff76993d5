#include "support/QvxTools.h"
#include "support/Cp932Validator.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

TEST(QvxToolsTest, TextToRealDefReadsNumbers) {
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(TextToRealDef(" 1.5 ", -1), 1.5);
  EXPECT_EQ(TextToRealDef("1e3", -1), 1000);
  EXPECT_EQ(TextToRealDef("-2.5E-1", -1), -0.25);
  EXPECT_EQ(TextToRealDef("+7", -1), 7);
  EXPECT_EQ(TextToRealDef("1E", -1), 1);
  EXPECT_EQ(TextToRealDef(".", -1), 0);
  EXPECT_EQ(TextToRealDef("5.", -1), 5);
  EXPECT_EQ(TextToRealDef(".25", -1), 0.25);
  EXPECT_EQ(TextToRealDef("0.1", -1), 0.1); // correctly rounded
  EXPECT_EQ(TextToRealDef("1e-400", -1), 0);
  EXPECT_EQ(TextToRealDef("00000000000000000001e-400", -1), 0);
}

TEST(QvxToolsTest, TextToRealDefFallsBack) {
  QLocale::setDefault(QLocale::c());
  for (const char* Text :
       {"", " ", "-", "+", "1,000", "\t1", "1x", "1 2", "e3", "1e500", "1e5000", "1..2", "1e3.5"})
    EXPECT_EQ(TextToRealDef(QString::fromUtf8(Text), -99.9), -99.9) << Text;
  EXPECT_EQ(TextToRealDef(QStringLiteral("１２"), -99.9), -99.9); // full-width digits
  EXPECT_EQ(TextToRealDef(QStringLiteral("3m"), 0), 0);
  EXPECT_EQ(TextToRealDef("1e+", -1), 1); // an exponent without digits is 0
}

TEST(QvxToolsTest, LocaleDecimalSeparator) {
  QLocale::setDefault(QLocale(QLocale::German));
  EXPECT_EQ(TextToRealDef("1,5", -1), 1.5);
  EXPECT_EQ(TextToRealDef("1.5", -1), -1);
  EXPECT_EQ(FormatReal3(1234.5), QStringLiteral("1234,500"));
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(FormatReal3(1234.5), QStringLiteral("1234.500"));
  EXPECT_EQ(FormatReal3(-0.0004), QStringLiteral("-0.000"));
}

} // namespace

namespace {

TEST(Cp932ValidatorTest, KeepsWhatTheFileCanHoldAndDropsTheRest) {
  TCp932Validator Validator;
  int Rejected = 0;
  Validator.OnRejected = [&Rejected] { ++Rejected; };
  int Position = 3;
  QString Text = QStringLiteral("梁〜Ａ･ｶﾅ");
  EXPECT_EQ(Validator.validate(Text, Position), QValidator::Acceptable);
  EXPECT_EQ(Rejected, 0);
  // The cursor after "美😀" stays after "美".
  Text = QStringLiteral("美😀味しい🍣한");
  EXPECT_EQ(Validator.validate(Text, Position), QValidator::Acceptable);
  EXPECT_EQ(Text, QStringLiteral("美味しい"));
  EXPECT_EQ(Position, 1);
  EXPECT_EQ(Rejected, 1);
}

} // namespace

namespace {

// Any finite value is written in at most MaxNumberWidth characters and
// reads back to within half a unit of its last decimal (of the mantissa
// in exponent form).
TEST(QvxToolsTest, NumbersOfAnyMagnitudeFitAndReadBack) {
  QLocale::setDefault(QLocale::c());
  std::mt19937_64 Random(5);
  std::uniform_real_distribution<double> Exponent(-310, 307), Mantissa(-10, 10);
  for (int Trial = 0; Trial < 2000; ++Trial) {
    const double Value = Mantissa(Random) * std::pow(10.0, Exponent(Random));
    const int Decimals = Trial % 2 ? 3 : 6;
    const QString Text = FormatReal(Value, Decimals);
    ASSERT_LE(Text.size(), MaxNumberWidth) << Text.toStdString();
    const double Unit =
        std::pow(10.0, -Decimals) *
        (Text.contains('e') ? std::pow(10.0, std::floor(std::log10(std::abs(Value)))) : 1);
    EXPECT_LE(std::abs(TextToRealDef(Text, NAN) - Value), 0.5000001 * Unit) << Text.toStdString();
  }
}

} // namespace
