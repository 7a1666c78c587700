#include "host/cli/LiveEditor.h"

#include "host/cli/HostedEditor.h"
#include "host/cli/InputPlayer.h"
#include "host/cli/ProgressLine.h"
#include "host/cli/RealTimePacer.h"
#include "platform/x11/X11Presenter.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// The longest wait of one round of the loop; the editor's timer (30 a second)
// wakes it sooner.
constexpr int kRoundMs = 50;

// The audio thread: plays until the input ends or the pacer is stopped;
// stopped and joined when it goes, whatever ends the run.
class AudioThread
{
public:
    AudioThread(InputPlayer& player, RealTimePacer& pacer)
        : pacer(pacer), thread([this, &player] {
              player.Play();
              played.store(true);
          })
    {
    }
    ~AudioThread() { Stop(); }
    AudioThread(const AudioThread&) = delete;
    AudioThread& operator=(const AudioThread&) = delete;

    bool Played() const { return played.load(); }
    void Stop()
    {
        pacer.Stop();
        if (thread.joinable())
            thread.join();
    }

private:
    RealTimePacer& pacer;
    std::atomic<bool> played{false};
    std::thread thread;  // last: it starts once the rest is made
};

}  // namespace

Measurement PlayWithEditor(MeterHost& host, const MeterSettings& settings, AudioSource& source,
                           const MeasureSetup& setup, Desktop& desktop, X11Presenter& presenter,
                           const LiveEditorSetup& live, std::string* screenshotError)
{
    RealTimePacer pacer;
    std::atomic<int64_t> framesPlayed{0};
    MeasureSetup playSetup = setup;
    playSetup.pacer = &pacer;
    playSetup.answerRequests = false;
    playSetup.keepState = false;  // taken as the editor closes
    playSetup.keepInstance = true;
    playSetup.progress = &framesPlayed;
    InputPlayer player(host, settings, source, playSetup);
    if (!player.Ready())
        return player.Finish();
    HostInstance& instance = player.Instance();

    presenter.SetTitle(live.title);
    std::string error;
    std::unique_ptr<HostedEditor> editor = HostedEditor::Open(host, instance, desktop, &error);
    if (!editor)
    {
        Measurement failed;
        failed.error = error;
        return failed;
    }
    bool closed = false;
    presenter.SetCloseHandler([&closed](HWND) { closed = true; });

    AudioThread audio(player, pacer);
    ProgressLine progress(live.progress);
    const int64_t framesTotal = std::max<int64_t>(source.Frames(), 0);
    Measurement result;
    bool ended = false;
    while (!closed && !presenter.StopRequested())
    {
        presenter.RunOnce(kRoundMs);
        instance.DeliverRequests();
        editor->FollowSize();
        if (ended)
            continue;
        if (audio.Played())
        {
            // The last values the play published reach the host first.
            instance.DeliverRequests();
            result = player.Finish();
            ended = true;
            progress.Clear();
            // An input that failed is reported at once.
            if (!result.error.empty())
                break;
        }
        else
            progress.Show(framesPlayed.load(std::memory_order_relaxed), framesTotal, 0, 1);
    }
    audio.Stop();
    if (!ended)
    {
        progress.Clear();
        instance.DeliverRequests();
        result = player.Finish();
    }

    // What the end of the play left due (a stop may have ended it just now)
    // is shown before the editor is pictured and closed.
    editor->Tick();
    if (!live.screenshot.empty() && result.error.empty())
        editor->SaveImage(live.screenshot, screenshotError);
    if (setup.keepState && result.error.empty())
    {
        const std::vector<uint32_t> chunks = instance.ChunkIDs();
        if (!chunks.empty())
            instance.GetChunk(chunks.front(), &result.state);
    }
    editor.reset();
    presenter.SetCloseHandler(nullptr);
    // The window goes from the display now, not when the presenter does.
    presenter.RunOnce(0);
    if (!setup.keepInstance)
        result.instance.reset();
    return result;
}
