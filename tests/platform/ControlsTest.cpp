// The controls fire their events the way the program expects (once per
// change, with themselves as sender) and paint the classic bevels.
#include "platform/Controls.h"

#include "platform/Exceptions.h"
#include "platform/QtCanvas.h"

#include <QLayout>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const QColor LightColor(255, 255, 255);
const QColor DarkColor(128, 128, 128);
const QColor FaceColor(192, 192, 192);

// Grabs the widget painted with the colours above.
QImage Grab(QWidget& Widget) {
  QPalette Palette = Widget.palette();
  Palette.setColor(QPalette::Light, LightColor);
  Palette.setColor(QPalette::Dark, DarkColor);
  Palette.setColor(QPalette::Window, FaceColor);
  Widget.setPalette(Palette);
  return Widget.grab().toImage();
}

class ControlsRadioGroup : public ::testing::Test {
protected:
  ControlsRadioGroup() {
    Group.SetItems({"上", "中", "下"});
    Group.resize(200, 100);
    Group.show();
    Group.OnClick = [this](TObject* Sender) {
      EXPECT_EQ(Sender, static_cast<TObject*>(&Group));
      Seen.push_back(Group.ItemIndex());
    };
  }
  QRadioButton* Button(int Index) const { return Group.findChildren<QRadioButton*>()[Index]; }
  // Clicks the indicator: only it and the label answer a click.
  void ClickItem(int Index) {
    QTest::mouseClick(Button(Index), Qt::LeftButton, {}, QPoint(6, Button(Index)->height() / 2));
  }
  // A letter a button: X checked, t the Tab stop while unchecked, . neither.
  std::string State() const {
    std::string Letters;
    for (QRadioButton* B : Group.findChildren<QRadioButton*>())
      Letters += B->isChecked() ? (B->focusPolicy() & Qt::TabFocus ? 'X' : 'x')
                                : (B->focusPolicy() & Qt::TabFocus ? 't' : '.');
    return Letters;
  }

  TRadioGroup Group;
  std::vector<int> Seen;
};

TEST_F(ControlsRadioGroup, ClickFiresOncePerChangeByProgramOrUser) {
  EXPECT_EQ(State(), "t..");
  Group.SetItemIndex(1);
  Group.SetItemIndex(1);
  ClickItem(2);
  ClickItem(2); // already selected
  EXPECT_EQ(State(), "..X");
  Group.SetItemIndex(-1);
  EXPECT_EQ(State(), "t..");
  Group.SetItemIndex(9); // clamped to the last item
  EXPECT_EQ(Seen, (std::vector<int>{1, 2, -1, 2}));
}

TEST_F(ControlsRadioGroup, ArrowKeysMoveRoundTheEnabledItems) {
  Group.SetItemIndex(0);
  QTest::keyClick(Button(0), Qt::Key_Up);
  Button(1)->setEnabled(false);
  QTest::keyClick(Button(2), Qt::Key_Down);
  QTest::keyClick(Button(0), Qt::Key_Right);
  EXPECT_EQ(Seen, (std::vector<int>{0, 2, 0, 2}));
  EXPECT_EQ(State(), "..X");
}

TEST_F(ControlsRadioGroup, ItemsFillTheColumnsTopToBottomAndKeepAFittingSelection) {
  Group.SetItemIndex(2);
  Group.SetItems({"a", "b", "c", "d", "e"});
  Group.SetColumns(2);
  Group.resize(260, 60);
  EXPECT_EQ(State(), "..X..");
  EXPECT_EQ(Button(3)->y(), Button(0)->y());
  EXPECT_GT(Button(3)->x(), Button(2)->x());
  EXPECT_GT(Button(2)->y(), Button(1)->y());
  Group.SetItems({"a"});
  EXPECT_EQ(Group.ItemIndex(), -1);
}

TEST(ControlsStatusBar, PanelsHoldTheirTextsFireOnClickAndAreSunken) {
  TStatusBar Bar;
  Bar.resize(400, 20);
  Bar.AddPanel(100);
  Bar.AddPanel(50, Qt::AlignRight, false);
  Bar.show();
  EXPECT_EQ(Bar.PanelRect(1), QRect(102, 2, 50, 18));
  Bar.SetPanelText(1, "行 12");
  EXPECT_EQ(Bar.PanelText(1), "行 12");
  EXPECT_THROW(Bar.SetPanelText(2, "x"), EListError);

  std::vector<TObject*> Senders;
  Bar.OnClick = [&](TObject* Sender) { Senders.push_back(Sender); };
  QTest::mouseClick(&Bar, Qt::LeftButton, {}, QPoint(300, 10)); // after the panels
  QTest::mouseClick(&Bar, Qt::RightButton, {}, QPoint(10, 10));
  QTest::mousePress(&Bar, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(&Bar, Qt::LeftButton, {}, QPoint(10, 40)); // let go below the bar
  EXPECT_EQ(Senders, std::vector<TObject*>{&Bar});

  const QImage Image = Grab(Bar);
  EXPECT_EQ(Image.pixelColor(98, 2), DarkColor);
  EXPECT_EQ(Image.pixelColor(99, 2), LightColor);
  EXPECT_EQ(Image.pixelColor(0, 19), LightColor);
  EXPECT_EQ(Image.pixelColor(102, 2), FaceColor); // no bevel
}

TEST(ControlsButtons, ClicksFireOnClickWithTheButtonAsSender) {
  TSpeedButton Speed;
  TButton Push("OK");
  TCheckBox Check("表示");
  Check.adjustSize();
  for (QWidget* W : std::initializer_list<QWidget*>{&Speed, &Push, &Check})
    W->show();
  std::vector<TObject*> Senders;
  Speed.OnClick = Push.OnClick = Check.OnClick = [&](TObject* S) { Senders.push_back(S); };
  QTest::mouseClick(&Speed, Qt::LeftButton);
  QTest::mouseClick(&Push, Qt::LeftButton);
  QTest::mouseClick(&Check, Qt::LeftButton);
  Check.SetChecked(true); // no change
  Check.SetChecked(false);
  EXPECT_EQ(Senders, (std::vector<TObject*>{&Speed, &Push, &Check, &Check}));
  EXPECT_EQ(Speed.focusPolicy(), Qt::NoFocus);
}

TEST(ControlsButtons, GlyphLeavesOutItsBottomLeftColourAndGreysWhenDisabled) {
  TBitmap Glyph{16, 16, std::vector<TColor>(256, clFuchsia)};
  Glyph.Pixels[5 * 16 + 7] = clRed;
  const QImage Image = ImageFromBitmap(Glyph, true);
  EXPECT_EQ(Image.pixel(7, 5), qRgb(255, 0, 0));
  EXPECT_EQ(qAlpha(Image.pixel(8, 8)), 0);
  TSpeedButton Button;
  Button.SetGlyph(Glyph);
  EXPECT_NE(Button.icon().pixmap(16, 16, QIcon::Disabled).toImage().pixel(7, 5), qRgb(255, 0, 0));
}

TEST(ControlsPanel, ClientRectAndBevelsLieInsideTheEdges) {
  TPanel Panel;
  Panel.resize(100, 50);
  Panel.SetBevelInner(bvLowered);
  Panel.SetBorderWidth(3);
  EXPECT_EQ(Panel.ClientRect(), QRect(5, 5, 90, 40));
  const QImage Image = Grab(Panel);
  EXPECT_EQ(Image.pixelColor(0, 48), LightColor); // raised outer
  EXPECT_EQ(Image.pixelColor(99, 0), DarkColor);
  EXPECT_EQ(Image.pixelColor(1, 1), DarkColor); // lowered inner
  EXPECT_EQ(Image.pixelColor(98, 48), LightColor);
  Panel.SetBevelOuter(bvNone);
  Panel.SetBevelInner(bvNone);
  EXPECT_EQ(Panel.ClientRect(), QRect(3, 3, 94, 44));
}

} // namespace
