// The answer is the process's: one test walks it through its life.

#include "graphics/raster/RunningUnderWine.h"

#include "graphics/raster/LICE_CachedFont.h"
#include "graphics/raster/LICE_SysBitmap.h"

#include "platform/win32/Desktop.h"
#include "platform/win32/Win32Gdi.h"

#include <gtest/gtest.h>

namespace {

TEST(RunningUnderWine, TheKeyIsAskedForOnceAndKeepsTheNativePathShut)
{
    Desktop desktop;
    desktop.AddRegistryKey("HKEY_LOCAL_MACHINE\\Software\\Wine");
    EXPECT_TRUE(RunningUnderWine());
    desktop.Reset();  // the key is gone
    EXPECT_TRUE(RunningUnderWine()) << "answered once";

    // A font that may draw natively still stamps glyphs: they make the
    // covered pixels opaque, where GDI would leave the alpha byte alone.
    {
        LICE_CachedFont font;
        font.AdoptGdiFont(CreateFontA(16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, kBlockFaceName),
                          kFontOwnsHandle | kFontNativeAllowed);
        font.SetInkColor(0xFFFFFFFF);
        LICE_SysBitmap bitmap(16, 16);
        RECT rect = {0, 0, 16, 16};
        font.RenderText(&bitmap, "A", -1, &rect, 0);
        EXPECT_EQ(bitmap.PixelData()[0], 0xFFFFFFFFu);
    }
    EXPECT_EQ(desktop.Counts(), LiveCounts{});
}

}  // namespace
