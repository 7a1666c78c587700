#include "graphics/editor/IControl.h"

#include "framework/core/IPlugBase.h"
#include "framework/core/Utf8Cut.h"
#include "graphics/editor/BoundsOps.h"
#include "graphics/editor/IGraphics.h"
#include "graphics/editor/ILinkedText.h"
#include "graphics/editor/TruncToInt.h"

#include <cmath>
#include <cstring>

namespace {

// Unequal, or not comparable (NaN).
bool Differs(double a, double b) { return !(a == b); }

// Appends text to a NUL-terminated buffer of size bytes, cut at a whole
// UTF-8 character so that the buffer stays valid text.
void AppendCut(char* buffer, size_t size, const char* text)
{
    const size_t used = std::strlen(buffer);
    if (used + 1 >= size)
        return;
    const size_t n = Utf8CutLength(text, size - 1 - used);
    std::memcpy(buffer + used, text, n);
    buffer[used + n] = '\0';
}

}  // namespace

IControl::IControl(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx, int32_t blendType, float blendWeight)
    : IResize(box), plug(plug), paramIdx(paramIdx)
{
    blend = IBlend{blendType, blendWeight};
    drawArea = IBounds{box.x, box.y, SaturatingAdd(box.x, box.w), SaturatingAdd(box.y, box.h)};
    targetArea = drawArea;
    if (const IPlugParam* param = Param())
        defaultValue = param->MapToUnit(param->DefaultValue());
}

IControl::~IControl() = default;

IPlugParam* IControl::Param() const { return plug && paramIdx >= 0 ? plug->GetParam(paramIdx) : nullptr; }

// ---- Events -------------------------------------------------------------------

void IControl::PointerPressed(int32_t, int32_t, const IPointerMods& mods)
{
    if (mods.right)
        OpenValueEntry();
}

void IControl::PointerReleased(int32_t, int32_t, const IPointerMods&) {}

void IControl::PointerDragged(int32_t, int32_t, int32_t, int32_t, const IPointerMods&) {}

void IControl::PointerDoubleClicked(int32_t, int32_t, const IPointerMods&)
{
    if (!HasDefault())
        return;
    value = defaultValue;
    MarkChanged(true);
}

void IControl::WheelTurned(int32_t, int32_t, const IPointerMods&, int32_t) {}

bool IControl::KeyPressed(int32_t, int32_t, int32_t) { return false; }

void IControl::PointerHovering(int32_t, int32_t, const IPointerMods&) {}

void IControl::PointerLeft() {}

// ---- Values -----------------------------------------------------------------------

void IControl::AcceptPlugValue(double v)
{
    if (!std::isfinite(v))
        return;
    if (!HasDefault())
    {
        value = v;
        defaultValue = v;
        return;
    }
    if (Differs(value, v))
    {
        value = v;
        MarkChanged(false);
        redrawRequest = true;
    }
}

double IControl::CurrentValue() const { return value; }

void IControl::AcceptUserValue(double v)
{
    if (!std::isfinite(v) || !Differs(value, v))
        return;
    value = v;
    MarkChanged(true);
    redrawRequest = true;
}

void IControl::StoreDefaultValue(double v)
{
    if (std::isfinite(v) && Differs(defaultValue, v))
        defaultValue = v;
}

void IControl::SetArea(const IBounds& area)
{
    drawArea = area;
    targetArea = area;
}

void IControl::EntryFinished(const char*) {}

void IControl::SetHidden(bool hide)
{
    hidden = hide;
    redrawRequest = true;
    MarkChanged(false);
}

void IControl::SetGreyed(bool grey)
{
    greyed = grey;
    blend.weight = grey ? 0.25f : 1.0f;
    MarkChanged(false);
}

bool IControl::Contains(int32_t x, int32_t y) const { return BoundsContain(targetArea, x, y); }

void IControl::MarkChanged(bool push)
{
    if (value < minValue)
        value = minValue;
    else if (value > maxValue)
        value = maxValue;
    changed = true;
    if (!push)
        return;
    if (plug && paramIdx >= 0 && std::isfinite(value))
        plug->SetParameterFromGUI(paramIdx, value);
    RefreshLinkedTexts();
}

void IControl::RefreshLinkedTexts()
{
    const IPlugParam* param = Param();
    if (!param)
        return;
    if (caption)
    {
        char text[32] = {};
        param->FormatValue(param->Value(), false, text, sizeof text, true);
        AppendCut(text, sizeof text, " ");
        AppendCut(text, sizeof text, param->UnitLabel());
        caption->SetTextIfChanged(text);
    }
    if (nameText)
        nameText->SetTextIfChanged(param->Name());
}

bool IControl::TakeRedrawRequest()
{
    changed = redrawRequest;
    redrawRequest = false;
    return changed;
}

bool IControl::IsChanged() const { return changed; }

void IControl::QuietPeriodHook() {}

void IControl::AcceptPlugAuxValue(int32_t auxIdx, double v)
{
    if (auxIdx < 0 || auxIdx >= AuxCount() || !std::isfinite(v))
        return;
    AuxEntry& entry = AuxEntries()[auxIdx];
    if (!Differs(entry.value, v))
        return;
    entry.value = v;
    MarkChanged(false);
    redrawRequest = true;
}

// ---- Value entry ----------------------------------------------------------------

void IControl::OpenValueEntry()
{
    const int32_t cx = TruncToInt((int64_t{drawArea.L} + drawArea.R) * 0.5);
    const int32_t cy = TruncToInt((int64_t{drawArea.T} + drawArea.B) * 0.5);
    const IBounds field = {SaturatingAdd(cx, -20), SaturatingAdd(cy, -8), SaturatingAdd(cx, 20),
                           SaturatingAdd(cy, 8)};
    const IPlugParam* param = Param();
    OpenValueEntry(param && param->DisplayTextCount() > 0 ? drawArea : field);
}

void IControl::OpenValueEntry(const IBounds& area)
{
    if (paramIdx < 0 || valueEntryDisabled)
        return;
    IPlugParam* param = Param();
    if (surface && param)
        surface->PromptParamEntry(this, param, area);
    redrawRequest = true;
}

// ---- Auxiliary parameters ----------------------------------------------------

int32_t IControl::AuxCount() const { return aux.GetSize() / static_cast<int32_t>(sizeof(AuxEntry)); }

int32_t IControl::AddAuxParam(int32_t auxParamIdx)
{
    const int32_t count = AuxCount();
    const int32_t newSize = (count + 1) * static_cast<int32_t>(sizeof(AuxEntry));
    if (!aux.Resize(newSize, false) || aux.GetSize() != newSize)
        return -1;
    AuxEntries()[count] = AuxEntry{0.0, auxParamIdx};
    return count;
}

int32_t IControl::AuxParamIdx(int32_t auxParamIdx) const
{
    for (int32_t i = 0; i < AuxCount(); ++i)
        if (AuxEntries()[i].paramIdx == auxParamIdx)
            return i;
    return -1;
}

double IControl::AuxValue(int32_t auxIdx) const
{
    return auxIdx >= 0 && auxIdx < AuxCount() ? AuxEntries()[auxIdx].value : 0.0;
}
