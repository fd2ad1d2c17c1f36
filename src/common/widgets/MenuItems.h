#pragma once

#include <QList>

class QAction;
class QWidget;

// Every item of a window's menu bar, depth first: a submenu's title stands before its items.
QList<QAction *> MenuItems(const QWidget *window);
