#include "model/ModInstr.h"

#include "common/ResString.h"

CModInstr::CModInstr() : CConfigClass(QStringLiteral("CModInstr")), m_NomeProgramma(LoadResString(383)) {}

qint16 CModInstr::CodificaModuli() const
{
    quint16 word = 0;
    if (m_ModelloStrumento == 1)
        word |= 0x8000;
    else if (m_ModelloStrumento == 2)
        word |= 0xC000;
    word |= quint16(quint16(m_SlotA) << 10);
    if (m_SlotB == 3 || m_SlotC == 4 || m_SlotD == 1)
        word |= 0x0010;
    switch (m_SlotC) {
    case 1:
        word |= 0x0001;
        break;
    case 2:
        word |= 0x0003;
        break;
    case 3:
        word |= 0x000F;
        break;
    }
    if (m_SlotB == 1)
        word |= 0x0200;
    else if (m_SlotB == 2)
        word |= 0x0100;
    return qint16(word);
}

void CModInstr::SetCodificaModuli(qint16 value)
{
    const quint16 word = quint16(value);
    switch (word & 0xE000) {
    case 0xC000:
        m_ModelloStrumento = 2;
        break;
    case 0x8000:
        m_ModelloStrumento = 1;
        break;
    default:
        m_ModelloStrumento = 0;
        break;
    }
    m_SlotA = qint16((word & 0x0C00) >> 10);
    switch (word & 0x000F) {
    case 0x1:
        m_SlotC = 1;
        break;
    case 0x3:
        m_SlotC = 2;
        break;
    case 0xF:
        m_SlotC = 3;
        break;
    default:
        m_SlotC = 0;
        break;
    }
    switch (word & 0x0300) {
    case 0x0100:
        m_SlotB = 2;
        break;
    case 0x0200:
        m_SlotB = 1;
        break;
    default:
        m_SlotB = 0;
        break;
    }
    if (word & 0x0010) {
        if (m_ModelloStrumento == 2)
            m_SlotD = 1;
        else if (m_SlotC == 0)
            m_SlotC = 4;
        else
            m_SlotB = 3;
    }
}

void CModInstr::SetReport(CReportRecordset &report) const
{
    report.AddRow(LoadResString(5381), m_NomeProgramma);
    report.AddRow(LoadResString(5360), ChoiceText(5361, 3, m_ModelloStrumento));
    report.AddRow(LoadResString(5364), ChoiceText(5365, 4, m_SlotA));
    report.AddRow(LoadResString(5376), ChoiceText(5377, 4, m_SlotB));
    report.AddRow(LoadResString(5369), ChoiceText(5370, 5, m_SlotC));
    if (m_ModelloStrumento == 2)
        report.AddRow(LoadResString(5384), ChoiceText(5385, 2, m_SlotD));
}

void CModInstr::VisitColumns(CColumnVisitor &visitor)
{
    visitor.Column(QStringLiteral("m_NomeProgramma"), m_NomeProgramma);
    visitor.Column(QStringLiteral("m_ModelloStrumento"), m_ModelloStrumento);
    visitor.Column(QStringLiteral("m_SlotA"), m_SlotA);
    visitor.Column(QStringLiteral("m_SlotB"), m_SlotB);
    visitor.Column(QStringLiteral("m_SlotC"), m_SlotC);
    visitor.Column(QStringLiteral("m_SlotD"), m_SlotD);
}

void CModInstr::CopyFrom(const CConfigClass &source)
{
    const auto &from = static_cast<const CModInstr &>(source);
    SetNomeProgramma(from.NomeProgramma());
    SetModelloStrumento(from.ModelloStrumento());
    SetSlotA(from.SlotA());
    SetSlotB(from.SlotB());
    SetSlotC(from.SlotC());
    SetSlotD(from.SlotD());
}
