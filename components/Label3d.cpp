#include "components/Label3d.h"

#include "platform/QtCanvas.h"
#include "platform/WinDraw.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

// The font's size in points at the desktop's 96 pixels per inch.
int PointSize(const TFont& Font) {
  return (Font.Height * 72 + 48) / 96;
}

unsigned AlignmentFlags(TAlignment Alignment) {
  switch (Alignment) {
  case taRightJustify:
    return DT_RIGHT;
  case taCenter:
    return DT_CENTER;
  default:
    return DT_LEFT;
  }
}

TRect Offset(TRect R, int DX, int DY) {
  return {R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY};
}

} // namespace

TLabel3D::TLabel3D(QWidget* Parent) : QWidget(Parent) {
  resize(10, 10);
}

TColor TLabel3D::GetColor(int Index) const {
  switch (Index) {
  case 1:
    return FFont.Color;
  case 2:
    return FUpColor;
  case 3:
    return FDownColor;
  default:
    return 0;
  }
}

void TLabel3D::SetColor(int Index, TColor Value) {
  if (Index == 1) FFont.Color = Value;
  if (Index == 2) FUpColor = Value;
  if (Index == 3) FDownColor = Value;
  // In lsShadow the down colour is the shadow's, so the style stays.
  if (Index == 2 || (Index == 3 && FStyle != lsShadow)) FStyle = lsCustom;
  repaint();
}

void TLabel3D::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  repaint();
}

void TLabel3D::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  repaint();
}

void TLabel3D::SetStyle(TLabelStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (Value == lsLowered) {
    FUpColor = clBtnShadow;
    FDownColor = clBtnHighlight;
  } else if (Value == lsRaised) {
    FUpColor = clBtnHighlight;
    FDownColor = clBtnShadow;
  }
  repaint();
}

int TLabel3D::GetShadowOffset(int Index) const {
  return Index == 0 || Index == 1 ? FShadowOffset[Index] : 0;
}

void TLabel3D::SetShadowOffset(int Index, int Value) {
  if ((Index != 0 && Index != 1) || FShadowOffset[Index] == Value) return;
  FShadowOffset[Index] = Value;
  repaint();
}

void TLabel3D::SetFont(const TFont& Value) {
  FFont = Value;
  repaint();
}

void TLabel3D::SetCaption(const QString& Value) {
  FCaption = Value;
  repaint();
}

void TLabel3D::AdjustBounds(TCanvas& Canvas) {
  const bool Shadow = FStyle == lsShadow;
  const int ExtraHeight = Shadow ? std::abs(FShadowOffset[1]) : 0;
  int ExtraWidth = (FFont.Style & fsItalic) ? PointSize(FFont) / 3 : 0;
  if (Shadow) ExtraWidth += std::abs(FShadowOffset[0]);
  const int NewHeight = Canvas.TextHeight("Wg") + ExtraHeight + 2;
  const int NewWidth =
      FAutoSize ? Canvas.TextWidth(FCaption.toStdString()) + ExtraWidth + 2 : width();
  if (NewWidth != width() || NewHeight != height()) resize(NewWidth, NewHeight);
}

void TLabel3D::DrawCopy(TCanvas& Canvas, TColor Color, TRect R) {
  Canvas.Font.Color = Color;
  DrawText(Canvas, FCaption.toStdString(), R,
           DT_SINGLELINE | DT_NOPREFIX | AlignmentFlags(FAlignment));
}

void TLabel3D::Paint(TCanvas& Canvas) {
  Canvas.Font = FFont;
  AdjustBounds(Canvas);
  Canvas.Brush.Style = bsClear;
  const bool Enabled = isEnabled();
  const int W = width(), H = height();
  if (FStyle == lsShadow) {
    const int DX = FShadowOffset[0], DY = FShadowOffset[1];
    DrawCopy(Canvas, Enabled ? FDownColor : clBtnFace,
             Offset({0, 0, W, H}, std::max(DX, 0), std::max(DY, 0)));
    DrawCopy(Canvas, Enabled ? FFont.Color : clBtnShadow,
             Offset({0, 0, W, H}, std::max(-DX, 0), std::max(-DY, 0)));
    return;
  }
  DrawCopy(Canvas, Enabled ? FDownColor : clBtnFace, {2, 2, W, H});
  DrawCopy(Canvas, Enabled ? FUpColor : clBtnHighlight, {0, 0, W - 2, H - 2});
  DrawCopy(Canvas, Enabled ? FFont.Color : clBtnShadow, {1, 1, W - 1, H - 1});
}

void TLabel3D::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  TQtCanvas Canvas(Painter);
  Paint(Canvas);
}

void TLabel3D::changeEvent(QEvent* Event) {
  QWidget::changeEvent(Event);
  if (Event->type() == QEvent::EnabledChange) repaint();
}

void TLabel3D::mouseReleaseEvent(QMouseEvent* Event) {
  QWidget::mouseReleaseEvent(Event);
  if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()) && OnClick)
    OnClick(this);
}
