#include "support/TypedNumber.h"

#include <gtest/gtest.h>

namespace {

TEST(TypedNumberTest, FullWidthFormsOfTheInputMethodReadAsNumbers) {
  EXPECT_EQ(TypedNumber(QStringLiteral("１２．５"), -1), 12.5);
  EXPECT_EQ(TypedNumber(QStringLiteral("－３"), -1), -3);
  EXPECT_EQ(TypedNumber(QStringLiteral("＋３"), -1), 3);
  EXPECT_EQ(TypedNumber(QStringLiteral("１Ｅ３"), -1), 1000);
  EXPECT_EQ(TypedNumber(QStringLiteral("２ｅ－１"), -1), 0.2);
  EXPECT_EQ(TypedNumber(QStringLiteral("　１．５　"), -1), 1.5);
  // Kana mode: the minus key gives the long vowel mark, the point key the
  // ideographic full stop; some methods give the minus sign.
  EXPECT_EQ(TypedNumber(QStringLiteral("ー３。２５"), -1), -3.25);
  EXPECT_EQ(TypedNumber(QStringLiteral("−７"), -1), -7);
  // Mixed widths are one number.
  EXPECT_EQ(TypedNumber(QStringLiteral("1２.5"), -1), 12.5);
  EXPECT_EQ(TypedNumber(QStringLiteral("4.25"), -1), 4.25);
}

TEST(TypedNumberTest, WhatIsNoNumberStaysNoNumber) {
  for (const QString& Text : {QStringLiteral("１，０００"), QStringLiteral("①"),
                              QStringLiteral("１２ｍ"), QStringLiteral("－"), QStringLiteral("梁"),
                              QString(), QStringLiteral("１\t"), QStringLiteral("²")})
    EXPECT_EQ(TypedNumber(Text, -99.9), -99.9) << Text.toStdString();
  // Only the number's characters change.
  EXPECT_EQ(HalfWidthNumber(QStringLiteral("荷重１２ｍ")), QStringLiteral("荷重12m"));
}

} // namespace
