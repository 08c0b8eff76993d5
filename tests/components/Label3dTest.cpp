// The 3-D label: its style and colour rules, its size rules and where the
// three copies of the caption land (on the recording canvas, whose text
// metric is fixed: half the font height per ASCII character).
#include "components/Label3d.h"

#include "platform/RecordingCanvas.h"

#include <QEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TCopy {
  TColor Color;
  int X;
  int Y;
};

// The texts drawn by one painting, in drawing order.
std::vector<TCopy> Paint(TLabel3D& Label) {
  TRecordingCanvas Canvas;
  Label.Paint(Canvas);
  std::vector<TCopy> Copies;
  for (const auto& R : Canvas.OfKind(TRecordingCanvas::rkText))
    Copies.push_back({R.Font.Color, R.Rect.Left, R.Rect.Top});
  return Copies;
}

TFont Font(int Height, std::uint8_t Style = 0) {
  return TFont{"ＭＳ Ｐゴシック", Height, clBlue, Style};
}

} // namespace

TEST(Label3dTest, StartsAsACustomTenByTenLabel) {
  TLabel3D Label;
  EXPECT_EQ(Label.size(), QSize(10, 10));
  EXPECT_EQ(Label.Style(), lsCustom);
  EXPECT_EQ(Label.UpColor(), clGray);
  EXPECT_EQ(Label.DownColor(), clWhite);
  EXPECT_TRUE(Label.AutoSize());
  EXPECT_EQ(Label.Alignment(), taLeftJustify);
  EXPECT_EQ(Label.ShadowXOffset(), 0);
  EXPECT_EQ(Label.GetColor(4), 0u);
}

TEST(Label3dTest, ColourSettersFallBackToCustomExceptTheShadowColour) {
  TLabel3D Label;
  Label.SetStyle(lsRaised);
  Label.SetMainColor(clRed);
  EXPECT_EQ(Label.Style(), lsRaised) << "the front colour never changes the style";
  EXPECT_EQ(Label.Font().Color, clRed);
  Label.SetUpColor(clYellow);
  EXPECT_EQ(Label.Style(), lsCustom);

  Label.SetStyle(lsShadow);
  Label.SetDownColor(clLime);
  EXPECT_EQ(Label.Style(), lsShadow) << "the down colour is the shadow's";
  Label.SetStyle(lsLowered);
  Label.SetDownColor(clLime);
  EXPECT_EQ(Label.Style(), lsCustom);
}

TEST(Label3dTest, RaisedAndLoweredOverwriteTheColoursOnlyOnAChange) {
  TLabel3D Label;
  // A stored form sets the colours first and the style last.
  Label.SetUpColor(clRed);
  Label.SetDownColor(clLime);
  Label.SetStyle(lsRaised);
  EXPECT_EQ(Label.UpColor(), clBtnHighlight);
  EXPECT_EQ(Label.DownColor(), clBtnShadow);
  Label.SetStyle(lsLowered);
  EXPECT_EQ(Label.UpColor(), clBtnShadow);
  EXPECT_EQ(Label.DownColor(), clBtnHighlight);

  // Colours set while in lsShadow survive setting lsShadow again.
  Label.SetStyle(lsShadow);
  Label.SetDownColor(clNavy);
  Label.SetStyle(lsShadow);
  EXPECT_EQ(Label.DownColor(), clNavy);
  Label.SetStyle(lsCustom);
  EXPECT_EQ(Label.UpColor(), clBtnShadow) << "lsCustom keeps the colours";
}

TEST(Label3dTest, ThreeCopiesUpLeftDownRightAndFrontLast) {
  TLabel3D Label;
  Label.SetFont(Font(20));
  Label.SetCaption(QStringLiteral("Abc"));
  const std::vector<TCopy> Copies = Paint(Label);
  ASSERT_EQ(Copies.size(), 3u);
  EXPECT_EQ(Copies[0].Color, clWhite); // down copy
  EXPECT_EQ(Copies[0].X, 2);
  EXPECT_EQ(Copies[0].Y, 2);
  EXPECT_EQ(Copies[1].Color, clGray); // up copy
  EXPECT_EQ(Copies[1].X, 0);
  EXPECT_EQ(Copies[2].Color, clBlue); // front
  EXPECT_EQ(Copies[2].X, 1);
  EXPECT_EQ(Copies[2].Y, 1);
  // "Wg" is 20 high, "Abc" 30 wide on the recording canvas; 2 more each.
  EXPECT_EQ(Label.size(), QSize(32, 22));
  EXPECT_EQ(Label.MainColor(), clBlue) << "painting restores nothing it should not touch";
}

TEST(Label3dTest, DisabledCopiesUseTheSystemColours) {
  TLabel3D Label;
  Label.SetStyle(lsShadow);
  Label.SetStyle(lsCustom);
  Label.SetCaption(QStringLiteral("x"));
  Label.setEnabled(false);
  const std::vector<TCopy> Copies = Paint(Label);
  ASSERT_EQ(Copies.size(), 3u);
  EXPECT_EQ(Copies[0].Color, clBtnFace);
  EXPECT_EQ(Copies[1].Color, clBtnHighlight);
  EXPECT_EQ(Copies[2].Color, clBtnShadow);
}

TEST(Label3dTest, ShadowLiesAtTheOffsetsAndTheSizeGrowsByThem) {
  TLabel3D Label;
  Label.SetFont(Font(20));
  Label.SetCaption(QStringLiteral("Ab"));
  Label.SetStyle(lsShadow);
  Label.SetShadowXOffset(3);
  Label.SetShadowYOffset(2);
  std::vector<TCopy> Copies = Paint(Label);
  ASSERT_EQ(Copies.size(), 2u);
  EXPECT_EQ(Copies[0].Color, clWhite);
  EXPECT_EQ(Copies[0].X, 3);
  EXPECT_EQ(Copies[0].Y, 2);
  EXPECT_EQ(Copies[1].X, 0);
  EXPECT_EQ(Copies[1].Y, 0);
  EXPECT_EQ(Label.size(), QSize(20 + 3 + 2, 20 + 2 + 2));

  // A negative X offset puts the shadow left and moves the front right.
  Label.SetShadowXOffset(-4);
  Copies = Paint(Label);
  EXPECT_EQ(Copies[0].X, 0);
  EXPECT_EQ(Copies[1].X, 4);
  EXPECT_EQ(Label.width(), 20 + 4 + 2);
}

TEST(Label3dTest, HeightFollowsTheFontEvenWithoutAutoSize) {
  TLabel3D Label;
  Label.SetAutoSize(false);
  Label.resize(100, 5);
  Label.SetCaption(QStringLiteral("a long caption"));
  Label.SetFont(Font(16));
  Paint(Label);
  EXPECT_EQ(Label.size(), QSize(100, 18));
}

TEST(Label3dTest, ItalicWidensByAThirdOfThePointSize) {
  TLabel3D Label;
  Label.SetCaption(QStringLiteral("ab"));
  Label.SetFont(Font(24));
  Paint(Label);
  const int Upright = Label.width();
  Label.SetFont(Font(24, fsItalic));
  Paint(Label);
  // 24 pixels are 18 points at 96 pixels per inch.
  EXPECT_EQ(Label.width() - Upright, 6);
}

TEST(Label3dTest, RightAndCentredCaptionsPlaceEveryCopyAlike) {
  TLabel3D Label;
  Label.SetFont(Font(10));
  Label.SetCaption(QStringLiteral("ab")); // 10 wide
  Label.SetAutoSize(false);
  Label.resize(40, 12);
  Label.SetAlignment(taRightJustify);
  std::vector<TCopy> Copies = Paint(Label);
  EXPECT_EQ(Copies[0].X, 30); // down: (2, 2, 40, 12)
  EXPECT_EQ(Copies[1].X, 28); // up: (0, 0, 38, 10)
  EXPECT_EQ(Copies[2].X, 29); // front: (1, 1, 39, 11)
  Label.SetAlignment(taCenter);
  Copies = Paint(Label);
  EXPECT_EQ(Copies[2].X, 1 + (38 - 10) / 2);
}

TEST(Label3dTest, LongCaptionsAreDrawnWhole) {
  TLabel3D Label;
  Label.SetFont(Font(10));
  const QString Caption(300, QChar('x'));
  Label.SetCaption(Caption);
  TRecordingCanvas Canvas;
  Label.Paint(Canvas);
  const auto Texts = Canvas.OfKind(TRecordingCanvas::rkText);
  ASSERT_FALSE(Texts.empty());
  EXPECT_EQ(Texts.back().Text, Caption.toStdString());
  EXPECT_EQ(Label.width(), 300 * 5 + 2);
}

TEST(Label3dTest, SettersRepaintAtOnceOnlyWhenSomethingChanges) {
  QWidget Parent;
  Parent.resize(200, 60);
  TLabel3D Label(&Parent);
  Label.SetCaption(QStringLiteral("Vantrel"));
  Parent.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Parent));
  struct TCounter : QObject {
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* E) override {
      if (E->type() == QEvent::Paint) ++Paints;
      return false;
    }
  } Counter;
  Label.installEventFilter(&Counter);
  Label.SetShadowXOffset(2); // no event loop turn: the repaint is synchronous
  EXPECT_EQ(Counter.Paints, 1);
  Label.SetShadowXOffset(2);
  Label.SetAlignment(taLeftJustify);
  Label.SetStyle(lsCustom);
  EXPECT_EQ(Counter.Paints, 1) << "unchanged values do not repaint";
  Label.SetUpColor(clGray); // colours repaint even when unchanged
  Label.setEnabled(false);
  Label.SetCaption(QStringLiteral("Vantrel"));
  EXPECT_EQ(Counter.Paints, 4);
}
