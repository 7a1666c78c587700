#pragma once

#include <cstdint>

// The host's transport as IPlugBase::QueryTransport reports it. Positions are
// in samples or quarter notes; the defaults stand for "not known".
struct ITransportRecord
{
    double tempo = 120.0;                 // quarter notes per minute
    double samplePosition = -1.0;         // samples since the start of the timeline
    double quarterNotePosition = -1.0;    // quarter notes since the start
    double lastBarPosition = -1.0;        // quarter-note position of the current bar's start
    double cycleStart = -1.0;             // loop start, quarter notes
    double cycleEnd = -1.0;               // loop end, quarter notes
    int32_t numerator = 4;                // time signature
    int32_t denominator = 4;
    bool playing = false;
    bool looping = false;
};
