// Draws the face's groups where the editor places them (a part of the
// layout: always-shown controls, RMS settings, two read-outs, two bar
// columns) at scales 1 and 2 on both face colours, and checks that every
// placed group draws. With SONVAREK_ARTWORK_DIR set, the sheets are written
// there as PNG files for a person to look at.

#include "editor/FaceArt.h"
#include "graphics/vector/ColorFromHex.h"
#include "graphics/vector/ShapeRenderer.h"
#include "tests/support/CairoStaticData.h"
#include "tests/support/PixelSink.h"
#include "tests/support/PngImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

enum class Draw
{
    kFrame,  // the group at a frame
    kText,   // the group with a text, frame 0
    kValue   // the group at a value (bars)
};

struct Placed
{
    int32_t x, y, w, h;  // design pixels
    int32_t group;
    Draw how;
    const char* text;
    double frameOrValue;
};

// Boxes in the 616 x 352 design space.
const Placed kLayout[] = {
    {0, 32, 616, 56, kGroupRmsBand, Draw::kFrame, nullptr, 0},
    {384, 88, 232, 236, kGroupRmsPanel, Draw::kFrame, nullptr, 0},
    {506, 38, 40, 40, kGroupLogoDisc, Draw::kFrame, nullptr, 0},
    {542, 38, 68, 16, kGroupTitle, Draw::kText, "Corvane", 0},
    {542, 48, 68, 16, kGroupLogoLines, Draw::kText, kLogoLineTexts[0], 0},
    {542, 56, 68, 16, kGroupLogoLines, Draw::kText, kLogoLineTexts[1], 0},
    {542, 64, 68, 16, kGroupLogoLines, Draw::kText, kLogoLineTexts[2], 0},
    {6, 5, 94, 22, kGroupMakerLogo, Draw::kText, "QZ", 0},
    {32, 5, 94, 22, kGroupMakerLogoName, Draw::kText, "Quellix", 0},
    {208, 4, 179, 23, kGroupPresetName, Draw::kText, "LUFS EBU R128", 0},
    {180, 4, 23, 23, kGroupPresetPrevious, Draw::kFrame, nullptr, 0},
    {392, 4, 23, 23, kGroupPresetNext, Draw::kFrame, nullptr, 1},
    {12, 41, 34, 18, kGroupSettingLabel, Draw::kText, "MODE", 0},
    {12, 65, 34, 18, kGroupTypeMenu, Draw::kText, "RMS", 0},
    {52, 41, 34, 18, kGroupSettingLabel, Draw::kText, "SYNC", 0},
    {52, 65, 34, 18, kGroupSwitch, Draw::kFrame, nullptr, 0},
    {91, 35, 34, 18, kGroupSettingLabel, Draw::kText, "WRITE", 0},
    {91, 47, 34, 18, kGroupSettingLabel, Draw::kText, "AUTO.", 0},
    {91, 65, 34, 18, kGroupSwitch, Draw::kFrame, nullptr, 1},
    {333, 317, 40, 40, kGroupResetButton, Draw::kFrame, nullptr, 0},
    {130, 35, 46, 18, kGroupSettingLabel, Draw::kText, "CH.", 0},
    {130, 47, 46, 18, kGroupSettingLabel, Draw::kText, "CONFIG", 0},
    {130, 65, 46, 18, kGroupChannelMenu, Draw::kText, "2.0", 0},
    {181, 41, 46, 18, kGroupSettingLabel, Draw::kText, "GAIN", 0},
    {181, 65, 46, 18, kGroupValueField, Draw::kText, "0.0", 0},
    {232, 35, 46, 18, kGroupSettingLabel, Draw::kText, "REF", 0},
    {232, 47, 46, 18, kGroupSettingLabel, Draw::kText, "LEVEL", 0},
    {232, 65, 46, 18, kGroupValueField, Draw::kText, "-18.0", 0},
    {322, 65, 46, 18, kGroupRmsModeMenu, Draw::kText, "AVG", 0},
    {429, 65, 64, 18, kGroupWeightingMenu, Draw::kText, "BS1770", 0},
    {10, 98, 130, 106, kGroupReadoutBoxLight, Draw::kFrame, nullptr, 0},
    {15, 96, 125, 35, kGroupReadoutTitle, Draw::kText, "RMS", 0},
    {15, 110, 125, 35, kGroupReadoutTitle, Draw::kText, "Integrated", 0},
    {13, 135, 124, 50, kGroupReadoutValue, Draw::kText, "-23.0", 0},
    {6, 183, 125, 17, kGroupReadoutUnit, Draw::kText, "dBFS", 0},
    {18, 185, 12, 12, kGroupGainMatch, Draw::kFrame, nullptr, 0},
    {130, 208, 98, 106, kGroupReadoutBoxYellow, Draw::kFrame, nullptr, 0},
    {135, 206, 93, 35, kGroupReadoutTitleNarrow, Draw::kText, "Momentary", 0},
    {135, 220, 93, 35, kGroupReadoutTitleNarrow, Draw::kText, "Loudness Max", 0},
    {133, 245, 92, 50, kGroupReadoutValueNarrow, Draw::kText, "-14.2", 0},
    {126, 293, 93, 17, kGroupReadoutUnit, Draw::kText, "LUFS", 0},
    {138, 295, 12, 12, kGroupGainMatch, Draw::kFrame, nullptr, 1},
    {400, 92, 62, 280, kGroupBarFrame, Draw::kFrame, nullptr, 0},
    {464, 92, 62, 280, kGroupBarFrame, Draw::kFrame, nullptr, 0},
    {591, 245, 23, 126, kGroupMeterCaption, Draw::kText, "Peak Meter", 0},
    {591, 101, 23, 66, kGroupMeterCaption, Draw::kText, "DBFS", 0},
    {422, 112, 20, 18, kGroupScaleMark, Draw::kText, "12", 0},
    {422, 148, 20, 18, kGroupScaleMark, Draw::kText, "0", 0},
    {422, 184, 20, 18, kGroupScaleMark, Draw::kText, "12", 0},
    {422, 292, 20, 18, kGroupScaleMark, Draw::kText, "48", 0},
    {406, 94, 20, 12, kGroupChannelLabel, Draw::kText, "L", 0},
    {408, 112, 16, 216, kGroupBar, Draw::kValue, nullptr, 0.55},
    {402, 332, 26, 8, kGroupBarValue, Draw::kText, "-20.4", 0},
    {408, 107, 16, 5, kGroupLamp, Draw::kFrame, nullptr, 0},
    {438, 94, 20, 12, kGroupChannelLabel, Draw::kText, "R", 0},
    {440, 112, 16, 216, kGroupBar, Draw::kValue, nullptr, 0.95},
    {434, 332, 26, 8, kGroupBarValue, Draw::kText, "8.4", 0},
    {440, 107, 16, 5, kGroupLamp, Draw::kFrame, nullptr, 1},
    {472, 112, 16, 216, kGroupBar, Draw::kValue, nullptr, 0.0},
};

IBounds Scaled(const Placed& p, double s)
{
    return IBounds{static_cast<int32_t>(p.x * s), static_cast<int32_t>(p.y * s), static_cast<int32_t>((p.x + p.w) * s),
                   static_cast<int32_t>((p.y + p.h) * s)};
}

void DrawSheet(ShapeScene& scene, PixelSink& sink, double scale)
{
    for (const Placed& p : kLayout)
    {
        ShapeGroup* group = scene.Get(p.group);
        const int32_t before = sink.blendCalls;
        switch (p.how)
        {
        case Draw::kFrame:
            ShapeRenderer::DrawGroup(group, sink, Scaled(p, scale), static_cast<int32_t>(p.frameOrValue), nullptr);
            break;
        case Draw::kText:
            group->SetText(p.text);
            ShapeRenderer::DrawGroup(group, sink, Scaled(p, scale), 0, nullptr);
            break;
        case Draw::kValue:
            ShapeRenderer::DrawGroupAtValue(group, sink, Scaled(p, scale), p.frameOrValue, nullptr);
            break;
        }
        EXPECT_GT(sink.blendCalls, before) << "group " << p.group << " at " << p.x << "," << p.y;
    }
    // The grip keeps its design size in the bottom-right corner.
    ShapeRenderer::DrawGroup(scene.Get(kGroupResizeGrip), sink,
                             IBounds{sink.width - 16, sink.height - 16, sink.width, sink.height}, 0, nullptr);
}

TEST(FaceArtSheet, EveryPlacedGroupDrawsAtScalesOneAndTwo)
{
    const char* dir = std::getenv("SONVAREK_ARTWORK_DIR");
    for (double scale : {1.0, 2.0})
    {
        ShapeScene scene;
        ASSERT_TRUE(BuildFaceArt(scene));
        scene.SetScale(scale, scale);
        for (const char* face : {"#f09135", "#4e79a3"})
        {
            const IArgb c = ColorFromHex(face, 255);
            const uint32_t background = 0xFF000000u | (c.R << 16) | (c.G << 8) | c.B;
            PixelSink sink(static_cast<int32_t>(616 * scale), static_cast<int32_t>(352 * scale), background);
            DrawSheet(scene, sink, scale);
            if (dir && *dir)
            {
                const std::string path = std::string(dir) + "/face-" + (face + 1) + "-x" +
                                         std::to_string(static_cast<int>(scale)) + ".png";
                EXPECT_TRUE(WritePng(path, sink.pixels.data(), sink.width, sink.height)) << path;
            }
        }
    }
}

}  // namespace
