#pragma once
// Wrapper of the view container the host hands a GUI object. Without the
// host's interface: no native view, -20009 for a mouse-down, -20004 for the
// view size and the modifier keys.

#include "framework/aax/AAX_IViewContainer.h"
#include "framework/aax/HostInterfaceRef.h"
#include "platform/AAX_IHostViewContainer.h"

class AAX_VViewContainer final : public AAX_IViewContainer
{
public:
    explicit AAX_VViewContainer(IACFUnknown* hostObject);

    void* NativeView() override;
    int32_t HandleParameterMouseDown(const char* id, uint32_t modifiers) override;
    int32_t SetViewSize(const AAXViewSize& size) override;
    int32_t HostModifiers(uint32_t* modifiers) override;

private:
    HostInterfaceRef<AAX_IHostViewContainer> view;
};
