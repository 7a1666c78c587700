#include "host/cli/HostProgram.h"

#include "host/cli/EditorScreenshot.h"
#include "host/cli/HostOptions.h"
#include "host/cli/LiveEditor.h"
#include "host/cli/Measurement.h"
#include "host/cli/OutputPaths.h"
#include "host/cli/ProgressLine.h"
#include "host/cli/Report.h"
#include "host/cli/input/SoundFileSource.h"
#include "host/cli/StateFile.h"
#include "host/cli/StopAwareWrites.h"
#include "host/cli/StopOnInterrupt.h"
#include "host/cli/input/StreamOpening.h"
#include "host/cli/TestProgramme.h"
#include "platform/FileIO.h"
#include "platform/win32/Desktop.h"
#include "platform/x11/X11Presenter.h"

#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr const char* kProgrammeLabel = "(built-in programme)";
// The longest wait of the presenter's loop while a live input opens.
constexpr int kOpenRoundMs = 50;
// How long a live stream may keep its header before the wait is told.
constexpr auto kTellWaitAfter = std::chrono::milliseconds(500);
// How often the main thread of a batch looks at the progress and for a stop.
constexpr auto kBatchRound = std::chrono::milliseconds(200);
// The error of an input that a stop of the batch left unfinished.
constexpr const char* kStoppedBeforeMeasured = "stopped before it was measured";
// The exit status of a run that a signal stopped, as shells report it.
constexpr int kExitSignalled = 128;

struct Job
{
    std::string path;  // empty: the built-in programme
    bool keepInstance = false;  // its editor is looked at afterwards
    std::atomic<int64_t> framesTotal{0};
    std::atomic<int64_t> framesDone{0};
    Measurement result;
    // Under the pool's lock:
    bool finished = false;
    // Not finished when the run was stopped: reported as stopped, whatever
    // its thread makes of it.
    bool stopped = false;
    AudioSource* source = nullptr;  // while it is measured, for a stop to interrupt
};

// What the threads of a batch share: the jobs' states under lock, and the
// stop. A job that has not finished when a signal comes is stopped. The
// signal reaches every wait: its event ends the waits for a stream's writer
// or header, the play loops check it between render calls, and the first
// thread to see it (a job's as it finishes, or the main thread) marks every
// job not finished and interrupts their reads of a stream that stalls.
struct Pool
{
    std::mutex lock;
    std::condition_variable changed;  // a job finished or was stopped
    int stopEvent = -1;  // turns readable on a signal (StopOnInterrupt); -1: none
    bool stopping = false;  // the unfinished jobs are marked stopped
};

// The job's source on record while it is measured, so that a stop can
// interrupt its reads; interrupted at once when the stop came first.
class SourceOnRecord
{
public:
    SourceOnRecord(Pool& pool, Job& job, AudioSource& source) : pool(pool), job(job)
    {
        std::lock_guard<std::mutex> guard(pool.lock);
        job.source = &source;
        if (job.stopped)
            source.Interrupt();
    }
    ~SourceOnRecord()
    {
        std::lock_guard<std::mutex> guard(pool.lock);
        job.source = nullptr;
    }
    SourceOnRecord(const SourceOnRecord&) = delete;
    SourceOnRecord& operator=(const SourceOnRecord&) = delete;

private:
    Pool& pool;
    Job& job;
};

// The program's standard output and error, and the writes to them, which a
// batch's stop does not wait on.
struct Outputs
{
    std::FILE* out;
    std::FILE* err;
    StopAwareWrites writes;
};

// Messages name files as given: their control characters are escaped.
void Message(Outputs& io, const std::string& text)
{
    io.writes.Write(io.err, "sonvarek-host: " + PrintableText(text) + "\n");
}

// Results go out as soon as they are known. Once out cannot be written (or a
// stop gave up what it did not take), the cause is told on err and nothing
// more is written; false from then on.
bool WriteOut(Outputs& io, const std::string& text, bool* failed)
{
    if (*failed)
        return false;
    errno = 0;
    if (io.writes.Write(io.out, text))
        return true;
    Message(io, std::string("cannot write the report: ") + std::strerror(errno != 0 ? errno : EIO));
    *failed = true;
    return false;
}

// Why --screenshot saved nothing when the input it shows failed.
std::string UnmeasuredScreenshot(const std::string& path)
{
    return "the first input was not measured: no screenshot is saved to " + path;
}

// Whether path names a stream (a FIFO, a terminal, a pipe's /dev/stdin) that
// is read as it comes.
bool IsStream(const std::string& path)
{
    struct stat status = {};
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) &&
           !S_ISDIR(status.st_mode);
}

// Sonvarek.so in the folder of the running program.
std::string ModuleBesideProgram()
{
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<size_t>(length) >= path.size())
        return "Sonvarek.so";
    path.resize(static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1) + "Sonvarek.so";
}

// The job's input: the file, or the built-in programme for an empty path;
// null with the reason in the job's result. stop: see SoundFileSource::Open.
std::unique_ptr<AudioSource> OpenInput(Job& job, int stop = -1)
{
    std::unique_ptr<AudioSource> source;
    if (job.path.empty())
        source = std::make_unique<TestProgramme>();
    else
        source = SoundFileSource::Open(job.path, &job.result.error, stop);
    if (!source)
        job.result.error = "cannot read: " + job.result.error;
    return source;
}

// The job's input opened on a thread of its own while the presenter's loop
// runs, so that a stop (a signal, the display lost) ends a wait for a
// stream's writer or header at once; a stream that keeps its header a
// moment is said on err to be awaited. Null with the reason in the job's
// result, or marked as stopped before its audio.
std::unique_ptr<AudioSource> OpenLiveInput(Job& job, X11Presenter& presenter, Outputs& io)
{
    const int stop = ::eventfd(0, EFD_CLOEXEC);
    if (stop < 0)
        return OpenInput(job);
    std::unique_ptr<AudioSource> source;
    std::atomic<bool> opened{false};
    std::thread opener([&] {
        try
        {
            source = OpenInput(job, stop);
        }
        catch (const std::exception& e)
        {
            job.result.error = std::string("failed: ") + e.what();
        }
        opened = true;
    });
    const bool stream = IsStream(job.path);
    const auto start = std::chrono::steady_clock::now();
    bool told = false;
    while (!opened && !presenter.StopRequested())
    {
        presenter.RunOnce(kOpenRoundMs);
        if (stream && !told && !opened && std::chrono::steady_clock::now() - start >= kTellWaitAfter)
        {
            Message(io, job.path + ": waiting for its audio");
            told = true;
        }
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t raised = ::write(stop, &one, sizeof one);
    opener.join();
    ::close(stop);
    if (!source && job.result.error == std::string("cannot read: ") + kStoppedBeforeAudio)
    {
        job.result = Measurement();
        job.result.stoppedBeforeAudio = true;
        job.result.warning = kStoppedBeforeAudio;
    }
    return source;
}

MeasureSetup SetupFor(const HostOptions& options, TraceWriter* trace)
{
    MeasureSetup setup;
    setup.block = options.block;
    setup.trace = trace;
    setup.keepState = !options.stateOut.empty();
    return setup;
}

void RunJob(Job& job, Pool& pool, MeterHost& host, const MeterSettings& settings, const HostOptions& options,
            TraceWriter* trace)
{
    std::unique_ptr<AudioSource> source = OpenInput(job, pool.stopEvent);
    if (!source)
        return;
    const SourceOnRecord record(pool, job, *source);
    // An input of unknown length (a stream) adds nothing to the progress.
    job.framesTotal = std::max<int64_t>(source->Frames(), 0);
    MeasureSetup setup = SetupFor(options, trace);
    setup.keepInstance = job.keepInstance;
    setup.progress = job.framesTotal > 0 ? &job.framesDone : nullptr;
    setup.stop = &StopOnInterrupt::Asked();
    job.result = Measure(host, settings, *source, setup);
}

// The result of a job that a stop left unfinished.
Measurement StoppedBeforeMeasured()
{
    Measurement stopped;
    stopped.error = kStoppedBeforeMeasured;
    return stopped;
}

// Once a signal has come: marks the jobs that have not finished as
// stopped, ends their plays and interrupts their reads, once. [under the
// pool's lock]
void StopOnSignal(std::vector<Job>& jobs, Pool& pool)
{
    if (pool.stopping || !StopOnInterrupt::Asked().load())
        return;
    for (Job& job : jobs)
        if (!job.finished)
        {
            job.stopped = true;
            if (job.source)
                job.source->Interrupt();
        }
    pool.stopping = true;
    pool.changed.notify_all();
}

// Prints the result of the input at path (its messages on err); false when
// the input failed.
bool PrintResult(const std::string& path, const Measurement& result, const HostOptions& options, Outputs& io,
                 bool* reported, bool* outFailed)
{
    const std::string label = path.empty() ? kProgrammeLabel : path;
    if (!result.error.empty())
        Message(io, label + ": " + result.error);
    if (!result.warning.empty())
        Message(io, label + ": " + result.warning);
    if (options.json)
        WriteOut(io, JsonReport(label, result), outFailed);
    else if (result.error.empty() && !result.stoppedBeforeAudio)
    {
        std::string report = HumanReport(label, result);
        // The expectation holds for the whole programme only.
        if (path.empty() && result.warning.empty())
            report += ReportLine("expected", FormatText("OUT:EBU IL %.1f LUFS (1 kHz sine at -26, -20, -26 dBFS)",
                                                        TestProgramme::kIntegratedLufs));
        WriteOut(io, (*reported ? "\n" : "") + report, outFailed);
        *reported = true;
    }
    return result.error.empty();
}

// Plays the one job with the editor open on the presenter's display; prints
// its result. False when it failed, the screenshot was not saved or the display
// was lost.
bool PlayLive(Job& job, MeterHost& host, const MeterSettings& settings, const HostOptions& options,
              TraceWriter* trace, Desktop& desktop, X11Presenter& presenter, Outputs& io)
{
    // From the start: a stop while the input still opens ends the run too.
    const StopOnInterrupt interrupt(presenter);
    std::unique_ptr<AudioSource> source = OpenLiveInput(job, presenter, io);
    std::string screenshotError;
    if (source)
    {
        LiveEditorSetup live;
        live.title = "Sonvarek: " + PrintableText(job.path.empty() ? kProgrammeLabel : job.path);
        live.screenshot = options.screenshot;
        live.progress = io.err;
        job.result = PlayWithEditor(host, settings, *source, SetupFor(options, trace), desktop, presenter, live,
                                    &screenshotError);
    }
    bool reported = false;
    bool outFailed = false;
    bool success = PrintResult(job.path, job.result, options, io, &reported, &outFailed) && !outFailed;
    if (!options.screenshot.empty() && !job.result.error.empty())
        screenshotError = UnmeasuredScreenshot(options.screenshot);
    if (!screenshotError.empty())
    {
        Message(io, screenshotError);
        success = false;
    }
    // The run ended as on a close; the outputs are still written.
    if (presenter.DisplayLost())
    {
        Message(io, "the connection to the X display \"" + presenter.DisplayName() + "\" was lost");
        success = false;
    }
    return success;
}

// Measures every job on a pool of at most one thread per core and prints the
// results in the jobs' order as they come. A signal (while interrupt lives;
// null: none) stops the jobs not finished by then, which are reported as
// stopped, and the waits of io's writes; *stopped tells whether there were
// any stopped jobs. False when any job failed or was stopped, or the results
// could not be written.
bool MeasureAll(std::vector<Job>& jobs, MeterHost& host, const MeterSettings& settings, const HostOptions& options,
                TraceWriter* trace, const StopOnInterrupt* interrupt, Outputs& io, bool* stopped)
{
    Pool pool;
    pool.stopEvent = interrupt ? interrupt->Event() : -1;
    std::atomic<size_t> next{0};
    const auto measure = [&](size_t i) {
        try
        {
            RunJob(jobs[i], pool, host, settings, options, trace);
        }
        catch (const std::exception& e)
        {
            jobs[i].result.error = std::string("failed: ") + e.what();
        }
        jobs[i].framesDone = jobs[i].framesTotal.load();  // also what a failed input left unread
        std::lock_guard<std::mutex> guard(pool.lock);
        // Finished after a signal: stopped, as its end may be the stop's.
        StopOnSignal(jobs, pool);
        jobs[i].finished = true;
        pool.changed.notify_all();
    };
    // A stream may wait for its writer or its header as long as it likes: it
    // gets a thread of its own, outside the pool that shares the cores.
    std::vector<size_t> pooled;
    std::vector<std::thread> threads;
    for (size_t i = 0; i < jobs.size(); ++i)
        if (IsStream(jobs[i].path))
            threads.emplace_back(measure, i);
        else
            pooled.push_back(i);
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    for (size_t t = 0; t < std::min(cores, pooled.size()); ++t)
        threads.emplace_back([&] {
            // The jobs not begun when a signal came are not begun at all.
            for (size_t i = next++; i < pooled.size() && !StopOnInterrupt::Asked().load(); i = next++)
                measure(pooled[i]);
        });

    ProgressLine progress(io.err);
    bool allMeasured = true;
    bool reported = false;
    bool outFailed = false;
    for (size_t printed = 0; printed < jobs.size();)
    {
        {
            std::unique_lock<std::mutex> guard(pool.lock);
            const auto due = [&] { return jobs[printed].finished || jobs[printed].stopped; };
            pool.changed.wait_for(guard, kBatchRound, due);
            // A signal once every job has finished changes nothing.
            StopOnSignal(jobs, pool);
            if (!due())
            {
                int64_t done = 0;
                int64_t total = 0;
                size_t inputsDone = 0;
                for (const Job& job : jobs)
                {
                    done += job.framesDone.load(std::memory_order_relaxed);
                    total += job.framesTotal.load(std::memory_order_relaxed);
                    inputsDone += job.finished ? 1 : 0;
                }
                guard.unlock();
                progress.Show(done, total, inputsDone, jobs.size());
                continue;
            }
        }
        progress.Clear();
        // A stopped job's thread may still be writing its result.
        const Job& job = jobs[printed++];
        const Measurement stoppedResult = StoppedBeforeMeasured();
        if (!PrintResult(job.path, job.stopped ? stoppedResult : job.result, options, io, &reported, &outFailed))
            allMeasured = false;
    }
    for (std::thread& thread : threads)
        thread.join();
    // What the stopped jobs' threads left goes, their instances with it.
    *stopped = false;
    for (Job& job : jobs)
        if (job.stopped)
        {
            job.result = StoppedBeforeMeasured();
            *stopped = true;
        }
    return allMeasured && !outFailed;
}

}  // namespace

int RunHostProgram(int argc, const char* const* argv, std::FILE* out, std::FILE* err)
{
    Outputs io{out, err, {}};
    HostOptions options;
    std::string error;
    if (!ParseHostOptions(argc, argv, &options, &error))
    {
        Message(io, error + " (see --help)");
        return kExitUsage;
    }
    if (options.help)
    {
        bool failed = false;
        return WriteOut(io, HostUsage(), &failed) ? 0 : kExitFailure;
    }
    error = OutputConflict(options);
    if (!error.empty())
    {
        Message(io, error + "; nothing is written");
        return kExitUsage;
    }

    // The windowing stand-in's desktop, for the editor: made before the
    // module's first instance (whose editor lives on it), gone after the
    // module; shown on the X display with --editor, which needs one before
    // anything else is done.
    std::unique_ptr<Desktop> desktop;
    if (!options.screenshot.empty() || options.editor)
        desktop = std::make_unique<Desktop>();
    std::unique_ptr<X11Presenter> presenter;
    if (options.editor)
    {
        presenter = X11Presenter::Open(*desktop, nullptr, error);
        if (!presenter)
        {
            Message(io, "cannot show the editor: " + error);
            return kExitFailure;
        }
    }
    MeterHost host;
    if (!host.Load(options.modulePath.empty() ? ModuleBesideProgram() : options.modulePath, &error))
    {
        Message(io, error);
        return kExitFailure;
    }
    std::unique_ptr<MeterSettings> settings;
    {
        const std::vector<int32_t> channelCounts = host.ChannelCounts();
        MeterHost::Instance probe = host.NewInstance(channelCounts.empty() ? 0 : channelCounts.front(), 48000, &error);
        if (!probe)
        {
            Message(io, error);
            return kExitFailure;
        }
        settings = std::make_unique<MeterSettings>(*probe);
        // A loudness meter first: every input starts on the EBU meter, which
        // the state and the --set options may change.
        if (!settings->AddText(*probe, MeterSettings::kMeterType, "EBU", &error))
        {
            Message(io, error);
            return kExitFailure;
        }
        std::vector<uint8_t> state;
        if (!options.stateIn.empty() &&
            (!ReadStateFile(options.stateIn, MeterSettings::StateSize(*probe), &state, &error) ||
             !settings->AddState(*probe, state, &error)))
        {
            Message(io, "state " + options.stateIn + ": " + error);
            return kExitFailure;
        }
        for (const auto& [name, text] : options.settings)
            if (!settings->AddText(*probe, name, text, &error))
            {
                Message(io, error);
                return kExitUsage;
            }
    }

    std::unique_ptr<TraceWriter> trace;
    if (!options.trace.empty())
    {
        trace = std::make_unique<TraceWriter>();
        if (!trace->Open(options.trace, {out, err}, io.writes, &error))
        {
            Message(io, error);
            return kExitFailure;
        }
    }

    std::vector<Job> jobs(std::max<size_t>(options.files.size(), 1));
    for (size_t i = 0; i < options.files.size(); ++i)
        jobs[i].path = options.files[i];
    bool success = true;
    // A batch's signal, to the end of the run: one that comes once every
    // input has finished and the outputs have taken its report changes
    // nothing.
    std::unique_ptr<StopOnInterrupt> interrupt;
    bool stopped = false;
    if (presenter)
        success = PlayLive(jobs[0], host, *settings, options, trace.get(), *desktop, *presenter, io);
    else
    {
        interrupt = std::make_unique<StopOnInterrupt>();
        io.writes.StopOn(interrupt->Event());
        jobs[0].keepInstance = desktop != nullptr;
        success = MeasureAll(jobs, host, *settings, options, trace.get(), interrupt.get(), io, &stopped);
    }

    if (desktop && !presenter)
    {
        // On this thread, now that no other runs: the desktop is single-threaded.
        if (!jobs[0].result.instance)
        {
            Message(io, UnmeasuredScreenshot(options.screenshot));
            success = false;
        }
        else if (!SaveEditorScreenshot(host, *jobs[0].result.instance, *desktop, options.screenshot, &error))
        {
            Message(io, error);
            success = false;
        }
        jobs[0].result.instance.reset();
    }

    if (trace && !trace->Close(&error))
    {
        Message(io, error);
        success = false;
    }
    // Stopped before its format was known, the input leaves no state: its
    // warning has said so.
    if (!options.stateOut.empty() && !jobs[0].result.stoppedBeforeAudio)
    {
        const auto measured = std::find_if(jobs.begin(), jobs.end(), [](const Job& job) { return !job.result.state.empty(); });
        if (measured == jobs.end())
        {
            Message(io, "no input was measured: the state is not saved to " + options.stateOut);
            success = false;
        }
        else if (!WriteFileAtomically(options.stateOut.c_str(), measured->result.state.data(),
                                      measured->result.state.size()))
        {
            // The writer leaves errno at the cause of the step that failed.
            const int cause = errno != 0 ? errno : EIO;
            Message(io, "cannot write the state " + options.stateOut + ": " + std::strerror(cause));
            success = false;
        }
    }
    // Not every input was measured or reported: the status tells the signal.
    if (stopped || io.writes.GaveUp())
        return kExitSignalled + StopOnInterrupt::Signal();
    return success ? 0 : kExitFailure;
}
