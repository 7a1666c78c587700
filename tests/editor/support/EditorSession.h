#pragma once
// The meter with its real editor in this test program, on the stand-in host:
// the module's description registered in-process, an instance of Sonvarek
// (stereo at 48 kHz, transport playing) in a data folder of its own, its GUI
// object and a host window of the shared test desktop to show the editor in.
// The test reaches the plug-in and the editor's controls directly. The host
// window stands at the desktop's origin: editor and screen points are one.

#include "graphics/editor/IGraphicsWin.h"
#include "host/HostAudio.h"
#include "host/HostEditor.h"
#include "host/HostInstance.h"
#include "host/StandInHost.h"
#include "plugin/Sonvarek.h"
#include "tests/support/SharedDesktop.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

// Channel c at frame i, in the float samples a host hands over.
using HostSignal = std::function<float(int32_t c, int64_t i)>;

class EditorSession : public ::testing::Test
{
protected:
    EditorSession();
    ~EditorSession() override;

    Sonvarek& Plug() const;
    IGraphicsWin& Editor() const;
    const SonvarekEditorTables& Tables() const { return Plug().EditorTables(); }

    // The GUI object made and shown in the host window; the editor is open.
    void Open();
    // The view removed (the editor closes) and the GUI object let go.
    void Close();
    // Timer periods of the editor (30 a second) on the desktop's clock.
    void Tick(int32_t periods = 1);

    // seconds of the signal through render calls of 512 frames.
    void Play(const HostSignal& signal, double seconds);
    // The host sets a parameter (plug-in index) to a plain value, as
    // automation does; the value's own text is parsed by the module.
    void SetFromHost(int32_t idx, const char* text);
    double HostNormalized(int32_t idx) const;
    // Every control bound to a parameter (14) shows the host's value of it.
    void ExpectControlsShowHostValues() const;

    // The text of the ReadoutTable slot's text control.
    std::string SlotText(int32_t slot) const;
    std::string ReadoutValue(int32_t row) const;
    std::string ReadoutUnit(int32_t row) const;
    std::string BarText(int32_t channel) const;
    std::string ChannelLabel(int32_t channel) const;
    double BarValue(int32_t channel) const;
    double LampValue(int32_t channel) const;

    Desktop& desktop;
    TempFolder data;
    TempFolder home;
    DataHomeOverride env;
    StandInHost host;
    RecordedEffect effect;
    std::unique_ptr<HostInstance> instance;
    std::unique_ptr<HostEditor> gui;
    HWND view = nullptr;
    int64_t played = 0;  // frames
};

// A sine of peak amplitude at hz on both channels, at 48 kHz.
HostSignal HostSine(double amplitude, double hz);
