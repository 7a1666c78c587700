#pragma once
// The face of the meter as vector artwork: the 60 groups of the plug-in's
// ShapeScene that the editor's controls draw, addressed by index. Built once
// when the plug-in is made (construction thread), then only rescaled.

#include "graphics/vector/ShapeScene.h"

#include <cstdint>

// The groups the face fills; every other index up to kFaceGroupCount - 1
// stays empty.
enum FaceGroup : int32_t
{
    kGroupResizeGrip = 1,
    kGroupRmsBand = 2,
    kGroupPresetName = 4,
    kGroupPresetPrevious = 5,
    kGroupPresetNext = 6,
    kGroupMakerLogo = 7,       // first word of the maker's logo
    kGroupMakerLogoName = 8,   // second word
    kGroupTitle = 10,
    kGroupLogoDisc = 11,
    kGroupLogoLines = 12,
    kGroupResetButton = 13,
    kGroupSettingLabel = 20,
    kGroupSwitch = 21,
    kGroupValueField = 22,
    kGroupTypeMenu = 23,
    kGroupChannelMenu = 24,
    kGroupRmsModeMenu = 25,
    kGroupWeightingMenu = 26,
    kGroupReadoutBoxLight = 30,
    kGroupReadoutTitle = 31,
    kGroupReadoutValue = 32,
    kGroupReadoutUnit = 33,
    kGroupReadoutBoxYellow = 34,
    kGroupGainMatch = 35,
    kGroupBarFrame = 40,
    kGroupMeterCaption = 41,
    kGroupLamp = 43,
    kGroupBar = 45,
    kGroupBarValue = 46,
    kGroupScaleMark = 47,
    kGroupChannelLabel = 48,
    kGroupEbuBand = 51,
    kGroupReadoutTitleNarrow = 52,
    kGroupReadoutValueNarrow = 53,
    kGroupRmsPanel = 54,
    kGroupEbuPanel = 55,
};

constexpr int32_t kFaceGroupCount = 60;

// The product's logo: the text on the logo disc (group 11) and the three
// lines beside it that the editor shows in group 12.
constexpr const char* kLogoDiscText = "SV";
constexpr const char* kLogoLineTexts[3] = {"LOUDNESS", "AND LEVEL", "METER"};

// Fills an empty scene with the face's 60 groups; false, scene untouched,
// when it is not empty. Ends with the pixel effects and the shadow blur off
// for every shape. Throws std::bad_alloc when memory runs out (the scene then
// holds what was built and frees it as usual).
bool BuildFaceArt(ShapeScene& scene);

// The bar of a bar meter: a gradient (orange below -6 dB, white to 0 dB, red
// above on the -60 to +12 dB scale) under a dark cover whose offset is
// animated by the bar's value, uncovering the gradient from the bottom.
// Nothing for an index with no group.
void BuildPeakBarArt(ShapeScene& scene, int32_t group);

// The lamp above a bar: a dark base and a layer of two frames, unlit
// (transparent) and lit. Nothing for an index with no group.
void BuildLampArt(ShapeScene& scene, int32_t group);

// Appends a layer with one empty text shape (size 8, right-aligned,
// vertically centred, black) to the group and returns the shape (owned by
// the layer); null for an index with no group.
Shape* AddTextLayer(ShapeScene& scene, int32_t group);
