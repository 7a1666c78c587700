// IPlugBase: channels, scratch buffers and the processing wrappers.

#include "framework/core/IPlugBase.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// [first, end) of a channel range, clamped to 0 .. count.
void ClampRange(int32_t first, int32_t n, int32_t count, int32_t* begin, int32_t* end)
{
    *begin = std::clamp(first, 0, count);
    *end = static_cast<int32_t>(std::clamp<int64_t>(int64_t{first} + n, *begin, count));
}

double* ScratchOf(const GrowBuf& scratch) { return static_cast<double*>(scratch.Get()); }

int32_t FramesIn(const GrowBuf& scratch) { return scratch.GetSize() / static_cast<int32_t>(sizeof(double)); }

void Clear(GrowBuf& scratch)
{
    if (scratch.GetSize() > 0)
        std::memset(scratch.Get(), 0, static_cast<size_t>(scratch.GetSize()));
}

// A null source reads as silence.
void FloatToDouble(const float* src, double* dst, int32_t nFrames)
{
    if (!src)
    {
        std::fill(dst, dst + nFrames, 0.0);
        return;
    }
    for (int32_t i = 0; i < nFrames; ++i)
        dst[i] = src[i];
}

void DoubleToFloat(const double* src, float* dst, int32_t nFrames)
{
    for (int32_t i = 0; i < nFrames; ++i)
        dst[i] = static_cast<float>(src[i]);
}

template <class Channel>
bool IsConnected(const PointerList<Channel>& channels, int32_t idx)
{
    const Channel* channel = channels.Get(idx);
    return channel && channel->connected;
}

template <class Channel>
void SetConnections(PointerList<Channel>& channels, int32_t first, int32_t count, bool connected)
{
    int32_t begin = 0;
    int32_t end = 0;
    ClampRange(first, count, channels.GetSize(), &begin, &end);
    for (int32_t c = begin; c < end; ++c)
    {
        Channel* channel = channels.Get(c);
        if (!connected)
        {
            if (channel->connected)
                Clear(channel->scratch);
            *channel->slot = ScratchOf(channel->scratch);
        }
        channel->connected = connected;
    }
}

// The connected channels in the range take the host's buffers in order (the
// array advances only over connected channels); the others none.
template <class Channel, class HostBuffer>
void AttachHostBuffers(PointerList<Channel>& channels, int32_t first, int32_t count,
                       const HostBuffer* hostBuffers, HostBuffer Channel::*hostBuffer)
{
    int32_t begin = 0;
    int32_t end = 0;
    ClampRange(first, count, channels.GetSize(), &begin, &end);
    int32_t next = 0;
    for (int32_t c = begin; c < end; ++c)
    {
        Channel* channel = channels.Get(c);
        channel->*hostBuffer = nullptr;
        if (!channel->connected)
            continue;
        channel->*hostBuffer = hostBuffers ? hostBuffers[next] : nullptr;
        ++next;
        *channel->slot = ScratchOf(channel->scratch);
    }
}

// Returns the frames every buffer holds afterwards.
template <class Channel>
int32_t ResizeScratch(PointerList<Channel>& channels, int32_t frames)
{
    const auto bytes = static_cast<int32_t>(
        std::min<int64_t>(int64_t{frames} * sizeof(double), std::numeric_limits<int32_t>::max()));
    int32_t held = frames;
    for (int32_t c = 0; c < channels.GetSize(); ++c)
    {
        Channel* channel = channels.Get(c);
        channel->scratch.Resize(bytes, true);
        Clear(channel->scratch);
        *channel->slot = ScratchOf(channel->scratch);
        held = std::min(held, FramesIn(channel->scratch));
    }
    return held;
}

}  // namespace

bool IPlugBase::IsInputConnected(int32_t idx) const { return IsConnected(inputChannels, idx); }

bool IPlugBase::IsOutputConnected(int32_t idx) const { return IsConnected(outputChannels, idx); }

void IPlugBase::SetInputChannelConnections(int32_t first, int32_t count, bool connected)
{
    SetConnections(inputChannels, first, count, connected);
}

void IPlugBase::SetOutputChannelConnections(int32_t first, int32_t count, bool connected)
{
    SetConnections(outputChannels, first, count, connected);
}

void IPlugBase::AttachInputBuffers(int32_t first, int32_t count, const float* const* hostInputs,
                                   int32_t nFrames)
{
    AttachHostBuffers(inputChannels, first, count, hostInputs, &IInputChannel::hostInput);
    int32_t begin = 0;
    int32_t end = 0;
    ClampRange(first, count, NInChannels(), &begin, &end);
    const int32_t frames = std::clamp(nFrames, 0, blockSize);
    for (int32_t c = begin; c < end; ++c)
    {
        IInputChannel* channel = inputChannels.Get(c);
        double* scratch = ScratchOf(channel->scratch);
        if (channel->connected && scratch)
            FloatToDouble(channel->hostInput, scratch, frames);
    }
}

void IPlugBase::AttachOutputBuffers(int32_t first, int32_t count, float* const* hostOutputs)
{
    AttachHostBuffers(outputChannels, first, count, hostOutputs, &IOutputChannel::hostOutput);
}

void IPlugBase::ZeroScratchBuffers()
{
    for (int32_t c = 0; c < NInChannels(); ++c)
        Clear(inputChannels.Get(c)->scratch);
    for (int32_t c = 0; c < NOutChannels(); ++c)
        Clear(outputChannels.Get(c)->scratch);
}

void IPlugBase::ChangeBlockSize(int32_t frames)
{
    PlatformLockGuard guard(lock);
    frames = std::max(frames, 0);
    if (frames == blockSize)
        return;
    const int32_t inputFrames = ResizeScratch(inputChannels, frames);
    blockSize = std::min(inputFrames, ResizeScratch(outputChannels, frames));
}

void IPlugBase::CreateDelayLine()
{
    PlatformLockGuard guard(lock);
    if (NInChannels() < 1)
        return;
    delete delayLine;
    delayLine = new IChannelDelayLine(NInChannels(), NOutChannels(), latency);
}

void IPlugBase::RunAudioBlock(double** inputs, double** outputs, int32_t nFrames)
{
    if (!outputs || nFrames <= 0)
        return;
    const size_t bytes = static_cast<size_t>(nFrames) * sizeof(double);
    const int32_t copied = inputs ? std::min(NInChannels(), NOutChannels()) : 0;
    for (int32_t i = 0; i < NOutChannels(); ++i)
    {
        if (!outputs[i])
            continue;
        if (i >= copied || !inputs[i])
            std::memset(outputs[i], 0, bytes);
        else if (inputs[i] != outputs[i])
            std::memcpy(outputs[i], inputs[i], bytes);
    }
}

double** IPlugBase::InputArray() const
{
    return NInChannels() > 0 ? static_cast<double**>(inputPointers.Get()) : nullptr;
}

double** IPlugBase::OutputArray() const
{
    return NOutChannels() > 0 ? static_cast<double**>(outputPointers.Get()) : nullptr;
}

void IPlugBase::ProcessBuffers(int32_t nFrames) { RunWrapped(nFrames, false, false); }

void IPlugBase::ProcessBuffersFloat(int32_t nFrames) { RunWrapped(nFrames, false, true); }

void IPlugBase::PassThroughBuffers(int32_t nFrames) { RunWrapped(nFrames, true, false); }

void IPlugBase::PassThroughBuffersFloat(int32_t nFrames) { RunWrapped(nFrames, true, true); }

// The scratch buffers hold blockSize frames: a longer host block is cut into
// sub-blocks rather than written past their end. The first sub-block's input
// was converted when the buffers were attached.
void IPlugBase::RunWrapped(int32_t nFrames, bool bypass, bool toHost)
{
    if (nFrames < 0)
        return;
    if (nFrames == 0)
    {
        RunOneBlock(0, bypass);
        return;
    }
    if (blockSize <= 0)
    {
        // Nothing can be processed: the host hears silence rather than
        // whatever its buffers held.
        if (toHost)
            SilenceHostOutputs(nFrames);
        return;
    }
    for (int32_t done = 0; done < nFrames;)
    {
        const int32_t n = std::min(blockSize, nFrames - done);
        if (done > 0)
            ConvertHostInputs(done, n);
        RunOneBlock(n, bypass);
        if (toHost)
            ConvertToHostOutputs(done, n);
        done += n;
    }
}

void IPlugBase::RunOneBlock(int32_t nFrames, bool bypass)
{
    double** inputs = InputArray();
    double** outputs = OutputArray();
    const bool delayed = latency > 0 && delayLine;
    if (!bypass)
    {
        if (delayed)
            delayLine->Process(inputs, nullptr, nFrames);
        RunAudioBlock(inputs, outputs, nFrames);
    }
    else if (delayed)
    {
        RunAudioBlock(inputs, outputs, nFrames);
        delayLine->Process(inputs, outputs, nFrames);
    }
    else
    {
        IPlugBase::RunAudioBlock(inputs, outputs, nFrames);
    }
}

void IPlugBase::ConvertHostInputs(int32_t offset, int32_t nFrames)
{
    for (int32_t c = 0; c < NInChannels(); ++c)
    {
        IInputChannel* channel = inputChannels.Get(c);
        double* scratch = ScratchOf(channel->scratch);
        if (channel->connected && scratch)
            FloatToDouble(channel->hostInput ? channel->hostInput + offset : nullptr, scratch, nFrames);
    }
}

void IPlugBase::ConvertToHostOutputs(int32_t offset, int32_t nFrames)
{
    for (int32_t c = 0; c < NOutChannels(); ++c)
    {
        IOutputChannel* channel = outputChannels.Get(c);
        const double* scratch = ScratchOf(channel->scratch);
        if (channel->connected && channel->hostOutput && scratch)
            DoubleToFloat(scratch, channel->hostOutput + offset, nFrames);
    }
}

void IPlugBase::SilenceHostOutputs(int32_t nFrames)
{
    for (int32_t c = 0; c < NOutChannels(); ++c)
    {
        IOutputChannel* channel = outputChannels.Get(c);
        if (channel->connected && channel->hostOutput)
            std::fill(channel->hostOutput, channel->hostOutput + nFrames, 0.0f);
    }
}
