#include "framework/aax/HostParameterFactory.h"

#include "framework/aax/AAX_CBinaryDisplayDelegate.h"
#include "framework/aax/AAX_CBinaryTaperDelegate.h"
#include "framework/aax/AAX_CEffectParameters.h"
#include "framework/aax/AAX_CIPlugTaperDelegate.h"
#include "framework/aax/AAX_CLinearTaperDelegate.h"
#include "framework/aax/AAX_CNumberDisplayDelegate.h"
#include "framework/aax/AAX_CStringDisplayDelegate.h"
#include "framework/aax/AAX_CUnitDisplayDelegateDecorator.h"

#include <map>

namespace {

constexpr uint32_t kContinuousSteps = 128;

template <class T>
using NumberDisplay = AAX_CNumberDisplayDelegate<T, 2, 0>;

// The host parameter takes the plug-in parameter's value when it is not the
// default (a parameter made again at a second attach); no delegate is bound
// yet, so nothing goes to the host.
template <class T>
std::unique_ptr<AAX_IParameter> AtCurrentValue(std::unique_ptr<AAX_CParameter<T>> parameter, const IPlugParam& param,
                                               uint32_t steps, int32_t kind)
{
    parameter->SetStepCount(steps);
    parameter->SetKind(kind);
    if (param.Value() != param.DefaultValue())
        parameter->ApplyHostNormalized(param.GetUnitValue());
    return parameter;
}

std::unique_ptr<AAX_IParameter> MakeListParameter(const IPlugParam& param, const char* id)
{
    std::map<int32_t, AAX_CString> texts;
    const int32_t count = param.DisplayTextCount();
    for (int32_t i = 0; i < count; ++i)
    {
        int32_t value = 0;
        const char* text = param.DisplayTextAt(i, &value);
        texts.emplace(value, text);
    }
    auto parameter = std::make_unique<AAX_CParameter<int32_t>>(
        id, AAX_CString(param.Name()), static_cast<int32_t>(param.DefaultValue()),
        AAX_CLinearTaperDelegate<int32_t, 1>(static_cast<int32_t>(param.Min()), static_cast<int32_t>(param.Max())),
        AAX_CStringDisplayDelegate<int32_t>(texts), param.Automatable());
    return AtCurrentValue(std::move(parameter), param, static_cast<uint32_t>(count), kAAXParameterDiscrete);
}

std::unique_ptr<AAX_IParameter> MakeIntParameter(const IPlugParam& param, const char* id)
{
    auto parameter = std::make_unique<AAX_CParameter<int32_t>>(
        id, AAX_CString(param.Name()), static_cast<int32_t>(param.DefaultValue()),
        AAX_CLinearTaperDelegate<int32_t, 1>(static_cast<int32_t>(param.Min()), static_cast<int32_t>(param.Max())),
        AAX_CUnitDisplayDelegateDecorator<int32_t>(NumberDisplay<int32_t>(), param.UnitLabel()), param.Automatable());
    return AtCurrentValue(std::move(parameter), param, kContinuousSteps, kAAXParameterContinuous);
}

std::unique_ptr<AAX_IParameter> MakeDoubleParameter(const IPlugParam& param, const char* id)
{
    auto parameter = std::make_unique<AAX_CParameter<double>>(
        id, AAX_CString(param.Name()), param.DefaultValue(), AAX_CIPlugTaperDelegate<double>(param),
        AAX_CUnitDisplayDelegateDecorator<double>(NumberDisplay<double>(), param.UnitLabel()), param.Automatable());
    return AtCurrentValue(std::move(parameter), param, kContinuousSteps, kAAXParameterContinuous);
}

}  // namespace

std::unique_ptr<AAX_CParameter<bool>> MakeMasterBypassParameter()
{
    auto bypass = std::make_unique<AAX_CParameter<bool>>(
        AAX_CEffectParameters::kMasterBypassID, AAX_CString("Master Bypass"), false, AAX_CBinaryTaperDelegate<bool>(),
        AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
    bypass->SetStepCount(2);
    bypass->SetKind(kAAXParameterDiscrete);
    return bypass;
}

std::unique_ptr<AAX_IParameter> MakeHostParameter(const IPlugParam& param, const char* id)
{
    switch (param.Kind())
    {
    case kParamChoice:
    case kParamBool: return MakeListParameter(param, id);
    case kParamInt: return MakeIntParameter(param, id);
    case kParamDouble:
    case kParamNone: break;
    }
    return MakeDoubleParameter(param, id);
}
