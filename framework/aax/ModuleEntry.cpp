#include "framework/aax/ModuleEntry.h"

#include "framework/aax/AAX_VCollection.h"
#include "framework/aax/BoundaryGuard.h"
#include "framework/aax/CACFUnknown.h"
#include "framework/aax/HostTrace.h"
#include "framework/aax/SonvarekDescription.h"
#include "platform/ACFInterfaceIDs.h"
#include "platform/AAXResults.h"

#include <type_traits>

static_assert(std::is_same_v<decltype(&ACFCanUnloadNow), ACFCanUnloadNowProc>);
static_assert(std::is_same_v<decltype(&ACFGetClassFactory), ACFGetClassFactoryProc>);
static_assert(std::is_same_v<decltype(&ACFGetSDKVersion), ACFGetSDKVersionProc>);
static_assert(std::is_same_v<decltype(&ACFRegisterComponent), ACFRegisterComponentProc>);
static_assert(std::is_same_v<decltype(&ACFRegisterPlugin), ACFRegisterPluginProc>);
static_assert(std::is_same_v<decltype(&ACFShutdown), ACFShutdownProc>);
static_assert(std::is_same_v<decltype(&ACFStartup), ACFStartupProc>);

int32_t ACFCanUnloadNow(IACFUnknown*)
{
    return GuardBoundary([] { return CACFUnknown::LiveObjectCount(); });
}

int32_t ACFGetClassFactory(IACFUnknown*, const ACFUID&, const ACFUID&, void** factory)
{
    if (!factory)
        return kACFResultNullPointer;
    *factory = nullptr;
    return kAAXResultNotImplemented;
}

int32_t ACFGetSDKVersion(uint64_t* version)
{
    if (!version)
        return kACFResultNullPointer;
    *version = static_cast<uint64_t>(kACFSDKVersionHigh) << 32 | kACFSDKVersionLow;
    return 0;
}

int32_t ACFRegisterComponent(IACFUnknown*, uint32_t, IACFUnknown** component)
{
    if (!component)
        return kACFResultNullPointer;
    *component = nullptr;
    return 0;
}

int32_t ACFRegisterPlugin(IACFUnknown* host, IACFUnknown** definition)
{
    if (!definition)
        return kACFResultNullPointer;
    *definition = nullptr;
    return GuardBoundary([&] {
        AAX_VCollection collection(host);
        int32_t result = DescribeEffect(collection, kSonvarekDescription);
        if (result == 0)
        {
            AAX_IHostCollection* hostCollection = collection.HostCollection();
            void* answer = nullptr;
            if (hostCollection && hostCollection->LookupInterface(kIID_PluginDefinition, &answer) == 0 && answer)
                *definition = static_cast<IACFUnknown*>(answer);
            else
                result = kAAXResultMissingInterface;
        }
        return result;
    });
}

int32_t ACFShutdown(IACFUnknown*)
{
    return GuardBoundary([] {
        SetHostServices(nullptr);
        return 0;
    });
}

int32_t ACFStartup(IACFUnknown* host)
{
    return GuardBoundary([&] {
        SetHostServices(host);
        return 0;
    });
}
