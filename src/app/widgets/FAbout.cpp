#include "app/widgets/FAbout.h"

#include "app/widgets/AppImages.h"
#include "common/ResString.h"
#include "common/widgets/FormResources.h"
#include "ui_FAbout.h"

FAbout::FAbout(QWidget *parent) : QDialog(parent), ui(new Ui::FAbout)
{
    ui->setupUi(this);
    ui->picApplication->setPixmap(AppImage(QStringLiteral("LogoApplication")));
    ui->picMerovan->setPixmap(AppImage(QStringLiteral("LogoMerovan")));
    SetControlsFont(this);
    LoadCaptionResources(this);
    QFont title = ui->lblTitle_0->font();
    title.setPointSize(14);
    ui->lblTitle_0->setFont(title);
    ui->cmdOK->setText(LoadResString(2004));
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The wrapped texts take the width the form was designed with and the height they need.
    resize(width(), heightForWidth(width()) > 0 ? heightForWidth(width()) : sizeHint().height());
}

FAbout::~FAbout() = default;
