#include "engines/SortDoubles.h"

#include <utility>

void SortDoubles(double* values, int32_t count, int32_t* lowStack, int32_t* highStack)
{
    int32_t top = 0;
    lowStack[0] = 0;
    highStack[0] = count;
    while (top >= 0)
    {
        const int32_t b = lowStack[top];
        const int32_t e = highStack[top];
        if (e - b < 2)
        {
            --top;
            continue;
        }
        const double pivot = values[b];
        int32_t l = b;
        int32_t r = e - 1;
        while (l < r)
        {
            while (values[r] >= pivot && l < r)
                --r;
            if (l < r)
                values[l++] = values[r];
            while (values[l] <= pivot && l < r)
                ++l;
            if (l < r)
                values[r--] = values[l];
        }
        values[l] = pivot;
        highStack[top] = l;
        ++top;
        lowStack[top] = l + 1;
        highStack[top] = e;
        if (highStack[top] - lowStack[top] > highStack[top - 1] - lowStack[top - 1])
        {
            std::swap(lowStack[top], lowStack[top - 1]);
            std::swap(highStack[top], highStack[top - 1]);
        }
    }
}
