#include "model/SerialComm.h"

#include "common/NumberFormat.h"
#include "common/ResString.h"

CSerialComm::CSerialComm() : CConfigClass(QStringLiteral("CSerialComm")) {}

void CSerialComm::SetReport(CReportRecordset &report) const
{
    report.AddRow(LoadResString(5350), FormatNumber(m_NetworkAdd, QStringLiteral("##0")));
    report.AddRow(LoadResString(5351), ChoiceText(5352, 4, m_BaudRate));
}

void CSerialComm::VisitColumns(CColumnVisitor &visitor)
{
    visitor.Column(QStringLiteral("m_NetworkAdd"), m_NetworkAdd);
    visitor.Column(QStringLiteral("m_BaudRate"), m_BaudRate);
}

void CSerialComm::CopyFrom(const CConfigClass &source)
{
    const auto &from = static_cast<const CSerialComm &>(source);
    SetNetworkAdd(from.NetworkAdd());
    SetBaudRate(from.BaudRate());
}
