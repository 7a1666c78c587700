#include "host/cli/MeterHost.h"

#include "platform/AAXDescriptionCodes.h"

#include <algorithm>

MeterHost::~MeterHost()
{
    if (started)
    {
        module.canUnloadNow(host.Unknown());
        module.shutdown(host.Unknown());
    }
}

bool MeterHost::Load(const std::string& path, std::string* error)
{
    if (!module.Load(path))
    {
        *error = "cannot load the module " + path + ": " + module.Error();
        return false;
    }
    int32_t result = module.startup(host.Unknown());
    if (result != 0)
    {
        *error = FormatText("the module %s does not start (%d)", path.c_str(), result);
        return false;
    }
    started = true;
    uint64_t version = 0;
    module.getSDKVersion(&version);
    IACFUnknown* definition = nullptr;
    result = module.registerPlugin(host.Unknown(), &definition);
    if (definition)
        definition->Relinquish();
    const std::vector<RecordedEffect>& effects = host.Record().description.effects;
    if (result != 0 || effects.empty())
    {
        *error = FormatText("the module %s describes no effect (%d)", path.c_str(), result);
        return false;
    }
    effect = &effects.front();
    return true;
}

uint32_t MeterHost::StemFormatFor(int32_t channels) const
{
    for (const RecordedComponent& component : effect->components)
    {
        const uint32_t input = component.Property(kAAXPropertyInputStemFormat);
        if (AAXStemChannelCount(input) == channels && component.Property(kAAXPropertyOutputStemFormat) == input)
            return input;
    }
    return 0;
}

std::vector<int32_t> MeterHost::ChannelCounts() const
{
    std::vector<int32_t> counts;
    for (const RecordedComponent& component : effect->components)
    {
        const int32_t channels = AAXStemChannelCount(component.Property(kAAXPropertyInputStemFormat));
        if (channels > 0 && StemFormatFor(channels) != 0)
            counts.push_back(channels);
    }
    std::sort(counts.begin(), counts.end());
    counts.erase(std::unique(counts.begin(), counts.end()), counts.end());
    return counts;
}

std::string MeterHost::ChannelCountsText() const
{
    const std::vector<int32_t> counts = ChannelCounts();
    std::string text;
    for (size_t i = 0; i < counts.size(); ++i)
    {
        if (i > 0)
            text += i + 1 == counts.size() ? " or " : ", ";
        text += std::to_string(counts[i]);
    }
    return text;
}

MeterHost::Instance MeterHost::NewInstance(int32_t channels, int32_t sampleRate, std::string* error)
{
    const uint32_t format = StemFormatFor(channels);
    if (format == 0)
    {
        *error = FormatText("%d channels: the meter takes %s", channels, ChannelCountsText().c_str());
        return Instance(nullptr, InstanceRelease{this});
    }
    HostStreamState stream;
    stream.sampleRate = static_cast<float>(sampleRate);
    stream.inputStemFormat = format;
    stream.outputStemFormat = format;
    stream.playing = true;
    std::lock_guard<std::mutex> guard(lock);
    std::string reason;
    Instance instance(HostInstance::Create(host, *effect, stream, &reason).release(), InstanceRelease{this});
    if (!instance)
        *error = "the module makes no instance: " + reason;
    return instance;
}

void MeterHost::InstanceRelease::operator()(HostInstance* instance) const
{
    std::lock_guard<std::mutex> guard(host->lock);
    delete instance;
}

std::unique_ptr<HostEditor> MeterHost::NewEditor(HostInstance& instance, std::string* error)
{
    std::lock_guard<std::mutex> guard(lock);
    std::string reason;
    std::unique_ptr<HostEditor> editor = HostEditor::Create(host, *effect, instance, &reason);
    if (!editor)
        *error = "the module makes no editor: " + reason;
    return editor;
}
