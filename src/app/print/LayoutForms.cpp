#include "app/print/LayoutForms.h"

#include "common/ResString.h"

namespace {

// Every printed element uses the designed face whatever font a form was drawn with; the
// character set is the default one.
const QString kPrintFontName = QStringLiteral("Times New Roman");
constexpr qint16 kDefaultCharSet = 1;

// A text box of a layout form, as far as its style rows read it. FontSize is the print size
// the form keeps for the box; LineTag the box's line width as designed (0 reads as 1).
struct CTextBox
{
    qint16 Left;
    qint16 Top;
    qint16 Width;
    qint16 Height;
    qint16 FontSize;
    bool Bold;
    bool Multiline;
    qint16 Alignment;
    qint16 LineTag;
    QString Text;
};

CStyleRow ElementRow(const CTextBox &box)
{
    CStyleRow row;
    row.Top = box.Top;
    row.Left = box.Left;
    row.Width = box.Width;
    row.Height = box.Height;
    row.FontSize = box.FontSize;
    row.FontBold = box.Bold;
    row.FontCharSet = kDefaultCharSet;
    row.FontName = kPrintFontName;
    row.Multiline = box.Multiline;
    row.Alignment = box.Alignment;
    row.LineWidth = box.LineTag == 0 ? 1 : box.LineTag;
    row.Text = box.Text;
    return row;
}

} // namespace

namespace FGriglia {

CStyleRecordset Create()
{
    // Only height, print size, bold, multiline, alignment and line width of a box are read.
    const CTextBox tableTitle{
        0, 0, 0, 336, 10, true, false, CStyleRow::alCenter, 1, QStringLiteral("Titolo tabella")};
    const CTextBox colTitle{0, 0, 0, 336, 8, true, false, CStyleRow::alCenter, 1, QString()};
    const CTextBox colData{0, 0, 0, 432, 8, false, true, CStyleRow::alLeft, 1, QString()};

    CStyleRecordset rows;
    auto add = [&rows](const QString &key, const CTextBox &box) {
        CStyleRow row = ElementRow(box);
        row.Key = key;
        row.DrawBox = CStyleRow::dbAll;
        rows.append(row);
    };
    add(QStringLiteral("CaptionTableStyle"), tableTitle);
    for (int n = 1; n <= 2; ++n)
        add(QStringLiteral("Col%1TitleStyle").arg(n), colTitle);
    for (int n = 1; n <= 2; ++n)
        add(QStringLiteral("Col%1DataStyle").arg(n), colData);
    return rows;
}

} // namespace FGriglia

namespace FIntestazioneDoc {

CStyleRecordset Create()
{
    constexpr qint16 kFormWidth = 10692;
    constexpr qint16 kFormHeight = 828;
    // The boxes in the form's control order; a label's text comes from the string table.
    const CTextBox boxes[] = {
        {156, 432, 888, 276, 10, true, false, CStyleRow::alLeft, 1, LoadResString(681)},
        {996, 432, 9252, 276, 10, false, false, CStyleRow::alLeft, 1, QString(109, u'_')},
        {2616, 120, 7632, 276, 10, false, false, CStyleRow::alLeft, 1, QString(89, u'_')},
        {156, 120, 2508, 276, 10, true, false, CStyleRow::alLeft, 1, LoadResString(680)},
    };

    CStyleRecordset rows;
    CStyleRow frame;
    frame.Width = kFormWidth;
    frame.Height = kFormHeight;
    frame.Tag = CStyleRow::tagFrame;
    frame.LineWidth = 1;
    frame.DrawBox = CStyleRow::dbAll;
    rows.append(frame);
    for (const CTextBox &box : boxes)
        rows.append(ElementRow(box));
    return rows;
}

} // namespace FIntestazioneDoc
