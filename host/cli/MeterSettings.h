#pragma once
// The settings the host program gives every instance before it plays: the
// channel configurations of its channels' placement, unless a text or the
// state sets them; then, in the order they were added, texts by
// parameter name and the state chunk; then "WriteAutomationData" on. Each is
// checked once, on a probe instance of the effect, when it is added, so
// every instance later takes them all.

#include "host/HostInstance.h"
#include "host/cli/ChannelPlacement.h"

#include <cstdint>
#include <string>
#include <vector>

class MeterSettings
{
public:
    // The parameter that selects the meter type.
    static constexpr const char* kMeterType = "Type";
    static constexpr const char* kEbuChannelConfig = "EBU Channel Config";
    static constexpr const char* kRmsChannelConfig = "RMS Channel Config";

    // The parameters are those of probe.
    explicit MeterSettings(const HostInstance& probe) : parameters(probe.Parameters()) {}

    const std::vector<HostParameterInfo>& Parameters() const { return parameters; }
    // The parameter of that name, or null.
    const HostParameterInfo* Find(const std::string& name) const;
    const HostParameterInfo* FindID(const std::string& id) const;

    // Adds "NAME=TEXT". False, with a one-line reason naming the parameter
    // and what it accepts, when there is no such parameter, the module's
    // parsing rejects the text, or a number parameter's text is more than a
    // number and its unit.
    bool AddText(HostInstance& probe, const std::string& name, const std::string& text, std::string* error);
    // The size of the effect's state chunk; 0 when it offers none.
    static size_t StateSize(HostInstance& probe);
    // Adds the data of a state chunk. False with the reason when the effect
    // offers no chunk, data is not exactly the size of its state, or the
    // effect refuses it.
    bool AddState(HostInstance& probe, const std::vector<uint8_t>& data, std::string* error);

    // Whether a text or the state sets "EBU Channel Config", the one whose
    // channels are speakers: an input's channels then come as they are.
    bool SpeakersGiven() const;

    // Applies everything to instance, an instance on the insert of
    // placement, and switches "WriteAutomationData" on; the values the
    // instance requests meanwhile are answered and its automation record
    // left empty. False with the reason when a step fails.
    bool ApplyTo(HostInstance& instance, const ChannelPlacement& placement, std::string* error) const;

    // The texts that parameter accepts: each value of a list, else the form
    // of a number and its range.
    static std::string Accepted(HostInstance& probe, const HostParameterInfo& parameter);

private:
    struct Step
    {
        std::string id;  // a text for this parameter; empty: the state chunk
        std::string text;
    };

    std::vector<HostParameterInfo> parameters;
    uint32_t chunkID = 0;
    std::vector<uint8_t> state;
    std::vector<Step> steps;
    std::vector<std::string> chosen;  // channel configurations a text or the state sets
};
