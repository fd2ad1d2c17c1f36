#pragma once

#include <QList>
#include <QString>

// One element of a printed layout: where it stands (twips, in its form's coordinates), its font,
// its text and its box lines. A heading-page frame row has Tag 1 and no font values.
struct CStyleRow
{
    enum ETag : qint32 { tagElement = 0, tagFrame = 1 };
    enum EAlignment : qint16 { alLeft = 0, alRight = 1, alCenter = 2 };
    // DrawBox bits: which sides of the element's box are ruled.
    enum EDrawBox : qint16 { dbLeft = 1, dbTop = 2, dbRight = 4, dbBottom = 8, dbAll = 15 };

    QString Key;
    qint16 Top = 0;
    qint16 Left = 0;
    qint16 Width = 0;
    qint16 Height = 0;
    qint32 Tag = tagElement;
    qint16 FontSize = 0;
    bool FontBold = false;
    qint16 FontCharSet = 0;
    QString FontName;
    bool Multiline = false;
    qint16 Alignment = alLeft;
    // In units of 15 twips, a pixel of the screen the forms were drawn on.
    qint16 LineWidth = 0;
    qint16 DrawBox = 0;
    QString Text;

    bool operator==(const CStyleRow &) const = default;
};

using CStyleRecordset = QList<CStyleRow>;
