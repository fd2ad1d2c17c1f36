#pragma once

#include "platform/widgets/NotificationIcon.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

// An icon with a tip in the desktop's notification area for as long as the object lives, bound
// to a window of the program. The serial link shows one while its port is open. Where the
// desktop has no notification area nothing is shown and nothing fails.
class CTrayIcon : public QObject
{
    Q_OBJECT

public:
    // The tip keeps at most this many characters, longer ones are cut.
    static constexpr int kTipLength = 63;

    explicit CTrayIcon(QObject *parent = nullptr);
    ~CTrayIcon() override;

    // Throws CError: the system error for code 6 when there is no window, for code 13 when
    // the icon is empty; nothing is shown then.
    void Create(QWidget *window, const QIcon &icon, const QString &tip);
    void Destroy();

    // The number the icon's mouse messages carry, unique to this object; 0 before Create.
    qint32 Message() const { return m_Message; }
    qint32 ID() const { return m_Message; }
    // Tip and icon change only between Create and Destroy; an empty icon is ignored.
    QString Tip() const { return m_Tip; }
    void SetTip(const QString &tip);
    QIcon Icon() const { return m_Icon; }
    void SetIcon(const QIcon &icon);
    bool IsShown() const { return m_Shell.IsShown(); }

Q_SIGNALS:
    // wParam is ID(), lParam the mouse message (CNotificationIcon::MouseMessages).
    void TrayMessage(qint32 wParam, qint32 lParam);

private:
    Platform::CNotificationIcon m_Shell;
    QPointer<QWidget> m_Window;
    bool m_Created = false;
    qint32 m_Message = 0;
    QString m_Tip;
    QIcon m_Icon;
};

// The icon a link window shows while its port is open: the serial-line picture with the
// program's name as its tip.
std::unique_ptr<CTrayIcon> MakeSerialLineTrayIcon(QWidget *window);
