#pragma once

#include "model/SettingsClass.h"

// What a printed parameter list carries besides its table: a heading page with a picture,
// two lines of notes at the foot of the pages, page numbers. Kept in the per-user settings
// store, section "COption"; read once when the main window loads and never written back, so
// changes made in the print-options dialog last until the program ends. The six values are
// independent: a path or a note is kept whether or not its flag is set.
class COption : public CSettingsClass<COption>
{
public:
    COption();

    QString ClassName() const override { return QStringLiteral("COption"); }

    bool PrintHeaderPage() const { return m_bPrintHeaderPage; }
    QString HeaderPagePath() const { return m_HeaderPagePath; }
    bool PrintNotePiePagina() const { return m_bPrintNotePiePagina; }
    QString NotePiePagina1() const { return m_NotePiePagina1; }
    QString NotePiePagina2() const { return m_NotePiePagina2; }
    bool PrintPageNumber() const { return m_bPrintPageNumber; }
    void SetPrintHeaderPage(bool value) { m_bPrintHeaderPage = value; }
    void SetHeaderPagePath(const QString &value) { m_HeaderPagePath = value; }
    void SetPrintNotePiePagina(bool value) { m_bPrintNotePiePagina = value; }
    void SetNotePiePagina1(const QString &value) { m_NotePiePagina1 = value; }
    void SetNotePiePagina2(const QString &value) { m_NotePiePagina2 = value; }
    void SetPrintPageNumber(bool value) { m_bPrintPageNumber = value; }

    void LoadData(const QString &nomeFile) override;
    void SaveData(const QString &nomeFile) override;

private:
    friend class CSettingsClass<COption>;
    static void Copy(const COption &from, COption &to);

    bool m_bPrintHeaderPage = false;
    QString m_HeaderPagePath;
    bool m_bPrintNotePiePagina = false;
    QString m_NotePiePagina1;
    QString m_NotePiePagina2;
    bool m_bPrintPageNumber = false;
};
