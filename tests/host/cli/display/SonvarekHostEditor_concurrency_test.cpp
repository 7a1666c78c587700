// sonvarek-host --editor with a person at the display: the window it shows
// and what it shows, the controls under the pointer while the input plays,
// and the ways a run ends. The program renders on an audio thread while its
// UI thread runs the editor, so these runs are concurrency tests too.

// GoogleTest (through HostTest.h) before Xlib, whose macros it would not survive.
#include "support/HostTest.h"

#include "platform/x11/PopupMenu.h"
#include "plugin/MeterParamIndex.h"
#include "support/XUser.h"
#include "tests/support/ImageCompare.h"
#include "tests/support/PngImage.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

// Only a stalled program waits this long; sanitizer builds start slowly.
constexpr int kDeadlineMs = 30000;
// As for the headless screenshots: antialiased edges may differ a little.
constexpr int32_t kTolerance = 24;

constexpr uint32_t kRmsFace = 0xFFF09135;
constexpr uint32_t kEbuFace = 0xFF4E79A3;

// Places on the face at editor scale 1.
constexpr POINT kFace = {5, 95};
constexpr POINT kTypeField = {29, 74};
constexpr POINT kGainField = {204, 74};
constexpr POINT kRefLevelField = {255, 74};
constexpr POINT kMakerLogo = {40, 15};
constexpr RECT kGainArea = {181, 65, 227, 83};
constexpr RECT kRefLevelArea = {232, 65, 278, 83};

constexpr int kWidth = 616;
constexpr int kHeight = 352;

// Pixels of one rectangle, 0xFFRRGGBB, rows top first.
using Pixels = std::vector<uint32_t>;

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// Polls until done() holds; false after the deadline.
bool WaitFor(const std::function<bool()>& done) { return PollUntil(done, kDeadlineMs); }

Pixels Crop(const Pixels& pixels, int width, const RECT& area)
{
    Pixels part;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            part.push_back(pixels[static_cast<size_t>(y) * width + x] | 0xFF000000u);
    return part;
}

// An X server of the test's own, to take away while the program shows on
// it. Its name is empty when it does not start.
class PrivateServer
{
public:
    PrivateServer()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const char* const argv[] = {"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                                    "-noreset", nullptr};
        if (posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        // It writes its display number once it takes clients.
        std::string number;
        pollfd wait = {fds[0], POLLIN, 0};
        char c = 0;
        while (pid > 0 && poll(&wait, 1, kDeadlineMs) == 1 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty())
            name = ":" + number;
    }
    ~PrivateServer() { Kill(); }
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;

    void Kill()
    {
        if (pid > 0)
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        pid = -1;
    }

    std::string name;

private:
    pid_t pid = -1;
};

class SonvarekHostEditor : public SonvarekHost
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display: run under scripts/with-xvfb.sh";
        // A window that goes while it is read is no reason to end the test.
        XSetErrorHandler(IgnoreXError);
        user = std::make_unique<XUser>();
        ASSERT_TRUE(user->display);
    }

    void TearDown() override
    {
        if (pid > 0)
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    // The program with --editor and args, and its window once it shows
    // (0 when it does not).
    Window Start(std::vector<std::string> args, const std::string& label)
    {
        args.insert(args.begin(), "--editor");
        pid = StartHost(args, folder.Path());
        EXPECT_GT(pid, 0);
        return user->WaitForTitle("Sonvarek: " + label, kDeadlineMs);
    }

    // Waits for the program to end; a program that does not is killed.
    HostRun Finish()
    {
        HostRun run;
        int status = 0;
        const bool ended = WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; });
        EXPECT_TRUE(ended) << "the program did not end";
        if (!ended)
            return run;
        pid = -1;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadBytes(folder / "host.out");
        run.err = ReadBytes(folder / "host.err");
        return run;
    }

    Pixels Image(Window window, const RECT& area = {0, 0, kWidth, kHeight})
    {
        const int width = area.right - area.left;
        const int height = area.bottom - area.top;
        XImage* image = XGetImage(user->display, window, area.left, area.top, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        Pixels pixels;
        if (!image)
            return pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) | 0xFF000000u);
        XDestroyImage(image);
        return pixels;
    }

    uint32_t Pixel(Window window, POINT at)
    {
        const Pixels one = Image(window, {at.x, at.y, at.x + 1, at.y + 1});
        return one.empty() ? 0 : one[0];
    }

    // Polls until the window's area shows expected (the same area of a
    // reference image kWidth wide).
    bool Shows(Window window, const Pixels& reference, const RECT& area)
    {
        const int width = area.right - area.left;
        const int height = area.bottom - area.top;
        const Pixels expected = Crop(reference, kWidth, area);
        return WaitFor(
            [&] { return CompareImages(Image(window, area), expected, width, height, kTolerance).empty(); });
    }

    POINT OnScreen(Window window, POINT at)
    {
        int x = 0, y = 0, width = 0, height = 0;
        user->Geometry(window, x, y, width, height);
        return {x + at.x, y + at.y};
    }

    void Click(Window window, POINT at, unsigned button = Button1)
    {
        const POINT p = OnScreen(window, at);
        user->Click(button, p.x, p.y);
    }

    bool HasSize(Window window, int width, int height)
    {
        return WaitFor([&] {
            int x = 0, y = 0, w = 0, h = 0;
            user->Geometry(window, x, y, w, h);
            return w == width && h == height;
        });
    }

    // Opens the menu of the field at and answers its window (0: none showed).
    Window OpenMenu(Window window, POINT at)
    {
        Click(window, at);
        return user->WaitForMenu(0, kDeadlineMs);
    }

    // A headless screenshot of the built-in programme with settings.
    Pixels Reference(const std::vector<std::string>& settings)
    {
        std::vector<std::string> args = settings;
        args.push_back("--screenshot");
        args.push_back(folder / "reference.png");
        const HostRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        PngImage image;
        EXPECT_TRUE(ReadPng(folder / "reference.png", &image));
        return image.pixels;
    }

    std::unique_ptr<XUser> user;
    pid_t pid = -1;
};

TEST_F(SonvarekHostEditor, TheWindowHasTheEditorsSizeAndShowsWhatTheHeadlessScreenshotShows)
{
    // A steady tone: the face after it ended does not depend on which of the
    // last render calls the editor's timer saw.
    const std::string file = Write("tone.wav", Sine(2, 48000, 1.5, 1000.0, -18.0), 48000);
    const HostRun headless = Run({"--json", "--screenshot", folder / "headless.png", file});
    ASSERT_EQ(headless.exitCode, 0) << headless.err;
    PngImage expected;
    ASSERT_TRUE(ReadPng(folder / "headless.png", &expected));

    // The trace through a FIFO comes row by row: the last render call
    // publishes at frame 72000, the end of the input.
    const std::string trace = folder / "trace";
    ASSERT_EQ(mkfifo(trace.c_str(), 0600), 0);
    const int rows = open(trace.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(rows, 0);
    const Window window = Start({"--json", "--trace", trace, "--screenshot", folder / "live.png", file}, file);
    ASSERT_NE(window, 0u);
    EXPECT_TRUE(HasSize(window, kWidth, kHeight));
    std::string traced;
    const bool ended = WaitFor([&] {
        char buffer[4096];
        for (ssize_t got = 0; (got = read(rows, buffer, sizeof buffer)) > 0;)
            traced.append(buffer, static_cast<size_t>(got));
        return traced.find("\n72000,") != std::string::npos;
    });
    close(rows);
    ASSERT_TRUE(ended) << traced;
    EXPECT_TRUE(Shows(window, expected.pixels, {0, 0, kWidth, kHeight}))
        << CompareImages(Image(window), Crop(expected.pixels, kWidth, {0, 0, kWidth, kHeight}), kWidth, kHeight,
                         kTolerance);

    user->AskToClose(window);
    const HostRun run = Finish();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<JsonObject> live = Objects(run);
    const std::vector<JsonObject> alone = Objects(headless);
    ASSERT_EQ(live.size(), 1u);
    ASSERT_EQ(alone.size(), 1u);
    for (const auto& [key, value] : alone[0])
    {
        const bool same = key == "speed" || (live[0].count(key) && live[0].at(key).number == value.number &&
                                             live[0].at(key).text == value.text);
        EXPECT_TRUE(same) << key;
    }
    EXPECT_EQ(live[0].size(), alone[0].size());

    PngImage shot;
    ASSERT_TRUE(ReadPng(folder / "live.png", &shot));
    ASSERT_EQ(shot.width, kWidth);
    ASSERT_EQ(shot.height, kHeight);
    EXPECT_EQ(CompareImages(shot.pixels, expected.pixels, kWidth, kHeight, kTolerance), "")
        << "the screenshot as the editor closed";
}

TEST_F(SonvarekHostEditor, TheTypeMenuSwitchesFaceAndHostParameterAndEscapeCancelsIt)
{
    const std::string state = folder / "last.state";
    const Window window = Start({"--json", "--set", "Type=RMS", "--state-out", state}, "(built-in programme)");
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(WaitFor([&] { return Pixel(window, kFace) == kRmsFace; }));

    const Window menu = OpenMenu(window, kTypeField);
    ASSERT_NE(menu, 0u);
    int x = 0, y = 0, width = 0, height = 0;
    user->Geometry(menu, x, y, width, height);
    const RECT ebu = MenuRows(std::vector<MenuItemView>(2), width)[1];
    user->Click(Button1, x + (ebu.left + ebu.right) / 2, y + (ebu.top + ebu.bottom) / 2);
    EXPECT_TRUE(WaitFor([&] { return Pixel(window, kFace) == kEbuFace; })) << "the face follows the choice";

    // Escape chooses nothing, not even the first item. (The press lands a few
    // pixels from the first: at the same place it would be a double click.)
    const Window again = OpenMenu(window, {kTypeField.x + 8, kTypeField.y + 2});
    ASSERT_NE(again, 0u);
    user->Tap(XK_Escape);
    EXPECT_TRUE(user->WaitForGone(again, kDeadlineMs));

    user->AskToClose(window);
    const HostRun run = Finish();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::vector<JsonObject> objects = Objects(run);
    ASSERT_EQ(objects.size(), 1u);
    // The report reads the host's parameters: the EBU meter measured.
    EXPECT_EQ(Text(objects[0], "channel config"), "2.0");
    EXPECT_EQ(objects[0].count("OUT:EBU IL"), 1u);
    // Closed long before the programme's minute was up.
    EXPECT_EQ(Text(objects[0], "warning").rfind("stopped early: ", 0), 0u);
    EXPECT_NE(run.err.find("stopped early: "), std::string::npos) << run.err;
    const std::vector<double> values = StateValues(ReadBytes(state));
    ASSERT_EQ(values.size(), static_cast<size_t>(kMeterParamCount));
    EXPECT_EQ(values[kType], 1.0);
}

TEST_F(SonvarekHostEditor, TheWheelAndTypedKeysReachTheFieldUnderThePointer)
{
    const Pixels reference = Reference({"--set", "EBU Gain=2.4", "--set", "EBU RefLevel=-18"});
    const std::string state = folder / "last.state";
    const std::string trace = folder / "trace.csv";
    const Window window = Start({"--state-out", state, "--trace", trace}, "(built-in programme)");
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(WaitFor([&] { return Pixel(window, kFace) == kEbuFace; }));

    // Two notches up: 1.2 LU each (a hundredth of the range).
    const POINT gain = OnScreen(window, kGainField);
    user->MoveTo(gain.x, gain.y);
    for (int notch = 0; notch < 2; ++notch)
    {
        user->Press(Button4);
        user->Release(Button4);
    }
    EXPECT_TRUE(Shows(window, reference, kGainArea)) << "EBU Gain reads 2.4";

    // A right click opens the value for typing; Enter takes it.
    XSetInputFocus(user->display, window, RevertToPointerRoot, CurrentTime);
    const Pixels before = Image(window, kRefLevelArea);
    Click(window, kRefLevelField, Button3);
    EXPECT_TRUE(WaitFor([&] { return Image(window, kRefLevelArea) != before; })) << "the entry field opens";
    user->Type("-18");
    user->Tap(XK_Return);
    EXPECT_TRUE(Shows(window, reference, kRefLevelArea)) << "EBU RefLevel reads -18.0";

    user->AskToClose(window);
    const HostRun run = Finish();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::vector<double> values = StateValues(ReadBytes(state));
    ASSERT_EQ(values.size(), static_cast<size_t>(kMeterParamCount));
    EXPECT_NEAR(values[kEBUGain], 2.4, 1e-9);
    EXPECT_EQ(values[kEBURefLevel], -18.0);
    // The host received them while the meter published: the trace has them.
    std::map<std::string, double> lastTraced;
    for (const std::string& row : Lines(ReadBytes(trace)))
    {
        const size_t name = row.find(',', row.find(',') + 1) + 1;
        const size_t value = row.rfind(',');
        if (name > 0 && value != std::string::npos && value > name)
            lastTraced[row.substr(name, value - name)] = std::atof(row.c_str() + value + 1);
    }
    EXPECT_NEAR(lastTraced["EBU Gain"], 2.4, 1e-9);
    EXPECT_EQ(lastTraced["EBU RefLevel"], -18.0);
}

TEST_F(SonvarekHostEditor, InterruptedItEndsAsWhenClosedAndTheWindowFollowsTheEditorsSize)
{
    for (const int signal : {SIGINT, SIGTERM})
    {
        SCOPED_TRACE(signal == SIGINT ? "SIGINT" : "SIGTERM");
        const Window window = Start({"--set", "GUI Scale=2.0"}, "(built-in programme)");
        ASSERT_NE(window, 0u);
        EXPECT_TRUE(HasSize(window, 2 * kWidth, 2 * kHeight));
        if (signal == SIGINT)
        {
            // Ctrl and a click on the maker's logo bring back scale 1: the
            // editor asks for its new size and the window takes it.
            const POINT logo = OnScreen(window, {2 * kMakerLogo.x, 2 * kMakerLogo.y});
            user->MoveTo(logo.x, logo.y);
            user->KeyDown(XK_Control_L);
            user->Press(Button1);
            user->Release(Button1);
            user->KeyUp(XK_Control_L);
            EXPECT_TRUE(HasSize(window, kWidth, kHeight));
        }
        kill(pid, signal);
        const HostRun run = Finish();
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.out.find("OUT:EBU IL"), std::string::npos) << run.out;
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find("stopped early: "), std::string::npos) << run.err;
        EXPECT_TRUE(user->WaitForGone(window, kDeadlineMs));
    }

    // Started as a script's background job, with SIGINT ignored, it keeps
    // ignoring it while SIGTERM still ends it.
    pid = StartHost({"--editor"}, folder.Path(), "", true);
    ASSERT_NE(user->WaitForTitle("Sonvarek: (built-in programme)", kDeadlineMs), 0u);
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string ignored;
    for (std::string line; std::getline(status, line) && ignored.empty();)
        if (line.rfind("SigIgn:", 0) == 0)
            ignored = line.substr(7);
    ASSERT_FALSE(ignored.empty());
    EXPECT_NE(std::stoull(ignored, nullptr, 16) & (1ull << (SIGINT - 1)), 0u) << ignored;
    kill(pid, SIGTERM);
    EXPECT_EQ(Finish().exitCode, 0);
}

TEST_F(SonvarekHostEditor, AWindowDestroyedOrADisplayLostEndsAsAClose)
{
    const std::string state = folder / "last.state";
    const std::string shot = folder / "last.png";
    const std::string shown = std::getenv("DISPLAY");
    struct Case
    {
        const char* name;
        bool ownServer;
        std::function<void(PrivateServer&, Window)> end;
        bool lost;
        bool menuUp = false;  // the Type menu open as it ends
    };
    const Case cases[] = {
        {"destroyed by another client", false, [&](PrivateServer&, Window w) { XDestroyWindow(user->display, w); },
         false},
        {"its client killed", false, [&](PrivateServer&, Window w) { XKillClient(user->display, w); }, true},
        {"the server gone", true, [](PrivateServer& server, Window) { server.Kill(); }, true},
        {"closed with a menu up", false, [&](PrivateServer&, Window w) { user->AskToClose(w); }, false, true},
        {"destroyed with a menu up", false, [&](PrivateServer&, Window w) { XDestroyWindow(user->display, w); },
         false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::remove(state.c_str());
        std::remove(shot.c_str());
        PrivateServer server;
        std::unique_ptr<XUser> there;
        if (c.ownServer)
        {
            ASSERT_NE(server.name, "") << "Xvfb did not start";
            setenv("DISPLAY", server.name.c_str(), 1);
            there = std::make_unique<XUser>();
            ASSERT_TRUE(there->display);
        }
        XUser& at = there ? *there : *user;
        pid = StartHost({"--editor", "--json", "--state-out", state, "--screenshot", shot}, folder.Path());
        setenv("DISPLAY", shown.c_str(), 1);
        const Window window = at.WaitForTitle("Sonvarek: (built-in programme)", kDeadlineMs);
        ASSERT_NE(window, 0u);
        there.reset();  // a user of its own server goes before it
        ASSERT_TRUE(!c.menuUp || OpenMenu(window, kTypeField));
        c.end(server, window);
        XSync(user->display, False);

        const HostRun run = Finish();
        ASSERT_EQ(run.exitCode, c.lost ? 1 : 0) << run.err;
        const std::vector<JsonObject> objects = Objects(run);
        ASSERT_EQ(objects.size(), 1u) << run.out;
        EXPECT_EQ(Text(objects[0], "warning").rfind("stopped early: ", 0), 0u);
        EXPECT_EQ(objects[0].count("OUT:EBU IL"), 1u);
        const std::vector<std::string> messages = Lines(run.err);
        ASSERT_EQ(messages.size(), c.lost ? 2u : 1u) << run.err;
        EXPECT_NE(messages[0].find("stopped early: "), std::string::npos) << run.err;
        if (c.lost)
        {
            EXPECT_EQ(messages[1], "sonvarek-host: the connection to the X display \"" +
                                       (c.ownServer ? server.name : shown) + "\" was lost");
        }
        // The editor was closed as a host closes it; its pixels are the
        // layer's, whatever became of the display.
        EXPECT_EQ(StateValues(ReadBytes(state)).size(), static_cast<size_t>(kMeterParamCount));
        PngImage image;
        ASSERT_TRUE(ReadPng(shot, &image));
        ASSERT_EQ(image.width, kWidth);
        EXPECT_EQ(image.pixels[static_cast<size_t>(kFace.y) * kWidth + kFace.x] | 0xFF000000u, kEbuFace);
    }
}

TEST_F(SonvarekHostEditor, AStreamWhoseWriterStallsEndsOnACloseWithTheFramesThatCame)
{
    constexpr int64_t kSent = 12000;  // frames, a quarter second
    const std::string file = Write("take.wav", Sine(2, 48000, 1.0, 1000.0, -20.0), 48000, kWav16);
    const std::string bytes = ReadBytes(file);
    const size_t header = bytes.size() - 48000 * 4;
    const std::string fifo = folder / "stalls.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string state = folder / "last.state";
    const std::string shot = folder / "last.png";
    // What came, alone: the editor shows its end as it closes, though its
    // 200 ms read-outs last refreshed at frame 9600.
    Planar sent = ReadAudio(file);
    for (std::vector<float>& channel : sent)
        channel.resize(kSent);
    ASSERT_EQ(Run({"--set", "Type=RMS", "--screenshot", folder / "sent.png", Write("sent.wav", sent, 48000)}).exitCode, 0);
    PngImage expected;
    ASSERT_TRUE(ReadPng(folder / "sent.png", &expected));
    for (const bool byWindow : {true, false})
    {
        SCOPED_TRACE(byWindow ? "the window closed" : "SIGTERM");
        std::remove(state.c_str());
        std::remove(shot.c_str());
        // The writer sends the header and kSent frames, then holds the FIFO
        // open without writing until the program has ended.
        auto writer = std::make_unique<FifoWriter>(fifo, bytes, header + kSent * 4);
        const Window window =
            Start({"--json", "--set", "Type=RMS", "--state-out", state, "--screenshot", shot, fifo}, fifo);
        EXPECT_NE(window, 0u);
        // Played at real time, the frames that came are all heard by now.
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        if (byWindow)
            user->AskToClose(window);
        else
            kill(pid, SIGTERM);
        const HostRun run = Finish();
        writer.reset();

        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<JsonObject> objects = Objects(run);
        ASSERT_EQ(objects.size(), 1u) << run.out;
        EXPECT_EQ(Number(objects[0], "frames"), kSent);
        EXPECT_EQ(Text(objects[0], "warning"), "stopped early: 12000 frames played");
        EXPECT_EQ(StateValues(ReadBytes(state)).size(), static_cast<size_t>(kMeterParamCount));
        PngImage image;
        ASSERT_TRUE(ReadPng(shot, &image));
        EXPECT_EQ(CompareImages(image.pixels, expected.pixels, kWidth, kHeight, kTolerance), "");
    }
}

TEST_F(SonvarekHostEditor, AStopBeforeAStreamsHeaderEndsAtOnceWithWhatCanBeWritten)
{
    const std::string wav = ReadBytes(Write("take.wav", Sine(2, 48000, 1.0, 1000.0, -20.0), 48000, kWav16));
    const std::string ogg = ReadBytes(Write("take.oga", Sine(2, 48000, 1.0, 1000.0, -20.0), 48000,
                                            SF_FORMAT_OGG | SF_FORMAT_VORBIS));
    struct Case
    {
        const char* name;
        const std::string* bytes;  // null: no writer comes
        size_t sent;
        int signal;
    };
    const Case cases[] = {{"no writer", nullptr, 0, SIGTERM},       {"nothing sent", &wav, 0, SIGINT},
                          {"2 bytes", &wav, 2, SIGTERM},            {"40 bytes of WAV", &wav, 40, SIGINT},
                          {"5000 bytes of Ogg", &ogg, 5000, SIGTERM}};
    const std::string trace = folder / "trace.csv";
    const std::string state = folder / "last.state";
    const std::string shot = folder / "last.png";
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::string fifo = folder / "stream.fifo";
        std::remove(fifo.c_str());
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        const std::unique_ptr<FifoWriter> writer =
            c.bytes ? std::make_unique<FifoWriter>(fifo, *c.bytes, c.sent) : nullptr;
        pid = StartHost({"--editor", "--json", "--trace", trace, "--state-out", state, "--screenshot", shot, fifo},
                        folder.Path());
        // Stopped once it has said that it waits.
        const std::string waiting = "sonvarek-host: " + fifo + ": waiting for its audio\n";
        EXPECT_TRUE(WaitFor([&] { return ReadBytes(folder / "host.err") == waiting; }));
        kill(pid, c.signal);
        const HostRun run = Finish();
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, waiting + "sonvarek-host: " + fifo + ": stopped before its audio began\n");
        EXPECT_EQ(run.out, "{\"file\": \"" + fifo + "\", \"warning\": \"stopped before its audio began\"}\n");
        EXPECT_EQ(ReadBytes(trace), "frame,parameter ID,name,value\n");
        EXPECT_NE(access(state.c_str(), F_OK), 0);
        EXPECT_NE(access(shot.c_str(), F_OK), 0);
    }
}

TEST_F(SonvarekHostEditor, AStreamThatKeepsItsHeaderIsSaidToBeAwaitedOnceAndShowsWhenItComes)
{
    const std::string bytes = ReadBytes(Write("take.wav", Sine(2, 48000, 0.5, 1000.0, -20.0), 48000, kWav16));
    const std::string fifo = folder / "stream.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    FifoWriter writer(fifo, bytes, 40);
    const std::string waiting = "sonvarek-host: " + fifo + ": waiting for its audio\n";
    pid = StartHost({"--editor", "--json", fifo}, folder.Path());
    ASSERT_TRUE(WaitFor([&] { return ReadBytes(folder / "host.err") == waiting; }));
    writer.Resume();
    const Window window = user->WaitForTitle("Sonvarek: " + fifo, kDeadlineMs);
    ASSERT_NE(window, 0u);
    // The whole stream played, the window stays until it is closed.
    ASSERT_TRUE(WaitFor([&] { return writer.Done(); }));
    user->AskToClose(window);
    const HostRun run = Finish();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.substr(0, waiting.size()), waiting);
    EXPECT_EQ(run.err.find("waiting", waiting.size()), std::string::npos) << run.err;
    ASSERT_EQ(Objects(run).size(), 1u) << run.out;
}

}  // namespace
