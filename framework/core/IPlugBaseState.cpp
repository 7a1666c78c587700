// State of IPlugBase: serialising, restoring and comparing parameter values.
#include "framework/core/IPlugBase.h"

#include <cmath>

bool IPlugBase::SerializeParams(IStateChunk& chunk)
{
    PlatformLockGuard guard(lock);
    for (int32_t i = 0; i < NParams(); ++i)
        if (!chunk.PutDoubleLE(GetParam(i)->Value()))
            return false;
    return true;
}

int32_t IPlugBase::UnserializeParams(const IStateChunk& chunk, int32_t pos, bool presetParamsOnly)
{
    PlatformLockGuard guard(lock);
    for (int32_t i = 0; i < NParams() && pos >= 0; ++i)
    {
        double v = 0.0;
        pos = chunk.ReadDoubleLE(&v, pos);
        IPlugParam* param = GetParam(i);
        // A cut-off value or a non-finite one is no value: the parameter keeps its own.
        if (pos >= 0 && std::isfinite(v) && (!presetParamsOnly || param->PresetMember()))
            param->SetValue(v);
    }
    if (!paramChangeHooksSuppressed)
        HandleAllParamChanges();
    return pos;
}

bool IPlugBase::SaveState(IStateChunk& chunk) { return SerializeParams(chunk); }

int32_t IPlugBase::LoadState(const IStateChunk& chunk, int32_t pos) { return UnserializeParams(chunk, pos, false); }

int32_t IPlugBase::LoadPresetState(const IStateChunk& chunk, int32_t pos, bool presetParamsOnly)
{
    return UnserializeParams(chunk, pos, presetParamsOnly);
}

bool IPlugBase::CompareParams(const double* values, int32_t nValues, int32_t first)
{
    if (!values || first < 0 || int64_t{first} + NParams() > nValues)
        return false;
    for (int32_t i = 0; i < NParams(); ++i)
    {
        const float difference = static_cast<float>(GetParam(i)->Value()) - static_cast<float>(values[first + i]);
        if (!(std::fabs(static_cast<double>(difference)) < 1e-5))
            return false;
    }
    return true;
}
