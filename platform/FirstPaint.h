#pragma once

class QWidget;

// For timing the start-up from outside: when the environment variable
// VANTREL_QUIT_AFTER_FIRST_PAINT is set and not empty, the application
// quits once Window has been painted for the first time (every widget of
// it painted and the window put on the screen). Otherwise it does nothing.
void QuitAfterFirstPaintIfAsked(QWidget& Window);
