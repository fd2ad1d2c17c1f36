#pragma once

#include <array>

#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>

// The main window's place, kept in the settings store, section "Settings": "MainLeft",
// "MainTop", "MainWidth", "MainHeight" in twips (1440 to the inch, converted through the
// logical dpi of the window's screen) and "WindowState" 0 normal or 2 maximised.
//   first run at 96 dpi -> 100, 100, 6800, 3750 twips = 7, 7, 453 x 250 pixels, state 0
inline constexpr double kTwipsPerInch = 1440.0;

enum WindowStates : qint16 { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

struct CWindowPlacement
{
    QRect Geometry; // pixels: position of the frame, size of the inside
    qint16 WindowState = wsNormal;
    // The texts of left, top, width and height as loading read them (a default's for a value
    // missing or unusable); none when not loaded.
    std::array<QString, 4> TwipsTexts;
};

struct CScreenDpi
{
    double X = 96.0;
    double Y = 96.0;
};

// The stored place on the available areas of the screens, with frame the margins of the window's
// frame (none while the window manager has not told them). A stored value that is no number
// (or no size), a state other than 0 or 2, or a place that meets none of the areas gives the
// default of that value, or the whole default place, and a trace line. A place whose frame
// does not fit the area of the screen it mostly lies on is fitted there (FitOnScreen), with a
// trace line.
CWindowPlacement LoadWindowSettings(const CScreenDpi &dpi, const QList<QRect> &areas,
                                    const QMargins &frame = {});

// The place moved, then shrunk, until the whole frame is inside the area; a place that fits
// is returned as it is.
//   place 602,440 700x500, frame 1,20,1,1, area 0,0 800x500 -> 98,0 700x479
QRect FitOnScreen(const QRect &place, const QMargins &frame, const QRect &area);

// A normal window writes its place and state 0; a maximised one only its state 2, so the
// normal place it comes back to stays stored; a minimised one stores state 0.
// A value the window still has as `placed` gave it (the place loading read and the program
// fitted) is written back as loading read it: pixels are coarser than twips, so a run that
// changes nothing would otherwise store 105 for the 100 it read.
//   read 100, placed at 7 px, closed at 7 px -> "100"; closed at 20 px -> "300"
void SaveWindowSettings(const CWindowPlacement &placement, const CScreenDpi &dpi,
                        const CWindowPlacement &placed = {});
