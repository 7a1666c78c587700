#include "framework/aax/ParamID.h"

ParamIDText ParamIDOfIndex(int32_t index)
{
    // Digit by digit: every value the plug-in publishes names its parameter.
    const int64_t number = int64_t{index} + 1;
    uint64_t magnitude = number < 0 ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number);
    char digits[24];
    int32_t n = 0;
    do
    {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    ParamIDText id;
    int32_t at = 0;
    if (number < 0)
        id.text[at++] = '-';
    while (n > 0)
        id.text[at++] = digits[--n];
    id.text[at] = '\0';
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
