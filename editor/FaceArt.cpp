#include "editor/FaceArt.h"

#include "editor/FaceArtBuilder.h"

#include <new>

namespace {

constexpr LayerOrder kAddThenFill = LayerOrder::kAddThenFill;
constexpr LayerOrder kFillThenAdd = LayerOrder::kFillThenAdd;

// Shapes that several groups share.
ShapeDesc Band(const char* hex) { return Rect(10).Absolute().Hex(hex).Shadow(2, 2, 20, 20); }
ShapeDesc Box(const char* hex) { return Rect(10).Hex(hex).Shadow(2, 2, 20, 20).Scale(90); }
ShapeDesc MenuBody() { return Rect(10).Argb(150, 255, 255, 255).Shadow(0, 5, 25, 0).Scale(90); }
ShapeDesc MenuOutline() { return Rect(10).Stroked(1).Argb(64, 0, 0, 0).Scale(90); }
ShapeDesc PresetArrow(const char* text, const char* hex)
{
    return Text(30, text).Bold().Hex(hex).Scale(70).Offset(0, -4);
}
ShapeDesc MakerLogo(const char* hex) { return Text(18).Bold().Italic().Left().Hex(hex).Shadow(1, 10, 25, 0); }

// Everything up to the meter captions, in build order. Frames of one layer
// stand in one braced list.
std::vector<GroupDesc> GroupsBeforeBar()
{
    return {
        {kGroupRmsBand, kAddThenFill, {{Band("#e2d4b7").Corners(0, 0, 1, 0)}}},
        {kGroupRmsPanel, kAddThenFill, {{Band("#e2d4b7").Corners(0, 0, 1, 1)}}},
        {kGroupEbuBand, kAddThenFill, {{Band("#cfd1c7").Corners(0, 0, 1, 0)}}},
        {kGroupEbuPanel, kAddThenFill, {{Band("#cfd1c7").Corners(0, 0, 1, 1)}}},
        {kGroupTitle, kAddThenFill, {{Text(14).Right().Hex("#404040")}}},
        {kGroupLogoDisc, kAddThenFill,
         {{Ellipse().Argb(255, 61, 62, 63).Shadow(5, 5, 25, 0).Scale(90)},
          {Text(18, kLogoDiscText).Bold().Hex("#ffffff")}}},
        {kGroupLogoLines, kAddThenFill, {{Text(8).Right().Hex("#404040")}}},
        {kGroupMakerLogo, kAddThenFill, {{MakerLogo("#ffe268")}}},
        {kGroupMakerLogoName, kAddThenFill, {{MakerLogo("#ffffff")}}},
        {kGroupPresetName, kAddThenFill,
         {{Rect(10).Argb(255, 33, 34, 35).Scale(95)},
          {Text(16).Face("").Bold().Argb(255, 181, 185, 188).Scale(95)}}},
        {kGroupPresetPrevious, kFillThenAdd, {{PresetArrow("<", "#efefef"), PresetArrow("<", "#8f8f8f")}}},
        {kGroupPresetNext, kFillThenAdd, {{PresetArrow(">", "#efefef"), PresetArrow(">", "#8f8f8f")}}},
        {kGroupResizeGrip, kAddThenFill,
         {{Marks(200, 50, 1).Stroked(30).Argb(255, 127, 127, 127).Scale(90).Rotation(-45)}}},
        {kGroupResetButton, kFillThenAdd, {{Text(12, "RESET").Bold().Hex("#efefef"), Text(12, "RESET").Bold().Hex("#8f8f8f")}}},
        {kGroupTypeMenu, kAddThenFill, {{MenuBody()}, {MenuOutline()}, {Text(10).Hex("#605d56")}}},
        {kGroupChannelMenu, kAddThenFill, {{MenuBody()}, {MenuOutline()}, {Text(10).Hex("#605d56")}}},
        {kGroupRmsModeMenu, kAddThenFill, {{MenuBody()}, {MenuOutline()}, {Text(10).Hex("#605d56")}}},
        {kGroupWeightingMenu, kAddThenFill, {{MenuBody()}, {MenuOutline()}, {Text(10).Hex("#605d56")}}},
        {kGroupSwitch, kFillThenAdd,
         {{MenuBody()}, {MenuOutline()}, {Text(10, "OFF").Hex("#605d56"), Text(10, "ON").Bold().Hex("#605d56")}}},
        {kGroupValueField, kFillThenAdd,
         {{Rect(10).Hex("#5b5851").Shadow(0, 5, 25, 0).Scale(90)}, {Text(11).Hex("#ffffe4")}}},
        {kGroupSettingLabel, kAddThenFill, {{Text(10).Hex("#6d6a63")}}},
        {kGroupReadoutBoxLight, kFillThenAdd, {{Box("#eae7d4")}}},
        {kGroupReadoutBoxYellow, kFillThenAdd, {{Box("#ece2a6")}}},
        {kGroupReadoutTitle, kFillThenAdd, {{Text(14).Left().Hex("#404040").Scale(90)}}},
        {kGroupReadoutTitleNarrow, kFillThenAdd, {{Text(12).Left().Hex("#404040").Scale(90)}}},
        {kGroupReadoutValue, kFillThenAdd,
         {{Rect(10).Hex("#242424").Scale(90)}, {Text(30).Bold().Right().Hex("#ffffff").Scale(80)}}},
        {kGroupReadoutValueNarrow, kFillThenAdd,
         {{Rect(10).Hex("#242424").Scale(90)}, {Text(24).Bold().Right().Hex("#ffffff").Scale(80)}}},
        {kGroupReadoutUnit, kFillThenAdd, {{Text(12).Right().Hex("#5c5b57")}}},
        {kGroupGainMatch, kFillThenAdd,
         {{Rect(50).Stroked(10).Hex("#5c5b57").Scale(90)},
          {Text(10, "M").Bold().Hex("#5c5b57"), Text(10, "M").Bold().Argb(255, 127, 127, 127)}}},
        {kGroupBarFrame, kAddThenFill, {{Band("#eae7d4")}}},
        {kGroupMeterCaption, kFillThenAdd, {{Text(12).Bold().Left().Hex("#3c3c3a").Rotation(-90)}}},
    };
}

// The scale marks and channel labels, built after the bar, bar value and lamp.
std::vector<GroupDesc> GroupsAfterBar()
{
    return {
        {kGroupScaleMark, kFillThenAdd,
         {{Rect(0).Hex("#f7f5ee")}, {Rect(0).Stroked(10).Hex("#959490")}, {Text(10).Bold().Hex("#959490")}}},
        {kGroupChannelLabel, kFillThenAdd, {{Text(10).Bold().Hex("#959490")}}},
    };
}

}  // namespace

bool BuildFaceArt(ShapeScene& scene)
{
    if (scene.Count() != 0)
        return false;
    if (!scene.AddGroups(kFaceGroupCount))
        throw std::bad_alloc();
    for (const GroupDesc& desc : GroupsBeforeBar())
        BuildGroup(scene, desc);
    // The grip keeps its design size at every editor scale, as its control does.
    scene.Get(kGroupResizeGrip)->scalable = 0;
    BuildPeakBarArt(scene, kGroupBar);
    AddTextLayer(scene, kGroupBarValue);
    BuildLampArt(scene, kGroupLamp);
    for (const GroupDesc& desc : GroupsAfterBar())
        BuildGroup(scene, desc);
    scene.EnableBlur(false);
    scene.EnableShadowBlur(false);
    return true;
}

void BuildPeakBarArt(ShapeScene& scene, int32_t index)
{
    ShapeGroup* group = scene.Get(index);
    if (!group)
        return;
    group->visible = 1;

    // On the bar's -60 to +12 dB the colour turns white at -6 dB (0.75) and
    // red at 0 dB (60 / 72); offsets run from the bottom.
    Shape* gradient = AppendShape(AddEmptyLayer(*group), Rect(0));
    gradient->fill.gradientOn = 1;
    gradient->fill.gradientHorizontal = 0;
    const struct
    {
        const char* hex;
        double offset;
    } stops[] = {{"#f0a938", 0.0},     {"#f0a938", 0.75},
                 {"#ffffff", 0.7501},  {"#ffffff", 60.0 / 72.0},
                 {"#ed5a5a", 60.0 / 72.0 + 0.0001}, {"#ed5a5a", 1.0}};
    for (const auto& stop : stops)
        if (!gradient->fill.AddStop(stop.hex, 255, stop.offset))
            throw std::bad_alloc();

    // The dark cover moves up by t x 100 % of the bar's height.
    Shape* cover = AppendShape(AddEmptyLayer(*group), Rect(0).Hex("#3e3e3e"));
    cover->offsetOn = 1;
    cover->offsetAnimated = 1;
    cover->offsetX = 0.0;
    cover->offsetTargetX = 0.0;
    cover->offsetY = 0.0;
    cover->offsetTargetY = -100.0;
}

void BuildLampArt(ShapeScene& scene, int32_t index)
{
    ShapeGroup* group = scene.Get(index);
    if (!group)
        return;
    group->visible = 1;
    AppendShape(AddEmptyLayer(*group), Rect(0).Hex("#3e3e3e"));
    // Filled before it is added: the group gets two frames, unlit and lit.
    BuildGroup(scene, {index, kFillThenAdd, {{Rect(0).Hex("#ffc245", 0), Rect(0).Hex("#ffc245")}}});
}

Shape* AddTextLayer(ShapeScene& scene, int32_t index)
{
    ShapeGroup* group = scene.Get(index);
    if (!group)
        return nullptr;
    group->visible = 1;
    Shape* text = AppendShape(AddEmptyLayer(*group), Text(8).Right());
    text->fill.colour = IArgb{255, 0, 0, 0};
    text->fill.colourTo = IArgb{255, 0, 0, 0};
    return text;
}
