#include "app/widgets/FSplash.h"

#include "app/widgets/AppImages.h"
#include "common/widgets/FormResources.h"
#include "ui_FSplash.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

void SetPointSize(QWidget *control, int points)
{
    QFont font = control->font();
    font.setPointSize(points);
    control->setFont(font);
}

} // namespace

FSplash::FSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), ui(new Ui::FSplash)
{
    ui->setupUi(this);
    ui->picApplication->setPixmap(AppImage(QStringLiteral("LogoApplication")));
    ui->picMerovan->setPixmap(AppImage(QStringLiteral("LogoMerovan")));
    SetControlsFont(this);
    LoadCaptionResources(this);
    SetPointSize(ui->lblTitle_0, 14);
    SetPointSize(ui->lblTitle_1, 11);
    SetPointSize(ui->lblVersion, 12);
    SetPointSize(ui->lblPlatform, 12);

    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect place(QPoint(), size());
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
}

FSplash::~FSplash() = default;
