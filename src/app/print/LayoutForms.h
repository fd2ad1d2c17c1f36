#pragma once

#include "app/print/StyleRecordset.h"

// The two layouts of the printed parameter list, kept as data: the parameter table and the
// heading page. Each Create gives the style rows of its form, in their order.

// The table: "CaptionTableStyle", then "Col1TitleStyle", "Col2TitleStyle" (both column
// headings alike), "Col1DataStyle", "Col2DataStyle" (both data columns alike). Positions and
// widths are 0: the table takes the page's width.
namespace FGriglia {
CStyleRecordset Create();
}

// The heading page's box: the frame (Tag 1, 10692 x 828 twips), then four elements in the
// form's control order: the "Note:" label (text 681), its ruled line, the ruled line of the
// model, the "Instrument model:" label (text 680). No row has a key.
namespace FIntestazioneDoc {
CStyleRecordset Create();
}
