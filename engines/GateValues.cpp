#include "engines/GateValues.h"

#include "engines/Decibels.h"

int32_t GateValues(double* values, int32_t count, double gate)
{
    int32_t kept = 0;
    for (int32_t i = 0; i < count; ++i)
        if (MeanSquareToLoudness(values[i]) >= gate)
            values[kept++] = values[i];
    return kept;
}
