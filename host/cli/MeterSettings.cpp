#include "host/cli/MeterSettings.h"

#include "host/HostString.h"
#include "host/cli/NumberText.h"
#include "platform/AAXResults.h"

#include <algorithm>

namespace {

constexpr const char* kWriteAutomation = "WriteAutomationData";

// Lists with more steps than this read as a range.
constexpr int32_t kLongestList = 32;

std::string FormatAt(HostInstance& instance, const std::string& id, double normalized)
{
    HostString text;
    instance.Effect().FormatParameterValue(id.c_str(), normalized, &text, HostInstance::kTextMax);
    return text.Text();
}

bool IsList(const HostParameterInfo& parameter) { return parameter.steps >= 2 && parameter.steps <= kLongestList; }

// A number parameter's unit: what its texts show after the number ("LUFS"
// of "-60.00LUFS").
std::string UnitOf(HostInstance& probe, const HostParameterInfo& parameter)
{
    const std::string text = FormatAt(probe, parameter.id, 0.0);
    return text.substr(NumberLength(text));
}

}  // namespace

const HostParameterInfo* MeterSettings::Find(const std::string& name) const
{
    for (const HostParameterInfo& parameter : parameters)
        if (parameter.name == name)
            return &parameter;
    return nullptr;
}

const HostParameterInfo* MeterSettings::FindID(const std::string& id) const
{
    for (const HostParameterInfo& parameter : parameters)
        if (parameter.id == id)
            return &parameter;
    return nullptr;
}

std::string MeterSettings::Accepted(HostInstance& probe, const HostParameterInfo& parameter)
{
    if (IsList(parameter))
    {
        std::string list;
        for (int32_t i = 0; i < parameter.steps; ++i)
            list += (i > 0 ? ", " : "") + FormatAt(probe, parameter.id, static_cast<double>(i) / (parameter.steps - 1));
        return list;
    }
    const std::string unit = UnitOf(probe, parameter);
    return std::string("a number") + (unit.empty() ? "" : ", alone or followed by \"" + unit + "\",") + " from " +
           FormatAt(probe, parameter.id, 0.0) + " to " + FormatAt(probe, parameter.id, 1.0);
}

bool MeterSettings::AddText(HostInstance& probe, const std::string& name, const std::string& text, std::string* error)
{
    const HostParameterInfo* parameter = Find(name);
    if (!parameter)
    {
        std::string names;
        for (const HostParameterInfo& known : parameters)
            names += (names.empty() ? "" : ", ") + known.name;
        *error = "--set: no parameter is named \"" + name + "\" (parameters: " + names + ")";
        return false;
    }
    const HostString given(text.c_str());
    double normalized = 0.0;
    if ((!IsList(*parameter) && !IsNumberText(text, UnitOf(probe, *parameter))) ||
        probe.Effect().ParseParameterText(parameter->id.c_str(), &normalized, &given) != 0)
    {
        *error = "--set: \"" + name + "\" does not take \"" + text + "\" (accepted: " + Accepted(probe, *parameter) + ")";
        return false;
    }
    steps.push_back(Step{parameter->id, text});
    if (name == kEbuChannelConfig || name == kRmsChannelConfig)
        chosen.push_back(name);
    return true;
}

size_t MeterSettings::StateSize(HostInstance& probe)
{
    const std::vector<uint32_t> chunks = probe.ChunkIDs();
    int32_t size = 0;
    if (!chunks.empty())
        probe.Effect().GetStateChunkSize(chunks.front(), &size);
    return size > 0 ? static_cast<size_t>(size) : 0;
}

bool MeterSettings::AddState(HostInstance& probe, const std::vector<uint8_t>& data, std::string* error)
{
    const std::vector<uint32_t> chunks = probe.ChunkIDs();
    if (chunks.empty())
    {
        *error = "the effect offers no state chunk";
        return false;
    }
    // Exactly the size of the effect's own state: the effect reads a
    // longer chunk's leading part and drops the rest unseen.
    const size_t expected = StateSize(probe);
    const int32_t result =
        data.size() != expected ? kAAXResultWrongDataSize : probe.SetChunk(chunks.front(), data);
    if (result != 0)
    {
        *error = result == kAAXResultWrongDataSize
                     ? FormatText("not a state of this effect (%zu bytes; a state holds %zu)", data.size(), expected)
                     : FormatText("the effect refuses the state (%d)", result);
        return false;
    }
    probe.DeliverRequests();
    chunkID = chunks.front();
    state = data;
    steps.push_back(Step{});
    chosen.push_back(kEbuChannelConfig);
    chosen.push_back(kRmsChannelConfig);
    return true;
}

bool MeterSettings::SpeakersGiven() const
{
    return std::find(chosen.begin(), chosen.end(), kEbuChannelConfig) != chosen.end();
}

bool MeterSettings::ApplyTo(HostInstance& instance, const ChannelPlacement& placement, std::string* error) const
{
    for (const char* name : {kEbuChannelConfig, kRmsChannelConfig})
    {
        const HostParameterInfo* parameter = Find(name);
        const char* text = name == std::string(kEbuChannelConfig) ? placement.ebuConfig : placement.rmsConfig;
        if (!parameter || !text || std::find(chosen.begin(), chosen.end(), name) != chosen.end())
            continue;
        if (instance.SetText(parameter->id.c_str(), text) != 0)
        {
            *error = FormatText("\"%s\" does not take \"%s\"", name, text);
            return false;
        }
        instance.DeliverRequests();
    }
    for (const Step& step : steps)
    {
        const int32_t result =
            step.id.empty() ? instance.SetChunk(chunkID, state) : instance.SetText(step.id.c_str(), step.text.c_str());
        if (result != 0)
        {
            const HostParameterInfo* parameter = FindID(step.id);
            *error = step.id.empty() ? FormatText("the effect refuses the state (%d)", result)
                                     : FormatText("\"%s\" does not take \"%s\" (%d)", parameter->name.c_str(),
                                                  step.text.c_str(), result);
            return false;
        }
        instance.DeliverRequests();
    }
    const HostParameterInfo* write = Find(kWriteAutomation);
    if (!write || instance.SetNormalized(write->id.c_str(), 1.0) != 0)
    {
        *error = std::string("the effect has no \"") + kWriteAutomation + "\" to switch on";
        return false;
    }
    instance.DeliverRequests();
    instance.ClearAutomation();
    return true;
}
