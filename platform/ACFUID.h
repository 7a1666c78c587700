#pragma once
// The 16-byte identifier of an interface or a class at the host boundary,
// written {data1-data2-data3-data4[0..1]-data4[2..7]}.

#include <cstdint>

struct ACFUID
{
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

constexpr bool operator==(const ACFUID& a, const ACFUID& b)
{
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.data4[i] != b.data4[i])
            return false;
    return true;
}

constexpr bool operator!=(const ACFUID& a, const ACFUID& b) { return !(a == b); }
