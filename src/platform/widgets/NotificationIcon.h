#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

namespace Platform {

// One icon in the desktop's notification area, over QSystemTrayIcon. A desktop without a
// notification area is no failure: Add() then reports false and nothing is shown.
class CNotificationIcon : public QObject
{
    Q_OBJECT

public:
    // Mouse messages as the notification reports them (the codes of the shell's messages).
    enum MouseMessages : qint32 {
        mmLeftButtonUp = 0x0202,
        mmLeftButtonDoubleClick = 0x0203,
        mmRightButtonUp = 0x0205,
        mmMiddleButtonUp = 0x0208,
    };

    explicit CNotificationIcon(QObject *parent = nullptr);
    ~CNotificationIcon() override;

    static bool IsAvailable();

    // Shows the icon with its tip; false when the desktop has no notification area.
    bool Add(const QIcon &icon, const QString &tip);
    void SetTip(const QString &tip);
    void SetIcon(const QIcon &icon);
    void Delete();
    bool IsShown() const;

Q_SIGNALS:
    void MouseMessage(qint32 message);

private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);

    std::unique_ptr<QSystemTrayIcon> m_Icon;
};

} // namespace Platform
