// The editor's thread against the host's: a render thread plays, a host
// thread changes the meter type, the channel configurations, the gains and
// the editor scale as automation playback does, while the editor's thread
// opens the editor, lets its timer run, clicks its controls and closes it
// again. Run under ThreadSanitizer in CI: any race is a failure.
#include "framework/aax/ParamID.h"
#include "graphics/vector/IMyPopupMenu_SVG1.h"
#include "graphics/vector/IParameterButton_SVG1.h"
#include "graphics/vector/ISVGClickControl.h"
#include "graphics/vector/ISwitchControl_SVG1.h"
#include "plugin/MeterParamIndex.h"
#include "support/EditorSession.h"
#include "tests/support/CairoStaticData.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCycles = 200;
// Sanitized builds are slow: the cycles stop early rather than hold up CI.
constexpr auto kMostTime = std::chrono::seconds(40);

// Runs body(round) for round 0, 1, ... on a thread of its own until stopped.
class Looping
{
public:
    template <class Body>
    explicit Looping(Body body)
        : thread([this, body] {
              for (int round = 0; !stop.load(); ++round)
              {
                  body(round);
                  ++rounds;
              }
          })
    {
    }
    ~Looping() { Stop(); }
    // The rounds run.
    int Stop()
    {
        stop = true;
        if (thread.joinable())
            thread.join();
        return rounds.load();
    }

private:
    std::atomic<bool> stop{false};
    std::atomic<int> rounds{0};
    std::thread thread;  // last: it starts once the rest is made
};

class EditorThreads : public EditorSession
{
protected:
    static constexpr int32_t kFrames = 512;

    void SetNormalized(int32_t idx, double normalized)
    {
        EXPECT_EQ(instance->SetNormalized(ParamIDOfIndex(idx), normalized), 0) << idx;
    }

    // The centre of a shown control of class C (bound to paramIdx unless
    // that is -1) in the editor; false when there is none.
    template <class C>
    bool CentreOf(int32_t paramIdx, int nth, POINT* at) const
    {
        std::vector<const IControl*> found;
        for (int32_t i = 0; i < Editor().ControlCount(); ++i)
        {
            const IControl* control = Editor().ControlAt(i);
            if (dynamic_cast<const C*>(control) && !control->IsHidden() &&
                (paramIdx < 0 || control->ParamIdx() == paramIdx))
                found.push_back(control);
        }
        if (found.empty())
            return false;
        const IBounds& area = found[static_cast<size_t>(nth) % found.size()]->DrawArea();
        *at = POINT{(area.L + area.R) / 2, (area.T + area.B) / 2};
        return true;
    }

    // One of the things a user does, by cycle: a menu choice, a switch, a
    // wheel on a value field, a button (reset, gain matching).
    void UseAControl(int cycle)
    {
        POINT at = {};
        switch (cycle % 4)
        {
        case 0:
            desktop.Services().chooseMenuItem = [cycle](const MenuRequest& menu) -> std::optional<UINT_PTR> {
                if (menu.items.empty())
                    return std::nullopt;
                return menu.items[static_cast<size_t>(cycle / 4) % menu.items.size()].id;
            };
            if (CentreOf<IMyPopupMenu_SVG1>(-1, cycle / 4, &at))
                desktop.Click(MouseButton::Left, at.x, at.y);
            desktop.Services().chooseMenuItem = nullptr;
            break;
        case 1:
            if (CentreOf<ISwitchControl_SVG1>(cycle % 8 == 1 ? kRMSDelta : kEBUDelta, 0, &at))
                desktop.Click(MouseButton::Left, at.x, at.y);
            break;
        case 2:
            if (CentreOf<IParameterButton_SVG1>(-1, cycle / 4, &at))
                desktop.Wheel(at.x, at.y, cycle % 8 == 2 ? 120 : -120);
            break;
        default:
            if (CentreOf<ISVGClickControl>(-1, cycle / 4, &at))
                desktop.Click(MouseButton::Left, at.x, at.y);
            break;
        }
    }

    // What the editor shows follows the plug-in's settings ("EBU", "5.1").
    void ExpectTheEditorShowsTheSettings() const
    {
        ExpectControlsShowHostValues();
        for (int32_t idx : Tables().RmsGroupList)
            EXPECT_TRUE(Editor().ControlAt(idx)->IsHidden()) << idx;
        for (int32_t idx : Tables().EbuGroupList)
            EXPECT_FALSE(Editor().ControlAt(idx)->IsHidden()) << idx;
        const std::vector<std::string> names = {"L", "R", "C", "LFE", "Ls", "Rs"};
        for (int32_t k = 0; k < SonvarekEditorTables::kBars; ++k)
            EXPECT_EQ(ChannelLabel(k), names[static_cast<size_t>(k)]);
        EXPECT_EQ(SlotText(SonvarekEditorTables::kCaptionSlot), "True Peak");
    }
};

TEST_F(EditorThreads, TheEditorOpensTicksTakesClicksAndClosesWhileTheHostChangesParameters)
{
    SetFromHost(kWriteAutomationData, "1");
    const Clock::time_point deadline = Clock::now() + kMostTime;
    int cycles = 0;
    int rounds = 0;
    {
        // A host's audio thread and its automation thread wait between their calls.
        HostAudio in(2, kFrames);
        HostAudio out(2, kFrames);
        Looping render([&](int block) {
            for (int32_t c = 0; c < 2; ++c)
                for (int32_t i = 0; i < kFrames; ++i)
                    in.Channel(c)[static_cast<size_t>(i)] =
                        0.3f * static_cast<float>(std::sin(0.05 * (static_cast<double>(block) * kFrames + i)));
            instance->Render(in.Buffers(), out.Buffers(), kFrames);
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        });
        Looping automation([this](int round) {
            SetNormalized(kType, round % 2);
            SetNormalized(kEBUChannelConfig, (round % 5) / 4.0);
            SetNormalized(kRMSChannelConfig, (round % 4) / 3.0);
            SetNormalized(kRMSGain, (round % 7) / 6.0);
            SetNormalized(kEBUGain, (round % 9) / 8.0);
            SetNormalized(kEBUDelta, round % 3 == 0 ? 1.0 : 0.0);
            SetNormalized(kRMSDelta, round % 5 == 0 ? 1.0 : 0.0);
            // 1.0 and 1.25 only: larger editors take long to paint sanitized.
            if (round % 8 == 0)
                SetNormalized(kGUIScale, round % 16 == 0 ? 0.0 : 0.125);
            instance->DeliverRequests();  // what the editor asked for
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        });
        for (; cycles < kCycles && Clock::now() < deadline; ++cycles)
        {
            Open();
            UseAControl(cycles);
            Tick();
            Close();
        }
        rounds = automation.Stop();
        render.Stop();
    }
    RecordProperty("cycles", cycles);
    RecordProperty("host rounds", rounds);
    EXPECT_GE(cycles, 20);
    EXPECT_GE(desktop.Services().menuLog.size(), static_cast<size_t>(cycles / 4)) << "the clicks met the menus";

    // The host's last settings, made on its thread, reach the editor as it
    // opens again.
    std::thread([this] {
        instance->DeliverRequests();
        SetNormalized(kType, 1.0);
        SetNormalized(kEBUChannelConfig, 1.0);
    }).join();
    Open();
    Tick(2);
    ExpectTheEditorShowsTheSettings();
}

}  // namespace
