#pragma once
// A host view container that records the parameter clicks it is offered
// and takes them when told to.

#include "framework/aax/AAX_IViewContainer.h"

#include <string>
#include <vector>

class FakeViewContainer final : public AAX_IViewContainer
{
public:
    void* NativeView() override { return nullptr; }
    int32_t HandleParameterMouseDown(const char* id, uint32_t modifiers) override
    {
        offered.push_back(std::string(id) + " " + std::to_string(modifiers));
        return takesClicks ? 0 : -20009;
    }
    int32_t SetViewSize(const AAXViewSize&) override { return 0; }
    int32_t HostModifiers(uint32_t* modifiers) override
    {
        *modifiers = hostModifiers;
        return 0;
    }

    bool takesClicks = false;
    uint32_t hostModifiers = 0;
    std::vector<std::string> offered;
};
