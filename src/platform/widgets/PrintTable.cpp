#include "platform/widgets/PrintTable.h"

#include <QPrinter>

namespace Platform {

CPrintTable::CPrintTable(QWidget *parent) : QWidget(parent)
{
    // Shown only while it prints, in the list's place.
    setVisible(false);
}

CPrintTable::~CPrintTable() = default;

void CPrintTable::InitLayout(qint16 top, qint16 left, qint16 bottom, qint16 right)
{
    m_Margins = QMarginsF(left, top, right, bottom);
}

bool CPrintTable::StartPrint()
{
    if (m_Busy)
        return false;
    m_Busy = true;
    try {
        PrintOnce();
    } catch (...) {
        Finish();
        throw;
    }
    Finish();
    return true;
}

void CPrintTable::PrintOnce()
{
    const std::unique_ptr<QPrinter> printer = m_PrinterSource ? m_PrinterSource() : nullptr;
    if (!printer || !m_Content)
        return;
    printer->setDocName(m_ProgramName);
    printer->setCreator(QStringLiteral("%1 %2").arg(m_ProgramName).arg(m_ProgramRevision));
    m_Content(*printer, *this);
}

void CPrintTable::Finish()
{
    m_Busy = false;
    Q_EMIT PrintEnd();
}

} // namespace Platform
