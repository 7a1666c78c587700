#pragma once
// Invariants the fuzz targets hold the code to; a broken one stops the run
// with the input that broke it.

#include "framework/core/IPlugBase.h"

#include <cmath>
#include <vector>

#define FUZZ_CHECK(cond)          \
    do                            \
    {                             \
        if (!(cond))              \
            __builtin_trap();     \
    } while (false)

inline std::vector<double> ParamValues(const IPlugBase& plug)
{
    std::vector<double> values;
    for (int32_t i = 0; i < plug.NParams(); ++i)
        values.push_back(plug.GetParam(i)->Value());
    return values;
}

// Every value finite and inside its parameter's range.
inline void CheckValuesSound(const IPlugBase& plug)
{
    for (int32_t i = 0; i < plug.NParams(); ++i)
    {
        const IPlugParam* p = plug.GetParam(i);
        FUZZ_CHECK(std::isfinite(p->Value()) && p->Value() >= p->Min() && p->Value() <= p->Max());
    }
}
