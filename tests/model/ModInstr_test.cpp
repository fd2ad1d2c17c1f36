#include "model/ModInstr.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Modules = std::array<qint16, 5>; // model, slots A to D

Modules Decode(qint16 word, qint16 slotDBefore = 0)
{
    CModInstr modInstr;
    modInstr.SetSlotD(slotDBefore);
    modInstr.SetCodificaModuli(word);
    return {modInstr.ModelloStrumento(), modInstr.SlotA(), modInstr.SlotB(), modInstr.SlotC(),
            modInstr.SlotD()};
}

qint16 Build(const Modules &m)
{
    CModInstr modInstr;
    modInstr.SetModelloStrumento(m[0]), modInstr.SetSlotA(m[1]), modInstr.SetSlotB(m[2]);
    modInstr.SetSlotC(m[3]), modInstr.SetSlotD(m[4]);
    return modInstr.CodificaModuli();
}

} // namespace

TEST(CodificaModuli, BuildsTheWordsOfTheInstruments)
{
    const std::pair<Modules, quint16> cases[] = {
        {{2, 3, 1, 3, 1}, 0xCE1F}, {{1, 0, 0, 1, 0}, 0x8001}, {{0, 2, 2, 2, 0}, 0x0903},
        {{1, 0, 3, 0, 0}, 0x8010}, {{1, 0, 3, 2, 0}, 0x8013}, {{2, 0, 3, 0, 0}, 0xC010},
        {{1, 1, 0, 4, 0}, 0x8410}, {{0, 0, 0, 0, 0}, 0x0000},
    };
    for (const auto &[modules, word] : cases)
        EXPECT_EQ(quint16(Build(modules)), word) << std::hex << word;
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

// Without bit 4 slot D keeps what it held.
TEST(CodificaModuli, UnusedPatternsDecodeToNoModuleAndSlotABitsSelectQEM)
{
    const std::tuple<quint16, qint16, Modules> cases[] = {{0xE000, 0, {0, 0, 0, 0, 0}},
                                                          {0x8300, 0, {1, 0, 0, 0, 0}},
                                                          {0x8007, 0, {1, 0, 0, 0, 0}},
                                                          {0xC000, 1, {2, 0, 0, 0, 1}},
                                                          {0xC010, 0, {2, 0, 0, 0, 1}}};
    for (const auto &[word, slotDBefore, modules] : cases)
        EXPECT_EQ(Decode(qint16(word), slotDBefore), modules) << std::hex << word;
    EXPECT_EQ(std::tuple(CModInstr::IsQEM(0x0C00), CModInstr::IsQEM(0x0800), CModInstr::IsQEM(0x0400)),
              std::tuple(true, false, false));
}
