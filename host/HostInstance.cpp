#include "host/HostInstance.h"

#include "host/HostChunkRecord.h"
#include "host/HostRunTimeObject.h"
#include "host/HostString.h"
#include "host/LookupAs.h"
#include "platform/AAXResults.h"
#include "platform/ACFInterfaceIDs.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Keeps the reason of a failure for the caller who asked for it.
void Explain(std::string* error, std::string reason)
{
    if (error)
        *error = std::move(reason);
}

// The word of the context field index that a private-data block, an ID list
// or a MIDI node occupies; null for the fields of fixed meaning.
void** ContextWord(AAXRenderContext& context, uint32_t index)
{
    switch (index)
    {
    case kAAXFieldInputMidi: return &context.inputMidi;
    case kAAXFieldGlobalMidi: return &context.globalMidi;
    case kAAXFieldIDList: return &context.idList;
    default: return nullptr;
    }
}

}  // namespace

std::unique_ptr<HostInstance> HostInstance::Create(StandInHost& host, const RecordedEffect& effect,
                                                   const HostStreamState& stream, std::string* error)
{
    const AAXCreateObjectProc create = effect.Procedure(kAAXProcedureEffectParameters);
    if (!create)
    {
        Explain(error, "the effect registers no effect-parameters procedure");
        return nullptr;
    }
    for (const RecordedComponent& component : effect.components)
        if (component.Property(kAAXPropertyInputStemFormat) == stream.inputStemFormat &&
            component.Property(kAAXPropertyOutputStemFormat) == stream.outputStemFormat)
            return Create(host, create, component, stream, error);
    Explain(error, FormatText("no component for the stem formats 0x%08X, 0x%08X", stream.inputStemFormat,
                              stream.outputStemFormat));
    return nullptr;
}

std::unique_ptr<HostInstance> HostInstance::Create(StandInHost& host, AAXCreateObjectProc create,
                                                   const RecordedComponent& component, const HostStreamState& stream,
                                                   std::string* error)
{
    IACFUnknown* object = create ? create() : nullptr;
    if (!object)
    {
        Explain(error, "the creation procedure made nothing");
        return nullptr;
    }
    std::unique_ptr<HostInstance> instance(new HostInstance(host, component, stream));
    object->Retain();
    const bool started = instance->Start(object, error);
    object->Relinquish();  // the instance holds the effect-parameters interface
    return started ? std::move(instance) : nullptr;
}

HostInstance::HostInstance(StandInHost& host, const RecordedComponent& component, const HostStreamState& stream)
    : component(component), stream(stream)
{
    runTime = new HostRunTimeObject(host, this->stream, *this);
    transport = std::make_unique<HostTransportNode>(host, *runTime, *runTime);
}

HostInstance::~HostInstance()
{
    if (effect)
    {
        effect->DetachFromHost();
        effect->Relinquish();
    }
    runTime->Disconnect();
    runTime->Relinquish();
}

bool HostInstance::Start(IACFUnknown* object, std::string* error)
{
    effect = LookupAs<AAX_IACFEffectParameters>(object, kIID_EffectParameters);
    if (!effect)
    {
        Explain(error, "the object answers no effect-parameters interface");
        return false;
    }
    runTime->OfferEffect(effect);
    const int32_t result = effect->AttachToHost(runTime->Unknown());
    if (result != 0)
    {
        Explain(error, FormatText("AttachToHost answered %d", result));
        return false;
    }
    for (const RecordedField& field : component.fields)
        if (field.kind == FieldKind::PrivateData && PrepareField(field, error) != 0)
            return false;
    BuildContext();
    return true;
}

int32_t HostInstance::PrepareField(const RecordedField& field, std::string* error)
{
    fieldBlocks.emplace_back((field.sizeBytes + 7) / 8, 0);
    const int32_t result = effect->PrepareFieldData(field.index, fieldBlocks.back().data(), field.sizeBytes);
    if (result != 0)
        Explain(error, FormatText("PrepareFieldData(%u) answered %d", field.index, result));
    return result;
}

void HostInstance::BuildContext()
{
    size_t block = 0;
    for (const RecordedField& field : component.fields)
    {
        void** word = ContextWord(context, field.index);
        switch (field.kind)
        {
        case FieldKind::AudioIn:
        case FieldKind::AudioOut: break;  // per render call
        case FieldKind::SampleCount: context.frameCount = &frameCount; break;
        case FieldKind::SideChainIn: context.sideChainConnected = &sideChain; break;
        case FieldKind::PrivateData:
        {
            void* data = fieldBlocks[block++].data();
            if (field.index == kAAXFieldInstance)
                context.instance = static_cast<void* const*>(data);
            else if (word)
                *word = data;
            break;
        }
        case FieldKind::IDList:
            idList = field.ids;
            if (word)
                *word = idList.data();
            break;
        case FieldKind::Node:
            if (field.nodeType == kAAXNodeTransport)
                context.transport = transport.get();
            else if (word)
                *word = static_cast<AAX_IHostMidiNode*>(field.nodeType == kAAXNodeInputMidi ? &inputMidi : &globalMidi);
            break;
        }
    }
}

// ---- Parameters -------------------------------------------------------------------

std::vector<HostParameterInfo> HostInstance::Parameters() const
{
    std::vector<HostParameterInfo> parameters;
    int32_t count = 0;
    if (effect->CountParameters(&count) != 0)
        return parameters;
    for (int32_t i = 0; i < count; ++i)
    {
        HostString id;
        if (effect->ParameterIDAt(i, &id) != 0)
            continue;
        HostParameterInfo info;
        info.id = id.Text();
        HostString name;
        effect->QueryParameterName(id.Get(), &name);
        info.name = name.Text();
        effect->QueryStepCount(id.Get(), &info.steps);
        effect->QueryParameterKind(id.Get(), &info.kind);
        uint8_t automatable = 0;
        effect->QueryAutomatable(id.Get(), &automatable);
        info.automatable = automatable != 0;
        effect->QueryDefaultNormalized(id.Get(), &info.defaultNormalized);
        parameters.push_back(std::move(info));
    }
    return parameters;
}

int32_t HostInstance::Normalized(const char* id, double* value) const { return effect->QueryNormalized(id, value); }

int32_t HostInstance::SetNormalized(const char* id, double normalized)
{
    const int32_t result = effect->ApplyHostParamValue(id, normalized, 0);
    if (result != 0)
        return result;
    // Told outside the lock (a GUI object may call back into the host), but
    // recorded: removing a GUI object waits for the calls that may reach it.
    std::vector<AAX_IACFEffectGUI*> told;
    uint64_t call = 0;
    {
        std::lock_guard<std::mutex> guard(guiLock);
        if (guis.empty())
            return result;
        told = guis;
        call = guiCallsBegun++;
        guiCallsRunning.insert(call);
    }
    // Ended however the calls end, so that no removal waits for ever.
    struct CallEnd
    {
        HostInstance& host;
        uint64_t call;
        ~CallEnd()
        {
            std::lock_guard<std::mutex> guard(host.guiLock);
            host.guiCallsRunning.erase(call);
            host.guiCallEnded.notify_all();
        }
    } end{*this, call};
    for (AAX_IACFEffectGUI* gui : told)
        gui->ReflectParamValue(id);
    return result;
}

IACFUnknown* HostInstance::HostObject() const { return runTime->Unknown(); }

void HostInstance::AddGuiObserver(AAX_IACFEffectGUI* gui)
{
    std::lock_guard<std::mutex> guard(guiLock);
    if (gui && std::find(guis.begin(), guis.end(), gui) == guis.end())
        guis.push_back(gui);
}

void HostInstance::RemoveGuiObserver(AAX_IACFEffectGUI* gui)
{
    std::unique_lock<std::mutex> guard(guiLock);
    guis.erase(std::remove(guis.begin(), guis.end(), gui), guis.end());
    // Calls that took the list from now on do not have gui.
    const uint64_t removedBefore = guiCallsBegun;
    guiCallEnded.wait(guard, [&] { return guiCallsRunning.empty() || *guiCallsRunning.begin() >= removedBefore; });
}

int32_t HostInstance::Text(const char* id, std::string* text, int32_t maxChars) const
{
    HostString answer;
    const int32_t result = effect->FormatCurrentValue(id, &answer, maxChars);
    if (text)
        *text = result == 0 ? answer.Text() : std::string();
    return result;
}

int32_t HostInstance::SetText(const char* id, const char* text)
{
    const HostString given(text);
    double normalized = 0.0;
    const int32_t result = effect->ParseParameterText(id, &normalized, &given);
    return result != 0 ? result : SetNormalized(id, normalized);
}

// ---- Automation ---------------------------------------------------------------------

void HostInstance::OnAutomation(HostAutomationEvent::Kind kind, const char* id, double value)
{
    bool applyNow = false;
    {
        std::lock_guard<std::mutex> guard(automationLock);
        automation.push_back(HostAutomationEvent{kind, id, value});
        if (kind == HostAutomationEvent::kRequest)
        {
            applyNow = echo == HostEcho::kImmediate;
            if (!applyNow)
                requests.emplace_back(id, value);
        }
    }
    // Outside the lock: the instance reports back into OnAutomation.
    if (applyNow)
        SetNormalized(id, value);
}

void HostInstance::SetEcho(HostEcho newEcho)
{
    std::lock_guard<std::mutex> guard(automationLock);
    echo = newEcho;
}

std::vector<HostAutomationEvent> HostInstance::Automation() const
{
    std::lock_guard<std::mutex> guard(automationLock);
    return automation;
}

void HostInstance::ClearAutomation()
{
    std::lock_guard<std::mutex> guard(automationLock);
    automation.clear();
}

std::vector<HostAutomationEvent> HostInstance::TakeAutomation()
{
    std::vector<HostAutomationEvent> taken;
    std::lock_guard<std::mutex> guard(automationLock);
    taken.swap(automation);
    return taken;
}

int32_t HostInstance::DeliverRequests()
{
    std::vector<std::pair<std::string, double>> due;
    {
        std::lock_guard<std::mutex> guard(automationLock);
        due.swap(requests);
    }
    for (const auto& [id, value] : due)
        SetNormalized(id.c_str(), value);
    return static_cast<int32_t>(due.size());
}

// ---- State chunks ---------------------------------------------------------------------

std::vector<uint32_t> HostInstance::ChunkIDs() const
{
    std::vector<uint32_t> ids;
    int32_t count = 0;
    if (effect->CountChunks(&count) != 0)
        return ids;
    for (int32_t i = 0; i < count; ++i)
    {
        uint32_t id = 0;
        if (effect->ChunkIDAt(i, &id) == 0)
            ids.push_back(id);
    }
    return ids;
}

int32_t HostInstance::GetChunk(uint32_t chunkID, std::vector<uint8_t>* data) const
{
    int32_t size = 0;
    int32_t result = effect->GetStateChunkSize(chunkID, &size);
    if (result != 0)
        return result;
    if (size < 0)
        return kAAXResultWrongDataSize;
    HostChunkRecord record(size, chunkID);
    result = effect->GetStateChunk(chunkID, &record.Record());
    if (result == 0 && data)
        *data = record.Data();
    return result;
}

int32_t HostInstance::SetChunk(uint32_t chunkID, const std::vector<uint8_t>& data)
{
    if (data.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return kAAXResultWrongDataSize;
    HostChunkRecord record = HostChunkRecord::Holding(data, chunkID);
    return effect->SetStateChunk(chunkID, &record.Record());
}

int32_t HostInstance::CompareChunk(uint32_t chunkID, const std::vector<uint8_t>& data, bool* equal) const
{
    if (data.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return kAAXResultWrongDataSize;
    HostChunkRecord record = HostChunkRecord::Holding(data, chunkID);
    uint8_t same = 0;
    const int32_t result = effect->CompareStateChunk(&record.Record(), &same);
    if (equal)
        *equal = same != 0;
    return result;
}

// ---- Rendering --------------------------------------------------------------------------

AAXRenderContext* HostInstance::PrepareRender(float* const* inputs, float* const* outputs, int32_t frames)
{
    for (const RecordedField& field : component.fields)
    {
        if (field.kind == FieldKind::AudioIn)
            context.inputs = inputs;
        if (field.kind == FieldKind::AudioOut)
            context.outputs = outputs;
    }
    frameCount = frames;
    return &context;
}

// One instance, the host's every block: nothing to gather, nothing allocated.
void HostInstance::Render(float* const* inputs, float* const* outputs, int32_t frames)
{
    AAXRenderContext* one = PrepareRender(inputs, outputs, frames);
    if (component.render)
        component.render(&one, &one + 1);
    inputMidi.Clear();
    globalMidi.Clear();
}

void HostInstance::RenderBatch(const std::vector<HostRenderJob>& jobs)
{
    std::vector<bool> done(jobs.size(), false);
    std::vector<AAXRenderContext*> contexts;
    for (size_t first = 0; first < jobs.size(); ++first)
    {
        if (done[first])
            continue;
        const AAXRenderProc render = jobs[first].instance->component.render;
        contexts.clear();
        for (size_t j = first; j < jobs.size(); ++j)
        {
            HostInstance& instance = *jobs[j].instance;
            if (done[j] || instance.component.render != render)
                continue;
            done[j] = true;
            contexts.push_back(instance.PrepareRender(jobs[j].inputs, jobs[j].outputs, jobs[j].frames));
        }
        if (render)
            render(contexts.data(), contexts.data() + contexts.size());
    }
    for (const HostRenderJob& job : jobs)
    {
        job.instance->inputMidi.Clear();
        job.instance->globalMidi.Clear();
    }
}
