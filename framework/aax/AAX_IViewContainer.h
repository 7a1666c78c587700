#pragma once
// The host's view of a GUI object, as the editor uses it.

#include "platform/AAX_IHostViewContainer.h"

#include <cstdint>

class AAX_IViewContainer
{
public:
    virtual ~AAX_IViewContainer() = default;

    // The native parent window, or null.
    virtual void* NativeView() = 0;
    // 0 when the host took the click.
    virtual int32_t HandleParameterMouseDown(const char* id, uint32_t modifiers) = 0;
    virtual int32_t SetViewSize(const AAXViewSize& size) = 0;
    // *modifiers: AAXModifierBits of the host's own keys; untouched on failure.
    virtual int32_t HostModifiers(uint32_t* modifiers) = 0;
};
