#pragma once
// The GUI object as the host calls it (kIID_EffectGUI): attached to the host
// object of its effect instance, given the host's view to show the editor in
// (and null when the view goes), asked for the editor's size and told of
// parameter values the host changed. Results are AAX result codes; every call
// comes on the host's UI thread.

#include "platform/AAX_IHostViewContainer.h"
#include "platform/IACFUnknown.h"

#include <cstdint>

class AAX_IACFEffectGUI : public IACFUnknown
{
public:
    // hostObject answers the controller, the transport and the instance's
    // effect-parameters interface.
    virtual int32_t AttachToHost(IACFUnknown* hostObject) = 0;
    virtual int32_t DetachFromHost() = 0;
    virtual int32_t Reserved1() = 0;
    // view: the host's view container (kIID_ViewContainer), or null when the
    // host removes the view.
    virtual int32_t AttachViewContainer(IACFUnknown* view) = 0;
    // The size the editor wants, height first.
    virtual int32_t ReportViewSize(AAXViewSize* size) = 0;
    virtual int32_t Reserved2() = 0;
    virtual int32_t Reserved3() = 0;
    // The host changed the value of the parameter id.
    virtual int32_t ReflectParamValue(const char* id) = 0;
    virtual int32_t Reserved4() = 0;
    virtual int32_t Reserved5() = 0;

protected:
    ~AAX_IACFEffectGUI() = default;
};
