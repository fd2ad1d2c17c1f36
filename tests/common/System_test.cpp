#include "common/System.h"

#include <gtest/gtest.h>

TEST(System, KiloBytesTruncateAndSaturate)
{
    constexpr qint64 kMax = std::numeric_limits<qint32>::max();
    for (const auto &[bytes, kb] : {std::pair<qint64, qint64>{1023, 0},
                                    {1024, 1},
                                    {-4096, 0},
                                    {kMax * 1024 + 1023, kMax},
                                    {std::numeric_limits<qint64>::max(), kMax}})
        EXPECT_EQ(CSystem::KiloBytes(bytes), kb) << bytes;
    const CSystem system;
    EXPECT_TRUE(system.TotalPhysicalMemory() > 0 &&
                system.FreePhysicalMemory() <= system.TotalPhysicalMemory());
}
