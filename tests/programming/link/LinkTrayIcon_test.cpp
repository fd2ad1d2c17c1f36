// The notification-area icon and how the link shows it while its port is open.
#include "support/LinkFixtures.h"

#include "common/Error.h"
#include "common/widgets/TrayIcon.h"

#include <QApplication>
#include <QPointer>
#include <QStyle>

namespace {

TEST(TrayIcon, RefusesBadInputAndIgnoresChangesOnceDestroyed)
{
    QWidget window;
    CTrayIcon icon;
    const QIcon picture = QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon);
    EXPECT_THROW(icon.Create(nullptr, picture, QString()), CError);
    EXPECT_THROW(icon.Create(&window, QIcon(), QString()), CError);
    EXPECT_FALSE(icon.IsShown());
    icon.Create(&window, picture, QString(70, 'a'));
    icon.SetIcon(QIcon()); // not a picture: ignored
    icon.Destroy();
    icon.SetTip(QStringLiteral("after"));
    icon.SetIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    EXPECT_EQ(std::pair(icon.Tip(), icon.Icon().cacheKey()),
              std::pair(QString(CTrayIcon::kTipLength, 'a'), picture.cacheKey()));
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
    ASSERT_TRUE(link.IsTrayIconShown() && shown);
    EXPECT_EQ(qobject_cast<CTrayIcon *>(shown.data())->Tip(), QStringLiteral("IxoSoft"));
    link.CloseRs232();
    EXPECT_TRUE(shown.isNull()); // released, so gone from the notification area
    // A failing icon never stops the link.
    link.Create([] { return MakeSerialLineTrayIcon(nullptr); });
    EXPECT_TRUE(Open());
    EXPECT_FALSE(link.IsTrayIconShown());
}

} // namespace
