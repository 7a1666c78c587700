#include "graphics/raster/LICE_ByteLanes.h"

#include "graphics/raster/LICE_PixelForms.h"

#include <gtest/gtest.h>

namespace {

// The 16-bit forms must give the written formulas' results for every pair of
// bytes at every weight the workers pass (1 to 256).
TEST(LiceByteLanes, EqualTheChannelFormulasForAllBytesAndWeights)
{
    for (int w = 1; w <= 256; ++w)
        for (int d = 0; d < 256; ++d)
            for (int s = 0; s < 256; ++s)
            {
                const auto db = static_cast<uint8_t>(d);
                const auto sb = static_cast<uint8_t>(s);
                const auto wl = static_cast<uint16_t>(w);
                ASSERT_EQ(LICE_CopyLane(db, sb, wl), LICE_CopyChannel(d, s, w)) << d << " " << s << " " << w;
                ASSERT_EQ(LICE_AddLane(db, sb, wl), LICE_AddChannel(d, s, w)) << d << " " << s << " " << w;
                ASSERT_EQ(LICE_MultiplyLane(db, sb, wl), LICE_MultiplyChannel(d, s, w)) << d << " " << s << " " << w;
            }
}

}  // namespace
