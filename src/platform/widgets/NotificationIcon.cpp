#include "platform/widgets/NotificationIcon.h"

namespace Platform {

CNotificationIcon::CNotificationIcon(QObject *parent) : QObject(parent) {}

CNotificationIcon::~CNotificationIcon()
{
    Delete();
}

bool CNotificationIcon::IsAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool CNotificationIcon::Add(const QIcon &icon, const QString &tip)
{
    if (!IsAvailable())
        return false;
    if (!m_Icon) {
        m_Icon = std::make_unique<QSystemTrayIcon>();
        connect(m_Icon.get(), &QSystemTrayIcon::activated, this, &CNotificationIcon::OnActivated);
    }
    m_Icon->setIcon(icon);
    m_Icon->setToolTip(tip);
    m_Icon->show();
    return true;
}

void CNotificationIcon::SetTip(const QString &tip)
{
    if (m_Icon)
        m_Icon->setToolTip(tip);
}

void CNotificationIcon::SetIcon(const QIcon &icon)
{
    if (m_Icon)
        m_Icon->setIcon(icon);
}

void CNotificationIcon::Delete()
{
    if (!m_Icon)
        return;
    m_Icon->hide();
    m_Icon.reset();
}

bool CNotificationIcon::IsShown() const
{
    return m_Icon && m_Icon->isVisible();
}

void CNotificationIcon::OnActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        Q_EMIT MouseMessage(mmLeftButtonUp);
        break;
    case QSystemTrayIcon::DoubleClick:
        Q_EMIT MouseMessage(mmLeftButtonDoubleClick);
        break;
    case QSystemTrayIcon::Context:
        Q_EMIT MouseMessage(mmRightButtonUp);
        break;
    case QSystemTrayIcon::MiddleClick:
        Q_EMIT MouseMessage(mmMiddleButtonUp);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}

} // namespace Platform
