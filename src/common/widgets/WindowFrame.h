#pragma once

#include <QMargins>

class QWidget;

// The frame the window manager puts around a window's client area; none while it has not
// framed the window yet.
QMargins FrameMarginsOf(const QWidget &window);
