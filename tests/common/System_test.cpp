#include "common/System.h"

#include <gtest/gtest.h>

#include <limits>

TEST(System, KiloBytesTruncateAndSaturate)
{
    constexpr qint32 kMax = std::numeric_limits<qint32>::max();
    const std::pair<qint64, qint32> cases[] = {{1023, 0},
                                               {1024, 1},
                                               {-4096, 0},
                                               {qint64(kMax) * 1024 + 1023, kMax},
                                               {std::numeric_limits<qint64>::max(), kMax}};
    for (const auto &[bytes, kb] : cases)
        EXPECT_EQ(CSystem::KiloBytes(bytes), kb) << bytes;
    const CSystem system;
    EXPECT_GT(system.TotalPhysicalMemory(), 0);
    EXPECT_LE(system.FreePhysicalMemory(), system.TotalPhysicalMemory());
}
