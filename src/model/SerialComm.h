#pragma once

#include "model/ConfigClass.h"

// The instrument's own serial module (ZQ or QZ in slot B): its network address and baud rate.
class CSerialComm : public CConfigClass
{
public:
    CSerialComm();

    // 1-255.
    qint16 NetworkAdd() const { return m_NetworkAdd; }
    // 0 4800, 1 9600, 2 19200, 3 38400 baud.
    qint16 BaudRate() const { return m_BaudRate; }
    void SetNetworkAdd(qint16 value) { m_NetworkAdd = value; }
    void SetBaudRate(qint16 value) { m_BaudRate = value; }

    void SetReport(CReportRecordset &report) const override;

protected:
    void VisitColumns(CColumnVisitor &visitor) override;
    void CopyFrom(const CConfigClass &source) override;

private:
    qint16 m_NetworkAdd = 1;
    qint16 m_BaudRate = 0;
};
