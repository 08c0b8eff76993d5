// Entering a load in the main window the way the user does.
#pragma once

#include <QString>

class TButton;
class TForm1;

// What the user types for one load: the kind picked, then position, value,
// width (kept only when the kind has a width row) and remark.
struct TLoadEntry {
  int Kind = 0;
  QString X, W, Width, Remark;
};

// Fills the input area with Entry and clicks By, the add button when null.
void EnterLoad(TForm1& Form, const TLoadEntry& Entry, TButton* By = nullptr);
