#include "graphics/vector/IMyPopupMenu_SVG1.h"

#include "framework/core/IPlugParam.h"
#include "framework/core/Utf8Cut.h"
#include "graphics/editor/IGraphics.h"
#include "graphics/editor/TruncToInt.h"
#include "graphics/vector/SurfaceShapeSink.h"

#include <algorithm>
#include <cstring>

namespace {

// The most bytes of a display text the field shows.
constexpr size_t kShownTextMax = 20;

}  // namespace

IMyPopupMenu_SVG1::IMyPopupMenu_SVG1(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, ShapeGroup* group)
    : IControl(plug, box, paramIdx, kBlendSourceAlpha, 1.0f),
      group(group),
      param(Param()),
      textCount(param ? param->DisplayTextCount() : 0)
{
    for (int32_t i = 0; i < textCount; ++i)
        menu.InsertTextEntry(param->DisplayTextForValue(i), -1, 0);
    if (param)
        menu.MarkOnlyEntry(TruncToInt(param->Value()));
}

void IMyPopupMenu_SVG1::PointerPressed(int32_t, int32_t, const IPointerMods&)
{
    IGraphics* surface = Surface();
    if (!param || menu.EntryCount() == 0 || !surface)
        return;
    menu.MarkOnlyEntry(TruncToInt(param->Value()));
    menu.SetChosenIndex(-1);
    if (surface->ShowPopupMenu(&menu, DrawArea()) != &menu)
        return;
    const int32_t last = menu.EntryCount() - 1;
    const int32_t chosen = std::clamp(menu.ChosenIndex(), 0, last);
    menu.MarkOnlyEntry(chosen);
    SetValue(last > 0 ? static_cast<double>(chosen) / last : 0.0);
    RequestRedraw();
    MarkChanged(true);
}

void IMyPopupMenu_SVG1::Paint(IGraphics* graphics)
{
    char text[kShownTextMax + 1] = {};
    if (param)
    {
        const char* shown = param->DisplayTextForValue(TruncToInt(param->Value()));
        std::memcpy(text, shown, Utf8CutLength(shown, kShownTextMax));
    }
    DrawGroupShowingText(graphics, group, DrawArea(), text, Blend());
}
