#pragma once
// The meter plug-in: 29 parameters, 17 factory presets, the peak/RMS engine
// with six weighting filters ("RMS") and the loudness engine ("EBU"), the
// audio path that applies the selected type's gain and measures, the
// publication of the meter values as output parameters, and the handler of
// parameter changes and the editor's commands.
//
// Threads: RunAudioBlock on the host's real-time thread under the plug-in
// lock (held by the render path); PrepareStream and HandleParamChange take
// the lock themselves, so settings and engines change only between blocks.
// The editor reads meter values only through TakeDueMeterValues.
//
// The host side of the base (SendParamToHost, QueryTransport, gestures, ...)
// is the format binding's (IPlugAAX). The editor members (face artwork,
// editor construction, meter view, editor hooks) are the editor layer's
// (editor/): the plug-in holds the artwork and the editor through the seam of
// SonvarekEditor.h and knows the graphics classes only by name.

#include "engines/LoudnessEngine.h"
#include "engines/PeakRmsEngine.h"
#include "engines/WeightingFilter.h"
#include "framework/aax/IPlugAAX.h"
#include "framework/core/IPlugPathes.h"
#include "framework/core/IPlugPresetmanager.h"
#include "plugin/FrameTimer.h"
#include "plugin/MeterParamIndex.h"
#include "plugin/MeterSnapshot.h"
#include "plugin/SonvarekEditor.h"
#include "plugin/SonvarekEditorTables.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

class IGraphics;
class Shape;
class ShapeScene;

// The format binding Sonvarek derives from.
using SonvarekBinding = IPlugAAX;

class Sonvarek : public SonvarekBinding, public IPlugPathes, public IPlugPresetmanager
{
public:
    static constexpr int32_t kChannels = PeakRmsEngine::kChannels;
    static_assert(kEbuChannels == kChannels, "both engines measure the same channels");
    static constexpr int32_t kFactoryPresetCount = 17;
    static constexpr double kDesignWidth = 616.0;
    static constexpr double kDesignHeight = 352.0;
    static constexpr int32_t kEditorFramesPerSecond = 30;

    // Parameters and defaults, the editor surface, the data folders, the
    // factory presets, the user's presets and "default.fxp" (whose values,
    // when it loads, become the defaults), the engines at the base's sample
    // rate, then the editor's face. Throws std::bad_alloc when the base could
    // not make its parameters or an engine cannot be had.
    Sonvarek();
    // An editor window still open is closed before the artwork goes.
    ~Sonvarek() override;

    // Set-up thread, under the plug-in lock: with a new sample rate or block
    // size the engines are made again (every measurement restarts and the
    // timers are recomputed); otherwise only the channel counts are recorded.
    // A sample rate that is not finite and positive, or engines that cannot
    // be had, keep the engines as they were.
    void PrepareStream() override;

    // Any thread, takes the plug-in lock. Index 0-28: the parameter's value
    // goes into its mirror, then the engines are reconfigured or reset and the
    // editor relabelled as the parameter needs: at once on the editor's
    // thread, else on the editor's next tick (see UpdateUnitLabels). A change
    // of what the read-outs or bars show makes them due, so that the next
    // idle refresh shows it also when no audio comes. 30-42: a MeterCommand.
    // Nested calls (from its own parameter updates) and calls while the
    // preset manager is busy are dropped.
    void HandleParamChange(int32_t idx) override;

    // Audio thread, under the plug-in lock. Scales the selected type's active
    // channels in place by its gain, runs that type's engines (following the
    // host transport while "Sync" is on), counts the refresh and publication
    // timers, publishes the meter values every 50 ms while
    // "WriteAutomationData" is on, then copies the inputs to the outputs and
    // silences the outputs that have no input. A non-finite sample reaches
    // the output like any other and is measured as 0.0. The transport is
    // asked on every call: one that finds it stopped after it played first
    // ends the periods under way (also with no frames): the meter values are
    // published at once and the bars and read-outs made due, each only when
    // its timer has counted frames since it last fired. Allocates nothing,
    // takes no lock.
    void RunAudioBlock(double** inputs, double** outputs, int32_t nFrames) override;

    // Loading a program file has nothing to announce to the meter; answered
    // here because "default.fxp" loads during construction.
    void AnnounceProgramLoaded() override {}

    // The 17 factory presets into the first free slots; returns how many were made.
    int32_t MakeFactoryPresets() override;
    // The current values into the record, named "Factory Default".
    void CaptureDefaultPreset(IPlugPreset* preset) override;

    // UI thread; never waits. When a refresh is due and the plug-in lock is
    // free, copies the meter values and settings into out, marks in it what
    // was due and clears those flags; returns true. False (flags kept, out
    // untouched) when nothing is due or the lock is busy: the next tick tries
    // again.
    bool TakeDueMeterValues(MeterSnapshot* out);

    // The editor scale: read under the plug-in lock (the handler changes it
    // under the lock, on whichever thread the change arrives).
    double GetGuiScale() const { return guiScale; }
    double ScaleX() const { return scaleX; }
    double ScaleY() const { return scaleY; }
    // Any thread: a scale change waits for the editor's next idle refresh;
    // bar meters and read-outs are due for a refresh (see TakeDueMeterValues).
    bool ResizePending() const { return resizePending.load(); }
    bool BarsDue() const { return barsDue.load(); }
    bool ReadoutsDue() const { return readoutsDue.load(); }

    // The engines, for the plug-in's own layers; under the plug-in lock only.
    const PeakRmsEngine& GetPeakRmsEngine() const { return *peakRms; }
    const LoudnessEngine& GetLoudnessEngine() const { return *loudness; }
    const WeightingFilter& GetWeightingFilter(int32_t channel) const { return weighting[channel]; }

    // ---- Editor (defined by the editor layer) ---------------------------------

    // UI thread, from the host's GUI object. Opened: this thread becomes the
    // editor's, a relabel left for it is done, the first opening sizes the
    // editor to the scaled design size (keeping its controls); every opening
    // lets the idle refresh work. Closed: it stops.
    void OnEditorOpened() override;
    void OnEditorClosed() override;
    // UI thread, at every timer tick before the change scan; nothing before
    // the editor first opened. A pending scale change resizes the editor, a
    // relabel left by another thread is done; due bar meters and read-outs
    // take the values of TakeDueMeterValues. What needs the plug-in lock
    // waits for a tick on which it is free.
    void IdleRefresh() override;
    // UI thread, after the editor's size changed. flag 1 (controls kept): the
    // artwork is rescaled, the controls laid out again, given their
    // parameters' values and relabelled. Any other flag: nothing.
    void OnEditorResized(int32_t flag) override;

    // Construction thread: the 60 groups of the face artwork into the
    // plug-in's scene (which must be empty: nothing otherwise), ending with the
    // pixel effects and shadow blur off. Throws std::bad_alloc.
    void BuildFaceArt();
    // The bar, the lamp and the bar-value text into the group at index;
    // nothing (null) for an index with no group.
    void BuildPeakBarArt(int32_t group);
    void BuildLampArt(int32_t group);
    Shape* AddTextLayer(int32_t group);
    // The artwork at the editor scale (scaleX, scaleY).
    void ScaleFaceArt();
    // Construction thread (rebuild 0) or UI thread (1). rebuild 0: every
    // control of the editor on graphics, in its fixed order, recorded in the
    // group lists and tables, then the layout at the editor scale; 1: only the
    // layout, on the attached surface; anything else, or no surface: nothing.
    void BuildEditor(IGraphics* graphics, int32_t rebuild);

    // The meter view; the editor's thread (see OnEditorOpened; before it
    // opened, the construction thread). Only slots that name a control of
    // the expected class are touched.
    // Every control of the group list SetHidden(hidden != 0).
    void ShowRmsGroup(int32_t hidden);
    void ShowEbuGroup(int32_t hidden);
    // The selected type's controls shown (the other type's hidden first),
    // the read-outs' unit texts, the bar meter's caption and channel names.
    // Under the plug-in lock (it reads the settings' mirrors).
    void UpdateUnitLabels();
    // One bar meter: the bar at valueDb on its -60 to +12 dB scale, the text
    // of the held peak rounded to 0.1 dB (" %.1lf", or "-inf" at or below
    // -144.0), the lamp lit above 0.0 dB. A NaN value is an empty bar, a NaN
    // held peak "-inf".
    void SetBarMeter(double valueDb, double holdDb, int32_t barIndex, int32_t textIndex, int32_t lampIndex);
    // The six bar meters, and the thirteen read-outs of the selected type,
    // from a snapshot of the engines (TakeDueMeterValues).
    void UpdateBarMeters(const MeterSnapshot& values);
    void UpdateReadouts(const MeterSnapshot& values);

    // The editor surface attached, null when it is none (or not a surface).
    IGraphics* Surface() const;
    ShapeScene* FaceArt() const { return faceArt.get(); }
    const SonvarekEditorTables& EditorTables() const { return editorTables; }
    bool EditorOpenedOnce() const { return editorOpenedOnce; }
    bool EditorOpen() const { return editorOpen; }

private:
    void InitLevelDefaults();
    void InitParams();
    // Replays every parameter into its mirror after "default.fxp" loaded and
    // makes the loaded values the defaults.
    void ApplyLoadedDefault();
    // Makes and sets up the engines and filters at sampleRate, resets the timers.
    void InitDSP();
    // Window and mode of the peak/RMS engine from the mirrors.
    void ConfigureRms(PeakRmsEngine& engine) const;
    // The six weighting filters designed for the mode and rate (state cleared).
    void SetUpWeighting();
    // Every measurement of both types restarts under the current settings.
    void Rebuild();

    // Handler parts: a parameter's mirror and what it asks for; a command.
    struct ChangeNeeds;
    void StoreParam(int32_t idx, ChangeNeeds* needs);
    void RunCommand(int32_t idx, ChangeNeeds* needs);
    bool MatchGain(int32_t command);
    void ResizeByDrag();
    // The resize corner's drag distances (the editor layer's): from the
    // corner the editor construction recorded, else as the editor reports them.
    void ResizeDragDistance(int32_t* dx, int32_t* dy) const;
    // The scale applied to the editor and to "GUI Scale"; a resize follows.
    void ApplyScaleFromEditor(double scale);
    // Under the plug-in lock: a relabel another thread left, done now.
    void TakeDueLabels();

    // Audio path parts.
    void RunRmsFrames(double* const* channel, int32_t start, int32_t n, bool measure);
    void RunEbuFrames(double* const* channel, int32_t start, int32_t n, bool measure);
    void ResetForTransportStart();
    // The transport stopped after playing: publication and refresh of what
    // the timers counted since they last fired.
    void EndPeriodsAtStop();
    void PublishMeterValues();
    void PublishValue(int32_t paramIdx, double value);

    bool loadingDefault = false;
    double sampleRate = 0.0;
    int32_t blockSize = 0;
    int32_t numInputs = 0;
    int32_t numOutputs = 0;
    bool inHandler = false;
    bool lastPlaying = false;  // "Sync": the transport's start restarts the meters
    bool transportWasPlaying = false;  // its stop ends the periods under way
    double designWidth = kDesignWidth;
    double designHeight = kDesignHeight;
    double scaleX = 1.0;
    double scaleY = 1.0;
    // UI thread.
    bool editorOpenedOnce = false;
    bool editorOpen = false;
    // The thread on which the controls' texts, visibility and layout change:
    // the construction thread until the editor opens, then the one that
    // opened it. Under the plug-in lock.
    std::thread::id editorThread = std::this_thread::get_id();
    // Raised by the handler, taken by the editor's idle refresh.
    std::atomic<bool> resizePending{false};
    std::atomic<bool> labelsDue{false};
    // Raised by the audio thread, and by the handler for a change of what
    // they show; taken by TakeDueMeterValues.
    std::atomic<bool> barsDue{false};
    std::atomic<bool> readoutsDue{false};

    double guiScale = 1.0;
    int32_t guiLayout = 1;

    // Refresh and publication periods (ms) and their frame timers.
    double barPeriodMs = 0.0;
    double readoutPeriodMs = 0.0;
    double publishPeriodMs = 0.0;
    FrameTimer barTimer;
    FrameTimer readoutTimer;
    FrameTimer publishTimer;

    // Mirrors of the settings (InitLevelDefaults, then HandleParamChange):
    // the audio path and the editor read only these.
    int32_t meterType = kMeterTypeRms;
    int32_t sync = 0;
    int32_t writeAutomation = 0;
    int32_t rmsChannelConfig = 0;
    int32_t rmsMeterMode = 0;
    double rmsWindowMs = 0.0;
    double rmsGainDb = 0.0;
    double rmsRefLevel = 0.0;
    int32_t rmsOffset = 0;
    int32_t weightingMode = 0;
    int32_t ebuChannelConfig = 0;
    double ebuGainDb = 0.0;
    double ebuRefLevel = 0.0;
    int32_t ebuOffset = 0;

    std::unique_ptr<PeakRmsEngine> peakRms;
    std::unique_ptr<LoudnessEngine> loudness;
    WeightingFilter weighting[kChannels];

    std::unique_ptr<ShapeScene, FaceArtDelete> faceArt;
    SonvarekEditorTables editorTables;
    // The held peaks (rounded to 0.1 dB) whose texts the bar value texts
    // show, by channel: the meter view writes a text only when its value
    // moved. Unset until written.
    std::optional<double> barHeldShown[SonvarekEditorTables::kBars];
};
