#include "app/widgets/print/FOption.h"

#include "app/FileDialogFilter.h"
#include "app/widgets/FileDialog.h"
#include "common/ResString.h"
#include "common/TraceCode.h"

#include "ui_FOption.h"

namespace {

constexpr int kCaptionId = 700;
constexpr int kPictureTitleId = 703;
constexpr int kPictureFileType = 706;

void Enable(const QList<QWidget *> &controls, bool enabled)
{
    for (QWidget *control : controls)
        control->setEnabled(enabled);
}

} // namespace

FOption::FOption(QWidget *parent) : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FOption>())
{
    m_Ui->setupUi(Body());
    connect(m_Ui->chkIntestazione, &QCheckBox::clicked, this, &FOption::chkIntestazione_Click);
    connect(m_Ui->chkNote, &QCheckBox::clicked, this, &FOption::chkNote_Click);
    connect(m_Ui->cmdCercaIntestazione, &QPushButton::clicked, this, &FOption::cmdCercaIntestazione_Click);
}

FOption::~FOption() = default;

void FOption::FormLoad()
{
    g_Trace->BugMessage(QStringLiteral("Load form:") + LoadResString(kCaptionId));
    setWindowTitle(LoadResString(kCaptionId));
    m_ChosenPicture.clear();
}

void FOption::FormActivate()
{
    DataToControls();
    UpdateWizardButtonsSettingDefault();
}

void FOption::DataToControls()
{
    m_Ui->chkIntestazione->setChecked(Data().PrintHeaderPage());
    chkIntestazione_Click();
    m_Ui->txtPathIntestazione->setText(Data().HeaderPagePath());
    m_Ui->chkNote->setChecked(Data().PrintNotePiePagina());
    chkNote_Click();
    m_Ui->txtNota1->setText(Data().NotePiePagina1());
    m_Ui->txtNota2->setText(Data().NotePiePagina2());
    m_Ui->chkNumPagine->setChecked(Data().PrintPageNumber());
}

void FOption::ControlsToData()
{
    Data().SetPrintHeaderPage(m_Ui->chkIntestazione->isChecked());
    Data().SetHeaderPagePath(m_Ui->txtPathIntestazione->text());
    Data().SetPrintNotePiePagina(m_Ui->chkNote->isChecked());
    Data().SetNotePiePagina1(m_Ui->txtNota1->text());
    Data().SetNotePiePagina2(m_Ui->txtNota2->text());
    Data().SetPrintPageNumber(m_Ui->chkNumPagine->isChecked());
}

void FOption::chkIntestazione_Click()
{
    Enable({m_Ui->frmPercorsoIntestazione, m_Ui->txtPathIntestazione, m_Ui->cmdCercaIntestazione},
           m_Ui->chkIntestazione->isChecked());
}

void FOption::chkNote_Click()
{
    Enable({m_Ui->frmNote, m_Ui->txtNota1, m_Ui->txtNota2}, m_Ui->chkNote->isChecked());
}

void FOption::cmdCercaIntestazione_Click()
{
    // On the picture chosen last in this showing, else on the one in the box; the folder must
    // be there, the file is the user's affair, as a path typed by hand is.
    const QString shown = m_ChosenPicture.isEmpty() ? m_Ui->txtPathIntestazione->text() : m_ChosenPicture;
    const QString chosen =
        ChooseFile(this, {EFileRole::HeaderPicture, false, true, LoadResString(kPictureTitleId),
                          FileDialogFilter(kPictureFileType), QString(), shown});
    if (chosen.isEmpty())
        return;
    m_ChosenPicture = chosen;
    m_Ui->txtPathIntestazione->setText(m_ChosenPicture);
    m_Ui->txtPathIntestazione->setFocus();
}
