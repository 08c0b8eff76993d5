#include "tests/ReferenceImage.h"

#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>

void CheckAgainstReference(const QImage& Taken, const char* Folder, const char* Name) {
  const QImage Image = Taken.convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(Image.devicePixelRatio(), 1.0);
  const QString Path = QString::fromUtf8(Folder) + QStringLiteral("/") + QString::fromUtf8(Name);
  if (std::getenv("VANTREL_REGENERATE_IMAGES")) {
    ASSERT_TRUE(Image.save(Path, "PNG"));
    GTEST_SKIP() << "regenerated " << Name;
  }
  QImage Reference(Path);
  ASSERT_FALSE(Reference.isNull()) << "missing " << Name;
  Reference = Reference.convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(Image.size(), Reference.size());
  int Differing = 0;
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X)
      if (Image.pixel(X, Y) != Reference.pixel(X, Y) && Differing++ < 5)
        ADD_FAILURE() << Name << " differs at (" << X << ", " << Y << ")";
  EXPECT_EQ(Differing, 0) << Name;
}
