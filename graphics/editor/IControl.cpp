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

// An auxiliary value lives in the list's raw memory: it is read and written
// whole with the atomic builtins, as the control's own value is.
double LoadWhole(const double* at)
{
    double v = 0.0;
    __atomic_load(at, &v, __ATOMIC_RELAXED);
    return v;
}

void StoreWhole(double* at, double v) { __atomic_store(at, &v, __ATOMIC_RELAXED); }

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
        defaultValue.store(param->MapToUnit(param->DefaultValue()), std::memory_order_relaxed);
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
    SetValue(DefaultValue());
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
        SetValue(v);
        defaultValue.store(v, std::memory_order_relaxed);
        return;
    }
    if (Differs(Value(), v))
    {
        SetValue(v);
        // The request before the changed mark: a draw pass that takes the
        // request between the two keeps the control changed.
        RequestRedraw();
        MarkChanged(false);
    }
}

double IControl::CurrentValue() const { return Value(); }

void IControl::AcceptUserValue(double v)
{
    if (!std::isfinite(v) || !Differs(Value(), v))
        return;
    SetValue(v);
    MarkChanged(true);
    RequestRedraw();
}

void IControl::StoreDefaultValue(double v)
{
    if (std::isfinite(v) && Differs(DefaultValue(), v))
        defaultValue.store(v, std::memory_order_relaxed);
}

void IControl::SetArea(const IBounds& area)
{
    drawArea = area;
    targetArea = area;
}

IBounds IControl::ChangedArea() const { return drawArea; }

void IControl::EntryFinished(const char*) {}

void IControl::SetHidden(bool hide)
{
    hidden = hide;
    RequestRedraw();
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
    // A value another thread stores meanwhile is clamped, not overwritten.
    double v = Value();
    while (v < minValue || v > maxValue)
    {
        const double clamped = v < minValue ? minValue : maxValue;
        if (value.compare_exchange_weak(v, clamped, std::memory_order_relaxed))
            v = clamped;
    }
    Touch(kChanged);
    if (!push)
        return;
    if (plug && paramIdx >= 0 && std::isfinite(v))
        plug->SetParameterFromGUI(paramIdx, v);
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

void IControl::Touch(uint32_t flags)
{
    uint32_t state = drawState.load();
    while (!drawState.compare_exchange_weak(state, (state + kChangeStep) | flags))
    {
    }
}

bool IControl::TakeRedrawRequest()
{
    // In one step, so that a value another thread marks meanwhile stays changed.
    uint32_t state = drawState.load();
    while (!drawState.compare_exchange_weak(state, (state & ~kFlags) | ((state & kRedrawRequest) != 0 ? kChanged : 0)))
    {
    }
    return (state & kRedrawRequest) != 0;
}

void IControl::FinishPass(uint32_t stamp, bool changeDrawn)
{
    uint32_t state = drawState.load();
    for (;;)
    {
        uint32_t flags = 0;
        if (!changeDrawn)
            flags = (state & kFlags) != 0 ? kChanged : 0;
        else if ((state & ~kFlags) != (stamp & ~kFlags))
            flags = kChanged;  // changed on another thread while it was drawn
        if ((state & kFlags) == flags ||
            drawState.compare_exchange_weak(state, (state & ~kFlags) | flags))
            return;
    }
}

bool IControl::IsChanged() const { return (drawState.load() & kChanged) != 0; }

void IControl::QuietPeriodHook() {}

void IControl::AcceptPlugAuxValue(int32_t auxIdx, double v)
{
    if (auxIdx < 0 || auxIdx >= AuxCount() || !std::isfinite(v))
        return;
    AuxEntry& entry = AuxEntries()[auxIdx];
    if (!Differs(LoadWhole(&entry.value), v))
        return;
    StoreWhole(&entry.value, v);
    RequestRedraw();
    MarkChanged(false);
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
    RequestRedraw();
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
    if (surface && !surface->NoteAuxParams(this))
    {
        aux.Resize(count * static_cast<int32_t>(sizeof(AuxEntry)), false);
        return -1;
    }
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
    return auxIdx >= 0 && auxIdx < AuxCount() ? LoadWhole(&AuxEntries()[auxIdx].value) : 0.0;
}
