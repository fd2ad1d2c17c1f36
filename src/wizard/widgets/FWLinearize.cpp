#include "wizard/widgets/FWLinearize.h"

#include "common/NumberFormat.h"
#include "common/ResString.h"
#include "common/TraceCode.h"
#include "common/widgets/MessageBox.h"
#include "platform/widgets/UpDownControl.h"
#include "wizard/widgets/MeasureSpinControl.h"

#include "ui_FWLinearize.h"

#include <QGridLayout>
#include <QLineEdit>

namespace {

constexpr int kTitleId = 473;
constexpr int kFallingInputsId = 798;
constexpr qint16 kFewestPoints = 2;
constexpr qint16 kSpinLimit = 9999;
constexpr int kRowsPerBlock = CLinearize::kPoints / 2;
constexpr int kSpinWidth = 100;
const QString kPlainFormat = QStringLiteral("###0");

QLineEdit *SpinBox(const QString &name, const QString &arrowsName, QWidget *parent, UpDownControl *&arrows)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFixedWidth(kSpinWidth);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    arrows = new UpDownControl(box);
    arrows->setObjectName(arrowsName);
    return box;
}

} // namespace

FWLinearize::FWLinearize(QWidget *parent) : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWLinearize>())
{
    m_Ui->setupUi(Body());
    m_NumSpezzate.Create(m_Ui->cmbNumSpezzate);
    for (qint16 count = kFewestPoints; count <= CLinearize::kPoints; ++count)
        m_NumSpezzate.AddText(FormatNumber(count, QStringLiteral("#0")), count);

    // Under the column headings of the form, one row per point: 0-7 on the left, 8-15 on the right.
    QWidget *body = Body();
    std::array<QLineEdit *, CLinearize::kPoints> in{}, out{};
    std::array<UpDownControl *, CLinearize::kPoints> inArrows{}, outArrows{};
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        const QString n = QString::number(i);
        in[i] =
            SpinBox(QStringLiteral("txtLinearizeIn") + n, QStringLiteral("UpDownIn") + n, body, inArrows[i]);
        out[i] = SpinBox(QStringLiteral("txtLinearizeOut") + n, QStringLiteral("UpDownOut") + n, body,
                         outArrows[i]);
        QGridLayout *block = i < kRowsPerBlock ? m_Ui->LeftBlock : m_Ui->RightBlock;
        block->addWidget(in[i], 1 + i % kRowsPerBlock, 0);
        block->addWidget(out[i], 1 + i % kRowsPerBlock, 1);
    }
    for (int i = 0; i < CLinearize::kPoints; ++i)
        m_LinearizeIn[i].Create(in[i], inArrows[i], -kSpinLimit, kSpinLimit, 1, 1, true);
    for (int i = 0; i < CLinearize::kPoints; ++i)
        m_LinearizeOut[i].Create(out[i], outArrows[i], -kSpinLimit, kSpinLimit, 1, 1, true);
    // The tab order runs down the left block, then down the right one, input before output.
    QWidget *previous = m_Ui->cmbNumSpezzate;
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        QWidget::setTabOrder(previous, in[i]);
        QWidget::setTabOrder(in[i], out[i]);
        previous = out[i];
    }
    connect(&m_NumSpezzate, &CComboBox::Change, this, &FWLinearize::NumSpezzate_Change);
}

FWLinearize::~FWLinearize() = default;

int FWLinearize::TitleId() const
{
    return kTitleId;
}

void FWLinearize::FormActivate()
{
    SetOutputSpinFormat();
    SetInputSpinRanges();
    CWizardDataPage::FormActivate();
}

void FWLinearize::SetOutputSpinFormat()
{
    const CMeasureSpin output = MeasureSpin(EMeasureValue::ScaleValue, Data());
    for (CTextSpin &spin : m_LinearizeOut)
        SetMeasureSpin(spin, output);
}

void FWLinearize::SetInputSpinRanges()
{
    const std::optional<ScaleRangeInfo> range = Data().GetScaleRange();
    if (!range) {
        g_Trace->BugMessage(QStringLiteral("Nessun campo elettrico per ModelloStrumento=%1 SlotA=%2 "
                                           "ProbeSelect=%3 Range=%4: ingressi in conteggi")
                                .arg(Data().ModelloStrumento())
                                .arg(Data().SlotA())
                                .arg(Data().ProbeSelect())
                                .arg(Data().Range()));
    }
    for (CTextSpin &spin : m_LinearizeIn) {
        spin.SetMin(Data().MinElectricScale());
        spin.SetMax(Data().MaxElectricScale());
        spin.SetMoltiplicatore(range ? float(range->Step) : 1.0f);
        spin.SetDataFormat(range ? range->Format : kPlainFormat);
        spin.SetUnitaMisura(range ? range->Unit : QString());
    }
}

int FWLinearize::RowsInUse() const
{
    return qBound(0, int(m_NumSpezzate.ItemData()), CLinearize::kPoints);
}

void FWLinearize::NumSpezzate_Change()
{
    const int rows = RowsInUse();
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        const bool inUse = i < rows;
        for (CTextSpin *spin : {&m_LinearizeIn[i], &m_LinearizeOut[i]}) {
            spin->SetEnabled(inUse);
            if (!inUse)
                spin->SetValue(0);
        }
    }
}

void FWLinearize::DataToControls()
{
    const qint16 count = Data().NumSpezzate();
    if (count < kFewestPoints || count > CLinearize::kPoints) {
        g_Trace->BugMessage(
            QStringLiteral(
                "NumSpezzate=%1 fuori da 2-16: righe limitate a quelle esistenti, numero conservato")
                .arg(count));
    }
    // Greys the rows past the count; every row then shows its stored point, the greyed ones too.
    m_NumSpezzate.SetItemData(count);
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        m_LinearizeIn[i].SetValue(Data().CoordinateIn(i));
        m_LinearizeOut[i].SetValue(Data().CoordinateOut(i));
    }
}

void FWLinearize::ControlsToData()
{
    Data().SetNumSpezzate(qint16(m_NumSpezzate.ItemData()));
    for (int i = 0; i < CLinearize::kPoints; ++i) {
        Data().SetCoordinateIn(i, m_LinearizeIn[i].Value());
        Data().SetCoordinateOut(i, m_LinearizeOut[i].Value());
    }
}

bool FWLinearize::ValidateData()
{
    const int rows = RowsInUse();
    for (int i = 1; i < rows; ++i) {
        if (m_LinearizeIn[i - 1].Value() > m_LinearizeIn[i].Value()) {
            ShowMessage(this,
                        {QMessageBox::Critical, QString(), LoadResString(kFallingInputsId), QMessageBox::Ok});
            return false;
        }
    }
    return true;
}
