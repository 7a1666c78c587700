#pragma once
// The editor's controls written as data: one row per control in the order
// they are built (drawing order; the last is hit first), with its class, its
// layout box in the 616 x 352 design space, its parameter or command, its
// first text, the artwork group that draws it, the group list that shows it
// only for one meter type, and the table slot the meter view finds it by.

#include "graphics/editor/IArgb.h"
#include "graphics/editor/ILayoutBox.h"

#include <cstdint>
#include <vector>

enum class ControlKind
{
    kPanel,         // IPanelControlSVG, colour
    kPicture,       // IBitmapControl_SVG1 (artwork, read-out boxes, bar frames, lamps)
    kText,          // ITextControl_SVG1
    kSwitch,        // ISwitchControl_SVG1
    kMenu,          // IMyPopupMenu_SVG1
    kValueField,    // IParameterButton_SVG1
    kButton,        // ISVGClickControl, command
    kClickArea,     // IInvisibleClickControl_SVG1, command
    kBar,           // ISVGKnobControl, value text always shown
    kResizeCorner,  // ISVGResizeControl, command
    kPresetMenu,    // IExtPresetMenu_SVG1
};

// Which meter type shows the control; kAlways: both.
enum class ShownFor
{
    kAlways,
    kRms,
    kEbu,
};

struct ControlRow
{
    ControlKind kind;
    ILayoutBox box;
    int32_t binding = -1;  // parameter index, or command for buttons, click areas and the corner
    const char* text = nullptr;
    int32_t group = -1;
    ShownFor shownFor = ShownFor::kAlways;
    int32_t readoutSlot = -1;  // SonvarekEditorTables::ReadoutTable
    int32_t barSlot = -1;      // SonvarekEditorTables::BarTable
    IArgb colour = {255, 0, 0, 0};  // panels
};

// Every control of the editor, in building order (175 rows).
std::vector<ControlRow> EditorLayout();

// The preset menu's three areas and their groups: the name, the previous and
// the next arrow.
struct PresetMenuAreas
{
    ILayoutBox label;
    int32_t labelGroup;
    ILayoutBox previous;
    int32_t previousGroup;
    ILayoutBox next;
    int32_t nextGroup;
};
PresetMenuAreas PresetMenuLayout();

// The longest preset name the menu's label shows.
constexpr int32_t kPresetLabelLength = 20;
