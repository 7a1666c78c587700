#pragma once
// The host-facing base of the GUI object: it keeps the wrappers of the host
// object it is attached to (controller, transport), the instance's
// effect-parameters interface and the wrapper of the view the host gives,
// and leaves what the editor does with them to the framework side (BindEditor,
// OpenEditorView, CloseEditorView).
//
// Every host operation lets no exception out and comes on the host's UI
// thread. The view-container wrapper lives from the view's arrival until the
// host removes it (or gives another, or detaches): the editor is closed off
// it before it goes.

#include "framework/aax/AAX_IEffectGUI.h"
#include "framework/aax/AAX_VController.h"
#include "framework/aax/AAX_VTransport.h"
#include "framework/aax/AAX_VViewContainer.h"
#include "framework/aax/HostInterfaceRef.h"
#include "platform/AAX_IACFEffectParameters.h"

#include <cstdint>
#include <memory>

class AAX_CEffectGUI : public AAX_IEffectGUI
{
public:
    AAX_CEffectGUI() = default;
    // Releases what is still held; a framework side that opens views closes
    // them in its own destructor (DetachFromHost).
    ~AAX_CEffectGUI() override;

    // Answers kIID_EffectGUI with this object.
    int32_t LookupInterfaceInner(const ACFUID& iid, void** out) override;

    // ---- Host operations -------------------------------------------------------

    // -20011 without a host object or a controller wrapper: an earlier
    // attach then stays as it was (its editor stays open).
    // Otherwise: the controller, the effect-parameters interface (null when
    // the host object does not answer it), the transport, then BindEditor; 0.
    // Attaching again detaches first.
    int32_t AttachToHost(IACFUnknown* hostObject) override;
    // A view still shown is removed first (the editor closes); then the
    // effect-parameters interface is relinquished, the wrappers deleted and
    // BindEditor finds no editor; 0.
    int32_t DetachFromHost() override;
    int32_t Reserved1() override { return 0; }
    // A view shown before is removed first (CloseEditorView, then its wrapper
    // goes). A view: wrapped, OpenEditorView, RefreshAllParamViews. 0.
    int32_t AttachViewContainer(IACFUnknown* view) override;
    // Base: 0, size untouched.
    int32_t ReportViewSize(AAXViewSize* size) override;
    int32_t Reserved2() override { return 0; }
    int32_t Reserved3() override { return 0; }
    // Base: 0.
    int32_t ReflectParamValue(const char* id) override;
    int32_t Reserved4() override;
    int32_t Reserved5() override { return 0; }

    // ---- Framework side ----------------------------------------------------------

    // After attach and detach: finds the editor of the effect-parameters
    // interface (none without one).
    virtual void BindEditor() = 0;
    // A view arrived: show the editor in it (when there are an editor and a
    // native parent).
    virtual void OpenEditorView() = 0;
    // The view goes: close the editor; it no longer uses the view afterwards.
    virtual void CloseEditorView() = 0;
    // ReflectParamValue for the ID of every parameter of the effect, in order;
    // nothing without an effect-parameters interface or when it cannot count.
    void RefreshAllParamViews();

    // Null when not attached or not answered.
    AAX_IACFEffectParameters* EffectParams() const { return effectParams.Get(); }
    // Null while no view is given.
    AAX_IViewContainer* ViewContainer() const { return viewContainer.get(); }
    // The view's native parent window; null without a view.
    void* NativeParent() const;
    AAX_IController* Controller() const { return controller.get(); }
    AAX_ITransport* Transport() const { return transport.get(); }

private:
    std::unique_ptr<AAX_VController> controller;
    HostInterfaceRef<AAX_IACFEffectParameters> effectParams;
    std::unique_ptr<AAX_VViewContainer> viewContainer;
    std::unique_ptr<AAX_VTransport> transport;
};
