#include "model/ModInstr.h"
#include "support/DataTable.h"
#include "support/Modules_fixture.h"

using Modules = std::array<qint16, 5>; // model, slots A to D

static Modules Decode(qint16 word, qint16 slotDBefore = 0)
{
    CModInstr modInstr;
    modInstr.SetSlotD(slotDBefore);
    modInstr.SetCodificaModuli(word);
    return {modInstr.ModelloStrumento(), modInstr.SlotA(), modInstr.SlotB(), modInstr.SlotC(),
            modInstr.SlotD()};
}

static qint16 Build(const Modules &m)
{
    CModInstr modInstr;
    SetModules(modInstr, m[0], m[1], m[2], m[3], m[4]);
    return modInstr.CodificaModuli();
}

// The words of tests/data/module_words.tsv, built from their modules or decoded.
TEST(CodificaModuli, BuildsAndDecodesTheWordsOfTheTableAndTellsQEM)
{
    for (const QStringList &f : ReadDataTable(QStringLiteral("module_words.tsv"))) {
        const qint16 word = qint16(f[1].toUShort(nullptr, 16));
        const Modules modules{f[2].toShort(), f[3].toShort(), f[4].toShort(), f[5].toShort(), f[6].toShort()};
        if (f[0] == "build")
            EXPECT_EQ(Build(modules), word) << f.join(' ').toStdString();
        else
            EXPECT_EQ(Decode(word, f[7].toShort()), modules) << f.join(' ').toStdString();
    }
    EXPECT_EQ(std::tuple(CModInstr::IsQEM(0x0C00), CModInstr::IsQEM(0x0800), CModInstr::IsQEM(0x0400)),
              std::tuple(true, false, false)); // the slot A bits of a QEM module
}

// Every model and slot combination the module page can produce comes back from its word,
// except where the word keeps no slot for a KQ module (bit 4 only).
TEST(CodificaModuli, DecodesEveryCombinationItBuilds)
{
    for (qint16 model = 0; model <= 2; ++model)
        for (qint16 a = 0; a <= 3; ++a)
            for (qint16 b = 0; b <= 3; ++b)
                for (qint16 c = 0; c <= 4; ++c)
                    for (qint16 d = 0; d <= 1; ++d) {
                        const bool kq = b == 3 || c == 4 || d == 1;
                        Modules expected{model, a, qint16(b == 3 ? 0 : b), qint16(c == 4 ? 0 : c), 0};
                        if (kq && model == 2)
                            expected[4] = 1;
                        else if (kq && expected[3] == 0)
                            expected[3] = 4;
                        else if (kq)
                            expected[2] = 3;
                        EXPECT_EQ(Decode(Build({model, a, b, c, d})), expected)
                            << model << " " << a << " " << b << " " << c << " " << d;
                    }
}
