#pragma once

#include "model/ConfigClass.h"

// The head of a configuration: its name, the instrument model and the module of each slot,
// and their 16-bit module code word.
//   model IXO, QEM in A, QZ in B, Z8/Z9 in C, KQ in D  <-> CodificaModuli 0xCE1F
// The word has no slot for a KQ module, only bit 4; decoding puts it in slot D on model IXO,
// else in slot C when that holds no relay module, else in slot B.
class CModInstr : public CConfigClass
{
public:
    CModInstr();

    QString NomeProgramma() const { return m_NomeProgramma; }
    void SetNomeProgramma(const QString &value) { m_NomeProgramma = value; }
    // 0 EKA 35, 1 EKA 40, 2 IXO.
    qint16 ModelloStrumento() const { return m_ModelloStrumento; }
    // 0 VAB, 1 VAK/VAM, 2 ZOB, 3 QEM.
    qint16 SlotA() const { return m_SlotA; }
    // 0 none, 1 QZ, 2 ZQ, 3 KQ.
    qint16 SlotB() const { return m_SlotB; }
    // 0 none, 1 Z3, 2 Z5, 3 Z8/Z9, 4 KQ.
    qint16 SlotC() const { return m_SlotC; }
    // 0 none, 1 KQ.
    qint16 SlotD() const { return m_SlotD; }
    void SetModelloStrumento(qint16 value) { m_ModelloStrumento = value; }
    void SetSlotA(qint16 value) { m_SlotA = value; }
    void SetSlotB(qint16 value) { m_SlotB = value; }
    void SetSlotC(qint16 value) { m_SlotC = value; }
    void SetSlotD(qint16 value) { m_SlotD = value; }

    qint16 CodificaModuli() const;
    // Sets model and slots A-C from the word; slot D only through bit 4 on model IXO.
    void SetCodificaModuli(qint16 word);
    // Slot A holds QEM: the word selects the QEM memory map.
    static bool IsQEM(qint16 codificaModuli);

    void SetReport(CReportRecordset &report) const override;

protected:
    void VisitColumns(CColumnVisitor &visitor) override;
    void CopyFrom(const CConfigClass &source) override;

private:
    QString m_NomeProgramma;
    qint16 m_ModelloStrumento = 1;
    qint16 m_SlotA = 0;
    qint16 m_SlotB = 0;
    qint16 m_SlotC = 0;
    qint16 m_SlotD = 0;
};
