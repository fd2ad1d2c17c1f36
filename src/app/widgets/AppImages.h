#pragma once

#include <QPixmap>
#include <QString>

// A picture of the program's windows (":/app/images/<name>.svg"): the toolbar buttons by
// their keys, "LogoApplication" and "LogoMerovan". A null pixmap when the SVG reader is
// missing (start-up has traced that), so a button falls back to its text.
QPixmap AppImage(const QString &name);
