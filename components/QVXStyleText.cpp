#include "components/QVXStyleText.h"

#include "platform/PixelMath.h"
#include "platform/WinDraw.h"

#include <algorithm>
#include <cstdlib>

const char* const SymbolFontG = "QVX G記号";
const char* const SymbolFontM = "QVX M記号";

int TTextList::Add() {
  FItems.push_back(std::make_unique<TTextData>());
  return Count() - 1;
}

TTextData* TTextList::At(int Index) const {
  return Index >= 0 && Index < Count() ? FItems[static_cast<std::size_t>(Index)].get() : nullptr;
}

void TTextList::GetText(int Index, std::string& Value) const {
  if (TTextData* Item = At(Index)) Value = Item->Text;
}

void TTextList::SetText(int Index, const std::string& Value) {
  if (TTextData* Item = At(Index)) Item->Text = Value;
}

int TTextList::Width(int Index) const {
  const TTextData* Item = At(Index);
  return Item ? Item->Width : 0;
}

void TTextList::SetWidth(int Index, int Value) {
  if (TTextData* Item = At(Index)) Item->Width = Value;
}

int TTextList::Height(int Index) const {
  const TTextData* Item = At(Index);
  return Item ? Item->Height : 0;
}

void TTextList::SetHeight(int Index, int Value) {
  if (TTextData* Item = At(Index)) Item->Height = Value;
}

namespace {

// Measures (and when Draw is set, draws) one run at (X, Y); returns the X
// after it, or X itself when drawing and Advance is not set. Runs go
// through DrawText for its "&" marks; without any, measuring and drawing
// directly gives the same and spares the canvas repeated text layout.
int PutRun(TCanvas& Canvas, const std::string& Run, int X, int Y, bool Draw, bool Advance = true) {
  if (Run.find('&') == std::string::npos) {
    if (Draw && !Run.empty()) Canvas.TextOut(X, Y, Run);
    return Draw && !Advance ? X : X + Canvas.TextWidth(Run);
  }
  TRect R{X, Y, X, Y};
  DrawText(Canvas, Run, R, DT_SINGLELINE | DT_CALCRECT);
  if (Draw) DrawText(Canvas, Run, R, DT_SINGLELINE);
  return R.Right;
}

// Walks one line with its escapes from X; returns the final X. StartName
// is the font name "%o" restores; the size is back at BaseHeight after.
int WalkLine(TCanvas& Canvas, const std::string& Line, int X, int Y, bool Draw,
             const std::string& StartName, int BaseHeight) {
  std::string Run;
  int Offset = 0;
  for (std::size_t I = 0; I < Line.size(); ++I) {
    if (Line[I] != '%') {
      Run += Line[I];
      continue;
    }
    if (I + 1 >= Line.size()) break; // a percent sign at the end is dropped
    const char Code = Line[++I];
    const char Lower = static_cast<char>(Code >= 'A' && Code <= 'Z' ? Code - 'A' + 'a' : Code);
    if (std::string("udbgmo%").find(Lower) == std::string::npos) continue;
    if (!Run.empty()) X = PutRun(Canvas, Run, X, Y + Offset, Draw);
    Run.clear();
    switch (Lower) {
    case '%':
      Run.push_back('%'); // Run was just cleared
      break;
    case 'u':
      Canvas.Font.Height = Round(BaseHeight * 0.6);
      Offset = 0;
      break;
    case 'd': {
      const int Lowered = Round(BaseHeight * 0.8);
      Offset = std::abs(Canvas.Font.Height) - std::abs(Lowered) + 1;
      Canvas.Font.Height = Lowered;
      break;
    }
    case 'b':
      Canvas.Font.Height = BaseHeight;
      Offset = 0;
      break;
    case 'g':
      Canvas.Font.Name = SymbolFontG;
      break;
    case 'm':
      Canvas.Font.Name = SymbolFontM;
      break;
    case 'o':
      Canvas.Font.Name = StartName;
      break;
    }
  }
  X = PutRun(Canvas, Run, X, Y + Offset, Draw, !Draw);
  Canvas.Font.Height = BaseHeight;
  return X;
}

} // namespace

std::unique_ptr<TTextList> MeasureStyledText(const std::string& Text, const TFont& Font,
                                             TCanvas& Measure) {
  const TFont Saved = Measure.Font;
  Measure.Font = Font;
  const std::string StartName = Font.Name;
  const int BaseHeight = Font.Height;
  auto List = std::make_unique<TTextList>();
  std::string Rest = Text;
  do {
    const std::size_t CrLf = Rest.find("\r\n"), LfCr = Rest.find("\n\r");
    const std::size_t Break = std::min(CrLf, LfCr);
    std::string Line;
    if (Break == std::string::npos) {
      Line = std::move(Rest);
      Rest.clear();
    } else {
      Line = Rest.substr(0, Break);
      Rest.erase(0, Break + 2);
    }
    const int Index = List->Add();
    List->SetText(Index, Line);
    if (Line.find_first_of("%&") == std::string::npos && !Line.empty()) {
      // One plain run: one measurement gives both.
      const TSize Size = Measure.TextExtent(Line);
      List->SetHeight(Index, Size.cy + 1);
      List->SetWidth(Index, Size.cx);
    } else {
      List->SetHeight(Index, Line.empty() ? Measure.TextHeight(" ") : Measure.TextHeight(Line) + 1);
      List->SetWidth(Index, WalkLine(Measure, Line, 0, 0, false, StartName, BaseHeight));
    }
  } while (!Rest.empty());
  Measure.Font = Saved;
  return List;
}

void DrawStyledLine(TCanvas& Canvas, int X, int Y, const std::string& Line) {
  const std::string StartName = Canvas.Font.Name; // a copy: the walk changes the font
  DrawStyledLine(Canvas, X, Y, Line, StartName);
}

void DrawStyledLine(TCanvas& Canvas, int X, int Y, const std::string& Line,
                    const std::string& StartName) {
  WalkLine(Canvas, Line, X, Y, true, StartName, Canvas.Font.Height);
}

void DrawStyledText(TCanvas& Canvas, const std::string& Text, const TRect& Rect, unsigned Flags) {
  const std::string StartName = Canvas.Font.Name;
  const std::unique_ptr<TTextList> List = MeasureStyledText(Text, Canvas.Font, Canvas);
  int Total = 0;
  for (int I = 0; I < List->Count(); ++I)
    Total += List->Height(I);
  int Top = Rect.Top;
  if (Flags & DT_VCENTER)
    Top = (Rect.Top + Rect.Bottom - Total) / 2;
  else if (Flags & DT_BOTTOM)
    Top = Rect.Bottom - Total;
  for (int I = 0; I < List->Count(); ++I) {
    const int Width = List->Width(I);
    int Left = Rect.Left;
    if (Flags & DT_CENTER)
      Left = (Rect.Left + Rect.Right - Width) / 2;
    else if (Flags & DT_RIGHT)
      Left = Rect.Right - Width;
    std::string Line;
    List->GetText(I, Line);
    DrawStyledLine(Canvas, Left, Top, Line, StartName);
    Top += List->Height(I);
  }
}
