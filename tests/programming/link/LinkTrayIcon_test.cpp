// The notification-area icon and how the link shows it while its port is open.
#include "Link_fixture.h"

#include "common/Error.h"
#include "common/widgets/TrayIcon.h"

#include <QApplication>
#include <QPointer>
#include <QStyle>

namespace {

QIcon SomeIcon()
{
    return QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon);
}

qint32 WindowsErrorNumber(qint32 code)
{
    return code + kWindowsErrorOffset + kObjectErrorBase;
}

TEST(TrayIcon, CreateRefusesAMissingWindowOrIcon)
{
    QWidget window;
    CTrayIcon icon;
    const std::pair<QWidget *, QIcon> refused[] = {{nullptr, SomeIcon()}, {&window, QIcon()}};
    const qint32 expected[] = {WindowsErrorNumber(6), WindowsErrorNumber(13)};
    for (int i = 0; i < 2; ++i) {
        try {
            icon.Create(refused[i].first, refused[i].second, QStringLiteral("IxoSoft"));
            ADD_FAILURE() << "case " << i << " accepted";
        } catch (const CError &error) {
            EXPECT_EQ(error.Number(), expected[i]);
        }
        EXPECT_FALSE(icon.IsShown());
    }
}

TEST(TrayIcon, TipAndIconChangeOnlyWhileCreated)
{
    QWidget window;
    CTrayIcon icon;
    icon.Create(&window, SomeIcon(), QString(70, 'a'));
    EXPECT_EQ(icon.Tip(), QString(CTrayIcon::kTipLength, 'a'));
    EXPECT_NE(icon.Message(), 0);
    EXPECT_EQ(icon.ID(), icon.Message());
    CTrayIcon other;
    other.Create(&window, SomeIcon(), QString());
    EXPECT_NE(other.Message(), icon.Message());

    const qint64 picture = icon.Icon().cacheKey();
    icon.SetIcon(QIcon()); // not a picture: ignored
    EXPECT_EQ(icon.Icon().cacheKey(), picture);
    icon.SetTip(QStringLiteral("link"));
    EXPECT_EQ(icon.Tip(), QStringLiteral("link"));

    icon.Destroy();
    icon.SetTip(QStringLiteral("after"));
    icon.SetIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    EXPECT_EQ(icon.Tip(), QStringLiteral("link"));
    EXPECT_EQ(icon.Icon().cacheKey(), picture);
}

using LinkTrayIcon = LinkFixture;

TEST_F(LinkTrayIcon, ShownWhileThePortIsOpen)
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
    EXPECT_FALSE(link.IsTrayIconShown());
    EXPECT_TRUE(shown.isNull()); // released, so gone from the notification area
}

TEST_F(LinkTrayIcon, NoIconOrAFailingOneNeverStopsTheLink)
{
    link.Create();
    EXPECT_TRUE(Open());
    EXPECT_FALSE(link.IsTrayIconShown());
    link.CloseRs232();
    link.Create([] { return MakeSerialLineTrayIcon(nullptr); });
    EXPECT_TRUE(Open());
    EXPECT_FALSE(link.IsTrayIconShown());
}

} // namespace
