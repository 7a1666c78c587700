// The face as the editor's timer draws it, tick by tick, shows after every
// tick exactly the pixels of the whole face drawn at once. A twin meter that
// hears the same audio, settings and pointer is drawn whole as the reference,
// so that the editor under test keeps every bit of its own drawing state.
#include "framework/aax/ParamID.h"
#include "graphics/raster/LICE_SysBitmap.h"
#include "graphics/vector/ITextControl_SVG1.h"
#include "plugin/MeterParamIndex.h"
#include "support/EditorSession.h"
#include "tests/support/CairoStaticData.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

constexpr int32_t kTickFrames = 1584;  // 33 ms at 48 kHz

class IncrementalDraw : public EditorSession
{
protected:
    IncrementalDraw()
    {
        HostStreamState stream;
        stream.sampleRate = 48000.0f;
        stream.playing = true;
        std::string error;
        twin = HostInstance::Create(host, effect, stream, &error);
        if (!twin)
            throw std::runtime_error(error);
        twinView = desktop.CreateHostWindow(0, 0, 1900, 1100);
    }

    ~IncrementalDraw() override
    {
        twinGui.reset();
        twin.reset();
        DestroyWindow(twinView);
    }

    IGraphicsWin& Twin() const
    {
        return dynamic_cast<IGraphicsWin&>(*dynamic_cast<Sonvarek&>(twin->Effect()).GetEditor());
    }

    void OpenBoth()
    {
        Open();
        std::string error;
        twinGui = HostEditor::Create(host, effect, *twin, &error);
        ASSERT_NE(twinGui, nullptr) << error;
        ASSERT_EQ(twinGui->GiveView(twinView), 0);
    }

    void SetBoth(int32_t idx, const char* text)
    {
        SetFromHost(idx, text);
        ASSERT_EQ(twin->SetText(ParamIDOfIndex(idx), text), 0) << text;
    }

    // The same on both editors.
    void Both(const std::function<void(IGraphicsWin&)>& act)
    {
        act(Editor());
        act(Twin());
    }

    // A tick's worth of audio whose level moves per channel (now and then
    // above full scale, so that a lamp lights), then one timer tick.
    void PlayAndTick()
    {
        HostAudio in(2, kTickFrames);
        HostAudio out(2, kTickFrames);
        for (int32_t c = 0; c < 2; ++c)
        {
            const double level = 0.6 + 0.55 * std::sin(0.23 * static_cast<double>(step) + 1.7 * c);
            const double amplitude = step % 11 == 7 ? 0.0 : level * level;
            for (int32_t i = 0; i < kTickFrames; ++i)
                in.Channel(c)[static_cast<size_t>(i)] =
                    static_cast<float>(amplitude * std::sin(0.0131 * static_cast<double>(played + i)));
        }
        for (HostInstance* each : {instance.get(), twin.get()})
        {
            each->Render(in.Buffers(), out.Buffers(), kTickFrames);
            each->DeliverRequests();
            each->ClearAutomation();
        }
        played += kTickFrames;
        ++step;
        Tick();
    }

    // The editor's back buffer against the twin's whole face drawn now.
    void ExpectTheWholeFace(const char* when)
    {
        IGraphicsWin& twinEditor = Twin();
        ASSERT_EQ(Editor().Width(), twinEditor.Width());
        ASSERT_EQ(Editor().Height(), twinEditor.Height());
        twinEditor.Draw(IBounds{0, 0, twinEditor.Width(), twinEditor.Height()});
        const LICE_SysBitmap* got = Editor().BackBuffer();
        const LICE_SysBitmap* whole = twinEditor.BackBuffer();
        int64_t wrong = 0;
        IBounds box = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < got->Height(); ++y)
            for (int32_t x = 0; x < got->Width(); ++x)
                if (got->PixelData()[static_cast<ptrdiff_t>(y) * got->RowPixels() + x] !=
                    whole->PixelData()[static_cast<ptrdiff_t>(y) * whole->RowPixels() + x])
                {
                    ++wrong;
                    box = IBounds{std::min(box.L, x), std::min(box.T, y), std::max(box.R, x + 1),
                                  std::max(box.B, y + 1)};
                }
        std::ostringstream where;
        if (wrong)
            where << " in " << box.L << "," << box.T << "," << box.R << "," << box.B;
        ASSERT_EQ(wrong, 0) << "pixels differ " << when << " (tick " << step << ")" << where.str();
    }

    void PlayTicks(int32_t ticks, const char* when)
    {
        for (int32_t i = 0; i < ticks; ++i)
        {
            PlayAndTick();
            ASSERT_NO_FATAL_FAILURE(ExpectTheWholeFace(when));
        }
    }

    // The centre of control idx.
    void PointAt(int32_t idx, int32_t* x, int32_t* y) const
    {
        const IBounds a = Editor().ControlAt(idx)->DrawArea();
        *x = (a.L + a.R) / 2;
        *y = (a.T + a.B) / 2;
    }

    std::unique_ptr<HostInstance> twin;
    std::unique_ptr<HostEditor> twinGui;
    HWND twinView = nullptr;
    int64_t step = 0;
};

TEST_F(IncrementalDraw, EveryTickShowsTheWholeFace)
{
    ASSERT_NO_FATAL_FAILURE(OpenBoth());
    ASSERT_NO_FATAL_FAILURE(PlayTicks(40, "while the RMS meter runs at scale 1"));

    // The pointer over two bars and away again.
    const int32_t* bars = Tables().BarTable;
    for (int32_t k : {0, 1})
    {
        int32_t x = 0;
        int32_t y = 0;
        PointAt(bars[SonvarekEditorTables::kBarSlot + k], &x, &y);
        Both([&](IGraphicsWin& e) { e.PointerMove(x, y, IPointerMods{}); });
        ASSERT_NO_FATAL_FAILURE(PlayTicks(2, "with the pointer over a bar"));
    }
    Both([](IGraphicsWin& e) { e.PointerLeftAll(); });
    ASSERT_NO_FATAL_FAILURE(PlayTicks(2, "after the pointer left"));

    // A text changed and a bar greyed between ticks, and another part of the
    // window painted before the next tick.
    const int32_t label = bars[SonvarekEditorTables::kChannelLabelSlot + 2];
    const int32_t bar = bars[SonvarekEditorTables::kBarSlot + 3];
    Both([&](IGraphicsWin& e) {
        dynamic_cast<ITextControl_SVG1&>(*e.ControlAt(label)).SetTextIfChanged("Ls");
        e.ControlAt(bar)->SetGreyed(true);
        const RECT part = {0, 0, 40, 30};
        InvalidateRect(e.Window(), &part, FALSE);
        UpdateWindow(e.Window());
    });
    ASSERT_NO_FATAL_FAILURE(PlayTicks(3, "after a text changed between ticks"));
    Both([&](IGraphicsWin& e) { e.ControlAt(bar)->SetGreyed(false); });
    ASSERT_NO_FATAL_FAILURE(PlayTicks(2, "with the bar no longer greyed"));

    // The read-outs' values and units move with the offset.
    ASSERT_NO_FATAL_FAILURE(SetBoth(kRMSDelta, "1"));
    ASSERT_NO_FATAL_FAILURE(PlayTicks(8, "with the RMS offset on"));
    ASSERT_NO_FATAL_FAILURE(SetBoth(kRMSDelta, "0"));
    ASSERT_NO_FATAL_FAILURE(PlayTicks(8, "with the RMS offset off again"));

    ASSERT_NO_FATAL_FAILURE(SetBoth(kType, "EBU"));
    ASSERT_NO_FATAL_FAILURE(PlayTicks(30, "after the switch to EBU"));
    ASSERT_NO_FATAL_FAILURE(SetBoth(kEBUChannelConfig, "1.0"));
    ASSERT_NO_FATAL_FAILURE(SetBoth(kEBUDelta, "1"));
    ASSERT_NO_FATAL_FAILURE(PlayTicks(8, "with one EBU channel and the EBU offset on"));

    ASSERT_NO_FATAL_FAILURE(SetBoth(kGUIScale, "2.0"));
    ASSERT_NO_FATAL_FAILURE(PlayTicks(20, "at scale 2"));
    ASSERT_NO_FATAL_FAILURE(SetBoth(kType, "RMS"));
    ASSERT_NO_FATAL_FAILURE(SetBoth(kGUIScale, "3.0"));
    ASSERT_NO_FATAL_FAILURE(PlayTicks(30, "back on RMS at scale 3"));
}

}  // namespace
