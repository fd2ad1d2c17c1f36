#include "common/widgets/StatusBarHelp.h"

#include "common/TraceCode.h"
#include "common/widgets/FormResources.h"
#include "common/widgets/MenuItems.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStyle>

#include <optional>

namespace {

// What the highlight is on, in the trace line.
enum HighlightFlags { kItem = 0, kSubmenu = 0x10, kSeparator = 0x800, kClosed = -1 };

// The caption as the help reads it: at most 19 characters, up to a TAB (a shortcut text).
std::optional<int> CaptionNumber(const QString &caption)
{
    const QString text = caption.left(19).section(QLatin1Char('\t'), 0, 0).trimmed();
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

} // namespace

CStatusBarHelp::CStatusBarHelp(QObject *parent) : QObject(parent) {}

void CStatusBarHelp::Create(QWidget *hWnd, qint16 DisplacementToAddResID)
{
    m_Window = hWnd;
    m_Displacement = DisplacementToAddResID;
    // Opening a menu of the bar highlights its title, as a submenu's title does.
    if (const auto *bar = hWnd->findChild<QMenuBar *>()) {
        for (QAction *title : bar->actions()) {
            if (QMenu *menu = title->menu())
                connect(menu, &QMenu::aboutToShow, this, [this, title] { TitleOpened(title); });
        }
    }
    for (QAction *item : MenuItems(hWnd)) {
        if (item->menu() != nullptr) {
            Watch(item->menu());
            continue;
        }
        const std::optional<int> number = CaptionNumber(item->text());
        const int help = number ? *number + m_Displacement : 0;
        // A full table, or a number beyond the table's range, leaves the item without help.
        if (number && help >= 1 && help <= 32767 && m_Table.size() < kMaxItems)
            m_Table.append({item, qint16(help)});
    }
}

void CStatusBarHelp::Watch(QMenu *menu)
{
    m_Menus.append(menu);
    connect(menu, &QMenu::hovered, this, &CStatusBarHelp::Highlighted);
    connect(menu, &QMenu::aboutToHide, this, &CStatusBarHelp::MenuHidden);
    // Separators and disabled items get no hover signal; the mouse over them still counts.
    menu->installEventFilter(this);
}

bool CStatusBarHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            QAction *item = menu->actionAt(static_cast<QMouseEvent *>(event)->position().toPoint());
            const bool hoverable =
                !item || (!item->isSeparator() &&
                          (item->isEnabled() ||
                           menu->style()->styleHint(QStyle::SH_Menu_AllowActiveAndDisabled, nullptr, menu)));
            if (!hoverable)
                Highlighted(item);
        }
    }
    return QObject::eventFilter(watched, event);
}

void CStatusBarHelp::Highlighted(QAction *item)
{
    // A submenu's highlight reaches its parent menus too; it counts once.
    if (item == m_LastItem)
        return;
    m_LastItem = item;
    const int flags = item->menu() != nullptr ? kSubmenu : item->isSeparator() ? kSeparator : kItem;
    const auto *menu = qobject_cast<const QMenu *>(item->parent());
    Trace(menu != nullptr ? menu->title() : QString(), item->property(kTagProperty).toInt(), flags);
    if (flags != kItem) {
        Raise(-1);
        return;
    }
    for (const Entry &entry : std::as_const(m_Table)) {
        if (entry.item == item) {
            g_Trace->BugMessage(QStringLiteral("Evento HelpID"));
            Raise(entry.help);
            return;
        }
    }
    if (m_Table.size() == kMaxItems)
        g_Trace->BugMessage(QStringLiteral("Non individuato l'item per l'Help sulla status bar"));
}

void CStatusBarHelp::TitleOpened(QAction *title)
{
    m_LastItem = title;
    Trace(QString(), title->property(kTagProperty).toInt(), kSubmenu);
    Raise(-1);
}

void CStatusBarHelp::MenuHidden()
{
    // A submenu closing, or moving from one menu of the bar to the next, leaves a menu open;
    // look once the hiding is done, and once for menus closing together.
    if (m_ClosePending)
        return;
    m_ClosePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_ClosePending = false;
            for (const auto &menu : std::as_const(m_Menus)) {
                if (menu && menu->isVisible())
                    return;
            }
            m_LastItem = nullptr;
            Trace(QStringLiteral("0"), 0, kClosed);
            Raise(0);
        },
        Qt::QueuedConnection);
}

void CStatusBarHelp::Trace(const QString &menu, int item, int flags) const
{
    g_Trace->BugMessage(QStringLiteral("hWnd=%1 hMenu=%2 ID=%3 Flags=%4")
                            .arg(m_Window ? m_Window->objectName() : QString(), menu)
                            .arg(item)
                            .arg(flags));
}

void CStatusBarHelp::Raise(qint16 id)
{
    Q_EMIT HelpID(id);
}
