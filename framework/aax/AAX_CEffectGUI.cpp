#include "framework/aax/AAX_CEffectGUI.h"

#include "framework/aax/AAX_CString.h"
#include "framework/aax/BoundaryGuard.h"
#include "platform/ACFInterfaceIDs.h"
#include "platform/AAXResults.h"

#include <new>

AAX_CEffectGUI::~AAX_CEffectGUI() = default;

int32_t AAX_CEffectGUI::LookupInterfaceInner(const ACFUID& iid, void** out)
{
    if (!out)
        return kACFResultNullPointer;
    if (iid == kIID_EffectGUI)
        return ProvideInterface(out);
    return CACFUnknown::LookupInterfaceInner(iid, out);
}

int32_t AAX_CEffectGUI::AttachToHost(IACFUnknown* hostObject)
{
    return GuardBoundary([&] {
        // A refused attach leaves an earlier one as it was.
        if (!hostObject)
            return kAAXResultNoController;
        std::unique_ptr<AAX_VController> newController(new (std::nothrow) AAX_VController(hostObject));
        if (!newController)
            return kAAXResultNoController;
        if (controller || effectParams || transport)
            DetachFromHost();
        controller = std::move(newController);
        effectParams.Lookup(hostObject, kIID_EffectParameters);
        transport = std::make_unique<AAX_VTransport>(hostObject);
        BindEditor();
        return 0;
    });
}

int32_t AAX_CEffectGUI::DetachFromHost()
{
    return GuardBoundary([&] {
        // The editor belongs to the instance let go here: it leaves the view first.
        if (viewContainer)
            AttachViewContainer(nullptr);
        effectParams.Reset();
        controller.reset();
        transport.reset();
        BindEditor();
        return 0;
    });
}

int32_t AAX_CEffectGUI::AttachViewContainer(IACFUnknown* view)
{
    return GuardBoundary([&] {
        if (viewContainer)
        {
            // The old wrapper stays alive until the editor is closed off it.
            const std::unique_ptr<AAX_VViewContainer> old = std::move(viewContainer);
            CloseEditorView();
        }
        if (view)
        {
            viewContainer = std::make_unique<AAX_VViewContainer>(view);
            OpenEditorView();
            RefreshAllParamViews();
        }
        return 0;
    });
}

int32_t AAX_CEffectGUI::ReportViewSize(AAXViewSize*) { return 0; }

int32_t AAX_CEffectGUI::ReflectParamValue(const char*) { return 0; }

int32_t AAX_CEffectGUI::Reserved4() { return kAAXResultMissingInterface; }

void AAX_CEffectGUI::RefreshAllParamViews()
{
    AAX_IACFEffectParameters* params = EffectParams();
    int32_t count = 0;
    if (!params || params->CountParameters(&count) != 0 || count < 0)
        return;
    for (int32_t i = 0; i < count; ++i)
    {
        AAX_CString id;
        if (params->ParameterIDAt(i, &id) == 0)
            ReflectParamValue(id.Get());
    }
}

void* AAX_CEffectGUI::NativeParent() const { return viewContainer ? viewContainer->NativeView() : nullptr; }
