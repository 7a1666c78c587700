// Sonvarek: the editor's construction, every control of the face in its
// fixed order (EditorLayout), and its layout at the editor scale.
#include "plugin/Sonvarek.h"

#include "editor/EditorLayout.h"
#include "graphics/editor/IGraphics.h"
#include "graphics/editor/IInvisibleClickControl_SVG1.h"
#include "graphics/editor/IPanelControlSVG.h"
#include "graphics/vector/IBitmapControl_SVG1.h"
#include "graphics/vector/IExtPresetMenu_SVG1.h"
#include "graphics/vector/IMyPopupMenu_SVG1.h"
#include "graphics/vector/IParameterButton_SVG1.h"
#include "graphics/vector/ISVGClickControl.h"
#include "graphics/vector/ISVGKnobControl.h"
#include "graphics/vector/ISVGResizeControl.h"
#include "graphics/vector/ISwitchControl_SVG1.h"
#include "graphics/vector/ITextControl_SVG1.h"
#include "graphics/vector/ShapeScene.h"
#include "plugin/MeterCommand.h"

namespace {

constexpr int32_t kBuild = 0;
constexpr int32_t kRelayout = 1;

}  // namespace

void Sonvarek::BuildEditor(IGraphics* graphics, int32_t rebuild)
{
    if (rebuild == kBuild && graphics)
    {
        for (const ControlRow& row : EditorLayout())
        {
            ShapeGroup* group = faceArt ? faceArt->Get(row.group) : nullptr;
            IControl* control = nullptr;
            switch (row.kind)
            {
            case ControlKind::kPanel: control = new IPanelControlSVG(this, row.box, row.colour); break;
            case ControlKind::kPicture: control = new IBitmapControl_SVG1(this, row.box, row.binding, group); break;
            case ControlKind::kText: control = new ITextControl_SVG1(this, row.box, group, row.text); break;
            case ControlKind::kSwitch: control = new ISwitchControl_SVG1(this, row.box, row.binding, group); break;
            case ControlKind::kMenu: control = new IMyPopupMenu_SVG1(this, row.box, row.binding, group); break;
            case ControlKind::kValueField:
                control = new IParameterButton_SVG1(this, row.box, row.binding, group);
                break;
            case ControlKind::kButton: control = new ISVGClickControl(this, row.box, row.binding, group); break;
            case ControlKind::kClickArea: control = new IInvisibleClickControl_SVG1(this, row.box, row.binding); break;
            case ControlKind::kBar: control = new ISVGKnobControl(this, row.box, row.binding, group, true); break;
            case ControlKind::kResizeCorner:
                control = new ISVGResizeControl(this, row.box, row.binding, group);
                break;
            case ControlKind::kPresetMenu:
            {
                const PresetMenuAreas areas = PresetMenuLayout();
                StringBuf folder;
                GetProductFolder(&folder);
                control = new IExtPresetMenu_SVG1(
                    this, row.box, areas.label, faceArt ? faceArt->Get(areas.labelGroup) : nullptr, areas.previous,
                    faceArt ? faceArt->Get(areas.previousGroup) : nullptr, areas.next,
                    faceArt ? faceArt->Get(areas.nextGroup) : nullptr, kRescanPresets, kSaveDefaultPreset,
                    kFactoryPresetCount, folder.Get(), "fxp", kPresetLabelLength, DefaultPreset(), 0);
                break;
            }
            }
            // The bars and lamps have no parameter: their rest value is set
            // here, so that every value the meter view gives them is drawn.
            if (row.kind == ControlKind::kBar || (row.kind == ControlKind::kPicture && row.barSlot >= 0))
                control->StoreDefaultValue(0.0);
            const int32_t idx = graphics->AppendControl(control);
            if (idx < 0)
                continue;
            if (row.shownFor == ShownFor::kRms)
                editorTables.RmsGroupList.push_back(idx);
            else if (row.shownFor == ShownFor::kEbu)
                editorTables.EbuGroupList.push_back(idx);
            if (row.readoutSlot >= 0)
                editorTables.ReadoutTable[row.readoutSlot] = idx;
            if (row.barSlot >= 0)
                editorTables.BarTable[row.barSlot] = idx;
            if (row.kind == ControlKind::kResizeCorner)
                editorTables.ResizeControl = static_cast<ISVGResizeControl*>(control);
        }
        for (std::optional<double>& held : barHeldShown)
            held.reset();
        // The bars and what follows them change on every refresh, the
        // read-outs' values on every other; what lies below them stays as it
        // is while the meter runs.
        graphics->AddBackdrop(editorTables.BarTable[SonvarekEditorTables::kBarSlot], graphics->ControlCount() - 1);
        for (int32_t row = 0; row < SonvarekEditorTables::kReadouts; ++row)
        {
            const int32_t value = editorTables.ReadoutTable[2 * row];
            graphics->AddBackdrop(value, value);
        }
    }
    else if (rebuild != kRelayout)
    {
        return;
    }
    if (IGraphics* attached = Surface())
        attached->ApplyScaledLayout(static_cast<int32_t>(designWidth), static_cast<int32_t>(designHeight), scaleX,
                                    scaleY);
}
