#include "framework/aax/ParamID.h"

#include <cstdio>

ParamIDText ParamIDOfIndex(int32_t index)
{
    ParamIDText id;
    std::snprintf(id.text, sizeof id.text, "%lld", static_cast<long long>(index) + 1);
    return id;
}

int32_t ParamIndexOfID(const char* id, int32_t nParams)
{
    if (!id || id[0] < '1' || id[0] > '9')
        return -1;
    int64_t number = 0;
    for (const char* c = id; *c; ++c)
    {
        if (*c < '0' || *c > '9')
            return -1;
        number = number * 10 + (*c - '0');
        if (number > nParams)
            return -1;
    }
    return static_cast<int32_t>(number - 1);
}
