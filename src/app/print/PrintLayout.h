#pragma once

#include "app/print/StyleRecordset.h"
#include "model/ReportRecordset.h"

#include <QList>
#include <QMarginsF>
#include <QRectF>
#include <QStringList>

class COption;

// A font of the printout; the size in points.
struct CPrintFont
{
    QString Family;
    qreal PointSize = 0;
    bool Bold = false;

    bool operator==(const CPrintFont &) const = default;
};

// Text measures in the device units of the page being laid out.
class CTextMetrics
{
public:
    virtual ~CTextMetrics() = default;
    virtual qreal LineSpacing(const CPrintFont &font) const = 0;
    virtual qreal Ascent(const CPrintFont &font) const = 0;
    virtual qreal Descent(const CPrintFont &font) const = 0;
    virtual qreal Width(const CPrintFont &font, const QString &text) const = 0;
};

// What a printout carries besides its table, and its margins.
struct CPrintOptions
{
    bool EnableHeader = false;
    QString HeaderPicture;
    bool EnableNote = false;
    QString Note1;
    QString Note2;
    bool EnablePageNumber = false;
    QMarginsF MarginsMillimetres{10, 10, 10, 20};
};
CPrintOptions PrintOptions(const COption &option);

// A page in device units and the painter's coordinates: the area inside the margins and the
// device's printable area, and the device's resolution (dots per inch).
struct CPageGeometry
{
    qreal Resolution = 0;
    QRectF Content;
};

// One element placed on a page. Its box bounds what it paints: the text lines (already broken to
// fit between the padding and placed across by their alignment: LineLeft from the box's left
// edge), the picture; the ruled sides of DrawBox run along its edges. The lines stand as one
// block in the middle of the box's height, Baseline below each line's top. Clip is set when the
// text would run out of the box, which must then cut it.
struct CPlacedItem
{
    enum ERole {
        roPicture,
        roHeaderFrame,
        roHeaderText,
        roTitle,
        roColumnHeading,
        roCell,
        roSection,
        roNote,
        roPageNumber,
    };

    ERole Role = roCell;
    // The report row it shows; -1 for the heading page and the foot of the page.
    qsizetype Row = -1;
    QRectF Box;
    CPrintFont Font;
    Qt::Alignment Alignment = Qt::AlignLeft;
    qreal Padding = 0;
    QStringList Lines;
    QList<qreal> LineLeft;
    qreal LineSpacing = 0;
    qreal Baseline = 0;
    qint16 DrawBox = 0;
    qreal LineWidth = 0;
    bool Clip = false;
};

struct CPrintPage
{
    QList<CPlacedItem> Items;
};

// Everything a printout is laid out from. PictureSize: the heading picture's own size in
// device units, empty when there is none to print.
struct CLayoutInput
{
    CStyleRecordset HeaderStyle;
    CStyleRecordset TableStyle;
    QList<CReportRow> Rows;
    CPrintOptions Options;
    QSizeF PictureSize;
};

// The pages of a printout. With the heading page enabled it comes first: the picture, shrunk to
// fit, over the heading box. The table follows on pages of its own: the title on the first, the
// column headings (row 1) at the top of each; a row is never split, and a section heading is
// never left alone at the foot of a page. Notes and "n / N" stand at the foot of every page,
// the heading page counted.
QList<CPrintPage> LayOutReport(const CLayoutInput &input, const CPageGeometry &page,
                               const CTextMetrics &metrics);

// The text in lines no wider than width: broken at blanks and at line breaks, inside a word
// only when the word alone is wider.
//   "Minimum input range" in the width of "Minimum input" -> "Minimum input", "range"
QStringList BreakLines(const QString &text, qreal width, const CPrintFont &font, const CTextMetrics &metrics);

// A report label without its layout mark ("#SB#", "#SBAC#").
QString LabelText(const QString &label);
