#pragma once
// The editor's controls the plug-in refers to after construction, by their
// index in the editor surface's control list (IGraphics::AppendControl), as
// the editor construction records them. -1 marks a slot that names no control;
// every user of a slot also checks that the control is of the expected class.

#include <cstdint>
#include <vector>

class ISVGResizeControl;

struct SonvarekEditorTables
{
    static constexpr int32_t kReadouts = 13;
    static constexpr int32_t kBars = 6;
    // ReadoutTable: 2 r the value text of read-out row r, 2 r + 1 its unit
    // text; then the bar meter's caption and its unit.
    static constexpr int32_t kCaptionSlot = 2 * kReadouts;
    static constexpr int32_t kCaptionUnitSlot = kCaptionSlot + 1;
    static constexpr int32_t kReadoutSlots = kCaptionUnitSlot + 1;
    // BarTable: six each, in channel order.
    static constexpr int32_t kBarSlot = 0;
    static constexpr int32_t kLampSlot = kBars;
    static constexpr int32_t kBarTextSlot = 2 * kBars;
    static constexpr int32_t kChannelLabelSlot = 3 * kBars;
    static constexpr int32_t kBarSlots = 4 * kBars;
    static constexpr int32_t kUnset = -1;

    SonvarekEditorTables()
    {
        for (int32_t& slot : ReadoutTable)
            slot = kUnset;
        for (int32_t& slot : BarTable)
            slot = kUnset;
    }

    // The controls shown only while "Type" is "RMS", respectively "EBU", in
    // construction order.
    std::vector<int32_t> RmsGroupList;
    std::vector<int32_t> EbuGroupList;
    int32_t ReadoutTable[kReadoutSlots];
    int32_t BarTable[kBarSlots];
    // The resize corner (not owned); its drag distances reach the command
    // handler. Null until the editor is built.
    ISVGResizeControl* ResizeControl = nullptr;
};
