#include "framework/aax/AAX_CEffectGUI_IPLUG.h"

#include "framework/aax/BoundaryGuard.h"
#include "framework/aax/IPlugAAX.h"
#include "framework/aax/ParamID.h"
#include "platform/AAXResults.h"

AAX_CEffectGUI_IPLUG::~AAX_CEffectGUI_IPLUG() { DetachFromHost(); }

int32_t AAX_CEffectGUI_IPLUG::ReportViewSize(AAXViewSize* size)
{
    if (!size)
        return kACFResultNullPointer;
    if (editor)
    {
        size->height = static_cast<float>(editor->Height());
        size->width = static_cast<float>(editor->Width());
    }
    return 0;
}

int32_t AAX_CEffectGUI_IPLUG::ReflectParamValue(const char* id)
{
    return GuardBoundary([&] {
        AAX_IACFEffectParameters* params = EffectParams();
        if (!editor || !plug || !params || !id)
            return 0;
        const int32_t idx = ParamIndexOfID(id, plug->NParams());
        double value = 0.0;
        if (idx >= 0 && params->QueryNormalized(id, &value) == 0)
            editor->PushParamToControls(idx, value, true);
        return 0;
    });
}

void AAX_CEffectGUI_IPLUG::BindEditor()
{
    // The host hands the effect-parameters part of the instance; another
    // object (not one of ours) binds no editor.
    plug = dynamic_cast<IPlugAAX*>(EffectParams());
    editor = plug ? plug->GetEditor() : nullptr;
}

void AAX_CEffectGUI_IPLUG::OpenEditorView()
{
    void* parent = NativeParent();
    if (!parent || !editor)
        return;
    editor->SetViewContainer(ViewContainer());
    plug->SetViewContainer(ViewContainer());
    if (editor->OpenEditorWindow(parent))
        plug->OnEditorOpened();
    else
        ForgetViewContainer();
}

void AAX_CEffectGUI_IPLUG::CloseEditorView()
{
    if (!editor)
        return;
    plug->OnEditorClosed();
    editor->CloseEditorWindow();
    ForgetViewContainer();
}

void AAX_CEffectGUI_IPLUG::ForgetViewContainer()
{
    editor->SetViewContainer(nullptr);
    plug->SetViewContainer(nullptr);
}
