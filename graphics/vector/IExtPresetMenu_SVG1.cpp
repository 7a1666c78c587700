#include "graphics/vector/IExtPresetMenu_SVG1.h"

#include "framework/core/IPlugBase.h"
#include "graphics/editor/BoundsOps.h"
#include "graphics/editor/IGraphics.h"
#include "graphics/editor/IResize.h"
#include "graphics/vector/SurfaceShapeSink.h"

#include <algorithm>

IExtPresetMenu_SVG1::IExtPresetMenu_SVG1(IPlugBase* plug, const ILayoutBox& box, const ILayoutBox& labelBox,
                                         ShapeGroup* labelGroup, const ILayoutBox& previousBox,
                                         ShapeGroup* previousGroup, const ILayoutBox& nextBox, ShapeGroup* nextGroup,
                                         int32_t savedCommand, int32_t saveDefaultCommand,
                                         int32_t factoryPresetCount, const char* presetFolder,
                                         const char* extensions, int32_t labelLength, IPlugPreset* defaultPreset,
                                         int32_t blendType)
    : IControl(plug, box, -1, blendType, 1.0f),
      labelGroup(labelGroup),
      previousGroup(previousGroup),
      nextGroup(nextGroup),
      labelBox(labelBox),
      previousBox(previousBox),
      nextBox(nextBox),
      factoryPresetCount(factoryPresetCount),
      savedCommand(savedCommand),
      saveDefaultCommand(saveDefaultCommand),
      presetFolder(presetFolder),
      extensions(extensions),
      labelLength(labelLength),
      defaultPreset(defaultPreset)
{
}

IBounds IExtPresetMenu_SVG1::Resolve(const ILayoutBox& area) const
{
    IResize sub(area);
    sub.SetLayoutFrame(DesignWidth(), DesignHeight(), ScaleX(), ScaleY());
    return sub.ResolveBounds();
}

void IExtPresetMenu_SVG1::PointerPressed(int32_t x, int32_t y, const IPointerMods&)
{
    if (IGraphics* surface = Surface())
        surface->ForgetButtonDown();
    if (BoundsContain(LabelArea(), x, y))
    {
        busy = true;
        RequestRedraw();
        MarkChanged(false);
        RunMenu();
        RequestRedraw();
        MarkChanged(false);
        busy = false;
    }
    if (BoundsContain(PreviousArea(), x, y) && !previousPressed)
        Step(-1, &previousPressed);
    if (BoundsContain(NextArea(), x, y) && !nextPressed)
        Step(1, &nextPressed);
}

void IExtPresetMenu_SVG1::Step(int32_t delta, bool* pressed)
{
    IPlugBase* plug = Plug();
    if (!plug || factoryPresetCount <= 0)
        return;
    const int32_t current = plug->GetCurrentPresetIdx();
    const auto target = static_cast<int32_t>(std::clamp<int64_t>(int64_t{current} + delta, 0, factoryPresetCount - 1));
    if (target == current)
        return;
    busy = true;
    *pressed = true;
    RequestRedraw();
    MarkChanged(false);
    if (plug->RecallPreset(target, true))
    {
        plug->AnnounceProgramLoaded();
        plug->SendAllParamsToHost();
    }
    busy = false;
}

void IExtPresetMenu_SVG1::PointerReleased(int32_t, int32_t, const IPointerMods&)
{
    previousPressed = false;
    nextPressed = false;
    RequestRedraw();
    MarkChanged(false);
}

void IExtPresetMenu_SVG1::Paint(IGraphics* graphics)
{
    DrawGroupOn(graphics, previousGroup, PreviousArea(), previousPressed ? 1 : 0, Blend());
    DrawGroupOn(graphics, nextGroup, NextArea(), nextPressed ? 1 : 0, Blend());
    const IPlugBase* plug = Plug();
    labelText.Set(plug ? plug->PresetName(plug->GetCurrentPresetIdx()) : "");
    labelText.Ellipsize(labelLength, labelLength);
    if (labelGroup)
        labelGroup->SetText(labelText.Get());
    DrawGroupOn(graphics, labelGroup, LabelArea(), 0, Blend());
}
