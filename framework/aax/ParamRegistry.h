#pragma once
// The host-side parameters of an effect, owned, in order of addition and by
// identifier. Filled while the effect attaches to the host and then only
// read, so it has no lock: host threads look up concurrently, and only attach
// and detach (which the host never overlaps with other calls) change it.

#include "framework/aax/AAX_IAutomationDelegate.h"
#include "framework/aax/AAX_IParameter.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class ParamRegistry
{
public:
    ParamRegistry() = default;
    // Deletes every parameter.
    ~ParamRegistry() { RemoveAll(); }
    ParamRegistry(const ParamRegistry&) = delete;
    ParamRegistry& operator=(const ParamRegistry&) = delete;

    // The delegate given to every parameter added from now on.
    void BindDelegate(AAX_IAutomationDelegate* delegate) { automationDelegate = delegate; }
    // Binds the stored delegate to the parameter and keeps it; returns it.
    // A null parameter, or one whose identifier is registered already, is
    // not kept (the latter is deleted here) and null is returned.
    AAX_IParameter* Add(std::unique_ptr<AAX_IParameter> parameter);
    int32_t Count() const { return static_cast<int32_t>(ordered.size()); }
    // Null out of range.
    AAX_IParameter* At(int32_t index) const;
    // Position in the order of addition; -1 for a null or unknown identifier.
    int32_t IndexOf(const char* id) const;
    // Null for a null or unknown identifier.
    AAX_IParameter* FindByID(const char* id) const;
    // Deletes every parameter (each unregisters from its delegate).
    void RemoveAll();

private:
    AAX_IAutomationDelegate* automationDelegate = nullptr;
    std::vector<AAX_IParameter*> ordered;
    std::map<std::string, AAX_IParameter*, std::less<>> byID;  // looked up without a copy of the key
};
