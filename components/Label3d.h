#pragma once

#include "platform/Canvas.h"
#include "platform/Events.h"

#include <QString>
#include <QWidget>

enum TLabelStyle : std::uint8_t { lsCustom, lsLowered, lsRaised, lsShadow };
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// A caption drawn three times, slightly displaced, for raised, lowered or
// shadowed text. It paints itself without a background, so its parent shows
// around the letters. The front colour is the font's colour; the up copy
// lies one pixel up-left of it and the down copy one pixel down-right, or
// in lsShadow a single shadow lies (ShadowXOffset, ShadowYOffset) away.
// Every setter repaints at once; the height follows the font on every
// painting, the width follows the caption while AutoSize is on.
class TLabel3D : public QWidget, public TObject {
public:
  explicit TLabel3D(QWidget* Parent = nullptr);

  // Index 1 the front (font) colour, 2 UpColor, 3 DownColor.
  TColor GetColor(int Index) const;
  void SetColor(int Index, TColor Value);
  TColor MainColor() const { return GetColor(1); }
  void SetMainColor(TColor Value) { SetColor(1, Value); }
  TColor UpColor() const { return GetColor(2); }
  void SetUpColor(TColor Value) { SetColor(2, Value); }
  TColor DownColor() const { return GetColor(3); }
  void SetDownColor(TColor Value) { SetColor(3, Value); }

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TLabelStyle Style() const { return FStyle; }
  // lsLowered and lsRaised set the up and down colours to the system's
  // bevel colours; a style equal to the present one changes nothing.
  void SetStyle(TLabelStyle Value);

  // Index 0 the X offset, 1 the Y offset.
  int GetShadowOffset(int Index) const;
  void SetShadowOffset(int Index, int Value);
  int ShadowXOffset() const { return GetShadowOffset(0); }
  void SetShadowXOffset(int Value) { SetShadowOffset(0, Value); }
  int ShadowYOffset() const { return GetShadowOffset(1); }
  void SetShadowYOffset(int Value) { SetShadowOffset(1, Value); }

  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& Value);
  QString Caption() const { return FCaption; }
  // The whole caption is drawn, whatever its length.
  void SetCaption(const QString& Value);

  // Sizes the label for Canvas and draws the three copies on it.
  void Paint(TCanvas& Canvas);

  TNotifyEvent OnClick;

protected:
  void paintEvent(QPaintEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

private:
  void AdjustBounds(TCanvas& Canvas);
  void DrawCopy(TCanvas& Canvas, TColor Color, TRect R);

  TFont FFont;
  QString FCaption;
  TColor FUpColor = clGray;
  TColor FDownColor = clWhite;
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TLabelStyle FStyle = lsCustom;
  int FShadowOffset[2] = {0, 0};
};
