#pragma once

#include "platform/Canvas.h"

#include <string>

// The desktop's drawing primitives of controls, drawn on a TCanvas with the
// system colours, so that cells look like the controls a user knows.

// Text placement flags of DrawText.
enum : unsigned {
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
};

// Draws Text (UTF-8) in R with the canvas font and brush, or with
// DT_CALCRECT only measures it: R keeps its left and top and gets the width
// of the widest line and the height of all lines. Returns the text height.
// Without DT_SINGLELINE, CR LF, CR and LF break lines, and DT_WORDBREAK
// also breaks at blanks and between wide characters to fit R's width.
// DT_VCENTER and DT_BOTTOM apply to single lines. "&" marks the next
// character as a mnemonic (underlined) and "&&" is a literal "&", unless
// DT_NOPREFIX is given.
int DrawText(TCanvas& Canvas, const std::string& Text, TRect& R, unsigned Flags);

// Edges: outer and inner borders, raised or sunken.
enum : unsigned {
  BDR_RAISEDOUTER = 0x1,
  BDR_SUNKENOUTER = 0x2,
  BDR_RAISEDINNER = 0x4,
  BDR_SUNKENINNER = 0x8,
  EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
  EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
};
// Sides and options of DrawEdge.
enum : unsigned {
  BF_LEFT = 0x1,
  BF_TOP = 0x2,
  BF_RIGHT = 0x4,
  BF_BOTTOM = 0x8,
  BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
  BF_SOFT = 0x1000,
  BF_ADJUST = 0x2000,
};

// Draws the borders of Edge along the sides of R given in Flags; with
// BF_ADJUST, R shrinks by the width of what was drawn.
void DrawEdge(TCanvas& Canvas, TRect& R, unsigned Edge, unsigned Flags);

enum : unsigned { DFC_BUTTON = 4 };
enum : unsigned {
  DFCS_BUTTONCHECK = 0x0,
  DFCS_BUTTONPUSH = 0x10,
  DFCS_INACTIVE = 0x100,
  DFCS_PUSHED = 0x200,
  DFCS_CHECKED = 0x400,
};

// A push button (raised, or sunken when pushed, its face in clBtnFace) or
// a check box (a sunken 13 × 13 box with a tick when checked) in R.
void DrawFrameControl(TCanvas& Canvas, const TRect& R, unsigned Type, unsigned State);

enum : unsigned { DST_BITMAP = 0x4, DSS_DISABLED = 0x20 };

// Draws Bitmap at (X, Y); with DSS_DISABLED embossed as a disabled image:
// its dark pixels in clBtnHighlight one pixel to the lower right, then in
// clBtnShadow. The bitmap's transparent colour is left out in both cases.
void DrawState(TCanvas& Canvas, const TBitmap& Bitmap, int X, int Y, unsigned Flags);
