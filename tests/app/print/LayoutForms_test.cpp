#include "app/print/LayoutForms.h"
#include "common/ResString.h"

#include <gtest/gtest.h>

namespace {

CStyleRow Element(QString key, qint16 left, qint16 top, qint16 width, qint16 height, qint16 size, bool bold,
                  bool multiline, qint16 alignment, qint16 drawBox, QString text)
{
    return {.Key = key,
            .Top = top,
            .Left = left,
            .Width = width,
            .Height = height,
            .Tag = 0,
            .FontSize = size,
            .FontBold = bold,
            .FontCharSet = 1,
            .FontName = "Times New Roman",
            .Multiline = multiline,
            .Alignment = alignment,
            .LineWidth = 1,
            .DrawBox = drawBox,
            .Text = text};
}

} // namespace

TEST(LayoutForms, TableStylesOneTitleThenOneHeadingAndOneDataStyleForBothColumns)
{
    const CStyleRecordset expected = {
        Element("CaptionTableStyle", 0, 0, 0, 336, 10, true, false, 2, 15, "Titolo tabella"),
        Element("Col1TitleStyle", 0, 0, 0, 336, 8, true, false, 2, 15, ""),
        Element("Col2TitleStyle", 0, 0, 0, 336, 8, true, false, 2, 15, ""),
        Element("Col1DataStyle", 0, 0, 0, 432, 8, false, true, 0, 15, ""),
        Element("Col2DataStyle", 0, 0, 0, 432, 8, false, true, 0, 15, ""),
    };
    EXPECT_EQ(FGriglia::Create(), expected);
}

TEST(LayoutForms, HeadingStylesFrameThenLabelsAndRuledLinesInControlOrder)
{
    CStyleRow frame;
    frame.Width = 10692;
    frame.Height = 828;
    frame.Tag = CStyleRow::tagFrame;
    frame.LineWidth = 1;
    frame.DrawBox = 15;
    const CStyleRecordset expected = {
        frame,
        Element("", 156, 432, 888, 276, 10, true, false, 0, 0, LoadResString(681)),
        Element("", 996, 432, 9252, 276, 10, false, false, 0, 0, QString(109, '_')),
        Element("", 2616, 120, 7632, 276, 10, false, false, 0, 0, QString(89, '_')),
        Element("", 156, 120, 2508, 276, 10, true, false, 0, 0, LoadResString(680)),
    };
    EXPECT_EQ(FIntestazioneDoc::Create(), expected);
    EXPECT_EQ(LoadResString(680), "Instrument model:");
    EXPECT_EQ(LoadResString(681), "Note:");
}
