// The notification-area icon and how the link shows it while its port is open.
#include "support/LinkFixtures.h"

#include "common/Error.h"
#include "common/widgets/TrayIcon.h"

#include <QApplication>
#include <QPointer>
#include <QStyle>

namespace {

QIcon SomeIcon(QStyle::StandardPixmap which = QStyle::SP_DriveNetIcon)
{
    return QApplication::style()->standardIcon(which);
}

TEST(TrayIcon, RefusesBadInputAndIgnoresChangesOnceDestroyed)
{
    QWidget window;
    CTrayIcon icon;
    EXPECT_THROW(icon.Create(nullptr, SomeIcon(), QString()), CError);
    EXPECT_THROW(icon.Create(&window, QIcon(), QString()), CError);
    EXPECT_FALSE(icon.IsShown());
    icon.Create(&window, SomeIcon(), QString(70, 'a'));
    EXPECT_EQ(icon.Tip().size(), CTrayIcon::kTipLength);
    const qint64 picture = icon.Icon().cacheKey();
    icon.SetIcon(QIcon()); // not a picture: ignored
    icon.Destroy();
    icon.SetTip(QStringLiteral("after"));
    icon.SetIcon(SomeIcon(QStyle::SP_ComputerIcon));
    EXPECT_EQ(icon.Tip(), QString(CTrayIcon::kTipLength, 'a'));
    EXPECT_EQ(icon.Icon().cacheKey(), picture);
}

using LinkTrayIcon = LinkFixture;

TEST_F(LinkTrayIcon, ShownOnlyWhileThePortIsOpen)
{
    QWidget window;
    QPointer<QObject> shown;
    link.Create([&] {
        std::unique_ptr<QObject> icon = MakeSerialLineTrayIcon(&window);
        shown = icon.get();
        return icon;
    });
    ASSERT_TRUE(Open());
    EXPECT_TRUE(link.IsTrayIconShown());
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(qobject_cast<CTrayIcon *>(shown.data())->Tip(), QStringLiteral("IxoSoft"));
    link.CloseRs232();
    EXPECT_TRUE(shown.isNull()); // released, so gone from the notification area
    // A failing icon never stops the link.
    link.Create([] { return MakeSerialLineTrayIcon(nullptr); });
    EXPECT_TRUE(Open());
    EXPECT_FALSE(link.IsTrayIconShown());
}

} // namespace
