#pragma once

#include "app/WindowPlacement.h"

class QWidget;

// The main window's place on the screen, kept in the settings store (app/WindowPlacement.h).
//   RestoreWindowPlacement(window);  // at loading, before the window shows
//   StoreWindowPlacement(window);    // on closing

// Puts the window where it was left, on the available area of a screen: a place whose frame
// does not fit is moved, then shrunk. The window manager tells the frame only once the window
// is on the screen, so a window shown normal is fitted again, once, when the frame is known.
void RestoreWindowPlacement(QWidget &window);

// The logical dpi of the window's screen, through which twips become pixels.
CScreenDpi ScreenDpiOf(const QWidget &window);

// A normal window stores its place and state 0, each value it still has as loading placed it
// as loading read it; a maximised one only its state 2.
void StoreWindowPlacement(const QWidget &window);
