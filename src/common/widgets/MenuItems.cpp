#include "common/widgets/MenuItems.h"

#include <QMenu>
#include <QMenuBar>

namespace {

void Collect(const QList<QAction *> &actions, QList<QAction *> &items)
{
    for (QAction *action : actions) {
        items.append(action);
        if (action->menu() != nullptr)
            Collect(action->menu()->actions(), items);
    }
}

} // namespace

QList<QAction *> MenuItems(const QWidget *window)
{
    QList<QAction *> items;
    if (const auto *bar = window->findChild<QMenuBar *>())
        Collect(bar->actions(), items);
    return items;
}
