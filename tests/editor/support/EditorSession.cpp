#include "support/EditorSession.h"

#include "framework/aax/ModuleEntry.h"
#include "framework/aax/PlugInstanceFactory.h"
#include "framework/aax/ParamID.h"
#include "graphics/vector/IBitmapControl_SVG1.h"
#include "graphics/vector/ISVGKnobControl.h"
#include "graphics/vector/ITextControl_SVG1.h"
#include "host/HostString.h"
#include "host/RegisteredEffect.h"
#include "plugin/CreateSonvarekInstance.h"

#include <cmath>
#include <stdexcept>

// The instances of this program's description, as the module makes them.
IPlugAAX* CreatePlugInstance()
{
    return CreateSonvarekInstance([]() -> Sonvarek* { return new Sonvarek; });
}

namespace {

constexpr int32_t kBlock = 512;
constexpr float kRate = 48000.0f;

}  // namespace

EditorSession::EditorSession() : desktop(SharedDesktop()), env(data.Path().c_str(), home.Path().c_str())
{
    desktop.Services() = ScriptedServices();
    effect = RegisterEffect(host, ACFRegisterPlugin);
    HostStreamState stream;
    stream.sampleRate = kRate;
    stream.playing = true;
    std::string error;
    instance = HostInstance::Create(host, effect, stream, &error);
    if (!instance)
        throw std::runtime_error(error);
    view = desktop.CreateHostWindow(0, 0, 1900, 1100);
}

EditorSession::~EditorSession()
{
    gui.reset();
    instance.reset();
    DestroyWindow(view);
}

Sonvarek& EditorSession::Plug() const { return dynamic_cast<Sonvarek&>(instance->Effect()); }

IGraphicsWin& EditorSession::Editor() const { return dynamic_cast<IGraphicsWin&>(*Plug().GetEditor()); }

void EditorSession::Open()
{
    std::string error;
    if (!gui)
        gui = HostEditor::Create(host, effect, *instance, &error);
    ASSERT_NE(gui, nullptr) << error;
    ASSERT_EQ(gui->GiveView(view), 0);
    ASSERT_NE(Editor().Window(), nullptr);
}

void EditorSession::Close() { gui.reset(); }

void EditorSession::Tick(int32_t periods) { desktop.RunFor(static_cast<uint64_t>(periods) * 33); }

void EditorSession::Play(const HostSignal& signal, double seconds)
{
    const auto total = static_cast<int64_t>(seconds * kRate);
    HostAudio in(2, kBlock);
    HostAudio out(2, kBlock);
    for (int64_t done = 0; done < total;)
    {
        const auto n = static_cast<int32_t>(std::min<int64_t>(kBlock, total - done));
        for (int32_t c = 0; c < 2; ++c)
            for (int32_t i = 0; i < n; ++i)
                in.Channel(c)[static_cast<size_t>(i)] = signal(c, played + done + i);
        instance->Render(in.Buffers(), out.Buffers(), n);
        instance->DeliverRequests();
        done += n;
    }
    played += total;
    instance->ClearAutomation();
}

void EditorSession::SetFromHost(int32_t idx, const char* text)
{
    ASSERT_EQ(instance->SetText(ParamIDOfIndex(idx), text), 0) << text;
}

double EditorSession::HostNormalized(int32_t idx) const
{
    double value = -1.0;
    EXPECT_EQ(instance->Normalized(ParamIDOfIndex(idx), &value), 0);
    return value;
}

void EditorSession::ExpectControlsShowHostValues() const
{
    int32_t bound = 0;
    for (int32_t i = 0; i < Editor().ControlCount(); ++i)
    {
        const IControl* control = Editor().ControlAt(i);
        if (control->ParamIdx() < 0)
            continue;
        ++bound;
        EXPECT_NEAR(control->CurrentValue(), HostNormalized(control->ParamIdx()), 1e-9) << "control " << i;
    }
    EXPECT_EQ(bound, 14);
}

namespace {

std::string TextOf(const IGraphics& editor, int32_t idx)
{
    const auto* text = dynamic_cast<const ITextControl_SVG1*>(editor.ControlAt(idx));
    return text ? text->Text() : "(no text control)";
}

}  // namespace

std::string EditorSession::SlotText(int32_t slot) const { return TextOf(Editor(), Tables().ReadoutTable[slot]); }

std::string EditorSession::ReadoutValue(int32_t row) const { return SlotText(2 * row); }

std::string EditorSession::ReadoutUnit(int32_t row) const { return SlotText(2 * row + 1); }

std::string EditorSession::BarText(int32_t channel) const
{
    return TextOf(Editor(), Tables().BarTable[SonvarekEditorTables::kBarTextSlot + channel]);
}

std::string EditorSession::ChannelLabel(int32_t channel) const
{
    return TextOf(Editor(), Tables().BarTable[SonvarekEditorTables::kChannelLabelSlot + channel]);
}

double EditorSession::BarValue(int32_t channel) const
{
    const IControl* bar = Editor().ControlAt(Tables().BarTable[SonvarekEditorTables::kBarSlot + channel]);
    return dynamic_cast<const ISVGKnobControl*>(bar) ? bar->CurrentValue() : -1.0;
}

double EditorSession::LampValue(int32_t channel) const
{
    const IControl* lamp = Editor().ControlAt(Tables().BarTable[SonvarekEditorTables::kLampSlot + channel]);
    return dynamic_cast<const IBitmapControl_SVG1*>(lamp) ? lamp->CurrentValue() : -1.0;
}

HostSignal HostSine(double amplitude, double hz)
{
    return [=](int32_t, int64_t i) {
        return static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / kRate));
    };
}
