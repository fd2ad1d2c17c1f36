#include "model/ModInstr.h"

#include "common/ResString.h"
#include "model/ModuleCodes.h"

using namespace ModuleCodeBits;

CModInstr::CModInstr() : CConfigClass(QStringLiteral("CModInstr")), m_NomeProgramma(LoadResString(383)) {}

bool CModInstr::IsQEM(qint16 codificaModuli)
{
    return (quint16(codificaModuli) & SlotAMask) == (quint16(SlotAModule::QEM) << SlotAShift);
}

qint16 CModInstr::CodificaModuli() const
{
    quint16 word = 0;
    if (m_ModelloStrumento == Modello::EKA40)
        word |= ModelEKA40;
    else if (m_ModelloStrumento == Modello::IXO)
        word |= ModelIXO;
    word |= quint16(quint16(m_SlotA) << SlotAShift);
    if (m_SlotB == SlotBModule::KQ || m_SlotC == SlotCModule::KQ || m_SlotD == SlotDModule::KQ)
        word |= KQFitted;
    switch (m_SlotC) {
    case SlotCModule::Z3:
        word |= RelayZ3;
        break;
    case SlotCModule::Z5:
        word |= RelayZ5;
        break;
    case SlotCModule::Z8Z9:
        word |= RelayZ8Z9;
        break;
    }
    if (m_SlotB == SlotBModule::QZ)
        word |= SlotBQZ;
    else if (m_SlotB == SlotBModule::ZQ)
        word |= SlotBZQ;
    return qint16(word);
}

void CModInstr::SetCodificaModuli(qint16 value)
{
    const quint16 word = quint16(value);
    switch (word & ModelMask) {
    case ModelIXO:
        m_ModelloStrumento = Modello::IXO;
        break;
    case ModelEKA40:
        m_ModelloStrumento = Modello::EKA40;
        break;
    default:
        m_ModelloStrumento = Modello::EKA35;
        break;
    }
    m_SlotA = qint16((word & SlotAMask) >> SlotAShift);
    switch (word & RelayMask) {
    case RelayZ3:
        m_SlotC = SlotCModule::Z3;
        break;
    case RelayZ5:
        m_SlotC = SlotCModule::Z5;
        break;
    case RelayZ8Z9:
        m_SlotC = SlotCModule::Z8Z9;
        break;
    default:
        m_SlotC = SlotCModule::None;
        break;
    }
    switch (word & SlotBMask) {
    case SlotBZQ:
        m_SlotB = SlotBModule::ZQ;
        break;
    case SlotBQZ:
        m_SlotB = SlotBModule::QZ;
        break;
    default:
        m_SlotB = SlotBModule::None;
        break;
    }
    if (word & KQFitted) {
        if (m_ModelloStrumento == Modello::IXO)
            m_SlotD = SlotDModule::KQ;
        else if (m_SlotC == SlotCModule::None)
            m_SlotC = SlotCModule::KQ;
        else
            m_SlotB = SlotBModule::KQ;
    }
}

void CModInstr::SetReport(CReportRecordset &report) const
{
    report.AddRow(LoadResString(5381), m_NomeProgramma);
    report.AddRow(LoadResString(5360), ChoiceText(5361, 3, m_ModelloStrumento));
    report.AddRow(LoadResString(5364), ChoiceText(5365, 4, m_SlotA));
    report.AddRow(LoadResString(5376), ChoiceText(5377, 4, m_SlotB));
    report.AddRow(LoadResString(5369), ChoiceText(5370, 5, m_SlotC));
    if (m_ModelloStrumento == Modello::IXO)
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
