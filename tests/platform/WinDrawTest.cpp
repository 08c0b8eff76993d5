// The control drawing primitives on the recording canvas (text metric:
// ASCII Height / 2 = 6 pixels wide, lines 12 pixels high).
#include "platform/WinDraw.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

using TRec = TRecordingCanvas::TRecord;

std::vector<std::string> TextsOf(const TRecordingCanvas& Canvas) {
  std::vector<std::string> Result;
  for (const TRec& R : Canvas.OfKind(TRecordingCanvas::rkText))
    Result.push_back(R.Text);
  return Result;
}

TEST(WinDrawTest, DrawTextPlacesSingleLines) {
  TRecordingCanvas Canvas;
  TRect R{10, 10, 110, 50};
  DrawText(Canvas, "abcd", R, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  R = {10, 10, 110, 50};
  DrawText(Canvas, "abcd", R, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
  const auto T = Canvas.OfKind(TRecordingCanvas::rkText);
  ASSERT_EQ(T.size(), 2u);
  EXPECT_EQ(T[0].Rect, (TRect{48, 24, 72, 36}));
  EXPECT_EQ(T[1].Rect, (TRect{86, 38, 110, 50}));

  TRect Measure{5, 7, 5, 7};
  EXPECT_EQ(DrawText(Canvas, "abc", Measure, DT_SINGLELINE | DT_CALCRECT), 12);
  EXPECT_EQ(Measure, (TRect{5, 7, 23, 19}));
  EXPECT_EQ(Canvas.OfKind(TRecordingCanvas::rkText).size(), 2u); // measuring draws nothing
}

TEST(WinDrawTest, DrawTextBreaksLinesAndWords) {
  TRecordingCanvas Canvas;
  TRect R{0, 0, 40, 100}; // six and a half characters
  DrawText(Canvas, "one two three\r\nfour", R, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(R.Height(), 4 * 12);
  EXPECT_EQ(R.Width(), 30); // "three"
  R = {0, 0, 40, 100};
  DrawText(Canvas, "one two three\r\nfour", R, DT_WORDBREAK);
  EXPECT_EQ(TextsOf(Canvas), (std::vector<std::string>{"one", "two", "three", "four"}));

  // Wide characters break between themselves; a long word overflows.
  TRecordingCanvas Wide;
  R = {0, 0, 30, 100};
  DrawText(Wide, "あいう longerword", R, DT_WORDBREAK);
  EXPECT_EQ(TextsOf(Wide), (std::vector<std::string>{"あい", "う", "longerword"}));
}

TEST(WinDrawTest, MnemonicPrefixes) {
  TRecordingCanvas Canvas;
  TRect R{0, 0, 100, 20};
  DrawText(Canvas, "F&ile && more", R, DT_SINGLELINE);
  EXPECT_EQ(TextsOf(Canvas), (std::vector<std::string>{"File & more"}));
  const auto Lines = Canvas.OfKind(TRecordingCanvas::rkLine);
  ASSERT_EQ(Lines.size(), 1u); // the underline below "i"
  EXPECT_EQ(Lines[0].Points, (std::vector<TPoint>{{6, 11}, {12, 11}}));
  TRecordingCanvas Plain;
  DrawText(Plain, "a&b", R, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(TextsOf(Plain), (std::vector<std::string>{"a&b"}));
}

TEST(WinDrawTest, EdgesAdjustAndKeepTheCanvasTools) {
  TRecordingCanvas Canvas;
  Canvas.Pen.Color = clRed;
  TRect R{0, 0, 10, 8};
  DrawEdge(Canvas, R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  EXPECT_EQ(R, (TRect{2, 2, 8, 6}));
  EXPECT_EQ(Canvas.Pen.Color, clRed);
  const auto Lines = Canvas.OfKind(TRecordingCanvas::rkLine);
  ASSERT_EQ(Lines.size(), 8u);
  // Outer border: shadow on the left and top, highlight right and bottom.
  EXPECT_EQ(Lines[0].Pen.Color, clBtnShadow);
  EXPECT_EQ(Lines[0].Points, (std::vector<TPoint>{{0, 0}, {0, 7}}));
  EXPECT_EQ(Lines[2].Pen.Color, clBtnHighlight);
  EXPECT_EQ(Lines[2].Points, (std::vector<TPoint>{{9, 0}, {9, 8}}));
  EXPECT_EQ(Lines[4].Pen.Color, cl3DDkShadow);
  EXPECT_EQ(Lines[4].Points[0], (TPoint{1, 1}));

  TRect Raised{0, 0, 10, 8};
  DrawEdge(Canvas, Raised, BDR_RAISEDINNER, BF_RECT);
  EXPECT_EQ(Raised, (TRect{0, 0, 10, 8})); // no BF_ADJUST
  EXPECT_EQ(Canvas.Records.back().Pen.Color, clBtnShadow);
}

TEST(WinDrawTest, CheckBoxAndButtons) {
  TRecordingCanvas Canvas;
  DrawFrameControl(Canvas, {10, 20, 23, 33}, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  const auto Fills = Canvas.OfKind(TRecordingCanvas::rkFillRect);
  ASSERT_EQ(Fills.size(), 1u);
  EXPECT_EQ(Fills[0].Rect, (TRect{12, 22, 21, 31})); // inside the 2-pixel sunken edge
  EXPECT_EQ(Fills[0].Brush.Color, clWindow);
  const auto Lines = Canvas.OfKind(TRecordingCanvas::rkLine);
  ASSERT_EQ(Lines.size(), 8u + 7u); // the edge, then the tick's seven columns
  EXPECT_EQ(Lines[8].Pen.Color, clWindowText);
  EXPECT_EQ(Lines[8].Points, (std::vector<TPoint>{{13, 25}, {13, 28}}));
  EXPECT_EQ(Lines[14].Points, (std::vector<TPoint>{{19, 23}, {19, 26}}));

  TRecordingCanvas Inactive;
  DrawFrameControl(Inactive, {0, 0, 13, 13}, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE);
  EXPECT_EQ(Inactive.OfKind(TRecordingCanvas::rkFillRect)[0].Brush.Color, clBtnFace);
  EXPECT_EQ(Inactive.OfKind(TRecordingCanvas::rkLine).size(), 8u); // unchecked: no tick

  TRecordingCanvas Button;
  DrawFrameControl(Button, {0, 0, 40, 20}, DFC_BUTTON, DFCS_BUTTONPUSH);
  EXPECT_EQ(Button.OfKind(TRecordingCanvas::rkFillRect)[0].Rect, (TRect{2, 2, 38, 18}));
  EXPECT_EQ(Button.OfKind(TRecordingCanvas::rkLine)[0].Pen.Color, clBtnHighlight);
  TRecordingCanvas Pushed;
  DrawFrameControl(Pushed, {0, 0, 40, 20}, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  EXPECT_EQ(Pushed.OfKind(TRecordingCanvas::rkLine)[0].Pen.Color, cl3DDkShadow);
}

TEST(WinDrawTest, DisabledBitmapIsEmbossed) {
  TBitmap Glyph{2, 2, {clRed, clWhite, clBlack, clPurple}};
  Glyph.Pixels[2] = clPurple; // bottom-left: the transparent colour
  TRecordingCanvas Canvas;
  DrawState(Canvas, Glyph, 5, 6, DST_BITMAP | DSS_DISABLED);
  const auto Bitmaps = Canvas.OfKind(TRecordingCanvas::rkBitmap);
  ASSERT_EQ(Bitmaps.size(), 2u);
  EXPECT_EQ(Bitmaps[0].Rect.Left, 6);
  EXPECT_EQ(Bitmaps[0].Bitmap.Pixels[0], clBtnHighlight); // red is dark ink
  EXPECT_NE(Bitmaps[0].Bitmap.Pixels[1], clBtnHighlight); // white is not
  EXPECT_EQ(Bitmaps[1].Rect.Left, 5);
  EXPECT_EQ(Bitmaps[1].Bitmap.Pixels[0], clBtnShadow);
  EXPECT_EQ(Bitmaps[1].Bitmap.Pixels[3], Bitmaps[1].Bitmap.TransparentColor());
}

} // namespace
