#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QWidget;

// The help line numbers of a window's menus for its status bar. Create reads the menu bar
// while the item texts are still string-table numbers and gives each numeric item the help
// number caption + displacement (at most 101 items, depth first); from then on HelpID tells
// what the user highlights: the item's help number, -1 for a submenu title, a separator or a
// menu of the bar opening, 0 when the menus close. An item missing from the table raises nothing.
//   Create(mainWindow, 200); item "1011" highlighted -> HelpID(1211)
class CStatusBarHelp : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxItems = 101;

    explicit CStatusBarHelp(QObject *parent = nullptr);

    void Create(QWidget *hWnd, qint16 DisplacementToAddResID);

Q_SIGNALS:
    void HelpID(qint16 &Id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        QPointer<QAction> item;
        qint16 help;
    };

    void Watch(QMenu *menu);
    void Highlighted(QAction *item);
    void TitleOpened(QAction *title);
    void MenuHidden();
    void Trace(const QString &menu, int item, int flags) const;
    void Raise(qint16 id);

    QPointer<QWidget> m_Window;
    qint16 m_Displacement = 0;
    QList<Entry> m_Table;
    QList<QPointer<QMenu>> m_Menus;
    QPointer<QAction> m_LastItem;
    bool m_ClosePending = false;
};
