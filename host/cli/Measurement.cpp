#include "host/cli/Measurement.h"

#include "host/cli/InputPlayer.h"

double Measurement::Speed() const
{
    return seconds > 0.0 && sampleRate > 0 ? static_cast<double>(frames) / sampleRate / seconds : 0.0;
}

Measurement Measure(MeterHost& host, const MeterSettings& settings, AudioSource& source, const MeasureSetup& setup)
{
    InputPlayer player(host, settings, source, setup);
    player.Play();
    return player.Finish();
}
