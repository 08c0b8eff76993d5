#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <gtest/gtest.h>

namespace {

// Substitutes come back in lower case.
QString FamiliesText(const QString& Asked) {
  return FamiliesFor(Asked).join(QLatin1Char(',')).toLower();
}

// A name stands for the first of its substitutes that is installed, alone;
// for all of them when none is; and a change of them is seen at once.
TEST(Fonts, FamiliesForAreTheFirstInstalledSubstitute) {
  const QString Asked = QStringLiteral("テスト用の書体名");
  const QString Missing = QStringLiteral("No Such Family 4711"),
                Installed = QStringLiteral("IPAPGothic");
  ASSERT_TRUE(QFontDatabase::hasFamily(Installed));
  ASSERT_FALSE(QFontDatabase::hasFamily(Missing));
  EXPECT_EQ(FamiliesText(Asked), Asked.toLower());
  QFont::insertSubstitutions(Asked, {Missing, Installed});
  EXPECT_EQ(FamiliesText(Asked), Installed.toLower());
  QFont::removeSubstitutions(Asked);
  QFont::insertSubstitutions(Asked, {Missing, QStringLiteral("No Such Family 4712")});
  EXPECT_EQ(FamiliesText(Asked), QStringLiteral("no such family 4711,no such family 4712"));
  QFont::removeSubstitutions(Asked);
  EXPECT_EQ(FamiliesText(Asked), Asked.toLower());
}

} // namespace
