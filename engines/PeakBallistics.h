#pragma once
// Bar-meter ballistics of one channel: the held maximum and a falling peak that
// drops by 20 dB every 0.5 s. Plain state; stepped on the audio thread, read by
// the editor.

#include <cmath>

struct PeakBallistics
{
    double held = 0.0;           // largest input since reset, linear
    double falling = 0.0;        // the falling peak, linear
    double releaseFactor = 1.0;  // 10^(1 / (0.5 · sampleRate))

    void Init(double sampleRate)
    {
        releaseFactor = std::pow(10.0, 1.0 / (sampleRate * 0.5));
        Reset();
    }

    void Reset()
    {
        held = 0.0;
        falling = 0.0;
    }

    // a is a non-negative linear level (|x| or a true-peak value).
    void Step(double a)
    {
        if (a > held)
            held = a;
        if (a > falling)
            falling = a;
        else
            falling = falling / releaseFactor;
    }
};
