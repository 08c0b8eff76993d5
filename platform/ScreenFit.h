#pragma once

class QApplication;

// Makes every window and dialog of Application open wholly inside the
// available area of its screen: one too large is made smaller (as far as
// its least size allows), and one that reaches past an edge is moved back
// in, frame and all. A window that grows while shown is kept in the same
// way.
void KeepWindowsOnScreen(QApplication& Application);
