#include "wizard/widgets/FWSerialComm.h"

#include "ui_FWSerialComm.h"

namespace {

constexpr int kTitleId = 356;
constexpr qint16 kNetworkAddMin = 1;
constexpr qint16 kNetworkAddMax = 255;

} // namespace

FWSerialComm::FWSerialComm(QWidget *parent)
    : CWizardDataPage(parent), m_Ui(std::make_unique<Ui::FWSerialComm>())
{
    m_Ui->setupUi(Body());
    m_NetworkAdd.Create(m_Ui->txtNetworkAdd, m_Ui->UpDown1, kNetworkAddMin, kNetworkAddMax, 1, 1, true,
                        false);
    m_BaudRate.Create(m_Ui->BaudRate);
    for (QRadioButton *option :
         {m_Ui->optBaudRate0, m_Ui->optBaudRate1, m_Ui->optBaudRate2, m_Ui->optBaudRate3})
        m_BaudRate.AddOptionButton(option);
}

FWSerialComm::~FWSerialComm() = default;

int FWSerialComm::TitleId() const
{
    return kTitleId;
}

void FWSerialComm::DataToControls()
{
    m_NetworkAdd.SetValue(Data().NetworkAdd());
    m_BaudRate.SetValue(Data().BaudRate());
}

void FWSerialComm::ControlsToData()
{
    Data().SetNetworkAdd(m_NetworkAdd.Value());
    Data().SetBaudRate(m_BaudRate.Value());
}
