#pragma once
// One input played through its own instance in three steps, so that a host
// with an editor can open the editor on the instance before the audio starts
// and answer the instance's requests on its own thread: made ready (the
// source checked, the instance made and set), played (render calls of the
// setup's block size with the transport playing, until the source ends or
// the pacer is stopped; then the transport stops and one render call of no
// frames lets the instance publish what followed its last publication), and
// read (what the instance published, as a Measurement).

#include "host/cli/Measurement.h"

class InputPlayer
{
public:
    // Checks source and makes an instance of host for it with settings
    // applied (the channel configuration matched to the source where the
    // settings leave it open). Ready() tells whether that succeeded.
    InputPlayer(MeterHost& host, const MeterSettings& settings, AudioSource& source, const MeasureSetup& setup);
    InputPlayer(const InputPlayer&) = delete;
    InputPlayer& operator=(const InputPlayer&) = delete;

    bool Ready() const { return instance != nullptr; }
    // The instance. Only while Ready() and before Finish().
    HostInstance& Instance() const { return *instance; }

    // Renders the source from its start: as fast as it goes, or with a pacer
    // in the setup at real time until the pacer is stopped; a stop in the
    // setup ends it before the next render call. With
    // setup.answerRequests each render call's requests are answered right
    // after it; otherwise the owner answers them (DeliverRequests), on its
    // own thread. Does nothing unless Ready(). [the audio thread: one at a time]
    void Play();

    // What was measured: the meters the instance published as far as its
    // requests were answered, a warning for a source that ended before its
    // announced length or a play stopped before the end, the instance's state
    // and the instance itself when the setup asks for them; the reason when
    // the input could not be measured. Once, after Play.
    Measurement Finish();

private:
    const MeterSettings& settings;
    AudioSource& source;
    MeasureSetup setup;
    Measurement result;
    ChannelPlacement placement;
    MeterHost::Instance instance{nullptr, {nullptr}};
    bool stoppedEarly = false;
    std::string readError;  // a failure of the source after its first frames
};
