#pragma once
// An effect-parameters object for tests, built as a plug-in binding builds
// one: a master bypass, a list parameter "1" ("RMS" / "EBU"), a double "2"
// (gain in dB over a plug-in parameter) and an integer "3" (ms), each with
// the taper and display the binding gives its kind.

#include "framework/aax/AAX_CEffectParameters.h"
#include "framework/aax/AAX_CIPlugTaperDelegate.h"
#include "framework/aax/AAX_CLinearTaperDelegate.h"
#include "framework/aax/AAX_CNumberDisplayDelegate.h"
#include "framework/aax/AAX_CStringDisplayDelegate.h"
#include "framework/aax/AAX_CUnitDisplayDelegateDecorator.h"
#include "framework/aax/HostParameterFactory.h"
#include "framework/core/IPlugParam.h"
#include "support/HeldObject.h"

#include <memory>

class TestEffect : public AAX_CEffectParameters
{
public:
    TestEffect()
    {
        gain.InitRange("Gain", 0.0, -60.0, 12.0, 0.1, "dB");
        window.InitIntRange("Window", 3, 0, 10, "ms");
    }

    int32_t CreateAAXParameters() override
    {
        ++createCalls;
        if (createResult != 0)
            return createResult;

        auto bypass = MakeMasterBypassParameter();
        AAX_CParameter<bool>* kept = bypass.get();
        if (Registry().Add(std::move(bypass)))
            SetMasterBypassParameter(kept);

        auto type = std::make_unique<AAX_CParameter<int32_t>>(
            "1", AAX_CString("Type"), 1, AAX_CLinearTaperDelegate<int32_t, 1>(0, 1),
            AAX_CStringDisplayDelegate<int32_t>({{0, "RMS"}, {1, "EBU"}}), true);
        type->SetStepCount(2);
        type->SetKind(kAAXParameterDiscrete);
        Registry().Add(std::move(type));

        Registry().Add(std::make_unique<AAX_CParameter<double>>(
            "2", AAX_CString("Gain"), 0.0, AAX_CIPlugTaperDelegate<double>(gain),
            AAX_CUnitDisplayDelegateDecorator<double>(AAX_CNumberDisplayDelegate<double, 2, 0>(), "dB"), true));

        Registry().Add(std::make_unique<AAX_CParameter<int32_t>>(
            "3", AAX_CString("Window"), 3, AAX_CLinearTaperDelegate<int32_t, 1>(0, 10),
            AAX_CUnitDisplayDelegateDecorator<int32_t>(AAX_CNumberDisplayDelegate<int32_t, 2, 0>(), "ms"), true));
        return 0;
    }

    IPlugParam gain;
    IPlugParam window;
    int createCalls = 0;
    int32_t createResult = 0;
};

using TestEffectRef = HeldObject<TestEffect>;
