#include "platform/RecordingCanvas.h"
#include "platform/Utf8.h"

TRecordingCanvas::TRecord& TRecordingCanvas::Add(TKind Kind) {
  TRecord Record;
  Record.Kind = Kind;
  Record.Pen = Pen;
  Record.Brush = Brush;
  Record.Font = Font;
  Records.push_back(std::move(Record));
  return Records.back();
}

void TRecordingCanvas::FillRect(const TRect& R) {
  Add(rkFillRect).Rect = R;
}

void TRecordingCanvas::Rectangle(const TRect& R) {
  Add(rkRectangle).Rect = R;
}

void TRecordingCanvas::Line(TPoint From, TPoint To) {
  Add(rkLine).Points = {From, To};
}

void TRecordingCanvas::Polyline(const std::vector<TPoint>& Points) {
  Add(rkPolyline).Points = Points;
}

void TRecordingCanvas::Polygon(const std::vector<TPoint>& Points) {
  Add(rkPolygon).Points = Points;
}

void TRecordingCanvas::Ellipse(const TRect& R) {
  Add(rkEllipse).Rect = R;
}

void TRecordingCanvas::Arc(const TRect& R, TPoint Start, TPoint End) {
  TRecord& Record = Add(rkArc);
  Record.Rect = R;
  Record.Points = {Start, End};
}

void TRecordingCanvas::TextOut(int X, int Y, const std::string& Text) {
  const TSize Size = TextExtent(Text);
  TRecord& Record = Add(rkText);
  Record.Rect = {X, Y, X + Size.cx, Y + Size.cy};
  Record.Points = {{X, Y}};
  Record.Text = Text;
}

TSize TRecordingCanvas::TextExtent(const std::string& Text) {
  int Width = 0;
  for (std::size_t I = 0; I < Text.size();) {
    const unsigned char Lead = static_cast<unsigned char>(Text[I]);
    const std::size_t Length = Utf8CharLength(Text, I);
    char32_t Code = Lead;
    if (Length == 3 && I + 2 < Text.size())
      Code = ((Lead & 0x0Fu) << 12) | ((static_cast<unsigned char>(Text[I + 1]) & 0x3Fu) << 6) |
             (static_cast<unsigned char>(Text[I + 2]) & 0x3Fu);
    const bool Half = Length == 1 || (Code >= 0xFF61 && Code <= 0xFF9F);
    Width += Half ? Font.Height / 2 : Font.Height;
    I += Length;
  }
  return {Width, Font.Height};
}

void TRecordingCanvas::Draw(int X, int Y, const TBitmap& Bitmap, bool Transparent) {
  TRecord& Record = Add(rkBitmap);
  Record.Rect = {X, Y, X + Bitmap.Width, Y + Bitmap.Height};
  Record.Points = {{X, Y}};
  Record.Bitmap = Bitmap;
  Record.Transparent = Transparent;
}

void TRecordingCanvas::SetClipRect(const TRect* R) {
  TRecord& Record = Add(rkClip);
  // A removed restriction is recorded without points.
  if (R) {
    Record.Rect = *R;
    Record.Points = {{R->Left, R->Top}, {R->Right, R->Bottom}};
  }
}

std::vector<TRecordingCanvas::TRecord> TRecordingCanvas::OfKind(TKind Kind) const {
  std::vector<TRecord> Result;
  for (const TRecord& Record : Records)
    if (Record.Kind == Kind) Result.push_back(Record);
  return Result;
}
