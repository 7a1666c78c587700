#pragma once
// The platform-neutral half of the editor: the list of controls, the back
// buffer they paint into, the change scan of every timer tick and the redraw
// of an update area, the dispatch of pointer, wheel and key events to
// controls, the fan-out of parameter values from the plug-in to controls,
// value entry by popup menu or text field, styled text and resizing. The
// window half (IGraphicsWin) supplies the window, timer, menus, text field
// and dialogs.
//
// Threads: everything runs on the editor's UI thread except
// PushParamToControls, which the plug-in base (under the plug-in lock) and
// the GUI object (without it) also call on the host's threads when the host
// changes a parameter: controls then only store the value and mark
// themselves changed. The list of controls changes (append, delete) only
// under the plug-in lock, and the index of which controls follow which
// parameter with it; the plug-in changes it only while no GUI object is
// attached (it builds the controls once, deletes them with the surface), so
// a push never meets a control being deleted.
//
// Ownership: the plug-in owns the surface (IPlugBase::AttachEditor); the
// surface owns its controls, its key catcher and both bitmaps. The host
// view container is not owned.
//
// Coordinates are editor pixels, (0, 0) the top-left corner.

#include "framework/core/IEditorLink.h"
#include "framework/core/PointerList.h"
#include "framework/core/StringBuf.h"
#include "graphics/editor/IArgb.h"
#include "graphics/editor/IBitmapStrip.h"
#include "graphics/editor/IBlend.h"
#include "graphics/editor/IBounds.h"
#include "graphics/editor/IControl.h"
#include "graphics/editor/IPointerMods.h"
#include "graphics/editor/ParamControlIndex.h"
#include "graphics/editor/SurfaceBackdrops.h"
#include "graphics/editor/TextStyle.h"

#include <cstdint>
#include <vector>

class AAX_IViewContainer;
class IPlugBase;
class IPlugMenu;
class IPlugParam;
class LICE_CachedFont;
class LICE_IBitmap;
class LICE_MemBitmap;
class LICE_SysBitmap;

class IGraphics : public IEditorLink
{
public:
    // plug: not owned (may be null in tests: nothing then reaches a plug-in).
    // framesPerSecond of 0 or below becomes 25. No bitmaps until
    // CreateDrawBitmaps.
    IGraphics(IPlugBase* plug, int32_t width, int32_t height, int32_t framesPerSecond);
    // Deletes the key catcher, the controls (last to first) and both bitmaps.
    // Calls nothing of the plug-in (it may be half destroyed).
    ~IGraphics() override;
    IGraphics(const IGraphics&) = delete;
    IGraphics& operator=(const IGraphics&) = delete;

    // ---- The window half supplies these --------------------------------------

    // Copies the back buffer's area to the window and validates it there.
    virtual bool PaintWindow(const IBounds& area) = 0;
    // Measures text in style: box.R and box.B are set (DrawStyledText's
    // measuring form); false when no font can be had.
    virtual bool GetTextBox(TextStyle& style, const char* text, IBounds& box);
    // Drops an open value-entry field without taking its text.
    virtual void CancelEntry() = 0;
    // The editor takes width x height pixels. Unless keepControls every
    // control is deleted (capture and hover end); both bitmaps are made
    // again at the new size; then the plug-in is asked to resize the host's
    // view (IPlugBase::ResizeHostView, which reports OnEditorResized) and its
    // answer is returned (false without a plug-in).
    virtual bool SetEditorSize(int32_t width, int32_t height, bool keepControls);
    // Deletes every control (capture and hover end), makes both bitmaps
    // again and calls the plug-in's IPlugBase::OnControlsReset. The list is
    // then empty and ready for new controls.
    virtual void ResetControls();
    virtual bool HasWindow() const { return NativeWindow() != nullptr; }
    virtual const char* BackendName() const { return ""; }
    // A message box over the host's top-level window; the pressed button
    // (IDOK, IDCANCEL, IDYES, IDNO of the window system).
    virtual int32_t ShowAlert(const char* text, const char* caption, uint32_t type) = 0;
    // Shows menu at area (its left-bottom corner); the menu or submenu that
    // holds the chosen item, with its chosen index set, or null when nothing
    // was chosen.
    virtual IPlugMenu* ShowPopupMenu(IPlugMenu* menu, const IBounds& area) = 0;
    // Opens a one-line text field over area holding text, for control (and
    // param, null for free text). What is typed reaches the control when the
    // entry is committed (AcceptUserValue, or EntryFinished without param).
    virtual void OpenEntryField(IControl* control, const TextStyle& style, const IBounds& area, const char* text,
                                IPlugParam* param) = 0;
    // The folders of the host program and of the plug-in module, ending in
    // their separator; the desktop and the application-data folder as the
    // system names them. "" when unknown.
    virtual void HostFolder(StringBuf* out) = 0;
    void ModuleFolder(StringBuf* out) override = 0;
    virtual void DesktopFolder(StringBuf* out) = 0;
    virtual void AppDataFolder(StringBuf* out, bool common) = 0;
    // A file dialog: mode 1 saves, any other opens. fileName in: the
    // proposed name; out: the chosen path, "" when cancelled. folder in: where
    // to start (the desktop when empty); out: the chosen file's folder.
    // extensions: blank-separated ("fxp" or "png jpg"), the first the default.
    virtual void AskForFile(StringBuf* fileName, int32_t mode, StringBuf* folder, const char* extensions) = 0;
    // A colour dialog titled prompt; on OK red, green and blue are taken
    // (alpha kept) and true answered.
    virtual bool AskForColour(IArgb* colour, const char* prompt) = 0;
    // Opens address in the browser after an optional yes/no confirmation;
    // without a connection (or when it cannot be opened) shows errorText
    // (when given) and answers false.
    virtual bool OpenWebLink(const char* address, const char* title, const char* confirmText,
                             const char* errorText) = 0;
    // Opens the editor window as a child of parent (the host's native view);
    // the window, or null on failure.
    void* OpenEditorWindow(void* parent) override = 0;
    void CloseEditorWindow() override = 0;
    // The open window, or null.
    virtual void* NativeWindow() const = 0;
    // The clipboard's text; false (out "") when it holds none.
    virtual bool ClipboardText(StringBuf* out) = 0;
    // Redraw timer rate in ticks per second.
    virtual void SetFrameRate(double fps) = 0;
    // Hides the pointer (remembering where it is) / shows it there again.
    virtual void HidePointer() {}
    virtual void RestorePointer() {}
    // A PNG image among the module's resources; null when name does not end
    // in ".png" or the image cannot be read. The caller owns the bitmap.
    virtual LICE_IBitmap* LoadPngResource(int32_t id, const char* name) = 0;

    // ---- What the plug-in base asks (IEditorLink) -----------------------------

    // Makes the back buffer (width x height) and the scratch bitmap anew.
    void CreateDrawBitmaps() override;
    // Any thread. Nothing for an index that names no parameter (-1 among
    // them). A non-unit value is turned into the parameter's unit value
    // first. Every control bound to paramIdx takes it (AcceptPlugValue),
    // every control following it as an auxiliary parameter too
    // (AcceptPlugAuxValue). A value that is not finite is dropped.
    void PushParamToControls(int32_t paramIdx, double value, bool isUnit) override;
    // The same conversion, then AcceptUserValue on every control bound to
    // paramIdx, so the value travels to the plug-in and the host as a user edit.
    void SetParamControlsAsUser(int32_t paramIdx, double value, bool isUnit) override;
    bool IsMouseButtonHeld() const override { return buttonDown; }
    EditorPressModifiers LastPressModifiers() const override { return {mods.shift, mods.ctrl}; }

    // ---- Controls -------------------------------------------------------------------

    // Takes ownership and answers the control's index (its place in the
    // list; list order is paint order, the last on top). Null: -1. A control
    // the list cannot hold is deleted: -1.
    int32_t AppendControl(IControl* control);
    // Null for an index out of range.
    IControl* ControlAt(int32_t idx) const { return controls.Get(idx); }
    // A control of the list gained an auxiliary parameter
    // (IControl::AddAuxParam); false when memory ran out to note it.
    bool NoteAuxParams(const IControl* control);
    int32_t ControlCount() const { return controls.GetSize(); }
    // AcceptPlugValue on the control at idx (nothing out of range).
    void SetControlValue(int32_t idx, double unit);
    // MarkChanged(push) on every control.
    void MarkAllControls(bool push);
    // Every control that follows the layout takes the design size and scales
    // and the area its box resolves to there (IResize::ResolveBounds).
    void ApplyScaledLayout(int32_t designWidth, int32_t designHeight, double scaleX, double scaleY);
    // Owned from now on; keys that no control under the pointer takes go to
    // it. A previous catcher is deleted.
    void SetKeyCatcher(IControl* control);
    // Controls first to last change often (the meter's bars, a read-out's
    // value): inside the area they cover, a draw in which no control below
    // first that meets it has changed starts from the pixels those controls
    // left there and paints only from first up (SurfaceBackdrops). None
    // until added; the list emptied, none again.
    void AddBackdrop(int32_t first, int32_t last);

    // ---- Drawing (UI thread, from controls' Paint) --------------------------------

    // Fills bounds with colour, combined as blend says (null: source alpha at
    // full weight). Only the part inside the back buffer and the area being
    // drawn is touched.
    void FillBounds(const IArgb& colour, const IBounds& bounds, const IBlend* blend);
    // Draws frame (from 1) of strip into bounds: with more than one frame the
    // source moves by round(size x (frame - 1) / frameCount) across or down.
    // Only the part inside the back buffer and the area being drawn is drawn.
    void DrawFrameBitmap(const IBitmapStrip& strip, const IBounds& bounds, int32_t frame, const IBlend* blend);
    // Draws text in style into area (alignment and vertical placement from
    // the style; not clipped to area, only to the back buffer). With measure
    // nothing is drawn: area.B becomes T + the text's height and L and R are
    // placed by the alignment around the text's width. True for a null or
    // empty text (nothing drawn); false when no font can be had.
    bool DrawStyledText(TextStyle& style, const char* text, IBounds& area, bool measure);
    // The editor's font for style from the process-wide cache (stored in the
    // style's font slot); null when none can be made.
    static LICE_CachedFont* CacheFont(TextStyle& style);

    // Repaints the controls that are not hidden and meet area (in list
    // order; from the first control of a run whose backdrop serves there,
    // AddBackdrop), ends the pass for every control (IControl::FinishPass:
    // a control is done with only when its changed area, as far as it can
    // show, lies in area) and copies area to the window (which validates it,
    // also with no controls).
    void Draw(const IBounds& area);
    // The timer tick's change scan: the plug-in's IdleRefresh first, then
    // area grows by the changed area (IControl::ChangedArea) of every
    // changed control (one whose changed area is empty has nothing to draw:
    // it is done with here). True when any changed. After 21 ticks in a row
    // without a change every control gets QuietPeriodHook and the count
    // starts again.
    bool CollectChanges(IBounds& area);
    // The same scan, the changed areas gathered into clusters
    // (AreaClusters.h) added to areas, each to be drawn on its own.
    bool CollectChangedAreas(std::vector<IBounds>& areas);

    // ---- Input (UI thread; each records mods first) ------------------------------

    // A press: the control under the pointer (not greyed) is captured. For a
    // control bound to a parameter the host's view container (when set) is
    // offered the click first; when the host takes it the surface forgets
    // the press. Otherwise a gesture of the parameter begins
    // (IPlugBase::BeginParamGesture) before the control's PointerPressed.
    void PointerDown(int32_t x, int32_t y, const IPointerMods& mods);
    // The release: the captured control (the one that took the press or
    // the double-click), and no other, gets PointerReleased; capture ends;
    // the gesture begun by the press (if any) ends, for the parameter it
    // began with.
    void PointerUp(int32_t x, int32_t y, const IPointerMods& mods);
    // While a control is captured and the pointer moved: PointerDragged
    // with the distance since the last position.
    void PointerDrag(int32_t x, int32_t y, const IPointerMods& mods);
    // With hover tracking on: the control under the pointer (greyed ones
    // that hover while greyed too) gets PointerHovering and becomes the
    // hover control; the previous one gets PointerLeft. Answers whether hover
    // tracking is on.
    bool PointerMove(int32_t x, int32_t y, const IPointerMods& mods);
    // A double-click: a control that takes it as a press is captured and
    // pressed (true, with a gesture as for a press); any other gets
    // PointerDoubleClicked and is captured until the release (false). False
    // with no control.
    bool PointerDoubleClick(int32_t x, int32_t y, const IPointerMods& mods);
    // delta: whole notches, positive away from the user.
    void WheelTurn(int32_t x, int32_t y, const IPointerMods& mods, int32_t delta);
    // key: EKeyCode. A control under the pointer at index 1 or above gets it;
    // otherwise (the background control at 0, or none) the key catcher.
    // Answers whether it was handled.
    bool KeyDown(int32_t x, int32_t y, int32_t key);
    // Every control gets PointerLeft; no hover control.
    void PointerLeftAll();
    // The press's button no longer counts as held (IsMouseButtonHeld): a
    // control that opens a menu or a dialog from its press says so, as the
    // menu or dialog takes the release.
    void ForgetButtonDown() { buttonDown = false; }
    // The captured control's index while capture lasts; else the topmost
    // control that is not hidden, not greyed (unless allowGreyed and it
    // hovers while greyed) and contains the point; -1 for none.
    int32_t ControlUnderPointer(int32_t x, int32_t y, bool allowGreyed) const;

    // A popup of param's display texts (choice and bool kinds with texts)
    // or a text field holding its value, for control at area. Nothing when
    // any of the three is missing.
    void PromptParamEntry(IControl* control, IPlugParam* param, const IBounds& area);

    // ---- State -------------------------------------------------------------------

    IPlugBase* Plug() const { return plug; }
    int32_t Width() const override { return width; }
    int32_t Height() const override { return height; }
    int32_t FramesPerSecond() const { return framesPerSecond; }
    // Null before CreateDrawBitmaps.
    LICE_SysBitmap* BackBuffer() const { return backBuffer; }
    // The area being drawn; the whole back buffer outside Draw.
    IBounds ClipArea() const;
    // Set by the GUI object while the host shows the editor; null otherwise.
    void SetViewContainer(AAX_IViewContainer* container) override { viewContainer = container; }
    AAX_IViewContainer* ViewContainer() const { return viewContainer; }
    void SetHoverTracking(bool on) { hoverTracking = on; }
    // Tooltips of controls in the editor window (off unless turned on); the
    // window half follows a change at once.
    virtual void SetTooltipsEnabled(bool on) { tooltipsEnabled = on; }
    bool TooltipsEnabled() const { return tooltipsEnabled; }
    int32_t CapturedControl() const { return captured; }
    int32_t HoverControl() const { return hover; }

protected:
    // Ends the open gesture, if any.
    void EndOpenGesture();
    // The pointer is gone (the window closes): no capture, hover or held
    // button stays; an open gesture ends, or with endGesture false (the
    // plug-in is going) is only forgotten.
    void AbandonPointer(bool endGesture);
    // Forget capture and the last pointer position.
    void ForgetCapture();
    // The same, and the hover control.
    void ForgetPointer();

private:
    void DeleteControls();
    // The change scan: add(index, changed area) for every changed control
    // with something to draw.
    template <class Add>
    bool ScanChanges(Add add);

    void SetControlsAsUserOrPlug(int32_t paramIdx, double value, bool isUnit, bool asUser);
    void PressControl(IControl* control, int32_t x, int32_t y);

    int32_t framesPerSecond;
    PointerList<IControl> controls;
    IPlugBase* plug;
    IBounds clipArea;
    bool drawing = false;
    LICE_SysBitmap* backBuffer = nullptr;
    AAX_IViewContainer* viewContainer = nullptr;
    LICE_MemBitmap* scratch = nullptr;
    ParamControlIndex paramIndex;
    SurfaceBackdrops backdrops;
    int32_t width;
    int32_t height;
    int32_t quietTicks = 0;
    int32_t captured = -1;
    int32_t hover = -1;
    int32_t lastX = 0;
    int32_t lastY = 0;
    int32_t gestureParam = -1;
    bool hoverTracking = false;
    bool tooltipsEnabled = false;
    IControl* keyCatcher = nullptr;
    bool buttonDown = false;
    IPointerMods mods;
};
