#include "common/widgets/TrayIcon.h"

#include "common/Error.h"
#include "platform/UserPaths.h"

#include <QApplication>
#include <QStyle>

namespace {

// Numbers in the range the shell gives to private window messages, one per icon object.
qint32 NextMessageNumber()
{
    static qint32 next = 0xC000;
    return next++;
}

} // namespace

CTrayIcon::CTrayIcon(QObject *parent) : QObject(parent)
{
    connect(&m_Shell, &Platform::CNotificationIcon::MouseMessage, this,
            [this](qint32 message) { Q_EMIT TrayMessage(m_Message, message); });
}

CTrayIcon::~CTrayIcon()
{
    Destroy();
}

void CTrayIcon::Create(QWidget *window, const QIcon &icon, const QString &tip)
{
    if (window == nullptr)
        RaiseWindowsError(6);
    if (icon.isNull())
        RaiseWindowsError(13);
    Destroy();
    m_Window = window;
    m_Message = NextMessageNumber();
    m_Created = true;
    m_Icon = icon;
    m_Tip = tip.left(kTipLength);
    m_Shell.Add(m_Icon, m_Tip);
}

void CTrayIcon::Destroy()
{
    if (!m_Created)
        return;
    m_Shell.Delete();
    m_Window = nullptr;
    m_Created = false;
}

void CTrayIcon::SetTip(const QString &tip)
{
    if (!m_Window)
        return;
    m_Tip = tip.left(kTipLength);
    m_Shell.SetTip(m_Tip);
}

void CTrayIcon::SetIcon(const QIcon &icon)
{
    if (!m_Window || icon.isNull())
        return;
    m_Icon = icon;
    m_Shell.SetIcon(m_Icon);
}

std::unique_ptr<CTrayIcon> MakeSerialLineTrayIcon(QWidget *window)
{
    auto trayIcon = std::make_unique<CTrayIcon>();
    const QIcon picture = QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon);
    trayIcon->Create(window, picture, QString::fromLatin1(Platform::kApplicationName));
    return trayIcon;
}
