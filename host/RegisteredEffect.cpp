#include "host/RegisteredEffect.h"

#include <stdexcept>

RecordedEffect RegisterEffect(StandInHost& host, ACFRegisterPluginProc registerPlugin)
{
    IACFUnknown* definition = nullptr;
    const int32_t result = registerPlugin ? registerPlugin(host.Unknown(), &definition) : -1;
    if (definition)
        definition->Relinquish();
    const std::vector<RecordedEffect>& effects = host.Record().description.effects;
    if (result != 0 || effects.empty())
        throw std::runtime_error(FormatText("the effect did not register (%d)", result));
    return effects.front();
}
