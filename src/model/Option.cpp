#include "model/Option.h"

#include "common/TraceCode.h"

COption::COption()
{
    g_Trace->BugMessage(QStringLiteral("Class_Initialize() COption"));
}

void COption::Copy(const COption &from, COption &to)
{
    to.m_bPrintHeaderPage = from.m_bPrintHeaderPage;
    to.m_HeaderPagePath = from.m_HeaderPagePath;
    to.m_bPrintNotePiePagina = from.m_bPrintNotePiePagina;
    to.m_NotePiePagina1 = from.m_NotePiePagina1;
    to.m_NotePiePagina2 = from.m_NotePiePagina2;
    to.m_bPrintPageNumber = from.m_bPrintPageNumber;
}

void COption::LoadData(const QString &nomeFile)
{
    ICopyClass::LoadData(nomeFile);
    LoadVariable(QStringLiteral("m_bPrintHeaderPage"), m_bPrintHeaderPage, ClassName());
    LoadVariable(QStringLiteral("m_HeaderPagePath"), m_HeaderPagePath, ClassName());
    LoadVariable(QStringLiteral("m_bPrintNotePiePagina"), m_bPrintNotePiePagina, ClassName());
    LoadVariable(QStringLiteral("m_NotePiePagina1"), m_NotePiePagina1, ClassName());
    LoadVariable(QStringLiteral("m_NotePiePagina2"), m_NotePiePagina2, ClassName());
    LoadVariable(QStringLiteral("m_bPrintPageNumber"), m_bPrintPageNumber, ClassName());
}

void COption::SaveData(const QString &nomeFile)
{
    ICopyClass::SaveData(nomeFile);
    SaveVariable(QStringLiteral("m_bPrintHeaderPage"), m_bPrintHeaderPage, ClassName());
    SaveVariable(QStringLiteral("m_HeaderPagePath"), m_HeaderPagePath, ClassName());
    SaveVariable(QStringLiteral("m_bPrintNotePiePagina"), m_bPrintNotePiePagina, ClassName());
    SaveVariable(QStringLiteral("m_NotePiePagina1"), m_NotePiePagina1, ClassName());
    SaveVariable(QStringLiteral("m_NotePiePagina2"), m_NotePiePagina2, ClassName());
    SaveVariable(QStringLiteral("m_bPrintPageNumber"), m_bPrintPageNumber, ClassName());
}
