#pragma once
// The GUI object of the framework's plug-ins: binds the host-facing GUI base
// to the editor of the IPlugAAX instance behind the host's effect-parameters
// interface. It opens the editor window in the host's view, closes it, tells
// the plug-in of both, reports the editor's size and hands host-side
// parameter values to the editor's controls. The editor belongs to the
// plug-in, never to this object. [UI thread]

#include "framework/aax/AAX_CEffectGUI.h"

class IEditorLink;
class IPlugAAX;

class AAX_CEffectGUI_IPLUG final : public AAX_CEffectGUI
{
public:
    AAX_CEffectGUI_IPLUG() = default;
    // Closes a view still shown and lets go of the instance.
    ~AAX_CEffectGUI_IPLUG() override;

    // {height, width} of the editor; untouched without one. Always 0 (a null
    // record: kACFResultNullPointer).
    int32_t ReportViewSize(AAXViewSize* size) override;
    // For a plug-in parameter's ID (not the master bypass): its normalised
    // value from the effect parameters, as a unit value into every control
    // bound to it. Nothing without an editor or when the value cannot be had.
    // Always 0. Also on the thread that set the value (a host may report
    // there): the controls take values from any thread.
    int32_t ReflectParamValue(const char* id) override;

    // The instance is the IPlugAAX that the effect-parameters interface
    // belongs to; the editor is the one attached to it (none when it has none
    // or the interface is another's).
    void BindEditor() override;
    // With an editor and a native parent: the editor and the plug-in get the
    // view container, the editor window opens as a child of the parent and,
    // once it stands, the plug-in hears OnEditorOpened. A window that cannot
    // be opened leaves neither holding the container.
    void OpenEditorView() override;
    // With an editor: OnEditorClosed, the window closes, and neither the
    // editor nor the plug-in holds the view container any more.
    void CloseEditorView() override;

private:
    void ForgetViewContainer();

    IPlugAAX* plug = nullptr;
    IEditorLink* editor = nullptr;
};
