#pragma once
// The host's view container (kIID_ViewContainer), handed to a GUI object: the
// native parent window, the host's share of mouse-downs on parameter
// controls, the view size and the host's own modifier keys.

#include "platform/IACFUnknown.h"

// Sizes exchanged with the host: two floats, height first.
struct AAXViewSize
{
    float height;
    float width;
};

// Modifier bits of a parameter mouse-down, ORed with those the host reports.
enum AAXModifierBits : uint32_t
{
    kAAXModifierShift = 1,
    kAAXModifierAlt = 4,
    kAAXModifierCtrl = 8,
    kAAXModifierRightButton = 16,
};

class AAX_IHostViewContainer : public IACFUnknown
{
public:
    virtual void* NativeView() = 0;
    // 0 when the host took the click; then the editor does nothing with it.
    virtual int32_t HandleParameterMouseDown(const char* id, uint32_t modifiers) = 0;
    virtual int32_t SetViewSize(const AAXViewSize* size) = 0;
    virtual int32_t HostModifiers(uint32_t* modifiers) = 0;

protected:
    ~AAX_IHostViewContainer() = default;
};
