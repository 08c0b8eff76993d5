#include "platform/WinDraw.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <vector>

namespace {

// These primitives draw with their own pens and brushes and leave the
// canvas's as they were.
class TToolsKeeper {
public:
  explicit TToolsKeeper(TCanvas& Canvas)
      : FCanvas(Canvas), FPen(Canvas.Pen), FBrush(Canvas.Brush) {}
  ~TToolsKeeper() {
    FCanvas.Pen = FPen;
    FCanvas.Brush = FBrush;
  }
  TToolsKeeper(const TToolsKeeper&) = delete;
  TToolsKeeper& operator=(const TToolsKeeper&) = delete;

private:
  TCanvas& FCanvas;
  TPen FPen;
  TBrush FBrush;
};

// A line with its mnemonic markers resolved: the text to show and the byte
// offset of the underlined character (npos for none).
struct TShownLine {
  std::string Text;
  std::size_t Underline = std::string::npos;
};

TShownLine ResolvePrefix(const std::string& Line, bool NoPrefix) {
  TShownLine Shown;
  if (NoPrefix) {
    Shown.Text = Line;
    return Shown;
  }
  for (std::size_t I = 0; I < Line.size(); ++I) {
    if (Line[I] == '&' && I + 1 < Line.size()) {
      ++I;
      if (Line[I] != '&' && Shown.Underline == std::string::npos)
        Shown.Underline = Shown.Text.size();
    } else if (Line[I] == '&') {
      continue; // a marker at the end marks nothing
    }
    Shown.Text += Line[I];
  }
  return Shown;
}

std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> Lines(1);
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '\r' || Text[I] == '\n') {
      if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
      Lines.emplace_back();
    } else {
      Lines.back() += Text[I];
    }
  }
  return Lines;
}

// Breaks one line into pieces no wider than Width where it can: at blanks
// (which vanish at the break) and before or after a wide character.
std::vector<std::string> WrapLine(TCanvas& Canvas, const std::string& Line, int Width) {
  std::vector<std::string> Pieces;
  std::string Rest = Line;
  while (!Rest.empty()) {
    if (Canvas.TextWidth(Rest) <= Width) {
      Pieces.push_back(Rest);
      break;
    }
    // The last break opportunity at which the first piece still fits.
    std::size_t Break = std::string::npos, Resume = 0;
    for (std::size_t I = 0; I < Rest.size(); I += Utf8CharLength(Rest, I)) {
      const bool Wide = static_cast<unsigned char>(Rest[I]) >= 0x80;
      std::size_t Candidate = std::string::npos, Next = 0;
      if (Rest[I] == ' ') {
        Candidate = I;
        Next = I + 1;
      } else if (Wide && I > 0) {
        Candidate = I;
        Next = I;
      }
      if (Candidate != std::string::npos && Candidate > 0) {
        if (Canvas.TextWidth(Rest.substr(0, Candidate)) > Width) break;
        Break = Candidate;
        Resume = Next;
      }
      const std::size_t After = I + Utf8CharLength(Rest, I);
      if (Wide && After < Rest.size() && Rest[After] != ' ') {
        if (Canvas.TextWidth(Rest.substr(0, After)) > Width) break;
        Break = After;
        Resume = After;
      }
    }
    if (Break == std::string::npos) {
      // No opportunity fits: the first word stands alone and overflows.
      const std::size_t Blank = Rest.find(' ');
      Break = Blank == std::string::npos ? Rest.size() : Blank;
      Resume = Blank == std::string::npos ? Rest.size() : Blank + 1;
    }
    Pieces.push_back(Rest.substr(0, Break));
    while (Resume < Rest.size() && Rest[Resume] == ' ')
      ++Resume;
    Rest.erase(0, Resume);
  }
  if (Pieces.empty()) Pieces.emplace_back();
  return Pieces;
}

void HLine(TCanvas& Canvas, int X0, int X1, int Y) {
  Canvas.MoveTo(X0, Y);
  Canvas.LineTo(X1, Y);
}

void VLine(TCanvas& Canvas, int X, int Y0, int Y1) {
  Canvas.MoveTo(X, Y0);
  Canvas.LineTo(X, Y1);
}

// One border one pixel wide: TopLeft along the left and top sides,
// BottomRight along the right and bottom ones (which own the corners they
// share with the others).
void DrawBorder(TCanvas& Canvas, const TRect& R, TColor TopLeft, TColor BottomRight,
                unsigned Sides) {
  if (R.IsEmpty()) return;
  Canvas.Pen.Width = 1;
  Canvas.Pen.Color = TopLeft;
  if (Sides & BF_LEFT) VLine(Canvas, R.Left, R.Top, R.Bottom - 1);
  if (Sides & BF_TOP) HLine(Canvas, R.Left, R.Right - 1, R.Top);
  Canvas.Pen.Color = BottomRight;
  if (Sides & BF_RIGHT) VLine(Canvas, R.Right - 1, R.Top, R.Bottom);
  if (Sides & BF_BOTTOM) HLine(Canvas, R.Left, R.Right, R.Bottom - 1);
}

void Shrink(TRect& R, unsigned Sides) {
  if (Sides & BF_LEFT) ++R.Left;
  if (Sides & BF_TOP) ++R.Top;
  if (Sides & BF_RIGHT) --R.Right;
  if (Sides & BF_BOTTOM) --R.Bottom;
}

void DrawCheckBox(TCanvas& Canvas, const TRect& R, unsigned State) {
  const bool Inactive = State & DFCS_INACTIVE;
  TRect Box = R;
  DrawEdge(Canvas, Box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  Canvas.Brush.Color = Inactive ? clBtnFace : clWindow;
  Canvas.Brush.Style = bsSolid;
  Canvas.FillRect(Box);
  if (!(State & DFCS_CHECKED)) return;
  // The tick: seven columns three pixels tall, falling then rising.
  static constexpr int Tops[7] = {5, 6, 7, 6, 5, 4, 3};
  Canvas.Pen.Color = Inactive ? clGrayText : clWindowText;
  Canvas.Pen.Width = 1;
  for (int I = 0; I < 7; ++I)
    VLine(Canvas, R.Left + 3 + I, R.Top + Tops[I], R.Top + Tops[I] + 3);
}

} // namespace

int DrawText(TCanvas& Canvas, const std::string& Text, TRect& R, unsigned Flags) {
  TToolsKeeper Keeper(Canvas);
  const bool NoPrefix = Flags & DT_NOPREFIX;
  std::vector<std::string> Lines;
  if (Flags & DT_SINGLELINE) {
    Lines.push_back(Text);
  } else {
    for (const std::string& Line : SplitLines(Text)) {
      if (Flags & DT_WORDBREAK) {
        for (std::string& Piece : WrapLine(Canvas, Line, R.Width()))
          Lines.push_back(std::move(Piece));
      } else {
        Lines.push_back(Line);
      }
    }
  }
  const int LineHeight = Canvas.TextHeight("W");
  const int Height = LineHeight * static_cast<int>(Lines.size());
  if (Flags & DT_CALCRECT) {
    int Width = 0;
    for (const std::string& Line : Lines)
      Width = std::max(Width, Canvas.TextWidth(ResolvePrefix(Line, NoPrefix).Text));
    R.Right = R.Left + Width;
    R.Bottom = R.Top + Height;
    return Height;
  }
  int Y = R.Top;
  if (Flags & DT_SINGLELINE) {
    if (Flags & DT_VCENTER)
      Y = R.Top + (R.Height() - LineHeight) / 2;
    else if (Flags & DT_BOTTOM)
      Y = R.Bottom - LineHeight;
  }
  for (const std::string& Line : Lines) {
    const TShownLine Shown = ResolvePrefix(Line, NoPrefix);
    const int Width = Canvas.TextWidth(Shown.Text);
    int X = R.Left;
    if (Flags & DT_CENTER)
      X = R.Left + (R.Width() - Width) / 2;
    else if (Flags & DT_RIGHT)
      X = R.Right - Width;
    Canvas.TextOut(X, Y, Shown.Text);
    if (Shown.Underline != std::string::npos) {
      const int U0 = X + Canvas.TextWidth(Shown.Text.substr(0, Shown.Underline));
      const int U1 = X + Canvas.TextWidth(Shown.Text.substr(
                             0, Shown.Underline + Utf8CharLength(Shown.Text, Shown.Underline)));
      Canvas.Pen.Color = Canvas.Font.Color;
      Canvas.Pen.Width = 1;
      HLine(Canvas, U0, U1, Y + LineHeight - 1);
    }
    Y += LineHeight;
  }
  return Height;
}

void DrawEdge(TCanvas& Canvas, TRect& R, unsigned Edge, unsigned Flags) {
  TToolsKeeper Keeper(Canvas);
  const unsigned Sides = Flags & BF_RECT;
  TRect Inner = R;
  if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
    if (Edge & BDR_RAISEDOUTER)
      DrawBorder(Canvas, Inner, (Flags & BF_SOFT) ? clBtnHighlight : cl3DLight, cl3DDkShadow,
                 Sides);
    else
      DrawBorder(Canvas, Inner, clBtnShadow, clBtnHighlight, Sides);
    Shrink(Inner, Sides);
  }
  if (Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
    if (Edge & BDR_RAISEDINNER)
      DrawBorder(Canvas, Inner, (Flags & BF_SOFT) ? cl3DLight : clBtnHighlight, clBtnShadow, Sides);
    else
      DrawBorder(Canvas, Inner, cl3DDkShadow, cl3DLight, Sides);
    Shrink(Inner, Sides);
  }
  if (Flags & BF_ADJUST) R = Inner;
}

void DrawFrameControl(TCanvas& Canvas, const TRect& R, unsigned Type, unsigned State) {
  if (Type != DFC_BUTTON) return;
  TToolsKeeper Keeper(Canvas);
  if (!(State & DFCS_BUTTONPUSH)) {
    DrawCheckBox(Canvas, R, State);
    return;
  }
  TRect Face = R;
  if (State & DFCS_PUSHED) {
    // A pushed button: a dark frame, then the shadow inside it.
    DrawBorder(Canvas, Face, cl3DDkShadow, cl3DDkShadow, BF_RECT);
    Shrink(Face, BF_RECT);
    DrawBorder(Canvas, Face, clBtnShadow, clBtnShadow, BF_RECT);
    Shrink(Face, BF_RECT);
  } else {
    DrawEdge(Canvas, Face, EDGE_RAISED, BF_RECT | BF_SOFT | BF_ADJUST);
  }
  Canvas.Brush.Color = clBtnFace;
  Canvas.Brush.Style = bsSolid;
  Canvas.FillRect(Face);
}

void DrawState(TCanvas& Canvas, const TBitmap& Bitmap, int X, int Y, unsigned Flags) {
  if (!(Flags & DSS_DISABLED)) {
    Canvas.Draw(X, Y, Bitmap, true);
    return;
  }
  // The mask: opaque pixels darker than mid grey.
  const TColor Clear = Bitmap.TransparentColor();
  auto Dark = [&](TColor C) {
    return C != Clear && GetRValue(C) * 30 + GetGValue(C) * 59 + GetBValue(C) * 11 < 128 * 100;
  };
  TBitmap Light = Bitmap, Shadow = Bitmap;
  // "Nothing" in a colour that differs from both paints; the bottom-left
  // pixel is never ink (it is the transparent colour), so it carries it.
  const TColor None = clFuchsia;
  for (std::size_t I = 0; I < Bitmap.Pixels.size(); ++I) {
    const bool Ink = Dark(Bitmap.Pixels[I]);
    Light.Pixels[I] = Ink ? clBtnHighlight : None;
    Shadow.Pixels[I] = Ink ? clBtnShadow : None;
  }
  Canvas.Draw(X + 1, Y + 1, Light, true);
  Canvas.Draw(X, Y, Shadow, true);
}
