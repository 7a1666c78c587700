#pragma once
// A pixel rectangle; right and bottom are exclusive.

#include <cstdint>

struct LICE_Rect
{
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
