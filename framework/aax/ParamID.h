#pragma once
// The AAX identifiers of plug-in parameters: the decimal text of index + 1
// ("1" for the first). "MasterBypassID" and every other text name none.

#include <cstdint>

struct ParamIDText
{
    static constexpr int32_t kMax = 32;
    char text[kMax + 1];

    operator const char*() const { return text; }
};

// The identifier of the parameter at index (any index gives a text).
ParamIDText ParamIDOfIndex(int32_t index);

// The index an identifier names: its decimal number minus 1, when the text
// is exactly the decimal text of a number from 1 to nParams; else -1.
int32_t ParamIndexOfID(const char* id, int32_t nParams);
