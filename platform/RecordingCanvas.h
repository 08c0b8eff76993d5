#pragma once

#include "platform/Canvas.h"

#include <optional>

// A canvas that draws nothing and keeps every primitive with its resolved
// coordinates and the pen, brush and font in force, for tests.
//
// Text metric: every character is Font.Height / 2 pixels wide if it is
// ASCII or half-width katakana (U+FF61..U+FF9F) and Font.Height pixels wide
// otherwise; a text is Font.Height pixels high.
class TRecordingCanvas : public TCanvas {
public:
  enum TKind {
    rkFillRect,
    rkRectangle,
    rkLine,
    rkPolyline,
    rkPolygon,
    rkEllipse,
    rkArc,
    rkText,
    rkBitmap,
    rkClip
  };

  struct TRecord {
    TKind Kind;
    std::vector<TPoint> Points; // line ends, vertices, or the rectangle's corners
    TRect Rect; // rectangles, ellipses, arcs, texts and bitmaps (their extent), clips
    TBitmap Bitmap;
    bool Transparent = false;
    std::string Text;
    TPen Pen;
    TBrush Brush;
    TFont Font;
  };

  std::vector<TRecord> Records;

  void FillRect(const TRect& R) override;
  void Rectangle(const TRect& R) override;
  void Polyline(const std::vector<TPoint>& Points) override;
  void Polygon(const std::vector<TPoint>& Points) override;
  void Ellipse(const TRect& R) override;
  void Arc(const TRect& R, TPoint Start, TPoint End) override;
  void TextOut(int X, int Y, const std::string& Text) override;
  TSize TextExtent(const std::string& Text) override;
  void Draw(int X, int Y, const TBitmap& Bitmap, bool Transparent) override;
  void SetClipRect(const TRect* R) override;

  // The records of one kind, in drawing order.
  std::vector<TRecord> OfKind(TKind Kind) const;

protected:
  void Line(TPoint From, TPoint To) override;

private:
  TRecord& Add(TKind Kind);
};
