// The dialog "断面・材料" with real widgets: a section of the table shows
// its computed properties, typed values are kept, bad ones refused inside
// the dialog, Cancel and 断面なし.
#include "mainwindow/SectionDialog.h"

#include "analysis/Section.h"
#include "analysis/SectionTable.h"
#include "support/TypedNumber.h"
#include "tests/kit/FixedFrame.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

// The table lives in the window's resources.
static void InitResources() {
  Q_INIT_RESOURCE(mainwindow);
}

namespace {

// The table as the dialog reads it.
std::vector<TSectionShape> Table() {
  InitResources();
  QFile File(":/sections/sections.txt");
  EXPECT_TRUE(File.open(QIODevice::ReadOnly));
  return ParseSectionTable(File.readAll().toStdString());
}

// The control beside the caption the dialog shows.
template <class T = QLineEdit> T* Field(QDialog& Dialog, const QString& Caption) {
  for (QLabel* Label : Dialog.findChildren<QLabel*>())
    if (Label->text() == Caption) return qobject_cast<T*>(Label->buddy());
  ADD_FAILURE() << Caption.toStdString();
  return nullptr;
}

// Text typed over the box's contents (or pasted: any character).
void Type(QDialog& Dialog, const QString& Caption, const QString& Text) {
  QLineEdit* Edit = Field(Dialog, Caption);
  Edit->setFocus();
  Edit->selectAll();
  Edit->insert(Text);
}

QString Message(QDialog& Dialog) {
  return Dialog.findChild<QLabel*>("Message")->text();
}

// Edits Section in the Qt dialog with User's actions; a dialog they leave
// open is cancelled.
bool EditWith(TSection& Section, const std::function<void(QDialog&)>& User) {
  QTimer::singleShot(0, [&User] {
    auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    User(*Dialog);
    if (Dialog->isVisible()) Dialog->reject();
  });
  return SectionDialog().Edit(nullptr, Section);
}

TEST(SectionDialogTest, EverySectionOfTheTableShowsItsPropertiesAndIsKeptExactly) {
  const std::vector<TSectionShape> Shapes = Table();
  TSectionShape Last;
  TSection Section;
  std::size_t Shown = 0;
  EXPECT_TRUE(EditWith(Section, [&](QDialog& Dialog) {
    ExpectFixedDialogFrame(Dialog);
    auto* Families = Field<QComboBox>(Dialog, "種類(&K):");
    auto* Sections = Field<QComboBox>(Dialog, "断面(&L):");
    for (int F = 0; F < Families->count(); ++F) {
      Families->setCurrentIndex(F);
      Sections->setFocus();
      for (int Item = 1; Item < Sections->count(); ++Item) {
        QTest::keyClick(Sections, Qt::Key_Down);
        const auto Shape = std::find_if(Shapes.begin(), Shapes.end(), [&](const auto& S) {
          return QString::fromStdString(S.Name) == Sections->currentText() &&
                 QString::fromUtf8(SectionFamilyName(S.Family)) == Families->currentText();
        });
        ASSERT_NE(Shape, Shapes.end()) << Sections->currentText().toStdString();
        EXPECT_EQ(Field(Dialog, "断面名(&N):")->text(), Sections->currentText());
        const TSectionProperties P = ComputeProperties(*Shape);
        const std::pair<const char*, double> Values[] = {
            {"I", P.I}, {"Z", P.Z}, {"A<sub>w</sub>", P.Aw}};
        for (const auto& [Caption, Value] : Values)
          EXPECT_NEAR(TypedNumber(Field(Dialog, Caption)->text(), 0), Value, Value * 5e-5)
              << Shape->Name << " " << Caption;
        EXPECT_NEAR(TypedNumber(Field<QLabel>(Dialog, "A")->text(), 0), P.A, P.A * 5e-5);
        Last = *Shape;
        ++Shown;
      }
    }
    QTest::keyClick(Field(Dialog, "I"), Qt::Key_Return);
  }));
  EXPECT_EQ(Shown, Shapes.size());
  const TSectionProperties P = ComputeProperties(Last);
  EXPECT_EQ(Section.I, P.I);
  EXPECT_EQ(Section.Z, P.Z);
  EXPECT_EQ(Section.Aw, P.Aw);
  // Shown again, the section is the table's.
  EditWith(Section, [&](QDialog& Dialog) {
    EXPECT_EQ(Field<QComboBox>(Dialog, "断面(&L):")->currentText().toStdString(), Last.Name);
  });
}

TEST(SectionDialogTest, TypedValuesAreKeptAndUntouchedOnesExactly) {
  // Bytes that are no text, and a value the box rounds.
  const TSection Before{"A\x80", 205000, 7, 1.0 / 3, 0, 156, 90, 250};
  TSection Section = Before;
  EXPECT_TRUE(EditWith(Section, [&](QDialog& Dialog) {
    Type(Dialog, "I", QStringLiteral("１２３４．５")); // with the input method on
    Type(Dialog, "f<sub>s</sub>", "");
    QTest::keyClick(Field(Dialog, "L /"), Qt::Key_Return);
  }));
  TSection Expected = Before;
  Expected.I = 1234.5;
  Expected.Fs = 0;
  EXPECT_EQ(Section, Expected);
  // Escape and Cancel leave it as it was.
  for (const bool Escape : {true, false}) {
    EXPECT_FALSE(EditWith(Section, [&](QDialog& Dialog) {
      Type(Dialog, "E", "1");
      if (Escape) QTest::keyClick(Field(Dialog, "E"), Qt::Key_Escape);
    }));
    EXPECT_EQ(Section, Expected);
  }
}

TEST(SectionDialogTest, BadValuesAreRefusedInTheDialogUntilCorrected) {
  TSection Section{"", std::numeric_limits<double>::infinity(), 10};
  const TSection Before = Section;
  EXPECT_TRUE(EditWith(Section, [&](QDialog& Dialog) {
    // An infinite E held before is refused too, once the rest is right.
    for (const char* Bad : {"-1", "abc", "1e999", "2"}) {
      Type(Dialog, "I", Bad);
      QTest::keyClick(Field(Dialog, "I"), Qt::Key_Return);
      EXPECT_TRUE(Dialog.isVisible()) << Bad;
      EXPECT_TRUE(Message(Dialog).contains(Bad == std::string("2") ? "E" : "I")) << Bad;
      EXPECT_EQ(Section, Before);
    }
    Type(Dialog, "E", "205000");
    Dialog.accept();
  }));
  EXPECT_EQ(Section.I, 2);
  EXPECT_EQ(Section.E, 205000);
}

TEST(SectionDialogTest, NoSectionEmptiesIt) {
  TSection Section{"H", 205000, 10, 5, 2, 156, 90, 250};
  EXPECT_TRUE(EditWith(Section, [](QDialog& Dialog) {
    for (QPushButton* Button : Dialog.findChildren<QPushButton*>())
      if (Button->text() == "断面なし(&C)") Button->click();
  }));
  EXPECT_TRUE(Section.Empty());
}

} // namespace
