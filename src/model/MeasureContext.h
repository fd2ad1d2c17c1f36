#pragma once

#include <QtGlobal>

// Context of the classes whose values are counts of the measure scale (filter, alarms,
// linearization): the scale's decimal point and limits from CInOutScale, the model from
// CModInstr and the display mode from CDisplay. Never stored; copied like the other values.
class CMeasureContext
{
public:
    // 0-3, places after the decimal point of the displayed value.
    qint16 MeasureDigitalPoint() const { return m_MeasureDigitalPoint; }
    qint16 MinMeasureScale() const { return m_MinMeasureScale; }
    qint16 MaxMeasureScale() const { return m_MaxMeasureScale; }
    // 0 EKA 35, 1 EKA 40, 2 IXO.
    qint16 ModelloStrumento() const { return m_ModelloStrumento; }
    // 0 "1999", 1 "9990".
    qint16 DisplayDigit() const { return m_DisplayDigit; }
    void SetMeasureDigitalPoint(qint16 value) { m_MeasureDigitalPoint = value; }
    void SetMinMeasureScale(qint16 value) { m_MinMeasureScale = value; }
    void SetMaxMeasureScale(qint16 value) { m_MaxMeasureScale = value; }
    void SetModelloStrumento(qint16 value) { m_ModelloStrumento = value; }
    void SetDisplayDigit(qint16 value) { m_DisplayDigit = value; }

protected:
    void CopyMeasureContext(const CMeasureContext &from) { *this = from; }

private:
    qint16 m_MeasureDigitalPoint = 0;
    qint16 m_MinMeasureScale = 0;
    qint16 m_MaxMeasureScale = 0;
    qint16 m_ModelloStrumento = 0;
    qint16 m_DisplayDigit = 0;
};
