#pragma once

#include "support/InstrumentSimulator.h"
#include "support/SimAuxProtocol.h"

#include <memory>

// A serial line with one instrument that speaks the auxiliary interface at 9600 baud,
// attached as COM<nCom> of the program's settings (so the user folders must be in place).
class SimAuxLine
{
public:
    explicit SimAuxLine(int nCom = 1) : m_Aux(new SimAuxProtocol), m_Line(std::unique_ptr<SimProtocol>(m_Aux))
    {
        m_Line.AttachAsPort(nCom);
        m_Line.AddInstrument(1, 9600);
    }

    SimAuxProtocol &Aux() { return *m_Aux; }
    InstrumentSimulator &Line() { return m_Line; }

private:
    SimAuxProtocol *m_Aux; // owned by m_Line
    InstrumentSimulator m_Line;
};
