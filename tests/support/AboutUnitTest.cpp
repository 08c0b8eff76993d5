// The about box: its layout and texts, the clip playing once over the
// still picture, the clip file's life, and the web link.
#include "support/AboutUnit.h"

#include "components/Label3d.h"
#include "platform/Animate.h"
#include "platform/Controls.h"
#include "support/QvxTools.h"
#include "tests/kit/FixedFrame.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class AboutBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    OldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(Folder.path()));
  }
  void TearDown() override { qputenv("TMPDIR", OldTemp); }

  QStringList TempFiles() const {
    return QDir(Folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
  }
  std::unique_ptr<TAboutBox> Shown() {
    auto Box = std::make_unique<TAboutBox>(&Owner);
    Box->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Box.get()));
    return Box;
  }

  QTemporaryDir Folder;
  QByteArray OldTemp;
  QWidget Owner;
};

} // namespace

TEST_F(AboutBoxTest, ComponentsSitWhereTheFormPutsThem) {
  TAboutBox Box(&Owner);
  EXPECT_EQ(Box.windowTitle(), QStringLiteral("バージョン情報"));
  EXPECT_EQ(Box.size(), QSize(487, 247));
  ExpectFixedDialogFrame(Box);
  EXPECT_EQ(Box.Panel1->geometry(), QRect(6, 4, 475, 209));
  EXPECT_EQ(Box.ProductName->pos(), QPoint(82, 8));
  EXPECT_EQ(Box.Version->pos(), QPoint(196, 34));
  EXPECT_EQ(Box.Label1->pos(), QPoint(94, 56));
  EXPECT_EQ(Box.Label2->pos(), QPoint(94, 72));
  EXPECT_EQ(Box.Label3->pos(), QPoint(94, 88));
  EXPECT_EQ(Box.Image4->geometry(), QRect(4, 4, 75, 67));
  EXPECT_EQ(Box.Animate1->geometry(), QRect(4, 4, 75, 67));
  EXPECT_EQ(Box.ProgramIcon->geometry(), QRect(104, 116, 160, 80));
  EXPECT_EQ(Box.Label6->pos(), QPoint(276, 138));
  EXPECT_EQ(Box.OKButton->geometry(), QRect(207, 218, 75, 25));
  EXPECT_TRUE(Box.OKButton->isDefault());
  EXPECT_EQ(Box.ProductName->Style(), lsCustom);
  EXPECT_EQ(Box.ProductName->MainColor(), clBlue);
  EXPECT_EQ(Box.ProductName->UpColor(), clGray);
  EXPECT_EQ(Box.ProductName->DownColor(), clWhite);
  EXPECT_EQ(Box.Label6->text(), MakerWebPage());
  // The program image keeps its size; its magenta background is see-through.
  const QImage Program = Box.ProgramIcon->pixmap().toImage();
  EXPECT_EQ(Program.size(), QSize(156, 75));
  EXPECT_EQ(qAlpha(Program.pixel(0, 74)), 0);
  EXPECT_EQ(Box.Image4->pixmap().size(), QSize(75, 67));
}

TEST_F(AboutBoxTest, ShowingFillsTheLinesAndPlaysTheClipOverTheStill) {
  auto Box = Shown();
  EXPECT_EQ(Box->Label1->toolTip(), QStringLiteral("OS Version       : ") + OSVersionText());
  EXPECT_TRUE(Box->Label2->text().startsWith(QStringLiteral("全メモリー容量　 : ")));
  EXPECT_TRUE(Box->Label2->text().endsWith(QStringLiteral(" MB")));
  EXPECT_TRUE(Box->Label3->text().startsWith(QStringLiteral("空きメモリー容量 : ")));
  EXPECT_EQ(Box->Version->text(), QStringLiteral("Version 1.0.0.0"));
  EXPECT_EQ(Box->ProductName->Caption(), QCoreApplication::applicationName());
  EXPECT_TRUE(Box->Animate1->Active());
  EXPECT_TRUE(Box->Animate1->isVisible());
  EXPECT_FALSE(Box->Image4->isVisible());
  EXPECT_EQ(Box->Animate1->FrameCount(), 75);
  EXPECT_EQ(Box->Animate1->FrameInterval(), 67);
}

TEST_F(AboutBoxTest, ALongSystemLineIsCutInsideThePanelWithTheWholeLineAsItsTip) {
  auto Box = Shown();
  const QString Line = QStringLiteral("OS Version       : ") + QString(64, QChar('W')) +
                       QStringLiteral(" (Kernel:6.18.4-amd64)");
  Box->ShowSystemLine(Line);
  const QString Text = Box->Label1->text();
  ASSERT_TRUE(Text.endsWith(QChar(0x2026))) << Text.toStdString();
  EXPECT_TRUE(Line.startsWith(Text.chopped(1))) << "the system name comes first";
  EXPECT_LE(Box->Label1->fontMetrics().horizontalAdvance(Text), Box->Label1->width());
  EXPECT_LE(Box->Label1->geometry().right(), Box->Panel1->ClientRect().right());
  EXPECT_EQ(Box->Label1->toolTip(), Line);
}

TEST_F(AboutBoxTest, OkWhilePlayingStopsTheClipAndShowsTheStill) {
  auto Box = Shown();
  ASSERT_TRUE(Box->Animate1->Active());
  QTest::mouseClick(Box->OKButton, Qt::LeftButton);
  EXPECT_FALSE(Box->Animate1->Active());
  EXPECT_FALSE(Box->Animate1->isVisibleTo(Box.get()));
  EXPECT_TRUE(Box->Image4->isVisibleTo(Box.get()));
  EXPECT_EQ(Box->result(), QDialog::Accepted);
}

TEST_F(AboutBoxTest, EachBoxPlaysAgainAndRereadsItsLines) {
  auto First = Shown();
  First->Label2->setText(QStringLiteral("stale"));
  First->Animate1->Stop();
  First->hide();
  First->show(); // showing again refreshes every line and replays
  EXPECT_TRUE(First->Label2->text().startsWith(QStringLiteral("全メモリー容量")));
  EXPECT_TRUE(First->Animate1->Active());
  First.reset();
  auto Second = Shown();
  EXPECT_TRUE(Second->Animate1->Active());
  EXPECT_EQ(Second->Animate1->CurrentFrame(), 1);
}

TEST_F(AboutBoxTest, TheClipFileLivesExactlyAsLongAsItsBox) {
  auto Box = Shown();
  const QString Clip = Box->AnimationFileName();
  EXPECT_EQ(QFileInfo(Clip).absolutePath(), QDir(Folder.path()).absolutePath());
  EXPECT_EQ(QFileInfo(Clip).size(), 1147732);
  Box->reject(); // the close box: the clip plays on until the box goes
  EXPECT_EQ(TempFiles().size(), 1);
  Box.reset();
  EXPECT_TRUE(TempFiles().isEmpty());

  // A box still open when its owner goes (the program ending) also cleans up.
  auto Owner2 = std::make_unique<QWidget>();
  auto* Orphan = new TAboutBox(Owner2.get());
  Orphan->show();
  EXPECT_EQ(TempFiles().size(), 1);
  Owner2.reset();
  EXPECT_TRUE(TempFiles().isEmpty());
}

TEST_F(AboutBoxTest, WithoutATemporaryFolderTheStillStays) {
  qputenv("TMPDIR", QFile::encodeName(Folder.filePath(QStringLiteral("gone"))));
  auto Box = Shown();
  EXPECT_TRUE(Box->AnimationFileName().isEmpty());
  EXPECT_FALSE(Box->Animate1->Active());
  EXPECT_TRUE(Box->Image4->isVisible());
  QTest::mouseClick(Box->OKButton, Qt::LeftButton);
  EXPECT_EQ(Box->result(), QDialog::Accepted);
}

TEST_F(AboutBoxTest, LinkAndProgramImageOpenTheSamePage) {
  QStringList Opened;
  SetWebPageOpener([&Opened](const QString& Address) { Opened << Address; });
  auto Box = Shown();
  QTest::mouseClick(Box->Label6, Qt::LeftButton);
  QTest::mouseClick(Box->ProgramIcon, Qt::LeftButton, {}, QPoint(20, 20));
  QTest::mouseClick(Box->Version, Qt::LeftButton);
  SetWebPageOpener(nullptr);
  EXPECT_EQ(Opened, QStringList({MakerWebPage(), MakerWebPage()}));
  EXPECT_EQ(MakerWebPage(), QStringLiteral(VANTREL_WEB_ADDRESS));
}
