#pragma once
// The editor surface bound to the windowing layer: a child window in the
// host's view, a timer that drives the change scan and redraw, the window
// procedure that turns messages into the surface's pointer, wheel and key
// calls, a one-line text field for typed values, popup menus, file and
// colour dialogs, a web link, clipboard text, folders, message boxes and
// pointer hiding. [UI thread: everything here]
//
// The window class "IPlugWndClass" is registered while at least one editor
// window of the process is open.

#include "framework/core/StringBuf.h"
#include "graphics/editor/IGraphics.h"
#include "platform/win32/Win32.h"

#include <cstdint>
#include <memory>
#include <vector>

class IGraphicsWin : public IGraphics
{
public:
    // The redraw timer's id.
    static constexpr UINT_PTR kTimerId = 2;
    // The value-entry field's child id.
    static constexpr int32_t kEntryFieldId = 99;

    // Where an open value-entry field stands.
    enum EEntryState : int32_t
    {
        kEntryIdle = 0,     // field just made, or idle between redraws
        kEntryFocused = 1,  // the field has the keyboard: the editor does not redraw
        kEntryShown = 2,    // a tick drew around the open field
        kEntryCancel = 3,   // the next tick removes the field, value unchanged
        kEntryCommit = 4,   // the next tick takes the typed value, then removes the field
    };

    // The surface's arguments; no window until OpenEditorWindow.
    IGraphicsWin(IPlugBase* plug, int32_t width, int32_t height, int32_t framesPerSecond);
    // Closes the window (without ending a gesture: the plug-in may be half
    // destroyed), then the surface part.
    ~IGraphicsWin() override;

    // The plug-in module's instance handle, for the window class, the entry
    // field, the module folder and resources. Set right after construction.
    void SetModuleInstance(HINSTANCE instance) { moduleInstance = instance; }
    HINSTANCE ModuleInstance() const { return moduleInstance; }

    bool PaintWindow(const IBounds& area) override;
    void CancelEntry() override;
    // The surface part first (an open entry field and a shown tooltip go
    // when the controls do); then the window grows or shrinks by the change
    // of the editor's size (in every plug-in format: the window always shows
    // the whole editor), and for formats other than 0, 1, 3 and 4 also its
    // parent and grandparent (each while a child and not an MDI child). The
    // whole area is invalidated. False without a window.
    bool SetEditorSize(int32_t width, int32_t height, bool keepControls) override;
    // An open entry field and a shown tooltip go first.
    void ResetControls() override;
    // While the window is open: off removes the tooltip window (none shows
    // from then on), on makes it.
    void SetTooltipsEnabled(bool on) override;
    bool HasWindow() const override { return window != nullptr; }
    const char* BackendName() const override { return "Windows GDI"; }
    // Owned by the host's top-level window (found once from the parent).
    int32_t ShowAlert(const char* text, const char* caption, uint32_t type) override;
    // Item ids are counted from 0 in build order (MenuIds.h); items whose
    // id does not fit a command (65536 and above) are shown greyed. Null
    // without a window.
    IPlugMenu* ShowPopupMenu(IPlugMenu* menu, const IBounds& area) override;
    // An "EDIT" child over area (one pixel larger each way), in the style's
    // font and alignment, holding text selected, at most the control's entry
    // length; it takes the keyboard. Nothing without a control or a window,
    // or while a field is open. Enter or losing the keyboard commits,
    // Escape cancels; the next timer tick acts. A commit of an empty text,
    // of a text that is not a finite number (or, for choice parameters, one
    // of its display texts) cancels: the value stays.
    void OpenEntryField(IControl* control, const TextStyle& style, const IBounds& area, const char* text,
                        IPlugParam* param) override;
    // The folders of the host program and of the plug-in module, up to and
    // including the last '/' or '\\' ("" when unknown, or without a module
    // instance for the module).
    void HostFolder(StringBuf* out) override;
    void ModuleFolder(StringBuf* out) override;
    // As the system names them ("" when unknown).
    void DesktopFolder(StringBuf* out) override;
    void AppDataFolder(StringBuf* out, bool common) override;
    // Without a window: the file name becomes "" and nothing is asked.
    void AskForFile(StringBuf* fileName, int32_t mode, StringBuf* folder, const char* extensions) override;
    bool AskForColour(IArgb* colour, const char* prompt) override;
    bool OpenWebLink(const char* address, const char* title, const char* confirmText,
                     const char* errorText) override;
    // parent: the host's view (HWND). An open window is closed first and its
    // place and size taken over; otherwise (0, 0) and the editor's size (also
    // after the window was destroyed from outside, which it forgets). On
    // success every control is marked changed (no push), so the first tick
    // paints everything; the timer starts with trunc(1000 / frame rate) ms.
    void* OpenEditorWindow(void* parent) override;
    // Ends a gesture left open by a held button, removes the entry field
    // and the tooltip, shows a hidden pointer again and destroys the window.
    void CloseEditorWindow() override;
    void* NativeWindow() const override { return window; }
    bool ClipboardText(StringBuf* out) override;
    // Re-arms the window's timer with max(1, trunc(1000 / fps)) ms; a rate
    // that is not above 0 (or NaN) is ignored.
    void SetFrameRate(double fps) override;
    void HidePointer() override;
    void RestorePointer() override;
    LICE_IBitmap* LoadPngResource(int32_t id, const char* name) override;

    // ---- Read by tests and the window procedure ---------------------------------

    HWND Window() const { return window; }
    HWND EntryField() const { return entryField; }
    EEntryState EntryState() const { return entryState; }
    double FrameRate() const { return frameRate; }
    HWND TooltipWindow() const { return tooltip; }
    bool TooltipShown() const { return tooltipShown; }
    // Open editor windows of the process.
    static int32_t OpenWindowCount();
    // The redraw timer's period for a frame rate above 0: max(1, trunc(1000 / fps)) ms.
    static UINT TimerPeriodMs(double fps);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EntryProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleEntryMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Tick();
    void CommitEntry();
    void RequestCommit();
    void RemoveEntryField();
    void CloseWindow(bool endGesture);
    // Lets go of everything the open window holds (pointer, entry field,
    // tooltip) and answers its handle, now no longer the editor's; null when
    // none was open.
    HWND ForgetWindow(bool endGesture);
    // The window got WM_DESTROY while still the editor's.
    void WindowDestroyed();
    void MouseMoved(WPARAM wParam, LPARAM lParam);
    void ButtonPressed(WPARAM wParam, LPARAM lParam);
    void WheelTurned(WPARAM wParam, LPARAM lParam);
    LRESULT KeyPressed(WPARAM wParam, LPARAM lParam);
    void ShowTooltip();
    void HideTooltip();
    void OpenTooltip();
    void CloseTooltip();
    // Before every control is deleted: the entry field and a shown tooltip go.
    void LetControlsGo();
    HWND TopLevelOwner();

    HINSTANCE moduleInstance = nullptr;
    HWND window = nullptr;
    HWND entryField = nullptr;
    HWND tooltip = nullptr;
    IControl* entryControl = nullptr;
    IPlugParam* entryParam = nullptr;
    WNDPROC entryPreviousProc = nullptr;
    EEntryState entryState = kEntryIdle;
    HFONT entryFont = nullptr;
    bool tooltipShown = false;
    int32_t tooltipControl = -1;
    std::unique_ptr<COLORREF[]> customColours;  // 16, made on first use
    HWND ownerWindow = nullptr;
    HWND parentWindow = nullptr;
    StringBuf ownerClass;
    double frameRate;
    int32_t wheelRemainder = 0;  // wheel units not yet a whole notch
    std::vector<IBounds> changedAreas;  // of a tick; its memory kept for the next
    bool pointerHidden = false;
    POINT hiddenAt = {0, 0};
};
