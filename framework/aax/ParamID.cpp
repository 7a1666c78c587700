#include "framework/aax/ParamID.h"

#include <charconv>

ParamIDText ParamIDOfIndex(int32_t index)
{
    // Without the locale and format parsing of printf: every value the
    // plug-in publishes names its parameter.
    ParamIDText id;
    const auto end = std::to_chars(id.text, id.text + ParamIDText::kMax, int64_t{index} + 1).ptr;
    *end = '\0';
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
