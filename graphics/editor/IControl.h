#pragma once
// The base of every on-screen control of the editor. It holds the control's
// draw area (where it paints) and target area (where it takes the pointer),
// its bound plug-in parameter, its value as a unit value 0..1, its text
// style and state flags, and supplies the base behaviour of the operations
// through which the surface (IGraphics) hands it pointer, wheel and key
// events, asks it to paint and gives it parameter values.
//
// Threads: UI thread, except AcceptPlugValue and AcceptPlugAuxValue, which
// the surface also calls on the host's thread when the host changes a
// parameter: they only store the value and mark the control changed, and
// the next timer tick draws it. The value, the default, the auxiliary values
// and the drawing state (changed flag, redraw request) are atomic words for
// this: a reader on the UI thread gets each whole, and Paint reads the value
// once. Texts, visibility and layout change on the UI thread only.
//
// Values: no value that is not finite is ever taken: AcceptPlugValue,
// AcceptUserValue, StoreDefaultValue and AcceptPlugAuxValue ignore NaN and
// infinities, and MarkChanged pushes none to the plug-in.
//
// Drawing state: operations that alter what the control shows set the
// redraw request and call MarkChanged; each of the two also counts a change
// (DrawStamp). The timer tick collects the controls whose IsChanged answers
// true. The surface's draw pass paints the controls that meet its area and
// ends the pass for each (FinishPass): a control whose changed area it drew
// (all of it that can show) and that did not change since its turn began
// is drawn as it stands (neither flag stays); one that changed meanwhile
// stays changed; for any other the request becomes the changed flag, which
// stays until a pass draws its changed area.
//
// Ownership: the surface owns its controls and deletes them through the
// virtual destructor. Linked caption and name controls are not owned.

#include "framework/core/GrowBuf.h"
#include "framework/core/StringBuf.h"
#include "graphics/editor/IBlend.h"
#include "graphics/editor/IBounds.h"
#include "graphics/editor/IPointerMods.h"
#include "graphics/editor/IResize.h"
#include "graphics/editor/TextStyle.h"

#include <atomic>
#include <cstdint>

class IGraphics;
class ILinkedText;
class IPlugBase;
class IPlugParam;

class IControl : public IResize
{
public:
    // plug: not owned, may be null (the control then pushes nothing).
    // Both areas start as {x, y, x + w, y + h} of the box's raw values; the
    // anchors take effect at the first re-layout. With a parameter (index 0
    // or more that names one) the default is the parameter's default as a
    // unit value (clamped: 0.0 for an empty range); otherwise it is unset.
    IControl(IPlugBase* plug, const ILayoutBox& box, int32_t paramIdx = -1, int32_t blendType = kBlendSourceAlpha,
             float blendWeight = 1.0f);
    virtual ~IControl();
    IControl(const IControl&) = delete;
    IControl& operator=(const IControl&) = delete;

    // ---- Events (UI thread; x, y in editor pixels) ---------------------------

    // Base: with the right button, OpenValueEntry(); else nothing.
    virtual void PointerPressed(int32_t x, int32_t y, const IPointerMods& mods);
    virtual void PointerReleased(int32_t x, int32_t y, const IPointerMods& mods);
    virtual void PointerDragged(int32_t x, int32_t y, int32_t dx, int32_t dy, const IPointerMods& mods);
    // Base: with a default set, value = default and MarkChanged(push).
    virtual void PointerDoubleClicked(int32_t x, int32_t y, const IPointerMods& mods);
    // delta: whole wheel notches, positive away from the user.
    virtual void WheelTurned(int32_t x, int32_t y, const IPointerMods& mods, int32_t delta);
    // key: a surface key code (IKeyCodes.h). Answers whether it was handled;
    // base: false.
    virtual bool KeyPressed(int32_t x, int32_t y, int32_t key);
    virtual void PointerHovering(int32_t x, int32_t y, const IPointerMods& mods);
    virtual void PointerLeft();

    // Paints into the surface's back buffer (IGraphics::FillBounds,
    // DrawFrameBitmap, DrawStyledText). Every concrete control supplies it.
    virtual void Paint(IGraphics* graphics) = 0;

    // ---- Values ------------------------------------------------------------------

    // A value from the plug-in or the host (any thread). Without a default,
    // value and default both become v and the control is not marked;
    // otherwise a different v is stored, MarkChanged(no push), redraw request.
    virtual void AcceptPlugValue(double v);
    virtual double CurrentValue() const;
    // A value the user set: when it differs it is stored, MarkChanged(push)
    // and the redraw request set.
    virtual void AcceptUserValue(double v);
    // Stores v as the default when it differs.
    virtual void StoreDefaultValue(double v);
    // Sets both the draw area and the target area.
    virtual void SetArea(const IBounds& area);
    // The part of the draw area that may not yet show the control as it now
    // is: what a draw must cover for it to be done with, and what the timer
    // tick collects for a changed control. Base: the whole draw area.
    virtual IBounds ChangedArea() const;
    // The text typed into a value-entry field opened for a control without a
    // parameter. Base: nothing.
    virtual void EntryFinished(const char* text);
    // Stores the flag, sets the redraw request, MarkChanged(no push).
    virtual void SetHidden(bool hide);
    // Stores the flag, blend weight 0.25 when greyed and 1.0 when not,
    // MarkChanged(no push). A greyed control takes no clicks, wheel or keys.
    virtual void SetGreyed(bool grey);
    // False while the target area is empty; else L <= x < R and T <= y < B.
    virtual bool Contains(int32_t x, int32_t y) const;
    // Clamps the value to [minimum, maximum] and sets the changed flag. With
    // push: a finite value goes to the plug-in (IPlugBase::SetParameterFromGUI)
    // when there are a plug-in and a parameter index, and the linked caption
    // (the parameter's display text, a blank and its unit label, at most 31
    // bytes) and name (the parameter's name) are refreshed when the
    // parameter exists.
    virtual void MarkChanged(bool push);
    // changed = the redraw request; the request is cleared and answered.
    // (The surface's draw pass uses FinishPass.)
    virtual bool TakeRedrawRequest();
    virtual bool IsChanged() const;
    // The drawing state as one word: it differs after every MarkChanged and
    // RequestRedraw. Read by the draw pass before the control's turn.
    uint32_t DrawStamp() const { return drawState.load(std::memory_order_acquire); }
    // The end of a draw pass for the control; stamp: DrawStamp before its
    // turn. changeDrawn: every pixel of its changed area (ChangedArea before
    // its turn) that can show was drawn in the pass. Drawn with no change
    // since stamp: neither flag stays. Drawn but changed since: changed.
    // Otherwise the request joins the changed flag (a changed control stays
    // changed).
    void FinishPass(uint32_t stamp, bool changeDrawn);
    // After 21 timer ticks in which no control changed. Base: nothing.
    virtual void QuietPeriodHook();
    // A value of the auxiliary parameter in slot auxIdx: when it differs it
    // is stored, MarkChanged(no push), redraw request. Nothing for a slot
    // out of range.
    virtual void AcceptPlugAuxValue(int32_t auxIdx, double v);

    // ---- Value entry -----------------------------------------------------------

    // Nothing without a parameter or while value entry is disabled. A
    // parameter with display texts gets a popup of them placed at the draw
    // area; any other a 40 x 16 text field centred on the draw area. Then
    // the redraw request is set. Needs the control to be on a surface.
    void OpenValueEntry();
    // The same with area for both the popup and the field.
    void OpenValueEntry(const IBounds& area);

    // ---- Auxiliary parameters ------------------------------------------------

    // Appends a slot that follows paramIdx (value 0.0) and answers its index;
    // -1 when the list cannot grow. While the controls are built: the list
    // must not grow while values are pushed.
    int32_t AddAuxParam(int32_t paramIdx);
    int32_t AuxCount() const;
    // The slot bound to paramIdx, -1 when none.
    int32_t AuxParamIdx(int32_t paramIdx) const;
    // The value in slot auxIdx; 0.0 out of range.
    double AuxValue(int32_t auxIdx) const;

    // ---- State -------------------------------------------------------------------

    IPlugBase* Plug() const { return plug; }
    // The surface that owns the control; null until IGraphics::AppendControl.
    IGraphics* Surface() const { return surface; }
    void SetSurface(IGraphics* owner) { surface = owner; }
    int32_t ParamIdx() const { return paramIdx; }
    const IBounds& DrawArea() const { return drawArea; }
    const IBounds& TargetArea() const { return targetArea; }
    void SetTargetArea(const IBounds& area) { targetArea = area; }
    TextStyle& Style() { return style; }
    const TextStyle& Style() const { return style; }
    void SetStyle(const TextStyle& newStyle) { style = newStyle; }
    double DefaultValue() const { return defaultValue.load(std::memory_order_relaxed); }
    bool HasDefault() const { return DefaultValue() >= 0.0; }
    // The clamp range of the value (0 and 1 unless a control narrows it).
    double MinValue() const { return minValue; }
    double MaxValue() const { return maxValue; }
    bool IsHidden() const { return hidden; }
    bool IsGreyed() const { return greyed; }
    bool HasRedrawRequest() const { return (drawState.load() & kRedrawRequest) != 0; }
    // Changed or asked to redraw: what it shows may not be what it is.
    bool AwaitsDrawing() const { return (drawState.load() & kFlags) != 0; }
    void RequestRedraw() { Touch(kRedrawRequest); }
    // The most characters the value-entry field accepts (7).
    int32_t EntryLength() const { return entryLength; }
    void SetEntryLength(int32_t length) { entryLength = length; }
    bool ValueEntryDisabled() const { return valueEntryDisabled; }
    void SetValueEntryDisabled(bool disabled) { valueEntryDisabled = disabled; }
    // The surface sends a double-click as a second press.
    bool DoubleClickActsAsPress() const { return doubleClickAsPress; }
    void SetDoubleClickActsAsPress(bool asPress) { doubleClickAsPress = asPress; }
    // The surface still sends hover events while the control is greyed.
    bool HoversWhileGreyed() const { return hoverWhileGreyed; }
    void SetHoversWhileGreyed(bool hovers) { hoverWhileGreyed = hovers; }
    const IBlend& Blend() const { return blend; }
    void SetBlend(const IBlend& newBlend) { blend = newBlend; }
    // Linked text controls (not owned; null unlinks).
    void LinkCaption(ILinkedText* text) { caption = text; }
    void LinkName(ILinkedText* text) { nameText = text; }
    // Shown by the editor window while the pointer rests on the control,
    // when the surface's tooltips are on.
    const char* Tooltip() const { return tooltip.Get(); }
    void SetTooltip(const char* text) { tooltip.Set(text); }

protected:
    // The parameter bound to the control; null without a plug-in or when
    // the index names none.
    IPlugParam* Param() const;
    // Sets the value's clamp range.
    void SetValueRange(double minimum, double maximum)
    {
        minValue = minimum;
        maxValue = maximum;
    }
    // The unit value, read or written whole.
    double Value() const { return value.load(std::memory_order_relaxed); }
    void SetValue(double v) { value.store(v, std::memory_order_relaxed); }

private:
    // Bits of drawState; the bits above them count changes.
    static constexpr uint32_t kChanged = 1;
    static constexpr uint32_t kRedrawRequest = 2;
    static constexpr uint32_t kFlags = kChanged | kRedrawRequest;
    static constexpr uint32_t kChangeStep = 4;

    struct AuxEntry
    {
        double value;  // read and written with atomic builtins only
        int32_t paramIdx;
    };
    AuxEntry* AuxEntries() const { return static_cast<AuxEntry*>(aux.Get()); }
    // Sets flags and counts a change, in one step.
    void Touch(uint32_t flags);
    void RefreshLinkedTexts();

    int32_t entryLength = 7;
    TextStyle style;
    IPlugBase* plug;
    IGraphics* surface = nullptr;
    IBounds drawArea;
    IBounds targetArea;
    int32_t paramIdx;
    GrowBuf aux{4096};
    std::atomic<double> value{0.0};  // unit value
    std::atomic<double> defaultValue{-1.0};  // negative: unset
    double minValue = 0.0;
    double maxValue = 1.0;
    // kChanged, kRedrawRequest and the change count; changed at first:
    // every control is drawn once.
    std::atomic<uint32_t> drawState{kChanged};
    bool hidden = false;
    bool greyed = false;
    bool valueEntryDisabled = true;
    bool doubleClickAsPress = false;
    bool hoverWhileGreyed = false;
    IBlend blend;
    ILinkedText* caption = nullptr;
    ILinkedText* nameText = nullptr;
    StringBuf tooltip;
};
