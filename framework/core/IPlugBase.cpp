#include "framework/core/IPlugBase.h"

#include "framework/core/CopyText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The records' slots point into the pointer array, which is sized here once
// and never moves afterwards. No records when it cannot be had.
template <class Channel>
void MakeChannelRecords(PointerList<Channel>& channels, GrowBuf& pointers, int32_t n)
{
    const auto bytes = static_cast<int32_t>(n * sizeof(double*));
    if (!pointers.Resize(bytes, false) || pointers.GetSize() != bytes)
        return;
    auto** slots = static_cast<double**>(pointers.Get());
    for (int32_t c = 0; c < n; ++c)
    {
        auto* channel = new Channel;
        channel->slot = slots + c;
        *channel->slot = nullptr;
        if (!channels.Add(channel))
        {
            delete channel;
            return;
        }
    }
}

}  // namespace

IPlugBase::IPlugBase(int32_t nParams, const char* ioString, int32_t nPresets, const char* effect,
                     const char* product, const char* maker, int32_t versionWord, int32_t uniqueIdWord,
                     int32_t makerIdWord, int32_t latencyFrames, bool midiIn, bool chunks, bool instrument,
                     int32_t api)
    : uniqueId(uniqueIdWord),
      makerId(makerIdWord),
      version(versionWord),
      plugApi(api),
      doesChunks(chunks),
      isInstrument(instrument),
      takesMidi(midiIn),
      latency(std::max(latencyFrames, 0)),
      presetSlotCount(std::max(nPresets, 0))
{
    for (int32_t i = 0; i < nParams; ++i)
    {
        auto* param = new IPlugParam;
        if (!params.Add(param))
        {
            delete param;
            break;
        }
    }
    for (int32_t i = 0; i < presetSlotCount; ++i)
    {
        auto* preset = new IPlugPreset(i);
        if (!presets.Add(preset))
        {
            delete preset;
            break;
        }
    }
    CopyText(effectName, effect);
    CopyText(productName, product);
    CopyText(makerName, maker);

    int32_t maxInputs = 0;
    int32_t maxOutputs = 0;
    ParseIOString(ioString, &maxInputs, &maxOutputs);
    MakeChannels(maxInputs, maxOutputs);
}

IPlugBase::~IPlugBase()
{
    delete editor;
    params.DeleteAll();
    presets.DeleteAll();
    inputChannels.DeleteAll();
    outputChannels.DeleteAll();
    ioConfigs.DeleteAll();
    delete delayLine;
}

void IPlugBase::ParseIOString(const char* ioString, int32_t* maxInputs, int32_t* maxOutputs)
{
    for (const char* token = ioString; token && *token;)
    {
        while (*token == ' ')
            ++token;
        if (!*token)
            break;
        auto* config = new IChannelIOConfig;
        std::sscanf(token, "%d-%d", &config->inputs, &config->outputs);
        if (!ioConfigs.Add(config))
        {
            delete config;
            return;
        }
        *maxInputs = std::max(*maxInputs, config->inputs);
        *maxOutputs = std::max(*maxOutputs, config->outputs);
        token = std::strchr(token, ' ');
    }
}

void IPlugBase::MakeChannels(int32_t nInputs, int32_t nOutputs)
{
    MakeChannelRecords(inputChannels, inputPointers, nInputs);
    MakeChannelRecords(outputChannels, outputPointers, nOutputs);
}

void IPlugBase::PrepareStream() { PlatformLockGuard guard(lock); }

void IPlugBase::HandleParamChange(int32_t) { PlatformLockGuard guard(lock); }

void IPlugBase::HandleMidiMessage(const IMidiMessage& message) { SendMidiToHost(message); }

void IPlugBase::SetParameterFromGUI(int32_t idx, double unit)
{
    PlatformLockGuard guard(lock);
    IPlugParam* param = GetParam(idx);
    if (!param || std::isnan(unit))
        return;
    unit = std::clamp(unit, 0.0, 1.0);
    param->SetUnitValue(unit);
    SendParamToHost(idx, unit);
    HandleParamChange(idx);
}

void IPlugBase::SetParameterFromGUI(int32_t idx, double value, bool isUnit)
{
    PlatformLockGuard guard(lock);
    IPlugParam* param = GetParam(idx);
    if (!param || std::isnan(value))
        return;
    const double unit = isUnit ? std::clamp(value, 0.0, 1.0) : param->MapToUnit(value);
    param->SetUnitValue(unit);
    SendParamToHost(idx, unit);
}

void IPlugBase::ChangeLatency(int32_t frames)
{
    PlatformLockGuard guard(lock);
    latency = std::max(frames, 0);
    if (delayLine)
        delayLine->SetLength(latency);
}

void IPlugBase::AttachEditor(IEditorLink* newEditor)
{
    if (!newEditor)
        return;
    PlatformLockGuard guard(lock);
    for (int32_t i = 0; i < NParams(); ++i)
        newEditor->PushParamToControls(i, GetParam(i)->GetUnitValue(), true);
    newEditor->CreateDrawBitmaps();
    if (editor != newEditor)
        delete editor;
    editor = newEditor;
}

void IPlugBase::RefreshParamControls()
{
    if (!editor)
        return;
    for (int32_t i = 0; i < NParams(); ++i)
        if (const IPlugParam* param = GetParam(i))
            editor->PushParamToControls(i, param->Value(), false);
}

void IPlugBase::SendAllParamsToHost()
{
    PlatformLockGuard guard(lock);
    for (int32_t i = 0; i < NParams(); ++i)
        SendParamToHost(i, GetParam(i)->GetUnitValue());
}

void IPlugBase::HandleAllParamChanges()
{
    for (int32_t i = 0; i < NParams(); ++i)
        HandleParamChange(i);
}

void IPlugBase::SetHost(const char* hostName, int32_t hostVersionWord)
{
    hostId = IdentifyHost(hostName);
    hostVersion = hostVersionWord;
}
