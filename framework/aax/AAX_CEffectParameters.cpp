#include "framework/aax/AAX_CEffectParameters.h"

#include "framework/aax/BoundaryGuard.h"
#include "platform/AAXResults.h"
#include "platform/ACFInterfaceIDs.h"
#include "platform/FourCharCode.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string>

namespace {

constexpr uint32_t kPreviewNotice = FourCharCode("ASPv");
constexpr uint32_t kStepCountMax = 0x7FFFFFFF;
constexpr size_t kFittingNameMax = 255;

// Runs body with the parameter of id, inside the boundary guard; -20001 when
// there is none.
template <class Body>
int32_t WithParameter(const ParamRegistry& registry, const char* id, Body&& body)
{
    return GuardBoundary([&]() -> int32_t {
        AAX_IParameter* parameter = registry.FindByID(id);
        return parameter ? body(*parameter) : kAAXResultInvalidParameterID;
    });
}

// The same for a query with an out pointer, which must not be null.
template <class Out, class Body>
int32_t QueryParameter(const ParamRegistry& registry, const char* id, Out* out, Body&& body)
{
    if (!out)
        return kACFResultNullPointer;
    return WithParameter(registry, id, [&](AAX_IParameter& parameter) { return body(parameter, *out); });
}

// A normalised value from the host: false for NaN, else clamped into [0, 1].
bool AcceptNormalized(double& value)
{
    if (std::isnan(value))
        return false;
    value = ClampNormalized(value);
    return true;
}

// The parameter's position moved by delta, within [0, 1]; false for a NaN delta.
bool RelativePosition(const AAX_IParameter& parameter, double delta, double& position)
{
    position = parameter.CurrentNormalized() + delta;
    return AcceptNormalized(position);
}

// The longest line of text (cut to 255 bytes, split at "\n") of at most
// maxChars bytes; when none fits, the first maxChars bytes of text.
std::string FittingName(const char* text, int32_t maxChars)
{
    const std::string copy(text, strnlen(text, kFittingNameMax));
    std::string best;
    bool found = false;
    size_t start = 0;
    while (start <= copy.size())
    {
        const size_t end = std::min(copy.find('\n', start), copy.size());
        const size_t length = end - start;
        if (static_cast<int64_t>(length) <= maxChars && (!found || length > best.size()))
        {
            best = copy.substr(start, length);
            found = true;
        }
        start = end + 1;
    }
    if (found)
        return best;
    return maxChars < 1 ? std::string() : std::string(text, strnlen(text, static_cast<size_t>(maxChars)));
}

}  // namespace

AAX_CEffectParameters::AAX_CEffectParameters() = default;

AAX_CEffectParameters::~AAX_CEffectParameters() { ReleaseHost(); }

int32_t AAX_CEffectParameters::LookupInterfaceInner(const ACFUID& iid, void** out)
{
    if (out && (iid == kIID_EffectParameters || iid == kIID_EffectParameters2))
        return ProvideInterface(out);
    return CACFUnknown::LookupInterfaceInner(iid, out);
}

void AAX_CEffectParameters::ReleaseHost()
{
    masterBypass.store(nullptr);
    registry.RemoveAll();  // the parameters unregister through the delegate, so it goes after them
    registry.BindDelegate(nullptr);
    dispatcher.Bind(nullptr);
    controller.reset();
    automationDelegate.reset();
    transport.reset();
}

int32_t AAX_CEffectParameters::AttachToHost(IACFUnknown* hostObject)
{
    return GuardBoundary([&]() -> int32_t {
        ReleaseHost();
        controller.reset(new (std::nothrow) AAX_VController(hostObject));
        automationDelegate.reset(new (std::nothrow) AAX_VAutomationDelegate(hostObject));
        transport.reset(new (std::nothrow) AAX_VTransport(hostObject));
        registry.BindDelegate(automationDelegate.get());
        dispatcher.Bind(controller.get());

        const int32_t created = CreateAAXParameters();
        if (created != 0)
            return created;

        AAX_CString bypassID;
        BypassParameterID(&bypassID);
        if (bypassID.Length() != 0)
            filteredIDs.insert(bypassID.Get());
        int32_t unfiltered = 0;
        for (int32_t i = 0; i < registry.Count(); ++i)
            unfiltered += IsFiltered(registry.At(i)->IDText()) ? 0 : 1;
        unfilteredCount = unfiltered;
        return 0;
    });
}

int32_t AAX_CEffectParameters::DetachFromHost()
{
    return GuardBoundary([&] {
        ReleaseHost();
        return 0;
    });
}

int32_t AAX_CEffectParameters::HandleHostNotice(uint32_t type, const void* data, uint32_t sizeBytes)
{
    return GuardBoundary([&] {
        AAX_IParameter* preview = registry.FindByID(kPreviewID);
        if (type == kPreviewNotice && preview && data && sizeBytes >= sizeof(uint32_t))
        {
            uint32_t word = 0;
            std::memcpy(&word, data, sizeof word);
            preview->WriteBool(word != 0);
        }
        return 0;
    });
}

int32_t AAX_CEffectParameters::CountParameters(int32_t* count)
{
    if (!count)
        return kACFResultNullPointer;
    *count = registry.Count();
    return 0;
}

int32_t AAX_CEffectParameters::BypassParameterID(AAX_IString* id)
{
    if (!id)
        return kACFResultNullPointer;
    return GuardBoundary([&] {
        id->Set(registry.FindByID(kMasterBypassID) ? kMasterBypassID : "");
        return 0;
    });
}

int32_t AAX_CEffectParameters::QueryAutomatable(const char* id, uint8_t* automatable)
{
    if (automatable)
        *automatable = 0;
    return QueryParameter(registry, id, automatable, [](AAX_IParameter& parameter, uint8_t& out) {
        out = parameter.CanAutomate() ? 1 : 0;
        return 0;
    });
}

int32_t AAX_CEffectParameters::QueryStepCount(const char* id, int32_t* steps)
{
    return QueryParameter(registry, id, steps, [](AAX_IParameter& parameter, int32_t& out) {
        const uint32_t count = parameter.StepCount();
        if (count > kStepCountMax)
            return kAAXResultStepCountTooLarge;
        out = static_cast<int32_t>(count);
        return 0;
    });
}

int32_t AAX_CEffectParameters::QueryParameterName(const char* id, AAX_IString* name)
{
    if (!name)
        return kACFResultNullPointer;
    return GuardBoundary([&] {
        const AAX_IParameter* parameter = registry.FindByID(id);
        *name = parameter ? parameter->FullName().Get() : "";
        return 0;
    });
}

int32_t AAX_CEffectParameters::QueryParameterNameFitting(const char* id, AAX_IString* name, int32_t maxChars)
{
    if (!name)
        return kAAXResultInvalidParameterID;
    return GuardBoundary([&] {
        const AAX_IParameter* parameter = registry.FindByID(id);
        if (!parameter)
            name->Set("");
        else
            name->Set(FittingName(parameter->AbbreviationFor(maxChars).Get(), maxChars).c_str());
        return 0;
    });
}

int32_t AAX_CEffectParameters::QueryDefaultNormalized(const char* id, double* value)
{
    return QueryParameter(registry, id, value, [](AAX_IParameter& parameter, double& out) {
        out = parameter.DefaultNormalized();
        return 0;
    });
}

int32_t AAX_CEffectParameters::AssignDefaultNormalized(const char* id, double value)
{
    return WithParameter(registry, id, [&](AAX_IParameter& parameter) {
        if (!AcceptNormalized(value))
            return kAAXResultInvalidText;
        parameter.AssignDefaultNormalized(value);
        return 0;
    });
}

int32_t AAX_CEffectParameters::QueryParameterKind(const char* id, int32_t* kind)
{
    return QueryParameter(registry, id, kind, [](AAX_IParameter& parameter, int32_t& out) {
        out = parameter.Kind();
        return 0;
    });
}

int32_t AAX_CEffectParameters::QueryParameterStyle(const char* id, int32_t* style)
{
    return QueryParameter(registry, id, style, [](AAX_IParameter& parameter, int32_t& out) {
        out = parameter.Style();
        return 0;
    });
}

int32_t AAX_CEffectParameters::LookupParameter(const char* id, AAX_IParameter** parameter)
{
    if (!parameter)
        return kACFResultNullPointer;
    *parameter = registry.FindByID(id);
    return *parameter ? 0 : kAAXResultInvalidParameterID;
}

int32_t AAX_CEffectParameters::IndexOfParameter(const char* id, int32_t* index)
{
    if (!index)
        return kACFResultNullPointer;
    *index = registry.IndexOf(id);
    return *index < 0 ? kAAXResultInvalidParameterID : 0;
}

int32_t AAX_CEffectParameters::ParameterIDAt(int32_t index, AAX_IString* id)
{
    if (!id)
        return kACFResultNullPointer;
    return GuardBoundary([&] {
        const AAX_IParameter* parameter = registry.At(index);
        id->Set(parameter ? parameter->IDText() : "");
        return parameter ? 0 : kAAXResultInvalidParameterID;
    });
}

int32_t AAX_CEffectParameters::QueryValueDetail(uint32_t, uint32_t* detail)
{
    if (detail)
        *detail = 0;
    return kAAXResultNotImplemented;
}

int32_t AAX_CEffectParameters::ParseParameterText(const char* id, double* value, const AAX_IString* text)
{
    if (!text)
        return kACFResultNullPointer;
    return QueryParameter(registry, id, value, [&](AAX_IParameter& parameter, double& out) {
        return parameter.NormalizedFromText(*text, &out) ? 0 : kAAXResultInvalidText;
    });
}

int32_t AAX_CEffectParameters::FormatParameterValue(const char* id, double value, AAX_IString* text, int32_t maxChars)
{
    return QueryParameter(registry, id, text, [&](AAX_IParameter& parameter, AAX_IString& out) {
        if (!AcceptNormalized(value))
            return kAAXResultInvalidText;
        return parameter.TextForNormalizedLimited(value, maxChars, out) ? 0 : kAAXResultInvalidText;
    });
}

int32_t AAX_CEffectParameters::FormatCurrentValue(const char* id, AAX_IString* text, int32_t maxChars)
{
    return QueryParameter(registry, id, text, [&](AAX_IParameter& parameter, AAX_IString& out) {
        return parameter.CurrentValueTextLimited(maxChars, out) ? 0 : kAAXResultInvalidText;
    });
}

int32_t AAX_CEffectParameters::QueryNormalized(const char* id, double* value)
{
    return QueryParameter(registry, id, value, [](AAX_IParameter& parameter, double& out) {
        out = parameter.CurrentNormalized();
        return 0;
    });
}

int32_t AAX_CEffectParameters::AssignNormalized(const char* id, double value)
{
    return WithParameter(registry, id, [&](AAX_IParameter& parameter) {
        if (!AcceptNormalized(value))
            return kAAXResultInvalidText;
        parameter.RequestNormalized(value);
        return 0;
    });
}

int32_t AAX_CEffectParameters::AssignNormalizedRelative(const char* id, double delta)
{
    return WithParameter(registry, id, [&](AAX_IParameter& parameter) {
        double position = 0.0;
        if (!RelativePosition(parameter, delta, position))
            return kAAXResultInvalidText;
        return AssignNormalized(id, position);
    });
}

int32_t AAX_CEffectParameters::BeginTouch(const char* id)
{
    return WithParameter(registry, id, [](AAX_IParameter& parameter) {
        parameter.BeginGesture();
        return 0;
    });
}

int32_t AAX_CEffectParameters::EndTouch(const char* id)
{
    return WithParameter(registry, id, [](AAX_IParameter& parameter) {
        parameter.EndGesture();
        return 0;
    });
}

int32_t AAX_CEffectParameters::NoteTouchState(const char*, uint8_t) { return 0; }

int32_t AAX_CEffectParameters::ApplyValueToParameter(const char* id, double value)
{
    return WithParameter(registry, id, [&](AAX_IParameter& parameter) {
        if (!AcceptNormalized(value))
            return kAAXResultInvalidText;
        parameter.ApplyHostNormalized(value);
        return 0;
    });
}

int32_t AAX_CEffectParameters::FinishHostValueChange(const char* id)
{
    return GuardBoundary([&] {
        const int32_t marked = dispatcher.MarkDirty(id, true);
        NoteChange();
        return marked;
    });
}

int32_t AAX_CEffectParameters::ApplyHostParamValue(const char* id, double value, int32_t)
{
    const int32_t applied = ApplyValueToParameter(id, value);
    return applied != 0 ? applied : FinishHostValueChange(id);
}

int32_t AAX_CEffectParameters::ApplyHostParamValueRelative(const char* id, double delta)
{
    return WithParameter(registry, id, [&](AAX_IParameter& parameter) {
        double position = 0.0;
        if (!RelativePosition(parameter, delta, position))
            return kAAXResultInvalidText;
        return ApplyHostParamValue(id, position, 0);
    });
}

int32_t AAX_CEffectParameters::FlushDirtyPackets()
{
    return GuardBoundary([&] { return dispatcher.DispatchDirty(); });
}

int32_t AAX_CEffectParameters::PrepareFieldData(uint32_t, void* data, uint32_t sizeBytes)
{
    if (sizeBytes == 0)
        return 0;
    if (!data)
        return kAAXResultWrongDataSize;
    std::memset(data, 0, sizeBytes);
    return 0;
}

int32_t AAX_CEffectParameters::CountChanges(int32_t* changes)
{
    if (!changes)
        return kACFResultNullPointer;
    const int32_t count = changeCounter.load();
    *changes = count >= 0 ? count : 0;
    return 0;
}

int32_t AAX_CEffectParameters::Reserved2() { return kAAXResultNotImplemented; }

int32_t AAX_CEffectParameters::Reserved3(uint32_t* out)
{
    if (out)
        *out = 0;
    return 0;
}

int32_t AAX_CEffectParameters::Reserved6() { return kAAXResultNotImplemented; }

int32_t AAX_CEffectParameters::CreateAAXParameters() { return 0; }

bool AAX_CEffectParameters::IsBypassed() const
{
    const AAX_CParameter<bool>* bypass = masterBypass.load();
    bool on = false;
    return bypass && bypass->ReadBool(&on) && on;
}
