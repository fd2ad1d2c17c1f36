#pragma once

#include <QByteArray>

#include <random>

// Seeded random damage to an input: flipped bits, bytes overwritten, inserted, removed or
// repeated, and cut ends. The same seed gives the same inputs, so a failure can be replayed.
class CMutator
{
public:
    explicit CMutator(unsigned seed) : m_Random(seed) {}

    QByteArray Mutate(QByteArray bytes)
    {
        const int edits = Below(4) + 1;
        for (int i = 0; i < edits; ++i)
            Edit(bytes);
        return bytes;
    }

    int Below(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(m_Random); }

private:
    void Edit(QByteArray &bytes)
    {
        const int at = Below(int(bytes.size()) + 1);
        switch (Below(6)) {
        case 0:
            if (at < bytes.size())
                bytes[at] = char(bytes[at] ^ (1 << Below(8)));
            break;
        case 1:
            if (at < bytes.size())
                bytes[at] = char(Below(256));
            break;
        case 2:
            bytes.insert(at, QByteArray(Below(8) + 1, char(Below(256))));
            break;
        case 3:
            bytes.remove(at, Below(16) + 1);
            break;
        case 4:
            bytes.insert(at, bytes.mid(Below(int(bytes.size())), Below(32) + 1));
            break;
        default:
            bytes.truncate(at);
            break;
        }
    }

    std::mt19937 m_Random;
};
